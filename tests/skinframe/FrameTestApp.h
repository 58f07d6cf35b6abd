#pragma once
// The skinned-frame test program's application (a workspace) and helpers.
#include <gtest/gtest.h>
#include "SkinUI.h"
#include "WindowTestApp.h"

class CFrameTestApp : public CWindowTestApp<CBCGPWinApp> {
public:
    CFrameTestApp() : CWindowTestApp(L"SkinFrameTests") {}
};

CFrameTestApp& TestApp();
// A window's rectangle in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd);

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
