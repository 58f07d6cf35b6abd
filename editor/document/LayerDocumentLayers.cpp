#include "LayerDocument.h"
#include <algorithm>
#include <functional>
#include "ZVUILibApp.h"

BOOL CLayerDocument::AddUpperLayer(CLayerInfo& layer, bool atInsertPoint)
{
    layer.id = static_cast<int32_t>(layers.layers.size());
    // The top left of the part of the picture in view, or the insertion point, on the canvas.
    const int x = atInsertPoint ? insertPoint.x : canvasRect.left;
    const int y = atInsertPoint ? insertPoint.y : canvasRect.top;
    layer.location = ZVPOINTF{static_cast<float>(ScrollX() + x), static_cast<float>(ScrollY() + y)};
    layer.drawOrigin = layer.location;
    layer.visible = layer.framed = layer.movable = layer.selectable = 1;
    layer.picked = 0;
    CalcLayerTracker(&layer);
    CLayerInfo* added = PutLayer(layer, false);
    if (!added)
        return FALSE;
    if (historyOn)
        history.AddHistory(added, HISTORY_ADD);
    return TRUE;
}

BOOL CLayerDocument::AddBlankLayer(RGBQUAD colour, int width, int height)
{
    if (!SidesAllowed(width, height))
        return FALSE;
    CLayerInfo layer;
    if (!layer.displayed.Create(width, height, 24))
        return FALSE;
    layer.displayed.SetRectColor(RECT{0, 0, width, height}, colour, true);
    // A see-through fill needs a plane to carry it: without one the layer shows opaque.
    if (colour.rgbReserved != 255 && layer.displayed.AlphaCreate())
        layer.displayed.AlphaSet(colour.rgbReserved);
    layer.ownAlpha = colour.rgbReserved != 255 ? 1 : 0;
    layer.type = LAYER_IMAGE;
    layer.width = width;
    layer.height = height;
    KeepOrDropSource(layer);
    layer.name = LayerName(TranslateString(L"Layer"), layers.imageNameCounter, true);
    return AddUpperLayer(layer, false);
}

BOOL CLayerDocument::AddImageLayer(const CZVImage& picture, BOOL ownAlpha)
{
    CLayerInfo layer;
    layer.displayed = picture;
    layer.ownAlpha = ownAlpha ? 1 : 0;
    layer.type = LAYER_IMAGE;
    layer.width = static_cast<int32_t>(layer.displayed.GetWidth());
    layer.height = static_cast<int32_t>(layer.displayed.GetHeight());
    KeepOrDropSource(layer);
    layer.name = LayerName(TranslateString(L"Layer"), layers.imageNameCounter, true);
    return AddUpperLayer(layer, false);
}

BOOL CLayerDocument::AddImageFileLayer(const wchar_t* path)
{
    CZVImage picture;
    if (!path || !picture.LoadFile(path))
        return FALSE;
    picture.RotateExif(0);
    picture.IncreaseBpp(24);
    picture.ClearTransColor();
    return AddImageLayer(picture, picture.AlphaIsValid());
}

BOOL CLayerDocument::AddTextLayer(CWordArtInfo settings)
{
    CLayerInfo layer;
    layer.type = LAYER_TEXT;
    layer.name = LayerName(TranslateString(L"Text"), layers.textNameCounter, true);
    layer.wordArt = settings;
    layer.alpha = 255;
    layer.RenderText();
    return AddUpperLayer(layer, true);
}

BOOL CLayerDocument::AddShapeLayer(ShapeSettings settings)
{
    CLayerInfo layer;
    layer.type = LAYER_SHAPE;
    layer.name = LayerName(TranslateString(L"Shape"), layers.shapeNameCounter, true);
    layer.shape = settings;
    layer.alpha = 255;
    layer.RenderShape();
    return AddUpperLayer(layer, true);
}

BOOL CLayerDocument::DuplicateCurrentLayer()
{
    CLayerInfo* current = CurrentLayer();
    if (!current)
        return FALSE;
    CLayerInfo copy(*current);
    // The copy is a layer of its own: the history must not take it for the original.
    copy.serial = 0;
    copy.id = static_cast<int32_t>(layers.layers.size());
    if (copy.type == LAYER_TEXT)
        copy.name = LayerName(TranslateString(L"Text"), layers.textNameCounter, true);
    else if (copy.type == LAYER_SHAPE)
        copy.name = LayerName(TranslateString(L"Shape"), layers.shapeNameCounter, true);
    else if (copy.type == LAYER_BACKGROUND)
        copy.type = LAYER_IMAGE;
    else
        copy.name = LayerName(TranslateString(L"Layer"), layers.imageNameCounter, true);
    CLayerInfo* added = PutLayer(copy, false);
    if (!added)
        return FALSE;
    if (historyOn)
        history.AddHistory(added, HISTORY_ADD);
    return TRUE;
}

int CLayerDocument::FirstStyleStepOf(const CLayerInfo& layer)
{
    const int index = std::min(history.position, history.GetCount() - 1);
    if (index < 0 || layer.serial == 0 || layer.serial == m_styledAddSerial)
        return -1;
    const CHistoryData& record = history.RecordAt(index);
    const bool sameLayerAdded =
        record.kind == HISTORY_LAYER && record.action == HISTORY_ADD && record.GetLayerSerial() == layer.serial;
    return sameLayerAdded ? index : -1;
}

void CLayerDocument::RecordRestyle(CLayerInfo& layer, const std::function<void(CLayerInfo&)>& restyle)
{
    if (!historyOn)
        return;
    const int added = FirstStyleStepOf(layer);
    if (added < 0 || !history.RecordAt(added).HasPixels()) {
        history.AddHistory(&layer, HISTORY_MODIFY);
        return;
    }
    CLayerInfo snapshot = history.RecordAt(added).GetLayer();
    restyle(snapshot);
    CalcLayerTracker(&snapshot);
    history.ReplaceSnapshot(added, snapshot);
    m_styledAddSerial = layer.serial;
}

BOOL CLayerDocument::UpdateTextLayer(CWordArtInfo settings)
{
    CLayerInfo* layer = CurrentLayer();
    if (!layer || layer->type != LAYER_TEXT)
        return FALSE;
    layer->wordArt = settings;
    layer->RenderText();
    CalcLayerTracker(layer);
    layers.currentType = LAYER_TEXT;
    RecordRestyle(*layer, [&](CLayerInfo& added) {
        added.wordArt = settings;
        added.RenderText();
    });
    return TRUE;
}

BOOL CLayerDocument::UpdateShapeLayer(ShapeSettings settings, BOOL moveToInsertPoint)
{
    CLayerInfo* layer = CurrentLayer();
    if (!layer || layer->type != LAYER_SHAPE)
        return FALSE;
    const ZVPOINTF placed = {static_cast<float>(ScrollX() + insertPoint.x), static_cast<float>(ScrollY() + insertPoint.y)};
    layer->shape = settings;
    if (moveToInsertPoint)
        layer->location = layer->drawOrigin = placed;
    layer->RenderShape();
    CalcLayerTracker(layer);
    layers.currentType = LAYER_SHAPE;
    // The add step puts the shape where it is being drawn, whether or not it moved now.
    RecordRestyle(*layer, [&](CLayerInfo& added) {
        added.location = added.drawOrigin = placed;
        added.shape = settings;
        added.RenderShape();
    });
    return TRUE;
}

void CLayerDocument::CommitCurrentLayer(BOOL bakeRotation)
{
    if (!historyOn)
        return;
    CLayerInfo* layer = CurrentLayer();
    if (!layer)
        return;
    history.AddHistory(layer, HISTORY_MODIFY);
    if (!bakeRotation)
        return;
    // The turned picture becomes the layer's own, unturned, where it was shown: the frame's
    // corner is in window coordinates, so the scroll offset brings it back onto the canvas.
    const POINT corner = layer->GetFrameTopLeft();
    layer->width = static_cast<int32_t>(layer->displayed.GetWidth());
    layer->height = static_cast<int32_t>(layer->displayed.GetHeight());
    layer->angle = 0.0f;
    layer->location = ZVPOINTF{static_cast<float>(corner.x + ScrollX()), static_cast<float>(corner.y + ScrollY())};
    layer->drawOrigin = layer->location;
    CalcLayerTracker(layer);
    KeepOrDropSource(*layer);
}

void CLayerDocument::RasterizeCurrentLayer()
{
    CLayerInfo* layer = CurrentLayer();
    if (!layer)
        return;
    layer->type = LAYER_IMAGE;
    KeepOrDropSource(*layer);
}

namespace {

// A pixel operation on the layer's original picture, kept as the new original and shown.
template <class Operation>
bool ChangeLayerPixels(CLayerInfo& layer, const Operation& operation)
{
    // On the original itself when the layer keeps one (the shown picture is rendered from it
    // next), which spares two copies of the whole picture; else on the shown picture, which
    // becomes the original.
    if (layer.source.IsValid()) {
        if (!operation(layer.source))
            return false;
    } else {
        if (!layer.displayed.IsValid() || !operation(layer.displayed))
            return false;
        layer.source.Copy(layer.displayed);
    }
    layer.RenderImage();
    layer.ClearShadowCache();
    return true;
}

} // namespace

void CLayerDocument::EdgeCurrentLayer()
{
    CLayerInfo* layer = CurrentLayer();
    if (!layer || !ChangeLayerPixels(*layer, [](CZVImage& p) { return p.Edge(2); }))
        return;
    if (historyOn)
        history.AddHistory(layer, HISTORY_MODIFY);
}

void CLayerDocument::FilterCurrentLayer(long kernel[9])
{
    CLayerInfo* layer = CurrentLayer();
    if (!layer || !kernel || !ChangeLayerPixels(*layer, [kernel](CZVImage& p) { return p.Filter(kernel, 3, -1, 127); }))
        return;
    if (historyOn)
        history.AddHistory(layer, HISTORY_MODIFY);
}

BOOL CLayerDocument::DeleteCurrentLayer()
{
    CLayerInfo* layer = CurrentLayer();
    if (!layer || layers.currentId == 0 || layer->locked)
        return FALSE;
    if (historyOn)
        history.AddHistory(layer, HISTORY_DELETE);
    layers.DeleteLayer(layers.currentId);
    --layers.currentId;
    return TRUE;
}

RECT CLayerDocument::MergeViewRect()
{
    RECT view = viewRect;
    const auto narrow = [](LONG& start, LONG& end, int size) {
        const double extent = static_cast<double>(end) - start;
        if (extent > 0 && size / extent < 1.0) {
            start = static_cast<LONG>((extent - size) * 0.5 + start);
            end = static_cast<LONG>(start + size);
        }
    };
    narrow(view.left, view.right, docWidth);
    narrow(view.top, view.bottom, docHeight);
    return view;
}

// The canvas lays the layers out at fitZoom (it sets fitZoom to the zoom whenever it moves them
// to a new one), so a merge multiplies canvas distances by 1 / fitZoom to reach picture pixels.
float CLayerDocument::MergeScale() const
{
    return fitZoom > 0 ? 1.0f / fitZoom : 1.0f;
}

void CLayerDocument::FlattenImage()
{
    const RECT view = MergeViewRect();
    if (historyOn)
        history.AddLayersHistory(&layers);
    layers.MergeAllLayers(canvasRect, view, MergeScale());
    layers.currentId = 0;
}

void CLayerDocument::MergeVisibleLayers()
{
    const RECT view = MergeViewRect();
    if (historyOn)
        history.AddMergeHistory(&layers);
    layers.MergeVisibleLayers(canvasRect, view, MergeScale());
    layers.currentId = 0;
}

void CLayerDocument::ApplyHistoryRecord(CHistoryData* record)
{
    if (!record)
        return;
    if (record->kind == HISTORY_FLATTEN || record->kind == HISTORY_MERGE) {
        const RECT view = MergeViewRect();
        const float scale = MergeScale();
        if (record->kind == HISTORY_FLATTEN)
            layers.MergeAllLayers(canvasRect, view, scale);
        else
            layers.MergeVisibleLayers(canvasRect, view, scale);
        layers.currentId = 0;
        return;
    }
    if (record->kind != HISTORY_LAYER)
        return;
    if (record->action == HISTORY_SWAP) {
        if (layers.SwapLayers(record->swapIdA, record->swapIdB))
            layers.currentId += record->swapIdA < record->swapIdB ? 1 : -1;
        return;
    }
    // The layer is found by its serial wherever later changes have moved it; a record from
    // before serials existed falls back on the id.
    const uint32_t serial = record->GetLayerSerial();
    CLayerInfo* target = serial ? layers.GetLayerBySerial(serial) : layers.GetLayer(record->GetLayerId());
    switch (record->action) {
    case HISTORY_ADD: {
        CLayerInfo snapshot = record->GetLayer();
        snapshot.id = static_cast<int32_t>(layers.layers.size());
        layers.AddLayer(snapshot);
        break;
    }
    case HISTORY_DELETE:
        if (target)
            layers.DeleteLayer(target->id);
        break;
    case HISTORY_MODIFY:
        if (target) {
            // Written into the layer's own pictures, as an undo is.
            CLayerInfo state;
            state.displayed.Transfer(target->displayed);
            state.source.Transfer(target->source);
            record->GetLayerInto(state);
            const int id = target->id;
            layers.ReplaceLayer(id, std::move(state));
            layers.currentId = id;
        }
        break;
    default:
        break;
    }
}

float CLayerDocument::GetCurrentLayerAngle()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->angle : 0.0f;
}

ZVPOINTF CLayerDocument::GetCurrentLayerLocation()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->location : ZVPOINTF{0, 0};
}

ZVPOINTF CLayerDocument::GetCurrentLayerAngleOrigin()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->drawOrigin : ZVPOINTF{0, 0};
}

int CLayerDocument::GetCurrentLayerWidth()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->width : 0;
}

int CLayerDocument::GetCurrentLayerHeight()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->height : 0;
}

int CLayerDocument::GetCurrentLayerOpacity()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? static_cast<int>(layer->alpha / 2.55 + 0.5) : 0;
}

int CLayerDocument::GetCurrentLayerShadow()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->shadowOn : 0;
}

int CLayerDocument::GetCurrentLayerShadowAngle()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->shadowAngle : 0;
}

int CLayerDocument::GetCurrentLayerShadowDistance()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->shadowDistance : 0;
}

int CLayerDocument::GetCurrentLayerShadowOffsetX()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->shadowOffsetX : 0;
}

int CLayerDocument::GetCurrentLayerShadowOffsetY()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->shadowOffsetY : 0;
}

RGBQUAD CLayerDocument::GetCurrentLayerShadowColor()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->shadowColour : RGBQUAD{0x80, 0x80, 0x80, 0};
}

BOOL CLayerDocument::GetCurrentLayerKeepAspect()
{
    const CLayerInfo* layer = CurrentLayer();
    return layer ? layer->keepAspect : 0;
}

CZVImage* CLayerDocument::GetCurrentLayerImage()
{
    CLayerInfo* layer = CurrentLayer();
    return layer ? &layer->displayed : nullptr;
}

CZVImage* CLayerDocument::GetCurrentLayerSourceImage()
{
    CLayerInfo* layer = CurrentLayer();
    return layer ? &layer->source : nullptr;
}

void CLayerDocument::SetCurrentLayerLocation(float x, float y)
{
    if (CLayerInfo* layer = CurrentLayer())
        layer->location = ZVPOINTF{x, y};
}

void CLayerDocument::SetCurrentLayerAngleOrigin(float x, float y)
{
    if (CLayerInfo* layer = CurrentLayer())
        layer->drawOrigin = ZVPOINTF{x, y};
}

void CLayerDocument::SetCurrentLayerKeepAspect(BOOL keep)
{
    if (CLayerInfo* layer = CurrentLayer())
        layer->keepAspect = keep ? 1 : 0;
}

CZVImage* CLayerDocument::GetBackgroundImage()
{
    CLayerInfo* base = layers.GetLayer(0);
    return base ? &base->displayed : nullptr;
}

void CLayerDocument::SetImageDPI(int dpi)
{
    CLayerInfo* base = layers.GetLayer(0);
    if (!base)
        return;
    for (CZVImage* p : {&base->displayed, &base->source})
        if (p->IsValid()) {
            p->SetXDPI(dpi);
            p->SetYDPI(dpi);
        }
}

BOOL CLayerDocument::SaveCurrentLayerImage(const wchar_t* path, int type)
{
    CLayerInfo* layer = CurrentLayer();
    return layer && path && layer->displayed.SaveFile(path, static_cast<DWORD>(type)) ? TRUE : FALSE;
}
