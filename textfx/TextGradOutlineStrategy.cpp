#include "TextGradOutlineStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

namespace {

Color Opaque(const Color& c)
{
    return Color(255, c.GetR(), c.GetG(), c.GetB());
}

} // namespace

void MakeGradientColors(const Color& colour1, const Color& colour2, int thickness,
                        std::vector<Color>* colours)
{
    if (thickness < 1 || !colours)
        return;
    colours->clear();
    // GDI+ samples the gradient at pixel centres, so the ends come out close to, not exactly
    // at, the two colours; the strokes use what is sampled.
    Bitmap strip(thickness, 1, PixelFormat32bppARGB);
    {
        Graphics graphics(&strip);
        LinearGradientBrush brush(Rect(0, 0, thickness, 1), colour1, colour2,
                                  LinearGradientModeHorizontal);
        brush.SetWrapMode(WrapModeTile);
        graphics.FillRectangle(&brush, 0, 0, thickness, 1);
    }
    BitmapBits bits(&strip, PixelFormat32bppARGB, ImageLockModeRead);
    if (!bits.Ok())
        return;
    const uint32_t* row = bits.Row(0);
    for (int x = 0; x < thickness; ++x)
        colours->push_back(Color(row[x] | 0xFF000000u));
}

void TextGradOutlineStrategy::Init(const Color& textColour, const Color& outlineColour1,
                                   const Color& outlineColour2, int thickness)
{
    m_fill.Set(textColour);
    SetOutline(outlineColour1, outlineColour2, thickness);
}

void TextGradOutlineStrategy::Init(Brush* brush, const Color& outlineColour1,
                                   const Color& outlineColour2, int thickness)
{
    m_fill.Set(brush);
    SetOutline(outlineColour1, outlineColour2, thickness);
}

void TextGradOutlineStrategy::SetOutline(const Color& outlineColour1, const Color& outlineColour2,
                                         int thickness)
{
    m_outlineColour1 = Opaque(outlineColour1);
    m_outlineColour2 = Opaque(outlineColour2);
    m_thickness = thickness;
}

std::unique_ptr<ITextStrategy> TextGradOutlineStrategy::Clone() const
{
    return std::make_unique<TextGradOutlineStrategy>(*this);
}

bool TextGradOutlineStrategy::PaintPath(Graphics* graphics, GraphicsPath* path) const
{
    std::vector<Color> colours;
    MakeGradientColors(m_outlineColour1, m_outlineColour2, m_thickness, &colours);
    // Widest first, so each narrower pen of a colour nearer colour 1 lies over the wider ones.
    for (int width = m_thickness; width >= 1; --width) {
        if (static_cast<size_t>(width) <= colours.size())
            Stroke(graphics, path, colours[width - 1], width);
    }
    return m_fill.Paint(graphics, path);
}

bool TextGradOutlineStrategy::Margin(int* units) const
{
    *units = m_thickness;
    return true;
}

} // namespace TextDesigner
