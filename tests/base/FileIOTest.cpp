#include <gtest/gtest.h>
#include <windows.h>
#include <filesystem>
#include <set>
#include <string>
#include <vector>
#include "LocalFileIO.h"
#include "MD5.h"
#include "TestSupport.h"

namespace {

using WString = ALT::TString<wchar_t, 0, 8>;
using NameSet = ALT::TMap<WString, ALT::ALT_EMPTY_STRUCT>;

// Names with characters of the ANSI code page and beyond it (Chinese, Greek, accents).
const wchar_t* const kNames[] = {
    L"plain.jpg",
    L"Caf\x00E9 \x00E9t\x00E9.jpg",
    L"\x7167\x7247 \x65C5\x884C.png",
    L"\x03A9\x03BC\x03AD\x03B3\x03B1.txt",
};

// A fresh folder in the temporary folder for each test, removed afterwards (not with the code
// under test).
class FileIO : public testing::Test {
protected:
    std::wstring At(const std::wstring& relative) const { return m_folder.At(relative); }
    static void Put(const std::wstring& path, const std::string& data)
    {
        ASSERT_TRUE(io().WriteWholeFile(path.c_str(), data.data(), DWORD(data.size()))) << path;
    }
    static std::string Get(const std::wstring& path)
    {
        const int64_t size = io().GetPathSize(path.c_str());
        if (size < 0)
            return "<missing>";
        std::string data(size_t(size), '\0');
        if (size)
            data.resize(io().ReadWholeFile(path.c_str(), &data[0], DWORD(size)));
        return data;
    }
    static CLocalFileIO& io() { return GetLocalFileIO(); }
    std::set<std::wstring> List(const std::wstring& folder) const
    {
        std::set<std::wstring> names;
        ST_FindData data;
        if (io().FindFirst(folder.c_str(), data)) {
            do
                names.insert(data.name);
            while (io().FindNext(data));
            io().FindClose(data);
        }
        return names;
    }

    testsupport::TempFolder m_folder;
    const std::wstring m_root = m_folder.Root();
};

TEST_F(FileIO, FilesWithAnyNames)
{
    for (const wchar_t* name : kNames) {
        const std::wstring path = At(name);
        const std::string data = "content of " + std::to_string(wcslen(name));
        Put(path, data);
        EXPECT_TRUE(io().Exists(path.c_str())) << name;
        EXPECT_FALSE(io().IsDir(path.c_str())) << name;
        EXPECT_EQ(data, Get(path)) << name;
        EXPECT_EQ(int64_t(data.size()), io().GetPathSize(path.c_str())) << name;
        EXPECT_EQ(0u, io().GetAttr(path.c_str()) & FILEIO_ATTR_DIR) << name;

        char digest[33];
        MD5String(data.data(), data.size(), digest);
        WString md5;
        EXPECT_EQ(int64_t(data.size()), io().GetFileMD5(path.c_str(), md5)) << name;
        EXPECT_EQ(std::wstring(digest, digest + 32), md5.GetBuffer()) << name;
        EXPECT_EQ(std::wstring(digest, digest + 32), io().GetFileMD5Str(path.c_str()).GetBuffer()) << name;

        const std::wstring copy = At(std::wstring(L"copy of ") + name);
        EXPECT_TRUE(io().Copy(path.c_str(), copy.c_str())) << name;
        EXPECT_EQ(data, Get(copy)) << name;
        const std::wstring moved = At(std::wstring(L"moved ") + name);
        EXPECT_TRUE(io().Move(copy.c_str(), moved.c_str())) << name;
        EXPECT_FALSE(io().Exists(copy.c_str())) << name;
        EXPECT_FALSE(io().Move(path.c_str(), moved.c_str())) << "a move does not replace: " << name;

        FILETIME old = {};
        old.dwHighDateTime = 0x01D00000;
        EXPECT_TRUE(io().SetTimes(moved.c_str(), &old, nullptr, nullptr)) << name;
        FILETIME modified, created, accessed;
        EXPECT_TRUE(io().GetTimes(moved.c_str(), &modified, &created, &accessed)) << name;
        EXPECT_EQ(0, CompareFileTime(&old, &modified)) << name;
        HANDLE open = INVALID_HANDLE_VALUE;
        ASSERT_TRUE(io().Open(moved.c_str(), open, 0)) << name;
        FILETIME fromHandle = {};
        EXPECT_TRUE(io().GetHandleTime(open, &fromHandle)) << name;
        io().Close(open);
        EXPECT_EQ(0, CompareFileTime(&old, &fromHandle)) << name;
        EXPECT_TRUE(io().Touch(moved.c_str(), false)) << name;
        EXPECT_TRUE(io().GetTimes(moved.c_str(), &modified, nullptr, nullptr)) << name;
        EXPECT_EQ(1, CompareFileTime(&modified, &old)) << name;

        EXPECT_TRUE(io().Delete(moved.c_str())) << name;
        EXPECT_FALSE(io().Exists(moved.c_str())) << name;
    }
    std::set<std::wstring> expected = {L".", L".."};
    for (const wchar_t* name : kNames)
        expected.insert(name);
    EXPECT_EQ(expected, List(m_root));
}

TEST_F(FileIO, HandlesReadWriteSeekAndSize)
{
    const std::wstring path = At(kNames[2]);
    HANDLE file;
    ASSERT_TRUE(io().Create(path.c_str(), file, FILEIO_SHARE_READ));
    EXPECT_EQ(5u, io().Write(file, "hello", 5));
    EXPECT_EQ(5u, io().WriteAt(file, "HELLO", 5, 10));
    EXPECT_EQ(15, io().GetSize(file));
    EXPECT_EQ(2, io().Seek(file, 2, 0));
    EXPECT_EQ(4, io().Seek(file, 2, 1));
    EXPECT_EQ(13, io().Seek(file, -2, 2));
    EXPECT_EQ(-1, io().Seek(file, 0, 3));
    char read[8] = {};
    EXPECT_EQ(2u, io().Read(file, read, 8));
    EXPECT_STREQ("LO", read);
    EXPECT_TRUE(io().SetSize(file, 3));
    EXPECT_EQ(3, io().GetSize(file));
    EXPECT_EQ(3u, io().ReadAt(file, read, 8, 0));
    EXPECT_TRUE(io().Close(file));

    // Without the replace flag an existing file is not created again.
    EXPECT_FALSE(io().Create(path.c_str(), file, 0));
    ASSERT_TRUE(io().Create(path.c_str(), file, FILEIO_READWRITE));
    EXPECT_EQ(0, io().GetSize(file));
    io().Close(file);
    ASSERT_TRUE(io().Open(path.c_str(), file, 0));
    EXPECT_EQ(0u, io().Write(file, "x", 1)); // read only
    io().Close(file);
    EXPECT_FALSE(io().Open(At(L"missing").c_str(), file, 0));
}

TEST_F(FileIO, FoldersAndTrees)
{
    const std::wstring tree = At(L"\x65B0\x5EFA\\Caf\x00E9\\deep\\");
    EXPECT_TRUE(io().MakeDirTree(tree.c_str()));
    EXPECT_TRUE(io().IsDir(tree.c_str()));
    EXPECT_TRUE(io().MakeDirTree(tree.c_str())); // existing folders are fine
    EXPECT_FALSE(io().MakeDir(tree.c_str()));    // but MakeDir wants a new one
    EXPECT_FALSE(io().Exists(tree.c_str()));     // a folder is no file
    EXPECT_NE(0u, io().GetAttr(tree.c_str()) & FILEIO_ATTR_DIR);
    EXPECT_TRUE(io().MakeDir(At(L"a\\b\\c").c_str())); // parents first

    for (const wchar_t* name : kNames)
        Put(tree + name, "x");
    Put(At(L"\x65B0\x5EFA\\top.txt"), "top");

    const std::wstring copy = At(L"copy \x00E9");
    EXPECT_TRUE(io().CopyTree(At(L"\x65B0\x5EFA").c_str(), copy.c_str()));
    EXPECT_EQ("top", Get(copy + L"\\top.txt"));
    for (const wchar_t* name : kNames)
        EXPECT_EQ("x", Get(copy + L"\\Caf\x00E9\\deep\\" + name)) << name;
    EXPECT_FALSE(io().CopyTree(At(L"\x65B0\x5EFA").c_str(), (tree + L"inside").c_str())); // into itself

    NameSet names;
    EXPECT_EQ(1, io().GetSubFolderNames(At(L"\x65B0\x5EFA").c_str(), names));
    EXPECT_FALSE(names.Find(L"Caf\x00E9").IsEnd());

    EXPECT_TRUE(io().DeleteTree(copy.c_str(), true));
    EXPECT_TRUE(io().IsDir(copy.c_str()));
    EXPECT_EQ((std::set<std::wstring>{L".", L".."}), List(copy));
    EXPECT_TRUE(io().DeletePath(At(L"\x65B0\x5EFA\\top.txt").c_str()));
    EXPECT_TRUE(io().IsDir(At(L"\x65B0\x5EFA").c_str()));
    EXPECT_TRUE(io().DeletePath(At(L"\x65B0\x5EFA").c_str()));
    EXPECT_FALSE(io().IsDir(At(L"\x65B0\x5EFA").c_str()));
    EXPECT_FALSE(io().DeleteTree(At(L"missing").c_str(), true));
    EXPECT_TRUE(io().RemoveDir(copy.c_str()));
}

struct ScanLog {
    std::vector<std::wstring> paths;
    XSCAN_RES folderAnswer = XSCAN_CONTINUE;
    std::wstring stopAt;
};

XSCAN_RES LogEntry(CFileIO*, const wchar_t* path, unsigned long size, void* context)
{
    auto* log = static_cast<ScanLog*>(context);
    const std::wstring name = std::filesystem::path(path).filename().wstring();
    log->paths.push_back(size == 0xFFFFFFFFul ? L"[" + name + L"]" : name);
    if (name == log->stopAt)
        return XSCAN_STOP;
    return size == 0xFFFFFFFFul ? log->folderAnswer : XSCAN_CONTINUE;
}

TEST_F(FileIO, XScan)
{
    ASSERT_TRUE(io().MakeDirTree(At(L"sub\\\x7167\x7247").c_str()));
    for (const wchar_t* name : {L"a.jpg", L"b.PNG", L"c.gif", L"sub\\d.jpg", L"sub\\\x7167\x7247\\e.png"})
        Put(At(name), "data");

    ScanLog all;
    EXPECT_EQ(5, io().XScan(m_root.c_str(), LogEntry, &all, true, nullptr, false));
    EXPECT_EQ(5u, all.paths.size());

    ScanLog pictures;
    EXPECT_EQ(4, io().XScan(At(L"*.jpg;*.png").c_str(), LogEntry, &pictures, true, nullptr, false));
    EXPECT_EQ((std::set<std::wstring>{L"a.jpg", L"b.PNG", L"d.jpg", L"e.png"}),
              std::set<std::wstring>(pictures.paths.begin(), pictures.paths.end()));

    ScanLog skipFolders;
    skipFolders.folderAnswer = XSCAN_SKIP;
    EXPECT_EQ(3, io().XScan(m_root.c_str(), LogEntry, &skipFolders, true, nullptr, true));
    EXPECT_EQ((std::set<std::wstring>{L"a.jpg", L"b.PNG", L"c.gif", L"[sub]"}),
              std::set<std::wstring>(skipFolders.paths.begin(), skipFolders.paths.end()));

    ScanLog stopping;
    stopping.stopAt = L"d.jpg";
    int stop = 0;
    io().XScan(At(L"sub").c_str(), LogEntry, &stopping, true, &stop, true);
    EXPECT_EQ(1, stop);
    EXPECT_EQ(L"d.jpg", stopping.paths.back()); // nothing after the stop

    ScanLog single;
    EXPECT_EQ(1, io().XScan(At(L"a.jpg").c_str(), LogEntry, &single, true, nullptr, false));
    EXPECT_EQ(std::vector<std::wstring>{L"a.jpg"}, single.paths);
    EXPECT_EQ(5, io().XScan(m_root.c_str(), nullptr, nullptr, true, nullptr, true));
    EXPECT_EQ(0, io().XScan(At(L"missing").c_str(), LogEntry, &single, true, nullptr, false));
}

TEST_F(FileIO, SizeTexts)
{
    struct Case {
        int64_t size;
        const wchar_t* formatSize;
        const wchar_t* fileSize;
    };
    const int64_t kMiB = 1 << 20, kGiB = int64_t(1) << 30;
    const Case cases[] = {
        {0, L"<1K", L"0"},
        {100, L"<1K", L"1K"},
        {1536, L"1K", L"1K"},
        {kMiB, L"1.00M", L"1.00M"},
        {kMiB + kMiB / 2, L"1.50M", L"1.50M"},
        {kGiB, L"1024.00M", L"1.00G"},
        {kGiB + kMiB, L"1.00G", L"1.00G"},
        {5 * kGiB, L"5.00G", L"5.00G"},
    };
    for (const Case& c : cases) {
        wchar_t text[256] = L"#";
        EXPECT_EQ(int(wcslen(c.formatSize)), io().FormatSize(c.size, text, 256)) << c.size;
        EXPECT_STREQ(c.formatSize, text) << c.size;
        FormatFileSize(c.size, text);
        EXPECT_STREQ(c.fileSize, text) << c.size;
    }
    wchar_t tight[4] = L"#";
    EXPECT_EQ(0, io().FormatSize(kMiB, tight, 4));
    EXPECT_STREQ(L"", tight);

    Put(At(L"k.bin"), std::string(2048, 'k'));
    wchar_t text[32];
    EXPECT_EQ(2048, io().FormatPathSize(At(L"k.bin").c_str(), text, 32));
    EXPECT_STREQ(L"2K", text);
    EXPECT_EQ(-1, io().FormatPathSize(At(L"missing").c_str(), text, 32));
    EXPECT_STREQ(L"", text);
}

TEST_F(FileIO, DrivesAndRoots)
{
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring drive(windows, 2);
    EXPECT_TRUE(io().IsDir((drive + L"\\").c_str()));
    EXPECT_TRUE(io().IsDir(drive.c_str()));
    const int64_t capacity = io().GetPathSize(drive.c_str());
    EXPECT_GT(capacity, 0);
    EXPECT_EQ(capacity, io().GetPathSize((drive + L"\\").c_str()));

    // A drive letter that is not mapped.
    const DWORD drives = GetLogicalDrives();
    wchar_t missing = 0;
    for (wchar_t letter = L'Z'; letter > L'D' && !missing; --letter)
        if (!(drives & (1u << (letter - L'A'))))
            missing = letter;
    ASSERT_NE(0, missing);
    const std::wstring root = std::wstring(1, missing) + L":\\";
    EXPECT_FALSE(io().IsDir(root.c_str()));
    EXPECT_FALSE(io().MakeDirTree((root + L"new\\folder").c_str()));
    EXPECT_EQ(-1, io().GetPathSize(root.substr(0, 2).c_str()));
    EXPECT_FALSE(io().IsDir((root + L"folder").c_str()));
}

// Paths too long for Windows fail cleanly, and a tree that cannot be made whole is not begun.
TEST_F(FileIO, OverlongPaths)
{
    std::wstring longFolder = m_root;
    while (longFolder.size() < MAX_PATH + 20)
        longFolder += L"\\abcdefghij";
    const std::wstring longFile = longFolder + L"\\f.txt";
    HANDLE file;
    EXPECT_FALSE(io().Create(longFile.c_str(), file, FILEIO_READWRITE));
    EXPECT_FALSE(io().Open(longFile.c_str(), file, 0));
    EXPECT_FALSE(io().WriteWholeFile(longFile.c_str(), "x", 1));
    EXPECT_EQ(0u, io().ReadWholeFile(longFile.c_str(), &file, 1));
    EXPECT_EQ(FILEIO_ATTR_INVALID, io().GetAttr(longFile.c_str()));
    EXPECT_EQ(-1, io().GetPathSize(longFile.c_str()));
    EXPECT_FALSE(io().Exists(longFile.c_str()));
    EXPECT_FALSE(io().MakeDirTree(longFolder.c_str()));
    EXPECT_FALSE(io().IsDir(At(L"abcdefghij").c_str()));
    ST_FindData data;
    EXPECT_FALSE(io().FindFirst((longFolder + L"\\*").c_str(), data));
    EXPECT_STREQ(L"", data.name);
}

TEST_F(FileIO, ReadOnlyAndLockedFiles)
{
    const std::wstring readOnly = At(L"r\x00E9" L"ad-only.txt");
    Put(readOnly, "keep");
    ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(0u, io().GetAttr(readOnly.c_str()) & FILEIO_ATTR_READONLY);
    EXPECT_FALSE(io().Delete(readOnly.c_str()));
    EXPECT_FALSE(io().WriteWholeFile(readOnly.c_str(), "new", 3));
    EXPECT_EQ("keep", Get(readOnly));

    const std::wstring locked = At(L"\x9501.txt");
    Put(locked, "locked");
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    HANDLE file;
    EXPECT_FALSE(io().Open(locked.c_str(), file, 0));
    EXPECT_FALSE(io().Delete(locked.c_str()));
    WString md5(L"stale");
    EXPECT_EQ(0, io().GetFileMD5(locked.c_str(), md5));
    EXPECT_EQ(nullptr, md5.GetBuffer());
    Put(At(L"other.txt"), "other");
    // The other file goes; the answer tells that the folder is not empty.
    EXPECT_FALSE(io().DeleteTree(m_root.c_str(), true));
    EXPECT_FALSE(io().Exists(At(L"other.txt").c_str()));
    CloseHandle(holder);

    // A copy that cannot write its target is a failed copy, also inside a tree.
    ASSERT_TRUE(io().MakeDirTree(At(L"src").c_str()));
    ASSERT_TRUE(io().MakeDirTree(At(L"dst").c_str()));
    Put(At(L"src\\r.txt"), "new");
    Put(At(L"dst\\r.txt"), "old");
    ASSERT_TRUE(SetFileAttributesW(At(L"dst\\r.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(io().CopyTree(At(L"src\\r.txt").c_str(), At(L"dst\\r.txt").c_str()));
    EXPECT_FALSE(io().CopyTree(At(L"src").c_str(), At(L"dst").c_str()));
    EXPECT_EQ("old", Get(At(L"dst\\r.txt")));
}

// A file store that writes only half of what it is given.
class ShortWriteIO : public CLocalFileIO {
public:
    DWORD WriteAt(HANDLE handle, const void* buffer, DWORD count, int64_t offset) override
    {
        return CLocalFileIO::WriteAt(handle, buffer, count / 2, offset);
    }
};

TEST_F(FileIO, WholeFileWritesAllOrNothing)
{
    const std::wstring path = At(L"\x00E9tat.ini");
    Put(path, "old contents");
    ShortWriteIO shortWrites;
    EXPECT_FALSE(shortWrites.WriteWholeFile(path.c_str(), "new contents", 12));
    EXPECT_EQ("old contents", Get(path));
    EXPECT_EQ((std::set<std::wstring>{L".", L"..", L"\x00E9tat.ini"}), List(m_root)); // no temporary left

    Put(path, "new contents");
    EXPECT_EQ("new contents", Get(path));
    Put(path, "");
    EXPECT_EQ("", Get(path));
    EXPECT_FALSE(io().WriteWholeFile(At(L"missing\\x.txt").c_str(), "x", 1));

    char buffer[32] = {};
    Put(path, "whole");
    EXPECT_EQ(5u, io().ReadWholeFile(path.c_str(), buffer, 0));
    EXPECT_STREQ("whole", buffer);
    EXPECT_EQ(3u, io().ReadWholeFile(path.c_str(), buffer, 3));

    WString md5(L"stale");
    Put(path, "");
    EXPECT_EQ(0, io().GetFileMD5(path.c_str(), md5));
    EXPECT_EQ(nullptr, md5.GetBuffer());
}

// Records what MakeDirTree asks of the file store: nothing exists, everything can be made.
class RecordingIO : public CFileIO {
public:
    bool MakeDir(const wchar_t* path) override
    {
        made.push_back(path);
        return true;
    }
    std::vector<std::wstring> made;
};

TEST(FileIOTree, MakeDirTreeSkipsTheServerPrefix)
{
    RecordingIO io;
    EXPECT_TRUE(io.MakeDirTree(L"\\\\server\\share\\a\\b"));
    EXPECT_EQ((std::vector<std::wstring>{L"\\\\server\\share", L"\\\\server\\share\\a", L"\\\\server\\share\\a\\b"}), io.made);
    io.made.clear();
    EXPECT_TRUE(io.MakeDirTree(L"C:\\x\\y"));
    EXPECT_EQ((std::vector<std::wstring>{L"C:", L"C:\\x", L"C:\\x\\y"}), io.made);
    EXPECT_FALSE(io.MakeDirTree(L""));
}

TEST(FileIOBase, PrimitivesFailInTheInterface)
{
    CFileIO io;
    HANDLE handle;
    EXPECT_FALSE(io.Open(L"x", handle, 0));
    EXPECT_EQ(FILEIO_ATTR_INVALID, io.GetAttr(L"x"));
    ST_FindData data;
    data.name[0] = L'x';
    EXPECT_FALSE(io.FindFirst(L"x", data));
    EXPECT_STREQ(L"", data.name);
    EXPECT_FALSE(io.Exists(L"x"));
    EXPECT_EQ(-1, io.GetPathSize(L"x"));
}

TEST(CodePage, Conversions)
{
    char narrow[16];
    EXPECT_EQ(5, WideToAnsi(L"plain", narrow, 16));
    EXPECT_STREQ("plain", narrow);
    wchar_t wide[16];
    EXPECT_EQ(5, AnsiToWide("plain", wide, 16));
    EXPECT_STREQ(L"plain", wide);

    char tight[3] = "##";
    EXPECT_EQ(0, WideToAnsi(L"too long", tight, 3));
    EXPECT_STREQ("", tight);
    wchar_t tightWide[3] = L"##";
    EXPECT_EQ(0, AnsiToWide("too long", tightWide, 3));
    EXPECT_STREQ(L"", tightWide);
    EXPECT_EQ(0, WideToAnsi(nullptr, narrow, 16));
    EXPECT_STREQ("", narrow);
}

} // namespace
