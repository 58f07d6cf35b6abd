#include "DlgEditorEffectTransparentColor.h"
#include "EffectOptionDialogsIds.h"
#include "LayerInfo.h"

IMPLEMENT_DYNAMIC(CDlgEditorEffectTransparentColor, CEffectOptionDialog)

BEGIN_MESSAGE_MAP(CDlgEditorEffectTransparentColor, CEffectOptionDialog)
    ON_BN_CLICKED(IDC_FX_COLOR, OnColour)
END_MESSAGE_MAP()

CDlgEditorEffectTransparentColor::CDlgEditorEffectTransparentColor()
    : CEffectOptionDialog(IDD_EFFECT_TRANSPARENT_COLOR),
      m_toleranceValue(IDC_FX_TOLERANCE_LABEL, IDC_FX_TOLERANCE_SLIDER, IDC_FX_TOLERANCE_EDIT, IDC_FX_TOLERANCE_SPIN,
                       m_options.tolerance),
      m_opacityValue(IDC_FX_OPACITY_LABEL, IDC_FX_OPACITY_SLIDER, IDC_FX_OPACITY_EDIT, IDC_FX_OPACITY_SPIN, m_opacity)
{
    AddTriple(m_toleranceValue);
    AddTriple(m_opacityValue);
}

void CDlgEditorEffectTransparentColor::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FX_COLOR, m_colour);
    CEffectOptionDialog::DoDataExchange(pDX);
}

void CDlgEditorEffectTransparentColor::InitOptions()
{
    m_opacity = m_options.opacity;
    // The library's row 0 is the picture's bottom row.
    if (CLayerInfo* layer = HostLayer(); layer && layer->displayed.IsValid())
        m_options.colour = layer->displayed.GetPixelColor(0, 0, true);
    m_toleranceValue.SetRange({0, 100});
    m_opacityValue.SetRange({0, 100});
    SetUpColorButton(m_colour, QuadToColorRef(m_options.colour), QuadToColorRef(m_options.colour));
    SetTexts(L"Transparent color", {{IDC_FX_TRANSPARENT_LABEL, L"Transparent color"},
                                    {IDC_FX_TOLERANCE_LABEL, L"Tolerance"},
                                    {IDC_FX_OPACITY_LABEL, L"Opacity"}});
}

void CDlgEditorEffectTransparentColor::OnColour()
{
    m_options.colour = ColorRefToQuad(m_colour.GetColor());
    Rerun();
}

std::unique_ptr<CProcessBase> CDlgEditorEffectTransparentColor::BuildOptionProcessor()
{
    TransparentColorOptions options = m_options;
    options.tolerance = m_toleranceValue.Clamped();
    options.opacity = BYTE(m_opacityValue.Clamped());
    return BuildProcessor(options);
}
