// The application object: profile values in the registry, the message loop with its idle
// time, and the end of the program when the main window goes.
#include <gtest/gtest.h>
#include <vector>
#include "TestApp.h"

namespace {

const wchar_t kRegistryKey[] = L"AppFrameTests";
const wchar_t kKeyPath[] = L"Software\\AppFrameTests";

class ProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath);
        TestApp().SetRegistryKey(kRegistryKey);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath); }
};

} // namespace

TEST_F(ProfileTest, ValuesRoundTripUnderTheApplicationsKey)
{
    CWinApp& app = TestApp();
    EXPECT_STREQ(app.m_pszProfileName, L"AppFrameTests");
    EXPECT_EQ(app.GetProfileInt(L"Window", L"Width", 640), 640u);
    EXPECT_EQ(app.GetProfileString(L"Window", L"Title", L"none"), L"none");

    EXPECT_TRUE(app.WriteProfileInt(L"Window", L"Width", 1024));
    EXPECT_TRUE(app.WriteProfileInt(L"Window", L"Offset", -5));
    EXPECT_TRUE(app.WriteProfileString(L"Window", L"Title", L"Caf\x00e9 \x4e2d"));
    BYTE placement[] = { 1, 0, 2, 255 };
    EXPECT_TRUE(app.WriteProfileBinary(L"Window", L"Placement", placement, sizeof placement));

    EXPECT_EQ(app.GetProfileInt(L"Window", L"Width", 0), 1024u);
    EXPECT_EQ(static_cast<int>(app.GetProfileInt(L"Window", L"Offset", 0)), -5);
    EXPECT_EQ(app.GetProfileString(L"Window", L"Title"), L"Caf\x00e9 \x4e2d");
    LPBYTE data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app.GetProfileBinary(L"Window", L"Placement", &data, &bytes));
    EXPECT_EQ(bytes, sizeof placement);
    EXPECT_EQ(memcmp(data, placement, sizeof placement), 0);
    delete[] data;

    // Where they live: HKCU\Software\<registry key>\<profile name>\<section>.
    DWORD width = 0, size = sizeof width;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\AppFrameTests\\AppFrameTests\\Window", L"Width", RRF_RT_REG_DWORD,
                           nullptr, &width, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(width, 1024u);

    // A null value deletes the entry, a null entry the section.
    EXPECT_TRUE(app.WriteProfileString(L"Window", L"Title", nullptr));
    EXPECT_EQ(app.GetProfileString(L"Window", L"Title", L"gone"), L"gone");
    EXPECT_TRUE(app.WriteProfileString(L"Window", nullptr, nullptr));
    EXPECT_EQ(app.GetProfileInt(L"Window", L"Width", 7), 7u);
}

TEST_F(ProfileTest, StringsStoredWithoutTerminatorReadSafely)
{
    HKEY section = TestApp().GetSectionKey(L"Raw");
    ASSERT_NE(section, nullptr);
    const wchar_t text[] = { L'a', L'b', L'c' };
    ASSERT_EQ(RegSetValueExW(section, L"Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(section, L"OddSize", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"xyz"), 5), ERROR_SUCCESS);
    const DWORD number = 9;
    ASSERT_EQ(RegSetValueExW(section, L"NotText", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number), ERROR_SUCCESS);
    RegCloseKey(section);
    EXPECT_EQ(TestApp().GetProfileString(L"Raw", L"Unterminated"), L"abc");
    EXPECT_EQ(TestApp().GetProfileString(L"Raw", L"OddSize"), L"xy");
    EXPECT_EQ(TestApp().GetProfileString(L"Raw", L"NotText", L"default"), L"default");
}

TEST(WinApp, WithoutARegistryKeyTheProfileGivesDefaults)
{
    // A second application object of the program: the module keeps its first one.
    CWinApp other(L"Other");
    EXPECT_EQ(AfxGetApp(), &TestApp());
    EXPECT_EQ(other.GetProfileInt(L"Section", L"Entry", 3), 3u);
    EXPECT_FALSE(other.WriteProfileInt(L"Section", L"Entry", 4));
    EXPECT_EQ(other.GetProfileString(L"Section", L"Entry", L"d"), L"d");
}

namespace {

class CLoopApp : public CWinApp {
public:
    BOOL OnIdle(LONG lCount) override
    {
        m_idle.push_back(lCount);
        // The first idle time after the thread message: end the loop with code 3.
        if (m_threadMessages == 1 && lCount == 1 && m_idle.size() < 10)
            PostQuitMessage(3);
        return CWinApp::OnIdle(lCount);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 9)
            ++m_threadMessages;
        return CWinApp::PreTranslateMessage(pMsg);
    }
    std::vector<LONG> m_idle;
    int m_threadMessages = 0;
};

} // namespace

TEST(WinApp, RunPumpsMessagesAndIdlesUntilQuit)
{
    CLoopApp loop;
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 9, 0, 0);
    EXPECT_EQ(loop.Run(), 3);
    EXPECT_EQ(loop.m_threadMessages, 1);
    ASSERT_GE(loop.m_idle.size(), 2u);
    EXPECT_EQ(loop.m_idle[loop.m_idle.size() - 2], 0);
    EXPECT_EQ(loop.m_idle.back(), 1);
}

TEST(WinApp, DestroyingTheMainWindowEndsTheLoop)
{
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    TestApp().m_pMainWnd = &main;
    EXPECT_EQ(AfxGetMainWnd(), &main);
    main.DestroyWindow();
    EXPECT_EQ(TestApp().m_pMainWnd, nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

namespace {

class CEnableRecorder : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_enabled.push_back(bOn != FALSE); }
    std::vector<bool> m_enabled;
};

} // namespace

TEST(WinApp, ExitIsAvailableAndClosesTheMainWindow)
{
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    const HWND hwnd = main.m_hWnd;
    TestApp().m_pMainWnd = &main;

    // A menu item with no update handler stays enabled only when some target handles it.
    CEnableRecorder ui;
    ui.m_nID = ID_APP_EXIT;
    ui.DoUpdate(&TestApp(), TRUE);
    EXPECT_TRUE(ui.m_enabled.empty() || ui.m_enabled.back());

    EXPECT_TRUE(TestApp().OnCmdMsg(ID_APP_EXIT, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(TestApp().m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
