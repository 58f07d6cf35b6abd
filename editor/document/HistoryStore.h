#pragma once
// CHistoryStore: the pixels the undo history keeps. Each picture plane (colours, alpha,
// selection) is cut into square tiles; a tile equal byte for byte to the tile at the same place
// of the newest stored state of the same layer, or of the snapshot's other picture, is shared
// by reference instead of copied. So a move or a shadow edit stores no pixels and a brush stroke
// only the tiles it touched. The store counts the bytes its live tiles hold.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>
#include "LayerInfo.h"
#include "LayeredManage.h"

struct HistoryTile;
using HistoryTilePtr = std::shared_ptr<const HistoryTile>;

struct StoredPlane {
    uint32_t rowBytes = 0;
    uint32_t rows = 0;
    uint32_t tileBytes = 0;   // bytes of a tile row, the last column's may be fewer
    std::vector<HistoryTilePtr> tiles;   // row of tiles by row, from the first stored row
};

class StoredPicture;

// One layer as a record keeps it: its fields, and its source and displayed pictures in tiles.
// The zoomed copy, the working copy and the shadow caches are left out; a render rebuilds them.
class StoredLayer {
public:
    CLayerInfo Restore() const;
    // The same into layer, whose pictures' buffers are reused where the sizes match.
    void RestoreInto(CLayerInfo& layer) const;
    bool HasPixels() const { return m_hasPixels; }

    CLayerInfo fields;   // without pictures
private:
    friend class CHistoryStore;
    std::shared_ptr<const StoredPicture> m_displayed;
    std::shared_ptr<const StoredPicture> m_source;
    bool m_hasPixels = false;
};
using StoredLayerPtr = std::shared_ptr<StoredLayer>;

// A whole layer list as a flatten or merge record keeps it.
struct StoredList {
    CLayeredManage Restore() const;

    CLayeredManage settings;   // without layers
    std::vector<StoredLayerPtr> layers;
};

class CHistoryStore {
public:
    explicit CHistoryStore(uint32_t tileSize = 256);
    CHistoryStore(const CHistoryStore&) = delete;
    CHistoryStore& operator=(const CHistoryStore&) = delete;

    // Without pixels the snapshot keeps the fields only (a history that can never undo).
    StoredLayerPtr StoreLayer(const CLayerInfo& layer, bool keepPixels);
    std::shared_ptr<StoredList> StoreList(const CLayeredManage& list, bool keepPixels);
    // Bytes of the tiles and whole copies alive in any record, base or list copy.
    uint64_t GetBytes() const { return *m_bytes; }

private:
    std::shared_ptr<const StoredPicture> StorePicture(const CZVImage& picture,
                                                      const std::vector<const StoredPicture*>& references);

    uint32_t m_tileSize;
    std::shared_ptr<uint64_t> m_bytes;
    // The newest stored state of each serial, the reference its next state shares tiles with.
    std::map<uint32_t, std::weak_ptr<const StoredLayer>> m_newest;
};
