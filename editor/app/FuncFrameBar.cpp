#include "FuncFrameBar.h"
#include <algorithm>

void FitPaneList(CWnd& pane, CWnd& list, int top)
{
    if (!pane.m_hWnd || !list.m_hWnd)
        return;
    CWnd* main = AfxGetMainWnd();
    if (main && main->m_hWnd && main->IsIconic())
        return;
    CRect client;
    pane.GetClientRect(&client);
    list.SetWindowPos(nullptr, client.left, client.top + top, client.Width(), std::max(0, static_cast<int>(client.Height()) - top),
                      SWP_NOZORDER | SWP_NOACTIVATE);
}

BEGIN_MESSAGE_MAP(CFuncFrameBar, CKQDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CFuncFrameBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKQDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!list.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, 2))
        return -1;
    AdjustLayout();
    list.UpdateResFolder(L"Data\\Frame\\Frame", -1);
    return 0;
}

void CFuncFrameBar::OnSize(UINT nType, int cx, int cy)
{
    CKQDockingControlBar::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CFuncFrameBar::AdjustLayout()
{
    FitPaneList(*this, list, topOffset);
}
