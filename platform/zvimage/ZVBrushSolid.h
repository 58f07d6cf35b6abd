#pragma once
// A fill of one colour with alpha (0xAARRGGBB).
#include "ZVImageDef.h"

class CZVBrushSolid {
public:
    explicit CZVBrushSolid(DWORD argb) : m_argb(argb) {}
    DWORD m_argb;
};
