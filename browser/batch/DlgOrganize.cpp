#include "DlgOrganize.h"
#include "BatchDialogIds.h"
#include "DlgControls.h"
#include "ShellService.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CDlgOrganize, CKQDialog)
    ON_BN_CLICKED(IDC_OG_DATE, OnDate)
    ON_BN_CLICKED(IDC_OG_RESOLUTION, OnResolution)
    ON_BN_CLICKED(IDC_OG_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CDlgOrganize::CDlgOrganize(CBatchEngine& engine, const std::wstring& currentFolder, CWnd* parent)
    : CKQDialog(IDD_ORGANIZE, parent), m_engine(engine), m_currentFolder(currentFolder)
{
}

BOOL CDlgOrganize::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    SetWindowText(TranslateString(L"Please select a organizing method"));
    SetDlgItemText(IDC_OG_DATE, TranslateString(L"Date"));
    SetDlgItemText(IDC_OG_RESOLUTION, TranslateString(L"Resolution"));
    SetDlgItemText(IDC_OG_FOLDER_LABEL, TranslateString(L"Output Folder"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    m_date.SubclassDlgItem(IDC_OG_DATE, this);
    m_resolution.SubclassDlgItem(IDC_OG_RESOLUTION, this);
    m_browse.SubclassDlgItem(IDC_OG_BROWSE, this);
    SetBmpBTStyle(m_date, IDB_ORGANIZE_DATE);
    SetBmpBTStyle(m_resolution, IDB_ORGANIZE_RESOLUTION);
    SetBmpBTStyle(m_browse, IDB_ORGANIZE_BROWSE);
    // Skinned once the controls of their own are attached.
    EnableVisualManagerStyle(TRUE, TRUE);
    std::wstring folder = m_currentFolder;
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    SetDlgItemText(IDC_OG_FOLDER, (folder + L"\\Lumivo_" + TranslateString(L"Organize")).c_str());
    CComboBox* mode = static_cast<CComboBox*>(GetDlgItem(IDC_OG_MODE));
    mode->AddString(TranslateString(L"Copy"));
    mode->AddString(TranslateString(L"Move"));
    mode->SetCurSel(0);
    return TRUE;
}

void CDlgOrganize::OnBrowse()
{
    wchar_t path[MAX_PATH] = {};
    CString current;
    GetDlgItemText(IDC_OG_FOLDER, current);
    wcsncpy(path, current.GetString(), MAX_PATH - 1);
    if (SelectFolder(path, m_hWnd, TranslateString(L"Output Folder")))
        SetDlgItemText(IDC_OG_FOLDER, path);
}

void CDlgOrganize::Finish(int organizeBy)
{
    CString folder;
    GetDlgItemText(IDC_OG_FOLDER, folder);
    const int mode = static_cast<CComboBox*>(GetDlgItem(IDC_OG_MODE))->GetCurSel();
    m_engine.m_organizeMove = mode == 1 ? 1 : 0;
    m_engine.m_outputFolder = folder.GetString();
    m_engine.m_organizeBy = organizeBy;
    EndDialog(IDOK);
}

void CDlgOrganize::OnDate()
{
    Finish(0);
}

void CDlgOrganize::OnResolution()
{
    Finish(1);
}
