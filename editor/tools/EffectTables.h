#pragma once
// What the effect dialogs show and build: the rows of the one- and two-value dialogs, the
// option-less effects by index, the selective focus modes, the value ranges that follow the
// picture, and the colour and opacity conversions. Data and pure functions only; the dialogs
// and the effect preset list build processors through these and nowhere else.
#include <windows.h>
#include <memory>
#include "EffectProcessors.h"

struct EffectRange {
    int minimum;
    int maximum;
};

// How a range's maximum follows the picture.
enum class RangeLimit {
    Fixed,
    SmallerSide,     // the smaller of width and height
    HalfSmallerSide, // half of it, rounded down
};

// The range for a picture of width x height. A maximum that falls below the minimum (a tiny
// picture) gives minimum..minimum, so that a slider never runs backwards.
EffectRange RangeForPicture(EffectRange range, RangeLimit limit, int width, int height);
// The width range of the blinds' slats: 1..height across (direction 0), 1..width down.
EffectRange BlindsWidthRange(int direction, int width, int height);
// A start value moved into the range.
int ClampToRange(int value, EffectRange range);

typedef std::unique_ptr<CProcessBase> (*BuildOneValue)(int value);
typedef std::unique_ptr<CProcessBase> (*BuildTwoValues)(int first, int second);

struct OneOptionEffect {
    const wchar_t* caption;
    const wchar_t* label;
    EffectRange range;
    RangeLimit limit;
    BuildOneValue build;
};

struct TwoOptionEffect {
    const wchar_t* caption;
    const wchar_t* firstLabel;
    EffectRange firstRange;
    RangeLimit firstLimit;
    const wchar_t* secondLabel;
    EffectRange secondRange;
    BuildTwoValues build;
};

const int kOneOptionEffectCount = 13;
const int kTwoOptionEffectCount = 11;
const int kProcessingEffectCount = 16;

// Null for an index outside the table.
const OneOptionEffect* FindOneOptionEffect(int index);
const TwoOptionEffect* FindTwoOptionEffect(int index);

// Null for an index outside the table.
std::unique_ptr<CProcessBase> BuildOneOptionEffect(int index, int value);
std::unique_ptr<CProcessBase> BuildTwoOptionEffect(int index, int first, int second);

// The values of the option-less effects; each effect takes the ones it needs:
// 2 shift (p1 red, p2 green, p3 blue), 3 threshold (p5), 4 posterize (p5), 6 solarize (p5),
// 7 colour tone (p1..p4 the colour, p5 the amount), 10 noise (p5), 11 brightness p1 and
// contrast p5, 12 hue p1 and saturation p5, 15 skin smoothing (d1, d2).
struct ProcessingValues {
    int p1 = 0, p2 = 0, p3 = 0, p4 = 0, p5 = 0;
    double d1 = 0.0, d2 = 0.0;
};
// 0 grey, 1 negative, 2 shift RGB, 3 threshold, 4 posterize, 5 halftone, 6 solarize, 7 colour
// tone, 8 soften, 9 sharpen, 10 noise, 11 brightness and contrast, 12 hue and saturation,
// 13 edges, 14 emboss, 15 skin smoothing. Null for another index.
std::unique_ptr<CProcessBase> BuildProcessingEffect(int index, const ProcessingValues& values);

// Selective focus: mode 0 blurs the background, mode 1 smears it.
struct SelectiveFocusMode {
    const wchar_t* name;
    const wchar_t* firstLabel;
    EffectRange firstRange;
    const wchar_t* secondLabel; // null: the mode has one value
    EffectRange secondRange;
    int firstValue; // what choosing the mode sets
};
const int kSelectiveFocusModeCount = 2;
const SelectiveFocusMode* FindSelectiveFocusMode(int mode);
std::unique_ptr<CProcessBase> BuildSelectiveFocus(int mode, int first, int second);

// The dialogs with fields of their own build one processor each.
std::unique_ptr<CProcessBase> BuildBlinds(int direction, int width, int opacity, RGBQUAD colour);
std::unique_ptr<CProcessBase> BuildLensFlare(int x, int y);
std::unique_ptr<CProcessBase> BuildSupernova(int x, int y, RGBQUAD colour, int radius, int spokes);
std::unique_ptr<CProcessBase> BuildTransparentColor(RGBQUAD colour, int tolerance, int opacityPercent);
std::unique_ptr<CProcessBase> BuildRotate(int degrees, COLORREF background, int keepSize, int autoTransparency);
std::unique_ptr<CProcessBase> BuildThreshold(int level, int preserve);

// Colours: a colour button's COLORREF as the processors' RGBQUAD (fourth byte 255) and back;
// the colour tone's colour from four values (each held to 0..255).
RGBQUAD ColorRefToQuad(COLORREF colour);
COLORREF QuadToColorRef(RGBQUAD colour);
RGBQUAD ColorToneColour(int red, int green, int blue, int fourth);
// Opacity percent (held to 0..100) to an alpha byte, rounded: 50 gives 128, 100 gives 255; and
// back, rounded.
BYTE PercentToAlpha(int percent);
int AlphaToPercent(BYTE alpha);
