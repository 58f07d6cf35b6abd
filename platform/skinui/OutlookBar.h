#pragma once
// CBCGPOutlookBar: a docking pane whose pages are chosen by a stack of wide buttons (an icon
// from the tab image list and a label) along its bottom. CBCGPOutlookWnd is the window inside
// the pane that holds the pages and the buttons; pages cannot be torn off.
#include <vector>
#include "DockingControlBar.h"
#include "HoverTracker.h"

class CBCGPOutlookBar;

class SKINUI_API CBCGPOutlookWnd : public CWnd {
public:
    explicit CBCGPOutlookWnd(CBCGPOutlookBar* pBar) : m_pBar(pBar) {}
    ~CBCGPOutlookWnd() override;
    BOOL Create(CWnd* pParent);

    // A page: a child window of any parent (it becomes this window's child).
    void AddTab(CWnd* pNewWnd, LPCTSTR lpszName, UINT uiImageId = static_cast<UINT>(-1), BOOL bDetachable = FALSE);
    BOOL RemoveTab(int iTab);
    int GetTabsNum() const { return static_cast<int>(m_tabs.size()); }
    int GetActiveTab() const { return m_nActive; }
    // Asks the bar's OnBeforeAnimation first; FALSE when it refused or the index is wrong.
    BOOL SetActiveTab(int iTab);
    CWnd* GetTabWnd(int iTab) const;
    BOOL SetTabLabel(int iTab, LPCTSTR lpszLabel);
    CString GetTabLabel(int iTab) const;
    // The tab images: bitmap uiID cut into cx-wide images, clrTransp transparent. The list
    // belongs to the window.
    BOOL SetImageList(UINT uiID, int cx = 32, COLORREF clrTransp = RGB(255, 0, 255));
    void SetImageList(HIMAGELIST hImageList);   // borrowed
    HIMAGELIST GetImageList() const { return m_hImages; }

    void RecalcLayout();
    CRect GetButtonRect(int iTab) const;   // client coordinates
    int ButtonFromPoint(CPoint pt) const;
    static int GetButtonHeight();

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    struct Tab {
        CWnd* wnd;
        CString label;
        int image;
    };
    void Paint(CDC* pDC);

    CBCGPOutlookBar* m_pBar;
    std::vector<Tab> m_tabs;
    int m_nActive = -1;
    skinui::HoverTracker<int> m_hover{ -1 };
    HIMAGELIST m_hImages = nullptr;
    BOOL m_bOwnImages = FALSE;
};

class SKINUI_API CBCGPOutlookBar : public CBCGPDockingControlBar {
    DECLARE_DYNCREATE(CBCGPOutlookBar)
public:
    CBCGPOutlookBar();
    ~CBCGPOutlookBar() override;

    BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle,
                DWORD dwBCGStyle = CBRS_BCGP_RESIZE, DWORD dwTabbedStyle = CBRS_BCGP_REGULAR_TABS);
    CBCGPOutlookWnd* GetUnderlinedWindow() { return &m_wndOutlook; }
    // Called before another page comes up (iPage); FALSE keeps the current one.
    virtual BOOL OnBeforeAnimation(int nPage);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    CBCGPOutlookWnd m_wndOutlook;
};
