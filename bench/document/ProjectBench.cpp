// Saving and opening the project file on the 20-layer document of the document benchmarks,
// against the straightforward way with the same library calls: one thread, every entry
// deflated at level 9, the pictures unpacked and decoded one after another. With a folder it
// also writes each layer as a PAM file for the peer (ImageMagick). Prints "key value" lines for
// bench/document/run-bench --project.
//   project_bench.exe FOLDER [RUNS]
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <utility>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "BenchDocument.h"
#include "LayerDocument.h"
#include "LocalFileIO.h"
#include "ZipArchive.h"

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double TimeMs(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

uint64_t FileBytes(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The straightforward save: flatten, each picture encoded in turn, deflate 9, archive renamed.
void PlainSave(CLayerDocument& doc, const std::wstring& work, const std::wstring& archive)
{
    CreateDirectoryW(work.c_str(), nullptr);
    CZVImage preview;
    doc.RenderPreview(preview);
    for (CLayerInfo& layer : doc.layers.layers) {
        wchar_t name[32];
        swprintf(name, 32, L"\\Image%d.webp", layer.id);
        (layer.angle == 0.0f || !layer.source.IsValid() ? layer.displayed : layer.source).Save((work + name).c_str(), 0);
    }
    preview.Save((work + L"\\~preview.webp").c_str(), 0);
    ZipFolder((work + L"\\*.*").c_str(), (archive + L".tmp").c_str(), 9);
    MoveFileExW((archive + L".tmp").c_str(), archive.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    GetLocalFileIO().DeleteTree(work.c_str(), false);
}

// The straightforward open: unzip, then every picture decoded in turn.
void PlainLoad(const std::wstring& archive, const std::wstring& folder, size_t count)
{
    UnzipToFolder(archive.c_str(), folder.c_str());
    std::vector<CZVImage> pictures(count);
    for (size_t i = 0; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\Image%d.webp", int(i));
        pictures[i].LoadFile((folder + name).c_str());
    }
    GetLocalFileIO().DeleteTree(folder.c_str(), false);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    const std::wstring folder = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
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
    uint64_t pixels = 0;
    for (size_t i = 0; i < doc.layers.layers.size(); ++i) {
        const CLayerInfo& layer = doc.layers.layers[i];
        pixels += uint64_t(layer.displayed.GetWidth()) * layer.displayed.GetHeight();
        wchar_t name[32];
        swprintf(name, 32, L"\\layer%02d.pam", int(i));
        if (!WritePam(layer.displayed, folder + name))
            return 1;
    }

    const std::wstring ours = folder + L"\\ours.kqd", plain = folder + L"\\plain.kqd";
    std::vector<double> flatten, save, unzip, load, plainSave, plainLoad;
    for (int run = 0; run < runs; ++run) {
        flatten.push_back(TimeMs([&] {
            CZVImage preview;
            doc.RenderPreview(preview);
        }));
        save.push_back(TimeMs([&] { doc.SaveProject(ours.c_str()); }));
        const std::wstring open = folder + L"\\open";
        unzip.push_back(TimeMs([&] { UnzipToFolder(ours.c_str(), open.c_str()); }));
        load.push_back(TimeMs([&] {
            CLayerDocument read;
            read.viewRect = RECT{0, 0, 1600, 1200};
            read.LoadProject((open + L"\\main.xml").c_str());
        }));
        GetLocalFileIO().DeleteTree(open.c_str(), false);
        plainSave.push_back(TimeMs([&] { PlainSave(doc, folder + L"\\plainwork", plain); }));
        plainLoad.push_back(TimeMs([&] { PlainLoad(plain, folder + L"\\plainopen", doc.layers.layers.size()); }));
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    std::printf("layers %d\nmegapixels %.1f\nruns %d\n", int(doc.layers.layers.size()), pixels / 1e6, runs);
    std::printf("flatten_ms %.0f\nsave_ms %.0f\nunzip_ms %.0f\nload_ms %.0f\n", Median(flatten), Median(save),
                Median(unzip), Median(load));
    std::printf("plain_save_ms %.0f\nplain_load_ms %.0f\n", Median(plainSave), Median(plainLoad));
    std::printf("ours_bytes %llu\nplain_bytes %llu\npeak_mb %.0f\n", (unsigned long long)FileBytes(ours),
                (unsigned long long)FileBytes(plain), memory.PeakWorkingSetSize / 1048576.0);
    return 0;
}
