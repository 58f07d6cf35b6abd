#include "MiniFrameWnd.h"
#include <windowsx.h>
#include "DockManager.h"
#include "DockingControlBar.h"
#include "GlobalData.h"
#include "VisualManager.h"

IMPLEMENT_DYNCREATE(CBCGPMiniFrameWnd, CWnd)

void CBCGPMiniFrameWnd::RecalcCaptionHeight()
{
    m_nCaptionHeight = globalData.GetTextHeight() + 10;
}

CString CBCGPMiniFrameWnd::GetCaptionText() const
{
    CString caption;
    if (m_pBar && m_pBar->m_hWnd)
        m_pBar->GetWindowText(caption);
    return caption;
}

BOOL CBCGPMiniFrameWnd::Create(CBCGPBaseControlBar* pBar, const CRect& rectClient, bool bShow)
{
    if (!pBar || !pBar->m_hWnd || m_hWnd)
        return FALSE;
    CFrameWnd* site = pBar->GetDockSiteFrameWnd();
    CWnd* owner = site ? site->GetTopLevelParent() : nullptr;
    RecalcCaptionHeight();
    const int border = GetBorderSize();
    const CRect window(rectClient.left - border, rectClient.top - border - GetCaptionHeight(), rectClient.right + border,
                       rectClient.bottom + border);
    const CString cls = globalData.RegisterWindowClass(L"BCGPMiniFrame");
    // The caption text comes with the first layout, once the frame holds the bar.
    if (!CreateEx(WS_EX_TOOLWINDOW, cls, L"", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, window.left, window.top,
                  window.Width(), window.Height(), owner ? owner->m_hWnd : nullptr, nullptr))
        return FALSE;
    m_pBar = pBar;
    pBar->m_pMiniFrame = this;
    pBar->SetParent(this);
    pBar->SetWindowPos(nullptr, 0, 0, rectClient.Width(), rectClient.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    AdjustLayout();
    if (bShow)
        ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

void CBCGPMiniFrameWnd::AdjustLayout()
{
    if (!m_hWnd || !m_pBar || !m_pBar->m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_pBar->SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    const CString caption = GetCaptionText();
    CString mine;
    GetWindowText(mine);
    if (caption != mine) {
        SetWindowText(caption);
        SendMessage(WM_NCPAINT, 1);
    }
    // Where the bar floats next time.
    ClientToScreen(&client);
    m_pBar->m_rectRecentFloating = client;
}

void CBCGPMiniFrameWnd::RecalcLayout()
{
    if (!m_hWnd || !m_pBar || !m_pBar->m_hWnd)
        return;
    const CSize size = m_pBar->CalcFloatingSize();
    const int border = GetBorderSize();
    SetWindowPos(nullptr, 0, 0, size.cx + 2 * border, size.cy + 2 * border + GetCaptionHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    AdjustLayout();
}

void CBCGPMiniFrameWnd::OnMoveUpdate()
{
    AdjustLayout();
}

LRESULT CBCGPMiniFrameWnd::HitTest(CPoint point, BOOL bDetectCaption)
{
    CRect window;
    GetWindowRect(&window);
    const CPoint pt(point.x - window.left, point.y - window.top);
    const int b = GetBorderSize() + 2;
    const bool left = pt.x < b, right = pt.x >= window.Width() - b, top = pt.y < b, bottom = pt.y >= window.Height() - b;
    if (top && left) return HTTOPLEFT;
    if (top && right) return HTTOPRIGHT;
    if (bottom && left) return HTBOTTOMLEFT;
    if (bottom && right) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    if (GetCloseButtonRect().PtInRect(pt)) return HTCLOSE;
    if (GetCaptionRect().PtInRect(pt)) return bDetectCaption ? HTCAPTION : HTCLIENT;
    return HTCLIENT;
}

void CBCGPMiniFrameWnd::OnCapture(BOOL bOnOff)
{
    m_bCaptured = bOnOff;
    if (bOnOff) {
        SetCapture();
    } else if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
}

void CBCGPMiniFrameWnd::ReleaseBar()
{
    CBCGPBaseControlBar* bar = m_pBar;
    m_pBar = nullptr;
    if (bar && bar->m_hWnd) {
        AdjustLayoutOf(bar);
        bar->m_pMiniFrame = nullptr;
        bar->ShowWindow(SW_HIDE);
        bar->SetParent(bar->GetDockSiteFrameWnd());
        bar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (m_hWnd)
        DestroyWindow();
}

void CBCGPMiniFrameWnd::AdjustLayoutOf(CBCGPBaseControlBar* pBar)
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    pBar->m_rectRecentFloating = client;
}

void CBCGPMiniFrameWnd::CloseMiniFrame()
{
    if (m_pBar)
        m_pBar->ShowControlBar(FALSE, FALSE, FALSE);
    else
        DestroyWindow();
}

CRect CBCGPMiniFrameWnd::GetCaptionRect() const
{
    CRect window;
    GetWindowRect(&window);
    const int border = GetBorderSize();
    return CRect(border, border, window.Width() - border, border + GetCaptionHeight());
}

CRect CBCGPMiniFrameWnd::GetCloseButtonRect() const
{
    const CRect caption = GetCaptionRect();
    const int size = caption.Height() - 6;
    return CRect(caption.right - size - 2, caption.top + 3, caption.right - 2, caption.top + 3 + size);
}

void CBCGPMiniFrameWnd::DrawFrame(CDC* pDC)
{
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const CRect caption = GetCaptionRect();
    manager->OnDrawMiniFrame(pDC, window, caption, m_bActive);
    CString text;
    GetWindowText(text);
    CRect textRect = caption;
    textRect.left += 6;
    if (m_pBar)
        if (HICON icon = m_pBar->GetIcon(FALSE)) {
            ::DrawIconEx(pDC->m_hDC, textRect.left, textRect.CenterPoint().y - globalData.GetSmallIconSize() / 2, icon, globalData.GetSmallIconSize(), globalData.GetSmallIconSize(), 0, nullptr, DI_NORMAL);
            textRect.left += globalData.GetSmallIconSpace();
        }
    textRect.right = GetCloseButtonRect().left - 2;
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(manager->GetPaneCaptionTextColor(m_bActive));
    pDC->DrawText(text, textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(old);
    manager->OnDrawPaneCaptionButton(pDC, GetCloseButtonRect(), HTCLOSE, FALSE, m_bActive, m_closeHover.Hot(), m_bClosePressed);
}

BOOL CBCGPMiniFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        const int border = GetBorderSize();
        r->left += border;
        r->right -= border;
        r->top += border + GetCaptionHeight();
        r->bottom -= border;
        r->right = std::max(r->right, r->left);
        r->bottom = std::max(r->bottom, r->top);
        *pResult = 0;
        return TRUE;
    }
    case WM_NCPAINT: {
        CWindowDC dc(this);
        CRect client;
        GetClientRect(&client);
        ClientToScreen(&client);
        CRect window;
        GetWindowRect(&window);
        client.OffsetRect(-window.left, -window.top);
        dc.ExcludeClipRect(client);
        DrawFrame(&dc);
        *pResult = 0;
        return TRUE;
    }
    case WM_NCACTIVATE:
        m_bActive = wParam != 0;
        SendMessage(WM_NCPAINT, 1);
        *pResult = TRUE;
        return TRUE;
    case WM_NCHITTEST:
        *pResult = HitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), TRUE);
        return TRUE;
    case WM_NCMOUSEMOVE:
        if (m_closeHover.Move(m_hWnd, wParam == HTCLOSE))
            SendMessage(WM_NCPAINT, 1);
        break;
    case WM_NCMOUSELEAVE:
        if (m_closeHover.Leave())
            SendMessage(WM_NCPAINT, 1);
        break;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCLOSE) {
            m_bClosePressed = TRUE;
            SendMessage(WM_NCPAINT, 1);
            SetCapture();
            *pResult = 0;
            return TRUE;
        }
        // A press on the caption moves the frame while the mouse stays captured.
        if (wParam == HTCAPTION) {
            m_ptCaptureStart = CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            CRect window;
            GetWindowRect(&window);
            m_ptFrameStart = window.TopLeft();
            m_bMovedSinceCapture = FALSE;
            OnCapture(TRUE);
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_bCaptured) {
            CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            ClientToScreen(&pt);
            const CPoint to = m_ptFrameStart + (pt - m_ptCaptureStart);
            CRect window;
            GetWindowRect(&window);
            if (to != window.TopLeft()) {
                m_bMovedSinceCapture = TRUE;
                SetWindowPos(nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_bCaptured && reinterpret_cast<HWND>(lParam) != m_hWnd)
            OnCapture(FALSE);
        break;
    case WM_LBUTTONUP:
        if (m_bCaptured) {
            OnCapture(FALSE);
            // Dropped over a docking zone of the frame: docked there.
            if (m_bMovedSinceCapture && m_pBar) {
                CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                ClientToScreen(&pt);
                if (CBCGPDockManager* manager = m_pBar->GetDockManager())
                    manager->DockAtPoint(m_pBar, pt);
            }
            *pResult = 0;
            return TRUE;
        }
        if (m_bClosePressed) {
            m_bClosePressed = FALSE;
            ::ReleaseCapture();
            CPoint pt;
            ::GetCursorPos(&pt);
            CRect window;
            GetWindowRect(&window);
            SendMessage(WM_NCPAINT, 1);
            if (GetCloseButtonRect().PtInRect(CPoint(pt.x - window.left, pt.y - window.top)))
                CloseMiniFrame();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        // Back where the bar was docked last.
        if (wParam == HTCAPTION && m_pBar) {
            m_pBar->DockToFrameWindow(0);
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_SIZE:
        AdjustLayout();
        break;
    case WM_MOVE:
        OnMoveUpdate();
        break;
    case WM_MOVING:
        m_bMoving = TRUE;
        break;
    case WM_EXITSIZEMOVE:
        // Only a frame that was moved docks where it was dropped, not one that was resized.
        if (m_pBar && m_bMoving) {
            m_bMoving = FALSE;
            CPoint pt;
            ::GetCursorPos(&pt);
            if (CBCGPDockManager* manager = m_pBar->GetDockManager())
                manager->DockAtPoint(m_pBar, pt);
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_CLOSE:
        CloseMiniFrame();
        *pResult = 0;
        return TRUE;
    case WM_COMMAND:
    case WM_NOTIFY:
        // The bar's commands are its frame's.
        if (m_pBar)
            if (CFrameWnd* site = m_pBar->GetDockSiteFrameWnd()) {
                *pResult = site->SendMessage(message, wParam, lParam);
                return TRUE;
            }
        break;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CBCGPMiniFrameWnd::PostNcDestroy()
{
    if (m_pBar)
        m_pBar->m_pMiniFrame = nullptr;
    delete this;
}
