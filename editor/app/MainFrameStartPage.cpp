#include "MainFrameStartPage.h"
#include <shellapi.h>
#include "EditorUtils.h"
#include "LumivoToolsApp.h"
#include "LumivoToolsIds.h"
#include "SheetOption.h"
#include "ShellService.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kStartPageClass[] = L"LumivoMainFrame";
const UINT kTilesId = 1;

CLumivoToolsApp* App()
{
    return GetLumivoToolsApp();
}

CString Translated(const wchar_t* text)
{
    return TranslateString(text);
}

// Whether a colour is so light that a bar drawn in it would vanish on white.
bool IsPale(COLORREF color)
{
    return GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114 > 200 * 1000;
}

} // namespace

IMPLEMENT_DYNAMIC(CMainFrameStartPage, CBCGPFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrameStartPage, CBCGPFrameWnd)
    ON_WM_TIMER()
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_TRAY_CAPTURE, OnTrayCapture)
    ON_COMMAND(ID_TRAY_SHOW, OnTrayShow)
    ON_COMMAND(ID_OPTION, OnOption)
    ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
END_MESSAGE_MAP()

CMainFrameStartPage::CMainFrameStartPage() = default;

CMainFrameStartPage::~CMainFrameStartPage()
{
    if (m_hTrayIcon)
        ::DestroyIcon(m_hTrayIcon);
}

BOOL CMainFrameStartPage::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CBCGPFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The browser's frame has the same class: the exit notification looks for both.
    WNDCLASSEXW wc = {sizeof wc};
    if (!::GetClassInfoExW(AfxGetInstanceHandle(), kStartPageClass, &wc)) {
        if (!::GetClassInfoExW(AfxGetInstanceHandle(), cs.lpszClass, &wc))
            return FALSE;
        wc.cbSize = sizeof wc;
        wc.lpszClassName = kStartPageClass;
        wc.hInstance = AfxGetInstanceHandle();
        if (!::RegisterClassExW(&wc))
            return FALSE;
    }
    cs.lpszClass = kStartPageClass;
    return TRUE;
}

int CMainFrameStartPage::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CLumivoToolsApp* app = App();
    m_nTaskbarCreatedMsg = static_cast<int>(::RegisterWindowMessageW(L"TaskbarCreated"));
    app->m_query.SetMainWnd(m_hWnd);
    if (app->m_hAppIcon)
        SetIcon(app->m_hAppIcon, TRUE);

    CRect client;
    GetClientRect(&client);
    if (!m_tiles.Create(client, this, kTilesId, WS_CHILD | WS_VISIBLE))
        return 0;
    RegisterCaptureHotKeys();

    CBCGPWinUITiles* tiles = m_tiles.GetWinUITiles();
    tiles->SetSquareSize(CSize(m_size.tileWidth, m_size.tileHeight));
    tiles->SetCaption(Translated(L"Lumivo Tools"));
    const struct {
        UINT id, image;
        const wchar_t* name;
    } kButtons[] = {
        {ID_CAPTION_EXIT, IDB_CAPTION_EXIT, L"Exit"},
        {ID_CAPTION_HELP, IDB_CAPTION_HELP, L"Help"},
        {ID_CAPTION_SETTING, IDB_CAPTION_SETTING, L"Setting"},
        {ID_CAPTION_SKIN, IDB_CAPTION_SKIN, L"Skin"},
    };
    for (const auto& b : kButtons)
        tiles->AddCaptionButton(b.id, CBCGPImage(b.image, AfxGetResourceHandle()), Translated(b.name));

    const bool tarvex = IsTarvexInstalled();
    for (size_t i = 0; i < kStartTileCount; ++i)
        if (StartTileShown(kStartTiles[i].tile, tarvex))
            AddStartTile(kStartTiles[i]);

    CheckNewVersion();
    m_tiles.ModifyTiles();
    SetTileTexts();

    DWORD stored = kDefaultSkin;
    GetLumivoToolsSkin(stored);
    app->SetSkin(NormalizeSkin(stored));
    SetSkinBackground();

    if (!app->m_bAnotherInstance)
        AddTrayIcon(m_strTrayTip, m_nTrayIconId);
    return 0;
}

void CMainFrameStartPage::AddStartTile(const StartTileInfo& info)
{
    const BCGP_WINUI_TILE_TYPE type = info.kind == 0 ? BCGP_TILE_REGULAR : BCGP_TILE_WIDE;
    CKQWinTile* tile = m_tiles.AddTile(L"", info.image, CBCGPColor(info.background), CBCGPColor(RGB(255, 255, 255)), info.group,
                                       info.userData, type);
    if (info.frames > 0)
        tile->SetAnimationRes(info.image, info.frames);
    m_tileList[static_cast<size_t>(info.tile)] = tile;
}

void CMainFrameStartPage::RegisterCaptureHotKeys()
{
    const CaptureSettings& capture = App()->m_capture;
    ::RegisterHotKey(m_hWnd, kHotkeyCapture, HotKeySystemModifiers(capture.Hotkey), HotKeyVirtualKey(capture.Hotkey));
    ::RegisterHotKey(m_hWnd, kHotkeySaveCapture, HotKeySystemModifiers(capture.SaveHotkey), HotKeyVirtualKey(capture.SaveHotkey));
}

void CMainFrameStartPage::UnregisterCaptureHotKeys()
{
    ::UnregisterHotKey(m_hWnd, kHotkeyCapture);
    ::UnregisterHotKey(m_hWnd, kHotkeySaveCapture);
}

void CMainFrameStartPage::ShowStartPage(int showCommand)
{
    ShowWindow(showCommand);
    if (showCommand == SW_HIDE)
        KillTimer(kAnimationTimer);
    else
        SetTimer(kAnimationTimer, 3000, nullptr);
}

void CMainFrameStartPage::SetSkinBackground()
{
    const unsigned skin = App()->m_nSkin;
    const SkinLook& look = GetSkinLook(skin);
    m_strBackground = GetKQDataFolder((CString(L"StartPage\\") + look.background).GetString()).GetString();
    m_clrCaption = look.systemCaptionColour ? globalData.clrBarText : look.captionColour;
    m_nHoverIndex = -1;
    if (!m_tiles.m_hWnd)
        return;
    CRect client;
    m_tiles.GetClientRect(&client);
    m_tiles.m_szBackground.cx = client.Width();
    m_tiles.m_szBackground.cy = client.Height();
    m_tiles.m_strBackground = m_strBackground;
    m_tiles.ChangeSkin();
    CBCGPWinUITiles* tiles = m_tiles.GetWinUITiles();
    tiles->SetCaptionForegroundColor(m_clrCaption);
    COLORREF bar = globalData.clrBarFace;
    if (IsPale(bar))
        bar = CBCGPDrawManager::ColorMakeDarker(bar, 0.3);
    tiles->SetScrollBarColorTheme(CBCGPScrollBarColorTheme(bar));
    m_tiles.Invalidate(FALSE);
}

void CMainFrameStartPage::SetTileTexts()
{
    CLumivoToolsApp* app = App();
    const CKQCmdUI::FileList& files = app->m_cmdInfo.m_fileList;
    const wchar_t* firstFile = files.GetCount() > 0 ? files.Begin().Get().GetString() : nullptr;
    SetWindowText(MakeStartPageTitle(TranslateString(L"Lumivo Tools"), ZVQUERY_CURRENT_VERSION_W, TranslateString(L"Open"), firstFile)
                      .GetString());
    if (!m_tiles.m_hWnd)
        return;
    CBCGPWinUITiles* tiles = m_tiles.GetWinUITiles();
    tiles->SetCaption(Translated(L"Lumivo Tools"));
    tiles->SetCaptionButtonName(ID_CAPTION_SKIN, Translated(L"Skin"));
    tiles->SetCaptionButtonName(ID_CAPTION_SETTING, Translated(L"Setting"));
    tiles->SetCaptionButtonName(ID_CAPTION_HELP, Translated(L"Help"));
    tiles->SetCaptionButtonName(ID_CAPTION_EXIT, Translated(L"Exit"));

    const struct {
        StartTile tile;
        const wchar_t* header;
    } kHeaders[] = {
        {StartTile::Page, L"Page design"}, {StartTile::Batch, L"Batch"},     {StartTile::Effect, L"Effect"},
        {StartTile::Editor, L"Editor"},    {StartTile::Combine, L"Combine"}, {StartTile::Split, L"Split"},
        {StartTile::Capture, L"Screen Capture"}, {StartTile::Browse, L"Browse"},
    };
    for (const auto& h : kHeaders)
        if (CKQWinTile* tile = GetTile(h.tile)) {
            tile->SetHeader(Translated(h.header));
            tile->SetToolTipText(Translated(h.header));
        }
    if (CKQWinTile* tile = GetTile(StartTile::Tarvex)) {
        tile->SetName(Translated(L"Tarvex"));
        tile->SetToolTipText(Translated(L"Tarvex"));
    }
    if (CKQWinTile* tile = GetTile(StartTile::NewVersion)) {
        tile->SetName(Translated(L"New Version"));
        tile->SetToolTipText(Translated(L"New Version"));
    }
    CString text;
    if (CKQWinTile* tile = GetTile(StartTile::Page)) {
        text.Format(L"%s\r\n%s", TranslateString(L"Combine your pictures"), TranslateString(L"Make poster and cover"));
        tile->SetText(text);
    }
    if (CKQWinTile* tile = GetTile(StartTile::Batch)) {
        text.Format(L"%s\r\n%s,%s,\r\n%s,%s ...", TranslateString(L"Operate multiple pictures."), TranslateString(L"Organize"),
                    TranslateString(L"Optimize"), TranslateString(L"Add watermark"), TranslateString(L"Rotate"));
        tile->SetText(text);
    }
    if (CKQWinTile* tile = GetTile(StartTile::Effect)) {
        text.Format(L"%s\r\n%s", TranslateString(L"Add effect and frame to pictures."), TranslateString(L"Make pictures look more vivid."));
        tile->SetText(text);
    }
    UpdateCaptureTileText();

    // The menus' own texts: every pop-up the page opens.
    const struct {
        UINT menu, command;
        const wchar_t* text;
    } kItems[] = {
        {IDR_MENU_SKIN, ID_SKIN_WHITE, L"White"},   {IDR_MENU_SKIN, ID_SKIN_PINK, L"Pink"},
        {IDR_MENU_SKIN, ID_SKIN_YELLOW, L"Yellow"}, {IDR_MENU_SKIN, ID_SKIN_GREEN, L"Green"},
        {IDR_MENU_SKIN, ID_SKIN_BLUE, L"Blue"},     {IDR_MENU_SKIN, ID_SKIN_PURPLE, L"Purple"},
        {IDR_MENU_SKIN, ID_SKIN_BLACK, L"Black"},   {IDR_MENU_SETTING, ID_OPTION, L"Option"},
        {IDR_MENU_SETTING, ID_LANGUAGE, L"Language"}, {IDR_MENU_HELP, ID_HOMEPAGE, L"Homepage"},
        {IDR_MENU_HELP, ID_HELP_PAGE, L"Help"},     {IDR_MENU_HELP, ID_BUG_REPORT, L"Bug Report"},
        {IDR_MENU_HELP, ID_APP_ABOUT_BOX, L"About"}, {IDR_MENU_TRAY, ID_TRAY_CAPTURE, L"Capture"},
        {IDR_MENU_TRAY, ID_TRAY_SHOW, L"Show Start Page"}, {IDR_MENU_TRAY, ID_OPTION, L"Option"},
        {IDR_MENU_TRAY, ID_TRAY_EXIT, L"Exit"},
    };
    for (const auto& item : kItems)
        if (HMENU menu = GetPopupMenu(item.menu))
            ::ModifyMenuW(menu, item.command, MF_BYCOMMAND | MF_STRING, item.command, TranslateString(item.text));
    m_tiles.GetWinUITiles()->Redraw();
}

void CMainFrameStartPage::UpdateCaptureTileText()
{
    CKQWinTile* tile = GetTile(StartTile::Capture);
    const EditorText text = HotKeyToText(App()->m_capture.Hotkey);
    if (tile && !text.IsEmpty())
        tile->SetText(text.GetString());
}

HMENU CMainFrameStartPage::GetPopupMenu(UINT menuId) const
{
    return g_pContextMenuManager ? g_pContextMenuManager->GetMenuById(menuId) : nullptr;
}

CPoint CMainFrameStartPage::CaptionMenuPoint(UINT buttonId) const
{
    CRect r = const_cast<CKQTileUI&>(m_tiles).GetWinUITiles()->GetCaptionButtonRect(buttonId);
    CPoint at(r.left + 10, r.bottom - 5);
    ::ClientToScreen(m_tiles.m_hWnd, &at);
    return at;
}

bool CMainFrameStartPage::AddTrayIcon(const wchar_t* tip, UINT iconId)
{
    if (!m_hTrayIcon)
        m_hTrayIcon = static_cast<HICON>(::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    NOTIFYICONDATAW data = {sizeof data};
    data.hWnd = m_hWnd;
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_CALLBACK;
    data.hIcon = m_hTrayIcon;
    wcsncpy_s(data.szTip, tip, _TRUNCATE);
    // After "TaskbarCreated" the icon may still be there (the notification area did not lose it).
    m_bTrayIconAdded = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE || ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    return m_bTrayIconAdded;
}

void CMainFrameStartPage::RemoveTrayIcon()
{
    if (m_bTrayIconAdded) {
        NOTIFYICONDATAW data = {sizeof data};
        data.hWnd = m_hWnd;
        data.uID = 0;
        ::Shell_NotifyIconW(NIM_DELETE, &data);
    }
    if (m_hTrayIcon)
        ::DestroyIcon(m_hTrayIcon);
    m_hTrayIcon = nullptr;
    m_bTrayIconAdded = false;
}

void CMainFrameStartPage::CheckNewVersion()
{
    CLumivoToolsApp* app = App();
    const CString stored = app->GetProfileString(L"", L"NewVersion", L"");
    if (StoredVersionIsNewer(stored, ZVQUERY_CURRENT_VERSION_W)) {
        if (!GetTile(StartTile::NewVersion)) {
            AddStartTile(kNewVersionTile);
            GetTile(StartTile::NewVersion)->SetBadgeNumber(1);
            m_tiles.GetWinUITiles()->AdjustLayout();
        }
        return;
    }
    app->m_query.CheckUpdateStartup();
}

void CMainFrameStartPage::OnNewVersion()
{
    if (GetTile(StartTile::NewVersion))
        return;
    CLumivoToolsApp* app = App();
    AddStartTile(kNewVersionTile);
    CKQWinTile* tile = GetTile(StartTile::NewVersion);
    tile->SetName(Translated(L"New Version"));
    tile->SetToolTipText(Translated(L"New Version"));
    app->WriteProfileString(L"", L"NewVersion", app->m_query.GetLatestVersion().GetString());
    tile->SetBadgeNumber(1);
    m_tiles.ModifyTiles();
    m_tiles.GetWinUITiles()->AdjustLayout();
    app->m_query.Statistics();
}

void CMainFrameStartPage::OnAnimationTick()
{
    for (size_t i = 0; i < m_tileList.size(); ++i) {
        CKQWinTile* tile = m_tileList[i];
        if (!tile || tile->m_nAnimationRes[0] == 0)
            continue;
        if (++m_animationTicks[i] % 2 != 0)
            continue;
        int next = m_animationFrame[i] + 1;
        if (next >= 5 || tile->m_nAnimationRes[next] == 0)
            next = 0;
        m_animationFrame[i] = next;
        CBCGPImage image(tile->m_nAnimationRes[next], AfxGetResourceHandle());
        image.Resize(m_tiles.GetWinUITiles()->GetSquareSize());
        tile->SetImage(image, 0, 1000, TRUE);
        CRect r = tile->GetRect();
        r.InflateRect(1, 1);
        m_tiles.InvalidateRect(&r, FALSE);
    }
}

void CMainFrameStartPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAnimationTimer)
        OnAnimationTick();
    CBCGPFrameWnd::OnTimer(nIDEvent);
}

void CMainFrameStartPage::OnSetFocus(CWnd*)
{
    // The frame's own focus handling would hand the focus to a view it does not have.
}

void CMainFrameStartPage::OnSize(UINT nType, int cx, int cy)
{
    CBCGPFrameWnd::OnSize(nType, cx, cy);
    if (m_tiles.m_hWnd && cx > 0 && cy > 0)
        m_tiles.MoveWindow(0, 0, cx, cy);
}

bool CMainFrameStartPage::AskExit()
{
    return BCGPMessageBox(TranslateString(L"Do you want to exit ?"), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CMainFrameStartPage::OnClose()
{
    if (m_bTrayIconAdded) {
        // The tray icon leads back.
        ShowStartPage(SW_HIDE);
        m_bShown = false;
        return;
    }
    // A second instance, or the system refused the icon: hiding would lose the way back.
    if (AskExit())
        App()->QuitProgram();
}

void CMainFrameStartPage::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CBCGPFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE) {
        App()->SetRegistryBase(L"StartPage Settings");
        App()->m_pMainWnd = this;
    }
}

void CMainFrameStartPage::OnDestroy()
{
    if (m_bTrayIconAdded)
        RemoveTrayIcon();
    UnregisterCaptureHotKeys();
    KillTimer(kAnimationTimer);
    CBCGPFrameWnd::OnDestroy();
}

void CMainFrameStartPage::PostNcDestroy()
{
    CLumivoToolsApp* app = App();
    if (app && app->m_pStartPage == this)
        app->m_pStartPage = nullptr;
    if (app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    CBCGPFrameWnd::PostNcDestroy();
}

void CMainFrameStartPage::OnTrayCapture()
{
    ShowStartPage(SW_HIDE);
    App()->ShowScreenCapture();
}

void CMainFrameStartPage::OnTrayShow()
{
    SetForegroundWindow();
    ShowStartPage(SW_SHOW);
    m_bShown = true;
}

void CMainFrameStartPage::OnOption()
{
    // The keys are free while the sheet runs, so that the user can pick the same ones again.
    UnregisterCaptureHotKeys();
    {
        CSheetOption sheet(TranslateString(L"Option"), this);
        sheet.DoModal();
    }
    RegisterCaptureHotKeys();
    UpdateCaptureTileText();
}

void CMainFrameStartPage::OnTrayExit()
{
    App()->QuitProgram();
}

void CMainFrameStartPage::OnTileClick(CBCGPWinUITile* pTile)
{
    const StartTileInfo* info = pTile ? FindStartTile(static_cast<unsigned>(pTile->GetUserData())) : nullptr;
    if (!info)
        return;
    CLumivoToolsApp* app = App();
    switch (info->tile) {
    case StartTile::Browse:
    case StartTile::Batch: {
        ShowStartPage(SW_HIDE);
        const CModulePathStr browser(L"LumivoShows.exe");
        RunAndWait(browser.GetString(), info->tile == StartTile::Batch ? L"/batch" : nullptr);
        ShowStartPage(SW_SHOW);
        break;
    }
    case StartTile::Editor: app->ShowEditorFrame(); break;
    case StartTile::Page: app->ShowPagesFrame(); break;
    case StartTile::Effect: app->ShowEffectFrame(); break;
    case StartTile::Split: app->ShowSplitFrame(); break;
    case StartTile::Combine: app->ShowCombineFrame(); break;
    case StartTile::Capture: app->ShowScreenCapture(); break;
    case StartTile::Tarvex: zvui::Shell().OpenAddress(GetLinkAddress(LinkKind::MakerSite)); break;
    case StartTile::NewVersion: {
        const CString url = app->m_query.GetLatestURL().GetString();
        zvui::Shell().OpenAddress(url.Left(4) == L"http" ? url : GetLinkAddress(LinkKind::HomePage));
        break;
    }
    }
}

void CMainFrameStartPage::OnCaptionButtonClick(UINT nID)
{
    UINT menu = 0;
    switch (nID) {
    case ID_CAPTION_EXIT:
        if (AskExit())
            App()->QuitProgram();
        return;
    case ID_CAPTION_HELP: menu = IDR_MENU_HELP; break;
    case ID_CAPTION_SETTING: menu = IDR_MENU_SETTING; break;
    case ID_CAPTION_SKIN: menu = IDR_MENU_SKIN; break;
    default: return;
    }
    const CPoint at = CaptionMenuPoint(nID);
    if (g_pContextMenuManager)
        g_pContextMenuManager->ShowPopupMenu(menu, at.x, at.y, this, TRUE);
}

void CMainFrameStartPage::OnTrayNotify(LPARAM lParam)
{
    if (lParam == WM_LBUTTONUP) {
        OnTrayShow();
    } else if (lParam == WM_RBUTTONUP) {
        CPoint at;
        ::GetCursorPos(&at);
        SetForegroundWindow();
        if (HMENU menu = GetPopupMenu(IDR_MENU_TRAY))
            ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
        PostMessage(WM_NULL);
    }
}

LRESULT CMainFrameStartPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HOTKEY:
        // Posted to this window even while it is hidden and another frame is the main window.
        if (wParam == kHotkeyCapture || wParam == kHotkeySaveCapture) {
            ShowStartPage(SW_HIDE);
            App()->ShowScreenCapture(wParam == kHotkeySaveCapture);
            return 0;
        }
        break;
    case WM_TRAY_CALLBACK:
        OnTrayNotify(lParam);
        return 0;
    case WM_START_PAGE_QUIT:
        App()->QuitProgram();
        return 0;
    case WM_NEW_VERSION_FOUND:
        OnNewVersion();
        return 0;
    default:
        if (message == BCGM_ON_CLICK_WINUI_UI_TILE) {
            OnTileClick(reinterpret_cast<CBCGPWinUITile*>(lParam));
            return 0;
        }
        if (message == BCGM_ON_CLICK_WINUI_UI_CAPTION_BUTTON) {
            OnCaptionButtonClick(static_cast<UINT>(lParam));
            return 0;
        }
        if (m_nTaskbarCreatedMsg && message == static_cast<UINT>(m_nTaskbarCreatedMsg) && m_bTrayIconAdded) {
            m_bTrayIconAdded = false;
            AddTrayIcon(m_strTrayTip, m_nTrayIconId);
            return 0;
        }
        break;
    }
    return CBCGPFrameWnd::WindowProc(message, wParam, lParam);
}
