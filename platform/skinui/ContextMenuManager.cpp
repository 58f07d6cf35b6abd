#include "ContextMenuManager.h"
#include "PopupMenu.h"

CBCGPContextMenuManager* g_pContextMenuManager = nullptr;

CBCGPContextMenuManager::CBCGPContextMenuManager()
{
    if (!g_pContextMenuManager)
        g_pContextMenuManager = this;
}

CBCGPContextMenuManager::~CBCGPContextMenuManager()
{
    for (auto& entry : m_menus)
        ::DestroyMenu(entry.second.menu);
    if (g_pContextMenuManager == this)
        g_pContextMenuManager = nullptr;
}

BOOL CBCGPContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId)
{
    CMenu menu;
    if (!menu.LoadMenu(uiMenuResId) || !::GetSubMenu(menu.m_hMenu, 0))
        return FALSE;
    auto found = m_menus.find(uiMenuResId);
    if (found != m_menus.end())
        ::DestroyMenu(found->second.menu);
    m_menus[uiMenuResId] = Entry{ lpszName ? lpszName : L"", menu.Detach() };
    return TRUE;
}

HMENU CBCGPContextMenuManager::GetMenuById(UINT nMenuResId) const
{
    auto found = m_menus.find(nMenuResId);
    return found == m_menus.end() ? nullptr : ::GetSubMenu(found->second.menu, 0);
}

HMENU CBCGPContextMenuManager::GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID) const
{
    for (const auto& entry : m_menus) {
        if (lpszName && entry.second.name.CompareNoCase(lpszName) == 0) {
            if (puiOrigResID)
                *puiOrigResID = entry.first;
            return ::GetSubMenu(entry.second.menu, 0);
        }
    }
    return nullptr;
}

CBCGPPopupMenu* CBCGPContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                                       BOOL bRightAlign)
{
    HMENU menu = GetMenuById(uiMenuResId);
    return menu ? ShowPopupMenu(menu, x, y, pWndOwner, bOwnMessage, TRUE, bRightAlign) : nullptr;
}

CBCGPPopupMenu* CBCGPContextMenuManager::ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage, BOOL,
                                                       BOOL bRightAlign)
{
    if (!hmenuPopup)
        return nullptr;
    // The keyboard's context menu (-1, -1) opens at the cursor.
    if (x == -1 && y == -1) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        x = cursor.x;
        y = cursor.y;
    }
    auto* popup = new CBCGPPopupMenu;
    popup->SetRightAlign(bRightAlign);
    if (!popup->Create(pWndOwner, x, y, hmenuPopup, TRUE, bOwnMessage)) {
        delete popup;
        return nullptr;
    }
    return popup;
}

UINT CBCGPContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    return skinui::TrackPopupMenuModal(hmenuPopup, x, y, pWndOwner, bRightAlign);
}
