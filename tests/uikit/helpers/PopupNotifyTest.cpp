// Pop-up notes: one a second at most, each closing itself on the clock the test moves, and all
// closed at once on request.
#include <vector>
#include "KQPPopupWindow.h"
#include "TestApp.h"

namespace {

DWORD g_now = 0;
DWORD WINAPI FakeClock()
{
    return g_now;
}

BOOL CALLBACK CollectNote(HWND window, LPARAM notes)
{
    if (dynamic_cast<CKQPPopupWindow*>(CWnd::FromHandlePermanent(window)))
        reinterpret_cast<std::vector<HWND>*>(notes)->push_back(window);
    return TRUE;
}

std::vector<HWND> OpenNotes()
{
    std::vector<HWND> notes;
    EnumThreadWindows(GetCurrentThreadId(), CollectNote, reinterpret_cast<LPARAM>(&notes));
    return notes;
}

class PopupNotifyTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The pointer stays where it is: the display is shared with other test programs. The
        // notes that must close appear at the default place, away from where tests put it.
        m_before = SetPopupNotifyClock(FakeClock);
        g_now += 100000;        // far from any note of an earlier test
    }
    void TearDown() override
    {
        CloseAllPopupWnd();
        SetPopupNotifyClock(m_before);
    }
    CBCGPPopupWindow::Clock m_before = nullptr;
};

TEST(PopupThrottle, OneNoteASecondAcrossTheWrapOfTheTickCount)
{
    const struct {
        DWORD now;
        bool shown;
    } steps[] = {
        { 200, true },          // the first note, however soon after start
        { 700, false },         // 500 ms later
        { 1199, false },
        { 1200, true },         // 1000 ms after the last shown one
        { 0xFFFFFE00, true },
        { 0x00000100, false },  // 768 ms later, across the wrap
        { 0x000001E8, true },   // 1000 ms later
    };
    popupnotify::Throttle throttle;
    for (const auto& s : steps)
        EXPECT_EQ(throttle.Pass(s.now), s.shown) << std::hex << s.now;
}

TEST_F(PopupNotifyTest, ANoteWithinASecondOfTheLastIsDropped)
{
    CPoint place(900, 60);
    PopupNotifyWnd(L"Copy to clipboard", 2, ::LoadIconW(nullptr, IDI_INFORMATION), &place);
    g_now += 500;
    PopupNotifyWnd(L"dropped", 2, nullptr, nullptr);
    std::vector<HWND> notes = OpenNotes();
    ASSERT_EQ(notes.size(), 1u);
    CRect rect;
    ::GetWindowRect(notes[0], &rect);
    EXPECT_EQ(rect.TopLeft(), place);
    EXPECT_TRUE(::IsWindowVisible(notes[0]));

    g_now += 500;
    PopupNotifyWnd(L"Batch task is running", 2, nullptr, nullptr);
    EXPECT_EQ(OpenNotes().size(), 2u);
}

TEST_F(PopupNotifyTest, ANoteClosesAfterItsSecondsAndLeavesTheList)
{
    PopupNotifyWnd(L"Please select the area you want to crop", 2, nullptr, nullptr);
    ASSERT_EQ(OpenNotes().size(), 1u);
    g_now += 1900;
    PumpFor(300);
    EXPECT_EQ(OpenNotes().size(), 1u) << "still within its two seconds";
    g_now += 100;
    EXPECT_TRUE(PumpUntil([] { return OpenNotes().empty(); }, 2000));
    CloseAllPopupWnd();   // the closed note is no longer listed: nothing left to destroy twice
}

TEST_F(PopupNotifyTest, CloseAllDestroysEveryOpenNote)
{
    for (int i = 0; i < 3; ++i) {
        PopupNotifyWnd(L"note", 0, nullptr, nullptr);
        g_now += 1000;
    }
    ASSERT_EQ(OpenNotes().size(), 3u);
    CloseAllPopupWnd();
    EXPECT_TRUE(OpenNotes().empty());
    CloseAllPopupWnd();
}

} // namespace
