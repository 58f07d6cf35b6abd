#pragma once
// What the exported helpers need of the shell and of the internet settings, behind one small
// interface: the system's own by default, a fake in tests. A piece the system cannot provide
// answers "not available" (false, or a non-zero file-operation result), never success.
#include <windows.h>
#include <shellapi.h>
#include <string>
#include "Win32Owners.h"
#include "ZVUILibDef.h"

namespace zvui {
class ZVUILIB_API ShellService {
public:
    virtual ~ShellService() = default;
    // SHFileOperationW: 0 on success.
    virtual int FileOperation(SHFILEOPSTRUCTW& op) = 0;
    // The shell's folder browser, opened at startFolder when it names one: true and the chosen
    // file-system folder in path when the user confirms one.
    virtual bool BrowseForFolder(HWND owner, const wchar_t* title, UINT flags, const std::wstring& startFolder, std::wstring& path) = 0;
    // The internet settings' connected state (INTERNET_STATE_... bits); false when unknown.
    virtual bool ConnectedState(DWORD& state) = 0;
    // Opens a program through the shell (ShellExecuteExW, verb "open") in the working folder
    // (null: the shell's choice) with the show command: the started process, or none when
    // nothing started. Not pure, so that a fake without it starts nothing.
    virtual win32::KernelHandle StartProgram(const wchar_t* program, const wchar_t* parameters, const wchar_t* folder, int show);
    // Opens an address (a web page, a mail link) with the program the system has for it, shown
    // normally: false when nothing took it. Not pure, for the same reason.
    virtual bool OpenAddress(const wchar_t* address);
};
ZVUILIB_API ShellService& Shell();
// Puts another service in place (null: the system's again); returns the one before.
ZVUILIB_API ShellService* SetShellService(ShellService* service);
} // namespace zvui

// The folder browser (file-system folders, an edit box, the new look) over owner, opened at the
// folder path names. path is emptied and receives the chosen folder; it must hold MAX_PATH
// characters. True when a folder was chosen.
ZVUILIB_API bool SelectFolder(wchar_t* path, HWND owner, const wchar_t* title);
// Whether the system counts itself online.
ZVUILIB_API bool IsInternetConnected();
