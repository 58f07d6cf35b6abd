#pragma once
// CHtmlView without an embedded browser: Navigate fetches the address on a worker thread and
// shows nothing; OnDocumentComplete (or OnNavigateError) follows on the window's thread. The
// fetch goes through a PageFetcher, the system's internet functions by default, so that a
// Windows build may put a real browser view behind the same calls and tests a fake.
#include <atomic>
#include <string>
#include <thread>
#include "Wnd.h"

namespace appframe {
class APPFRAME_API PageFetcher {
public:
    virtual ~PageFetcher() = default;
    // Runs on a worker thread: fetches the page, giving up soon after cancel is set. True when
    // the page came (an HTTP error status is no page).
    virtual bool Fetch(const std::wstring& url, const std::atomic<bool>& cancel) = 0;
};
// Puts another fetcher in place (null: the system's again); returns the one before.
APPFRAME_API PageFetcher* SetPageFetcher(PageFetcher* fetcher);
} // namespace appframe

class APPFRAME_API CHtmlView : public CWnd {
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView() = default;
    ~CHtmlView() override;

    // The headers and post data of a browser are not sent: the fetch is a plain GET.
    void Navigate(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = nullptr, LPCTSTR lpszHeaders = nullptr,
                  LPVOID lpvPostData = nullptr, DWORD dwPostDataLen = 0);
    void Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = nullptr, LPCTSTR lpszHeaders = nullptr,
                   LPVOID lpvPostData = nullptr, DWORD dwPostDataLen = 0)
    {
        Navigate(lpszURL, dwFlags, lpszTargetFrameName, lpszHeaders, lpvPostData, dwPostDataLen);
    }
    // Cancels a fetch under way and waits for its thread.
    void Stop();
    CString GetLocationURL() const { return m_url; }
    BOOL GetBusy() const { return m_busy; }

    virtual void OnDocumentComplete(LPCTSTR lpszURL);
    virtual void OnNavigateError(LPCTSTR lpszURL, LPCTSTR lpszFrame, DWORD dwError, BOOL* pbCancel);

protected:
    afx_msg void OnDestroy();
    LRESULT OnFetchDone(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::thread m_worker;
    std::atomic<bool> m_cancel{ false };
    CString m_url;
    BOOL m_busy = FALSE;
    UINT m_generation = 0;   // results of an earlier Navigate are not news
};
