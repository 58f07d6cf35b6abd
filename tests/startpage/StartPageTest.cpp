// The start page, its menus, skins, tray and hot keys, the options pages and the about box.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "AboutDlg.h"
#include "EditorAppTestSupport.h"
#include "LumivoToolsApp.h"
#include "LumivoToolsIds.h"
#include "MainFrameStartPage.h"
#include "PopupMenu.h"
#include "SheetOption.h"
#include "ShellService.h"
#include "WindowTestApp.h"
#include "ZVUILibApp.h"

namespace {

using editorapp::RegValueGuard;

class CStartPageTestApp : public CWindowTestApp<CLumivoToolsApp> {
public:
    CStartPageTestApp() : CWindowTestApp(L"LumivoToolsTests")
    {
        SetRegistryKey(L"Lumivo");
        InitContextMenuManager();
        RegisterContextMenus();
    }
};
CStartPageTestApp theApp;

// Reads a DWORD at HKCU\key\name; -1 when missing.
long long ReadDword(const wchar_t* key, const wchar_t* name)
{
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, &type, &value, &size) != ERROR_SUCCESS)
        return -1;
    return value;
}

const wchar_t kToolsKey[] = L"Software\\Lumivo\\LumivoTools";
const wchar_t kShowsKey[] = L"Software\\Lumivo\\LumivoShows";
const wchar_t kTestProfileKey[] = L"Software\\Lumivo\\LumivoToolsTests";

// A start page made as the program makes it; the registry values it touches come back after.
class StartPageTest : public testing::Test {
protected:
    void SetUp() override
    {
        theApp.m_nSkin = static_cast<unsigned>(-1);
        theApp.m_capture = CaptureSettings();
        ASSERT_TRUE(theApp.CreateStartPage());
        page = theApp.m_pStartPage;
        page->ShowStartPage(SW_SHOW);
        PumpPending();
    }
    void TearDown() override
    {
        if (theApp.m_pStartPage) {
            theApp.m_pMainWnd = nullptr;   // not the end of the test program
            theApp.m_pStartPage->DestroyWindow();
        }
        PumpPending();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    RegValueGuard toolsSkin{HKEY_CURRENT_USER, kToolsKey, L"Skin"};
    RegValueGuard showsSkin{HKEY_CURRENT_USER, kShowsKey, L"Skin"};
    RegValueGuard newVersion{HKEY_CURRENT_USER, kTestProfileKey, L"NewVersion"};
    CMainFrameStartPage* page = nullptr;
};

TEST_F(StartPageTest, TilesCaptionButtonsAndTitle)
{
    CString title;
    page->GetWindowText(title);
    EXPECT_EQ(std::wstring(title), L"Lumivo Tools 1.4.6");
    CBCGPWinUITiles* tiles = page->GetTileControl().GetWinUITiles();
    const bool tarvex = IsTarvexInstalled();
    ASSERT_EQ(tiles->GetCount(), static_cast<int>(kStartTileCount) - (tarvex ? 1 : 0));
    int at = 0;
    for (size_t i = 0; i < kStartTileCount; ++i) {
        if (!StartTileShown(kStartTiles[i].tile, tarvex))
            continue;
        CBCGPWinUITile* tile = tiles->GetTile(at++);
        EXPECT_EQ(tile, page->GetTile(kStartTiles[i].tile)) << i;
        EXPECT_EQ(tile->GetUserData(), kStartTiles[i].userData) << i;
        EXPECT_EQ(tile->GetGroupID(), kStartTiles[i].group) << i;
        EXPECT_FALSE(tile->GetImage().IsEmpty()) << "picture " << kStartTiles[i].image;
        EXPECT_EQ(tile->GetType(), kStartTiles[i].kind == 0 ? BCGP_TILE_REGULAR : BCGP_TILE_WIDE) << i;
        EXPECT_FALSE(tile->GetRect().IsRectEmpty()) << i;
    }
    EXPECT_EQ(std::wstring(page->GetTile(StartTile::Capture)->GetText()), L"Ctrl+F5");
    EXPECT_EQ(std::wstring(page->GetTile(StartTile::Page)->GetHeader()), L"Page design");

    const UINT buttons[] = {ID_CAPTION_EXIT, ID_CAPTION_HELP, ID_CAPTION_SETTING, ID_CAPTION_SKIN};
    ASSERT_EQ(tiles->GetCaptionButtonCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tiles->GetCaptionButtonID(i), buttons[i]);
        EXPECT_FALSE(tiles->GetCaptionButtonRect(buttons[i]).IsRectEmpty());
    }
    // The first one added sits rightmost.
    EXPECT_GT(tiles->GetCaptionButtonRect(ID_CAPTION_EXIT).left, tiles->GetCaptionButtonRect(ID_CAPTION_SKIN).left);
}

TEST_F(StartPageTest, CaptionButtonMenusOpenTenRightAndFiveUpOfTheButton)
{
    CKQTileUI& control = page->GetTileControl();
    for (const UINT button : {ID_CAPTION_HELP, ID_CAPTION_SETTING, ID_CAPTION_SKIN}) {
        CRect r = control.GetWinUITiles()->GetCaptionButtonRect(button);
        control.ClientToScreen(&r);
        control.ClickCaptionButton(button);
        PumpPending();
        CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu();
        ASSERT_NE(menu, nullptr) << button;
        CRect shown;
        menu->GetWindowRect(&shown);
        EXPECT_EQ(shown.left, r.left + 10) << button;
        EXPECT_EQ(shown.top, r.bottom - 5) << button;
        menu->CloseMenu();
        PumpPending();
    }
}

TEST_F(StartPageTest, EachSkinWritesTheEditorsValueAndItsBackground)
{
    // A fresh machine where only the browser's value exists: the editor's own is written.
    ASSERT_TRUE(toolsSkin.Set(REG_DWORD, nullptr, 0));
    const DWORD browser = 4;
    ASSERT_TRUE(showsSkin.Set(REG_DWORD, &browser, sizeof browser));
    const struct {
        UINT command;
        unsigned skin;
        const wchar_t* file;
    } cases[] = {
        {ID_SKIN_WHITE, 0, L"BKWhite.webp"}, {ID_SKIN_PINK, 2, L"BKPink.webp"},     {ID_SKIN_YELLOW, 3, L"BKYellow.webp"},
        {ID_SKIN_GREEN, 4, L"BKGreen.webp"}, {ID_SKIN_BLUE, 5, L"BKBlue.webp"},     {ID_SKIN_PURPLE, 6, L"BKPurple.webp"},
        {ID_SKIN_BLACK, 1, L"BKBlack.webp"},
    };
    for (const auto& c : cases) {
        page->SendMessage(WM_COMMAND, c.command);
        EXPECT_EQ(theApp.m_nSkin, c.skin);
        EXPECT_EQ(ReadDword(kToolsKey, L"Skin"), c.skin);
        const std::wstring background(page->m_strBackground);
        EXPECT_EQ(background.substr(background.size() - wcslen(c.file)), c.file);
        for (const auto& other : cases) {
            // Only the current skin's menu item is checked.
            CCmdUI state;
            state.m_nID = other.command;
            struct Probe : CCmdUI {
                int checked = -1;
                void SetCheck(int nCheck) override { checked = nCheck; }
            } probe;
            probe.m_nID = other.command;
            probe.DoUpdate(&theApp, FALSE);
            EXPECT_EQ(probe.checked, other.skin == c.skin ? 1 : 0) << c.skin << " " << other.skin;
        }
    }
    EXPECT_EQ(ReadDword(kShowsKey, L"Skin"), 4) << "the browser's value is the browser's";

    // The same skin again writes nothing.
    const DWORD marker = 77;
    ASSERT_TRUE(toolsSkin.Set(REG_DWORD, &marker, sizeof marker));
    theApp.SetSkin(1);
    EXPECT_EQ(ReadDword(kToolsKey, L"Skin"), 77);
}

TEST_F(StartPageTest, NewVersionMessageAddsTheTileOnceWithABadge)
{
    ASSERT_EQ(page->GetTile(StartTile::NewVersion), nullptr);
    const int before = page->GetTileControl().GetWinUITiles()->GetCount();
    page->SendMessage(WM_NEW_VERSION_FOUND);
    page->SendMessage(WM_NEW_VERSION_FOUND);
    CKQWinTile* tile = page->GetTile(StartTile::NewVersion);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(page->GetTileControl().GetWinUITiles()->GetCount(), before + 1);
    EXPECT_EQ(tile->GetBadgeNumber(), 1);
    EXPECT_EQ(tile->GetUserData(), 13u);
    wchar_t stored[64] = {};
    DWORD size = sizeof stored;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kTestProfileKey, L"NewVersion", RRF_RT_REG_SZ, nullptr, stored, &size), ERROR_SUCCESS);
}

TEST_F(StartPageTest, AStoredNewerVersionShowsTheTileAtOnce)
{
    TearDown();
    const wchar_t newer[] = L"9.0.0";
    ASSERT_TRUE(newVersion.Set(REG_SZ, newer, sizeof newer));
    SetUp();
    ASSERT_NE(page->GetTile(StartTile::NewVersion), nullptr);
    EXPECT_EQ(page->GetTile(StartTile::NewVersion)->GetBadgeNumber(), 1);
}

TEST_F(StartPageTest, AnimatedTilesMoveOnEverySecondTick)
{
    ASSERT_EQ(page->GetAnimationFrame(StartTile::Page), 0);
    page->SendMessage(WM_TIMER, CMainFrameStartPage::kAnimationTimer);
    EXPECT_EQ(page->GetAnimationFrame(StartTile::Page), 0);
    page->SendMessage(WM_TIMER, CMainFrameStartPage::kAnimationTimer);
    EXPECT_EQ(page->GetAnimationFrame(StartTile::Page), 1);
    EXPECT_EQ(page->GetAnimationFrame(StartTile::Browse), 1);
    EXPECT_EQ(page->GetAnimationFrame(StartTile::Editor), 0) << "a still tile";
    // Two frames: back to the first.
    page->SendMessage(WM_TIMER, CMainFrameStartPage::kAnimationTimer);
    page->SendMessage(WM_TIMER, CMainFrameStartPage::kAnimationTimer);
    EXPECT_EQ(page->GetAnimationFrame(StartTile::Page), 0);
}

TEST_F(StartPageTest, TrayCallbackAndTaskbarRestart)
{
    page->ShowStartPage(SW_HIDE);
    page->SendMessage(WM_TRAY_CALLBACK, 0, WM_LBUTTONUP);
    EXPECT_TRUE(page->IsWindowVisible());
    EXPECT_TRUE(page->m_bShown);
    if (page->HasTrayIcon()) {
        // A restarted task bar gets the icon again.
        page->SendMessage(static_cast<UINT>(page->m_nTaskbarCreatedMsg));
        EXPECT_TRUE(page->HasTrayIcon());
    }
}

TEST_F(StartPageTest, CloseHidesWithATrayIcon)
{
    if (!page->HasTrayIcon())
        GTEST_SKIP() << "no notification area here";
    page->SendMessage(WM_CLOSE);
    ASSERT_NE(theApp.m_pStartPage, nullptr);
    EXPECT_FALSE(page->IsWindowVisible());
    EXPECT_FALSE(page->m_bShown);
}

// A mode frame that keeps itself open when asked to close, as one with unsaved work whose user
// says Cancel.
class CStubbornFrame : public CFrameWnd {
public:
    bool keepOpen = true;
    int closes = 0;
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLOSE) {
            ++closes;
            if (keepOpen)
                return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(StartPageTest, QuitAsksEveryModeFrameFirstAndOneThatStaysCancels)
{
    auto* frame = new CStubbornFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Mode", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    ASSERT_EQ(theApp.GetModeFrames().size(), 1u);
    page->SendMessage(WM_START_PAGE_QUIT);
    EXPECT_EQ(frame->closes, 1);
    EXPECT_NE(theApp.m_pStartPage, nullptr) << "the quit was cancelled";
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));

    frame->keepOpen = false;
    page->SendMessage(WM_START_PAGE_QUIT);
    EXPECT_EQ(theApp.m_pStartPage, nullptr);
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// The visible dialog windows of this thread (the options sheet while it runs).
HWND FindThreadDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM lp) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(hwnd, cls, 32);
        if (IsWindowVisible(hwnd) && wcscmp(cls, L"#32770") == 0) {
            *reinterpret_cast<HWND*>(lp) = hwnd;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(StartPageTest, TheOptionsSheetRunsWithTheHotKeysFreeAndTakesTheNewOnesAfter)
{
    static bool s_oldKeyFree, s_sheetSeen;
    s_oldKeyFree = s_sheetSeen = false;
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND sheet = FindThreadDialog();
        s_sheetSeen = sheet != nullptr;
        s_oldKeyFree = RegisterHotKey(nullptr, 0x7010, MOD_CONTROL, VK_F5) != FALSE;
        UnregisterHotKey(nullptr, 0x7010);
        // As the capture page stores Shift+F7.
        theApp.m_capture.Hotkey = 0x10076;
        if (sheet)
            PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    });
    page->SendMessage(WM_COMMAND, ID_OPTION);
    EXPECT_TRUE(s_sheetSeen);
    EXPECT_TRUE(s_oldKeyFree) << "the keys are let go while the sheet runs";
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x7011, MOD_SHIFT, VK_F7)) << "the new key is the page's again, with Shift";
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x7012, MOD_CONTROL, VK_F5)) << "the old key stays free";
    UnregisterHotKey(nullptr, 0x7012);
    EXPECT_EQ(std::wstring(page->GetTile(StartTile::Capture)->GetText()), L"Shift+F7");
}

TEST_F(StartPageTest, ChineseRetitlesTilesAndMenus)
{
    ASSERT_TRUE(LoadLanguageFile((std::wstring(CZVUILibApp::GetLanguageFolder().GetString()) + L"Simplified Chinese.txt").c_str()));
    page->SetTileTexts();
    EXPECT_EQ(std::wstring(page->GetTile(StartTile::Editor)->GetHeader()), L"编辑器");
    wchar_t text[64] = {};
    GetMenuStringW(page->GetPopupMenu(IDR_MENU_SKIN), ID_SKIN_BLACK, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"黑色");
    CString title;
    page->GetWindowText(title);
    EXPECT_EQ(std::wstring(title), L"Lumivo 图片工具 1.4.6");
    LoadCurrentLanguage();
    page->SetTileTexts();
}

// A browser that "runs" until the test lets it end: an event stands for its process.
class CFakeBrowserShell : public zvui::ShellService {
public:
    int FileOperation(SHFILEOPSTRUCTW&) override { return 1; }
    bool BrowseForFolder(HWND, const wchar_t*, UINT, const std::wstring&, std::wstring&) override { return false; }
    bool ConnectedState(DWORD&) override { return false; }
    win32::KernelHandle StartProgram(const wchar_t* program, const wchar_t* parameters, const wchar_t*, int) override
    {
        started = program ? program : L"";
        arguments = parameters ? parameters : L"";
        return win32::KernelHandle(CreateEventW(nullptr, TRUE, FALSE, running.c_str()));
    }
    std::wstring started, arguments;
    std::wstring running = L"StartPageTest.Browser";
};

TEST_F(StartPageTest, BrowseTilesRunTheBrowserWhileThePageHides)
{
    CFakeBrowserShell shell;
    zvui::ShellService* before = zvui::SetShellService(&shell);
    const struct {
        StartTile tile;
        const wchar_t* arguments;
    } cases[] = {{StartTile::Browse, L""}, {StartTile::Batch, L"/batch"}};
    for (const auto& c : cases) {
        // While the browser runs: the page is hidden and still answers; then the browser quits.
        static CMainFrameStartPage* s_page;
        static bool s_hiddenWhileRunning, s_answered;
        s_page = page;
        s_hiddenWhileRunning = s_answered = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            s_hiddenWhileRunning = !s_page->IsWindowVisible();
            s_answered = s_page->SendMessage(WM_GETTEXTLENGTH) > 0;
            HANDLE browser = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"StartPageTest.Browser");
            SetEvent(browser);
            CloseHandle(browser);
        });
        ASSERT_NE(timer, 0u);
        page->GetTileControl().ClickTile(page->GetTile(c.tile));
        EXPECT_TRUE(s_hiddenWhileRunning);
        EXPECT_TRUE(s_answered);
        EXPECT_TRUE(page->IsWindowVisible()) << "back when the browser ends";
        EXPECT_EQ(shell.started.substr(shell.started.size() - 16), L"\\LumivoShows.exe");
        EXPECT_EQ(shell.arguments, c.arguments);
    }
    zvui::SetShellService(before);
}

// The options pages without their sheet: what they read and write.
TEST(OptionPages, GeneralPageReadsAndWritesTheRunValue)
{
    RegValueGuard run(HKEY_CURRENT_USER, kRunKey, kRunValueName);
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring own = L"\"" + std::wstring(program) + L"\" /start";
    const std::wstring other = std::wstring(program) + L" /start";
    auto set = [&](const std::wstring& text) { return run.Set(REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t))); };
    auto stored = [] { return std::wstring(ReadAutoStartValue().GetString()); };

    const struct {
        const wchar_t* name;
        const std::wstring* value;   // null: none stored
        int checkedAfterLoad;
        int checkBeforeSave;
        bool resetting;
        const std::wstring* after;   // null: none
    } cases[] = {
        {L"own value, kept", &own, 1, 1, false, &own},
        {L"other quoting, untouched", &other, 0, 0, false, &other},
        {L"other quoting, toggled on", &other, 0, 1, false, &own},
        {L"own value, toggled off", &own, 1, 0, false, nullptr},
        {L"none, checked", nullptr, 0, 1, false, &own},
        {L"reset writes though checked already", &own, 1, 1, true, &own},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.value ? set(*c.value) : run.Set(REG_SZ, nullptr, 0)) << c.name;
        CPageGeneral general;
        general.LoadSetting();
        EXPECT_EQ(general.m_bAutoStart, c.checkedAfterLoad) << c.name;
        if (c.resetting) {
            // The reset must write even a value that is right: make it wrong behind the page.
            ASSERT_TRUE(set(other));
            general.m_bResetting = true;
            theApp.m_bAutoStart = true;
            general.LoadSetting();
        }
        general.m_bAutoStart = c.checkBeforeSave;
        general.SaveSetting();
        EXPECT_EQ(stored(), c.after ? *c.after : std::wstring()) << c.name;
    }
    SetKQFolder(nullptr, KQ_FOLDER_USERDATA);
}

TEST(OptionPages, CapturePageStoresControlWordsAsHotKeyValues)
{
    RegValueGuard hotkey(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoToolsTests\\Capture", L"Hotkey");
    RegValueGuard saveHotkey(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoToolsTests\\Capture", L"SaveHotkey");
    RegValueGuard autoSave(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoToolsTests\\Capture", L"AutoSave");
    RegValueGuard folder(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoToolsTests\\Capture", L"SaveFolder");
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Options", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
    CPageCapture capture;
    ASSERT_TRUE(capture.m_hotkeyRun.Create(WS_CHILD, CRect(0, 0, 100, 20), &parent, 1));
    ASSERT_TRUE(capture.m_hotkeySave.Create(WS_CHILD, CRect(0, 30, 100, 50), &parent, 2));
    theApp.m_capture = CaptureSettings();
    capture.LoadSetting();
    EXPECT_EQ(capture.m_hotkeyRun.GetHotKey(), MAKEWORD(VK_F5, HOTKEYF_CONTROL));
    EXPECT_EQ(capture.m_hotkeySave.GetHotKey(), MAKEWORD(VK_F6, HOTKEYF_CONTROL));
    capture.m_hotkeyRun.SetHotKey(VK_F7, HOTKEYF_SHIFT);
    capture.m_bAutoSave = 0;
    capture.SaveSetting();
    EXPECT_EQ(theApp.m_capture.Hotkey, 0x10076u);
    EXPECT_EQ(ReadDword(L"Software\\Lumivo\\LumivoToolsTests\\Capture", L"Hotkey"), 0x10076);
    EXPECT_EQ(ReadDword(L"Software\\Lumivo\\LumivoToolsTests\\Capture", L"SaveHotkey"), 0x20075);
    EXPECT_EQ(ReadDword(L"Software\\Lumivo\\LumivoToolsTests\\Capture", L"AutoSave"), 0);
    parent.DestroyWindow();
    theApp.m_capture = CaptureSettings();
}

TEST(AboutBox, ShowsNameVersionAndTranslatedTitle)
{
    CAboutDlg about;
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX));
    CString text, title, ok;
    about.GetDlgItemText(IDC_ABOUT_TEXT, text);
    about.GetWindowText(title);
    about.GetDlgItemText(IDOK, ok);
    EXPECT_EQ(std::wstring(text), L"Lumivo Tools Version 1.4.6");
    EXPECT_EQ(std::wstring(title), L"About");
    EXPECT_EQ(std::wstring(ok), L"OK");
    about.DestroyWindow();
}

} // namespace
