#pragma once
// ToolsDemo's tool option switches:
//   /shape-strip OUT.bmp     draws the shape picker's strip from the shape library
//   /command ID [/group NAME] [/stroke] [/shape N] [/fill] [/ratio W:H] [/lang NAME] PICTURE
//                            the editor frame over the picture with a tool command's options
// Each returns false when its switch is not there.
bool RunShapeStripSwitch(int argc, wchar_t** argv, int& exitCode);
bool RunToolOptionsSwitch(int argc, wchar_t** argv, int& exitCode);
