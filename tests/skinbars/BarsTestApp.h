#pragma once
// The bar tests' application object, a click helper, and a frame that records the commands
// it receives and answers the command-state questions of its bars.
#include <vector>
#include <gtest/gtest.h>
#include "BarsIds.h"
#include "SkinUI.h"
#include "WindowTestApp.h"

class CBarsTestApp : public CWindowTestApp<> {
public:
    CBarsTestApp() : CWindowTestApp(L"SkinBarsTests") {}
};

// A click (button down and up) at a client point of the window, as sent messages.
void ClickAt(CWnd* pWnd, CPoint point);

class CTestFrame : public CFrameWnd {
public:
    // A visible frame of 900 x 600 with the test menu when withMenu.
    static CTestFrame* Make(bool withMenu = false);
    std::vector<UINT> commands;   // in the order they came
    BOOL undoEnabled = FALSE;     // ID_EDIT_UNDO_STEP
    BOOL brushChecked = TRUE;     // ID_TOOL_BRUSH
    BOOL snapChecked = TRUE;      // ID_STATUS_SNAP
    bool Received(UINT id) const;
    // WM_IDLEUPDATECMDUI to the frame's bars, as the idle loop sends it.
    void UpdateBars();
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    void OnUpdateUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(undoEnabled); }
    void OnUpdateBrush(CCmdUI* pCmdUI) { pCmdUI->SetCheck(brushChecked); }
    void OnUpdateSnap(CCmdUI* pCmdUI) { pCmdUI->SetCheck(snapChecked); }
    DECLARE_MESSAGE_MAP()
};
