// The histogram window's painting read back from the screen.
#include "DialogsTest.h"
#include "KQHistogramWnd.h"
#include "SkinUI.h"

namespace {

const int kWidth = 276, kHeight = 120;
const COLORREF kRed = RGB(222, 10, 10), kRedLog = RGB(222, 0, 0);

class HistogramTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, globalData.RegisterWindowClass(L"HistogramHost"), L"", WS_POPUP | WS_VISIBLE,
                                    CRect(10, 10, 10 + kWidth, 10 + kHeight), nullptr, 0));
        ASSERT_TRUE(m_wnd.Create(globalData.RegisterWindowClass(L"HistogramTestWnd"), L"", WS_CHILD | WS_VISIBLE,
                                 CRect(0, 0, kWidth, kHeight), &m_host, 1));
    }
    void TearDown() override
    {
        m_wnd.DestroyWindow();
        m_host.DestroyWindow();
    }
    // Paints (twice: the first paint counts) and reads the window back.
    void Paint()
    {
        for (int i = 0; i < 2; ++i) {
            m_wnd.Invalidate(FALSE);
            m_wnd.UpdateWindow();
            PumpPending();
        }
    }
    COLORREF At(int x, int y)
    {
        HDC dc = ::GetDC(m_wnd.m_hWnd);
        const COLORREF color = ::GetPixel(dc, x, y);
        ::ReleaseDC(m_wnd.m_hWnd, dc);
        return color;
    }
    // The columns of the row where the colour shows.
    std::vector<int> ColumnsOf(COLORREF color, int y)
    {
        std::vector<int> columns;
        for (int x = 0; x < kWidth; ++x)
            if (At(x, y) == color)
                columns.push_back(x);
        return columns;
    }
    // Only the background and the axes: every pixel inside the plot is the background.
    bool PlotIsEmpty()
    {
        const COLORREF back = At(40, 40);
        for (int y = 4; y < kHeight - 12; y += 3)
            for (int x = 11; x < kWidth - 10; x += 3)
                if (At(x, y) != back)
                    return false;
        return true;
    }
    // Half the picture black, half white: counts at values 0 and 255 only.
    void SetBlackAndWhite()
    {
        m_wnd.m_image.Create(20, 10, 24);
        m_wnd.m_image.Clear(0);
        RECT right = {10, 0, 20, 10};
        m_wnd.m_image.SetRectColor(right, RGBQUAD{255, 255, 255, 0});
    }

    CWnd m_host;
    CKQHistogramWnd m_wnd;
};

TEST_F(HistogramTest, AxesOnlyWithoutAPictureOrWithEveryCurveOff)
{
    Paint();
    EXPECT_TRUE(PlotIsEmpty());
    EXPECT_EQ(m_wnd.m_nLargest, 0);
    const COLORREF axis = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(At(9, 50), axis);
    EXPECT_EQ(At(100, kHeight - 9), axis);

    SetBlackAndWhite();
    m_wnd.m_bRed = m_wnd.m_bGreen = m_wnd.m_bBlue = m_wnd.m_bGray = 0;
    Paint();
    EXPECT_GT(m_wnd.m_nLargest, 0);
    EXPECT_TRUE(PlotIsEmpty());
}

TEST_F(HistogramTest, LinearCurvesSpanTheWindow)
{
    SetBlackAndWhite();
    m_wnd.m_bGreen = m_wnd.m_bBlue = m_wnd.m_bGray = 0;
    Paint();
    // Values 0 and 255 reach the top: the curve climbs at x = 10 and at x = 265.
    const std::vector<int> columns = ColumnsOf(kRed, kHeight / 2);
    ASSERT_FALSE(columns.empty());
    EXPECT_LE(columns.front(), 11);
    EXPECT_GE(columns.back(), 264);
    EXPECT_LE(columns.back(), 266);
    EXPECT_FALSE(ColumnsOf(kRed, 3).empty());
}

TEST_F(HistogramTest, LogScaleStopsBelowTheTop)
{
    SetBlackAndWhite();
    m_wnd.m_bGreen = m_wnd.m_bBlue = m_wnd.m_bGray = 0;
    m_wnd.m_bLogScale = 1;
    Paint();
    // The largest count reaches H - 50 above the baseline: y = 40.
    EXPECT_FALSE(ColumnsOf(kRedLog, 45).empty());
    EXPECT_TRUE(ColumnsOf(kRedLog, 30).empty());
    EXPECT_TRUE(ColumnsOf(kRed, 45).empty());
}

TEST(HistogramPoints, LinearScalesAcrossLogDoesNot)
{
    EXPECT_EQ(CKQHistogramWnd::CurvePoint(0, 0, 100, 276, 120, false).x, 10);
    EXPECT_EQ(CKQHistogramWnd::CurvePoint(255, 100, 100, 276, 120, false).x, 265);
    EXPECT_EQ(CKQHistogramWnd::CurvePoint(255, 100, 100, 276, 120, false).y, 0);
    EXPECT_EQ(CKQHistogramWnd::CurvePoint(128, 50, 100, 276, 120, false).y, 55);
    EXPECT_EQ(CKQHistogramWnd::CurvePoint(255, 100, 100, 540, 120, true).x, 265);
    EXPECT_EQ(CKQHistogramWnd::CurvePoint(255, 100, 100, 540, 120, true).y, 40);
    EXPECT_EQ(CKQHistogramWnd::CurvePoint(255, 100, 100, 540, 120, false).x, 519);   // 255 x 531 / 266 + 10
}

} // namespace
