// The dialogs' arithmetic: size units, the progress percentage, the gap limit and the layout of
// photos on a page.
#include <cmath>
#include "BaseUtil.h"
#include "DialogRules.h"
#include "DialogsTest.h"

namespace {

std::string Rects(const std::vector<RECT>& rects)
{
    std::string text;
    for (const RECT& r : rects)
        text += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")";
    return text;
}

TEST(ResizeUnits, ConvertBetweenPixelsCentimetresAndInches)
{
    using namespace resizeunits;
    const struct {
        double value;
        int from, to;
        double resolution;
        int resolutionUnit;
        double expected;
    } cases[] = {
        {3000, UNIT_PIXELS, UNIT_INCHES, 72, RES_PER_INCH, 41.6667},
        {2000, UNIT_PIXELS, UNIT_INCHES, 72, RES_PER_INCH, 27.7778},
        {41.67, UNIT_INCHES, UNIT_PIXELS, 72, RES_PER_INCH, 3000.24},
        {72, UNIT_PIXELS, UNIT_CM, 72, RES_PER_INCH, 2.539999918},
        {2.539999918, UNIT_CM, UNIT_PIXELS, 72, RES_PER_INCH, 72},
        {100, UNIT_PIXELS, UNIT_CM, 50, RES_PER_CM, 2},          // pixels per centimetre
        {2, UNIT_CM, UNIT_PIXELS, 50, RES_PER_CM, 100},
        {1, UNIT_INCHES, UNIT_PIXELS, 50, RES_PER_CM, 127},       // 50 x 2.539999918
        {1, UNIT_INCHES, UNIT_CM, 72, RES_PER_INCH, 2.539999918}, // the factor, not 2.54
        {2.539999918, UNIT_CM, UNIT_INCHES, 300, RES_PER_CM, 1},
        {500, UNIT_PIXELS, UNIT_INCHES, 0, RES_PER_INCH, 500},   // no resolution: unchanged
        {7, UNIT_CM, UNIT_CM, 72, RES_PER_INCH, 7},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Convert(c.value, c.from, c.to, c.resolution, c.resolutionUnit), c.expected, 1e-3)
            << c.value << " from " << c.from << " to " << c.to << " at " << c.resolution << "/" << c.resolutionUnit;
    EXPECT_NEAR(ConvertResolution(72, RES_PER_INCH, RES_PER_CM), 72 / 2.539999918, 1e-9);
    EXPECT_NEAR(ConvertResolution(28.35, RES_PER_CM, RES_PER_INCH), 28.35 * 2.539999918, 1e-9);
    EXPECT_EQ(ConvertResolution(72, RES_PER_INCH, RES_PER_INCH), 72);
}

TEST(ResizeUnits, ReadBackInPixelsAndPixelsPerInch)
{
    using namespace resizeunits;
    const struct {
        double width, height;
        int unit;
        double resolution;
        int resolutionUnit;
        PixelSize expected;
    } cases[] = {
        {3000, 2000, UNIT_PIXELS, 72, RES_PER_INCH, {3000, 2000, 72}},
        {41.67, 27.78, UNIT_INCHES, 72, RES_PER_INCH, {3000, 2000, 72}},
        {10, 5, UNIT_CM, 254, RES_PER_INCH, {1000, 500, 254}},
        // Pixels per centimetre come back per inch, and the size follows from that.
        {10, 5, UNIT_CM, 100, RES_PER_CM, {1000, 500, 253}},
        {2, 1, UNIT_INCHES, 100, RES_PER_CM, {507, 253, 253}},
        {640.9, 480.9, UNIT_PIXELS, 96.9, RES_PER_INCH, {640, 480, 96}},   // truncated
    };
    for (const auto& c : cases) {
        const PixelSize got = ToPixels(c.width, c.height, c.unit, c.resolution, c.resolutionUnit);
        EXPECT_EQ(got.width, c.expected.width) << c.width << " unit " << c.unit;
        EXPECT_EQ(got.height, c.expected.height) << c.height << " unit " << c.unit;
        EXPECT_EQ(got.resolution, c.expected.resolution) << c.resolution << "/" << c.resolutionUnit;
    }
}

TEST(ProgressPercent, CountsFromTheStartOfTheRangeIn64Bits)
{
    const struct {
        int pos, min, max, expected;
    } cases[] = {
        {150, 100, 200, 50}, {100, 100, 200, 0}, {200, 100, 200, 100}, {5, 0, 10, 50},
        {2000000000, 0, 2100000000, 95},       // pos x 100 overflows 32 bits
        {0, -2000000000, 2000000000, 50},      // so does max - min
        {7, 10, 10, 0}, {7, 10, 5, 0},         // an empty or upside-down range
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgressPercent(c.pos, c.min, c.max), c.expected) << c.pos << " in " << c.min << ".." << c.max;
}

TEST(PrintRules, RoundingAndTheGapLimit)
{
    // Half up at n decimals with a 1e-7 nudge, symmetric below zero.
    const struct {
        double value;
        short digits;
        double expected;
    } rounding[] = {{2.345, 2, 2.35}, {1.005, 2, 1.01}, {2.344999, 2, 2.34}, {106.9, 0, 107}, {0.0, 2, 0.0}};
    for (const auto& r : rounding)
        EXPECT_DOUBLE_EQ(RoundDecimal(r.digits, r.value), r.expected) << r.value;

    const struct {
        double paperWidth, paperHeight, width, height, expected;
    } limits[] = {
        {21.0, 29.7, 10.16, 15.24, 10.84},   // the narrower free space
        {21.0, 29.7, 20.0, 10.0, 1.0},
        {21.0, 29.7, 21.0, 29.7, 0.1},       // no room: the floor
        {21.0, 29.7, 25.0, 30.0, 0.1},       // larger than the paper: the floor
        {0, 0, 0, 0, 0.1},                   // no paper at all
    };
    for (const auto& l : limits)
        EXPECT_DOUBLE_EQ(printlayout::MaxThickness(l.paperWidth, l.paperHeight, l.width, l.height), l.expected)
            << l.width << " x " << l.height;
}

TEST(PrintLayout, PlacesPhotosInColumnsThenTheLastRow)
{
    const struct {
        const char* name;
        SIZE page, cell;
        int gap, count;
        bool center;
        POINT offset;
        POINT origin;
        const char* photos;
    } cases[] = {
        {"one photo at the offset", {100, 140}, {40, 60}, 0, 1, false, {5, 7}, {5, 7}, "(5,7)"},
        {"two across from the corner", {100, 140}, {40, 60}, 4, 2, false, {0, 0}, {0, 0}, "(0,0)(44,0)"},
        // Two columns fit (2 x 44 <= 104); each column fills downward first.
        {"full rows run down each column", {100, 140}, {40, 60}, 4, 4, false, {0, 0}, {0, 0}, "(0,0)(0,64)(44,0)(44,64)"},
        {"centred full rows", {100, 140}, {40, 60}, 4, 4, true, {0, 0}, {8, 8}, "(8,8)(8,72)(52,8)(52,72)"},
        // 3 photos: one full row (r = 1) and one more; both rows count for the centring.
        {"incomplete last row", {100, 140}, {40, 60}, 4, 3, true, {0, 0}, {8, 8}, "(8,8)(52,8)(8,72)"},
        {"incomplete last row, room to spare", {100, 300}, {40, 60}, 4, 3, true, {0, 0}, {8, 88}, "(8,88)(52,88)(8,152)"},
        {"fewer than a row centre across and down", {100, 140}, {20, 30}, 0, 2, true, {0, 0}, {30, 55}, "(30,55)(50,55)"},
        // More rows than fit: the block is centred on the rows that fit and runs off the page.
        {"more rows than fit", {100, 100}, {50, 40}, 0, 6, true, {0, 0}, {0, 10}, "(0,10)(0,50)(0,90)(50,10)(50,50)(50,90)"},
        {"a cell wider than the page is one column", {30, 100}, {50, 40}, 0, 2, true, {0, 0}, {0, 10}, "(0,10)(0,50)"},
        {"negative offsets become 0", {100, 140}, {40, 60}, 0, 1, false, {-5, -9}, {0, 0}, "(0,0)"},
        {"an empty cell lays out nothing", {100, 140}, {0, 60}, 0, 3, true, {0, 0}, {0, 0}, ""},
    };
    for (const auto& c : cases) {
        const printlayout::Layout layout = printlayout::LayOutPhotos(c.page, c.cell, c.gap, c.count, c.center, c.offset);
        EXPECT_EQ(layout.origin.x, c.origin.x) << c.name;
        EXPECT_EQ(layout.origin.y, c.origin.y) << c.name;
        EXPECT_EQ(Rects(layout.photos), c.photos) << c.name;
    }
}

TEST(PrintLayout, MaxCountIsRowsTimesColumnsAtLeastOne)
{
    const struct {
        SIZE page, cell;
        int gap, expected;
    } cases[] = {
        {{100, 140}, {40, 60}, 4, 4},
        {{100, 140}, {40, 60}, 0, 4},
        {{100, 140}, {20, 30}, 0, 20},
        {{4960, 7016}, {2400, 3600}, 59, 2},   // 4 x 6 inches on A4 at 600 dpi
        {{30, 100}, {50, 40}, 0, 2},           // no column fits: one
        {{100, 30}, {50, 40}, 0, 1},           // no row fits: still one
        {{100, 100}, {0, 0}, 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printlayout::MaxCount(c.page, c.cell, c.gap), c.expected) << c.cell.cx << "x" << c.cell.cy << " gap " << c.gap;
}

TEST(PrintLayout, SizeListStartsWithAutomaticAndNamesEachSize)
{
    const std::vector<printlayout::PhotoSize>& sizes = printlayout::PhotoSizes();
    ASSERT_EQ(sizes.size(), 18u);
    EXPECT_STREQ(sizes[0].prefix, L"Automatic");
    EXPECT_EQ(sizes[0].count, 1);
    EXPECT_STREQ(sizes[13].numbers, L"4 \u00D7 6 ");
    EXPECT_EQ(sizes[13].unit, printlayout::UNIT_INCHES);
    EXPECT_EQ(sizes[13].count, 2);
    EXPECT_STREQ(sizes[7].prefix, L"Wallet");
    EXPECT_DOUBLE_EQ(sizes[17].height, 13.6);
}

} // namespace
