// Drawing onto device contexts: memory DCs over a section whose pixels are read back.
#include <gtest/gtest.h>
#include "ZVImageTestSupport.h"
#include "Win32Owners.h"

using namespace zvtest;

namespace {

// A white 32-bit canvas selected into a memory DC; rows from the top.
class Canvas {
public:
    Canvas(long w, long h) : m_w(w), m_h(h)
    {
        BITMAPINFO info = win32::TopDownBitmapInfo(w, h);
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        for (long i = 0; i < w * h; ++i)
            m_bits[i] = 0x00FFFFFF;
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    RGBQUAD At(long x, long y) const
    {
        GdiFlush();
        const DWORD v = m_bits[y * m_w + x];
        return RGBQUAD{BYTE(v), BYTE(v >> 8), BYTE(v >> 16), 0};
    }

private:
    long m_w, m_h;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits = nullptr;
};

const RGBQUAD kPaper = {255, 255, 255, 0};

} // namespace

TEST(Draw, OpaqueAtSizeStretchedAndFlipped)
{
    const CZVImage image = Pattern(6, 4);
    Canvas canvas(20, 20);
    EXPECT_EQ(image.Draw(nullptr, 0, 0), 0);
    ASSERT_EQ(image.Draw(canvas.Dc(), 2, 3), 1);
    for (long y = 0; y < 4; ++y)
        for (long x = 0; x < 6; ++x)
            ASSERT_TRUE(SameColor(canvas.At(2 + x, 3 + y), TopDown(image, x, y))) << x << "," << y;
    EXPECT_TRUE(SameColor(canvas.At(1, 3), kPaper));
    EXPECT_TRUE(SameColor(canvas.At(8, 3), kPaper));

    Canvas big(20, 20);
    ASSERT_EQ(image.Stretch(big.Dc(), RECT{0, 0, 12, 8}), 1);
    EXPECT_TRUE(SameColor(big.At(11, 7), TopDown(image, 5, 3)));
    EXPECT_TRUE(SameColor(big.At(10, 6), TopDown(image, 5, 3)));

    Canvas flipped(10, 10);
    ASSERT_EQ(image.Draw(flipped.Dc(), 0, 0, -1, -1, nullptr, false, true), 1);
    EXPECT_TRUE(SameColor(flipped.At(0, 0), TopDown(image, 0, 3)));
    EXPECT_TRUE(SameColor(flipped.At(5, 3), TopDown(image, 5, 0)));
    EXPECT_TRUE(SameColor(flipped.At(0, 4), kPaper));
}

TEST(Draw, AlphaBlendsOverTheContextAndHonoursTheClip)
{
    CZVImage image;
    image.Create(4, 4, 24);
    image.SetRectColor(RECT{0, 0, 4, 4}, RGBQUAD{0, 0, 0, 0});
    image.AlphaCreate();
    image.AlphaSet(128);
    image.AlphaSet(0, 3, 0);   // top-left pixel clear
    Canvas canvas(10, 10);
    const RECT clip = {0, 0, 3, 10};
    ASSERT_EQ(image.Draw(canvas.Dc(), RECT{1, 1, 5, 5}, &clip), 1);
    EXPECT_TRUE(SameColor(canvas.At(1, 1), kPaper, 1));                    // clear pixel
    EXPECT_TRUE(SameColor(canvas.At(2, 2), RGBQUAD{127, 127, 127, 0}, 2));  // half over white
    EXPECT_TRUE(SameColor(canvas.At(3, 2), kPaper));                        // clipped away

    // Stretched with smoothing, the blend still covers the whole target rectangle.
    Canvas stretched(20, 20);
    ASSERT_EQ(image.Draw(stretched.Dc(), RECT{0, 0, 16, 16}, nullptr, true), 1);
    EXPECT_TRUE(SameColor(stretched.At(12, 12), RGBQUAD{127, 127, 127, 0}, 3));
    EXPECT_TRUE(SameColor(stretched.At(17, 17), kPaper));

    // A transparent colour leaves the context showing through.
    CZVImage keyed;
    keyed.Create(2, 1, 24);
    keyed.SetPixelColor(0, 0, RGBQUAD{0, 255, 0, 0});
    keyed.SetPixelColor(1, 0, RGBQUAD{0, 0, 255, 0});
    keyed.SetTransColor(RGBQUAD{0, 255, 0, 0});
    keyed.SetTransIndex(0);
    Canvas under(4, 4);
    ASSERT_EQ(keyed.Draw(under.Dc(), 0, 0), 1);
    EXPECT_TRUE(SameColor(under.At(0, 0), kPaper));
    EXPECT_TRUE(SameColor(under.At(1, 0), RGBQUAD{0, 0, 255, 0}));

    // Draw2 does not read the context: alpha is flattened onto the transparent colour.
    image.SetTransColor(RGBQUAD{0, 0, 255, 0});
    Canvas printer(10, 10);
    ASSERT_EQ(image.Draw2(printer.Dc(), 0, 0, 4, 4), 1);
    EXPECT_TRUE(SameColor(printer.At(0, 0), RGBQUAD{0, 0, 255, 0}, 1));
    EXPECT_TRUE(SameColor(printer.At(2, 2), RGBQUAD{0, 0, 127, 0}, 2));
}

TEST(Draw, TileCoversTheRectangleOnly)
{
    const CZVImage image = Pattern(3, 2);
    Canvas canvas(12, 12);
    const RECT area = {1, 1, 9, 6};
    ASSERT_EQ(image.Tile(canvas.Dc(), &area), 1);
    EXPECT_TRUE(SameColor(canvas.At(1, 1), TopDown(image, 0, 0)));
    EXPECT_TRUE(SameColor(canvas.At(4, 3), TopDown(image, 0, 0)));
    EXPECT_TRUE(SameColor(canvas.At(8, 5), TopDown(image, 1, 0)));
    EXPECT_TRUE(SameColor(canvas.At(9, 5), kPaper));
    EXPECT_TRUE(SameColor(canvas.At(8, 6), kPaper));
}

TEST(Draw, AutoFitAndFullSupport)
{
    CZVImage image;
    image.Create(100, 50, 24);
    image.SetRectColor(RECT{0, 0, 100, 50}, RGBQUAD{0, 0, 200, 0});
    image.SetRectColor(RECT{0, 0, 50, 50}, RGBQUAD{200, 0, 0, 0});
    RECT used;
    image.DrawAutoFit(nullptr, RECT{0, 0, 400, 400}, &used);
    EXPECT_EQ(used.left, 150);
    EXPECT_EQ(used.right, 250);
    Canvas canvas(40, 40);
    image.DrawAutoFit(canvas.Dc(), RECT{0, 0, 40, 40}, &used);
    EXPECT_EQ(used.top, 10);
    EXPECT_EQ(used.bottom, 30);
    EXPECT_TRUE(SameColor(canvas.At(5, 20), RGBQUAD{200, 0, 0, 0}, 4));
    EXPECT_TRUE(SameColor(canvas.At(5, 5), kPaper));
    Canvas full(40, 40);
    image.DrawFullSupport(full.Dc(), RECT{0, 0, 40, 40});
    EXPECT_TRUE(SameColor(full.At(5, 5), RGBQUAD{200, 0, 0, 0}, 4));    // covered to the top
    EXPECT_TRUE(SameColor(full.At(35, 35), RGBQUAD{0, 0, 200, 0}, 4));
}

TEST(Draw, BitmapsAndIconsRoundTrip)
{
    const CZVImage image = Pattern(7, 5, true);
    HBITMAP plain = image.MakeBitmap();
    ASSERT_NE(plain, nullptr);
    CZVImage back;
    ASSERT_TRUE(back.CreateFromHBITMAP(plain));
    EXPECT_TRUE(SamePixels(back, image));
    EXPECT_FALSE(back.AlphaIsValid());
    DeleteObject(plain);

    // With transparency: a premultiplied 32-bit section, as AlphaBlend wants it.
    HBITMAP blended = image.MakeBitmap(nullptr, true);
    ASSERT_NE(blended, nullptr);
    DIBSECTION section;
    ASSERT_EQ(GetObjectW(blended, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    const BYTE* px = static_cast<const BYTE*>(section.dsBm.bmBits) + (1 * 7 + 2) * 4;   // (2, 1)
    const RGBQUAD c = image.GetPixelColor(2, 1);
    EXPECT_EQ(px[3], c.rgbReserved);
    EXPECT_NEAR(px[0], c.rgbBlue * c.rgbReserved / 255, 1);
    DeleteObject(blended);

    // An icon with its own alpha.
    CZVImage opaque = Pattern(16, 16);
    ICONINFO info = {};
    info.fIcon = TRUE;
    HBITMAP colour = Pattern(16, 16, true).MakeBitmap(nullptr, true);
    info.hbmColor = colour;
    info.hbmMask = CreateBitmap(16, 16, 1, 1, nullptr);
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    CZVImage fromIcon;
    ASSERT_TRUE(fromIcon.CreateFromHICON(icon, true));
    EXPECT_EQ(fromIcon.GetWidth(), 16u);
    ASSERT_TRUE(fromIcon.AlphaIsValid());
    EXPECT_EQ(fromIcon.AlphaGet(3, 4), PatternColor(3, 4, true).rgbReserved);
    DestroyIcon(icon);
    DeleteObject(colour);
    DeleteObject(info.hbmMask);
    EXPECT_FALSE(fromIcon.CreateFromHICON(nullptr));
}
