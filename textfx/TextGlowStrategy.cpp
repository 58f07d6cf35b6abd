#include "TextGlowStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

void TextGlowStrategy::Init(const Color& textColour, const Color& glowColour, int thickness)
{
    m_fill.Set(textColour);
    m_outlineColour = glowColour;
    m_thickness = thickness;
}

void TextGlowStrategy::Init(Brush* brush, const Color& glowColour, int thickness)
{
    m_fill.Set(brush);
    m_outlineColour = glowColour;
    m_thickness = thickness;
}

std::unique_ptr<ITextStrategy> TextGlowStrategy::Clone() const
{
    return std::make_unique<TextGlowStrategy>(*this);
}

bool TextGlowStrategy::PaintPath(Graphics* graphics, GraphicsPath* path) const
{
    // Every width from 1 up: a translucent colour builds a halo densest next to the letters.
    for (int width = 1; width <= m_thickness; ++width)
        Stroke(graphics, path, m_outlineColour, width);
    return m_fill.Paint(graphics, path);
}

bool TextGlowStrategy::Margin(int* units) const
{
    *units = m_thickness;
    return true;
}

} // namespace TextDesigner
