#include "EditorToolSettings.h"

EditorToolSettings::EditorToolSettings()
{
    pen.size = 3;
    eraser.stampIndex = 3;
    // Shapes start as rectangles with a 3-pixel outline.
    line = DefaultLineSettings();
    shape.shape = SHAPE_RECTANGLE;
    shape.lineStyle = 0;
    shape.outlineWidth = 3;
    shape.fillAlpha = 255;
    shape.outlineColour = RGB(0, 0, 0);
}
