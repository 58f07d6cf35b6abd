// A child program for the program-start tests. It writes its command line, exactly as it
// received it, to standard output in UTF-8 (and to the file named by LUMIVO_ECHO_FILE, when
// set, for starts whose output nobody reads), and then:
//   " hang ..."    waits without end;
//   " exit N ..."  ends with exit code N;
//   " flood N ..." first writes N more bytes;
// anything else ends with 0.
#include <windows.h>
#include <cwchar>
#include <cstdlib>
#include <string>

int wmain()
{
    const wchar_t* line = GetCommandLineW();
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    std::string text(size_t(bytes > 0 ? bytes - 1 : 0), '\0');
    if (!text.empty())
        WideCharToMultiByte(CP_UTF8, 0, line, -1, &text[0], bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
    wchar_t echoFile[MAX_PATH];
    const DWORD named = GetEnvironmentVariableW(L"LUMIVO_ECHO_FILE", echoFile, MAX_PATH);
    if (named > 0 && named < MAX_PATH) {
        HANDLE file = CreateFileW(echoFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
            CloseHandle(file);
        }
    }
    if (wcsncmp(line, L" hang", 5) == 0)
        Sleep(INFINITE);
    if (wcsncmp(line, L" exit ", 6) == 0)
        return _wtoi(line + 6);
    if (wcsncmp(line, L" flood ", 7) == 0) {
        const std::string block(4096, 'f');
        for (long left = _wtol(line + 7); left > 0; left -= long(block.size()))
            WriteFile(out, block.data(), DWORD(left < long(block.size()) ? left : long(block.size())), &written, nullptr);
    }
    return 0;
}
