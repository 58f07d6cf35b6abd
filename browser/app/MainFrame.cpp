#include "MainFrame.h"
#include <algorithm>
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

namespace {
// The favourites the frame's tree lists: the application's root (tests give their own).
std::wstring FavoriteRoot()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    return app && !app->m_favoriteRoot.empty() ? app->m_favoriteRoot : std::wstring(kZVFavoriteRegRoot);
}
} // namespace

CMainFrame::CMainFrame() : m_wndPane(FavoriteRoot().c_str()) {}

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

    if (!CreatePane() || !CreateToolBar())
        return -1;
    if (app)
        app->BindFileCommands();
    BindPane();

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
    // Start in the tree's item for the start folder, when it has one.
    if (app) {
        CKQShellTree& tree = m_wndPane.m_mainBar.m_tree;
        const CString start = app->m_strStartFolder.c_str();
        if (!tree.PicturesPath().IsEmpty() && start.CompareNoCase(tree.PicturesPath()) == 0)
            tree.SelectItem(tree.GetPicturesItem());
        else if (!tree.DocumentsPath().IsEmpty() && start.CompareNoCase(tree.DocumentsPath()) == 0)
            tree.SelectItem(tree.GetDocumentsItem());
        else if (!tree.OnlinePath().IsEmpty() && start.CompareNoCase(tree.OnlinePath()) == 0)
            tree.SelectItem(tree.GetOnlineItem());
    }
    if (app && app->m_bHideTree) {
        m_wndPane.ShowControlBar(FALSE, FALSE, FALSE);
        m_wndToolBar.ShowTreeState(false);
    }
    if (app && app->m_bShowMore)
        m_wndToolBar.Expand();
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
    m_wndPane.m_mainBar.m_bFrameCreated = true;
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
    if (CLumivoShowsApp* app = GetLumivoShowsApp()) {
        app->SaveFrameSettings(this);
        // Two rows only when the user asked for them, not when the mouse opened them.
        const bool showMore = m_wndToolBar.m_bExpanded && !m_wndToolBar.m_bHoverExpanded;
        if (showMore != app->m_bShowMore)
            app->WriteProfileInt(L"", L"ShowMore", showMore);
        // The pane's own state: while the frame closes, its windows may be hidden already.
        const bool hideTree = !(m_wndPane.GetStyle() & WS_VISIBLE);
        if (hideTree != app->m_bHideTree)
            app->WriteProfileInt(L"", L"HideTree", hideTree);
    }
    m_wndPane.m_mainBar.m_details.SetInfo(nullptr);
    CBCGPFrameWnd::OnClose();
}

bool CMainFrame::CreateToolBar()
{
    if (!m_wndToolBar.Create(L"", this, FALSE, IDD_BROWSER_TOOLBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_BROWSER_TOOLBAR,
                             CBRS_BCGP_REGULAR_TABS, 0))
        return false;
    // One row: half the template's height, across the frame.
    m_wndToolBar.SetRowHeight(m_wndToolBar.GetTemplateSize().cy / 2);
    CRect window, client;
    m_wndToolBar.GetWindowRect(&window);
    m_wndToolBar.GetClientRect(&client);
    m_wndToolBar.SetDockedSize(CSize(window.Width(), m_wndToolBar.GetRowHeight() + window.Height() - client.Height()));
    m_wndToolBar.SetList(&m_wndList);
    m_wndList.m_folderOpened = [this](const wchar_t* path) {
        // A folder opened after the start folder shows the Folder page; "/batch" keeps the
        // Batch page up for the start folder.
        CBCGPOutlookWnd* tabs = m_wndPane.GetUnderlinedWindow();
        if (m_bCreated && m_wndToolBar.m_history.Count() > 0 && tabs->GetSafeHwnd() && tabs->GetActiveTab() != 1)
            tabs->SetActiveTab(1);
        m_wndToolBar.PushHistory(path);
        m_wndToolBar.UpdateEditButtons();
    };
    m_wndToolBar.EnableDocking(CBRS_ALIGN_TOP);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    m_wndPane.EnableDocking(CBRS_ALIGN_LEFT);
    DockControlBar(&m_wndPane);
    return true;
}

bool CMainFrame::CreatePane()
{
    RECT work = {0, 0, 1536, 864};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::max(256, int(work.right - work.left) / 6);
    m_wndPane.m_nWidth = width;
    m_wndPane.m_pList = &m_wndList;
    m_wndPane.m_mainBar.m_pList = &m_wndList;
    m_wndPane.m_mainBar.m_tree.m_pOnlineClient = &m_wndList.GetOnlineClient();
    if (!m_wndPane.Create(L"PaneView", this, CRect(0, 0, width, 600), ID_PANE_VIEW,
                          WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | CBRS_LEFT, 0))
        return false;
    CLumivoShowsApp* app = GetLumivoShowsApp();
    return m_wndPane.CreatePages(app && app->m_cmdInfo.m_bBatch) != FALSE;
}

// The tool bar, the tree, the list and the file commands reach one another through the frame.
void CMainFrame::BindPane()
{
    CKQShellTree& tree = m_wndPane.m_mainBar.m_tree;
    tree.m_batchRunning = [this] { return m_wndList.IsBatchRunning(); };
    tree.m_enter = [this] { ToggleFullScreen(); };
    tree.m_mouseOver = [this] {
        if (m_wndToolBar.m_bExpanded && m_wndToolBar.m_bHoverExpanded)
            m_wndToolBar.Collapse();
    };
    m_wndToolBar.m_paneVisible = [this] { return (m_wndPane.GetStyle() & WS_VISIBLE) != 0; };
    m_wndToolBar.m_showPane = [this](bool show) { m_wndPane.ShowPane(show); };
    m_wndToolBar.m_specialFolders = [&tree] {
        return std::vector<std::wstring>{tree.PicturesPath().GetString(), tree.DocumentsPath().GetString(),
                                         tree.OnlinePath().GetString()};
    };
    m_wndToolBar.m_showComputer = [&tree] { tree.SelectItem(tree.GetComputerItem()); };
    m_wndList.m_hovered = [this](const KQ_PIC_LIST_ITEM* item) {
        PicDetails d;
        d.fileName = item->strText.GetString() ? item->strText.GetString() : L"";
        d.width = int(item->pInfo->nWidth);
        d.height = int(item->pInfo->nHeight);
        d.bitsPerPixel = item->pInfo->nBpp;
        d.fileSize = item->pInfo->nFileSize;
        d.createTime = item->pInfo->tCreate;
        d.modifyTime = item->pInfo->tLastWrite;
        d.photoTime = item->pInfo->tTaken;
        m_wndPane.m_mainBar.m_details.SetDetails(d);
    };
    if (CLumivoShowsApp* app = GetLumivoShowsApp()) {
        FileCommandPlaces& places = app->m_fileCommands.places;
        places.favorites = &tree.GetFavorites();
        places.treeFolder = [&tree] {
            CString path;
            return tree.GetItemPath(path) ? std::wstring(path.GetString()) : std::wstring();
        };
        places.picturesFolder = [&tree] { return std::wstring(tree.PicturesPath().GetString()); };
        places.showFavorite = [&tree](ST_FavFolder* favorite) { tree.AddFavoriteItemToTree(favorite, FALSE); };
        places.afterMove = [this] {
            m_wndToolBar.UpdateEditButtons();
            m_wndPane.m_mainBar.m_details.SetInfo(nullptr);
        };
        m_wndPane.m_mainBar.m_favoriteDialog = app->m_fileCommands.favoriteDialog;
    }
    // The breadcrumb follows what the list shows: a folder (of the disk or online, once its
    // pages are read) by its path, a tree item without one by the item's shell item. A folder the
    // tree did not choose leaves the tree without a selection.
    m_wndList.m_folderChanged = [this, &tree](bool fromTree, HTREEITEM treeItem, const wchar_t* path) {
        CLumivoShowsShellBreadcrumb& breadcrumb = m_wndToolBar.m_breadcrumb;
        if (treeItem && tree.GetSafeHwnd()) {
            if (const auto* data = reinterpret_cast<ZVTreeItemData*>(tree.GetItemData(treeItem)))
                breadcrumb.FollowShellItem(data->pidlFQ);
        } else {
            breadcrumb.FollowPath(path);
        }
        // The tree's item stays selected when the folder shown is its own (the online root
        // shown by the client once it has read the directory).
        CString selected;
        if (!fromTree && tree.GetSafeHwnd() && tree.GetSelectedItem() &&
            !(path && tree.GetItemPath(selected) && selected.CompareNoCase(path) == 0))
            tree.SelectItem(nullptr);
        m_wndToolBar.UpdateEditButtons();
    };
    m_wndList.m_onlineUpdated = [this] { m_wndPane.m_mainBar.OnOnlineUpdated(); };
    // Computer or Network chosen in the breadcrumb: the tree's item shows it.
    m_wndToolBar.m_breadcrumb.m_showVirtual = [this, &tree](LPCITEMIDLIST pidl) {
        HTREEITEM item = tree.FindShellItem(pidl);
        if (!item)
            return false;
        if (tree.GetSelectedItem() == item) {
            m_wndList.MarkTreeSetsFolder();
            m_wndList.ShowShellItem(tree, item);
        } else {
            tree.SelectItem(item);
        }
        return true;
    };
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSKEYDOWN && (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT) && m_wndToolBar.GetSafeHwnd()) {
        if (pMsg->wParam == VK_LEFT)
            m_wndToolBar.GoBack();
        else
            m_wndToolBar.GoForward();
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_BACK && pMsg->hwnd == m_wndList.GetSafeHwnd() &&
        m_wndToolBar.GetSafeHwnd()) {
        m_wndToolBar.GoParent();
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_F6 || pMsg->wParam == VK_TAB) &&
        ::GetKeyState(VK_CONTROL) >= 0 && CycleFocus(pMsg->hwnd, ::GetKeyState(VK_SHIFT) < 0))
        return TRUE;
    return CBCGPFrameWnd::PreTranslateMessage(pMsg);
}

bool CMainFrame::CycleFocus(HWND from, bool backward)
{
    // Tree, breadcrumb, list, and round again; a hidden one (the pane slid away) is passed over.
    const HWND stops[] = {m_wndPane.m_mainBar.m_tree.GetSafeHwnd(), m_wndToolBar.m_breadcrumb.GetSafeHwnd(),
                          m_wndList.GetSafeHwnd()};
    const int count = int(sizeof stops / sizeof stops[0]);
    int at = -1;
    for (int i = 0; i < count && at < 0; ++i)
        if (stops[i] && (from == stops[i] || ::IsChild(stops[i], from)))
            at = i;
    if (at < 0)
        return false;
    for (int step = 1; step < count; ++step) {
        const HWND next = stops[(at + (backward ? count - step : step)) % count];
        if (next && ::IsWindowVisible(next) && ::IsWindowEnabled(next)) {
            ::SetFocus(next);
            return true;
        }
    }
    return true;
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
    // The end of a short run comes within the second of the note its start showed: it waits
    // for that second rather than being lost.
    PopupNotifyWndQueued(text ? text : L"", 2, app ? app->m_hAppIcon : nullptr, nullptr);
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
    if (m_wndPane.m_mainBar.GetSafeHwnd())
        m_wndPane.m_mainBar.UpdateTexts();
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
    // The tiles follow the skin too.
    if (m_wndPane.m_batchBar.GetSafeHwnd())
        m_wndPane.m_batchBar.ChangeSkin();
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
