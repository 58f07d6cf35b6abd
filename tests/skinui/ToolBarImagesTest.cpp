// Image strips: loading PNG and bitmap strips, transparency, smooth resizing and drawing.
#include <cstring>
#include <string>
#include "GalleryIds.h"
#include "TestApp.h"
#include "TestSupport.h"

namespace {

BYTE Alpha(uint32_t p) { return static_cast<BYTE>(p >> 24); }
COLORREF Rgb(uint32_t p) { return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p)); }

skinui::Pixels Make(int w, int h, std::initializer_list<uint32_t> data)
{
    skinui::Pixels px;
    px.width = w;
    px.height = h;
    px.data = data;
    return px;
}

TEST(ImageStrip, PngResourceSplitsIntoImagesWithItsAlpha)
{
    CBCGPToolBarImages images;
    images.SetImageSize(CSize(8, 8));
    ASSERT_TRUE(images.Load(IDB_TEST_STRIP_PNG));
    EXPECT_EQ(images.GetCount(), 3);
    EXPECT_EQ(images.GetImageSize(), CSize(8, 8));
    const skinui::Pixels& px = images.GetPixels();
    EXPECT_EQ(px.At(3, 3), 0xFFFF0000u);         // opaque red
    EXPECT_EQ(px.At(9, 3), 0xFF00FF00u);         // green half
    EXPECT_EQ(px.At(14, 3), 0u);                 // clear half
    EXPECT_EQ(px.At(20, 3), skinui::Premultiply(0, 0, 255, 128));
    EXPECT_EQ(Alpha(px.At(20, 3)), 128);

    // Without an image size the picture is one image; SetSingleImage makes it so later.
    CBCGPToolBarImages whole;
    ASSERT_TRUE(whole.Load(IDB_TEST_STRIP_PNG));
    EXPECT_EQ(whole.GetCount(), 1);
    images.SetSingleImage();
    EXPECT_EQ(images.GetCount(), 1);
    EXPECT_EQ(images.GetImageSize(), CSize(24, 8));
}

TEST(ImageStrip, BitmapTransparentColourBeforeOrAfterLoading)
{
    for (bool before : {true, false}) {
        CBCGPToolBarImages images;
        images.SetImageSize(CSize(8, 8));
        if (before)
            images.SetTransparentColor(RGB(255, 0, 255));
        ASSERT_TRUE(images.Load(IDB_TEST_STRIP_BMP)) << before;
        if (!before) {
            EXPECT_EQ(images.GetPixels().At(0, 0), 0xFFFF00FFu) << "opaque until a colour is set";
            images.SetTransparentColor(RGB(255, 0, 255));
        }
        EXPECT_EQ(images.GetCount(), 2);
        EXPECT_EQ(images.GetPixels().At(0, 0), 0u) << before;
        EXPECT_EQ(images.GetPixels().At(3, 3), 0xFF000000u) << before;
        EXPECT_EQ(images.GetPixels().At(11, 3), 0xFFFFFFFFu) << before;
    }
}

TEST(ImageStrip, AddAppendsAndRefusesOtherHeightsAndDamagedFiles)
{
    CBCGPToolBarImages images;
    images.SetImageSize(CSize(8, 8));
    ASSERT_TRUE(images.Load(IDB_TEST_STRIP_PNG));
    ASSERT_TRUE(images.Load(IDB_TEST_STRIP_BMP, nullptr, TRUE));
    EXPECT_EQ(images.GetCount(), 5);
    EXPECT_EQ(images.GetPixels().At(3 * 8 + 3, 3), 0xFF000000u);

    // A 8x4 bitmap cannot join 8-high images.
    CBitmap small;
    small.CreateBitmap(8, 4, 1, 32, nullptr);
    EXPECT_EQ(images.AddImage(small), -1);
    EXPECT_EQ(images.GetCount(), 5);

    // A PNG cut short and a file that is neither PNG nor BMP leave what is held.
    HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_TEST_STRIP_PNG), L"PNG");
    const auto* png = static_cast<const char*>(::LockResource(::LoadResource(nullptr, res)));
    const DWORD size = ::SizeofResource(nullptr, res);
    EXPECT_FALSE(images.LoadFromMemory(png, size / 2));
    EXPECT_FALSE(images.LoadFromMemory("GIF89a....", 10));
    EXPECT_EQ(images.GetCount(), 5);

    // A BMP file whose rows run past its end is refused; the whole one loads.
    HRSRC bmpRes = ::FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_TEST_STRIP_BMP), RT_BITMAP);
    const auto* dib = static_cast<const char*>(::LockResource(::LoadResource(nullptr, bmpRes)));
    std::string bmp(sizeof(BITMAPFILEHEADER), '\0');
    BITMAPFILEHEADER fh = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::memcpy(&bmp[0], &fh, sizeof(fh));
    bmp.append(dib, ::SizeofResource(nullptr, bmpRes));
    CBCGPToolBarImages fromBmp;
    EXPECT_FALSE(fromBmp.LoadFromMemory(bmp.data(), bmp.size() - 20));
    EXPECT_TRUE(fromBmp.LoadFromMemory(bmp.data(), bmp.size()));
    EXPECT_EQ(fromBmp.GetBitmapSize(), CSize(16, 8));

    // The same PNG from a file.
    testsupport::TempFolder folder;
    const std::wstring path = folder.At(L"strip.png");
    ASSERT_TRUE(testsupport::TempFolder::Put(path, std::string(png, size)));
    CBCGPToolBarImages fromFile;
    fromFile.SetImageSize(CSize(8, 8));
    EXPECT_TRUE(fromFile.LoadFromFile(path.c_str()));
    EXPECT_EQ(fromFile.GetCount(), 3);
    ::DeleteFileW(path.c_str());
    EXPECT_FALSE(fromFile.LoadFromFile(path.c_str()));
}

TEST(ImageStrip, ResampleAveragesInPremultipliedSpace)
{
    // Shrinking black and white gives grey; shrinking opaque red with a clear pixel gives
    // half-opaque red, not a darkened red.
    skinui::Pixels out = Make(1, 1, {0});
    skinui::Resample(Make(2, 1, {0xFF000000u, 0xFFFFFFFFu}), 0, 0, 2, 1, out, 0, 0, 1, 1);
    EXPECT_EQ(out.data[0], 0xFF808080u);
    skinui::Resample(Make(2, 1, {0xFFFF0000u, 0u}), 0, 0, 2, 1, out, 0, 0, 1, 1);
    EXPECT_EQ(out.data[0], 0x80800000u);

    // Growing keeps the ends and ramps between them.
    skinui::Pixels grown = Make(4, 1, {0, 0, 0, 0});
    skinui::Resample(Make(2, 1, {0xFF000000u, 0xFFC8C8C8u}), 0, 0, 2, 1, grown, 0, 0, 4, 1);
    EXPECT_EQ(grown.data[0], 0xFF000000u);
    EXPECT_EQ(grown.data[3], 0xFFC8C8C8u);
    EXPECT_LT(Rgb(grown.data[1]) & 0xFF, Rgb(grown.data[2]) & 0xFF);
}

TEST(ImageStrip, SmoothResizeScalesEachImageApart)
{
    CBCGPToolBarImages images;
    images.SetImageSize(CSize(8, 8));
    ASSERT_TRUE(images.Load(IDB_TEST_STRIP_PNG));
    ASSERT_TRUE(images.SmoothResize(1.5));
    EXPECT_EQ(images.GetImageSize(), CSize(12, 12));
    EXPECT_EQ(images.GetCount(), 3);
    EXPECT_DOUBLE_EQ(images.GetScale(), 1.5);
    // The red image's last column does not pick up the green of its neighbour.
    EXPECT_EQ(images.GetPixels().At(11, 6), 0xFFFF0000u);
    EXPECT_EQ(images.GetPixels().At(12, 6), 0xFF00FF00u);
    EXPECT_FALSE(images.SmoothResize(0));
    EXPECT_TRUE(images.SmoothResize(1.0));
    EXPECT_EQ(images.GetImageSize(), CSize(12, 12));
}

class ImageDc : public testing::Test {
protected:
    void SetUp() override
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(m_dc.CreateCompatibleDC(&screen));
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -40, 1, 32, BI_RGB};
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(screen.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
        m_images.SetImageSize(CSize(8, 8));
        ASSERT_TRUE(m_images.Load(IDB_TEST_STRIP_PNG));
    }
    void TearDown() override { m_dc.SelectObject(m_old); }
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
    CBCGPToolBarImages m_images;
};

TEST_F(ImageDc, DrawBlendsNormalDisabledAndStretched)
{
    ASSERT_TRUE(m_images.Draw(&m_dc, 0, 0, 0));
    ASSERT_TRUE(m_images.Draw(&m_dc, 10, 0, 1));
    ASSERT_TRUE(m_images.Draw(&m_dc, 20, 0, 2));
    EXPECT_EQ(m_dc.GetPixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(m_dc.GetPixel(11, 3), RGB(0, 255, 0));
    EXPECT_EQ(m_dc.GetPixel(16, 3), RGB(255, 255, 255)); // clear half
    const COLORREF half = m_dc.GetPixel(23, 3);           // half blue over white
    EXPECT_EQ(GetBValue(half), 255);
    EXPECT_NEAR(GetRValue(half), 127, 2);
    EXPECT_FALSE(m_images.Draw(&m_dc, 0, 0, 3));

    // Disabled: grey, and light because it is faded over white.
    ASSERT_TRUE(m_images.Draw(&m_dc, 0, 10, 0, FALSE, TRUE));
    const COLORREF grey = m_dc.GetPixel(3, 13);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_GT(GetRValue(grey), 160);

    // Stretched from the left half of image 1: all green.
    ASSERT_TRUE(m_images.DrawEx(&m_dc, CRect(0, 20, 16, 36), 1, CRect(0, 0, 4, 8)));
    EXPECT_EQ(m_dc.GetPixel(1, 21), RGB(0, 255, 0));
    EXPECT_EQ(m_dc.GetPixel(15, 35), RGB(0, 255, 0));
    EXPECT_EQ(m_dc.GetPixel(16, 35), RGB(255, 255, 255));
}

TEST_F(ImageDc, ExtractedIconCarriesTheImage)
{
    HICON icon = m_images.ExtractIcon(0);
    ASSERT_NE(icon, nullptr);
    ::DrawIconEx(m_dc.GetSafeHdc(), 30, 30, icon, 8, 8, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(m_dc.GetPixel(33, 33), RGB(255, 0, 0));
    ::DestroyIcon(icon);
    EXPECT_EQ(m_images.ExtractIcon(7), nullptr);
}

} // namespace
