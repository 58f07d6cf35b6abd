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

// A 32-bit memory bitmap selected into a memory DC, filled with one colour.
class CSkinCanvas {
public:
    CSkinCanvas(int width, int height, COLORREF fill);
    ~CSkinCanvas();
    CSkinCanvas(const CSkinCanvas&) = delete;
    CSkinCanvas& operator=(const CSkinCanvas&) = delete;
    CDC& DC() { return m_dc; }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
    // Whether every pixel still has the colour.
    bool AllOf(COLORREF color);

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
    int m_width, m_height;
};

// The colour as R,G,B for messages.
std::string Rgb(COLORREF color);

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
