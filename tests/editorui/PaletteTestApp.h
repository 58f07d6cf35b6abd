#pragma once
// The palette tests' application object and a frame with the tool palette docked at its left,
// as the editor builds it: the palette's buttons, four drop-down bars in place of their first
// commands and the colour button in place of its command. The frame counts its layouts.
#include <utility>
#include <vector>
#include <gtest/gtest.h>
#include "PaletteMiniFrame.h"
#include "ShopToolbarColorPicker.h"
#include "ToolPaletteIds.h"
#include "WindowTestApp.h"
#include "ZVDockToolbar.h"

class CPaletteTestApp : public CWindowTestApp<> {
public:
    CPaletteTestApp() : CWindowTestApp(L"EditorUiTests") {}
};

class CPaletteTestFrame : public CBCGPFrameWnd {
public:
    int layouts = 0;
    BOOL lineChecked = FALSE;   // what the idle update says of the line tool
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++layouts;
        CBCGPFrameWnd::RecalcLayout(bNotify);
    }
    // WM_IDLEUPDATECMDUI to the frame's bars, as the idle loop sends it.
    void UpdateBars() { SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE); }

protected:
    void OnUpdateLine(CCmdUI* pCmdUI) { pCmdUI->SetCheck(lineChecked); }
    // As in the editor: the colour button's command has a handler that does nothing, so that
    // the idle update keeps the button enabled.
    void OnColorButton() {}
    DECLARE_MESSAGE_MAP()
};

// The frame (the thread's main window while it lives) with the palette docked.
struct PaletteFixture {
    PaletteFixture();
    ~PaletteFixture();
    CShopToolbarColorPicker* ColorButton() const;
    CPaletteTestFrame* frame = new CPaletteTestFrame;
    CWnd view;
    CZVDockToolbar palette;
    CBCGPDropDownToolBar dropDowns[4];
};

// The colour messages waiting for the window, in the order they were posted: (wParam, lParam).
std::vector<std::pair<WPARAM, LPARAM>> TakeColorPosts(HWND hwnd);
