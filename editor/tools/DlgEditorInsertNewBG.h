#pragma once
// CDlgEditorInsertNewBG: the colour of a new background layer.
#include "KQDialog.h"

class CDlgEditorInsertNewBG : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorInsertNewBG)
public:
    explicit CDlgEditorInsertNewBG(CWnd* pParent = nullptr);
    ~CDlgEditorInsertNewBG() override;

    COLORREF m_color = RGB(255, 255, 255);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnColor();
    DECLARE_MESSAGE_MAP()

private:
    CBCGPColorButton m_btnColor;
};
