// Text paths made by GDI, the conversion of GDI path data, and the measuring of extents.
#include <vector>
#include "GdiTextPath.h"
#include "TextFxTestSupport.h"

using namespace Gdiplus;
using namespace TextDesigner;
using textfxtest::Canvas;

namespace {

class GdiTextPathTest : public textfxtest::GdiplusTest {};

// One figure of a GDI+ path: its points with repeats dropped, and whether it is closed.
struct Figure {
    std::vector<std::pair<int, int>> points;
    int beziers = 0;
    bool closed = false;
    bool operator==(const Figure& o) const
    {
        return points == o.points && beziers == o.beziers && closed == o.closed;
    }
};

std::vector<Figure> Figures(GraphicsPath& path)
{
    std::vector<Figure> figures;
    int count = path.GetPointCount();
    if (count == 0)
        return figures;
    std::vector<PointF> points(count);
    std::vector<BYTE> types(count);
    path.GetPathPoints(points.data(), count);
    path.GetPathTypes(types.data(), count);
    for (int i = 0; i < count; ++i) {
        if ((types[i] & PathPointTypePathTypeMask) == PathPointTypeStart)
            figures.emplace_back();
        Figure& f = figures.back();
        std::pair<int, int> p(static_cast<int>(points[i].X), static_cast<int>(points[i].Y));
        if (f.points.empty() || f.points.back() != p)
            f.points.push_back(p);
        if ((types[i] & PathPointTypePathTypeMask) == PathPointTypeBezier)
            ++f.beziers;
        if (types[i] & PathPointTypeCloseSubpath)
            f.closed = true;
    }
    return figures;
}

const BYTE M = PT_MOVETO, L = PT_LINETO, B = PT_BEZIERTO, C = PT_CLOSEFIGURE;

struct ConvertCase {
    const char* name;
    std::vector<POINT> points;
    std::vector<BYTE> types;
    std::vector<Figure> expected;
};

TEST_F(GdiTextPathTest, ConvertGdiPathFiguresFromPointsAndTypes)
{
    const ConvertCase cases[] = {
        {"closed by the close flag on a line",
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}},
         {M, L, L, L | C},
         {{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 0, true}}},
        {"a plain last line is closed by the next move",
         {{0, 0}, {10, 0}, {10, 10}, {20, 20}, {30, 20}, {30, 30}},
         {M, L, L, M, L, L | C},
         {{{{0, 0}, {10, 0}, {10, 10}}, 0, true}, {{{20, 20}, {30, 20}, {30, 30}}, 0, true}}},
        {"the last contour left open gets a line back to its start, unclosed",
         {{0, 0}, {10, 0}, {10, 10}},
         {M, L, L},
         {{{{0, 0}, {10, 0}, {10, 10}, {0, 0}}, 0, false}}},
        {"a Bezier with the close flag on its end point, as GDI writes it",
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}},
         {M, B, B, B | C},
         {{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 3, true}}},
        {"a Bezier with the close flag on its first point",
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}},
         {M, B | C, B, B},
         {{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 3, true}}},
        {"unknown type bytes are passed over",
         {{0, 0}, {5, 5}, {10, 0}, {6, 6}, {10, 10}, {7, 7}},
         {M, 0, L, 1, L | C, 7},
         {{{{0, 0}, {10, 0}, {10, 10}}, 0, true}}},
        {"a Bezier cut short by the end of the data is dropped",
         {{0, 0}, {10, 0}, {10, 10}, {20, 20}},
         {M, L, B, B},
         {{{{0, 0}, {10, 0}, {0, 0}}, 0, false}}},
        {"a lone move draws nothing",
         {{3, 3}},
         {M},
         {}},
    };
    for (const ConvertCase& c : cases) {
        GraphicsPath path;
        ConvertGdiPath(&path, c.points.data(), c.types.data(), static_cast<int>(c.points.size()));
        EXPECT_TRUE(Figures(path) == c.expected) << c.name;
    }
}

TEST_F(GdiTextPathTest, ConvertGdiPathStartsANewFigureAfterAnOpenOneInThePath)
{
    GraphicsPath path;
    path.AddLine(100, 100, 120, 100);
    POINT points[] = {{0, 0}, {10, 0}, {10, 10}};
    BYTE types[] = {M, L, L | C};
    ConvertGdiPath(&path, points, types, 3);
    EXPECT_EQ(Figures(path).size(), 2u);
}

LOGFONTW ArialFont(int height)
{
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    wcscpy(font.lfFaceName, L"Arial");
    return font;
}

RectF PathBounds(GraphicsPath* path)
{
    RectF bounds;
    path->GetBounds(&bounds);
    return bounds;
}

TEST_F(GdiTextPathTest, GdiTextToPathPointFormPlacesTheTextAtThePoint)
{
    Canvas canvas(300, 120);
    LOGFONTW font = ArialFont(-40);
    GraphicsPath* atOrigin = nullptr;
    GraphicsPath* moved = nullptr;
    ASSERT_TRUE(GdiTextToPath(canvas.G(), &atOrigin, L"Ab", &font, 0, 0));
    ASSERT_TRUE(GdiTextToPath(canvas.G(), &moved, L"Ab", &font, 30, 20));
    std::unique_ptr<GraphicsPath> a(atOrigin), b(moved);
    RectF ra = PathBounds(a.get()), rb = PathBounds(b.get());
    EXPECT_GT(ra.Width, 30);
    EXPECT_GT(ra.Height, 20);
    EXPECT_NEAR(rb.X - ra.X, 30, 0.01);
    EXPECT_NEAR(rb.Y - ra.Y, 20, 0.01);
    // Every contour of the glyphs comes back closed.
    for (const Figure& f : Figures(*a))
        EXPECT_TRUE(f.closed);
}

TEST_F(GdiTextPathTest, GdiTextToPathRectangleFormCentresAndBreaksLines)
{
    Canvas canvas(400, 200);
    LOGFONTW font = ArialFont(-40);
    GraphicsPath* one = nullptr;
    GraphicsPath* two = nullptr;
    ASSERT_TRUE(GdiTextToPath(canvas.G(), &one, L"H", &font, 0, 0, 400, 200));
    ASSERT_TRUE(GdiTextToPath(canvas.G(), &two, L"H\nH", &font, 0, 0, 400, 200));
    std::unique_ptr<GraphicsPath> a(one), b(two);
    RectF ra = PathBounds(a.get()), rb = PathBounds(b.get());
    EXPECT_NEAR(ra.X + ra.Width / 2, 200, 2);
    EXPECT_GT(rb.Height, 1.5f * ra.Height);
}

TEST_F(GdiTextPathTest, GdiTextToPathFailsButHandsOverAPath)
{
    Canvas canvas(100, 100);
    LOGFONTW font = ArialFont(-40);
    GraphicsPath* path = nullptr;
    EXPECT_FALSE(GdiTextToPath(canvas.G(), &path, L"", &font, 0, 0));
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->GetPointCount(), 0);
    delete path;

    path = nullptr;
    EXPECT_FALSE(GdiTextToPath(canvas.G(), &path, L"A", nullptr, 0, 0, 50, 50));
    ASSERT_NE(path, nullptr);
    delete path;

    // The device context went back: the Graphics still draws.
    SolidBrush red(Color(0xFFFF0000));
    EXPECT_EQ(canvas.G()->FillRectangle(&red, 0, 0, 10, 10), Ok);
    EXPECT_EQ(canvas.At(5, 5), 0xFFFF0000u);
}

TEST_F(GdiTextPathTest, MeasurePathExtentFromTheOrigin)
{
    Canvas canvas(10, 10);
    GraphicsPath right;
    right.AddLine(12.0f, 5.0f, 40.0f, 25.0f);
    GraphicsPath overhang;
    overhang.AddLine(-3.0f, -2.0f, 40.0f, 25.0f);

    float sx = 0, sy = 0, w = 10, h = 4;
    ASSERT_TRUE(MeasurePathExtent(canvas.G(), &right, &sx, &sy, &w, &h));
    EXPECT_FLOAT_EQ(sx, 12);
    EXPECT_FLOAT_EQ(sy, 5);
    EXPECT_FLOAT_EQ(w, 30); // 40 - 10
    EXPECT_FLOAT_EQ(h, 21); // 25 - 4

    w = 10, h = 4;
    ASSERT_TRUE(MeasurePathExtent(canvas.G(), &overhang, nullptr, nullptr, &w, &h));
    EXPECT_FLOAT_EQ(w, 33); // 3 + 40 - 10
    EXPECT_FLOAT_EQ(h, 23); // 2 + 25 - 4

    w = 10, h = 4;
    ASSERT_TRUE(MeasurePathTightExtent(canvas.G(), &right, nullptr, nullptr, &w, &h));
    EXPECT_FLOAT_EQ(w, 18); // 40 - 12 - 10
    EXPECT_FLOAT_EQ(h, 16); // 25 - 5 - 4

    GraphicsPath empty;
    EXPECT_FALSE(MeasurePathExtent(canvas.G(), &empty, nullptr, nullptr, &w, &h));
    EXPECT_FALSE(MeasurePathExtent(canvas.G(), &right, nullptr, nullptr, nullptr, &h));
    EXPECT_FALSE(MeasurePathTightExtent(nullptr, &right, nullptr, nullptr, &w, &h));
}

TEST_F(GdiTextPathTest, ConvertToPixelsByPageUnit)
{
    struct Case {
        Unit unit;
        bool ok;
        float factor; // pixels per unit at 96 dpi; 0 leaves the start point alone
    } cases[] = {
        {UnitDisplay, true, 0},
        {UnitPixel, true, 0},
        {UnitPoint, true, 96.0f / 72},
        {UnitInch, true, 96},
        {UnitDocument, true, 96.0f / 300},
        {UnitMillimeter, true, 96.0f / 25.4f},
    };
    for (const Case& c : cases) {
        Canvas canvas(10, 10);
        ASSERT_EQ(canvas.G()->SetPageUnit(c.unit), Ok);
        float sx = 2, sy = 3, w = -1, h = -1;
        ASSERT_TRUE(ConvertToPixels(canvas.G(), &sx, &sy, &w, &h, 10, 20)) << c.unit;
        float f = c.factor ? c.factor : 1;
        EXPECT_NEAR(w, 10 * f, 1e-3 * f) << c.unit;
        EXPECT_NEAR(h, 20 * f, 1e-3 * f) << c.unit;
        EXPECT_NEAR(sx, 2 * f, 1e-3 * f) << c.unit;
        EXPECT_NEAR(sy, 3 * f, 1e-3 * f) << c.unit;
        EXPECT_TRUE(ConvertToPixels(canvas.G(), nullptr, nullptr, &w, &h, 1, 1));
    }
    // A Graphics refuses World as its page unit; the conversion refuses it too.
    float factor = -1;
    EXPECT_FALSE(PixelsPerPageUnit(UnitWorld, 96, &factor));
    EXPECT_FALSE(PixelsPerPageUnit(static_cast<Unit>(7), 96, &factor));
    EXPECT_EQ(factor, -1);
}

} // namespace
