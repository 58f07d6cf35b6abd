// Docking panes in a real frame: sides, floating and docking back, tab groups, auto-hide, and
// the frame's state stored in the registry and restored in a new frame, and hostile records
// read back into sane bars.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>
#include "FrameTestApp.h"

namespace {

enum : UINT { kLeft = 0x9001, kRight = 0x9002, kBottom = 0x9003, kRight2 = 0x9004 };

// A frame with a view and four panes: left, right, bottom and a second right one.
struct PaneFrame {
    CBCGPFrameWnd* frame = new CBCGPFrameWnd;
    CWnd view;
    CBCGPDockingControlBar left, right, bottom, right2;

    PaneFrame()
    {
        EXPECT_TRUE(frame->Create(nullptr, L"Panes", WS_OVERLAPPEDWINDOW, CRect(20, 20, 920, 670)));
        EXPECT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST));
        EXPECT_TRUE(left.Create(L"Left", frame, CRect(0, 0, 200, 200), TRUE, kLeft, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        EXPECT_TRUE(right.Create(L"Right", frame, CRect(0, 0, 180, 180), TRUE, kRight, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
        EXPECT_TRUE(bottom.Create(L"Bottom", frame, CRect(0, 0, 120, 120), TRUE, kBottom, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
        EXPECT_TRUE(right2.Create(L"Second", frame, CRect(0, 0, 180, 180), TRUE, kRight2, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
        for (CBCGPDockingControlBar* pane : { &left, &right, &bottom, &right2 })
            pane->EnableDocking(CBRS_ALIGN_ANY);
        frame->EnableDocking(CBRS_ALIGN_ANY);
        frame->EnableAutoHideBars(CBRS_ALIGN_ANY);
        frame->DockControlBar(&left);
        frame->DockControlBar(&right);
        frame->DockControlBar(&bottom);
        right2.AttachToTabWnd(&right, BCGP_DM_STANDARD, FALSE);
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        PumpFor(50);
    }
    ~PaneFrame()
    {
        if (::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();   // deletes the frame
    }
    CRect Client() const
    {
        CRect r;
        frame->GetClientRect(&r);
        return r;
    }
};

} // namespace

TEST(Docking, PanesTakeTheirSidesAndTheViewTheRest)
{
    PaneFrame f;
    const CRect client = f.Client();
    const CRect left = RectInParent(&f.left), bottom = RectInParent(&f.bottom), view = RectInParent(&f.view);
    CBCGPTabbedControlBar* group = f.right.GetParentTabbedBar();
    ASSERT_NE(group, nullptr);
    const CRect right = RectInParent(group);
    EXPECT_EQ(left, CRect(0, 0, 200, client.bottom));
    EXPECT_EQ(right, CRect(client.right - 180, 0, client.right, client.bottom));
    // Docked after the side panes, the bottom pane lies between them.
    EXPECT_EQ(bottom, CRect(200, client.bottom - 120, client.right - 180, client.bottom));
    EXPECT_EQ(view, CRect(200, 0, client.right - 180, client.bottom - 120));
    // A docked pane's caption and sizing edge lie outside its client area.
    CRect inner;
    f.left.GetClientRect(&inner);
    EXPECT_EQ(inner.Width(), 200 - CBCGPDockingControlBar::GetSizingEdge());
    EXPECT_EQ(inner.Height(), client.Height() - CBCGPDockingControlBar::GetCaptionHeight());
}

TEST(Docking, FloatsInAMiniFrameAndDocksBack)
{
    PaneFrame f;
    ASSERT_TRUE(f.left.FloatControlBar(CRect(300, 200, 560, 460)));
    ASSERT_TRUE(f.left.IsFloating());
    CBCGPMiniFrameWnd* mini = f.left.GetParentMiniFrame();
    ASSERT_NE(mini, nullptr);
    EXPECT_TRUE(mini->IsWindowVisible());
    CRect client;
    mini->GetClientRect(&client);
    mini->ClientToScreen(&client);
    EXPECT_EQ(client, CRect(300, 200, 560, 460));
    EXPECT_EQ(RectInParent(&f.view).left, 0);   // the left side is free

    // Closing the mini frame hides the pane; showing it brings the mini frame back.
    mini->SendMessage(WM_CLOSE);
    EXPECT_FALSE(mini->IsWindowVisible());
    EXPECT_FALSE(f.left.IsBarVisible());
    f.left.ShowControlBar(TRUE, FALSE, FALSE);
    EXPECT_TRUE(mini->IsWindowVisible());

    // Back where it was docked, its mini frame gone.
    const HWND miniHwnd = mini->m_hWnd;
    ASSERT_TRUE(f.left.DockToFrameWindow());
    EXPECT_FALSE(f.left.IsFloating());
    EXPECT_FALSE(::IsWindow(miniHwnd));
    EXPECT_EQ(RectInParent(&f.left).left, 0);
    EXPECT_EQ(RectInParent(&f.view).left, 200);
}

TEST(Docking, DroppedMiniFrameDocksAtTheSideUnderTheCursor)
{
    PaneFrame f;
    ASSERT_TRUE(f.bottom.FloatControlBar(CRect(300, 200, 560, 460)));
    CRect client = f.Client();
    f.frame->ClientToScreen(&client);
    CBCGPDockManager* manager = f.frame->GetDockManager();
    // In the middle of the view: nothing happens.
    EXPECT_FALSE(manager->DockAtPoint(&f.bottom, client.CenterPoint()));
    EXPECT_TRUE(f.bottom.IsFloating());
    // Just inside the view's top edge: the pane docks at the top.
    const CRect view = manager->GetClientAreaRect();
    CPoint top(view.CenterPoint().x, view.top + 5);
    f.frame->ClientToScreen(&top);
    EXPECT_TRUE(manager->DockAtPoint(&f.bottom, top));
    EXPECT_FALSE(f.bottom.IsFloating());
    EXPECT_EQ(f.bottom.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_TOP));
    EXPECT_EQ(RectInParent(&f.bottom).top, 0);
}

TEST(Docking, CaptionDragMovesTheMiniFrameAndDropsItOnADockingZone)
{
    PaneFrame f;
    ASSERT_TRUE(f.bottom.FloatControlBar(CRect(300, 200, 560, 460)));
    CBCGPMiniFrameWnd* mini = f.bottom.GetParentMiniFrame();
    ASSERT_NE(mini, nullptr);
    CRect before;
    mini->GetWindowRect(&before);
    CRect caption = mini->GetCaptionRect();
    caption.OffsetRect(before.TopLeft());
    const CPoint from(caption.left + 10, caption.CenterPoint().y);
    ASSERT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)), HTCAPTION);
    mini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(from.x, from.y));
    EXPECT_TRUE(mini->IsCaptured());
    EXPECT_EQ(::GetCapture(), mini->m_hWnd);
    // The frame follows the mouse.
    CPoint to = from + CSize(25, 15);
    mini->ScreenToClient(&to);
    mini->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    CRect moved;
    mini->GetWindowRect(&moved);
    EXPECT_EQ(moved.TopLeft(), before.TopLeft() + CSize(25, 15));
    EXPECT_TRUE(mini->HasMovedSinceCapture());
    // Released just inside the view's top edge: the pane docks at the top.
    const CRect view = f.frame->GetDockManager()->GetClientAreaRect();
    CPoint drop(view.CenterPoint().x, view.top + 5);
    f.frame->ClientToScreen(&drop);
    CPoint release = drop;
    mini->ScreenToClient(&release);
    mini->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(release.x, release.y));
    mini->ScreenToClient(&(release = drop));
    const HWND miniHwnd = mini->m_hWnd;
    mini->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
    // Docked, the mini frame is gone, and with it the capture.
    EXPECT_FALSE(::IsWindow(miniHwnd));
    EXPECT_NE(::GetCapture(), miniHwnd);
    EXPECT_FALSE(f.bottom.IsFloating());
    EXPECT_EQ(f.bottom.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_TOP));
}

TEST(Docking, TabGroupShowsOnePaneAtATimeAndComesApart)
{
    PaneFrame f;
    CBCGPTabbedControlBar* group = f.right.GetParentTabbedBar();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group, f.right2.GetParentTabbedBar());
    ASSERT_EQ(group->GetTabsNum(), 2);
    // Attached without activation: the first pane stays in front.
    EXPECT_EQ(group->GetActiveBar(), &f.right);
    EXPECT_TRUE(f.right.IsWindowVisible());
    EXPECT_FALSE(f.right2.IsWindowVisible());
    CString caption;
    group->GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"Right"));

    // A click on the second tab brings it up.
    const CRect tab = group->GetTabRect(1);
    group->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
    group->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
    EXPECT_EQ(group->GetActiveTab(), 1);
    EXPECT_TRUE(f.right2.IsWindowVisible());
    EXPECT_FALSE(f.right.IsWindowVisible());

    // Docked below a pane of the group, a pane shares the group's column.
    ASSERT_TRUE(f.bottom.DockToWindow(&f.right, CBRS_ALIGN_BOTTOM));
    const CRect column = RectInParent(group), below = RectInParent(&f.bottom);
    EXPECT_EQ(below.left, column.left);
    EXPECT_EQ(below.right, column.right);
    EXPECT_EQ(below.top, column.bottom);
    EXPECT_EQ(below.bottom, f.Client().bottom);

    // Floating one pane dissolves the group of two: the other takes the group's place.
    ASSERT_TRUE(f.right2.FloatControlBar(CRect(300, 200, 500, 400)));
    EXPECT_FALSE(f.right.IsTabbed());
    EXPECT_TRUE(f.right.IsWindowVisible());
    EXPECT_EQ(RectInParent(&f.right).right, f.Client().right);
    EXPECT_TRUE(f.right2.IsFloating());
}

TEST(Docking, TabsMakeRoomForIconsAsTheScreenScalesThem)
{
    PaneFrame f;
    CBCGPTabbedControlBar* group = f.right.GetParentTabbedBar();
    ASSERT_NE(group, nullptr);
    const HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    const double scale = globalData.m_dblImageScale;
    struct Case {
        double scale;
        int iconSide;
    } cases[] = {{1.0, 16}, {1.25, 20}, {1.5, 24}, {2.0, 32}};
    // The tab's width without an icon, then with one at each scale: the icon's side and a gap.
    const int plain = group->GetTabRect(0).Width();
    f.right.SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    for (const Case& c : cases) {
        globalData.m_dblImageScale = c.scale;
        EXPECT_EQ(globalData.GetSmallIconSize(), c.iconSide) << c.scale;
        EXPECT_EQ(group->GetTabRect(0).Width() - plain, c.iconSide + 4) << c.scale;
    }
    globalData.m_dblImageScale = scale;
}

TEST(Docking, AutoHiddenPaneSlidesOutAndComesBack)
{
    PaneFrame f;
    ASSERT_TRUE(f.left.SetAutoHideMode(TRUE));
    EXPECT_TRUE(f.left.IsAutoHideMode());
    EXPECT_FALSE(f.left.IsWindowVisible());
    CBCGPAutoHideDockBar* strip = f.frame->GetDockManager()->GetAutoHideBar(CBRS_ALIGN_LEFT);
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->IsWindowVisible());
    ASSERT_EQ(strip->GetPanes().size(), 1u);
    const int stripWidth = RectInParent(strip).Width();
    EXPECT_EQ(RectInParent(&f.view).left, stripWidth);

    // Moving over its button slides it out over the view, at its docked width.
    const CRect button = strip->GetButtonRect(0);
    strip->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
    EXPECT_TRUE(f.left.IsSlidOut());
    EXPECT_TRUE(f.left.IsWindowVisible());
    EXPECT_EQ(RectInParent(&f.left), CRect(stripWidth, 0, stripWidth + 200, f.Client().bottom));
    // Sliding back in hides it again.
    f.left.Slide(FALSE);
    EXPECT_FALSE(f.left.IsWindowVisible());

    // The pin (the caption button) docks it again.
    f.left.Slide(TRUE);
    f.left.OnPressButtons(HTMAXBUTTON);
    EXPECT_FALSE(f.left.IsAutoHideMode());
    EXPECT_TRUE(f.left.IsWindowVisible());
    EXPECT_FALSE(strip->IsWindowVisible());
    EXPECT_EQ(RectInParent(&f.left).left, 0);
    EXPECT_EQ(RectInParent(&f.view).left, 200);
}

TEST(Docking, CloseButtonHidesAndShowControlBarBringsBack)
{
    PaneFrame f;
    f.bottom.OnPressButtons(HTCLOSE);
    EXPECT_FALSE(f.bottom.IsWindowVisible());
    EXPECT_EQ(RectInParent(&f.view).bottom, f.Client().bottom);
    f.frame->ShowControlBar(&f.bottom, TRUE, FALSE, TRUE);
    EXPECT_TRUE(f.bottom.IsWindowVisible());
    EXPECT_EQ(RectInParent(&f.view).bottom, f.Client().bottom - 120);
}

namespace {

// The registry section the frames' state goes to, emptied before each test (a run that was
// killed may have left it filled) and after it.
class DockingState : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp().SetRegistryKey(L"LumivoTests");
        m_previousBase = TestApp().SetRegistryBase(L"SkinFrameDocking");
        m_root = TestApp().GetRegSectionPath();
        m_root.TrimRight(L'\\');
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_root);
    }
    void TearDown() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_root);
        // The parents go too unless another run still uses them.
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\LumivoTests\\SkinFrameTests");
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\LumivoTests");
        TestApp().SetRegistryBase(m_previousBase);
    }

    CString m_root;
    CString m_previousBase;
};

} // namespace

TEST_F(DockingState, IsRestoredInANewFrame)
{
    CFrameTestApp& app = TestApp();
    {
        PaneFrame f;
        // The user's changes: a wider left pane, the second pane in front of its group, the
        // bottom pane floating and the left one pinned away.
        f.left.SetDockedSize(CSize(260, 200));
        f.right.GetParentTabbedBar()->SetActiveTab(1);
        ASSERT_TRUE(f.bottom.FloatControlBar(CRect(330, 240, 630, 400)));
        ASSERT_TRUE(f.left.SetAutoHideMode(TRUE));
        ASSERT_TRUE(app.SaveState(f.frame));
    }
    {
        PaneFrame f;
        ASSERT_TRUE(app.LoadState(f.frame));
        EXPECT_EQ(f.left.GetDockedSize().cx, 260);
        EXPECT_TRUE(f.left.IsAutoHideMode());
        ASSERT_TRUE(f.right.IsTabbed());
        EXPECT_EQ(f.right.GetParentTabbedBar(), f.right2.GetParentTabbedBar());
        EXPECT_EQ(f.right.GetParentTabbedBar()->GetActiveBar(), &f.right2);
        ASSERT_TRUE(f.bottom.IsFloating());
        CRect client;
        f.bottom.GetParentMiniFrame()->GetClientRect(&client);
        f.bottom.GetParentMiniFrame()->ClientToScreen(&client);
        EXPECT_EQ(client, CRect(330, 240, 630, 400));
        // Pinned back, the left pane has its stored width.
        f.left.SetAutoHideMode(FALSE);
        EXPECT_EQ(RectInParent(&f.left).Width(), 260);
    }
}

namespace {

enum : UINT { kToolBar = 0x9005 };

// One stored value: under the bar's record (a bar id) or the frame's place (0), raw.
struct StoredValue {
    UINT bar;
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> data;
};

std::vector<BYTE> Dword(DWORD value)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
    return std::vector<BYTE>(bytes, bytes + sizeof value);
}

// A frame of panes with a tool bar on top, as the program makes it before loading its state.
struct BarsFrame : PaneFrame {
    CBCGPToolBar toolBar;
    BarsFrame()
    {
        EXPECT_TRUE(toolBar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), kToolBar));
        toolBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
        frame->DockControlBar(&toolBar);
        PumpFor(20);
    }
    ~BarsFrame()
    {
        // The frame goes before the tool bar it holds.
        if (::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
    }
};

// What any state read back must leave: the tool bar a docked bar of its own, the panes at sizes
// a screen holds, tab groups showing one of their tabs, frames and mini frames on a screen.
void ExpectSaneBars(BarsFrame& f)
{
    EXPECT_EQ(f.toolBar.GetParent(), f.frame);
    EXPECT_FALSE(f.toolBar.IsFloating());
    EXPECT_TRUE(f.toolBar.IsBarVisible());
    EXPECT_TRUE(f.toolBar.GetCurrentAlignment() == CBRS_ALIGN_TOP || f.toolBar.GetCurrentAlignment() == CBRS_ALIGN_BOTTOM);
    CRect window;
    f.frame->GetWindowRect(&window);
    EXPECT_TRUE(skinui::IsUsableScreenRect(window, 50)) << ::testing::PrintToString(window);
    for (CBCGPDockingControlBar* pane : { &f.left, &f.right, &f.bottom, &f.right2 }) {
        const CSize size = pane->GetDockedSize();
        EXPECT_GE(std::min(size.cx, size.cy), CBCGPDockingControlBar::GetMinSize());
        EXPECT_LE(size.cx, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
        EXPECT_LE(size.cy, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
        if (CBCGPTabbedControlBar* group = pane->GetParentTabbedBar()) {
            EXPECT_GE(group->GetActiveTab(), 0);
            EXPECT_LT(group->GetActiveTab(), group->GetTabsNum());
        }
        if (pane->IsFloating()) {
            pane->GetParentMiniFrame()->GetWindowRect(&window);
            EXPECT_TRUE(skinui::IsUsableScreenRect(window, 8)) << ::testing::PrintToString(window);
        }
    }
}

} // namespace

// Records left by an older build or edited by hand: each case is written over an empty section,
// then a new frame loads it and must open with sane bars.
TEST_F(DockingState, HostileRecordsLeaveSaneBars)
{
    struct Case {
        const char* what;
        std::vector<StoredValue> values;
        std::function<void(BarsFrame&)> expect;
    };
    const CSize leftSize(200, 200), bottomSize(120, 120);
    const Case cases[] = {
        { "a tool bar named as a tab of a pane",
          { { kToolBar, L"TabGroup", REG_DWORD, Dword(kRight) }, { kToolBar, L"TabIndex", REG_DWORD, Dword(1) },
            { kToolBar, L"ActiveTab", REG_DWORD, Dword(5) } },
          nullptr },
        { "a tool bar pinned to an edge",
          { { kToolBar, L"AutoHide", REG_DWORD, Dword(1) }, { kToolBar, L"Side", REG_DWORD, Dword(CBRS_ALIGN_LEFT) } },
          [](BarsFrame& f) { EXPECT_EQ(f.toolBar.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_TOP)); } },
        { "tab indexes and the active tab past the group",
          { { kRight, L"TabGroup", REG_DWORD, Dword(kRight) }, { kRight, L"ActiveTab", REG_DWORD, Dword(7) },
            { kRight2, L"TabGroup", REG_DWORD, Dword(kRight) }, { kRight2, L"TabIndex", REG_DWORD, Dword(9) } },
          [](BarsFrame& f) {
              ASSERT_TRUE(f.right2.IsTabbed());
              EXPECT_EQ(f.right2.GetParentTabbedBar(), f.right.GetParentTabbedBar());
          } },
        { "tab groups of an unknown id, of the pane itself and of a tool bar",
          { { kRight2, L"TabGroup", REG_DWORD, Dword(0xBEEF) }, { kRight2, L"TabIndex", REG_DWORD, Dword(1) },
            { kBottom, L"TabGroup", REG_DWORD, Dword(kBottom) }, { kBottom, L"TabIndex", REG_DWORD, Dword(2) },
            { kLeft, L"TabGroup", REG_DWORD, Dword(kToolBar) }, { kLeft, L"TabIndex", REG_DWORD, Dword(1) } },
          [](BarsFrame& f) {
              for (CBCGPDockingControlBar* pane : { &f.right2, &f.bottom, &f.left }) {
                  EXPECT_FALSE(pane->IsTabbed());
                  EXPECT_TRUE(pane->IsWindowVisible());
              }
          } },
        { "absurd sizes",
          { { kLeft, L"Width", REG_DWORD, Dword(0x7FFFFFFF) }, { kLeft, L"Height", REG_DWORD, Dword(0) },
            { kBottom, L"Width", REG_DWORD, Dword(static_cast<DWORD>(-10)) }, { kBottom, L"Height", REG_DWORD, Dword(5) } },
          [&](BarsFrame& f) {
              EXPECT_EQ(f.left.GetDockedSize(), leftSize);
              EXPECT_EQ(f.bottom.GetDockedSize(), bottomSize);
          } },
        { "negative and huge orders, columns, sides and flags",
          { { kLeft, L"Order", REG_DWORD, Dword(0xFFFFFFFF) }, { kLeft, L"Column", REG_DWORD, Dword(0x80000000) },
            { kLeft, L"Side", REG_DWORD, Dword(0xFFFFFFFF) }, { kLeft, L"Visible", REG_DWORD, Dword(7) },
            { kBottom, L"Order", REG_DWORD, Dword(0x7FFFFFFF) }, { kBottom, L"Side", REG_DWORD, Dword(0) },
            { kBottom, L"Floating", REG_DWORD, Dword(0xFFFFFFFF) } },
          [](BarsFrame& f) {
              EXPECT_EQ(f.left.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_LEFT));
              EXPECT_TRUE(f.left.IsWindowVisible());
          } },
        { "floating places off every screen and beyond any",
          { { kBottom, L"Floating", REG_DWORD, Dword(1) }, { kBottom, L"FloatLeft", REG_DWORD, Dword(static_cast<DWORD>(-100000)) },
            { kBottom, L"FloatTop", REG_DWORD, Dword(static_cast<DWORD>(-100000)) },
            { kBottom, L"FloatRight", REG_DWORD, Dword(static_cast<DWORD>(-99000)) },
            { kBottom, L"FloatBottom", REG_DWORD, Dword(static_cast<DWORD>(-99000)) },
            { kLeft, L"Floating", REG_DWORD, Dword(1) }, { kLeft, L"FloatLeft", REG_DWORD, Dword(0x80000000) },
            { kLeft, L"FloatTop", REG_DWORD, Dword(0) }, { kLeft, L"FloatRight", REG_DWORD, Dword(0x7FFFFFFF) },
            { kLeft, L"FloatBottom", REG_DWORD, Dword(0x7FFFFFFF) } },
          nullptr },
        { "truncated and mistyped values",
          { { kLeft, L"Width", REG_BINARY, { 0x2C, 0x01 } }, { kLeft, L"Height", REG_DWORD, { 0x2C, 0x01 } },
            { kLeft, L"Side", REG_QWORD, { 2, 0, 0, 0, 0, 0, 0, 0 } }, { kLeft, L"Visible", REG_SZ, { 0, 0 } } },
          [&](BarsFrame& f) {
              EXPECT_EQ(f.left.GetDockedSize(), leftSize);
              EXPECT_EQ(f.left.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_LEFT));
              EXPECT_TRUE(f.left.IsWindowVisible());
          } },
        { "a frame place of absurd size",
          { { 0, L"Left", REG_DWORD, Dword(0) }, { 0, L"Top", REG_DWORD, Dword(0) }, { 0, L"Right", REG_DWORD, Dword(0x7FFFFFFF) },
            { 0, L"Bottom", REG_DWORD, Dword(0x7FFFFFFF) }, { 0, L"ShowCmd", REG_DWORD, Dword(0xFFFFFFFF) } },
          [](BarsFrame& f) {
              CRect window;
              f.frame->GetWindowRect(&window);
              EXPECT_EQ(window, CRect(20, 20, 920, 670));
          } },
        { "a frame place cut short",
          { { 0, L"Left", REG_DWORD, { 100, 0 } }, { 0, L"Top", REG_DWORD, Dword(100) }, { 0, L"Right", REG_DWORD, Dword(700) },
            { 0, L"Bottom", REG_DWORD, Dword(600) }, { 0, L"ShowCmd", REG_DWORD, Dword(SW_SHOWNORMAL) } },
          [](BarsFrame& f) {
              CRect window;
              f.frame->GetWindowRect(&window);
              EXPECT_EQ(window, CRect(20, 20, 920, 670));
          } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_root);
        for (const StoredValue& v : c.values) {
            CString key = m_root + L"\\MainFrame";
            if (v.bar)
                key.Format(L"%s\\DockingManager\\Bar-%u", m_root.GetString(), v.bar);
            HKEY hkey = nullptr;
            ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &hkey, nullptr), ERROR_SUCCESS);
            ::RegSetValueExW(hkey, v.name, 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
            ::RegCloseKey(hkey);
        }
        BarsFrame f;
        TestApp().LoadState(f.frame);
        PumpFor(20);
        ExpectSaneBars(f);
        if (c.expect)
            c.expect(f);
    }
}
