// The document's composites on the 12-megapixel document of 20 layers: the full composite at zoom
// 1.0, and the reduced one at zoom 0.25 made from scratch (every layer reduced) and again with
// the reduced copies kept. With a folder argument it also writes every layer as a PAM file and
// their offsets, for the peer to compose the same picture. Run through
// bench/document/run-bench --compose.
#include <windows.h>
#include <algorithm>
#include <utility>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "BenchDocument.h"
#include "LayerDocument.h"

namespace {

double BestMs(int runs, const std::function<void()>& prepare, const std::function<void()>& run)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    CLayerDocument doc;
    BuildBenchDocument([&](CLayerInfo layer) {
        if (doc.layers.layers.empty()) {
            doc.layers.InsertLayerAtBottom(std::move(layer));
        } else {
            layer.id = int32_t(doc.layers.layers.size());
            doc.layers.AddLayer(std::move(layer));
        }
    });
    doc.canvasRect = RECT{0, 0, kBenchWidth, kBenchHeight};
    doc.zoom = 1.0f;

    if (argc > 1) {
        const std::wstring folder = argv[1];
        FILE* offsets = _wfopen((folder + L"\\offsets.txt").c_str(), L"w");
        if (!offsets)
            return 1;
        for (size_t i = 0; i < doc.layers.layers.size(); ++i) {
            const CLayerInfo& layer = doc.layers.layers[i];
            wchar_t name[32];
            swprintf(name, 32, L"\\layer%02d.pam", int(i));
            if (!WritePam(layer.displayed, folder + name))
                return 1;
            std::fprintf(offsets, "layer%02d.pam %d %d\n", int(i), int(layer.drawOrigin.x), int(layer.drawOrigin.y));
        }
        std::fclose(offsets);
    }

    const double full = BestMs(5, [] {}, [&] { doc.RebuildComposite(); });
    if (argc > 1 && !WritePam(doc.composite, std::wstring(argv[1]) + L"\\ours.pam"))
        return 1;
    doc.zoom = 0.25f;
    const double cold = BestMs(3, [&] { doc.scaledComposite.Destroy(); }, [&] { doc.RebuildScaledComposite(); });
    const double warm = BestMs(5, [] {}, [&] { doc.RebuildScaledComposite(); });
    std::printf("layers %d\nfull_ms %.1f\nscaled_cold_ms %.1f\nscaled_warm_ms %.1f\n", int(doc.layers.layers.size()), full,
                cold, warm);
    return 0;
}
