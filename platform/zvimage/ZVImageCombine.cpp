// CZVImage: composition of pictures, frames, brush stamps and flood fill.
#include "ZVImage.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>
#include "ImageLimits.h"

using namespace zvimage;

namespace {

inline BYTE Mix(unsigned from, unsigned to, unsigned weight)
{
    return static_cast<BYTE>((from * (255 - weight) + to * weight + 127) / 255);
}

// Source colour and opacity of a pixel, counting a transparent colour as clear.
RGBQUAD SourcePixel(const CxImage& src, long x, long y)
{
    RGBQUAD c = src.GetPixelColor(x, y, true);
    if (!src.AlphaIsValid() && src.IsTransparent()) {
        const RGBQUAD t = src.GetTransColor();
        if (src.GetBpp() == 8 ? src.GetPixelIndex(x, y) == src.GetTransIndex()
                              : (c.rgbRed == t.rgbRed && c.rgbGreen == t.rgbGreen && c.rgbBlue == t.rgbBlue))
            c.rgbReserved = 0;
    }
    return c;
}

// The hole of a frame picture: the clear run around its centre row and column. Returns the
// widths of the four borders, or false when the frame has no clear middle.
bool FrameBorders(const CxImage& frame, long& left, long& top, long& right, long& bottom)
{
    const long w = frame.GetWidth(), h = frame.GetHeight(), cx = w / 2, cy = h / 2;
    auto clear = [&](long x, long y) { return SourcePixel(frame, x, y).rgbReserved < 128; };
    if (!clear(cx, cy))
        return false;
    long l = cx, r = cx, b = cy, t = cy;
    while (l > 0 && clear(l - 1, cy))
        --l;
    while (r < w - 1 && clear(r + 1, cy))
        ++r;
    while (b > 0 && clear(cx, b - 1))
        --b;
    while (t < h - 1 && clear(cx, t + 1))
        ++t;
    left = l;
    right = w - 1 - r;
    bottom = b;
    top = h - 1 - t;
    return left > 0 && right > 0 && top > 0 && bottom > 0;
}

} // namespace

bool CZVImage::CombineImage(const CxImage& srcIn, long x, long y)
{
    if (!IsValid() || !srcIn.IsValid())
        return false;
    // A picture laid over itself reads from a copy.
    CxImage own;
    if (&srcIn == this && !own.Copy(srcIn))
        return false;
    const CxImage& src = &srcIn == this ? own : srcIn;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    const long sw = src.GetWidth(), sh = src.GetHeight();
    // Source row r from the top lands on row y + r from the top.
    const long x0 = std::max(0L, -x), x1 = std::min<long>(sw, static_cast<long>(m_width) - x);
    const long r0 = std::max(0L, -y), r1 = std::min<long>(sh, static_cast<long>(m_height) - y);
    if (x0 >= x1 || r0 >= r1)
        return false;
    const bool fast = src.GetBpp() == 24 && !src.IsTransparent();
    for (long r = r0; r < r1; ++r) {
        // A picture laid over a large one is long work: the escape flag cuts it short.
        if (m_escape)
            return false;
        const long sy = sh - 1 - r, dy = static_cast<long>(m_height) - 1 - (y + r);
        BYTE* d = Row(dy) + (x + x0) * 3;
        BYTE* da = AlphaGetPointer(x + x0, dy);
        const BYTE* s = src.GetBits(sy) + x0 * 3;
        const BYTE* sa = src.AlphaGetPointer(x0, sy);
        for (long sx = x0; sx < x1; ++sx, d += 3) {
            RGBQUAD c;
            if (fast) {
                c = RGBQUAD{s[0], s[1], s[2], static_cast<BYTE>(sa ? *sa : 255)};
                s += 3;
                if (sa)
                    ++sa;
            } else {
                c = SourcePixel(src, sx, sy);
            }
            const unsigned a = c.rgbReserved;
            if (!da) {
                if (a) {
                    d[0] = Mix(d[0], c.rgbBlue, a);
                    d[1] = Mix(d[1], c.rgbGreen, a);
                    d[2] = Mix(d[2], c.rgbRed, a);
                }
                continue;
            }
            // Source over destination, both with alpha.
            const unsigned under = *da * (255 - a) / 255, out = a + under;
            if (out) {
                d[0] = static_cast<BYTE>((c.rgbBlue * a + d[0] * under + out / 2) / out);
                d[1] = static_cast<BYTE>((c.rgbGreen * a + d[1] * under + out / 2) / out);
                d[2] = static_cast<BYTE>((c.rgbRed * a + d[2] * under + out / 2) / out);
            }
            *da++ = static_cast<BYTE>(out);
        }
    }
    return true;
}

bool CZVImage::CombineImageNoBlended(const CxImage& src, long x, long y)
{
    if (!IsValid() || !src.IsValid())
        return false;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    if (src.AlphaIsValid() && !AlphaCreate())
        return false;
    const long sw = src.GetWidth(), sh = src.GetHeight();
    const long x0 = std::max(0L, -x), x1 = std::min<long>(sw, static_cast<long>(m_width) - x);
    const long r0 = std::max(0L, -y), r1 = std::min<long>(sh, static_cast<long>(m_height) - y);
    if (x0 >= x1 || r0 >= r1)
        return false;
    for (long r = r0; r < r1; ++r) {
        const long sy = sh - 1 - r, dy = static_cast<long>(m_height) - 1 - (y + r);
        for (long sx = x0; sx < x1; ++sx)
            SetPixelColor(x + sx, dy, src.GetPixelColor(sx, sy, true), true);
    }
    return true;
}

bool CZVImage::CombineFrame(CZVImage& target, const CxImage& frame, float zoom, long kind)
{
    return target.CombineFrame(frame, zoom, kind);
}

bool CZVImage::CombineFrame(const CxImage& frameIn, float zoom, long kind)
{
    if (!IsValid() || !frameIn.IsValid())
        return false;
    if (!(zoom > 0.0f) || !std::isfinite(zoom))
        zoom = 1.0f;
    const long w = m_width, h = m_height;
    // The escape flag of either picture stops the work early: the frame's cuts its resample
    // short, this picture's its laying.
    auto escaped = [&] { return frameIn.GetEscape() || GetEscape(); };
    long bl, bt, br, bb;
    if (kind == 0 || !FrameBorders(frameIn, bl, bt, br, bb)) {
        CxImage stretched;
        // Resampled into another picture: the caller's frame is only read.
        if (!const_cast<CxImage&>(frameIn).Resample(w, h, 1, &stretched) || escaped())
            return false;
        return CombineImage(stretched, 0, 0);
    }
    CxImage frame(frameIn);   // cut and scaled below; the caller's stays as it is
    // Nine parts: corners scaled by zoom, sides stretched (kind 1) or tiled (kind 2) along
    // the picture's edges, the middle left clear.
    const long fw = frame.GetWidth(), fh = frame.GetHeight();
    auto scaled = [&](long v) { return std::max(1L, std::lround(v * static_cast<double>(zoom))); };
    long L = scaled(bl), R = scaled(br), T = scaled(bt), B = scaled(bb);
    // Borders never take more than the picture: shrink them together when they would.
    const double fitX = std::min(1.0, w / static_cast<double>(L + R)), fitY = std::min(1.0, h / static_cast<double>(T + B));
    L = std::max(1L, static_cast<long>(L * fitX));
    R = std::max(1L, static_cast<long>(R * fitX));
    T = std::max(1L, static_cast<long>(T * fitY));
    B = std::max(1L, static_cast<long>(B * fitY));
    const long sx[4] = {0, bl, fw - br, fw}, sy[4] = {0, bt, fh - bb, fh};   // frame columns, rows from the top
    const long dx[4] = {0, L, w - R, w}, dy[4] = {0, T, h - B, h};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            if (row == 1 && col == 1)
                continue;
            if (escaped())
                return false;
            const long sw = sx[col + 1] - sx[col], sh = sy[row + 1] - sy[row];
            const long tw = dx[col + 1] - dx[col], th = dy[row + 1] - dy[row];
            if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0)
                continue;
            CxImage part;
            if (!frame.Crop(sx[col], sy[row], sx[col + 1], sy[row + 1], &part))
                return false;
            const bool corner = row != 1 && col != 1;
            if (kind == 2 && !corner) {
                // A side keeps its thickness and repeats along its length.
                const long pw = col == 1 ? std::max(1L, std::lround(sw * (double(th) / sh))) : tw;
                const long ph = row == 1 ? std::max(1L, std::lround(sh * (double(tw) / sw))) : th;
                if (!part.Resample(pw, ph, 1))
                    return false;
                CZVImage strip;
                if (!strip.Create(tw, th, 24) || !strip.AlphaCreate())
                    return false;
                strip.AlphaSet(0);
                for (long oy = 0; oy < th; oy += ph)
                    for (long ox = 0; ox < tw; ox += pw)
                        strip.CombineImageNoBlended(part, ox, oy);
                if (!CombineImage(strip, dx[col], dy[row]))
                    return false;
                continue;
            }
            if (!part.Resample(tw, th, 1) || !CombineImage(part, dx[col], dy[row]))
                return false;
        }
    return true;
}

BYTE* CZVImage::StrokeMask()
{
    if (!m_stroke || m_strokeWidth != m_width || m_strokeHeight != m_height) {
        m_stroke.reset(static_cast<BYTE*>(CheckedCalloc(uint64_t(m_width) * m_height)));
        m_strokeWidth = m_stroke ? m_width : 0;
        m_strokeHeight = m_stroke ? m_height : 0;
    }
    return m_stroke.get();
}

void CZVImage::PathClear()
{
    m_stroke.reset();
    m_strokeWidth = m_strokeHeight = 0;
}

bool CZVImage::Stamp(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour, StampKind kind)
{
    if (!IsValid() || !brush.IsValid() || size <= 0)
        return false;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    const CxImage* stamp = &brush;
    CxImage sized;
    if (brush.GetWidth() != static_cast<DWORD>(size) || brush.GetHeight() != static_cast<DWORD>(size)) {
        if (!sized.Copy(brush) || !sized.Resample(size, size, 1))
            return false;
        stamp = &sized;
    }
    BYTE* stroke = StrokeMask();
    if (!stroke)
        return false;
    const bool erase = kind == StampKind::Eraser && m_alpha;
    const long half = size / 2;
    for (long by = 0; by < size; ++by) {
        const long py = y - half + by;
        if (py < 0 || py >= static_cast<long>(m_height))
            continue;
        for (long bx = 0; bx < size; ++bx) {
            const long px = x - half + bx;
            if (px < 0 || px >= static_cast<long>(m_width))
                continue;
            // Cover: the brush's alpha, else its darkness (brush strips are dark on light).
            const RGBQUAD b = stamp->GetPixelColor(bx, by, true);
            unsigned cover = stamp->AlphaIsValid() ? b.rgbReserved : 255 - (b.rgbRed * 299 + b.rgbGreen * 587 + b.rgbBlue * 114) / 1000;
            if (kind == StampKind::Pen)
                cover = cover >= 128 ? 255 : 0;
            cover = cover * opacity / 255;
            BYTE& done = stroke[static_cast<size_t>(py) * m_width + px];
            if (cover <= done)
                continue;
            // Raising a pixel from the cover it had to the new one: blending by
            // (cover - done) / (255 - done) gives the same as one blend by cover.
            const unsigned step = (cover - done) * 255 / (255 - done);
            done = static_cast<BYTE>(cover);
            BYTE* a = AlphaGetPointer(px, py);
            if (erase) {
                *a = static_cast<BYTE>(*a * (255 - step) / 255);
                continue;
            }
            BYTE* p = Row(py) + px * 3;
            p[0] = Mix(p[0], colour.rgbBlue, step);
            p[1] = Mix(p[1], colour.rgbGreen, step);
            p[2] = Mix(p[2], colour.rgbRed, step);
            if (a)
                *a = Mix(*a, 255, step);
        }
    }
    return true;
}

bool CZVImage::CombineBrush(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour)
{
    return Stamp(brush, x, y, size, opacity, colour, StampKind::Brush);
}

bool CZVImage::CombinePen(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour)
{
    return Stamp(brush, x, y, size, opacity, colour, StampKind::Pen);
}

bool CZVImage::CombineEraser(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour)
{
    return Stamp(brush, x, y, size, opacity, colour, StampKind::Eraser);
}

bool CZVImage::CombineBlended(const CxImage& src, long x, long y, long width, long height, long opacity, long hardness,
                              long feather, long dx, long dy)
{
    if (!IsValid() || !src.IsValid() || width <= 0 || height <= 0)
        return false;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    BYTE* stroke = StrokeMask();
    if (!stroke)
        return false;
    // The source part is read before anything is written: the clone tool paints a picture
    // with pixels of its own.
    const long hw = width / 2, hh = height / 2;
    std::vector<RGBQUAD> part(static_cast<size_t>(width) * height);
    for (long j = 0; j < height; ++j)
        for (long i = 0; i < width; ++i) {
            const long sx = x - dx - hw + i, sy = y - dy - hh + j;
            part[static_cast<size_t>(j) * width + i] =
                src.IsInside(sx, sy) ? src.GetPixelColor(sx, sy, true) : RGBQUAD{0, 0, 0, 0};
        }
    const double radius = std::max(0.5, std::min(width, height) / 2.0);
    const double inner = radius * (1.0 - std::clamp(feather, 0L, 100L) / 100.0);
    const double strength = std::clamp(opacity, 0L, 100L) / 100.0, hard = std::clamp(hardness, 0L, 100L) / 100.0;
    for (long j = 0; j < height; ++j) {
        const long py = y - hh + j;
        if (py < 0 || py >= static_cast<long>(m_height))
            continue;
        for (long i = 0; i < width; ++i) {
            const long px = x - hw + i;
            if (px < 0 || px >= static_cast<long>(m_width))
                continue;
            const double d = std::hypot(i - (width - 1) / 2.0, j - (height - 1) / 2.0);
            if (d > radius)
                continue;
            double mask = d <= inner ? 1.0 : (radius - d) / std::max(1e-6, radius - inner);
            mask += (1.0 - mask) * hard;
            const RGBQUAD c = part[static_cast<size_t>(j) * width + i];
            const unsigned cover = static_cast<unsigned>(std::lround(mask * strength * c.rgbReserved));
            BYTE& done = stroke[static_cast<size_t>(py) * m_width + px];
            if (cover <= done)
                continue;
            const unsigned step = (cover - done) * 255 / (255 - done);
            done = static_cast<BYTE>(cover);
            BYTE* p = Row(py) + px * 3;
            p[0] = Mix(p[0], c.rgbBlue, step);
            p[1] = Mix(p[1], c.rgbGreen, step);
            p[2] = Mix(p[2], c.rgbRed, step);
        }
    }
    return true;
}

bool CZVImage::FloodFillZV(long x, long y, RGBQUAD colour, BYTE tolerance, BYTE opacity, bool selectFilled, BYTE selectionLevel)
{
    if (!IsValid() || !IsInside(x, y))
        return false;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    if (selectFilled && !SelectionCreate())
        return false;
    const RGBQUAD seed = GetPixelColor(x, y, false);
    const long w = m_width, h = m_height;
    std::vector<bool> seen(static_cast<size_t>(w) * h, false);
    auto matches = [&](long px, long py) {
        if (seen[static_cast<size_t>(py) * w + px])
            return false;
        const BYTE* p = Row(py) + px * 3;
        return std::abs(p[0] - seed.rgbBlue) <= tolerance && std::abs(p[1] - seed.rgbGreen) <= tolerance &&
               std::abs(p[2] - seed.rgbRed) <= tolerance;
    };
    // Span filling with an explicit stack: deep areas cannot overflow the thread's stack.
    std::vector<POINT> stack{POINT{x, y}};
    while (!stack.empty()) {
        const POINT at = stack.back();
        stack.pop_back();
        if (!matches(at.x, at.y))
            continue;
        long l = at.x, r = at.x;
        while (l > 0 && matches(l - 1, at.y))
            --l;
        while (r < w - 1 && matches(r + 1, at.y))
            ++r;
        for (long px = l; px <= r; ++px)
            seen[static_cast<size_t>(at.y) * w + px] = true;
        for (long ny : {at.y - 1, at.y + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            for (long px = l; px <= r; ++px)
                if (matches(px, ny) && (px == l || !matches(px - 1, ny)))
                    stack.push_back(POINT{px, ny});
        }
    }
    for (long py = 0; py < h; ++py) {
        BYTE* p = Row(py);
        BYTE* a = AlphaGetPointer(0, py);
        BYTE* s = selectFilled ? SelectionGetPointer(0, py) : nullptr;
        for (long px = 0; px < w; ++px) {
            if (!seen[static_cast<size_t>(py) * w + px])
                continue;
            p[px * 3] = Mix(p[px * 3], colour.rgbBlue, opacity);
            p[px * 3 + 1] = Mix(p[px * 3 + 1], colour.rgbGreen, opacity);
            p[px * 3 + 2] = Mix(p[px * 3 + 2], colour.rgbRed, opacity);
            if (a)
                a[px] = std::max(a[px], opacity);
            if (s)
                s[px] = std::max(s[px], selectionLevel);
        }
    }
    if (selectFilled)
        RecalcSelectionBox();
    return true;
}
