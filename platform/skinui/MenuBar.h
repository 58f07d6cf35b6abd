#pragma once
// CBCGPMenuBar: the frame's menu as a tool bar of menu buttons (one per top-level item), each
// opening its items as a CBCGPPopupMenu. On creation it takes the frame's menu and removes the
// system menu bar from the frame.
#include "ToolBar.h"

class SKINUI_API CBCGPMenuBar : public CBCGPToolBar {
    DECLARE_DYNCREATE(CBCGPMenuBar)
public:
    CBCGPMenuBar();
    ~CBCGPMenuBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE, UINT nID = AFX_IDW_MENUBAR) override;
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                  CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_MENUBAR) override;
    // Buttons for the menu's top-level items (copied; the caller keeps hMenu). bDefaultMenu: the
    // menu the bar goes back to (kept as a copy).
    virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
    HMENU GetHMenu() const { return m_hMenu; }
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
    // The menu button of top-level item iItem, or null.
    CBCGPToolbarMenuButton* GetMenuItem(int iItem) const;
    // Opens top-level item iItem's menu, as a click would.
    BOOL OpenMenu(int iItem);

    CSize CalcSize(BOOL bVertDock) override;
    // The keyboard's way in: F10 opens the first menu, Alt with an item's mnemonic that item's
    // menu. TRUE when the key opened one. A hook of the thread hands it the keys of the bar's
    // frame while the frame is active.
    BOOL OnMenuKey(UINT nVirtKey, BOOL bAlt);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    HMENU m_hMenu = nullptr;          // owned copy of what the bar shows
    HMENU m_hDefaultMenu = nullptr;   // owned copy
};
