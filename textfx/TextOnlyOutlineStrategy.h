#pragma once
// The outline of the text alone, unfilled.
#include "PathTextStrategy.h"

namespace TextDesigner {

class ZVUILIB_API TextOnlyOutlineStrategy : public TextImplGetHeight, public PathTextStrategy {
public:
    void Init(const Gdiplus::Color& outlineColour, int thickness, bool roundedJoin);
    std::unique_ptr<ITextStrategy> Clone() const override;

protected:
    bool PaintPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path) const override;
    bool Margin(int* units) const override;

private:
    Gdiplus::Color m_outlineColour{0xFF000000};
    bool m_roundedJoin = false;
};

} // namespace TextDesigner
