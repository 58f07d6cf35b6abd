#include "SkinnedFrame.h"
#include <algorithm>
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace skinui {

FrameParts LayoutFrame(CSize window, CPoint clientTopLeft, int clientWidth, bool hasCloseBox, bool hasIcon)
{
    FrameParts parts;
    // The side border is as thick as the client's left offset; the caption fills the rest of
    // the space above the client.
    const int border = clientTopLeft.x;
    parts.caption = CRect(border, std::min<int>(border, clientTopLeft.y), border + clientWidth, clientTopLeft.y);
    if (parts.caption.IsRectEmpty())
        return parts;
    const int h = parts.caption.Height();
    if (hasCloseBox) {
        // As wide as flat looks make it: a little wider than high.
        const int w = std::min(parts.caption.Width() / 2, h * 3 / 2 + 8);
        parts.close = CRect(parts.caption.right - w, parts.caption.top, parts.caption.right, parts.caption.bottom);
    }
    if (hasIcon) {
        const int size = std::min(16, h - 2);
        parts.icon = CRect(CPoint(parts.caption.left + 6, parts.caption.top + (h - size) / 2), CSize(size, size));
    }
    (void)window;
    return parts;
}

FrameParts SkinnedFrame::Parts(CWnd* wnd) const
{
    CRect window, client;
    wnd->GetWindowRect(&window);
    wnd->GetClientRect(&client);
    wnd->ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    const DWORD style = wnd->GetStyle();
    HICON icon = reinterpret_cast<HICON>(wnd->SendMessage(WM_GETICON, ICON_SMALL));
    return LayoutFrame(window.Size(), client.TopLeft(), client.Width(), (style & WS_SYSMENU) != 0, icon != nullptr);
}

void SkinnedFrame::Paint(CWnd* wnd)
{
    CRect window, client;
    wnd->GetWindowRect(&window);
    wnd->GetClientRect(&client);
    wnd->ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    const FrameParts parts = Parts(wnd);
    CWindowDC windowDc(wnd);
    HDC hdc = windowDc.m_hDC;
    if (!hdc)
        return;
    ::ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    CDC* dc = CDC::FromHandle(hdc);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    // The frame and caption continue the window's own background, so that the window reads as
    // one surface; a thin line in the accent colour marks the active window.
    manager->OnFillDialog(dc, wnd, window);
    // Activation may have come before the window was ours: ask the system as well.
    const bool active = m_active || ::GetActiveWindow() == wnd->GetSafeHwnd();
    const COLORREF line = active ? manager->GetAccentColor() : globalData.clrBarShadow;
    CBCGPDrawManager(*dc).DrawRect(window, (COLORREF)-1, line);
    if (!parts.caption.IsRectEmpty()) {
        int textLeft = parts.caption.left + 8;
        if (!parts.icon.IsRectEmpty()) {
            HICON icon = reinterpret_cast<HICON>(wnd->SendMessage(WM_GETICON, ICON_SMALL));
            ::DrawIconEx(hdc, parts.icon.left, parts.icon.top, icon, parts.icon.Width(), parts.icon.Height(), 0, nullptr, DI_NORMAL);
            textLeft = parts.icon.right + 6;
        }
        CString title;
        wnd->GetWindowText(title);
        CRect text(textLeft, parts.caption.top, parts.close.IsRectEmpty() ? parts.caption.right - 8 : parts.close.left - 4,
                   parts.caption.bottom);
        {
            const win32::ScopedSelect font(hdc, globalData.fontRegular.GetSafeHandle());
            dc->SetBkMode(TRANSPARENT);
            dc->SetTextColor(active ? globalData.clrBarText : globalData.clrGrayedText);
            dc->DrawText(title, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
        if (!parts.close.IsRectEmpty())
            manager->OnDrawCaptionButton(dc, parts.close, BCGP_CAPTION_CLOSE, IsCloseHot(), m_pressedClose && IsCloseHot(), FALSE);
    }
}

LRESULT SkinnedFrame::AdjustHitTest(CWnd* wnd, LPARAM lParam, LRESULT hit) const
{
    CRect window;
    wnd->GetWindowRect(&window);
    const CPoint pt(static_cast<short>(LOWORD(lParam)) - window.left, static_cast<short>(HIWORD(lParam)) - window.top);
    if (Parts(wnd).close.PtInRect(pt))
        return HTCLOSE;
    // The system's buttons are not drawn: their places are caption.
    if (hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON || hit == HTHELP)
        return HTCAPTION;
    return hit;
}

bool SkinnedFrame::HandleMessage(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_NCPAINT:
        Paint(wnd);
        *pResult = 0;
        return true;
    case WM_NCACTIVATE:
        // -1 keeps the system from drawing its own caption over ours.
        m_active = wParam != FALSE;
        *pResult = wnd->DefWindowProc(message, wParam, -1);
        Paint(wnd);
        return true;
    case WM_SETTEXT:
    case WM_SETICON:
        // The system repaints its caption on these; ours goes over it at once.
        *pResult = wnd->DefWindowProc(message, wParam, lParam);
        Paint(wnd);
        return true;
    case WM_NCMOUSEMOVE:
        if (m_closeHover.Move(wnd->GetSafeHwnd(), wParam == HTCLOSE))
            Paint(wnd);
        *pResult = 0;
        return true;
    case WM_NCMOUSELEAVE: {
        const bool wasPressed = m_pressedClose;
        m_pressedClose = false;
        if (m_closeHover.Leave() || wasPressed)
            Paint(wnd);
        *pResult = 0;
        return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCLOSE) {
            m_pressedClose = true;
            m_closeHover.Set(true);
            Paint(wnd);
            *pResult = 0;
            return true;
        }
        return false;
    case WM_NCLBUTTONUP:
        if (wParam == HTCLOSE && m_pressedClose) {
            m_pressedClose = false;
            Paint(wnd);
            wnd->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
            *pResult = 0;
            return true;
        }
        m_pressedClose = false;
        return false;
    default:
        return false;
    }
}
} // namespace skinui
