#pragma once
// The effect run switches of ToolsDemo.
#include <windows.h>

// Runs the demonstration's one-slider effect dialog (Gaussian blur, radius 10) over a picture
// shown in an editor frame, and sets the exit code; false when the arguments name none:
//   /run PICTURE             the dialog over the picture, until OK or Cancel
//   /run PICTURE /ok OUT     OK once the first run is on the layer; the layer saved to OUT
//   /run PICTURE /slow       a run that takes a minute, to see the progress strip move
//   /run PICTURE /direct OUT the library's blur applied straight to the layer's picture, to OUT
bool RunEffectSwitch(int argc, wchar_t** argv, int& exitCode);
