#pragma once
// CBCGPTabbedControlBar: a tab group of docking panes that docks, floats and auto-hides as one
// pane; the tabs show the panes' captions and icons, a click brings a pane to the front.
#include <vector>
#include "DockingControlBar.h"
#include "HoverTracker.h"

class SKINUI_API CBCGPTabbedControlBar : public CBCGPDockingControlBar {
    DECLARE_DYNCREATE(CBCGPTabbedControlBar)
public:
    explicit CBCGPTabbedControlBar(BOOL bAutoDestroy = FALSE);
    ~CBCGPTabbedControlBar() override;

    // The tabs lie at the top of every tab group when set, else at the bottom.
    static BOOL m_bTabsAlwaysTop;

    // Makes the group's window in the place of pFirst, which becomes its first tab.
    BOOL CreateGroup(CBCGPDockingControlBar* pFirst);
    BOOL AddTab(CBCGPDockingControlBar* pBar, BOOL bSetActive = TRUE);
    // Takes the pane out; it becomes a child of the dock site again.
    BOOL RemoveTab(CBCGPDockingControlBar* pBar);
    int GetTabsNum() const { return static_cast<int>(m_tabs.size()); }
    CBCGPDockingControlBar* GetTab(int nIndex) const;
    int GetActiveTab() const { return m_nActive; }
    CBCGPDockingControlBar* GetActiveBar() const { return GetTab(m_nActive); }
    BOOL SetActiveTab(int nIndex);
    int FindTab(const CBCGPDockingControlBar* pBar) const;
    BOOL IsAutoDestroy() const { return m_bAutoDestroy; }

    CRect GetTabAreaRect() const;   // client coordinates
    CRect GetTabRect(int nIndex) const;
    int TabFromPoint(CPoint ptClient) const;
    static int GetTabAreaHeight();

    void DoPaint(CDC* pDC) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void RecalcTabLayout();
    BOOL IsBarVisible() const override;

private:
    skinui::HoverTracker<int> m_hover{ -1 };
    int m_nDragTab = -1;
    CPoint m_ptDragStart;
    std::vector<CBCGPDockingControlBar*> m_tabs;
    int m_nActive = -1;
    BOOL m_bAutoDestroy;
};
