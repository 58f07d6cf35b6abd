#pragma once
// CFuncFilterBar: the editor's "Filter" pane, the list of the filter presets. Until the effect list
// joins the program it holds an empty picture list.
#include "KQDockingControlBar.h"
#include "KQPicListView.h"

class CFuncFilterBar : public CKQDockingControlBar {
public:
    CKQPicListView list;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
