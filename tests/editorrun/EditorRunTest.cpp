// The editor program as a user meets it: the close box of the first and of a second instance,
// the log-on start, the data folder it fills at start, dropped files, and pictures turned or
// resized and saved through the Save As dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>
#include <string>
#include <gdiplus.h>
#include <minizip/unzip.h>
#include <webp/decode.h>
#include "EditorAppTestSupport.h"
#include "FileDialogDriver.h"
#include "TestSupport.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::BinDir;
using testsupport::ChildProcess;
using testsupport::TempFolder;

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

namespace {

// The titles of the picture windows of the process's editor frame (the top-level window with an
// MDI client), sorted; empty while it has none.
std::vector<std::wstring> PictureTitles(DWORD processId, HWND* editorOut = nullptr)
{
    struct Search {
        DWORD pid;
        HWND editor;
    } search{processId, nullptr};
    EnumWindows([](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid && FindWindowExW(hwnd, nullptr, L"MDIClient", nullptr)) {
            s->editor = hwnd;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    if (editorOut)
        *editorOut = search.editor;
    std::vector<std::wstring> titles;
    HWND client = search.editor ? FindWindowExW(search.editor, nullptr, L"MDIClient", nullptr) : nullptr;
    for (HWND child = client ? GetWindow(client, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t title[256] = {};
        GetWindowTextW(child, title, 256);
        if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_MDICHILD)
            titles.push_back(title);
    }
    std::sort(titles.begin(), titles.end());
    return titles;
}

// The copy of the sample picture at the path.
bool CopySample(const std::wstring& path)
{
    return CopyFileW((BinDir() + L"\\Data\\Sample\\Lakeside.jpg").c_str(), path.c_str(), FALSE) != FALSE;
}

// Counts the at-exit notes that reach a window of the frames' class in this process.
int g_atExitNotes = 0;
LRESULT CALLBACK CountAtExit(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == 0x502)
        ++g_atExitNotes;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool PumpUntilDone(const std::function<bool()>& done, DWORD milliseconds = kTimeout)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    return true;
}

} // namespace

// Pictures named on the command line, one in a folder with a blank, or in a list: a picture
// window each, no start page; closing the editor ends the program and tells the other frames.
TEST_F(EditorRunTest, EditorOpensTheNamedPicturesAndClosingItEndsTheProgram)
{
    testsupport::TempFolder folder;
    CreateDirectoryW(folder.At(L"with blank").c_str(), nullptr);
    const std::wstring first = folder.At(L"with blank\\One.jpg"), second = folder.At(L"Two.jpg"), third = folder.At(L"Three.jpg");
    ASSERT_TRUE(CopySample(first) && CopySample(second) && CopySample(third));
    wchar_t tempPath[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempPath);
    const std::wstring list = std::wstring(tempPath) + L"EditorRunPictures.lst";
    ASSERT_TRUE(editorapp::PutUtf16(list, first + L"\r\n" + second + L"\r\n" + third + L"\r\n"));

    WNDCLASSW cls = {};
    cls.lpfnWndProc = CountAtExit;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = kFrameClass;
    RegisterClassW(&cls);
    HWND listener = CreateWindowW(kFrameClass, L"listener", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(listener, nullptr);

    const struct {
        std::wstring arguments;
        std::vector<std::wstring> titles;
    } cases[] = {
        {L"-editor \"" + first + L"\" \"" + second + L"\"", {L"One.jpg", L"Two.jpg"}},
        {L"-editor -il \"" + list + L"\"", {L"One.jpg", L"Three.jpg", L"Two.jpg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        g_atExitNotes = 0;
        ChildProcess editor;
        ASSERT_TRUE(editor.Start(EditorPath(), c.arguments));
        HWND frame = nullptr;
        // Each picture window is made, then named, then filled: the titles settle when all are in.
        EXPECT_TRUE(WaitFor([&] { return PictureTitles(editor.Id(), &frame) == c.titles; }));
        EXPECT_EQ(PictureTitles(editor.Id()), c.titles);
        HWND page = WaitForFrameOf(editor);
        EXPECT_TRUE(page && !IsWindowVisible(page)) << "no start page";
        ASSERT_NE(frame, nullptr);
        PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(editor.WaitForExit(kTimeout), 0);
        PumpUntilDone([] { return g_atExitNotes > 0; }, 3000);
        Sleep(200);
        PumpUntilDone([] { return false; }, 200);
        EXPECT_EQ(g_atExitNotes, 1);
    }
    EXPECT_EQ(GetFileAttributesW(list.c_str()), INVALID_FILE_ATTRIBUTES) << "the temporary list is gone";
    DestroyWindow(listener);
    UnregisterClassW(kFrameClass, cls.hInstance);
}

// The editor opened without pictures gives way to the start page when it closes.
TEST_F(EditorRunTest, EditorWithoutPicturesShowsTheStartPageOnClose)
{
    ChildProcess editor;
    ASSERT_TRUE(editor.Start(EditorPath(), L"-editor"));
    HWND frame = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        PictureTitles(editor.Id(), &frame);
        return frame != nullptr && IsWindowVisible(frame);
    }));
    HWND page = WaitForFrameOf(editor);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsWindowVisible(page));
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(page) != FALSE; }));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    PostMessageW(page, 0x500, 0, 0);
    EXPECT_EQ(editor.WaitForExit(kTimeout), 0);
}

namespace {

// The size of a picture file and the colours of its top row and right column, read with GDI+.
struct PictureFacts {
    int width = 0, height = 0;
    std::vector<COLORREF> topRow, rightColumn, leftColumn;
};

bool ReadPicture(const std::wstring& path, PictureFacts& facts)
{
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return false;
    facts.width = static_cast<int>(bitmap.GetWidth());
    facts.height = static_cast<int>(bitmap.GetHeight());
    Gdiplus::Color color;
    for (int x = 0; x < facts.width; ++x) {
        bitmap.GetPixel(x, 0, &color);
        facts.topRow.push_back(RGB(color.GetR(), color.GetG(), color.GetB()));
    }
    for (int y = 0; y < facts.height; ++y) {
        bitmap.GetPixel(facts.width - 1, y, &color);
        facts.rightColumn.push_back(RGB(color.GetR(), color.GetG(), color.GetB()));
        bitmap.GetPixel(0, y, &color);
        facts.leftColumn.push_back(RGB(color.GetR(), color.GetG(), color.GetB()));
    }
    return true;
}

// The mean difference of a channel between the two lists (of the same length).
double MeanDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b)
{
    double sum = 0;
    size_t count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        for (int shift : {0, 8, 16}) {
            sum += std::abs(int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF));
            ++count;
        }
    return count ? sum / count : 255.0;
}

// A drop of the files on a window of another process. A drop handle is memory of the receiving
// process, as the system makes it there: the block is written into that process, and the handle
// is its address (a fixed block's handle is its address).
bool DropFiles(const ChildProcess& process, HWND target, const std::vector<std::wstring>& paths)
{
    std::vector<BYTE> block(sizeof(DROPFILES));
    auto* drop = reinterpret_cast<DROPFILES*>(block.data());
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    for (const std::wstring& path : paths) {
        const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
        block.insert(block.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
    }
    block.insert(block.end(), sizeof(wchar_t), 0);
    HANDLE handle = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process.Id());
    if (!handle)
        return false;
    void* memory = VirtualAllocEx(handle, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T written = 0;
    const bool put = memory && WriteProcessMemory(handle, memory, block.data(), block.size(), &written) && written == block.size();
    CloseHandle(handle);
    return put && PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// Runs the frame's command and saves the active picture through the Save As dialog.
bool SaveActiveAs(const ChildProcess& editor, HWND frame, const std::wstring& path)
{
    PostMessageW(frame, WM_COMMAND, 32923, 0);
    HWND dialog = testsupport::WaitForFileDialog(editor.Id(), kTimeout);
    if (!dialog || !testsupport::ChooseFileInDialog(dialog, path))
        return false;
    return WaitFor([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !IsWindow(dialog); });
}

// The resize dialog of the process: the one with the width field.
HWND WaitForResizeDialog(DWORD processId)
{
    HWND found = nullptr;
    WaitFor([&] {
        found = FindDialogOf(processId);
        return found && GetDlgItem(found, 1057);
    });
    return found;
}

} // namespace

// Files dropped on the running editor open in windows of their own, named by their files.
TEST_F(EditorRunTest, DroppedPictureAndProjectOpenInTwoWindows)
{
    testsupport::TempFolder folder;
    const std::wstring picture = folder.At(L"Lakeside.jpg"), project = folder.At(L"Scene.kqd");
    ASSERT_TRUE(CopySample(picture));
    ChildProcess maker;
    ASSERT_TRUE(maker.Start(BinDir() + L"\\demo\\KqdTool.exe", L"make \"" + project + L"\" \"" + picture + L"\""));
    ASSERT_EQ(0, maker.WaitForExit(kTimeout));

    ChildProcess editor;
    ASSERT_TRUE(editor.Start(EditorPath(), L"-editor"));
    HWND frame = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        PictureTitles(editor.Id(), &frame);
        return frame != nullptr && IsWindowVisible(frame);
    }));
    ASSERT_TRUE(DropFiles(editor, frame, {picture, project}));
    const std::vector<std::wstring> expected = {L"Lakeside.jpg", L"Scene.kqd"};
    EXPECT_TRUE(WaitFor([&] { return PictureTitles(editor.Id()) == expected; }));
    EXPECT_EQ(expected, PictureTitles(editor.Id()));
}

// Image > Rotate Left and Image > Resize... on the running editor, each saved through the Save As
// dialog as PNG.
TEST_F(EditorRunTest, TurnedAndResizedPicturesSaveThroughTheDialog)
{
    testsupport::TempFolder folder;
    const std::wstring picture = folder.At(L"Lakeside.jpg");
    ASSERT_TRUE(CopySample(picture));
    ULONG_PTR gdiplus = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr));
    PictureFacts original;
    ASSERT_TRUE(ReadPicture(picture, original));
    ASSERT_EQ(640, original.width);

    ChildProcess editor;
    ASSERT_TRUE(editor.Start(EditorPath(), L"-editor \"" + picture + L"\""));
    HWND frame = nullptr;
    ASSERT_TRUE(WaitFor([&] { return PictureTitles(editor.Id(), &frame) == std::vector<std::wstring>{L"Lakeside.jpg"}; }));

    PostMessageW(frame, WM_COMMAND, 33017, 0);   // Image > Transform > Rotate Left
    const std::wstring turned = folder.At(L"turned.png");
    ASSERT_TRUE(SaveActiveAs(editor, frame, turned));
    PictureFacts left;
    ASSERT_TRUE(WaitFor([&] { return ReadPicture(turned, left); }));
    EXPECT_EQ(427, left.width);
    EXPECT_EQ(640, left.height);
    // The top row is the original's right column, top to bottom (give or take the two JPEG
    // decoders), not its left one turned the other way.
    EXPECT_LT(MeanDifference(left.topRow, original.rightColumn), 4.0);
    std::vector<COLORREF> leftColumnUpwards;
    for (int y = original.height - 1; y >= 0; --y)
        leftColumnUpwards.push_back(original.leftColumn[y]);
    EXPECT_GT(MeanDifference(left.topRow, leftColumnUpwards), 10.0);

    PostMessageW(frame, WM_COMMAND, 33018, 0);   // and back
    PostMessageW(frame, WM_COMMAND, 33012, 0);   // Image > Resize...
    HWND dialog = WaitForResizeDialog(editor.Id());
    ASSERT_NE(nullptr, dialog);
    HWND width = GetDlgItem(dialog, 1057);
    SendMessageW(width, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"320"));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1057, EN_CHANGE), reinterpret_cast<LPARAM>(width));
    wchar_t height[16] = {};
    GetDlgItemTextW(dialog, 1069, height, 16);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    const std::wstring resized = folder.At(L"resized.png");
    ASSERT_TRUE(SaveActiveAs(editor, frame, resized));
    PictureFacts small;
    ASSERT_TRUE(WaitFor([&] { return ReadPicture(resized, small); }));
    EXPECT_EQ(320, small.width);
    // The dialog keeps the aspect: 427 × 320 / 640 = 213.5, shown rounded.
    EXPECT_EQ(std::wstring(height), std::to_wstring(small.height));
    EXPECT_NEAR(213.5, small.height, 0.5);
    Gdiplus::GdiplusShutdown(gdiplus);
}

// A picture opened through File > Open: its folder is the one the program writes down at exit.
TEST_F(EditorRunTest, FolderOfAnOpenedPictureIsWrittenAtExit)
{
    testsupport::TempFolder folder;
    const std::wstring picture = folder.At(L"Opened.jpg");
    ASSERT_TRUE(CopySample(picture));
    ChildProcess editor;
    ASSERT_TRUE(editor.Start(EditorPath(), L"-editor"));
    HWND frame = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        PictureTitles(editor.Id(), &frame);
        return frame != nullptr && IsWindowVisible(frame);
    }));
    PostMessageW(frame, WM_COMMAND, 32925, 0);   // File > Open
    HWND dialog = testsupport::WaitForFileDialog(editor.Id(), kTimeout);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(testsupport::ChooseFileInDialog(dialog, picture));
    ASSERT_TRUE(WaitFor([&] { return PictureTitles(editor.Id()) == std::vector<std::wstring>{L"Opened.jpg"}; }));

    // The editor gives way to the start page, which then ends the program.
    HWND page = WaitForFrameOf(editor);
    ASSERT_NE(nullptr, page);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    PostMessageW(page, 0x500, 0, 0);
    ASSERT_EQ(0, editor.WaitForExit(kTimeout));

    wchar_t written[MAX_PATH] = {};
    DWORD size = sizeof written;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools\\Tools", L"CurrentDirectory",
                                          RRF_RT_REG_SZ, nullptr, written, &size));
    EXPECT_EQ(folder.Root(), std::wstring(written));
}

namespace {

// The screen as a PNG into build/out/e2e, for a person to look at; nothing is measured on it.
std::wstring ShotFolder()
{
    std::wstring folder = BinDir();
    folder = folder.substr(0, folder.find_last_of(L'\\')) + L"\\out\\e2e";
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder;
}

void SaveScreen(const std::wstring& name)
{
    Sleep(700);   // the last command's repaint
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    {
        Gdiplus::Bitmap picture(bitmap, nullptr);
        UINT count = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::vector<BYTE> buffer(size);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        Gdiplus::GetImageEncoders(count, size, encoders);
        for (UINT i = 0; i < count; ++i)
            if (wcscmp(encoders[i].MimeType, L"image/png") == 0)
                picture.Save((ShotFolder() + L"\\" + name).c_str(), &encoders[i].Clsid, nullptr);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// Ctrl with the letter, typed on the keyboard into the window (brought to the front first).
void TypeControlKey(HWND window, WORD key)
{
    SetForegroundWindow(window);
    WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
    INPUT keys[4] = {};
    for (INPUT& k : keys)
        k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = key;
    keys[2].ki.wVk = key;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
}

// A picture as rows of BGRA bytes.
struct Pixels {
    int width = 0, height = 0;
    std::vector<BYTE> bgra;
    BYTE At(int x, int y, int channel) const { return bgra[(size_t(y) * width + x) * 4 + channel]; }
};

// One entry of a zip archive, read with the archive library; empty when it is missing.
std::string ZipEntry(const std::wstring& archivePath, const char* name)
{
    char path[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_ACP, 0, archivePath.c_str(), -1, path, sizeof path, nullptr, nullptr);
    unzFile archive = unzOpen(path);
    if (!archive)
        return std::string();
    std::string bytes;
    if (unzLocateFile(archive, name, 0) == UNZ_OK && unzOpenCurrentFile(archive) == UNZ_OK) {
        char chunk[65536];
        int read = 0;
        while ((read = unzReadCurrentFile(archive, chunk, sizeof chunk)) > 0)
            bytes.append(chunk, size_t(read));
        unzCloseCurrentFile(archive);
    }
    unzClose(archive);
    return bytes;
}

// The project's main.xml as text (it is written as UTF-16).
std::wstring ProjectXml(const std::wstring& project)
{
    const std::string bytes = ZipEntry(project, "main.xml");
    std::wstring text(bytes.size() / 2, L'\0');
    memcpy(&text[0], bytes.data(), text.size() * 2);
    if (!text.empty() && text[0] == 0xFEFF)
        text.erase(0, 1);
    return text;
}

// The values of the attribute, element by element, in the document's order.
std::vector<std::wstring> AttributeValues(const std::wstring& xml, const std::wstring& element, const std::wstring& attribute)
{
    std::vector<std::wstring> values;
    for (size_t at = xml.find(L"<" + element + L" "); at != std::wstring::npos; at = xml.find(L"<" + element + L" ", at + 1)) {
        const size_t end = xml.find(L'>', at);
        const size_t name = xml.find(L" " + attribute + L"=\"", at);
        if (name == std::wstring::npos || name > end)
            continue;
        const size_t first = name + attribute.size() + 3;
        values.push_back(xml.substr(first, xml.find(L'"', first) - first));
    }
    return values;
}

// A layer picture of the project, decoded from its WebP entry.
bool ProjectLayer(const std::wstring& project, const std::wstring& fileName, Pixels& pixels)
{
    const std::string bytes = ZipEntry(project, std::string(fileName.begin(), fileName.end()).c_str());
    if (bytes.empty())
        return false;
    uint8_t* decoded = WebPDecodeBGRA(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &pixels.width, &pixels.height);
    if (!decoded)
        return false;
    pixels.bgra.assign(decoded, decoded + size_t(pixels.width) * pixels.height * 4);
    WebPFree(decoded);
    return true;
}

bool ReadPixels(const std::wstring& path, Pixels& pixels)
{
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return false;
    pixels.width = int(bitmap.GetWidth());
    pixels.height = int(bitmap.GetHeight());
    pixels.bgra.resize(size_t(pixels.width) * pixels.height * 4);
    Gdiplus::Color color;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            bitmap.GetPixel(x, y, &color);
            BYTE* p = &pixels.bgra[(size_t(y) * pixels.width + x) * 4];
            p[0] = color.GetB();
            p[1] = color.GetG();
            p[2] = color.GetR();
            p[3] = color.GetA();
        }
    return true;
}

// The relief of the picture: per channel the lower-left neighbour taken from the upper-right
// one, on mid-grey.
Pixels Embossed(const Pixels& in)
{
    Pixels out = in;
    for (int y = 1; y + 1 < in.height; ++y)
        for (int x = 1; x + 1 < in.width; ++x)
            for (int c = 0; c < 3; ++c) {
                const int v = in.At(x + 1, y - 1, c) - in.At(x - 1, y + 1, c) + 127;
                out.bgra[(size_t(y) * in.width + x) * 4 + c] = BYTE(std::min(255, std::max(0, v)));
            }
    return out;
}

// The mean difference of the colour channels inside a one-pixel border; 255 for sizes that differ.
double MeanDifference(const Pixels& a, const Pixels& b, bool mirrorB = false)
{
    if (a.width != b.width || a.height != b.height)
        return 255.0;
    double sum = 0;
    size_t count = 0;
    for (int y = 1; y + 1 < a.height; ++y)
        for (int x = 1; x + 1 < a.width; ++x)
            for (int c = 0; c < 3; ++c) {
                sum += std::abs(int(a.At(x, y, c)) - int(b.At(mirrorB ? a.width - 1 - x : x, y, c)));
                ++count;
            }
    return count ? sum / count : 255.0;
}

// The mean distance of the colour channels from mid-grey.
double DistanceFromGrey(const Pixels& p)
{
    double sum = 0;
    for (size_t i = 0; i < p.bgra.size(); ++i)
        if (i % 4 != 3)
            sum += std::abs(int(p.bgra[i]) - 127);
    return p.bgra.empty() ? 255.0 : sum / (p.bgra.size() / 4 * 3);
}

// Runs the frame's Save As, picks the type whose label starts with the text, and types the path
// without an extension: the type chosen in the dialog gives it.
bool SaveActiveAsType(const ChildProcess& editor, HWND frame, const wchar_t* typeLabel, const std::wstring& path,
                      const std::wstring& written)
{
    PostMessageW(frame, WM_COMMAND, 32923, 0);
    HWND dialog = testsupport::WaitForFileDialog(editor.Id(), kTimeout);
    const int kTypeCombo = 0x470;
    HWND types = dialog ? GetDlgItem(dialog, kTypeCombo) : nullptr;
    if (!types)
        return false;
    const LRESULT index = SendMessageW(types, CB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(typeLabel));
    if (index == CB_ERR) {
        ADD_FAILURE() << "no type " << testing::PrintToString(std::wstring(typeLabel));
        return false;
    }
    SendMessageW(types, CB_SETCURSEL, WPARAM(index), 0);
    // The dialog takes the type on the end of a selection, as a click in the list gives it.
    for (WORD note : {WORD(CBN_SELCHANGE), WORD(CBN_SELENDOK)})
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kTypeCombo, note), reinterpret_cast<LPARAM>(types));
    if (!testsupport::ChooseFileInDialog(dialog, path))
        return false;
    if (WaitFor([&] { return GetFileAttributesW(written.c_str()) != INVALID_FILE_ATTRIBUTES && !IsWindow(dialog); }))
        return true;
    ADD_FAILURE() << "chose type " << index << ", dialog open: " << IsWindow(dialog);
    return false;
}

const UINT kEmboss = 33084, kEdge = 33083, kDuplicateLayer = 33047, kFlipHorizontal = 31014;

// The single picture window's title once the process's editor frame has one, or empty.
std::wstring OnlyTitle(const ChildProcess& editor, HWND* frame)
{
    const std::vector<std::wstring> titles = PictureTitles(editor.Id(), frame);
    return titles.size() == 1 ? titles[0] : std::wstring();
}

} // namespace

// The editor as a user drives it from the command line to a saved project and back: a relief,
// a copied layer, a flip taken back with Ctrl+Z, Save As a project, closing, reopening, and the
// question about unsaved changes. Pictures of each step go to build/out/e2e.
TEST_F(EditorRunTest, EndToEndEmbossCopyUndoSaveAndReopen)
{
    ULONG_PTR gdiplus = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr));
    testsupport::TempFolder folder;
    const std::wstring picture = folder.At(L"Lake side.jpg"), project = folder.At(L"out.kqd");
    ASSERT_TRUE(CopySample(picture));
    Pixels original;
    ASSERT_TRUE(ReadPixels(picture, original));

    WNDCLASSW cls = {};
    cls.lpfnWndProc = CountAtExit;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = kFrameClass;
    RegisterClassW(&cls);
    HWND listener = CreateWindowW(kFrameClass, L"listener", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(listener, nullptr);
    g_atExitNotes = 0;

    // 1. Emboss, Layer > Duplicate, Flip horizontal, Ctrl+Z, Save As the project.
    {
        ChildProcess editor;
        ASSERT_TRUE(editor.Start(EditorPath(), L"-editor \"" + picture + L"\""));
        HWND frame = nullptr;
        ASSERT_TRUE(WaitFor([&] { return OnlyTitle(editor, &frame) == L"Lake side.jpg"; }));
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(frame) != FALSE; }));
        SaveScreen(L"1-opened.png");
        for (UINT command : {kEmboss, kDuplicateLayer, kFlipHorizontal})
            SendMessageW(frame, WM_COMMAND, command, 0);
        SaveScreen(L"1-flipped.png");
        TypeControlKey(frame, 'Z');
        SaveScreen(L"1-undone.png");
        ASSERT_TRUE(SaveActiveAsType(editor, frame, L"LumivoTools", folder.At(L"out"), project))
            << testing::PrintToString(folder.List());
        SaveScreen(L"1-saved.png");

        // 2. Closing ends the program and tells the other frames once.
        PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, editor.WaitForExit(kTimeout));
        PumpUntilDone([] { return g_atExitNotes > 0; }, 3000);
        Sleep(200);
        PumpUntilDone([] { return false; }, 200);
        EXPECT_EQ(1, g_atExitNotes);
    }

    // 3. Two layers: the relief and its copy, unflipped.
    const std::wstring xml = ProjectXml(project);
    EXPECT_EQ(0u, xml.find(L"<?xml")) << "main.xml";
    EXPECT_NE(std::wstring::npos, xml.find(L"<KQEditor"));
    const std::vector<std::wstring> files = AttributeValues(xml, L"Layer", L"FileName");
    ASSERT_EQ(2u, files.size());
    Pixels background, copy;
    ASSERT_TRUE(ProjectLayer(project, files[0], background));
    ASSERT_TRUE(ProjectLayer(project, files[1], copy));
    EXPECT_EQ(original.width, background.width);
    EXPECT_EQ(original.height, background.height);
    EXPECT_LT(MeanDifference(background, Embossed(original)), 4.0) << "a relief of the picture";
    EXPECT_LT(DistanceFromGrey(background), 20.0);
    EXPECT_GT(DistanceFromGrey(original), 30.0);
    EXPECT_EQ(0.0, MeanDifference(copy, background)) << "the copy equals the background";
    // A relief is faint: its mirror is off by under two levels on the mean, but never by none.
    EXPECT_GT(MeanDifference(copy, background, true), 1.0) << "and is no mirror of it";
    const std::string saved = testsupport::TempFolder::Get(project);

    // 4. The project reopens in one window; Save As again gives the same layers; Edge and close,
    // answered Cancel, then No.
    {
        ChildProcess editor;
        ASSERT_TRUE(editor.Start(EditorPath(), L"-editor \"" + project + L"\""));
        HWND frame = nullptr;
        // The window is named after its file once the project is in (the same name a dropped
        // project gets).
        EXPECT_TRUE(WaitFor([&] { return OnlyTitle(editor, &frame) == L"out.kqd"; }));
        ASSERT_EQ(L"out.kqd", OnlyTitle(editor, &frame));
        SaveScreen(L"4-reopened.png");
        const std::wstring again = folder.At(L"again.kqd");
        ASSERT_TRUE(SaveActiveAs(editor, frame, again));
        const std::vector<std::wstring> againFiles = AttributeValues(ProjectXml(again), L"Layer", L"FileName");
        ASSERT_EQ(2u, againFiles.size());
        Pixels background2, copy2;
        ASSERT_TRUE(ProjectLayer(again, againFiles[0], background2));
        ASSERT_TRUE(ProjectLayer(again, againFiles[1], copy2));
        EXPECT_EQ(0.0, MeanDifference(background2, background));
        EXPECT_EQ(0.0, MeanDifference(copy2, copy));

        SendMessageW(frame, WM_COMMAND, kEdge, 0);
        SaveScreen(L"4-edge.png");
        PostMessageW(frame, WM_CLOSE, 0, 0);
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindDialogOf(editor.Id())) != nullptr; }));
        SaveScreen(L"4-question.png");
        ASSERT_TRUE(Answer(editor, IDCANCEL));
        Sleep(300);
        EXPECT_TRUE(IsWindow(frame) && IsWindowVisible(frame)) << "Cancel keeps the editor";
        PostMessageW(frame, WM_CLOSE, 0, 0);
        ASSERT_TRUE(Answer(editor, IDNO));
        EXPECT_EQ(0, editor.WaitForExit(kTimeout));
    }
    EXPECT_EQ(saved, testsupport::TempFolder::Get(project)) << "out.kqd is unchanged";
    CopyFileW(project.c_str(), (ShotFolder() + L"\\out.kqd").c_str(), FALSE);
    DestroyWindow(listener);
    UnregisterClassW(kFrameClass, cls.hInstance);
    Gdiplus::GdiplusShutdown(gdiplus);
}

// Filters > Other > Emboss, then Save As PNG: the grey relief of the picture, kept in
// build/out/e2e for a look.
TEST_F(EditorRunTest, EmbossedPictureSavesAsAGreyRelief)
{
    ULONG_PTR gdiplus = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr));
    testsupport::TempFolder folder;
    const std::wstring picture = folder.At(L"Lakeside.jpg"), relief = folder.At(L"relief.png");
    ASSERT_TRUE(CopySample(picture));
    {
        ChildProcess editor;
        ASSERT_TRUE(editor.Start(EditorPath(), L"-editor \"" + picture + L"\""));
        HWND frame = nullptr;
        ASSERT_TRUE(WaitFor([&] { return OnlyTitle(editor, &frame) == L"Lakeside.jpg"; }));
        SendMessageW(frame, WM_COMMAND, kEmboss, 0);
        ASSERT_TRUE(SaveActiveAs(editor, frame, relief));
        SaveScreen(L"emboss.png");
        PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, editor.WaitForExit(kTimeout));
    }
    {
        Pixels original, saved;
        ASSERT_TRUE(ReadPixels(picture, original));
        ASSERT_TRUE(ReadPixels(relief, saved));
        EXPECT_LT(MeanDifference(saved, Embossed(original)), 4.0);
        EXPECT_LT(DistanceFromGrey(saved), 20.0);
    }
    CopyFileW(relief.c_str(), (ShotFolder() + L"\\relief.png").c_str(), FALSE);
    Gdiplus::GdiplusShutdown(gdiplus);
}

// The zoom at 100 % then two clicks of zoom in: the status bar's pane and slider follow (" 132%",
// slider at 26 of 320). The screen goes to build/out/editor-zoom.png for a person to look at.
TEST_F(EditorRunTest, ZoomInStepsShowInTheStatusBar)
{
    testsupport::TempFolder folder;
    const std::wstring picture = folder.At(L"Lakeside.jpg");
    ASSERT_TRUE(CopySample(picture));
    ChildProcess editor;
    ASSERT_TRUE(editor.Start(EditorPath(), L"-editor \"" + picture + L"\""));
    HWND frame = nullptr;
    ASSERT_TRUE(WaitFor([&] { return OnlyTitle(editor, &frame) == L"Lakeside.jpg"; }));
    const UINT kZoom100 = 33195, kZoomIn = 31011;
    for (UINT command : {kZoom100, kZoomIn, kZoomIn})
        SendMessageW(frame, WM_COMMAND, command, 0);
    ULONG_PTR gdiplus = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr));
    SaveScreen(L"editor-zoom.png");
    Gdiplus::GdiplusShutdown(gdiplus);
    const std::wstring shot = ShotFolder() + L"\\editor-zoom.png";
    const std::wstring out = shot.substr(0, shot.find(L"\\e2e\\")) + L"\\editor-zoom.png";
    EXPECT_TRUE(MoveFileExW(shot.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING));
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, editor.WaitForExit(kTimeout));
}
