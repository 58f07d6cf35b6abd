#pragma once
// CLayerBar: the editor frame's docking bar that holds the layer list.
#include "DockingControlBar.h"
#include "KQLayerListView.h"

class CLayerBar : public CBCGPDockingControlBar {
public:
    CKQLayerListView list;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
