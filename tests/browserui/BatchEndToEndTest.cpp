// The real program and the real KQBatch on a folder of pictures: Select All, then grey, then a
// watermark, each confirmed with Yes as the user would; the pictures are checked after each run.
// Browsing: into a sub-folder and back with Alt+Left, the viewer on a picture, and the folder
// the program leaves in stored for the next start.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <string>
#include <vector>
#include "CxImage.h"
#include "EditorAppTestSupport.h"
#include "LumivoShowsIds.h"
#include "TestSupport.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::ChildProcess;
using testsupport::TempFolder;

const wchar_t kShowsSystemKey[] = L"Software\\Lumivo\\LumivoShows\\System";
const wchar_t kBatchKey[] = L"Software\\Lumivo\\LumivoShows\\Batch";
const UINT kBatchGray = 33055;
const UINT kBatchWatermark = 33059;
const int kPictures = 24;
const int kListId = 0xE900; // the main frame's view
const long kWidth = 320, kHeight = 240;

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

std::wstring ShotsFolder()
{
    std::wstring shots = testsupport::BinDir();
    shots = shots.substr(0, shots.find_last_of(L'\\')) + L"\\out\\e2e"; // build\out\e2e
    ::SHCreateDirectoryExW(nullptr, shots.c_str(), nullptr);
    return shots;
}

// A colourful gradient, different for each picture.
bool WriteFixture(const std::wstring& path, int index)
{
    CxImage picture;
    if (!picture.Create(kWidth, kHeight, 24, CXIMAGE_FORMAT_PNG))
        return false;
    for (long y = 0; y < kHeight; ++y)
        for (long x = 0; x < kWidth; ++x) {
            RGBQUAD c = {};
            c.rgbRed = BYTE((x * 255 / kWidth + index * 10) & 0xFF);
            c.rgbGreen = BYTE(y * 255 / kHeight);
            c.rgbBlue = BYTE(255 - (index * 9 & 0xFF));
            picture.SetPixelColor(x, y, c);
        }
    return picture.Save(path.c_str(), CXIMAGE_FORMAT_PNG);
}

bool IsGrey(const CxImage& picture, long x0, long y0, long x1, long y1)
{
    for (long y = y0; y < y1; ++y)
        for (long x = x0; x < x1; ++x) {
            const RGBQUAD c = picture.GetPixelColor(x, y, false);
            if (abs(c.rgbRed - c.rgbGreen) > 2 || abs(c.rgbGreen - c.rgbBlue) > 2)
                return false;
        }
    return true;
}

// Pixels of the area that differ between the two pictures.
int Changed(const CxImage& a, const CxImage& b, long x0, long y0, long x1, long y1)
{
    int changed = 0;
    for (long y = y0; y < y1; ++y)
        for (long x = x0; x < x1; ++x) {
            const RGBQUAD p = a.GetPixelColor(x, y, false), q = b.GetPixelColor(x, y, false);
            changed += abs(p.rgbRed - q.rgbRed) + abs(p.rgbGreen - q.rgbGreen) + abs(p.rgbBlue - q.rgbBlue) > 6 ? 1 : 0;
        }
    return changed;
}

struct WindowSearch {
    DWORD process;
    int button;         // a window with this control, or
    const wchar_t* title; // a window with this title
    HWND found;
};

BOOL CALLBACK FindChildWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->process || !::IsWindowVisible(hwnd))
        return TRUE;
    wchar_t title[128] = {};
    ::GetWindowTextW(hwnd, title, 128);
    if ((search->button && ::GetDlgItem(hwnd, search->button)) || (search->title && wcscmp(title, search->title) == 0)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForChildWindow(DWORD process, int button, const wchar_t* title, DWORD milliseconds)
{
    WindowSearch search = {process, button, title, nullptr};
    for (DWORD waited = 0; waited < milliseconds && !search.found; waited += 100) {
        ::EnumWindows(FindChildWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            ::Sleep(100);
    }
    return search.found;
}

// Presses Yes in the confirmation that the program shows.
bool AnswerYes(DWORD process)
{
    const HWND box = WaitForChildWindow(process, IDYES, nullptr, 15000);
    if (!box)
        return false;
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDYES)));
    return true;
}

std::vector<CxImage> LoadAll(const TempFolder& temp)
{
    std::vector<CxImage> pictures(kPictures);
    for (int i = 0; i < kPictures; ++i)
        pictures[i].Load(temp.At(L"p" + std::to_wstring(i) + L".png").c_str(), CXIMAGE_FORMAT_PNG);
    return pictures;
}

int GreyCount(const TempFolder& temp)
{
    int grey = 0;
    for (const CxImage& picture : LoadAll(temp))
        grey += picture.IsValid() && long(picture.GetWidth()) == kWidth && IsGrey(picture, 0, 0, kWidth, kHeight) ? 1 : 0;
    return grey;
}

void SetBatchValue(RegValueGuard& guard, DWORD value)
{
    guard.Set(REG_DWORD, &value, sizeof value);
}

TEST(ShowsBatch, SelectAllGreyThenWatermarkThroughKQBatch)
{
    RegValueGuard askValue(HKEY_CURRENT_USER, kShowsSystemKey, L"iCheckDefaultOnStartup");
    SetBatchValue(askValue, 0);
    TempFolder temp;
    for (int i = 0; i < kPictures; ++i)
        ASSERT_TRUE(WriteFixture(temp.At(L"p" + std::to_wstring(i) + L".png"), i));
    // The badge lives outside the listed folder; the dialog finds it in the stored settings.
    TempFolder marks;
    const std::wstring badge = marks.At(L"Badge.png");
    ASSERT_TRUE(::CopyFileW((testsupport::BinDir() + L"\\Data\\Sample\\Badge.png").c_str(), badge.c_str(), FALSE));
    RegValueGuard image(HKEY_CURRENT_USER, kBatchKey, L"WatermarkImage");
    RegValueGuard position(HKEY_CURRENT_USER, kBatchKey, L"WatermarkPos");
    RegValueGuard alpha(HKEY_CURRENT_USER, kBatchKey, L"WatermarkAlpha");
    RegValueGuard zoom(HKEY_CURRENT_USER, kBatchKey, L"WatermarkZoomScale");
    RegValueGuard useZoom(HKEY_CURRENT_USER, kBatchKey, L"WatermarkUseZoomScale");
    RegValueGuard dx(HKEY_CURRENT_USER, kBatchKey, L"WatermarkDX");
    RegValueGuard dy(HKEY_CURRENT_USER, kBatchKey, L"WatermarkDY");
    image.Set(REG_SZ, badge.c_str(), DWORD((badge.size() + 1) * sizeof(wchar_t)));
    SetBatchValue(position, 0); // bottom right
    SetBatchValue(alpha, 50);
    SetBatchValue(zoom, 25);
    SetBatchValue(useZoom, 1);
    dx.Set(REG_SZ, L"0.00", 5 * sizeof(wchar_t));
    dy.Set(REG_SZ, L"0.00", 5 * sizeof(wchar_t));
    const std::wstring shots = ShotsFolder();

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    ::Sleep(3000); // the folder is listed

    // Grey: Select All, Batch > Gray, Yes.
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_SELECT_ALL, 0);
    ::PostMessageW(frame, WM_COMMAND, kBatchGray, 0);
    ASSERT_TRUE(AnswerYes(shows.Id()));
    ::Sleep(1500);
    SaveScreen(shots + L"\\batch-progress.png");
    int grey = 0;
    for (int i = 0; i < 600 && grey < kPictures; ++i, ::Sleep(200))
        grey = GreyCount(temp);
    ASSERT_EQ(grey, kPictures);
    ::Sleep(2000); // the end of the run and the list's reload
    SaveScreen(shots + L"\\batch-finished.png");
    const std::vector<CxImage> greyPictures = LoadAll(temp);

    // Watermark from the stored settings: the dialog opens ready, OK, Yes. One picture is
    // read-only: the run cannot write it, and its end shows the report of the failures.
    const int readOnly = 5;
    const std::wstring readOnlyPath = temp.At(L"p" + std::to_wstring(readOnly) + L".png");
    ASSERT_TRUE(::SetFileAttributesW(readOnlyPath.c_str(), FILE_ATTRIBUTE_READONLY));
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_SELECT_ALL, 0);
    ::PostMessageW(frame, WM_COMMAND, kBatchWatermark, 0);
    const HWND dialog = WaitForChildWindow(shows.Id(), 0, L"Watermark", 15000);
    ASSERT_NE(dialog, nullptr);
    ::Sleep(1000);
    SaveScreen(shots + L"\\batch-watermark.png");
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK)));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(AnswerYes(shows.Id()));
    ::Sleep(4000);
    SaveScreen(shots + L"\\batch-watermark-run.png");

    const HWND report = WaitForChildWindow(shows.Id(), 0, L"Batch Report", 120000);
    EXPECT_NE(report, nullptr);
    ::Sleep(700);
    SaveScreen(shots + L"\\batch-report.png");
    if (report)
        ::PostMessageW(report, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(report, IDOK)));
    ::SetFileAttributesW(readOnlyPath.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Each other picture carries the mark in its bottom right corner and nowhere else; the rows
    // of a picture count from its bottom.
    const long cornerX = kWidth * 3 / 4, cornerY = kHeight / 4;
    int marked = 0;
    for (int i = 0; i < 600 && marked < kPictures - 1; ++i, ::Sleep(200)) {
        marked = 0;
        const std::vector<CxImage> now = LoadAll(temp);
        for (int p = 0; p < kPictures; ++p)
            marked += p != readOnly && now[p].IsValid() && long(now[p].GetWidth()) == kWidth &&
                              Changed(greyPictures[p], now[p], cornerX, 0, kWidth, cornerY) > 100
                          ? 1
                          : 0;
    }
    EXPECT_EQ(marked, kPictures - 1);
    const std::vector<CxImage> now = LoadAll(temp);
    EXPECT_EQ(Changed(greyPictures[readOnly], now[readOnly], 0, 0, kWidth, kHeight), 0);
    for (int p = 0; p < kPictures; ++p)
        EXPECT_EQ(Changed(greyPictures[p], now[p], 0, kHeight / 2, kWidth / 2, kHeight), 0) << p;
    ::Sleep(2000);
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(shows.WaitForExit(20000), 0);
}

std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

// A double-click at a point of the list, as the mouse gives it.
void DoubleClick(HWND list, int x, int y)
{
    const LPARAM at = MAKELPARAM(x, y);
    ::PostMessageW(list, WM_MOUSEMOVE, 0, at);
    ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(list, WM_LBUTTONUP, 0, at);
    ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageW(list, WM_LBUTTONUP, 0, at);
}

std::wstring StoredViewPath()
{
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof path;
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoShows", L"LastViewPath", RRF_RT_REG_SZ, nullptr, path,
                       &size) != ERROR_SUCCESS)
        return std::wstring();
    return path;
}

TEST(ShowsBrowse, IntoASubFolderAndBackThenTheViewerAndTheFolderStoredAtExit)
{
    RegValueGuard askValue(HKEY_CURRENT_USER, kShowsSystemKey, L"iCheckDefaultOnStartup");
    SetBatchValue(askValue, 0);
    RegValueGuard lastView(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoShows", L"LastViewPath");
    TempFolder temp;
    // One sub-folder (listed first), then the pictures.
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"aaa").c_str(), nullptr));
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(WriteFixture(temp.At(L"aaa\\s" + std::to_wstring(i) + L".png"), 20 + i));
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(WriteFixture(temp.At(L"p" + std::to_wstring(i) + L".png"), i));
    const std::wstring shots = ShotsFolder();

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    const HWND list = ::GetDlgItem(frame, kListId);
    ASSERT_NE(list, nullptr);
    ::Sleep(3000); // the folder is listed
    SaveScreen(shots + L"\\browse-folder.png");

    // The first cell is the sub-folder: a double-click opens it.
    DoubleClick(list, 60, 60);
    ::Sleep(2500);
    SaveScreen(shots + L"\\browse-sub-folder.png");
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(shows.WaitForExit(20000), 0);
    EXPECT_EQ(StoredViewPath(), temp.At(L"aaa")) << "the sub-folder was open at exit";

    // Again: into the sub-folder, Alt+Left back; then a picture in the viewer, Right, Esc.
    ChildProcess again;
    ASSERT_TRUE(again.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame2 = again.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame2, nullptr);
    const HWND list2 = ::GetDlgItem(frame2, kListId);
    ::Sleep(3000);
    DoubleClick(list2, 60, 60);
    ::Sleep(2500);
    ::PostMessageW(list2, WM_SYSKEYDOWN, VK_LEFT, (1 << 29) | 1);
    ::Sleep(2500);
    SaveScreen(shots + L"\\browse-back.png");

    // The second cell, right of the sub-folder's, is the first picture.
    DoubleClick(list2, 220, 60);
    const HWND viewer = again.WaitForWindow(L"LumivoViewerFrame", 8000);
    SaveScreen(shots + L"\\browse-viewer.png");
    EXPECT_NE(viewer, nullptr);
    if (viewer) {
        const std::wstring before = WindowText(viewer);
        // The key goes where the program has its focus: the picture window.
        GUITHREADINFO focus = {sizeof focus};
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(viewer, nullptr), &focus);
        ::PostMessageW(focus.hwndFocus ? focus.hwndFocus : viewer, WM_KEYDOWN, VK_RIGHT, 1);
        ::Sleep(1500);
        SaveScreen(shots + L"\\browse-viewer-next.png");
        EXPECT_NE(WindowText(viewer), before) << "Right shows the next picture";
        ::PostMessageW(viewer, WM_CLOSE, 0, 0);
        ::Sleep(1500);
    }
    EXPECT_TRUE(::IsWindowVisible(frame2)) << "the main frame is back";
    ::PostMessageW(frame2, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(20000), 0);
    EXPECT_EQ(StoredViewPath(), temp.Root()) << "Alt+Left went back to the folder";
}

} // namespace
