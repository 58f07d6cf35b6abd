#include "HistoryManage.h"
#include <algorithm>
#include <cmath>

namespace {

// 32-bit processes run out of address space long before the machine runs out of memory.
const uint64_t kDefaultBudget = sizeof(void*) == 4 ? (uint64_t(512) << 20) : (uint64_t(2) << 30);

bool IsMergeStep(const CHistoryData& record)
{
    return record.kind == HISTORY_FLATTEN || record.kind == HISTORY_MERGE;
}

bool HoldsLayerState(const CHistoryData& record)
{
    return record.kind == HISTORY_LAYER && record.action != HISTORY_SWAP;
}

// A layer of the copy that the flatten or merge left as it was: a hidden upper layer survives a
// merge of the visible ones untouched; the background and every merged layer changed or went.
bool UnchangedByMerge(int32_t kind, const CLayerInfo& layer)
{
    return kind == HISTORY_MERGE && layer.id != 0 && !layer.visible;
}

// A copy without pixels: the record still counts as a step.
StoredLayerPtr WithoutPixels(const StoredLayerPtr& layer)
{
    auto stripped = std::make_shared<StoredLayer>();
    stripped->fields = layer->fields;
    return stripped;
}

} // namespace

CHistoryData::CHistoryData() = default;

CHistoryData::~CHistoryData() = default;

CLayerInfo CHistoryData::GetLayer() const
{
    if (m_layer)
        return m_layer->Restore();
    CLayerInfo none;
    none.id = -1;
    return none;
}

void CHistoryData::GetLayerInto(CLayerInfo& layer) const
{
    if (m_layer) {
        m_layer->RestoreInto(layer);
        return;
    }
    layer = CLayerInfo();
    layer.id = -1;
}

const CLayerInfo* CHistoryData::GetLayerFields() const
{
    return m_layer ? &m_layer->fields : nullptr;
}

int32_t CHistoryData::GetLayerId() const
{
    return m_layer ? m_layer->fields.id : -1;
}

uint32_t CHistoryData::GetLayerSerial() const
{
    return m_layer ? m_layer->fields.serial : 0;
}

int32_t CHistoryData::GetLayerType() const
{
    return m_layer ? m_layer->fields.type : LAYER_IMAGE;
}

bool CHistoryData::HasPixels() const
{
    if (m_list)
        return std::all_of(m_list->layers.begin(), m_list->layers.end(),
                           [](const StoredLayerPtr& layer) { return layer->HasPixels(); });
    return m_layer && m_layer->HasPixels();
}

BOOL CHistoryData::GetLayerList(CLayeredManage& list) const
{
    if (!m_list || !HasPixels())
        return FALSE;
    list = m_list->Restore();
    return TRUE;
}

CHistoryManage::CHistoryManage(uint32_t tileSize) : m_store(tileSize), m_budget(kDefaultBudget) {}

CHistoryManage::~CHistoryManage() = default;

void CHistoryManage::AddHistory(const CLayerInfo* layer, int action)
{
    AddPreparedHistory(layer, nullptr, action);
}

void CHistoryManage::AddPreparedHistory(const CLayerInfo* layer, std::shared_ptr<PreparedPictures> prepared, int action)
{
    if (!layer)
        return;
    DropRedo();
    CHistoryData record;
    record.kind = HISTORY_LAYER;
    record.action = action;
    record.m_layer = m_store.AdoptLayer(*layer, std::move(prepared), KeepsPixels());
    Append(std::move(record));
}

void CHistoryManage::AddSwapHistory(int idA, int idB)
{
    DropRedo();
    CHistoryData record;
    record.kind = HISTORY_LAYER;
    record.action = HISTORY_SWAP;
    record.swapIdA = idA;
    record.swapIdB = idB;
    Append(std::move(record));
}

void CHistoryManage::AddLayersHistory(const CLayeredManage* list)
{
    DropRedo();
    if (!list)
        return;
    CHistoryData record;
    record.kind = HISTORY_FLATTEN;
    record.action = HISTORY_FLATTEN_ALL;
    record.m_list = m_store.StoreList(*list, KeepsPixels());
    Append(std::move(record));
}

void CHistoryManage::AddMergeHistory(const CLayeredManage* list)
{
    DropRedo();
    if (!list)
        return;
    CHistoryData record;
    record.kind = HISTORY_MERGE;
    record.action = HISTORY_MERGE_VISIBLE;
    record.m_list = m_store.StoreList(*list, KeepsPixels());
    Append(std::move(record));
}

void CHistoryManage::DropRedo()
{
    if (position >= 0 && m_records.size() >= 2)
        SetCount(position + 1);
}

void CHistoryManage::Clear()
{
    m_records.clear();
    m_bases.clear();
    m_lost.clear();
    position = 0;
    savedPosition = 0;
}

BOOL CHistoryManage::ReplaceSnapshot(int index, const CLayerInfo& layer)
{
    if (index < 0 || index >= GetCount() || m_records[index].kind != HISTORY_LAYER || !m_records[index].m_layer)
        return FALSE;
    SetCount(index + 1);
    position = std::min(position, GetCount() - 1);
    m_records[index].m_layer = m_store.StoreLayer(layer, KeepsPixels());
    KeepWithinBudget();
    return TRUE;
}

void CHistoryManage::SetCount(int count)
{
    count = std::max(count, 0);
    if (count >= GetCount())
        return;
    // A dropped copy goes with its record, so no other record's copy moves.
    while (GetCount() > count)
        m_records.pop_back();
    ReleaseUnusedBases();
}

void CHistoryManage::Append(CHistoryData record)
{
    if (record.m_list)
        record.listIndex = static_cast<int32_t>(
            std::count_if(m_records.begin(), m_records.end(), [](const CHistoryData& r) { return r.m_list != nullptr; }));
    while (GetCount() > std::max(limit, 0) && GetCount() > 0)
        DropOldest();
    m_records.push_back(std::move(record));
    position = GetCount() - 1;
    // A modify step of a layer whose earlier state was given up cannot be undone: the steps
    // before it are out of reach and go, so that no undo lands on a state never recorded.
    const CHistoryData& added = m_records.back();
    if (added.action == HISTORY_MODIFY && m_lost.erase(added.GetLayerSerial()))
        while (GetCount() > 1)
            DropOldest();
    KeepWithinBudget();
}

void CHistoryManage::DropOldest()
{
    CHistoryData& oldest = m_records.front();
    // The dropped state is what the next kept step of its layer undoes to, so it always
    // replaces the base of its serial. A deleted layer needs none; a state given up to the
    // budget leaves its layer without a known earlier state.
    const auto admit = [this](const StoredLayerPtr& layer, bool alive) {
        const uint32_t serial = layer->fields.serial;
        if (serial == 0)
            return;
        m_bases.erase(serial);
        if (!alive)
            m_lost.erase(serial);
        else if (layer->HasPixels())
            m_bases[serial] = layer;
        else if (KeepsPixels())
            m_lost.insert(serial);
    };
    if (HoldsLayerState(oldest) && oldest.m_layer)
        admit(oldest.m_layer, oldest.action != HISTORY_DELETE);
    if (IsMergeStep(oldest) && oldest.m_list)
        for (const StoredLayerPtr& layer : oldest.m_list->layers)
            admit(layer, UnchangedByMerge(oldest.kind, layer->fields));
    m_records.pop_front();
    --position;
    --savedPosition;
    ReleaseUnusedBases();
}

void CHistoryManage::ReleaseUnusedBases()
{
    // A base serves the undo of its layer's oldest kept step when that is a modify step at
    // index 1 or later, and any later modify step while no kept record holds the layer.
    const auto needed = [this](uint32_t serial) {
        for (size_t i = 0; i < m_records.size(); ++i) {
            const CHistoryData& record = m_records[i];
            if (HoldsLayerState(record) && record.GetLayerSerial() == serial)
                return i >= 1 && record.action == HISTORY_MODIFY;
            if (IsMergeStep(record) && record.m_list)
                for (const StoredLayerPtr& layer : record.m_list->layers)
                    if (layer->fields.serial == serial)
                        return false;
        }
        return true;
    };
    for (auto it = m_bases.begin(); it != m_bases.end();)
        it = needed(it->first) ? std::next(it) : m_bases.erase(it);
}

void CHistoryManage::KeepWithinBudget()
{
    while (GetStoredBytes() > m_budget && GetCount() > 1)
        DropOldest();
    // A step whose state was given up cannot be undone to, so the step after it cannot be
    // undone either: it goes, and that step becomes the oldest.
    while (GetCount() > 1 && !m_records.front().HasPixels() && (m_records.front().m_layer || m_records.front().m_list))
        DropOldest();
    if (GetStoredBytes() <= m_budget || m_records.empty())
        return;
    // The newest record alone is over: it keeps its fields, and the layers whose earlier
    // states go with it or with the bases are marked as having none.
    CHistoryData& newest = m_records.back();
    const auto strip = [this](StoredLayerPtr& layer) {
        if (layer->fields.serial != 0)
            m_lost.insert(layer->fields.serial);
        layer = WithoutPixels(layer);
    };
    if (newest.m_layer)
        strip(newest.m_layer);
    if (newest.m_list)
        for (StoredLayerPtr& layer : newest.m_list->layers)
            strip(layer);
    for (const auto& base : m_bases)
        m_lost.insert(base.first);
    m_bases.clear();
}

void CHistoryManage::SetByteBudget(uint64_t bytes)
{
    m_budget = bytes;
    KeepWithinBudget();
}

BOOL CHistoryManage::FindPreviousLayerState(uint32_t serial, CLayerInfo& state) const
{
    if (serial == 0)
        return FALSE;
    // A serial moves with its content in a swap, so swaps need no following.
    for (int i = std::min(position, GetCount()) - 1; i >= 0; --i) {
        const CHistoryData& record = m_records[i];
        if (HoldsLayerState(record) && record.m_layer && record.m_layer->fields.serial == serial) {
            if (!record.m_layer->HasPixels())
                return FALSE;
            record.m_layer->RestoreInto(state);
            return TRUE;
        }
        if (IsMergeStep(record) && record.m_list)
            for (const StoredLayerPtr& layer : record.m_list->layers)
                if (layer->fields.serial == serial) {
                    // The copy was taken before the step; a layer the step changed has no
                    // state kept from after it.
                    if (!UnchangedByMerge(record.kind, layer->fields) || !layer->HasPixels())
                        return FALSE;
                    layer->RestoreInto(state);
                    return TRUE;
                }
    }
    const auto base = m_bases.find(serial);
    if (base == m_bases.end())
        return FALSE;
    base->second->RestoreInto(state);
    return TRUE;
}

BOOL CHistoryManage::LayerInLaterRecords(uint32_t serial) const
{
    for (size_t i = 1; i < m_records.size(); ++i)
        if (HoldsLayerState(m_records[i]) && m_records[i].GetLayerSerial() == serial)
            return TRUE;
    return FALSE;
}

void CHistoryManage::ShiftIdsUp()
{
    for (int i = 0; i <= position && i < GetCount(); ++i) {
        CHistoryData& record = m_records[i];
        if (record.kind != HISTORY_LAYER)
            continue;
        if (record.m_layer) {
            ++record.m_layer->fields.id;
            ++record.m_layer->fields.order;
        }
        ++record.swapIdA;
        ++record.swapIdB;
    }
}

void CHistoryManage::ShiftIdsDown()
{
    for (int i = 0; i <= position && i < GetCount(); ++i) {
        CHistoryData& record = m_records[i];
        if (record.kind != HISTORY_LAYER)
            continue;
        if (record.m_layer) {
            --record.m_layer->fields.id;
            --record.m_layer->fields.order;
        }
        --record.swapIdA;
        --record.swapIdB;
    }
}

void CHistoryManage::RemapHistoryPositions(const RECT& oldCanvas, const RECT& newCanvas, float scale)
{
    const auto remap = [&](CLayerInfo& layer) {
        const float x = std::trunc(layer.location.x), y = std::trunc(layer.location.y);
        const float newX = (x - oldCanvas.left) * scale + newCanvas.left;
        const float newY = (y - oldCanvas.top) * scale + newCanvas.top;
        layer.location = ZVPOINTF{newX, newY};
        layer.frame.Offset(static_cast<int>(newX - x), static_cast<int>(newY - y));
    };
    for (CHistoryData& record : m_records) {
        if (record.m_layer)
            remap(record.m_layer->fields);
        if (record.m_list) {
            // The copy moves exactly as the live list does, so that restoring it after a zoom
            // change puts every layer where the others are.
            CLayeredManage moved;
            for (const StoredLayerPtr& layer : record.m_list->layers)
                moved.layers.push_back(layer->fields);
            moved.RemapLayerPositions(oldCanvas, newCanvas, scale);
            for (size_t i = 0; i < moved.layers.size(); ++i) {
                record.m_list->layers[i]->fields.location = moved.layers[i].location;
                record.m_list->layers[i]->fields.frame = moved.layers[i].frame;
            }
        }
    }
    for (auto& base : m_bases)
        remap(base.second->fields);
}
