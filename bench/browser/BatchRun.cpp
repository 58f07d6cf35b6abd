// batch_run CMD FOLDER [ARGS...]: the batch runner headless over every picture below a folder,
// with KQBatch from the program folder, as the browser would run it over a selected folder.
// The in-process tasks take their settings as switches:
//   Convert  [/type jpg|webp|png|bmp|gif] [/max N] [/quality N] [/overwrite] [/out DIR]
//   Optimize [/type jpg|webp] [/max N] [/quality N] [/removeexif] [/test] [/overwrite] [/out DIR]
//   Rename   [/pattern TEXT] [/delimiter TEXT] [/start N] [/digits 1..4] [/date photo|file|now]
//   Color    [/brightness N] [/contrast N] [/saturation N] [/hue N]
//   Organize [/by date|size] [/move] [/out DIR]
// Without /out the output goes to FOLDER\Lumivo_CMD. Rename takes the pictures directly in
// FOLDER as selected files. Prints the progress as it comes, then "N done, M failed", each
// failure with its reason, and the time taken.
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <mutex>
#include <string>
#include <vector>
#include "BatchEngine.h"
#include "BatchRenameMethod.h"
#include "BatchSettings.h"
#include "ColorOrganizeTasks.h"
#include "ConditionSelect.h"
#include "ConvertTasks.h"

namespace {

// The picture types KQBatch reads and writes.
const wchar_t kPictureFilter[] = L"*.bmp;*.gif;*.jpg;*.jpe;*.jpeg;*.png;*.tif;*.tiff;*.tga;*.pcx;*.webp";

class ConsoleHost : public BatchHost {
public:
    explicit ConsoleHost(const std::wstring& folder) : m_folder(folder), m_ended(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    std::vector<BatchListItem> GetSelectedItems() override
    {
        return selection.empty() ? std::vector<BatchListItem>{BatchListItem{0, m_folder}} : selection;
    }
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

    std::vector<BatchListItem> selection; // empty: the folder itself

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

// The value after a switch, or null.
const wchar_t* Switch(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 3; i + 1 < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return argv[i + 1];
    return nullptr;
}

bool Flag(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 3; i < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return true;
    return false;
}

int IntSwitch(int argc, wchar_t** argv, const wchar_t* name, int fallback)
{
    const wchar_t* value = Switch(argc, argv, name);
    return value ? _wtoi(value) : fallback;
}

// The pictures directly in folder, as selected list items.
std::vector<BatchListItem> PicturesIn(const std::wstring& folder)
{
    std::vector<BatchListItem> items;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return items;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && MatchesAnyPattern(kPictureFilter, found.cFileName))
            items.push_back(BatchListItem{int(items.size()), folder + L"\\" + found.cFileName});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return items;
}

// Sets up an in-process task for cmd; false when cmd is a KQBatch command.
bool SetUpTask(CBatchEngine& engine, ConsoleHost& host, const std::wstring& folder, int argc, wchar_t** argv)
{
    const std::wstring command = argv[1];
    auto is = [&command](const wchar_t* name) { return _wcsicmp(command.c_str(), name) == 0; };
    if (!is(L"Convert") && !is(L"Optimize") && !is(L"Rename") && !is(L"Color") && !is(L"Organize"))
        return false;
    const wchar_t* out = Switch(argc, argv, L"/out");
    engine.m_outputFolder = out ? out : folder + L"\\Lumivo_" + command;
    if (is(L"Convert") || is(L"Optimize")) {
        engine.m_outputType = 0;
        if (const wchar_t* type = Switch(argc, argv, L"/type"))
            for (int i = 0; i < (is(L"Convert") ? kBatchImageTypeCount : kOptimizeImageTypeCount); ++i)
                if (_wcsicmp(type, kBatchImageTypes[i].extension) == 0)
                    engine.m_outputType = i;
        const int limit = IntSwitch(argc, argv, L"/max", 0);
        engine.m_limitSize = limit > 0;
        engine.m_maxWidth = engine.m_maxHeight = limit;
        engine.m_quality = IntSwitch(argc, argv, L"/quality", 0);
        engine.m_overwriteOriginal = Flag(argc, argv, L"/overwrite") ? 1 : 0;
        engine.m_removeExif = Flag(argc, argv, L"/removeexif");
        engine.m_testOnly = is(L"Optimize") && Flag(argc, argv, L"/test");
        const bool convert = is(L"Convert");
        engine.StartBatchTask([&engine, folder, convert](int item, const wchar_t* path) {
            return convert ? ConvertImages(engine, folder, item, path) : OptimizeImages(engine, folder, item, path);
        });
    } else if (is(L"Rename")) {
        CBatchRenameMethod& method = BatchRenameMethod();
        if (const wchar_t* pattern = Switch(argc, argv, L"/pattern"))
            method.m_pattern = pattern;
        if (const wchar_t* delimiter = Switch(argc, argv, L"/delimiter"))
            method.m_delimiter = delimiter;
        method.m_startNumber = IntSwitch(argc, argv, L"/start", 1);
        method.m_numberFormat = IntSwitch(argc, argv, L"/digits", 1) - 1;
        const wchar_t* date = Switch(argc, argv, L"/date");
        method.m_dateType = !date || _wcsicmp(date, L"photo") == 0 ? RENAME_DATE_PHOTO
                            : _wcsicmp(date, L"file") == 0      ? RENAME_DATE_FILE
                                                                : RENAME_DATE_NOW;
        method.m_ignoreDateTimeChars = true;
        method.StartRenameRun();
        method.m_names.RemoveAll();
        host.selection = PicturesIn(folder);
        engine.StartBatchTask([&method](int item, const wchar_t* path) { return method.RenameFiles(item, path); });
    } else if (is(L"Color")) {
        engine.m_brightness = IntSwitch(argc, argv, L"/brightness", 0);
        engine.m_contrast = IntSwitch(argc, argv, L"/contrast", 0);
        engine.m_saturation = IntSwitch(argc, argv, L"/saturation", 0);
        engine.m_hue = IntSwitch(argc, argv, L"/hue", 0);
        engine.StartBatchTask([&engine](int item, const wchar_t* path) { return AdjustColors(engine, item, path); });
    } else {
        const wchar_t* by = Switch(argc, argv, L"/by");
        engine.m_organizeBy = by && _wcsicmp(by, L"size") == 0 ? 1 : 0;
        engine.m_organizeMove = Flag(argc, argv, L"/move") ? 1 : 0;
        engine.StartBatchTask([&engine, folder](int item, const wchar_t* path) {
            return OrganizeFiles(engine, folder, item, path);
        });
    }
    return true;
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
    const ULONGLONG start = GetTickCount64();
    if (!SetUpTask(engine, host, folder, argc, argv)) {
        if (GetFileAttributesW(engine.m_kqbatchPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
            fprintf(stderr, "batch_run: %ls is missing\n", engine.m_kqbatchPath.c_str());
            return 2;
        }
        engine.StartBatchCommand(argv[1], arguments.c_str());
    }
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
