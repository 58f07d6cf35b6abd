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

CCanvas::CCanvas(int width, int height, COLORREF fill)
{
    m_dc.CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_old = ::SelectObject(m_dc.m_hDC, m_bitmap);
    m_dc.FillSolidRect(0, 0, width, height, fill);
}

CCanvas::~CCanvas()
{
    ::SelectObject(m_dc.m_hDC, m_old);
    ::DeleteObject(m_bitmap);
}
