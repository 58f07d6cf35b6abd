#pragma once
// What the tests of both text options sheets do to a page and look at: control notices, texts,
// clicks in the preset gallery, the wait for its thumbnails and what they show.
#include <windows.h>
#include <commctrl.h>
#include "KQDlgTextFuncMain.h"
#include "TextSheetRules.h"
#include "WindowTestApp.h"

namespace textsheetprobe {

inline void Command(CWnd& page, UINT id, UINT code)
{
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(page.GetDlgItem(id)->m_hWnd));
}

inline CString Text(CWnd& page, UINT id)
{
    CString text;
    page.GetDlgItemText(id, text);
    return text;
}

// A click on gallery item index (-1: on no item).
inline void ClickPreset(CKQDlgTextFuncMain& page, UINT listId, int index)
{
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = page.m_listPresets.m_hWnd;
    click.hdr.idFrom = listId;
    click.hdr.code = NM_CLICK;
    click.iItem = index;
    page.SendMessage(WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&click));
}

// Until the thumbnail worker is done and its last pictures are in; false after 20 s.
inline bool WaitForThumbnails(CKQDlgTextFuncMain& page)
{
    const bool done = PumpUntil([&page] { return !page.IsThumbnailThreadRunning(); }, 20000);
    PumpFor(100);
    return done;
}

// What a thumbnail shows: whether its corners are the grey frame, and how many pixels inside
// the frame are not white.
struct Thumbnail {
    bool framed;
    int inked;
};
inline Thumbnail LookAt(HDC dc, int left, int top)
{
    using textsheet::kThumbHeight;
    using textsheet::kThumbWidth;
    const int right = left + kThumbWidth - 1, bottom = top + kThumbHeight - 1;
    Thumbnail seen = {::GetPixel(dc, left, top) == RGB(192, 192, 192) && ::GetPixel(dc, right, bottom) == RGB(192, 192, 192), 0};
    for (int y = top + 1; y < bottom; ++y)
        for (int x = left + 1; x < right; ++x)
            seen.inked += ::GetPixel(dc, x, y) != RGB(255, 255, 255);
    return seen;
}

// Thumbnail i as the page holds it, drawn on black.
inline Thumbnail LookAtThumbnail(CKQDlgTextFuncMain& page, int i)
{
    using textsheet::kThumbHeight;
    using textsheet::kThumbWidth;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kThumbWidth, kThumbHeight);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const RECT cell = {0, 0, kThumbWidth, kThumbHeight};
    ::FillRect(dc, &cell, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    page.DrawThumbnail(dc, i, 0, 0);
    const Thumbnail seen = LookAt(dc, 0, 0);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return seen;
}

// Thumbnail i as the gallery paints it: in the middle of its item's icon cell.
inline Thumbnail LookAtPaintedThumbnail(CKQDlgTextFuncMain& page, int i)
{
    using textsheet::kThumbHeight;
    using textsheet::kThumbWidth;
    RECT client = {}, icon = {};
    page.m_listPresets.GetClientRect(&client);
    if (!page.m_listPresets.GetItemRect(i, &icon, LVIR_ICON))
        return {false, 0};
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    page.m_listPresets.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const Thumbnail seen = LookAt(dc, (icon.left + icon.right - kThumbWidth) / 2, (icon.top + icon.bottom - kThumbHeight) / 2);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return seen;
}

} // namespace textsheetprobe
