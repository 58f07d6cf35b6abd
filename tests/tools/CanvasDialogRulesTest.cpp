// The canvas and layer dialogs' arithmetic as tables: margins by anchor, the expand dialog's two
// control sets, the anchors' arrow walk, grid presets, export types and filters, a layer's place
// and angle, kept ratios and the shadow's offsets.
#include <set>
#include <gtest/gtest.h>
#include "CanvasDialogRules.h"
#include "CanvasDialogsIds.h"
#include "DlgShadowOption.h"
#include "NewPictureRules.h"

TEST(CanvasDialogRules, AnchorMarginsGrowAndShrinkAroundTheAnchor)
{
    const struct {
        int anchor, newWidth, newHeight, width, height;
        CanvasMargins expected;   // left, top, right, bottom
    } cases[] = {
        {0, 120, 90, 100, 60, {0, 0, 20, 30}},       {1, 120, 90, 100, 60, {10, 0, 10, 30}},
        {2, 120, 90, 100, 60, {20, 0, 0, 30}},       {3, 120, 90, 100, 60, {0, 15, 20, 15}},
        {4, 120, 90, 100, 60, {10, 15, 10, 15}},     {5, 120, 90, 100, 60, {20, 15, 0, 15}},
        {6, 120, 90, 100, 60, {0, 30, 20, 0}},       {7, 120, 90, 100, 60, {10, 30, 10, 0}},
        {8, 120, 90, 100, 60, {20, 30, 0, 0}},
        {4, 101, 101, 100, 100, {0, 0, 1, 1}},       // the odd pixel goes right and down
        {4, 80, 50, 100, 60, {-10, -5, -10, -5}},    // smaller: both sides cut
        {4, 99, 59, 100, 60, {0, 0, -1, -1}},        // halves truncate toward zero
        {8, 80, 50, 100, 60, {-20, -10, 0, 0}},
        {9, 120, 90, 100, 60, {0, 0, 20, 30}},       // out of range counts as 0
        {-1, 120, 90, 100, 60, {0, 0, 20, 30}},
    };
    for (const auto& c : cases) {
        const CanvasMargins m = AnchorMargins(c.anchor, c.newWidth, c.newHeight, c.width, c.height);
        EXPECT_EQ(m.left, c.expected.left) << "anchor " << c.anchor << " to " << c.newWidth;
        EXPECT_EQ(m.top, c.expected.top) << "anchor " << c.anchor << " to " << c.newWidth;
        EXPECT_EQ(m.right, c.expected.right) << "anchor " << c.anchor << " to " << c.newWidth;
        EXPECT_EQ(m.bottom, c.expected.bottom) << "anchor " << c.anchor << " to " << c.newWidth;
    }
}

TEST(CanvasDialogRules, ExpandModesEnableDisjointControlSets)
{
    const std::vector<int>& size = ExpandSizeControls();
    const std::vector<int>& margins = ExpandMarginControls();
    const std::vector<int> sizeIds = {1118, 1119, 1057, 1069, 1452, 1453, 1443, 1492,
                                      1502, 1503, 1504, 1505, 1506, 1507, 1508, 1509, 1510};
    const std::vector<int> marginIds = {1445, 1425, 1454, 1446, 1449, 1455, 1447, 1450, 1456, 1448, 1451, 1457};
    EXPECT_EQ(std::set<int>(size.begin(), size.end()), std::set<int>(sizeIds.begin(), sizeIds.end()));
    EXPECT_EQ(std::set<int>(margins.begin(), margins.end()), std::set<int>(marginIds.begin(), marginIds.end()));
}

TEST(CanvasDialogRules, ArrowKeysWalkTheAnchorGrid)
{
    const struct {
        int anchor;
        UINT key;
        int expected;
    } cases[] = {
        {4, VK_LEFT, 3},  {4, VK_RIGHT, 5}, {4, VK_UP, 1},    {4, VK_DOWN, 7},
        {3, VK_LEFT, 3},  {5, VK_RIGHT, 5}, {2, VK_UP, 2},    {6, VK_DOWN, 6},   // edges stay
        {2, VK_RIGHT, 2}, {6, VK_LEFT, 6},  {0, VK_DOWN, 3},  {8, VK_UP, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnchorAfterKey(c.anchor, c.key), c.expected) << c.anchor << " key " << c.key;
}

TEST(CanvasDialogRules, GridPresetsOnAThousandBySevenHundredCanvas)
{
    const struct {
        int index;
        const wchar_t* word;
        const wchar_t* suffix;
        int width, height;
        float exactWidth, exactHeight;
    } cases[] = {
        {0, L"Square", L" 50", 50, 50, 0, 0},         {3, L"Square", L" 200", 200, 200, 0, 0},
        {4, L"Square", L" 16", 16, 16, 0, 0},         {9, L"Square", L" 256", 256, 256, 0, 0},
        {10, L"Divide", L" 9", 333, 233, 1000.0f / 3, 700.0f / 3},
        {11, L"Divide", L" 16", 250, 175, 250, 175},  {12, L"Divide", L" 25", 200, 140, 200, 140},
        {13, L"Divide", L" 64", 125, 87, 125, 87.5f}, {14, L"Divide", L" 81", 111, 77, 1000.0f / 9, 700.0f / 9},
        {15, L"Divide", L" 100", 100, 70, 100, 70},
    };
    for (const auto& c : cases) {
        GridCell cell = {};
        ASSERT_TRUE(GridPresetCell(c.index, 1000, 700, cell)) << c.index;
        EXPECT_STREQ(GridPresetWord(c.index), c.word);
        EXPECT_STREQ(GridPresetSuffix(c.index), c.suffix);
        EXPECT_EQ(cell.width, c.width) << c.index;
        EXPECT_EQ(cell.height, c.height) << c.index;
        EXPECT_FLOAT_EQ(cell.exactWidth, c.exactWidth) << c.index;
        EXPECT_FLOAT_EQ(cell.exactHeight, c.exactHeight) << c.index;
    }
    GridCell cell = {};
    EXPECT_FALSE(GridPresetCell(16, 1000, 700, cell));
    EXPECT_FALSE(GridPresetCell(-1, 1000, 700, cell));
}

TEST(CanvasDialogRules, DividedSmallCanvasStillHasCellsOfAPixel)
{
    for (int index = 10; index < kGridPresetCount; ++index) {
        GridCell cell = {};
        ASSERT_TRUE(GridPresetCell(index, 8, 8, cell));
        EXPECT_GE(cell.width, 1) << index;
        EXPECT_GE(cell.height, 1) << index;
        EXPECT_GE(cell.exactWidth, 1.0f) << index;
        EXPECT_GE(cell.exactHeight, 1.0f) << index;
    }
    // A big canvas's cell is what it computes to, above the edits' 999.
    GridCell big = {};
    ASSERT_TRUE(GridPresetCell(10, 6000, 4500, big));
    EXPECT_EQ(big.width, 2000);
    EXPECT_EQ(big.height, 1500);
}

TEST(CanvasDialogRules, ExportTypesFormatsFiltersAndExtensions)
{
    const struct {
        int type;
        int format;
        const wchar_t* filter;
        const wchar_t* extension;
    } cases[] = {
        {0, 4, L"PNG Files(*.png)|*.png||", L"png"},   {1, 3, L"JPG Files(*.jpg)|*.jpg||", L"jpg"},
        {2, 2, L"GIF Files(*.gif)|*.gif||", L"gif"},   {3, 1, L"BMP Files(*.bmp)|*.bmp||", L"bmp"},
        {4, 5, L"ICO Files(*.ico)|*.ico||", L"ico"},   {5, 7, L"TGA Files(*.tga)|*.tga||", L"tga"},
        {6, 21, L"WEBP Files(*.webp)|*.webp||", L"webp"},
        {7, 0, L"", L""},                               {-1, 0, L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportTypeToImageFormat(c.type), c.format) << c.type;
        EXPECT_STREQ(ExportFilter(c.type, L"Files").GetString(), c.filter) << c.type;
        EXPECT_STREQ(ExportExtension(c.type), c.extension) << c.type;
    }
}

TEST(CanvasDialogRules, LayerPlaceAndAngle)
{
    EXPECT_FLOAT_EQ(CanvasLocation(40.0f, 0.5f, 100), 90.0f);
    EXPECT_FLOAT_EQ(CanvasLocation(-12.0f, 2.0f, 7), 2.0f);
    // Exactly pi / 2 for 90 degrees, not 3.14's 1.57.
    EXPECT_EQ(DegreesToRadians(90), static_cast<float>(3.14159265358979323846 / 2));
    const struct {
        float radians;
        int degrees;
    } angles[] = {{0.0f, 0}, {DegreesToRadians(30), 30}, {-DegreesToRadians(30), 330},
                  {DegreesToRadians(359), 359}, {DegreesToRadians(360), 0}, {1.57f, 90}, {6.2831853f, 0}};
    for (const auto& a : angles)
        EXPECT_EQ(AngleToDegrees(a.radians), a.degrees) << a.radians;
}

TEST(CanvasDialogRules, KeptRatioWithoutABasisIsNoRatio)
{
    using namespace newpicture;
    // A layer or canvas 0 high has no ratio: nothing divides by 0 and the typed side stands.
    EXPECT_EQ(RatioOf(100, 0), 0.0f);
    const SizeI typed = AfterBlankEdit({250, 40}, true, true, RatioOf(100, 0));
    EXPECT_EQ(typed.width, 250);
    EXPECT_EQ(typed.height, 40);
    // Width 0 with a kept 4:3 ratio gives height 0 first, then both 1.
    const SizeI zero = AfterBlankEdit({0, 300}, true, true, RatioOf(400, 300));
    EXPECT_EQ(zero.width, 1);
    EXPECT_EQ(zero.height, 1);
}

TEST(CanvasDialogRules, ShadowOffsetsWalkTheSquare)
{
    const struct {
        int angle;
        LONG x, y;
    } cases[] = {
        {0, 0, 30},    {45, -14, 15}, {90, -29, 0},  {135, -14, -14}, {180, 0, -29},
        {270, 30, 0},  {315, 15, 15}, {360, 0, 30},
    };
    for (const auto& c : cases) {
        const POINT offsets = ShadowOffsets(c.angle, 30);
        EXPECT_EQ(offsets.x, c.x) << c.angle;
        EXPECT_EQ(offsets.y, c.y) << c.angle;
    }
}
