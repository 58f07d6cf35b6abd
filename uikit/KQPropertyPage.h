#pragma once
// CKQPropertyPage: the base of the programs' options pages. The page loads its settings when it
// opens and saves them on Apply; OK saves only when the page reported a change since (through
// EnableApplyButton(TRUE)); Cancel saves nothing. A field that does not read keeps the sheet
// open on it and nothing of the page is saved. Edit boxes are black on white in every look.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQPropertyPage : public CBCGPPropertyPage {
    DECLARE_DYNAMIC(CKQPropertyPage)
public:
    CKQPropertyPage(UINT nIDTemplate, UINT nIDCaption);
    ~CKQPropertyPage() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    // Fill the page's members from the stored settings, and store them; the base does nothing.
    virtual void LoadSetting();
    virtual void SaveSetting();
    // Enables or disables the sheet's Apply button when bEnable differs from the page's flag.
    virtual void EnableApplyButton(int bEnable);
    // Asks whether to restore the default settings; true for Yes.
    bool QueryDefault();

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pSheet = nullptr;
    int m_bApplyEnabled = 0;   // the page holds changes not saved yet
};
