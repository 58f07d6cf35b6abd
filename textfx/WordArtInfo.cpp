#include "WordArtInfo.h"

#include "IOutlineText.h"

using namespace Gdiplus;

namespace {

// Stores the value and marks the record changed only when the value differs.
template <typename T>
void Change(T& field, const T& value, bool& changed)
{
    if (!(field == value)) {
        field = value;
        changed = true;
    }
}

void Change(Color& field, const Color& value, bool& changed)
{
    if (field.GetValue() != value.GetValue()) {
        field = value;
        changed = true;
    }
}

// Floats differ unless they compare equal, so a NaN always counts as a change.
void Change(float& field, float value, bool& changed)
{
    if (!(field == value)) {
        field = value;
        changed = true;
    }
}

Color WithAlpha(const Color& colour, BYTE alpha)
{
    return Color(alpha, colour.GetR(), colour.GetG(), colour.GetB());
}

} // namespace

CWordArtInfo::CWordArtInfo() = default;

CWordArtInfo::CWordArtInfo(const CWordArtInfo& other) = default;

CWordArtInfo::~CWordArtInfo() = default;

CWordArtInfo& CWordArtInfo::Copy(const CWordArtInfo& other)
{
    // The name and the angle stay the target's: a preset applied to a text keeps the text's own
    // angle. They are this class's own members, so the fields below are everything else.
    static_cast<WordArtFields&>(*this) = other;
    return *this;
}

CString ConvertTextEscapes(const CString& text)
{
    CString result;
    int length = text.GetLength();
    for (int i = 0; i < length; ++i) {
        wchar_t ch = text[i];
        if (ch == L'\\' && i + 2 < length) {
            wchar_t next = text[i + 1];
            wchar_t escaped = next == L'n' ? L'\n' : next == L'r' ? L'\r' : next == L't' ? L'\t' : 0;
            if (escaped) {
                result += escaped;
                ++i;
                continue;
            }
        }
        result += ch;
    }
    return result;
}

void CWordArtInfo::SetText(const CString& text)
{
    m_strText = ConvertTextEscapes(text);
    m_bChanged = true;
}

CString CWordArtInfo::ConvBackSlashToForwardSlash(const CString& text)
{
    CString result = text;
    result.Replace(L'\\', L'/');
    return result;
}

void CWordArtInfo::SetTextAngle(int degrees)
{
    m_nTextAngle = degrees * 10;
    m_bChanged = true;
}

void CWordArtInfo::SetLogFont(LOGFONTW* logFont)
{
    if (logFont)
        m_LogFont = *logFont;
    m_bChanged = true;
}

void CWordArtInfo::SetBkgdColor(Color colour)
{
    m_clrBkgd = colour;
    m_bChanged = true;
}

void CWordArtInfo::SetTextColor1(Color colour) { Change(m_clrText1, colour, m_bChanged); }
void CWordArtInfo::SetTextColor2(Color colour) { Change(m_clrText2, colour, m_bChanged); }
void CWordArtInfo::SetOutlineColor1(Color colour) { Change(m_clrOutline1, colour, m_bChanged); }
void CWordArtInfo::SetOutlineColor2(Color colour) { Change(m_clrOutline2, colour, m_bChanged); }
void CWordArtInfo::SetTextEffect(TextEffect effect) { Change(m_TextEffect, effect, m_bChanged); }
void CWordArtInfo::SetTextPath(TextPath path) { Change(m_TextPath, path, m_bChanged); }
void CWordArtInfo::SetOutlineAlpha1(unsigned char alpha) { Change(m_nOutlineAlpha1, alpha, m_bChanged); }
void CWordArtInfo::SetOutlineAlpha2(unsigned char alpha) { Change(m_nOutlineAlpha2, alpha, m_bChanged); }
void CWordArtInfo::SetOutlineThickness1(int thickness) { Change(m_nOutlineThickness1, thickness, m_bChanged); }
void CWordArtInfo::SetOutlineThickness2(int thickness) { Change(m_nOutlineThickness2, thickness, m_bChanged); }
void CWordArtInfo::SetTextPosX(int x) { Change(m_nTextPosX, x, m_bChanged); }
void CWordArtInfo::SetTextPosY(int y) { Change(m_nTextPosY, y, m_bChanged); }
void CWordArtInfo::SetFontSize(int size) { Change(m_nFontSize, size, m_bChanged); }
void CWordArtInfo::SetEnableShadow(bool enable) { Change(m_bEnableShadow, enable, m_bChanged); }
void CWordArtInfo::SetShadowAlpha(int alpha) { Change(m_nShadowAlpha, alpha, m_bChanged); }
void CWordArtInfo::SetShadowOffsetX(int x) { Change(m_nShadowOffsetX, x, m_bChanged); }
void CWordArtInfo::SetShadowOffsetY(int y) { Change(m_nShadowOffsetY, y, m_bChanged); }
void CWordArtInfo::SetShadowColor(Color colour) { Change(m_clrShadow, colour, m_bChanged); }
void CWordArtInfo::SetShadowThickness(int thickness) { Change(m_nShadowThickness, thickness, m_bChanged); }
void CWordArtInfo::EnablePngRendering(bool enable) { Change(m_bPngRendering, enable, m_bChanged); }
void CWordArtInfo::EnableTextGradient(bool enable) { Change(m_bTextGradient, enable, m_bChanged); }
void CWordArtInfo::SetDiffusedShadow(bool diffused) { Change(m_bDiffusedShadow, diffused, m_bChanged); }
void CWordArtInfo::SetExtrudedText(bool extruded) { Change(m_bExtrudedText, extruded, m_bChanged); }
void CWordArtInfo::EnableReflection(bool enable) { Change(m_bReflection, enable, m_bChanged); }
void CWordArtInfo::SetBegAlpha(float alpha) { Change(m_fBegAlpha, alpha, m_bChanged); }
void CWordArtInfo::SetEndAlpha(float alpha) { Change(m_fEndAlpha, alpha, m_bChanged); }
void CWordArtInfo::SetShown(float shown) { Change(m_fShown, shown, m_bChanged); }
void CWordArtInfo::SetGap(int gap) { Change(m_nGap, gap, m_bChanged); }

bool CWordArtInfo::SetTextEffect(TextDesigner::IOutlineText* engine, Brush* brush)
{
    return InstallTextEffect(*this, engine, brush);
}

bool InstallTextEffect(const CWordArtInfo& info, TextDesigner::IOutlineText* engine, Brush* brush)
{
    if (!engine)
        return false;
    // The text is always drawn opaque; the outlines carry their own alphas.
    Color text = WithAlpha(info.m_clrText1, 255);
    Color outline1 = WithAlpha(info.m_clrOutline1, info.m_nOutlineAlpha1);
    Color outline2 = WithAlpha(info.m_clrOutline2, info.m_nOutlineAlpha2);
    int t1 = info.m_nOutlineThickness1;
    int t2 = info.m_nOutlineThickness2;
    switch (info.m_TextEffect) {
    case TE_GLOW:
        brush ? engine->TextGlow(brush, outline1, t1) : engine->TextGlow(text, outline1, t1);
        break;
    case TE_OUTLINE:
        brush ? engine->TextOutline(brush, outline1, t1) : engine->TextOutline(text, outline1, t1);
        break;
    case TE_DBL_OUTLINE:
        brush ? engine->TextDblOutline(brush, outline1, outline2, t1, t2)
              : engine->TextDblOutline(text, outline1, outline2, t1, t2);
        break;
    case TE_GRAD_OUTLINE:
        brush ? engine->TextGradOutline(brush, outline1, outline2, t1 + t2)
              : engine->TextGradOutline(text, outline1, outline2, t1 + t2);
        break;
    case TE_NO_OUTLINE:
        brush ? engine->TextNoOutline(brush) : engine->TextNoOutline(text);
        break;
    case TE_ONLY_OUTLINE:
        engine->TextOnlyOutline(outline1, t1, false);
        break;
    case TE_DBL_GLOW:
        brush ? engine->TextDblGlow(brush, outline1, outline2, t1, t2)
              : engine->TextDblGlow(text, outline1, outline2, t1, t2);
        break;
    default:
        break;
    }
    return true;
}
