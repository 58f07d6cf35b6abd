// The picture edit view's selection: the outline as a pixel selection of the current layer, the
// tracker kept in step with the outline, select all, and the crop to the tracker.
#include <algorithm>
#include "DlgShadowOption.h"
#include "PicEditView.h"

BOOL CPicEditView::ApplySelection()
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || doc.pathPoints.size() < 4)
        return TRUE;
    switch (tool) {
    case 4: case 5: case 6: case 8: case 9: case 10: case 11: case 12:
        break;
    default:
        ClearSelection();
        return TRUE;
    }
    if (tool == 5)
        doc.pathPoints.push_back(doc.pathPoints.front());
    newSelection = 0;
    if (m_hWnd)
        SetTimer(kAntsTimer, kAntsPeriod, nullptr);

    const POINT frameTopLeft = layer->GetFrameTopLeft();
    const int width = static_cast<int>(layer->displayed.GetWidth());
    const int height = static_cast<int>(layer->displayed.GetHeight());
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
    const int sx = SX(), sy = SY();
    std::vector<POINT> pixels;
    pixels.reserve(doc.pathPoints.size());
    size_t left = 0, right = 0, below = 0, above = 0;
    for (const ZVPOINTF& p : doc.pathPoints) {
        int x = static_cast<int>((p.x - frameTopLeft.x - sx) / zoom);
        int y = static_cast<int>(height - (p.y - frameTopLeft.y - sy) / zoom);
        if (x < 0) { x = 0; ++left; }
        if (x > width - 1) { x = width - 1; ++right; }
        if (y < 0) { y = 0; ++below; }
        if (y > height - 1) { y = height - 1; ++above; }
        pixels.push_back(POINT{x, y});
    }
    layer->displayed.SelectionClear();
    layer->source.SelectionClear();
    const size_t n = pixels.size();
    if (left == n || right == n || below == n || above == n)
        return FALSE;
    if (n == 5 && pixels[1].x == pixels[0].x && pixels[1].y == pixels[0].y && pixels[3].x == pixels[2].x &&
        pixels[3].y == pixels[2].y)
        return FALSE;
    auto addTo = [&](CZVImage& picture) {
        if (!picture.IsValid())
            return;
        if (tool == 4 || tool == 11)
            picture.SelectionAddRectZV(pixels[0], pixels[2], 255);
        else
            picture.SelectionAddPolygonZV(pixels.data(), static_cast<long>(n), 255);
    };
    addTo(layer->displayed);
    addTo(layer->source);
    return TRUE;
}

void CPicEditView::ClearSelection()
{
    if (m_hWnd)
        KillTimer(kAntsTimer);
    antsPhase = 0;
    doc.pathPoints.clear();
    if (CLayerInfo* layer = doc.layers.GetCurrentLayer()) {
        layer->source.SelectionDelete();
        layer->displayed.SelectionDelete();
    }
}

void CPicEditView::SelectAll()
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer)
        return;
    const POINT topLeft = layer->GetFrameTopLeft();
    dragStart = topLeft;
    const float l = static_cast<float>(topLeft.x), t = static_cast<float>(topLeft.y);
    const float r = static_cast<float>(static_cast<int>(l + layer->width * doc.zoom));
    const float b = t + layer->height * doc.zoom;
    doc.pathPoints = {ZVPOINTF{l, t}, ZVPOINTF{r, t}, ZVPOINTF{r, b}, ZVPOINTF{l, b}, ZVPOINTF{l, t}};
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    OnAfterPaint();
    if (selectionTracker.m_rect.IsRectEmpty())
        ResetTrackerToOutline();
    ApplySelection();
    RequestRedraw();
}

void CPicEditView::CancelPolygon()
{
    if (doc.pathPoints.empty())
        return;
    polygonClosed = 1;
    doc.pathPoints.clear();
    ResetTrackerToOutline();
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    OnAfterPaint();
}

void CPicEditView::FitOutlineToTracker()
{
    if (doc.pathPoints.empty())
        return;
    const CRect& t = selectionTracker.m_rect;
    const PathBounds b = doc.GetPathBounds();
    // A flat outline (a line) keeps its extent along the flat side.
    const float scaleX = b.width > 0.0f ? t.Width() / b.width : 1.0f;
    const float scaleY = b.height > 0.0f ? t.Height() / b.height : 1.0f;
    for (ZVPOINTF& p : doc.pathPoints) {
        p.x = static_cast<float>(static_cast<int>(p.x * scaleX));
        p.y = static_cast<float>(static_cast<int>(p.y * scaleY));
    }
    const PathBounds b2 = doc.GetPathBounds();
    const int sx = SX(), sy = SY();
    const int dx = static_cast<int>(sx + t.left - b2.x);
    const int dy = static_cast<int>(sy + t.top - b2.y);
    for (ZVPOINTF& p : doc.pathPoints) {
        p.x += dx;
        p.y += dy;
    }
    trackerAnchor = POINT{t.left + sx, t.top + sy};
}

void CPicEditView::ResetTrackerToOutline()
{
    const PathBounds b = doc.GetPathBounds();
    const int sx = SX(), sy = SY();
    selectionTracker.m_rect.SetRect(static_cast<int>(b.x) - sx, static_cast<int>(b.y) - sy,
                                    static_cast<int>(b.x + b.width) - sx, static_cast<int>(b.y + b.height) - sy);
    selectionTracker.m_bMask = FALSE;
    trackerAnchor = POINT{selectionTracker.m_rect.left + sx, selectionTracker.m_rect.top + sy};
}

void CPicEditView::TrackerToCanvasRect()
{
    const int sx = SX(), sy = SY();
    const CRect& t = selectionTracker.m_rect;
    trackerAnchor = POINT{t.left + sx, t.top + sy};
    selectionTracker.m_rectF = tracker::RectF{static_cast<float>(t.left + sx), static_cast<float>(t.top + sy),
                                              static_cast<float>(t.right + sx), static_cast<float>(t.bottom + sy)};
}

void CPicEditView::CanvasToTrackerRect()
{
    const int sx = SX(), sy = SY();
    const tracker::RectF& f = selectionTracker.m_rectF;
    selectionTracker.m_rect.SetRect(static_cast<int>(f.left) - sx, static_cast<int>(f.top) - sy,
                                    static_cast<int>(f.right) - sx, static_cast<int>(f.bottom) - sy);
    trackerAnchor = POINT{selectionTracker.m_rect.left + sx, selectionTracker.m_rect.top + sy};
}

BOOL CPicEditView::CropToTracker()
{
    if (selectionTracker.m_rect.Width() == 0)
        return FALSE;
    RECT crop = TrackerPictureRect();
    const int fixedWidth = GetFixedCropWidth(), fixedHeight = GetFixedCropHeight();
    if (fixedWidth != -1 && fixedHeight != -1) {
        const float s = doc.fitZoom > 0.0f ? 1.0f / doc.fitZoom : 1.0f;
        crop.left = static_cast<int>((trackerAnchor.x - doc.canvasRect.left) * s);
        crop.top = static_cast<int>((trackerAnchor.y - doc.canvasRect.top) * s);
        crop.right = crop.left + fixedWidth;
        crop.bottom = crop.top + fixedHeight;
    }
    CLayerInfo* background = doc.layers.GetLayer(0);
    if (background && background->displayed.IsValid()) {
        CZVImage& picture = background->displayed;
        const long width = static_cast<long>(picture.GetWidth()), height = static_cast<long>(picture.GetHeight());
        // A fixed size near the right or bottom edge keeps to the picture.
        crop.left = std::clamp<long>(crop.left, 0, width);
        crop.top = std::clamp<long>(crop.top, 0, height);
        crop.right = std::clamp<long>(crop.right, 0, width);
        crop.bottom = std::clamp<long>(crop.bottom, 0, height);
        if (crop.right <= crop.left || crop.bottom <= crop.top)
            return FALSE;
        picture.SelectionClear();
        CZVImage cropped;
        if (!picture.Crop(crop, &cropped) || !SetBackgroundImage(cropped))
            return FALSE;
        if (doc.historyOn)
            doc.history.AddHistory(doc.layers.GetLayer(0), HISTORY_MODIFY);
    }
    selectionTracker.m_rect.SetRectEmpty();
    return TRUE;
}

void CPicEditView::EditLayerShadow()
{
    CDlgShadowOption dialog(this);
    dialog.m_on = doc.GetCurrentLayerShadow();
    dialog.m_angle = doc.GetCurrentLayerShadowAngle();
    dialog.m_distance = doc.GetCurrentLayerShadowDistance();
    dialog.m_offsetX = doc.GetCurrentLayerShadowOffsetX();
    dialog.m_offsetY = doc.GetCurrentLayerShadowOffsetY();
    dialog.m_colour = doc.GetCurrentLayerShadowColor();
    const int opened[5] = {dialog.m_on, dialog.m_angle, dialog.m_distance, dialog.m_offsetX, dialog.m_offsetY};
    const RGBQUAD openedColour = dialog.m_colour;
    dialog.m_previewDocument = &doc;
    dialog.m_onPreview = [this] { RequestRedraw(); };
    const bool accepted = dialog.DoModal() == IDOK;
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || layer->locked)
        return;
    if (accepted) {
        layer->shadowOn = dialog.m_on ? 1 : 0;
        layer->shadowAngle = dialog.m_angle;
        layer->shadowDistance = dialog.m_distance;
        layer->shadowOffsetX = dialog.m_offsetX;
        layer->shadowOffsetY = dialog.m_offsetY;
        layer->shadowColour = dialog.m_colour;
    } else {
        layer->shadowOn = opened[0];
        layer->shadowAngle = opened[1];
        layer->shadowDistance = opened[2];
        layer->shadowOffsetX = opened[3];
        layer->shadowOffsetY = opened[4];
        layer->shadowColour = openedColour;
    }
    layer->ClearShadowCache();
    RequestRedraw();
}
