#pragma once
// Helpers shared by the test programs.
#include <windows.h>
#include <string>
#include <vector>

namespace testsupport {

// The program folder of the build (build/bin), where the programs, DLLs and Data\ are.
std::wstring BinDir();

// Removes the folder with everything in it, read-only files included; true when it is gone.
// Links to other folders are removed, never followed.
bool RemoveTree(const std::wstring& folder);

// A fresh folder of its own in the temporary folder, removed with everything in it on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Root() const { return m_root; }
    std::wstring At(const std::wstring& relative) const { return m_root + L"\\" + relative; }
    // Names in the folder (or in a folder below it), files and folders, without "." and "..".
    std::vector<std::wstring> List(const std::wstring& relative = L"") const;

    // Whole files, written and read with the system's calls only (not with the code under test).
    static bool Put(const std::wstring& path, const std::string& bytes);
    // "<missing>" when the file cannot be read.
    static std::string Get(const std::wstring& path);

private:
    std::wstring m_root;
};

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
    // What the child wrote, read until it closed its end of the pipe (it ended) or the time was
    // up. A child still writing or running at that time is ended (exit code kEndedByTest) and
    // EndedByTest() holds.
    std::string ReadOutput(DWORD milliseconds);
    bool EndedByTest() const { return m_endedByTest; }
    // The exit code, or -1 when the process did not end within the time.
    long WaitForExit(DWORD milliseconds);
    // The first visible top-level window of this process with the class, waiting up to the time.
    HWND WaitForWindow(const wchar_t* className, DWORD milliseconds) const;
    DWORD Id() const { return m_info.dwProcessId; }

    static constexpr UINT kEndedByTest = 0xDEAD;

private:
    PROCESS_INFORMATION m_info = {};
    HANDLE m_output = nullptr; // our end of the capture pipe
    bool m_endedByTest = false;
};

// Whole files as bytes, with the system's calls only: empty when the file cannot be read; false
// when it cannot be written.
std::vector<BYTE> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes);

// Puts an EXIF block right after the start marker of a JPEG file: the orientation (none when 0)
// and the date-time text "YYYY:MM:DD hh:mm:ss" (none when null). False when the file cannot be
// read or written.
bool AddExif(const std::wstring& path, int orientation, const char* dateTime);

} // namespace testsupport
