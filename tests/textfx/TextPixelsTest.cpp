// The per-pixel arithmetic of the engines.
#include <gtest/gtest.h>
#include <cmath>
#include "TextPixels.h"

using namespace TextDesigner;

namespace {

TEST(TextPixelsTest, BlendOverPixel)
{
    struct Case {
        uint32_t pixel, colour;
        uint8_t a;
        uint32_t expected;
    } cases[] = {
        {0xFF102030, 0xFF405060, 255, 0xFF405060},     // full alpha is the colour itself
        {0xFF102030, 0x80405060, 255, 0x80405060},     // ... as given
        {0xFFFFFFFF, 0xFF000000, 0, 0xFFFEFEFE},       // divided by 256, not 255
        {0x00FFFFFF, 0xFF000000, 128, 0xFF7E7E7E},     // (255 * 127) >> 8; result opaque
        {0xFF000000, 0xFFFFFFFF, 128, 0xFF7F7F7F},     // (255 * 128) >> 8
        {0xFF204060, 0xFFA0C0E0, 64, 0xFF3F5F7F},      // per channel
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendOverPixel(c.pixel, c.colour, c.a), c.expected) << std::hex << c.pixel;
}

TEST(TextPixelsTest, LargerCoverageTakesTheOutlineOnlyWhereItCoversMore)
{
    struct Case {
        uint32_t body, outline, expected;
    } cases[] = {
        {0xFF000000, 0xFF000000, 0xFF000000}, // neither
        {0xFF000000, 0xFF303030, 0xFF303030}, // outline alone
        {0xFF505050, 0xFF000000, 0xFF505050}, // body alone
        {0xFF505050, 0xFF303030, 0xFF505050}, // body covers more
        {0xFF303030, 0xFF505050, 0xFF505050}, // outline covers more
        {0xFF404040, 0xFF404040, 0xFF404040}, // equal: one layer, never a sum
    };
    for (const Case& c : cases)
        EXPECT_EQ(LargerCoverage(c.body, c.outline), c.expected);
}

TEST(TextPixelsTest, ReflectionRamp)
{
    EXPECT_EQ(ReflectionRows(100, 0.8f), 80);
    EXPECT_EQ(ReflectionRows(100, 0.0f), 0);
    EXPECT_EQ(ReflectionRows(1, 0.8f), 0);
    EXPECT_EQ(ReflectionRows(100, -1.0f), 0);
    EXPECT_EQ(ReflectionRows(100, NAN), 0);

    struct Case {
        int row, shown;
        float start, end;
        int expected;
    } cases[] = {
        {0, 80, 0.6f, 0.01f, 153},  {40, 80, 0.6f, 0.01f, 77}, {79, 80, 0.6f, 0.01f, 4},
        {80, 80, 0.6f, 0.01f, 0},   {99, 80, 0.6f, 0.01f, 0},  {0, 0, 0.6f, 0.01f, 0},
        {0, 50, 0.4f, 0.4f, 102},   {49, 50, 0.4f, 0.4f, 102}, // equal alphas: one factor
        {0, 10, 1.5f, 1.5f, 255},   {0, 10, -0.5f, -0.5f, 0},  // out of range is clamped
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReflectionFactor(c.row, c.shown, c.start, c.end), c.expected)
            << "row " << c.row << " of " << c.shown;
}

TEST(TextPixelsTest, ScaleAlphaKeepsTheColour)
{
    EXPECT_EQ(ScaleAlpha(0xFF123456, 153), 0x99123456u);
    EXPECT_EQ(ScaleAlpha(0x80123456, 255), 0x80123456u);
    EXPECT_EQ(ScaleAlpha(0x80123456, 0), 0x00123456u);
    EXPECT_EQ(ScaleAlpha(0x80123456, 128), 0x40123456u); // 128 * 128 / 255 = 64
}

} // namespace
