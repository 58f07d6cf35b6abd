#include "FuncMainBar.h"
#include "FuncFrameBar.h"

BEGIN_MESSAGE_MAP(CFuncMainBar, CKQDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CFuncMainBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKQDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    return list.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, 2) ? 0 : -1;
}

void CFuncMainBar::OnSize(UINT nType, int cx, int cy)
{
    CKQDockingControlBar::OnSize(nType, cx, cy);
    FitPaneList(*this, list, 0);
}
