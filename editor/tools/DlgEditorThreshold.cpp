#include "DlgEditorThreshold.h"
#include "EffectOptionDialogsIds.h"

IMPLEMENT_DYNAMIC(CDlgEditorThreshold, CEffectOptionDialog)

BEGIN_MESSAGE_MAP(CDlgEditorThreshold, CEffectOptionDialog)
    ON_BN_CLICKED(IDC_FX_PRESERVE, OnPreserve)
END_MESSAGE_MAP()

CDlgEditorThreshold::CDlgEditorThreshold()
    : CEffectOptionDialog(IDD_EDITOR_THRESHOLD),
      m_level(IDC_FX_LEVEL_LABEL, IDC_FX_LEVEL_SLIDER, IDC_FX_LEVEL_EDIT, IDC_FX_LEVEL_SPIN, m_options.level)
{
    AddTriple(m_level);
}

void CDlgEditorThreshold::DoDataExchange(CDataExchange* pDX)
{
    CEffectOptionDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_FX_PRESERVE, m_options.preserve);
}

void CDlgEditorThreshold::InitOptions()
{
    m_level.SetRange({0, 255});
    SetTexts(L"Threshold", {{IDC_FX_LEVEL_LABEL, L"Level"}, {IDC_FX_PRESERVE, L"Preserve colors less than the threshold"}});
}

void CDlgEditorThreshold::OnPreserve()
{
    UpdateData(TRUE);
    WriteControls();
    Rerun();
}

std::unique_ptr<CProcessBase> CDlgEditorThreshold::BuildOptionProcessor()
{
    ThresholdOptions options = m_options;
    options.level = m_level.Clamped();
    return BuildProcessor(options);
}
