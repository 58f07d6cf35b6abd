#include "WatermarkOrigin.h"

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
