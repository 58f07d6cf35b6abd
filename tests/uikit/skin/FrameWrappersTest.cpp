// The wrappers of the framework's panes, tool bars and ribbon in a real frame: no context
// menus, only the pin button, closed floating frames docking back, tool bars that restore no
// layout, panes floating centred.
#include <memory>
#include "KQDialogBar.h"
#include "KQDockingControlBar.h"
#include "KQMiniFrameWnd.h"
#include "KQRibbonBar.h"
#include "KQTabbedBar.h"
#include "KQToolbar.h"
#include "SkinKitTest.h"

namespace {
enum : UINT { kLeft = 0x9101, kRight = 0x9102, kRight2 = 0x9103, kToolBar = 0x9104 };

// A frame that hears the context menus its bars pass up (as the bars' menu would open there).
class CMenuFrame : public CBCGPFrameWnd {
public:
    int heard = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CONTEXTMENU) {
            ++heard;
            return 0;
        }
        return CBCGPFrameWnd::WindowProc(message, wParam, lParam);
    }
};

struct WrapperFrame {
    CMenuFrame* frame = new CMenuFrame;
    CWnd view;
    CKQDockingControlBar left, right, right2;
    CKQToolbar toolBar;

    WrapperFrame()
    {
        EXPECT_TRUE(frame->Create(nullptr, L"Wrappers", WS_OVERLAPPEDWINDOW, CRect(20, 20, 920, 670)));
        EXPECT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST));
        EXPECT_TRUE(toolBar.Create(frame, AFX_DEFAULT_TOOLBAR_STYLE, kToolBar));
        const UINT buttons[] = {ID_FILE_NEW, ID_SEPARATOR, ID_APP_ABOUT};
        toolBar.SetButtons(buttons, 3);
        EXPECT_TRUE(left.Create(L"Left", frame, CRect(0, 0, 200, 200), TRUE, kLeft, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        EXPECT_TRUE(right.Create(L"Right", frame, CRect(0, 0, 180, 180), TRUE, kRight, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
        EXPECT_TRUE(right2.Create(L"Second", frame, CRect(0, 0, 180, 180), TRUE, kRight2, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
        for (CBCGPDockingControlBar* pane : {&left, &right, &right2})
            pane->EnableDocking(CBRS_ALIGN_ANY);
        toolBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->EnableDocking(CBRS_ALIGN_ANY);
        frame->EnableAutoHideBars(CBRS_ALIGN_ANY);
        frame->DockControlBar(&toolBar);
        frame->DockControlBar(&left);
        frame->DockControlBar(&right);
        right2.AttachToTabWnd(&right, BCGP_DM_STANDARD, FALSE);
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        PumpFor(50);
    }
    ~WrapperFrame()
    {
        if (::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
    }
};

// Right-clicks the window as the system does (WM_CONTEXTMENU at a screen point); a menu that
// opens is closed again and counted.
bool g_menuSeen = false;
void CALLBACK CloseAnyMenu(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND menu = ::FindWindowW(L"#32768", nullptr); menu && ::IsWindowVisible(menu)) {
        g_menuSeen = true;
        ::EndMenu();
    }
}

bool ContextMenuOpens(CWnd* target, CMenuFrame* frame, CPoint screen)
{
    g_menuSeen = false;
    const int heard = frame->heard;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, CloseAnyMenu);
    target->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target->m_hWnd), MAKELPARAM(screen.x, screen.y));
    PumpFor(150);
    ::KillTimer(nullptr, timer);
    return g_menuSeen || frame->heard != heard;
}

CPoint CaptionPoint(CWnd* wnd, int dy = 5)
{
    CRect r;
    wnd->GetWindowRect(&r);
    return CPoint(r.left + 20, r.top + dy);
}
} // namespace

TEST(FrameWrappers, RightClicksShowNoMenu)
{
    WrapperFrame f;
    // The plain pane passes the click up to its frame, which would open the bars' menu.
    CBCGPDockingControlBar plain;
    ASSERT_TRUE(plain.Create(L"Plain", f.frame, CRect(0, 0, 150, 150), TRUE, 0x9105, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
    plain.EnableDocking(CBRS_ALIGN_ANY);
    f.frame->DockControlBar(&plain);
    f.frame->RecalcLayout();
    EXPECT_TRUE(ContextMenuOpens(&plain, f.frame, CaptionPoint(&plain)));

    EXPECT_FALSE(ContextMenuOpens(&f.left, f.frame, CaptionPoint(&f.left)));
    CBCGPTabbedControlBar* group = f.right.GetParentTabbedBar();
    ASSERT_NE(group, nullptr);
    EXPECT_NE(dynamic_cast<CKQTabbedBar*>(group), nullptr);
    CRect tabs = group->GetTabAreaRect();
    group->ClientToScreen(&tabs);
    EXPECT_FALSE(ContextMenuOpens(group, f.frame, tabs.CenterPoint()));
    EXPECT_FALSE(ContextMenuOpens(&f.toolBar, f.frame, CaptionPoint(&f.toolBar, 10)));

    ASSERT_TRUE(f.left.FloatControlBar(CRect(300, 200, 560, 460)));
    CBCGPMiniFrameWnd* mini = f.left.GetParentMiniFrame();
    ASSERT_NE(mini, nullptr);
    EXPECT_NE(dynamic_cast<CKQMiniFrameWnd*>(mini), nullptr);
    EXPECT_FALSE(ContextMenuOpens(mini, f.frame, CaptionPoint(mini)));
}

TEST(FrameWrappers, AClosedFloatingFrameDocksThePaneWhereItWas)
{
    WrapperFrame f;
    const CRect docked = [&] {
        CRect r;
        f.left.GetWindowRect(&r);
        return r;
    }();
    ASSERT_TRUE(f.left.FloatControlBar(CRect(300, 200, 560, 460)));
    CBCGPMiniFrameWnd* mini = f.left.GetParentMiniFrame();
    ASSERT_NE(mini, nullptr);
    const HWND miniHwnd = mini->m_hWnd;
    mini->SendMessage(WM_CLOSE);
    PumpFor(50);
    EXPECT_FALSE(f.left.IsFloating());
    EXPECT_TRUE(f.left.IsBarVisible());
    EXPECT_FALSE(::IsWindow(miniHwnd));
    CRect now;
    f.left.GetWindowRect(&now);
    EXPECT_EQ(now.left, docked.left);
    EXPECT_EQ(now.Width(), docked.Width());
}

TEST(FrameWrappers, PanesShowOnlyThePinButton)
{
    WrapperFrame f;
    for (CBCGPDockingControlBar* pane : {static_cast<CBCGPDockingControlBar*>(&f.left),
                                         static_cast<CBCGPDockingControlBar*>(f.right.GetParentTabbedBar())}) {
        ASSERT_NE(pane, nullptr);
        const auto& buttons = pane->GetCaptionButtons();
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_EQ(buttons[0].GetHit(), static_cast<UINT>(HTMAXBUTTON));
    }
    EXPECT_TRUE(CBCGPTabbedControlBar::m_bTabsAlwaysTop);
    EXPECT_FALSE(f.right.GetParentTabbedBar()->IsAutoDestroy());
}

TEST(FrameWrappers, FloatCenterOnTheScreen)
{
    const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    WrapperFrame f;
    f.left.FloatCenter(800, 600);
    EXPECT_EQ(f.left.GetRecentFloatingRect(), CRect((screen.cx - 800) / 2, (screen.cy - 600) / 2, (screen.cx - 800) / 2 + 800,
                                                    (screen.cy - 600) / 2 + 600));
    f.left.FloatCenter(0.6f);
    const int mx = screen.cx / 5, my = screen.cy / 5;   // 20 % each side
    EXPECT_EQ(f.left.GetRecentFloatingRect(), CRect(mx, my, screen.cx - mx, screen.cy - my));
    // The example of a wide screen, without a screen of that size.
    EXPECT_EQ(kqframe::CenteredFloatRect(CSize(1920, 1080), 800, 600), CRect(560, 240, 1360, 840));
    EXPECT_EQ(kqframe::CenteredFloatRect(CSize(1280, 1024), 0.6f), CRect(256, 204, 1024, 820));
}

TEST(FrameWrappers, ToolBarsKeepTheirButtonsAcrossAStoredState)
{
    WrapperFrame f;
    EXPECT_TRUE(f.toolBar.SaveState(L"SkinKitTests\\Bars"));
    f.toolBar.RemoveButton(0);
    EXPECT_TRUE(f.toolBar.LoadState(L"SkinKitTests\\Bars"));
    EXPECT_EQ(f.toolBar.GetCount(), 2);
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\SkinKitTests\\Bars", 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key)
        ::RegCloseKey(key);
}

TEST(FrameWrappers, RibbonIgnoresHideRequestsAndOwnsItsCaptionButtons)
{
    CBCGPFrameWnd* frame = new CBCGPFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Ribbon", WS_OVERLAPPEDWINDOW, CRect(20, 20, 820, 620)));
    CKQRibbonBar ribbon;
    ASSERT_TRUE(ribbon.Create(frame));
    CKQCaptionButton* button = ribbon.AddCaptionButton(L"Skin", L"Change the skin", 0x9201, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ribbon.GetTabElementCount(), 1);
    EXPECT_EQ(ribbon.FindByID(0x9201), button);
    EXPECT_EQ(CString(button->GetText()), CString(L"Skin"));
    frame->ShowWindow(SW_SHOW);
    ribbon.SetVisibilityInFrame(10, FALSE);
    frame->RecalcLayout();
    EXPECT_TRUE(ribbon.IsWindowVisible());
    EXPECT_TRUE(ribbon.IsReplaceFrameCaption());
    ribbon.DestroyWindow();
    frame->DestroyWindow();
}
