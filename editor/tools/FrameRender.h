#pragma once
// The photo frame dialogs' rules and render steps, apart from their windows: which frame types
// a frame allows, the zoom of the first render, a picture framed, and the page maker's framed
// picture fitted to its slot.
#include "ZVImage.h"

// How the picture library lays a frame: stretched over the whole picture, its four corners
// (sides stretched) or its whole surround (sides repeated).
enum FrameType { FRAME_ZOOM = 0, FRAME_CORNERS = 1, FRAME_SURROUND = 2 };

// The allowed-types mask of a frame's description: one bit per type.
enum FrameTypeBits { FRAME_BIT_ZOOM = 1, FRAME_BIT_CORNERS = 2, FRAME_BIT_SURROUND = 4 };

// The type a caller opens the dialogs with: the highest the mask allows, FRAME_ZOOM for none.
int FrameTypeFromMask(int mask);

// The type radios and the zoom row as a mask leaves them: each allowed type's radio enabled,
// the last allowed one checked (-1 when none is), the zoom row enabled by corners or surround.
struct FrameTypeControls {
    bool radio[3];
    int checked;
    bool zoomRow;
};
FrameTypeControls FrameTypeControlsForMask(int mask);

// The zoom of the first render: a frame wider than the picture is lowered to
// trunc(picture width / frame width x 100) percent, so that it fits; otherwise the zoom stays.
int FirstRunZoom(int zoom, long pictureWidth, long frameWidth);

// The effect studio's colour adjustments, laid before the frame; all zero in the editor.
struct FrameAdjustments {
    long brightness = 0;
    long contrast = 0;
    long hue = 0;
    long saturation = 0;
};

// Frames the picture in place: the adjustments (brightness and contrast skipped when both are 0,
// hue and saturation likewise), then the frame laid at zoom percent. False when a step failed or
// was cut short through the picture's escape flag.
bool FramePicture(CZVImage& picture, const CxImage& frame, int zoom, int type, const FrameAdjustments& adjust);

// The framed picture sized to a page slot of width x height and, for an angle other than 0
// (radians), given an alpha channel and turned by it, corners clear. False when it failed.
bool FitFrameToSlot(const CZVImage& framed, long width, long height, float angle, CZVImage& fitted);
