#pragma once
// The rectangle trackers' geometry without a window: handle sizes and rectangles, hit codes,
// which coordinates a handle moves, the minimum size and the locked aspect. Both trackers
// (CZVRectTracker, CKQRectTracker) call these with their own fields and virtual sizes.
#include <windows.h>
#include "ZVUILibDef.h"

namespace tracker {

// Style bits.
enum : UINT {
    solidLine = 0x01,
    dottedLine = 0x02,
    hatchedBorder = 0x04,
    resizeInside = 0x08,
    resizeOutside = 0x10,
    hatchInside = 0x20,
};

// Hit codes; 9 exists only as a cursor index (between the handles of a hatched border).
enum : int {
    hitNothing = -1,
    hitTopLeft = 0,
    hitTopRight = 1,
    hitBottomRight = 2,
    hitBottomLeft = 3,
    hitTop = 4,
    hitRight = 5,
    hitBottom = 6,
    hitLeft = 7,
    hitMiddle = 8,
};

// A rectangle's coordinates as floats (left, top, right, bottom), for callers in canvas units.
struct RectF {
    float left = 0, top = 0, right = 0, bottom = 0;
};

// One row of the handle table: the RECT members (offsets in LONGs: 0 left, 1 top, 2 right,
// 3 bottom) that give the handle's x and y, centre and size factors, and the handle it
// becomes when the rectangle is mirrored in x or in y.
struct HandleInfo {
    int xEdge, yEdge;
    int centerX, centerY;
    int sizeX, sizeY;
    int mirrorX, mirrorY;
};
ZVUILIB_API extern const HandleInfo kHandles[8];

// The rectangle with left <= right and top <= bottom.
ZVUILIB_API RECT Normalized(const RECT& rect);
// With resizeOutside the handle size as given; else no more than half the shorter side.
ZVUILIB_API int HandleSize(UINT style, int sizeField, const RECT& rect);
// Corners always; the side handles of an edge only when it is long enough for three handles.
ZVUILIB_API UINT HandleMask(int handleSize, const RECT& rect);
// The normalised rectangle with room for outside handles or the hatched frame and the outline.
ZVUILIB_API RECT TrueRect(UINT style, int handleSize, const RECT& rect);
// The handle that h is on the screen for a rectangle dragged inside out.
ZVUILIB_API int NormalizeHit(const RECT& rect, int h);
// The square of handle h (normalised first) of side handleSize.
ZVUILIB_API RECT HandleRect(UINT style, int handleSize, const RECT& rect, int h);
ZVUILIB_API int HitTestHandles(UINT style, int handleSize, UINT mask, const RECT& rect, POINT p);
ZVUILIB_API int HitTest(UINT style, int handleSize, UINT mask, const RECT& rect, POINT p);
// The coordinates of rect that handle h moves (null for an axis it leaves), and their values
// or, for an axis it leaves, the rectangle's middle on it. hitMiddle moves the top-left.
ZVUILIB_API void ModifyPointers(RECT& rect, int h, LONG** px, LONG** py, int* x = nullptr, int* y = nullptr);
// Holds the rectangle to the minimum size on each axis that handle h moves.
ZVUILIB_API void AdjustToMinimum(int h, RECT& rect, SIZE minimum, bool allowInvert);
// The rectangle's bottom for its width under a locked aspect (height / width).
ZVUILIB_API LONG AspectBottom(const RECT& rect, float aspect);
ZVUILIB_API RectF ToRectF(const RECT& rect);
// Each coordinate truncated toward zero.
ZVUILIB_API RECT FromRectF(const RectF& rect);

} // namespace tracker
