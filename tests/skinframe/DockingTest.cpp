// Docking panes in a real frame: sides, floating and docking back, tab groups, auto-hide, and
// the frame's state stored in the registry and restored in a new frame.
#include <memory>
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

TEST(Docking, StateIsRestoredInANewFrame)
{
    CFrameTestApp& app = TestApp();
    app.SetRegistryKey(L"LumivoTests");
    app.SetRegistryBase(L"SkinFrameDocking");
    CString root = app.GetRegSectionPath();
    root.TrimRight(L'\\');
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
    EXPECT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, root), ERROR_SUCCESS);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\LumivoTests\\SkinFrameTests");
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\LumivoTests");
}
