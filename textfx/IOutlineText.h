#pragma once
// One line of effect text with an optional shadow: the interface of the two outline-text
// engines (straight into a Graphics, or into a bitmap with transparency).
#include "GdiplusSupport.h"

namespace TextDesigner {

class ZVUILIB_API IOutlineText {
public:
    virtual void TextGlow(Gdiplus::Brush* brush, Gdiplus::Color glowColour, int thickness) = 0;
    virtual void TextGlow(Gdiplus::Color textColour, Gdiplus::Color glowColour, int thickness) = 0;
    virtual void TextOutline(Gdiplus::Brush* brush, Gdiplus::Color outlineColour,
                             int thickness) = 0;
    virtual void TextOutline(Gdiplus::Color textColour, Gdiplus::Color outlineColour,
                             int thickness) = 0;
    virtual void TextDblOutline(Gdiplus::Brush* brush, Gdiplus::Color outlineColour1,
                                Gdiplus::Color outlineColour2, int thickness1, int thickness2) = 0;
    virtual void TextDblOutline(Gdiplus::Color textColour, Gdiplus::Color outlineColour1,
                                Gdiplus::Color outlineColour2, int thickness1, int thickness2) = 0;
    virtual void TextDblGlow(Gdiplus::Brush* brush, Gdiplus::Color glowColour1,
                             Gdiplus::Color glowColour2, int thickness1, int thickness2) = 0;
    virtual void TextDblGlow(Gdiplus::Color textColour, Gdiplus::Color glowColour1,
                             Gdiplus::Color glowColour2, int thickness1, int thickness2) = 0;
    virtual void TextGradOutline(Gdiplus::Brush* brush, Gdiplus::Color outlineColour1,
                                 Gdiplus::Color outlineColour2, int thickness) = 0;
    virtual void TextGradOutline(Gdiplus::Color textColour, Gdiplus::Color outlineColour1,
                                 Gdiplus::Color outlineColour2, int thickness) = 0;
    virtual void TextNoOutline(Gdiplus::Brush* brush) = 0;
    virtual void TextNoOutline(Gdiplus::Color textColour) = 0;
    virtual void TextOnlyOutline(Gdiplus::Color outlineColour, int thickness, bool roundedJoin) = 0;
    virtual void SetShadowBackground(Gdiplus::Color colour, int width, int height) = 0;
    virtual void SetShadowBackground(Gdiplus::Bitmap* bitmap) = 0;
    virtual void ClearTextEffect() = 0;
    virtual void ClearShadow() = 0;
    virtual void EnableShadow(bool enable) = 0;
    virtual void Shadow(Gdiplus::Color colour, int thickness, Gdiplus::Point offset) = 0;

    virtual bool DrawString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                            int fontSize, const wchar_t* text, Gdiplus::Rect layout,
                            const Gdiplus::StringFormat* format) = 0;
    virtual bool DrawString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                            int fontSize, const wchar_t* text, Gdiplus::Point at,
                            const Gdiplus::StringFormat* format) = 0;
    virtual bool GdiDrawString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                               Gdiplus::Rect layout) = 0;
    virtual bool GdiDrawString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                               Gdiplus::Point at) = 0;
    virtual bool MeasureString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family,
                               int fontStyle, int fontSize, const wchar_t* text,
                               Gdiplus::Rect layout, const Gdiplus::StringFormat* format,
                               float* startX, float* startY, float* width, float* height) = 0;
    virtual bool MeasureString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family,
                               int fontStyle, int fontSize, const wchar_t* text, Gdiplus::Point at,
                               const Gdiplus::StringFormat* format, float* startX, float* startY,
                               float* width, float* height) = 0;
    virtual bool GdiMeasureString(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                                  const wchar_t* text, Gdiplus::Rect layout, float* startX,
                                  float* startY, float* width, float* height) = 0;
    virtual bool GdiMeasureString(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                                  const wchar_t* text, Gdiplus::Point at, float* startX,
                                  float* startY, float* width, float* height) = 0;
    virtual bool GdiMeasureStringTight(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                                       const wchar_t* text, Gdiplus::Rect layout, float* startX,
                                       float* startY, float* width, float* height) = 0;
    virtual bool GdiMeasureStringTight(Gdiplus::Graphics* graphics, LOGFONTW* logFont,
                                       const wchar_t* text, Gdiplus::Point at, float* startX,
                                       float* startY, float* width, float* height) = 0;
    virtual ~IOutlineText() = default;
};

} // namespace TextDesigner
