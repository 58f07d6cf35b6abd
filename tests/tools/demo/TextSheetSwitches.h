#pragma once
// The text sheet switch of ToolsDemo.
#include <windows.h>

// Runs the Text tool over a picture in an editor frame and sets the exit code; false when the
// arguments name none:
//   /text TEXT [/preset N] [/page Advanced] [/effect NAME] [/lang LANGUAGE] PICTURE
// The sheet opens as the Text tool opens it, TEXT is typed into it, gallery item N (from 0) is
// clicked, the Advanced page shown and its effect entry NAME chosen; the sheet stays open until
// OK or Cancel.
bool RunTextSheetSwitch(int argc, wchar_t** argv, int& exitCode);
