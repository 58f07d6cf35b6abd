// The editor shell's shared helpers: dialog filters, tables, sizes, scene slots, dates, random
// numbers, registry tests, formatting and PNG resources.
#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>
#include "EditorAppTestSupport.h"
#include "EditorAppTestIds.h"
#include "EditorUtils.h"
#include "ZVUILibApp.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::TempFolder;

std::wstring Text(const EditorText& text)
{
    return text.GetString();
}

// Replaces every occurrence of what in text.
std::wstring ReplaceAll(std::wstring text, const std::wstring& what, const std::wstring& with)
{
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// Loads a shipped language file for the test and goes back to the chosen language after it.
class LanguageScope {
public:
    explicit LanguageScope(const wchar_t* file)
    {
        loaded = LoadLanguageFile((std::wstring(CZVUILibApp::GetLanguageFolder().GetString()) + file).c_str());
    }
    ~LanguageScope() { LoadCurrentLanguage(); }
    bool loaded;
};

const wchar_t kEnglishOpenFilter[] =
    L"All Supported Picture Files|*.kqd;*.bmp;*.dib;*.rle;*.gif;*.ico;*.cur;*.jbg;*.jp2;*.j2k;*.jpc;*.j2c;*.jpg;*.jpe;*.jpeg;"
    L"*.mng;*.jng;*.png;*.pcx;*.pgx;*.pnm;*.pgm;*.ppm;*.psd;*.ras;*.nef;*.crw;*.cr2;*.mrw;*.raf;*.erf;*.3fr;*.dcr;*.raw;"
    L"*.dng;*.pef;*.x3f;*.arw;*.sr2;*.mef;*.orf;*.ska;*.tga;*.tif;*.tiff;*.wbm;*.wbmp;*.wmf;*.emf;*.webp|"
    L"KQD Files (*.kqd)|*.kqd|BMP Files (*.bmp;*.dib;*.rle)|*.bmp;*.dib;*.rle|GIF Files (*.gif)|*.gif|"
    L"ICO Files (*.ico;*.cur)|*.ico;*.cur|JBG Files (*.jbg)|*.jbg|JP2 Files (*.jp2;*.j2k)|*.jp2;*.j2k|"
    L"JPC Files (*.jpc;*.j2c)|*.jpc;*.j2c|JPG Files (*.jpg;*.jpe;*.jpeg)|*.jpg;*.jpe;*.jpeg|"
    L"MNG Files (*.mng;*.jng;*.png)|*.mng;*.jng;*.png|PCX Files (*.pcx)|*.pcx|PGX Files (*.pgx)|*.pgx|"
    L"PNM Files (*.pnm;*.pgm;*.ppm)|*.pnm;*.pgm;*.ppm|PSD Files (*.psd)|*.psd|RAS Files (*.ras)|*.ras|"
    L"RAW Files (*.nef;*.crw;*.cr2;*.mrw;*.raf;*.erf;*.3fr;*.dcr;*.raw;*.dng;*.pef;*.x3f;*.arw;*.sr2;*.mef;*.orf)|"
    L"*.nef;*.crw;*.cr2;*.mrw;*.raf;*.erf;*.3fr;*.dcr;*.raw;*.dng;*.pef;*.x3f;*.arw;*.sr2;*.mef;*.orf|"
    L"SKA Files (*.ska)|*.ska|TGA Files (*.tga)|*.tga|TIF Files (*.tif;*.tiff)|*.tif;*.tiff|"
    L"WBM Files (*.wbm;*.wbmp)|*.wbm;*.wbmp|WEBP Files (*.webp)|*.webp|WMF EMF Files (*.wmf;*.emf)|*.wmf;*.emf|"
    L"All Files (*.*)|*.*||";

// The language file's "Files" also answers the save filter's "files": its keys ignore case.
// A blank parts the label from the word, as in the open filter.
const wchar_t kEnglishSaveFilter[] =
    L"JPG Files (*.jpg)|*.jpg|WebP Files (*.webp)|*.webp|LumivoTools Files (*.kqd)|*.kqd|PNG Files (*.png)|*.png|"
    L"BMP Files (*.bmp)|*.bmp|GIF Files (*.gif)|*.gif|ICO Files (*.ico)|*.ico|TGA Files (*.tga)|*.tga||";

TEST(Filters, EnglishTextsExactly)
{
    LanguageScope english(L"English.txt");
    ASSERT_TRUE(english.loaded);
    EXPECT_EQ(Text(GetOpenFileFilter()), kEnglishOpenFilter);
    EXPECT_EQ(Text(GetSaveFileFilter()), kEnglishSaveFilter);
}

TEST(Filters, TheFirstEntryHoldsFiftyPatternsAndTwentyOneFormatsFollow)
{
    const std::wstring filter = Text(GetOpenFileFilter());
    std::vector<std::wstring> parts;
    for (size_t from = 0, bar; (bar = filter.find(L'|', from)) != std::wstring::npos; from = bar + 1)
        parts.push_back(filter.substr(from, bar - from));
    // Label and patterns in pairs: the first entry, 21 formats, all files, then the closing "||".
    ASSERT_EQ(parts.size(), 2u * (1 + 21 + 1) + 1);
    EXPECT_EQ(std::count(parts[1].begin(), parts[1].end(), L';') + 1, 50);
    EXPECT_EQ(parts.back(), L"");
    // The formats' patterns together are the first entry's, each once.
    std::multiset<std::wstring> all, formats;
    auto split = [](const std::wstring& list, std::multiset<std::wstring>& into) {
        for (size_t from = 0, semi;; from = semi + 1) {
            semi = list.find(L';', from);
            into.insert(list.substr(from, semi == std::wstring::npos ? std::wstring::npos : semi - from));
            if (semi == std::wstring::npos)
                break;
        }
    };
    split(parts[1], all);
    for (size_t i = 3; i < 2 * 22; i += 2)
        split(parts[i], formats);
    EXPECT_EQ(all, formats);
}

TEST(Filters, ChineseChangesOnlyTheTranslatedLabels)
{
    LanguageScope chinese(L"Simplified Chinese.txt");
    ASSERT_TRUE(chinese.loaded);
    const std::wstring allSupported = TranslateString(L"All Supported Picture Files");
    const std::wstring files = TranslateString(L"Files");
    const std::wstring allFiles = TranslateString(L"All Files");
    const std::wstring document = TranslateString(L"LumivoTools");
    ASSERT_NE(files, L"Files");
    // Read per call: the texts follow the language loaded now.
    std::wstring open = ReplaceAll(kEnglishOpenFilter, L"All Supported Picture Files", allSupported);
    open = ReplaceAll(open, L"All Files", allFiles);
    open = ReplaceAll(open, L" Files (", L" " + files + L" (");
    EXPECT_EQ(Text(GetOpenFileFilter()), open);
    std::wstring save = ReplaceAll(kEnglishSaveFilter, L"LumivoTools Files", document + L" Files");
    save = ReplaceAll(save, L" Files (", L" " + files + L" (");
    EXPECT_EQ(Text(GetSaveFileFilter()), save);
}

TEST(Tables, SaveTypesByTheNamesEnd)
{
    const struct {
        const wchar_t* name;
        int type;
    } cases[] = {
        {L"A.JPEG", 1}, {L"x.tif", 0}, {L"bmp", 5}, {L"b.webp", 2}, {L"", 0}, {nullptr, 0}, {L"c.jpg", 1},
        {L"d.Kqd", 3}, {L"e.png", 4}, {L"f.MNG", 4}, {L"g.jng", 4}, {L"h.gif", 6}, {L"i.ico", 7}, {L"j.tga", 8},
        {L"pg", 0}, {L"jpeg", 1}, {L"C:\\photos.bmp\\k", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetSaveTypeFromFileName(c.name), c.type) << (c.name ? c.name : L"<null>");
}

TEST(Tables, HistoryLimitsAtEveryBoundary)
{
    const struct {
        int64_t pixels;
        int limit;
    } cases[] = {
        {-1, 20}, {0, 20}, {4000000, 20}, {4000001, 10}, {9000000, 10}, {9000001, 5}, {16000000, 5},
        {16000001, 3}, {25000000, 3}, {25000001, 1}, {int64_t(1) << 40, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetHistoryLimit(c.pixels), c.limit) << c.pixels;
}

TEST(Tables, HotKeyTexts)
{
    const DWORD ctrl = 0x2 << 16, alt = 0x4 << 16, shift = 0x1 << 16;
    const struct {
        DWORD value;
        const wchar_t* text;
    } cases[] = {
        {0x20074, L"Ctrl+F5"}, {ctrl | alt | shift | VK_F13, L""}, {VK_F13, L""}, {ctrl | alt | shift | 'A', L"Ctrl+Alt+Shift+A"},
        {shift | alt | '7', L"Alt+Shift+7"}, {'0', L"0"}, {'9', L"9"}, {'Z', L"Z"}, {VK_F1, L"F1"}, {alt | VK_F12, L"Alt+F12"},
        {ctrl | VK_BACK, L"Ctrl+Back"}, {VK_TAB, L"Tab"}, {VK_RETURN, L"Enter"}, {VK_DELETE, L"Delete"},
        {VK_LEFT, L"Left"}, {VK_UP, L"Up"}, {VK_RIGHT, L"Right"}, {shift | VK_DOWN, L"Shift+Down"},
        {'a', L""}, {ctrl, L""}, {VK_SPACE, L""}, {ctrl | VK_NUMPAD1, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(HotKeyToText(c.value)), c.text) << std::hex << c.value;
}

TEST(Tables, SidePaneWidths)
{
    // A scroll bar of 17 pixels; a cell is 140 pixels times height / 12 (never below 1), a gap 20.
    const struct {
        double fontHeight;
        int workWidth;
        int width;
    } cases[] = {
        {12, 800, 337},  {12, 1280, 337},  {12, 1920, 337},  {12, 2560, 497}, {12, 3840, 657},
        {18, 800, 477},  {18, 1280, 477},  {18, 1920, 477},  {18, 3840, 477 + 230},
        {30, 800, 757},  {30, 1280, 757},  {30, 1920, 757},
        {8, 1280, 337},  {13, 1280, 360},  {13, 3840, 703}, {12, 0, 337},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalcSidePaneWidth(c.fontHeight, c.workWidth, 17), c.width) << c.fontHeight << " " << c.workWidth;
    EXPECT_GE(CalcSidePaneWidth(), 2 * 140 + 2 * 20);
}

TEST(RandomRange, EmptyAndReversedRangesGiveLow)
{
    EXPECT_EQ(RandomRange(5, 5), 5u);
    EXPECT_EQ(RandomRange(9, 3), 9u);
    EXPECT_EQ(RandomRange(0xFFFFFFFF, 0), 0xFFFFFFFFu);
}

TEST(RandomRange, DrawsStayInsideAndReachEveryValue)
{
    std::set<uint32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const uint32_t value = RandomRange(3, 9);
        ASSERT_GE(value, 3u);
        ASSERT_LE(value, 9u);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 7u);
    // The whole 32-bit range: no division by a zero span, and the draws differ.
    std::set<uint32_t> wide;
    for (int i = 0; i < 1000; ++i)
        wide.insert(RandomRange(0, 0xFFFFFFFF));
    EXPECT_GT(wide.size(), 990u);
    std::set<uint32_t> high;
    for (int i = 0; i < 1000; ++i)
        high.insert(RandomRange(0xFFFFFFF0, 0xFFFFFFFF));
    EXPECT_GE(*high.begin(), 0xFFFFFFF0u);
    EXPECT_EQ(high.size(), 16u);
}

TEST(RandomRange, ThreadsDrawSideBySide)
{
    std::atomic<int> outside(0);
    std::vector<std::thread> threads;
    std::vector<std::set<uint32_t>> seen(4);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 5000; ++i) {
                const uint32_t value = RandomRange(100, 199);
                if (value < 100 || value > 199)
                    ++outside;
                seen[t].insert(value);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(outside, 0);
    for (const auto& values : seen)
        EXPECT_EQ(values.size(), 100u);
}

TEST(SceneSlots, CountedFromTheDescriptionBesideThePicture)
{
    TempFolder temp;
    const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    ASSERT_TRUE(TempFolder::Put(temp.At(L"Three.xml"),
                                header + "<Slots Move=\"on\" Transparent=\"off\">\n<!-- a comment is no slot -->\n"
                                         "<Slot a=\"0\"><box x=\"0\" y=\"0\" width=\"9\" height=\"9\"/></Slot>\n"
                                         "<Slot a=\"0\"/>\n<Slot a=\"0\"/>\n</Slots>\n"));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"NoSlots.xml"), header + "<Page><Slot/><Slot/></Page>\n"));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"Broken.xml"), header + "<Slots><Slot a=\"0\"><Slot></Slots"));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"Empty.xml"), header + "<Slots/>\n"));
    const struct {
        const wchar_t* picture;
        int slots;
    } cases[] = {
        {L"Three.jpg", 3}, {L"Three.scene.png", 0}, {L"Three", 3}, {L"Missing.jpg", 0},
        {L"NoSlots.png", 0}, {L"Broken.jpg", 0}, {L"Empty.jpg", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountSceneSlots(temp.At(c.picture).c_str()), c.slots) << c.picture;
    EXPECT_EQ(CountSceneSlots(nullptr), 0);
}

TEST(FileDates, LocalDateOfTheLastWrite)
{
    TempFolder temp;
    const std::wstring path = temp.At(L"dated.jpg");
    ASSERT_TRUE(TempFolder::Put(path, "x"));
    // Noon local time, so the date is the same in every time zone the machine may use.
    SYSTEMTIME noon = {};
    noon.wYear = 2019;
    noon.wMonth = 7;
    noon.wDay = 4;
    noon.wHour = 12;
    FILETIME local, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&noon, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
    {
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &utc));
        CloseHandle(file);
    }
    EXPECT_EQ(GetFileDateNumber(path.c_str()), 20190704);
    EXPECT_EQ(GetFileDateNumber(temp.At(L"missing.jpg").c_str()), 0);
    EXPECT_EQ(GetFileDateNumber(nullptr), 0);
}

TEST(RegistryTests, WindowsVersionFromTheMajorVersionNumber)
{
    RegValueGuard guard(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion", L"CurrentMajorVersionNumber");
    const DWORD ten = 10, eleven = 11, six = 6;
    const wchar_t text[] = L"10";
    const struct {
        DWORD type;
        const void* data;
        DWORD size;
        bool later;
    } cases[] = {
        {REG_DWORD, &ten, 4, true}, {REG_DWORD, &eleven, 4, true}, {REG_DWORD, &six, 4, false},
        {REG_SZ, text, sizeof text, false}, {REG_DWORD, nullptr, 0, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(guard.Set(c.type, c.data, c.size));
        EXPECT_EQ(IsWindows10OrLater(), c.later) << c.type << " " << (c.data ? *static_cast<const DWORD*>(c.data) : 0);
    }
}

TEST(RegistryTests, OtherProductByItsKey)
{
    HKEY existing = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Orbrey", 0, KEY_READ, &existing) == ERROR_SUCCESS) {
        RegCloseKey(existing);
        GTEST_SKIP() << "the machine has the maker's key of its own";
    }
    EXPECT_FALSE(IsTarvexInstalled());
    HKEY made = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Orbrey\\Tarvex", 0, nullptr, 0, KEY_WRITE, nullptr, &made, nullptr), ERROR_SUCCESS);
    RegCloseKey(made);
    EXPECT_TRUE(IsTarvexInstalled());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Orbrey\\Tarvex");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Orbrey");
    EXPECT_FALSE(IsTarvexInstalled());
}

TEST(RegistryTests, SkinValues)
{
    RegValueGuard guard(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"Skin");
    DWORD skin = 99;
    ASSERT_TRUE(guard.Set(REG_DWORD, nullptr, 0));
    EXPECT_FALSE(GetLumivoToolsSkin(skin));
    EXPECT_EQ(skin, 1u);
    ASSERT_TRUE(SetSkinValue(L"HKCU\\Software\\Lumivo\\LumivoTools\\Skin", 4));
    EXPECT_TRUE(GetLumivoToolsSkin(skin));
    EXPECT_EQ(skin, 4u);
    const wchar_t text[] = L"4";
    ASSERT_TRUE(guard.Set(REG_SZ, text, sizeof text)); // four bytes, but no DWORD
    skin = 99;
    EXPECT_FALSE(GetLumivoToolsSkin(skin));
    EXPECT_EQ(skin, 1u);
}

TEST(Formatting, TwoArgumentsIntoABoundedBuffer)
{
    wchar_t buffer[16];
    EXPECT_EQ(SPrintfW2(buffer, 16, L"%s\\%s.xml", L"C:\\a", L"b"), 10);
    EXPECT_STREQ(buffer, L"C:\\a\\b.xml");
    EXPECT_EQ(SPrintfW2(buffer, 16, L"%d of %d", 3, 12), 7);
    EXPECT_STREQ(buffer, L"3 of 12");
    EXPECT_EQ(SPrintfW2(buffer, 10, L"%s-%s", L"12345", L"6789"), -1) << "ten characters and the terminator";
    EXPECT_STREQ(buffer, L"");
    EXPECT_EQ(SPrintfW2(buffer, 11, L"%s-%s", L"12345", L"6789"), 10);
}

class PngResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&s_token, &input, nullptr), Gdiplus::Ok);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    // The committed private memory of the process, added up region by region (Wine reports no
    // private usage in the process counters).
    static SIZE_T PrivateBytes()
    {
        SIZE_T total = 0;
        MEMORY_BASIC_INFORMATION region;
        for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region; at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
            if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
                total += region.RegionSize;
            if (static_cast<const char*>(region.BaseAddress) + region.RegionSize < at)
                break;
        }
        return total;
    }

    static ULONG_PTR s_token;
};

ULONG_PTR PngResources::s_token = 0;

TEST_F(PngResources, LoadsThePictureAndLeavesTheOutValueAloneOnFailure)
{
    std::unique_ptr<Gdiplus::Image> image;
    ASSERT_TRUE(LoadPngResource(IDR_EDITORAPP_TEST_PNG, image));
    ASSERT_TRUE(image);
    EXPECT_GT(image->GetWidth(), 0u);
    EXPECT_GT(image->GetHeight(), 0u);
    Gdiplus::Image* before = image.get();
    for (UINT id : {UINT(IDR_EDITORAPP_MISSING_PNG), UINT(IDR_EDITORAPP_NOT_A_PNG)}) {
        EXPECT_FALSE(LoadPngResource(id, image)) << id;
        EXPECT_EQ(image.get(), before) << id;
    }
}

// Every load copies the resource into a memory block: each block must go with its picture.
TEST_F(PngResources, ThousandLoadsKeepThePrivateMemory)
{
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_EDITORAPP_TEST_PNG), L"PNG");
    ASSERT_NE(resource, nullptr);
    const SIZE_T pictureBytes = SizeofResource(nullptr, resource);
    ASSERT_GE(pictureBytes, 16u * 1024) << "a picture too small to show a leak";
    std::unique_ptr<Gdiplus::Image> image;
    ASSERT_TRUE(LoadPngResource(IDR_EDITORAPP_TEST_PNG, image)); // the decoder's first-use costs
    image.reset();
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(LoadPngResource(IDR_EDITORAPP_TEST_PNG, image));
        image.reset();
    }
    const SIZE_T after = PrivateBytes();
    // A leak of the blocks would be 1,000 pictures; a quarter of that is far above the noise.
    EXPECT_LT(after > before ? after - before : 0, 250 * pictureBytes) << "before " << before << ", after " << after;
}

} // namespace
