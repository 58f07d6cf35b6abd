// The canvas window on the 12-megapixel document of 20 layers: the paint per mouse move while
// a 2000 x 1500 layer is dragged, against re-composing the whole picture per move, at zoom 0.25
// and 1.0; and the refresh (Recompose) at zoom 0.25 against 1.0. Prints key-value lines for
// bench/document/run-bench --canvas.
#include <windows.h>
#include <algorithm>
#include <utility>
#include <chrono>
#include <cstdio>
#include <functional>
#include "AppFrame.h"
#include "BenchDocument.h"
#include "LayeredViewWnd.h"

namespace {

CWinApp benchApp(L"CanvasBench");

const int kMoves = 24;
// A full re-composition of 20 layers takes seconds on a busy machine: a few moves show its cost.
const int kRecomposeMoves = 6;

double Ms(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double BestMs(int runs, const std::function<void()>& run)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, Ms(run));
    return best;
}

// What the application's message loop would handle meanwhile: the refreshes the canvas posts.
void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The whole window repainted now.
void PaintNow(CWnd& window)
{
    Pump();
    window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// What the handlers invalidated painted now, as the message loop would paint it.
void PaintPending(CWnd& window)
{
    Pump();
    window.UpdateWindow();
}

// The document at zoom 1.0 from the window's top left, laid out at the zoom asked for.
void LayOutAt(CLayeredViewWnd& canvas, float zoom)
{
    CLayerDocument& doc = canvas.doc;
    doc.hPos = doc.vPos = 0;
    doc.zoom = zoom;
    canvas.SendMessage(WM_SIZE, SIZE_RESTORED, 0);
    canvas.Recompose();
    PaintNow(canvas);
}

struct DragFigures {
    double paintMs;       // a paint with nothing changed: the window's fixed cost
    double oursMs;        // per move: the drag handler and its paint
    double recomposeMs;   // per move: move, re-compose everything, paint
};

DragFigures MeasureDrag(CLayeredViewWnd& canvas, int id, float zoom)
{
    LayOutAt(canvas, zoom);
    CLayerDocument& doc = canvas.doc;
    doc.layers.currentId = id;
    PaintNow(canvas);
    const CLayerInfo& layer = *doc.layers.GetLayer(id);
    const POINT start = {static_cast<LONG>(layer.location.x + 100 * zoom), static_cast<LONG>(layer.location.y + 100 * zoom)};
    canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    PaintNow(canvas);
    DragFigures f;
    f.paintMs = BestMs(3, [&] { PaintNow(canvas); });
    f.oursMs = Ms([&] {
                   for (int i = 1; i <= kMoves; ++i) {
                       canvas.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 3 * i, start.y + 2 * i));
                       PaintPending(canvas);
                   }
               }) / kMoves;
    canvas.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(start.x + 3 * kMoves, start.y + 2 * kMoves));
    canvas.Recompose();
    PaintNow(canvas);
    // The obvious alternative: every move re-composes the whole picture with the layer in it.
    f.recomposeMs = Ms([&] {
                        for (int i = 1; i <= kRecomposeMoves; ++i) {
                            CLayerInfo& moving = *doc.layers.GetLayer(id);
                            moving.location.x -= 3;
                            moving.location.y -= 2;
                            canvas.Recompose();
                            PaintPending(canvas);
                        }
                    }) / kRecomposeMoves;
    return f;
}

} // namespace

int wmain()
{
    CLayeredViewWnd canvas;
    if (!canvas.CreateEx(0, nullptr, L"canvas bench", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 900, nullptr, nullptr))
        return 1;
    CLayerDocument& doc = canvas.doc;
    int dragged = -1;
    BuildBenchDocument([&](CLayerInfo layer) {
        if (doc.layers.layers.empty()) {
            doc.layers.InsertLayerAtBottom(std::move(layer));
            return;
        }
        layer.id = int32_t(doc.layers.layers.size());
        layer.framed = layer.movable = layer.selectable = 1;
        if (dragged < 0 && layer.width == 2000 && layer.height == 1500)
            dragged = layer.id;
        doc.layers.AddLayer(std::move(layer));
    });
    if (dragged < 0)
        return 1;
    doc.docWidth = kBenchWidth;
    doc.docHeight = kBenchHeight;
    doc.canvasRect = RECT{0, 0, kBenchWidth, kBenchHeight};
    doc.zoom = doc.fitZoom = 1.0f;

    std::fprintf(stderr, "canvas_bench: document built\n");
    const DragFigures quarter = MeasureDrag(canvas, dragged, 0.25f);
    std::fprintf(stderr, "canvas_bench: zoom 0.25 measured\n");
    const DragFigures whole = MeasureDrag(canvas, dragged, 1.0f);
    std::fprintf(stderr, "canvas_bench: zoom 1.0 measured\n");
    LayOutAt(canvas, 1.0f);
    const double recomposeWhole = BestMs(3, [&] { canvas.Recompose(); });
    LayOutAt(canvas, 0.25f);
    const double recomposeQuarter = BestMs(3, [&] { canvas.Recompose(); });
    std::printf("layers %d\n", int(doc.layers.layers.size()));
    std::printf("drag_025_ms %.2f\nrecompose_move_025_ms %.2f\n", quarter.oursMs, quarter.recomposeMs);
    std::printf("drag_100_ms %.2f\nrecompose_move_100_ms %.2f\n", whole.oursMs, whole.recomposeMs);
    std::printf("paint_025_ms %.2f\npaint_100_ms %.2f\n", quarter.paintMs, whole.paintMs);
    std::printf("recompose_025_ms %.2f\nrecompose_100_ms %.2f\n", recomposeQuarter, recomposeWhole);
    canvas.DestroyWindow();
    return 0;
}
