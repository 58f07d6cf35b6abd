#include "LayerInfo.h"
#include <algorithm>

bool IsRasterLayerKind(int32_t type)
{
    return type == LAYER_BACKGROUND || type == LAYER_IMAGE || type == LAYER_PAGE_OVERLAY || type == LAYER_PAGE_MATERIAL;
}

float LayerAngleToDegrees(float radians)
{
    return static_cast<float>(radians * 180.0 / 3.14159265358979323846);
}

CLayerInfo::CLayerInfo() = default;

CLayerInfo::CLayerInfo(const CLayerInfo& other) = default;

// Member by member: a picture's own assignment empties the target when the source is empty.
CLayerInfo& CLayerInfo::operator=(const CLayerInfo& other) = default;

// The word-art settings have no move of their own and are copied: a few hundred bytes.
CLayerInfo::CLayerInfo(CLayerInfo&& other) noexcept = default;

CLayerInfo& CLayerInfo::operator=(CLayerInfo&& other) noexcept = default;

CLayerInfo::~CLayerInfo() = default;

void CLayerInfo::FlipVertical()
{
    flipVertical = !flipVertical;
    displayed.Copy(source);
    displayed.Flip(false, true);
    source.Copy(displayed);
    RenderImage();
    ClearShadowCache();
}

void CLayerInfo::FlipHorizontal()
{
    flipHorizontal = !flipHorizontal;
    displayed.Copy(source);
    displayed.Mirror(false, true);
    source.Copy(displayed);
    RenderImage();
    ClearShadowCache();
}

void CLayerInfo::ResetSizeFromImage()
{
    width = static_cast<int32_t>(displayed.GetWidth());
    height = static_cast<int32_t>(displayed.GetHeight());
    angle = 0;
}

void CLayerInfo::RestoreImage()
{
    displayed.Copy(source);
    width = static_cast<int32_t>(displayed.GetWidth());
    height = static_cast<int32_t>(displayed.GetHeight());
}

void CLayerInfo::CommitImage()
{
    source.Copy(displayed);
}

void CLayerInfo::ClearSourceImage()
{
    if (source.IsValid())
        source.Destroy();
}

void CLayerInfo::ClearShadowCache()
{
    if (shadowCache.IsValid())
        shadowCache.Destroy();
}

void CLayerInfo::ClearWorkingCopy()
{
    if (workingCopy.IsValid())
        workingCopy.Destroy();
}

void CLayerInfo::ClearZoomedCopy()
{
    if (zoomedCopy.IsValid())
        zoomedCopy.Destroy();
}

void CLayerInfo::ResetFrame()
{
    // The layer's rectangle from (0, -7) to (width, height) with the rotate handle above it,
    // shifted so that the handle squares of the top row stay inside the view.
    const int h = frame.handleSize, g = frame.rotateGap;
    const int half = h / 2;
    const POINT corners[5] = {
        {half, g + 5},
        {width + half, g + 5},
        {width + half, height + g + half},
        {half, height + g + half},
        {width / 2 + half, half},
    };
    frame.SetPoints(corners);
    frame.Rotate(angle);
    frame.UpdateHandleRects();
}

POINT CLayerInfo::GetFrameTopLeft() const
{
    POINT p = frame.points[0];
    for (int i = 1; i < 4; ++i) {
        p.x = std::min(p.x, frame.points[i].x);
        p.y = std::min(p.y, frame.points[i].y);
    }
    return p;
}
