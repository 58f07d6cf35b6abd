#pragma once
// CWordArtInfo: the settings of one piece of effect text (text, font, colours and gradient,
// outlines, shadow, reflection, effect kind) and its renderer.
#include <windows.h>
#include <gdiplus.h>
#include <cstdint>
#include "Rect.h"
#include "StringW.h"
#include "ZVUILibDef.h"

class CDC;
class CZVImage;
namespace TextDesigner {
class IOutlineText;
}

// Which strategy draws the text; the stored values are those of saved projects and presets.
enum TextEffect : int32_t {
    TE_GLOW = 0,
    TE_OUTLINE = 1,
    TE_DBL_OUTLINE = 2,
    TE_GRAD_OUTLINE = 3,
    TE_NO_OUTLINE = 4,
    TE_ONLY_OUTLINE = 5,
    TE_DBL_GLOW = 6,
};

// 0: drawn from a GDI+ font family, style and size; any other value: from the GDI font
// description, which honours the text angle.
enum TextPath : int32_t {
    TP_GDIPLUS = 0,
    TP_GDI = 1,
};

// The fields of a word-art record that a copy takes, all values: CWordArtInfo::Copy assigns
// them as a whole, so that a field added here is copied without another line.
struct WordArtFields {
    Gdiplus::Color m_clrBkgd = Gdiplus::Color(0xFFFFFFFF);     // only red, green and blue are used
    Gdiplus::Color m_clrText1 = Gdiplus::Color(0xFFFFFFFF);    // fill, and the top of the gradient; drawn opaque
    Gdiplus::Color m_clrText2 = Gdiplus::Color(0xFF808080);    // bottom of the gradient
    Gdiplus::Color m_clrOutline1 = Gdiplus::Color(0xFF000000); // alpha from m_nOutlineAlpha1
    Gdiplus::Color m_clrOutline2 = Gdiplus::Color(0xFFFFFFFF); // alpha from m_nOutlineAlpha2
    TextEffect m_TextEffect = TE_OUTLINE;
    TextPath m_TextPath = TP_GDIPLUS;
    CString m_strText;
    bool m_bRender = true;
    unsigned char m_nOutlineAlpha1 = 255;
    unsigned char m_nOutlineAlpha2 = 255;
    int m_nOutlineThickness1 = 4;
    int m_nOutlineThickness2 = 4;
    int m_nTextPosX = 10;           // recomputed by every rendering into a picture
    int m_nTextPosY = 10;
    LOGFONTW m_LogFont = {};
    int m_nFontSize = 10;           // points; recomputed from the font height at every drawing
    int m_nShadowOffsetX = 4;
    int m_nShadowOffsetY = 4;
    int m_nShadowAlpha = 128;
    bool m_bEnableShadow = false;
    Gdiplus::Color m_clrShadow = Gdiplus::Color(0xFF808080);   // alpha from m_nShadowAlpha
    int m_nShadowThickness = 4;
    bool m_bPngRendering = true;
    bool m_bTextGradient = false;
    bool m_bChanged = true;         // set by construction and by every setter but Render
    bool m_bSpare = false;
    bool m_bDiffusedShadow = false;
    bool m_bExtrudedText = false;   // takes precedence over the diffused shadow
    float m_fBegAlpha = 0.4f;
    float m_fEndAlpha = 0.01f;
    float m_fShown = 0.7f;
    int m_nGap = 0;
    bool m_bReflection = false;
    float m_fWidth = 0;             // as last measured by DrawEffectText(CDC*)
    float m_fHeight = 0;
};

class ZVUILIB_API CWordArtInfo : public WordArtFields {
public:
    CWordArtInfo();
    CWordArtInfo(const CWordArtInfo& other);
    ~CWordArtInfo();
    // Every field but the second text (the name) and the text angle: those of WordArtFields.
    CWordArtInfo& Copy(const CWordArtInfo& other);
    CWordArtInfo& operator=(const CWordArtInfo& other) { return Copy(other); }

    // Rendering.
    void DrawEffectText(CZVImage* picture);
    void DrawEffectText(CDC* dc);
    CSize GetTextSize(CDC* dc, CString text);

    CString GetText() const { return m_strText; }
    // "\n", "\r" and "\t" become line feed, carriage return and tab.
    void SetText(const CString& text);
    static CString ConvBackSlashToForwardSlash(const CString& text);
    void Render(bool render) { m_bRender = render; }

    // Tenths of a degree are stored; whole degrees are set.
    int GetTextAngle() const { return m_nTextAngle; }
    void SetTextAngle(int degrees);
    LOGFONTW* GetLogFont() { return &m_LogFont; }
    void SetLogFont(LOGFONTW* logFont);

    Gdiplus::Color GetBkgdColor() const { return m_clrBkgd; }
    void SetBkgdColor(Gdiplus::Color colour);
    Gdiplus::Color GetTextColor1() const { return m_clrText1; }
    void SetTextColor1(Gdiplus::Color colour);
    Gdiplus::Color GetTextColor2() const { return m_clrText2; }
    void SetTextColor2(Gdiplus::Color colour);
    Gdiplus::Color GetOutlineColor1() const { return m_clrOutline1; }
    void SetOutlineColor1(Gdiplus::Color colour);
    Gdiplus::Color GetOutlineColor2() const { return m_clrOutline2; }
    void SetOutlineColor2(Gdiplus::Color colour);
    TextEffect GetTextEffect() const { return m_TextEffect; }
    void SetTextEffect(TextEffect effect);
    TextPath GetTextPath() const { return m_TextPath; }
    void SetTextPath(TextPath path);
    unsigned char GetOutlineAlpha1() const { return m_nOutlineAlpha1; }
    void SetOutlineAlpha1(unsigned char alpha);
    unsigned char GetOutlineAlpha2() const { return m_nOutlineAlpha2; }
    void SetOutlineAlpha2(unsigned char alpha);
    int GetOutlineThickness1() const { return m_nOutlineThickness1; }
    void SetOutlineThickness1(int thickness);
    int GetOutlineThickness2() const { return m_nOutlineThickness2; }
    void SetOutlineThickness2(int thickness);
    int GetTextPosX() const { return m_nTextPosX; }
    void SetTextPosX(int x);
    int GetTextPosY() const { return m_nTextPosY; }
    void SetTextPosY(int y);
    int GetFontSize() const { return m_nFontSize; }
    void SetFontSize(int size);
    bool GetEnableShadow() const { return m_bEnableShadow; }
    void SetEnableShadow(bool enable);
    int GetShadowAlpha() const { return m_nShadowAlpha; }
    void SetShadowAlpha(int alpha);
    int GetShadowOffsetX() const { return m_nShadowOffsetX; }
    void SetShadowOffsetX(int x);
    int GetShadowOffsetY() const { return m_nShadowOffsetY; }
    void SetShadowOffsetY(int y);
    Gdiplus::Color GetShadowColor() const { return m_clrShadow; }
    void SetShadowColor(Gdiplus::Color colour);
    int GetShadowThickness() const { return m_nShadowThickness; }
    void SetShadowThickness(int thickness);
    bool IsEnablePngRendering() const { return m_bPngRendering; }
    void EnablePngRendering(bool enable);
    bool IsEnableTextGradient() const { return m_bTextGradient; }
    void EnableTextGradient(bool enable);
    bool GetDiffusedShadow() const { return m_bDiffusedShadow; }
    void SetDiffusedShadow(bool diffused);
    bool GetExtrudedText() const { return m_bExtrudedText; }
    void SetExtrudedText(bool extruded);
    bool IsEnableReflection() const { return m_bReflection; }
    void EnableReflection(bool enable);
    float GetBegAlpha() const { return m_fBegAlpha; }
    void SetBegAlpha(float alpha);
    float GetEndAlpha() const { return m_fEndAlpha; }
    void SetEndAlpha(float alpha);
    float GetShown() const { return m_fShown; }
    void SetShown(float shown);
    int GetGap() const { return m_nGap; }
    void SetGap(int gap);

    CString m_strName;              // the preset's name; no rendering reads it
    int m_nTextAngle = 0;           // tenths of a degree

private:
    bool SetTextEffect(TextDesigner::IOutlineText* engine, Gdiplus::Brush* brush);
};

// Installs on the engine the strategy of the record's effect kind, with the record's colours
// and thicknesses; the brush, when given, fills the text and stays the caller's. False only
// without an engine; an unknown kind installs nothing.
ZVUILIB_API bool InstallTextEffect(const CWordArtInfo& info, TextDesigner::IOutlineText* engine,
                                   Gdiplus::Brush* brush);
// "\n", "\r" and "\t" pairs replaced; a pair at the very end stays as typed.
ZVUILIB_API CString ConvertTextEscapes(const CString& text);

// The point size of a font height (logical units, negative for the character height) on a
// device of the vertical resolution, rounded as the renderer always has: -24 at 96 dpi is 17.
ZVUILIB_API int WordArtFontSize(LONG height, int dpiY);
// How far the effect kind's strokes reach beyond the letters, counted on both sides.
ZVUILIB_API int WordArtTextMargin(const CWordArtInfo& info);
// The room left of and above the text in a rendered picture: half the widest stroke of the
// outline kinds (or of the shadow when that is wider), none for the other kinds.
ZVUILIB_API int WordArtTextOffset(const CWordArtInfo& info);
// The picture size for a text of the GDI+ font form measured w by h: a multiple of 4 wider
// than the text, plus 4; 4 taller.
ZVUILIB_API SIZE WordArtPictureSize(float w, float h);
