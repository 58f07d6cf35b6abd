// Animated GIF output read back through our own decoder, the blocks that the decoder does not
// report (loop count, comment, colour tables, disposal) read from the bytes; the quantizer.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "CxImageGIF.h"
#include "CxMemFile.h"
#include "Quantizer.h"
#include "ZVImageTestSupport.h"

using namespace zvtest;

namespace {

// What the blocks of a GIF file say, walked by their sizes.
struct GifBlocks {
    bool globalTable = false;
    int loops = -1;
    std::string comment;
    int images = 0;
    int localTables = 0;
    std::vector<int> disposals, delays;
};

bool Walk(const BYTE* p, size_t size, GifBlocks& out)
{
    if (size < 13 || std::memcmp(p, "GIF89a", 6) != 0)
        return false;
    size_t pos = 13;
    out.globalTable = (p[10] & 0x80) != 0;
    if (out.globalTable)
        pos += 3u << ((p[10] & 7) + 1);
    auto subBlocks = [&](std::string* data) {
        while (pos < size && p[pos] != 0) {
            const size_t n = p[pos];
            if (data && pos + 1 + n <= size)
                data->append(reinterpret_cast<const char*>(p + pos + 1), n);
            pos += n + 1;
        }
        ++pos;
    };
    while (pos < size) {
        const BYTE kind = p[pos++];
        if (kind == 0x3B)
            return true;
        if (kind == 0x21 && pos < size) {
            const BYTE label = p[pos++];
            std::string data;
            subBlocks(&data);
            if (label == 0xF9 && data.size() >= 4) {
                out.disposals.push_back((data[0] >> 2) & 7);
                out.delays.push_back(static_cast<BYTE>(data[1]) | (static_cast<BYTE>(data[2]) << 8));
            } else if (label == 0xFE) {
                out.comment += data;
            } else if (label == 0xFF && data.size() >= 14 && data.compare(0, 11, "NETSCAPE2.0") == 0) {
                out.loops = static_cast<BYTE>(data[12]) | (static_cast<BYTE>(data[13]) << 8);
            }
        } else if (kind == 0x2C && pos + 9 <= size) {
            const BYTE packed = p[pos + 8];
            pos += 9;
            ++out.images;
            if (packed & 0x80) {
                ++out.localTables;
                pos += 3u << ((packed & 7) + 1);
            }
            ++pos;  // LZW code size
            subBlocks(nullptr);
        } else {
            return false;
        }
    }
    return false;
}

// A frame of four colour bands and a grey ramp, different for each seed.
CZVImage Frame(int seed)
{
    CZVImage image;
    image.Create(48, 32, 24, CXIMAGE_FORMAT_PNG);
    const RGBQUAD bands[4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {40, 200, 220, 0}};
    for (long y = 0; y < 32; ++y)
        for (long x = 0; x < 48; ++x) {
            RGBQUAD c = bands[(x / 12 + seed) % 4];
            if (y >= 24)
                c = RGBQUAD{static_cast<BYTE>(x * 5), static_cast<BYTE>(x * 5), static_cast<BYTE>(x * 5), 0};
            image.SetPixelColor(x, y, c);
        }
    return image;
}

} // namespace

TEST(GifEncode, AnimationReadsBackWithFramesDelaysLoopsAndComment)
{
    CZVImage frames[3] = {Frame(0), Frame(1), Frame(2)};
    const CZVImage originals[3] = {frames[0], frames[1], frames[2]};
    // As the combiner does: one table from all frames, each frame reduced to it.
    CQuantizer quantizer(256, 7);
    for (CZVImage& f : frames)
        ASSERT_TRUE(quantizer.ProcessImage(f));
    RGBQUAD table[256] = {};
    quantizer.SetColorTable(table);
    CxImage* list[3];
    const DWORD delays[3] = {10, 25, 300};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(frames[i].DecreaseBpp(8, false, table, 256));
        frames[i].SetFrameDelay(delays[i]);
        frames[i].SetDisposalMethod(1);  // ignored: the encoder's method applies to all
        list[i] = &frames[i];
    }
    CxImageGIF gif;
    gif.SetComment("LumivoTools");
    gif.SetLoops(3);
    gif.SetDisposalMethod(2);
    CxMemFile file;
    ASSERT_TRUE(gif.Encode(&file, list, 3));

    GifBlocks blocks;
    ASSERT_TRUE(Walk(file.GetBuffer(), static_cast<size_t>(file.Size()), blocks));
    EXPECT_TRUE(blocks.globalTable);
    EXPECT_EQ(blocks.localTables, 0);
    EXPECT_EQ(blocks.images, 3);
    EXPECT_EQ(blocks.loops, 3);
    EXPECT_EQ(blocks.comment, "LumivoTools");
    EXPECT_EQ(blocks.disposals, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(blocks.delays, (std::vector<int>{10, 25, 300}));

    CxImage decoded;
    decoded.SetRetreiveAllFrames(true);
    ASSERT_TRUE(decoded.Decode(file.GetBuffer(), static_cast<DWORD>(file.Size()), CXIMAGE_FORMAT_GIF));
    ASSERT_EQ(decoded.GetNumFrames(), 3);
    for (long i = 0; i < 3; ++i) {
        const CxImage* f = i == 0 ? &decoded : decoded.GetFrame(i);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->GetFrameDelay(), delays[i]);
        EXPECT_EQ(f->GetWidth(), 48u);
        // Seven bits a component and the table's 5-bit lookup leave small errors only.
        for (long y : {2L, 20L, 28L})
            for (long x : {3L, 15L, 27L, 40L})
                EXPECT_TRUE(SameColor(f->GetPixelColor(x, y, false), originals[i].GetPixelColor(x, y, false), 12))
                    << "frame " << i << " at " << x << "," << y;
    }
}

TEST(GifEncode, FramesOffTheTableAreMappedAndSizesDiffer)
{
    // 24-bit frames with no table: one global table is made from all of them.
    CZVImage a = Frame(0), b = Frame(3);
    b.Crop(0, 0, 24, 16);
    CxImage* list[2] = {&a, &b};
    CxImageGIF gif;
    CxMemFile file;
    ASSERT_TRUE(gif.Encode(&file, list, 2));
    GifBlocks blocks;
    ASSERT_TRUE(Walk(file.GetBuffer(), static_cast<size_t>(file.Size()), blocks));
    EXPECT_EQ(blocks.images, 2);
    EXPECT_EQ(blocks.loops, -1);
    EXPECT_TRUE(blocks.comment.empty());
    CxImage decoded;
    decoded.SetRetreiveAllFrames(true);
    ASSERT_TRUE(decoded.Decode(file.GetBuffer(), static_cast<DWORD>(file.Size()), CXIMAGE_FORMAT_GIF));
    EXPECT_EQ(decoded.GetWidth(), 48u);
    EXPECT_TRUE(SameColor(decoded.GetPixelColor(3, 3, false), a.GetPixelColor(3, 3, false), 12));
}

TEST(GifEncode, EmptyAndInvalidInput)
{
    CxImageGIF gif;
    CxMemFile empty;
    ASSERT_TRUE(gif.Encode(&empty, nullptr, 0));  // no real picture: a GIF without frames
    GifBlocks blocks;
    ASSERT_TRUE(Walk(empty.GetBuffer(), static_cast<size_t>(empty.Size()), blocks));
    EXPECT_EQ(blocks.images, 0);

    CZVImage invalid;
    CxImage* list[1] = {&invalid};
    CxMemFile file;
    EXPECT_FALSE(gif.Encode(&file, list, 1));
    EXPECT_FALSE(gif.Encode(static_cast<CxFile*>(nullptr), list, 1));
    EXPECT_FALSE(gif.Encode(static_cast<FILE*>(nullptr), list, 1));
}

TEST(GifEncode, WritesThroughACFile)
{
    TempFolder dir;
    CZVImage a = Frame(1);
    a.SetFrameDelay(7);
    CxImage* list[1] = {&a};
    CxImageGIF gif;
    gif.SetLoops(0);
    const std::wstring path = dir.At(L"anim.gif");
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(gif.Encode(f, list, 1));
    fclose(f);
    CZVImage back;
    ASSERT_TRUE(back.LoadFile(path.c_str()));
    EXPECT_EQ(back.GetFrameDelay(), 7u);
    const std::vector<BYTE> bytes = ReadBytes(path);
    GifBlocks blocks;
    ASSERT_TRUE(Walk(bytes.data(), bytes.size(), blocks));
    EXPECT_EQ(blocks.loops, 0);
}

TEST(Quantizer, ColourCountAndBits)
{
    // Few colours come back exactly; many are cut to the count asked for.
    CZVImage four = Frame(0);
    four.Crop(0, 8, 48, 32);  // the bands without the grey ramp
    CQuantizer exact(256, 8);
    ASSERT_TRUE(exact.ProcessImage(four));
    EXPECT_EQ(exact.GetColorCount(), 4u);
    RGBQUAD table[256] = {};
    exact.SetColorTable(table);
    bool found = false;
    for (UINT i = 0; i < exact.GetColorCount(); ++i)
        found = found || (table[i].rgbBlue == 40 && table[i].rgbGreen == 200 && table[i].rgbRed == 220);
    EXPECT_TRUE(found);

    CZVImage many = Pattern(64, 64);
    CQuantizer sixteen(16, 8);
    ASSERT_TRUE(sixteen.ProcessImage(many));
    EXPECT_LE(sixteen.GetColorCount(), 16u);
    EXPECT_GE(sixteen.GetColorCount(), 8u);

    // With one bit a component only the eight corners of the colour cube remain.
    CQuantizer coarse(256, 1);
    ASSERT_TRUE(coarse.ProcessImage(many));
    EXPECT_LE(coarse.GetColorCount(), 8u);

    CZVImage invalid;
    EXPECT_FALSE(coarse.ProcessImage(invalid));
}
