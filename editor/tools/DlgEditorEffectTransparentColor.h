#pragma once
// CDlgEditorEffectTransparentColor: makes one colour of the editor's layer (within a tolerance)
// transparent down to an opacity. It opens on the colour of the layer's bottom-left pixel.
#include "EffectOptionDialog.h"

class CDlgEditorEffectTransparentColor : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorEffectTransparentColor)
public:
    CDlgEditorEffectTransparentColor();
    TransparentColorOptions m_options;

protected:
    void InitOptions() override;
    LayerCheck LayerChecks() const override { return LayerCheck::TransparentColor; }
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnColour();
    DECLARE_MESSAGE_MAP()

private:
    int m_opacity = 0;   // percent, the options' byte while the dialog is open
    CEffectValueTriple m_toleranceValue, m_opacityValue;
    CBCGPColorButton m_colour;
};
