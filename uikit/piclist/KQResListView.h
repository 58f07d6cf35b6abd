#pragma once
// CKQResListView: the thumbnail list of a folder of downloadable materials. A panel derives from
// it and names the folder; the view takes the folder's FileList.xml from the server (or its
// cached copy), shows its entries page by page with favourites first, fetches each entry's
// preview for its thumbnail and the material itself on a click, and lists the user's own
// materials of the same kind beside them.
//
// Threads, all owned and joined: the folder worker (UpdateResFolder), the list-file worker it
// may start, the preview thread of the picture list and the download list's queue worker.
// Workers reach the window only by posted messages. m_listRes and the list's entries change
// only under the list's lock (Lock/Unlock). The download list's hooks take the list's lock
// while the download list holds its own: the order is always the download list's lock, then
// the list's; nothing calls into the download list while holding the list's lock.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include "DownloadFileList.h"
#include "FavoriteRecord.h"
#include "KQPicListView.h"
#include "LumivoClient.h"

class CKQResListView;

// A material arrived while it was the first selected item (wParam: its index).
const UINT WM_RLV_SHOWRESCONTENT = 0x708;

// Tool strip commands.
enum : unsigned {
    KQRLV_CMD_SORT = 7002,
    KQRLV_CMD_FAVORITE = 7003,
    KQRLV_CMD_DOWNLOAD_ALL = 7004,
    KQRLV_CMD_REFRESH = 7005,
};

// Entries per page of the list.
const int KQRLV_PAGE_SIZE = 60;
// A page count that loads every page (and queues every material).
const int KQRLV_ALL_PAGES = 100000;

// One entry of the folder: from the list file (bListed) or a file of the user's own folder.
struct ZVUILIB_API CResFileItem {
    ALT::TString<wchar_t, 0, 8> name;
    int32_t date = 0;
    int32_t nSlot = 0;
    bool bListed = false;
};

// A name from a list file that may become a file name in the folder: no folder part, no drive
// or stream colon, not "." or "..", no reserved device name, no control character, at most 200
// characters.
ZVUILIB_API bool IsPlainResFileName(const wchar_t* name);
// The percentage of a transfer, in 64 bits and clamped to 0-100; -1 when the total is unknown.
ZVUILIB_API int ResDownloadPercent(int64_t received, int64_t total);

// The download list of the view: tells the view when a material starts and ends.
class ZVUILIB_API CDownloadResFileList : public CDownloadFileList {
public:
    CDownloadResFileList();
    ~CDownloadResFileList() override;
    void OnDownloadStart(CKQListFile* item) override;
    void OnDownloadFinish(CKQListFile* item, unsigned int result) override;

protected:
    CKQResListView* m_pResView = nullptr;
    friend class CKQResListView;
};

class ZVUILIB_API CKQResListView : public CKQPicListView, public CDownloadResFileList {
    DECLARE_DYNAMIC(CKQResListView)
public:
    typedef ALT::TString<wchar_t, 0, 8> String;

    CKQResListView();
    ~CKQResListView() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    bool GetItem(int index, KQ_PIC_LIST_ITEM* item) override;
    int GetItemCount() override;
    bool OnItemClicked(int index) override;
    bool ItemCloseBTClicked(int index) override;
    // Stops every worker: the folder worker first, then the rest.
    void StopAll() override;
    void OnIdleUpdatePreviewThread() override;
    bool LoadPreviewImage(int fileIndex) override;
    bool OnToolBarItemClicked(unsigned int id) override;
    bool DownloadResFile(const wchar_t* name, int maxAgeHours) override;

    virtual void OnResDownloadProgress(const wchar_t* name, int percent);
    virtual void UpdateResFolderThread(const wchar_t* folder, int page);
    // Runs UpdateResFolderThread on the folder worker; a running one is stopped and joined
    // first. A null folder loads `page` more pages of the folder shown.
    virtual void UpdateResFolder(const wchar_t* folder, int page);
    virtual void Refresh();
    virtual bool IsFilesCached(int index);
    virtual bool IsFilesCached(const wchar_t* name, bool bPreview);
    virtual void ShowSortMenu();
    virtual bool LoadFileList(const wchar_t* path);
    virtual bool LoadMore();
    virtual bool LoadUserPreviewImage(const CKQListFile& item, String& picture);
    // A file of the user's folder that passed the filter; the panels add it to m_listRes.
    virtual bool OnUserPageFileFound(const wchar_t* path);
    virtual void ShowResContent(int index, bool bCached);
    // The recycle bin refused a material: a translated note says so; the entry stays.
    virtual void OnDeleteRefused(const wchar_t* path);

    bool IsUpdated() const { return !m_strResFolder.IsEmpty(); }
    bool LoadMorePage(int pages);
    int GetCachedPageCount(bool bPreview);
    bool IsPreviewAllDownloaded();
    void StopDownloadFileList();
    void DownloadFileListThread(int maxAgeHours);
    bool IsUserRes(const wchar_t* path);
    bool LoadMyResFileList();
    static XSCAN_RES ScanUserFileList(CFileIO* io, const wchar_t* path, unsigned long size, CKQResListView* view);
    String GetResItemFileName(int index);
    String FileNameToXmlFileName(const wchar_t* path);
    void OnArrowKeyDown(unsigned int key);
    static bool DownloadResCB(CHttpDownload* download, long event, long value);
    // Asks the window (when there is one) to relayout or to handle a message of ours; workers
    // reach it only this way.
    void PostToWindow(UINT message, WPARAM wParam);
    // The list index of an entry, -1 when it has gone.
    int IndexOfEntry(const CKQListFile* item);
    // Waits for the folder worker and the list-file worker it started, cancelling nothing
    // (tests and panels that need the list loaded).
    void WaitFolderWorker();
    // The favourites' registry root; tests give one of their own.
    void SetFavoriteRoot(const wchar_t* root);
    // The local root and the server address of all three clients (OnCreate gives the data folder
    // and the address setting).
    void SetResRoot(const wchar_t* root);
    void SetResServer(const wchar_t* url);

    CLumivoClient m_clientPreview;
    CLumivoClient m_clientFileList;
    CFavoriteRecord m_favorite;
    ALT::TList<CResFileItem> m_listRes;
    int32_t m_nMoreItem = -1;
    CKQImageFile m_imageMore;
    String m_strResFolder;
    String m_strFileListPath;
    String m_strFileListUrl;
    String m_strFilter;
    String m_strUserResFolder; // empty: the user-data setting's <folder>
    String m_strUserDataRoot;  // empty: the user-data setting
    std::atomic<bool> m_bRefresh{false};
    std::atomic<bool> m_bIdleUpdate{true};
    std::atomic<bool> m_bPreviewFile{false};
    bool m_bXmlInfo = true;
    int m_nFileListAge = -1;
    int m_nIdleFileListAge = -1;
    // A preview or material the server did not give is asked for again after this long (ms),
    // so that one missing file does not hold up the thumbnails after it.
    DWORD m_nRetryAfter = 15000;
    // Entries the list file named but that could not be taken as file names.
    int m_nSkippedNames = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnShowResContent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The download list's view of the entries, under the list's lock.
    CKQListFile* GetDownloadItem(int index) override;
    unsigned GetDownloadItemState(CKQListFile* item) override;
    void ChangeDownloadItemState(CKQListFile* item, unsigned set, unsigned clear) override;
    KQStringW GetDownloadItemName(CKQListFile* item) override;

    // Everything but the folder worker: the folder worker calls this itself.
    void StopWorkers();
    // The download queue holds entry pointers: it is stopped and emptied before entries go.
    void StopDownloadQueue();
    void QueueAll();

private:
    bool FailedRecently(const String& name);
    void NoteFailure(const String& name, bool failed);

    std::mutex m_failLock;
    ALT::TMap<String, ULONGLONG> m_failedAt;
    std::thread m_folderThread;
    std::mutex m_folderLock; // starts and joins of the folder worker
    std::thread m_fileListThread;
    std::atomic<bool> m_bStopping{false};
};
