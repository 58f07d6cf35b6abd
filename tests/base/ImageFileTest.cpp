#include <gtest/gtest.h>
#include <lzo/lzo1x.h>
#include <windows.h>
#include <string>
#include <vector>
#include "ImageFile.h"
#include "TestSupport.h"

namespace {

using testsupport::TempFolder;

std::vector<uint8_t> Counting(size_t n)
{
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = uint8_t(i * 7 + i / 251);
    return bytes;
}

// A compressed block as the loader takes it: 4 header bytes (here the plain size), then LZO1X.
std::vector<uint8_t> Compress(const std::vector<uint8_t>& plain)
{
    EXPECT_EQ(lzo_init(), LZO_E_OK);
    std::vector<uint8_t> block(4 + plain.size() + plain.size() / 16 + 64 + 3);
    std::vector<uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint packed = 0;
    EXPECT_EQ(lzo1x_1_compress(plain.data(), plain.size(), block.data() + 4, &packed, work.data()), LZO_E_OK);
    const uint32_t size = uint32_t(plain.size());
    memcpy(block.data(), &size, 4);
    block.resize(4 + packed);
    return block;
}

TEST(ImageFile, ReadsStayInsideTheWindow)
{
    const std::vector<uint8_t> data = Counting(100);
    struct Case {
        uint32_t windowStart, position, count, expected, firstIndex;
    } const cases[] = {
        {0, 0, 4, 4, 0},
        {0, 95, 10, 5, 95},     // cut at the window end
        {0, 100, 1, 0, 0},      // at the end
        {1000, 999, 4, 0, 0},   // before the start
        {1000, 1000, 4, 4, 0},
        {1000, 1095, 10, 5, 95},
        {1000, 1100, 10, 0, 0},
        {0xFFFFFFF0u, 0xFFFFFFF0u, 100, 15, 0}, // the window ends at the top of the range
    };
    for (const Case& c : cases) {
        CImageFile image;
        ASSERT_TRUE(image.LoadMemory(uint32_t(data.size()), data.data(), false));
        image.SetWindowStart(c.windowStart);
        uint8_t buffer[128] = {};
        EXPECT_EQ(image.Read(c.position, buffer, c.count), c.expected) << c.windowStart << " " << c.position;
        if (c.expected) {
            EXPECT_EQ(buffer[0], data[c.firstIndex]);
        }
        EXPECT_EQ(image.IsOutside(c.position), c.expected == 0);
    }
}

TEST(ImageFile, MemoryNeverGrows)
{
    CImageFile image;
    ASSERT_TRUE(image.LoadMemory(16, nullptr, false));
    const std::vector<uint8_t> bytes = Counting(PAGE_IMAGE_PAGE_SIZE);
    EXPECT_EQ(image.Write(12, bytes.data(), 8), 4u);
    EXPECT_EQ(image.Write(16, bytes.data(), 8), 0u);
    EXPECT_FALSE(image.WritePage(0, bytes.data())); // 16 of 4096 bytes fit
    EXPECT_EQ(image.GetSize(), 16u);
    EXPECT_EQ(memcmp(image.GetMemory(), bytes.data(), 16), 0);

    // A borrowed buffer is only read.
    std::vector<uint8_t> mine = Counting(32);
    const std::vector<uint8_t> before = mine;
    ASSERT_TRUE(image.LoadMemory(uint32_t(mine.size()), mine.data(), false));
    EXPECT_EQ(image.Write(0, bytes.data() + 100, 8), 0u);
    EXPECT_EQ(mine, before);
}

TEST(ImageFile, PagesAndHooks)
{
    const std::vector<uint8_t> data = Counting(5000);
    CImageFile image;
    ASSERT_TRUE(image.LoadMemory(uint32_t(data.size()), data.data(), false));
    std::vector<uint8_t> page(PAGE_IMAGE_PAGE_SIZE, 0xAA);
    EXPECT_TRUE(image.ReadPage(4096, page.data()));
    EXPECT_EQ(memcmp(page.data(), data.data() + 4096, 904), 0);
    EXPECT_EQ(page[904], 0); // the short page is cleared beyond the data
    EXPECT_EQ(page[4095], 0);
    EXPECT_EQ(image.GetPageKind(0), 22u);

    struct Seen {
        uint32_t position = 0, count = 0;
    } seen;
    image.SetReadHook([](uint32_t position, void*, uint32_t count, void* context) -> uint32_t {
        static_cast<Seen*>(context)->position = position;
        static_cast<Seen*>(context)->count = count;
        return 7;
    }, &seen);
    EXPECT_EQ(image.CallReadHook(4096, page.data(), 4096), 7u);
    EXPECT_EQ(seen.position, 4096u);
    image.SetReadHook(nullptr, nullptr);
    image.SetWriteHook(nullptr, nullptr);
    EXPECT_EQ(image.CallReadHook(0, page.data(), 1), 0u);
    EXPECT_EQ(image.CallWriteHook(0, page.data(), 1), 0u);
}

TEST(ImageFile, CompressedBlockMustMatchItsSize)
{
    const std::vector<uint8_t> plain = Counting(20000);
    const std::vector<uint8_t> block = Compress(plain);
    const uint32_t blockSize = uint32_t(block.size());

    CImageFile image;
    ASSERT_TRUE(image.LoadMemory(uint32_t(plain.size()), block.data(), true, blockSize));
    ASSERT_EQ(image.GetSize(), plain.size());
    EXPECT_EQ(memcmp(image.GetMemory(), plain.data(), plain.size()), 0);

    struct Case {
        const char* what;
        uint32_t size;
        const void* data;
        uint32_t dataSize;
    } const cases[] = {
        {"one byte more", uint32_t(plain.size() + 1), block.data(), blockSize},
        {"one byte less", uint32_t(plain.size() - 1), block.data(), blockSize},
        {"cut stream", uint32_t(plain.size()), block.data(), blockSize - 1},
        {"header only", uint32_t(plain.size()), block.data(), 4},
        {"no data", uint32_t(plain.size()), nullptr, blockSize},
        {"size zero", 0, block.data(), blockSize},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(image.LoadMemory(c.size, c.data, true, c.dataSize)) << c.what;
        EXPECT_EQ(image.GetMemory(), nullptr) << c.what;
        EXPECT_EQ(image.GetSize(), 0u) << c.what;
    }
}

TEST(ImageFile, FileBecomesWritableAndGrowsByPages)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"image.bin");
    ASSERT_TRUE(TempFolder::Put(path, "0123456789"));

    CImageFile image;
    ASSERT_TRUE(image.OpenImage(path.c_str(), nullptr));
    EXPECT_EQ(image.GetSize(), 10u);
    char buffer[16] = {};
    EXPECT_EQ(image.Read(5, buffer, 10), 5u);
    EXPECT_EQ(std::string(buffer, 5), "56789");
    EXPECT_EQ(image.Write(2, "ab", 2), 2u); // reopened with write access
    EXPECT_EQ(image.Write(9, "xyz", 3), 1u); // cut at the window end

    const std::vector<uint8_t> page = Counting(PAGE_IMAGE_PAGE_SIZE);
    EXPECT_TRUE(image.WritePage(4096, page.data()));
    EXPECT_EQ(image.GetSize(), 8192u);
    std::vector<uint8_t> back(PAGE_IMAGE_PAGE_SIZE);
    EXPECT_EQ(image.Read(4096, back.data(), 4096), 4096u);
    EXPECT_EQ(back, page);
    image.CloseImage();

    const std::string bytes = TempFolder::Get(path);
    ASSERT_EQ(bytes.size(), 8192u);
    EXPECT_EQ(bytes.substr(0, 10), "01ab45678x");

    CImageFile created;
    ASSERT_TRUE(created.CreateImage(folder.At(L"new.bin").c_str(), 100));
    EXPECT_EQ(created.GetSize(), 100u);
    EXPECT_EQ(created.Write(0, "abc", 3), 3u);
    created.CloseImage();
    EXPECT_EQ(TempFolder::Get(folder.At(L"new.bin")).substr(0, 3), "abc");

    EXPECT_FALSE(image.OpenImage(folder.At(L"missing.bin").c_str(), nullptr));
}

TEST(ImageFile, CallersHandleStaysOpen)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"handle.bin");
    ASSERT_TRUE(TempFolder::Put(path, "abcdef"));
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    {
        CImageFile image;
        ASSERT_TRUE(image.OpenImage(nullptr, handle));
        EXPECT_STREQ(image.GetName(), L"");
        char buffer[8] = {};
        EXPECT_EQ(image.Read(0, buffer, 8), 6u);
        EXPECT_EQ(image.Write(0, "X", 1), 1u);
        image.CloseImage();
    }
    EXPECT_EQ(GetFileSize(handle, nullptr), 6u);
    EXPECT_TRUE(CloseHandle(handle));
    EXPECT_EQ(TempFolder::Get(path), "Xbcdef");

    CImageFile image;
    EXPECT_FALSE(image.OpenImage(nullptr, INVALID_HANDLE_VALUE));
    EXPECT_FALSE(image.OpenImage(nullptr, nullptr));
}

} // namespace
