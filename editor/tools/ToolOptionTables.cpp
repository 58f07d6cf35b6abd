#include "ToolOptionTables.h"
#include <cmath>
#include <iterator>
#include "ToolOptionsIds.h"

namespace {

using D = ToolOptionDialog;

const ToolOptionRow kRows[] = {
    {0, D::Shape, 0},  {12, D::Crop, 0}, {14, D::Line, 0}, {15, D::Paint, kPaintBrush},
    {16, D::Paint, kPaintPen}, {19, D::Paint, kPaintEraser}, {30, D::Pen, kPenMosaic},
    {22, D::Pen, kPenRedEye}, {26, D::Pen, 2}, {27, D::Pen, 3}, {28, D::Pen, 4}, {29, D::Pen, 5},
    {31, D::Pen, 6}, {33, D::Pen, 7}, {17, D::Pen, kPenStamp},
};

const LayoutChain kPenChains[] = {
    {0, {IDC_PEN_SIZE_LABEL, IDC_OPTION_SIZE}},
    {0, {IDC_OPTION_SIZE, IDC_PEN_SIZE_SLIDER}},
    {0, {IDC_PEN_SIZE_SLIDER, IDC_PEN_MOSAIC_LABEL, IDC_OPTION_SECOND}},
    {0, {IDC_OPTION_SECOND, IDC_PEN_MOSAIC_SLIDER}},
};

const LayoutChain kPaintChains[] = {
    {10, {IDC_PAINT_GROUP, IDC_OPTION_PICKER, IDC_PAINT_OPACITY_LABEL, IDC_OPTION_SECOND, IDC_PAINT_OPACITY_SPIN}},
    {0, {IDC_OPTION_SECOND, IDC_PAINT_OPACITY_SPIN}},
    {10, {IDC_PAINT_OPACITY_SPIN, IDC_PEN_SIZE_LABEL, IDC_OPTION_SIZE, IDC_PAINT_SIZE_SPIN}},
    {0, {IDC_OPTION_SIZE, IDC_PAINT_SIZE_SPIN}},
    {10, {IDC_PAINT_SIZE_SPIN, IDC_PAINT_STEP_LABEL, IDC_PAINT_STEP, IDC_PAINT_STEP_SPIN}},
    {0, {IDC_PAINT_STEP, IDC_PAINT_STEP_SPIN, IDC_PAINT_AUTO_STEP, IDC_PAINT_TRANSPARENT}},
};

const LayoutChain kShapeChains[] = {
    {5, {IDC_OPTION_PICKER, IDC_SHAPE_BORDER_STYLE, IDC_OPTION_BORDER_LABEL, IDC_OPTION_SIZE}},
    {0, {IDC_OPTION_SIZE, IDC_OPTION_WIDTH_SPIN}},
    {5, {IDC_OPTION_WIDTH_SPIN, IDC_SHAPE_ROUND_LABEL, IDC_SHAPE_ROUND}},
    {0, {IDC_SHAPE_ROUND, IDC_SHAPE_ROUND_SPIN}},
    {5, {IDC_SHAPE_ROUND_SPIN, IDC_SHAPE_FILL, IDC_SHAPE_COLOR_LABEL, IDC_SHAPE_COLOR, IDC_OPTION_ALPHA_LABEL,
         IDC_OPTION_ALPHA}},
    {0, {IDC_OPTION_ALPHA, IDC_OPTION_ALPHA_SPIN}},
};

const LayoutChain kLineChains[] = {
    {10, {IDC_LINE_START, IDC_LINE_END, IDC_OPTION_BORDER_LABEL, IDC_OPTION_SIZE, IDC_OPTION_WIDTH_SPIN}},
    {0, {IDC_OPTION_SIZE, IDC_OPTION_WIDTH_SPIN}},
    {10, {IDC_OPTION_WIDTH_SPIN, IDC_OPTION_ALPHA_LABEL, IDC_OPTION_ALPHA}},
    {0, {IDC_OPTION_ALPHA, IDC_OPTION_ALPHA_SPIN}},
};

const LayoutChain kCropChains[] = {
    {10, {IDC_CROP_WIDTH_LABEL, IDC_OPTION_SIZE, IDC_CROP_HEIGHT_LABEL, IDC_CROP_HEIGHT, IDC_CROP_RATIO_LABEL,
          IDC_CROP_RATIO, IDOK, IDCANCEL}},
};

const CropRatio kRatios[] = {
    {L"Crop Freely", true, 0.0f}, {L"1:1", false, 1.0f},         {L"1:2", false, 2.0f},
    {L"2:3", false, 1.5f},        {L"2.5:3", false, 1.2f},       {L"3:2", false, 0.6666667f},
    {L"3:4", false, 1.3333334f},  {L"4:3", false, 0.75f},        {L"16:9", false, 0.5625f},
    {L"Assign Ratio", true, 0.0f},
};

const unsigned kBrushMode = 1u << kPaintBrush;
const unsigned kPenModes = (1u << kPaintPen) | (1u << kPaintEraser);

const StampGroup kGroups[] = {
    {kStampDefault, kBrushMode, L"Default", IDB_STAMP_DEFAULT, L"Default.png"},
    {kStampDefault, kPenModes, L"Default", IDB_STAMP_PEN, L"Pen.png"},
    {kStampNature, kBrushMode | kPenModes, L"Nature", IDB_STAMP_NATURE, L"Nature.png"},
    {kStampAnimals, kBrushMode | kPenModes, L"Animals", IDB_STAMP_ANIMALS, L"Animals.png"},
    {kStampTrack, kBrushMode | kPenModes, L"Track", IDB_STAMP_TRACK, L"Track.png"},
};

} // namespace

const ToolOptionRow* FindToolOptionRow(int code)
{
    for (const ToolOptionRow& row : kRows)
        if (row.code == code)
            return &row;
    return nullptr;
}

const ToolOptionRow* ToolOptionRows(int& count)
{
    count = static_cast<int>(std::size(kRows));
    return kRows;
}

const LayoutChain* LayoutChains(ToolOptionDialog dialog, int& count)
{
    switch (dialog) {
    case D::Pen: count = static_cast<int>(std::size(kPenChains)); return kPenChains;
    case D::Paint: count = static_cast<int>(std::size(kPaintChains)); return kPaintChains;
    case D::Shape: count = static_cast<int>(std::size(kShapeChains)); return kShapeChains;
    case D::Line: count = static_cast<int>(std::size(kLineChains)); return kLineChains;
    case D::Crop: count = static_cast<int>(std::size(kCropChains)); return kCropChains;
    case D::None: break;
    }
    count = 0;
    return nullptr;
}

int ScaledGap(int gap, int dpi)
{
    return ::MulDiv(gap, dpi > 0 ? dpi : 96, 96);
}

const CropRatio* CropRatios(int& count)
{
    count = static_cast<int>(std::size(kRatios));
    return kRatios;
}

bool AssignedAspect(unsigned width, unsigned height, float& aspect)
{
    if (width == 0)
        return false;
    aspect = static_cast<float>(height) / static_cast<float>(width);
    return true;
}

const StampGroup* FindStampGroup(int command, int mode)
{
    if (mode < 0 || mode > kPaintEraser)
        return nullptr;
    for (const StampGroup& group : kGroups)
        if (group.command == command && (group.modes & (1u << mode)))
            return &group;
    return nullptr;
}

const StampGroup* StampGroups(int& count)
{
    count = static_cast<int>(std::size(kGroups));
    return kGroups;
}

int PercentToByte(int percent)
{
    percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    return static_cast<int>(std::lround(percent * 255 / 100.0));
}

int ByteToPercent(int value)
{
    value = value < 0 ? 0 : value > 255 ? 255 : value;
    return static_cast<int>(std::lround(value * 100 / 255.0));
}

bool DefaultStampSize(int mode, int group, int index, int& size)
{
    static const int kSizes[4] = {3, 10, 30, 50};
    if ((mode != kPaintPen && mode != kPaintEraser) || group != kStampDefault || index < 0 || index > 7)
        return false;
    size = kSizes[index % 4];
    return true;
}

bool ResizeCropFrame(RECT& frame, unsigned width, unsigned height, float zoom)
{
    if (frame.left == frame.right && frame.top == frame.bottom)
        return false;
    frame.right = static_cast<LONG>(static_cast<float>(frame.left) + static_cast<float>(width) * zoom);
    frame.bottom = static_cast<LONG>(static_cast<float>(frame.top) + static_cast<float>(height) * zoom);
    return true;
}
