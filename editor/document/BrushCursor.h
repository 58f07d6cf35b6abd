#pragma once
// The brush cursor of the paint tools: a circle the brush's size, or a small cross for brushes
// under 16 pixels, drawn white with a dotted near-black line over it, made into a cursor whose
// black pixels are transparent.
#include <windows.h>
#include "Win32Owners.h"

struct CursorTraits {
    static HCURSOR Invalid() { return nullptr; }
    static void Close(HCURSOR cursor) { ::DestroyCursor(cursor); }
};
using CursorHandle = win32::UniqueHandle<CursorTraits>;
using BitmapHandle = win32::GdiObject<HBITMAP>;

// The side of the cross drawn for small brushes at the system DPI (16 at 96 DPI).
int BrushCrossSize(int dpi);
// width >= 16: a width x height ellipse; below: the cross, BrushCrossSize square. Null on failure.
HBITMAP CreateBrushCursorBitmap(int width, int height);
// Per pixel: black gives AND white and XOR black (transparent); any other colour AND black and
// XOR that colour. FALSE, both outputs null, for a null or unreadable bitmap.
BOOL GetMaskBitmaps(HBITMAP bitmap, HBITMAP& andMask, HBITMAP& xorMask);
// A cursor (not an icon) with the hot spot; null for a null bitmap.
HCURSOR CreateCursorFromBitmap(HBITMAP bitmap, int hotX, int hotY);
