#include "EditorRules.h"
#include <cmath>
#include <iterator>

bool IsPictureOpen(const EditorViewState& s)
{
    return s.hasView && s.currentLayerId >= 0;
}

RuleResult ApplyEditorRule(EditorRule rule, const EditorViewState& s, bool clipboardHasPicture)
{
    const bool open = IsPictureOpen(s);
    const bool above = open && s.currentLayerId > 0;
    // The zoom is compared rounded to two decimals: the zoom steps land near, not on, their ends.
    const double zoom = std::floor(static_cast<double>(s.zoom) * 100.0 + 0.5) / 100.0;
    switch (rule) {
    case EditorRule::A: return {open, false};
    case EditorRule::B: return {above && !s.currentLocked, false};
    case EditorRule::C: return {above, false};
    case EditorRule::D: return {open && !s.currentLocked, false};
    case EditorRule::E: return {open && s.modified, false};
    case EditorRule::G: return {open && s.layerCount > 0, false};
    case EditorRule::H: return {open && (s.outlinePoints >= 3 || s.currentLayerId > 0), false};
    case EditorRule::P: return {clipboardHasPicture, false};
    case EditorRule::U: return {open && s.historyCount > 0 && s.historyPosition != 0, false};
    case EditorRule::R: return {open && s.historyCount > 0 && s.historyPosition < s.historyCount - 1, false};
    case EditorRule::ZoomIn: return {open && zoom != 16.0, false};
    case EditorRule::ZoomOut: return {open && zoom != 0.05, false};
    case EditorRule::F: return {true, s.hasView && s.gridOn};
    case EditorRule::Keep:
    case EditorRule::None: break;
    }
    return {true, false};
}

namespace {

struct CommandRule {
    UINT first;
    UINT last;
    EditorRule rule;
};

// Every command of the frame's menus and bars with an update rule of its own. The frame shows an
// item disabled while no handler takes its command, whatever its rule. New, Layer > New > Blank and
// From Camera carry their own rules (the new-picture commands see them first).
const CommandRule kCommandRules[] = {
    {32833, 32833, EditorRule::Keep},      // Brush
    {31005, 31005, EditorRule::A},         // Crop
    {32901, 32901, EditorRule::E},         // Save
    {32923, 32923, EditorRule::A},         // Save As
    {33109, 33109, EditorRule::A},         // Shape to Page
    {33219, 33219, EditorRule::G},         // Print
    {33218, 33218, EditorRule::G},         // Email
    {31007, 31007, EditorRule::U},
    {31006, 31006, EditorRule::R},
    {31008, 31009, EditorRule::H},         // Cut, Copy
    {31010, 31010, EditorRule::P},         // Paste
    {32857, 32857, EditorRule::H},         // Delete
    {33086, 33086, EditorRule::A},         // Select all
    {31013, 31014, EditorRule::A},         // Flip
    {31011, 31011, EditorRule::ZoomIn},
    {31012, 31012, EditorRule::ZoomOut},
    {33105, 33105, EditorRule::F},         // Show grid
    {33015, 33015, EditorRule::Keep},
    {31015, 31015, EditorRule::A},         // Rotate
    {33012, 33012, EditorRule::A},         // Resize
    {33014, 33014, EditorRule::A},         // Canvas size
    {33017, 33018, EditorRule::A},         // Rotate left, right
    {33087, 33087, EditorRule::D},         // Transparent color
    {33022, 33023, EditorRule::A},         // Layer > New: open as layer, text
    {33047, 33047, EditorRule::A},         // Duplicate
    {33026, 33026, EditorRule::B},         // Delete layer
    {33045, 33046, EditorRule::A},         // Insert new background
    {33092, 33095, EditorRule::B},         // Transparent gradients
    {33090, 33090, EditorRule::B},
    {33029, 33033, EditorRule::B},         // Layer > Transform
    {33034, 33034, EditorRule::H},         // Crop layer
    {33035, 33035, EditorRule::C},         // Export layer
    {33036, 33037, EditorRule::A},         // Hide, show all
    {33048, 33048, EditorRule::A},         // Merge visible
    {33040, 33040, EditorRule::A},         // Merge all
    {33167, 33167, EditorRule::B},         // Add shadow
    {33041, 33042, EditorRule::B},         // Rename, options
    {33051, 33084, EditorRule::D},         // Adjust and filters
};

const MaterialCategory kMaterialCategories[kMaterialCategoryCount] = {
    {L"Dialog", L"Data\\Material\\Dialog"},       {L"Explode", L"Data\\Material\\Explode"},
    {L"Face", L"Data\\Material\\Face"},           {L"Food", L"Data\\Material\\Food"},
    {L"Fruit", L"Data\\Material\\Fruit"},         {L"Makeup", L"Data\\Material\\Makeup"},
    {L"Ribbon", L"Data\\Material\\Ribbon"},       {L"Text", L"Data\\Material\\Text"},
    {L"Travel", L"Data\\Material\\Travel"},
    // The two folders are spelt as they ship.
    {L"Vegetable", L"Data\\Material\\Vegetables"}, {L"Weather", L"Data\\Material\\weather"},
};

const ToolTipEntry kToolTips[] = {
    {31001, L"Point", false},
    {31002, L"Select Tool: Rect", true},
    {31003, L"Select", false},
    {31004, L"Select Cut", false},
    {31005, L"Cut out", false},
    {31006, L"Redo", false},
    {31007, L"Undo", false},
    {31008, L"Cut", false},
    {31009, L"Copy", false},
    {31010, L"Paste", false},
    {31011, L"Zoom in", false},
    {31012, L"Zoom out", false},
    {31013, L"Flip vertical", false},
    {31014, L"Flip horizontal", false},
    {31015, L"Rotate", false},
    {32833, L"Brush", true},
    {32849, L"Shape", false},
    {32850, L"Red eye", false},
    {32852, L"Brush: Mosaic", true},
    {32854, L"Select Tool: Circle", true},
    {32855, L"Brush: Gray Scale", true},
    {32856, L"Brush: Blur", true},
    {32857, L"Delete", false},
    {32858, L"Select Tool: Round Rect", true},
    {32859, L"Select Tool: Love", true},
    {32901, L"Save the active image", false},
    {32923, L"Save the active image with a new name", false},
    {32925, L"Open an existing image", false},
    {32926, L"Create a new image", false},
    {32932, L"Space", false},
    {32933, L"Pen", true},
    {32934, L"Select Tool: Magic Wand", false},
    {32935, L"Select Tool: Polygon", true},
    {32937, L"Select Tool: Lasso", true},
    {32938, L"History", false},
    {32939, L"Flood Fill", false},
    {32941, L"Eraser", false},
    {32942, L"Stamp", false},
    {32943, L"Blur", true},
    {32944, L"Sharpen", true},
    {32945, L"Darken", true},
    {32946, L"Lighten", true},
    {32980, L"Text", false},
    {32981, L"Line", false},
    {32992, L"Straw", false},
    {33218, L"Email", false},
    {33219, L"Print", false},
};

} // namespace

EditorRule RuleOfCommand(UINT id)
{
    for (const CommandRule& r : kCommandRules) {
        if (id >= r.first && id <= r.last)
            return r.rule;
    }
    return EditorRule::None;
}

bool CanSendPicture(int openerCode, bool hasView, int layerCount)
{
    return (openerCode == 0 || openerCode == 25) && hasView && layerCount > 0;
}

const MaterialCategory* MaterialCategoryAt(int index)
{
    if (index < 0 || index >= kMaterialCategoryCount)
        return nullptr;
    return &kMaterialCategories[index];
}

const ToolTipEntry* FindToolTip(UINT id)
{
    for (const ToolTipEntry& t : kToolTips) {
        if (t.id == id)
            return &t;
    }
    return nullptr;
}
