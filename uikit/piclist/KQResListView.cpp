#include "KQResListView.h"
#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <map>
#include <string>
#include <vector>
#include "LocalFileIO.h"
#include "PathFunc.h"
#include "PreviewImage.h"
#include "RecycleBin.h"
#include "UIKitIds.h"
#include "XmlDocument.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kFavoriteRoot[] = L"HKCU\\Software\\LumivoUserData\\LumivoTools\\FavoriteData\\";
const wchar_t kPreviewPrefix[] = L"_Preview_";
const int kMaxResNameLength = 200;

std::wstring FileNameOf(const wchar_t* path)
{
    const wchar_t* name = path ? path : L"";
    for (const wchar_t* p = name; *p; ++p)
        if (*p == L'\\' || *p == L'/')
            name = p + 1;
    return name;
}

std::wstring FolderOf(const wchar_t* path)
{
    const std::wstring whole = path ? path : L"";
    const size_t slash = whole.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : whole.substr(0, slash);
}

std::wstring TitleOf(const std::wstring& name)
{
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring Join(const std::wstring& a, const std::wstring& b)
{
    if (a.empty())
        return b;
    if (a.back() == L'\\')
        return a + b;
    return a + L"\\" + b;
}

bool ContainsNoCase(const wchar_t* text, const wchar_t* part)
{
    const size_t length = wcslen(part);
    for (const wchar_t* p = text; *p; ++p)
        if (_wcsnicmp(p, part, length) == 0)
            return true;
    return false;
}

bool ContinueCB(CHttpDownload*, long, long)
{
    return true;
}

// The download list's HTTP client names no owner in its callback: each view registers it.
std::mutex g_viewsLock;
std::map<const CHttpDownload*, CKQResListView*> g_views;

} // namespace

bool IsPlainResFileName(const wchar_t* name)
{
    if (!name || !*name)
        return false;
    const size_t length = wcslen(name);
    if (length > size_t(kMaxResNameLength))
        return false;
    bool onlyDots = true;
    for (const wchar_t* p = name; *p; ++p) {
        if (*p < 32 || wcschr(L"\\/:*?\"<>|", *p))
            return false;
        if (*p != L'.' && *p != L' ')
            onlyDots = false;
    }
    if (onlyDots)
        return false;
    // A device name stays one with any extension and with trailing blanks.
    std::wstring base(name, std::find(name, name + length, L'.'));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* device : kDevices)
        if (_wcsicmp(base.c_str(), device) == 0)
            return false;
    if (base.size() == 4 && (_wcsnicmp(base.c_str(), L"COM", 3) == 0 || _wcsnicmp(base.c_str(), L"LPT", 3) == 0) &&
        base[3] >= L'0' && base[3] <= L'9')
        return false;
    return true;
}

int ResDownloadPercent(int64_t received, int64_t total)
{
    if (total <= 0)
        return -1;
    if (received <= 0)
        return 0;
    if (received >= total)
        return 100;
    // received < total < 2^63, so received * 100 could overflow only above 2^56 bytes.
    if (received > INT64_MAX / 100)
        return int(received / (total / 100));
    return int(received * 100 / total);
}

// The download list

CDownloadResFileList::CDownloadResFileList() = default;

CDownloadResFileList::~CDownloadResFileList() = default;

void CDownloadResFileList::OnDownloadStart(CKQListFile*)
{
    if (m_pResView)
        m_pResView->PostToWindow(KQLV_MSG_UPDATE_VIEW, 0);
}

void CDownloadResFileList::OnDownloadFinish(CKQListFile* item, unsigned int)
{
    if (!m_pResView)
        return;
    const int index = m_pResView->IndexOfEntry(item);
    if (index >= 0 && m_pResView->GetNextSelectItem(-1) == index)
        m_pResView->PostToWindow(WM_RLV_SHOWRESCONTENT, WPARAM(index));
    m_pResView->PostToWindow(KQLV_MSG_UPDATE_VIEW, 0);
}

// The view

IMPLEMENT_DYNAMIC(CKQResListView, CKQPicListView)

BEGIN_MESSAGE_MAP(CKQResListView, CKQPicListView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_RLV_SHOWRESCONTENT, OnShowResContent)
END_MESSAGE_MAP()

CKQResListView::CKQResListView()
{
    m_pResView = this;
    m_favorite.SetRootRegPath(kFavoriteRoot);
    m_strFilter = L"*.png;*.jpg;*webp";
    // The preview and list clients are shared by the preview thread's loads: one at a time.
    m_nPreviewWorkers = 1;
    m_bFolderPreview = false;
    m_bThumbnailCache = false;
    // The clients work before the window exists, so that a panel may list a folder first.
    m_clientPreview.GetHttp().SetCallback(ContinueCB);
    m_clientFileList.GetHttp().SetCallback(ContinueCB);
    m_clientPreview.GetHttp().SetUserAgent("Kelquay/1.00");
    m_clientFileList.GetHttp().SetUserAgent("Kelquay/1.00");
    m_clientPreview.m_bFlag = 0;
    m_clientFileList.m_bFlag = 0;
    {
        std::lock_guard<std::mutex> guard(g_viewsLock);
        g_views[&m_http] = this;
    }
    Init(this, DownloadResCB, nullptr, nullptr);
    m_bFlag = 0;
}

CKQResListView::~CKQResListView()
{
    StopAll();
    std::lock_guard<std::mutex> guard(g_viewsLock);
    g_views.erase(&m_http);
}

int CKQResListView::OnCreate(LPCREATESTRUCT cs)
{
    if (CKQPicListView::OnCreate(cs) == -1)
        return -1;
    m_imageMore.LoadPNG(IDB_KQ_RLV_MORE, GetZVUILibModule());
    if (m_strFolder.IsEmpty())
        SetResRoot(GetKQDataFolder(nullptr).GetString());
    m_bShowSize = m_bShowDate = false;
    ChangeIconSize(KQ_LS_ICON_SMALL, false);
    const int height = std::max(int(m_szLine.cy), 12) * 5 / 3;
    EnableToolBar(KQ_TOOLBAR_BOTTOM, height, KQ_BT_ALIGN_CENTER, false);
    const HINSTANCE library = reinterpret_cast<HINSTANCE>(-1);
    AddButton(TranslateString(L"Sort"), KQRLV_CMD_SORT, IDB_KQ_RLV_SORT, library);
    AddButton(TranslateString(L"Favorite"), KQRLV_CMD_FAVORITE, IDB_KQ_PLV_FAVORITE_S, library);
    AddButton(TranslateString(L"Download All"), KQRLV_CMD_DOWNLOAD_ALL, IDB_KQ_PLV_DOWNLOAD_S, library);
    AddButton(TranslateString(L"Refresh"), KQRLV_CMD_REFRESH, IDB_KQ_RLV_REFRESH, library);
    return 0;
}

void CKQResListView::OnDestroy()
{
    m_favorite.Save();
    StopAll();
    m_bWindowAlive = false;
    StopAll();
    CKQPicListView::OnDestroy();
}

void CKQResListView::SetFavoriteRoot(const wchar_t* root)
{
    m_favorite.SetRootRegPath(root);
}

void CKQResListView::SetResRoot(const wchar_t* root)
{
    m_strFolder = root ? root : L"";
    const wchar_t* text = m_strFolder.GetString();
    m_clientPreview.SetLocalFolder(text);
    m_clientFileList.SetLocalFolder(text);
    SetLocalFolder(text);
    // The download list keeps materials under <root>\<folder>: its names carry the folder.
    CDownloadFileList::m_strResFolder = text;
}

void CKQResListView::SetResServer(const wchar_t* url)
{
    m_clientPreview.SetServerUrl(url);
    m_clientFileList.SetServerUrl(url);
    SetServerUrl(url);
}

void CKQResListView::PostToWindow(UINT message, WPARAM wParam)
{
    if (message == KQLV_MSG_UPDATE_VIEW) {
        PostUpdateView();
        return;
    }
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::PostMessageW(m_hWnd, message, wParam, 0);
}

BOOL CKQResListView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd &&
        (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_UP || pMsg->wParam == VK_RIGHT || pMsg->wParam == VK_DOWN)) {
        OnArrowKeyDown(UINT(pMsg->wParam));
        return TRUE;
    }
    return CKQPicListView::PreTranslateMessage(pMsg);
}

void CKQResListView::OnArrowKeyDown(unsigned int key)
{
    const int focus = m_nLastSingleSelected >= 0 ? m_nLastSingleSelected : GetNextSelectItem(-1);
    if (focus < 0)
        return;
    const int columns = std::max(int(m_nColumns), 1);
    int target = focus;
    switch (key) {
    case VK_LEFT: target = focus - 1; break;
    case VK_RIGHT: target = focus + 1; break;
    case VK_UP: target = focus - columns; break;
    case VK_DOWN: target = focus + columns; break;
    default: return;
    }
    if (target < 0 || target >= GetItemCount())
        return;
    EnsureVisible(target, false);
    if (IsOperateDisabled(0) || !OnItemSingleSelected(target))
        return;
    SetItemState(focus, 0, KQLS_SELECTED);
    SetItemState(target, KQLS_SELECTED, 0);
    m_nLastSingleSelected = target;
    PostUpdateView();
}

// Entries

int CKQResListView::GetItemCount()
{
    Lock();
    const int count = CKQPicListView::GetItemCount();
    const int resources = m_listRes.GetCount();
    m_nMoreItem = count < resources ? count : -1;
    Unlock();
    return m_nMoreItem >= 0 ? count + 1 : count;
}

bool CKQResListView::GetItem(int index, KQ_PIC_LIST_ITEM* item)
{
    Lock();
    const int count = CKQPicListView::GetItemCount();
    const bool more = index == count && count < m_listRes.GetCount();
    Unlock();
    if (!more)
        return CKQPicListView::GetItem(index, item);
    if (!item)
        return false;
    item->strText = TranslateString(L"Download More");
    item->pImage = &m_imageMore;
    item->pInfo = nullptr;
    item->nState = 0;
    return true;
}

int CKQResListView::IndexOfEntry(const CKQListFile* item)
{
    Lock();
    int index = 0, found = -1;
    for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next(), ++index)
        if (&it.Get() == item) {
            found = m_folderBrowser.m_lstFolder.GetCount() + index;
            break;
        }
    Unlock();
    return found;
}

bool CKQResListView::IsUserRes(const wchar_t* path)
{
    const size_t length = size_t(m_strUserResFolder.GetLength());
    if (!path || length == 0 || wcsncmp(path, m_strUserResFolder.GetString(), length) != 0)
        return false;
    return path[length] == 0 || path[length] == L'\\';
}

CKQResListView::String CKQResListView::FileNameToXmlFileName(const wchar_t* path)
{
    const std::wstring folder = FolderOf(path);
    const std::wstring xml = TitleOf(FileNameOf(path)) + L".xml";
    return String(folder.empty() ? xml.c_str() : (folder + L"\\" + xml).c_str());
}

CKQResListView::String CKQResListView::GetResItemFileName(int index)
{
    const String name = [&] {
        Lock();
        const int folders = m_folderBrowser.m_lstFolder.GetCount();
        String result;
        if (index >= folders && index < folders + m_folderBrowser.m_lstFile.GetCount())
            result = m_folderBrowser.m_lstFile.GetAt(index - folders)->m_strName;
        Unlock();
        return result;
    }();
    if (name.IsEmpty())
        return String();
    if (IsUserRes(name.GetString()))
        return name;
    const std::wstring path =
        Join(Join(m_strFolder.GetString(), m_strResFolder.GetString()), FileNameOf(name.GetString()));
    return String(path.c_str());
}

bool CKQResListView::IsFilesCached(const wchar_t* name, bool bPreview)
{
    CLocalFileIO& io = GetLocalFileIO();
    const std::wstring folder = Join(m_strFolder.GetString(), m_strResFolder.GetString());
    const std::wstring file = FileNameOf(name);
    if (bPreview && io.Exists(Join(folder, kPreviewPrefix + file).c_str()))
        return true;
    if (!io.Exists(Join(folder, file).c_str()))
        return false;
    return !m_bXmlInfo || io.Exists(Join(folder, TitleOf(file) + L".xml").c_str());
}

bool CKQResListView::IsFilesCached(int index)
{
    String name;
    Lock();
    const int folders = m_folderBrowser.m_lstFolder.GetCount();
    if (index >= folders && index < folders + m_folderBrowser.m_lstFile.GetCount())
        name = m_folderBrowser.m_lstFile.GetAt(index - folders)->m_strName;
    Unlock();
    if (name.IsEmpty())
        return false;
    return IsUserRes(name.GetString()) || IsFilesCached(name.GetString(), false);
}

int CKQResListView::GetCachedPageCount(bool bPreview)
{
    std::vector<std::wstring> names;
    Lock();
    for (auto it = m_listRes.Begin(); it != m_listRes.End(); it.Next())
        if (it->bListed)
            names.push_back(it->name.GetString());
        else
            names.push_back(std::wstring());
    Unlock();
    int cached = 0;
    for (const std::wstring& name : names) {
        if (!name.empty() && !IsFilesCached(name.c_str(), bPreview))
            break;
        ++cached;
    }
    return std::max(1, (cached + KQRLV_PAGE_SIZE - 1) / KQRLV_PAGE_SIZE);
}

bool CKQResListView::IsPreviewAllDownloaded()
{
    Lock();
    bool all = true;
    for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next())
        if (!it->m_pImage) {
            all = false;
            break;
        }
    Unlock();
    return all;
}

void CKQResListView::StopDownloadQueue()
{
    CDownloadFileList::StopAll();
    std::lock_guard<std::mutex> guard(m_lock);
    m_queue.RemoveAll();
}

bool CKQResListView::LoadFileList(const wchar_t* path)
{
    m_bPreviewFile = false;
    XmlDocument document;
    if (!path || !XmlLoadFile(&document, path))
        return false;
    XmlNode* root = document.FindChild(L"FileList");
    if (!root)
        return false;
    const XmlAttribute* attr = root->FindAttribute(L"Attr");
    m_bPreviewFile = attr && (wcschr(attr->value, L'P') || wcschr(attr->value, L'p'));

    // The entries are read before the lock; favourites go before the first other entry, so
    // they come first in the order of the file.
    ALT::TList<CResFileItem> entries;
    auto firstOther = entries.End();
    int skipped = 0;
    const String folder = m_strResFolder;
    for (XmlNode& child : root->children) {
        if (child.kind != XML_NODE_ELEMENT)
            continue;
        const XmlAttribute* name = child.FindAttribute(L"Name");
        if (!name || !IsPlainResFileName(name->value)) {
            ++skipped;
            continue;
        }
        CResFileItem entry;
        entry.name = name->value;
        const XmlAttribute* date = child.FindAttribute(L"Date");
        const XmlAttribute* slot = child.FindAttribute(L"nSlot");
        entry.date = date ? int32_t(wcstol(date->value, nullptr, 10)) : 0;
        entry.nSlot = slot ? int32_t(wcstol(slot->value, nullptr, 10)) : 0;
        entry.bListed = true;
        if (m_favorite.IsFavorite(name->value, folder.GetString())) {
            entries.InsertBefore(firstOther, entry);
        } else {
            auto added = entries.AddTail(entry);
            if (firstOther == entries.End())
                firstOther = added;
        }
    }

    // The download queue points into the entries that go now.
    StopDownloadQueue();
    Lock();
    RemoveAllItem();
    m_listRes.RemoveAll();
    for (auto it = entries.Begin(); it != entries.End(); it.Next())
        m_listRes.AddTail(it.Get());
    m_nSkippedNames = skipped;
    Unlock();
    return true;
}

bool CKQResListView::LoadMore()
{
    struct Pending {
        std::wstring path;
        std::wstring caption;
        bool listed;
    };
    std::vector<Pending> page;
    int first;
    Lock();
    first = m_folderBrowser.m_lstFile.GetCount();
    if (first < m_listRes.GetCount()) {
        auto it = m_listRes.GetAt(first);
        for (int n = 0; n < KQRLV_PAGE_SIZE && it != m_listRes.End(); ++n, it.Next()) {
            const std::wstring name = it->name.GetString();
            if (it->bListed)
                page.push_back({Join(m_strResFolder.GetString(), name), name, true});
            else
                page.push_back({Join(m_strUserResFolder.GetString(), name), FileNameOf(name.c_str()), false});
        }
    }
    Unlock();
    if (page.empty())
        return false;

    // The disk is asked outside the lock.
    std::vector<uint32_t> states;
    for (const Pending& entry : page) {
        uint32_t state = KQLS_FAVORITE | KQLS_CLOSE_BUTTON;
        if (entry.listed) {
            state = IsFilesCached(entry.path.c_str(), false) ? 0 : KQLS_DOWNLOAD;
            if (m_favorite.IsFavorite(entry.caption.c_str(), m_strResFolder.GetString()))
                state |= KQLS_FAVORITE;
        }
        states.push_back(state);
    }

    Lock();
    // Another page may have come meanwhile; only the one that follows the loaded files is added.
    const bool current = m_folderBrowser.m_lstFile.GetCount() == first;
    if (current) {
        for (size_t i = 0; i < page.size(); ++i) {
            CKQListFile file(page[i].path.c_str());
            file.m_strCaption = page[i].caption.c_str();
            file.m_nState = states[i];
            m_folderBrowser.m_lstFile.AddTail(file);
        }
    }
    Unlock();
    return current;
}

bool CKQResListView::LoadMorePage(int pages)
{
    if (!LoadMore())
        return false;
    for (int loaded = 1; loaded < pages && !m_bStopping; ++loaded)
        if (!LoadMore())
            break;
    bool any;
    Lock();
    any = m_listRes.GetCount() > 0;
    Unlock();
    if (any && !m_bStopping) {
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
    return true;
}

void CKQResListView::QueueAll()
{
    const int count = GetItemCount();
    Lock();
    const int files = m_folderBrowser.m_lstFolder.GetCount() + m_folderBrowser.m_lstFile.GetCount();
    Unlock();
    if (count > 0 && files > 0)
        StartDownloadResFile(0, files - 1);
}

// Threads

void CKQResListView::UpdateResFolder(const wchar_t* folder, int page)
{
    std::lock_guard<std::mutex> guard(m_folderLock);
    if (m_folderThread.joinable()) {
        if (m_folderThread.get_id() == std::this_thread::get_id())
            return;
        m_folderThread.join();
    }
    m_bStopping = false;
    const bool named = folder != nullptr;
    const std::wstring copy = folder ? folder : L"";
    m_folderThread = std::thread([this, named, copy, page] { UpdateResFolderThread(named ? copy.c_str() : nullptr, page); });
}

void CKQResListView::WaitFolderWorker()
{
    std::lock_guard<std::mutex> guard(m_folderLock);
    if (m_folderThread.joinable() && m_folderThread.get_id() != std::this_thread::get_id())
        m_folderThread.join();
    // The folder worker has ended, so the list-file worker it may have started is settled.
    if (m_fileListThread.joinable())
        m_fileListThread.join();
}

void CKQResListView::Refresh()
{
    if (!m_strResFolder.IsEmpty())
        UpdateResFolder(m_strResFolder.GetString(), -1);
}

void CKQResListView::UpdateResFolderThread(const wchar_t* folder, int page)
{
    StopWorkers();
    if (m_bStopping)
        return;
    if (!folder) {
        LoadMorePage(page);
        if (page == KQRLV_ALL_PAGES)
            QueueAll();
        return;
    }
    m_bIdleUpdate = true;
    m_strResFolder = folder;
    if (*folder)
        m_favorite.Load(folder);
    if (m_strUserDataRoot.IsEmpty()) {
        wchar_t userData[MAX_PATH] = {};
        GetKQFolder(userData, KQ_FOLDER_USERDATA, true);
        m_strUserDataRoot = userData;
    }
    m_strUserResFolder = Join(m_strUserDataRoot.GetString(), folder).c_str();
    GetLocalFileIO().MakeDirTree(m_strUserResFolder.GetString());
    m_strFileListUrl = Join(folder, L"FileList.xml").c_str();
    m_strFileListPath = Join(Join(m_strFolder.GetString(), folder), L"FileList.xml").c_str();

    if (!m_bRefresh && GetLocalFileIO().Exists(m_strFileListPath.GetString())) {
        if (LoadFileList(m_strFileListPath.GetString())) {
            if (m_hWnd && ::IsWindow(m_hWnd))
                PostUpdateView();
            const int pages = page < 0 ? GetCachedPageCount(true) : page;
            LoadMorePage(pages);
            if (pages == KQRLV_ALL_PAGES)
                QueueAll();
            return;
        }
        m_bRefresh = true;
    }
    if (m_bStopping)
        return;
    const int age = m_bRefresh ? 0 : m_nFileListAge;
    m_bRefresh = false;
    m_fileListThread = std::thread([this, age] { DownloadFileListThread(age); });
}

void CKQResListView::DownloadFileListThread(int maxAgeHours)
{
    PostToWindow(KQLV_MSG_SHOW_LOADING, 1);
    KQStringW local = m_strFileListPath.GetString();
    // An age of 0 fetches the list anew even when the cached one was written this very second;
    // the cached one comes back when the server cannot be reached.
    CLocalFileIO& io = GetLocalFileIO();
    const std::wstring kept = std::wstring(local.GetString()) + L".old";
    const bool forced = maxAgeHours == 0 && io.Exists(local.GetString());
    if (forced) {
        io.Delete(kept.c_str());
        io.Move(local.GetString(), kept.c_str());
    }
    const int status = m_bStopping ? -1 : m_clientFileList.DownloadFile(m_strFileListUrl.GetString(), maxAgeHours, local);
    if (forced) {
        if (status == 0)
            io.Delete(kept.c_str());
        else
            io.Move(kept.c_str(), local.GetString());
    }
    if (!m_bStopping && LoadFileList(m_strFileListPath.GetString()))
        LoadMorePage(1);
    PostToWindow(KQLV_MSG_SHOW_LOADING, 0);
    PostUpdateView();
}

void CKQResListView::StopDownloadFileList()
{
    m_clientFileList.GetHttp().Cancel();
    if (m_fileListThread.joinable())
        m_fileListThread.join();
    m_clientFileList.GetHttp().Reset();
}

void CKQResListView::StopWorkers()
{
    m_clientPreview.GetHttp().Cancel();
    StopDownloadFileList();
    CDownloadFileList::StopAll();
    CKQPicListView::StopAll();
    m_clientPreview.GetHttp().Reset();
    m_http.Reset();
}

void CKQResListView::StopAll()
{
    // The folder worker is told first, so that it starts nothing more, and every transfer is
    // cancelled before its thread is joined.
    m_bStopping = true;
    m_clientPreview.GetHttp().Cancel();
    m_clientFileList.GetHttp().Cancel();
    m_http.Cancel();
    WaitFolderWorker();
    StopWorkers();
}

void CKQResListView::OnIdleUpdatePreviewThread()
{
    if (!m_bIdleUpdate.exchange(false))
        return;
    KQStringW local = m_strFileListPath.GetString();
    if (!m_strFileListUrl.IsEmpty())
        m_clientFileList.DownloadFile(m_strFileListUrl.GetString(), m_nIdleFileListAge, local);
}

// Thumbnails

bool CKQResListView::LoadUserPreviewImage(const CKQListFile& item, String& picture)
{
    picture = item.m_strName;
    if (!m_bPreviewFile)
        return true;
    const std::wstring preview =
        Join(FolderOf(item.m_strName.GetString()), kPreviewPrefix + FileNameOf(item.m_strName.GetString()));
    if (GetLocalFileIO().Exists(preview.c_str()) || MakeResPreviewFile(item.m_strName.GetString()))
        picture = preview.c_str();
    return true;
}

bool CKQResListView::LoadPreviewImage(int fileIndex)
{
    CKQListFile snapshot;
    {
        Lock();
        const bool inRange = fileIndex >= 0 && fileIndex < m_folderBrowser.m_lstFile.GetCount();
        if (inRange)
            snapshot = m_folderBrowser.m_lstFile.GetAt(fileIndex).Get();
        Unlock();
        if (!inRange)
            return false;
        if (snapshot.m_bThumbTried)
            return true;
        snapshot.m_pImage = nullptr;
    }
    const String name = snapshot.m_strName;
    // Changes the entry still listed under the name; false when it has gone.
    auto change = [&](uint32_t set, uint32_t clear, bool tried, CKQImageFile* picture) {
        Lock();
        int position = 0;
        auto it = m_folderBrowser.m_lstFile.Begin();
        for (; it != m_folderBrowser.m_lstFile.End() && !(it->m_strName == name); it.Next())
            ++position;
        const bool found = it != m_folderBrowser.m_lstFile.End();
        if (found) {
            it->m_nState = (it->m_nState | set) & ~clear;
            if (tried)
                it->m_bThumbTried = 1;
            if (picture) {
                it->ReleaseImage();
                it->m_pImage = picture;
                it->m_info = snapshot.m_info;
            }
        }
        Unlock();
        return found ? m_folderBrowser.m_lstFolder.GetCount() + position : -1;
    };

    if (FailedRecently(name))
        return false;
    String picture;
    if (IsUserRes(name.GetString())) {
        LoadUserPreviewImage(snapshot, picture);
    } else {
        const std::wstring file = FileNameOf(name.GetString());
        const std::wstring remoteFolder = m_strResFolder.GetString();
        const std::wstring localFolder = Join(m_strFolder.GetString(), remoteFolder);
        if (m_bPreviewFile) {
            change(0, KQLS_ALERT, false, nullptr);
            KQStringW local = Join(localFolder, kPreviewPrefix + file).c_str();
            if (m_clientPreview.DownloadFile(Join(remoteFolder, kPreviewPrefix + file).c_str(), -1, local) == 0)
                picture = local.GetString();
        }
        if (picture.IsEmpty()) {
            if (m_bPreviewStop)
                return false;
            KQStringW local = Join(localFolder, file).c_str();
            if (m_clientPreview.DownloadFile(Join(remoteFolder, file).c_str(), -1, local) != 0) {
                NoteFailure(name, true);
                change(KQLS_ALERT, 0, false, nullptr);
                PostUpdateView();
                return false;
            }
            if (m_bPreviewFile) {
                MakeResPreviewFile(local.GetString());
            } else if (m_bXmlInfo) {
                if (m_bPreviewStop)
                    return false;
                KQStringW xml = FileNameToXmlFileName(local.GetString()).GetString();
                const String remoteXml = FileNameToXmlFileName(Join(remoteFolder, file).c_str());
                if (m_clientPreview.DownloadFile(remoteXml.GetString(), -1, xml) != 0) {
                    NoteFailure(name, true);
                    change(KQLS_ALERT, 0, false, nullptr);
                    PostUpdateView();
                    return false;
                }
            }
            picture = local.GetString();
        }
    }

    NoteFailure(name, false);
    ALT::TList<CKQListFile> holder;
    auto copy = holder.AddTail(snapshot);
    const bool loaded = LoadImageIcon(copy, picture.GetString(), fileIndex);
    int listIndex;
    if (loaded) {
        snapshot.m_info = copy->m_info;
        const bool cached = IsUserRes(name.GetString()) || IsFilesCached(name.GetString(), false);
        const uint32_t clear = KQLS_DOWNLOADING | KQLS_ALERT | (cached ? KQLS_DOWNLOAD : 0);
        listIndex = change(0, clear, true, copy->m_pImage);
        if (listIndex >= 0)
            copy->m_pImage = nullptr;
    } else {
        const bool exists = GetLocalFileIO().Exists(picture.GetString());
        listIndex = change(KQLS_ALERT, KQLS_DOWNLOADING, exists, nullptr);
    }
    copy->ReleaseImage();
    if (listIndex >= 0)
        OnIconLoadedUpdate(listIndex);
    return loaded;
}

bool CKQResListView::FailedRecently(const String& name)
{
    std::lock_guard<std::mutex> guard(m_failLock);
    auto found = m_failedAt.Find(name);
    return found != m_failedAt.End() && GetTickCount64() - found.GetValue() < m_nRetryAfter;
}

void CKQResListView::NoteFailure(const String& name, bool failed)
{
    std::lock_guard<std::mutex> guard(m_failLock);
    auto found = m_failedAt.Find(name);
    if (found != m_failedAt.End())
        m_failedAt.Erase(found);
    if (failed)
        m_failedAt.Insert(name, GetTickCount64());
}

// The download list's hooks

CKQListFile* CKQResListView::GetDownloadItem(int index)
{
    CKQListFile* item = nullptr;
    Lock();
    const int folders = m_folderBrowser.m_lstFolder.GetCount();
    if (index >= folders && index < folders + m_folderBrowser.m_lstFile.GetCount()) {
        CKQListFile& file = m_folderBrowser.m_lstFile.GetAt(index - folders).Get();
        if (!IsUserRes(file.m_strName.GetString()))
            item = &file;
    }
    Unlock();
    return item;
}

unsigned CKQResListView::GetDownloadItemState(CKQListFile* item)
{
    Lock();
    // A material that failed before is queued again: only one on its way is not.
    const unsigned state = item ? item->m_nState & KQLS_DOWNLOADING : 0;
    Unlock();
    return state;
}

void CKQResListView::ChangeDownloadItemState(CKQListFile* item, unsigned set, unsigned clear)
{
    Lock();
    if (item)
        item->m_nState = (item->m_nState | set) & ~clear;
    Unlock();
}

KQStringW CKQResListView::GetDownloadItemName(CKQListFile* item)
{
    Lock();
    KQStringW name = item ? item->m_strName.GetString() : L"";
    Unlock();
    return name;
}

bool CKQResListView::DownloadResFile(const wchar_t* name, int maxAgeHours)
{
    if (!CDownloadFileList::DownloadResFile(name, maxAgeHours))
        return false;
    if (!m_bXmlInfo)
        return true;
    // A transfer starts afresh: a stop asked for between the two is heeded here.
    if (m_bStop)
        return false;
    return CDownloadFileList::DownloadResFile(FileNameToXmlFileName(name).GetString(), maxAgeHours);
}

bool CKQResListView::DownloadResCB(CHttpDownload* download, long event, long value)
{
    CKQResListView* view = nullptr;
    {
        std::lock_guard<std::mutex> guard(g_viewsLock);
        auto found = g_views.find(download);
        if (found != g_views.end())
            view = found->second;
    }
    if (!view || !download)
        return true;
    const wchar_t* local = download->GetLocalFileName();
    const wchar_t* name = local ? local : L"";
    if (event == HTTP_EVENT_RECEIVED) {
        // The byte count of the event is clamped to a long: the client's own 64-bit counts are used.
        const int percent = ResDownloadPercent(download->GetReceived(), download->GetTotalSize());
        if (percent >= 0)
            view->OnResDownloadProgress(name, percent);
    } else if (event == HTTP_EVENT_TOTAL) {
        view->OnResDownloadProgress(name, 0);
    } else if (event == HTTP_EVENT_STATE && value == HTTP_STATE_DONE) {
        view->OnResDownloadProgress(name, 100);
    }
    return true;
}

// The user's own materials

bool CKQResListView::LoadMyResFileList()
{
    if (m_strUserResFolder.IsEmpty())
        return false;
    int stop = 0;
    GetLocalFileIO().XScan(m_strUserResFolder.GetString(), reinterpret_cast<XScanCallback>(&ScanUserFileList), this, true,
                           &stop, false);
    return true;
}

XSCAN_RES CKQResListView::ScanUserFileList(CFileIO*, const wchar_t* path, unsigned long size, CKQResListView* view)
{
    if (size == 0xFFFFFFFFul || !path || !view)
        return XSCAN_SKIP;
    const std::wstring name = FileNameOf(path);
    // The pattern list is matched without case: a.PNG is as much the user's material as a.png.
    if (!MatchWildcardList(view->m_strFilter.GetString(), name.c_str()))
        return XSCAN_SKIP;
    if (ContainsNoCase(name.c_str(), kPreviewPrefix))
        return XSCAN_SKIP;
    return view->OnUserPageFileFound(path) ? XSCAN_CONTINUE : XSCAN_SKIP;
}

bool CKQResListView::OnUserPageFileFound(const wchar_t*)
{
    return true;
}

// Commands

void CKQResListView::OnResDownloadProgress(const wchar_t*, int) {}

void CKQResListView::ShowSortMenu() {}

void CKQResListView::ShowResContent(int, bool) {}

LRESULT CKQResListView::OnShowResContent(WPARAM wParam, LPARAM)
{
    ShowResContent(int(wParam), true);
    return 0;
}

bool CKQResListView::OnItemClicked(int index)
{
    Lock();
    const int files = m_folderBrowser.m_lstFolder.GetCount() + m_folderBrowser.m_lstFile.GetCount();
    Unlock();
    if (index < 0)
        return false;
    if (index >= files) {
        LoadMorePage(-1);
        return true;
    }
    const bool cached = IsFilesCached(index);
    ShowResContent(index, cached);
    if (!cached)
        StartDownloadResFile(index, index);
    return false;
}

bool CKQResListView::OnToolBarItemClicked(unsigned int id)
{
    switch (id) {
    case KQRLV_CMD_SORT:
        ShowSortMenu();
        return true;
    case KQRLV_CMD_FAVORITE: {
        const std::wstring folder = m_strResFolder.GetString();
        for (int index = GetNextSelectItem(-1); index >= 0; index = GetNextSelectItem(index)) {
            const String text = [&] {
                Lock();
                String name;
                const int folders = m_folderBrowser.m_lstFolder.GetCount();
                if (index >= folders && index < folders + m_folderBrowser.m_lstFile.GetCount())
                    name = m_folderBrowser.m_lstFile.GetAt(index - folders)->m_strName;
                Unlock();
                return name;
            }();
            const std::wstring file = FileNameOf(text.GetString());
            if (!(GetItemState(index) & KQLS_FAVORITE)) {
                if (m_favorite.AddFavorite(file.c_str(), folder.c_str()))
                    SetItemState(index, KQLS_FAVORITE, 0);
            } else if (m_favorite.RemoveFavorite(file.c_str(), folder.c_str())) {
                SetItemState(index, 0, KQLS_FAVORITE);
            }
        }
        if (m_hWnd && ::IsWindow(m_hWnd)) {
            RecalclayoutIcon(true);
            DrawListView();
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        return true;
    }
    case KQRLV_CMD_DOWNLOAD_ALL:
        UpdateResFolder(nullptr, KQRLV_ALL_PAGES);
        return true;
    case KQRLV_CMD_REFRESH:
        m_bRefresh = true;
        UpdateResFolder(m_strResFolder.GetString(), -1);
        return true;
    default:
        return false;
    }
}

bool CKQResListView::ItemCloseBTClicked(int index)
{
    if (BCGPMessageBox(TranslateString(L"Are you sure to delete the file(s) ?"), MB_YESNO) != IDYES)
        return false;
    String name;
    bool own = false;
    Lock();
    const int files = m_folderBrowser.m_lstFile.GetCount();
    if (index >= 0 && index < m_listRes.GetCount() && index < files) {
        const CResFileItem& entry = m_listRes.GetAt(index).Get();
        own = !entry.bListed;
        name = entry.name;
    }
    Unlock();
    // Only the user's own materials are deleted: a listed entry never names a user file.
    if (!own || name.IsEmpty())
        return false;
    CLocalFileIO& io = GetLocalFileIO();
    const std::wstring folder = m_strUserResFolder.GetString();
    const std::wstring material = Join(folder, name.GetString());
    const std::wstring file = FileNameOf(name.GetString());
    const std::wstring preview = Join(FolderOf(material.c_str()), kPreviewPrefix + file);
    const std::wstring xml = Join(FolderOf(material.c_str()), TitleOf(file) + L".xml");
    KQPathSet paths;
    paths.Insert(material.c_str());
    if (io.Exists(preview.c_str()))
        paths.Insert(preview.c_str());
    if (io.Exists(xml.c_str()))
        paths.Insert(xml.c_str());
    SHFILEOPSTRUCTW op;
    InitShellFileOp(op);
    op.hwnd = m_hWnd;
    if (!DeleteToRecycleBin(op, paths)) {
        OnDeleteRefused(material.c_str());
        return false;
    }
    StopDownloadQueue();
    Lock();
    if (index < m_listRes.GetCount() && index < m_folderBrowser.m_lstFile.GetCount()) {
        m_listRes.RemoveAt(m_listRes.GetAt(index));
        auto it = m_folderBrowser.m_lstFile.GetAt(index);
        it->ReleaseImage();
        m_folderBrowser.m_lstFile.RemoveAt(it);
    }
    Unlock();
    PostUpdateView();
    return true;
}

void CKQResListView::OnDeleteRefused(const wchar_t*)
{
    BCGPMessageBox(TranslateString(L"The file could not be moved to the recycle bin."), MB_OK | MB_ICONWARNING);
}
