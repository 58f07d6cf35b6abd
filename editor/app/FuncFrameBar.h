#pragma once
// CFuncFrameBar: the editor's "Frame" pane, the frame pictures of "Data\Frame\Frame".
#include "KQDockingControlBar.h"
#include "KQResListView.h"

// Puts the pane's list below `top` in its client area; nothing while the pane has no window or
// the program's main window is minimised (the client area is empty then).
void FitPaneList(CWnd& pane, CWnd& list, int top);

class CFuncFrameBar : public CKQDockingControlBar {
public:
    CKQResListView list;
    int32_t topOffset = 0;

    virtual void AdjustLayout();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
