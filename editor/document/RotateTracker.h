#pragma once
// CRotateTracker: the selection frame of a layer or a crop, a quadrilateral that may be turned,
// with a rotate handle above it and a square handle around each of those five points. A plain
// value in whole pixels.
#include <windows.h>

class CRotateTracker {
public:
    CRotateTracker();

    // Handle sizes back to their defaults, handle squares emptied, P0 to P4 zero; P5 kept.
    void Reset();
    // P0 to P4 from five points, P5 = P3; FALSE for a null array.
    BOOL SetPoints(const POINT* fivePoints);
    void UpdateHandleRects();
    void Offset(int dx, int dy);
    // Turns P0 to P4 about the centre of the (unturned) frame; radians.
    void Rotate(float angle);
    BOOL PtInFrame(int x, int y) const;
    // Within the 5-pixel band around edge 0 to 3 (P0-P1, P1-P2, P2-P3, P3-P0).
    BOOL PtOnEdge(int edge, int x, int y) const;

    // P0 to P3 the corners in drawing order, P4 the rotate handle, P5 a repeat of P3.
    POINT points[6];
    RECT handleRects[5];
    int handleSize;
    int rotateGap;
};
