#include "Image.h"
#include <algorithm>
#include <cmath>
#include <cstdint>

CBCGPImage::CBCGPImage(UINT uiResID, HINSTANCE hinstRes) : m_images(std::make_shared<CBCGPToolBarImages>())
{
    if (!m_images->Load(uiResID, hinstRes))
        m_images.reset();
}

CBCGPImage::CBCGPImage(const CString& strPath) : m_images(std::make_shared<CBCGPToolBarImages>())
{
    if (!m_images->LoadFromFile(strPath))
        m_images.reset();
}

CBCGPImage::CBCGPImage(HBITMAP hbmp) : m_images(std::make_shared<CBCGPToolBarImages>())
{
    if (m_images->AddImage(hbmp, TRUE) < 0)
        m_images.reset();
}

CBCGPImage::CBCGPImage(const CBCGPImage& other) = default;
CBCGPImage& CBCGPImage::operator=(const CBCGPImage& other) = default;

BOOL CBCGPImage::Draw(CDC* pDC, const CRect& rect, double opacity) const
{
    if (IsEmpty())
        return FALSE;
    const BYTE alpha = static_cast<BYTE>(std::lround(std::clamp(opacity, 0.0, 1.0) * 255));
    return m_images->DrawEx(pDC, rect, 0, CRect(0, 0, 0, 0), FALSE, alpha);
}

BOOL CBCGPImage::Resize(const CSize& size)
{
    if (IsEmpty() || size.cx <= 0 || size.cy <= 0)
        return FALSE;
    const skinui::Pixels& src = m_images->GetPixels();
    // Tile and background pictures: far below this.
    if (size.cx > 16384 || size.cy > 16384 || static_cast<int64_t>(size.cx) * size.cy > 64LL * 1024 * 1024)
        return FALSE;
    skinui::Pixels scaled;
    scaled.width = size.cx;
    scaled.height = size.cy;
    scaled.data.assign(static_cast<size_t>(size.cx) * size.cy, 0);
    skinui::Resample(src, 0, 0, src.width, src.height, scaled, 0, 0, size.cx, size.cy);
    // Copies share their pictures: the resized one is a picture of its own.
    auto images = std::make_shared<CBCGPToolBarImages>();
    if (!images->LoadPixels(std::move(scaled)))
        return FALSE;
    m_images = std::move(images);
    return TRUE;
}

BOOL CBCGPImage::Colorize(COLORREF clr, double opacity)
{
    if (IsEmpty())
        return FALSE;
    const double t = std::clamp(opacity, 0.0, 1.0);
    skinui::Pixels pixels = m_images->GetPixels();
    for (uint32_t& px : pixels.data) {
        const uint32_t a = px >> 24;
        // Premultiplied: the target colour is scaled by the pixel's alpha too.
        auto channel = [&](int shift, int target) {
            const double v = ((px >> shift) & 0xFF) * (1.0 - t) + target * a / 255.0 * t;
            return static_cast<uint32_t>(std::min<long>(std::lround(v), static_cast<long>(a))) << shift;
        };
        px = (a << 24) | channel(16, GetRValue(clr)) | channel(8, GetGValue(clr)) | channel(0, GetBValue(clr));
    }
    auto images = std::make_shared<CBCGPToolBarImages>();
    if (!images->LoadPixels(std::move(pixels)))
        return FALSE;
    m_images = std::move(images);
    return TRUE;
}
