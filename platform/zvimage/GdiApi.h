#pragma once
// The GDI and user32 entry points that drawing and bitmap exchange use, bound on first use.
// Codecs and geometry need neither library, so a console job that only loads and saves
// pictures does not pay for starting the window system.
#include <windows.h>
#include "Win32Owners.h"

#define ZV_GDI_CALLS(X)                                                                            \
    X(L"gdi32.dll", CreateCompatibleDC)                                                            \
    X(L"gdi32.dll", CreateDIBSection)                                                              \
    X(L"gdi32.dll", CreateDIBitmap)                                                                \
    X(L"gdi32.dll", DeleteDC)                                                                      \
    X(L"gdi32.dll", DeleteObject)                                                                  \
    X(L"gdi32.dll", GdiAlphaBlend)                                                                 \
    X(L"gdi32.dll", GetClipBox)                                                                    \
    X(L"gdi32.dll", GetDIBits)                                                                     \
    X(L"gdi32.dll", GetObjectW)                                                                    \
    X(L"gdi32.dll", IntersectClipRect)                                                             \
    X(L"gdi32.dll", RestoreDC)                                                                     \
    X(L"gdi32.dll", SaveDC)                                                                        \
    X(L"gdi32.dll", SelectObject)                                                                  \
    X(L"gdi32.dll", SetStretchBltMode)                                                             \
    X(L"gdi32.dll", StretchDIBits)                                                                 \
    X(L"user32.dll", GetIconInfo)

struct GdiApi {
#define ZV_GDI_MEMBER(library, name) decltype(&::name) name;
    ZV_GDI_CALLS(ZV_GDI_MEMBER)
#undef ZV_GDI_MEMBER
};

// Null when a library or one of its entries cannot be had.
const GdiApi* Gdi();

// Owners that close through the bound entry points: only what was made through Gdi() goes in
// them, so Gdi() is there when they close.
struct BoundDcTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC dc) { Gdi()->DeleteDC(dc); }
};
template <class T>
struct BoundGdiObjectTraits {
    static T Invalid() { return nullptr; }
    static void Close(T object) { Gdi()->DeleteObject(object); }
};
using BoundMemoryDc = win32::UniqueHandle<BoundDcTraits>;
template <class T = HGDIOBJ>
using BoundGdiObject = win32::UniqueHandle<BoundGdiObjectTraits<T>>;
