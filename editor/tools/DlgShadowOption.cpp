#include "DlgShadowOption.h"
#include <cmath>
#include "EffectTables.h"
#include "LayerDocument.h"
#include "ShadowOptionIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgShadowOption, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgShadowOption, CKQDialog)
    ON_BN_CLICKED(IDC_SHADOW_ON, OnShadowOn)
    ON_BN_CLICKED(IDC_SHADOW_COLOR, OnColour)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SHADOW_ANGLE, OnAngleReleased)
    ON_WM_HSCROLL()
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SHADOW_OPACITY_SLIDER, OnOpacityReleased)
    ON_EN_CHANGE(IDC_SHADOW_OPACITY, OnOpacityEdited)
    ON_EN_CHANGE(IDC_SHADOW_DISTANCE, OnDistanceEdited)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SHADOW_DISTANCE_SLIDER, OnDistanceReleased)
END_MESSAGE_MAP()

POINT ShadowOffsets(int angle, int distance)
{
    // Single precision, truncated toward zero after adding one half.
    const float a = static_cast<float>(angle), d = static_cast<float>(distance);
    float x, y;
    if (a <= 90) {
        x = 0.5f - d * a / 90;
        y = d * (90 - a) / 90 + 0.5f;
    } else if (a <= 180) {
        x = -d * (180 - a) / 90 + 0.5f;
        y = -d * (a - 90) / 90 + 0.5f;
    } else if (a <= 270) {
        x = d * (a - 180) / 90 + 0.5f;
        y = 0.5f - d * (270 - a) / 90;
    } else {
        x = d * (360 - a) / 90 + 0.5f;
        y = d * (a - 270) / 90 + 0.5f;
    }
    return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

CDlgShadowOption::CDlgShadowOption(CWnd* pParent) : CKQDialog(IDD_SHADOW_OPTION, pParent) {}

CDlgShadowOption::~CDlgShadowOption() = default;

void CDlgShadowOption::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHADOW_COLOR, m_btnColour);
    DDX_Control(pDX, IDC_SHADOW_ANGLE, m_dial);
    DDX_Control(pDX, IDC_SHADOW_OPACITY_SLIDER, m_opacitySlider);
    DDX_Control(pDX, IDC_SHADOW_DISTANCE_SLIDER, m_distanceSlider);
    DDX_Check(pDX, IDC_SHADOW_ON, m_on);
    DDX_Text(pDX, IDC_SHADOW_OPACITY, m_opacity);
    DDX_Text(pDX, IDC_SHADOW_DISTANCE, m_distance);
}

BOOL CDlgShadowOption::OnInitDialog()
{
    m_updating = true;
    m_opacity = AlphaToPercent(m_colour.rgbReserved);
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Shadow Option"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDC_SHADOW_ON, L"Shadow"},          {IDC_SHADOW_ANGLE_LABEL, L"Angle"},
                 {IDC_SHADOW_OPACITY_LABEL, L"Opacity"}, {IDC_SHADOW_DISTANCE_LABEL, L"Distance"},
                 {IDOK, L"Ok"},                      {IDCANCEL, L"Cancel"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    m_btnColour.EnableAutomaticButton(TranslateString(L"Automatic"), RGB(0x80, 0x80, 0x80));
    m_btnColour.EnableOtherButton(TranslateString(L"Other"));
    m_btnColour.SetColumnsNumber(14);
    m_btnColour.SetColor(RGB(m_colour.rgbRed, m_colour.rgbGreen, m_colour.rgbBlue));
    m_dial.SetRange(0, 360);
    m_dial.SetPos(m_angle);
    m_opacitySlider.SetRange(0, 100);
    m_opacitySlider.SetPos(m_opacity);
    m_distanceSlider.SetRange(0, 300);
    m_distanceSlider.SetPos(m_distance);
    m_updating = false;
    return TRUE;
}

void CDlgShadowOption::OnShadowOn()
{
    m_on = IsDlgButtonChecked(IDC_SHADOW_ON) ? TRUE : FALSE;
    Preview();
}

void CDlgShadowOption::OnColour()
{
    const COLORREF c = m_btnColour.GetColor();
    m_colour.rgbBlue = GetBValue(c);
    m_colour.rgbGreen = GetGValue(c);
    m_colour.rgbRed = GetRValue(c);
    m_colour.rgbReserved = PercentToAlpha(m_opacity);
    Preview();
}

void CDlgShadowOption::OnAngleReleased(NMHDR*, LRESULT* pResult)
{
    m_angle = m_dial.GetPos();
    TakeOffsets();
    Preview();
    *pResult = 0;
}

void CDlgShadowOption::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CKQDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    if (!pScrollBar || pScrollBar->GetDlgCtrlID() != IDC_SHADOW_ANGLE)
        return;
    m_angle = m_dial.GetPos();
    TakeOffsets();
    if (nSBCode == SB_THUMBPOSITION)
        Preview();
}

void CDlgShadowOption::SetOpacity(int percent)
{
    m_opacity = std::max(0, std::min(100, percent));
    m_colour.rgbReserved = PercentToAlpha(m_opacity);
}

void CDlgShadowOption::OnOpacityReleased(NMHDR*, LRESULT* pResult)
{
    SetOpacity(m_opacitySlider.GetPos());
    m_updating = true;
    SetDlgItemInt(IDC_SHADOW_OPACITY, m_opacity, FALSE);
    m_updating = false;
    Preview();
    *pResult = 0;
}

void CDlgShadowOption::OnOpacityEdited()
{
    if (m_updating)
        return;
    SetOpacity(static_cast<int>(GetDlgItemInt(IDC_SHADOW_OPACITY, nullptr, FALSE)));
    m_opacitySlider.SetPos(m_opacity);
    Preview();
}

void CDlgShadowOption::OnDistanceEdited()
{
    if (m_updating)
        return;
    m_distance = std::max(0, std::min(300, static_cast<int>(GetDlgItemInt(IDC_SHADOW_DISTANCE, nullptr, FALSE))));
    m_distanceSlider.SetPos(m_distance);
    TakeOffsets();
    Preview();
}

void CDlgShadowOption::OnDistanceReleased(NMHDR*, LRESULT* pResult)
{
    m_distance = m_distanceSlider.GetPos();
    m_updating = true;
    SetDlgItemInt(IDC_SHADOW_DISTANCE, m_distance, FALSE);
    m_updating = false;
    TakeOffsets();
    Preview();
    *pResult = 0;
}

void CDlgShadowOption::TakeOffsets()
{
    const POINT offsets = ShadowOffsets(m_angle, m_distance);
    m_offsetX = offsets.x;
    m_offsetY = offsets.y;
    m_on = TRUE;
    CheckDlgButton(IDC_SHADOW_ON, BST_CHECKED);
}

void CDlgShadowOption::Preview()
{
    if (!m_previewDocument)
        return;
    CLayerInfo* layer = m_previewDocument->layers.GetCurrentLayer();
    if (!layer || layer->locked)
        return;
    layer->shadowOn = m_on ? 1 : 0;
    layer->shadowAngle = m_angle;
    layer->shadowOffsetX = m_offsetX;
    layer->shadowOffsetY = m_offsetY;
    layer->shadowColour = m_colour;
    layer->ClearShadowCache();
    if (m_onPreview)
        m_onPreview();
}
