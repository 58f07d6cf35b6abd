#pragma once
// CBCGPBaseControlBar: what every skinned bar (tool bars, menu bar, status bar, docking panes)
// shares with the dock manager of a skinned frame: the sides it may dock at and the side it is
// docked at, floating in a mini frame, its size along the edge, its visibility, its pane style,
// and a background painted by the visual manager.
//
// A bar belongs to its dock site, the frame it was created in, also while it floats in a mini
// frame or sits in a tab group: commands and command states go to that frame.
#include "AppFrame.h"
#include "SkinUIDef.h"

class CBCGPMiniFrameWnd;
class CBCGPDockManager;

// Bar styles beside CBRS_ALIGN_..., CBRS_TOOLTIPS and CBRS_FLYBY; kept by the bar, never given
// to its window.
#define CBRS_HIDE_INPLACE   0x0008L   // hidden rather than shown disabled where it has no room
#define CBRS_GRIPPER        0x0040L   // a grip to drag the bar by
#define CBRS_FLOAT_MULTI    0x0080L   // may share a mini frame with other bars
#define CBRS_BORDER_3D      0x0100L   // a raised edge round the bar
#define CBRS_SIZE_FIXED     0x0200L   // keeps its size when floating
#define CBRS_SIZE_DYNAMIC   0x0400L   // rewraps its items when floating or resized
#define CBRS_BCGP_BAR_STYLES (CBRS_ALIGN_ANY | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_HIDE_INPLACE | CBRS_GRIPPER | CBRS_FLOAT_MULTI | \
                              CBRS_BORDER_3D | CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)

// Pane styles (the control-bar style): what the user may do with the pane.
#define CBRS_BCGP_FLOAT     0x0001   // float it
#define CBRS_BCGP_AUTOHIDE  0x0002   // pin it to an edge, where it slides out on demand
#define CBRS_BCGP_RESIZE    0x0004   // resize it by its inner edge
#define CBRS_BCGP_CLOSE     0x0008   // close (hide) it
#define CBRS_BCGP_REGULAR_TABS 0x0020   // tabbed style: tab groups show regular tabs

// How a bar came to float or dock.
enum BCGP_DOCK_METHOD { BCGP_DM_UNKNOWN, BCGP_DM_MOUSE, BCGP_DM_DBL_CLICK, BCGP_DM_SHOW, BCGP_DM_RECT, BCGP_DM_STANDARD };

class SKINUI_API CBCGPBaseControlBar : public CControlBar {
    DECLARE_DYNAMIC(CBCGPBaseControlBar)
public:
    CBCGPBaseControlBar();
    ~CBCGPBaseControlBar() override;

    // Docking: the sides the bar may dock at (CBRS_ALIGN_...; 0: none, the bar never floats
    // either) and the side it is docked at, or was docked at last while it floats.
    virtual void EnableDocking(DWORD dwAlignment);
    DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }
    virtual DWORD GetCurrentAlignment() const { return m_dwStyle & CBRS_ALIGN_ANY; }
    virtual void SetCurrentAlignment(DWORD dwAlignment);
    BOOL IsHorizontal() const;
    virtual BOOL CanFloat() const;
    virtual BOOL CanBeClosed() const { return (m_dwControlBarStyle & CBRS_BCGP_CLOSE) != 0; }
    virtual BOOL CanAutoHide() const { return FALSE; }
    // Whether the user sizes the bar (docking panes) or it takes its own size (tool bars).
    virtual BOOL IsResizable() const { return FALSE; }
    virtual BOOL IsAutoHideMode() const { return FALSE; }
    DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
    void SetControlBarStyle(DWORD dwNewStyle) { m_dwControlBarStyle = dwNewStyle; }

    BOOL IsFloating() const { return m_pMiniFrame != nullptr; }
    BOOL IsDocked() const { return m_hWnd && !IsFloating(); }
    CBCGPMiniFrameWnd* GetParentMiniFrame() const { return m_pMiniFrame; }
    // The frame the bar belongs to; its dock manager places the bar.
    CFrameWnd* GetDockSiteFrameWnd() const;
    CBCGPDockManager* GetDockManager() const;

    // Floats the bar in a mini frame whose client area is rectFloat (screen coordinates).
    virtual BOOL FloatControlBar(CRect rectFloat, BCGP_DOCK_METHOD dockMethod = BCGP_DM_UNKNOWN, bool bShow = true);
    // Docks the bar at a side of its dock site (0: the side it was docked at last).
    virtual BOOL DockToFrameWindow(DWORD dwAlignment = 0);
    // Where the bar floats next: screen coordinates of the mini frame's client area.
    CRect GetRecentFloatingRect() const { return m_rectRecentFloating; }
    // The mini frames the bar floats in are of this class (a CBCGPMiniFrameWnd); null: the plain one.
    CRuntimeClass* m_pMiniFrameRTC = nullptr;
    void SetRecentFloatingRect(const CRect& rect) { m_rectRecentFloating = rect; }

    // Shows or hides the bar; without delay the dock site lays itself out again at once.
    virtual void ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate);
    // Lays out the dock site (or the mini frame) the bar is in.
    virtual void AdjustDockingLayout();
    // Whether the bar takes part in the layout: shown by the user, not only visible on screen.
    virtual BOOL IsBarVisible() const;

    // The bar's size when docked: for a horizontal bar its height counts, for a vertical one its
    // width. The default is the size the bar was created with.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // The size the bar wants floating (client area of the mini frame).
    virtual CSize CalcFloatingSize();
    // Items of the bar ask the dock site for their states; plain bars have none.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // The bar's stored state (per profile, under the workspace's registry base); the base keeps
    // nothing of its own, the dock manager stores where the bar is.
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = static_cast<UINT>(-1));
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = static_cast<UINT>(-1));

    // Paints the bar: the visual manager's bar background; subclasses draw their items on top.
    virtual void DoPaint(CDC* pDC);

    // The window styles of a bar's window from a bar style (the CBRS_ bits removed).
    static DWORD BarWindowStyle(DWORD dwStyle) { return dwStyle & ~static_cast<DWORD>(CBRS_BCGP_BAR_STYLES); }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // Makes the bar's window: a child of pParentWnd (its dock site) of our plain window class.
    BOOL CreateBar(LPCTSTR lpszCaption, DWORD dwStyle, const CRect& rect, CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle,
                   DWORD dwExStyle = 0);
    // Called by the mini frame when the bar moves into it or out of it.
    friend class CBCGPMiniFrameWnd;
    friend class CBCGPDockManager;

    DWORD m_dwEnabledAlignment = 0;
    DWORD m_dwControlBarStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;   // not owned
    CSize m_sizeDefault;                 // the size the bar was created with
    CRect m_rectRecentFloating;
    BOOL m_bUserVisible = TRUE;          // the user's wish; auto-hidden panes are hidden yet shown
    CBCGPMiniFrameWnd* m_pMiniFrame = nullptr;   // the mini frame it floats in; owned by its window
};
