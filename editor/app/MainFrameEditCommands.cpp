// CMainFrame: undo and redo, cut, copy, delete and paste, the flips, the zoom buttons, slider and pane, and the grid.
#include "EditorToolTable.h"
#include "CanvasViewMath.h"
#include "MainFrame.h"
#include "MainFrameIds.h"

void CMainFrame::OnEditUndo()
{
    if (CPicEditView* view = ActiveEditView())
        view->Undo();
}

void CMainFrame::OnEditRedo()
{
    if (CPicEditView* view = ActiveEditView())
        view->Redo();
}

void CMainFrame::ShowFrames(CPicEditView& view, bool shown)
{
    const int32_t frames = shown ? 1 : 0;
    if (view.framesShown == frames)
        return;
    view.framesShown = frames;
    view.redrawPending.exchange(1);
}

void CMainFrame::OnEditCut()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    // Nothing goes when the clipboard did not take it.
    if (view->CopyToClipboard())
        view->DeleteSelectionOrLayer();
    ShowFrames(*view, false);
}

void CMainFrame::OnEditCopy()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    view->CopyToClipboard();
    ShowFrames(*view, false);
}

void CMainFrame::OnEditDelete()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    view->DeleteSelectionOrLayer();
    ShowFrames(*view, true);
}

void CMainFrame::OnEditPaste()
{
    CPicEditView* view = ActiveEditView();
    if (!view) {
        // Without a picture the clipboard's picture opens as a new one.
        SendMessage(WM_COMMAND, ID_FILE_FROM_CLIPBOARD);
        return;
    }
    // The pasted layer comes under the pointer's button but with no tool until one is picked.
    MarkToolCommand(kCommandPointer);
    view->tool = 0;
    view->ClearSelection();
    view->PasteAsLayer();
    view->SetToolCursor();
    ShowFrames(*view, true);
}

void CMainFrame::OnFlipVertical()
{
    if (CPicEditView* view = ActiveEditView())
        view->FlipLayerVertical();
}

void CMainFrame::OnFlipHorizontal()
{
    if (CPicEditView* view = ActiveEditView())
        view->FlipLayerHorizontal();
}

void CMainFrame::ApplyZoom(CPicEditView& view, float zoom)
{
    view.recentrePending = 1;
    view.doc.zoom = zoom;
    view.SendMessage(WM_SIZE, 0, 0);
    view.Invalidate(FALSE);
}

void CMainFrame::OnZoomIn()
{
    if (CPicEditView* view = ActiveEditView())
        ApplyZoom(*view, NextZoom(view->doc.zoom, true));
}

void CMainFrame::OnZoomOut()
{
    if (CPicEditView* view = ActiveEditView())
        ApplyZoom(*view, NextZoom(view->doc.zoom, false));
}

void CMainFrame::OnZoomSlider()
{
    CPicEditView* view = ActiveEditView();
    float zoom = 0.0f;
    if (!view || !zoomSlider || !ZoomOfSliderPosition(zoomSlider->GetPos(), zoom))
        return;
    ApplyZoom(*view, zoom);
    SyncZoomDisplay();
}

void CMainFrame::SyncZoomDisplay()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    const int position = ZoomSliderPosition(view->doc.zoom);
    if (zoomSlider && position != m_shownSliderPos) {
        // The slider already stands where the user put it; setting it again would only flicker.
        if (zoomSlider->GetPos() != position) {
            zoomSlider->SetPos(position, FALSE);
            zoomSlider->Redraw();
        }
        m_shownSliderPos = position;
    }
    const std::wstring text = ZoomPaneText(view->doc.zoom);
    if (zoomPane && text != m_shownZoomText) {
        zoomPane->SetText(text.c_str());
        zoomPane->Redraw();
        m_shownZoomText = text;
    }
}

void CMainFrame::OnToggleGrid()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    view->doc.gridOn = view->doc.gridOn ? 0 : 1;
    view->InvalidateRect(nullptr, TRUE);
}
