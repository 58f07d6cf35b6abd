#pragma once
// The body of an extruded shadow: outlined and filled copies of the text, one per pixel step
// from the drawing position back along the offset toward the text.
#include "PathTextStrategy.h"

namespace TextDesigner {

class ZVUILIB_API ExtrudeStrategy : public PathTextStrategy {
public:
    void Init(const Gdiplus::Color& fillColour, const Gdiplus::Color& outlineColour,
              int thickness, int offsetX, int offsetY);
    void Init(Gdiplus::Brush* brush, const Gdiplus::Color& outlineColour, int thickness,
              int offsetX, int offsetY);
    std::unique_ptr<ITextStrategy> Clone() const override;

protected:
    bool Paint(Gdiplus::Graphics* graphics, const TextSpec& spec) const override;
    bool Margin(int* units) const override;

private:
    TextFill m_fill;
    Gdiplus::Color m_outlineColour{0xFF000000};
    int m_thickness = 2;
    int m_offsetX = 0;
    int m_offsetY = 0;
};

} // namespace TextDesigner
