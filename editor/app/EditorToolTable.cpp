#include "EditorToolTable.h"
#include <cmath>
#include <cstdio>
#include <iterator>

namespace {

const UINT kCursorSelect = 491, kCursorWand = 492, kCursorCrop = 493, kCursorShape = 494,
           kCursorStraw = 433, kCursorFill = 514;

using TtEffect = ToolViewEffect;
using TtSource = BrushSource;
using TtSlot = BrushSlot;

const ToolCommand kTools[] = {
    {31001, 3, 0, -1, TtEffect::ClearSelection, 0, TtSource::None, TtSlot::None, -1},        // Point
    {31002, 4, kCursorSelect, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},       // Rectangle selection
    {32937, 5, kCursorSelect, -1, TtEffect::Repaint, 0, TtSource::None, TtSlot::None, -1},    // Lasso
    {32935, 6, kCursorSelect, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},       // Polygon
    {32854, 8, kCursorSelect, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},       // Circle
    {32858, 9, kCursorSelect, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},       // Round rectangle
    {32859, 10, kCursorSelect, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},      // Heart
    {32934, 12, kCursorWand, -1, TtEffect::Repaint, 0, TtSource::None, TtSlot::None, -1},     // Magic wand
    {31005, 13, kCursorCrop, 12, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},        // Crop
    {32992, 14, kCursorStraw, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},       // Colour picker
    {32849, 1, kCursorShape, 0, TtEffect::Background, 0, TtSource::None, TtSlot::None, -1},   // Shape
    {32981, 15, kCursorShape, 14, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},       // Line
    {32939, 21, kCursorFill, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},        // Flood fill
    {32980, 2, 0, -1, TtEffect::Text, 0, TtSource::None, TtSlot::None, -1},                   // Text
    {32833, 16, 0, 15, TtEffect::None, 1, TtSource::Entry, TtSlot::Brush, -1},                // Brush
    {32933, 17, 0, 16, TtEffect::None, 2, TtSource::Entry, TtSlot::Pen, -1},                  // Pen
    {32942, 18, 0, 17, TtEffect::None, 16, TtSource::Stamp, TtSlot::None, 7},                 // Stamp
    {32938, 19, 0, 18, TtEffect::None, 15, TtSource::History, TtSlot::None, -1},              // History
    {32941, 20, 0, 19, TtEffect::None, 3, TtSource::Entry, TtSlot::Eraser, -1},               // Eraser
    {32850, 23, 0, 22, TtEffect::None, 5, TtSource::Retouch, TtSlot::None, -1},               // Red eye
    {32946, 27, 0, 26, TtEffect::None, 9, TtSource::Retouch, TtSlot::None, 1},                // Lighten
    {32945, 28, 0, 27, TtEffect::None, 10, TtSource::Retouch, TtSlot::None, 2},               // Darken
    {32944, 29, 0, 28, TtEffect::None, 11, TtSource::Retouch, TtSlot::None, 3},               // Sharpen
    {32943, 30, 0, 29, TtEffect::None, 12, TtSource::Retouch, TtSlot::None, 4},               // Blur
    {32852, 31, 0, 30, TtEffect::None, 4, TtSource::Retouch, TtSlot::None, 0},                // Mosaic
    {32855, 32, 0, 31, TtEffect::None, 13, TtSource::Retouch, TtSlot::None, 5},               // Grey scale
    {32856, 34, 0, 33, TtEffect::None, 14, TtSource::Retouch, TtSlot::None, 6},               // Blur brush
};

} // namespace

const ToolCommand* FindToolCommand(UINT command)
{
    for (const ToolCommand& c : kTools)
        if (c.command == command)
            return &c;
    return nullptr;
}

const ToolCommand* ToolCommands(int& count)
{
    count = static_cast<int>(std::size(kTools));
    return kTools;
}

bool IsPenTypeCommand(const ToolCommand& c)
{
    return c.source == BrushSource::Entry || c.source == BrushSource::Stamp || c.source == BrushSource::History;
}

int BrushStep(int size, bool autoStep, int fixedStep)
{
    return autoStep ? size / 4 : fixedStep;
}

BrushPick PickBrush(const ToolCommand& c, const EditorToolSettings& s, int rememberedPenSize)
{
    if (c.source == BrushSource::Entry) {
        const EditorBrushEntry& e = c.slot == BrushSlot::Pen ? s.pen : c.slot == BrushSlot::Eraser ? s.eraser : s.brush;
        return {e.size, e.stampIndex, e.opacity, e.autoStep, BrushStep(e.size, e.autoStep != 0, e.step)};
    }
    int size = 0;
    if (c.source == BrushSource::History)
        size = rememberedPenSize;
    else if (c.retouchIndex >= 0)
        size = s.retouchSizes[c.retouchIndex];
    else
        size = s.redEyeSize;
    return {size, 0, 255, 1, BrushStep(size, true, 0)};
}

int ZoomSliderPosition(float zoom)
{
    return static_cast<int>(zoom * 20.0);
}

bool ZoomOfSliderPosition(int position, float& zoom)
{
    if (position == 0)
        return false;
    zoom = static_cast<float>(position * 0.05);
    return true;
}

std::wstring ZoomPaneText(float zoom)
{
    wchar_t text[32];
    swprintf(text, std::size(text), L" %0.0f%%", zoom * 100.0);
    return text;
}

int LayerAngleDegrees(double radians)
{
    const double pi = 3.14159265358979323846;
    return static_cast<int>(radians * 180.0 / pi + 0.5);
}
