// Alpha, selections and composition.
#include <gtest/gtest.h>
#include "ZVImageTestSupport.h"

using namespace zvtest;

namespace {

CZVImage Solid(long w, long h, RGBQUAD colour, int alpha = -1)
{
    CZVImage image;
    image.Create(w, h, 24);
    image.SetRectColor(RECT{0, 0, w, h}, colour, true);
    if (alpha >= 0) {
        image.AlphaCreate();
        image.AlphaSet(static_cast<BYTE>(alpha));
    }
    return image;
}

const RGBQUAD kRed = {0, 0, 255, 0}, kBlue = {255, 0, 0, 0}, kWhite = {255, 255, 255, 0}, kBlack = {0, 0, 0, 0};

} // namespace

TEST(Alpha, CapStripAndTransparentColour)
{
    CZVImage image = Solid(4, 2, kRed);
    ASSERT_TRUE(image.AlphaSetMax(100));   // an opaque picture capped is the cap everywhere
    EXPECT_EQ(image.AlphaGet(3, 1), 100);
    image.AlphaSet(0, 0, 40);
    ASSERT_TRUE(image.AlphaSetMax(60));
    EXPECT_EQ(image.AlphaGet(0, 0), 40);
    EXPECT_EQ(image.AlphaGet(1, 0), 60);

    // Stripping blends onto the transparent colour.
    image.SetTransColor(kWhite);
    image.AlphaSet(0);
    image.AlphaSet(1, 0, 255);
    ASSERT_TRUE(image.AlphaStrip());
    EXPECT_FALSE(image.AlphaIsValid());
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), kWhite));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), kRed));

    CZVImage keyed = Solid(3, 1, kBlue);
    keyed.SetPixelColor(1, 0, RGBQUAD{250, 5, 5, 0});
    keyed.SetPixelColor(2, 0, kRed);
    ASSERT_TRUE(keyed.SetTransparentColor(kBlue, 5, 0));
    EXPECT_EQ(keyed.AlphaGet(0, 0), 0);
    EXPECT_EQ(keyed.AlphaGet(1, 0), 0);      // within 5 % of the colour
    EXPECT_EQ(keyed.AlphaGet(2, 0), 255);
    keyed.SetTransIndex(0);
    keyed.ClearTransColor();
    EXPECT_FALSE(keyed.IsTransparent());
}

TEST(Alpha, GradientModes)
{
    const struct {
        long start, end, mode;
        POINT high, low;   // pixels (rows from the top) of full and no opacity
    } cases[] = {
        {100, 0, 1, {0, 5}, {10, 5}},
        {100, 0, 2, {5, 0}, {5, 10}},
        {100, 0, 4, {0, 0}, {10, 10}},
        {100, 0, 8, {10, 0}, {0, 10}},
        {0, 100, 16, {0, 0}, {5, 5}},
    };
    for (const auto& c : cases) {
        CZVImage image = Solid(11, 11, kRed);
        ASSERT_TRUE(image.MakeAlpha(c.start, c.end, c.mode));
        EXPECT_EQ(TopDown(image, c.high.x, c.high.y).rgbReserved, 255) << c.mode;
        EXPECT_EQ(TopDown(image, c.low.x, c.low.y).rgbReserved, 0) << c.mode;
    }
    CZVImage image = Solid(3, 3, kRed);
    EXPECT_FALSE(image.MakeAlpha(100, 0, 3));
}

TEST(Selection, RectanglesPolygonsAndTheBox)
{
    CZVImage image = Pattern(10, 8);
    EXPECT_FALSE(image.SelectionIsValid());
    // Rows from the top for the RECT form; the box comes back with rows counted upward.
    ASSERT_TRUE(image.SelectionAddRect(RECT{2, 1, 5, 3}));
    RECT box;
    image.SelectionGetBox(box);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 5);
    EXPECT_EQ(box.top, 8 - 1);
    EXPECT_EQ(box.bottom, 8 - 3);
    EXPECT_TRUE(image.SelectionIsInside(2, 6));
    EXPECT_FALSE(image.SelectionIsInside(2, 4));
    // Mirrored back, the box crops exactly the selected rectangle.
    CZVImage part;
    ASSERT_TRUE(image.Crop(RECT{box.left, 8 - box.top, box.right, 8 - box.bottom}, &part));
    EXPECT_EQ(part.GetWidth(), 3u);
    EXPECT_EQ(part.GetHeight(), 2u);

    // Pixel corners with rows from the bottom, both included.
    ASSERT_TRUE(image.SelectionClear());
    EXPECT_FALSE(image.SelectionIsValid());
    ASSERT_TRUE(image.SelectionAddRectZV(POINT{7, 0}, POINT{5, 2}, 128));
    EXPECT_EQ(image.SelectionGet(5, 0), 128);
    EXPECT_EQ(image.SelectionGet(7, 2), 128);
    EXPECT_EQ(image.SelectionGet(8, 2), 0);
    ASSERT_TRUE(image.SelectionAddRectFF(ZVPOINTF{0.9f, 0.2f}, ZVPOINTF{1.7f, 1.9f}));
    EXPECT_EQ(image.SelectionGet(1, 1), 255);
    EXPECT_EQ(image.SelectionGet(2, 1), 0);

    // A triangle: its corners and inside, not beyond its slanted side.
    ASSERT_TRUE(image.SelectionDelete());
    const POINT triangle[] = {{0, 0}, {6, 0}, {0, 6}};
    ASSERT_TRUE(image.SelectionAddPolygonZV(triangle, 3));
    EXPECT_EQ(image.SelectionGet(0, 0), 255);
    EXPECT_EQ(image.SelectionGet(6, 0), 255);
    EXPECT_EQ(image.SelectionGet(0, 6), 255);
    EXPECT_EQ(image.SelectionGet(2, 2), 255);
    EXPECT_EQ(image.SelectionGet(5, 5), 0);
    const ZVPOINTF outside[] = {{-1e30f, 0}, {1e30f, 0}, {0, 1e30f}};   // far outside: clipped
    EXPECT_TRUE(image.SelectionAddPolygonFF(outside, 3));
    EXPECT_FALSE(image.SelectionAddPolygonFF(outside, 0));

    ASSERT_TRUE(image.SelectionDelete());
    ASSERT_TRUE(image.SelectionAddEllipse(RECT{0, 0, 10, 8}));
    EXPECT_EQ(image.SelectionGet(5, 4), 255);
    EXPECT_EQ(image.SelectionGet(0, 0), 0);
}

TEST(Selection, CropPolygonClearsOutsideAndColourFills)
{
    CZVImage image = Pattern(10, 10);
    const POINT diamond[] = {{5, 1}, {9, 5}, {5, 9}, {1, 5}};
    ASSERT_TRUE(image.SelectionAddPolygonZV(diamond, 4));
    CZVImage cut;
    ASSERT_TRUE(image.CropPolygon(&cut));
    EXPECT_EQ(cut.GetWidth(), 9u);
    EXPECT_EQ(cut.GetHeight(), 9u);
    ASSERT_TRUE(cut.AlphaIsValid());
    EXPECT_EQ(cut.AlphaGet(0, 0), 0);
    EXPECT_EQ(cut.AlphaGet(4, 4), 255);
    EXPECT_TRUE(SameColor(cut.GetPixelColor(4, 4), image.GetPixelColor(5, 5)));

    ASSERT_TRUE(image.SetSelectionColor(RGB(255, 255, 255)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(5, 5), kWhite));
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), PatternColor(0, 0)));
    CZVImage none = Pattern(3, 3);
    EXPECT_FALSE(none.CropPolygon());
}

TEST(Combine, BlendsWithAlphaAndClipsAtEveryEdge)
{
    // A 4 x 3 half-transparent red patch on blue, at positions partly or wholly outside.
    const struct {
        long x, y;
        RECT covered;   // rows from the top; empty: nothing lands
    } cases[] = {
        {1, 1, {1, 1, 5, 4}}, {-2, -1, {0, 0, 2, 2}}, {8, 6, {8, 6, 10, 8}},
        {-4, 0, {0, 0, 0, 0}}, {10, 0, {0, 0, 0, 0}}, {0, 8, {0, 0, 0, 0}},
    };
    const CZVImage patch = Solid(4, 3, kRed, 128);
    for (const auto& c : cases) {
        CZVImage target = Solid(10, 8, kBlue);
        const bool lands = c.covered.right > c.covered.left;
        EXPECT_EQ(target.CombineImage(patch, c.x, c.y), lands);
        for (long y = 0; y < 8; ++y)
            for (long x = 0; x < 10; ++x) {
                const POINT p = {x, y};
                const RGBQUAD expected = PtInRect(&c.covered, p) ? RGBQUAD{127, 0, 128, 0} : kBlue;
                ASSERT_TRUE(SameColor(TopDown(target, x, y), expected, 1)) << c.x << "," << c.y << " at " << x << "," << y;
            }
    }
    // Onto a target with alpha: the source over the destination.
    CZVImage clear = Solid(2, 1, kBlack, 0);
    ASSERT_TRUE(clear.CombineImage(Solid(1, 1, kRed, 128), 0, 0));
    EXPECT_EQ(clear.AlphaGet(0, 0), 128);
    EXPECT_TRUE(SameColor(clear.GetPixelColor(0, 0, false), kRed));
    EXPECT_EQ(clear.AlphaGet(1, 0), 0);
    // A transparent colour counts as clear; an unblended copy takes pixels and alpha as they are.
    CZVImage keyed = Solid(2, 1, kRed);
    keyed.SetPixelColor(1, 0, kWhite);
    keyed.SetTransColor(kWhite);
    keyed.SetTransIndex(0);
    CZVImage target = Solid(2, 1, kBlue);
    ASSERT_TRUE(target.CombineImage(keyed, 0, 0));
    EXPECT_TRUE(SameColor(target.GetPixelColor(1, 0), kBlue));
    ASSERT_TRUE(target.CombineImageNoBlended(Solid(1, 1, kRed, 10), 1, 0));
    EXPECT_EQ(target.AlphaGet(1, 0), 10);
    EXPECT_TRUE(SameColor(target.GetPixelColor(1, 0, false), kRed));
}

TEST(Combine, FramesKeepTheMiddleClear)
{
    // A 12 x 12 frame: 3-pixel black border, clear middle.
    CZVImage frame = Solid(12, 12, kBlack, 255);
    for (long y = 3; y < 9; ++y)
        for (long x = 3; x < 9; ++x)
            frame.AlphaSet(x, y, 0);
    for (long kind : {0L, 1L, 2L}) {
        CZVImage picture = Solid(40, 30, kWhite);
        ASSERT_TRUE(picture.CombineFrame(frame, 1.0f, kind)) << kind;
        EXPECT_TRUE(SameColor(TopDown(picture, 0, 0), kBlack, 1)) << kind;
        EXPECT_TRUE(SameColor(TopDown(picture, 39, 29), kBlack, 1)) << kind;
        EXPECT_TRUE(SameColor(TopDown(picture, 20, 1), kBlack, 1)) << kind;
        EXPECT_TRUE(SameColor(TopDown(picture, 20, 15), kWhite, 1)) << kind;
    }
    // Sides keep the frame's thickness times the zoom.
    CZVImage picture = Solid(40, 30, kWhite);
    ASSERT_TRUE(CZVImage::CombineFrame(picture, frame, 2.0f, 1));
    EXPECT_TRUE(SameColor(TopDown(picture, 20, 5), kBlack, 1));
    EXPECT_TRUE(SameColor(TopDown(picture, 20, 6), kWhite, 1));
}

// A frame being laid stops early when either picture's escape flag is raised, the frame left
// as it was.
TEST(Combine, FrameStopsOnEitherEscapeFlag)
{
    CZVImage frame = Solid(20, 16, kBlack, 255);
    for (long y = 4; y < 12; ++y)
        for (long x = 4; x < 16; ++x)
            frame.AlphaSet(x, y, 0);
    for (long kind : {0L, 1L, 2L}) {
        for (bool onFrame : {true, false}) {
            CZVImage picture = Solid(40, 30, kWhite);
            (onFrame ? static_cast<CxImage&>(frame) : picture).SetEscape(1);
            EXPECT_FALSE(picture.CombineFrame(frame, 1.0f, kind)) << kind << onFrame;
            EXPECT_TRUE(SameColor(TopDown(picture, 20, 15), kWhite, 1)) << kind << onFrame;
            frame.SetEscape(0);
        }
    }
    EXPECT_EQ(frame.GetWidth(), 20u);
    EXPECT_TRUE(SameColor(TopDown(frame, 0, 0), kBlack, 1));
}

TEST(Combine, BrushStrokesPaintTheStrongestCoverOnce)
{
    CZVImage brush = Solid(5, 5, kBlack);   // dark on light: full cover
    CZVImage image = Solid(20, 10, kWhite, 255);
    image.PathClear();
    ASSERT_TRUE(image.CombineBrush(brush, 5, 5, 5, 128, kRed));
    const RGBQUAD once = image.GetPixelColor(5, 5, false);
    EXPECT_NEAR(once.rgbGreen, 127, 1);
    // An overlapping stamp of the same stroke does not darken what it already covered...
    ASSERT_TRUE(image.CombineBrush(brush, 6, 5, 5, 128, kRed));
    EXPECT_TRUE(SameColor(image.GetPixelColor(5, 5, false), once));
    // ...a stronger one raises it to its own cover, as one stamp would have...
    ASSERT_TRUE(image.CombineBrush(brush, 6, 5, 5, 255, kRed));
    EXPECT_TRUE(SameColor(image.GetPixelColor(5, 5, false), kRed, 1));
    // ...and a new stroke paints again.
    CZVImage second = Solid(20, 10, kWhite, 255);
    second.CombineBrush(brush, 5, 5, 5, 128, kRed);
    second.PathClear();
    second.CombineBrush(brush, 5, 5, 5, 128, kRed);
    EXPECT_NEAR(second.GetPixelColor(5, 5, false).rgbGreen, 64, 2);

    // The eraser clears alpha; the pen paints hard edges.
    ASSERT_TRUE(image.CombineEraser(brush, 15, 5, 3, 255, kWhite));
    EXPECT_EQ(image.AlphaGet(15, 5), 0);
    EXPECT_EQ(image.AlphaGet(17, 5), 255);
    CZVImage soft = Solid(3, 3, RGBQUAD{100, 100, 100, 0});   // 60 % dark
    CZVImage pen = Solid(6, 6, kWhite);
    ASSERT_TRUE(pen.CombinePen(soft, 2, 2, 3, 255, kRed));
    EXPECT_TRUE(SameColor(pen.GetPixelColor(2, 2), kRed));
    // Clone painting reads the picture's own pixels from the offset.
    CZVImage clone = Pattern(20, 20);
    clone.PathClear();
    ASSERT_TRUE(clone.CombineBlended(clone, 10, 10, 5, 5, 100, 100, 0, 6, 0));
    EXPECT_TRUE(SameColor(clone.GetPixelColor(10, 10), PatternColor(4, 10)));
    EXPECT_TRUE(SameColor(clone.GetPixelColor(0, 0), PatternColor(0, 0)));
}

TEST(Combine, FloodFillStaysInsideItsArea)
{
    CZVImage image = Solid(9, 9, kWhite, 255);
    // A black ring around the middle; the fill starts inside it.
    for (long i = 2; i <= 6; ++i) {
        image.SetPixelColor(i, 2, kBlack);
        image.SetPixelColor(i, 6, kBlack);
        image.SetPixelColor(2, i, kBlack);
        image.SetPixelColor(6, i, kBlack);
    }
    ASSERT_TRUE(image.FloodFillZV(4, 4, kRed, 30, 255, true));
    EXPECT_TRUE(SameColor(image.GetPixelColor(3, 3), kRed));
    EXPECT_TRUE(SameColor(image.GetPixelColor(5, 5), kRed));
    EXPECT_TRUE(SameColor(image.GetPixelColor(2, 2), kBlack));
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), kWhite));
    RECT box;
    image.SelectionGetBox(box);
    EXPECT_EQ(box.left, 3);
    EXPECT_EQ(box.right, 6);
    EXPECT_FALSE(image.FloodFillZV(-1, 4, kRed, 30));

    // A large area fills without deep recursion.
    CZVImage big = Solid(1500, 1500, kWhite);
    EXPECT_TRUE(big.FloodFillZV(0, 0, kBlue, 0));
    EXPECT_TRUE(SameColor(big.GetPixelColor(1499, 1499), kBlue));
}

TEST(Combine, BackgroundAndShadowEdges)
{
    CZVImage image = Solid(3, 1, kRed, 255);
    image.AlphaSet(0, 0, 0);
    image.AlphaSet(1, 0, 128);
    ASSERT_TRUE(image.ChangeBackground(0xFFFFFFFF));
    EXPECT_EQ(image.AlphaGet(0, 0), 255);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0, false), kWhite));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0, false), RGBQUAD{127, 127, 255, 0}, 1));

    // A shadow: the shape in one colour, grown by the width, then softened.
    CZVImage shape = Solid(21, 21, kRed, 0);
    for (long y = 8; y <= 12; ++y)
        for (long x = 8; x <= 12; ++x)
            shape.AlphaSet(x, y, 255);
    const RGBQUAD grey = {64, 64, 64, 0};
    ASSERT_TRUE(shape.ColorEdge(grey, 3));
    EXPECT_EQ(shape.AlphaGet(5, 10), 255);
    EXPECT_EQ(shape.AlphaGet(4, 10), 0);
    EXPECT_TRUE(SameColor(shape.GetPixelColor(10, 10, false), grey));
    ASSERT_TRUE(shape.AlphaEdge(grey, 4));
    EXPECT_GT(shape.AlphaGet(10, 10), 200);
    EXPECT_GT(shape.AlphaGet(4, 10), 0);
    EXPECT_LT(shape.AlphaGet(5, 10), 255);
}
