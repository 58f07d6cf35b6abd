#pragma once
// The arithmetic of the canvas window apart from any window: zoom steps, where the picture lies
// on each axis, scroll positions, cursors for frame hit codes, the resize of a turned layer,
// pinch zoom, grid lines, the part of a picture that a window shows, and sizes at a system DPI.
#include <windows.h>
#include <vector>
#include "ZVImageDef.h"

// One zoom step: in by 1.15 up to 16.0, out by 1.15 down to 0.05.
float NextZoom(float zoom, bool zoomIn);

// One axis of the canvas window: the picture (size picture pixels at zoom) centred when it is
// smaller than the client extent, else spanning the client with a scroll bar of pixel steps.
struct ViewAxis {
    BOOL scroll;
    float step;   // 1.0 with a scroll bar, 0.0 without
    int start;
    int end;
};
ViewAxis LayOutViewAxis(int size, float zoom, int clientStart, int clientEnd);

// The largest position of a scroll bar of range 0..range with the page (as Win32 bars have it).
int ScrollLimit(int range, int page);
// The position after a scroll code (SB_...); given is the position that came with the message.
int ScrollPosition(int code, int position, int given, int lineStep, int page, int limit);
// Re-centring after a zoom: a bar at 0 goes to half its limit (ratio 0.5), any other keeps the
// ratio it had.
void CentreScrollAxis(int& position, float& ratio, int limit);

// Cursor index (0 hand, 1-4 sizing arrows, 5 rotate) for a frame hit code 0-9; -1 for others.
int CursorForHitCode(int code);
// The cursor shown while hovering a frame: with only the delete button drawn (buttonsLimited)
// every part shows the hand and the rotate corner none.
int HoverCursor(int hitCode, bool buttonsLimited);

// -1 when the layer is upside down (its angle, rounded to degrees, within 91..269), else +1.
int FlipSign(float angleRadians);
// A corner drag of a layer: the frame was w0 x h0 picture pixels at the press, the mouse moved
// (dx, dy) picture pixels. FALSE when the width or height would not stay positive. Upside down
// the size grows against the mouse and the location moves so that the far corner stays put.
struct ResizeStep {
    int width;
    int height;
    ZVPOINTF location;
};
BOOL ResizeByDrag(int w0, int h0, int dx, int dy, float angleRadians, ZVPOINTF location, int oldWidth,
                  int oldHeight, float zoom, ResizeStep& out);

// The location of a layer resized from oldW x oldH to newW x newH picture pixels whose bottom
// right corner (on the canvas, at zoom) stays where it was.
ZVPOINTF KeepFarCorner(ZVPOINTF location, int oldW, int oldH, int newW, int newH, float zoom);

// Two-finger zoom: +1 (zoom in) or -1 when the distance between the fingers changed by more
// than 50 pixels since their start points, else 0.
int PinchStep(POINT start0, POINT start1, POINT now0, POINT now1);

// Window positions of grid lines along one axis: cell view pixels apart from the canvas start
// minus the scroll offset; empty for a cell below one pixel.
std::vector<int> GridLinePositions(float cell, int canvasStart, int canvasEnd, int scroll);

// The part of a picture drawn at origin (window coordinates) with zoom that falls into the
// client area: source rectangle in picture pixels and where it lands. FALSE when none shows.
struct StretchPart {
    RECT source;
    RECT target;
};
BOOL VisibleStretchPart(int originX, int originY, int width, int height, float zoom, const RECT& client,
                        StretchPart& out);

// A size given at 96 DPI at the system DPI; never below the size itself.
int ScaleToDpi(int pixels, int dpi);
