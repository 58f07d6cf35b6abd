// The container: life, the bottom-up layout, bit depths, the dump and DIB handles.
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include "ZVImageTestSupport.h"

using namespace zvtest;

TEST(Container, EmptyAndCreated)
{
    CZVImage image;
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetBits(0), nullptr);
    ASSERT_TRUE(image.Create(5, 3, 24, CXIMAGE_FORMAT_PNG));
    EXPECT_EQ(image.GetWidth(), 5u);
    EXPECT_EQ(image.GetHeight(), 3u);
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_EQ(image.GetEffWidth(), 16u);   // 15 bytes padded to 4
    EXPECT_EQ(image.GetType(), static_cast<DWORD>(CXIMAGE_FORMAT_PNG));
    EXPECT_FALSE(image.AlphaIsValid());
    EXPECT_EQ(image.GetTransIndex(), -1);
    // Sizes beyond the documented cap are refused, not allocated.
    EXPECT_FALSE(image.Create(40000, 10, 24));
    EXPECT_FALSE(image.Create(20000, 20000, 24));
    EXPECT_FALSE(image.Create(0, 10, 24));
    EXPECT_FALSE(image.IsValid());
}

TEST(Container, RowsAreStoredBottomUpBlueGreenRed)
{
    CZVImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    image.Clear(0);
    // The top row, seen from above, is the last stored row.
    image.SetRectColor(RECT{0, 0, 2, 1}, RGBQUAD{10, 20, 30, 0});
    const BYTE* bottom = image.GetBits(0);
    const BYTE* top = image.GetBits(1);
    EXPECT_EQ(bottom[0], 0);
    EXPECT_EQ(top[0], 10);   // blue first
    EXPECT_EQ(top[1], 20);
    EXPECT_EQ(top[2], 30);
    EXPECT_EQ(image.GetPixelColor(1, 1).rgbRed, 30);
    EXPECT_EQ(image.GetPixelColor(1, 0).rgbRed, 0);
    // The alpha plane runs row after row without gaps, bottom row first.
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaSet(1, 1, 7);
    EXPECT_EQ(image.AlphaGetPointer(0, 0)[3], 7);
}

TEST(Container, CopyAssignTransfer)
{
    CZVImage source = Pattern(6, 4, true);
    source.SelectionAddRect(RECT{1, 1, 3, 3});
    source.SetJpegQuality(71);
    CZVImage copy(source);
    EXPECT_TRUE(SamePixels(copy, source, 0, true));
    EXPECT_TRUE(copy.SelectionIsValid());
    EXPECT_EQ(copy.GetJpegQuality(), 71);

    CZVImage partial;
    ASSERT_TRUE(partial.Copy(source, true, false, false));
    EXPECT_FALSE(partial.AlphaIsValid());
    EXPECT_FALSE(partial.SelectionIsValid());

    // Assigning an empty picture empties the target.
    CZVImage empty;
    copy = empty;
    EXPECT_FALSE(copy.IsValid());

    CZVImage moved;
    ASSERT_TRUE(moved.Transfer(source));
    EXPECT_FALSE(source.IsValid());
    EXPECT_TRUE(SamePixels(moved, Pattern(6, 4, true), 0, true));
}

// A copy over a picture of the same size and depth writes into the buffers it has (its alpha and
// selection planes too, where the source has them); whatever the target held before (alpha,
// selection, palette, settings) is gone as after a fresh copy.
TEST(Container, CopyOverAPictureEndsAsAFreshCopy)
{
    struct Case {
        const char* name;
        long width, height;
        WORD bpp;
        bool alpha, selection;
        bool keepsBuffer;
    };
    const Case cases[] = {
        {"same size with alpha and selection", 6, 4, 24, true, true, true},
        {"same size bare", 6, 4, 24, false, false, true},
        {"same size, 8 bits", 6, 4, 8, false, true, false},
        {"other size", 7, 4, 24, true, false, false},
    };
    for (const auto& [sourceAlpha, sourceSelection] : {std::pair<bool, bool>{false, false}, {true, false}, {true, true}, {false, true}}) {
        CZVImage source = Pattern(6, 4, sourceAlpha);
        source.SetJpegQuality(55);
        if (sourceSelection)
            source.SelectionAddRect(RECT{1, 3, 4, 1}, 170);
        CZVImage fresh;
        ASSERT_TRUE(fresh.Copy(source));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (sourceAlpha ? ", source with alpha" : "") +
                         (sourceSelection ? ", source with a selection" : ""));
            CZVImage target;
            ASSERT_TRUE(target.Create(c.width, c.height, c.bpp));
            target.Clear(0x5A);
            if (c.alpha) {
                ASSERT_TRUE(target.AlphaCreate());
            }
            if (c.selection)
                target.SelectionAddRect(RECT{0, 0, 2, 2});
            target.SetJpegQuality(90);
            const void* buffer = target.GetDIB();
            const BYTE* alphaBuffer = target.AlphaGetPointer();
            const BYTE* selectionBuffer = target.SelectionGetPointer();
            ASSERT_TRUE(target.Copy(source));
            // (A new buffer may well land where the freed one was: only the kept one is checked.)
            if (c.keepsBuffer) {
                EXPECT_EQ(target.GetDIB(), buffer);
                if (c.alpha && sourceAlpha)
                    EXPECT_EQ(target.AlphaGetPointer(), alphaBuffer);
                if (c.selection && sourceSelection)
                    EXPECT_EQ(target.SelectionGetPointer(), selectionBuffer);
            }
            EXPECT_TRUE(SamePixels(target, fresh, 0, sourceAlpha));
            EXPECT_EQ(target.AlphaIsValid(), sourceAlpha);
            ASSERT_EQ(target.SelectionIsValid(), sourceSelection);
            if (sourceSelection) {
                EXPECT_EQ(std::memcmp(target.SelectionGetPointer(), fresh.SelectionGetPointer(), 6 * 4), 0);
                RECT box, freshBox;
                target.SelectionGetBox(box);
                fresh.SelectionGetBox(freshBox);
                EXPECT_TRUE(EqualRect(&box, &freshBox));
            }
            EXPECT_EQ(target.GetJpegQuality(), 55);
            ASSERT_EQ(target.GetDIBSize(), fresh.GetDIBSize());
            EXPECT_EQ(std::memcmp(target.GetDIB(), fresh.GetDIB(), fresh.GetDIBSize()), 0);
        }
    }
}

// A move hands the planes over: the target owns the very buffers the source had, the source
// owns none of them and is as new, so that neither frees pixels the other still shows.
TEST(Container, MoveHandsOverEveryPlaneAndLeavesTheSourceEmpty)
{
    static_assert(std::is_nothrow_move_constructible<CZVImage>::value, "vectors of pictures must grow by moves");
    static_assert(std::is_nothrow_move_assignable<CZVImage>::value, "");
    struct Case {
        const char* name;
        bool assign;
    };
    const Case cases[] = {{"construct", false}, {"assign over a picture", true}};
    for (const Case& c : cases) {
        CZVImage source = Pattern(6, 4, true);
        source.SelectionAddRect(RECT{1, 1, 3, 3});
        source.SetJpegQuality(71);
        source.SetFrameDelay(40);
        const void* dib = source.GetDIB();
        const BYTE* alpha = source.AlphaGetPointer();
        const BYTE* selection = source.SelectionGetPointer();

        std::unique_ptr<CZVImage> made;
        if (c.assign) {
            made = std::make_unique<CZVImage>(Pattern(3, 3));
            *made = std::move(source);
        } else {
            made = std::make_unique<CZVImage>(std::move(source));
        }
        const CZVImage& target = *made;
        EXPECT_EQ(target.GetDIB(), dib) << c.name;
        EXPECT_EQ(target.AlphaGetPointer(), alpha) << c.name;
        EXPECT_EQ(target.SelectionGetPointer(), selection) << c.name;
        EXPECT_TRUE(SamePixels(target, Pattern(6, 4, true), 0, true)) << c.name;
        EXPECT_TRUE(target.SelectionIsValid()) << c.name;
        EXPECT_EQ(target.GetJpegQuality(), 71) << c.name;
        EXPECT_EQ(target.GetFrameDelay(), 40u) << c.name;

        EXPECT_FALSE(source.IsValid()) << c.name;
        EXPECT_EQ(source.GetDIB(), nullptr) << c.name;
        EXPECT_EQ(source.GetBits(0), nullptr) << c.name;
        EXPECT_FALSE(source.AlphaIsValid()) << c.name;
        EXPECT_EQ(source.SelectionGetPointer(), nullptr) << c.name;
        EXPECT_EQ(source.GetWidth(), 0u) << c.name;
        EXPECT_EQ(source.GetJpegQuality(), CZVImage().GetJpegQuality()) << c.name;
        // The emptied source is usable, and what it draws next is its own.
        ASSERT_TRUE(source.Create(6, 4, 24)) << c.name;
        source.Clear(0);
        source.Destroy();
        EXPECT_TRUE(SamePixels(target, Pattern(6, 4, true), 0, true)) << c.name;
    }
}

TEST(Container, MoveTakesTheFramesAndSurvivesMovingIntoItself)
{
    CZVImage all;
    all.SetRetreiveAllFrames(true);
    ASSERT_TRUE(all.LoadFile(Fixture(L"anim.gif").c_str()));
    ASSERT_NE(all.GetFrame(2), nullptr);
    const CxImage* third = all.GetFrame(2);
    CZVImage moved(std::move(all));
    EXPECT_EQ(moved.GetNumFrames(), 3);
    EXPECT_EQ(moved.GetFrame(2), third);
    EXPECT_EQ(all.GetNumFrames(), 0);
    EXPECT_EQ(all.GetFrame(2), nullptr);
    EXPECT_NE(std::wstring(moved.GetFullFileName()).find(L"anim.gif"), std::wstring::npos);
    EXPECT_STREQ(all.GetFullFileName(), L"");

    CZVImage& same = moved;
    moved = std::move(same);
    EXPECT_TRUE(moved.IsValid());
    EXPECT_EQ(moved.GetFrame(2), third);
}

TEST(Container, BitDepths)
{
    CZVImage image = Pattern(9, 7);
    CZVImage original(image);
    ASSERT_TRUE(image.DecreaseBpp(8, false));
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_TRUE(SamePixels(image, original, 40));   // nearest of a 6 x 7 x 6 cube
    ASSERT_TRUE(image.IncreaseBpp(24));
    EXPECT_EQ(image.GetBpp(), 24);
    // With a table of its own: every pixel takes the nearest entry.
    const RGBQUAD table[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    CZVImage two;
    ASSERT_TRUE(two.Create(2, 1, 24));
    two.SetPixelColor(0, 0, RGBQUAD{40, 30, 20, 0});
    two.SetPixelColor(1, 0, RGBQUAD{200, 220, 240, 0});
    ASSERT_TRUE(two.DecreaseBpp(8, false, table, 2));
    EXPECT_EQ(two.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(two.GetPixelIndex(1, 0), 1);

    // A palette picture's transparent index becomes the 24-bit transparent colour.
    CZVImage indexed;
    ASSERT_TRUE(indexed.Create(2, 1, 8));
    indexed.SetPaletteColor(3, 1, 2, 3);
    indexed.SetPixelIndex(0, 0, 3);
    indexed.SetTransIndex(3);
    ASSERT_TRUE(indexed.IncreaseBpp(24));
    EXPECT_TRUE(indexed.IsTransparent());
    EXPECT_EQ(indexed.GetTransColor().rgbRed, 1);
    EXPECT_EQ(indexed.GetPixelColor(0, 0).rgbBlue, 3);
}

TEST(Container, HistogramCountsEveryChannel)
{
    CZVImage image;
    ASSERT_TRUE(image.Create(4, 2, 24));
    image.SetRectColor(RECT{0, 0, 4, 2}, RGBQUAD{0, 0, 255, 0});
    image.SetRectColor(RECT{0, 0, 1, 1}, RGBQUAD{255, 255, 255, 0});
    long r[256], g[256], b[256], k[256];
    EXPECT_EQ(image.Histogram(r, g, b, k), 8);   // the red channel is 255 everywhere
    EXPECT_EQ(r[255], 8);
    EXPECT_EQ(g[0], 7);
    EXPECT_EQ(b[255], 1);
    EXPECT_EQ(k[255], 1);
    EXPECT_EQ(k[76], 7);   // pure red's luminance
}

TEST(Dump, GivesBackExactlyThePicture)
{
    CZVImage image = Pattern(7, 5, true);
    image.SelectionAddRect(RECT{2, 1, 5, 4}, 200);
    image.SetTransColor(RGBQUAD{1, 2, 3, 0});
    image.SetTransIndex(0);
    image.SetXDPI(300);
    const DWORD size = image.DumpSize();
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_EQ(image.Dump(block.data()), size);

    CxImage back;
    ASSERT_EQ(back.UnDump(block.data(), size), size);
    EXPECT_TRUE(SamePixels(back, image, 0, true));
    EXPECT_TRUE(back.SelectionIsValid());
    EXPECT_EQ(back.SelectionGet(3, 2), 200);
    EXPECT_EQ(back.SelectionGet(0, 0), 0);
    EXPECT_TRUE(back.IsTransparent());
    EXPECT_EQ(back.GetTransColor().rgbRed, 3);
    EXPECT_EQ(back.GetXDPI(), 300);
}

TEST(Dump, RefusesForeignShortOrInconsistentBlocks)
{
    CZVImage image = Pattern(4, 3, true);
    std::vector<BYTE> block(image.DumpSize());
    image.Dump(block.data());
    CxImage target = Pattern(2, 2);

    // Every shortened block.
    for (DWORD n = 0; n < block.size(); ++n)
        EXPECT_EQ(target.UnDump(block.data(), n), 0u) << n;
    // Another program's data, a changed size field, a later version.
    std::vector<BYTE> foreign(block.size(), 0x41);
    EXPECT_EQ(target.UnDump(foreign.data(), static_cast<DWORD>(foreign.size())), 0u);
    for (size_t field : {16u, 20u, 24u}) {   // width, height, depth
        std::vector<BYTE> bad = block;
        bad[field] ^= 0x40;
        EXPECT_EQ(target.UnDump(bad.data(), static_cast<DWORD>(bad.size())), 0u) << field;
    }
    std::vector<BYTE> later = block;
    later[8] = 2;
    EXPECT_EQ(target.UnDump(later.data(), static_cast<DWORD>(later.size())), 0u);
    EXPECT_EQ(target.UnDump(nullptr, 100), 0u);
    // A refused block leaves the target as it was.
    EXPECT_TRUE(SamePixels(target, Pattern(2, 2)));
}

TEST(Clipboard, DibHandleRoundTrip)
{
    for (WORD bpp : {WORD(8), WORD(24)}) {
        CZVImage image = Pattern(5, 3);
        if (bpp == 8)
            image.DecreaseBpp(8, false);
        HANDLE handle = image.CopyToHandle();
        ASSERT_NE(handle, nullptr);
        CxImage back;
        EXPECT_TRUE(back.CreateFromHANDLE(handle));
        EXPECT_EQ(back.GetBpp(), bpp);
        EXPECT_TRUE(SamePixels(back, image));
        GlobalFree(handle);
    }
}

TEST(Clipboard, ShortOrForeignDibIsRefused)
{
    CZVImage image = Pattern(16, 16);
    HANDLE full = image.CopyToHandle();
    const SIZE_T size = GlobalSize(full);
    const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(full));
    std::vector<BYTE> copy(bytes, bytes + size);
    GlobalUnlock(full);
    GlobalFree(full);

    auto handleOf = [](const std::vector<BYTE>& data, size_t n) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(n, 1));
        std::memcpy(GlobalLock(h), data.data(), n);
        GlobalUnlock(h);
        return h;
    };
    CxImage target;
    // Cut inside the header, the colours and the rows.
    for (size_t n : {size_t(0), size_t(10), size_t(39), size_t(40), size_t(100), copy.size() - 1}) {
        HGLOBAL h = handleOf(copy, n);
        EXPECT_FALSE(target.CreateFromHANDLE(h)) << n;
        GlobalFree(h);
    }
    std::vector<BYTE> wrongDepth = copy;
    wrongDepth[14] = 13;
    std::vector<BYTE> hugeWidth = copy;
    hugeWidth[6] = 0x7F;
    for (const auto* bad : {&wrongDepth, &hugeWidth}) {
        HGLOBAL h = handleOf(*bad, bad->size());
        EXPECT_FALSE(target.CreateFromHANDLE(h));
        GlobalFree(h);
    }
    EXPECT_FALSE(target.CreateFromHANDLE(nullptr));
    EXPECT_FALSE(target.IsValid());
}
