#include "TextDblGlowStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

void TextDblGlowStrategy::Init(const Color& textColour, const Color& glowColour1,
                               const Color& glowColour2, int thickness1, int thickness2)
{
    m_fill.Set(textColour);
    m_outlineColour1 = glowColour1;
    m_outlineColour2 = glowColour2;
    m_thickness1 = thickness1;
    m_thickness2 = thickness2;
}

void TextDblGlowStrategy::Init(Brush* brush, const Color& glowColour1, const Color& glowColour2,
                               int thickness1, int thickness2)
{
    Init(Color(), glowColour1, glowColour2, thickness1, thickness2);
    m_fill.Set(brush);
}

std::unique_ptr<ITextStrategy> TextDblGlowStrategy::Clone() const
{
    return std::make_unique<TextDblGlowStrategy>(*this);
}

bool TextDblGlowStrategy::PaintPath(Graphics* graphics, GraphicsPath* path) const
{
    for (int width = m_thickness1; width <= m_thickness1 + m_thickness2; ++width)
        Stroke(graphics, path, m_outlineColour2, width);
    Stroke(graphics, path, m_outlineColour1, m_thickness1);
    return m_fill.Paint(graphics, path);
}

bool TextDblGlowStrategy::Margin(int* units) const
{
    *units = m_thickness1 + m_thickness2;
    return true;
}

} // namespace TextDesigner
