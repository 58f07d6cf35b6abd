#pragma once
// Ribbon elements: the items that the caption bar (CBCGPRibbonBar) and the status bar
// (CBCGPRibbonStatusBar) lay out, paint and click. The bar owns its elements. An element with a
// command id takes its state from the frame's command route at idle time and sends its command
// to the frame when clicked.
//   CBCGPBaseRibbonElement          the base: id, text, tip, place, state, drawing and mouse hooks
//   CBCGPRibbonButton               an icon and/or text that sends its command
//   CBCGPRibbonCaptionCustomButton  a button of the caption bar, beside the window buttons
//   CBCGPRibbonLabel                static text
//   CBCGPRibbonCheckBox             a check box (its check comes from the command route)
//   CBCGPRibbonProgressBar          a progress bar (range, position, endless mode)
//   CBCGPRibbonSeparator            a thin line between elements
#include "AppFrame.h"
#include "SkinUIDef.h"

class SKINUI_API CBCGPBaseRibbonElement : public CObject {
    DECLARE_DYNAMIC(CBCGPBaseRibbonElement)
public:
    CBCGPBaseRibbonElement();
    ~CBCGPBaseRibbonElement() override;

    UINT GetID() const { return m_nID; }
    void SetID(UINT nID) { m_nID = nID; }
    virtual void SetText(LPCTSTR lpszText);
    LPCTSTR GetText() const { return m_strText; }
    void SetToolTipText(LPCTSTR lpszText) { m_strToolTip = lpszText ? lpszText : L""; }
    LPCTSTR GetToolTipText() const { return m_strToolTip; }
    void SetDescription(LPCTSTR lpszText) { m_strDescription = lpszText ? lpszText : L""; }
    LPCTSTR GetDescription() const { return m_strDescription; }

    CRect GetRect() const { return m_rect; }
    virtual void SetRect(const CRect& rect) { m_rect = rect; }
    void SetVisible(BOOL bIsVisible) { m_bIsVisible = bIsVisible; }
    BOOL IsVisible() const { return m_bIsVisible; }
    BOOL IsDisabled() const { return m_bIsDisabled; }
    BOOL IsChecked() const { return m_bIsChecked; }
    BOOL IsHighlighted() const { return m_bIsHighlighted; }
    BOOL IsPressed() const { return m_bIsPressed; }
    // Elements that only show something: no highlight, no click, no command state.
    virtual BOOL IsStatic() const { return FALSE; }
    virtual BOOL IsSeparator() const { return FALSE; }

    // The size the element wants in a bar of the given row height.
    virtual CSize GetRegularSize(CDC* pDC);
    virtual void OnDraw(CDC* pDC);
    // Mouse hooks, points in the bar's client coordinates.
    virtual void OnMouseMove(CPoint point);
    virtual void OnLButtonDown(CPoint point);
    virtual void OnLButtonUp(CPoint point);
    // A click (down and up over the element): sends the command by default.
    virtual void OnClick(CPoint point);
    // The command-route answers.
    virtual void OnEnable(BOOL bEnable);
    virtual void OnCheck(BOOL bCheck);
    virtual void OnSetText(LPCTSTR lpszText) { SetText(lpszText); }

    // The bar that holds it (set when added).
    CWnd* GetParentWnd() const { return m_pParentWnd; }
    void SetParentWnd(CWnd* pWnd) { m_pParentWnd = pWnd; }
    // Sends the command to the bar's frame; TRUE when sent.
    BOOL NotifyCommand();
    // Repaints the element's place in the bar.
    void Redraw();
    void SetHighlighted(BOOL bHighlighted) { m_bIsHighlighted = bHighlighted; }
    void SetPressed(BOOL bPressed) { m_bIsPressed = bPressed; }
    // Caption bar elements draw over the accent band.
    BOOL m_bOnCaption = FALSE;

protected:
    void DrawText(CDC* pDC, const CString& text, CRect rect, UINT nFormat);

    UINT m_nID = 0;
    CString m_strText, m_strToolTip, m_strDescription;
    CRect m_rect;
    BOOL m_bIsVisible = TRUE, m_bIsDisabled = FALSE, m_bIsChecked = FALSE;
    BOOL m_bIsHighlighted = FALSE, m_bIsPressed = FALSE;
    CWnd* m_pParentWnd = nullptr;   // not owned
};

class SKINUI_API CBCGPRibbonButton : public CBCGPBaseRibbonElement {
    DECLARE_DYNCREATE(CBCGPRibbonButton)
public:
    CBCGPRibbonButton() = default;
    // The icon is owned by the button when bAutoDestroyIcon.
    CBCGPRibbonButton(UINT nID, LPCTSTR lpszText, HICON hIcon = nullptr, BOOL bAutoDestroyIcon = FALSE);
    ~CBCGPRibbonButton() override;
    CSize GetRegularSize(CDC* pDC) override;
    void OnDraw(CDC* pDC) override;
    HICON GetIcon() const { return m_hIcon; }
    void SetIcon(HICON hIcon, BOOL bAutoDestroyIcon = FALSE);
    // Whether the text shows beside the icon (always when there is no icon).
    BOOL m_bShowText = TRUE;

protected:
    HICON m_hIcon = nullptr;
    BOOL m_bAutoDestroyIcon = FALSE;
};

class SKINUI_API CBCGPRibbonCaptionCustomButton : public CBCGPRibbonButton {
    DECLARE_DYNCREATE(CBCGPRibbonCaptionCustomButton)
public:
    CBCGPRibbonCaptionCustomButton() = default;
    CBCGPRibbonCaptionCustomButton(UINT nID, HICON hIcon = nullptr, LPCTSTR lpszText = nullptr, BOOL bAutoDestroyIcon = FALSE);
    CSize GetRegularSize(CDC* pDC) override;
};

class SKINUI_API CBCGPRibbonLabel : public CBCGPBaseRibbonElement {
    DECLARE_DYNCREATE(CBCGPRibbonLabel)
public:
    CBCGPRibbonLabel() = default;
    explicit CBCGPRibbonLabel(LPCTSTR lpszText, BOOL bIsMultiLine = FALSE);
    BOOL IsStatic() const override { return TRUE; }
    CSize GetRegularSize(CDC* pDC) override;
    void OnDraw(CDC* pDC) override;
};

class SKINUI_API CBCGPRibbonCheckBox : public CBCGPBaseRibbonElement {
    DECLARE_DYNCREATE(CBCGPRibbonCheckBox)
public:
    CBCGPRibbonCheckBox() = default;
    CBCGPRibbonCheckBox(UINT nID, LPCTSTR lpszText);
    CSize GetRegularSize(CDC* pDC) override;
    void OnDraw(CDC* pDC) override;
};

class SKINUI_API CBCGPRibbonProgressBar : public CBCGPBaseRibbonElement {
    DECLARE_DYNCREATE(CBCGPRibbonProgressBar)
public:
    CBCGPRibbonProgressBar() = default;
    CBCGPRibbonProgressBar(UINT nID, int nWidth = 90, int nHeight = 22);
    BOOL IsStatic() const override { return TRUE; }
    CSize GetRegularSize(CDC* pDC) override;
    void OnDraw(CDC* pDC) override;
    void SetRange(int nMin, int nMax);
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    // Kept within the range; repaints when bRedraw.
    void SetPos(int nPos, BOOL bRedraw = TRUE);
    int GetPos() const { return m_nPos; }
    // Endless: a block runs along the bar (each SetPos moves it).
    void SetInfiniteMode(BOOL bSet = TRUE) { m_bInfiniteMode = bSet; }
    BOOL IsInfiniteMode() const { return m_bInfiniteMode; }

protected:
    int m_nMin = 0, m_nMax = 100, m_nPos = 0;
    int m_nWidth = 90, m_nHeight = 22;
    BOOL m_bInfiniteMode = FALSE;
};

class SKINUI_API CBCGPRibbonSeparator : public CBCGPBaseRibbonElement {
    DECLARE_DYNCREATE(CBCGPRibbonSeparator)
public:
    BOOL IsStatic() const override { return TRUE; }
    BOOL IsSeparator() const override { return TRUE; }
    CSize GetRegularSize(CDC* pDC) override;
    void OnDraw(CDC* pDC) override;
};

namespace skinui {
// The chunk of a progress bar: the filled part of rect for pos in [nMin, nMax] (clamped).
SKINUI_API CRect ProgressChunk(const CRect& rect, int nMin, int nMax, int nPos);
} // namespace skinui
