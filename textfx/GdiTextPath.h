#pragma once
// Text as a GDI+ path made by GDI (the only way that honours a font's escapement), and the
// measuring of a path's extent in pixels.
#include "GdiplusSupport.h"

namespace TextDesigner {

// *out receives a new path at once, also on failure; the caller deletes it.
ZVUILIB_API bool GdiTextToPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath** out,
                               const wchar_t* text, LOGFONTW* logFont, int x, int y);
ZVUILIB_API bool GdiTextToPath(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath** out,
                               const wchar_t* text, LOGFONTW* logFont, int x, int y, int width,
                               int height);
ZVUILIB_API void ConvertGdiPath(Gdiplus::GraphicsPath* path, const POINT* points, const BYTE* types,
                                int count);

// width and height hold the drawing origin on entry and the extent on return; start may be null.
ZVUILIB_API bool MeasurePathExtent(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path,
                                   float* startX, float* startY, float* width, float* height);
ZVUILIB_API bool MeasurePathTightExtent(Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* path,
                                        float* startX, float* startY, float* width, float* height);
ZVUILIB_API bool ConvertToPixels(Gdiplus::Graphics* graphics, float* startX, float* startY,
                                 float* width, float* height, float w, float h);

} // namespace TextDesigner
