#include "DlgEditorResize.h"
#include "BaseUtil.h"
#include "DialogIds.h"
#include "DialogRules.h"
#include "KQDataExchange.h"
#include "ModuleState.h"
#include "ZVUILibApp.h"

namespace {
const double kMaxPixels = 6000;
} // namespace

BEGIN_MESSAGE_MAP(CDlgEditorResize, CKQDialog)
    ON_EN_CHANGE(IDC_KQ_WIDTH, OnEnChangeEditWidth)
    ON_EN_CHANGE(IDC_KQ_HEIGHT, OnEnChangeEditHeight)
    ON_CBN_SELCHANGE(IDC_KQ_UNIT, OnCbnSelchangeComboPixels)
    ON_CBN_SELCHANGE(IDC_KQ_RES_UNIT, OnCbnSelchangeComboDpi)
END_MESSAGE_MAP()

CDlgEditorResize::CDlgEditorResize(CWnd* pParent) : CKQDialog(IDD_KQ_EDITOR_RESIZE, pParent) {}

CDlgEditorResize::~CDlgEditorResize() = default;

void CDlgEditorResize::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KQ_WIDTH_SPIN, m_spinWidth);
    DDX_Control(pDX, IDC_KQ_HEIGHT_SPIN, m_spinHeight);
    DDX_Control(pDX, IDC_KQ_WIDTH, m_editWidth);
    DDX_Control(pDX, IDC_KQ_HEIGHT, m_editHeight);
    DDX_Control(pDX, IDC_KQ_UNIT, m_comboUnit);
    DDX_Control(pDX, IDC_KQ_RESOLUTION, m_editResolution);
    DDX_Control(pDX, IDC_KQ_RES_SPIN, m_spinResolution);
    DDX_Control(pDX, IDC_KQ_RES_UNIT, m_comboResolutionUnit);
    KQ_DDX_Text(pDX, IDC_KQ_WIDTH, m_dWidth);
    KQ_DDX_Text(pDX, IDC_KQ_HEIGHT, m_dHeight);
    KQ_DDX_Text(pDX, IDC_KQ_RESOLUTION, m_dResolution);
    DDX_Check(pDX, IDC_KQ_KEEP_ASPECT, m_bKeepAspect);
}

void CDlgEditorResize::ChangeLanguage()
{
    SetWindowText(TranslateString(L"Resize"));
    SetDlgItemText(IDC_KQ_WIDTH_LABEL, TranslateString(L"Width"));
    SetDlgItemText(IDC_KQ_HEIGHT_LABEL, TranslateString(L"Height"));
    SetDlgItemText(IDC_KQ_RESOLUTION_LABEL, TranslateString(L"Resolution"));
    SetDlgItemText(IDC_KQ_KEEP_ASPECT, TranslateString(L"Preserve aspect ratio"));
    SetDlgItemText(IDOK, TranslateString(L"Ok"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
}

BOOL CDlgEditorResize::OnInitDialog()
{
    m_bUpdating = true;
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    ChangeLanguage();
    for (CKQNumEdit* edit : {&m_editWidth, &m_editHeight, &m_editResolution})
        edit->SetMinMax(0, kMaxPixels);
    m_fAspect = m_nPicHeight > 0 ? float(m_nPicWidth) / float(m_nPicHeight) : 1.0f;
    for (CKQNumSpinCtrl* spin : {&m_spinWidth, &m_spinHeight, &m_spinResolution})
        spin->SetRangeAndDelta(0, kMaxPixels, 1);
    m_spinWidth.m_bTrimZeros = m_spinHeight.m_bTrimZeros = FALSE;
    SetSizeDecimals(0);
    m_spinResolution.SetDecimalPlaces(2);
    m_spinResolution.SetPos(m_dResolution);
    ShowSize();
    for (const wchar_t* unit : {L"pixels", L"cm", L"inches"})
        m_comboUnit.AddString(TranslateString(unit));
    m_comboUnit.SetCurSel(0);
    for (const wchar_t* unit : {L"pixels/inch", L"pixels/cm"})
        m_comboResolutionUnit.AddString(TranslateString(unit));
    m_comboResolutionUnit.SetCurSel(0);
    if (m_bPixelsOnly) {
        for (UINT id : {IDC_KQ_UNIT, IDC_KQ_RESOLUTION, IDC_KQ_RES_SPIN, IDC_KQ_RES_UNIT, IDC_KQ_RESOLUTION_LABEL})
            GetDlgItem(id)->ShowWindow(SW_HIDE);
    }
    m_bUpdating = false;
    return TRUE;
}

void CDlgEditorResize::SetSizeDecimals(int decimals)
{
    m_editWidth.SetDecimalPlaces(decimals);
    m_editHeight.SetDecimalPlaces(decimals);
    m_spinWidth.SetDecimalPlaces(decimals);
    m_spinHeight.SetDecimalPlaces(decimals);
}

void CDlgEditorResize::ShowSize()
{
    const bool updating = m_bUpdating;
    m_bUpdating = true;
    m_spinWidth.SetPos(m_dWidth);
    m_spinHeight.SetPos(m_dHeight);
    m_bUpdating = updating;
}

void CDlgEditorResize::ReadControls()
{
    // An empty box reads as 0.
    m_dWidth = m_spinWidth.GetPos();
    m_dHeight = m_spinHeight.GetPos();
    m_dResolution = m_spinResolution.GetPos();
    m_bKeepAspect = IsDlgButtonChecked(IDC_KQ_KEEP_ASPECT) ? 1 : 0;
}

void CDlgEditorResize::OnSizeEdited(bool widthEdited)
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    ReadControls();
    const int decimals = m_nUnit == resizeunits::UNIT_PIXELS ? 0 : 2;
    if (m_bKeepAspect && widthEdited)
        m_dHeight = RoundDecimal(short(decimals), m_dWidth / m_fAspect);
    else if (m_bKeepAspect)
        m_dWidth = RoundDecimal(short(decimals), m_dHeight * m_fAspect);
    // The box being typed in is rewritten only when its value had to change.
    const bool fixWidth = m_dWidth <= 0, fixHeight = m_dHeight <= 0;
    if (fixWidth)
        m_dWidth = 1.0;
    if (fixHeight)
        m_dHeight = 1.0;
    if (!widthEdited || fixWidth)
        m_spinWidth.SetPos(m_dWidth);
    if (widthEdited || fixHeight)
        m_spinHeight.SetPos(m_dHeight);
    m_bUpdating = false;
}

void CDlgEditorResize::OnEnChangeEditWidth()
{
    OnSizeEdited(true);
}

void CDlgEditorResize::OnEnChangeEditHeight()
{
    OnSizeEdited(false);
}

void CDlgEditorResize::OnCbnSelchangeComboPixels()
{
    const int unit = m_comboUnit.GetCurSel();
    if (unit < 0 || unit == m_nUnit)
        return;
    m_bUpdating = true;
    ReadControls();
    using namespace resizeunits;
    m_dWidth = Convert(m_dWidth, m_nUnit, unit, m_dResolution, m_nResolutionUnit);
    m_dHeight = Convert(m_dHeight, m_nUnit, unit, m_dResolution, m_nResolutionUnit);
    const double limit = Convert(kMaxPixels, UNIT_PIXELS, unit, m_dResolution, m_nResolutionUnit);
    m_editWidth.SetMinMax(0, limit);
    m_editHeight.SetMinMax(0, limit);
    m_spinWidth.SetRangeAndDelta(0, limit, 1);
    m_spinHeight.SetRangeAndDelta(0, limit, 1);
    m_nUnit = unit;
    SetSizeDecimals(unit == UNIT_PIXELS ? 0 : 2);
    ShowSize();
    m_bUpdating = false;
}

void CDlgEditorResize::OnCbnSelchangeComboDpi()
{
    const int unit = m_comboResolutionUnit.GetCurSel();
    if (unit < 0 || unit == m_nResolutionUnit)
        return;
    m_bUpdating = true;
    ReadControls();
    m_dResolution = resizeunits::ConvertResolution(m_dResolution, m_nResolutionUnit, unit);
    m_nResolutionUnit = unit;
    m_spinResolution.SetPos(m_dResolution);
    ReadControls();
    m_bUpdating = false;
}

int ShowDlgResize(int* width, int* height, int* resolution, int option)
{
    if (!width || !height || !resolution)
        return 0;
    appframe::ModuleScope scope(GetZVUILibModule());
    CDlgEditorResize dialog(CWnd::GetActiveWindow());
    dialog.m_nPicWidth = *width;
    dialog.m_nPicHeight = *height;
    dialog.m_dWidth = *width;
    dialog.m_dHeight = *height;
    dialog.m_bKeepAspect = 1;
    dialog.m_bPixelsOnly = option;
    dialog.m_dResolution = *resolution;
    if (dialog.DoModal() != IDOK)
        return 0;
    const resizeunits::PixelSize size = resizeunits::ToPixels(dialog.m_dWidth, dialog.m_dHeight, dialog.m_nUnit,
                                                              dialog.m_dResolution, dialog.m_nResolutionUnit);
    *width = size.width;
    *height = size.height;
    *resolution = size.resolution;
    return 1;
}
