#pragma once
// Pictures of windows as the screen shows them, saved for a look under build/out.
#include <windows.h>
#include <string>
#include "TestSupport.h"
#include "ZVImage.h"

// The window as the screen shows it, as a PNG.
inline bool SaveWindowPicture(HWND hwnd, const std::wstring& path)
{
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::BitBlt(dc, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(dc, old);
    CZVImage picture;
    const bool ok = picture.CreateFromHBITMAP(bitmap) && picture.SaveFile(path.c_str(), CXIMAGE_FORMAT_PNG);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

// build/out/<sub> (made when missing), without a trailing backslash.
inline std::wstring OutFolder(const wchar_t* sub)
{
    const std::wstring out = testsupport::BinDir() + L"\\..\\out";
    ::CreateDirectoryW(out.c_str(), nullptr);
    const std::wstring folder = out + L"\\" + sub;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
