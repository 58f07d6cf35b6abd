#include "ControlRenderer.h"
#include "NinePart.h"

IMPLEMENT_DYNCREATE(CBCGPControlRenderer, CObject)

BOOL CBCGPControlRenderer::Create(const CBCGPControlRendererParams& params, BOOL /*bFlipvert*/)
{
    CleanUp();
    m_params = params;
    if (!params.m_uiBmpResID)
        return TRUE;
    m_images.SetTransparentColor(params.m_clrTransparent);
    return m_images.Load(params.m_uiBmpResID);
}

BOOL CBCGPControlRenderer::Create(const CBCGPControlRendererParams& params, HBITMAP hbmp)
{
    CleanUp();
    m_params = params;
    m_images.SetTransparentColor(params.m_clrTransparent);
    return m_images.AddImage(hbmp, TRUE) >= 0;
}

void CBCGPControlRenderer::CleanUp()
{
    m_images.Clear();
    m_params = CBCGPControlRendererParams();
}

int CBCGPControlRenderer::GetImageCount() const
{
    const int h = m_params.m_rectImage.Height();
    return IsValid() && h > 0 ? m_images.GetBitmapSize().cy / h : 0;
}

CRect CBCGPControlRenderer::StateRect(UINT index) const
{
    CRect r = m_params.m_rectImage;
    r.OffsetRect(0, static_cast<int>(index) * r.Height());
    return r;
}

void CBCGPControlRenderer::DrawParts(CDC* pDC, CRect rect, UINT index, BYTE alphaSrc, bool frame, bool interior)
{
    if (!pDC || !IsValid() || static_cast<int>(index) >= GetImageCount() || rect.IsRectEmpty())
        return;
    const CRect src = StateRect(index);
    CRect sides = m_params.m_rectSides.IsRectNull() ? m_params.m_rectCorners : m_params.m_rectSides;
    for (const skinui::NinePart& part : skinui::NineParts(src, m_params.m_rectCorners, sides, rect)) {
        const bool isInterior = part.kind == skinui::NinePart::Interior;
        if ((isInterior && !interior) || (!isInterior && !frame))
            continue;
        CRect from = part.src;
        if (isInterior && !m_params.m_rectInter.IsRectEmpty()) {
            from = m_params.m_rectInter;
            from.OffsetRect(src.left, src.top);
        }
        m_images.DrawEx(pDC, part.dst, 0, from, FALSE, alphaSrc);
    }
}

void CBCGPControlRenderer::Draw(CDC* pDC, CRect rect, UINT index, BYTE alphaSrc)
{
    DrawParts(pDC, rect, index, alphaSrc, true, true);
}

void CBCGPControlRenderer::DrawFrame(CDC* pDC, CRect rect, UINT index, BYTE alphaSrc)
{
    DrawParts(pDC, rect, index, alphaSrc, true, false);
}

void CBCGPControlRenderer::FillInterior(CDC* pDC, CRect rect, UINT index, BYTE alphaSrc)
{
    if (!IsValid() || static_cast<int>(index) >= GetImageCount())
        return;
    const CRect src = StateRect(index);
    CRect from = m_params.m_rectInter;
    if (from.IsRectEmpty()) {
        from = src;
        from.DeflateRect(m_params.m_rectCorners.left, m_params.m_rectCorners.top, m_params.m_rectCorners.right,
                         m_params.m_rectCorners.bottom);
    } else {
        from.OffsetRect(src.left, src.top);
    }
    m_images.DrawEx(pDC, rect, 0, from, FALSE, alphaSrc);
}
