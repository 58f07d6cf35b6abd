// The clipboard picture's size from headers alone, on the real clipboard: each format, the
// order they are tried in, and blocks that a full decode refuses.
#include <cstring>
#include "ClipboardImageSize.h"
#include "CxImage.h"
#include "NewPictureTest.h"

using namespace newpicturetest;

namespace {

std::vector<BYTE> DumpOf(int width, int height, bool alpha)
{
    CxImage image;
    image.Create(DWORD(width), DWORD(height), 24);
    if (alpha)
        image.AlphaCreate();
    std::vector<BYTE> block(image.DumpSize());
    image.Dump(block.data());
    return block;
}

HENHMETAFILE DrawMetafile(int right, int bottom)
{
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ::Rectangle(dc, 0, 0, right, bottom);
    return ::CloseEnhMetaFile(dc);
}

TEST(GetClipboardImageSize, EachFormatInTurn)
{
    ClipboardCleaner cleaner;
    const UINT priv = PrivateImageClipboardFormat();
    std::vector<BYTE> truncated = DumpOf(40, 30, false);
    truncated.resize(truncated.size() / 2);
    std::vector<BYTE> shortDib = MakeDib(100, 100);
    shortDib.pop_back();
    const struct {
        const char* name;
        std::vector<std::pair<UINT, std::vector<BYTE>>> blocks;
        bool found;
        int width, height;
    } cases[] = {
        {"empty", {}, false, 0, 0},
        {"DIB", {{CF_DIB, MakeDib(321, 123)}}, true, 321, 123},
        {"private block", {{priv, DumpOf(77, 55, true)}}, true, 77, 55},
        {"private block before the DIB", {{priv, DumpOf(77, 55, false)}, {CF_DIB, MakeDib(321, 123)}}, true, 77, 55},
        {"truncated private block", {{priv, truncated}}, false, 0, 0},
        {"truncated private block, then the DIB", {{priv, truncated}, {CF_DIB, MakeDib(321, 123)}}, true, 321, 123},
        {"DIB short of its rows", {{CF_DIB, shortDib}}, false, 0, 0},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(PutOnClipboard(c.blocks)) << c.name;
        int width = -1, height = -1;
        EXPECT_EQ(GetClipboardImageSize(nullptr, width, height), c.found) << c.name;
        EXPECT_EQ(width, c.width) << c.name;
        EXPECT_EQ(height, c.height) << c.name;
        // The paste decodes the block whose size was given.
        CxImage picture;
        EXPECT_EQ(ReadClipboardPicture(nullptr, picture), c.found) << c.name;
        EXPECT_EQ(int(picture.GetWidth()), c.width) << c.name;
        EXPECT_EQ(int(picture.GetHeight()), c.height) << c.name;
    }
}

TEST(GetClipboardImageSize, MetafileBoundsDividedBy254)
{
    ClipboardCleaner cleaner;
    HENHMETAFILE metafile = DrawMetafile(400, 200);
    ENHMETAHEADER header = {};
    ASSERT_TRUE(::GetEnhMetaFileHeader(metafile, sizeof header, &header));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ASSERT_TRUE(::SetClipboardData(CF_ENHMETAFILE, metafile));
    ::CloseClipboard();
    int width = 0, height = 0;
    EXPECT_TRUE(GetClipboardImageSize(nullptr, width, height));
    EXPECT_GT(header.rclBounds.right - header.rclBounds.left, 300);
    EXPECT_EQ(width, int((header.rclBounds.right - header.rclBounds.left) / 2.54));
    EXPECT_EQ(height, int((header.rclBounds.bottom - header.rclBounds.top) / 2.54));
    // Pasting draws it at that size.
    CxImage picture;
    ASSERT_TRUE(ReadClipboardPicture(nullptr, picture));
    EXPECT_EQ(int(picture.GetWidth()), width);
    EXPECT_EQ(int(picture.GetHeight()), height);
}

TEST(GetClipboardImageSize, NothingWhenTheClipboardIsHeld)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(PutOnClipboard({{CF_DIB, MakeDib(10, 10)}}));
    // Another window holds the clipboard open: nothing is read.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::OpenClipboard(other));
    HWND mine = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    int width = -1, height = -1;
    EXPECT_FALSE(GetClipboardImageSize(mine, width, height));
    EXPECT_EQ(width, 0);
    ::CloseClipboard();
    EXPECT_TRUE(GetClipboardImageSize(mine, width, height));
    EXPECT_EQ(width, 10);
    ::DestroyWindow(mine);
    ::DestroyWindow(other);
}

// The header queries answer what a full decode gives, block by block, cut short or not.
TEST(ImageSizeQueries, AnswerAsTheFullDecodes)
{
    std::vector<std::vector<BYTE>> dumps = {DumpOf(13, 7, false), DumpOf(13, 7, true), DumpOf(1, 1, false)};
    std::vector<BYTE> foreign = dumps[0];
    foreign[0] = 'X';
    dumps.push_back(foreign);
    for (const std::vector<BYTE>& dump : dumps)
        for (size_t cut : {size_t(0), size_t(1), dump.size() / 2, size_t(40)}) {
            const DWORD size = DWORD(cut <= dump.size() ? dump.size() - cut : 0);
            DWORD w = 0, h = 0;
            const bool queried = CxImage::QueryDumpSize(dump.data(), size, w, h);
            CxImage full;
            const bool decoded = full.UnDump(dump.data(), size) != 0;
            EXPECT_EQ(queried, decoded) << "dump of " << dump.size() << " cut by " << cut;
            if (queried && decoded) {
                EXPECT_EQ(w, full.GetWidth());
                EXPECT_EQ(h, full.GetHeight());
            }
        }

    std::vector<std::vector<BYTE>> dibs = {MakeDib(5, 3), MakeDib(638, 2), MakeDib(1, 1)};
    std::vector<BYTE> topDown = MakeDib(9, 4);
    reinterpret_cast<BITMAPINFOHEADER*>(topDown.data())->biHeight = -4;
    dibs.push_back(topDown);
    std::vector<BYTE> noWidth = MakeDib(9, 4);
    reinterpret_cast<BITMAPINFOHEADER*>(noWidth.data())->biWidth = 0;
    dibs.push_back(noWidth);
    std::vector<BYTE> badDepth = MakeDib(9, 4);
    reinterpret_cast<BITMAPINFOHEADER*>(badDepth.data())->biBitCount = 12;
    dibs.push_back(badDepth);
    for (const std::vector<BYTE>& dib : dibs)
        for (size_t cut : {size_t(0), size_t(1), size_t(20)}) {
            const size_t size = dib.size() - cut;
            HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
            std::memcpy(::GlobalLock(block), dib.data(), size);
            ::GlobalUnlock(block);
            // Both read the block as the clipboard hands it over: its global size.
            DWORD w = 0, h = 0;
            const bool queried = CxImage::QueryDIBSize(static_cast<const BYTE*>(::GlobalLock(block)), ::GlobalSize(block), w, h);
            ::GlobalUnlock(block);
            CxImage full;
            const bool decoded = full.CreateFromHANDLE(block);
            ::GlobalFree(block);
            EXPECT_EQ(queried, decoded) << "DIB of " << dib.size() << " cut by " << cut;
            if (queried && decoded) {
                EXPECT_EQ(w, full.GetWidth());
                EXPECT_EQ(h, full.GetHeight());
            }
        }
}

} // namespace
