#pragma once
// CLayerInfo: one layer of a layered picture (the background, a placed picture, a word-art text
// or a vector shape): its source picture, the displayed picture rendered from it, and the place,
// size, rotation, flips, opacity, shadow, border, adjustments and selection frame that the
// render applies. Held by value in CLayeredManage and copied whole into undo records.
#include <windows.h>
#include <cstdint>
#include "RotateTracker.h"
#include "ShapeSettings.h"
#include "StringW.h"
#include "WordArtInfo.h"
#include "ZVImage.h"

// Values of CLayerInfo::type.
enum LayerKind : int32_t {
    LAYER_BACKGROUND = 0,
    LAYER_IMAGE = 1,
    LAYER_TEXT = 2,
    LAYER_SHAPE = 3,
    LAYER_SLOT_PICTURE = 4,   // placed in a page or combine slot: never resized here
    LAYER_PAGE_OVERLAY = 5,
    LAYER_PAGE_MATERIAL = 6,
};

// The kinds rendered as pictures: background, image, page overlay and page material.
bool IsRasterLayerKind(int32_t type);

// The one conversion of a layer angle to the degrees the picture library takes, for every
// render, frame and file of the editor. Exact pi, so that a quarter turn is 90 degrees and takes
// the library's lossless right-angle path.
float LayerAngleToDegrees(float radians);

// A layer's word-art settings. Settings given from outside keep the layer's own name and text
// angle (CWordArtInfo's assignment); one layer assigned or moved to another takes them too.
struct LayerWordArt : CWordArtInfo {
    LayerWordArt() = default;
    LayerWordArt(const LayerWordArt&) = default;
    LayerWordArt& operator=(const LayerWordArt& other)
    {
        CWordArtInfo::operator=(other);
        m_strName = other.m_strName;
        m_nTextAngle = other.m_nTextAngle;
        return *this;
    }
    using CWordArtInfo::operator=;
};

class CLayerInfo {
public:
    CLayerInfo();
    CLayerInfo(const CLayerInfo& other);
    // Every field; a picture is copied when the source layer's is valid and emptied otherwise,
    // so that no stale shadow or source survives an assignment or an undo.
    CLayerInfo& operator=(const CLayerInfo& other);
    // Every field; the pictures change hands and the source's are left empty. The list grows,
    // inserts and sorts by these, so that no layer's pixels are copied on the way.
    CLayerInfo(CLayerInfo&& other) noexcept;
    CLayerInfo& operator=(CLayerInfo&& other) noexcept;
    virtual ~CLayerInfo();

    // Renders of the displayed picture from the source; the fast twins serve live drags.
    void RenderImage();
    void RenderImageFast();
    void RenderText();
    void RenderTextFast();
    void RenderShape();
    void RenderShapeFast();

    // The third argument is not used. Sizes below 1 are refused without any change.
    void Resize(int width, int height, int reference, bool keepAspect);
    void ResizeFast(int width, int height, int reference, bool keepAspect);
    void SetSize(int width, int height);
    void SetAngle(float radians);
    void SetAngleFast(float radians);
    void FlipVertical();
    void FlipHorizontal();
    void ResetSizeFromImage();
    void RestoreImage();
    void CommitImage();
    void ClearSourceImage();
    void ClearShadowCache();
    void ClearWorkingCopy();
    void ClearZoomedCopy();
    void ResetFrame();
    POINT GetFrameTopLeft() const;

    int32_t alpha = 255;   // 0..255, the displayed picture's maximum alpha
    int32_t type = LAYER_IMAGE;   // LayerKind
    int32_t id = 0;   // index in the list, from the bottom
    int32_t order = 0;   // kept equal to id by the list
    // Identifies the layer across renumbering (history records find it by this); unique within
    // a list, 0 until the list gives one. Copies carry it.
    uint32_t serial = 0;
    CStringW name;
    BYTE visible = 0;
    BYTE locked = 0;
    BYTE framed = 0;
    int32_t width = 0;   // before rotation, canvas pixels
    int32_t height = 0;
    float angle = 0;   // radians
    int32_t ownAlpha = 0;
    int32_t flipVertical = 0;
    int32_t flipHorizontal = 0;
    int32_t keepAspect = 0;
    float aspect = 0;   // width / height for kept-aspect resizing; 0: not yet taken
    CZVImage workingCopy;   // the source reduced to the canvas zoom during a drag
    CZVImage zoomedCopy;   // the displayed picture at the canvas zoom
    int32_t shadowOn = 0;
    int32_t shadowAngle = 315;
    int32_t shadowDistance = 30;
    int32_t shadowOffsetX = 15;
    int32_t shadowOffsetY = 15;
    RGBQUAD shadowColour = {0, 0, 0, 180};   // rgbReserved: the shadow's opacity
    CZVImage shadowCache;
    CZVImage zoomedShadowCache;
    int32_t borderOn = 0;
    int32_t borderShape = 0;   // 0..8 built-in figures, 9 on the shape library
    int32_t borderStyle = 0;
    RGBQUAD borderColour = {255, 255, 255, 255};   // the line's alpha is the layer's
    int32_t cornerRadius = 0;
    int32_t borderWidth = 0;
    int32_t brightness = 0;
    int32_t contrast = 0;
    int32_t saturation = 0;
    int32_t saturationSpace = 2;
    BYTE colorizeHue = 0;
    float colorizeBlend = 0;   // 0: off
    BYTE movable = 0;
    BYTE dragging = 0;
    POINT dragAnchor = {0, 0};
    ZVPOINTF location = {0, 0};   // top left of the unturned layer on the canvas
    ZVPOINTF drawOrigin = {0, 0};   // top left at which the turned displayed picture is drawn
    BYTE selectable = 0;
    BYTE picked = 0;
    LayerWordArt wordArt;
    ShapeSettings shape;
    CRotateTracker frame;   // view coordinates
    CZVImage displayed;
    CZVImage source;

private:
    void RenderDrawn(bool shapeDrawing, bool fast);
    void ResizeWith(int width, int height, bool keepAspect, bool fast, bool dropShadow);
    void Rotate(CZVImage& picture, bool fast) const;
};
