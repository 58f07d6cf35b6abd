#include "PathTextStrategy.h"

#include "GdiTextPath.h"

using namespace Gdiplus;

namespace TextDesigner {

TextSpec TextSpec::FromFont(FontFamily* family, int fontStyle, int fontSize, const wchar_t* text,
                            const StringFormat* format)
{
    TextSpec spec;
    spec.text = text;
    spec.family = family;
    spec.fontStyle = fontStyle;
    spec.fontSize = fontSize;
    spec.format = format;
    return spec;
}

TextSpec TextSpec::FromLogFont(LOGFONTW* logFont, const wchar_t* text)
{
    TextSpec spec;
    spec.text = text;
    spec.logFont = logFont;
    return spec;
}

TextSpec TextSpec::At(int px, int py) const
{
    TextSpec spec = *this;
    spec.x = px;
    spec.y = py;
    spec.width = spec.height = 0;
    spec.rectangle = false;
    return spec;
}

TextSpec TextSpec::In(int px, int py, int w, int h) const
{
    TextSpec spec = *this;
    spec.x = px;
    spec.y = py;
    spec.width = w;
    spec.height = h;
    spec.rectangle = true;
    return spec;
}

TextSpec TextSpec::Shifted(int dx, int dy) const
{
    TextSpec spec = *this;
    spec.x += dx;
    spec.y += dy;
    return spec;
}

std::unique_ptr<GraphicsPath> BuildTextPath(Graphics* graphics, const TextSpec& spec)
{
    if (spec.logFont) {
        GraphicsPath* raw = nullptr;
        bool built = spec.rectangle ? GdiTextToPath(graphics, &raw, spec.text, spec.logFont, spec.x,
                                                    spec.y, spec.width, spec.height)
                                    : GdiTextToPath(graphics, &raw, spec.text, spec.logFont, spec.x,
                                                    spec.y);
        std::unique_ptr<GraphicsPath> path(raw);
        return built ? std::move(path) : nullptr;
    }
    if (!spec.text || !spec.family)
        return nullptr;
    auto path = std::make_unique<GraphicsPath>(FillModeAlternate);
    // A point is a layout rectangle of no size. Some GDI+ builds refuse a missing format,
    // which the caller may leave out: the default format stands in.
    StringFormat defaultFormat;
    Status status = path->AddString(spec.text, -1, spec.family, spec.fontStyle,
                                    static_cast<REAL>(spec.fontSize),
                                    Rect(spec.x, spec.y, spec.width, spec.height),
                                    spec.format ? spec.format : &defaultFormat);
    return status == Ok ? std::move(path) : nullptr;
}

bool DrawSpec(ITextStrategy* strategy, Graphics* graphics, const TextSpec& s)
{
    if (s.logFont)
        return s.rectangle ? strategy->GdiDrawString(graphics, s.logFont, s.text, s.x, s.y, s.width,
                                                     s.height)
                           : strategy->GdiDrawString(graphics, s.logFont, s.text, s.x, s.y);
    return s.rectangle ? strategy->DrawString(graphics, s.family, s.fontStyle, s.fontSize, s.text,
                                              s.x, s.y, s.width, s.height, s.format)
                       : strategy->DrawString(graphics, s.family, s.fontStyle, s.fontSize, s.text,
                                              s.x, s.y, s.format);
}

bool MeasureSpec(ITextStrategy* strategy, Graphics* graphics, const TextSpec& s, Extent extent,
                 float* startX, float* startY, float* width, float* height)
{
    if (!s.logFont)
        return s.rectangle
                   ? strategy->MeasureString(graphics, s.family, s.fontStyle, s.fontSize, s.text,
                                             s.x, s.y, s.width, s.height, s.format, startX,
                                             startY, width, height)
                   : strategy->MeasureString(graphics, s.family, s.fontStyle, s.fontSize, s.text,
                                             s.x, s.y, s.format, startX, startY, width, height);
    if (extent == Extent::Tight)
        return s.rectangle ? strategy->GdiMeasureStringTight(graphics, s.logFont, s.text, s.x, s.y,
                                                             s.width, s.height, startX, startY,
                                                             width, height)
                           : strategy->GdiMeasureStringTight(graphics, s.logFont, s.text, s.x, s.y,
                                                             startX, startY, width, height);
    return s.rectangle ? strategy->GdiMeasureString(graphics, s.logFont, s.text, s.x, s.y, s.width,
                                                    s.height, startX, startY, width, height)
                       : strategy->GdiMeasureString(graphics, s.logFont, s.text, s.x, s.y, startX,
                                                    startY, width, height);
}

bool PathTextStrategy::DrawString(Graphics* graphics, FontFamily* family, int fontStyle,
                                  int fontSize, const wchar_t* text, int x, int y, int width,
                                  int height, const StringFormat* format)
{
    return Paint(graphics,
                 TextSpec::FromFont(family, fontStyle, fontSize, text, format).In(x, y, width, height));
}

bool PathTextStrategy::DrawString(Graphics* graphics, FontFamily* family, int fontStyle,
                                  int fontSize, const wchar_t* text, int x, int y,
                                  const StringFormat* format)
{
    return Paint(graphics, TextSpec::FromFont(family, fontStyle, fontSize, text, format).At(x, y));
}

bool PathTextStrategy::GdiDrawString(Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                                     int x, int y, int width, int height)
{
    return Paint(graphics, TextSpec::FromLogFont(logFont, text).In(x, y, width, height));
}

bool PathTextStrategy::GdiDrawString(Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                                     int x, int y)
{
    return Paint(graphics, TextSpec::FromLogFont(logFont, text).At(x, y));
}

bool PathTextStrategy::MeasureString(Graphics* graphics, FontFamily* family, int fontStyle,
                                     int fontSize, const wchar_t* text, int x, int y, int width,
                                     int height, const StringFormat* format, float* startX,
                                     float* startY, float* destWidth, float* destHeight)
{
    return Measure(graphics,
                   TextSpec::FromFont(family, fontStyle, fontSize, text, format).In(x, y, width, height),
                   Extent::Path, startX, startY, destWidth, destHeight);
}

bool PathTextStrategy::MeasureString(Graphics* graphics, FontFamily* family, int fontStyle,
                                     int fontSize, const wchar_t* text, int x, int y,
                                     const StringFormat* format, float* startX, float* startY,
                                     float* destWidth, float* destHeight)
{
    return Measure(graphics, TextSpec::FromFont(family, fontStyle, fontSize, text, format).At(x, y),
                   Extent::Path, startX, startY, destWidth, destHeight);
}

bool PathTextStrategy::GdiMeasureString(Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                                        int x, int y, int width, int height, float* startX,
                                        float* startY, float* destWidth, float* destHeight)
{
    return Measure(graphics, TextSpec::FromLogFont(logFont, text).In(x, y, width, height),
                   Extent::Path, startX, startY, destWidth, destHeight);
}

bool PathTextStrategy::GdiMeasureString(Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                                        int x, int y, float* startX, float* startY,
                                        float* destWidth, float* destHeight)
{
    return Measure(graphics, TextSpec::FromLogFont(logFont, text).At(x, y), Extent::Path, startX,
                   startY, destWidth, destHeight);
}

bool PathTextStrategy::GdiMeasureStringTight(Graphics* graphics, LOGFONTW* logFont,
                                             const wchar_t* text, int x, int y, int width,
                                             int height, float* startX, float* startY,
                                             float* destWidth, float* destHeight)
{
    return Measure(graphics, TextSpec::FromLogFont(logFont, text).In(x, y, width, height),
                   Extent::Tight, startX, startY, destWidth, destHeight);
}

bool PathTextStrategy::GdiMeasureStringTight(Graphics* graphics, LOGFONTW* logFont,
                                             const wchar_t* text, int x, int y, float* startX,
                                             float* startY, float* destWidth, float* destHeight)
{
    return Measure(graphics, TextSpec::FromLogFont(logFont, text).At(x, y), Extent::Tight, startX,
                   startY, destWidth, destHeight);
}

bool PathTextStrategy::Paint(Graphics* graphics, const TextSpec& spec) const
{
    if (!graphics)
        return false;
    std::unique_ptr<GraphicsPath> path = BuildTextPath(graphics, spec);
    return path && PaintPath(graphics, path.get());
}

bool PathTextStrategy::PaintPath(Graphics*, GraphicsPath*) const
{
    return false;
}

bool PathTextStrategy::Measure(Graphics* graphics, const TextSpec& spec, Extent extent,
                               float* startX, float* startY, float* width, float* height) const
{
    if (!graphics || !width || !height)
        return false;
    std::unique_ptr<GraphicsPath> path = BuildTextPath(graphics, spec);
    if (!path)
        return false;
    *width = static_cast<float>(spec.x);
    *height = static_cast<float>(spec.y);
    bool measured = extent == Extent::Tight
                        ? MeasurePathTightExtent(graphics, path.get(), startX, startY, width, height)
                        : MeasurePathExtent(graphics, path.get(), startX, startY, width, height);
    if (!measured)
        return false;
    int units;
    if (!Margin(&units))
        return true;
    // The margin is converted by the horizontal resolution for both directions.
    float factor;
    if (!PixelsPerPageUnit(graphics->GetPageUnit(), graphics->GetDpiX(), &factor))
        return false;
    *width += factor * units;
    *height += factor * units;
    return true;
}

void PathTextStrategy::Stroke(Graphics* graphics, GraphicsPath* path, const Color& colour,
                              int width, bool roundJoin)
{
    Pen pen(colour, static_cast<REAL>(width));
    if (roundJoin)
        pen.SetLineJoin(LineJoinRound);
    graphics->DrawPath(&pen, path);
}

bool TextFill::Paint(Graphics* graphics, GraphicsPath* path) const
{
    if (useColour) {
        SolidBrush solid(colour);
        return graphics->FillPath(&solid, path) == Ok;
    }
    return brush && graphics->FillPath(brush, path) == Ok;
}

} // namespace TextDesigner
