#pragma once
// The photo frame switches of ToolsDemo.
#include <windows.h>

// Runs the editor's photo frame dialog over a picture shown in an editor frame and sets the
// exit code; false when the arguments name none:
//   /frame PICTURE FRAME            the dialog with the frame's types from its description
//                                   (FRAME's folder, its title with ".xml"), until OK or Cancel
//   /zoom N                         N percent typed into the zoom once the dialog is up
//   /ok OUT                         OK once the dialog is up (after /zoom): it waits for the
//                                   render, keeps it, and the layer is saved to OUT
bool RunFrameSwitch(int argc, wchar_t** argv, int& exitCode);
