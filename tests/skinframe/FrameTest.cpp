// Full-screen mode, MDI tabbed groups, dialog bars, outlook bars and the workspace.
#include <memory>
#include "FrameTestApp.h"
#include "ContextMenuManager.h"
#include "ShellManager.h"
#include "SkinFrameIds.h"

namespace {

const UINT kFullScreenCmd = 0x9100;

struct PlainFrame {
    CBCGPFrameWnd* frame = new CBCGPFrameWnd;
    CWnd view;
    CBCGPDockingControlBar pane;

    PlainFrame()
    {
        EXPECT_TRUE(frame->Create(nullptr, L"Full screen", WS_OVERLAPPEDWINDOW, CRect(40, 40, 840, 640)));
        EXPECT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST));
        EXPECT_TRUE(pane.Create(L"Pane", frame, CRect(0, 0, 200, 200), TRUE, 0x9201, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&pane);
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
    }
    ~PlainFrame()
    {
        if (::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
    }
};

// Frames that count the runs of their handler of a command.
class CCountingFrame : public CBCGPFrameWnd {
public:
    int m_nRuns = 0;

protected:
    afx_msg void OnFullScreen()
    {
        ++m_nRuns;
        ShowFullScreen();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingFrame, CBCGPFrameWnd)
    ON_COMMAND(kFullScreenCmd, OnFullScreen)
END_MESSAGE_MAP()

class CCountingMDIFrame : public CBCGPMDIFrameWnd {
public:
    int m_nRuns = 0;

protected:
    afx_msg void OnCounted() { ++m_nRuns; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingMDIFrame, CBCGPMDIFrameWnd)
    ON_COMMAND(kFullScreenCmd, OnCounted)
END_MESSAGE_MAP()

class CTestOutlookBar : public CBCGPOutlookBar {
public:
    BOOL m_bRefuse = FALSE;
    int m_nAsked = -1;
    BOOL OnBeforeAnimation(int nPage) override
    {
        m_nAsked = nPage;
        return !m_bRefuse;
    }
};

} // namespace

TEST(FullScreen, CoversTheMonitorWithoutBarsAndComesBack)
{
    PlainFrame f;
    f.frame->EnableFullScreenMode(kFullScreenCmd);
    CRect before;
    f.frame->GetWindowRect(&before);

    f.frame->ShowFullScreen();
    ASSERT_TRUE(f.frame->IsFullScreen());
    MONITORINFO mi = { sizeof mi };
    ::GetMonitorInfoW(::MonitorFromWindow(f.frame->m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    CRect window;
    f.frame->GetWindowRect(&window);
    EXPECT_EQ(window, CRect(mi.rcMonitor));
    EXPECT_FALSE(f.frame->GetStyle() & WS_CAPTION);
    EXPECT_FALSE(f.pane.IsWindowVisible());
    EXPECT_EQ(RectInParent(&f.view).left, 0);
    CBCGPFullScreenBar* bar = f.frame->GetFullScreenBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->IsFloating());
    EXPECT_TRUE(bar->GetParentMiniFrame()->IsWindowVisible());

    // Its button leaves the mode: the frame's place, caption and pane come back.
    CRect client;
    bar->GetClientRect(&client);
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.CenterPoint().x, client.CenterPoint().y));
    bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.CenterPoint().x, client.CenterPoint().y));
    ASSERT_TRUE(PumpUntil([&] { return !f.frame->IsFullScreen(); }));
    EXPECT_EQ(f.frame->GetFullScreenBar(), nullptr);
    f.frame->GetWindowRect(&window);
    EXPECT_EQ(window, before);
    EXPECT_TRUE(f.frame->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(f.pane.IsWindowVisible());
    EXPECT_EQ(RectInParent(&f.view).left, 200);
}

// The frames look for a handler before they answer a command themselves; the look-up must not
// run the handler as well.
TEST(FrameCommands, AHandledCommandRunsOnce)
{
    auto* frame = new CCountingFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Commands", WS_OVERLAPPEDWINDOW, CRect(40, 40, 840, 640)));
    frame->EnableFullScreenMode(kFullScreenCmd);
    frame->ShowWindow(SW_SHOW);
    frame->ShowFullScreen();
    frame->SendMessage(WM_COMMAND, kFullScreenCmd);
    EXPECT_EQ(frame->m_nRuns, 1);
    EXPECT_FALSE(frame->IsFullScreen());
    frame->DestroyWindow();

    auto* mdi = new CCountingMDIFrame;
    ASSERT_TRUE(mdi->Create(nullptr, L"MDI commands", WS_OVERLAPPEDWINDOW, CRect(30, 30, 930, 630)));
    mdi->EnableWindowsDialog(0x9101, L"Windows...");
    mdi->SendMessage(WM_COMMAND, kFullScreenCmd);
    EXPECT_EQ(mdi->m_nRuns, 1);
    mdi->DestroyWindow();
}

TEST(MDITabs, ChildrenBecomeTabsInGroups)
{
    auto* frame = new CBCGPMDIFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"MDI", WS_OVERLAPPEDWINDOW, CRect(30, 30, 930, 630)));
    frame->ShowWindow(SW_SHOW);
    std::vector<CBCGPMDIChildWnd*> children;
    for (const wchar_t* title : { L"One", L"Two", L"Three" }) {
        auto* child = new CBCGPMDIChildWnd;
        ASSERT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
        children.push_back(child);
    }
    frame->EnableMDITabbedGroups(TRUE, CBCGPMDITabParams());
    PumpUntil([&] { return !children[0]->IsWindowVisible(); });
    ASSERT_EQ(frame->GetMDITabGroupCount(), 1);
    EXPECT_EQ(frame->GetMDITabGroupChildren(0).size(), 3u);
    // Only the active child shows, without a frame of its own, below the tab strip.
    CMDIChildWnd* active = frame->MDIGetActive();
    ASSERT_EQ(active, children[2]);
    EXPECT_FALSE(active->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(active->IsWindowVisible());
    EXPECT_FALSE(children[0]->IsWindowVisible());
    EXPECT_EQ(RectInParent(active).top, CBCGPMDITabGroupWnd::GetHeight());

    // A new vertical group takes the active child to the right half.
    ASSERT_TRUE(frame->MDITabNewGroup(TRUE));
    ASSERT_EQ(frame->GetMDITabGroupCount(), 2);
    EXPECT_EQ(frame->GetMDITabGroupChildren(1).size(), 1u);
    EXPECT_EQ(frame->FindMDITabGroup(children[2]), 1);
    CRect mdi;
    ::GetClientRect(frame->m_hWndMDIClient, &mdi);
    EXPECT_GE(RectInParent(children[2]).left, mdi.Width() / 2 - 1);
    // Both groups show their front child.
    EXPECT_TRUE(children[1]->IsWindowVisible());
    EXPECT_TRUE(children[2]->IsWindowVisible());

    // Closing the only child of a group ends the group.
    children[2]->SendMessage(WM_CLOSE);
    PumpUntil([&] { return frame->GetMDITabGroupCount() == 1; });
    EXPECT_EQ(frame->GetMDITabGroupCount(), 1);
    EXPECT_EQ(frame->GetMDITabGroupChildren(0).size(), 2u);

    // Without tabs the children have their frames back.
    frame->EnableMDITabbedGroups(FALSE);
    EXPECT_TRUE(children[0]->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(children[0]->IsWindowVisible());
    frame->DestroyWindow();
}

TEST(MDITabs, TabClickActivatesTheChild)
{
    auto* frame = new CBCGPMDIFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"MDI", WS_OVERLAPPEDWINDOW, CRect(30, 30, 930, 630)));
    frame->ShowWindow(SW_SHOW);
    auto* first = new CBCGPMDIChildWnd;
    auto* second = new CBCGPMDIChildWnd;
    ASSERT_TRUE(first->Create(nullptr, L"First", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
    ASSERT_TRUE(second->Create(nullptr, L"Second", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
    frame->EnableMDITabbedGroups(TRUE, CBCGPMDITabParams());
    ASSERT_EQ(frame->MDIGetActive(), second);
    HWND strip = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD);
    while (strip && CWnd::FromHandlePermanent(strip) && DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(strip)))
        strip = ::GetWindow(strip, GW_HWNDNEXT);
    ASSERT_NE(strip, nullptr);
    auto* tabs = static_cast<CBCGPMDITabGroupWnd*>(CWnd::FromHandlePermanent(strip));
    const CRect tab = tabs->GetTabRect(0);
    ::SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.left + 5, tab.CenterPoint().y));
    // The tabs follow the activation once its messages are through.
    EXPECT_TRUE(PumpUntil([&] { return first->IsWindowVisible() && !second->IsWindowVisible(); }));
    EXPECT_EQ(frame->MDIGetActive(), first);
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_FALSE(second->IsWindowVisible());
    frame->DestroyWindow();
}

// Drives the windows dialog from a timer while it runs: picks the child titled "Second",
// closes it, then closes the dialog.
namespace {
std::vector<CString> g_listed;
VOID CALLBACK DriveWindowsDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = ::FindWindowW(nullptr, L"Windows");
    if (!dlg)
        return;
    ::KillTimer(nullptr, id);
    HWND list = ::GetDlgItem(dlg, 100);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    g_listed.clear();
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        g_listed.emplace_back(text);
        ::SendMessageW(list, LB_SETSEL, wcscmp(text, L"Second") == 0, i);
    }
    ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), 0);
    ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}
} // namespace

TEST(MDITabs, WindowsDialogListsAndClosesChildren)
{
    auto* frame = new CBCGPMDIFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"MDI", WS_OVERLAPPEDWINDOW, CRect(30, 30, 930, 630)));
    frame->ShowWindow(SW_SHOW);
    auto* first = new CBCGPMDIChildWnd;
    auto* second = new CBCGPMDIChildWnd;
    ASSERT_TRUE(first->Create(nullptr, L"First", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
    ASSERT_TRUE(second->Create(nullptr, L"Second", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
    const HWND secondHwnd = second->m_hWnd;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, DriveWindowsDialog);
    frame->ShowWindowsDialog();
    ::KillTimer(nullptr, timer);
    ASSERT_EQ(g_listed.size(), 2u);
    EXPECT_FALSE(::IsWindow(secondHwnd));
    EXPECT_TRUE(::IsWindow(first->m_hWnd));
    frame->DestroyWindow();
}

TEST(DialogBar, MadeFromATemplateWithAnchoredControls)
{
    PlainFrame f;
    CBCGPDialogBar bar;
    bar.EnableVisualManagerStyle(TRUE);
    bar.EnableLayout(TRUE);
    ASSERT_TRUE(bar.Create(L"", f.frame, TRUE, IDD_TEST_DIALOGBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0x9300));
    bar.GetLayout()->AddAnchor(IDC_BAR_BUTTON, CBCGPStaticLayout::e_MoveTypeHorz, CBCGPStaticLayout::e_SizeTypeNone);
    bar.GetLayout()->AddAnchor(IDC_BAR_EDIT, CBCGPStaticLayout::e_MoveTypeNone, CBCGPStaticLayout::e_SizeTypeHorz);
    bar.GetLayout()->SetInitialState();
    ASSERT_NE(bar.GetDlgItem(IDC_BAR_EDIT), nullptr);
    f.frame->EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    f.frame->DockControlBar(&bar);
    // A top bar without caption text spans the width at its template's height.
    const CRect placed = RectInParent(&bar);
    CRect client;
    f.frame->GetClientRect(&client);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.Width(), client.Width());
    EXPECT_EQ(placed.Height(), bar.GetDockedSize().cy);
    EXPECT_EQ(RectInParent(&f.view).top, placed.bottom);
    // Wider by 100 pixels: the button moves along, the edit box grows.
    const CRect button = RectInParent(bar.GetDlgItem(IDC_BAR_BUTTON));
    const CRect edit = RectInParent(bar.GetDlgItem(IDC_BAR_EDIT));
    bar.SetWindowPos(nullptr, 0, 0, placed.Width() + 100, placed.Height(), SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(RectInParent(bar.GetDlgItem(IDC_BAR_BUTTON)).left, button.left + 100);
    EXPECT_EQ(RectInParent(bar.GetDlgItem(IDC_BAR_EDIT)).Width(), edit.Width() + 100);
}

TEST(OutlookBar, ButtonsChooseThePageUnlessTheBarRefuses)
{
    PlainFrame f;
    CTestOutlookBar bar;
    ASSERT_TRUE(bar.Create(L"Outlook", f.frame, CRect(0, 0, 220, 300), 0x9400, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    CBCGPOutlookWnd* tabs = bar.GetUnderlinedWindow();
    CWnd pages[2];
    for (CWnd& page : pages)
        ASSERT_TRUE(page.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), tabs, 0));
    tabs->AddTab(&pages[0], L"Folders", 0);
    tabs->AddTab(&pages[1], L"Batch", 1);
    f.frame->EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    f.frame->DockControlBar(&bar);
    EXPECT_EQ(tabs->GetActiveTab(), 0);
    EXPECT_TRUE(pages[0].IsWindowVisible());
    EXPECT_FALSE(pages[1].IsWindowVisible());
    // The page fills what the buttons leave.
    CRect inner;
    tabs->GetClientRect(&inner);
    EXPECT_EQ(RectInParent(&pages[0]).bottom, inner.bottom - 2 * CBCGPOutlookWnd::GetButtonHeight() - 1);

    const CRect second = tabs->GetButtonRect(1);
    bar.m_bRefuse = TRUE;
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.CenterPoint().x, second.CenterPoint().y));
    EXPECT_EQ(bar.m_nAsked, 1);
    EXPECT_EQ(tabs->GetActiveTab(), 0);
    bar.m_bRefuse = FALSE;
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.CenterPoint().x, second.CenterPoint().y));
    EXPECT_EQ(tabs->GetActiveTab(), 1);
    EXPECT_TRUE(pages[1].IsWindowVisible());
    EXPECT_FALSE(pages[0].IsWindowVisible());
    EXPECT_EQ(tabs->GetTabWnd(1), &pages[1]);
    tabs->SetTabLabel(1, L"Tools");
    EXPECT_EQ(tabs->GetTabLabel(1), CString(L"Tools"));
}

TEST(Workspace, RegistryBaseSectionPathAndThemes)
{
    CFrameTestApp& app = TestApp();
    app.SetRegistryKey(L"LumivoTests");
    const CString before = app.SetRegistryBase(L"Editor Settings");
    EXPECT_EQ(app.SetRegistryBase(L"Combine Settings"), CString(L"Editor Settings"));
    EXPECT_EQ(app.GetRegSectionPath(L"Bars"), CString(L"Software\\LumivoTests\\SkinFrameTests\\Combine Settings\\Bars\\"));
    EXPECT_EQ(app.GetRegSectionPath(), CString(L"Software\\LumivoTests\\SkinFrameTests\\Combine Settings\\"));
    app.SetRegistryBase(before);
    EXPECT_EQ(CBCGPWorkspace::GetInstance(), &app);

    const struct {
        BCGP_VISUAL_THEME theme;
        CRuntimeClass* look;
    } themes[] = {
        { BCGP_VISUAL_THEME_OFFICE_2013_WHITE, RUNTIME_CLASS(CBCGPVisualManager2013) },
        { BCGP_VISUAL_THEME_VS_2012, RUNTIME_CLASS(CBCGPVisualManagerVS2012) },
        { BCGP_VISUAL_THEME_DEFAULT, RUNTIME_CLASS(CBCGPVisualManager) },
    };
    for (const auto& t : themes) {
        app.SetVisualTheme(t.theme);
        EXPECT_EQ(app.GetVisualTheme(), t.theme);
        EXPECT_EQ(CBCGPVisualManager::GetInstance()->GetRuntimeClass(), t.look);
    }
}

TEST(Workspace, ManagersAndTheTooltipsOfAKind)
{
    CFrameTestApp& app = TestApp();
    ASSERT_TRUE(app.InitTooltipManager());
    ASSERT_NE(app.GetTooltipManager(), nullptr);
    CBCGPToolTipParams params;
    params.m_nMaxDescrWidth = 150;
    params.m_clrFill = RGB(250, 240, 200);
    app.GetTooltipManager()->SetTooltipParams(BCGP_TOOLTIP_TYPE_DEFAULT, nullptr, &params);
    PlainFrame f;
    CToolTipCtrl* tip = nullptr;
    ASSERT_TRUE(CBCGPTooltipManager::CreateToolTip(tip, &f.view, BCGP_TOOLTIP_TYPE_DEFAULT));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->SendMessage(TTM_GETMAXTIPWIDTH), 150);
    EXPECT_EQ(static_cast<COLORREF>(tip->SendMessage(TTM_GETTIPBKCOLOR)), RGB(250, 240, 200));
    CBCGPTooltipManager::DeleteToolTip(tip);
    EXPECT_EQ(tip, nullptr);
    EXPECT_TRUE(app.InitShellManager());
    EXPECT_EQ(app.GetShellManager(), g_pShellManager);
    EXPECT_TRUE(app.InitContextMenuManager());
    CBCGPContextMenuManager* menus = app.GetContextMenuManager();
    ASSERT_NE(menus, nullptr);
    EXPECT_TRUE(app.InitContextMenuManager());   // made once
    EXPECT_EQ(app.GetContextMenuManager(), menus);
    EXPECT_EQ(g_pContextMenuManager, menus);
}
