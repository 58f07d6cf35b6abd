// CZVImage: effects that move pixels (lenses, swirls, waves, tiles, scatter, blocks) and the
// mirrored reflection below a picture.
#include "ZVImage.h"
#include <cmath>
#include "EffectSupport.h"

using namespace zvimage;

namespace {

double SmallerSide(const CxImage& image)
{
    return std::max(1.0, static_cast<double>(std::min(image.GetWidth(), image.GetHeight())));
}

} // namespace

bool CZVImage::EffectBulge(long level, double cx, double cy)
{
    return Effect(2, [&] {
        level = std::clamp(level, -200L, 100L);
        const EffectArea area = AreaOf(*this, cx, cy);
        // Within the radius a pixel at distance r shows the source at r (1 - s (1 - r / R)^2):
        // the middle is magnified 1 / (1 - s) times (twice at level 100, half at -200), the
        // mapping stays monotonic and the rim stays put.
        const double strength = level / 200.0;
        const double R = area.radius;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return Distort(*this, run, [&](long x, long y, double& sx, double& sy) {
            const double dx = x - area.cx, dy = y - area.cy, r = std::hypot(dx, dy);
            if (r >= R)
                return;
            const double t = 1.0 - r / R, f = 1.0 - strength * t * t;
            sx = area.cx + dx * f;
            sy = area.cy + dy * f;
        });
    });
}

bool CZVImage::EffectTwist(long twist, long size, double cx, double cy)
{
    return Effect(2, [&] {
        const EffectArea area = AreaOf(*this, cx, cy);
        const double turn = std::clamp(twist, -45L, 45L) / 45.0 * 2 * kPi;
        const double R = std::max(1.0, area.radius * std::clamp(size, 1L, 200L) / 100.0);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return Distort(*this, run, [&](long x, long y, double& sx, double& sy) {
            const double dx = x - area.cx, dy = y - area.cy, r = std::hypot(dx, dy);
            if (r >= R)
                return;
            // The turn is largest at the centre and fades smoothly to nothing at the radius.
            const double t = 1.0 - r / R, a = turn * t * t;
            const double c = std::cos(a), s = std::sin(a);
            sx = area.cx + dx * c - dy * s;
            sy = area.cy + dx * s + dy * c;
        });
    });
}

bool CZVImage::EffectWave(long wavelength, long amplitude, double phase)
{
    return Effect(2, [&] {
        const double side = SmallerSide(*this);
        const double length = std::max(2.0, std::clamp(wavelength, 1L, 100L) * side / 100.0);
        const double height = std::clamp(amplitude, 0L, 100L) * side / 1000.0;
        const double shift = std::isfinite(phase) ? std::fmod(phase, 360.0) * kPi / 180.0 : 0.0;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return Distort(*this, run, [&](long x, long, double&, double& sy) {
            sy += height * std::sin(2 * kPi * x / length + shift);
        });
    });
}

bool CZVImage::EffectRipple(long length, long amount, bool circular)
{
    return Effect(2, [&] {
        const double side = SmallerSide(*this);
        const double wave = std::max(2.0, std::clamp(length, 1L, 100L) * side / 500.0);
        const double push = wave * std::clamp(amount, 0L, 100L) / 100.0;
        const EffectArea area = AreaOf(*this, 0, 0);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return Distort(*this, run, [&](long x, long y, double& sx, double& sy) {
            if (circular) {
                const double dx = x - area.cx, dy = y - area.cy, r = std::hypot(dx, dy);
                if (r == 0)
                    return;
                const double f = push * std::sin(2 * kPi * r / wave) / r;
                sx += dx * f;
                sy += dy * f;
            } else {
                sx += push * std::sin(2 * kPi * y / wave);
                sy += push * std::sin(2 * kPi * x / wave);
            }
        });
    });
}

bool CZVImage::EffectRibbon(long amplitude, long frequency)
{
    return Effect(2, [&] {
        const double height = std::clamp(amplitude, 0L, 100L) / 100.0 * m_height / 8.0;
        const double k = 2 * kPi * std::clamp(frequency, 0L, 100L) / 10.0 / std::max(1UL, static_cast<unsigned long>(m_width));
        // Folds catch the light on one slope and fall into shade on the other.
        const double light = std::min(0.35, height * k);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return Distort(
            *this, run, [&](long x, long, double&, double& sy) { sy += height * std::sin(k * x); },
            [&](BYTE* p, long x, long) {
                const long f = std::lround(256 * (1.0 + light * std::cos(k * x)));
                for (int c = 0; c < 3; ++c)
                    p[c] = Clamp255((p[c] * f) >> 8);
            });
    });
}

bool CZVImage::EffectTileReflection(long size, long amount, long angle)
{
    return Effect(2, [&] {
        const double tile = std::clamp<double>(size, 2.0, std::max<double>(2.0, std::max(m_width, m_height)));
        const double bend = std::clamp(amount, -20L, 20L) / 40.0;
        const double a = (angle % 360) * kPi / 180.0, c = std::cos(a), s = std::sin(a);
        const double cx = m_width / 2.0, cy = m_height / 2.0;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return Distort(*this, run, [&](long x, long y, double& sx, double& sy) {
            // In the turned grid, each tile shows its own middle bent outward (or inward) like a
            // pane of rippled glass.
            const double px = x - cx, py = y - cy;
            const double u = px * c + py * s, v = -px * s + py * c;
            const double tu = u - tile * (std::floor(u / tile) + 0.5), tv = v - tile * (std::floor(v / tile) + 0.5);
            const double su = u + tu * bend, sv = v + tv * bend;
            sx = cx + su * c - sv * s;
            sy = cy + su * s + sv * c;
        });
    });
}

bool CZVImage::EffectIllusion(long amount)
{
    return Effect(2, [&] {
        const double a = 2 * kPi / std::clamp(amount, 1L, 64L), c = std::cos(a), s = std::sin(a);
        const EffectArea area = AreaOf(*this, 0, 0);
        const Planes src = ReadPlanes(*this);
        Planes made(src.width, src.height, src.channels);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        if (!ParallelRows(run, src.height, [&](long y) {
                BYTE* d = made.Row(y);
                for (long x = 0; x < src.width; ++x, d += src.channels) {
                    const double dx = x - area.cx, dy = y - area.cy;
                    BYTE ghost[4];
                    SampleBilinear(src, area.cx + dx * c - dy * s, area.cy + dx * s + dy * c, ghost);
                    const BYTE* p = src.At(x, y);
                    for (int k = 0; k < src.channels; ++k)
                        d[k] = static_cast<BYTE>((p[k] + ghost[k] + 1) / 2);
                }
            }))
            return false;
        StorePlanes(*this, made);
        return run.Finish();
    });
}

bool CZVImage::EffectSplash(long size)
{
    return Effect(2, [&] {
        const long reach = std::clamp(size, 0L, 200L);
        const long w = m_width;
        const Planes src = ReadPlanes(*this);
        Planes made(src.width, src.height, src.channels);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        if (!ParallelRows(run, src.height, [&](long y) {
                BYTE* d = made.Row(y);
                for (long x = 0; x < w; ++x, d += src.channels) {
                    Noise32 noise(static_cast<uint32_t>(y * w + x));
                    const long sx = x + noise.Signed(reach), sy = y + noise.Signed(reach);
                    std::copy_n(src.At(sx, sy), src.channels, d);
                }
            }))
            return false;
        StorePlanes(*this, made);
        return run.Finish();
    });
}

bool CZVImage::EffectShift(long size)
{
    return Effect(2, [&] {
        const long band = std::clamp(size, 1L, std::max(1L, static_cast<long>(m_height)));
        const long reach = std::clamp(size, 0L, static_cast<long>(m_width));
        const Planes src = ReadPlanes(*this);
        Planes made(src.width, src.height, src.channels);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        if (!ParallelRows(run, src.height, [&](long y) {
                // Bands counted from the top row, each slid by its own amount.
                Noise32 noise(static_cast<uint32_t>((src.height - 1 - y) / band + 1));
                const long offset = noise.Signed(reach);
                BYTE* d = made.Row(y);
                for (long x = 0; x < src.width; ++x, d += src.channels)
                    std::copy_n(src.At(x - offset, y), src.channels, d);
            }))
            return false;
        StorePlanes(*this, made);
        return run.Finish();
    });
}

bool CZVImage::EffectMosaic(long size)
{
    return Effect(1, [&] {
        const long block = std::clamp(size, 1L, static_cast<long>(std::max(m_width, m_height)));
        Planes planes = ReadPlanes(*this);
        const long w = planes.width, h = planes.height;
        const int c = planes.channels;
        // Blocks line up with the top left corner, where a person expects the grid to start.
        const long rows = (h + block - 1) / block;
        EffectRun run(m_escape, m_progress, rows, PixelsOf(*this));
        if (block > 1 && !ParallelRows(run, rows, [&](long b) {
                const long top = h - b * block, y0 = std::max(0L, top - block);
                for (long x0 = 0; x0 < w; x0 += block) {
                    const long x1 = std::min(w, x0 + block);
                    uint64_t sum[4] = {0, 0, 0, 0};
                    for (long y = y0; y < top; ++y) {
                        const BYTE* p = planes.Row(y) + static_cast<size_t>(x0) * c;
                        for (long x = x0; x < x1; ++x)
                            for (int k = 0; k < c; ++k)
                                sum[k] += *p++;
                    }
                    const uint64_t n = static_cast<uint64_t>(x1 - x0) * (top - y0);
                    BYTE mean[4];
                    for (int k = 0; k < c; ++k)
                        mean[k] = static_cast<BYTE>((sum[k] + n / 2) / n);
                    for (long y = y0; y < top; ++y) {
                        BYTE* p = planes.Row(y) + static_cast<size_t>(x0) * c;
                        for (long x = x0; x < x1; ++x, p += c)
                            std::copy_n(mean, c, p);
                    }
                }
            }))
            return false;
        StorePlanes(*this, planes);
        return run.Finish();
    });
}

bool CZVImage::EffectInvertedImage(float shown, float startAlpha, float endAlpha)
{
    return Effect(2, [&] {
        EffectRun run(m_escape, m_progress, m_height, 0);
        if (run.Stopped())
            return false;
        auto unit = [](float v) { return std::isfinite(v) ? std::clamp(static_cast<double>(v), 0.0, 1.0) : 0.0; };
        const long extra = std::lround(m_height * unit(shown));
        const double a0 = unit(startAlpha), a1 = unit(endAlpha);
        CZVImage made;
        if (!MakeLike(made, m_width, m_height + extra, true, false))
            return false;
        const long w = m_width, h = m_height;
        // Rows count from the bottom: the picture sits on top, its mirror image below it with the
        // picture's bottom row nearest.
        for (long y = 0; y < h; ++y) {
            std::copy_n(GetBits(y), static_cast<size_t>(w) * 3, made.GetBits(y + extra));
            BYTE* a = made.AlphaGetPointer(0, y + extra);
            const BYTE* own = AlphaGetPointer(0, y);
            for (long x = 0; x < w; ++x)
                a[x] = own ? own[x] : 255;
        }
        for (long k = 0; k < extra; ++k) {
            std::copy_n(GetBits(k), static_cast<size_t>(w) * 3, made.GetBits(extra - 1 - k));
            const double t = extra > 1 ? static_cast<double>(k) / (extra - 1) : 0.0;
            const double level = a0 + (a1 - a0) * t;
            BYTE* a = made.AlphaGetPointer(0, extra - 1 - k);
            const BYTE* own = AlphaGetPointer(0, k);
            for (long x = 0; x < w; ++x)
                a[x] = static_cast<BYTE>(std::lround((own ? own[x] : 255) * level));
        }
        TakePixels(made);
        return run.Finish();
    });
}
