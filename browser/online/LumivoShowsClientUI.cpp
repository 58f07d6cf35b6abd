#include "LumivoShowsClientUI.h"

void CLumivoShowsClientUI::SetWindow(HWND window)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_hWnd = window;
    m_bPending = false;
}

void CLumivoShowsClientUI::ShowFolder(const wchar_t* path)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_hWnd)
        return;
    // Only the newest request counts: one message stands for any number of them.
    m_strFolder = path ? path : L"";
    if (!m_bPending)
        m_bPending = PostMessageW(m_hWnd, WM_SHOWS_ONLINE_FOLDER, 0, 0) != FALSE;
}

void CLumivoShowsClientUI::OnUpdateEnd()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_hWnd)
        PostMessageW(m_hWnd, WM_SHOWS_ONLINE_UPDATED, 0, 0);
}

bool CLumivoShowsClientUI::TakeFolder(std::wstring& path)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_bPending)
        return false;
    m_bPending = false;
    path.swap(m_strFolder);
    m_strFolder.clear();
    return true;
}
