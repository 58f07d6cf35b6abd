#include "ProgramStart.h"
#include <algorithm>
#include <atomic>
#include <cwchar>
#include "BaseUtil.h"
#include "LocalFileIO.h"
#include "ShellService.h"
#include "UTXTFile.h"
#include "Win32Owners.h"
#include "ZVUILibApp.h"

namespace {

// Numbers tried after the list file's base name before giving up.
const int kMaxListFileTries = 1000;

// The folder a program runs in: its path up to the last backslash, trailing backslashes
// removed except a drive's own ("C:\"). Empty: the caller's.
std::wstring ProgramFolder(const wchar_t* program)
{
    if (!program)
        return std::wstring();
    std::wstring folder(program);
    const size_t slash = folder.rfind(L'\\');
    if (slash == std::wstring::npos)
        return std::wstring();
    folder.erase(slash);
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    if (!folder.empty() && folder.back() == L':')
        folder += L'\\';
    return folder;
}

// The writable copy CreateProcessW wants, sized to fit; false when the system would refuse it.
bool CopyCommandLine(const wchar_t* commandLine, std::vector<wchar_t>& line)
{
    line.clear();
    if (!commandLine)
        return true;
    const size_t length = wcsnlen(commandLine, kMaxCommandLine + 1);
    if (length > kMaxCommandLine)
        return false;
    line.assign(commandLine, commandLine + length);
    line.push_back(L'\0');
    return true;
}

// Waits for one handle while watching the stop event: after a stop the wait lasts at most the
// grace time, counted from the stop, over every wait of the run.
class StopAwareWait {
public:
    StopAwareWait(HANDLE stopEvent, DWORD graceMs) : m_stop(stopEvent), m_grace(graceMs) {}

    // True when the handle was signalled, false when the grace time ran out.
    bool Wait(HANDLE handle)
    {
        for (;;) {
            if (!m_stopped && m_stop) {
                const HANDLE both[2] = {handle, m_stop};
                const DWORD which = WaitForMultipleObjects(2, both, FALSE, INFINITE);
                if (which == WAIT_OBJECT_0)
                    return true;
                if (which != WAIT_OBJECT_0 + 1)
                    return false;
                m_stopped = true;
                m_stopTick = GetTickCount64();
                continue;
            }
            DWORD timeout = INFINITE;
            if (m_stopped) {
                const ULONGLONG spent = GetTickCount64() - m_stopTick;
                timeout = spent >= m_grace ? 0 : DWORD(m_grace - spent);
            }
            return WaitForSingleObject(handle, timeout) == WAIT_OBJECT_0;
        }
    }

private:
    HANDLE m_stop;
    ULONGLONG m_grace;
    bool m_stopped = false;
    ULONGLONG m_stopTick = 0;
};

// Both ends of an anonymous-style pipe whose read end can wait with a time limit: a named pipe
// with an overlapped read end that nobody else can join.
bool MakeCapturePipe(win32::FileHandle& readEnd, win32::FileHandle& writeEnd)
{
    static std::atomic<unsigned long> serial{0};
    wchar_t name[96];
    _snwprintf(name, 96, L"\\\\.\\pipe\\LumivoCapture_%lu_%lu_%lu", GetCurrentProcessId(), GetCurrentThreadId(), ++serial);
    name[95] = 0;
    readEnd.Reset(CreateNamedPipeW(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                   PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 4096,
                                   64 * 1024, 0, nullptr));
    if (!readEnd.IsValid())
        return false;
    // The only handle the child inherits.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    writeEnd.Reset(CreateFileW(name, GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return writeEnd.IsValid();
}

// Starts the child on the write end. The attribute list names that end alone, so that pipes
// another thread is handing to its own child at the same moment stay out of this one.
bool StartCaptured(const wchar_t* program, std::vector<wchar_t>& line, HANDLE writeEnd, PROCESS_INFORMATION& info)
{
    const std::wstring folder = ProgramFolder(program);
    STARTUPINFOEXW start = {};
    start.StartupInfo.cb = sizeof start;
    start.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    start.StartupInfo.wShowWindow = SW_HIDE;
    start.StartupInfo.hStdOutput = writeEnd;
    start.StartupInfo.hStdError = writeEnd;
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<BYTE> attributes(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
    // No console at all: the child writes to the pipe alone. A hidden console of its own would
    // cost a console host process for every picture.
    DWORD flags = DETACHED_PROCESS;
    HANDLE inherited = writeEnd;
    if (size && InitializeProcThreadAttributeList(list, 1, 0, &size)) {
        if (UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &inherited, sizeof inherited, nullptr, nullptr)) {
            start.lpAttributeList = list;
            flags |= EXTENDED_STARTUPINFO_PRESENT;
        }
    }
    const bool ok = CreateProcessW(program, line.empty() ? nullptr : line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                   folder.empty() ? nullptr : folder.c_str(), &start.StartupInfo, &info) != 0;
    const DWORD error = GetLastError();
    if (start.lpAttributeList)
        DeleteProcThreadAttributeList(list);
    SetLastError(error);
    return ok;
}

// Reads the pipe until every writer has closed it. False when the grace time after a stop
// ran out first.
bool ReadToEnd(HANDLE readEnd, StopAwareWait& wait, std::string& output)
{
    win32::KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready.IsValid())
        return true;
    char block[4096];
    for (;;) {
        OVERLAPPED pending = {};
        pending.hEvent = ready.Get();
        DWORD got = 0;
        if (!ReadFile(readEnd, block, sizeof block, nullptr, &pending) && GetLastError() != ERROR_IO_PENDING)
            return true; // broken pipe: the end
        if (!wait.Wait(ready.Get())) {
            CancelIo(readEnd);
            GetOverlappedResult(readEnd, &pending, &got, TRUE);
            return false;
        }
        if (!GetOverlappedResult(readEnd, &pending, &got, FALSE))
            return true;
        if (output.size() < kMaxCaptureBytes)
            output.append(block, std::min<size_t>(got, kMaxCaptureBytes - output.size()));
    }
}

class CSystemProgramStarter : public ProgramStarter {
public:
    std::wstring MakeFileListTempFile(const std::vector<std::wstring>& paths) override;
    bool RunProgramWait(const wchar_t* program, const wchar_t* commandLine) override;
    CaptureResult RunProgramCapture(const wchar_t* program, const wchar_t* commandLine, HANDLE stopEvent, DWORD graceMs) override;
    bool IsLumivoToolsInstalled() override;
};

std::wstring CSystemProgramStarter::MakeFileListTempFile(const std::vector<std::wstring>& paths)
{
    if (paths.empty())
        return std::wstring();
    // "_LumivoFileList_<thread>_" in the temporary folder, then a number and ".tmp": the editor
    // knows its list files by that prefix, extension and folder. CREATE_NEW claims the name, so
    // a list the editor has not read yet is never overwritten.
    wchar_t base[MAX_PATH] = {};
    GetKQTempFileName(base, nullptr, L"LumivoFileList");
    if (!base[0])
        return std::wstring();
    std::wstring name;
    for (int number = 1;; ++number) {
        if (number > kMaxListFileTries)
            return std::wstring();
        name = base + std::to_wstring(number) + L".tmp";
        if (name.size() >= size_t(MAX_PATH))
            return std::wstring();
        win32::FileHandle claim(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (claim.IsValid())
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return std::wstring();
    }
    CUTXTFile list(&GetLocalFileIO());
    for (const std::wstring& path : paths)
        list.AddLine(path.c_str());
    if (!list.SaveAs(name.c_str())) {
        DeleteFileW(name.c_str());
        return std::wstring();
    }
    list.CloseImage();
    return name;
}

// The shell's start, as RunAndWait uses it, hidden; the worker that calls this has no windows
// whose messages would wait.
bool CSystemProgramStarter::RunProgramWait(const wchar_t* program, const wchar_t* commandLine)
{
    // The shell puts the quoted program and a blank in front of the parameters.
    const size_t programLength = program ? wcsnlen(program, kMaxCommandLine) : 0;
    const size_t parametersLength = commandLine ? wcsnlen(commandLine, kMaxCommandLine + 1) : 0;
    if (programLength + 3 + parametersLength > kMaxCommandLine) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    const std::wstring folder = ProgramFolder(program);
    const win32::KernelHandle process =
        zvui::Shell().StartProgram(program, commandLine, folder.empty() ? nullptr : folder.c_str(), SW_HIDE);
    if (!process.IsValid())
        return false;
    WaitForSingleObject(process.Get(), INFINITE);
    return true;
}

CaptureResult CSystemProgramStarter::RunProgramCapture(const wchar_t* program, const wchar_t* commandLine, HANDLE stopEvent, DWORD graceMs)
{
    CaptureResult result;
    std::vector<wchar_t> line;
    if (!CopyCommandLine(commandLine, line)) {
        result.startError = ERROR_FILENAME_EXCED_RANGE;
        return result;
    }
    win32::FileHandle readEnd, writeEnd;
    if (!MakeCapturePipe(readEnd, writeEnd)) {
        result.startError = GetLastError();
        return result;
    }
    PROCESS_INFORMATION info = {};
    if (!StartCaptured(program, line, writeEnd.Get(), info)) {
        result.startError = GetLastError();
        return result;
    }
    win32::KernelHandle process(info.hProcess), thread(info.hThread);
    result.started = true;
    // Our copy of the write end goes, so the read ends when the child's copies are closed.
    writeEnd.Reset();
    StopAwareWait wait(stopEvent, graceMs);
    if (!ReadToEnd(readEnd.Get(), wait, result.output) || !wait.Wait(process.Get())) {
        TerminateProcess(process.Get(), kEndedAfterStop);
        WaitForSingleObject(process.Get(), INFINITE);
        result.terminated = true;
    }
    if (!GetExitCodeProcess(process.Get(), &result.exitCode))
        result.exitCode = DWORD(-1);
    return result;
}

bool CSystemProgramStarter::IsLumivoToolsInstalled()
{
    wchar_t folder[MAX_PATH] = {};
    GetModuleDir(folder);
    const std::wstring program = std::wstring(folder) + L"LumivoTools.exe";
    return GetLocalFileIO().Exists(program.c_str());
}

CSystemProgramStarter& SystemStarter()
{
    static CSystemProgramStarter starter;
    return starter;
}

std::atomic<ProgramStarter*> g_starter{nullptr};

} // namespace

ProgramStarter& Starter()
{
    ProgramStarter* starter = g_starter.load();
    return starter ? *starter : SystemStarter();
}

ProgramStarter* SetProgramStarter(ProgramStarter* starter)
{
    return g_starter.exchange(starter);
}

std::wstring MakeFileListTempFile(const std::vector<std::wstring>& paths)
{
    return Starter().MakeFileListTempFile(paths);
}

bool RunProgramWait(const wchar_t* program, const wchar_t* commandLine)
{
    return Starter().RunProgramWait(program, commandLine);
}

CaptureResult RunProgramCapture(const wchar_t* program, const wchar_t* commandLine, HANDLE stopEvent, DWORD graceMs)
{
    return Starter().RunProgramCapture(program, commandLine, stopEvent, graceMs);
}

bool IsLumivoToolsInstalled()
{
    return Starter().IsLumivoToolsInstalled();
}
