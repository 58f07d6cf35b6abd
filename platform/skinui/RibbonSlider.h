#pragma once
// CBCGPRibbonSlider: a horizontal slider element (the status bar's zoom), with optional zoom
// buttons at its ends. The thumb is dragged, a click on the channel puts it there, the buttons
// move it by the page size. Every change by the user sends the element's
// command to the frame, which reads GetPos.
#include "RibbonElement.h"

namespace skinui {
// The slider's geometry: the channel between the buttons, the thumb at the position, and the
// position of a point on the channel. Pure arithmetic, apart from the element.
struct SKINUI_API SliderGeometry {
    CRect rect;        // the element
    BOOL zoomButtons;
    int nMin, nMax;
    CRect ZoomOutRect() const;
    CRect ZoomInRect() const;
    CRect ChannelRect() const;
    CRect ThumbRect(int nPos) const;
    // The position whose thumb centre is nearest the x coordinate (clamped to the range).
    int PosFromX(int x) const;
};
} // namespace skinui

class SKINUI_API CBCGPRibbonSlider : public CBCGPBaseRibbonElement {
    DECLARE_DYNCREATE(CBCGPRibbonSlider)
public:
    CBCGPRibbonSlider() = default;
    CBCGPRibbonSlider(UINT nID, int nWidth = 100);

    void SetZoomButtons(BOOL bSet = TRUE) { m_bZoomButtons = bSet; }
    BOOL HasZoomButtons() const { return m_bZoomButtons; }
    void SetRange(int nMin, int nMax);
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    // Kept within the range.
    void SetPos(int nPos, BOOL bRedraw = TRUE);
    int GetPos() const { return m_nPos; }
    void SetPageSize(int nPageSize) { m_nPageSize = nPageSize > 0 ? nPageSize : 1; }
    int GetPageSize() const { return m_nPageSize; }

    CSize GetRegularSize(CDC* pDC) override;
    void OnDraw(CDC* pDC) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnClick(CPoint point) override {}
    skinui::SliderGeometry Geometry() const { return { m_rect, m_bZoomButtons, m_nMin, m_nMax }; }

protected:
    // Moves to the position and, when it changed, tells the frame.
    void MoveTo(int nPos);
    enum Part { None, ZoomOut, ZoomIn, Thumb, Channel };
    Part HitPart(CPoint point) const;

    int m_nWidth = 100;
    int m_nMin = 0, m_nMax = 100, m_nPos = 0, m_nPageSize = 10;
    BOOL m_bZoomButtons = FALSE;
    Part m_hot = None, m_pressed = None;
};
