// CMainFrame: the Window menu's panes, full screen and the zoom menu.
#include "FrameCommandMath.h"
#include "MainFrame.h"
#include "MainFrameIds.h"

CBCGPBaseControlBar* CMainFrame::PaneOfCommand(UINT id)
{
    switch (id) {
    case ID_PANE_LAYER: return &layerBar;
    case ID_PANE_MAIN: return &mainBar;
    case ID_PANE_FILTER: return &filterBar;
    case ID_PANE_MATERIAL: return &materialBar;
    case ID_PANE_FRAME: return &frameBar;
    default: return nullptr;
    }
}

void CMainFrame::OnTogglePane(UINT id)
{
    CBCGPBaseControlBar* pane = PaneOfCommand(id);
    if (!pane || !pane->m_hWnd)
        return;
    const BOOL show = !pane->IsVisible();
    pane->ShowControlBar(show, show, TRUE);
    AdjustDockingLayout();
}

void CMainFrame::OnUpdateTogglePane(CCmdUI* pCmdUI)
{
    CBCGPBaseControlBar* pane = PaneOfCommand(pCmdUI->m_nID);
    pCmdUI->SetCheck(pane && pane->m_hWnd && pane->IsVisible() ? 1 : 0);
}

void CMainFrame::OnFullScreen()
{
    if (IsZoomed())
        ShowWindow(SW_SHOWNORMAL);
    viewCommand = viewCommand ? 0 : 1;
    const DWORD borders = WS_DLGFRAME | WS_THICKFRAME;
    if (!viewCommand) {
        ModifyStyle(0, borders, SWP_FRAMECHANGED);
        ShowWindow(SW_SHOWNORMAL);
        return;
    }
    ModifyStyle(borders, 0, SWP_FRAMECHANGED);
    ShowWindow(SW_MAXIMIZE);
    CRect window;
    GetWindowRect(&window);
    const RECT place = FullScreenRect(window);
    SetWindowPos(&CWnd::wndNoTopMost, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_FRAMECHANGED);
}

void CMainFrame::OnZoomFit()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    ApplyZoom(*view, view->doc.GetFitZoom());
    view->InvalidateRect(nullptr, TRUE);
    SyncZoomDisplay();
}

void CMainFrame::OnUpdateZoomFit(CCmdUI* pCmdUI)
{
    CPicEditView* view = ActiveEditView();
    // The document's fitZoom follows the canvas's layout zoom; the fit is computed afresh.
    pCmdUI->SetCheck(view && view->doc.zoom == view->doc.GetFitZoom() ? 1 : 0);
}

void CMainFrame::OnZoomPreset(UINT id)
{
    const ZoomPreset* preset = FindZoomPreset(id);
    if (!preset || !zoomSlider)
        return;
    zoomSlider->SetPos(preset->sliderPosition, TRUE);
    OnZoomSlider();
}

void CMainFrame::OnUpdateZoomPreset(CCmdUI* pCmdUI)
{
    CPicEditView* view = ActiveEditView();
    const ZoomPreset* preset = FindZoomPreset(pCmdUI->m_nID);
    pCmdUI->SetCheck(view && preset && ZoomPresetChecked(view->doc.zoom, preset->percent) ? 1 : 0);
}
