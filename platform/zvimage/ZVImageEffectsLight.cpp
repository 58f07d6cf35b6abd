// CZVImage: light added to a picture: a lens flare and a star burst, blended like light (screen).
#include "ZVImage.h"
#include <cmath>
#include "EffectSupport.h"

using namespace zvimage;

namespace {

// Light of strength light (0..1 or more, clipped) in the colour, laid over the pixel.
inline BYTE Screen(BYTE base, double light)
{
    const long add = std::lround(std::min(255.0, light * 255.0));
    return static_cast<BYTE>(255 - (255 - base) * (255 - add) / 255);
}

struct Ghost {
    double along;   // place on the line from the source through the middle (0 source, 1 middle)
    double size;    // radius in parts of the diagonal
    double r, g, b; // colour and strength
};

// The secondary reflections of the lens elements, strung along the line through the middle.
const Ghost kGhosts[] = {
    {0.45, 0.020, 0.10, 0.25, 0.10},
    {0.80, 0.045, 0.05, 0.12, 0.22},
    {1.20, 0.015, 0.25, 0.20, 0.05},
    {1.45, 0.060, 0.08, 0.10, 0.18},
    {1.75, 0.030, 0.20, 0.08, 0.15},
};

} // namespace

bool CZVImage::EffectLensFlare(POINT centre)
{
    return Effect(0, [&] {
        const double diag = std::hypot(static_cast<double>(m_width), static_cast<double>(m_height));
        const double sx = centre.x, sy = centre.y, mx = m_width / 2.0, my = m_height / 2.0;
        const double glow = 0.045 * diag, ring = 0.11 * diag, ringWidth = 0.008 * diag;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [&](BYTE* p, long x, long y) {
            const double dx = x - sx, dy = y - sy, d = std::hypot(dx, dy);
            double light[3] = {0, 0, 0};   // blue, green, red
            // The bright source with a warm glow, a faint rainbow ring and a thin horizontal streak.
            const double core = std::exp(-(d / glow) * (d / glow));
            const double halo = 0.35 * std::exp(-d / (glow * 3));
            const double streak = 0.6 * std::exp(-std::fabs(dy) / (0.0025 * diag)) * std::exp(-std::fabs(dx) / (0.2 * diag));
            const double band = std::exp(-((d - ring) / ringWidth) * ((d - ring) / ringWidth));
            light[0] += core * 0.85 + halo * 0.5 + streak * 0.9 + band * 0.10;
            light[1] += core * 0.95 + halo * 0.75 + streak * 0.9 + band * 0.12;
            light[2] += core * 1.00 + halo * 0.95 + streak * 0.9 + band * 0.18;
            for (const Ghost& g : kGhosts) {
                const double gx = sx + (mx - sx) * g.along, gy = sy + (my - sy) * g.along;
                const double e = std::hypot(x - gx, y - gy) / (g.size * diag);
                if (e >= 1)
                    continue;
                const double soft = e < 0.8 ? 1.0 : (1 - e) / 0.2;
                light[0] += g.b * soft;
                light[1] += g.g * soft;
                light[2] += g.r * soft;
            }
            for (int k = 0; k < 3; ++k)
                p[k] = Screen(p[k], light[k]);
        });
    });
}

bool CZVImage::EffectSupernova(POINT centre, RGBQUAD colour, long radius, long spokes)
{
    return Effect(0, [&] {
        const double r = std::clamp(radius, 1L, 2000L);
        const int count = static_cast<int>(std::clamp(spokes, 1L, 1024L));
        // Each spoke gets its own brightness, fixed by its number so the star looks the same each run.
        std::vector<double> spoke(count);
        Noise32 noise(static_cast<uint32_t>(count));
        for (double& s : spoke) {
            const double u = (noise.Next() >> 8) / 16777216.0;
            s = 0.15 + 0.85 * u * u;
        }
        const double tint[3] = {colour.rgbBlue / 255.0, colour.rgbGreen / 255.0, colour.rgbRed / 255.0};
        const double cx = centre.x, cy = centre.y;
        EffectRun run(m_escape, m_progress, m_height, PixelsOf(*this));
        return MapPixels(*this, run, [&](BYTE* p, long x, long y) {
            const double dx = (x - cx) / r, dy = (y - cy) / r, d = std::hypot(dx, dy) + 1e-3;
            const double a = (std::atan2(dy, dx) / (2 * kPi) + 0.5) * count;
            const int i = static_cast<int>(a) % count;
            const double t = a - std::floor(a);
            const double ray = spoke[i] * (1 - t) + spoke[(i + 1) % count] * t;
            // A white core fading into the coloured glow, and rays whose light falls off with distance.
            const double core = std::min(1.0, 0.5 / (d * d));
            const double glow = std::min(1.0, 0.9 / d) * (0.25 + ray * ray);
            for (int k = 0; k < 3; ++k)
                p[k] = Screen(p[k], core + glow * tint[k]);
        });
    });
}
