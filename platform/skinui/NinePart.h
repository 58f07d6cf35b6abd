#pragma once
// The nine parts of a frame picture and where each goes in a target rectangle: corners keep
// their size, sides stretch along their length, the interior both ways. Corners larger than the
// target are shrunk to share it.
#include <vector>
#include "AppFrame.h"
#include "SkinUIDef.h"

namespace skinui {
struct NinePart {
    enum Kind { Corner, Side, Interior } kind;
    CRect src, dst;
};
// src: the picture's rectangle; corners and sides: widths left, top, right, bottom. Parts that
// would be empty are left out.
SKINUI_API std::vector<NinePart> NineParts(const CRect& src, const CRect& corners, const CRect& sides, const CRect& dst);
} // namespace skinui
