#pragma once
// The arithmetic of the lens flare and sunshine previews: the scale of the reduced copy, a click
// on the preview as a picture point, and the burst's radius on the copy. Pure functions.
#include <windows.h>

// The reduced copy's scale: fit width / picture width (0 for an empty picture).
double PreviewScale(int fitWidth, int pictureWidth);
// The reduced copy's height: picture height x scale, truncated.
int PreviewHeight(int pictureHeight, double scale);
// A click in preview client coordinates as a point on the reduced copy, y counted from its
// bottom row: x from the fit's left, y from the fit's top turned over the copy's height.
POINT PreviewPointAt(POINT cursor, const RECT& fit, const RECT& client, int previewHeight);
// A point on the reduced copy as a picture point (each divided by the scale, truncated).
POINT PicturePointOf(POINT previewPoint, double scale);
// The burst's radius on the reduced copy: radius x scale truncated, at least 1.
int PreviewRadius(int radius, double scale);
