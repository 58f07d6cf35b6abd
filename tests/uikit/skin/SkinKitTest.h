#pragma once
// Shared by the skin kit's tests: the application (a workspace, for docking frames) and a
// canvas to draw on and read back.
#include <string>
#include <gtest/gtest.h>
#include "SkinUI.h"
#include "WindowTestApp.h"

class CSkinKitTestApp : public CWindowTestApp<CBCGPWinApp> {
public:
    CSkinKitTestApp() : CWindowTestApp(L"SkinKitTests") {}
};

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"';
    for (int i = 0; i < s.GetLength(); ++i)
        *os << static_cast<char>(s[i] < 128 ? s[i] : '?');
    *os << '"';
}
