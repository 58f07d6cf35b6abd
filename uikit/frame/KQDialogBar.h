#pragma once
// CKQDialogBar: the programs' dialog pane, with the docking pane's manners: only the pin
// button, CKQTabbedBar tab groups, CKQMiniFrameWnd frames, no context menu.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQDialogBar : public CBCGPDialogBar {
    DECLARE_DYNCREATE(CKQDialogBar)
public:
    CKQDialogBar();
    ~CKQDialogBar() override;
    void SetCaptionButtons() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
