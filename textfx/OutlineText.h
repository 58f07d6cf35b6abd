#pragma once
// The outline-text engine that draws straight into the caller's Graphics; the shadow is
// composed pixel by pixel over a copy of the background behind the text.
#include "OutlineTextBase.h"

namespace TextDesigner {

class ZVUILIB_API OutlineText : public OutlineTextBase {
public:
    void ClearShadow() override;
    void Shadow(Gdiplus::Color colour, int thickness, Gdiplus::Point offset) override;
    void DiffusedShadow(Gdiplus::Color colour, int thickness, int offsetX, int offsetY);
    void Extrude(Gdiplus::Color colour, int thickness, int offsetX, int offsetY);

protected:
    bool Draw(Gdiplus::Graphics* graphics, const TextSpec& spec) override;

private:
    void ComposeShadow(Gdiplus::Graphics* graphics, const TextSpec& spec);

    // Draws the text body opaque; its blue channel marks where the shadow covers the background.
    std::unique_ptr<ITextStrategy> m_pMaskStrategy;
    bool m_bDiffused = false;
    int m_nShadowThickness = 2;
    bool m_bExtruded = false;
};

} // namespace TextDesigner
