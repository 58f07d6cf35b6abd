#pragma once
// The arithmetic of the new-picture dialogs, apart from their windows: lengths and resolutions
// between units, the rounding of shown values, kept ratios, the preset sizes of a new document,
// the camera preview's width, the snapshot's default name and the checks on clipboard and camera
// data.
#include <windows.h>
#include <cstddef>
#include <vector>
#include "AppFrame.h"

namespace newpicture {

enum { UNIT_PIXELS = 0, UNIT_CM = 1, UNIT_INCHES = 2 };
enum { RES_PER_INCH = 0, RES_PER_CM = 1 };

// Centimetres per inch: the single-precision 2.54, so that sizes shown in centimetres match
// what a float computation of the same value gives.
const double kCmPerInch = double(2.54f);
// The largest side of a new picture, in pixels.
const double kMaxPixels = 6000.0;

// A resolution that is not positive counts as 1: nothing divides by 0 and no size is infinite.
double UsableResolution(double resolution);
// Pixels in one unit of length at the resolution (pixels per inch or per centimetre).
double PixelsPerUnit(int unit, double resolution, int resolutionUnit);
// A length from one unit to another (inches and centimetres by kCmPerInch alone).
double ConvertLength(double value, int fromUnit, int toUnit, double resolution, int resolutionUnit);
// A resolution from pixels per inch to per centimetre or back.
double ConvertResolution(double resolution, int fromUnit, int toUnit);
// The upper end of the width and height edits in the unit: kMaxPixels pixels.
double MaxLength(int unit, double resolution, int resolutionUnit);
// Decimals shown of a length: 0 in pixels, 2 in centimetres and inches.
int LengthDecimals(int unit);
// A value rounded half up to the decimals (0 to 9), nudged by 1e-7 away from 0 so that a
// value a hair below a half still rounds up.
double RoundShown(double value, int decimals);

// Width ÷ height; 0, meaning "no ratio", when either is not positive.
float RatioOf(double width, double height);

// A new document's size after the user edited one side. With keep ratio and a ratio, the other
// side follows (rounded to the unit's decimals); then a side of 0 or less becomes 1.
struct SizeD {
    double width, height;
};
SizeD AfterSizeEdit(SizeD size, bool widthEdited, bool keepRatio, float ratio, int decimals);

// The same for a blank layer in whole pixels, computed in floats and floored.
struct SizeI {
    int width, height;
};
SizeI AfterBlankEdit(SizeI size, bool widthEdited, bool keepRatio, float ratio);

// The new document's size in pixels from the dialog's values: inches × pixels per inch,
// centimetres × pixels per centimetre, rounded to the nearest pixel (11.69 inches at 200 pixels
// per inch is 2338, not the 2337 that truncating the float product gives), at least 1.
SizeI DocumentPixels(double width, double height, int unit, double resolution, int resolutionUnit);

// The preset sizes of a new document; the first takes the clipboard picture's size.
struct Preset {
    const wchar_t* text;     // translated when shown; × is U+00D7
    float width, height;     // in the unit
    int unit;
    int resolution;          // pixels per inch
};
const std::vector<Preset>& Presets();
enum { PRESET_CLIPBOARD = 0, PRESET_800_600 = 1 };

// The width the camera preview takes to show a frame at its own height; the current width when
// the frame has no height.
int PreviewWidth(int previewHeight, int currentWidth, int frameWidth, int frameHeight);
// The default path of a snapshot: the folder, a backslash and the local time as
// "%Y-%m-%d_%H_%M_%S.bmp".
CString SnapshotPath(const wchar_t* folder, const SYSTEMTIME& time);

// Bytes of one stored row of a frame: width × bytes a pixel, padded to 4.
size_t FrameStride(int width, int bitsPerPixel);
// Copies the rows of a camera sample (padded rows, as the device stores them) into packed rows
// of width × bytes a pixel, in the same order. False, with packed left as it was, when the
// sample is shorter than its rows or the format is empty.
bool PackFrameRows(const BYTE* sample, size_t sampleSize, int width, int height, int bitsPerPixel,
                   std::vector<BYTE>& packed);

// The size an enhanced metafile header gives: its bounds' sides divided by 2.54, truncated;
// false when the header is shorter than its fixed part or is not a metafile header.
bool MetafileHeaderSize(const BYTE* header, size_t size, int& width, int& height);

} // namespace newpicture
