#pragma once
// ShapeSettings: a vector shape's figure, size, outline and fill, and its drawing into a picture.
#include <windows.h>
#include <cstdint>
#include <vector>
#include "ShapeLibrary.h"
#include "ZVImageDef.h"

class CZVImage;

// Figures of ShapeSettings::shape below the library's numbers, and the free polygon.
enum ShapeFigure : int32_t {
    SHAPE_RECTANGLE = 0,
    SHAPE_ROUNDED_RECT = 1,
    SHAPE_ELLIPSE = 2,
    SHAPE_TRIANGLE = 3,
    SHAPE_RIGHT_TRIANGLE = 4,
    SHAPE_DIAMOND = 5,
    SHAPE_PENTAGON = 6,
    SHAPE_HEXAGON = 7,
    SHAPE_BALLOON = 8,
    SHAPE_FIRST_LIBRARY = 9,
    SHAPE_POLYGON = 41,
};

struct ShapeSettings {
    ShapeSettings() = default;

    // Draws into the picture, replacing it, with the application's library. FALSE for a null
    // target, a size the picture library cannot hold, or a shape too small for its outline.
    BOOL DrawToImage(CZVImage* target);
    BOOL DrawToImage(CZVImage* target, const ShapeLibrary& library);

    int32_t shape = SHAPE_RECTANGLE;
    int32_t lineStyle = 0;       // the outline pen's dash style
    int32_t lineOption = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t outlineWidth = 0;    // 0: no outline
    int32_t cornerRadius = 20;
    int32_t reserved1 = 255;
    int32_t reserved2 = 255;
    int32_t fillAlpha = 255;     // low byte
    int32_t fillOn = 0;
    COLORREF outlineColour = RGB(0, 0, 0);
    COLORREF fillColour = RGB(255, 255, 255);
    COLORREF secondColour = RGB(255, 255, 255);
    std::vector<ZVPOINTF> points;   // polygon corners in 0..width, 0..height
};

// The line tool's record before any option is set: figure 40 drawn with a 5-pixel black pen,
// solid, no arrow, opaque.
ShapeSettings DefaultLineSettings();
