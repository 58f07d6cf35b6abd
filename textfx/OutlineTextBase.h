#pragma once
// What the two outline-text engines share: the text strategy chosen by the effect setters,
// the shadow's strategy, offset, colour and background, the forms of drawing and measuring.
#include "IOutlineText.h"
#include "ITextStrategy.h"

namespace TextDesigner {

class ZVUILIB_API OutlineTextBase : public IOutlineText {
public:
    OutlineTextBase() = default;
    OutlineTextBase(const OutlineTextBase&) = delete;
    OutlineTextBase& operator=(const OutlineTextBase&) = delete;

    void TextGlow(Gdiplus::Brush* brush, Gdiplus::Color glowColour, int thickness) override;
    void TextGlow(Gdiplus::Color textColour, Gdiplus::Color glowColour, int thickness) override;
    void TextOutline(Gdiplus::Brush* brush, Gdiplus::Color outlineColour, int thickness) override;
    void TextOutline(Gdiplus::Color textColour, Gdiplus::Color outlineColour,
                     int thickness) override;
    void TextDblOutline(Gdiplus::Brush* brush, Gdiplus::Color outlineColour1,
                        Gdiplus::Color outlineColour2, int thickness1, int thickness2) override;
    void TextDblOutline(Gdiplus::Color textColour, Gdiplus::Color outlineColour1,
                        Gdiplus::Color outlineColour2, int thickness1, int thickness2) override;
    void TextDblGlow(Gdiplus::Brush* brush, Gdiplus::Color glowColour1, Gdiplus::Color glowColour2,
                     int thickness1, int thickness2) override;
    void TextDblGlow(Gdiplus::Color textColour, Gdiplus::Color glowColour1,
                     Gdiplus::Color glowColour2, int thickness1, int thickness2) override;
    void TextGradOutline(Gdiplus::Brush* brush, Gdiplus::Color outlineColour1,
                         Gdiplus::Color outlineColour2, int thickness) override;
    void TextGradOutline(Gdiplus::Color textColour, Gdiplus::Color outlineColour1,
                         Gdiplus::Color outlineColour2, int thickness) override;
    void TextNoOutline(Gdiplus::Brush* brush) override;
    void TextNoOutline(Gdiplus::Color textColour) override;
    void TextOnlyOutline(Gdiplus::Color outlineColour, int thickness, bool roundedJoin) override;
    void SetShadowBackground(Gdiplus::Color colour, int width, int height) override;
    void SetShadowBackground(Gdiplus::Bitmap* bitmap) override;
    void ClearTextEffect() override;
    void EnableShadow(bool enable) override;

    bool DrawString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                    int fontSize, const wchar_t* text, Gdiplus::Rect layout,
                    const Gdiplus::StringFormat* format) override;
    bool DrawString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                    int fontSize, const wchar_t* text, Gdiplus::Point at,
                    const Gdiplus::StringFormat* format) override;
    bool GdiDrawString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                       Gdiplus::Rect layout) override;
    bool GdiDrawString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                       Gdiplus::Point at) override;
    bool MeasureString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                       int fontSize, const wchar_t* text, Gdiplus::Rect layout,
                       const Gdiplus::StringFormat* format, float* startX, float* startY,
                       float* width, float* height) override;
    bool MeasureString(Gdiplus::Graphics* graphics, Gdiplus::FontFamily* family, int fontStyle,
                       int fontSize, const wchar_t* text, Gdiplus::Point at,
                       const Gdiplus::StringFormat* format, float* startX, float* startY,
                       float* width, float* height) override;
    bool GdiMeasureString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                          Gdiplus::Rect layout, float* startX, float* startY, float* width,
                          float* height) override;
    bool GdiMeasureString(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                          Gdiplus::Point at, float* startX, float* startY, float* width,
                          float* height) override;
    bool GdiMeasureStringTight(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                               Gdiplus::Rect layout, float* startX, float* startY, float* width,
                               float* height) override;
    bool GdiMeasureStringTight(Gdiplus::Graphics* graphics, LOGFONTW* logFont, const wchar_t* text,
                               Gdiplus::Point at, float* startX, float* startY, float* width,
                               float* height) override;

protected:
    // The drawing sequence of the engine, shared by the four drawing forms.
    virtual bool Draw(Gdiplus::Graphics* graphics, const TextSpec& spec) = 0;

    void SetTextStrategy(std::unique_ptr<ITextStrategy> strategy);
    void SetShadowPlacement(Gdiplus::Color colour, int offsetX, int offsetY);

    std::unique_ptr<ITextStrategy> m_pTextStrategy;
    std::unique_ptr<ITextStrategy> m_pShadowStrategy;
    int m_nShadowOffsetX = 0;
    int m_nShadowOffsetY = 0;
    Gdiplus::Color m_clrShadow{0xFF000000};
    std::unique_ptr<Gdiplus::Bitmap> m_pShadowBkgd;
    bool m_bEnableShadow = false;

private:
    bool Measure(Gdiplus::Graphics* graphics, const TextSpec& spec, Extent extent, float* startX,
                 float* startY, float* width, float* height);
};

// The width or height that holds both the text and its shadow, from the text's extent, the
// shadow's extent and the shadow's offset, all measured from the drawing origin.
ZVUILIB_API float TextAndShadowExtent(float text, float shadow, float offset);

} // namespace TextDesigner
