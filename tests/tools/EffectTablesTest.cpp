// The effect tables: ranges that follow the picture, start values brought into them, indexes
// outside the tables, and the colour and opacity conversions.
#include <gtest/gtest.h>
#include "EffectTables.h"

namespace {

struct PictureRangeCase {
    const char* effect;
    EffectRange (*range)(int width, int height);
    int width, height;
    EffectRange expected;
};

// The ranges a dialog of that index takes on a picture of width x height.
EffectRange OneOptionRange(int index, int width, int height)
{
    OneOptionOptions options;
    options.effectIndex = index;
    EXPECT_TRUE(ApplyTableRanges(options, width, height));
    return {options.minimum, options.maximum};
}

EffectRange TwoOptionFirstRange(int index, int width, int height)
{
    TwoOptionOptions options;
    options.effectIndex = index;
    EXPECT_TRUE(ApplyTableRanges(options, width, height));
    return {options.firstMinimum, options.firstMaximum};
}

const PictureRangeCase kPictureRanges[] = {
    {"Raise Frame", [](int w, int h) { return OneOptionRange(6, w, h); }, 30, 10, {2, 5}},
    {"Raise Frame", [](int w, int h) { return OneOptionRange(6, w, h); }, 10, 31, {2, 5}},
    {"Raise Frame", [](int w, int h) { return OneOptionRange(6, w, h); }, 3, 3, {2, 2}},
    {"Raise Frame", [](int w, int h) { return OneOptionRange(6, w, h); }, 0, 0, {2, 2}},
    {"Glass Tile", [](int w, int h) { return TwoOptionFirstRange(2, w, h); }, 30, 10, {2, 10}},
    {"Glass Tile", [](int w, int h) { return TwoOptionFirstRange(2, w, h); }, 1, 40, {2, 2}},
    {"3D Grid", [](int w, int h) { return TwoOptionFirstRange(1, w, h); }, 30, 10, {2, 10}},
    {"3D Grid", [](int w, int h) { return TwoOptionFirstRange(1, w, h); }, 0, 0, {2, 2}},
    // The others keep their ranges on any picture.
    {"Mosaic", [](int w, int h) { return OneOptionRange(3, w, h); }, 30, 10, {2, 100}},
    {"Bulge", [](int w, int h) { return OneOptionRange(9, w, h); }, 1, 1, {-200, 100}},
    {"Motion Blur", [](int w, int h) { return TwoOptionFirstRange(0, w, h); }, 3, 3, {1, 200}},
    {"Blinds across", [](int w, int h) { return BlindsWidthRange(0, w, h); }, 30, 10, {1, 10}},
    {"Blinds down", [](int w, int h) { return BlindsWidthRange(1, w, h); }, 30, 10, {1, 30}},
    {"Blinds across", [](int w, int h) { return BlindsWidthRange(0, w, h); }, 30, 0, {1, 1}},
    {"Blinds down", [](int w, int h) { return BlindsWidthRange(1, w, h); }, 0, 10, {1, 1}},
};

TEST(EffectRanges, FollowThePicture)
{
    for (const PictureRangeCase& c : kPictureRanges) {
        const EffectRange range = c.range(c.width, c.height);
        EXPECT_EQ(range.minimum, c.expected.minimum) << c.effect << " on " << c.width << " x " << c.height;
        EXPECT_EQ(range.maximum, c.expected.maximum) << c.effect << " on " << c.width << " x " << c.height;
    }
}

// The second range never follows the picture; without the use-table flag, or with an index
// outside the table, the dialog keeps the ranges it holds.
TEST(EffectRanges, TableRangesOnlyWithTheFlag)
{
    TwoOptionOptions glass;
    glass.effectIndex = 2;
    ASSERT_TRUE(ApplyTableRanges(glass, 30, 10));
    EXPECT_EQ(glass.secondMinimum, -20);
    EXPECT_EQ(glass.secondMaximum, 20);

    OneOptionOptions own;
    own.effectIndex = 6;
    own.useTable = 0;
    EXPECT_FALSE(ApplyTableRanges(own, 30, 10));
    EXPECT_EQ(own.minimum, 1);
    EXPECT_EQ(own.maximum, 100);
    OneOptionOptions past;
    past.effectIndex = kOneOptionEffectCount;
    EXPECT_FALSE(ApplyTableRanges(past, 30, 10));
    EXPECT_EQ(past.maximum, 100);
    TwoOptionOptions pastTwo;
    pastTwo.effectIndex = kTwoOptionEffectCount;
    EXPECT_FALSE(ApplyTableRanges(pastTwo, 30, 10));
    EXPECT_EQ(pastTwo.firstMaximum, 0);

    SelectiveFocusOptions focus;
    focus.mode = 1;
    ASSERT_TRUE(ApplyModeRanges(focus));
    EXPECT_EQ(focus.firstMaximum, 200);
    EXPECT_EQ(focus.secondMaximum, 360);
    focus.mode = 0;
    ASSERT_TRUE(ApplyModeRanges(focus));
    EXPECT_EQ(focus.firstMinimum, 1);
    EXPECT_EQ(focus.firstMaximum, 20);
    focus.mode = kSelectiveFocusModeCount;
    EXPECT_FALSE(ApplyModeRanges(focus));
}

TEST(EffectRanges, StartValuesAreClamped)
{
    struct Case {
        int value;
        EffectRange range;
        int expected;
    };
    const Case cases[] = {
        {1, {2, 5}, 2}, {9, {2, 5}, 5}, {3, {2, 5}, 3}, {-300, {-200, 100}, -200}, {7, {2, 2}, 2}, {0, {2, 2}, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampToRange(c.value, c.range), c.expected) << c.value << " in " << c.range.minimum << ".." << c.range.maximum;
}

TEST(EffectTables, AnIndexOutsideATableBuildsNothing)
{
    EXPECT_EQ(FindOneOptionEffect(-1), nullptr);
    EXPECT_EQ(FindOneOptionEffect(kOneOptionEffectCount), nullptr);
    EXPECT_NE(FindOneOptionEffect(kOneOptionEffectCount - 1), nullptr);
    EXPECT_EQ(FindTwoOptionEffect(-1), nullptr);
    EXPECT_EQ(FindTwoOptionEffect(kTwoOptionEffectCount), nullptr);
    EXPECT_NE(FindTwoOptionEffect(kTwoOptionEffectCount - 1), nullptr);
    EXPECT_EQ(FindSelectiveFocusMode(-1), nullptr);
    EXPECT_EQ(FindSelectiveFocusMode(kSelectiveFocusModeCount), nullptr);

    EXPECT_EQ(BuildOneOptionEffect(-1, 5), nullptr);
    EXPECT_EQ(BuildOneOptionEffect(kOneOptionEffectCount, 5), nullptr);
    EXPECT_EQ(BuildTwoOptionEffect(-1, 5, 5), nullptr);
    EXPECT_EQ(BuildTwoOptionEffect(kTwoOptionEffectCount, 5, 5), nullptr);
    EXPECT_EQ(BuildProcessingEffect(-1, ProcessingValues()), nullptr);
    EXPECT_EQ(BuildProcessingEffect(kProcessingEffectCount, ProcessingValues()), nullptr);
    EXPECT_EQ(BuildSelectiveFocus(-1, 10, 0), nullptr);
    EXPECT_EQ(BuildSelectiveFocus(kSelectiveFocusModeCount, 10, 0), nullptr);
    OneOptionOptions one;
    one.effectIndex = kOneOptionEffectCount;
    EXPECT_EQ(BuildProcessor(one), nullptr);
    TwoOptionOptions two;
    two.effectIndex = -1;
    EXPECT_EQ(BuildProcessor(two), nullptr);
    ProcessingOptions processing;
    processing.effectIndex = kProcessingEffectCount;
    EXPECT_EQ(BuildProcessor(processing), nullptr);
    for (int i = 0; i < kProcessingEffectCount; ++i)
        EXPECT_NE(BuildProcessingEffect(i, ProcessingValues()), nullptr) << i;
}

// Choosing a mode sets a start value inside the mode's own first range; the blur mode has one
// value only.
TEST(EffectTables, SelectiveFocusModes)
{
    for (int mode = 0; mode < kSelectiveFocusModeCount; ++mode) {
        const SelectiveFocusMode* m = FindSelectiveFocusMode(mode);
        EXPECT_EQ(ClampToRange(m->firstValue, m->firstRange), m->firstValue) << mode;
    }
    EXPECT_EQ(FindSelectiveFocusMode(0)->secondLabel, nullptr);
    EXPECT_NE(FindSelectiveFocusMode(1)->secondLabel, nullptr);
}

TEST(EffectColours, ButtonColoursAndTheColourTone)
{
    const RGBQUAD quad = ColorRefToQuad(RGB(10, 20, 30));
    EXPECT_EQ(quad.rgbRed, 10);
    EXPECT_EQ(quad.rgbGreen, 20);
    EXPECT_EQ(quad.rgbBlue, 30);
    EXPECT_EQ(quad.rgbReserved, 255);
    EXPECT_EQ(QuadToColorRef(quad), RGB(10, 20, 30));
    EXPECT_EQ(QuadToColorRef(RGBQUAD{30, 20, 10, 0}), RGB(10, 20, 30));

    const RGBQUAD tone = ColorToneColour(200, 100, 50, 77);
    EXPECT_EQ(tone.rgbRed, 200);
    EXPECT_EQ(tone.rgbGreen, 100);
    EXPECT_EQ(tone.rgbBlue, 50);
    EXPECT_EQ(tone.rgbReserved, 77);
    const RGBQUAD held = ColorToneColour(300, -5, 256, 255);
    EXPECT_EQ(held.rgbRed, 255);
    EXPECT_EQ(held.rgbGreen, 0);
    EXPECT_EQ(held.rgbBlue, 255);
}

// Rounded both ways, so 100 % is fully opaque and 50 % the nearer byte; a percentage read
// back from a byte gives the percentage that made it.
TEST(EffectColours, OpacityPercentAndAlpha)
{
    struct Case {
        int percent;
        BYTE alpha;
    };
    const Case cases[] = {{0, 0}, {1, 3}, {10, 26}, {50, 128}, {99, 252}, {100, 255}};
    for (const Case& c : cases) {
        EXPECT_EQ(PercentToAlpha(c.percent), c.alpha) << c.percent;
        EXPECT_EQ(AlphaToPercent(c.alpha), c.percent) << int(c.alpha);
    }
    EXPECT_EQ(PercentToAlpha(-20), 0);
    EXPECT_EQ(PercentToAlpha(180), 255);
    EXPECT_EQ(AlphaToPercent(127), 50);
    for (int percent = 0; percent <= 100; ++percent)
        EXPECT_EQ(AlphaToPercent(PercentToAlpha(percent)), percent);

    for (const Case& c : {Case{0, 0}, Case{50, 128}, Case{100, 255}}) {
        std::unique_ptr<CProcessBase> p = BuildProcessor(TransparentColorOptions{RGBQUAD{1, 2, 3, 255}, 10, BYTE(c.percent)});
        ASSERT_NE(dynamic_cast<CEffectTransparentColor*>(p.get()), nullptr);
        EXPECT_EQ(static_cast<CEffectTransparentColor*>(p.get())->m_opacity, c.alpha) << c.percent;
    }
}

} // namespace
