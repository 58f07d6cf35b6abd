// The real program started on a picture: the viewer shows it with the main frame hidden, the
// arrow keys move on, and leaving the viewer ends the program.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "EditorAppTestSupport.h"
#include "ScreenPicture.h"
#include "TestSupport.h"
#include "ZVImage.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::ChildProcess;
using testsupport::TempFolder;

const wchar_t kShowsProfile[] = L"Software\\Lumivo\\LumivoShows";

std::wstring Caption(HWND hwnd)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(hwnd, text, 1024);
    return text;
}

bool WaitForCaption(HWND hwnd, const wchar_t* part, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    while (Caption(hwnd).find(part) == std::wstring::npos) {
        if (::GetTickCount() - start > milliseconds)
            return false;
        ::Sleep(50);
    }
    return true;
}

TEST(ShowsViewer, StartsOnAPictureAndLeavingTheViewerEndsTheProgram)
{
    RegValueGuard values[] = {{HKEY_CURRENT_USER, kShowsProfile, L"LastViewPath"},
                              {HKEY_CURRENT_USER, kShowsProfile, L"MainFrameWidth"},
                              {HKEY_CURRENT_USER, kShowsProfile, L"MainFrameHeight"},
                              {HKEY_CURRENT_USER, kShowsProfile, L"ShowMax"},
                              {HKEY_CURRENT_USER, kShowsProfile, L"ShowMaxFullPic"}};
    TempFolder temp;
    const std::wstring samples = testsupport::BinDir() + L"\\Data\\Sample\\";
    for (const wchar_t* name : {L"Lakeside.jpg", L"Flowers.webp", L"Effect.webp", L"Badge.png", L"Spinner.gif"})
        ASSERT_TRUE(::CopyFileW((samples + name).c_str(), temp.At(name).c_str(), FALSE)) << name;
    const std::wstring picture = temp.At(L"Lakeside.jpg");

    for (bool byKey : {true, false}) {
        ChildProcess shows;
        ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + picture + L"\""));
        const HWND frame = shows.WaitForWindow(L"LumivoViewerFrame", 20000);
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(WaitForCaption(frame, L"640 x 427 x 24", 10000)) << Caption(frame);
        EXPECT_EQ(0u, Caption(frame).find(picture)) << Caption(frame);
        const HWND mainFrame = ::FindWindowW(L"LumivoMainFrame", nullptr);
        ASSERT_NE(mainFrame, nullptr);
        EXPECT_FALSE(::IsWindowVisible(mainFrame)) << "the main frame stays hidden";
        const HWND view = ::FindWindowExW(frame, nullptr, L"LumivoViewerFullWnd", nullptr);
        ASSERT_NE(view, nullptr);
        if (byKey) {
            ::Sleep(1500); // the folder's scan places the picture in the strip
            EXPECT_TRUE(SaveWindowPicture(frame, OutFolder(L"e2e") + L"\\viewer.png"));
            ::PostMessageW(view, WM_KEYDOWN, VK_RIGHT, 0);
            EXPECT_TRUE(WaitForCaption(frame, L"Spinner.gif", 10000)) << Caption(frame);
            ::PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            ::PostMessageW(frame, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(shows.WaitForExit(20000), 0) << (byKey ? "Esc" : "close");
    }
}

} // namespace
