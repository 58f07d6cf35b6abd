#include "FolderBrowser.h"
#include <cwchar>
#include "KQPicListView.h"
#include "LocalFileIO.h"
#include "PathFunc.h"

namespace {
const int kEarlyRefreshEvery = 300;

bool IsDots(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}
} // namespace

CFolderBrowser::CFolderBrowser() : m_pFileIO(&GetLocalFileIO())
{
}

CFolderBrowser::~CFolderBrowser()
{
    StopSearch();
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    ClearList();
}

void CFolderBrowser::StartSearch(const wchar_t* folder)
{
    m_strRoot = folder ? folder : L"";
    m_nTotalSize = 0;
    m_bStop = false;
    m_bPosted = false;
    try {
        m_pThread.reset(new std::thread(&CFolderBrowser::SearchThread, this));
    } catch (...) {
        m_pThread.reset();
        m_bStop = true;
    }
}

void CFolderBrowser::StopSearch()
{
    if (!m_pThread)
        return;
    m_bStop = true;
    if (m_pThread->joinable())
        m_pThread->join();
    m_pThread.reset();
}

void CFolderBrowser::ClearList()
{
    for (auto it = m_lstFolder.Begin(); it != m_lstFolder.End(); it.Next())
        it->ReleaseImage();
    for (auto it = m_lstFile.Begin(); it != m_lstFile.End(); it.Next())
        it->ReleaseImage();
    m_lstFolder.RemoveAll();
    m_lstFile.RemoveAll();
}

bool CFolderBrowser::Rename(int index, const wchar_t* name)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    const int folders = m_lstFolder.GetCount();
    if (index < 0 || index >= folders + m_lstFile.GetCount())
        return false;
    if (index < folders)
        m_lstFolder.GetAt(index)->m_strName = name ? name : L"";
    else
        m_lstFile.GetAt(index - folders)->m_strName = name ? name : L"";
    return true;
}

void CFolderBrowser::SearchThread()
{
    m_bRefreshing = m_pOwner && m_pOwner->m_bKeepItems;
    m_knownFiles.clear();
    m_knownFolders.clear();
    {
        std::lock_guard<std::recursive_mutex> lock(m_lock);
        if (!m_bRefreshing) {
            ClearList();
        } else {
            for (auto it = m_lstFile.Begin(); it != m_lstFile.End(); it.Next())
                m_knownFiles.insert(it->m_strName.GetString());
            for (auto it = m_lstFolder.Begin(); it != m_lstFolder.End(); it.Next())
                m_knownFolders.insert(it->m_strName.GetString());
        }
    }
    m_bWalkStopped = false;
    m_bMissingKnown = false;
    Walk(m_strRoot);
    m_bMissingKnown = m_bRefreshing && !m_bWalkStopped && !m_bStop;
    m_bStop = true;
    if (m_pOwner && !m_pOwner->m_bPreviewStop) {
        m_pOwner->m_bPreviewUpdate = true;
        m_pOwner->OnEndFolderSearch();
    }
}

bool CFolderBrowser::TakeMissing(std::unordered_set<std::wstring>& files, std::unordered_set<std::wstring>& folders)
{
    if (!m_bMissingKnown)
        return false;
    files.swap(m_knownFiles);
    folders.swap(m_knownFolders);
    m_knownFiles.clear();
    m_knownFolders.clear();
    m_bMissingKnown = false;
    return true;
}

void CFolderBrowser::Walk(const String& folder)
{
    ST_FindData data;
    if (!m_pFileIO->FindFirst(folder.GetString(), data))
        return;
    do {
        if (m_bStop || m_bWalkStopped)
            break;
        if (IsDots(data.name))
            continue;
        String path(folder);
        path += L"\\";
        path += data.name;
        const bool isFolder = (data.attributes & FILEIO_ATTR_DIR) != 0;
        if (isFolder && !m_bReportFolder) {
            if (m_bRecursive && !(data.attributes & (FILEIO_ATTR_HIDDEN | FILEIO_ATTR_SYSTEM)))
                Walk(path);
            continue;
        }
        const XSCAN_RES answer = TakeEntry(path.GetString(), isFolder ? 0xFFFFFFFFull : uint64_t(data.size),
                                           data.attributes, data.system);
        if (answer == XSCAN_STOP)
            m_bWalkStopped = true;
        else if (isFolder && m_bRecursive && answer == XSCAN_CONTINUE)
            Walk(path);
    } while (m_pFileIO->FindNext(data));
    m_pFileIO->FindClose(data);
}

// The callback form of an entry, for a walk by CFileIO::XScan: the facts are asked for.
XSCAN_RES CFolderBrowser::XScanCallback(CFileIO* io, const wchar_t* path, unsigned long size, CFolderBrowser* browser)
{
    if (!browser || !io)
        return XSCAN_STOP;
    return browser->TakeEntry(path, size == 0xFFFFFFFFul ? 0xFFFFFFFFull : size, io->GetAttr(path), nullptr);
}

// Everything about an entry is learnt before the lock is taken: the lock only covers the
// append, so the window's thread never waits on the disk.
XSCAN_RES CFolderBrowser::TakeEntry(const wchar_t* path, uint64_t size, uint32_t attr, const WIN32_FIND_DATAW* found)
{
    if (m_bStop)
        return XSCAN_STOP;
    CKQPicListView* owner = m_pOwner;
    const wchar_t* name = GetFileNamePart(path);
    if (m_bRecursive) {
        name = path + m_strRoot.GetLength();
        if (*name == L'\\')
            ++name;
    }
    const bool isFolder = attr != FILEIO_ATTR_INVALID && (attr & FILEIO_ATTR_DIR);
    bool listed = false;
    if (m_bRefreshing) {
        std::unordered_set<std::wstring>& known = isFolder ? m_knownFolders : m_knownFiles;
        listed = known.erase(name) != 0;
    }
    if (attr != FILEIO_ATTR_INVALID && (attr & (FILEIO_ATTR_HIDDEN | FILEIO_ATTR_SYSTEM)))
        return XSCAN_SKIP;

    if (!isFolder) {
        if (owner && !owner->m_strFilter.IsEmpty() && !MatchWildcardList(owner->m_strFilter.GetString(), name))
            return XSCAN_SKIP;
        if (listed)
            return XSCAN_CONTINUE;
        unsigned int state = 0;
        if (owner && !owner->OnFileSearched(path, state))
            return XSCAN_CONTINUE;
        CKQListFile entry(name);
        entry.m_nState |= state;
        if (found) {
            entry.m_info.nFileSize = size;
            entry.m_info.tCreate = FileTimeToUnixSeconds(found->ftCreationTime);
            entry.m_info.tLastWrite = FileTimeToUnixSeconds(found->ftLastWriteTime);
            entry.m_info.bReadOnly = (attr & FILEIO_ATTR_READONLY) ? 1 : 0;
            entry.m_info.bHidden = (attr & FILEIO_ATTR_HIDDEN) ? 1 : 0;
        } else {
            GetFileInfo(path, static_cast<unsigned long>(size), &entry.m_info);
        }
        int count;
        {
            std::lock_guard<std::recursive_mutex> lock(m_lock);
            m_lstFile.AddTail(std::move(entry));
            m_nTotalSize += size;
            count = m_lstFile.GetCount();
        }
        if (count % kEarlyRefreshEvery == 0 && owner && !owner->m_bPreviewStop) {
            owner->m_bPreviewUpdate = true;
            if (!m_bPosted.exchange(true))
                owner->PostUpdateView();
        }
        return XSCAN_CONTINUE;
    }
    if (m_bRecursive)
        return XSCAN_CONTINUE;
    if (listed)
        return XSCAN_CONTINUE;
    CKQListFolder folder(name);
    if (owner) {
        std::unique_ptr<ALT::TList<CKQImageFile>> previews(new ALT::TList<CKQImageFile>);
        if (owner->GetFolderPicSubFiles(path, 4, previews.get()) != 0) {
            folder.m_pPreviews = previews.release();
            owner->m_bFolderPreviewPresent = true;
        }
    }
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_lstFolder.AddTail(folder);
    return XSCAN_CONTINUE;
}

void CFolderBrowser::GetFileInfo(const wchar_t* path, unsigned long size, IMAGR_FILE_INFO* info)
{
    if (!info)
        return;
    info->nFileSize = size;
    FILETIME written = {}, created = {};
    if (m_pFileIO->GetTimes(path, &written, &created, nullptr)) {
        info->tCreate = FileTimeToUnixSeconds(created);
        info->tLastWrite = FileTimeToUnixSeconds(written);
    }
    const uint32_t attr = m_pFileIO->GetAttr(path);
    if (attr != FILEIO_ATTR_INVALID) {
        info->bReadOnly = (attr & FILEIO_ATTR_READONLY) ? 1 : 0;
        info->bHidden = (attr & FILEIO_ATTR_HIDDEN) ? 1 : 0;
    }
}
