#pragma once
// CKQDialog: the base of the programs' dialogs, a skinned dialog that takes every colour from
// the visual manager.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQDialog : public CBCGPDialog {
    DECLARE_DYNAMIC(CKQDialog)
public:
    CKQDialog();
    explicit CKQDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    explicit CKQDialog(LPCTSTR lpszTemplateName, CWnd* pParent = nullptr);
    ~CKQDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};
