// The browser's main frame in a real window, driven by its messages: class, title, batch
// progress and notes, the editor's hand-back, and what closing writes.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "BoxAnswer.h"
#include "EditorAppTestSupport.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "KQPPopupWindow.h"
#include "MainFrame.h"
#include "ShowsSettings.h"
#include "TestSupport.h"
#include "WindowTestApp.h"
#include "ZVUILibApp.h"

namespace {

using testsupport::TempFolder;

const wchar_t kProfileKey[] = L"Software\\Lumivo\\LumivoShowsTests";

class CShowsTestApp : public CWindowTestApp<CLumivoShowsApp> {
public:
    CShowsTestApp() : CWindowTestApp(L"LumivoShowsTests") {}
};
CShowsTestApp theApp;

bool HasValue(const wchar_t* section, const wchar_t* name)
{
    std::wstring key = kProfileKey;
    if (*section)
        key += std::wstring(L"\\") + section;
    return ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

DWORD ReadNumber(const wchar_t* name, DWORD fallback)
{
    DWORD value = fallback;
    DWORD size = sizeof value;
    ::RegGetValueW(HKEY_CURRENT_USER, kProfileKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::wstring ReadText(const wchar_t* name)
{
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(HKEY_CURRENT_USER, kProfileKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::wstring();
    return text;
}

// A frame made as the program makes it, on a folder of two pictures of its own, with a fresh
// profile; the skin values it may touch come back after.
class FrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        ASSERT_TRUE(TempFolder::Put(temp.At(L"a.bmp"), std::string(Bitmap())));
        ASSERT_TRUE(TempFolder::Put(temp.At(L"b.bmp"), std::string(Bitmap())));
        ASSERT_TRUE(theApp.Prepare((L"\"" + temp.Root() + L"\"").c_str()));
        ASSERT_TRUE(theApp.CreateMainFrame());
        frame = theApp.m_pMainFrame;
        frame->ShowWindow(SW_SHOWNORMAL);
        ASSERT_TRUE(PumpUntil([&] { return frame->m_wndList.GetItemCount() == 2; }));
        PumpPending();
    }
    void TearDown() override
    {
        if (frame && ::IsWindow(frameWnd()))
            Close();
        theApp.m_nSkin = static_cast<unsigned>(-1);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    }
    HWND frameWnd() const { return m_hwnd ? m_hwnd : (m_hwnd = frame->GetSafeHwnd()); }
    // Closes the frame as the user does, without ending the test program.
    void Close(UINT message = WM_CLOSE)
    {
        const HWND hwnd = frameWnd();
        theApp.m_pMainWnd = nullptr;
        ::SendMessageW(hwnd, message, 0, 0);
        PumpPending();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        if (!::IsWindow(hwnd)) {
            theApp.m_pMainFrame = nullptr;
            frame = nullptr;
        }
    }
    static std::string Bitmap()
    {
        // A 2 x 2 24-bit bitmap.
        BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
        BITMAPINFOHEADER info = {sizeof info, 2, 2, 1, 24, BI_RGB, 16, 0, 0, 0, 0};
        file.bfSize = file.bfOffBits + 16;
        std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
        bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
        bytes.append(16, '\x80');
        return bytes;
    }
    // The frame stores the skin it starts with at the fixed paths shared with the user's programs.
    editorapp::RegValueGuard editorSkin{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", L"Skin"};
    editorapp::RegValueGuard browserSkin{HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoShows", L"Skin"};
    TempFolder temp;
    CMainFrame* frame = nullptr;
    mutable HWND m_hwnd = nullptr;
};

TEST_F(FrameTest, ClassTitleAndFolderInformation)
{
    wchar_t name[64] = {};
    ::GetClassNameW(frameWnd(), name, 64);
    EXPECT_STREQ(name, L"LumivoMainFrame");
    EXPECT_EQ(::FindWindowW(L"LumivoMainFrame", nullptr) != nullptr, true);
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(std::wstring(title), L"Lumivo Shows 1.4.6");
    ASSERT_TRUE(PumpUntil([&] { return std::wstring(frame->m_pFolderInfo->GetText()).find(L"2 File , 0 Folder , Total Size") == 0; }))
        << std::wstring(frame->m_pFolderInfo->GetText());
    EXPECT_TRUE(frame->m_pIconSize->IsVisible());
    EXPECT_TRUE(frame->m_pSort->IsVisible());
    EXPECT_FALSE(frame->m_pProgress->IsVisible());
    EXPECT_FALSE(frame->m_pCancel->IsVisible());
}

TEST_F(FrameTest, BatchProgressShowsMovesAndHidesTheBarWithOneNote)
{
    const int notes = frame->m_nNotesShown;
    frame->SendMessage(WM_SHOWS_BATCH_PROGRESS, 0);
    EXPECT_TRUE(frame->m_pProgress->IsVisible());
    EXPECT_TRUE(frame->m_pCancel->IsVisible());
    EXPECT_STREQ(frame->m_pProgress->GetText(), L"0%");
    EXPECT_EQ(frame->m_nNotesShown, notes + 1);
    frame->SendMessage(WM_SHOWS_BATCH_PROGRESS, 50);
    EXPECT_EQ(frame->m_pProgress->GetPos(), 50);
    EXPECT_STREQ(frame->m_pProgress->GetText(), L"50%");
    EXPECT_EQ(frame->m_nNotesShown, notes + 1) << "a second note for a moving bar";
    frame->SendMessage(WM_SHOWS_BATCH_PROGRESS, static_cast<WPARAM>(-1));
    EXPECT_FALSE(frame->m_pProgress->IsVisible());
    EXPECT_FALSE(frame->m_pCancel->IsVisible());
    frame->SendMessage(WM_SHOWS_NOTE, 0, reinterpret_cast<LPARAM>(L"Batch task finished"));
    EXPECT_EQ(frame->m_nNotesShown, notes + 2);
    CloseAllPopupWnd();
}

TEST_F(FrameTest, EditorEndedWithoutAHandOverChangesNothing)
{
    const int count = frame->m_wndList.GetItemCount();
    frame->SendMessage(WM_SHOWS_EDITOR_ENDED);
    PumpPending();
    EXPECT_EQ(frame->m_wndList.GetItemCount(), count);
    EXPECT_TRUE(::IsWindow(frameWnd()));
    // A handed-over picture that is no longer listed is not looked up by a stale index.
    frame->m_wndList.SetHandedOver(temp.At(L"gone.bmp").c_str());
    EXPECT_FALSE(frame->m_wndList.ReloadHandedOver());
    frame->m_wndList.SetHandedOver(temp.At(L"b.bmp").c_str());
    EXPECT_EQ(frame->m_wndList.FindItemByPath(temp.At(L"b.bmp").c_str()) >= 0, true);
}

TEST_F(FrameTest, ClosingWhileMaximizedWritesShowMaxOnly)
{
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    PumpPending();
    Close();
    ASSERT_EQ(frame, nullptr) << "the frame stayed open";
    EXPECT_TRUE(HasValue(L"", L"ShowMax"));
    EXPECT_FALSE(HasValue(L"", L"MainFrameWidth"));
    EXPECT_FALSE(HasValue(L"", L"MainFrameHeight"));
}

// The program's quit message ends it through the close: the settings are written as on Exit.
TEST_F(FrameTest, QuitMessageWritesTheSettings)
{
    Close(WM_SHOWS_EXIT);
    ASSERT_EQ(frame, nullptr) << "the frame stayed open";
    EXPECT_TRUE(HasValue(L"", L"MainFrameWidth"));
    EXPECT_TRUE(HasValue(L"", L"MainFrameHeight"));
    EXPECT_EQ(ReadText(L"LastViewPath"), temp.Root());
    EXPECT_FALSE(HasValue(L"", L"ShowMax")) << "unchanged, yet written";
}

TEST_F(FrameTest, ClosingDuringABatchAsksFirst)
{
    // A run that lasts until it is stopped.
    CPictureListView& list = frame->m_wndList;
    list.SetItemState(0, KQLS_SELECTED, 0);
    ASSERT_TRUE(list.StartBatchTask([&list](int, const wchar_t*) {
        while (!list.IsBatchStopping())
            ::Sleep(5);
        return BatchItemResult();
    }));
    ASSERT_TRUE(frame->m_wndList.IsBatchRunning());
    g_answer = {IDNO, false, false};
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerTimer);
    Close();
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_answer.answered);
    ASSERT_NE(frame, nullptr) << "No closed the frame";
    EXPECT_TRUE(frame->m_wndList.IsBatchRunning());
    theApp.m_pMainWnd = frame;

    g_answer = {IDYES, false, false};
    timer = ::SetTimer(nullptr, 0, 50, AnswerTimer);
    Close();
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_answer.answered);
    EXPECT_EQ(frame, nullptr) << "Yes kept the frame";
}

// The two 70-byte pictures are small files: the filter hides both, and a second click brings
// them back; the choice is stored.
TEST_F(FrameTest, SmallFileFilterReadsTheFolderAgain)
{
    EXPECT_FALSE(frame->m_wndList.m_bMinSize) << "the filter is off on a first start";
    frame->SendMessage(WM_COMMAND, ID_STATUS_SMALL_FILTER);
    EXPECT_TRUE(PumpUntil([&] { return frame->m_wndList.GetItemCount() == 0 && !frame->m_wndList.IsScanning(); }))
        << frame->m_wndList.GetItemCount();
    EXPECT_EQ(ReadNumber(L"SmallFileFilter", 7), 1u);
    frame->SendMessage(WM_COMMAND, ID_STATUS_SMALL_FILTER);
    EXPECT_TRUE(PumpUntil([&] { return frame->m_wndList.GetItemCount() == 2; }));
    EXPECT_EQ(ReadNumber(L"SmallFileFilter", 7), 0u);
    frame->SendMessage(WM_COMMAND, ID_STATUS_LOAD_ANI);
    EXPECT_EQ(frame->m_wndList.m_nAnimate, 0);
    EXPECT_EQ(ReadNumber(L"LoadAni", 7), 0u);
}

// The list starts with its stored display settings and writes them when it goes, only after a
// display command changed them.
TEST_F(FrameTest, DisplaySettingsComeFromTheProfileAndGoBackOnlyWhenChanged)
{
    const ListDisplaySettings first = frame->m_wndList.CurrentDisplaySettings();
    EXPECT_EQ(first, DefaultListDisplay(false, ::GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(frame->m_wndList.m_nIconSize, DefaultIconSize(::GetSystemMetrics(SM_CXSCREEN)));
    Close();
    ASSERT_EQ(frame, nullptr);
    EXPECT_FALSE(HasValue(L"", L"IconSize")) << "unchanged settings were written";

    theApp.WriteProfileInt(L"", L"IconSize", 4);
    theApp.WriteProfileInt(L"", L"ShowFileDate", 1);
    theApp.WriteProfileInt(L"", L"IconAspect", 1);
    theApp.WriteProfileInt(L"", L"Online_IconSize", 2);
    ASSERT_TRUE(theApp.CreateMainFrame());
    frame = theApp.m_pMainFrame;
    m_hwnd = nullptr;
    CPictureListView& list = frame->m_wndList;
    EXPECT_EQ(list.m_nIconSize, 4);
    EXPECT_TRUE(list.m_bShowDate);
    EXPECT_EQ(list.m_nFitMode, 1);
    EXPECT_EQ(list.m_onlineDisplay.iconSize, 2);
    EXPECT_FALSE(list.m_onlineDisplay.showName);

    ListDisplaySettings changed = list.CurrentDisplaySettings();
    changed.iconSize = 1;
    changed.showSize = true;
    changed.sortType = KQ_LIST_SORT_SIZE;
    list.ApplyDisplaySettings(changed, true);
    list.SetDisplaySettingsChanged();
    Close();
    ASSERT_EQ(frame, nullptr);
    EXPECT_EQ(ReadNumber(L"IconSize", 7), 1u);
    EXPECT_EQ(ReadNumber(L"ShowFileSize", 7), 1u);
    EXPECT_EQ(ReadNumber(L"Online_IconSize", 7), 2u);
    EXPECT_EQ(ReadNumber(L"Online_ShowFileName", 7), 0u);
    EXPECT_FALSE(HasValue(L"", L"IconSortType")) << "the sort key is not kept";
    gKQListView_SortType = KQ_LIST_SORT_NONE;
}

// Stored display values outside the menus' choices fall back; the online set has its own
// defaults.
TEST(ListDisplay, StoredValuesTable)
{
    theApp.SetRegistryKey(L"Lumivo"); // as the start-up does, when this test runs alone
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    const struct {
        const wchar_t* name;
        int stored;
        bool online;
        int iconSize, aspect;
    } cases[] = {
        {L"IconSize", 3, false, 3, 0},
        {L"IconSize", 9, false, DefaultIconSize(1920), 0},
        {L"IconSize", -1, false, DefaultIconSize(1920), 0},
        {L"IconAspect", 5, false, DefaultIconSize(1920), 0},
        {L"Online_IconSize", 2, true, 2, 1},
        {L"Online_IconAspect", 0, true, 4, 0},
    };
    for (const auto& c : cases) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        theApp.WriteProfileInt(L"", c.name, c.stored);
        const ListDisplaySettings s = ReadListDisplay(theApp, c.online, 1920);
        EXPECT_EQ(s.iconSize, c.iconSize) << c.name << " " << c.stored;
        EXPECT_EQ(s.aspect, c.aspect) << c.name << " " << c.stored;
        EXPECT_EQ(s.showName, !c.online) << c.name;
        EXPECT_EQ(s.sortType, KQ_LIST_SORT_NONE);
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
}

// The skin's colours reach the list: light text on Black, dark text on the others.
TEST_F(FrameTest, SkinColoursReachTheList)
{
    const struct {
        unsigned skin;
        COLORREF text;
    } cases[] = {{3, RGB(50, 50, 50)}, {1, RGB(200, 200, 200)}, {0, RGB(50, 50, 50)}};
    for (const auto& c : cases) {
        theApp.SetSkin(c.skin);
        EXPECT_EQ(frame->m_wndList.m_clrText, c.text) << c.skin;
        EXPECT_EQ(frame->m_wndList.m_clrBackground, globalData.clrWindow) << c.skin;
        if (c.skin == 1)
            EXPECT_EQ(frame->m_wndList.m_clrBackground, RGB(50, 50, 50)) << "Black's list is dark";
    }
}

// A picture named on the command line opens its folder with the picture selected.
TEST_F(FrameTest, APictureArgumentOpensItsFolderWithThePictureSelected)
{
    Close();
    ASSERT_EQ(frame, nullptr);
    ASSERT_TRUE(theApp.Prepare((L"\"" + temp.At(L"b.bmp") + L"\"").c_str()));
    EXPECT_TRUE(theApp.m_bViewerOnly);
    ASSERT_TRUE(theApp.CreateMainFrame());
    frame = theApp.m_pMainFrame;
    m_hwnd = nullptr;
    frame->ShowWindow(SW_SHOWNORMAL);
    CPictureListView& list = frame->m_wndList;
    auto selected = [&](const wchar_t* name) {
        const int index = list.FindItemByPath(temp.At(name).c_str());
        return index >= 0 && (list.GetItemState(index) & KQLS_SELECTED) != 0;
    };
    EXPECT_TRUE(PumpUntil([&] { return selected(L"b.bmp"); }));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_FALSE(selected(L"a.bmp"));
    theApp.m_bViewerOnly = false;
}

// The frame's pop-up menus carry the logo band at their left, with the items beside it.
TEST_F(FrameTest, PopupMenusCarryTheLogo)
{
    ASSERT_TRUE(frame->m_menuLogo.IsValid());
    frame->SendMessage(WM_COMMAND, ID_CAPTION_MENU);
    CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetLogoWidth(), frame->m_menuLogo.GetImageSize().cx);
    EXPECT_GE(menu->GetItemRect(0).left, menu->GetLogoWidth());
    EXPECT_EQ(menu->GetMenuItemID(0), static_cast<UINT>(ID_APP_OPTION));
    menu->CloseMenu();
    PumpPending();
}

} // namespace
