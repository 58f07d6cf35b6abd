#pragma once
// The editor frame's tool commands as a table, and the arithmetic of its tool, zoom and rotate
// commands as pure functions: what a command sets in the picture view, the brush it picks, the
// zoom slider and the zoom pane's text. The zoom buttons' step is the canvas's NextZoom.
#include <windows.h>
#include <string>
#include "EditorToolSettings.h"

// What a tool command does to the view besides its tool and cursor.
enum class ToolViewEffect {
    None,
    ClearSelection,   // the pointer: selection cleared, frames shown
    Repaint,          // lasso and magic wand repaint the view
    Background,       // the shape tool works on the background layer
    Text,             // the text tool runs the text sheet
};

// Where a brush command takes its size, cell, opacity and step from.
enum class BrushSource {
    None,          // not a brush command
    Entry,         // a pen-type entry of the settings (brush, pen, eraser), by the brush slot
    Stamp,         // the stamp size; the clone waits for its source click
    History,       // the view's remembered size of the brush and pen types
    Retouch,       // one of the single sizes: red eye or a retouch size
};

struct ToolCommand {
    UINT command;
    int tool;            // the view's tool number
    int options;         // the context bar's option page, -1 for a hidden bar
    ToolViewEffect effect;
    int brushType;       // 0 for a tool without a brush
    BrushSource source;
    BrushSlot slot;      // the pen-type entry of the command, None for the others
    int retouchIndex;    // index into the retouch sizes; -1 for red eye or none
};

const int kToolPointer = 3;
const UINT kCommandPointer = 31001;
const UINT kCommandText = 32980;

// The view takes its cursor from its tool (ToolCursorId), the brush tools theirs from the brush.

// The tool command of a command id, or null.
const ToolCommand* FindToolCommand(UINT command);
// Every tool command, in the order of the palette's menus.
const ToolCommand* ToolCommands(int& count);

// Whether the command shows an option page in the context bar (and so needs a view).
inline bool CommandShowsOptions(const ToolCommand& c) { return c.options >= 0; }
// Brush commands show their options before they set the view; the pen-type ones among them mark
// the palette last.
inline bool IsBrushCommand(const ToolCommand& c) { return c.brushType != 0; }
bool IsPenTypeCommand(const ToolCommand& c);

// The brush the view gets from a brush command.
struct BrushPick {
    int size;
    int stampIndex;
    int opacity;
    int autoStep;
    int step;
};
// The entry's brush for a pen-type command, or size with the retouch defaults for the others.
BrushPick PickBrush(const ToolCommand& c, const EditorToolSettings& s, int rememberedPenSize);
// The zoom slider: 20 steps to 100 %, 0-320. A position of 0 has no zoom (false).
int ZoomSliderPosition(float zoom);
bool ZoomOfSliderPosition(int position, float& zoom);
// The zoom pane's text: the percentage after a blank, " 100%".
std::wstring ZoomPaneText(float zoom);

// A layer's angle (radians) in the whole degrees the rotate dialog opens with.
int LayerAngleDegrees(double radians);
