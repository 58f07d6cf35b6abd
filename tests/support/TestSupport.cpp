#include "TestSupport.h"

namespace testsupport {

std::wstring BinDir()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    dir.resize(dir.find_last_of(L'\\'));            // build\tests
    dir.resize(dir.find_last_of(L'\\'));            // build
    return dir + L"\\bin";
}

ChildProcess::~ChildProcess()
{
    if (m_output)
        CloseHandle(m_output);
    if (!m_info.hProcess)
        return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(m_info.hProcess, 255);
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool ChildProcess::Start(const std::wstring& program, const std::wstring& arguments, bool captureOutput)
{
    std::wstring command = L"\"" + program + L"\"";
    if (!arguments.empty())
        command += L" " + arguments;
    return StartCommandLine(program, command, captureOutput);
}

bool ChildProcess::StartCommandLine(const std::wstring& program, const std::wstring& commandLine, bool captureOutput)
{
    std::wstring command = commandLine;
    STARTUPINFOW si = { sizeof si };
    HANDLE childEnd = nullptr;
    if (captureOutput) {
        SECURITY_ATTRIBUTES sa = { sizeof sa, nullptr, TRUE };
        if (!CreatePipe(&m_output, &childEnd, &sa, 0))
            return false;
        SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = childEnd;
        si.hStdError = childEnd;
    }
    const bool started = CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, captureOutput ? TRUE : FALSE, 0,
                                        nullptr, nullptr, &si, &m_info) != 0;
    if (childEnd)
        CloseHandle(childEnd); // the child holds its own copy; ours would keep the pipe open
    return started;
}

std::string ChildProcess::ReadOutput()
{
    std::string text;
    if (!m_output)
        return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(m_output, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

long ChildProcess::WaitForExit(DWORD milliseconds)
{
    if (WaitForSingleObject(m_info.hProcess, milliseconds) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return static_cast<long>(code);
}

namespace {
struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[256];
    if (pid == search->processId && IsWindowVisible(hwnd) && GetClassNameW(hwnd, name, 256) &&
        lstrcmpW(name, search->className) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND ChildProcess::WaitForWindow(const wchar_t* className, DWORD milliseconds) const
{
    const DWORD start = GetTickCount();
    do {
        WindowSearch search = { m_info.dwProcessId, className, nullptr };
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    } while (GetTickCount() - start < milliseconds);
    return nullptr;
}

} // namespace testsupport
