#pragma once
// The watermark dialog without its windows: where the mark sits on the preview, which position
// and offsets a dragged rectangle stands for, the opacity as KQBatch applies it, the argument
// text handed to KQBatch and the stored settings ("Batch" section).
#include <windows.h>
#include <string>

class ProfileStore;

const int kWatermarkPositionCount = 9; // 0 bottom right ... 8 top left, three to a row

// Position and offsets as KQBatch takes them: offsets in hundredths of the picture's diagonal.
struct WatermarkPlace {
    int position = 0;
    float offsetX = 0;
    float offsetY = 0;
};

// A hundredth of the diagonal of a width x height area, in pixels.
double WatermarkUnit(long width, long height);
// The size the mark is shown at on a preview of client size: with zoom it fits a square of
// zoomScale units (as KQBatch resamples it); without, it keeps its size relative to the sample.
SIZE WatermarkShownSize(SIZE source, SIZE sample, SIZE client, bool useZoom, int zoomScale);
// The mark's rectangle of size mark on the client area, from the client origin.
RECT LayoutWatermark(const WatermarkPlace& place, SIZE client, SIZE mark);
// The place of a mark whose rectangle is rect: the position of the third of the client area
// its top left corner lies in, the offsets measured from that position's anchor.
WatermarkPlace UpdateOffsetsFromRect(const RECT& rect, SIZE client);

// The alpha cap of an opacity in percent, rounded as KQBatch rounds it (100 % is 255).
BYTE WatermarkAlpha(int opacity);
// value with two decimals and a '.', whatever the user's locale.
std::wstring FormatTwoDecimals(double value);
// "\"PATH\" DX DY POSITION ZOOM", then " /alpha=N" below 100 %; ZOOM is 0 with zoom off.
std::wstring WatermarkArguments(const std::wstring& path, const WatermarkPlace& place, bool useZoom, int zoomScale,
                                int opacity);

struct WatermarkSettings {
    std::wstring path;
    WatermarkPlace place;
    int opacity = 80;   // percent, 1..100
    int zoomScale = 10; // hundredths of the diagonal, 1..100
    bool useZoom = true;

    // Reads clamp: position 0..8, opacity and zoom 1..100.
    void Load(ProfileStore& profile);
    void Save(ProfileStore& profile) const;
};
