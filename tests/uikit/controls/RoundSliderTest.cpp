// The round slider: angles and knob places as tables, and clicks, keys, drags and the wheel on
// a real dial whose parent keeps its WM_HSCROLL notifications.
#include "ControlsTestSupport.h"
#include "RoundSliderCtrl.h"

namespace {

TEST(RoundSliderRule, KnobWrapAndShade)
{
    const POINT c{50, 50};
    struct Case {
        int pos, zero;
        bool inverted;
        POINT knob;
    } cases[] = {
        {0, 0, false, {50, 9}},  {90, 0, false, {91, 50}},  {180, 0, false, {50, 91}}, {270, 0, false, {9, 50}},
        {45, 0, false, {78, 22}}, {90, 0, true, {9, 50}},    {0, 90, false, {91, 50}},
    };
    for (const Case& k : cases) {
        const POINT p = roundslider::KnobAt(k.pos, 0, 359, k.zero, k.inverted, c, 41);
        EXPECT_EQ(k.knob.x, p.x) << k.pos << " zero " << k.zero;
        EXPECT_EQ(k.knob.y, p.y) << k.pos << " zero " << k.zero;
    }
    EXPECT_EQ(5, roundslider::Wrap(365, 0, 359));
    EXPECT_EQ(359, roundslider::Wrap(-1, 0, 359));
    EXPECT_EQ(0, roundslider::Wrap(0, 0, 359));
    // The first colour lies at the upper left, the second at the lower right.
    EXPECT_EQ(RGB(200, 100, 0), roundslider::Shade(-2.356, RGB(200, 100, 0), RGB(0, 0, 255)));
    const COLORREF lowerRight = roundslider::Shade(0.785, RGB(200, 100, 0), RGB(0, 0, 255));
    EXPECT_LE(GetRValue(lowerRight), 2) << ColorText(lowerRight);
    EXPECT_GE(GetBValue(lowerRight), 253) << ColorText(lowerRight);
    const COLORREF side = roundslider::Shade(0.785 - 1.5708, RGB(200, 100, 0), RGB(0, 0, 255));   // upper right: half way
    EXPECT_NEAR(100, GetRValue(side), 2) << ColorText(side);
}

// Reaches the font record.
class CPeekSlider : public CRoundSliderCtrl {
public:
    LONG Weight() const { return m_lf.lfWeight; }
};

class RoundSliderWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open(CRect(0, 0, 400, 200)));
        ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_NOTICKS, CRect(10, 10, 110, 110), &host, 21));
        ASSERT_TRUE(neighbour.Create(L"", WS_CHILD | WS_VISIBLE | SS_WHITERECT, CRect(200, 10, 300, 110), &host, 22));
        PumpPending();
    }
    void TearDown() override
    {
        if (::GetCapture())
            ::ReleaseCapture();
    }
    void Click(int x, int y)
    {
        slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    std::vector<std::pair<int, int>> Scrolls()
    {
        PumpPending();
        auto seen = host.scrolls;
        host.scrolls.clear();
        return seen;
    }
    CControlsHost host;
    CPeekSlider slider;
    CStatic neighbour;
};

TEST_F(RoundSliderWindow, ClicksAroundTheCentre)
{
    EXPECT_EQ(0, slider.GetRangeMin());
    EXPECT_EQ(359, slider.GetRangeMax());
    struct Case {
        bool inverted;
        int zero, x, y, pos;
    } cases[] = {
        {false, 0, 50, 10, 0},  {false, 0, 90, 50, 90}, {false, 0, 50, 90, 180}, {false, 0, 10, 50, 270},
        {true, 0, 90, 50, 270}, {true, 0, 10, 50, 90},  {false, 90, 90, 50, 0},  {false, 90, 50, 90, 90},
    };
    for (const Case& c : cases) {
        slider.SetInverted(c.inverted);
        slider.SetZero(c.zero);
        slider.SetPos(c.pos == 0 ? 1 : 0);
        Click(c.x, c.y);
        EXPECT_EQ(c.pos, slider.GetPos()) << c.x << "," << c.y << (c.inverted ? " inverted" : "") << " zero " << c.zero;
    }
}

TEST_F(RoundSliderWindow, KeysWrapAroundTheRange)
{
    struct Case {
        UINT key;
        int from, to, code;
    } cases[] = {
        {VK_NEXT, 355, 5, TB_PAGEDOWN}, {VK_PRIOR, 5, 355, TB_PAGEUP}, {VK_LEFT, 0, 359, TB_LINEUP},
        {VK_UP, 10, 9, TB_LINEUP},      {VK_RIGHT, 359, 0, TB_LINEDOWN}, {VK_DOWN, 10, 11, TB_LINEDOWN},
    };
    for (const Case& c : cases) {
        slider.SetPos(c.from);
        Scrolls();
        slider.SendMessage(WM_KEYDOWN, c.key);
        slider.SendMessage(WM_KEYUP, c.key);
        EXPECT_EQ(c.to, slider.GetPos()) << "key " << c.key << " from " << c.from;
        EXPECT_EQ((std::vector<std::pair<int, int>>{{c.code, c.to}, {TB_ENDTRACK, c.to}}), Scrolls()) << "key " << c.key;
    }
}

TEST_F(RoundSliderWindow, HomeAndEndDoNothing)
{
    slider.SetPos(100);
    Scrolls();
    for (UINT key : {VK_HOME, VK_END}) {
        slider.SendMessage(WM_KEYDOWN, key);
        slider.SendMessage(WM_KEYUP, key);
    }
    EXPECT_EQ(100, slider.GetPos());
    EXPECT_TRUE(Scrolls().empty());
}

TEST_F(RoundSliderWindow, DragNotifications)
{
    slider.SetPos(90);
    Scrolls();
    Click(90, 50);   // pressed and released on the position it has
    EXPECT_TRUE(Scrolls().empty());

    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, 50));
    slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 90));
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 90));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{TB_THUMBTRACK, 180}, {TB_THUMBPOSITION, 180}}), Scrolls());
    EXPECT_EQ(nullptr, ::GetCapture());

    // Back to where the drag began: it moved on the way, so the end is reported.
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 90));
    slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 50));
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 90));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{TB_THUMBTRACK, 270}, {TB_THUMBTRACK, 180}, {TB_THUMBPOSITION, 180}}), Scrolls());
}

TEST_F(RoundSliderWindow, DragByKnobOnly)
{
    slider.SetDragByKnobOnly(true);
    slider.SetPos(0);
    slider.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);   // places the knob
    Click(90, 50);
    EXPECT_EQ(0, slider.GetPos());
}

TEST_F(RoundSliderWindow, WheelOverANeighbourLeavesTheDial)
{
    slider.SetPos(100);
    CRect other;
    neighbour.GetWindowRect(&other);
    slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(other.CenterPoint().x, other.CenterPoint().y));
    EXPECT_EQ(100, slider.GetPos());
    EXPECT_TRUE(Scrolls().empty());
    // Over the dial a notch down is a line forward, up a line back, wrapping at the ends.
    CRect dial;
    slider.GetWindowRect(&dial);
    const LPARAM centre = MAKELPARAM(dial.CenterPoint().x, dial.CenterPoint().y);
    slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), centre);
    EXPECT_EQ(101, slider.GetPos());
    slider.SetPos(0);
    slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), centre);   // half a notch: nothing yet
    EXPECT_EQ(0, slider.GetPos());
    slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), centre);
    EXPECT_EQ(359, slider.GetPos());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{TB_LINEDOWN, 101}, {TB_LINEUP, 359}}), Scrolls());
}

TEST_F(RoundSliderWindow, BoldIsARealWeight)
{
    slider.SetFontBold(true);
    EXPECT_EQ(FW_BOLD, slider.Weight());
    slider.SetFontBold(false);
    EXPECT_EQ(FW_NORMAL, slider.Weight());
}

TEST_F(RoundSliderWindow, CentreTextAndRegion)
{
    slider.SetPos(45);
    EXPECT_EQ(CString(L"45\u00B0"), slider.OnFormatText());
    slider.SetText(L"");
    EXPECT_TRUE(slider.OnFormatText().IsEmpty());
    // The window is cut to the dial: its corner is outside the region.
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(slider.m_hWnd, region));
    EXPECT_FALSE(::PtInRegion(region, 2, 2));
    EXPECT_TRUE(::PtInRegion(region, 50, 50));
    ::DeleteObject(region);
}

} // namespace
