#pragma once
// CLumivoShowsDownloadFileList: the browser's queue of online pictures to fetch in their cached
// sizes. Its callbacks run on the queue's worker and only post: 0x700 (refresh) to the picture
// list while it is visible and to the full-screen viewer, 0x707 (loaded) to the viewer when the
// picture it shows has come. The viewer registers its window and the path of its picture; the
// loaded message carries the ticket of that registration, never an item: a reload of the list
// frees its items while the message waits in the queue.
#include <windows.h>
#include <mutex>
#include <string>
#include "DownloadFileList.h"

const UINT WM_SHOWS_VIEWER_LOADED = 0x707;

class CLumivoShowsDownloadFileList : public CDownloadFileList {
public:
    void SetListWindow(HWND window);
    // null: no viewer. shownPath: the file the viewer waits for. Returns the ticket that 0x707
    // carries in its lParam for this registration.
    unsigned RegisterViewer(HWND viewer, const wchar_t* shownPath);
    HWND GetViewer();
    // The item's file is the one the viewer waits for.
    bool IsViewerItem(const CKQListFile* item);

    void OnDownloadStart(CKQListFile* item) override;
    void OnDownloadFinish(CKQListFile* item, unsigned result) override;

private:
    std::mutex m_windowLock;
    HWND m_hList = nullptr;
    HWND m_hViewer = nullptr;
    std::wstring m_strViewerPath;
    unsigned m_nViewerTicket = 0;
};
