#include "TextNoOutlineStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

void TextNoOutlineStrategy::Init(const Color& textColour)
{
    m_fill.Set(textColour);
}

void TextNoOutlineStrategy::Init(Brush* brush)
{
    m_fill.Set(brush);
}

std::unique_ptr<ITextStrategy> TextNoOutlineStrategy::Clone() const
{
    return std::make_unique<TextNoOutlineStrategy>(*this);
}

bool TextNoOutlineStrategy::PaintPath(Graphics* graphics, GraphicsPath* path) const
{
    return m_fill.Paint(graphics, path);
}

bool TextNoOutlineStrategy::Margin(int*) const
{
    return false;
}

} // namespace TextDesigner
