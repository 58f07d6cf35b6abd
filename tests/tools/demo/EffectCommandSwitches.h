#pragma once
// The effect command switch of ToolsDemo: an editor's effect command over a picture.
#include <windows.h>

// The dialog of an Adjust or Filters command (or "Transparent color...", or 31015 for the
// picture's rotation) over the picture shown in an editor frame, with the command's start
// values; false when the arguments name none. After the dialog's Ok the layer is committed.
//   /command ID PICTURE [/lang NAME] [/click X Y] [/preset N]
//     /click: a click at X, Y of the preview (lens flare, sunshine), once the first run is done
//     /preset: the rotation's preset N (0 to 6), chosen once the first run is done
bool RunEffectCommandSwitch(int argc, wchar_t** argv, int& exitCode);
