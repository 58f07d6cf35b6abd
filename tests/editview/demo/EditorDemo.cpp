// An editor main window holding picture windows (MDI children) and the layer bar, for screenshots:
//   EditorDemo [--tool N] [--drag x1,y1,x2,y2] [--shadow] [--layer-menu] [--options] [--rename]
//              [--command ID] FILE...
// Each project (.kqd) opens in a window of its own; each other picture opens a window, and the
// pictures after it become layers of that window, placed in cascade, the top one turned by 20
// degrees, given a shadow and left current. The File menu opens pictures as layers, saves,
// prints (two centred copies) and mails. A recording host shows the view's status texts in the
// status bar. --tool chooses the last window's tool (also the Tools menu); --drag plays a drag
// after start: the selection tools draw their outline over it, the crop tool its rectangle; the
// shape, line and paint tools get the button and pointer messages of the drag, and the pointer
// is drawn where it ends (screenshots leave it out).
// --shadow opens the current layer's shadow dialog, --layer-menu the layer menu over the middle of
// the current layer (as the layer frame's menu button does), --options and --rename the layer's
// options and rename dialogs. --command sends a command of the frame after start (32926 New,
// 33221 From Camera, 33021 a blank layer; 41100 open as layers, 41101 save, 41102 save as,
// 41103 print, 41104 mail, 41105 shapes to a page).
#include <windows.h>
#include <shellapi.h>
#include <cmath>
#include <cwchar>
#include <memory>
#include <shlwapi.h>
#include <string>
#include <vector>
#include "ChildFrame.h"
#include "EditFilePaths.h"
#include "LayerBar.h"
#include "LumivoToolsIds.h"
#include "MainFrameNewCommands.h"
#include "MessageBox.h"
#include "PicEditView.h"
#include "RibbonStatusBar.h"
#include "SkinUI.h"

namespace {

const UINT ID_TOOL_FIRST = 41000;

struct DemoTool {
    int tool;
    const wchar_t* name;
};
const DemoTool kTools[] = {{0, L"&Move"},           {1, L"&Shape"},         {4, L"&Rectangle select"},
                           {5, L"&Lasso"},          {10, L"&Heart select"}, {11, L"Select &all"},
                           {13, L"&Crop"},          {15, L"L&ine"},         {16, L"&Brush"},
                           {17, L"&Pen"},           {20, L"&Eraser"},       {21, L"&Fill"},
                           {27, L"Li&ghten"},       {30, L"Bl&ur"}};

// The round brushes beside the program: Data\Editor\Brushes\Rounds.png.
CStringW DemoBrushFile()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    ::PathRemoveFileSpecW(path);
    ::PathRemoveFileSpecW(path);
    ::PathAppendW(path, L"Data\\Editor\\Brushes\\Rounds.png");
    return path;
}

// The editor frame's side of the view, shown in the demo's status bar.
class CDemoHost : public IEditorHost {
public:
    explicit CDemoHost(CBCGPRibbonStatusBar& bar) : m_bar(bar) {}
    int GetFixedCropWidth() override { return -1; }
    int GetFixedCropHeight() override { return -1; }
    void SetCropFields(int, int) override {}
    void SetStatusText(UINT element, const wchar_t* text) override
    {
        if (CBCGPBaseRibbonElement* pane = m_bar.FindElement(element)) {
            pane->SetText(text);
            m_bar.RecalcLayout();
            m_bar.Invalidate();
            m_bar.UpdateWindow();
        }
    }
    void RefreshLayerList() override
    {
        if (m_list && m_list->m_hWnd)
            m_list->SendMessage(WM_CANVAS_REFRESH);
    }
    ShapeSettings GetShapeSettings() override { return m_shape; }
    void SetShapeSettings(const ShapeSettings& settings) override { m_shape = settings; }
    void SetShapeSize(int width, int height) override
    {
        m_shape.width = width;
        m_shape.height = height;
    }
    void SelectDefaultTool() override {}
    void ShowShapeOptions() override {}
    CStringW GetBrushFile() override { return DemoBrushFile(); }
    HWND GetColourTarget() override { return nullptr; }

    CKQLayerListView* m_list = nullptr;

private:
    CBCGPRibbonStatusBar& m_bar;
    ShapeSettings m_shape;
};

// The print dialog of the demo: two copies of 9 x 6 cm, centred.
class CDemoPrintDialog : public IPrintLayoutDialog {
public:
    bool Run(CWnd*, const CZVImage&, PrintChoice& choice) override
    {
        choice.width = 9;
        choice.height = 6;
        choice.spacing = 0.5;
        choice.copies = 2;
        choice.centred = TRUE;
        return true;
    }
};

// The paint tools get a soft round brush of 30 pixels in orange, stamped every 2 pixels so that
// the stroke's edge is smooth.
void SetUpTool(CPicEditView& view)
{
    view.paintColour = RGBQUAD{0x20, 0x90, 0xFF, 0};
    const int kind = BrushKindForTool(view.tool);
    view.SetBrushOptions(kind != 0 ? kind : 1, 30, 7, 255, FALSE, 2, 0);
    view.SetToolCursor();
}

const UINT ID_DEMO_OPEN_LAYERS = 41100;
const UINT ID_DEMO_SAVE = 41101;
const UINT ID_DEMO_SAVE_AS = 41102;
const UINT ID_DEMO_PRINT = 41103;
const UINT ID_DEMO_MAIL = 41104;
const UINT ID_DEMO_SHAPE_TO_PAGE = 41105;
const UINT ID_DEMO_LAYER_BAR = 0x7100;

// The frame's side of the new-picture commands: each new picture gets a window of its own.
class CDemoMainFrame : public CBCGPMDIFrameWnd, public INewPictureFrame {
public:
    CBCGPRibbonStatusBar m_status;
    CLayerBar m_layers;
    CChildFrame* m_child = nullptr;   // the last picture window opened, which the switches play on
    CNewPictureCommands m_newPictures{*this};

    CPicEditView* GetActiveEditView() override { return ActiveView(); }
    CPicEditView* CreatePictureWindow() override
    {
        CChildFrame* child = NewChild(L"Untitled");
        if (!child)
            return nullptr;
        MDIActivate(child);
        child->view.UpdateClientRect();
        return &child->view;
    }
    void ShowPictureWindow(CPicEditView& view) override
    {
        view.SendMessage(WM_SIZE);
        view.Recompose();
    }
    void DiscardPictureWindow(CPicEditView& view) override
    {
        if (CWnd* child = view.GetParent()) {
            if (child == m_child)
                m_child = nullptr;
            child->DestroyWindow();
        }
    }
    bool OpenFileInEditor(const wchar_t* path) override
    {
        CChildFrame* child = NewChild(::PathFindFileNameW(path));
        if (!child)
            return false;
        MDIActivate(child);
        CPicEditView& view = child->view;
        view.UpdateClientRect();
        if (!view.OpenFile(path))
            return false;
        view.askBeforeOverwrite = 1;
        view.SendMessage(WM_SIZE);
        view.Recompose();
        return true;
    }
    void NameAsUntitled(CPicEditView& view) override
    {
        if (auto* child = DYNAMIC_DOWNCAST(CChildFrame, view.GetParent()))
            child->SetDocumentTitle(L"Untitled");
        view.filePath.Empty();
        view.askBeforeOverwrite = 0;
        view.modified = 1;
    }
    void SelectPointerTool() override
    {
        if (CPicEditView* view = ActiveView()) {
            view->tool = 3;
            view->SetToolCursor();
        }
    }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_newPictures.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return CBCGPMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    BOOL Build()
    {
        HMENU menu = ::CreateMenu();
        HMENU file = ::CreatePopupMenu();
        ::AppendMenuW(file, MF_STRING, ID_FILE_NEW_PICTURE, L"&New...\tCtrl+N");
        ::AppendMenuW(file, MF_STRING, ID_FILE_FROM_CAMERA, L"From &Camera");
        ::AppendMenuW(file, MF_STRING, ID_DEMO_OPEN_LAYERS, L"&Open as layers...");
        ::AppendMenuW(file, MF_STRING, ID_DEMO_SAVE, L"&Save");
        ::AppendMenuW(file, MF_STRING, ID_DEMO_SAVE_AS, L"Save &as...");
        ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(file, MF_STRING, ID_DEMO_PRINT, L"&Print...");
        ::AppendMenuW(file, MF_STRING, ID_DEMO_MAIL, L"&Mail...");
        ::AppendMenuW(file, MF_STRING, ID_DEMO_SHAPE_TO_PAGE, L"Shapes to a p&age...");
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
        HMENU layer = ::CreatePopupMenu();
        HMENU layerNew = ::CreatePopupMenu();
        ::AppendMenuW(layerNew, MF_STRING, ID_LAYER_NEW_BLANK, L"&Blank...");
        ::AppendMenuW(layer, MF_POPUP, reinterpret_cast<UINT_PTR>(layerNew), L"&New");
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(layer), L"&Layer");
        HMENU tools = ::CreatePopupMenu();
        for (const DemoTool& t : kTools)
            ::AppendMenuW(tools, MF_STRING, ID_TOOL_FIRST + t.tool, t.name);
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"&Tools");
        ::SetMenu(m_hWnd, menu);
        if (!m_status.Create(this))
            return FALSE;
        m_status.AddElement(new CBCGPRibbonStatusBarPane(ID_STATUS_POSITION, L"", TRUE, nullptr, L"X:Y=00000:00000"),
                            L"Position");
        m_status.AddElement(new CBCGPRibbonStatusBarPane(ID_STATUS_RECT, L"", TRUE, nullptr,
                                                         L"0000:0000 ===>0000:0000 (W=0000,H=0000,W/H=0.000)"),
                            L"Selection");
        if (!m_layers.Create(L"Layers", this, CRect(0, 0, 220, 400), TRUE, ID_DEMO_LAYER_BAR,
                             WS_CHILD | WS_VISIBLE | CBRS_RIGHT))
            return FALSE;
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_layers);
        RecalcLayout();
        return TRUE;
    }

    CChildFrame* NewChild(const wchar_t* title)
    {
        auto* child = new CChildFrame;
        if (!child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rectDefault, this))
            return nullptr;
        m_child = child;
        return child;
    }

    CPicEditView* ActiveView()
    {
        auto* child = DYNAMIC_DOWNCAST(CChildFrame, MDIGetActive());
        return child ? &child->view : nullptr;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        CPicEditView* view = ActiveView();
        if (view && id >= ID_TOOL_FIRST && id < ID_TOOL_FIRST + 64) {
            view->tool = static_cast<int>(id - ID_TOOL_FIRST);
            SetUpTool(*view);
            view->Invalidate(FALSE);
            return TRUE;
        }
        if (view && id >= ID_DEMO_OPEN_LAYERS && id <= ID_DEMO_SHAPE_TO_PAGE) {
            switch (id) {
            case ID_DEMO_OPEN_LAYERS: view->OpenAsLayers(); break;
            case ID_DEMO_SAVE: view->Save(); break;
            case ID_DEMO_SAVE_AS: view->SaveAs(L"Save As"); break;
            case ID_DEMO_PRINT: view->PrintImage(); break;
            case ID_DEMO_SHAPE_TO_PAGE: view->ExportShapeToPage(); break;
            default:
                if (!view->SendByMail() && view->filePath.IsEmpty())
                    BCGPMessageBox(L"Save the picture first: the mail takes its file.", MB_OK | MB_ICONINFORMATION);
                break;
            }
            return TRUE;
        }
        return CBCGPMDIFrameWnd::OnCommand(wParam, lParam);
    }
};

class CEditorDemoApp : public CBCGPWinApp {
public:
    CEditorDemoApp() : CBCGPWinApp(L"EditorDemo") {}

    BOOL InitInstance() override
    {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        int count = 0;
        LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
        int tool = 0;
        bool drag = false;
        RECT dragRect = {};
        std::vector<std::wstring> files;
        for (int i = 1; i < count; ++i) {
            if (wcscmp(args[i], L"--tool") == 0 && i + 1 < count) {
                tool = _wtoi(args[++i]);
            } else if (wcscmp(args[i], L"--shadow") == 0) {
                m_shadow = true;
            } else if (wcscmp(args[i], L"--layer-menu") == 0) {
                m_layerMenu = true;
            } else if (wcscmp(args[i], L"--options") == 0) {
                m_viewCommand = ID_LAYER_OPTIONS;
            } else if (wcscmp(args[i], L"--rename") == 0) {
                m_viewCommand = ID_LAYER_RENAME;
            } else if (wcscmp(args[i], L"--command") == 0 && i + 1 < count) {
                m_command = static_cast<UINT>(_wtoi(args[++i]));
            } else if (wcscmp(args[i], L"--drag") == 0 && i + 1 < count) {
                drag = swscanf(args[++i], L"%ld,%ld,%ld,%ld", &dragRect.left, &dragRect.top, &dragRect.right,
                               &dragRect.bottom) == 4;
            } else {
                files.emplace_back(args[i]);
            }
        }
        ::LocalFree(args);

        auto* frame = new CDemoMainFrame;
        if (!frame->Create(nullptr, L"Lumivo editor", WS_OVERLAPPEDWINDOW, CRect(40, 30, 1000, 720)))
            return FALSE;
        m_pMainWnd = frame;
        if (!frame->Build())
            return FALSE;
        m_host = std::make_unique<CDemoHost>(frame->m_status);
        m_host->m_list = &frame->m_layers.list;
        SetEditorHost(m_host.get());
        SetPrintLayoutDialog(&m_printDialog);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        OpenAll(*frame, files);
        if (!frame->m_child) {
            if (!frame->NewChild(L"Untitled"))
                return FALSE;
            frame->MDIMaximize(frame->m_child);
        }
        CPicEditView& view = frame->m_child->view;
        frame->MDIActivate(frame->m_child);
        view.tool = tool;
        SetUpTool(view);
        if (m_shadow)
            ::SetTimer(nullptr, 0, 500, ShadowTimer);
        if (m_command)
            frame->PostMessage(WM_COMMAND, m_command);
        if (m_viewCommand)
            ::SetTimer(nullptr, 0, 800, ViewCommandTimer);
        if (m_layerMenu)
            ::SetTimer(nullptr, 0, 800, MenuTimer);
        if (drag) {
            // Played once the windows have settled to their final layout.
            m_dragRect = dragRect;
            ::SetTimer(nullptr, 0, 500, DragTimer);
        }
        return TRUE;
    }

    int ExitInstance() override
    {
        SetEditorHost(nullptr);
        SetPrintLayoutDialog(nullptr);
        return CBCGPWinApp::ExitInstance();
    }

private:
    // A window per project, and a window per picture followed by the pictures after it as layers
    // in cascade, the top one turned and shadowed. The windows are laid out before the files open
    // in them, so that each picture fits its window: one fills the frame, several are tiled.
    static void OpenAll(CDemoMainFrame& frame, const std::vector<std::wstring>& files)
    {
        struct Group {
            std::vector<std::wstring> files;
            bool project;
            CChildFrame* child;
        };
        std::vector<Group> groups;
        for (const std::wstring& file : files) {
            const bool project = IsProjectPath(file);
            if (project || groups.empty() || groups.back().project)
                groups.push_back(Group{{}, project, nullptr});
            groups.back().files.push_back(file);
        }
        for (Group& group : groups)
            group.child = frame.NewChild(::PathFindFileNameW(group.files[0].c_str()));
        if (groups.size() == 1 && groups[0].child)
            frame.MDIMaximize(groups[0].child);
        else if (groups.size() > 1)
            frame.MDITile(MDITILE_VERTICAL);
        for (Group& group : groups) {
            if (!group.child)
                continue;
            CPicEditView& view = group.child->view;
            view.UpdateClientRect();
            // As the editor frame does: a picture or project opened from a file asks before Save
            // overwrites it.
            if (group.project) {
                view.askBeforeOverwrite = view.OpenProject(group.files[0].c_str()) ? 1 : 0;
                Fit(view, view.askBeforeOverwrite != 0);
                continue;
            }
            if (!view.OpenFile(group.files[0].c_str()))
                continue;
            view.askBeforeOverwrite = 1;
            CLayerDocument& doc = view.doc;
            for (size_t i = 1; i < group.files.size(); ++i) {
                if (!doc.AddImageFileLayer(group.files[i].c_str()))
                    continue;
                CLayerInfo* layer = doc.layers.GetCurrentLayer();
                layer->location = ZVPOINTF{static_cast<float>(doc.canvasRect.left + 60 * i),
                                           static_cast<float>(doc.canvasRect.top + 40 * i)};
                doc.UpdateLayerOrigin(layer);
            }
            if (group.files.size() > 1) {
                CLayerInfo* top = doc.layers.GetCurrentLayer();
                top->shadowOn = 1;
                top->SetAngle(static_cast<float>(20.0 * 3.14159265358979 / 180.0));
            }
            Fit(view, true);
        }
    }

    static void Fit(CPicEditView& view, bool opened)
    {
        if (!opened)
            return;
        view.UpdateClientRect();
        view.SendMessage(WM_SIZE);
        view.Recompose();
        view.NotifyLayersChanged();
    }

    // The outline or rectangle a drag from (left, top) to (right, bottom) gives with the view's tool.
    static void PlayDrag(CPicEditView& view, RECT r)
    {
        CLayerDocument& doc = view.doc;
        const int sx = static_cast<int>(doc.hPos * doc.hStep), sy = static_cast<int>(doc.vPos * doc.vStep);
        RECT canvas = {r.left + sx, r.top + sy, r.right + sx, r.bottom + sy};
        NormalizeRect(&canvas);
        switch (view.tool) {
        case 4: {
            const float l = static_cast<float>(canvas.left), t = static_cast<float>(canvas.top);
            const float rr = static_cast<float>(canvas.right), b = static_cast<float>(canvas.bottom);
            doc.pathPoints = {{l, t}, {rr, t}, {rr, b}, {l, b}, {l, t}};
            break;
        }
        case 6: doc.MakeEllipsePath(canvas.left, canvas.top, canvas.right, canvas.bottom); break;
        case 10:
            // The heart is built around its notch; the tracker of the drag then sizes it.
            doc.MakeHeartPath(canvas.left, canvas.top, canvas.right, canvas.bottom);
            view.selectionTracker.m_rect = r;
            NormalizeRect(&view.selectionTracker.m_rect);
            view.FitOutlineToTracker();
            break;
        case 11: view.SelectAll(); break;
        case 13: view.selectionTracker.m_rect = r; break;
        default:
            if (view.tool == 0 || (view.tool >= 4 && view.tool <= 13))
                break;
            PlayMouse(view, r);
            return;
        }
        if (!doc.pathPoints.empty() && view.tool != 11) {
            view.ResetTrackerToOutline();
            view.ApplySelection();
        }
        view.dragStart = POINT{r.left, r.top};
        view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        view.OnMouseNotify(view.tool, 0, r.right, r.bottom);
    }

    // The drag as the mouse gives it: press, 40 moves, release; then the tool's pointer drawn
    // where it was left.
    static void PlayMouse(CPicEditView& view, RECT r)
    {
        const int moves = 40;
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left, r.top));
        for (int i = 1; i <= moves; ++i) {
            const int x = r.left + (r.right - r.left) * i / moves;
            // A gentle wave, as a hand draws, ending on the drag's end.
            const int y = r.top + (r.bottom - r.top) * i / moves + static_cast<int>(20 * std::sin(i * 3 * 3.14159265 / moves));
            view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        }
        view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.right, r.bottom));
        view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(r.right, r.bottom));
        // Once the release's refresh has been painted.
        ::SetTimer(nullptr, 0, 800, PointerTimer);
    }

    static void DrawPointer(CPicEditView& view, POINT at)
    {
        view.SetToolCursor();
        if (!view.brushIcon.IsValid())
            return;
        CClientDC dc(&view);
        ICONINFO info = {};
        ::GetIconInfo(view.brushIcon.Get(), &info);
        ::DrawIconEx(dc.m_hDC, at.x - static_cast<int>(info.xHotspot), at.y - static_cast<int>(info.yHotspot),
                     view.brushIcon.Get(), 0, 0, 0, nullptr, DI_NORMAL);
        if (info.hbmMask)
            ::DeleteObject(info.hbmMask);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
    }

    static void CALLBACK PointerTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK DragTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK ShadowTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK ViewCommandTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK MenuTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK OpenMenuTimer(HWND, UINT, UINT_PTR id, DWORD);
    bool m_shadow = false;
    bool m_layerMenu = false;
    UINT m_command = 0;
    UINT m_viewCommand = 0;

    std::unique_ptr<CDemoHost> m_host;
    CDemoPrintDialog m_printDialog;
    RECT m_dragRect = {};
};

CEditorDemoApp theApp;

void CALLBACK CEditorDemoApp::MenuTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (!frame || !frame->m_child)
        return;
    // The menu opens where the pointer is: over the middle of the current layer.
    CPicEditView& view = frame->m_child->view;
    CLayerInfo* layer = view.doc.layers.GetCurrentLayer();
    if (!layer)
        return;
    const POINT corner = layer->GetFrameTopLeft();
    POINT at = {corner.x + static_cast<LONG>(layer->width * view.doc.zoom / 2),
                corner.y + static_cast<LONG>(layer->height * view.doc.zoom / 2)};
    view.ClientToScreen(&at);
    ::SetCursorPos(at.x, at.y);
    // The display takes the pointer's move in its own time; the menu asks for it a little later.
    ::SetTimer(nullptr, 0, 300, OpenMenuTimer);
}

void CALLBACK CEditorDemoApp::OpenMenuTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        frame->m_child->view.OnLayerMenuRequest();
}

void CALLBACK CEditorDemoApp::ViewCommandTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        frame->m_child->view.PostMessage(WM_COMMAND, theApp.m_viewCommand);
}

void CALLBACK CEditorDemoApp::ShadowTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        frame->m_child->view.EditLayerShadow();
}

void CALLBACK CEditorDemoApp::PointerTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        DrawPointer(frame->m_child->view, POINT{theApp.m_dragRect.right, theApp.m_dragRect.bottom});
}

void CALLBACK CEditorDemoApp::DragTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        PlayDrag(frame->m_child->view, theApp.m_dragRect);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
