#include "NinePart.h"
#include <algorithm>

namespace skinui {
namespace {
// Splits a length into start, middle and end spans, shrinking the ends in proportion when
// they do not fit.
void Split(int length, int a, int b, int& outA, int& outB)
{
    a = std::max(0, a);
    b = std::max(0, b);
    if (a + b > length && a + b > 0) {
        outA = length * a / (a + b);
        outB = length - outA;
    } else {
        outA = a;
        outB = b;
    }
}
} // namespace

std::vector<NinePart> NineParts(const CRect& src, const CRect& corners, const CRect& sides, const CRect& dst)
{
    std::vector<NinePart> parts;
    // Source columns and rows: the corners bound the picture's parts.
    const int sx[4] = {src.left, src.left + corners.left, src.right - corners.right, src.right};
    const int sy[4] = {src.top, src.top + corners.top, src.bottom - corners.bottom, src.bottom};
    int l = 0, r = 0, t = 0, b = 0;
    Split(dst.Width(), std::max(corners.left, sides.left), std::max(corners.right, sides.right), l, r);
    Split(dst.Height(), std::max(corners.top, sides.top), std::max(corners.bottom, sides.bottom), t, b);
    const int dx[4] = {dst.left, dst.left + l, dst.right - r, dst.right};
    const int dy[4] = {dst.top, dst.top + t, dst.bottom - b, dst.bottom};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const CRect s(sx[col], sy[row], sx[col + 1], sy[row + 1]);
            const CRect d(dx[col], dy[row], dx[col + 1], dy[row + 1]);
            if (s.IsRectEmpty() || d.IsRectEmpty())
                continue;
            const NinePart::Kind kind = row == 1 && col == 1   ? NinePart::Interior
                                        : row == 1 || col == 1 ? NinePart::Side
                                                               : NinePart::Corner;
            parts.push_back({kind, s, d});
        }
    return parts;
}
} // namespace skinui
