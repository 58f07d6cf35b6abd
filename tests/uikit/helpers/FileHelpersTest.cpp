// The picture type of a name, the date a photo was taken and the short time text.
#include <cstdio>
#include <string>
#include <vector>
#include "PhotoDate.h"
#include "PictureType.h"
#include "TestApp.h"
#include "ZVImage.h"

namespace {

TEST(PictureType, TheEndingChoosesTheFormat)
{
    const struct {
        const wchar_t* name;
        int code;
    } cases[] = {
        { L"a.wbmp", 9 }, { L"b.bmp", 1 }, { L"C:\\x\\photo.WEBP", 21 }, { L"photo.JPEG", 3 }, { L"p.jpg", 3 },
        { L"p.Png", 4 }, { L"p.gif", 2 }, { L"p.tiff", 6 }, { L"p.tif", 6 }, { L"p.jng", 17 }, { L"p.cur", 5 },
        { L"p.emf", 10 }, { L"p.jp2", 11 }, { L"p.jpc", 12 }, { L"p.pgx", 13 }, { L"p.ppm", 14 }, { L"p.ras", 15 },
        { L"p.psd", 20 }, { L"p.tga", 7 }, { L"p.pcx", 8 },
        { L"notes.txt", 0 }, { L"bitmapbmp", 1 }, { L"photo.jpg.bak", 0 },
        // Shorter than any ending, empty, absent: nothing is read outside the name.
        { L"mp", 0 }, { L"", 0 }, { nullptr, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetTypeFromFileName(c.name), c.code) << (c.name ? c.name : L"(null)");
}

TEST(PhotoDate, TheDateTextMustBeSixNumbersInTheirRanges)
{
    const struct {
        const char* text;
        bool ok;
    } cases[] = {
        { "2021:06:25 14:30:05", true }, { "1900:01:01 00:00:00", true }, { "2021:12:31 23:59:59", true },
        { "2021:13:25 14:30:05", false }, { "1899:06:25 14:30:05", false }, { "2021:06:32 14:30:05", false },
        { "2021:06:00 14:30:05", false }, { "2021:06:25 24:00:00", false }, { "2021:06:25 14:60:00", false },
        { "2021:06:25 14:30:60", false }, { "0000:00:00 00:00:00", false }, { "2021:06:25", false }, { "", false },
    };
    for (const auto& c : cases) {
        int fields[6] = {};
        EXPECT_EQ(photodate::ParseExifDateTime(c.text, fields), c.ok) << c.text;
    }
    int fields[6] = {};
    ASSERT_TRUE(photodate::ParseExifDateTime("2021:06:25 14:30:05", fields));
    EXPECT_EQ(std::vector<int>(fields, fields + 6), (std::vector<int>{ 2021, 6, 25, 14, 30, 5 }));
}

// An 8x8 picture saved in the format; with a date text, a JPEG gets an APP1 block whose IFD0
// holds only that DateTime entry (little-endian TIFF).
void MakePicture(const std::wstring& path, DWORD format, const char* dateTime = nullptr)
{
    CxImage image;
    ASSERT_TRUE(image.Create(8, 8, 24, format));
    ASSERT_TRUE(image.Save(path.c_str(), format));
    if (dateTime)
        ASSERT_TRUE(testsupport::AddExif(path, 0, dateTime));
}

void SetLastWrite(const std::wstring& path, const CTime& when)
{
    SYSTEMTIME local, utc;
    ASSERT_TRUE(when.GetAsSystemTime(local));
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
    FILETIME ft;
    SystemTimeToFileTime(&utc, &ft);
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &ft);
    CloseHandle(file);
}

TEST(PhotoDate, JpegFilesGiveTheirExifDateElseTheirEarliestFileTime)
{
    TempFolder folder;
    const CTime fileTime(2001, 2, 3, 4, 5, 6);
    const struct {
        const wchar_t* name;
        DWORD format;
        const char* exif;
        bool fromExif;
    } cases[] = {
        { L"taken.jpg", CXIMAGE_FORMAT_JPG, "2021:06:25 14:30:05", true },
        { L"taken.JPE", CXIMAGE_FORMAT_JPG, "2021:06:25 14:30:05", true },
        { L"month13.jpeg", CXIMAGE_FORMAT_JPG, "2021:13:25 14:30:05", false },
        { L"year1899.jpg", CXIMAGE_FORMAT_JPG, "1899:06:25 14:30:05", false },
        // In range field by field, yet no such day or no C time: not a date taken.
        { L"feb30.jpg", CXIMAGE_FORMAT_JPG, "2021:02:30 10:00:00", false },
        { L"year1950.jpg", CXIMAGE_FORMAT_JPG, "1950:06:25 14:30:05", false },
        { L"noexif.jpg", CXIMAGE_FORMAT_JPG, nullptr, false },
        { L"picture.png", CXIMAGE_FORMAT_PNG, nullptr, false },
    };
    for (const auto& c : cases) {
        const std::wstring path = folder.At(c.name);
        MakePicture(path, c.format, c.exif);
        SetLastWrite(path, fileTime);
        CTime time;
        EXPECT_EQ(GetPhotoDate(path.c_str(), time), c.fromExif) << c.name;
        ASSERT_TRUE(GetPhotoDateEx(path.c_str(), time)) << c.name;
        EXPECT_EQ(time, c.fromExif ? CTime(2021, 6, 25, 14, 30, 5) : fileTime) << c.name;
    }
    CX_IMAGE_EXIFINFO exif;
    EXPECT_TRUE(GetImageExifInfo(folder.At(L"taken.jpg").c_str(), &exif));
    EXPECT_STREQ(exif.DateTime, "2021:06:25 14:30:05");
    EXPECT_FALSE(GetImageExifInfo(folder.At(L"picture.png").c_str(), &exif));
    EXPECT_FALSE(exif.IsExif);

    CTime untouched(7);
    EXPECT_FALSE(GetPhotoDateEx(folder.At(L"missing.jpg").c_str(), untouched));
    EXPECT_FALSE(GetPhotoDateEx(nullptr, untouched));
    EXPECT_EQ(untouched, CTime(7));
}

TEST(TimeText, LocalDateAndMinutesOrAnErrorText)
{
    ALT::TString<wchar_t, 0, 8> text;
    TimeToStr(CTime(2024, 5, 1, 9, 5, 59).GetTime(), text);
    EXPECT_STREQ(text.GetString(), L"2024-05-01 09:05");
    TimeToStr(-1, text);
    EXPECT_STREQ(text.GetString(), L"---Error---");
}

} // namespace
