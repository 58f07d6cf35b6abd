#include "EditorToolSettings.h"

EditorToolSettings::EditorToolSettings()
{
    pen.size = 3;
    eraser.stampIndex = 3;
    // Lines are figure 40 drawn with a 5-pixel pen; shapes start as rectangles with a 3-pixel outline.
    line.shape = 40;
    line.lineStyle = 0;
    line.lineOption = 0;
    line.outlineWidth = 5;
    line.fillAlpha = 255;
    line.outlineColour = RGB(0, 0, 0);
    shape.shape = SHAPE_RECTANGLE;
    shape.lineStyle = 0;
    shape.outlineWidth = 3;
    shape.fillAlpha = 255;
    shape.outlineColour = RGB(0, 0, 0);
}
