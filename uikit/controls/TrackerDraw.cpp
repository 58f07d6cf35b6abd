#include "TrackerDraw.h"
#include <gdiplus.h>
#include "AppFrameIds.h"
#include "WinApp.h"

namespace tracker {

namespace {

bool StartGdiplus()
{
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

// Offsets of each handle's circle inside its rectangle: the circle is 16 pixels smaller and
// hugs the corner (or edge) that faces the tracked rectangle.
const POINT kCircleOffset[8] = {{16, 16}, {0, 16}, {0, 0}, {16, 0}, {8, 16}, {0, 8}, {8, 0}, {16, 8}};
const int kFrameInset = 30;
const int kCircleShrink = 16;

} // namespace

void DrawFrameAndHandles(HDC dc, const RECT& t, const RECT& client, bool dim, bool withFrame, bool withHandles, UINT mask,
                         const RECT handleRects[8])
{
    if (!StartGdiplus())
        return;
    Gdiplus::Graphics g(dc);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::Pen halo(Gdiplus::Color(120, 255, 255, 255), 3.0f);
    Gdiplus::Pen line(Gdiplus::Color(255, 0, 100, 255), 1.0f);
    if (withFrame) {
        const int left = t.left + kFrameInset, top = t.top + kFrameInset;
        const int width = (t.right - t.left) - 2 * kFrameInset, height = (t.bottom - t.top) - 2 * kFrameInset;
        if (dim) {
            const int cw = client.right - client.left, ch = client.bottom - client.top;
            Gdiplus::SolidBrush shade(Gdiplus::Color(92, 0, 0, 0));
            // Bands touch without overlapping, so the shade is even everywhere.
            g.FillRectangle(&shade, 0, 0, cw, top);
            g.FillRectangle(&shade, 0, top + height, cw, ch - (top + height));
            g.FillRectangle(&shade, 0, top, left, height);
            g.FillRectangle(&shade, left + width, top, cw - (left + width), height);
        }
        g.DrawRectangle(&halo, left, top, width, height);
        g.DrawRectangle(&line, left, top, width, height);
    }
    if (withHandles) {
        Gdiplus::GraphicsPath path;
        for (int h = 0; h < 8; ++h) {
            if (!(mask & (1u << h)))
                continue;
            const RECT& hr = handleRects[h];
            path.StartFigure();
            path.AddEllipse(static_cast<INT>(hr.left + kCircleOffset[h].x), static_cast<INT>(hr.top + kCircleOffset[h].y),
                            static_cast<INT>(hr.right - hr.left - kCircleShrink),
                            static_cast<INT>(hr.bottom - hr.top - kCircleShrink));
        }
        g.DrawPath(&halo, &path);
        g.DrawPath(&line, &path);
    }
}

void LoadCursorTable(HCURSOR cursors[10])
{
    // The cursors live in the framework's module, found from one of its functions.
    HMODULE frame = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&AfxLockGlobals), &frame);
    static const UINT kIds[10] = {IDC_TRACK_NWSE, IDC_TRACK_NESW, IDC_TRACK_NWSE, IDC_TRACK_NESW, IDC_TRACK_NS,
                                  IDC_TRACK_WE,   IDC_TRACK_NS,   IDC_TRACK_WE,   IDC_TRACK_4WAY, IDC_MOVE_4WAY};
    for (int i = 0; i < 10; ++i) {
        cursors[i] = ::LoadCursorW(frame, MAKEINTRESOURCEW(kIds[i]));
        if (!cursors[i])
            cursors[i] = ::LoadCursorW(nullptr, i == 9 || i == 8 ? IDC_SIZEALL : IDC_ARROW);
    }
}

} // namespace tracker
