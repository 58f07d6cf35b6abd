#pragma once
// The arithmetic behind the editor frame's file, view, image and layer commands, apart from any
// window: the zoom menu's presets and check marks, quarter turns of a layer, the place of a
// full-screen frame, untitled names and the folder a chosen file lies in.
#include <windows.h>
#include <cstddef>
#include <string>

// One preset of the zoom menu: its command, the zoom slider's position that gives it (the slider
// counts 0.05 a step) and its percentage.
struct ZoomPreset {
    UINT id;
    int sliderPosition;
    int percent;
};
// Null for a command that is not a preset.
const ZoomPreset* FindZoomPreset(UINT id);
const ZoomPreset* ZoomPresetAt(size_t index);   // null past the last
size_t ZoomPresetCount();
// A preset is checked when the zoom × 100, in floats, is its percentage exactly.
bool ZoomPresetChecked(float zoom, int percent);

// A layer's angle (radians) turned a quarter to the left or right as the user sees it, kept within
// one full turn either way so that four turns come back to where they started. Layer angles turn
// clockwise on the screen (its y axis points down): left takes a quarter off, right adds one.
float QuarterTurn(float angle, bool left);

// Where a frame going full screen is put: its maximised window rectangle grown by one pixel at
// the left and top and two at the right and bottom, so that no border shows.
RECT FullScreenRect(const RECT& window);

// "Untitled-3": the translated word and the number.
std::wstring UntitledTitle(const wchar_t* untitled, int number);

// The folder of a chosen file, without a trailing backslash (a drive's root keeps its own); empty
// for a bare name.
std::wstring FolderOfPath(const std::wstring& path);
