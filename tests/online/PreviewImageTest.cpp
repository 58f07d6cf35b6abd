// Material previews: the format by extension and the 128-pixel preview with its quality.
#include <gtest/gtest.h>
#include "PreviewImage.h"
#include "TestSupport.h"
#include "ZVImage.h"

namespace {

using testsupport::TempFolder;

TEST(PreviewImage, FormatCodesByExtension)
{
    struct Case {
        const wchar_t* path;
        int type;
    } cases[] = {
        {L"a.webp", 21}, {L"a.JPG", 3},     {L"a.jp2", 11},       {L"a.jpc", 12},   {L"c:\\x.y\\a.png", 4},
        {L"a.bmp", 1},   {L"a.gif", 2},     {L"a.tif", 6},        {L"a.pcx", 8},    {L"a.ico", 5},
        {L"a.tga", 7},   {L"a.wbm", 9},     {L"a.wmf", 10},       {L"a.pgx", 13},   {L"a.pnm", 14},
        {L"a.ras", 15},  {L"a.jpeg", -1},   {L"c:\\x.y\\a", -1},  {L"a.", -1},      {nullptr, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetImageTypeFromExt(c.path), c.type) << testing::PrintToString(std::wstring(c.path ? c.path : L"(null)"));
}

TEST(PreviewImage, QualityFollowsTheLargerSideOfTheOriginal)
{
    const unsigned sides[] = {100, 799, 800, 1599, 1600, 2559, 2560, 9000};
    const int quality[] = {60, 60, 70, 70, 80, 80, 90, 90};
    for (size_t i = 0; i < sizeof sides / sizeof sides[0]; ++i)
        EXPECT_EQ(GetPreviewQuality(sides[i]), quality[i]) << sides[i];
}

TEST(PreviewImage, APreviewIsFittedInto128PixelsAndAFailedSaveIsReported)
{
    TempFolder folder;
    CZVImage wide;
    ASSERT_TRUE(wide.Create(3000, 600, 24));
    wide.Clear(0x80);
    const std::wstring source = folder.At(L"wide.png");
    ASSERT_TRUE(wide.Save(source.c_str(), CXIMAGE_FORMAT_PNG));

    const std::wstring jpg = folder.At(L"_Preview_wide.jpg");
    ASSERT_TRUE(MakePreviewImage(source.c_str(), jpg.c_str()));
    CZVImage preview;
    ASSERT_TRUE(preview.LoadFile(jpg.c_str()));
    EXPECT_EQ(preview.GetWidth(), 128u);
    EXPECT_NEAR(preview.GetHeight(), 26u, 1u);
    EXPECT_EQ(preview.GetJpegQuality(), 90);

    ASSERT_TRUE(MakeResPreviewFile(source.c_str()));
    EXPECT_TRUE(preview.LoadFile(folder.At(L"_Preview_wide.png").c_str()));

    // No writer for this format: nothing is written and the caller hears so.
    EXPECT_FALSE(MakePreviewImage(source.c_str(), folder.At(L"p.ras").c_str()));
    EXPECT_EQ(GetFileAttributesW(folder.At(L"p.ras").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(MakePreviewImage(folder.At(L"missing.png").c_str(), folder.At(L"p.png").c_str()));
    EXPECT_FALSE(MakePreviewImage(source.c_str(), folder.At(L"p.xyz").c_str()));
}

} // namespace
