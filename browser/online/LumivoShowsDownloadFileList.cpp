#include "LumivoShowsDownloadFileList.h"
#include "KQPicListView.h"

void CLumivoShowsDownloadFileList::SetListWindow(HWND window)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    m_hList = window;
}

unsigned CLumivoShowsDownloadFileList::RegisterViewer(HWND viewer, const wchar_t* shownPath)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    m_hViewer = viewer;
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

void CLumivoShowsDownloadFileList::OnDownloadStart(CKQListFile*)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    if (m_hViewer)
        PostMessageW(m_hViewer, KQLV_MSG_UPDATE_VIEW, 0, 0);
}

void CLumivoShowsDownloadFileList::OnDownloadFinish(CKQListFile* item, unsigned result)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    if (m_hViewer) {
        if (item && SamePath(m_strViewerPath, item->m_strName.GetString()))
            PostMessageW(m_hViewer, WM_SHOWS_VIEWER_LOADED, WPARAM(result), LPARAM(m_nViewerTicket));
        else
            PostMessageW(m_hViewer, KQLV_MSG_UPDATE_VIEW, 0, 0);
    }
    if (m_hList && IsWindowVisible(m_hList))
        PostMessageW(m_hList, KQLV_MSG_UPDATE_VIEW, 0, 0);
}
