// The word-art renderers: the position and size rules, the tags on a fixed clock, rendering
// into a picture and onto a device context, and measuring.
#include <algorithm>
#include <cmath>
#include "DC.h"
#include "TextFxTestSupport.h"
#include "TextTag.h"
#include "WordArtInfo.h"
#include "ZVImage.h"
#include "Win32Owners.h"

using namespace Gdiplus;

namespace {

class WordArtRenderTest : public textfxtest::GdiplusTest {};

TEST(WordArtLayoutTest, TextOffsetByEffectAndShadow)
{
    struct Case {
        TextEffect effect;
        int t1, t2;
        bool shadow;
        int shadowThickness;
        int offset;
    } cases[] = {
        {TE_OUTLINE, 4, 4, false, 9, 2}, // the default record
        {TE_OUTLINE, 4, 4, true, 9, 4},  // a wider shadow
        {TE_GLOW, 7, 4, true, 3, 3},     // a narrower one
        {TE_DBL_OUTLINE, 3, 4, false, 4, 3},
        {TE_DBL_OUTLINE, 3, 4, true, 10, 5},
        {TE_GRAD_OUTLINE, 8, 8, true, 20, 0},
        {TE_NO_OUTLINE, 8, 8, false, 4, 0},
        {TE_DBL_GLOW, 8, 8, false, 4, 0},
    };
    for (const Case& c : cases) {
        CWordArtInfo w;
        w.m_TextEffect = c.effect;
        w.m_nOutlineThickness1 = c.t1;
        w.m_nOutlineThickness2 = c.t2;
        w.m_bEnableShadow = c.shadow;
        w.m_nShadowThickness = c.shadowThickness;
        EXPECT_EQ(WordArtTextOffset(w), c.offset) << c.effect << " " << c.t1;
    }
}

TEST(WordArtLayoutTest, PictureSizeAndFontSize)
{
    EXPECT_EQ(WordArtPictureSize(37.2f, 10.5f).cx, 44);
    EXPECT_EQ(WordArtPictureSize(40.0f, 10.5f).cx, 48);
    EXPECT_EQ(WordArtPictureSize(0.0f, 0.0f).cx, 8);
    EXPECT_EQ(WordArtPictureSize(37.2f, 10.5f).cy, 14);

    EXPECT_EQ(WordArtFontSize(-24, 96), 17); // -18 + 0.5 truncates to -17
    EXPECT_EQ(WordArtFontSize(-32, 96), 23);
    EXPECT_EQ(WordArtFontSize(-24, 120), 13);
    EXPECT_EQ(WordArtFontSize(24, 96), -18);
    EXPECT_EQ(WordArtFontSize(-24, 0), 17) << "no resolution counts as 96 dpi";
}

TEST(TextTagTest, DateAndMonthOnAFixedDay)
{
    SYSTEMTIME day = {};
    day.wYear = 2026;
    day.wMonth = 12;
    day.wDay = 9;
    EXPECT_EQ(FormatDateTag(day), L"2026-12-09");
    EXPECT_EQ(MonthTag(12), L"Dec.");
    EXPECT_EQ(MonthTag(1), L"Jan.");
    EXPECT_EQ(MonthTag(6), L"June.");
    EXPECT_EQ(MonthTag(9), L"Sept.");
    EXPECT_TRUE(MonthTag(0).IsEmpty());
    EXPECT_TRUE(MonthTag(13).IsEmpty());

    struct Case {
        const wchar_t* text;
        const wchar_t* expanded;
    } cases[] = {
        {L"Today [date]", L"Today 2026-12-09"},
        {L"Today [Date]", L"Today [Date]"},
        {L"[month] [month]", L"Dec. Dec."},
        {L"[date]/[month]", L"2026-12-09/Dec."},
        {L"no tags", L"no tags"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandTextTags(c.text, FormatDateTag(day), MonthTag(12)), c.expanded);

    CString today = CTextTag::GetDate();
    EXPECT_EQ(today.GetLength(), 10);
    EXPECT_EQ(today[4], L'-');
    EXPECT_FALSE(CTextTag::GetMonth().IsEmpty());
}

CWordArtInfo PlainWhite(const wchar_t* text, LONG weight = FW_BOLD)
{
    CWordArtInfo w;
    LOGFONTW font = {};
    font.lfHeight = -64;
    font.lfWeight = weight;
    wcscpy(font.lfFaceName, L"Arial");
    w.SetLogFont(&font);
    w.SetText(text);
    w.SetTextEffect(TE_NO_OUTLINE);
    return w;
}

// The alpha of a picture pixel, x from the left and y from the top.
int AlphaAt(const CZVImage& picture, int x, int y)
{
    return picture.AlphaGet(x, static_cast<long>(picture.GetHeight()) - 1 - y);
}

TEST_F(WordArtRenderTest, PictureHoldsThePremultipliedTextAndItsAlpha)
{
    // A white outline at alpha 128 around white letters.
    CWordArtInfo w = PlainWhite(L"O");
    w.SetTextEffect(TE_OUTLINE);
    w.SetOutlineColor1(Color(0xFFFFFFFF));
    w.SetOutlineAlpha1(128);
    CZVImage picture;
    w.DrawEffectText(&picture);
    ASSERT_TRUE(picture.IsValid());
    ASSERT_TRUE(picture.AlphaIsValid());
    EXPECT_EQ(picture.GetBpp(), 24);
    EXPECT_EQ(w.GetFontSize(), 47); // -64 at 96 dpi: -48 + 0.5 truncated
    EXPECT_EQ(w.GetTextPosX(), 2) << "half the outline";
    int width = static_cast<int>(picture.GetWidth()), height = static_cast<int>(picture.GetHeight());
    EXPECT_EQ(width % 4, 0);

    // Alpha covers the letter and its outline, and nothing beyond them.
    int inked = 0, half = 0, opaque = 0;
    int minX = width, maxX = -1, minY = height, maxY = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int a = AlphaAt(picture, x, y);
            RGBQUAD c = picture.GetPixelColor(x, static_cast<long>(height) - 1 - y, false);
            // White text premultiplied: every channel equals the alpha.
            EXPECT_LE(std::abs(c.rgbRed - a), 2) << x << "," << y;
            EXPECT_LE(std::abs(c.rgbBlue - a), 2) << x << "," << y;
            if (a == 0)
                continue;
            ++inked;
            half += std::abs(a - 128) <= 2;
            opaque += a == 255;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    EXPECT_GT(opaque, 200);
    EXPECT_GT(half, 100) << "the outline's outer half";
    EXPECT_GE(minX, 0);
    EXPECT_LE(maxX, width - 4) << "the picture is 4 to 8 pixels wider than the text";
    EXPECT_NEAR(maxX - minX, 34, 6) << "a 47-pixel O with 2 pixels of outline each side";
    EXPECT_NEAR(maxY - minY, 37, 6);
    EXPECT_EQ(AlphaAt(picture, (minX + maxX) / 2, (minY + maxY) / 2), 0) << "the O's hole";
}

TEST_F(WordArtRenderTest, OutlineAndShadowStayInsideThePicture)
{
    // Shadows thrown every way: the text and its shadow are never cut at the picture's edge.
    const POINT offsets[] = {{6, 6}, {-6, 6}, {6, -6}, {-6, -6}, {12, 0}};
    for (POINT offset : offsets) {
        CWordArtInfo w = PlainWhite(L"H");
        w.SetTextEffect(TE_OUTLINE);
        w.SetEnableShadow(true);
        w.SetShadowAlpha(255);
        w.SetShadowOffsetX(offset.x);
        w.SetShadowOffsetY(offset.y);
        CZVImage picture;
        w.DrawEffectText(&picture);
        ASSERT_TRUE(picture.AlphaIsValid());
        int width = static_cast<int>(picture.GetWidth()), height = static_cast<int>(picture.GetHeight());
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(AlphaAt(picture, x, 0), 0) << offset.x << "," << offset.y << " top " << x;
            EXPECT_EQ(AlphaAt(picture, x, height - 1), 0) << offset.x << "," << offset.y << " bottom " << x;
        }
        for (int y = 0; y < height; ++y)
            EXPECT_EQ(AlphaAt(picture, width - 1, y), 0) << offset.x << "," << offset.y << " right " << y;
    }
}

TEST_F(WordArtRenderTest, RenderFlagOffLeavesThePicture)
{
    CWordArtInfo w = PlainWhite(L"Hi");
    w.Render(false);
    CZVImage picture;
    ASSERT_TRUE(picture.Create(5, 5, 24));
    w.DrawEffectText(&picture);
    EXPECT_EQ(picture.GetWidth(), 5u);
    EXPECT_FALSE(picture.AlphaIsValid());
    EXPECT_EQ(w.GetFontSize(), 47) << "the size is still worked out";
}

TEST_F(WordArtRenderTest, OnlyWeight700IsBold)
{
    int widths[3] = {};
    const LONG weights[3] = {FW_NORMAL, FW_BOLD, FW_EXTRABOLD};
    for (int i = 0; i < 3; ++i) {
        CWordArtInfo w = PlainWhite(L"rrrrrrrr", weights[i]);
        CZVImage picture;
        w.DrawEffectText(&picture);
        widths[i] = static_cast<int>(picture.GetWidth());
    }
    EXPECT_GT(widths[1], widths[0]);
    EXPECT_EQ(widths[2], widths[0]);
}

TEST_F(WordArtRenderTest, TurnedGdiTextAndReflection)
{
    CWordArtInfo upright = PlainWhite(L"Word");
    upright.SetTextPath(TP_GDI);
    upright.SetTextEffect(TE_OUTLINE);
    upright.SetOutlineThickness1(8);
    CZVImage flat;
    upright.DrawEffectText(&flat);
    ASSERT_TRUE(flat.IsValid());
    // The W starts at its cell's edge; its outline still fits.
    for (int y = 0; y < static_cast<int>(flat.GetHeight()); ++y)
        EXPECT_EQ(AlphaAt(flat, 0, y), 0) << "left " << y;

    for (int degrees : {30, -30}) {
        CWordArtInfo turned = PlainWhite(L"Word");
        turned.SetTextPath(TP_GDI);
        turned.SetTextEffect(TE_OUTLINE);
        turned.SetTextAngle(degrees);
        CZVImage picture;
        turned.DrawEffectText(&picture);
        ASSERT_TRUE(picture.IsValid());
        EXPECT_GT(picture.GetHeight(), flat.GetHeight() + 20) << degrees;
        EXPECT_EQ(turned.GetLogFont()->lfEscapement, degrees * 10);
        int width = static_cast<int>(picture.GetWidth()), height = static_cast<int>(picture.GetHeight());
        int inked = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                inked += AlphaAt(picture, x, y) != 0;
        EXPECT_GT(inked, 500) << degrees;
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(AlphaAt(picture, x, 0), 0) << degrees << " top " << x;
            EXPECT_EQ(AlphaAt(picture, x, height - 1), 0) << degrees << " bottom " << x;
        }
        for (int y = 0; y < height; ++y) {
            EXPECT_EQ(AlphaAt(picture, 0, y), 0) << degrees << " left " << y;
            EXPECT_EQ(AlphaAt(picture, width - 1, y), 0) << degrees << " right " << y;
        }
    }

    CWordArtInfo reflected = PlainWhite(L"Word");
    reflected.EnableReflection(true);
    reflected.SetGap(2);
    CZVImage plain, withReflection;
    CWordArtInfo(PlainWhite(L"Word")).DrawEffectText(&plain);
    reflected.DrawEffectText(&withReflection);
    ASSERT_TRUE(withReflection.IsValid());
    int h = static_cast<int>(plain.GetHeight());
    EXPECT_EQ(withReflection.GetHeight(), static_cast<DWORD>(h + 2 + static_cast<int>(h * 0.7f)));
    // Below the text, the mirrored letters, fainter than the text itself.
    int strongest = 0;
    for (int y = h + 2; y < static_cast<int>(withReflection.GetHeight()); ++y)
        for (int x = 0; x < static_cast<int>(withReflection.GetWidth()); ++x)
            strongest = std::max(strongest, AlphaAt(withReflection, x, y));
    EXPECT_GT(strongest, 20);
    EXPECT_LE(strongest, 103); // 0.4 of 255
}

TEST_F(WordArtRenderTest, DeviceContextFormDrawsAtThePositionAndMeasures)
{
    BITMAPINFO info = win32::TopDownBitmapInfo(300, 120);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(dc.m_hDC, dib);
    std::fill_n(static_cast<uint32_t*>(bits), 300 * 120, 0x00FFFFFFu);

    CWordArtInfo w = PlainWhite(L"I");
    w.SetTextColor1(Color(0xFFFF0000));
    w.SetTextPosX(100);
    w.SetTextPosY(10);
    w.Render(false);
    w.DrawEffectText(&dc);
    GdiFlush();
    auto pixel = [&](int x, int y) { return static_cast<uint32_t*>(bits)[y * 300 + x] & 0xFFFFFF; };
    int red = 0;
    for (int i = 0; i < 300 * 120; ++i)
        red += (static_cast<uint32_t*>(bits)[i] & 0xFFFFFF) == 0xFF0000;
    EXPECT_EQ(red, 0) << "nothing drawn with the render flag off";

    w.Render(true);
    w.DrawEffectText(&dc);
    GdiFlush();
    EXPECT_GT(w.m_fWidth, 0);
    EXPECT_GT(w.m_fHeight, 0);
    int minX = 300, maxX = -1;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 300; ++x)
            if (pixel(x, y) == 0xFF0000) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    EXPECT_GT(minX, 100);
    EXPECT_LE(maxX, 100 + static_cast<int>(w.m_fWidth));

    // Measuring: the record's stored size and position, the text as given.
    CSize size = w.GetTextSize(&dc, L"Hi");
    EXPECT_GT(size.cx, 20);
    EXPECT_GT(size.cy, 20);
    CSize spaced = w.GetTextSize(&dc, L"Hi   ");
    EXPECT_EQ(spaced.cx, size.cx) << "trailing blanks do not count";
    EXPECT_EQ(w.GetTextSize(&dc, L"").cx, 0);

    SelectObject(dc.m_hDC, old);
    DeleteObject(dib);
}

} // namespace
