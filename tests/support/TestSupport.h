#pragma once
// Helpers shared by the test programs.
#include <windows.h>
#include <string>

namespace testsupport {

// The program folder of the build (build/bin), where the programs, DLLs and Data\ are.
std::wstring BinDir();

// A child process started with CreateProcessW; closed and, if still running, ended on destruction.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // With captureOutput the child's standard output and error go to a pipe that ReadOutput
    // empties.
    bool Start(const std::wstring& program, const std::wstring& arguments = L"", bool captureOutput = false);
    // The command line exactly as given: the program's quoted path is not put in front.
    bool StartCommandLine(const std::wstring& program, const std::wstring& commandLine, bool captureOutput = false);
    // What the child wrote, read until it closed its end of the pipe (it ended).
    std::string ReadOutput();
    // The exit code, or -1 when the process did not end within the time.
    long WaitForExit(DWORD milliseconds);
    // The first visible top-level window of this process with the class, waiting up to the time.
    HWND WaitForWindow(const wchar_t* className, DWORD milliseconds) const;
    DWORD Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info = {};
    HANDLE m_output = nullptr; // our end of the capture pipe
};

} // namespace testsupport
