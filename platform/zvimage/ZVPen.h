#pragma once
// How an outline is stroked: colour with alpha (0xAARRGGBB), width in pixels, style and dash.
#include "ZVImageDef.h"

// Values of CZVPen::m_nStyle.
enum ZVPenStyle {
    ZVPenCentred = 0,      // centred on the outline, flat line ends
    ZVPenSquareCaps = 1,   // centred, line ends extended by half the width
    ZVPenInside = 2,       // closed outlines drawn inside the figure; round line ends
};

// Values of CZVPen::m_nDashStyle; dash lengths are in units of the pen's width.
enum ZVDashStyle { ZVDashSolid = 0, ZVDashDash = 1, ZVDashDot = 2, ZVDashDashDot = 3, ZVDashDashDotDot = 4 };

class CZVPen {
public:
    CZVPen(DWORD argb, float width) : m_argb(argb), m_fWidth(width) {}
    DWORD m_argb;
    float m_fWidth;
    int m_nStyle = ZVPenCentred;
    int m_nDashStyle = ZVDashSolid;
};

// 0xAARRGGBB from an alpha and a COLORREF.
inline DWORD ZVMakeARGB(BYTE alpha, COLORREF colour)
{
    return (DWORD(alpha) << 24) | (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) | GetBValue(colour);
}
