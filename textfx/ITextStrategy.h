#pragma once
// A text strategy draws one kind of effect text (or shadow body) as a stroked and filled GDI+
// path, and measures how far that drawing reaches.
#include <memory>
#include "GdiplusSupport.h"

namespace TextDesigner {

class ZVUILIB_API ITextStrategy {
public:
    virtual ~ITextStrategy() = default;
    virtual std::unique_ptr<ITextStrategy> Clone() const = 0;

    virtual bool DrawString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                            int fontSize, const wchar_t* text, int x, int y, int width, int height,
                            const Gdiplus::StringFormat* format) = 0;
    virtual bool DrawString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                            int fontSize, const wchar_t* text, int x, int y,
                            const Gdiplus::StringFormat* format) = 0;
    virtual bool GdiDrawString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                               int x, int y, int width, int height) = 0;
    virtual bool GdiDrawString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                               int x, int y) = 0;

    virtual bool MeasureString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family,
                               int fontStyle, int fontSize, const wchar_t* text, int x, int y,
                               int width, int height, const Gdiplus::StringFormat* format,
                               float* startX, float* startY, float* destWidth,
                               float* destHeight) = 0;
    virtual bool MeasureString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family,
                               int fontStyle, int fontSize, const wchar_t* text, int x, int y,
                               const Gdiplus::StringFormat* format, float* startX, float* startY,
                               float* destWidth, float* destHeight) = 0;
    virtual bool GdiMeasureString(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                                  const wchar_t* text, int x, int y, int width, int height,
                                  float* startX, float* startY, float* destWidth,
                                  float* destHeight) = 0;
    virtual bool GdiMeasureString(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                                  const wchar_t* text, int x, int y, float* startX, float* startY,
                                  float* destWidth, float* destHeight) = 0;
    virtual bool GdiMeasureStringTight(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                                       const wchar_t* text, int x, int y, int width, int height,
                                       float* startX, float* startY, float* destWidth,
                                       float* destHeight) = 0;
    virtual bool GdiMeasureStringTight(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                                       const wchar_t* text, int x, int y, float* startX,
                                       float* startY, float* destWidth, float* destHeight) = 0;
};

// The strategies whose measuring margin is their single thickness.
class ZVUILIB_API TextImplGetHeight {
protected:
    int m_thickness = 2;
};

// One text call as the engines and strategies receive it: the font (a GDI+ family, style and
// size, or a GDI font description) and the place (a point, or a layout rectangle).
struct ZVUILIB_API TextSpec {
    const wchar_t* text = nullptr;
    Gdiplus::FontFamily* family = nullptr;
    int fontStyle = 0;
    int fontSize = 0;
    const Gdiplus::StringFormat* format = nullptr;
    LOGFONTW* logFont = nullptr; // set: the GDI font form
    int x = 0, y = 0, width = 0, height = 0;
    bool rectangle = false;

    static TextSpec FromFont(Gdiplus::FontFamily* family, int fontStyle, int fontSize,
                            const wchar_t* text, const Gdiplus::StringFormat* format);
    static TextSpec FromLogFont(LOGFONTW* logFont, const wchar_t* text);
    TextSpec At(int x, int y) const;
    TextSpec In(int x, int y, int width, int height) const;
    TextSpec Shifted(int dx, int dy) const;
};

enum class Extent { Path, Tight };

// The text as a path; null when it cannot be built.
ZVUILIB_API std::unique_ptr<Gdiplus::GraphicsPath> BuildTextPath(Gdiplus::Graphics* graphics,
                                                                 const TextSpec& spec);
// Calls the strategy operation of the caller's form (GDI+ or GDI font, point or rectangle).
ZVUILIB_API bool DrawSpec(ITextStrategy* strategy, Gdiplus::Graphics* graphics,
                          const TextSpec& spec);
// Tight measuring exists for the GDI font form only; the GDI+ form measures the path extent.
ZVUILIB_API bool MeasureSpec(ITextStrategy* strategy, Gdiplus::Graphics* graphics,
                             const TextSpec& spec, Extent extent, float* startX, float* startY,
                             float* width, float* height);

} // namespace TextDesigner
