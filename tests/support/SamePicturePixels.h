#pragma once
// Whether two pictures are valid and have the same size, depth and pixels.
#include <cstring>
#include "ZVImage.h"

inline bool SamePicturePixels(const CZVImage& a, const CZVImage& b)
{
    if (!a.IsValid() || !b.IsValid() || a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() ||
        a.GetBpp() != b.GetBpp())
        return false;
    const size_t rowBytes = size_t(a.GetWidth()) * a.GetBpp() / 8;
    for (DWORD y = 0; y < a.GetHeight(); ++y)
        if (std::memcmp(a.GetBits(y), b.GetBits(y), rowBytes) != 0)
            return false;
    return true;
}
