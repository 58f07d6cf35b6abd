// The numeric spin: its position mapping and steps as pure functions, and the real control
// beside its buddy, stepped by clicks and arrow keys.
#include "KQNumSpinCtrl.h"
#include "ToolkitTest.h"

namespace {

TEST(NumSpinRule, NativeStepsAndPositions)
{
    EXPECT_EQ(numspin::NativeSteps(0, 1, 0.1), 10);
    EXPECT_EQ(numspin::NativeSteps(0, 1000000, 1), 32767);
    EXPECT_EQ(numspin::NativeSteps(0, 100, 0.3), 333);
    EXPECT_EQ(numspin::NativeSteps(10, 0, 1), 10);
    EXPECT_EQ(numspin::NativeSteps(0, 1e300, 1e-300), 32767);

    const struct {
        double value;
        int pos;
    } positions[] = {{-0.5, 0}, {0, 0}, {0.04, 0}, {0.06, 1}, {0.5, 5}, {1, 10}, {7, 10}};
    for (const auto& p : positions)
        EXPECT_EQ(numspin::NativePos(p.value, 0, 1, 10), p.pos) << p.value;
}

TEST(NumSpinRule, StepsWrapOrStopPastTheEndsBeyondRoundingErrors)
{
    const struct {
        double value;
        int delta;
        bool wrap;
        double next;
    } cases[] = {
        {0.5, 2, false, 0.7},
        {0.9, 1, true, 1.0},
        {1.0, 1, true, 0.0},
        {1.0, 1, false, 1.0},
        {0.0, -1, true, 1.0},
        {0.0, -1, false, 0.0},
        {0.9 + 5e-10, 1, true, 1.0 + 5e-10},   // past the end by less than 1e-9: stays
        {0.9 + 5e-9, 1, true, 0.0},
        {0.1 - 5e-10, -1, true, -5e-10},
        {0.1 - 5e-9, -1, true, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(numspin::StepValue(c.value, c.delta, 0.1, 0, 1, c.wrap), c.next, 1e-12) << c.value << " " << c.delta;
    // The tolerance grows with the values.
    EXPECT_DOUBLE_EQ(numspin::StepValue(999999.0005, 1, 1, 0, 1000000, true), 1000000.0005);
    EXPECT_EQ(numspin::StepValue(999999.002, 1, 1, 0, 1000000, true), 0.0);
}

using NumSpinTest = NumHostTest;

// Clicks on the upper (up) or lower half of the spin.
void ClickSpin(CWnd& spin, bool up, int times)
{
    CRect client;
    spin.GetClientRect(&client);
    const LPARAM at = MAKELPARAM(client.Width() / 2, up ? client.Height() / 4 : client.Height() * 3 / 4);
    for (int i = 0; i < times; ++i) {
        spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        spin.SendMessage(WM_LBUTTONUP, 0, at);
    }
}

int NativeUpper(CWnd& spin)
{
    int lower = -1, upper = -1;
    spin.SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    return lower == 0 ? upper : -1;
}

TEST_F(NumSpinTest, ClicksStepTheBuddyWrapOrStopAndSettleOnce)
{
    CKQNumSpinCtrl& spin = m_host.m_spin;
    spin.SetDecimalPlaces(1);
    spin.SetRangeAndDelta(0, 1000000, 1);
    EXPECT_EQ(NativeUpper(spin), 32767);
    spin.SetRangeAndDelta(0, 1, 0.1);
    EXPECT_EQ(NativeUpper(spin), 10);

    const struct {
        bool wrap;
        const wchar_t* start;
        bool up;
        int clicks;
        const wchar_t* text;
    } cases[] = {
        {false, L"0.2", true, 3, L"0.5"},
        {false, L"0.9", true, 3, L"1"},
        {true, L"0.9", true, 2, L"0"},
        {false, L"0.1", false, 3, L"0"},
        {true, L"0.1", false, 2, L"1"},
    };
    for (const auto& c : cases) {
        spin.ModifyStyle(c.wrap ? 0 : UDS_WRAP, c.wrap ? UDS_WRAP : 0);
        spin.SetPos(_wtof(c.start));
        ClickSpin(spin, c.up, c.clicks);
        // The buddy shows the value, not the native control's integer (UDS_SETBUDDYINT).
        EXPECT_EQ(Text(m_host.m_edit), CString(c.text)) << c.start;
        EXPECT_EQ(spin.GetPos(), _wtof(c.text));
        // Writing its buddy the spin starts no settling of the edit's.
        EXPECT_EQ(SettledCount(true), 1) << c.start;
    }
}

TEST_F(NumSpinTest, ArrowKeysInTheBuddyStepAndSettleLikeClicks)
{
    CKQNumSpinCtrl& spin = m_host.m_spin;
    spin.SetDecimalPlaces(2);
    spin.SetRangeAndDelta(-1, 1, 0.25);
    spin.SetPos(0);
    m_host.m_edit.SetFocus();
    for (int i = 0; i < 3; ++i)
        m_host.m_edit.SendMessage(WM_KEYDOWN, VK_UP, 1);
    m_host.m_edit.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(Text(m_host.m_edit), CString(L"0.5"));
    EXPECT_EQ(SettledCount(true), 1);
}

// A range set before the window exists is the native control's once it is made.
TEST_F(NumSpinTest, MadeLaterTakesItsRange)
{
    CKQNumSpinCtrl made;
    made.SetRangeAndDelta(0, 6000, 0.1);
    made.SetFormatString(L"%.3f mm");
    ASSERT_TRUE(made.Create(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT, CRect(0, 0, 16, 20), &m_host, 2000));
    EXPECT_EQ(NativeUpper(made), 32767);
    made.SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_host.m_edit.m_hWnd));
    made.SetPos(2.5);
    EXPECT_EQ(Text(m_host.m_edit), CString(L"2.500 mm"));
    EXPECT_EQ(LOWORD(made.SendMessage(UDM_GETPOS)), 14);   // 2.5 / 6000 of 32767 steps
    made.DestroyWindow();
}

} // namespace
