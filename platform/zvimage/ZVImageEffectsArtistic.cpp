// CZVImage: painterly and decorative effects: oil paint, pencil sketch, raised tiles and frame,
// blinds, and the eyelash brush of the cosmetics.
#include "ZVImage.h"
#include <cmath>
#include "EffectSupport.h"

using namespace zvimage;

bool CZVImage::EffectOilPaint(long radius, float intensity)
{
    return Effect(3, [&] {
        const long r = std::clamp(radius, 0L, 20L);
        const double tone = std::isfinite(intensity) ? std::clamp(static_cast<double>(intensity), 0.0, 250.0) : 0.0;
        const int levels = std::clamp(static_cast<int>(std::lround(tone / 4)), 4, 64);
        EffectRun run(m_escape, m_progress, 2LL * m_height, PixelsOf(*this));
        if (r == 0) {
            run.Advance(2 * m_height);
            return run.Finish();
        }
        Planes src = ReadPlanes(*this);
        const long w = src.width, h = src.height;
        const int c = src.channels;
        // Each pixel takes the mean colour of the most common tone level around it: strokes of
        // flat colour with the edges between them kept.
        std::vector<BYTE, UnsetAllocator<BYTE>> level(static_cast<size_t>(w) * h);
        if (!ParallelRows(run, h, [&](long y) {
                const BYTE* p = src.Row(y);
                BYTE* l = &level[static_cast<size_t>(y) * w];
                for (long x = 0; x < w; ++x, p += c)
                    l[x] = static_cast<BYTE>(Luma(p) * levels >> 8);
            }))
            return false;
        Planes made(w, h, c);
        if (!ParallelRows(run, h, [&](long y) {
                uint32_t count[64] = {}, sum[64][3] = {};
                auto column = [&](long x, int sign) {
                    x = std::clamp(x, 0L, w - 1);
                    for (long yy = y - r; yy <= y + r; ++yy) {
                        const long row = std::clamp(yy, 0L, h - 1);
                        const BYTE b = level[static_cast<size_t>(row) * w + x];
                        const BYTE* p = src.Row(row) + static_cast<size_t>(x) * c;
                        count[b] += sign;
                        sum[b][0] += sign * p[0];
                        sum[b][1] += sign * p[1];
                        sum[b][2] += sign * p[2];
                    }
                };
                for (long x = -r; x <= r; ++x)
                    column(x, 1);
                BYTE* d = made.Row(y);
                for (long x = 0; x < w; ++x, d += c) {
                    int best = 0;
                    for (int b = 1; b < levels; ++b)
                        if (count[b] > count[best])
                            best = b;
                    const uint32_t n = count[best];
                    for (int k = 0; k < 3; ++k)
                        d[k] = static_cast<BYTE>((sum[best][k] + n / 2) / n);
                    if (c == 4)
                        d[3] = src.Row(y)[static_cast<size_t>(x) * 4 + 3];
                    column(x + r + 1, 1);
                    column(x - r, -1);
                }
            }))
            return false;
        StorePlanes(*this, made);
        return run.Finish();
    });
}

bool CZVImage::EffectPencilSketch(long size, long details)
{
    return Effect(2, [&] {
        const double sigma = std::clamp(size, 1L, 20L);
        // Details above 0 darken the strokes, below 0 lighten them.
        BYTE tone[256];
        const double exponent = std::pow(2.0, std::clamp(details, -20L, 20L) / 10.0);
        for (int v = 0; v < 256; ++v)
            tone[v] = Clamp255(std::lround(255.0 * std::pow(v / 255.0, exponent)));
        Planes grey = ReadPlanes(*this);
        EffectRun run(m_escape, m_progress, 2LL * m_height + GaussianUnits(grey), PixelsOf(*this));
        // The grey picture dodged by its own blurred negative: flat areas go white, and edges stay
        // as soft pencil lines whose width follows the blur.
        if (!ParallelRows(run, grey.height, [&](long y) {
                BYTE* p = grey.Row(y);
                for (long x = 0; x < grey.width; ++x, p += grey.channels)
                    p[0] = p[1] = p[2] = Luma(p);
            }))
            return false;
        Planes negative = grey;
        for (long y = 0; y < negative.height; ++y) {
            BYTE* p = negative.Row(y);
            for (long x = 0; x < negative.width; ++x, p += negative.channels)
                p[0] = p[1] = p[2] = static_cast<BYTE>(255 - p[0]);
        }
        if (!GaussianPlanes(negative, sigma, run))
            return false;
        if (!ParallelRows(run, grey.height, [&](long y) {
                BYTE* p = grey.Row(y);
                const BYTE* b = negative.Row(y);
                for (long x = 0; x < grey.width; ++x, p += grey.channels, b += grey.channels) {
                    const long v = b[0] >= 255 ? 255 : std::min(255L, p[0] * 255L / (255 - b[0]));
                    p[0] = p[1] = p[2] = tone[v];
                }
            }))
            return false;
        StorePlanes(*this, grey);
        return run.Finish();
    });
}

bool CZVImage::Effect3DGrid(long size, long depth)
{
    return Effect(0, [&] {
        const long cell = std::clamp(size, 2L, static_cast<long>(std::max(m_width, m_height)));
        const long lift = std::clamp(depth, 0L, 255L);
        const long bevel = std::max(1L, cell / 12);
        const long top = m_height - 1;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        // Cells from the top left corner: their top and left rims catch the light, their bottom
        // and right rims are in shade.
        return MapPixels(*this, run, [=](BYTE* p, long x, long y) {
            const long i = x % cell, j = (top - y) % cell;
            const bool lit = i < bevel || j < bevel, shaded = i >= cell - bevel || j >= cell - bevel;
            if (lit == shaded)
                return;
            const long change = lit ? lift : -lift;
            for (int k = 0; k < 3; ++k)
                p[k] = Clamp255(p[k] + change);
        });
    });
}

bool CZVImage::EffectRaiseFrame(long size)
{
    return Effect(0, [&] {
        const long w = m_width, h = m_height;
        const long band = std::clamp(size, 1L, std::max(1L, std::min(w, h) / 2));
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [=](BYTE* p, long x, long y) {
            const long left = x, right = w - 1 - x, top = h - 1 - y, bottom = y;
            const long d = std::min(std::min(left, right), std::min(top, bottom));
            if (d >= band)
                return;
            // The top and left sides face the light; the corners split along their diagonals.
            const bool lit = std::min(left, top) <= std::min(right, bottom);
            const unsigned level = static_cast<unsigned>(150 - 70 * d / band);
            const BYTE towards = lit ? 255 : 0;
            for (int k = 0; k < 3; ++k)
                p[k] = Mix(p[k], towards, level);
        });
    });
}

bool CZVImage::EffectBlinds(BLIND_TYPE direction, long width, long opacity, RGBQUAD colour)
{
    return Effect(0, [&] {
        const bool vertical = direction == BLIND_VERTICAL;
        const long slat = std::clamp(width, 1L, static_cast<long>(std::max(m_width, m_height)));
        const long strength = std::clamp(opacity, 0L, 100L) * 255 / 100;
        const BYTE c[3] = {colour.rgbBlue, colour.rgbGreen, colour.rgbRed};
        const long top = m_height - 1;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        // Each slat fades from clear to the colour across its width, as light falls on tilted slats.
        return MapPixels(*this, run, [=](BYTE* p, long x, long y) {
            const long i = (vertical ? x : top - y) % slat;
            const unsigned level = static_cast<unsigned>(slat > 1 ? strength * i / (slat - 1) : strength);
            for (int k = 0; k < 3; ++k)
                p[k] = Mix(p[k], c[k], level);
        });
    });
}

bool CZVImage::Eyelashes(const CxImage& src, long x, long y, long width, long height, long opacity, long hardness,
                         long feather)
{
    if (!src.IsValid() || width <= 0 || height <= 0)
        return false;
    return Effect(0, [&] {
        if (m_escape)
            return false;
        width = std::min(width, 4096L);
        height = std::min(height, 4096L);
        // Only darker pixels of the sharpened copy come through, so lashes and lines deepen while
        // skin keeps its tone.
        CZVImage patch;
        if (!patch.Create(width, height, 24))
            return false;
        const long x0 = x - width / 2, y0 = y - height / 2;
        for (long j = 0; j < height; ++j)
            for (long i = 0; i < width; ++i) {
                const long px = x0 + i, py = y0 + j;
                if (!IsInside(px, py))
                    continue;
                RGBQUAD own = GetPixelColor(px, py, false);
                if (src.IsInside(px, py)) {
                    const RGBQUAD other = src.GetPixelColor(px, py, false);
                    own.rgbBlue = std::min(own.rgbBlue, other.rgbBlue);
                    own.rgbGreen = std::min(own.rgbGreen, other.rgbGreen);
                    own.rgbRed = std::min(own.rgbRed, other.rgbRed);
                }
                patch.SetPixelColor(i, j, own);
            }
        const bool done = CombineBlended(patch, x, y, width, height, opacity, hardness, feather, x - width / 2, y - height / 2);
        m_progress = 100;
        return done;
    });
}
