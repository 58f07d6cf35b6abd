// An editor main window with one picture window holding the picture edit view, for screenshots:
//   EditorDemo [--tool N] [--drag x1,y1,x2,y2] [--shadow] [--layer-menu] [--options] [--rename]
//              [--command ID] [BACKGROUND [LAYER...]]
// The first picture is the background; each further one becomes a layer placed in cascade, and
// the top one is turned by 20 degrees, given a shadow and left current. A recording host shows
// the view's status texts in the status bar. --tool chooses the view's tool (also the Tools
// menu); --drag plays a drag after start: the selection tools draw their outline over it, the
// crop tool its rectangle. --shadow opens the current layer's shadow dialog, --layer-menu the
// layer menu over the middle of the current layer (as the layer frame's menu button does);
// --options and --rename the layer's options and rename dialogs. The File and Layer menus run the
// editor frame's new-picture commands on the picture window; --command runs one after start
// (32926 New, 33021 a blank layer, 33221 From Camera).
#include <windows.h>
#include <shellapi.h>
#include <cmath>
#include <cwchar>
#include <memory>
#include <shlwapi.h>
#include <string>
#include <vector>
#include "LumivoToolsIds.h"
#include "MainFrameNewCommands.h"
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
                           {13, L"&Crop"},          {16, L"&Brush"}};

class CDemoMainFrame;

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
    void RefreshLayerList() override {}
    ShapeSettings GetShapeSettings() override { return m_shape; }
    void SetShapeSettings(const ShapeSettings& settings) override { m_shape = settings; }
    void SetShapeSize(int width, int height) override
    {
        m_shape.width = width;
        m_shape.height = height;
    }
    void SelectDefaultTool() override {}
    void ShowShapeOptions() override {}
    CStringW GetBrushFile() override { return CStringW(); }
    HWND GetColourTarget() override { return nullptr; }

private:
    CBCGPRibbonStatusBar& m_bar;
    ShapeSettings m_shape;
};

class CPictureChild : public CBCGPMDIChildWnd {
public:
    CPicEditView m_view;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_CREATE && !m_view.m_hWnd)
            m_view.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 10, 10), this,
                            AFX_IDW_PANE_FIRST);
        if (message == WM_SIZE && m_view.m_hWnd) {
            CRect client;
            GetClientRect(&client);
            m_view.MoveWindow(client);
        }
        return CBCGPMDIChildWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// The frame's side of the new-picture commands: the demo's one picture window takes every new
// picture.
class CDemoMainFrame : public CBCGPMDIFrameWnd, public INewPictureFrame {
public:
    CBCGPRibbonStatusBar m_status;
    CPictureChild* m_child = nullptr;
    CNewPictureCommands m_newPictures{*this};

    CPicEditView* GetActiveEditView() override { return m_child ? &m_child->m_view : nullptr; }
    CPicEditView* CreatePictureWindow() override { return GetActiveEditView(); }
    void ShowPictureWindow(CPicEditView& view) override
    {
        view.SendMessage(WM_SIZE);
        view.Recompose();
    }
    void DiscardPictureWindow(CPicEditView&) override {}
    void OpenFileInEditor(const wchar_t* path) override
    {
        CPicEditView& view = m_child->m_view;
        view.UpdateClientRect();
        if (view.OpenFile(path))
            view.Recompose();
    }
    void SelectPointerTool() override
    {
        m_child->m_view.tool = 3;
        m_child->m_view.SetToolCursor();
    }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_newPictures.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return CBCGPMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    BOOL Build(const wchar_t* title)
    {
        HMENU menu = ::CreateMenu();
        HMENU file = ::CreatePopupMenu();
        ::AppendMenuW(file, MF_STRING, ID_FILE_NEW_PICTURE, L"&New...\tCtrl+N");
        ::AppendMenuW(file, MF_STRING, ID_FILE_FROM_CAMERA, L"From &Camera");
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
        m_child = new CPictureChild;
        if (!m_child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, rectDefault,
                             this))
            return FALSE;
        RecalcLayout();
        m_child->ShowWindow(SW_SHOWMAXIMIZED);
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        if (m_child && id >= ID_TOOL_FIRST && id < ID_TOOL_FIRST + 64) {
            m_child->m_view.tool = static_cast<int>(id - ID_TOOL_FIRST);
            m_child->m_view.SetToolCursor();
            m_child->m_view.Invalidate(FALSE);
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
            } else if (wcscmp(args[i], L"--command") == 0 && i + 1 < count) {
                m_command = static_cast<UINT>(_wtoi(args[++i]));
            } else if (wcscmp(args[i], L"--layer-menu") == 0) {
                m_layerMenu = true;
            } else if (wcscmp(args[i], L"--shadow") == 0) {
                m_shadow = true;
            } else if (wcscmp(args[i], L"--options") == 0) {
                m_viewCommand = ID_LAYER_OPTIONS;
            } else if (wcscmp(args[i], L"--rename") == 0) {
                m_viewCommand = ID_LAYER_RENAME;
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
        const wchar_t* name = files.empty() ? L"Untitled" : ::PathFindFileNameW(files[0].c_str());
        if (!frame->Build(name))
            return FALSE;
        m_host = std::make_unique<CDemoHost>(frame->m_status);
        SetEditorHost(m_host.get());
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        CPicEditView& view = frame->m_child->m_view;
        view.tool = tool;
        Open(view, files);
        view.SetToolCursor();
        if (m_shadow)
            ::SetTimer(nullptr, 0, 500, ShadowTimer);
        if (m_command)
            ::SetTimer(nullptr, 0, 500, CommandTimer);
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
        return CBCGPWinApp::ExitInstance();
    }

private:
    static void Open(CPicEditView& view, const std::vector<std::wstring>& files)
    {
        CLayerDocument& doc = view.doc;
        view.UpdateClientRect();
        if (!files.empty() && view.OpenFile(files[0].c_str())) {
            for (size_t i = 1; i < files.size(); ++i) {
                if (!doc.AddImageFileLayer(files[i].c_str()))
                    continue;
                // In cascade from the canvas's top left.
                CLayerInfo* layer = doc.layers.GetCurrentLayer();
                layer->location = ZVPOINTF{static_cast<float>(doc.canvasRect.left + 60 * i),
                                           static_cast<float>(doc.canvasRect.top + 40 * i)};
                doc.UpdateLayerOrigin(layer);
            }
            if (files.size() > 1) {
                doc.layers.GetCurrentLayer()->shadowOn = 1;
                doc.layers.GetCurrentLayer()->SetAngle(static_cast<float>(20.0 * 3.14159265358979 / 180.0));
            }
        }
        view.SendMessage(WM_SIZE);
        view.Recompose();
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
        default: break;
        }
        if (!doc.pathPoints.empty() && view.tool != 11) {
            view.ResetTrackerToOutline();
            view.ApplySelection();
        }
        view.dragStart = POINT{r.left, r.top};
        view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        view.OnMouseNotify(view.tool, 0, r.right, r.bottom);
    }

    static void CALLBACK DragTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK ShadowTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK CommandTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK ViewCommandTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK MenuTimer(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK OpenMenuTimer(HWND, UINT, UINT_PTR id, DWORD);
    bool m_shadow = false;
    bool m_layerMenu = false;
    UINT m_command = 0;
    UINT m_viewCommand = 0;

    std::unique_ptr<CDemoHost> m_host;
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
    CPicEditView& view = frame->m_child->m_view;
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
        frame->m_child->m_view.OnLayerMenuRequest();
}

void CALLBACK CEditorDemoApp::ViewCommandTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        frame->m_child->m_view.PostMessage(WM_COMMAND, theApp.m_viewCommand);
}

void CALLBACK CEditorDemoApp::ShadowTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        frame->m_child->m_view.EditLayerShadow();
}

void CALLBACK CEditorDemoApp::CommandTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    if (theApp.m_pMainWnd)
        theApp.m_pMainWnd->PostMessage(WM_COMMAND, theApp.m_command);
}

void CALLBACK CEditorDemoApp::DragTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        PlayDrag(frame->m_child->m_view, theApp.m_dragRect);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
