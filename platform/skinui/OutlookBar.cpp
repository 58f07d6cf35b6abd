#include "OutlookBar.h"
#include <windowsx.h>
#include <commctrl.h>
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"

// ---------------------------------------------------------------------------------------------
// CBCGPOutlookWnd

CBCGPOutlookWnd::~CBCGPOutlookWnd()
{
    if (m_bOwnImages && m_hImages)
        ::ImageList_Destroy(m_hImages);
}

BOOL CBCGPOutlookWnd::Create(CWnd* pParent)
{
    const CString cls = globalData.RegisterWindowClass(L"BCGPOutlookWnd");
    return CreateEx(0, cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pParent, 1);
}

int CBCGPOutlookWnd::GetButtonHeight()
{
    return globalData.GetTextHeight() + 20;
}

void CBCGPOutlookWnd::AddTab(CWnd* pNewWnd, LPCTSTR lpszName, UINT uiImageId, BOOL)
{
    if (!pNewWnd || !pNewWnd->m_hWnd)
        return;
    if (m_hWnd && pNewWnd->GetParent() != this)
        pNewWnd->SetParent(this);
    m_tabs.push_back({ pNewWnd, lpszName ? lpszName : L"", uiImageId == static_cast<UINT>(-1) ? -1 : static_cast<int>(uiImageId) });
    if (m_nActive < 0)
        m_nActive = 0;
    RecalcLayout();
}

BOOL CBCGPOutlookWnd::RemoveTab(int iTab)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    m_tabs.erase(m_tabs.begin() + iTab);
    if (m_nActive >= GetTabsNum())
        m_nActive = GetTabsNum() - 1;
    RecalcLayout();
    return TRUE;
}

BOOL CBCGPOutlookWnd::SetActiveTab(int iTab)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    if (iTab == m_nActive)
        return TRUE;
    if (m_pBar && !m_pBar->OnBeforeAnimation(iTab))
        return FALSE;
    m_nActive = iTab;
    RecalcLayout();
    return TRUE;
}

CWnd* CBCGPOutlookWnd::GetTabWnd(int iTab) const
{
    return iTab >= 0 && iTab < GetTabsNum() ? m_tabs[static_cast<size_t>(iTab)].wnd : nullptr;
}

BOOL CBCGPOutlookWnd::SetTabLabel(int iTab, LPCTSTR lpszLabel)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    m_tabs[static_cast<size_t>(iTab)].label = lpszLabel ? lpszLabel : L"";
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

CString CBCGPOutlookWnd::GetTabLabel(int iTab) const
{
    return iTab >= 0 && iTab < GetTabsNum() ? m_tabs[static_cast<size_t>(iTab)].label : CString();
}

BOOL CBCGPOutlookWnd::SetImageList(UINT uiID, int cx, COLORREF clrTransp)
{
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(uiID), RT_BITMAP);
    HIMAGELIST list = module ? ::ImageList_LoadImageW(module, MAKEINTRESOURCEW(uiID), cx, 0, clrTransp, IMAGE_BITMAP,
                                                      LR_CREATEDIBSECTION)
                             : nullptr;
    if (!list)
        return FALSE;
    if (m_bOwnImages && m_hImages)
        ::ImageList_Destroy(m_hImages);
    m_hImages = list;
    m_bOwnImages = TRUE;
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

void CBCGPOutlookWnd::SetImageList(HIMAGELIST hImageList)
{
    if (m_bOwnImages && m_hImages)
        ::ImageList_Destroy(m_hImages);
    m_hImages = hImageList;
    m_bOwnImages = FALSE;
}

CRect CBCGPOutlookWnd::GetButtonRect(int iTab) const
{
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    const int h = GetButtonHeight();
    const int top = client.bottom - h * (GetTabsNum() - iTab);
    return iTab >= 0 && iTab < GetTabsNum() ? CRect(client.left, top, client.right, top + h) : CRect();
}

int CBCGPOutlookWnd::ButtonFromPoint(CPoint pt) const
{
    for (int i = 0; i < GetTabsNum(); ++i)
        if (GetButtonRect(i).PtInRect(pt))
            return i;
    return -1;
}

void CBCGPOutlookWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect page;
    GetClientRect(&page);
    page.bottom = std::max(page.top, page.bottom - GetButtonHeight() * GetTabsNum() - 1);
    for (int i = 0; i < GetTabsNum(); ++i) {
        CWnd* wnd = m_tabs[static_cast<size_t>(i)].wnd;
        if (!wnd->m_hWnd)
            continue;
        if (wnd->GetParent() != this)
            wnd->SetParent(this);
        if (i == m_nActive)
            wnd->SetWindowPos(nullptr, page.left, page.top, page.Width(), page.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        else
            wnd->ShowWindow(SW_HIDE);
    }
    Invalidate();
}

void CBCGPOutlookWnd::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    pDC->FillSolidRect(client, globalData.clrBarFace);
    CFont* old = pDC->SelectObject(&globalData.fontBold);
    pDC->SetBkMode(TRANSPARENT);
    int cx = 0, cy = 0;
    if (m_hImages)
        ::ImageList_GetIconSize(m_hImages, &cx, &cy);
    for (int i = 0; i < GetTabsNum(); ++i) {
        CRect r = GetButtonRect(i);
        manager->OnFillOutlookButton(pDC, r, i == m_nActive, i == m_hover.Hot());
        r.left += 12;
        const Tab& tab = m_tabs[static_cast<size_t>(i)];
        if (m_hImages && tab.image >= 0) {
            // Large tab images are shown at the button's height.
            const int size = std::min(cy, r.Height() - 8);
            ::ImageList_DrawEx(m_hImages, tab.image, pDC->m_hDC, r.left, r.CenterPoint().y - size / 2, size, size, CLR_NONE, CLR_NONE,
                               ILD_TRANSPARENT);
            r.left += size + 8;
        }
        pDC->SetTextColor(i == m_nActive ? manager->GetAccentColor() : globalData.clrBarText);
        pDC->DrawText(tab.label, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    pDC->SelectObject(old);
}

BOOL CBCGPOutlookWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_SIZE:
        RecalcLayout();
        break;
    case WM_ERASEBKGND:
        *pResult = 1;
        return TRUE;
    case WM_PAINT:
        skinui::PaintBuffered(this, [this](CDC* dc) { Paint(dc); });
        *pResult = 0;
        return TRUE;
    case WM_MOUSEMOVE:
        if (m_hover.Move(m_hWnd, ButtonFromPoint(pt)))
            Invalidate();
        break;
    case WM_MOUSELEAVE:
        if (m_hover.Leave())
            Invalidate();
        break;
    case WM_LBUTTONDOWN: {
        const int tab = ButtonFromPoint(pt);
        if (tab >= 0) {
            SetActiveTab(tab);
            *pResult = 0;
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
        // The pages' commands go on to the bar and its frame.
        *pResult = GetParent()->SendMessage(message, wParam, lParam);
        return TRUE;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------------------------
// CBCGPOutlookBar

IMPLEMENT_DYNCREATE(CBCGPOutlookBar, CBCGPDockingControlBar)

CBCGPOutlookBar::CBCGPOutlookBar() : m_wndOutlook(this)
{
}

CBCGPOutlookBar::~CBCGPOutlookBar() = default;

BOOL CBCGPOutlookBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle, DWORD dwBCGStyle,
                             DWORD dwTabbedStyle)
{
    return CBCGPDockingControlBar::Create(lpszCaption, pParentWnd, rect, TRUE, nID, dwStyle, dwTabbedStyle, dwBCGStyle);
}

BOOL CBCGPOutlookBar::OnBeforeAnimation(int)
{
    return TRUE;
}

BOOL CBCGPOutlookBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The page window exists before a subclass's WM_CREATE adds its pages.
    if (message == WM_CREATE && !m_wndOutlook.m_hWnd && !m_wndOutlook.Create(this)) {
        *pResult = -1;
        return TRUE;
    }
    if (message == WM_SIZE && m_wndOutlook.m_hWnd) {
        CRect client;
        GetClientRect(&client);
        m_wndOutlook.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return CBCGPDockingControlBar::OnWndMsg(message, wParam, lParam, pResult);
}
