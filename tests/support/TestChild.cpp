// A child program for the tests of ChildProcess and of the programs that start and wait for others:
//   TestChild write N   writes N bytes of the letter pattern and ends with exit code 3;
//   TestChild flood     writes the pattern without end;
//   TestChild hang      writes "waiting\n", then neither writes nor ends;
//   TestChild cwd FILE  waits a moment, then writes its working folder to FILE (UTF-16, no
//                       mark) and ends with exit code 4: a caller that waits finds the file.
#include <windows.h>
#include <cwchar>
#include <cstdlib>

namespace {

void WritePattern(HANDLE out, long long count)
{
    char block[4096];
    for (long long done = 0; count < 0 || done < count;) {
        DWORD n = sizeof block;
        if (count >= 0 && count - done < n)
            n = DWORD(count - done);
        for (DWORD i = 0; i < n; ++i)
            block[i] = char('a' + (done + i) % 26);
        DWORD written = 0;
        if (!WriteFile(out, block, n, &written, nullptr) || written == 0)
            return;
        done += written;
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (argc == 3 && wcscmp(argv[1], L"write") == 0) {
        WritePattern(out, _wtoi64(argv[2]));
        return 3;
    }
    if (argc == 2 && wcscmp(argv[1], L"flood") == 0) {
        WritePattern(out, -1);
        return 0;
    }
    if (argc == 2 && wcscmp(argv[1], L"hang") == 0) {
        DWORD written = 0;
        WriteFile(out, "waiting\n", 8, &written, nullptr);
        Sleep(INFINITE);
    }
    if (argc == 3 && wcscmp(argv[1], L"cwd") == 0) {
        Sleep(300);
        wchar_t folder[MAX_PATH] = {};
        const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
        HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 2;
        DWORD written = 0;
        WriteFile(file, folder, length * sizeof(wchar_t), &written, nullptr);
        CloseHandle(file);
        return 4;
    }
    return 2;
}
