#pragma once
// The Adjust and Filters commands of the editor frame, and "Transparent color...": which effect
// dialog each opens with which start values, or which fixed filter it applies. Data only.
#include "EditorDialogs.h"

enum class EffectCommandAction {
    Dialog,   // the effect dialog of the row, committed after Ok
    Edge,     // the edge filter at once
    Emboss,   // the emboss kernel at once
    Nothing,  // ids without a menu item: looks up the view and stops
};

struct EffectCommand {
    UINT id;
    EffectCommandAction action;
    EditorDialog kind;
    int index;
    int value1, value2;   // the processing dialog: value1 is its automatic flag
    bool ensureImageLayer;   // a text or shape layer is converted first (with the user's leave)
};

// Null for another id.
const EffectCommand* FindEffectCommand(UINT id);
// The rows in order, for tests and menus.
const EffectCommand* EffectCommands(size_t& count);

// The emboss kernel, row by row from the top; the filter adds the grey of flat areas.
extern const long kEmbossKernel[9];
