#include "EffectTables.h"
#include <algorithm>

namespace {

template <typename Effect, typename... Values>
std::unique_ptr<CProcessBase> Make(Values... values)
{
    return std::unique_ptr<CProcessBase>(new Effect(values...));
}

BYTE ToByte(int value)
{
    return static_cast<BYTE>(std::clamp(value, 0, 255));
}

// A range whose limit is not Fixed takes its maximum from the picture (RangeForPicture); its 0
// here is a placeholder.
const OneOptionEffect kOneOptionEffects[kOneOptionEffectCount] = {
    {L"Radial Blur", L"Angle", {1, 45}, RangeLimit::Fixed, &Make<CEffectBlurRadial, int>},
    {L"Zoom Blur", L"Length", {1, 100}, RangeLimit::Fixed, &Make<CEffectBlurZoom, int>},
    {L"Illusion", L"Amount", {2, 10}, RangeLimit::Fixed, &Make<CEffectIllusion, int>},
    {L"Mosaic", L"Size", {2, 100}, RangeLimit::Fixed, &Make<CEffectMosaic, int>},
    {L"Noisy", L"Level", {1, 100}, RangeLimit::Fixed, &Make<CEffectNoisify, int>},
    {L"Posterize", L"Level", {2, 20}, RangeLimit::Fixed, &Make<CEffectPosterize, int>},
    {L"Raise Frame", L"Size", {2, 0}, RangeLimit::HalfSmallerSide, &Make<CEffectRaiseFrame, int>},
    {L"Splash", L"Size", {3, 64}, RangeLimit::Fixed, &Make<CEffectSplash, int>},
    {L"Shift", L"Size", {2, 50}, RangeLimit::Fixed, &Make<CEffectShift, int>},
    {L"Bulge", L"Level", {-200, 100}, RangeLimit::Fixed, &Make<CEffectBulge, int>},
    {L"Gamma", L"Gamma", {1, 200}, RangeLimit::Fixed, &Make<CEffectGamma, int>},
    {L"Gaussian Blur", L"Radius", {1, 100}, RangeLimit::Fixed, &Make<CEffectGaussian, int>},
    {L"Selective Focus", L"Radius", {1, 12}, RangeLimit::Fixed, &Make<CEffectBackgroundDeficiency, int>},
};

const TwoOptionEffect kTwoOptionEffects[kTwoOptionEffectCount] = {
    {L"Motion Blur", L"Length", {1, 200}, RangeLimit::Fixed, L"Angle", {0, 360}, &Make<CEffectBlurMotion, int, int>},
    {L"3DGrid", L"Size", {2, 0}, RangeLimit::SmallerSide, L"Depth", {32, 128}, &Make<CEffect3DGrid, int, int>},
    {L"Glass Tile", L"Size", {2, 0}, RangeLimit::SmallerSide, L"Amount", {-20, 20},
     &Make<CEffectTileReflection, int, int>},
    {L"Ribbon", L"Amplitude", {0, 100}, RangeLimit::Fixed, L"Frequency", {0, 100}, &Make<CEffectRibbon, int, int>},
    {L"Twist", L"Twist", {-45, 45}, RangeLimit::Fixed, L"Size", {1, 200}, &Make<CEffectTwist, int, int>},
    {L"Wave", L"Wavelength", {1, 50}, RangeLimit::Fixed, L"Amplitude", {1, 50}, &Make<CEffectWave, int, int>},
    {L"Ripple", L"Length", {1, 100}, RangeLimit::Fixed, L"Amount", {1, 100}, &Make<CEffectRipple, int, int>},
    {L"Brightness / Contrast", L"Brightness", {-100, 100}, RangeLimit::Fixed, L"Contrast", {-100, 100},
     &Make<CEffectBrightnessContrast, int, int>},
    {L"Hue / Saturation", L"Hue", {-100, 100}, RangeLimit::Fixed, L"Saturation", {-100, 100},
     &Make<CEffectHueSaturation, int, int>},
    {L"Oil Paint", L"Radius", {0, 10}, RangeLimit::Fixed, L"Intensity", {0, 250}, &Make<CEffectOilPaint, int, int>},
    {L"Pencil Sketch", L"Size", {1, 20}, RangeLimit::Fixed, L"Details", {-20, 20}, &Make<CEffectPencilSketch, int, int>},
};

const SelectiveFocusMode kSelectiveFocusModes[kSelectiveFocusModeCount] = {
    {L"Gaussian Blur", L"Radius", {1, 20}, nullptr, {0, 0}, 10},
    {L"Motion Blur", L"Length", {1, 200}, L"Angle", {0, 360}, 20},
};

} // namespace

EffectRange RangeForPicture(EffectRange range, RangeLimit limit, int width, int height)
{
    const int smaller = std::max(0, std::min(width, height));
    if (limit == RangeLimit::SmallerSide)
        range.maximum = smaller;
    else if (limit == RangeLimit::HalfSmallerSide)
        range.maximum = smaller / 2;
    range.maximum = std::max(range.maximum, range.minimum);
    return range;
}

EffectRange BlindsWidthRange(int direction, int width, int height)
{
    return RangeForPicture({1, direction == 0 ? height : width}, RangeLimit::Fixed, width, height);
}

int ClampToRange(int value, EffectRange range)
{
    return std::clamp(value, range.minimum, std::max(range.minimum, range.maximum));
}

const OneOptionEffect* FindOneOptionEffect(int index)
{
    return index >= 0 && index < kOneOptionEffectCount ? &kOneOptionEffects[index] : nullptr;
}

const TwoOptionEffect* FindTwoOptionEffect(int index)
{
    return index >= 0 && index < kTwoOptionEffectCount ? &kTwoOptionEffects[index] : nullptr;
}

std::unique_ptr<CProcessBase> BuildOneOptionEffect(int index, int value)
{
    const OneOptionEffect* row = FindOneOptionEffect(index);
    return row ? row->build(value) : nullptr;
}

std::unique_ptr<CProcessBase> BuildTwoOptionEffect(int index, int first, int second)
{
    const TwoOptionEffect* row = FindTwoOptionEffect(index);
    return row ? row->build(first, second) : nullptr;
}

std::unique_ptr<CProcessBase> BuildProcessingEffect(int index, const ProcessingValues& v)
{
    switch (index) {
    case 0: return Make<CEffectGrayScale>();
    case 1: return Make<CEffectNegative>();
    case 2: return Make<CEffectShiftRGB>(v.p1, v.p2, v.p3);
    case 3: return Make<CEffectThreshold>(v.p5, 0);
    case 4: return Make<CEffectPosterize>(v.p5);
    case 5: return Make<CEffectHalftoneM3>();
    case 6: return Make<CEffectSolarize>(v.p5);
    case 7: return Make<CEffectColorTone>(ColorToneColour(v.p1, v.p2, v.p3, v.p4), v.p5);
    case 8: return Make<CEffectSoften>();
    case 9: return Make<CEffectSharpen>();
    case 10: return Make<CEffectNoise>(v.p5);
    case 11: return Make<CEffectBrightnessContrast>(v.p1, v.p5);
    case 12: return Make<CEffectHueSaturation>(v.p1, v.p5);
    case 13: return Make<CEffectEdge>();
    case 14: return Make<CEffectEmboss>();
    case 15: return Make<CEffectSkinSanding>(v.d1, v.d2);
    default: return nullptr;
    }
}

const SelectiveFocusMode* FindSelectiveFocusMode(int mode)
{
    return mode >= 0 && mode < kSelectiveFocusModeCount ? &kSelectiveFocusModes[mode] : nullptr;
}

std::unique_ptr<CProcessBase> BuildSelectiveFocus(int mode, int first, int second)
{
    switch (mode) {
    case 0: return Make<CEffectBackgroundDeficiency>(first);
    case 1: return Make<CEffectBGBlurMotion>(first, second);
    default: return nullptr;
    }
}

std::unique_ptr<CProcessBase> BuildProcessor(const BlindsOptions& o)
{
    return Make<CEffectBlinds>(o.direction, o.width, o.opacity, o.colour);
}

std::unique_ptr<CProcessBase> BuildProcessor(const LensFlareOptions& o)
{
    return Make<CEffectLensFlare>(o.x, o.y);
}

std::unique_ptr<CProcessBase> BuildProcessor(const OneOptionOptions& o)
{
    return BuildOneOptionEffect(o.effectIndex, o.value);
}

std::unique_ptr<CProcessBase> BuildProcessor(const TwoOptionOptions& o)
{
    return BuildTwoOptionEffect(o.effectIndex, o.firstValue, o.secondValue);
}

std::unique_ptr<CProcessBase> BuildProcessor(const ProcessingOptions& o)
{
    return BuildProcessingEffect(o.effectIndex, o.values);
}

std::unique_ptr<CProcessBase> BuildProcessor(const SelectiveFocusOptions& o)
{
    return BuildSelectiveFocus(o.mode, o.firstValue, o.secondValue);
}

std::unique_ptr<CProcessBase> BuildProcessor(const SupernovaOptions& o)
{
    return Make<CEffectSupernova>(o.x, o.y, o.colour, o.radius, o.spokes);
}

std::unique_ptr<CProcessBase> BuildProcessor(const TransparentColorOptions& o)
{
    return Make<CEffectTransparentColor>(o.colour, o.tolerance, PercentToAlpha(o.opacity));
}

std::unique_ptr<CProcessBase> BuildProcessor(const RotateOptions& o)
{
    return Make<CProcessRotate>(o.angle, o.background, o.keepSize, o.autoTransparency);
}

std::unique_ptr<CProcessBase> BuildProcessor(const ThresholdOptions& o)
{
    return Make<CEffectThreshold>(o.level, o.preserve);
}

bool ApplyTableRanges(OneOptionOptions& o, int width, int height)
{
    const OneOptionEffect* row = FindOneOptionEffect(o.effectIndex);
    if (!o.useTable || !row)
        return false;
    const EffectRange range = RangeForPicture(row->range, row->limit, width, height);
    o.minimum = range.minimum;
    o.maximum = range.maximum;
    return true;
}

bool ApplyTableRanges(TwoOptionOptions& o, int width, int height)
{
    const TwoOptionEffect* row = FindTwoOptionEffect(o.effectIndex);
    if (!o.useTable || !row)
        return false;
    const EffectRange first = RangeForPicture(row->firstRange, row->firstLimit, width, height);
    o.firstMinimum = first.minimum;
    o.firstMaximum = first.maximum;
    o.secondMinimum = row->secondRange.minimum;
    o.secondMaximum = row->secondRange.maximum;
    return true;
}

bool ApplyModeRanges(SelectiveFocusOptions& o)
{
    const SelectiveFocusMode* mode = FindSelectiveFocusMode(o.mode);
    if (!mode)
        return false;
    o.firstMinimum = mode->firstRange.minimum;
    o.firstMaximum = mode->firstRange.maximum;
    o.secondMinimum = mode->secondRange.minimum;
    o.secondMaximum = mode->secondRange.maximum;
    return true;
}

RGBQUAD ColorRefToQuad(COLORREF colour)
{
    return RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 255};
}

COLORREF QuadToColorRef(RGBQUAD colour)
{
    return RGB(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
}

RGBQUAD ColorToneColour(int red, int green, int blue, int fourth)
{
    return RGBQUAD{ToByte(blue), ToByte(green), ToByte(red), ToByte(fourth)};
}

// Integer rounding of p * 255 / 100 and a * 100 / 255, halves up; a product of 2.55 in floating
// point falls just short (100 % would be 254).
BYTE PercentToAlpha(int percent)
{
    const int p = std::clamp(percent, 0, 100);
    return static_cast<BYTE>((p * 255 + 50) / 100);
}

int AlphaToPercent(BYTE alpha)
{
    return (alpha * 100 + 127) / 255;
}
