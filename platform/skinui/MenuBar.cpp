#include "MenuBar.h"
#include <algorithm>
#include <vector>
#include "GlobalData.h"
#include "PopupMenu.h"

namespace {

// The menu bars of the thread and the keyboard hook that serves them.
std::vector<CBCGPMenuBar*>& MenuBars()
{
    static std::vector<CBCGPMenuBar*> bars;
    return bars;
}
HHOOK g_keyHook = nullptr;

LRESULT CALLBACK MenuKeyProc(int code, WPARAM wParam, LPARAM lParam)
{
    const bool down = !(lParam & 0x80000000);
    const bool alt = (lParam & (1 << 29)) != 0;
    if (code == HC_ACTION && down && !CBCGPPopupMenu::GetActiveMenu() && (wParam == VK_F10 || (alt && wParam != VK_MENU))) {
        const HWND active = ::GetActiveWindow();
        for (CBCGPMenuBar* bar : MenuBars()) {
            CWnd* frame = bar->m_hWnd ? bar->GetTopLevelParent() : nullptr;
            if (frame && frame->m_hWnd == active && bar->IsWindowVisible() && bar->OnMenuKey(static_cast<UINT>(wParam), alt))
                return 1;
        }
    }
    return ::CallNextHookEx(g_keyHook, code, wParam, lParam);
}

} // namespace

IMPLEMENT_DYNCREATE(CBCGPMenuBar, CBCGPToolBar)

BOOL CBCGPMenuBar::OnMenuKey(UINT nVirtKey, BOOL bAlt)
{
    if (nVirtKey == VK_F10 && !bAlt) {
        for (int i = 0; i < GetCount(); ++i)
            if (GetMenuItem(i) && GetMenuItem(i)->GetMenu() && OpenMenu(i))
                return TRUE;
        return FALSE;
    }
    const wchar_t key = static_cast<wchar_t>(::MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_CHAR));
    if (!bAlt || !key)
        return FALSE;
    for (int i = 0; i < GetCount(); ++i) {
        const CString& text = GetButton(i)->m_strText;
        const int amp = text.Find(L'&');
        if (amp >= 0 && amp + 1 < text.GetLength() && ::towupper(text[amp + 1]) == ::towupper(key) && OpenMenu(i)) {
            // Opened from the keyboard: on its first item.
            if (CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu())
                menu->SendMessage(WM_KEYDOWN, VK_DOWN);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CBCGPMenuBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_CREATE) {
        MenuBars().push_back(this);
        if (!g_keyHook)
            g_keyHook = ::SetWindowsHookExW(WH_KEYBOARD, MenuKeyProc, nullptr, ::GetCurrentThreadId());
    } else if (message == WM_DESTROY) {
        auto& bars = MenuBars();
        bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
        if (bars.empty() && g_keyHook) {
            ::UnhookWindowsHookEx(g_keyHook);
            g_keyHook = nullptr;
        }
    }
    return CBCGPToolBar::OnWndMsg(message, wParam, lParam, pResult);
}

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
