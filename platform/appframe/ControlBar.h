#pragma once
// Control bars: child windows of a frame that RecalcLayout places along its edges. Each asks
// the frame's command route for the state of its items at idle time (WM_IDLEUPDATECMDUI) and
// passes its commands and notifications on to the frame.
//   CToolBar    a row of command buttons (the common tool-bar control)
//   CStatusBar  panes of text along the bottom; pane 0 shows command prompts
//   CDialogBar  a child dialog from a template; its controls are updated like dialog controls
#include <vector>
#include "Wnd.h"

class CFrameWnd;

// Bar styles (kept by the bar, not given to the window).
#define CBRS_ALIGN_LEFT    0x1000L
#define CBRS_ALIGN_TOP     0x2000L
#define CBRS_ALIGN_RIGHT   0x4000L
#define CBRS_ALIGN_BOTTOM  0x8000L
#define CBRS_ALIGN_ANY     0xF000L
#define CBRS_TOOLTIPS      0x0010L
#define CBRS_FLYBY         0x0020L
#define CBRS_LEFT          CBRS_ALIGN_LEFT
#define CBRS_TOP           CBRS_ALIGN_TOP
#define CBRS_RIGHT         CBRS_ALIGN_RIGHT
#define CBRS_BOTTOM        CBRS_ALIGN_BOTTOM

class APPFRAME_API CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;

    // The bar's size along its edge: the height of a top or bottom bar, the width of a side bar.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Asks pTarget (the frame) for the state of each item.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL IsVisible() const { return m_hWnd && IsWindowVisible(); }
    // The frame that places the bar and handles its commands.
    CFrameWnd* GetDockingFrame() const;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    DWORD m_dwStyle = 0;   // CBRS_...
    // Window styles of a bar's window from its bar style.
    static DWORD WindowStyle(DWORD dwStyle);
};

class APPFRAME_API CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar() = default;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // A strip of 16 x 15 button images (a bitmap resource), one image per button in order.
    BOOL LoadBitmap(UINT nIDResource);
    // Buttons with these command ids, ID_SEPARATOR for a gap; button n shows image n of the
    // non-separators.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    UINT GetButtonStyle(int nIndex) const;   // TBSTATE_... of the button
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
};

class APPFRAME_API CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar() = default;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; a pane's text and width come from the string resource of its id. Pane 0
    // (usually ID_SEPARATOR) takes what the others leave.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    struct Pane {
        UINT id;
        int width;   // pixels; pane 0 stretches
        CString text;
        bool enabled;
    };
    std::vector<Pane> m_panes;
    void ApplyPaneWidths();
    friend class StatusCmdUI;
};

class APPFRAME_API CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar() = default;
    // The template must have the child style; nStyle is the bar's side (CBRS_TOP ...).
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    CSize m_sizeDefault;
};
