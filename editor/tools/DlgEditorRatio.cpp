#include "DlgEditorRatio.h"
#include "KQDataExchange.h"
#include "ToolOptionsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorRatio, CKQDialog)

CDlgEditorRatio::CDlgEditorRatio(CWnd* pParent) : CKQDialog(IDD_TOOL_RATIO, pParent) {}

CDlgEditorRatio::~CDlgEditorRatio() = default;

void CDlgEditorRatio::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    KQ_DDX_Text(pDX, IDC_OPTION_SIZE, m_width);
    KQ_DDX_Text(pDX, IDC_CROP_HEIGHT, m_height);
}

BOOL CDlgEditorRatio::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Assign Ratio"));
    SetDlgItemText(IDC_RATIO_LABEL, TranslateString(L"Width:Height"));
    SetDlgItemText(IDOK, TranslateString(L"OK"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    return TRUE;
}
