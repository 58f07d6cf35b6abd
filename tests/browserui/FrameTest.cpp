// The browser's main frame in a real window, driven by its messages: class, title, batch
// progress and notes, the editor's hand-back, and what closing writes.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "KQPPopupWindow.h"
#include "MainFrame.h"
#include "TestSupport.h"
#include "WindowTestApp.h"
#include "ZVUILibApp.h"

namespace {

using testsupport::TempFolder;

const wchar_t kProfileKey[] = L"Software\\Lumivo\\LumivoShowsTests";

class CShowsTestApp : public CWindowTestApp<CLumivoShowsApp> {
public:
    CShowsTestApp() : CWindowTestApp(L"LumivoShowsTests") {}
};
CShowsTestApp theApp;

bool HasValue(const wchar_t* section, const wchar_t* name)
{
    std::wstring key = kProfileKey;
    if (*section)
        key += std::wstring(L"\\") + section;
    return ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring ReadText(const wchar_t* name)
{
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(HKEY_CURRENT_USER, kProfileKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::wstring();
    return text;
}

// A frame made as the program makes it, on a folder of two pictures of its own, with a fresh
// profile; the skin values it may touch come back after.
class FrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        ASSERT_TRUE(TempFolder::Put(temp.At(L"a.bmp"), std::string(Bitmap())));
        ASSERT_TRUE(TempFolder::Put(temp.At(L"b.bmp"), std::string(Bitmap())));
        ASSERT_TRUE(theApp.Prepare((L"\"" + temp.Root() + L"\"").c_str()));
        ASSERT_TRUE(theApp.CreateMainFrame());
        frame = theApp.m_pMainFrame;
        frame->ShowWindow(SW_SHOWNORMAL);
        ASSERT_TRUE(PumpUntil([&] { return frame->m_wndList.GetItemCount() == 2; }));
        PumpPending();
    }
    void TearDown() override
    {
        if (frame && ::IsWindow(frameWnd()))
            Close();
        theApp.m_nSkin = static_cast<unsigned>(-1);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    }
    HWND frameWnd() const { return m_hwnd ? m_hwnd : (m_hwnd = frame->GetSafeHwnd()); }
    // Closes the frame as the user does, without ending the test program.
    void Close(UINT message = WM_CLOSE)
    {
        const HWND hwnd = frameWnd();
        theApp.m_pMainWnd = nullptr;
        ::SendMessageW(hwnd, message, 0, 0);
        PumpPending();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        if (!::IsWindow(hwnd)) {
            theApp.m_pMainFrame = nullptr;
            frame = nullptr;
        }
    }
    static std::string Bitmap()
    {
        // A 2 x 2 24-bit bitmap.
        BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
        BITMAPINFOHEADER info = {sizeof info, 2, 2, 1, 24, BI_RGB, 16, 0, 0, 0, 0};
        file.bfSize = file.bfOffBits + 16;
        std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
        bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
        bytes.append(16, '\x80');
        return bytes;
    }
    TempFolder temp;
    CMainFrame* frame = nullptr;
    mutable HWND m_hwnd = nullptr;
};

TEST_F(FrameTest, ClassTitleAndFolderInformation)
{
    wchar_t name[64] = {};
    ::GetClassNameW(frameWnd(), name, 64);
    EXPECT_STREQ(name, L"LumivoMainFrame");
    EXPECT_EQ(::FindWindowW(L"LumivoMainFrame", nullptr) != nullptr, true);
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(std::wstring(title), L"Lumivo Shows 1.4.6");
    ASSERT_TRUE(PumpUntil([&] { return std::wstring(frame->m_pFolderInfo->GetText()).find(L"2 File , 0 Folder , Total Size") == 0; }))
        << std::wstring(frame->m_pFolderInfo->GetText());
    EXPECT_TRUE(frame->m_pIconSize->IsVisible());
    EXPECT_TRUE(frame->m_pSort->IsVisible());
    EXPECT_FALSE(frame->m_pProgress->IsVisible());
    EXPECT_FALSE(frame->m_pCancel->IsVisible());
}

TEST_F(FrameTest, BatchProgressShowsMovesAndHidesTheBarWithOneNote)
{
    const int notes = frame->m_nNotesShown;
    frame->SendMessage(WM_SHOWS_BATCH_PROGRESS, 0);
    EXPECT_TRUE(frame->m_pProgress->IsVisible());
    EXPECT_TRUE(frame->m_pCancel->IsVisible());
    EXPECT_STREQ(frame->m_pProgress->GetText(), L"0%");
    EXPECT_EQ(frame->m_nNotesShown, notes + 1);
    frame->SendMessage(WM_SHOWS_BATCH_PROGRESS, 50);
    EXPECT_EQ(frame->m_pProgress->GetPos(), 50);
    EXPECT_STREQ(frame->m_pProgress->GetText(), L"50%");
    EXPECT_EQ(frame->m_nNotesShown, notes + 1) << "a second note for a moving bar";
    frame->SendMessage(WM_SHOWS_BATCH_PROGRESS, static_cast<WPARAM>(-1));
    EXPECT_FALSE(frame->m_pProgress->IsVisible());
    EXPECT_FALSE(frame->m_pCancel->IsVisible());
    frame->SendMessage(WM_SHOWS_NOTE, 0, reinterpret_cast<LPARAM>(L"Batch task finished"));
    EXPECT_EQ(frame->m_nNotesShown, notes + 2);
    CloseAllPopupWnd();
}

TEST_F(FrameTest, EditorEndedWithoutAHandOverChangesNothing)
{
    const int count = frame->m_wndList.GetItemCount();
    frame->SendMessage(WM_SHOWS_EDITOR_ENDED);
    PumpPending();
    EXPECT_EQ(frame->m_wndList.GetItemCount(), count);
    EXPECT_TRUE(::IsWindow(frameWnd()));
    // A handed-over picture that is no longer listed is not looked up by a stale index.
    frame->m_wndList.SetHandedOver(temp.At(L"gone.bmp").c_str());
    EXPECT_FALSE(frame->m_wndList.ReloadHandedOver());
    frame->m_wndList.SetHandedOver(temp.At(L"b.bmp").c_str());
    EXPECT_EQ(frame->m_wndList.FindItemByPath(temp.At(L"b.bmp").c_str()) >= 0, true);
}

TEST_F(FrameTest, ClosingWhileMaximizedWritesShowMaxOnly)
{
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    PumpPending();
    Close();
    ASSERT_EQ(frame, nullptr) << "the frame stayed open";
    EXPECT_TRUE(HasValue(L"", L"ShowMax"));
    EXPECT_FALSE(HasValue(L"", L"MainFrameWidth"));
    EXPECT_FALSE(HasValue(L"", L"MainFrameHeight"));
}

// The program's quit message ends it through the close: the settings are written as on Exit.
TEST_F(FrameTest, QuitMessageWritesTheSettings)
{
    Close(WM_SHOWS_EXIT);
    ASSERT_EQ(frame, nullptr) << "the frame stayed open";
    EXPECT_TRUE(HasValue(L"", L"MainFrameWidth"));
    EXPECT_TRUE(HasValue(L"", L"MainFrameHeight"));
    EXPECT_EQ(ReadText(L"LastViewPath"), temp.Root());
    EXPECT_FALSE(HasValue(L"", L"ShowMax")) << "unchanged, yet written";
}

// Answers the first message box of this thread's process with the button.
struct BoxAnswer {
    UINT button;
    bool answered;
};
BOOL CALLBACK AnswerBox(HWND hwnd, LPARAM lParam)
{
    auto* answer = reinterpret_cast<BoxAnswer*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd))
        return TRUE;
    if (HWND button = ::GetDlgItem(hwnd, static_cast<int>(answer->button))) {
        ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(answer->button, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        answer->answered = true;
        return FALSE;
    }
    return TRUE;
}
BoxAnswer g_answer;
void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::EnumWindows(AnswerBox, reinterpret_cast<LPARAM>(&g_answer));
    if (g_answer.answered)
        ::KillTimer(nullptr, id);
}

TEST_F(FrameTest, ClosingDuringABatchAsksFirst)
{
    // A run that lasts until it is stopped.
    CPictureListView& list = frame->m_wndList;
    list.SetItemState(0, KQLS_SELECTED, 0);
    ASSERT_TRUE(list.StartBatchTask([&list](int, const wchar_t*) {
        while (!list.IsBatchStopping())
            ::Sleep(5);
        return BatchItemResult();
    }));
    ASSERT_TRUE(frame->m_wndList.IsBatchRunning());
    g_answer = {IDNO, false};
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerTimer);
    Close();
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_answer.answered);
    ASSERT_NE(frame, nullptr) << "No closed the frame";
    EXPECT_TRUE(frame->m_wndList.IsBatchRunning());
    theApp.m_pMainWnd = frame;

    g_answer = {IDYES, false};
    timer = ::SetTimer(nullptr, 0, 50, AnswerTimer);
    Close();
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_answer.answered);
    EXPECT_EQ(frame, nullptr) << "Yes kept the frame";
}

} // namespace
