// KQBatch.exe run as a child process: its output lines, the files it writes and their pixels.
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "TestSupport.h"
#include "CxImageGIF.h"
#include "XmlDocument.h"
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
    result.lines = SplitLines(child.ReadOutput(60000));
    EXPECT_FALSE(child.EndedByTest()) << "KQBatch ran a minute and was ended";
    result.exitCode = child.WaitForExit(30000);
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

// A width x height 8-bit picture of one colour in a few bytes: a run-length BMP whose data ends
// at once, which leaves every pixel at palette entry 0.
std::string BlankRle8Bmp(int32_t width, int32_t height)
{
    std::string bmp;
    auto put = [&bmp](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp += char(value >> (8 * i));
    };
    const uint32_t bitsOffset = 14 + 40 + 4;
    bmp += "BM";
    put(bitsOffset + 2, 4);
    put(0, 4);
    put(bitsOffset, 4);
    put(40, 4);
    put(uint32_t(width), 4);
    put(uint32_t(height), 4);
    put(1, 2);      // planes
    put(8, 2);      // bits a pixel
    put(BI_RLE8, 4);
    put(2, 4);      // data bytes
    put(0, 4);
    put(0, 4);
    put(1, 4);      // palette entries
    put(0, 4);
    put(0x00C08040, 4);
    put(0x0100, 2); // end of picture
    return bmp;
}

// Each test works in a fresh temporary folder.
class KQBatchTest : public ::testing::Test {
protected:
    std::wstring Path(const std::wstring& name) const { return m_folder.At(name); }

    std::wstring Save(const CZVImage& image, const std::wstring& name)
    {
        CZVImage copy(image);
        const std::wstring path = Path(name);
        EXPECT_TRUE(copy.SaveFile(path.c_str(), CXIMAGE_FORMAT_BMP));
        return path;
    }

    testsupport::TempFolder m_folder;
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
    testsupport::TempFolder::Put(target, "old");
    Result unknown = RunKQBatch(L"Flip " + Quoted(odd) + L" " + Quoted(target));
    EXPECT_EQ(unknown.lines, (Lines{"Loading", "Flip", "Error : fail to save " + Narrow(target)}));
    EXPECT_EQ(testsupport::TempFolder::Get(target), "old");

    // The same picture may go to a name that does say a format.
    Result known = RunKQBatch(L"Flip " + Quoted(odd) + L" " + Quoted(Path(L"target.png")));
    EXPECT_EQ(known.lines, (Lines{"Loading", "Flip", "Complete"}));
    EXPECT_EQ(Load(Path(L"target.png")).GetType(), DWORD(CXIMAGE_FORMAT_PNG));

    // A read-only picture rewritten in place stays as it was, under Wine as under Windows.
    const std::wstring locked = Save(Pattern(8, 6), L"locked.bmp");
    const std::string before = testsupport::TempFolder::Get(locked);
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    Result readOnly = RunKQBatch(L"Flip " + Quoted(locked) + L" " + Quoted(locked));
    EXPECT_EQ(readOnly.lines, (Lines{"Loading", "Flip", "Error : fail to save " + Narrow(locked)}));
    EXPECT_EQ(testsupport::TempFolder::Get(locked), before);
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

// An operation that the image library refuses ends the command with an error line: nothing is
// written, and an output that was there already stays as it was. Resize asks for more than the
// library's largest picture. Bulge is refused in its middle step: the picture flips, but it is
// too large for the working copies of a distortion.
TEST_F(KQBatchTest, RefusedOperationsWriteNothing)
{
    const std::wstring small = Save(Pattern(24, 16), L"small.bmp");
    const std::wstring large = Path(L"large.bmp");
    testsupport::TempFolder::Put(large, BlankRle8Bmp(10000, 9000));
    struct Case {
        const wchar_t* word;
        std::wstring input;
        const wchar_t* arguments;
    };
    const Case cases[] = {
        {L"Resize", small, L"40000 40000"},
        {L"Bulge", large, L"80 0 0"},
    };
    const std::wstring out = Path(L"out.bmp");
    for (const Case& c : cases) {
        for (const bool outputExisted : {false, true}) {
            SCOPED_TRACE(Narrow(c.word) + (outputExisted ? " over an old output" : ""));
            DeleteFileW(out.c_str());
            if (outputExisted)
                testsupport::TempFolder::Put(out, "old");
            Result r =
                RunKQBatch(std::wstring(c.word) + L" " + Quoted(c.input) + L" " + Quoted(out) + L" " + c.arguments);
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_EQ(r.lines, (Lines{"Loading", Narrow(c.word), "Error : fail to apply " + Narrow(c.word)}));
            if (outputExisted)
                EXPECT_TRUE(testsupport::TempFolder::Get(out) == "old") << "the old output was replaced";
            else
                EXPECT_FALSE(Exists(out));
        }
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

// The commands change one frame and write one: a picture of several frames is refused and left
// byte for byte as it was, whichever command the browser's batch runs over it in place. A GIF
// of one frame is still written.
TEST_F(KQBatchTest, PicturesOfSeveralFramesAreLeftAsTheyAre)
{
    const auto writeGif = [&](const std::wstring& name, int count) {
        std::vector<CZVImage> frames;
        for (int i = 0; i < count; ++i)
            frames.push_back(Solid(20, 12, Rgb(BYTE(60 * i), 200, BYTE(255 - 60 * i))));
        std::vector<CxImage*> list;
        for (CZVImage& frame : frames)
            list.push_back(&frame);
        const std::wstring path = Path(name);
        FILE* file = _wfopen(path.c_str(), L"wb");
        CxImageGIF gif;
        EXPECT_TRUE(file && gif.Encode(file, list.data(), int(list.size())));
        if (file)
            fclose(file);
        return path;
    };
    const std::wstring mark = Save(Solid(4, 4, Rgb(255, 255, 255)), L"mark.bmp");
    struct Case {
        const wchar_t* word;
        std::wstring arguments;
        Lines before; // the lines ahead of the error
    };
    const Case cases[] = {
        {L"GrayScale", L"", {"Loading"}},
        {L"RotaryZoom", L"90 1 1", {"Loading"}},
        {L"Mirror", L"", {"Loading"}},
        {L"Resize", L"10 6", {"Loading"}},
        {L"Watermark", Quoted(mark) + L" 0.00 0.00 0 25 /alpha=50", {}},
    };
    const std::string refusal = "Error : The picture has several frames and was left as it is";
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.word));
        const std::wstring animation = writeGif(L"animation.gif", 3);
        ASSERT_EQ(Load(animation).GetNumFrames(), 3);
        const std::string before = testsupport::TempFolder::Get(animation);
        Result r = RunKQBatch(std::wstring(c.word) + L" " + Quoted(animation) + L" " + Quoted(animation) + L" " + c.arguments);
        Lines expected = c.before;
        expected.push_back(refusal);
        EXPECT_EQ(r.lines, expected);
        EXPECT_TRUE(testsupport::TempFolder::Get(animation) == before) << "the animation was rewritten";

        const std::wstring still = writeGif(L"still.gif", 1);
        Result one = RunKQBatch(std::wstring(c.word) + L" " + Quoted(still) + L" " + Quoted(still) + L" " + c.arguments);
        EXPECT_EQ(one.lines.back(), "Complete");
    }
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

// The Page command on a grey 200 x 120 page: probes at the slots' centres and beside them.
class PageTest : public KQBatchTest {
protected:
    void SetUp() override
    {
        KQBatchTest::SetUp();
        m_page = Save(Solid(200, 120, kGrey), L"page.bmp");
        m_red = Save(Solid(50, 50, Rgb(255, 0, 0)), L"red.bmp");
        m_blue = Save(Solid(80, 40, Rgb(0, 0, 255)), L"blue.bmp");
        m_out = Path(L"out.bmp");
    }
    void Template(const std::string& xml, const std::wstring& name = L"page.xml")
    {
        ASSERT_TRUE(testsupport::TempFolder::Put(Path(name), xml));
    }
    Result Run(const std::vector<std::wstring>& pictures, const std::wstring& page = L"")
    {
        DeleteFileW(m_out.c_str());
        std::wstring arguments = L"Page " + Quoted(page.empty() ? m_page : page) + L" " + Quoted(m_out);
        for (const std::wstring& picture : pictures)
            arguments += L" " + Quoted(picture);
        return RunKQBatch(arguments);
    }

    static const RGBQUAD kGrey;
    std::wstring m_page, m_red, m_blue, m_out;
};

const RGBQUAD PageTest::kGrey = {128, 128, 128, 0};

// A plain box (no shape) and an outlined circle.
const char kTwoSlots[] =
    "<?xml version=\"1.0\"?>\n<Slots Move=\"on\" Transparent=\"off\">"
    "<Slot><box x=\"10\" y=\"10\" width=\"60\" height=\"40\"/></Slot>"
    "<Slot border=\"4\" bordercolor=\"FF00FF00\"><box x=\"100\" y=\"10\" width=\"80\" height=\"80\"/>"
    "<ellipse x=\"0\" y=\"0\" width=\"80\" height=\"80\"/></Slot></Slots>";

TEST_F(PageTest, FillsSlotsInOrder)
{
    Template(kTwoSlots);
    const RGBQUAD red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255), green = Rgb(0, 255, 0);
    struct Probe {
        long x, y;
        RGBQUAD colour;
    };
    struct Case {
        const char* name;
        std::vector<std::wstring> pictures;
        std::vector<Probe> probes;
    };
    // Red, transparent on its left half.
    CZVImage halfClear = Solid(60, 40, red);
    halfClear.AlphaCreate();
    for (long y = 0; y < 40; ++y)
        for (long x = 0; x < 30; ++x)
            halfClear.AlphaSet(x, y, 0);
    const std::wstring clear = Path(L"clear.png");
    ASSERT_TRUE(halfClear.SaveFile(clear.c_str(), CXIMAGE_FORMAT_PNG));
    const Case cases[] = {
        {"two pictures", {m_red, m_blue},
         {{40, 30, red}, {12, 12, red}, {67, 47, red}, {5, 5, kGrey}, {40, 55, kGrey}, {75, 30, kGrey},
          {140, 50, blue}, {102, 12, kGrey}, {178, 88, kGrey}, {101, 50, green}, {140, 11, green}, {140, 100, kGrey}}},
        {"a third picture is ignored", {m_blue, m_red, m_red}, {{40, 30, blue}, {140, 50, red}, {190, 110, kGrey}}},
        {"the second slot stays empty", {m_blue}, {{40, 30, blue}, {140, 50, kGrey}, {101, 50, kGrey}}},
        {"transparent parts of a picture come out white", {clear}, {{15, 30, Rgb(255, 255, 255)}, {60, 30, red}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Result r = Run(c.pictures);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.lines, (Lines{"Loading", "Page", "Complete"}));
        const CZVImage out = Load(m_out);
        ASSERT_TRUE(out.IsValid());
        for (const Probe& p : c.probes)
            EXPECT_TRUE(Same(At(out, p.x, p.y), p.colour, 8)) << p.x << "," << p.y;
    }
    // No pictures: the page comes out as it went in.
    Result none = Run({});
    EXPECT_EQ(none.lines, (Lines{"Loading", "Page", "Complete"}));
    EXPECT_TRUE(SamePixels(Load(m_out), Load(m_page)));
}

// A 400 x 300 picture of red, green and blue thirds covers a 100 x 100 box: scaled to 133 x 100,
// its middle is used, so the red third barely shows.
TEST_F(PageTest, PicturesCoverTheirBox)
{
    CZVImage thirds = Solid(400, 300, Rgb(255, 0, 0));
    for (long y = 0; y < 300; ++y)
        for (long x = 134; x < 400; ++x)
            thirds.SetPixelColor(x, y, x < 267 ? Rgb(0, 255, 0) : Rgb(0, 0, 255));
    const std::wstring picture = Save(thirds, L"thirds.bmp");
    Template("<Slots><Slot><box x=\"50\" y=\"10\" width=\"100\" height=\"100\"/></Slot></Slots>");
    Result r = Run({picture});
    EXPECT_EQ(r.lines, (Lines{"Loading", "Page", "Complete"}));
    const CZVImage out = Load(m_out);
    EXPECT_TRUE(Same(At(out, 51, 60), Rgb(255, 0, 0), 8));
    EXPECT_TRUE(Same(At(out, 81, 60), Rgb(0, 255, 0), 8)); // squeezed, not cut, it would still be red here
    EXPECT_TRUE(Same(At(out, 100, 60), Rgb(0, 255, 0), 8));
    EXPECT_TRUE(Same(At(out, 148, 60), Rgb(0, 0, 255), 8));
    EXPECT_TRUE(Same(At(out, 48, 60), kGrey));
}

// A slot turned a quarter: a 40 x 80 figure upright, 80 x 40 on the page. The picture turns
// with it and stays inside the box: its top (red) comes to the right.
TEST_F(PageTest, TurnedSlots)
{
    CZVImage halves = Solid(40, 80, Rgb(0, 0, 255));
    for (long y = 0; y < 40; ++y)
        for (long x = 0; x < 40; ++x)
            halves.SetPixelColor(x, 79 - y, Rgb(255, 0, 0));
    const std::wstring picture = Save(halves, L"halves.bmp");
    Template("<Slots><Slot a=\"90\" width=\"40\" height=\"80\"><box x=\"60\" y=\"40\" width=\"80\" height=\"40\"/>"
             "<path d=\"M0,0 L40,0 L40,80 L0,80 Z\"/></Slot></Slots>");
    Result r = Run({picture});
    EXPECT_EQ(r.lines, (Lines{"Loading", "Page", "Complete"}));
    const CZVImage out = Load(m_out);
    EXPECT_TRUE(Same(At(out, 120, 60), Rgb(255, 0, 0), 8));
    EXPECT_TRUE(Same(At(out, 80, 60), Rgb(0, 0, 255), 8));
    EXPECT_TRUE(Same(At(out, 62, 42), Rgb(0, 0, 255), 8));
    EXPECT_TRUE(Same(At(out, 137, 77), Rgb(255, 0, 0), 8));
    for (const POINT p : {POINT{100, 36}, POINT{100, 84}, POINT{56, 60}, POINT{144, 60}})
        EXPECT_TRUE(Same(At(out, p.x, p.y), kGrey)) << p.x << "," << p.y;
}

// A page with a window: with "Transparent" on, the page lies over the picture.
TEST_F(PageTest, TransparentPageLiesOverThePictures)
{
    CZVImage page = Solid(100, 80, kGrey);
    page.AlphaCreate();
    page.AlphaSet(255);
    for (long y = 30; y < 50; ++y)
        for (long x = 30; x < 70; ++x)
            page.AlphaSet(x, y, 0);
    m_page = Path(L"window.png");
    ASSERT_TRUE(page.SaveFile(m_page.c_str(), CXIMAGE_FORMAT_PNG));
    struct Case {
        const char* switchValue;
        bool over;
    };
    for (const Case c : {Case{"on", true}, Case{"On", false}, Case{"true", false}}) {
        SCOPED_TRACE(c.switchValue);
        Template(std::string("<Slots Transparent=\"") + c.switchValue +
                     "\"><Slot><box x=\"10\" y=\"10\" width=\"80\" height=\"60\"/></Slot></Slots>",
                 L"window.xml");
        Result r = Run({m_red}, m_page);
        EXPECT_EQ(r.lines, (Lines{"Loading", "Page", "Complete"}));
        const CZVImage out = Load(m_out);
        EXPECT_EQ(out.GetType(), DWORD(CXIMAGE_FORMAT_PNG)); // the page's format, whatever the name
        EXPECT_TRUE(Same(At(out, 50, 40), Rgb(255, 0, 0), 8));
        EXPECT_TRUE(Same(At(out, 15, 15), c.over ? kGrey : Rgb(255, 0, 0), 8));
        EXPECT_TRUE(Same(At(out, 5, 5), kGrey));
    }
}

TEST_F(PageTest, WhatItCannotUse)
{
    Template(kTwoSlots);
    const std::wstring missing = Path(L"missing.bmp");
    Result noPicture = Run({m_red, missing});
    EXPECT_EQ(noPicture.lines, (Lines{"Loading", "Page", "Error : fail to load " + Narrow(missing)}));
    EXPECT_FALSE(Exists(m_out));

    Result noPage = Run({m_red}, Path(L"nopage.bmp"));
    EXPECT_EQ(noPage.lines, (Lines{"Loading", "Error : fail to load " + Narrow(Path(L"nopage.bmp"))}));
    EXPECT_FALSE(Exists(m_out));

    // Without a usable template the page is written as it is.
    for (const char* xml : {"", "<Slots><Slot><box x=\"1\"", "<Page><Slot><box x=\"0\" y=\"0\" width=\"9\" height=\"9\"/></Slot></Page>"}) {
        SCOPED_TRACE(xml);
        DeleteFileW(Path(L"page.xml").c_str());
        if (*xml)
            Template(xml);
        Result r = Run({m_red});
        EXPECT_EQ(r.lines, (Lines{"Loading", "Page", "Complete"}));
        EXPECT_TRUE(SamePixels(Load(m_out), Load(m_page)));
    }

    // A picture that cannot be made to cover its box (one wider than the library's largest
    // picture) ends the command; nothing is written.
    Template("<Slots><Slot><box x=\"0\" y=\"0\" width=\"40000\" height=\"100\"/></Slot></Slots>");
    Result tooWide = Run({m_red});
    EXPECT_EQ(tooWide.lines, (Lines{"Loading", "Page", "Error : fail to place " + Narrow(m_red)}));
    EXPECT_FALSE(Exists(m_out));

    // An empty box is passed over with its argument; the next slot takes the next picture.
    Template("<Slots><Slot><box x=\"10\" y=\"10\" width=\"0\" height=\"40\"/></Slot>"
             "<Slot><box x=\"10\" y=\"10\" width=\"40\" height=\"40\"/></Slot></Slots>");
    Result empty = Run({missing, m_blue});
    EXPECT_EQ(empty.lines, (Lines{"Loading", "Page", "Complete"}));
    EXPECT_TRUE(Same(At(Load(m_out), 30, 30), Rgb(0, 0, 255), 8));
}

// A page named without a folder finds its template in the current folder.
TEST_F(PageTest, PageInTheCurrentFolder)
{
    Template(kTwoSlots);
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(m_folder.Root().c_str()));
    Result r = RunKQBatch(L"Page page.bmp out.bmp red.bmp");
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(r.lines, (Lines{"Loading", "Page", "Complete"}));
    EXPECT_TRUE(Same(At(Load(m_out), 40, 30), Rgb(255, 0, 0), 8));
}

// The suite's own templates: every slot takes its picture, seen at the middle of its box.
TEST_F(PageTest, ShippedTemplates)
{
    const RGBQUAD colours[] = {Rgb(220, 30, 30), Rgb(30, 160, 40), Rgb(30, 60, 220), Rgb(240, 200, 20)};
    std::vector<std::wstring> pictures;
    for (int i = 0; i < 4; ++i)
        pictures.push_back(Save(Solid(64, 48, colours[i]), L"colour" + std::to_wstring(i) + L".bmp"));
    const std::wstring folder = testsupport::BinDir() + L"\\Data\\Page\\Template\\";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*.xml").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int templates = 0;
    do {
        const std::wstring xml = folder + found.cFileName;
        const std::wstring title = xml.substr(0, xml.size() - 4);
        const std::wstring page = Exists(title + L".jpg") ? title + L".jpg" : title + L".png";
        SCOPED_TRACE(Narrow(page));
        XmlDocument document;
        ASSERT_TRUE(XmlLoadFile(&document, xml.c_str()));
        XmlNode* slots = document.FindChild(L"Slots");
        ASSERT_TRUE(slots);
        std::vector<POINT> centres;
        XmlNode::ChildPos position;
        for (XmlNode* slot = slots->FindFirstChild(L"Slot", position); slot; slot = slots->FindNextChild(L"Slot", position)) {
            XmlNode* box = slot->FindChild(L"box");
            ASSERT_TRUE(box);
            auto value = [box](const wchar_t* name) { return _wtoi(box->FindAttribute(name)->value); };
            centres.push_back(POINT{value(L"x") + value(L"width") / 2, value(L"y") + value(L"height") / 2});
        }
        ASSERT_GE(centres.size(), 3u);
        ASSERT_LE(centres.size(), 4u);
        Result r = Run(pictures, page);
        EXPECT_EQ(r.lines, (Lines{"Loading", "Page", "Complete"}));
        const CZVImage out = Load(m_out);
        for (size_t i = 0; i < centres.size(); ++i)
            EXPECT_TRUE(Same(At(out, centres[i].x, centres[i].y), colours[i], 24)) << "slot " << i;
        EXPECT_TRUE(Same(At(out, 2, 2), At(Load(page), 2, 2), 24));
        ++templates;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_GE(templates, 4);
}

} // namespace
