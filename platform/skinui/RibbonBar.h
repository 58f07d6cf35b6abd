#pragma once
// CBCGPRibbonBar, used as the window's caption: the frame's own caption goes away and the bar,
// docked at the very top, draws the icon, the title, custom caption buttons (AddToTabs) and
// the minimise, maximise and close buttons in the look's colours. Dragging it moves the frame,
// a double click maximises or restores it, a right click opens the system menu.
#include <memory>
#include <vector>
#include "BaseControlBar.h"
#include "HoverTracker.h"
#include "RibbonElement.h"
#include "VisualManager.h"

#ifndef AFX_IDW_RIBBON_BAR
#define AFX_IDW_RIBBON_BAR 0xE80A
#endif

namespace skinui {
// The caption's layout from its client rectangle: the window buttons at the right (three, or
// one close button), the custom buttons of the given widths left of them, the icon at the left
// and the title between.
struct SKINUI_API CaptionLayout {
    CRect icon, title;
    CRect minimize, maximize, close;
    std::vector<CRect> custom;
};
SKINUI_API CaptionLayout LayoutCaption(const CRect& client, const std::vector<int>& customWidths, BOOL bMinMax, BOOL bIcon);
} // namespace skinui

class SKINUI_API CBCGPRibbonBar : public CBCGPBaseControlBar {
    DECLARE_DYNCREATE(CBCGPRibbonBar)
public:
    // bReplaceFrameCaption: the bar takes the place of the frame's caption.
    explicit CBCGPRibbonBar(BOOL bReplaceFrameCaption = TRUE);
    ~CBCGPRibbonBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_RIBBON_BAR);
    // A caption element at the right, left of the window buttons; the bar takes it.
    void AddToTabs(CBCGPBaseRibbonElement* pElement);
    void RemoveAllFromTabs();
    int GetTabElementCount() const { return static_cast<int>(m_tabElements.size()); }
    CBCGPBaseRibbonElement* GetTabElement(int nIndex) const;
    CBCGPBaseRibbonElement* FindByID(UINT uiCmdID) const;
    BOOL IsReplaceFrameCaption() const { return m_bReplaceFrameCaption; }
    // Called when the frame changes its size or state: which parts show; nothing by default.
    virtual void SetVisibilityInFrame(int cxFrame, BOOL bIsMDIChild);
    int GetCaptionHeight() const;
    CRect GetCaptionButtonRect(BCGP_CAPTION_BUTTON nButton) const;

    void RecalcLayout();
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // Which part is under the point: 0 none/title, 1 minimise, 2 maximise, 3 close, or 10 + n
    // for custom element n.
    int HitPart(CPoint point) const;
    void SetHotPart(int nPart);
    BOOL IsFrameActive() const;

    BOOL m_bReplaceFrameCaption;
    std::vector<std::unique_ptr<CBCGPBaseRibbonElement>> m_tabElements;
    skinui::CaptionLayout m_layout;
    int m_nHot = 0, m_nPressed = 0;
    skinui::HoverTracker<> m_hover;   // asks for WM_MOUSELEAVE; SetHotPart keeps the hot part
    BOOL m_bActive = TRUE;
    CToolTipCtrl m_toolTip;
};
