// The renders of a layer's displayed picture from its source, and the resizes that re-render.
#include <cmath>
#include "EditorAppState.h"
#include "ImageLimits.h"
#include "LayerInfo.h"
#include "ZVGraphics.h"
#include "ZVMatrix.h"

namespace {

BYTE ClampAlpha(int32_t alpha)
{
    return static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
}

int ScreenDpiY()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The frame outline of a picture layer, top-down in the picture's rectangle.
void AddBorderFigure(CZVGraphicsPath& path, int32_t shape, int32_t cornerRadius, float w, float h)
{
    switch (shape) {
    case 0: path.AddRectangle(0, 0, w, h); break;
    case 1: path.AddRoundedRect(0, 0, w, h, static_cast<float>(cornerRadius)); break;
    case 2: path.AddEllipse(0, 0, w, h); break;
    case 3: path.AddTriangle(0, 0, w, h); break;
    case 4: path.AddRightTriangle(0, 0, w, h); break;
    case 5: path.AddDiamond(0, 0, w, h); break;
    case 6: path.AddPentagon(0, 0, w, h); break;
    case 7: path.AddHexagon(0, 0, w, h); break;
    case 8: path.AddBallonSW(0, 0, w, h); break;
    default:
        if (const ShapeLibraryEntry* entry = ShapeLibraryEntryFor(GetEditorAppState().shapeLibrary, shape))
            path.AddPathString(entry->path.c_str(), 0, 0, w, h);
    }
}

} // namespace

void CLayerInfo::Rotate(CZVImage& picture, bool fast) const
{
    if (angle == 0)
        return;
    const float degrees = LayerAngleToDegrees(angle);
    if (fast)
        picture.Rotate(degrees);
    else
        picture.Rotate2(degrees, nullptr, CxImage::IM_BILINEAR, CxImage::OM_TRANSPARENT, nullptr, true, false);
}

void CLayerInfo::RenderImage()
{
    // Stops a long operation still running on the old picture; the copy clears the flag. A
    // failed copy empties the picture, so that no stale render stays, and clears it here.
    displayed.SetEscape(1);
    if (!displayed.Copy(source)) {
        displayed.SetEscape(0);
        return;
    }
    if (brightness != 0 || contrast != 0)
        displayed.Light(brightness, contrast);
    if (saturation != 0)
        displayed.Saturate(saturation, saturationSpace);
    if (colorizeBlend != 0)
        displayed.Colorize(colorizeHue, 255, colorizeBlend);
    if (width >= 1 && height >= 1 &&
        (displayed.GetWidth() != static_cast<DWORD>(width) || displayed.GetHeight() != static_cast<DWORD>(height)))
        displayed.Zoom(width, height);
    if (borderOn) {
        const float w = static_cast<float>(displayed.GetWidth()), h = static_cast<float>(displayed.GetHeight());
        CZVGraphicsPath path;
        AddBorderFigure(path, borderShape, cornerRadius, w, h);
        // Drawing counts rows from the bottom of the picture.
        CZVMatrix upsideDown;
        upsideDown.Scale(1, -1);
        path.Transform(upsideDown);
        CZVMatrix down;
        down.Translate(0, h);
        path.Transform(down);
        CZVGraphics g(&displayed);
        CZVPen pen(ZVMakeARGB(ClampAlpha(alpha), RGB(borderColour.rgbRed, borderColour.rgbGreen, borderColour.rgbBlue)),
                   static_cast<float>(borderWidth));
        pen.m_nStyle = ZVPenInside;
        pen.m_nDashStyle = borderStyle;
        g.DrawPath(pen, path);
        g.ClearMask();
        g.CreateMask();
        g.FillPathMask(255, path);
    }
    if (!displayed.AlphaIsValid())
        displayed.AlphaCreate();
    displayed.AlphaSetMax(ClampAlpha(alpha));
    Rotate(displayed, false);
    ClearZoomedCopy();
}

void CLayerInfo::RenderImageFast()
{
    double zoomX = 1.0, zoomY = 1.0;
    const bool fromWorkingCopy = workingCopy.IsValid();
    if (!fromWorkingCopy) {
        // No zoom from a source of no width: nothing infinite reaches the library.
        if (!source.IsValid() || source.GetWidth() == 0 || source.GetHeight() == 0 || width < 1 || height < 1)
            return;
        zoomX = static_cast<double>(width) / source.GetWidth();
        zoomY = static_cast<double>(height) / source.GetHeight();
    }
    displayed.SetEscape(1);
    if (!displayed.Copy(fromWorkingCopy ? workingCopy : source)) {
        displayed.SetEscape(0);
        return;
    }
    if (!displayed.AlphaIsValid())
        displayed.AlphaCreate();
    displayed.RotaryZoom(LayerAngleToDegrees(angle), static_cast<float>(zoomX), static_cast<float>(zoomY));
}

// The text and shape renders: the drawn picture becomes the source, then turns.
void CLayerInfo::RenderDrawn(bool shapeDrawing, bool fast)
{
    if (flipHorizontal)
        displayed.Mirror(false, true);
    if (flipVertical)
        displayed.Flip(false, true);
    if (!displayed.AlphaIsValid())
        displayed.AlphaCreate();
    displayed.AlphaSetMax(ClampAlpha(alpha));
    // Shapes are drawn with rows counted upward.
    if (shapeDrawing)
        displayed.Flip(false, true);
    source.Copy(displayed);
    width = static_cast<int32_t>(displayed.GetWidth());
    height = static_cast<int32_t>(displayed.GetHeight());
    Rotate(displayed, fast);
    if (!fast)
        ClearZoomedCopy();
}

void CLayerInfo::RenderText()
{
    wordArt.DrawEffectText(&displayed);
    RenderDrawn(false, false);
}

void CLayerInfo::RenderTextFast()
{
    wordArt.DrawEffectText(&displayed);
    RenderDrawn(false, true);
}

void CLayerInfo::RenderShape()
{
    if (shape.DrawToImage(&displayed))
        RenderDrawn(true, false);
}

void CLayerInfo::RenderShapeFast()
{
    if (shape.DrawToImage(&displayed))
        RenderDrawn(true, true);
}

void CLayerInfo::ResizeWith(int newWidth, int newHeight, bool keep, bool fast, bool dropShadow)
{
    if (newWidth < 1 || newHeight < 1)
        return;
    if (IsRasterLayerKind(type)) {
        if (keep) {
            if (aspect == 0) {
                if (width < 1 || height < 1)
                    return;
                aspect = static_cast<float>(width) / static_cast<float>(height);
            }
            const double h = newWidth / static_cast<double>(aspect);
            if (!(h >= 1.0) || h > zvimage::kMaxSide || !zvimage::SizeAllowed(newWidth, static_cast<uint64_t>(h)))
                return;
            newHeight = static_cast<int>(h);
        } else {
            if (!zvimage::SizeAllowed(newWidth, newHeight))
                return;
            aspect = static_cast<float>(newWidth) / static_cast<float>(newHeight);
        }
        width = newWidth;
        height = newHeight;
        fast ? RenderImageFast() : RenderImage();
    } else if (type == LAYER_TEXT) {
        // The font follows the width; without a rendered text there is nothing to scale from.
        if (!source.IsValid() || source.GetWidth() == 0)
            return;
        width = newWidth;
        height = newHeight;
        LOGFONTW font = *wordArt.GetLogFont();
        const int dpi = ScreenDpiY();
        const int points = -MulDiv(font.lfHeight, 72, dpi);
        if (points > 0) {
            const int n = MulDiv(static_cast<int>(static_cast<double>(newWidth) / source.GetWidth() * points), dpi, 72);
            if (n != 0) {
                font.lfHeight = -n;
                wordArt.SetLogFont(&font);
            }
        }
        fast ? RenderTextFast() : RenderText();
    } else if (type == LAYER_SHAPE) {
        if (!zvimage::SizeAllowed(newWidth, newHeight))
            return;
        width = shape.width = newWidth;
        height = shape.height = newHeight;
        fast ? RenderShapeFast() : RenderShape();
    } else {
        return;
    }
    if (dropShadow)
        ClearShadowCache();
}

void CLayerInfo::Resize(int newWidth, int newHeight, int, bool keep)
{
    ResizeWith(newWidth, newHeight, keep, false, true);
}

void CLayerInfo::ResizeFast(int newWidth, int newHeight, int, bool keep)
{
    ResizeWith(newWidth, newHeight, keep, true, true);
}

void CLayerInfo::SetSize(int newWidth, int newHeight)
{
    if (newWidth < 1 || newHeight < 1)
        return;
    if (IsRasterLayerKind(type)) {
        if (!zvimage::SizeAllowed(newWidth, newHeight))
            return;
        width = newWidth;
        height = newHeight;
        aspect = static_cast<float>(newWidth) / static_cast<float>(newHeight);
        RenderImage();
        return;
    }
    // Text and shapes as a resize without kept aspect, but the shadow stays.
    ResizeWith(newWidth, newHeight, false, false, false);
}

void CLayerInfo::SetAngle(float radians)
{
    angle = radians;
    RenderImage();
    ClearShadowCache();
}

void CLayerInfo::SetAngleFast(float radians)
{
    angle = radians;
    RenderImageFast();
    ClearShadowCache();
}
