// CZVImage: pointwise colour effects, each a table or a small integer formula per pixel.
#include "ZVImage.h"
#include <cmath>
#include "EffectSupport.h"

using namespace zvimage;

bool CZVImage::EffectGrayScale()
{
    return GrayScale();
}

bool CZVImage::EffectInvert()
{
    return Negative();
}

bool CZVImage::EffectShiftRGB(long red, long green, long blue)
{
    return ShiftRGB(red, green, blue);
}

bool CZVImage::EffectThreshold(long level)
{
    return Threshold(static_cast<BYTE>(std::clamp(level, 0L, 255L)));
}

bool CZVImage::EffectThreshold2(BYTE level, bool keepOthers, RGBQUAD colour, bool above)
{
    return Effect(0, [&] {
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [=](BYTE* p, long, long) {
            if ((Luma(p) >= level) == above) {
                p[0] = colour.rgbBlue;
                p[1] = colour.rgbGreen;
                p[2] = colour.rgbRed;
            } else if (!keepOthers) {
                p[0] = p[1] = p[2] = 0;
            }
        });
    });
}

bool CZVImage::EffectHalftoneM3()
{
    return Effect(0, [&] {
        // A clustered dot: the black grows from the middle of each 3 x 3 cell as the tone darkens.
        static const BYTE rank[3][3] = {{6, 8, 4}, {1, 0, 3}, {5, 2, 7}};
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [](BYTE* p, long x, long y) {
            const long dark = (255 - Luma(p)) * 9 / 255;
            p[0] = p[1] = p[2] = dark > rank[y % 3][x % 3] ? 0 : 255;
        });
    });
}

bool CZVImage::EffectColorTone(RGBQUAD colour, long amount)
{
    return Effect(0, [&] {
        const unsigned level = static_cast<unsigned>(std::clamp(amount, 0L, 100L) * 255 / 100);
        // Black stays black and white stays white; the middle grey takes the colour.
        BYTE tones[256][3];
        const long c[3] = {colour.rgbBlue, colour.rgbGreen, colour.rgbRed};
        for (long l = 0; l < 256; ++l)
            for (int k = 0; k < 3; ++k)
                tones[l][k] = Clamp255(l < 128 ? c[k] * l / 128 : c[k] + (255 - c[k]) * (l - 128) / 127);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [&](BYTE* p, long, long) {
            const BYTE* t = tones[Luma(p)];
            for (int k = 0; k < 3; ++k)
                p[k] = Mix(p[k], t[k], level);
        });
    });
}

bool CZVImage::EffectPosterize(long levels)
{
    return Effect(0, [&] {
        const long n = std::clamp(levels, 2L, 256L);
        BYTE table[256];
        for (long v = 0; v < 256; ++v)
            table[v] = static_cast<BYTE>(((v * (n - 1) + 127) / 255) * 255 / (n - 1));
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return ApplyTables(*this, run, table, table, table);
    });
}

bool CZVImage::EffectSolarize(long level)
{
    return Effect(0, [&] {
        level = std::clamp(level, 0L, 255L);
        BYTE table[256];
        for (long v = 0; v < 256; ++v)
            table[v] = static_cast<BYTE>(v > level ? 255 - v : v);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return ApplyTables(*this, run, table, table, table);
    });
}

bool CZVImage::EffectGamma(long gamma)
{
    return Effect(0, [&] {
        const double exponent = 100.0 / std::clamp(gamma, 1L, 1000L);
        BYTE table[256];
        for (int v = 0; v < 256; ++v)
            table[v] = Clamp255(std::lround(255.0 * std::pow(v / 255.0, exponent)));
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return ApplyTables(*this, run, table, table, table);
    });
}

bool CZVImage::EffectBrightnessContrast(long brightness, long contrast)
{
    return Effect(0, [&] {
        brightness = std::clamp(brightness, -100L, 100L);
        contrast = std::clamp(contrast, -100L, 100L);
        // Contrast 100 nearly thresholds at mid grey, -100 flattens to it.
        const double factor = contrast >= 0 ? 100.0 / (100.0 - contrast * 0.99) : (100.0 + contrast) / 100.0;
        const double shift = brightness * 1.28;
        BYTE table[256];
        for (int v = 0; v < 256; ++v)
            table[v] = Clamp255(std::lround((v - 127.5) * factor + 127.5 + shift));
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return ApplyTables(*this, run, table, table, table);
    });
}

bool CZVImage::EffectHueSaturation(long hue, long saturation)
{
    return Effect(0, [&] {
        hue = std::clamp(hue, -100L, 100L);
        saturation = std::clamp(saturation, -100L, 100L);
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        if (hue == 0 && saturation == 0)
            return run.Finish();
        // A turn about the grey axis (hue) followed by a move toward or away from grey
        // (saturation), as one matrix in 1/4096 on red, green, blue: grey stays grey.
        const double a = hue * kPi / 100.0, c = std::cos(a), s = std::sin(a);
        const double turn[3][3] = {
            {0.299 + 0.701 * c + 0.168 * s, 0.587 - 0.587 * c + 0.330 * s, 0.114 - 0.114 * c - 0.497 * s},
            {0.299 - 0.299 * c - 0.328 * s, 0.587 + 0.413 * c + 0.035 * s, 0.114 - 0.114 * c + 0.292 * s},
            {0.299 - 0.300 * c + 1.250 * s, 0.587 - 0.588 * c - 1.050 * s, 0.114 + 0.886 * c - 0.203 * s}};
        const double k = (100.0 + saturation) / 100.0, luma[3] = {0.299, 0.587, 0.114};
        long m[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                double v = 0;
                for (int t = 0; t < 3; ++t)
                    v += ((1 - k) * luma[t] + (i == t ? k : 0)) * turn[t][j];
                m[i][j] = std::lround(v * 4096);
            }
        return MapPixels(*this, run, [&](BYTE* p, long, long) {
            const long r = p[2], g = p[1], b = p[0];
            p[2] = Clamp255((m[0][0] * r + m[0][1] * g + m[0][2] * b + 2048) >> 12);
            p[1] = Clamp255((m[1][0] * r + m[1][1] * g + m[1][2] * b + 2048) >> 12);
            p[0] = Clamp255((m[2][0] * r + m[2][1] * g + m[2][2] * b + 2048) >> 12);
        });
    });
}
