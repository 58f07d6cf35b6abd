// The nine strategies drawing a bold "I" (a plain bar) into a bitmap, probed inside the bar,
// on its edge and beyond; and their measuring margins.
#include <cmath>
#include <functional>
#include <vector>
#include "DiffusedShadowStrategy.h"
#include "ExtrudeStrategy.h"
#include "TextDblGlowStrategy.h"
#include "TextDblOutlineStrategy.h"
#include "TextFxTestSupport.h"
#include "TextGlowStrategy.h"
#include "TextGradOutlineStrategy.h"
#include "TextNoOutlineStrategy.h"
#include "TextOnlyOutlineStrategy.h"
#include "TextOutlineStrategy.h"

using namespace Gdiplus;
using namespace TextDesigner;
using textfxtest::Canvas;

namespace {

using namespace textfxtest;

template <typename S, typename... Args>
std::unique_ptr<ITextStrategy> Make(Args... args)
{
    auto strategy = std::make_unique<S>();
    strategy->Init(args...);
    return strategy;
}

class StrategyTest : public textfxtest::GdiplusTest {
protected:
    void SetUp() override
    {
        RectF b = glyph.Bounds(kX, kY);
        left = static_cast<int>(std::floor(b.X)) - 1; // first column left of the bar
        right = static_cast<int>(std::ceil(b.X + b.Width)); // first column right of the bar
        midX = static_cast<int>(b.X + b.Width / 2);
        midY = static_cast<int>(b.Y + b.Height / 2);
    }
    bool Draw(ITextStrategy& strategy, Canvas& canvas, int x = kX, int y = kY)
    {
        return strategy.DrawString(canvas.G(), &glyph.family, glyph.style, glyph.size, glyph.text,
                                   x, y, &glyph.format);
    }
    bool Measure(ITextStrategy& strategy, Graphics* g, float* w, float* h, float* sx = nullptr)
    {
        return strategy.MeasureString(g, &glyph.family, glyph.style, glyph.size, glyph.text, kX,
                                      kY, &glyph.format, sx, nullptr, w, h);
    }

    textfxtest::Glyph glyph;
    int left = 0, right = 0, midX = 0, midY = 0;
};

// What lies inside the bar, one, three and nine pixels right of it, and one left of it.
struct ProbeCase {
    const char* name;
    std::function<std::unique_ptr<ITextStrategy>()> make;
    uint32_t inside, edge, beyond, away;
};

TEST_F(StrategyTest, EachStrategyFillsAndOutlinesAsNamed)
{
    const ProbeCase cases[] = {
        {"glow", [] { return Make<TextGlowStrategy>(Color(kRed), Color(kBlue), 10); }, kRed, kBlue,
         kBlue, kWhite},
        {"outline", [] { return Make<TextOutlineStrategy>(Color(kRed), Color(kBlue), 10); }, kRed,
         kBlue, kBlue, kWhite},
        {"double outline: colour 1 inside colour 2",
         [] { return Make<TextDblOutlineStrategy>(Color(kRed), Color(kGreen), Color(kBlue), 6, 8); },
         kRed, kGreen, kBlue, kWhite},
        {"double glow",
         [] { return Make<TextDblGlowStrategy>(Color(kRed), Color(kGreen), Color(kBlue), 6, 8); },
         kRed, kGreen, kBlue, kWhite},
        {"no outline", [] { return Make<TextNoOutlineStrategy>(Color(kRed)); }, kRed, kWhite,
         kWhite, kWhite},
        {"outline only: unfilled",
         [] { return Make<TextOnlyOutlineStrategy>(Color(kBlue), 10, true); }, kWhite, kBlue, kBlue,
         kWhite},
        {"diffused shadow body",
         [] { return Make<DiffusedShadowStrategy>(Color(kRed), Color(kBlue), 10, true); }, kRed,
         kBlue, kBlue, kWhite},
    };
    for (const ProbeCase& c : cases) {
        Canvas canvas(160, 140, Color(kWhite));
        std::unique_ptr<ITextStrategy> strategy = c.make();
        ASSERT_TRUE(Draw(*strategy, canvas)) << c.name;
        EXPECT_COLOUR_NEAR(c.inside, canvas.At(midX, midY), 2) << c.name << ": inside";
        EXPECT_COLOUR_NEAR(c.edge, canvas.At(right + 1, midY), 2) << c.name << ": edge";
        EXPECT_COLOUR_NEAR(c.beyond, canvas.At(right + 3, midY), 2) << c.name << ": beyond";
        EXPECT_COLOUR_NEAR(c.away, canvas.At(right + 9, midY), 2) << c.name << ": away";
        // The left edge mirrors the right one.
        EXPECT_COLOUR_NEAR(c.edge, canvas.At(left - 1, midY), 2) << c.name << ": left";
    }
}

TEST_F(StrategyTest, GradientOutlineRunsFromColourOneInsideToColourTwoOutside)
{
    Canvas canvas(160, 140, Color(0));
    // Translucent outline colours are made opaque.
    auto strategy = Make<TextGradOutlineStrategy>(Color(kRed), Color(0x4000FF00), Color(0x400000FF), 12);
    ASSERT_TRUE(Draw(*strategy, canvas));
    uint32_t inner = canvas.At(right, midY), outer = canvas.At(right + 4, midY);
    EXPECT_EQ(inner >> 24, 0xFFu);
    EXPECT_EQ(outer >> 24, 0xFFu);
    EXPECT_GT((inner >> 8) & 0xFF, inner & 0xFF) << std::hex << inner; // more green than blue
    EXPECT_GT(outer & 0xFF, (outer >> 8) & 0xFF) << std::hex << outer; // more blue than green
    EXPECT_COLOUR_NEAR(kRed, canvas.At(midX, midY), 2);
    EXPECT_EQ(canvas.At(right + 8, midY), 0u);
}

TEST_F(StrategyTest, MakeGradientColorsSamplesEachPixelOpaque)
{
    std::vector<Color> colours = {Color(0x12345678)};
    MakeGradientColors(Color(kRed), Color(kBlue), 0, &colours);
    ASSERT_EQ(colours.size(), 1u) << "a thickness below 1 leaves the list";

    MakeGradientColors(Color(0x80FF0000), Color(0x800000FF), 6, &colours);
    ASSERT_EQ(colours.size(), 6u);
    EXPECT_GT(colours.front().GetR(), colours.front().GetB());
    EXPECT_GT(colours.back().GetB(), colours.back().GetR());
    for (size_t i = 0; i < colours.size(); ++i) {
        EXPECT_EQ(colours[i].GetA(), 255);
        if (i > 0) {
            EXPECT_LE(colours[i].GetR(), colours[i - 1].GetR());
        }
    }
    MakeGradientColors(Color(kRed), Color(kBlue), 1, &colours);
    EXPECT_EQ(colours.size(), 1u);
}

TEST_F(StrategyTest, GlowBuildsUpTowardTheLetters)
{
    Canvas none(160, 140, Color(kWhite));
    auto zero = Make<TextGlowStrategy>(Color(kRed), Color(0x400000FF), 0);
    ASSERT_TRUE(Draw(*zero, none));
    EXPECT_EQ(none.At(right, midY), kWhite) << "thickness 0: no halo";

    Canvas halo(160, 140, Color(kWhite));
    auto five = Make<TextGlowStrategy>(Color(kRed), Color(0x400000FF), 5);
    ASSERT_TRUE(Draw(*five, halo));
    // Strokes of widths 1 to 5 overlap most next to the bar.
    int d0 = 255 - static_cast<int>(halo.At(right, midY) & 0xFF0000) / 0x10000;
    int d1 = 255 - static_cast<int>(halo.At(right + 1, midY) & 0xFF0000) / 0x10000;
    EXPECT_GT(d0, d1);
    EXPECT_GT(d1, 0);
    EXPECT_EQ(halo.At(right + 4, midY), kWhite);
}

TEST_F(StrategyTest, BrushFormFillsWithTheCallersBrush)
{
    Canvas canvas(160, 140, Color(kWhite));
    SolidBrush green{Color(kGreen)};
    auto strategy = Make<TextOutlineStrategy>(static_cast<Brush*>(&green), Color(kBlue), 8);
    ASSERT_TRUE(Draw(*strategy, canvas));
    EXPECT_COLOUR_NEAR(kGreen, canvas.At(midX, midY), 2);

    auto clone = strategy->Clone();
    Canvas copy(160, 140, Color(kWhite));
    ASSERT_TRUE(Draw(*clone, copy));
    EXPECT_COLOUR_NEAR(kGreen, copy.At(midX, midY), 2) << "a clone borrows the same brush";

    auto noBrush = Make<TextNoOutlineStrategy>(static_cast<Brush*>(nullptr));
    EXPECT_FALSE(Draw(*noBrush, canvas));
}

TEST_F(StrategyTest, CloneDrawsTheSame)
{
    std::unique_ptr<ITextStrategy> originals[] = {
        Make<TextGlowStrategy>(Color(kRed), Color(0x800000FF), 4),
        Make<TextDblOutlineStrategy>(Color(kRed), Color(kGreen), Color(kBlue), 3, 5),
        Make<TextGradOutlineStrategy>(Color(kRed), Color(kGreen), Color(kBlue), 6),
        Make<TextOnlyOutlineStrategy>(Color(kBlue), 3, false),
        Make<ExtrudeStrategy>(Color(kRed), Color(kBlue), 2, 5, 3),
    };
    for (auto& original : originals) {
        Canvas a(160, 140, Color(kWhite)), b(160, 140, Color(kWhite));
        auto clone = original->Clone();
        ASSERT_TRUE(Draw(*original, a));
        ASSERT_TRUE(Draw(*clone, b));
        int differing = 0;
        for (int y = 0; y < 140; y += 2)
            for (int x = 0; x < 160; x += 2)
                differing += a.At(x, y) != b.At(x, y);
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(StrategyTest, ExtrusionRunsBackAlongTheOffset)
{
    // Copies from the drawing point back toward point - offset, one per pixel of the longer
    // axis: a horizontal offset extrudes too.
    Canvas horizontal(160, 140, Color(kWhite));
    auto flat = Make<ExtrudeStrategy>(Color(kRed), Color(kRed), 1, 8, 0);
    ASSERT_TRUE(Draw(*flat, horizontal));
    for (int x = left - 5; x <= right - 1; ++x)
        EXPECT_COLOUR_NEAR(kRed, horizontal.At(x, midY), 2) << "column " << x;
    EXPECT_EQ(horizontal.At(right + 3, midY), kWhite);
    EXPECT_EQ(horizontal.At(left - 9, midY), kWhite);

    Canvas slanted(160, 140, Color(kWhite));
    auto diagonal = Make<ExtrudeStrategy>(Color(kRed), Color(kRed), 1, 4, -6);
    ASSERT_TRUE(Draw(*diagonal, slanted, kX + 10, kY));
    // Copies up to (x - 3, y + 5): the bar's foot moves down, its head does not move up.
    RectF bar = glyph.Bounds(kX + 10, kY);
    int foot = static_cast<int>(std::ceil(bar.Y + bar.Height));
    int head = static_cast<int>(std::floor(bar.Y));
    EXPECT_COLOUR_NEAR(kRed, slanted.At(static_cast<int>(bar.X) + 2, foot + 3), 2);
    EXPECT_EQ(slanted.At(static_cast<int>(bar.X) + 2, head - 3), kWhite);

    Canvas none(160, 140, Color(kWhite));
    auto still = Make<ExtrudeStrategy>(Color(kRed), Color(kRed), 1, 0, 0);
    EXPECT_TRUE(Draw(*still, none));
    EXPECT_EQ(none.At(midX, midY), kWhite) << "no offset: nothing drawn";
}

TEST_F(StrategyTest, MeasuringAddsTheMarginInPixels)
{
    Canvas canvas(10, 10);
    RectF b = glyph.Bounds(kX, kY);
    float bareW = 0, bareH = 0, sx = 0;
    auto bare = Make<TextNoOutlineStrategy>(Color(kRed));
    ASSERT_TRUE(Measure(*bare, canvas.G(), &bareW, &bareH, &sx));
    EXPECT_NEAR(bareW, b.X + b.Width - kX, 0.01);
    EXPECT_NEAR(bareH, b.Y + b.Height - kY, 0.01);
    EXPECT_NEAR(sx, b.X, 0.01);

    struct Case {
        const char* name;
        std::unique_ptr<ITextStrategy> strategy;
        float margin;
    };
    Case cases[] = {
        {"glow", Make<TextGlowStrategy>(Color(kRed), Color(kBlue), 4), 4},
        {"outline", Make<TextOutlineStrategy>(Color(kRed), Color(kBlue), 4), 4},
        {"double outline", Make<TextDblOutlineStrategy>(Color(kRed), Color(kRed), Color(kBlue), 3, 4), 7},
        {"double glow", Make<TextDblGlowStrategy>(Color(kRed), Color(kRed), Color(kBlue), 3, 4), 7},
        {"gradient outline", Make<TextGradOutlineStrategy>(Color(kRed), Color(kRed), Color(kBlue), 5), 5},
        {"outline only", Make<TextOnlyOutlineStrategy>(Color(kBlue), 6, false), 6},
        {"diffused", Make<DiffusedShadowStrategy>(Color(kRed), Color(kBlue), 3, false), 3},
        {"extrude", Make<ExtrudeStrategy>(Color(kRed), Color(kBlue), 2, 5, 5), 2},
    };
    for (Case& c : cases) {
        float w = 0, h = 0;
        ASSERT_TRUE(Measure(*c.strategy, canvas.G(), &w, &h)) << c.name;
        EXPECT_NEAR(w, bareW + c.margin, 0.01) << c.name;
        EXPECT_NEAR(h, bareH + c.margin, 0.01) << c.name;
    }

    // Under points at 96 dpi the extent and the margin both grow by 96/72.
    canvas.G()->SetPageUnit(UnitPoint);
    float pw = 0, ph = 0, ow = 0, oh = 0;
    ASSERT_TRUE(Measure(*bare, canvas.G(), &pw, &ph));
    ASSERT_TRUE(Measure(*cases[1].strategy, canvas.G(), &ow, &oh));
    EXPECT_NEAR(pw, bareW * 96 / 72, 0.01);
    EXPECT_NEAR(ow - pw, 4.0f * 96 / 72, 0.01);
    EXPECT_NEAR(oh - ph, 4.0f * 96 / 72, 0.01);

    float w = 0, h = 0;
    EXPECT_FALSE(Measure(*bare, nullptr, &w, &h));
    EXPECT_FALSE(bare->DrawString(nullptr, &glyph.family, glyph.style, glyph.size, glyph.text, kX,
                                  kY, &glyph.format));
}

LOGFONTW BarFont(int escapement = 0)
{
    LOGFONTW font = {};
    font.lfHeight = -100;
    font.lfWeight = FW_BOLD;
    font.lfEscapement = font.lfOrientation = escapement;
    wcscpy(font.lfFaceName, L"Arial");
    return font;
}

TEST_F(StrategyTest, GdiFontFormsDrawAndMeasureThePathOfGdi)
{
    LOGFONTW font = BarFont();
    auto strategy = Make<TextOutlineStrategy>(Color(kRed), Color(kBlue), 8);
    float w = 0, h = 0, tw = 0, th = 0, sx = 0;
    Canvas canvas(200, 160, Color(kWhite));
    ASSERT_TRUE(strategy->GdiMeasureString(canvas.G(), &font, L"I", 0, 0, &sx, nullptr, &w, &h));
    ASSERT_TRUE(strategy->GdiMeasureStringTight(canvas.G(), &font, L"I", 0, 0, nullptr, nullptr,
                                                &tw, &th));
    EXPECT_GT(sx, 0);
    EXPECT_NEAR(w - tw, sx, 0.01) << "the tight extent leaves out the bearing";

    ASSERT_TRUE(strategy->GdiDrawString(canvas.G(), &font, L"I", 30, 10));
    // The bar's middle, in the middle of the measured extent moved to (30, 10).
    int cx = 30 + static_cast<int>(sx + (w - 8 - sx) / 2);
    int cy = 10 + static_cast<int>(h / 2);
    EXPECT_COLOUR_NEAR(kRed, canvas.At(cx, cy), 2);

    // Turned a quarter, the bar lies flat.
    LOGFONTW turned = BarFont(900);
    ASSERT_TRUE(strategy->GdiMeasureStringTight(canvas.G(), &turned, L"I", 0, 0, nullptr, nullptr,
                                                &tw, &th));
    EXPECT_GT(tw, th);
}

} // namespace
