// Geometry on small pictures whose every pixel differs, so each moved pixel can be checked.
#include <gtest/gtest.h>
#include <cmath>
#include "ImageMath.h"
#include "ZVImageTestSupport.h"

using namespace zvtest;

namespace {

// Where a pixel (x, y), rows from the top, of a w x h picture lands.
using Mapping = POINT (*)(long x, long y, long w, long h);

POINT Left(long x, long y, long w, long) { return POINT{y, w - 1 - x}; }
POINT Right(long x, long y, long, long h) { return POINT{h - 1 - y, x}; }
POINT Half(long x, long y, long w, long h) { return POINT{w - 1 - x, h - 1 - y}; }
POINT Flipped(long x, long y, long, long h) { return POINT{x, h - 1 - y}; }
POINT Mirrored(long x, long y, long w, long) { return POINT{w - 1 - x, y}; }

void ExpectMoved(const CxImage& source, const CxImage& moved, Mapping map)
{
    const long w = source.GetWidth(), h = source.GetHeight();
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) {
            const POINT to = map(x, y, w, h);
            ASSERT_TRUE(SameColor(TopDown(moved, to.x, to.y), TopDown(source, x, y), 0, true)) << x << "," << y;
        }
}

} // namespace

TEST(Geometry, QuarterTurnsFlipsAndMirrorsMoveEveryPixel)
{
    const CZVImage source = Pattern(5, 3, true);
    const struct {
        const char* name;
        bool (*op)(CZVImage&);
        Mapping map;
        DWORD width;
    } cases[] = {
        {"RotateLeft", [](CZVImage& i) { return i.RotateLeft(); }, Left, 3},
        {"RotateRight", [](CZVImage& i) { return i.RotateRight(); }, Right, 3},
        {"Rotate180", [](CZVImage& i) { return i.Rotate180(); }, Half, 5},
        {"RotaryZoom -90", [](CZVImage& i) { return i.RotaryZoom(-90, 1, 1); }, Left, 3},
        {"RotaryZoom 90", [](CZVImage& i) { return i.RotaryZoom(90, 1, 1); }, Right, 3},
        {"RotaryZoom 180", [](CZVImage& i) { return i.RotaryZoom(180, 1, 1); }, Half, 5},
        {"Rotate2 270", [](CZVImage& i) { return i.Rotate2(270, nullptr, CxImage::IM_BICUBIC, CxImage::OM_BACKGROUND, nullptr, true); }, Left, 3},
        {"Flip", [](CZVImage& i) { return i.Flip(false, true); }, Flipped, 5},
        {"Mirror", [](CZVImage& i) { return i.Mirror(false, true); }, Mirrored, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZVImage image(source);
        ASSERT_TRUE(c.op(image));
        EXPECT_EQ(image.GetWidth(), c.width);
        ExpectMoved(source, image, c.map);
    }
    // Into a destination, the source stays.
    CZVImage copy(source), turned;
    ASSERT_TRUE(copy.RotateLeft(&turned));
    EXPECT_TRUE(SamePixels(copy, source, 0, true));
    ExpectMoved(source, turned, Left);
}

TEST(Geometry, FlipAndMirrorTakeTheSelectionOnlyWhenAsked)
{
    CZVImage image = Pattern(4, 4);
    image.SelectionAddRect(RECT{0, 0, 1, 1});   // top-left pixel
    ASSERT_TRUE(image.Flip(false, true));
    EXPECT_EQ(image.SelectionGet(0, 3), 255);
    ASSERT_TRUE(image.Flip(true, true));
    EXPECT_EQ(image.SelectionGet(0, 0), 255);
    ASSERT_TRUE(image.Mirror(true, true));
    EXPECT_EQ(image.SelectionGet(3, 0), 255);
    RECT box;
    image.SelectionGetBox(box);
    EXPECT_EQ(box.left, 3);
    EXPECT_EQ(box.right, 4);
}

TEST(Geometry, FreeRotationGrowsTheCanvasWithClearCorners)
{
    CZVImage image;
    ASSERT_TRUE(image.Create(40, 20, 24));
    image.SetRectColor(RECT{0, 0, 40, 20}, RGBQUAD{0, 0, 255, 0});
    CZVImage turned;
    ASSERT_TRUE(image.Rotate2(30, &turned, CxImage::IM_BILINEAR, CxImage::OM_TRANSPARENT));
    EXPECT_EQ(turned.GetWidth(), zvimage::RotatedBounds(40, 20, 30).width);
    EXPECT_EQ(turned.GetWidth(), 45u);   // 40 cos 30 + 20 sin 30 = 44.6
    EXPECT_EQ(turned.GetHeight(), 37u);  // 40 sin 30 + 20 cos 30 = 37.3
    ASSERT_TRUE(turned.AlphaIsValid());
    EXPECT_EQ(turned.AlphaGet(0, 0), 0);
    EXPECT_EQ(turned.AlphaGet(22, 18), 255);
    EXPECT_TRUE(SameColor(turned.GetPixelColor(22, 18), RGBQUAD{0, 0, 255, 0}));
    // A clockwise turn: the picture's top-left corner moves right, so the top-left of the
    // box stays clear while the top edge's left third holds the picture's corner.
    EXPECT_EQ(TopDown(turned, 1, 1).rgbReserved, 0);
    // RotaryZoom scales before it turns; Rotate takes the picture's own alpha.
    CZVImage zoomed;
    ASSERT_TRUE(image.RotaryZoom(0, 2.0f, 0.5f, &zoomed));
    EXPECT_EQ(zoomed.GetWidth(), 80u);
    EXPECT_EQ(zoomed.GetHeight(), 10u);
    ASSERT_TRUE(image.RotaryZoom(45, 0.5f, 0.5f, &zoomed));
    EXPECT_EQ(zoomed.GetWidth(), zvimage::RotatedBounds(20, 10, 45).width);
    EXPECT_EQ(TopDown(zoomed, 0, 0).rgbReserved, 0);
    EXPECT_FALSE(image.RotaryZoom(10, 0.0f, 1.0f, &zoomed));
    CZVImage simple(image);
    ASSERT_TRUE(simple.Rotate(-30));
    EXPECT_EQ(simple.GetWidth(), 45u);
    // A coloured background fills opaque, with the alpha byte the caller gives.
    RGBQUAD background = {0, 255, 0, 255};
    ASSERT_TRUE(image.Rotate2(30, &turned, CxImage::IM_BILINEAR, CxImage::OM_BACKGROUND, &background, true, true));
    EXPECT_EQ(turned.GetWidth(), 40u);
    EXPECT_FALSE(turned.AlphaIsValid());
    EXPECT_TRUE(SameColor(TopDown(turned, 0, 0), background));
}

TEST(Geometry, ResampleGivesExactSizesAndKeepsFlatAreas)
{
    CZVImage image;
    ASSERT_TRUE(image.Create(30, 20, 24));
    image.SetRectColor(RECT{0, 0, 30, 20}, RGBQUAD{10, 100, 200, 0});
    image.SetRectColor(RECT{0, 0, 15, 20}, RGBQUAD{200, 100, 10, 0});
    for (int mode : {0, 1, 2}) {
        CZVImage out;
        ASSERT_TRUE(image.Resample(7, 50, mode, &out));
        EXPECT_EQ(out.GetWidth(), 7u);
        EXPECT_EQ(out.GetHeight(), 50u);
        EXPECT_TRUE(SameColor(out.GetPixelColor(0, 25), RGBQUAD{200, 100, 10, 0}, 1)) << mode;
        EXPECT_TRUE(SameColor(out.GetPixelColor(6, 0), RGBQUAD{10, 100, 200, 0}, 1)) << mode;
    }
    // An area average: each output pixel of a halving is the mean of four.
    CZVImage checker;
    ASSERT_TRUE(checker.Create(4, 2, 24));
    for (long x = 0; x < 4; ++x)
        for (long y = 0; y < 2; ++y)
            checker.SetPixelColor(x, y, (x + y) % 2 ? RGBQUAD{200, 200, 200, 0} : RGBQUAD{0, 0, 0, 0});
    ASSERT_TRUE(checker.QIShrink(2, 1));
    EXPECT_TRUE(SameColor(checker.GetPixelColor(0, 0), RGBQUAD{100, 100, 100, 0}, 1));
    EXPECT_TRUE(SameColor(checker.GetPixelColor(1, 0), RGBQUAD{100, 100, 100, 0}, 1));
    // A palette picture's transparent entry stays the transparent colour of the result.
    CZVImage indexed;
    ASSERT_TRUE(indexed.Create(4, 4, 8));
    indexed.SetPaletteColor(7, 9, 8, 7);
    indexed.SetTransIndex(7);
    CZVImage into;
    ASSERT_TRUE(indexed.Resample(3, 3, 1, &into));
    EXPECT_TRUE(SameColor(into.GetTransColor(), RGBQUAD{7, 8, 9, 0}));
    ASSERT_TRUE(indexed.Resample(2, 2, 1));
    EXPECT_EQ(indexed.GetBpp(), 24);
    EXPECT_TRUE(indexed.IsTransparent());
    EXPECT_TRUE(SameColor(indexed.GetTransColor(), RGBQUAD{7, 8, 9, 0}));
    // Transparent pixels lend no colour to their neighbours.
    CZVImage edge;
    ASSERT_TRUE(edge.Create(2, 1, 24));
    edge.AlphaCreate();
    edge.SetPixelColor(0, 0, RGBQUAD{255, 0, 0, 255}, true);
    edge.SetPixelColor(1, 0, RGBQUAD{0, 0, 255, 0}, true);
    ASSERT_TRUE(edge.Resample(1, 1, 1));
    EXPECT_TRUE(SameColor(edge.GetPixelColor(0, 0, false), RGBQUAD{255, 0, 0, 0}, 1));
    EXPECT_NEAR(edge.AlphaGet(0, 0), 128, 1);
}

TEST(Geometry, CropsCountRowsFromTheTop)
{
    const CZVImage source = Pattern(8, 6, true);
    CZVImage image(source), part;
    ASSERT_TRUE(image.Crop(RECT{2, 1, 5, 4}, &part));
    ASSERT_EQ(part.GetWidth(), 3u);
    ASSERT_EQ(part.GetHeight(), 3u);
    EXPECT_TRUE(SameColor(TopDown(part, 0, 0), TopDown(source, 2, 1), 0, true));
    EXPECT_TRUE(SameColor(TopDown(part, 2, 2), TopDown(source, 4, 3), 0, true));
    // Clipped at the edges; nothing left is a failure.
    ASSERT_TRUE(image.Crop(RECT{-3, 4, 3, 99}, &part));
    EXPECT_EQ(part.GetWidth(), 3u);
    EXPECT_EQ(part.GetHeight(), 2u);
    EXPECT_FALSE(image.Crop(RECT{8, 0, 12, 6}, &part));

    // Pieces of a grid from the top left, cut at the edges.
    ASSERT_TRUE(image.CropImage(3, 4, 1, 2, &part));
    EXPECT_EQ(part.GetWidth(), 2u);
    EXPECT_EQ(part.GetHeight(), 2u);
    EXPECT_TRUE(SameColor(TopDown(part, 0, 0), TopDown(source, 6, 4), 0, true));
    EXPECT_FALSE(image.CropImage(3, 4, 2, 0, &part));
    ASSERT_TRUE(image.CropFullImage(3, 4, &part));   // 8/3 -> 3 across, 6/4 -> 2 down: all of it
    EXPECT_EQ(part.GetWidth(), 8u);
    ASSERT_TRUE(image.CropFullImage(5, 4, &part));   // 8/5 -> 2 across (10 wide, clipped)
    EXPECT_EQ(part.GetWidth(), 8u);
    ASSERT_TRUE(image.CropFullImage(6, 4, &part));   // 8/6 -> 1 across
    EXPECT_EQ(part.GetWidth(), 6u);
}

TEST(Geometry, FitsAndProportionalCrops)
{
    CZVImage image = Pattern(200, 100);
    ASSERT_TRUE(image.CropMax(1, 1));
    EXPECT_EQ(image.GetWidth(), 100u);
    EXPECT_TRUE(SameColor(TopDown(image, 0, 0), TopDown(Pattern(200, 100), 50, 0)));
    image = Pattern(200, 100);
    ASSERT_TRUE(image.CropZoomInFrame(30, 60));
    EXPECT_EQ(image.GetWidth(), 30u);
    EXPECT_EQ(image.GetHeight(), 60u);
    image = Pattern(200, 100);
    ASSERT_TRUE(image.ResampleInFrame(50, 50));
    EXPECT_EQ(image.GetWidth(), 50u);
    EXPECT_EQ(image.GetHeight(), 25u);
    ASSERT_TRUE(image.ResampleInFrame(400, 400));   // shrinking only
    EXPECT_EQ(image.GetWidth(), 50u);
    ASSERT_TRUE(image.ResampleInFrame(400, 400, false));
    EXPECT_EQ(image.GetWidth(), 400u);
    ASSERT_TRUE(image.Zoom(33, 77));
    EXPECT_EQ(image.GetHeight(), 77u);
    ASSERT_TRUE(image.ZoomFast(5, 6));
    EXPECT_EQ(image.GetWidth(), 5u);
}

TEST(Geometry, ExpandTakesNegativeMargins)
{
    const CZVImage source = Pattern(6, 4, false);
    const RGBQUAD grey = {128, 128, 128, 255};
    CZVImage image(source);
    ASSERT_TRUE(image.ExpandZV(2, 1, 0, 3, grey));
    EXPECT_EQ(image.GetWidth(), 8u);
    EXPECT_EQ(image.GetHeight(), 8u);
    EXPECT_FALSE(image.AlphaIsValid());
    EXPECT_TRUE(SameColor(TopDown(image, 0, 0), grey));
    EXPECT_TRUE(SameColor(TopDown(image, 2, 1), TopDown(source, 0, 0)));
    EXPECT_TRUE(SameColor(TopDown(image, 7, 4), TopDown(source, 5, 3)));
    EXPECT_TRUE(SameColor(TopDown(image, 7, 7), grey));
    // Negative margins cut.
    image = source;
    ASSERT_TRUE(image.ExpandZV(-1, -1, -2, 1, grey));
    EXPECT_EQ(image.GetWidth(), 3u);
    EXPECT_EQ(image.GetHeight(), 4u);
    EXPECT_TRUE(SameColor(TopDown(image, 0, 0), TopDown(source, 1, 1)));
    EXPECT_TRUE(SameColor(TopDown(image, 2, 2), TopDown(source, 3, 3)));
    EXPECT_TRUE(SameColor(TopDown(image, 0, 3), grey));
    EXPECT_FALSE(image.ExpandZV(-3, 0, 0, 0, grey));   // nothing would be left
    // ExpandFF gives the new area the colour's own alpha.
    image = source;
    ASSERT_TRUE(image.ExpandFF(1, 0, 0, 0, RGBQUAD{0, 0, 0, 0}));
    ASSERT_TRUE(image.AlphaIsValid());
    EXPECT_EQ(TopDown(image, 0, 0).rgbReserved, 0);
    EXPECT_EQ(TopDown(image, 1, 0).rgbReserved, 255);
}

TEST(Geometry, PureArithmetic)
{
    using namespace zvimage;
    // A thumbnail fitted into a box is never enlarged.
    const RECT box = {0, 0, 400, 400};
    const RECT fitted = FitRect(100, 50, box, false);
    EXPECT_EQ(fitted.left, 150);
    EXPECT_EQ(fitted.top, 175);
    EXPECT_EQ(fitted.right - fitted.left, 100);
    const SIZE small = FitSize(100, 50, 40, 40, false);
    EXPECT_EQ(small.cx, 40);
    EXPECT_EQ(small.cy, 20);
    const RECT crop = CropMaxRect(300, 200, 1, 1);
    EXPECT_EQ(crop.left, 50);
    EXPECT_EQ(crop.right, 250);
    const struct {
        DWORD w, h, box;
        int denominator;
    } shrink[] = {
        {4000, 3000, 256, 4}, {4000, 3000, 100, 8}, {4000, 3000, 1000, 2}, {4000, 3000, 1600, 1},
        {4000, 3000, 0, 1},   {100, 100, 256, 1},
    };
    for (const auto& s : shrink)
        EXPECT_EQ(ShrinkDenominator(s.w, s.h, s.box, s.box), s.denominator) << s.box;
    const struct {
        DWORD w, h, box;
        int eighths;
    } cover[] = {
        {2000, 1500, 1024, 5}, {2000, 1500, 1000, 4}, {1500, 2000, 1024, 5}, {4000, 3000, 100, 1},
        {2001, 1501, 1000, 4}, {2000, 1500, 1999, 8}, {2000, 1500, 3000, 8}, {2000, 1500, 0, 8},
    };
    for (const auto& c : cover)
        EXPECT_EQ(ShrinkEighths(c.w, c.h, c.box, c.box), c.eighths) << c.w << " " << c.box;
    EXPECT_EQ(RotatedBounds(40, 20, 90).width, 20u);
    EXPECT_EQ(RotatedBounds(40, 20, 180).height, 20u);
}
