#include "TrackerGeometry.h"
#include <algorithm>
#include <cstdlib>

namespace tracker {

const HandleInfo kHandles[8] = {
    // x edge, y edge, centre x, centre y, size x, size y, mirrored in x, mirrored in y
    {0, 1, 0, 0, 0, 0, 1, 3},   // top left
    {2, 1, 0, 0, -1, 0, 0, 2},  // top right
    {2, 3, 0, 0, -1, -1, 3, 1}, // bottom right
    {0, 3, 0, 0, 0, -1, 2, 0},  // bottom left
    {0, 1, 1, 0, 0, 0, 4, 6},   // top
    {2, 1, 0, 1, -1, 0, 7, 5},  // right
    {0, 3, 1, 0, 0, -1, 6, 4},  // bottom
    {0, 1, 0, 1, 0, 0, 5, 7},   // left
};

namespace {

// For each RECT member: the member on the other side of the axis and the sign that takes a
// moved coordinate away from it.
struct OppositeEdge {
    int offset, sign;
};
const OppositeEdge kOpposite[4] = {{2, 1}, {3, 1}, {0, -1}, {1, -1}};

LONG* Member(RECT& rect, int offset) { return &rect.left + offset; }
LONG ValueOf(const RECT& rect, int offset) { return (&rect.left)[offset]; }

bool Contains(const RECT& rect, POINT p) { return p.x >= rect.left && p.x < rect.right && p.y >= rect.top && p.y < rect.bottom; }

void Inflate(RECT& rect, int by)
{
    rect.left -= by;
    rect.top -= by;
    rect.right += by;
    rect.bottom += by;
}

bool IsHandle(int h) { return h >= 0 && h < 8; }

} // namespace

RECT Normalized(const RECT& rect)
{
    RECT r = rect;
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

int HandleSize(UINT style, int sizeField, const RECT& rect)
{
    if (style & resizeOutside)
        return sizeField;
    const int shorter = std::min(std::abs(rect.right - rect.left), std::abs(rect.bottom - rect.top));
    return std::min(sizeField, shorter / 2);
}

UINT HandleMask(int handleSize, const RECT& rect)
{
    UINT mask = 0x0F;
    if (std::abs(rect.right - rect.left) - 3 * handleSize > 4)
        mask |= 0x50;
    if (std::abs(rect.bottom - rect.top) - 3 * handleSize > 4)
        mask |= 0xA0;
    return mask;
}

RECT TrueRect(UINT style, int handleSize, const RECT& rect)
{
    RECT r = Normalized(rect);
    int by = 0;
    if (style & (resizeOutside | hatchedBorder))
        by += handleSize - 1;
    if (style & (solidLine | dottedLine))
        by += 1;
    Inflate(r, by);
    return r;
}

int NormalizeHit(const RECT& rect, int h)
{
    if (!IsHandle(h))
        return h;
    if (rect.right - rect.left < 0)
        h = kHandles[h].mirrorX;
    if (rect.bottom - rect.top < 0)
        h = kHandles[h].mirrorY;
    return h;
}

RECT HandleRect(UINT style, int handleSize, const RECT& rect, int h)
{
    RECT r = Normalized(rect);
    if (style & (solidLine | dottedLine))
        Inflate(r, 1);
    h = NormalizeHit(rect, h);
    if (!IsHandle(h))
        return RECT{};
    const int s = handleSize;
    // Style bits beyond the tracker's own (owners keep flags there) pull outside handles in
    // to straddle the edge.
    if (style & resizeOutside)
        Inflate(r, (style & 0xF4240) ? s - s / 2 - 1 : s - 1);
    const HandleInfo& info = kHandles[h];
    RECT out;
    out.left = ValueOf(r, info.xEdge) + s * info.sizeX + info.centerX * (r.right - r.left - s) / 2;
    out.top = ValueOf(r, info.yEdge) + s * info.sizeY + info.centerY * (r.bottom - r.top - s) / 2;
    out.right = out.left + s;
    out.bottom = out.top + s;
    // Side handles sit two pixels outward, clear of the corners' circles.
    static const POINT kPush[4] = {{0, -2}, {2, 0}, {0, 2}, {-2, 0}};
    if (h >= 4) {
        const POINT push = kPush[h - 4];
        out.left += push.x;
        out.right += push.x;
        out.top += push.y;
        out.bottom += push.y;
    }
    return out;
}

int HitTestHandles(UINT style, int handleSize, UINT mask, const RECT& rect, POINT p)
{
    if (!Contains(TrueRect(style, handleSize, rect), p))
        return hitNothing;
    for (int h = 0; h < 8; ++h)
        if ((mask & (1u << h)) && Contains(HandleRect(style, handleSize, rect, h), p))
            return h;
    if (style & hatchedBorder)
        return hitMiddle;
    RECT inner = Normalized(rect);
    Inflate(inner, 1);
    return Contains(inner, p) ? hitMiddle : hitNothing;
}

int HitTest(UINT style, int handleSize, UINT mask, const RECT& rect, POINT p)
{
    if (!Contains(TrueRect(style, handleSize, rect), p))
        return hitNothing;
    if (style & (resizeInside | resizeOutside))
        return HitTestHandles(style, handleSize, mask, rect, p);
    return hitMiddle;
}

void ModifyPointers(RECT& rect, int h, LONG** px, LONG** py, int* x, int* y)
{
    if (h == hitMiddle)
        h = hitTopLeft;
    *px = *py = nullptr;
    if (!IsHandle(h))
        return;
    const HandleInfo& info = kHandles[h];
    if (info.mirrorX != h)
        *px = Member(rect, info.xEdge);
    if (info.mirrorY != h)
        *py = Member(rect, info.yEdge);
    if (x)
        *x = *px ? **px : rect.left + std::abs(rect.right - rect.left) / 2;
    if (y)
        *y = *py ? **py : rect.top + std::abs(rect.bottom - rect.top) / 2;
}

void AdjustToMinimum(int h, RECT& rect, SIZE minimum, bool allowInvert)
{
    if (h == hitMiddle || !IsHandle(h))
        return;
    LONG *px, *py;
    ModifyPointers(rect, h, &px, &py);
    auto hold = [&rect, allowInvert](LONG* moved, LONG extent, LONG least) {
        const LONG measured = allowInvert ? std::abs(extent) : extent;
        if (!moved || measured >= least)
            return;
        const LONG direction = measured != 0 ? extent / measured : 1;
        const OppositeEdge& other = kOpposite[moved - &rect.left];
        *moved = ValueOf(rect, other.offset) - direction * least * other.sign;
    };
    hold(px, rect.right - rect.left, minimum.cx);
    hold(py, rect.bottom - rect.top, minimum.cy);
}

LONG AspectBottom(const RECT& rect, float aspect)
{
    return rect.top + static_cast<LONG>(static_cast<float>(rect.right - rect.left) * aspect);
}

RectF ToRectF(const RECT& rect)
{
    return RectF{static_cast<float>(rect.left), static_cast<float>(rect.top), static_cast<float>(rect.right),
                 static_cast<float>(rect.bottom)};
}

RECT FromRectF(const RectF& rect)
{
    return RECT{static_cast<LONG>(rect.left), static_cast<LONG>(rect.top), static_cast<LONG>(rect.right),
                static_cast<LONG>(rect.bottom)};
}

} // namespace tracker
