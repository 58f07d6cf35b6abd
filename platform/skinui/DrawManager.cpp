#include "DrawManager.h"
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>
#include "Win32Owners.h"

namespace skinui {
namespace {
BYTE Channel(double v)
{
    return static_cast<BYTE>(std::clamp(std::lround(v), 0L, 255L));
}
} // namespace

// Windows that repaint on every hover or layout change would flicker if painted on screen in
// several strokes.
void PaintBuffered(CWnd* wnd, const std::function<void(CDC*)>& paint, bool directIfNoBuffer)
{
    CPaintDC dc(wnd);
    CRect client;
    wnd->GetClientRect(&client);
    CDC mem;
    CBitmap bitmap;
    if (!client.IsRectEmpty() && mem.CreateCompatibleDC(&dc) && bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
        CBitmap* old = mem.SelectObject(&bitmap);
        paint(&mem);
        ::BitBlt(dc.m_hDC, 0, 0, client.Width(), client.Height(), mem.m_hDC, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    } else if (directIfNoBuffer) {
        paint(&dc);
    }
}

COLORREF Darker(COLORREF color, double ratio)
{
    ratio = std::clamp(ratio, 0.0, 1.0);
    return RGB(Channel(GetRValue(color) * (1 - ratio)), Channel(GetGValue(color) * (1 - ratio)),
               Channel(GetBValue(color) * (1 - ratio)));
}

COLORREF Lighter(COLORREF color, double ratio)
{
    ratio = std::clamp(ratio, 0.0, 1.0);
    auto up = [ratio](int c) { return Channel(c + (255 - c) * ratio); };
    return RGB(up(GetRValue(color)), up(GetGValue(color)), up(GetBValue(color)));
}

COLORREF ReadableOn(COLORREF mark, COLORREF ground, COLORREF fallback)
{
    // Rec. 601 weights; a third of the range tells two colours apart at a glance.
    auto luma = [](COLORREF c) { return 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c); };
    return std::abs(luma(mark) - luma(ground)) >= 85.0 ? mark : fallback;
}

COLORREF Pale(COLORREF color, double lum)
{
    // Hue and saturation of HLS are kept (saturation halved, as pale tints are soft), the
    // lightness is set.
    const double r = GetRValue(color) / 255.0, g = GetGValue(color) / 255.0, b = GetBValue(color) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    double h = 0, s = 0;
    const double l = (mx + mn) / 2;
    if (mx != mn) {
        const double d = mx - mn;
        s = l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
        if (mx == r)
            h = (g - b) / d + (g < b ? 6 : 0);
        else if (mx == g)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h /= 6;
    }
    s /= 2;
    lum = std::clamp(lum, 0.0, 1.0);
    auto hue = [](double p, double q, double t) {
        if (t < 0)
            t += 1;
        if (t > 1)
            t -= 1;
        if (t < 1.0 / 6)
            return p + (q - p) * 6 * t;
        if (t < 0.5)
            return q;
        if (t < 2.0 / 3)
            return p + (q - p) * (2.0 / 3 - t) * 6;
        return p;
    };
    const double q = lum < 0.5 ? lum * (1 + s) : lum + s - lum * s;
    const double p = 2 * lum - q;
    return RGB(Channel(hue(p, q, h + 1.0 / 3) * 255), Channel(hue(p, q, h) * 255), Channel(hue(p, q, h - 1.0 / 3) * 255));
}

COLORREF Mix(COLORREF a, COLORREF b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](int x, int y) { return Channel(x + (y - x) * t); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

COLORREF HighlightPixel(COLORREF pixel, int percent, COLORREF blend)
{
    if (blend != (COLORREF)-1)
        return Mix(pixel, blend, percent / 100.0);
    if (percent >= 100)
        return Lighter(pixel, (percent - 100) / 100.0);
    return Darker(pixel, (100 - percent) / 100.0);
}
} // namespace skinui

namespace {
// A 32-bit top-down copy of a rectangle of the device, written back by Put.
class PixelBlock {
public:
    // On a 32-bit DIB section selected in a plain memory DC (no clipping, no moved origin) the
    // pixels are changed where they are; elsewhere they are copied out and back.
    PixelBlock(HDC dc, const CRect& rect) : m_dc(dc), m_rect(rect)
    {
        if (InPlace())
            return;
        m_mem.emplace(::CreateCompatibleDC(dc));
        BITMAPINFO bi = win32::TopDownBitmapInfo(rect.Width(), rect.Height());
        void* bits = nullptr;
        m_bitmap.Reset(::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<DWORD*>(bits);
        m_stride = rect.Width();
        m_area = rect;
        if (m_bitmap.IsValid()) {
            m_selected.emplace(m_mem->Get(), m_bitmap.Get());
            ::BitBlt(m_mem->Get(), 0, 0, rect.Width(), rect.Height(), dc, rect.left, rect.top, SRCCOPY);
            ::GdiFlush();
        }
    }
    // Null when no pixels could be had.
    DWORD* Bits() const { return m_bits; }
    // The part of the rectangle held: in place, the part on the bitmap (GDI leaves the rest).
    const CRect& Area() const { return m_area; }
    // The pixel at (x, y) of the device, inside Area().
    DWORD* At(int x, int y) const
    {
        return m_bits + static_cast<ptrdiff_t>(y - m_area.top) * m_stride + (x - m_area.left);
    }
    void Put()
    {
        if (m_mem)
            ::BitBlt(m_dc, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_mem->Get(), 0, 0, SRCCOPY);
    }

private:
    bool InPlace()
    {
        DIBSECTION ds = {};
        HGDIOBJ bitmap = ::GetCurrentObject(m_dc, OBJ_BITMAP);
        if (!bitmap || ::GetObjectW(bitmap, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32)
            return false;
        POINT viewport = {}, window = {};
        ::GetViewportOrgEx(m_dc, &viewport);
        ::GetWindowOrgEx(m_dc, &window);
        HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
        const int clipped = ::GetClipRgn(m_dc, clip);
        ::DeleteObject(clip);
        if (viewport.x || viewport.y || window.x || window.y || clipped != 0)
            return false;
        const int height = std::abs(ds.dsBmih.biHeight);
        const CRect bounds(0, 0, ds.dsBm.bmWidth, height);
        if (!m_area.IntersectRect(m_rect, bounds))
            return true; // nothing of it on the bitmap: no pixels to change
        const ptrdiff_t stride = ds.dsBm.bmWidthBytes / 4;
        DWORD* origin = static_cast<DWORD*>(ds.dsBm.bmBits);
        if (!TopDown(origin, stride, height)) { // bottom-up: the rows run upward in memory
            m_bits = origin + (height - 1 - m_area.top) * stride + m_area.left;
            m_stride = -stride;
        } else {
            m_bits = origin + m_area.top * stride + m_area.left;
            m_stride = stride;
        }
        return true;
    }

    // The section's own header does not tell: its height is reported positive either way. One
    // pixel set through the device shows where row 0 lies; the memory is then put back as it was.
    bool TopDown(DWORD* origin, ptrdiff_t stride, int height) const
    {
        ::GdiFlush();
        DWORD* last = origin + (height - 1) * stride;
        const DWORD first = *origin, lastWas = *last;
        const COLORREF was = ::GetPixel(m_dc, 0, 0);
        ::SetPixelV(m_dc, 0, 0, was ^ RGB(255, 255, 255));
        ::GdiFlush();
        const bool topDown = *origin != first;
        *origin = first;
        *last = lastWas;
        return topDown;
    }

    HDC m_dc;
    CRect m_rect;
    CRect m_area{0, 0, 0, 0};
    // Declared in the order they are made: the bitmap is deselected before it is deleted, and
    // both before the DC goes.
    std::optional<win32::MemoryDc> m_mem;
    win32::GdiObject<HBITMAP> m_bitmap;
    std::optional<win32::ScopedSelect> m_selected;
    DWORD* m_bits = nullptr;
    ptrdiff_t m_stride = 0;
};

// DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
COLORREF FromDib(DWORD p)
{
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

DWORD ToDib(COLORREF c)
{
    return (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}
} // namespace

BOOL CBCGPDrawManager::HighlightRect(CRect rect, int nPercentage, COLORREF clrTransparent, int nTolerance, COLORREF clrBlend)
{
    if (nPercentage == 100 || rect.IsRectEmpty())
        return FALSE;
    if (nPercentage < 0)
        nPercentage = 110;
    PixelBlock block(m_dc.m_hDC, rect);
    if (!block.Bits())
        return FALSE;
    const CRect& area = block.Area();
    for (int y = area.top; y < area.bottom; ++y) {
        DWORD* p = block.At(area.left, y);
        for (int x = 0; x < area.Width(); ++x) {
            const COLORREF pixel = FromDib(p[x]);
            if (clrTransparent != (COLORREF)-1 && Near(pixel, clrTransparent, nTolerance))
                continue;
            p[x] = ToDib(skinui::HighlightPixel(pixel, nPercentage, clrBlend));
        }
    }
    block.Put();
    return TRUE;
}

void CBCGPDrawManager::DrawRect(const CRect& rect, COLORREF clrFill, COLORREF clrLine)
{
    if (rect.IsRectEmpty())
        return;
    if (clrFill != (COLORREF)-1)
        m_dc.FillSolidRect(rect, clrFill);
    if (clrLine != (COLORREF)-1) {
        const win32::GdiObject<HBRUSH> brush(::CreateSolidBrush(clrLine));
        ::FrameRect(m_dc.m_hDC, rect, brush.Get());
    }
}

void CBCGPDrawManager::DrawLine(int x1, int y1, int x2, int y2, COLORREF clrLine)
{
    const win32::GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, clrLine));
    const win32::ScopedSelect selected(m_dc.m_hDC, pen.Get());
    ::MoveToEx(m_dc.m_hDC, x1, y1, nullptr);
    ::LineTo(m_dc.m_hDC, x2, y2);
}

void CBCGPDrawManager::FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz, int nStartFlatPercentage,
                                    int nEndFlatPercentage)
{
    // bHorz: horizontal bands, finish colour at the top down to the start colour at the
    // bottom; otherwise vertical bands from start (left) to finish (right).
    const int length = bHorz ? rect.Height() : rect.Width();
    if (length <= 0)
        return;
    const int startFlat = length * std::clamp(nStartFlatPercentage, 0, 100) / 100;
    const int endFlat = length * std::clamp(nEndFlatPercentage, 0, 100) / 100;
    const int span = std::max(1, length - startFlat - endFlat);
    for (int i = 0; i < length; ++i) {
        const double t = std::clamp((i - startFlat) / static_cast<double>(span), 0.0, 1.0);
        if (bHorz) {
            const COLORREF c = skinui::Mix(colorFinish, colorStart, t);
            m_dc.FillSolidRect(rect.left, rect.top + i, rect.Width(), 1, c);
        } else {
            const COLORREF c = skinui::Mix(colorStart, colorFinish, t);
            m_dc.FillSolidRect(rect.left + i, rect.top, 1, rect.Height(), c);
        }
    }
}

void CBCGPDrawManager::FillGradient2(CRect rect, COLORREF colorStart, COLORREF colorFinish, int nGradientAngle)
{
    // 0: left to right, 90: bottom to top; other angles fall to the nearer of the two.
    const int angle = ((nGradientAngle % 360) + 360) % 360;
    if (angle >= 45 && angle < 135)
        FillGradient(rect, colorStart, colorFinish, TRUE);
    else if (angle >= 225 && angle < 315)
        FillGradient(rect, colorFinish, colorStart, TRUE);
    else if (angle >= 135 && angle < 225)
        FillGradient(rect, colorFinish, colorStart, FALSE);
    else
        FillGradient(rect, colorStart, colorFinish, FALSE);
}

BOOL CBCGPDrawManager::DrawShadow(CRect rect, int nDepth, int iMinBrightness, int iMaxBrightness)
{
    if (nDepth <= 0 || rect.IsRectEmpty())
        return FALSE;
    // Bands right of and below the rectangle, darkest next to it, in one block: a list paints a
    // shadow under every cell.
    const CRect area(rect.left + nDepth, rect.top + nDepth, rect.right + nDepth, rect.bottom + nDepth);
    PixelBlock block(m_dc.m_hDC, area);
    if (!block.Bits())
        return FALSE;
    auto band = [&](const CRect& r, int percent) {
        CRect b;
        if (percent == 100 || !b.IntersectRect(r, block.Area()))
            return;
        for (int y = b.top; y < b.bottom; ++y) {
            DWORD* p = block.At(b.left, y);
            for (int x = 0; x < b.Width(); ++x)
                p[x] = ToDib(skinui::HighlightPixel(FromDib(p[x]), percent, (COLORREF)-1));
        }
    };
    for (int i = 0; i < nDepth; ++i) {
        const int percent = iMaxBrightness + (iMinBrightness - iMaxBrightness) * i / nDepth;
        band(CRect(rect.right + i, rect.top + nDepth, rect.right + i + 1, rect.bottom + nDepth - i), percent);
        band(CRect(rect.left + nDepth, rect.bottom + i, rect.right + i, rect.bottom + i + 1), percent);
    }
    block.Put();
    return TRUE;
}
