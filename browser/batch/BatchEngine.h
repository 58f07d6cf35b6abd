#pragma once
// The batch runner: one operation over the pictures the user selected, on one worker thread per
// run, either an in-process task or KQBatch once per picture. The worker never touches a window
// or the list: the selection is taken on the user-interface thread before it starts, and
// everything it has to tell goes to the host, which posts it.
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include "BatchResult.h"
#include "Win32Owners.h"

// To the main frame: wParam the percentage 0..100, -1 hides the progress.
const UINT WM_KQ_BATCH_PROGRESS = 0x702;
// To the main frame: lParam a text shown as a pop-up note.
const UINT WM_KQ_BATCH_NOTE = 0x705;
// To the list: wParam the reload flag, lParam the folder.
const UINT WM_KQ_UPDATE_FOLDER = 0x701;

// An item of the list as the run sees it: its index (-1 for a picture found inside a selected
// folder) and full path.
struct BatchListItem {
    int item = -1;
    std::wstring path;
};

// One list item handled: the host redraws it, rebuilding its thumbnail when refreshIcon is set,
// and deselects it when deselect is set. The host finds it by path: the list may have changed.
struct BatchItemDone {
    BatchListItem listItem;
    bool refreshIcon = true;
    bool deselect = true;
    std::wstring newPath; // the item's path after a task that renamed or moved it, else empty
};

struct BatchFailure {
    std::wstring path;
    std::wstring reason;
};

struct BatchSummary {
    int total = 0;
    int done = 0;
    int skipped = 0;
    bool stopped = false;
    std::vector<BatchFailure> failures;
};

// What the runner needs of the list and the frame. The getters and the note are called on the
// user-interface thread; the posts come from the worker and must not wait for that thread.
class BatchHost {
public:
    virtual ~BatchHost() = default;
    // The selected items in list order; empty when none is selected.
    virtual std::vector<BatchListItem> GetSelectedItems() = 0;
    // The item under the mouse, files and folders; item -1 and an empty path when none.
    virtual BatchListItem GetHoverItem() = 0;
    // The ';'-separated wildcards of the names the list shows as pictures.
    virtual std::wstring GetPictureFilter() = 0;
    // "Batch task is running" at the mouse.
    virtual void ShowBatchRunningNote() = 0;

    virtual void PostProgress(int percent) = 0;
    virtual void PostNote(const std::wstring& text) = 0;
    virtual void PostFolderReload(int flag, const std::wstring& folder) = 0;
    virtual void PostItemDone(const BatchItemDone& done) = 0;
    // Once per run that started, at its end, stops included.
    virtual void PostSummary(const BatchSummary& summary) = 0;
};

class CBatchEngine {
public:
    // An in-process task: one picture (item, path), or the finish call (-1, null) after the
    // last picture of a run that was not stopped.
    typedef std::function<BatchItemResult(int item, const wchar_t* path)> BatchTask;

    // starter null: the current one (Starter()).
    explicit CBatchEngine(BatchHost& host, ProgramStarter* starter = nullptr);
    virtual ~CBatchEngine();
    CBatchEngine(const CBatchEngine&) = delete;
    CBatchEngine& operator=(const CBatchEngine&) = delete;

    // Stops a run in progress, then runs KQBatch with the command word and arguments (null:
    // none) over the selection, or the hovered item when nothing is selected. False, and nothing
    // runs, when there is neither.
    bool StartBatchCommand(const wchar_t* command, const wchar_t* arguments);
    // The same with an in-process task.
    bool StartBatchTask(BatchTask task);
    // Asks the run to stop after its current picture and waits for the worker.
    void StopBatchTask();
    // A run is in progress; with notify the host shows so.
    bool IsOperateDisabled(bool notify);
    // One picture: progress, then the task or KQBatch. Called on the worker.
    virtual BatchItemResult RunBatchTask(int item, const wchar_t* path);

    BatchHost& Host() { return m_host; }

    // The run's state. The settings are written before a run and only read by the worker.
    std::atomic<bool> m_stopBatch{true}; // also set when a run has ended
    bool m_refreshIcon = true;           // a task clears it when the picture did not change
    bool m_deselectDone = true;          // a task clears it to keep the item selected
    std::wstring m_batchCommand;
    std::wstring m_batchArguments;
    std::unique_ptr<std::thread> m_batchThread;
    std::wstring m_outputFolder; // files below it are never offered to the run
    int m_organizeMove = 0;
    int m_outputType = 0;
    int m_overwriteOriginal = 0;
    int m_maxWidth = 0;
    int m_maxHeight = 0;
    int m_quality = 0;
    bool m_limitSize = false;
    bool m_removeExif = false;
    bool m_testOnly = false;
    int m_optimizedCount = 0;
    uint64_t m_sizeBefore = 0;
    uint64_t m_sizeAfter = 0;
    int m_organizeBy = 0;
    int m_brightness = 0;
    int m_contrast = 0;
    int m_saturation = 0;
    int m_hue = 0;
    std::wstring m_tempFile; // taken over by the next run, deleted when it ends, however it ends
    BatchTask m_batchTask;
    std::atomic<int> m_totalFiles{0};
    std::atomic<int> m_doneFiles{0};
    int m_lastPercent = -1;
    // KQBatch.exe beside the library unless set.
    std::wstring m_kqbatchPath;

private:
    struct PlannedItem {
        BatchListItem listItem;
        std::vector<BatchListItem> pictures;
    };

    bool StartRun();
    void BatchTaskThread(std::vector<BatchListItem> selection, std::wstring filter, std::wstring outputFolder,
                         std::wstring tempFile);
    std::vector<PlannedItem> PlanRun(const std::vector<BatchListItem>& selection, const std::wstring& filter,
                                     const std::wstring& outputFolder);
    BatchItemResult RunKQBatch(const wchar_t* path);
    void EndRun(const std::wstring& tempFile);

    BatchHost& m_host;
    ProgramStarter* m_starter;
    win32::KernelHandle m_stopEvent; // set with m_stopBatch, for a KQBatch run to notice
};
