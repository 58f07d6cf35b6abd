#pragma once
// CBCGPDockingControlBar: a pane the user docks at any side of its frame, floats in a mini
// frame, joins to other panes as tabs and pins to its edge (auto-hide), with a caption and
// caption buttons. The caption and the sizing edge lie outside the client area, so the pane's
// content fills the client area whole.
#include <vector>
#include "BaseControlBar.h"
#include "HoverTracker.h"

class CBCGPTabbedControlBar;

// A caption button, known by its hit-test code: HTCLOSE hides the pane, HTMAXBUTTON pins it to
// its edge and back.
class SKINUI_API CBCGPCaptionButton {
public:
    explicit CBCGPCaptionButton(UINT nHit = HTCLOSE) : m_nHit(nHit) {}
    UINT GetHit() const { return m_nHit; }
    CRect m_rect;   // in window coordinates of the pane
    BOOL m_bFocused = FALSE;
    BOOL m_bPushed = FALSE;

private:
    UINT m_nHit;
};

class SKINUI_API CBCGPDockingControlBar : public CBCGPBaseControlBar {
    DECLARE_DYNCREATE(CBCGPDockingControlBar)
public:
    CBCGPDockingControlBar();
    ~CBCGPDockingControlBar() override;

    // rect's size is the docked size: its width counts for a side pane, its height for a top or
    // bottom one. dwStyle holds the side (CBRS_LEFT ...); dwBCGStyle the pane style.
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID, DWORD dwStyle,
                        DWORD dwTabbedStyle = CBRS_BCGP_REGULAR_TABS,
                        DWORD dwBCGStyle = CBRS_BCGP_FLOAT | CBRS_BCGP_AUTOHIDE | CBRS_BCGP_RESIZE | CBRS_BCGP_CLOSE);
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID, DWORD dwStyle,
                        DWORD dwTabbedStyle = CBRS_BCGP_REGULAR_TABS,
                        DWORD dwBCGStyle = CBRS_BCGP_FLOAT | CBRS_BCGP_AUTOHIDE | CBRS_BCGP_RESIZE | CBRS_BCGP_CLOSE);

    BOOL IsResizable() const override { return TRUE; }
    BOOL CanAutoHide() const override;
    BOOL IsAutoHideMode() const override { return m_bAutoHide; }
    BOOL IsBarVisible() const override;
    void ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate) override;

    // Pins the pane (or its tab group) to its edge, or docks it back.
    virtual BOOL SetAutoHideMode(BOOL bMode, DWORD dwAlignment = 0);
    // Slides an auto-hidden pane out over the view, or back.
    virtual void Slide(BOOL bSlideOut);
    BOOL IsSlidOut() const { return m_bSlidOut; }
    // Joins this pane to pTabControlBarAttachTo's tab group (made when it stands alone);
    // *ppTabbedControlBar receives the group. Returns this pane, or null when it cannot join.
    virtual CBCGPDockingControlBar* AttachToTabWnd(CBCGPDockingControlBar* pTabControlBarAttachTo, BCGP_DOCK_METHOD dockMethod,
                                                   BOOL bSetActive = TRUE, CBCGPDockingControlBar** ppTabbedControlBar = nullptr);
    // Docks in pTargetWindow's column: CBRS_ALIGN_TOP or _LEFT before it, otherwise after it.
    virtual BOOL DockToWindow(CBCGPDockingControlBar* pTargetWindow, DWORD dwAlignment);
    CBCGPTabbedControlBar* GetParentTabbedBar() const { return m_pParentTabbedBar; }
    BOOL IsTabbed() const { return m_pParentTabbedBar != nullptr; }
    // Tab groups this pane makes are of this class (a CBCGPTabbedControlBar); null: the plain one.
    CRuntimeClass* m_pTabbedControlBarRTC = nullptr;

    // Caption buttons: SetCaptionButtons (called at creation) decides which the pane shows.
    virtual void SetCaptionButtons();
    void RemoveCaptionButtons();
    void AddCaptionButton(UINT nHit);
    const std::vector<CBCGPCaptionButton>& GetCaptionButtons() const { return m_arrButtons; }
    // Runs the button's action: HTCLOSE hides, HTMAXBUTTON pins or unpins.
    virtual void OnPressButtons(UINT nHit);
    virtual void OnPressCloseButton();
    virtual BOOL HasCaption() const;
    static int GetCaptionHeight();
    static int GetSizingEdge() { return 5; }
    // The least width (or height) the user sizes a docked pane to.
    static int GetMinSize() { return 40; }
    CRect GetCaptionRect() const;   // window coordinates, empty when it has none

    // The size docked at (window size): its width counts at a side, its height at top or bottom.
    CSize GetDockedSize() const { return m_sizeDocked; }
    void SetDockedSize(CSize size) { m_sizeDocked = size; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcFloatingSize() override;
    // Which edge of the window the user drags to resize the pane: the inner one, 0 for none.
    DWORD GetSizingEdgeSide() const;

    void DoPaint(CDC* pDC) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    virtual void DrawCaption(CDC* pDC, CRect rectCaption);
    void RedrawCaption();
    void RedrawAllCaptions();
    UINT HitTestCaptionButton(CPoint ptWindow) const;
    void LayoutCaptionButtons();

    friend class CBCGPDockManager;
    friend class CBCGPTabbedControlBar;

    BOOL m_bHasGripper = TRUE;
    DWORD m_dwTabbedStyle = CBRS_BCGP_REGULAR_TABS;
    CSize m_sizeDocked;
    std::vector<CBCGPCaptionButton> m_arrButtons;
    skinui::HoverTracker<UINT> m_captionHover{ 0, true };   // the hit-test code under the mouse
    CBCGPTabbedControlBar* m_pParentTabbedBar = nullptr;
    BOOL m_bAutoHide = FALSE;
    BOOL m_bSlidOut = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    enum class Drag { None, Button, Caption, Size };
    Drag m_drag = Drag::None;
    UINT m_nPressedHit = 0;
    CPoint m_ptDragStart;   // screen
    CSize m_sizeAtDragStart;
};
