#include "LayerDocument.h"
#include <algorithm>
#include <cstdint>
#include "ZVGraphics.h"

namespace {

// How far each channel (or a grey picture's index) may stray from the seed's.
const int kWandTolerance = 30;

// The eight directions of the boundary walk, clockwise on the screen from the right.
const int kWalkX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
const int kWalkY[8] = {0, 1, 1, 1, 0, -1, -1, -1};

struct Band {
    int low, high;
    bool Holds(int v) const { return v >= low && v <= high; }
};

Band BandAround(int v)
{
    return Band{std::max(0, v - kWandTolerance), std::min(255, v + kWandTolerance)};
}

// The 4-connected region around the seed whose colours lie in the bands, one byte a pixel in
// memory order. A pixel is marked when it is queued, so that none is queued twice, and the
// queue is one vector of pixel indices read from the front.
size_t FillRegion(const CZVImage& picture, bool grey, long seedX, long seedY, std::vector<uint8_t>& mask)
{
    const long w = static_cast<long>(picture.GetWidth()), h = static_cast<long>(picture.GetHeight());
    mask.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    Band blue{}, green{}, red{}, index{};
    if (grey) {
        index = BandAround(picture.GetBits(seedY)[seedX]);
    } else {
        const BYTE* p = picture.GetBits(seedY) + 3 * seedX;
        blue = BandAround(p[0]);
        green = BandAround(p[1]);
        red = BandAround(p[2]);
    }
    const auto within = [&](long x, long y) {
        const BYTE* row = picture.GetBits(y);
        if (grey)
            return index.Holds(row[x]);
        const BYTE* p = row + 3 * x;
        return blue.Holds(p[0]) && green.Holds(p[1]) && red.Holds(p[2]);
    };
    std::vector<uint32_t> queue;
    queue.push_back(static_cast<uint32_t>(seedY * w + seedX));
    mask[queue[0]] = 1;
    const long nx[4] = {-1, 0, 1, 0}, ny[4] = {0, -1, 0, 1};
    for (size_t head = 0; head < queue.size(); ++head) {
        const long x = static_cast<long>(queue[head] % w), y = static_cast<long>(queue[head] / w);
        for (int k = 0; k < 4; ++k) {
            const long ax = x + nx[k], ay = y + ny[k];
            if (ax < 0 || ay < 0 || ax >= w || ay >= h)
                continue;
            const size_t at = static_cast<size_t>(ay) * w + ax;
            if (mask[at] || !within(ax, ay))
                continue;
            mask[at] = 1;
            queue.push_back(static_cast<uint32_t>(at));
        }
    }
    return queue.size();
}

} // namespace

void CLayerDocument::MakeCirclePath(int cx, int cy, int radius)
{
    ::MakeCirclePath(pathPoints, cx, cy, radius);
}

void CLayerDocument::MakeEllipsePath(int x1, int y1, int x2, int y2)
{
    ::MakeEllipsePath(pathPoints, x1, y1, x2, y2);
}

void CLayerDocument::AddArcPoints(int x1, int y1, int x2, int y2, float startDegrees, float endDegrees)
{
    ::AddArcPoints(pathPoints, x1, y1, x2, y2, startDegrees, endDegrees);
}

void CLayerDocument::MakeRoundRectPath(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    ::MakeRoundRectPath(pathPoints, x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void CLayerDocument::MakeBalloonPath(int x1, int y1, int x2, int y2, int tail, int cornerHeight)
{
    ::MakeBalloonPath(pathPoints, x1, y1, x2, y2, tail, cornerHeight);
}

void CLayerDocument::MakeHeartPath(int x1, int y1, int x2, int y2)
{
    ::MakeHeartPath(pathPoints, x1, y1, x2, y2);
}

void CLayerDocument::MakeDiamondPath(const RECT& rect)
{
    ::MakeDiamondPath(pathPoints, rect);
}

void CLayerDocument::MakeTrianglePath(const RECT& rect)
{
    ::MakeTrianglePath(pathPoints, rect);
}

void CLayerDocument::MakeRightTrianglePath(const RECT& rect)
{
    ::MakeRightTrianglePath(pathPoints, rect);
}

void CLayerDocument::MakePentagonPath(const RECT& rect)
{
    ::MakePentagonPath(pathPoints, rect);
}

void CLayerDocument::MakeHexagonPath(const RECT& rect)
{
    ::MakeHexagonPath(pathPoints, rect);
}

PathBounds CLayerDocument::GetPathBounds()
{
    return ::GetPathBounds(pathPoints);
}

bool CLayerDocument::IsInsidePath(int x, int y)
{
    return ::IsInsidePath(pathPoints, x, y);
}

void CLayerDocument::MagicWandSelect(int x, int y)
{
    CLayerInfo* layer = CurrentLayer();
    if (!layer)
        return;
    const POINT pixel = WindowPointToPixel(x, y, layer->location, hPos * hStep, vPos * vStep, zoom,
                                           static_cast<int>(layer->displayed.GetHeight()));
    TraceColorRegion(layer->displayed, static_cast<int>(layer->location.x), static_cast<int>(layer->location.y),
                     pixel.x, pixel.y, zoom);
}

void CLayerDocument::TraceColorRegion(CZVImage& picture, int originX, int originY, int seedX, int seedY, double scale)
{
    pathPoints.clear();
    if (!picture.IsValid() || !picture.IsInside(seedX, seedY))
        return;
    // A palette of colours is traced in 24 bits and given back afterwards; a grey palette is
    // compared by index.
    const bool grey = picture.GetBpp() == 8 && picture.IsGrayScale();
    std::vector<RGBQUAD> palette;
    if (picture.GetBpp() != 24 && !grey) {
        if (picture.GetPalette())
            palette.assign(picture.GetPalette(), picture.GetPalette() + picture.GetNumColors());
        if (!picture.IncreaseBpp(24))
            return;
    }
    std::vector<uint8_t> mask;
    const size_t markedCount = FillRegion(picture, grey, seedX, seedY, mask);

    const long w = static_cast<long>(picture.GetWidth()), h = static_cast<long>(picture.GetHeight());
    const auto marked = [&](long x, long y) {
        return x >= 0 && y >= 0 && x < w && y < h && mask[static_cast<size_t>(y) * w + x] != 0;
    };
    // 0: inside the region; 1: a direct neighbour lies beyond the picture; 2: one is unmarked.
    const auto edgeKind = [&](long x, long y) {
        const long nx[4] = {-1, 0, 1, 0}, ny[4] = {0, -1, 0, 1};
        for (int k = 0; k < 4; ++k) {
            const long ax = x + nx[k], ay = y + ny[k];
            if (ax < 0 || ay < 0 || ax >= w || ay >= h)
                return 1;
            if (!mask[static_cast<size_t>(ay) * w + ax])
                return 2;
        }
        return 0;
    };
    const auto append = [&](long x, long y, int kind) {
        const long rowFromTop = kind == 1 ? h - y - 1 : h - y;
        pathPoints.push_back(ZVPOINTF{static_cast<float>(x * scale + originX),
                                      static_cast<float>(rowFromTop * scale + originY)});
    };

    // The first marked pixel in memory order always lies on the boundary: nothing below it is
    // marked.
    const size_t first = static_cast<size_t>(std::find(mask.begin(), mask.end(), uint8_t(1)) - mask.begin());
    const long startX = static_cast<long>(first % w), startY = static_cast<long>(first / w);
    append(startX, startY, edgeKind(startX, startY));
    long x = startX, y = startY;
    int direction = 0;
    // The turn rule can circle on some regions without coming back to the start; a boundary
    // has at most four steps a pixel.
    const size_t maxSteps = 4 * markedCount + 8;
    for (size_t step = 0; step < maxSteps; ++step) {
        bool moved = false;
        for (int k = 0; k < 8 && !moved; ++k) {
            const int d = (direction + k) % 8;
            const long ax = x + kWalkX[d], ay = y + kWalkY[d];
            const int kind = marked(ax, ay) ? edgeKind(ax, ay) : 0;
            if (kind == 0)
                continue;
            append(ax, ay, kind);
            x = ax;
            y = ay;
            direction = (d + 6) % 8;
            moved = true;
        }
        if (!moved || (x == startX && y == startY))
            break;
    }
    if (!palette.empty())
        picture.DecreaseBpp(8, false, palette.data(), static_cast<DWORD>(palette.size()));
}

void CLayerDocument::DrawShapeLine(CZVImage& picture, float x1, float y1, float x2, float y2,
                                   const ShapeSettings* settings)
{
    if (!settings || !picture.IsValid())
        return;
    // The drawing counts rows from the top; the picture keeps them bottom-up.
    picture.Flip();
    {
        CZVGraphics graphics(&picture);
        graphics.CreateMask();
        // The line's alpha is word 9, where the line options store it.
        CZVPen pen(ZVMakeARGB(static_cast<BYTE>(settings->fillAlpha & 0xFF), settings->outlineColour),
                   static_cast<float>(settings->outlineWidth));
        pen.m_nDashStyle = settings->lineStyle;
        pen.m_nStyle = ZVPenInside;
        graphics.DrawLine(pen, x1, y1, x2, y2, settings->lineOption);
        graphics.FillPathMask(255);
    }
    picture.Flip();
}
