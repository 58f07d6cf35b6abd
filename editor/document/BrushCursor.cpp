#include "BrushCursor.h"
#include <vector>
#include "Win32Owners.h"

namespace {

// Dots of 0x010101 rather than black: black is the transparent colour of the masks.
const COLORREF kDotColour = RGB(1, 1, 1);

int SystemDpi()
{
    win32::ScreenDc screen(::GetDC(nullptr));
    return screen.IsValid() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
}

// The bitmap's pixels as 32-bit top-down rows; empty when it cannot be read.
std::vector<DWORD> ReadPixels(HBITMAP bitmap, int& width, int& height)
{
    std::vector<DWORD> pixels;
    BITMAP info = {};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return pixels;
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO header = win32::TopDownBitmapInfo(width, height);
    pixels.resize(static_cast<size_t>(width) * height);
    win32::ScreenDc screen(::GetDC(nullptr));
    if (::GetDIBits(screen.Get(), bitmap, 0, height, pixels.data(), &header, DIB_RGB_COLORS) != height)
        pixels.clear();
    return pixels;
}

void DrawOutline(HDC dc, int width, int height, bool cross, int crossSize)
{
    const auto figure = [&](HPEN pen) {
        win32::ScopedSelect keepPen(dc, pen);
        if (cross) {
            const int c = crossSize / 2;
            ::MoveToEx(dc, 0, c, nullptr);
            ::LineTo(dc, crossSize, c);
            ::MoveToEx(dc, c, 0, nullptr);
            ::LineTo(dc, c, crossSize);
        } else {
            ::Ellipse(dc, 0, 0, width, height);
        }
    };
    win32::GdiObject<HPEN> white(::CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    win32::GdiObject<HPEN> dotted(::CreatePen(PS_DOT, 1, kDotColour));
    figure(white.Get());
    figure(dotted.Get());
}

} // namespace

int BrushCrossSize(int dpi)
{
    return dpi <= 96 ? 16 : MulDiv(16, dpi, 96);
}

HBITMAP CreateBrushCursorBitmap(int width, int height)
{
    const bool cross = width < 16;
    const int crossSize = BrushCrossSize(SystemDpi());
    const int w = cross ? crossSize : width, h = cross ? crossSize : height;
    if (w <= 0 || h <= 0)
        return nullptr;
    win32::ScreenDc screen(::GetDC(nullptr));
    BitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), w, h));
    win32::MemoryDc dc(::CreateCompatibleDC(screen.Get()));
    if (!bitmap.IsValid() || !dc.IsValid())
        return nullptr;
    {
        win32::ScopedSelect keepBitmap(dc.Get(), bitmap.Get());
        win32::GdiObject<HBRUSH> black(::CreateSolidBrush(RGB(0, 0, 0)));
        const RECT all = {0, 0, w, h};
        ::FillRect(dc.Get(), &all, black.Get());
        ::SetBkMode(dc.Get(), TRANSPARENT);
        win32::ScopedSelect keepBrush(dc.Get(), black.Get());
        DrawOutline(dc.Get(), w, h, cross, crossSize);
    }
    return bitmap.Release();
}

BOOL GetMaskBitmaps(HBITMAP bitmap, HBITMAP& andMask, HBITMAP& xorMask)
{
    andMask = xorMask = nullptr;
    int width = 0, height = 0;
    std::vector<DWORD> pixels = ReadPixels(bitmap, width, height);
    if (pixels.empty())
        return FALSE;
    // The AND mask is monochrome, rows padded to 16 bits; a set bit keeps the screen.
    const int stride = ((width + 15) / 16) * 2;
    std::vector<BYTE> andBits(static_cast<size_t>(stride) * height, 0);
    std::vector<DWORD> xorBits(pixels.size(), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const DWORD colour = pixels[static_cast<size_t>(y) * width + x] & 0x00FFFFFF;
            if (colour == 0)
                andBits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            else
                xorBits[static_cast<size_t>(y) * width + x] = colour;
        }
    BitmapHandle madeAnd(::CreateBitmap(width, height, 1, 1, andBits.data()));
    BitmapHandle madeXor(::CreateBitmap(width, height, 1, 32, xorBits.data()));
    if (!madeAnd.IsValid() || !madeXor.IsValid())
        return FALSE;
    andMask = madeAnd.Release();
    xorMask = madeXor.Release();
    return TRUE;
}

HCURSOR CreateCursorFromBitmap(HBITMAP bitmap, int hotX, int hotY)
{
    if (!bitmap)
        return nullptr;
    BitmapHandle andMask, xorMask;
    HBITMAP a = nullptr, x = nullptr;
    if (!GetMaskBitmaps(bitmap, a, x))
        return nullptr;
    andMask.Reset(a);
    xorMask.Reset(x);
    ICONINFO info = {};
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(hotX);
    info.yHotspot = static_cast<DWORD>(hotY);
    info.hbmMask = andMask.Get();
    info.hbmColor = xorMask.Get();
    return static_cast<HCURSOR>(::CreateIconIndirect(&info));
}
