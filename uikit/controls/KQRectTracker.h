#pragma once
// CKQRectTracker: the lean twin of CZVRectTracker for owners that follow the mouse in their own
// handlers. It draws the translucent frame, the dimmed surround and the round handles, hit-tests,
// sets cursors and tells which coordinates a handle moves; it runs no mouse loop.
#include "AppFrame.h"
#include "TrackerGeometry.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQRectTracker {
public:
    enum StyleFlags {
        solidLine = tracker::solidLine,
        dottedLine = tracker::dottedLine,
        hatchedBorder = tracker::hatchedBorder,
        resizeInside = tracker::resizeInside,
        resizeOutside = tracker::resizeOutside,
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

    CKQRectTracker();
    CKQRectTracker(const RECT* rect, UINT style);
    CKQRectTracker(const CKQRectTracker&) = default;
    CKQRectTracker& operator=(const CKQRectTracker&) = default;

    void Construct();
    void Draw(CDC* pDC) const;
    // The hit-test code is not looked at.
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    int HitTest(CPoint point) const;
    int HitTestHandles(CPoint point) const;
    int NormalizeHit(int nHandle) const;
    void GetTrueRect(LPRECT lpTrueRect) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    void GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, LONG* px = nullptr, LONG* py = nullptr);
    void SetAspect(float aspect);
    void RectToRectF();
    void RectFToRect();

    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual UINT GetHandleMask() const;
    virtual ~CKQRectTracker();
    virtual int GetHandleSize(LPCRECT lpRect = nullptr) const;

    UINT m_nStyle = 0;
    CRect m_rect;
    CRect m_rectClient;   // the owner fills it: the extent of the dimmed surround
    CSize m_sizeMin;
    int m_nHandleSize = 0;
    BOOL m_bMask = TRUE;
    BOOL m_bUser = FALSE;
    tracker::RectF m_rectF;
    BOOL m_bAllowInvert = FALSE;
    float m_fAspect = 0;

protected:
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;
};
