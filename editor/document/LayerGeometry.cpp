#include "LayerGeometry.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// The circle's angles use this pi, the arcs' the shorter one below: the outlines of the
// selection tools are pinned to the points these give.
const double kCirclePi = 3.141593;
const double kArcPi = 3.1415;

ZVPOINTF Pt(double x, double y)
{
    return ZVPOINTF{static_cast<float>(x), static_cast<float>(y)};
}

void Order(int& a, int& b)
{
    if (a > b)
        std::swap(a, b);
}

RECT Ordered(const RECT& rect)
{
    return RECT{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                std::max(rect.top, rect.bottom)};
}

// Truncated toward zero and held to the 16-bit range the circle's points are kept in.
int16_t ToShort(double v)
{
    const double t = std::trunc(v);
    return static_cast<int16_t>(std::clamp(t, -32768.0, 32767.0));
}

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

// One piece of an arc within a quarter: rows walked from the piece's start to its end, each
// giving the x of the ellipse on that row.
void AddArcPiece(PathPoints& path, int cx, int cy, int a, int b, double startDegrees, double endDegrees)
{
    const double ts = startDegrees * kArcPi / 180.0, te = endDegrees * kArcPi / 180.0;
    const int xs = static_cast<int>(std::lround(std::cos(ts) * a));
    const int ys = static_cast<int>(std::lround(std::sin(ts) * b));
    const int xe = static_cast<int>(std::cos(te) * a);
    const int ye = static_cast<int>(std::sin(te) * b);
    const int dirX = Sign(xe - xs), dirY = Sign(ye - ys);
    if (ys == ye)
        return;
    const bool right = (dirX < 0 && dirY > 0) || (dirX >= 0 && dirY >= 0);
    int previous = xs;
    for (int y = ys; y != ye; y += dirY) {
        const double r = 1.0 - static_cast<double>(y) * y / (static_cast<double>(b) * b);
        const int x = static_cast<int>(a * std::sqrt(std::max(0.0, r)));
        // Near the flat ends of the arc x jumps from row to row; those rows are left out.
        if (std::abs(x - previous) < 2)
            path.push_back(Pt(right ? cx + x : cx - x, cy + y));
        previous = x;
    }
}

// A rectangle without width or height: the segment between its corners and back.
void MakeFlatPath(PathPoints& path, int x1, int y1, int x2, int y2)
{
    path.push_back(Pt(x1, y1));
    if (x1 == x2 && y1 == y2)
        return;
    path.push_back(Pt(x2, y2));
    path.push_back(Pt(x1, y1));
}

} // namespace

CanvasAxis PlaceCanvasAxis(int size, float zoom, int viewStart, int viewEnd)
{
    const double s = static_cast<double>(size) * zoom;
    const double v = static_cast<double>(viewEnd) - viewStart;
    // A window without extent cannot hold any of the picture: the axis scrolls.
    if (v <= 0 || s >= v)
        return CanvasAxis{TRUE, static_cast<float>((s - v) / 100.0), viewStart, viewEnd};
    const int start = static_cast<int>((v - s) * 0.5 + viewStart);
    return CanvasAxis{FALSE, 0.0f, start, static_cast<int>(start + s)};
}

void LayerFramePoints(ZVPOINTF location, int width, int height, float zoom, int scrollX, int scrollY, int margin,
                      POINT points[5])
{
    const int half = margin / 2;
    const int w = static_cast<int>(width * zoom), h = static_cast<int>(height * zoom);
    // The frame's box starts half a margin before the layer and, on top, leaves 20 pixels for
    // the rotate handle; the corners then sit on the layer itself.
    const int x0 = static_cast<int>(location.x - scrollX - half);
    const int y0 = static_cast<int>(location.y - scrollY - half - 20.0);
    points[0] = POINT{x0 + half, y0 + 25};
    points[1] = POINT{x0 + half + w, y0 + 25};
    points[2] = POINT{x0 + half + w, y0 + half + h + 20};
    points[3] = POINT{x0 + half, y0 + half + h + 20};
    points[4] = POINT{x0 + half + w / 2, y0 + half};
}

POINT CompositeOffset(ZVPOINTF origin, ZVPOINTF base, const RECT& canvas, float zoom)
{
    const double z = zoom > 0 ? zoom : 1.0;
    const double x = ((origin.x - canvas.left) / z + canvas.left) - ((base.x - canvas.left) / z + canvas.left);
    const double y = ((origin.y - canvas.top) / z + canvas.top) - ((base.y - canvas.top) / z + canvas.top);
    // floor, not a cast: a layer hanging off the left or top edge rounds the same way.
    return POINT{static_cast<LONG>(std::floor(x + 0.5)), static_cast<LONG>(std::floor(y + 0.5))};
}

POINT ScaledCompositeOffset(ZVPOINTF origin, ZVPOINTF base)
{
    return POINT{static_cast<LONG>(std::floor(static_cast<double>(origin.x) - base.x + 0.5)),
                 static_cast<LONG>(std::floor(static_cast<double>(origin.y) - base.y + 0.5))};
}

POINT WindowPointToPixel(int x, int y, ZVPOINTF location, float scrollX, float scrollY, float zoom, int pictureHeight)
{
    const double z = zoom > 0 ? zoom : 1.0;
    const double column = std::floor((static_cast<double>(scrollX) + (x - static_cast<double>(location.x))) / z);
    const double rowFromTop = std::floor((static_cast<double>(scrollY) + (y - static_cast<double>(location.y))) / z);
    // Rows run bottom-up: the top row of the layer is row height - 1.
    const double row = pictureHeight - 1 - rowFromTop;
    const auto clampLong = [](double v) { return static_cast<LONG>(std::clamp(v, -2147483647.0, 2147483647.0)); };
    return POINT{clampLong(column), clampLong(row)};
}

void MakeCirclePath(PathPoints& path, int cx, int cy, int radius)
{
    path.clear();
    for (int d = 0; d < 360; d += 5) {
        const double t = d * kCirclePi / 180.0;
        path.push_back(Pt(ToShort(cx + std::cos(t) * radius), ToShort(cy - std::sin(t) * radius)));
    }
}

void MakeEllipsePath(PathPoints& path, int x1, int y1, int x2, int y2)
{
    path.clear();
    Order(x1, x2);
    Order(y1, y2);
    const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    const double a = (x2 - x1) / 2, b = (y2 - y1) / 2;
    // The midpoint walk needs both semi-axes; without one the region is a line.
    if (a < 1 || b < 1) {
        MakeFlatPath(path, x1, y1, x2, y2);
        return;
    }
    // The quarter from the bottom (cx, cy + b) towards the right end (cx + a, cy).
    const double aa = a * a, bb = b * b;
    double x = 0, y = b;
    double dx = 2 * bb * x, dy = 2 * aa * y;
    double d1 = (0.25 - b) * aa + bb;
    while (dx < dy) {
        path.push_back(Pt(cx + x, cy + y));
        ++x;
        dx += 2 * bb;
        if (d1 < 0) {
            d1 += dx + bb;
        } else {
            --y;
            dy -= 2 * aa;
            d1 += dx - dy + bb;
        }
    }
    double d2 = bb * (x + 0.5) * (x + 0.5) + aa * (y - 1) * (y - 1) - aa * bb;
    while (y >= 0) {
        path.push_back(Pt(cx + x, cy + y));
        --y;
        dy -= 2 * aa;
        if (d2 > 0) {
            d2 += aa - dy;
        } else {
            ++x;
            dx += 2 * bb;
            d2 += dx - dy + aa;
        }
    }
    // Mirrored about y = cy, then the whole about x = cx, each walking back from the
    // next-to-last point to the second.
    for (size_t i = path.size() - 1; i-- > 1;)
        path.push_back(ZVPOINTF{path[i].x, static_cast<float>(2 * cy - path[i].y)});
    for (size_t i = path.size() - 1; i-- > 1;)
        path.push_back(ZVPOINTF{static_cast<float>(2 * cx - path[i].x), path[i].y});
}

void AddArcPoints(PathPoints& path, int x1, int y1, int x2, int y2, float startDegrees, float endDegrees)
{
    const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    const int a = std::abs(x2 - x1) / 2, b = std::abs(y2 - y1) / 2;
    if (a == 0 || b == 0)
        return;
    // Cut at the quarters, where the walk turns from rows going down to rows going up.
    double from = startDegrees;
    while (from < endDegrees) {
        const double to = std::min(static_cast<double>(endDegrees), (std::floor(from / 90.0) + 1.0) * 90.0);
        AddArcPiece(path, cx, cy, a, b, from, to);
        from = to;
    }
}

void MakeRoundRectPath(PathPoints& path, int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    path.clear();
    Order(x1, x2);
    Order(y1, y2);
    const int hw = cornerWidth / 2, hh = cornerHeight / 2;
    path.push_back(Pt(x1 + hw, y1));
    path.push_back(Pt(x2 - hw, y1));
    AddArcPoints(path, x2 - 2 * hw, y1, x2, y1 + 2 * hh, 270, 360);
    path.push_back(Pt(x2, y1 + hh));
    path.push_back(Pt(x2, y2 - hh));
    AddArcPoints(path, x2 - 2 * hw, y2 - 2 * hh, x2, y2, 0, 90);
    path.push_back(Pt(x2 - hw, y2));
    path.push_back(Pt(x1 + hw, y2));
    AddArcPoints(path, x1, y2 - 2 * hh, x1 + 2 * hw, y2, 90, 180);
    path.push_back(Pt(x1, y2 - hh));
    path.push_back(Pt(x1, y1 + hh));
    AddArcPoints(path, x1, y1, x1 + 2 * hw, y1 + 2 * hh, 180, 270);
    path.push_back(path.front());
}

void MakeBalloonPath(PathPoints& path, int x1, int y1, int x2, int y2, int tail, int cornerHeight)
{
    path.clear();
    Order(x1, x2);
    Order(y1, y2);
    // The tail's size also serves as the corner width; the tail points south-west.
    const int t = tail, hw = t / 2, hh = cornerHeight / 2;
    path.push_back(Pt(x1 + hw, y1));
    path.push_back(Pt(x2 - hw, y1));
    AddArcPoints(path, x2 - 2 * hw, y1, x2, y1 + 2 * hh, 270, 360);
    path.push_back(Pt(x2, y1 + hh));
    path.push_back(Pt(x2, y2 - hh - t));
    AddArcPoints(path, x2 - 2 * hw, y2 - t - 2 * hh, x2, y2 - t, 0, 90);
    path.push_back(Pt(x2 - hw, y2 - t));
    path.push_back(Pt(x1 + t + 2 * hw, y2 - t));
    path.push_back(Pt(x1 + t + 2 * hw, y2 - t));
    path.push_back(Pt(x1 + 2 * hw, y2));
    path.push_back(Pt(x1 + 2 * hw, y2));
    path.push_back(Pt(x1 + 2 * hw, y2 - t));
    AddArcPoints(path, x1, y2 - t - 2 * hh, x1 + 2 * hw, y2 - t, 90, 180);
    AddArcPoints(path, x1, y1, x1 + 2 * hw, y1 + 2 * hh, 180, 270);
    path.push_back(path.front());
}

void MakeHeartPath(PathPoints& path, int x1, int y1, int x2, int y2)
{
    path.clear();
    const double r = std::abs(x2 - x1) / 2;
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    // A counter, not a float sum, so that the last point is t = 6.3 exactly.
    for (int i = 0; i <= 630; ++i) {
        const double t = i * 0.01, s = std::sin(t), c = std::cos(t);
        const double rho = (std::sqrt(std::fabs(c)) * s) / (s + 2) - 2 * s + 2;
        path.push_back(Pt(left - c * rho * r, top - s * rho * r));
    }
}

void MakeDiamondPath(PathPoints& path, const RECT& rect)
{
    const RECT r = Ordered(rect);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int mx = r.left + w / 2, my = r.top + h / 2;
    path.assign({Pt(r.left, my), Pt(mx, r.top), Pt(r.right, my), Pt(mx, r.bottom), Pt(r.left, my)});
}

void MakeTrianglePath(PathPoints& path, const RECT& rect)
{
    const RECT r = Ordered(rect);
    const int mx = r.left + (r.right - r.left) / 2;
    path.assign({Pt(mx, r.top), Pt(r.right, r.bottom), Pt(r.left, r.bottom), Pt(mx, r.top)});
}

void MakeRightTrianglePath(PathPoints& path, const RECT& rect)
{
    const RECT r = Ordered(rect);
    path.assign({Pt(r.left, r.top), Pt(r.right, r.bottom), Pt(r.left, r.bottom), Pt(r.left, r.top)});
}

void MakePentagonPath(PathPoints& path, const RECT& rect)
{
    const RECT r = Ordered(rect);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int mx = r.left + w / 2;
    // The x values are whole pixels; the shoulders' y stays fractional.
    const double shoulder = r.top + 0.383112 * h;
    const int footRight = static_cast<int>(r.left + 0.82468 * w), footLeft = static_cast<int>(r.left + 0.17532 * w);
    path.assign({Pt(mx, r.top), Pt(r.right, shoulder), Pt(footRight, r.bottom), Pt(footLeft, r.bottom),
                 Pt(r.left, shoulder), Pt(mx, r.top)});
}

void MakeHexagonPath(PathPoints& path, const RECT& rect)
{
    const RECT r = Ordered(rect);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int my = r.top + h / 2;
    const int inner = static_cast<int>(r.left + 0.214285 * w), outer = static_cast<int>(r.left + 0.785714 * w);
    path.assign({Pt(inner, r.top), Pt(outer, r.top), Pt(r.right, my), Pt(outer, r.bottom), Pt(inner, r.bottom),
                 Pt(r.left, my), Pt(inner, r.top)});
}

PathBounds GetPathBounds(const PathPoints& path)
{
    if (path.empty())
        return PathBounds{0, 0, 0, 0};
    float minX = path[0].x, maxX = path[0].x, minY = path[0].y, maxY = path[0].y;
    for (const ZVPOINTF& p : path) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return PathBounds{minX, minY, maxX - minX, maxY - minY};
}

bool IsInsidePath(const PathPoints& path, int x, int y)
{
    const size_t n = path.size();
    bool inside = false;
    for (size_t i = 0; i < n; ++i) {
        const ZVPOINTF& p = path[i];
        const ZVPOINTF& q = path[(i + 1) % n];
        const int xi = static_cast<int>(p.x), yi = static_cast<int>(p.y);
        const int xj = static_cast<int>(q.x), yj = static_cast<int>(q.y);
        if (yi == yj)
            continue;
        if (y < std::min(yi, yj) || y >= std::max(yi, yj))
            continue;
        const double crossing = static_cast<double>(y - yi) * (xj - xi) / (yj - yi) + xi;
        if (x < crossing)
            inside = !inside;
    }
    return inside;
}
