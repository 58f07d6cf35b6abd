#include "RibbonSlider.h"
#include <algorithm>
#include "GlobalData.h"
#include "VisualManager.h"

namespace {
const int kButton = 16;   // a zoom button's width
const int kThumbWidth = 5;
const int kThumbHeight = 14;
} // namespace

namespace skinui {

CRect SliderGeometry::ZoomOutRect() const
{
    return zoomButtons ? CRect(rect.left, rect.top, rect.left + kButton, rect.bottom) : CRect(0, 0, 0, 0);
}

CRect SliderGeometry::ZoomInRect() const
{
    return zoomButtons ? CRect(rect.right - kButton, rect.top, rect.right, rect.bottom) : CRect(0, 0, 0, 0);
}

CRect SliderGeometry::ChannelRect() const
{
    CRect channel = rect;
    if (zoomButtons)
        channel.DeflateRect(kButton + 2, 0);
    // The thumb's centre stays on the channel: half a thumb of room at each end.
    channel.DeflateRect(kThumbWidth / 2 + 1, 0);
    return channel;
}

CRect SliderGeometry::ThumbRect(int nPos) const
{
    const CRect channel = ChannelRect();
    const int pos = std::max(nMin, std::min(nMax, nPos));
    // Rounded as PosFromX rounds, so that a thumb's centre maps back to its position.
    const long long span = nMax - nMin;
    const int x = span > 0 ? channel.left + static_cast<int>((2LL * channel.Width() * (pos - nMin) + span) / (2 * span)) : channel.left;
    const int y = rect.CenterPoint().y;
    return CRect(x - kThumbWidth / 2, y - kThumbHeight / 2, x - kThumbWidth / 2 + kThumbWidth, y - kThumbHeight / 2 + kThumbHeight);
}

int SliderGeometry::PosFromX(int x) const
{
    const CRect channel = ChannelRect();
    if (nMax <= nMin || channel.Width() <= 0)
        return nMin;
    const int offset = std::max(0, std::min<int>(channel.Width(), x - channel.left));
    // Rounded to the nearest position.
    return nMin + static_cast<int>((static_cast<long long>(offset) * (nMax - nMin) * 2 + channel.Width()) / (2LL * channel.Width()));
}

} // namespace skinui

IMPLEMENT_DYNCREATE(CBCGPRibbonSlider, CBCGPBaseRibbonElement)

CBCGPRibbonSlider::CBCGPRibbonSlider(UINT nID, int nWidth) : m_nWidth(nWidth)
{
    m_nID = nID;
}

void CBCGPRibbonSlider::SetRange(int nMin, int nMax)
{
    m_nMin = nMin;
    m_nMax = std::max(nMin, nMax);
    m_nPos = std::max(m_nMin, std::min(m_nMax, m_nPos));
    Redraw();
}

void CBCGPRibbonSlider::SetPos(int nPos, BOOL bRedraw)
{
    m_nPos = std::max(m_nMin, std::min(m_nMax, nPos));
    if (bRedraw)
        Redraw();
}

CSize CBCGPRibbonSlider::GetRegularSize(CDC*)
{
    return CSize(m_nWidth + (m_bZoomButtons ? 2 * (kButton + 2) : 0), globalData.GetTextHeight() + 8);
}

void CBCGPRibbonSlider::OnDraw(CDC* pDC)
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const skinui::SliderGeometry g = Geometry();
    if (m_bZoomButtons) {
        manager->OnDrawRibbonSliderZoomButton(pDC, g.ZoomOutRect(), FALSE, m_hot == ZoomOut, m_pressed == ZoomOut,
                                              m_bIsDisabled || m_nPos <= m_nMin);
        manager->OnDrawRibbonSliderZoomButton(pDC, g.ZoomInRect(), TRUE, m_hot == ZoomIn, m_pressed == ZoomIn,
                                              m_bIsDisabled || m_nPos >= m_nMax);
    }
    CRect channel = g.ChannelRect();
    channel.InflateRect(kThumbWidth / 2 + 1, 0);
    manager->OnDrawRibbonSliderChannel(pDC, channel);
    manager->OnDrawRibbonSliderThumb(pDC, g.ThumbRect(m_nPos), m_hot == Thumb, m_pressed == Thumb, m_bIsDisabled);
}

CBCGPRibbonSlider::Part CBCGPRibbonSlider::HitPart(CPoint point) const
{
    const skinui::SliderGeometry g = Geometry();
    if (!m_rect.PtInRect(point))
        return None;
    if (m_bZoomButtons && g.ZoomOutRect().PtInRect(point))
        return ZoomOut;
    if (m_bZoomButtons && g.ZoomInRect().PtInRect(point))
        return ZoomIn;
    CRect thumb = g.ThumbRect(m_nPos);
    thumb.InflateRect(2, 2);
    if (thumb.PtInRect(point))
        return Thumb;
    return Channel;
}

void CBCGPRibbonSlider::MoveTo(int nPos)
{
    const int old = m_nPos;
    SetPos(nPos, TRUE);
    if (m_nPos != old)
        NotifyCommand();
}

void CBCGPRibbonSlider::OnMouseMove(CPoint point)
{
    if (m_pressed == Thumb) {
        MoveTo(Geometry().PosFromX(point.x));
        return;
    }
    const Part hot = m_bIsHighlighted ? HitPart(point) : None;
    if (hot != m_hot) {
        m_hot = hot;
        Redraw();
    }
}

void CBCGPRibbonSlider::OnLButtonDown(CPoint point)
{
    if (m_bIsDisabled)
        return;
    m_pressed = HitPart(point);
    switch (m_pressed) {
    case ZoomOut:
        MoveTo(m_nPos - m_nPageSize);
        break;
    case ZoomIn:
        MoveTo(m_nPos + m_nPageSize);
        break;
    case Channel:
        // The thumb jumps to the click and follows the mouse from there.
        MoveTo(Geometry().PosFromX(point.x));
        m_pressed = Thumb;
        break;
    default:
        break;
    }
    Redraw();
}

void CBCGPRibbonSlider::OnLButtonUp(CPoint)
{
    m_pressed = None;
    Redraw();
}
