// The program folder holds working modules: every DLL loads, every program starts and ends,
// and the main frame takes part in the desktop (messages from other processes, painting).
#include <windows.h>
#include <cstdint>
#include <vector>
#include <gtest/gtest.h>
#include "TestSupport.h"
#include "Win32Owners.h"

using testsupport::BinDir;
using testsupport::ChildProcess;

namespace {

const DWORD kStartTimeout = 30000;

std::wstring ModulesOf(const wchar_t* pattern)
{
    return BinDir() + L"\\" + pattern;
}

// The browser asks at start, in a modal box, to become the default viewer unless told not to:
// the question is off while the test runs, as it was before after.
class BrowserQuestionOff {
public:
    BrowserQuestionOff()
    {
        m_had = RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &m_old, &m_size) == ERROR_SUCCESS;
        const DWORD off = 0;
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &off, sizeof off);
    }
    ~BrowserQuestionOff()
    {
        if (m_had)
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &m_old, sizeof m_old);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\Lumivo\\LumivoShows\\System";
    static constexpr const wchar_t* kValue = L"iCheckDefaultOnStartup";
    bool m_had = false;
    DWORD m_old = 0, m_size = sizeof(DWORD);
};

} // namespace

TEST(ProgramFolder, EveryDllLoads)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(ModulesOf(L"*.dll").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    int count = 0;
    do {
        const std::wstring path = BinDir() + L"\\" + found.cFileName;
        HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        EXPECT_NE(module, nullptr) << "cannot load " << testing::PrintToString(path) << ", error " << GetLastError();
        if (module)
            FreeLibrary(module);
        ++count;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    // The suite's own four DLLs and the C++ runtime at least.
    EXPECT_GE(count, 7);
    for (const wchar_t* name : { L"ZVImage.dll", L"AppFrame.dll", L"SkinUI.dll", L"ZVUILib.dll" })
        EXPECT_NE(GetFileAttributesW(ModulesOf(name).c_str()), INVALID_FILE_ATTRIBUTES) << testing::PrintToString(name);
}

TEST(ProgramFolder, ConsoleProgramRunsAndEnds)
{
    ChildProcess batch;
    ASSERT_TRUE(batch.Start(ModulesOf(L"KQBatch.exe")));
    EXPECT_EQ(batch.WaitForExit(kStartTimeout), 0);
}

// The start page's close box only hides it to the tray; the quit message 0x500 ends the program.
TEST(ProgramFolder, EditorStartsAndCloses)
{
    ChildProcess editor;
    ASSERT_TRUE(editor.Start(ModulesOf(L"LumivoTools.exe")));
    HWND page = editor.WaitForWindow(L"LumivoMainFrame", kStartTimeout);
    ASSERT_NE(page, nullptr);
    PostMessageW(page, 0x500, 0, 0);
    EXPECT_EQ(editor.WaitForExit(kStartTimeout), 0);
}

// Another process finds the browser's frame by class, reads back what its picture list painted
// in the middle of the frame (the empty white area beside the few entries of a fresh prefix's
// picture folder), and ends it with the quit message 0x500.
TEST(ProgramFolder, BrowserFramePaintsAndTakesMessagesFromOtherProcesses)
{
    BrowserQuestionOff quiet;
    ChildProcess browser;
    ASSERT_TRUE(browser.Start(ModulesOf(L"LumivoShows.exe")));
    ASSERT_NE(browser.WaitForWindow(L"LumivoMainFrame", kStartTimeout), nullptr);
    HWND frame = FindWindowW(L"LumivoMainFrame", nullptr);
    ASSERT_NE(frame, nullptr);

    RECT client;
    GetClientRect(frame, &client);
    ASSERT_GT(client.right, 20);
    ASSERT_GT(client.bottom, 20);
    // The list is a child window: the screen shows what it painted.
    POINT middle = {client.right / 2, client.bottom / 2};
    ClientToScreen(frame, &middle);
    // The list's ground: white in the light skins, dark grey in Black.
    auto isListGround = [](COLORREF c) { return c == RGB(0xFF, 0xFF, 0xFF) || c == RGB(50, 50, 50); };
    COLORREF painted = CLR_INVALID;
    for (int tries = 0; tries < 100 && !isListGround(painted); ++tries) {
        HDC screen = GetDC(nullptr);
        painted = GetPixel(screen, middle.x, middle.y);
        ReleaseDC(nullptr, screen);
        if (!isListGround(painted))
            Sleep(50);
    }
    EXPECT_TRUE(isListGround(painted)) << std::hex << painted;

    ASSERT_TRUE(PostMessageW(frame, 0x500, 0, 0));
    EXPECT_EQ(browser.WaitForExit(kStartTimeout), 0);
}

// The faces that dialogs and text effects ask for by name resolve to outline fonts of that
// family (through the prefix's replacements and substitutes), not to some fallback face.
TEST(Desktop, NamedFacesResolveToOutlineFonts)
{
    struct Case { const wchar_t* requested; const wchar_t* family; };
    const Case cases[] = {
        { L"Arial", L"Arial" },
        { L"Arial Black", L"Arial Black" },
        { L"Tahoma", L"Tahoma" },
        { L"MS Shell Dlg", L"Tahoma" },
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        HFONT font = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, c.requested);
        HGDIOBJ old = SelectObject(dc, font);
        alignas(OUTLINETEXTMETRICW) char buffer[1024] = {};
        auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer);
        ASSERT_GT(GetOutlineTextMetricsW(dc, sizeof buffer, otm), 0u) << testing::PrintToString(std::wstring(c.requested));
        const std::wstring family = reinterpret_cast<const wchar_t*>(buffer + reinterpret_cast<UINT_PTR>(otm->otmpFamilyName));
        EXPECT_EQ(family, c.family) << "for " << testing::PrintToString(std::wstring(c.requested));
        SelectObject(dc, old);
        DeleteObject(font);
    }
    DeleteDC(dc);
}

namespace {

// The pixels of one character drawn black on white in the face, 40 pixels high.
std::vector<uint32_t> DrawCharacter(const wchar_t* face, wchar_t ch, int weight, BOOL italic)
{
    const int size = 48;
    BITMAPINFO info = win32::TopDownBitmapInfo(size, size);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-40, 0, 0, 0, weight, italic, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all = { 0, 0, size, size };
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TextOutW(dc, 2, 2, &ch, 1);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size * size);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

} // namespace

// The suite's home language is Chinese: dialog and interface faces fall back to a Chinese
// face for characters they lack, so "中" and "文" draw as two different glyphs, not as the
// same empty box. Bold (tab captions, default menu items) and italic text too: a face's bold
// is a face of its own that needs its own link.
TEST(Desktop, ChineseTextDrawsInTheInterfaceFaces)
{
    const struct {
        int weight;
        BOOL italic;
    } styles[] = { { FW_NORMAL, FALSE }, { FW_BOLD, FALSE }, { FW_NORMAL, TRUE }, { FW_BOLD, TRUE } };
    for (const wchar_t* face : { L"MS Shell Dlg", L"Tahoma", L"Arial", L"Segoe UI", L"Verdana" })
        for (const auto& style : styles) {
            const std::vector<uint32_t> zhong = DrawCharacter(face, L'\x4E2D', style.weight, style.italic);
            const std::vector<uint32_t> wen = DrawCharacter(face, L'\x6587', style.weight, style.italic);
            EXPECT_NE(zhong, wen) << testing::PrintToString(std::wstring(face)) << " weight " << style.weight
                                  << " italic " << style.italic;
        }
}
