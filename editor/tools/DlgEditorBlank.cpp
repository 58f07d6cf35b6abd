#include "DlgEditorBlank.h"
#include "DlgControls.h"
#include "LayerDocument.h"
#include "NewPictureIds.h"
#include "ZVUILibApp.h"

using namespace newpicture;

IMPLEMENT_DYNAMIC(CDlgEditorBlank, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorBlank, CKQDialog)
    ON_BN_CLICKED(IDC_NP_COLOR, OnColor)
    ON_EN_CHANGE(IDC_NP_WIDTH, OnWidthChange)
    ON_EN_CHANGE(IDC_NP_HEIGHT, OnHeightChange)
END_MESSAGE_MAP()

RGBQUAD BlankLayerFill(COLORREF color, bool transparent)
{
    if (transparent)
        return RGBQUAD{255, 255, 255, 0};
    return RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 255};
}

BOOL NewBlankLayer(CWnd* parent, CLayerDocument& document)
{
    document.layers.currentId = 0;
    CDlgEditorBlank dialog(parent);
    dialog.m_nWidth = dialog.m_nRatioWidth = document.GetCurrentLayerWidth();
    dialog.m_nHeight = dialog.m_nRatioHeight = document.GetCurrentLayerHeight();
    if (dialog.DoModal() != IDOK)
        return FALSE;
    return document.AddBlankLayer(dialog.GetFillColor(), dialog.m_nWidth, dialog.m_nHeight);
}

CDlgEditorBlank::CDlgEditorBlank(CWnd* pParent) : CKQDialog(IDD_EDITOR_BLANK, pParent) {}

CDlgEditorBlank::~CDlgEditorBlank() = default;

RGBQUAD CDlgEditorBlank::GetFillColor() const
{
    return BlankLayerFill(m_crColor, m_bTransparent != FALSE);
}

void CDlgEditorBlank::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NP_WIDTH, m_editWidth);
    DDX_Control(pDX, IDC_NP_HEIGHT, m_editHeight);
    DDX_Control(pDX, IDC_NP_WIDTH_SPIN, m_spinWidth);
    DDX_Control(pDX, IDC_NP_HEIGHT_SPIN, m_spinHeight);
    DDX_Control(pDX, IDC_NP_COLOR, m_btnColor);
    DDX_Text(pDX, IDC_NP_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_NP_HEIGHT, m_nHeight);
    DDX_Check(pDX, IDC_NP_KEEP_RATIO, m_bKeepRatio);
    DDX_Check(pDX, IDC_NP_TRANSPARENT, m_bTransparent);
}

BOOL CDlgEditorBlank::OnInitDialog()
{
    m_bUpdating = true;
    m_fRatio = RatioOf(m_nRatioWidth, m_nRatioHeight);
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"New"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDC_NP_SIZE_GROUP, L"Size"},   {IDC_NP_BACK_GROUP, L"Layer"},
                 {IDC_NP_WIDTH_LABEL, L"Width"}, {IDC_NP_HEIGHT_LABEL, L"Height"},
                 {IDC_NP_COLOR_LABEL, L"Color"}, {IDC_NP_KEEP_RATIO, L"Keep Ratio"},
                 {IDC_NP_TRANSPARENT, L"Automatic transparency"}, {IDOK, L"Ok"}, {IDCANCEL, L"Cancel"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    KQSetCtrlWidth(this);
    for (CKQNumEdit* edit : {&m_editWidth, &m_editHeight})
        edit->SetMinMax(1, kMaxPixels);
    for (CKQNumSpinCtrl* spin : {&m_spinWidth, &m_spinHeight})
        spin->SetRangeAndDelta(1, kMaxPixels, 1);
    m_btnColor.EnableAutomaticButton(TranslateString(L"Automatic"), RGB(0, 0, 0));
    m_btnColor.EnableOtherButton(TranslateString(L"Other"));
    m_btnColor.SetColumnsNumber(14);
    m_btnColor.SetColor(m_crColor);
    UpdateData(FALSE);
    m_bUpdating = false;
    return TRUE;
}

void CDlgEditorBlank::OnSizeEdited(bool widthEdited)
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    // An empty or partial box reads as 0 rather than stopping at a validation message.
    m_nWidth = int(m_spinWidth.GetPos());
    m_nHeight = int(m_spinHeight.GetPos());
    m_bKeepRatio = IsDlgButtonChecked(IDC_NP_KEEP_RATIO) ? TRUE : FALSE;
    const SizeI before = {m_nWidth, m_nHeight};
    const SizeI after = AfterBlankEdit(before, widthEdited, m_bKeepRatio != FALSE, m_fRatio);
    m_nWidth = after.width;
    m_nHeight = after.height;
    if (!widthEdited || after.width != before.width)
        SetDlgItemInt(IDC_NP_WIDTH, UINT(m_nWidth));
    if (widthEdited || after.height != before.height)
        SetDlgItemInt(IDC_NP_HEIGHT, UINT(m_nHeight));
    m_bUpdating = false;
}

void CDlgEditorBlank::OnWidthChange()
{
    OnSizeEdited(true);
}

void CDlgEditorBlank::OnHeightChange()
{
    OnSizeEdited(false);
}

void CDlgEditorBlank::OnOK()
{
    const SizeI size = AfterBlankEdit({int(m_spinWidth.GetPos()), int(m_spinHeight.GetPos())}, true, false, 0);
    m_nWidth = size.width;
    m_nHeight = size.height;
    m_bKeepRatio = IsDlgButtonChecked(IDC_NP_KEEP_RATIO) ? TRUE : FALSE;
    m_bTransparent = IsDlgButtonChecked(IDC_NP_TRANSPARENT) ? TRUE : FALSE;
    m_crColor = m_btnColor.GetColor();
    EndDialog(IDOK);
}

void CDlgEditorBlank::OnColor()
{
    m_crColor = m_btnColor.GetColor();
}
