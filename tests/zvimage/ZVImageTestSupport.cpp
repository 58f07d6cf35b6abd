#include "ZVImageTestSupport.h"
#include <cstdio>
#include <cstdlib>

namespace zvtest {

std::wstring Fixture(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    dir.resize(dir.find_last_of(L'\\'));
    return dir + L"\\zvimage-fixtures\\" + name;
}

RGBQUAD PatternColor(long x, long y, bool alpha)
{
    return RGBQUAD{static_cast<BYTE>(x * 37), static_cast<BYTE>(y * 53), static_cast<BYTE>(x * y * 11),
                   static_cast<BYTE>(alpha ? (x + y) * 29 : 255)};
}

CZVImage Pattern(long width, long height, bool alpha)
{
    CZVImage image;
    image.Create(width, height, 24);
    if (alpha)
        image.AlphaCreate();
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            image.SetPixelColor(x, y, PatternColor(x, y, alpha), true);
    return image;
}

RGBQUAD TopDown(const CxImage& image, long x, long y)
{
    return image.GetPixelColor(x, static_cast<long>(image.GetHeight()) - 1 - y, true);
}

bool SameColor(RGBQUAD a, RGBQUAD b, int tolerance, bool alpha)
{
    return std::abs(a.rgbRed - b.rgbRed) <= tolerance && std::abs(a.rgbGreen - b.rgbGreen) <= tolerance &&
           std::abs(a.rgbBlue - b.rgbBlue) <= tolerance && (!alpha || std::abs(a.rgbReserved - b.rgbReserved) <= tolerance);
}

bool SamePixels(const CxImage& a, const CxImage& b, int tolerance, bool alpha)
{
    if (!a.IsValid() || !b.IsValid() || a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return false;
    for (long y = 0; y < static_cast<long>(a.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(a.GetWidth()); ++x)
            if (!SameColor(a.GetPixelColor(x, y, true), b.GetPixelColor(x, y, true), tolerance, alpha))
                return false;
    return true;
}

} // namespace zvtest
