#pragma once
// Text with two outlines: the outer one (colour 2) as wide as both thicknesses, the inner one
// (colour 1) at thickness 1, then the fill.
#include "PathTextStrategy.h"

namespace TextDesigner {

class ZVUILIB_API TextDblOutlineStrategy : public PathTextStrategy {
public:
    void Init(const Gdiplus::Color& textColour, const Gdiplus::Color& outlineColour1,
              const Gdiplus::Color& outlineColour2, int thickness1, int thickness2);
    void Init(Gdiplus::Brush* brush, const Gdiplus::Color& outlineColour1,
              const Gdiplus::Color& outlineColour2, int thickness1, int thickness2);
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
