// The list's window under the display: a fixture folder opened by message, the cells read back
// from the list's bitmap, scrolling by wheel, page and thumb, the loading animation and the
// tool strip.
#include <gtest/gtest.h>
#include <cstdlib>
#include <set>
#include "PicListTestSupport.h"
#include "UIKitIds.h"
#include "WindowTestApp.h"

namespace {

const RGBQUAD kRed = {0, 0, 255, 0}, kGreen = {0, 200, 0, 0}, kBlue = {255, 0, 0, 0}, kYellow = {0, 230, 230, 0},
              kMagenta = {200, 0, 200, 0}, kCyan = {200, 200, 0, 0}, kOrange = {0, 128, 255, 0}, kTeal = {128, 128, 0, 0};

COLORREF Ref(RGBQUAD q)
{
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A view whose thumbnails wait for the test's word, and that counts strip clicks.
class WindowView : public pltest::TestView {
public:
    explicit WindowView(const std::wstring& cache) : TestView(cache) {}
    ~WindowView() override
    {
        m_gateOpen = true;
        if (GetSafeHwnd())
            DestroyWindow();
        StopAll();
    }
    bool LoadPreviewImage(int fileIndex) override
    {
        while (!m_gateOpen && !m_bPreviewStop)
            Sleep(5);
        return TestView::LoadPreviewImage(fileIndex);
    }
    bool OnToolBarItemClicked(unsigned int id) override
    {
        m_clicked.push_back(id);
        return true;
    }
    bool Open(int width, int height)
    {
        return CreateEx(0, nullptr, L"PicList", WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0) != FALSE;
    }
    COLORREF At(int x, int y) const { return ::GetPixel(m_memDC.m_hDC, x, y); }
    // How many pixels of the rectangle lie near the colour.
    int CountNear(const CRect& r, COLORREF colour, int tolerance) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += Near(At(x, y), colour, tolerance) ? 1 : 0;
        return n;
    }
    // Pixels of text: dark, or grey (r = g = b) when grey is asked for.
    int CountInk(const CRect& r, bool grey) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = At(x, y);
                if (grey)
                    n += (GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) < 200) ? 1 : 0;
                else
                    n += (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ? 1 : 0;
            }
        return n;
    }
    const KQ_PIC_LIST_VISIBLE* Cell(const wchar_t* text) const
    {
        for (const KQ_PIC_LIST_VISIBLE& cell : m_visible)
            if (cell.item.strText == CKQPicListView::String(text))
                return &cell;
        return nullptr;
    }
    CRect PictureBox(const KQ_PIC_LIST_VISIBLE& cell) const
    {
        const int lines = (m_bShowName ? m_nNameLines : 0) + ((m_bShowSize || m_bShowDate) ? 1 : 0);
        return CRect(ComputeCellBoxes(cell.rect, m_bListMode, true, lines, m_szLine.cy).picture);
    }
    std::atomic<bool> m_gateOpen{true};
    std::vector<unsigned int> m_clicked;
};

// A view of 10,000 entries that shows the loading picture: scrolling without a folder.
class ManyView : public WindowView {
public:
    explicit ManyView(const std::wstring& cache) : WindowView(cache) {}
    int GetItemCount() override { return 10000; }
    bool GetItem(int index, KQ_PIC_LIST_ITEM* item) override
    {
        if (index < 0 || index >= 10000 || !item)
            return false;
        item->strText = L"entry";
        item->pImage = &m_imgLoading[0];
        item->pInfo = nullptr;
        item->nState = 0;
        return true;
    }
    bool IsOperateDisabled(int operation) override { return m_bFrozen && operation == 1; }
    bool m_bFrozen = false;
};

// The fixture folder: two sub-folders with pictures (four in one, one in the other), then
// pictures of one colour each, one read-only, one that does not decode, one with a long name.
class PicListWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sort = gKQListView_SortType;
        gKQListView_SortType = KQ_LIST_SORT_NAME;
        m_folder = m_dir.At(L"pictures");
        CreateDirectoryW(m_folder.c_str(), nullptr);
        CreateDirectoryW((m_folder + L"\\alpha").c_str(), nullptr);
        CreateDirectoryW((m_folder + L"\\beta").c_str(), nullptr);
        const struct {
            const wchar_t* name;
            RGBQUAD colour;
        } pictures[] = {{L"alpha\\1.bmp", kRed},      {L"alpha\\2.bmp", kGreen}, {L"alpha\\3.bmp", kBlue},
                        {L"alpha\\4.bmp", kYellow},   {L"beta\\only.bmp", kMagenta}, {L"cyan.bmp", kCyan},
                        {L"locked.bmp", kOrange},
                        {L"a rather long name for a picture that wraps.bmp", kTeal}};
        for (const auto& p : pictures)
            ASSERT_TRUE(pltest::WritePicture(m_folder + L"\\" + p.name, 120, 90, p.colour));
        ASSERT_TRUE(pltest::WriteBytes(m_folder + L"\\broken.jpg", std::string("\xFF\xD8 not a picture at all", 24)));
        SetFileAttributesW((m_folder + L"\\locked.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    void TearDown() override
    {
        SetFileAttributesW((m_folder + L"\\locked.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
        gKQListView_SortType = m_sort;
    }
    // Opens the folder by message and pumps until every thumbnail was tried and painted.
    bool OpenFolder(WindowView& view, size_t cells = 6)
    {
        view.PostMessage(KQLV_MSG_UPDATE_FOLDER, 0, LPARAM(m_folder.c_str()));
        const bool opened = PumpUntil([&] { return !view.IsScanning() && view.m_visible.size() == cells; }, 60000);
        if (!opened)
            ADD_FAILURE() << "scanning " << view.IsScanning() << ", " << view.GetItemCount() << " entries, "
                          << view.m_visible.size() << " cells";
        return opened;
    }
    bool Settle(WindowView& view)
    {
        const bool loaded = PumpUntil(
            [&] {
                view.Lock();
                bool all = true;
                for (auto it = view.m_folderBrowser.m_lstFile.Begin(); it != view.m_folderBrowser.m_lstFile.End(); it.Next())
                    all = all && it->m_bThumbTried;
                view.Unlock();
                return all;
            },
            60000);
        view.PostMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
        const bool settled = PumpUntil([&] { return !view.m_bAnimating && !view.m_bRepaintNeeded; }, 20000);
        if (!loaded || !settled)
            ADD_FAILURE() << "loaded " << loaded << ", animating " << view.m_bAnimating << ", repaint needed "
                          << view.m_bRepaintNeeded;
        return loaded && settled;
    }

    testsupport::TempFolder m_dir;
    std::wstring m_folder;
    KQ_LIST_SORT m_sort = KQ_LIST_SORT_NONE;
};

TEST_F(PicListWindow, FoldersFirstThenLoadingPicturesThenThumbnailsWithBadgesAndNames)
{
    WindowView view(m_dir.At(L"cache"));
    view.m_gateOpen = false;
    ASSERT_TRUE(view.Open(1000, 600));
    ASSERT_TRUE(OpenFolder(view));
    PumpFor(100);
    ASSERT_EQ(6u, view.m_visible.size());
    EXPECT_EQ(CKQPicListView::String(L"alpha"), view.m_visible[0].item.strText);
    EXPECT_EQ(CKQPicListView::String(L"beta"), view.m_visible[1].item.strText);
    // The narrow layout of 1000 pixels: 4 columns, the first at 29.
    EXPECT_EQ(29, view.m_visible[0].rect.left);
    EXPECT_EQ(10, view.m_visible[0].rect.top);

    // Before their thumbnails the files show the loading picture (its blue dots).
    const KQ_PIC_LIST_VISIBLE* cyan = view.Cell(L"cyan.bmp");
    ASSERT_NE(nullptr, cyan);
    EXPECT_GT(view.CountNear(view.PictureBox(*cyan), RGB(0, 122, 204), 40), 20);
    EXPECT_EQ(0, view.CountNear(view.PictureBox(*cyan), Ref(kCyan), 30));

    view.m_gateOpen = true;
    ASSERT_TRUE(Settle(view));
    // The growth animation has ended: timer 2 stopped, every picture at full size.
    EXPECT_FALSE(view.m_bAnimating);
    for (const KQ_PIC_LIST_VISIBLE& cell : view.m_visible)
        EXPECT_EQ(0, cell.item.pImage ? cell.item.pImage->m_nAnimateSteps : 0);

    cyan = view.Cell(L"cyan.bmp");
    const CRect cyanBox = view.PictureBox(*cyan);
    EXPECT_TRUE(Near(view.At(cyanBox.CenterPoint().x, cyanBox.CenterPoint().y), Ref(kCyan), 30))
        << ColorText(view.At(cyanBox.CenterPoint().x, cyanBox.CenterPoint().y));

    // Folders: the folder picture, with the four previews of alpha in its quadrants and the
    // one of beta over the whole preview area.
    for (int k = 0; k < 2; ++k) {
        const CRect box = view.PictureBox(view.m_visible[size_t(k)]);
        EXPECT_GT(view.CountNear(box, RGB(246, 198, 72), 12), 200) << "folder picture in cell " << k;
        const CRect area(box.left + box.Width() / 8, box.top + box.Height() / 3, box.right - box.Width() / 8,
                         box.bottom - box.Height() / 8);
        if (k == 0) {
            const int qx[] = {area.left + area.Width() / 4, area.right - area.Width() / 4};
            const int qy[] = {area.top + area.Height() / 4, area.bottom - area.Height() / 4};
            std::set<COLORREF> found;
            for (int y : qy)
                for (int x : qx)
                    for (RGBQUAD c : {kRed, kGreen, kBlue, kYellow})
                        if (Near(view.At(x, y), Ref(c), 30))
                            found.insert(Ref(c));
            EXPECT_EQ(4u, found.size()) << "the four previews of alpha";
        } else {
            EXPECT_TRUE(Near(view.At(area.CenterPoint().x, area.CenterPoint().y), Ref(kMagenta), 30));
        }
    }

    // The picture that does not decode shows the broken picture (its red disc).
    const KQ_PIC_LIST_VISIBLE* broken = view.Cell(L"broken.jpg");
    ASSERT_NE(nullptr, broken);
    EXPECT_GT(view.CountNear(view.PictureBox(*broken), RGB(208, 52, 44), 30), 40);

    // The read-only picture has its badge at the cell's top left.
    const KQ_PIC_LIST_VISIBLE* locked = view.Cell(L"locked.bmp");
    ASSERT_NE(nullptr, locked);
    EXPECT_TRUE(locked->item.nState & KQLS_READONLY);
    const CSize badge = view.m_szBadge[CKQPicListView::BADGE_READONLY];
    EXPECT_GT(view.CountNear(CRect(locked->rect.left, locked->rect.top, locked->rect.left + badge.cx, locked->rect.top + badge.cy),
                             RGB(96, 104, 112), 30),
              badge.cx * badge.cy / 6);

    // A name longer than the cell wraps onto two lines; a short one stays on one, centred.
    const int line = view.m_szLine.cy;
    const KQ_PIC_LIST_VISIBLE* longName = view.Cell(L"a rather long name for a picture that wraps.bmp");
    ASSERT_NE(nullptr, longName);
    const int textTop = view.PictureBox(*longName).bottom;
    const CRect firstBand(longName->rect.left, textTop, longName->rect.right, textTop + line / 2);
    const CRect lastBand(longName->rect.left, textTop + 3 * line / 2, longName->rect.right, textTop + 2 * line);
    EXPECT_GT(view.CountInk(firstBand, false), 10);
    EXPECT_GT(view.CountInk(lastBand, false), 10);
    const int cyanTop = view.PictureBox(*cyan).bottom;
    EXPECT_EQ(0, view.CountInk(CRect(cyan->rect.left, cyanTop, cyan->rect.right, cyanTop + line / 2), false));
    EXPECT_GT(view.CountInk(CRect(cyan->rect.left, cyanTop + line / 2, cyan->rect.right, cyanTop + 3 * line / 2), false), 10);

}

// At the largest size without name lines a folder without previews looks like one with them:
// the same large folder picture, its name below.
TEST_F(PicListWindow, AtTheLargestSizeEveryFolderTakesTheLargePicture)
{
    ASSERT_TRUE(CreateDirectoryW((m_folder + L"\\gamma").c_str(), nullptr));
    WindowView view(m_dir.At(L"cache"));
    view.m_bShowName = false;
    ASSERT_TRUE(view.Open(1200, 900));
    view.ChangeIconSize(static_cast<CKQPicListView::KQ_LS_ICON_SIZE>(4), false);
    view.PostMessage(KQLV_MSG_UPDATE_FOLDER, 0, LPARAM(m_folder.c_str()));
    ASSERT_TRUE(PumpUntil([&] { return !view.IsScanning() && view.Cell(L"gamma") && view.Cell(L"alpha"); }, 60000));
    ASSERT_TRUE(Settle(view));
    // What differs from the cell's background, as a box.
    auto drawn = [&](const KQ_PIC_LIST_VISIBLE& cell) {
        const COLORREF back = view.At(cell.rect.left + 1, cell.rect.top + 1);
        CRect box(cell.rect.right, cell.rect.bottom, cell.rect.left, cell.rect.top);
        for (int y = cell.rect.top; y < cell.rect.bottom; ++y)
            for (int x = cell.rect.left; x < cell.rect.right; ++x)
                if (!Near(view.At(x, y), back, 8))
                    box.SetRect(std::min<int>(box.left, x), std::min<int>(box.top, y), std::max<int>(box.right, x + 1),
                                std::max<int>(box.bottom, y + 1));
        return box;
    };
    const CRect withPreviews = drawn(*view.Cell(L"alpha"));
    const CRect without = drawn(*view.Cell(L"gamma"));
    ASSERT_FALSE(withPreviews.IsRectEmpty());
    EXPECT_NEAR(without.Width(), withPreviews.Width(), withPreviews.Width() / 20);
    EXPECT_NEAR(without.Height(), withPreviews.Height(), withPreviews.Height() / 20);
    EXPECT_NEAR(without.top - view.Cell(L"gamma")->rect.top, withPreviews.top - view.Cell(L"alpha")->rect.top, 4);
}

TEST_F(PicListWindow, ListModeRowsShowThePictureTheNameAndBelowItSizeAndDate)
{
    WindowView view(m_dir.At(L"cache"));
    ASSERT_TRUE(view.Open(1000, 600));
    view.m_bShowSize = view.m_bShowDate = true;
    view.ChangeIconSize(CKQPicListView::KQ_LS_ICON_LIST, false);
    ASSERT_TRUE(OpenFolder(view));
    ASSERT_TRUE(Settle(view));
    const int line = view.m_szLine.cy;
    const KQ_PIC_LIST_VISIBLE* cyan = view.Cell(L"cyan.bmp");
    ASSERT_NE(nullptr, cyan);
    EXPECT_EQ(200, cyan->rect.Width());
    EXPECT_EQ(64, cyan->rect.Height());
    const CRect text(cyan->rect.left + 64 + 5, cyan->rect.top, cyan->rect.right, cyan->rect.bottom);
    EXPECT_GT(view.CountInk(CRect(text.left, text.bottom - line, text.right, text.bottom), true), 20) << "size and date";
    EXPECT_GT(view.CountInk(CRect(text.left, text.top, text.right, text.bottom - line), false), 10) << "name";
    const COLORREF middle = view.At(cyan->rect.left + 32, cyan->rect.top + 32);
    EXPECT_TRUE(Near(middle, Ref(kCyan), 30)) << ColorText(middle);
}

TEST_F(PicListWindow, AMinimisedWindowKeepsNoBitmapAndComesBack)
{
    WindowView view(m_dir.At(L"cache"));
    ASSERT_TRUE(view.Open(400, 300));
    ASSERT_TRUE(OpenFolder(view, 2)); // one column, two rows
    view.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(nullptr, view.m_memDC.GetBits());
    view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    view.UpdateWindow();
    view.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    ASSERT_NE(nullptr, view.m_memDC.GetBits());
    EXPECT_EQ(400, view.m_memDC.GetWidth());
    EXPECT_EQ(300, view.m_memDC.GetHeight());
}

class PicListScroll : public ::testing::Test {
protected:
    testsupport::TempFolder m_dir;
};

TEST_F(PicListScroll, WheelPageAndTheThumbPast30001ReachTheLastRow)
{
    ManyView view(m_dir.At(L"cache"));
    ASSERT_TRUE(view.Open(1000, 600));
    view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    const int pitch = view.m_layout.pitch;
    ASSERT_GT(view.m_layout.contentHeight, 30001);
    ASSERT_TRUE(view.m_wndScrollBar.IsWindowVisible());

    // The wheel: a sixth of a row, never above the top.
    view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    EXPECT_EQ(pitch / 6, view.m_nScrollPos);
    view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(0, view.m_nScrollPos);
    // A page: whole rows.
    view.SendMessage(WM_VSCROLL, SB_PAGEDOWN, LPARAM(view.m_wndScrollBar.GetSafeHwnd()));
    EXPECT_EQ(600 - 600 % pitch, view.m_nScrollPos);
    // While scrolling is refused nothing moves.
    view.m_bFrozen = true;
    view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    view.SendMessage(WM_VSCROLL, SB_PAGEDOWN, LPARAM(view.m_wndScrollBar.GetSafeHwnd()));
    EXPECT_EQ(600 - 600 % pitch, view.m_nScrollPos);
    view.m_bFrozen = false;

    // The thumb dragged to the end of its track: the position comes from the 32-bit track
    // position, the 16-bit one of the message would have wrapped.
    view.SendMessage(WM_VSCROLL, SB_TOP, LPARAM(view.m_wndScrollBar.GetSafeHwnd()));
    CRect bar;
    view.m_wndScrollBar.GetClientRect(&bar);
    const int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
    const HWND sb = view.m_wndScrollBar.GetSafeHwnd();
    // Beyond the track's end the thumb stays at its end; off to the side it would snap back.
    ::PostMessageW(sb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar.Width() / 2, bar.Height() / 2));
    ::PostMessageW(sb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar.Width() / 2, bar.bottom - arrow - 1));
    ::PostMessageW(sb, WM_LBUTTONUP, 0, MAKELPARAM(bar.Width() / 2, bar.bottom - arrow - 1));
    ::SendMessageW(sb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.Width() / 2, arrow + 4));
    PumpFor(200);
    EXPECT_GT(view.m_nScrollPos, 30001);
    EXPECT_TRUE(view.IsItemVisible(9999)) << "position " << view.m_nScrollPos << " of " << view.m_layout.contentHeight;

    // The loading animation takes the scroll bar away; its end brings it back.
    view.SendMessage(KQLV_MSG_SHOW_LOADING, 1, 0);
    EXPECT_FALSE(view.m_wndScrollBar.IsWindowVisible());
    view.SendMessage(KQLV_MSG_SHOW_LOADING, 0, 0);
    EXPECT_TRUE(view.m_wndScrollBar.IsWindowVisible());
}

TEST_F(PicListScroll, TheBottomStripRoutesClicksAndShowsItsTip)
{
    ManyView view(m_dir.At(L"cache"));
    view.EnableToolBar(KQ_TOOLBAR_BOTTOM, 24, KQ_BT_ALIGN_CENTER, false);
    view.AddButton(L"Refresh", 11, IDB_KQ_PLV_CLOSE, reinterpret_cast<HINSTANCE>(-1));
    view.AddButton(L"Sort", 12, IDB_KQ_PLV_ADD_L, reinterpret_cast<HINSTANCE>(-1));
    ASSERT_TRUE(view.Open(400, 300));
    EXPECT_EQ(300 - 40, view.GetListHeight());
    const CRect first = view.m_listButton.Begin()->rect;
    const CPoint at(first.CenterPoint().x, 300 - 40 + first.CenterPoint().y);
    view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(KQBT_HOVER, view.m_listButton.Begin()->state);
    ASSERT_NE(nullptr, view.m_pToolTipCtrl);
    wchar_t tip[64] = {};
    TOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND;   // the view itself is the tool
    info.hwnd = view.GetSafeHwnd();
    info.uId = reinterpret_cast<UINT_PTR>(view.GetSafeHwnd());
    info.lpszText = tip;
    view.m_pToolTipCtrl->SendMessage(TTM_GETTEXTW, 64, LPARAM(&info));
    EXPECT_STREQ(L"Refresh", tip);
    // The hovered button is highlighted in the strip's bitmap, just outside its icon.
    const COLORREF hot = ::GetPixel(view.m_dcToolBar.m_hDC, first.left - 2, first.top - 2);
    EXPECT_NE(RGB(255, 255, 255), hot) << ColorText(hot);
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(std::vector<unsigned int>{11}, view.m_clicked);
    // A click in the list is no strip click.
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, 100));
    EXPECT_EQ(1u, view.m_clicked.size());
}

} // namespace
