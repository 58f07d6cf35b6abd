// The picture list's online mode: folders at or below the client's Dir cache folder are listed
// from the server's directory and file-list pages. The loader thread only talks to the client
// and posts; the items change on the window's thread.
#include <windows.h>
#include <iterator>
#include "PictureListView.h"
#include "LumivoClient.h"
#include "LumivoShowsIds.h"
#include "ModuleState.h"
#include "PathFunc.h"
#include "UIKitIds.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kServerValueKey[] = L"Software\\Lumivo\\LumivoShows";
const wchar_t kServerValueName[] = L"OnlineServer";

// The server address of the settings, or the default one.
std::wstring ConfiguredServerUrl()
{
    wchar_t url[1024];
    DWORD size = sizeof(url);
    if (RegGetValueW(HKEY_CURRENT_USER, kServerValueKey, kServerValueName, RRF_RT_REG_SZ, nullptr, url, &size) ==
            ERROR_SUCCESS &&
        url[0])
        return url;
    return LUMIVO_RES_SERVER_DEFAULT;
}

int64_t Ticks()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

std::wstring CacheRoot()
{
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_CACHE, true);
    return folder;
}

} // namespace

bool CPictureListView::DownloadPicCB(CHttpDownload* download, long event, long value)
{
    if (CLumivoShowsDownloadFileList* queue = CLumivoShowsDownloadFileList::FromHttp(download))
        queue->OnProgress(event, value);
    return true;
}

CKQListFile* CPictureListView::OnlineDownloads::GetDownloadItem(int index)
{
    CKQListFile* item = nullptr;
    m_list.Lock();
    const int file = index - m_list.m_folderBrowser.m_lstFolder.GetCount();
    if (m_list.m_bOnline && file >= 0 && file < m_list.m_folderBrowser.m_lstFile.GetCount())
        item = &m_list.m_folderBrowser.m_lstFile.GetAt(file).Get();
    m_list.Unlock();
    return item;
}

unsigned CPictureListView::OnlineDownloads::GetDownloadItemState(CKQListFile* item)
{
    // A picture that failed before is queued again: only one on its way is not.
    m_list.Lock();
    const unsigned state = item ? item->m_nState & KQLS_DOWNLOADING : 0;
    m_list.Unlock();
    return state;
}

void CPictureListView::OnlineDownloads::ChangeDownloadItemState(CKQListFile* item, unsigned set, unsigned clear)
{
    // The queue's bits are the list's download, downloading and alert badges.
    m_list.Lock();
    if (item)
        item->m_nState = (item->m_nState | set) & ~clear;
    m_list.Unlock();
}

KQStringW CPictureListView::OnlineDownloads::GetDownloadItemName(CKQListFile* item)
{
    m_list.Lock();
    KQStringW name = item ? item->m_strName.GetString() : L"";
    m_list.Unlock();
    return name;
}

const CLumivoFile* CPictureListView::OnlineDownloads::GetDownloadItemRecord(CKQListFile* item)
{
    bool found = false;
    m_list.Lock();
    if (item && item->m_nSpare < m_list.m_onlineFiles.size()) {
        m_record = m_list.m_onlineFiles[item->m_nSpare];
        found = true;
    }
    m_list.Unlock();
    return found ? &m_record : nullptr;
}

void CPictureListView::BindOnlineToSettings()
{
    BindOnline(CacheRoot().c_str(), ConfiguredServerUrl().c_str());
    if (!m_imgDownloadMore.LoadPNG(IDP_LIST_DOWNLOAD_MORE,
                                   appframe::FindResourceModule(MAKEINTRESOURCEW(IDP_LIST_DOWNLOAD_MORE), L"PNG")))
        m_imgDownloadMore.LoadPNG(IDB_KQ_RLV_MORE, GetZVUILibModule());
}

void CPictureListView::BindOnline(const wchar_t* cacheRoot, const wchar_t* serverUrl)
{
    m_clientUI.SetWindow(m_hWnd);
    m_client.SetUI(&m_clientUI);
    m_client.SetUserAgent("Kelquay/1.00");
    m_client.SetServerUrl(serverUrl);
    m_client.SetLocalFolder(cacheRoot);
    m_downloads.Init(this, DownloadPicCB, cacheRoot, nullptr);
    m_downloads.SetServerUrl(serverUrl);
    m_downloads.SetListWindow(m_hWnd);
}

bool CPictureListView::UpdateFolder(const wchar_t* path, bool refresh)
{
    // Leaving a shell item: the cells take the list's own height again.
    const bool reapply = m_bShellIconsPending;
    ForgetShellItem();
    if (reapply)
        ChangeIconSize(static_cast<KQ_LS_ICON_SIZE>(m_nIconSize < 0 ? 0 : m_nIconSize), false);
    if (path && m_client.IsOnlinePath(path)) {
        UpdateOnlineFolder(path);
        if (m_folderOpened)
            m_folderOpened(path);
        return true;
    }
    if (m_bOnline) {
        StopAll();
        SwitchViewSettings(true);
    }
    const bool opened = CKQPicListView::UpdateFolder(path, refresh);
    if (opened && m_folderOpened)
        m_folderOpened(path);
    return opened;
}

void CPictureListView::RefreshFolder()
{
    if (m_hShellItem && m_pShellTree) {
        ShowShellItem(*m_pShellTree, m_hShellItem);
        return;
    }
    const std::wstring folder = m_strFolder.GetString();
    if (m_client.IsOnlinePath(folder.c_str())) {
        m_nRefreshFlags = ONLINE_FORCE_FETCH;
        ResetScanState(folder.c_str());
        m_strFolder = folder.c_str();
        RemoveAllItem();
        StartOnlineLoader(folder.c_str(), kOnlineOpenAll, m_nRefreshFlags);
        return;
    }
    UpdateFolder(folder.c_str(), false);
}

void CPictureListView::StopAll()
{
    m_downloads.StopAll();
    m_bOnlineStop = true;
    m_client.StopAll();
    WaitForOnlineLoader();
    m_client.Resume();
    CKQPicListView::StopAll();
}

void CPictureListView::WaitForOnlineLoader()
{
    if (!m_pOnlineLoader)
        return;
    // A transfer that began just after a cancel clears it again: cancel until the loader ends.
    while (!m_bLoaderDone) {
        m_client.CancelTransfers();
        Sleep(2);
    }
    if (m_pOnlineLoader->joinable())
        m_pOnlineLoader->join();
    m_pOnlineLoader.reset();
}

void CPictureListView::ResetScanState(const wchar_t* path)
{
    StopAll();
    Lock();
    m_folderBrowser.m_strRoot = path ? path : L"";
    m_folderBrowser.m_nTotalSize = 0;
    Unlock();
    m_bPreviewStop = false;
    ResumeWalks();
}

void CPictureListView::UpdateOnlineFolder(const wchar_t* path)
{
    ResetScanState(path);
    if (!path || !*path) {
        int pages = 0;
        {
            std::lock_guard<std::recursive_mutex> lock(m_client.Lock());
            if (m_client.GetCurrentFolder())
                pages = m_client.GetPagesLoaded() + 1;
        }
        StartOnlineLoader(nullptr, pages, 0);
        return;
    }
    m_onlineSteps.opened = Ticks();
    m_nRefreshFlags = 0;
    m_strFolder = path;
    SwitchViewSettings(false);
    // The loader reads while the old items go: it touches only the client until it posts.
    StartOnlineLoader(path, kOnlineOpenAll, m_nRefreshFlags);
    RemoveAllItem();
    Lock();
    m_onlineFolders.clear();
    m_onlineFiles.clear();
    Unlock();
    if (!m_strSplash.IsEmpty() || m_nSplashRes != -1)
        ShowSplash(nullptr, -1);
    m_onlineSteps.cleared = Ticks();
}

void CPictureListView::StartOnlineLoader(const wchar_t* path, int pages, int flags)
{
    WaitForOnlineLoader();
    m_bOnlineStop = false;
    m_bLoaderDone = false;
    const std::wstring request = path ? path : L"";
    // A folder opened anew starts a generation; the pages read more of it belong to the same.
    const int generation = request.empty() ? m_nLoaderGeneration : ++m_nLoaderGeneration;
    try {
        m_pOnlineLoader.reset(
            new std::thread(&CPictureListView::OnlineLoaderThread, this, request, pages, flags, generation));
    } catch (...) {
        m_bLoaderDone = true;
    }
}

void CPictureListView::OnlineLoaderThread(std::wstring path, int pages, int flags, int generation)
{
    const HWND window = m_hWnd;
    if (window)
        ::PostMessageW(window, KQLV_MSG_SHOW_LOADING, 1, 0);
    m_client.LoadFileList(path.empty() ? nullptr : path.c_str(), pages, flags);
    m_onlineSteps.read = Ticks();
    if (window)
        ::PostMessageW(window, KQLV_MSG_SHOW_LOADING, 0, 0);
    if (!m_bOnlineStop && window) {
        // The list is filled on its own thread; the records go along, moved out of the client.
        std::unique_ptr<OnlineLoaded> loaded(new OnlineLoaded);
        loaded->path = path;
        TakeOnlineRecords(*loaded);
        m_onlineSteps.handed = Ticks();
        if (::PostMessageW(window, WM_SHOWS_ONLINE_LOADED, WPARAM(generation), LPARAM(loaded.get())))
            loaded.release();
    }
    m_bLoaderDone = true;
}

LRESULT CPictureListView::OnShowOnlineFolder(WPARAM, LPARAM)
{
    std::wstring path;
    if (m_clientUI.TakeFolder(path))
        UpdateOnlineFolder(path.c_str());
    return 0;
}

LRESULT CPictureListView::OnOnlineUpdated(WPARAM, LPARAM)
{
    if (m_onlineUpdated)
        m_onlineUpdated();
    return 0;
}

LRESULT CPictureListView::OnOnlineLoaded(WPARAM generation, LPARAM lParam)
{
    std::unique_ptr<OnlineLoaded> loaded(reinterpret_cast<OnlineLoaded*>(lParam));
    // A loader that was stopped, or one of a folder opened before the shown one, fills nothing.
    // Pages read more of the shown folder are each handed over once and come in the order read.
    if (int(generation) != m_nLoaderGeneration || m_bOnlineStop || !m_bOnline)
        return 0;
    m_onlineSteps.received = Ticks();
    FillOnlineList(*loaded);
    return 0;
}

void CPictureListView::TakeOnlineRecords(OnlineLoaded& loaded)
{
    // The records read since the last hand-over leave the client whole, swapped out under its
    // lock: each is handed over once, and nothing is copied.
    {
        std::lock_guard<std::recursive_mutex> lock(m_client.Lock());
        PicDirFolder* folder = m_client.GetCurrentFolder();
        if (!folder)
            return;
        loaded.shown = true;
        if (!loaded.path.empty())
            for (const auto& entry : folder->mapFolders)
                loaded.folders.push_back({entry.first, entry.second->HasPreview(), false});
        loaded.files.swap(folder->vecFiles);
    }
    std::vector<const wchar_t*> names;
    names.reserve(loaded.files.size());
    for (const PicDirFile& file : loaded.files)
        names.push_back(GetFileNamePart(file.strPath.GetString()));
    loaded.cached = m_client.HasLocalCopies(names);
}

void CPictureListView::FillOnlineList(OnlineLoaded& loaded)
{
    const std::wstring& path = loaded.path;
    std::vector<PicDirFile>& files = loaded.files;
    const std::vector<bool>& cached = loaded.cached;
    const bool shown = loaded.shown;

    // The old records are freed after the lock is let go.
    std::vector<PicDirFile> oldRecords;
    Lock();
    if (!path.empty()) {
        m_folderBrowser.ClearList();
        m_onlineFolders.clear();
        m_onlineFolders.reserve(loaded.folders.size());
        for (OnlineFolderItem& folder : loaded.folders) {
            CKQListFolder item(folder.name.c_str());
            m_folderBrowser.m_lstFolder.AddTail(item);
            m_onlineFolders.push_back(std::move(folder));
        }
        oldRecords.swap(m_onlineFiles);
    }
    // One insertion of all the pictures read: the records move into the list's vector, and the
    // entries borrow their name and caption from them (a record's texts stay where they are when
    // the vector grows), so that no text is copied; the layout follows once, below.
    const size_t first = m_onlineFiles.size();
    if (first == 0)
        m_onlineFiles.swap(files);
    else
        m_onlineFiles.insert(m_onlineFiles.end(), std::make_move_iterator(files.begin()),
                             std::make_move_iterator(files.end()));
    ALT::TList<CKQListFile>& list = m_folderBrowser.m_lstFile;
    const CKQListFile blank;
    for (size_t i = first; i < m_onlineFiles.size(); ++i) {
        const PicDirFile& record = m_onlineFiles[i];
        CKQListFile& item = list.AddTail(blank).Get();
        item.m_strName.Attach(record.strPath.GetString());
        item.m_strCaption.Attach(record.strName.GetString());
        item.m_info.nWidth = uint32_t(std::max(record.nWidth, 0));
        item.m_info.nHeight = uint32_t(std::max(record.nHeight, 0));
        item.m_info.nFileSize = uint64_t(std::max<int64_t>(record.nSize[PIC_SIZE_F], 0));
        item.m_nState = cached[i - first] ? 0 : KQLS_DOWNLOAD;
        item.m_nSpare = uint32_t(i);
        m_folderBrowser.m_nTotalSize += item.m_info.nFileSize;
    }
    const bool empty = m_folderBrowser.m_lstFolder.GetCount() + list.GetCount() == 0;
    Unlock();
    m_onlineSteps.inserted = Ticks();
    oldRecords.clear();
    if (empty)
        ShowSplash(TranslateString(L"This folder is empty"), IDP_LIST_EMPTY);
    OnEndFolderSearch();
    Recalclayout();
    m_onlineSteps.laidOut = Ticks();
    if (shown) {
        if (!path.empty())
            m_strFolder = path.c_str();
        m_bPreviewStop = false;
        m_bPreviewUpdate = true;
        if (!m_pPreviewThread) {
            try {
                m_pPreviewThread.reset(new std::thread(&CKQPicListView::UpdatePreviewThread, this));
            } catch (...) {
                m_pPreviewThread.reset();
            }
        }
    }
    PostUpdateView();
    if (!path.empty())
        SendMessage(KQLV_MSG_FOLDER_CHANGED, 0, LPARAM(m_strFolder.GetString()));
}

int CPictureListView::GetItemCount()
{
    const int count = CKQPicListView::GetItemCount();
    int more = -1;
    if (m_bOnline) {
        std::lock_guard<std::recursive_mutex> lock(m_client.Lock());
        PicDirFolder* folder = m_client.GetCurrentFolder();
        if (folder && m_client.GetPagesLoaded() < folder->nPageCount)
            more = count;
    }
    m_nDownloadMore = more;
    return more >= 0 ? count + 1 : count;
}

bool CPictureListView::GetItem(int index, KQ_PIC_LIST_ITEM* item)
{
    if (!m_bOnline || index != m_nDownloadMore || index < 0)
        return CKQPicListView::GetItem(index, item);
    if (!item)
        return false;
    item->strText = TranslateString(L"Download More");
    item->pImage = &m_imgDownloadMore;
    item->pInfo = nullptr;
    item->nState = 0;
    return true;
}

bool CPictureListView::OnItemClicked(int index)
{
    if (!m_bOnline || index < 0 || index != m_nDownloadMore)
        return false;
    UpdateOnlineFolder(nullptr);
    return true;
}

unsigned int CPictureListView::GetFolderAttr(const wchar_t* path)
{
    // 0x20: nothing can be pasted into the online folders.
    return m_client.IsOnlinePath(path) ? 0x38 : 0x18;
}

CPictureListView::String CPictureListView::GetItemFullFileName(int index)
{
    if (m_hShellItem) {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        return index >= 0 && size_t(index) < m_shellChildren.size() ? String(m_shellChildren[size_t(index)].path.c_str())
                                                                   : String();
    }
    if (m_bOnline) {
        Lock();
        const int folders = m_folderBrowser.m_lstFolder.GetCount();
        const int file = index - folders;
        String path;
        const bool picture = file >= 0 && file < m_folderBrowser.m_lstFile.GetCount();
        if (picture)
            path = m_folderBrowser.m_lstFile.GetAt(file)->m_strName;
        Unlock();
        if (picture)
            return path;
        if (index == m_nDownloadMore)
            return String();
    }
    return CKQPicListView::GetItemFullFileName(index);
}

CPictureListView::String CPictureListView::GetRelatedFileName(int index)
{
    if (!m_bOnline)
        return GetItemFullFileName(index);
    Lock();
    const int file = index - m_folderBrowser.m_lstFolder.GetCount();
    PicDirFile record;
    bool picture = file >= 0 && file < m_folderBrowser.m_lstFile.GetCount();
    if (picture) {
        const uint32_t slot = m_folderBrowser.m_lstFile.GetAt(file)->m_nSpare;
        picture = slot < m_onlineFiles.size();
        if (picture)
            record = m_onlineFiles[slot];
    }
    Unlock();
    if (!picture)
        return index == m_nDownloadMore ? String() : CKQPicListView::GetItemFullFileName(index);
    if (record.strPath.IsEmpty())
        return String();
    KQStringW remote, local;
    m_downloads.GetRelatedPicFileName(&record, record.strPath.GetString(), m_downloads.m_strSizeLetter.GetString(), remote,
                                      local);
    return local;
}

bool CPictureListView::LoadPreviewImage(int fileIndex)
{
    // Among shell items only picture files have thumbnails.
    if (m_hShellItem) {
        std::wstring path;
        Lock();
        const size_t child = size_t(m_folderBrowser.m_lstFolder.GetCount() + fileIndex);
        if (fileIndex >= 0 && child < m_shellChildren.size() && m_shellChildren[child].picture)
            path = m_shellChildren[child].path;
        Unlock();
        return path.empty() || LoadThumbnailFrom(fileIndex, path.c_str());
    }
    if (!m_bOnline)
        return CKQPicListView::LoadPreviewImage(fileIndex);
    CKQListFile snapshot;
    if (!FileSnapshot(fileIndex, snapshot))
        return false;
    if (snapshot.m_bThumbTried)
        return true;
    const String serverPath = snapshot.m_strName;
    KQStringW local = KQStringW(m_client.m_strLocalFileRoot) + L"\\" + GetFileNamePart(serverPath.GetString());
    if (m_client.DownloadFile(ONLINE_PREVIEW, serverPath.GetString(), -1, local) != 0)
        return false;
    return LoadThumbnailFrom(fileIndex, local.GetString());
}

bool CPictureListView::FileSnapshot(int fileIndex, CKQListFile& snapshot)
{
    Lock();
    const bool inRange = fileIndex >= 0 && fileIndex < m_folderBrowser.m_lstFile.GetCount();
    if (inRange)
        snapshot = m_folderBrowser.m_lstFile.GetAt(fileIndex).Get();
    Unlock();
    // The copy does not own the list's thumbnail.
    snapshot.m_pImage = nullptr;
    return inRange;
}

bool CPictureListView::LoadThumbnailFrom(int fileIndex, const wchar_t* path)
{
    CKQListFile snapshot;
    if (!FileSnapshot(fileIndex, snapshot))
        return false;
    if (snapshot.m_bThumbTried)
        return true;
    const String name = snapshot.m_strName;
    ALT::TList<CKQListFile> holder;
    auto copy = holder.AddTail(snapshot);
    const bool loaded = LoadImageIcon(copy, path, fileIndex);
    int listIndex = -1;
    if (loaded) {
        Lock();
        // The entry is attached only while it is still the one listed at that place.
        if (fileIndex < m_folderBrowser.m_lstFile.GetCount()) {
            CKQListFile& entry = m_folderBrowser.m_lstFile.GetAt(fileIndex).Get();
            if (entry.m_strName == name && !entry.m_pImage) {
                entry.m_pImage = copy->m_pImage;
                entry.m_bThumbTried = 1;
                copy->m_pImage = nullptr;
                listIndex = m_folderBrowser.m_lstFolder.GetCount() + fileIndex;
            }
        }
        Unlock();
    }
    copy->ReleaseImage();
    if (listIndex >= 0)
        OnIconLoadedUpdate(listIndex);
    return loaded;
}

bool CPictureListView::LoadFolderPreviewImage(int folderIndex)
{
    if (m_hShellItem)
        return true;
    if (!m_bOnline)
        return CKQPicListView::LoadFolderPreviewImage(folderIndex);
    OnlineFolderItem folder;
    ALT::TListIter<CKQListFolder> entry;
    Lock();
    const bool inRange = folderIndex >= 0 && folderIndex < m_folderBrowser.m_lstFolder.GetCount() &&
                         size_t(folderIndex) < m_onlineFolders.size();
    if (inRange) {
        folder = m_onlineFolders[folderIndex];
        entry = m_folderBrowser.m_lstFolder.GetAt(folderIndex);
    }
    Unlock();
    if (!inRange)
        return false;
    if (folder.done)
        return true;
    const std::wstring parent = m_strFolder.GetString();
    if (folder.preview) {
        std::wstring relative;
        m_client.IsOnlinePath(parent.c_str(), &relative);
        std::wstring server = relative.empty() ? folder.name : relative + L"\\" + folder.name;
        server += L"\\" + folder.name + L".webp";
        for (wchar_t& c : server)
            if (c == L'/')
                c = L'\\';
        KQStringW local = (std::wstring(m_client.m_strLocalDirRoot.GetString()) + L"\\" + server).c_str();
        const int status = m_client.DownloadFile(ONLINE_PREVIEW, server.c_str(), -1, local);
        if (status != 0 && status != HTTP_STATUS_NOT_FOUND)
            return false;
    }
    Lock();
    if (size_t(folderIndex) < m_onlineFolders.size() && m_onlineFolders[folderIndex].name == folder.name)
        m_onlineFolders[folderIndex].done = true;
    Unlock();
    LoadFolderThumbnail(entry, parent.c_str());
    PostUpdateView();
    return true;
}

void CPictureListView::SwitchViewSettings(bool toLocal)
{
    if (toLocal == !m_bOnline)
        return;
    if (toLocal) {
        m_onlineDisplay = CurrentDisplaySettings();
        m_bOnline = false;
        m_nDownloadMore = -1;
        m_nPreviewWorkers = DefaultPreviewWorkers();
        ApplyDisplaySettings(m_localDisplay, m_hWnd != nullptr);
    } else {
        m_localDisplay = CurrentDisplaySettings();
        m_bOnline = true;
        // One preview worker: each fetching thread has its own HTTP object.
        m_nPreviewWorkers = 1;
        ApplyDisplaySettings(m_onlineDisplay, m_hWnd != nullptr);
    }
    m_bOnlineMode = m_bOnline;
}
