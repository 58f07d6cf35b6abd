#pragma once
// Shared by the editing controls' tests: a top-level window that hosts the controls and keeps
// what they tell it, and a memory canvas to draw into and read back.
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "SkinUI.h"
#include "WindowTestApp.h"

class CControlsHost : public CWnd {
public:
    ~CControlsHost() override;
    bool Open(const CRect& rect);
    // WM_COMMAND notification codes, in order.
    std::vector<int> commands;
    // WM_HSCROLL: the code (low word) and the position (high word) of each.
    std::vector<std::pair<int, int>> scrolls;
    // Messages the window saw, counted by number (mouse moves and WM_APP + 1).
    int mouseMoves = 0;
    int appPings = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// WM_APP on the host: the host lets go of the mouse capture.
const UINT kDropCapture = WM_APP;
const UINT kPing = WM_APP + 1;


inline std::string RectText(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}
