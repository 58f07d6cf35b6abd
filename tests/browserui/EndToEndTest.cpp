// The real program on a copy of the sample pictures: it starts on the folder, shows it in its
// frame, and a close ends it with code 0 after writing its settings.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <string>
#include "CxImage.h"
#include "EditorAppTestSupport.h"
#include "TestSupport.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::ChildProcess;
using testsupport::TempFolder;

const wchar_t kShowsKey[] = L"Software\\Lumivo\\LumivoShows";
const wchar_t kShowsSystemKey[] = L"Software\\Lumivo\\LumivoShows\\System";

std::wstring ReadShowsText(const wchar_t* name)
{
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(HKEY_CURRENT_USER, kShowsKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::wstring();
    return text;
}

// The screen as a PNG, for a person to look at (build/out/e2e).
void SaveScreen(const std::wstring& path)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    CxImage picture;
    if (picture.CreateFromHBITMAP(bitmap))
        picture.Save(path.c_str(), CXIMAGE_FORMAT_PNG);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

bool HasShowsValue(const wchar_t* name)
{
    return ::RegGetValueW(HKEY_CURRENT_USER, kShowsKey, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TEST(ShowsProgram, StartsOnAFolderAndWritesItsSettingsOnClose)
{
    RegValueGuard values[] = {{HKEY_CURRENT_USER, kShowsKey, L"LastViewPath"},
                              {HKEY_CURRENT_USER, kShowsKey, L"MainFrameWidth"},
                              {HKEY_CURRENT_USER, kShowsKey, L"MainFrameHeight"},
                              {HKEY_CURRENT_USER, kShowsKey, L"ShowMax"}};
    // The question at start is modal: it is switched off as the user would after the first start.
    RegValueGuard askValue(HKEY_CURRENT_USER, kShowsSystemKey, L"iCheckDefaultOnStartup");
    HKEY system = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kShowsSystemKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &system, nullptr), ERROR_SUCCESS);
    const DWORD never = 0;
    ::RegSetValueExW(system, L"iCheckDefaultOnStartup", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&never), sizeof never);
    ::RegCloseKey(system);
    for (const wchar_t* name : {L"LastViewPath", L"MainFrameWidth", L"MainFrameHeight"})
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kShowsKey, name);
    TempFolder temp;
    const std::wstring samples = testsupport::BinDir() + L"\\Data\\Sample\\";
    int copied = 0;
    for (const wchar_t* name : {L"Lakeside.jpg", L"Flowers.webp", L"Effect.webp", L"Badge.png"})
        copied += ::CopyFileW((samples + name).c_str(), temp.At(name).c_str(), FALSE) ? 1 : 0;
    ASSERT_EQ(copied, 4);

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    wchar_t title[64] = {};
    ::GetWindowTextW(frame, title, 64);
    EXPECT_STREQ(title, L"Lumivo Shows 1.4.6");
    // Pictures of the frame with its thumbnails, its options, its about box and its main menu
    // open, each once it had time to settle; nothing is measured on them.
    std::wstring shots = testsupport::BinDir();
    shots = shots.substr(0, shots.find_last_of(L'\\')) + L"\\out\\e2e"; // build\out\e2e
    ::SHCreateDirectoryExW(nullptr, shots.c_str(), nullptr);
    ::Sleep(3000);
    SaveScreen(shots + L"\\shows.png");
    // The options and the about box, each closed by its Cancel once pictured.
    const struct {
        UINT command;
        const wchar_t* title;
        const wchar_t* shot;
    } dialogs[] = {{32875, L"Option", L"\\shows-options.png"}, {0xE140, L"About", L"\\shows-about.png"}};
    for (const auto& d : dialogs) {
        ::PostMessageW(frame, WM_COMMAND, d.command, 0);
        HWND dialog = nullptr;
        for (int i = 0; i < 100 && !dialog; ++i, ::Sleep(50))
            dialog = ::FindWindowW(L"#32770", d.title);
        EXPECT_NE(dialog, nullptr) << d.title;
        ::Sleep(700);
        SaveScreen(shots + d.shot);
        if (dialog)
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        ::Sleep(300);
    }
    ::PostMessageW(frame, WM_COMMAND, 32922, 0); // the Menu caption button
    ::Sleep(1000);
    SaveScreen(shots + L"\\shows-menu.png");
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(shows.WaitForExit(20000), 0);
    EXPECT_EQ(ReadShowsText(L"LastViewPath"), temp.Root());
    EXPECT_TRUE(HasShowsValue(L"MainFrameWidth"));
    EXPECT_TRUE(HasShowsValue(L"MainFrameHeight"));
}

} // namespace
