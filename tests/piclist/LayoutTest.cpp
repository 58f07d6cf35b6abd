// The list's arithmetic without a window: the grid for a client size, the cell boxes, the cell
// sizes and badge pictures by icon size, and the tool strip's layout, states and hit tests.
#include <gtest/gtest.h>
#include "PicListTestSupport.h"

namespace {

struct LayoutCase {
    const char* name;
    int width, height, scrollBar, cellWidth, cellHeight, count, scrollPos;
    int columns, gap, left, contentHeight, scrollPosAfter;
    bool scrollBarShown;
    int firstIndex, visibleCount;
};

// Cells of 192 x 176 (pitch 186); a scroll bar of 17.
const LayoutCase kLayoutCases[] = {
    // The second pass takes the whole width: the wide layout's gaps would be wider than a cell,
    // so the narrow one gives 4 columns with gaps of 58, the first at 29.
    {"few entries in 1000", 1000, 600, 17, 192, 176, 5, 0, 4, 58, 29, 382, 0, false, 0, 5},
    {"one centred column in 300", 300, 600, 17, 192, 176, 2, 0, 1, 54, 54, 382, 0, false, 0, 2},
    {"an empty folder", 1000, 600, 17, 192, 176, 0, 0, 4, 58, 29, 10, 0, false, -1, 0},
    {"content shorter than the client keeps the top", 1000, 600, 17, 192, 176, 8, 300, 4, 58, 29, 382, 0, false, 0, 8},
    // 25 rows need the scroll bar: 983 pixels share the columns.
    {"many entries at the top", 1000, 600, 17, 192, 176, 100, 0, 4, 53, 26, 4660, 0, true, 0, 16},
    {"many entries scrolled past the end", 1000, 600, 17, 192, 176, 100, 99999, 4, 53, 26, 4660, 4061, true, 84, 16},
    {"half a row scrolled", 1000, 600, 17, 192, 176, 100, 10 + 2 * 186 + 50, 4, 53, 26, 4660, 432, true, 8, 16},
    {"cells wider than the window", 100, 600, 17, 192, 176, 3, 0, 1, 10, 5, 568, 0, false, 0, 3},
};

class ListLayoutTable : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ListLayoutTable, ColumnsGapsScrollAndVisibleRange)
{
    const LayoutCase& c = GetParam();
    KQListLayoutInput in;
    in.clientWidth = c.width;
    in.clientHeight = c.height;
    in.scrollBarWidth = c.scrollBar;
    in.cellWidth = c.cellWidth;
    in.cellHeight = c.cellHeight;
    in.itemCount = c.count;
    in.scrollPos = c.scrollPos;
    const KQListLayout out = ComputeListLayout(in);
    EXPECT_EQ(c.columns, out.columns);
    EXPECT_EQ(c.gap, out.gap);
    EXPECT_EQ(c.left, out.left);
    EXPECT_EQ(c.contentHeight, out.contentHeight);
    EXPECT_EQ(c.scrollBarShown, out.scrollBar);
    EXPECT_EQ(c.scrollPosAfter, out.scrollPos);
    EXPECT_EQ(c.firstIndex, out.firstIndex);
    EXPECT_EQ(c.visibleCount, out.visibleCount);
    if (out.visibleCount > 0) {
        // The first visible cell lies at the top, inside the client, never below the row gap.
        const RECT first = ListCellRect(out, out.firstIndex, c.cellWidth, c.cellHeight);
        EXPECT_EQ(out.left, first.left);
        EXPECT_LE(first.top, kListRowGap);
        EXPECT_GT(first.bottom, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(PicListLayout, ListLayoutTable, ::testing::ValuesIn(kLayoutCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(PicListLayout, TheScrollClampNeverGoesBelowZeroWhenTheContentIsShort)
{
    EXPECT_EQ(0, ClampListScroll(500, 300, 600));
    EXPECT_EQ(0, ClampListScroll(-20, 4660, 600));
    EXPECT_EQ(4061, ClampListScroll(5000, 4660, 600));
}

TEST(PicListLayout, ACellHeightChangeKeepsTheScrollOnARowBoundary)
{
    EXPECT_EQ(0, ListScrollAfterPitchChange(0, 186));
    EXPECT_EQ(372, ListScrollAfterPitchChange(10 + 2 * 186 + 50, 186));
}

TEST(PicListLayout, CellBoxesInListAndThumbnailModes)
{
    const RECT cell = {10, 20, 210, 84};
    KQCellBoxes list = ComputeCellBoxes(cell, true, true, 2, 16);
    EXPECT_EQ(74, list.picture.right);   // a square of the cell height
    EXPECT_EQ(79, list.text.left);
    const RECT thumb = {0, 0, 192, 176};
    KQCellBoxes grid = ComputeCellBoxes(thumb, false, true, 2, 16);
    EXPECT_EQ(144, grid.picture.bottom);
    EXPECT_EQ(144, grid.text.top);
    KQCellBoxes bare = ComputeCellBoxes(thumb, false, false, 0, 16);
    EXPECT_EQ(176, bare.picture.bottom);
}

// ChangeIconSize without a window: the cell and picture box sizes.
TEST(PicListLayout, ListModeCellsWithTheTextsOffAndOn)
{
    testsupport::TempFolder dir;
    pltest::TestView view(dir.At(L"cache"));
    view.m_bShowName = false;
    view.ChangeIconSize(CKQPicListView::KQ_LS_ICON_LIST, false);
    EXPECT_EQ(64, view.m_nCellWidth);
    EXPECT_EQ(64, view.m_nCellHeight);
    view.m_bShowName = true;
    view.ChangeIconSize(CKQPicListView::KQ_LS_ICON_LIST, false);
    EXPECT_EQ(200, view.m_nCellWidth);
    EXPECT_EQ(64, view.m_nCellHeight);
    EXPECT_EQ(64, view.m_nBoxWidth.load());
    EXPECT_EQ(64, view.m_nBoxHeight.load());
    // Thumbnails: the picture box three quarters of the width, the text lines below it.
    view.ChangeIconSize(CKQPicListView::KQ_LS_ICON_MEDIUM, false);
    EXPECT_EQ(192, view.m_nCellWidth);
    EXPECT_EQ(144 + 2 * view.m_szLine.cy, view.m_nCellHeight);
    EXPECT_EQ(144, view.m_nBoxHeight.load());
    // An unknown size keeps the current one.
    view.ChangeIconSize(static_cast<CKQPicListView::KQ_LS_ICON_SIZE>(7), false);
    EXPECT_EQ(192, view.m_nCellWidth);
}

struct TagCase {
    int cellWidth, cellHeight;
    double imageScale;
    long folder;                        // the folder picture's side
    long close, add, select, cut, download;
};

// s = the smaller side of the cell. Natural sizes: cut 18/22/28, add 20 and 48, download 20/28.
const TagCase kTagCases[] = {
    {64, 64, 1.0, 64, 24, 20, 24, 18, 20},
    {90, 60, 1.0, 48, 24, 20, 24, 18, 20},
    {192, 176, 1.0, 144, 44, 44, 44, 22, 20},
    {256, 192, 1.0, 192, 48, 48, 48, 22, 20},
    {342, 256, 1.0, 256, 48, 48, 48, 28, 28},
    // At 144 dpi the badges of a natural size grow by half.
    {64, 64, 1.5, 64, 36, 30, 36, 27, 30},
};

TEST(PicListLayout, TagSizesPickThePicturesAndBadgeSizesByTheCellsSmallerSide)
{
    testsupport::TempFolder dir;
    pltest::TestView view(dir.At(L"cache"));
    const double scale = globalData.m_dblImageScale;
    for (const TagCase& c : kTagCases) {
        SCOPED_TRACE(testing::Message() << c.cellWidth << "x" << c.cellHeight << " at " << c.imageScale);
        globalData.m_dblImageScale = c.imageScale;
        view.ChangeIconSize(c.cellWidth, c.cellHeight, false);
        EXPECT_EQ(c.folder, long(view.m_imgFolder.GetWidth()));
        EXPECT_EQ(c.close, view.m_szBadge[CKQPicListView::BADGE_CLOSE].cx);
        EXPECT_EQ(c.add, view.m_szBadge[CKQPicListView::BADGE_ADD].cx);
        EXPECT_EQ(c.select, view.m_szBadge[CKQPicListView::BADGE_SELECT].cx);
        EXPECT_EQ(c.cut, view.m_szBadge[CKQPicListView::BADGE_CUT].cx);
        EXPECT_EQ(c.download, view.m_szBadge[CKQPicListView::BADGE_DOWNLOAD].cx);
        // The picture is as large as the size it is placed by.
        EXPECT_EQ(c.cut, long(view.m_imgBadge[CKQPicListView::BADGE_CUT].GetWidth()));
        EXPECT_EQ(c.close, long(view.m_imgBadge[CKQPicListView::BADGE_CLOSE].GetWidth()));
    }
    globalData.m_dblImageScale = scale;
}

// ---------------------------------------------------------------------------------------------
// The tool strip

class CountingStrip : public CKQPLVToolBar {
public:
    bool OnToolBarItemClicked(unsigned int id) override
    {
        clicked.push_back(id);
        return true;
    }
    std::vector<unsigned int> clicked;
};

TEST(PicListStrip, EnableToolBarSetsMarginAndHeightFromTheButtonSize)
{
    const struct {
        int size, margin, height;
    } cases[] = {{24, 8, 40}, {32, 10, 53}};
    for (const auto& c : cases) {
        CKQPLVToolBar strip;
        strip.EnableToolBar(KQ_TOOLBAR_BOTTOM, c.size, KQ_BT_ALIGN_CENTER, false);
        EXPECT_EQ(c.margin, strip.m_nMargin);
        EXPECT_EQ(c.height, strip.m_nHeight);
        EXPECT_EQ(c.size, strip.m_nBtWidth);
    }
}

TEST(PicListStrip, EnableAndShowKeepEachOthersStates)
{
    const struct {
        int start;
        bool enable;   // else show
        bool on;
        int after;
    } cases[] = {
        {KQBT_HIDDEN, true, true, KQBT_HIDDEN},      // enabling a hidden button leaves it hidden
        {KQBT_DISABLED, false, true, KQBT_DISABLED}, // showing a disabled one leaves it disabled
        {KQBT_HIDDEN, true, false, KQBT_DISABLED},   // disabling a hidden one shows it disabled
        {KQBT_DISABLED, true, true, KQBT_NORMAL},
        {KQBT_HIDDEN, false, true, KQBT_NORMAL},
        {KQBT_HOVER, true, true, KQBT_HOVER},
    };
    for (const auto& c : cases) {
        CKQPLVToolBar strip;
        strip.AddButton(L"A", 7, 0, nullptr)->state = c.start;
        EXPECT_TRUE(c.enable ? strip.EnableButton(7, c.on) : strip.ShowButton(7, c.on));
        EXPECT_EQ(c.after, strip.FindButton(7)->state) << "from " << c.start;
    }
}

TEST(PicListStrip, ThreeButtonsCentredIn400AndAnAbsentIdRemovesNothing)
{
    CKQPLVToolBar strip;
    strip.EnableToolBar(KQ_TOOLBAR_BOTTOM, 24, KQ_BT_ALIGN_CENTER, false);
    ASSERT_TRUE(strip.m_dcToolBar.AdjustGDIBitmap(400, 40, 32));
    for (unsigned int id = 1; id <= 3; ++id)
        strip.AddButton(nullptr, id, 0, nullptr);
    strip.Recalclayout();
    int k = 0;
    for (auto it = strip.m_listButton.Begin(); it != strip.m_listButton.End(); it.Next(), ++k) {
        EXPECT_EQ(124 + 64 * k, it->rect.left);
        EXPECT_EQ(8, it->rect.top);
        EXPECT_EQ(24, it->rect.Width());
    }
    EXPECT_FALSE(strip.RemoveButton(9));
    EXPECT_EQ(3, strip.m_listButton.GetCount());
    EXPECT_TRUE(strip.RemoveButton(2));
    EXPECT_EQ(2, strip.m_listButton.GetCount());
    EXPECT_EQ(nullptr, strip.FindButton(2));
    // With texts the row is centred with them: two buttons of 24 with texts of 30 and 50
    // (each after a margin of 8) and a gap of 40 take 24 + 8 + 30 + 40 + 24 + 8 + 50 = 184.
    KQStripGeometry g;
    g.stripWidth = 400;
    const std::vector<RECT> withText = LayoutStripButtons(g, 2, {30, 50});
    EXPECT_EQ(108, withText[0].left);
    EXPECT_EQ(108 + 62 + 40, withText[1].left);
    EXPECT_EQ(292, withText[1].right);
    // From the left: after the margin.
    strip.m_nAlign = KQ_BT_ALIGN_LEFT;
    strip.Recalclayout();
    EXPECT_EQ(8, strip.m_listButton.Begin()->rect.left);
}

TEST(PicListStrip, TheStripsRowsAnswerTheHitTest)
{
    // A bottom strip starts at the list's height: its first row is in it, the row above is not.
    CountingStrip bottom;
    bottom.EnableToolBar(KQ_TOOLBAR_BOTTOM, 24, KQ_BT_ALIGN_CENTER, false);
    CPoint on(10, 300), above(10, 299);
    EXPECT_TRUE(bottom.OnMousePTEvent(on, CSize(400, 300)));
    EXPECT_FALSE(bottom.OnMousePTEvent(above, CSize(400, 300)));
    // A top strip shifts the point into the item area's coordinates.
    CountingStrip top;
    top.EnableToolBar(KQ_TOOLBAR_TOP, 24, KQ_BT_ALIGN_CENTER, false);
    CPoint inTop(10, 39), below(10, 40);
    EXPECT_TRUE(top.OnMousePTEvent(inTop, CSize(400, 300)));
    EXPECT_EQ(-1, inTop.y);
    EXPECT_FALSE(top.OnMousePTEvent(below, CSize(400, 300)));
    EXPECT_EQ(0, below.y);
    CountingStrip none;
    CPoint any(10, 10);
    EXPECT_FALSE(none.OnMousePTEvent(any, CSize(400, 300)));
}

TEST(PicListStrip, AClickBetweenButtonsCallsNothingAndPutsTheHoverBack)
{
    CountingStrip strip;
    strip.EnableToolBar(KQ_TOOLBAR_BOTTOM, 24, KQ_BT_ALIGN_CENTER, false);
    ASSERT_TRUE(strip.m_dcToolBar.AdjustGDIBitmap(400, 40, 32));
    strip.AddButton(nullptr, 1, 0, nullptr);
    strip.AddButton(nullptr, 2, 0, nullptr);
    strip.AddButton(nullptr, 3, 0, nullptr)->state = KQBT_DISABLED;
    strip.Recalclayout();
    const CSize list(400, 300);
    // On the first button (124 .. 148, rows 8 .. 32 of the strip).
    bool redraw = false;
    CPoint onFirst(130, 300 + 10);
    EXPECT_TRUE(strip.OnMouseClicked(onFirst, list, &redraw));
    EXPECT_TRUE(redraw);
    EXPECT_EQ(std::vector<unsigned int>{1}, strip.clicked);
    EXPECT_EQ(KQBT_HOVER, strip.FindButton(1)->state);
    // Between the first and the second.
    redraw = false;
    CPoint between(160, 300 + 10);
    EXPECT_TRUE(strip.OnMouseClicked(between, list, &redraw));
    EXPECT_TRUE(redraw);
    EXPECT_EQ(1u, strip.clicked.size());
    EXPECT_EQ(KQBT_NORMAL, strip.FindButton(1)->state);
    // A disabled button takes no click and keeps its state.
    CPoint onThird(256, 300 + 10);
    EXPECT_TRUE(strip.OnMouseClicked(onThird, list, &redraw));
    EXPECT_EQ(1u, strip.clicked.size());
    EXPECT_EQ(KQBT_DISABLED, strip.FindButton(3)->state);
    // Outside the strip nothing changes.
    CPoint inList(130, 100);
    EXPECT_FALSE(strip.OnMouseClicked(inList, list, &redraw));
}

} // namespace
