#include "OutlineTextBase.h"

#include <algorithm>

#include "TextDblGlowStrategy.h"
#include "TextDblOutlineStrategy.h"
#include "TextGlowStrategy.h"
#include "TextGradOutlineStrategy.h"
#include "TextNoOutlineStrategy.h"
#include "TextOnlyOutlineStrategy.h"
#include "TextOutlineStrategy.h"

using namespace Gdiplus;

namespace TextDesigner {

namespace {

template <typename Strategy, typename... Args>
std::unique_ptr<ITextStrategy> Make(Args... args)
{
    auto strategy = std::make_unique<Strategy>();
    strategy->Init(args...);
    return strategy;
}

} // namespace

float TextAndShadowExtent(float text, float shadow, float offset)
{
    // The shadow's box is the text's moved by the offset. A caller that draws a shadow with a
    // negative offset moves the whole drawing by that much, so the extent grows by it too;
    // the two dimensions are taken separately so that neither part is cut off.
    return std::max(text, shadow + offset) - std::min(0.0f, offset);
}

void OutlineTextBase::SetTextStrategy(std::unique_ptr<ITextStrategy> strategy)
{
    m_pTextStrategy = std::move(strategy);
}

void OutlineTextBase::SetShadowPlacement(Color colour, int offsetX, int offsetY)
{
    m_clrShadow = colour;
    m_nShadowOffsetX = offsetX;
    m_nShadowOffsetY = offsetY;
}

void OutlineTextBase::TextGlow(Brush* brush, Color glowColour, int thickness)
{
    SetTextStrategy(Make<TextGlowStrategy>(brush, glowColour, thickness));
}

void OutlineTextBase::TextGlow(Color textColour, Color glowColour, int thickness)
{
    SetTextStrategy(Make<TextGlowStrategy>(textColour, glowColour, thickness));
}

void OutlineTextBase::TextOutline(Brush* brush, Color outlineColour, int thickness)
{
    SetTextStrategy(Make<TextOutlineStrategy>(brush, outlineColour, thickness));
}

void OutlineTextBase::TextOutline(Color textColour, Color outlineColour, int thickness)
{
    SetTextStrategy(Make<TextOutlineStrategy>(textColour, outlineColour, thickness));
}

void OutlineTextBase::TextDblOutline(Brush* brush, Color outlineColour1, Color outlineColour2,
                                     int thickness1, int thickness2)
{
    SetTextStrategy(Make<TextDblOutlineStrategy>(brush, outlineColour1, outlineColour2, thickness1,
                                                 thickness2));
}

void OutlineTextBase::TextDblOutline(Color textColour, Color outlineColour1, Color outlineColour2,
                                     int thickness1, int thickness2)
{
    SetTextStrategy(Make<TextDblOutlineStrategy>(textColour, outlineColour1, outlineColour2,
                                                 thickness1, thickness2));
}

void OutlineTextBase::TextDblGlow(Brush* brush, Color glowColour1, Color glowColour2,
                                  int thickness1, int thickness2)
{
    SetTextStrategy(
        Make<TextDblGlowStrategy>(brush, glowColour1, glowColour2, thickness1, thickness2));
}

void OutlineTextBase::TextDblGlow(Color textColour, Color glowColour1, Color glowColour2,
                                  int thickness1, int thickness2)
{
    SetTextStrategy(
        Make<TextDblGlowStrategy>(textColour, glowColour1, glowColour2, thickness1, thickness2));
}

void OutlineTextBase::TextGradOutline(Brush* brush, Color outlineColour1, Color outlineColour2,
                                      int thickness)
{
    SetTextStrategy(
        Make<TextGradOutlineStrategy>(brush, outlineColour1, outlineColour2, thickness));
}

void OutlineTextBase::TextGradOutline(Color textColour, Color outlineColour1,
                                      Color outlineColour2, int thickness)
{
    SetTextStrategy(
        Make<TextGradOutlineStrategy>(textColour, outlineColour1, outlineColour2, thickness));
}

void OutlineTextBase::TextNoOutline(Brush* brush)
{
    SetTextStrategy(Make<TextNoOutlineStrategy>(brush));
}

void OutlineTextBase::TextNoOutline(Color textColour)
{
    SetTextStrategy(Make<TextNoOutlineStrategy>(textColour));
}

void OutlineTextBase::TextOnlyOutline(Color outlineColour, int thickness, bool roundedJoin)
{
    SetTextStrategy(Make<TextOnlyOutlineStrategy>(outlineColour, thickness, roundedJoin));
}

void OutlineTextBase::SetShadowBackground(Color colour, int width, int height)
{
    m_pShadowBkgd.reset();
    auto background = std::make_unique<Bitmap>(width, height, PixelFormat32bppARGB);
    if (background->GetLastStatus() != Ok)
        return;
    Graphics graphics(background.get());
    graphics.Clear(colour);
    m_pShadowBkgd = std::move(background);
}

void OutlineTextBase::SetShadowBackground(Bitmap* bitmap)
{
    if (bitmap != m_pShadowBkgd.get())
        m_pShadowBkgd.reset(bitmap);
}

void OutlineTextBase::ClearTextEffect()
{
    m_pTextStrategy.reset();
}

void OutlineTextBase::EnableShadow(bool enable)
{
    m_bEnableShadow = enable;
}

bool OutlineTextBase::DrawString(Graphics* graphics, FontFamily* family, int fontStyle,
                                 int fontSize, const wchar_t* text, Rect layout,
                                 const StringFormat* format)
{
    return Draw(graphics, TextSpec::FromFont(family, fontStyle, fontSize, text, format)
                              .In(layout.X, layout.Y, layout.Width, layout.Height));
}

bool OutlineTextBase::DrawString(Graphics* graphics, FontFamily* family, int fontStyle,
                                 int fontSize, const wchar_t* text, Point at,
                                 const StringFormat* format)
{
    return Draw(graphics,
                TextSpec::FromFont(family, fontStyle, fontSize, text, format).At(at.X, at.Y));
}

bool OutlineTextBase::GdiDrawString(Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                                    Rect layout)
{
    return Draw(graphics, TextSpec::FromLogFont(logFont, text)
                              .In(layout.X, layout.Y, layout.Width, layout.Height));
}

bool OutlineTextBase::GdiDrawString(Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                                    Point at)
{
    return Draw(graphics, TextSpec::FromLogFont(logFont, text).At(at.X, at.Y));
}

bool OutlineTextBase::MeasureString(Graphics* graphics, FontFamily* family, int fontStyle,
                                    int fontSize, const wchar_t* text, Rect layout,
                                    const StringFormat* format, float* startX, float* startY,
                                    float* width, float* height)
{
    return Measure(graphics,
                   TextSpec::FromFont(family, fontStyle, fontSize, text, format)
                       .In(layout.X, layout.Y, layout.Width, layout.Height),
                   Extent::Path, startX, startY, width, height);
}

bool OutlineTextBase::MeasureString(Graphics* graphics, FontFamily* family, int fontStyle,
                                    int fontSize, const wchar_t* text, Point at,
                                    const StringFormat* format, float* startX, float* startY,
                                    float* width, float* height)
{
    return Measure(graphics,
                   TextSpec::FromFont(family, fontStyle, fontSize, text, format).At(at.X, at.Y),
                   Extent::Path, startX, startY, width, height);
}

bool OutlineTextBase::GdiMeasureString(Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                                       Rect layout, float* startX, float* startY, float* width,
                                       float* height)
{
    return Measure(graphics,
                   TextSpec::FromLogFont(logFont, text)
                       .In(layout.X, layout.Y, layout.Width, layout.Height),
                   Extent::Path, startX, startY, width, height);
}

bool OutlineTextBase::GdiMeasureString(Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                                       Point at, float* startX, float* startY, float* width,
                                       float* height)
{
    return Measure(graphics, TextSpec::FromLogFont(logFont, text).At(at.X, at.Y), Extent::Path,
                   startX, startY, width, height);
}

bool OutlineTextBase::GdiMeasureStringTight(Graphics* graphics, LOGFONTW* logFont,
                                            const wchar_t* text, Rect layout, float* startX,
                                            float* startY, float* width, float* height)
{
    return Measure(graphics,
                   TextSpec::FromLogFont(logFont, text)
                       .In(layout.X, layout.Y, layout.Width, layout.Height),
                   Extent::Tight, startX, startY, width, height);
}

bool OutlineTextBase::GdiMeasureStringTight(Graphics* graphics, LOGFONTW* logFont,
                                            const wchar_t* text, Point at, float* startX,
                                            float* startY, float* width, float* height)
{
    return Measure(graphics, TextSpec::FromLogFont(logFont, text).At(at.X, at.Y), Extent::Tight,
                   startX, startY, width, height);
}

bool OutlineTextBase::Measure(Graphics* graphics, const TextSpec& spec, Extent extent,
                              float* startX, float* startY, float* width, float* height)
{
    if (!width || !height)
        return false;
    float tw = 0, th = 0;
    if (m_pTextStrategy &&
        !MeasureSpec(m_pTextStrategy.get(), graphics, spec, extent, startX, startY, &tw, &th))
        return false;
    if (!m_bEnableShadow) {
        *width = tw;
        *height = th;
        return true;
    }
    float sw = 0, sh = 0;
    if (m_pShadowStrategy &&
        !MeasureSpec(m_pShadowStrategy.get(), graphics, spec, extent, nullptr, nullptr, &sw, &sh))
        return false;
    // The offset is a count of pixels, scaled by the page unit like a path coordinate; under
    // World (or without a Graphics) it adds nothing.
    float ox = 0, oy = 0, fx, fy;
    if (graphics && PixelsPerPageUnit(graphics->GetPageUnit(), graphics->GetDpiX(), &fx) &&
        PixelsPerPageUnit(graphics->GetPageUnit(), graphics->GetDpiY(), &fy)) {
        ox = fx * static_cast<float>(m_nShadowOffsetX);
        oy = fy * static_cast<float>(m_nShadowOffsetY);
    }
    *width = TextAndShadowExtent(tw, sw, ox);
    *height = TextAndShadowExtent(th, sh, oy);
    return true;
}

} // namespace TextDesigner
