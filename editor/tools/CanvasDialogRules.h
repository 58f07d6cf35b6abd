#pragma once
// The arithmetic of the canvas and layer dialogs, apart from their windows: the margins that put
// a picture at an anchor of a new canvas, the controls of the expand dialog's two modes, the
// grid presets, the export types, a layer's place and angle between the dialogs and the canvas.
#include <windows.h>
#include <vector>
#include "AppFrame.h"

// Margins that take a width x height picture to newWidth x newHeight with the picture at the
// anchor (0-8, rows of three from the top left; another value counts as 0). Negative margins
// cut; the odd pixel goes right and down.
struct CanvasMargins {
    int left, top, right, bottom;
};
CanvasMargins AnchorMargins(int anchor, int newWidth, int newHeight, int width, int height);

// The expand dialog's controls enabled in "New dimension" (size, ratio, anchors) and in
// "Enlarge sides" (the four margins); each mode disables the other's.
const std::vector<int>& ExpandSizeControls();
const std::vector<int>& ExpandMarginControls();
// The anchor reached from one by an arrow key (VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN) in the 3 x 3
// grid; the same anchor at an edge.
int AnchorAfterKey(int anchor, UINT key);

// The grid presets: 0-9 square cells of fixed sides, 10-15 the canvas divided into 3 to 10 cells
// a side.
struct GridCell {
    int width, height;             // whole pixels, at least 1
    float exactWidth, exactHeight; // the divided canvas as floats (at least 1); 0 for squares
};
const int kGridPresetCount = 16;
// The preset's word ("Square" or "Divide", translated by the caller) and its suffix (" 50").
const wchar_t* GridPresetWord(int index);
const wchar_t* GridPresetSuffix(int index);
// False for an index outside 0-15.
bool GridPresetCell(int index, int canvasWidth, int canvasHeight, GridCell& cell);

// Export types 0-6: PNG, JPG, GIF, BMP, ICO, TGA, WEBP.
const int kExportTypeCount = 7;
// The image library's format code of the type; 0 for another value.
int ExportTypeToImageFormat(int type);
// The save dialog's filter: the prefix ("PNG "), the word for files, the pattern
// ("(*.png)|*.png||"); empty for another type.
CString ExportFilter(int type, const wchar_t* filesWord);
// The type's default extension without the dot ("png"); empty for another type.
const wchar_t* ExportExtension(int type);

// A layer's place on the canvas from picture pixels: origin + zoom x value.
float CanvasLocation(float origin, float zoom, int value);
// A layer's angle in radians as the whole degrees the dialogs show (0-359, rounded) and back.
int AngleToDegrees(float radians);
float DegreesToRadians(int degrees);
