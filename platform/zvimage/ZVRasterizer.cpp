// Polygon coverage by sub-scanlines: on each of 16 lines through a pixel row the crossings of
// the edges give spans by the fill rule, and each span adds its exact share of every pixel it
// touches. Strokes become polygons (segment quads, miter or bevel joins, caps) that all turn
// the same way, so that the non-zero rule fills their union.
#include "ZVRasterizer.h"
#include <algorithm>
#include <cmath>

namespace zvimage {

namespace {

constexpr int kSubLines = 16;
constexpr double kPi = 3.14159265358979323846;
// Coordinates beyond this are clamped: far outside any picture, but small enough that the
// arithmetic stays exact to a fraction of a pixel.
constexpr double kFar = 1.0e6;

struct Edge {
    double x0, y0, y1, slope;
    int dir;
};

double Clamp(double v)
{
    return std::clamp(v, -kFar, kFar);
}

bool FinitePoint(const ZVPOINTF& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

double SignedArea(const std::vector<ZVPOINTF>& pts)
{
    double a = 0;
    for (size_t i = 0, n = pts.size(); i < n; ++i) {
        const ZVPOINTF& p = pts[i];
        const ZVPOINTF& q = pts[(i + 1) % n];
        a += static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y;
    }
    return a / 2;
}

// Every stroke polygon turns the same way, so overlaps add up instead of cancelling.
void AddOriented(std::vector<ZVPolyline>& out, std::vector<ZVPOINTF> pts)
{
    const double area = SignedArea(pts);
    if (!(std::fabs(area) > 1e-9))
        return;
    if (area < 0)
        std::reverse(pts.begin(), pts.end());
    out.emplace_back();
    out.back().points = std::move(pts);
    out.back().closed = true;
}

ZVPOINTF P(double x, double y)
{
    return ZVPOINTF{static_cast<float>(x), static_cast<float>(y)};
}

void AddDisc(std::vector<ZVPolyline>& out, ZVPOINTF c, double r)
{
    const int n = std::clamp(static_cast<int>(std::ceil(r * 2)), 8, 128);
    std::vector<ZVPOINTF> pts;
    for (int i = 0; i < n; ++i)
        pts.push_back(P(c.x + r * std::cos(2 * kPi * i / n), c.y + r * std::sin(2 * kPi * i / n)));
    AddOriented(out, std::move(pts));
}

// The dash pattern of a style, in pen widths; empty for solid.
std::vector<double> DashPattern(int dash)
{
    switch (dash) {
    case 1: return {3, 1};
    case 2: return {1, 1};
    case 3: return {3, 1, 1, 1};
    case 4: return {3, 1, 1, 1, 1, 1};
    default: return {};
    }
}

// Cuts the polyline into the "on" pieces of the pattern.
void Dash(const std::vector<ZVPOINTF>& pts, const std::vector<double>& pattern, double unit,
          std::vector<std::vector<ZVPOINTF>>& pieces)
{
    size_t index = 0;
    double left = pattern[0] * unit;
    bool on = true;
    std::vector<ZVPOINTF> piece{pts[0]};
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        ZVPOINTF a = pts[i];
        const ZVPOINTF b = pts[i + 1];
        double length = std::hypot(b.x - a.x, b.y - a.y);
        while (length > left) {
            const double t = left / length;
            const ZVPOINTF cut = P(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t);
            if (on) {
                piece.push_back(cut);
                pieces.push_back(std::move(piece));
            }
            piece.assign(1, cut);
            length -= left;
            a = cut;
            on = !on;
            index = (index + 1) % pattern.size();
            left = pattern[index] * unit;
        }
        left -= length;
        if (on)
            piece.push_back(b);
    }
    if (on && piece.size() > 1)
        pieces.push_back(std::move(piece));
}

void StrokeOne(std::vector<ZVPOINTF> pts, bool closed, const StrokeStyle& style, std::vector<ZVPolyline>& out)
{
    const double hw = style.width / 2.0;
    if (pts.size() < 2)
        return;
    if (!closed && style.cap == LineCap::Square) {
        // Square ends: the first and last segments grow by half the width.
        auto extend = [hw](ZVPOINTF& end, ZVPOINTF from) {
            const double dx = end.x - from.x, dy = end.y - from.y, l = std::hypot(dx, dy);
            end = P(end.x + dx / l * hw, end.y + dy / l * hw);
        };
        extend(pts.front(), pts[1]);
        extend(pts.back(), pts[pts.size() - 2]);
    }
    const size_t n = pts.size();
    const size_t segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        const ZVPOINTF a = pts[i], b = pts[(i + 1) % n];
        const double dx = b.x - a.x, dy = b.y - a.y, l = std::hypot(dx, dy);
        const double nx = -dy / l * hw, ny = dx / l * hw;
        AddOriented(out, {P(a.x + nx, a.y + ny), P(b.x + nx, b.y + ny), P(b.x - nx, b.y - ny), P(a.x - nx, a.y - ny)});
    }
    // Joins at the corners: a miter up to the limit, a bevel beyond it.
    for (size_t i = closed ? 0 : 1; i < (closed ? n : n - 1); ++i) {
        const ZVPOINTF v = pts[i], p = pts[(i + n - 1) % n], q = pts[(i + 1) % n];
        double d0x = v.x - p.x, d0y = v.y - p.y, d1x = q.x - v.x, d1y = q.y - v.y;
        const double l0 = std::hypot(d0x, d0y), l1 = std::hypot(d1x, d1y);
        d0x /= l0; d0y /= l0; d1x /= l1; d1y /= l1;
        const double cross = d0x * d1y - d0y * d1x, dot = d0x * d1x + d0y * d1y;
        if (std::fabs(cross) < 1e-9 && dot > 0)
            continue;
        const double s = cross > 0 ? -1 : 1;  // the outer side of the turn
        const ZVPOINTF a = P(v.x - s * d0y * hw, v.y + s * d0x * hw);
        const ZVPOINTF b = P(v.x - s * d1y * hw, v.y + s * d1x * hw);
        const double cosHalf = std::sqrt(std::max(0.0, (1 + dot) / 2));
        const double mx = -d0y - d1y, my = d0x + d1x, ml = std::hypot(mx, my);
        if (cosHalf > 1e-6 && 1 / cosHalf <= style.miterLimit && ml > 1e-9) {
            const double reach = hw / cosHalf;
            AddOriented(out, {v, a, P(v.x + s * mx / ml * reach, v.y + s * my / ml * reach), b});
        } else {
            AddOriented(out, {v, a, b});
        }
    }
    if (!closed && style.cap == LineCap::Round) {
        AddDisc(out, pts.front(), hw);
        AddDisc(out, pts.back(), hw);
    }
}

} // namespace

void RasterizePolygons(const std::vector<ZVPolyline>& polygons, FillRule rule, long width, long height, Coverage& out)
{
    out.width = std::max(0L, width);
    out.height = std::max(0L, height);
    out.values.assign(static_cast<size_t>(out.width) * out.height, 0);
    out.left = out.top = out.right = out.bottom = 0;
    std::vector<Edge> edges;
    for (const ZVPolyline& poly : polygons) {
        std::vector<ZVPOINTF> pts;
        for (const ZVPOINTF& p : poly.points)
            if (FinitePoint(p))
                pts.push_back(p);
        for (size_t i = 0, n = pts.size(); n >= 3 && i < n; ++i) {
            double x0 = Clamp(pts[i].x), y0 = Clamp(pts[i].y);
            double x1 = Clamp(pts[(i + 1) % n].x), y1 = Clamp(pts[(i + 1) % n].y);
            if (y0 == y1)
                continue;
            int dir = 1;
            if (y0 > y1) {
                std::swap(x0, x1);
                std::swap(y0, y1);
                dir = -1;
            }
            edges.push_back(Edge{x0, y0, y1, (x1 - x0) / (y1 - y0), dir});
        }
    }
    if (edges.empty() || out.width == 0 || out.height == 0)
        return;
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    double minY = edges.front().y0, maxY = minY;
    for (const Edge& e : edges)
        maxY = std::max(maxY, e.y1);
    const long firstRow = static_cast<long>(std::max(0.0, std::floor(minY)));
    const long endRow = static_cast<long>(std::min<double>(out.height, std::ceil(maxY)));
    const long w = out.width;
    std::vector<double> acc(w + 2), diff(w + 2);
    std::vector<std::pair<double, int>> crossings;
    std::vector<const Edge*> active;
    size_t next = 0;
    long boxLeft = w, boxRight = 0, boxTop = out.height, boxBottom = 0;
    auto addSpan = [&](double xa, double xb) {
        xa = std::max(xa, 0.0);
        xb = std::min(xb, static_cast<double>(w));
        if (xb <= xa)
            return;
        const long ia = static_cast<long>(xa), ib = static_cast<long>(xb);
        if (ia == ib) {
            acc[ia] += xb - xa;
            return;
        }
        acc[ia] += ia + 1 - xa;
        diff[ia + 1] += 1;
        diff[ib] -= 1;
        acc[ib] += xb - ib;
    };
    for (long y = firstRow; y < endRow; ++y) {
        std::fill(acc.begin(), acc.end(), 0.0);
        std::fill(diff.begin(), diff.end(), 0.0);
        bool any = false;
        for (int s = 0; s < kSubLines; ++s) {
            const double sy = y + (s + 0.5) / kSubLines;
            while (next < edges.size() && edges[next].y0 <= sy)
                active.push_back(&edges[next++]);
            active.erase(std::remove_if(active.begin(), active.end(), [sy](const Edge* e) { return e->y1 <= sy; }),
                         active.end());
            crossings.clear();
            for (const Edge* e : active)
                if (e->y0 <= sy)
                    crossings.emplace_back(e->x0 + (sy - e->y0) * e->slope, e->dir);
            std::sort(crossings.begin(), crossings.end());
            int winding = 0;
            for (size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += rule == FillRule::EvenOdd ? 1 : crossings[i].second;
                const bool inside = rule == FillRule::EvenOdd ? (winding & 1) != 0 : winding != 0;
                if (inside) {
                    addSpan(crossings[i].first, crossings[i + 1].first);
                    any = true;
                }
            }
        }
        if (!any)
            continue;
        uint8_t* row = &out.values[static_cast<size_t>(y) * w];
        double run = 0;
        for (long x = 0; x < w; ++x) {
            run += diff[x];
            const double c = std::min(1.0, (acc[x] + run) / kSubLines);
            const int v = static_cast<int>(c * 255 + 0.5);
            if (v > 0) {
                row[x] = static_cast<uint8_t>(v);
                boxLeft = std::min(boxLeft, x);
                boxRight = std::max(boxRight, x + 1);
                boxTop = std::min(boxTop, y);
                boxBottom = std::max(boxBottom, y + 1);
            }
        }
    }
    if (boxLeft < boxRight) {
        out.left = boxLeft;
        out.right = boxRight;
        out.top = boxTop;
        out.bottom = boxBottom;
    }
}

void StrokePolygons(const std::vector<ZVPolyline>& lines, const StrokeStyle& style, std::vector<ZVPolyline>& out)
{
    out.clear();
    if (!(style.width > 0) || !std::isfinite(style.width))
        return;
    const std::vector<double> pattern = DashPattern(style.dash);
    for (const ZVPolyline& line : lines) {
        // Drop unusable and repeated points; a closed figure needs no repeated first point.
        std::vector<ZVPOINTF> pts;
        for (const ZVPOINTF& p : line.points) {
            if (!FinitePoint(p))
                continue;
            const ZVPOINTF c = P(Clamp(p.x), Clamp(p.y));
            if (pts.empty() || std::hypot(c.x - pts.back().x, c.y - pts.back().y) > 1e-4)
                pts.push_back(c);
        }
        bool closed = line.closed;
        if (closed && pts.size() > 1 && std::hypot(pts.front().x - pts.back().x, pts.front().y - pts.back().y) <= 1e-4)
            pts.pop_back();
        if (pts.size() < 2)
            continue;
        if (pattern.empty()) {
            const bool figure = closed && pts.size() > 2;
            StrokeOne(std::move(pts), figure, style, out);
            continue;
        }
        if (closed)
            pts.push_back(pts.front());
        std::vector<std::vector<ZVPOINTF>> pieces;
        Dash(pts, pattern, std::max(1.0f, style.dashUnit), pieces);
        // Dashes end flat, whatever the line's own ends, so that the gaps stay open.
        StrokeStyle dashStyle = style;
        dashStyle.cap = LineCap::Flat;
        for (auto& piece : pieces)
            StrokeOne(std::move(piece), false, dashStyle, out);
    }
}

void ArrowHead(ZVPOINTF from, ZVPOINTF& tip, float w, ZVPolyline& head)
{
    head.points.clear();
    head.closed = true;
    const double dx = tip.x - from.x, dy = tip.y - from.y, l = std::hypot(dx, dy);
    if (!(l > 0) || !std::isfinite(l))
        return;
    const double ux = dx / l, uy = dy / l;
    const double length = 4 + 3.0 * w, half = 2 + 1.5 * w;
    const ZVPOINTF base = P(tip.x - ux * length, tip.y - uy * length);
    head.points = {tip, P(base.x - uy * half, base.y + ux * half), P(base.x + uy * half, base.y - ux * half)};
    // The line stops inside the head, where the head is still wider than the line.
    const double back = std::min(l, length * 0.8);
    tip = P(tip.x - ux * back, tip.y - uy * back);
}

} // namespace zvimage
