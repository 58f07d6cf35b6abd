// Frames: an MDI frame with two children routes commands to the active child's view, menus and
// bars take their command states from the route, accelerators fire, bars are laid out.
#include <gtest/gtest.h>
#include "TestApp.h"
#include "TestIds.h"

namespace {

class CRouteView : public CWnd {
    DECLARE_DYNCREATE(CRouteView)
public:
    int m_routed = 0;
    int m_disabledRan = 0;

protected:
    afx_msg void OnRoute() { ++m_routed; }
    afx_msg void OnDisabled() { ++m_disabledRan; }
    afx_msg void OnChecked() {}
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CRouteView, CWnd)

BEGIN_MESSAGE_MAP(CRouteView, CWnd)
    ON_COMMAND(ID_TEST_ROUTE, OnRoute)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_COMMAND(ID_TEST_CHECKED, OnChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

class CTestChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CTestChild)
public:
    CRouteView* View() const { return static_cast<CRouteView*>(GetActiveView()); }

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        CCreateContext context = pContext ? *pContext : CCreateContext();
        context.m_pNewViewClass = RUNTIME_CLASS(CRouteView);
        return CreateView(&context) != nullptr;
    }
};

IMPLEMENT_DYNCREATE(CTestChild, CMDIChildWnd)

int g_framesDeleted = 0;

class CTestFrame : public CMDIFrameWnd {
public:
    ~CTestFrame() override { ++g_framesDeleted; }
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    CDialogBar m_dialogBar;
    int m_accelerated = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        if (CMDIFrameWnd::OnCreate(cs) == -1)
            return -1;
        static const UINT buttons[] = { ID_TEST_ROUTE, ID_SEPARATOR, ID_TEST_DISABLED, ID_TEST_CHECKED, ID_TEST_UNHANDLED };
        static const UINT panes[] = { ID_SEPARATOR, ID_TEST_DISABLED };
        if (!m_toolBar.Create(this) || !m_toolBar.SetButtons(buttons, 5) || !m_statusBar.Create(this) ||
            !m_statusBar.SetIndicators(panes, 2) || !m_dialogBar.Create(this, IDD_BAR, CBRS_BOTTOM | WS_VISIBLE, 0xE805))
            return -1;
        return 0;
    }
    afx_msg void OnAccel() { ++m_accelerated; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_ACCEL, OnAccel)
END_MESSAGE_MAP()

// A shown MDI frame with two children; the second is active. The menus handed to the children
// belong to the fixture.
class MdiFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_childMenu.LoadMenu(IDR_CHILDFRAME);
        m_childAccel = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CHILDFRAME));
        m_frame = new CTestFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MDIFRAME));
        m_frame->ShowWindow(SW_SHOW);
        m_frame->MoveWindow(0, 0, 640, 480);
        m_first = NewChild();
        m_second = NewChild();
        ASSERT_TRUE(m_first && m_second);
    }
    void TearDown() override
    {
        TestApp().m_pMainWnd = nullptr;
        if (m_frame)
            m_frame->DestroyWindow();
        PumpPending();
    }
    CTestChild* NewChild()
    {
        return static_cast<CTestChild*>(
            m_frame->CreateNewChild(RUNTIME_CLASS(CTestChild), IDR_CHILDFRAME, m_childMenu.m_hMenu, m_childAccel));
    }
    UINT MenuState(UINT id) const { return GetMenuState(m_childMenu.m_hMenu, id, MF_BYCOMMAND); }

    CMenu m_childMenu;
    HACCEL m_childAccel = nullptr;
    CTestFrame* m_frame = nullptr;
    CTestChild* m_first = nullptr;
    CTestChild* m_second = nullptr;
};

TEST_F(MdiFrameTest, CommandsGoToTheActiveChildsView)
{
    EXPECT_EQ(m_frame->MDIGetActive(), m_second);
    EXPECT_EQ(m_frame->GetActiveFrame(), m_second);
    m_frame->SendMessage(WM_COMMAND, ID_TEST_ROUTE);
    EXPECT_EQ(m_second->View()->m_routed, 1);
    EXPECT_EQ(m_first->View()->m_routed, 0);

    m_frame->MDIActivate(m_first);
    m_frame->SendMessage(WM_COMMAND, ID_TEST_ROUTE);
    EXPECT_EQ(m_first->View()->m_routed, 1);

    // WM_MDINEXT moves the activation on, and the commands with it.
    m_frame->MDINext();
    EXPECT_EQ(m_frame->MDIGetActive(), m_second);
    m_frame->SendMessage(WM_COMMAND, ID_TEST_ROUTE);
    EXPECT_EQ(m_second->View()->m_routed, 2);
    EXPECT_EQ(m_first->View()->m_routed, 1);

    // A command whose update handler disables it does not run.
    m_frame->SendMessage(WM_COMMAND, ID_TEST_DISABLED);
    EXPECT_EQ(m_second->View()->m_disabledRan, 0);
}

TEST_F(MdiFrameTest, ChildMenuTitleAndLayoutFollowTheActiveChild)
{
    EXPECT_EQ(GetMenu(m_frame->m_hWnd), m_childMenu.m_hMenu);
    CString title;
    m_frame->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Frame Test - Picture"));

    // The MDI client lies between the tool bar above and the two bottom bars.
    RECT tool, status, bar, client;
    m_frame->m_toolBar.GetWindowRect(&tool);
    m_frame->m_statusBar.GetWindowRect(&status);
    m_frame->m_dialogBar.GetWindowRect(&bar);
    GetWindowRect(m_frame->m_hWndMDIClient, &client);
    EXPECT_EQ(client.top, tool.bottom);
    EXPECT_EQ(client.bottom, bar.top);
    EXPECT_EQ(bar.bottom, status.top);
    EXPECT_GT(tool.bottom - tool.top, 10);

    m_frame->ShowControlBar(&m_frame->m_toolBar, FALSE, FALSE);
    GetWindowRect(m_frame->m_hWndMDIClient, &client);
    EXPECT_EQ(client.top, tool.top);

    // With the last child gone the frame's own menu comes back.
    m_first->MDIDestroy();
    m_second->MDIDestroy();
    PumpPending();
    EXPECT_EQ(m_frame->MDIGetActive(), nullptr);
    EXPECT_EQ(GetMenu(m_frame->m_hWnd), m_frame->m_hMenuDefault);
}

TEST_F(MdiFrameTest, MenusAndBarsShowTheCommandStates)
{
    m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(m_childMenu.m_hMenu, 0)), 0);
    EXPECT_FALSE(MenuState(ID_TEST_ROUTE) & MF_GRAYED);
    EXPECT_TRUE(MenuState(ID_TEST_DISABLED) & MF_GRAYED);
    EXPECT_TRUE(MenuState(ID_TEST_CHECKED) & MF_CHECKED);
    EXPECT_TRUE(MenuState(ID_TEST_UNHANDLED) & MF_GRAYED);

    // Idle time updates the bars.
    TestApp().m_pMainWnd = m_frame;
    TestApp().OnIdle(0);
    CToolBar& tools = m_frame->m_toolBar;
    EXPECT_TRUE(tools.SendMessage(TB_ISBUTTONENABLED, ID_TEST_ROUTE));
    EXPECT_FALSE(tools.SendMessage(TB_ISBUTTONENABLED, ID_TEST_DISABLED));
    EXPECT_FALSE(tools.SendMessage(TB_ISBUTTONENABLED, ID_TEST_UNHANDLED));
    EXPECT_TRUE(tools.SendMessage(TB_ISBUTTONCHECKED, ID_TEST_CHECKED));
    EXPECT_FALSE(IsWindowEnabled(m_frame->m_dialogBar.GetDlgItem(ID_TEST_DISABLED)->m_hWnd));
    EXPECT_FALSE(IsWindowEnabled(m_frame->m_dialogBar.GetDlgItem(ID_TEST_UNHANDLED)->m_hWnd));
    EXPECT_TRUE(IsWindowEnabled(m_frame->m_dialogBar.GetDlgItem(ID_TEST_ROUTE)->m_hWnd));
    // A disabled pane shows no text but keeps it.
    wchar_t shown[32] = L"?";
    m_frame->m_statusBar.SendMessage(SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"");
    EXPECT_EQ(m_frame->m_statusBar.GetPaneText(1), CString(L"OFF"));

    // A dialog bar's button reaches the active view through the frame.
    m_frame->m_dialogBar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_ROUTE, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(m_frame->m_dialogBar.GetDlgItem(ID_TEST_ROUTE)->m_hWnd));
    EXPECT_EQ(m_second->View()->m_routed, 1);

    // Menu prompts go to the status bar.
    m_frame->SetMessageText(ID_TEST_PROMPT);
    EXPECT_EQ(m_frame->m_statusBar.GetPaneText(0), CString(L"Does the test thing"));
}

TEST_F(MdiFrameTest, AcceleratorsOfTheFrameAndTheActiveChildFire)
{
    HWND view = m_second->View()->m_hWnd;
    struct Key {
        UINT vk;
        int frame, routed, disabled;
    };
    const Key keys[] = {
        { VK_F5, 1, 0, 0 },   // the frame's table
        { VK_F7, 1, 1, 0 },   // the active child's table, routed to its view
        { VK_F8, 1, 1, 0 },   // disabled by its update handler: nothing runs
    };
    for (const Key& key : keys) {
        PostMessageW(view, WM_KEYDOWN, key.vk, 1);
        PostMessageW(view, WM_KEYUP, key.vk, 0xC0000001);
        PumpUntil([&] { return m_frame->m_accelerated == key.frame && m_second->View()->m_routed == key.routed; }, 2000);
        PumpPending();
        EXPECT_EQ(m_frame->m_accelerated, key.frame) << key.vk;
        EXPECT_EQ(m_second->View()->m_routed, key.routed) << key.vk;
        EXPECT_EQ(m_second->View()->m_disabledRan, key.disabled) << key.vk;
    }
}

TEST(FrameLayout, BarsTakeTheirSidesInOrder)
{
    using appframe::BarPlacement;
    const RECT client = { 0, 0, 400, 300 };
    const BarPlacement bars[] = {
        { CBRS_ALIGN_TOP, { 0, 20 } },
        { CBRS_ALIGN_BOTTOM, { 0, 15 } },
        { CBRS_ALIGN_LEFT, { 30, 0 } },
        { CBRS_ALIGN_TOP, { 0, 500 } },   // more than is left: gets what there is
    };
    const RECT expected[] = { { 0, 0, 400, 20 }, { 0, 285, 400, 300 }, { 0, 20, 30, 285 }, { 30, 20, 400, 285 } };
    RECT rects[4], pane;
    appframe::LayoutBars(client, bars, 4, rects, &pane);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(EqualRect(&rects[i], &expected[i])) << i;
    EXPECT_EQ(pane.top, pane.bottom);
}

TEST(FrameStrings, SubStringsOfACommandString)
{
    EXPECT_EQ(appframe::ExtractSubString(L"Prompt\nTip", 0), CString(L"Prompt"));
    EXPECT_EQ(appframe::ExtractSubString(L"Prompt\nTip", 1), CString(L"Tip"));
    EXPECT_EQ(appframe::ExtractSubString(L"Prompt", 1), CString());
    EXPECT_EQ(appframe::ExtractSubString(L"", 0), CString());
}

TEST(FrameLifetime, AFrameDeletesItselfAndAFailedLoadLeavesNothing)
{
    g_framesDeleted = 0;
    CTestFrame* frame = new CTestFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_MDIFRAME, WS_OVERLAPPEDWINDOW));
    frame->DestroyWindow();
    EXPECT_EQ(g_framesDeleted, 1);

    // A menu name that does not exist fails the creation; the frame is gone all the same.
    CTestFrame* failing = new CTestFrame;
    EXPECT_FALSE(failing->Create(nullptr, L"x", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr, MAKEINTRESOURCEW(9999)));
    EXPECT_EQ(g_framesDeleted, 2);
}

} // namespace
