#pragma once
// Small owners and helpers around GDI and GDI+ used by the text engines.
#include <windows.h>
#include <gdiplus.h>
#include <cstdint>
#include "ZVUILibDef.h"

namespace TextDesigner {

// Pixels per page unit of a Graphics: 1 for Display and Pixel, dpi/72 for Point, dpi for
// Inch, dpi/300 for Document, dpi/25.4 for Millimeter; false for World and unknown units.
ZVUILIB_API bool PixelsPerPageUnit(Gdiplus::Unit unit, float dpi, float* factor);

// Copies compositing mode and quality, interpolation, smoothing, text hint, page unit and scale.
void CopyRenderSettings(Gdiplus::Graphics* from, Gdiplus::Graphics* to);

// Direct access to the pixels of a GDI+ bitmap in a 32-bit format, unlocked on destruction.
class BitmapBits {
public:
    BitmapBits(Gdiplus::Bitmap* bitmap, Gdiplus::PixelFormat format,
               UINT mode = Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite);
    ~BitmapBits();
    BitmapBits(const BitmapBits&) = delete;
    BitmapBits& operator=(const BitmapBits&) = delete;

    bool Ok() const { return m_locked; }
    int Width() const { return static_cast<int>(m_data.Width); }
    int Height() const { return static_cast<int>(m_data.Height); }
    uint32_t* Row(int y) const;

private:
    Gdiplus::Bitmap* m_bitmap;
    Gdiplus::BitmapData m_data = {};
    bool m_locked = false;
};

// The device context of a Graphics, handed back on destruction.
class GraphicsDc {
public:
    explicit GraphicsDc(Gdiplus::Graphics* graphics);
    ~GraphicsDc();
    GraphicsDc(const GraphicsDc&) = delete;
    GraphicsDc& operator=(const GraphicsDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    Gdiplus::Graphics* m_graphics;
    HDC m_dc;
};

// The background mode of a device context, restored on destruction.
class ScopedBkMode {
public:
    ScopedBkMode(HDC dc, int mode) : m_dc(dc), m_previous(SetBkMode(dc, mode)) {}
    ~ScopedBkMode() { if (m_previous) SetBkMode(m_dc, m_previous); }
    ScopedBkMode(const ScopedBkMode&) = delete;
    ScopedBkMode& operator=(const ScopedBkMode&) = delete;

private:
    HDC m_dc;
    int m_previous;
};

} // namespace TextDesigner
