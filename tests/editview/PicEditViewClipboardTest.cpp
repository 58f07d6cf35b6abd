// The picture edit view's copy and paste on the real clipboard: the formats a copy puts, what a
// paste restores, selections, numbering, and hostile blocks that must paste nothing.
#include <cstring>
#include <vector>
#include "ClipboardPicture.h"
#include "EditViewCommandsTest.h"

using namespace editviewtest;

namespace {

// Empties the clipboard at the end of a scope.
struct ClipboardCleaner {
    ~ClipboardCleaner()
    {
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }
};

bool PutOnClipboard(UINT format, const std::vector<BYTE>& bytes)
{
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* p = memory ? ::GlobalLock(memory) : nullptr;
    bool ok = p != nullptr;
    if (p) {
        std::memcpy(p, bytes.data(), bytes.size());
        ::GlobalUnlock(memory);
        ok = ::SetClipboardData(format, memory) != nullptr;
    }
    ::CloseClipboard();
    return ok;
}

// A packed 24-bit DIB header claiming the size, followed by rows of grey as far as given.
std::vector<BYTE> Dib(int width, int height, size_t rowBytes)
{
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + rowBytes, 0x80);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::memcpy(dib.data(), &header, sizeof header);
    return dib;
}

std::vector<BYTE> DumpOf(const CZVImage& picture)
{
    std::vector<BYTE> block(picture.DumpSize());
    picture.Dump(block.data());
    return block;
}

bool Holds(UINT format)
{
    return ::IsClipboardFormatAvailable(format) != FALSE;
}

// A picture whose alpha falls from 255 at the left to 0 at the right.
CZVImage Faded(long width, long height)
{
    CZVImage p = Plain(width, height, RGB(10, 200, 10));
    p.AlphaCreate();
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            p.AlphaSet(x, y, static_cast<BYTE>(255 - 255 * x / (width - 1)));
    return p;
}

using ClipboardTest = EditViewTest;

TEST_F(ClipboardTest, CopyPutsTheDibAndThePrivateBlockOnlyForTransparency)
{
    ClipboardCleaner cleaner;
    AddLayer(30, 20, 0, 0);
    ASSERT_TRUE(view.CopyToClipboard());
    EXPECT_TRUE(Holds(CF_DIB));
    EXPECT_FALSE(Holds(PrivateImageClipboardFormat()));

    ASSERT_TRUE(view.doc.AddImageLayer(Faded(30, 20), TRUE));
    ASSERT_TRUE(view.CopyToClipboard());
    EXPECT_TRUE(Holds(CF_DIB));
    EXPECT_TRUE(Holds(PrivateImageClipboardFormat()));
}

TEST_F(ClipboardTest, OwnCopiesPasteWithAlphaForeignDibsOpaque)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(view.doc.AddImageLayer(Faded(30, 20), TRUE));
    const CZVImage original = view.doc.layers.GetCurrentLayer()->displayed;
    ASSERT_TRUE(view.CopyToClipboard());
    view.PasteAsLayer();
    ASSERT_EQ(LayerCount(), 3u);
    EXPECT_TRUE(SamePixels(Layer(2).displayed, original));
    EXPECT_EQ(Layer(2).ownAlpha, 1);

    ASSERT_TRUE(PutOnClipboard(CF_DIB, Dib(8, 4, 8 * 3 * 4)));
    view.PasteAsLayer();
    ASSERT_EQ(LayerCount(), 4u);
    const CZVImage& pasted = Layer(3).displayed;
    EXPECT_EQ(pasted.GetWidth(), 8u);
    EXPECT_EQ(pasted.GetBpp(), 24);
    ASSERT_TRUE(pasted.AlphaIsValid());
    EXPECT_EQ(pasted.GetPixelColor(3, 2, true).rgbReserved, 255);
    EXPECT_EQ(pasted.GetPixelColor(3, 2, true).rgbRed, 0x80);
    EXPECT_EQ(view.doc.history.RecordAt(view.doc.history.position).action, HISTORY_ADD);
}

TEST_F(ClipboardTest, RectangleSelectionCopiesTheBoxAsSeen)
{
    ClipboardCleaner cleaner;
    // Red over the top 10 rows as seen on screen, blue below.
    CZVImage picture = Plain(40, 30, RGB(0, 0, 255));
    picture.SetRectColor(RECT{0, 0, 40, 10}, CxImage::RGBtoRGBQUAD(RGB(255, 0, 0)));
    ASSERT_TRUE(view.doc.AddImageLayer(picture, FALSE));
    CLayerInfo& layer = *view.doc.layers.GetCurrentLayer();
    ASSERT_EQ(layer.displayed.GetPixelColor(0, 29).rgbRed, 255);   // the top row, rows counting upward
    layer.location = ZVPOINTF{100, 50};
    view.doc.UpdateLayerOrigin(&layer);
    view.tool = 4;
    // Columns 5..25, rows 6..16 from the top: four red rows, then blue.
    view.doc.pathPoints = {{105, 56}, {125, 56}, {125, 66}, {105, 66}, {105, 56}};
    ASSERT_TRUE(view.CopyToClipboard());
    CxImage copied;
    ASSERT_TRUE(ReadClipboardPicture(nullptr, copied));
    RECT box;
    layer.displayed.SelectionGetBox(box);
    EXPECT_EQ(static_cast<long>(copied.GetWidth()), box.right - box.left);
    EXPECT_EQ(static_cast<long>(copied.GetHeight()), box.top - box.bottom);
    const long top = static_cast<long>(copied.GetHeight()) - 1;
    EXPECT_EQ(copied.GetPixelColor(2, top).rgbRed, 255);
    EXPECT_EQ(copied.GetPixelColor(2, 0).rgbBlue, 255);
    EXPECT_EQ(copied.GetPixelColor(2, 0).rgbRed, 0);
}

TEST_F(ClipboardTest, TwoPastesAreNumberedInTurnAtTheSameSpot)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(PutOnClipboard(CF_DIB, Dib(6, 6, 6 * 3 * 6 + 12)));
    const int n = view.doc.layers.imageNameCounter;
    view.PasteAsLayer();
    view.PasteAsLayer();
    ASSERT_EQ(LayerCount(), 3u);
    CStringW first, second;
    first.Format(L"Layer %d", n);
    second.Format(L"Layer %d", n + 1);
    EXPECT_EQ(std::wstring(Layer(1).name), std::wstring(first));
    EXPECT_EQ(std::wstring(Layer(2).name), std::wstring(second));
    EXPECT_FLOAT_EQ(Layer(1).location.x, Layer(2).location.x);
    EXPECT_FLOAT_EQ(Layer(1).location.y, Layer(2).location.y);
    EXPECT_FLOAT_EQ(Layer(1).location.x, 100.0f);
}

// A metafile whose header claims the bounds.
HENHMETAFILE MetafileWithBounds(RECTL bounds)
{
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ::Rectangle(dc, 0, 0, 50, 50);
    HENHMETAFILE drawn = ::CloseEnhMetaFile(dc);
    std::vector<BYTE> bits(::GetEnhMetaFileBits(drawn, 0, nullptr));
    ::GetEnhMetaFileBits(drawn, static_cast<UINT>(bits.size()), bits.data());
    ::DeleteEnhMetaFile(drawn);
    ENHMETAHEADER header;
    std::memcpy(&header, bits.data(), sizeof header);
    header.rclBounds = bounds;
    std::memcpy(bits.data(), &header, sizeof header);
    return ::SetEnhMetaFileBits(static_cast<UINT>(bits.size()), bits.data());
}

TEST_F(ClipboardTest, HostileBlocksPasteNothing)
{
    ClipboardCleaner cleaner;
    const UINT priv = PrivateImageClipboardFormat();
    std::vector<BYTE> shortDump = DumpOf(Faded(20, 10));
    shortDump.resize(shortDump.size() - 7);
    std::vector<BYTE> foreignDump = DumpOf(Faded(20, 10));
    foreignDump[0] ^= 0x55;
    struct Case {
        const char* name;
        UINT format;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"short dump", priv, shortDump},
        {"foreign dump", priv, foreignDump},
        {"dump header alone", priv, std::vector<BYTE>(foreignDump.begin(), foreignDump.begin() + 16)},
        {"DIB claiming 60000 x 60000", CF_DIB, Dib(60000, 60000, 4096)},
        {"DIB short of its rows", CF_DIB, Dib(100, 100, 100 * 3 * 99)},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(PutOnClipboard(c.format, c.bytes)) << c.name;
        view.PasteAsLayer();
        EXPECT_EQ(LayerCount(), 1u) << c.name;
    }
    for (RECTL bounds : {RECTL{0, 0, -400, -300}, RECTL{0, 0, 0, 200}, RECTL{0, 0, 2000000, 2000000}}) {
        HENHMETAFILE metafile = MetafileWithBounds(bounds);
        ASSERT_NE(metafile, nullptr);
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        ASSERT_TRUE(::SetClipboardData(CF_ENHMETAFILE, metafile));
        ::CloseClipboard();
        view.PasteAsLayer();
        EXPECT_EQ(LayerCount(), 1u) << "metafile bounds " << bounds.right << " x " << bounds.bottom;
    }
    EXPECT_EQ(view.doc.history.GetCount(), 1);
}

TEST_F(ClipboardTest, CopyFailsWhileAnotherWindowHoldsTheClipboard)
{
    ClipboardCleaner cleaner;
    AddLayer(30, 20, 0, 0);
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::OpenClipboard(other));
    EXPECT_FALSE(view.CopyToClipboard());
    ::CloseClipboard();
    ::DestroyWindow(other);
    EXPECT_TRUE(view.CopyToClipboard());
}

} // namespace
