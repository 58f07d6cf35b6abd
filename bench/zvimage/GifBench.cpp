// Animated GIF output, one job per run so that run-gif-bench can time whole processes against
// ImageMagick on the same frames:
//   zvimage_gif_bench frames DIR COUNT WIDTH HEIGHT   draws COUNT frames into DIR\frameNN.png
//   zvimage_gif_bench gif DIR COUNT OUT               loads them, one table for all, writes OUT
// It prints the time spent inside the process, in milliseconds.
#include <windows.h>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>
#include "CxImageGIF.h"
#include "Quantizer.h"
#include "ZVGraphics.h"
#include "ZVImage.h"

namespace {

std::wstring FramePath(const wchar_t* dir, int i)
{
    wchar_t name[32];
    swprintf(name, 32, L"\\frame%02d.png", i);
    return std::wstring(dir) + name;
}

// A soft gradient with shapes that move from frame to frame: many colours, as photos in a
// collage have, but reproducible.
bool DrawFrame(CZVImage& image, long w, long h, int i, int count)
{
    if (!image.Create(w, h, 24, CXIMAGE_FORMAT_PNG))
        return false;
    for (long y = 0; y < h; ++y) {
        BYTE* row = image.GetBits(y);
        for (long x = 0; x < w; ++x) {
            row[x * 3] = static_cast<BYTE>(x * 255 / w);
            row[x * 3 + 1] = static_cast<BYTE>(y * 255 / h);
            row[x * 3 + 2] = static_cast<BYTE>((x + y + i * 8) & 255);
        }
    }
    CZVGraphics g(&image);
    const double t = 6.2831853 * i / count;
    const float cx = static_cast<float>(w / 2 + std::cos(t) * w / 4), cy = static_cast<float>(h / 2 + std::sin(t) * h / 4);
    g.FillEllipse(CZVBrushSolid(0xC0F04020), cx - 80, cy - 80, 160, 160);
    g.FillPentagon(CZVBrushSolid(0xA020C040), w - cx - 60, h - cy - 60, 120, 120);
    CZVPen pen(0xFF102060, 6);
    g.DrawRoundedRect(pen, 20, 20, static_cast<float>(w - 40), static_cast<float>(h - 40), 30);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        fwprintf(stderr, L"usage: zvimage_gif_bench frames DIR COUNT WIDTH HEIGHT | gif DIR COUNT OUT\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const int count = _wtoi(argv[3]);
    bool ok = count > 0;
    if (wcscmp(argv[1], L"frames") == 0 && argc >= 6) {
        for (int i = 0; ok && i < count; ++i) {
            CZVImage image;
            ok = DrawFrame(image, _wtol(argv[4]), _wtol(argv[5]), i, count) &&
                 image.SaveFile(FramePath(argv[2], i).c_str(), CXIMAGE_FORMAT_PNG);
        }
    } else if (wcscmp(argv[1], L"gif") == 0 && argc >= 5) {
        // As the combiner writes its animation: 256 colours at 7 bits, one common table.
        std::vector<std::unique_ptr<CZVImage>> frames;
        std::vector<CxImage*> list;
        CQuantizer quantizer(256, 7);
        for (int i = 0; ok && i < count; ++i) {
            frames.push_back(std::make_unique<CZVImage>());
            ok = frames.back()->LoadFile(FramePath(argv[2], i).c_str()) && quantizer.ProcessImage(*frames.back());
            frames.back()->SetFrameDelay(10);
            list.push_back(frames.back().get());
        }
        RGBQUAD table[256] = {};
        quantizer.SetColorTable(table);
        for (auto& f : frames)
            ok = ok && f->DecreaseBpp(8, false, table, 256);
        CxImageGIF gif;
        gif.SetComment("LumivoTools");
        gif.SetLoops(3);
        gif.SetDisposalMethod(2);
        FILE* out = _wfopen(argv[4], L"wb");
        ok = ok && out && gif.Encode(out, list.data(), count);
        if (out)
            fclose(out);
    } else {
        ok = false;
    }
    QueryPerformanceCounter(&end);
    printf("%s %.1f ms\n", ok ? "ok" : "failed", (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
    return ok ? 0 : 1;
}
