#pragma once
// The gallery's switches that show one of the library's dialogs instead of the gallery.

// True when the arguments named a dialog, which then ran; exitCode: the switch's result.
bool RunDialogDemo(int argc, wchar_t** argv, int& exitCode);
