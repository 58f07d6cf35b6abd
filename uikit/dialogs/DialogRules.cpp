#include "DialogRules.h"
#include "BaseUtil.h"

namespace resizeunits {

double PixelsPerUnit(int unit, double resolution, int resolutionUnit)
{
    if (unit == UNIT_PIXELS)
        return 1.0;
    if (!(resolution > 0))
        return 0.0;
    const bool perCm = resolutionUnit == RES_PER_CM;
    if (unit == UNIT_CM)
        return perCm ? resolution : resolution / kCmPerInch;
    return perCm ? resolution * kCmPerInch : resolution;
}

double Convert(double value, int fromUnit, int toUnit, double resolution, int resolutionUnit)
{
    if (fromUnit == toUnit)
        return value;
    const double from = PixelsPerUnit(fromUnit, resolution, resolutionUnit);
    const double to = PixelsPerUnit(toUnit, resolution, resolutionUnit);
    if (from <= 0 || to <= 0)
        return value;
    // Between the two lengths the factor is exactly kCmPerInch, whatever the resolution.
    if (fromUnit == UNIT_INCHES && toUnit == UNIT_CM)
        return value * kCmPerInch;
    if (fromUnit == UNIT_CM && toUnit == UNIT_INCHES)
        return value / kCmPerInch;
    return value * from / to;
}

double ConvertResolution(double resolution, int fromUnit, int toUnit)
{
    if (fromUnit == toUnit)
        return resolution;
    return toUnit == RES_PER_INCH ? resolution * kCmPerInch : resolution / kCmPerInch;
}

PixelSize ToPixels(double width, double height, int unit, double resolution, int resolutionUnit)
{
    const double perInch = resolutionUnit == RES_PER_CM ? resolution * kCmPerInch : resolution;
    const double factor = unit == UNIT_PIXELS ? 1.0 : PixelsPerUnit(unit, resolution, resolutionUnit);
    return {int(width * factor), int(height * factor), int(perInch)};
}

} // namespace resizeunits

int ProgressPercent(int pos, int min, int max)
{
    if (max <= min)
        return 0;
    return int((int64_t(pos) - min) * 100 / (int64_t(max) - min));
}

namespace printlayout {

const std::vector<PhotoSize>& PhotoSizes()
{
    static const std::vector<PhotoSize> sizes = {
        {L"Automatic", nullptr, UNIT_CM, 0, 0, 1},
        {nullptr, L"2.5 \u00D7 3 ", UNIT_CM, 2.5, 3, 72},
        {nullptr, L"3 \u00D7 4 ", UNIT_CM, 3, 4, 42},
        {nullptr, L"3.5 \u00D7 4.5 ", UNIT_CM, 3.5, 4.5, 36},
        {nullptr, L"4 \u00D7 5 ", UNIT_CM, 4, 5, 25},
        {nullptr, L"5 \u00D7 5 ", UNIT_CM, 5, 5, 20},
        {nullptr, L"5 \u00D7 7 ", UNIT_CM, 5, 7, 12},
        {L"Wallet", L" 5.6 \u00D7 8.6 ", UNIT_CM, 5.6, 8.6, 9},
        {L"Pocket", L" s 5.2 \u00D7 7 ", UNIT_CM, 5.2, 7, 12},
        {L"Pocket", L" m 5.2 \u00D7 7.6 ", UNIT_CM, 5.2, 7.6, 12},
        {L"Pocket", L" b 6 \u00D7 9 ", UNIT_CM, 6, 9, 9},
        {nullptr, L"3 \u00D7 4 ", UNIT_INCHES, 3, 4, 4},
        {nullptr, L"3 \u00D7 5 ", UNIT_INCHES, 3, 5, 4},
        {nullptr, L"4 \u00D7 6 ", UNIT_INCHES, 4, 6, 2},
        {nullptr, L"5 \u00D7 7 ", UNIT_INCHES, 5, 7, 1},
        {nullptr, L"8 \u00D7 10 ", UNIT_INCHES, 8, 10, 1},
        {nullptr, L"D3 9.5 \u00D7 12.7 ", UNIT_CM, 9.5, 12.7, 4},
        {nullptr, L"D4 10.2 \u00D7 13.6 ", UNIT_CM, 10.2, 13.6, 4},
    };
    return sizes;
}

double MaxThickness(double paperWidth, double paperHeight, double width, double height)
{
    const double across = RoundDecimal(2, paperWidth - width), down = RoundDecimal(2, paperHeight - height);
    const double most = across < down ? across : down;
    return most < 0.1 ? 0.1 : most;
}

Layout LayOutPhotos(SIZE page, SIZE cell, int gap, int count, bool center, POINT offset)
{
    Layout layout;
    if (cell.cx <= 0 || cell.cy <= 0 || count <= 0)
        return layout;
    if (gap < 0)
        gap = 0;
    const int px = cell.cx + gap, py = cell.cy + gap;
    layout.columns = (page.cx + gap) / px;
    if (layout.columns <= 0)
        layout.columns = 1;
    const int c = layout.columns;
    const int r = layout.rows = count / c;
    const int k = layout.rest = count % c;
    const int rf = layout.rowsThatFit = (page.cy + gap) / py;
    POINT& o = layout.origin;
    if (!center) {
        o = offset;
    } else if (r > 0) {
        o.x = (page.cx + gap - px * c) / 2;
        if (r < rf)
            o.y = (page.cy + gap - py * (k > 0 ? r + 1 : r)) / 2;
        else
            o.y = rf > 0 ? (page.cy + gap - py * rf) / 2 : 0;
    } else {
        o.x = (page.cx + gap - px * k) / 2;
        o.y = (page.cy - cell.cy) / 2;
    }
    if (o.x < 0)
        o.x = 0;
    if (o.y < 0)
        o.y = 0;
    layout.photos.reserve(size_t(count));
    auto place = [&](int x, int y) { layout.photos.push_back(RECT{x, y, x + cell.cx, y + cell.cy}); };
    for (int i = 0; i < c; ++i)
        for (int j = 0; j < r; ++j)
            place(o.x + i * px, o.y + j * py);
    for (int i = 0; i < k; ++i)
        place(o.x + i * px, o.y + r * py);
    return layout;
}

int MaxCount(SIZE page, SIZE cell, int gap)
{
    if (cell.cx <= 0 || cell.cy <= 0)
        return 1;
    if (gap < 0)
        gap = 0;
    int columns = (page.cx + gap) / (cell.cx + gap), rows = (page.cy + gap) / (cell.cy + gap);
    if (columns <= 0)
        columns = 1;
    const int most = rows * columns;
    return most < 1 ? 1 : most;
}

} // namespace printlayout
