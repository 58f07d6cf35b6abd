// CMainFrame: the Text tool and the text sheet, and Image > Rotate (a layer above the background
// turns in the layer rotate dialog, the background in the picture rotate dialog).
#include "EditorDialogs.h"
#include "EditorToolTable.h"
#include "MainFrame.h"
#include "MainFrameIds.h"

void CMainFrame::OnToolText()
{
    ShowContextBar(-1);
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    MarkToolCommand(ID_TOOL_TEXT_COMMAND);
    view->doc.insertPoint = {view->doc.canvasRect.left, view->doc.canvasRect.top};
    toolSettings.toolKind = 2;
    view->tool = 2;
    view->DestroyBrushCursor();
    view->doc.layers.currentId = 0;
    RunTextSheet(true);
}

void CMainFrame::RunTextSheet(bool newText)
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    // A cancelled sheet has already taken back the layer it added for its preview.
    TextSheetRecord record;
    record.newText = newText;
    Dialogs().TextSheet(*view, record);
    view->RequestRedraw();
    RefreshLayerList();
    SelectPointerTool();
}

void CMainFrame::OnImageRotate()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    CLayerDocument& doc = view->doc;
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || layer->locked)
        return;
    if (layer->type != 0) {
        LayerRotateRecord record;
        record.angle = LayerAngleDegrees(layer->angle);
        if (Dialogs().LayerRotate(*view, record) == DialogResult::Ok)
            doc.CommitCurrentLayer(TRUE);
    } else {
        doc.layers.currentId = 0;
        EffectRecord record;
        record.kind = EditorDialog::RotatePicture;
        if (Dialogs().Effect(*view, record) == DialogResult::Ok)
            doc.CommitCurrentLayer(TRUE);
    }
    view->RequestRedraw();
}
