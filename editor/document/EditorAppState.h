#pragma once
// What the editor's application object holds for the whole program. Until that object exists
// the one instance lives here; it will own this record.
#include "ShapeLibrary.h"

struct EditorAppState {
    ShapeLibrary shapeLibrary;   // filled once at start-up by LoadShapeLibrary
};

EditorAppState& GetEditorAppState();
