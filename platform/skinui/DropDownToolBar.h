#pragma once
// CBCGPDropDownToolBar: a hidden tool bar whose buttons a CBCGPDropDownToolbarButton in another
// bar offers as a palette. A click on the button sends its current command; holding it down, or
// a click on its corner arrow, opens the palette (CBCGPDropDownFrame) below it. A choice there
// becomes the button's current command and image and is sent to the frame.
#include "ToolBar.h"

class SKINUI_API CBCGPDropDownToolBar : public CBCGPToolBar {
    DECLARE_DYNCREATE(CBCGPDropDownToolBar)
public:
    CBCGPDropDownToolBar();
    ~CBCGPDropDownToolBar() override;
    // The bar stays hidden in its frame: it takes no place there.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
};

class SKINUI_API CBCGPDropDownToolbarButton : public CBCGPToolbarButton {
    DECLARE_DYNCREATE(CBCGPDropDownToolbarButton)
public:
    CBCGPDropDownToolbarButton();
    // Shows the drop-down bar's first button until the user picks another.
    CBCGPDropDownToolbarButton(LPCTSTR lpszName, CBCGPDropDownToolBar* pToolBar);
    ~CBCGPDropDownToolbarButton() override;

    void CopyFrom(const CBCGPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OnClickUp() override;
    void OnClickUpOutside() override;
    BOOL IsDroppedDown() const override;
    // Opens the palette below the button.
    BOOL DropDown();
    // Makes the drop-down bar's button with the command the current one.
    BOOL SetDefaultCommand(UINT uiCmd);
    CBCGPDropDownToolBar* GetDropDownToolBar() const { return m_pToolBar; }

    // How long the button must be held before the palette opens, in milliseconds.
    static UINT m_uiShowBarDelay;

protected:
    CBCGPDropDownToolBar* m_pToolBar = nullptr;   // not owned
    CString m_strName;
};

// The palette window of an open drop-down button; it goes away when it closes.
class SKINUI_API CBCGPDropDownFrame : public CWnd {
    DECLARE_DYNAMIC(CBCGPDropDownFrame)
public:
    // The open palette of the thread, or null.
    static CBCGPDropDownFrame* GetActive();
    int GetButtonCount() const;
    // Button nIndex of the drop-down bar: its place in the palette (client coordinates).
    CRect GetButtonRect(int nIndex) const;
    // Chooses button nIndex as a click would; the palette closes.
    void ChooseButton(int nIndex);
    void ClosePalette();
    CBCGPToolBar* GetParentBar() const { return m_pParentBar; }

protected:
    CBCGPDropDownFrame(CBCGPDropDownToolbarButton* pButton, CBCGPToolBar* pParentBar);
    BOOL Open(const CRect& rectButtonScreen);
    void PaintPalette(CDC* pDC);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    friend class CBCGPDropDownToolbarButton;

    CBCGPDropDownToolbarButton* m_pButton;   // not owned
    CBCGPToolBar* m_pParentBar;              // not owned
    int m_iHot = -1;
};
