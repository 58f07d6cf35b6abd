// CWordArtInfo's renderers: into a picture through the bitmap engine, onto a device context
// through the direct engine, and the measurement of a text.
#include "WordArtInfo.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include "DC.h"
#include "OutlineText.h"
#include "PngOutlineText.h"
#include "TextPixels.h"
#include "TextTag.h"
#include "Win32Owners.h"
#include "ZVImage.h"

using namespace Gdiplus;
using namespace TextDesigner;

namespace {

// The font of the GDI+ forms; a face this machine lacks falls back to the generic sans serif
// rather than drawing nothing.
class TextFont {
public:
    TextFont(const LOGFONTW& logFont, bool withUnderline) : m_family(logFont.lfFaceName)
    {
        if (m_family.GetLastStatus() != Ok)
            m_fallback.reset(FontFamily::GenericSansSerif()->Clone());
        // Bold only at exactly 700: heavier weights draw regular, as they always have.
        if (logFont.lfWeight == FW_BOLD)
            m_style |= FontStyleBold;
        if (logFont.lfItalic)
            m_style |= FontStyleItalic;
        if (withUnderline && logFont.lfUnderline)
            m_style |= FontStyleUnderline;
    }
    FontFamily* Family() { return m_fallback ? m_fallback.get() : &m_family; }
    int Style() const { return m_style; }
    const StringFormat* Format() const { return &m_format; }

private:
    FontFamily m_family;
    std::unique_ptr<FontFamily> m_fallback;
    int m_style = FontStyleRegular;
    StringFormat m_format;
};

template <typename Engine>
void ApplyShadow(const CWordArtInfo& info, Engine& engine)
{
    engine.EnableShadow(info.m_bEnableShadow);
    if (!info.m_bEnableShadow)
        return;
    engine.ClearShadow();
    BYTE alpha = static_cast<BYTE>(std::clamp(info.m_nShadowAlpha, 0, 255));
    Color colour(alpha, info.m_clrShadow.GetR(), info.m_clrShadow.GetG(), info.m_clrShadow.GetB());
    int thickness = info.m_nShadowThickness;
    int x = info.m_nShadowOffsetX, y = info.m_nShadowOffsetY;
    if (info.m_bExtrudedText)
        engine.Extrude(colour, thickness, x, y);
    else if (info.m_bDiffusedShadow)
        engine.DiffusedShadow(colour, thickness, x, y);
    else
        engine.Shadow(colour, thickness, Point(x, y));
}

// The vertical gradient of the text's fill over its measured box; none for an empty box.
std::unique_ptr<LinearGradientBrush> GradientBrush(const CWordArtInfo& info, float startX,
                                                   float startY, float width, float height)
{
    Rect box(static_cast<int>(startX), static_cast<int>(startY),
             static_cast<int>(width - startX), static_cast<int>(height - startY));
    if (box.Width <= 0 || box.Height <= 0)
        return nullptr;
    Color top(255, info.m_clrText1.GetR(), info.m_clrText1.GetG(), info.m_clrText1.GetB());
    Color bottom(255, info.m_clrText2.GetR(), info.m_clrText2.GetG(), info.m_clrText2.GetB());
    auto brush = std::make_unique<LinearGradientBrush>(box, top, bottom, LinearGradientModeVertical);
    if (brush->GetLastStatus() != Ok)
        return nullptr;
    brush->SetWrapMode(WrapModeTile);
    return brush;
}

void PrepareGraphics(Graphics& graphics)
{
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    graphics.SetInterpolationMode(InterpolationModeHighQualityBicubic);
}

// The text bitmap with the reflection below it, after the record's gap.
std::unique_ptr<Bitmap> WithReflection(Bitmap* text, Bitmap* reflection, float shown, int gap)
{
    int width = static_cast<int>(text->GetWidth());
    int height = static_cast<int>(text->GetHeight());
    int rows = std::min(ReflectionRows(height, shown), height);
    int top = std::max(0, height + gap);
    auto both = std::make_unique<Bitmap>(width, std::max(height, top + rows), PixelFormat32bppARGB);
    if (both->GetLastStatus() != Ok)
        return nullptr;
    Graphics graphics(both.get());
    graphics.SetPageUnit(UnitPixel);
    graphics.SetInterpolationMode(InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(PixelOffsetModeHalf);
    graphics.DrawImage(reflection, Rect(0, top, width, height), 0, 0, width, height, UnitPixel);
    graphics.DrawImage(text, Rect(0, 0, width, height), 0, 0, width, height, UnitPixel);
    return both;
}

// The picture becomes the bitmap: 24-bit colour premultiplied by alpha, and an alpha plane.
void CopyIntoPicture(Bitmap* bitmap, CZVImage* picture)
{
    BitmapBits bits(bitmap, PixelFormat32bppPARGB, ImageLockModeRead);
    picture->Clear(0);
    if (!picture->Create(static_cast<DWORD>(bits.Ok() ? bits.Width() : bitmap->GetWidth()),
                         static_cast<DWORD>(bits.Ok() ? bits.Height() : bitmap->GetHeight()), 24,
                         CXIMAGE_FORMAT_PNG) ||
        !picture->AlphaCreate() || !bits.Ok())
        return;
    int width = bits.Width();
    // Rows go in top first from the first stored row, then the picture is turned over, so
    // that the bitmap's top row ends up on top of the bottom-up picture.
    for (int y = 0; y < bits.Height(); ++y) {
        const uint32_t* source = bits.Row(y);
        BYTE* row = picture->GetBits(static_cast<DWORD>(y));
        BYTE* alpha = picture->AlphaGetPointer(0, y);
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = source[x];
            row[3 * x] = static_cast<BYTE>(pixel);
            row[3 * x + 1] = static_cast<BYTE>(pixel >> 8);
            row[3 * x + 2] = static_cast<BYTE>(pixel >> 16);
            alpha[x] = static_cast<BYTE>(pixel >> 24);
        }
    }
    picture->Flip(false, true);
}

} // namespace

int WordArtFontSize(LONG height, int dpiY)
{
    if (dpiY <= 0)
        dpiY = 96;
    return -static_cast<int>(static_cast<float>(height) * 72.0f / static_cast<float>(dpiY) + 0.5f);
}

int WordArtTextMargin(const CWordArtInfo& info)
{
    // The measuring margins of the strategies that the effect kinds install.
    int t1 = info.m_nOutlineThickness1, t2 = info.m_nOutlineThickness2;
    switch (info.m_TextEffect) {
    case TE_GLOW:
    case TE_OUTLINE:
    case TE_ONLY_OUTLINE: return t1;
    case TE_DBL_OUTLINE:
    case TE_GRAD_OUTLINE:
    case TE_DBL_GLOW: return t1 + t2;
    default: return 0;
    }
}

int WordArtTextOffset(const CWordArtInfo& info)
{
    int m;
    switch (info.m_TextEffect) {
    case TE_GLOW:
    case TE_OUTLINE: m = info.m_nOutlineThickness1; break;
    case TE_DBL_OUTLINE: m = info.m_nOutlineThickness1 + info.m_nOutlineThickness2; break;
    default: return 0;
    }
    if (info.m_bEnableShadow && info.m_nShadowThickness > m)
        m = info.m_nShadowThickness;
    return m / 2;
}

SIZE WordArtPictureSize(float w, float h)
{
    return {4 * (static_cast<int>(w / 4) + 1) + 4, static_cast<int>(h + 4)};
}

void CWordArtInfo::DrawEffectText(CZVImage* picture)
{
    const win32::ScreenDc screen(GetDC(nullptr));
    const win32::MemoryDc memory(CreateCompatibleDC(screen.Get()));
    CString text = ExpandTextTags(m_strText, CTextTag::GetDate(), CTextTag::GetMonth());
    m_nFontSize = WordArtFontSize(m_LogFont.lfHeight, GetDeviceCaps(memory.Get(), LOGPIXELSY));
    m_nTextPosX = m_nTextPosY = WordArtTextOffset(*this);
    // Only the bitmap engine can give the picture anything; with it switched off the picture
    // stays as it was.
    if (!m_bRender || !m_bPngRendering || !picture)
        return;

    Graphics reference(memory.Get());
    PrepareGraphics(reference);
    reference.SetPageUnit(UnitPixel);
    PngOutlineText engine;
    SetTextEffect(&engine, nullptr);
    engine.m_bEnableReflection = m_bReflection;
    engine.m_fBegAlpha = m_fBegAlpha;
    engine.m_fEndAlpha = m_fEndAlpha;
    engine.m_fShown = m_fShown;
    ApplyShadow(*this, engine);

    TextFont font(m_LogFont, true);
    // A shadow thrown left or up moves the text right or down by as much.
    int sx = m_bEnableShadow && m_nShadowOffsetX < 0 ? -m_nShadowOffsetX : 0;
    int sy = m_bEnableShadow && m_nShadowOffsetY < 0 ? -m_nShadowOffsetY : 0;
    Point at(m_nTextPosX + sx, m_nTextPosY + sy);
    SIZE size;
    if (m_TextPath == TP_GDIPLUS) {
        float w = 0, h = 0;
        engine.MeasureString(&reference, font.Family(), font.Style(), m_nFontSize, text,
                             Point(m_nTextPosX, m_nTextPosY), font.Format(), nullptr, nullptr, &w,
                             &h);
        size = WordArtPictureSize(w, h);
    } else {
        // GDI places the text by its cell's top left corner. A turned text rises above or
        // reaches left of that corner, and an outline reaches half its width beyond the
        // letters; the drawing moves by whatever of that would fall outside the picture.
        m_LogFont.lfEscapement = m_LogFont.lfOrientation = m_nTextAngle;
        float left = 0, top = 0, w = 0, h = 0;
        engine.GdiMeasureString(&reference, &m_LogFont, text, Point(0, 0), &left, &top, &w, &h);
        int border = m_nTextAngle != 0 ? 5 : 1;
        size = {static_cast<int>(w + 2 * border), static_cast<int>(h + 2 * border)};
        int reach = WordArtTextMargin(*this) / 2;
        at = Point(sx + border + std::max(0, reach - static_cast<int>(std::floor(left))),
                   sy + border + std::max(0, reach - static_cast<int>(std::floor(top))));
    }
    if (size.cx <= 0 || size.cy <= 0)
        return;
    auto target = std::make_unique<Bitmap>(size.cx, size.cy, PixelFormat32bppARGB);
    if (target->GetLastStatus() != Ok)
        return;
    engine.SetPngImage(target.get());
    engine.SetShadowBackground(Color(255, m_clrBkgd.GetR(), m_clrBkgd.GetG(), m_clrBkgd.GetB()),
                               size.cx, size.cy);

    std::unique_ptr<LinearGradientBrush> gradient;
    if (m_bChanged) {
        if (m_bTextGradient) {
            // Measured where the text is drawn, so that the gradient spans the letters.
            float gx = 0, gy = 0, gw = 0, gh = 0;
            if (m_TextPath == TP_GDIPLUS)
                engine.MeasureString(&reference, font.Family(), font.Style(), m_nFontSize, text, at,
                                     font.Format(), &gx, &gy, &gw, &gh);
            else
                engine.GdiMeasureString(&reference, &m_LogFont, text, at, &gx, &gy, &gw, &gh);
            gradient = GradientBrush(*this, gx, gy, gw, gh);
            if (gradient)
                SetTextEffect(&engine, gradient.get());
        }
        if (m_TextPath == TP_GDIPLUS)
            engine.DrawString(&reference, font.Family(), font.Style(), m_nFontSize, text, at,
                              font.Format());
        else
            engine.GdiDrawString(&reference, &m_LogFont, text, at);
    }

    Bitmap* result = target.get();
    std::unique_ptr<Bitmap> reflected;
    if (Bitmap* reflection = engine.GetReflection()) {
        reflected = WithReflection(target.get(), reflection, m_fShown, m_nGap);
        if (reflected)
            result = reflected.get();
    }
    CopyIntoPicture(result, picture);
}

void CWordArtInfo::DrawEffectText(CDC* dc)
{
    if (!dc || !dc->m_hDC)
        return;
    HDC attributes = dc->m_hAttribDC ? dc->m_hAttribDC : dc->m_hDC;
    m_nFontSize = WordArtFontSize(m_LogFont.lfHeight, GetDeviceCaps(attributes, LOGPIXELSY));
    if (!m_bRender)
        return;

    Graphics graphics(dc->m_hDC);
    PrepareGraphics(graphics);
    OutlineText engine;
    SetTextEffect(&engine, nullptr);
    ApplyShadow(*this, engine);
    // Only the GDI+ font form draws here.
    if (m_TextPath != TP_GDIPLUS)
        return;
    CString text = ExpandTextTags(m_strText, CTextTag::GetDate(), CTextTag::GetMonth());
    TextFont font(m_LogFont, false);
    Point at(m_nTextPosX, m_nTextPosY);
    float sx = 0, sy = 0, w = 0, h = 0;
    engine.MeasureString(&graphics, font.Family(), font.Style(), m_nFontSize, text, at,
                         font.Format(), &sx, &sy, &w, &h);
    m_fWidth = w;
    m_fHeight = h;
    std::unique_ptr<LinearGradientBrush> gradient;
    if (m_bTextGradient) {
        gradient = GradientBrush(*this, sx, sy, w, h);
        if (gradient)
            SetTextEffect(&engine, gradient.get());
    }
    engine.DrawString(&graphics, font.Family(), font.Style(), m_nFontSize, text, at, font.Format());
}

CSize CWordArtInfo::GetTextSize(CDC* dc, CString text)
{
    if (!dc || !dc->m_hDC)
        return CSize(0, 0);
    Graphics graphics(dc->m_hDC);
    PrepareGraphics(graphics);
    OutlineText engine;
    SetTextEffect(&engine, nullptr);
    TextFont font(m_LogFont, false);
    float w = 0, h = 0;
    engine.MeasureString(&graphics, font.Family(), font.Style(), m_nFontSize, text,
                         Point(m_nTextPosX, m_nTextPosY), font.Format(), nullptr, nullptr, &w, &h);
    return CSize(static_cast<int>(w), static_cast<int>(h));
}
