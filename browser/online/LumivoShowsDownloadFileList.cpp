#include "LumivoShowsDownloadFileList.h"
#include "KQPicListView.h"

void CLumivoShowsDownloadFileList::SetListWindow(HWND window)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    m_hList = window;
}

void CLumivoShowsDownloadFileList::RegisterViewer(HWND viewer, CKQListFile* shown)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    m_hViewer = viewer;
    m_pViewerItem = viewer ? shown : nullptr;
}

HWND CLumivoShowsDownloadFileList::GetViewer()
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    return m_hViewer;
}

bool CLumivoShowsDownloadFileList::IsViewerItem(CKQListFile* item)
{
    std::lock_guard<std::mutex> lock(m_windowLock);
    return m_hViewer && item && item == m_pViewerItem;
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
        if (item && item == m_pViewerItem)
            PostMessageW(m_hViewer, WM_SHOWS_VIEWER_LOADED, WPARAM(result), LPARAM(item));
        else
            PostMessageW(m_hViewer, KQLV_MSG_UPDATE_VIEW, 0, 0);
    }
    if (m_hList && IsWindowVisible(m_hList))
        PostMessageW(m_hList, KQLV_MSG_UPDATE_VIEW, 0, 0);
}
