#include "FrameCommandMath.h"
#include <cmath>
#include <iterator>

namespace {

const ZoomPreset kZoomPresets[] = {
    {33193, 2, 10},    {33194, 5, 25},    {33191, 10, 50},   {33195, 20, 100},
    {33196, 30, 150},  {33197, 40, 200},  {33198, 60, 300},  {33199, 80, 400},
    {33210, 120, 600}, {33211, 160, 800}, {33212, 240, 1200}, {33213, 320, 1600},
};

const double kPi = 3.14159265358979323846;

} // namespace

const ZoomPreset* FindZoomPreset(UINT id)
{
    for (const ZoomPreset& preset : kZoomPresets)
        if (preset.id == id)
            return &preset;
    return nullptr;
}

const ZoomPreset* ZoomPresetAt(size_t index)
{
    return index < std::size(kZoomPresets) ? &kZoomPresets[index] : nullptr;
}

size_t ZoomPresetCount()
{
    return std::size(kZoomPresets);
}

bool ZoomPresetChecked(float zoom, int percent)
{
    return zoom * 100.0f == static_cast<float>(percent);
}

float QuarterTurn(float angle, bool left)
{
    const double turned = static_cast<double>(angle) + (left ? -kPi / 2 : kPi / 2);
    // fmod keeps the sign: a left turn from 0 stays at -pi/2, a fourth turn lands on 0.
    double kept = std::fmod(turned, 2 * kPi);
    // What is left of a full turn after float rounding counts as none.
    if (std::fabs(kept) < 1e-6 || std::fabs(std::fabs(kept) - 2 * kPi) < 1e-6)
        kept = 0.0;
    return static_cast<float>(kept);
}

RECT FullScreenRect(const RECT& window)
{
    return RECT{window.left - 1, window.top - 1, window.right + 2, window.bottom + 2};
}

std::wstring UntitledTitle(const wchar_t* untitled, int number)
{
    return std::wstring(untitled ? untitled : L"") + L"-" + std::to_wstring(number);
}

std::wstring FolderOfPath(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return std::wstring();
    std::wstring folder = path.substr(0, slash);
    // "C:\" keeps its backslash: "C:" alone would mean the drive's current folder.
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    return folder;
}
