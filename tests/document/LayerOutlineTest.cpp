// Selection outlines: the shape builders, arcs, the hit test and bounds, and the magic wand's
// region tracing with its pixel mapping.
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <vector>
#include "DocumentTestSupport.h"
#include "LayerDocument.h"
#include "LayerGeometry.h"

using namespace documenttest;

namespace {

bool Near(const ZVPOINTF& p, float x, float y, float tolerance = 0.001f)
{
    return std::fabs(p.x - x) <= tolerance && std::fabs(p.y - y) <= tolerance;
}

bool Contains(const PathPoints& path, float x, float y, float tolerance = 0.001f)
{
    return std::any_of(path.begin(), path.end(), [&](const ZVPOINTF& p) { return Near(p, x, y, tolerance); });
}

// The index of the first point at (x, y) from index `from` on; -1 when none.
int IndexOf(const PathPoints& path, float x, float y, int from = 0)
{
    for (int i = from; i < static_cast<int>(path.size()); ++i)
        if (Near(path[i], x, y))
            return i;
    return -1;
}

// Each point in order along the path.
void ExpectInOrder(const PathPoints& path, const std::vector<ZVPOINTF>& points)
{
    int at = 0;
    for (const ZVPOINTF& p : points) {
        const int found = IndexOf(path, p.x, p.y, at);
        EXPECT_GE(found, 0) << "(" << p.x << ", " << p.y << ") after index " << at;
        if (found >= 0)
            at = found;
    }
}

void ExpectWithin(const PathPoints& path, float left, float top, float right, float bottom)
{
    for (const ZVPOINTF& p : path) {
        EXPECT_GE(p.x, left);
        EXPECT_LE(p.x, right);
        EXPECT_GE(p.y, top);
        EXPECT_LE(p.y, bottom);
    }
}

// A 24-bit picture of one colour with some pixels of another; (x, row from the bottom).
CZVImage Painted(long width, long height, RGBQUAD background, RGBQUAD ink, const std::vector<POINT>& pixels)
{
    CZVImage p;
    p.Create(width, height, 24);
    p.SetRectColor(RECT{0, 0, width, height}, background);
    for (const POINT& px : pixels)
        p.SetPixelColor(px.x, px.y, ink);
    return p;
}

const RGBQUAD kInk = {0, 0, 200, 0};
const RGBQUAD kPaper = {255, 255, 255, 0};

} // namespace

TEST(LayerOutline, Circle)
{
    PathPoints path{{1, 1}};
    MakeCirclePath(path, 100, 80, 50);
    ASSERT_EQ(path.size(), 72u);
    EXPECT_TRUE(Near(path[0], 150, 80));
    EXPECT_TRUE(Near(path[18], 99, 30));   // 90 degrees is up; cos is a hair below 0
    EXPECT_TRUE(Near(path[36], 50, 80));
    EXPECT_FALSE(Near(path.back(), path[0].x, path[0].y));
    for (const ZVPOINTF& p : path)
        EXPECT_NEAR(std::hypot(p.x - 100, p.y - 80), 50.0, 1.5);
}

TEST(LayerOutline, EllipseIsSymmetricAndOnItsCurve)
{
    PathPoints path;
    MakeEllipsePath(path, 120, 90, 20, 30);   // given reversed
    ASSERT_GT(path.size(), 20u);
    const float cx = 70, cy = 60, a = 50, b = 30;
    EXPECT_TRUE(Near(path[0], cx, cy + b));
    EXPECT_LE(std::hypot(path.back().x - path[0].x, path.back().y - path[0].y), 1.5);
    for (const ZVPOINTF& p : path) {
        const double r = std::pow((p.x - cx) / a, 2) + std::pow((p.y - cy) / b, 2);
        EXPECT_NEAR(r, 1.0, 0.08) << p.x << ", " << p.y;
    }
    // The walked quarter and its mirrors: the lower right quarter shows up in the upper right
    // and the lower left.
    for (const ZVPOINTF& p : path) {
        if (p.x <= cx || p.y <= cy)
            continue;
        EXPECT_TRUE(Contains(path, p.x, 2 * cy - p.y)) << p.x << ", " << p.y;
        EXPECT_TRUE(Contains(path, 2 * cx - p.x, p.y)) << p.x << ", " << p.y;
    }
}

TEST(LayerOutline, FlatEllipsesAndArcs)
{
    struct Case {
        RECT rect;
        PathPoints expected;
    };
    const Case cases[] = {
        {{10, 40, 90, 40}, {{10, 40}, {90, 40}, {10, 40}}},
        {{30, 10, 30, 70}, {{30, 10}, {30, 70}, {30, 10}}},
        {{30, 10, 31, 70}, {{30, 10}, {31, 70}, {30, 10}}},   // a semi-axis of half a pixel
        {{5, 5, 5, 5}, {{5, 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom);
        PathPoints path;
        MakeEllipsePath(path, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
        ASSERT_EQ(path.size(), c.expected.size());
        for (size_t i = 0; i < path.size(); ++i)
            EXPECT_TRUE(Near(path[i], c.expected[i].x, c.expected[i].y)) << i;
        PathPoints arc;
        AddArcPoints(arc, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom, 0, 360);
        EXPECT_TRUE(arc.empty());
    }
}

TEST(LayerOutline, ArcsPerQuarter)
{
    // The box (0, 0)-(200, 100): centre (100, 50), semi-axes 100 and 50.
    struct Case {
        float from, to;
        int signX, signY;   // the quarter the points lie in
        int firstRow;       // y - cy of the first point
        int rowStep;
    };
    const Case cases[] = {
        {0, 90, 1, 1, 0, 1},
        {90, 180, -1, 1, 50, -1},
        {180, 270, -1, -1, -1, -1},   // the end of the axis is a jump from the start's x
        {270, 360, 1, -1, -50, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << "-" << c.to);
        PathPoints arc{{7, 7}};
        AddArcPoints(arc, 0, 0, 200, 100, c.from, c.to);
        ASSERT_GT(arc.size(), 20u);
        EXPECT_TRUE(Near(arc[0], 7, 7));   // appended, not emptied
        EXPECT_EQ(static_cast<int>(arc[1].y) - 50, c.firstRow);
        for (size_t i = 1; i < arc.size(); ++i) {
            EXPECT_GE((arc[i].x - 100) * c.signX, 0) << i;
            EXPECT_GE((arc[i].y - 50) * c.signY, 0) << i;
            EXPECT_NEAR(std::pow((arc[i].x - 100) / 100, 2) + std::pow((arc[i].y - 50) / 50, 2), 1.0, 0.05) << i;
            if (i > 1) {
                EXPECT_GT((arc[i].y - arc[i - 1].y) * c.rowStep, 0) << i;
            }
        }
    }
    // A piece wider than a quarter is cut at the quarter.
    PathPoints across, quarters;
    AddArcPoints(across, 0, 0, 200, 100, 45, 135);
    AddArcPoints(quarters, 0, 0, 200, 100, 45, 90);
    AddArcPoints(quarters, 0, 0, 200, 100, 90, 135);
    ASSERT_EQ(across.size(), quarters.size());
    for (size_t i = 0; i < across.size(); ++i)
        EXPECT_TRUE(Near(across[i], quarters[i].x, quarters[i].y)) << i;
}

TEST(LayerOutline, RoundedRectangleAndBalloon)
{
    PathPoints round;
    MakeRoundRectPath(round, 110, 80, 10, 20, 20, 16);   // given reversed
    ExpectInOrder(round, {{20, 20}, {100, 20}, {110, 28}, {110, 72}, {100, 80}, {20, 80}, {10, 72}, {10, 28}});
    EXPECT_TRUE(Near(round.back(), 20, 20));
    EXPECT_GT(round.size(), 12u);   // the corners' arcs
    ExpectWithin(round, 10, 20, 110, 80);

    PathPoints balloon;
    MakeBalloonPath(balloon, 10, 20, 110, 80, 20, 16);
    // Corners 10 wide; the tail 20 high, its tip at (30, 80).
    ExpectInOrder(balloon, {{20, 20}, {100, 20}, {110, 28}, {110, 52}, {100, 60}, {50, 60}, {50, 60}, {30, 80},
                            {30, 80}, {30, 60}});
    const int tip = IndexOf(balloon, 30, 80);
    ASSERT_GE(tip, 0);
    EXPECT_TRUE(Near(balloon[tip + 1], 30, 80));
    EXPECT_TRUE(Near(balloon.back(), 20, 20));
    ExpectWithin(balloon, 10, 20, 110, 80);
}

TEST(LayerOutline, Heart)
{
    PathPoints path;
    MakeHeartPath(path, 140, 50, 100, 90);
    ASSERT_EQ(path.size(), 631u);
    // r = 20; t = 0 lies 2r left of the smaller x, on the top line; t = 6.3 comes back near it.
    EXPECT_TRUE(Near(path[0], 60, 50));
    EXPECT_NEAR(path.back().x, 60, 1.0);
    EXPECT_NEAR(path.back().y, 50, 1.0);
    // The notch at t = pi / 2 touches (x1, top); the point at t = 3 pi / 2 is 4r below it.
    EXPECT_TRUE(Near(path[157], 100, 50, 0.5f));
    const PathBounds bounds = GetPathBounds(path);
    EXPECT_NEAR(bounds.y + bounds.height, 130, 1.1);   // sampled a hair off the tip
    // The lobes are mirror images about x = x1.
    EXPECT_NEAR(bounds.x + bounds.width / 2, 100, 0.5);
}

TEST(LayerOutline, PolygonsInARectangle)
{
    using Builder = void (*)(PathPoints&, const RECT&);
    struct Case {
        const char* name;
        Builder build;
        PathPoints expected;
    };
    // (10, 20)-(110, 70): w 100, h 50, middle (60, 45).
    const Case cases[] = {
        {"diamond", MakeDiamondPath, {{10, 45}, {60, 20}, {110, 45}, {60, 70}, {10, 45}}},
        {"triangle", MakeTrianglePath, {{60, 20}, {110, 70}, {10, 70}, {60, 20}}},
        {"right triangle", MakeRightTrianglePath, {{10, 20}, {110, 70}, {10, 70}, {10, 20}}},
        {"pentagon", MakePentagonPath, {{60, 20}, {110, 39.1556f}, {92, 70}, {27, 70}, {10, 39.1556f}, {60, 20}}},
        {"hexagon", MakeHexagonPath, {{31, 20}, {88, 20}, {110, 45}, {88, 70}, {31, 70}, {10, 45}, {31, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const RECT& rect : {RECT{10, 20, 110, 70}, RECT{110, 70, 10, 20}}) {
            PathPoints path{{1, 1}};
            c.build(path, rect);
            ASSERT_EQ(path.size(), c.expected.size());
            for (size_t i = 0; i < path.size(); ++i)
                EXPECT_TRUE(Near(path[i], c.expected[i].x, c.expected[i].y, 0.0005f))
                    << i << ": (" << path[i].x << ", " << path[i].y << ")";
        }
    }
}

TEST(LayerOutline, HitTestIsHalfOpenAndBoundsOfNothingAreZero)
{
    const PathPoints square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {
        {5, 5, true}, {5, 0, true}, {5, 10, false}, {0, 5, true}, {10, 5, false}, {-1, 5, false}, {5, -1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsInsidePath(square, c.x, c.y), c.inside) << c.x << ", " << c.y;
    EXPECT_FALSE(IsInsidePath(PathPoints{}, 0, 0));
    // Coordinates are truncated: 9.9 is 9.
    EXPECT_FALSE(IsInsidePath(PathPoints{{0, 0}, {9.9f, 0}, {9.9f, 9.9f}, {0, 9.9f}}, 9, 5));

    const PathBounds none = GetPathBounds(PathPoints{});
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
    CLayerDocument doc;
    doc.pathPoints = {{3, 4}, {13, -6}, {8, 24}};
    const PathBounds b = doc.GetPathBounds();
    EXPECT_EQ(b.x, 3);
    EXPECT_EQ(b.y, -6);
    EXPECT_EQ(b.width, 10);
    EXPECT_EQ(b.height, 30);
    EXPECT_TRUE(doc.IsInsidePath(8, 5));
}

TEST(MagicWand, ToleranceBandAroundTheSeed)
{
    // Seed (10, 200, 250): red 0-40, green 170-230, blue 220-255 join its region.
    struct Case {
        BYTE r, g, b;
        bool joins;
    };
    const Case cases[] = {
        {0, 200, 250, true},   {40, 200, 250, true},  {41, 200, 250, false}, {10, 170, 250, true},
        {10, 169, 250, false}, {10, 230, 250, true},  {10, 231, 250, false}, {10, 200, 220, true},
        {10, 200, 219, false}, {10, 200, 255, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.r) << ", " << int(c.g) << ", " << int(c.b));
        CZVImage picture = Painted(2, 1, RGBQUAD{250, 200, 10, 0}, RGBQUAD{c.b, c.g, c.r, 0}, {{1, 0}});
        CLayerDocument doc;
        doc.TraceColorRegion(picture, 0, 0, 0, 0, 1.0);
        // A region of two pixels is walked out and back; one pixel is its start alone.
        EXPECT_EQ(doc.pathPoints.size() > 1, c.joins);
    }
}

TEST(MagicWand, OnePixelRegionReturnsToItsStartAtOnce)
{
    CZVImage picture = Painted(5, 5, kPaper, kInk, {{2, 1}});
    CLayerDocument doc;
    doc.TraceColorRegion(picture, 100, 50, 2, 1, 2.0);
    // Its neighbours are unmarked pixels: the point is (x * scale + 100, (H - y) * scale + 50).
    ASSERT_EQ(doc.pathPoints.size(), 1u);
    EXPECT_TRUE(Near(doc.pathPoints[0], 104, 58));
    // At the picture's bottom edge the row below lies beyond it: (H - y - 1).
    CZVImage corner = Painted(5, 5, kPaper, kInk, {{0, 0}});
    doc.TraceColorRegion(corner, 0, 0, 0, 0, 1.0);
    ASSERT_EQ(doc.pathPoints.size(), 1u);
    EXPECT_TRUE(Near(doc.pathPoints[0], 0, 4));
}

TEST(MagicWand, ClickOutsideThePictureLeavesNoOutline)
{
    // A 20 x 10 layer at (50, 40) in a scrolled window at zoom 2.
    CLayerDocument doc;
    doc.OpenImage(Plain(300, 200, RGB(255, 255, 255)));
    doc.AddImageLayer(Plain(20, 10, RGB(0, 0, 255)), FALSE);
    doc.zoom = 2.0f;
    doc.hPos = 5;
    doc.hStep = 2.0f;   // 10 view pixels
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    layer->location = ZVPOINTF{50, 40};
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {
        {40, 40, true},    // the top left pixel
        {79, 59, true},    // the bottom right one
        {39, 45, false},   // half a picture pixel to the left
        {45, 39, false},   // just above
        {80, 45, false},   // right of it
        {45, 60, false},   // below it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        doc.pathPoints = {{1, 1}};
        doc.MagicWandSelect(c.x, c.y);
        EXPECT_EQ(!doc.pathPoints.empty(), c.inside);
    }
    // The mapping itself: rows run bottom-up.
    const POINT top = WindowPointToPixel(40, 40, ZVPOINTF{50, 40}, 10, 0, 2.0f, 10);
    EXPECT_EQ(top.x, 0);
    EXPECT_EQ(top.y, 9);
    const POINT bottom = WindowPointToPixel(79, 59, ZVPOINTF{50, 40}, 10, 0, 2.0f, 10);
    EXPECT_EQ(bottom.x, 19);
    EXPECT_EQ(bottom.y, 0);
    EXPECT_EQ(WindowPointToPixel(39, 45, ZVPOINTF{50, 40}, 10, 0, 2.0f, 10).x, -1);
    EXPECT_EQ(WindowPointToPixel(45, 39, ZVPOINTF{50, 40}, 10, 0, 2.0f, 10).y, 10);
}

TEST(MagicWand, RingIsOutlinedOutsideItsHole)
{
    // A ring two pixels thick from (2, 2) to (9, 9) around a 4 x 4 hole, in a 12 x 12 picture.
    std::vector<POINT> ring;
    for (long y = 2; y <= 9; ++y)
        for (long x = 2; x <= 9; ++x)
            if (x < 4 || x > 7 || y < 4 || y > 7)
                ring.push_back(POINT{x, y});
    CZVImage picture = Painted(12, 12, kPaper, kInk, ring);
    CLayerDocument doc;
    doc.TraceColorRegion(picture, 0, 0, 9, 5, 1.0);
    const PathPoints& path = doc.pathPoints;
    ASSERT_GT(path.size(), 20u);
    EXPECT_TRUE(Near(path.back(), path[0].x, path[0].y));
    // Rows from the top: memory rows 2-9 of 12 are 2-9 from the top, give or take the edge rule.
    // The outer edge only, once round: memory rows 2 and 9 of 12 are 10 and 3 from the top.
    EXPECT_EQ(path.size(), 29u);
    for (const ZVPOINTF& p : path)
        EXPECT_TRUE(p.x == 2 || p.x == 9 || p.y == 3 || p.y == 10) << p.x << ", " << p.y;
}

TEST(MagicWand, WalkReachesTheEndOfAThinDiagonalAndComesBack)
{
    // A staircase one pixel wide: (0,0) (1,0) (1,1) (2,1) (2,2) ... (6,6), in memory rows.
    std::vector<POINT> stairs;
    for (long i = 0; i <= 6; ++i) {
        stairs.push_back(POINT{i, i});
        if (i < 6)
            stairs.push_back(POINT{i + 1, i});
    }
    CZVImage picture = Painted(9, 9, kPaper, kInk, stairs);
    CLayerDocument doc;
    doc.TraceColorRegion(picture, 0, 0, 3, 3, 1.0);
    const PathPoints& path = doc.pathPoints;
    ASSERT_GE(path.size(), 3u);
    // The far end (6, 6) is row 2 from the top; it has unmarked neighbours: H - y = 3.
    EXPECT_TRUE(Contains(path, 6, 3));
    // The start (0, 0) on the bottom edge: H - y - 1 = 8; the walk ends where it began.
    EXPECT_TRUE(Near(path[0], 0, 8));
    EXPECT_TRUE(Near(path.back(), 0, 8));
}

TEST(MagicWand, PalettePictureKeepsItsDepth)
{
    CZVImage picture = Painted(6, 6, kPaper, kInk, {{2, 2}, {3, 2}});
    ASSERT_TRUE(picture.DecreaseBpp(8, false));
    ASSERT_FALSE(picture.IsGrayScale());
    CLayerDocument doc;
    doc.TraceColorRegion(picture, 0, 0, 2, 2, 1.0);
    EXPECT_EQ(picture.GetBpp(), 8);
    EXPECT_GT(doc.pathPoints.size(), 1u);
}
