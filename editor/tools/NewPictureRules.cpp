#include "NewPictureRules.h"
#include <cmath>
#include <cstring>
#include <cwchar>

namespace newpicture {

double UsableResolution(double resolution)
{
    return resolution > 0 ? resolution : 1.0;
}

double PixelsPerUnit(int unit, double resolution, int resolutionUnit)
{
    if (unit == UNIT_PIXELS)
        return 1.0;
    resolution = UsableResolution(resolution);
    const bool perCm = resolutionUnit == RES_PER_CM;
    if (unit == UNIT_CM)
        return perCm ? resolution : resolution / kCmPerInch;
    return perCm ? resolution * kCmPerInch : resolution;
}

double ConvertLength(double value, int fromUnit, int toUnit, double resolution, int resolutionUnit)
{
    if (fromUnit == toUnit)
        return value;
    if (fromUnit == UNIT_INCHES && toUnit == UNIT_CM)
        return value * kCmPerInch;
    if (fromUnit == UNIT_CM && toUnit == UNIT_INCHES)
        return value / kCmPerInch;
    if (toUnit == UNIT_PIXELS)
        return value * PixelsPerUnit(fromUnit, resolution, resolutionUnit);
    return value / PixelsPerUnit(toUnit, resolution, resolutionUnit);
}

double ConvertResolution(double resolution, int fromUnit, int toUnit)
{
    if (fromUnit == toUnit)
        return resolution;
    return toUnit == RES_PER_INCH ? resolution * kCmPerInch : resolution / kCmPerInch;
}

double MaxLength(int unit, double resolution, int resolutionUnit)
{
    return ConvertLength(kMaxPixels, UNIT_PIXELS, unit, resolution, resolutionUnit);
}

int LengthDecimals(int unit)
{
    return unit == UNIT_PIXELS ? 0 : 2;
}

double RoundShown(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double nudge = value < 0 ? -1e-7 : 1e-7;
    return std::floor(value * scale + 0.5 + nudge) / scale;
}

float RatioOf(double width, double height)
{
    if (!(width > 0) || !(height > 0))
        return 0.0f;
    return float(width) / float(height);
}

SizeD AfterSizeEdit(SizeD size, bool widthEdited, bool keepRatio, float ratio, int decimals)
{
    // The ratio applies before the correction: width 0 gives height 0 first, then both 1.
    if (keepRatio && ratio > 0) {
        if (widthEdited)
            size.height = RoundShown(size.width / ratio, decimals);
        else
            size.width = RoundShown(size.height * ratio, decimals);
    }
    if (size.width <= 0)
        size.width = 1;
    if (size.height <= 0)
        size.height = 1;
    return size;
}

SizeI AfterBlankEdit(SizeI size, bool widthEdited, bool keepRatio, float ratio)
{
    if (keepRatio && ratio > 0) {
        if (widthEdited)
            size.height = int(std::floor(float(size.width) / ratio));
        else
            size.width = int(std::floor(float(size.height) * ratio));
    }
    if (size.width < 1)
        size.width = 1;
    if (size.height < 1)
        size.height = 1;
    return size;
}

SizeI DocumentPixels(double width, double height, int unit, double resolution, int resolutionUnit)
{
    const double factor = PixelsPerUnit(unit, resolution, resolutionUnit);
    auto side = [factor](double length) {
        const double pixels = std::floor(length * factor + 0.5);
        return pixels < 1 ? 1 : pixels > kMaxPixels ? int(kMaxPixels) : int(pixels);
    };
    return {side(width), side(height)};
}

const std::vector<Preset>& Presets()
{
    static const std::vector<Preset> presets = {
        {L"Clipboard", 0, 0, UNIT_PIXELS, 72},
        {L"800 \u00D7 600", 800, 600, UNIT_PIXELS, 72},
        {L"1280 \u00D7 720", 1280, 720, UNIT_PIXELS, 72},
        {L"1600 \u00D7 900", 1600, 900, UNIT_PIXELS, 72},
        {L"1920 \u00D7 1080", 1920, 1080, UNIT_PIXELS, 72},
        {L"A4,Landscape", 11.69f, 8.27f, UNIT_INCHES, 200},
        {L"A4,Portrait", 8.27f, 11.69f, UNIT_INCHES, 200},
        {L"B5,Landscape", 10.12f, 7.17f, UNIT_INCHES, 200},
        {L"B5,Portrait", 7.17f, 10.12f, UNIT_INCHES, 200},
        {L"Photo,Landscape,2 \u00D7 3", 3, 2, UNIT_INCHES, 300},
        {L"Photo,Landscape,4 \u00D7 6", 6, 4, UNIT_INCHES, 300},
        {L"Photo,Landscape,5 \u00D7 7", 7, 5, UNIT_INCHES, 300},
        {L"Photo,Landscape,8 \u00D7 10", 10, 8, UNIT_INCHES, 300},
        {L"Photo,Portrait,2 \u00D7 3", 2, 3, UNIT_INCHES, 300},
        {L"Photo,Portrait,4 \u00D7 6", 4, 6, UNIT_INCHES, 300},
        {L"Photo,Portrait,5 \u00D7 7", 5, 7, UNIT_INCHES, 300},
        {L"Photo,Portrait,8 \u00D7 10", 8, 10, UNIT_INCHES, 300},
        {L"CD,Cover,Foreground", 4.72f, 4.72f, UNIT_INCHES, 200},
        {L"CD,Cover,Background", 5.43f, 4.65f, UNIT_INCHES, 200},
        {L"DVD,NTSC,720 \u00D7 480", 720, 480, UNIT_PIXELS, 72},
        {L"DVD,PAL/SECAM,720 \u00D7 576", 720, 576, UNIT_PIXELS, 72},
    };
    return presets;
}

int PreviewWidth(int previewHeight, int currentWidth, int frameWidth, int frameHeight)
{
    if (frameHeight <= 0 || frameWidth <= 0)
        return currentWidth;
    return int(int64_t(previewHeight) * frameWidth / frameHeight);
}

CString SnapshotPath(const wchar_t* folder, const SYSTEMTIME& t)
{
    wchar_t name[64];
    swprintf(name, 64, L"\\%04u-%02u-%02u_%02u_%02u_%02u.bmp", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond);
    CString path = folder ? folder : L"";
    path += name;
    return path;
}

size_t FrameStride(int width, int bitsPerPixel)
{
    return size_t((uint64_t(width) * bitsPerPixel + 31) / 32 * 4);
}

bool PackFrameRows(const BYTE* sample, size_t sampleSize, int width, int height, int bitsPerPixel,
                   std::vector<BYTE>& packed)
{
    if (!sample || width <= 0 || height <= 0 || bitsPerPixel < 8 || bitsPerPixel % 8)
        return false;
    const uint64_t stride = FrameStride(width, bitsPerPixel);
    const uint64_t row = uint64_t(width) * (bitsPerPixel / 8);
    // A short sample (a device that sent less than its format promises) is not copied.
    if (stride * uint64_t(height) > sampleSize)
        return false;
    packed.resize(size_t(row * height));
    for (int y = 0; y < height; ++y)
        std::memcpy(packed.data() + size_t(row * y), sample + size_t(stride * y), size_t(row));
    return true;
}

bool MetafileHeaderSize(const BYTE* header, size_t size, int& width, int& height)
{
    ENHMETAHEADER h;
    // The fixed part: up to and including szlMillimeters, 88 bytes; the rest is optional.
    const size_t fixedPart = offsetof(ENHMETAHEADER, cbPixelFormat);
    if (!header || size < fixedPart)
        return false;
    std::memset(&h, 0, sizeof h);
    std::memcpy(&h, header, size < sizeof h ? size : sizeof h);
    if (h.iType != EMR_HEADER || h.dSignature != ENHMETA_SIGNATURE)
        return false;
    width = int((double(h.rclBounds.right) - h.rclBounds.left) / 2.54);
    height = int((double(h.rclBounds.bottom) - h.rclBounds.top) / 2.54);
    return true;
}

} // namespace newpicture
