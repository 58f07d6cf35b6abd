#include "DlgEditorEffectTwoOption.h"
#include "EffectOptionDialogsIds.h"

IMPLEMENT_DYNAMIC(CDlgEditorEffectTwoOption, CEffectOptionDialog)

CDlgEditorEffectTwoOption::CDlgEditorEffectTwoOption()
    : CEffectOptionDialog(IDD_EFFECT_TWO_OPTION),
      m_first(IDC_FX_LABEL1, IDC_FX_SLIDER1, IDC_FX_EDIT1, IDC_FX_SPIN1, m_options.firstValue),
      m_second(IDC_FX_LABEL2, IDC_FX_SLIDER2, IDC_FX_EDIT2, IDC_FX_SPIN2, m_options.secondValue)
{
    AddTriple(m_first);
    AddTriple(m_second);
}

void CDlgEditorEffectTwoOption::InitOptions()
{
    const TwoOptionEffect* row = FindTwoOptionEffect(m_options.effectIndex);
    ApplyTableRanges(m_options, PictureWidth(), PictureHeight());
    m_first.SetRange({m_options.firstMinimum, m_options.firstMaximum});
    m_second.SetRange({m_options.secondMinimum, m_options.secondMaximum});
    SetTexts(row ? row->caption : nullptr,
             {{IDC_FX_LABEL1, row ? row->firstLabel : L""}, {IDC_FX_LABEL2, row ? row->secondLabel : L""}});
}

std::unique_ptr<CProcessBase> CDlgEditorEffectTwoOption::BuildOptionProcessor()
{
    TwoOptionOptions options = m_options;
    options.firstValue = m_first.Clamped();
    options.secondValue = m_second.Clamped();
    return BuildProcessor(options);
}
