#include "AboutDlg.h"
#include "DlgControls.h"
#include "LumivoToolsApp.h"
#include "LumivoToolsIds.h"
#include "ZVUILibApp.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CKQDialog(IDD_ABOUTBOX, pParent) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_LINK, m_link);
    DDX_Control(pDX, IDC_ABOUT_PICTURE, m_picture);
    DDX_Control(pDX, IDOK, m_btnOK);
}

BOOL CAboutDlg::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    CLumivoToolsApp* app = GetLumivoToolsApp();
    if (app->m_hAppIcon)
        SetIcon(app->m_hAppIcon, TRUE);
    m_picture.ShowPNGPic(IDB_ABOUT, AfxGetResourceHandle(), true);
    SetWindowText(TranslateString(L"About"));
    m_btnOK.SetWindowText(TranslateString(L"OK"));
    SetBmpBTStyle(m_btnOK, 181);
    const CString site = GetLinkAddress(LinkKind::HomePage);
    m_link.SetURL(site);
    m_link.SetWindowText(site);
    CString text;
    text.Format(L"%s %s %s", TranslateString(L"Lumivo Tools"), TranslateString(L"Version"), ZVQUERY_CURRENT_VERSION_W);
    SetDlgItemText(IDC_ABOUT_TEXT, text);
    return TRUE;
}
