// Neighbourhood effects in place. The row loops run down a row's bytes with the channels
// interleaved, one tap at a time, so the compiler turns them into vector code; only the few
// pixels within a kernel's reach of a row's ends take the clamped path.
#include "Convolve.h"
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zvimage {

namespace {

// The kernel's rows reach 12 rows each way at most (25 x 25).
constexpr long kMaxHalf = 12;

// Writes the new colours of one row back: all of it without a selection, else the part inside
// the selection's columns mixed by its level (a level of 255 takes the new colour as it is).
void StoreRow(BYTE* row, const BYTE* made, const BYTE* selection, long left, long right)
{
    if (!selection) {
        std::memcpy(row + static_cast<size_t>(left) * 3, made + static_cast<size_t>(left) * 3,
                    static_cast<size_t>(right - left) * 3);
        return;
    }
    for (long x = left; x < right; ++x) {
        const BYTE level = selection[x];
        BYTE* q = row + static_cast<size_t>(x) * 3;
        const BYTE* p = made + static_cast<size_t>(x) * 3;
        if (level == 255) {
            q[0] = p[0];
            q[1] = p[1];
            q[2] = p[2];
        } else if (level) {
            for (int k = 0; k < 3; ++k)
                q[k] = Mix(q[k], p[k], level);
        }
    }
}

template <class Divide>
void ConvolveWith(BYTE* out, const BYTE* const* src, long width, const KernelTap* taps, int count, long offset,
                  int32_t* sums, const Divide& divide)
{
    long reach = 0;
    for (int t = 0; t < count; ++t)
        reach = std::max(reach, static_cast<long>(std::abs(taps[t].dx)));
    // Inside: every tap of every byte lies within the row.
    const long lo = std::min(reach, width), hi = std::max(lo, width - reach);
    const long first = lo * 3, last = hi * 3;
    if (last > first) {
        if (count == 0)
            std::fill(sums + first, sums + last, 0);
        for (int t = 0; t < count; ++t) {
            const BYTE* s = src[taps[t].row];
            const long shift = static_cast<long>(taps[t].dx) * 3;
            const int32_t weight = taps[t].weight;
            if (t == 0)
                for (long b = first; b < last; ++b)
                    sums[b] = weight * s[b + shift];
            else
                for (long b = first; b < last; ++b)
                    sums[b] += weight * s[b + shift];
        }
        for (long b = first; b < last; ++b)
            out[b] = Clamp255(divide(sums[b]) + offset);
    }
    // Near the ends: the taps beyond the row repeat its first or last pixel.
    const auto edge = [&](long x) {
        int32_t sum[3] = {0, 0, 0};
        for (int t = 0; t < count; ++t) {
            const BYTE* p = src[taps[t].row] + static_cast<size_t>(std::clamp(x + taps[t].dx, 0L, width - 1)) * 3;
            for (int k = 0; k < 3; ++k)
                sum[k] += taps[t].weight * p[k];
        }
        for (int k = 0; k < 3; ++k)
            out[x * 3 + k] = Clamp255(divide(sum[k]) + offset);
    };
    for (long x = 0; x < lo; ++x)
        edge(x);
    for (long x = hi; x < width; ++x)
        edge(x);
}

inline int SobelLength(int gx, int gy)
{
    gx = std::abs(gx);
    gy = std::abs(gy);
    return std::max(gx, gy) + std::min(gx, gy) / 2;
}

} // namespace

bool ReplaceRows(CxImage& image, EffectRun& run, long half, RowMaker& maker)
{
    if (half < 0 || half > kMaxHalf)
        return false;
    const long w = image.GetWidth(), h = image.GetHeight();
    const size_t bytes = static_cast<size_t>(w) * 3;
    const bool selected = image.SelectionIsValid();
    RECT box;   // rows from the bottom: bottom inclusive, top exclusive
    SetRect(&box, 0, h, w, 0);
    if (selected)
        image.SelectionGetBox(box);
    const long bottom = std::max(0L, box.bottom), top = std::min(h, box.top);
    const long left = std::max(0L, box.left), right = std::min(w, box.right);
    if (bottom >= top || left >= right)
        return run.Finish();

    // The rows are cut into chunks, a few per thread. A chunk's own rows are read before it
    // overwrites them; the rows within half of its ends belong to its neighbours, which may have
    // overwritten them already, so they are kept aside before any chunk starts.
    const long rows = top - bottom;
    const unsigned threads = run.Threads();
    // A large kernel gets fewer, taller chunks, so that the rows kept aside stay within a
    // quarter of the picture.
    const long chunks = std::max(1L, std::min({rows, threads > 1 ? static_cast<long>(threads) * 8 : 1L,
                                               std::max<long>(threads, rows / std::max(1L, 8 * half))}));
    const auto chunkStart = [&](long c) { return bottom + static_cast<long>(int64_t(rows) * c / chunks); };
    const size_t haloRows = static_cast<size_t>(2 * half);
    std::vector<BYTE> halo(static_cast<size_t>(chunks) * haloRows * bytes);
    const auto haloRow = [&](long c, long k) { return halo.data() + (static_cast<size_t>(c) * haloRows + k) * bytes; };
    const auto sourceRow = [&](long u) { return image.GetBits(static_cast<DWORD>(std::clamp(u, 0L, h - 1))); };
    for (long c = 0; c < chunks; ++c) {
        const long a = chunkStart(c), b = chunkStart(c + 1);
        for (long k = 0; k < half; ++k) {
            std::memcpy(haloRow(c, k), sourceRow(a - half + k), bytes);
            std::memcpy(haloRow(c, half + k), sourceRow(b + k), bytes);
        }
    }
    // Per thread: the source rows of its chunk already overwritten (a ring of half rows), and
    // the row being made.
    std::vector<std::vector<BYTE>> scratch(std::max(1u, threads), std::vector<BYTE>((half + 1) * bytes));
    const bool done = RunBands(
        chunks, threads,
        [&](long firstChunk, long lastChunk, unsigned slot) {
            BYTE* ring = scratch[slot].data();
            BYTE* made = ring + half * bytes;
            const BYTE* src[2 * kMaxHalf + 1];
            for (long c = firstChunk; c < lastChunk; ++c) {
                const long a = chunkStart(c), b = chunkStart(c + 1);
                for (long y = a; y < b; ++y) {
                    for (long j = 0; j <= 2 * half; ++j) {
                        const long u = y + half - j;
                        if (u < a)
                            src[j] = haloRow(c, u - (a - half));
                        else if (u >= b)
                            src[j] = haloRow(c, half + u - b);
                        else if (u < y)
                            src[j] = ring + static_cast<size_t>(u % half) * bytes;
                        else
                            src[j] = image.GetBits(static_cast<DWORD>(u));
                    }
                    maker.Make(made, src, w, slot);
                    BYTE* row = image.GetBits(static_cast<DWORD>(y));
                    if (half)
                        std::memcpy(ring + static_cast<size_t>(y % half) * bytes, row, bytes);
                    StoreRow(row, made, selected ? image.SelectionGetPointer(0, y) : nullptr, left, right);
                }
                run.Advance(b - a);
            }
        },
        [&] { return run.Stopped(); });
    return done && run.Finish();
}

void ConvolveRow(BYTE* out, const BYTE* const* src, long width, const KernelTap* taps, int count, long divisor,
                 long offset, int32_t* scratch)
{
    // The usual divisors get loops without a division in them.
    if (divisor == 1)
        ConvolveWith(out, src, width, taps, count, offset, scratch, [](int32_t v) { return v; });
    else if (divisor == -1)
        ConvolveWith(out, src, width, taps, count, offset, scratch, [](int32_t v) { return -v; });
    else
        ConvolveWith(out, src, width, taps, count, offset, scratch,
                     [d = static_cast<int32_t>(divisor)](int32_t v) { return v / d; });
}

void SobelRow(BYTE* out, const BYTE* const* src, long width, long strength)
{
    const BYTE *up = src[0], *mid = src[1], *down = src[2];
    const int s = static_cast<int>(strength);
    const long last = (width - 1) * 3;
    for (long b = 3; b < last; ++b) {
        const int gx = up[b + 3] + 2 * mid[b + 3] + down[b + 3] - up[b - 3] - 2 * mid[b - 3] - down[b - 3];
        const int gy = up[b - 3] + 2 * up[b] + up[b + 3] - down[b - 3] - 2 * down[b] - down[b + 3];
        out[b] = Clamp255(SobelLength(gx, gy) * s / 8);
    }
    // The first and last pixels repeat themselves beyond the row's ends.
    const auto edge = [&](long x) {
        const size_t l = static_cast<size_t>(std::max(x - 1, 0L)) * 3, c = static_cast<size_t>(x) * 3,
                     r = static_cast<size_t>(std::min(x + 1, width - 1)) * 3;
        for (int k = 0; k < 3; ++k) {
            const int gx = up[r + k] + 2 * mid[r + k] + down[r + k] - up[l + k] - 2 * mid[l + k] - down[l + k];
            const int gy = up[l + k] + 2 * up[c + k] + up[r + k] - down[l + k] - 2 * down[c + k] - down[r + k];
            out[c + k] = Clamp255(SobelLength(gx, gy) * s / 8);
        }
    };
    edge(0);
    if (width > 1)
        edge(width - 1);
}

} // namespace zvimage
