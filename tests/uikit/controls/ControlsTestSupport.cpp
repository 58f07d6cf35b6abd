#include "ControlsTestSupport.h"

namespace {
class CControlsTestApp : public CWindowTestApp<> {
public:
    CControlsTestApp() : CWindowTestApp(L"ControlsTests") {}
};
CControlsTestApp theApp;
} // namespace

CControlsHost::~CControlsHost()
{
    if (m_hWnd)
        DestroyWindow();
}

bool CControlsHost::Open(const CRect& rect)
{
    return CreateEx(0, globalData.RegisterWindowClass(L"ControlsHost"), L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr,
                    0) != FALSE;
}

LRESULT CControlsHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam)
            commands.push_back(HIWORD(wParam));
        break;
    case WM_HSCROLL:
        scrolls.emplace_back(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_MOUSEMOVE:
        ++mouseMoves;
        break;
    case kDropCapture:
        ::ReleaseCapture();
        return 0;
    case kPing:
        ++appPings;
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

