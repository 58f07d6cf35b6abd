#pragma once
// CDlgEditorEffectTwoOption: the effects with two values (motion blur, 3D grid, glass tile,
// ribbon, twist, wave, ripple, brightness and contrast, hue and saturation, oil paint, pencil
// sketch), the effect index choosing the caption, labels and ranges of its row.
#include "EffectOptionDialog.h"

class CDlgEditorEffectTwoOption : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorEffectTwoOption)
public:
    CDlgEditorEffectTwoOption();
    TwoOptionOptions m_options;   // the creator sets the index and both values

protected:
    void InitOptions() override;
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;

private:
    CEffectValueTriple m_first, m_second;
};
