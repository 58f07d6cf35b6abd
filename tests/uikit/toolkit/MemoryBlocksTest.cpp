// The memory device context's pixels and BMP files, read back byte by byte and through
// ZVImage, its refusals, and the page-file memory block.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include "KQHugeMem.h"
#include "KQMemDC.h"
#include "LocalFileIO.h"
#include "TestSupport.h"
#include "ToolkitTestSupport.h"
#include "ZVImage.h"

namespace {

using testsupport::ReadBytes;

template <class T>
T Field(const std::vector<BYTE>& bytes, size_t offset)
{
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST(KQMemDC, A32BitPictureIsSavedBottomUpWithTheDIBsTopRowLast)
{
    testsupport::TempFolder folder;
    CKQMemDC dc;
    ASSERT_TRUE(dc.AdjustGDIBitmap(100, 50, 32));
    ASSERT_NE(dc.GetBitmap(), nullptr);
    dc.FillSolidRect(0, 0, 100, 50, RGB(0, 0, 255));
    dc.FillSolidRect(0, 0, 100, 1, RGB(255, 0, 0));    // the top row
    dc.FillSolidRect(0, 49, 100, 1, RGB(0, 255, 0));   // the bottom row
    const std::wstring path = folder.At(L"hundred.bmp");
    ASSERT_TRUE(dc.SaveToFile(path.c_str()));

    const std::vector<BYTE> file = ReadBytes(path);
    ASSERT_EQ(file.size(), 20054u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Field<DWORD>(file, 2), 20054u);
    EXPECT_EQ(Field<DWORD>(file, 10), 54u);
    EXPECT_EQ(Field<LONG>(file, 18), 100);
    EXPECT_EQ(Field<LONG>(file, 22), 50);   // positive: rows bottom-up
    EXPECT_EQ(Field<WORD>(file, 28), 32);
    const BYTE* bits = dc.GetBits();
    EXPECT_EQ(std::memcmp(file.data() + 54 + 49 * 400, bits, 400), 0) << "the top row comes last";
    EXPECT_EQ(std::memcmp(file.data() + 54, bits + 49 * 400, 400), 0) << "the bottom row comes first";
    EXPECT_EQ(file[54 + 49 * 400 + 2], 255);   // red, stored blue-green-red
    EXPECT_EQ(file[54 + 1], 255);              // green
    EXPECT_EQ(folder.List().size(), 1u) << "no temporary file is left";
}

TEST(KQMemDC, OddWidthsAt24BitsArePaddedAndReadBackExactly)
{
    // Three packed rows of three blue-green-red pixels, 9 bytes each.
    const COLORREF colors[3][3] = {
        {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
        {RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255)},
        {RGB(10, 20, 30), RGB(128, 128, 128), RGB(250, 240, 230)},
    };
    BYTE packed[27];
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            packed[y * 9 + x * 3] = GetBValue(colors[y][x]);
            packed[y * 9 + x * 3 + 1] = GetGValue(colors[y][x]);
            packed[y * 9 + x * 3 + 2] = GetRValue(colors[y][x]);
        }
    for (bool flip : {false, true}) {
        testsupport::TempFolder folder;
        CKQMemDC dc;
        ASSERT_TRUE(dc.AdjustGDIBitmap(3, 3, 24));
        EXPECT_EQ(dc.GetStride(), 12);
        dc.CopyData(packed, flip);
        const std::wstring path = folder.At(L"odd.bmp");
        ASSERT_TRUE(dc.SaveToFile(path.c_str()));
        EXPECT_EQ(ReadBytes(path).size(), 54u + 3 * 12) << "rows padded to 4 bytes";

        CZVImage image;
        ASSERT_TRUE(image.Load(path.c_str()));
        ASSERT_EQ(image.GetWidth(), 3u);
        ASSERT_EQ(image.GetHeight(), 3u);
        for (int y = 0; y < 3; ++y)     // from the top
            for (int x = 0; x < 3; ++x) {
                const COLORREF want = colors[flip ? 2 - y : y][x];
                const RGBQUAD got = image.GetPixelColor(x, 2 - y, false);   // rows counted from the bottom
                EXPECT_EQ(RGB(got.rgbRed, got.rgbGreen, got.rgbBlue), want) << "flip " << flip << " at " << x << "," << y;
                EXPECT_EQ(dc.GetPixel(x, y), want) << "flip " << flip << " at " << x << "," << y;
            }
    }
}

TEST(KQMemDC, OnlyTwentyFourAndThirtyTwoBitPicturesAreMade)
{
    const struct {
        int width, height, bits;
        bool made;
    } cases[] = {
        {4, 4, 24, true}, {4, 4, 32, true}, {4, 4, 16, false}, {4, 4, 8, false}, {4, 4, 0, false},
        {0, 4, 32, false}, {4, -4, 32, false},
    };
    for (const auto& c : cases) {
        CKQMemDC dc;
        EXPECT_EQ(dc.AdjustGDIBitmap(c.width, c.height, c.bits), c.made) << c.width << "x" << c.height << "x" << c.bits;
        EXPECT_EQ(dc.GetBits() != nullptr, c.made);
        EXPECT_EQ(dc.GetBitmap() != nullptr, c.made);
    }
    testsupport::TempFolder folder;
    CKQMemDC empty;
    EXPECT_FALSE(empty.SaveToFile(folder.At(L"none.bmp").c_str()));
    empty.CopyData(nullptr, false);
    EXPECT_TRUE(folder.List().empty());
}

// The local file system with two troubles a test can set: a folder that refuses new files (as
// Windows does for a folder the user may not write; Wine lets any folder be written) and a
// disk that fills up after so many bytes.
class TroubledFileIO : public CLocalFileIO {
public:
    std::wstring deniedFolder;
    int64_t room = -1;   // bytes left on the disk; -1: no limit

    bool Create(const wchar_t* path, HANDLE& handle, DWORD flags) override
    {
        if (Denied(path)) {
            handle = INVALID_HANDLE_VALUE;
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        return CLocalFileIO::Create(path, handle, flags);
    }
    bool Replace(const wchar_t* source, const wchar_t* target) override
    {
        return !Denied(target) && CLocalFileIO::Replace(source, target);
    }
    DWORD Write(HANDLE handle, const void* buffer, DWORD count) override
    {
        if (room < 0)
            return CLocalFileIO::Write(handle, buffer, count);
        const DWORD n = static_cast<DWORD>(std::min<int64_t>(count, room));
        room -= n;
        return n ? CLocalFileIO::Write(handle, buffer, n) : 0;
    }

private:
    bool Denied(const wchar_t* path) const
    {
        return !deniedFolder.empty() && std::wstring(path).rfind(deniedFolder + L"\\", 0) == 0;
    }
};

TEST(KQMemDC, AFailedSaveLeavesNothingBehindAndTheOldFileAsItWas)
{
    enum Target { InFolder, ReadOnlyFolder, MissingFolder, FolderInItsPlace, ReadOnlyFile };
    const int64_t whole = 54 + 8 * 8 * 4;
    const struct {
        const char* name;
        Target target;
        int64_t room;
        bool oldFile;
    } cases[] = {
        {"a read-only folder", ReadOnlyFolder, -1, false},
        {"a read-only folder holding the old file", ReadOnlyFolder, -1, true},
        {"a folder that does not exist", MissingFolder, -1, false},
        {"a folder where the file should go", FolderInItsPlace, -1, false},
        {"a read-only file in its place", ReadOnlyFile, -1, true},
        {"a disk full within the headers", InFolder, 20, true},
        {"a disk full within the rows", InFolder, 54 + 100, true},
        {"a disk full at the last byte", InFolder, whole - 1, false},
    };
    CKQMemDC dc;
    ASSERT_TRUE(dc.AdjustGDIBitmap(8, 8, 32));
    for (const auto& c : cases) {
        testsupport::TempFolder folder;
        TroubledFileIO io;
        io.room = c.room;
        ASSERT_TRUE(CreateDirectoryW(folder.At(L"out").c_str(), nullptr));
        std::wstring path = folder.At(L"out\\picture.bmp");
        if (c.oldFile)
            std::ofstream(std::filesystem::path(path), std::ios::binary) << "old";
        switch (c.target) {
        case InFolder:
            break;
        case ReadOnlyFolder:
            io.deniedFolder = folder.At(L"out");
            break;
        case MissingFolder:
            path = folder.At(L"missing\\picture.bmp");
            break;
        case FolderInItsPlace:
            ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
            break;
        case ReadOnlyFile:
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
            break;
        }
        const std::vector<std::wstring> before = folder.List(L"out");
        EXPECT_FALSE(dc.SaveToFile(path.c_str(), io)) << c.name;
        EXPECT_EQ(folder.List(L"out"), before) << c.name;
        EXPECT_EQ(folder.List().size(), 1u) << c.name;
        if (c.oldFile) {
            const std::vector<BYTE> old = ReadBytes(path);
            EXPECT_EQ(std::string(old.begin(), old.end()), "old") << c.name;
        }
    }
    // With the room it needs, the same picture is written.
    testsupport::TempFolder folder;
    TroubledFileIO io;
    io.room = whole;
    EXPECT_TRUE(dc.SaveToFile(folder.At(L"fits.bmp").c_str(), io));
    EXPECT_EQ(ReadBytes(folder.At(L"fits.bmp")).size(), static_cast<size_t>(whole));
}

TEST(KQMemDC, ASaveReplacesAnOlderFileWhole)
{
    testsupport::TempFolder folder;
    const std::wstring path = folder.At(L"again.bmp");
    std::ofstream(std::filesystem::path(path), std::ios::binary) << std::string(5000, 'x');
    CKQMemDC dc;
    ASSERT_TRUE(dc.AdjustGDIBitmap(2, 2, 24));
    ASSERT_TRUE(dc.SaveToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path).size(), 54u + 2 * 8);
    EXPECT_EQ(folder.List().size(), 1u);
}

TEST(KQHugeMem, ANewBlockReplacesTheOldOneAndNothingLocksWithoutOne)
{
    CKQHugeMem mem;
    EXPECT_EQ(mem.Lock(), nullptr);
    EXPECT_FALSE(mem.New(0));
    EXPECT_EQ(mem.Lock(), nullptr);

    ASSERT_TRUE(mem.New(64 * 1024));
    auto* first = static_cast<BYTE*>(mem.Lock());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(mem.Lock(), first) << "locked twice: the same view";
    std::memset(first, 0xAB, 64 * 1024);

    // A second block while the first is still locked: the first's view goes with it.
    ASSERT_TRUE(mem.New(128 * 1024));
    EXPECT_EQ(mem.GetSize(), 128 * 1024);
    MEMORY_BASIC_INFORMATION info = {};
    ASSERT_NE(VirtualQuery(first, &info, sizeof info), 0u);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE)) << "the first block's view is unmapped";
    auto* second = static_cast<BYTE*>(mem.Lock());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second[0], 0) << "a new block starts empty";
    second[128 * 1024 - 1] = 7;
    mem.Unlock();
    auto* again = static_cast<BYTE*>(mem.Lock());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again[128 * 1024 - 1], 7) << "unlocking keeps the contents";

    mem.Delete();
    EXPECT_EQ(mem.Lock(), nullptr);
    EXPECT_EQ(mem.GetSize(), 0);
}

} // namespace
