// CZVImage: opacity gradients, transparent colours, backgrounds, shadow edges and selections
// from pixel positions.
#include "ZVImage.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>
#include "MaskRaster.h"

using namespace zvimage;

namespace {

// Running maximum (grow) or mean (soften) of a plane over a square of radius r, one axis at a
// time: O(pixels x r) at most, without a kernel table.
void GrowPlane(BYTE* plane, long w, long h, long r)
{
    std::vector<BYTE> line(std::max(w, h));
    for (long y = 0; y < h; ++y) {
        BYTE* row = plane + static_cast<size_t>(y) * w;
        std::copy(row, row + w, line.begin());
        for (long x = 0; x < w; ++x)
            row[x] = *std::max_element(line.begin() + std::max(0L, x - r), line.begin() + std::min(w, x + r + 1));
    }
    for (long x = 0; x < w; ++x) {
        for (long y = 0; y < h; ++y)
            line[y] = plane[static_cast<size_t>(y) * w + x];
        for (long y = 0; y < h; ++y)
            plane[static_cast<size_t>(y) * w + x] = *std::max_element(line.begin() + std::max(0L, y - r), line.begin() + std::min(h, y + r + 1));
    }
}

void BoxBlur(BYTE* plane, long w, long h, long r)
{
    std::vector<BYTE> line(std::max(w, h));
    auto pass = [&](long count, long length, auto at) {
        for (long i = 0; i < count; ++i) {
            for (long k = 0; k < length; ++k)
                line[k] = at(i, k);
            long sum = 0;
            for (long k = -r; k <= r; ++k)
                sum += line[std::clamp(k, 0L, length - 1)];
            for (long k = 0; k < length; ++k) {
                at(i, k) = static_cast<BYTE>((sum + r) / (2 * r + 1));
                sum += line[std::min(k + r + 1, length - 1)] - line[std::max(k - r, 0L)];
            }
        }
    };
    pass(h, w, [&](long y, long x) -> BYTE& { return plane[static_cast<size_t>(y) * w + x]; });
    pass(w, h, [&](long x, long y) -> BYTE& { return plane[static_cast<size_t>(y) * w + x]; });
}

} // namespace

bool CZVImage::MakeAlpha(long start, long end, long mode)
{
    if (!IsValid() || !AlphaCreate())
        return false;
    start = std::clamp(start, 0L, 100L);
    end = std::clamp(end, 0L, 100L);
    const double w = m_width, h = m_height;
    const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0, reach = std::max(1.0, std::hypot(cx, cy));
    for (DWORD y = 0; y < m_height; ++y) {
        const double row = m_height - 1 - y;   // counted from the top
        BYTE* a = AlphaGetPointer(0, y);
        for (DWORD x = 0; x < m_width; ++x) {
            double t;
            switch (mode) {
            case 1: t = w > 1 ? x / (w - 1) : 0; break;
            case 2: t = h > 1 ? row / (h - 1) : 0; break;
            case 4: t = (x + row) / std::max(1.0, w + h - 2); break;
            case 8: t = (w - 1 - x + row) / std::max(1.0, w + h - 2); break;
            case 16: t = std::hypot(x - cx, row - cy) / reach; break;
            default: return false;
            }
            const double level = (start + (end - start) * t) / 100.0;
            a[x] = static_cast<BYTE>(std::lround(a[x] * level));
        }
    }
    return true;
}

void CZVImage::ClearTransColor()
{
    SetTransIndex(-1);
}

bool CZVImage::SetTransparentColor(RGBQUAD colour, long tolerance, BYTE opacity)
{
    if (!IsValid() || !AlphaCreate())
        return false;
    const int limit = static_cast<int>(std::clamp(tolerance, 0L, 100L) * 255 / 100);
    for (DWORD y = 0; y < m_height; ++y) {
        BYTE* a = AlphaGetPointer(0, y);
        for (DWORD x = 0; x < m_width; ++x) {
            const RGBQUAD c = GetPixelColor(x, y, false);
            const int d = std::max({std::abs(c.rgbRed - colour.rgbRed), std::abs(c.rgbGreen - colour.rgbGreen),
                                    std::abs(c.rgbBlue - colour.rgbBlue)});
            if (d <= limit)
                a[x] = std::min(a[x], opacity);
        }
    }
    return true;
}

bool CZVImage::ChangeBackground(DWORD argb)
{
    if (!IsValid())
        return false;
    if (!m_alpha)
        return true;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    const unsigned bb = argb & 0xFF, bg = (argb >> 8) & 0xFF, br = (argb >> 16) & 0xFF, ba = argb >> 24;
    for (DWORD y = 0; y < m_height; ++y) {
        BYTE* p = Row(y);
        BYTE* a = AlphaGetPointer(0, y);
        for (DWORD x = 0; x < m_width; ++x, p += 3) {
            // The picture over the background: alpha out = a + ba (1 - a).
            const unsigned sa = a[x], under = ba * (255 - sa) / 255, out = sa + under;
            if (out) {
                p[0] = static_cast<BYTE>((p[0] * sa + bb * under + out / 2) / out);
                p[1] = static_cast<BYTE>((p[1] * sa + bg * under + out / 2) / out);
                p[2] = static_cast<BYTE>((p[2] * sa + br * under + out / 2) / out);
            }
            a[x] = static_cast<BYTE>(out);
        }
    }
    return true;
}

bool CZVImage::SetSelectionColor(COLORREF colour)
{
    if (!IsValid() || !SelectionIsValid())
        return false;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    const unsigned c[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
    for (DWORD y = 0; y < m_height; ++y) {
        BYTE* p = Row(y);
        const BYTE* s = SelectionGetPointer(0, y);
        for (DWORD x = 0; x < m_width; ++x, p += 3)
            if (s[x])
                for (int k = 0; k < 3; ++k)
                    p[k] = static_cast<BYTE>((p[k] * (255u - s[x]) + c[k] * s[x] + 127) / 255);
    }
    return true;
}

bool CZVImage::ColorEdge(RGBQUAD colour, long width)
{
    if (!IsValid())
        return false;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    if (!AlphaCreate())
        return false;
    SetRectColor(RECT{0, 0, static_cast<LONG>(m_width), static_cast<LONG>(m_height)}, colour, true);
    if (width > 0)
        GrowPlane(m_alpha.get(), m_width, m_height, std::min<long>(width, std::max(m_width, m_height)));
    return true;
}

bool CZVImage::AlphaEdge(RGBQUAD colour, long radius)
{
    if (!IsValid())
        return false;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    if (!AlphaCreate())
        return false;
    SetRectColor(RECT{0, 0, static_cast<LONG>(m_width), static_cast<LONG>(m_height)}, colour, true);
    if (radius > 0) {
        // Two box passes come close to a Gaussian edge.
        const long r = std::min<long>(radius / 2 + 1, std::max(m_width, m_height));
        BoxBlur(m_alpha.get(), m_width, m_height, r);
        BoxBlur(m_alpha.get(), m_width, m_height, r);
    }
    return true;
}

bool CZVImage::SelectionAddRectZV(POINT corner0, POINT corner1, BYTE level)
{
    if (!SelectionCreate())
        return false;
    const long left = std::max(0L, std::min(corner0.x, corner1.x));
    const long right = std::min<long>(m_width - 1, std::max(corner0.x, corner1.x));
    const long bottom = std::max(0L, std::min(corner0.y, corner1.y));
    const long top = std::min<long>(m_height - 1, std::max(corner0.y, corner1.y));
    if (left > right || bottom > top)
        return false;
    for (long y = bottom; y <= top; ++y) {
        BYTE* m = SelectionGetPointer(left, y);
        for (long x = left; x <= right; ++x, ++m)
            *m = std::max(*m, level);
    }
    RecalcSelectionBox();
    return true;
}

bool CZVImage::SelectionAddRectFF(ZVPOINTF corner0, ZVPOINTF corner1, BYTE level)
{
    auto whole = [](float v) { return static_cast<LONG>(std::clamp(v, -1e9f, 1e9f)); };
    if (!std::isfinite(corner0.x) || !std::isfinite(corner0.y) || !std::isfinite(corner1.x) || !std::isfinite(corner1.y))
        return false;
    return SelectionAddRectZV(POINT{whole(corner0.x), whole(corner0.y)}, POINT{whole(corner1.x), whole(corner1.y)}, level);
}

bool CZVImage::SelectionAddPolygonZV(const POINT* points, long count, BYTE level)
{
    return SelectionAddPolygon(points, count, level);
}

bool CZVImage::SelectionAddPolygonFF(const ZVPOINTF* points, long count, BYTE level)
{
    if (!points || count < 1 || !SelectionCreate())
        return false;
    const bool touched = FillPolygon(m_selection.get(), m_width, m_height, points, count, level);
    RecalcSelectionBox();
    return touched;
}
