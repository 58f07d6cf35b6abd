#include "GdiTextPath.h"

#include <algorithm>
#include <vector>
#include "Win32Owners.h"

using namespace Gdiplus;

namespace TextDesigner {

namespace {

// Draws the text inside a GDI path bracket on the Graphics' device context and converts the
// result; drawText does the one GDI text output of the form.
template <typename DrawText>
bool TextToPath(Graphics* graphics, GraphicsPath** out, const wchar_t* text, LOGFONTW* logFont,
                DrawText drawText)
{
    if (!out)
        return false;
    *out = new GraphicsPath(FillModeWinding);
    if (!graphics || !text || !logFont)
        return false;

    GraphicsDc dc(graphics);
    if (!dc.Get())
        return false;
    ScopedBkMode bkMode(dc.Get(), TRANSPARENT);
    const win32::GdiObject<HFONT> font(CreateFontIndirectW(logFont));
    if (!font.IsValid())
        return false;
    const win32::ScopedSelect selected(dc.Get(), font.Get());

    BeginPath(dc.Get());
    drawText(dc.Get());
    EndPath(dc.Get());

    int count = GetPath(dc.Get(), nullptr, nullptr, 0);
    if (count <= 0)
        return false;
    std::vector<POINT> points(count);
    std::vector<BYTE> types(count);
    count = GetPath(dc.Get(), points.data(), types.data(), count);
    if (count > 0)
        ConvertGdiPath(*out, points.data(), types.data(), count);
    return true;
}

struct Range {
    float minX, minY, maxX, maxY;
};

bool PathRange(GraphicsPath* path, Range* range)
{
    INT count = path->GetPointCount();
    if (count <= 0)
        return false;
    std::vector<PointF> points(count);
    if (path->GetPathPoints(points.data(), count) != Ok)
        return false;
    *range = {points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const PointF& p : points) {
        range->minX = std::min(range->minX, p.X);
        range->minY = std::min(range->minY, p.Y);
        range->maxX = std::max(range->maxX, p.X);
        range->maxY = std::max(range->maxY, p.Y);
    }
    return true;
}

template <typename Extent>
bool MeasurePath(Graphics* graphics, GraphicsPath* path, float* startX, float* startY,
                 float* width, float* height, Extent extent)
{
    if (!graphics || !path || !width || !height)
        return false;
    Range r;
    if (!PathRange(path, &r))
        return false;
    if (startX)
        *startX = r.minX;
    if (startY)
        *startY = r.minY;
    float w = extent(r.minX, r.maxX) - *width;
    float h = extent(r.minY, r.maxY) - *height;
    return ConvertToPixels(graphics, startX, startY, width, height, w, h);
}

} // namespace

bool GdiTextToPath(Graphics* graphics, GraphicsPath** out, const wchar_t* text, LOGFONTW* logFont,
                   int x, int y)
{
    return TextToPath(graphics, out, text, logFont,
                      [&](HDC dc) { TextOutW(dc, x, y, text, static_cast<int>(wcslen(text))); });
}

bool GdiTextToPath(Graphics* graphics, GraphicsPath** out, const wchar_t* text, LOGFONTW* logFont,
                   int x, int y, int width, int height)
{
    return TextToPath(graphics, out, text, logFont, [&](HDC dc) {
        RECT box = {x, y, x + width, y + height};
        DrawTextW(dc, text, -1, &box, DT_CENTER);
    });
}

void ConvertGdiPath(GraphicsPath* path, const POINT* points, const BYTE* types, int count)
{
    if (!path || !points || !types)
        return;
    Point last(0, 0);
    Point start;
    bool open = false;
    int processed = 0;
    auto at = [&](int i) { return Point(points[i].x, points[i].y); };
    auto close = [&] {
        if (open) {
            path->CloseFigure();
            last = start;
            open = false;
        }
    };

    for (int i = 0; i < count; ++i) {
        if ((types[i] & ~PT_CLOSEFIGURE) == PT_BEZIERTO && i + 2 >= count)
            break; // a Bezier needs two more points; a truncated array ends the walk
        switch (types[i]) {
        case PT_MOVETO:
            close();
            path->StartFigure();
            start = last = at(i);
            open = true;
            ++processed;
            break;
        case PT_LINETO:
        case PT_LINETO | PT_CLOSEFIGURE:
            path->AddLine(last, at(i));
            last = at(i);
            ++processed;
            if (types[i] & PT_CLOSEFIGURE)
                close();
            break;
        case PT_BEZIERTO:
        case PT_BEZIERTO | PT_CLOSEFIGURE: {
            path->AddBezier(last, at(i), at(i + 1), at(i + 2));
            last = at(i + 2);
            processed += 3;
            // GDI puts the close flag on a Bezier's end point; honour it there as well as on
            // its first point, or the text's last contour stays open and its outline notched.
            bool closes = (types[i] | types[i + 2]) & PT_CLOSEFIGURE;
            i += 2;
            if (closes)
                close();
            break;
        }
        default:
            break;
        }
    }
    if (open && processed >= 2)
        path->AddLine(last, start);
}

bool MeasurePathExtent(Graphics* graphics, GraphicsPath* path, float* startX, float* startY,
                       float* width, float* height)
{
    // Measured from the drawing origin; a path reaching left of 0 adds that overhang.
    return MeasurePath(graphics, path, startX, startY, width, height,
                       [](float lo, float hi) { return (lo < 0 ? -lo : 0.0f) + hi; });
}

bool MeasurePathTightExtent(Graphics* graphics, GraphicsPath* path, float* startX, float* startY,
                            float* width, float* height)
{
    return MeasurePath(graphics, path, startX, startY, width, height,
                       [](float lo, float hi) { return hi - lo; });
}

bool ConvertToPixels(Graphics* graphics, float* startX, float* startY, float* width,
                     float* height, float w, float h)
{
    if (!graphics || !width || !height)
        return false;
    Unit unit = graphics->GetPageUnit();
    if (unit == UnitDisplay || unit == UnitPixel) {
        *width = w;
        *height = h;
        return true;
    }
    float fx, fy;
    if (!PixelsPerPageUnit(unit, graphics->GetDpiX(), &fx) ||
        !PixelsPerPageUnit(unit, graphics->GetDpiY(), &fy))
        return false;
    if (startX)
        *startX *= fx;
    if (startY)
        *startY *= fy;
    *width = fx * w;
    *height = fy * h;
    return true;
}

} // namespace TextDesigner
