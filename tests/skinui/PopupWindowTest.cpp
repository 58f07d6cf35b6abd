// The pop-up note: where it appears and when it closes itself, on a clock the test moves.
#include "TestApp.h"

namespace {

DWORD g_now = 0;
DWORD WINAPI FakeClock()
{
    return g_now;
}

class PopupWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The pointer away from the notes: a note under the pointer waits.
        ::SetCursorPos(0, 0);
        g_now = 0xFFFFF800;   // close to the wrap of the tick counter
        m_params.m_hIcon = ::LoadIconW(nullptr, IDI_INFORMATION);
        m_params.m_strText = L"Batch task is running";
        m_popup.SetClock(FakeClock);
    }
    CBCGPPopupWndParams m_params;
    CBCGPPopupWindow m_popup;
};

TEST_F(PopupWindowTest, AppearsAtThePointOrTheWorkAreasCorner)
{
    ASSERT_TRUE(m_popup.Create(nullptr, m_params, nullptr, CPoint(40, 50)));
    CRect rect;
    m_popup.GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(40, 50));
    EXPECT_EQ(rect.Size(), m_popup.GetDialogSize());
    EXPECT_TRUE(m_popup.IsWindowVisible());
    EXPECT_TRUE(m_popup.GetExStyle() & WS_EX_TOPMOST);
    m_popup.DestroyWindow();

    CBCGPPopupWindow corner;
    ASSERT_TRUE(corner.Create(nullptr, m_params));
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    corner.GetWindowRect(&rect);
    EXPECT_EQ(rect.BottomRight(), CPoint(work.right, work.bottom));
}

TEST_F(PopupWindowTest, ClosesItselfAfterItsTime)
{
    m_popup.SetAutoCloseTime(3000);
    ASSERT_TRUE(m_popup.Create(nullptr, m_params, nullptr, CPoint(40, 50)));
    g_now += 2900;
    PumpFor(300);
    EXPECT_TRUE(m_popup.GetSafeHwnd()) << "still within its time";
    g_now += 100;   // across the wrap of the counter
    EXPECT_TRUE(PumpUntil([&] { return m_popup.GetSafeHwnd() == nullptr; }, 2000));
}

TEST_F(PopupWindowTest, WithoutATimeItStaysAndTheCloseBoxEndsIt)
{
    ASSERT_TRUE(m_popup.Create(nullptr, m_params, nullptr, CPoint(40, 50)));
    g_now += 60000;
    PumpFor(300);
    ASSERT_TRUE(m_popup.GetSafeHwnd());
    const CPoint close = m_popup.GetCloseButtonRect().CenterPoint();
    m_popup.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(close.x, close.y));
    EXPECT_EQ(m_popup.GetSafeHwnd(), nullptr);
}

TEST_F(PopupWindowTest, WaitsWhileThePointerRestsOnIt)
{
    m_popup.SetAutoCloseTime(1000);
    ASSERT_TRUE(m_popup.Create(nullptr, m_params, nullptr, CPoint(40, 50)));
    ::SetCursorPos(60, 70);
    g_now += 5000;
    PumpFor(300);
    EXPECT_TRUE(m_popup.GetSafeHwnd());
    ::SetCursorPos(0, 0);
    PumpFor(300);   // the display's pointer events settle
    g_now += 1000;
    EXPECT_TRUE(PumpUntil([&] { return m_popup.GetSafeHwnd() == nullptr; }, 2000));
}

} // namespace
