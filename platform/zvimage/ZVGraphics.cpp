// CZVGraphics: coverage from ZVRasterizer, blended into the picture's rows and recorded in the
// mask. The mask keeps the drawn opacity (coverage times the colour's alpha); FillPathMask
// lays it over the alpha plane as one layer over another, so a fill and an outline recorded
// by two masks combine as they look.
#include "ZVGraphics.h"
#include <algorithm>
#include <cstring>
#include "CxImage.h"
#include "ZVRasterizer.h"

using namespace zvimage;

namespace {

int Div255(int v)
{
    return (v + 1 + (v >> 8)) >> 8;
}

// a over b, both 0..255.
BYTE Over(int a, int b)
{
    return static_cast<BYTE>(a + Div255(b * (255 - a)));
}

void Paint(CxImage& picture, std::vector<uint8_t>& mask, const Coverage& cov, DWORD argb)
{
    const int alpha = argb >> 24, r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    for (long y = cov.top; y < cov.bottom; ++y) {
        BYTE* row = picture.GetBits(y);
        const uint8_t* c = &cov.values[static_cast<size_t>(y) * cov.width];
        uint8_t* m = mask.empty() ? nullptr : &mask[static_cast<size_t>(y) * cov.width];
        for (long x = cov.left; x < cov.right; ++x) {
            if (!c[x])
                continue;
            const int a = Div255(c[x] * alpha);
            BYTE* px = row + x * 3;
            px[0] = static_cast<BYTE>(px[0] + Div255((b - px[0]) * a));
            px[1] = static_cast<BYTE>(px[1] + Div255((g - px[1]) * a));
            px[2] = static_cast<BYTE>(px[2] + Div255((r - px[2]) * a));
            if (m)
                m[x] = Over(a, m[x]);
        }
    }
}

StrokeStyle StyleOf(const CZVPen& pen, bool inside)
{
    StrokeStyle style;
    // Drawn inside, the stroke is twice as wide and cut by the figure: what is left lies
    // within the outline and is as wide as the pen.
    style.width = inside ? pen.m_fWidth * 2 : pen.m_fWidth;
    style.cap = pen.m_nStyle == ZVPenSquareCaps ? LineCap::Square
              : pen.m_nStyle == ZVPenInside    ? LineCap::Round
                                               : LineCap::Flat;
    style.dash = pen.m_nDashStyle;
    style.dashUnit = pen.m_fWidth;
    return style;
}

} // namespace

CZVGraphics::CZVGraphics(CxImage* picture) : m_picture(picture)
{
}

bool CZVGraphics::Usable() const
{
    return m_picture && m_picture->IsValid() && m_picture->GetBpp() == 24;
}

bool CZVGraphics::StrokePath(const CZVPen& pen, const CZVGraphicsPath& path, const ZVPOINTF* arrows, int arrowCount)
{
    if (!Usable() || !(pen.m_fWidth > 0))
        return false;
    const long w = m_picture->GetWidth(), h = m_picture->GetHeight();
    std::vector<ZVPolyline> lines;
    path.Flatten(lines);
    bool allClosed = !lines.empty();
    for (const ZVPolyline& line : lines)
        allClosed = allClosed && line.closed;
    const bool inside = pen.m_nStyle == ZVPenInside && allClosed;
    std::vector<ZVPolyline> polygons;
    StrokePolygons(lines, StyleOf(pen, inside), polygons);
    // Arrow heads come as triangles already placed.
    for (int i = 0; i + 2 < arrowCount; i += 3) {
        ZVPolyline head;
        head.points.assign(arrows + i, arrows + i + 3);
        head.closed = true;
        polygons.push_back(head);
    }
    Coverage cov;
    RasterizePolygons(polygons, FillRule::NonZero, w, h, cov);
    if (inside) {
        Coverage area;
        RasterizePolygons(lines, FillRule::EvenOdd, w, h, area);
        for (size_t i = 0; i < cov.values.size(); ++i)
            cov.values[i] = static_cast<uint8_t>(Div255(cov.values[i] * area.values[i]));
    }
    if (cov.Empty())
        return false;
    Paint(*m_picture, m_mask, cov, pen.m_argb);
    return true;
}

bool CZVGraphics::DrawPath(const CZVPen& pen, const CZVGraphicsPath& path)
{
    return StrokePath(pen, path, nullptr, 0);
}

bool CZVGraphics::FillPath(const CZVBrushSolid& brush, const CZVGraphicsPath& path)
{
    if (!Usable())
        return false;
    std::vector<ZVPolyline> lines;
    path.Flatten(lines);
    Coverage cov;
    RasterizePolygons(lines, FillRule::EvenOdd, m_picture->GetWidth(), m_picture->GetHeight(), cov);
    if (cov.Empty())
        return false;
    Paint(*m_picture, m_mask, cov, brush.m_argb);
    return true;
}

bool CZVGraphics::DrawLine(const CZVPen& pen, float x1, float y1, float x2, float y2, int arrowStyle)
{
    ZVPOINTF start{x1, y1}, end{x2, y2};
    ZVPOINTF heads[6];
    int count = 0;
    ZVPolyline head;
    if (arrowStyle == ZVArrowEnd || arrowStyle == ZVArrowBoth) {
        ArrowHead(ZVPOINTF{x1, y1}, end, pen.m_fWidth, head);
        for (size_t i = 0; i < head.points.size(); ++i)
            heads[count++] = head.points[i];
    }
    if (arrowStyle == ZVArrowBoth) {
        ArrowHead(ZVPOINTF{x2, y2}, start, pen.m_fWidth, head);
        for (size_t i = 0; i < head.points.size(); ++i)
            heads[count++] = head.points[i];
    }
    CZVGraphicsPath path;
    path.MoveTo(start.x, start.y);
    path.LineTo(end.x, end.y);
    return StrokePath(pen, path, heads, count);
}

#define ZV_SHAPE_PAIR(Name)                                                                          \
    bool CZVGraphics::Draw##Name(const CZVPen& pen, float x, float y, float width, float height)     \
    {                                                                                                \
        CZVGraphicsPath path;                                                                        \
        path.Add##Name(x, y, width, height);                                                         \
        return DrawPath(pen, path);                                                                  \
    }                                                                                                \
    bool CZVGraphics::Fill##Name(const CZVBrushSolid& brush, float x, float y, float width, float height) \
    {                                                                                                \
        CZVGraphicsPath path;                                                                        \
        path.Add##Name(x, y, width, height);                                                         \
        return FillPath(brush, path);                                                                \
    }

ZV_SHAPE_PAIR(Rectangle)
ZV_SHAPE_PAIR(Ellipse)
ZV_SHAPE_PAIR(Triangle)
ZV_SHAPE_PAIR(RightTriangle)
ZV_SHAPE_PAIR(Diamond)
ZV_SHAPE_PAIR(Pentagon)
ZV_SHAPE_PAIR(Hexagon)
ZV_SHAPE_PAIR(BallonSW)
#undef ZV_SHAPE_PAIR

bool CZVGraphics::DrawRoundedRect(const CZVPen& pen, float x, float y, float width, float height, float radius)
{
    CZVGraphicsPath path;
    path.AddRoundedRect(x, y, width, height, radius);
    return DrawPath(pen, path);
}

bool CZVGraphics::FillRoundedRect(const CZVBrushSolid& brush, float x, float y, float width, float height, float radius)
{
    CZVGraphicsPath path;
    path.AddRoundedRect(x, y, width, height, radius);
    return FillPath(brush, path);
}

bool CZVGraphics::DrawPathString(const CZVPen& pen, const wchar_t* text, float x, float y, float width, float height)
{
    CZVGraphicsPath path;
    path.AddPathString(text, x, y, width, height);
    return DrawPath(pen, path);
}

bool CZVGraphics::FillPathString(const CZVBrushSolid& brush, const wchar_t* text, float x, float y, float width, float height)
{
    CZVGraphicsPath path;
    path.AddPathString(text, x, y, width, height);
    return FillPath(brush, path);
}

bool CZVGraphics::CreateMask()
{
    if (!Usable())
        return false;
    m_mask.assign(static_cast<size_t>(m_picture->GetWidth()) * m_picture->GetHeight(), 0);
    return true;
}

bool CZVGraphics::ClearMask()
{
    if (!Usable() || !m_picture->AlphaCreate())
        return false;
    m_picture->AlphaSet(0);
    std::fill(m_mask.begin(), m_mask.end(), 0);
    return true;
}

bool CZVGraphics::FillPathMask(BYTE alpha)
{
    if (!Usable())
        return false;
    // A picture without alpha gains a transparent plane: only what was drawn shows.
    if (!m_picture->AlphaIsValid()) {
        if (!m_picture->AlphaCreate())
            return false;
        m_picture->AlphaSet(0);
    }
    if (m_mask.empty())
        return true;
    BYTE* plane = m_picture->AlphaGetPointer(0, 0);
    for (size_t i = 0; i < m_mask.size(); ++i)
        if (m_mask[i])
            plane[i] = Over(Div255(m_mask[i] * alpha), plane[i]);
    return true;
}

bool CZVGraphics::FillPathMask(BYTE alpha, const CZVGraphicsPath& path)
{
    if (!Usable())
        return false;
    if (m_mask.empty())
        CreateMask();
    std::vector<ZVPolyline> lines;
    path.Flatten(lines);
    Coverage cov;
    RasterizePolygons(lines, FillRule::EvenOdd, m_picture->GetWidth(), m_picture->GetHeight(), cov);
    for (size_t i = 0; i < cov.values.size(); ++i)
        m_mask[i] = Over(cov.values[i], m_mask[i]);
    return FillPathMask(alpha);
}
