#include "DlgEditorEffectLensFlare.h"
#include "EffectOptionDialogsIds.h"
#include "EffectPreview.h"

IMPLEMENT_DYNAMIC(CDlgEditorEffectLensFlare, CEffectOptionDialog)

BEGIN_MESSAGE_MAP(CDlgEditorEffectLensFlare, CEffectOptionDialog)
    ON_STN_CLICKED(IDC_FX_PREVIEW, OnPreviewClicked)
END_MESSAGE_MAP()

CDlgEditorEffectLensFlare::CDlgEditorEffectLensFlare() : CEffectOptionDialog(IDD_EFFECT_LENS_FLARE) {}

void CDlgEditorEffectLensFlare::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FX_PREVIEW, m_preview);
    CEffectOptionDialog::DoDataExchange(pDX);
}

void CDlgEditorEffectLensFlare::InitOptions()
{
    m_preview.SetNewCursor(static_cast<HICON>(::CopyIcon(::LoadCursor(nullptr, IDC_CROSS))));
    m_preview.m_bCustomCursor = TRUE;
    if (HostPreviews())
        m_scale = OpenPreview(m_preview, m_reduced);
    SetTexts(L"Lens Flare", {});
}

void CDlgEditorEffectLensFlare::OnPreviewClicked()
{
    POINT at;
    ::GetCursorPos(&at);
    m_preview.ScreenToClient(&at);
    ClickPreview(at);
}

void CDlgEditorEffectLensFlare::ClickPreview(POINT client)
{
    if (!m_reduced.IsValid())
        return;
    const POINT onPreview = PreviewPointOf(m_preview, m_reduced, client);
    const POINT onPicture = PicturePointOf(onPreview, m_scale);
    m_options.x = onPicture.x;
    m_options.y = onPicture.y;
    // The preview shows the flare at once; the layer follows when the run is done.
    m_preview.m_image.Copy(m_reduced);
    m_preview.m_image.EffectLensFlare(onPreview);
    m_preview.Invalidate(FALSE);
    Rerun();
}

std::unique_ptr<CProcessBase> CDlgEditorEffectLensFlare::BuildOptionProcessor()
{
    return BuildProcessor(m_options);
}
