#include "LumivoToolsApp.h"
#include <winsock.h>
#include <shlobj.h>
#include <algorithm>
#include <optional>
#include "EditorAppState.h"
#include "KQPPopupWindow.h"
#include "KQVisualManager.h"
#include "LumivoToolsIds.h"
#include "MainFrame.h"
#include "MainFrameIds.h"
#include "MainFrameStartPage.h"
#include "OpenTimes.h"
#include "AboutDlg.h"
#include "ShellService.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kLinksSection[] = L"Links";

struct LinkSetting {
    LinkKind kind;
    const wchar_t* entry;
    const wchar_t* fallback;
};
// The addresses are settings so that a build for a real site only changes the registry.
const LinkSetting kLinks[] = {
    {LinkKind::HomePage, L"HomePage", L"https://lumivo.example/"},
    {LinkKind::HelpEnglish, L"HelpPage", L"https://lumivo.example/help/"},
    {LinkKind::HelpChinese, L"HelpPageChinese", L"https://lumivo.example/zh/help/"},
    {LinkKind::BugReport, L"BugReport", L"mailto:support@lumivo.example?subject=Bug%20Report"},
    {LinkKind::MakerSite, L"MakerSite", L"https://tarvex.example/"},
};

CString MyPicturesFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_MYPICTURES | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return CString();
    return path;
}

bool IsFolder(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

CString DefaultCaptureFolder()
{
    CString folder = MyPicturesFolder() + L"\\Lumivo Capture";
    ::CreateDirectoryW(folder, nullptr);
    return folder;
}

CString GetLinkAddress(LinkKind kind)
{
    for (const auto& link : kLinks)
        if (link.kind == kind)
            return AfxGetApp()->GetProfileString(kLinksSection, link.entry, link.fallback);
    return CString();
}

CLumivoToolsApp* GetLumivoToolsApp()
{
    return static_cast<CLumivoToolsApp*>(AfxGetApp());
}

BEGIN_MESSAGE_MAP(CLumivoToolsApp, CBCGPWinApp)
    ON_COMMAND(ID_HOMEPAGE, OnHomePage)
    ON_COMMAND(ID_APP_ABOUT_BOX, OnAppAbout)
    ON_COMMAND(ID_HELP_PAGE, OnHelp)
    ON_COMMAND(ID_LANGUAGE, OnChangeLanguage)
    ON_COMMAND(ID_BUG_REPORT, OnBugReport)
    ON_COMMAND(ID_SKIN_WHITE, OnSkinWhite)
    ON_COMMAND(ID_SKIN_PINK, OnSkinPink)
    ON_COMMAND(ID_SKIN_YELLOW, OnSkinYellow)
    ON_COMMAND(ID_SKIN_GREEN, OnSkinGreen)
    ON_COMMAND(ID_SKIN_BLUE, OnSkinBlue)
    ON_COMMAND(ID_SKIN_PURPLE, OnSkinPurple)
    ON_COMMAND(ID_SKIN_BLACK, OnSkinBlack)
    ON_UPDATE_COMMAND_UI(ID_SKIN_WHITE, OnUpdateSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_PINK, OnUpdateSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_YELLOW, OnUpdateSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_GREEN, OnUpdateSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_BLUE, OnUpdateSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_PURPLE, OnUpdateSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_BLACK, OnUpdateSkin)
END_MESSAGE_MAP()

CLumivoToolsApp::CLumivoToolsApp() : CLumivoToolsApp(nullptr)
{
    m_hMutex = ::CreateMutexW(nullptr, TRUE, L"LumivoTools");
    m_bAnotherInstance = ::GetLastError() == ERROR_ALREADY_EXISTS;
}

CLumivoToolsApp::CLumivoToolsApp(LPCTSTR testAppName) : CBCGPWinApp(testAppName ? testAppName : L"LumivoTools")
{
    SetSkinVar(&m_nSkin);
    m_defaultFont.lfHeight = -48;
    m_defaultFont.lfWeight = FW_NORMAL;
    m_defaultFont.lfQuality = PROOF_QUALITY;
    wcscpy_s(m_defaultFont.lfFaceName, L"Arial Black");
}

CLumivoToolsApp::~CLumivoToolsApp()
{
    SetSkinVar(nullptr);
    if (m_hMutex) {
        ::ReleaseMutex(m_hMutex);
        ::CloseHandle(m_hMutex);
    }
    if (m_hAppIcon)
        ::DestroyIcon(m_hAppIcon);
}

BOOL CLumivoToolsApp::InitInstance()
{
    std::optional<open_times::Scope> timed(std::in_place, "start");
    WSADATA wsa;
    m_bWinsock = ::WSAStartup(MAKEWORD(1, 1), &wsa) == 0;
    INITCOMMONCONTROLSEX icc = {sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);
    CBCGPWinApp::InitInstance();
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    SetRegistryKey(L"Lumivo");
    SetRegistryBase(L"StartPage Settings");
    InitContextMenuManager();
    // As an installer would have: the shipped data where the program reads it, a user's own
    // files left alone.
    SeedDataFolder(CModulePathStr(L"Data").GetString(), GetKQDataFolder(nullptr).GetString());
    LoadSettings();
    InitResources();
    m_hMainMenu = ::LoadMenuW(m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_hAccel = ::LoadAcceleratorsW(m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (m_lpCmdLine && *m_lpCmdLine && !m_cmdInfo.Parse(m_lpCmdLine))
        return FALSE;
    if (!CreateStartPage())
        return FALSE;
    const StartMode first = FirstModeFromSwitches(m_cmdInfo);
    m_bDirectMode = first != StartMode::None;
    timed.reset();
    if (m_bDirectMode) {
        OpenMode(first);
    } else if (m_cmdInfo.start) {
        m_pStartPage->ShowStartPage(SW_HIDE);
        // Without a tray icon nothing would lead back to a hidden page.
        if (!m_pStartPage->HasTrayIcon())
            m_pStartPage->ShowStartPage(SW_SHOWMINNOACTIVE);
    } else {
        m_pStartPage->ShowStartPage(m_nCmdShow);
        m_pStartPage->UpdateWindow();
    }
    m_query.Statistics();
    return TRUE;
}

int CLumivoToolsApp::ExitInstance()
{
    CloseAllPopupWnd();
    // The folder the editor's file dialogs last went to (opening layers moves it too).
    if (!GetEditorAppState().currentFolder.IsEmpty())
        m_strCurrentDirectory = static_cast<const wchar_t*>(GetEditorAppState().currentFolder);
    WriteProfileString(L"Tools", L"CurrentDirectory", m_strCurrentDirectory);
    if (m_bWinsock)
        ::WSACleanup();
    m_bWinsock = false;
    if (m_bDirectMode)
        NotifyOtherWindowsAtExit();
    return CBCGPWinApp::ExitInstance();
}

BOOL CLumivoToolsApp::SaveAllModified()
{
    CBCGPWinApp::SaveAllModified();
    return TRUE;
}

void CLumivoToolsApp::LoadSettings()
{
    m_bAutoStart = GetProfileInt(L"General", L"AutoStart", 1) != 0;
    LoadCaptureSettings();
    m_cfImage = ::RegisterClipboardFormatW(L"RCF_ZVIMAGE");
    m_strCurrentDirectory = GetProfileString(L"Tools", L"CurrentDirectory", L"");
    if (m_strCurrentDirectory.IsEmpty() || !IsFolder(m_strCurrentDirectory))
        m_strCurrentDirectory = MyPicturesFolder();
    GetEditorAppState().currentFolder = static_cast<const wchar_t*>(m_strCurrentDirectory);
    m_query.LoadSetting();
}

void CLumivoToolsApp::InitResources()
{
    m_hAppIcon = static_cast<HICON>(::LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDR_APPICON), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    const CString sample = GetKQDataFolder(L"Sample\\Effect.webp").GetString();
    if (!m_sampleImage.LoadFile(sample))
        BCGPMessageBox(TranslateString(L"Fail to load Data\\Sample\\Effect.webp"), MB_OK | MB_ICONWARNING);
    RegisterContextMenus();
    if (m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 8)) {
        CBitmap strip;
        if (strip.Attach(static_cast<HBITMAP>(::LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDB_COMMANDS16), IMAGE_BITMAP, 0, 0,
                                                           LR_CREATEDIBSECTION))))
            m_imageList.Add(&strip, RGB(255, 0, 255));
    }
    m_toolbarImages.SetImageSize(CSize(24, 24));
    m_toolbarImages.Load(IDB_TOOLS24);
}

void CLumivoToolsApp::RegisterContextMenus()
{
    CBCGPContextMenuManager* menus = GetContextMenuManager();
    if (!menus)
        return;
    menus->AddMenu(L"Help", IDR_MENU_HELP);
    menus->AddMenu(L"Setting Menu", IDR_MENU_SETTING);
    menus->AddMenu(L"Skin Menu", IDR_MENU_SKIN);
    menus->AddMenu(L"Tray Menu", IDR_MENU_TRAY);
    // The page, frame, cosmetics, scene-sort, split and zoom menus come with their modes.
}

void CLumivoToolsApp::LoadCaptureSettings()
{
    m_capture.Hotkey = GetProfileInt(L"Capture", L"Hotkey", kDefaultCaptureHotkey);
    m_capture.SaveHotkey = GetProfileInt(L"Capture", L"SaveHotkey", kDefaultSaveCaptureHotkey);
    m_capture.AutoSave = GetProfileInt(L"Capture", L"AutoSave", 1) != 0;
    m_capture.SaveFolder = GetProfileString(L"Capture", L"SaveFolder", L"");
    if (m_capture.SaveFolder.IsEmpty())
        m_capture.SaveFolder = DefaultCaptureFolder();
}

void CLumivoToolsApp::SaveCaptureSettings()
{
    WriteProfileInt(L"Capture", L"Hotkey", static_cast<int>(m_capture.Hotkey));
    WriteProfileInt(L"Capture", L"SaveHotkey", static_cast<int>(m_capture.SaveHotkey));
    WriteProfileInt(L"Capture", L"AutoSave", m_capture.AutoSave ? 1 : 0);
    WriteProfileString(L"Capture", L"SaveFolder", m_capture.SaveFolder);
}

bool CLumivoToolsApp::CreateStartPage()
{
    auto* page = new CMainFrameStartPage;
    m_pStartPage = page;
    m_pMainWnd = page;
    NONCLIENTMETRICSW metrics = {sizeof metrics};
    ICONMETRICSW icons = {sizeof icons};
    ::SystemParametersInfoW(SPI_GETICONMETRICS, sizeof icons, &icons, 0);
    m_nUiFontHeight = std::abs(icons.lfFont.lfHeight);
    if (m_nUiFontHeight == 0 && ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_nUiFontHeight = std::abs(metrics.lfMessageFont.lfHeight);
    RECT work = {0, 0, 1024, 768};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const StartPageSize size = ChooseStartPageSize(m_nUiFontHeight, work.right - work.left, work.bottom - work.top);
    page->SetLayout(size);
    const POINT at = CenterInWorkArea(work, size.width, size.height);
    if (!page->CreateEx(0, nullptr, TranslateString(L"Lumivo Tools"), 0x02CA0000, at.x, at.y, size.width, size.height, nullptr,
                        nullptr)) {
        // The frame deleted itself.
        m_pStartPage = nullptr;
        m_pMainWnd = nullptr;
        return false;
    }
    return true;
}

void CLumivoToolsApp::OnModeNotAvailable()
{
    ShowNotifyAtCursor(TranslateString(L"This part of Lumivo Tools is not available yet."));
    // Nothing opened: the page must not stay hidden.
    if (m_pStartPage && m_pStartPage->m_hWnd && !m_pStartPage->IsWindowVisible() && !m_cmdInfo.start)
        m_pStartPage->ShowStartPage(SW_SHOW);
}

// The mode frames join the program with their own work; until then their openers say so. Each
// opener raises a frame that is open already, and releases a frame whose window fails to load.
void CLumivoToolsApp::ShowPagesFrame() { OnModeNotAvailable(); }
void CLumivoToolsApp::ShowCosmetFrame() { OnModeNotAvailable(); }
void CLumivoToolsApp::ShowEffectFrame() { OnModeNotAvailable(); }
void CLumivoToolsApp::ShowSplitFrame() { OnModeNotAvailable(); }
void CLumivoToolsApp::ShowCropFrame() { OnModeNotAvailable(); }
void CLumivoToolsApp::ShowCombineFrame() { OnModeNotAvailable(); }
void CLumivoToolsApp::ShowScreenCapture(bool) { OnModeNotAvailable(); }

void CLumivoToolsApp::ShowEditorFrame()
{
    if (m_pEditorFrame && m_pEditorFrame->m_hWnd) {
        m_pEditorFrame->ShowWindow(SW_SHOW);
        m_pEditorFrame->BringWindowToTop();
        return;
    }
    std::optional<open_times::Scope> timed(std::in_place, "frame");
    auto* frame = new CMainFrame;
    m_pEditorFrame = frame;
    if (!frame->LoadFrame(IDR_EDITOR_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        // The frame deleted itself.
        m_pEditorFrame = nullptr;
        return;
    }
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    frame->UpdateWindow();
    frame->UpdateMenuCaptions();
    // The side lists take the current skin's colour from the start.
    frame->ApplySkin();
    timed.reset();
    if (m_cmdInfo.m_fileList.GetCount() == 0)
        return;
    frame->openerCode = kOpenedByCommandLine;
    std::vector<CString> paths;
    for (auto it = m_cmdInfo.m_fileList.Begin(); it != m_cmdInfo.m_fileList.End(); it.Next())
        paths.emplace_back(it.Get().GetString());
    frame->OpenFilesInEditor(paths);
}

void CLumivoToolsApp::OpenMode(StartMode mode)
{
    switch (mode) {
    case StartMode::Editor: ShowEditorFrame(); break;
    case StartMode::Cosmet: ShowCosmetFrame(); break;
    case StartMode::Page: ShowPagesFrame(); break;
    case StartMode::Effect: ShowEffectFrame(); break;
    case StartMode::Split: ShowSplitFrame(); break;
    case StartMode::Crop: ShowCropFrame(); break;
    case StartMode::Combine: ShowCombineFrame(); break;
    case StartMode::None: break;
    }
}

void CLumivoToolsApp::SetSkin(unsigned skin)
{
    if (skin == m_nSkin)
        return;
    m_nSkin = skin;
    // Always the editor's own value: the browser reads it first, and the editor reads nothing else.
    SetSkinValue(kEditorSkinValue, skin);
    switch (NormalizeSkin(skin)) {
    case 0:
        globalData.m_bMenuFlatLook = TRUE;
        SetVisualTheme(BCGP_VISUAL_THEME_OFFICE_2013_WHITE);
        CBCGPVisualManagerVS2012::SetAccentColorRGB(RGB(128, 128, 128));
        globalData.clrBarShadow = CBCGPDrawManager::ColorMakeDarker(0xFFD8BB, 0.3);
        break;
    case 2:
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKQVisualManager));
        CBCGPVisualManagerVS2012::SetAccentColor(CBCGPVisualManagerVS2012::VS2012_Pink);
        break;
    case 3:
    case 4:
    case 5:
    case 6: {
        static const COLORREF kAccents[] = {0x5096B4, 0x5C9348, 0x000000, 0xB45064};
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKQVisualManager));
        CBCGPVisualManagerVS2012::SetAccentColorRGB(kAccents[NormalizeSkin(skin) - 3]);
        break;
    }
    default:
        SetVisualTheme(BCGP_VISUAL_THEME_VS_2012);
        CKQVisualManager::SetBlackStyle();
        break;
    }
    if (m_pEditorFrame && m_pEditorFrame->m_hWnd)
        m_pEditorFrame->ApplySkin();
    if (m_pMainWnd && m_pMainWnd->m_hWnd) {
        if (m_pStartPage && m_pStartPage->m_hWnd)
            m_pStartPage->SetSkinBackground();
        m_pMainWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    }
}

void CLumivoToolsApp::ShowNotifyAtCursor(const wchar_t* text)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    PopupNotifyWnd(text, 2, m_hAppIcon, &cursor);
}

void CLumivoToolsApp::NotifyOtherWindowsAtExit()
{
    // Collected first: a window that answers by closing must not break the walk.
    std::vector<HWND> frames;
    for (HWND at = ::FindWindowExW(nullptr, nullptr, L"LumivoMainFrame", nullptr); at;
         at = ::FindWindowExW(nullptr, at, L"LumivoMainFrame", nullptr))
        frames.push_back(at);
    for (HWND frame : frames)
        ::PostMessageW(frame, WM_AT_EXIT_NOTIFY, 0, 0);
}

namespace {
struct ModeFrameWalk {
    const CWnd* startPage;
    std::vector<CFrameWnd*> frames;
};

// The thread's frames other than the start page (a stdcall function: a lambda would not convert
// to one in the 32-bit build).
BOOL CALLBACK CollectModeFrame(HWND hwnd, LPARAM lp)
{
    auto* walk = reinterpret_cast<ModeFrameWalk*>(lp);
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd && wnd != walk->startPage && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        walk->frames.push_back(static_cast<CFrameWnd*>(wnd));
    return TRUE;
}
} // namespace

std::vector<CFrameWnd*> CLumivoToolsApp::GetModeFrames() const
{
    ModeFrameWalk walk{reinterpret_cast<const CWnd*>(m_pStartPage), {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectModeFrame, reinterpret_cast<LPARAM>(&walk));
    return walk.frames;
}

bool CLumivoToolsApp::QuitProgram()
{
    for (CFrameWnd* frame : GetModeFrames()) {
        const HWND hwnd = frame->m_hWnd;
        ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
        if (::IsWindow(hwnd))
            return false;   // the user kept unsaved work open
    }
    if (m_pStartPage && m_pStartPage->m_hWnd) {
        m_pStartPage->RemoveTrayIcon();
        m_pStartPage->DestroyWindow();
    }
    ::PostQuitMessage(0);
    return true;
}

void CLumivoToolsApp::OnHomePage()
{
    zvui::Shell().OpenAddress(GetLinkAddress(LinkKind::HomePage));
}

void CLumivoToolsApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CLumivoToolsApp::OnHelp()
{
    const wchar_t* language = GetLanguageName(false);
    const bool chinese = language && wcsstr(language, L"Chinese");
    zvui::Shell().OpenAddress(GetLinkAddress(chinese ? LinkKind::HelpChinese : LinkKind::HelpEnglish));
}

void CLumivoToolsApp::OnChangeLanguage()
{
    if (!ShowSelectLanguage())
        return;
    if (m_pStartPage && m_pStartPage->m_hWnd)
        m_pStartPage->SetTileTexts();
    if (m_pEditorFrame && m_pEditorFrame->m_hWnd)
        m_pEditorFrame->UpdateMenuCaptions();
    // The other mode frames refresh their texts here as they join.
}

void CLumivoToolsApp::OnBugReport()
{
    zvui::Shell().OpenAddress(GetLinkAddress(LinkKind::BugReport));
}

void CLumivoToolsApp::OnUpdateSkin(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(static_cast<unsigned>(SkinFromCommand(pCmdUI->m_nID)) == m_nSkin);
}
