#pragma once
// CKQDockingControlBar: the programs' docking pane: only the pin button, tab groups of
// CKQTabbedBar, floating in CKQMiniFrameWnd (which docks it back when closed), no context menu.
#include "SkinUI.h"
#include "ZVUILibDef.h"

namespace kqframe {
// The rectangle a pane floats in: centred on a screen of the size, fraction of it in each
// direction, or width x height.
ZVUILIB_API CRect CenteredFloatRect(CSize screen, float fraction);
ZVUILIB_API CRect CenteredFloatRect(CSize screen, int width, int height);
} // namespace kqframe

class ZVUILIB_API CKQDockingControlBar : public CBCGPDockingControlBar {
    DECLARE_DYNCREATE(CKQDockingControlBar)
public:
    CKQDockingControlBar();
    ~CKQDockingControlBar() override;
    void SetCaptionButtons() override;
    // Where the pane floats next: centred on the primary screen.
    void FloatCenter(float fraction);
    void FloatCenter(int width, int height);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
