// The direct engine: shadows composed over the background, the draw result, and measuring.
#include <cmath>
#include "OutlineText.h"
#include "TextFxTestSupport.h"
#include "TextNoOutlineStrategy.h"
#include "TextPixels.h"

using namespace Gdiplus;
using namespace TextDesigner;
using textfxtest::Canvas;

namespace {

using namespace textfxtest;
const uint32_t kBackground = 0xFFE0E0E0;

class OutlineTextTest : public textfxtest::GdiplusTest {
protected:
    void SetUp() override
    {
        RectF b = glyph.Bounds(kX, kY);
        right = static_cast<int>(std::ceil(b.X + b.Width));
        midX = static_cast<int>(b.X + b.Width / 2);
        midY = static_cast<int>(b.Y + b.Height / 2);
        engine.TextOutline(Color(kRed), Color(kBlue), 4);
        engine.SetShadowBackground(Color(kBackground), kW, kH);
    }
    bool Draw(Canvas& canvas)
    {
        return engine.DrawString(canvas.G(), &glyph.family, glyph.style, glyph.size, glyph.text,
                                 Point(kX, kY), &glyph.format);
    }
    bool Measure(Graphics* g, float* w, float* h)
    {
        return engine.MeasureString(g, &glyph.family, glyph.style, glyph.size, glyph.text,
                                    Point(kX, kY), &glyph.format, nullptr, nullptr, w, h);
    }

    textfxtest::Glyph glyph;
    OutlineText engine;
    int right = 0, midX = 0, midY = 0;
};

TEST_F(OutlineTextTest, ShadowBodyIsOneBlendOverTheBackground)
{
    struct Case {
        uint32_t shadow;
        uint32_t body;
    } cases[] = {
        {0x00000000, kBackground},                                   // alpha 0 leaves it
        {0xFF000080, 0xFF000080},                                    // alpha 255 paints it
        {0x80000080, BlendOverPixel(kBackground, 0xFF000080, 0x80)}, // one blend
    };
    for (const Case& c : cases) {
        Canvas canvas(kW, kH, Color(kBackground));
        engine.Shadow(Color(c.shadow), 4, Point(kShift, 0));
        engine.EnableShadow(true);
        ASSERT_TRUE(Draw(canvas));
        EXPECT_COLOUR_NEAR(c.body, canvas.At(midX + kShift, midY), 2) << std::hex << c.shadow;
        EXPECT_COLOUR_NEAR(kRed, canvas.At(midX, midY), 2) << "the text lies over the shadow";
        EXPECT_COLOUR_NEAR(kBackground, canvas.At(midX + kShift, 4), 2) << "above the shadow";
    }
}

TEST_F(OutlineTextTest, ShadowOutlineIsDrawnInTheShadowColour)
{
    Canvas canvas(kW, kH, Color(kBackground));
    engine.Shadow(Color(0xFF000080), 6, Point(kShift, 0));
    engine.EnableShadow(true);
    ASSERT_TRUE(Draw(canvas));
    EXPECT_COLOUR_NEAR(0xFF000080, canvas.At(right + kShift + 1, midY), 2);
    EXPECT_COLOUR_NEAR(kBackground, canvas.At(right + kShift + 6, midY), 2);
}

TEST_F(OutlineTextTest, DiffusedShadowBodyBlendsOncePerStrokeBeyondTheFirst)
{
    uint32_t once = BlendOverPixel(kBackground, 0xFF000000, 0x80);
    struct Case {
        int thickness;
        uint32_t body;
    } cases[] = {
        {0, kBackground},
        {1, kBackground},
        {2, once},
        {3, BlendOverPixel(once, 0xFF000000, 0x80)},
    };
    for (const Case& c : cases) {
        Canvas canvas(kW, kH, Color(kBackground));
        engine.DiffusedShadow(Color(0x80000000), c.thickness, kShift, 0);
        engine.EnableShadow(true);
        ASSERT_TRUE(Draw(canvas));
        EXPECT_COLOUR_NEAR(c.body, canvas.At(midX + kShift, midY), 2) << c.thickness;
    }
}

TEST_F(OutlineTextTest, ExtrudedShadowFillsTheWayBackToTheText)
{
    Canvas canvas(kW, kH, Color(kBackground));
    engine.Extrude(Color(0x80000000), 2, kShift, 0);
    engine.EnableShadow(true);
    ASSERT_TRUE(Draw(canvas));
    uint32_t body = BlendOverPixel(kBackground, 0xFF000000, 0x80);
    EXPECT_COLOUR_NEAR(body, canvas.At(midX + kShift, midY), 2);
    EXPECT_COLOUR_NEAR(body, canvas.At(midX + kShift / 2, midY), 2) << "between text and shadow";
    EXPECT_COLOUR_NEAR(kBackground, canvas.At(midX - 15, midY), 2) << "nothing before the text";
}

TEST_F(OutlineTextTest, WithoutBackgroundOnlyTheShadowStrategyDraws)
{
    OutlineText bare;
    bare.TextOutline(Color(kRed), Color(kBlue), 4);
    bare.Shadow(Color(0xFF000080), 6, Point(kShift, 0));
    bare.EnableShadow(true);
    Canvas canvas(kW, kH, Color(0xFFFFFFFF));
    ASSERT_TRUE(bare.DrawString(canvas.G(), &glyph.family, glyph.style, glyph.size, glyph.text,
                                Point(kX, kY), &glyph.format));
    EXPECT_COLOUR_NEAR(0xFFFFFFFF, canvas.At(midX + kShift, midY), 2) << "no body composed";
    EXPECT_COLOUR_NEAR(0xFF000080, canvas.At(right + kShift + 1, midY), 2);
}

TEST_F(OutlineTextTest, DrawingNeedsATextStrategy)
{
    Canvas canvas(kW, kH, Color(kBackground));
    engine.Shadow(Color(0xFF000080), 4, Point(kShift, 0));
    engine.EnableShadow(true);
    engine.ClearTextEffect();
    EXPECT_FALSE(Draw(canvas));
    EXPECT_COLOUR_NEAR(0xFF000080, canvas.At(midX + kShift, midY), 2) << "the shadow was drawn";
    EXPECT_COLOUR_NEAR(kBackground, canvas.At(midX, midY), 2);

    engine.TextNoOutline(Color(kRed));
    engine.EnableShadow(false);
    Canvas plain(kW, kH, Color(kBackground));
    EXPECT_TRUE(Draw(plain));
    EXPECT_COLOUR_NEAR(kBackground, plain.At(midX + kShift, midY), 2) << "shadow off";
    EXPECT_FALSE(engine.DrawString(nullptr, &glyph.family, glyph.style, glyph.size, glyph.text,
                                   Point(kX, kY), &glyph.format));
}

TEST_F(OutlineTextTest, MeasuringHoldsTextAndShadowInEachDimension)
{
    Canvas canvas(10, 10);
    TextNoOutlineStrategy bare;
    float W = 0, H = 0;
    ASSERT_TRUE(bare.MeasureString(canvas.G(), &glyph.family, glyph.style, glyph.size, glyph.text,
                                   kX, kY, &glyph.format, nullptr, nullptr, &W, &H));
    engine.TextOutline(Color(kRed), Color(kBlue), 10);
    struct Case {
        int dx, dy;
        float w, h; // beyond the bare text
    } cases[] = {
        {4, 0, 10, 10},   // the shadow (2 + 4) stays inside the text's margin
        {12, 0, 14, 10},  // wider shadow, lower: each dimension from the larger part
        {-12, 0, 22, 10}, // drawn moved right by 12, the text then needs 10 + 12
        {0, 20, 10, 22},
        {-3, -3, 13, 13},
    };
    for (const Case& c : cases) {
        engine.Shadow(Color(0x80000000), 2, Point(c.dx, c.dy));
        engine.EnableShadow(true);
        float w = 0, h = 0;
        ASSERT_TRUE(Measure(canvas.G(), &w, &h));
        EXPECT_NEAR(w, W + c.w, 0.01) << c.dx << "," << c.dy;
        EXPECT_NEAR(h, H + c.h, 0.01) << c.dx << "," << c.dy;
    }
    engine.EnableShadow(false);
    float w = 0, h = 0;
    ASSERT_TRUE(Measure(canvas.G(), &w, &h));
    EXPECT_NEAR(w, W + 10, 0.01) << "shadow off";
    EXPECT_FALSE(Measure(nullptr, &w, &h));
}

TEST_F(OutlineTextTest, ShadowOffsetIsMeasuredInThePageUnit)
{
    OutlineText empty;
    empty.Shadow(Color(0x80000000), 2, Point(6, 9));
    empty.ClearShadow(); // no strategies left: the offset alone
    empty.EnableShadow(true);
    struct Case {
        Unit unit;
        float factor;
    } cases[] = {{UnitPixel, 1}, {UnitDisplay, 1}, {UnitPoint, 96.0f / 72}, {UnitInch, 96}};
    for (const Case& c : cases) {
        Canvas canvas(10, 10);
        canvas.G()->SetPageUnit(c.unit);
        float w = -1, h = -1;
        ASSERT_TRUE(empty.MeasureString(canvas.G(), &glyph.family, glyph.style, glyph.size,
                                        glyph.text, Point(0, 0), &glyph.format, nullptr, nullptr,
                                        &w, &h));
        EXPECT_NEAR(w, 6 * c.factor, 1e-3 * c.factor) << c.unit;
        EXPECT_NEAR(h, 9 * c.factor, 1e-3 * c.factor) << c.unit;
    }
}

TEST(TextAndShadowExtentTest, Table)
{
    struct Case {
        float text, shadow, offset, expected;
    } cases[] = {
        {100, 90, 0, 100}, {10, 20, 0, 20}, {100, 90, 15, 105}, {100, 90, -5, 105}, {0, 0, 5, 5},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(TextAndShadowExtent(c.text, c.shadow, c.offset), c.expected);
}

} // namespace
