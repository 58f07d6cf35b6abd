#pragma once
// CDlgEditorRatio: asks for a width:height ratio (both 0 when it opens); the caller reads the
// two numbers after IDOK.
#include "KQDialog.h"

class CDlgEditorRatio : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorRatio)
public:
    explicit CDlgEditorRatio(CWnd* pParent = nullptr);
    ~CDlgEditorRatio() override;

    unsigned m_width = 0;
    unsigned m_height = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
