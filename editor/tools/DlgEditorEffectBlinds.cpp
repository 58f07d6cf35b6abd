#include "DlgEditorEffectBlinds.h"
#include "EffectOptionDialogsIds.h"

IMPLEMENT_DYNAMIC(CDlgEditorEffectBlinds, CEffectOptionDialog)

BEGIN_MESSAGE_MAP(CDlgEditorEffectBlinds, CEffectOptionDialog)
    ON_BN_CLICKED(IDC_FX_HORIZONTAL, OnHorizontal)
    ON_BN_CLICKED(IDC_FX_VERTICAL, OnVertical)
    ON_BN_CLICKED(IDC_FX_COLOR, OnColour)
END_MESSAGE_MAP()

CDlgEditorEffectBlinds::CDlgEditorEffectBlinds()
    : CEffectOptionDialog(IDD_EFFECT_BLINDS),
      m_opacityValue(IDC_FX_OPACITY_LABEL, IDC_FX_OPACITY_SLIDER, IDC_FX_OPACITY_EDIT, IDC_FX_OPACITY_SPIN,
                     m_options.opacity),
      m_widthValue(IDC_FX_WIDTH_LABEL, IDC_FX_WIDTH_SLIDER, IDC_FX_WIDTH_EDIT, IDC_FX_WIDTH_SPIN, m_options.width)
{
    AddTriple(m_opacityValue);
    AddTriple(m_widthValue);
}

void CDlgEditorEffectBlinds::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FX_COLOR, m_colour);
    CEffectOptionDialog::DoDataExchange(pDX);
}

void CDlgEditorEffectBlinds::InitOptions()
{
    m_opacityValue.SetRange({1, 100});
    m_widthValue.SetRange(BlindsWidthRange(m_options.direction, PictureWidth(), PictureHeight()));
    CheckDlgButton(IDC_FX_HORIZONTAL, m_options.direction ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(IDC_FX_VERTICAL, m_options.direction ? BST_CHECKED : BST_UNCHECKED);
    SetUpColorButton(m_colour, QuadToColorRef(m_options.colour), QuadToColorRef(m_options.colour));
    SetTexts(L"Blinds", {{IDC_FX_OPACITY_LABEL, L"Opacity"},
                         {IDC_FX_WIDTH_LABEL, L"Width"},
                         {IDC_FX_HORIZONTAL, L"Horizontal"},
                         {IDC_FX_VERTICAL, L"Vertical"},
                         {IDC_FX_COLOR_LABEL, L"Color"}});
}

// The width's range follows the direction; the width stays, unless the new range cannot hold it.
void CDlgEditorEffectBlinds::SetDirection(int direction)
{
    UpdateData(TRUE);
    m_options.direction = direction;
    m_writing = true;
    m_widthValue.SetRange(BlindsWidthRange(direction, PictureWidth(), PictureHeight()));
    m_writing = false;
    WriteControls();
    Rerun();
}

void CDlgEditorEffectBlinds::OnHorizontal()
{
    SetDirection(0);
}

void CDlgEditorEffectBlinds::OnVertical()
{
    SetDirection(1);
}

void CDlgEditorEffectBlinds::OnColour()
{
    m_options.colour = ColorRefToQuad(m_colour.GetColor());
    Rerun();
}

std::unique_ptr<CProcessBase> CDlgEditorEffectBlinds::BuildOptionProcessor()
{
    BlindsOptions options = m_options;
    options.opacity = m_opacityValue.Clamped();
    options.width = m_widthValue.Clamped();
    return BuildProcessor(options);
}
