// The canvas arithmetic without a window.
#include <gtest/gtest.h>
#include <cmath>
#include "CanvasViewMath.h"

namespace {

TEST(CanvasZoom, TenStepsInMultiplyByPowerOfTheStep)
{
    float z = 1.0f;
    for (int i = 0; i < 10; ++i)
        z = NextZoom(z, true);
    EXPECT_NEAR(z, std::pow(1.15, 10), 1e-4);
}

TEST(CanvasZoom, StopsAtTheLimits)
{
    struct Case {
        float from;
        bool in;
        float expected;
    };
    const Case cases[] = {
        {15.0f, true, 16.0f}, {16.0f, true, 16.0f}, {0.055f, false, 0.05f}, {0.05f, false, 0.05f}, {1.0f, false, 1.0f / 1.15f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(NextZoom(c.from, c.in), c.expected) << c.from << (c.in ? " in" : " out");
}

TEST(CanvasLayout, SmallerAxisIsCentredWithoutBarLargerSpansTheClient)
{
    struct Case {
        int size;
        float zoom;
        int clientStart, clientEnd;
        ViewAxis expected;
    };
    const Case cases[] = {
        {200, 1.0f, 0, 600, {FALSE, 0.0f, 200, 400}},
        {200, 0.5f, 10, 310, {FALSE, 0.0f, 110, 210}},
        {800, 1.0f, 0, 600, {TRUE, 1.0f, 0, 600}},
        {600, 1.0f, 0, 600, {TRUE, 1.0f, 0, 600}},
        // A window without extent never divides by zero.
        {600, 1.0f, 0, 0, {TRUE, 1.0f, 0, 0}},
    };
    for (const Case& c : cases) {
        const ViewAxis a = LayOutViewAxis(c.size, c.zoom, c.clientStart, c.clientEnd);
        EXPECT_EQ(a.scroll, c.expected.scroll) << c.size << " at " << c.zoom;
        EXPECT_EQ(a.step, c.expected.step) << c.size << " at " << c.zoom;
        EXPECT_EQ(a.start, c.expected.start) << c.size << " at " << c.zoom;
        EXPECT_EQ(a.end, c.expected.end) << c.size << " at " << c.zoom;
    }
}

TEST(CanvasScroll, CodesMoveAndClampThePosition)
{
    // Range 0..1000 with a page of 301: limit 700, line step 100.
    const int limit = ScrollLimit(1000, 301);
    ASSERT_EQ(limit, 700);
    struct Case {
        int code, position, given, expected;
    };
    const Case cases[] = {
        {SB_LINEUP, 50, 0, 0},        {SB_LINEUP, 350, 0, 250},     {SB_LINEDOWN, 650, 0, 700},
        {SB_LINEDOWN, 100, 0, 200},   {SB_PAGEUP, 200, 0, 0},       {SB_PAGEDOWN, 200, 0, 501},
        {SB_PAGEDOWN, 500, 0, 700},   {SB_THUMBTRACK, 0, 420, 420}, {SB_THUMBPOSITION, 0, 999, 700},
        {SB_TOP, 333, 0, 0},          {SB_BOTTOM, 3, 0, 700},       {SB_ENDSCROLL, 333, 0, 333},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollPosition(c.code, c.position, c.given, 100, 301, limit), c.expected) << "code " << c.code;
}

TEST(CanvasScroll, FirstCentringGoesHalfwayLaterKeepTheRatio)
{
    int position = 0;
    float ratio = 0.0f;
    CentreScrollAxis(position, ratio, 400);
    EXPECT_EQ(position, 200);
    EXPECT_FLOAT_EQ(ratio, 0.5f);
    position = 100;
    ratio = 0.25f;
    CentreScrollAxis(position, ratio, 800);
    EXPECT_EQ(position, 200);
}

TEST(CanvasCursors, HitCodesMapThroughTheTable)
{
    const int expected[10] = {0, 0, 5, 4, 2, 2, 1, 1, 5, 0};
    for (int code = 0; code < 10; ++code)
        EXPECT_EQ(CursorForHitCode(code), expected[code]) << code;
    EXPECT_EQ(CursorForHitCode(-1), -1);
    EXPECT_EQ(CursorForHitCode(10), -1);
    // With the delete button alone every part shows the hand, the rotate corner nothing.
    EXPECT_EQ(HoverCursor(3, true), 0);
    EXPECT_EQ(HoverCursor(2, true), -1);
    EXPECT_EQ(HoverCursor(-1, true), -1);
    EXPECT_EQ(HoverCursor(3, false), 4);
}

TEST(CanvasResize, FlipSignFollowsTheRoundedDegrees)
{
    struct Case {
        double degrees;
        int sign;
    };
    const Case cases[] = {{0, 1}, {90, 1}, {91, -1}, {180, -1}, {269, -1}, {270, 1}, {359, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(FlipSign(static_cast<float>(c.degrees * 3.14 / 180.0)), c.sign) << c.degrees;
}

TEST(CanvasResize, UpsideDownKeepsTheFarCornerInPlace)
{
    const ZVPOINTF at = {100.0f, 50.0f};
    ResizeStep step;
    // Upright: the mouse holds the bottom right, the location stays.
    ASSERT_TRUE(ResizeByDrag(200, 100, 20, 10, 0.0f, at, 200, 100, 2.0f, step));
    EXPECT_EQ(step.width, 220);
    EXPECT_EQ(step.height, 110);
    EXPECT_FLOAT_EQ(step.location.x, 100.0f);
    // At 180 degrees the size grows against the mouse and the bottom right (500, 250) stays.
    ASSERT_TRUE(ResizeByDrag(200, 100, -20, -10, 3.14159f, at, 200, 100, 2.0f, step));
    EXPECT_EQ(step.width, 220);
    EXPECT_EQ(step.height, 110);
    EXPECT_FLOAT_EQ(step.location.x + step.width * 2.0f, 500.0f);
    EXPECT_FLOAT_EQ(step.location.y + step.height * 2.0f, 250.0f);
    // Nothing for a size that would not stay positive.
    EXPECT_FALSE(ResizeByDrag(200, 100, -200, 0, 0.0f, at, 200, 100, 1.0f, step));
    EXPECT_FALSE(ResizeByDrag(200, 100, 250, 0, 3.14159f, at, 200, 100, 1.0f, step));
}

TEST(CanvasPinch, FiftyPixelsDoNothingFiftyOneMakeOneStep)
{
    const POINT a = {100, 100}, b = {200, 100};
    EXPECT_EQ(PinchStep(a, b, a, POINT{250, 100}), 0);
    EXPECT_EQ(PinchStep(a, b, a, POINT{251, 100}), 1);
    EXPECT_EQ(PinchStep(a, b, a, POINT{150, 100}), 0);
    EXPECT_EQ(PinchStep(a, b, a, POINT{149, 100}), -1);
}

TEST(CanvasGrid, LinesStartAtTheCanvasAndFollowTheScroll)
{
    EXPECT_EQ(GridLinePositions(100.0f, 10, 310, 0), (std::vector<int>{10, 110, 210, 310}));
    EXPECT_EQ(GridLinePositions(100.0f, 0, 300, 50), (std::vector<int>{-50, 50, 150, 250}));
    EXPECT_TRUE(GridLinePositions(0.0f, 0, 300, 0).empty());
}

TEST(CanvasStretch, OnlyTheVisiblePartIsStretched)
{
    StretchPart part;
    const RECT client = {0, 0, 400, 300};
    // 1000 x 1000 at zoom 16 from (-1600, -800): 25 x 19 source pixels cover the window.
    ASSERT_TRUE(VisibleStretchPart(-1600, -800, 1000, 1000, 16.0f, client, part));
    EXPECT_EQ(part.source.left, 100);
    EXPECT_EQ(part.source.top, 50);
    EXPECT_EQ(part.source.right, 125);
    EXPECT_EQ(part.source.bottom, 69);
    EXPECT_EQ(part.target.left, 0);
    EXPECT_EQ(part.target.top, 0);
    EXPECT_EQ(part.target.right, 400);
    EXPECT_EQ(part.target.bottom, 304);
    EXPECT_FALSE(VisibleStretchPart(500, 0, 10, 10, 2.0f, client, part));
}

TEST(CanvasDpi, SizesGrowAboveNinetySixOnly)
{
    EXPECT_EQ(ScaleToDpi(24, 96), 24);
    EXPECT_EQ(ScaleToDpi(24, 72), 24);
    EXPECT_EQ(ScaleToDpi(24, 144), 36);
    EXPECT_EQ(ScaleToDpi(24, 192), 48);
}

} // namespace
