// One picture job per run, so that run-bench can time whole processes against ImageMagick:
//   zvimage_bench decode IN
//   zvimage_bench resize IN OUT WIDTH QUALITY     decode, resize to WIDTH, encode as JPEG
//   zvimage_bench thumb IN OUT SIZE               shrink on load, fit into SIZE x SIZE, encode
//   zvimage_bench effect NAME IN                 decode, then one effect (run-effects-bench)
// It prints the time spent inside the process, in milliseconds; an effect run also prints the
// effect's own time.
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <functional>
#include "ZVImage.h"

namespace {

// The effects that ImageMagick also has, with the parameters run-effects-bench gives it.
const struct {
    const wchar_t* name;
    std::function<bool(CZVImage&)> apply;
} kEffects[] = {
    {L"grayscale", [](CZVImage& i) { return i.EffectGrayScale(); }},
    {L"blur", [](CZVImage& i) { return i.GaussianBlur(4.0f); }},
    {L"motion", [](CZVImage& i) { return i.EffectBlurMotion(20, 30); }},
    {L"swirl", [](CZVImage& i) { return i.EffectTwist(20, 100, 0.0, 0.0); }},
    {L"implode", [](CZVImage& i) { return i.EffectBulge(-100, 0.0, 0.0); }},
    {L"wave", [](CZVImage& i) { return i.EffectWave(6, 20, 0.0); }},
    {L"posterize", [](CZVImage& i) { return i.EffectPosterize(4); }},
    {L"solarize", [](CZVImage& i) { return i.EffectSolarize(128); }},
    {L"brightness-contrast", [](CZVImage& i) { return i.EffectBrightnessContrast(10, 20); }},
    {L"sharpen", [](CZVImage& i) { const long k[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1}; return i.Filter(k, 3, 7, 0); }},
    {L"emboss", [](CZVImage& i) { const long k[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0}; return i.Filter(k, 3, -1, 127); }},
    {L"edge", [](CZVImage& i) { return i.Edge(2); }},
    {L"oilpaint", [](CZVImage& i) { return i.EffectOilPaint(3, 100.0f); }},
    {L"sketch", [](CZVImage& i) { return i.EffectPencilSketch(4, 0); }},
    {L"negate", [](CZVImage& i) { return i.EffectInvert(); }},
    {L"gamma", [](CZVImage& i) { return i.EffectGamma(160); }},
    {L"noise", [](CZVImage& i) { return i.Noise(40); }},
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fwprintf(stderr, L"usage: zvimage_bench decode|resize|thumb IN [OUT SIZE [QUALITY]] | effect NAME IN\n");
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
    } else if (wcscmp(mode, L"effect") == 0 && argc >= 4) {
        for (const auto& effect : kEffects) {
            if (wcscmp(effect.name, argv[2]) != 0)
                continue;
            ok = image.LoadFile(argv[3]);
            LARGE_INTEGER begin, finish;
            QueryPerformanceCounter(&begin);
            ok = ok && effect.apply(image);
            QueryPerformanceCounter(&finish);
            printf("effect %.1f ms\n", (finish.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart);
        }
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
