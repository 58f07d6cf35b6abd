// CMainFrame: undo and redo, the flips, the zoom buttons, slider and pane, and the grid.
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
