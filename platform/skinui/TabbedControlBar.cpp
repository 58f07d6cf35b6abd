#include "TabbedControlBar.h"
#include <windowsx.h>
#include <algorithm>
#include "DockManager.h"
#include "GlobalData.h"
#include "VisualManager.h"

IMPLEMENT_DYNCREATE(CBCGPTabbedControlBar, CBCGPDockingControlBar)

BOOL CBCGPTabbedControlBar::m_bTabsAlwaysTop = FALSE;

CBCGPTabbedControlBar::CBCGPTabbedControlBar(BOOL bAutoDestroy) : m_bAutoDestroy(bAutoDestroy)
{
}

CBCGPTabbedControlBar::~CBCGPTabbedControlBar() = default;

BOOL CBCGPTabbedControlBar::CreateGroup(CBCGPDockingControlBar* pFirst)
{
    if (!pFirst || !pFirst->m_hWnd || m_hWnd)
        return FALSE;
    CFrameWnd* site = pFirst->GetDockSiteFrameWnd();
    CString caption;
    pFirst->GetWindowText(caption);
    CRect placed;
    pFirst->GetWindowRect(&placed);
    site->ScreenToClient(&placed);
    m_sizeDocked = pFirst->GetDockedSize();
    m_bHasGripper = pFirst->m_bHasGripper;
    m_dwTabbedStyle = pFirst->m_dwTabbedStyle;
    m_pMiniFrameRTC = pFirst->m_pMiniFrameRTC;
    const DWORD visible = pFirst->IsWindowVisible() ? WS_VISIBLE : 0;
    if (!CreateBar(caption, WS_CHILD | visible | pFirst->GetCurrentAlignment(), CRect(placed.TopLeft(), m_sizeDocked), site, 0,
                   pFirst->GetControlBarStyle()))
        return FALSE;
    m_pDockSite = site;
    m_bUserVisible = pFirst->IsBarVisible();
    EnableDocking(pFirst->GetEnabledAlignment());
    return AddTab(pFirst, TRUE);
}

BOOL CBCGPTabbedControlBar::AddTab(CBCGPDockingControlBar* pBar, BOOL bSetActive)
{
    if (!pBar || !pBar->m_hWnd || FindTab(pBar) >= 0)
        return FALSE;
    pBar->m_pParentTabbedBar = this;
    pBar->SetParent(this);
    pBar->SetCurrentAlignment(GetCurrentAlignment());
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_tabs.push_back(pBar);
    if (bSetActive || m_nActive < 0)
        SetActiveTab(static_cast<int>(m_tabs.size()) - 1);
    else
        RecalcTabLayout();
    return TRUE;
}

BOOL CBCGPTabbedControlBar::RemoveTab(CBCGPDockingControlBar* pBar)
{
    const int index = FindTab(pBar);
    if (index < 0)
        return FALSE;
    m_tabs.erase(m_tabs.begin() + index);
    pBar->m_pParentTabbedBar = nullptr;
    if (pBar->m_hWnd) {
        pBar->ShowWindow(SW_HIDE);
        pBar->SetParent(GetDockSiteFrameWnd());
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (m_nActive >= static_cast<int>(m_tabs.size()) || index < m_nActive)
        --m_nActive;
    if (m_nActive < 0 && !m_tabs.empty())
        m_nActive = 0;
    SetActiveTab(m_nActive);
    return TRUE;
}

CBCGPDockingControlBar* CBCGPTabbedControlBar::GetTab(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetTabsNum() ? m_tabs[static_cast<size_t>(nIndex)] : nullptr;
}

int CBCGPTabbedControlBar::FindTab(const CBCGPDockingControlBar* pBar) const
{
    const auto it = std::find(m_tabs.begin(), m_tabs.end(), pBar);
    return it == m_tabs.end() ? -1 : static_cast<int>(it - m_tabs.begin());
}

BOOL CBCGPTabbedControlBar::SetActiveTab(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetTabsNum())
        return FALSE;
    m_nActive = nIndex;
    CBCGPDockingControlBar* bar = m_tabs[static_cast<size_t>(nIndex)];
    // The group's caption is the front pane's.
    CString caption;
    bar->GetWindowText(caption);
    if (m_hWnd) {
        SetWindowText(caption);
        SetIcon(bar->GetIcon(FALSE), FALSE);
    }
    RecalcTabLayout();
    RedrawCaption();
    return TRUE;
}

BOOL CBCGPTabbedControlBar::IsBarVisible() const
{
    if (!CBCGPDockingControlBar::IsBarVisible())
        return FALSE;
    return std::any_of(m_tabs.begin(), m_tabs.end(), [](CBCGPDockingControlBar* t) { return t->IsBarVisible(); });
}

int CBCGPTabbedControlBar::GetTabAreaHeight()
{
    return globalData.GetTextHeight() + 10;
}

CRect CBCGPTabbedControlBar::GetTabAreaRect() const
{
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    if (m_bTabsAlwaysTop)
        client.bottom = std::min(client.bottom, client.top + GetTabAreaHeight());
    else
        client.top = std::max(client.top, client.bottom - GetTabAreaHeight());
    return client;
}

CRect CBCGPTabbedControlBar::GetTabRect(int nIndex) const
{
    const CRect area = GetTabAreaRect();
    if (nIndex < 0 || nIndex >= GetTabsNum() || !m_tabs[static_cast<size_t>(nIndex)]->IsBarVisible())
        return CRect();
    CClientDC dc(const_cast<CBCGPTabbedControlBar*>(this));
    CFont* old = dc.SelectObject(&globalData.fontRegular);
    std::vector<int> widths;
    int total = 0;
    for (CBCGPDockingControlBar* tab : m_tabs) {
        CString text;
        tab->GetWindowText(text);
        const int w = tab->IsBarVisible() ? dc.GetTextExtent(text).cx + 20 + (tab->GetIcon(FALSE) ? globalData.GetSmallIconSpace() : 0) : 0;
        widths.push_back(w);
        total += w;
    }
    dc.SelectObject(old);
    // Tabs that do not fit share the width.
    const int available = area.Width() - 4;
    int left = area.left + 2;
    for (int i = 0; i < nIndex; ++i)
        left += total > available ? widths[static_cast<size_t>(i)] * available / std::max(total, 1) : widths[static_cast<size_t>(i)];
    const int w = widths[static_cast<size_t>(nIndex)];
    const int width = total > available ? w * available / std::max(total, 1) : w;
    return m_bTabsAlwaysTop ? CRect(left, area.top + 2, left + width, area.bottom) : CRect(left, area.top, left + width, area.bottom - 2);
}

int CBCGPTabbedControlBar::TabFromPoint(CPoint ptClient) const
{
    for (int i = 0; i < GetTabsNum(); ++i)
        if (GetTabRect(i).PtInRect(ptClient))
            return i;
    return -1;
}

void CBCGPTabbedControlBar::RecalcTabLayout()
{
    if (!m_hWnd)
        return;
    // The front pane must be one the user has not hidden.
    if (CBCGPDockingControlBar* active = GetActiveBar(); active && !active->IsBarVisible())
        for (int i = 0; i < GetTabsNum(); ++i)
            if (m_tabs[static_cast<size_t>(i)]->IsBarVisible()) {
                m_nActive = i;
                break;
            }
    CRect client;
    GetClientRect(&client);
    if (m_bTabsAlwaysTop)
        client.top = GetTabAreaRect().bottom;
    else
        client.bottom = GetTabAreaRect().top;
    for (int i = 0; i < GetTabsNum(); ++i) {
        CBCGPDockingControlBar* tab = m_tabs[static_cast<size_t>(i)];
        if (i == m_nActive && tab->IsBarVisible())
            tab->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        else
            tab->ShowWindow(SW_HIDE);
    }
    Invalidate();
}

void CBCGPTabbedControlBar::DoPaint(CDC* pDC)
{
    CBCGPDockingControlBar::DoPaint(pDC);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const CRect area = GetTabAreaRect();
    manager->OnFillTabArea(pDC, area, m_bTabsAlwaysTop);
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetTabsNum(); ++i) {
        CRect r = GetTabRect(i);
        if (r.IsRectEmpty())
            continue;
        const BOOL active = i == m_nActive;
        manager->OnDrawTab(pDC, r, active, i == m_hover.Hot(), m_bTabsAlwaysTop);
        CBCGPDockingControlBar* tab = m_tabs[static_cast<size_t>(i)];
        r.left += 10;
        if (HICON icon = tab->GetIcon(FALSE)) {
            ::DrawIconEx(pDC->m_hDC, r.left, r.CenterPoint().y - globalData.GetSmallIconSize() / 2, icon, globalData.GetSmallIconSize(), globalData.GetSmallIconSize(), 0, nullptr, DI_NORMAL);
            r.left += globalData.GetSmallIconSpace();
        }
        CString text;
        tab->GetWindowText(text);
        pDC->SetTextColor(manager->GetTabTextColor(active, i == m_hover.Hot(), m_bTabsAlwaysTop));
        pDC->DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    pDC->SelectObject(old);
}

BOOL CBCGPTabbedControlBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_SIZE:
        RecalcTabLayout();
        break;
    case WM_LBUTTONDOWN: {
        const int tab = TabFromPoint(pt);
        if (tab >= 0) {
            SetActiveTab(tab);
            m_nDragTab = tab;
            m_ptDragStart = pt;
            SetCapture();
            if (CBCGPDockingControlBar* bar = GetActiveBar())
                bar->SetFocus();
            *pResult = 0;
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDBLCLK: {
        // A double click on a tab floats that pane alone.
        const int tab = TabFromPoint(pt);
        if (CBCGPDockingControlBar* bar = GetTab(tab); bar && bar->CanFloat()) {
            CRect r;
            GetWindowRect(&r);
            bar->FloatControlBar(CRect(r.TopLeft() + CPoint(40, 40), bar->CalcFloatingSize()), BCGP_DM_DBL_CLICK);
            *pResult = 0;
            return TRUE;
        }
        break;
    }
    case WM_MOUSEMOVE: {
        if (m_nDragTab >= 0 && (std::abs(pt.x - m_ptDragStart.x) > 2 * ::GetSystemMetrics(SM_CXDRAG) ||
                                std::abs(pt.y - m_ptDragStart.y) > 2 * ::GetSystemMetrics(SM_CYDRAG))) {
            // Dragged off the tab strip: the pane leaves the group and floats under the cursor.
            CBCGPDockingControlBar* bar = GetTab(m_nDragTab);
            m_nDragTab = -1;
            ::ReleaseCapture();
            if (bar && bar->CanFloat() && !GetTabAreaRect().PtInRect(pt)) {
                CPoint screen;
                ::GetCursorPos(&screen);
                const CSize size = bar->CalcFloatingSize();
                if (bar->FloatControlBar(CRect(CPoint(screen.x - size.cx / 2, screen.y + 8), size), BCGP_DM_MOUSE) &&
                    bar->GetParentMiniFrame())
                    reinterpret_cast<CWnd*>(bar->GetParentMiniFrame())
                        ->PostMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(screen.x, screen.y));
                *pResult = 0;
                return TRUE;
            }
        }
        if (m_hover.Move(m_hWnd, TabFromPoint(pt)))
            Invalidate();
        break;
    }
    case WM_LBUTTONUP:
        if (m_nDragTab >= 0) {
            m_nDragTab = -1;
            ::ReleaseCapture();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_MOUSELEAVE:
        if (m_hover.Leave())
            Invalidate();
        break;
    default:
        break;
    }
    return CBCGPDockingControlBar::OnWndMsg(message, wParam, lParam, pResult);
}
