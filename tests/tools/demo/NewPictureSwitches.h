#pragma once
// The new-picture switches of ToolsDemo.
#include <windows.h>

// Runs the new-picture dialog that the arguments name and sets the exit code; false when they
// name none:
//   /command 32926     the new document dialog; /clipboard W H first puts a drawn W x H picture
//                      on the clipboard
//   /command 33021     the blank layer dialog on a 1024 x 768 layer
//   /camera            the camera dialog over the fake capture source; /ok FILE saves a snapshot
//                      to FILE with OK once a frame is on show (exit code 0 when saved);
//                      /drop devices or /drop sizes opens that list
//   /lang NAME         the texts in the language NAME ("Simplified Chinese")
bool RunNewPictureSwitch(int argc, wchar_t** argv, int& exitCode);
