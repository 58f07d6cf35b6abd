#pragma once
// What the pixel effects share: the stop flag and progress of a run, rows split over the
// machine's cores, a packed working copy of the planes (written back through the selection),
// sampling, running-sum blurs and a repeatable noise source. Internal to the library.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>
#include "CxImage.h"
#include "RowScheduler.h"

namespace zvimage {

constexpr double kPi = 3.14159265358979323846;

// One effect's run over a number of work units (usually rows, times the passes).
class EffectRun {
public:
    EffectRun(const std::atomic<long>& escape, std::atomic<long>& progress, long long units, long long pixels);
    bool Stopped() const { return m_escape.load(std::memory_order_relaxed) != 0; }
    void Advance(long units);
    // 100 and true, or false when the run was stopped.
    bool Finish();
    // The threads of a pass over the picture: scratch made per slot is made this many times.
    unsigned Threads() const { return m_threads; }

private:
    const std::atomic<long>& m_escape;
    std::atomic<long>& m_progress;
    std::atomic<long long> m_done{0};
    long long m_units;
    unsigned m_threads;
};

// body(first, last, slot) for bands of rows on the row scheduler, each band counted as done;
// false once stopped, or when a band failed (threw).
template <class Body>
bool ParallelBands(EffectRun& run, long rows, const Body& body)
{
    return RunBands(
        rows, run.Threads(),
        [&](long first, long last, unsigned slot) {
            body(first, last, slot);
            run.Advance(last - first);
        },
        [&] { return run.Stopped(); });
}

// body(y) for every row.
template <class Body>
bool ParallelRows(EffectRun& run, long rows, const Body& body)
{
    return ParallelBands(run, rows, [&](long first, long last, unsigned) {
        for (long y = first; y < last; ++y)
            body(y);
    });
}

// Leaves the bytes of a new plane unset. Every plane is written whole before it is read, and
// setting it first would touch all its fresh pages from one thread before the threads of the
// pass write it again.
template <class T>
struct UnsetAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnsetAllocator<U>;
    };
    UnsetAllocator() = default;
    template <class U>
    UnsetAllocator(const UnsetAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// Pixels packed without row padding: blue, green, red and, with 4 channels, alpha. Row 0 is
// the bottom row, as in the picture. A new plane's bytes are unset.
struct Planes {
    long width = 0, height = 0;
    int channels = 3;
    std::vector<BYTE, UnsetAllocator<BYTE>> data;

    Planes() = default;
    Planes(long w, long h, int c) : width(w), height(h), channels(c), data(static_cast<size_t>(w) * h * c) {}
    BYTE* Row(long y) { return data.data() + static_cast<size_t>(y) * width * channels; }
    const BYTE* Row(long y) const { return data.data() + static_cast<size_t>(y) * width * channels; }
    const BYTE* At(long x, long y) const
    {
        x = std::clamp(x, 0L, width - 1);
        y = std::clamp(y, 0L, height - 1);
        return Row(y) + static_cast<size_t>(x) * channels;
    }
};

inline long long PixelsOf(const CxImage& image)
{
    return static_cast<long long>(image.GetWidth()) * image.GetHeight();
}

// The colours and, when the picture has one, the alpha plane. A stoppable read ends early once
// the picture's escape flag is set, leaving the planes part unset: its caller returns when the
// flag is set after it, before any use of them.
Planes ReadPlanes(const CxImage& image, bool stoppable = false);
// Writes made back; inside a selection only, mixed by the selection's level, unless
// throughSelection is false.
void StorePlanes(CxImage& image, const Planes& made, bool throughSelection = true);
// The selection level of (x, y), 255 without a selection.
inline BYTE SelectionLevel(const BYTE* selectionRow, long x) { return selectionRow ? selectionRow[x] : 255; }

inline BYTE Clamp255(long v) { return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v); }
inline BYTE Mix(BYTE from, BYTE to, unsigned level) { return static_cast<BYTE>((from * (255 - level) + to * level + 127) / 255); }
// Rec. 601 weights in 1/256 that sum to 256, so grey stays grey and white stays 255.
inline BYTE Luma(const BYTE* bgr) { return static_cast<BYTE>((bgr[0] * 29 + bgr[1] * 150 + bgr[2] * 77 + 128) >> 8); }

// True when every pixel of the selection row is fully selected.
inline bool WhollySelected(const BYTE* selectionRow, long width)
{
    BYTE all = 255;
    for (long x = 0; x < width; ++x)
        all &= selectionRow[x];
    return all == 255;
}

// A pointwise change in place, row by row. row(bits, y) changes a whole row; pixel(bgr, x, y)
// makes the same change to one pixel's blue, green, red, for rows the selection covers only in
// part, where the result is mixed by the selection's level. Rows outside the selection are not
// touched, and a wholly selected row (every row without a selection) goes to row(), which gives
// bit for bit what the mix by 255 would. The alpha plane is left alone.
template <class Row, class Pixel>
bool MapRows(CxImage& image, EffectRun& run, const Row& row, const Pixel& pixel)
{
    const long w = image.GetWidth();
    const bool selected = image.SelectionIsValid();
    RECT box;   // rows from the bottom: bottom inclusive, top exclusive
    SetRect(&box, 0, image.GetHeight(), w, 0);
    if (selected)
        image.SelectionGetBox(box);
    if (!ParallelRows(run, image.GetHeight(), [&](long y) {
            if (y < box.bottom || y >= box.top)
                return;
            BYTE* bits = image.GetBits(y);
            const BYTE* sel = selected ? image.SelectionGetPointer(0, y) : nullptr;
            if (!sel || WhollySelected(sel, w)) {
                row(bits, y);
                return;
            }
            for (long x = std::max(0L, box.left); x < std::min(w, box.right); ++x) {
                const BYTE level = sel[x];
                if (!level)
                    continue;
                BYTE* p = bits + static_cast<size_t>(x) * 3;
                const BYTE before[3] = {p[0], p[1], p[2]};
                pixel(p, x, y);
                if (level != 255)
                    for (int k = 0; k < 3; ++k)
                        p[k] = Mix(before[k], p[k], level);
            }
        }))
        return false;
    return run.Finish();
}

// A pointwise change in place: fn(bgr, x, y) rewrites one pixel's blue, green, red; inside a
// selection only, mixed by its level. The alpha plane is left alone.
template <class Fn>
bool MapPixels(CxImage& image, EffectRun& run, const Fn& fn)
{
    const long w = image.GetWidth();
    return MapRows(
        image, run,
        [&](BYTE* p, long y) {
            for (long x = 0; x < w; ++x, p += 3)
                fn(p, x, y);
        },
        fn);
}

// Three tables, one per channel (blue, green, red), applied as a pointwise change.
bool ApplyTables(CxImage& image, EffectRun& run, const BYTE* blue, const BYTE* green, const BYTE* red);

// Bilinear sample at (x, y) with the edges repeated; writes the planes' channels to out.
void SampleBilinear(const Planes& src, double x, double y, BYTE* out);

// Box blur with running sums, horizontal and vertical, in place; radius 0 leaves the planes
// alone. Its scratch is a few rows per thread.
bool BoxBlur(Planes& planes, long radiusX, long radiusY, EffectRun& run);
// Three box passes that approximate a Gaussian of the given standard deviation.
bool GaussianPlanes(Planes& planes, double sigma, EffectRun& run);
// Work units (rows) that GaussianPlanes reports, for sizing a run.
long long GaussianUnits(const Planes& planes);

// A small fast generator, seeded per row so results do not depend on the thread count.
struct Noise32 {
    uint32_t state;
    explicit Noise32(uint32_t seed) : state(seed * 2654435761u + 0x9E3779B9u) { Next(); }
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // Uniform in [-range, range].
    long Signed(long range) { return range <= 0 ? 0 : static_cast<long>(Next() % (2 * range + 1)) - range; }
};

// The centre an effect uses: the given point, or with (0, 0) (or a point that is not a number)
// the middle of the selection's box (of the whole picture without one). The radius is half the smaller side of that box.
struct EffectArea {
    double cx, cy, radius;
    RECT box;   // left, bottom inclusive; right, top exclusive
};
EffectArea AreaOf(const CxImage& image, double cx, double cy);

// A distortion: out(x, y) = the source sampled at map(x, y), then shade(pixel, x, y) may
// change it. Rows with y from the bottom.
template <class Map, class Shade>
bool Distort(CxImage& image, EffectRun& run, const Map& map, const Shade& shade)
{
    // Stoppable: a restarted preview does not wait for a whole copy of a large picture.
    const Planes src = ReadPlanes(image, true);
    if (run.Stopped())
        return false;
    Planes made(src.width, src.height, src.channels);
    if (!ParallelRows(run, src.height, [&](long y) {
            BYTE* d = made.Row(y);
            for (long x = 0; x < src.width; ++x, d += src.channels) {
                double sx = x, sy = y;
                map(x, y, sx, sy);
                SampleBilinear(src, sx, sy, d);
                shade(d, x, y);
            }
        }))
        return false;
    StorePlanes(image, made);
    return run.Finish();
}

template <class Map>
bool Distort(CxImage& image, EffectRun& run, const Map& map)
{
    return Distort(image, run, map, [](BYTE*, long, long) {});
}

} // namespace zvimage
