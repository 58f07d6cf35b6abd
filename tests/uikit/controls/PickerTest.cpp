// The image picker: grid and placement rules, the button's notifications, and the pop-up driven
// by the mouse, the keys and deactivation.
#include "ControlsTestSupport.h"
#include "GenericPicker.h"
#include "UIKitIds.h"

namespace {

TEST(PickerGrid, RowsCellsAndHits)
{
    EXPECT_EQ(3, picker::Rows(20, 8));
    EXPECT_EQ(2, picker::Rows(16, 8));
    EXPECT_EQ(0, picker::Rows(0, 8));
    const SIZE cell{26, 26}, edge{2, 2};
    const SIZE size = picker::PopupSize(8, 3, cell, edge, false);
    EXPECT_EQ(8 * 30 + 4, size.cx);
    EXPECT_EQ(3 * 30 + 4, size.cy);
    EXPECT_EQ(3 * 30 + 4 + 30, picker::PopupSize(8, 3, cell, edge, true).cy);
    EXPECT_EQ("(154,34,180,60)", RectText(picker::CellRect(5, 1, cell, edge)));
    struct Case {
        POINT p;
        bool hit;
        int column, row;
    } cases[] = {{{160, 40}, true, 5, 1}, {{3, 3}, true, 0, 0}, {{1, 1}, false, 0, 0}, {{250, 40}, false, 0, 0}, {{10, 100}, false, 0, 0}};
    for (const Case& c : cases) {
        int column = -1, row = -1;
        EXPECT_EQ(c.hit, picker::CellAt(c.p, 8, 3, cell, edge, &column, &row)) << c.p.x << "," << c.p.y;
        if (c.hit) {
            EXPECT_EQ(c.column, column);
            EXPECT_EQ(c.row, row);
        }
    }
}

TEST(PickerGrid, PlacementInsideTheWorkArea)
{
    const SIZE size{100, 80};
    struct Case {
        RECT button, work, expected;
    } cases[] = {
        {{10, 10, 50, 30}, {0, 0, 800, 600}, {10, 30, 110, 110}},       // below the lower-left corner
        {{750, 10, 790, 30}, {0, 0, 800, 600}, {700, 30, 800, 110}},    // at the right edge: moved left
        {{10, 550, 50, 570}, {0, 0, 800, 600}, {10, 470, 110, 550}},    // at the bottom: above the button
        {{-20, 10, 20, 30}, {0, 0, 800, 600}, {0, 30, 100, 110}},       // left of the area: moved right
        {{1550, 10, 1590, 30}, {800, 0, 1600, 560}, {1500, 30, 1600, 110}},   // a second monitor
        {{850, 500, 890, 520}, {800, 0, 1600, 560}, {850, 420, 950, 500}},   // above a task bar's top
    };
    for (const Case& c : cases)
        EXPECT_EQ(RectText(c.expected), RectText(picker::PopupPlace(c.button, size, c.work))) << RectText(c.button);
}

class PickerWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open(CRect(100, 100, 500, 400)));
        ASSERT_TRUE(picker.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 80, 40), &host, 77));
        ASSERT_TRUE(picker.LoadImageW(IDB_KQ_SHAPES));
        picker.SetColumns(8);
        PumpPending();
    }
    void TearDown() override
    {
        if (CGenericPickerPopup* popup = OpenPopup())
            popup->DestroyWindow();
        PumpPending();
    }
    static BOOL CALLBACK FindPopup(HWND wnd, LPARAM found)
    {
        if (auto* popup = dynamic_cast<CGenericPickerPopup*>(CWnd::FromHandlePermanent(wnd)))
            *reinterpret_cast<CGenericPickerPopup**>(found) = popup;
        return TRUE;
    }
    CGenericPickerPopup* OpenPopup()
    {
        CGenericPickerPopup* popup = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&popup));
        return popup;
    }
    CGenericPickerPopup* Open()
    {
        picker.SendMessage(BM_CLICK);
        PumpPending();
        host.commands.clear();   // the button's own click note
        return OpenPopup();
    }
    CControlsHost host;
    CImageListPicker picker;
};

TEST_F(PickerWindow, TwentyImagesInEightColumns)
{
    EXPECT_EQ(20, picker.GetImageList().GetImageCount());
    EXPECT_EQ(3, picker.GetRows());
    EXPECT_TRUE(picker.IsCellValid(3, 2));
    for (int column = 4; column < 8; ++column)
        EXPECT_FALSE(picker.IsCellValid(column, 2)) << column;
    picker.SetIndex(13);
    EXPECT_EQ(5, picker::CellColumn(picker.GetCurSel()));
    EXPECT_EQ(1, picker::CellRow(picker.GetCurSel()));
    EXPECT_EQ(13, picker.GetIndex());
    picker.SetIndex(-3);
    EXPECT_EQ(0, picker.GetIndex());
    picker.SetCurSel(picker::PackCell(6, 2));   // past the last image
    EXPECT_EQ(19, picker.GetIndex());
}

TEST_F(PickerWindow, EndingNotifiesTheParent)
{
    picker.SetIndex(2);
    picker.SendMessage(WM_KQ_PICKER_SELENDOK, picker::PackCell(5, 1));
    EXPECT_EQ((std::vector<int>{CBN_CLOSEUP, CBN_SELENDOK, CBN_SELCHANGE}), host.commands);
    EXPECT_EQ(13, picker.GetIndex());
    host.commands.clear();
    picker.SendMessage(WM_KQ_PICKER_SELENDOK, picker::PackCell(5, 1));
    EXPECT_EQ((std::vector<int>{CBN_CLOSEUP, CBN_SELENDOK}), host.commands);
}

TEST_F(PickerWindow, ClickOutsideCancelsAndRestores)
{
    picker.SetIndex(2);
    CGenericPickerPopup* popup = Open();
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(picker.IsPopupOpen());
    EXPECT_EQ(popup->m_hWnd, ::GetCapture());
    // The pointer passes over another cell first: the button follows it, then goes back.
    const RECT cell = picker::CellRect(6, 0, CSize(26, 26), CSize(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE)));
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 5, cell.top + 5));
    EXPECT_EQ(6, picker.GetIndex());
    host.commands.clear();
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-30, -30));
    PumpPending();
    EXPECT_EQ((std::vector<int>{CBN_CLOSEUP, CBN_SELENDCANCEL}), host.commands);
    EXPECT_EQ(2, picker.GetIndex());
    EXPECT_EQ(nullptr, OpenPopup());
    EXPECT_FALSE(picker.IsPopupOpen());
}

TEST_F(PickerWindow, DeactivationCancels)
{
    picker.SetIndex(4);
    CGenericPickerPopup* popup = Open();
    ASSERT_NE(nullptr, popup);
    popup->SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(12, picker.GetIndex());
    host.commands.clear();
    popup->SendMessage(WM_ACTIVATE, WA_INACTIVE);
    PumpPending();
    EXPECT_EQ((std::vector<int>{CBN_CLOSEUP, CBN_SELENDCANCEL}), host.commands);
    EXPECT_EQ(4, picker.GetIndex());
    EXPECT_EQ(nullptr, OpenPopup());
}

TEST_F(PickerWindow, KeysMoveAndPick)
{
    picker.SetIndex(18);
    CGenericPickerPopup* popup = Open();
    ASSERT_NE(nullptr, popup);
    popup->SendMessage(WM_KEYDOWN, VK_RIGHT);   // 19: the last image
    popup->SendMessage(WM_KEYDOWN, VK_RIGHT);   // 20 has no image: stays
    popup->SendMessage(WM_KEYDOWN, VK_DOWN);    // past the last row: stays
    EXPECT_EQ(19, picker.GetIndex());
    EXPECT_EQ((std::vector<int>{CBN_SELCHANGE}), host.commands);
    host.commands.clear();
    popup->SendMessage(WM_KEYDOWN, VK_RETURN);
    PumpPending();
    EXPECT_EQ((std::vector<int>{CBN_CLOSEUP, CBN_SELENDOK}), host.commands);
    EXPECT_EQ(19, picker.GetIndex());
    EXPECT_EQ(nullptr, OpenPopup());
}

TEST_F(PickerWindow, EscapeCancels)
{
    picker.SetIndex(1);
    CGenericPickerPopup* popup = Open();
    ASSERT_NE(nullptr, popup);
    popup->SendMessage(WM_KEYDOWN, VK_LEFT);
    host.commands.clear();
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpPending();
    EXPECT_EQ((std::vector<int>{CBN_CLOSEUP, CBN_SELENDCANCEL}), host.commands);
    EXPECT_EQ(1, picker.GetIndex());
}

TEST_F(PickerWindow, PickerGoingClosesItsGrid)
{
    auto* second = new CImageListPicker;
    ASSERT_TRUE(second->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(100, 10, 170, 40), &host, 78));
    second->LoadImageW(IDB_KQ_SHAPES);
    second->SendMessage(BM_CLICK);
    PumpPending();
    CGenericPickerPopup* popup = OpenPopup();
    ASSERT_NE(nullptr, popup);
    const HWND grid = popup->m_hWnd;
    second->DestroyWindow();
    delete second;
    EXPECT_FALSE(::IsWindow(grid));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(PickerWindow, PopupOpensBelowTheButton)
{
    CGenericPickerPopup* popup = Open();
    ASSERT_NE(nullptr, popup);
    CRect button, window;
    picker.GetWindowRect(&button);
    popup->GetWindowRect(&window);
    EXPECT_EQ(button.left, window.left);
    EXPECT_EQ(button.bottom, window.top);
}

} // namespace
