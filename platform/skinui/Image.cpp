#include "Image.h"
#include <algorithm>
#include <cmath>

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
