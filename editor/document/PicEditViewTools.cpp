// The edit view's mouse tools: what the left button, the pointer and a few keys do with each
// tool (selections, pan, shapes and lines, the paint tools, fill and colour pick), and the small
// handlers around them (double click, cursor, context menu, mouse leave, destroy).
#include <algorithm>
#include <cstdlib>
#include "BrushStroke.h"
#include "PicEditView.h"

namespace {

bool IsOutlineTool(int tool)
{
    return tool == 4 || tool == 5 || tool == 8 || tool == 9 || tool == 10;
}

bool IsArrowKey(WPARAM key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

// Scales and moves the outline so that its bounds fill the rectangle between the two corners.
void FitPathInto(PathPoints& path, int x1, int y1, int x2, int y2)
{
    const PathBounds b = GetPathBounds(path);
    if (b.width <= 0.0f || b.height <= 0.0f)
        return;
    const float left = static_cast<float>(std::min(x1, x2)), top = static_cast<float>(std::min(y1, y2));
    const float sx = std::abs(x2 - x1) / b.width, sy = std::abs(y2 - y1) / b.height;
    for (ZVPOINTF& p : path) {
        p.x = left + (p.x - b.x) * sx;
        p.y = top + (p.y - b.y) * sy;
    }
}

} // namespace

void CPicEditView::RepaintOutline()
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    OnAfterPaint();
}

// ---- button down ----

void CPicEditView::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    lastPoint = point;
    strokePainted = 0;
    switch (tool) {
    case 4: case 5: case 6: case 8: case 9: case 10: case 11: case 12:
        SelectionDown(point);
        return;
    case 7:
        return;
    case 13:
        CropDown(point);
        return;
    case 14: {
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        if (!layer || layer->locked || !layer->displayed.IsValid())
            return;
        const POINT pixel = WindowPointToPixel(point.x, point.y, layer->location, static_cast<float>(SX()),
                                               static_cast<float>(SY()), doc.zoom,
                                               static_cast<int>(layer->displayed.GetHeight()));
        if (!layer->displayed.IsInside(pixel.x, pixel.y))
            return;
        const COLORREF colour = CxImage::RGBQUADtoRGB(layer->displayed.GetPixelColor(pixel.x, pixel.y, false));
        IEditorHost* host = GetEditorHost();
        HWND target = host ? host->GetColourTarget() : nullptr;
        if (!target && AfxGetMainWnd())
            target = AfxGetMainWnd()->m_hWnd;
        if (target)
            ::PostMessage(target, WM_EDITOR_SHAPE_COLOUR, 0, static_cast<LPARAM>(colour));
        return;
    }
    default:
        break;
    }
    if (tool >= 15 && tool <= 34) {
        PaintDown(nFlags, point);
        return;
    }
    if (tool == 3) {
        panStart = point;
        panStartPos = POINT{doc.hPos, doc.vPos};
        panning = 1;
    }
    if (tool == 1 && !dragging) {
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        if (!layer || layer->id == 0) {
            dragStart = point;
            shapeDragStarted = 1;
            return;
        }
    }
    CLayeredViewWnd::OnLButtonDown(nFlags, point);
    NotifyLayersChanged();
}

void CPicEditView::SelectionDown(CPoint point)
{
    const CPoint canvas(point.x + SX(), point.y + SY());
    const bool onTracker =
        !selectionTracker.m_rect.IsRectEmpty() && selectionTracker.HitTest(point) != CZVRectTracker::hitNothing;
    if (onTracker) {
        const CRect before = selectionTracker.m_rect;
        if (selectionTracker.Track(this, point) && selectionTracker.m_rect != before) {
            FitOutlineToTracker();
            TrackerToCanvasRect();
            ApplySelection();
        }
        RepaintOutline();
        return;
    }
    selectionTracker.m_rect.SetRectEmpty();
    selectStart = canvas;
    const bool inside = doc.IsInsidePath(canvas.x, canvas.y);
    if (tool == 6) {
        if (polygonClosed || doc.pathPoints.empty()) {
            if (!inside || doc.pathPoints.empty()) {
                // A closed polygon is dropped and a new one begun.
                ClearSelection();
                polygonClosed = 0;
                newSelection = 1;
            } else {
                moveAnchor = point;
                newSelection = 0;
            }
        }
        if (!polygonClosed)
            doc.pathPoints.push_back(ZVPOINTF{static_cast<float>(canvas.x), static_cast<float>(canvas.y)});
        RepaintOutline();
        return;
    }
    if (!inside) {
        ClearSelection();
        newSelection = 1;
        if (tool == 12) {
            doc.MagicWandSelect(point.x, point.y);
            RepaintOutline();
        }
    } else {
        moveAnchor = point;
        newSelection = 0;
    }
}

void CPicEditView::CropDown(CPoint point)
{
    doc.layers.currentId = 0;
    doc.layers.currentType = LAYER_BACKGROUND;
    CRect& r = selectionTracker.m_rect;
    if (r.IsRectEmpty() || selectionTracker.HitTest(point) == CZVRectTracker::hitNothing) {
        selectionTracker.TrackRubberBand(this, point, TRUE);
    } else {
        const CRect before = r;
        if (!selectionTracker.Track(this, point) || r == before) {
            // A click inside that does not move the tracker takes the crop.
            CropToTracker();
            RequestRedraw();
            return;
        }
    }
    NormalizeRect(&r);
    TrackerToCanvasRect();
    RequestRedraw();
}

void CPicEditView::PaintDown(UINT nFlags, CPoint point)
{
    if (!EnsureImageLayer())
        return;
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (layer && !layer->locked && layer->angle != 0.0f)
        BakeRotation(*layer);
    if (tool == 15) {
        dragStart = point;
        shapeDragStarted = 1;
        return;
    }
    // A brush made from a layer's picture is made again for another layer.
    if (IsPictureBrushType(StrokeBrushType(tool, brushType)) && (!layer || layer->serial != brushLayer))
        brushStale = 1;
    PrepareBrushImage();
    layer = doc.layers.GetCurrentLayer();
    if (!layer || !layer->displayed.IsValid())
        return;
    // Each stroke starts its own cover: a pixel painted by the last stroke can be painted again.
    layer->displayed.PathClear();
    const POINT pixel = WindowPointToPixel(point.x, point.y, layer->location, static_cast<float>(SX()),
                                           static_cast<float>(SY()), doc.zoom,
                                           static_cast<int>(layer->displayed.GetHeight()));
    lastDab[0] = static_cast<float>(pixel.x);
    lastDab[1] = static_cast<float>(pixel.y);
    const bool held = (nFlags & MK_LBUTTON) != 0;
    switch (tool) {
    case 21: {
        if (layer->locked || !layer->displayed.IsInside(pixel.x, pixel.y))
            return;
        RGBQUAD colour = paintColour;
        colour.rgbReserved = 255;
        CDocumentLockScope hold(doc.lock);
        if (layer->displayed.FloodFillZV(pixel.x, pixel.y, colour, 30, 255, false, 255)) {
            layer->ClearZoomedCopy();
            if (doc.keepSource)
                layer->CommitImage();
            else
                layer->ClearSourceImage();
            strokePainted = 1;
            RequestRedraw();
        }
        return;
    }
    case 18:
        if (cloneState <= 1) {
            cloneSource = point;
            cloneState = 2;
            return;
        }
        if (cloneState == 2) {
            cloneState = 3;
            const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
            cloneOffset = POINT{static_cast<LONG>((point.x - cloneSource.x) / zoom),
                                static_cast<LONG>((point.y - cloneSource.y) / zoom)};
        }
        break;
    default:
        if (tool >= 23 && tool <= 30) {
            const int radius = static_cast<int>(brushSize * doc.zoom * 0.5f);
            doc.MakeCirclePath(point.x + SX(), point.y + SY(), radius);
        }
        break;
    }
    if (held)
        Dab(point);
}

// ---- move ----

void CPicEditView::OnMouseMove(UINT nFlags, CPoint point)
{
    lastPoint = point;
    PrepareBrushImage();
    const bool held = (nFlags & MK_LBUTTON) != 0;
    if (tool >= 4 && tool <= 12) {
        SelectionMove(nFlags, point);
    } else if (tool == 3 && panning && held) {
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        if (layer && layer->id == 0)
            PanTo(point);
    } else if (tool == 1 && held && !dragging) {
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        if (shapeDragStarted || (layer && layer->id == 0))
            ShapeMove(point);
    } else if (tool == 15 && held && !dragging && shapeDragStarted) {
        LineMove(point);
    } else if (tool >= 16 && tool <= 34 && held) {
        const bool paints = tool != 21 && !(tool >= 24 && tool <= 26) && (tool != 18 || cloneState == 3);
        if (tool >= 23 && tool <= 30)
            doc.MakeCirclePath(point.x + SX(), point.y + SY(), static_cast<int>(brushSize * doc.zoom * 0.5f));
        if (paints)
            Dab(point);
    }
    OnMouseNotify(tool, nFlags, point.x, point.y);
    // Back in the window after leaving it: the tool's cursor, dropped on the way out, returns.
    if (!leaveTracking && !brushIcon.IsValid())
        SetToolCursor();
    // The canvas's handling asks for the mouse leaving again.
    CLayeredViewWnd::OnMouseMove(nFlags, point);
}

void CPicEditView::SelectionMove(UINT nFlags, CPoint point)
{
    if (!selectionTracker.m_rect.IsRectEmpty())
        return;
    const bool held = (nFlags & MK_LBUTTON) != 0;
    const CPoint canvas(point.x + SX(), point.y + SY());
    if (newSelection && held && IsOutlineTool(tool)) {
        const int sx = selectStart.x, sy = selectStart.y;
        int x = canvas.x, y = canvas.y;
        // Exactly the left button and Shift: height = width, in the direction dragged.
        if (nFlags == (MK_LBUTTON | MK_SHIFT) && tool != 5) {
            const int side = std::abs(x - sx);
            y = sy + (y >= sy ? side : -side);
        }
        const float l = static_cast<float>(sx), t = static_cast<float>(sy);
        const float r = static_cast<float>(x), b = static_cast<float>(y);
        switch (tool) {
        case 4: doc.pathPoints = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}; break;
        case 5:
            if (doc.pathPoints.empty())
                doc.pathPoints.push_back(ZVPOINTF{l, t});
            doc.pathPoints.push_back(ZVPOINTF{static_cast<float>(canvas.x), static_cast<float>(canvas.y)});
            break;
        case 8: doc.MakeEllipsePath(sx, sy, x, y); break;
        case 9: {
            const int corner = std::min(std::abs(x - sx), std::abs(y - sy)) / 8;
            doc.MakeRoundRectPath(sx, sy, x, y, corner, corner);
            break;
        }
        case 10:
            // The heart is drawn round its notch at the first corner, larger than the drag:
            // fitted, it fills the dragged rectangle as the other figures do.
            doc.MakeHeartPath(sx, sy, x, y);
            FitPathInto(doc.pathPoints, sx, sy, x, y);
            break;
        default: break;
        }
        selectionWidth = std::abs(x - sx);
        selectionHeight = std::abs(y - sy);
        RepaintOutline();
        return;
    }
    if (tool == 6 && !polygonClosed && !doc.pathPoints.empty()) {
        // The rubber band: the pointer as a last point while it is drawn.
        doc.pathPoints.push_back(ZVPOINTF{static_cast<float>(canvas.x), static_cast<float>(canvas.y)});
        RepaintOutline();
        doc.pathPoints.pop_back();
        return;
    }
    if (held && doc.IsInsidePath(canvas.x, canvas.y)) {
        const float dx = static_cast<float>(point.x - moveAnchor.x), dy = static_cast<float>(point.y - moveAnchor.y);
        for (ZVPOINTF& p : doc.pathPoints) {
            p.x += dx;
            p.y += dy;
        }
        moveAnchor = point;
        RepaintOutline();
    }
}

void CPicEditView::PanTo(CPoint point)
{
    const float zoom = doc.zoom;
    auto axis = [&](CBCGPScrollBar& bar, int start, int now, int startPos, int32_t& pos) {
        const int limit = bar.m_hWnd ? bar.GetScrollLimit() : 0;
        // Never below 1, even when the picture fits.
        pos = std::max(std::min(static_cast<int>((start - now) * zoom + startPos), limit), 1);
        if (bar.m_hWnd)
            bar.SetScrollPos(pos, TRUE);
    };
    axis(vBar, panStart.y, point.y, panStartPos.y, doc.vPos);
    axis(hBar, panStart.x, point.x, panStartPos.x, doc.hPos);
    OnScrolled();
    if (m_hWnd)
        Invalidate(FALSE);
}

void CPicEditView::ShapeMove(CPoint point)
{
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
    SetShapeSize(static_cast<int>((point.x - dragStart.x) / zoom), static_cast<int>((point.y - dragStart.y) / zoom));
    // New and reshaped layers sit at the drag's top left.
    doc.insertPoint = POINT{std::min<LONG>(point.x, dragStart.x), std::min<LONG>(point.y, dragStart.y)};
    ShapeSettings settings = GetHostShapeSettings();
    if (settings.width < 1 || settings.height < 1)
        return;
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (layer && layer->type == LAYER_SHAPE && shapeDragLayer != 0 && layer->serial == shapeDragLayer) {
        // The drag reshapes its own layer without a step each move: the release puts the final
        // shape into the layer's add step.
        CDocumentLockScope hold(doc.lock);
        layer->shape = settings;
        layer->location = layer->drawOrigin =
            ZVPOINTF{static_cast<float>(doc.insertPoint.x + SX()), static_cast<float>(doc.insertPoint.y + SY())};
        layer->RenderShape();
        doc.CalcLayerTracker(layer);
    } else if (!SetShapeSettings(settings)) {
        if (!AddShapeLayer(GetHostShapeSettings()))
            return;
        shapeDragLayer = doc.layers.GetCurrentLayer()->serial;
    }
    shapeDragStarted = 1;
    RequestRedraw();
}

void CPicEditView::LineMove(CPoint point)
{
    lineDrawing = 1;
    const int sx = SX(), sy = SY();
    doc.pathPoints = {ZVPOINTF{static_cast<float>(dragStart.x + sx), static_cast<float>(dragStart.y + sy)},
                      ZVPOINTF{static_cast<float>(point.x + sx), static_cast<float>(point.y + sy)}};
    RepaintOutline();
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
    SetShapeSize(static_cast<int>((point.x - dragStart.x) / zoom), static_cast<int>((point.y - dragStart.y) / zoom));
    shapeDragStarted = 1;
}

// ---- button up ----

void CPicEditView::OnLButtonUp(UINT nFlags, CPoint point)
{
    const bool lineDragged = lineDrawing != 0;
    shapeDragStarted = 0;
    lineDrawing = 0;
    if (tool == 3 && panning) {
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        if (layer && layer->id == 0) {
            PanTo(point);
            const auto keep = [](CBCGPScrollBar& bar, int pos, float& ratio) {
                const int limit = bar.m_hWnd ? bar.GetScrollLimit() : 0;
                ratio = limit > 0 ? static_cast<float>(pos) / limit : 0.0f;
            };
            keep(vBar, doc.vPos, doc.vPosRatio);
            keep(hBar, doc.hPos, doc.hPosRatio);
        }
        panning = 0;
    }
    ApplySelection();
    CLayeredViewWnd::OnLButtonUp(nFlags, point);
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (tool >= 16 && tool <= 34 && strokePainted && doc.historyOn && layer && !layer->locked)
        doc.history.AddHistory(layer, HISTORY_MODIFY);
    strokePainted = 0;
    if (tool == 15 && lineDragged && !dragging && layer && !layer->locked)
        LineUp();
    if (tool == 1) {
        CLayerInfo* shape = doc.layers.GetCurrentLayer();
        if (shape && shape->type == LAYER_SHAPE && shapeDragLayer != 0 && shape->serial == shapeDragLayer)
            doc.UpdateShapeLayer(shape->shape, FALSE);
        shapeDragLayer = 0;
        OnShapeFinished();
    }
    if ((tool >= 4 && tool <= 12 && tool != 6) && selectionTracker.m_rect.IsRectEmpty() && !doc.pathPoints.empty())
        ResetTrackerToOutline();
    OnCurrentLayerNotify();
    OnMouseNotify(tool, nFlags, point.x, point.y);
}

void CPicEditView::LineUp()
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || !layer->displayed.IsValid())
        return;
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
    const float ox = layer->location.x - SX(), oy = layer->location.y - SY();
    const ShapeSettings settings = GetHostLineSettings();
    {
        CDocumentLockScope hold(doc.lock);
        // Rows from the top: the line drawing turns the picture over itself.
        doc.DrawShapeLine(layer->displayed, (dragStart.x - ox) / zoom, (dragStart.y - oy) / zoom,
                          (lastPoint.x - ox) / zoom, (lastPoint.y - oy) / zoom, &settings);
        layer->ClearZoomedCopy();
        if (doc.keepSource)
            layer->CommitImage();
        else
            layer->ClearSourceImage();
    }
    if (doc.historyOn)
        doc.history.AddHistory(layer, HISTORY_MODIFY);
    ClearSelection();
    RequestRedraw();
}

// ---- the other handlers ----

void CPicEditView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (tool == 6 && !doc.pathPoints.empty()) {
        polygonClosed = 1;
        doc.pathPoints.push_back(doc.pathPoints.front());
        RepaintOutline();
        if (selectionTracker.m_rect.IsRectEmpty())
            ApplySelection();
    }
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (layer && layer->type == LAYER_TEXT) {
        doc.insertPoint = point;
        OnEditText();
    }
    CLayeredViewWnd::OnLButtonDblClk(nFlags, point);
}

BOOL CPicEditView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!selectionTracker.m_rect.IsRectEmpty() && selectionTracker.SetCursor(this, nHitTest))
        return TRUE;
    return CLayeredViewWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CPicEditView::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    (void)pWnd;
    (void)pos;
    if (suppressContextMenu) {
        suppressContextMenu = 0;
        return;
    }
    OnLayerMenuRequest();
}

void CPicEditView::OnMouseLeave()
{
    DestroyBrushCursor();
    leaveTracking = 0;
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    const bool background = layer && layer->id == 0;
    // A line or a pan that leaves the window ends where the pointer was last seen.
    if ((tool == 15 && lineDrawing) || (tool == 3 && panning && background)) {
        SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(lastPoint.x, lastPoint.y));
        return;
    }
    if (dragging)
        SendMessage(WM_LBUTTONUP, 0, 0);
}

void CPicEditView::OnDestroy()
{
    NotifyLayersChanged();
    CLayeredViewWnd::OnDestroy();
}

BOOL CPicEditView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        const WPARAM key = pMsg->wParam;
        if (IsArrowKey(key) && !doc.pathPoints.empty()) {
            const float unit = doc.zoom;
            const float dx = key == VK_LEFT ? -unit : key == VK_RIGHT ? unit : 0.0f;
            const float dy = key == VK_UP ? -unit : key == VK_DOWN ? unit : 0.0f;
            for (ZVPOINTF& p : doc.pathPoints) {
                p.x += dx;
                p.y += dy;
            }
            RepaintOutline();
        } else if (key == VK_ESCAPE) {
            CancelPolygon();
        }
        OnMouseNotify(tool, 0, 0, 0);
    } else if (pMsg->message == WM_KEYUP && IsArrowKey(pMsg->wParam)) {
        ApplySelection();
    }
    return CLayeredViewWnd::PreTranslateMessage(pMsg);
}
