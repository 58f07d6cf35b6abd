// The picture edit view's undo and redo. Layer records hold the state after their step and are
// matched to layers by serial, wherever later steps have moved them: undo puts back the state
// the layer had before (or removes an added layer, or re-inserts a deleted one where it was);
// redo applies the record again through the document.
#include "PicEditView.h"

namespace {

// The background's size no longer that of the canvas (a crop undone or redone): the canvas is
// laid out again for it.
bool CanvasNeedsRefit(CLayerDocument& doc)
{
    const CLayerInfo* base = doc.layers.GetLayer(0);
    return base && (static_cast<int>(base->displayed.GetWidth()) != doc.docWidth ||
                    static_cast<int>(base->displayed.GetHeight()) != doc.docHeight);
}

} // namespace

void CPicEditView::Undo()
{
    if (!doc.historyOn)
        return;
    frame.Reset();
    CHistoryManage& history = doc.history;
    const int p = history.position;
    if (p - 1 < 0 || p >= history.GetCount())
        return;
    const CHistoryData& record = history.RecordAt(p);
    CLayeredManage& list = doc.layers;
    if (record.kind == HISTORY_LAYER) {
        const uint32_t serial = record.GetLayerSerial();
        const int recordedId = record.GetLayerId();
        CLayerInfo* target = serial ? list.GetLayerBySerial(serial) : list.GetLayer(recordedId);
        bool fitBackground = false;
        switch (record.action) {
        case HISTORY_ADD:
            if (target)
                list.DeleteLayer(target->id);
            fitBackground = recordedId == 0;
            break;
        case HISTORY_NEW_DOCUMENT:
            if (target)
                list.DeleteLayer(target->id);
            if (!list.layers.empty()) {
                history.ShiftIdsDown();
                list.layers[0].type = LAYER_BACKGROUND;
                RefitCanvas();
            }
            break;
        case HISTORY_DELETE:
            // Back where it was, with its serial, so that later records still find it.
            list.InsertLayerAt(recordedId, record.GetLayer());
            break;
        case HISTORY_MODIFY: {
            CLayerInfo state;
            // The state is written into the layer's own pictures where it has their size, and
            // then moved in: no picture is made or copied whole.
            if (target) {
                state.displayed.Transfer(target->displayed);
                state.source.Transfer(target->source);
            }
            if (target && history.FindPreviousLayerState(serial, state)) {
                const int id = target->id;
                list.currentId = id;
                list.currentType = state.type;
                list.ReplaceLayer(id, std::move(state));
            } else if (target) {
                target->displayed.Transfer(state.displayed);
                target->source.Transfer(state.source);
            }
            fitBackground = recordedId == 0;
            break;
        }
        case HISTORY_SWAP:
            if (list.SwapLayers(record.swapIdA, record.swapIdB))
                list.currentId += record.swapIdA < record.swapIdB ? -1 : 1;
            break;
        default:
            break;
        }
        if (fitBackground && !list.layers.empty()) {
            list.layers[0].type = LAYER_BACKGROUND;
            if (CanvasNeedsRefit(doc))
                RefitCanvas();
        }
    } else if (record.kind == HISTORY_FLATTEN || record.kind == HISTORY_MERGE) {
        CLayeredManage before;
        if (record.GetLayerList(before))
            list = before;
    }
    list.GetCurrentLayer();
    --history.position;
    OnHistoryApplied();
    RequestRedraw();
    NotifyLayersChanged();
}

BOOL CPicEditView::Redo()
{
    if (!doc.historyOn)
        return FALSE;
    ClearSelection();
    frame.Reset();
    if (m_hWnd)
        Invalidate(FALSE);
    CHistoryManage& history = doc.history;
    const int p = history.position;
    if (p + 1 < 1 || p + 1 >= history.GetCount())
        return FALSE;
    // A copy: applying it may change the history's records (ids shifted for a new background).
    CHistoryData record = history.RecordAt(p + 1);
    const bool layerState = record.kind == HISTORY_LAYER && record.action != HISTORY_SWAP;
    // Its fields only: the pictures are restored once, by the record's application below.
    CLayerInfo snapshot;
    if (layerState) {
        if (const CLayerInfo* fields = record.GetLayerFields())
            snapshot = *fields;
        else
            snapshot.id = -1;
    }
    if (const CLayerInfo* base = doc.layers.GetLayer(0)) {
        if (layerState && snapshot.width > 0 && snapshot.height > 0) {
            resizeRatioX = static_cast<float>(base->width) / snapshot.width;
            resizeRatioY = static_cast<float>(base->height) / snapshot.height;
        }
    }
    if (m_hWnd)
        GetClientRect(&doc.viewRect);
    if (record.action == HISTORY_NEW_DOCUMENT) {
        ++history.position;
        history.ShiftIdsUp();
        // The new background goes back under the layers; the old one becomes a picture layer.
        doc.layers.InsertLayerAt(0, history.RecordAt(history.position).GetLayer());
        if (CLayerInfo* old = doc.layers.GetLayer(1)) {
            old->type = LAYER_IMAGE;
            doc.layers.currentId = 1;
            doc.layers.currentType = LAYER_IMAGE;
        }
        RefitCanvas();
    } else {
        doc.ApplyHistoryRecord(&record);
        ++history.position;
        if (layerState && snapshot.id == 0 && CanvasNeedsRefit(doc))
            RefitCanvas();
    }
    doc.layers.GetCurrentLayer();
    OnHistoryApplied();
    RequestRedraw();
    NotifyLayersChanged();
    return FALSE;
}
