// Colour arithmetic, the draw manager on a memory device, and the pure layouts.
#include <algorithm>
#include <cmath>
#include "TestApp.h"

namespace {

struct ColorCase {
    const char* name;
    COLORREF (*fn)(COLORREF, double);
    COLORREF input;
    double ratio;
    COLORREF expected;
};

TEST(ColorMath, DarkerLighterPale)
{
    const ColorCase cases[] = {
        {"darker by 0.3", skinui::Darker, RGB(187, 216, 255), 0.3, RGB(131, 151, 179)},
        {"darker by 0", skinui::Darker, RGB(10, 20, 30), 0.0, RGB(10, 20, 30)},
        {"darker by 1 is black", skinui::Darker, RGB(200, 100, 50), 1.0, RGB(0, 0, 0)},
        {"darker clamps the ratio", skinui::Darker, RGB(200, 100, 50), 3.0, RGB(0, 0, 0)},
        {"lighter by 0.5", skinui::Lighter, RGB(0, 100, 255), 0.5, RGB(128, 178, 255)},
        {"lighter by 1 is white", skinui::Lighter, RGB(1, 2, 3), 1.0, RGB(255, 255, 255)},
        {"pale of grey keeps grey", skinui::Pale, RGB(128, 128, 128), 0.97, RGB(247, 247, 247)},
        {"pale at 0 is black", skinui::Pale, RGB(255, 0, 0), 0.0, RGB(0, 0, 0)},
    };
    for (const ColorCase& c : cases)
        EXPECT_EQ(c.fn(c.input, c.ratio), c.expected) << c.name;

    // A pale tint keeps its hue: red stays the strongest channel.
    const COLORREF pale = skinui::Pale(RGB(255, 200, 230), 0.97);
    EXPECT_GE(GetRValue(pale), GetBValue(pale));
    EXPECT_GE(GetBValue(pale), GetGValue(pale));
    EXPECT_GT(GetGValue(pale), 240);
}

TEST(ColorMath, ReadableOnKeepsAMarkThatShowsAndReplacesOneThatDoesNot)
{
    const struct {
        COLORREF mark, ground, expected;
    } cases[] = {
        {RGB(80, 80, 80), RGB(50, 50, 50), RGB(255, 255, 255)},   // the dark skin's accent on its window
        {RGB(180, 150, 80), RGB(255, 255, 255), RGB(180, 150, 80)}, // an accent on white shows
        {RGB(0, 0, 0), RGB(50, 50, 50), RGB(255, 255, 255)},
        {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(skinui::ReadableOn(c.mark, c.ground, RGB(255, 255, 255)), c.expected) << std::hex << c.mark;
}

TEST(ColorMath, ColorObjectFollowsTheFreeFunctions)
{
    CBCGPColor color(RGB(100, 150, 200), 0.5);
    color.MakeLighter(0.15);
    EXPECT_EQ(static_cast<COLORREF>(color), skinui::Lighter(RGB(100, 150, 200), 0.15));
    EXPECT_DOUBLE_EQ(color.a, 0.5);
    color.MakeDarker(0.15);
    EXPECT_EQ(static_cast<COLORREF>(color), skinui::Darker(skinui::Lighter(RGB(100, 150, 200), 0.15), 0.15));
    EXPECT_EQ(static_cast<COLORREF>(CBCGPColor(1.5, -1.0, 0.5)), RGB(255, 0, 128));

    EXPECT_EQ(CBCGPDrawManager::ColorMakeDarker(RGB(187, 216, 255), 0.3), skinui::Darker(RGB(187, 216, 255), 0.3));

    int count = 0;
    const COLORREF* colors = CBCGPColor::GetRGBArray(count);
    ASSERT_GE(count, 14);
    COLORREF copy[4] = {};
    EXPECT_EQ(CBCGPColor::GetRGBArray(copy, 4), count);
    EXPECT_EQ(copy[3], colors[3]);
    EXPECT_EQ(CBCGPColor::GetRGBArray(nullptr, 0), count);
}

class MemoryDc : public testing::Test {
protected:
    void SetUp() override
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(m_dc.CreateCompatibleDC(&screen));
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -40, 1, 32, BI_RGB};
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(screen.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_old = m_dc.SelectObject(&m_bitmap);
    }
    void TearDown() override { m_dc.SelectObject(m_old); }
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};

TEST_F(MemoryDc, HighlightRectBlendsAndSparesTheTransparentColour)
{
    m_dc.FillSolidRect(0, 0, 40, 40, RGB(100, 100, 100));
    m_dc.FillSolidRect(10, 10, 4, 4, RGB(255, 0, 255));
    CBCGPDrawManager dm(m_dc);
    // 30 percent toward the blend colour, magenta kept, outside untouched.
    dm.HighlightRect(CRect(5, 5, 30, 30), 30, RGB(255, 0, 255), 0, RGB(150, 200, 255));
    EXPECT_EQ(m_dc.GetPixel(6, 6), skinui::Mix(RGB(100, 100, 100), RGB(150, 200, 255), 0.3));
    EXPECT_EQ(m_dc.GetPixel(11, 11), RGB(255, 0, 255));
    EXPECT_EQ(m_dc.GetPixel(2, 2), RGB(100, 100, 100));
    EXPECT_EQ(m_dc.GetPixel(30, 30), RGB(100, 100, 100));

    // Without a blend colour, above 100 lightens.
    dm.HighlightRect(CRect(0, 30, 10, 40), 150);
    EXPECT_EQ(m_dc.GetPixel(1, 31), skinui::Lighter(RGB(100, 100, 100), 0.5));
}

TEST_F(MemoryDc, ComboDropArrowShowsOnLightAndDarkWindows)
{
    auto luma = [](COLORREF c) { return 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c); };
    const COLORREF window = globalData.clrWindow, windowText = globalData.clrWindowText, barText = globalData.clrBarText;
    const struct {
        COLORREF window, windowText;
    } cases[] = {{RGB(255, 255, 255), RGB(0, 0, 0)}, {RGB(50, 50, 50), RGB(255, 255, 255)}};
    for (const auto& c : cases) {
        globalData.clrWindow = c.window;
        globalData.clrWindowText = c.windowText;
        globalData.clrBarText = RGB(30, 30, 30);
        m_dc.FillSolidRect(0, 0, 40, 40, RGB(255, 0, 255));
        CBCGPVisualManager::GetInstance()->OnDrawComboDropButton(&m_dc, CRect(0, 0, 18, 22), FALSE, FALSE, FALSE);
        // The arrow's darkest or lightest pixel stands out from the button's fill.
        double contrast = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 18; ++x)
                contrast = std::max(contrast, std::abs(luma(m_dc.GetPixel(x, y)) - luma(m_dc.GetPixel(1, 1))));
        EXPECT_EQ(m_dc.GetPixel(1, 1), c.window);
        EXPECT_GE(contrast, 85.0) << std::hex << c.window;
    }
    globalData.clrWindow = window;
    globalData.clrWindowText = windowText;
    globalData.clrBarText = barText;
}

TEST_F(MemoryDc, DrawRectFillsAndFrames)
{
    m_dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    CBCGPDrawManager(m_dc).DrawRect(CRect(5, 5, 15, 15), RGB(10, 20, 30), RGB(200, 0, 0));
    EXPECT_EQ(m_dc.GetPixel(5, 5), RGB(200, 0, 0));
    EXPECT_EQ(m_dc.GetPixel(14, 10), RGB(200, 0, 0));
    EXPECT_EQ(m_dc.GetPixel(10, 10), RGB(10, 20, 30));
    EXPECT_EQ(m_dc.GetPixel(15, 15), RGB(255, 255, 255));
    // A frame only.
    CBCGPDrawManager(m_dc).DrawRect(CRect(20, 20, 30, 30), (COLORREF)-1, RGB(0, 0, 200));
    EXPECT_EQ(m_dc.GetPixel(25, 25), RGB(255, 255, 255));
    EXPECT_EQ(m_dc.GetPixel(20, 25), RGB(0, 0, 200));
}

TEST_F(MemoryDc, ShadowBandsDarkenRightAndBelowFadingOutward)
{
    const COLORREF white = RGB(255, 255, 255);
    m_dc.FillSolidRect(0, 0, 40, 40, white);
    CBCGPDrawManager(m_dc).DrawShadow(CRect(5, 5, 25, 25), 3, 100, 50);
    const struct {
        int x, y, percent; // 100: untouched
    } probes[] = {
        {10, 10, 100}, {25, 6, 100}, {7, 25, 100},  // inside; above the shadow's top; left of its start
        {25, 10, 50},  {26, 10, 66}, {27, 10, 83},  // the right bands, lighter outward
        {10, 25, 50},  {10, 26, 66}, {10, 27, 83},  // the bottom bands
        {26, 26, 66},  {27, 26, 100}, {26, 27, 83}, // the corner, cut on the diagonal
    };
    for (const auto& p : probes)
        EXPECT_EQ(p.percent == 100 ? white : skinui::HighlightPixel(white, p.percent, (COLORREF)-1), m_dc.GetPixel(p.x, p.y))
            << p.x << "," << p.y;
}

// On a 32-bit DIB section the pixels change in place, top-down and bottom-up alike, and a
// rectangle running off the bitmap changes the part on it.
TEST(DrawManagerOnDib, HighlightAndShadowChangeTheDibsPixelsInPlace)
{
    for (const int direction : {-1, 1}) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = 40;
        bi.bmiHeader.biHeight = 40 * direction;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        HBITMAP dib = ::CreateDIBSection(dc.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(nullptr, dib);
        HGDIOBJ old = ::SelectObject(dc.m_hDC, dib);
        dc.FillSolidRect(0, 0, 40, 40, RGB(100, 100, 100));
        CBCGPDrawManager dm(dc);
        dm.HighlightRect(CRect(30, 2, 50, 6), 30, (COLORREF)-1, 0, RGB(150, 200, 255));
        EXPECT_EQ(skinui::Mix(RGB(100, 100, 100), RGB(150, 200, 255), 0.3), dc.GetPixel(39, 2)) << direction;
        EXPECT_EQ(RGB(100, 100, 100), dc.GetPixel(29, 2)) << direction;
        EXPECT_EQ(RGB(100, 100, 100), dc.GetPixel(35, 6)) << direction;
        dm.DrawShadow(CRect(5, 20, 25, 38), 3, 100, 50);
        EXPECT_EQ(skinui::HighlightPixel(RGB(100, 100, 100), 50, (COLORREF)-1), dc.GetPixel(25, 30)) << direction;
        EXPECT_EQ(skinui::HighlightPixel(RGB(100, 100, 100), 50, (COLORREF)-1), dc.GetPixel(10, 38)) << direction;
        EXPECT_EQ(RGB(100, 100, 100), dc.GetPixel(10, 30)) << direction;
        ::SelectObject(dc.m_hDC, old);
        ::DeleteObject(dib);
    }
}

TEST_F(MemoryDc, GradientRunsFromColourToColour)
{
    CBCGPDrawManager(m_dc).FillGradient(CRect(0, 0, 40, 40), RGB(0, 0, 0), RGB(200, 200, 200), FALSE);
    EXPECT_EQ(m_dc.GetPixel(0, 5), RGB(0, 0, 0));
    EXPECT_GT(GetRValue(m_dc.GetPixel(39, 5)), 190);
    EXPECT_LT(GetRValue(m_dc.GetPixel(10, 5)), GetRValue(m_dc.GetPixel(30, 5)));
}

TEST(Layout, AnchorsFollowTheChange)
{
    struct Case {
        BOOL moveX, moveY, sizeX, sizeY;
        CPoint movePercent, sizePercent;
        CRect expected;
    } cases[] = {
        {FALSE, FALSE, FALSE, FALSE, {100, 100}, {100, 100}, {10, 20, 50, 40}},
        {TRUE, TRUE, FALSE, FALSE, {100, 100}, {100, 100}, {110, 70, 150, 90}},
        {FALSE, FALSE, TRUE, TRUE, {100, 100}, {100, 100}, {10, 20, 150, 90}},
        {TRUE, FALSE, TRUE, FALSE, {50, 100}, {50, 100}, {60, 20, 150, 40}},
        {FALSE, TRUE, FALSE, TRUE, {100, 0}, {100, 100}, {10, 20, 50, 90}},
    };
    for (const Case& c : cases) {
        const CRect r = skinui::AnchorRect(CRect(10, 20, 50, 40), CSize(100, 50), c.moveX, c.moveY, c.sizeX, c.sizeY,
                                           c.movePercent, c.sizePercent);
        EXPECT_EQ(r, c.expected);
    }
    // Shrinking below nothing keeps an empty rectangle, never an inverted one.
    const CRect shrunk = skinui::AnchorRect(CRect(10, 20, 50, 40), CSize(-100, -100), FALSE, FALSE, TRUE, TRUE);
    EXPECT_EQ(shrunk, CRect(10, 20, 10, 20));
}

TEST(Layout, PopupPlacement)
{
    const CRect work(0, 0, 1024, 740);
    struct Case {
        CPoint pt;
        CRect expected;
    } cases[] = {
        {{-1, -1}, {824, 640, 1024, 740}},   // the work area's corner
        {{100, 120}, {100, 120, 300, 220}},
        {{950, 700}, {824, 640, 1024, 740}}, // pulled back in
        {{-50, -30}, {0, 0, 200, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skinui::PlacePopup(CSize(200, 100), c.pt, work), c.expected) << c.pt.x << "," << c.pt.y;
}

TEST(Layout, PaletteCellsAndEntries)
{
    const skinui::PaletteLayout layout = skinui::LayoutPalette(30, 14, 18, TRUE, TRUE);
    ASSERT_EQ(layout.cells.size(), 30u);
    // Three rows of 14, the automatic entry above and the other entry below.
    EXPECT_LT(layout.automatic.bottom, layout.cells[0].top);
    EXPECT_EQ(layout.cells[14].top, layout.cells[0].top + 18);
    EXPECT_EQ(layout.cells[13].left, layout.cells[0].left + 13 * 18);
    EXPECT_GT(layout.other.top, layout.cells[29].bottom);
    EXPECT_EQ(layout.size.cx, 14 * 18 + 8);
    EXPECT_EQ(skinui::HitTestPalette(layout, layout.cells[17].CenterPoint()), 17);
    EXPECT_EQ(skinui::HitTestPalette(layout, layout.automatic.CenterPoint()), skinui::kHitAutomatic);
    EXPECT_EQ(skinui::HitTestPalette(layout, layout.other.CenterPoint()), skinui::kHitOther);
    EXPECT_EQ(skinui::HitTestPalette(layout, CPoint(layout.size.cx - 1, layout.cells[29].top + 2)), skinui::kHitNone);

    const skinui::PaletteLayout bare = skinui::LayoutPalette(5, 0, 10, FALSE, FALSE);
    EXPECT_TRUE(bare.automatic.IsRectEmpty());
    EXPECT_TRUE(bare.other.IsRectEmpty());
    EXPECT_EQ(bare.cells[4].top, bare.cells[0].top + 40);   // no columns: one per row
}

} // namespace
