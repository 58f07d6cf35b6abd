#include "DocumentTestSupport.h"

namespace documenttest {

CZVImage Plain(long width, long height, COLORREF colour)
{
    CZVImage p;
    p.Create(width, height, 24);
    p.SetRectColor(RECT{0, 0, width, height}, CxImage::RGBtoRGBQUAD(colour));
    p.AlphaCreate();
    p.AlphaSet(255);
    return p;
}

CZVImage Quadrants(long width, long height)
{
    CZVImage p = Plain(width, height, RGB(255, 255, 255));
    const long w = width / 2, h = height / 2;
    p.SetRectColor(RECT{0, 0, w, h}, RGBQUAD{0, 0, 255, 255});
    p.SetRectColor(RECT{w, 0, width, h}, RGBQUAD{0, 255, 0, 255});
    p.SetRectColor(RECT{0, h, w, height}, RGBQUAD{255, 0, 0, 255});
    return p;
}

CLayerInfo QuadrantLayer(long width, long height)
{
    CLayerInfo layer;
    layer.source = Quadrants(width, height);
    layer.width = width;
    layer.height = height;
    layer.RenderImage();
    return layer;
}

RGBQUAD Top(const CZVImage& picture, long x, long y)
{
    return picture.GetPixelColor(x, static_cast<long>(picture.GetHeight()) - 1 - y, true);
}

int TopAlpha(const CZVImage& picture, long x, long y)
{
    return Top(picture, x, y).rgbReserved;
}

bool SamePixels(const CZVImage& a, const CZVImage& b)
{
    if (!a.IsValid() || !b.IsValid() || a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return false;
    for (long y = 0; y < static_cast<long>(a.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(a.GetWidth()); ++x) {
            const RGBQUAD p = a.GetPixelColor(x, y, true), q = b.GetPixelColor(x, y, true);
            if (p.rgbRed != q.rgbRed || p.rgbGreen != q.rgbGreen || p.rgbBlue != q.rgbBlue ||
                p.rgbReserved != q.rgbReserved)
                return false;
        }
    return true;
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

LibraryScope::LibraryScope(const ShapeLibrary& library) : m_saved(GetEditorAppState().shapeLibrary)
{
    GetEditorAppState().shapeLibrary = library;
}

LibraryScope::~LibraryScope()
{
    GetEditorAppState().shapeLibrary = m_saved;
}

} // namespace documenttest
