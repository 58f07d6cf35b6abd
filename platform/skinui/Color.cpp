#include "Color.h"
#include <algorithm>
#include <cmath>
#include "DrawManager.h"

namespace {
BYTE ToByte(double v)
{
    return static_cast<BYTE>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

// Eight hues across, light to dark down: the palette a colour picker offers first. Rows of
// 14 columns put each hue's shades in one row.
const COLORREF kStandardColors[] = {
    RGB(0, 0, 0),       RGB(64, 64, 64),    RGB(128, 128, 128), RGB(192, 192, 192), RGB(224, 224, 224), RGB(255, 255, 255),
    RGB(128, 0, 0),     RGB(192, 0, 0),     RGB(255, 0, 0),     RGB(255, 128, 128), RGB(128, 64, 0),    RGB(255, 128, 0),
    RGB(255, 192, 128), RGB(255, 224, 192), RGB(128, 128, 0),   RGB(192, 192, 0),   RGB(255, 255, 0),   RGB(255, 255, 128),
    RGB(0, 64, 0),      RGB(0, 128, 0),     RGB(0, 192, 0),     RGB(0, 255, 0),     RGB(128, 255, 128), RGB(0, 128, 128),
    RGB(0, 192, 192),   RGB(0, 255, 255),   RGB(128, 255, 255), RGB(0, 0, 128),     RGB(0, 0, 192),     RGB(0, 0, 255),
    RGB(0, 102, 204),   RGB(128, 128, 255), RGB(192, 192, 255), RGB(64, 0, 64),     RGB(128, 0, 128),   RGB(192, 0, 192),
    RGB(255, 0, 255),   RGB(255, 128, 255), RGB(255, 192, 224), RGB(128, 64, 64),   RGB(192, 128, 64),  RGB(64, 64, 128),
};
} // namespace

CBCGPColor::CBCGPColor(COLORREF color, double alpha)
    : r(GetRValue(color) / 255.0), g(GetGValue(color) / 255.0), b(GetBValue(color) / 255.0), a(alpha)
{
}

CBCGPColor::operator COLORREF() const
{
    return RGB(ToByte(r), ToByte(g), ToByte(b));
}

void CBCGPColor::MakeLighter(double dblRatio)
{
    const double alpha = a;
    *this = CBCGPColor(skinui::Lighter(*this, dblRatio), alpha);
}

void CBCGPColor::MakeDarker(double dblRatio)
{
    const double alpha = a;
    *this = CBCGPColor(skinui::Darker(*this, dblRatio), alpha);
}

void CBCGPColor::MakePale(double dblLum)
{
    const double alpha = a;
    *this = CBCGPColor(skinui::Pale(*this, dblLum), alpha);
}

int CBCGPColor::GetRGBArray(COLORREF* pColors, int nSize)
{
    const int count = static_cast<int>(std::size(kStandardColors));
    if (pColors)
        std::copy_n(kStandardColors, std::min(count, std::max(nSize, 0)), pColors);
    return count;
}

const COLORREF* CBCGPColor::GetRGBArray(int& nCount)
{
    nCount = static_cast<int>(std::size(kStandardColors));
    return kStandardColors;
}

void CBCGPBrush::SetColor(const CBCGPColor& color, double opacity)
{
    m_color = color;
    m_colorGradient = CBCGPColor(0, 0, 0, 0);
    m_type = BCGP_NO_GRADIENT;
    m_opacity = opacity;
}

void CBCGPBrush::SetColors(const CBCGPColor& color1, const CBCGPColor& color2, BCGP_GRADIENT_TYPE type, double opacity)
{
    m_color = color1;
    m_colorGradient = color2;
    m_type = type;
    m_opacity = opacity;
}

void CBCGPBrush::Fill(CDC* pDC, const CRect& rect) const
{
    if (IsEmpty())
        return;
    CBCGPDrawManager dm(*pDC);
    switch (m_type) {
    case BCGP_NO_GRADIENT:
        if (!m_color.IsNull())
            pDC->FillSolidRect(rect, m_color);
        break;
    case BCGP_GRADIENT_HORIZONTAL:
    case BCGP_GRADIENT_CENTER_HORIZONTAL:
        dm.FillGradient(rect, m_color, m_colorGradient, FALSE);
        break;
    default:
        // Vertical and the rest: top colour to bottom colour.
        dm.FillGradient(rect, m_colorGradient, m_color, TRUE);
        break;
    }
    if (m_image.IsEmpty())
        return;
    if (m_bStretch) {
        m_image.Draw(pDC, rect, m_opacity);
        return;
    }
    const CSize size = m_image.GetSize();
    for (int y = rect.top; y < rect.bottom; y += size.cy)
        for (int x = rect.left; x < rect.right; x += size.cx)
            m_image.Draw(pDC, CRect(CPoint(x, y), size), m_opacity);
}
