// The batch runner with a fake list and frame and a fake starter: what it hands over, what it
// posts, how it counts, stops and ends.
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <vector>
#include "BatchEngine.h"
#include "BrowserTestSupport.h"
#include "TestSupport.h"

namespace {

using browsertest::FakeBatchHost;
using browsertest::FakeProgramStarter;
using testsupport::TempFolder;

typedef std::vector<std::wstring> Texts;

// Runs to the end: the worker is joined, as the next start or the frame's close would.
void Finish(CBatchEngine& engine)
{
    engine.StopBatchTask();
}

// Waits until the worker has set the stop flag at its end, without asking it to stop.
bool WaitForEnd(CBatchEngine& engine, DWORD milliseconds = 20000)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 5) {
        if (engine.m_stopBatch)
            return true;
        Sleep(5);
    }
    return false;
}

TEST(BrowserBatchEngine, NothingSelectedTakesTheHoveredPictureAlone)
{
    FakeBatchHost host;
    FakeProgramStarter starter;
    host.hovered = BatchListItem{4, L"C:\\Pictures\\one.jpg"};
    CBatchEngine engine(host, &starter);
    ASSERT_TRUE(engine.StartBatchCommand(L"GrayScale", nullptr));
    ASSERT_TRUE(WaitForEnd(engine));
    Finish(engine);
    ASSERT_EQ(1u, starter.Starts().size());
    EXPECT_EQ(L" GrayScale \"C:\\Pictures\\one.jpg\" \"C:\\Pictures\\one.jpg\"", starter.Starts()[0].commandLine);
    // One picture: no progress and no note.
    EXPECT_EQ((Texts{L"done 4 C:\\Pictures\\one.jpg", L"summary"}), host.Events());
    ASSERT_EQ(1u, host.Summaries().size());
    EXPECT_EQ(1, host.Summaries()[0].total);
    EXPECT_EQ(1, host.Summaries()[0].done);
}

TEST(BrowserBatchEngine, NothingSelectedNothingHoveredRunsNothing)
{
    FakeBatchHost host;
    FakeProgramStarter starter;
    TempFolder folder;
    ASSERT_TRUE(TempFolder::Put(folder.At(L"mark.png"), "watermark"));
    CBatchEngine engine(host, &starter);
    engine.m_tempFile = folder.At(L"mark.png");
    EXPECT_FALSE(engine.StartBatchCommand(L"Watermark", L"x"));
    EXPECT_FALSE(engine.IsOperateDisabled(false));
    EXPECT_TRUE(starter.Starts().empty());
    EXPECT_TRUE(host.Events().empty());
    EXPECT_TRUE(folder.List().empty());
}

TEST(BrowserBatchEngine, AFolderCountsEveryPictureBelowIt)
{
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW(folder.At(L"sub").c_str(), nullptr));
    for (const wchar_t* name : {L"a.jpg", L"B.PNG", L"notes.txt", L"sub\\c.jpg"})
        ASSERT_TRUE(TempFolder::Put(folder.At(name), "x"));
    FakeBatchHost host;
    FakeProgramStarter starter;
    host.selected = {BatchListItem{0, folder.Root()}};
    CBatchEngine engine(host, &starter);
    std::vector<std::pair<int, std::wstring>> handed;
    ASSERT_TRUE(engine.StartBatchTask([&handed](int item, const wchar_t* path) {
        handed.emplace_back(item, path ? path : L"(finish)");
        return BatchItemResult::Done();
    }));
    ASSERT_TRUE(WaitForEnd(engine));
    Finish(engine);
    EXPECT_EQ(3, engine.m_totalFiles);
    ASSERT_EQ(4u, handed.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(-1, handed[i].first);
        EXPECT_NE(std::wstring::npos, handed[i].second.find(folder.Root())) << handed[i].second;
    }
    EXPECT_EQ(std::make_pair(-1, std::wstring(L"(finish)")), handed[3]);
    EXPECT_EQ((Texts{L"progress 0", L"progress 33", L"progress 66", L"done 0 " + folder.Root(), L"progress 100",
                     L"progress -1", L"note Batch task finished", L"summary"}),
              host.Events());
    EXPECT_TRUE(starter.Starts().empty());
}

TEST(BrowserBatchEngine, FilesInTheOutputFolderAreNeverOffered)
{
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW(folder.At(L"Lumivo_Convert").c_str(), nullptr));
    for (const wchar_t* name : {L"a.jpg", L"Lumivo_Convert\\a.jpg", L"Lumivo_Convert\\b.jpg"})
        ASSERT_TRUE(TempFolder::Put(folder.At(name), "x"));
    FakeBatchHost host;
    FakeProgramStarter starter;
    host.selected = {BatchListItem{0, folder.Root()}, BatchListItem{1, folder.At(L"LUMIVO_CONVERT\\b.jpg")}};
    CBatchEngine engine(host, &starter);
    engine.m_outputFolder = folder.At(L"lumivo_convert");
    ASSERT_TRUE(engine.StartBatchCommand(L"GrayScale", nullptr));
    ASSERT_TRUE(WaitForEnd(engine));
    Finish(engine);
    ASSERT_EQ(1u, starter.Starts().size());
    EXPECT_NE(std::wstring::npos, starter.Starts()[0].commandLine.find(folder.At(L"a.jpg")));
    EXPECT_EQ(1, engine.m_totalFiles);
}

TEST(BrowserBatchEngine, CommandLinesOfPathsWithBlanks)
{
    struct Row {
        const wchar_t* command;
        const wchar_t* arguments;
        const wchar_t* line;
    } const rows[] = {
        {L"GrayScale", nullptr, L" GrayScale \"C:\\My Pictures\\a b.jpg\" \"C:\\My Pictures\\a b.jpg\""},
        {L"Mirror", L"", L" Mirror \"C:\\My Pictures\\a b.jpg\" \"C:\\My Pictures\\a b.jpg\""},
        {L"RotaryZoom", L"-90 1 1", L" RotaryZoom \"C:\\My Pictures\\a b.jpg\" \"C:\\My Pictures\\a b.jpg\" -90 1 1"},
    };
    for (const Row& row : rows) {
        FakeBatchHost host;
        FakeProgramStarter starter;
        host.selected = {BatchListItem{2, L"C:\\My Pictures\\a b.jpg"}};
        CBatchEngine engine(host, &starter);
        ASSERT_TRUE(engine.StartBatchCommand(row.command, row.arguments));
        ASSERT_TRUE(WaitForEnd(engine));
        Finish(engine);
        ASSERT_EQ(1u, starter.Starts().size());
        EXPECT_EQ(row.line, starter.Starts()[0].commandLine);
        const std::wstring program = starter.Starts()[0].program;
        EXPECT_EQ(L"\\KQBatch.exe", program.substr(program.size() - 12));
    }
}

TEST(BrowserBatchEngine, KQBatchAnswersDecideEachPicture)
{
    struct Row {
        const char* name;
        CaptureResult answer;
        BATCH_ITEM_RES result;
        const wchar_t* reason;
    };
    CaptureResult notStarted;
    notStarted.startError = ERROR_FILE_NOT_FOUND;
    CaptureResult ended;
    ended.started = true;
    ended.terminated = true;
    ended.exitCode = kEndedAfterStop;
    const Row rows[] = {
        {"complete", FakeProgramStarter::Complete(), BATCH_ITEM_DONE, L""},
        {"complete, doubled carriage returns", FakeProgramStarter::Answer("Loading\r\r\nGrayScale\r\r\nComplete\r\r\n"),
         BATCH_ITEM_DONE, L""},
        {"error line", FakeProgramStarter::Answer("Loading\r\nError : fail to save C:\\p\\a.jpg\n"), BATCH_ITEM_FAILED,
         L"fail to save C:\\p\\a.jpg"},
        {"nothing printed", FakeProgramStarter::Answer(""), BATCH_ITEM_FAILED, L"KQBatch printed nothing"},
        {"exit 3", FakeProgramStarter::Answer("Loading\r\nGrayScale\r\nComplete\r\n", 3), BATCH_ITEM_FAILED,
         L"KQBatch ended with code 3"},
        {"no Complete", FakeProgramStarter::Answer("Loading\r\nGrayScale\r\n"), BATCH_ITEM_FAILED, L"KQBatch did not complete"},
        {"failed start", notStarted, BATCH_ITEM_FAILED, L"KQBatch could not be started (error 2)"},
        {"ended after a stop", ended, BATCH_ITEM_FAILED, L"KQBatch was ended after the stop"},
    };
    FakeBatchHost host;
    FakeProgramStarter starter;
    for (const Row& row : rows) {
        const BatchItemResult judged = JudgeKQBatchRun(row.answer);
        EXPECT_EQ(row.result, judged.result) << row.name;
        EXPECT_EQ(row.reason, judged.reason) << row.name;
        starter.Script(row.answer);
        host.selected.push_back(BatchListItem{int(host.selected.size()), L"C:\\p\\" + std::to_wstring(host.selected.size()) + L".jpg"});
    }
    // Run through the engine, the failures reach the host with their paths and reasons.
    CBatchEngine engine(host, &starter);
    ASSERT_TRUE(engine.StartBatchCommand(L"GrayScale", nullptr));
    ASSERT_TRUE(WaitForEnd(engine));
    Finish(engine);
    ASSERT_EQ(1u, host.Summaries().size());
    const BatchSummary summary = host.Summaries()[0];
    EXPECT_EQ(8, summary.total);
    EXPECT_EQ(2, summary.done);
    ASSERT_EQ(6u, summary.failures.size());
    EXPECT_EQ(L"C:\\p\\2.jpg", summary.failures[0].path);
    EXPECT_EQ(L"fail to save C:\\p\\a.jpg", summary.failures[0].reason);
    EXPECT_EQ(Texts{L"note 6 of 8 pictures failed"}, host.EventsStartingWith(L"note "));
}

TEST(BrowserBatchEngine, OnePictureRunsReportFailuresToo)
{
    FakeBatchHost host;
    FakeProgramStarter starter;
    starter.Script(FakeProgramStarter::Answer("Loading\r\nError : fail to load C:\\p\\x.jpg\n"));
    host.selected = {BatchListItem{0, L"C:\\p\\x.jpg"}};
    CBatchEngine engine(host, &starter);
    ASSERT_TRUE(engine.StartBatchCommand(L"GrayScale", nullptr));
    ASSERT_TRUE(WaitForEnd(engine));
    Finish(engine);
    EXPECT_EQ((Texts{L"done 0 C:\\p\\x.jpg", L"note 1 of 1 pictures failed", L"summary"}), host.Events());
}

TEST(BrowserBatchEngine, ASecondRunStopsTheFirst)
{
    FakeBatchHost host;
    FakeProgramStarter starter;
    starter.holdUntilStop = true;
    host.selected = {BatchListItem{0, L"C:\\p\\1.jpg"}, BatchListItem{1, L"C:\\p\\2.jpg"}};
    CBatchEngine engine(host, &starter);
    ASSERT_TRUE(engine.StartBatchCommand(L"GrayScale", nullptr));
    ASSERT_TRUE(starter.WaitForStarts(1));
    EXPECT_TRUE(engine.IsOperateDisabled(true));
    EXPECT_EQ(1, host.busyNotes);

    starter.holdUntilStop = false;
    host.selected = {BatchListItem{5, L"C:\\p\\5.jpg"}};
    ASSERT_TRUE(engine.StartBatchCommand(L"Mirror", nullptr));
    ASSERT_TRUE(WaitForEnd(engine));
    Finish(engine);
    // The first run stopped after its current picture, without its end messages.
    const std::vector<FakeProgramStarter::Start> starts = starter.Starts();
    ASSERT_EQ(2u, starts.size());
    EXPECT_NE(std::wstring::npos, starts[0].commandLine.find(L"1.jpg"));
    EXPECT_EQ(0u, starts[1].commandLine.find(L" Mirror "));
    const std::vector<BatchSummary> summaries = host.Summaries();
    ASSERT_EQ(2u, summaries.size());
    EXPECT_TRUE(summaries[0].stopped);
    EXPECT_FALSE(summaries[1].stopped);
    EXPECT_TRUE(host.EventsStartingWith(L"note ").empty());
    // Its bar, once shown, is hidden.
    EXPECT_EQ((Texts{L"progress 0", L"progress -1"}), host.EventsStartingWith(L"progress "));
}

TEST(BrowserBatchEngine, AStopStillDeletesTheTemporaryFile)
{
    TempFolder folder;
    FakeBatchHost host;
    FakeProgramStarter starter;
    host.selected = {BatchListItem{0, L"C:\\p\\1.jpg"}, BatchListItem{1, L"C:\\p\\2.jpg"}};
    CBatchEngine engine(host, &starter);

    // KQBatch still working on the first picture when the stop comes.
    starter.holdUntilStop = true;
    ASSERT_TRUE(TempFolder::Put(folder.At(L"mark.png"), "watermark"));
    engine.m_tempFile = folder.At(L"mark.png");
    ASSERT_TRUE(engine.StartBatchCommand(L"Watermark", L"mark.png 0 0 10 10"));
    ASSERT_TRUE(starter.WaitForStarts(1));
    engine.StopBatchTask();
    EXPECT_FALSE(engine.IsOperateDisabled(false));
    EXPECT_EQ(1u, starter.Starts().size());
    EXPECT_TRUE(folder.List().empty());
    EXPECT_TRUE(host.EventsStartingWith(L"note ").empty());

    // An in-process task: its finish call is skipped.
    ASSERT_TRUE(TempFolder::Put(folder.At(L"mark2.png"), "watermark"));
    engine.m_tempFile = folder.At(L"mark2.png");
    std::atomic<bool> working{false};
    int finishCalls = 0;
    ASSERT_TRUE(engine.StartBatchTask([&](int, const wchar_t* path) {
        if (!path) {
            ++finishCalls;
            return BatchItemResult::Done();
        }
        working = true;
        while (!engine.m_stopBatch)
            Sleep(1);
        return BatchItemResult::Done();
    }));
    while (!working)
        Sleep(1);
    engine.StopBatchTask();
    EXPECT_EQ(0, finishCalls);
    EXPECT_TRUE(folder.List().empty());
    ASSERT_EQ(2u, host.Summaries().size());
    EXPECT_TRUE(host.Summaries()[1].stopped);
    EXPECT_EQ(1, host.Summaries()[1].done);
}

TEST(BrowserBatchEngine, TaskResultsAreCounted)
{
    FakeBatchHost host;
    FakeProgramStarter starter;
    for (int i = 0; i < 5; ++i)
        host.selected.push_back(BatchListItem{i, L"C:\\p\\" + std::to_wstring(i) + L".jpg"});
    CBatchEngine engine(host, &starter);
    ASSERT_TRUE(engine.StartBatchTask([](int item, const wchar_t* path) {
        if (!path)
            return BatchItemResult::Done();
        if (item == 1)
            return BatchItemResult::Skipped();
        if (item == 3)
            return BatchItemResult::Failed(L"no room for a new name");
        return BatchItemResult::Done();
    }));
    ASSERT_TRUE(WaitForEnd(engine));
    Finish(engine);
    ASSERT_EQ(1u, host.Summaries().size());
    const BatchSummary summary = host.Summaries()[0];
    EXPECT_EQ(3, summary.done);
    EXPECT_EQ(1, summary.skipped);
    ASSERT_EQ(1u, summary.failures.size());
    EXPECT_EQ(L"no room for a new name", summary.failures[0].reason);
    EXPECT_EQ(Texts{L"note 1 of 5 pictures failed"}, host.EventsStartingWith(L"note "));
}

} // namespace
