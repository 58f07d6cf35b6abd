#pragma once
// CDlgEditorRotate: turns the whole picture by an angle from the dial, the number, or the
// presets, over a background colour, keeping the size or growing to the turned picture, with
// or without transparent corners. The creator sets the refit flag when the canvas follows.
#include "EffectOptionDialog.h"
#include "RoundSliderCtrl.h"

class CDlgEditorRotate : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorRotate)
public:
    CDlgEditorRotate();
    RotateOptions m_options;

protected:
    void InitOptions() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LayerCheck LayerChecks() const override { return LayerCheck::Rotate; }
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnPreset();
    afx_msg void OnBackground();
    afx_msg void OnCheckBox();
    DECLARE_MESSAGE_MAP()

private:
    CRoundSliderCtrl m_dial;
    CEffectValueTriple m_angle;
    CBCGPComboBox m_presets;
    CBCGPColorButton m_background;
};

// The angles of the presets, in the order of the list.
const int kRotatePresetCount = 7;
int RotatePresetAngle(int item);
