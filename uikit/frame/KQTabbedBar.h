#pragma once
// CKQTabbedBar: a tab group of the programs' panes: tabs on top, only the pin button, floating
// in CKQMiniFrameWnd, no context menu.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQTabbedBar : public CBCGPTabbedControlBar {
    DECLARE_DYNCREATE(CKQTabbedBar)
public:
    CKQTabbedBar();
    ~CKQTabbedBar() override;
    void SetCaptionButtons() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};

namespace kqframe {
// Every pane of the programs shows one caption button: the pin (auto-hide) button.
ZVUILIB_API void SetPinButtonOnly(CBCGPDockingControlBar* pBar);
} // namespace kqframe
