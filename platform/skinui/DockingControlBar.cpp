#include "DockingControlBar.h"
#include <windowsx.h>
#include <algorithm>
#include "DockManager.h"
#include "GlobalData.h"
#include "MiniFrameWnd.h"
#include "TabbedControlBar.h"
#include "VisualManager.h"

namespace {
const UINT_PTR kSlideTimer = 1;
} // namespace

IMPLEMENT_DYNCREATE(CBCGPDockingControlBar, CBCGPBaseControlBar)

BEGIN_MESSAGE_MAP(CBCGPDockingControlBar, CBCGPBaseControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CBCGPDockingControlBar::CBCGPDockingControlBar() = default;

CBCGPDockingControlBar::~CBCGPDockingControlBar() = default;

BOOL CBCGPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                                    DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwBCGStyle)
{
    return Create(lpszCaption, pParentWnd, CSize(rect.right - rect.left, rect.bottom - rect.top), bHasGripper, nID, dwStyle,
                  dwTabbedStyle, dwBCGStyle);
}

BOOL CBCGPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                                    DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwBCGStyle)
{
    m_bHasGripper = bHasGripper;
    m_dwTabbedStyle = dwTabbedStyle;
    // A pane of no size would vanish from its side.
    m_sizeDocked = CSize(sizeDefault.cx > 0 ? sizeDefault.cx : 200, sizeDefault.cy > 0 ? sizeDefault.cy : 200);
    if (!(dwStyle & CBRS_ALIGN_ANY))
        dwStyle |= CBRS_ALIGN_LEFT;
    return CreateBar(lpszCaption, dwStyle, CRect(CPoint(0, 0), m_sizeDocked), pParentWnd, nID, dwBCGStyle);
}

int CBCGPDockingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPBaseControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetCaptionButtons();
    return 0;
}

void CBCGPDockingControlBar::OnSize(UINT, int, int)
{
    Invalidate();
}

void CBCGPDockingControlBar::OnDestroy()
{
    KillTimer(kSlideTimer);
    if (m_pParentTabbedBar) {
        CBCGPTabbedControlBar* group = m_pParentTabbedBar;
        if (CBCGPDockManager* manager = GetDockManager())
            manager->DetachFromTab(this);
        else
            group->RemoveTab(this);
    }
    Default();
}

BOOL CBCGPDockingControlBar::CanAutoHide() const
{
    return (m_dwControlBarStyle & CBRS_BCGP_AUTOHIDE) && !IsFloating();
}

BOOL CBCGPDockingControlBar::IsBarVisible() const
{
    return CBCGPBaseControlBar::IsBarVisible();
}

void CBCGPDockingControlBar::ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (!m_hWnd)
        return;
    if (m_pParentTabbedBar) {
        m_bUserVisible = bShow;
        m_pParentTabbedBar->RecalcTabLayout();
        if (bShow && bActivate)
            m_pParentTabbedBar->SetActiveTab(m_pParentTabbedBar->FindTab(this));
        if (bShow && !m_pParentTabbedBar->IsBarVisible())
            m_pParentTabbedBar->ShowControlBar(TRUE, bDelay, bActivate);
        return;
    }
    if (m_bAutoHide) {
        m_bUserVisible = bShow;
        Slide(bShow && bActivate);
        // Shown on purpose, it stays out while the user works in it.
        if (bShow && bActivate)
            SetFocus();
        if (!bDelay)
            AdjustDockingLayout();
        return;
    }
    CBCGPBaseControlBar::ShowControlBar(bShow, bDelay, bActivate);
    if (bShow && bActivate && !IsFloating())
        SetFocus();
}

BOOL CBCGPDockingControlBar::SetAutoHideMode(BOOL bMode, DWORD)
{
    CBCGPDockManager* manager = GetDockManager();
    return manager && manager->SetAutoHide(this, bMode);
}

void CBCGPDockingControlBar::Slide(BOOL bSlideOut)
{
    if (!m_bAutoHide || !m_hWnd)
        return;
    CBCGPDockManager* manager = GetDockManager();
    m_bSlidOut = bSlideOut && manager;
    if (m_bSlidOut) {
        const CRect r = manager->GetSlideOutRect(this);
        SetWindowPos(&CWnd::wndTop, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE);
        SetTimer(kSlideTimer, 200);
    } else {
        KillTimer(kSlideTimer);
        ShowWindow(SW_HIDE);
    }
    if (manager)
        if (CBCGPAutoHideDockBar* strip = manager->GetAutoHideBar(GetCurrentAlignment()))
            strip->Invalidate();
}

CBCGPDockingControlBar* CBCGPDockingControlBar::AttachToTabWnd(CBCGPDockingControlBar* pTabControlBarAttachTo, BCGP_DOCK_METHOD,
                                                               BOOL bSetActive, CBCGPDockingControlBar** ppTabbedControlBar)
{
    CBCGPDockManager* manager = GetDockManager();
    CBCGPTabbedControlBar* group = manager ? manager->AttachToTab(this, pTabControlBarAttachTo, bSetActive) : nullptr;
    if (ppTabbedControlBar)
        *ppTabbedControlBar = group;
    return group ? this : nullptr;
}

BOOL CBCGPDockingControlBar::DockToWindow(CBCGPDockingControlBar* pTargetWindow, DWORD dwAlignment)
{
    CBCGPDockManager* manager = GetDockManager();
    return manager && manager->DockBarBeside(this, pTargetWindow, dwAlignment);
}

void CBCGPDockingControlBar::SetCaptionButtons()
{
    RemoveCaptionButtons();
    AddCaptionButton(HTCLOSE);
    AddCaptionButton(HTMAXBUTTON);
}

void CBCGPDockingControlBar::RemoveCaptionButtons()
{
    m_arrButtons.clear();
}

void CBCGPDockingControlBar::AddCaptionButton(UINT nHit)
{
    m_arrButtons.emplace_back(nHit);
}

void CBCGPDockingControlBar::OnPressButtons(UINT nHit)
{
    switch (nHit) {
    case HTCLOSE:
        OnPressCloseButton();
        break;
    case HTMAXBUTTON:
        if (CanAutoHide() || m_bAutoHide)
            SetAutoHideMode(!m_bAutoHide);
        break;
    default:
        break;
    }
}

void CBCGPDockingControlBar::OnPressCloseButton()
{
    if (m_bAutoHide)
        Slide(FALSE);
    ShowControlBar(FALSE, FALSE, FALSE);
}

BOOL CBCGPDockingControlBar::HasCaption() const
{
    return m_bHasGripper && !IsFloating() && !m_pParentTabbedBar;
}

int CBCGPDockingControlBar::GetCaptionHeight()
{
    return globalData.GetTextHeight() + 10;
}

DWORD CBCGPDockingControlBar::GetSizingEdgeSide() const
{
    if (IsFloating() || m_pParentTabbedBar || !IsResizable() || !(m_dwControlBarStyle & CBRS_BCGP_RESIZE) || (m_bAutoHide && !m_bSlidOut))
        return 0;
    switch (GetCurrentAlignment() & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_LEFT: return CBRS_ALIGN_RIGHT;
    case CBRS_ALIGN_RIGHT: return CBRS_ALIGN_LEFT;
    case CBRS_ALIGN_TOP: return CBRS_ALIGN_BOTTOM;
    default: return CBRS_ALIGN_TOP;
    }
}

CRect CBCGPDockingControlBar::GetCaptionRect() const
{
    if (!HasCaption() || !m_hWnd)
        return CRect();
    CRect window;
    GetWindowRect(&window);
    CRect r(0, 0, window.Width(), GetCaptionHeight());
    switch (GetSizingEdgeSide()) {
    case CBRS_ALIGN_LEFT: r.left += GetSizingEdge(); break;
    case CBRS_ALIGN_RIGHT: r.right -= GetSizingEdge(); break;
    case CBRS_ALIGN_TOP: r.OffsetRect(0, GetSizingEdge()); break;
    default: break;
    }
    return r;
}

void CBCGPDockingControlBar::LayoutCaptionButtons()
{
    const CRect caption = GetCaptionRect();
    const int size = caption.Height() - 6;
    int right = caption.right - 4;
    for (CBCGPCaptionButton& b : m_arrButtons) {
        // Panes that cannot do what a button does do not show it.
        const bool shown = !caption.IsRectEmpty() && (b.GetHit() != HTMAXBUTTON || CanAutoHide() || m_bAutoHide) &&
                           (b.GetHit() != HTCLOSE || CanBeClosed());
        if (!shown) {
            b.m_rect.SetRectEmpty();
            continue;
        }
        b.m_rect = CRect(right - size, caption.top + 3, right, caption.top + 3 + size);
        right -= size + 2;
    }
}

UINT CBCGPDockingControlBar::HitTestCaptionButton(CPoint ptWindow) const
{
    for (const CBCGPCaptionButton& b : m_arrButtons)
        if (b.m_rect.PtInRect(ptWindow))
            return b.GetHit();
    return 0;
}

CSize CBCGPDockingControlBar::CalcFixedLayout(BOOL, BOOL)
{
    return m_sizeDocked;
}

CSize CBCGPDockingControlBar::CalcFloatingSize()
{
    return CSize(std::max<LONG>(m_sizeDocked.cx, 200), std::max<LONG>(m_sizeDocked.cy, 160));
}

void CBCGPDockingControlBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, client, client);
}

void CBCGPDockingControlBar::DrawCaption(CDC* pDC, CRect rectCaption)
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const HWND focus = ::GetFocus();
    const BOOL active = focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
    manager->OnDrawPaneCaption(pDC, this, active, rectCaption);
    CRect text = rectCaption;
    text.left += 6;
    if (HICON icon = GetIcon(FALSE)) {
        ::DrawIconEx(pDC->m_hDC, text.left, text.CenterPoint().y - globalData.GetSmallIconSize() / 2, icon, globalData.GetSmallIconSize(), globalData.GetSmallIconSize(), 0, nullptr, DI_NORMAL);
        text.left += globalData.GetSmallIconSpace();
    }
    for (const CBCGPCaptionButton& b : m_arrButtons)
        if (!b.m_rect.IsRectEmpty())
            text.right = std::min<LONG>(text.right, b.m_rect.left - 2);
    CString title;
    GetWindowText(title);
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(manager->GetPaneCaptionTextColor(active));
    pDC->DrawText(title, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(old);
    for (const CBCGPCaptionButton& b : m_arrButtons)
        if (!b.m_rect.IsRectEmpty())
            manager->OnDrawPaneCaptionButton(pDC, b.m_rect, b.GetHit(), m_bAutoHide, active, b.m_bFocused, b.m_bPushed);
}

void CBCGPDockingControlBar::RedrawAllCaptions()
{
    RedrawCaption();
    if (CBCGPDockManager* manager = GetDockManager())
        for (CBCGPBaseControlBar* bar : manager->GetAllBars())
            if (auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, bar); pane && pane != this)
                pane->RedrawCaption();
}

void CBCGPDockingControlBar::RedrawCaption()
{
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_DRAWFRAME);
}

BOOL CBCGPDockingControlBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        if (HasCaption())
            r->top += GetCaptionHeight();
        switch (GetSizingEdgeSide()) {
        case CBRS_ALIGN_LEFT: r->left += GetSizingEdge(); break;
        case CBRS_ALIGN_RIGHT: r->right -= GetSizingEdge(); break;
        case CBRS_ALIGN_TOP: r->top += GetSizingEdge(); break;
        case CBRS_ALIGN_BOTTOM: r->bottom -= GetSizingEdge(); break;
        default: break;
        }
        r->bottom = std::max(r->bottom, r->top);
        r->right = std::max(r->right, r->left);
        *pResult = 0;
        return TRUE;
    }
    case WM_NCPAINT: {
        CWindowDC dc(this);
        CRect window;
        GetWindowRect(&window);
        window.OffsetRect(-window.left, -window.top);
        CRect client;
        GetClientRect(&client);
        ClientToScreen(&client);
        CRect windowScreen;
        GetWindowRect(&windowScreen);
        client.OffsetRect(-windowScreen.left, -windowScreen.top);
        dc.ExcludeClipRect(client);
        CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
        manager->OnFillBarBackground(&dc, this, window, window, TRUE);
        if (const DWORD edge = GetSizingEdgeSide()) {
            CRect r = window;
            switch (edge) {
            case CBRS_ALIGN_LEFT: r.right = r.left + GetSizingEdge(); break;
            case CBRS_ALIGN_RIGHT: r.left = r.right - GetSizingEdge(); break;
            case CBRS_ALIGN_TOP: r.bottom = r.top + GetSizingEdge(); break;
            default: r.top = r.bottom - GetSizingEdge(); break;
            }
            manager->OnDrawSplitterBar(&dc, r);
        }
        if (HasCaption()) {
            LayoutCaptionButtons();
            DrawCaption(&dc, GetCaptionRect());
        }
        *pResult = 0;
        return TRUE;
    }
    case WM_NCHITTEST: {
        CRect window;
        GetWindowRect(&window);
        const CPoint pt(GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top);
        LayoutCaptionButtons();
        if (const UINT hit = HitTestCaptionButton(pt)) {
            *pResult = hit;
            return TRUE;
        }
        const CRect caption = GetCaptionRect();
        if (caption.PtInRect(pt)) {
            *pResult = HTCAPTION;
            return TRUE;
        }
        const int edge = GetSizingEdge();
        switch (GetSizingEdgeSide()) {
        case CBRS_ALIGN_LEFT: if (pt.x < edge) { *pResult = HTLEFT; return TRUE; } break;
        case CBRS_ALIGN_RIGHT: if (pt.x >= window.Width() - edge) { *pResult = HTRIGHT; return TRUE; } break;
        case CBRS_ALIGN_TOP: if (pt.y < edge) { *pResult = HTTOP; return TRUE; } break;
        case CBRS_ALIGN_BOTTOM: if (pt.y >= window.Height() - edge) { *pResult = HTBOTTOM; return TRUE; } break;
        default: break;
        }
        *pResult = HTCLIENT;
        return TRUE;
    }
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE: {
        if (message == WM_NCMOUSEMOVE)
            m_captionHover.Move(m_hWnd, static_cast<UINT>(wParam));
        else
            m_captionHover.Leave();
        bool changed = false;
        for (CBCGPCaptionButton& b : m_arrButtons) {
            const BOOL focused = b.GetHit() == m_captionHover.Hot();
            changed |= focused != b.m_bFocused;
            b.m_bFocused = focused;
        }
        if (changed)
            RedrawCaption();
        *pResult = 0;
        return TRUE;
    }
    case WM_NCLBUTTONDOWN: {
        const UINT hit = static_cast<UINT>(wParam);
        ::GetCursorPos(&m_ptDragStart);
        if (hit == HTCLOSE || hit == HTMAXBUTTON) {
            m_drag = Drag::Button;
            m_nPressedHit = hit;
            for (CBCGPCaptionButton& b : m_arrButtons)
                b.m_bPushed = b.GetHit() == hit;
            RedrawCaption();
        } else if (hit == HTCAPTION) {
            m_drag = Drag::Caption;
            if (GetWindow(GW_CHILD))
                GetWindow(GW_CHILD)->SetFocus();
            RedrawAllCaptions();
        } else if (hit == HTLEFT || hit == HTRIGHT || hit == HTTOP || hit == HTBOTTOM) {
            m_drag = Drag::Size;
            m_sizeAtDragStart = m_sizeDocked;
        } else {
            return CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
        }
        SetCapture();
        *pResult = 0;
        return TRUE;
    }
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && CanFloat() && !m_bAutoHide) {
            CRect r = m_rectRecentFloating;
            if (r.IsRectEmpty()) {
                GetWindowRect(&r);
                r = CRect(r.TopLeft() + CPoint(30, 30), CalcFloatingSize());
            }
            FloatControlBar(r, BCGP_DM_DBL_CLICK);
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_drag == Drag::None)
            break;
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            if (m_drag == Drag::Caption) {
                if (std::abs(pt.x - m_ptDragStart.x) > ::GetSystemMetrics(SM_CXDRAG) ||
                    std::abs(pt.y - m_ptDragStart.y) > ::GetSystemMetrics(SM_CYDRAG)) {
                    m_drag = Drag::None;
                    ::ReleaseCapture();
                    if (!CanFloat() || m_bAutoHide)
                        break;
                    // The pane comes off under the cursor and the mini frame moves on with it.
                    const CSize size = CalcFloatingSize();
                    const int caption = GetSystemMetrics(SM_CYSMCAPTION);
                    CRect r(CPoint(pt.x - size.cx / 2, pt.y + caption / 2), size);
                    if (FloatControlBar(r, BCGP_DM_MOUSE) && GetParentMiniFrame())
                        GetParentMiniFrame()->PostMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(pt.x, pt.y));
                }
            } else if (m_drag == Drag::Size) {
                const CPoint d(pt.x - m_ptDragStart.x, pt.y - m_ptDragStart.y);
                CSize s = m_sizeAtDragStart;
                switch (GetCurrentAlignment() & CBRS_ALIGN_ANY) {
                case CBRS_ALIGN_LEFT: s.cx += d.x; break;
                case CBRS_ALIGN_RIGHT: s.cx -= d.x; break;
                case CBRS_ALIGN_TOP: s.cy += d.y; break;
                default: s.cy -= d.y; break;
                }
                CRect frame;
                if (CFrameWnd* site = GetDockSiteFrameWnd())
                    site->GetClientRect(&frame);
                const LONG least = GetMinSize();
                s.cx = std::clamp<LONG>(s.cx, least, std::max<LONG>(frame.Width() - least, least));
                s.cy = std::clamp<LONG>(s.cy, least, std::max<LONG>(frame.Height() - least, least));
                if (s != m_sizeDocked) {
                    m_sizeDocked = s;
                    if (m_bAutoHide)
                        Slide(TRUE);
                    else
                        AdjustDockingLayout();
                }
            } else if (m_drag == Drag::Button) {
                CRect window;
                GetWindowRect(&window);
                const UINT over = HitTestCaptionButton(CPoint(pt.x - window.left, pt.y - window.top));
                for (CBCGPCaptionButton& b : m_arrButtons) {
                    const BOOL pushed = b.GetHit() == m_nPressedHit && over == m_nPressedHit;
                    if (pushed != b.m_bPushed) {
                        b.m_bPushed = pushed;
                        RedrawCaption();
                    }
                }
            }
        }
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONUP:
        if (m_drag == Drag::None)
            break;
        {
            const Drag drag = m_drag;
            m_drag = Drag::None;
            ::ReleaseCapture();
            if (drag == Drag::Button) {
                CPoint pt;
                ::GetCursorPos(&pt);
                CRect window;
                GetWindowRect(&window);
                const UINT hit = HitTestCaptionButton(CPoint(pt.x - window.left, pt.y - window.top));
                for (CBCGPCaptionButton& b : m_arrButtons)
                    b.m_bPushed = FALSE;
                RedrawCaption();
                if (hit == m_nPressedHit)
                    OnPressButtons(hit);
            }
        }
        *pResult = 0;
        return TRUE;
    case WM_CAPTURECHANGED:
        if (m_drag != Drag::None && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_drag = Drag::None;
            for (CBCGPCaptionButton& b : m_arrButtons)
                b.m_bPushed = FALSE;
            RedrawCaption();
        }
        break;
    case WM_TIMER:
        if (wParam == kSlideTimer) {
            // A slid-out pane goes back once the mouse has left it and the focus is elsewhere.
            CPoint pt;
            ::GetCursorPos(&pt);
            CRect window;
            GetWindowRect(&window);
            CRect strip;
            if (CBCGPDockManager* manager = GetDockManager())
                if (CBCGPAutoHideDockBar* bar = manager->GetAutoHideBar(GetCurrentAlignment()))
                    bar->GetWindowRect(&strip);
            const HWND focus = ::GetFocus();
            const bool focusInside = focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
            if (!window.PtInRect(pt) && !strip.PtInRect(pt) && !focusInside && m_drag == Drag::None)
                Slide(FALSE);
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_MOUSEACTIVATE:
        // The pane the user works in shows an active caption.
        PostMessage(WM_NCPAINT, 1, 0);
        if (CBCGPDockManager* manager = GetDockManager())
            for (CBCGPBaseControlBar* bar : manager->GetAllBars())
                if (bar != this && bar->m_hWnd)
                    bar->PostMessage(WM_NCPAINT, 1, 0);
        break;
    default:
        break;
    }
    return CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
}
