#include "CanvasViewMath.h"
#include <algorithm>
#include <cmath>

float NextZoom(float zoom, bool zoomIn)
{
    double z = zoomIn ? zoom * 1.15 : zoom / 1.15;
    if (zoomIn && z >= 16.0)
        z = 16.0;
    if (!zoomIn && z <= 0.05)
        z = 0.05;
    return static_cast<float>(z);
}

ViewAxis LayOutViewAxis(int size, float zoom, int clientStart, int clientEnd)
{
    const float extent = static_cast<float>(size) * zoom;
    const int client = clientEnd - clientStart;
    // A client without extent is a minimised window: the caller does not lay out then, and
    // here it simply scrolls instead of dividing by zero.
    if (client <= 0 || extent / client >= 1.0f)
        return ViewAxis{TRUE, 1.0f, clientStart, clientEnd};
    const int start = static_cast<int>((client - extent) * 0.5f + clientStart);
    return ViewAxis{FALSE, 0.0f, start, static_cast<int>(start + extent)};
}

int ScrollLimit(int range, int page)
{
    return std::max(0, range - std::max(page - 1, 0));
}

int ScrollPosition(int code, int position, int given, int lineStep, int page, int limit)
{
    int p = position;
    switch (code) {
    case SB_LINEUP: p = position - lineStep; break;
    case SB_LINEDOWN: p = position + lineStep; break;
    case SB_PAGEUP: p = position - page; break;
    case SB_PAGEDOWN: p = position + page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: p = given; break;
    case SB_TOP: p = 0; break;
    case SB_BOTTOM: p = limit; break;
    default: break;   // SB_ENDSCROLL
    }
    return std::clamp(p, 0, std::max(limit, 0));
}

void CentreScrollAxis(int& position, float& ratio, int limit)
{
    if (position == 0) {
        ratio = 0.5f;
        position = limit / 2;
    } else {
        position = static_cast<int>(limit * ratio);
    }
}

int CursorForHitCode(int code)
{
    // Codes 4 to 8 belong to the edge and corner handles of other frames that share the table.
    static const int kCursors[10] = {0, 0, 5, 4, 2, 2, 1, 1, 5, 0};
    return code >= 0 && code <= 9 ? kCursors[code] : -1;
}

int HoverCursor(int hitCode, bool buttonsLimited)
{
    const int cursor = CursorForHitCode(hitCode);
    if (!buttonsLimited || cursor < 0)
        return cursor;
    return cursor == 5 ? -1 : 0;
}

int FlipSign(float angleRadians)
{
    // 3.14, not pi: the frame's degrees are rounded the way the layer's angle is shown.
    const int degrees = static_cast<int>(angleRadians * 180.0 / 3.14 + 0.5);
    return degrees >= 91 && degrees <= 269 ? -1 : 1;
}

BOOL ResizeByDrag(int w0, int h0, int dx, int dy, float angleRadians, ZVPOINTF location, int oldWidth,
                  int oldHeight, float zoom, ResizeStep& out)
{
    if (w0 + dx <= 0 || h0 + dy <= 0)
        return FALSE;
    const int s = FlipSign(angleRadians);
    out.width = w0 + s * dx;
    out.height = h0 + s * dy;
    if (out.width <= 0 || out.height <= 0)
        return FALSE;
    // Upside down the mouse holds the top left of the picture: the far corner stays.
    out.location = s < 0 ? KeepFarCorner(location, oldWidth, oldHeight, out.width, out.height, zoom) : location;
    return TRUE;
}

ZVPOINTF KeepFarCorner(ZVPOINTF location, int oldW, int oldH, int newW, int newH, float zoom)
{
    const float farX = location.x + oldW * zoom, farY = location.y + oldH * zoom;
    return ZVPOINTF{farX - newW * zoom, farY - newH * zoom};
}

int PinchStep(POINT start0, POINT start1, POINT now0, POINT now1)
{
    const auto distance = [](POINT a, POINT b) {
        return static_cast<int>(std::lround(std::hypot(double(a.x - b.x), double(a.y - b.y))));
    };
    const int d0 = distance(start0, start1), d1 = distance(now0, now1);
    if (std::abs(d0 - d1) < 51)
        return 0;
    return d0 < d1 ? 1 : -1;
}

std::vector<int> GridLinePositions(float cell, int canvasStart, int canvasEnd, int scroll)
{
    std::vector<int> lines;
    if (!(cell >= 1.0f))
        return lines;
    const int n = static_cast<int>((scroll - canvasStart + canvasEnd) / cell + 0.1);
    for (int i = 0; i <= n; ++i)
        lines.push_back(static_cast<int>(i * cell + canvasStart - scroll));
    return lines;
}

BOOL VisibleStretchPart(int originX, int originY, int width, int height, float zoom, const RECT& client,
                        StretchPart& out)
{
    if (width <= 0 || height <= 0 || !(zoom > 0.0f))
        return FALSE;
    const auto axis = [zoom](int origin, int size, int clientStart, int clientEnd, LONG& s0, LONG& s1, LONG& t0,
                             LONG& t1) {
        // Whole source pixels that touch the client, and their place at the zoom.
        const double first = std::floor((clientStart - origin) / static_cast<double>(zoom));
        const double last = std::ceil((clientEnd - origin) / static_cast<double>(zoom));
        s0 = static_cast<LONG>(std::clamp(first, 0.0, static_cast<double>(size)));
        s1 = static_cast<LONG>(std::clamp(last, 0.0, static_cast<double>(size)));
        t0 = origin + static_cast<LONG>(std::lround(s0 * static_cast<double>(zoom)));
        t1 = origin + static_cast<LONG>(std::lround(s1 * static_cast<double>(zoom)));
        return s1 > s0;
    };
    const bool x = axis(originX, width, client.left, client.right, out.source.left, out.source.right,
                        out.target.left, out.target.right);
    const bool y = axis(originY, height, client.top, client.bottom, out.source.top, out.source.bottom,
                        out.target.top, out.target.bottom);
    return x && y ? TRUE : FALSE;
}

int ScaleToDpi(int pixels, int dpi)
{
    return dpi <= 96 ? pixels : MulDiv(pixels, dpi, 96);
}
