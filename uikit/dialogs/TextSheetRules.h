#pragma once
// The arithmetic of the text options sheet, apart from its windows: point sizes and font
// heights, alpha percentages, the effect combo's order, which controls a kind enables, the
// date and month tags, the colour conversions, a preset's fields and the thumbnail fitting.
#include <windows.h>
#include "WordArtInfo.h"
#include "ZVUILibDef.h"

namespace textsheet {
// The thumbnail cell of a preset.
const int kThumbWidth = 96;
const int kThumbHeight = 64;

// Points of a font size as the size box shows them: "%.2f", cut before a ".00" that follows
// the first character (12 shows as "12", 10.5 as "10.50").
ZVUILIB_API CString FormatPointSize(double points);
// The points of a pixel height (a negative font size) on a screen of dpi dots per inch:
// MulDiv(72, trunc(size * -100), dpi * 100).
ZVUILIB_API int PointsFromHeight(float size, int dpi);
// The font height of a point size: trunc(dpi * points / -72).
ZVUILIB_API LONG HeightFromPoints(double points, int dpi);
// The number at the start of a size text ("%lf"); 0 when there is none.
ZVUILIB_API double ParsePointSize(const wchar_t* text);

// Alpha 0-255 from percent (held to 0-100) and back, rounded to the nearest.
ZVUILIB_API unsigned char AlphaFromPercent(int percent);
ZVUILIB_API int PercentFromAlpha(int alpha);

// The effect combo holds single outline, double outline, glow and gradient outline, in that
// order. Kinds 4, 5 and 6 map to 5, 4 and 6, past its end, so that no entry shows.
ZVUILIB_API int EffectComboIndex(TextEffect effect);
ZVUILIB_API TextEffect EffectFromComboIndex(int index);
// The second outline's controls are live for the double and gradient outlines and the double glow.
ZVUILIB_API bool SecondOutlineEnabled(TextEffect effect);

// The text after a tag button: the tag alone when the text is the placeholder, else appended.
ZVUILIB_API CString InsertTag(const CString& text, const CString& placeholder, const wchar_t* tag);

// Record colours are ARGB, buttons' RGB: alpha dropped one way, 255 the other.
ZVUILIB_API COLORREF ButtonColor(Gdiplus::Color colour);
ZVUILIB_API Gdiplus::Color RecordColor(COLORREF colour);

// Takes the preset's look into the record: everything but the text, the name, the position,
// the angle, the font and its size.
ZVUILIB_API void ApplyPreset(CWordArtInfo& record, const CWordArtInfo& preset);

// Where a rendered picture of width by height goes in the 96 x 64 cell: its own size when it
// fits, else scaled to the cell's width or height by its aspect; centred.
ZVUILIB_API RECT FitThumbnail(int width, int height);
} // namespace textsheet
