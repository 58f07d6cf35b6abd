#include "DlgEditorRenLayer.h"
#include "DlgControls.h"
#include "LayerDialogsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorRenLayer, CKQDialog)

CDlgEditorRenLayer::CDlgEditorRenLayer(CWnd* pParent) : CKQDialog(IDD_LAYER_RENAME, pParent) {}

CDlgEditorRenLayer::~CDlgEditorRenLayer() = default;

void CDlgEditorRenLayer::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LAYER_NAME, m_name);
}

BOOL CDlgEditorRenLayer::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Rename layer"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDC_LAYER_NAME_LABEL, L"Input a new name"}, {IDOK, L"Ok"}, {IDCANCEL, L"Cancel"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    KQSetCtrlWidth(this);
    return TRUE;
}
