#include "BaseUtil.h"
#include <atomic>
#include <cmath>

double RoundDecimal(short digits, double value)
{
    const double scale = std::pow(10.0, digits);
    const double nudge = value >= 0 ? 1e-7 : -1e-7;
    return std::floor((value + 5.0 / (scale * 10.0)) * scale + nudge) / scale;
}

int64_t FileTimeToTimeT(const FILETIME& time)
{
    const int64_t ticks = int64_t((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (ticks - 116444736000000000LL) / 10000000;
}

// The previous tick count is shared by every caller. The first call only starts the clock:
// counting from 0 would add the whole time since Windows started.
void AddElapsedTicks(uint64_t& counter)
{
    static std::atomic<bool> started{false};
    static std::atomic<DWORD> previous{0};
    const DWORD now = GetTickCount();
    const DWORD before = previous.exchange(now);
    if (started.exchange(true))
        counter += DWORD(now - before); // unsigned: one wrap of the tick count is fine
}

int GetModuleDir(wchar_t* buffer)
{
    if (!buffer)
        return 0;
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&GetModuleDir), &module);
    const DWORD n = GetModuleFileNameW(module, buffer, MAX_PATH);
    // A name cut at MAX_PATH is not this module's folder: give nothing rather than a wrong one.
    if (n == 0 || n >= MAX_PATH) {
        buffer[0] = 0;
        return 0;
    }
    if (buffer[0] >= L'a' && buffer[0] <= L'z' && buffer[1] == L':')
        buffer[0] = wchar_t(buffer[0] - L'a' + L'A');
    int cut = int(n);
    for (int i = int(n) - 1; i >= 0; --i) {
        if (buffer[i] == L'\\') {
            cut = i + 1;
            break;
        }
    }
    buffer[cut] = 0;
    return cut;
}

bool ParseHexDWord(const wchar_t* text, DWORD* value)
{
    if (!text)
        return false;
    if (text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
        text += 2;
    DWORD result = 0;
    int digits = 0;
    for (; *text; ++text, ++digits) {
        int digit;
        if (*text >= L'0' && *text <= L'9')
            digit = *text - L'0';
        else if (*text >= L'a' && *text <= L'f')
            digit = *text - L'a' + 10;
        else if (*text >= L'A' && *text <= L'F')
            digit = *text - L'A' + 10;
        else
            return false;
        if (digits == 8)
            return false;
        result = (result << 4) | DWORD(digit);
    }
    if (digits == 0)
        return false;
    if (value)
        *value = result;
    return true;
}
