// The command table and the handlers that share one frame: check the arguments, load, print
// the command word, apply the operation, save in place of the output, print "Complete". An
// operation that the image library refuses ends the command before anything is written.
#include "BatchCommands.h"
#include <cstdio>
#include <cstdlib>
#include "BaseUtil.h"
#include "PathFunc.h"
#include "WStr.h"
#include "ZVImage.h"

namespace {

struct ImageTypeRow {
    const wchar_t* extension;
    DWORD code;
};

const ImageTypeRow kImageTypes[] = {
    {L"bmp", CXIMAGE_FORMAT_BMP},  {L"gif", CXIMAGE_FORMAT_GIF},   {L"jpg", CXIMAGE_FORMAT_JPG},
    {L"jpeg", CXIMAGE_FORMAT_JPG}, {L"png", CXIMAGE_FORMAT_PNG},   {L"mng", CXIMAGE_FORMAT_MNG},
    {L"jng", CXIMAGE_FORMAT_MNG},  {L"ico", CXIMAGE_FORMAT_ICO},   {L"tif", CXIMAGE_FORMAT_TIF},
    {L"tiff", CXIMAGE_FORMAT_TIF}, {L"tga", CXIMAGE_FORMAT_TGA},   {L"pcx", CXIMAGE_FORMAT_PCX},
    {L"wbmp", CXIMAGE_FORMAT_WBMP}, {L"wmf", CXIMAGE_FORMAT_WMF},  {L"emf", CXIMAGE_FORMAT_WMF},
    {L"j2k", CXIMAGE_FORMAT_JP2},  {L"jp2", CXIMAGE_FORMAT_JP2},   {L"j2c", CXIMAGE_FORMAT_JPC},
    {L"jpc", CXIMAGE_FORMAT_JPC},  {L"pgx", CXIMAGE_FORMAT_PGX},   {L"pnm", CXIMAGE_FORMAT_PNM},
    {L"pgm", CXIMAGE_FORMAT_PNM},  {L"ppm", CXIMAGE_FORMAT_PNM},   {L"ras", CXIMAGE_FORMAT_RAS},
    {L"psd", CXIMAGE_FORMAT_PSD},  {L"webp", CXIMAGE_FORMAT_WEBP},
};

int Int(const wchar_t* text)
{
    return _wtoi(text);
}

double Real(const wchar_t* text)
{
    return _wtof(text);
}

// Hexadecimal red, green, blue ("FF8000" is orange); anything else is black.
RGBQUAD Colour(const wchar_t* text)
{
    DWORD value = 0;
    if (!ParseHexDWord(text, &value))
        value = 0;
    RGBQUAD colour;
    colour.rgbBlue = BYTE(value);
    colour.rgbGreen = BYTE(value >> 8);
    colour.rgbRed = BYTE(value >> 16);
    colour.rgbReserved = BYTE(value >> 24);
    return colour;
}

// The shared frame after the argument check: the picture is read whole before the output,
// which may be the input itself, is written. The operation answers whether every step of it
// succeeded. The operations work on one frame, so a picture of several is refused.
template <class Operation>
bool RunFramed(const wchar_t* word, const wchar_t* input, const wchar_t* output, Operation operation)
{
    const DWORD imageType = ImageTypeFromExtension(input);
    printf("Loading\r\n");
    CZVImage picture;
    if (!picture.LoadFile(input)) {
        printf("Error : fail to load %ls\n", input);
        return false;
    }
    if (!picture.IsValid() || RefusesFrames(picture))
        return false;
    printf("%ls\r\n", word);
    if (!operation(picture))
        return OperationFailed(word);
    return SaveAndComplete(picture, output, imageType);
}

bool ResizeCommand(const wchar_t* in, const wchar_t* out, const wchar_t** args, int count, int)
{
    if (!HasArguments(count, 2))
        return false;
    const long width = Int(args[0]), height = Int(args[1]);
    if (width <= 0 || height <= 0) {
        printf("Error : incorrect size\n");
        return false;
    }
    return RunFramed(L"Resize", in, out, [&](CZVImage& p) { return p.Zoom(width, height); });
}

bool RotaryZoomCommand(const wchar_t* in, const wchar_t* out, const wchar_t** args, int count, int)
{
    if (!HasArguments(count, 3))
        return false;
    const double degrees = Real(args[0]), zoomX = Real(args[1]), zoomY = Real(args[2]);
    return RunFramed(L"RotaryZoom", in, out, [&](CZVImage& p) {
        return p.RotaryZoom(float(degrees), float(zoomX), float(zoomY));
    });
}

bool FlipCommand(const wchar_t* in, const wchar_t* out, const wchar_t**, int, int)
{
    return RunFramed(L"Flip", in, out, [](CZVImage& p) { return p.Flip(false, true); });
}

bool MirrorCommand(const wchar_t* in, const wchar_t* out, const wchar_t**, int, int)
{
    return RunFramed(L"Mirror", in, out, [](CZVImage& p) { return p.Mirror(false, true); });
}

// The effects below take their arguments as the table of the command words gives them; the
// library keeps each within its own range.

bool SkinSandingCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 2) && RunFramed(L"SkinSanding", in, out, [&](CZVImage& p) {
        return p.SkinSanding(double(Int(a[0])), double(Int(a[1])));
    });
}

bool GrayScaleCommand(const wchar_t* in, const wchar_t* out, const wchar_t**, int, int)
{
    return RunFramed(L"GrayScale", in, out, [](CZVImage& p) { return p.EffectGrayScale(); });
}

bool ColorToneCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 2) &&
           RunFramed(L"ColorTone", in, out, [&](CZVImage& p) { return p.EffectColorTone(Colour(a[0]), Int(a[1])); });
}

bool MosaicCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"Mosaic", in, out, [&](CZVImage& p) { return p.EffectMosaic(Int(a[0])); });
}

bool InvertCommand(const wchar_t* in, const wchar_t* out, const wchar_t**, int, int)
{
    return RunFramed(L"Invert", in, out, [](CZVImage& p) { return p.EffectInvert(); });
}

bool BlurMotionCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 2) &&
           RunFramed(L"BlurMotion", in, out, [&](CZVImage& p) { return p.EffectBlurMotion(Int(a[0]), Int(a[1])); });
}

bool BlurRadialCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 3) && RunFramed(L"BlurRadial", in, out, [&](CZVImage& p) {
        return p.EffectBlurRadial(Int(a[0]), Real(a[1]), Real(a[2]));
    });
}

bool BlurZoomCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 3) && RunFramed(L"BlurZoom", in, out, [&](CZVImage& p) {
        return p.EffectBlurZoom(Int(a[0]), Real(a[1]), Real(a[2]));
    });
}

bool NoisifyCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 2) &&
           RunFramed(L"Noisify", in, out, [&](CZVImage& p) { return p.EffectNoisify(Int(a[0]), Int(a[1]) != 0); });
}

bool SplashCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"Splash", in, out, [&](CZVImage& p) { return p.EffectSplash(Int(a[0])); });
}

bool PosterizeCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"Posterize", in, out, [&](CZVImage& p) {
        return p.EffectPosterize(Int(a[0]));
    });
}

// The grid is laid out from the other end of the rows; flipping round it keeps its origin
// where the editor puts it.
bool Grid3DCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 2) && RunFramed(L"Grid3D", in, out, [&](CZVImage& p) {
        return p.Flip(false, true) && p.Effect3DGrid(Int(a[0]), Int(a[1])) && p.Flip(false, true);
    });
}

bool ShiftCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"Shift", in, out, [&](CZVImage& p) { return p.EffectShift(Int(a[0])); });
}

bool RibbonCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 2) && RunFramed(L"Ribbon", in, out, [&](CZVImage& p) {
        return p.EffectRibbon(Int(a[0]), Int(a[1]));
    });
}

// The centre is given with rows from the top; the library counts them from the bottom.
bool BulgeCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 3) && RunFramed(L"Bulge", in, out, [&](CZVImage& p) {
        return p.Flip(false, true) && p.EffectBulge(Int(a[0]), Real(a[1]), Real(a[2])) && p.Flip(false, true);
    });
}

bool TwistCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 4) && RunFramed(L"Twist", in, out, [&](CZVImage& p) {
        return p.EffectTwist(Int(a[0]), long(Real(a[1])), Real(a[2]), Real(a[3]));
    });
}

bool IllusionCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"Illusion", in, out, [&](CZVImage& p) {
        return p.EffectIllusion(Int(a[0]));
    });
}

bool WaveCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 3) &&
           RunFramed(L"Wave", in, out, [&](CZVImage& p) { return p.EffectWave(Int(a[0]), Int(a[1]), Real(a[2])); });
}

bool RippleCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 3) && RunFramed(L"Ripple", in, out, [&](CZVImage& p) {
        return p.EffectRipple(Int(a[0]), Int(a[1]), Int(a[2]) != 0);
    });
}

bool TileReflectionCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 3) && RunFramed(L"TileReflection", in, out, [&](CZVImage& p) {
        return p.EffectTileReflection(Int(a[0]), Int(a[1]), Int(a[2]));
    });
}

bool RaiseFrameCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"RaiseFrame", in, out, [&](CZVImage& p) {
        return p.EffectRaiseFrame(Int(a[0]));
    });
}

bool HalftoneM3Command(const wchar_t* in, const wchar_t* out, const wchar_t**, int, int)
{
    return RunFramed(L"HalftoneM3", in, out, [](CZVImage& p) { return p.EffectHalftoneM3(); });
}

// The level is the low byte of the number: 300 is 44.
bool ThresholdCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"Threshold", in, out, [&](CZVImage& p) {
        return p.Threshold(BYTE(Int(a[0])));
    });
}

bool SolarizeCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"Solarize", in, out, [&](CZVImage& p) {
        return p.EffectSolarize(Int(a[0]));
    });
}

bool BrightnessContrastCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 2) && RunFramed(L"BrightnessContrast", in, out, [&](CZVImage& p) {
        return p.EffectBrightnessContrast(Int(a[0]), Int(a[1]));
    });
}

bool HueSaturationCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 2) && RunFramed(L"HueSaturation", in, out, [&](CZVImage& p) {
        return p.EffectHueSaturation(Int(a[0]), Int(a[1]));
    });
}

bool GammaCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 1) && RunFramed(L"Gamma", in, out, [&](CZVImage& p) { return p.EffectGamma(Int(a[0])); });
}

bool ShiftRGBCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 3) && RunFramed(L"ShiftRGB", in, out, [&](CZVImage& p) {
        return p.EffectShiftRGB(Int(a[0]), Int(a[1]), Int(a[2]));
    });
}

bool InvertedImageCommand(const wchar_t* in, const wchar_t* out, const wchar_t** a, int n, int)
{
    return HasArguments(n, 3) && RunFramed(L"InvertedImage", in, out, [&](CZVImage& p) {
        return p.EffectInvertedImage(float(Real(a[0])), float(Real(a[1])), float(Real(a[2])));
    });
}

} // namespace

// A frame picture that does not load leaves the picture unframed, and it is still written; a
// frame that loads but cannot be laid round the picture is a failure like any other.
bool FrameCommand(const wchar_t* in, const wchar_t* out, const wchar_t** args, int count, int)
{
    if (!HasArguments(count, 3))
        return false;
    const wchar_t* framePath = args[0];
    const int width = Int(args[1]), kind = Int(args[2]);
    return RunFramed(L"Frame", in, out, [&](CZVImage& p) {
        CxImage frame;
        if (!frame.Load(framePath, ImageTypeFromExtension(framePath)) || !frame.IsValid())
            return true;
        return p.CombineFrame(frame, float(width), kind);
    });
}

const BATCH_COMMAND g_batchCommands[] = {
    {L"Watermark", WatermarkCommand, 0},
    {L"SkinSanding", SkinSandingCommand, 0},
    {L"Resize", ResizeCommand, 0},
    {L"RotaryZoom", RotaryZoomCommand, 0},
    {L"Frame", FrameCommand, 0},
    {L"GrayScale", GrayScaleCommand, 0},
    {L"ColorTone", ColorToneCommand, 0},
    {L"Mosaic", MosaicCommand, 0},
    {L"Invert", InvertCommand, 0},
    {L"BlurMotion", BlurMotionCommand, 0},
    {L"BlurRadial", BlurRadialCommand, 0},
    {L"BlurZoom", BlurZoomCommand, 0},
    {L"Noisify", NoisifyCommand, 0},
    {L"Splash", SplashCommand, 0},
    {L"Posterize", PosterizeCommand, 0},
    {L"Grid3D", Grid3DCommand, 0},
    {L"Shift", ShiftCommand, 0},
    {L"Ribbon", RibbonCommand, 0},
    {L"Bulge", BulgeCommand, 0},
    {L"Twist", TwistCommand, 0},
    {L"Illusion", IllusionCommand, 0},
    {L"Wave", WaveCommand, 0},
    {L"Ripple", RippleCommand, 0},
    {L"TileReflection", TileReflectionCommand, 0},
    {L"Blinds", NoOpBatchCommand, 0},
    {L"RaiseFrame", RaiseFrameCommand, 0},
    {L"HalftoneM3", HalftoneM3Command, 0},
    {L"Threshold", ThresholdCommand, 0},
    {L"Threshold2", NoOpBatchCommand, 0},
    {L"Solarize", SolarizeCommand, 0},
    {L"BrightnessContrast", BrightnessContrastCommand, 0},
    {L"HueSaturation", HueSaturationCommand, 0},
    {L"Gamma", GammaCommand, 0},
    {L"ShiftRGB", ShiftRGBCommand, 0},
    {L"Flip", FlipCommand, 0},
    {L"Mirror", MirrorCommand, 0},
    {L"InvertedImage", InvertedImageCommand, 0},
    {L"Page", PageCommand, 0},
    {nullptr, nullptr, 0},
};

const BATCH_COMMAND* FindBatchCommand(const wchar_t* name)
{
    for (const BATCH_COMMAND* row = g_batchCommands; row->name; ++row)
        if (WStrCompareNoCase(row->name, name) == 0)
            return row;
    return nullptr;
}

DWORD ImageTypeFromExtension(const wchar_t* path)
{
    const wchar_t* extension = GetFileExtPtr(path);
    if (!extension)
        return CXIMAGE_FORMAT_UNKNOWN;
    for (const ImageTypeRow& row : kImageTypes)
        if (WStrCompareNoCase(row.extension, extension) == 0)
            return row.code;
    return CXIMAGE_FORMAT_UNKNOWN;
}

bool NoOpBatchCommand(const wchar_t*, const wchar_t*, const wchar_t**, int, int)
{
    return true;
}

bool OperationFailed(const wchar_t* word)
{
    printf("Error : fail to apply %ls\n", word);
    return false;
}

bool Overlaps(const CxImage& under, const CxImage& over, long x, long y)
{
    return over.IsValid() && x < long(under.GetWidth()) && y < long(under.GetHeight()) &&
           x + long(over.GetWidth()) > 0 && y + long(over.GetHeight()) > 0;
}

bool RefusesFrames(const CxImage& picture)
{
    if (picture.GetNumFrames() <= 1)
        return false;
    printf("Error : The picture has several frames and was left as it is\n");
    return true;
}

bool HasArguments(int count, int needed)
{
    if (count >= needed)
        return true;
    printf("Error : Not enough parameters\n");
    return false;
}

// A format code of 0 leaves the choice to the output's extension; when that names no format
// the library knows, the save fails like any other and the old output stays.
bool SaveAndComplete(CZVImage& picture, const wchar_t* output, DWORD imageType)
{
    if (!picture.SaveFile(output, imageType)) {
        printf("Error : fail to save %ls\n", output);
        return false;
    }
    printf("Complete\r\n");
    return true;
}
