#include "DlgEditorExportLayer.h"
#include "CanvasDialogRules.h"
#include "CanvasDialogsIds.h"
#include "DlgControls.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorExportLayer, CKQDialog)

namespace {
// The radios in the order of the types (their ids are not in that order).
const int kTypeRadios[kExportTypeCount] = {IDC_EXPORT_PNG, IDC_EXPORT_JPG, IDC_EXPORT_GIF, IDC_EXPORT_BMP,
                                           IDC_EXPORT_ICO, IDC_EXPORT_TGA, IDC_EXPORT_WEBP};
} // namespace

CDlgEditorExportLayer::CDlgEditorExportLayer(CWnd* pParent) : CKQDialog(IDD_EXPORT_LAYER, pParent) {}

CDlgEditorExportLayer::~CDlgEditorExportLayer() = default;

CString CDlgEditorExportLayer::GetFileFilter(int type)
{
    return ExportFilter(type, TranslateString(L"files"));
}

void CDlgEditorExportLayer::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    if (pDX->m_bSaveAndValidate) {
        for (int i = 0; i < kExportTypeCount; ++i)
            if (IsDlgButtonChecked(kTypeRadios[i]))
                m_type = i;
    } else {
        for (int i = 0; i < kExportTypeCount; ++i)
            CheckDlgButton(kTypeRadios[i], i == m_type ? BST_CHECKED : BST_UNCHECKED);
    }
}

BOOL CDlgEditorExportLayer::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Export layer"));
    SetDlgItemText(IDC_EXPORT_GROUP, TranslateString(L"Output format"));
    SetDlgItemText(IDOK, TranslateString(L"Export"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    KQSetCtrlWidth(this);
    return TRUE;
}
