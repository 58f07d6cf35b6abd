#include "FrameRender.h"
#include "LayerInfo.h"

int FrameTypeFromMask(int mask)
{
    if (mask & FRAME_BIT_SURROUND)
        return FRAME_SURROUND;
    return (mask & FRAME_BIT_CORNERS) ? FRAME_CORNERS : FRAME_ZOOM;
}

FrameTypeControls FrameTypeControlsForMask(int mask)
{
    FrameTypeControls c = {{false, false, false}, -1, false};
    const int bits[3] = {FRAME_BIT_ZOOM, FRAME_BIT_CORNERS, FRAME_BIT_SURROUND};
    for (int type = 0; type < 3; ++type) {
        if (!(mask & bits[type]))
            continue;
        c.radio[type] = true;
        c.checked = type;
        // Only laid borders have a size to choose; a stretched frame covers the picture.
        if (type != FRAME_ZOOM)
            c.zoomRow = true;
    }
    return c;
}

int FirstRunZoom(int zoom, long pictureWidth, long frameWidth)
{
    if (pictureWidth <= 0 || frameWidth <= 0)
        return zoom;
    const double ratio = double(pictureWidth) / double(frameWidth);
    if (ratio >= 1.0)
        return zoom;
    // At least 1, the zoom's smallest value, for a frame hundreds of times wider than the picture.
    const int lowered = int(ratio * 100.0);
    return lowered < 1 ? 1 : lowered;
}

bool FramePicture(CZVImage& picture, const CxImage& frame, int zoom, int type, const FrameAdjustments& adjust)
{
    if (!picture.IsValid() || !frame.IsValid())
        return false;
    if ((adjust.brightness || adjust.contrast) && !picture.EffectBrightnessContrast(adjust.brightness, adjust.contrast))
        return false;
    if ((adjust.hue || adjust.saturation) && !picture.EffectHueSaturation(adjust.hue, adjust.saturation))
        return false;
    if (picture.GetEscape())
        return false;
    return picture.CombineFrame(frame, float(zoom) / 100.0f, type) && !picture.GetEscape();
}

bool FitFrameToSlot(const CZVImage& framed, long width, long height, float angle, CZVImage& fitted)
{
    if (!framed.IsValid() || width <= 0 || height <= 0 || !fitted.Copy(framed) || !fitted.Zoom(width, height))
        return false;
    if (angle == 0.0f)
        return true;
    if (!fitted.AlphaIsValid() && !fitted.AlphaCreate())
        return false;
    return fitted.Rotate2(LayerAngleToDegrees(angle), nullptr, CxImage::IM_BILINEAR, CxImage::OM_TRANSPARENT, nullptr,
                          true, false);
}
