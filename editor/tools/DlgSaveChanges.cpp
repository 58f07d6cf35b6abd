#include "DlgSaveChanges.h"
#include "SaveDialogsIds.h"
#include "ZVUILibApp.h"

namespace {

struct ControlText {
    int id;
    const wchar_t* text;
};

void TranslateTexts(CWnd& dialog, const wchar_t* caption, const ControlText* texts, size_t count)
{
    dialog.SetWindowText(TranslateString(caption));
    for (size_t i = 0; i < count; ++i)
        dialog.SetDlgItemText(texts[i].id, TranslateString(texts[i].text));
}

} // namespace

// ---- save changes ----

IMPLEMENT_DYNAMIC(CDlgSaveChanges, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgSaveChanges, CKQDialog)
    ON_BN_CLICKED(IDC_SAVE_DONT_ASK, OnDontAsk)
END_MESSAGE_MAP()

CDlgSaveChanges::CDlgSaveChanges(CWnd* pParent) : CKQDialog(IDD_SAVE_CHANGES, pParent) {}

void CDlgSaveChanges::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SAVE_OVERWRITE, m_choice);
}

BOOL CDlgSaveChanges::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    const ControlText texts[] = {
        {IDC_SAVE_OVERWRITE, L"Save changes to disk. Overwrite original file."},
        {IDC_SAVE_NEW_NAME, L"Save file to disk under new name. Original file remains unchanged."},
        {IDC_SAVE_DONT_ASK, L"Do not ask me again."},
        {IDOK, L"OK"},
        {IDCANCEL, L"Cancel"}};
    TranslateTexts(*this, L"Save", texts, sizeof texts / sizeof texts[0]);
    CheckDlgButton(IDC_SAVE_DONT_ASK, m_dontAsk ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

// The box is a plain check box: its own click turns it, outside the data exchange.
void CDlgSaveChanges::OnDontAsk()
{
    m_dontAsk = !m_dontAsk;
    CheckDlgButton(IDC_SAVE_DONT_ASK, m_dontAsk ? BST_CHECKED : BST_UNCHECKED);
}

// ---- shape to page ----

IMPLEMENT_DYNAMIC(CDlgExportShapeToPage, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgExportShapeToPage, CKQDialog)
    ON_BN_CLICKED(IDC_SHAPE_TO_SCENE, OnScene)
    ON_BN_CLICKED(IDC_SHAPE_TO_TEMPLATE, OnTemplate)
END_MESSAGE_MAP()

CDlgExportShapeToPage::CDlgExportShapeToPage(CWnd* pParent) : CKQDialog(IDD_SHAPE_TO_PAGE, pParent) {}

void CDlgExportShapeToPage::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SHAPE_TO_SCENE, m_target);
    DDX_Check(pDX, IDC_SHAPE_ALPHA, m_alpha);
    DDX_Check(pDX, IDC_SHAPE_RUN_PAGES, m_runPages);
}

BOOL CDlgExportShapeToPage::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    const ControlText texts[] = {{IDC_SHAPE_TO_SCENE, L"Export Shape to Scene Page"},
                                 {IDC_SHAPE_TO_TEMPLATE, L"Export Shape to Template Page"},
                                 {IDC_SHAPE_ALPHA, L"Alpha Channel"},
                                 {IDC_SHAPE_RUN_PAGES, L"Run Lumivo Page"},
                                 {IDOK, L"OK"},
                                 {IDCANCEL, L"Cancel"}};
    TranslateTexts(*this, L"Shape to page", texts, sizeof texts / sizeof texts[0]);
    ShowPicture(m_target == 1);
    return TRUE;
}

void CDlgExportShapeToPage::ShowPicture(bool templatePage)
{
    if (CWnd* scene = GetDlgItem(IDC_SHAPE_SCENE_PICTURE))
        scene->ShowWindow(templatePage ? SW_HIDE : SW_SHOW);
    if (CWnd* page = GetDlgItem(IDC_SHAPE_TEMPLATE_PICTURE))
        page->ShowWindow(templatePage ? SW_SHOW : SW_HIDE);
}

void CDlgExportShapeToPage::OnScene()
{
    ShowPicture(false);
}

void CDlgExportShapeToPage::OnTemplate()
{
    ShowPicture(true);
}
