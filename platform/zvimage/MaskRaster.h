#pragma once
// Rasterising of selection shapes into a one-byte-a-pixel mask (rows bottom-up).
#include "ZVImageDef.h"

namespace zvimage {

// Raises the mask to level inside the polygon (even-odd rule, pixel centres at whole
// coordinates) and along its edges, so that a polygon through pixel centres includes them.
// Returns false when no pixel of the mask was touched.
bool FillPolygon(BYTE* mask, long width, long height, const ZVPOINTF* points, long count, BYTE level);

// The ellipse inscribed in the pixels left..right-1, bottom..top-1 (rows from the bottom).
bool FillEllipse(BYTE* mask, long width, long height, long left, long bottom, long right, long top, BYTE level);

} // namespace zvimage
