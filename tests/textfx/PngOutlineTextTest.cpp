// The bitmap engine: the shadow as coverage planes, the text over it, and the reflection.
#include <cmath>
#include "PngOutlineText.h"
#include "TextFxTestSupport.h"

using namespace Gdiplus;
using namespace TextDesigner;
using textfxtest::Canvas;

namespace {

using namespace textfxtest;

class PngOutlineTextTest : public textfxtest::GdiplusTest {
protected:
    void SetUp() override
    {
        RectF b = glyph.Bounds(kX, kY);
        left = static_cast<int>(std::floor(b.X));
        right = static_cast<int>(std::ceil(b.X + b.Width));
        midX = static_cast<int>(b.X + b.Width / 2);
        midY = static_cast<int>(b.Y + b.Height / 2);
        engine.TextOutline(Color(kRed), Color(kBlue), 4);
        engine.SetShadowBackground(Color(0xFFFFFFFF), kW, kH);
        engine.SetPngImage(target.Bitmap());
    }
    bool Draw(Graphics* settings)
    {
        return engine.DrawString(settings, &glyph.family, glyph.style, glyph.size, glyph.text,
                                 Point(kX, kY), &glyph.format);
    }
    uint32_t Alpha(int x, int y) { return target.At(x, y) >> 24; }

    textfxtest::Glyph glyph;
    PngOutlineText engine;
    Canvas target{kW, kH};
    Canvas settings{1, 1};
    int left = 0, right = 0, midX = 0, midY = 0;
};

TEST_F(PngOutlineTextTest, ShadowIsTheShadowColourAtItsOwnAlpha)
{
    engine.Shadow(Color(0x80102030), 6, Point(kShift, 0));
    engine.EnableShadow(true);
    ASSERT_TRUE(Draw(settings.G()));
    // Body, outline, and where the two overlap: one layer of alpha 128 each time.
    EXPECT_COLOUR_NEAR(0x80102030, target.At(midX + kShift, midY), 2);
    EXPECT_COLOUR_NEAR(0x80102030, target.At(right + kShift + 1, midY), 2);
    EXPECT_COLOUR_NEAR(0x80102030, target.At(right + kShift - 2, midY), 2);
    EXPECT_COLOUR_NEAR(0x80102030, target.At(left + kShift - 1, midY), 2);
    EXPECT_EQ(target.At(right + kShift + 6, midY), 0u);
    EXPECT_COLOUR_NEAR(kRed, target.At(midX, midY), 2) << "the text over the shadow";
}

TEST_F(PngOutlineTextTest, ShadowOfAlphaZeroWritesNothing)
{
    engine.Shadow(Color(0x00102030), 6, Point(kShift, 0));
    engine.EnableShadow(true);
    ASSERT_TRUE(Draw(settings.G()));
    EXPECT_EQ(target.At(midX + kShift, midY), 0u);
    EXPECT_EQ(target.At(right + kShift + 1, midY), 0u);
}

TEST_F(PngOutlineTextTest, ShadowKinds)
{
    struct Case {
        const char* name;
        void (*set)(PngOutlineText&);
        int bodyAlphaAtLeast;
        bool between; // the shadow reaches back between text and shadow position
    } cases[] = {
        {"plain", [](PngOutlineText& e) { e.Shadow(Color(0x80000000), 4, Point(kShift, 0)); }, 126,
         false},
        // The soft body is filled once per stroke: denser than one layer.
        {"diffused", [](PngOutlineText& e) { e.DiffusedShadow(Color(0x80000000), 4, kShift, 0); },
         200, false},
        {"extruded", [](PngOutlineText& e) { e.Extrude(Color(0x80000000), 2, kShift, 0); }, 126,
         true},
    };
    for (const Case& c : cases) {
        Canvas canvas(kW, kH);
        engine.SetPngImage(canvas.Bitmap());
        c.set(engine);
        engine.EnableShadow(true);
        ASSERT_TRUE(Draw(settings.G())) << c.name;
        EXPECT_GE(static_cast<int>(canvas.At(midX + kShift, midY) >> 24), c.bodyAlphaAtLeast)
            << c.name;
        EXPECT_EQ((canvas.At(midX + kShift / 2, midY) >> 24) != 0, c.between) << c.name;
    }
}

TEST_F(PngOutlineTextTest, WithoutTextStrategyTheShadowIsStillDrawn)
{
    engine.ClearTextEffect();
    engine.Shadow(Color(0x80000000), 4, Point(kShift, 0));
    engine.EnableShadow(true);
    engine.m_bEnableReflection = true;
    EXPECT_TRUE(Draw(settings.G()));
    EXPECT_NEAR(static_cast<int>(Alpha(midX + kShift, midY)), 128, 2);
    EXPECT_EQ(Alpha(midX, midY), 0u);
    EXPECT_NE(engine.GetReflection(), nullptr);
}

TEST_F(PngOutlineTextTest, ClearShadowSkipsTheShadowStep)
{
    engine.Shadow(Color(0x80000000), 4, Point(kShift, 0));
    engine.EnableShadow(true);
    engine.ClearShadow();
    ASSERT_TRUE(Draw(settings.G()));
    EXPECT_EQ(Alpha(midX + kShift, midY), 0u);
    EXPECT_COLOUR_NEAR(kRed, target.At(midX, midY), 2);
}

TEST_F(PngOutlineTextTest, NothingToDrawWithOrInto)
{
    EXPECT_FALSE(Draw(nullptr));
    PngOutlineText noTarget;
    noTarget.TextOutline(Color(kRed), Color(kBlue), 4);
    EXPECT_FALSE(noTarget.DrawString(settings.G(), &glyph.family, glyph.style, glyph.size,
                                     glyph.text, Point(kX, kY), &glyph.format));
    EXPECT_EQ(engine.GetReflection(), nullptr);
}

TEST_F(PngOutlineTextTest, ReflectionFadesFromTheFoot)
{
    struct Case {
        float start, end, shown;
        int row, alpha; // of the reflection
        uint32_t rgb;
    } cases[] = {
        {0.6f, 0.01f, 0.8f, 0, 153, 0x0000FF}, // the target's bottom row, blue
        {0.6f, 0.01f, 0.8f, 40, 77, 0x0000FF},
        {0.6f, 0.01f, 0.8f, 79, 4, 0xFF0000},  // the target's row 20, red
        {0.6f, 0.01f, 0.8f, 80, 0, 0xFF0000},
        {0.6f, 0.01f, 0.8f, 99, 0, 0xFF0000},
        {0.5f, 0.5f, 0.8f, 70, 127, 0xFF0000}, // equal alphas: one factor
        {0.6f, 0.01f, 0.0f, 0, 0, 0x0000FF},   // nothing shown
    };
    for (const Case& c : cases) {
        Canvas picture(30, 100);
        SolidBrush red{Color(kRed)}, blue{Color(kBlue)};
        picture.G()->FillRectangle(&red, 0, 0, 30, 50);
        picture.G()->FillRectangle(&blue, 0, 50, 30, 50);
        picture.G()->Flush(FlushIntentionSync);
        PngOutlineText reflecting;
        reflecting.SetPngImage(picture.Bitmap());
        reflecting.m_bEnableReflection = true;
        reflecting.m_fBegAlpha = c.start;
        reflecting.m_fEndAlpha = c.end;
        reflecting.m_fShown = c.shown;
        ASSERT_TRUE(reflecting.DrawString(settings.G(), &glyph.family, glyph.style, glyph.size,
                                          glyph.text, Point(0, 0), &glyph.format));
        Bitmap* reflection = reflecting.GetReflection();
        ASSERT_NE(reflection, nullptr);
        ASSERT_EQ(reflection->GetHeight(), 100u);
        Color pixel;
        reflection->GetPixel(10, c.row, &pixel);
        EXPECT_EQ(pixel.GetA(), c.alpha) << "row " << c.row;
        if (c.alpha > 0) {
            EXPECT_EQ(pixel.GetValue() & 0xFFFFFF, c.rgb) << "row " << c.row;
        }
    }
}

} // namespace
