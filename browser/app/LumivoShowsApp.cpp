#include "LumivoShowsApp.h"
#include <shlobj.h>
#include "BatchRenameMethod.h"
#include "BatchSettings.h"
#include "DefaultViewer.h"
#include "DlgControls.h"
#include "KQPPopupWindow.h"
#include "KQVisualManager.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "PicFullScreenFrame.h"
#include "SheetOption.h"
#include "ShellService.h"
#include "StartupTables.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kLinksSection[] = L"Links";
const struct {
    ShowsLink link;
    const wchar_t* entry;
    const wchar_t* fallback;
} kLinks[] = {
    {ShowsLink::HomePage, L"HomePage", L"https://www.lumivo.example/"},
    {ShowsLink::HelpEnglish, L"HelpEnglish", L"https://www.lumivo.example/help/shows/"},
    {ShowsLink::HelpChinese, L"HelpChinese", L"https://www.lumivo.example/cn/help/shows/"},
    {ShowsLink::Support, L"Support", L"mailto:support@lumivo.example?subject=Bug%20Report"},
};

// The skin menu's commands, in skin order.
const UINT kSkinCommands[] = {ID_SKIN_WHITE, ID_SKIN_BLACK, ID_SKIN_PINK, ID_SKIN_YELLOW, ID_SKIN_GREEN, ID_SKIN_BLUE, ID_SKIN_PURPLE};
const wchar_t* const kSkinNames[] = {L"White", L"Black", L"Pink", L"Yellow", L"Green", L"Blue", L"Purple"};

// The context menus, by name and resource.
const struct {
    const wchar_t* name;
    UINT id;
} kContextMenus[] = {
    {L"Browse Display Option", IDR_MENU_DISPLAY}, {L"Picture List View", IDR_MENU_LIST}, {L"Main Menu", IDR_MENU_MAIN},
    {L"Sort Menu", IDR_MENU_SORT},                {L"Icon Size", IDR_MENU_ICON_SIZE},  {L"Icon Content", IDR_MENU_ICON_CONTENT},
    {L"Skin Menu", IDR_MENU_SKIN},                {L"Picture Size", IDR_MENU_PICTURE_SIZE}, {L"Export Menu", IDR_MENU_EXPORT},
    {L"Edit Menu", IDR_MENU_EDIT},
};

std::wstring MyPictures()
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_MYPICTURES | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return std::wstring();
    return path;
}

RECT WorkArea()
{
    RECT work = {0, 0, 1024, 768};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void SetMenuText(HMENU menu, UINT item, BOOL byPosition, const wchar_t* text)
{
    MENUITEMINFOW info = {sizeof info};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    ::SetMenuItemInfoW(menu, item, byPosition, &info);
}

} // namespace

CString GetShowsLink(ShowsLink link)
{
    for (const auto& l : kLinks)
        if (l.link == link)
            return AfxGetApp()->GetProfileString(kLinksSection, l.entry, l.fallback);
    return CString();
}

CLumivoShowsApp* GetLumivoShowsApp()
{
    return dynamic_cast<CLumivoShowsApp*>(AfxGetApp());
}

BEGIN_MESSAGE_MAP(CLumivoShowsApp, CBCGPWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_APP_OPTION, OnOption)
    ON_COMMAND(ID_APP_HELP, OnHelp)
    ON_COMMAND(ID_BUG_REPORT, OnBugReport)
    ON_COMMAND(ID_LANGUAGE_AUTO, OnLanguageAuto)
    ON_COMMAND(ID_LANGUAGE_ENGLISH, OnLanguageEnglish)
    ON_COMMAND(ID_LANGUAGE_LIST, OnLanguageList)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_AUTO, OnUpdateLanguageAuto)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_ENGLISH, OnUpdateLanguageEnglish)
    // The skin commands come in two runs: the ids between them belong to other commands
    // (the options, a language, the wallpaper's), which one range would take over.
    ON_COMMAND_RANGE(ID_SKIN_WHITE, ID_SKIN_BLUE, OnSkinCommand)
    ON_COMMAND_RANGE(ID_SKIN_PINK, ID_SKIN_GREEN, OnSkinCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SKIN_WHITE, ID_SKIN_BLUE, OnUpdateSkin)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SKIN_PINK, ID_SKIN_GREEN, OnUpdateSkin)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    // The wallpaper commands of the list's and the viewer's menus (LumivoShowsAppWallpaper.cpp).
    ON_COMMAND(ID_WALLPAPER_AUTOMATIC, OnWallpaperAutomatic)
    ON_COMMAND_RANGE(ID_WALLPAPER_TILE, ID_WALLPAPER_KEEP_ASPECT, OnWallpaperStyle)
    ON_COMMAND(ID_WALLPAPER_COPY, OnWallpaperCopy)
    ON_COMMAND(ID_WALLPAPER_OPEN_FOLDER, OnWallpaperOpenFolder)
    ON_COMMAND(ID_WALLPAPER_CONTROL_PANEL, OnWallpaperControlPanel)
    ON_UPDATE_COMMAND_UI(ID_WALLPAPER_AUTOMATIC, OnUpdateWallpaper)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WALLPAPER_TILE, ID_WALLPAPER_KEEP_ASPECT, OnUpdateWallpaper)
    ON_UPDATE_COMMAND_UI(ID_WALLPAPER_COPY, OnUpdateWallpaper)
    // The batch commands (LumivoShowsAppBatch.cpp).
    ON_COMMAND(ID_BATCH_COLOR, OnBatchColor)
    ON_COMMAND(ID_BATCH_WATERMARK, OnBatchWatermark)
    ON_COMMAND(ID_BATCH_ORGANIZE, OnBatchOrganize)
    ON_COMMAND(ID_BATCH_OPTIMIZE, OnBatchOptimize)
    ON_COMMAND(ID_BATCH_CONVERT, OnBatchConvert)
    ON_COMMAND(ID_BATCH_RENAME, OnBatchRename)
    ON_COMMAND(ID_BATCH_GRAY, OnBatchGray)
    ON_COMMAND(ID_BATCH_ROTATE, OnBatchRotate)
    ON_UPDATE_COMMAND_UI(ID_BATCH_COLOR, OnUpdateBatch)
    ON_UPDATE_COMMAND_UI(ID_BATCH_WATERMARK, OnUpdateBatch)
    ON_UPDATE_COMMAND_UI(ID_BATCH_ORGANIZE, OnUpdateBatch)
    ON_UPDATE_COMMAND_UI(ID_BATCH_OPTIMIZE, OnUpdateBatch)
    ON_UPDATE_COMMAND_UI(ID_BATCH_CONVERT, OnUpdateBatch)
    ON_UPDATE_COMMAND_UI(ID_BATCH_RENAME, OnUpdateBatch)
    ON_UPDATE_COMMAND_UI(ID_BATCH_GRAY, OnUpdateBatch)
    ON_UPDATE_COMMAND_UI(ID_BATCH_ROTATE, OnUpdateBatch)
    // The file commands of the Export menu (LumivoShowsAppFiles.cpp).
    ON_COMMAND_RANGE(ID_COPY_FAVORITE, ID_MOVE_FAVORITE_LAST, OnCopyMoveFavorite)
    ON_COMMAND(ID_COPY_SELECT, OnCopyToFolder)
    ON_COMMAND(ID_MOVE_SELECT, OnMoveToFolder)
    ON_COMMAND(ID_EXPORT_LAST, OnLastOperate)
    ON_COMMAND(ID_ADD_FAVORITE, OnAddFavorite)
    ON_COMMAND(ID_EXPORT_PRINT, OnPrint)
    ON_COMMAND(ID_EXPORT_EMAIL, OnEMail)
END_MESSAGE_MAP()

CLumivoShowsApp::CLumivoShowsApp(LPCTSTR appName) : CBCGPWinApp(appName ? appName : L"LumivoShows")
{
    SetSkinVar(&m_nSkin);
}

CLumivoShowsApp::~CLumivoShowsApp()
{
    SetSkinVar(nullptr);
    if (m_hAppIcon)
        ::DestroyIcon(m_hAppIcon);
}

BOOL CLumivoShowsApp::InitInstance()
{
    WSADATA wsa;
    m_bWinsock = ::WSAStartup(MAKEWORD(1, 1), &wsa) == 0;
    INITCOMMONCONTROLSEX icc = {sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);
    CBCGPWinApp::InitInstance();
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    if (!Prepare(m_lpCmdLine))
        return FALSE;
    if (!CreateMainFrame())
        return FALSE;
    // A picture named on the command line opens in the viewer; the main frame stays hidden
    // while its list reads the picture's folder.
    if (!m_cmdInfo.m_path.empty() && CPicFullScreenFrame::OpenOnFile(m_pMainFrame, m_cmdInfo.m_path.c_str()))
        return TRUE;
    m_pMainFrame->ShowWindow(m_bShowMax ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    m_pMainFrame->UpdateWindow();
    CheckDefaultViewer();
    m_query.CheckUpdateStartup();
    m_query.Statistics();
    return TRUE;
}

bool CLumivoShowsApp::Prepare(const wchar_t* commandLine)
{
    SetRegistryKey(L"Lumivo");
    SetRegistryBase(L"Settings");
    InitContextMenuManager();
    InitShellManager(); // the folder trees read the shell through it
    // As an installer would have: the shipped data (the slide show's tune among it) where the
    // program reads it, a user's own files left alone. Before the settings, which name the tune.
    SeedDataFolder(CModulePathStr(L"Data").GetString(), GetKQDataFolder(nullptr).GetString());
    LoadSettings();
    InitMenus();
    if (commandLine && *commandLine) {
        if (!m_cmdInfo.Parse(commandLine)) {
            BCGPMessageBox(m_cmdInfo.GetError(), MB_OK | MB_ICONWARNING);
            return false;
        }
        if (!m_cmdInfo.m_startFolder.empty())
            m_strStartFolder = m_cmdInfo.m_startFolder;
        m_bViewerOnly = m_cmdInfo.m_bViewerOnly;
    }
    return true;
}

int CLumivoShowsApp::ExitInstance()
{
    CloseAllPopupWnd();
    if (m_bWinsock)
        ::WSACleanup();
    m_bWinsock = false;
    return CBCGPWinApp::ExitInstance();
}

void CLumivoShowsApp::LoadSettings()
{
    const RECT work = WorkArea();
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;
    const FrameSize defaults = DefaultFrameSize(workWidth, workHeight);
    const FrameSize size = FitFrameSize(static_cast<int>(GetProfileInt(L"", L"MainFrameWidth", defaults.width)),
                                        static_cast<int>(GetProfileInt(L"", L"MainFrameHeight", defaults.height)), workWidth,
                                        workHeight);
    m_nFrameWidth = size.width;
    m_nFrameHeight = size.height;
    m_bShowMax = m_bShowMaxLoaded = GetProfileInt(L"", L"ShowMax", 0) != 0;
    m_bShowMaxFullPic = m_bShowMaxFullPicLoaded = GetProfileInt(L"", L"ShowMaxFullPic", 0) != 0;

    const std::wstring pictures = MyPictures();
    const CString stored = GetProfileString(L"", L"LastViewPath", pictures.c_str());
    const StartFolder start = ResolveStartFolder(stored, pictures.c_str());
    m_strStartFolder = start.folder;
    m_strStoredViewPath = start.folder;
    if (start.rewrite)
        WriteProfileString(L"", L"LastViewPath", m_strStartFolder.c_str());

    m_bHideTree = GetProfileInt(L"", L"HideTree", 0) != 0;
    m_bShowMore = GetProfileInt(L"", L"ShowMore", 1) != 0;
    m_bCheckDefaultOnStartup = GetProfileInt(L"System", L"iCheckDefaultOnStartup", 1) != 0;
    const CString browseKey = CString(L"Software\\Lumivo\\") + m_pszProfileName + L"\\Browse";
    LoadViewerSettings(m_viewerSettings, m_backgroundMusic, browseKey);
    m_query.LoadSetting();
    // The rename dialog opens on the rules of its last use.
    BatchRenameMethod().LoadSetting(AppProfile());
}

void CLumivoShowsApp::InitMenus()
{
    if (!m_hAppIcon)
        m_hAppIcon = static_cast<HICON>(::LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (!m_hCursorHand)
        m_hCursorHand = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_CURSOR_HAND));
    if (!m_hCursorDrag)
        m_hCursorDrag = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_CURSOR_DRAG));
    if (CBCGPContextMenuManager* menus = GetContextMenuManager())
        for (const auto& m : kContextMenus)
            menus->AddMenu(m.name, m.id);
}

bool CLumivoShowsApp::CreateMainFrame()
{
    const RECT work = WorkArea();
    const POINT corner = CenterInWorkArea(work, m_nFrameWidth, m_nFrameHeight);
    const CRect rect(corner.x, corner.y, corner.x + m_nFrameWidth, corner.y + m_nFrameHeight);
    auto* frame = new CMainFrame;
    m_pMainFrame = frame;
    m_pMainWnd = frame;
    CString title;
    title.Format(L"%s 1.4.6", TranslateString(L"Lumivo Shows"));
    if (!frame->Create(nullptr, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect)) {
        m_pMainFrame = nullptr;
        m_pMainWnd = nullptr;
        return false;
    }
    return true;
}

void CLumivoShowsApp::SaveFrameSettings(CMainFrame* frame)
{
    const CString folder = frame->m_wndList.GetCurrentFolder();
    // Compared with the stored value, not the start folder: a folder named on the command line
    // is the start folder, yet new to the profile.
    if (!folder.IsEmpty() && folder.CompareNoCase(m_strStoredViewPath.c_str()) != 0)
        WriteProfileString(L"", L"LastViewPath", folder);
    const bool maximized = frame->IsZoomed() != FALSE;
    if (maximized != m_bShowMaxLoaded)
        WriteProfileInt(L"", L"ShowMax", maximized);
    if (!maximized && !frame->IsIconic()) {
        CRect r;
        frame->GetWindowRect(&r);
        if (r.Width() != m_nFrameWidth || GetProfileInt(L"", L"MainFrameWidth", -1) == static_cast<UINT>(-1))
            WriteProfileInt(L"", L"MainFrameWidth", r.Width());
        if (r.Height() != m_nFrameHeight || GetProfileInt(L"", L"MainFrameHeight", -1) == static_cast<UINT>(-1))
            WriteProfileInt(L"", L"MainFrameHeight", r.Height());
    }
}

void CLumivoShowsApp::SetSkin(unsigned skin)
{
    if (!StoreSkinChoice(m_nSkin, skin))
        return;
    switch (NormalizeSkin(skin)) {
    case 0:
        globalData.m_bMenuFlatLook = TRUE;
        SetVisualTheme(BCGP_VISUAL_THEME_OFFICE_2013_WHITE);
        CBCGPVisualManagerVS2012::SetAccentColorRGB(RGB(128, 128, 128));
        globalData.clrBarShadow = CBCGPDrawManager::ColorMakeDarker(RGB(187, 216, 255), 0.3);
        break;
    case 2:
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKQVisualManager));
        CBCGPVisualManagerVS2012::SetAccentColor(CBCGPVisualManagerVS2012::VS2012_Pink);
        break;
    case 3:
    case 4:
    case 5:
    case 6: {
        static const COLORREF kAccents[] = {RGB(180, 150, 80), RGB(72, 147, 92), RGB(0, 0, 0), RGB(100, 80, 180)};
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKQVisualManager));
        CBCGPVisualManagerVS2012::SetAccentColorRGB(kAccents[NormalizeSkin(skin) - 3]);
        break;
    }
    default:
        SetVisualTheme(BCGP_VISUAL_THEME_VS_2012);
        CKQVisualManager::SetBlackStyle();
        break;
    }
    if (m_pMainFrame && m_pMainFrame->GetSafeHwnd())
        m_pMainFrame->ApplySkin();
    if (g_pPicFullScreenFrame && g_pPicFullScreenFrame->GetSafeHwnd())
        g_pPicFullScreenFrame->ApplyBackground();
}

void CLumivoShowsApp::TranslateMenus()
{
    CBCGPContextMenuManager* menus = GetContextMenuManager();
    if (!menus)
        return;
    if (HMENU main = menus->GetMenuById(IDR_MENU_MAIN)) {
        SetMenuText(main, ID_APP_OPTION, FALSE, TranslateString(L"Option"));
        SetMenuText(main, ID_APP_EXIT, FALSE, TranslateString(L"Exit"));
        SetMenuText(main, ID_APP_HELP, FALSE, TranslateString(L"Help"));
        SetMenuText(main, ID_BUG_REPORT, FALSE, TranslateString(L"Bug Report"));
        SetMenuText(main, ID_APP_ABOUT, FALSE, TranslateString(L"About"));
        SetMenuText(main, ID_LANGUAGE_AUTO, FALSE, TranslateString(L"Auto"));
        SetMenuText(main, ID_LANGUAGE_ENGLISH, FALSE, TranslateString(L"English"));
        SetMenuText(main, ID_LANGUAGE_LIST, FALSE, TranslateString(L"Select Language"));
        SetMenuText(main, 1, TRUE, TranslateString(L"Skin"));
        SetMenuText(main, 2, TRUE, TranslateString(L"Language"));
        SetMenuText(main, 3, TRUE, TranslateString(L"Help"));
    }
    // The batch entries of the list menu; convert's reads "Resize && Convert".
    if (HMENU list = menus->GetMenuById(IDR_MENU_LIST))
        for (const BatchOperationInfo& info : kBatchOperations) {
            CString text = TranslateString(info.label);
            if (info.operation == BatchOperation::Convert)
                text.Format(L"%s && %s", TranslateString(L"Resize"), TranslateString(L"Convert"));
            SetMenuText(list, info.command, FALSE, text);
        }
    for (UINT menuId : {IDR_MENU_MAIN, IDR_MENU_SKIN})
        if (HMENU menu = menus->GetMenuById(menuId))
            for (size_t i = 0; i < sizeof kSkinCommands / sizeof kSkinCommands[0]; ++i)
                SetMenuText(menu, kSkinCommands[i], FALSE, TranslateString(kSkinNames[i]));
}

void CLumivoShowsApp::CheckDefaultViewer()
{
    if (!m_bCheckDefaultOnStartup || IsRegisteredApplication(true))
        return;
    BOOL checked = TRUE;
    const int answer = BCGPMessageBox(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr,
                                      TranslateString(L"Do you want to make Lumivo Shows default viewer ?"),
                                      TranslateString(L"Lumivo Shows isn't the default viewer"), MB_YESNO | MB_ICONQUESTION,
                                      TranslateString(L"Always check to see if Lumivo Shows is the default viewer"), &checked);
    if ((checked != FALSE) != m_bCheckDefaultOnStartup) {
        m_bCheckDefaultOnStartup = checked != FALSE;
        WriteProfileInt(L"System", L"iCheckDefaultOnStartup", m_bCheckDefaultOnStartup);
    }
    if (answer == IDYES)
        MakeDefaultViewer();
}

void CLumivoShowsApp::MakeDefaultViewer()
{
    if (RegisterAsDefaultViewer() == RegisterResult::SettingsOpened)
        return;
    PopupNotifyWnd(TranslateString(L"The default programs settings cannot be opened on this system"), 5, m_hAppIcon, nullptr);
    ++m_nNotesShown;
}

void CLumivoShowsApp::OnAppAbout()
{
    CAboutDlg about(m_pMainWnd);
    about.DoModal();
}

void CLumivoShowsApp::OnOption()
{
    CSheetOption sheet(TranslateString(L"Option"), m_pMainWnd);
    sheet.DoModal();
}

void CLumivoShowsApp::OnHelp()
{
    const wchar_t* language = GetLanguageName(false);
    const bool chinese = language && wcsstr(language, L"Chinese");
    ::ShellExecuteW(nullptr, L"open", GetShowsLink(chinese ? ShowsLink::HelpChinese : ShowsLink::HelpEnglish), nullptr, nullptr,
                    SW_SHOWNORMAL);
}

void CLumivoShowsApp::OnBugReport()
{
    ::ShellExecuteW(nullptr, L"open", GetShowsLink(ShowsLink::Support), nullptr, nullptr, SW_SHOWNORMAL);
}

void CLumivoShowsApp::AfterLanguageChange()
{
    if (m_pMainFrame && m_pMainFrame->GetSafeHwnd())
        m_pMainFrame->UpdateTexts();
}

void CLumivoShowsApp::OnLanguageAuto()
{
    SelectLanguage(L"Auto");
    AfterLanguageChange();
}

void CLumivoShowsApp::OnLanguageEnglish()
{
    SelectLanguage(L"English");
    AfterLanguageChange();
}

void CLumivoShowsApp::OnLanguageList()
{
    if (ShowSelectLanguage())
        AfterLanguageChange();
}

void CLumivoShowsApp::OnUpdateLanguageAuto(CCmdUI* pCmdUI)
{
    const wchar_t* name = GetLanguageName(true);
    pCmdUI->SetCheck(name && wcscmp(name, L"Auto") == 0);
}

void CLumivoShowsApp::OnUpdateLanguageEnglish(CCmdUI* pCmdUI)
{
    const wchar_t* name = GetLanguageName(true);
    pCmdUI->SetCheck(name && wcscmp(name, L"English") == 0);
}

void CLumivoShowsApp::OnSkinCommand(UINT nID)
{
    for (unsigned skin = 0; skin < sizeof kSkinCommands / sizeof kSkinCommands[0]; ++skin)
        if (kSkinCommands[skin] == nID)
            SetSkin(skin);
}

void CLumivoShowsApp::OnUpdateSkin(CCmdUI* pCmdUI)
{
    for (unsigned skin = 0; skin < sizeof kSkinCommands / sizeof kSkinCommands[0]; ++skin)
        if (kSkinCommands[skin] == pCmdUI->m_nID)
            pCmdUI->SetCheck(skin == m_nSkin);
}

void CLumivoShowsApp::OnAppExit()
{
    // Through the frame's close, so that its settings are written and a batch is asked about.
    if (m_pMainFrame && m_pMainFrame->GetSafeHwnd())
        m_pMainFrame->PostMessage(WM_CLOSE);
}

CAboutDlg::CAboutDlg(CWnd* pParent) : CKQDialog(IDD_ABOUTBOX, pParent)
{
    EnableVisualManagerStyle(TRUE, TRUE);
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_PICTURE, m_picture);
    DDX_Control(pDX, IDOK, m_btnOK);
}

BOOL CAboutDlg::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (app && app->m_hAppIcon)
        SetIcon(app->m_hAppIcon, TRUE);
    m_picture.ShowPNGPic(IDB_ABOUT, AfxGetResourceHandle(), true);
    SetWindowText(TranslateString(L"About"));
    m_btnOK.SetWindowText(TranslateString(L"OK"));
    SetBmpBTStyle(m_btnOK, IDB_ABOUT_OK);
    CString text;
    text.Format(L"%s %s %s", TranslateString(L"Lumivo Shows"), TranslateString(L"Version"), ZVQUERY_CURRENT_VERSION_W);
    SetDlgItemText(IDC_ABOUT_TEXT, text);
    return TRUE;
}
