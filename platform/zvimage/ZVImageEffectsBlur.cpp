// CZVImage: blurs and noise. Every blur costs the same whatever its length: running sums along
// lines, or passes whose sample spacing shrinks by three each time.
#include "ZVImage.h"
#include <cmath>
#include "EffectSupport.h"

using namespace zvimage;

namespace {

// A box of 2 * radius + 1 samples of src along parallel lines at angle degrees, into out (of
// src's size). Each line steps one pixel along its major axis, so every pixel lies on exactly
// one line and the running sum along it costs the same for any length.
bool MotionPlanes(const Planes& src, Planes& out, long length, double angle, EffectRun& run)
{
    const double a = angle * kPi / 180.0;
    const double dx = std::cos(a), dy = std::sin(a);
    const bool alongX = std::fabs(dx) >= std::fabs(dy);
    const double slope = alongX ? dy / dx : dx / dy;
    const long radius = std::lround(length * std::max(std::fabs(dx), std::fabs(dy)) / 2.0);
    if (radius <= 0) {
        out.data = src.data;
        return true;
    }
    const long major = alongX ? src.width : src.height;
    const long minor = alongX ? src.height : src.width;
    const long r = std::min(radius, 2 * major);
    auto shift = [slope](long t) { return static_cast<long>(std::lround(t * slope)); };
    const long lo = std::min(0L, shift(major - 1)), hi = std::max(0L, shift(major - 1));
    const long first = -hi, lines = minor + hi - lo;
    const int c = src.channels;
    return ParallelRows(run, lines, [&](long index) {
        const long j = first + index;
        auto at = [&](long t) {
            const long m = j + shift(t);
            return alongX ? src.At(t, m) : src.At(m, t);
        };
        uint32_t sums[4] = {0, 0, 0, 0};
        for (long t = -r; t <= r; ++t) {
            const BYTE* p = at(t);
            for (int k = 0; k < c; ++k)
                sums[k] += p[k];
        }
        const uint32_t scale = (1u << 24) / static_cast<uint32_t>(2 * r + 1);
        for (long t = 0; t < major; ++t) {
            const long m = j + shift(t);
            if (m >= 0 && m < minor) {
                BYTE* d = alongX ? out.Row(m) + static_cast<size_t>(t) * c : out.Row(t) + static_cast<size_t>(m) * c;
                for (int k = 0; k < c; ++k)
                    d[k] = static_cast<BYTE>((static_cast<uint64_t>(sums[k]) * scale + (1u << 23)) >> 24);
            }
            const BYTE* in = at(t + r + 1);
            const BYTE* gone = at(t - r);
            for (int k = 0; k < c; ++k)
                sums[k] += in[k] - gone[k];
        }
    });
}

long long MotionUnits(const Planes& planes)
{
    return 2LL * (planes.width + planes.height);
}

// Averages samples spread evenly over span around the centre: turned by angles (spin) or
// scaled by factors exp(u) (zoom). Pass i takes three samples d_i = span / 3^(i+1) apart;
// together the passes give 3^n evenly spaced samples, and passes stop once the spacing is
// below half a pixel at the far corner. Each pass reads one buffer and writes the other.
bool TernaryBlur(Planes& planes, double cx, double cy, double span, double shift, bool spin, EffectRun& run)
{
    Planes src(planes.width, planes.height, planes.channels);
    for (int pass = 0; pass < 9; ++pass) {
        const double d = span / std::pow(3.0, pass + 1);
        const double centre = pass == 0 ? shift : 0.0;
        src.data.swap(planes.data);
        const int c = planes.channels;
        if (!ParallelRows(run, planes.height, [&](long y) {
                BYTE* out = planes.Row(y);
                for (long x = 0; x < planes.width; ++x, out += c) {
                    const double px = x - cx, py = y - cy;
                    unsigned sum[4] = {0, 0, 0, 0};
                    for (int s = -1; s <= 1; ++s) {
                        const double u = centre + s * d;
                        double sx, sy;
                        if (spin) {
                            const double cs = std::cos(u), sn = std::sin(u);
                            sx = cx + px * cs - py * sn;
                            sy = cy + px * sn + py * cs;
                        } else {
                            const double f = std::exp(u);
                            sx = cx + px * f;
                            sy = cy + py * f;
                        }
                        BYTE v[4];
                        SampleBilinear(src, sx, sy, v);
                        for (int k = 0; k < c; ++k)
                            sum[k] += v[k];
                    }
                    for (int k = 0; k < c; ++k)
                        out[k] = static_cast<BYTE>((sum[k] + 1) / 3);
                }
            }))
            return false;
        const double reach = std::hypot(std::max(cx, planes.width - cx), std::max(cy, planes.height - cy));
        if (d * reach < 0.5 && pass > 0)
            break;
    }
    return true;
}

// How sharp each pixel stays in a selective focus: the selection, or an ellipse in the middle
// that fades into the blur toward the corners.
BYTE FocusLevel(const CxImage& image, long x, long y)
{
    if (image.SelectionIsValid())
        return image.SelectionGet(x, y);
    const double w = image.GetWidth() / 2.0, h = image.GetHeight() / 2.0;
    const double d = std::hypot((x + 0.5 - w) / w, (y + 0.5 - h) / h);
    const double t = std::clamp((d - 0.35) / 0.45, 0.0, 1.0);
    return static_cast<BYTE>(std::lround(255 * (1 - t * t * (3 - 2 * t))));
}

// Keeps the sharp picture where the focus is, the blurred one elsewhere.
void StoreFocused(CxImage& image, const Planes& sharp, Planes& blurred)
{
    RunBands(blurred.height, PassThreads(PixelsOf(image)), [&](long first, long last, unsigned) {
        for (long y = first; y < last; ++y) {
            BYTE* b = blurred.Row(y);
            const BYTE* s = sharp.Row(y);
            for (long x = 0; x < blurred.width; ++x) {
                const BYTE focus = FocusLevel(image, x, y);
                for (int k = 0; k < blurred.channels; ++k, ++b, ++s)
                    *b = Mix(*b, *s, focus);
            }
        }
    });
    StorePlanes(image, blurred, false);
}

} // namespace

bool CZVImage::EffectBlurMotion(long length, long angle)
{
    return Effect(2, [&] {
        const Planes src = ReadPlanes(*this);
        Planes planes(src.width, src.height, src.channels);
        EffectRun run(m_escape, m_progress, MotionUnits(planes), PixelsOf(*this));
        if (!MotionPlanes(src, planes, std::clamp(length, 0L, 1000L), static_cast<double>(angle % 360), run))
            return false;
        StorePlanes(*this, planes);
        return run.Finish();
    });
}

bool CZVImage::EffectBGBlurMotion(long length, long angle)
{
    return Effect(2, [&] {
        const Planes sharp = ReadPlanes(*this);
        Planes planes(sharp.width, sharp.height, sharp.channels);
        EffectRun run(m_escape, m_progress, MotionUnits(planes), PixelsOf(*this));
        if (!MotionPlanes(sharp, planes, std::clamp(length, 0L, 1000L), static_cast<double>(angle % 360), run))
            return false;
        StoreFocused(*this, sharp, planes);
        return run.Finish();
    });
}

bool CZVImage::EffectBackgroundDeficiency(float radius)
{
    return Effect(2, [&] {
        const Planes sharp = ReadPlanes(*this);
        Planes planes = sharp;
        EffectRun run(m_escape, m_progress, GaussianUnits(planes), PixelsOf(*this));
        if (!GaussianPlanes(planes, std::clamp(static_cast<double>(radius), 0.0, 100.0), run))
            return false;
        StoreFocused(*this, sharp, planes);
        return run.Finish();
    });
}

bool CZVImage::EffectBlurRadial(long angle, double cx, double cy)
{
    return Effect(2, [&] {
        const EffectArea area = AreaOf(*this, cx, cy);
        Planes planes = ReadPlanes(*this);
        EffectRun run(m_escape, m_progress, 9LL * m_height, PixelsOf(*this));
        const double span = std::clamp(angle, 0L, 360L) * kPi / 180.0;
        if (span > 0 && !TernaryBlur(planes, area.cx, area.cy, span, 0.0, true, run))
            return false;
        StorePlanes(*this, planes);
        return run.Finish();
    });
}

bool CZVImage::EffectBlurZoom(long length, double cx, double cy)
{
    return Effect(2, [&] {
        const EffectArea area = AreaOf(*this, cx, cy);
        Planes planes = ReadPlanes(*this);
        EffectRun run(m_escape, m_progress, 9LL * m_height, PixelsOf(*this));
        // Samples reach from the pixel up to 60 % of the way toward the centre at length 100.
        const double span = -std::log(1.0 - 0.6 * std::clamp(length, 0L, 100L) / 100.0);
        if (span > 0 && !TernaryBlur(planes, area.cx, area.cy, span, -span / 2, false, run))
            return false;
        StorePlanes(*this, planes);
        return run.Finish();
    });
}

bool CZVImage::EffectNoisify(long level, bool mono)
{
    return Effect(0, [&] {
        const long range = std::clamp(level, 1L, 100L) * 96 / 100;
        const long w = m_width;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [=](BYTE* p, long x, long y) {
            Noise32 noise(static_cast<uint32_t>(y * w + x));
            // Two uniform draws make a softer, film-like grain than one.
            if (mono) {
                const long n = noise.Signed(range) + noise.Signed(range);
                for (int k = 0; k < 3; ++k)
                    p[k] = Clamp255(p[k] + n);
            } else {
                for (int k = 0; k < 3; ++k)
                    p[k] = Clamp255(p[k] + noise.Signed(range) + noise.Signed(range));
            }
        });
    });
}

bool CZVImage::SkinSanding(double radius, double threshold)
{
    return Effect(2, [&] {
        const long r = std::lround(std::clamp(radius, 1.0, 50.0));
        const long limit = std::lround(std::clamp(threshold, 1.0, 100.0) * 4);
        const Planes sharp = ReadPlanes(*this);
        Planes smooth = sharp;
        EffectRun run(m_escape, m_progress, 2 * (m_height + (m_width + 255) / 256) + m_height, PixelsOf(*this));
        if (!BoxBlur(smooth, r, r, run) || !BoxBlur(smooth, r, r, run))
            return false;
        // Where the smoothed tone is close to the pixel's (skin, soft shading) it replaces it; across
        // a real edge (eyes, lips, hair) the pixel is kept.
        if (!ParallelRows(run, smooth.height, [&](long y) {
                BYTE* b = smooth.Row(y);
                const BYTE* s = sharp.Row(y);
                for (long x = 0; x < smooth.width; ++x, b += smooth.channels, s += smooth.channels) {
                    const long diff = std::labs(static_cast<long>(Luma(b)) - Luma(s));
                    const unsigned level = diff >= limit ? 0 : static_cast<unsigned>(255 * (limit - diff) / limit);
                    for (int k = 0; k < 3; ++k)
                        b[k] = Mix(s[k], b[k], level);
                    if (smooth.channels == 4)
                        b[3] = s[3];
                }
            }))
            return false;
        StorePlanes(*this, smooth);
        return run.Finish();
    });
}

bool CZVImage::RemoveAcne(long x, long y, long width, long height)
{
    if (width <= 0 || height <= 0)
        return false;
    return Effect(0, [&] {
        width = std::min(width, static_cast<long>(m_width));
        height = std::min(height, static_cast<long>(m_height));
        EffectRun run(m_escape, m_progress, 1, 0);
        if (run.Stopped())
            return false;
        // The spot area and a margin, blurred apart, then blended back through a soft ellipse.
        const long margin = std::max(2L, std::min(width, height) / 3);
        const long left = std::max(0L, x - width / 2 - margin), right = std::min<long>(m_width, x + width / 2 + margin + 1);
        const long bottom = std::max(0L, y - height / 2 - margin), top = std::min<long>(m_height, y + height / 2 + margin + 1);
        if (left >= right || bottom >= top)
            return false;
        Planes part(right - left, top - bottom, 3);
        for (long j = 0; j < part.height; ++j)
            std::copy_n(GetBits(bottom + j) + left * 3, part.width * 3, part.Row(j));
        Planes smooth = part;
        const long r = std::max(1L, margin / 2);
        BoxBlur(smooth, r, r, run);
        BoxBlur(smooth, r, r, run);
        const double rx = std::max(1.0, width / 2.0), ry = std::max(1.0, height / 2.0);
        for (long j = 0; j < part.height; ++j) {
            BYTE* d = GetBits(bottom + j) + left * 3;
            const BYTE* s = smooth.Row(j);
            for (long i = 0; i < part.width; ++i, d += 3, s += 3) {
                const double e = std::hypot((left + i - x) / rx, (bottom + j - y) / ry);
                if (e >= 1)
                    continue;
                const unsigned level = e < 0.6 ? 255 : static_cast<unsigned>(255 * (1 - e) / 0.4);
                const unsigned cover = level * SelectionLevel(SelectionIsValid() ? SelectionGetPointer(0, bottom + j) : nullptr, left + i) / 255;
                for (int k = 0; k < 3; ++k)
                    d[k] = Mix(d[k], s[k], cover);
            }
        }
        return run.Finish();
    });
}
