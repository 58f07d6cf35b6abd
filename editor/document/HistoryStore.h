#pragma once
// CHistoryStore: the pixels the undo history keeps. Each picture plane (colours, alpha,
// selection) is cut into square tiles; a tile equal byte for byte to the tile at the same place
// of the newest stored state of the same layer, or of the snapshot's other picture, is shared
// by reference instead of copied, and so is a tile of one byte value throughout whose value and
// size an earlier tile of the same plane has. So a move or a shadow edit stores no pixels, a
// brush stroke only the tiles it touched and an opaque alpha plane one tile. The store counts the
// bytes its live tiles hold.
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

// A layer's pictures in tiles, stored apart from any store so that another thread may do the
// copying; a store takes them over (CHistoryStore::AdoptLayer) and counts their bytes from then on.
class PreparedPictures {
private:
    friend class CHistoryStore;
    std::shared_ptr<const StoredPicture> m_displayed;
    std::shared_ptr<const StoredPicture> m_source;
    uint32_t m_tileSize = 0;
};

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
    // The layer's pictures as StoreLayer would store them for a layer with no earlier state; no
    // store is touched, so any thread may run it. sourceIsCopy: the caller vouches that the
    // original holds the picture's pixels, which are then not compared.
    static std::shared_ptr<PreparedPictures> PreparePictures(const CLayerInfo& layer, uint32_t tileSize, bool sourceIsCopy = false);
    // StoreLayer with the pictures prepared from this layer (pixels unchanged since) taken over;
    // without them, or in tiles of another size, the layer is stored as StoreLayer does.
    StoredLayerPtr AdoptLayer(const CLayerInfo& layer, std::shared_ptr<PreparedPictures> prepared, bool keepPixels);
    // Bytes of the tiles and whole copies alive in any record, base or list copy.
    uint64_t GetBytes() const { return *m_bytes; }

private:
    // sameAsFirst: the picture's planes equal the first reference's, whose tiles it takes unread.
    std::shared_ptr<const StoredPicture> StorePicture(const CZVImage& picture,
                                                      const std::vector<const StoredPicture*>& references,
                                                      bool sameAsFirst = false);
    // The stored layer becomes the newest state of its serial.
    void MarkNewest(const StoredLayerPtr& stored);
    // The picture's tiles and whole copies counted in this store's bytes.
    void CountHere(const StoredPicture& picture);

    uint32_t m_tileSize;
    std::shared_ptr<uint64_t> m_bytes;
    // The newest stored state of each serial, the reference its next state shares tiles with.
    std::map<uint32_t, std::weak_ptr<const StoredLayer>> m_newest;
};
