#pragma once
// Small numeric, time and module helpers shared by the programs.
#include <windows.h>
#include <cstdint>
#include "ZVUILibDef.h"

// value rounded half up at `digits` decimals; the 1e-7 nudge absorbs the binary error of
// decimal values such as 1.005.
ZVUILIB_API double RoundDecimal(short digits, double value);
// A Windows file time as seconds since 1970-01-01.
ZVUILIB_API int64_t FileTimeToTimeT(const FILETIME& time);
// Adds the milliseconds since the previous call anywhere in the process (none on the first).
ZVUILIB_API void AddElapsedTicks(uint64_t& counter);
// The folder of this library's module with its trailing backslash; buffer of MAX_PATH.
ZVUILIB_API int GetModuleDir(wchar_t* buffer);
// "0x" or "0X" optional, then 1 to 8 hexadecimal digits and nothing else.
ZVUILIB_API bool ParseHexDWord(const wchar_t* text, DWORD* value);
