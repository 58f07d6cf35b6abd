#pragma once
// CDlgEditorEffectOneOption: the effects with one value (radial and zoom blur, illusion, mosaic,
// noise, posterize, raised frame, splash, shift, bulge, gamma, Gaussian blur, selective focus),
// the effect index choosing the caption, label and range of its row.
#include "EffectOptionDialog.h"

class CDlgEditorEffectOneOption : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorEffectOneOption)
public:
    CDlgEditorEffectOneOption();
    OneOptionOptions m_options;   // the creator sets the index and the value

protected:
    void InitOptions() override;
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;

private:
    CEffectValueTriple m_value;
};
