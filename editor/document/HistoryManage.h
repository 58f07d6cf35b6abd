#pragma once
// CHistoryManage: the undo and redo history of one layered picture. Each CHistoryData record
// holds the state of one layer after a change (found again by the layer's serial, its id kept as
// the place it had), the two ids of a swap, or its own copy of the whole list taken before a
// flatten or a merge. Pixels live in tiles shared between states (HistoryStore.h); the oldest
// records are dropped past the step limit and past a byte budget.
#include <windows.h>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include "HistoryStore.h"
#include "LayerInfo.h"
#include "LayeredManage.h"

// Values of CHistoryData::kind.
enum HistoryKind : int32_t {
    HISTORY_LAYER = 2,
    HISTORY_FLATTEN = 3,
    HISTORY_MERGE = 4,
};

// Values of CHistoryData::action.
enum HistoryAction : int32_t {
    HISTORY_ADD = 1,   // also the first background of an opened picture
    HISTORY_DELETE = 2,
    HISTORY_MODIFY = 3,
    HISTORY_SWAP = 4,
    HISTORY_FLATTEN_ALL = 5,
    HISTORY_MERGE_VISIBLE = 6,
    HISTORY_NEW_DOCUMENT = 7,
};

class CHistoryData {
public:
    CHistoryData();
    virtual ~CHistoryData();

    // The snapshot as a whole layer, pictures rebuilt; a default layer with id -1 without one.
    CLayerInfo GetLayer() const;
    // The same written into layer, whose pictures' buffers are reused where the sizes match.
    void GetLayerInto(CLayerInfo& layer) const;
    // The snapshot's fields without its pictures; null without a snapshot.
    const CLayerInfo* GetLayerFields() const;
    // The place the layer had in the list when recorded; -1 without a snapshot.
    int32_t GetLayerId() const;
    uint32_t GetLayerSerial() const;
    int32_t GetLayerType() const;
    // FALSE when the record keeps fields only (a history without undo, or over its budget).
    bool HasPixels() const;
    // The list as it was before a flatten or a merge; FALSE for other records or without pixels.
    BOOL GetLayerList(CLayeredManage& list) const;

    int32_t swapIdA = 0;
    int32_t swapIdB = 0;
    // The copy's place among the copies held when recorded; nothing looks a copy up by it.
    int32_t listIndex = 0;
    int32_t kind = 0;   // HistoryKind
    int32_t action = 0;   // HistoryAction

private:
    friend class CHistoryManage;
    StoredLayerPtr m_layer;
    std::shared_ptr<StoredList> m_list;
};

class CHistoryManage {
public:
    // Tiles of tileSize x tileSize pixels.
    static constexpr uint32_t kDefaultTileSize = 256;
    explicit CHistoryManage(uint32_t tileSize = kDefaultTileSize);
    virtual ~CHistoryManage();

    // Each drops the redo tail first, then appends and sets the position to the new record.
    // A null layer records nothing (and keeps the redo tail); a null list records nothing.
    void AddHistory(const CLayerInfo* layer, int action);
    // AddHistory with the layer's pictures stored before (CHistoryStore::PreparePictures).
    void AddPreparedHistory(const CLayerInfo* layer, std::shared_ptr<PreparedPictures> prepared, int action);
    void AddSwapHistory(int idA, int idB);
    void AddLayersHistory(const CLayeredManage* list);
    void AddMergeHistory(const CLayeredManage* list);
    void DropRedo();
    // No records, no kept states; the limit and the budget stay.
    void Clear();
    // The layer step at index holds this state instead, its action kept (a restyle folded into
    // the step that added the layer); the redo tail after it goes. FALSE for another kind.
    BOOL ReplaceSnapshot(int index, const CLayerInfo& layer);

    int GetCount() const { return static_cast<int>(m_records.size()); }
    // Fewer records: the newest go.
    void SetCount(int count);
    // Callers check 0 <= index < count.
    const CHistoryData& RecordAt(int index) const { return m_records[index]; }
    // The state the layer had before the record at position, by serial, from the records
    // before it or the kept base states, written into state's pictures where they have its
    // size. FALSE, with state untouched, when it is not known.
    BOOL FindPreviousLayerState(uint32_t serial, CLayerInfo& state) const;
    // A layer step at index 1 or later holds the serial.
    BOOL LayerInLaterRecords(uint32_t serial) const;
    // Ids of the layer steps up to the position, when a background is put below every layer
    // or taken away again.
    void ShiftIdsUp();
    void ShiftIdsDown();
    // Snapshots, base states and list copies follow the layers to a new zoom.
    void RemapHistoryPositions(const RECT& oldCanvas, const RECT& newCanvas, float scale);

    // The stored bytes never pass the budget: the oldest records go first, and the newest,
    // which always stays, keeps no pixels when it alone is over.
    void SetByteBudget(uint64_t bytes);
    uint64_t GetByteBudget() const { return m_budget; }
    uint64_t GetStoredBytes() const { return m_store.GetBytes(); }
    int GetBaseCount() const { return static_cast<int>(m_bases.size()); }

    int32_t limit = 20;
    int32_t savedPosition = 0;
    int32_t position = 0;

private:
    void Append(CHistoryData record);
    void DropOldest();
    void ReleaseUnusedBases();
    void KeepWithinBudget();
    bool KeepsPixels() const { return limit > 0; }

    CHistoryStore m_store;
    std::deque<CHistoryData> m_records;
    // For each serial, the state before its oldest kept step once the records holding it went,
    // or its last state while no kept record holds it.
    std::map<uint32_t, StoredLayerPtr> m_bases;
    // Layers whose state before their next step was given up to the byte budget.
    std::set<uint32_t> m_lost;
    uint64_t m_budget;
};
