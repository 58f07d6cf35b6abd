#pragma once
// CBCGPMDIFrameWnd: an MDI frame with the dock manager of CBCGPFrameWnd, MDI tabbed groups (the
// children shown as tabs, in one group or several side by side), the windows dialog and
// full-screen mode. CBCGPMDIChildWnd tells its frame when it comes, goes or changes its title.
#include <memory>
#include <utility>
#include <vector>
#include "BCGPFrameWnd.h"
#include "HoverTracker.h"

class CBCGPMDITabGroupWnd;

// How MDI tabs look and behave.
struct SKINUI_API CBCGPMDITabParams {
    BOOL m_bTabCloseButton = FALSE;        // a close button at the right of each group's strip
    BOOL m_bActiveTabCloseButton = TRUE;   // a close button on the active tab
    BOOL m_bTabIcons = TRUE;               // the children's icons on their tabs
    BOOL m_bAutoColor = FALSE;
    BOOL m_bDocumentMenu = FALSE;
    BOOL m_bEnableTabSwap = TRUE;
};

namespace skinui {
// The rectangles of n equal groups side by side (bVert) or one above the other.
SKINUI_API void LayoutTabGroups(const RECT& client, int count, BOOL bVert, RECT* groups);
} // namespace skinui

class SKINUI_API CBCGPMDIFrameWnd : public CBCGPFrameBase<CMDIFrameWnd> {
    DECLARE_DYNCREATE(CBCGPMDIFrameWnd)
public:
    // Lays out the tabbed groups as well.
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // MDI tabbed groups.
    void EnableMDITabbedGroups(BOOL bEnable, const CBCGPMDITabParams& params = CBCGPMDITabParams());
    BOOL IsMDITabbedGroup() const { return m_bTabbedGroups; }
    const CBCGPMDITabParams& GetMDITabParams() const { return m_tabParams; }
    int GetMDITabGroupCount() const { return static_cast<int>(m_groups.size()); }
    // The children of a group in tab order, and its front child.
    std::vector<CMDIChildWnd*> GetMDITabGroupChildren(int nGroup) const;
    CMDIChildWnd* GetMDITabGroupActive(int nGroup) const;
    int FindMDITabGroup(const CWnd* pChild) const;
    // The active child leaves its group for a new one after it: beside it (bVert) or below.
    BOOL MDITabNewGroup(BOOL bVert = TRUE);
    // The active child moves to the next (or previous) group; an emptied group goes.
    BOOL MDITabMoveToNextGroup(BOOL bNext = TRUE);
    // Lays the groups out again: their strips, the front child of each filling the rest.
    void UpdateMDITabbedGroups();

    // The windows dialog: command uiMenuId opens it; the item (text of string uiMenuTextResId)
    // goes at the end of the window menu.
    BOOL EnableWindowsDialog(UINT uiMenuId, UINT uiMenuTextResId, BOOL bShowAllways = FALSE, BOOL bShowHelpButton = FALSE,
                             BOOL bShowSaveButton = FALSE);
    BOOL EnableWindowsDialog(UINT uiMenuId, LPCTSTR lpszMenuText, BOOL bShowAllways = FALSE, BOOL bShowHelpButton = FALSE,
                             BOOL bShowSaveButton = FALSE);
    // Lists the children: the user activates one or closes those chosen.
    void ShowWindowsDialog();

    BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    struct Group {
        std::vector<HWND> children;
        HWND active = nullptr;
        std::unique_ptr<CBCGPMDITabGroupWnd> strip;
    };
    void SyncGroups();
    void TakeOutOfGroup(int nGroup, HWND child);
    void SetChildFramed(HWND child, bool framed);

    BOOL m_bTabbedGroups = FALSE;
    BOOL m_bVertGroups = TRUE;
    CBCGPMDITabParams m_tabParams;
    std::vector<Group> m_groups;
    UINT m_uiWindowsDlgMenuId = 0;
    CString m_strWindowsDlgMenuText;
    bool m_inTabLayout = false;
};

class SKINUI_API CBCGPMDIChildWnd : public CMDIChildWnd {
    DECLARE_DYNCREATE(CBCGPMDIChildWnd)
public:
    CBCGPMDIChildWnd() = default;
    CBCGPMDIFrameWnd* GetBCGPMDIFrame() const;
    // Repaints the child (its caption and its tab) after the look or the title changed.
    void OnChangeVisualManager();
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// The strip of tabs above one MDI tab group (a child of the MDI client).
class SKINUI_API CBCGPMDITabGroupWnd : public CWnd {
public:
    CBCGPMDITabGroupWnd(CBCGPMDIFrameWnd* pFrame, int nGroup) : m_pFrame(pFrame), m_nGroup(nGroup) {}
    BOOL Create(HWND hWndMDIClient);
    void SetGroup(int nGroup) { m_nGroup = nGroup; }
    static int GetHeight();
    CRect GetTabRect(int nIndex) const;
    CRect GetCloseRect(int nIndex) const;   // the close button of a tab, empty when it has none
    int TabFromPoint(CPoint pt) const;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    CBCGPMDIFrameWnd* m_pFrame;
    int m_nGroup;
    // The tab under the mouse, and whether over its close button.
    skinui::HoverTracker<std::pair<int, BOOL>> m_hover{ { -1, FALSE } };
    void Paint(CDC* pDC);
};
