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

// The option fields of each effect dialog, with the values a new dialog starts from. The
// creator (a menu command, the preset list) sets what it needs before the dialog opens; the
// dialog builds its processor from them with BuildProcessor.
struct BlindsOptions {
    RGBQUAD colour = {255, 255, 255, 255};
    int direction = 0; // 0 across (the width runs up to the picture's height), 1 down
    int opacity = 50;
    int width = 100;
};

struct LensFlareOptions {
    int x = 0, y = 0; // picture pixels, y from the bottom row
};

struct OneOptionOptions {
    int value = 1;
    int maximum = 100, minimum = 1;
    int effectIndex = 0;
    int useTable = 1; // the range comes from the effect's row
};

struct TwoOptionOptions {
    int firstValue = 20, secondValue = 0;
    int firstMaximum = 0, firstMinimum = 0, secondMaximum = 0, secondMinimum = 0;
    int effectIndex = 0;
    int useTable = 1;
};

struct ProcessingOptions {
    int effectIndex = 0;
    int autoClose = 1; // close as soon as the first run ends
    ProcessingValues values;
};

struct SelectiveFocusOptions {
    int firstValue = 0, secondValue = 0;
    int firstMaximum = 0, firstMinimum = 0, secondMaximum = 0, secondMinimum = 0;
    int mode = 0;
};

struct SupernovaOptions {
    int x = 0, y = 0; // picture pixels, y from the bottom row
    RGBQUAD colour = {255, 255, 60, 255}; // red 60, green and blue 255
    int radius = 10;
    int spokes = 100;
};

struct TransparentColorOptions {
    RGBQUAD colour = {255, 255, 255, 255};
    int tolerance = 0;
    BYTE opacity = 0; // percent
};

struct RotateOptions {
    int angle = 0; // degrees
    COLORREF background = 0xFFFFFF;
    int keepSize = 0;
    int autoTransparency = 0;
};

struct ThresholdOptions {
    int level = 128;
    int preserve = 0;
};

// Null where the effect index or mode lies outside its table.
std::unique_ptr<CProcessBase> BuildProcessor(const BlindsOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const LensFlareOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const OneOptionOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const TwoOptionOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const ProcessingOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const SelectiveFocusOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const SupernovaOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const TransparentColorOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const RotateOptions& options);
std::unique_ptr<CProcessBase> BuildProcessor(const ThresholdOptions& options);

// With the use-table flag set, the ranges become those of the effect's row for a picture of
// width x height; false (and nothing changed) without it or for an index outside the table.
bool ApplyTableRanges(OneOptionOptions& options, int width, int height);
bool ApplyTableRanges(TwoOptionOptions& options, int width, int height);
// The ranges of the selective focus mode the options hold; false for a mode outside the table.
bool ApplyModeRanges(SelectiveFocusOptions& options);

// Colours: a colour button's COLORREF as the processors' RGBQUAD (fourth byte 255) and back;
// the colour tone's colour from four values (each held to 0..255).
RGBQUAD ColorRefToQuad(COLORREF colour);
COLORREF QuadToColorRef(RGBQUAD colour);
RGBQUAD ColorToneColour(int red, int green, int blue, int fourth);
// Opacity percent (held to 0..100) to an alpha byte, rounded: 50 gives 128, 100 gives 255; and
// back, rounded.
BYTE PercentToAlpha(int percent);
int AlphaToPercent(BYTE alpha);
