// The real program and the real KQBatch on a folder of about thirty pictures as a camera and the
// web fill one (JPEGs with EXIF, one of them a portrait taken on its side, PNGs with alpha, an
// animated GIF, WebPs, a sub-folder and a read-only picture). Select All, then grey, then a
// watermark, each confirmed with Yes as the user would; convert and rename; the pictures are
// checked after each run, and none is lost or cut short. Browsing: into a sub-folder and back
// with Alt+Left, the viewer on a picture, and the folder the program leaves in stored for the
// next start.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>
#include "CxImage.h"
#include "EditorAppTestSupport.h"
#include "LumivoShowsIds.h"
#include "TestSupport.h"
#include "Win32Owners.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::ChildProcess;
using testsupport::TempFolder;

const wchar_t kShowsSystemKey[] = L"Software\\Lumivo\\LumivoShows\\System";
const wchar_t kBatchKey[] = L"Software\\Lumivo\\LumivoShows\\Batch";
const UINT kBatchWatermark = 33059;
const UINT kBatchConvert = 33054;
const UINT kBatchRename = 32945;
const int kListId = 0xE900; // the main frame's view

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

// A colourful gradient, different for each picture, in the file type given; with alpha, its top
// left quarter is half transparent.
bool WriteFixture(const std::wstring& path, int index, long width, long height, DWORD type, bool alpha = false)
{
    CxImage picture;
    if (!picture.Create(width, height, 24, type))
        return false;
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x) {
            RGBQUAD c = {};
            c.rgbRed = BYTE((x * 255 / width + index * 10) & 0xFF);
            c.rgbGreen = BYTE(y * 255 / height);
            c.rgbBlue = BYTE(255 - (index * 9 & 0xFF));
            picture.SetPixelColor(x, y, c);
        }
    if (alpha) {
        picture.AlphaCreate();
        picture.AlphaSet(255);
        for (long y = height / 2; y < height; ++y) // rows count from the bottom
            for (long x = 0; x < width / 2; ++x)
                picture.AlphaSet(x, y, 128);
    }
    picture.SetJpegQuality(80);
    return picture.Save(path.c_str(), type);
}

// The portrait's colours: an orange body under a blue sky, so that a look at the screen tells
// upright from turned.
const RGBQUAD kBody = {0, 140, 255, 0}, kSky = {255, 90, 0, 0};

// A photo taken with the camera on its side: the pixels lie on their side and the orientation
// tag (6) says to turn them a quarter clockwise.
bool WritePortrait(const std::wstring& path, long width, long height)
{
    CxImage upright;
    if (!upright.Create(width, height, 24, CXIMAGE_FORMAT_JPG))
        return false;
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            upright.SetPixelColor(x, y, y >= height * 4 / 5 ? kSky : kBody);
    upright.SetJpegQuality(85);
    return upright.RotateLeft() && upright.Save(path.c_str(), CXIMAGE_FORMAT_JPG) &&
           testsupport::AddExif(path, 6, "2024:05:17 10:30:00");
}

struct FolderPicture {
    std::wstring name;  // inside the folder
    long width, height; // upright
};

const long kPhotoWidth = 400, kPhotoHeight = 300;
const wchar_t kSubFolder[] = L"aaa";           // listed first
const wchar_t kPortrait[] = L"a-portrait.jpg"; // the first picture after the sub-folder
const wchar_t kReadOnly[] = L"b06.jpg";
const wchar_t kLastPicture[] = L"e07.webp";

// Fills the folder: the sub-folder with two pictures, then the portrait, eleven JPEGs with a
// date taken, eight PNGs with alpha, the animated GIF and seven WebPs; one JPEG read-only.
// Returns every picture, those of the sub-folder first.
std::vector<FolderPicture> MakePictureFolder(const TempFolder& temp)
{
    std::vector<FolderPicture> pictures;
    const auto add = [&](const std::wstring& name, bool written, long width = kPhotoWidth, long height = kPhotoHeight) {
        EXPECT_TRUE(written) << name.c_str();
        pictures.push_back(FolderPicture{name, width, height});
    };
    const auto number = [](int i) { return (i < 10 ? L"0" : L"") + std::to_wstring(i); };
    ::CreateDirectoryW(temp.At(kSubFolder).c_str(), nullptr);
    const std::wstring inner = std::wstring(kSubFolder) + L"\\";
    add(inner + L"inner1.png", WriteFixture(temp.At(inner + L"inner1.png"), 40, kPhotoWidth, kPhotoHeight, CXIMAGE_FORMAT_PNG, true));
    add(inner + L"inner2.jpg", WriteFixture(temp.At(inner + L"inner2.jpg"), 41, kPhotoWidth, kPhotoHeight, CXIMAGE_FORMAT_JPG) &&
                                   testsupport::AddExif(temp.At(inner + L"inner2.jpg"), 1, "2023:08:02 18:05:00"));
    add(kPortrait, WritePortrait(temp.At(kPortrait), kPhotoHeight, kPhotoWidth), kPhotoHeight, kPhotoWidth);
    for (int i = 1; i <= 11; ++i) {
        const std::wstring name = L"b" + number(i) + L".jpg";
        add(name, WriteFixture(temp.At(name), i, kPhotoWidth, kPhotoHeight, CXIMAGE_FORMAT_JPG) &&
                      testsupport::AddExif(temp.At(name), 1, "2024:06:01 09:00:00"));
    }
    for (int i = 1; i <= 8; ++i) {
        const std::wstring name = L"c" + number(i) + L".png";
        add(name, WriteFixture(temp.At(name), 12 + i, kPhotoWidth, kPhotoHeight, CXIMAGE_FORMAT_PNG, true));
    }
    add(L"d-spinner.gif",
        ::CopyFileW((testsupport::BinDir() + L"\\Data\\Sample\\Spinner.gif").c_str(), temp.At(L"d-spinner.gif").c_str(), FALSE) != 0,
        96, 96);
    for (int i = 1; i <= 7; ++i) {
        const std::wstring name = L"e" + number(i) + L".webp";
        add(name, WriteFixture(temp.At(name), 20 + i, kPhotoWidth, kPhotoHeight, CXIMAGE_FORMAT_WEBP));
    }
    EXPECT_TRUE(::SetFileAttributesW(temp.At(kReadOnly).c_str(), FILE_ATTRIBUTE_READONLY));
    return pictures;
}

// The read-only flag off again everywhere, so that the folder can go.
void ClearReadOnly(const std::wstring& folder)
{
    WIN32_FIND_DATAW found = {};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ClearReadOnly(folder + L"\\" + name);
        else
            ::SetFileAttributesW((folder + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// The folder of MakePictureFolder; the read-only flag goes when the test ends, however it ends,
// so that the folder can be removed.
struct PictureFolder {
    TempFolder temp;
    std::vector<FolderPicture> pictures = MakePictureFolder(temp);
    ~PictureFolder() { ClearReadOnly(temp.Root()); }
};

// The screen's pixels over a window's client area, top row first.
struct ScreenArea {
    long width = 0, height = 0;
    std::vector<RGBQUAD> pixels;
    RGBQUAD At(long x, long y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

ScreenArea ReadScreen(HWND window)
{
    ScreenArea area;
    RECT client = {};
    ::GetClientRect(window, &client);
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    area.width = client.right;
    area.height = client.bottom;
    if (area.width <= 0 || area.height <= 0)
        return area;
    BITMAPINFO info = win32::TopDownBitmapInfo(area.width, area.height);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = ::SelectObject(memory, dib);
        ::BitBlt(memory, 0, 0, area.width, area.height, screen, origin.x, origin.y, SRCCOPY);
        ::GdiFlush();
        const RGBQUAD* first = static_cast<const RGBQUAD*>(bits);
        area.pixels.assign(first, first + size_t(area.width) * size_t(area.height));
        ::SelectObject(memory, old);
    }
    if (dib)
        ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return area;
}

bool Near(RGBQUAD a, RGBQUAD b)
{
    return abs(a.rgbRed - b.rgbRed) < 60 && abs(a.rgbGreen - b.rgbGreen) < 60 && abs(a.rgbBlue - b.rgbBlue) < 60;
}

// How the portrait shows around a point of its body: its extent across and down, and whether
// its sky is at the top.
struct PortraitShown {
    long across = 0, down = 0;
    bool skyOnTop = false;
};

PortraitShown MeasurePortrait(const ScreenArea& area, long x, long y)
{
    PortraitShown shown;
    if (x < 0 || y < 0 || x >= area.width || y >= area.height || !Near(area.At(x, y), kBody))
        return shown;
    const auto inside = [&](long px, long py) {
        return px >= 0 && py >= 0 && px < area.width && py < area.height &&
               (Near(area.At(px, py), kBody) || Near(area.At(px, py), kSky));
    };
    long left = x, right = x, top = y, bottom = y;
    while (inside(left - 1, y))
        --left;
    while (inside(right + 1, y))
        ++right;
    // Up and down the walk crosses the few mixed pixels a JPEG leaves between sky and body.
    const auto last = [&](long from, long step) {
        long end = from;
        for (long py = from + step, gap = 0; gap <= 4; py += step) {
            if (inside(x, py))
                end = py, gap = 0;
            else if (py < 0 || py >= area.height)
                break;
            else
                ++gap;
        }
        return end;
    };
    top = last(y, -1);
    bottom = last(y, 1);
    shown.across = right - left + 1;
    shown.down = bottom - top + 1;
    int skyAbove = 0, skyBelow = 0;
    for (long py = top; py <= bottom; ++py)
        (py < y ? skyAbove : skyBelow) += Near(area.At(x, py), kSky) ? 1 : 0;
    shown.skyOnTop = skyAbove > 0 && skyBelow == 0;
    return shown;
}

// Waits for the portrait to be drawn upright around the point of the window; what shows there
// in the end when it never is.
PortraitShown WaitForPortrait(HWND window, long x, long y)
{
    PortraitShown shown;
    for (int i = 0; i < 50; ++i) {
        shown = MeasurePortrait(ReadScreen(window), x, y);
        if (shown.down > shown.across && shown.skyOnTop)
            break;
        ::Sleep(200);
    }
    return shown;
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

// The names of the pictures the run's report lists as failed, sorted, as its Copy button puts
// them on the clipboard ("path<tab>reason" a line); the reasons follow each name.
const int kReportCopy = 2442;

std::vector<std::wstring> ReportedFailures(HWND report, std::wstring& reasons)
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    ::SendMessageW(report, WM_COMMAND, MAKEWPARAM(kReportCopy, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(report, kReportCopy)));
    std::wstring& text = reasons;
    text.clear();
    if (::OpenClipboard(nullptr)) {
        const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
        const wchar_t* chars = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
        text = chars ? chars : L"";
        if (chars)
            ::GlobalUnlock(data);
        ::CloseClipboard();
    }
    std::vector<std::wstring> names;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = text.substr(start, end - start);
        const std::wstring path = line.substr(0, line.find(L'\t'));
        if (!path.empty())
            names.push_back(path.substr(path.find_last_of(L'\\') + 1));
        start = end + 2;
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadAll(const std::wstring& path)
{
    return testsupport::TempFolder::Get(path);
}

std::vector<CxImage> LoadAll(const TempFolder& temp, const std::vector<FolderPicture>& pictures)
{
    std::vector<CxImage> loaded(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i)
        loaded[i].Load(temp.At(pictures[i].name).c_str(), CXIMAGE_FORMAT_UNKNOWN);
    return loaded;
}

bool IsGrey(const CxImage& picture)
{
    return picture.IsValid() && IsGrey(picture, 0, 0, long(picture.GetWidth()), long(picture.GetHeight()));
}

bool SameSize(const CxImage& a, const CxImage& b)
{
    return a.IsValid() && b.IsValid() && a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight();
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
    PictureFolder folder;
    const TempFolder& temp = folder.temp;
    const std::vector<FolderPicture>& pictures = folder.pictures;
    const size_t readOnly = size_t(std::find_if(pictures.begin(), pictures.end(),
                                                [](const FolderPicture& p) { return p.name == kReadOnly; }) -
                                   pictures.begin());
    ASSERT_LT(readOnly, pictures.size());
    const std::string spinner = ReadAll(temp.At(L"d-spinner.gif"));
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
    // Select All takes the pictures of the folder, not the sub-folder. The read-only picture
    // cannot be written, nor the animation in place without losing its frames: the run's end
    // reports them, and them alone; the animation keeps every frame.
    const HWND greyReport = WaitForChildWindow(shows.Id(), 0, L"Batch Report", 120000);
    ::Sleep(700);
    SaveScreen(shots + L"\\batch-finished.png");
    ASSERT_NE(greyReport, nullptr);
    std::wstring reasons;
    const std::vector<std::wstring> failed = {L"b06.jpg", L"d-spinner.gif"};
    EXPECT_EQ(ReportedFailures(greyReport, reasons), failed) << reasons.c_str();
    EXPECT_NE(FindShownText(greyReport, L"2 of 28 pictures failed"), nullptr) << "every picture of the folder was in the run";
    ::PostMessageW(greyReport, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(greyReport, IDOK)));
    EXPECT_EQ(ReadAll(temp.At(L"d-spinner.gif")), spinner) << "the animation keeps its frames";
    const std::vector<CxImage> colourPictures = LoadAll(temp, pictures);
    for (size_t p = 0; p < pictures.size(); ++p) {
        const std::wstring& name = pictures[p].name;
        const bool written = p != readOnly && name.find(L'\\') == std::wstring::npos && name.find(L".gif") == std::wstring::npos;
        EXPECT_EQ(IsGrey(colourPictures[p]), written) << name.c_str();
        EXPECT_EQ(long(colourPictures[p].GetWidth()), pictures[p].name == kPortrait ? pictures[p].height : pictures[p].width)
            << name.c_str();
    }
    ::Sleep(2000); // the list's reload
    const std::vector<CxImage> greyPictures = LoadAll(temp, pictures);

    // Watermark from the stored settings: the dialog opens ready, OK, Yes. The read-only picture
    // and the animation fail again, and the end shows the report of the failures. Select All
    // alternates between the pictures and every item; Deselect starts it again with the pictures.
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_DESELECT, 0);
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_SELECT_ALL, 0);
    ::PostMessageW(frame, WM_COMMAND, kBatchWatermark, 0);
    const HWND dialog = WaitForChildWindow(shows.Id(), 0, L"Watermark", 15000);
    ASSERT_NE(dialog, nullptr);
    ::Sleep(1000);
    SaveScreen(shots + L"\\batch-watermark.png");
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK)));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(AnswerYes(shows.Id()));
    ::Sleep(1500);
    SaveScreen(shots + L"\\batch-watermark-run.png");

    const HWND report = WaitForChildWindow(shows.Id(), 0, L"Batch Report", 120000);
    ASSERT_NE(report, nullptr);
    ::Sleep(700);
    SaveScreen(shots + L"\\batch-report.png");
    EXPECT_EQ(ReportedFailures(report, reasons), failed) << reasons.c_str();
    ::PostMessageW(report, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(report, IDOK)));
    EXPECT_EQ(ReadAll(temp.At(L"d-spinner.gif")), spinner) << "the animation keeps its frames";

    // Every other picture of the folder decodes at its size and carries the mark. On the PNGs, which keep
    // their pixels exactly, it is in the bottom right corner and nowhere else; the rows of a
    // picture count from its bottom.
    const std::vector<CxImage> now = LoadAll(temp, pictures);
    for (size_t p = 0; p < pictures.size(); ++p) {
        const std::wstring& name = pictures[p].name;
        ASSERT_TRUE(SameSize(greyPictures[p], now[p])) << name.c_str();
        const long width = long(now[p].GetWidth()), height = long(now[p].GetHeight());
        if (p == readOnly || name.find(L'\\') != std::wstring::npos || name.find(L".gif") != std::wstring::npos) {
            EXPECT_EQ(Changed(greyPictures[p], now[p], 0, 0, width, height), 0) << name.c_str();
            continue;
        }
        if (name.size() > 4 && name.compare(name.size() - 4, 4, L".png") == 0) {
            EXPECT_GT(Changed(greyPictures[p], now[p], width * 3 / 4, 0, width, height / 4), 100) << name.c_str();
            EXPECT_EQ(Changed(greyPictures[p], now[p], 0, height / 2, width / 2, height), 0) << name.c_str();
        } else {
            EXPECT_GT(Changed(greyPictures[p], now[p], 0, 0, width, height), 100) << name.c_str();
        }
    }
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
    PictureFolder folder; // the sub-folder is the first cell, the portrait the second
    const TempFolder& temp = folder.temp;
    const std::wstring shots = ShotsFolder();

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    const HWND list = ::GetDlgItem(frame, kListId);
    ASSERT_NE(list, nullptr);
    // The portrait's thumbnail stands upright, sky on top, as its orientation tag says.
    const PortraitShown thumbnail = WaitForPortrait(list, 215, 58);
    SaveScreen(shots + L"\\browse-folder.png");
    EXPECT_GT(thumbnail.down, thumbnail.across) << thumbnail.across << " x " << thumbnail.down;
    EXPECT_TRUE(thumbnail.skyOnTop);

    // The first cell is the sub-folder: a double-click opens it.
    DoubleClick(list, 60, 60);
    ::Sleep(2500);
    SaveScreen(shots + L"\\browse-sub-folder.png");
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(shows.WaitForExit(20000), 0);
    EXPECT_EQ(StoredViewPath(), temp.At(kSubFolder)) << "the sub-folder was open at exit";

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

    // The second cell, right of the sub-folder's, is the portrait: the viewer shows it upright.
    DoubleClick(list2, 220, 60);
    const HWND viewer = again.WaitForWindow(L"LumivoViewerFrame", 8000);
    EXPECT_NE(viewer, nullptr);
    if (viewer) {
        const HWND view = ::FindWindowExW(viewer, nullptr, L"LumivoViewerFullWnd", nullptr);
        RECT place = {};
        ::GetClientRect(view, &place);
        const PortraitShown shown = WaitForPortrait(view, place.right / 2, place.bottom / 2);
        SaveScreen(shots + L"\\browse-viewer.png");
        EXPECT_GT(shown.down, shown.across) << shown.across << " x " << shown.down;
        EXPECT_TRUE(shown.skyOnTop);
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
    PictureFolder folder;
    const std::wstring last = folder.temp.At(kLastPicture);
    const std::wstring shots = ShotsFolder();

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + folder.temp.Root() + L"\""));
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
    DoubleClick(list, 220, 60); // the first picture, right of the sub-folder
    const HWND viewer = shows.WaitForWindow(L"LumivoViewerFrame", 8000);
    ASSERT_NE(viewer, nullptr);
    ::Sleep(1000);
    SaveScreen(shots + L"\\viewer-open.png");
    EXPECT_NE(WindowText(viewer).find(kPortrait), std::wstring::npos) << WindowText(viewer);

    // End, then back two: the show has two pictures to go.
    for (const BYTE key : {VK_END, VK_LEFT, VK_LEFT}) {
        ::PostMessageW(FocusOf(viewer), WM_KEYDOWN, key, 1);
        ::Sleep(300);
    }
    for (int i = 0; i < 50 && WindowText(viewer).find(L"e05.webp") == std::wstring::npos; ++i)
        ::Sleep(100);
    const std::wstring first = WindowText(viewer);
    EXPECT_NE(first.find(L"e05.webp"), std::wstring::npos) << first;

    // Space starts the show; it moves on by itself and stops at the last picture with its note.
    ::PostMessageW(FocusOf(viewer), WM_KEYDOWN, VK_SPACE, 1);
    ::Sleep(1600);
    SaveScreen(shots + L"\\viewer-slide-show.png");
    EXPECT_NE(WindowText(viewer), first) << "the slide show moves on by itself";
    const HWND note = WaitForChildWindow(shows.Id(), 0, L"This is the last one", 15000);
    SaveScreen(shots + L"\\viewer-slide-show-end.png");
    EXPECT_NE(note, nullptr);
    EXPECT_NE(WindowText(viewer).find(kLastPicture), std::wstring::npos) << WindowText(viewer);

    // Ctrl+Right turns the shown picture, Ctrl+S writes it after the question.
    long width = 0, height = 0;
    ASSERT_TRUE(PictureSize(last, CXIMAGE_FORMAT_WEBP, width, height));
    ASSERT_EQ(width, kPhotoWidth);
    PressKey(viewer, VK_RIGHT, true);
    ::Sleep(1000);
    SaveScreen(shots + L"\\viewer-turned.png");
    PressKey(viewer, 'S', true);
    EXPECT_TRUE(AnswerYes(shows.Id(), IDOK));
    for (int i = 0; i < 100 && !(PictureSize(last, CXIMAGE_FORMAT_WEBP, width, height) && width == kPhotoHeight); ++i)
        ::Sleep(100);
    EXPECT_EQ(width, kPhotoHeight) << "the file on disk is turned";
    EXPECT_EQ(height, kPhotoWidth);
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
    PictureFolder folder;
    const TempFolder& temp = folder.temp;
    // Select All takes the pictures of the folder, not the sub-folder.
    std::vector<FolderPicture> pictures;
    std::copy_if(folder.pictures.begin(), folder.pictures.end(), std::back_inserter(pictures),
                 [](const FolderPicture& p) { return p.name.find(L'\\') == std::wstring::npos; });
    const std::wstring shots = ShotsFolder();

    ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + temp.Root() + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    ::Sleep(3000);

    // Resize & Convert: the dialog opens on the stored settings; one WebP per picture in the
    // output folder, each within the limit and upright by its tag.
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_SELECT_ALL, 0);
    ::PostMessageW(frame, WM_COMMAND, kBatchConvert, 0);
    const HWND dialog = WaitForChildWindow(shows.Id(), 0, L"Convert", 15000);
    ASSERT_NE(dialog, nullptr);
    ::Sleep(800);
    SaveScreen(shots + L"\\batch-convert.png");
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    // A short run ends within the second of its start's note: its own note still shows.
    const HWND finished = WaitForChildWindow(shows.Id(), 0, L"Batch task finished", 60000);
    SaveScreen(shots + L"\\batch-convert-finished.png");
    EXPECT_NE(finished, nullptr);
    const std::wstring output = temp.At(L"Lumivo_Convert");
    const std::vector<std::wstring> converted = FilesOf(output, L".webp");
    ASSERT_EQ(converted.size(), pictures.size());
    EXPECT_EQ(FilesOf(output, L"").size(), pictures.size()) << "nothing but the WebPs";
    for (const FolderPicture& picture : pictures) {
        const std::wstring name = picture.name.substr(picture.name.find_last_of(L'\\') + 1);
        const std::wstring webp = output + L"\\" + name.substr(0, name.find_last_of(L'.')) + L".webp";
        CxImage written;
        ASSERT_TRUE(written.Load(webp.c_str(), CXIMAGE_FORMAT_WEBP)) << webp.c_str();
        written.RotateExif(0);
        // Shrunk to fit 320 x 320, never enlarged.
        const long longer = std::max(picture.width, picture.height);
        const long w = longer > 320 ? picture.width * 320 / longer : picture.width;
        const long h = longer > 320 ? picture.height * 320 / longer : picture.height;
        EXPECT_EQ(long(written.GetWidth()), w) << webp.c_str();
        EXPECT_EQ(long(written.GetHeight()), h) << webp.c_str();
    }
    ::Sleep(1000); // the list's reload

    // Rename by file name and number, the rules of the last use, each number once. Every picture
    // keeps its pixels under its new name; the read-only one is renamed as well, the flag
    // guarding its content. The sub-folder and the converted pictures keep their names.
    ::PostMessageW(frame, WM_COMMAND, ID_LIST_SELECT_ALL, 0);
    ::PostMessageW(frame, WM_COMMAND, kBatchRename, 0);
    const HWND rename = WaitForChildWindow(shows.Id(), 0, L"Rename", 15000);
    ASSERT_NE(rename, nullptr);
    ::Sleep(800);
    SaveScreen(shots + L"\\batch-rename.png");
    ::PostMessageW(rename, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(rename, IDOK)));
    ASSERT_TRUE(AnswerYes(shows.Id()));
    const auto renamed = [&] {
        const std::vector<std::wstring> names = FilesOf(temp.Root(), L"");
        return size_t(std::count_if(names.begin(), names.end(), [](const std::wstring& n) { return n.find(L'_') != std::wstring::npos; }));
    };
    const size_t total = pictures.size();
    for (int i = 0; i < 150 && renamed() < total; ++i)
        ::Sleep(200);
    ::Sleep(1500);
    SaveScreen(shots + L"\\batch-rename-finished.png");
    EXPECT_EQ(WaitForChildWindow(shows.Id(), 0, L"Batch Report", 500), nullptr) << "no picture failed";

    // Nothing lost or cut short: each folder holds as many files as before and every one
    // decodes; the new numbers run from 1 without a gap or a repeat.
    std::wstring listed;
    std::vector<int> numbers;
    for (const std::wstring& name : FilesOf(temp.Root(), L"")) {
        listed += name + L" ";
        const size_t mark = name.find_last_of(L'_'), dot = name.find_last_of(L'.');
        EXPECT_TRUE(mark != std::wstring::npos && dot > mark) << name.c_str();
        if (mark != std::wstring::npos && dot > mark)
            numbers.push_back(_wtoi(name.substr(mark + 1, dot - mark - 1).c_str()));
    }
    EXPECT_EQ(numbers.size(), total) << listed.c_str();
    std::sort(numbers.begin(), numbers.end());
    for (size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i], int(i) + 1) << listed.c_str();
    EXPECT_EQ(FilesOf(temp.At(kSubFolder), L"").size(), folder.pictures.size() - total);
    EXPECT_EQ(FilesOf(output, L".webp").size(), total);
    for (const std::wstring& f : {temp.Root(), temp.At(kSubFolder), output})
        for (const std::wstring& name : FilesOf(f, L"")) {
            CxImage decoded;
            EXPECT_TRUE(decoded.Load((f + L"\\" + name).c_str(), CXIMAGE_FORMAT_UNKNOWN) && decoded.GetWidth() > 0) << name.c_str();
        }
    for (const FolderPicture& picture : pictures) {
        const std::wstring title = picture.name.substr(0, picture.name.find_last_of(L'.'));
        const std::vector<std::wstring> now = FilesOf(temp.Root(), picture.name.substr(picture.name.find_last_of(L'.')).c_str());
        EXPECT_TRUE(std::any_of(now.begin(), now.end(), [&](const std::wstring& n) { return n.find(title + L"_") == 0; }))
            << picture.name.c_str() << ": " << listed.c_str();
    }
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(shows.WaitForExit(20000), 0);
}

} // namespace
