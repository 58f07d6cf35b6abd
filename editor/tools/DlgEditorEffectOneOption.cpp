#include "DlgEditorEffectOneOption.h"
#include "EffectOptionDialogsIds.h"

IMPLEMENT_DYNAMIC(CDlgEditorEffectOneOption, CEffectOptionDialog)

CDlgEditorEffectOneOption::CDlgEditorEffectOneOption()
    : CEffectOptionDialog(IDD_EFFECT_ONE_OPTION),
      m_value(IDC_FX_LABEL1, IDC_FX_SLIDER1, IDC_FX_EDIT1, IDC_FX_SPIN1, m_options.value)
{
    AddTriple(m_value);
}

void CDlgEditorEffectOneOption::InitOptions()
{
    const OneOptionEffect* row = FindOneOptionEffect(m_options.effectIndex);
    ApplyTableRanges(m_options, PictureWidth(), PictureHeight());
    m_value.SetRange({m_options.minimum, m_options.maximum});
    SetTexts(row ? row->caption : nullptr, {{IDC_FX_LABEL1, row ? row->label : L""}});
}

std::unique_ptr<CProcessBase> CDlgEditorEffectOneOption::BuildOptionProcessor()
{
    OneOptionOptions options = m_options;
    options.value = m_value.Clamped();
    return BuildProcessor(options);
}
