#include "LumivoShowsDownloadFileList.h"
#include <algorithm>
#include <vector>
#include "KQPicListView.h"

namespace {
// The live queues, so that a progress report finds its queue by the HTTP client it came from.
std::mutex g_queuesLock;
std::vector<CLumivoShowsDownloadFileList*> g_queues;
} // namespace

int DownloadPercent(long event, long value, int64_t total)
{
    if (event == HTTP_EVENT_STATE)
        return value == HTTP_STATE_DONE ? 100 : -1;
    if (event != HTTP_EVENT_RECEIVED || total <= 0 || value < 0)
        return -1;
    return int(std::min<int64_t>(100, int64_t(value) * 100 / total));
}

CLumivoShowsDownloadFileList::CLumivoShowsDownloadFileList()
{
    std::lock_guard<std::mutex> lock(g_queuesLock);
    g_queues.push_back(this);
}

CLumivoShowsDownloadFileList::~CLumivoShowsDownloadFileList()
{
    // The worker may report until it is joined.
    StopAll();
    std::lock_guard<std::mutex> lock(g_queuesLock);
    g_queues.erase(std::remove(g_queues.begin(), g_queues.end(), this), g_queues.end());
}

CLumivoShowsDownloadFileList* CLumivoShowsDownloadFileList::FromHttp(CHttpDownload* http)
{
    std::lock_guard<std::mutex> lock(g_queuesLock);
    for (CLumivoShowsDownloadFileList* queue : g_queues)
        if (&queue->GetHttp() == http)
            return queue;
    return nullptr;
}

void CLumivoShowsDownloadFileList::OnProgress(long event, long value)
{
    const int percent = DownloadPercent(event, value, GetHttp().GetTotalSize());
    std::lock_guard<std::mutex> lock(m_windowLock);
    // One post per step: a large picture reports every block.
    if (percent < 0 || !m_hViewer || !m_bFetchingViewerItem || percent == m_nLastPercent)
        return;
    m_nLastPercent = percent;
    PostMessageW(m_hViewer, WM_SHOWS_VIEWER_PROGRESS, WPARAM(percent), LPARAM(m_nViewerTicket));
}

void CLumivoShowsDownloadFileList::SetListWindow(HWND window)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    m_hList = window;
}

unsigned CLumivoShowsDownloadFileList::RegisterViewer(HWND viewer, const wchar_t* shownPath)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    m_hViewer = viewer;
    m_bFetchingViewerItem = false;
    m_strViewerPath = viewer && shownPath ? shownPath : L"";
    return ++m_nViewerTicket;
}

HWND CLumivoShowsDownloadFileList::GetViewer()
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    return m_hViewer;
}

static bool SamePath(const std::wstring& a, const wchar_t* b)
{
    return !a.empty() && b && ::lstrcmpiW(a.c_str(), b) == 0;
}

bool CLumivoShowsDownloadFileList::IsViewerItem(const CKQListFile* item)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    return m_hViewer && item && SamePath(m_strViewerPath, item->m_strName.GetString());
}

void CLumivoShowsDownloadFileList::OnDownloadStart(CKQListFile* item)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    m_bFetchingViewerItem = m_hViewer && item && SamePath(m_strViewerPath, item->m_strName.GetString());
    m_nLastPercent = -1;
    if (m_hViewer)
        PostMessageW(m_hViewer, KQLV_MSG_UPDATE_VIEW, 0, 0);
}

void CLumivoShowsDownloadFileList::OnDownloadFinish(CKQListFile* item, unsigned result)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    m_bFetchingViewerItem = false;
    if (m_hViewer) {
        if (item && SamePath(m_strViewerPath, item->m_strName.GetString()))
            PostMessageW(m_hViewer, WM_SHOWS_VIEWER_LOADED, WPARAM(result), LPARAM(m_nViewerTicket));
        else
            PostMessageW(m_hViewer, KQLV_MSG_UPDATE_VIEW, 0, 0);
    }
    if (m_hList && IsWindowVisible(m_hList))
        PostMessageW(m_hList, KQLV_MSG_UPDATE_VIEW, 0, 0);
}
