#pragma once
// CDlgEditorEffectBlinds: slats across or down the picture, of a width, colour and opacity.
#include "EffectOptionDialog.h"

class CDlgEditorEffectBlinds : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorEffectBlinds)
public:
    CDlgEditorEffectBlinds();
    BlindsOptions m_options;

protected:
    void InitOptions() override;
    void DoDataExchange(CDataExchange* pDX) override;
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;
    afx_msg void OnHorizontal();
    afx_msg void OnVertical();
    afx_msg void OnColour();
    DECLARE_MESSAGE_MAP()

private:
    void SetDirection(int direction);
    CEffectValueTriple m_opacityValue, m_widthValue;
    CBCGPColorButton m_colour;
};
