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
    const DWORD never = 0;
    ASSERT_TRUE(askValue.Set(REG_DWORD, &never, sizeof never));
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

// A top-level window of another program whose title holds the text; null when none.
struct TitleSearch {
    const wchar_t* text;
    DWORD notProcess;
    HWND found;
};

BOOL CALLBACK FindTitle(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<TitleSearch*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    wchar_t title[512] = {};
    ::GetWindowTextW(hwnd, title, 512);
    if (process != search->notProcess && ::IsWindowVisible(hwnd) && wcsstr(title, search->text)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForTitle(const wchar_t* text, DWORD notProcess, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    do {
        TitleSearch search = {text, notProcess, nullptr};
        ::EnumWindows(FindTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        ::Sleep(100);
    } while (::GetTickCount() - start < milliseconds);
    return nullptr;
}

COLORREF ScreenPixel(POINT at)
{
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, at.x, at.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

void PressKey(BYTE key)
{
    ::keybd_event(key, 0, 0, 0);
    ::keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

// The hovered picture shows its two buttons and the list's menu its sub-menus (pictured); Edit
// starts the real editor on the picture, and once the editor closes the browser reads the
// picture again: it was changed meanwhile, and its thumbnail shows the change.
TEST(ShowsProgram, EditHandsThePictureToTheEditorAndReadsItAgainWhenItCloses)
{
    // The pointer goes back where it was: the tests after this one hover nothing by chance.
    struct CursorGuard {
        POINT at = {0, 0};
        CursorGuard() { ::GetCursorPos(&at); }
        ~CursorGuard() { ::SetCursorPos(at.x, at.y); }
    } cursor;
    RegValueGuard values[] = {{HKEY_CURRENT_USER, kShowsKey, L"LastViewPath"},
                              {HKEY_CURRENT_USER, kShowsKey, L"MainFrameWidth"},
                              {HKEY_CURRENT_USER, kShowsKey, L"MainFrameHeight"},
                              {HKEY_CURRENT_USER, kShowsKey, L"ShowMax"}};
    RegValueGuard askValue(HKEY_CURRENT_USER, kShowsSystemKey, L"iCheckDefaultOnStartup");
    const DWORD never = 0;
    ASSERT_TRUE(askValue.Set(REG_DWORD, &never, sizeof never));
    TempFolder temp;
    const std::wstring picture = temp.At(L"Lakeside.jpg");
    ASSERT_TRUE(::CopyFileW((testsupport::BinDir() + L"\\Data\\Sample\\Lakeside.jpg").c_str(), picture.c_str(), FALSE));
    std::wstring shots = testsupport::BinDir();
    shots = shots.substr(0, shots.find_last_of(L'\\')) + L"\\out\\e2e";
    ::SHCreateDirectoryExW(nullptr, shots.c_str(), nullptr);

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    DWORD showsProcess = 0;
    ::GetWindowThreadProcessId(frame, &showsProcess);
    const HWND list = ::GetDlgItem(frame, 0xE900); // the frame's view
    ASSERT_NE(list, nullptr);
    ::Sleep(3000);

    // The pointer over the middle of the first cell, as the user moves it there.
    POINT onItem = {70, 60};
    ::ClientToScreen(list, &onItem);
    ::SetCursorPos(onItem.x, onItem.y);
    POINT client = {70, 60};
    ::PostMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    ::Sleep(500);
    // Selected, the picture is the menu's current item.
    ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ::PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    ::Sleep(1200);
    SaveScreen(shots + L"\\list-buttons.png");
    ::PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(onItem.x, onItem.y));
    ::Sleep(1000);
    // The Process sub-menu opened as well, for the picture.
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RIGHT);
    ::Sleep(800);
    SaveScreen(shots + L"\\list-menu.png");
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    ::Sleep(500);
    const COLORREF before = ScreenPixel(onItem);

    ::SetCursorPos(onItem.x, onItem.y);
    ::PostMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    ::Sleep(300);
    ::PostMessageW(list, WM_COMMAND, 33407, 0); // Process > Edit
    const HWND editor = WaitForTitle(L"Lakeside", showsProcess, 30000);
    ASSERT_NE(editor, nullptr) << "no editor on the picture";
    ::Sleep(2000);
    SaveScreen(shots + L"\\list-editor.png");
    // The picture changes while the editor has it: a red one of another size.
    CxImage red;
    ASSERT_TRUE(red.Create(200, 150, 24, CXIMAGE_FORMAT_JPG));
    for (long y = 0; y < 150; ++y)
        for (long x = 0; x < 200; ++x)
            red.SetPixelColor(x, y, RGBQUAD{0, 0, 230, 0});
    ASSERT_TRUE(red.Save(picture.c_str(), CXIMAGE_FORMAT_JPG));
    ::PostMessageW(editor, WM_CLOSE, 0, 0);
    for (int i = 0; i < 200 && ::IsWindow(editor); ++i)
        ::Sleep(100);
    EXPECT_FALSE(::IsWindow(editor));
    // The browser reads the picture again: its thumbnail turns red.
    COLORREF after = before;
    for (int i = 0; i < 100; ++i, ::Sleep(100)) {
        after = ScreenPixel(onItem);
        if (GetRValue(after) > 150 && GetGValue(after) < 90 && GetBValue(after) < 90)
            break;
    }
    EXPECT_TRUE(GetRValue(after) > 150 && GetGValue(after) < 90 && GetBValue(after) < 90) << std::hex << before << " " << after;
    SaveScreen(shots + L"\\list-reread.png");
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(shows.WaitForExit(20000), 0);
}

} // namespace
