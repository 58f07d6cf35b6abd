// Starts the editor on a list of pictures and reports when the last picture window shows:
//   open_many_probe EDITOR LIST COUNT
// Prints "ms N peak_ws_mb M start_ms S" (time from the start of the editor until COUNT picture
// windows are shown and the last was filled, the editor's peak working set, and when the editor
// was started in milliseconds of the system clock, as the editor's step times give them), then
// closes the editor. With COUNT 0 it times the editor's start alone, until its frame is idle.
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD pid;
    HWND editor;
};

BOOL CALLBACK FindEditor(HWND hwnd, LPARAM lp)
{
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && FindWindowExW(hwnd, nullptr, L"MDIClient", nullptr)) {
        s->editor = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Picture windows that carry their file's name, once the one in front shows: a window is named
// before its picture loads, hidden, and shown once the picture is in (those behind it are hidden
// while the one in front is maximised).
int ShownPictures(HWND editor)
{
    HWND client = FindWindowExW(editor, nullptr, L"MDIClient", nullptr);
    HWND front = client ? GetWindow(client, GW_CHILD) : nullptr;
    if (!front || !IsWindowVisible(front))
        return 0;
    int count = 0;
    for (HWND child = client ? GetWindow(client, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t title[256] = {};
        GetWindowTextW(child, title, 256);
        if ((GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_MDICHILD) && wcsstr(title, L".jpg"))
            ++count;
    }
    return count;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4)
        return 2;
    const int wanted = _wtoi(argv[3]);
    std::wstring line = L"\"" + std::wstring(argv[1]) + L"\" -editor -il \"" + argv[2] + L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    LARGE_INTEGER frequency, start, now;
    FILETIME started;
    QueryPerformanceFrequency(&frequency);
    GetSystemTimePreciseAsFileTime(&started);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 3;
    Search search{pi.dwProcessId, nullptr};
    double ms = -1;
    for (int i = 0; i < 12000; ++i) {
        search.editor = nullptr;
        EnumWindows(FindEditor, reinterpret_cast<LPARAM>(&search));
        // The last window shows once its picture is in; it counts once the editor is idle again.
        if (search.editor && ShownPictures(search.editor) >= wanted &&
            WaitForInputIdle(pi.hProcess, 0) == 0) {
            QueryPerformanceCounter(&now);
            ms = (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
            break;
        }
        Sleep(5);
    }
    PROCESS_MEMORY_COUNTERS counters = {sizeof counters};
    GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters);
    const double startMs = static_cast<double>((ULONGLONG(started.dwHighDateTime) << 32) | started.dwLowDateTime) / 10000.0;
    std::printf("ms %.0f peak_ws_mb %.1f start_ms %.3f\n", ms, counters.PeakWorkingSetSize / (1024.0 * 1024.0), startMs);
    std::fflush(stdout);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms < 0 ? 1 : 0;
}
