#pragma once
// CPropertySheet and CPropertyPage: tabbed pages of dialog templates in the system's property
// sheet. Pages are CDialogs: data exchange, message maps and controls work as in a dialog.
// Apply (ID_APPLY_NOW) is enabled by a page's SetModified and asks every page made so far to
// OnApply; OK does the same and closes the sheet. PSH_NOAPPLYNOW in m_psh.dwFlags hides Apply.
// DoModal runs the sheet modeless under the framework's own modal loop, so that idle time and
// PreTranslateMessage work as in any dialog.
#include <vector>
#include "Dialog.h"

class CPropertySheet;

class APPFRAME_API CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGEW m_psp = {};

    // Enables Apply (or clears this page's claim on it).
    void SetModified(BOOL bChanged = TRUE);
    void CancelToClose();
    CPropertySheet* GetParentSheet() const;

    // The page becomes current: data to the controls. FALSE keeps it from showing.
    virtual BOOL OnSetActive();
    // Another page is chosen or the sheet closes: data from the controls; FALSE keeps the page.
    virtual BOOL OnKillActive();
    // Apply or OK: the default calls OnOK and clears the modified state. FALSE keeps the sheet open.
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    void OnOK() override;
    void OnCancel() override;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL m_bModified = FALSE;
    CString m_strCaption;
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

class APPFRAME_API CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(UINT nIDCaption = 0, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    PROPSHEETHEADERW m_psh = {};

    // The sheet borrows its pages.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    void SetTitle(LPCTSTR lpszText);
    void PressButton(int nButton) { SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(nButton)); }
    CWnd* GetTabControl() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL))); }

    // IDOK or IDCANCEL; -1 when the sheet cannot be made.
    virtual INT_PTR DoModal();
    // A modeless sheet: it stays until DestroyWindow.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);
    void EndDialog(int nEndID);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    std::vector<CPropertyPage*> m_pages;
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    UINT m_nStartPage = 0;
    int m_nResult = IDCANCEL;
    std::vector<PROPSHEETPAGEW> m_built;

    BOOL CreateSheet(HWND hwndParent, bool modeless);
    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
};
