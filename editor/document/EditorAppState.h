#pragma once
// What the editor's application object holds for the whole program. Until that object exists
// the one instance lives here; it will own this record.
#include <windows.h>
#include "ShapeLibrary.h"
#include "StringW.h"
#include "WordArtInfo.h"

struct EditorAppState {
    ShapeLibrary shapeLibrary;   // filled once at start-up by LoadShapeLibrary
    // The editor's private picture format on the clipboard, "RCF_ZVIMAGE"; 0 until registered.
    UINT imageClipboardFormat = 0;
    // The folder the file dialogs open in.
    CStringW currentFolder;
    // The settings a new text layer starts with; the text tools keep the last edited ones here.
    CWordArtInfo defaultWordArt;
};

EditorAppState& GetEditorAppState();
