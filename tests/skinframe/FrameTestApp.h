#pragma once
// The skinned-frame test program's application (a workspace) and helpers.
#include <functional>
#include <gtest/gtest.h>
#include "SkinUI.h"

class CFrameTestApp : public CBCGPWinApp {
public:
    CFrameTestApp() : CBCGPWinApp(L"SkinFrameTests") {}
};

CFrameTestApp& TestApp();
// Handles the thread's messages until done() holds (true) or the time is up (false).
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);
void PumpFor(DWORD milliseconds);
// A window's rectangle in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd);

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
