#include "ToolkitTestSupport.h"
#include "KQFlatButton.h"

CToolkitHost::~CToolkitHost()
{
    if (m_hWnd)
        DestroyWindow();
}

bool CToolkitHost::Open(const CRect& rect)
{
    return CreateEx(0, globalData.RegisterWindowClass(L"ToolkitHost"), L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0) !=
           FALSE;
}

LRESULT CToolkitHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KQ_LONGPRESS_DOWN)
        notes += 'D';
    else if (message == WM_KQ_LONGPRESS_UP)
        notes += 'U';
    return CWnd::WindowProc(message, wParam, lParam);
}

CPixelCanvas::CPixelCanvas(int width, int height, COLORREF fill)
{
    m_dc.CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(m_dc.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_old = m_dc.SelectObject(&m_bitmap);
    m_dc.FillSolidRect(0, 0, width, height, fill);
}

CPixelCanvas::~CPixelCanvas()
{
    m_dc.SelectObject(m_old);
}

COLORREF BitmapPixel(CBitmap& bitmap, int x, int y)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    const COLORREF color = dc.GetPixel(x, y);
    dc.SelectObject(old);
    return color;
}

std::string ColorText(COLORREF color)
{
    return std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) + "," + std::to_string(GetBValue(color));
}
