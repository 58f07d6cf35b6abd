// The canvas's mouse: picking a layer, moving, resizing and turning it by its frame, the frame's
// buttons, the frame drawing, the cursors and the brush cursor.
#include "LayeredViewWnd.h"
#include <gdiplus.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include "CanvasViewMath.h"
#include "ZVUILibApp.h"
#include "Win32Owners.h"

namespace {

int FrameEdge(POINT a, POINT b)
{
    return static_cast<int>(std::hypot(double(a.x - b.x), double(a.y - b.y)));
}

// Whether a drag by the frame may move, resize or turn the layer.
bool CanDrag(const CLayerInfo& layer)
{
    return !layer.locked && layer.type != LAYER_SLOT_PICTURE && layer.type != LAYER_PAGE_OVERLAY;
}

} // namespace

int CLayeredViewWnd::HitTestTracker(int x, int y) const
{
    // Squares 0 to 3 are the corners: menu, delete, resize, rotate.
    static const int kCodes[4] = {HIT_MENU, HIT_DELETE, HIT_RESIZE, HIT_ROTATE};
    const POINT p = {x, y};
    for (int i = 0; i < 4; ++i)
        if (::PtInRect(&frame.handleRects[i], p))
            return kCodes[i];
    return frame.PtInFrame(x, y) ? HIT_MOVE : HIT_NONE;
}

void CLayeredViewWnd::FitHandlesToDpi()
{
    // Handles and buttons grow with the system DPI; the hit tests read the same squares.
    frame.handleSize = ScaleToDpi(kHandleSize, Dpi());
    frame.UpdateHandleRects();
}

void CLayeredViewWnd::StartInPlaceEdit(CLayerInfo& layer, CPoint point)
{
    if (layer.movable && layer.type != LAYER_SLOT_PICTURE) {
        layer.dragAnchor = point;
        layer.dragging = 1;
        layer.visible = 0;
    }
    if (layer.selectable == 1)
        layer.picked = 1;
}

CLayerInfo* CLayeredViewWnd::TopLayerAt(CPoint point, bool forPick)
{
    std::vector<CLayerInfo>& list = doc.layers.layers;
    for (size_t i = list.size(); i-- > 1;) {
        CLayerInfo& layer = list[i];
        if (!layer.visible || !layer.framed || !layer.frame.PtInFrame(point.x, point.y))
            continue;
        if (forPick && (layer.type == LAYER_PAGE_OVERLAY || layer.locked || HitTestTracker(point.x, point.y) != HIT_NONE))
            continue;
        return &layer;
    }
    return nullptr;
}

void CLayeredViewWnd::Refresh()
{
    if (directRepaint)
        Invalidate(FALSE);
    else
        PostMessage(WM_CANVAS_REFRESH);
}

void CLayeredViewWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    std::vector<CLayerInfo>& list = doc.layers.layers;
    if (list.empty()) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    dragBlend = KeptBlend{};
    dragFrame = KeptFrame{};
    // The current layer keeps the press when it is under the mouse, even below another layer.
    CLayerInfo* picked = nullptr;
    CLayerInfo* current = doc.layers.GetCurrentLayer();
    if (current && current->type != LAYER_BACKGROUND && current->frame.PtInFrame(point.x, point.y) && !current->locked &&
        current->type != LAYER_PAGE_OVERLAY)
        picked = current;
    else if (pickEnabled)
        picked = TopLayerAt(point, true);
    if (picked) {
        StartInPlaceEdit(*picked, point);
        currentChanged = doc.layers.currentId != picked->id;
        doc.layers.currentId = picked->id;
        doc.layers.currentType = picked->type;
        doc.layers.currentLocked = picked->locked;
        doc.layers.currentHasAlpha = picked->displayed.AlphaIsValid() ? 1 : 0;
        doc.currentLayerWidth = picked->width;
        doc.currentLayerHeight = picked->height;
        frame = picked->frame;
        FitHandlesToDpi();
    }
    const int hit = HitTestTracker(point.x, point.y);
    switch (hit) {
    case HIT_MENU:
        menuPressed = 1;
        CWnd::OnLButtonDown(nFlags, point);
        return;
    case HIT_DELETE:
        deletePressed = 1;
        CWnd::OnLButtonDown(nFlags, point);
        return;
    case HIT_ROTATE:
    case HIT_RESIZE:
    case HIT_MOVE: {
        dragMode = hit;
        pressPoint = point;
        rotateReference = frame.points[5];
        // A press on a layer that cannot move (the locked current one) leaves no history step.
        const CLayerInfo* target = doc.layers.currentId != 0 ? doc.layers.GetCurrentLayer() : nullptr;
        dragModified = target && CanDrag(*target) ? 1 : 0;
        doc.pressFrameWidth = FrameEdge(frame.points[0], frame.points[1]);
        doc.pressFrameHeight = FrameEdge(frame.points[1], frame.points[2]);
        dragging = 1;
        break;
    }
    default:
        dragging = 0;
        currentChanged = doc.layers.currentId != 0;
        if (pickEnabled) {
            doc.layers.currentId = 0;
            doc.layers.currentType = 0;
            frame.Reset();
        }
        break;
    }
    CLayerInfo* layer = doc.layers.currentId != 0 ? doc.layers.GetCurrentLayer() : nullptr;
    if (layer && !CanDrag(*layer))
        layer = nullptr;
    if (layer && hit == HIT_RESIZE)
        layer->dragging = 1;
    if (layer && hit == HIT_ROTATE) {
        layer->dragging = 1;
        if (doc.zoom < 1.0f && layer->source.IsValid()) {
            // Turning a reduced copy keeps the drag smooth on a large layer.
            const long w = std::max(1L, static_cast<long>(layer->width * doc.zoom));
            const long h = std::max(1L, static_cast<long>(layer->height * doc.zoom));
            layer->source.Resample(w, h, 1, &layer->workingCopy);
            layer->SetAngleFast(layer->angle);
        }
        rotateCentre = POINT{(frame.points[0].x + frame.points[2].x) / 2, (frame.points[0].y + frame.points[2].y) / 2};
    }
    Refresh();
}

void CLayeredViewWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    std::vector<CLayerInfo>& list = doc.layers.layers;
    if (list.empty()) {
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    if (!dragging) {
        cursorIndex = HoverCursor(HitTestTracker(point.x, point.y), buttonsLimited != 0);
    } else {
        bool changed = false;
        const RECT before = DragArea();
        for (size_t i = list.size(); i-- > 1;) {
            CLayerInfo& layer = list[i];
            if (layer.id != doc.layers.currentId || !(nFlags & MK_LBUTTON) || !CanDrag(layer))
                continue;
            changed = true;
            if (dragMode >= 1 && dragMode <= 9)
                cursorIndex = CursorForHitCode(dragMode);
            const float z = doc.zoom;
            const int w0 = static_cast<int>(doc.pressFrameWidth / z), h0 = static_cast<int>(doc.pressFrameHeight / z);
            if (dragMode == HIT_ROTATE) {
                const double delta = std::atan2(double(point.y - rotateCentre.y), double(point.x - rotateCentre.x)) -
                                     std::atan2(double(rotateReference.y - rotateCentre.y), double(rotateReference.x - rotateCentre.x));
                layer.SetAngleFast(static_cast<float>(delta));
                layer.dragging = 1;
            } else if (dragMode == HIT_RESIZE) {
                const int dx = static_cast<int>((point.x - pressPoint.x) / z), dy = static_cast<int>((point.y - pressPoint.y) / z);
                ResizeStep step;
                if (ResizeByDrag(w0, h0, dx, dy, layer.angle, layer.location, layer.width, layer.height, z, step)) {
                    const ZVPOINTF location = layer.location;
                    const int oldWidth = layer.width, oldHeight = layer.height;
                    layer.ResizeFast(step.width, step.height, 0, layer.keepAspect != 0);
                    // A kept aspect may change the size asked for: the far corner follows the real one.
                    if (FlipSign(layer.angle) < 0)
                        layer.location = KeepFarCorner(location, oldWidth, oldHeight, layer.width, layer.height, z);
                    layer.dragging = 1;
                    OnLayerResized();
                }
            } else if (dragMode == HIT_MOVE && (layer.dragging || layer.picked)) {
                const int dx = point.x - layer.dragAnchor.x, dy = point.y - layer.dragAnchor.y;
                layer.location.x += dx;
                layer.location.y += dy;
                layer.dragAnchor.x += dx;
                layer.dragAnchor.y += dy;
                layer.frame.Offset(dx, dy);
            }
        }
        if (changed) {
            backgroundStale = 0;
            const RECT after = DragArea();
            RECT both;
            ::UnionRect(&both, &before, &after);
            InvalidateRect(&both, FALSE);
        }
    }
    if (!leaveTracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
        leaveTracking = 1;
    }
}

void CLayeredViewWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    backgroundStale = 1;
    std::vector<CLayerInfo>& list = doc.layers.layers;
    if (list.empty()) {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    if (deletePressed || menuPressed) {
        const UINT message = deletePressed ? WM_CANVAS_DELETE_LAYER : WM_CANVAS_LAYER_MENU;
        deletePressed = menuPressed = 0;
        CWnd::OnLButtonUp(nFlags, point);
        PostMessage(message);
        return;
    }
    for (size_t i = list.size(); i-- > 1;) {
        CLayerInfo& layer = list[i];
        if (layer.type == LAYER_PAGE_OVERLAY)
            continue;
        if (layer.dragging) {
            layer.visible = 1;
            layer.dragging = 0;
        }
        layer.picked = 0;
        if (!dragging || layer.id != doc.layers.currentId)
            continue;
        const bool editable = layer.type != LAYER_SLOT_PICTURE && !layer.locked;
        if (editable && (dragMode == HIT_ROTATE || dragMode == HIT_RESIZE)) {
            // The drag showed quick renders, from a reduced copy when turning below zoom 1.0.
            layer.ClearWorkingCopy();
            layer.RenderImage();
            layer.ClearShadowCache();
        }
        if (layer.displayed.IsValid()) {
            layer.framed = 1;
            doc.CalcLayerTracker(&layer);
        }
    }
    CLayerInfo* current = doc.layers.GetCurrentLayer();
    if (current && current->dragging) {
        current->visible = 1;
        current->dragging = 0;
    }
    dragging = 0;
    dragBlend = KeptBlend{};
    dragFrame = KeptFrame{};
    if (dragModified && doc.historyOn && current && current->type != LAYER_SLOT_PICTURE)
        doc.history.AddHistory(current, HISTORY_MODIFY);
    dragModified = 0;
    Refresh();
}

void CLayeredViewWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (doc.layers.layers.empty()) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    if (CLayerInfo* layer = TopLayerAt(point, false))
        StartInPlaceEdit(*layer, point);
}

void CLayeredViewWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (CLayerInfo* layer = doc.layers.layers.empty() ? nullptr : TopLayerAt(point, false)) {
        StartInPlaceEdit(*layer, point);
        doc.layers.currentId = layer->id;
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CLayeredViewWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    std::vector<CLayerInfo>& list = doc.layers.layers;
    for (size_t i = 1; i < list.size(); ++i)
        if (list[i].dragging || list[i].picked) {
            list[i].visible = 1;
            list[i].dragging = list[i].picked = 0;
        }
    CWnd::OnRButtonUp(nFlags, point);
}

void CLayeredViewWnd::OnMouseLeave()
{
    leaveTracking = 0;
    // A drag that leaves the window ends as a release would.
    if (dragging)
        SendMessage(WM_LBUTTONUP, 0, 0);
}

BOOL CLayeredViewWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && cursorIndex >= 0 && cursorIndex < kCursorCount && framesShown && cursors[cursorIndex]) {
        ::SetCursor(cursors[cursorIndex]);
        return TRUE;
    }
    if (brushIcon.IsValid()) {
        ::SetCursor(brushIcon.Get());
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

RECT CLayeredViewWnd::PlaceDraggedLayer(CLayerInfo& layer)
{
    doc.CalcLayerTracker(&layer);
    const POINT corner = layer.GetFrameTopLeft();
    POINT at;
    if (layer.angle == 0.0f) {
        layer.drawOrigin = layer.location;
        at = POINT{static_cast<LONG>(std::floor(layer.location.x - ScrollX() + 0.5)),
                   static_cast<LONG>(std::floor(layer.location.y - ScrollY() + 0.5))};
    } else {
        layer.drawOrigin = ZVPOINTF{static_cast<float>(corner.x + ScrollX()), static_cast<float>(corner.y + ScrollY())};
        at = corner;
    }
    const bool reduced = layer.workingCopy.IsValid();
    const long w = reduced ? static_cast<long>(layer.displayed.GetWidth()) : static_cast<long>(layer.displayed.GetWidth() * doc.zoom);
    const long h = reduced ? static_cast<long>(layer.displayed.GetHeight()) : static_cast<long>(layer.displayed.GetHeight() * doc.zoom);
    return RECT{at.x, at.y, at.x + w, at.y + h};
}

bool CLayeredViewWnd::DrawKeptBlend(HDC dc, const CZVImage& picture, const RECT& place)
{
    // Only a move keeps the picture as it is from one mouse position to the next; a resize or a
    // turn renders it anew each time. Unblended and scaled pictures draw quickly as they are.
    const long w = place.right - place.left, h = place.bottom - place.top;
    if (dragMode != HIT_MOVE || !dragging || !picture.AlphaIsValid() || picture.IsTransparent() ||
        static_cast<long>(picture.GetWidth()) != w || static_cast<long>(picture.GetHeight()) != h)
        return false;
    if (dragBlend.pixels != picture.GetDIB() || dragBlend.width != picture.GetWidth() || dragBlend.height != picture.GetHeight()) {
        dragBlend.bitmap.Reset(picture.MakeBitmap(nullptr, true));
        dragBlend.pixels = picture.GetDIB();
        dragBlend.width = picture.GetWidth();
        dragBlend.height = picture.GetHeight();
    }
    win32::MemoryDc source(::CreateCompatibleDC(dc));
    if (!dragBlend.bitmap.IsValid() || !source.IsValid())
        return false;
    win32::ScopedSelect keep(source.Get(), dragBlend.bitmap.Get());
    // The same blend the picture's own drawing makes, without cutting and converting the
    // visible part again for every paint; the paint's clip keeps it to the area repainted.
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(dc, place.left, place.top, w, h, source.Get(), 0, 0, w, h, blend) != FALSE;
}

void CLayeredViewWnd::DrawDraggedLayer(HDC dc, CLayerInfo& layer)
{
    const RECT place = PlaceDraggedLayer(layer);
    const long w = place.right - place.left, h = place.bottom - place.top;
    CRect client;
    GetClientRect(&client);
    // Below zoom 1.0 the reduced copy the composite was made from is the picture at this size
    // already: drawn as it is, each move skips shrinking the whole layer again.
    const CZVImage& small = layer.zoomedCopy;
    const bool useSmall = !layer.workingCopy.IsValid() && doc.zoom < 1.0f && small.IsValid() &&
                          static_cast<long>(small.GetWidth()) == w && static_cast<long>(small.GetHeight()) == h;
    const CZVImage& picture = useSmall ? small : layer.displayed;
    if (!DrawKeptBlend(dc, picture, place))
        picture.Draw(dc, place.left, place.top, w, h, &client);
    if (directRepaint || layer.type == LAYER_BACKGROUND || layer.type == LAYER_PAGE_OVERLAY || layer.type == 7 ||
        layer.id != doc.layers.currentId)
        return;
    frame = layer.frame;
    if (framesShown && !(displayMode == 3 && layer.type == LAYER_SLOT_PICTURE))
        DrawLayerFrame(dc, layer);
}

RECT CLayeredViewWnd::DragArea()
{
    RECT area = {0, 0, 0, 0};
    // The buttons are squares centred on the frame's points; the outline's pen is 2 wide.
    const int reach = ScaleToDpi(kHandleSize, Dpi()) / 2 + 3;
    for (CLayerInfo& layer : doc.layers.layers) {
        if (layer.dragging) {
            const RECT place = PlaceDraggedLayer(layer);
            ::UnionRect(&area, &area, &place);
        }
        if (!(layer.dragging || layer.visible) || layer.id != doc.layers.currentId || layer.type == LAYER_BACKGROUND ||
            layer.type == LAYER_PAGE_OVERLAY || layer.type == 7)
            continue;
        if (!layer.dragging)
            doc.CalcLayerTracker(&layer);
        RECT box = {layer.frame.points[0].x, layer.frame.points[0].y, layer.frame.points[0].x, layer.frame.points[0].y};
        for (int i = 1; i < 5; ++i) {
            box.left = std::min(box.left, layer.frame.points[i].x);
            box.top = std::min(box.top, layer.frame.points[i].y);
            box.right = std::max(box.right, layer.frame.points[i].x);
            box.bottom = std::max(box.bottom, layer.frame.points[i].y);
        }
        ::InflateRect(&box, reach, reach);
        ::UnionRect(&area, &area, &box);
    }
    return area;
}

void CLayeredViewWnd::PaintLayerFrame(HDC dc, Gdiplus::Graphics* g, bool allButtons, POINT shift)
{
    if (g) {
        g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        Gdiplus::Point outline[5];
        for (int i = 0; i < 5; ++i)
            outline[i] = Gdiplus::Point(frame.points[i % 4].x - shift.x, frame.points[i % 4].y - shift.y);
        Gdiplus::Pen white(Gdiplus::Color(0x80, 255, 255, 255), 2.0f);
        Gdiplus::Pen red(Gdiplus::Color(0x80, 255, 0, 0), 2.0f);
        red.SetDashStyle(Gdiplus::DashStyleDash);
        g->DrawLines(&white, outline, 5);
        g->DrawLines(&red, outline, 5);
        g->Flush(Gdiplus::FlushIntentionSync);
    }
    // buttonImages: delete, menu, resize, rotate; squares 1, 0, 2, 3.
    const auto button = [&](int image, int square) {
        const RECT& r = frame.handleRects[square];
        if (buttonImages[image].IsValid())
            buttonImages[image].Draw(dc, r.left - shift.x, r.top - shift.y, r.right - r.left, r.bottom - r.top, nullptr, true);
    };
    if (allButtons) {
        button(1, 0);
        button(2, 2);
        button(3, 3);
    }
    button(0, 1);
}

bool CLayeredViewWnd::DrawKeptFrame(HDC dc, bool allButtons)
{
    // The frame's bounds with its buttons and the outline's pen.
    RECT box = {frame.points[0].x, frame.points[0].y, frame.points[0].x, frame.points[0].y};
    for (int i = 0; i < 4; ++i) {
        const RECT point = {frame.points[i].x, frame.points[i].y, frame.points[i].x + 1, frame.points[i].y + 1};
        ::UnionRect(&box, &box, &point);
        ::UnionRect(&box, &box, &frame.handleRects[i]);
    }
    ::InflateRect(&box, 3, 3);
    const long w = box.right - box.left, h = box.bottom - box.top;
    // A move only shifts the frame: its drawing is kept and blended at the new place for as
    // long as its shape relative to its bounds stays the same.
    POINT shape[9];
    for (int i = 0; i < 4; ++i) {
        shape[i] = POINT{frame.points[i].x - box.left, frame.points[i].y - box.top};
        shape[4 + i] = POINT{frame.handleRects[i].left - box.left, frame.handleRects[i].top - box.top};
    }
    shape[8] = POINT{frame.handleRects[0].right - frame.handleRects[0].left, allButtons ? 1 : 0};
    if (!dragFrame.bitmap.IsValid() || dragFrame.width != DWORD(w) || dragFrame.height != DWORD(h) ||
        std::memcmp(dragFrame.shape, shape, sizeof shape) != 0) {
        dragFrame = KeptFrame{};
        if (w <= 0 || h <= 0 || !StartGdiplus())
            return false;
        // A transparent premultiplied picture that the outline and the buttons are drawn onto.
        BITMAPINFO info = win32::TopDownBitmapInfo(w, h);
        void* bits = nullptr;
        BitmapHandle bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        win32::MemoryDc target(::CreateCompatibleDC(dc));
        if (!bitmap.IsValid() || !bits || !target.IsValid())
            return false;
        std::memset(bits, 0, size_t(w) * size_t(h) * 4);
        {
            Gdiplus::Bitmap surface(w, h, w * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
            Gdiplus::Graphics g(&surface);
            win32::ScopedSelect keep(target.Get(), bitmap.Get());
            PaintLayerFrame(target.Get(), &g, allButtons, POINT{box.left, box.top});
        }
        dragFrame.bitmap = std::move(bitmap);
        dragFrame.width = DWORD(w);
        dragFrame.height = DWORD(h);
        std::memcpy(dragFrame.shape, shape, sizeof shape);
    }
    win32::MemoryDc source(::CreateCompatibleDC(dc));
    if (!source.IsValid())
        return false;
    win32::ScopedSelect keep(source.Get(), dragFrame.bitmap.Get());
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(dc, box.left, box.top, w, h, source.Get(), 0, 0, w, h, blend) != FALSE;
}

void CLayeredViewWnd::DrawLayerFrame(HDC dc, CLayerInfo& layer)
{
    FitHandlesToDpi();
    buttonsLimited = layer.type == LAYER_SLOT_PICTURE ? 0 : 1;
    const bool allButtons = layer.type != LAYER_SLOT_PICTURE;
    if (dragging && dragMode == HIT_MOVE && DrawKeptFrame(dc, allButtons))
        return;
    if (StartGdiplus()) {
        Gdiplus::Graphics g(dc);
        PaintLayerFrame(dc, &g, allButtons, POINT{0, 0});
    } else {
        PaintLayerFrame(dc, nullptr, allButtons, POINT{0, 0});
    }
}

void CLayeredViewWnd::SetBrushCursor(int width, int height)
{
    brushBitmap.Reset(CreateBrushCursorBitmap(width, height));
    brushAndMask.Reset();
    brushXorMask.Reset();
    HBITMAP andMask = nullptr, xorMask = nullptr;
    if (brushBitmap.IsValid() && GetMaskBitmaps(brushBitmap.Get(), andMask, xorMask)) {
        brushAndMask.Reset(andMask);
        brushXorMask.Reset(xorMask);
        brushHotSpot = width < 16 ? BrushCrossSize(Dpi()) / 2 : width / 2;
        brushIcon.Reset(CreateCursorFromBitmap(brushBitmap.Get(), brushHotSpot, brushHotSpot));
        return;
    }
    // The previous cursor stays.
    ::MessageBoxW(m_hWnd, TranslateString(L"Cannot create And and Xor masks...!"), nullptr, MB_OK | MB_ICONWARNING);
}

void CLayeredViewWnd::DestroyBrushCursor()
{
    brushIcon.Reset();
}
