// Program starts through the system's starter, with the echo program of these tests: command
// lines, output capture, stops, handles; and the editor's list files.
#include <gtest/gtest.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include "BrowserTestSupport.h"
#include "ProgramStart.h"
#include "TestSupport.h"
#include "Win32Owners.h"

namespace {

using testsupport::TempFolder;

std::wstring EchoProgram()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"BrowserEcho.exe";
}

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    std::wstring wide(text.size(), L'\0');
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], int(wide.size()))));
    return wide;
}

// A line of the length asked: a blank (the program's name is not repeated), then a mix of
// quotes, blanks and letters beyond the 8-bit range.
std::wstring LineOfLength(size_t length)
{
    const wchar_t pattern[] = L"ab \"c d\" \u00E9\u4E2D-";
    std::wstring line = L" ";
    while (line.size() < length)
        line += pattern[line.size() % (sizeof pattern / sizeof pattern[0] - 1)];
    return line;
}

TEST(BrowserProgramStart, CommandLinesArriveWhole)
{
    for (size_t length : {size_t(1023), size_t(1024), size_t(5000), kMaxCommandLine}) {
        const std::wstring line = LineOfLength(length);
        const CaptureResult run = RunProgramCapture(EchoProgram().c_str(), line.c_str(), nullptr);
        ASSERT_TRUE(run.started) << length;
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_FALSE(run.terminated);
        EXPECT_EQ(line, FromUtf8(run.output)) << length;
    }
}

TEST(BrowserProgramStart, ALinePastTheLimitIsRefused)
{
    const std::wstring line = LineOfLength(kMaxCommandLine + 1);
    const CaptureResult run = RunProgramCapture(EchoProgram().c_str(), line.c_str(), nullptr);
    EXPECT_FALSE(run.started);
    EXPECT_EQ(DWORD(ERROR_FILENAME_EXCED_RANGE), run.startError);
    EXPECT_TRUE(run.output.empty());
}

TEST(BrowserProgramStart, ExitCodesAndOutputReadToTheEnd)
{
    CaptureResult run = RunProgramCapture(EchoProgram().c_str(), L" exit 3", nullptr);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(3u, run.exitCode);
    EXPECT_EQ(" exit 3", run.output);

    // More than the pipe holds: the child never blocks, the output is kept up to its cap.
    run = RunProgramCapture(EchoProgram().c_str(), L" flood 300000", nullptr);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(kMaxCaptureBytes, run.output.size());

    run = RunProgramCapture((EchoProgram() + L"-missing.exe").c_str(), L" x", nullptr);
    EXPECT_FALSE(run.started);
    EXPECT_NE(DWORD(ERROR_SUCCESS), run.startError);
}

TEST(BrowserProgramStart, AStoppedProgramIsEndedAfterTheGraceTime)
{
    win32::KernelHandle stop(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    const CaptureResult run = RunProgramCapture(EchoProgram().c_str(), L" hang", stop.Get(), 300);
    ASSERT_TRUE(run.started);
    EXPECT_TRUE(run.terminated);
    EXPECT_EQ(kEndedAfterStop, run.exitCode);

    // A program that ends within the grace time is not ended.
    const CaptureResult quick = RunProgramCapture(EchoProgram().c_str(), L" exit 0", stop.Get(), 20000);
    EXPECT_FALSE(quick.terminated);
    EXPECT_EQ(0u, quick.exitCode);
}

// The handles open in this process, counted by asking each possible value (Wine counts none in
// GetProcessHandleCount).
int CountOpenHandles()
{
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x40000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

// Wine opens a handle or two of its own now and then (its thread pool, its console); a handle
// left open by each run would add one a run.
const int kHandleNoise = 2;

// The count once it has come down to before, or after two seconds.
int SettledHandleCount(int before)
{
    int count = CountOpenHandles();
    for (int wait = 0; wait < 20 && count > before; ++wait) {
        Sleep(100);
        count = CountOpenHandles();
    }
    return count;
}

struct ThreadRuns {
    int whole = 0;   // started, and the output exactly the run's own line
    int refused = 0; // not started: Wine refuses a start now and then on a busy machine
    std::string wrong;
};

// Runs from several threads at once, each its own command line. Each run's pipe stays out of
// the others' children, so each output is exactly its own line.
ThreadRuns RunFromThreads(int threadCount, int runsEach)
{
    ThreadRuns runs;
    std::mutex lock;
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back([&, t] {
            const std::wstring line = L" thread " + std::to_wstring(t);
            for (int i = 0; i < runsEach; ++i) {
                const CaptureResult run = RunProgramCapture(EchoProgram().c_str(), line.c_str(), nullptr);
                std::lock_guard<std::mutex> hold(lock);
                if (!run.started)
                    ++runs.refused;
                else if (run.output == std::string(line.begin(), line.end()))
                    ++runs.whole;
                else
                    runs.wrong += "thread " + std::to_string(t) + ": exit " + std::to_string(run.exitCode) + ", output [" +
                                  run.output + "]\n";
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    return runs;
}

TEST(BrowserProgramStart, HandlesAreClosed)
{
    RunFromThreads(4, 1);
    const int before = CountOpenHandles();
    {
        win32::KernelHandle held(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_EQ(before + 1, CountOpenHandles()) << "the count does not see an open handle";
    }
    const ThreadRuns runs = RunFromThreads(4, 50);
    EXPECT_EQ(200, runs.whole + runs.refused);
    EXPECT_TRUE(runs.wrong.empty()) << runs.wrong;
    EXPECT_LE(runs.refused, 5);
    // A start Wine refused may leave a few handles of its own behind.
    EXPECT_LE(SettledHandleCount(before), before + kHandleNoise + 4 * runs.refused);
}

// The echo program's file for starts whose output nobody reads, named to it through the
// environment that the started programs inherit.
class EchoFile {
public:
    EchoFile() : m_path(m_folder.At(L"echo.txt")) { SetEnvironmentVariableW(L"LUMIVO_ECHO_FILE", m_path.c_str()); }
    ~EchoFile() { SetEnvironmentVariableW(L"LUMIVO_ECHO_FILE", nullptr); }
    std::wstring Take()
    {
        const std::string text = TempFolder::Get(m_path);
        DeleteFileW(m_path.c_str());
        return text == "<missing>" ? L"<missing>" : FromUtf8(text);
    }

private:
    TempFolder m_folder;
    std::wstring m_path;
};

bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(BrowserProgramWait, ParametersArriveWholeAndHandlesAreClosed)
{
    EchoFile echo;
    for (size_t length : {size_t(1023), size_t(1024), size_t(5000)}) {
        const std::wstring parameters = LineOfLength(length);
        ASSERT_TRUE(RunProgramWait(EchoProgram().c_str(), parameters.c_str())) << length;
        EXPECT_TRUE(EndsWith(echo.Take(), parameters)) << length;
    }
    // With the program in front the line would pass the system's limit: refused, nothing starts.
    EXPECT_FALSE(RunProgramWait(EchoProgram().c_str(), LineOfLength(kMaxCommandLine - 3).c_str()));
    EXPECT_EQ(L"<missing>", echo.Take());
    EXPECT_FALSE(RunProgramWait((EchoProgram() + L"-missing.exe").c_str(), L" x"));

    const int before = CountOpenHandles();
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(RunProgramWait(EchoProgram().c_str(), L" again")) << i;
    EXPECT_LE(SettledHandleCount(before), before + kHandleNoise);
}

std::vector<BYTE> ListBytes(const std::vector<std::wstring>& lines)
{
    std::wstring text = L"\uFEFF";
    for (const std::wstring& line : lines)
        text += line + L"\r\n";
    const BYTE* p = reinterpret_cast<const BYTE*>(text.data());
    return std::vector<BYTE>(p, p + text.size() * sizeof(wchar_t));
}

bool InTempFolder(const std::wstring& path)
{
    wchar_t temp[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, temp);
    return path.compare(0, n, temp) == 0;
}

TEST(BrowserListFile, OneLineAPathAndANewFileEachTime)
{
    const std::vector<std::wstring> one = {L"C:\\Pictures\\a b.jpg"};
    const std::wstring first = MakeFileListTempFile(one);
    ASSERT_FALSE(first.empty());
    const std::wstring second = MakeFileListTempFile({L"C:\\x.png", L"D:\\\u4E2D.webp"});
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    for (const std::wstring& path : {first, second}) {
        const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
        EXPECT_EQ(0u, name.find(L"_LumivoFileList_")) << name;
        EXPECT_EQ(L".tmp", name.substr(name.size() - 4)) << name;
        EXPECT_TRUE(InTempFolder(path)) << path;
    }
    EXPECT_EQ(ListBytes(one), testsupport::ReadBytes(first));
    EXPECT_EQ(ListBytes({L"C:\\x.png", L"D:\\\u4E2D.webp"}), testsupport::ReadBytes(second));
    DeleteFileW(first.c_str());
    DeleteFileW(second.c_str());

    EXPECT_TRUE(MakeFileListTempFile({}).empty());
}

TEST(BrowserListFile, AnUnreadListIsNeverOverwritten)
{
    // A list the editor has not read yet holds the first name a call would make.
    const std::wstring first = MakeFileListTempFile({L"C:\\first.jpg"});
    ASSERT_FALSE(first.empty());
    const std::vector<BYTE> unread = testsupport::ReadBytes(first);
    std::vector<std::wstring> made;
    for (int i = 0; i < 3; ++i)
        made.push_back(MakeFileListTempFile({L"C:\\later.jpg"}));
    EXPECT_EQ(unread, testsupport::ReadBytes(first));
    for (const std::wstring& path : made) {
        EXPECT_NE(first, path);
        DeleteFileW(path.c_str());
    }
    DeleteFileW(first.c_str());
}

TEST(BrowserProgramStart, TheStarterCanBeReplaced)
{
    {
        browsertest::FakeProgramStarter fake;
        fake.toolsInstalled = false;
        EXPECT_FALSE(IsLumivoToolsInstalled());
        EXPECT_TRUE(RunProgramWait(L"C:\\p\\x.exe", L" a"));
        ASSERT_EQ(1u, fake.Starts().size());
        EXPECT_EQ(L" a", fake.Starts()[0].commandLine);
    }
    // The build's program folder holds the editor; the tests' folder is not where it looks.
    EXPECT_TRUE(IsLumivoToolsInstalled());
}

} // namespace
