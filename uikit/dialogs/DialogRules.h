#pragma once
// The arithmetic of the small dialogs and of printing, apart from their windows: size units of
// the resize dialog, the progress percentage, the print sizes and the layout of photos on a page
// that the print preview and the printed page share.
#include <windows.h>
#include <vector>
#include "ZVUILibDef.h"

// Centimetres per inch as the resize and print dialogs count them; the size read back by
// ShowDlgResize must match what the dialog showed, so every conversion uses this value.
const double kCmPerInch = 2.539999918;

namespace resizeunits {
enum { UNIT_PIXELS = 0, UNIT_CM = 1, UNIT_INCHES = 2 };
enum { RES_PER_INCH = 0, RES_PER_CM = 1 };
// Pixels in one unit of length at the resolution (pixels per inch or per centimetre); 0 when
// the resolution is not positive.
ZVUILIB_API double PixelsPerUnit(int unit, double resolution, int resolutionUnit);
// A length from one unit to another; unchanged when either unit has no pixels.
ZVUILIB_API double Convert(double value, int fromUnit, int toUnit, double resolution, int resolutionUnit);
// A resolution from pixels per inch to per centimetre or back.
ZVUILIB_API double ConvertResolution(double resolution, int fromUnit, int toUnit);
// What ShowDlgResize writes back from the dialog's values: pixels per inch and the size in
// pixels, each truncated.
struct PixelSize {
    int width, height, resolution;
};
ZVUILIB_API PixelSize ToPixels(double width, double height, int unit, double resolution, int resolutionUnit);
} // namespace resizeunits

// The progress dialog's percentage: (pos - min) x 100 / (max - min) in 64 bits, 0 when max <= min.
ZVUILIB_API int ProgressPercent(int pos, int min, int max);

namespace printlayout {
enum { UNIT_CM = 1, UNIT_INCHES = 2 };

// An entry of the photo size list; the first, "Automatic", takes the size of the picture.
struct PhotoSize {
    const wchar_t* prefix;    // translated before the numbers, or null
    const wchar_t* numbers;   // the literal sizes
    int unit;
    double width, height;
    int count;                // photos per page
};
ZVUILIB_API const std::vector<PhotoSize>& PhotoSizes();

// The gap's upper limit: the smaller free space beside the photo on the paper, each rounded to
// 2 decimals, but at least 0.1.
ZVUILIB_API double MaxThickness(double paperWidth, double paperHeight, double width, double height);

// Photos of cell size on a page, gap pixels apart, in columns from the top left (all of one
// scale: preview pixels or printer pixels).
struct Layout {
    POINT origin = {0, 0};
    int columns = 1;          // that fit across, at least 1
    int rows = 0;             // full columns' length: count / columns
    int rest = 0;             // photos of the last, incomplete row
    int rowsThatFit = 0;
    std::vector<RECT> photos; // in the order they are drawn
};
// Centred, the block is centred on the page (the incomplete last row counts; fewer photos than
// a row centre that row across and the photo down); else it starts at offset. Negative origins
// become 0. An empty cell lays out nothing.
ZVUILIB_API Layout LayOutPhotos(SIZE page, SIZE cell, int gap, int count, bool center, POINT offset);
// The most photos that fit: rows x columns (columns at least 1), at least 1.
ZVUILIB_API int MaxCount(SIZE page, SIZE cell, int gap);
} // namespace printlayout
