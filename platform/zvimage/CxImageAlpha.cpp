// CxImage: the alpha plane.
#include "CxImage.h"
#include <algorithm>
#include <cstring>

bool CxImage::AlphaCreate()
{
    if (!IsValid())
        return false;
    if (m_alpha)
        return true;
    const size_t plane = static_cast<size_t>(m_width) * m_height;
    m_alpha.reset(static_cast<BYTE*>(std::malloc(plane)));
    if (!m_alpha)
        return false;
    std::memset(m_alpha.get(), 255, plane);
    return true;
}

void CxImage::AlphaDelete()
{
    m_alpha.reset();
}

void CxImage::AlphaSet(BYTE level)
{
    if (m_alpha)
        std::memset(m_alpha.get(), level, static_cast<size_t>(m_width) * m_height);
}

void CxImage::AlphaSet(long x, long y, BYTE level)
{
    if (m_alpha && IsInside(x, y))
        m_alpha.get()[static_cast<size_t>(y) * m_width + x] = level;
}

BYTE CxImage::AlphaGet(long x, long y) const
{
    if (!m_alpha || !IsInside(x, y))
        return 0;
    return m_alpha.get()[static_cast<size_t>(y) * m_width + x];
}

bool CxImage::AlphaSetMax(BYTE max)
{
    // A picture without a plane is opaque everywhere, so capping it gives a plane of max.
    if (!AlphaCreate())
        return false;
    BYTE* a = m_alpha.get();
    const size_t plane = static_cast<size_t>(m_width) * m_height;
    for (size_t i = 0; i < plane; ++i)
        a[i] = std::min(a[i], max);
    return true;
}

bool CxImage::AlphaStrip()
{
    if (!IsValid())
        return false;
    if (!m_alpha)
        return true;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    const RGBQUAD bg = m_info.transColor;
    const BYTE* a = m_alpha.get();
    for (DWORD y = 0; y < m_height; ++y) {
        BYTE* p = Row(y);
        for (DWORD x = 0; x < m_width; ++x, p += 3, ++a) {
            const unsigned alpha = *a, rest = 255 - alpha;
            p[0] = static_cast<BYTE>((p[0] * alpha + bg.rgbBlue * rest + 127) / 255);
            p[1] = static_cast<BYTE>((p[1] * alpha + bg.rgbGreen * rest + 127) / 255);
            p[2] = static_cast<BYTE>((p[2] * alpha + bg.rgbRed * rest + 127) / 255);
        }
    }
    AlphaDelete();
    return true;
}

BYTE* CxImage::AlphaGetPointer(long x, long y) const
{
    if (!m_alpha || !IsInside(x, y))
        return nullptr;
    return m_alpha.get() + static_cast<size_t>(y) * m_width + x;
}
