#pragma once
// CLayeredManage: the layers of one picture, bottom first (layer 0 is the background that the
// others are composed onto), and the current layer. After an insertion at the bottom, a deletion,
// a merge or a sort, ids and orders are renumbered 0, 1, 2 ... so that an id is an index.
#include <windows.h>
#include <cstdint>
#include <vector>
#include "LayerInfo.h"

class CLayeredManage {
public:
    CLayeredManage() = default;
    CLayeredManage(const CLayeredManage& other) = default;
    CLayeredManage& operator=(const CLayeredManage& other) = default;
    CLayeredManage(CLayeredManage&& other) noexcept = default;
    CLayeredManage& operator=(CLayeredManage&& other) noexcept = default;
    virtual ~CLayeredManage() = default;
    // The counters, the current layer and the serial source, with no layers.
    CLayeredManage CopyWithoutLayers() const;

    // Appends a copy unless the id is present; the copy's order is the count.
    BOOL AddLayer(CLayerInfo layer);
    BOOL InsertLayerAtBottom(CLayerInfo layer);
    // At the index (clamped to the list), keeping its serial when no other layer holds it; it
    // becomes current and the ids are renumbered.
    BOOL InsertLayerAt(int index, CLayerInfo layer);
    // Erases the first layer with the id; renumbers even when none matched.
    BOOL DeleteLayer(int id);
    // The two positions exchange contents; each keeps its own id and order.
    BOOL SwapLayers(int idA, int idB);
    // The third argument is not used.
    BOOL MoveLayerTo(int id, ZVPOINTF point, int unused = 0);
    CLayerInfo* GetLayer(int id);
    // The layer with that serial, wherever renumbering has put it; null for 0 or none.
    CLayerInfo* GetLayerBySerial(uint32_t serial);
    // Repairs a current id past the end first (count - 1, -1 when empty).
    CLayerInfo* GetCurrentLayer();
    // The layer takes the id's place and, when it has no serial of its own, the replaced one's.
    void ReplaceLayer(int id, CLayerInfo layer);
    BOOL SetBaseImage(const CZVImage& picture);
    BOOL SetBaseSourceImage(const CZVImage& picture);
    void RemoveAllLayers();
    // Stable by order, then renumbered; FALSE when empty.
    BOOL SortLayers();

    // Bulk operations on every layer above the background.
    void ShowAllLayers(bool show);
    void SetLayersOpacity(BYTE alpha);
    void SetFrameDelay(DWORD delay);
    void ScaleUpperLayers(float scaleX, float scaleY);

    // Layer locations, kept at the zoom of oldCanvas, moved to newCanvas at a new zoom (scale
    // new / old); only the left and top of the rectangles count.
    void RemapLayerPositions(const RECT& oldCanvas, const RECT& newCanvas, float scale);
    void RemapLayerPositionsXY(const RECT& oldCanvas, const RECT& newCanvas, float scaleX, float scaleY);

    // Every layer above the background, hidden ones too, composed into it and removed.
    void MergeAllLayers(const RECT& oldCanvas, const RECT& newCanvas, float scale);
    // The visible layers composed into the background and removed; hidden ones stay.
    void MergeVisibleLayers(const RECT& oldCanvas, const RECT& newCanvas, float scale);
    // The picture the user sees (the background and the visible layers) into output, the list
    // unchanged but for shadow caches built on the way. FALSE when empty or without output.
    BOOL RenderFlattened(CZVImage* output, const RECT& oldCanvas, const RECT& newCanvas, float scale);

    int32_t imageNameCounter = 1;
    int32_t textNameCounter = 1;
    int32_t shapeNameCounter = 1;
    int32_t currentId = 0;
    BYTE currentLocked = 0;
    BYTE currentHasAlpha = 0;
    int32_t currentType = 0;
    std::vector<CLayerInfo> layers;

private:
    void Renumber();
    // A fresh serial unless the layer has one that no other layer of the list holds.
    void GiveSerial(CLayerInfo& layer, const CLayerInfo* replaced);
    void Compose(CZVImage& target, CLayerInfo& layer, const RECT& oldCanvas, const RECT& newCanvas, float scale);

    uint32_t m_lastSerial = 0;
};
