#pragma once
// The common body of the nine strategies: every drawing and measuring form builds the text's
// path the same way; a strategy adds how it strokes and fills the path and its measuring margin.
#include "ITextStrategy.h"

namespace TextDesigner {

// How a strategy fills the text: a solid colour, or a brush that stays its creator's.
struct ZVUILIB_API TextFill {
    Gdiplus::Color colour{0xFF000000};
    Gdiplus::Brush* brush = nullptr;
    bool useColour = true;

    void Set(const Gdiplus::Color& c) { colour = c; useColour = true; }
    void Set(Gdiplus::Brush* b) { brush = b; useColour = false; }
    bool Paint(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path) const;
};

class ZVUILIB_API PathTextStrategy : public ITextStrategy {
public:
    bool DrawString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                    int fontSize, const wchar_t* text, int x, int y, int width, int height,
                    const Gdiplus::StringFormat* format) override;
    bool DrawString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                    int fontSize, const wchar_t* text, int x, int y,
                    const Gdiplus::StringFormat* format) override;
    bool GdiDrawString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text, int x,
                       int y, int width, int height) override;
    bool GdiDrawString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text, int x,
                       int y) override;
    bool MeasureString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                       int fontSize, const wchar_t* text, int x, int y, int width, int height,
                       const Gdiplus::StringFormat* format, float* startX, float* startY,
                       float* destWidth, float* destHeight) override;
    bool MeasureString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                       int fontSize, const wchar_t* text, int x, int y,
                       const Gdiplus::StringFormat* format, float* startX, float* startY,
                       float* destWidth, float* destHeight) override;
    bool GdiMeasureString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                          int x, int y, int width, int height, float* startX, float* startY,
                          float* destWidth, float* destHeight) override;
    bool GdiMeasureString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                          int x, int y, float* startX, float* startY, float* destWidth,
                          float* destHeight) override;
    bool GdiMeasureStringTight(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                               const wchar_t* text, int x, int y, int width, int height,
                               float* startX, float* startY, float* destWidth,
                               float* destHeight) override;
    bool GdiMeasureStringTight(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                               const wchar_t* text, int x, int y, float* startX, float* startY,
                               float* destWidth, float* destHeight) override;

protected:
    // Draws the text; by default builds its path once and hands it to PaintPath.
    virtual bool Paint(Gdiplus::Graphics* graphics, const TextSpec& spec) const;
    virtual bool PaintPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path) const;
    // The measuring margin in page units; false when the bare path extent is the measure.
    virtual bool Margin(int* units) const = 0;

    // A solid pen of the colour and width; rounded joins unless told otherwise.
    static void Stroke(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path,
                       const Gdiplus::Color& colour, int width, bool roundJoin = true);

private:
    bool Measure(Gdiplus::Graphics* graphics, const TextSpec& spec, Extent extent, float* startX,
                 float* startY, float* width, float* height) const;
};

} // namespace TextDesigner
