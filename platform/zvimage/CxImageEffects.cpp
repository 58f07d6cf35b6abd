// CxImage: the base effects (tones, convolution, edges, noise, Gaussian blur, red eye).
#include "CxImage.h"
#include <cmath>
#include <vector>
#include "Convolve.h"
#include "EffectSupport.h"

using namespace zvimage;

bool CxImage::GrayScale()
{
    return Effect(0, [&] {
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [](BYTE* p, long, long) { p[0] = p[1] = p[2] = Luma(p); });
    });
}

bool CxImage::Negative()
{
    return Effect(0, [&] {
        BYTE table[256];
        for (int v = 0; v < 256; ++v)
            table[v] = static_cast<BYTE>(255 - v);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return ApplyTables(*this, run, table, table, table);
    });
}

bool CxImage::Threshold(BYTE level)
{
    return Effect(0, [&] {
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [level](BYTE* p, long, long) { p[0] = p[1] = p[2] = Luma(p) >= level ? 255 : 0; });
    });
}

bool CxImage::ShiftRGB(long red, long green, long blue)
{
    return Effect(0, [&] {
        BYTE tables[3][256];
        const long shift[3] = {std::clamp(blue, -255L, 255L), std::clamp(green, -255L, 255L), std::clamp(red, -255L, 255L)};
        for (int k = 0; k < 3; ++k)
            for (int v = 0; v < 256; ++v)
                tables[k][v] = Clamp255(v + shift[k]);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return ApplyTables(*this, run, tables[0], tables[1], tables[2]);
    });
}

bool CxImage::Light(long brightness, long contrast)
{
    return Effect(0, [&] {
        brightness = std::clamp(brightness, -255L, 255L);
        contrast = std::clamp(contrast, -100L, 100L);
        BYTE table[256];
        for (long v = 0; v < 256; ++v)
            table[v] = Clamp255((v - 128) * (100 + contrast) / 100 + 128 + brightness);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return ApplyTables(*this, run, table, table, table);
    });
}

bool CxImage::Saturate(long saturation, long)
{
    return Effect(0, [&] {
        const long factor = 100 + std::clamp(saturation, -100L, 100L);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [factor](BYTE* p, long, long) {
            const long l = Luma(p);
            for (int k = 0; k < 3; ++k)
                p[k] = Clamp255(l + (p[k] - l) * factor / 100);
        });
    });
}

bool CxImage::Colorize(BYTE hue, BYTE saturation, float blend)
{
    return Effect(0, [&] {
        if (!(blend > 0))
            return true;
        const unsigned level = static_cast<unsigned>(std::lround(std::min(blend, 1.0f) * 255));
        // The colour of each lightness for this hue and saturation (HSL), so a pixel costs a lookup.
        BYTE tones[256][3];
        const double h = hue / 256.0 * 6.0, s = saturation / 255.0;
        for (int l = 0; l < 256; ++l) {
            const double L = l / 255.0;
            const double c = (1 - std::fabs(2 * L - 1)) * s;
            const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
            const double m = L - c / 2;
            double r = 0, g = 0, b = 0;
            switch (static_cast<int>(h)) {
            case 0: r = c; g = x; break;
            case 1: r = x; g = c; break;
            case 2: g = c; b = x; break;
            case 3: g = x; b = c; break;
            case 4: r = x; b = c; break;
            default: r = c; b = x; break;
            }
            tones[l][0] = Clamp255(std::lround((b + m) * 255));
            tones[l][1] = Clamp255(std::lround((g + m) * 255));
            tones[l][2] = Clamp255(std::lround((r + m) * 255));
        }
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [&](BYTE* p, long, long) {
            const BYTE* t = tones[Luma(p)];
            for (int k = 0; k < 3; ++k)
                p[k] = Mix(p[k], t[k], level);
        });
    });
}

bool CxImage::Filter(const long* kernel, long size, long divisor, long offset)
{
    if (!kernel || size < 1 || size > 25 || size % 2 == 0)
        return false;
    return Effect(0, [&] {
        struct Maker final : RowMaker {
            std::vector<KernelTap> taps;
            long divisor = 1, offset = 0;
            std::vector<std::vector<int32_t>> sums;   // per thread
            void Make(BYTE* out, const BYTE* const* src, long width, unsigned slot) override
            {
                ConvolveRow(out, src, width, taps.data(), static_cast<int>(taps.size()), divisor, offset, sums[slot].data());
            }
        } maker;
        const long half = size / 2;
        // Only the taps that count: an emboss kernel has two of nine.
        for (long j = 0; j < size; ++j)
            for (long i = 0; i < size; ++i)
                if (const long weight = kernel[j * size + i])
                    maker.taps.push_back(KernelTap{static_cast<int>(j), static_cast<int>(i - half), static_cast<int32_t>(weight)});
        maker.divisor = divisor == 0 ? 1 : divisor;
        maker.offset = offset;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        maker.sums.assign(std::max(1u, run.Threads()), std::vector<int32_t>(static_cast<size_t>(m_width) * 3));
        return ReplaceRows(*this, run, half, maker);
    });
}

bool CxImage::Edge(long strength)
{
    return Effect(0, [&] {
        struct Maker final : RowMaker {
            long strength = 1;
            void Make(BYTE* out, const BYTE* const* src, long width, unsigned) override { SobelRow(out, src, width, strength); }
        } maker;
        maker.strength = std::clamp(strength, 1L, 10L);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return ReplaceRows(*this, run, 1, maker);
    });
}

bool CxImage::Noise(long level)
{
    return Effect(0, [&] {
        level = std::clamp(level, 0L, 255L);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        const long w = m_width;
        return MapPixels(*this, run, [level, w](BYTE* p, long x, long y) {
            Noise32 noise(static_cast<uint32_t>(y * w + x));
            for (int k = 0; k < 3; ++k)
                p[k] = Clamp255(p[k] + noise.Signed(level));
        });
    });
}

bool CxImage::GaussianBlur(float radius, CxImage* dst)
{
    return Effect(1, [&] {
        const double sigma = std::clamp(static_cast<double>(radius), 0.0, 250.0);
        // Stoppable: a restarted preview does not wait for a whole copy of a large picture.
        Planes planes = ReadPlanes(*this, true);
        EffectRun run(m_escape, m_progress, GaussianUnits(planes), PixelsOf(*this));
        if (run.Stopped() || !GaussianPlanes(planes, sigma, run))
            return false;
        if (dst && dst != this) {
            if (!dst->Copy(*this))
                return false;
            StorePlanes(*dst, planes);
        } else {
            StorePlanes(*this, planes);
        }
        return run.Finish();
    });
}

bool CxImage::RedEyeRemove(float strength)
{
    return Effect(0, [&] {
        const long s = std::lround(std::clamp(strength, 0.0f, 1.0f) * 256);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [s](BYTE* p, long, long) {
            // A red eye is red with green and blue alike; orange and pink skin have them apart.
            const long other = std::max(p[0], p[1]), redness = p[2] - other;
            const long skew = std::abs(p[0] - p[1]);
            if (redness <= 0 || skew >= redness)
                return;
            const long weight = s * std::min(redness, 48L) / 48 * (redness - skew) / redness;
            p[2] = Clamp255(p[2] - redness * weight / 256);
        });
    });
}
