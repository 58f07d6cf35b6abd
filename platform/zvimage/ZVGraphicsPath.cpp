// CZVGraphicsPath: figures kept as points with kinds; curves (ellipses, rounded corners, SVG
// arcs and quadratics) are stored as cubic Beziers, which stay exact under any affine transform.
#include "ZVGraphicsPath.h"
#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include "ZVMatrix.h"
#include "ZVSvgPathTokenizer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

bool Finite(float v)
{
    return std::isfinite(v);
}

bool UsableRect(float width, float height)
{
    return Finite(width) && Finite(height) && width > 0 && height > 0;
}

ZVPOINTF Pt(double x, double y)
{
    return ZVPOINTF{static_cast<float>(x), static_cast<float>(y)};
}

// Appends the arc of the ellipse (centre, radii, turned by phi) from angle t0 over sweep (radians,
// y downwards) as Beziers of at most a quarter turn each. The current point is the arc's start.
void ArcBeziers(CZVGraphicsPath& path, double cx, double cy, double rx, double ry, double phi, double t0, double sweep)
{
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (kPi / 2) - 1e-9)));
    const double step = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    const double cp = std::cos(phi), sp = std::sin(phi);
    auto at = [&](double x, double y) { return Pt(cx + x * cp - y * sp, cy + x * sp + y * cp); };
    double t = t0;
    for (int i = 0; i < pieces; ++i) {
        const double t1 = t + step;
        const double x0 = rx * std::cos(t), y0 = ry * std::sin(t);
        const double x1 = rx * std::cos(t1), y1 = ry * std::sin(t1);
        const ZVPOINTF c1 = at(x0 - k * rx * std::sin(t), y0 + k * ry * std::cos(t));
        const ZVPOINTF c2 = at(x1 + k * rx * std::sin(t1), y1 - k * ry * std::cos(t1));
        const ZVPOINTF e = at(x1, y1);
        path.BezierTo(c1.x, c1.y, c2.x, c2.y, e.x, e.y);
        t = t1;
    }
}

// An SVG elliptical arc from p0 to p1, by the endpoint-to-centre conversion of the SVG
// implementation notes; radii too small to reach are scaled up, zero radii give a line.
void SvgArc(CZVGraphicsPath& path, ZVPOINTF p0, double rx, double ry, double degrees, bool large, bool sweep, ZVPOINTF p1)
{
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (p0.x == p1.x && p0.y == p1.y)
        return;
    if (rx == 0 || ry == 0) {
        path.LineTo(p1.x, p1.y);
        return;
    }
    const double phi = std::fmod(degrees, 360.0) * kPi / 180;
    const double cp = std::cos(phi), sp = std::sin(phi);
    const double hx = (p0.x - p1.x) / 2.0, hy = (p0.y - p1.y) / 2.0;
    const double x1 = cp * hx + sp * hy, y1 = -sp * hx + cp * hy;
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double coef = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (large == sweep)
        coef = -coef;
    const double cxp = coef * rx * y1 / ry, cyp = -coef * ry * x1 / rx;
    const double cx = cp * cxp - sp * cyp + (p0.x + p1.x) / 2.0;
    const double cy = sp * cxp + cp * cyp + (p0.y + p1.y) / 2.0;
    const double t0 = std::atan2((y1 - cyp) / ry, (x1 - cxp) / rx);
    const double t1 = std::atan2((-y1 - cyp) / ry, (-x1 - cxp) / rx);
    double dt = t1 - t0;
    if (sweep && dt < 0)
        dt += 2 * kPi;
    else if (!sweep && dt > 0)
        dt -= 2 * kPi;
    ArcBeziers(path, cx, cy, rx, ry, phi, t0, dt);
    // The last Bezier ends on the computed ellipse; the path continues from the exact end.
}

// The figure of a library path text: data with command letters parses as path data,
// anything else as a point list.
bool ParsePathText(const wchar_t* text, CZVGraphicsPath& path);

} // namespace

void CZVGraphicsPath::Reset()
{
    m_points.clear();
    m_types.clear();
    m_startFigure = true;
}

bool CZVGraphicsPath::LastPoint(ZVPOINTF& p) const
{
    if (m_points.empty())
        return false;
    p = m_points.back();
    return true;
}

void CZVGraphicsPath::Append(float x, float y, BYTE type)
{
    m_points.push_back(ZVPOINTF{x, y});
    m_types.push_back(type);
}

void CZVGraphicsPath::MoveTo(float x, float y)
{
    // A figure of a lone start point is replaced rather than kept.
    if (!m_types.empty() && m_types.back() == ZVPathPointStart) {
        m_points.back() = ZVPOINTF{x, y};
        m_startFigure = false;
        return;
    }
    Append(x, y, ZVPathPointStart);
    m_startFigure = false;
}

void CZVGraphicsPath::LineTo(float x, float y)
{
    if (m_startFigure) {
        // After a closed figure the next one starts where that figure started.
        ZVPOINTF start{x, y};
        for (size_t i = m_types.size(); i-- > 0;)
            if ((m_types[i] & ~ZVPathPointClose) == ZVPathPointStart) {
                start = m_points[i];
                break;
            }
        MoveTo(start.x, start.y);
    }
    Append(x, y, ZVPathPointLine);
}

void CZVGraphicsPath::BezierTo(float x1, float y1, float x2, float y2, float x, float y)
{
    if (m_startFigure) {
        ZVPOINTF p{x1, y1};
        LastPoint(p);
        MoveTo(p.x, p.y);
    }
    Append(x1, y1, ZVPathPointBezier);
    Append(x2, y2, ZVPathPointBezier);
    Append(x, y, ZVPathPointBezier);
}

void CZVGraphicsPath::CloseSubPath()
{
    if (!m_types.empty() && !m_startFigure)
        m_types.back() |= ZVPathPointClose;
    m_startFigure = true;
}

void CZVGraphicsPath::AddPolygon(std::initializer_list<ZVPOINTF> points)
{
    bool first = true;
    for (const ZVPOINTF& p : points) {
        if (first) {
            m_startFigure = true;
            MoveTo(p.x, p.y);
            first = false;
        } else {
            LineTo(p.x, p.y);
        }
    }
    CloseSubPath();
}

void CZVGraphicsPath::AddRectangle(float x, float y, float width, float height)
{
    if (!UsableRect(width, height))
        return;
    AddPolygon({{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}});
}

void CZVGraphicsPath::AddRoundedRect(float x, float y, float width, float height, float radius)
{
    if (!UsableRect(width, height))
        return;
    const double r = std::min({static_cast<double>(radius), width / 2.0, height / 2.0});
    if (!(r > 0)) {
        AddRectangle(x, y, width, height);
        return;
    }
    const double l = x, t = y, rt = x + static_cast<double>(width), b = y + static_cast<double>(height);
    m_startFigure = true;
    MoveTo(static_cast<float>(l + r), static_cast<float>(t));
    LineTo(static_cast<float>(rt - r), static_cast<float>(t));
    ArcBeziers(*this, rt - r, t + r, r, r, 0, -kPi / 2, kPi / 2);
    LineTo(static_cast<float>(rt), static_cast<float>(b - r));
    ArcBeziers(*this, rt - r, b - r, r, r, 0, 0, kPi / 2);
    LineTo(static_cast<float>(l + r), static_cast<float>(b));
    ArcBeziers(*this, l + r, b - r, r, r, 0, kPi / 2, kPi / 2);
    LineTo(static_cast<float>(l), static_cast<float>(t + r));
    ArcBeziers(*this, l + r, t + r, r, r, 0, kPi, kPi / 2);
    CloseSubPath();
}

void CZVGraphicsPath::AddEllipse(float x, float y, float width, float height)
{
    if (!UsableRect(width, height))
        return;
    const double rx = width / 2.0, ry = height / 2.0, cx = x + rx, cy = y + ry;
    m_startFigure = true;
    MoveTo(static_cast<float>(cx + rx), static_cast<float>(cy));
    ArcBeziers(*this, cx, cy, rx, ry, 0, 0, 2 * kPi);
    CloseSubPath();
}

void CZVGraphicsPath::AddTriangle(float x, float y, float width, float height)
{
    if (!UsableRect(width, height))
        return;
    AddPolygon({{x + width / 2, y}, {x + width, y + height}, {x, y + height}});
}

void CZVGraphicsPath::AddRightTriangle(float x, float y, float width, float height)
{
    if (!UsableRect(width, height))
        return;
    AddPolygon({{x, y}, {x + width, y + height}, {x, y + height}});
}

void CZVGraphicsPath::AddDiamond(float x, float y, float width, float height)
{
    if (!UsableRect(width, height))
        return;
    const float mx = x + width / 2, my = y + height / 2;
    AddPolygon({{x, my}, {mx, y}, {x + width, my}, {mx, y + height}});
}

void CZVGraphicsPath::AddPentagon(float x, float y, float width, float height)
{
    if (!UsableRect(width, height))
        return;
    // A regular pentagon's corners relative to its bounding box.
    AddPolygon({{x + width / 2, y}, {x + width, y + 0.383112f * height}, {x + 0.82468f * width, y + height},
                {x + 0.17532f * width, y + height}, {x, y + 0.383112f * height}});
}

void CZVGraphicsPath::AddHexagon(float x, float y, float width, float height)
{
    if (!UsableRect(width, height))
        return;
    const float my = y + height / 2;
    AddPolygon({{x + 0.214285f * width, y}, {x + 0.785714f * width, y}, {x + width, my},
                {x + 0.785714f * width, y + height}, {x + 0.214285f * width, y + height}, {x, my}});
}

void CZVGraphicsPath::AddBallonSW(float x, float y, float width, float height)
{
    if (!UsableRect(width, height))
        return;
    // The body takes the upper four fifths; the tail leaves its bottom edge between 20 % and
    // 40 % of the width and points down to the left.
    const double l = x, t = y, rt = x + static_cast<double>(width), body = y + height * 0.8;
    const double r = std::min(width, static_cast<float>(height * 0.8)) * 0.2;
    m_startFigure = true;
    MoveTo(static_cast<float>(l + r), static_cast<float>(t));
    LineTo(static_cast<float>(rt - r), static_cast<float>(t));
    ArcBeziers(*this, rt - r, t + r, r, r, 0, -kPi / 2, kPi / 2);
    LineTo(static_cast<float>(rt), static_cast<float>(body - r));
    ArcBeziers(*this, rt - r, body - r, r, r, 0, 0, kPi / 2);
    LineTo(static_cast<float>(l + width * 0.4), static_cast<float>(body));
    LineTo(static_cast<float>(l + width * 0.1), static_cast<float>(y + static_cast<double>(height)));
    LineTo(static_cast<float>(l + width * 0.2), static_cast<float>(body));
    LineTo(static_cast<float>(l + r), static_cast<float>(body));
    ArcBeziers(*this, l + r, body - r, r, r, 0, kPi / 2, kPi / 2);
    LineTo(static_cast<float>(l), static_cast<float>(t + r));
    ArcBeziers(*this, l + r, t + r, r, r, 0, kPi, kPi / 2);
    CloseSubPath();
}

void CZVGraphicsPath::AddPolygonPoints(const ZVPOINTF* points, long count)
{
    if (!points || count < 1)
        return;
    m_startFigure = true;
    MoveTo(points[0].x, points[0].y);
    for (long i = 1; i < count; ++i)
        LineTo(points[i].x, points[i].y);
    CloseSubPath();
}

bool CZVGraphicsPath::AddPathString(const wchar_t* text, float x, float y, float width, float height)
{
    CZVGraphicsPath figure;
    const bool ok = ParsePathText(text, figure);
    CZVRectF b;
    if (!figure.GetBounds(&b))
        return ok;
    // Stretch the figure's bounds onto the rectangle; a flat side is only moved.
    CZVMatrix m;
    m.Translate(-b.X, -b.Y, ZVMatrixOrderAppend);
    m.Scale(b.Width > 0 ? width / b.Width : 1.0f, b.Height > 0 ? height / b.Height : 1.0f, ZVMatrixOrderAppend);
    m.Translate(x, y, ZVMatrixOrderAppend);
    figure.Transform(m);
    m_startFigure = true;
    m_points.insert(m_points.end(), figure.m_points.begin(), figure.m_points.end());
    m_types.insert(m_types.end(), figure.m_types.begin(), figure.m_types.end());
    m_startFigure = true;
    return ok;
}

bool CZVGraphicsPath::ParsePolygon(CZVSvgPathTokenizer& tokenizer)
{
    Reset();
    std::vector<ZVPOINTF> points;
    bool ok = true;
    while (!tokenizer.AtEnd()) {
        float px, py;
        if (!tokenizer.NextNumber(px) || !tokenizer.NextNumber(py)) {
            ok = false;  // a lone or unreadable coordinate ends the list
            break;
        }
        points.push_back(ZVPOINTF{px, py});
    }
    AddPolygonPoints(points.data(), static_cast<long>(points.size()));
    return ok;
}

bool CZVGraphicsPath::ParsePath(CZVSvgPathTokenizer& tokenizer)
{
    Reset();
    const bool ok = ParseCommands(tokenizer);
    // A trailing move (after the last close, or before a fault) adds no figure.
    if (!m_types.empty() && m_types.back() == ZVPathPointStart) {
        m_points.pop_back();
        m_types.pop_back();
    }
    m_startFigure = true;
    return ok;
}

bool CZVGraphicsPath::ParseCommands(CZVSvgPathTokenizer& tokenizer)
{
    ZVPOINTF current{0, 0}, start{0, 0}, lastControl{0, 0};
    wchar_t previous = 0, command = 0;
    bool first = true;
    while (!tokenizer.AtEnd()) {
        wchar_t next;
        if (tokenizer.NextCommand(next)) {
            command = next;
        } else if (command == 0 || command == L'Z' || command == L'z') {
            return false;  // numbers with no command to repeat
        } else if (command == L'M') {
            command = L'L';  // pairs after a move are lines
        } else if (command == L'm') {
            command = L'l';
        }
        if (first && command != L'M' && command != L'm')
            return false;  // path data starts with a move
        first = false;
        const bool rel = std::iswlower(command) != 0;
        const wchar_t upper = static_cast<wchar_t>(std::towupper(command));
        const float ox = rel ? current.x : 0, oy = rel ? current.y : 0;
        float v[7];
        auto read = [&](int n) {
            for (int i = 0; i < n; ++i)
                if (!tokenizer.NextNumber(v[i]))
                    return false;
            return true;
        };
        const bool smoothC = previous == L'C' || previous == L'S';
        const bool smoothQ = previous == L'Q' || previous == L'T';
        switch (upper) {
        case L'Z':
            CloseSubPath();
            current = start;
            // Anything but a move after a close starts the next figure here.
            m_startFigure = true;
            MoveTo(current.x, current.y);
            m_startFigure = false;
            break;
        case L'M':
            if (!read(2))
                return false;
            current = start = ZVPOINTF{ox + v[0], oy + v[1]};
            m_startFigure = true;
            MoveTo(current.x, current.y);
            break;
        case L'L':
            if (!read(2))
                return false;
            current = ZVPOINTF{ox + v[0], oy + v[1]};
            LineTo(current.x, current.y);
            break;
        case L'H':
            if (!read(1))
                return false;
            current.x = ox + v[0];
            LineTo(current.x, current.y);
            break;
        case L'V':
            if (!read(1))
                return false;
            current.y = oy + v[0];
            LineTo(current.x, current.y);
            break;
        case L'C':
        case L'S': {
            ZVPOINTF c1, c2, end;
            if (upper == L'C') {
                if (!read(6))
                    return false;
                c1 = ZVPOINTF{ox + v[0], oy + v[1]};
                c2 = ZVPOINTF{ox + v[2], oy + v[3]};
                end = ZVPOINTF{ox + v[4], oy + v[5]};
            } else {
                if (!read(4))
                    return false;
                c1 = smoothC ? ZVPOINTF{2 * current.x - lastControl.x, 2 * current.y - lastControl.y} : current;
                c2 = ZVPOINTF{ox + v[0], oy + v[1]};
                end = ZVPOINTF{ox + v[2], oy + v[3]};
            }
            BezierTo(c1.x, c1.y, c2.x, c2.y, end.x, end.y);
            lastControl = c2;
            current = end;
            break;
        }
        case L'Q':
        case L'T': {
            ZVPOINTF q, end;
            if (upper == L'Q') {
                if (!read(4))
                    return false;
                q = ZVPOINTF{ox + v[0], oy + v[1]};
                end = ZVPOINTF{ox + v[2], oy + v[3]};
            } else {
                if (!read(2))
                    return false;
                q = smoothQ ? ZVPOINTF{2 * current.x - lastControl.x, 2 * current.y - lastControl.y} : current;
                end = ZVPOINTF{ox + v[0], oy + v[1]};
            }
            // The quadratic as the cubic with the same curve.
            BezierTo(current.x + (q.x - current.x) * 2 / 3, current.y + (q.y - current.y) * 2 / 3,
                     end.x + (q.x - end.x) * 2 / 3, end.y + (q.y - end.y) * 2 / 3, end.x, end.y);
            lastControl = q;
            current = end;
            break;
        }
        case L'A': {
            bool large, sweep;
            if (!read(3) || !tokenizer.NextFlag(large) || !tokenizer.NextFlag(sweep) || !tokenizer.NextNumber(v[3]) ||
                !tokenizer.NextNumber(v[4]))
                return false;
            const ZVPOINTF end{ox + v[3], oy + v[4]};
            if (m_startFigure)
                MoveTo(current.x, current.y);
            SvgArc(*this, current, v[0], v[1], v[2], large, sweep, end);
            if (!m_points.empty() && m_types.back() == ZVPathPointBezier)
                m_points.back() = end;
            current = end;
            break;
        }
        default:
            return false;
        }
        previous = upper;
    }
    return true;
}

void CZVGraphicsPath::Flatten(std::vector<ZVPolyline>& out, float tolerance) const
{
    out.clear();
    const double tol = std::max(0.01f, tolerance);
    for (size_t i = 0; i < m_points.size(); ++i) {
        const BYTE kind = m_types[i] & ~ZVPathPointClose;
        if (kind == ZVPathPointStart || out.empty()) {
            out.emplace_back();
            out.back().points.push_back(m_points[i]);
        } else if (kind == ZVPathPointBezier && i + 2 < m_points.size()) {
            const ZVPOINTF p0 = out.back().points.back(), p1 = m_points[i], p2 = m_points[i + 1], p3 = m_points[i + 2];
            // Segments by the curve's second differences, so that the chords stay within tol.
            const double dd = std::max(std::hypot(p0.x - 2.0 * p1.x + p2.x, p0.y - 2.0 * p1.y + p2.y),
                                       std::hypot(p1.x - 2.0 * p2.x + p3.x, p1.y - 2.0 * p2.y + p3.y));
            const double want = std::sqrt(0.75 * dd / tol);
            // Capped so that a long path text of huge curves cannot exhaust memory; at the cap
            // a curve spanning thousands of pixels is still within a pixel.
            const int n = std::isfinite(want) ? std::clamp(static_cast<int>(std::min(want, 256.0) + 0.999), 1, 256) : 1;
            for (int s = 1; s <= n; ++s) {
                const double t = static_cast<double>(s) / n, u = 1 - t;
                const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
                out.back().points.push_back(Pt(a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                                               a * p0.y + b * p1.y + c * p2.y + d * p3.y));
            }
            i += 2;
        } else {
            out.back().points.push_back(m_points[i]);
        }
        if (m_types[i] & ZVPathPointClose)
            out.back().closed = true;
    }
}

bool CZVGraphicsPath::GetBounds(CZVRectF* bounds) const
{
    CZVRectF r;
    bool any = false;
    double l = 0, t = 0, rt = 0, btm = 0;
    auto take = [&](double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        if (!any) {
            l = rt = x;
            t = btm = y;
            any = true;
        }
        l = std::min(l, x);
        rt = std::max(rt, x);
        t = std::min(t, y);
        btm = std::max(btm, y);
    };
    for (size_t i = 0; i < m_points.size(); ++i) {
        if ((m_types[i] & ~ZVPathPointClose) != ZVPathPointBezier || i == 0 || i + 2 >= m_points.size()) {
            take(m_points[i].x, m_points[i].y);
            continue;
        }
        // A curve's bounds are its ends and the points where a coordinate turns: the roots
        // of the derivative, a quadratic in t.
        const ZVPOINTF& p0 = m_points[i - 1];
        const ZVPOINTF* c = &m_points[i];
        take(c[2].x, c[2].y);
        for (int axis = 0; axis < 2; ++axis) {
            auto v = [axis](const ZVPOINTF& p) { return static_cast<double>(axis ? p.y : p.x); };
            const double a0 = v(p0), a1 = v(c[0]), a2 = v(c[1]), a3 = v(c[2]);
            const double qa = -a0 + 3 * a1 - 3 * a2 + a3, qb = 2 * (a0 - 2 * a1 + a2), qc = a1 - a0;
            double roots[2];
            int n = 0;
            if (std::fabs(qa) < 1e-12) {
                if (std::fabs(qb) > 1e-12)
                    roots[n++] = -qc / qb;
            } else {
                const double disc = qb * qb - 4 * qa * qc;
                if (disc >= 0) {
                    roots[n++] = (-qb + std::sqrt(disc)) / (2 * qa);
                    roots[n++] = (-qb - std::sqrt(disc)) / (2 * qa);
                }
            }
            for (int k = 0; k < n; ++k) {
                const double tt = roots[k], u = 1 - tt;
                if (!(tt > 0 && tt < 1))
                    continue;
                const double w0 = u * u * u, w1 = 3 * u * u * tt, w2 = 3 * u * tt * tt, w3 = tt * tt * tt;
                const double x = w0 * p0.x + w1 * c[0].x + w2 * c[1].x + w3 * c[2].x;
                const double y = w0 * p0.y + w1 * c[0].y + w2 * c[1].y + w3 * c[2].y;
                take(x, y);
            }
        }
        i += 2;
    }
    if (any) {
        r.X = static_cast<float>(l);
        r.Y = static_cast<float>(t);
        r.Width = static_cast<float>(rt - l);
        r.Height = static_cast<float>(btm - t);
    }
    if (bounds)
        *bounds = r;
    return any;
}

void CZVGraphicsPath::Transform(const CZVMatrix& matrix)
{
    matrix.TransformPoints(m_points.data(), static_cast<long>(m_points.size()));
}

long CZVGraphicsPath::GetPathPoints(ZVPOINTF* points, long count) const
{
    const long n = std::min<long>(std::max(count, 0L), GetPointCount());
    if (points)
        std::copy(m_points.begin(), m_points.begin() + n, points);
    return points ? n : 0;
}

long CZVGraphicsPath::GetPathTypes(BYTE* types, long count) const
{
    const long n = std::min<long>(std::max(count, 0L), GetPointCount());
    if (types)
        std::copy(m_types.begin(), m_types.begin() + n, types);
    return types ? n : 0;
}

namespace {

bool ParsePathText(const wchar_t* text, CZVGraphicsPath& path)
{
    CZVSvgPathTokenizer tokenizer(text);
    bool letters = false;
    for (const wchar_t* s = text; s && *s; ++s)
        if (std::wcschr(L"MmLlHhVvCcSsQqTtAaZz", *s)) {
            letters = true;
            break;
        }
    return letters ? path.ParsePath(tokenizer) : path.ParsePolygon(tokenizer);
}

} // namespace
