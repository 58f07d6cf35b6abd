#pragma once
// CDlgEditorEffectSupernova: a sunshine burst of a colour, radius and spoke count at the point
// clicked on the preview; the preview shows the burst after every change.
#include "EffectOptionDialog.h"

class CDlgEditorEffectSupernova : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorEffectSupernova)
public:
    CDlgEditorEffectSupernova();
    SupernovaOptions m_options;   // picture pixels, y from the bottom row

    // A click at a point of the preview's client area.
    void ClickPreview(POINT client);
    const CZVPreviewWnd& Preview() const { return m_preview; }
    POINT PreviewPoint() const { return m_previewPoint; }
    double PreviewScaleUsed() const { return m_scale; }

protected:
    void InitOptions() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOptionsChanged() override;
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;
    afx_msg void OnPreviewClicked();
    afx_msg void OnColour();
    DECLARE_MESSAGE_MAP()

private:
    void DrawPreview();
    CZVPreviewWnd m_preview;
    CZVImage m_reduced;
    double m_scale = 0.0;
    POINT m_previewPoint = {0, 0};   // on the reduced copy, y from its bottom row
    CEffectValueTriple m_radiusValue, m_spokesValue;
    CBCGPColorButton m_colour;
};
