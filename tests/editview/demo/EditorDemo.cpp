// A frame with one canvas, for screenshots of the canvas window:
//   EditorDemo BACKGROUND [LAYER...]
// The first picture is the background; each further one becomes a layer placed in cascade, and
// the top one is turned by 20 degrees, given a shadow and left current.
#include <windows.h>
#include <shellapi.h>
#include <cmath>
#include "LayeredViewWnd.h"
#include "SkinUI.h"

namespace {

class CDemoFrame : public CFrameWnd {
public:
    CLayeredViewWnd m_canvas;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        return m_canvas.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 10, 10), this,
                                 AFX_IDW_PANE_FIRST) ? 0 : -1;
    }
    afx_msg void OnSize(UINT type, int cx, int cy)
    {
        CFrameWnd::OnSize(type, cx, cy);
        if (m_canvas.m_hWnd)
            m_canvas.MoveWindow(0, 0, cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

class CEditorDemoApp : public CBCGPWinApp {
public:
    CEditorDemoApp() : CBCGPWinApp(L"EditorDemo") {}

    BOOL InitInstance() override
    {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        auto* frame = new CDemoFrame;
        if (!frame->Create(nullptr, L"Lumivo canvas", WS_OVERLAPPEDWINDOW, CRect(40, 30, 1000, 720)))
            return FALSE;
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        Open(frame->m_canvas);
        return TRUE;
    }

private:
    static void Open(CLayeredViewWnd& canvas)
    {
        int count = 0;
        LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
        CLayerDocument& doc = canvas.doc;
        canvas.UpdateClientRect();
        if (count > 1 && doc.OpenImageFile(args[1])) {
            doc.historyOn = 1;
            for (int i = 2; i < count; ++i) {
                if (!doc.AddImageFileLayer(args[i]))
                    continue;
                // In cascade from the canvas's top left.
                CLayerInfo* layer = doc.layers.GetCurrentLayer();
                layer->location = ZVPOINTF{static_cast<float>(doc.canvasRect.left + 60 * (i - 1)),
                                           static_cast<float>(doc.canvasRect.top + 40 * (i - 1))};
                doc.UpdateLayerOrigin(layer);
            }
            if (count > 2) {
                doc.layers.GetCurrentLayer()->shadowOn = 1;
                doc.layers.GetCurrentLayer()->SetAngle(static_cast<float>(20.0 * 3.14159265358979 / 180.0));
            }
            canvas.filePath = args[1];
        }
        ::LocalFree(args);
        canvas.SendMessage(WM_SIZE);
        canvas.Recompose();
    }
};

CEditorDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
