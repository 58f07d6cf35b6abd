#include "DlgEditorLayerOptions.h"
#include <algorithm>
#include "DlgControls.h"
#include "LayerDocument.h"
#include "LayerInfo.h"
#include "LayerDialogsIds.h"
#include "NewPictureRules.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorLayerOptions, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorLayerOptions, CKQDialog)
    ON_EN_CHANGE(IDC_LAYER_WIDTH, OnWidthChange)
    ON_EN_CHANGE(IDC_LAYER_HEIGHT, OnHeightChange)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_LAYER_OPACITY_SLIDER, OnOpacitySlider)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_LAYER_ANGLE_SLIDER, OnAngleSlider)
    ON_EN_CHANGE(IDC_LAYER_OPACITY, OnOpacityEdited)
    ON_EN_CHANGE(IDC_LAYER_ANGLE, OnAngleEdited)
    ON_BN_CLICKED(IDC_LAYER_KEEP_RATIO, OnKeepRatio)
    ON_EN_CHANGE(IDC_LAYER_X, OnPlaceEdited)
    ON_EN_CHANGE(IDC_LAYER_Y, OnPlaceEdited)
END_MESSAGE_MAP()

namespace {

const int kMaxSide = 6000;

int Clamp(int value, int low, int high)
{
    return std::max(low, std::min(high, value));
}

} // namespace

CDlgEditorLayerOptions::CDlgEditorLayerOptions(CWnd* pParent) : CKQDialog(IDD_LAYER_OPTIONS, pParent) {}

CDlgEditorLayerOptions::~CDlgEditorLayerOptions() = default;

void CDlgEditorLayerOptions::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LAYER_OPACITY, m_editOpacity);
    DDX_Control(pDX, IDC_LAYER_ANGLE, m_editAngle);
    DDX_Control(pDX, IDC_LAYER_WIDTH, m_editWidth);
    DDX_Control(pDX, IDC_LAYER_HEIGHT, m_editHeight);
    DDX_Control(pDX, IDC_LAYER_OPACITY_SPIN, m_spinOpacity);
    DDX_Control(pDX, IDC_LAYER_ANGLE_SPIN, m_spinAngle);
    DDX_Control(pDX, IDC_LAYER_WIDTH_SPIN, m_spinWidth);
    DDX_Control(pDX, IDC_LAYER_HEIGHT_SPIN, m_spinHeight);
    DDX_Control(pDX, IDC_LAYER_OPACITY_SLIDER, m_opacitySlider);
    DDX_Control(pDX, IDC_LAYER_ANGLE_SLIDER, m_angleSlider);
    DDX_Text(pDX, IDC_LAYER_OPACITY, m_opacity);
    DDX_Text(pDX, IDC_LAYER_ANGLE, m_angle);
    DDX_Text(pDX, IDC_LAYER_WIDTH, m_width);
    DDX_Text(pDX, IDC_LAYER_HEIGHT, m_height);
    DDX_Check(pDX, IDC_LAYER_KEEP_RATIO, m_keepRatio);
    DDX_Text(pDX, IDC_LAYER_X, m_x);
    DDX_Text(pDX, IDC_LAYER_Y, m_y);
}

BOOL CDlgEditorLayerOptions::OnInitDialog()
{
    m_updating = true;
    m_ratio = RatioOf(m_layerWidth, m_layerHeight);
    m_openOpacity = m_opacity;
    m_openAngle = m_angle;
    m_openX = m_x;
    m_openY = m_y;
    if (m_document)
        if (const CLayerInfo* layer = m_document->layers.GetCurrentLayer())
            m_opened = std::make_unique<CLayerInfo>(*layer);
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Options"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDC_LAYER_OPACITY_LABEL, L"Opacity"}, {IDC_LAYER_ANGLE_LABEL, L"Rotate"},
                 {IDC_LAYER_SIZE_GROUP, L"Size"},       {IDC_LAYER_WIDTH_LABEL, L"Width"},
                 {IDC_LAYER_HEIGHT_LABEL, L"Height"},   {IDC_LAYER_KEEP_RATIO, L"Preserve aspect ratio"},
                 {IDOK, L"Ok"},                         {IDCANCEL, L"Cancel"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    KQSetCtrlWidth(this);
    m_editOpacity.SetMinMax(0, 100);
    m_spinOpacity.SetRangeAndDelta(0, 100, 1);
    m_editAngle.SetMinMax(0, 360);
    m_spinAngle.SetRangeAndDelta(0, 360, 1);
    for (CKQNumEdit* edit : {&m_editWidth, &m_editHeight})
        edit->SetMinMax(0, kMaxSide);
    for (CKQNumSpinCtrl* spin : {&m_spinWidth, &m_spinHeight})
        spin->SetRangeAndDelta(0, kMaxSide, 1);
    m_opacitySlider.SetRange(0, 100);
    m_opacitySlider.SetPos(m_opacity);
    m_angleSlider.SetRange(0, 360);
    m_angleSlider.SetPos(m_angle);
    UpdateData(FALSE);
    m_updating = false;
    return TRUE;
}

void CDlgEditorLayerOptions::OnSizeEdited(bool widthEdited)
{
    if (m_updating)
        return;
    m_updating = true;
    SizeI size = {static_cast<int>(GetDlgItemInt(IDC_LAYER_WIDTH, nullptr, FALSE)),
                  static_cast<int>(GetDlgItemInt(IDC_LAYER_HEIGHT, nullptr, FALSE))};
    // The edited side is corrected first, so that the other follows a valid one.
    int& edited = widthEdited ? size.width : size.height;
    const int typed = edited;
    edited = Clamp(edited, 1, kMaxSide);
    m_keepRatio = IsDlgButtonChecked(IDC_LAYER_KEEP_RATIO) ? TRUE : FALSE;
    size = AfterBlankEdit(size, widthEdited, m_keepRatio != FALSE, m_ratio);
    const bool otherChanged = widthEdited ? size.height != m_height : size.width != m_width;
    m_width = size.width;
    m_height = size.height;
    if (edited != typed)
        SetDlgItemInt(widthEdited ? IDC_LAYER_WIDTH : IDC_LAYER_HEIGHT, static_cast<UINT>(edited), FALSE);
    if (otherChanged || m_keepRatio)
        SetDlgItemInt(widthEdited ? IDC_LAYER_HEIGHT : IDC_LAYER_WIDTH,
                      static_cast<UINT>(widthEdited ? m_height : m_width), FALSE);
    m_updating = false;
    Preview();
}

void CDlgEditorLayerOptions::OnWidthChange()
{
    OnSizeEdited(true);
}

void CDlgEditorLayerOptions::OnHeightChange()
{
    OnSizeEdited(false);
}

void CDlgEditorLayerOptions::OnOpacitySlider(NMHDR*, LRESULT* pResult)
{
    m_opacity = Clamp(m_opacitySlider.GetPos(), 0, 100);
    m_updating = true;
    SetDlgItemInt(IDC_LAYER_OPACITY, static_cast<UINT>(m_opacity), FALSE);
    m_updating = false;
    Preview();
    *pResult = 0;
}

void CDlgEditorLayerOptions::OnAngleSlider(NMHDR*, LRESULT* pResult)
{
    m_angle = Clamp(m_angleSlider.GetPos(), 0, 360);
    m_updating = true;
    SetDlgItemInt(IDC_LAYER_ANGLE, static_cast<UINT>(m_angle), FALSE);
    m_updating = false;
    Preview();
    *pResult = 0;
}

void CDlgEditorLayerOptions::OnOpacityEdited()
{
    if (m_updating)
        return;
    m_opacity = Clamp(static_cast<int>(GetDlgItemInt(IDC_LAYER_OPACITY, nullptr, FALSE)), 0, 100);
    m_opacitySlider.SetPos(m_opacity);
    Preview();
}

void CDlgEditorLayerOptions::OnAngleEdited()
{
    if (m_updating)
        return;
    m_angle = Clamp(static_cast<int>(GetDlgItemInt(IDC_LAYER_ANGLE, nullptr, FALSE)), 0, 360);
    m_angleSlider.SetPos(m_angle);
    Preview();
}

void CDlgEditorLayerOptions::OnKeepRatio()
{
    m_keepRatio = IsDlgButtonChecked(IDC_LAYER_KEEP_RATIO) ? TRUE : FALSE;
    Preview();
}

void CDlgEditorLayerOptions::OnPlaceEdited()
{
    if (m_updating)
        return;
    m_x = static_cast<int>(GetDlgItemInt(IDC_LAYER_X, nullptr, TRUE));
    m_y = static_cast<int>(GetDlgItemInt(IDC_LAYER_Y, nullptr, TRUE));
    Preview();
}

void CDlgEditorLayerOptions::OnCancel()
{
    // The layer as it was, pictures and all, so that no re-render of previewed values leaves a
    // trace; a layer that went away or was locked meanwhile is left alone.
    if (m_opened && m_document) {
        CLayerInfo* layer = m_document->layers.GetLayerBySerial(m_opened->serial);
        if (layer && !layer->locked) {
            const int id = layer->id;
            m_document->layers.ReplaceLayer(id, *m_opened);
            m_document->CalcLayerTracker(m_document->layers.GetLayer(id));
            if (m_onRestored)
                m_onRestored();
        }
    }
    CKQDialog::OnCancel();
}

void CDlgEditorLayerOptions::Preview()
{
    if (!m_updating && m_onPreview)
        m_onPreview();
}
