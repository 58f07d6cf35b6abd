#pragma once
// Text with a halo: the path stroked at every width from 1 to the thickness, then filled.
#include "PathTextStrategy.h"

namespace TextDesigner {

class ZVUILIB_API TextGlowStrategy : public TextImplGetHeight, public PathTextStrategy {
public:
    void Init(const Gdiplus::Color& textColour, const Gdiplus::Color& glowColour, int thickness);
    void Init(Gdiplus::Brush* brush, const Gdiplus::Color& glowColour, int thickness);
    std::unique_ptr<ITextStrategy> Clone() const override;

protected:
    bool PaintPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path) const override;
    bool Margin(int* units) const override;

private:
    Gdiplus::Color m_outlineColour{0xFF000000};
    TextFill m_fill;
};

} // namespace TextDesigner
