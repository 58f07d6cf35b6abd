#include "TextOnlyOutlineStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

void TextOnlyOutlineStrategy::Init(const Color& outlineColour, int thickness, bool roundedJoin)
{
    m_outlineColour = outlineColour;
    m_thickness = thickness;
    m_roundedJoin = roundedJoin;
}

std::unique_ptr<ITextStrategy> TextOnlyOutlineStrategy::Clone() const
{
    return std::make_unique<TextOnlyOutlineStrategy>(*this);
}

bool TextOnlyOutlineStrategy::PaintPath(Graphics* graphics, GraphicsPath* path) const
{
    // Mitre joins unless asked: the letters' corners stay sharp.
    Stroke(graphics, path, m_outlineColour, m_thickness, m_roundedJoin);
    return true;
}

bool TextOnlyOutlineStrategy::Margin(int* units) const
{
    *units = m_thickness;
    return true;
}

} // namespace TextDesigner
