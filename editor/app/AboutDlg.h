#pragma once
// CAboutDlg: the program's name, version, picture and site.
#include "KQDialog.h"
#include "ZVImageStatic.h"

class CAboutDlg : public CKQDialog {
public:
    CAboutDlg(CWnd* pParent = nullptr);

    CBCGPURLLinkButton m_link;
    CZVImageStatic m_picture;
    CBCGPButton m_btnOK;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
