#include "RotateTracker.h"
#include <cmath>
#include <cstring>

namespace {

const int kDefaultHandleSize = 24;
const int kDefaultRotateGap = 20;
const int kEdgeBand = 5;

// Even-odd crossing count toward +x. A crossing exactly at x does not count and each edge's
// span is half-open at its upper end, so a point on the right or bottom side is outside.
bool InsideQuad(const POINT* q, int x, int y)
{
    int crossings = 0;
    for (int i = 0; i < 4; ++i) {
        const POINT& a = q[i];
        const POINT& b = q[(i + 1) % 4];
        if (a.y == b.y)
            continue;
        if (y < (a.y < b.y ? a.y : b.y) || y >= (a.y > b.y ? a.y : b.y))
            continue;
        const double cross = double(b.x - a.x) * (y - a.y) / double(b.y - a.y) + a.x;
        if (cross > x)
            ++crossings;
    }
    return crossings % 2 == 1;
}

} // namespace

CRotateTracker::CRotateTracker()
{
    std::memset(points, 0, sizeof points);
    std::memset(handleRects, 0, sizeof handleRects);
    handleSize = kDefaultHandleSize;
    rotateGap = kDefaultRotateGap;
}

void CRotateTracker::Reset()
{
    handleSize = kDefaultHandleSize;
    rotateGap = kDefaultRotateGap;
    std::memset(handleRects, 0, sizeof handleRects);
    std::memset(points, 0, sizeof(POINT) * 5);
}

BOOL CRotateTracker::SetPoints(const POINT* fivePoints)
{
    if (!fivePoints)
        return FALSE;
    std::memcpy(points, fivePoints, sizeof(POINT) * 5);
    points[5] = points[3];
    return TRUE;
}

void CRotateTracker::UpdateHandleRects()
{
    const int s = handleSize / 2;
    for (int i = 0; i < 5; ++i)
        handleRects[i] = RECT{points[i].x - s, points[i].y - s, points[i].x + s, points[i].y + s};
}

void CRotateTracker::Offset(int dx, int dy)
{
    for (POINT& p : points) {
        p.x += dx;
        p.y += dy;
    }
}

void CRotateTracker::Rotate(float angle)
{
    // The builders turn a freshly built rectangle, so the centre comes from its sides.
    const float cx = static_cast<float>((points[0].x + points[1].x) * 0.5);
    const float cy = static_cast<float>((points[0].y + points[3].y) * 0.5);
    const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
    const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
    for (int i = 0; i < 5; ++i) {
        const float dx = points[i].x - cx, dy = points[i].y - cy;
        // Truncation toward zero, not rounding: frames built elsewhere rely on the same points.
        points[i].x = static_cast<LONG>(c * dx - s * dy + cx);
        points[i].y = static_cast<LONG>(s * dx + c * dy + cy);
    }
}

BOOL CRotateTracker::PtInFrame(int x, int y) const
{
    return InsideQuad(points, x, y) ? TRUE : FALSE;
}

BOOL CRotateTracker::PtOnEdge(int edge, int x, int y) const
{
    if (edge < 0 || edge > 3)
        return FALSE;
    const POINT& s = points[edge];
    const POINT& e = points[edge == 3 ? 0 : edge + 1];
    POINT band[4];
    const int b = kEdgeBand;
    if (s.x >= e.x) {
        band[0].x = s.x + b; band[1].x = s.x - b; band[2].x = e.x - b; band[3].x = e.x + b;
    } else {
        band[0].x = s.x - b; band[1].x = s.x + b; band[2].x = e.x + b; band[3].x = e.x - b;
    }
    if (s.y < e.y) {
        band[0].y = s.y - b; band[1].y = s.y + b; band[2].y = e.y + b; band[3].y = e.y - b;
    } else {
        band[0].y = s.y + b; band[1].y = s.y - b; band[2].y = e.y - b; band[3].y = e.y + b;
    }
    return InsideQuad(band, x, y) ? TRUE : FALSE;
}
