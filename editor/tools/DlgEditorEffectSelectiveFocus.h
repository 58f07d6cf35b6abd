#pragma once
// CDlgEditorEffectSelectiveFocus: blurs (mode 0, one value) or smears (mode 1, length and
// angle) what lies outside the selection; the list chooses the mode.
#include "EffectOptionDialog.h"

class CDlgEditorEffectSelectiveFocus : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorEffectSelectiveFocus)
public:
    CDlgEditorEffectSelectiveFocus();
    SelectiveFocusOptions m_options;   // the creator sets the mode and the values

protected:
    void InitOptions() override;
    void DoDataExchange(CDataExchange* pDX) override;
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;
    afx_msg void OnModeChosen();
    DECLARE_MESSAGE_MAP()

private:
    // The mode's ranges, labels and rows.
    void ApplyMode();
    CEffectValueTriple m_first, m_second;
    CBCGPComboBox m_modes;
};
