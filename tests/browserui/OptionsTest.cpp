// The default-viewer test and registration, the viewer's stored settings, the question at start
// and the options' System page.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "BoxAnswer.h"
#include "DefaultViewer.h"
#include "DlgLumivoTools.h"
#include "EditorAppTestSupport.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "ScreenPicture.h"
#include "SheetOption.h"
#include "TestSupport.h"
#include "ViewerSettings.h"
#include "WindowTestApp.h"
#include "ZVUILibApp.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::TempFolder;

const wchar_t kExtension[] = L"lumivotest";
const wchar_t kClassKey[] = L".lumivotest";
const wchar_t kChoiceKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.lumivotest";

void SetDefault(HKEY root, const std::wstring& key, const wchar_t* name, const wchar_t* text)
{
    HKEY opened = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr), ERROR_SUCCESS);
    ::RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), DWORD((wcslen(text) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(opened);
}

// An extension of our own, so that the user's associations stay as they are.
class ExtensionKeys {
public:
    ExtensionKeys() { Clear(); }
    ~ExtensionKeys() { Clear(); }
    void Set(const wchar_t* classId, const wchar_t* choice)
    {
        Clear();
        if (classId)
            SetDefault(HKEY_CLASSES_ROOT, kClassKey, nullptr, classId);
        if (choice)
            SetDefault(HKEY_CURRENT_USER, std::wstring(kChoiceKey) + L"\\UserChoice", L"ProgId", choice);
    }

private:
    static void Clear()
    {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, kClassKey);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kChoiceKey);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kChoiceKey);
    }
};

TEST(DefaultViewer, ExtensionTable)
{
    ExtensionKeys keys;
    const struct {
        const wchar_t* classId;
        const wchar_t* choice;
        bool associated;
    } cases[] = {
        {nullptr, nullptr, true},
        {L"OtherViewer.lumivotest", L"LumivoShows.lumivotest", false}, // the choice cannot outvote the extension's key
        {L"LumivoShows.lumivotest", nullptr, true},
        {L"LumivoShows.lumivotest", L"OtherViewer.lumivotest", false},
        {nullptr, L"LumivoShows.lumivotest", true},
        {nullptr, L"OtherViewer.lumivotest", false},
    };
    for (const auto& c : cases) {
        keys.Set(c.classId, c.choice);
        EXPECT_EQ(IsExtensionAssociated(kExtension, kShowsAppName), c.associated)
            << (c.classId ? c.classId : L"-") << " " << (c.choice ? c.choice : L"-");
        EXPECT_EQ(IsDefaultViewer(L"lumivotest;lumivotest;"), c.associated);
    }
}

// The registration's fixed machine-wide values, put back as they were.
struct RegistrationValues {
    RegValueGuard description{HKEY_LOCAL_MACHINE, L"Software\\LumivoShows\\Capabilities", L"ApplicationDescription"};
    RegValueGuard registered{HKEY_LOCAL_MACHINE, L"Software\\RegisteredApplications", L"LumivoShows"};
    RegistrationValues()
    {
        ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\LumivoShows\\Capabilities", L"ApplicationDescription");
        ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\RegisteredApplications", L"LumivoShows");
    }
};

// Wine has neither the installer nor the default-apps settings: the stand-in installer beside
// this program registers the browser, and the settings opener gives up without a window.
TEST(DefaultViewer, StandInInstallerMakesTheRegistrationCheckPass)
{
    RegistrationValues values;
    EXPECT_FALSE(IsRegisteredApplication(false));
    EXPECT_FALSE(OpenDefaultAppsSettings());

    TempFolder empty;
    EXPECT_EQ(RegisterAsDefaultViewer(empty.Root().c_str()), RegisterResult::NoSettings);
    EXPECT_FALSE(IsRegisteredApplication(false)) << "registered without an installer";

    EXPECT_EQ(RegisterAsDefaultViewer(editorapp::TestProgramFolder().c_str()), RegisterResult::NoSettings);
    EXPECT_TRUE(IsRegisteredApplication(false));
    SetDefault(HKEY_LOCAL_MACHINE, L"Software\\RegisteredApplications", L"LumivoShows", L"Software\\Other\\Capabilities");
    EXPECT_FALSE(IsRegisteredApplication(false)) << "an entry naming other capabilities";
}

// Make default where nothing can be opened tells the user so instead of doing nothing.
TEST(DefaultViewer, MakeDefaultWithoutSettingsShowsANote)
{
    RegistrationValues values;
    CLumivoShowsApp* app = GetLumivoShowsApp();
    const int notes = app->m_nNotesShown;
    app->MakeDefaultViewer();
    EXPECT_EQ(app->m_nNotesShown, notes + 1);
    CloseAllPopupWnd();
}

// No with the box cleared stores 0, and the next start does not ask.
TEST(DefaultViewer, NoWithTheBoxClearedIsNotAskedAgain)
{
    RegistrationValues values;
    CLumivoShowsApp* app = GetLumivoShowsApp();
    app->m_bCheckDefaultOnStartup = true;
    app->WriteProfileInt(L"System", L"iCheckDefaultOnStartup", 1);

    g_answer = {IDNO, false, true};
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerTimer);
    app->CheckDefaultViewer();
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_answer.answered) << "no question";
    EXPECT_FALSE(app->m_bCheckDefaultOnStartup);
    EXPECT_EQ(app->GetProfileInt(L"System", L"iCheckDefaultOnStartup", 7), 0u);

    app->LoadSettings();
    g_answer = {IDNO, false, false};
    timer = ::SetTimer(nullptr, 0, 50, AnswerTimer);
    app->CheckDefaultViewer();
    PumpPending();
    ::Sleep(120);
    PumpPending();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(g_answer.answered) << "asked again";
    app->m_bCheckDefaultOnStartup = true;
}

const wchar_t kBrowseKey[] = L"Software\\Lumivo\\LumivoShowsTests\\Browse";

DWORD ReadDword(const wchar_t* name)
{
    DWORD value = 0xDEAD, size = sizeof value;
    ::RegGetValueW(HKEY_CURRENT_USER, kBrowseKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

void PutDword(const wchar_t* name, DWORD value)
{
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kBrowseKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
}

TEST(ViewerSettings, VolumeIsCutToItsRange)
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBrowseKey);
    const struct {
        DWORD stored;
        int volume;
    } cases[] = {{150, 100}, {static_cast<DWORD>(-5), 0}, {100, 100}, {0, 0}, {37, 37}};
    for (const auto& c : cases) {
        PutDword(L"iVolume", c.stored);
        ViewerSettings settings;
        std::vector<std::wstring> music;
        LoadViewerSettings(settings, music, kBrowseKey, L"Z:\\no such tune.wma");
        EXPECT_EQ(settings.volume, c.volume) << static_cast<int>(c.stored);
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBrowseKey);
}

TEST(ViewerSettings, FirstMusicDefaultsToTheDataTuneAndAShorterListLeavesNoStaleValue)
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBrowseKey);
    TempFolder temp;
    const std::wstring tune = temp.At(L"Lilac.wma");
    ViewerSettings settings;
    std::vector<std::wstring> music;
    LoadViewerSettings(settings, music, kBrowseKey, tune.c_str());
    EXPECT_TRUE(music.empty()) << "a tune that is not there was stored";

    ASSERT_TRUE(TempFolder::Put(tune, "ASF"));
    LoadViewerSettings(settings, music, kBrowseKey, tune.c_str());
    EXPECT_EQ(music, std::vector<std::wstring>{tune});
    EXPECT_EQ(settings.playSpeedTime, 5);
    EXPECT_EQ(settings.volume, 50);
    EXPECT_TRUE(settings.folderThumb);
    EXPECT_EQ(settings.clrBackground, 0xFFFFFFFFu);

    settings.volume = 80;
    SaveViewerSettings(settings, {L"a.mp3", L"b.mp3", L"c.mp3"}, kBrowseKey);
    SaveViewerSettings(settings, {L"d.mp3"}, kBrowseKey);
    LoadViewerSettings(settings, music, kBrowseKey, tune.c_str());
    EXPECT_EQ(music, std::vector<std::wstring>{L"d.mp3"});
    EXPECT_EQ(ReadDword(L"iVolume"), 80u);
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kBrowseKey, L"BGMusic1", RRF_RT_ANY, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBrowseKey);
}

// The System page inside the real sheet: Default puts both folders back, and clearing the cache
// leaves the user's own picture in a folder they chose.
CSheetOption* g_sheet;
std::wstring g_wallpaperShown, g_thumbnailShown, g_wallpaperAfter, g_thumbnailAfter;
std::wstring g_thumbnails;
bool g_pictureKept, g_cacheGone, g_folderKept;

std::wstring EditText(CWnd& edit)
{
    CString text;
    edit.GetWindowText(text);
    return text.GetString();
}

void CALLBACK DrivePage(HWND, UINT, UINT_PTR id, DWORD)
{
    CPageSystem& page = g_sheet->m_pageSystem;
    if (!page.GetSafeHwnd() || !page.m_editWallpaper.GetSafeHwnd())
        return;
    ::KillTimer(nullptr, id);
    g_wallpaperShown = EditText(page.m_editWallpaper);
    g_thumbnailShown = EditText(page.m_editThumbnail);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CLEAR_CACHE, BN_CLICKED), 0);
    g_pictureKept = ::GetFileAttributesW((g_thumbnails + L"\\holiday.jpg").c_str()) != INVALID_FILE_ATTRIBUTES;
    g_cacheGone = ::GetFileAttributesW((g_thumbnails + L"\\0123456789abcdef0123456789abcdef..webp").c_str()) == INVALID_FILE_ATTRIBUTES;
    g_folderKept = ::GetFileAttributesW(g_thumbnails.c_str()) != INVALID_FILE_ATTRIBUTES;
    page.RestoreDefaults();
    g_wallpaperAfter = EditText(page.m_editWallpaper);
    g_thumbnailAfter = EditText(page.m_editThumbnail);
    g_sheet->PostMessage(WM_COMMAND, IDCANCEL);
}

TEST(SystemPage, DefaultResetsBothFoldersAndClearingTheCacheKeepsTheUsersPicture)
{
    RegValueGuard wallpaperValue{HKEY_CURRENT_USER, L"Software\\Lumivo", L"WallpaperFolder"};
    RegValueGuard thumbnailValue{HKEY_CURRENT_USER, L"Software\\Lumivo", L"ThumbnailFolder"};
    TempFolder temp;
    const std::wstring wallpapers = temp.At(L"walls");
    g_thumbnails = temp.At(L"thumbs");
    ASSERT_TRUE(::CreateDirectoryW(wallpapers.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(g_thumbnails.c_str(), nullptr));
    ASSERT_TRUE(SetKQFolder(wallpapers.c_str(), KQ_FOLDER_WALLPAPER));
    ASSERT_TRUE(SetKQFolder(g_thumbnails.c_str(), KQ_FOLDER_THUMBNAIL));
    std::string trailer(32, '\0');
    trailer[20] = 32;
    memcpy(&trailer[24], "KQTB", 4);
    ASSERT_TRUE(TempFolder::Put(g_thumbnails + L"\\holiday.jpg", "\xFF\xD8\xFF\xE0" + trailer));
    ASSERT_TRUE(TempFolder::Put(g_thumbnails + L"\\0123456789abcdef0123456789abcdef..webp", "RIFF" + trailer));

    CSheetOption sheet(L"Option", nullptr, 1);
    g_sheet = &sheet;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, DrivePage);
    sheet.DoModal();
    ::KillTimer(nullptr, timer);
    g_sheet = nullptr;

    EXPECT_EQ(g_wallpaperShown, wallpapers);
    EXPECT_EQ(g_thumbnailShown, g_thumbnails);
    EXPECT_TRUE(g_pictureKept);
    EXPECT_TRUE(g_cacheGone);
    EXPECT_TRUE(g_folderKept);
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_WALLPAPER, true);
    EXPECT_EQ(g_wallpaperAfter, folder);
    GetKQFolder(folder, KQ_FOLDER_WALLPAPER, false);
    EXPECT_NE(std::wstring(folder), wallpapers) << "the stored folder stayed";
    GetKQFolder(folder, KQ_FOLDER_THUMBNAIL, true);
    EXPECT_EQ(g_thumbnailAfter, folder);
    GetKQFolder(folder, KQ_FOLDER_THUMBNAIL, false);
    EXPECT_NE(std::wstring(folder), g_thumbnails) << "the stored folder stayed";
    SetKQFolder(nullptr, KQ_FOLDER_WALLPAPER);
    SetKQFolder(nullptr, KQ_FOLDER_THUMBNAIL);
}


// The Browse page inside the real sheet, driven from a timer in its modal loop: the interval's
// range and buttons, Clear then Apply, and Default.
struct BrowsePageSeen {
    bool zeroRead = true, overRead = true, maxRead = false;
    int afterDown = 0, afterUp = 0;
    std::vector<std::wstring> musicAfterClear;
    bool clearedValueGone = false;
    int volumeAfterDefault = 0, intervalAfterDefault = 0;
    std::vector<std::wstring> musicAfterDefault;
    std::wstring volumeText;
    bool done = false;
};
BrowsePageSeen g_browse;

bool ReadsInterval(CPagePicViewOption& page, const wchar_t* text)
{
    page.SetDlgItemText(IDC_SPEED_EDIT, text);
    g_answer = {IDOK, false, false};
    const UINT_PTR answer = ::SetTimer(nullptr, 0, 30, AnswerTimer);
    const bool read = page.UpdateData(TRUE) != FALSE;
    ::KillTimer(nullptr, answer);
    return read;
}

void CALLBACK DriveBrowsePage(HWND, UINT, UINT_PTR id, DWORD)
{
    CPagePicViewOption& page = g_sheet->m_pagePicView;
    if (!page.GetSafeHwnd() || g_browse.done)
        return;
    ::KillTimer(nullptr, id);
    g_browse.done = true;
    g_sheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveWindowPicture(g_sheet->GetSafeHwnd(), OutFolder(L"options") + L"\\browse.png");
    g_sheet->SetActivePage(1);
    g_sheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveWindowPicture(g_sheet->GetSafeHwnd(), OutFolder(L"options") + L"\\system.png");
    g_sheet->SetActivePage(0);
    CString volume;
    page.GetDlgItemText(IDC_VOLUME_TEXT, volume);
    g_browse.volumeText = volume.GetString();
    g_browse.zeroRead = ReadsInterval(page, L"0");
    g_browse.overRead = ReadsInterval(page, L"1001");
    g_browse.maxRead = ReadsInterval(page, L"1000");
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SPEED_UP, BN_CLICKED), 0);
    g_browse.afterUp = static_cast<int>(page.GetDlgItemInt(IDC_SPEED_EDIT));
    page.SetDlgItemText(IDC_SPEED_EDIT, L"2");
    for (int i = 0; i < 3; ++i)
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SPEED_DOWN, BN_CLICKED), 0);
    g_browse.afterDown = static_cast<int>(page.GetDlgItemInt(IDC_SPEED_EDIT));

    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MUSIC_CLEAR, BN_CLICKED), 0);
    g_sheet->SendMessage(WM_COMMAND, ID_APPLY_NOW);
    g_browse.musicAfterClear = GetLumivoShowsApp()->m_backgroundMusic;
    g_browse.clearedValueGone = ::RegGetValueW(HKEY_CURRENT_USER, kBrowseKey, L"BGMusic0", RRF_RT_ANY, nullptr, nullptr, nullptr) ==
                                ERROR_FILE_NOT_FOUND;

    page.m_sliderVolume.SetPos(90);
    page.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 90), reinterpret_cast<LPARAM>(page.m_sliderVolume.GetSafeHwnd()));
    g_answer = {IDYES, false, false};
    const UINT_PTR answer = ::SetTimer(nullptr, 0, 30, AnswerTimer);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEFAULT, BN_CLICKED), 0);
    ::KillTimer(nullptr, answer);
    g_browse.volumeAfterDefault = page.m_sliderVolume.GetPos();
    g_browse.intervalAfterDefault = static_cast<int>(page.GetDlgItemInt(IDC_SPEED_EDIT));
    g_browse.musicAfterDefault = GetLumivoShowsApp()->m_backgroundMusic;
    g_sheet->PostMessage(WM_COMMAND, IDCANCEL);
}

TEST(BrowsePage, IntervalRangeClearThenApplyAndDefault)
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    TempFolder temp;
    // The page stores under the program's profile, which the start-up names.
    ASSERT_TRUE(app->Prepare((L"\"" + temp.Root() + L"\"").c_str()));
    const ViewerSettings saved = app->m_viewerSettings;
    const std::vector<std::wstring> savedMusic = app->m_backgroundMusic;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBrowseKey);
    app->m_viewerSettings = ViewerSettings();
    app->m_viewerSettings.playMusic = true;
    app->m_backgroundMusic = {DefaultMusicPath(), L"C:\\tunes\\two.wma"};
    g_browse = BrowsePageSeen();

    CSheetOption sheet(L"Option");
    g_sheet = &sheet;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, DriveBrowsePage);
    sheet.DoModal();
    ::KillTimer(nullptr, timer);
    g_sheet = nullptr;

    ASSERT_TRUE(g_browse.done);
    EXPECT_EQ(L"50%", g_browse.volumeText);
    EXPECT_FALSE(g_browse.zeroRead) << "0 seconds was taken";
    EXPECT_FALSE(g_browse.overRead) << "1001 seconds was taken";
    EXPECT_TRUE(g_browse.maxRead);
    EXPECT_EQ(1000, g_browse.afterUp) << "the up button went past what the page accepts";
    EXPECT_EQ(1, g_browse.afterDown);
    EXPECT_TRUE(g_browse.musicAfterClear.empty());
    EXPECT_TRUE(g_browse.clearedValueGone);
    EXPECT_EQ(50, g_browse.volumeAfterDefault);
    EXPECT_EQ(5, g_browse.intervalAfterDefault);
    const std::wstring tune = DefaultMusicPath();
    const bool tuneThere = ::GetFileAttributesW(tune.c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(tuneThere ? std::vector<std::wstring>{tune} : std::vector<std::wstring>{}, g_browse.musicAfterDefault);
    EXPECT_EQ(50u, ReadDword(L"iVolume")) << "Default saves at once";

    app->m_viewerSettings = saved;
    app->m_backgroundMusic = savedMusic;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBrowseKey);
}

// The about box and the editor's install note, as they open: caption and texts.
struct DialogSeen {
    std::wstring caption, text, ok;
};
DialogSeen g_seen;
int g_textId;

BOOL CALLBACK FindVisibleDialog(HWND hwnd, LPARAM lParam)
{
    wchar_t cls[32] = {};
    ::GetClassNameW(hwnd, cls, 32);
    if (::IsWindowVisible(hwnd) && wcscmp(cls, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[128] = {};
    ::GetDlgItemTextW(dialog, id, text, 128);
    return text;
}

void CALLBACK ReadAndCloseDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    ::KillTimer(nullptr, id);
    wchar_t caption[64] = {};
    ::GetWindowTextW(dialog, caption, 64);
    g_seen = {caption, ItemText(dialog, g_textId), ItemText(dialog, IDOK)};
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(ShowsDialogs, AboutAndInstallNoteShowTheirTexts)
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    const struct {
        const char* name;
        std::function<void()> open;
        int textId;
        DialogSeen expected;
    } cases[] = {
        {"about", [&] { app->OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr, nullptr); }, IDC_ABOUT_TEXT,
         {L"About", L"Lumivo Shows Version 1.4.6", L"OK"}},
        {"install", [] { EXPECT_EQ(ShowInstallToolsDialog(), 0); }, IDC_TOOLS_TEXT, {L"Please install", L"Lumivo Tools", L"Download"}},
    };
    for (const auto& c : cases) {
        g_seen = {};
        g_textId = c.textId;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ReadAndCloseDialog);
        c.open();
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(g_seen.caption, c.expected.caption) << c.name;
        EXPECT_EQ(g_seen.text, c.expected.text) << c.name;
        EXPECT_EQ(g_seen.ok, c.expected.ok) << c.name;
    }
}

} // namespace
