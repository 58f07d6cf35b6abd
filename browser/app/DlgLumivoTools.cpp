#include "DlgLumivoTools.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "ZVUILibApp.h"

CDlgLumivoTools::CDlgLumivoTools(CWnd* pParent) : CBCGPDialog(IDD_LUMIVO_TOOLS, pParent)
{
    EnableVisualManagerStyle(TRUE, TRUE);
}

BOOL CDlgLumivoTools::OnInitDialog()
{
    CBCGPDialog::OnInitDialog();
    m_hIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_INSTALL_TOOLS), IMAGE_ICON, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    if (m_hIcon) {
        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
    }
    SetWindowText(TranslateString(L"Please install"));
    SetDlgItemText(IDC_TOOLS_TEXT, TranslateString(L"Lumivo Tools"));
    SetDlgItemText(IDOK, TranslateString(L"Download"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    return TRUE;
}

void CDlgLumivoTools::OnOK()
{
    ::ShellExecuteW(m_hWnd, L"open", GetShowsLink(ShowsLink::HomePage), nullptr, nullptr, SW_SHOWNORMAL);
    CBCGPDialog::OnOK();
}

int ShowInstallToolsDialog()
{
    CDlgLumivoTools dialog(AfxGetMainWnd());
    dialog.DoModal();
    return 0;
}
