// An editor main window with one picture window holding the picture edit view, for screenshots:
//   EditorDemo [--tool N] [--drag x1,y1,x2,y2] [--shadow] BACKGROUND [LAYER...]
// The first picture is the background; each further one becomes a layer placed in cascade, and
// the top one is turned by 20 degrees, given a shadow and left current. A recording host shows
// the view's status texts in the status bar. --tool chooses the view's tool (also the Tools
// menu); --drag plays a drag after start: the selection tools draw their outline over it, the
// crop tool its rectangle; the shape, line and paint tools get the button and pointer messages
// of the drag, and the pointer is drawn where it ends (screenshots leave it out). --shadow
// opens the current layer's shadow dialog.
#include <windows.h>
#include <shellapi.h>
#include <cmath>
#include <cwchar>
#include <memory>
#include <shlwapi.h>
#include <string>
#include <vector>
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

// The brush type each paint tool of the demo paints with.
int DemoBrushType(int tool)
{
    switch (tool) {
    case 17: return 2;
    case 20: return 3;
    case 18: return 16;
    case 19: return 15;
    case 31: return 4;
    case 32: return 13;
    case 34: return 14;
    default: return tool >= 23 && tool <= 30 ? 5 : 1;
    }
}

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
    CStringW GetBrushFile() override { return DemoBrushFile(); }
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

// The paint tools get a soft round brush of 30 pixels in orange, stamped every 2 pixels so that
// the stroke's edge is smooth.
void SetUpTool(CPicEditView& view)
{
    view.paintColour = RGBQUAD{0x20, 0x90, 0xFF, 0};
    view.SetBrushOptions(DemoBrushType(view.tool), 30, 7, 255, FALSE, 2, 0);
    view.SetToolCursor();
}

class CDemoMainFrame : public CBCGPMDIFrameWnd {
public:
    CBCGPRibbonStatusBar m_status;
    CPictureChild* m_child = nullptr;

    BOOL Build(const wchar_t* title)
    {
        HMENU menu = ::CreateMenu();
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
            SetUpTool(m_child->m_view);
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
            } else if (wcscmp(args[i], L"--shadow") == 0) {
                m_shadow = true;
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
        SetUpTool(view);
        if (m_shadow)
            ::SetTimer(nullptr, 0, 500, ShadowTimer);
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
    bool m_shadow = false;

    std::unique_ptr<CDemoHost> m_host;
    RECT m_dragRect = {};
};

CEditorDemoApp theApp;

void CALLBACK CEditorDemoApp::ShadowTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        frame->m_child->m_view.EditLayerShadow();
}

void CALLBACK CEditorDemoApp::PointerTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* frame = static_cast<CDemoMainFrame*>(theApp.m_pMainWnd);
    if (frame && frame->m_child)
        DrawPointer(frame->m_child->m_view, POINT{theApp.m_dragRect.right, theApp.m_dragRect.bottom});
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
