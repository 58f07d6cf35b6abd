#pragma once
// Plain filled text, measured by its bare path.
#include "PathTextStrategy.h"

namespace TextDesigner {

class ZVUILIB_API TextNoOutlineStrategy : public PathTextStrategy {
public:
    void Init(const Gdiplus::Color& textColour);
    void Init(Gdiplus::Brush* brush);
    std::unique_ptr<ITextStrategy> Clone() const override;

protected:
    bool PaintPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path) const override;
    bool Margin(int* units) const override;

private:
    TextFill m_fill;
};

} // namespace TextDesigner
