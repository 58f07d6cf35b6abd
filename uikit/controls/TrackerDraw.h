#pragma once
// What both trackers draw with GDI+: the dimmed surround, the two-pen frame and the handles.
#include <windows.h>
#include "TrackerGeometry.h"

namespace tracker {

// The framework's global lock that guards the trackers' shared objects.
const int kSharedLock = 5;

// The frame sits 30 pixels inside the true rectangle; with dim, the client rectangle outside
// it is shaded in four bands. Each handle of the mask is a circle inside its handle rectangle
// (handleRects[h], client coordinates). withFrame / withHandles pick the parts.
void DrawFrameAndHandles(HDC dc, const RECT& trueRect, const RECT& client, bool dim, bool withFrame, bool withHandles,
                         UINT mask, const RECT handleRects[8]);

// The tracker's cursor table: 0 and 2 NW-SE, 1 and 3 NE-SW, 4 and 6 vertical, 5 and 7
// horizontal, 8 four-way track, 9 four-way move, from the framework's cursor resources.
void LoadCursorTable(HCURSOR cursors[10]);

} // namespace tracker
