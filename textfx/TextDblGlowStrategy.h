#pragma once
// Text with a halo (colour 2) from thickness 1 out to both thicknesses, an outline (colour 1)
// at thickness 1, then the fill.
#include "PathTextStrategy.h"

namespace TextDesigner {

class ZVUILIB_API TextDblGlowStrategy : public PathTextStrategy {
public:
    void Init(const Gdiplus::Color& textColour, const Gdiplus::Color& glowColour1,
              const Gdiplus::Color& glowColour2, int thickness1, int thickness2);
    void Init(Gdiplus::Brush* brush, const Gdiplus::Color& glowColour1,
              const Gdiplus::Color& glowColour2, int thickness1, int thickness2);
    std::unique_ptr<ITextStrategy> Clone() const override;

protected:
    bool PaintPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path) const override;
    bool Margin(int* units) const override;

private:
    Gdiplus::Color m_outlineColour1{0xFF000000};
    Gdiplus::Color m_outlineColour2{0xFF000000};
    int m_thickness1 = 2;
    int m_thickness2 = 2;
    TextFill m_fill;
};

} // namespace TextDesigner
