#include "MainFrame.h"
#include <cstdio>
#include "BrowserUtil.h"
#include "KQPPopupWindow.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "StartupTables.h"
#include "ZVUILibApp.h"

const wchar_t kMainFrameClass[] = L"LumivoMainFrame";

namespace {

const wchar_t kVersion[] = L"1.4.6";

CString Translated(const wchar_t* text)
{
    return CString(TranslateString(text));
}

HICON LoadSmallIcon(UINT id)
{
    return static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
}

} // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CBCGPFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_SHOWS_EXIT, OnExitMessage)
    ON_MESSAGE(WM_SHOWS_NEW_VERSION, OnNewVersion)
    ON_MESSAGE(WM_SHOWS_EDITOR_ENDED, OnEditorEnded)
    ON_MESSAGE(WM_SHOWS_BATCH_PROGRESS, OnBatchProgressMessage)
    ON_MESSAGE(WM_SHOWS_NOTE, OnNote)
    ON_COMMAND(ID_FULL_SCREEN, OnFullScreen)
    ON_COMMAND_RANGE(ID_STATUS_ICON_SIZE, ID_STATUS_SORT, OnStatusMenu)
    ON_COMMAND(ID_STATUS_CANCEL, OnCancelBatch)
    ON_COMMAND(ID_STATUS_SMALL_FILTER, OnSmallFileFilter)
    ON_COMMAND(ID_STATUS_LOAD_ANI, OnLoadAnimation)
    ON_UPDATE_COMMAND_UI(ID_STATUS_SMALL_FILTER, OnUpdateSmallFileFilter)
    ON_UPDATE_COMMAND_UI(ID_STATUS_LOAD_ANI, OnUpdateLoadAnimation)
    ON_COMMAND_RANGE(ID_CAPTION_SKIN, ID_CAPTION_MENU, OnCaptionMenu)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    if (m_hSmallIcon)
        ::DestroyIcon(m_hSmallIcon);
    for (HICON icon : m_captionIcons)
        if (icon)
            ::DestroyIcon(icon);
    for (HICON icon : m_statusIcons)
        if (icon)
            ::DestroyIcon(icon);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CBCGPFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The editor finds every browser by this class at its exit.
    WNDCLASSEXW wc = {sizeof wc};
    if (!::GetClassInfoExW(AfxGetInstanceHandle(), kMainFrameClass, &wc)) {
        if (!::GetClassInfoExW(AfxGetInstanceHandle(), cs.lpszClass, &wc))
            return FALSE;
        wc.cbSize = sizeof wc;
        wc.lpszClassName = kMainFrameClass;
        wc.hInstance = AfxGetInstanceHandle();
        if (!::RegisterClassExW(&wc))
            return FALSE;
    }
    cs.lpszClass = kMainFrameClass;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The list answers first: its menus' commands reach it from everywhere in the frame.
    if (m_wndList.GetSafeHwnd() && m_wndList.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CBCGPFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMainFrame::OnShowPopupMenu(CBCGPPopupMenu* pMenu)
{
    if (pMenu && m_menuLogo.IsValid())
        pMenu->EnableMenuLogo(m_menuLogo.GetImageSize().cx);
    return CBCGPFrameWnd::OnShowPopupMenu(pMenu);
}

BOOL CMainFrame::OnDrawMenuLogo(CDC* pDC, CBCGPPopupMenu*, const CRect& rect)
{
    if (!m_menuLogo.IsValid())
        return FALSE;
    CBCGPDrawManager dm(*pDC);
    dm.FillGradient(rect, CBCGPVisualManager::GetInstance()->GetAccentColor(), globalData.clrActiveCaption, TRUE);
    // A short menu shows the band alone: the picture would crowd its few items.
    const CSize image = m_menuLogo.GetImageSize();
    if (rect.Height() > 150)
        m_menuLogo.Draw(pDC, rect.left + (rect.Width() - image.cx) / 2, rect.bottom - image.cy - 4, 0);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (app)
        app->m_query.SetMainWnd(m_hWnd); // its newer-version message comes here
    if (app && app->m_hAppIcon)
        SetIcon(app->m_hAppIcon, TRUE);
    m_hSmallIcon = LoadSmallIcon(IDR_MAINFRAME);
    if (m_hSmallIcon)
        SetIcon(m_hSmallIcon, FALSE);

    if (!m_wndPrint.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 0, 0), this, ID_PRINT_WND))
        return -1;
    m_menuLogo.Load(IDB_MENU_LOGO);
    m_menuLogo.SetSingleImage();
    if (!m_wndRibbonBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_RIBBON_BAR))
        return -1;
    // Images of the 24-pixel strip: menu 0, full screen 1, skin 2.
    static const struct {
        const wchar_t* text;
        UINT id;
        int image;
    } kCaptionButtons[] = {
        {L"Menu", ID_CAPTION_MENU, 0},
        {L"Skin", ID_CAPTION_SKIN, 2},
        {L"Full Screen", ID_FULL_SCREEN, 1},
    };
    CBCGPToolBarImages captionImages;
    captionImages.SetImageSize(CSize(24, 24));
    captionImages.Load(IDB_CAPTION_BUTTONS);
    for (size_t i = 0; i < 3; ++i) {
        m_captionIcons[i] = captionImages.ExtractIcon(kCaptionButtons[i].image);
        if (!m_wndRibbonBar.AddCaptionButton(Translated(kCaptionButtons[i].text), Translated(kCaptionButtons[i].text),
                                             kCaptionButtons[i].id, m_captionIcons[i]))
            return -1;
    }

    if (!m_wndList.CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST))
        return -1;

    if (app)
        app->BindFileCommands();

    if (!m_wndStatusBar.Create(this))
        return -1;
    const UINT statusIcons[] = {IDI_STATUS_CANCEL, IDI_STATUS_SORT, IDI_STATUS_ICON_CONTENT, IDI_STATUS_ICON_SIZE};
    for (size_t i = 0; i < 4; ++i)
        m_statusIcons[i] = LoadSmallIcon(statusIcons[i]);
    m_pFolderInfo = new CBCGPRibbonLabel(L"");
    m_pFolderInfo->SetID(ID_STATUS_FOLDER_INFO);
    m_wndStatusBar.AddElement(m_pFolderInfo, L"Folder Information");
    m_wndStatusBar.AddSeparator();
    m_pFileInfo = new CBCGPRibbonLabel(L"");
    m_pFileInfo->SetID(ID_STATUS_FILE_INFO);
    m_wndStatusBar.AddElement(m_pFileInfo, L"File Information");
    m_wndStatusBar.AddSeparator();
    m_pSmallFilter = new CBCGPRibbonCheckBox(ID_STATUS_SMALL_FILTER, L"Small File Filter");
    m_wndStatusBar.AddElement(m_pSmallFilter, L"Small File Filter");
    m_pLoadAni = new CBCGPRibbonCheckBox(ID_STATUS_LOAD_ANI, L"Loading Animate");
    m_wndStatusBar.AddElement(m_pLoadAni, L"Loading Animate");

    m_pProgressName = new CBCGPRibbonLabel(L"");
    m_pProgressName->SetID(ID_STATUS_PROGRESS_NAME);
    m_wndStatusBar.AddExtendedElement(m_pProgressName, L"");
    m_pCancel = new CBCGPRibbonStatusBarPane(ID_STATUS_CANCEL, L"Cancel", FALSE, m_statusIcons[0]);
    m_wndStatusBar.AddExtendedElement(m_pCancel, L"Cancel", FALSE);
    m_pProgress = new CBCGPRibbonProgressBar(ID_STATUS_PROGRESS, 200, 22);
    m_pProgress->SetRange(0, 100);
    m_wndStatusBar.AddExtendedElement(m_pProgress, L"Progress", FALSE);
    m_pSort = new CBCGPRibbonStatusBarPane(ID_STATUS_SORT, L"Sort", FALSE, m_statusIcons[1]);
    m_wndStatusBar.AddExtendedElement(m_pSort, L"Sort");
    m_pIconContent = new CBCGPRibbonStatusBarPane(ID_STATUS_ICON_CONTENT, L"Icon Content", FALSE, m_statusIcons[2]);
    m_wndStatusBar.AddExtendedElement(m_pIconContent, L"Icon Content");
    m_pIconSize = new CBCGPRibbonStatusBarPane(ID_STATUS_ICON_SIZE, L"Icon Size", FALSE, m_statusIcons[3]);
    m_wndStatusBar.AddExtendedElement(m_pIconSize, L"Icon Size");
    m_pCancel->SetVisible(FALSE);
    m_pProgress->SetVisible(FALSE);

    UpdateTexts();
    m_wndList.SetFocus();
    EnableFullScreenMode(ID_FULL_SCREEN);

    if (app)
        app->SetSkin(ReadStartSkin());
    if (app) {
        // A picture named on the command line is selected once its folder is read.
        m_wndList.SelectWhenListed(app->m_cmdInfo.m_path.c_str());
        m_wndList.OpenFolder(app->m_strStartFolder.c_str());
    }
    m_bCreated = true;
    return 0;
}

void CMainFrame::OnClose()
{
    if (m_wndList.IsBatchRunning() && !m_wndList.IsBatchStopping()) {
        if (BCGPMessageBox(m_hWnd, TranslateString(L"Do you want to exit ?"), TranslateString(L"Batch task is running"),
                           MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        m_wndList.StopBatchTask();
    }
    m_bCreated = false;
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        app->SaveFrameSettings(this);
    CBCGPFrameWnd::OnClose();
}

void CMainFrame::OnSetFocus(CWnd*)
{
    if (m_wndList.GetSafeHwnd())
        m_wndList.SetFocus();
}

LRESULT CMainFrame::OnExitMessage(WPARAM, LPARAM)
{
    // As Exit: through the close, so that the settings are written and a batch is asked about.
    SendMessage(WM_CLOSE);
    return 0;
}

LRESULT CMainFrame::OnNewVersion(WPARAM, LPARAM)
{
    if (BCGPMessageBox(TranslateString(L"Download latest version ?"), MB_YESNO | MB_ICONQUESTION) == IDYES)
        ::ShellExecuteW(m_hWnd, L"open", GetShowsLink(ShowsLink::HomePage).GetString(), nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}

LRESULT CMainFrame::OnEditorEnded(WPARAM, LPARAM)
{
    m_wndList.ReloadHandedOver();
    return 0;
}

LRESULT CMainFrame::OnBatchProgressMessage(WPARAM wParam, LPARAM)
{
    OnBatchProgress(static_cast<int>(wParam));
    return 0;
}

LRESULT CMainFrame::OnNote(WPARAM, LPARAM lParam)
{
    const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
    CLumivoShowsApp* app = GetLumivoShowsApp();
    PopupNotifyWnd(text ? text : L"", 2, app ? app->m_hAppIcon : nullptr, nullptr);
    ++m_nNotesShown;
    return 0;
}

void CMainFrame::OnBatchProgress(int percent)
{
    if (percent < 0) {
        // The batch may have added, renamed or moved pictures.
        const CString folder = m_wndList.GetCurrentFolder();
        if (!folder.IsEmpty())
            m_wndList.OpenFolder(folder);
        m_pProgress->SetVisible(FALSE);
        m_pCancel->SetVisible(FALSE);
        m_wndStatusBar.RecalcLayout();
        m_wndStatusBar.RedrawWindow();
        return;
    }
    if (!m_pProgress->IsVisible()) {
        m_pProgress->SetVisible(TRUE);
        m_pCancel->SetVisible(TRUE);
        m_wndStatusBar.RecalcLayout();
        CRect bar = m_pProgress->GetRect();
        m_wndStatusBar.ClientToScreen(&bar);
        CPoint at(bar.left + 10, bar.top - 80);
        CLumivoShowsApp* app = GetLumivoShowsApp();
        PopupNotifyWnd(TranslateString(L"Batch task is running"), 1, app ? app->m_hAppIcon : nullptr, &at);
        ++m_nNotesShown;
    }
    m_pProgress->SetPos(percent > 100 ? 100 : percent);
    m_pProgressName->SetText(m_szProgressName);
    wchar_t text[16];
    swprintf(text, 16, L"%d%%", percent > 100 ? 100 : percent);
    m_pProgress->SetText(text);
    m_wndStatusBar.RedrawWindow();
}

void CMainFrame::UpdateFolderInfo()
{
    const CPictureListView::FolderCounts counts = m_wndList.CountItems();
    wchar_t size[64] = {};
    FormatSizeText64(false, size, counts.totalSize);
    CString text;
    text.Format(L"%d %s , %d %s , %s %s", counts.files, TranslateString(L"File"), counts.folders, TranslateString(L"Folder"),
                TranslateString(L"Total Size"), size);
    // The list asks after every batch of thumbnails; the bar is laid out again only for news.
    if (text == m_pFolderInfo->GetText())
        return;
    m_pFolderInfo->SetText(text);
    m_wndStatusBar.RecalcLayout();
    m_wndStatusBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CMainFrame::UpdateTexts()
{
    CString title;
    title.Format(L"%s %s", TranslateString(L"Lumivo Shows"), kVersion);
    SetWindowText(title);
    if (CBCGPBaseRibbonElement* menu = m_wndRibbonBar.FindByID(ID_CAPTION_MENU)) {
        menu->SetText(Translated(L"Menu"));
        menu->SetToolTipText(Translated(L"Menu"));
    }
    if (CBCGPBaseRibbonElement* skin = m_wndRibbonBar.FindByID(ID_CAPTION_SKIN)) {
        skin->SetText(Translated(L"Skin"));
        skin->SetToolTipText(Translated(L"Skin"));
    }
    if (CBCGPBaseRibbonElement* full = m_wndRibbonBar.FindByID(ID_FULL_SCREEN)) {
        CString text;
        text.Format(TranslateString(L"%s ( Enter )"), TranslateString(L"Full Screen"));
        full->SetText(text);
        full->SetToolTipText(text);
    }
    m_pSmallFilter->SetText(Translated(L"Small File Filter"));
    m_pLoadAni->SetText(Translated(L"Loading Animate"));
    m_pSort->SetText(Translated(L"Sort"));
    m_pIconContent->SetText(Translated(L"Icon Content"));
    m_pIconSize->SetText(Translated(L"Icon Size"));
    m_pCancel->SetText(Translated(L"Cancel"));
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        app->TranslateMenus();
    if (m_bCreated)
        UpdateFolderInfo();
    RecalcLayout();
    m_wndList.Invalidate();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CMainFrame::ApplySkin()
{
    // The list takes the skin's window colour (dark for Black), with text that reads on it.
    CLumivoShowsApp* app = GetLumivoShowsApp();
    m_wndList.m_clrBackground = globalData.clrWindow;
    m_wndList.m_clrText = SkinTextColor(app ? app->m_nSkin : kDefaultSkin);
    m_wndStatusBar.RecalcLayout();
    m_wndList.Invalidate();
    RecalcLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CMainFrame::ToggleFullScreen()
{
    if (IsZoomed())
        ShowWindow(SW_RESTORE);
    ShowFullScreen();
}

void CMainFrame::OnFullScreen()
{
    ToggleFullScreen();
}

void CMainFrame::PopupStatusMenu(const wchar_t* menu, CBCGPBaseRibbonElement* pane)
{
    CBCGPContextMenuManager* menus = g_pContextMenuManager;
    if (!menus || !pane)
        return;
    CRect r = pane->GetRect();
    m_wndStatusBar.ClientToScreen(&r);
    UINT id = 0;
    if (menus->GetMenuByName(menu, &id))
        menus->ShowPopupMenu(id, r.left, r.top, this);
}

void CMainFrame::OnStatusMenu(UINT nID)
{
    switch (nID) {
    case ID_STATUS_ICON_SIZE: PopupStatusMenu(L"Icon Size", m_pIconSize); break;
    case ID_STATUS_ICON_CONTENT: PopupStatusMenu(L"Icon Content", m_pIconContent); break;
    case ID_STATUS_SORT: PopupStatusMenu(L"Sort Menu", m_pSort); break;
    }
}

void CMainFrame::OnCancelBatch()
{
    m_wndList.StopBatchTask();
    SendMessage(WM_SHOWS_BATCH_PROGRESS, static_cast<WPARAM>(-1));
}

void CMainFrame::OnSmallFileFilter()
{
    m_wndList.m_bMinSize = !m_wndList.m_bMinSize;
    AfxGetApp()->WriteProfileInt(L"", L"SmallFileFilter", m_wndList.m_bMinSize);
    if (!m_wndList.m_bOnlineMode)
        m_wndList.OpenFolder(m_wndList.GetCurrentFolder());
    m_wndStatusBar.RedrawWindow();
}

void CMainFrame::OnLoadAnimation()
{
    m_wndList.m_nAnimate = m_wndList.m_nAnimate ? 0 : 1;
    AfxGetApp()->WriteProfileInt(L"", L"LoadAni", m_wndList.m_nAnimate);
    m_wndStatusBar.RedrawWindow();
}

void CMainFrame::OnUpdateSmallFileFilter(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndList.m_bMinSize);
}

void CMainFrame::OnUpdateLoadAnimation(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndList.m_nAnimate != 0);
}

void CMainFrame::OnCaptionMenu(UINT nID)
{
    CBCGPContextMenuManager* menus = g_pContextMenuManager;
    CBCGPBaseRibbonElement* button = m_wndRibbonBar.FindByID(nID);
    if (!menus || !button)
        return;
    CRect r = button->GetRect();
    m_wndRibbonBar.ClientToScreen(&r);
    menus->ShowPopupMenu(nID == ID_CAPTION_MENU ? IDR_MENU_MAIN : IDR_MENU_SKIN, r.left, r.bottom, this);
    SendMessage(WM_NCPAINT);
}
