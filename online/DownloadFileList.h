#pragma once
// CDownloadFileList: downloads the pictures or resource files of a range of a picture list's
// items on one worker thread, nearest the user's position first. The list view that derives
// from it maps indexes to its items (the item hooks below) and hears of each download through
// OnDownloadStart/OnDownloadFinish, which run on the worker and may only post messages.
#include <atomic>
#include <mutex>
#include <thread>
#include "LumivoClient.h"
#include "TList.h"

class CKQListFile;
class CKQPicListView;

// Item state bits that the downloads set and clear.
enum : unsigned {
    KQ_ITEM_NOT_DOWNLOADED = 0x40,
    KQ_ITEM_DOWNLOADING = 0x80,
    KQ_ITEM_FAILED = 0x100,
};

// The size letter to fetch for a picture: a cached larger variant wins, else the preferred one
// when the server has it, else the next smaller. hasCached(letter) tells whether that variant
// is in the cache; a null record counts as having every size.
template <class CachedTest>
wchar_t ChoosePicSize(const CLumivoFile* record, wchar_t preferred, CachedTest hasCached)
{
    static const wchar_t kLarger[] = {L'F', L'L', L'M'};
    static const wchar_t kSmaller[] = {L'L', L'M', L'S'};
    for (int i = 0; i < 3; ++i) {
        if (hasCached(kLarger[i]))
            return kLarger[i];
        if (preferred == kLarger[i]) {
            if (!record || record->HasSize(preferred))
                return preferred;
            preferred = kSmaller[i];
        }
    }
    return L'S';
}

class ZVUILIB_API CDownloadFileList : public CLumivoClient {
public:
    CDownloadFileList();
    virtual ~CDownloadFileList();

    virtual bool DownloadPicFile(CKQListFile* item, const wchar_t* name, int maxAgeHours);
    virtual bool DownloadResFile(const wchar_t* name, int maxAgeHours);
    // With the lock held.
    virtual void AddDownloadFiles(int first, int last);
    virtual void OnDownloadFinish(CKQListFile* item, unsigned result);
    virtual void OnDownloadStart(CKQListFile* item);

    void Init(CKQPicListView* view, HttpProgressCallback callback, const wchar_t* cacheRoot, const wchar_t* resFolder);
    bool StartDownloadPicFile(int first, int last);
    bool StartDownloadResFile(int first, int last);
    // Stops the worker after its current item and waits for it; call before the list goes.
    void StopAll();
    void GetRelatedPicFileName(const CLumivoFile* record, const wchar_t* name, const wchar_t* preferred,
                               KQStringW& remotePath, KQStringW& localPath);
    void DownloadPicThread();
    void DownloadResThread();

    bool IsBusy();
    // The status of the last failed download of DownloadPicFile/DownloadResFile, read before
    // the HTTP client is reset.
    int GetLastStatus() const { return m_nLastStatus; }

protected:
    // The served list's items. Called on the worker too, so a view guards them with its lock.
    virtual CKQListFile* GetDownloadItem(int index);
    virtual unsigned GetDownloadItemState(CKQListFile* item);
    virtual void ChangeDownloadItemState(CKQListFile* item, unsigned set, unsigned clear);
    virtual KQStringW GetDownloadItemName(CKQListFile* item);
    virtual const CLumivoFile* GetDownloadItemRecord(CKQListFile* item);
    virtual void SetDownloadItemLocalPath(CKQListFile* item, const wchar_t* path);

    std::mutex m_lock;
    std::thread m_thread;
    CKQPicListView* m_pListView = nullptr;
    bool m_bBusy = false;
    std::atomic<bool> m_bStop{false};
    ALT::TList<CKQListFile*> m_queue;

private:
    bool StartDownload(int first, int last, bool pictures);
    void RunQueue(bool pictures);
    bool FetchInto(const KQStringW& url, const KQStringW& localPath);

    int m_nLastStatus = 0;
};
