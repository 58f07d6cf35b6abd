#include "DlgEditorInsertNewBG.h"
#include "CanvasDialogsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorInsertNewBG, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorInsertNewBG, CKQDialog)
    ON_BN_CLICKED(IDC_NEW_BG_COLOR, OnColor)
END_MESSAGE_MAP()

CDlgEditorInsertNewBG::CDlgEditorInsertNewBG(CWnd* pParent) : CKQDialog(IDD_EDITOR_NEW_BG, pParent) {}

CDlgEditorInsertNewBG::~CDlgEditorInsertNewBG() = default;

void CDlgEditorInsertNewBG::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NEW_BG_COLOR, m_btnColor);
}

BOOL CDlgEditorInsertNewBG::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Insert new background"));
    SetDlgItemText(IDC_NEW_BG_LABEL, TranslateString(L"Color"));
    SetDlgItemText(IDOK, TranslateString(L"Ok"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    m_btnColor.EnableAutomaticButton(TranslateString(L"Automatic"), RGB(0, 0, 0));
    m_btnColor.EnableOtherButton(TranslateString(L"Other"));
    m_btnColor.SetColumnsNumber(14);
    m_btnColor.SetColor(m_color);
    return TRUE;
}

void CDlgEditorInsertNewBG::OnColor()
{
    m_color = m_btnColor.GetColor();
}
