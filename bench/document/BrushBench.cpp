// A 500-dab brush stroke of a 50-pixel brush on a 12-megapixel layer with copy-on-edit: the edit
// view's dab, which copies what it touched into the source picture, against the same dabs with a
// copy of the whole picture into the source after each (the literal way), and against the dabs
// alone with no source kept. Prints key-value lines for bench/document/run-bench --brush.
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include "AppFrame.h"
#include "BenchDocument.h"
#include "PicEditView.h"

namespace {

CWinApp benchApp(L"BrushBench");

const int kDabs = 500;
const int kBrush = 50;

// The strip the brush reads: one hard round cell.
class BenchHost : public IEditorHost {
public:
    int GetFixedCropWidth() override { return -1; }
    int GetFixedCropHeight() override { return -1; }
    void SetCropFields(int, int) override {}
    void SetStatusText(UINT, const wchar_t*) override {}
    void RefreshLayerList() override {}
    ShapeSettings GetShapeSettings() override { return ShapeSettings(); }
    void SetShapeSettings(const ShapeSettings&) override {}
    void SetShapeSize(int, int) override {}
    void SelectDefaultTool() override {}
    void ShowShapeOptions() override {}
    CStringW GetBrushFile() override { return strip.c_str(); }
    HWND GetColourTarget() override { return nullptr; }
    std::wstring strip;
};

// A zigzag across the picture, one window point per dab, 9 pixels apart.
CPoint DabPoint(int i)
{
    const int perRow = 400;
    const int row = i / perRow, step = i % perRow;
    const int x = 100 + (row % 2 == 0 ? step : perRow - 1 - step) * 9;
    return CPoint(x, 400 + row * 600 + static_cast<int>(150 * std::sin(step / 25.0)));
}

// Milliseconds per dab of one stroke; after() runs after each dab, inside the timing.
double StrokeMs(CPicEditView& view, const std::function<void()>& after)
{
    view.doc.layers.GetCurrentLayer()->displayed.PathClear();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kDabs; ++i) {
        view.Dab(DabPoint(i));
        after();
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kDabs;
}

} // namespace

int wmain()
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    BenchHost host;
    host.strip = std::wstring(folder) + L"lumivo-brush-bench.png";
    CZVImage strip;
    strip.Create(64, 64, 24);
    strip.SetRectColor(RECT{0, 0, 64, 64}, RGBQUAD{255, 255, 255, 0});
    for (long y = 0; y < 64; ++y)
        for (long x = 0; x < 64; ++x)
            if (std::hypot(x - 31.5, y - 31.5) < 28)
                strip.SetPixelColor(x, y, RGBQUAD{0, 0, 0, 0});
    if (!strip.Save(host.strip.c_str(), CXIMAGE_FORMAT_PNG)) {
        std::fprintf(stderr, "brush_bench: cannot write the brush strip\n");
        return 1;
    }
    SetEditorHost(&host);

    CPicEditView view;
    if (!view.doc.OpenImage(BenchPhoto(kBenchWidth, kBenchHeight, 7, false))) {
        std::fprintf(stderr, "brush_bench: cannot open the picture\n");
        return 1;
    }
    view.doc.zoom = 1.0f;
    CLayerInfo& layer = *view.doc.layers.GetCurrentLayer();
    layer.location = ZVPOINTF{0, 0};
    view.tool = 16;
    view.paintColour = RGBQUAD{40, 40, 200, 0};
    view.SetBrushOptions(1, kBrush, 0, 200, TRUE, 0, 0);
    view.PrepareBrushImage();
    if (!view.brushPicture.IsValid()) {
        std::fprintf(stderr, "brush_bench: no brush picture\n");
        return 1;
    }

    // Taken in turns, best of five each, so that neither gains from the other's warm caches:
    // the dabs with no source kept, and ours, with copy-on-edit of what each dab touched.
    double ours = 1e30, literal = 1e30, alone = 1e30;
    bool same = true;
    for (int run = 0; run < 5; ++run) {
        view.doc.keepSource = 0;
        layer.ClearSourceImage();
        alone = std::min(alone, StrokeMs(view, [] {}));
        view.doc.keepSource = 1;
        layer.source.Copy(layer.displayed);
        ours = std::min(ours, StrokeMs(view, [] {}));
        // The check that the source followed: a copy-on-edit must leave the two equal.
        for (long row = 0; row < kBenchHeight && same; row += 7)
            same = std::equal(layer.displayed.GetBits(row), layer.displayed.GetBits(row) + kBenchWidth * 3,
                              layer.source.GetBits(row));
    }
    // The literal way: a copy of the whole picture after each dab (one run: it takes minutes).
    view.doc.keepSource = 0;
    CZVImage whole;
    literal = StrokeMs(view, [&] { whole.Copy(layer.displayed); });

    std::printf("dabs %d\n", kDabs);
    std::printf("brush %d\n", kBrush);
    std::printf("ours_ms %.4f\n", ours);
    std::printf("literal_ms %.4f\n", literal);
    std::printf("alone_ms %.4f\n", alone);
    std::printf("source_same %d\n", same ? 1 : 0);
    SetEditorHost(nullptr);
    ::DeleteFileW(host.strip.c_str());
    return same ? 0 : 2;
}
