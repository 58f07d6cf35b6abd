#include "TestSupport.h"
#include <cstdio>
#include <algorithm>
#include <atomic>

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

bool RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesW(path.c_str(), found.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW(path.c_str());
            else if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                RemoveDirectoryW(path.c_str()); // a link: what it leads to is not ours
            else
                RemoveTree(path);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
    return GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

TempFolder::TempFolder()
{
    static std::atomic<unsigned> serial{0};
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    // No other live process has this name; one that ended may have left it behind.
    m_root = std::wstring(temp, n) + L"lumivo-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    RemoveTree(m_root);
    CreateDirectoryW(m_root.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    RemoveTree(m_root);
}

std::vector<std::wstring> TempFolder::List(const std::wstring& relative) const
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(((relative.empty() ? m_root : At(relative)) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool TempFolder::Put(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    return CloseHandle(file) && ok;
}

std::string TempFolder::Get(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
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

std::string ChildProcess::ReadOutput(DWORD milliseconds)
{
    std::string text;
    if (!m_output)
        return text;
    // The pipe is looked into rather than read blind, so that a child that neither writes nor
    // ends cannot hold the test past the time.
    char buffer[4096];
    auto readWaiting = [&] {
        DWORD waiting = 0, got = 0;
        if (!PeekNamedPipe(m_output, nullptr, 0, nullptr, &waiting, nullptr))
            return -1; // closed by the child, and emptied
        if (waiting && ReadFile(m_output, buffer, std::min<DWORD>(waiting, sizeof buffer), &got, nullptr))
            text.append(buffer, got);
        return int(got);
    };
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        const int got = readWaiting();
        if (got < 0)
            return text;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            break;
        if (got == 0)
            Sleep(DWORD(std::min<ULONGLONG>(deadline - now, 10)));
    }
    TerminateProcess(m_info.hProcess, kEndedByTest);
    WaitForSingleObject(m_info.hProcess, 5000);
    m_endedByTest = true;
    // What it wrote before it was ended is still in the pipe.
    while (readWaiting() > 0) {
    }
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

std::vector<BYTE> ReadBytes(const std::wstring& path)
{
    std::vector<BYTE> bytes;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        BYTE block[4096];
        size_t n;
        while ((n = fread(block, 1, sizeof block, f)) > 0)
            bytes.insert(bytes.end(), block, block + n);
        fclose(f);
    }
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && written;
}

// An APP1 block whose IFD0 holds the entries, little-endian, values of four bytes or less inline.
bool AddExif(const std::wstring& path, int orientation, const char* dateTime)
{
    std::vector<BYTE> tiff = {'I', 'I', 42, 0, 8, 0, 0, 0};
    const int entries = (orientation ? 1 : 0) + (dateTime ? 1 : 0);
    tiff.push_back(BYTE(entries));
    tiff.push_back(0);
    const size_t textOffset = 8 + 2 + 12 * entries + 4;
    if (orientation)
        tiff.insert(tiff.end(), {0x12, 0x01, 3, 0, 1, 0, 0, 0, BYTE(orientation), 0, 0, 0});
    if (dateTime)
        tiff.insert(tiff.end(), {0x32, 0x01, 2, 0, 20, 0, 0, 0, BYTE(textOffset), 0, 0, 0});
    tiff.insert(tiff.end(), {0, 0, 0, 0});
    if (dateTime) {
        char text[20] = {};   // the text's 19 characters and its ending zero
        snprintf(text, sizeof text, "%s", dateTime);
        tiff.insert(tiff.end(), text, text + sizeof text);
    }
    std::vector<BYTE> app1 = {'E', 'x', 'i', 'f', 0, 0};
    app1.insert(app1.end(), tiff.begin(), tiff.end());
    const size_t length = app1.size() + 2;
    std::vector<BYTE> segment = {0xFF, 0xE1, BYTE(length >> 8), BYTE(length)};
    segment.insert(segment.end(), app1.begin(), app1.end());
    std::vector<BYTE> jpeg = ReadBytes(path);
    if (jpeg.size() <= 2)
        return false;
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return WriteBytes(path, jpeg);
}

} // namespace testsupport
