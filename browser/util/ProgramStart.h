#pragma once
// How the browser starts other programs: KQBatch once per picture (hidden, its output read
// through a pipe), a program waited for, and the list file that hands pictures to the editor.
// Everything goes through one ProgramStarter, the system's by default and a fake in tests.
// Programs shown to the user start with RunAndWait (EditorUtils.h), shared with the editor.
#include <windows.h>
#include <string>
#include <vector>

// The longest command line CreateProcessW takes, terminator not counted. A longer one is
// refused, never cut.
const size_t kMaxCommandLine = 32766;
// A program still running this long after a stop is ended.
const DWORD kStopGraceMs = 30000;
// Output kept of one run; what comes after is read and dropped, so the program never blocks.
const size_t kMaxCaptureBytes = 64 * 1024;
// The exit code of a program that was ended after a stop.
const DWORD kEndedAfterStop = 0xC000013A;

struct CaptureResult {
    bool started = false;
    DWORD startError = ERROR_SUCCESS; // why it did not start
    bool terminated = false;          // ended by us, the grace time after a stop being over
    DWORD exitCode = 0;
    std::string output; // standard output and error together, as written
};

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // A new list file in the temporary folder, one path a line; the editor deletes it after
    // reading. Empty, and nothing written, for an empty list or a failure.
    virtual std::wstring MakeFileListTempFile(const std::vector<std::wstring>& paths) = 0;
    // Starts program hidden through the shell with the parameters (null: none) in the program's
    // folder and waits for its end; true when it started.
    virtual bool RunProgramWait(const wchar_t* program, const wchar_t* commandLine) = 0;
    // Starts program without a window, reads its output to the end and waits for it. When
    // stopEvent (may be null) is set the program may still finish for graceMs, then it is ended.
    virtual CaptureResult RunProgramCapture(const wchar_t* program, const wchar_t* commandLine, HANDLE stopEvent, DWORD graceMs) = 0;
    // LumivoTools.exe beside the library.
    virtual bool IsLumivoToolsInstalled() = 0;
};

ProgramStarter& Starter();
// Puts another starter in place (null: the system's again); returns the one before.
ProgramStarter* SetProgramStarter(ProgramStarter* starter);

std::wstring MakeFileListTempFile(const std::vector<std::wstring>& paths);
bool RunProgramWait(const wchar_t* program, const wchar_t* commandLine);
CaptureResult RunProgramCapture(const wchar_t* program, const wchar_t* commandLine, HANDLE stopEvent, DWORD graceMs = kStopGraceMs);
bool IsLumivoToolsInstalled();
