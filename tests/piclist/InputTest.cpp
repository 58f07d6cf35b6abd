// The list's interaction driven by posted messages over a small folder: clicks and Shift ranges,
// single selection, the rubber band, type-ahead, dragging an entry onto another, the close and add
// buttons, double clicks, keys and touch. Time comes from the view's clock, set by the test.
#include <gtest/gtest.h>
#include <windows.h>
#include <windowsx.h>
#include <string>
#include <vector>
#include "PicListTestSupport.h"
#include "WindowTestApp.h"

namespace {

// Remembers what reached the hooks.
class InputView : public pltest::TestView {
public:
    explicit InputView(const std::wstring& cache) : TestView(cache)
    {
        m_clock = [this] { return m_now; };
    }
    ~InputView() override
    {
        if (GetSafeHwnd())
            DestroyWindow();
        StopAll();
    }
    bool Open(int width, int height)
    {
        return CreateEx(0, nullptr, L"PicList", WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0) != FALSE;
    }
    void ShowFullPicture(int fileIndex) override { m_shown.push_back(fileIndex); }
    bool BeginDrag() override { return m_allowDrag; }
    bool ItemAddBTClicked(int index) override
    {
        m_added.push_back(index);
        return TestView::ItemAddBTClicked(index);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KQLV_MSG_FOLDER_CHANGED && lParam)
            m_changedTo.push_back(reinterpret_cast<const wchar_t*>(lParam));
        return TestView::WindowProc(message, wParam, lParam);
    }
    DWORD m_now = 100000;
    bool m_allowDrag = true;
    std::vector<int> m_shown, m_added;
    std::vector<std::wstring> m_changedTo;
};

// One sub-folder, then twelve small pictures. Sorted by name (case counts, capitals first):
// 0 sub, 1 Banana, 2 apple, 3 berry, 4 blue, 5 cherry, 6 date, 7 elder, 8 fig, 9 grape, 10 kiwi,
// 11 lemon, 12 mango.
class PicListInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sort = gKQListView_SortType;
        gKQListView_SortType = KQ_LIST_SORT_NAME;
        m_folder = m_dir.At(L"input");
        CreateDirectoryW(m_folder.c_str(), nullptr);
        CreateDirectoryW((m_folder + L"\\sub").c_str(), nullptr);
        const RGBQUAD grey = {160, 160, 160, 0};
        ASSERT_TRUE(pltest::WritePicture(m_folder + L"\\sub\\in.bmp", 8, 8, grey));
        for (const wchar_t* name : {L"Banana", L"apple", L"berry", L"blue", L"cherry", L"date", L"elder", L"fig", L"grape",
                                    L"kiwi", L"lemon", L"mango"})
            ASSERT_TRUE(pltest::WritePicture(m_folder + L"\\" + name + L".bmp", 12, 9, grey));
    }
    void TearDown() override { gKQListView_SortType = m_sort; }

    // Opens the folder and waits for every thumbnail.
    void Open(InputView& view, int width = 1000, int height = 420)
    {
        ASSERT_TRUE(view.Open(width, height));
        view.PostMessage(KQLV_MSG_UPDATE_FOLDER, 0, LPARAM(m_folder.c_str()));
        ASSERT_TRUE(PumpUntil([&] { return !view.IsScanning() && view.GetItemCount() == 13 && !view.m_visible.empty(); }, 60000));
        ASSERT_TRUE(PumpUntil(
            [&] {
                view.Lock();
                bool all = true;
                for (auto it = view.m_folderBrowser.m_lstFile.Begin(); it != view.m_folderBrowser.m_lstFile.End(); it.Next())
                    all = all && it->m_bThumbTried;
                view.Unlock();
                return all;
            },
            60000));
        view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    }
    static CPoint Centre(InputView& view, int index)
    {
        const int cell = view.IndexToScrIndex(index);
        EXPECT_GE(cell, 0) << "entry " << index << " is not on the screen";
        return cell >= 0 ? view.m_visible[size_t(cell)].rect.CenterPoint() : CPoint(-1, -1);
    }
    static void Post(InputView& view, UINT message, WPARAM flags, CPoint p)
    {
        view.PostMessage(message, flags, MAKELPARAM(p.x, p.y));
        PumpPending();
    }
    // A mouse that comes to the point, presses and releases.
    static void Click(InputView& view, CPoint p, WPARAM keys = 0)
    {
        Post(view, WM_MOUSEMOVE, keys, p);
        Post(view, WM_LBUTTONDOWN, MK_LBUTTON | keys, p);
        Post(view, WM_LBUTTONUP, keys, p);
    }
    static std::vector<int> Selected(InputView& view)
    {
        std::vector<int> out;
        for (int i = 0; i < view.GetItemCount(); ++i)
            if (view.GetItemState(i) & KQLS_SELECTED)
                out.push_back(i);
        return out;
    }
    static void Key(InputView& view, UINT message, WPARAM key)
    {
        view.PostMessage(message, key, 0);
        PumpPending();
    }

    testsupport::TempFolder m_dir;
    std::wstring m_folder;
    KQ_LIST_SORT m_sort = KQ_LIST_SORT_NONE;
};

TEST_F(PicListInput, ClicksShiftRangesAndSingleSelection)
{
    InputView view(m_dir.At(L"cache"));
    Open(view);
    // A press and release away from the hover (no mouse move before: a keyboard user's hover
    // elsewhere) only moves the hover there.
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, Centre(view, 8));
    Post(view, WM_LBUTTONUP, 0, Centre(view, 8));
    EXPECT_EQ(8, view.m_nHover);
    EXPECT_TRUE(Selected(view).empty());
    // The mouse that comes to an entry hovers it, so its click selects.
    Click(view, Centre(view, 2));
    EXPECT_EQ(2, view.m_nHover);
    EXPECT_EQ(std::vector<int>({2}), Selected(view));

    // Shift (from the message) on an entry whose three predecessors are unselected and the
    // fourth selected: the three and the entry.
    Click(view, Centre(view, 6), MK_SHIFT);
    EXPECT_EQ(std::vector<int>({2, 3, 4, 5, 6}), Selected(view));
    // Shift on a selected entry shrinks the run before it.
    Click(view, Centre(view, 4), MK_SHIFT);
    EXPECT_EQ(std::vector<int>({5, 6}), Selected(view));

    // The folder is not selectable unless allowed, neither by click nor by SelectAll.
    Click(view, Centre(view, 0));
    EXPECT_EQ(std::vector<int>({5, 6}), Selected(view));
    view.SelectAll();
    EXPECT_EQ(12u, Selected(view).size());
    EXPECT_FALSE(view.GetItemState(0) & KQLS_SELECTED);
    view.Deselect();
    EXPECT_TRUE(Selected(view).empty());
    view.m_bFolderSelect = true;
    view.SelectAll();
    EXPECT_EQ(13u, Selected(view).size());
    view.Deselect();

    // Single selection: 2 then 5 leaves 5; 5 again clears it unless keep-selection is set.
    struct {
        bool keep;
        std::vector<int> afterSecond;
    } cases[] = {{false, {}}, {true, {5}}};
    for (const auto& c : cases) {
        view.Deselect();
        view.m_bSingleSelect = true;
        view.m_bKeepSelect = c.keep;
        Click(view, Centre(view, 2));
        EXPECT_EQ(std::vector<int>({2}), Selected(view));
        Click(view, Centre(view, 5));
        EXPECT_EQ(std::vector<int>({5}), Selected(view));
        Click(view, Centre(view, 5));
        EXPECT_EQ(c.afterSecond, Selected(view)) << "keep " << c.keep;
    }
}

TEST_F(PicListInput, RubberBandSelectsTouchedCellsHoldsTheMouseAndScrolls)
{
    InputView view(m_dir.At(L"cache"));
    Open(view);
    const CRect column0 = view.m_visible[0].rect, first = view.m_visible[1].rect, second = view.m_visible[2].rect;
    // Just left of the third cell of the first row, in the gap: a press there hits no entry.
    ASSERT_GE(second.left - first.right, 10);
    const CPoint gap(second.left - 3, first.top + 20);
    struct {
        int dx, dy;
        bool selects;
    } cases[] = {{5, 50, false}, {50, 5, false}, {7, 7, true}};
    for (const auto& c : cases) {
        view.Deselect();
        Post(view, WM_LBUTTONDOWN, MK_LBUTTON, gap);
        EXPECT_EQ(&view, CWnd::GetCapture()) << "the press holds the mouse";
        Post(view, WM_MOUSEMOVE, MK_LBUTTON, CPoint(gap.x + c.dx, gap.y + c.dy));
        EXPECT_EQ(c.selects, view.m_bBand);
        Post(view, WM_LBUTTONUP, 0, CPoint(gap.x + c.dx, gap.y + c.dy));
        EXPECT_EQ(nullptr, CWnd::GetCapture());
        const std::vector<int> expected = c.selects ? std::vector<int>({2}) : std::vector<int>();
        EXPECT_EQ(expected, Selected(view)) << c.dx << " x " << c.dy;
    }
    // A band reaching back over the first cell's right edge touches it too.
    view.Deselect();
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, gap);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, CPoint(first.right - 1, gap.y + 8));
    Post(view, WM_LBUTTONUP, 0, CPoint(first.right - 1, gap.y + 8));
    EXPECT_EQ(std::vector<int>({1}), Selected(view));

    // Released outside the window, the band ends; so it does when the capture goes elsewhere.
    view.Deselect();
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, gap);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, CPoint(gap.x + 30, gap.y + 30));
    ASSERT_TRUE(view.m_bBand);
    Post(view, WM_LBUTTONUP, 0, CPoint(gap.x + 30, 5000));
    EXPECT_FALSE(view.m_bBand);
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, gap);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, CPoint(gap.x + 30, gap.y + 30));
    ASSERT_TRUE(view.m_bBand);
    ::ReleaseCapture();
    PumpPending();
    EXPECT_FALSE(view.m_bBand);
    EXPECT_FALSE(view.m_bMouseDown);

    // Held near the bottom edge while it grows downwards, the list scrolls by itself and the
    // band takes the entries that come into view.
    view.Deselect();
    ASSERT_EQ(0, view.m_nScrollPos);
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, gap);
    const CPoint low(column0.left + 5, view.m_nClientHeight - 3);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, low);
    EXPECT_GT(view.m_nSmoothStep, 0);
    EXPECT_TRUE(PumpUntil([&] { return view.m_nSmoothStep == 0; }, 20000)) << "stops at the end";
    EXPECT_GT(view.m_nScrollPos, 0);
    EXPECT_TRUE(view.GetItemState(12) & KQLS_SELECTED) << "the last row came in under the band";
    Post(view, WM_LBUTTONUP, 0, low);
    EXPECT_FALSE(view.m_bBand);
}

TEST_F(PicListInput, TypeAheadStepsThroughEntriesAndStartsAfresh)
{
    InputView view(m_dir.At(L"cache"));
    Open(view);
    // "b" again and again: Banana, berry, blue, then round to Banana.
    const int expected[] = {1, 3, 4, 1};
    for (int hover : expected) {
        Key(view, WM_CHAR, 'b');
        EXPECT_EQ(hover, view.m_nHover);
        view.m_now += 100;
    }
    // A word: "bl" finds blue, "ch" after the pause finds cherry.
    view.m_now += 600;
    Key(view, WM_CHAR, 'B');
    Key(view, WM_CHAR, 'l');
    EXPECT_EQ(4, view.m_nHover);
    view.m_now += 600;
    Key(view, WM_CHAR, 'c');
    Key(view, WM_CHAR, 'H');
    EXPECT_EQ(5, view.m_nHover);
    // A word that keeps its match while it grows: "m", "ma" both mango.
    view.m_now += 600;
    Key(view, WM_CHAR, 'm');
    Key(view, WM_CHAR, 'a');
    EXPECT_EQ(12, view.m_nHover);
    // Nothing begins with "z": the hover stays.
    view.m_now += 600;
    Key(view, WM_CHAR, 'z');
    EXPECT_EQ(12, view.m_nHover);
}

TEST_F(PicListInput, DraggingAnEntryOntoAnotherExchangesThem)
{
    InputView view(m_dir.At(L"cache"));
    Open(view);
    view.EnableExchange(true);
    EXPECT_TRUE(view.m_bSingleSelect);
    const CPoint from = Centre(view, 2), to = Centre(view, 5);
    // 12 pixels start nothing, 13 do.
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, from);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, CPoint(from.x + 12, from.y));
    EXPECT_FALSE(view.m_bDragging);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, CPoint(from.x, from.y + 13));
    EXPECT_TRUE(view.m_bDragging);
    // Escape cancels: nothing exchanged.
    Key(view, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(view.m_bDragging);
    Post(view, WM_LBUTTONUP, 0, to);
    EXPECT_EQ(CKQPicListView::String(L"apple.bmp"), view.GetItemText(2));

    // Refused by BeginDrag.
    view.m_allowDrag = false;
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, from);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, to);
    EXPECT_FALSE(view.m_bDragging);
    Post(view, WM_LBUTTONUP, 0, to);
    EXPECT_EQ(CKQPicListView::String(L"apple.bmp"), view.GetItemText(2));

    // Released over another entry: the two change places and the hover goes with it.
    view.m_allowDrag = true;
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, from);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, to);
    ASSERT_TRUE(view.m_bDragging);
    Post(view, WM_LBUTTONUP, 0, to);
    EXPECT_FALSE(view.m_bDragging);
    EXPECT_EQ(CKQPicListView::String(L"cherry.bmp"), view.GetItemText(2));
    EXPECT_EQ(CKQPicListView::String(L"apple.bmp"), view.GetItemText(5));
    EXPECT_EQ(5, view.m_nHover);
}

TEST_F(PicListInput, CloseAndAddButtonsReachTheirHooksWithTheHandCursor)
{
    InputView view(m_dir.At(L"cache"));
    Open(view);
    view.SetItemState(3, KQLS_CLOSE_BUTTON | KQLS_ADD_BUTTON, 0);
    view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    const CRect cell = view.m_visible[size_t(view.IndexToScrIndex(3))].rect;
    const CPoint close(cell.right - 3, cell.top + 3), add(cell.left + 3, cell.bottom - 3);
    Post(view, WM_MOUSEMOVE, 0, add);
    EXPECT_EQ(1, view.m_nHandCursor);
    Post(view, WM_MOUSEMOVE, 0, close);
    EXPECT_EQ(2, view.m_nHandCursor);
    Post(view, WM_MOUSEMOVE, 0, cell.CenterPoint());
    EXPECT_EQ(0, view.m_nHandCursor);

    Click(view, add);
    EXPECT_EQ(std::vector<int>({3}), view.m_added);
    EXPECT_FALSE(view.GetItemState(3) & KQLS_SELECTED) << "the button took the click";
    // The base's close removes the entry and leaves the file.
    Click(view, close);
    EXPECT_EQ(12, view.GetItemCount());
    EXPECT_EQ(CKQPicListView::String(L"blue.bmp"), view.GetItemText(3));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((m_folder + L"\\berry.bmp").c_str()));
}

TEST_F(PicListInput, DoubleClickOpensFoldersAndShowsPictures)
{
    InputView view(m_dir.At(L"cache"));
    Open(view);
    const CPoint file = Centre(view, 3);
    Click(view, file);
    Post(view, WM_LBUTTONDBLCLK, MK_LBUTTON, file);
    Post(view, WM_LBUTTONUP, 0, file);
    EXPECT_EQ(std::vector<int>({2}), view.m_shown) << "file index of berry";
    EXPECT_TRUE(Selected(view).empty()) << "the pair's first click is taken back";

    const CPoint folder = Centre(view, 0);
    view.m_changedTo.clear(); // the opening of the fixture folder
    Click(view, folder);
    Post(view, WM_LBUTTONDBLCLK, MK_LBUTTON, folder);
    ASSERT_EQ(1u, view.m_changedTo.size());
    EXPECT_EQ(m_folder + L"\\sub", view.m_changedTo[0]);
    EXPECT_TRUE(PumpUntil([&] { return !view.IsScanning() && view.GetItemCount() == 1; }, 60000));
}

TEST_F(PicListInput, KeysMoveTheHoverToggleAndPage)
{
    InputView view(m_dir.At(L"cache"));
    Open(view);
    const int columns = view.m_layout.columns;
    ASSERT_GT(columns, 1);
    // No hover: an arrow takes the first cell on the screen.
    Key(view, WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(0, view.m_nHover);
    struct {
        WPARAM key;
        int hover;
    } steps[] = {{VK_LEFT, 0}, {VK_UP, 0}, {VK_RIGHT, 1}, {VK_DOWN, 1 + columns}, {VK_UP, 1}, {VK_END, 12},
                 {VK_RIGHT, 12}, {VK_DOWN, 12}, {VK_HOME, 0}};
    for (const auto& s : steps) {
        Key(view, WM_KEYDOWN, s.key);
        EXPECT_EQ(s.hover, view.m_nHover) << "key " << s.key;
    }
    // Space toggles the hover entry.
    Key(view, WM_KEYDOWN, VK_RIGHT);
    Key(view, WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(std::vector<int>({1}), Selected(view));
    Key(view, WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(Selected(view).empty());
    // Ctrl+A, Enter and Delete belong to the programs.
    Key(view, WM_KEYDOWN, VK_DELETE);
    Key(view, WM_CHAR, 1);
    EXPECT_EQ(13, view.GetItemCount());
    EXPECT_TRUE(Selected(view).empty());

    // Page Down scrolls by whole rows (or to the end), and clears the hover.
    const int top = view.m_nScrollPos;
    Key(view, WM_KEYDOWN, VK_NEXT);
    const int paged = view.m_nScrollPos;
    EXPECT_GT(paged, top);
    EXPECT_EQ(-1, view.m_nHover);
    const int end = ClampListScroll(1 << 30, view.m_layout.contentHeight, view.m_nClientHeight);
    EXPECT_TRUE((paged - top) % view.m_layout.pitch == 0 || paged == end) << paged;
    Key(view, WM_KEYDOWN, VK_PRIOR);
    EXPECT_LT(view.m_nScrollPos, paged);
}

// Blocks scrolling by keys, wheel, bar and fingers.
class FrozenView : public InputView {
public:
    using InputView::InputView;
    bool IsOperateDisabled(int operation) override { return operation == 1; }
};

TEST_F(PicListInput, ABlockedListScrollsByNothing)
{
    FrozenView view(m_dir.At(L"cache"));
    Open(view);
    const CPoint gap((view.m_visible[1].rect.right + view.m_visible[2].rect.left) / 2, view.m_visible[1].rect.top + 20);
    Key(view, WM_KEYDOWN, VK_NEXT);
    Key(view, WM_KEYDOWN, VK_END);
    view.PostMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    PumpPending();
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, gap);
    Post(view, WM_MOUSEMOVE, MK_LBUTTON, CPoint(gap.x + 10, view.m_nClientHeight - 3));
    EXPECT_EQ(0, view.m_nSmoothStep);
    Post(view, WM_LBUTTONUP, 0, CPoint(gap.x + 10, view.m_nClientHeight - 3));
    TOUCHINPUT touch = {};
    touch.dwFlags = TOUCHEVENTF_DOWN;
    view.OnTouchInput(CPoint(300, 300), 0, 1, &touch);
    touch.dwFlags = TOUCHEVENTF_MOVE;
    view.OnTouchInput(CPoint(300, 200), 0, 1, &touch);
    EXPECT_EQ(0, view.m_nScrollPos);
}

TEST_F(PicListInput, TouchLongPressOpensTheMenuAndAScrollDoesNotEatTheNextClick)
{
    InputView view(m_dir.At(L"cache"));
    Open(view);
    const CPoint start = Centre(view, 2);
    struct {
        DWORD held;
        int moved;
        bool menu;
    } presses[] = {{600, 20, true}, {400, 0, false}, {600, 40, false}};
    for (const auto& p : presses) {
        MSG drop;
        while (::PeekMessageW(&drop, view.GetSafeHwnd(), WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE)) {
        }
        TOUCHINPUT touch = {};
        touch.dwFlags = TOUCHEVENTF_DOWN;
        view.OnTouchInput(start, 0, 1, &touch);
        view.m_now += p.held;
        touch.dwFlags = TOUCHEVENTF_UP;
        const CPoint end(start.x + p.moved, start.y);
        view.OnTouchInput(end, 0, 1, &touch);
        MSG menu;
        const bool posted = ::PeekMessageW(&menu, view.GetSafeHwnd(), WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE) != FALSE;
        EXPECT_EQ(p.menu, posted) << p.held << " ms, " << p.moved << " px";
        if (posted) {
            CPoint screen = end;
            view.ClientToScreen(&screen);
            EXPECT_EQ(screen.x, GET_X_LPARAM(menu.lParam));
            EXPECT_EQ(screen.y, GET_Y_LPARAM(menu.lParam));
        }
    }

    // A finger scrolls the list (its own button release is no click); the next click selects.
    TOUCHINPUT touch = {};
    touch.dwFlags = TOUCHEVENTF_DOWN;
    view.OnTouchInput(CPoint(300, 300), 0, 1, &touch);
    Post(view, WM_LBUTTONDOWN, MK_LBUTTON, CPoint(300, 300));
    touch.dwFlags = TOUCHEVENTF_MOVE;
    view.OnTouchInput(CPoint(300, 290), 0, 1, &touch);
    EXPECT_EQ(0, view.m_nScrollPos) << "10 pixels move nothing";
    view.OnTouchInput(CPoint(300, 260), 0, 1, &touch);
    EXPECT_EQ(40, view.m_nScrollPos);
    EXPECT_TRUE(view.m_bTouchScrolled);
    touch.dwFlags = TOUCHEVENTF_UP;
    view.OnTouchInput(CPoint(300, 260), 0, 1, &touch);
    Post(view, WM_LBUTTONUP, 0, CPoint(300, 260));
    EXPECT_TRUE(Selected(view).empty());
    const int visible = view.m_visible[view.m_visible.size() / 2].index;
    Click(view, Centre(view, visible));
    EXPECT_EQ(std::vector<int>({visible}), Selected(view));
}

} // namespace
