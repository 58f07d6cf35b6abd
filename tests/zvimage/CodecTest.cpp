// Files: round trips per format, the fixtures of each decoder, animation frames, shrink on
// load, project previews, detection, limits and failed saves.
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <minizip/zip.h>
#include <zlib.h>
#include "ZVImageTestSupport.h"

using namespace zvtest;

namespace {

// A smooth picture for the lossy formats, whose error on noise says nothing.
CZVImage Smooth(long w, long h, bool alpha = false)
{
    CZVImage image;
    image.Create(w, h, 24);
    if (alpha)
        image.AlphaCreate();
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x)
            image.SetPixelColor(x, y, RGBQUAD{BYTE(x * 255 / w), BYTE(y * 255 / h), 128, BYTE(alpha ? 255 - y * 200 / h : 255)}, true);
    return image;
}

struct RoundTrip {
    const wchar_t* name;
    DWORD type;
    bool alpha;
    int tolerance;   // 0: exact
};

const RoundTrip kRoundTrips[] = {
    {L"a.bmp", CXIMAGE_FORMAT_BMP, false, 0},
    {L"b.bmp", CXIMAGE_FORMAT_BMP, true, 0},
    {L"a.png", CXIMAGE_FORMAT_PNG, false, 0},
    {L"b.png", CXIMAGE_FORMAT_PNG, true, 0},
    {L"a.tif", CXIMAGE_FORMAT_TIF, false, 0},
    {L"b.tif", CXIMAGE_FORMAT_TIF, true, 0},
    {L"a.ico", CXIMAGE_FORMAT_ICO, true, 0},
    {L"a.webp", CXIMAGE_FORMAT_UNKNOWN, true, 0},   // code 0 saves WebP lossless
    {L"b.webp", CXIMAGE_FORMAT_WEBP, true, 12},
    {L"a.jpg", CXIMAGE_FORMAT_JPG, false, 12},
};

} // namespace

TEST(Codecs, RoundTripPerFormat)
{
    TempFolder dir;
    for (const RoundTrip& t : kRoundTrips) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(t.name)));
        CZVImage image = t.tolerance ? Smooth(40, 30, t.alpha) : Pattern(13, 9, t.alpha);
        image.SetXDPI(150);
        image.SetYDPI(150);
        ASSERT_TRUE(image.SaveFile(dir.At(t.name).c_str(), t.type));
        CZVImage back;
        ASSERT_TRUE(back.LoadFile(dir.At(t.name).c_str()));
        EXPECT_EQ(back.AlphaIsValid(), t.alpha);
        EXPECT_TRUE(SamePixels(back, image, t.tolerance, t.alpha));
        EXPECT_EQ(back.GetFullFileName(), dir.At(t.name));
        if (t.type != CXIMAGE_FORMAT_ICO && t.type != CXIMAGE_FORMAT_UNKNOWN && t.type != CXIMAGE_FORMAT_WEBP) {
            EXPECT_EQ(back.GetXDPI(), 150);
        }
    }
    // Only the pictures are left: every save went through a temporary file that was renamed.
    EXPECT_EQ(dir.List().size(), std::size(kRoundTrips));
}

TEST(Codecs, GifKeepsPaletteTransparencyAndDelay)
{
    TempFolder dir;
    CZVImage image = Pattern(11, 6);
    ASSERT_TRUE(image.DecreaseBpp(8, false));
    image.SetTransIndex(image.GetPixelIndex(2, 2));
    image.SetFrameDelay(35);
    ASSERT_TRUE(image.SaveFile(dir.At(L"x.gif").c_str(), CXIMAGE_FORMAT_GIF));
    CZVImage back;
    ASSERT_TRUE(back.LoadFile(dir.At(L"x.gif").c_str()));
    EXPECT_EQ(back.GetBpp(), 8);
    EXPECT_TRUE(SamePixels(back, image));
    EXPECT_EQ(back.GetTransIndex(), image.GetTransIndex());
    EXPECT_EQ(back.GetFrameDelay(), 35u);

    // A 24-bit picture with alpha: reduced, and clear pixels take a transparent index.
    CZVImage rgba = Smooth(8, 8, true);
    rgba.AlphaSet(0, 0, 0);
    ASSERT_TRUE(rgba.SaveFile(dir.At(L"y.gif").c_str(), CXIMAGE_FORMAT_GIF));
    ASSERT_TRUE(back.LoadFile(dir.At(L"y.gif").c_str()));
    ASSERT_TRUE(back.IsTransparent());
    EXPECT_EQ(back.GetPixelIndex(0, 0), back.GetTransIndex());
    EXPECT_NE(back.GetPixelIndex(5, 5), back.GetTransIndex());
}

TEST(Codecs, JpegQualityIsReadBack)
{
    TempFolder dir;
    for (BYTE quality : {BYTE(60), BYTE(63), BYTE(75), BYTE(90)}) {
        CZVImage image = Smooth(32, 32);
        image.SetJpegQuality(quality);
        ASSERT_TRUE(image.SaveFile(dir.At(L"q.jpg").c_str(), CXIMAGE_FORMAT_JPG));
        CZVImage back;
        ASSERT_TRUE(back.LoadFile(dir.At(L"q.jpg").c_str()));
        EXPECT_EQ(back.GetJpegQuality(), quality);
    }
}

TEST(Codecs, FixturesOfEachDecoder)
{
    CZVImage image;
    // PNG: a palette with one clear entry stays 8-bit with its transparent index.
    ASSERT_TRUE(image.LoadFile(Fixture(L"palette.png").c_str()));
    EXPECT_EQ(image.GetBpp(), 8);
    ASSERT_TRUE(image.IsTransparent());
    EXPECT_EQ(image.GetPixelIndex(0, 0), image.GetTransIndex());
    EXPECT_TRUE(SameColor(TopDown(image, 5, 4), RGBQUAD{255, 0, 255, 0}));
    // PNG: alpha, 16-bit grey, interlaced.
    ASSERT_TRUE(image.LoadFile(Fixture(L"alpha.png").c_str()));
    EXPECT_TRUE(image.AlphaIsValid());
    EXPECT_EQ(image.GetWidth(), 24u);
    ASSERT_TRUE(image.LoadFile(Fixture(L"gray16.png").c_str()));
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_TRUE(image.IsGrayScale());
    EXPECT_LT(TopDown(image, 0, 0).rgbRed, 20);
    EXPECT_GT(TopDown(image, 0, 9).rgbRed, 235);
    ASSERT_TRUE(image.LoadFile(Fixture(L"interlaced.png").c_str()));
    EXPECT_TRUE(SameColor(TopDown(image, 0, 0), RGBQUAD{0x30, 0x20, 0x10, 0}, 2));
    EXPECT_TRUE(SameColor(TopDown(image, 32, 20), RGBQUAD{0xc0, 0xd0, 0xe0, 0}, 4));
    // BMP: 8-bit RLE and 24-bit.
    ASSERT_TRUE(image.LoadFile(Fixture(L"rle8.bmp").c_str()));
    EXPECT_EQ(image.GetWidth(), 21u);
    EXPECT_GT(TopDown(image, 0, 0).rgbRed, 200);
    EXPECT_GT(TopDown(image, 0, 12).rgbBlue, 200);
    ASSERT_TRUE(image.LoadFile(Fixture(L"rgb24.bmp").c_str()));
    EXPECT_TRUE(SameColor(TopDown(image, 0, 0), RGBQUAD{255, 0, 255, 0}, 2));
    // ICO: the largest image, with its alpha; a frame asks for another.
    ASSERT_TRUE(image.LoadFile(Fixture(L"icon.ico").c_str()));
    EXPECT_EQ(image.GetWidth(), 32u);
    EXPECT_EQ(image.GetNumFrames(), 2);
    EXPECT_NEAR(image.AlphaGet(16, 16), 153, 2);
    image.SetFrame(1);
    ASSERT_TRUE(image.LoadFile(Fixture(L"icon.ico").c_str()));
    EXPECT_EQ(image.GetWidth(), 16u);
    // TIFF: two pages, the second with half alpha.
    CZVImage tiff;
    ASSERT_TRUE(tiff.LoadFile(Fixture(L"page.tif").c_str()));
    EXPECT_EQ(tiff.GetNumFrames(), 2);
    EXPECT_EQ(tiff.GetWidth(), 18u);
    tiff.SetFrame(1);
    ASSERT_TRUE(tiff.LoadFile(Fixture(L"page.tif").c_str()));
    EXPECT_EQ(tiff.GetWidth(), 10u);
    EXPECT_NEAR(tiff.AlphaGet(3, 3), 128, 2);
    // WebP: lossy with alpha, lossless.
    ASSERT_TRUE(image.LoadFile(Fixture(L"lossy.webp").c_str()));
    EXPECT_TRUE(image.AlphaIsValid());
    ASSERT_TRUE(image.LoadFile(Fixture(L"lossless.webp").c_str()));
    EXPECT_TRUE(SameColor(TopDown(image, 0, 0), RGBQUAD{0x56, 0x34, 0x12, 0}, 1));
}

TEST(Codecs, GifFramesDelaysAndComposition)
{
    CZVImage gif;
    ASSERT_TRUE(gif.LoadFile(Fixture(L"anim.gif").c_str()));
    EXPECT_EQ(gif.GetNumFrames(), 3);
    EXPECT_EQ(gif.GetBpp(), 8);   // the first frame alone keeps its palette
    EXPECT_EQ(gif.GetFrameDelay(), 10u);
    EXPECT_TRUE(SameColor(TopDown(gif, 5, 5), RGBQUAD{0, 0, 255, 0}));

    // A later frame is composed over the ones before it.
    gif.SetFrame(2);
    ASSERT_TRUE(gif.LoadFile(Fixture(L"anim.gif").c_str()));
    EXPECT_EQ(gif.GetWidth(), 20u);
    EXPECT_EQ(gif.GetFrameDelay(), 30u);
    EXPECT_TRUE(SameColor(TopDown(gif, 1, 1), RGBQUAD{0, 0, 255, 0}));      // red screen
    EXPECT_TRUE(SameColor(TopDown(gif, 5, 5), RGBQUAD{0, 255, 0, 0}));      // green square
    EXPECT_TRUE(SameColor(TopDown(gif, 12, 8), RGBQUAD{255, 0, 0, 0}));     // blue square

    CZVImage all;
    all.SetRetreiveAllFrames(true);
    ASSERT_TRUE(all.LoadFile(Fixture(L"anim.gif").c_str()));
    const DWORD delays[3] = {10, 20, 30};
    for (long i = 0; i < 3; ++i) {
        ASSERT_NE(all.GetFrame(i), nullptr);
        EXPECT_EQ(all.GetFrame(i)->GetFrameDelay(), delays[i]);
    }
    EXPECT_EQ(all.GetFrame(3), nullptr);
    EXPECT_TRUE(SamePixels(*all.GetFrame(2), gif, 0, true));
    // Fitting resamples every frame.
    ASSERT_TRUE(all.ResampleIncFrame(10, 10, true));
    for (long i = 0; i < 3; ++i)
        EXPECT_EQ(all.GetFrame(i)->GetWidth(), 10u);
    // A copy takes all frames with it.
    CZVImage copy(all);
    ASSERT_NE(copy.GetFrame(2), nullptr);
    EXPECT_TRUE(SamePixels(*copy.GetFrame(2), *all.GetFrame(2)));
}

TEST(Codecs, WebPAnimationAndTrailer)
{
    CZVImage webp;
    webp.SetRetreiveAllFrames(true);
    ASSERT_TRUE(webp.LoadFile(Fixture(L"anim.webp").c_str()));
    EXPECT_EQ(webp.GetNumFrames(), 2);
    ASSERT_NE(webp.GetFrame(1), nullptr);
    EXPECT_EQ(webp.GetFrameDelay(), 5u);
    EXPECT_EQ(webp.GetFrame(1)->GetFrameDelay(), 15u);
    EXPECT_TRUE(SameColor(webp.GetFrame(1)->GetPixelColor(3, 3), RGBQUAD{0, 255, 0, 0}));

    // The thumbnail cache appends a 32-byte trailer to its WebP files.
    TempFolder dir;
    CZVImage image = Pattern(20, 10, true);
    ASSERT_TRUE(image.SaveFile(dir.At(L"t.webp").c_str(), 0));
    std::vector<BYTE> bytes = ReadBytes(dir.At(L"t.webp"));
    bytes.insert(bytes.end(), 32, 0x5A);
    std::memcpy(&bytes[bytes.size() - 8], "KQTB", 4);
    WriteBytes(dir.At(L"t.webp"), bytes);
    CZVImage back;
    ASSERT_TRUE(back.LoadFile(dir.At(L"t.webp").c_str()));
    EXPECT_TRUE(SamePixels(back, image, 0, true));
    // Cut short, it is refused.
    bytes.resize(bytes.size() - 60);
    WriteBytes(dir.At(L"t.webp"), bytes);
    EXPECT_FALSE(back.LoadFile(dir.At(L"t.webp").c_str()));
}

TEST(Codecs, ShrinkOnLoadLeavesAFactorOfTwo)
{
    TempFolder dir;
    CZVImage big = Smooth(1024, 768);
    ASSERT_TRUE(big.SaveFile(dir.At(L"big.jpg").c_str(), CXIMAGE_FORMAT_JPG));
    ASSERT_TRUE(big.SaveFile(dir.At(L"big.webp").c_str(), CXIMAGE_FORMAT_WEBP));
    struct Case {
        const wchar_t* file;
        DWORD box;
        DWORD width, height;
    } cases[] = {
        {L"big.jpg", 100, 256, 192},    // 1/4: 1/8 would leave less than twice the fit
        {L"big.jpg", 60, 128, 96},      // 1/8
        {L"big.jpg", 250, 512, 384},    // 1/2
        {L"big.jpg", 600, 1024, 768},   // no reduction leaves a factor of two
        {L"big.webp", 100, 200, 150},   // any size: twice the fit
        {L"big.jpg", 0, 1024, 768},     // no box: full size
    };
    for (const Case& c : cases) {
        CZVImage image;
        image.SetShrinkOnLoad(c.box, c.box);
        ASSERT_TRUE(image.LoadFile(dir.At(c.file).c_str()));
        EXPECT_EQ(image.GetWidth(), c.width) << c.box;
        EXPECT_EQ(image.GetHeight(), c.height) << c.box;
        EXPECT_EQ(image.GetOriginalWidth(), 1024u);
        EXPECT_EQ(image.GetOriginalHeight(), 768u);
        EXPECT_TRUE(SameColor(image.GetPixelColor(image.GetWidth() / 2, image.GetHeight() / 2), big.GetPixelColor(512, 384), 12));
    }
}

TEST(Codecs, ShrinkToCoverStopsAtTheFit)
{
    TempFolder dir;
    CZVImage big = Smooth(1024, 768);
    ASSERT_TRUE(big.SaveFile(dir.At(L"big.jpg").c_str(), CXIMAGE_FORMAT_JPG));
    CZVImage full;
    ASSERT_TRUE(full.LoadFile(dir.At(L"big.jpg").c_str()));
    struct Case {
        DWORD box;
        DWORD width, height;
    } cases[] = {
        {600, 640, 480},    // 5/8: 4/8 would fall short of the 600 x 450 fit
        {512, 512, 384},    // 4/8 covers 512 x 384 exactly
        {300, 384, 288},    // 3/8
        {100, 128, 96},     // 1/8
        {1000, 1024, 768},  // 8/8: 7/8 is 896 wide
        {2000, 1024, 768},  // fits already
    };
    for (const Case& c : cases) {
        CZVImage image;
        image.SetShrinkOnLoad(c.box, c.box, true);
        ASSERT_TRUE(image.LoadFile(dir.At(L"big.jpg").c_str()));
        EXPECT_EQ(image.GetWidth(), c.width) << c.box;
        EXPECT_EQ(image.GetHeight(), c.height) << c.box;
        EXPECT_EQ(image.GetOriginalWidth(), 1024u);
        // Resampled to the fit, it matches a full decode resampled alike within JPEG noise.
        CZVImage reference(full);
        ASSERT_TRUE(reference.ResampleInFrame(c.box, c.box));
        ASSERT_TRUE(image.ResampleInFrame(c.box, c.box));
        ASSERT_EQ(image.GetWidth(), reference.GetWidth()) << c.box;
        ASSERT_EQ(image.GetHeight(), reference.GetHeight()) << c.box;
        double sum = 0;
        for (long y = 0; y < long(image.GetHeight()); ++y)
            for (long x = 0; x < long(image.GetWidth()); ++x) {
                const RGBQUAD a = image.GetPixelColor(x, y), b = reference.GetPixelColor(x, y);
                sum += std::abs(a.rgbRed - b.rgbRed) + std::abs(a.rgbGreen - b.rgbGreen) + std::abs(a.rgbBlue - b.rgbBlue);
            }
        EXPECT_LT(sum / (3.0 * image.GetWidth() * image.GetHeight()), 2.0) << c.box;
    }
}

TEST(Codecs, ProjectPreviewThroughZip)
{
    TempFolder dir;
    CZVImage preview = Pattern(17, 11, true);
    ASSERT_TRUE(preview.SaveFile(dir.At(L"p.webp").c_str(), 0));
    const std::vector<BYTE> webp = ReadBytes(dir.At(L"p.webp"));
    auto makeArchive = [&](const std::wstring& path, const char* entry) {
        // minizip takes a narrow name; the temporary folder's short path serves.
        char narrow[MAX_PATH];
        WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
        zipFile zip = zipOpen(narrow, APPEND_STATUS_CREATE);
        ASSERT_NE(zip, nullptr);
        const char xml[] = "<KQEditor/>";
        zipOpenNewFileInZip(zip, "main.xml", nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9);
        zipWriteInFileInZip(zip, xml, sizeof xml);
        zipCloseFileInZip(zip);
        if (entry) {
            zipOpenNewFileInZip(zip, entry, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9);
            zipWriteInFileInZip(zip, webp.data(), static_cast<unsigned>(webp.size()));
            zipCloseFileInZip(zip);
        }
        zipClose(zip, nullptr);
    };
    makeArchive(dir.At(L"doc.kqd"), "~preview.webp");
    makeArchive(dir.At(L"none.kqd"), nullptr);
    CZVImage image;
    ASSERT_TRUE(image.LoadFile(dir.At(L"doc.kqd").c_str()));
    EXPECT_TRUE(SamePixels(image, preview, 0, true));
    EXPECT_EQ(image.GetFullFileName(), dir.At(L"doc.kqd"));
    CZVImage other;
    EXPECT_TRUE(other.LoadKQDPreview(dir.At(L"doc.kqd").c_str()));
    EXPECT_FALSE(other.LoadFile(dir.At(L"none.kqd").c_str()));
    // A damaged archive (its compressed data changed) fails its check and loads nothing.
    std::vector<BYTE> damaged = ReadBytes(dir.At(L"doc.kqd"));
    damaged[damaged.size() / 2] ^= 0xFF;
    WriteBytes(dir.At(L"bad.kqd"), damaged);
    EXPECT_FALSE(other.LoadFile(dir.At(L"bad.kqd").c_str()));
    WriteBytes(dir.At(L"text.kqd"), std::vector<BYTE>(100, 'x'));
    EXPECT_FALSE(other.LoadFile(dir.At(L"text.kqd").c_str()));
}

TEST(Codecs, FormatByContentAndWidePaths)
{
    TempFolder dir;
    CZVImage image = Pattern(6, 5);
    // PNG data under a JPEG name, and a name with characters beyond any code page.
    const std::wstring misnamed = dir.At(L"bild-\u00fc\u65e5\u672c.jpg");
    ASSERT_TRUE(image.SaveFile(misnamed.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_EQ(CZVImage::GetTypeFromFile(misnamed.c_str()), static_cast<DWORD>(CXIMAGE_FORMAT_PNG));
    CZVImage back;
    ASSERT_TRUE(back.Load(misnamed.c_str(), CXIMAGE_FORMAT_JPG));
    EXPECT_EQ(back.GetType(), static_cast<DWORD>(CXIMAGE_FORMAT_PNG));
    EXPECT_TRUE(SamePixels(back, image));
    // Names choose the format on save, longer endings first.
    EXPECT_EQ(CxImage::TypeFromExtension(L"x.WEBP"), static_cast<DWORD>(CXIMAGE_FORMAT_WEBP));
    EXPECT_EQ(CxImage::TypeFromExtension(L"xwbmp"), static_cast<DWORD>(CXIMAGE_FORMAT_WBMP));
    EXPECT_EQ(CxImage::TypeFromExtension(L"a.jpeg"), static_cast<DWORD>(CXIMAGE_FORMAT_JPG));
    EXPECT_EQ(CxImage::TypeFromExtension(L"a.txt"), static_cast<DWORD>(CXIMAGE_FORMAT_UNKNOWN));
    // The resource of the test program: a PNG with alpha.
    CZVImage resource;
    ASSERT_TRUE(resource.LoadPNG(101, GetModuleHandleW(nullptr)));
    EXPECT_TRUE(resource.AlphaIsValid());
    EXPECT_FALSE(resource.LoadPNG(999, GetModuleHandleW(nullptr)));
}

TEST(Codecs, FormatsWeDoNotWriteOrReadFailCleanly)
{
    TempFolder dir;
    CZVImage image = Pattern(4, 4);
    for (DWORD type : {DWORD(CXIMAGE_FORMAT_TGA), DWORD(CXIMAGE_FORMAT_PCX), DWORD(CXIMAGE_FORMAT_JP2), DWORD(99)})
        EXPECT_FALSE(image.SaveFile(dir.At(L"x.out").c_str(), type)) << type;
    EXPECT_FALSE(image.SaveFile(dir.At(L"x.tga").c_str(), 0));
    EXPECT_TRUE(dir.List().empty());
    WriteBytes(dir.At(L"t.tga"), std::vector<BYTE>(64, 0));
    EXPECT_FALSE(image.LoadFile(dir.At(L"t.tga").c_str()));
    EXPECT_FALSE(image.LoadFile(dir.At(L"missing.png").c_str()));
    // A failed load leaves the picture as it was.
    EXPECT_TRUE(SamePixels(image, Pattern(4, 4)));
}

TEST(Codecs, FailedSaveKeepsTheOldFile)
{
    TempFolder dir;
    const std::wstring path = dir.At(L"keep.ico");
    CZVImage small = Pattern(16, 16);
    ASSERT_TRUE(small.SaveFile(path.c_str(), CXIMAGE_FORMAT_ICO));
    const std::vector<BYTE> before = ReadBytes(path);
    CZVImage tooBig = Pattern(300, 300);   // icons hold at most 256 x 256
    EXPECT_FALSE(tooBig.SaveFile(path.c_str(), CXIMAGE_FORMAT_ICO));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(dir.List().size(), 1u);
}

// A reader with the target open, sharing what a list making its thumbnails shares, keeps it from
// being replaced. One that lets go within moments only delays the save; one that holds it
// throughout makes the save fail, the old file whole and nothing left beside it.
TEST(Codecs, ASaveWaitsForAReaderToLetGo)
{
    TempFolder dir;
    const std::wstring path = dir.At(L"held.png");
    CZVImage old = Pattern(8, 8);
    ASSERT_TRUE(old.SaveFile(path.c_str(), CXIMAGE_FORMAT_PNG));
    const std::vector<BYTE> before = ReadBytes(path);
    CZVImage next = Pattern(12, 10);
    const DWORD kThroughout = 0;
    const struct {
        DWORD share;
        DWORD holdMs; // kThroughout: until the save has returned
    } cases[] = {
        {FILE_SHARE_READ | FILE_SHARE_WRITE, 400},
        {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 400},
        {FILE_SHARE_READ | FILE_SHARE_WRITE, kThroughout},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "share " << c.share << ", held " << c.holdMs << " ms");
        WriteBytes(path, before);
        HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        std::thread letGo;
        if (c.holdMs != kThroughout)
            letGo = std::thread([reader, &c] {
                Sleep(c.holdMs);
                CloseHandle(reader);
            });
        const bool saved = next.SaveFile(path.c_str(), CXIMAGE_FORMAT_PNG);
        if (letGo.joinable())
            letGo.join();
        else
            CloseHandle(reader);
        EXPECT_EQ(saved, c.holdMs != kThroughout);
        CZVImage now;
        ASSERT_TRUE(now.LoadFile(path.c_str()));
        if (saved)
            EXPECT_TRUE(SamePixels(now, next));
        else
            EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(dir.List().size(), 1u);
    }
}

TEST(Codecs, HeadersBeyondTheCapAreRefused)
{
    TempFolder dir;
    // A PNG claiming 40000 x 16, a GIF screen of 65535 x 65535, a BMP of 30000 x 30000.
    std::vector<BYTE> png = ReadBytes(Fixture(L"alpha.png"));
    ASSERT_GT(png.size(), 33u);
    png[16] = 0, png[17] = 0, png[18] = 0x9C, png[19] = 0x40;
    // The header's CRC covers the size: make it right so only the cap can refuse.
    const uLong crc = crc32(crc32(0, nullptr, 0), &png[12], 17);
    png[29] = BYTE(crc >> 24), png[30] = BYTE(crc >> 16), png[31] = BYTE(crc >> 8), png[32] = BYTE(crc);
    std::vector<BYTE> gif = ReadBytes(Fixture(L"anim.gif"));
    gif[6] = gif[7] = gif[8] = gif[9] = 0xFF;
    std::vector<BYTE> bmp = ReadBytes(Fixture(L"rgb24.bmp"));
    const int32_t huge = 30000;
    std::memcpy(&bmp[18], &huge, 4);
    std::memcpy(&bmp[22], &huge, 4);
    for (auto [name, data] : {std::pair{L"w.png", &png}, std::pair{L"s.gif", &gif}, std::pair{L"h.bmp", &bmp}}) {
        WriteBytes(dir.At(name), *data);
        CZVImage image;
        EXPECT_FALSE(image.LoadFile(dir.At(name).c_str())) << testing::PrintToString(std::wstring(name));
        EXPECT_FALSE(image.IsValid());
    }
}
