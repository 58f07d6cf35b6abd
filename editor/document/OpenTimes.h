#pragma once
// Step times of opening pictures, for bench/editor/open-many: with the environment variable
// LUMIVO_OPEN_TIMES naming a file, every timed step appends a line to it:
//   <thread id> <step> <picture or -1> <start ms> <end ms>
// in milliseconds of the system clock (FILETIME / 10000), so that a probe started earlier can
// place them on its own time line. Without the variable nothing is timed or written.
#include <cstdint>

namespace open_times {

// Whether the steps are written; read once.
bool Enabled();
// Milliseconds of the system clock, as the lines give them.
double NowMs();
// Writes a step that ran from `startMs` until now.
void Record(const char* step, int picture, double startMs);

// Times a step from construction to destruction.
class Scope {
public:
    explicit Scope(const char* step, int picture = -1) : m_step(step), m_picture(picture), m_start(Enabled() ? NowMs() : 0) {}
    ~Scope()
    {
        if (Enabled())
            Record(m_step, m_picture, m_start);
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    const char* m_step;
    int m_picture;
    double m_start;
};

} // namespace open_times
