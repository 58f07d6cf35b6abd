#include "BatchEngine.h"
#include <cwchar>
#include "BaseUtil.h"
#include "BrowserUtil.h"
#include "LocalFileIO.h"
#include "PathFunc.h"
#include "ZVUILibApp.h"

namespace {

// The folder walk's view of a run: where the pictures go, what counts as one, and the flag
// that ends the walk.
struct PictureWalk {
    const std::wstring* filter;
    const std::wstring* outputFolder;
    const std::atomic<bool>* stop;
    std::vector<BatchListItem>* pictures;
};

// Takes the pictures of a folder walk, leaving out what lies in the run's output folder.
bool TakesPicture(const PictureWalk& walk, const wchar_t* path)
{
    if (!MatchWildcardList(walk.filter->c_str(), GetFileNamePart(path)))
        return false;
    return walk.outputFolder->empty() || !IsPathInFolder(walk.outputFolder->c_str(), path);
}

XSCAN_RES CollectPicture(CFileIO*, const wchar_t* path, unsigned long, void* context)
{
    PictureWalk& walk = *static_cast<PictureWalk*>(context);
    if (walk.stop->load())
        return XSCAN_STOP;
    if (!TakesPicture(walk, path))
        return XSCAN_SKIP;
    walk.pictures->push_back(BatchListItem{-1, path});
    return XSCAN_CONTINUE;
}

std::wstring KQBatchBesideLibrary()
{
    wchar_t folder[MAX_PATH] = {};
    GetModuleDir(folder);
    return std::wstring(folder) + L"KQBatch.exe";
}

} // namespace

CBatchEngine::CBatchEngine(BatchHost& host, ProgramStarter* starter)
    : m_kqbatchPath(KQBatchBesideLibrary()),
      m_host(host),
      m_starter(starter),
      m_stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CBatchEngine::~CBatchEngine()
{
    StopBatchTask();
}

bool CBatchEngine::StartBatchCommand(const wchar_t* command, const wchar_t* arguments)
{
    StopBatchTask();
    m_batchTask = nullptr;
    m_batchCommand = command ? command : L"";
    m_batchArguments = arguments ? arguments : L"";
    return StartRun();
}

bool CBatchEngine::StartBatchTask(BatchTask task)
{
    StopBatchTask();
    m_batchTask = std::move(task);
    return StartRun();
}

// The selection is read here, on the user-interface thread; the worker gets a copy.
bool CBatchEngine::StartRun()
{
    std::vector<BatchListItem> selection = m_host.GetSelectedItems();
    if (selection.empty()) {
        const BatchListItem hovered = m_host.GetHoverItem();
        if (!hovered.path.empty())
            selection.push_back(hovered);
    }
    std::wstring tempFile;
    tempFile.swap(m_tempFile);
    if (selection.empty()) {
        EndRun(tempFile);
        return false;
    }
    // Cleared here rather than by the worker, so that a stop asked for right after the start
    // is not lost.
    m_stopBatch = false;
    ResetEvent(m_stopEvent.Get());
    m_batchThread.reset(new std::thread(&CBatchEngine::BatchTaskThread, this, std::move(selection), m_host.GetPictureFilter(),
                                        m_outputFolder, std::move(tempFile)));
    return true;
}

void CBatchEngine::StopBatchTask()
{
    if (!m_batchThread)
        return;
    m_stopBatch = true;
    SetEvent(m_stopEvent.Get());
    if (m_batchThread->joinable())
        m_batchThread->join();
    m_batchThread.reset();
}

bool CBatchEngine::IsOperateDisabled(bool notify)
{
    const bool running = m_batchThread && !m_stopBatch;
    if (running && notify)
        m_host.ShowBatchRunningNote();
    return running;
}

// Every picture is found before the first is touched: the count is exact, and files the run
// writes are never offered to it.
std::vector<CBatchEngine::PlannedItem> CBatchEngine::PlanRun(const std::vector<BatchListItem>& selection,
                                                             const std::wstring& filter, const std::wstring& outputFolder)
{
    std::vector<PlannedItem> plan;
    CLocalFileIO& io = GetLocalFileIO();
    for (const BatchListItem& selected : selection) {
        if (m_stopBatch)
            break;
        PlannedItem planned;
        planned.listItem = selected;
        PictureWalk walk = {&filter, &outputFolder, &m_stopBatch, &planned.pictures};
        if (io.IsDir(selected.path.c_str()))
            io.XScan(selected.path.c_str(), CollectPicture, &walk, true, nullptr, false);
        else if (outputFolder.empty() || !IsPathInFolder(outputFolder.c_str(), selected.path.c_str()))
            planned.pictures.push_back(selected);
        plan.push_back(std::move(planned));
    }
    return plan;
}

void CBatchEngine::BatchTaskThread(std::vector<BatchListItem> selection, std::wstring filter, std::wstring outputFolder,
                                   std::wstring tempFile)
{
    m_lastPercent = -1;
    m_doneFiles = 0;
    const std::vector<PlannedItem> plan = PlanRun(selection, filter, outputFolder);
    int total = 0;
    for (const PlannedItem& planned : plan)
        total += int(planned.pictures.size());
    m_totalFiles = total;

    BatchSummary summary;
    summary.total = total;
    for (const PlannedItem& planned : plan) {
        if (m_stopBatch)
            break;
        m_refreshIcon = true;
        m_deselectDone = true;
        std::wstring newPath;
        for (const BatchListItem& picture : planned.pictures) {
            if (m_stopBatch)
                break;
            const BatchItemResult result = RunBatchTask(picture.item, picture.path.c_str());
            if (result.result == BATCH_ITEM_FAILED)
                summary.failures.push_back(BatchFailure{picture.path, result.reason});
            else if (result.result == BATCH_ITEM_SKIPPED)
                ++summary.skipped;
            else
                ++summary.done;
            if (!result.newPath.empty() && picture.path == planned.listItem.path)
                newPath = result.newPath;
        }
        m_host.PostItemDone(BatchItemDone{planned.listItem, m_refreshIcon, m_deselectDone, newPath});
    }

    summary.stopped = m_stopBatch;
    if (!summary.stopped) {
        if (total > 1)
            m_host.PostProgress(100);
        if (m_batchTask)
            m_batchTask(-1, nullptr);
    }
    // A bar shown by a stopped run would stay up.
    if (total > 1 || m_lastPercent >= 0)
        m_host.PostProgress(-1);
    const int failed = int(summary.failures.size());
    if (!summary.stopped && (total > 1 || failed > 0)) {
        wchar_t note[256] = {};
        if (failed == 0)
            wcscpy(note, TranslateString(L"Batch task finished"));
        else
            _snwprintf(note, 255, TranslateString(L"%d of %d pictures failed"), failed, total);
        m_host.PostNote(note);
    }
    m_host.PostSummary(summary);
    EndRun(tempFile);
}

BatchItemResult CBatchEngine::RunBatchTask(int item, const wchar_t* path)
{
    const int total = m_totalFiles;
    if (total > 1) {
        const int percent = int(int64_t(m_doneFiles) * 100 / total);
        if (percent != m_lastPercent) {
            m_lastPercent = percent;
            m_host.PostProgress(percent);
        }
    }
    const BatchItemResult result = m_batchTask ? m_batchTask(item, path) : RunKQBatch(path);
    ++m_doneFiles;
    return result;
}

// The picture is rewritten in place: KQBatch gets its path as input and output.
BatchItemResult CBatchEngine::RunKQBatch(const wchar_t* path)
{
    std::wstring line = L" " + m_batchCommand + L" \"" + path + L"\" \"" + path + L"\"";
    if (!m_batchArguments.empty())
        line += L" " + m_batchArguments;
    ProgramStarter& starter = m_starter ? *m_starter : Starter();
    const CaptureResult run = starter.RunProgramCapture(m_kqbatchPath.c_str(), line.c_str(), m_stopEvent.Get(), kStopGraceMs);
    return JudgeKQBatchRun(run);
}

// Every end of a run, stops and runs that never started included. The run took the temporary
// file over when it started, so a file set for the next run meanwhile stays.
void CBatchEngine::EndRun(const std::wstring& tempFile)
{
    if (!tempFile.empty())
        DeleteFileW(tempFile.c_str());
    m_batchTask = nullptr;
    m_stopBatch = true;
}
