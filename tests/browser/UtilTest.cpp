// The browser's small helpers: size texts, the folder test, new names, shell copy and move,
// path lists and the 8-bit append formatter.
#include <gtest/gtest.h>
#include <string>
#include "BrowserTestSupport.h"
#include "BrowserUtil.h"
#include "TempPathList.h"
#include "TestSupport.h"

namespace {

using browsertest::FakeShellService;
using testsupport::TempFolder;

TEST(BrowserSizeText, ShortAndExactForms)
{
    struct Row {
        uint64_t size;
        bool exact;
        const wchar_t* text;
    } const rows[] = {
        {0, false, L"0"},
        {1, false, L"1K"},
        {1023, false, L"1K"},
        {1024, false, L"1K"},
        {2047, false, L"1K"},
        {2048, false, L"2K"},
        {1048575, false, L"1023K"},
        {1048576, false, L"1.00M"},
        {1234567, true, L"1.18M (1,234,567)"},
        {1073741824ull, false, L"1.00G"},
        {5368709120ull, true, L"5.00G (5,368,709,120)"},
        {0, true, L"0 (0)"},
        // Past the signed range no file goes; the text stays within its buffer.
        {~0ull, true, L"8589934592.00G (9,223,372,036,854,775,807)"},
    };
    for (const Row& row : rows) {
        wchar_t out[256];
        const int length = FormatSizeText64(row.exact, out, row.size);
        EXPECT_STREQ(row.text, out) << row.size;
        EXPECT_EQ(int(wcslen(row.text)), length) << row.size;
    }
}

TEST(BrowserSizeText, DigitGroups)
{
    struct Row {
        int64_t value;
        const wchar_t* text;
    } const rows[] = {
        {0, L"0"},
        {123, L"123"},
        {1234, L"1,234"},
        {-1234, L"-1,234"},
        {-123, L"-123"},
        {999999, L"999,999"},
        {1000000, L"1,000,000"},
        {INT64_MAX, L"9,223,372,036,854,775,807"},
        {INT64_MIN, L"-9,223,372,036,854,775,808"},
    };
    for (const Row& row : rows) {
        wchar_t out[kSizeTextCapacity];
        SizeText(out, row.value);
        EXPECT_STREQ(row.text, out) << row.value;
    }
}

TEST(BrowserPathInFolder, WholeNamesWithoutCase)
{
    struct Row {
        const wchar_t* folder;
        const wchar_t* path;
        bool inside;
    } const rows[] = {
        {L"C:\\A", L"C:\\AB", false},
        {L"C:\\A", L"C:\\A\\B", true},
        {L"C:\\A", L"C:\\A", true},
        {L"C:\\A", L"c:\\a\\b", true},
        {L"c:\\a", L"C:\\A", true},
        {L"C:\\A\\B", L"C:\\A", false},
        {L"C:\\", L"C:\\A", true},
        {L"C:\\\u00C9t\u00E9", L"c:\\\u00E9T\u00C9\\x.jpg", true},
        {L"", L"C:\\A", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.inside, IsPathInFolder(row.folder, row.path)) << row.folder << L" / " << row.path;
}

class BrowserUniqueName : public ::testing::Test {
protected:
    TempFolder m_folder;

    void MakeFile(const std::wstring& name) { ASSERT_TRUE(TempFolder::Put(m_folder.At(name), "x")); }
    void MakeDir(const std::wstring& name) { ASSERT_TRUE(CreateDirectoryW(m_folder.At(name).c_str(), nullptr)); }
};

TEST_F(BrowserUniqueName, CountsOnFromTheNameAndItsNumber)
{
    MakeFile(L"photo~3.jpg");
    MakeFile(L"photo.jpg");
    MakeFile(L"photo~1.jpg");
    MakeFile(L"README");
    MakeFile(L"clip~9");
    MakeDir(L"taken.jpg"); // a folder takes a file's name too
    MakeFile(L"name~12345678901.png");
    struct Row {
        const wchar_t* name;
        UNIQUE_NAME_RES result;
        const wchar_t* expected;
    } const rows[] = {
        {L"photo~3.jpg", UNIQUE_NAME_CHANGED, L"photo~4.jpg"},
        {L"photo.jpg", UNIQUE_NAME_CHANGED, L"photo~2.jpg"},
        {L"README", UNIQUE_NAME_CHANGED, L"README~1"},
        {L"clip~9", UNIQUE_NAME_CHANGED, L"clip~10"},
        {L"taken.jpg", UNIQUE_NAME_CHANGED, L"taken~1.jpg"},
        // Too many digits for a counter: part of the name.
        {L"name~12345678901.png", UNIQUE_NAME_CHANGED, L"name~12345678901~1.png"},
        {L"free.jpg", UNIQUE_NAME_FREE, L"free.jpg"},
    };
    for (const Row& row : rows) {
        wchar_t path[MAX_PATH];
        wcscpy(path, m_folder.At(row.name).c_str());
        EXPECT_EQ(row.result, MakeUniqueFileName(path)) << row.name;
        EXPECT_EQ(m_folder.At(row.expected), path) << row.name;
    }
}

TEST_F(BrowserUniqueName, FoldersCountLikeFiles)
{
    MakeDir(L"New Folder");
    MakeDir(L"New Folder~1");
    MakeFile(L"Lumivo_Grey");
    wchar_t path[MAX_PATH];
    wcscpy(path, m_folder.At(L"New Folder").c_str());
    EXPECT_EQ(UNIQUE_NAME_CHANGED, MakeUniqueDirName(path));
    EXPECT_EQ(m_folder.At(L"New Folder~2"), path);
    wcscpy(path, (m_folder.At(L"New Folder") + L"\\").c_str());
    EXPECT_EQ(UNIQUE_NAME_CHANGED, MakeUniqueDirName(path));
    EXPECT_EQ(m_folder.At(L"New Folder~2"), path);
    wcscpy(path, m_folder.At(L"Lumivo_Grey").c_str());
    EXPECT_EQ(UNIQUE_NAME_CHANGED, MakeUniqueDirName(path));
    EXPECT_EQ(m_folder.At(L"Lumivo_Grey~1"), path);
}

TEST_F(BrowserUniqueName, NoRoomLeavesThePathAlone)
{
    // A name that fills MAX_PATH once "~1" is added.
    const std::wstring root = m_folder.Root() + L"\\";
    const std::wstring stem(MAX_PATH - 1 - root.size() - 4, L'n');
    const std::wstring full = root + stem + L".jpg";
    ASSERT_EQ(size_t(MAX_PATH - 1), full.size());
    ASSERT_TRUE(TempFolder::Put(full, "x"));
    wchar_t path[MAX_PATH];
    wcscpy(path, full.c_str());
    EXPECT_EQ(UNIQUE_NAME_NO_ROOM, MakeUniqueFileName(path));
    EXPECT_EQ(full, path);

    // Every number up to the search's cap taken: the claim gives up instead of looping.
    int claims = 0;
    wcscpy(path, m_folder.At(L"busy.jpg").c_str());
    MakeFile(L"busy.jpg");
    const DWORD answer = ClaimUniqueName(path, false, [&claims](const wchar_t*) {
        ++claims;
        return DWORD(ERROR_FILE_EXISTS);
    });
    EXPECT_NE(DWORD(ERROR_SUCCESS), answer);
    EXPECT_GT(claims, 0);
    EXPECT_LE(claims, 10000);
}

TEST_F(BrowserUniqueName, ANameTakenMeanwhileIsNeverOverwritten)
{
    MakeFile(L"a.jpg");
    ASSERT_TRUE(TempFolder::Put(m_folder.At(L"source.jpg"), "new"));
    // Another program takes "a~1.jpg" between the look and the copy.
    wchar_t target[MAX_PATH];
    wcscpy(target, m_folder.At(L"a.jpg").c_str());
    bool raced = false;
    const std::wstring source = m_folder.At(L"source.jpg");
    const DWORD answer = ClaimUniqueName(target, false, [&](const wchar_t* name) -> DWORD {
        if (!raced) {
            raced = true;
            TempFolder::Put(name, "theirs");
        }
        return CopyFileW(source.c_str(), name, TRUE) ? ERROR_SUCCESS : GetLastError();
    });
    EXPECT_EQ(DWORD(ERROR_SUCCESS), answer);
    EXPECT_EQ(m_folder.At(L"a~2.jpg"), target);
    EXPECT_EQ("theirs", TempFolder::Get(m_folder.At(L"a~1.jpg")));
    EXPECT_EQ("new", TempFolder::Get(m_folder.At(L"a~2.jpg")));

    // The ready-made claims: copy, move and a new folder.
    wcscpy(target, m_folder.At(L"a.jpg").c_str());
    EXPECT_EQ(DWORD(ERROR_SUCCESS), CopyToUniqueName(source.c_str(), target));
    EXPECT_EQ(m_folder.At(L"a~3.jpg"), target);
    wcscpy(target, m_folder.At(L"a.jpg").c_str());
    EXPECT_EQ(DWORD(ERROR_SUCCESS), MoveToUniqueName(source.c_str(), target));
    EXPECT_EQ(m_folder.At(L"a~4.jpg"), target);
    EXPECT_EQ("new", TempFolder::Get(target));
    EXPECT_EQ("x", TempFolder::Get(m_folder.At(L"a.jpg")));
    wcscpy(target, m_folder.At(L"a.jpg").c_str());
    EXPECT_EQ(DWORD(ERROR_SUCCESS), CreateUniqueDir(target));
    EXPECT_EQ(m_folder.At(L"a~5.jpg"), target);
}

TEST(BrowserShellOperation, ListsAndTheDestinationLimit)
{
    FakeShellService shell;
    PathSet sources;
    sources.Insert(BrowserString(L"C:\\p\\b.jpg"));
    sources.Insert(BrowserString(L"C:\\p\\a.jpg"));
    SHFILEOPSTRUCTW op = {};
    EXPECT_TRUE(ShellFileOperation(op, L"D:\\to", sources, true, false));
    ASSERT_EQ(1u, shell.operations.size());
    EXPECT_EQ(UINT(FO_MOVE), shell.operations[0].function);
    // Several files moved go in pairs: a shell may give up moving them into one folder.
    EXPECT_EQ(FILEOP_FLAGS(FOF_NOERRORUI | FOF_MULTIDESTFILES), shell.operations[0].flags);
    EXPECT_EQ(std::wstring(L"C:\\p\\a.jpg\0C:\\p\\b.jpg\0\0", 23), shell.operations[0].from);
    EXPECT_EQ(std::wstring(L"D:\\to\\a.jpg\0D:\\to\\b.jpg\0\0", 25), shell.operations[0].to);
    EXPECT_EQ(nullptr, op.pFrom);

    SHFILEOPSTRUCTW one = {};
    EXPECT_TRUE(CopyMoveFile(one, L"D:\\to", L"C:\\p\\c.jpg", false));
    ASSERT_EQ(2u, shell.operations.size());
    EXPECT_EQ(UINT(FO_COPY), shell.operations[1].function);
    EXPECT_EQ(FILEOP_FLAGS(FOF_NOERRORUI | FOF_RENAMEONCOLLISION), shell.operations[1].flags);

    // A destination that would not fit the shell's buffer fails before the shell is asked.
    const std::wstring longest(MAX_PATH - 1, L'd');
    const std::wstring tooLong(MAX_PATH, L'd');
    SHFILEOPSTRUCTW other = {};
    EXPECT_TRUE(ShellFileOperation(other, longest.c_str(), sources, false, false));
    EXPECT_FALSE(ShellFileOperation(other, tooLong.c_str(), sources, false, false));
    EXPECT_FALSE(ShellFileOperation(other, (tooLong + L"more").c_str(), sources, false, false));
    EXPECT_EQ(3u, shell.operations.size());

    FakeShellService refusing(1);
    EXPECT_FALSE(ShellFileOperation(other, L"D:\\to", sources, false, false));
}

TEST(BrowserPathList, DeletedTogetherWhenTheOwnerGoes)
{
    TempFolder folder;
    ASSERT_TRUE(TempFolder::Put(folder.At(L"one.tmp"), "1"));
    ASSERT_TRUE(CreateDirectoryW(folder.At(L"dir").c_str(), nullptr));
    ASSERT_TRUE(TempFolder::Put(folder.At(L"dir\\inner.tmp"), "2"));
    ASSERT_TRUE(TempFolder::Put(folder.At(L"kept.tmp"), "3"));
    try {
        CTempPathList list;
        list.AddTailStr(folder.At(L"one.tmp").c_str());
        list.AddTailStr(folder.At(L"dir").c_str());
        list.AddTailStr(folder.At(L"never-made.tmp").c_str());
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(std::vector<std::wstring>{L"kept.tmp"}, folder.List());

    PathList paths;
    paths.AddTail(BrowserString(folder.At(L"kept.tmp").c_str()));
    EXPECT_TRUE(DeletePathList(paths));
    EXPECT_EQ(0, paths.GetCount());
    EXPECT_TRUE(folder.List().empty());
}

TEST(BrowserAppendFormat, BoundedAndNeverStoring)
{
    char buffer[16] = "GET ";
    EXPECT_EQ(4, AppendFormatA(buffer, sizeof buffer, "/%s%d", "a", 42));
    EXPECT_STREQ("GET /a42", buffer);
    // Too long: refused whole, the text kept.
    EXPECT_EQ(-1, AppendFormatA(buffer, sizeof buffer, "%s", "0123456789"));
    EXPECT_STREQ("GET /a42", buffer);
    EXPECT_EQ(7, AppendFormatA(buffer, sizeof buffer, "%07d", 5));
    EXPECT_STREQ("GET /a420000005", buffer);
    // %n writes the error text and takes no argument, so nothing is stored anywhere.
    char text[32] = "";
    EXPECT_EQ(8, AppendFormatA(text, sizeof text, "%n%c", 'x'));
    EXPECT_STREQ("<Error>x", text);
    EXPECT_EQ(3, AppendFormatA(nullptr, 0, "%d", 123));
}

} // namespace
