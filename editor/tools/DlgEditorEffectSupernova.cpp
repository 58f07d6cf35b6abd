#include "DlgEditorEffectSupernova.h"
#include "EffectOptionDialogsIds.h"
#include "EffectPreview.h"

IMPLEMENT_DYNAMIC(CDlgEditorEffectSupernova, CEffectOptionDialog)

BEGIN_MESSAGE_MAP(CDlgEditorEffectSupernova, CEffectOptionDialog)
    ON_STN_CLICKED(IDC_FX_PREVIEW, OnPreviewClicked)
    ON_BN_CLICKED(IDC_FX_COLOR, OnColour)
END_MESSAGE_MAP()

CDlgEditorEffectSupernova::CDlgEditorEffectSupernova()
    : CEffectOptionDialog(IDD_EFFECT_SUPERNOVA),
      m_radiusValue(IDC_FX_RADIUS_LABEL, IDC_FX_RADIUS_SLIDER, IDC_FX_RADIUS_EDIT, IDC_FX_RADIUS_SPIN, m_options.radius),
      m_spokesValue(IDC_FX_SPOKES_LABEL, IDC_FX_SPOKES_SLIDER, IDC_FX_SPOKES_EDIT, IDC_FX_SPOKES_SPIN, m_options.spokes)
{
    AddTriple(m_radiusValue);
    AddTriple(m_spokesValue);
}

void CDlgEditorEffectSupernova::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FX_PREVIEW, m_preview);
    DDX_Control(pDX, IDC_FX_COLOR, m_colour);
    CEffectOptionDialog::DoDataExchange(pDX);
}

void CDlgEditorEffectSupernova::InitOptions()
{
    m_preview.SetNewCursor(static_cast<HICON>(::CopyIcon(::LoadCursor(nullptr, IDC_CROSS))));
    m_preview.m_bCustomCursor = TRUE;
    m_radiusValue.SetRange({1, 999});
    m_spokesValue.SetRange({1, 360});
    if (HostPreviews()) {
        m_scale = OpenPreview(m_preview, m_reduced);
        DrawPreview();
    }
    SetUpColorButton(m_colour, QuadToColorRef(m_options.colour), QuadToColorRef(m_options.colour));
    SetTexts(L"Sunshine", {{IDC_FX_RADIUS_LABEL, L"Radius"}, {IDC_FX_SPOKES_LABEL, L"Spokes"}, {IDC_FX_COLOR_LABEL, L"Color"}});
}

void CDlgEditorEffectSupernova::DrawPreview()
{
    if (!m_reduced.IsValid())
        return;
    m_preview.m_image.Copy(m_reduced);
    m_preview.m_image.EffectSupernova(m_previewPoint, m_options.colour, PreviewRadius(m_radiusValue.Clamped(), m_scale),
                                      m_spokesValue.Clamped());
    m_preview.Invalidate(FALSE);
}

void CDlgEditorEffectSupernova::OnOptionsChanged()
{
    DrawPreview();
}

void CDlgEditorEffectSupernova::OnPreviewClicked()
{
    POINT at;
    ::GetCursorPos(&at);
    m_preview.ScreenToClient(&at);
    ClickPreview(at);
}

void CDlgEditorEffectSupernova::ClickPreview(POINT client)
{
    if (!m_reduced.IsValid())
        return;
    m_previewPoint = PreviewPointOf(m_preview, m_reduced, client);
    const POINT onPicture = PicturePointOf(m_previewPoint, m_scale);
    m_options.x = onPicture.x;
    m_options.y = onPicture.y;
    Rerun();
}

void CDlgEditorEffectSupernova::OnColour()
{
    m_options.colour = ColorRefToQuad(m_colour.GetColor());
    Rerun();
}

std::unique_ptr<CProcessBase> CDlgEditorEffectSupernova::BuildOptionProcessor()
{
    SupernovaOptions options = m_options;
    options.radius = m_radiusValue.Clamped();
    options.spokes = m_spokesValue.Clamped();
    return BuildProcessor(options);
}
