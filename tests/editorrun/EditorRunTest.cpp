// The editor program as a user meets it: the close box of the first and of a second instance,
// the log-on start, and the data folder it fills at start.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <functional>
#include <string>
#include "EditorAppTestSupport.h"
#include "TestSupport.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::BinDir;
using testsupport::ChildProcess;

const DWORD kTimeout = 30000;
const wchar_t kFrameClass[] = L"LumivoMainFrame";

std::wstring EditorPath()
{
    return BinDir() + L"\\LumivoTools.exe";
}

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = kTimeout)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(50);
    }
    return true;
}

// The first dialog window of the process, or null.
HWND FindDialogOf(DWORD processId)
{
    struct Search {
        DWORD pid;
        HWND found;
    } search{processId, nullptr};
    EnumWindows([](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (pid == s->pid && IsWindowVisible(hwnd) && wcscmp(cls, L"#32770") == 0) {
            s->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The process's start page, shown or not; null when it has none within the time.
HWND WaitForFrameOf(const ChildProcess& child)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND at = FindWindowExW(nullptr, nullptr, kFrameClass, nullptr); at && !found;
             at = FindWindowExW(nullptr, at, kFrameClass, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(at, &pid);
            if (pid == child.Id())
                found = at;
        }
        return found != nullptr;
    });
    return found;
}

// Answers the process's message box with the button.
bool Answer(const ChildProcess& child, int button)
{
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindDialogOf(child.Id())) != nullptr; }))
        return false;
    HWND control = GetDlgItem(box, button);
    if (!control)
        return false;
    PostMessageW(control, BM_CLICK, 0, 0);
    return WaitFor([&] { return !IsWindow(box); });
}

// Each test leaves the skin and the program's own settings as it found them.
class EditorRunTest : public testing::Test {
protected:
    RegValueGuard skin{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"Skin"};
    RegValueGuard newVersion{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"NewVersion"};
    RegValueGuard directory{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools\\Tools", L"CurrentDirectory"};
    // The update check and the usage statistics of every start.
    RegValueGuard lastCheck{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"LastCheckUpdate"};
    RegValueGuard lastUse{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"LastUse"};
    RegValueGuard period{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"QueryPeriod"};
    RegValueGuard dailyUse{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"DailyUseStat"};
    RegValueGuard firstUse{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"FirstUseStat"};
};

TEST_F(EditorRunTest, FirstInstanceHidesOnCloseAndEndsOnTheQuitMessage)
{
    ChildProcess editor;
    ASSERT_TRUE(editor.Start(EditorPath()));
    HWND page = editor.WaitForWindow(kFrameClass, kTimeout);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(page) != FALSE; }));
    PostMessageW(page, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(page); }));
    EXPECT_TRUE(IsWindow(page)) << "the page lives on in the tray";
    PostMessageW(page, 0x500, 0, 0);
    EXPECT_EQ(editor.WaitForExit(kTimeout), 0);
}

TEST_F(EditorRunTest, SecondInstanceHasNoTrayIconAndAsksBeforeClosing)
{
    ChildProcess first, second;
    ASSERT_TRUE(first.Start(EditorPath()));
    HWND firstPage = first.WaitForWindow(kFrameClass, kTimeout);
    ASSERT_NE(firstPage, nullptr);
    ASSERT_TRUE(second.Start(EditorPath()));
    HWND page = second.WaitForWindow(kFrameClass, kTimeout);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(page) != FALSE; }));

    PostMessageW(page, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Answer(second, IDNO));
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(page)) << "No keeps the page";
    PostMessageW(page, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Answer(second, IDYES));
    EXPECT_EQ(second.WaitForExit(kTimeout), 0);

    EXPECT_TRUE(IsWindow(firstPage));
    PostMessageW(firstPage, 0x500, 0, 0);
    EXPECT_EQ(first.WaitForExit(kTimeout), 0);
}

TEST_F(EditorRunTest, LogOnStartShowsNothing)
{
    ChildProcess editor;
    ASSERT_TRUE(editor.Start(EditorPath(), L"-start"));
    HWND page = WaitForFrameOf(editor);
    ASSERT_NE(page, nullptr);
    // Long enough for the page to show had it been going to.
    Sleep(1500);
    EXPECT_TRUE(!IsWindowVisible(page) || IsIconic(page));
    PostMessageW(page, 0x500, 0, 0);
    EXPECT_EQ(editor.WaitForExit(kTimeout), 0);
}

// A list file in the temporary folder is read and deleted, one elsewhere read and kept; the
// first picture of the list names the page's title.
TEST_F(EditorRunTest, ListFilesOpenTheirFirstPictureAndTemporaryListsGo)
{
    wchar_t tempPath[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempPath);
    const struct {
        std::wstring list;
        bool deleted;
    } cases[] = {
        {std::wstring(tempPath) + L"EditorRunTest.lst", true},
        {editorapp::TestProgramFolder() + L"\\EditorRunTest.lst", false},
    };
    for (const auto& c : cases) {
        const std::wstring first = L"C:\\Pictures\\a b.jpg";
        ASSERT_TRUE(editorapp::PutUtf16(c.list, first + L"\r\nC:\\Pictures\\c.png\r\n"));
        ChildProcess editor;
        ASSERT_TRUE(editor.Start(EditorPath(), L"/il \"" + c.list + L"\""));
        HWND page = editor.WaitForWindow(kFrameClass, kTimeout);
        ASSERT_NE(page, nullptr);
        wchar_t title[512] = {};
        GetWindowTextW(page, title, 512);
        EXPECT_EQ(std::wstring(title), L"Lumivo Tools 1.4.6   Open " + first);
        EXPECT_EQ(GetFileAttributesW(c.list.c_str()) == INVALID_FILE_ATTRIBUTES, c.deleted) << testing::PrintToString(c.list);
        PostMessageW(page, 0x500, 0, 0);
        EXPECT_EQ(editor.WaitForExit(kTimeout), 0);
        DeleteFileW(c.list.c_str());
    }
}

// The user's copy of the sample is no picture: it is kept, reported, and the page still comes.
TEST_F(EditorRunTest, SeedingKeepsAChangedUserFileAndABrokenSampleIsReported)
{
    wchar_t appData[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData)));
    const std::wstring folder = std::wstring(appData) + L"\\Lumivo\\Sample";
    const std::wstring sample = folder + L"\\Effect.webp";
    const std::string before = testsupport::TempFolder::Get(sample);
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    ASSERT_TRUE(testsupport::TempFolder::Put(sample, "changed by the user"));

    ChildProcess editor;
    ASSERT_TRUE(editor.Start(EditorPath()));
    EXPECT_TRUE(Answer(editor, IDOK)) << "the failed sample is reported";
    HWND page = editor.WaitForWindow(kFrameClass, kTimeout);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(page) != FALSE; }));
    EXPECT_EQ(testsupport::TempFolder::Get(sample), "changed by the user");
    PostMessageW(page, 0x500, 0, 0);
    EXPECT_EQ(editor.WaitForExit(kTimeout), 0);

    if (before == "<missing>")
        DeleteFileW(sample.c_str());
    else
        testsupport::TempFolder::Put(sample, before);
}

} // namespace
