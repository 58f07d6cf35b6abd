// The menu bar, pop-up menus and the context-menu manager.
#include "BarsTestApp.h"

namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CBCGPPopupMenu::m_bForceMenuFocus = FALSE;
        frame = CTestFrame::Make(true);
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        if (CBCGPPopupMenu* top = CBCGPPopupMenu::GetTopMenu())
            top->CloseMenu();
        if (frame)
            frame->DestroyWindow();
    }
    CTestFrame* frame = nullptr;
};

TEST_F(MenuTest, MenuBarTakesTheFramesMenuAndOpensItsItems)
{
    CBCGPMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR));
    frame->RecalcLayout();
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
    ASSERT_EQ(menuBar.GetCount(), 4);
    EXPECT_EQ(CString(menuBar.GetMenuItem(1)->m_strText), CString(L"&Edit"));
    menuBar.SetToolBarBtnText(1, L"Edit!", TRUE, FALSE);
    EXPECT_EQ(menuBar.GetButtonText(1), CString(L"Edit!"));

    // A click on "Edit" opens its items with their states from the frame: Undo is disabled.
    CRect edit;
    menuBar.GetItemRect(1, &edit);
    ClickAt(&menuBar, edit.CenterPoint());
    CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menuBar.GetMenuItem(1)->IsDroppedDown());
    ASSERT_EQ(menu->GetMenuItemCount(), 4);
    EXPECT_EQ(menu->GetMenuItemID(0), static_cast<UINT>(ID_EDIT_UNDO_STEP));
    EXPECT_FALSE(menu->IsItemEnabled(0));
    EXPECT_TRUE(menu->IsItemEnabled(1));
    // Moving over "View" on the bar switches to its menu.
    CRect view;
    menuBar.GetItemRect(2, &view);
    CPoint over = view.CenterPoint();
    menuBar.ClientToScreen(&over);
    menu->ScreenToClient(&over);
    menu->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
    menu = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemID(0), static_cast<UINT>(ID_VIEW_GRID));
    EXPECT_FALSE(menuBar.GetMenuItem(1)->IsDroppedDown());
    // Down twice and Enter choose "Histogram"; the menu closes and the frame hears it.
    menu->SendMessage(WM_KEYDOWN, VK_DOWN);
    menu->SendMessage(WM_KEYDOWN, VK_DOWN);
    menu->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return frame->Received(ID_VIEW_HISTOGRAM); }));
    EXPECT_FALSE(menuBar.GetMenuItem(2)->IsDroppedDown());
}

TEST_F(MenuTest, KeyboardOpensMenusOfTheMenuBar)
{
    CBCGPMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR));
    // Alt+V: the View menu on its first item; keys without Alt or of no mnemonic open nothing.
    EXPECT_FALSE(menuBar.OnMenuKey('V', FALSE));
    EXPECT_FALSE(menuBar.OnMenuKey('Q', TRUE));
    ASSERT_TRUE(menuBar.OnMenuKey('V', TRUE));
    CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemID(0), static_cast<UINT>(ID_VIEW_GRID));
    EXPECT_EQ(menu->GetHighlightedItem(), 0);
    menu->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    // F10: the first menu.
    ASSERT_TRUE(menuBar.OnMenuKey(VK_F10, FALSE));
    ASSERT_NE(CBCGPPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu()->GetMenuItemID(0), static_cast<UINT>(ID_FILE_NEW_DOC));
}

TEST_F(MenuTest, SubMenusOpenBesideAndEscapeClosesOneLevel)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    auto* popup = new CBCGPPopupMenu;
    ASSERT_TRUE(popup->Create(frame, 100, 100, ::GetSubMenu(menu.m_hMenu, 0), FALSE, TRUE));
    EXPECT_EQ(popup->GetMenuItemID(4), static_cast<UINT>(-1));   // "Send to"
    popup->ChooseItem(4);
    CBCGPPopupMenu* sub = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(sub, popup);
    CRect parentRect, subRect;
    popup->GetWindowRect(&parentRect);
    sub->GetWindowRect(&subRect);
    EXPECT_GE(subRect.left, parentRect.right - 4);
    EXPECT_EQ(sub->GetHighlightedItem(), 0);
    sub->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), popup);
    // A click outside every menu closes them without a command.
    popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-50, -50));
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);
    PumpFor(50);
    EXPECT_TRUE(frame->commands.empty());
}

// A timer procedure: once the tracked menu is up, three steps down and Enter choose "Paste".
void CALLBACK ChoosePasteInTheActiveMenu(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hwnd, id);
    if (CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu()) {
        menu->PostMessage(WM_KEYDOWN, VK_DOWN);
        menu->PostMessage(WM_KEYDOWN, VK_DOWN);
        menu->PostMessage(WM_KEYDOWN, VK_DOWN);
        menu->PostMessage(WM_KEYDOWN, VK_RETURN);
    }
}

TEST_F(MenuTest, ContextMenuManagerShowsRegisteredMenus)
{
    CBCGPContextMenuManager manager;
    EXPECT_FALSE(manager.AddMenu(L"Missing", 999));
    ASSERT_TRUE(manager.AddMenu(L"Picture", IDR_CONTEXT));
    UINT id = 0;
    EXPECT_EQ(manager.GetMenuByName(L"picture", &id), manager.GetMenuById(IDR_CONTEXT));
    EXPECT_EQ(id, static_cast<UINT>(IDR_CONTEXT));
    EXPECT_EQ(manager.ShowPopupMenu(999, 10, 10, frame), nullptr);

    // Shown, then closed by Escape: no command.
    CBCGPPopupMenu* shown = manager.ShowPopupMenu(IDR_CONTEXT, 200, 200, frame, TRUE);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), shown);
    EXPECT_EQ(shown->GetMenuItemCount(), 5);
    CRect rect;
    shown->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(200, 200));
    shown->PostMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([] { return CBCGPPopupMenu::GetActiveMenu() == nullptr; }));
    PumpFor(50);
    EXPECT_TRUE(frame->commands.empty());

    // Shown again and clicked: the owner gets the command.
    shown = manager.ShowPopupMenu(IDR_CONTEXT, 200, 200, frame, TRUE);
    ASSERT_NE(shown, nullptr);
    const CPoint copy = shown->GetItemRect(1).CenterPoint();
    shown->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(copy.x, copy.y));
    shown->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(copy.x, copy.y));
    EXPECT_TRUE(PumpUntil([&] { return frame->Received(ID_CONTEXT_COPY); }));

    // Tracked: the keys waiting in the queue choose "Paste", which comes back as the result.
    frame->commands.clear();
    ::SetTimer(frame->m_hWnd, 77, 50, ChoosePasteInTheActiveMenu);
    CBCGPPopupMenu::m_bForceMenuFocus = FALSE;
    EXPECT_EQ(manager.TrackPopupMenu(manager.GetMenuById(IDR_CONTEXT), 150, 150, frame), static_cast<UINT>(ID_CONTEXT_PASTE));
    PumpFor(50);
    EXPECT_TRUE(frame->commands.empty());
}

} // namespace
