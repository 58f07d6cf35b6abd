#pragma once
// CBCGPDrawManager: the drawing helpers of the looks on a GDI device: highlights, frames,
// gradients and shadows. The colour arithmetic is in free functions (skinui::) so that it can be
// checked without a device.
#include <functional>
#include "AppFrame.h"
#include "SkinUIDef.h"

namespace skinui {
// Each channel moved toward black by the ratio (0..1).
SKINUI_API COLORREF Darker(COLORREF color, double ratio);
// Each channel moved toward white by the ratio (0..1).
SKINUI_API COLORREF Lighter(COLORREF color, double ratio);
// The colour at the given lightness with its hue and a little of its saturation: pale tints.
SKINUI_API COLORREF Pale(COLORREF color, double lum);
// The mark, unless it hardly differs in brightness from the ground it is drawn on; then the
// fallback, so that a check mark in a dark skin still shows.
SKINUI_API COLORREF ReadableOn(COLORREF mark, COLORREF ground, COLORREF fallback);
// a * (1 - t) + b * t per channel.
SKINUI_API COLORREF Mix(COLORREF a, COLORREF b, double t);
// The colour the highlight of HighlightRect leaves over a pixel: percent > 100 lightens toward
// white, percent < 100 darkens; with a blend colour, it mixes the pixel with it by percent.
SKINUI_API COLORREF HighlightPixel(COLORREF pixel, int percent, COLORREF blend);
// Answers WM_PAINT for the window: paint draws the client area into a memory bitmap, which is
// then copied to the screen. Without a bitmap (empty client area, no memory), paint draws
// straight onto the screen if directIfNoBuffer, else nothing is drawn.
SKINUI_API void PaintBuffered(CWnd* wnd, const std::function<void(CDC*)>& paint, bool directIfNoBuffer = false);
} // namespace skinui

class SKINUI_API CBCGPDrawManager {
public:
    explicit CBCGPDrawManager(CDC& dc) : m_dc(dc) {}

    // Lightens (nPercentage > 100) or darkens the pixels of the rectangle; with clrBlend set
    // (not -1), blends them with it at nPercentage percent instead. Pixels of clrTransparent
    // (not -1), within nTolerance per channel, stay.
    BOOL HighlightRect(CRect rect, int nPercentage = -1, COLORREF clrTransparent = (COLORREF)-1, int nTolerance = 0,
                       COLORREF clrBlend = (COLORREF)-1);
    // A filled (clrFill not -1) and framed (clrLine not -1) rectangle.
    void DrawRect(const CRect& rect, COLORREF clrFill, COLORREF clrLine);
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF clrLine);
    void FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz = TRUE, int nStartFlatPercentage = 0,
                      int nEndFlatPercentage = 0);
    void FillGradient2(CRect rect, COLORREF colorStart, COLORREF colorFinish, int nGradientAngle = 0);
    // A soft shadow of nDepth pixels right and below the rectangle.
    BOOL DrawShadow(CRect rect, int nDepth, int iMinBrightness = 100, int iMaxBrightness = 50);

    static COLORREF ColorMakeDarker(COLORREF color, double ratio = 0.1) { return skinui::Darker(color, ratio); }
    static COLORREF ColorMakeLighter(COLORREF color, double ratio = 0.1) { return skinui::Lighter(color, ratio); }
    static COLORREF ColorMakePale(COLORREF color, double lum = 0.97) { return skinui::Pale(color, lum); }
    static COLORREF PixelAlpha(COLORREF srcPixel, int percent) { return skinui::HighlightPixel(srcPixel, percent, (COLORREF)-1); }

private:
    CDC& m_dc;
};
