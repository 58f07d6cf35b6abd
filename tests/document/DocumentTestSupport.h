#pragma once
// Pictures and layers shared by the layer-model tests.
#include <windows.h>
#include "EditorAppState.h"
#include "LayerInfo.h"
#include "ZVImage.h"

namespace documenttest {

const double kPi = 3.14159265358979323846;

// 40 x 20: red top left, green top right, blue bottom left, white bottom right; opaque.
CZVImage Quadrants(long width = 40, long height = 20);
// A picture layer over Quadrants, rendered.
CLayerInfo QuadrantLayer(long width = 40, long height = 20);
// A picture of one colour, opaque.
CZVImage Plain(long width, long height, COLORREF colour);
// Pixels with rows counted from the top.
RGBQUAD Top(const CZVImage& picture, long x, long y);
int TopAlpha(const CZVImage& picture, long x, long y);
// Same size, colours and alpha (a missing plane counts as opaque).
bool SamePixels(const CZVImage& a, const CZVImage& b);
int ScreenDpi();

// The application's shape library for the life of the scope.
class LibraryScope {
public:
    explicit LibraryScope(const ShapeLibrary& library);
    ~LibraryScope();

private:
    ShapeLibrary m_saved;
};

} // namespace documenttest
