// viewer_step FOLDER: what the viewer does from Next until the picture is drawn, for every JPEG
// of the folder in turn: decode shrunk to a 1920 x 1080 window's fit, lay out, shrink to the
// displayed size and draw into the window's 32-bit off-screen picture. Prints the time of the
// steps alone (milliseconds) and the peak working set.
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <string>
#include <vector>
#include "ViewerLayout.h"
#include "ZVImage.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        fwprintf(stderr, L"usage: viewer_step FOLDER\n");
        return 2;
    }
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found;
    const std::wstring folder = argv[1];
    HANDLE find = ::FindFirstFileW((folder + L"\\*.jpg").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do
            files.push_back(folder + L"\\" + found.cFileName);
        while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    const int w = 1920, h = 1080;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::SelectObject(dc, dib);
    LARGE_INTEGER freq, start, end;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&start);
    int drawn = 0;
    for (const std::wstring& file : files) {
        CZVImage source;
        source.SetShrinkOnLoad(w - 300, h, true);
        if (!source.LoadFile(file.c_str()))
            continue;
        viewer::PicturePlace place;
        viewer::PictureFrame frame;
        frame.sourceWidth = source.GetOriginalWidth();
        frame.sourceHeight = source.GetOriginalHeight();
        frame.fitRect = RECT{150, 0, w - 150, h};
        frame.clientWidth = w;
        frame.clientHeight = h;
        viewer::LayoutPicture(place, frame);
        CZVImage display(source);
        display.Resample(place.width, place.height, 1);
        RECT all = {0, 0, w, h};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        display.Draw(dc, RECT{place.x, place.y, place.x + place.width, place.y + place.height});
        ++drawn;
    }
    ::QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS memory = {sizeof memory};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    wprintf(L"%d %.1f %.1f\n", drawn, (end.QuadPart - start.QuadPart) * 1000.0 / freq.QuadPart,
            memory.PeakWorkingSetSize / 1048576.0);
    return drawn == static_cast<int>(files.size()) ? 0 : 1;
}
