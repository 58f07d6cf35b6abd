#include "PictureListView.h"
#include <algorithm>
#include "BatchDialogsUI.h"
#include "DlgInput.h"
#include "DlgLumivoTools.h"
#include "DragDataSource.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "KQPPopupWindow.h"
#include "MainFrame.h"
#include "PicFullScreenFrame.h"
#include "PicFullWnd.h"
#include "ZVUILibApp.h"

namespace {
// The list window's own messages are WM_APP + 0x54 to 0x59 here; the online mode uses 0x5A to
// 0x5C (LumivoShowsClientUI.h, PictureListView.h).
// Opens the folder last asked for; several requests before it is handled open it once each.
const UINT WM_OPEN_PENDING_FOLDER = WM_APP + 0x54;
// From the batch worker: lParam an owned BatchItemDone, applied on this thread.
const UINT WM_BATCH_ITEM_DONE = WM_APP + 0x55;
// From the batch worker: lParam an owned folder path to read again (wParam the reload flag).
const UINT WM_BATCH_FOLDER_RELOAD = WM_APP + 0x56;
// From the batch worker: wParam 0 progress (lParam the percentage), 1 a note (lParam an owned
// text); handed on to the frame, which takes no owned data.
const UINT WM_BATCH_POST = WM_APP + 0x57;
// From the batch worker: lParam an owned BatchSummary, the end of the run.
const UINT WM_BATCH_SUMMARY = WM_APP + 0x58;
// From the folder scan: it has ended.
const UINT WM_FOLDER_SCAN_ENDED = WM_APP + 0x59;
} // namespace

// The engine's view of the list. The getters run on the user-interface thread; the posts come
// from the worker and only post.
class CPictureListView::BatchHostImpl : public BatchHost {
public:
    explicit BatchHostImpl(CPictureListView& list) : m_list(list) {}

    std::vector<BatchListItem> GetSelectedItems() override
    {
        std::vector<BatchListItem> items;
        for (int i = m_list.GetNextSelectItem(-1); i >= 0; i = m_list.GetNextSelectItem(i))
            items.push_back(BatchListItem{i, m_list.GetItemFullFileName(i).GetString()});
        return items;
    }
    BatchListItem GetHoverItem() override
    {
        const int index = m_list.CKQPicListView::GetHoverItem(false, true);
        if (index < 0)
            return BatchListItem();
        return BatchListItem{index, m_list.GetItemFullFileName(index).GetString()};
    }
    std::wstring GetPictureFilter() override { return m_list.m_strFilter.GetString(); }
    void ShowBatchRunningNote() override { m_list.Note(TranslateString(L"Batch task is running")); }

    void PostProgress(int percent) override { Post(WM_BATCH_POST, 0, percent); }
    void PostNote(const std::wstring& text) override
    {
        auto* owned = new std::wstring(text);
        if (!Post(WM_BATCH_POST, 1, reinterpret_cast<LPARAM>(owned)))
            delete owned;
    }
    void PostFolderReload(int flag, const std::wstring& folder) override
    {
        auto* owned = new std::wstring(folder);
        if (!Post(WM_BATCH_FOLDER_RELOAD, flag, reinterpret_cast<LPARAM>(owned)))
            delete owned;
    }
    void PostItemDone(const BatchItemDone& done) override
    {
        auto* owned = new BatchItemDone(done);
        if (!Post(WM_BATCH_ITEM_DONE, 0, reinterpret_cast<LPARAM>(owned)))
            delete owned;
    }
    void PostSummary(const BatchSummary& summary) override
    {
        auto* owned = new BatchSummary(summary);
        if (!Post(WM_BATCH_SUMMARY, 0, reinterpret_cast<LPARAM>(owned)))
            delete owned;
    }

private:
    bool Post(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const HWND hwnd = m_list.GetSafeHwnd();
        return hwnd && ::PostMessageW(hwnd, message, wParam, lParam);
    }
    CPictureListView& m_list;
};

BEGIN_MESSAGE_MAP(CPictureListView, CKQPicListView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(KQLV_MSG_UPDATE_VIEW, OnUpdateView)
    ON_MESSAGE(KQLV_MSG_FOLDER_CHANGED, OnFolderChangedMessage)
    ON_MESSAGE(WM_OPEN_PENDING_FOLDER, OnOpenPendingFolder)
    ON_MESSAGE(WM_BATCH_ITEM_DONE, OnBatchItemDone)
    ON_MESSAGE(WM_BATCH_FOLDER_RELOAD, OnBatchFolderReload)
    ON_MESSAGE(WM_BATCH_POST, OnBatchPost)
    ON_MESSAGE(WM_BATCH_SUMMARY, OnBatchSummary)
    ON_MESSAGE(WM_FOLDER_SCAN_ENDED, OnFolderScanEnded)
    ON_WM_CONTEXTMENU()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_DROPFILES()
    ON_COMMAND_RANGE(ID_LIST_FIRST, ID_LIST_LAST, OnListCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LIST_FIRST, ID_LIST_LAST, OnUpdateListCommand)
    ON_MESSAGE(WM_SHOWS_ONLINE_FOLDER, OnShowOnlineFolder)
    ON_MESSAGE(WM_SHOWS_ONLINE_LOADED, OnOnlineLoaded)
    ON_MESSAGE(WM_SHOWS_ONLINE_UPDATED, OnOnlineUpdated)
END_MESSAGE_MAP()

CPictureListView::CPictureListView()
    : m_batchHost(new BatchHostImpl(*this)),
      m_batch(new CBatchEngine(*m_batchHost))
{
    // Folders are selected with the pictures: they are copied, moved and deleted with them.
    m_bFolderSelect = true;
    m_messageBox = [this](const wchar_t* text, UINT type) { return BCGPMessageBox(GetSafeHwnd(), text, nullptr, type); };
    m_inputText = [](wchar_t* text, const wchar_t* prompt, const wchar_t* caption) { return GetInputText(text, prompt, caption); };
    m_popupNote = [](const wchar_t* text) {
        CLumivoShowsApp* app = GetLumivoShowsApp();
        PopupNotifyWnd(text, 1, app ? app->m_hAppIcon : nullptr, nullptr);
    };
    m_showInstallDialog = [] { ShowInstallToolsDialog(); };
    m_batchEnded = [this](const BatchSummary& summary) {
        ShowBatchEndReports(m_batchOperation, summary, *m_batch, GetParent());
    };
    m_dragDrop = [](const KQPathSet& files) { DragDropFileList(files, false); };
    m_showItemMenu = [this](UINT menuId, CPoint at, bool folder) {
        CBCGPContextMenuManager* menus = g_pContextMenuManager;
        if (!menus)
            return;
        // The copy and move menu goes to the frame, like the tool bar's; the picture's menu is the
        // list's own, like menu 422.
        if (menuId == IDR_MENU_EXPORT) {
            if (CLumivoShowsApp* app = GetLumivoShowsApp()) {
                app->SetExportMenuMode(folder);
                app->UpdateCopyMoveMenus();
            }
            menus->ShowPopupMenu(menuId, at.x, at.y, GetParentFrame() ? GetParentFrame() : GetParent());
        } else {
            menus->ShowPopupMenu(menuId, at.x, at.y, this);
        }
    };
    m_recycle = [](const KQPathSet& paths) {
        SHFILEOPSTRUCTW op;
        InitShellFileOp(op);
        return DeleteToRecycleBin(op, paths);
    };
}

CPictureListView::~CPictureListView()
{
    StopBatchTask();
    StopAll();
}

int CPictureListView::OnCreate(LPCREATESTRUCT cs)
{
    if (CKQPicListView::OnCreate(cs) == -1)
        return -1;
    DragAcceptFiles(TRUE);
    BindOnlineToSettings();
    CWinApp* app = AfxGetApp();
    m_bMinSize = app->GetProfileInt(L"", L"SmallFileFilter", 0) != 0;
    m_nAnimate = app->GetProfileInt(L"", L"LoadAni", 1) != 0 ? 1 : 0;
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_localDisplay = ReadListDisplay(*app, false, screenWidth);
    m_onlineDisplay = ReadListDisplay(*app, true, screenWidth);
    m_bOnlineMode = false;
    m_bSettingsChanged = false;
    ApplyDisplaySettings(m_localDisplay, false);
    return 0;
}

void CPictureListView::OnDestroy()
{
    if (m_bSettingsChanged) {
        (m_bOnlineMode ? m_onlineDisplay : m_localDisplay) = CurrentDisplaySettings();
        CWinApp* app = AfxGetApp();
        WriteListDisplay(*app, false, m_localDisplay);
        WriteListDisplay(*app, true, m_onlineDisplay);
        m_bSettingsChanged = false;
    }
    CKQPicListView::OnDestroy();
}

LRESULT CPictureListView::OnUpdateView(WPARAM wParam, LPARAM lParam)
{
    auto* frame = dynamic_cast<CMainFrame*>(GetParent());
    if (frame && frame->m_bCreated)
        frame->UpdateFolderInfo();
    const LRESULT result = CKQPicListView::OnUpdateView(wParam, lParam);
    // Once the scan that was asked for has ended, the picture is listed or never will be.
    if (m_bSelectArmed && !IsScanning()) {
        m_bSelectArmed = false;
        const int index = FindItemByPath(m_selectWhenListed.c_str());
        m_selectWhenListed.clear();
        if (index >= 0) {
            SetItemState(index, KQLS_SELECTED, 0);
            EnsureVisible(index, true);
        }
    }
    // After a paste, the first new item is shown once the folder has been read again.
    if (m_bRevealArmed && !IsScanning()) {
        m_bRevealArmed = false;
        if (GetItemCount() > m_nRevealAfterScan)
            EnsureVisible(GetItemCount() - 1, true);
        m_nRevealAfterScan = -1;
    }
    // A viewer opened on a file before its folder was listed takes its place in the list, on
    // this thread, once the scan has ended.
    if (!IsScanning() && g_pPicFullWnd && g_pPicFullWnd->GetSafeHwnd())
        g_pPicFullWnd->AdoptListPosition();
    return result;
}

// On the scan thread.
void CPictureListView::OnEndFolderSearch()
{
    CKQPicListView::OnEndFolderSearch();
    if (const HWND hwnd = m_hWnd)
        ::PostMessageW(hwnd, WM_FOLDER_SCAN_ENDED, 0, 0);
}

// A disk folder without pictures or folders says so. A viewer opened on a file at start-up takes
// its place from this scan or from none: a folder read later may list the file elsewhere.
LRESULT CPictureListView::OnFolderScanEnded(WPARAM, LPARAM)
{
    if (IsScanning() || m_bOnline || m_hShellItem)
        return 0;
    if (g_pPicFullWnd && g_pPicFullWnd->GetSafeHwnd()) {
        g_pPicFullWnd->AdoptListPosition();
        g_pPicFullWnd->ForgetStartupFile();
    }
    if (!m_strFolder.IsEmpty() && GetItemCount() == 0)
        ShowSplash(TranslateString(L"There is no picture"), IDP_LIST_EMPTY);
    return 0;
}

ListDisplaySettings CPictureListView::CurrentDisplaySettings() const
{
    return {m_bShowName, m_bShowSize, m_bShowDate, m_nFitMode, m_nIconSize < 0 ? 0 : m_nIconSize, gKQListView_SortType,
            gKQListView_bSortAscend};
}

void CPictureListView::ApplyDisplaySettings(const ListDisplaySettings& settings, bool redraw)
{
    m_bShowName = settings.showName;
    m_bShowSize = settings.showSize;
    m_bShowDate = settings.showDate;
    m_nFitMode = settings.aspect;
    gKQListView_SortType = static_cast<KQ_LIST_SORT>(settings.sortType);
    gKQListView_bSortAscend = settings.ascend;
    ChangeIconSize(static_cast<KQ_LS_ICON_SIZE>(settings.iconSize), redraw);
}

LRESULT CPictureListView::OnFolderChangedMessage(WPARAM wParam, LPARAM lParam)
{
    const bool fromTree = m_bTreeSetsFolder;
    m_bTreeSetsFolder = false;
    if (m_folderChanged) {
        if (wParam == 1)
            m_folderChanged(fromTree, reinterpret_cast<HTREEITEM>(lParam), nullptr);
        else
            m_folderChanged(fromTree, nullptr, reinterpret_cast<const wchar_t*>(lParam));
    }
    return CKQPicListView::OnFolderChanged(wParam, lParam);
}

void CPictureListView::ShowFullPicture(int fileIndex)
{
    auto* frame = dynamic_cast<CMainFrame*>(GetParent());
    if (frame && fileIndex >= 0)
        CPicFullScreenFrame::OpenOnItem(frame, fileIndex, false);
}

void CPictureListView::OnIconLoadedUpdate(int index)
{
    if (g_pPicFullWnd && g_pPicFullWnd->GetSafeHwnd() && g_pPicFullWnd->ShowsInStrip(index))
        g_pPicFullWnd->PostMessage(KQLV_MSG_UPDATE_VIEW);
    CKQPicListView::OnIconLoadedUpdate(index);
}

CPictureListView::FolderCounts CPictureListView::CountItems()
{
    FolderCounts counts;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        KQ_PIC_LIST_ITEM item = {};
        if (i == m_nDownloadMore || !GetItem(i, &item))
            continue;
        if (item.nState & KQLS_FOLDER) {
            ++counts.folders;
        } else {
            ++counts.files;
            if (item.pInfo)
                counts.totalSize += item.pInfo->nFileSize;
        }
    }
    return counts;
}

void CPictureListView::OpenFolder(const wchar_t* folder, bool keepItems)
{
    // Posted: a scan started from inside a handler that the list's own scan is waiting on would
    // never end.
    m_pendingFolder = folder ? folder : L"";
    m_bPendingKeep = keepItems;
    PostMessage(WM_OPEN_PENDING_FOLDER);
}

LRESULT CPictureListView::OnOpenPendingFolder(WPARAM, LPARAM)
{
    const std::wstring folder = m_pendingFolder;
    if (!folder.empty())
        UpdateFolder(folder.c_str(), m_bPendingKeep);
    m_bSelectArmed = !m_selectWhenListed.empty();
    m_bRevealArmed = m_nRevealAfterScan >= 0;
    return 0;
}

int CPictureListView::FindItemByPath(const wchar_t* path)
{
    if (!path || !*path)
        return -1;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i)
        if (_wcsicmp(GetItemFullFileName(i).GetString(), path) == 0)
            return i;
    return -1;
}

bool CPictureListView::ReloadHandedOver()
{
    const int index = FindItemByPath(m_handedOver.c_str());
    if (index < 0)
        return false;
    // The editor may have changed the picture's size and content: the folder is read again and
    // the picture keeps its selection.
    OpenFolder(m_strFolder.GetString());
    return true;
}

// ---------------------------------------------------------------------------------------------
// The batch engine's host

bool CPictureListView::IsBatchRunning() const
{
    return m_batch->m_batchThread != nullptr;
}

bool CPictureListView::IsBatchStopping() const
{
    return m_batch->m_stopBatch.load();
}

bool CPictureListView::StartBatchCommand(const wchar_t* command, const wchar_t* arguments)
{
    return m_batch->StartBatchCommand(command, arguments);
}

bool CPictureListView::StartBatchTask(CBatchEngine::BatchTask task)
{
    return m_batch->StartBatchTask(std::move(task));
}

void CPictureListView::StopBatchTask()
{
    m_batch->StopBatchTask();
}

bool CPictureListView::IsOperateDisabled(int notify)
{
    return m_batch->IsOperateDisabled(notify != 0);
}

// The list may have changed while the picture was processed: the item is found by its path.
LRESULT CPictureListView::OnBatchItemDone(WPARAM, LPARAM lParam)
{
    std::unique_ptr<BatchItemDone> done(reinterpret_cast<BatchItemDone*>(lParam));
    if (!done || done->listItem.item < 0)
        return 0;
    const int index = FindItemByPath(done->listItem.path.c_str());
    if (index < 0)
        return 0;
    if (done->deselect)
        SetItemState(index, 0, KQLS_SELECTED);
    if (done->refreshIcon)
        UpdateItemIcon(index);
    else
        OnIconLoadedUpdate(index);
    PostUpdateView();
    return 0;
}

LRESULT CPictureListView::OnBatchFolderReload(WPARAM wParam, LPARAM lParam)
{
    std::unique_ptr<std::wstring> folder(reinterpret_cast<std::wstring*>(lParam));
    if (folder && !folder->empty())
        OpenFolder(folder->c_str(), wParam != 0);
    return 0;
}

LRESULT CPictureListView::OnBatchPost(WPARAM wParam, LPARAM lParam)
{
    CWnd* frame = GetParent();
    if (wParam == 0) {
        if (frame)
            frame->SendMessage(WM_SHOWS_BATCH_PROGRESS, static_cast<WPARAM>(lParam));
        return 0;
    }
    std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(lParam));
    if (frame && text)
        frame->SendMessage(WM_SHOWS_NOTE, 0, reinterpret_cast<LPARAM>(text->c_str()));
    return 0;
}

LRESULT CPictureListView::OnBatchSummary(WPARAM, LPARAM lParam)
{
    std::unique_ptr<BatchSummary> summary(reinterpret_cast<BatchSummary*>(lParam));
    if (summary && m_batchEnded)
        m_batchEnded(*summary);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Mouse: a press during a batch says why nothing happens; the rest of the mouse is quiet.

void CPictureListView::OnLButtonDown(UINT flags, CPoint point)
{
    if (IsOperateDisabled(1))
        return;
    CKQPicListView::OnLButtonDown(flags, point);
}

void CPictureListView::OnLButtonUp(UINT flags, CPoint point)
{
    if (IsOperateDisabled(0))
        return;
    CKQPicListView::OnLButtonUp(flags, point);
}

void CPictureListView::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (IsOperateDisabled(0))
        return;
    CKQPicListView::OnLButtonDblClk(flags, point);
}

int CPictureListView::Ask(const wchar_t* text, UINT type)
{
    return m_messageBox ? m_messageBox(text, type) : IDCANCEL;
}

void CPictureListView::Note(const wchar_t* text)
{
    if (m_popupNote)
        m_popupNote(text);
}
