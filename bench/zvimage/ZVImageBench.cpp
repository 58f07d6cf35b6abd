// One picture job per run, so that run-bench can time whole processes against ImageMagick:
//   zvimage_bench decode IN
//   zvimage_bench resize IN OUT WIDTH QUALITY     decode, resize to WIDTH, encode as JPEG
//   zvimage_bench thumb IN OUT SIZE               shrink on load, fit into SIZE x SIZE, encode
// It prints the time spent inside the process, in milliseconds.
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include "ZVImage.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fwprintf(stderr, L"usage: zvimage_bench decode|resize|thumb IN [OUT SIZE [QUALITY]]\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const wchar_t* mode = argv[1];
    CZVImage image;
    bool ok = false;
    if (wcscmp(mode, L"decode") == 0) {
        ok = image.LoadFile(argv[2]);
    } else if (wcscmp(mode, L"resize") == 0 && argc >= 6) {
        const long width = _wtol(argv[4]);
        ok = image.LoadFile(argv[2]) && width > 0 &&
             image.Resample(width, static_cast<long>(static_cast<long long>(image.GetHeight()) * width / image.GetWidth()), 1);
        image.SetJpegQuality(static_cast<BYTE>(_wtol(argv[5])));
        ok = ok && image.SaveFile(argv[3], CXIMAGE_FORMAT_JPG);
    } else if (wcscmp(mode, L"thumb") == 0 && argc >= 5) {
        const long size = _wtol(argv[4]);
        image.SetShrinkOnLoad(size, size);
        ok = image.LoadFile(argv[2]) && image.ResampleInFrame(size, size) && image.SaveFile(argv[3], CXIMAGE_FORMAT_JPG);
    }
    QueryPerformanceCounter(&end);
    printf("%s %lux%lu %.1f ms\n", ok ? "ok" : "failed", image.GetWidth(), image.GetHeight(),
           (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
    return ok ? 0 : 1;
}
