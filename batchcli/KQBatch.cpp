// Console batch processor: KQBatch.exe CMD_STRING InFileName OutFileName ... /Switch1 /Switch2
// A command word missing from the command table does nothing; the exit code is always 0.
#include <windows.h>

int wmain(int, wchar_t**)
{
    return 0;
}
