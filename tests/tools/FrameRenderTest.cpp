// The photo frame dialogs' rules and render steps without windows: the types a mask allows, the
// first render's zoom, a picture framed, and the page maker's fit to a slot.
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include "FrameRender.h"

namespace framerendertest {

// A picture with sharp edges, so that a turn by a slightly wrong angle shows.
CZVImage Checker(long width, long height)
{
    CZVImage p;
    p.Create(width, height, 24);
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x) {
            const bool dark = ((x / 5) + (y / 5)) % 2 != 0;
            p.SetPixelColor(x, y, RGBQUAD{BYTE(dark ? 30 : 220), BYTE(x * 3), BYTE(dark ? 200 : 40), 0});
        }
    return p;
}

// A frame of width x height with a border of the given depth in stripes and a clear middle.
CZVImage DrawnFrame(long width, long height, long border)
{
    CZVImage f;
    f.Create(width, height, 24);
    f.AlphaCreate();
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x) {
            const long depth = std::min(std::min(x, y), std::min(width - 1 - x, height - 1 - y));
            const bool inBorder = depth < border;
            f.SetPixelColor(x, y, RGBQUAD{BYTE(40 * depth), BYTE(255 - 9 * x), BYTE(7 * y), BYTE(inBorder ? 255 : 0)}, true);
        }
    return f;
}

bool SamePixels(const CZVImage& a, const CZVImage& b)
{
    if (!a.IsValid() || !b.IsValid() || a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() ||
        a.GetBpp() != b.GetBpp() || a.AlphaIsValid() != b.AlphaIsValid())
        return false;
    for (long y = 0; y < long(a.GetHeight()); ++y)
        for (long x = 0; x < long(a.GetWidth()); ++x) {
            const RGBQUAD p = a.GetPixelColor(x, y, true), q = b.GetPixelColor(x, y, true);
            if (std::memcmp(&p, &q, sizeof p) != 0)
                return false;
        }
    return true;
}

TEST(FrameTypes, TheMaskDecidesTheRadiosTheCheckedOneTheZoomRowAndTheCallersType)
{
    const struct {
        int mask;
        bool radio[3];
        int checked;
        bool zoomRow;
        int callerType;
    } cases[] = {
        {0, {false, false, false}, -1, false, FRAME_ZOOM},
        {1, {true, false, false}, FRAME_ZOOM, false, FRAME_ZOOM},
        {2, {false, true, false}, FRAME_CORNERS, true, FRAME_CORNERS},
        {4, {false, false, true}, FRAME_SURROUND, true, FRAME_SURROUND},
        {6, {false, true, true}, FRAME_SURROUND, true, FRAME_SURROUND},
        {7, {true, true, true}, FRAME_SURROUND, true, FRAME_SURROUND},
        {3, {true, true, false}, FRAME_CORNERS, true, FRAME_CORNERS},
        {5, {true, false, true}, FRAME_SURROUND, true, FRAME_SURROUND},
    };
    for (const auto& c : cases) {
        const FrameTypeControls got = FrameTypeControlsForMask(c.mask);
        for (int type = 0; type < 3; ++type)
            EXPECT_EQ(got.radio[type], c.radio[type]) << "mask " << c.mask << " radio " << type;
        EXPECT_EQ(got.checked, c.checked) << "mask " << c.mask;
        EXPECT_EQ(got.zoomRow, c.zoomRow) << "mask " << c.mask;
        EXPECT_EQ(FrameTypeFromMask(c.mask), c.callerType) << "mask " << c.mask;
    }
}

TEST(FrameFirstRunZoom, AFrameWiderThanThePictureIsLoweredToFit)
{
    const struct {
        int zoom;
        long picture, frame;
        int expected;
    } cases[] = {
        {100, 640, 800, 80},    // photo / frame x 100
        {100, 799, 800, 99},    // truncated, not rounded
        {100, 800, 800, 100},   // as wide: kept
        {100, 4000, 1600, 100}, // narrower frames are never enlarged
        {250, 4000, 1600, 250},
        {100, 3, 800, 1},       // never below the zoom's smallest value
        {100, 640, 0, 100},     // nothing read: kept
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstRunZoom(c.zoom, c.picture, c.frame), c.expected) << c.picture << " / " << c.frame;
}

// The render is the library's laying of the frame, after the adjustments that are not zero.
TEST(FramePicture, EqualsTheLibrarysFrameAfterTheAdjustmentsThatAreSet)
{
    const CZVImage picture = Checker(60, 40), frame = DrawnFrame(40, 30, 6);
    const struct {
        int type, zoom;
        FrameAdjustments adjust;
    } cases[] = {
        {FRAME_ZOOM, 100, {}},
        {FRAME_CORNERS, 80, {}},
        {FRAME_SURROUND, 150, {}},
        {FRAME_SURROUND, 100, {30, -20, 0, 0}},
        {FRAME_CORNERS, 100, {0, 0, 40, 25}},
        {FRAME_SURROUND, 60, {10, 15, -30, 20}},
    };
    for (const auto& c : cases) {
        CZVImage expected(picture);
        if (c.adjust.brightness || c.adjust.contrast)
            ASSERT_TRUE(expected.EffectBrightnessContrast(c.adjust.brightness, c.adjust.contrast));
        if (c.adjust.hue || c.adjust.saturation)
            ASSERT_TRUE(expected.EffectHueSaturation(c.adjust.hue, c.adjust.saturation));
        ASSERT_TRUE(expected.CombineFrame(frame, c.zoom / 100.0f, c.type));

        CZVImage framed(picture);
        EXPECT_TRUE(FramePicture(framed, frame, c.zoom, c.type, c.adjust)) << "type " << c.type << " zoom " << c.zoom;
        EXPECT_TRUE(SamePixels(framed, expected)) << "type " << c.type << " zoom " << c.zoom;
        EXPECT_FALSE(SamePixels(framed, picture)) << "type " << c.type;
    }
}

TEST(FramePicture, AStoppedRenderOrAMissingFrameMakesNothing)
{
    const CZVImage frame = DrawnFrame(40, 30, 6);
    CZVImage stopped = Checker(60, 40);
    stopped.SetEscape(1);
    EXPECT_FALSE(FramePicture(stopped, frame, 100, FRAME_SURROUND, FrameAdjustments()));
    CZVImage unframed = Checker(60, 40);
    EXPECT_FALSE(FramePicture(unframed, CZVImage(), 100, FRAME_SURROUND, FrameAdjustments()));
    EXPECT_TRUE(SamePixels(unframed, Checker(60, 40)));
}

TEST(FrameFitToSlot, AtAngleZeroOnlySizedWithoutAlpha)
{
    const CZVImage framed = Checker(60, 40);
    CZVImage fitted;
    ASSERT_TRUE(FitFrameToSlot(framed, 120, 80, 0.0f, fitted));
    EXPECT_EQ(fitted.GetWidth(), 120u);
    EXPECT_EQ(fitted.GetHeight(), 80u);
    EXPECT_FALSE(fitted.AlphaIsValid());
    CZVImage zoomed(framed);
    ASSERT_TRUE(zoomed.Zoom(120, 80));
    EXPECT_TRUE(SamePixels(fitted, zoomed));
}

TEST(FrameFitToSlot, TurnedByTheSlotAngleInRadiansWithClearCorners)
{
    const float sixth = float(3.14159265358979323846 / 6);
    const CZVImage framed = Checker(60, 40);
    CZVImage fitted;
    ASSERT_TRUE(FitFrameToSlot(framed, 120, 80, sixth, fitted));
    ASSERT_TRUE(fitted.AlphaIsValid());
    CZVImage expected(framed);
    ASSERT_TRUE(expected.Zoom(120, 80));
    ASSERT_TRUE(expected.AlphaCreate());
    ASSERT_TRUE(expected.Rotate2(30.0f, nullptr, CxImage::IM_BILINEAR, CxImage::OM_TRANSPARENT, nullptr, true, false));
    EXPECT_TRUE(SamePixels(fitted, expected));
    // The turned picture's box: 120 cos 30 + 80 sin 30 wide, a corner of it clear.
    EXPECT_NEAR(double(fitted.GetWidth()), 120 * 0.8660254 + 80 * 0.5, 2.0);
    EXPECT_EQ(fitted.GetPixelColor(0, 0, true).rgbReserved, 0);
    CZVImage none;
    EXPECT_FALSE(FitFrameToSlot(CZVImage(), 120, 80, sixth, none));
    EXPECT_FALSE(FitFrameToSlot(framed, 0, 80, sixth, none));
}

} // namespace framerendertest
