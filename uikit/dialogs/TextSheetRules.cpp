#include "TextSheetRules.h"
#include <cstdio>
#include <cwchar>

namespace textsheet {

CString FormatPointSize(double points)
{
    CString text;
    text.Format(L"%.2f", points);
    const int cut = text.Find(L".00", 1);
    if (cut > 0)
        text = text.Left(cut);
    return text;
}

int PointsFromHeight(float size, int dpi)
{
    return ::MulDiv(72, static_cast<int>(size * -100), dpi * 100);
}

LONG HeightFromPoints(double points, int dpi)
{
    return static_cast<LONG>(dpi * points / -72);
}

double ParsePointSize(const wchar_t* text)
{
    double value = 0;
    if (!text || swscanf(text, L"%lf", &value) != 1)
        return 0;
    return value;
}

unsigned char AlphaFromPercent(int percent)
{
    // percent * 2.55 + 0.5 in whole numbers: 2.55 has no exact double, and 50 % must give 128.
    percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    return static_cast<unsigned char>((percent * 255 + 50) / 100);
}

int PercentFromAlpha(int alpha)
{
    // alpha / 2.55 + 0.5 in whole numbers.
    return (alpha * 200 + 255) / 510;
}

namespace {
// Effect kind of each combo index 0 to 6.
const TextEffect kComboEffects[] = {TE_OUTLINE, TE_DBL_OUTLINE, TE_GLOW, TE_GRAD_OUTLINE,
                                    TE_ONLY_OUTLINE, TE_NO_OUTLINE, TE_DBL_GLOW};
} // namespace

int EffectComboIndex(TextEffect effect)
{
    for (int i = 0; i < static_cast<int>(sizeof(kComboEffects) / sizeof(kComboEffects[0])); ++i)
        if (kComboEffects[i] == effect)
            return i;
    return -1;
}

TextEffect EffectFromComboIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(sizeof(kComboEffects) / sizeof(kComboEffects[0])))
        return TE_OUTLINE;
    return kComboEffects[index];
}

bool SecondOutlineEnabled(TextEffect effect)
{
    return effect == TE_DBL_OUTLINE || effect == TE_GRAD_OUTLINE || effect == TE_DBL_GLOW;
}

CString InsertTag(const CString& text, const CString& placeholder, const wchar_t* tag)
{
    if (text == placeholder)
        return CString(tag);
    return text + tag;
}

COLORREF ButtonColor(Gdiplus::Color colour)
{
    return RGB(colour.GetR(), colour.GetG(), colour.GetB());
}

Gdiplus::Color RecordColor(COLORREF colour)
{
    return Gdiplus::Color(255, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

void ApplyPreset(CWordArtInfo& record, const CWordArtInfo& preset)
{
    const CString text = record.m_strText;
    const int x = record.m_nTextPosX, y = record.m_nTextPosY;
    const LOGFONTW font = record.m_LogFont;
    const int size = record.m_nFontSize;
    const float width = record.m_fWidth, height = record.m_fHeight;
    record.Copy(preset);   // name and angle stay by Copy's own rule
    record.m_strText = text;
    record.m_nTextPosX = x;
    record.m_nTextPosY = y;
    record.m_LogFont = font;
    record.m_nFontSize = size;
    record.m_fWidth = width;
    record.m_fHeight = height;
    record.m_bChanged = true;
}

RECT FitThumbnail(int width, int height)
{
    int w = width, h = height;
    if (width <= 0 || height <= 0) {
        w = h = 0;
    } else if (width > kThumbWidth || height > kThumbHeight) {
        const double aspect = static_cast<double>(height) / width;
        if (aspect > static_cast<double>(kThumbHeight) / kThumbWidth) {
            h = kThumbHeight;
            w = static_cast<int>(kThumbHeight / aspect);
        } else {
            w = kThumbWidth;
            h = static_cast<int>(kThumbWidth * aspect);
        }
    }
    const int left = (kThumbWidth - w) / 2, top = (kThumbHeight - h) / 2;
    return RECT{left, top, left + w, top + h};
}

} // namespace textsheet
