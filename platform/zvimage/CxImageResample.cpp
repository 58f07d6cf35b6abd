// CxImage: resampling to a new size. Two separable passes with fixed-point weights, bands of
// output rows on the row scheduler, each streaming through a few filtered source rows;
// alpha is resampled premultiplied so that transparent pixels lend no colour to their
// neighbours.
#include "CxImage.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <atomic>
#include <new>
#include <type_traits>
#include "ImageLimits.h"
#include "RowScheduler.h"

using namespace zvimage;

namespace {

enum class Filter { Nearest, Box, Triangle, CatmullRom };

constexpr int kWeightBits = 14;
constexpr int kOne = 1 << kWeightBits;

// For every output pixel: the first source pixel, the count and the weights (summing to kOne).
struct Taps {
    std::vector<int> start;
    std::vector<int> count;
    std::vector<int> weights;   // count.size() x width, unused entries 0
    int width = 0;
};

double Kernel(Filter filter, double t)
{
    t = std::fabs(t);
    switch (filter) {
    case Filter::Triangle:
        return t < 1.0 ? 1.0 - t : 0.0;
    case Filter::CatmullRom:
        if (t < 1.0)
            return 1.5 * t * t * t - 2.5 * t * t + 1.0;
        if (t < 2.0)
            return -0.5 * t * t * t + 2.5 * t * t - 4.0 * t + 2.0;
        return 0.0;
    default:
        return 0.0;
    }
}

Taps MakeTaps(long src, long dst, Filter filter)
{
    Taps taps;
    const double scale = static_cast<double>(src) / dst;
    // Shrinking widens the kernel so that every source pixel contributes.
    const double stretch = std::max(1.0, scale);
    const double support = (filter == Filter::CatmullRom ? 2.0 : 1.0) * stretch;
    taps.width = filter == Filter::Box ? static_cast<int>(std::ceil(scale)) + 2 : static_cast<int>(std::ceil(support)) * 2 + 2;
    taps.start.resize(dst);
    taps.count.resize(dst);
    taps.weights.assign(static_cast<size_t>(dst) * taps.width, 0);
    std::vector<double> w(taps.width);
    for (long i = 0; i < dst; ++i) {
        long first, last;
        if (filter == Filter::Box) {
            const double a = i * scale, b = (i + 1) * scale;
            first = static_cast<long>(std::floor(a));
            last = std::min<long>(src - 1, static_cast<long>(std::ceil(b)) - 1);
            for (long j = first; j <= last; ++j)
                w[j - first] = std::max(0.0, std::min<double>(b, j + 1) - std::max<double>(a, j));
        } else {
            const double centre = (i + 0.5) * scale - 0.5;
            first = static_cast<long>(std::floor(centre - support)) + 1;
            last = static_cast<long>(std::ceil(centre + support)) - 1;
            if (last < first)
                last = first;
            for (long j = first; j <= last; ++j)
                w[j - first] = Kernel(filter, (j - centre) / stretch);
        }
        // Taps beyond the edges fold onto the edge pixels.
        const long n = last - first + 1;
        const long lo = std::max(0L, first), hi = std::min(src - 1, last);
        std::vector<double> folded(hi - lo + 1, 0.0);
        double sum = 0;
        for (long k = 0; k < n; ++k) {
            const long j = std::clamp(first + k, lo, hi);
            folded[j - lo] += w[k];
            sum += w[k];
        }
        if (sum == 0) {
            folded.assign(folded.size(), 0.0);
            folded[std::clamp<long>(std::lround((i + 0.5) * scale - 0.5), lo, hi) - lo] = 1.0;
            sum = 1.0;
        }
        int* out = &taps.weights[static_cast<size_t>(i) * taps.width];
        int total = 0, biggest = 0;
        for (size_t k = 0; k < folded.size(); ++k) {
            out[k] = static_cast<int>(std::lround(folded[k] / sum * kOne));
            total += out[k];
            if (out[k] > out[biggest])
                biggest = static_cast<int>(k);
        }
        out[biggest] += kOne - total;
        taps.start[i] = lo;
        taps.count[i] = static_cast<int>(folded.size());
    }
    return taps;
}

inline BYTE Clamp8(int v)
{
    return static_cast<BYTE>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

} // namespace

// src must be 24-bit. Fills made (24-bit, alpha when src has it) with the resampled picture.
static bool ResampleInto(const CxImage& src, CxImage& made, long w, long h, Filter filter, const std::atomic<long>* escape)
{
    const long sw = src.GetWidth(), sh = src.GetHeight();
    const bool alpha = src.AlphaIsValid();
    if (!made.Create(w, h, 24, src.GetType()) || (alpha && !made.AlphaCreate()))
        return false;
    if (filter == Filter::Nearest) {
        std::vector<long> xs(w);
        for (long x = 0; x < w; ++x)
            xs[x] = std::min(sw - 1, static_cast<long>((x + 0.5) * sw / w));
        for (long y = 0; y < h; ++y) {
            const long sy = std::min(sh - 1, static_cast<long>((y + 0.5) * sh / h));
            const BYTE* s = src.GetBits(sy);
            BYTE* d = made.GetBits(y);
            const BYTE* sa = src.AlphaGetPointer(0, sy);
            BYTE* da = made.AlphaGetPointer(0, y);
            for (long x = 0; x < w; ++x) {
                std::memcpy(d + x * 3, s + xs[x] * 3, 3);
                if (alpha)
                    da[x] = sa[xs[x]];
            }
        }
        return true;
    }
    const Taps hx = MakeTaps(sw, w, filter), vy = MakeTaps(sh, h, filter);
    // The channel count is a constant of each instance so that the inner loops unroll.
    auto run = [&](auto channels) -> bool {
        constexpr int ch = decltype(channels)::value;
        const size_t rowBytes = static_cast<size_t>(w) * ch;
        // Each thread keeps a ring of the horizontally filtered source rows that its vertical
        // taps need, never a whole intermediate picture. A band starts with a ring to fill, so
        // a band spans at least eight rings' worth of source rows.
        const unsigned threads = PassThreads(static_cast<uint64_t>(sh) * w + static_cast<uint64_t>(h) * w);
        const long minBand = static_cast<long>(std::min<uint64_t>(h, 8ULL * vy.width * h / sh + 1));
        struct Scratch {
            std::vector<BYTE> ring;
            std::vector<long> held;
            std::vector<BYTE> pre;
            std::vector<int> acc;
        };
        std::vector<Scratch> scratch(threads);
        for (Scratch& s : scratch) {
            s.ring.resize(static_cast<size_t>(vy.width) * rowBytes);
            s.held.assign(vy.width, -1);
            s.pre.resize(ch == 4 ? static_cast<size_t>(sw) * 4 : 0);
            s.acc.resize(rowBytes);
        }
        auto body = [&](long first, long last, unsigned slot) {
            Scratch& s = scratch[slot];
            auto filtered = [&](long sy) -> const BYTE* {
                BYTE* d = &s.ring[static_cast<size_t>(sy % vy.width) * rowBytes];
                if (s.held[sy % vy.width] == sy)
                    return d;
                s.held[sy % vy.width] = sy;
                const BYTE* row = src.GetBits(sy);
                if (ch == 4) {
                    const BYTE* a = src.AlphaGetPointer(0, sy);
                    BYTE* pre = s.pre.data();
                    for (long x = 0; x < sw; ++x) {
                        const unsigned av = a[x];
                        pre[x * 4] = static_cast<BYTE>((row[x * 3] * av + 127) / 255);
                        pre[x * 4 + 1] = static_cast<BYTE>((row[x * 3 + 1] * av + 127) / 255);
                        pre[x * 4 + 2] = static_cast<BYTE>((row[x * 3 + 2] * av + 127) / 255);
                        pre[x * 4 + 3] = static_cast<BYTE>(av);
                    }
                    row = pre;
                }
                for (long x = 0; x < w; ++x) {
                    const int* wt = &hx.weights[static_cast<size_t>(x) * hx.width];
                    const BYTE* p = row + static_cast<size_t>(hx.start[x]) * ch;
                    int sum[ch];
                    for (int c = 0; c < ch; ++c)
                        sum[c] = kOne / 2;
                    for (int k = 0; k < hx.count[x]; ++k, p += ch)
                        for (int c = 0; c < ch; ++c)
                            sum[c] += wt[k] * p[c];
                    for (int c = 0; c < ch; ++c)
                        d[x * ch + c] = Clamp8(sum[c] >> kWeightBits);
                }
                return d;
            };
            for (long y = first; y < last; ++y) {
                std::fill(s.acc.begin(), s.acc.end(), kOne / 2);
                const int* wt = &vy.weights[static_cast<size_t>(y) * vy.width];
                for (int k = 0; k < vy.count[y]; ++k) {
                    const BYTE* row = filtered(vy.start[y] + k);
                    const int weight = wt[k];
                    int* a = s.acc.data();
                    for (size_t i = 0; i < rowBytes; ++i)
                        a[i] += weight * row[i];
                }
                BYTE* d = made.GetBits(y);
                BYTE* da = made.AlphaGetPointer(0, y);
                for (long x = 0; x < w; ++x) {
                    const int* a = &s.acc[static_cast<size_t>(x) * ch];
                    if (ch == 3) {
                        d[x * 3] = Clamp8(a[0] >> kWeightBits);
                        d[x * 3 + 1] = Clamp8(a[1] >> kWeightBits);
                        d[x * 3 + 2] = Clamp8(a[2] >> kWeightBits);
                        continue;
                    }
                    const int av = Clamp8(a[3] >> kWeightBits);
                    da[x] = static_cast<BYTE>(av);
                    for (int c = 0; c < 3; ++c)
                        d[x * 3 + c] = av ? Clamp8(((a[c] >> kWeightBits) * 255 + av / 2) / av) : 0;
                }
            }
        };
        return RunBands(h, threads, body, [&] { return escape && escape->load(); }, minBand);
    };
    return alpha ? run(std::integral_constant<int, 4>()) : run(std::integral_constant<int, 3>());
}

bool CxImage::ResampledInto(long width, long height, int filter, CxImage& made) const
{
    if (!IsValid() || width <= 0 || height <= 0 || !SizeAllowed(width, height))
        return false;
    CxImage work;
    const CxImage* src = this;
    if (m_bpp != 24) {
        if (!work.Copy(*this, true, false, true) || !work.IncreaseBpp(24))
            return false;
        src = &work;
    }
    m_progress = 0;
    try {
        if (!ResampleInto(*src, made, width, height, static_cast<::Filter>(filter), &m_escape))
            return false;
    } catch (const std::bad_alloc&) {
        // The tap tables and the threads' rings: the picture stays as it was.
        return false;
    }
    m_progress = 100;
    made.m_info.transIndex = m_bpp == 24 ? m_info.transIndex : (m_info.transIndex >= 0 ? 0 : -1);
    made.m_info.transColor = GetTransColor();
    return true;
}

bool CxImage::ResampleWith(long width, long height, int filter, CxImage* dst)
{
    CxImage made;
    return ResampledInto(width, height, filter, made) && Deliver(made, dst);
}

bool CxImage::Resample(long width, long height, int mode, CxImage* dst)
{
    const ::Filter filter = mode == 0 ? ::Filter::Nearest : (mode == 2 ? ::Filter::CatmullRom : ::Filter::Triangle);
    return ResampleWith(width, height, static_cast<int>(filter), dst);
}

bool CxImage::QIShrink(long width, long height, CxImage* dst)
{
    // An exact area average when shrinking; a larger size falls back to the smooth filter.
    const bool shrink = width <= static_cast<long>(m_width) && height <= static_cast<long>(m_height);
    return ResampleWith(width, height, static_cast<int>(shrink ? ::Filter::Box : ::Filter::Triangle), dst);
}
