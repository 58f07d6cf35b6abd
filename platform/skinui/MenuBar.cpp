#include "MenuBar.h"
#include "GlobalData.h"

IMPLEMENT_DYNCREATE(CBCGPMenuBar, CBCGPToolBar)

CBCGPMenuBar::CBCGPMenuBar() = default;

CBCGPMenuBar::~CBCGPMenuBar()
{
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
    if (m_hDefaultMenu)
        ::DestroyMenu(m_hDefaultMenu);
}

BOOL CBCGPMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CBCGPMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    if (!CBCGPToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle & ~static_cast<DWORD>(CBRS_TOOLTIPS), rcBorders, nID))
        return FALSE;
    m_bLocked = TRUE;
    // The frame's own menu becomes the bar's; the frame shows none of its own any more.
    CFrameWnd* frame = GetDockSiteFrameWnd();
    HMENU menu = frame && frame->m_hWnd ? ::GetMenu(frame->m_hWnd) : nullptr;
    if (!menu && frame)
        menu = frame->m_hMenuDefault;
    if (menu) {
        CreateFromMenu(menu, TRUE);
        if (::GetMenu(frame->m_hWnd))
            ::SetMenu(frame->m_hWnd, nullptr);
    }
    return TRUE;
}

void CBCGPMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL)
{
    HMENU copy = skinui::CopyMenu(hMenu);
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
    m_hMenu = copy;
    if (bDefaultMenu) {
        if (m_hDefaultMenu)
            ::DestroyMenu(m_hDefaultMenu);
        m_hDefaultMenu = skinui::CopyMenu(hMenu);
    }
    RemoveAllButtons();
    const int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        ::GetMenuStringW(m_hMenu, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        const UINT id = sub ? 0 : ::GetMenuItemID(m_hMenu, i);
        CBCGPToolbarMenuButton button(id, sub, -1, text);
        button.m_bMenuBarItem = TRUE;
        button.m_bText = TRUE;
        button.m_bImage = FALSE;
        // A top-level item without a sub-menu is a plain command; a separator stays one.
        if (!sub && id == 0)
            button.m_nStyle = TBBS_SEPARATOR;
        InsertButton(button);
    }
    AdjustLayout();
}

CBCGPToolbarMenuButton* CBCGPMenuBar::GetMenuItem(int iItem) const
{
    return DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, GetButton(iItem));
}

BOOL CBCGPMenuBar::OpenMenu(int iItem)
{
    CBCGPToolbarMenuButton* button = GetMenuItem(iItem);
    return button && !button->IsDisabled() && button->OnDropDown();
}

CSize CBCGPMenuBar::CalcSize(BOOL bVertDock)
{
    // A menu bar docked at the top or bottom spans the frame.
    CSize size = CBCGPToolBar::CalcSize(bVertDock);
    if (!bVertDock)
        size.cy = std::max<int>(size.cy, globalData.GetTextHeight() + 12);
    return size;
}
