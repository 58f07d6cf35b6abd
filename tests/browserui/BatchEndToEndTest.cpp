// The real program and the real KQBatch on a folder of pictures: Select All, then grey, then a
// watermark, each confirmed with Yes as the user would; the pictures are checked after each run.
// Browsing: into a sub-folder and back with Alt+Left, the viewer on a picture, and the folder
// the program leaves in stored for the next start.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <algorithm>
#include <memory>
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
const UINT kBatchWatermark = 33059;
const UINT kBatchConvert = 33054;
const UINT kBatchRename = 32945;
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
bool WriteFixture(const std::wstring& path, int index, long width = kWidth, long height = kHeight)
{
    CxImage picture;
    if (!picture.Create(width, height, 24, CXIMAGE_FORMAT_PNG))
        return false;
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x) {
            RGBQUAD c = {};
            c.rgbRed = BYTE((x * 255 / width + index * 10) & 0xFF);
            c.rgbGreen = BYTE(y * 255 / height);
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

struct TextSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK FindTextInWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<TextSearch*>(lParam);
    wchar_t text[128] = {};
    ::GetWindowTextW(hwnd, text, 128);
    if (wcscmp(text, search->text) != 0 || !::IsWindowVisible(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// A shown window among the window's descendants that reads the text.
HWND FindShownText(HWND window, const wchar_t* text)
{
    TextSearch search = {text, nullptr};
    ::EnumChildWindows(window, FindTextInWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

// Presses the button (Yes unless told) in the confirmation that the program shows.
bool AnswerYes(DWORD process, int button = IDYES)
{
    const HWND box = WaitForChildWindow(process, button, nullptr, 15000);
    if (!box)
        return false;
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
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

// A click of the left button at a point of the frame, to the window there.
void ClickAt(HWND frame, int x, int y)
{
    RECT place = {};
    ::GetWindowRect(frame, &place);
    POINT at = {place.left + x, place.top + y};
    const HWND window = ::WindowFromPoint(at);
    ::ScreenToClient(window, &at);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, where);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageW(window, WM_LBUTTONUP, 0, where);
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

    // Grey: Select All, the side pane's Batch tab, the Gray tile, Yes.
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_SELECT_ALL, 0);
    ClickAt(frame, 63, 775); // the Batch tab at the foot of the side pane
    ::Sleep(1000);
    SaveScreen(shots + L"\\batch-tiles.png");
    ClickAt(frame, 77, 503); // the Gray tile, bottom left
    ASSERT_TRUE(AnswerYes(shows.Id()));
    ::Sleep(1500);
    SaveScreen(shots + L"\\batch-progress.png");
    // The files are read once the run has ended: a reader during the run could keep the
    // batch from writing a picture.
    const HWND finished = WaitForChildWindow(shows.Id(), 0, L"Batch task finished", 120000);
    SaveScreen(shots + L"\\batch-finished.png");
    EXPECT_NE(finished, nullptr);
    ASSERT_EQ(GreyCount(temp), kPictures);
    ::Sleep(2000); // the list's reload
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

const wchar_t kShowsBrowseKey[] = L"Software\\Lumivo\\LumivoShows\\Browse";

// The window of the program that holds the keyboard focus, else the window itself.
HWND FocusOf(HWND window)
{
    GUITHREADINFO focus = {sizeof focus};
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &focus);
    return focus.hwndFocus ? focus.hwndFocus : window;
}

// A key as the keyboard gives it to the window in front: the viewer reads Ctrl from the
// keyboard state, which a posted message does not carry.
void PressKey(HWND window, BYTE key, bool ctrl)
{
    ::SetForegroundWindow(window);
    ::Sleep(300);
    if (ctrl)
        ::keybd_event(VK_CONTROL, 0, 0, 0);
    ::keybd_event(key, 0, 0, 0);
    ::keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (ctrl)
        ::keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

DWORD StoredDword(const wchar_t* key, const wchar_t* name)
{
    DWORD value = 0, size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return DWORD(-1);
    return value;
}

bool PictureSize(const std::wstring& path, DWORD type, long& width, long& height)
{
    CxImage picture;
    if (!picture.Load(path.c_str(), type) || !picture.IsValid())
        return false;
    width = long(picture.GetWidth());
    height = long(picture.GetHeight());
    return true;
}

// The names of the files of a folder that end in the extension, sorted.
std::vector<std::wstring> FilesOf(const std::wstring& folder, const wchar_t* extension)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*" + extension).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ShowsViewer, SlideShowToTheLastOneThenATurnSavedOnDisk)
{
    RegValueGuard askValue(HKEY_CURRENT_USER, kShowsSystemKey, L"iCheckDefaultOnStartup");
    SetBatchValue(askValue, 0);
    RegValueGuard interval(HKEY_CURRENT_USER, kShowsBrowseKey, L"iPlaySpeedTime");
    SetBatchValue(interval, 1); // a slide a second
    // As at a first start: no tune named and none in the user's data folder.
    RegValueGuard firstTune(HKEY_CURRENT_USER, kShowsBrowseKey, L"BGMusic0");
    firstTune.Set(REG_SZ, nullptr, 0);
    wchar_t appData[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
    const std::wstring tune = std::wstring(appData) + L"\\Lumivo\\Music\\Lilac.wma";
    ::DeleteFileW(tune.c_str());
    TempFolder temp;
    const int count = 4;
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(WriteFixture(temp.At(L"v" + std::to_wstring(i) + L".png"), i));
    const std::wstring last = temp.At(L"v" + std::to_wstring(count - 1) + L".png");
    const std::wstring shots = ShotsFolder();

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    const HWND list = ::GetDlgItem(frame, kListId);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(::GetFileAttributesW(tune.c_str()), INVALID_FILE_ATTRIBUTES) << "the shipped data is where the program reads it";
    wchar_t named[MAX_PATH] = {};
    DWORD namedSize = sizeof named;
    ::RegGetValueW(HKEY_CURRENT_USER, kShowsBrowseKey, L"BGMusic0", RRF_RT_REG_SZ, nullptr, named, &namedSize);
    EXPECT_EQ(std::wstring(named), tune) << "the slide show's tune is in the music list";
    ::Sleep(3000);
    DoubleClick(list, 60, 60); // the first picture
    const HWND viewer = shows.WaitForWindow(L"LumivoViewerFrame", 8000);
    ASSERT_NE(viewer, nullptr);
    ::Sleep(1000);
    SaveScreen(shots + L"\\viewer-open.png");
    const std::wstring first = WindowText(viewer);

    // Space starts the show; it moves on by itself and stops at the last picture with its note.
    ::PostMessageW(FocusOf(viewer), WM_KEYDOWN, VK_SPACE, 1);
    ::Sleep(1600);
    SaveScreen(shots + L"\\viewer-slide-show.png");
    EXPECT_NE(WindowText(viewer), first) << "the slide show moves on by itself";
    const HWND note = WaitForChildWindow(shows.Id(), 0, L"This is the last one", 15000);
    SaveScreen(shots + L"\\viewer-slide-show-end.png");
    EXPECT_NE(note, nullptr);
    EXPECT_NE(WindowText(viewer).find(L"v3.png"), std::wstring::npos) << WindowText(viewer);

    // Ctrl+Right turns the shown picture, Ctrl+S writes it after the question.
    long width = 0, height = 0;
    ASSERT_TRUE(PictureSize(last, CXIMAGE_FORMAT_PNG, width, height));
    ASSERT_EQ(width, kWidth);
    PressKey(viewer, VK_RIGHT, true);
    ::Sleep(1000);
    SaveScreen(shots + L"\\viewer-turned.png");
    PressKey(viewer, 'S', true);
    EXPECT_TRUE(AnswerYes(shows.Id(), IDOK));
    for (int i = 0; i < 100 && !(PictureSize(last, CXIMAGE_FORMAT_PNG, width, height) && width == kHeight); ++i)
        ::Sleep(100);
    EXPECT_EQ(width, kHeight) << "the file on disk is turned";
    EXPECT_EQ(height, kWidth);
    ::Sleep(500);
    SaveScreen(shots + L"\\viewer-saved.png");

    // Enter: full screen, the bar along the bottom; the first Esc leaves full screen only.
    PressKey(viewer, VK_RETURN, false);
    ::Sleep(1500);
    SaveScreen(shots + L"\\viewer-full-screen.png");
    RECT whole = {};
    ::GetWindowRect(viewer, &whole);
    EXPECT_TRUE(whole.left <= 0 && whole.top <= 0 && whole.right >= ::GetSystemMetrics(SM_CXSCREEN) &&
                whole.bottom >= ::GetSystemMetrics(SM_CYSCREEN))
        << "full screen: " << whole.left << "," << whole.top << " " << whole.right << "x" << whole.bottom;
    PressKey(viewer, VK_ESCAPE, false);
    ::Sleep(1000);
    EXPECT_TRUE(::IsWindowVisible(viewer)) << "the first Esc leaves full screen, not the viewer";
    ::GetWindowRect(viewer, &whole);
    EXPECT_LT(whole.bottom - whole.top, ::GetSystemMetrics(SM_CYSCREEN));

    // Esc leaves the viewer for the main frame.
    PressKey(viewer, VK_ESCAPE, false);
    ::Sleep(1500);
    SaveScreen(shots + L"\\viewer-closed.png");
    EXPECT_FALSE(::IsWindowVisible(viewer));
    EXPECT_TRUE(::IsWindowVisible(frame)) << "the main frame is back";

    // The options sheet opens on the browse page: the shipped tune in the music list, the volume at half.
    ::PostMessageW(frame, WM_COMMAND, ID_APP_OPTION, 0);
    const HWND options = WaitForChildWindow(shows.Id(), 0, L"Option", 10000);
    ASSERT_NE(options, nullptr);
    ::Sleep(1000);
    SaveScreen(shots + L"\\options.png");
    EXPECT_NE(FindShownText(options, L"50%"), nullptr) << "the volume reads 50%";
    ::PostMessageW(options, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(options, IDCANCEL)));
    ::Sleep(500);

    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(shows.WaitForExit(20000), 0);
    EXPECT_EQ(StoredDword(kShowsBrowseKey, L"iPlaySpeedTime"), 1u) << "the program keeps the stored interval";
}

TEST(ShowsBatch, ConvertToWebpWithinALimitThenRenameByNameAndNumber)
{
    const wchar_t convertKey[] = L"Software\\Lumivo\\LumivoShows\\BatchConvert";
    const wchar_t renameKey[] = L"Software\\Lumivo\\LumivoShows\\BatchRename";
    RegValueGuard askValue(HKEY_CURRENT_USER, kShowsSystemKey, L"iCheckDefaultOnStartup");
    SetBatchValue(askValue, 0);
    const struct {
        const wchar_t* key;
        const wchar_t* name;
        DWORD value;
    } settings[] = {
        {convertKey, L"FileType", 1}, // WebP
        {convertKey, L"MaxWidth", 320},
        {convertKey, L"MaxHeight", 320},
        {convertKey, L"MaxLimit", 1},
        {convertKey, L"OutputType", 0}, // into a folder
        {convertKey, L"Quality", 80},
        {renameKey, L"FilnameIndex", 7}, // file name, number
        {renameKey, L"DelimiterIndex", 2}, // "_"
        {renameKey, L"NumberIndex", 1},
        {renameKey, L"NumberFormat", 0},
    };
    std::vector<std::unique_ptr<RegValueGuard>> guards;
    for (const auto& s : settings) {
        guards.push_back(std::make_unique<RegValueGuard>(HKEY_CURRENT_USER, s.key, s.name));
        SetBatchValue(*guards.back(), s.value);
    }
    TempFolder temp;
    const int count = 5;
    const long width = 480, height = 360;
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(WriteFixture(temp.At(L"c" + std::to_wstring(i) + L".png"), i, width, height));
    const std::wstring readOnly = temp.At(L"c4.png");
    const std::wstring shots = ShotsFolder();

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    ::Sleep(3000);

    // Resize & Convert: the dialog opens on the stored settings; one WebP per picture in the
    // output folder, each within the limit.
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_SELECT_ALL, 0);
    ::PostMessageW(frame, WM_COMMAND, kBatchConvert, 0);
    const HWND dialog = WaitForChildWindow(shows.Id(), 0, L"Convert", 15000);
    ASSERT_NE(dialog, nullptr);
    ::Sleep(800);
    SaveScreen(shots + L"\\batch-convert.png");
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    const std::wstring output = temp.At(L"Lumivo_Convert");
    std::vector<std::wstring> converted;
    for (int i = 0; i < 300 && converted.size() < size_t(count); ++i, ::Sleep(200))
        converted = FilesOf(output, L".webp"); // names only: no file is opened during the run
    ::Sleep(2000); // the end of the run and the list's reload
    SaveScreen(shots + L"\\batch-convert-finished.png");
    ASSERT_EQ(converted.size(), size_t(count));
    EXPECT_EQ(FilesOf(output, L"").size(), size_t(count)) << "nothing but the WebPs";
    for (const std::wstring& name : converted) {
        long w = 0, h = 0;
        EXPECT_TRUE(PictureSize(output + L"\\" + name, CXIMAGE_FORMAT_WEBP, w, h)) << name.c_str();
        EXPECT_EQ(w, 320) << name.c_str();
        EXPECT_EQ(h, 240) << name.c_str();
    }

    // Rename by file name and number, the rules of the last use; every picture keeps its pixels
    // under its new name. A read-only file takes a new name too: the flag guards its content.
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_SELECT_ALL, 0);
    ::PostMessageW(frame, WM_COMMAND, kBatchRename, 0);
    const HWND rename = WaitForChildWindow(shows.Id(), 0, L"Rename", 15000);
    ASSERT_NE(rename, nullptr);
    ::Sleep(800);
    SaveScreen(shots + L"\\batch-rename.png");
    ::PostMessageW(rename, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(rename, IDOK)));
    ASSERT_TRUE(AnswerYes(shows.Id()));
    std::vector<std::wstring> names;
    for (int i = 0; i < 150; ++i, ::Sleep(200)) {
        names = FilesOf(temp.Root(), L".png");
        if (std::count_if(names.begin(), names.end(), [](const std::wstring& n) { return n.find(L'_') != std::wstring::npos; }) >= count - 1)
            break;
    }
    ::Sleep(2000);
    SaveScreen(shots + L"\\batch-rename-finished.png");
    const HWND report = WaitForChildWindow(shows.Id(), 0, L"Batch Report", 1000);
    if (report)
        ::PostMessageW(report, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(report, IDOK)));
    std::wstring listed;
    for (const std::wstring& name : FilesOf(temp.Root(), L""))
        ::SetFileAttributesW(temp.At(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const std::wstring& name : names)
        listed += name + L" ";
    EXPECT_EQ(names.size(), size_t(count)) << listed.c_str();
    for (int i = 0; i < count; ++i)
        EXPECT_NE(std::find(names.begin(), names.end(), L"c" + std::to_wstring(i) + L"_" + std::to_wstring(i + 1) + L".png"), names.end())
            << listed.c_str();
    for (const std::wstring& name : names) {
        long w = 0, h = 0;
        EXPECT_TRUE(PictureSize(temp.At(name), CXIMAGE_FORMAT_PNG, w, h) && w == width && h == height) << name.c_str();
    }
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(shows.WaitForExit(20000), 0);
}

} // namespace
