#pragma once
// EditorToolSettings: the editor frame's options of its tools, the current tool and the untitled
// counter. It lives as long as the frame; the tool commands, the context bar's option dialogs and
// the picture windows read and write it, and nothing of it is stored.
#include <cstdint>
#include "ShapeSettings.h"

// The first entry ("Default") of the brush menu: the stamp set the paint tools start with.
const int32_t ID_BRUSH_SET_DEFAULT = 32929;

// One paint tool's brush: stamp set (a brush menu command), size, stamp cell, opacity 0-255,
// automatic step, fixed step, transparent background.
struct EditorBrushEntry {
    int32_t stampGroup = ID_BRUSH_SET_DEFAULT;
    int32_t size = 50;
    int32_t stampIndex = 0;
    int32_t opacity = 255;
    int32_t autoStep = 1;
    int32_t step = 5;
    int32_t transparentBack = 0;
};

// Which brush entry the paint tools used last.
enum class BrushSlot : int32_t { None = 0, Brush = 1, Pen = 2, Eraser = 3 };

struct EditorToolSettings {
    EditorToolSettings();

    EditorBrushEntry brush;
    EditorBrushEntry pen;
    EditorBrushEntry eraser;
    BrushSlot brushSlot = BrushSlot::None;
    ShapeSettings line;
    ShapeSettings shape;
    int32_t redEyeSize = 16;
    // Mosaic, lighten, darken, sharpen, blur, grey scale, blur brush, stamp.
    int32_t retouchSizes[8] = {50, 50, 50, 50, 50, 50, 50, 50};
    int32_t mosaicCell = 8;
    int32_t toolCommand = -1;   // command id of the last tool command
    int32_t spare[3] = {0, 0, 0};
    int32_t toolKind = -1;      // the view's tool number of that command
    float cropAspect = 0.0f;    // height / width, as the crop tracker takes it; 0 when free
    int32_t untitledCounter = 1;
};
