#pragma once
// Shared by the toolkit's window tests: a top-level window to put controls in, which keeps the
// long-press notes its children send it, and pixels read back from bitmaps and devices.
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "SkinUI.h"
#include "WindowTestApp.h"

class CToolkitHost : public CWnd {
public:
    ~CToolkitHost() override;
    // A visible pop-up window at the rectangle of the screen.
    bool Open(const CRect& rect);
    // The notes received, 'D' for 0x709 and 'U' for 0x70A, in order.
    std::string notes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The colour of a pixel of a bitmap that is not selected anywhere.
COLORREF BitmapPixel(CBitmap& bitmap, int x, int y);
