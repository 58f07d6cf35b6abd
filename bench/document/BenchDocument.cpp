#include "BenchDocument.h"
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

CZVImage BenchPhoto(long width, long height, unsigned seed, bool alphaGradient)
{
    CZVImage p;
    p.Create(width, height, 24);
    std::minstd_rand grain(seed);
    for (long y = 0; y < height; ++y) {
        BYTE* row = p.GetBits(y);
        for (long x = 0; x < width; ++x) {
            const unsigned n = grain() & 7;
            row[3 * x] = BYTE((x * 255 / width + seed * 40 + n) & 255);
            row[3 * x + 1] = BYTE((y * 255 / height + (x * y >> 14) + n) & 255);
            row[3 * x + 2] = BYTE(((x + y) * 200 / (width + height) + seed * 17 + n) & 255);
        }
    }
    if (alphaGradient) {
        p.AlphaCreate();
        for (long y = 0; y < height; ++y)
            std::memset(p.AlphaGetPointer(0, y), int(64 + y * 191 / height), width);
    }
    return p;
}

CLayerInfo BenchPictureLayer(CZVImage picture, int type, float x, float y)
{
    CLayerInfo layer;
    layer.type = type;
    layer.source = picture;
    layer.displayed = picture;
    layer.width = long(picture.GetWidth());
    layer.height = long(picture.GetHeight());
    layer.location = ZVPOINTF{x, y};
    layer.drawOrigin = layer.location;
    layer.visible = 1;
    return layer;
}

void BuildBenchDocument(const std::function<void(CLayerInfo)>& add)
{
    add(BenchPictureLayer(BenchPhoto(kBenchWidth, kBenchHeight, 1, false), LAYER_BACKGROUND, 0, 0));
    for (unsigned i = 0; i < 9; ++i)
        add(BenchPictureLayer(BenchPhoto(kBenchWidth, kBenchHeight, 2 + i, i % 3 == 0), LAYER_IMAGE, float(i * 10),
                              float(i * 7)));
    const long small[6][2] = {{1200, 900}, {1600, 1000}, {2000, 1500}, {1000, 1000}, {1800, 1200}, {1400, 1000}};
    for (unsigned i = 0; i < 6; ++i)
        add(BenchPictureLayer(BenchPhoto(small[i][0], small[i][1], 20 + i, true), LAYER_IMAGE, float(100 * i),
                              float(50 * i)));
    for (unsigned i = 0; i < 2; ++i) {
        CLayerInfo text = BenchPictureLayer(BenchPhoto(900, 160, 40 + i, true), LAYER_TEXT, 200, float(300 * i));
        text.source.Destroy();
        add(std::move(text));
    }
    for (unsigned i = 0; i < 2; ++i) {
        CLayerInfo shape = BenchPictureLayer(BenchPhoto(600, 600, 50 + i, true), LAYER_SHAPE, 900, float(400 * i));
        shape.source.Destroy();
        add(std::move(shape));
    }
}

bool WritePam(const CZVImage& p, const std::wstring& path)
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    const long w = long(p.GetWidth()), h = long(p.GetHeight());
    std::fprintf(f, "P7\nWIDTH %ld\nHEIGHT %ld\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", w, h);
    std::vector<BYTE> row(size_t(w) * 4);
    bool ok = true;
    for (long y = h - 1; y >= 0 && ok; --y) {
        const BYTE* bgr = p.GetBits(y);
        const BYTE* alpha = p.AlphaIsValid() ? p.AlphaGetPointer(0, y) : nullptr;
        for (long x = 0; x < w; ++x) {
            row[4 * x] = bgr[3 * x + 2];
            row[4 * x + 1] = bgr[3 * x + 1];
            row[4 * x + 2] = bgr[3 * x];
            row[4 * x + 3] = alpha ? alpha[x] : 255;
        }
        ok = std::fwrite(row.data(), 1, row.size(), f) == row.size();
    }
    return std::fclose(f) == 0 && ok;
}
