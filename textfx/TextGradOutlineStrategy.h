#pragma once
// Text with an outline that runs from colour 1 next to the letters to colour 2 at its outer edge.
#include "PathTextStrategy.h"
#include <vector>

namespace TextDesigner {

// The colours of a horizontal gradient from colour 1 to colour 2 sampled at each of thickness
// pixels, made opaque; a thickness below 1 leaves the list as it was.
ZVUILIB_API void MakeGradientColors(const Gdiplus::Color& colour1, const Gdiplus::Color& colour2,
                                    int thickness, std::vector<Gdiplus::Color>* colours);

class ZVUILIB_API TextGradOutlineStrategy : public TextImplGetHeight, public PathTextStrategy {
public:
    // Both outline colours are stored opaque.
    void Init(const Gdiplus::Color& textColour, const Gdiplus::Color& outlineColour1,
              const Gdiplus::Color& outlineColour2, int thickness);
    void Init(Gdiplus::Brush* brush, const Gdiplus::Color& outlineColour1,
              const Gdiplus::Color& outlineColour2, int thickness);
    std::unique_ptr<ITextStrategy> Clone() const override;

protected:
    bool PaintPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path) const override;
    bool Margin(int* units) const override;

private:
    void SetOutline(const Gdiplus::Color& outlineColour1, const Gdiplus::Color& outlineColour2,
                    int thickness);

    Gdiplus::Color m_outlineColour1{0xFF000000};
    Gdiplus::Color m_outlineColour2{0xFF000000};
    TextFill m_fill;
};

} // namespace TextDesigner
