// Starting a program and waiting for it: the real shell with the support's child program, and a
// fake shell whose "process" is an event the test sets, to see what the caller's thread does
// while it waits.
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <new>
#include <string>
#include <thread>
#include "AppFrame.h"
#include "EditorAppTestSupport.h"
#include "EditorUtils.h"
#include "ShellService.h"

namespace {

using editorapp::TestProgramFolder;

// Starts nothing itself: the process it hands out is a copy of the test's event handle.
class FakeStarter : public zvui::ShellService {
public:
    FakeStarter() : m_before(zvui::SetShellService(this)) {}
    ~FakeStarter() override { zvui::SetShellService(m_before); }

    int FileOperation(SHFILEOPSTRUCTW&) override { return 1; }
    bool BrowseForFolder(HWND, const wchar_t*, UINT, const std::wstring&, std::wstring&) override { return false; }
    bool ConnectedState(DWORD&) override { return false; }
    win32::KernelHandle StartProgram(const wchar_t* program, const wchar_t* parameters, const wchar_t* folder, int show) override
    {
        ++starts;
        seenProgram = program ? program : L"<null>";
        seenParameters = parameters ? parameters : L"<null>";
        seenFolder = folder ? folder : L"<null>";
        seenShow = show;
        if (!process)
            return {};
        HANDLE copy = nullptr;
        DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
        handedOut = copy;
        return win32::KernelHandle(copy);
    }

    HANDLE process = nullptr; // null: nothing starts
    HANDLE handedOut = nullptr;
    int starts = 0, seenShow = -1;
    std::wstring seenProgram, seenParameters, seenFolder;

private:
    zvui::ShellService* m_before;
};

const UINT kAskAnswer = WM_APP + 1; // sent: answered with 42
const UINT kEndProgram = WM_APP + 2; // posted: sets the event that stands for the process
HANDLE g_waitProcess = nullptr;

LRESULT CALLBACK WaitWindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == kAskAnswer)
        return 42;
    if (message == kEndProgram) {
        SetEvent(g_waitProcess);
        return 0;
    }
    return DefWindowProcW(window, message, wp, lp);
}

// A message-only window of the test's thread.
class WaitWindow {
public:
    WaitWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = WaitWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"EditorAppWaitWindow";
        RegisterClassW(&wc);
        m_window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~WaitWindow() { DestroyWindow(m_window); }
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

TEST(RunAndWait, WaitsForTheProgramStartedInItsOwnFolder)
{
    testsupport::TempFolder temp;
    const std::wstring mark = temp.At(L"cwd.txt");
    const std::wstring folder = TestProgramFolder();
    ASSERT_TRUE(RunAndWait((folder + L"\\TestChild.exe").c_str(), (L"cwd \"" + mark + L"\"").c_str()));
    // The child writes the file only after a pause: it is there because the call waited.
    const std::string bytes = testsupport::TempFolder::Get(mark);
    ASSERT_NE(bytes, "<missing>");
    const std::wstring written(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    EXPECT_EQ(CompareStringOrdinal(written.c_str(), -1, folder.c_str(), -1, TRUE), CSTR_EQUAL) << "working folder";
}

TEST(RunAndWait, NothingStartedIsFalse)
{
    for (const wchar_t* program : { static_cast<const wchar_t*>(nullptr), L"", L"C:\\no such folder\\NoSuchProgram.exe" })
        EXPECT_FALSE(RunAndWait(program, nullptr)) << (program ? program : L"<null>");

    FakeStarter shell; // a shell that reports no process
    EXPECT_FALSE(RunAndWait(L"C:\\Program Files\\Lumivo\\LumivoShows.exe", L"/batch"));
    EXPECT_EQ(shell.starts, 1);
}

TEST(RunAndWait, AsksTheShellToOpenTheProgramShownInItsFolder)
{
    FakeStarter shell;
    win32::KernelHandle ended(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    shell.process = ended.Get();
    const struct {
        const wchar_t* program;
        const wchar_t* parameters;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\Program Files\\Lumivo\\LumivoShows.exe", L"/batch", L"C:\\Program Files\\Lumivo"},
        {L"C:\\LumivoShows.exe", nullptr, L"C:\\"},
        {L"LumivoShows.exe", L"", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(RunAndWait(c.program, c.parameters)) << c.program;
        EXPECT_EQ(shell.seenProgram, c.program);
        EXPECT_EQ(shell.seenParameters, c.parameters ? c.parameters : L"<null>") << c.program;
        EXPECT_EQ(shell.seenFolder, c.folder ? c.folder : L"<null>") << c.program;
        EXPECT_EQ(shell.seenShow, SW_SHOWNORMAL);
    }
}

TEST(RunAndWait, TheCallersWindowsAnswerWhileItWaitsAndTheProcessIsClosed)
{
    FakeStarter shell;
    WaitWindow window;
    ASSERT_NE(window.Get(), nullptr);
    win32::KernelHandle process(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    shell.process = g_waitProcess = process.Get();

    std::atomic<bool> answered(false);
    std::thread other([&] {
        while (shell.starts == 0 && WaitForSingleObject(process.Get(), 10) == WAIT_TIMEOUT) {
        }
        DWORD_PTR answer = 0;
        answered = SendMessageTimeoutW(window.Get(), kAskAnswer, 0, 0, SMTO_NORMAL, 10000, &answer) && answer == 42;
        PostMessageW(window.Get(), kEndProgram, 0, 0); // a posted message ends the "program"
        // Should the wait neither answer nor handle posted messages, end it anyway: the test fails
        // on the flags, it does not hang.
        if (WaitForSingleObject(process.Get(), 10000) == WAIT_TIMEOUT)
            SetEvent(process.Get());
    });
    const bool started = RunAndWait(L"C:\\Lumivo\\LumivoShows.exe", nullptr);
    other.join();
    g_waitProcess = nullptr;
    EXPECT_TRUE(started);
    EXPECT_TRUE(answered) << "a message sent from another thread during the wait";
    EXPECT_EQ(WaitForSingleObject(process.Get(), 0), WAIT_OBJECT_0) << "the posted message was handled";
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(shell.handedOut, &flags)) << "the process handle is still open";
}

// An application object that notes the messages its pump pre-translates.
class NotingApp : public CWinApp {
public:
    NotingApp() : CWinApp(L"editorapp") {}
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == kEndProgram)
            sawEnd = true;
        return CWinApp::PreTranslateMessage(msg);
    }
    bool sawEnd = false;
};

// The application's pump handles the messages of the wait (its accelerators and pre-translation
// apply), when the program has an application object.
TEST(RunAndWait, MessagesGoThroughTheApplicationsPump)
{
    // The object lives in the program's data, as a program's application does, and only for this test.
    alignas(NotingApp) static unsigned char storage[sizeof(NotingApp)];
    NotingApp* app = new (storage) NotingApp;
    ASSERT_EQ(AfxGetApp(), app);
    FakeStarter shell;
    WaitWindow window;
    win32::KernelHandle process(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    shell.process = g_waitProcess = process.Get();
    std::thread other([&] {
        while (shell.starts == 0 && WaitForSingleObject(process.Get(), 10) == WAIT_TIMEOUT) {
        }
        PostMessageW(window.Get(), kEndProgram, 0, 0);
        if (WaitForSingleObject(process.Get(), 10000) == WAIT_TIMEOUT) // never hang the run
            SetEvent(process.Get());
    });
    EXPECT_TRUE(RunAndWait(L"C:\\Lumivo\\LumivoShows.exe", nullptr));
    other.join();
    g_waitProcess = nullptr;
    EXPECT_TRUE(app->sawEnd);
    app->~NotingApp();
}

TEST(RunAndWait, WithoutWaitingItReturnsAtOnceAndClosesTheProcess)
{
    FakeStarter shell;
    win32::KernelHandle running(CreateEventW(nullptr, TRUE, FALSE, nullptr)); // never ends
    shell.process = running.Get();
    EXPECT_TRUE(RunAndWait(L"C:\\Lumivo\\LumivoTools.exe", L"/editor \"C:\\a.jpg\"", false));
    EXPECT_EQ(shell.seenParameters, L"/editor \"C:\\a.jpg\"");
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(shell.handedOut, &flags)) << "the process handle is still open";
}

TEST(RunAndWait, AQuitMessageEndsTheWaitAndStaysForTheLoop)
{
    FakeStarter shell;
    win32::KernelHandle process(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    shell.process = process.Get();
    const DWORD thread = GetCurrentThreadId();
    std::thread other([&] {
        while (shell.starts == 0)
            Sleep(10);
        PostThreadMessageW(thread, WM_QUIT, 7, 0);
        if (WaitForSingleObject(process.Get(), 10000) == WAIT_TIMEOUT) // never hang the run
            SetEvent(process.Get());
    });
    const bool started = RunAndWait(L"C:\\Lumivo\\LumivoShows.exe", nullptr);
    const bool endedByQuit = WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
    SetEvent(process.Get());
    other.join();
    EXPECT_TRUE(started);
    EXPECT_TRUE(endedByQuit) << "the wait went on after the quit message";
    MSG msg = {};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message was swallowed";
    EXPECT_EQ(msg.wParam, 7u);
}

} // namespace
