// EXIF: the date taken, the eight orientations turned upright, the block written back.
#include <gtest/gtest.h>
#include <cstring>
#include "ExifReader.h"
#include "ZVImageTestSupport.h"

using namespace zvtest;

namespace {

// The upright fixture: red and green quarters above blue and white ones.
void ExpectUpright(const CxImage& image)
{
    ASSERT_EQ(image.GetWidth(), 32u);
    ASSERT_EQ(image.GetHeight(), 16u);
    EXPECT_TRUE(SameColor(TopDown(image, 8, 4), RGBQUAD{0, 0, 255, 0}, 8));      // red
    EXPECT_TRUE(SameColor(TopDown(image, 24, 4), RGBQUAD{0, 255, 0, 0}, 8));     // green
    EXPECT_TRUE(SameColor(TopDown(image, 8, 12), RGBQUAD{255, 0, 0, 0}, 8));     // blue
    EXPECT_TRUE(SameColor(TopDown(image, 24, 12), RGBQUAD{255, 255, 255, 0}, 8));
}

} // namespace

TEST(Exif, EveryOrientationTurnsUpright)
{
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        wchar_t name[32];
        swprintf(name, 32, L"orient%d.jpg", o);
        CZVImage image;
        ASSERT_TRUE(image.LoadFile(Fixture(name).c_str()));
        const CX_IMAGE_EXIFINFO* exif = image.GetExifInfo();
        ASSERT_TRUE(exif->IsExif);
        EXPECT_EQ(exif->Orientation, o);
        EXPECT_STREQ(exif->DateTime, "2021:03:04 05:06:07");
        EXPECT_STREQ(exif->CameraMake, "Lumivo");
        ASSERT_TRUE(image.RotateExif(0));
        ExpectUpright(image);
        // Done once: the picture now says it is upright.
        EXPECT_EQ(image.GetExifInfo()->Orientation, 1);
        ASSERT_TRUE(image.RotateExif(0));
        ExpectUpright(image);
    }
}

TEST(Exif, SavedBlockMatchesThePixels)
{
    TempFolder dir;
    CZVImage image;
    ASSERT_TRUE(image.LoadFile(Fixture(L"orient6.jpg").c_str()));
    ASSERT_TRUE(image.RotateExif(0));
    ASSERT_TRUE(image.SaveFile(dir.At(L"upright.jpg").c_str(), CXIMAGE_FORMAT_JPG));
    CZVImage back;
    ASSERT_TRUE(back.LoadFile(dir.At(L"upright.jpg").c_str()));
    ASSERT_TRUE(back.GetExifInfo()->IsExif);
    EXPECT_EQ(back.GetExifInfo()->Orientation, 1);   // not turned a second time by viewers
    EXPECT_STREQ(back.GetExifInfo()->DateTime, "2021:03:04 05:06:07");
    ASSERT_TRUE(back.RotateExif(0));
    ExpectUpright(back);

    // The block travels to the other formats that carry one, and DisableEXIF drops it.
    for (const wchar_t* name : {L"e.png", L"e.webp"}) {
        ASSERT_TRUE(image.SaveFile(dir.At(name).c_str(), 0));
        ASSERT_TRUE(back.LoadFile(dir.At(name).c_str()));
        EXPECT_STREQ(back.GetExifInfo()->DateTime, "2021:03:04 05:06:07");
    }
    image.DisableEXIF();
    ASSERT_TRUE(image.SaveFile(dir.At(L"none.jpg").c_str(), CXIMAGE_FORMAT_JPG));
    ASSERT_TRUE(back.LoadFile(dir.At(L"none.jpg").c_str()));
    EXPECT_FALSE(back.GetExifInfo()->IsExif);
    EXPECT_STREQ(back.GetExifInfo()->DateTime, "");
}

TEST(Exif, ParserStaysInsideTheBlock)
{
    // IFD0 with one entry pointing to an EXIF directory; cases break one field each.
    auto block = [](uint16_t count, uint32_t exifAt, uint32_t textAt, uint32_t textCount) {
        std::vector<BYTE> b = {'I', 'I', 42, 0, 8, 0, 0, 0};
        auto u16 = [&](uint16_t v) { b.push_back(BYTE(v)); b.push_back(BYTE(v >> 8)); };
        auto u32 = [&](uint32_t v) { u16(uint16_t(v)); u16(uint16_t(v >> 16)); };
        u16(count);
        u16(0x8769), u16(4), u32(1), u32(exifAt);
        u32(0);
        // The EXIF directory at 26: one date entry.
        u16(1);
        u16(0x9003), u16(2), u32(textCount), u32(textAt);
        u32(0);
        const char date[] = "2020:01:02 03:04:05";
        b.insert(b.end(), date, date + sizeof date);
        return b;
    };
    CX_IMAGE_EXIFINFO info;
    std::vector<BYTE> good = block(1, 26, 44, 20);
    ASSERT_TRUE(zvimage::ParseExif(good.data(), good.size(), info));
    EXPECT_STREQ(info.DateTime, "2020:01:02 03:04:05");

    const struct {
        const char* what;
        std::vector<BYTE> data;
    } bad[] = {
        {"entry count past the end", block(60000, 26, 44, 20)},
        {"directory past the end", block(1, 0xFFFFFFF0u, 44, 20)},
        {"text past the end", block(1, 26, 0xFFFFFFFFu, 20)},
        {"text longer than the block", block(1, 26, 44, 0x7FFFFFFFu)},
        {"directory pointing at itself", block(1, 8, 44, 20)},
    };
    for (const auto& c : bad) {
        EXPECT_FALSE(zvimage::ParseExif(c.data.data(), c.data.size(), info) && info.DateTime[0]) << c.what;
        EXPECT_LT(std::strlen(info.DateTime), sizeof info.DateTime) << c.what;
    }
    for (size_t n = 0; n < good.size(); ++n)
        zvimage::ParseExif(good.data(), n, info);   // every cut: no read beyond n
    EXPECT_FALSE(zvimage::ParseExif(nullptr, 100, info));
}

TEST(Exif, RewriteStatesOrientationAndDropsTheThumbnailLink)
{
    // Big-endian IFD0: one orientation entry (8) and a link to an IFD1 at 0x40.
    std::vector<BYTE> block = {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0, 0x40};
    block.resize(0x50, 0);
    ASSERT_TRUE(zvimage::RewriteExif(block, 1));
    CX_IMAGE_EXIFINFO info;
    ASSERT_TRUE(zvimage::ParseExif(block.data(), block.size(), info));
    EXPECT_EQ(info.Orientation, 1);
    EXPECT_EQ(block[22] | block[23] | block[24] | block[25], 0);
    std::vector<BYTE> text(10, 'x');
    EXPECT_FALSE(zvimage::RewriteExif(text, 1));
}
