#include "DlgEditorEffectProcessing.h"
#include "EffectOptionDialogsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorEffectProcessing, CEffectOptionDialog)

CDlgEditorEffectProcessing::CDlgEditorEffectProcessing() : CEffectOptionDialog(IDD_EFFECT_PROCESSING) {}

void CDlgEditorEffectProcessing::InitOptions()
{
    SetTexts(nullptr, {});
    if (m_options.autoClose) {
        GetDlgItem(IDOK)->ShowWindow(SW_HIDE);
        m_bCloseWhenDone = 1;
        SetDlgItemText(IDCANCEL, TranslateString(L"Stop"));
        SetDlgItemText(IDC_FX_STATUS, TranslateString(L"Please wait, processing..."));
    } else {
        SetDlgItemText(IDC_FX_STATUS, TranslateString(L"Press OK to save your changes"));
    }
}

std::unique_ptr<CProcessBase> CDlgEditorEffectProcessing::BuildOptionProcessor()
{
    return BuildProcessor(m_options);
}
