// Nine-part frames, the control renderer, text formats and the graphics manager on a memory DC.
#include "GalleryIds.h"
#include "NinePart.h"
#include "TestApp.h"

namespace {

TEST(NineParts, CornersKeepTheirSizeUntilTheyNoLongerFit)
{
    struct Case {
        const char* name;
        CRect dst;
        CRect topLeftDst, interiorDst;
    } cases[] = {
        {"room to spare", CRect(10, 10, 50, 40), CRect(10, 10, 13, 14), CRect(13, 14, 48, 39)},
        {"corners shrink to share", CRect(0, 0, 4, 2), CRect(0, 0, 2, 1), CRect()},
    };
    // A 9x9 picture with corners of 3 left, 4 top, 2 right, 1 bottom.
    for (const Case& c : cases) {
        const auto parts = skinui::NineParts(CRect(0, 0, 9, 9), CRect(3, 4, 2, 1), CRect(3, 4, 2, 1), c.dst);
        ASSERT_FALSE(parts.empty()) << c.name;
        EXPECT_EQ(parts.front().kind, skinui::NinePart::Corner) << c.name;
        EXPECT_EQ(parts.front().src, CRect(0, 0, 3, 4)) << c.name;
        EXPECT_EQ(parts.front().dst, c.topLeftDst) << c.name;
        CRect interior;
        for (const auto& p : parts)
            if (p.kind == skinui::NinePart::Interior)
                interior = p.dst;
        EXPECT_EQ(interior, c.interiorDst) << c.name;
    }
}

TEST(TextFormat, KeepsTheLogFontHeightAndLaysOutText)
{
    LOGFONTW lf = {};
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    CBCGPTextFormat format(lf);
    EXPECT_FLOAT_EQ(format.GetFontSize(), -16.0f);
    EXPECT_EQ(format.GetFontFamily(), CString(L"Tahoma"));
    EXPECT_EQ(format.GetFontWeight(), FW_BOLD);
    EXPECT_TRUE(format.IsItalic());
    LOGFONTW back;
    format.ExportToLogFont(back);
    EXPECT_EQ(back.lfHeight, -16);
    EXPECT_STREQ(back.lfFaceName, L"Tahoma");

    format.SetTextAlignment(CBCGPTextFormat::BCGP_TEXT_ALIGNMENT_CENTER);
    format.SetTextVerticalAlignment(CBCGPTextFormat::BCGP_TEXT_ALIGNMENT_CENTER);
    EXPECT_EQ(format.GetDrawTextFlags() & (DT_CENTER | DT_VCENTER | DT_SINGLELINE), UINT(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    format.SetWordWrap();
    EXPECT_EQ(format.GetDrawTextFlags() & (DT_WORDBREAK | DT_SINGLELINE), UINT(DT_WORDBREAK));
}

class GraphicsDc : public testing::Test {
protected:
    void SetUp() override
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(m_dc.CreateCompatibleDC(&screen));
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 60, -60, 1, 32, BI_RGB};
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(screen.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, 60, 60, RGB(255, 255, 255));
    }
    void TearDown() override { m_dc.SelectObject(m_old); }
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};

// A frame picture of two 6x6 states one above the other: a 2-pixel frame of one colour round
// an interior of another.
HBITMAP FramePicture()
{
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 6, -12, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<uint32_t*>(bits);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool frame = x < 2 || x >= 4 || y % 6 < 2 || y % 6 >= 4;
            const bool second = y >= 6;
            px[y * 6 + x] = frame ? (second ? 0xFF000080u : 0xFFFF0000u) : (second ? 0xFFFFFF00u : 0xFF0000FFu);
        }
    return bmp;
}

TEST_F(GraphicsDc, RendererStretchesTheInteriorAndKeepsTheFrame)
{
    CBitmap picture;
    picture.Attach(FramePicture());
    CBCGPControlRenderer renderer;
    ASSERT_TRUE(renderer.Create(CBCGPControlRendererParams(0, CRect(0, 0, 6, 6), CRect(2, 2, 2, 2)), picture));
    EXPECT_EQ(renderer.GetImageCount(), 2);
    renderer.Draw(&m_dc, CRect(0, 0, 30, 20));
    EXPECT_EQ(m_dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(m_dc.GetPixel(28, 10), RGB(255, 0, 0));  // right side, two pixels wide
    EXPECT_EQ(m_dc.GetPixel(27, 10), RGB(0, 0, 255));  // interior
    EXPECT_EQ(m_dc.GetPixel(15, 17), RGB(0, 0, 255));
    EXPECT_EQ(m_dc.GetPixel(15, 18), RGB(255, 0, 0));
    // The second state; a frame alone leaves the inside.
    renderer.DrawFrame(&m_dc, CRect(30, 30, 50, 50), 1);
    EXPECT_EQ(m_dc.GetPixel(31, 40), RGB(0, 0, 128));
    EXPECT_EQ(m_dc.GetPixel(40, 40), RGB(255, 255, 255));

    // Prepared without a picture: margins kept, nothing drawn.
    CBCGPControlRenderer empty;
    EXPECT_TRUE(empty.Create(CBCGPControlRendererParams(0, CRect(0, 0, 46, 15), CRect(5, 10, 5, 4))));
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.GetParams().m_rectCorners, CRect(5, 10, 5, 4));
    empty.Draw(&m_dc, CRect(40, 0, 60, 20));
    EXPECT_EQ(m_dc.GetPixel(45, 5), RGB(255, 255, 255));
}

TEST_F(GraphicsDc, ManagerFillsWithOpacityDrawsTextAndPictures)
{
    CBCGPGraphicsManager gm(&m_dc);
    gm.FillRectangle(CRect(0, 0, 10, 10), CBCGPBrush(CBCGPColor(RGB(0, 120, 215))));
    EXPECT_EQ(m_dc.GetPixel(9, 9), RGB(0, 120, 215));
    EXPECT_EQ(m_dc.GetPixel(10, 10), RGB(255, 255, 255));

    // Half-opaque black over white is mid grey; the ellipse leaves its bounding box's corners.
    gm.FillEllipse(CRect(10, 0, 30, 20), CBCGPBrush(CBCGPColor(0, 0, 0), 0.5));
    EXPECT_NEAR(GetRValue(m_dc.GetPixel(20, 10)), 128, 3);
    EXPECT_EQ(m_dc.GetPixel(10, 0), RGB(255, 255, 255));

    CBCGPTextFormat format(L"Tahoma", -14, FW_BOLD);
    gm.DrawText(L"Ag", CRect(30, 0, 60, 20), format, CBCGPBrush(CBCGPColor(RGB(200, 0, 0))));
    bool inked = false;
    for (int y = 0; y < 20 && !inked; ++y)
        for (int x = 30; x < 60 && !inked; ++x)
            inked = m_dc.GetPixel(x, y) != RGB(255, 255, 255);
    EXPECT_TRUE(inked);
    EXPECT_GT(gm.GetTextSize(L"Ag", format).cx, 5);

    CBCGPImage image(IDB_TEST_STRIP_PNG);
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.GetSize(), CSize(24, 8));
    gm.DrawImage(image, CPoint(0, 30));
    EXPECT_EQ(m_dc.GetPixel(2, 32), RGB(255, 0, 0));
    gm.DrawImage(image, CPoint(0, 40), CSize(48, 16));
    EXPECT_EQ(m_dc.GetPixel(20, 48), RGB(0, 255, 0));
    EXPECT_TRUE(CBCGPImage(L"missing-file.png").IsEmpty());
}

} // namespace
