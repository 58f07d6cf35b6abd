#pragma once
// CBCGPPopupMenu: a menu drawn by the visual manager in a window of its own. It shows the items
// of an HMENU (copied: the caller may destroy its menu at once), asks the command route for their
// states before it shows, opens sub-menus beside itself and sends the chosen command to its
// message window: the parent given to Create when bOwnMessage, else the parent's top-level frame.
// A click outside, Escape or a change of the active window closes it. The window deletes itself
// when it closes.
#include <algorithm>
#include <vector>
#include "AppFrame.h"
#include "SkinUIDef.h"

class CBCGPFrameWnd;
class CBCGPToolBar;

class SKINUI_API CBCGPPopupMenu : public CWnd {
    DECLARE_DYNAMIC(CBCGPPopupMenu)
public:
    CBCGPPopupMenu();
    ~CBCGPPopupMenu() override;

    // Whether an open menu takes the keyboard focus; without it the menu still follows the
    // arrow keys, Enter and Escape while it is open.
    static BOOL m_bForceMenuFocus;

    // Shows the menu with its top-left corner (top-right with SetRightAlign) at the screen point,
    // kept on the monitor's work area. bLocked: the user may not customise it (kept for callers).
    virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE);
    void SetRightAlign(BOOL bRightAlign = TRUE) { m_bRightAlign = bRightAlign; }
    // A band this wide at the menu's left, drawn by its frame's OnDrawMenuLogo. The frame's
    // OnShowPopupMenu, called before the menu is measured, is the place to ask for it.
    void EnableMenuLogo(int iLogoSize) { m_nLogoWidth = std::max(0, iLogoSize); }
    int GetLogoWidth() const { return m_nLogoWidth; }
    // Closes it and the menus it opened; the window goes away.
    void CloseMenu(BOOL bSetFocusToBar = FALSE);
    // The innermost open menu of the thread, or null.
    static CBCGPPopupMenu* GetActiveMenu();
    // The outermost open menu, or null.
    static CBCGPPopupMenu* GetTopMenu();

    HMENU GetHMenu() const { return m_hMenu; }
    CWnd* GetMessageWnd() const;
    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    UINT GetMenuItemID(int nIndex) const;
    CString GetMenuItemText(int nIndex) const;
    // States after the command-route update (TBBS_DISABLED, TBBS_CHECKED bits of ToolbarButton.h).
    BOOL IsItemEnabled(int nIndex) const;
    BOOL IsItemChecked(int nIndex) const;
    int GetHighlightedItem() const { return m_iHighlighted; }
    CRect GetItemRect(int nIndex) const;
    // Chooses the item as a click would (a sub-menu opens; a command closes the menus and goes
    // to the message window).
    void ChooseItem(int nIndex);

    // The menu bar a menu-bar item's menu came from; moving over its other items switches menus.
    CBCGPToolBar* m_pParentBar = nullptr;
    // Keeps the chosen command instead of sending it (TrackPopupMenu with a returned command).
    BOOL m_bTrackMode = FALSE;
    // The command chosen in track mode, 0 for none.
    static UINT GetLastTrackedCommand();

protected:
    struct Item {
        UINT id = 0;
        CString text;   // before the tab
        CString accel;  // after it
        HMENU hSubMenu = nullptr;
        bool separator = false, disabled = false, checked = false, radio = false, isDefault = false;
        int top = 0, height = 0;
    };
    void ReadItems();
    void UpdateStates();
    void Measure(CSize& size);
    void PaintMenu(CDC* pDC);
    int ItemFromPoint(CPoint ptClient) const;
    void Highlight(int nIndex, BOOL bOpenSubMenu);
    void OpenSubMenu(int nIndex);
    void CloseSubMenu();
    void Move(int nDelta);
    BOOL HandleKey(UINT nChar);
    void Finish(UINT nCommand);
    // The frame the menu's commands go to, when it is a skinned frame.
    CBCGPFrameWnd* MessageFrame() const;
    friend struct PopupMenuSession;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    HMENU m_hMenu = nullptr;   // our copy
    std::vector<Item> m_items;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bOwnMessage = FALSE;
    BOOL m_bRightAlign = FALSE;
    int m_iHighlighted = -1;
    CBCGPPopupMenu* m_pParentMenu = nullptr;
    CBCGPPopupMenu* m_pSubMenu = nullptr;
    HWND m_hWndMessage = nullptr;
    int m_nLogoWidth = 0;
};

namespace skinui {
// Shows the menu as a CBCGPPopupMenu and waits until it closes; the chosen command, or 0.
SKINUI_API UINT TrackPopupMenuModal(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);
} // namespace skinui
