#pragma once
// CPictureListView: the browser's one picture list. It tells the main frame what a folder scan
// found, keeps the picture handed to the editor (reloaded when the editor ends) and owns the
// batch thread that the main frame asks about and stops.
#include <windows.h>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include "KQPicListView.h"
#include "LumivoShowsClient.h"
#include "LumivoShowsClientUI.h"
#include "LumivoShowsDownloadFileList.h"

// From the online loader: its pages are read (wParam its generation, lParam a new std::wstring
// of the path it opened).
const UINT WM_SHOWS_ONLINE_LOADED = WM_APP + 0x58;

class CPictureListView : public CKQPicListView {
public:
    CPictureListView();
    ~CPictureListView() override;

    void OnEndFolderSearch() override;

    // Files, folders and the files' total size of the shown folder.
    struct FolderCounts {
        int files = 0;
        int folders = 0;
        uint64_t totalSize = 0;
    };
    FolderCounts CountItems();
    // Reads the folder once the messages waiting now are handled.
    void OpenFolder(const wchar_t* folder);

    // The picture handed to the editor; kept by its path, since the list may change meanwhile.
    void SetHandedOver(const wchar_t* path) { m_handedOver = path ? path : L""; }
    const std::wstring& GetHandedOver() const { return m_handedOver; }
    int FindItemByPath(const wchar_t* path);
    // Reads the handed-over picture again when it is still listed; false when there is none.
    bool ReloadHandedOver();

    // The batch thread: a running one polls the stop flag and ends when it is set.
    bool IsBatchRunning() const;
    bool IsBatchStopping() const { return m_bBatchStop != 0; }
    void StartBatchThread(LPTHREAD_START_ROUTINE routine, void* parameter);
    void StopBatchTask();
    volatile LONG m_bBatchStop = 0;

    bool m_bSmallFileFilter = true;
    bool m_bLoadAnimation = true;

    // Online mode (PictureListOnline.cpp): folders at or below the client's Dir cache folder
    // list the server's directory and file-list pages, with a last item "Download More" while
    // the folder has pages not read yet.
    struct DisplaySettings {
        int iconSize = 2;
        bool showName = true, showSize = false, showDate = false;
        int fitMode = 0;
        KQ_LIST_SORT sort = KQ_LIST_SORT_NONE;
        bool ascend = true;
    };
    bool UpdateFolder(const wchar_t* path, bool refresh) override;
    using CKQPicListView::UpdateFolder;
    void StopAll() override;
    int GetItemCount() override;
    bool GetItem(int index, KQ_PIC_LIST_ITEM* item) override;
    bool OnItemClicked(int index) override;
    bool LoadPreviewImage(int fileIndex) override;
    bool LoadFolderPreviewImage(int folderIndex) override;
    unsigned int GetFolderAttr(const wchar_t* path) override;
    String GetItemFullFileName(int index) override;
    // The file that stands for the item on disk: the cached picture of an online item.
    virtual String GetRelatedFileName(int index);
    // Opens an online folder (null: reads one page more of the open one).
    void UpdateOnlineFolder(const wchar_t* path);
    void StartOnlineLoader(const wchar_t* path, int pages, int flags);
    void SwitchViewSettings(bool toLocal);
    // Re-opens the shown folder; an online one fetches the directory again.
    void RefreshFolder();
    void BindOnline(const wchar_t* cacheRoot, const wchar_t* serverUrl);
    bool IsOnline() const { return m_bOnline; }
    int GetDownloadMoreIndex() const { return m_nDownloadMore; }
    void WaitForOnlineLoader();
    CLumivoShowsClient& GetOnlineClient() { return m_client; }
    CLumivoShowsDownloadFileList& GetDownloadQueue() { return m_downloads; }
    DisplaySettings m_localDisplay;
    DisplaySettings m_onlineDisplay = {4, false, false, false, 1, KQ_LIST_SORT_NONE, true};

protected:
    afx_msg LRESULT OnOpenPendingFolder(WPARAM, LPARAM);
    afx_msg LRESULT OnShowOnlineFolder(WPARAM, LPARAM);
    afx_msg LRESULT OnOnlineLoaded(WPARAM generation, LPARAM path);
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_handedOver;
    std::wstring m_pendingFolder;
    HANDLE m_hBatchThread = nullptr;

    // Online mode
    struct OnlineFolderItem {
        std::wstring name;
        bool preview = false; // the server has <name>\<name>.webp
        bool done = false;    // preview fetched, or answered 404
    };
    void OnlineLoaderThread(std::wstring path, int pages, int flags, int generation);
    void FillOnlineList(const std::wstring& path);
    void ResetScanState(const wchar_t* path);
    DisplaySettings CurrentDisplay() const;
    void ApplyDisplay(const DisplaySettings& settings);
    CLumivoShowsClient m_client;
    CLumivoShowsClientUI m_clientUI;
    CLumivoShowsDownloadFileList m_downloads;
    bool m_bOnline = false;
    int m_nRefreshFlags = 0;
    std::atomic<int> m_nDownloadMore{-1};
    CKQImageFile m_imgDownloadMore;
    std::unique_ptr<std::thread> m_pOnlineLoader;
    std::atomic<bool> m_bOnlineStop{false};
    std::atomic<bool> m_bLoaderDone{true};
    int m_nLoaderGeneration = 0;
    // The shown folder's records, indexed like the list's folders and files (under the list lock).
    std::vector<OnlineFolderItem> m_onlineFolders;
    std::vector<PicDirFile> m_onlineFiles;
};
