// The editor's command line: switches to flags, arguments to the pictures to open, and the list
// file that the browser hands over.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "EditorAppTestSupport.h"
#include "KQCmdUI.h"

namespace {

using editorapp::FileExists;
using editorapp::PutUtf16;
using testsupport::TempFolder;

// Counts the positional arguments on their way to the editor's own handling.
class CountingCmdUI : public CKQCmdUI {
public:
    bool OnArguments(const wchar_t** argv, int argc) override
    {
        arguments = argc;
        return CKQCmdUI::OnArguments(argv, argc);
    }
    int arguments = -1;
};

// The set flags in table order, blank-separated.
std::wstring Flags(const CKQCmdUI& cmd)
{
    const struct {
        const wchar_t* name;
        bool value;
    } flags[] = {
        {L"il", cmd.il}, {L"page", cmd.page}, {L"cosmet", cmd.cosmet}, {L"editor", cmd.editor}, {L"effect", cmd.effect},
        {L"split", cmd.split}, {L"crop", cmd.crop}, {L"combine", cmd.combine}, {L"batch", cmd.batch}, {L"start", cmd.start},
    };
    std::wstring text;
    for (const auto& flag : flags)
        if (flag.value)
            text += (text.empty() ? L"" : L" ") + std::wstring(flag.name);
    return text;
}

// The file list with the folder written as "{T}".
std::vector<std::wstring> Files(CKQCmdUI& cmd, const std::wstring& folder)
{
    std::vector<std::wstring> files;
    for (auto it = cmd.m_fileList.Begin(); it != cmd.m_fileList.End(); it.Next()) {
        std::wstring file = it.Get().GetString();
        if (file.compare(0, folder.size(), folder) == 0)
            file = L"{T}" + file.substr(folder.size());
        files.push_back(file);
    }
    return files;
}

std::wstring Expand(const std::wstring& line, const std::wstring& folder)
{
    std::wstring text = line;
    for (size_t at; (at = text.find(L"{T}")) != std::wstring::npos;)
        text.replace(at, 3, folder);
    return text;
}

TEST(CmdUI, CommandLinesToFlagsAndFiles)
{
    TempFolder temp;
    ASSERT_TRUE(TempFolder::Put(temp.At(L"a b.jpg"), "jpg"));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"c.png"), "png"));
    ASSERT_TRUE(CreateDirectoryW(temp.At(L"sub").c_str(), nullptr));
    const struct {
        const wchar_t* line;
        bool parsed;
        const wchar_t* flags;
        int arguments;
        std::vector<std::wstring> files;
        const wchar_t* error;
    } cases[] = {
        {L"/editor \"{T}\\a b.jpg\"", true, L"editor", 1, {L"{T}\\a b.jpg"}, L""},
        {L"/EDITOR", true, L"editor", 0, {}, L""},
        {L"-editor", true, L"editor", 0, {}, L""},
        {L"/editor-", true, L"", 0, {}, L""},
        {L"/editor+", true, L"editor", 0, {}, L""},
        {L"/editor=1", true, L"editor", 0, {}, L""},
        {L"/editor:x", true, L"editor", 0, {}, L""},
        {L"/Page -cosmet /effect /split /crop /combine /batch /start", true, L"page cosmet effect split crop combine batch start", 0, {}, L""},
        // Switches are checked before anything is set from those that follow in name order.
        {L"/foo /page /start", false, L"", -1, {}, L"Invalid switch \"foo\""},
        {L"/combine \"{T}\\sub\" \"{T}\\missing.jpg\" {T}\\c.png", true, L"combine", 3, {L"{T}\\c.png"}, L""},
        {L"\"{T}\\c.png\"  \"{T}\\a b.jpg\"", true, L"", 2, {L"{T}\\c.png", L"{T}\\a b.jpg"}, L""},
        {L"{T}\\c.png   /editor  ", true, L"editor", 1, {L"{T}\\c.png"}, L""},
        {L"/editor \"{T}\\a b.jpg", true, L"editor", 1, {L"{T}\\a b.jpg"}, L""},
        {L"", true, L"", 0, {}, L""},
    };
    for (const auto& c : cases) {
        CountingCmdUI cmd;
        const std::wstring line = Expand(c.line, temp.Root());
        EXPECT_EQ(cmd.Parse(line.c_str()), c.parsed) << c.line;
        EXPECT_EQ(Flags(cmd), c.flags) << c.line;
        EXPECT_EQ(cmd.arguments, c.arguments) << c.line;
        EXPECT_EQ(Files(cmd, temp.Root()), c.files) << c.line;
        EXPECT_STREQ(cmd.GetError(), c.error) << c.line;
    }
}

TEST(CmdUI, AFreshObjectHasNoFlagAndNoFile)
{
    CKQCmdUI cmd;
    EXPECT_EQ(Flags(cmd), L"");
    EXPECT_EQ(cmd.m_fileList.GetCount(), 0);
}

const wchar_t kListLines[] = L"{T}\\c.png\r\n\r\nC:\\no such folder\\gone.jpg\r\n{T}\\a b.jpg\r\n";

// The browser's own hand-over: a list in the temporary folder, read whole (missing pictures
// included; the editor reports them when it opens them) and then deleted.
TEST(CmdUI, ListFileInTheTemporaryFolderIsReadAndDeleted)
{
    TempFolder temp;
    ASSERT_TRUE(TempFolder::Put(temp.At(L"c.png"), "png"));
    const std::wstring list = temp.At(L"LumivoFileList_1A_.tmp");
    ASSERT_TRUE(PutUtf16(list, Expand(kListLines, temp.Root())));
    CKQCmdUI cmd;
    ASSERT_TRUE(cmd.Parse((L"/combine /il \"" + list + L"\" \"" + temp.At(L"c.png") + L"\"").c_str()));
    EXPECT_EQ(Flags(cmd), L"il combine");
    const std::vector<std::wstring> expected = {L"{T}\\c.png", L"C:\\no such folder\\gone.jpg", L"{T}\\a b.jpg"};
    EXPECT_EQ(Files(cmd, temp.Root()), expected);
    EXPECT_FALSE(FileExists(list)) << "the list is still there";
}

// A list named by hand may be the user's own file: it is read and kept.
TEST(CmdUI, ListFileElsewhereIsReadAndKept)
{
    TempFolder temp;
    const std::wstring list = editorapp::TestProgramFolder() + L"\\editorapp-list-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    ASSERT_TRUE(PutUtf16(list, Expand(kListLines, temp.Root())));
    CKQCmdUI cmd;
    const bool parsed = cmd.Parse((L"-page -il " + list).c_str());
    const bool kept = FileExists(list);
    DeleteFileW(list.c_str());
    EXPECT_TRUE(parsed);
    EXPECT_EQ(Flags(cmd), L"il page");
    const std::vector<std::wstring> expected = {L"{T}\\c.png", L"C:\\no such folder\\gone.jpg", L"{T}\\a b.jpg"};
    EXPECT_EQ(Files(cmd, temp.Root()), expected);
    EXPECT_TRUE(kept) << "a list outside the temporary folder was deleted";
}

TEST(CmdUI, ListFileThatDoesNotLoadLeavesNothing)
{
    TempFolder temp;
    const std::wstring eightBit = temp.At(L"eight-bit.tmp");
    ASSERT_TRUE(TempFolder::Put(eightBit, "C:\\a.jpg\r\n"));
    for (const std::wstring& list : {temp.At(L"missing.tmp"), eightBit}) {
        CKQCmdUI cmd;
        EXPECT_TRUE(cmd.Parse((L"/il \"" + list + L"\"").c_str())) << list;
        EXPECT_EQ(cmd.m_fileList.GetCount(), 0) << list;
        EXPECT_FALSE(cmd.ReadListFile(list.c_str())) << list;
    }
    EXPECT_TRUE(FileExists(eightBit)) << "a list that was not read is not deleted";
}

TEST(CmdUI, WhatCountsAsTheTemporaryFolder)
{
    wchar_t tempPath[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, tempPath), 0u);
    std::wstring temp = tempPath;
    if (temp.back() == L'\\')
        temp.pop_back();
    std::wstring upper = temp;
    CharUpperBuffW(&upper[0], DWORD(upper.size()));
    const struct {
        std::wstring path;
        bool inside;
    } cases[] = {
        {temp + L"\\_LumivoFileList_1A_.tmp", true},
        {temp + L"\\sub\\list.tmp", true},
        {upper + L"\\LIST.TMP", true},
        {temp + L"\\..\\list.tmp", false},
        {temp + L"2\\list.tmp", false},
        {temp, false},
        {L"C:\\list.tmp", false},
        {L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsInTempFolder(c.path.c_str()), c.inside) << c.path;
    EXPECT_FALSE(IsInTempFolder(nullptr));
}

} // namespace
