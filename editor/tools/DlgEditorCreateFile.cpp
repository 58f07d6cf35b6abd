#include "DlgEditorCreateFile.h"
#include "ClipboardImageSize.h"
#include "DlgControls.h"
#include "LayerDocument.h"
#include "NewPictureIds.h"
#include "ZVUILibApp.h"

using namespace newpicture;

IMPLEMENT_DYNAMIC(CDlgEditorCreateFile, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorCreateFile, CKQDialog)
    ON_BN_CLICKED(IDC_NP_COLOR, OnColor)
    ON_EN_CHANGE(IDC_NP_WIDTH, OnWidthChange)
    ON_EN_CHANGE(IDC_NP_HEIGHT, OnHeightChange)
    ON_CBN_SELCHANGE(IDC_NP_UNIT, OnUnitChange)
    ON_CBN_SELCHANGE(IDC_NP_RES_UNIT, OnResolutionUnitChange)
    ON_CBN_SELCHANGE(IDC_NP_PRESET, OnPresetChange)
END_MESSAGE_MAP()

CDlgEditorCreateFile::CDlgEditorCreateFile(CWnd* pParent) : CKQDialog(IDD_EDITOR_CREATE_FILE, pParent) {}

CDlgEditorCreateFile::~CDlgEditorCreateFile() = default;

void CDlgEditorCreateFile::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NP_WIDTH, m_editWidth);
    DDX_Control(pDX, IDC_NP_HEIGHT, m_editHeight);
    DDX_Control(pDX, IDC_NP_RESOLUTION, m_editResolution);
    DDX_Control(pDX, IDC_NP_WIDTH_SPIN, m_spinWidth);
    DDX_Control(pDX, IDC_NP_HEIGHT_SPIN, m_spinHeight);
    DDX_Control(pDX, IDC_NP_RES_SPIN, m_spinResolution);
    DDX_Control(pDX, IDC_NP_UNIT, m_comboUnit);
    DDX_Control(pDX, IDC_NP_RES_UNIT, m_comboResolutionUnit);
    DDX_Control(pDX, IDC_NP_PRESET, m_comboPreset);
    DDX_Control(pDX, IDC_NP_COLOR, m_btnColor);
    DDX_Check(pDX, IDC_NP_KEEP_RATIO, m_bKeepRatio);
    DDX_Check(pDX, IDC_NP_TRANSPARENT, m_bTransparent);
    DDX_Check(pDX, IDC_NP_PASTE, m_bPaste);
}

BOOL CDlgEditorCreateFile::OnInitDialog()
{
    m_bUpdating = true;
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"New"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDC_NP_SIZE_GROUP, L"Size"},          {IDC_NP_WIDTH_LABEL, L"Width"},
                 {IDC_NP_HEIGHT_LABEL, L"Height"},      {IDC_NP_KEEP_RATIO, L"Keep Ratio"},
                 {IDC_NP_BACK_GROUP, L"Background"},    {IDC_NP_COLOR_LABEL, L"Color"},
                 {IDC_NP_TRANSPARENT, L"Automatic transparency"},
                 {IDC_NP_RESOLUTION_LABEL, L"Resolution"}, {IDC_NP_PRESET_LABEL, L"Default size"},
                 {IDC_NP_PASTE, L"Paste an image from clipboard"}, {IDOK, L"Ok"}, {IDCANCEL, L"Cancel"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    KQSetCtrlWidth(this);
    for (const wchar_t* unit : {L"pixels", L"cm", L"inches"})
        m_comboUnit.AddString(TranslateString(unit));
    for (const wchar_t* unit : {L"pixels/inch", L"pixels/cm"})
        m_comboResolutionUnit.AddString(TranslateString(unit));
    for (const Preset& preset : Presets())
        m_comboPreset.AddString(TranslateString(preset.text));
    m_spinWidth.m_bTrimZeros = m_spinHeight.m_bTrimZeros = m_spinResolution.m_bTrimZeros = FALSE;
    m_editResolution.SetMinMax(0, kMaxPixels);
    m_spinResolution.SetRangeAndDelta(0, kMaxPixels, 1);
    m_editResolution.SetDecimalPlaces(2);
    m_spinResolution.SetDecimalPlaces(2);
    m_btnColor.EnableAutomaticButton(TranslateString(L"Automatic"), RGB(0, 0, 0));
    m_btnColor.EnableOtherButton(TranslateString(L"Other"));
    m_btnColor.SetColumnsNumber(14);
    m_btnColor.SetColor(m_crBackground);
    ApplyPreset(PRESET_CLIPBOARD);
    m_bUpdating = false;
    return TRUE;
}

void CDlgEditorCreateFile::ApplyPreset(int index)
{
    const bool updating = m_bUpdating;
    m_bUpdating = true;
    // The paste box belongs to the clipboard preset alone.
    m_bPaste = FALSE;
    CheckDlgButton(IDC_NP_PASTE, BST_UNCHECKED);
    GetDlgItem(IDC_NP_PASTE)->EnableWindow(FALSE);
    int width = 0, height = 0;
    if (index == PRESET_CLIPBOARD && !GetClipboardImageSize(m_hWnd, width, height))
        index = PRESET_800_600;
    const Preset& preset = Presets()[size_t(index)];
    m_nUnit = preset.unit;
    m_nResolutionUnit = RES_PER_INCH;
    m_dResolution = preset.resolution;
    if (index == PRESET_CLIPBOARD) {
        m_fPresetWidth = float(width);
        m_fPresetHeight = float(height);
        m_bPaste = TRUE;
        CheckDlgButton(IDC_NP_PASTE, BST_CHECKED);
        GetDlgItem(IDC_NP_PASTE)->EnableWindow(TRUE);
    } else {
        m_fPresetWidth = preset.width;
        m_fPresetHeight = preset.height;
    }
    // A metafile without height has no ratio, and its 0 side shows as 1.
    m_fRatio = RatioOf(m_fPresetWidth, m_fPresetHeight);
    m_dWidth = m_fPresetWidth > 0 ? double(m_fPresetWidth) : 1.0;
    m_dHeight = m_fPresetHeight > 0 ? double(m_fPresetHeight) : 1.0;
    m_comboPreset.SetCurSel(index);
    ShowUnit();
    ShowValues();
    m_bUpdating = updating;
}

void CDlgEditorCreateFile::ShowUnit()
{
    const bool updating = m_bUpdating;
    m_bUpdating = true;
    m_comboUnit.SetCurSel(m_nUnit);
    m_comboResolutionUnit.SetCurSel(m_nResolutionUnit);
    const double limit = MaxLength(m_nUnit, m_dResolution, m_nResolutionUnit);
    const int decimals = LengthDecimals(m_nUnit);
    for (CKQNumEdit* edit : {&m_editWidth, &m_editHeight}) {
        edit->SetMinMax(0, limit);
        edit->SetDecimalPlaces(decimals);
    }
    for (CKQNumSpinCtrl* spin : {&m_spinWidth, &m_spinHeight}) {
        spin->SetRangeAndDelta(0, limit, 1);
        spin->SetDecimalPlaces(decimals);
    }
    m_bUpdating = updating;
}

void CDlgEditorCreateFile::ShowValues()
{
    const bool updating = m_bUpdating;
    m_bUpdating = true;
    m_spinWidth.SetPos(m_dWidth);
    m_spinHeight.SetPos(m_dHeight);
    m_spinResolution.SetPos(m_dResolution);
    m_bUpdating = updating;
}

void CDlgEditorCreateFile::ReadValues()
{
    // An empty box reads as 0.
    m_dWidth = m_spinWidth.GetPos();
    m_dHeight = m_spinHeight.GetPos();
    m_dResolution = m_spinResolution.GetPos();
    m_bKeepRatio = IsDlgButtonChecked(IDC_NP_KEEP_RATIO) ? TRUE : FALSE;
    m_bTransparent = IsDlgButtonChecked(IDC_NP_TRANSPARENT) ? TRUE : FALSE;
    m_bPaste = IsDlgButtonChecked(IDC_NP_PASTE) ? TRUE : FALSE;
}

void CDlgEditorCreateFile::OnSizeEdited(bool widthEdited)
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    ReadValues();
    const SizeD before = {m_dWidth, m_dHeight};
    const SizeD after = AfterSizeEdit(before, widthEdited, m_bKeepRatio != FALSE, m_fRatio, LengthDecimals(m_nUnit));
    m_dWidth = after.width;
    m_dHeight = after.height;
    // The box being typed in is rewritten only when its value had to change.
    if (!widthEdited || after.width != before.width)
        m_spinWidth.SetPos(m_dWidth);
    if (widthEdited || after.height != before.height)
        m_spinHeight.SetPos(m_dHeight);
    m_bUpdating = false;
}

void CDlgEditorCreateFile::OnWidthChange()
{
    OnSizeEdited(true);
}

void CDlgEditorCreateFile::OnHeightChange()
{
    OnSizeEdited(false);
}

void CDlgEditorCreateFile::OnUnitChange()
{
    const int unit = m_comboUnit.GetCurSel();
    if (unit < 0 || m_bUpdating)
        return;
    m_bUpdating = true;
    ReadValues();
    if (unit != m_nUnit) {
        m_dWidth = RoundShown(ConvertLength(m_dWidth, m_nUnit, unit, m_dResolution, m_nResolutionUnit), LengthDecimals(unit));
        m_dHeight = RoundShown(ConvertLength(m_dHeight, m_nUnit, unit, m_dResolution, m_nResolutionUnit), LengthDecimals(unit));
        m_nUnit = unit;
    }
    // The unit in use changes only the range.
    ShowUnit();
    ShowValues();
    m_bUpdating = false;
}

void CDlgEditorCreateFile::OnResolutionUnitChange()
{
    const int unit = m_comboResolutionUnit.GetCurSel();
    if (unit < 0 || unit == m_nResolutionUnit || m_bUpdating)
        return;
    m_bUpdating = true;
    ReadValues();
    m_dResolution = RoundShown(ConvertResolution(m_dResolution, m_nResolutionUnit, unit), 2);
    m_nResolutionUnit = unit;
    ShowUnit();
    ShowValues();
    m_bUpdating = false;
}

void CDlgEditorCreateFile::OnPresetChange()
{
    const int index = m_comboPreset.GetCurSel();
    if (index >= 0 && !m_bUpdating)
        ApplyPreset(index);
}

void CDlgEditorCreateFile::OnColor()
{
    m_crBackground = m_btnColor.GetColor();
}

void CDlgEditorCreateFile::OnOK()
{
    ReadValues();
    m_crBackground = m_btnColor.GetColor();
    const SizeD size = AfterSizeEdit({m_dWidth, m_dHeight}, true, false, 0, 0);
    m_dWidth = size.width;
    m_dHeight = size.height;
    EndDialog(IDOK);
}

newpicture::SizeI CDlgEditorCreateFile::GetPixelSize() const
{
    return DocumentPixels(m_dWidth, m_dHeight, m_nUnit, m_dResolution, m_nResolutionUnit);
}

bool AskNewDocument(CWnd* parent, NewDocumentRequest& request)
{
    CDlgEditorCreateFile dialog(parent);
    if (dialog.DoModal() != IDOK)
        return false;
    request.paste = dialog.m_bPaste != FALSE;
    const SizeI size = dialog.GetPixelSize();
    request.width = size.width;
    request.height = size.height;
    const double perInch = dialog.m_nResolutionUnit == RES_PER_CM ? dialog.m_dResolution * kCmPerInch : dialog.m_dResolution;
    request.dpi = int(perInch + 0.5);
    const COLORREF colour = dialog.m_bTransparent ? RGB(255, 255, 255) : dialog.m_crBackground;
    request.fill = RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
    request.alpha = dialog.m_bTransparent ? 0 : 255;
    return true;
}

BOOL NewDocumentFromDialog(CWnd* parent, CLayerDocument& document)
{
    NewDocumentRequest request;
    if (!AskNewDocument(parent, request))
        return FALSE;
    if (request.paste) {
        CZVImage picture;
        if (!ReadClipboardPicture(parent ? parent->GetSafeHwnd() : nullptr, picture))
            return FALSE;
        return document.OpenImage(picture);
    }
    return document.NewBlankDocument(request.fill, request.width, request.height, request.dpi, request.alpha);
}
