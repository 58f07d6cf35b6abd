// CxImage: drawing onto device contexts. Pictures with alpha (or a transparent colour) are
// blended by AlphaBlend from a premultiplied copy of the part that shows; opaque pictures go
// through StretchDIBits straight from the DIB.
#include "CxImage.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include "GdiApi.h"
#include "ImageLimits.h"

using namespace zvimage;

namespace {

class SavedDc {
public:
    explicit SavedDc(HDC dc) : m_dc(dc), m_state(Gdi()->SaveDC(dc)) {}
    ~SavedDc() { Gdi()->RestoreDC(m_dc, m_state); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC m_dc;
    int m_state;
};

// A memory DC whose one selection is taken back before the DC goes.
class MemoryDc {
public:
    explicit MemoryDc(HDC like) : m_dc(Gdi()->CreateCompatibleDC(like)) {}
    ~MemoryDc()
    {
        if (m_old)
            Gdi()->SelectObject(m_dc.Get(), m_old);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return m_dc.Get(); }
    void Select(HGDIOBJ object) { m_old = Gdi()->SelectObject(m_dc.Get(), object); }

private:
    BoundMemoryDc m_dc;
    HGDIOBJ m_old = nullptr;
};

// Narrows a to its overlap with b; false when nothing is left.
bool Intersect(RECT& a, const RECT& b)
{
    a.left = std::max(a.left, b.left);
    a.top = std::max(a.top, b.top);
    a.right = std::min(a.right, b.right);
    a.bottom = std::min(a.bottom, b.bottom);
    return a.left < a.right && a.top < a.bottom;
}

} // namespace

long CxImage::Draw(HDC dc, const RECT& rect, const RECT* clip, bool smooth, bool flipY) const
{
    return Draw(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, clip, smooth, flipY);
}

long CxImage::Draw(HDC dc, long x, long y, long cx, long cy, const RECT* clip, bool smooth, bool flipY) const
{
    if (!dc || !IsValid() || !Gdi())
        return 0;
    if (cx < 0)
        cx = m_width;
    if (cy < 0)
        cy = m_height;
    if (cx == 0 || cy == 0)
        return 0;
    const bool blend = m_alpha || IsTransparent();
    SavedDc saved(dc);
    if (!blend && !smooth) {
        if (clip)
            Gdi()->IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
        return Stretch(dc, x, y, cx, flipY ? -cy : cy, SRCCOPY);
    }
    RECT visible = {x, y, x + cx, y + cy};
    if (clip) {
        Gdi()->IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
        if (!Intersect(visible, *clip))
            return 1;
    }
    RECT box;
    if (Gdi()->GetClipBox(dc, &box) != ERROR && !Intersect(visible, box))
        return 1;
    // The part of the picture behind the visible rectangle, one pixel wider for rounding;
    // source columns from the left, rows from the top.
    const double sx = static_cast<double>(m_width) / cx, sy = static_cast<double>(m_height) / cy;
    const long left = std::max(0L, static_cast<long>(std::floor((visible.left - x) * sx)) - 1);
    const long right = std::min<long>(m_width, static_cast<long>(std::ceil((visible.right - x) * sx)) + 1);
    long top = std::max(0L, static_cast<long>(std::floor((visible.top - y) * sy)) - 1);
    long bottom = std::min<long>(m_height, static_cast<long>(std::ceil((visible.bottom - y) * sy)) + 1);
    if (flipY) {
        const long t = m_height - bottom;
        bottom = m_height - top;
        top = t;
    }
    if (left >= right || top >= bottom)
        return 1;
    // Destination of that part, and its size there: a smooth draw resamples to it first.
    const long dl = x + static_cast<long>(std::lround(left / sx)), dr = x + static_cast<long>(std::lround(right / sx));
    const long pt = flipY ? static_cast<long>(m_height) - bottom : top, pb = flipY ? static_cast<long>(m_height) - top : bottom;
    const long dt = y + static_cast<long>(std::lround(pt / sy)), db = y + static_cast<long>(std::lround(pb / sy));
    if (dr <= dl || db <= dt)
        return 1;
    // The part as it will be shown: cut, turned over, resampled and keyed only when needed,
    // so that a whole picture drawn as it is makes no copy before its bitmap.
    const bool whole = left == 0 && top == 0 && right == static_cast<long>(m_width) && bottom == static_cast<long>(m_height);
    const bool resample = smooth && (right - left != dr - dl || bottom - top != db - dt) && SizeAllowed(dr - dl, db - dt);
    CxImage cut, work;
    const CxImage* part = this;
    if (!whole) {
        if (!CropInto(RECT{left, top, right, bottom}, cut))
            return 0;
        part = &cut;
    }
    if (resample) {
        if (!part->ResampledInto(dr - dl, db - dt, 1, work))
            return 0;
        part = &work;
    }
    if (flipY || (blend && !part->m_alpha)) {
        if (part != &work && !work.Copy(*part))
            return 0;
        part = &work;
        if (flipY)
            work.Flip(false, true);
    }
    if (!blend) {
        Gdi()->SetStretchBltMode(dc, COLORONCOLOR);
        return part->Stretch(dc, dl, dt, dr - dl, db - dt, SRCCOPY);
    }
    if (!part->m_alpha) {
        // A transparent colour becomes alpha 0 for the blend.
        const RGBQUAD t = GetTransColor();
        work.AlphaCreate();
        for (DWORD py = 0; py < work.m_height; ++py)
            for (DWORD px = 0; px < work.m_width; ++px) {
                const RGBQUAD c = work.GetPixelColor(px, py, false);
                if (c.rgbRed == t.rgbRed && c.rgbGreen == t.rgbGreen && c.rgbBlue == t.rgbBlue)
                    work.AlphaSet(px, py, 0);
            }
    }
    const BoundGdiObject<HBITMAP> bitmap(part->MakeBitmap(nullptr, true));
    MemoryDc memory(dc);
    if (!bitmap.IsValid() || !memory.Get())
        return 0;
    memory.Select(bitmap.Get());
    Gdi()->SetStretchBltMode(dc, COLORONCOLOR);
    const BLENDFUNCTION blendFunction = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return Gdi()->GdiAlphaBlend(dc, dl, dt, dr - dl, db - dt, memory.Get(), 0, 0, part->m_width, part->m_height, blendFunction) ? 1 : 0;
}

long CxImage::Draw2(HDC dc, const RECT& rect) const
{
    return Draw2(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

long CxImage::Draw2(HDC dc, long x, long y, long cx, long cy) const
{
    if (!dc || !IsValid())
        return 0;
    if (cx < 0)
        cx = m_width;
    if (cy < 0)
        cy = m_height;
    if (!m_alpha)
        return Stretch(dc, x, y, cx, cy, SRCCOPY);
    // Printers cannot blend: the picture is flattened onto its transparent colour first.
    CxImage flat(*this);
    if (!flat.AlphaStrip())
        return 0;
    return flat.Stretch(dc, x, y, cx, cy, SRCCOPY);
}

long CxImage::Stretch(HDC dc, const RECT& rect, DWORD rop) const
{
    return Stretch(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, rop);
}

long CxImage::Stretch(HDC dc, long x, long y, long cx, long cy, DWORD rop) const
{
    if (!dc || !IsValid() || cx == 0 || cy == 0 || !Gdi())
        return 0;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(m_dib.get());
    const int previous = Gdi()->SetStretchBltMode(dc, COLORONCOLOR);
    // A negative height draws the picture upside down, as StretchDIBits does.
    const long top = cy < 0 ? y - cy - 1 : y;
    const int lines = Gdi()->StretchDIBits(dc, x, cy < 0 ? top : y, cx, cy, 0, 0, m_width, m_height, m_bits, info, DIB_RGB_COLORS, rop);
    if (previous)
        Gdi()->SetStretchBltMode(dc, previous);
    return lines != static_cast<int>(GDI_ERROR) && lines != 0 ? 1 : 0;
}

long CxImage::Tile(HDC dc, const RECT* rect) const
{
    if (!dc || !rect || !IsValid())
        return 0;
    // A small tile (a checker pattern) is first repeated into a block of about 256 pixels, so
    // that a large area takes a few draws instead of one a tile.
    const CxImage* tile = this;
    CxImage block;
    const DWORD nx = std::max<DWORD>(1, 256 / m_width), ny = std::max<DWORD>(1, 256 / m_height);
    if ((nx > 1 || ny > 1) && MakeLike(block, m_width * nx, m_height * ny, m_alpha != nullptr, false)) {
        const size_t pixel = m_bpp / 8;
        for (DWORD y = 0; y < block.m_height; ++y)
            for (DWORD i = 0; i < nx; ++i) {
                std::memcpy(block.Row(y) + i * m_width * pixel, Row(y % m_height), m_width * pixel);
                if (m_alpha)
                    std::memcpy(block.AlphaGetPointer(i * m_width, y), AlphaGetPointer(0, y % m_height), m_width);
            }
        block.m_info.transIndex = m_info.transIndex;
        block.m_info.transColor = m_info.transColor;
        tile = &block;
    }
    // Rows from the top: the tile's top row starts each band.
    for (long y = rect->top; y < rect->bottom; y += tile->m_height)
        for (long x = rect->left; x < rect->right; x += tile->m_width)
            if (!tile->Draw(dc, x, y, -1, -1, rect))
                return 0;
    return 1;
}
