#include "KQPicListView.h"
#include <chrono>
#include <algorithm>
#include <cwchar>
#include <mutex>
#include <unordered_set>
#include <vector>
#include "CxMemFile.h"
#include "LocalFileIO.h"
#include "PathFunc.h"
#include "RecycleBin.h"
#include "ThumbnailCache.h"
#include "ZVUILibApp.h"

namespace {
// Thumbnails are made at most this large on a side.
const long kThumbSide = 256;
// Smaller files decode directly; larger ones (and projects) go through the cache.
const uint64_t kDirectLoadLimit = 204800;
// A deep folder-preview walk looks at no more entries than this.
const int kFolderWalkLimit = 2000;
// The shrink-on-load box: the decoder keeps a factor of two over the box it is given, so half
// the thumbnail side still decodes at least a thumbnail's size, never less.
const DWORD kShrinkBox = kThumbSide / 2;
// Thumbnails attached between two checks of the memory budget, and at most between two walks
// over the held thumbnails.
const int kAttachesPerTrim = 16;
const int kAttachesPerWalk = 256;

// Set by LoadFolderThumbnail for its walk: a folder's previews take pictures of any size.
thread_local bool t_ignoreMinimum = false;

typedef ALT::TString<wchar_t, 0, 8> String;

String JoinPath(const String& folder, const wchar_t* name)
{
    String path(folder);
    path += L"\\";
    path += name ? name : L"";
    return path;
}

bool IsProjectFile(const wchar_t* path)
{
    const wchar_t* ext = ListFileExtension(path);
    return ext && _wcsicmp(ext, L"kqd") == 0;
}

uint64_t ImageBytes(const CZVImage* image)
{
    if (!image)
        return 0;
    uint64_t bytes = uint64_t(image->GetEffWidth()) * image->GetHeight();
    if (image->AlphaIsValid())
        bytes += uint64_t(image->GetWidth()) * image->GetHeight();
    return bytes;
}

uint64_t ThumbnailBytes(const CKQImageFile* image)
{
    return image ? ImageBytes(image) + ImageBytes(image->m_pSmallImage) : 0;
}

XSCAN_RES FolderPreviewEntry(CFileIO* io, const wchar_t* path, unsigned long size, void* context)
{
    return CKQPicListView::XScanPicSubFilesCallback(io, path, size, static_cast<ST_GetFolderPicSubFiles*>(context));
}

// The cache file in one piece: the picture without EXIF, then the trailer, written beside the
// target and renamed, so a reader never sees half a file. A picture the encoder refuses at its
// depth is tried once more at another depth, on a copy, so that the thumbnail shown keeps its own.
bool WriteCacheFile(const wchar_t* cachePath, CZVImage& picture, const IMAGR_FILE_INFO& info)
{
    picture.DisableEXIF();
    CxMemFile data;
    if (!picture.Encode(data, CXIMAGE_FORMAT_WEBP)) {
        CZVImage other(picture);
        const bool changed = other.GetBpp() <= 8 ? other.IncreaseBpp(24) : other.DecreaseBpp(8, false, nullptr, 0);
        CxMemFile retry;
        if (!changed || !other.Encode(retry, CXIMAGE_FORMAT_WEBP))
            return false;
        return WriteCacheFile(cachePath, other, info);
    }
    std::vector<uint8_t> bytes(data.GetBuffer(), data.GetBuffer() + data.Size());
    uint8_t trailer[thumbcache::kTrailerSize];
    thumbcache::MakeTrailer(info, trailer);
    bytes.insert(bytes.end(), trailer, trailer + sizeof(trailer));
    return GetLocalFileIO().WriteWholeFile(cachePath, bytes.data(), DWORD(bytes.size()));
}
} // namespace

IMPLEMENT_DYNAMIC(CKQPicListView, CWnd)

CKQPicListView::CKQPicListView()
{
    m_folderBrowser.m_pOwner = this;
    m_strFilter = L"*.kqd;*.bmp;*.dib;*.rle;*.gif;*.ico;*.cur;*.jbg;*.jp2;*.j2k;*.jpc;*.j2c;*.jpg;*.jpe;*.jpeg;*.mng;"
                  L"*.jng;*.png;*.pcx;*.pgx;*.pnm;*.pgm;*.ppm;*.psd;*.ras;*.nef;*.crw;*.cr2;*.mrw;*.raf;*.erf;*.3fr;"
                  L"*.dcr;*.raw;*.dng;*.pef;*.x3f;*.arw;*.sr2;*.mef;*.orf;*.ska;*.tga;*.tif;*.tiff;*.wbm;*.wbmp;*.webp;"
                  L"*.wmf;*.emf";
}

// A subclass whose overrides the threads call stops them in its own destructor; this one
// stops and joins whatever still runs before the lists go.
CKQPicListView::~CKQPicListView()
{
    StopAll();
}

void CKQPicListView::Lock()
{
    m_folderBrowser.m_lock.lock();
}

void CKQPicListView::Unlock()
{
    m_folderBrowser.m_lock.unlock();
}

bool CKQPicListView::GetItem(int index, KQ_PIC_LIST_ITEM* item)
{
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    const int folders = m_folderBrowser.m_lstFolder.GetCount();
    if (index < 0 || index >= folders + m_folderBrowser.m_lstFile.GetCount() || !item)
        return false;
    if (index < folders) {
        CKQListFolder& folder = m_folderBrowser.m_lstFolder.GetAt(index).Get();
        item->strText = folder.m_strText.IsEmpty() ? folder.m_strName : folder.m_strText;
        item->nState = folder.m_nState;
        item->pInfo = nullptr;
        item->pImage = folder.m_pImage ? folder.m_pImage : &m_imgFolder;
        return true;
    }
    CKQListFile& file = m_folderBrowser.m_lstFile.GetAt(index - folders).Get();
    item->strText = file.m_strCaption.IsEmpty() ? file.m_strName : file.m_strCaption;
    item->nState = file.m_nState;
    item->pInfo = &file.m_info;
    if (file.m_pImage) {
        item->pImage = file.m_pImage;
    } else if (file.m_bThumbTried) {
        item->pImage = &m_imgBroken;
    } else {
        item->pImage = GetLoadingImage();
        m_bPreviewUpdate = true;
    }
    return true;
}

CKQPicListView::String CKQPicListView::GetItemText(int index)
{
    KQ_PIC_LIST_ITEM item = {};
    GetItem(index, &item);
    return item.strText;
}

int CKQPicListView::GetItemCount()
{
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    return m_folderBrowser.m_lstFolder.GetCount() + m_folderBrowser.m_lstFile.GetCount();
}

bool CKQPicListView::SetItemState(int index, unsigned int set, unsigned int clear)
{
    int kindIndex;
    bool changed, selected;
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        const int folders = m_folderBrowser.m_lstFolder.GetCount();
        if (index < 0 || index >= folders + m_folderBrowser.m_lstFile.GetCount())
            return false;
        uint32_t* state;
        if (index < folders) {
            if (!m_bFolderSelect)
                set &= ~KQLS_SELECTED;
            state = &m_folderBrowser.m_lstFolder.GetAt(index)->m_nState;
            kindIndex = index;
        } else {
            state = &m_folderBrowser.m_lstFile.GetAt(index - folders)->m_nState;
            kindIndex = index - folders;
        }
        const uint32_t before = *state;
        *state = (before | set) & ~clear;
        changed = ((before ^ *state) & KQLS_SELECTED) != 0;
        selected = (*state & KQLS_SELECTED) != 0;
    }
    if (changed)
        OnItemSelStateChanged(kindIndex, selected);
    return true;
}

unsigned int CKQPicListView::GetItemState(int index)
{
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    const int folders = m_folderBrowser.m_lstFolder.GetCount();
    if (index < 0 || index >= folders + m_folderBrowser.m_lstFile.GetCount())
        return 0;
    if (index < folders)
        return m_folderBrowser.m_lstFolder.GetAt(index)->m_nState;
    return m_folderBrowser.m_lstFile.GetAt(index - folders)->m_nState;
}

bool CKQPicListView::SetItemText(int index, const wchar_t* text)
{
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    const int folders = m_folderBrowser.m_lstFolder.GetCount();
    if (index < folders || index >= folders + m_folderBrowser.m_lstFile.GetCount())
        return false;
    m_folderBrowser.m_lstFile.GetAt(index - folders)->m_strCaption = text ? text : L"";
    return true;
}

CKQPicListView::String CKQPicListView::GetItemFullFileName(int index)
{
    if (index < 0 || index >= GetItemCount())
        return String();
    return JoinPath(m_strFolder, GetItemText(index).GetString());
}

void CKQPicListView::RemoveAllItem()
{
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    m_folderBrowser.ClearList();
    m_nVisibleCount = 0;
    m_nFirstVisible = 0;
    m_nHover = -1;
}

CKQImageFile* CKQPicListView::GetLoadingImage()
{
    return m_bAltLoading ? &m_imgLoading[1] : &m_imgLoading[0];
}

void CKQPicListView::OnIconLoadedUpdate(int index)
{
    const int first = m_nFirstVisible;
    if (index >= first && index < first + m_nVisibleCount)
        PostUpdateView();
}

bool CKQPicListView::OnFileSearched(const wchar_t* path, unsigned int& /*state*/)
{
    if (!m_bMinSize)
        return true;
    const int64_t size = GetLocalFileIO().GetPathSize(path);
    return size > int64_t(m_nMinSize);
}

bool CKQPicListView::OnItemSingleSelected(int /*index*/)
{
    return true;
}

// On the scan thread: nothing is laid out here; the window hears of the end by the message.
void CKQPicListView::OnEndFolderSearch()
{
    if (m_bKeepItems)
        PruneMissing();
    if (gKQListView_SortType != KQ_LIST_SORT_NONE)
        SortBy(gKQListView_SortType);
    else
        PostUpdateView();
}

// The refreshed folder no longer holds some entries: the walk tells which listed names it did
// not meet; after a walk cut short, existence is tested, without the lock. Only entries still
// listed under those names are dropped, under it.
void CKQPicListView::PruneMissing()
{
    std::unordered_set<std::wstring> goneFolders, goneFiles;
    if (!m_folderBrowser.TakeMissing(goneFiles, goneFolders)) {
        std::vector<std::wstring> folders, files;
        {
            std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
            for (auto it = m_folderBrowser.m_lstFolder.Begin(); it != m_folderBrowser.m_lstFolder.End(); it.Next())
                folders.push_back(it->m_strName.GetString());
            for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next())
                files.push_back(it->m_strName.GetString());
        }
        CFileIO& io = *m_folderBrowser.m_pFileIO;
        for (const std::wstring& name : folders)
            if (!io.Exists(JoinPath(m_strFolder, name.c_str()).GetString()))
                goneFolders.insert(name);
        for (const std::wstring& name : files)
            if (!io.Exists(JoinPath(m_strFolder, name.c_str()).GetString()))
                goneFiles.insert(name);
    }
    if (goneFolders.empty() && goneFiles.empty())
        return;
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    for (auto it = m_folderBrowser.m_lstFolder.Begin(); it != m_folderBrowser.m_lstFolder.End(); it.Next())
        if (goneFolders.count(it->m_strName.GetString())) {
            it->ReleaseImage();
            it = m_folderBrowser.m_lstFolder.RemoveAt(it);
        }
    for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next())
        if (goneFiles.count(it->m_strName.GetString())) {
            it->ReleaseImage();
            it = m_folderBrowser.m_lstFile.RemoveAt(it);
        }
}

bool CKQPicListView::ItemExchange(int a, int b)
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        const int folders = m_folderBrowser.m_lstFolder.GetCount();
        const int count = folders + m_folderBrowser.m_lstFile.GetCount();
        if (a < 0 || b < 0 || a >= count || b >= count)
            return false;
        if (a >= folders && b >= folders && a != b) {
            CKQListFile& first = m_folderBrowser.m_lstFile.GetAt(a - folders).Get();
            CKQListFile& second = m_folderBrowser.m_lstFile.GetAt(b - folders).Get();
            CKQListFile held(std::move(first));
            first = std::move(second);
            second = std::move(held);
        }
    }
    m_nHover = b;
    if (m_nLastSingleSelected == a)
        m_nLastSingleSelected = b;
    m_bPreviewUpdate = true;
    PostUpdateView();
    return true;
}

// The preview thread is told first, so that the end of the scan sorts nothing more.
void CKQPicListView::StopAll()
{
    m_bAbortWalks = true;
    m_bPreviewStop = true;
    {
        // Taken once so that a thread between its look at the flag and its wait hears this.
        std::lock_guard<std::mutex> idle(m_previewIdleLock);
    }
    m_previewIdle.notify_all();
    m_folderBrowser.StopSearch();
    if (m_pPreviewThread) {
        if (m_pPreviewThread->joinable())
            m_pPreviewThread->join();
        m_pPreviewThread.reset();
    }
}

bool CKQPicListView::IsOperateDisabled(int /*operation*/)
{
    return false;
}

unsigned int CKQPicListView::GetFolderAttr(const wchar_t* /*path*/)
{
    return 24;
}

void CKQPicListView::UpdateItemIcon(int index)
{
    int folders;
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        folders = m_folderBrowser.m_lstFolder.GetCount();
    }
    if (index >= folders)
        LoadEntryThumbnail(index - folders, true);
    OnIconLoadedUpdate(index);
}

void CKQPicListView::OnItemSelStateChanged(int index, bool selected)
{
    if (!m_bSingleSelect)
        return;
    if (selected) {
        OnItemSingleSelected(index);
        m_nLastSingleSelected = index;
    } else {
        m_nLastSingleSelected = -1;
    }
}

// After a deletion the entries behind it have moved up one: the search then starts at the
// deleted index itself.
int CKQPicListView::GetNextSelectItem(int start)
{
    int from = start + 1;
    if (start >= 0 && start == m_nLastDeleted) {
        from = start;
        m_nLastDeleted = -1;
    }
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    const int folders = m_folderBrowser.m_lstFolder.GetCount();
    const int count = folders + m_folderBrowser.m_lstFile.GetCount();
    for (int i = std::max(from, 0); i < count; ++i) {
        const uint32_t state = i < folders ? m_folderBrowser.m_lstFolder.GetAt(i)->m_nState
                                           : m_folderBrowser.m_lstFile.GetAt(i - folders)->m_nState;
        if (state & KQLS_SELECTED)
            return i;
    }
    return -1;
}

bool CKQPicListView::UpdateFolder(const wchar_t* path, bool refresh)
{
    if (!path)
        return false;
    m_bAltLoading = false;
    StopAll();
    if (!refresh)
        RemoveAllItem();
    m_bPreviewStop = false;
    m_bAbortWalks = false;
    m_bKeepItems = refresh;
    m_strFolder = path;
    while (m_strFolder.GetLength() > 0 && m_strFolder.GetString()[m_strFolder.GetLength() - 1] == L'\\') {
        const String trimmed = m_strFolder;
        m_strFolder.Reserve(trimmed.GetLength(), trimmed.GetString()); // the count holds the terminator
    }
    // Resolved here, on the window's thread: the threads only read it.
    m_strThumbnailFolderInUse = GetThumbnailFolder();
    m_folderBrowser.StartSearch(m_strFolder.GetString());
    if (!m_strSplash.IsEmpty() || m_nSplashRes != -1)
        ShowSplash(nullptr, -1);
    m_bPreviewUpdate = true;
    try {
        m_pPreviewThread.reset(new std::thread(&CKQPicListView::UpdatePreviewThread, this));
    } catch (...) {
        m_pPreviewThread.reset();
    }
    if (m_hWnd && ::IsWindow(m_hWnd))
        SendMessage(KQLV_MSG_FOLDER_CHANGED, 0, LPARAM(m_strFolder.GetString()));
    return true;
}

CString CKQPicListView::GetCurrentFolder() const
{
    return CString(m_strFolder.GetString());
}

void CKQPicListView::UpdateFolder(const CString& path, bool keepEntries)
{
    UpdateFolder(static_cast<const wchar_t*>(path), keepEntries);
}

bool CKQPicListView::GotoParentFolder()
{
    const String root = m_folderBrowser.m_strRoot;
    std::vector<wchar_t> parent(size_t(root.GetLength()) + 1, 0);
    GetParentFolderTrimmed(root.GetString(), parent.data());
    return UpdateFolder(parent.data(), false);
}

bool CKQPicListView::LoadImageIcon(ALT::TListIter<CKQListFile>& entry, const wchar_t* path, int fileIndex)
{
    CKQListFile& file = entry.Get();
    file.ReleaseImage();
    if (file.m_info.bReadOnly)
        file.m_nState |= KQLS_READONLY;
    if (file.m_info.bHidden)
        file.m_nState |= KQLS_HIDDEN;
    std::unique_ptr<CKQImageFile> picture(new CKQImageFile);
    if (file.m_info.nFileSize < kDirectLoadLimit && !IsProjectFile(path)) {
        ++m_nSourceDecodes;
        picture->SetShrinkOnLoad(kShrinkBox, kShrinkBox);
        if (!picture->LoadFile(path))
            return false;
        file.GetImageInfo(picture.get());
        picture->RotateExif(0);
        if (picture->GetWidth() > DWORD(kThumbSide) || picture->GetHeight() > DWORD(kThumbSide))
            picture->ResampleIncFrame(kThumbSide, kThumbSide, true);
    } else {
        String cachePath;
        if (!LoadThumbnail(path, picture.get(), cachePath, &file))
            return false;
    }
    const RECT box = {0, 0, m_nBoxWidth, m_nBoxHeight};
    if (m_nFitMode == 1)
        picture->DrawFullSupport(nullptr, box);
    else
        picture->DrawAutoFit(nullptr, box);
    int folders;
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        folders = m_folderBrowser.m_lstFolder.GetCount();
    }
    const int listIndex = folders + fileIndex, first = m_nFirstVisible;
    if (m_nAnimate && listIndex >= first && listIndex < first + m_nVisibleCount)
        picture->EnableAnimate();
    file.m_pImage = picture.release();
    return true;
}

bool CKQPicListView::DeleteItem(int index, bool deleteFile, bool redraw)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    if (deleteFile) {
        const String path = GetItemFullFileName(index);
        SHFILEOPSTRUCTW op;
        InitShellFileOp(op);
        op.hwnd = m_hWnd;
        if (!DeleteFileToRecycleBin(op, path.GetString()))
            return false;
    }
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        const int folders = m_folderBrowser.m_lstFolder.GetCount();
        if (index >= folders + m_folderBrowser.m_lstFile.GetCount())
            return false;
        if (index < folders) {
            auto it = m_folderBrowser.m_lstFolder.GetAt(index);
            it->ReleaseImage();
            m_folderBrowser.m_lstFolder.RemoveAt(it);
        } else {
            auto it = m_folderBrowser.m_lstFile.GetAt(index - folders);
            it->ReleaseImage();
            m_folderBrowser.m_lstFile.RemoveAt(it);
        }
    }
    if (redraw)
        PostUpdateView();
    m_nLastDeleted = index;
    return true;
}

int CKQPicListView::RemoveSelectItem(bool redraw)
{
    int removed = 0;
    for (int index = GetNextSelectItem(-1); index >= 0; index = GetNextSelectItem(index)) {
        if (!DeleteItem(index, false, false))
            break;
        ++removed;
    }
    if (redraw && removed)
        PostUpdateView();
    return removed;
}

void CKQPicListView::OnIdleUpdatePreviewThread()
{
}

bool CKQPicListView::LoadPreviewImage(int fileIndex)
{
    return LoadEntryThumbnail(fileIndex, false);
}

bool CKQPicListView::LoadEntryThumbnail(int fileIndex, bool force)
{
    CKQListFile snapshot;
    String path;
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        if (fileIndex < 0 || fileIndex >= m_folderBrowser.m_lstFile.GetCount())
            return false;
        const CKQListFile& file = m_folderBrowser.m_lstFile.GetAt(fileIndex).Get();
        const bool refreshing = m_bKeepItems && IsScanning();
        if (!force && (file.m_bThumbTried || (refreshing && file.m_pImage)))
            return true;
        snapshot = file;
        snapshot.m_pImage = nullptr;
        snapshot.m_nState = 0;
        path = JoinPath(m_strFolder, file.m_strName.GetString());
    }
    ALT::TList<CKQListFile> holder;
    auto copy = holder.AddTail(snapshot);
    const bool loaded = LoadImageIcon(copy, path.GetString(), fileIndex);

    int listIndex = -1;
    std::vector<CKQImageFile*> released;
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        ALT::TList<CKQListFile>& files = m_folderBrowser.m_lstFile;
        // The entry may have moved (sorted, exchanged) or gone meanwhile: it is found by name.
        int position = fileIndex;
        auto it = fileIndex < files.GetCount() ? files.GetAt(fileIndex) : files.End();
        if (it == files.End() || !(it.Get() == snapshot)) {
            position = 0;
            for (it = files.Begin(); it != files.End() && !(it.Get() == snapshot); it.Next())
                ++position;
        }
        if (it != files.End()) {
            if (loaded) {
                it->ReleaseImage();
                it->m_pImage = copy->m_pImage;
                copy->m_pImage = nullptr;
                it->m_info = copy->m_info;
                it->m_nState |= copy->m_nState & (KQLS_READONLY | KQLS_HIDDEN);
            }
            it->m_bThumbTried = 1;
            listIndex = m_folderBrowser.m_lstFolder.GetCount() + position;
        }
        copy->ReleaseImage();
        // The held bytes are walked only when the bound says the budget may be passed, and now
        // and then in any case (a change of cell size remakes the scaled copies larger).
        if (loaded && listIndex >= 0)
            m_nThumbnailBytesBound += ThumbnailBytes(it->m_pImage);
        if (loaded && ++m_nAttachesSinceTrim % kAttachesPerTrim == 0 &&
            (m_nThumbnailBytesBound > m_nThumbnailBudget || m_nAttachesSinceTrim >= kAttachesPerWalk)) {
            m_nAttachesSinceTrim = 0;
            TrimThumbnails(released);
        }
    }
    // The pictures let go are freed without the lock, which the window's paint waits for.
    for (CKQImageFile* image : released)
        delete image;
    if (loaded && listIndex >= 0)
        OnIconLoadedUpdate(listIndex);
    return loaded;
}

// Keeps the thumbnails within the budget: those farthest from the preview range go first and
// will be made again when they come near it. The caller holds the lock and frees the pictures
// put in released after letting it go.
void CKQPicListView::TrimThumbnails(std::vector<CKQImageFile*>& released)
{
    const int folders = m_folderBrowser.m_lstFolder.GetCount();
    const int first = m_nPreviewFirst, last = first + std::max(int(m_nPreviewCount), 0);
    std::vector<std::pair<int, CKQListFile*>> held;
    uint64_t total = 0;
    int index = folders;
    for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next(), ++index) {
        if (!it->m_pImage)
            continue;
        total += ThumbnailBytes(it->m_pImage);
        const int distance = index < first ? first - index : index >= last ? index - last + 1 : 0;
        held.emplace_back(distance, &it.Get());
    }
    m_nThumbnailBytesBound = total;
    if (total <= m_nThumbnailBudget)
        return;
    std::sort(held.begin(), held.end(), [](const std::pair<int, CKQListFile*>& a, const std::pair<int, CKQListFile*>& b) {
        return a.first > b.first;
    });
    // Down to three quarters, so that the next few loads do not trim again at once.
    const uint64_t target = m_nThumbnailBudget / 4 * 3;
    for (const auto& entry : held) {
        if (total <= target || entry.first == 0)
            break;
        total -= ThumbnailBytes(entry.second->m_pImage);
        released.push_back(entry.second->m_pImage);
        entry.second->m_pImage = nullptr;
        entry.second->m_bThumbTried = 0;
    }
    m_nThumbnailBytesBound = total;
}

bool CKQPicListView::LoadFolderPreviewImage(int folderIndex)
{
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    if (folderIndex < 0 || folderIndex >= m_folderBrowser.m_lstFolder.GetCount())
        return false;
    return m_folderBrowser.m_lstFolder.GetAt(folderIndex)->m_pPreviews != nullptr;
}

// The walk takes pictures of any size here, instead of switching the list's minimum-size
// option off for good.
bool CKQPicListView::LoadFolderThumbnail(const ALT::TListIter<CKQListFolder>& folder, const wchar_t* parentPath)
{
    String name;
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        name = folder->m_strName;
    }
    const String path = JoinPath(String(parentPath), name.GetString());
    std::unique_ptr<ALT::TList<CKQImageFile>> pictures(new ALT::TList<CKQImageFile>);
    t_ignoreMinimum = true;
    const int found = GetFolderPicSubFiles(path.GetString(), 4, pictures.get());
    t_ignoreMinimum = false;
    if (!found)
        return false;
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    delete folder->m_pPreviews;
    folder->m_pPreviews = pictures.release();
    m_bFolderPreviewPresent = true;
    return true;
}

int CKQPicListView::GetFolderPicSubFiles(const wchar_t* folder, int count, ALT::TList<CKQImageFile>* pictures)
{
    if (!m_bFolderPreview || !pictures)
        return 0;
    pictures->RemoveAll();
    ST_GetFolderPicSubFiles walk = {count, 0, 0, pictures, this, 0, t_ignoreMinimum};
    CFileIO& io = *m_folderBrowser.m_pFileIO;
    int stop = 0;
    io.XScan(folder, FolderPreviewEntry, &walk, false, &stop, true);
    if (m_bDeepFolderPreview && walk.nSubFolders > 0 && walk.nFound == 0 && !m_bAbortWalks) {
        stop = 0;
        io.XScan(folder, FolderPreviewEntry, &walk, true, &stop, false);
    }
    return pictures->GetCount();
}

XSCAN_RES CKQPicListView::XScanPicSubFilesCallback(CFileIO* io, const wchar_t* path, unsigned long size,
                                                   ST_GetFolderPicSubFiles* walk)
{
    CKQPicListView* view = walk->pView;
    if (view->m_bAbortWalks || ++walk->nSeen > kFolderWalkLimit)
        return XSCAN_STOP;
    if (size == 0xFFFFFFFFul && io->IsDir(path)) {
        ++walk->nSubFolders;
        return XSCAN_CONTINUE;
    }
    if (!view->m_strFilter.IsEmpty() && !MatchWildcardList(view->m_strFilter.GetString(), GetFileNamePart(path)))
        return XSCAN_SKIP;
    if (view->m_bMinSize && !walk->bIgnoreMinimum && uint64_t(size) <= view->m_nMinSize)
        return XSCAN_SKIP;
    const uint32_t attr = io->GetAttr(path);
    if (attr != FILEIO_ATTR_INVALID && (attr & (FILEIO_ATTR_HIDDEN | FILEIO_ATTR_SYSTEM)))
        return XSCAN_SKIP;
    auto picture = walk->pList->AddTail(CKQImageFile());
    CKQListFile entry;
    String cachePath;
    if (!view->LoadThumbnail(path, &picture.Get(), cachePath, &entry)) {
        walk->pList->RemoveAt(picture);
        return XSCAN_CONTINUE;
    }
    ++walk->nFound;
    --walk->nWanted;
    if (view->m_bAbortWalks || walk->nWanted <= 0 || walk->nFound >= 101)
        return XSCAN_STOP;
    return XSCAN_CONTINUE;
}

bool CKQPicListView::SetFolderImage(int folderIndex, HICON icon)
{
    std::unique_ptr<CKQImageFile> picture(new CKQImageFile);
    if (!icon || !picture->CreateFromHICON(icon, true))
        return false;
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    if (folderIndex < 0 || folderIndex >= m_folderBrowser.m_lstFolder.GetCount())
        return false;
    CKQListFolder& folder = m_folderBrowser.m_lstFolder.GetAt(folderIndex).Get();
    delete folder.m_pImage;
    folder.m_pImage = picture.release();
    return true;
}

void CKQPicListView::UpdateItemCopyCutState()
{
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    auto mark = [&](uint32_t& state, const String& text) {
        const String path = JoinPath(m_strFolder, text.GetString());
        auto copied = m_copyPaths.Find(path);
        if (!copied.IsEnd() && copied.GetValue())
            state = (state | KQLS_COPIED) & ~KQLS_CUT;
        else
            state &= ~KQLS_COPIED;
        auto cut = m_cutPaths.Find(path);
        if (!cut.IsEnd() && cut.GetValue())
            state = (state | KQLS_CUT) & ~KQLS_COPIED;
        else
            state &= ~KQLS_CUT;
    };
    for (auto it = m_folderBrowser.m_lstFolder.Begin(); it != m_folderBrowser.m_lstFolder.End(); it.Next())
        mark(it->m_nState, it->m_strText.IsEmpty() ? it->m_strName : it->m_strText);
    for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next())
        mark(it->m_nState, it->m_strCaption.IsEmpty() ? it->m_strName : it->m_strCaption);
}

namespace {
// One position of a file sort with the facts of its key: a number (the size, or the write time
// moved into unsigned order) or the texts.
struct FileSortItem {
    uint64_t number;
    const wchar_t* text; // the name, or the extension (null: none)
    const wchar_t* caption;
    ALT::TList<CKQListFile>::Iter at;
};

// The positions of the file sorts, kept from one sort to the next: a fresh buffer of ten
// thousand costs more in first touches of its pages than gathering and sorting them.
struct FileSortScratch {
    std::mutex lock;
    std::vector<FileSortItem> items;
    std::vector<ALT::TList<CKQListFile>::Iter> order;
};

FileSortScratch& GetFileSortScratch()
{
    static FileSortScratch scratch;
    return scratch;
}

// wcscmp's order (UTF-16 units compared plainly), inline: a name sort makes some 130,000
// comparisons of ten thousand names.
inline int CompareSortTexts(const wchar_t* a, const wchar_t* b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return int(uint16_t(*a)) - int(uint16_t(*b));
}

// Above this many positions the buffers go back after the sort.
const size_t kKeptSortPositions = 65536;

// Positions into a vector with the facts they sort by, sorted there, the nodes relinked in
// that order: O(n log n) whatever the order the list is in, and no entry copied.
// less(a, b) = !(b <= a) is a strict order for the entries' <=.
void SortFileList(ALT::TList<CKQListFile>& list)
{
    if (list.GetCount() < 2)
        return;
    typedef ALT::TList<CKQListFile>::Iter Iter;
    FileSortScratch& scratch = GetFileSortScratch();
    std::lock_guard<std::mutex> hold(scratch.lock);
    std::vector<FileSortItem>& items = scratch.items;
    items.clear();
    items.reserve(size_t(list.GetCount()));
    const KQ_LIST_SORT key = gKQListView_SortType;
    const bool ascend = gKQListView_bSortAscend;
    // Only the facts of the key are read: the texts live apart from the entries.
    for (Iter it = list.Begin(); it != list.End(); it.Next()) {
        FileSortItem item = {0, nullptr, nullptr, it};
        if (key == KQ_LIST_SORT_SIZE) {
            item.number = it->m_info.nFileSize;
        } else if (key == KQ_LIST_SORT_DATE) {
            item.number = uint64_t(it->m_info.tLastWrite) ^ (uint64_t(1) << 63);
        } else if (key == KQ_LIST_SORT_TYPE) {
            item.text = ListFileExtension(it->m_strName.GetString());
        } else {
            const wchar_t* name = it->m_strName.GetString();
            const wchar_t* caption = it->m_strCaption.GetString();
            item.text = name ? name : L"";
            item.caption = caption ? caption : L"";
        }
        items.push_back(item);
    }
    if (key == KQ_LIST_SORT_SIZE || key == KQ_LIST_SORT_DATE) {
        // a <= b on the numbers: less is <, or > descending.
        if (ascend)
            std::sort(items.begin(), items.end(), [](const FileSortItem& a, const FileSortItem& b) { return a.number < b.number; });
        else
            std::sort(items.begin(), items.end(), [](const FileSortItem& a, const FileSortItem& b) { return a.number > b.number; });
    } else if (key == KQ_LIST_SORT_TYPE) {
        // SortKeyLessOrEqual's order, inline: no extension before any.
        auto lessOrEqual = [](const FileSortItem& a, const FileSortItem& b) {
            return !a.text || (b.text && CompareSortTexts(a.text, b.text) <= 0);
        };
        if (ascend)
            std::sort(items.begin(), items.end(), [&](const FileSortItem& a, const FileSortItem& b) { return !lessOrEqual(b, a); });
        else
            std::sort(items.begin(), items.end(), [&](const FileSortItem& a, const FileSortItem& b) { return !lessOrEqual(a, b); });
    } else {
        // The names, the captions when the first has no name.
        auto lessOrEqual = [](const FileSortItem& a, const FileSortItem& b) {
            return a.text[0] ? CompareSortTexts(a.text, b.text) <= 0 : CompareSortTexts(a.caption, b.caption) <= 0;
        };
        if (ascend)
            std::sort(items.begin(), items.end(), [&](const FileSortItem& a, const FileSortItem& b) { return !lessOrEqual(b, a); });
        else
            std::sort(items.begin(), items.end(), [&](const FileSortItem& a, const FileSortItem& b) { return !lessOrEqual(a, b); });
    }
    std::vector<Iter>& order = scratch.order;
    order.clear();
    order.reserve(items.size());
    for (const FileSortItem& item : items)
        order.push_back(item.at);
    list.Reorder(order.data(), int(order.size()));
    if (items.capacity() > kKeptSortPositions) {
        std::vector<FileSortItem>().swap(items);
        std::vector<Iter>().swap(order);
    }
}

void SortFolderList(ALT::TList<CKQListFolder>& list)
{
    if (list.GetCount() < 2)
        return;
    typedef ALT::TList<CKQListFolder>::Iter Iter;
    std::vector<Iter> order;
    for (Iter it = list.Begin(); it != list.End(); it.Next())
        order.push_back(it);
    if (gKQListView_bSortAscend)
        std::sort(order.begin(), order.end(), [](const Iter& a, const Iter& b) { return !(b.Get() <= a.Get()); });
    else
        std::sort(order.begin(), order.end(), [](const Iter& a, const Iter& b) { return !(a.Get() <= b.Get()); });
    list.Reorder(order.data(), int(order.size()));
}
} // namespace

bool CKQPicListView::SortBy(KQ_LIST_SORT key)
{
    gKQListView_SortType = key;
    if (IsScanning())
        return false; // the end of the scan sorts by the key
    return Resort();
}

bool CKQPicListView::Resort()
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        if (gKQListView_SortType == KQ_LIST_SORT_NAME)
            SortFolderList(m_folderBrowser.m_lstFolder);
        SortFileList(m_folderBrowser.m_lstFile);
    }
    m_bPreviewUpdate = true;
    PostUpdateView();
    return true;
}

bool CKQPicListView::SortItemByName()
{
    return SortBy(KQ_LIST_SORT_NAME);
}

bool CKQPicListView::SortItemBySize()
{
    return SortBy(KQ_LIST_SORT_SIZE);
}

bool CKQPicListView::SortItemByDate()
{
    return SortBy(KQ_LIST_SORT_DATE);
}

bool CKQPicListView::SortItemByType()
{
    return SortBy(KQ_LIST_SORT_TYPE);
}

bool CKQPicListView::SortItemByAscend()
{
    gKQListView_bSortAscend = true;
    return IsScanning() ? false : Resort();
}

bool CKQPicListView::SortItemByDescend()
{
    gKQListView_bSortAscend = false;
    return IsScanning() ? false : Resort();
}

CKQPicListView::String CKQPicListView::GetThumbnailFolder()
{
    String folder = m_strThumbnailFolder;
    if (folder.IsEmpty()) {
        wchar_t path[MAX_PATH] = {};
        GetKQFolder(path, KQ_FOLDER_THUMBNAIL, false);
        folder = path;
    }
    CFileIO& io = *m_folderBrowser.m_pFileIO;
    if (!folder.IsEmpty() && !io.IsDir(folder.GetString()))
        io.MakeDirTree(folder.GetString());
    return folder;
}

// A picture that decodes is a thumbnail whatever becomes of its cache file: with the cache off
// or its folder unwritable only the caching fails.
bool CKQPicListView::LoadThumbnail(const wchar_t* path, CZVImage* picture, String& cachePath, CKQListFile* entry)
{
    cachePath = String();
    if (!path || !picture)
        return false;
    CFileIO& io = *m_folderBrowser.m_pFileIO;
    if (m_bThumbnailCache) {
        std::vector<uint8_t> key;
        if (!thumbcache::MakeFileKey(io, path, key))
            return false;
        // GetThumbnailFolder makes the folder; the one in use was made when the folder opened.
        String folder = m_strThumbnailFolderInUse.IsEmpty() ? GetThumbnailFolder() : m_strThumbnailFolderInUse;
        cachePath = thumbcache::CacheFileName(folder.GetString(), key);
        if (LoadCachedThumbnail(cachePath.GetString(), picture, entry))
            return true;
    }
    ++m_nSourceDecodes;
    picture->SetShrinkOnLoad(kShrinkBox, kShrinkBox);
    if (!picture->LoadFile(path))
        return false;
    IMAGR_FILE_INFO info = entry ? entry->m_info : IMAGR_FILE_INFO{};
    CKQListFile::GetImageInfo(picture, info);
    if (entry)
        entry->m_info = info;
    picture->RotateExif(0);
    picture->ResampleIncFrame(kThumbSide, kThumbSide, true);
    if (!cachePath.IsEmpty())
        WriteCacheFile(cachePath.GetString(), *picture, info);
    return true;
}

// A second visit reads the cache file once: the picture decodes from the bytes and the source's
// facts come from their trailer.
bool CKQPicListView::LoadCachedThumbnail(const wchar_t* cachePath, CZVImage* picture, CKQListFile* entry)
{
    CFileIO& io = *m_folderBrowser.m_pFileIO;
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (!io.Open(cachePath, handle, FILEIO_SHARE_READ | FILEIO_SHARE_WRITE))
        return false;
    const int64_t size = io.GetSize(handle);
    std::vector<uint8_t> bytes;
    bool read = size > int64_t(thumbcache::kTrailerSize) && size < (int64_t(1) << 26);
    if (read) {
        bytes.resize(size_t(size));
        read = io.ReadAt(handle, bytes.data(), DWORD(size), 0) == DWORD(size);
    }
    io.Close(handle);
    if (!read || !picture->Decode(bytes.data(), DWORD(bytes.size()), CXIMAGE_FORMAT_WEBP))
        return false;
    IMAGR_FILE_INFO info = entry ? entry->m_info : IMAGR_FILE_INFO{};
    if (entry && thumbcache::ReadTrailer(bytes.data() + bytes.size() - thumbcache::kTrailerSize, info))
        entry->m_info = info;
    return true;
}

bool CKQPicListView::SaveThumbnailHeader(const wchar_t* cachePath, CKQListFile* entry)
{
    CFileIO& io = *m_folderBrowser.m_pFileIO;
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (!entry || !io.Open(cachePath, handle, FILEIO_READWRITE))
        return false;
    uint8_t trailer[thumbcache::kTrailerSize];
    thumbcache::MakeTrailer(entry->m_info, trailer);
    const int64_t end = io.GetSize(handle);
    const bool written = end >= 0 && io.WriteAt(handle, trailer, DWORD(sizeof(trailer)), end) == sizeof(trailer);
    io.Close(handle);
    return written;
}

bool CKQPicListView::LoadThumbnailHeader(const wchar_t* cachePath, CKQListFile* entry)
{
    CFileIO& io = *m_folderBrowser.m_pFileIO;
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (!io.Open(cachePath, handle, FILEIO_SHARE_READ | FILEIO_SHARE_WRITE))
        return false;
    uint8_t trailer[thumbcache::kTrailerSize] = {};
    const int64_t size = io.GetSize(handle);
    const bool read = size >= int64_t(sizeof(trailer)) &&
                      io.ReadAt(handle, trailer, DWORD(sizeof(trailer)), size - int64_t(sizeof(trailer))) == sizeof(trailer);
    io.Close(handle);
    if (!read)
        return false;
    IMAGR_FILE_INFO info = entry ? entry->m_info : IMAGR_FILE_INFO{};
    if (!thumbcache::ReadTrailer(trailer, info))
        return false;
    if (entry)
        entry->m_info = info;
    return true;
}

void CKQPicListView::ClearImageCache(int index)
{
    std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
    const int folders = m_folderBrowser.m_lstFolder.GetCount();
    if (index < folders || index >= folders + m_folderBrowser.m_lstFile.GetCount())
        return;
    CKQImageFile* image = m_folderBrowser.m_lstFile.GetAt(index - folders)->m_pImage;
    if (image)
        image->ClearSmallImage();
}

void CKQPicListView::UpdatePreviewImageList(int first, int count, bool fromFirstFile)
{
    if (fromFirstFile) {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        first += m_folderBrowser.m_lstFolder.GetCount();
    }
    m_nPreviewFirst = first;
    m_nPreviewCount = count;
    m_bPreviewUpdate = true;
}

int CKQPicListView::DefaultPreviewWorkers()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return int(std::max(1u, std::min(4u, cores)));
}

void CKQPicListView::UpdatePreviewThread()
{
    // The loading yields to the window's thread, whose steps must not wait for a core.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    m_bPreviewRunning = true;
    if (m_bWindowAlive)
        PostMessage(KQLV_MSG_PREVIEW_TIMER, 1, 0);
    auto folderCount = [this]() {
        std::lock_guard<std::recursive_mutex> lock(m_folderBrowser.m_lock);
        return m_folderBrowser.m_lstFolder.GetCount();
    };
    while (!m_bPreviewStop) {
        while (!m_bPreviewUpdate && !m_bPreviewStop) {
            std::unique_lock<std::mutex> idle(m_previewIdleLock);
            m_previewIdle.wait_for(idle, std::chrono::milliseconds(m_nIdleInterval), [this] { return m_bPreviewStop.load(); });
        }
        if (m_bPreviewStop || (!IsScanning() && GetItemCount() == 0))
            break;
        bool restart;
        do {
            restart = false;
            m_bPreviewUpdate = false;
            const int first = m_nPreviewFirst, count = m_nPreviewCount;
            int before = -1, after = -1;
            if (count > 0) {
                const int folders = folderCount(), last = first + count - 1;
                if (first >= folders)
                    before = first - folders - 1;
                if (last >= folders)
                    after = last - folders + 1;
            }
            // The range is shared out among the workers; each position is loaded once a pass.
            std::atomic<int> next{0};
            std::atomic<bool> restarted{false};
            auto work = [&]() {
                for (int k; !m_bPreviewStop && !restarted && (k = next++) < count;) {
                    const int index = first + k, folders = folderCount();
                    if (index < folders) {
                        LoadFolderPreviewImage(index);
                    } else {
                        LoadPreviewImage(index - folders);
                        if (!m_bPreviewStop)
                            m_bRepaintNeeded = true;
                    }
                    if (m_bPreviewUpdate)
                        restarted = true;
                }
            };
            std::vector<std::thread> helpers;
            for (int w = 1; w < std::min(int(m_nPreviewWorkers), count); ++w) {
                try {
                    helpers.emplace_back([&work]() {
                        ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
                        work();
                    });
                } catch (...) {
                    break;
                }
            }
            work();
            for (std::thread& helper : helpers)
                helper.join();
            restart = restarted;
            // Then one row ahead and one row back.
            const int columns = std::max(int(m_nColumns), 1);
            for (int c = 0; c < columns && after >= 0 && !m_bPreviewStop && !restart; ++c) {
                if (LoadPreviewImage(after + c))
                    m_bRepaintNeeded = true;
                restart = m_bPreviewUpdate;
            }
            for (int c = 0; c < columns && before - c >= 0 && !m_bPreviewStop && !restart; ++c) {
                if (LoadPreviewImage(before - c))
                    m_bRepaintNeeded = true;
                restart = m_bPreviewUpdate;
            }
        } while (restart && !m_bPreviewStop);
        if (!m_bPreviewStop)
            OnIdleUpdatePreviewThread();
    }
    if (m_bWindowAlive)
        PostMessage(KQLV_MSG_PREVIEW_TIMER, 0, 0);
    m_bPreviewRunning = false;
}

void CKQPicListView::PostUpdateView()
{
    ++m_nUpdatePosts;
    if (m_hWnd && ::IsWindow(m_hWnd))
        PostMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
}

LRESULT CKQPicListView::OnPreviewTimer(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam) {
        SetTimer(0, 200);
    } else {
        KillTimer(0);
        KillTimer(2);
        m_bAnimating = false;
    }
    return 0;
}
