// Pure arithmetic of the picture library.
#include "ImageMath.h"
#include <algorithm>
#include <cmath>

namespace zvimage {

RotatedSize RotatedBounds(DWORD width, DWORD height, double degrees)
{
    const double rad = degrees * 3.14159265358979323846 / 180.0;
    const double c = std::fabs(std::cos(rad)), s = std::fabs(std::sin(rad));
    // Sums that land within a hair of a whole number (quarter turns) must not grow a pixel.
    const double w = width * c + height * s, h = width * s + height * c;
    auto whole = [](double v) { return static_cast<DWORD>(std::max(1.0, std::floor(v + 0.5 - 1e-6))); };
    return RotatedSize{whole(w), whole(h)};
}

SIZE FitSize(long width, long height, long boxWidth, long boxHeight, bool enlarge)
{
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return SIZE{0, 0};
    const double scale = static_cast<double>(width) / height;
    long w, h;
    if (scale > static_cast<double>(boxWidth) / boxHeight) {
        w = boxWidth;
        h = static_cast<long>(boxWidth / scale);
    } else {
        h = boxHeight;
        w = static_cast<long>(boxHeight * scale);
    }
    if (!enlarge && w >= width && h >= height)
        return SIZE{width, height};
    return SIZE{std::max(1L, w), std::max(1L, h)};
}

RECT FitRect(long width, long height, const RECT& box, bool enlarge)
{
    const SIZE size = FitSize(width, height, box.right - box.left, box.bottom - box.top, enlarge);
    const long left = box.left + (box.right - box.left - size.cx) / 2;
    const long top = box.top + (box.bottom - box.top - size.cy) / 2;
    return RECT{left, top, left + size.cx, top + size.cy};
}

RECT CropMaxRect(long width, long height, long aspectW, long aspectH)
{
    if (width <= 0 || height <= 0)
        return RECT{0, 0, 0, 0};
    if (aspectW <= 0 || aspectH <= 0)
        return RECT{0, 0, width, height};
    long w = width, h = height;
    // Compare width : height with aspectW : aspectH in 64 bits.
    if (static_cast<long long>(width) * aspectH > static_cast<long long>(height) * aspectW)
        w = std::max(1LL, static_cast<long long>(height) * aspectW / aspectH);
    else
        h = std::max(1LL, static_cast<long long>(width) * aspectH / aspectW);
    const long left = (width - w) / 2, top = (height - h) / 2;
    return RECT{left, top, left + w, top + h};
}

int ShrinkDenominator(DWORD width, DWORD height, DWORD boxWidth, DWORD boxHeight)
{
    if (!width || !height || !boxWidth || !boxHeight)
        return 1;
    const double fit = std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
    for (int d : {8, 4, 2})
        if (2.0 * fit * d <= 1.0)
            return d;
    return 1;
}

int ShrinkEighths(DWORD width, DWORD height, DWORD boxWidth, DWORD boxHeight)
{
    if (!width || !height || !boxWidth || !boxHeight)
        return 8;
    const SIZE fit = FitSize(static_cast<long>(width), static_cast<long>(height), static_cast<long>(boxWidth),
                             static_cast<long>(boxHeight), false);
    for (int m = 1; m < 8; ++m) {
        const long long w = (static_cast<long long>(width) * m + 7) / 8;
        const long long h = (static_cast<long long>(height) * m + 7) / 8;
        if (w >= fit.cx && h >= fit.cy)
            return m;
    }
    return 8;
}

SIZE ShrinkTarget(DWORD width, DWORD height, DWORD boxWidth, DWORD boxHeight)
{
    const SIZE own = {static_cast<long>(width), static_cast<long>(height)};
    if (!width || !height || !boxWidth || !boxHeight)
        return own;
    const double fit = std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
    if (2.0 * fit >= 1.0)
        return own;
    return SIZE{std::max(1L, static_cast<long>(std::ceil(width * 2.0 * fit))),
                std::max(1L, static_cast<long>(std::ceil(height * 2.0 * fit)))};
}

} // namespace zvimage
