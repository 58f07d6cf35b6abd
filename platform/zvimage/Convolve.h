#pragma once
// Effects whose new pixel is made from the source pixels around it (convolution kernels, edge
// detection), run in place on a 24-bit picture's colours row by row. Internal to the library.
#include <cstdint>
#include "EffectSupport.h"

namespace zvimage {

// Makes one new row. src[j] is the source row y + half - j (the kernel's rows from the top;
// picture rows count from the bottom), with the picture's first and last rows repeated beyond
// its edges; the result is width * 3 bytes of blue, green, red.
class RowMaker {
public:
    virtual void Make(BYTE* out, const BYTE* const* src, long width, unsigned slot) = 0;

protected:
    ~RowMaker() = default;
};

// Replaces the colours of every row (inside the selection, mixed by its level; the alpha plane
// is left alone) by maker's rows, made from the source rows within half of it. Rows are spread
// over the run's threads; each keeps the few source rows it still needs once overwritten, so no
// copy of the picture is made.
bool ReplaceRows(CxImage& image, EffectRun& run, long half, RowMaker& maker);

struct KernelTap {
    int row;      // index into the source rows
    int dx;       // columns from the pixel
    int32_t weight;
};

// sum / divisor + offset of the taps per channel, clamped to 0..255; columns beyond the row's
// ends repeat its first and last pixels. scratch holds width * 3 values.
void ConvolveRow(BYTE* out, const BYTE* const* src, long width, const KernelTap* taps, int count, long divisor,
                 long offset, int32_t* scratch);

// The Sobel gradients' cheap length (the larger plus half the smaller) times strength / 8, from
// the rows above, at and below the pixel's (src[0], src[1], src[2]).
void SobelRow(BYTE* out, const BYTE* const* src, long width, long strength);

} // namespace zvimage
