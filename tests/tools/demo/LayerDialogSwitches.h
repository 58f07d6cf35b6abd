#pragma once
// The canvas and layer dialog switches of ToolsDemo.
#include <windows.h>

// Runs an editor command of the canvas and layer dialogs over a picture shown in an editor
// frame, and sets the exit code; false when the arguments name none:
//   /command ID PICTURE   33014 canvas size, 33106 grid, 33045 new background, 33035 export
//                         layer, 33033 rotate, 33041 rename, 33042 options; /shadow PICTURE the
//                         shadow dialog
//   /layer                the picture again as a layer at half its size, current
//   /opacity P /angle A   that layer's opacity (percent) and angle (degrees)
//   /text WORDS           a text layer instead
//   /shadow-angle A /distance D   the current layer's shadow before the dialog opens
//   /press ID ...         clicks these controls of the dialog once it is up, in order (1 is OK)
//   /out FILE             where the export goes (no save dialog)
//   /lang NAME            the texts in the language NAME
bool RunLayerDialogSwitch(int argc, wchar_t** argv, int& exitCode);
