#include "CanvasDialogRules.h"
#include <algorithm>
#include <cmath>
#include "CanvasDialogsIds.h"

namespace {

const double kPiRadians = 3.14159265358979323846;

struct GridPreset {
    int word;          // 0 "Square", 1 "Divide"
    const wchar_t* suffix;
    int value;         // the side, or the number of cells a side
};

const GridPreset kGridPresets[kGridPresetCount] = {
    {0, L" 50", 50},   {0, L" 100", 100}, {0, L" 150", 150}, {0, L" 200", 200}, {0, L" 16", 16},
    {0, L" 24", 24},   {0, L" 32", 32},   {0, L" 64", 64},   {0, L" 128", 128}, {0, L" 256", 256},
    {1, L" 9", 3},     {1, L" 16", 4},    {1, L" 25", 5},    {1, L" 64", 8},    {1, L" 81", 9},
    {1, L" 100", 10},
};

struct ExportType {
    const wchar_t* prefix;
    const wchar_t* pattern;
    const wchar_t* extension;
    int format;
};

const ExportType kExportTypes[kExportTypeCount] = {
    {L"PNG ", L"(*.png)|*.png||", L"png", 4},     {L"JPG ", L"(*.jpg)|*.jpg||", L"jpg", 3},
    {L"GIF ", L"(*.gif)|*.gif||", L"gif", 2},     {L"BMP ", L"(*.bmp)|*.bmp||", L"bmp", 1},
    {L"ICO ", L"(*.ico)|*.ico||", L"ico", 5},     {L"TGA ", L"(*.tga)|*.tga||", L"tga", 7},
    {L"WEBP ", L"(*.webp)|*.webp||", L"webp", 21},
};

// Halves truncate toward zero, so a shrinking canvas loses its odd pixel on the right and bottom.
int AnchorLead(int position, int delta)
{
    return position == 0 ? 0 : position == 1 ? delta / 2 : delta;
}

} // namespace

CanvasMargins AnchorMargins(int anchor, int newWidth, int newHeight, int width, int height)
{
    if (anchor < 0 || anchor > 8)
        anchor = 0;
    const int dw = newWidth - width, dh = newHeight - height;
    CanvasMargins m;
    m.left = AnchorLead(anchor % 3, dw);
    m.top = AnchorLead(anchor / 3, dh);
    m.right = dw - m.left;
    m.bottom = dh - m.top;
    return m;
}

const std::vector<int>& ExpandSizeControls()
{
    static const std::vector<int> ids = [] {
        std::vector<int> v = {IDC_EXPAND_WIDTH_LABEL, IDC_EXPAND_HEIGHT_LABEL, IDC_EXPAND_WIDTH, IDC_EXPAND_HEIGHT,
                              IDC_EXPAND_WIDTH_SPIN,  IDC_EXPAND_HEIGHT_SPIN,  IDC_EXPAND_KEEP_RATIO,
                              IDC_EXPAND_LOCATION_LABEL};
        for (int id = IDC_EXPAND_ANCHOR_FIRST; id <= IDC_EXPAND_ANCHOR_LAST; ++id)
            v.push_back(id);
        return v;
    }();
    return ids;
}

const std::vector<int>& ExpandMarginControls()
{
    static const std::vector<int> ids = {
        IDC_EXPAND_LEFT_LABEL, IDC_EXPAND_LEFT, IDC_EXPAND_LEFT_SPIN, IDC_EXPAND_RIGHT_LABEL, IDC_EXPAND_RIGHT,
        IDC_EXPAND_RIGHT_SPIN, IDC_EXPAND_TOP_LABEL, IDC_EXPAND_TOP, IDC_EXPAND_TOP_SPIN, IDC_EXPAND_BOTTOM_LABEL,
        IDC_EXPAND_BOTTOM, IDC_EXPAND_BOTTOM_SPIN};
    return ids;
}

int AnchorAfterKey(int anchor, UINT key)
{
    const int column = anchor % 3, row = anchor / 3;
    switch (key) {
    case VK_LEFT:
        return column > 0 ? anchor - 1 : anchor;
    case VK_RIGHT:
        return column < 2 ? anchor + 1 : anchor;
    case VK_UP:
        return row > 0 ? anchor - 3 : anchor;
    case VK_DOWN:
        return row < 2 ? anchor + 3 : anchor;
    default:
        return anchor;
    }
}

const wchar_t* GridPresetWord(int index)
{
    if (index < 0 || index >= kGridPresetCount)
        return L"";
    return kGridPresets[index].word ? L"Divide" : L"Square";
}

const wchar_t* GridPresetSuffix(int index)
{
    return index >= 0 && index < kGridPresetCount ? kGridPresets[index].suffix : L"";
}

bool GridPresetCell(int index, int canvasWidth, int canvasHeight, GridCell& cell)
{
    if (index < 0 || index >= kGridPresetCount)
        return false;
    const GridPreset& preset = kGridPresets[index];
    if (!preset.word) {
        cell = {preset.value, preset.value, 0.0f, 0.0f};
        return true;
    }
    // The grid drawing steps by the cell: a canvas smaller than its divisor still gets cells of
    // one pixel, never of none.
    const int n = preset.value;
    cell.width = std::max(1, canvasWidth / n);
    cell.height = std::max(1, canvasHeight / n);
    cell.exactWidth = std::max(1.0f, static_cast<float>(canvasWidth) / n);
    cell.exactHeight = std::max(1.0f, static_cast<float>(canvasHeight) / n);
    return true;
}

int ExportTypeToImageFormat(int type)
{
    return type >= 0 && type < kExportTypeCount ? kExportTypes[type].format : 0;
}

CString ExportFilter(int type, const wchar_t* filesWord)
{
    if (type < 0 || type >= kExportTypeCount)
        return CString();
    CString filter(kExportTypes[type].prefix);
    filter += filesWord;
    filter += kExportTypes[type].pattern;
    return filter;
}

const wchar_t* ExportExtension(int type)
{
    return type >= 0 && type < kExportTypeCount ? kExportTypes[type].extension : L"";
}

float CanvasLocation(float origin, float zoom, int value)
{
    return origin + zoom * static_cast<float>(value);
}

int AngleToDegrees(float radians)
{
    double degrees = std::fmod(radians * 180.0 / kPiRadians, 360.0);
    if (degrees < 0)
        degrees += 360.0;
    return static_cast<int>(std::lround(degrees)) % 360;
}

float DegreesToRadians(int degrees)
{
    return static_cast<float>(degrees * kPiRadians / 180.0);
}
