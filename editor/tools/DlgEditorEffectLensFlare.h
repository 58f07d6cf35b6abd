#pragma once
// CDlgEditorEffectLensFlare: a lens flare at the point clicked on the preview.
#include "EffectOptionDialog.h"

class CDlgEditorEffectLensFlare : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorEffectLensFlare)
public:
    CDlgEditorEffectLensFlare();
    LensFlareOptions m_options;   // picture pixels, y from the bottom row

    // A click at a point of the preview's client area.
    void ClickPreview(POINT client);
    const CZVPreviewWnd& Preview() const { return m_preview; }
    double PreviewScaleUsed() const { return m_scale; }

protected:
    void InitOptions() override;
    void DoDataExchange(CDataExchange* pDX) override;
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;
    afx_msg void OnPreviewClicked();
    DECLARE_MESSAGE_MAP()

private:
    CZVPreviewWnd m_preview;
    CZVImage m_reduced;   // the preview's source
    double m_scale = 0.0;
};
