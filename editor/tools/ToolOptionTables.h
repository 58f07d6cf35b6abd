#pragma once
// The tool option dialogs' data and arithmetic, apart from their windows: which dialog and mode a
// tool code shows, the chains their controls are lined up in, the crop ratios, the stamp groups,
// and the conversions and sizes the dialogs hand to the picture view.
#include <windows.h>

// The option dialogs of the context bar.
enum class ToolOptionDialog { None, Pen, Paint, Shape, Crop, Line };

// A tool code's dialog and that dialog's mode.
struct ToolOptionRow {
    int code;
    ToolOptionDialog dialog;
    int mode;
};
// The row of a tool code (0 to 33), or null for a code without options.
const ToolOptionRow* FindToolOptionRow(int code);
const ToolOptionRow* ToolOptionRows(int& count);

// Paint dialog modes.
const int kPaintBrush = 0;
const int kPaintPen = 1;
const int kPaintEraser = 2;
// Pen dialog modes: the retouch brushes.
const int kPenMosaic = 0;
const int kPenRedEye = 1;
const int kPenStamp = 8;

// Controls lined up left to right, each the gap (pixels at 96 DPI) after the one before; the
// ids end with 0. A dialog lays out its chains in order, so a later chain may move again a
// control that an earlier one placed.
struct LayoutChain {
    int gap;
    int ids[9];
};
const LayoutChain* LayoutChains(ToolOptionDialog dialog, int& count);
// A gap at the screen's DPI.
int ScaledGap(int gap, int dpi);

// The crop ratio list: "Crop Freely", the fixed ratios, "Assign Ratio". The aspect is height
// divided by width, as the crop tracker takes it; 0 is free.
struct CropRatio {
    const wchar_t* text;
    bool translated;
    float aspect;
};
const int kCropFreely = 0;
const int kCropAssign = 9;
const CropRatio* CropRatios(int& count);
// The aspect of a width:height ratio the user typed; false for a width of 0.
bool AssignedAspect(unsigned width, unsigned height, float& aspect);

// The stamp groups of the paint dialog: the brush menu command, its name (translated when
// shown), the picker strip (a PNG resource) and the brush strip in Data\Editor\Brushes, by
// mode: the "Default" group shows the pen's round and square cells in the pen and eraser.
const int kStampDefault = 32929;
const int kStampNature = 32930;
const int kStampAnimals = 32931;
const int kStampTrack = 32956;
struct StampGroup {
    int command;
    unsigned modes;   // bit per paint mode
    const wchar_t* name;
    UINT strip;
    const wchar_t* brushFile;
};
// The group of a command in a mode, or null.
const StampGroup* FindStampGroup(int command, int mode);
const StampGroup* StampGroups(int& count);

// The picture strips of the dialogs (PNG resources).
const UINT IDB_STAMP_DEFAULT = 293;
const UINT IDB_STAMP_PEN = 509;
const UINT IDB_STAMP_NATURE = 295;
const UINT IDB_STAMP_ANIMALS = 296;
const UINT IDB_STAMP_TRACK = 380;
const UINT IDB_BORDER_STYLES = 477;
const UINT IDB_LINE_ENDS = 478;

// Percent to the opacity byte and back: 100 % is 255.
int PercentToByte(int percent);
int ByteToPercent(int value);

// In the pen and eraser with the "Default" group, the picture picked sets the size: the round
// and square cells come in 3, 10, 30 and 50 pixels. False for other modes and groups.
bool DefaultStampSize(int mode, int group, int index, int& size);

// The crop frame resized from its top-left to a width and height in picture pixels at the
// zoom; false (frame untouched) while the frame is empty.
bool ResizeCropFrame(RECT& frame, unsigned width, unsigned height, float zoom);
