#include "PicFullScreenFrame.h"
#include <vfw.h>
#include "LumivoShowsApp.h"
#include "MCIControl.h"
#include "MainFrame.h"
#include "ViewerIds.h"
#include "ZVUILibApp.h"

CPicFullScreenFrame* g_pPicFullScreenFrame = nullptr;
const float kViewerZoomValues[8] = {0.1f, 0.25f, 0.5f, 1.0f, 1.5f, 2.0f, 3.0f, 4.0f};

namespace {
const UINT_PTR kSlideShowTimer = 0;
const UINT_PTR kZoomInTimer = 1;
const UINT_PTR kZoomOutTimer = 2;
const UINT_PTR kAniBarTimer = 3;
} // namespace

BEGIN_MESSAGE_MAP(CPicFullScreenFrame, CBCGPFrameWnd)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_COMMAND(ID_VIEWER_ZOOM_IN, OnZoomButton)
    ON_COMMAND(ID_VIEWER_ZOOM_OUT, OnZoomButton)
    ON_COMMAND(ID_VIEWER_MUSIC, OnMusic)
    ON_UPDATE_COMMAND_UI(ID_VIEWER_MUSIC, OnUpdateMusic)
    ON_MESSAGE(MCIWNDM_NOTIFYMODE, OnMusicNotify)
    ON_COMMAND(ID_VIEWER_EDIT, OnEditMenu)
    ON_COMMAND(ID_VIEWER_ONLINE_SIZE, OnOnlineSizeMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEWER_ONLINE_SIZE, OnUpdateOnlineSizeMenu)
    ON_COMMAND_RANGE(ID_VIEWER_SIZE_SMALL, ID_VIEWER_SIZE_FULL, OnOnlineSize)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEWER_SIZE_SMALL, ID_VIEWER_SIZE_FULL, OnUpdateOnlineSize)
    ON_COMMAND(ID_VIEWER_FOLDER, OnFolder)
    ON_COMMAND(ID_VIEWER_EXPORT, OnExport)
    ON_COMMAND(ID_VIEWER_OPTION, OnOption)
    ON_COMMAND(ID_VIEWER_DELETE, OnDelete)
    ON_UPDATE_COMMAND_UI(ID_VIEWER_DELETE, OnUpdateDelete)
    ON_COMMAND(ID_VIEWER_RENAME, OnRename)
    ON_COMMAND(ID_VIEWER_OPEN_FOLDER_WINDOWS, OnOpenFolderWindows)
    ON_COMMAND(ID_VIEWER_OPEN_FOLDER_LUMIVO, OnOpenFolderLumivo)
    ON_COMMAND(ID_VIEWER_HAND_EFFECT, OnHandEffect)
    ON_COMMAND(ID_VIEWER_HAND_PAGE, OnHandPage)
    ON_COMMAND(ID_VIEWER_HAND_SPLIT, OnHandSplit)
    ON_COMMAND(ID_VIEWER_HAND_COMBINE, OnHandCombine)
    ON_COMMAND(ID_VIEWER_HAND_CROP, OnHandCrop)
    ON_COMMAND(ID_VIEWER_HAND_EDIT, OnHandEdit)
    ON_COMMAND(ID_VIEWER_RESIZE, OnResize)
    ON_COMMAND_RANGE(ID_VIEWER_LAST_OPERATE, ID_VIEWER_LAST_OPERATE, OnFileCommand)
    ON_COMMAND_RANGE(ID_VIEWER_COPY_FAVORITE_FIRST, ID_VIEWER_MOVE_FAVORITE_LAST, OnFileCommand)
    ON_COMMAND_RANGE(ID_VIEWER_COPY_SELECT, ID_VIEWER_MOVE_SELECT, OnFileCommand)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_VIEWER_FULL_SCREEN, OnFullScreen)
    ON_COMMAND(ID_VIEWER_FULL_SCREEN_BUTTON, OnFullScreen)
    ON_COMMAND(ID_VIEWER_PREVIOUS, OnPrevious)
    ON_COMMAND(ID_VIEWER_NEXT, OnNext)
    ON_COMMAND(ID_VIEWER_PLAY, OnPlay)
    ON_COMMAND(ID_VIEWER_ROTATE_LEFT, OnRotateLeft)
    ON_COMMAND(ID_VIEWER_ROTATE_RIGHT, OnRotateRight)
    ON_COMMAND(ID_VIEWER_SAVE, OnSave)
    ON_COMMAND(ID_VIEWER_CLOSE, OnCloseCommand)
    ON_COMMAND(ID_VIEWER_AUTOMATIC, OnAutomatic)
    ON_COMMAND(ID_VIEWER_TILE, OnTile)
    ON_COMMAND(ID_VIEWER_PREVIEW_LIST, OnPreviewList)
    ON_COMMAND(ID_VIEWER_LOCK, OnLock)
    ON_COMMAND(ID_VIEWER_DISPLAY_OPTION, OnDisplayOption)
    ON_COMMAND_RANGE(ID_VIEWER_ZOOM_10, ID_VIEWER_ZOOM_400, OnZoomValue)
    ON_COMMAND_RANGE(ID_VIEWER_ANI_START, ID_VIEWER_ANI_PREVIOUS, OnAniCommand)
    ON_UPDATE_COMMAND_UI(ID_VIEWER_SAVE, OnUpdateSave)
    ON_UPDATE_COMMAND_UI(ID_VIEWER_AUTOMATIC, OnUpdateAutomatic)
    ON_UPDATE_COMMAND_UI(ID_VIEWER_TILE, OnUpdateTile)
    ON_UPDATE_COMMAND_UI(ID_VIEWER_PREVIEW_LIST, OnUpdatePreviewList)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEWER_ZOOM_10, ID_VIEWER_ZOOM_400, OnUpdateZoomValue)
END_MESSAGE_MAP()

const wchar_t kViewerFrameClass[] = L"LumivoViewerFrame";

CPicFullScreenFrame::CPicFullScreenFrame() : m_pMusic(std::make_unique<CMCIControl>()) {}

BOOL CPicFullScreenFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CBCGPFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // Its own class, so that other programs and the tests find the viewer.
    WNDCLASSEXW wc = {sizeof wc};
    if (!::GetClassInfoExW(AfxGetInstanceHandle(), kViewerFrameClass, &wc)) {
        if (!::GetClassInfoExW(AfxGetInstanceHandle(), cs.lpszClass, &wc))
            return FALSE;
        wc.cbSize = sizeof wc;
        wc.lpszClassName = kViewerFrameClass;
        wc.hInstance = AfxGetInstanceHandle();
        if (!::RegisterClassExW(&wc))
            return FALSE;
    }
    cs.lpszClass = kViewerFrameClass;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

CPicFullScreenFrame::~CPicFullScreenFrame()
{
    if (g_pPicFullScreenFrame == this)
        g_pPicFullScreenFrame = nullptr;
}

bool CPicFullScreenFrame::CreateOver(CMainFrame* main)
{
    m_pMain = main;
    m_bMainWasMaximized = main && main->IsZoomed();
    m_bMainWasVisible = main && main->IsWindowVisible();
    RECT work = {0, 0, 1920, 1080};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int w = work.right - work.left, h = work.bottom - work.top;
    const RECT place = {work.left + w / 10, work.top + h / 10, work.right - w / 10, work.bottom - h / 10};
    if (!CBCGPFrameWnd::Create(nullptr, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place, main, nullptr, WS_EX_APPWINDOW)) {
        BCGPMessageBox(L"Fail to CPicFullScreenFrame::Create !", MB_OK | MB_ICONWARNING);
        return false;
    }
    return true;
}

static CPicFullScreenFrame* OpenFrame(CMainFrame* main)
{
    if (g_pPicFullScreenFrame)
        g_pPicFullScreenFrame->DestroyWindow();
    auto* frame = new CPicFullScreenFrame;
    g_pPicFullScreenFrame = frame;
    return frame;
}

static void ShowOverMain(CPicFullScreenFrame* frame, CMainFrame* main)
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    frame->ShowWindow(app && app->m_bShowMaxFullPic ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    frame->UpdateWindow();
    frame->m_wndView.SetFocus();
    frame->UpdateAniBar();
    if (main && main->GetSafeHwnd() && !main->IsFullScreen())
        main->ShowWindow(SW_HIDE);
    // A newly shown frame is raised once more when its activation settles (under Wine, on the
    // display only: the window list keeps the bar above it), and then covers an animation bar
    // shown with it. The bar is shown again over it a moment later.
    frame->SetTimer(kAniBarTimer, 300, nullptr);
}

CPicFullScreenFrame* CPicFullScreenFrame::OpenOnItem(CMainFrame* main, int index, bool fullScreen)
{
    CPicFullScreenFrame* frame = OpenFrame(main);
    if (!frame->CreateOver(main)) {
        delete frame;
        return nullptr;
    }
    frame->m_wndView.SetList(main ? &main->m_wndList : nullptr);
    frame->m_wndView.ShowPicture(index, SHOW_QUICK);
    if (fullScreen)
        frame->ToggleFullScreen();
    ShowOverMain(frame, main);
    return frame;
}

CPicFullScreenFrame* CPicFullScreenFrame::OpenOnFile(CMainFrame* main, const wchar_t* path)
{
    CPicFullScreenFrame* frame = OpenFrame(main);
    if (!frame->CreateOver(main)) {
        delete frame;
        return nullptr;
    }
    frame->m_wndView.SetList(main ? &main->m_wndList : nullptr);
    frame->m_wndView.OpenFile(path);
    ShowOverMain(frame, main);
    return frame;
}

int CPicFullScreenFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (app && app->m_hAppIcon)
        SetIcon(app->m_hAppIcon, TRUE);
    // Without its window the slide show runs silently.
    m_pMusic->Create(this);
    m_wndView.SetFrame(this);
    ApplyBackground();
    // Clipped by its siblings: the navigation bar floats over it in full screen.
    if (!m_wndView.Create(nullptr, L"View", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST)) {
        ::OutputDebugStringW(L"Failed to Create Window\n");
        return -1;
    }
    if (!m_wndNavBar.CreateBar(this)) {
        ::OutputDebugStringW(L"Failed to create navigation bar\n");
        return -1;
    }
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndNavBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndNavBar);
    EnableFullScreenMode(ID_VIEWER_FULL_SCREEN);
    // Without its animation bar the viewer still shows animations.
    if (!m_wndAniBar.CreateFloating(this))
        ::OutputDebugStringW(L"Failed to create the animation bar\n");
    return 0;
}

void CPicFullScreenFrame::OnSetFocus(CWnd*)
{
    if (m_wndView.GetSafeHwnd())
        m_wndView.SetFocus();
}

void CPicFullScreenFrame::OnClose()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    const bool maximized = IsZoomed() != FALSE;
    if (app && maximized != app->m_bShowMaxFullPic) {
        app->WriteProfileInt(L"", L"ShowMaxFullPic", maximized);
        app->m_bShowMaxFullPic = maximized;
    }
    if (m_bSlideShow)
        ToggleSlideShow();
    const bool viewerOnly = app && app->m_bViewerOnly;
    CMainFrame* main = m_pMain;
    DestroyWindow();
    if (viewerOnly && main && main->GetSafeHwnd())
        main->PostMessage(WM_CLOSE);
}

void CPicFullScreenFrame::OnDestroy()
{
    KillTimer(kSlideShowTimer);
    m_nMusicIndex = -1;
    m_pMusic->Close();
    if (g_pPicFullScreenFrame == this)
        g_pPicFullScreenFrame = nullptr;
    ShowMain();
    CBCGPFrameWnd::OnDestroy();
}

void CPicFullScreenFrame::ShowMain()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (!m_pMain || !m_pMain->GetSafeHwnd() || (app && app->m_bViewerOnly))
        return;
    if (m_pMain->IsWindowVisible()) {
        m_pMain->BringWindowToTop();
        return;
    }
    if (m_pMain->m_wndList.GetSafeHwnd())
        m_pMain->m_wndList.PostMessage(KQLV_MSG_UPDATE_VIEW);
    m_pMain->ShowWindow(m_bMainWasMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    m_pMain->UpdateWindow();
}

void CPicFullScreenFrame::PostNcDestroy()
{
    delete this;
}

void CPicFullScreenFrame::ToggleFullScreen()
{
    if (IsZoomed())
        ShowWindow(SW_RESTORE);
    m_bFullScreen = !m_bFullScreen;
    m_wndView.SetFullScreen(m_bFullScreen);
    m_wndNavBar.m_bFullScreen = m_bFullScreen;
    ShowFullScreen();
    ShowNavBar(false);
}

void CPicFullScreenFrame::ShowNavBar(bool atTop)
{
    if (!m_wndNavBar.GetSafeHwnd())
        return;
    SetRedraw(FALSE);
    m_wndNavBar.ShowFolderAndClose();
    if (!m_bFullScreen) {
        RecalcLayout();
    } else {
        // The full-screen bar of the framework stays hidden: Esc and Enter leave the mode.
        if (CBCGPFullScreenBar* bar = GetFullScreenBar())
            if (bar->GetSafeHwnd())
                bar->ShowControlBar(FALSE, FALSE, FALSE); // its floating frame too
        // The framework hid the bar for full screen, so the docking layout leaves it where it
        // is put here.
        CRect client;
        GetClientRect(&client);
        const int height = m_wndNavBar.GetRowHeight();
        const int top = atTop ? client.top : client.bottom - height;
        m_wndNavBar.SetWindowPos(&CWnd::wndTop, client.left, top, client.Width(), height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    SetRedraw(TRUE);
    m_wndNavBar.AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
    UpdateAniBar();
}

void CPicFullScreenFrame::OnSize(UINT nType, int cx, int cy)
{
    CBCGPFrameWnd::OnSize(nType, cx, cy);
    if (m_bFullScreen && nType != SIZE_MINIMIZED)
        ShowNavBar(false);
}

void CPicFullScreenFrame::OnZoomButton()
{
    // The zoom buttons act while held (the frame's zoom timers); the command has no work.
}

void CPicFullScreenFrame::Escape()
{
    if (m_bFullScreen)
        ToggleFullScreen();
    else
        PostMessage(WM_CLOSE);
}

void CPicFullScreenFrame::ToggleSlideShow()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (m_bSlideShow) {
        m_bSlideShow = false;
        KillTimer(kSlideShowTimer);
        if (m_nMusicIndex >= 0) {
            m_nMusicIndex = -1;
            m_pMusic->Stop();
        }
    } else {
        m_bSlideShow = true;
        m_bMusicNoted = false;
        const int seconds =
            std::min(1000, std::max(1, static_cast<int>(AfxGetApp()->GetProfileInt(L"Browse", L"iPlaySpeedTime", 3))));
        SetTimer(kSlideShowTimer, seconds * 1000, nullptr);
        if (app && app->m_viewerSettings.playMusic && !app->m_backgroundMusic.empty())
            PlayTune(0);
    }
    m_wndNavBar.m_bSlideShow = m_bSlideShow;
    if (m_wndNavBar.GetSafeHwnd())
        m_wndNavBar.Invalidate();
}

void CPicFullScreenFrame::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kSlideShowTimer:
        // The last picture stops the show; its note is up already.
        if (!IsIconic() && !m_wndView.ShowPicture(SHOW_NEXT, 0))
            ToggleSlideShow();
        break;
    case kZoomInTimer: m_wndView.ZoomIn(); break;
    case kZoomOutTimer: m_wndView.ZoomOut(); break;
    case kAniBarTimer:
        // Hidden and shown again, the bar is put back on top of the display as well.
        KillTimer(kAniBarTimer);
        m_wndAniBar.Place(false, L"", CRect(), false);
        UpdateAniBar();
        break;
    default: CBCGPFrameWnd::OnTimer(nIDEvent); break;
    }
}

void CPicFullScreenFrame::UpdateTitle()
{
    SetWindowText(m_wndView.GetTitleText().c_str());
}

void CPicFullScreenFrame::OnPictureShown()
{
    UpdateTitle();
    UpdateAniBar();
}

void CPicFullScreenFrame::UpdateAniBar()
{
    if (!m_wndAniBar.GetSafeHwnd() || !m_wndView.GetSafeHwnd())
        return;
    CRect area;
    m_wndView.GetWindowRect(&area);
    // Shown only over a frame that shows: a bar mapped before its owner stays unseen.
    const bool shown = m_wndView.IsAnimated() && IsWindowVisible() && !IsIconic();
    m_wndAniBar.Place(shown, m_wndView.GetAniCaption().c_str(), area, m_bFullScreen);
}

void CPicFullScreenFrame::Rotate(int degrees)
{
    m_wndView.Rotate(degrees);
    m_bRotationUnsaved = m_wndView.GetAngle() != 0;
}

bool CPicFullScreenFrame::SaveRotation()
{
    if (!m_bRotationUnsaved)
        return false;
    if (m_pConfirmModify ? !m_pConfirmModify()
                         : BCGPMessageBox(TranslateString(L"This operation will modify your files"), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return false;
    // Marked saved only once the file holds the turned picture.
    if (!m_wndView.SaveRotated()) {
        CString text = TranslateString(L"Fail to save");
        text += L"\n\"";
        text += m_wndView.GetPath().c_str();
        text += L"\"";
        if (m_pShowError)
            m_pShowError(text);
        else
            BCGPMessageBox(text, MB_OK | MB_ICONWARNING);
        return false;
    }
    m_bRotationUnsaved = false;
    return true;
}

void CPicFullScreenFrame::OnFullScreen() { ToggleFullScreen(); }
void CPicFullScreenFrame::OnPrevious() { m_wndView.ShowPicture(SHOW_PREVIOUS, SHOW_QUICK); }
void CPicFullScreenFrame::OnNext() { m_wndView.ShowPicture(SHOW_NEXT, SHOW_QUICK); }
void CPicFullScreenFrame::OnPlay() { ToggleSlideShow(); }
void CPicFullScreenFrame::OnRotateLeft() { Rotate(-90); }
void CPicFullScreenFrame::OnRotateRight() { Rotate(90); }
void CPicFullScreenFrame::OnSave() { SaveRotation(); }
void CPicFullScreenFrame::OnCloseCommand() { PostMessage(WM_CLOSE); }
void CPicFullScreenFrame::OnAutomatic() { m_wndView.SetFitMode(); }
void CPicFullScreenFrame::OnTile() { m_wndView.ToggleTile(); }
void CPicFullScreenFrame::OnPreviewList() { m_wndView.ToggleStrip(); }
void CPicFullScreenFrame::OnLock() { m_wndView.ToggleZoomLock(); }

void CPicFullScreenFrame::OnZoomValue(UINT nID)
{
    m_wndView.SetZoom(kViewerZoomValues[nID - ID_VIEWER_ZOOM_10]);
}

void CPicFullScreenFrame::OnDisplayOption()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_VIEWER_SHOW_MODE))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    PrepareShowModeMenu(popup);
    CPoint at;
    ::GetCursorPos(&at);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x - 20, at.y - 10, this);
}

void CPicFullScreenFrame::PrepareShowModeMenu(CMenu* popup)
{
    CString lock;
    if (m_wndView.m_bZoomLocked)
        lock = TranslateString(L"Unlock Zoom");
    else
        lock.Format(L"%s %d%%", static_cast<LPCTSTR>(TranslateString(L"Lock")), static_cast<int>(m_wndView.GetZoom() * 100));
    popup->ModifyMenu(ID_VIEWER_LOCK, MF_BYCOMMAND | MF_STRING, ID_VIEWER_LOCK, lock);
    popup->ModifyMenu(ID_VIEWER_AUTOMATIC, MF_BYCOMMAND | MF_STRING, ID_VIEWER_AUTOMATIC, TranslateString(L"Automatic"));
    popup->ModifyMenu(ID_VIEWER_TILE, MF_BYCOMMAND | MF_STRING, ID_VIEWER_TILE, TranslateString(L"Tile"));
    popup->ModifyMenu(ID_VIEWER_PREVIEW_LIST, MF_BYCOMMAND | MF_STRING, ID_VIEWER_PREVIEW_LIST, TranslateString(L"Preview List"));
    popup->CheckMenuItem(ID_VIEWER_AUTOMATIC, MF_BYCOMMAND | (m_wndView.m_bFitMode ? MF_CHECKED : MF_UNCHECKED));
    popup->CheckMenuItem(ID_VIEWER_TILE, MF_BYCOMMAND | (m_wndView.m_bTileMode ? MF_CHECKED : MF_UNCHECKED));
    popup->CheckMenuItem(ID_VIEWER_PREVIEW_LIST, MF_BYCOMMAND | (m_wndView.m_bStripVisible ? MF_CHECKED : MF_UNCHECKED));
    for (UINT id = ID_VIEWER_ZOOM_10; id <= ID_VIEWER_ZOOM_400; ++id)
        popup->CheckMenuItem(id, MF_BYCOMMAND | (m_wndView.GetZoom() == kViewerZoomValues[id - ID_VIEWER_ZOOM_10] ? MF_CHECKED : MF_UNCHECKED));
}

void CPicFullScreenFrame::OnAniCommand(UINT nID)
{
    m_wndView.AnimationCommand(nID);
}

void CPicFullScreenFrame::OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bRotationUnsaved); }
void CPicFullScreenFrame::OnUpdateAutomatic(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndView.m_bFitMode); }
void CPicFullScreenFrame::OnUpdateTile(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndView.m_bTileMode); }
void CPicFullScreenFrame::OnUpdatePreviewList(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndView.m_bStripVisible); }

void CPicFullScreenFrame::OnUpdateZoomValue(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndView.GetZoom() == kViewerZoomValues[pCmdUI->m_nID - ID_VIEWER_ZOOM_10]);
}

void CPicFullScreenFrame::SetMusicPlayer(std::unique_ptr<MusicPlayer> player)
{
    m_nMusicIndex = -1;
    m_pMusic->Close();
    m_pMusic = std::move(player);
    if (GetSafeHwnd())
        m_pMusic->Create(this);
}

bool CPicFullScreenFrame::PlayTune(int index)
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (!app || index < 0 || index >= static_cast<int>(app->m_backgroundMusic.size()))
        return false;
    m_nMusicIndex = index;
    // The player stops what plays before it opens the tune, and its window reports that stop.
    m_bOpeningTune = true;
    const bool playing = m_pMusic->OpenAndPlay(app->m_backgroundMusic[static_cast<size_t>(index)].c_str());
    m_bOpeningTune = false;
    if (playing) {
        m_pMusic->SetVolume(app->m_viewerSettings.volume);
        return true;
    }
    m_nMusicIndex = -1;
    if (!m_bMusicNoted) {
        m_bMusicNoted = true;
        m_wndView.Note(L"Background music is not available");
    }
    return false;
}

void CPicFullScreenFrame::OnMusic()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (!app)
        return;
    bool& on = app->m_viewerSettings.playMusic;
    on = !on;
    app->WriteProfileInt(L"Browse", L"iPlayMusic", on ? 1 : 0);
    if (!m_pMusic->IsOpened() && !app->m_backgroundMusic.empty() && on)
        PlayTune(0);
    if (m_nMusicIndex >= 0 && m_pMusic->IsOpened()) {
        if (on)
            m_pMusic->Play();
        else
            m_pMusic->Pause();
    }
    m_wndNavBar.Invalidate();
    m_wndView.Render();
}

void CPicFullScreenFrame::OnUpdateMusic(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bSlideShow);
}

LRESULT CPicFullScreenFrame::OnMusicNotify(WPARAM, LPARAM lParam)
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (lParam != MCI_MODE_STOP || m_bOpeningTune || m_nMusicIndex < 0 || !app || app->m_backgroundMusic.empty())
        return 0;
    const int next = m_nMusicIndex + 1 < static_cast<int>(app->m_backgroundMusic.size()) ? m_nMusicIndex + 1 : 0;
    PlayTune(next);
    return 0;
}

void CPicFullScreenFrame::SetMusicVolume(int percent)
{
    if (m_nMusicIndex >= 0 && m_pMusic->IsOpened())
        m_pMusic->SetVolume(percent);
}

void CPicFullScreenFrame::ApplyBackground()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    const COLORREF chosen = app ? app->m_viewerSettings.clrBackground : static_cast<COLORREF>(-1);
    // Automatic: the skin's window colour, as behind the browser's list.
    m_wndView.m_crBack = chosen == static_cast<COLORREF>(-1) ? globalData.clrWindow : chosen;
    if (m_wndView.GetSafeHwnd())
        m_wndView.Render();
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}
