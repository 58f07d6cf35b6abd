#include "DownloadFileList.h"
#include "LocalFileIO.h"
#include <string>

CDownloadFileList::CDownloadFileList() = default;

CDownloadFileList::~CDownloadFileList()
{
    // The derived view stops the worker first; this only covers an owner that forgot.
    StopAll();
}

CKQListFile* CDownloadFileList::GetDownloadItem(int)
{
    return nullptr;
}

unsigned CDownloadFileList::GetDownloadItemState(CKQListFile*)
{
    return 0;
}

void CDownloadFileList::ChangeDownloadItemState(CKQListFile*, unsigned, unsigned) {}

KQStringW CDownloadFileList::GetDownloadItemName(CKQListFile*)
{
    return KQStringW();
}

const CLumivoFile* CDownloadFileList::GetDownloadItemRecord(CKQListFile*)
{
    return nullptr;
}

void CDownloadFileList::SetDownloadItemLocalPath(CKQListFile*, const wchar_t*) {}

void CDownloadFileList::OnDownloadFinish(CKQListFile*, unsigned) {}

void CDownloadFileList::OnDownloadStart(CKQListFile*) {}

void CDownloadFileList::Init(CKQPicListView* view, HttpProgressCallback callback, const wchar_t* cacheRoot,
                             const wchar_t* resFolder)
{
    m_pListView = view;
    m_nValue = 0;
    m_http.SetCallback(callback);
    m_http.SetUserAgent("Kelquay/1.00");
    if (cacheRoot && *cacheRoot)
        SetLocalFolder(cacheRoot);
    if (resFolder && *resFolder)
        m_strResFolder = resFolder;
}

// Items nearest the user's scroll position come first, so the walk runs from first towards last
// in either direction.
void CDownloadFileList::AddDownloadFiles(int first, int last)
{
    m_queue.RemoveAll();
    const int step = last >= first ? 1 : -1;
    for (int index = first;; index += step) {
        CKQListFile* item = GetDownloadItem(index);
        if (item && GetDownloadItemState(item) < KQ_ITEM_DOWNLOADING)
            m_queue.AddTail(item);
        if (index == last)
            break;
    }
}

bool CDownloadFileList::StartDownloadPicFile(int first, int last)
{
    return StartDownload(first, last, true);
}

bool CDownloadFileList::StartDownloadResFile(int first, int last)
{
    return StartDownload(first, last, false);
}

bool CDownloadFileList::StartDownload(int first, int last, bool pictures)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_bBusy) {
            // The running worker takes the new queue when it finishes its current item.
            AddDownloadFiles(first, last);
            return true;
        }
    }
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
    {
        std::lock_guard<std::mutex> guard(m_lock);
        AddDownloadFiles(first, last);
        // Busy from here, so that a start that follows at once re-queues instead of racing the
        // new worker to its first lock.
        m_bBusy = true;
    }
    m_bStop = false;
    if (pictures)
        m_thread = std::thread([this] { DownloadPicThread(); });
    else
        m_thread = std::thread([this] { DownloadResThread(); });
    return true;
}

void CDownloadFileList::StopAll()
{
    m_bStop = true;
    m_http.Cancel();
    if (m_thread.joinable())
        m_thread.join();
}

bool CDownloadFileList::IsBusy()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_bBusy;
}

void CDownloadFileList::DownloadPicThread()
{
    RunQueue(true);
}

void CDownloadFileList::DownloadResThread()
{
    RunQueue(false);
}

void CDownloadFileList::RunQueue(bool pictures)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_bBusy = true;
    while (!m_bStop && m_queue.GetCount() > 0) {
        CKQListFile* item = m_queue.Begin().Get();
        m_queue.RemoveAt(m_queue.Begin());
        lock.unlock();

        ChangeDownloadItemState(item, KQ_ITEM_DOWNLOADING, KQ_ITEM_FAILED);
        OnDownloadStart(item);
        const KQStringW name = GetDownloadItemName(item);
        const bool ok = pictures ? DownloadPicFile(item, name.GetString(), -1) : DownloadResFile(name.GetString(), -1);
        unsigned result = 0;
        if (ok) {
            ChangeDownloadItemState(item, 0, KQ_ITEM_NOT_DOWNLOADED | KQ_ITEM_DOWNLOADING | KQ_ITEM_FAILED);
        } else {
            result = unsigned(m_nLastStatus);
            // A download cut short by StopAll is not the item's fault: it stays queueable.
            ChangeDownloadItemState(item, m_bStop ? 0 : KQ_ITEM_FAILED, KQ_ITEM_DOWNLOADING);
        }
        OnDownloadFinish(item, result);

        lock.lock();
        // A missing or refused picture spoils only itself; any other failure means the server
        // cannot be reached, and the rest is queued again by the next start.
        if (!ok && pictures && m_nLastStatus != HTTP_STATUS_NOT_FOUND && m_nLastStatus != DOWNLOAD_STATUS_BAD_NAME)
            m_queue.RemoveAll();
    }
    m_bBusy = false;
}

void CDownloadFileList::GetRelatedPicFileName(const CLumivoFile* record, const wchar_t* name, const wchar_t* preferred,
                                              KQStringW& remotePath, KQStringW& localPath)
{
    // The name's folder on the server holds one folder per size; the cache one flat folder each.
    const wchar_t* fileName = name ? name : L"";
    for (const wchar_t* p = fileName; *p; ++p)
        if (*p == L'\\' || *p == L'/')
            fileName = p + 1;
    const std::wstring folder = fileName != name ? std::wstring(name, fileName - name - 1) : std::wstring();
    auto paths = [&](wchar_t letter) {
        const wchar_t size[2] = {letter, 0};
        if (folder.empty())
            remotePath.Format(L"%s\\%s", size, fileName);
        else
            remotePath.Format(L"%s\\%s\\%s", folder.c_str(), size, fileName);
        localPath.Format(L"%s\\%s\\%s", m_strLocalFileRoot.GetString(), size, fileName);
    };
    const wchar_t want = preferred && *preferred ? preferred[0] : L'M';
    const wchar_t letter = ChoosePicSize(record, want, [&](wchar_t candidate) {
        paths(candidate);
        return GetLocalFileIO().Exists(localPath.GetString());
    });
    paths(letter);
}

bool CDownloadFileList::FetchInto(const KQStringW& url, const KQStringW& localPath)
{
    // The status tells a missing file from an unreachable server; it is kept before Reset.
    const bool ok = FetchFile(url.GetString(), localPath.GetString(), m_nLastStatus);
    m_http.Reset();
    return ok;
}

bool CDownloadFileList::DownloadPicFile(CKQListFile* item, const wchar_t* name, int maxAgeHours)
{
    KQStringW remotePath, localPath;
    if (!IsSafeRelativeName(name) || m_strLocalFileRoot.IsEmpty()) {
        m_nLastStatus = DOWNLOAD_STATUS_BAD_NAME;
        return false;
    }
    GetRelatedPicFileName(GetDownloadItemRecord(item), name, m_strSizeLetter.GetString(), remotePath, localPath);
    SlashesToBackslashes(localPath);
    SetDownloadItemLocalPath(item, localPath.GetString());
    if (!NeedsDownload(localPath.GetString(), maxAgeHours))
        return true;
    return FetchInto(MakeServerUrl(m_strServerUrl.GetString(), remotePath.GetString()), localPath);
}

bool CDownloadFileList::DownloadResFile(const wchar_t* name, int maxAgeHours)
{
    if (!IsSafeRelativeName(name) || m_strResFolder.IsEmpty()) {
        m_nLastStatus = DOWNLOAD_STATUS_BAD_NAME;
        return false;
    }
    KQStringW localPath;
    localPath.Format(L"%s\\%s", m_strResFolder.GetString(), name);
    SlashesToBackslashes(localPath);
    if (!NeedsDownload(localPath.GetString(), maxAgeHours))
        return true;
    return FetchInto(MakeServerUrl(m_strServerUrl.GetString(), name), localPath);
}
