#include "EditorToolTable.h"
#include "BrushStroke.h"
#include <cmath>
#include <cstdio>
#include <iterator>

namespace {

using TtEffect = ToolViewEffect;
using TtSource = BrushSource;
using TtSlot = BrushSlot;

const ToolCommand kTools[] = {
    {31001, 3, -1, TtEffect::ClearSelection, 0, TtSource::None, TtSlot::None, -1},        // Point
    {31002, 4, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                  // Rectangle selection
    {32937, 5, -1, TtEffect::Repaint, 0, TtSource::None, TtSlot::None, -1},               // Lasso
    {32935, 6, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                  // Polygon
    {32854, 8, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                  // Circle
    {32858, 9, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                  // Round rectangle
    {32859, 10, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                 // Heart
    {32934, 12, -1, TtEffect::Repaint, 0, TtSource::None, TtSlot::None, -1},              // Magic wand
    {31005, 13, 12, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                 // Crop
    {32992, 14, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                 // Colour picker
    {32849, 1, 0, TtEffect::Background, 0, TtSource::None, TtSlot::None, -1},             // Shape
    {32981, 15, 14, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                 // Line
    {32939, 21, -1, TtEffect::None, 0, TtSource::None, TtSlot::None, -1},                 // Flood fill
    {32980, 2, -1, TtEffect::Text, 0, TtSource::None, TtSlot::None, -1},                  // Text
    {32833, 16, 15, TtEffect::None, 1, TtSource::Entry, TtSlot::Brush, -1},               // Brush
    {32933, 17, 16, TtEffect::None, 2, TtSource::Entry, TtSlot::Pen, -1},                 // Pen
    {32942, 18, 17, TtEffect::None, 16, TtSource::Stamp, TtSlot::None, 7},                // Stamp
    {32938, 19, 18, TtEffect::None, 15, TtSource::History, TtSlot::None, -1},             // History
    {32941, 20, 19, TtEffect::None, 3, TtSource::Entry, TtSlot::Eraser, -1},              // Eraser
    {32850, 23, 22, TtEffect::None, 5, TtSource::Retouch, TtSlot::None, -1},              // Red eye
    {32946, 27, 26, TtEffect::None, 9, TtSource::Retouch, TtSlot::None, 1},               // Lighten
    {32945, 28, 27, TtEffect::None, 10, TtSource::Retouch, TtSlot::None, 2},              // Darken
    {32944, 29, 28, TtEffect::None, 11, TtSource::Retouch, TtSlot::None, 3},              // Sharpen
    {32943, 30, 29, TtEffect::None, 12, TtSource::Retouch, TtSlot::None, 4},              // Blur
    {32852, 31, 30, TtEffect::None, 4, TtSource::Retouch, TtSlot::None, 0},               // Mosaic
    {32855, 32, 31, TtEffect::None, 13, TtSource::Retouch, TtSlot::None, 5},              // Grey scale
    {32856, 34, 33, TtEffect::None, 14, TtSource::Retouch, TtSlot::None, 6},              // Blur brush
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

BrushPick PickBrush(const ToolCommand& c, const EditorToolSettings& s, int rememberedPenSize)
{
    if (c.source == BrushSource::Entry) {
        const EditorBrushEntry& e = c.slot == BrushSlot::Pen ? s.pen : c.slot == BrushSlot::Eraser ? s.eraser : s.brush;
        return {e.size, e.stampIndex, e.opacity, e.autoStep, BrushStepFor(e.size, e.autoStep != 0, e.step)};
    }
    int size = 0;
    if (c.source == BrushSource::History)
        size = rememberedPenSize;
    else if (c.retouchIndex >= 0)
        size = s.retouchSizes[c.retouchIndex];
    else
        size = s.redEyeSize;
    return {size, 0, 255, 1, BrushStepFor(size, true, 0)};
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
