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

// What thumbnail i of the gallery shows: whether its corners are the grey frame, and how many
// pixels inside the frame are not white.
struct Thumbnail {
    bool framed;
    int inked;
};
inline Thumbnail LookAtThumbnail(CKQDlgTextFuncMain& page, int i)
{
    using textsheet::kThumbHeight;
    using textsheet::kThumbWidth;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kThumbWidth, kThumbHeight);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ImageList_Draw(page.m_imageList.GetSafeHandle(), i, dc, 0, 0, ILD_NORMAL);
    Thumbnail seen = {::GetPixel(dc, 0, 0) == RGB(192, 192, 192) &&
                          ::GetPixel(dc, kThumbWidth - 1, kThumbHeight - 1) == RGB(192, 192, 192),
                      0};
    for (int y = 1; y < kThumbHeight - 1; ++y)
        for (int x = 1; x < kThumbWidth - 1; ++x)
            seen.inked += ::GetPixel(dc, x, y) != RGB(255, 255, 255);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return seen;
}

} // namespace textsheetprobe
