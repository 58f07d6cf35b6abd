// The material list of one folder ("Stickers") served by a loopback server of its own:
//   ResListDemo.exe [/input "click X Y"]... [/exit-when-idle]
// The server (127.0.0.1, any port) serves the tree beside the program (res-server\, drawn by
// tests/piclist/server/make-stickers); the list's root is a fresh temporary folder, removed at
// the end; three entries are favourites of the demo's own registry root. /input posts a click
// at list coordinates X Y once the first page is there; /exit-when-idle waits for the
// downloads to end, prints the root folder, the state of the last clicked item and the files
// of the folder, and ends, leaving the root for a look (removed otherwise).
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>
#include "KQResListView.h"
#include "LoopbackHttpServer.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kFavoriteKey[] = L"Software\\LumivoUserData\\LumivoTools\\ResListDemoFavorites";
const wchar_t* const kFavorites[] = {L"Circle03.png", L"Heart22.png", L"Diamond74.png"};
const UINT_PTR kInputTimer = 1;

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

void Print(const std::wstring& text)
{
    const std::string bytes(text.begin(), text.end());
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path);
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

// The panel: the list's own mouse handling selects and opens a clicked cell; the panel only notes
// which one it was.
class CStickerPanel : public CKQResListView {
public:
    int m_nLastClicked = -1;

protected:
    bool OnItemClicked(int index) override
    {
        m_nLastClicked = index;
        return CKQResListView::OnItemClicked(index);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStickerPanel, CKQResListView)
END_MESSAGE_MAP()

class CDemoFrame : public CFrameWnd {
public:
    CStickerPanel m_list;
    testsupport::LoopbackHttpServer m_server;
    std::wstring m_root;
    std::vector<POINT> m_clicks;
    bool m_exitWhenIdle = false;
    int m_idleTicks = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        m_server.ServeFolder("/res/", ProgramFolder() + L"\\res-server\\res");
        if (!m_server.Start("127.0.0.1"))
            return -1;
        const std::string url = m_server.Url("/res/");
        m_list.SetResServer(std::wstring(url.begin(), url.end()).c_str());
        m_list.SetResRoot(m_root.c_str());
        m_list.m_strUserDataRoot = (m_root + L"\\User").c_str();
        m_list.SetFavoriteRoot((std::wstring(L"HKCU\\") + kFavoriteKey + L"\\").c_str());
        {
            CFavoriteRecord record;
            record.SetRootRegPath((std::wstring(L"HKCU\\") + kFavoriteKey + L"\\").c_str());
            record.RemoveFavorite(nullptr, L"Stickers");
            for (const wchar_t* name : kFavorites)
                record.AddFavorite(name, L"Stickers");
            record.Save();
        }
        if (!m_list.CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST))
            return -1;
        // Cells small enough that the whole first page and its "Download More" cell show.
        m_list.ChangeIconSize(100, 116, false);
        m_list.UpdateResFolder(L"Stickers", -1);
        if (!m_clicks.empty() || m_exitWhenIdle)
            SetTimer(kInputTimer, 250, nullptr);
        return 0;
    }
    afx_msg void OnSize(UINT type, int cx, int cy)
    {
        CFrameWnd::OnSize(type, cx, cy);
        if (m_list.GetSafeHwnd())
            m_list.MoveWindow(0, 0, cx, cy);
    }
    // The clicks wait for the first page and its thumbnails; the end waits for the downloads.
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id != kInputTimer)
            return;
        KQ_PIC_LIST_ITEM third = {};
        if (!m_list.GetItem(2, &third) || third.pImage == m_list.GetLoadingImage())
            return;
        if (!m_clicks.empty()) {
            const POINT p = m_clicks.front();
            m_clicks.erase(m_clicks.begin());
            m_list.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
            m_list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            m_list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            m_idleTicks = 0;
            return;
        }
        if (!m_exitWhenIdle)
            return;
        m_idleTicks = m_list.IsBusy() ? 0 : m_idleTicks + 1;
        if (m_idleTicks < 4)
            return;
        KillTimer(kInputTimer);
        Print(L"root: " + m_root + L"\r\n");
        const int index = m_list.m_nLastClicked;
        if (index >= 0) {
            wchar_t line[512];
            swprintf(line, 512, L"item %d: %ls state 0x%X\r\n", index, m_list.GetItemText(index).GetString(),
                     m_list.GetItemState(index));
            Print(line);
        }
        for (const wchar_t* sub : {L"Stickers"}) {
            WIN32_FIND_DATAW found;
            HANDLE search = ::FindFirstFileW((m_root + L"\\" + sub + L"\\*").c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                continue;
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L".." && name.compare(0, 9, L"_Preview_") != 0)
                    Print(std::wstring(L"  ") + sub + L"\\" + name + L"\r\n");
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        PostMessage(WM_CLOSE);
    }
    afx_msg void OnDestroy()
    {
        m_list.DestroyWindow();
        m_server.Stop();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kFavoriteKey);
        CFrameWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"ResListDemo") {}
    BOOL InitInstance() override
    {
        auto frame = new CDemoFrame;
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        frame->m_root = std::wstring(temp) + L"ResListDemo_" + std::to_wstring(::GetCurrentProcessId());
        RemoveFolder(frame->m_root);
        ::CreateDirectoryW(frame->m_root.c_str(), nullptr);
        m_root = frame->m_root;
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        for (int i = 1; argv && i < argc; ++i) {
            if (_wcsicmp(argv[i], L"/input") == 0 && i + 1 < argc) {
                POINT p = {};
                if (swscanf(argv[++i], L"click %ld %ld", &p.x, &p.y) == 2)
                    frame->m_clicks.push_back(p);
            } else if (_wcsicmp(argv[i], L"/exit-when-idle") == 0) {
                frame->m_exitWhenIdle = true;
                m_keepRoot = true;
            }
        }
        ::LocalFree(argv);
        if (!frame->Create(nullptr, L"Stickers")) {
            delete frame;
            return FALSE;
        }
        m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 0, 0, 1280, 1000, SWP_NOZORDER);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        return TRUE;
    }
    int ExitInstance() override
    {
        // A root that was printed stays for a look; otherwise the demo leaves nothing behind.
        if (!m_keepRoot && !m_root.empty())
            RemoveFolder(m_root);
        return CWinApp::ExitInstance();
    }

private:
    std::wstring m_root;
    bool m_keepRoot = false;
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
