#include "LayerDocument.h"
#include <algorithm>
#include <cmath>
#include "ZVObjGraph.h"

namespace {

// The picture reduced to the zoom, at least one pixel each way; the shadow made from the old
// reduced copy goes with it.
void ReduceToZoom(CLayerInfo& layer, float zoom)
{
    layer.ClearZoomedCopy();
    if (layer.zoomedShadowCache.IsValid())
        layer.zoomedShadowCache.Destroy();
    if (!layer.displayed.IsValid())
        return;
    const long w = std::max(1L, static_cast<long>(layer.displayed.GetWidth() * zoom));
    const long h = std::max(1L, static_cast<long>(layer.displayed.GetHeight() * zoom));
    layer.displayed.QIShrink(w, h, &layer.zoomedCopy);
}

} // namespace

void CLayerDocument::ComposeOnto(CZVImage& target, CLayerInfo& layer, POINT offset, bool reduced)
{
    const CZVImage& picture = reduced ? layer.zoomedCopy : layer.displayed;
    if (layer.shadowOn) {
        CZVImage& cache = reduced ? layer.zoomedShadowCache : layer.shadowCache;
        // The blur is the costly step: each shadow is made once and kept until the layer's
        // look changes or its reduced copy is made again.
        if (!cache.IsValid() && picture.IsValid()) {
            CZVImage shadow(picture);
            shadow.ColorEdge(layer.shadowColour, 5);
            shadow.GaussianBlur(8.0f);
            shadow.AlphaEdge(layer.shadowColour);
            shadow.AlphaSetMax(layer.shadowColour.rgbReserved);
            cache.Transfer(shadow);
        }
        // The shadow's offset is in picture pixels; the reduced composite's pixels are view
        // pixels, so there it shrinks with the zoom.
        const double scale = reduced ? zoom : 1.0;
        const long sx = static_cast<long>(std::floor(layer.shadowOffsetX * scale + 0.5));
        const long sy = static_cast<long>(std::floor(layer.shadowOffsetY * scale + 0.5));
        if (cache.IsValid())
            target.CombineImage(cache, offset.x + sx, offset.y + sy);
    }
    if (picture.IsValid())
        target.CombineImage(picture, offset.x, offset.y);
}

void CLayerDocument::RebuildComposite()
{
    std::vector<CLayerInfo>& list = layers.layers;
    if (list.empty())
        return;
    if (list.size() == 1 && !composeSingle) {
        composite.Destroy();
        return;
    }
    composite.Copy(list[0].displayed);
    const ZVPOINTF base = list[0].location;
    for (size_t i = 1; i < list.size(); ++i) {
        CLayerInfo& layer = list[i];
        // The canvas draws a layer that it is dragging itself, as it moves.
        if (!layer.visible || layer.dragging)
            continue;
        ComposeOnto(composite, layer, CompositeOffset(layer.drawOrigin, base, canvasRect, zoom), false);
    }
}

void CLayerDocument::RebuildScaledComposite()
{
    std::vector<CLayerInfo>& list = layers.layers;
    if (zoom >= 1.0f || list.empty())
        return;
    // Reduced copies outlive a rebuild; dropping the reduced composite (a zoom change) makes
    // every one again.
    const bool reuse = scaledComposite.IsValid();
    const auto reduced = [&](CLayerInfo& layer) {
        if (!reuse || !layer.zoomedCopy.IsValid())
            ReduceToZoom(layer, zoom);
    };
    reduced(list[0]);
    scaledComposite.Copy(list[0].zoomedCopy);
    const ZVPOINTF base = list[0].location;
    for (size_t i = 1; i < list.size(); ++i) {
        CLayerInfo& layer = list[i];
        if (!layer.visible || layer.dragging)
            continue;
        reduced(layer);
        ComposeOnto(scaledComposite, layer, ScaledCompositeOffset(layer.drawOrigin, base), true);
    }
}

void CLayerDocument::ComposeLayer(CLayerInfo* layer)
{
    std::vector<CLayerInfo>& list = layers.layers;
    if (!layer || list.empty())
        return;
    if (list.size() < 2 && !composeSingle) {
        composite.Destroy();
        return;
    }
    ComposeOnto(composite, *layer, CompositeOffset(layer->location, list[0].location, canvasRect, zoom), false);
}

void CLayerDocument::ComposeLayerScaled(CLayerInfo* layer)
{
    std::vector<CLayerInfo>& list = layers.layers;
    if (!layer || list.empty())
        return;
    ReduceToZoom(*layer, zoom);
    ComposeOnto(scaledComposite, *layer, ScaledCompositeOffset(layer->location, list[0].location), true);
}

void CLayerDocument::CalcLayerTracker(CLayerInfo* layer)
{
    if (!layer)
        return;
    POINT points[5];
    LayerFramePoints(layer->location, layer->width, layer->height, zoom, ScrollX(), ScrollY(), frameMargin, points);
    CRotateTracker frame;
    frame.SetPoints(points);
    frame.Rotate(layer->angle);
    frame.UpdateHandleRects();
    layer->frame = frame;
}

void CLayerDocument::UpdateLayerOrigin(CLayerInfo* layer)
{
    if (!layer)
        return;
    CalcLayerTracker(layer);
    if (layer->angle != 0.0f) {
        const POINT corner = layer->GetFrameTopLeft();
        layer->drawOrigin = ZVPOINTF{static_cast<float>(ScrollX() + corner.x), static_cast<float>(ScrollY() + corner.y)};
    } else {
        layer->drawOrigin = layer->location;
    }
}

float CLayerDocument::GetFitZoom()
{
    if (docWidth < 1 || docHeight < 1)
        return 1.0f;
    const RECT fit = CZVObjGraph::CalcFitWindowSize(SIZE{docWidth, docHeight}, viewRect);
    const long width = fit.right - fit.left;
    return width > 0 ? static_cast<float>(width) / static_cast<float>(docWidth) : 1.0f;
}
