#pragma once
// Pure arithmetic of the picture library: fitting, cropping to a proportion, rotated bounds
// and the reduction that a shrink on load may use.
#include "ZVImageDef.h"

namespace zvimage {

struct RotatedSize {
    DWORD width;
    DWORD height;
};

// The box that holds a width x height picture turned by degrees.
ZVIMAGE_API RotatedSize RotatedBounds(DWORD width, DWORD height, double degrees);

// The size of a width x height picture fitted into a box with its proportion kept (at least
// 1 x 1); without enlarge a picture that fits already keeps its size.
ZVIMAGE_API SIZE FitSize(long width, long height, long boxWidth, long boxHeight, bool enlarge);

// The fitted size centred in the box.
ZVIMAGE_API RECT FitRect(long width, long height, const RECT& box, bool enlarge);

// The largest centred part of a width x height picture with the proportion aspectW : aspectH.
ZVIMAGE_API RECT CropMaxRect(long width, long height, long aspectW, long aspectH);

// The largest DCT reduction (1, 2, 4 or 8) that still leaves at least a factor of two between
// the decoded picture and its fit into the box, so the final filter has pixels to average.
ZVIMAGE_API int ShrinkDenominator(DWORD width, DWORD height, DWORD boxWidth, DWORD boxHeight);

// The smallest M (1 to 8) whose M/8 DCT reduction, rounded up as the decoder rounds, still
// covers the picture's fit into the box (FitSize without enlarging): for a caller that
// resamples to exactly that fit afterwards. 8 when there is no box.
ZVIMAGE_API int ShrinkEighths(DWORD width, DWORD height, DWORD boxWidth, DWORD boxHeight);

// The size to decode a picture at when any size can be had (WebP): twice its fit into the box,
// or its own size when that is not smaller.
ZVIMAGE_API SIZE ShrinkTarget(DWORD width, DWORD height, DWORD boxWidth, DWORD boxHeight);

} // namespace zvimage
