// The picture browser's entry point and main window.
#include <windows.h>
#include "Win32Owners.h"

namespace {

const wchar_t kFrameClass[] = L"LumivoMainFrame";
// Sent by the editor's start page and the tray menu: the browser quits.
const UINT WM_KQ_QUIT = 0x500;
const COLORREF kFrameBackground = RGB(0xF3, 0xF3, 0xF3);

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        const win32::GdiObject<HBRUSH> brush(CreateSolidBrush(kFrameBackground));
        FillRect(reinterpret_cast<HDC>(wp), &rc, brush.Get());
        return 1;
    }
    case WM_KQ_QUIT:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSEXW wc = { sizeof wc };
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&wc))
        return 1;
    HWND frame = CreateWindowExW(0, kFrameClass, L"Lumivo Shows", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 CW_USEDEFAULT, CW_USEDEFAULT, 1000, 700, nullptr, nullptr, instance, nullptr);
    if (!frame)
        return 1;
    ShowWindow(frame, show);
    UpdateWindow(frame);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
