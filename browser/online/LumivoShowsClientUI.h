#pragma once
// CLumivoShowsClientUI: how the online client reaches the browser. The client calls it on its
// update thread, so ShowFolder only keeps the path and posts WM_SHOWS_ONLINE_FOLDER to the
// picture list, which takes the path on its own thread and opens the folder; the end of an
// update is posted to the list as WM_SHOWS_ONLINE_UPDATED.
#include <windows.h>
#include <mutex>
#include <string>
#include "LumivoShowsClient.h"

const UINT WM_SHOWS_ONLINE_FOLDER = WM_APP + 0x5A;
const UINT WM_SHOWS_ONLINE_UPDATED = WM_APP + 0x5C;

class CLumivoShowsClientUI : public CLumivoClientUI {
public:
    void SetWindow(HWND window);
    int SetTitle(const wchar_t*) override { return 1; }
    void OnUpdateBegin() override {}
    void OnUpdateEnd() override;
    void ShowFolder(const wchar_t* path) override;
    void OnDirectoryUpdated() override {}
    // The folder last asked for, once; false when there is none.
    bool TakeFolder(std::wstring& path);

private:
    std::mutex m_lock;
    HWND m_hWnd = nullptr;
    std::wstring m_strFolder;
    bool m_bPending = false;
};
