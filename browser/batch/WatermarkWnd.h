#pragma once
// CWatermarkWnd: the watermark dialog's preview. It shows the sample picture over its whole
// client area with the watermark laid over it where KQBatch would put it, and lets the user
// drag the watermark; a drag tells the owner through the callback.
#include <functional>
#include "KQMemDC.h"
#include "SkinUI.h"
#include "WatermarkGeometry.h"
#include "ZVImage.h"

class CWatermarkWnd : public CWnd {
public:
    CWatermarkWnd();
    ~CWatermarkWnd() override;

    BOOL Create(CWnd* parent, const RECT& rect, UINT id);
    // The sample; the preview keeps a copy fitted to maxSize so that a large photo stays
    // quick to draw, and the sample's own size for the watermark's scale.
    bool LoadSample(const wchar_t* path, SIZE maxSize);
    SIZE SampleSize() const { return m_sampleSize; }
    void SetSource(const CZVImage& source);
    bool HasSource() const { return m_source.IsValid(); }
    const CZVImage& Source() const { return m_source; }
    void ClearSource();

    // The shown watermark: the source with the opacity and, with zoom, its size applied.
    void SetWatermarkParams(int opacity, bool useZoom, int zoomScale);
    // The watermark's rectangle from the place.
    void LayoutWatermark();
    // The place from the watermark's rectangle.
    void UpdateOffsetsFromRect();
    void Repaint();

    WatermarkPlace m_place;
    int m_opacity = 80;
    int m_zoomScale = 10;
    bool m_useZoom = true;
    CRect m_markRect;
    CZVImage m_shown;
    // Called after each step of a drag.
    std::function<void()> m_onDragged;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    SIZE ClientSize() const;

    CKQMemDC m_memDC;
    CZVImage m_sample;
    CZVImage m_source;
    SIZE m_sampleSize = {0, 0};
    bool m_dragging = false;
    CPoint m_grab;
};
