#include "DiffusedShadowStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

void DiffusedShadowStrategy::Init(const Color& fillColour, const Color& glowColour, int thickness,
                                  bool singleFill)
{
    m_fillColour = fillColour;
    m_glowColour = glowColour;
    m_thickness = thickness;
    m_singleFill = singleFill;
}

std::unique_ptr<ITextStrategy> DiffusedShadowStrategy::Clone() const
{
    return std::make_unique<DiffusedShadowStrategy>(*this);
}

bool DiffusedShadowStrategy::PaintPath(Graphics* graphics, GraphicsPath* path) const
{
    for (int width = 1; width <= m_thickness; ++width)
        Stroke(graphics, path, m_glowColour, width);
    SolidBrush brush(m_fillColour);
    int fills = m_singleFill ? 1 : m_thickness;
    bool filled = true;
    for (int i = 0; i < fills; ++i)
        filled = graphics->FillPath(&brush, path) == Ok;
    return filled;
}

bool DiffusedShadowStrategy::Margin(int* units) const
{
    *units = m_thickness;
    return true;
}

} // namespace TextDesigner
