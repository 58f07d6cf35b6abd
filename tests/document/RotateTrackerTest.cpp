// The rotatable selection frame: the crossing test, the edge bands, turning and resetting.
#include <gtest/gtest.h>
#include "RotateTracker.h"

namespace {

CRotateTracker FrameOf(POINT p0, POINT p1, POINT p2, POINT p3)
{
    CRotateTracker t;
    const POINT five[5] = {p0, p1, p2, p3, {(p0.x + p1.x) / 2, p0.y - 20}};
    t.SetPoints(five);
    return t;
}

// The axis-aligned frame from (0, 0) to (100, 50).
CRotateTracker Box()
{
    return FrameOf({0, 0}, {100, 0}, {100, 50}, {0, 50});
}

} // namespace

TEST(RotateTracker, PointTests)
{
    // edge -1: inside the frame; 0..3: on that edge's band.
    struct Case {
        int edge, x, y;
        BOOL expected;
    } const cases[] = {
        {-1, 99, 49, TRUE},
        {-1, 0, 0, TRUE},
        {-1, 100, 25, FALSE},   // the crossing on the right side equals x
        {-1, 50, 50, FALSE},    // the bottom side is outside the half-open span
        {-1, -1, 25, FALSE},
        {-1, 50, -1, FALSE},
        {0, 50, 4, TRUE},
        {0, 50, -4, TRUE},
        {0, 50, 6, FALSE},
        {1, 104, 25, TRUE},
        {1, 96, 25, TRUE},
        {1, 106, 25, FALSE},
        {2, 50, 46, TRUE},
        {2, 50, 56, FALSE},
        // The closing edge P3-P0 finds the left side as edge 1 finds the right one.
        {3, -4, 25, TRUE},
        {3, 4, 25, TRUE},
        {3, 6, 25, FALSE},
        {3, -6, 25, FALSE},
        {4, 50, 0, FALSE},
    };
    const CRotateTracker box = Box();
    for (const Case& c : cases) {
        const BOOL got = c.edge < 0 ? box.PtInFrame(c.x, c.y) : box.PtOnEdge(c.edge, c.x, c.y);
        EXPECT_EQ(c.expected, got) << "edge " << c.edge << " at " << c.x << "," << c.y;
    }
}

TEST(RotateTracker, RotationTruncatesTowardZero)
{
    struct Case {
        float angle;
        POINT expected[5];
    } const cases[] = {
        {0.0f, {{0, 0}, {100, 0}, {100, 50}, {0, 50}, {50, -20}}},
        // About (50, 25): 18.11, -20.91 becomes 18, -20 (neither rounded nor floored).
        {0.5f, {{18, -20}, {105, 27}, {81, 70}, {-5, 22}, {71, -14}}},
        {-0.3f, {{-5, 15}, {90, -13}, {105, 34}, {9, 63}, {36, -17}}},
    };
    for (const Case& c : cases) {
        CRotateTracker t = Box();
        t.Rotate(c.angle);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(c.expected[i].x, t.points[i].x) << c.angle << " P" << i;
            EXPECT_EQ(c.expected[i].y, t.points[i].y) << c.angle << " P" << i;
        }
        EXPECT_EQ(50, t.points[5].y) << "P5 is not turned";
    }
}

TEST(RotateTracker, SetPointsResetAndHandles)
{
    CRotateTracker t = Box();
    EXPECT_FALSE(t.SetPoints(nullptr));
    EXPECT_EQ(100, t.points[2].x);
    EXPECT_EQ(50, t.points[5].y) << "P5 repeats P3";

    t.UpdateHandleRects();
    EXPECT_EQ(88, t.handleRects[1].left);
    EXPECT_EQ(112, t.handleRects[1].right);
    EXPECT_EQ(-32, t.handleRects[4].top);

    t.Offset(3, -2);
    EXPECT_EQ(3, t.points[5].x);
    EXPECT_EQ(88, t.handleRects[1].left) << "handles are not moved";

    t.handleSize = 10;
    t.Reset();
    EXPECT_EQ(24, t.handleSize);
    EXPECT_EQ(20, t.rotateGap);
    EXPECT_EQ(0, t.points[4].y);
    EXPECT_EQ(0, t.handleRects[1].right);
    EXPECT_EQ(3, t.points[5].x);
    EXPECT_EQ(48, t.points[5].y) << "Reset keeps P5";
}
