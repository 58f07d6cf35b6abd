#pragma once
// CBrowserToolBar: the bar above the picture list: the folder breadcrumb, back, forward and
// parent with the history of the folders shown, the list's file and selection commands, the
// Export menu and the tree toggle. One row of buttons, or two when expanded by More or by the
// mouse over its left part.
#include <functional>
#include <string>
#include <vector>
#include "BrowserShellBreadcrumb.h"
#include "FolderHistory.h"
#include "KQFlatButton.h"
#include "SkinUI.h"

class CPictureListView;

// The breadcrumb of the browser: refused while a batch runs; its in-place edit in the icon
// title font at the edit's height.
class CLumivoShowsShellBreadcrumb : public CBrowserShellBreadcrumb {
public:
    ~CLumivoShowsShellBreadcrumb() override;
    CPictureListView* m_pList = nullptr;
    // Shows the folder (or the shell item) that the list opened, without opening it again.
    void FollowPath(const wchar_t* path);
    void FollowShellItem(LPCITEMIDLIST pidl);
    // A step without a folder of the disk (Computer, Network) chosen here: true when the list
    // showed it (the frame finds it in the folder tree).
    std::function<bool(LPCITEMIDLIST pidl)> m_showVirtual;

protected:
    void OnSelectionChanged(HBREADCRUMBITEM hSelectedItem) override;
    CEdit* CreateInplaceEdit(CWnd* pParent, const CRect& rect, UINT uiControlID) override;
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CFont m_editFont;
    bool m_bFollowing = false;
};

class CBrowserToolBar : public CBCGPDialogBar {
public:
    CBrowserToolBar();
    ~CBrowserToolBar() override;

    BOOL OnInitDialog() override;
    void SetList(CPictureListView* list);

    // The list opened a folder (not through Back or Forward).
    void PushHistory(const wchar_t* folder);
    void GoBack();
    void GoForward();
    void GoParent();
    void UpdateEditButtons();
    void OnExport();
    // The list shows the pictures of the folder's sub-folders too, or its own only.
    void OnToggleFolderMode();
    bool IsSubFolderMode() const;
    void Expand();
    void Collapse();
    void UpdateTexts();
    void UpdateMenuTexts();
    bool IsNavigating() const { return m_bNavigating; }
    // The one-row height: half the template's, set by the frame.
    void SetRowHeight(int height) { m_nRowHeight = height; }
    int GetRowHeight() const { return m_nRowHeight; }
    // The tree toggle's picture and tip for a pane shown or hidden.
    void ShowTreeState(bool paneVisible);
    void ShowFolderMode();

    CLumivoShowsShellBreadcrumb m_breadcrumb;
    CKQFlatButton m_buttons[18];
    CKQFlatButton& Button(UINT id);
    FolderHistory m_history;
    bool m_bNavigating = false;
    bool m_bInitialized = false;
    bool m_bExpanded = false;
    bool m_bHoverExpanded = true;
    HMENU m_hEditMenu = nullptr;

    // What the bar cannot do itself; the frame binds them (tests their own).
    std::function<void(const wchar_t* text)> m_note;
    std::function<std::vector<std::wstring>()> m_specialFolders; // the tree's special items' paths
    std::function<void()> m_showComputer;                        // the list shows the tree's Computer
    std::function<bool()> m_paneVisible;
    std::function<void(bool show)> m_showPane;

protected:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void EnableHistoryButtons();
    void Open(const std::wstring& folder);
    void Resize(int rows);
    CPictureListView* m_pList = nullptr;
    int m_nRowHeight = 0;
};
