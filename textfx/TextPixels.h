#pragma once
// Per-pixel arithmetic of the text engines on 32-bit ARGB words (blue in the lowest byte).
#include <cstdint>
#include "ZVUILibDef.h"

namespace TextDesigner {

// The colour laid over the pixel at alpha a (red, green and blue divided by 256); opaque.
ZVUILIB_API uint32_t BlendOverPixel(uint32_t pixel, uint32_t colour, uint8_t a);
// Of a body-plane and an outline-plane pixel, the one of larger coverage (the blue channel).
ZVUILIB_API uint32_t LargerCoverage(uint32_t body, uint32_t outline);
// The rows of a reflection of the height that keep some opacity.
ZVUILIB_API int ReflectionRows(int height, float shown);
// The opacity factor (0 to 255) of reflection row r of the n shown rows.
ZVUILIB_API int ReflectionFactor(int row, int shownRows, float startAlpha, float endAlpha);
// The pixel with its alpha scaled by factor / 255.
ZVUILIB_API uint32_t ScaleAlpha(uint32_t pixel, int factor);

} // namespace TextDesigner
