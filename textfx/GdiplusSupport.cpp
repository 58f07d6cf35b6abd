#include "GdiplusSupport.h"

using namespace Gdiplus;

namespace TextDesigner {

bool PixelsPerPageUnit(Unit unit, float dpi, float* factor)
{
    // The single-precision factors are the ones the measuring has always used; results that
    // feed picture sizes must not drift by a rounding.
    switch (unit) {
    case UnitDisplay:
    case UnitPixel: *factor = 1.0f; return true;
    case UnitPoint: *factor = dpi * 0.013888889f; return true;
    case UnitInch: *factor = dpi; return true;
    case UnitDocument: *factor = dpi * 0.0033333334f; return true;
    case UnitMillimeter: *factor = dpi * 0.03937008f; return true;
    default: return false;
    }
}

void CopyRenderSettings(Graphics* from, Graphics* to)
{
    to->SetCompositingMode(from->GetCompositingMode());
    to->SetCompositingQuality(from->GetCompositingQuality());
    to->SetInterpolationMode(from->GetInterpolationMode());
    to->SetSmoothingMode(from->GetSmoothingMode());
    to->SetTextRenderingHint(from->GetTextRenderingHint());
    to->SetPageUnit(from->GetPageUnit());
    to->SetPageScale(from->GetPageScale());
}

BitmapBits::BitmapBits(Bitmap* bitmap, PixelFormat format, UINT mode) : m_bitmap(bitmap)
{
    if (!bitmap)
        return;
    Rect all(0, 0, static_cast<INT>(bitmap->GetWidth()), static_cast<INT>(bitmap->GetHeight()));
    m_locked = bitmap->LockBits(&all, mode, format, &m_data) == Gdiplus::Ok && m_data.Scan0;
}

BitmapBits::~BitmapBits()
{
    if (m_locked)
        m_bitmap->UnlockBits(&m_data);
}

uint32_t* BitmapBits::Row(int y) const
{
    // The stride may be negative for a bottom-up bitmap; step in pointer-sized arithmetic.
    return reinterpret_cast<uint32_t*>(static_cast<BYTE*>(m_data.Scan0) +
                                       static_cast<INT_PTR>(y) * m_data.Stride);
}

GraphicsDc::GraphicsDc(Graphics* graphics) : m_graphics(graphics), m_dc(graphics->GetHDC()) {}

GraphicsDc::~GraphicsDc()
{
    if (m_dc)
        m_graphics->ReleaseHDC(m_dc);
}

} // namespace TextDesigner
