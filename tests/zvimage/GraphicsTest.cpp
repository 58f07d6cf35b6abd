// Vector drawing: SVG path and point-list parsing (bounds of each command), matrix orders,
// antialiased coverage of shapes in the picture and its mask, pens and degenerate input.
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <string>
#include "ZVGraphics.h"
#include "ZVImageTestSupport.h"
#include "ZVMatrix.h"
#include "ZVSvgPathTokenizer.h"

using namespace zvtest;

namespace {

struct PathCase {
    const wchar_t* d;
    bool ok;
    float x, y, w, h;
};

CZVRectF Bounds(const CZVGraphicsPath& path)
{
    CZVRectF b;
    path.GetBounds(&b);
    return b;
}

void ExpectBounds(const CZVRectF& b, float x, float y, float w, float h, const std::wstring& what)
{
    const std::string name(what.begin(), what.end());
    EXPECT_NEAR(b.X, x, 0.06) << name;
    EXPECT_NEAR(b.Y, y, 0.06) << name;
    EXPECT_NEAR(b.Width, w, 0.06) << name;
    EXPECT_NEAR(b.Height, h, 0.06) << name;
}

// A white 24-bit picture with an alpha plane of 255.
CZVImage White(long w, long h)
{
    CZVImage image;
    image.Create(w, h, 24, CXIMAGE_FORMAT_PNG);
    image.Clear(255);
    return image;
}

// Memory row y (what CZVGraphics calls y), blue-green-red.
const BYTE* Px(const CxImage& image, long x, long y)
{
    return image.GetBits(y) + x * 3;
}

BYTE Alpha(const CxImage& image, long x, long y)
{
    return image.AlphaGetPointer(0, y)[x];
}

} // namespace

TEST(GraphicsPath, ParsePathBoundsOfEachCommand)
{
    const PathCase cases[] = {
        {L"M10 20 L30 40", true, 10, 20, 20, 20},
        // Relative commands and implicit repeats: pairs after m are relative lines.
        {L"m10 20 5 5 l5 -10", true, 10, 15, 10, 10},
        {L"M0 0 H50 V30 h-10 v-5 Z", true, 0, 0, 50, 30},
        {L"M0,0 C0,0 10,10 10,0", true, 0, 0, 10, 4.444f},
        {L"M0 0 C0 10 10 10 10 0 S20 -10 20 0", true, 0, -7.5f, 20, 15},
        {L"M0 0 Q10 20 20 0", true, 0, 0, 20, 10},
        {L"M0 0 Q10 20 20 0 T40 0", true, 0, -10, 40, 20},
        {L"M0 0 Q10 20 20 0 t20 0", true, 0, -10, 40, 20},
        // Arcs: the sweep flag picks the side, radii too small to reach are scaled up.
        {L"M0 50 A50 50 0 0 1 100 50", true, 0, 0, 100, 50},
        {L"M0 50 A50 50 0 0 0 100 50", true, 0, 50, 100, 50},
        {L"M0 50a50,50 0 01100,0", true, 0, 0, 100, 50},
        {L"M0 0 A1 1 0 0 1 10 0", true, 0, -5, 10, 5},
        {L"M0 0 A0 5 0 0 1 10 10", true, 0, 0, 10, 10},
        {L"M0 0 A20 10 90 1 1 0 20", true, 0, -10, 18.660f, 40},
        // Numbers in every form: signs and dots start new numbers, exponents.
        {L"M.5.5L-1e1-2E0", true, -10, -2, 10.5f, 2.5f},
        {L"M1+2 3-4", true, 1, -4, 2, 6},
        {L"  M 1 , 2 \n L 3e+1 , 4.0e-0 ", true, 1, 2, 29, 2},
        {L"M0 0 L10 0 Z L0 10", true, 0, 0, 10, 10},
        {L"", true, 0, 0, 0, 0},
        // Malformed: the parse ends where the fault is and keeps what came before.
        {L"M0 0 L10 10 L20", false, 0, 0, 10, 10},
        {L"L10 10", false, 0, 0, 0, 0},
        {L"M0 0 L5 5 X9 9", false, 0, 0, 5, 5},
        {L"M0 0 L5 5 1e999 0", false, 0, 0, 5, 5},
        {L"M0 0 A5 5 0 2 1 9 9", false, 0, 0, 0, 0},
        {L"12 13", false, 0, 0, 0, 0},
    };
    for (const PathCase& c : cases) {
        CZVSvgPathTokenizer tokenizer;
        tokenizer.SetPathStr(c.d);
        CZVGraphicsPath path;
        EXPECT_EQ(path.ParsePath(tokenizer), c.ok) << std::string(c.d, c.d + wcslen(c.d));
        ExpectBounds(Bounds(path), c.x, c.y, c.w, c.h, c.d);
    }
}

TEST(GraphicsPath, ParsePolygonPointLists)
{
    struct Case {
        const wchar_t* points;
        bool ok;
        long count;
    } cases[] = {
        {L"10,10 20,10 20,20", true, 3},
        {L"10 10,20 10 20-5", true, 3},
        {L"1 2 3", false, 1},
        {L"10 10 20 10 abc", false, 2},
        {L"", true, 0},
        {L"M0 0", false, 0},
    };
    for (const Case& c : cases) {
        CZVSvgPathTokenizer tokenizer(c.points);
        CZVGraphicsPath path;
        EXPECT_EQ(path.ParsePolygon(tokenizer), c.ok) << std::string(c.points, c.points + wcslen(c.points));
        EXPECT_EQ(path.GetPointCount(), c.count);
    }
    CZVSvgPathTokenizer tokenizer(L"10,10 20,10 20,20");
    CZVGraphicsPath path;
    path.ParsePolygon(tokenizer);
    ZVPOINTF pts[3];
    ASSERT_EQ(path.GetPathPoints(pts, 3), 3);
    EXPECT_EQ(pts[2].x, 20);
    EXPECT_EQ(pts[2].y, 20);
    BYTE types[3];
    path.GetPathTypes(types, 3);
    EXPECT_EQ(types[2], ZVPathPointLine | ZVPathPointClose);
}

TEST(GraphicsPath, FigureAfterACloseKeepsAllItsSegments)
{
    // A move after a close used to leave the next figure's first segment as a figure of its
    // own, so a ring or a framed hole lost part of its outline.
    struct Case {
        const wchar_t* d;
        long starts, points;
    } const cases[] = {
        {L"M0 0 L10 0 L10 10 Z M20 20 L30 20 L30 30 L20 30 Z", 2, 7},
        {L"M0 0 L10 0 Z L5 5", 2, 4},   // no move: the next figure starts at the closed one's start
    };
    for (const Case& c : cases) {
        CZVSvgPathTokenizer tokenizer(c.d);
        CZVGraphicsPath path;
        ASSERT_TRUE(path.ParsePath(tokenizer));
        BYTE types[16] = {};
        const long n = path.GetPathTypes(types, 16);
        long starts = 0;
        for (long i = 0; i < n; ++i)
            starts += (types[i] & ~ZVPathPointClose) == ZVPathPointStart;
        EXPECT_EQ(c.starts, starts) << std::string(c.d, c.d + wcslen(c.d));
        EXPECT_EQ(c.points, n) << std::string(c.d, c.d + wcslen(c.d));
    }
}

TEST(GraphicsPath, ShapesFillTheirRectangle)
{
    struct Case {
        const char* name;
        void (CZVGraphicsPath::*add)(float, float, float, float);
    } cases[] = {
        {"rectangle", &CZVGraphicsPath::AddRectangle}, {"ellipse", &CZVGraphicsPath::AddEllipse},
        {"triangle", &CZVGraphicsPath::AddTriangle},   {"right triangle", &CZVGraphicsPath::AddRightTriangle},
        {"diamond", &CZVGraphicsPath::AddDiamond},     {"pentagon", &CZVGraphicsPath::AddPentagon},
        {"hexagon", &CZVGraphicsPath::AddHexagon},     {"balloon", &CZVGraphicsPath::AddBallonSW},
    };
    for (const Case& c : cases) {
        CZVGraphicsPath path;
        (path.*c.add)(5, 7, 40, 30);
        ExpectBounds(Bounds(path), 5, 7, 40, 30, std::wstring(c.name, c.name + strlen(c.name)));
        // Degenerate rectangles add nothing.
        CZVGraphicsPath flat;
        (flat.*c.add)(5, 7, 0, 30);
        (flat.*c.add)(5, 7, 40, -1);
        (flat.*c.add)(5, 7, NAN, 3);
        EXPECT_TRUE(flat.IsEmpty()) << c.name;
    }
    CZVGraphicsPath rounded;
    rounded.AddRoundedRect(0, 0, 100, 40, 300);  // the radius is limited to half the shorter side
    ExpectBounds(Bounds(rounded), 0, 0, 100, 40, L"rounded");

    // A library text is stretched onto the rectangle, path data or point list alike.
    CZVGraphicsPath text;
    EXPECT_TRUE(text.AddPathString(L"M100 100 L110 100 L110 120 Z", 0, 0, 50, 60));
    ExpectBounds(Bounds(text), 0, 0, 50, 60, L"path string");
    CZVGraphicsPath points;
    EXPECT_TRUE(points.AddPathString(L"0,0 4,0 4,4", 10, 10, 20, 20));
    ExpectBounds(Bounds(points), 10, 10, 20, 20, L"point string");
    CZVGraphicsPath line;
    line.AddPathString(L"M0 5 L10 5", 0, 0, 30, 30);  // flat: moved, not scaled by infinity
    ExpectBounds(Bounds(line), 0, 0, 30, 0, L"flat string");
}

TEST(Matrix, PrependAndAppendOrders)
{
    CZVMatrix prepend;
    prepend.Translate(10, 0);
    prepend.Scale(2, 2);  // prepended: scales before the translation
    const ZVPOINTF a = prepend.TransformPoint({1, 1});
    EXPECT_FLOAT_EQ(a.x, 12);
    EXPECT_FLOAT_EQ(a.y, 2);

    CZVMatrix append;
    append.Translate(10, 0);
    append.Scale(2, 2, ZVMatrixOrderAppend);
    const ZVPOINTF b = append.TransformPoint({1, 1});
    EXPECT_FLOAT_EQ(b.x, 22);
    EXPECT_FLOAT_EQ(b.y, 2);

    // Positive angles turn clockwise on a picture whose y grows downwards.
    CZVMatrix turn;
    turn.RotateAt(90, ZVPOINTF{10, 10});
    const ZVPOINTF c = turn.TransformPoint({20, 10});
    EXPECT_NEAR(c.x, 10, 1e-4);
    EXPECT_NEAR(c.y, 20, 1e-4);

    CZVMatrix both;
    both.Scale(2, 1);
    both.RotateAt(90, ZVPOINTF{0, 0}, ZVMatrixOrderAppend);  // scale, then turn
    const ZVPOINTF d = both.TransformPoint({1, 0});
    EXPECT_NEAR(d.x, 0, 1e-4);
    EXPECT_NEAR(d.y, 2, 1e-4);
    both.Reset();
    EXPECT_TRUE(both.IsIdentity());
}

TEST(Matrix, SlotPathIsScaledTurnedAndCentred)
{
    // A 10 x 20 figure in a slot 100 x 200 whose box is 300 x 400: each step a fresh matrix.
    CZVSvgPathTokenizer tokenizer(L"M5 5 h10 v20 h-10 z");
    CZVGraphicsPath path;
    ASSERT_TRUE(path.ParsePath(tokenizer));
    const CZVRectF b = Bounds(path);
    CZVMatrix m;
    m.Scale(100 / b.Width, 200 / b.Height);
    path.Transform(m);
    m.Reset();
    m.RotateAt(0, ZVPOINTF{100 * -0.5f, 200 * -0.5f}, ZVMatrixOrderAppend);
    path.Transform(m);
    m.Reset();
    m.Translate((300 - 100) * 0.5f, (400 - 200) * 0.5f);
    path.Transform(m);
    ExpectBounds(Bounds(path), 150, 150, 100, 200, L"slot");
}

TEST(Graphics, MaskCoverageOfSimpleShapes)
{
    struct Probe {
        long x, y;
        int low, high;
    };
    struct Case {
        const char* name;
        void (CZVGraphicsPath::*add)(float, float, float, float);
        float x, y, w, h;
        Probe probes[4];
    } cases[] = {
        // Whole-pixel edges cover their pixels fully; half-pixel edges half.
        {"rectangle", &CZVGraphicsPath::AddRectangle, 10, 10, 20, 20,
         {{10, 10, 255, 255}, {29, 29, 255, 255}, {9, 15, 0, 0}, {30, 15, 0, 0}}},
        {"half-pixel rectangle", &CZVGraphicsPath::AddRectangle, 10.5f, 10, 20, 20.5f,
         {{10, 15, 120, 135}, {30, 15, 120, 135}, {15, 30, 120, 135}, {15, 29, 255, 255}}},
        // On the circle at 45 degrees the edge pixel is partly covered.
        {"ellipse", &CZVGraphicsPath::AddEllipse, 0, 0, 40, 40,
         {{20, 20, 255, 255}, {0, 0, 0, 0}, {34, 6, 120, 240}, {34, 5, 1, 40}}},
        {"triangle", &CZVGraphicsPath::AddTriangle, 0, 0, 40, 40,
         {{20, 30, 255, 255}, {2, 2, 0, 0}, {19, 0, 50, 80}, {37, 2, 0, 0}}},
        {"diamond", &CZVGraphicsPath::AddDiamond, 0, 0, 40, 40,
         {{20, 20, 255, 255}, {3, 3, 0, 0}, {9, 10, 80, 180}, {36, 36, 0, 0}}},
    };
    for (const Case& c : cases) {
        CZVImage image = White(40, 40);
        CZVGraphics g(&image);
        CZVGraphicsPath path;
        (path.*c.add)(c.x, c.y, c.w, c.h);
        ASSERT_TRUE(g.ClearMask());
        ASSERT_TRUE(g.CreateMask());
        ASSERT_TRUE(g.FillPathMask(255, path));
        for (const Probe& p : c.probes) {
            const int a = Alpha(image, p.x, p.y);
            EXPECT_GE(a, p.low) << c.name << " at " << p.x << "," << p.y;
            EXPECT_LE(a, p.high) << c.name << " at " << p.x << "," << p.y;
        }
        // The mask alone changes no colour.
        EXPECT_EQ(Px(image, 20, 20)[0], 255);
    }
}

TEST(Graphics, FillBlendsOnMemoryRowsAndRecordsTheMask)
{
    CZVImage image = White(40, 40);
    image.AlphaCreate();
    image.AlphaSet(0);
    CZVGraphics g(&image);
    ASSERT_TRUE(g.CreateMask());
    // y counts memory rows: a band at y 0..10 lands on the picture's bottom rows.
    ASSERT_TRUE(g.FillRectangle(CZVBrushSolid(0xFF0000FF), 0, 0, 40, 10));
    EXPECT_EQ(Px(image, 5, 5)[0], 255);  // blue
    EXPECT_EQ(Px(image, 5, 5)[2], 0);
    EXPECT_EQ(TopDown(image, 5, 35).rgbBlue, 255);
    EXPECT_EQ(TopDown(image, 5, 35).rgbRed, 0);
    EXPECT_EQ(TopDown(image, 5, 5).rgbRed, 255);
    // A half-transparent red over white gives pink, and the mask keeps the drawn opacity.
    ASSERT_TRUE(g.FillEllipse(CZVBrushSolid(0x80FF0000), 10, 20, 20, 20));
    EXPECT_NEAR(Px(image, 20, 30)[0], 127, 2);
    EXPECT_EQ(Px(image, 20, 30)[2], 255);
    ASSERT_TRUE(g.FillPathMask(200));
    EXPECT_EQ(Alpha(image, 5, 5), 200);
    EXPECT_NEAR(Alpha(image, 20, 30), 100, 2);
    EXPECT_EQ(Alpha(image, 35, 35), 0);

    // The caller's way: flip, draw top-down, flip back.
    CZVImage flipped = White(20, 20);
    flipped.Flip();
    CZVGraphics g2(&flipped);
    g2.FillRectangle(CZVBrushSolid(0xFF000000), 0, 0, 20, 5);
    flipped.Flip();
    EXPECT_EQ(TopDown(flipped, 10, 2).rgbRed, 0);
    EXPECT_EQ(TopDown(flipped, 10, 17).rgbRed, 255);
}

TEST(Graphics, OutlineAndFillMasksCombine)
{
    // A filled shape at alpha 128, then an outline recorded by a second mask at 255.
    CZVImage image = White(40, 40);
    image.AlphaCreate();
    image.AlphaSet(0);
    {
        CZVGraphics fill(&image);
        fill.CreateMask();
        fill.FillRectangle(CZVBrushSolid(0xFF00FF00), 4, 4, 32, 32);
        fill.FillPathMask(128);
    }
    CZVGraphics outline(&image);
    outline.CreateMask();
    CZVPen pen(0xFF000000, 4);
    pen.m_nStyle = ZVPenInside;
    outline.DrawRectangle(pen, 4, 4, 32, 32);
    outline.FillPathMask(255);
    EXPECT_EQ(Alpha(image, 20, 20), 128);
    EXPECT_EQ(Alpha(image, 5, 20), 255);
    EXPECT_EQ(Alpha(image, 2, 20), 0);
}

TEST(Graphics, PenAlignmentWidthDashAndArrows)
{
    // Centred: the stroke straddles the outline; inside: all of it lies within the figure.
    for (int style : {ZVPenCentred, ZVPenInside}) {
        CZVImage image = White(40, 40);
        CZVGraphics g(&image);
        CZVPen pen(0xFF000000, 4);
        pen.m_nStyle = style;
        ASSERT_TRUE(g.DrawRectangle(pen, 10, 10, 20, 20));
        EXPECT_EQ(Px(image, 9, 20)[0], style == ZVPenInside ? 255 : 0) << style;
        EXPECT_EQ(Px(image, 12, 20)[0], style == ZVPenInside ? 0 : 255) << style;
        EXPECT_EQ(Px(image, 10, 20)[0], 0) << style;
        EXPECT_EQ(Px(image, 20, 20)[0], 255) << style;
        // Miter joins fill the corner.
        EXPECT_EQ(Px(image, style == ZVPenInside ? 10 : 8, style == ZVPenInside ? 10 : 8)[0], 0) << style;
    }
    // Dashes of three widths on, one off.
    CZVImage dashed = White(40, 10);
    CZVGraphics g(&dashed);
    CZVPen pen(0xFF000000, 2);
    pen.m_nDashStyle = ZVDashDash;
    ASSERT_TRUE(g.DrawLine(pen, 0, 5, 40, 5));
    EXPECT_EQ(Px(dashed, 3, 5)[0], 0);
    EXPECT_EQ(Px(dashed, 4, 4)[0], 0);
    EXPECT_EQ(Px(dashed, 6, 5)[0], 255);
    EXPECT_EQ(Px(dashed, 9, 5)[0], 0);
    EXPECT_EQ(Px(dashed, 3, 7)[0], 255);
    // Drawn inside, the dashes keep the pen's width as their unit.
    CZVImage inside = White(40, 20);
    CZVGraphics gi(&inside);
    pen.m_nStyle = ZVPenInside;
    ASSERT_TRUE(gi.DrawRectangle(pen, 0, 2, 40, 16));
    EXPECT_EQ(Px(inside, 3, 2)[0], 0);
    EXPECT_EQ(Px(inside, 7, 2)[0], 255);
    EXPECT_EQ(Px(inside, 10, 3)[0], 0);
    EXPECT_EQ(Px(inside, 10, 1)[0], 255);

    // An arrow head is wider than the line at the end, none at the start.
    CZVImage arrow = White(60, 30);
    CZVGraphics ga(&arrow);
    ASSERT_TRUE(ga.DrawLine(CZVPen(0xFF000000, 2), 5, 15, 55, 15, ZVArrowEnd));
    EXPECT_EQ(Px(arrow, 48, 17)[0], 0);
    EXPECT_EQ(Px(arrow, 52, 15)[0], 0);
    EXPECT_EQ(Px(arrow, 48, 19)[0], 255);
    EXPECT_EQ(Px(arrow, 8, 18)[0], 255);
    ASSERT_TRUE(ga.DrawLine(CZVPen(0xFF000000, 2), 5, 5, 55, 5, ZVArrowBoth));
    EXPECT_EQ(Px(arrow, 13, 7)[0], 0);
}

TEST(Graphics, DegenerateInputDrawsNothing)
{
    CZVImage image = White(20, 20);
    const CZVImage before = image;
    CZVGraphics g(&image);
    CZVPen pen(0xFF000000, 3);
    EXPECT_FALSE(g.FillRectangle(CZVBrushSolid(0xFF000000), 5, 5, 0, 10));
    EXPECT_FALSE(g.DrawEllipse(pen, 5, 5, 10, 0));
    EXPECT_FALSE(g.DrawRectangle(CZVPen(0xFF000000, 0), 5, 5, 10, 10));
    EXPECT_FALSE(g.DrawLine(pen, 5, 5, 5, 5));
    CZVSvgPathTokenizer flat(L"M0 0 L10 0 L0 0 Z");
    CZVGraphicsPath path;
    path.ParsePath(flat);
    EXPECT_FALSE(g.FillPath(CZVBrushSolid(0xFF000000), path));
    EXPECT_FALSE(g.FillPathString(CZVBrushSolid(0xFF000000), L"garbage", 0, 0, 10, 10));
    EXPECT_FALSE(g.FillPathString(CZVBrushSolid(0xFF000000), nullptr, 0, 0, 10, 10));
    CZVImage empty;
    CZVGraphics none(&empty);
    EXPECT_FALSE(none.CreateMask());
    EXPECT_FALSE(none.FillRectangle(CZVBrushSolid(0xFF000000), 0, 0, 5, 5));
    CZVGraphics null(nullptr);
    EXPECT_FALSE(null.FillPathMask(255));
    EXPECT_TRUE(SamePixels(image, before, 0)) << "degenerate figures changed pixels";

    // Coordinates near float's limit are clamped far outside: no overflow, no hang.
    CZVSvgPathTokenizer huge(L"M-3e38 -3e38 L3e38 0 L0 3e38 Z");
    ASSERT_TRUE(path.ParsePath(huge));
    EXPECT_TRUE(g.FillPath(CZVBrushSolid(0xFF000000), path));
    EXPECT_EQ(Px(image, 10, 10)[0], 0);
}

TEST(Graphics, EveryShapeDrawsFilledAndOutlined)
{
    // One cell a shape; with ZVIMAGE_SAMPLE_PNG set the sheet is also saved for a person.
    using Fill = bool (CZVGraphics::*)(const CZVBrushSolid&, float, float, float, float);
    using Draw = bool (CZVGraphics::*)(const CZVPen&, float, float, float, float);
    struct Shape {
        Fill fill;
        Draw draw;
    } shapes[] = {
        {&CZVGraphics::FillRectangle, &CZVGraphics::DrawRectangle},   {&CZVGraphics::FillEllipse, &CZVGraphics::DrawEllipse},
        {&CZVGraphics::FillTriangle, &CZVGraphics::DrawTriangle},     {&CZVGraphics::FillRightTriangle, &CZVGraphics::DrawRightTriangle},
        {&CZVGraphics::FillDiamond, &CZVGraphics::DrawDiamond},       {&CZVGraphics::FillPentagon, &CZVGraphics::DrawPentagon},
        {&CZVGraphics::FillHexagon, &CZVGraphics::DrawHexagon},       {&CZVGraphics::FillBallonSW, &CZVGraphics::DrawBallonSW},
    };
    const long cell = 80;
    CZVImage sheet = White(cell * 4, cell * 3);
    sheet.Flip();  // drawn top-down, as the callers do
    CZVGraphics g(&sheet);
    for (int i = 0; i < 8; ++i) {
        const float x = static_cast<float>((i % 4) * cell + 10), y = static_cast<float>((i / 4) * cell + 10);
        CZVPen pen(0xFF203080, 4);
        pen.m_nStyle = i % 2 ? ZVPenInside : ZVPenCentred;
        pen.m_nDashStyle = i == 7 ? ZVDashDot : ZVDashSolid;
        EXPECT_TRUE((g.*shapes[i].fill)(CZVBrushSolid(0xFFF0C040), x, y, 60, 60)) << i;
        EXPECT_TRUE((g.*shapes[i].draw)(pen, x, y, 60, 60)) << i;
        EXPECT_EQ(Px(sheet, static_cast<long>(x) + 20, static_cast<long>(y) + 40)[0], 0x40) << i;  // fill
    }
    CZVPen pen(0xFF000000, 3);
    pen.m_nStyle = ZVPenInside;
    EXPECT_TRUE(g.FillRoundedRect(CZVBrushSolid(0xFF80C0FF), 10, 170, 60, 60, 15));
    EXPECT_TRUE(g.DrawRoundedRect(pen, 10, 170, 60, 60, 15));
    EXPECT_TRUE(g.FillPathString(CZVBrushSolid(0xFFFF8080), L"M50 0 L61 35 L98 35 L68 57 L79 91 L50 70 L21 91 L32 57 L2 35 L39 35 Z",
                                 90, 170, 60, 60));
    EXPECT_TRUE(g.DrawPathString(pen, L"M0 50 A50 50 0 0 1 100 50 Q100 100 50 100 T0 50", 170, 170, 60, 60));
    pen.m_nStyle = ZVPenSquareCaps;
    EXPECT_TRUE(g.DrawLine(pen, 250, 230, 310, 175, ZVArrowBoth));
    sheet.Flip();
    if (const char* out = std::getenv("ZVIMAGE_SAMPLE_PNG")) {
        const std::wstring path(out, out + strlen(out));
        EXPECT_TRUE(sheet.SaveFile(path.c_str(), CXIMAGE_FORMAT_PNG));
    }
}
