// The undo history's bytes and recording times on a 12-megapixel document of 20 layers, against
// records that hold plain copies of the pictures. Run through bench/document/run-bench --history.
#include <windows.h>
#include <psapi.h>
#include <chrono>
#include <utility>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "BenchDocument.h"
#include "HistoryManage.h"
#include "LayeredManage.h"

namespace {

uint64_t PictureBytes(const CZVImage& p)
{
    if (!p.IsValid())
        return 0;
    const uint64_t plane = uint64_t(p.GetWidth()) * p.GetHeight();
    return uint64_t(p.GetEffWidth()) * p.GetHeight() + (p.AlphaIsValid() ? plane : 0) +
           (p.SelectionGetPointer() ? plane : 0);
}

// What a record holding a plain copy of the layer keeps: every picture but the zoomed copy.
uint64_t FullSnapshotBytes(const CLayerInfo& l)
{
    return PictureBytes(l.displayed) + PictureBytes(l.source) + PictureBytes(l.workingCopy) +
           PictureBytes(l.shadowCache) + PictureBytes(l.zoomedShadowCache);
}

uint64_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters)))
        return 0;
    // Some hosts leave PrivateUsage at 0; the commit charge is the same figure on Windows.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

double Seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A round brush of the given diameter dragged along a gentle curve, into both pictures.
void Stroke(CLayerInfo& layer, long diameter, unsigned seed)
{
    const long r = diameter / 2, w = layer.width, h = layer.height;
    const long x0 = 300 + long(seed * 137) % std::max(1L, w - 1600), y0 = 300 + long(seed * 89) % std::max(1L, h - 900);
    for (CZVImage* p : {&layer.displayed, &layer.source})
        for (long t = 0; t < 1000; t += 4) {
            const long cx = x0 + t, cy = y0 + long(200 * std::sin(t / 300.0));
            for (long y = std::max(0L, cy - r); y < std::min(h, cy + r); ++y) {
                BYTE* row = p->GetBits(y);
                const long dy = y - cy, half = long(std::sqrt(double(r * r - dy * dy)));
                for (long x = std::max(0L, cx - half); x < std::min(w, cx + half); ++x) {
                    row[3 * x] = 30;
                    row[3 * x + 1] = 90;
                    row[3 * x + 2] = 200;
                }
            }
        }
}

void Filter(CLayerInfo& layer)
{
    for (CZVImage* p : {&layer.displayed, &layer.source})
        for (long y = 0; y < long(p->GetHeight()); ++y) {
            BYTE* row = p->GetBits(y);
            for (DWORD i = 0; i < p->GetEffWidth(); ++i)
                row[i] = BYTE(255 - row[i]);
        }
}

struct Totals {
    uint64_t added = 0, full = 0;
    double record = 0, copy = 0;
    int64_t privateAdded = 0;
};

void PrintRow(const std::string& name, const Totals& t)
{
    std::printf("| %-22s | %12.1f | %12.1f | %7.4f | %9.1f | %9.1f | %6.2f | %12.1f |\n", name.c_str(), t.added / 1048576.0,
                t.full / 1048576.0, t.full ? double(t.added) / t.full : 0.0, t.record * 1000, t.copy * 1000,
                t.copy > 0 ? t.record / t.copy : 0.0, t.privateAdded / 1048576.0);
}

} // namespace

int wmain()
{
    CHistoryManage history;
    // Raised so that no record is dropped while the steps are measured.
    history.limit = 1000;
    CLayeredManage list;
    BuildBenchDocument([&](CLayerInfo layer) {
        if (list.layers.empty()) {
            list.InsertLayerAtBottom(std::move(layer));
        } else {
            layer.id = int32_t(list.layers.size());
            list.AddLayer(std::move(layer));
        }
        history.AddHistory(list.GetLayer(int(list.layers.size()) - 1), HISTORY_ADD);
    });
    std::printf("private bytes now: %.1f MB\n", PrivateBytes() / 1048576.0);
    std::printf("document: %ld x %ld background and %d upper layers; stored after opening %.1f MB\n\n", kBenchWidth, kBenchHeight,
                int(list.layers.size()) - 1, history.GetStoredBytes() / 1048576.0);
    std::printf("| %-22s | %12s | %12s | %7s | %9s | %9s | %6s | %12s |\n", "step", "added MB", "full MB", "ratio",
                "record ms", "copy ms", "time x", "private MB");
    std::printf("|%s|%s|%s|%s|%s|%s|%s|%s|\n", std::string(24, '-').c_str(), std::string(14, '-').c_str(),
                std::string(14, '-').c_str(), std::string(9, '-').c_str(), std::string(11, '-').c_str(),
                std::string(11, '-').c_str(), std::string(8, '-').c_str(), std::string(14, '-').c_str());

    // One layer step: the change, then the record measured against a plain copy of the layer.
    const auto layerStep = [&](int id, const std::function<void(CLayerInfo&)>& change) {
        CLayerInfo& layer = *list.GetLayer(id);
        change(layer);
        Totals t;
        t.full = FullSnapshotBytes(layer);
        t.copy = Seconds([&] { CLayerInfo plain(layer); });
        const uint64_t before = history.GetStoredBytes();
        const uint64_t privateBefore = PrivateBytes();
        t.record = Seconds([&] { history.AddHistory(&layer, HISTORY_MODIFY); });
        t.added = history.GetStoredBytes() - before;
        t.privateAdded = int64_t(PrivateBytes()) - int64_t(privateBefore);
        return t;
    };
    const auto move = [](CLayerInfo& l) { l.location.x += 37; l.location.y -= 11; l.frame.Offset(37, -11); };
    const auto shadow = [](CLayerInfo& l) { l.shadowOn = 1; l.shadowDistance += 5; l.ClearShadowCache(); };
    const auto flip = [](CLayerInfo& l) { l.displayed.Mirror(false, true); l.source.Mirror(false, true); };

    PrintRow("move", layerStep(3, move));
    PrintRow("brush stroke 200 px", layerStep(2, [](CLayerInfo& l) { Stroke(l, 200, 1); }));
    PrintRow("whole-layer filter", layerStep(4, Filter));
    PrintRow("shadow change", layerStep(5, shadow));
    {
        Totals t;
        for (const CLayerInfo& l : list.layers)
            t.full += FullSnapshotBytes(l);
        t.copy = Seconds([&] { CLayeredManage plain(list); });
        const uint64_t before = history.GetStoredBytes();
        const uint64_t privateBefore = PrivateBytes();
        t.record = Seconds([&] { history.AddLayersHistory(&list); });
        t.added = history.GetStoredBytes() - before;
        t.privateAdded = int64_t(PrivateBytes()) - int64_t(privateBefore);
        PrintRow("flatten", t);
    }
    Totals mixed;
    const char kinds[] = "msmfmsmfmsmfmlmsmlsm";   // 10 moves, 5 strokes, 3 filters, 2 flips
    for (int i = 0; i < 20; ++i) {
        const int id = 1 + (i * 7) % 15;
        Totals t;
        switch (kinds[i]) {
        case 'm': t = layerStep(id, move); break;
        case 's': t = layerStep(id, [i](CLayerInfo& l) { Stroke(l, 200, 3 + i); }); break;
        case 'f': t = layerStep(id, Filter); break;
        default: t = layerStep(id, flip); break;
        }
        mixed.added += t.added;
        mixed.full += t.full;
        mixed.record += t.record;
        mixed.copy += t.copy;
        mixed.privateAdded += t.privateAdded;
    }
    PrintRow("20 mixed steps", mixed);
    std::printf("\nstored in all: %.1f MB in %d records; the flatten was recorded, not applied\n",
                history.GetStoredBytes() / 1048576.0, history.GetCount());
    return 0;
}
