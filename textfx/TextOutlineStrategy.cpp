#include "TextOutlineStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

void TextOutlineStrategy::Init(const Color& textColour, const Color& outlineColour, int thickness)
{
    m_fill.Set(textColour);
    m_outlineColour = outlineColour;
    m_thickness = thickness;
}

void TextOutlineStrategy::Init(Brush* brush, const Color& outlineColour, int thickness)
{
    m_fill.Set(brush);
    m_outlineColour = outlineColour;
    m_thickness = thickness;
}

std::unique_ptr<ITextStrategy> TextOutlineStrategy::Clone() const
{
    return std::make_unique<TextOutlineStrategy>(*this);
}

bool TextOutlineStrategy::PaintPath(Graphics* graphics, GraphicsPath* path) const
{
    // The fill covers the inner half of the stroke; only the outer half shows.
    Stroke(graphics, path, m_outlineColour, m_thickness);
    return m_fill.Paint(graphics, path);
}

bool TextOutlineStrategy::Margin(int* units) const
{
    *units = m_thickness;
    return true;
}

} // namespace TextDesigner
