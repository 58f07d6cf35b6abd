#include "EditorUtils.h"
#include <windows.h>
#include <string>
#include "AppFrame.h"
#include "ShellService.h"

int GetHistoryLimit(int64_t pixels)
{
    // Every step may hold a whole layer, so larger pictures keep fewer steps.
    if (pixels > 25000000)
        return 1;
    if (pixels > 16000000)
        return 3;
    if (pixels > 9000000)
        return 5;
    if (pixels > 4000000)
        return 10;
    return 20;
}

namespace {

// The folder part of a program's path ("C:\" for a program at a drive's root); empty without one.
std::wstring ProgramFolder(const wchar_t* program)
{
    const std::wstring path(program);
    const size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos)
        return std::wstring();
    return path.substr(0, cut == 2 && path[1] == L':' ? cut + 1 : cut);
}

// Handles every message waiting for the thread, through the application's pump when there is an
// application (its accelerators and pre-translation apply). False when a quit message came: it is
// posted again so that the loop above still ends.
bool PumpWaitingMessages()
{
    MSG msg;
    if (CWinApp* app = AfxGetApp()) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!app->PumpMessage()) {
                ::PostQuitMessage(static_cast<int>(app->m_msgCur.wParam));
                return false;
            }
        }
        return true;
    }
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

} // namespace

// The start page waits here for the browser: its tray icon, hot keys and windows must keep
// answering, so the wait wakes for every message as well as for the end of the process.
bool RunAndWait(const wchar_t* program, const wchar_t* parameters)
{
    if (!program || !*program)
        return false;
    const std::wstring folder = ProgramFolder(program);
    const win32::KernelHandle process =
        zvui::Shell().StartProgram(program, parameters, folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
    if (!process.IsValid())
        return false;
    HANDLE handle = process.Get();
    for (;;) {
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + 1 || !PumpWaitingMessages())
            break; // the program ended, the quit message came, or the handle cannot be waited on
    }
    return true;
}
