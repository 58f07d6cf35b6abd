// batch_run CMD FOLDER [ARGS...]: the batch runner headless over every picture below a folder,
// with KQBatch from the program folder, as the browser would run it over a selected folder.
// Prints the progress as it comes, then "N done, M failed", each failure with its reason, and
// the time taken.
#include <windows.h>
#include <cstdio>
#include <mutex>
#include <string>
#include "BatchEngine.h"

namespace {

// The picture types KQBatch reads and writes.
const wchar_t kPictureFilter[] = L"*.bmp;*.gif;*.jpg;*.jpe;*.jpeg;*.png;*.tif;*.tiff;*.tga;*.pcx;*.webp";

class ConsoleHost : public BatchHost {
public:
    explicit ConsoleHost(const std::wstring& folder) : m_folder(folder), m_ended(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    std::vector<BatchListItem> GetSelectedItems() override { return {BatchListItem{0, m_folder}}; }
    BatchListItem GetHoverItem() override { return BatchListItem(); }
    std::wstring GetPictureFilter() override { return kPictureFilter; }
    void ShowBatchRunningNote() override {}

    void PostProgress(int percent) override
    {
        if (percent >= 0)
            printf("%3d%%\n", percent);
    }
    void PostNote(const std::wstring& text) override { printf("note: %ls\n", text.c_str()); }
    void PostFolderReload(int, const std::wstring&) override {}
    void PostItemDone(const BatchItemDone&) override {}
    void PostSummary(const BatchSummary& summary) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_summary = summary;
        SetEvent(m_ended.Get());
    }

    BatchSummary WaitForSummary()
    {
        WaitForSingleObject(m_ended.Get(), INFINITE);
        std::lock_guard<std::mutex> lock(m_lock);
        return m_summary;
    }

private:
    std::wstring m_folder;
    win32::KernelHandle m_ended;
    std::mutex m_lock;
    BatchSummary m_summary;
};

std::wstring FullPath(const wchar_t* path)
{
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH)
        return path;
    std::wstring result(full, n);
    while (result.size() > 3 && result.back() == L'\\')
        result.pop_back();
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: batch_run CMD FOLDER [ARGS...]\n");
        return 2;
    }
    const std::wstring folder = FullPath(argv[2]);
    if (!(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY) || GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "batch_run: %ls is not a folder\n", folder.c_str());
        return 2;
    }
    std::wstring arguments;
    for (int i = 3; i < argc; ++i)
        arguments += (i > 3 ? L" " : L"") + std::wstring(argv[i]);

    ConsoleHost host(folder);
    CBatchEngine engine(host);
    if (GetFileAttributesW(engine.m_kqbatchPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "batch_run: %ls is missing\n", engine.m_kqbatchPath.c_str());
        return 2;
    }
    const ULONGLONG start = GetTickCount64();
    engine.StartBatchCommand(argv[1], arguments.c_str());
    const BatchSummary summary = host.WaitForSummary();
    engine.StopBatchTask();
    const ULONGLONG elapsed = GetTickCount64() - start;

    printf("%d done, %d failed", summary.done, int(summary.failures.size()));
    if (summary.skipped)
        printf(", %d skipped", summary.skipped);
    printf("\n");
    for (const BatchFailure& failure : summary.failures) {
        const size_t slash = failure.path.find_last_of(L'\\');
        printf("  %ls: %ls\n", failure.path.c_str() + (slash == std::wstring::npos ? 0 : slash + 1), failure.reason.c_str());
    }
    printf("%d pictures in %.2f s, %.1f ms a picture\n", summary.total, elapsed / 1000.0,
           summary.total ? double(elapsed) / summary.total : 0.0);
    return summary.failures.empty() ? 0 : 1;
}
