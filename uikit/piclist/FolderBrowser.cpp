#include "FolderBrowser.h"
#include <cwchar>
#include "KQPicListView.h"
#include "LocalFileIO.h"
#include "PathFunc.h"

namespace {
const int kEarlyRefreshEvery = 300;

XSCAN_RES ScanEntry(CFileIO* io, const wchar_t* path, unsigned long size, void* context)
{
    return CFolderBrowser::XScanCallback(io, path, size, static_cast<CFolderBrowser*>(context));
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
    int stop = 0;
    m_pFileIO->XScan(m_strRoot.GetString(), ScanEntry, this, m_bRecursive, &stop, m_bReportFolder);
    m_knownFiles.clear();
    m_knownFolders.clear();
    m_bStop = true;
    if (m_pOwner && !m_pOwner->m_bPreviewStop) {
        m_pOwner->m_bPreviewUpdate = true;
        m_pOwner->OnEndFolderSearch();
    }
}

// Everything about an entry is learnt before the lock is taken: the lock only covers the
// lookup and the append, so the window's thread never waits on the disk.
XSCAN_RES CFolderBrowser::XScanCallback(CFileIO* io, const wchar_t* path, unsigned long size, CFolderBrowser* browser)
{
    if (!browser || browser->m_bStop)
        return XSCAN_STOP;
    CKQPicListView* owner = browser->m_pOwner;
    const wchar_t* name = GetFileNamePart(path);
    if (browser->m_bRecursive) {
        const int rootLength = browser->m_strRoot.GetLength();
        name = path + rootLength;
        if (*name == L'\\')
            ++name;
    }
    const uint32_t attr = io->GetAttr(path);
    if (attr != FILEIO_ATTR_INVALID && (attr & (FILEIO_ATTR_HIDDEN | FILEIO_ATTR_SYSTEM)))
        return XSCAN_SKIP;
    const bool isFolder = size == 0xFFFFFFFFul && attr != FILEIO_ATTR_INVALID && (attr & FILEIO_ATTR_DIR);

    if (!isFolder) {
        if (owner && !owner->m_strFilter.IsEmpty() && !MatchWildcardList(owner->m_strFilter.GetString(), name))
            return XSCAN_SKIP;
        if (browser->m_bRefreshing && browser->m_knownFiles.count(name))
            return XSCAN_CONTINUE;
        unsigned int state = 0;
        if (owner && !owner->OnFileSearched(path, state))
            return XSCAN_CONTINUE;
        CKQListFile entry(name);
        entry.m_nState |= state;
        browser->GetFileInfo(path, size, &entry.m_info);
        int count;
        {
            std::lock_guard<std::recursive_mutex> lock(browser->m_lock);
            browser->m_lstFile.AddTail(std::move(entry));
            browser->m_nTotalSize += size;
            count = browser->m_lstFile.GetCount();
        }
        if (count % kEarlyRefreshEvery == 0 && owner && !owner->m_bPreviewStop) {
            owner->m_bPreviewUpdate = true;
            if (!browser->m_bPosted.exchange(true))
                owner->PostUpdateView();
        }
        return XSCAN_CONTINUE;
    }
    if (browser->m_bRecursive)
        return XSCAN_CONTINUE;
    if (browser->m_bRefreshing && browser->m_knownFolders.count(name))
        return XSCAN_CONTINUE;
    CKQListFolder folder(name);
    if (owner) {
        std::unique_ptr<ALT::TList<CKQImageFile>> previews(new ALT::TList<CKQImageFile>);
        if (owner->GetFolderPicSubFiles(path, 4, previews.get()) != 0) {
            folder.m_pPreviews = previews.release();
            owner->m_bFolderPreviewPresent = true;
        }
    }
    std::lock_guard<std::recursive_mutex> lock(browser->m_lock);
    browser->m_lstFolder.AddTail(folder);
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
