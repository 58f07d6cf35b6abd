#pragma once
// The body of a soft shadow: a halo like the glow's, and a fill repeated thickness times
// (once with the single-fill flag) so that a translucent colour grows denser.
#include "PathTextStrategy.h"

namespace TextDesigner {

class ZVUILIB_API DiffusedShadowStrategy : public TextImplGetHeight, public PathTextStrategy {
public:
    void Init(const Gdiplus::Color& fillColour, const Gdiplus::Color& glowColour, int thickness,
              bool singleFill);
    std::unique_ptr<ITextStrategy> Clone() const override;

protected:
    bool PaintPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path) const override;
    bool Margin(int* units) const override;

private:
    Gdiplus::Color m_fillColour{0xFF000000};
    Gdiplus::Color m_glowColour{0xFF000000};
    bool m_singleFill = false;
};

} // namespace TextDesigner
