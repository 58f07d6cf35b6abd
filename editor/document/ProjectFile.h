#pragma once
// Pieces of the project file and the page-template writer that tests and the benchmark reach.
#include <string>
#include <vector>
#include "ShapeSettings.h"

// The Deflate level of the project's entries. The layer pictures are lossless WebP, which
// Deflate cannot shrink further worth the time, and main.xml is small: the entries are stored.
const int kProjectZipLevel = 0;

// "M%.3f,%.3f" of the first point, " L%.3f,%.3f" of each further one, then "z"; "" for none.
std::wstring PolygonOutlineText(const std::vector<ZVPOINTF>& points);
// The outline of a built-in figure (0 to 8) or a free polygon (41) on (0, 0, width, height);
// "" for any other number.
std::wstring ShapeSlotOutlineText(const ShapeSettings& shape);
