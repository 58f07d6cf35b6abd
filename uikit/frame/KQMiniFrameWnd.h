#pragma once
// CKQMiniFrameWnd: the frame a pane floats in. Closing it docks the pane back where it was
// docked last, so that a pane never disappears; it offers no context menu.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQMiniFrameWnd : public CBCGPMiniFrameWnd {
    DECLARE_DYNCREATE(CKQMiniFrameWnd)
public:
    CKQMiniFrameWnd() = default;
    ~CKQMiniFrameWnd() override;
    void CloseMiniFrame() override;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
