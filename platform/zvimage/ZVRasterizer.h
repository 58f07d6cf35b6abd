#pragma once
// Antialiased coverage of polygons: the pure arithmetic under CZVGraphics. Pixel (x, y) is the
// square x..x+1, y..y+1; coverage is exact across a row and sampled on 16 lines down it.
#include <cstdint>
#include <vector>
#include "ZVGraphicsPath.h"

namespace zvimage {

enum class FillRule { EvenOdd, NonZero };

// A plane of coverage 0..255, width x height, with the box of the rows and columns touched.
struct Coverage {
    long width = 0, height = 0;
    std::vector<uint8_t> values;
    long left = 0, top = 0, right = 0, bottom = 0;  // right, bottom exclusive; empty when equal
    bool Empty() const { return left >= right || top >= bottom; }
    uint8_t At(long x, long y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// Fills the closed polygons (every polyline is closed for filling) into a new plane.
void RasterizePolygons(const std::vector<ZVPolyline>& polygons, FillRule rule, long width, long height, Coverage& out);

enum class LineCap { Flat, Square, Round };

struct StrokeStyle {
    float width = 1;
    LineCap cap = LineCap::Flat;
    int dash = 0;             // ZVDashStyle
    float dashUnit = 1;       // the length of one dash unit: the pen's width, at least a pixel
    float miterLimit = 10;    // in half-widths, as is usual for miter joins
};

// The stroke of the polylines as polygons that fill with the non-zero rule.
void StrokePolygons(const std::vector<ZVPolyline>& lines, const StrokeStyle& style, std::vector<ZVPolyline>& out);

// An arrow head at tip, pointing away from from, sized for a line of width w; the line's end
// moves back to the head's base so that it does not show past the tip.
void ArrowHead(ZVPOINTF from, ZVPOINTF& tip, float w, ZVPolyline& head);

} // namespace zvimage
