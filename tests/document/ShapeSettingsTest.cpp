// Shapes drawn by their settings, and the shape library file.
#include <gtest/gtest.h>
#include <string>
#include "ShapeSettings.h"
#include "TestSupport.h"
#include "ZVGraphicsPath.h"
#include "ZVImage.h"

namespace {

// Alpha at x and a row counted as the shape's y (shape drawing counts rows upward).
int AlphaAt(const CZVImage& picture, long x, long y)
{
    return picture.GetPixelColor(x, y, true).rgbReserved;
}

ShapeSettings Outlined(int32_t shape, int32_t width, int32_t height, int32_t outline, bool filled)
{
    ShapeSettings s;
    s.shape = shape;
    s.width = width;
    s.height = height;
    s.outlineWidth = outline;
    s.fillOn = filled ? 1 : 0;
    s.outlineColour = RGB(200, 0, 0);
    s.fillColour = RGB(0, 0, 200);
    return s;
}

} // namespace

TEST(ShapeSettings, MarginsAndRefusedSizes)
{
    const ShapeLibrary none;
    // An outline of 7 leaves a margin of 4 on every side; the pen draws inside the figure.
    ShapeSettings rect = Outlined(SHAPE_RECTANGLE, 40, 30, 7, false);
    CZVImage picture;
    ASSERT_TRUE(rect.DrawToImage(&picture, none));
    EXPECT_EQ(40u, picture.GetWidth());
    struct Probe {
        long x, y;
        int alpha;
    } const probes[] = {{3, 15, 0}, {5, 15, 255}, {20, 15, 0}, {20, 3, 0}, {20, 5, 255}, {36, 15, 0}, {34, 15, 255}};
    for (const Probe& p : probes)
        EXPECT_EQ(p.alpha, AlphaAt(picture, p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(200, picture.GetPixelColor(20, 15, true).rgbRed) << "soft edges blend toward the outline colour";

    // Sizes that fail leave the target as it was.
    struct Refused {
        const char* name;
        int32_t width, height, outline;
    } const refused[] = {
        {"8 x 8 inside an outline of 7", 8, 8, 7},
        {"no width", 0, 30, 0},
        {"negative height", 30, -5, 0},
        {"past the picture caps", 40000, 30, 0},
    };
    for (const Refused& r : refused) {
        ShapeSettings s = Outlined(SHAPE_ELLIPSE, r.width, r.height, r.outline, true);
        EXPECT_FALSE(s.DrawToImage(&picture, none)) << r.name;
        EXPECT_EQ(40u, picture.GetWidth()) << r.name;
    }
    EXPECT_FALSE(rect.DrawToImage(nullptr, none));
}

TEST(ShapeSettings, RoundedCornerRadiusIsLoweredAndKept)
{
    ShapeSettings s = Outlined(SHAPE_ROUNDED_RECT, 100, 40, 0, true);
    s.cornerRadius = 30;
    CZVImage picture;
    ASSERT_TRUE(s.DrawToImage(&picture, ShapeLibrary()));
    EXPECT_EQ(20, s.cornerRadius);
    EXPECT_EQ(0, AlphaAt(picture, 1, 1)) << "the corner is rounded";
    EXPECT_EQ(255, AlphaAt(picture, 50, 20));
}

TEST(ShapeSettings, LibraryShapes)
{
    // A missing entry draws nothing and still succeeds.
    ShapeSettings missing = Outlined(12, 100, 80, 3, true);
    CZVImage picture;
    ASSERT_TRUE(missing.DrawToImage(&picture, ShapeLibrary()));
    ASSERT_EQ(80u, picture.GetHeight());
    int covered = 0;
    for (long y = 0; y < 80; ++y)
        for (long x = 0; x < 100; ++x)
            covered += AlphaAt(picture, x, y) != 0;
    EXPECT_EQ(0, covered);

    // From 32 on a shape keeps its entry's proportions; below it stretches.
    ShapeLibrary library(30, ShapeLibraryEntry{L"M0 0 L10 0 L10 10 L0 10 Z", 10, 10});
    library[35 - 9] = ShapeLibraryEntry{L"M0 0 L200 0 L200 100 L0 100 Z", 200, 100};
    library[20 - 9] = ShapeLibraryEntry{L"M0 0 L200 0 L200 100 L0 100 Z", 200, 100};
    struct Case {
        int32_t shape, width, height, expectedHeight;
    } const cases[] = {{35, 300, 120, 150}, {20, 300, 120, 120}};
    for (const Case& c : cases) {
        ShapeSettings s = Outlined(c.shape, c.width, c.height, 0, true);
        ASSERT_TRUE(s.DrawToImage(&picture, library)) << c.shape;
        EXPECT_EQ(c.expectedHeight, s.height) << c.shape;
        EXPECT_EQ(static_cast<DWORD>(c.expectedHeight), picture.GetHeight()) << c.shape;
        EXPECT_EQ(255, AlphaAt(picture, c.width - 1, c.expectedHeight - 1)) << "stretched to the corner";
    }
}

TEST(ShapeSettings, PolygonIsScaledIntoTheMargin)
{
    ShapeSettings s = Outlined(SHAPE_POLYGON, 100, 50, 4, true);
    s.points = {{0, 0}, {100, 0}, {100, 50}, {0, 50}};
    CZVImage picture;
    ASSERT_TRUE(s.DrawToImage(&picture, ShapeLibrary()));
    // Margin 2: the corners at 100, 50 land on 98, 48.
    EXPECT_EQ(0, AlphaAt(picture, 1, 25));
    EXPECT_EQ(255, AlphaAt(picture, 2, 25));
    EXPECT_EQ(255, AlphaAt(picture, 97, 25));
    EXPECT_EQ(0, AlphaAt(picture, 98, 25));
    EXPECT_EQ(0, AlphaAt(picture, 50, 48));
}

TEST(ShapeLibraryFile, EntriesInFileOrder)
{
    testsupport::TempFolder folder;
    const std::wstring path = folder.At(L"Basic.xml");
    ASSERT_TRUE(testsupport::TempFolder::Put(path,
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<shapes>\n"
        "  <shape width=\"100\" height=\"50\"><polygon points=\"0,0 10,0 5,8\"/><path d=\"M0 0 L4 4\"/></shape>\n"
        "  <!-- neither child: no entry -->\n"
        "  <shape width=\"7\" height=\"9\"><rect/></shape>\n"
        "  <shape><path d=\"M1 1 L2 2\"/></shape>\n"
        "  <shape height=\"30\"><polygon/></shape>\n"
        "</shapes>\n"));
    ShapeLibrary library(3);
    ASSERT_TRUE(LoadShapeLibrary(library, path.c_str()));
    struct Expected {
        const wchar_t* text;
        int32_t width, height;
    } const expected[] = {
        {L"0,0 10,0 5,8", 100, 50},   // the polygon before the path of the same shape
        {L"M0 0 L4 4", 100, 50},
        {L"M1 1 L2 2", 0, 0},         // missing attributes give 0
        {L"", 0, 30},
    };
    ASSERT_EQ(4u, library.size());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i].text, library[i].path) << i;
        EXPECT_EQ(expected[i].width, library[i].width) << i;
        EXPECT_EQ(expected[i].height, library[i].height) << i;
    }

    EXPECT_FALSE(LoadShapeLibrary(library, folder.At(L"missing.xml").c_str()));
    EXPECT_TRUE(library.empty());
}

TEST(ShapeLibraryFile, InstalledLibraryParses)
{
    ShapeLibrary library;
    ASSERT_TRUE(LoadShapeLibrary(library, (testsupport::BinDir() + L"\\Data\\Editor\\Shapes\\Basic.xml").c_str()));
    // The shape tool's numbers 9 to 40 and a few more.
    EXPECT_GE(library.size(), 36u);
    for (size_t i = 0; i < library.size(); ++i) {
        const ShapeLibraryEntry& e = library[i];
        EXPECT_GT(e.width, 0) << i;
        EXPECT_GT(e.height, 0) << i;
        CZVGraphicsPath path;
        EXPECT_TRUE(path.AddPathString(e.path.c_str(), 0, 0, float(e.width), float(e.height))) << i;
        CZVRectF bounds;
        ASSERT_TRUE(path.GetBounds(&bounds)) << i;
        EXPECT_NEAR(e.width, bounds.Width, 0.5) << i;
    }
}
