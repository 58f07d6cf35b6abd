#include "TextPixels.h"

#include <cmath>

namespace TextDesigner {

uint32_t BlendOverPixel(uint32_t pixel, uint32_t colour, uint8_t a)
{
    if (a == 255)
        return colour;
    uint32_t result = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t c = (colour >> shift) & 0xFF;
        uint32_t p = (pixel >> shift) & 0xFF;
        // Dividing by 256 keeps the per-pixel pass a shift; a result is at most one level dark.
        result |= (((c * a + p * (255u - a)) >> 8) & 0xFF) << shift;
    }
    return result;
}

uint32_t LargerCoverage(uint32_t body, uint32_t outline)
{
    uint32_t b = body & 0xFF;
    uint32_t o = outline & 0xFF;
    return o != 0 && (b == 0 || b <= o) ? outline : body;
}

int ReflectionRows(int height, float shown)
{
    float rows = static_cast<float>(height) * shown;
    // NaN and negative shares show nothing; the cap only keeps the conversion defined.
    if (!(rows >= 1.0f))
        return 0;
    return rows >= 1e9f ? 1000000000 : static_cast<int>(rows);
}

int ReflectionFactor(int row, int shownRows, float startAlpha, float endAlpha)
{
    if (row >= shownRows || shownRows <= 0)
        return 0;
    float v = startAlpha == endAlpha
                  ? startAlpha
                  : startAlpha + (endAlpha - startAlpha) * static_cast<float>(row) /
                                     static_cast<float>(shownRows);
    float f = v * 255.0f;
    // Opacities outside 0 to 1 are clamped so that the alpha byte cannot wrap.
    if (!(f > 0.0f))
        return 0;
    return f >= 255.0f ? 255 : static_cast<int>(f);
}

uint32_t ScaleAlpha(uint32_t pixel, int factor)
{
    uint32_t alpha = (pixel >> 24) * static_cast<uint32_t>(factor) / 255u;
    return (pixel & 0x00FFFFFFu) | (alpha << 24);
}

} // namespace TextDesigner
