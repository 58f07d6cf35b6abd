// The Watermark command: a picture laid over the input at one of nine places, scaled and
// moved in hundredths of the input's diagonal, at the opacity of the "alpha" switch.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "BatchCommands.h"
#include "WatermarkOrigin.h"
#include "ZVImage.h"

bool WatermarkCommand(const wchar_t* input, const wchar_t* output, const wchar_t** args, int count, int)
{
    if (!HasArguments(count, 5))
        return false;
    CZVImage picture;
    if (!picture.LoadFile(input)) {
        printf("Error : Fail to load input file\n");
        return false;
    }
    if (RefusesFrames(picture))
        return false;
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
