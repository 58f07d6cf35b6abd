// The benches' clock and message pump.
#pragma once
#include <windows.h>

namespace benchclock {

inline double Seconds()
{
    LARGE_INTEGER count, frequency;
    ::QueryPerformanceCounter(&count);
    ::QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

inline double Milliseconds() { return Seconds() * 1000.0; }

// Serves every message waiting in the thread's queue.
inline void PumpAll()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace benchclock
