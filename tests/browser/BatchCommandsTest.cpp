// The batch commands' rules with a fake list and fake dialogs, the watermark preview's geometry
// and argument text, and the end-of-run report texts.
#include <gtest/gtest.h>
#include <clocale>
#include <string>
#include <vector>
#include "BatchCommands.h"
#include "BrowserTestSupport.h"
#include "OptimizeReport.h"
#include "TestSupport.h"
#include "WatermarkGeometry.h"

namespace {

using browsertest::FakeBatchHost;
using browsertest::FakeProgramStarter;
using browsertest::MemoryProfile;
using testsupport::TempFolder;

TEST(WatermarkGeometry, NinePositionsOnThePreview)
{
    // 300 x 200: a hundredth of the diagonal is 3.6056 pixels.
    const SIZE client{300, 200}, mark{30, 20};
    struct Row {
        int position;
        float dx, dy;
        RECT want;
    } const rows[] = {
        {0, 0, 0, {270, 180, 300, 200}}, {1, 0, 0, {135, 180, 165, 200}}, {2, 0, 0, {0, 180, 30, 200}},
        {3, 0, 0, {270, 90, 300, 110}},  {4, 0, 0, {135, 90, 165, 110}},  {5, 0, 0, {0, 90, 30, 110}},
        {6, 0, 0, {270, 0, 300, 20}},    {7, 0, 0, {135, 0, 165, 20}},    {8, 0, 0, {0, 0, 30, 20}},
        {0, 1, -1, {273, 176, 303, 196}}, {8, 2, 3, {7, 10, 37, 30}},
        {10, 0, 0, {270, 180, 300, 200}}, // any other code is the bottom right
    };
    for (const Row& row : rows) {
        const RECT got = LayoutWatermark(WatermarkPlace{row.position, row.dx, row.dy}, client, mark);
        EXPECT_EQ(row.want.left, got.left) << row.position;
        EXPECT_EQ(row.want.top, got.top) << row.position;
        EXPECT_EQ(row.want.right, got.right) << row.position;
        EXPECT_EQ(row.want.bottom, got.bottom) << row.position;
    }
}

TEST(WatermarkGeometry, ADraggedRectangleNamesItsThirdAndLaysOutWhereItWasDropped)
{
    const SIZE client{300, 200};
    struct Row {
        LONG left, top;
        int position;
    } const rows[] = {
        {40, 30, 8}, {120, 10, 7}, {250, 5, 6}, {10, 80, 5}, {150, 100, 4},
        {260, 70, 3}, {0, 150, 2}, {140, 190, 1}, {280, 170, 0},
    };
    for (const Row& row : rows) {
        const RECT dropped{row.left, row.top, row.left + 30, row.top + 20};
        const WatermarkPlace place = UpdateOffsetsFromRect(dropped, client);
        EXPECT_EQ(row.position, place.position) << row.left << "," << row.top;
        const RECT again = LayoutWatermark(place, client, SIZE{30, 20});
        EXPECT_LE(std::abs(again.left - dropped.left), 1) << row.left << "," << row.top;
        EXPECT_LE(std::abs(again.top - dropped.top), 1) << row.left << "," << row.top;
    }
    // Measured from the top left corner in the upper left third.
    const WatermarkPlace upperLeft = UpdateOffsetsFromRect(RECT{40, 30, 70, 50}, client);
    EXPECT_NEAR(40 / 3.6056, upperLeft.offsetX, 0.01);
    EXPECT_NEAR(30 / 3.6056, upperLeft.offsetY, 0.01);
}

TEST(WatermarkGeometry, ShownSizeFitsTheZoomSquareOrFollowsTheSample)
{
    // Zoom 10 of a 300 x 400 preview is a square of 50 pixels.
    SIZE shown = WatermarkShownSize(SIZE{200, 100}, SIZE{1200, 1600}, SIZE{300, 400}, true, 10);
    EXPECT_EQ(50, shown.cx);
    EXPECT_EQ(25, shown.cy);
    // Without zoom, a 240 x 120 mark on a 1200-pixel-wide sample shown 300 wide is a quarter.
    shown = WatermarkShownSize(SIZE{240, 120}, SIZE{1200, 1600}, SIZE{300, 400}, false, 10);
    EXPECT_EQ(60, shown.cx);
    EXPECT_EQ(30, shown.cy);
}

TEST(WatermarkGeometry, OpacityIsRoundedAsKQBatchRoundsIt)
{
    struct Row {
        int percent;
        int alpha;
    } const rows[] = {{100, 255}, {80, 204}, {50, 128}, {1, 3}, {0, 0}, {150, 255}};
    for (const Row& row : rows)
        EXPECT_EQ(row.alpha, WatermarkAlpha(row.percent)) << row.percent;
}

TEST(WatermarkGeometry, ArgumentTextWithAPointWhateverTheLocale)
{
    struct Row {
        WatermarkPlace place;
        bool useZoom;
        int zoom, opacity;
        const wchar_t* want;
    } const rows[] = {
        {{3, 1.5f, -2.25f}, true, 10, 80, L"\"C:\\m a.png\" 1.50 -2.25 3 10 /alpha=80"},
        {{0, 0, 0}, true, 10, 100, L"\"C:\\m a.png\" 0.00 0.00 0 10"},
        {{8, 12.345f, 0.004f}, false, 35, 99, L"\"C:\\m a.png\" 12.35 0.00 8 0 /alpha=99"},
        {{6, -0.5f, 100}, false, 100, 100, L"\"C:\\m a.png\" -0.50 100.00 6 0"},
    };
    const char* before = setlocale(LC_ALL, nullptr);
    const std::string saved = before ? before : "C";
    setlocale(LC_ALL, "German_Germany.1252");
    for (const Row& row : rows)
        EXPECT_EQ(std::wstring(row.want), WatermarkArguments(L"C:\\m a.png", row.place, row.useZoom, row.zoom, row.opacity));
    setlocale(LC_ALL, saved.c_str());
}

TEST(WatermarkGeometry, StoredSettingsReadBackClamped)
{
    MemoryProfile profile;
    WatermarkSettings written;
    written.place = WatermarkPlace{6, -1.25f, 3.5f};
    written.opacity = 55;
    written.zoomScale = 20;
    written.useZoom = false;
    written.Save(profile);
    EXPECT_EQ(L"-1.25", profile.strings[L"Batch/WatermarkDX"]);
    WatermarkSettings read;
    read.Load(profile);
    EXPECT_EQ(6, read.place.position);
    EXPECT_FLOAT_EQ(-1.25f, read.place.offsetX);
    EXPECT_FLOAT_EQ(3.5f, read.place.offsetY);
    EXPECT_EQ(55, read.opacity);
    EXPECT_EQ(20, read.zoomScale);
    EXPECT_FALSE(read.useZoom);

    profile.ints[L"Batch/WatermarkPos"] = 10;
    profile.ints[L"Batch/WatermarkAlpha"] = 0;
    profile.strings[L"Batch/WatermarkDX"] = L"2,75";
    read.Load(profile);
    EXPECT_EQ(8, read.place.position);
    EXPECT_EQ(1, read.opacity);
    EXPECT_FLOAT_EQ(2.75f, read.place.offsetX);
}

TEST(OptimizeReport, GainLines)
{
    struct Row {
        uint64_t before, after;
        const wchar_t* gain;
        int range, position;
    } const rows[] = {
        {1000 * 1024, 900 * 1024, L"Reduce file size 100K , 10.00%", 1000, 900},
        {1000 * 1024, 1100 * 1024, L"Reduce file size -100K , -10.00%", 1000, 1000},
        {0, 0, L"Reduce file size 0 , 0.00%", 1, 0},
        {0, 2048, L"Reduce file size -2K , -0.00%", 1, 1},
    };
    for (const Row& row : rows) {
        const OptimizeReportLines lines = MakeOptimizeReport(row.before, row.after, 3);
        EXPECT_EQ(std::wstring(row.gain), lines.gain) << row.before << " " << row.after;
        EXPECT_EQ(row.range, lines.barRange);
        EXPECT_EQ(row.position, lines.barPosition);
        EXPECT_EQ(L"File Count 3", lines.count);
    }
}

// The list and the user: the test sets what the list holds and what the user answers, and
// reads what was asked and shown.
class FakeCommandHost : public BatchCommandHost {
public:
    explicit FakeCommandHost(CBatchEngine& engine) : engine(engine) {}
    CBatchEngine& engine;
    bool selection = true;
    bool hoverFile = false;
    bool online = false;
    bool answer = true;
    std::wstring current = L"C:\\Photos";
    std::wstring candidate;
    std::vector<FolderItem> folders;
    std::vector<int> deselected;
    std::vector<std::wstring> notes;
    std::vector<std::wstring> questions;

    CBatchEngine& Engine() override { return engine; }
    bool HasSelection() override { return selection; }
    bool IsHoverItemFile() override { return hoverFile; }
    bool IsOnline() override { return online; }
    std::wstring CurrentFolder() override { return current; }
    std::wstring SampleCandidate() override { return candidate; }
    std::vector<FolderItem> FolderItems() override { return folders; }
    void DeselectItem(int index) override { deselected.push_back(index); }
    void ShowNote(const wchar_t* text) override { notes.push_back(text); }
    bool AskYesNo(const wchar_t* text) override
    {
        questions.push_back(text);
        return answer;
    }
};

// Answers OK with the values set, writing them into the engine as the real dialogs do.
class FakeDialogs : public BatchDialogs {
public:
    std::vector<std::wstring> opened;
    bool ok = true;
    std::wstring outputFolder = L"D:\\Out";
    int overwrite = 0;
    bool testOnly = false;
    int organizeMove = 0;
    BatchColorValues color;
    std::wstring watermarkTemp;
    RotateChoice rotate = RotateChoice::Left;
    std::wstring sample;

    bool Convert(CBatchEngine& engine, const std::wstring&) override { return Picture(L"convert", engine); }
    bool Optimize(CBatchEngine& engine, const std::wstring&) override
    {
        engine.m_testOnly = testOnly;
        return Picture(L"optimize", engine);
    }
    bool Rename() override { return Open(L"rename"); }
    bool Organize(CBatchEngine& engine, const std::wstring&) override
    {
        engine.m_outputFolder = outputFolder;
        engine.m_organizeMove = organizeMove;
        return Open(L"organize");
    }
    bool Watermark(const std::wstring& picture, std::wstring& arguments, std::wstring& tempFile) override
    {
        sample = picture;
        arguments = L"\"C:\\mark.png\" 0.00 0.00 0 10";
        tempFile = watermarkTemp;
        return Open(L"watermark");
    }
    bool Color(const std::wstring& picture, BatchColorValues& values) override
    {
        sample = picture;
        values = color;
        return Open(L"color");
    }
    bool Rotate(const std::wstring& picture, std::wstring& command, std::wstring& arguments) override
    {
        sample = picture;
        command = RotateCommandOf(rotate).command;
        arguments = RotateCommandOf(rotate).arguments;
        return Open(L"rotate");
    }

private:
    bool Picture(const wchar_t* name, CBatchEngine& engine)
    {
        engine.m_outputFolder = outputFolder;
        engine.m_overwriteOriginal = overwrite;
        return Open(name);
    }
    bool Open(const wchar_t* name)
    {
        opened.push_back(name);
        return ok;
    }
};

class BatchCommandsTest : public ::testing::Test {
protected:
    BatchCommandsTest() : engine(batchHost, &starter), host(engine), commands(host, dialogs, L"C:\\Data\\Sample.webp")
    {
        batchHost.selected.push_back(BatchListItem{0, L"C:\\Photos\\a.jpg"});
    }
    bool Ran()
    {
        const bool started = engine.m_batchThread != nullptr;
        engine.StopBatchTask();
        return started;
    }

    FakeProgramStarter starter;
    FakeBatchHost batchHost;
    CBatchEngine engine;
    FakeCommandHost host;
    FakeDialogs dialogs;
    BatchCommands commands;
};

TEST_F(BatchCommandsTest, NothingSelectedAndNoFileUnderTheMouseOpensNoDialog)
{
    host.selection = false;
    for (const BatchOperationInfo& info : kBatchOperations) {
        host.notes.clear();
        EXPECT_FALSE(commands.Run(info.operation)) << info.label;
        ASSERT_EQ(1u, host.notes.size()) << info.label;
        EXPECT_EQ(L"Please select a picture file", host.notes[0]);
    }
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_TRUE(host.questions.empty());
    // A file under the mouse is enough.
    host.hoverFile = true;
    EXPECT_TRUE(commands.Run(BatchOperation::Gray));
    EXPECT_TRUE(Ran());
}

TEST_F(BatchCommandsTest, WhoIsAskedBeforeTheRun)
{
    struct Row {
        BatchOperation operation;
        int overwrite;
        const wchar_t* output;
        bool testOnly;
        int organizeMove;
        const wchar_t* question; // null: none
    } const rows[] = {
        {BatchOperation::Optimize, 0, L"D:\\Out", true, 0, nullptr},
        {BatchOperation::Optimize, 1, L"D:\\Out", true, 0, nullptr},
        {BatchOperation::Optimize, 0, L"D:\\Out", false, 0, nullptr},
        {BatchOperation::Optimize, 1, L"D:\\Out", false, 0, L"modify"},
        {BatchOperation::Convert, 0, L"c:\\photos\\", false, 0, L"modify"},
        {BatchOperation::Convert, 0, L"C:\\Photos\\Out", false, 0, nullptr},
        {BatchOperation::Organize, 0, L"D:\\Out", false, 0, nullptr},
        {BatchOperation::Organize, 0, L"D:\\Out", false, 1, L"rename"},
        {BatchOperation::Rename, 0, L"", false, 0, L"rename"},
        {BatchOperation::Gray, 0, L"", false, 0, L"modify"},
        {BatchOperation::Rotate, 0, L"", false, 0, L"modify"},
        {BatchOperation::Watermark, 0, L"", false, 0, L"modify"},
    };
    for (const Row& row : rows) {
        host.questions.clear();
        dialogs.overwrite = row.overwrite;
        dialogs.outputFolder = row.output;
        dialogs.testOnly = row.testOnly;
        dialogs.organizeMove = row.organizeMove;
        EXPECT_TRUE(commands.Run(row.operation)) << int(row.operation);
        EXPECT_TRUE(Ran());
        if (!row.question) {
            EXPECT_TRUE(host.questions.empty()) << int(row.operation) << " " << row.overwrite;
            continue;
        }
        ASSERT_EQ(1u, host.questions.size()) << int(row.operation);
        EXPECT_NE(std::wstring::npos, host.questions[0].find(row.question)) << host.questions[0];
        EXPECT_NE(std::wstring::npos, host.questions[0].find(L"!\nDo you want to continue ?"));
    }
}

TEST_F(BatchCommandsTest, NoAtTheQuestionOrCancelStartsNothing)
{
    host.answer = false;
    dialogs.overwrite = 1;
    dialogs.organizeMove = 1;
    for (const BatchOperationInfo& info : kBatchOperations) {
        dialogs.color.hue = 30;
        EXPECT_FALSE(commands.Run(info.operation)) << info.label;
        EXPECT_FALSE(Ran()) << info.label;
    }
    host.answer = true;
    dialogs.ok = false;
    for (const BatchOperationInfo& info : kBatchOperations) {
        if (info.operation == BatchOperation::Gray)
            continue;
        EXPECT_FALSE(commands.Run(info.operation)) << info.label;
        EXPECT_FALSE(Ran()) << info.label;
    }
}

TEST_F(BatchCommandsTest, NeutralColourNeitherAsksNorRuns)
{
    EXPECT_FALSE(commands.Run(BatchOperation::Color));
    EXPECT_EQ(1u, dialogs.opened.size());
    EXPECT_TRUE(host.questions.empty());
    EXPECT_FALSE(Ran());

    dialogs.color.hue = 30;
    dialogs.color.saturation = -5;
    EXPECT_TRUE(commands.Run(BatchOperation::Color));
    EXPECT_TRUE(Ran());
    EXPECT_EQ(30, engine.m_hue);
    EXPECT_EQ(-5, engine.m_saturation);
    EXPECT_EQ(0, engine.m_brightness);
}

TEST_F(BatchCommandsTest, OptimizeAndConvertStartWithZeroedCounters)
{
    engine.m_optimizedCount = 7;
    engine.m_sizeBefore = 1000;
    engine.m_sizeAfter = 900;
    dialogs.testOnly = true;
    ASSERT_TRUE(commands.Run(BatchOperation::Optimize));
    EXPECT_EQ(BatchOperation::Optimize, commands.LastOperation());
    // The picture does not exist: nothing is measured.
    Ran();
    EXPECT_EQ(0, engine.m_optimizedCount);
    EXPECT_EQ(0u, engine.m_sizeBefore);
    EXPECT_EQ(0u, engine.m_sizeAfter);
    EXPECT_TRUE(batchHost.EventsStartingWith(L"reload").empty());
}

TEST_F(BatchCommandsTest, TheSelectedFolderThatHoldsTheOutputIsDeselected)
{
    host.folders = {{0, L"Holiday", true}, {1, L"lumivo_convert", false}, {2, L"Lumivo_Convert", true}, {3, L"Work", true}};
    struct Row {
        const wchar_t* output;
        int deselected; // -1: none
    } const rows[] = {
        {L"C:\\Photos\\Lumivo_Convert", 2},
        {L"c:\\photos\\LUMIVO_CONVERT\\", 2},
        {L"C:\\Photos\\Work\\Out\\Deeper", 3},
        {L"C:\\Photos", -1},
        {L"C:\\PhotosWork", -1},
        {L"D:\\Out\\Work", -1},
    };
    for (const Row& row : rows) {
        host.deselected.clear();
        dialogs.outputFolder = row.output;
        EXPECT_TRUE(commands.Run(BatchOperation::Convert)) << row.output;
        Ran();
        if (row.deselected < 0) {
            EXPECT_TRUE(host.deselected.empty()) << row.output;
        } else {
            ASSERT_EQ(1u, host.deselected.size()) << row.output;
            EXPECT_EQ(row.deselected, host.deselected[0]) << row.output;
        }
    }
}

TEST_F(BatchCommandsTest, ATileDuringARunOnlySaysTheBatchIsRunning)
{
    starter.holdUntilStop = true;
    ASSERT_TRUE(commands.RunFromTile(BatchOperation::Gray));
    ASSERT_TRUE(starter.WaitForStarts(1));
    dialogs.opened.clear();
    host.questions.clear();
    for (const BatchOperationInfo& info : kBatchOperations)
        EXPECT_FALSE(commands.RunFromTile(info.operation)) << info.label;
    EXPECT_EQ(kBatchOperationCount, batchHost.busyNotes);
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.notes.empty());
    engine.StopBatchTask();

    host.online = true;
    EXPECT_FALSE(commands.RunFromTile(BatchOperation::Rename));
    ASSERT_EQ(1u, host.notes.size());
    EXPECT_EQ(L"Only support local files", host.notes[0]);
}

TEST_F(BatchCommandsTest, KQBatchRunsGetTheCommandOfTheDialog)
{
    struct Row {
        BatchOperation operation;
        RotateChoice rotate;
        const wchar_t* tail;
    } const rows[] = {
        {BatchOperation::Gray, RotateChoice::Left, L" GrayScale \"C:\\Photos\\a.jpg\" \"C:\\Photos\\a.jpg\""},
        {BatchOperation::Rotate, RotateChoice::Left, L" RotaryZoom \"C:\\Photos\\a.jpg\" \"C:\\Photos\\a.jpg\" -90 1 1"},
        {BatchOperation::Rotate, RotateChoice::Right, L" RotaryZoom \"C:\\Photos\\a.jpg\" \"C:\\Photos\\a.jpg\" 90 1 1"},
        {BatchOperation::Rotate, RotateChoice::Half, L" RotaryZoom \"C:\\Photos\\a.jpg\" \"C:\\Photos\\a.jpg\" 180 1 1"},
        {BatchOperation::Rotate, RotateChoice::FlipHorizontal, L" Mirror \"C:\\Photos\\a.jpg\" \"C:\\Photos\\a.jpg\""},
        {BatchOperation::Rotate, RotateChoice::FlipVertical, L" Flip \"C:\\Photos\\a.jpg\" \"C:\\Photos\\a.jpg\""},
        {BatchOperation::Watermark, RotateChoice::Left,
         L" Watermark \"C:\\Photos\\a.jpg\" \"C:\\Photos\\a.jpg\" \"C:\\mark.png\" 0.00 0.00 0 10"},
    };
    size_t starts = 0;
    for (const Row& row : rows) {
        dialogs.rotate = row.rotate;
        ASSERT_TRUE(commands.Run(row.operation));
        ASSERT_TRUE(starter.WaitForStarts(++starts));
        Ran();
        EXPECT_EQ(std::wstring(row.tail), starter.Starts().back().commandLine);
    }
}

TEST_F(BatchCommandsTest, ThePreviewsShowTheChosenFileElseTheSample)
{
    TempFolder folder;
    ASSERT_TRUE(TempFolder::Put(folder.At(L"b.jpg"), "x"));
    dialogs.color.hue = 5;
    host.answer = false;
    const struct {
        std::wstring candidate;
        std::wstring want;
    } rows[] = {
        {folder.At(L"b.jpg"), folder.At(L"b.jpg")},
        {folder.At(L"gone.jpg"), L"C:\\Data\\Sample.webp"},
        {folder.Root(), L"C:\\Data\\Sample.webp"},
        {L"", L"C:\\Data\\Sample.webp"},
    };
    for (const auto& row : rows) {
        host.candidate = row.candidate;
        commands.Run(BatchOperation::Color);
        EXPECT_EQ(row.want, dialogs.sample);
    }
}

TEST_F(BatchCommandsTest, TheWatermarkFileIsTheRunsAndGoneWhenTheUserSaysNo)
{
    TempFolder folder;
    dialogs.watermarkTemp = folder.At(L"KQTextWatermark1.webp");
    ASSERT_TRUE(TempFolder::Put(dialogs.watermarkTemp, "mark"));
    host.answer = false;
    EXPECT_FALSE(commands.Run(BatchOperation::Watermark));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(dialogs.watermarkTemp.c_str()));
    EXPECT_TRUE(engine.m_tempFile.empty());

    // Kept while the run lasts, deleted when it is stopped.
    ASSERT_TRUE(TempFolder::Put(dialogs.watermarkTemp, "mark"));
    host.answer = true;
    starter.holdUntilStop = true;
    ASSERT_TRUE(commands.Run(BatchOperation::Watermark));
    ASSERT_TRUE(starter.WaitForStarts(1));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(dialogs.watermarkTemp.c_str()));
    engine.StopBatchTask();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(dialogs.watermarkTemp.c_str()));
}

} // namespace
