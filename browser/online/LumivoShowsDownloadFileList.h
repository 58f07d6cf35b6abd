#pragma once
// CLumivoShowsDownloadFileList: the browser's queue of online pictures to fetch in their cached
// sizes. Its callbacks run on the queue's worker and only post: 0x700 (refresh) to the picture
// list while it is visible and to the full-screen viewer, 0x707 (loaded) to the viewer when the
// picture it shows has come. The viewer registers its window and its picture.
#include <windows.h>
#include <mutex>
#include "DownloadFileList.h"

const UINT WM_SHOWS_VIEWER_LOADED = 0x707;

class CLumivoShowsDownloadFileList : public CDownloadFileList {
public:
    void SetListWindow(HWND window);
    // null: no viewer. shown: the picture the viewer shows, or null.
    void RegisterViewer(HWND viewer, CKQListFile* shown);
    HWND GetViewer();
    bool IsViewerItem(CKQListFile* item);

    void OnDownloadStart(CKQListFile* item) override;
    void OnDownloadFinish(CKQListFile* item, unsigned result) override;

private:
    std::mutex m_windowLock;
    HWND m_hList = nullptr;
    HWND m_hViewer = nullptr;
    CKQListFile* m_pViewerItem = nullptr;
};
