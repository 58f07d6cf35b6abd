#pragma once
// CKQToolbar: a tool bar whose buttons are the same at every start (it stores and restores no
// layout) and which offers no context menu.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQToolbar : public CBCGPToolBar {
    DECLARE_DYNCREATE(CKQToolbar)
public:
    CKQToolbar() = default;
    ~CKQToolbar() override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = static_cast<UINT>(-1)) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = static_cast<UINT>(-1)) override;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
