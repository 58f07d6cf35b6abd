// Polygon and ellipse rasterising for selections.
#include "MaskRaster.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace zvimage {

namespace {

void Raise(BYTE* mask, long width, long x, long y, BYTE level, bool& touched)
{
    BYTE& m = mask[static_cast<size_t>(y) * width + x];
    m = std::max(m, level);
    touched = true;
}

} // namespace

bool FillPolygon(BYTE* mask, long width, long height, const ZVPOINTF* points, long count, BYTE level)
{
    if (!mask || !points || count < 1 || width <= 0 || height <= 0)
        return false;
    for (long i = 0; i < count; ++i)
        if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
            return false;
    // Coordinates far outside the mask are clamped before any conversion to an integer.
    auto toLong = [](float v, long lo, long hi) { return static_cast<long>(std::clamp<float>(v, float(lo), float(hi))); };
    bool touched = false;
    float minY = points[0].y, maxY = points[0].y;
    for (long i = 1; i < count; ++i) {
        minY = std::min(minY, points[i].y);
        maxY = std::max(maxY, points[i].y);
    }
    const long y0 = toLong(std::ceil(minY), 0, height);
    const long y1 = toLong(std::floor(maxY), -1, height - 1);
    std::vector<float> xs;
    for (long y = y0; y <= y1; ++y) {
        xs.clear();
        const float yc = static_cast<float>(y);
        for (long i = 0; i < count; ++i) {
            const ZVPOINTF& a = points[i];
            const ZVPOINTF& b = points[(i + 1) % count];
            if ((a.y <= yc && yc < b.y) || (b.y <= yc && yc < a.y))
                xs.push_back(a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            const long xa = toLong(std::ceil(xs[k]), 0, width);
            const long xb = toLong(std::floor(xs[k + 1]), -1, width - 1);
            for (long x = xa; x <= xb; ++x)
                Raise(mask, width, x, y, level, touched);
        }
    }
    // The outline itself, so that points on the edges are inside too.
    for (long i = 0; i < count; ++i) {
        const ZVPOINTF& a = points[i];
        const ZVPOINTF& b = points[(i + 1) % count];
        const float dx = b.x - a.x, dy = b.y - a.y;
        const long steps = toLong(std::ceil(std::max(std::fabs(dx), std::fabs(dy))), 0, 4 * (width + height)) + 1;
        for (long s = 0; s <= steps; ++s) {
            const float t = static_cast<float>(s) / static_cast<float>(steps);
            const long x = toLong(std::round(a.x + dx * t), -1, width), y = toLong(std::round(a.y + dy * t), -1, height);
            if (x >= 0 && y >= 0 && x < width && y < height)
                Raise(mask, width, x, y, level, touched);
        }
    }
    return touched;
}

bool FillEllipse(BYTE* mask, long width, long height, long left, long bottom, long right, long top, BYTE level)
{
    if (!mask || right <= left || top <= bottom)
        return false;
    bool touched = false;
    const double cx = (left + right - 1) / 2.0, cy = (bottom + top - 1) / 2.0;
    const double rx = (right - left) / 2.0, ry = (top - bottom) / 2.0;
    for (long y = std::max(0L, bottom); y < std::min(height, top); ++y) {
        const double dy = (y - cy) / ry;
        if (dy * dy > 1.0)
            continue;
        const double half = rx * std::sqrt(1.0 - dy * dy);
        const long xa = std::max(0L, static_cast<long>(std::ceil(cx - half)));
        const long xb = std::min(width - 1, static_cast<long>(std::floor(cx + half)));
        for (long x = xa; x <= xb; ++x)
            Raise(mask, width, x, y, level, touched);
    }
    return touched;
}

} // namespace zvimage
