#include "HtmlView.h"
#include <wininet.h>
#include "Win32Owners.h"

namespace {

struct InternetTraits {
    static HINTERNET Invalid() { return nullptr; }
    static void Close(HINTERNET handle) { InternetCloseHandle(handle); }
};
using InternetHandle = win32::UniqueHandle<InternetTraits>;

const UINT kFetchDone = RegisterWindowMessageW(L"AppFrame.PageFetched");

class InternetFetcher : public appframe::PageFetcher {
public:
    bool Fetch(const std::wstring& url, const std::atomic<bool>& cancel) override
    {
        const InternetHandle session(InternetOpenW(L"AppFrame", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
        if (!session.IsValid())
            return false;
        // No wait is unbounded: a stopping view joins this thread.
        DWORD timeout = 15000;
        for (DWORD option : { INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT })
            InternetSetOptionW(session.Get(), option, &timeout, sizeof timeout);
        const InternetHandle request(InternetOpenUrlW(session.Get(), url.c_str(), nullptr, 0,
                                                      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0));
        if (!request.IsValid())
            return false;
        DWORD status = 0, size = sizeof status;
        if (HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) && status >= 400)
            return false;
        // The page is read to its end (that is what loading it means) but not kept.
        char buffer[16384];
        DWORD read = 0;
        unsigned long long total = 0;
        const unsigned long long kMaxPage = 64ull << 20;
        while (!cancel && InternetReadFile(request.Get(), buffer, sizeof buffer, &read) && read > 0)
            if ((total += read) > kMaxPage)
                return false;
        return !cancel;
    }
};

appframe::PageFetcher* currentFetcher = nullptr;

appframe::PageFetcher& Fetcher()
{
    static InternetFetcher system;
    return currentFetcher ? *currentFetcher : system;
}

} // namespace

namespace appframe {
PageFetcher* SetPageFetcher(PageFetcher* fetcher)
{
    PageFetcher* before = currentFetcher;
    currentFetcher = fetcher;
    return before;
}
} // namespace appframe

IMPLEMENT_DYNCREATE(CHtmlView, CWnd)

BEGIN_MESSAGE_MAP(CHtmlView, CWnd)
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(kFetchDone, OnFetchDone)
END_MESSAGE_MAP()

CHtmlView::~CHtmlView()
{
    Stop();
}

void CHtmlView::Navigate(LPCTSTR lpszURL, DWORD, LPCTSTR, LPCTSTR, LPVOID, DWORD)
{
    Stop();
    m_url = lpszURL ? lpszURL : L"";
    if (!m_hWnd)
        return;
    m_cancel = false;
    m_busy = TRUE;
    const UINT generation = ++m_generation;
    HWND hwnd = m_hWnd;
    std::wstring url(m_url.GetString());
    appframe::PageFetcher* fetcher = &Fetcher();
    // The worker only posts its answer; the window's thread does the rest.
    m_worker = std::thread([hwnd, url, fetcher, generation, this] {
        const bool fetched = fetcher->Fetch(url, m_cancel);
        ::PostMessageW(hwnd, kFetchDone, fetched ? 1 : 0, static_cast<LPARAM>(generation));
    });
}

void CHtmlView::Stop()
{
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
    m_busy = FALSE;
}

LRESULT CHtmlView::OnFetchDone(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<UINT>(lParam) != m_generation || !m_busy)
        return 0;
    if (m_worker.joinable())
        m_worker.join();
    m_busy = FALSE;
    if (wParam) {
        OnDocumentComplete(m_url);
    } else {
        BOOL cancel = FALSE;
        OnNavigateError(m_url, nullptr, 0, &cancel);
    }
    return 0;
}

void CHtmlView::OnDocumentComplete(LPCTSTR) {}

void CHtmlView::OnNavigateError(LPCTSTR, LPCTSTR, DWORD, BOOL*) {}

void CHtmlView::OnDestroy()
{
    Stop();
    Default();
}
