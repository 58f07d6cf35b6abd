#include "TextDblOutlineStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

void TextDblOutlineStrategy::Init(const Color& textColour, const Color& outlineColour1,
                                  const Color& outlineColour2, int thickness1, int thickness2)
{
    m_fill.Set(textColour);
    m_outlineColour1 = outlineColour1;
    m_outlineColour2 = outlineColour2;
    m_thickness1 = thickness1;
    m_thickness2 = thickness2;
}

void TextDblOutlineStrategy::Init(Brush* brush, const Color& outlineColour1,
                                  const Color& outlineColour2, int thickness1, int thickness2)
{
    Init(Color(), outlineColour1, outlineColour2, thickness1, thickness2);
    m_fill.Set(brush);
}

std::unique_ptr<ITextStrategy> TextDblOutlineStrategy::Clone() const
{
    return std::make_unique<TextDblOutlineStrategy>(*this);
}

bool TextDblOutlineStrategy::PaintPath(Graphics* graphics, GraphicsPath* path) const
{
    Stroke(graphics, path, m_outlineColour2, m_thickness1 + m_thickness2);
    Stroke(graphics, path, m_outlineColour1, m_thickness1);
    return m_fill.Paint(graphics, path);
}

bool TextDblOutlineStrategy::Margin(int* units) const
{
    *units = m_thickness1 + m_thickness2;
    return true;
}

} // namespace TextDesigner
