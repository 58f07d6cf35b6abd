#pragma once
// CBCGPToolbarControlButton: what the tool-bar buttons that hold a control (an edit box, a combo
// box) share: the control, made by the subclass when the button is placed in a bar and gone with
// the button; its style; the button's width in a horizontal bar. The control paints itself.
#include <memory>
#include "ToolbarButton.h"

class SKINUI_API CBCGPToolbarControlButton : public CBCGPToolbarButton {
    DECLARE_DYNAMIC(CBCGPToolbarControlButton)
public:
    ~CBCGPToolbarControlButton() override;

    void CopyFrom(const CBCGPToolbarButton& src) override;
    // The button's fields, then the width and the control's style.
    void Serialize(CArchive& ar) override;
    // The width in a horizontal bar, the height a line of text wants.
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // The control goes with the old bar; the new bar gets one of its own (CreateControl).
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // Nothing: the control paints itself.
    void OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    HWND GetHwnd() override { return m_pWndControl ? m_pWndControl->m_hWnd : nullptr; }
    BOOL HaveHotBorder() const override { return FALSE; }
    int GetWidth() const { return m_iWidth; }

protected:
    explicit CBCGPToolbarControlButton(DWORD dwStyle) : m_dwStyle(dwStyle) {}
    // iWidth 0: a default width.
    CBCGPToolbarControlButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth);
    // Makes the control in the bar, or null.
    virtual CWnd* CreateControl(CWnd* pWndParent) = 0;

    std::unique_ptr<CWnd> m_pWndControl;
    DWORD m_dwStyle;
    int m_iWidth = 150;
};
