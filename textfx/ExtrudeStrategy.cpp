#include "ExtrudeStrategy.h"

#include <algorithm>
#include <cstdlib>

using namespace Gdiplus;

namespace TextDesigner {

void ExtrudeStrategy::Init(const Color& fillColour, const Color& outlineColour, int thickness,
                           int offsetX, int offsetY)
{
    m_fill.Set(fillColour);
    m_outlineColour = outlineColour;
    m_thickness = thickness;
    m_offsetX = offsetX;
    m_offsetY = offsetY;
}

void ExtrudeStrategy::Init(Brush* brush, const Color& outlineColour, int thickness, int offsetX,
                           int offsetY)
{
    Init(Color(), outlineColour, thickness, offsetX, offsetY);
    m_fill.Set(brush);
}

std::unique_ptr<ITextStrategy> ExtrudeStrategy::Clone() const
{
    return std::make_unique<ExtrudeStrategy>(*this);
}

namespace {

int ExtrusionSteps(int offsetX, int offsetY)
{
    // One copy per pixel along the longer axis keeps the extrusion solid; counting along the
    // shorter one would leave gaps, and nothing at all for a horizontal or vertical offset.
    return std::max(std::abs(offsetX), std::abs(offsetY));
}

} // namespace

bool ExtrudeStrategy::Paint(Graphics* graphics, const TextSpec& spec) const
{
    if (!graphics)
        return false;
    int steps = ExtrusionSteps(m_offsetX, m_offsetY);
    for (int i = 0; i < steps; ++i) {
        std::unique_ptr<GraphicsPath> path =
            BuildTextPath(graphics, spec.Shifted(-m_offsetX * i / steps, -m_offsetY * i / steps));
        if (!path)
            return false;
        Stroke(graphics, path.get(), m_outlineColour, m_thickness);
        m_fill.Paint(graphics, path.get());
    }
    return true;
}

bool ExtrudeStrategy::Margin(int* units) const
{
    *units = m_thickness;
    return true;
}

} // namespace TextDesigner
