// CMainFrame: the Adjust and Filters commands and "Transparent color...": an effect dialog over
// the active view's current layer, committed as one undo step after Ok; Edge and Emboss at once.
#include <algorithm>
#include <iterator>
#include "EditorRules.h"
#include "EffectCommandTable.h"
#include "LayerInfo.h"
#include "MainFrame.h"

namespace {

// What the items' rule looks at.
EditorViewState EffectTargetState(CPicEditView& view)
{
    EditorViewState s;
    s.hasView = true;
    s.currentLayerId = view.doc.layers.currentId;
    CLayerInfo* current = view.doc.layers.GetCurrentLayer();
    s.currentLocked = current && current->locked;
    s.layerCount = static_cast<int>(view.doc.layers.layers.size());
    return s;
}

} // namespace

bool CMainFrame::RouteEffectCommand(UINT id, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const EffectCommand* command = FindEffectCommand(id);
    if (!command)
        return false;
    // Without its dialog the item has no handler, and so stays disabled.
    if (command->action == EffectCommandAction::Dialog && !Dialogs().IsAvailable(command->kind))
        return false;
    if (!pHandlerInfo)
        RunEffectCommand(id);
    return true;
}

void CMainFrame::RunEffectCommand(UINT id)
{
    const EffectCommand* command = FindEffectCommand(id);
    CPicEditView* view = ActiveEditView();
    if (!command || !view || command->action == EffectCommandAction::Nothing)
        return;
    // A command sent while its item is disabled (a locked layer) changes nothing.
    if (!ApplyEditorRule(RuleOfCommand(id), EffectTargetState(*view), false).enabled)
        return;
    if (command->ensureImageLayer && !view->EnsureImageLayer())
        return;
    CLayerDocument& doc = view->doc;
    switch (command->action) {
    // The document records the filters' undo step itself: one step each.
    case EffectCommandAction::Edge:
        doc.EdgeCurrentLayer();
        view->redrawPending.exchange(1);
        break;
    case EffectCommandAction::Emboss: {
        long kernel[9];
        std::copy(std::begin(kEmbossKernel), std::end(kEmbossKernel), kernel);
        doc.FilterCurrentLayer(kernel);
        view->redrawPending.exchange(1);
        break;
    }
    case EffectCommandAction::Dialog: {
        EffectRecord record;
        record.kind = command->kind;
        record.index = command->index;
        record.value1 = command->value1;
        record.value2 = command->value2;
        // The dialog worked on the layer; Ok keeps it as one step of the history. The
        // transparent colour records its step the same way, so that it can be undone.
        if (Dialogs().Effect(*view, record) == DialogResult::Ok)
            doc.CommitCurrentLayer(TRUE);
        break;
    }
    case EffectCommandAction::Nothing:
        break;
    }
}
