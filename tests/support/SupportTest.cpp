// The shared test support itself: child processes within a time limit, the temporary folder, the
// file-dialog driver.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include <windows.h>
#include <commdlg.h>
#include "FileDialogDriver.h"
#include "TestSupport.h"

using testsupport::ChildProcess;
using testsupport::TempFolder;

namespace {

// What TestChild writes: the letters over and over.
std::string LetterPattern(size_t size)
{
    std::string text(size, '\0');
    for (size_t i = 0; i < size; ++i)
        text[i] = char('a' + i % 26);
    return text;
}

std::wstring TestChildPath()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.rfind(L'\\')) + L"\\TestChild.exe";
}

TEST(ChildProcess, OutputIsReadWithinTheTimeAndAChildStillRunningThenIsEnded)
{
    const long kEnded = ChildProcess::kEndedByTest;
    const struct {
        const wchar_t* arguments;
        DWORD limit;
        const char* output; // null: a part of the letter pattern from its start
        size_t size;        // of the output, when given
        bool ended;
        long exitCode;
    } cases[] = {
        // More than a pipe holds, written before the child ends: all of it.
        {L"write 200000", 60000, nullptr, 200000, false, 3},
        // What came before the limit is kept.
        {L"hang", 4000, "waiting\n", 0, true, kEnded},
        // A child that keeps writing is ended too.
        {L"flood", 1000, nullptr, 0, true, kEnded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.arguments)));
        ChildProcess child;
        ASSERT_TRUE(child.Start(TestChildPath(), c.arguments, true));
        const std::string output = child.ReadOutput(c.limit);
        if (c.output) {
            EXPECT_EQ(output, c.output);
        } else {
            EXPECT_TRUE(output == LetterPattern(output.size())) << output.size() << " bytes";
        }
        if (c.size) {
            EXPECT_EQ(output.size(), c.size);
        }
        EXPECT_EQ(child.EndedByTest(), c.ended);
        EXPECT_EQ(child.WaitForExit(10000), c.exitCode);
    }
}

TEST(TempFolder, IsFreshAndGoesWithEverythingInIt)
{
    std::wstring root;
    {
        TempFolder folder, other;
        root = folder.Root();
        EXPECT_NE(other.Root(), root);
        EXPECT_TRUE(folder.List().empty());
        const std::string bytes("a\0b", 3);
        ASSERT_TRUE(TempFolder::Put(folder.At(L"\x00E9t\x00E9.bin"), bytes));
        EXPECT_EQ(TempFolder::Get(folder.At(L"\x00E9t\x00E9.bin")), bytes);
        EXPECT_EQ(TempFolder::Get(folder.At(L"missing.bin")), "<missing>");
        // Nested folders and read-only files go too.
        ASSERT_TRUE(CreateDirectoryW(folder.At(L"sub").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(folder.At(L"sub\\deeper").c_str(), nullptr));
        const std::wstring locked = folder.At(L"sub\\deeper\\locked.txt");
        ASSERT_TRUE(TempFolder::Put(locked, "x"));
        ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
        std::vector<std::wstring> names = folder.List();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::wstring>{L"sub", L"\x00E9t\x00E9.bin"}));
    }
    EXPECT_EQ(GetFileAttributesW(root.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace

namespace {

// The system's open or save dialog on a buffer; the chosen path, or "" when it was cancelled.
std::wstring RunFileDialog(bool open, const wchar_t* title, const std::wstring& folder)
{
    wchar_t name[1024] = {};
    OPENFILENAMEW ofn = {sizeof ofn};
    ofn.lpstrFile = name;
    ofn.nMaxFile = 1024;
    ofn.lpstrTitle = title;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrFilter = L"All\0*.*\0";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | (open ? OFN_FILEMUSTEXIST : 0);
    const BOOL chosen = open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    return chosen ? std::wstring(name) : std::wstring();
}

} // namespace

TEST(FileDialogDriver, ChoosesOrCancelsTheOpenAndSaveDialogsInTurn)
{
    TempFolder folder;
    const std::wstring existing = folder.At(L"there.txt");
    ASSERT_TRUE(TempFolder::Put(existing, "x"));
    const std::wstring target = folder.At(L"new name.png");
    testsupport::FileDialogAnswers answers({existing, L"", target});
    EXPECT_EQ(RunFileDialog(true, L"Pick one", folder.Root()), existing);
    EXPECT_EQ(RunFileDialog(true, L"Pick none", folder.Root()), L"");
    EXPECT_EQ(RunFileDialog(false, L"Keep as", folder.Root()), target);
    // Past the answers: cancelled, not left open.
    EXPECT_EQ(RunFileDialog(false, L"One more", folder.Root()), L"");
    EXPECT_EQ(answers.Captions(), (std::vector<std::wstring>{L"Pick one", L"Pick none", L"Keep as", L"One more"}));
    EXPECT_EQ(testsupport::FindFileDialog(::GetCurrentProcessId()), nullptr);
}
