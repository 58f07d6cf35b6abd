// CMainFrame: the Window menu's panes, full screen and the zoom menu.
#include <algorithm>
#include <initializer_list>
#include <vector>
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

// ---- keyboard between pictures and panes ----

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_TAB || pMsg->wParam == VK_F6) &&
        (::GetKeyState(VK_CONTROL) & 0x8000) && !(::GetKeyState(VK_MENU) & 0x8000)) {
        ActivateNeighbourPicture(!(::GetKeyState(VK_SHIFT) & 0x8000));
        return TRUE;
    }
    return CBCGPMDIFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::ActivateNeighbourPicture(bool forward)
{
    CMDIChildWnd* active = MDIGetActive();
    if (!active)
        return;
    if (!IsMDITabbedGroup()) {
        forward ? MDINext() : MDIPrev();
        return;
    }
    // The tabs follow the children at the next layout; a picture opened just now gets its tab first.
    UpdateMDITabbedGroups();
    std::vector<CMDIChildWnd*> order;
    for (int group = 0; group < GetMDITabGroupCount(); ++group)
        for (CMDIChildWnd* child : GetMDITabGroupChildren(group))
            order.push_back(child);
    const auto at = std::find(order.begin(), order.end(), active);
    if (order.size() < 2 || at == order.end())
        return;
    const size_t count = order.size();
    const size_t index = static_cast<size_t>(at - order.begin());
    MDIActivate(order[(index + (forward ? 1 : count - 1)) % count]);
}

void CMainFrame::FocusNeighbourPane(bool forward)
{
    // The stops: the active picture, then each shown pane (of a tab group only its front pane
    // is shown).
    std::vector<CWnd*> stops;
    CPicEditView* view = ActiveEditView();
    if (view && view->m_hWnd)
        stops.push_back(view);
    for (CWnd* pane : std::initializer_list<CWnd*>{&layerBar, &mainBar, &filterBar, &materialBar, &frameBar})
        if (pane->m_hWnd && ::IsWindowVisible(pane->m_hWnd))
            stops.push_back(pane);
    if (stops.empty())
        return;
    const HWND focus = ::GetFocus();
    size_t current = stops.size();
    for (size_t i = 0; i < stops.size(); ++i)
        if (focus && (focus == stops[i]->m_hWnd || ::IsChild(stops[i]->m_hWnd, focus)))
            current = i;
    size_t next;
    if (current == stops.size())
        next = forward ? 0 : stops.size() - 1;
    else
        next = (current + (forward ? 1 : stops.size() - 1)) % stops.size();
    // A pane's keyboard goes to its list, the first shown window inside it.
    HWND target = stops[next]->m_hWnd;
    if (stops[next] != view)
        for (HWND inner = ::GetWindow(target, GW_CHILD); inner; inner = ::GetWindow(inner, GW_HWNDNEXT))
            if (::IsWindowVisible(inner) && ::IsWindowEnabled(inner)) {
                target = inner;
                break;
            }
    ::SetFocus(target);
}
