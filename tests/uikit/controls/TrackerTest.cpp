// Rectangle trackers: the geometry as tables, the modal loop driven by posted mouse and key
// messages, and pixels of Draw.
#include "ControlsTestSupport.h"
#include "KQRectTracker.h"
#include "TrackerGeometry.h"
#include "ZVRectTracker.h"

namespace {

using namespace tracker;

TEST(TrackerGeometry, HandleSizeAndMask)
{
    struct Case {
        RECT rect;
        UINT style;
        int size;
        UINT mask;
    } cases[] = {
        {{0, 0, 100, 100}, resizeInside, 32, 0x0F},   // side handles need more than three handles and 4 pixels
        {{0, 0, 101, 101}, resizeInside, 32, 0xFF},
        {{0, 0, 101, 100}, resizeInside, 32, 0x5F},   // only the long edges get their middles
        {{0, 0, 40, 40}, resizeInside, 20, 0x0F},     // half the shorter side
        {{0, 0, 40, 40}, resizeOutside, 32, 0x0F},    // outside handles keep their size
        {{40, 40, 0, 0}, resizeInside, 20, 0x0F},     // inside out measures the same
    };
    for (const Case& c : cases) {
        const int size = HandleSize(c.style, 32, c.rect);
        EXPECT_EQ(c.size, size) << RectText(c.rect) << " style " << c.style;
        EXPECT_EQ(c.mask, HandleMask(size, c.rect)) << RectText(c.rect);
    }
}

TEST(TrackerGeometry, HandleRectanglesPerStyle)
{
    const RECT rect{100, 100, 300, 250};
    struct Case {
        UINT style;
        int handle;
        RECT expected;
    } cases[] = {
        {resizeInside, 0, {100, 100, 132, 132}},
        {resizeInside, 1, {268, 100, 300, 132}},
        {resizeInside, 2, {268, 218, 300, 250}},
        {resizeInside, 3, {100, 218, 132, 250}},
        {resizeInside, 4, {184, 98, 216, 130}},     // side handles sit two pixels outward
        {resizeInside, 5, {270, 159, 302, 191}},
        {resizeInside, 6, {184, 220, 216, 252}},
        {resizeInside, 7, {98, 159, 130, 191}},
        {resizeOutside, 0, {69, 69, 101, 101}},
        {resizeOutside, 2, {299, 249, 331, 281}},
        {resizeOutside, 4, {184, 67, 216, 99}},
        {resizeInside | solidLine, 0, {99, 99, 131, 131}},
        {resizeInside | solidLine, 2, {269, 219, 301, 251}},
    };
    for (const Case& c : cases) {
        const RECT got = HandleRect(c.style, HandleSize(c.style, 32, rect), rect, c.handle);
        EXPECT_EQ(RectText(c.expected), RectText(got)) << "style " << c.style << " handle " << c.handle;
    }
}

TEST(TrackerGeometry, HitCodes)
{
    const RECT rect{100, 100, 300, 250};
    struct Case {
        UINT style;
        POINT p;
        int hit;
    } cases[] = {
        {resizeInside, {105, 105}, hitTopLeft},
        {resizeInside, {295, 105}, hitTopRight},
        {resizeInside, {295, 245}, hitBottomRight},
        {resizeInside, {105, 245}, hitBottomLeft},
        {resizeInside, {200, 100}, hitTop},
        {resizeInside, {299, 175}, hitRight},
        {resizeInside, {200, 249}, hitBottom},
        {resizeInside, {101, 175}, hitLeft},
        {resizeInside, {200, 175}, hitMiddle},
        {resizeInside, {50, 50}, hitNothing},
        {resizeInside, {300, 175}, hitNothing},      // the right edge is outside
        {0, {105, 105}, hitMiddle},                  // without resize bits the whole is a move
        {hatchedBorder | resizeOutside, {75, 200}, hitMiddle},   // between handles on the frame
        {hatchedBorder | resizeOutside, {70, 70}, hitTopLeft},
        {hatchedBorder | resizeOutside, {40, 40}, hitNothing},
    };
    for (const Case& c : cases) {
        const int size = HandleSize(c.style, 32, rect);
        EXPECT_EQ(c.hit, HitTest(c.style, size, HandleMask(size, rect), rect, c.p))
            << "style " << c.style << " at " << c.p.x << "," << c.p.y;
    }
}

TEST(TrackerGeometry, NormalizeHitMirrorsInsideOutRectangles)
{
    struct Case {
        RECT rect;
        int hit, normalized;
    } cases[] = {
        {{300, 250, 100, 100}, hitTopLeft, hitBottomRight},   // top-left dragged past bottom-right
        {{300, 250, 100, 100}, hitTop, hitBottom},
        {{300, 250, 100, 100}, hitLeft, hitRight},
        {{300, 100, 100, 250}, hitTopLeft, hitTopRight},       // mirrored in x only
        {{300, 100, 100, 250}, hitTop, hitTop},
        {{100, 250, 300, 100}, hitBottomLeft, hitTopLeft},     // in y only
        {{300, 250, 100, 100}, hitMiddle, hitMiddle},
        {{300, 250, 100, 100}, hitNothing, hitNothing},
        {{100, 100, 300, 250}, hitTopRight, hitTopRight},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.normalized, NormalizeHit(c.rect, c.hit)) << RectText(c.rect) << " hit " << c.hit;
}

TEST(TrackerGeometry, ModifyPointersPerHandle)
{
    // Members: 0 left, 1 top, 2 right, 3 bottom, -1 none.
    struct Case {
        int hit, xMember, yMember, x, y;
    } cases[] = {
        {0, 0, 1, 10, 20},  {1, 2, 1, 110, 20}, {2, 2, 3, 110, 220}, {3, 0, 3, 10, 220},
        {4, -1, 1, 60, 20}, {5, 2, -1, 110, 120}, {6, -1, 3, 60, 220}, {7, 0, -1, 10, 120},
        {8, 0, 1, 10, 20},   // a move drags the top-left corner
    };
    for (const Case& c : cases) {
        RECT rect{10, 20, 110, 220};
        LONG *px = nullptr, *py = nullptr;
        int x = 0, y = 0;
        ModifyPointers(rect, c.hit, &px, &py, &x, &y);
        EXPECT_EQ(c.xMember, px ? static_cast<int>(px - &rect.left) : -1) << "handle " << c.hit;
        EXPECT_EQ(c.yMember, py ? static_cast<int>(py - &rect.left) : -1) << "handle " << c.hit;
        EXPECT_EQ(c.x, x) << "handle " << c.hit;
        EXPECT_EQ(c.y, y) << "handle " << c.hit;
    }
}

TEST(TrackerGeometry, AdjustRectHoldsTheMinimum)
{
    struct Case {
        int hit;
        RECT rect;
        bool allowInvert;
        RECT expected;
    } cases[] = {
        {hitRight, {100, 100, 130, 300}, false, {100, 100, 164, 300}},
        {hitRight, {100, 100, 80, 300}, true, {100, 100, 36, 300}},    // inverted stays inverted
        {hitRight, {100, 100, 80, 300}, false, {100, 100, 164, 300}},  // else it flips back
        {hitRight, {100, 100, 200, 300}, false, {100, 100, 200, 300}}, // wide enough
        {hitTopLeft, {100, 100, 130, 130}, false, {66, 66, 130, 130}},
        {hitBottom, {100, 100, 130, 110}, false, {100, 100, 130, 164}}, // the width is not its axis
        {hitMiddle, {100, 100, 110, 110}, false, {100, 100, 110, 110}},
    };
    for (const Case& c : cases) {
        RECT rect = c.rect;
        AdjustToMinimum(c.hit, rect, SIZE{64, 64}, c.allowInvert);
        EXPECT_EQ(RectText(c.expected), RectText(rect)) << "handle " << c.hit << " from " << RectText(c.rect);
    }
}

TEST(TrackerGeometry, FloatRectangleAndAspect)
{
    EXPECT_EQ("(10,-3,20,30)", RectText(FromRectF(RectF{10.9f, -3.7f, 20.5f, 30.0f})));
    const RectF f = ToRectF(RECT{-4, 5, 6, 7});
    EXPECT_EQ(-4.0f, f.left);
    EXPECT_EQ(7.0f, f.bottom);
    EXPECT_EQ(150, AspectBottom(RECT{0, 0, 201, 0}, 0.75f));   // truncated, not rounded
    EXPECT_EQ(110, AspectBottom(RECT{0, 10, 200, 0}, 0.5f));

    CZVRectTracker tracker;
    tracker.m_rect.SetRect(1, 2, 3, 4);
    tracker.SetAspect(0.75f);
    EXPECT_EQ("(0,0,0,0)", RectText(tracker.m_rect));
    tracker.m_rectF = RectF{10.9f, -3.7f, 20.5f, 30.0f};
    tracker.RectFToRect();
    EXPECT_EQ("(10,-3,20,30)", RectText(tracker.m_rect));
    CKQRectTracker lean;
    lean.m_rect.SetRect(1, 2, 3, 4);
    lean.SetAspect(0.5f);
    EXPECT_EQ("(0,0,0,0)", RectText(lean.m_rect));
}

// The loop is driven by messages posted before Track: GetMessage hands them over in order.
class TrackerLoop : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open(CRect(0, 0, 400, 400)));
        PumpPending();
        tracker.m_rect.SetRect(100, 100, 300, 250);
        tracker.m_nStyle = CZVRectTracker::resizeInside;
    }
    void Post(UINT message, int x, int y, WPARAM wParam = 0) { host.PostMessage(message, wParam, MAKELPARAM(x, y)); }
    void TearDown() override
    {
        if (::GetCapture())
            ::ReleaseCapture();
        PumpPending();
    }
    CControlsHost host;
    CZVRectTracker tracker;
};

TEST_F(TrackerLoop, CornerMovedAndReleasedTakesTheNewRectangle)
{
    Post(WM_MOUSEMOVE, 350, 300, MK_LBUTTON);
    Post(WM_LBUTTONUP, 350, 300);
    // Grabbed two pixels inside the bottom-right corner: the corner keeps that offset.
    EXPECT_TRUE(tracker.Track(&host, CPoint(298, 248)));
    EXPECT_EQ("(100,100,352,302)", RectText(tracker.m_rect));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(TrackerLoop, EscapeRestoresTheRectangle)
{
    Post(WM_MOUSEMOVE, 350, 300, MK_LBUTTON);
    Post(WM_KEYDOWN, 0, 0, VK_ESCAPE);
    Post(WM_LBUTTONUP, 350, 300);   // left for the pump: the loop has ended at Escape
    EXPECT_FALSE(tracker.Track(&host, CPoint(298, 248)));
    EXPECT_EQ("(100,100,300,250)", RectText(tracker.m_rect));
}

TEST_F(TrackerLoop, RightButtonCancels)
{
    Post(WM_MOUSEMOVE, 350, 300, MK_LBUTTON);
    Post(WM_RBUTTONDOWN, 350, 300);
    Post(WM_LBUTTONUP, 350, 300);
    EXPECT_FALSE(tracker.Track(&host, CPoint(298, 248)));
    EXPECT_EQ("(100,100,300,250)", RectText(tracker.m_rect));
}

TEST_F(TrackerLoop, ClickWithoutMovementIsNoChange)
{
    Post(WM_LBUTTONUP, 298, 248);
    EXPECT_FALSE(tracker.Track(&host, CPoint(298, 248)));
    EXPECT_EQ("(100,100,300,250)", RectText(tracker.m_rect));
}

TEST_F(TrackerLoop, AspectLocksTheHeightToTheWidth)
{
    tracker.SetAspect(0.75f);
    tracker.m_rect.SetRect(100, 100, 300, 250);
    Post(WM_MOUSEMOVE, 299, 400, MK_LBUTTON);
    Post(WM_LBUTTONUP, 299, 400);
    EXPECT_TRUE(tracker.Track(&host, CPoint(298, 248)));
    EXPECT_EQ(201, tracker.m_rect.Width());
    EXPECT_EQ(150, tracker.m_rect.Height());
}

TEST_F(TrackerLoop, MiddleMovesTheWholeRectangle)
{
    Post(WM_MOUSEMOVE, 210, 190, MK_LBUTTON);
    Post(WM_LBUTTONUP, 210, 190);
    EXPECT_TRUE(tracker.Track(&host, CPoint(200, 175)));
    EXPECT_EQ("(110,115,310,265)", RectText(tracker.m_rect));
}

TEST_F(TrackerLoop, CaptureHeldElsewhereReturnsAtOnce)
{
    CControlsHost other;
    ASSERT_TRUE(other.Open(CRect(500, 0, 600, 100)));
    other.SetCapture();
    Post(WM_MOUSEMOVE, 350, 300, MK_LBUTTON);   // would move the corner if the loop ran
    EXPECT_FALSE(tracker.Track(&host, CPoint(298, 248)));
    EXPECT_EQ("(100,100,300,250)", RectText(tracker.m_rect));
    EXPECT_EQ(other.m_hWnd, ::GetCapture());
    ::ReleaseCapture();
}

TEST_F(TrackerLoop, MissedPointDoesNotTrack)
{
    EXPECT_FALSE(tracker.Track(&host, CPoint(20, 20)));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(TrackerLoop, LosingTheCaptureEndsTrackingWhereItIs)
{
    Post(WM_MOUSEMOVE, 350, 300, MK_LBUTTON);
    host.PostMessage(kDropCapture);
    Post(WM_LBUTTONUP, 380, 380);   // only reached if the loop ignored the loss
    EXPECT_TRUE(tracker.Track(&host, CPoint(298, 248)));
    EXPECT_EQ("(100,100,352,302)", RectText(tracker.m_rect));
}

TEST_F(TrackerLoop, EachMessageIsDispatchedOnce)
{
    Post(WM_MOUSEMOVE, 350, 300, MK_LBUTTON);
    host.PostMessage(kPing);
    Post(WM_LBUTTONUP, 350, 300);
    EXPECT_TRUE(tracker.Track(&host, CPoint(298, 248)));
    EXPECT_EQ(1, host.appPings);
    EXPECT_EQ(1, host.mouseMoves);
}

TEST_F(TrackerLoop, RubberBandStartsAtThePoint)
{
    Post(WM_MOUSEMOVE, 90, 80, MK_LBUTTON);
    Post(WM_LBUTTONUP, 90, 80);
    EXPECT_TRUE(tracker.TrackRubberBand(&host, CPoint(20, 30)));
    EXPECT_EQ("(20,30,90,80)", RectText(tracker.m_rect));
}

// Draw: the surround darker than the inside, and the handles' circles where GetHandleRect says.
bool BluishNear(const CPixelCanvas& canvas, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const COLORREF c = canvas.At(x + dx, y + dy);
            if (GetBValue(c) > GetRValue(c) + 60)
                return true;
        }
    return false;
}

template <class Tracker>
void CheckDrawing(Tracker& tracker)
{
    CPixelCanvas canvas(400, 400, RGB(255, 255, 255));
    tracker.m_rect.SetRect(100, 100, 300, 300);
    tracker.m_nStyle = Tracker::hatchedBorder | Tracker::resizeInside;
    tracker.m_rectClient.SetRect(0, 0, 400, 400);
    tracker.Draw(&canvas.DC());
    const COLORREF outside = canvas.At(20, 20), inside = canvas.At(200, 200);
    EXPECT_LT(GetRValue(outside), 200) << ColorText(outside);
    EXPECT_EQ(RGB(255, 255, 255), inside) << ColorText(inside);
    for (int h = 0; h < 8; ++h) {
        CRect r;
        tracker.GetHandleRect(h, &r);
        // Each circle is 16 pixels smaller than its handle square and touches the square's
        // side that faces the rectangle's inside; probe the circle's leftmost point.
        static const POINT kOffset[8] = {{16, 16}, {0, 16}, {0, 0}, {16, 0}, {8, 16}, {0, 8}, {8, 0}, {16, 8}};
        const int d = r.Width() - 16;
        const int x = r.left + kOffset[h].x, y = r.top + kOffset[h].y + d / 2;
        EXPECT_TRUE(BluishNear(canvas, x, y)) << "handle " << h << " at " << x << "," << y;
    }
    // No circle outside the handles' squares: the middle of the top edge between handles 0 and 4.
    EXPECT_FALSE(BluishNear(canvas, 150, 200));
}

TEST(TrackerDraw, DimMaskFrameAndHandles)
{
    CZVRectTracker tracker;
    CheckDrawing(tracker);
    CKQRectTracker lean;
    CheckDrawing(lean);
}

TEST(TrackerDraw, MaskOffLeavesTheSurround)
{
    CPixelCanvas canvas(400, 400, RGB(255, 255, 255));
    CZVRectTracker tracker;
    tracker.m_rect.SetRect(100, 100, 300, 300);
    tracker.m_nStyle = CZVRectTracker::hatchedBorder;
    tracker.m_rectClient.SetRect(0, 0, 400, 400);
    tracker.m_bMask = FALSE;
    tracker.Draw(&canvas.DC());
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(20, 20));
}

TEST(TrackerDraw, ColourChangesKeepWorking)
{
    // The shared pens are replaced many times; the solid outline keeps the last colour.
    CZVRectTracker tracker;
    for (int i = 0; i < 50; ++i)
        tracker.SetRectColor(RGB(i, 0, 0));
    tracker.SetRectColor(RGB(0, 200, 0));
    CPixelCanvas canvas(200, 200, RGB(255, 255, 255));
    tracker.m_rect.SetRect(20, 20, 120, 120);
    tracker.m_nStyle = CZVRectTracker::solidLine;
    tracker.Draw(&canvas.DC());
    EXPECT_EQ(RGB(0, 200, 0), canvas.At(20, 60));
}

} // namespace
