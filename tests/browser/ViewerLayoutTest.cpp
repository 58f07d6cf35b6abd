// The viewer's arithmetic: fitting, zoom steps, the thumbnail strip, click zones, transitions,
// animation timing, keys and touch gestures, on a 1920 x 1080 display.
#include <gtest/gtest.h>
#include <vector>
#include "ViewerLayout.h"

namespace {

using namespace viewer;

const int kClientW = 1920, kClientH = 1080;
// Windowed: the fit area leaves a strip column (120 + 2 x 15) on each side.
const RECT kFitRect = {150, 0, 1770, 1080};

PictureFrame Frame(int w, int h, int angle = 0, bool fit = true)
{
    PictureFrame f;
    f.sourceWidth = w;
    f.sourceHeight = h;
    f.angle = angle;
    f.fitMode = fit;
    f.fitRect = kFitRect;
    f.clientWidth = kClientW;
    f.clientHeight = kClientH;
    return f;
}

TEST(ViewerScale, FollowsTheWorkAreaWidthButNeverShrinks)
{
    struct Row {
        int width;
        int rowHeight;
        LONG cellW, cellH;
    } const rows[] = {{1366, 80, 120, 100}, {1920, 80, 120, 100}, {3840, 160, 240, 200}, {2880, 120, 180, 150}};
    for (const Row& r : rows) {
        EXPECT_EQ(r.rowHeight, NavBarRowHeight(r.width)) << r.width;
        EXPECT_EQ(r.cellW, StripCellSize(r.width).cx) << r.width;
        EXPECT_EQ(r.cellH, StripCellSize(r.width).cy) << r.width;
    }
}

TEST(ViewerFit, SmallCentredLargeShrunkTurnedExchangesSides)
{
    struct Row {
        int w, h, angle;
        int x, y, width, height;
        float zoom;
    } const rows[] = {
        {640, 427, 0, 640, 326, 640, 427, 1.0f},    // small: 100 %, centred in the fit area
        {4000, 3000, 0, 240, 0, 1440, 1080, 0.36f}, // taller than the area's aspect
        {4000, 1000, 0, 150, 337, 1620, 405, 0.405f},
        {3000, 4000, 90, 240, 0, 1440, 1080, 0.36f}, // turned: fitted as 4000 x 3000
        {1000, 3000, 270, 150, 270, 1620, 540, 0.54f},
        {427, 640, 90, 640, 326, 640, 427, 1.0f},
    };
    for (const Row& r : rows) {
        PicturePlace p;
        EXPECT_TRUE(LayoutPicture(p, Frame(r.w, r.h, r.angle)));
        EXPECT_EQ(r.x, p.x) << r.w << "x" << r.h << " @" << r.angle;
        EXPECT_EQ(r.y, p.y) << r.w << "x" << r.h << " @" << r.angle;
        EXPECT_EQ(r.width, p.width) << r.w << "x" << r.h << " @" << r.angle;
        EXPECT_EQ(r.height, p.height) << r.w << "x" << r.h << " @" << r.angle;
        EXPECT_NEAR(r.zoom, p.zoom, 1e-4) << r.w << "x" << r.h << " @" << r.angle;
        // Laying out again at the fitted zoom keeps the place.
        PicturePlace again = p;
        LayoutPicture(again, Frame(r.w, r.h, r.angle));
        EXPECT_EQ(p.width, again.width);
        EXPECT_EQ(p.x, again.x);
    }
}

TEST(ViewerFit, FreeLayoutCentresOnlyTheAxesThatFit)
{
    struct Row {
        float zoom;
        bool keepCentred;
        int x, y; // x and y were -100, -50 before
    } const rows[] = {
        {2.0f, false, 320, 113}, // 1280 x 854: both centred
        {4.0f, false, -100, -50}, // 2560 x 1708: both stay where the drag left them
        {4.0f, true, -320, -314},
    };
    for (const Row& r : rows) {
        PicturePlace p;
        p.zoom = r.zoom;
        p.x = -100;
        p.y = -50;
        PictureFrame f = Frame(640, 427, 0, false);
        f.keepCentred = r.keepCentred;
        EXPECT_FALSE(LayoutPicture(p, f));
        EXPECT_EQ(r.x, p.x) << r.zoom;
        EXPECT_EQ(r.y, p.y) << r.zoom;
        EXPECT_EQ(static_cast<int>((kClientW / 2 - p.x) / p.zoom), p.centreX);
    }
}

TEST(ViewerZoom, InStopsAtOneHundredOutBeforeTenPixels)
{
    EXPECT_FLOAT_EQ(1.1f, ZoomInStep(1.0f));
    EXPECT_FLOAT_EQ(100.0f, ZoomInStep(100.0f));
    float z = 1.0f;
    for (int i = 0; i < 200; ++i)
        z = ZoomInStep(z);
    EXPECT_GE(z, 100.0f);
    EXPECT_LT(z, 110.0f);

    struct Row {
        int w, h;
    } const rows[] = {{100, 100}, {640, 427}, {4000, 30}};
    for (const Row& r : rows) {
        float prev = 1.0f, cur = ZoomOutStep(1.0f, r.w, r.h);
        for (int i = 0; i < 500 && cur != prev; ++i) {
            prev = cur;
            cur = ZoomOutStep(cur, r.w, r.h);
        }
        EXPECT_EQ(prev, cur) << r.w << "x" << r.h;
        const bool small = static_cast<int>(r.w * (cur - 0.1f)) < 10 || static_cast<int>(r.h * (cur - 0.1f)) < 10;
        EXPECT_TRUE(small) << r.w << "x" << r.h;
        // The displayed picture is still at least ten pixels on its shorter side.
        EXPECT_GE(static_cast<int>(std::min(r.w, r.h) * cur), 2) << r.w << "x" << r.h;
    }
}

TEST(ViewerZoom, LeavingFitZoomsAboutThePictureMiddle)
{
    PicturePlace p;
    PictureFrame f = Frame(4000, 3000);
    LayoutPicture(p, f);
    p.zoom = ZoomInStep(p.zoom);
    ZoomAboutCentre(p, f, true);
    EXPECT_EQ(2000, p.centreX);
    EXPECT_EQ(1500, p.centreY);
    EXPECT_EQ(static_cast<int>(960 - 2000 * p.zoom), p.x);
    EXPECT_EQ(static_cast<int>(540 - 1500 * p.zoom), p.y);
}

TEST(ViewerStrip, WindowOfTwoColumnsFollowsTheCurrentPicture)
{
    const int usable = 700; // 5 rows of 100 + 22
    struct Row {
        int first, end;      // window before
        int current, direction;
        int newFirst, newEnd;
    } const rows[] = {
        {0, 0, 0, 1, 0, 10},
        {0, 10, 4, 1, 0, 10},    // inside: unchanged
        {0, 10, 10, 1, 10, 20},  // forward out of it: starts at current
        {10, 20, 9, -1, 0, 10},  // back out of it: ends at current
        {10, 20, 5, -1, 0, 10},  // near the start: shifted to stay 10 long
        {10, 20, 27, 1, 20, 30}, // near the end: shifted
        {20, 30, 19, -1, 10, 20},
        {0, 10, 29, -1, 20, 30},
    };
    for (const Row& r : rows) {
        StripWindow old;
        old.first = r.first;
        old.end = r.end;
        old.middle = (r.first + r.end) / 2;
        const StripWindow w = PlaceStripWindow(old, r.end == 0, r.current, 30, r.direction, usable, 100);
        EXPECT_EQ(5, w.rows);
        EXPECT_EQ(r.newFirst, w.first) << r.current;
        EXPECT_EQ(r.newEnd, w.end) << r.current;
        EXPECT_EQ(w.first + 5, w.middle) << r.current;
    }
    // A short list shows what there is.
    const StripWindow few = PlaceStripWindow(StripWindow(), true, 2, 3, 1, usable, 100);
    EXPECT_EQ(0, few.first);
    EXPECT_EQ(3, few.end);
    EXPECT_EQ(1, few.middle);
}

TEST(ViewerStrip, CellsDownBothSidesWithTheCurrentEnlarged)
{
    StripWindow w;
    w.first = 10;
    w.end = 20;
    w.middle = 15;
    w.rows = 5;
    std::vector<StripCell> cells;
    LayoutStripCells(cells, w, 17, kClientW, 700, SIZE{120, 100});
    ASSERT_EQ(10u, cells.size());
    const int y0 = (22 + 700 - 122 * 5) / 2;
    for (int i = 0; i < 10; ++i) {
        const StripCell& c = cells[i];
        EXPECT_EQ(10 + i, c.index);
        const int row = i % 5;
        const int x = i < 5 ? 15 : kClientW - 15 - 120;
        if (c.index == 17) {
            EXPECT_EQ((RECT{x - 30, y0 + row * 122 - 12, x + 120, y0 + row * 122 + 112}.left), c.rect.left);
            EXPECT_EQ(x + 120, c.rect.right);
            EXPECT_EQ(y0 + row * 122 - 12, c.rect.top);
            EXPECT_EQ(y0 + row * 122 + 112, c.rect.bottom);
        } else {
            EXPECT_EQ(x, c.rect.left) << i;
            EXPECT_EQ(y0 + row * 122, c.rect.top) << i;
            EXPECT_EQ(120, c.rect.right - c.rect.left) << i;
            EXPECT_EQ(100, c.rect.bottom - c.rect.top) << i;
        }
    }
    // In the left column the current cell grows to the right.
    LayoutStripCells(cells, w, 11, kClientW, 700, SIZE{120, 100});
    EXPECT_EQ(15, cells[1].rect.left);
    EXPECT_EQ(15 + 150, cells[1].rect.right);
}

TEST(ViewerZones, PreviousAndNextBesideThePictureAndStripHits)
{
    ZoneFrame f;
    f.clientWidth = kClientW;
    f.clientHeight = kClientH;
    f.thumbWidth = 120;
    f.picture = RECT{640, 326, 1280, 753};
    struct Row {
        int x;
        bool strip, freeView;
        bool previous, next;
    } const rows[] = {
        {100, true, false, false, false}, // over the left column
        {200, true, false, true, false},
        {629, true, false, true, false},  // up to 10 pixels left of the picture
        {630, true, false, false, false},
        {900, true, false, false, false}, // on the picture
        {1289, true, false, false, false},
        {1290, true, false, false, true},
        {1700, true, false, false, true},
        {1800, true, false, false, false}, // over the right column
        {100, false, false, true, false},  // no strip: the edge is free
        {1800, false, false, false, true},
        {200, true, true, false, false},   // free view: clicks do not navigate
        {1700, true, true, false, false},
    };
    for (const Row& r : rows) {
        f.stripShown = r.strip;
        f.freeView = r.freeView;
        EXPECT_EQ(r.previous, InPreviousZone(POINT{r.x, 500}, f)) << r.x;
        EXPECT_EQ(r.next, InNextZone(POINT{r.x, 500}, f)) << r.x;
    }
    // A picture across the whole client still leaves a tenth at each side beside the strip.
    f.stripShown = true;
    f.freeView = false;
    f.picture = RECT{0, 0, kClientW, kClientH};
    EXPECT_TRUE(InPreviousZone(POINT{326, 500}, f));
    EXPECT_FALSE(InPreviousZone(POINT{327, 500}, f));
    EXPECT_TRUE(InNextZone(POINT{1593, 500}, f));
    EXPECT_FALSE(InNextZone(POINT{1592, 500}, f));

    StripWindow w;
    w.first = 0;
    w.end = 10;
    w.middle = 5;
    w.rows = 5;
    std::vector<StripCell> cells;
    LayoutStripCells(cells, w, 0, kClientW, 700, SIZE{120, 100});
    const int y0 = (22 + 700 - 122 * 5) / 2;
    struct Hit {
        int x, y;
        bool strip;
        int index;
    } const hits[] = {
        {20, y0 + 3 * 122 + 50, true, 3},
        {kClientW - 20, y0 + 50, true, 5},
        {kClientW - 20, y0 + 4 * 122 + 50, true, 9},
        {150, y0 + 50, true, 0},        // the current cell reaches towards the picture
        {150, y0 + 122 + 50, true, -1}, // an ordinary one does not
        {20, y0 + 122 + 110, true, -1},  // in the gap
        {10, y0 + 50, true, -1},         // the margin
        {960, y0 + 50, true, -1},
        {20, y0 + 50, false, -1},
    };
    for (const Hit& h : hits) {
        f.stripShown = h.strip;
        EXPECT_EQ(h.index, StripHitTest(POINT{h.x, h.y}, cells, 10, f)) << h.x << "," << h.y;
    }
}

TEST(ViewerStrip, BadgesInTheirCorners)
{
    const RECT cell = {15, 40, 135, 140};
    const SIZE badge = {24, 20};
    const struct {
        unsigned bit;
        RECT at;
    } rows[] = {
        {0x80, {111, 40, 135, 60}},   // downloading: top right
        {0x40, {15, 40, 39, 60}},     // not downloaded: top left
        {0x100, {111, 120, 135, 140}}, // failed: bottom right
        {0x20, {0, 0, 0, 0}},         // any other state has no badge in the strip
    };
    for (const auto& row : rows) {
        const RECT r = StripBadgeRect(row.bit, cell, badge);
        EXPECT_TRUE(EqualRect(&r, &row.at)) << std::hex << row.bit << ": " << std::dec << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(ViewerLayout, StripBadgesShowOneDownloadMark)
{
    const struct {
        unsigned state, badges;
    } rows[] = {
        {0x40, 0x40},         // not downloaded
        {0x40 | 0x80, 0x80},  // on its way: the downloading mark alone
        {0x80 | 0x100, 0x180}, // a failure mark stays beside it
        {0x140, 0x140},
        {0x01 | 0x02 | 0x20, 0}, // selection, folder, read-only: no badge
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.badges, StripBadgeBits(row.state)) << std::hex << row.state;
}

TEST(ViewerTransitions, SlideAndGrowAtSteps)
{
    const RECT prev = {100, 0, 500, 300}, next = {200, 0, 600, 300};
    struct Slide {
        int step, direction;
        int prevLeft, nextLeft;
    } const slides[] = {
        {0, 1, 100, 200 + 1920}, {4, 1, 100 - 960, 200 + 960}, {8, 1, 100 - 1920, 200},
        {0, -1, 100, 200 - 1920}, {4, -1, 100 + 960, 200 - 960}, {8, -1, 100 + 1920, 200},
    };
    for (const Slide& s : slides) {
        RECT p, n;
        SlideRects(s.step, kClientW, s.direction, prev, next, p, n);
        EXPECT_EQ(s.prevLeft, p.left) << s.step << "/" << s.direction;
        EXPECT_EQ(s.nextLeft, n.left) << s.step << "/" << s.direction;
        EXPECT_EQ(400, p.right - p.left);
        EXPECT_EQ(400, n.right - n.left);
    }
    struct Grow {
        int step;
        RECT p, n;
    } const grows[] = {
        {0, {100, 0, 500, 300}, {200, 0, 200, 0}},
        {4, {300, 150, 500, 300}, {200, 0, 400, 150}},
        {8, {500, 300, 500, 300}, {200, 0, 600, 300}},
    };
    for (const Grow& g : grows) {
        RECT p, n;
        GrowRects(g.step, prev, next, p, n);
        EXPECT_TRUE(EqualRect(&g.p, &p)) << g.step << ": " << p.left << "," << p.top << "," << p.right << "," << p.bottom;
        EXPECT_TRUE(EqualRect(&g.n, &n)) << g.step << ": " << n.left << "," << n.top << "," << n.right << "," << n.bottom;
    }
}

TEST(ViewerAnimation, DelayOfZeroPlaysAtOneHundredMilliseconds)
{
    EXPECT_EQ(100u, FrameIntervalMs(0));
    EXPECT_EQ(100u, FrameIntervalMs(7));
    EXPECT_EQ(250u, FrameIntervalMs(25));
    EXPECT_EQ(L"8F x 0.10s", AniBarCaption(8, 0));
    EXPECT_EQ(L"3F x 0.25s", AniBarCaption(3, 25));
}

TEST(ViewerTiming, QuickMovesAndWheelSteps)
{
    EXPECT_TRUE(IsQuickMove(1599, 1000));
    EXPECT_FALSE(IsQuickMove(1600, 1000));
    EXPECT_TRUE(IsQuickMove(100, 0xFFFFFF00u)); // across the tick count's wrap
    EXPECT_FALSE(WheelMayStep(1149, 1000));
    EXPECT_TRUE(WheelMayStep(1150, 1000));
}

TEST(ViewerKeys, Table)
{
    struct Row {
        UINT vk;
        bool ctrl;
        KeyAction action;
    } const rows[] = {
        {VK_LEFT, false, KeyAction::Previous}, {VK_LEFT, true, KeyAction::RotateLeft},
        {VK_UP, false, KeyAction::Previous},   {VK_UP, true, KeyAction::ZoomIn},
        {VK_RIGHT, false, KeyAction::Next},    {VK_RIGHT, true, KeyAction::RotateRight},
        {VK_DOWN, false, KeyAction::Next},     {VK_DOWN, true, KeyAction::ZoomOut},
        {VK_PRIOR, false, KeyAction::Previous}, {VK_NEXT, false, KeyAction::Next},
        {VK_HOME, false, KeyAction::First},    {VK_END, false, KeyAction::Last},
        {'S', true, KeyAction::Save},          {'S', false, KeyAction::None},
        {VK_RETURN, false, KeyAction::ToggleFullScreen}, {VK_SPACE, false, KeyAction::SlideShow},
        {VK_DELETE, false, KeyAction::Delete}, {VK_ESCAPE, false, KeyAction::Escape},
        {'A', false, KeyAction::None},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.action, KeyToAction(r.vk, r.ctrl)) << r.vk << (r.ctrl ? " ctrl" : "");
}

TouchRecord Touch(TouchEvent e, std::initializer_list<POINT> points)
{
    TouchRecord r;
    r.event = e;
    for (POINT p : points)
        r.points[r.count++] = p;
    return r;
}

TEST(ViewerTouch, PinchZoomsAndSwipeMovesOncePerTouch)
{
    TouchGestures g;
    EXPECT_EQ(TouchAction::None, g.Feed(Touch(TouchEvent::Down, {{100, 100}, {200, 100}}), false));
    EXPECT_TRUE(g.IsMultiTouch());
    EXPECT_EQ(TouchAction::ZoomIn, g.Feed(Touch(TouchEvent::Move, {{90, 100}, {210, 100}}), false));
    EXPECT_TRUE(g.TwoFingers());
    // Measured from the new start: 10 pixels more is not enough.
    EXPECT_EQ(TouchAction::None, g.Feed(Touch(TouchEvent::Move, {{85, 100}, {215, 100}}), false));
    EXPECT_EQ(TouchAction::ZoomOut, g.Feed(Touch(TouchEvent::Move, {{120, 100}, {180, 100}}), false));
    // Two fingers sliding sideways together do not swipe.
    EXPECT_EQ(TouchAction::None, g.Feed(Touch(TouchEvent::Move, {{300, 100}, {360, 100}}), false));
    g.Feed(Touch(TouchEvent::Up, {}), false);
    EXPECT_FALSE(g.IsDown());

    struct Swipe {
        int toX;
        bool freeView;
        TouchAction first;
    } const swipes[] = {
        {390, false, TouchAction::Next},
        {611, false, TouchAction::Previous},
        {560, false, TouchAction::None},
        {300, true, TouchAction::None},
    };
    for (const Swipe& s : swipes) {
        g.Feed(Touch(TouchEvent::Down, {{500, 300}}), false);
        EXPECT_EQ(TouchAction::None, g.Feed(Touch(TouchEvent::Move, {{520, 310}}), s.freeView));
        EXPECT_EQ(s.first, g.Feed(Touch(TouchEvent::Move, {{s.toX, 300}}), s.freeView)) << s.toX;
        if (s.first != TouchAction::None) // once per touch
            EXPECT_EQ(TouchAction::None, g.Feed(Touch(TouchEvent::Move, {{s.toX - 200, 300}}), s.freeView)) << s.toX;
        g.Feed(Touch(TouchEvent::Up, {}), false);
    }
}

} // namespace
