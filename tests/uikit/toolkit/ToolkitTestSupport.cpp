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

COLORREF BitmapPixel(CBitmap& bitmap, int x, int y)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    const COLORREF color = dc.GetPixel(x, y);
    dc.SelectObject(old);
    return color;
}

