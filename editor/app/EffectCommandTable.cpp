#include "EffectCommandTable.h"
#include <iterator>

namespace {

typedef EffectCommandAction A;
typedef EditorDialog D;

const EffectCommand kEffectCommands[] = {
    // Adjust
    {33051, A::Dialog, D::EffectTwoOption, 7, 0, 0, true},      // Brightness / Contrast
    {33052, A::Nothing, D::EffectProcessing, 0, 0, 0, false},
    {33053, A::Dialog, D::EffectTwoOption, 8, 0, 0, true},      // Hue / Saturation
    {33054, A::Nothing, D::EffectProcessing, 0, 0, 0, false},
    // The processing dialogs keep their Ok button and wait for the user.
    {33055, A::Dialog, D::EffectProcessing, 1, 0, 0, true},     // Negative
    {33056, A::Dialog, D::EffectProcessing, 0, 0, 0, true},     // Gray Scale
    {33057, A::Nothing, D::EffectProcessing, 0, 0, 0, false},
    {33058, A::Dialog, D::EffectThreshold, 0, 0, 0, true},
    {33059, A::Dialog, D::EffectOneOption, 10, 100, 0, true},   // Gamma
    // Filters > Distort
    {33062, A::Dialog, D::EffectOneOption, 2, 3, 0, true},      // Illusion
    {33063, A::Dialog, D::EffectTwoOption, 0, 20, 0, true},     // Motion blur
    {33064, A::Dialog, D::EffectOneOption, 0, 10, 0, true},     // Radial blur
    {33065, A::Dialog, D::EffectOneOption, 1, 30, 0, true},     // Zoom blur
    {33066, A::Dialog, D::EffectTwoOption, 3, 30, 30, true},    // Ribbon
    {33067, A::Dialog, D::EffectOneOption, 9, 100, 0, true},    // Bulge
    {33068, A::Dialog, D::EffectTwoOption, 4, 20, 200, true},   // Twist
    {33069, A::Dialog, D::EffectTwoOption, 5, 6, 6, true},      // Wave
    {33070, A::Dialog, D::EffectTwoOption, 6, 38, 15, true},    // Ripple
    {33078, A::Dialog, D::EffectOneOption, 8, 10, 0, true},     // Shift
    // Filters > Light
    {33072, A::Dialog, D::EffectSupernova, 0, 0, 0, true},      // Sunshine
    {33073, A::Dialog, D::EffectLensFlare, 0, 0, 0, true},
    {33074, A::Dialog, D::EffectBlinds, 0, 0, 0, true},
    {33075, A::Dialog, D::EffectTwoOption, 2, 100, 20, true},   // Glass tile
    {33076, A::Dialog, D::EffectOneOption, 6, 10, 0, true},     // 3D frame
    {33077, A::Dialog, D::EffectTwoOption, 1, 10, 128, true},   // 3D grid
    // Filters > Other
    {33080, A::Dialog, D::EffectOneOption, 3, 10, 0, true},     // Mosaic
    {33081, A::Dialog, D::EffectOneOption, 4, 50, 0, true},     // Noisy
    {33082, A::Dialog, D::EffectOneOption, 7, 3, 0, true},      // Splash
    {33083, A::Edge, D::EffectProcessing, 0, 0, 0, true},
    {33084, A::Emboss, D::EffectProcessing, 0, 0, 0, true},
    // Image > Transparent color: the layer's kind is left as it is.
    {33087, A::Dialog, D::EffectTransparentColor, 0, 0, 0, false},
};

} // namespace

const long kEmbossKernel[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0};

const EffectCommand* FindEffectCommand(UINT id)
{
    for (const EffectCommand& c : kEffectCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

const EffectCommand* EffectCommands(size_t& count)
{
    count = std::size(kEffectCommands);
    return kEffectCommands;
}
