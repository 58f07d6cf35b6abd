// KQBatch.exe run as a child process: its output lines, the files it writes and their pixels.
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "TestSupport.h"
#include "ZVImage.h"

namespace {

typedef std::vector<std::string> Lines;

struct Result {
    long exitCode;
    Lines lines; // carriage returns stripped
};

Lines SplitLines(const std::string& text)
{
    Lines lines;
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::wstring KQBatchPath()
{
    return testsupport::BinDir() + L"\\KQBatch.exe";
}

Result Finish(testsupport::ChildProcess& child)
{
    Result result;
    result.lines = SplitLines(child.ReadOutput());
    result.exitCode = child.WaitForExit(60000);
    return result;
}

Result RunKQBatch(const std::wstring& arguments)
{
    testsupport::ChildProcess child;
    EXPECT_TRUE(child.Start(KQBatchPath(), arguments, true));
    return Finish(child);
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end()); // ASCII paths only
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Pixel (x, y) with y counted from the top row.
RGBQUAD At(const CxImage& image, long x, long y)
{
    return image.GetPixelColor(x, long(image.GetHeight()) - 1 - y, false);
}

bool Same(RGBQUAD a, RGBQUAD b, int tolerance = 0)
{
    return std::abs(a.rgbRed - b.rgbRed) <= tolerance && std::abs(a.rgbGreen - b.rgbGreen) <= tolerance &&
           std::abs(a.rgbBlue - b.rgbBlue) <= tolerance;
}

bool SamePixels(const CxImage& a, const CxImage& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return false;
    for (long y = 0; y < long(a.GetHeight()); ++y)
        for (long x = 0; x < long(a.GetWidth()); ++x)
            if (!Same(At(a, x, y), At(b, x, y)))
                return false;
    return true;
}

RGBQUAD Rgb(BYTE r, BYTE g, BYTE b)
{
    RGBQUAD c = {b, g, r, 0};
    return c;
}

// Every pixel different: red x * 23, green y * 31, blue (x + y) * 13.
CZVImage Pattern(long width, long height)
{
    CZVImage image;
    image.Create(width, height, 24);
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            image.SetPixelColor(x, height - 1 - y, Rgb(BYTE(x * 23), BYTE(y * 31), BYTE((x + y) * 13)));
    return image;
}

CZVImage Solid(long width, long height, RGBQUAD colour)
{
    CZVImage image;
    image.Create(width, height, 24);
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            image.SetPixelColor(x, y, colour);
    return image;
}

CZVImage Load(const std::wstring& path)
{
    CZVImage image;
    image.LoadFile(path.c_str());
    return image;
}

class KQBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_dir = std::wstring(temp) + L"kqbatch-test-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_dir.c_str(), nullptr);
    }
    void TearDown() override { RemoveTree(m_dir); }

    std::wstring Path(const std::wstring& name) const { return m_dir + L"\\" + name; }

    std::wstring Save(const CZVImage& image, const std::wstring& name)
    {
        CZVImage copy(image);
        const std::wstring path = Path(name);
        EXPECT_TRUE(copy.SaveFile(path.c_str(), CXIMAGE_FORMAT_BMP));
        return path;
    }

    static void RemoveTree(const std::wstring& dir)
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = dir + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(dir.c_str());
    }

    std::wstring m_dir;
};

TEST_F(KQBatchTest, UsageAndMissingArguments)
{
    Result usage = RunKQBatch(L"");
    EXPECT_EQ(usage.exitCode, 0);
    EXPECT_EQ(usage.lines, (Lines{"Lumivo Shows Batch Command:",
                                  "KQBatch.exe CMD_STRING InFileName OutFileName .... /Switch1 /Switch2  "}));

    const std::wstring in = Save(Pattern(8, 6), L"in.bmp"), out = Path(L"out.bmp");
    const std::wstring cases[] = {
        L"GrayScale",
        L"GrayScale " + Quoted(in),
        L"Resize " + Quoted(in) + L" " + Quoted(out) + L" 10",
        L"Frame " + Quoted(in) + L" " + Quoted(out) + L" " + Quoted(in) + L" 4",
        L"Watermark " + Quoted(in) + L" " + Quoted(out) + L" " + Quoted(in) + L" 0 0 4",
        L"Twist " + Quoted(in) + L" " + Quoted(out) + L" 1 2 3",
        L"ShiftRGB " + Quoted(in) + L" " + Quoted(out) + L" 1 2",
        L"Mosaic " + Quoted(in) + L" " + Quoted(out),
    };
    for (const std::wstring& arguments : cases) {
        Result r = RunKQBatch(arguments);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.lines, Lines{"Error : Not enough parameters"}) << Narrow(arguments);
        EXPECT_FALSE(Exists(out)) << Narrow(arguments);
    }
}

TEST_F(KQBatchTest, WordsThatDoNothing)
{
    const std::wstring in = Save(Pattern(8, 6), L"in.bmp"), out = Path(L"out.bmp");
    for (const wchar_t* word : {L"NoSuchCommand", L"Blinds", L"Threshold2", L"Flipper"}) {
        Result r = RunKQBatch(std::wstring(word) + L" " + Quoted(in) + L" " + Quoted(out) + L" 1 2 3 4");
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.lines.empty()) << Narrow(word);
        EXPECT_FALSE(Exists(out)) << Narrow(word);
    }
}

struct CommandCase {
    const wchar_t* word;
    const wchar_t* arguments; // after the two paths
    std::function<void(const CZVImage& in, const CZVImage& out)> check;
};

void ExpectChangedSameSize(const CZVImage& in, const CZVImage& out)
{
    EXPECT_EQ(out.GetWidth(), in.GetWidth());
    EXPECT_EQ(out.GetHeight(), in.GetHeight());
    EXPECT_FALSE(SamePixels(in, out));
}

bool OnlyBlackAndWhite(const CZVImage& image)
{
    for (long y = 0; y < long(image.GetHeight()); ++y)
        for (long x = 0; x < long(image.GetWidth()); ++x) {
            const RGBQUAD c = At(image, x, y);
            if (!Same(c, Rgb(0, 0, 0)) && !Same(c, Rgb(255, 255, 255)))
                return false;
        }
    return true;
}

TEST_F(KQBatchTest, EveryCommandChangesThePicture)
{
    const long w = 24, h = 16;
    const CommandCase cases[] = {
        {L"Resize", L"10 7", [](const CZVImage&, const CZVImage& out) {
             EXPECT_EQ(out.GetWidth(), 10u);
             EXPECT_EQ(out.GetHeight(), 7u);
         }},
        {L"RotaryZoom", L"-90 1 1", [&](const CZVImage& in, const CZVImage& out) {
             // A quarter turn counterclockwise: the top right corner comes to the top left.
             ASSERT_EQ(out.GetWidth(), in.GetHeight());
             ASSERT_EQ(out.GetHeight(), in.GetWidth());
             EXPECT_TRUE(Same(At(out, 0, 0), At(in, w - 1, 0), 2));
         }},
        {L"SkinSanding", L"20 100", ExpectChangedSameSize},
        {L"GrayScale", L"", [](const CZVImage& in, const CZVImage& out) {
             ExpectChangedSameSize(in, out);
             const RGBQUAD c = At(out, 7, 5);
             EXPECT_TRUE(c.rgbRed == c.rgbGreen && c.rgbGreen == c.rgbBlue);
         }},
        {L"ColorTone", L"FF8000 80", ExpectChangedSameSize},
        {L"Mosaic", L"4", ExpectChangedSameSize},
        {L"Invert", L"", [](const CZVImage& in, const CZVImage& out) {
             const RGBQUAD a = At(in, 7, 5), b = At(out, 7, 5);
             EXPECT_TRUE(Same(b, Rgb(255 - a.rgbRed, 255 - a.rgbGreen, 255 - a.rgbBlue)));
         }},
        {L"BlurMotion", L"5 0", ExpectChangedSameSize},
        {L"BlurRadial", L"30 0 0", ExpectChangedSameSize},
        {L"BlurZoom", L"50 0 0", ExpectChangedSameSize},
        {L"Noisify", L"50 0", ExpectChangedSameSize},
        {L"Splash", L"3", ExpectChangedSameSize},
        {L"Posterize", L"2", ExpectChangedSameSize},
        {L"Grid3D", L"4 100", ExpectChangedSameSize},
        {L"Shift", L"3", ExpectChangedSameSize},
        {L"Ribbon", L"50 50", ExpectChangedSameSize},
        {L"Bulge", L"80 0 0", ExpectChangedSameSize},
        {L"Twist", L"30 100 0 0", ExpectChangedSameSize},
        {L"Illusion", L"4", ExpectChangedSameSize},
        {L"Wave", L"20 50 0", ExpectChangedSameSize},
        {L"Ripple", L"20 50 1", ExpectChangedSameSize},
        {L"TileReflection", L"6 10 30", ExpectChangedSameSize},
        {L"RaiseFrame", L"3", ExpectChangedSameSize},
        {L"HalftoneM3", L"", [](const CZVImage& in, const CZVImage& out) {
             ExpectChangedSameSize(in, out);
             EXPECT_TRUE(OnlyBlackAndWhite(out));
         }},
        {L"Threshold", L"300", [](const CZVImage& in, const CZVImage& out) {
             ExpectChangedSameSize(in, out);
             EXPECT_TRUE(OnlyBlackAndWhite(out));
         }},
        {L"Solarize", L"128", ExpectChangedSameSize},
        {L"BrightnessContrast", L"30 20", ExpectChangedSameSize},
        {L"HueSaturation", L"50 0", ExpectChangedSameSize},
        {L"Gamma", L"200", ExpectChangedSameSize},
        {L"ShiftRGB", L"20 -20 10", [](const CZVImage& in, const CZVImage& out) {
             ExpectChangedSameSize(in, out);
             EXPECT_EQ(At(out, 0, 0).rgbRed, At(in, 0, 0).rgbRed + 20);
         }},
        {L"InvertedImage", L"0.5 1 0", [](const CZVImage& in, const CZVImage& out) {
             EXPECT_EQ(out.GetWidth(), in.GetWidth());
             EXPECT_GT(out.GetHeight(), in.GetHeight());
         }},
        {L"Flip", L"", [&](const CZVImage& in, const CZVImage& out) {
             ASSERT_EQ(out.GetHeight(), in.GetHeight());
             for (long y = 0; y < h; ++y)
                 EXPECT_TRUE(Same(At(out, 3, y), At(in, 3, h - 1 - y)));
         }},
        {L"Mirror", L"", [&](const CZVImage& in, const CZVImage& out) {
             ASSERT_EQ(out.GetWidth(), in.GetWidth());
             for (long x = 0; x < w; ++x)
                 EXPECT_TRUE(Same(At(out, x, 2), At(in, w - 1 - x, 2)));
         }},
    };
    const CZVImage pattern = Pattern(w, h);
    const std::wstring in = Save(pattern, L"pattern.bmp");
    for (const CommandCase& c : cases) {
        const std::wstring out = Path(L"out.bmp");
        DeleteFileW(out.c_str());
        Result r = RunKQBatch(std::wstring(c.word) + L" " + Quoted(in) + L" " + Quoted(out) + L" " + c.arguments);
        SCOPED_TRACE(Narrow(c.word));
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.lines, (Lines{"Loading", Narrow(c.word), "Complete"}));
        const CZVImage result = Load(out);
        ASSERT_TRUE(result.IsValid());
        c.check(pattern, result);
    }
}

TEST_F(KQBatchTest, InPlaceAndAnyCaseOfTheWord)
{
    const CZVImage pattern = Pattern(12, 9);
    const std::wstring path = Save(pattern, L"same.bmp");
    Result r = RunKQBatch(L"fLIP " + Quoted(path) + L" " + Quoted(path));
    EXPECT_EQ(r.lines, (Lines{"Loading", "Flip", "Complete"})); // the word as the table spells it
    const CZVImage result = Load(path);
    ASSERT_TRUE(result.IsValid());
    EXPECT_TRUE(Same(At(result, 5, 0), At(pattern, 5, 8)));
    // Nothing is left beside the picture.
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Path(L"*").c_str(), &found);
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 1);
}

TEST_F(KQBatchTest, PathsWithBlanksAndNonAsciiCharacters)
{
    const std::wstring folder = Path(L"a b \u00fc\u65e5\u672c");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const CZVImage pattern = Pattern(10, 8);
    const std::wstring in = Save(pattern, L"a b \u00fc\u65e5\u672c\\pic \u00e4.bmp");
    const std::wstring out = folder + L"\\out \u0416.bmp";

    Result r = RunKQBatch(L"Mirror " + Quoted(in) + L" " + Quoted(out));
    EXPECT_EQ(r.lines, (Lines{"Loading", "Mirror", "Complete"}));
    EXPECT_TRUE(Same(At(Load(out), 0, 0), At(pattern, 9, 0)));

    // As the browser starts it: the command line begins with a blank, no program name.
    testsupport::ChildProcess child;
    ASSERT_TRUE(child.StartCommandLine(KQBatchPath(), L" Flip " + Quoted(in) + L" " + Quoted(in), true));
    Result started = Finish(child);
    EXPECT_EQ(started.exitCode, 0);
    EXPECT_EQ(started.lines, (Lines{"Loading", "Flip", "Complete"}));
    EXPECT_TRUE(Same(At(Load(in), 0, 0), At(pattern, 0, 7)));
}

TEST_F(KQBatchTest, FailuresToLoadAndSave)
{
    const std::wstring in = Save(Pattern(8, 6), L"in.bmp");
    const std::wstring missing = Path(L"missing.bmp");
    Result load = RunKQBatch(L"Flip " + Quoted(missing) + L" " + Quoted(Path(L"out.bmp")));
    EXPECT_EQ(load.lines, (Lines{"Loading", "Error : fail to load " + Narrow(missing)}));

    const std::wstring noFolder = Path(L"no folder\\out.bmp");
    Result save = RunKQBatch(L"Flip " + Quoted(in) + L" " + Quoted(noFolder));
    EXPECT_EQ(save.exitCode, 0);
    EXPECT_EQ(save.lines, (Lines{"Loading", "Flip", "Error : fail to save " + Narrow(noFolder)}));

    // A picture under a name of no known format cannot be written back under such a name; the
    // old output stays as it was.
    const std::wstring odd = Path(L"picture.dat"), target = Path(L"target.dat");
    ASSERT_TRUE(CopyFileW(in.c_str(), odd.c_str(), FALSE));
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "old", 3, &written, nullptr);
    CloseHandle(file);
    Result unknown = RunKQBatch(L"Flip " + Quoted(odd) + L" " + Quoted(target));
    EXPECT_EQ(unknown.lines, (Lines{"Loading", "Flip", "Error : fail to save " + Narrow(target)}));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 3u);

    // The same picture may go to a name that does say a format.
    Result known = RunKQBatch(L"Flip " + Quoted(odd) + L" " + Quoted(Path(L"target.png")));
    EXPECT_EQ(known.lines, (Lines{"Loading", "Flip", "Complete"}));
    EXPECT_EQ(Load(Path(L"target.png")).GetType(), DWORD(CXIMAGE_FORMAT_PNG));
}

TEST_F(KQBatchTest, ResizeRefusesEmptySizes)
{
    const std::wstring in = Save(Pattern(8, 6), L"in.bmp"), out = Path(L"out.bmp");
    for (const wchar_t* size : {L"0 5", L"5 0", L"-3 5", L"x 5"}) {
        Result r = RunKQBatch(L"Resize " + Quoted(in) + L" " + Quoted(out) + L" " + size);
        EXPECT_EQ(r.lines, Lines{"Error : incorrect size"}) << Narrow(size);
        EXPECT_FALSE(Exists(out));
    }
}

TEST_F(KQBatchTest, FrameWithoutAFramePictureStillWrites)
{
    const CZVImage pattern = Pattern(8, 6);
    const std::wstring in = Save(pattern, L"in.bmp"), out = Path(L"out.bmp");
    Result r = RunKQBatch(L"Frame " + Quoted(in) + L" " + Quoted(out) + L" " + Quoted(Path(L"nothing.png")) + L" 4 0");
    EXPECT_EQ(r.lines, (Lines{"Loading", "Frame", "Complete"}));
    EXPECT_TRUE(SamePixels(Load(out), pattern));

    // A frame picture stretched over the whole picture (kind 0) shows at its edge.
    const std::wstring frame = Save(Solid(8, 6, Rgb(255, 0, 0)), L"frame.bmp");
    Result framed = RunKQBatch(L"Frame " + Quoted(in) + L" " + Quoted(out) + L" " + Quoted(frame) + L" 4 0");
    EXPECT_EQ(framed.lines, (Lines{"Loading", "Frame", "Complete"}));
    EXPECT_FALSE(SamePixels(Load(out), pattern));
}

// A white 20 x 10 watermark on a black 300 x 400 picture: one unit is 5 pixels.
class WatermarkTest : public KQBatchTest {
protected:
    void SetUp() override
    {
        KQBatchTest::SetUp();
        m_in = Save(Solid(300, 400, Rgb(0, 0, 0)), L"in.bmp");
        m_mark = Save(Solid(20, 10, Rgb(255, 255, 255)), L"mark.bmp");
        m_out = Path(L"out.bmp");
    }
    Result Run(const std::wstring& arguments, const std::wstring& switches = L"")
    {
        DeleteFileW(m_out.c_str());
        return RunKQBatch(switches + L" Watermark " + Quoted(m_in) + L" " + Quoted(m_out) + L" " + Quoted(m_mark) + L" " +
                          arguments);
    }
    // The box of the pixels that are not black, from the top left; right and bottom exclusive.
    RECT MarkBox()
    {
        const CZVImage out = Load(m_out);
        RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
        for (long y = 0; y < long(out.GetHeight()); ++y)
            for (long x = 0; x < long(out.GetWidth()); ++x) {
                const RGBQUAD c = At(out, x, y);
                if (c.rgbRed || c.rgbGreen || c.rgbBlue) {
                    box.left = std::min(box.left, LONG(x));
                    box.top = std::min(box.top, LONG(y));
                    box.right = std::max(box.right, LONG(x + 1));
                    box.bottom = std::max(box.bottom, LONG(y + 1));
                }
            }
        return box;
    }
    std::wstring m_in, m_mark, m_out;
};

TEST_F(WatermarkTest, NinePlaces)
{
    struct Case {
        const wchar_t* arguments; // offsets, position, size
        RECT box;
    };
    const Case cases[] = {
        {L"0 0 0 0", {280, 390, 300, 400}},   {L"0 0 1 0", {140, 390, 160, 400}},
        {L"0 0 2 0", {0, 390, 20, 400}},      {L"0 0 3 0", {280, 195, 300, 205}},
        {L"0 0 4 0", {140, 195, 160, 205}},   {L"0 0 5 0", {0, 195, 20, 205}},
        {L"0 0 6 0", {280, 0, 300, 10}},      {L"0 0 7 0", {140, 0, 160, 10}},
        {L"0 0 8 0", {0, 0, 20, 10}},
        {L"2 3 8 0", {10, 15, 30, 25}},       // offsets in units of 5 pixels
        {L"-2 -1 0 0", {270, 385, 290, 395}},
        {L"0 0 8 8", {0, 0, 40, 20}},         // fitted into 8 units: 40 x 40
        {L"0 0 4 100", {0, 75, 300, 325}},   // 500 x 250 centred: it overhangs both sides
    };
    for (const Case& c : cases) {
        Result r = Run(c.arguments);
        EXPECT_EQ(r.lines, Lines{"Complete"}) << Narrow(c.arguments);
        const RECT box = MarkBox();
        EXPECT_EQ(box.left, c.box.left) << Narrow(c.arguments);
        EXPECT_EQ(box.top, c.box.top) << Narrow(c.arguments);
        EXPECT_EQ(box.right, c.box.right) << Narrow(c.arguments);
        EXPECT_EQ(box.bottom, c.box.bottom) << Narrow(c.arguments);
    }
}

TEST_F(WatermarkTest, Refusals)
{
    for (const wchar_t* position : {L"9", L"-1"}) {
        Result r = Run(std::wstring(L"0 0 ") + position + L" 0");
        EXPECT_EQ(r.lines, Lines{"Error : incorrect Pos"});
        EXPECT_FALSE(Exists(m_out));
    }
    Result noMark = RunKQBatch(L"Watermark " + Quoted(m_in) + L" " + Quoted(m_out) + L" " + Quoted(Path(L"none.png")) + L" 0 0 0 0");
    EXPECT_EQ(noMark.lines, Lines{"Error : Fail to load Watermark file"});
    Result noInput = RunKQBatch(L"Watermark " + Quoted(Path(L"none.png")) + L" " + Quoted(m_out) + L" " + Quoted(m_mark) + L" 0 0 0 0");
    EXPECT_EQ(noInput.lines, Lines{"Error : Fail to load input file"});
}

// The opacity switch in its written forms; a refused line prints nothing and writes nothing.
TEST_F(WatermarkTest, OpacitySwitch)
{
    struct Case {
        const wchar_t* switches;
        int level; // of the watermark's pixels; -1: no output
    };
    const Case cases[] = {
        {L"", 255},
        {L"/alpha=40", 102},
        {L"-ALPHA:40", 102},
        {L"/Alpha=40 /overwrite-", 102},
        {L"/alpha=40 /overwrite+", 102},
        {L"/alpha=0", 0},
        {L"/alpha=250", 255}, // kept within 0 to 100 percent
        {L"/alpha-20", 0},
        {L"/alpha=4x", -1},
        {L"/alpha", -1},
        {L"/nosuch", -1},
    };
    for (const Case& c : cases) {
        Result r = Run(L"0 0 8 0", c.switches);
        EXPECT_EQ(r.exitCode, 0);
        if (c.level < 0) {
            EXPECT_TRUE(r.lines.empty()) << Narrow(c.switches);
            EXPECT_FALSE(Exists(m_out)) << Narrow(c.switches);
            continue;
        }
        EXPECT_EQ(r.lines, Lines{"Complete"}) << Narrow(c.switches);
        EXPECT_NEAR(At(Load(m_out), 5, 5).rgbGreen, c.level, 1) << Narrow(c.switches);
    }
}

TEST_F(WatermarkTest, WritesInTheOutputsFormat)
{
    const std::wstring png = Path(L"out.png");
    Result r = RunKQBatch(L"Watermark " + Quoted(m_in) + L" " + Quoted(png) + L" " + Quoted(m_mark) + L" 0 0 4 10");
    EXPECT_EQ(r.lines, Lines{"Complete"});
    EXPECT_EQ(Load(png).GetType(), DWORD(CXIMAGE_FORMAT_PNG));
}

} // namespace
