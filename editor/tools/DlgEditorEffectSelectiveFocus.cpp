#include "DlgEditorEffectSelectiveFocus.h"
#include "DlgControls.h"
#include "EffectOptionDialogsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorEffectSelectiveFocus, CEffectOptionDialog)

BEGIN_MESSAGE_MAP(CDlgEditorEffectSelectiveFocus, CEffectOptionDialog)
    ON_CBN_SELCHANGE(IDC_FX_MODE_LIST, OnModeChosen)
END_MESSAGE_MAP()

CDlgEditorEffectSelectiveFocus::CDlgEditorEffectSelectiveFocus()
    : CEffectOptionDialog(IDD_EFFECT_SELECTIVE_FOCUS),
      m_first(IDC_FX_LABEL1, IDC_FX_SLIDER1, IDC_FX_EDIT1, IDC_FX_SPIN1, m_options.firstValue),
      m_second(IDC_FX_LABEL2, IDC_FX_SLIDER2, IDC_FX_EDIT2, IDC_FX_SPIN2, m_options.secondValue)
{
    AddTriple(m_first);
    AddTriple(m_second);
}

void CDlgEditorEffectSelectiveFocus::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FX_MODE_LIST, m_modes);
    CEffectOptionDialog::DoDataExchange(pDX);
}

void CDlgEditorEffectSelectiveFocus::InitOptions()
{
    m_modes.ResetContent();
    for (int mode = 0; mode < kSelectiveFocusModeCount; ++mode)
        m_modes.AddString(TranslateString(FindSelectiveFocusMode(mode)->name));
    if (!FindSelectiveFocusMode(m_options.mode))
        m_options.mode = 0;
    m_modes.SetCurSel(m_options.mode);
    SetTexts(L"Selective Focus", {});
    ApplyMode();
}

void CDlgEditorEffectSelectiveFocus::ApplyMode()
{
    const SelectiveFocusMode* mode = FindSelectiveFocusMode(m_options.mode);
    ApplyModeRanges(m_options);
    m_first.SetRange({m_options.firstMinimum, m_options.firstMaximum});
    SetDlgItemText(IDC_FX_LABEL1, TranslateString(mode->firstLabel));
    const bool two = mode->secondLabel != nullptr;
    if (two) {
        m_second.SetRange({m_options.secondMinimum, m_options.secondMaximum});
        SetDlgItemText(IDC_FX_LABEL2, TranslateString(mode->secondLabel));
    }
    m_second.Show(*this, two);
    KQSetCtrlWidth(this);
}

void CDlgEditorEffectSelectiveFocus::OnModeChosen()
{
    UpdateData(TRUE);
    const SelectiveFocusMode* mode = FindSelectiveFocusMode(m_modes.GetCurSel());
    if (!mode)
        return;
    m_options.mode = m_modes.GetCurSel();
    m_options.firstValue = mode->firstValue;
    // The spins write their edits as their ranges change: no run and no reading comes of it.
    m_writing = true;
    ApplyMode();
    m_writing = false;
    WriteControls();
    Rerun();
}

std::unique_ptr<CProcessBase> CDlgEditorEffectSelectiveFocus::BuildOptionProcessor()
{
    SelectiveFocusOptions options = m_options;
    options.firstValue = m_first.Clamped();
    options.secondValue = m_second.Clamped();
    return BuildProcessor(options);
}
