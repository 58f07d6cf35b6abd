// CxImage: crop, flips, quarter turns, free rotation and the EXIF orientation.
#include "CxImage.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include "ImageMath.h"

using namespace zvimage;

bool CxImage::Deliver(CxImage& made, CxImage* dst)
{
    if (!dst || dst == this) {
        TakePixels(made);
        return true;
    }
    // The destination becomes this picture's twin with the new pixels (and the transparent
    // colour they were made with).
    const long transIndex = made.m_info.transIndex;
    const RGBQUAD transColor = made.m_info.transColor;
    made.m_info = m_info;
    made.m_info.transIndex = transIndex;
    made.m_info.transColor = transColor;
    made.m_info.selectionBox = RECT{0, 0, 0, 0};
    made.m_escape = 0;
    made.m_exif = m_exif;
    made.m_exifBlock = m_exifBlock;
    made.m_fileName = m_fileName;
    if (made.m_selection)
        made.RecalcSelectionBox();
    made.SetXDPI(m_info.xdpi);
    made.SetYDPI(m_info.ydpi);
    dst->Transfer(made);
    return true;
}

bool CxImage::MakeLike(CxImage& made, DWORD width, DWORD height, bool alpha, bool selection) const
{
    if (!made.Create(width, height, m_bpp, m_info.type))
        return false;
    if (m_bpp == 8)
        std::memcpy(made.GetPalette(), GetPalette(), GetPaletteSize());
    if (alpha && !made.AlphaCreate())
        return false;
    if (selection && !made.SelectionCreate())
        return false;
    return true;
}

bool CxImage::Crop(long left, long top, long right, long bottom, CxImage* dst)
{
    RECT r = {left, top, right, bottom};
    return Crop(r, dst);
}

bool CxImage::Crop(RECT rect, CxImage* dst)
{
    CxImage made;
    return CropInto(rect, made) && Deliver(made, dst);
}

bool CxImage::CropInto(RECT rect, CxImage& made) const
{
    if (!IsValid())
        return false;
    const long left = std::max<long>(0, std::min(rect.left, rect.right));
    const long right = std::min<long>(m_width, std::max(rect.left, rect.right));
    const long top = std::max<long>(0, std::min(rect.top, rect.bottom));
    const long bottom = std::min<long>(m_height, std::max(rect.top, rect.bottom));
    if (left >= right || top >= bottom)
        return false;
    const DWORD w = right - left, h = bottom - top;
    if (!MakeLike(made, w, h, m_alpha != nullptr, m_selection != nullptr))
        return false;
    const size_t pixel = m_bpp / 8;
    const long y0 = static_cast<long>(m_height) - bottom;  // lowest stored row kept
    for (DWORD y = 0; y < h; ++y) {
        std::memcpy(made.Row(y), Row(y0 + y) + left * pixel, w * pixel);
        if (m_alpha)
            std::memcpy(made.AlphaGetPointer(0, y), AlphaGetPointer(left, y0 + y), w);
        if (m_selection)
            std::memcpy(made.SelectionGetPointer(0, y), SelectionGetPointer(left, y0 + y), w);
    }
    made.m_info.transIndex = m_info.transIndex;
    made.m_info.transColor = m_info.transColor;
    if (made.m_selection)
        made.RecalcSelectionBox();
    return true;
}

bool CxImage::Flip(bool flipSelection, bool flipAlpha)
{
    if (!IsValid())
        return false;
    std::vector<BYTE> line(std::max<size_t>(m_stride, m_width));
    auto swapRows = [&](BYTE* a, BYTE* b, size_t n) {
        std::memcpy(line.data(), a, n);
        std::memcpy(a, b, n);
        std::memcpy(b, line.data(), n);
    };
    for (DWORD y = 0; y < m_height / 2; ++y) {
        const DWORD other = m_height - 1 - y;
        swapRows(Row(y), Row(other), m_stride);
        if (flipAlpha && m_alpha)
            swapRows(AlphaGetPointer(0, y), AlphaGetPointer(0, other), m_width);
        if (flipSelection && m_selection)
            swapRows(SelectionGetPointer(0, y), SelectionGetPointer(0, other), m_width);
    }
    if (flipSelection && m_selection)
        RecalcSelectionBox();
    return true;
}

bool CxImage::Mirror(bool mirrorSelection, bool mirrorAlpha)
{
    if (!IsValid())
        return false;
    for (DWORD y = 0; y < m_height; ++y) {
        BYTE* p = Row(y);
        if (m_bpp == 8) {
            std::reverse(p, p + m_width);
        } else {
            for (DWORD a = 0, b = m_width - 1; a < b; ++a, --b)
                std::swap_ranges(p + a * 3, p + a * 3 + 3, p + b * 3);
        }
        if (mirrorAlpha && m_alpha)
            std::reverse(AlphaGetPointer(0, y), AlphaGetPointer(0, y) + m_width);
        if (mirrorSelection && m_selection)
            std::reverse(SelectionGetPointer(0, y), SelectionGetPointer(0, y) + m_width);
    }
    if (mirrorSelection && m_selection)
        RecalcSelectionBox();
    return true;
}

// A quarter or half turn moves every pixel without resampling. turn: 1 left (counter-
// clockwise), 2 half, 3 right. With rows counted upward, a left turn takes (x, y) to
// (H-1-y, x) and a right turn to (y, W-1-x).
bool CxImage::Turn(int turn, CxImage* dst)
{
    if (!IsValid())
        return false;
    const bool quarter = turn != 2;
    const DWORD w = quarter ? m_height : m_width, h = quarter ? m_width : m_height;
    CxImage made;
    if (!MakeLike(made, w, h, m_alpha != nullptr, m_selection != nullptr))
        return false;
    const size_t pixel = m_bpp / 8;
    const long W = m_width, H = m_height;
    auto target = [&](long x, long y, long& tx, long& ty) {
        switch (turn) {
        case 1: tx = H - 1 - y; ty = x; break;
        case 2: tx = W - 1 - x; ty = H - 1 - y; break;
        default: tx = y; ty = W - 1 - x; break;
        }
    };
    BYTE* alpha = made.m_alpha.get();
    BYTE* sel = made.m_selection.get();
    for (long y = 0; y < H; ++y) {
        if (m_escape)
            return false;
        const BYTE* s = Row(y);
        for (long x = 0; x < W; ++x) {
            long tx, ty;
            target(x, y, tx, ty);
            std::memcpy(made.Row(ty) + tx * pixel, s + x * pixel, pixel);
            const size_t from = static_cast<size_t>(y) * W + x, to = static_cast<size_t>(ty) * w + tx;
            if (alpha)
                alpha[to] = m_alpha.get()[from];
            if (sel)
                sel[to] = m_selection.get()[from];
        }
    }
    made.m_info.transIndex = m_info.transIndex;
    made.m_info.transColor = m_info.transColor;
    if (sel)
        made.RecalcSelectionBox();
    const long xdpi = m_info.xdpi, ydpi = m_info.ydpi;
    if (!Deliver(made, dst))
        return false;
    if (quarter) {
        CxImage* out = dst ? dst : this;
        out->SetXDPI(ydpi);
        out->SetYDPI(xdpi);
    }
    return true;
}

bool CxImage::RotateLeft(CxImage* dst)
{
    return Turn(1, dst);
}

bool CxImage::Rotate180(CxImage* dst)
{
    return Turn(2, dst);
}

bool CxImage::RotateRight(CxImage* dst)
{
    return Turn(3, dst);
}

bool CxImage::Rotate(float degrees, CxImage* dst)
{
    return Rotate2(degrees, dst, IM_BILINEAR, AlphaIsValid() ? OM_TRANSPARENT : OM_BACKGROUND, nullptr, true, false);
}

namespace {

// One source pixel as premultiplied colour and alpha, or the overflow value outside.
struct Sampler {
    const CxImage& img;
    long w, h;
    CxImage::OverflowMethod overflow;
    RGBQUAD outside;   // colour and alpha where the picture does not reach

    void Fetch(long x, long y, float& b, float& g, float& r, float& a) const
    {
        if (x < 0 || y < 0 || x >= w || y >= h) {
            switch (overflow) {
            case CxImage::OM_REPEAT:
                x = std::clamp(x, 0L, w - 1);
                y = std::clamp(y, 0L, h - 1);
                break;
            case CxImage::OM_WRAP:
                x = ((x % w) + w) % w;
                y = ((y % h) + h) % h;
                break;
            default:
                a = outside.rgbReserved;
                b = outside.rgbBlue * a;
                g = outside.rgbGreen * a;
                r = outside.rgbRed * a;
                return;
            }
        }
        const BYTE* p = img.GetBits(y) + x * 3;
        const BYTE* pa = img.AlphaGetPointer(x, y);
        a = pa ? *pa : 255.0f;
        b = p[0] * a;
        g = p[1] * a;
        r = p[2] * a;
    }
};

float CubicWeight(float t)
{
    // Catmull-Rom: sharp, and exact at the pixel centres.
    t = std::fabs(t);
    if (t < 1.0f)
        return 1.5f * t * t * t - 2.5f * t * t + 1.0f;
    if (t < 2.0f)
        return -0.5f * t * t * t + 2.5f * t * t - 4.0f * t + 2.0f;
    return 0.0f;
}

} // namespace

bool CxImage::Rotate2(float degrees, CxImage* dst, InterpolationMethod interpolation, OverflowMethod overflow,
                      const RGBQUAD* replacement, bool optimizeRightAngles, bool keepSize)
{
    if (!IsValid() || !std::isfinite(degrees))
        return false;
    double angle = std::fmod(static_cast<double>(degrees), 360.0);
    if (angle < 0)
        angle += 360.0;
    const long quarter = std::lround(angle / 90.0);
    if (optimizeRightAngles && std::fabs(angle - quarter * 90.0) < 1e-4 && (!keepSize || m_width == m_height || quarter % 2 == 0)) {
        switch (quarter % 4) {
        case 0: return dst ? dst->Copy(*this) : true;
        case 1: return RotateRight(dst);
        case 2: return Rotate180(dst);
        default: return RotateLeft(dst);
        }
    }
    CxImage work;
    const CxImage* src = this;
    if (m_bpp != 24) {
        if (!work.Copy(*this) || !work.IncreaseBpp(24))
            return false;
        src = &work;
    }
    const double rad = angle * 3.14159265358979323846 / 180.0;
    const double c = std::cos(rad), s = std::sin(rad);
    DWORD w = m_width, h = m_height;
    if (!keepSize) {
        const RotatedSize size = RotatedBounds(m_width, m_height, angle);
        w = size.width;
        h = size.height;
    }
    RGBQUAD outside = m_info.transColor;
    outside.rgbReserved = overflow == OM_TRANSPARENT ? 0 : 255;
    if (overflow == OM_BACKGROUND) {
        if (replacement)
            outside = *replacement;
        else
            outside.rgbReserved = m_alpha ? 0 : 255;
    }
    const bool needAlpha = m_alpha != nullptr || ((overflow == OM_BACKGROUND || overflow == OM_TRANSPARENT) && outside.rgbReserved < 255);
    CxImage made;
    if (!made.Create(w, h, 24, m_info.type) || (needAlpha && !made.AlphaCreate()))
        return false;
    const Sampler sampler{*src, static_cast<long>(m_width), static_cast<long>(m_height), overflow, outside};
    const double scx = (m_width - 1) / 2.0, scy = (m_height - 1) / 2.0;
    const double dcx = (w - 1) / 2.0, dcy = (h - 1) / 2.0;
    for (DWORD y = 0; y < h; ++y) {
        if (m_escape)
            return false;
        m_progress = static_cast<long>(100.0 * y / h);
        BYTE* d = made.Row(y);
        BYTE* da = made.AlphaGetPointer(0, y);
        for (DWORD x = 0; x < w; ++x, d += 3) {
            // A clockwise turn on screen, with rows counted upward: the source point is the
            // destination point turned back counter-clockwise.
            const double X = x - dcx, Y = y - dcy;
            const double sx = X * c - Y * s + scx, sy = X * s + Y * c + scy;
            float acc[4] = {0, 0, 0, 0};
            auto add = [&](long px, long py, float weight) {
                float b, g, r, a;
                sampler.Fetch(px, py, b, g, r, a);
                acc[0] += b * weight;
                acc[1] += g * weight;
                acc[2] += r * weight;
                acc[3] += a * weight;
            };
            if (interpolation == IM_NEAREST_NEIGHBOUR) {
                add(std::lround(sx), std::lround(sy), 1.0f);
            } else if (interpolation == IM_BICUBIC) {
                const long ix = static_cast<long>(std::floor(sx)), iy = static_cast<long>(std::floor(sy));
                for (long j = -1; j <= 2; ++j) {
                    const float wy = CubicWeight(static_cast<float>(sy - (iy + j)));
                    for (long i = -1; i <= 2; ++i)
                        add(ix + i, iy + j, wy * CubicWeight(static_cast<float>(sx - (ix + i))));
                }
            } else {
                const long ix = static_cast<long>(std::floor(sx)), iy = static_cast<long>(std::floor(sy));
                const float fx = static_cast<float>(sx - ix), fy = static_cast<float>(sy - iy);
                add(ix, iy, (1 - fx) * (1 - fy));
                add(ix + 1, iy, fx * (1 - fy));
                add(ix, iy + 1, (1 - fx) * fy);
                add(ix + 1, iy + 1, fx * fy);
            }
            const float a = std::clamp(acc[3], 0.0f, 255.0f);
            for (int k = 0; k < 3; ++k)
                d[k] = a > 0.5f ? static_cast<BYTE>(std::clamp(acc[k] / acc[3] + 0.5f, 0.0f, 255.0f))
                                : (&outside.rgbBlue)[k];
            if (da)
                da[x] = static_cast<BYTE>(a + 0.5f);
        }
    }
    m_progress = 100;
    made.m_info.transIndex = m_info.transIndex >= 0 ? 0 : -1;
    made.m_info.transColor = GetTransColor();
    return Deliver(made, dst);
}

bool CxImage::RotateExif(int orientation)
{
    if (!IsValid())
        return false;
    if (orientation == 0)
        orientation = m_exif.IsExif ? m_exif.Orientation : 1;
    bool done = true;
    switch (orientation) {
    case 2: done = Mirror(); break;
    case 3: done = Rotate180(); break;
    case 4: done = Flip(); break;
    case 5: done = RotateRight() && Mirror(); break;   // transpose
    case 6: done = RotateRight(); break;
    case 7: done = RotateLeft() && Mirror(); break;    // transverse
    case 8: done = RotateLeft(); break;
    default: return true;
    }
    // The pixels are upright now; a saved EXIF block must not turn them a second time.
    if (done)
        m_exif.Orientation = 1;
    return done;
}
