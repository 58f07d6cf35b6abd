#pragma once
// CBCGPToolBar: a bar of CBCGPToolbarButton objects that it lays out, paints through the visual
// manager and clicks itself. Buttons come from a tool-bar resource (ids and image size) with up
// to three image strips: cold (the resting look), hot (under the mouse) and disabled; any button
// can be replaced by a custom one. Button states come from the frame's command route at idle
// time (CCmdUI); clicks send WM_COMMAND to the frame. A tool tip is the bar's OnUserToolTip, else
// the button's text, else the tip part of the command's string, as the skinned frame's
// GetToolbarButtonToolTipText leaves it.
#include <memory>
#include <vector>
#include "BaseControlBar.h"
#include "HoverTracker.h"
#include "ToolBarImages.h"
#include "ToolbarButton.h"

#ifndef AFX_DEFAULT_TOOLBAR_STYLE
#define AFX_DEFAULT_TOOLBAR_STYLE (WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE)
#endif

namespace skinui {
// The image size and command ids (0: separator) of a tool-bar resource, in either compiler's
// layout; false for a damaged one.
SKINUI_API bool ParseToolbarResource(const void* data, size_t size, CSize& sizeImage, std::vector<UINT>& ids);
// Places buttons of the given sizes in rows (horizontal bar) or columns (vertical): a row ends
// after a button with wrap set, or when the next one would pass nMaxLength (0: no limit).
// Returns the rectangles, relative to origin, and the size they take.
struct ToolbarItemLayout {
    SIZE size;
    bool wrap;
    bool separator;
};
// The image of a command on any tool bar of the thread (its hot strip, else its cold one), for
// menus that show the bars' images beside their commands; false when no bar has one.
SKINUI_API bool FindCommandImage(UINT nID, CBCGPToolBarImages*& pImages, int& iImage);
SKINUI_API CSize LayoutToolbarItems(const std::vector<ToolbarItemLayout>& items, bool bHorz, int nMaxLength, POINT origin,
                                    std::vector<RECT>& rects);
} // namespace skinui

// Sent by a bar to the window its commands go to after its buttons were set from its tool-bar
// resource (wParam: the resource id), so that a frame can put its own buttons back in; frames
// without custom buttons answer 0.
SKINUI_API extern const UINT BCGM_RESETTOOLBAR;

class SKINUI_API CBCGPToolBar : public CBCGPBaseControlBar {
    DECLARE_DYNCREATE(CBCGPToolBar)
public:
    CBCGPToolBar();
    ~CBCGPToolBar() override;

    // Alt+drag customisation of buttons (moving them about); kept for callers.
    static BOOL m_bAltCustomization;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE, UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_FLAT and the like (the bar is always flat); rcBorders: the margins
    // round the buttons.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                          CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);
    // Buttons and image size from the tool-bar resource uiResID; images from the bitmap or PNG
    // resources: cold (0: the hot ones), hot (0: uiResID's own), disabled (0: greyed). Locked
    // bars keep their buttons. The menu strips are kept for callers; menus draw no images here.
    virtual BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                             UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0);
    // Buttons for these ids (ID_SEPARATOR: a separator); button n shows image n of the others.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // A copy of the button (of its class) at the position (-1: the end); its index, or -1.
    int InsertButton(const CBCGPToolbarButton& button, INT_PTR iInsertAt = -1);
    int InsertSeparator(INT_PTR iInsertAt = -1);
    BOOL RemoveButton(int iIndex);
    void RemoveAllButtons();
    // Replaces the (first, or every) button of the command by a copy of the button; how many.
    int ReplaceButton(UINT uiCmd, const CBCGPToolbarButton& button, BOOL bAll = FALSE);

    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    CBCGPToolbarButton* GetButton(int iIndex) const;
    // The index of the first button of the command from iIndexFirst on, or -1.
    int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetInvalidateItemRect(int nIndex, LPRECT lpRect) const { GetItemRect(nIndex, lpRect); }
    UINT GetButtonStyle(int nIndex) const;
    virtual void SetButtonStyle(int nIndex, UINT nStyle);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    // Text and what the button shows; a null text keeps the button's own.
    void SetToolBarBtnText(UINT nBtnIndex, LPCTSTR szText = nullptr, BOOL bShowText = TRUE, BOOL bShowImage = TRUE);
    // The button under the client point, or -1.
    int HitTest(CPoint point) const;
    int GetHighlightedButton() const { return m_iHighlighted; }

    BOOL IsLocked() const { return m_bLocked; }
    void SetLocked(BOOL bLocked) { m_bLocked = bLocked; }
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    CSize GetButtonSize() const { return m_sizeButton; }
    CSize GetImageSize() const { return m_sizeImage; }
    CBCGPToolBarImages* GetImages() { return m_imagesHot.IsValid() ? &m_imagesHot : &m_imagesCold; }
    CBCGPToolBarImages* GetHotImages() { return &m_imagesHot; }
    CBCGPToolBarImages* GetColdImages() { return &m_imagesCold; }
    CBCGPToolBarImages* GetDisabledImages() { return &m_imagesDisabled; }

    // Recomputes the button places and repaints (after buttons or sizes change).
    virtual void AdjustLayout();
    // Places the buttons in the client area (and then updates the tool tips).
    virtual void AdjustLocations();
    // Gives each button's place its tool tip; subclasses that place buttons themselves call it.
    void UpdateTooltips();
    // The size the bar's buttons take docked (bVertDock: in a column).
    virtual CSize CalcSize(BOOL bVertDock);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcFloatingSize() override;
    // Fills the background (the visual manager's bar face); the buttons are drawn over it.
    virtual void OnFillBackground(CDC* pDC);
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // A tool tip of the bar's own for the button: TRUE when strTTText was set.
    virtual BOOL OnUserToolTip(CBCGPToolbarButton* pButton, CString& strTTText) const;
    // The text a button's tool tip shows.
    CString GetButtonToolTip(int nIndex) const;
    // Sends the button's command to the frame; TRUE when sent.
    virtual BOOL OnSendCommand(const CBCGPToolbarButton* pButton);
    // Clicks the button as the mouse would (down and up over it).
    void ClickButton(int nIndex);
    // Where the left button went down last (client coordinates): buttons that act on the part
    // of them clicked read it in OnClick.
    CPoint GetClickPoint() const { return m_ptClick; }
    // The window commands go to: the owner when set, else the dock site.
    CWnd* GetCommandTarget() const;
    void SetOwner(CWnd* pOwnerWnd) { m_pOwner = pOwnerWnd; }
    // Called by a pop-up menu a menu button opened, when it closes.
    virtual void OnPopupMenuClosed();

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // The buttons and separators at their places, over a background painted already.
    void DrawButtons(CDC* pDC);
    BOOL LoadImageStrip(CBCGPToolBarImages& images, UINT uiResID);
    void PlaceButton(std::unique_ptr<CBCGPToolbarButton> button, INT_PTR iInsertAt, int* pIndex);
    void ShowToolTip(int nIndex);
    void SetHighlighted(int nIndex);
    CRect GripperRect() const;
    void OnMouseMoveMessage(CPoint point);
    void OnLButtonDownMessage(CPoint point);
    void OnLButtonUpMessage(CPoint point);

    std::vector<std::unique_ptr<CBCGPToolbarButton>> m_buttons;
    CBCGPToolBarImages m_imagesHot, m_imagesCold, m_imagesDisabled;
    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
    CRect m_rectBorders{1, 1, 1, 1};
    BOOL m_bLocked = FALSE;
    int m_iHighlighted = -1;
    int m_iPressed = -1;
    skinui::HoverTracker<> m_hover;   // asks for WM_MOUSELEAVE; the bar keeps its highlight itself
    CToolTipCtrl m_toolTip;
    CWnd* m_pOwner = nullptr;   // not owned
    CPoint m_ptClick;
};
