// The picture edit view's layer commands: adding text, shape and material layers, duplicating,
// reordering, flipping, the transparency gradient, resizing, the options and rename dialogs,
// locking, showing, deleting, the conversion of drawn layers before raster operations, and the
// layer menu with its enable rules.
#include <algorithm>
#include <cmath>
#include "CanvasDialogRules.h"
#include "DlgEditorLayerOptions.h"
#include "EffectTables.h"
#include "DlgEditorRenLayer.h"
#include "EditorAppState.h"
#include "MessageBox.h"
#include "PicEditView.h"
#include "ZVUILibApp.h"

namespace {

// The layer that commands may change: present and not locked.
CLayerInfo* EditableLayer(CLayerDocument& doc)
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    return layer && !layer->locked ? layer : nullptr;
}

bool IsSelectionTool(int tool)
{
    return tool >= 4 && tool <= 12;
}

} // namespace

CPicEditView::LayerMenuItem CPicEditView::LayerMenuRule(UINT id, const LayerMenuFacts& f)
{
    const bool upper = f.currentId != 0;
    switch (id) {
    case ID_LAYER_VISIBLE: return {true, f.visible};
    case ID_LAYER_LOCKED: return {upper, f.locked};
    case ID_LAYER_DUPLICATE: return {true, false};
    case ID_LAYER_FRONT: return {upper && f.currentId != f.count - 1, false};
    case ID_LAYER_BACK: return {upper && f.currentId != 1, false};
    case ID_LAYER_EDIT_TEXT: return {f.type == LAYER_TEXT, false};
    case ID_LAYER_DELETE:
    case ID_LAYER_RENAME:
    case ID_LAYER_OPTIONS: return {upper, false};
    default: return {false, false};
    }
}

bool CPicEditView::GradientOfCommand(UINT id, long& start, long& end, long& mode)
{
    static const struct {
        UINT id;
        long start, end, mode;
    } gradients[] = {{33092, 100, 0, 1}, {33093, 100, 0, 2}, {33094, 100, 0, 4}, {33095, 100, 0, 8}, {33090, 0, 100, 16}};
    for (const auto& g : gradients)
        if (g.id == id) {
            start = g.start;
            end = g.end;
            mode = g.mode;
            return true;
        }
    return false;
}

bool CPicEditView::EnsureImageLayer()
{
    CLayerInfo* layer = EditableLayer(doc);
    if (!layer || (layer->type != LAYER_TEXT && layer->type != LAYER_SHAPE))
        return true;
    const int answer =
        BCGPMessageBox(m_hWnd, TranslateString(L"Only the converted image layer can continue to operate. Whether to convert?"),
                       TranslateString(L"Continue"), MB_OKCANCEL);
    if (answer != IDOK)
        return false;
    // The box may have let messages through: look the layer up again.
    if (!EditableLayer(doc))
        return false;
    doc.RasterizeCurrentLayer();
    doc.layers.currentType = LAYER_IMAGE;
    NotifyLayersChanged();
    return true;
}

// ---- adding layers ----

BOOL CPicEditView::AddTextLayer(CWordArtInfo settings)
{
    if (m_hWnd)
        SetFocus();
    if (!doc.AddTextLayer(settings))
        return FALSE;
    RequestRedraw();
    currentChanged = 1;
    NotifyLayersChanged();
    return TRUE;
}

BOOL CPicEditView::SetTextLayer(CWordArtInfo settings)
{
    if (!doc.UpdateTextLayer(settings))
        return FALSE;
    RequestRedraw();
    return TRUE;
}

BOOL CPicEditView::AddShapeLayer(ShapeSettings settings)
{
    if (m_hWnd)
        SetFocus();
    if (!doc.AddShapeLayer(settings))
        return FALSE;
    RequestRedraw();
    currentChanged = 1;
    NotifyLayersChanged();
    return TRUE;
}

BOOL CPicEditView::SetShapeSettings(ShapeSettings settings)
{
    if (!doc.UpdateShapeLayer(settings, FALSE))
        return FALSE;
    RequestRedraw();
    return TRUE;
}

BOOL CPicEditView::AddMaterialLayer(const wchar_t* path)
{
    if (m_hWnd)
        SetFocus();
    CLayerInfo layer;
    if (!path || !layer.displayed.LoadFile(path))
        return FALSE;
    layer.displayed.RotateExif(0);
    layer.displayed.IncreaseBpp(24);
    layer.displayed.ClearTransColor();
    layer.ownAlpha = layer.displayed.AlphaIsValid() ? 1 : 0;
    layer.id = static_cast<int32_t>(doc.layers.layers.size());
    layer.type = LAYER_IMAGE;
    layer.width = static_cast<int32_t>(layer.displayed.GetWidth());
    layer.height = static_cast<int32_t>(layer.displayed.GetHeight());
    if (doc.keepSource)
        layer.source.Copy(layer.displayed);
    // Wider than a third of the canvas: fitted into a square of that third.
    const int third = doc.docWidth / 3;
    if (third >= 1 && layer.width > third) {
        const double scale = static_cast<double>(third) / std::max(layer.width, layer.height);
        const int w = std::max(1, static_cast<int>(layer.width * scale));
        const int h = std::max(1, static_cast<int>(layer.height * scale));
        layer.Resize(w, h, w, false);
    }
    layer.location.x = doc.canvasRect.left + (doc.docWidth - layer.width) * doc.zoom * 0.5f;
    layer.location.y = doc.canvasRect.top + (doc.docHeight - layer.height) * doc.zoom * 0.5f;
    layer.drawOrigin = layer.location;
    layer.angle = 0;
    layer.visible = layer.framed = layer.movable = layer.selectable = 1;
    doc.CalcLayerTracker(&layer);
    if (!doc.layers.AddLayer(layer))
        return TRUE;
    doc.layers.currentType = LAYER_IMAGE;
    if (doc.historyOn)
        doc.history.AddHistory(doc.layers.GetCurrentLayer(), HISTORY_ADD);
    RequestRedraw();
    currentChanged = 1;
    NotifyLayersChanged();
    return TRUE;
}

void CPicEditView::DuplicateLayerImage()
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || !layer->displayed.IsValid())
        return;
    const CZVImage copy(layer->displayed);
    if (doc.AddImageLayer(copy, copy.AlphaIsValid()))
        RequestRedraw();
    NotifyLayersChanged();
}

// ---- order ----

BOOL CPicEditView::BringLayerForward()
{
    doc.layers.GetCurrentLayer();
    const int id = doc.layers.currentId;
    if (id <= 0)
        return FALSE;
    if (doc.layers.SwapLayers(id, id + 1)) {
        if (doc.historyOn)
            doc.history.AddSwapHistory(id, id + 1);
        doc.layers.currentId = id + 1;
    }
    RequestRedraw();
    return TRUE;
}

BOOL CPicEditView::SendLayerBackward()
{
    doc.layers.GetCurrentLayer();
    const int id = doc.layers.currentId;
    if (id <= 0)
        return FALSE;
    // The background stays at the bottom.
    if (id > 1 && doc.layers.SwapLayers(id, id - 1)) {
        if (doc.historyOn)
            doc.history.AddSwapHistory(id, id - 1);
        doc.layers.currentId = id - 1;
    }
    RequestRedraw();
    return TRUE;
}

// ---- pixels and size ----

void CPicEditView::FlipLayerVertical()
{
    CLayerInfo* layer = EditableLayer(doc);
    if (!layer)
        return;
    ClearSelection();
    frame.Reset();
    layer->FlipVertical();
    if (doc.historyOn)
        doc.history.AddHistory(layer, HISTORY_MODIFY);
    RequestRedraw();
}

void CPicEditView::FlipLayerHorizontal()
{
    CLayerInfo* layer = EditableLayer(doc);
    if (!layer)
        return;
    ClearSelection();
    frame.Reset();
    layer->FlipHorizontal();
    if (doc.historyOn)
        doc.history.AddHistory(layer, HISTORY_MODIFY);
    RequestRedraw();
}

void CPicEditView::ApplyTransparentGradient(long start, long end, long mode)
{
    CLayerInfo* layer = EditableLayer(doc);
    if (!layer)
        return;
    if (layer->source.IsValid())
        layer->displayed.Copy(layer->source);
    if (!layer->displayed.MakeAlpha(start, end, mode))
        return;
    layer->source.Copy(layer->displayed);
    layer->RenderImage();
    layer->ClearShadowCache();
    if (doc.historyOn)
        doc.history.AddHistory(layer, HISTORY_MODIFY);
    RequestRedraw();
}

void CPicEditView::ResizeLayer(int width, int height)
{
    CLayerInfo* layer = EditableLayer(doc);
    if (!layer || width < 1 || height < 1)
        return;
    resizeRatioX = static_cast<float>(layer->width) / width;
    resizeRatioY = static_cast<float>(layer->height) / height;
    layer->Resize(width, height, width, false);
}

void CPicEditView::SetLayerOptions(int alpha, int width, int height)
{
    CLayerInfo* layer = EditableLayer(doc);
    if (!layer)
        return;
    if (width >= 1 && height >= 1) {
        resizeRatioX = static_cast<float>(layer->width) / width;
        resizeRatioY = static_cast<float>(layer->height) / height;
    }
    if (layer->alpha != (alpha & 0xFF)) {
        layer->alpha = alpha & 0xFF;
        layer->ClearShadowCache();
    }
    if (width >= 0 && (width != layer->width || height != layer->height))
        layer->SetSize(width, height);
    if (layer->type == LAYER_SHAPE)
        SetHostShapeSettings(layer->shape);
    doc.CalcLayerTracker(layer);
    RequestRedraw();
}

// ---- deleting ----

BOOL CPicEditView::DeleteSelectionOrLayer()
{
    BOOL deleted = FALSE;
    CLayerInfo* layer = EditableLayer(doc);
    if (IsSelectionTool(tool)) {
        if (layer) {
            layer->ClearZoomedCopy();
            const bool selected = doc.pathPoints.size() >= 4 && ApplySelection();
            if (selected && layer->displayed.SetSelectionColor(RGB(255, 255, 255))) {
                if (doc.keepSource)
                    layer->CommitImage();
                else
                    layer->ClearSourceImage();
                layer->displayed.SelectionDelete();
                layer->source.SelectionDelete();
                doc.pathPoints.clear();
                selectionTracker.m_rect.SetRectEmpty();
                RequestRedraw();
                if (doc.historyOn)
                    doc.history.AddHistory(layer, HISTORY_MODIFY);
            }
        }
    } else if (layer && doc.layers.currentId != 0) {
        if (doc.historyOn)
            doc.history.AddHistory(layer, HISTORY_DELETE);
        doc.layers.DeleteLayer(doc.layers.currentId);
        if (--doc.layers.currentId == 0)
            frame.Reset();
        RequestRedraw();
        deleted = TRUE;
    }
    currentChanged = 1;
    NotifyLayersChanged();
    return deleted;
}

// ---- the layer menu ----

void CPicEditView::OnLayerVisible()
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer)
        return;
    layer->visible = layer->visible ? 0 : 1;
    RequestRedraw();
    NotifyLayersChanged();
}

void CPicEditView::OnLayerLocked()
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || doc.layers.currentId <= 0)
        return;
    layer->locked = layer->locked ? 0 : 1;
    doc.layers.currentLocked = layer->locked;
    RequestRedraw();
    NotifyLayersChanged();
}

void CPicEditView::OnLayerDuplicate()
{
    if (doc.DuplicateCurrentLayer())
        RequestRedraw();
    NotifyLayersChanged();
}

void CPicEditView::OnLayerDelete()
{
    if (doc.DeleteCurrentLayer())
        RequestRedraw();
    NotifyLayersChanged();
}

void CPicEditView::OnLayerFront()
{
    BringLayerForward();
    NotifyLayersChanged();
}

void CPicEditView::OnLayerBack()
{
    SendLayerBackward();
    NotifyLayersChanged();
}

void CPicEditView::OnEditText()
{
    CLayerInfo* layer = EditableLayer(doc);
    if (!layer || layer->type != LAYER_TEXT)
        return;
    // The text sheet starts from the layer's settings.
    GetEditorAppState().defaultWordArt = layer->wordArt;
    if (IEditorHost* host = GetEditorHost())
        host->RunTextSheet(false);
}

void CPicEditView::OnRenameLayer()
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || doc.layers.currentId <= 0)
        return;
    CDlgEditorRenLayer dialog(this);
    dialog.m_name = layer->name;
    if (dialog.DoModal() != IDOK)
        return;
    // The dialog may have let messages through: look the layer up again.
    if (CLayerInfo* renamed = doc.layers.GetCurrentLayer()) {
        renamed->name = dialog.m_name;
        NotifyLayersChanged();
    }
}

void CPicEditView::OnLayerOptions()
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || doc.layers.currentId <= 0)
        return;
    const uint32_t serial = layer->serial;
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;

    CDlgEditorLayerOptions dialog(this);
    dialog.m_width = dialog.m_layerWidth = layer->width;
    dialog.m_height = dialog.m_layerHeight = layer->height;
    dialog.m_opacity = doc.GetCurrentLayerOpacity();
    dialog.m_angle = AngleToDegrees(layer->angle);
    dialog.m_keepRatio = layer->keepAspect ? TRUE : FALSE;
    dialog.m_x = static_cast<int>((layer->location.x - doc.canvasRect.left) / zoom);
    dialog.m_y = static_cast<int>((layer->location.y - doc.canvasRect.top) / zoom);
    dialog.m_document = &doc;
    dialog.m_onPreview = [&] { PreviewLayerOptions(dialog); };
    dialog.m_onRestored = [this] {
        // The restored layer's shape settings go back to the host's shape options too.
        if (CLayerInfo* current = doc.layers.GetCurrentLayer(); current && current->type == LAYER_SHAPE)
            SetHostShapeSettings(current->shape);
        RequestRedraw();
    };
    const INT_PTR result = dialog.DoModal();
    CLayerInfo* current = doc.layers.GetLayerBySerial(serial);
    if (result == IDOK && current && !current->locked) {
        doc.CommitCurrentLayer(FALSE);
        NotifyLayersChanged();
    }
}

void CPicEditView::PreviewLayerOptions(const CDlgEditorLayerOptions& dialog)
{
    const CLayerInfo* opened = dialog.OpenedLayer();
    // An opacity left alone keeps the exact alpha; a percentage gives round(p * 255 / 100), so
    // that 100 % is 255.
    const int alpha = opened && dialog.m_opacity == dialog.m_openOpacity ? opened->alpha
                                                                         : PercentToAlpha(dialog.m_opacity);
    SetLayerOptions(alpha, dialog.m_width, dialog.m_height);
    CLayerInfo* current = EditableLayer(doc);
    if (!current)
        return;
    // A place left alone stays exact: the fields hold it only to whole picture pixels.
    if (dialog.m_x != dialog.m_openX || dialog.m_y != dialog.m_openY) {
        const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
        const float x = CanvasLocation(static_cast<float>(doc.canvasRect.left), zoom, dialog.m_x);
        const float y = CanvasLocation(static_cast<float>(doc.canvasRect.top), zoom, dialog.m_y);
        doc.SetCurrentLayerLocation(x, y);
        doc.SetCurrentLayerAngleOrigin(x, y);
    }
    doc.SetCurrentLayerKeepAspect(dialog.m_keepRatio);
    if (dialog.m_angle != dialog.m_openAngle)
        current->SetAngle(DegreesToRadians(dialog.m_angle));
    else if (opened && current->angle != opened->angle)
        current->SetAngle(opened->angle);
    doc.CalcLayerTracker(current);
    RequestRedraw();
}

BOOL CPicEditView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    static const struct {
        UINT id;
        void (CPicEditView::*handler)();
    } commands[] = {{ID_LAYER_VISIBLE, &CPicEditView::OnLayerVisible},   {ID_LAYER_LOCKED, &CPicEditView::OnLayerLocked},
                    {ID_LAYER_DUPLICATE, &CPicEditView::OnLayerDuplicate}, {ID_LAYER_DELETE, &CPicEditView::OnLayerDelete},
                    {ID_LAYER_FRONT, &CPicEditView::OnLayerFront},       {ID_LAYER_BACK, &CPicEditView::OnLayerBack},
                    {ID_LAYER_EDIT_TEXT, &CPicEditView::OnEditText},     {ID_LAYER_RENAME, &CPicEditView::OnRenameLayer},
                    {ID_LAYER_OPTIONS, &CPicEditView::OnLayerOptions}};
    for (const auto& c : commands) {
        if (c.id != nID)
            continue;
        if (nCode == CN_COMMAND) {
            if (!pHandlerInfo)
                (this->*c.handler)();
            return TRUE;
        }
        if (nCode == CN_UPDATE_COMMAND_UI && pExtra) {
            const LayerMenuItemState item = GetLayerMenuItemState(nID, doc.layers);
            CCmdUI* state = static_cast<CCmdUI*>(pExtra);
            state->Enable(item.enabled);
            state->SetCheck(item.checked ? 1 : 0);
            return TRUE;
        }
        break;
    }
    long start, end, mode;
    if (GradientOfCommand(nID, start, end, mode)) {
        if (nCode == CN_COMMAND) {
            // A raster operation: a drawn layer is converted first, or nothing happens.
            if (!pHandlerInfo && EnsureImageLayer())
                ApplyTransparentGradient(start, end, mode);
            return TRUE;
        }
        if (nCode == CN_UPDATE_COMMAND_UI && pExtra) {
            static_cast<CCmdUI*>(pExtra)->Enable(EditableLayer(doc) != nullptr);
            return TRUE;
        }
    }
    return CLayeredViewWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
