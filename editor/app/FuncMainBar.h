#pragma once
// CFuncMainBar: the editor's "Main" pane, the list of the basic effect presets. Until the effect
// list joins the program it holds an empty picture list.
#include "KQDockingControlBar.h"
#include "KQPicListView.h"

class CFuncMainBar : public CKQDockingControlBar {
public:
    CKQPicListView list;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
