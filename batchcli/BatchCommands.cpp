// The command table and the handlers that share one frame: check the arguments, load, print
// the command word, apply the operation, save in place of the output, print "Complete".
#include "BatchCommands.h"
#include <cstdio>
#include <cstdlib>
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

// The shared frame after the argument check: the picture is read whole before the output,
// which may be the input itself, is written.
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
    if (!picture.IsValid())
        return false;
    printf("%ls\r\n", word);
    operation(picture);
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
    return RunFramed(L"Resize", in, out, [&](CZVImage& p) { p.Zoom(width, height); });
}

bool RotaryZoomCommand(const wchar_t* in, const wchar_t* out, const wchar_t** args, int count, int)
{
    if (!HasArguments(count, 3))
        return false;
    const double degrees = Real(args[0]), zoomX = Real(args[1]), zoomY = Real(args[2]);
    return RunFramed(L"RotaryZoom", in, out, [&](CZVImage& p) { p.RotaryZoom(float(degrees), float(zoomX), float(zoomY)); });
}

bool FlipCommand(const wchar_t* in, const wchar_t* out, const wchar_t**, int, int)
{
    return RunFramed(L"Flip", in, out, [](CZVImage& p) { p.Flip(false, true); });
}

bool MirrorCommand(const wchar_t* in, const wchar_t* out, const wchar_t**, int, int)
{
    return RunFramed(L"Mirror", in, out, [](CZVImage& p) { p.Mirror(false, true); });
}

} // namespace

// A frame picture that does not load leaves the picture unframed, and it is still written.
bool FrameCommand(const wchar_t* in, const wchar_t* out, const wchar_t** args, int count, int)
{
    if (!HasArguments(count, 3))
        return false;
    const wchar_t* framePath = args[0];
    const int width = Int(args[1]), kind = Int(args[2]);
    return RunFramed(L"Frame", in, out, [&](CZVImage& p) {
        CxImage frame;
        if (frame.Load(framePath, ImageTypeFromExtension(framePath)) && frame.IsValid())
            p.CombineFrame(frame, float(width), kind);
    });
}

// Page belongs to the page-template work and has no handler yet: its word does nothing.
const BATCH_COMMAND g_batchCommands[] = {
    {L"Watermark", WatermarkCommand, 0},
    {L"SkinSanding", nullptr, 0},
    {L"Resize", ResizeCommand, 0},
    {L"RotaryZoom", RotaryZoomCommand, 0},
    {L"Frame", FrameCommand, 0},
    {L"GrayScale", nullptr, 0},
    {L"ColorTone", nullptr, 0},
    {L"Mosaic", nullptr, 0},
    {L"Invert", nullptr, 0},
    {L"BlurMotion", nullptr, 0},
    {L"BlurRadial", nullptr, 0},
    {L"BlurZoom", nullptr, 0},
    {L"Noisify", nullptr, 0},
    {L"Splash", nullptr, 0},
    {L"Posterize", nullptr, 0},
    {L"Grid3D", nullptr, 0},
    {L"Shift", nullptr, 0},
    {L"Ribbon", nullptr, 0},
    {L"Bulge", nullptr, 0},
    {L"Twist", nullptr, 0},
    {L"Illusion", nullptr, 0},
    {L"Wave", nullptr, 0},
    {L"Ripple", nullptr, 0},
    {L"TileReflection", nullptr, 0},
    {L"Blinds", NoOpBatchCommand, 0},
    {L"RaiseFrame", nullptr, 0},
    {L"HalftoneM3", nullptr, 0},
    {L"Threshold", nullptr, 0},
    {L"Threshold2", NoOpBatchCommand, 0},
    {L"Solarize", nullptr, 0},
    {L"BrightnessContrast", nullptr, 0},
    {L"HueSaturation", nullptr, 0},
    {L"Gamma", nullptr, 0},
    {L"ShiftRGB", nullptr, 0},
    {L"Flip", FlipCommand, 0},
    {L"Mirror", MirrorCommand, 0},
    {L"InvertedImage", nullptr, 0},
    {L"Page", nullptr, 0},
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
