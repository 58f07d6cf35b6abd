#include "LayeredManage.h"
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Canvas coordinates at one zoom to those at another.
float MapX(float x, const RECT& oldCanvas, const RECT& newCanvas, float scale)
{
    return (x - oldCanvas.left) * scale + newCanvas.left;
}

float MapY(float y, const RECT& oldCanvas, const RECT& newCanvas, float scale)
{
    return (y - oldCanvas.top) * scale + newCanvas.top;
}

} // namespace

void CLayeredManage::Renumber()
{
    for (size_t i = 0; i < layers.size(); ++i)
        layers[i].id = layers[i].order = static_cast<int32_t>(i);
}

void CLayeredManage::GiveSerial(CLayerInfo& layer, const CLayerInfo* replaced)
{
    if (layer.serial != 0) {
        const bool taken = std::any_of(layers.begin(), layers.end(), [&](const CLayerInfo& other) {
            return &other != replaced && other.serial == layer.serial;
        });
        if (!taken) {
            m_lastSerial = std::max(m_lastSerial, layer.serial);
            return;
        }
    }
    layer.serial = ++m_lastSerial;
}

CLayeredManage CLayeredManage::CopyWithoutLayers() const
{
    CLayeredManage copy;
    copy.imageNameCounter = imageNameCounter;
    copy.textNameCounter = textNameCounter;
    copy.shapeNameCounter = shapeNameCounter;
    copy.currentId = currentId;
    copy.currentLocked = currentLocked;
    copy.currentHasAlpha = currentHasAlpha;
    copy.currentType = currentType;
    copy.m_lastSerial = m_lastSerial;
    return copy;
}

BOOL CLayeredManage::AddLayer(CLayerInfo layer)
{
    if (GetLayer(layer.id))
        return FALSE;
    layer.order = static_cast<int32_t>(layers.size());
    GiveSerial(layer, nullptr);
    currentId = layer.id;
    currentType = layer.type;
    layers.push_back(std::move(layer));
    return TRUE;
}

BOOL CLayeredManage::InsertLayerAtBottom(CLayerInfo layer)
{
    GiveSerial(layer, nullptr);
    layers.insert(layers.begin(), std::move(layer));
    Renumber();
    return TRUE;
}

BOOL CLayeredManage::InsertLayerAt(int index, CLayerInfo layer)
{
    const size_t at = static_cast<size_t>(std::clamp(index, 0, static_cast<int>(layers.size())));
    GiveSerial(layer, nullptr);
    layers.insert(layers.begin() + at, layer);
    Renumber();
    currentId = static_cast<int32_t>(at);
    currentType = layer.type;
    return TRUE;
}

BOOL CLayeredManage::DeleteLayer(int id)
{
    const auto it = std::find_if(layers.begin(), layers.end(), [id](const CLayerInfo& l) { return l.id == id; });
    const bool found = it != layers.end();
    if (found)
        layers.erase(it);
    Renumber();
    return found ? TRUE : FALSE;
}

BOOL CLayeredManage::SwapLayers(int idA, int idB)
{
    CLayerInfo* a = GetLayer(idA);
    CLayerInfo* b = GetLayer(idB);
    if (!a || !b)
        return FALSE;
    if (a == b)
        return TRUE;
    const int32_t aId = a->id, aOrder = a->order, bId = b->id, bOrder = b->order;
    std::swap(*a, *b);
    a->id = aId;
    a->order = aOrder;
    b->id = bId;
    b->order = bOrder;
    return TRUE;
}

BOOL CLayeredManage::MoveLayerTo(int id, ZVPOINTF point, int)
{
    CLayerInfo* layer = GetLayer(id);
    if (!layer)
        return FALSE;
    // The frame moves by whole pixels from the old location's whole part.
    const float oldX = std::trunc(layer->location.x), oldY = std::trunc(layer->location.y);
    const int dx = static_cast<int>(point.x - oldX), dy = static_cast<int>(point.y - oldY);
    layer->location = point;
    layer->drawOrigin = point;
    layer->frame.Offset(dx, dy);
    return TRUE;
}

CLayerInfo* CLayeredManage::GetLayer(int id)
{
    for (CLayerInfo& layer : layers)
        if (layer.id == id)
            return &layer;
    return nullptr;
}

CLayerInfo* CLayeredManage::GetLayerBySerial(uint32_t serial)
{
    if (serial == 0)
        return nullptr;
    for (CLayerInfo& layer : layers)
        if (layer.serial == serial)
            return &layer;
    return nullptr;
}

CLayerInfo* CLayeredManage::GetCurrentLayer()
{
    const int count = static_cast<int>(layers.size());
    if (currentId >= count)
        currentId = count - 1;
    return GetLayer(currentId);
}

void CLayeredManage::ReplaceLayer(int id, CLayerInfo layer)
{
    CLayerInfo* existing = GetLayer(id);
    if (!existing)
        return;
    layer.id = layer.order = id;
    if (layer.serial == 0)
        layer.serial = existing->serial;
    GiveSerial(layer, existing);
    *existing = std::move(layer);
}

BOOL CLayeredManage::SetBaseImage(const CZVImage& picture)
{
    CLayerInfo* base = GetLayer(0);
    if (!base)
        return FALSE;
    currentId = 0;
    base->displayed = picture;
    base->ClearZoomedCopy();
    base->width = static_cast<int32_t>(base->displayed.GetWidth());
    base->height = static_cast<int32_t>(base->displayed.GetHeight());
    base->source = base->displayed;
    base->RenderImage();
    return TRUE;
}

BOOL CLayeredManage::SetBaseSourceImage(const CZVImage& picture)
{
    CLayerInfo* base = GetLayer(0);
    if (!base)
        return FALSE;
    base->source = picture;
    return TRUE;
}

void CLayeredManage::RemoveAllLayers()
{
    currentId = 0;
    layers.clear();
}

BOOL CLayeredManage::SortLayers()
{
    if (layers.empty())
        return FALSE;
    // Layers change places by moves: their pictures change hands, no pixel is copied.
    const auto byOrder = [](const CLayerInfo& a, const CLayerInfo& b) { return a.order < b.order; };
    if (std::is_sorted(layers.begin(), layers.end(), byOrder)) {
        Renumber();
        return TRUE;
    }
    std::stable_sort(layers.begin(), layers.end(), byOrder);
    Renumber();
    return TRUE;
}

void CLayeredManage::ShowAllLayers(bool show)
{
    for (size_t i = 1; i < layers.size(); ++i)
        layers[i].visible = show ? 1 : 0;
}

void CLayeredManage::SetLayersOpacity(BYTE alpha)
{
    for (size_t i = 1; i < layers.size(); ++i)
        layers[i].displayed.AlphaSetMax(alpha);
}

void CLayeredManage::SetFrameDelay(DWORD delay)
{
    for (size_t i = 1; i < layers.size(); ++i)
        layers[i].displayed.SetFrameDelay(delay);
}

void CLayeredManage::ScaleUpperLayers(float scaleX, float scaleY)
{
    if (!(scaleX > 0) || !(scaleY > 0) || !std::isfinite(scaleX) || !std::isfinite(scaleY))
        return;
    for (size_t i = 1; i < layers.size(); ++i) {
        CLayerInfo& layer = layers[i];
        const double w = layer.width / scaleX, h = layer.height / scaleY;
        if (w >= 1.0 && h >= 1.0 && w <= INT32_MAX && h <= INT32_MAX)
            layer.Resize(static_cast<int>(w), static_cast<int>(h), 0, false);
    }
}

void CLayeredManage::RemapLayerPositions(const RECT& oldCanvas, const RECT& newCanvas, float scale)
{
    RemapLayerPositionsXY(oldCanvas, newCanvas, scale, scale);
}

void CLayeredManage::RemapLayerPositionsXY(const RECT& oldCanvas, const RECT& newCanvas, float scaleX, float scaleY)
{
    for (CLayerInfo& layer : layers) {
        const float x = MapX(layer.location.x, oldCanvas, newCanvas, scaleX);
        const float y = MapY(layer.location.y, oldCanvas, newCanvas, scaleY);
        layer.frame.Offset(static_cast<int>(x - layer.location.x), static_cast<int>(y - layer.location.y));
        layer.location = ZVPOINTF{x, y};
    }
}

// One layer, its shadow first, onto a picture whose top left is the background's location.
void CLayeredManage::Compose(CZVImage& target, CLayerInfo& layer, const RECT& oldCanvas, const RECT& newCanvas,
                             float scale)
{
    const CLayerInfo& base = layers[0];
    const float rx = MapX(base.location.x, oldCanvas, newCanvas, scale);
    const float ry = MapY(base.location.y, oldCanvas, newCanvas, scale);
    const float x = MapX(layer.location.x, oldCanvas, newCanvas, scale) - rx;
    const float y = MapY(layer.location.y, oldCanvas, newCanvas, scale) - ry;
    const long dx = static_cast<long>(static_cast<double>(x) + 0.5);
    const long dy = static_cast<long>(static_cast<double>(y) + 0.5);
    if (layer.shadowOn) {
        // Built once and kept until the layer's look changes.
        if (!layer.shadowCache.IsValid() && layer.displayed.IsValid()) {
            CZVImage shadow(layer.displayed);
            shadow.ColorEdge(layer.shadowColour, 5);
            shadow.GaussianBlur(8.0f);
            shadow.AlphaEdge(layer.shadowColour);
            shadow.AlphaSetMax(layer.shadowColour.rgbReserved);
            layer.shadowCache.Transfer(shadow);
        }
        if (layer.shadowCache.IsValid())
            target.CombineImage(layer.shadowCache, dx + layer.shadowOffsetX, dy + layer.shadowOffsetY);
    }
    if (layer.displayed.IsValid())
        target.CombineImage(layer.displayed, dx, dy);
}

void CLayeredManage::MergeAllLayers(const RECT& oldCanvas, const RECT& newCanvas, float scale)
{
    if (layers.empty())
        return;
    for (size_t i = 1; i < layers.size(); ++i)
        Compose(layers[0].displayed, layers[i], oldCanvas, newCanvas, scale);
    layers[0].source.Copy(layers[0].displayed);
    layers.resize(1);
}

void CLayeredManage::MergeVisibleLayers(const RECT& oldCanvas, const RECT& newCanvas, float scale)
{
    if (layers.empty())
        return;
    for (size_t i = 1; i < layers.size(); ++i)
        if (layers[i].visible)
            Compose(layers[0].displayed, layers[i], oldCanvas, newCanvas, scale);
    layers[0].source.Copy(layers[0].displayed);
    layers.erase(std::remove_if(layers.begin() + 1, layers.end(), [](const CLayerInfo& l) { return l.visible != 0; }),
                 layers.end());
    Renumber();
}

BOOL CLayeredManage::RenderFlattened(CZVImage* output, const RECT& oldCanvas, const RECT& newCanvas, float scale)
{
    if (layers.empty())
        return FALSE;
    CZVImage flat(layers[0].displayed);
    for (size_t i = 1; i < layers.size(); ++i)
        if (layers[i].visible)
            Compose(flat, layers[i], oldCanvas, newCanvas, scale);
    if (!output)
        return FALSE;
    output->Transfer(flat);
    return TRUE;
}
