#pragma once
// The brush engine's arithmetic, apart from any window: brush steps and cursor radius, where a
// stroke segment stamps, the pieces of a brush strip, and the rectangles a dab touches.
// Pixel points count rows from the bottom, as the picture library's painting does.
#include <windows.h>
#include <vector>
#include "ZVImage.h"

// The stamp spacing: a quarter of the size when automatic, else the fixed step. Sizes below 1
// count as 1.
int BrushStepFor(int size, bool automatic, int fixedStep);
// The remembered-size slot of a brush type: 0 type 0; 1 types 1-2; 2 type 3; 3 type 4; 4 types 5
// and 9-17; -1 for the types without one (6, 7, 8) and unknown types.
int BrushSizeSlot(int type);
// The brush type a stroke of the tool paints with: the stamp tool always clones, the red-eye and
// lighten to blur tools always work on their circle; the others keep the chosen type.
int StrokeBrushType(int tool, int type);
// Region-effect types work on the circle round the pointer.
bool IsRegionBrushType(int type);
// Types whose brush picture is made from the current layer's picture.
bool IsPictureBrushType(int type);

// The stamps of one stroke segment: the integer line from `from` to `to` (major axis first),
// keeping the points further than `step` on x or y from the last stamped one, which moves along.
// A segment of length 0 stamps once.
std::vector<POINT> StrokeStamps(POINT from, POINT to, POINT& lastStamped, int step);

// The square cell `index` of a brush strip (cells as wide as the strip is high, side by side).
// FALSE, the cell left empty, when the strip is no picture, has height 0 or too few cells.
bool BrushStripCell(const CxImage& strip, int index, CxImage& cell);

// The size x size square centred at the pixel as the stamps place it (left/bottom inclusive,
// right/top exclusive, rows from the bottom).
RECT StampRect(POINT centre, int size);
// Union of two such rectangles; an empty one is left out.
RECT UnionPixelRect(const RECT& a, const RECT& b);
// Copies the pixels (and alpha) of the rectangle, clipped, from one picture into another of the
// same size and depth; FALSE, nothing copied, when they differ.
bool CopyPixelRect(const CxImage& from, CxImage& to, RECT rect);
