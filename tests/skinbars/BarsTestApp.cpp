#include "BarsTestApp.h"
#include <algorithm>

namespace {
CBarsTestApp theApp;
} // namespace

void ClickAt(CWnd* pWnd, CPoint point)
{
    const LPARAM at = MAKELPARAM(point.x, point.y);
    pWnd->SendMessage(WM_MOUSEMOVE, 0, at);
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    pWnd->SendMessage(WM_LBUTTONUP, 0, at);
}

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO_STEP, OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(ID_TOOL_BRUSH, OnUpdateBrush)
    ON_UPDATE_COMMAND_UI(ID_STATUS_SNAP, OnUpdateSnap)
END_MESSAGE_MAP()

CTestFrame* CTestFrame::Make(bool withMenu)
{
    auto* frame = new CTestFrame;
    if (!frame->Create(nullptr, L"Bars", WS_OVERLAPPEDWINDOW, CRect(20, 20, 920, 620), nullptr,
                       withMenu ? MAKEINTRESOURCEW(IDR_MAINFRAME) : nullptr)) {
        delete frame;
        return nullptr;
    }
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    return frame;
}

bool CTestFrame::Received(UINT id) const
{
    return std::find(commands.begin(), commands.end(), id) != commands.end();
}

void CTestFrame::UpdateBars()
{
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

BOOL CTestFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Every command of the test ids counts as handled and is recorded.
    if (nCode == CN_COMMAND && nID >= ID_FIRST_IMAGE && nID < 33000) {
        if (pHandlerInfo)
            pHandlerInfo->pTarget = this;
        else
            commands.push_back(nID);
        return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
