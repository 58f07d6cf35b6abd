#pragma once
// CZVRectTracker: moves and resizes a rectangle on a window with the mouse. Track runs a modal
// mouse loop with an XOR drag rectangle; Draw shows the tracker: outline, hatch, a translucent
// frame over a dimmed surround, and round handles (GDI+, antialiased). The aspect, when set,
// locks the height to the width while tracking. Copies are member-wise; pens, brush and
// cursors are shared by the process.
#include "AppFrame.h"
#include "TrackerGeometry.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CZVRectTracker {
public:
    enum StyleFlags {
        solidLine = tracker::solidLine,
        dottedLine = tracker::dottedLine,
        hatchedBorder = tracker::hatchedBorder,
        resizeInside = tracker::resizeInside,
        resizeOutside = tracker::resizeOutside,
        hatchInside = tracker::hatchInside,
    };
    enum TrackerHit {
        hitNothing = tracker::hitNothing,
        hitTopLeft = tracker::hitTopLeft,
        hitTopRight = tracker::hitTopRight,
        hitBottomRight = tracker::hitBottomRight,
        hitBottomLeft = tracker::hitBottomLeft,
        hitTop = tracker::hitTop,
        hitRight = tracker::hitRight,
        hitBottom = tracker::hitBottom,
        hitLeft = tracker::hitLeft,
        hitMiddle = tracker::hitMiddle,
    };

    CZVRectTracker();
    CZVRectTracker(const RECT* rect, UINT style);
    CZVRectTracker(const CZVRectTracker&) = default;
    CZVRectTracker& operator=(const CZVRectTracker&) = default;

    void Construct();
    void Draw(CDC* pDC) const;
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    int HitTest(CPoint point) const;
    int HitTestHandles(CPoint point) const;
    int NormalizeHit(int nHandle) const;
    void GetTrueRect(LPRECT lpTrueRect) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    void GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, LONG* px = nullptr, LONG* py = nullptr);

    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

    // Stores the colour and puts pens of it in place of the shared ones (released).
    void SetRectColor(COLORREF color);
    void CreatePen();
    // Cursors of the calling module: vertical, horizontal, NW-SE, NE-SW, four-way track.
    void SetResizeCursor(UINT nVert, UINT nHorz, UINT nNWSE, UINT nNESW, UINT nTrack);
    // Locks height / width (0 frees it) and empties the rectangle: set the rectangle after it.
    void SetAspect(float aspect);
    float GetAspect() const { return m_fAspect; }
    void RectToRectF();
    void RectFToRect();

    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual void OnChangedRect(const CRect& rectOld);
    virtual UINT GetHandleMask() const;
    virtual ~CZVRectTracker();
    virtual int GetHandleSize(LPCRECT lpRect = nullptr) const;

    UINT m_nStyle = 0;
    CRect m_rect;
    CRect m_rectClient;
    CSize m_sizeMin;
    int m_nHandleSize = 0;
    BOOL m_bMask = TRUE;
    BOOL m_bUser = FALSE;   // the owner's; no tracker method reads it
    tracker::RectF m_rectF;
    COLORREF m_rectColor = RGB(255, 40, 40);

protected:
    BOOL m_bAllowInvert = FALSE;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;
    float m_fAspect = 0;
};
