#pragma once
// CDlgEditorThreshold: the threshold level, and whether the colours below it are kept.
#include "EffectOptionDialog.h"

class CDlgEditorThreshold : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorThreshold)
public:
    CDlgEditorThreshold();
    ThresholdOptions m_options;

protected:
    void InitOptions() override;
    void DoDataExchange(CDataExchange* pDX) override;
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;
    afx_msg void OnPreserve();
    DECLARE_MESSAGE_MAP()

private:
    CEffectValueTriple m_level;
};
