// The skinned controls in the gallery dialog, driven by messages; their painting read back
// from a memory device.
#include <memory>
#include "GalleryDialog.h"

namespace {

// A control's client area printed into a 32-bit memory bitmap.
class Printed {
public:
    explicit Printed(CWnd* wnd)
    {
        wnd->GetClientRect(&m_rect);
        CClientDC screen(nullptr);
        m_dc.CreateCompatibleDC(&screen);
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), m_rect.Width(), -m_rect.Height(), 1, 32, BI_RGB};
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(screen.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(m_rect, RGB(1, 2, 3));
        wnd->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc.m_hDC), PRF_CLIENT);
    }
    ~Printed() { m_dc.SelectObject(m_old); }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
    const CRect& Rect() const { return m_rect; }

private:
    CRect m_rect;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};

class ControlTest : public testing::Test {
protected:
    void SetUp() override
    {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManagerVS2012));
        CBCGPVisualManagerVS2012::SetAccentColorRGB(kAccent);
        ASSERT_TRUE(m_dialog.OpenModeless());
        PumpFor(50);
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        CBCGPVisualManagerVS2012::SetAccentColor(CBCGPVisualManagerVS2012::VS2012_Blue);
    }
    static constexpr COLORREF kAccent = RGB(200, 30, 30);
    CGalleryDialog m_dialog;
};

TEST_F(ControlTest, PlainControlsAreTakenOverBySkinnedOnes)
{
    const struct {
        int id;
        CRuntimeClass* expected;
    } cases[] = {
        {IDC_EDIT, RUNTIME_CLASS(CBCGPEdit)},
        {IDC_BUTTON, RUNTIME_CLASS(CBCGPButton)},
        {IDOK, RUNTIME_CLASS(CBCGPButton)},
        {IDC_SPIN, RUNTIME_CLASS(CBCGPSpinButtonCtrl)},
        {IDC_THEME, RUNTIME_CLASS(CBCGPComboBox)},
        {IDC_TREE, RUNTIME_CLASS(CBCGPTreeCtrl)},
        {IDC_SCROLL, RUNTIME_CLASS(CBCGPScrollBar)},
        {IDC_COLOR, RUNTIME_CLASS(CBCGPColorButton)},   // bound by the dialog, kept
    };
    for (const auto& c : cases) {
        CWnd* wnd = CWnd::FromHandlePermanent(m_dialog.GetDlgItem(c.id)->GetSafeHwnd());
        ASSERT_TRUE(wnd) << c.id;
        EXPECT_TRUE(wnd->IsKindOf(c.expected)) << c.id << " is " << wnd->GetRuntimeClass()->m_lpszClassName;
    }
    // Check boxes keep the system's behaviour.
    EXPECT_EQ(CWnd::FromHandlePermanent(m_dialog.GetDlgItem(IDC_CHECK)->GetSafeHwnd()), nullptr);
}

TEST_F(ControlTest, ColourButtonReturnsThePickedColour)
{
    m_dialog.m_color.SendMessage(BM_CLICK);
    CWnd* popup = m_dialog.m_color.GetPopup();
    ASSERT_TRUE(popup);
    EXPECT_EQ(m_dialog.m_colorClicks, 0) << "opening the palette is no pick";

    int count = 0;
    const COLORREF* colors = CBCGPColor::GetRGBArray(count);
    const skinui::PaletteLayout layout = skinui::LayoutPalette(count, 14, 18, TRUE, TRUE);
    const int pick = 8;
    const CPoint at = layout.cells[pick].CenterPoint();
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_TRUE(PumpUntil([&] { return m_dialog.m_color.GetPopup() == nullptr; }));
    EXPECT_EQ(m_dialog.m_color.GetColor(), colors[pick]);
    EXPECT_FALSE(m_dialog.m_color.IsAutomatic());
    EXPECT_EQ(m_dialog.m_colorClicks, 1) << "the parent hears of the new colour";

    // The automatic entry.
    m_dialog.m_color.SendMessage(BM_CLICK);
    ASSERT_TRUE(m_dialog.m_color.GetPopup());
    const CPoint automatic = layout.automatic.CenterPoint();
    m_dialog.m_color.GetPopup()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(automatic.x, automatic.y));
    ASSERT_TRUE(PumpUntil([&] { return m_dialog.m_color.GetPopup() == nullptr; }));
    EXPECT_TRUE(m_dialog.m_color.IsAutomatic());
    EXPECT_EQ(m_dialog.m_color.GetColor(), RGB(0, 0, 0));

    // Escape closes without a pick.
    m_dialog.m_color.SendMessage(BM_CLICK);
    ASSERT_TRUE(m_dialog.m_color.GetPopup());
    m_dialog.m_color.GetPopup()->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return m_dialog.m_color.GetPopup() == nullptr; }));
    EXPECT_EQ(m_dialog.m_colorClicks, 2);
}

TEST_F(ControlTest, BrowseButtonFillsAFolder)
{
    CTestFolderEdit& edit = m_dialog.m_folder;
    CRect button = edit.GetBrowseButtonRect();
    ASSERT_FALSE(button.IsRectEmpty());
    CRect window;
    edit.GetWindowRect(&window);
    button.OffsetRect(window.left, window.top);
    const CPoint pt = button.CenterPoint();
    ASSERT_EQ(edit.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), HTBORDER);
    // Left of the button is the text field.
    EXPECT_EQ(edit.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(button.left - 10, pt.y)), HTCLIENT);

    edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(pt.x, pt.y));
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"C:\\Photos\\2026"));
    EXPECT_EQ(edit.m_asked, 1);

    // A cancelled picker leaves the text.
    edit.m_answer = L"";
    edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(pt.x, pt.y));
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"C:\\Photos\\2026"));
}

TEST_F(ControlTest, SpinAndScrollBarLightUpUnderTheMouse)
{
    auto* spin = static_cast<CBCGPSpinButtonCtrl*>(CWnd::FromHandlePermanent(m_dialog.GetDlgItem(IDC_SPIN)->GetSafeHwnd()));
    auto* scroll = static_cast<CBCGPScrollBar*>(CWnd::FromHandlePermanent(m_dialog.GetDlgItem(IDC_SCROLL)->GetSafeHwnd()));
    CRect r;
    spin->GetClientRect(&r);
    const CPoint upper(r.Width() / 2, 2), lower(r.Width() / 2, r.bottom - 3);
    const COLORREF idle = Printed(spin).At(upper.x, upper.y);
    spin->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(upper.x, upper.y));
    EXPECT_EQ(spin->GetHotButton(), 1);
    EXPECT_NE(Printed(spin).At(upper.x, upper.y), idle);
    EXPECT_EQ(Printed(spin).At(lower.x, lower.y), idle);
    spin->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(lower.x, lower.y));
    EXPECT_EQ(spin->GetHotButton(), 2);
    spin->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(spin->GetHotButton(), 0);
    EXPECT_EQ(Printed(spin).At(upper.x, upper.y), idle);

    scroll->GetClientRect(&r);
    const CPoint arrow(r.Width() / 2, 2);
    const COLORREF plain = Printed(scroll).At(1, 1);
    scroll->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_EQ(scroll->GetHotPart(), CBCGPScrollBar::PartFirstButton);
    EXPECT_NE(Printed(scroll).At(1, 1), plain);
    scroll->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(scroll->GetHotPart(), CBCGPScrollBar::PartNone);
    EXPECT_EQ(Printed(scroll).At(1, 1), plain);
}

TEST_F(ControlTest, SliderAndProgressPaintWithTheAccent)
{
    {
        Printed slider(&m_dialog.m_slider);
        CRect thumb;
        m_dialog.m_slider.GetThumbRect(&thumb);
        EXPECT_EQ(slider.At(thumb.CenterPoint().x, thumb.CenterPoint().y), kAccent);
        // Beside the thumb: the channel line, then the dialog's face.
        EXPECT_EQ(slider.At(thumb.left - 20, 1), globalData.clrBarFace);
    }
    {
        Printed progress(&m_dialog.m_progress);
        const CRect r = progress.Rect();
        EXPECT_EQ(progress.At(r.Width() / 4, r.Height() / 2), kAccent) << "half done: the first half is filled";
        EXPECT_EQ(progress.At(r.Width() * 3 / 4, r.Height() / 2), globalData.clrWindow);
        m_dialog.m_progress.SetPos(100);
    }
    Printed full(&m_dialog.m_progress);
    EXPECT_EQ(full.At(full.Rect().Width() * 3 / 4, full.Rect().Height() / 2), kAccent);
}

TEST_F(ControlTest, DisabledSliderThumbIsGrey)
{
    m_dialog.m_slider.EnableWindow(FALSE);
    Printed slider(&m_dialog.m_slider);
    CRect thumb;
    m_dialog.m_slider.GetThumbRect(&thumb);
    EXPECT_EQ(slider.At(thumb.CenterPoint().x, thumb.CenterPoint().y), globalData.clrBarShadow);
}

TEST_F(ControlTest, DefaultButtonFramedWithTheAccent)
{
    Printed ok(m_dialog.GetDlgItem(IDOK));
    EXPECT_EQ(ok.At(0, ok.Rect().Height() / 2), kAccent);
    Printed other(m_dialog.GetDlgItem(IDC_BUTTON));
    EXPECT_EQ(other.At(0, other.Rect().Height() / 2), globalData.clrBarShadow);
    EXPECT_EQ(other.At(4, 4), skinui::Lighter(globalData.clrBarFace, 0.35)) << "the face";
}

TEST_F(ControlTest, ButtonSizeToContentFitsItsText)
{
    auto* button = static_cast<CBCGPButton*>(CWnd::FromHandlePermanent(m_dialog.GetDlgItem(IDC_BUTTON)->GetSafeHwnd()));
    button->SetWindowText(L"A much longer caption than before");
    const CSize size = button->SizeToContent();
    CRect rect;
    button->GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), size);
    CClientDC dc(button);
    dc.SelectObject(button->GetFont());
    EXPECT_GT(size.cx, dc.GetTextExtent(CString(L"A much longer caption than before")).cx);
}

TEST_F(ControlTest, LayoutMovesAnchoredControls)
{
    m_dialog.EnableLayout();
    CBCGPStaticLayout* layout = m_dialog.GetLayout();
    ASSERT_TRUE(layout);
    layout->AddAnchor(IDOK, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeNone);
    layout->AddAnchor(IDC_LIST, CBCGPStaticLayout::e_MoveTypeNone, CBCGPStaticLayout::e_SizeTypeBoth);
    auto rectOf = [&](int id) {
        CRect r;
        m_dialog.GetDlgItem(id)->GetWindowRect(&r);
        m_dialog.ScreenToClient(&r);
        return r;
    };
    const CRect ok = rectOf(IDOK), list = rectOf(IDC_LIST);
    CRect window;
    m_dialog.GetWindowRect(&window);
    m_dialog.SetWindowPos(nullptr, 0, 0, window.Width() + 40, window.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    CRect moved = ok;
    moved.OffsetRect(40, 30);
    EXPECT_EQ(rectOf(IDOK), moved);
    EXPECT_EQ(rectOf(IDC_LIST), CRect(list.left, list.top, list.right + 40, list.bottom + 30));
}

TEST_F(ControlTest, FontComboListsAndSelectsFonts)
{
    ASSERT_TRUE(m_dialog.m_font.Setup());
    ASSERT_GT(m_dialog.m_font.GetCount(), 0);
    CString first;
    m_dialog.m_font.GetLBText(0, first);
    EXPECT_NE(first[0], L'@');
    CString last;
    m_dialog.m_font.GetLBText(m_dialog.m_font.GetCount() - 1, last);
    ASSERT_TRUE(m_dialog.m_font.SelectFont(last));
    ASSERT_TRUE(m_dialog.m_font.GetSelFont());
    EXPECT_EQ(m_dialog.m_font.GetSelFont()->m_strName, last);
    EXPECT_FALSE(m_dialog.m_font.SelectFont(L"No Such Font Anywhere"));
}

TEST_F(ControlTest, ListSortsByColumnAndHeaderClick)
{
    CBCGPListCtrl& list = m_dialog.m_list;
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    const wchar_t* names[] = {L"beta", L"Alpha", L"gamma"};
    for (int i = 0; i < 3; ++i)
        list.InsertItem(i, names[i]);
    list.Sort(0, TRUE);
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"Alpha"));
    EXPECT_EQ(list.GetItemText(2, 0), CString(L"gamma"));

    NMLISTVIEW click = {};
    click.hdr.hwndFrom = list.GetSafeHwnd();
    click.hdr.idFrom = IDC_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 0;
    m_dialog.SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_FALSE(list.IsAscending());
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"gamma"));
}

TEST_F(ControlTest, TreeAndListTakeTheSkinsColours)
{
    auto* tree = static_cast<CBCGPTreeCtrl*>(CWnd::FromHandlePermanent(m_dialog.GetDlgItem(IDC_TREE)->GetSafeHwnd()));
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2003));
    EXPECT_EQ(static_cast<COLORREF>(tree->SendMessage(TVM_GETBKCOLOR)), globalData.clrWindow);
    EXPECT_EQ(static_cast<COLORREF>(tree->SendMessage(TVM_GETTEXTCOLOR)), globalData.clrWindowText);
    EXPECT_EQ(static_cast<COLORREF>(m_dialog.m_list.SendMessage(LVM_GETTEXTCOLOR)), globalData.clrWindowText);
}

} // namespace
