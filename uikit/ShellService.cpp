#include "ShellService.h"
#include <shlobj.h>
#include <wininet.h>
#include <cwchar>

namespace {

// Opens the browser at the start folder once it is ready.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

class SystemShell : public zvui::ShellService {
public:
    int FileOperation(SHFILEOPSTRUCTW& op) override { return ::SHFileOperationW(&op); }

    bool BrowseForFolder(HWND owner, const wchar_t* title, UINT flags, const std::wstring& startFolder, std::wstring& path) override
    {
        path.clear();
        BROWSEINFOW info = {};
        info.hwndOwner = owner;
        info.lpszTitle = title;
        info.ulFlags = flags;
        info.lpfn = BrowseCallback;
        info.lParam = startFolder.empty() ? 0 : reinterpret_cast<LPARAM>(startFolder.c_str());
        PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
        if (!chosen)
            return false;
        wchar_t buffer[MAX_PATH] = {};
        const bool ok = ::SHGetPathFromIDListW(chosen, buffer) != FALSE;
        ::CoTaskMemFree(chosen);
        if (ok)
            path = buffer;
        return ok && !path.empty();
    }

    bool ConnectedState(DWORD& state) override
    {
        DWORD size = sizeof state;
        return ::InternetQueryOptionW(nullptr, INTERNET_OPTION_CONNECTED_STATE, &state, &size) != FALSE;
    }

    win32::KernelHandle StartProgram(const wchar_t* program, const wchar_t* parameters, const wchar_t* folder, int show) override
    {
        SHELLEXECUTEINFOW info = { sizeof info };
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.lpVerb = L"open";
        info.lpFile = program;
        info.lpParameters = parameters;
        info.lpDirectory = folder;
        info.nShow = show;
        if (!program || !::ShellExecuteExW(&info))
            return {};
        return win32::KernelHandle(info.hProcess);
    }

    bool OpenAddress(const wchar_t* address) override
    {
        return address && *address &&
               reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
    }
};

SystemShell g_systemShell;
zvui::ShellService* g_shell = &g_systemShell;

} // namespace

win32::KernelHandle zvui::ShellService::StartProgram(const wchar_t*, const wchar_t*, const wchar_t*, int)
{
    return {};
}

bool zvui::ShellService::OpenAddress(const wchar_t*)
{
    return false;
}

zvui::ShellService& zvui::Shell()
{
    return *g_shell;
}

zvui::ShellService* zvui::SetShellService(ShellService* service)
{
    ShellService* before = g_shell;
    g_shell = service ? service : &g_systemShell;
    return before;
}

bool SelectFolder(wchar_t* path, HWND owner, const wchar_t* title)
{
    if (!path)
        return false;
    const std::wstring start(path, wcsnlen(path, MAX_PATH - 1));
    path[0] = 0;
    std::wstring chosen;
    if (!zvui::Shell().BrowseForFolder(owner, title, BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE, start, chosen))
        return false;
    if (chosen.size() >= MAX_PATH)
        return false;
    wcscpy(path, chosen.c_str());
    return !chosen.empty();
}

bool IsInternetConnected()
{
    DWORD state = 0;
    return zvui::Shell().ConnectedState(state) && (state & INTERNET_STATE_CONNECTED);
}
