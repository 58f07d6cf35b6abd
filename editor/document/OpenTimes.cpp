#include "OpenTimes.h"
#include <windows.h>
#include <cstdio>
#include <mutex>

namespace open_times {
namespace {

struct Output {
    std::mutex mutex;
    FILE* file = nullptr;
};

Output& TheOutput()
{
    static Output* output = [] {
        auto* made = new Output;
        wchar_t path[MAX_PATH] = {};
        const DWORD length = ::GetEnvironmentVariableW(L"LUMIVO_OPEN_TIMES", path, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            made->file = _wfopen(path, L"a");
        return made;
    }();
    return *output;
}

} // namespace

bool Enabled()
{
    static const bool enabled = TheOutput().file != nullptr;
    return enabled;
}

double NowMs()
{
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    return static_cast<double>((uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000.0;
}

void Record(const char* step, int picture, double startMs)
{
    Output& output = TheOutput();
    if (!output.file)
        return;
    const double end = NowMs();
    std::lock_guard<std::mutex> lock(output.mutex);
    // Flushed at once: the bench ends the program without letting it close.
    std::fprintf(output.file, "%lu %s %d %.3f %.3f\n", ::GetCurrentThreadId(), step, picture, startMs, end);
    std::fflush(output.file);
}

} // namespace open_times
