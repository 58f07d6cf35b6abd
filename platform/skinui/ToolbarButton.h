#pragma once
// CBCGPToolbarButton: one item of a CBCGPToolBar. The bar owns its buttons, lays them out with
// OnCalculateSize and paints them with OnDraw; subclasses draw themselves, hold a control
// (edit box, combo box) or open a menu. A button is copied into a bar with CopyFrom, so a
// subclass copies its own fields there; Serialize stores what a bar's saved state needs.
#include "AppFrame.h"
#include "SkinUIDef.h"

class CBCGPToolBarImages;
class CBCGPToolBar;

// Button styles (the tool-bar state bits shifted into the high word, as bars keep them).
#define TBBS_BUTTON        MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR     MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX      MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP         MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP    (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED       MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED       MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED      MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN        MAKELONG(0, TBSTATE_HIDDEN)

class SKINUI_API CBCGPToolbarButton : public CObject {
    DECLARE_DYNCREATE(CBCGPToolbarButton)
public:
    CBCGPToolbarButton();
    CBCGPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE, BOOL bLocked = FALSE);
    ~CBCGPToolbarButton() override;

    // Fields and state of another button of any class (the bar's copy of a button).
    virtual void CopyFrom(const CBCGPToolbarButton& src);
    // Id, image, text, style and the text and image flags.
    void Serialize(CArchive& ar) override;

    // Draws the button in rect; pImages is the bar's strip for its state (cold, hot or disabled).
    virtual void OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                        BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE);
    // The button's size in the bar, from the bar's button size (sizeDefault).
    virtual SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
    // The left button went down on it: TRUE when the button handled the click itself (no command
    // is sent); FALSE lets the bar send the command when the button comes up over it.
    virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE);
    // The left button came up over it (TRUE: handled, no command) or elsewhere.
    virtual BOOL OnClickUp() { return FALSE; }
    virtual void OnClickUpOutside() {}
    // The button moved into another bar (or out of one: null).
    virtual void OnChangeParentWnd(CWnd* pWndParent);
    // Placement and visibility changes; buttons with controls move them.
    virtual void OnMove() {}
    virtual void OnShow(BOOL bShow);
    // The control a button holds, or null.
    virtual HWND GetHwnd() { return nullptr; }
    // A notification of the button's control: TRUE sends the command to the bar's owner.
    virtual BOOL NotifyCommand(int iNotifyCode);
    // Whether it opens a menu or a drop-down: the bar shows an arrow and does not repeat clicks.
    virtual BOOL IsDroppedDown() const { return FALSE; }
    virtual BOOL OnDropDown() { return FALSE; }
    virtual BOOL HaveHotBorder() const { return TRUE; }
    virtual void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
    virtual BOOL IsEditable() const { return !m_bLocked; }

    UINT GetStyle() const { return m_nStyle; }
    BOOL IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }
    BOOL IsDisabled() const { return (m_nStyle & TBBS_DISABLED) != 0; }
    BOOL IsChecked() const { return (m_nStyle & TBBS_CHECKED) != 0; }
    int GetImage() const { return m_iImage; }
    void SetImage(int iImage) { m_iImage = iImage; }
    const CRect& Rect() const { return m_rect; }
    void SetRect(const CRect& rect);
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bShow = TRUE) { m_bVisible = bShow; }
    BOOL IsHidden() const { return !m_bVisible || (m_nStyle & TBBS_HIDDEN) != 0; }
    CWnd* GetParentWnd() const { return m_pWndParent; }
    BOOL IsLocked() const { return m_bLocked; }

    UINT m_nID = 0;
    int m_iImage = -1;
    CString m_strText;
    BOOL m_bText = FALSE;    // shows its text
    BOOL m_bImage = TRUE;    // shows its image
    BOOL m_bUserButton = FALSE;
    BOOL m_bLocked = FALSE;
    BOOL m_bWrap = FALSE;    // the row ends after it
    BOOL m_bTextBelow = FALSE;
    UINT m_nStyle = TBBS_BUTTON;

protected:
    // The face of a plain button: the look's background for its state, the image centred (left
    // of the text when there is text), the text.
    void DrawFace(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz, BOOL bHighlight, BOOL bDrawBorder,
                  BOOL bGrayDisabledButtons);

    CRect m_rect;
    BOOL m_bVisible = TRUE;
    CWnd* m_pWndParent = nullptr;
    friend class CBCGPToolBar;
};

// A button that opens a menu (a menu bar's items, the tool bar's menu buttons).
class SKINUI_API CBCGPToolbarMenuButton : public CBCGPToolbarButton {
    DECLARE_DYNCREATE(CBCGPToolbarMenuButton)
public:
    CBCGPToolbarMenuButton() = default;
    // The menu is copied; the caller keeps hMenu.
    CBCGPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
    ~CBCGPToolbarMenuButton() override;

    void CopyFrom(const CBCGPToolbarButton& src) override;
    void Serialize(CArchive& ar) override;
    void OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // Opens the menu below the button (a pop-up menu of its own); TRUE.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL IsDroppedDown() const override { return m_bDroppedDown; }
    BOOL OnDropDown() override;

    // The menu's items, or null; the button owns it.
    HMENU GetMenu() const { return m_hMenu; }
    void SetMenu(HMENU hMenu);
    // A menu-bar item shows its text only and no drop-down arrow.
    BOOL m_bMenuBarItem = FALSE;
    // The drop-down arrow beside the image (a tool-bar menu button).
    BOOL m_bDrawDownArrow = TRUE;

protected:
    HMENU m_hMenu = nullptr;
    BOOL m_bDroppedDown = FALSE;
    friend class CBCGPToolBar;
};

namespace skinui {
// A deep copy of a menu with its sub-menus (null for null).
SKINUI_API HMENU CopyMenu(HMENU hMenu);
} // namespace skinui
