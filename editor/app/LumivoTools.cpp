// The editor's entry point and its first window, the start page.
#include <windows.h>
#include "Win32Owners.h"

namespace {

// The start page shares its class name with the browser's frame: the exit notification
// looks for windows of this class.
const wchar_t kStartPageClass[] = L"LumivoMainFrame";
const COLORREF kStartPageBackground = RGB(0x2B, 0x57, 0x9A);
const int kStartPageWidth = 860, kStartPageHeight = 560;

LRESULT CALLBACK StartPageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        const win32::GdiObject<HBRUSH> brush(CreateSolidBrush(kStartPageBackground));
        FillRect(reinterpret_cast<HDC>(wp), &rc, brush.Get());
        return 1;
    }
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
    wc.lpfnWndProc = StartPageProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kStartPageClass;
    if (!RegisterClassExW(&wc))
        return 1;

    // A fixed-size frame centred in the work area.
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - kStartPageWidth) / 2;
    const int top = work.top + (work.bottom - work.top - kStartPageHeight) / 2;
    HWND page = CreateWindowExW(0, kStartPageClass, L"Lumivo Tools", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                left, top, kStartPageWidth, kStartPageHeight, nullptr, nullptr, instance, nullptr);
    if (!page)
        return 1;
    ShowWindow(page, show);
    UpdateWindow(page);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
