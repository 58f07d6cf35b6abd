#pragma once
// CLumivoShowsDownloadFileList: the browser's queue of online pictures to fetch in their cached
// sizes. Its callbacks run on the queue's worker and only post: 0x700 (refresh) to the picture
// list while it is visible and to the full-screen viewer, 0x707 (loaded) to the viewer when the
// picture it shows has come. The viewer registers its window and the path of its picture; the
// loaded message carries the ticket of that registration, never an item: a reload of the list
// frees its items while the message waits in the queue. While the viewer's own picture is
// fetched, its progress goes to the viewer as 0x708.
#include <windows.h>
#include <cstdint>
#include <mutex>
#include <string>
#include "DownloadFileList.h"

const UINT WM_SHOWS_VIEWER_LOADED = 0x707;
// wParam the percentage fetched, lParam the ticket of the viewer's registration.
const UINT WM_SHOWS_VIEWER_PROGRESS = 0x708;

// The percentage a progress report of the HTTP client stands for, -1 when it tells none: the
// bytes received of the total, and 100 once the transfer is done.
int DownloadPercent(long event, long value, int64_t total);

class CLumivoShowsDownloadFileList : public CDownloadFileList {
public:
    CLumivoShowsDownloadFileList();
    ~CLumivoShowsDownloadFileList() override;
    // The queue whose HTTP client this is (null: none), for the progress callback, which gets
    // only the client.
    static CLumivoShowsDownloadFileList* FromHttp(CHttpDownload* http);
    // On the worker: a progress report of the running download.
    void OnProgress(long event, long value);

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
    bool m_bFetchingViewerItem = false; // the running download is the viewer's picture
    int m_nLastPercent = -1;             // posted last for it
};
