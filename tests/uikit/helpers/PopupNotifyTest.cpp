// Pop-up notes: one a second at most (a queued one waits for its turn), each closing itself on
// the clock the test moves, and all closed at once on request.
#include <algorithm>
#include <string>
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
        DWORD wait;             // what is left of the second before the call
    } steps[] = {
        { 200, true, 0 },       // the first note, however soon after start
        { 700, false, 500 },    // 500 ms later
        { 1199, false, 1 },
        { 1200, true, 0 },      // 1000 ms after the last shown one
        { 0xFFFFFE00, true, 0 },
        { 0x00000100, false, 232 }, // 768 ms later, across the wrap
        { 0x000001E8, true, 0 },    // 1000 ms later
    };
    popupnotify::Throttle throttle;
    for (const auto& s : steps) {
        EXPECT_EQ(throttle.Wait(s.now), s.wait) << std::hex << s.now;
        EXPECT_EQ(throttle.Pass(s.now), s.shown) << std::hex << s.now;
    }
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

std::vector<std::wstring> OpenNoteTexts()
{
    std::vector<std::wstring> texts;
    for (HWND note : OpenNotes()) {
        wchar_t text[128] = {};
        ::GetWindowTextW(note, text, 128);
        texts.push_back(text);
    }
    return texts;
}

// The end of a short run follows its start's note within the second: it shows once the second
// has passed, and of several that wait only the last shows.
TEST_F(PopupNotifyTest, AQueuedNoteWithinASecondOfTheLastWaitsForIt)
{
    PopupNotifyWnd(L"Batch task is running", 0, nullptr, nullptr);
    g_now += 300;
    PopupNotifyWndQueued(L"replaced", 0, nullptr, nullptr);
    PopupNotifyWndQueued(L"Batch task finished", 0, nullptr, nullptr);
    EXPECT_EQ(OpenNotes().size(), 1u) << "not within the second";
    PumpFor(200);
    EXPECT_EQ(OpenNotes().size(), 1u) << "the notes' clock has not moved";
    g_now += 700;
    ASSERT_TRUE(PumpUntil([] { return OpenNotes().size() == 2; }, 3000));
    PumpFor(300);
    std::vector<std::wstring> texts = OpenNoteTexts();
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Batch task finished", L"Batch task is running"}));

    // Once the second has passed a queued note shows at once; a plain note in its second is
    // still dropped.
    g_now += 1000;
    PopupNotifyWndQueued(L"at once", 0, nullptr, nullptr);
    PopupNotifyWnd(L"dropped", 0, nullptr, nullptr);
    EXPECT_EQ(OpenNotes().size(), 3u);
}

TEST_F(PopupNotifyTest, CloseAllForgetsAWaitingNote)
{
    PopupNotifyWnd(L"Batch task is running", 0, nullptr, nullptr);
    PopupNotifyWndQueued(L"Batch task finished", 0, nullptr, nullptr);
    CloseAllPopupWnd();
    g_now += 1000;
    PumpFor(1300);
    EXPECT_TRUE(OpenNotes().empty());
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
