// GDI wrappers: drawing into a memory DC with the framework's objects, read back pixel by pixel;
// objects own their handles.
#include <gtest/gtest.h>
#include <functional>
#include "TestApp.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A 64 x 64 picture in a memory DC, white to start with.
class MemoryDCTest : public testing::Test {
protected:
    void SetUp() override
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(m_dc.CreateCompatibleDC(&screen));
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(&screen, 64, 64));
        m_old = m_dc.SelectObject(&m_bitmap);
        ASSERT_NE(m_old, nullptr);
        m_dc.FillSolidRect(0, 0, 64, 64, kWhite);
    }
    void TearDown() override { m_dc.SelectObject(m_old); }

    int CountPixels(const CRect& area, COLORREF colour)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += m_dc.GetPixel(x, y) == colour;
        return count;
    }

    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};

} // namespace

TEST_F(MemoryDCTest, ObjectsDrawWhatTheySay)
{
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    struct Case {
        const char* name;
        std::function<void(CDC&)> draw;
        std::vector<Probe> probes;
    };
    const std::vector<Case> cases = {
        { "solid fill", [](CDC& dc) { dc.FillSolidRect(CRect(2, 2, 10, 10), kRed); }, { { 5, 5, kRed }, { 10, 10, kWhite } } },
        { "brush fill",
          [](CDC& dc) {
              CBrush blue(kBlue);
              dc.FillRect(CRect(0, 0, 8, 8), &blue);
          },
          { { 7, 7, kBlue }, { 8, 8, kWhite } } },
        { "pen line",
          [](CDC& dc) {
              CPen green(PS_SOLID, 1, kGreen);
              CPen* old = dc.SelectObject(&green);
              dc.MoveTo(0, 20);
              dc.LineTo(30, 20);
              dc.SelectObject(old);
          },
          { { 15, 20, kGreen }, { 15, 21, kWhite }, { 30, 20, kWhite } } },
        { "ellipse with pen and brush",
          [](CDC& dc) {
              CPen red(PS_SOLID, 1, kRed);
              CBrush blue(kBlue);
              CPen* oldPen = dc.SelectObject(&red);
              CBrush* oldBrush = dc.SelectObject(&blue);
              dc.Ellipse(0, 0, 40, 40);
              dc.SelectObject(oldPen);
              dc.SelectObject(oldBrush);
          },
          { { 20, 20, kBlue }, { 0, 20, kRed }, { 1, 1, kWhite } } },
        { "region",
          [](CDC& dc) {
              CRgn rect, round, both;
              rect.CreateRectRgn(0, 0, 10, 10);
              round.CreateEllipticRgn(20, 20, 40, 40);
              both.CreateRectRgn(0, 0, 0, 0);
              both.CombineRgn(&rect, &round, RGN_OR);
              CBrush green(kGreen);
              dc.FillRgn(&both, &green);
          },
          { { 5, 5, kGreen }, { 30, 30, kGreen }, { 15, 15, kWhite } } },
        { "pixels",
          [](CDC& dc) {
              dc.SetPixel(3, 4, kRed);
              dc.SetPixelV(5, 6, kBlue);
          },
          { { 3, 4, kRed }, { 5, 6, kBlue }, { 4, 4, kWhite } } },
        { "blit and stretch from another DC",
          [](CDC& dc) {
              CDC source;
              source.CreateCompatibleDC(&dc);
              CBitmap picture;
              picture.CreateCompatibleBitmap(&dc, 4, 4);
              CBitmap* old = source.SelectObject(&picture);
              source.FillSolidRect(0, 0, 4, 4, kBlue);
              source.SetPixel(0, 0, kRed);
              dc.BitBlt(10, 10, 4, 4, &source, 0, 0, SRCCOPY);
              dc.StretchBlt(40, 40, 8, 8, &source, 0, 0, 4, 4, SRCCOPY);
              source.SelectObject(old);
          },
          { { 10, 10, kRed }, { 13, 13, kBlue }, { 41, 41, kRed }, { 47, 47, kBlue }, { 48, 48, kWhite } } },
        { "pattern brush",
          [](CDC& dc) {
              CBrush* halftone = CDC::GetHalftoneBrush();
              CBrush* old = dc.SelectObject(halftone);
              dc.SetTextColor(kRed);
              dc.SetBkColor(kBlue);
              dc.PatBlt(0, 0, 8, 8, PATCOPY);
              dc.SelectObject(old);
          },
          { { 0, 0, kRed }, { 1, 0, kBlue }, { 0, 1, kBlue }, { 1, 1, kRed } } },
        { "saved state comes back",
          [](CDC& dc) {
              const int saved = dc.SaveDC();
              dc.SetBkColor(kGreen);
              dc.RestoreDC(saved);
              dc.FillSolidRect(0, 0, 1, 1, dc.GetBkColor() == kGreen ? kRed : kBlue);
          },
          { { 0, 0, kBlue } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_dc.FillSolidRect(0, 0, 64, 64, kWhite);
        c.draw(m_dc);
        for (const Probe& p : c.probes)
            EXPECT_EQ(m_dc.GetPixel(p.x, p.y), p.expected) << "at " << p.x << "," << p.y;
    }
}

TEST_F(MemoryDCTest, TextDrawsInsideItsRectangleAndMeasuresWithItsFont)
{
    CFont small, large;
    ASSERT_TRUE(small.CreatePointFont(80, L"Arial", &m_dc));
    ASSERT_TRUE(large.CreatePointFont(240, L"Arial", &m_dc));
    CFont* old = m_dc.SelectObject(&small);
    const CSize smallSize = m_dc.GetTextExtent(CString(L"Wide"));
    m_dc.SelectObject(&large);
    const CSize largeSize = m_dc.GetTextExtent(L"Wide", 4);
    EXPECT_GT(largeSize.cx, smallSize.cx * 2);
    EXPECT_GT(largeSize.cy, smallSize.cy * 2);

    m_dc.SelectObject(&small);
    m_dc.SetTextColor(RGB(0, 0, 0));
    m_dc.SetBkMode(TRANSPARENT);
    CRect box(4, 4, 60, 30);
    m_dc.DrawText(CString(L"Text"), box, DT_LEFT | DT_TOP | DT_SINGLELINE);
    EXPECT_GT(box.Width() * box.Height() - CountPixels(box, kWhite), 10) << "the text drew something";
    EXPECT_EQ(CountPixels(CRect(0, 40, 64, 64), kWhite), 64 * 24) << "and nothing outside its box";
    m_dc.SelectObject(old);
}

TEST_F(MemoryDCTest, DragFramesInvertAndDrawingTheSameFrameAgainRestores)
{
    const CRect frame(10, 10, 40, 40);
    m_dc.DrawDragRect(frame, CSize(3, 3), nullptr, CSize(0, 0));
    EXPECT_LT(CountPixels(CRect(10, 10, 13, 40), kWhite), 3 * 30) << "the frame shows";
    EXPECT_EQ(CountPixels(CRect(13, 13, 37, 37), kWhite), 24 * 24) << "the inside stays";
    // Moving it: only the difference is inverted, so the old frame disappears.
    const CRect moved(20, 20, 50, 50);
    m_dc.DrawDragRect(moved, CSize(3, 3), frame, CSize(3, 3));
    EXPECT_EQ(CountPixels(CRect(10, 10, 13, 40), kWhite), 3 * 30);
    EXPECT_LT(CountPixels(CRect(47, 20, 50, 50), kWhite), 3 * 30);
    m_dc.DrawDragRect(nullptr, CSize(0, 0), moved, CSize(3, 3));
    EXPECT_EQ(CountPixels(CRect(0, 0, 64, 64), kWhite), 64 * 64);
}

TEST(GdiObject, ObjectsOwnTheirHandlesUnlessDetached)
{
    HGDIOBJ deleted;
    {
        CPen pen(PS_SOLID, 2, kRed);
        deleted = pen.m_hObject;
        EXPECT_EQ(GetObjectType(deleted), static_cast<DWORD>(OBJ_PEN));
        LOGPEN logPen = {};
        ASSERT_TRUE(pen.GetLogPen(&logPen));
        EXPECT_EQ(logPen.lopnColor, kRed);
    }
    EXPECT_EQ(GetObjectType(deleted), 0u);

    HGDIOBJ kept;
    {
        CBrush brush(kBlue);
        kept = brush.Detach();
    }
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
    CBrush* wrapper = CBrush::FromHandle(static_cast<HBRUSH>(kept));
    EXPECT_TRUE(wrapper->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(wrapper->m_hObject, kept);
    TestApp().OnIdle(1);  // the temporary wrapper goes, the brush stays
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(kept);

    CDC screen;
    screen.Attach(GetDC(nullptr));
    CPalette palette;
    ASSERT_TRUE(palette.CreateHalftonePalette(&screen));
    EXPECT_GT(palette.GetEntryCount(), 0);
    ReleaseDC(nullptr, screen.Detach());
}

TEST(GdiObject, MenusHandOutTheirSubMenus)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 10, L"&Open");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 11, L"E&xit");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), L"&File");
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetMenuItemCount(), 3);
    EXPECT_EQ(file->GetMenuItemID(2), 11u);
    CString text;
    file->GetMenuString(10, text, MF_BYCOMMAND);
    EXPECT_EQ(text, L"&Open");
    file->CheckMenuItem(11, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_TRUE(file->GetMenuState(11, MF_BYCOMMAND) & MF_CHECKED);
}
