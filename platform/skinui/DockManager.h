#pragma once
// CBCGPDockManager: places the bars of one frame. Bars dock at a side in the order they were
// docked: fixed-size bars (tool bars, menu bar, status bar) take the outer places, then the
// auto-hide strips, then the docking panes; panes docked beside another one share its column.
// What is left holds the view or the MDI client. Floating bars live in mini frames; auto-hidden
// panes are buttons on a strip along their side and slide out over the view when asked.
#include <memory>
#include <vector>
#include "BaseControlBar.h"
#include "HoverTracker.h"

class CBCGPDockingControlBar;
class CBCGPTabbedControlBar;
class CBCGPAutoHideDockBar;

namespace skinui {
UINT DockManagerQueryMessage();
// The side a dock bar id stands for (AFX_IDW_DOCKBAR_...), 0 for others.
SKINUI_API DWORD AlignmentOfDockBar(UINT nDockBarID);
// Splits a column (or row) of panes along its edge in proportion to their weights; the last
// takes what rounding leaves.
SKINUI_API void SplitAlong(const RECT& rect, bool horizontalEdge, const int* weights, size_t count, RECT* parts);
// The side whose docking zone (zone pixels inside the edge of area) holds pt, or 0.
SKINUI_API DWORD DockZoneAtPoint(const RECT& area, POINT pt, int zone);
// Where a floating rectangle of size comes to lie centred on a screen: fraction of the screen
// in each direction when fraction > 0, else the size itself.
SKINUI_API RECT CenteredRect(SIZE screen, double fraction, SIZE size);
// Whether a stored rectangle (screen coordinates) is a place to put a window back to: at least
// minSize each way, at most twice the screens together, and on a monitor.
SKINUI_API bool IsUsableScreenRect(const RECT& rect, int minSize);
// Named 32-bit values under a key of HKEY_CURRENT_USER, as frames and dock managers store their
// state. Writing answers false when any value failed. Reading takes the values stored as whole
// 32-bit numbers (REG_DWORD of four bytes) and leaves the others as they were; it answers how
// many it took, -1 when the key is missing.
bool WriteRegistryDwords(LPCTSTR key, const wchar_t* const names[], const DWORD values[], size_t count);
int ReadRegistryDwords(LPCTSTR key, const wchar_t* const names[], DWORD values[], size_t count);
} // namespace skinui

class SKINUI_API CBCGPDockManager {
public:
    explicit CBCGPDockManager(CFrameWnd* pFrame);
    ~CBCGPDockManager();
    CBCGPDockManager(const CBCGPDockManager&) = delete;
    CBCGPDockManager& operator=(const CBCGPDockManager&) = delete;

    CFrameWnd* GetDockSite() const { return m_pFrame; }
    void EnableDocking(DWORD dwAlignment) { m_dwEnabledAlignment = dwAlignment & CBRS_ALIGN_ANY; }
    DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }
    void EnableAutoHideBars(DWORD dwAlignment) { m_dwAutoHideAlignment = dwAlignment & CBRS_ALIGN_ANY; }
    DWORD GetAutoHideAlignment() const { return m_dwAutoHideAlignment; }

    // Docks the bar at the side of nDockBarID (0: the side of its bar style) after the bars
    // already there.
    void DockControlBar(CBCGPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    // Docks the pane in the column of pTarget, before it (left or top) or after it.
    BOOL DockBarBeside(CBCGPBaseControlBar* pBar, CBCGPBaseControlBar* pTarget, DWORD dwAlignment);
    // Docks a floating (or hidden) bar at a side again (0: where it was docked last).
    BOOL DockToFrame(CBCGPBaseControlBar* pBar, DWORD dwAlignment);
    BOOL FloatControlBar(CBCGPBaseControlBar* pBar, CRect rectFloat, bool bShow);
    // Forgets the bar (when it is destroyed).
    void RemoveControlBar(CBCGPBaseControlBar* pBar);
    BOOL IsKnown(const CBCGPBaseControlBar* pBar) const;
    CBCGPBaseControlBar* FindBarByID(UINT nID) const;
    // Every pane and bar the manager knows, tab-group members included.
    std::vector<CBCGPBaseControlBar*> GetAllBars() const;

    // Tab groups: pBar joins pTarget's group (made when pTarget stands alone).
    CBCGPTabbedControlBar* AttachToTab(CBCGPDockingControlBar* pBar, CBCGPDockingControlBar* pTarget, BOOL bSetActive);
    // Takes a pane out of its tab group; the pane takes the group's place when it is the last.
    void DetachFromTab(CBCGPDockingControlBar* pBar);

    // Auto-hide: the pane (or its whole tab group) becomes a button on its side's strip.
    BOOL SetAutoHide(CBCGPDockingControlBar* pBar, BOOL bAutoHide);
    CBCGPAutoHideDockBar* GetAutoHideBar(DWORD dwAlignment) const;
    // The rectangle an auto-hidden pane slides out into (frame client coordinates).
    CRect GetSlideOutRect(CBCGPDockingControlBar* pBar) const;

    // Places every docked bar and the view; the rest of the client area is the view's.
    void AdjustDockingLayout();
    CRect GetClientAreaRect() const { return m_rectClientArea; }
    // After a mini frame was dropped: docks its bar when the cursor lies in a docking zone of
    // the frame, or joins it as a tab when it lies on a pane's caption.
    BOOL DockAtPoint(CBCGPBaseControlBar* pBar, CPoint ptScreen);

    // Full-screen mode hides every bar and floating frame; leaving shows them again.
    void HideAllForFullScreen(BOOL bHide);

    // Where each bar is, its size, floating rectangle, visibility, tab group and auto-hide
    // state, under key lpszKey of HKEY_CURRENT_USER.
    BOOL SaveState(LPCTSTR lpszKey) const;
    BOOL LoadState(LPCTSTR lpszKey);

private:
    struct Entry {
        CBCGPBaseControlBar* bar;
        DWORD side;       // CBRS_ALIGN_... docked at, or last docked at
        int column;       // panes with the same column share a place on their side
        bool autoHide;
    };
    Entry* Find(const CBCGPBaseControlBar* pBar);
    const Entry* Find(const CBCGPBaseControlBar* pBar) const;
    void AddEntry(CBCGPBaseControlBar* pBar, DWORD side, int column = -1);
    void UpdateAutoHideBars();
    void RegisterChildBars();
    CBCGPTabbedControlBar* MakeTabGroup(CBCGPDockingControlBar* pFirst);

    CFrameWnd* m_pFrame;
    DWORD m_dwEnabledAlignment = 0;
    DWORD m_dwAutoHideAlignment = 0;
    std::vector<Entry> m_entries;
    int m_nextColumn = 1;
    std::vector<std::unique_ptr<CBCGPTabbedControlBar>> m_tabGroups;
    std::unique_ptr<CBCGPAutoHideDockBar> m_autoHideBars[4];   // top, bottom, left, right
    CRect m_rectClientArea;
    CRect m_rectInner;   // inside the fixed bars and the strips: where panes slide out
    std::vector<CBCGPBaseControlBar*> m_hiddenForFullScreen;
    std::vector<HWND> m_hiddenFramesForFullScreen;
    bool m_inLayout = false;
};

// The strip along a side of the frame with a button per auto-hidden pane. Hovering or clicking
// a button slides its pane out.
class SKINUI_API CBCGPAutoHideDockBar : public CBCGPBaseControlBar {
    DECLARE_DYNAMIC(CBCGPAutoHideDockBar)
public:
    CBCGPAutoHideDockBar(CBCGPDockManager* pManager, DWORD dwAlignment);
    BOOL Create(CFrameWnd* pFrame);
    void SetPanes(const std::vector<CBCGPDockingControlBar*>& panes);
    const std::vector<CBCGPDockingControlBar*>& GetPanes() const { return m_panes; }
    // The button under a point of the strip's client area, -1 for none.
    int HitTest(CPoint pt) const;
    CRect GetButtonRect(int nIndex) const;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    static int Thickness();

private:
    CBCGPDockManager* m_pManager;
    std::vector<CBCGPDockingControlBar*> m_panes;
    skinui::HoverTracker<int> m_hover{ -1 };
};
