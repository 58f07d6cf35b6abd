// CZVImage: exact-size zooms, fits, crops by proportion, pieces and polygons, rotary zoom and
// canvas expansion.
#include "ZVImage.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include "ImageLimits.h"
#include "ImageMath.h"

using namespace zvimage;

bool CZVImage::Zoom(long width, long height)
{
    if (!IsValid() || width <= 0 || height <= 0)
        return false;
    if (width == static_cast<long>(m_width) && height == static_cast<long>(m_height))
        return true;
    return Resample(width, height, 1);
}

bool CZVImage::ZoomFast(long width, long height)
{
    if (!IsValid() || width <= 0 || height <= 0)
        return false;
    if (width == static_cast<long>(m_width) && height == static_cast<long>(m_height))
        return true;
    return QIShrink(width, height);
}

bool CZVImage::ResampleInFrame(long width, long height, bool shrinkOnly)
{
    if (!IsValid() || width <= 0 || height <= 0)
        return false;
    const SIZE fit = FitSize(m_width, m_height, width, height, !shrinkOnly);
    if (fit.cx == static_cast<long>(m_width) && fit.cy == static_cast<long>(m_height))
        return true;
    return Resample(fit.cx, fit.cy, 1);
}

bool CZVImage::ResampleIncFrame(long width, long height, bool shrinkOnly)
{
    if (!ResampleInFrame(width, height, shrinkOnly))
        return false;
    for (auto& frame : m_frames) {
        const SIZE fit = FitSize(frame->GetWidth(), frame->GetHeight(), width, height, !shrinkOnly);
        if ((fit.cx != static_cast<long>(frame->GetWidth()) || fit.cy != static_cast<long>(frame->GetHeight())) &&
            !frame->Resample(fit.cx, fit.cy, 1))
            return false;
    }
    return true;
}

bool CZVImage::CropMax(long aspectWidth, long aspectHeight)
{
    if (!IsValid() || aspectWidth <= 0 || aspectHeight <= 0)
        return false;
    const RECT part = CropMaxRect(m_width, m_height, aspectWidth, aspectHeight);
    if (part.right - part.left == static_cast<long>(m_width) && part.bottom - part.top == static_cast<long>(m_height))
        return true;
    return Crop(part);
}

bool CZVImage::CropZoomInFrame(long width, long height)
{
    return CropMax(width, height) && Zoom(width, height);
}

bool CZVImage::CropImage(long pieceWidth, long pieceHeight, long row, long col, CxImage* dst)
{
    if (!IsValid() || pieceWidth <= 0 || pieceHeight <= 0 || row < 0 || col < 0)
        return false;
    const long long left = static_cast<long long>(col) * pieceWidth, top = static_cast<long long>(row) * pieceHeight;
    if (left >= m_width || top >= m_height)
        return false;
    const RECT piece = {static_cast<LONG>(left), static_cast<LONG>(top),
                        static_cast<LONG>(std::min<long long>(m_width, left + pieceWidth)),
                        static_cast<LONG>(std::min<long long>(m_height, top + pieceHeight))};
    return Crop(piece, dst);
}

bool CZVImage::CropFullImage(long pieceWidth, long pieceHeight, CxImage* dst)
{
    if (!IsValid() || pieceWidth <= 0 || pieceHeight <= 0)
        return false;
    // As many pieces as the splitter cuts: a last piece of half a size or more counts.
    const long across = static_cast<long>(static_cast<double>(m_width) / pieceWidth + 0.5);
    const long down = static_cast<long>(static_cast<double>(m_height) / pieceHeight + 0.5);
    if (across < 1 || down < 1)
        return false;
    const RECT covered = {0, 0, static_cast<LONG>(std::min<long long>(m_width, 1LL * across * pieceWidth)),
                          static_cast<LONG>(std::min<long long>(m_height, 1LL * down * pieceHeight))};
    return Crop(covered, dst);
}

bool CZVImage::CropPolygon(CxImage* dst)
{
    if (!IsValid() || !SelectionIsValid())
        return false;
    const RECT box = m_info.selectionBox;   // rows counted upward
    const RECT part = {box.left, static_cast<LONG>(m_height) - box.top, box.right, static_cast<LONG>(m_height) - box.bottom};
    CZVImage cut;
    if (!Crop(part, &cut) || !cut.AlphaCreate())
        return false;
    // Outside the selection becomes transparent; a partial selection thins the alpha.
    for (DWORD y = 0; y < cut.GetHeight(); ++y) {
        BYTE* a = cut.AlphaGetPointer(0, y);
        const BYTE* s = cut.SelectionGetPointer(0, y);
        for (DWORD x = 0; x < cut.GetWidth(); ++x)
            a[x] = static_cast<BYTE>(a[x] * s[x] / 255);
    }
    cut.SelectionDelete();
    if (dst)
        return dst->Transfer(cut);
    TakePixels(cut);
    return true;
}

bool CZVImage::RotaryZoom(float degrees, float zoomX, float zoomY, CxImage* dst)
{
    if (!IsValid() || !std::isfinite(degrees) || !(zoomX > 0) || !(zoomY > 0) || !std::isfinite(zoomX) || !std::isfinite(zoomY))
        return false;
    const double w = std::max(1.0, std::floor(m_width * static_cast<double>(zoomX) + 0.5));
    const double h = std::max(1.0, std::floor(m_height * static_cast<double>(zoomY) + 0.5));
    if (!SizeAllowed(static_cast<uint64_t>(w), static_cast<uint64_t>(h)))
        return false;
    // Scaling first keeps a shrinking zoom from aliasing; the turn then takes its exact path
    // for quarter turns and leaves transparent corners otherwise.
    CxImage scaled;
    CxImage* src = this;
    if (w != m_width || h != m_height) {
        if (!Resample(static_cast<long>(w), static_cast<long>(h), 1, &scaled))
            return false;
        src = &scaled;
    }
    CxImage turned;
    if (!src->Rotate2(degrees, &turned, IM_BILINEAR, OM_TRANSPARENT, nullptr, true, false))
        return false;
    return Deliver(turned, dst);
}

bool CZVImage::Expand(long left, long top, long right, long bottom, RGBQUAD colour, bool colourAlpha)
{
    if (!IsValid())
        return false;
    const long long w = static_cast<long long>(m_width) + left + right, h = static_cast<long long>(m_height) + top + bottom;
    if (w <= 0 || h <= 0 || !SizeAllowed(static_cast<uint64_t>(w), static_cast<uint64_t>(h)))
        return false;
    const BYTE newAlpha = colourAlpha ? colour.rgbReserved : 255;
    CxImage made;
    if (!MakeLike(made, static_cast<DWORD>(w), static_cast<DWORD>(h), m_alpha != nullptr || newAlpha < 255, false))
        return false;
    made.SetRectColor(RECT{0, 0, static_cast<LONG>(w), static_cast<LONG>(h)}, RGBQUAD{colour.rgbBlue, colour.rgbGreen, colour.rgbRed, newAlpha});
    // The kept part: source columns from max(0, -left), rows counted upward from the bottom margin.
    const long sx0 = std::max(0L, -left), sx1 = std::min<long>(m_width, static_cast<long>(w) - left);
    const long sy0 = std::max(0L, -bottom), sy1 = std::min<long>(m_height, static_cast<long>(h) - bottom);
    const size_t pixel = m_bpp / 8;
    for (long y = sy0; y < sy1 && sx0 < sx1; ++y) {
        std::memcpy(made.GetBits(y + bottom) + (sx0 + left) * pixel, Row(y) + sx0 * pixel, (sx1 - sx0) * pixel);
        if (BYTE* a = made.AlphaGetPointer(sx0 + left, y + bottom)) {
            if (m_alpha)
                std::memcpy(a, AlphaGetPointer(sx0, y), sx1 - sx0);
            else
                std::memset(a, 255, sx1 - sx0);
        }
    }
    made.SetTransIndex(m_info.transIndex);
    made.SetTransColor(m_info.transColor);
    TakePixels(made);
    return true;
}

bool CZVImage::ExpandZV(long left, long top, long right, long bottom, RGBQUAD colour)
{
    return Expand(left, top, right, bottom, colour, false);
}

bool CZVImage::ExpandFF(long left, long top, long right, long bottom, RGBQUAD colour)
{
    return Expand(left, top, right, bottom, colour, true);
}
