// Emboss and Edge on a 12-megapixel picture as the editor's commands run them: the filter on the
// current layer with its history step, then the composite made again; twenty of each in a row,
// then undone as far as the history reaches and redone. Prints the medians and the private
// bytes after each command, and writes the picture as a PAM file for the peer. Run through
// bench/editor/commands.
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>
#include "AppFrame.h"
#include "BenchDocument.h"
#include "EditorUtils.h"
#include "EffectCommandTable.h"
#include "PicEditView.h"

CWinApp benchApp(L"CommandsBench");

namespace {

const int kRounds = 20;

double Ms(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double PrivateMb()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters)))
        return 0;
    const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return bytes / 1048576.0;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Run(const char* name, CPicEditView& view, const std::function<void()>& command)
{
    CLayerDocument& doc = view.doc;
    std::vector<double> commands, undos, memory;
    for (int i = 0; i < kRounds; ++i) {
        commands.push_back(Ms([&] {
            command();
            doc.RebuildComposite();
        }));
        memory.push_back(PrivateMb());
    }
    const int steps = doc.history.GetCount();
    while (doc.history.position > 0) {
        const int before = doc.history.position;
        undos.push_back(Ms([&] {
            view.Undo();
            doc.RebuildComposite();
        }));
        if (doc.history.position == before)
            break;
    }
    std::vector<double> redos;
    while (doc.history.position + 1 < doc.history.GetCount()) {
        const int before = doc.history.position;
        redos.push_back(Ms([&] {
            view.Redo();
            doc.RebuildComposite();
        }));
        if (doc.history.position == before)
            break;
    }
    // Once the history is full, every later command should leave the memory where it was.
    const int full = std::min(kRounds - 1, std::max(0, doc.history.limit));
    const double atFull = memory[full];
    const double highest = *std::max_element(memory.begin() + full, memory.end());
    std::printf("%s command_ms %.1f undo_ms %.1f undos %zu redo_ms %.1f history %d limit %d mem_full_mb %.0f mem_peak_mb %.0f mem_last_mb %.0f\n",
                name, Median(commands), Median(undos), undos.size(), Median(redos), steps, doc.history.limit, atFull,
                highest, memory.back());
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: editor_commands_bench OUT.pam\n");
        return 1;
    }
    CPicEditView view;
    if (!view.doc.OpenImage(BenchPhoto(kBenchWidth, kBenchHeight, 7, false))) {
        std::fprintf(stderr, "editor_commands_bench: cannot open the picture\n");
        return 1;
    }
    view.doc.zoom = 1.0f;
    // The steps a picture opened from a file of this size keeps.
    view.doc.history.limit = GetHistoryLimit(int64_t(kBenchWidth) * kBenchHeight);
    if (!WritePam(*view.doc.GetBackgroundImage(), argv[1])) {
        std::fprintf(stderr, "editor_commands_bench: cannot write the picture\n");
        return 1;
    }
    std::printf("picture %ld x %ld base_mb %.0f\n", kBenchWidth, kBenchHeight, PrivateMb());
    // The library's filters alone on a copy of the picture: the floor under the commands.
    {
        CZVImage copy(*view.doc.GetBackgroundImage());
        long kernel[9];
        std::copy(std::begin(kEmbossKernel), std::end(kEmbossKernel), kernel);
        std::vector<double> emboss, edge;
        for (int i = 0; i < 3; ++i) {
            emboss.push_back(Ms([&] { copy.Filter(kernel, 3, -1, 127); }));
            edge.push_back(Ms([&] { copy.Edge(2); }));
        }
        std::printf("library emboss_ms %.1f edge_ms %.1f\n", Median(emboss), Median(edge));
        // Where a command's time goes besides the filter: the composite, and the command
        // without its history step.
        std::vector<double> compose, bare;
        for (int i = 0; i < 3; ++i) {
            compose.push_back(Ms([&] { view.doc.RebuildComposite(); }));
            view.doc.historyOn = 0;
            bare.push_back(Ms([&] { view.doc.EdgeCurrentLayer(); }));
            view.doc.historyOn = 1;
        }
        std::printf("parts composite_ms %.1f edge_without_history_ms %.1f\n", Median(compose), Median(bare));
        view.doc.OpenImage(BenchPhoto(kBenchWidth, kBenchHeight, 7, false));
        view.doc.history.limit = GetHistoryLimit(int64_t(kBenchWidth) * kBenchHeight);
    }
    Run("emboss", view, [&] {
        long kernel[9];
        std::copy(std::begin(kEmbossKernel), std::end(kEmbossKernel), kernel);
        view.doc.FilterCurrentLayer(kernel);
    });
    Run("edge", view, [&] { view.doc.EdgeCurrentLayer(); });
    return 0;
}
