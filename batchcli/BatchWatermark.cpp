// The Watermark command: a picture laid over the input at one of nine places, scaled and
// moved in hundredths of the input's diagonal, at the opacity of the "alpha" switch.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "BatchCommands.h"
#include "ZVImage.h"

namespace {

// Half of a signed difference, rounded down.
long HalfDown(long difference)
{
    return difference >= 0 ? difference / 2 : -((-difference + 1) / 2);
}

} // namespace

POINT WatermarkOrigin(int position, long pictureWidth, long pictureHeight, long width, long height, float dx, float dy)
{
    // Positions run from the bottom right (0) to the top left (8), three to a row.
    const long column = position % 3, row = position / 3;
    const long left[3] = {pictureWidth - width, HalfDown(pictureWidth - width), 0};
    const long top[3] = {pictureHeight - height, HalfDown(pictureHeight - height), 0};
    POINT origin;
    origin.x = long(float(left[column]) + dx);
    origin.y = long(float(top[row]) + dy);
    return origin;
}

bool WatermarkCommand(const wchar_t* input, const wchar_t* output, const wchar_t** args, int count, int)
{
    if (!HasArguments(count, 5))
        return false;
    CZVImage picture;
    if (!picture.LoadFile(input)) {
        printf("Error : Fail to load input file\n");
        return false;
    }
    CZVImage mark;
    if (!mark.LoadFile(args[0])) {
        printf("Error : Fail to load Watermark file\n");
        return false;
    }
    const float offsetX = float(_wtof(args[1]));
    const float offsetY = float(_wtof(args[2]));
    const int position = _wtoi(args[3]);
    const int size = _wtoi(args[4]);
    if (position < 0 || position > 8) {
        printf("Error : incorrect Pos\n");
        return false;
    }

    const long width = long(picture.GetWidth()), height = long(picture.GetHeight());
    const float unit = std::sqrt(float(double(width) * width + double(height) * height)) / 100.0f;
    if (mark.IsValid()) {
        if (!mark.AlphaCreate())
            return OperationFailed(L"Watermark");
        // An opacity outside 0 to 100 would wrap round in the byte of the alpha cap.
        const int opacity = std::clamp(g_watermarkAlpha, 0, 100);
        if (opacity < 100 && !mark.AlphaSetMax(BYTE((opacity * 255 + 50) / 100)))
            return OperationFailed(L"Watermark");
        if (size >= 1 && size <= 100) {
            const long box = long(float(size) * unit);
            if (box >= 1 && !mark.ResampleInFrame(box, box, false))
                return OperationFailed(L"Watermark");
        }
    }
    const POINT origin = WatermarkOrigin(position, width, height, long(mark.GetWidth()), long(mark.GetHeight()),
                                         unit * offsetX, unit * offsetY);
    // A watermark moved wholly off the picture leaves it as it is.
    if (Overlaps(picture, mark, origin.x, origin.y) && !picture.CombineImage(mark, origin.x, origin.y))
        return OperationFailed(L"Watermark");
    return SaveAndComplete(picture, output, ImageTypeFromExtension(output));
}
