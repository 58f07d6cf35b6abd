// The image combo box draws item i with image i of its strip.
#include "ControlsTestSupport.h"
#include "GenericPicker.h"
#include "KQComboBox.h"
#include "UIKitIds.h"

namespace {

TEST(ImageCombo, ItemFiveDrawsTheSixthImage)
{
    CControlsHost host;
    ASSERT_TRUE(host.Open(CRect(0, 0, 300, 300)));
    CKQComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(10, 10, 210, 200), &host, 5));
    ASSERT_TRUE(combo.LoadImageW(IDB_KQ_SHAPES));
    for (int i = 0; i < 8; ++i)
        combo.AddString((L"Shape " + std::to_wstring(i)).c_str());

    // The strip's own pixels at the middle of images 4 and 5.
    HBITMAP strip = picker::LoadStripResource(IDB_KQ_SHAPES);
    ASSERT_NE(nullptr, strip);
    CDC stripDC;
    stripDC.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(stripDC.m_hDC, strip);
    const COLORREF fifth = ::GetPixel(stripDC.m_hDC, 4 * 24 + 12, 12), sixth = ::GetPixel(stripDC.m_hDC, 5 * 24 + 12, 12);
    ::SelectObject(stripDC.m_hDC, old);
    ::DeleteObject(strip);
    ASSERT_NE(fifth, sixth);

    CPixelCanvas canvas(200, 24, RGB(255, 255, 255));
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = 5;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = combo.m_hWnd;
    item.hDC = canvas.DC().m_hDC;
    item.rcItem = CRect(0, 0, 200, 24);
    combo.DrawItem(&item);
    EXPECT_EQ(ColorText(sixth), ColorText(canvas.At(2 + 12, 12)));
    // The corner of the glyph's square is the strip's white: transparent, the item's background.
    EXPECT_EQ(ColorText(RGB(255, 255, 255)), ColorText(canvas.At(2, 0)));

    MEASUREITEMSTRUCT measure = {};
    combo.MeasureItem(&measure);
    EXPECT_EQ(24u, measure.itemHeight);
}

} // namespace
