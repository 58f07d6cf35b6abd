#pragma once
// The canvas arithmetic of a layered document, apart from any document: where the picture lies
// in the window, the selection frame of a layer, where a layer lands in the composites, which
// pixel a window point hits, and the selection outlines (closed polygons of float points).
#include <windows.h>
#include <vector>
#include "ZVImageDef.h"

using PathPoints = std::vector<ZVPOINTF>;

// One axis of the canvas: the picture's extent at a zoom against the window's extent.
struct CanvasAxis {
    BOOL scroll;   // the picture overflows the window: the canvas spans the window
    float step;    // one scroll unit: a hundredth of the overflow
    int start;     // the canvas in window coordinates
    int end;
};
CanvasAxis PlaceCanvasAxis(int size, float zoom, int viewStart, int viewEnd);

// The unturned selection frame of a layer of width x height picture pixels at location (canvas
// coordinates): corners 0 to 3 clockwise from the top left, 4 the rotate handle, in window
// coordinates for the scroll offset (scrollX, scrollY).
void LayerFramePoints(ZVPOINTF location, int width, int height, float zoom, int scrollX, int scrollY, int margin,
                      POINT points[5]);

// Where a layer drawn from origin lands in the full composite, whose top left is the background
// at base: the canvas distance in picture pixels, rounded half up.
POINT CompositeOffset(ZVPOINTF origin, ZVPOINTF base, const RECT& canvas, float zoom);
// The same in the composite reduced to the zoom, whose pixels are canvas pixels.
POINT ScaledCompositeOffset(ZVPOINTF origin, ZVPOINTF base);

// The pixel (x from the left, y a memory row counted from the bottom) of a picture of the given
// height under window point (x, y), for a layer at location and the scroll offset in view
// pixels. Points left of or above the layer give negative columns or rows past the top.
POINT WindowPointToPixel(int x, int y, ZVPOINTF location, float scrollX, float scrollY, float zoom, int pictureHeight);

// Outline builders: each empties the list first (AddArcPoints appends). Rectangles are ordered
// so that left <= right and top <= bottom.
void MakeCirclePath(PathPoints& path, int cx, int cy, int radius);
void MakeEllipsePath(PathPoints& path, int x1, int y1, int x2, int y2);
// Angles in degrees, clockwise on the screen from the right end.
void AddArcPoints(PathPoints& path, int x1, int y1, int x2, int y2, float startDegrees, float endDegrees);
void MakeRoundRectPath(PathPoints& path, int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
void MakeBalloonPath(PathPoints& path, int x1, int y1, int x2, int y2, int tail, int cornerHeight);
void MakeHeartPath(PathPoints& path, int x1, int y1, int x2, int y2);
void MakeDiamondPath(PathPoints& path, const RECT& rect);
void MakeTrianglePath(PathPoints& path, const RECT& rect);
void MakeRightTrianglePath(PathPoints& path, const RECT& rect);
void MakePentagonPath(PathPoints& path, const RECT& rect);
void MakeHexagonPath(PathPoints& path, const RECT& rect);

// The bounding box of the points; zeros for an empty list.
struct PathBounds {
    float x, y, width, height;
};
PathBounds GetPathBounds(const PathPoints& path);
// Even-odd test over the closed polygon, coordinates truncated; an edge holds the points of
// its lower end and not those of its upper end, so that shared edges count once.
bool IsInsidePath(const PathPoints& path, int x, int y);
