#pragma once
// Where KQBatch puts a watermark. The browser's preview places its mark with the same function,
// so that what the user sees is what KQBatch writes.
#include <windows.h>

// Top left corner of a w x h watermark at position 0 (bottom right) to 8 (top left) on a
// W x H picture, moved by (dx, dy).
POINT WatermarkOrigin(int position, long pictureWidth, long pictureHeight, long width, long height, float dx, float dy);
