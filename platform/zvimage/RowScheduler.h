#pragma once
// Passes over the rows of a picture, spread over the calling thread and a pool of workers that
// lives for the process. The effects and the resampler all go through it, so one thread cap and
// one rule for when threads pay hold for every pass. Internal to the library; exported for its
// tests.
#include <cstdint>
#include "ZVImageDef.h"

namespace zvimage {

// One pass. Run(first, last, slot) handles rows [first, last). Calls come from several threads
// at once, each with a slot of its own below the pass's thread count (0 is the calling thread),
// so scratch made per slot before the pass needs no lock. Run may throw: the pass then fails.
class RowPass {
public:
    virtual void Run(long first, long last, unsigned slot) = 0;
    // Asked before each band; true skips the bands not yet started.
    virtual bool Stopped() const noexcept { return false; }

protected:
    ~RowPass() = default;
};

// The threads (the caller included) for a pass that touches work pixels: 1 while waking the
// workers would cost more than they save, else the machine's cores up to a cap.
ZVIMAGE_API unsigned PassThreads(uint64_t work);

// Runs pass over rows [0, rows) in bands of at least minBand rows, on at most threads threads.
// True when every band ran; false once the pass is stopped or a band threw. Nothing escapes:
// the remaining bands are skipped and the call returns when no thread is inside the pass.
ZVIMAGE_API bool RunRows(RowPass& pass, long rows, unsigned threads, long minBand = 1);

// RunRows over a callable body(first, last, slot), stopped by stopped().
template <class Body, class Stop>
bool RunBands(long rows, unsigned threads, const Body& body, const Stop& stopped, long minBand = 1)
{
    struct Pass final : RowPass {
        const Body& body;
        const Stop& stopped;
        Pass(const Body& b, const Stop& s) : body(b), stopped(s) {}
        void Run(long first, long last, unsigned slot) override { body(first, last, slot); }
        bool Stopped() const noexcept override { return stopped(); }
    } pass(body, stopped);
    return RunRows(pass, rows, threads, minBand);
}

template <class Body>
bool RunBands(long rows, unsigned threads, const Body& body)
{
    return RunBands(rows, threads, body, [] { return false; });
}

// Starts the workers in the background when a pass of work pixels would use them, so that the
// first such pass finds them awake. Never waits.
void PrepareRows(uint64_t work);

} // namespace zvimage
