#pragma once
// The editor frame's enable rules for its menu, tool bar and status-bar commands, as pure
// functions of what they look at, and the other small tables of the frame.
#include <windows.h>

// What the rules look at: the active picture view's document, or no view.
struct EditorViewState {
    bool hasView = false;
    int currentLayerId = -1;
    bool currentLocked = false;
    bool modified = false;   // the modified flag, or a history moved since the last save
    int layerCount = 0;
    int outlinePoints = 0;
    int historyCount = 0;
    int historyPosition = 0;
    float zoom = 1.0f;
    bool gridOn = false;
};

// A: a picture is open; B: and an unlocked layer above the background is current; C: and a layer
// above the background is current; D: and the current layer is unlocked; E: and it is modified;
// G: and it has layers; H: and an outline of 3 points or a layer above the background; P: the
// clipboard holds a picture; U/R: undo/redo; ZoomIn/ZoomOut: not at the zoom's end; F: always,
// checked while the grid shows; Keep: the item keeps its state; None: no rule at all.
enum class EditorRule { None, A, B, C, D, E, G, H, P, U, R, ZoomIn, ZoomOut, F, Keep };

struct RuleResult {
    bool enabled;
    bool checked;
};

bool IsPictureOpen(const EditorViewState& s);
RuleResult ApplyEditorRule(EditorRule rule, const EditorViewState& s, bool clipboardHasPicture);
// The rule of a command of the editor frame; None for a command without one.
EditorRule RuleOfCommand(UINT id);

// Whether "Page", "Split" and the cosmetics command may hand the picture on: only an editor that
// was not opened by another mode, with a picture holding layers.
bool CanSendPicture(int openerCode, bool hasView, int layerCount);

// The material pane's categories: the entry text and the folder under the data folder.
struct MaterialCategory {
    const wchar_t* name;
    const wchar_t* folder;
};
const int kMaterialCategoryCount = 11;
const int kDefaultMaterialCategory = 7;   // "Text"
const MaterialCategory* MaterialCategoryAt(int index);   // null outside 0..10

// The standard tool bar's and the palette's tool tips: the text for a command id, and whether it
// adds the long-press hint. Null for a button that keeps the text it has.
struct ToolTipEntry {
    UINT id;
    const wchar_t* text;
    bool longPress;
};
const ToolTipEntry* FindToolTip(UINT id);

// The panes' list colour for a skin: its face colour mixed half and half with a mid grey.
inline COLORREF SkinListColor(COLORREF face)
{
    return RGB((GetRValue(face) + 128) / 2, (GetGValue(face) + 128) / 2, (GetBValue(face) + 128) / 2);
}
