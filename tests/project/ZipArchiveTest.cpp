#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>
#include <shlobj.h>
#include <zlib.h>
#include "TestSupport.h"
#include "ZipArchive.h"

namespace {

using testsupport::TempFolder;

const int kUtf8 = 2048;
// 2021-06-15 10:20:30, local time, as zip stores it.
const uLong kDosDate = (uLong((2021 - 1980) << 9 | 6 << 5 | 15) << 16) | (10 << 11 | 20 << 5 | 30 / 2);
const uLong kOtherDosDate = (uLong((2019 - 1980) << 9 | 2 << 5 | 3) << 16) | (4 << 11 | 5 << 5 | 6 / 2);

// One entry as the test writes it with minizip. raw: data is already deflated (or stored) and the
// header gets statedSize and crc, true or not.
struct Entry {
    std::string name;
    std::string data;
    int flag = kUtf8;
    int method = Z_DEFLATED;
    uLong dosDate = kDosDate;
    bool raw = false;
    uLong statedSize = 0;
    uLong crc = 0;
};

uLong Crc(const std::string& data)
{
    return crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()));
}

std::string RawDeflate(const std::string& data)
{
    z_stream stream = {};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, uLong(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

bool WriteArchive(const std::wstring& path, const std::vector<Entry>& entries)
{
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    zipFile archive = zipOpen2_64(path.c_str(), APPEND_STATUS_CREATE, nullptr, &io);
    if (!archive)
        return false;
    bool ok = true;
    for (const Entry& entry : entries) {
        zip_fileinfo info = {};
        info.dosDate = entry.dosDate;
        ok = ok && zipOpenNewFileInZip4_64(archive, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                           entry.method, 9, entry.raw, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0,
                                           0, entry.flag, 0) == ZIP_OK;
        ok = ok && zipWriteInFileInZip(archive, entry.data.data(), unsigned(entry.data.size())) == ZIP_OK;
        ok = ok && (entry.raw ? zipCloseFileInZipRaw64(archive, entry.statedSize, entry.crc)
                              : zipCloseFileInZip(archive)) == ZIP_OK;
    }
    return zipClose(archive, nullptr) == ZIP_OK && ok;
}

struct StoredEntry {
    std::string name;
    uLong flag;
    uLong method;
    uLong dosDate;
};

std::vector<StoredEntry> ReadEntries(const std::wstring& path)
{
    std::vector<StoredEntry> entries;
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    unzFile archive = unzOpen2_64(path.c_str(), &io);
    if (!archive)
        return entries;
    for (int step = unzGoToFirstFile(archive); step == UNZ_OK; step = unzGoToNextFile(archive)) {
        unz_file_info64 info;
        char name[1024];
        if (unzGetCurrentFileInfo64(archive, &info, name, sizeof(name), nullptr, 0, nullptr, 0) == UNZ_OK)
            entries.push_back({name, info.flag, info.compression_method, info.dosDate});
    }
    unzClose(archive);
    return entries;
}

uLong DosDateOf(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    FILETIME written, local;
    WORD date = 0, time = 0;
    if (file != INVALID_HANDLE_VALUE) {
        if (GetFileTime(file, nullptr, nullptr, &written) && FileTimeToLocalFileTime(&written, &local))
            FileTimeToDosDateTime(&local, &date, &time);
        CloseHandle(file);
    }
    return (uLong(date) << 16) | time;
}

bool SetDosDate(const std::wstring& path, uLong dosDate)
{
    FILETIME local, stamp;
    if (!DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local) || !LocalFileTimeToFileTime(&local, &stamp))
        return false;
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool set = SetFileTime(file, nullptr, nullptr, &stamp);
    CloseHandle(file);
    return set;
}

// Names in a folder, sorted; {"<absent>"} when it does not exist.
std::vector<std::wstring> List(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return {L"<absent>"};
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring OutDir()
{
    const std::wstring out = testsupport::BinDir() + L"\\..\\out";
    CreateDirectoryW(out.c_str(), nullptr);
    return out;
}

TEST(ZipArchive, EmptyFolderRoundTrip)
{
    TempFolder temp;
    const std::wstring source = temp.At(L"empty");
    ASSERT_TRUE(CreateDirectoryW(source.c_str(), nullptr));
    const std::wstring archive = temp.At(L"empty.zip");
    ASSERT_TRUE(ZipFolder((source + L"\\*.*").c_str(), archive.c_str()));
    EXPECT_TRUE(ReadEntries(archive).empty());
    const std::wstring target = temp.At(L"target");
    ASSERT_TRUE(UnzipToFolder(archive.c_str(), target.c_str()));
    EXPECT_TRUE(List(target).empty());
}

// Names beyond the ANSI code page, in the tree and in the archive's own path.
TEST(ZipArchive, NestedFolderRoundTrip)
{
    const struct {
        const wchar_t* folder;
        const wchar_t* file;
        const wchar_t* archive;
        const char* folderEntry; // UTF-8
        const char* fileEntry;
    } cases[] = {
        {L"a\\b", L"c.txt", L"folder.zip", "a/b/", "a/b/c.txt"},
        {L"\x4E2D\x6587\\b", L"\xD83D\xDE00.txt", L"\x9879\x76EE\xD83D\xDE00.zip", "\xE4\xB8\xAD\xE6\x96\x87/b/",
         "\xE4\xB8\xAD\xE6\x96\x87/b/\xF0\x9F\x98\x80.txt"},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const std::wstring source = temp.At(L"source");
        const std::wstring folder = source + L"\\" + c.folder;
        ASSERT_EQ(SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr), ERROR_SUCCESS);
        const std::wstring file = folder + L"\\" + c.file;
        const std::string content(10000, 'x');
        ASSERT_TRUE(TempFolder::Put(file, content));
        ASSERT_TRUE(SetDosDate(file, kDosDate));
        const std::wstring archive = temp.At(c.archive);
        ASSERT_TRUE(ZipFolder((source + L"\\*.*").c_str(), archive.c_str()));

        const std::string top = std::string(c.folderEntry).substr(0, std::string(c.folderEntry).find('/') + 1);
        const std::vector<StoredEntry> entries = ReadEntries(archive);
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(entries[0].name, top);
        EXPECT_EQ(entries[1].name, c.folderEntry);
        EXPECT_EQ(entries[2].name, c.fileEntry);
        for (const StoredEntry& entry : entries) {
            EXPECT_EQ(entry.flag & kUtf8, uLong(kUtf8)) << entry.name;
            EXPECT_EQ(entry.flag & 2, 2u) << entry.name; // maximum compression
            EXPECT_EQ(entry.method, uLong(Z_DEFLATED)) << entry.name;
        }
        EXPECT_EQ(entries[2].dosDate, kDosDate);

        const std::wstring target = temp.At(L"target");
        ASSERT_TRUE(UnzipToFolder(archive.c_str(), target.c_str()));
        const std::wstring extracted = target + L"\\" + c.folder + L"\\" + c.file;
        EXPECT_EQ(TempFolder::Get(extracted), content);
        EXPECT_EQ(DosDateOf(extracted), kDosDate);
        if (c.archive == std::wstring(L"folder.zip")) {
            const std::wstring shown = OutDir() + L"\\folder.zip";
            DeleteFileW(shown.c_str());
            EXPECT_TRUE(CopyFileW(archive.c_str(), shown.c_str(), FALSE));
        }
    }
}

TEST(ZipArchive, EntryNamesInTheAnsiCodePage)
{
    TempFolder temp;
    const std::wstring name = L"caf\x00E9.txt";
    const std::string ansi = WideToMultiByte(name, CP_ACP);
    if (ansi.empty() || MultiByteToWide(ansi, CP_UTF8) == name)
        GTEST_SKIP() << "the ANSI code page holds no such name apart from UTF-8";
    const std::wstring file = temp.At(name);
    ASSERT_TRUE(TempFolder::Put(file, "ansi"));
    const std::wstring archive = temp.At(L"ansi.zip");
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    zipFile zip = zipOpen2_64(archive.c_str(), APPEND_STATUS_CREATE, nullptr, &io);
    ASSERT_NE(zip, nullptr);
    EXPECT_TRUE(ZipAddFile(zip, name.c_str(), file.c_str(), false));
    ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
    const std::vector<StoredEntry> entries = ReadEntries(archive);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, ansi);
    EXPECT_EQ(entries[0].flag & kUtf8, 0u);

    const std::wstring target = temp.At(L"target");
    ASSERT_TRUE(UnzipToFolder(archive.c_str(), target.c_str()));
    EXPECT_EQ(TempFolder::Get(target + L"\\" + name), "ansi");
}

// Later entries of the same name replace earlier ones and take their own times; stored entries
// are read as deflated ones are.
TEST(ZipArchive, ExtractionReplacesFilesAndSetsStoredTimes)
{
    TempFolder temp;
    const std::wstring archive = temp.At(L"twice.zip");
    Entry first{"x.txt", "one"};
    first.dosDate = kOtherDosDate;
    Entry second{"x.txt", "second"};
    second.method = 0;
    Entry folderEntry{"d/", ""};
    Entry inFolder{"d/y.txt", "why"};
    inFolder.dosDate = kOtherDosDate;
    ASSERT_TRUE(WriteArchive(archive, {first, second, folderEntry, inFolder}));
    const std::wstring target = temp.At(L"target");
    ASSERT_TRUE(UnzipToFolder(archive.c_str(), target.c_str()));
    EXPECT_EQ(TempFolder::Get(target + L"\\x.txt"), "second");
    EXPECT_EQ(DosDateOf(target + L"\\x.txt"), kDosDate);
    EXPECT_EQ(TempFolder::Get(target + L"\\d\\y.txt"), "why");
    EXPECT_EQ(DosDateOf(target + L"\\d\\y.txt"), kOtherDosDate);

    // The destination is always a fresh folder.
    EXPECT_FALSE(UnzipToFolder(archive.c_str(), target.c_str()));
    EXPECT_EQ(TempFolder::Get(target + L"\\x.txt"), "second");
}

// Names that a careless join would put outside the folder or onto a device, and damaged or
// oversized archives. A good entry comes first, so that what was written must be removed.
TEST(ZipArchive, HostileArchivesAreRefusedWhole)
{
    const std::string bomb(2 << 20, '\0');
    const std::string text(5000, 'a');
    const auto raw = [](const std::string& name, const std::string& data, int method, uLong statedSize, uLong crc) {
        Entry entry{name, data};
        entry.method = method;
        entry.raw = true;
        entry.statedSize = statedSize;
        entry.crc = crc;
        return entry;
    };
    Entry ansiEscape{"..\\evil.txt", "x"};
    ansiEscape.flag = 0;
    UnzipLimits small;
    small.maxEntryBytes = 1 << 20;
    small.maxTotalBytes = 3 << 20;
    const struct {
        const char* what;
        std::vector<Entry> entries;
        UnzipLimits limits;
    } cases[] = {
        {"parent", {{"../evil.txt", "x"}}, {}},
        {"parent inside", {{"a/../../evil.txt", "x"}}, {}},
        {"parent with backslash", {{"a\\..\\..\\evil.txt", "x"}}, {}},
        {"parent in the ANSI code page", {ansiEscape}, {}},
        {"parent as a folder", {{"../", ""}}, {}},
        {"current", {{"./evil.txt", "x"}}, {}},
        {"rooted", {{"/evil.txt", "x"}}, {}},
        {"rooted with backslash", {{"\\evil.txt", "x"}}, {}},
        {"network", {{"\\\\server\\share\\evil.txt", "x"}}, {}},
        {"drive", {{"C:/evil.txt", "x"}}, {}},
        {"drive relative", {{"C:evil.txt", "x"}}, {}},
        {"alternate stream", {{"good.txt:stream", "x"}}, {}},
        {"device", {{"CON", "x"}}, {}},
        {"device with extension", {{"a/nul.txt", "x"}}, {}},
        {"numbered device", {{"COM1", "x"}}, {}},
        {"printer device", {{"lpt9.log", "x"}}, {}},
        {"control character", {{"a\x01" "b.txt", "x"}}, {}},
        {"segment ending in a dot", {{"dir./evil.txt", "x"}}, {}},
        {"segment ending in a blank", {{"dir /evil.txt", "x"}}, {}},
        {"empty segment", {{"a//evil.txt", "x"}}, {}},
        {"name of 300 bytes", {{std::string(300, 'n'), "x"}}, {}},
        {"joined path too long", {{std::string(120, 'n') + "/" + std::string(120, 'n') + "/" + std::string(15, 'n'), "x"}}, {}},
        {"invalid UTF-8", {{"bad\xC3(.txt", "x"}}, {}},
        {"deflate bomb", {{"bomb.bin", bomb}}, small},
        {"total beyond the cap", {{"1.bin", std::string(900 << 10, 'z')}, {"2.bin", std::string(900 << 10, 'z')}, {"3.bin", std::string(900 << 10, 'z')}, {"4.bin", std::string(900 << 10, 'z')}}, small},
        {"understated size", {raw("short.txt", RawDeflate(text), Z_DEFLATED, 100, Crc(text))}, {}},
        {"bad CRC", {raw("crc.txt", "stored", 0, 6, Crc("stored") ^ 1)}, {}},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const std::wstring archive = temp.At(L"hostile.zip");
        std::vector<Entry> entries = {{"good.txt", "fine"}};
        entries.insert(entries.end(), c.entries.begin(), c.entries.end());
        ASSERT_TRUE(WriteArchive(archive, entries)) << c.what;
        EXPECT_FALSE(UnzipToFolder(archive.c_str(), temp.At(L"target").c_str(), c.limits)) << c.what;
        EXPECT_EQ(List(temp.Root()), std::vector<std::wstring>{L"hostile.zip"}) << c.what;
    }
}

TEST(ZipArchive, TooManyEntries)
{
    TempFolder temp;
    const std::wstring archive = temp.At(L"many.zip");
    std::vector<Entry> entries(10001);
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].name = std::to_string(i);
        entries[i].method = 0;
    }
    ASSERT_TRUE(WriteArchive(archive, entries));
    EXPECT_FALSE(UnzipToFolder(archive.c_str(), temp.At(L"target").c_str()));
    EXPECT_EQ(List(temp.Root()), std::vector<std::wstring>{L"many.zip"});
    entries.pop_back();
    ASSERT_TRUE(WriteArchive(archive, entries));
    EXPECT_TRUE(UnzipToFolder(archive.c_str(), temp.At(L"target").c_str()));
}

TEST(ZipArchive, DamagedArchives)
{
    TempFolder temp;
    const std::wstring archive = temp.At(L"damaged.zip");
    ASSERT_TRUE(WriteArchive(archive, {{"a.txt", std::string(3000, 'a')}, {"b.txt", "b"}}));
    const std::string whole = TempFolder::Get(archive);
    const std::string damaged[] = {
        whole.substr(0, whole.size() / 2),
        whole.substr(0, whole.size() - 10),
        "PK\x05\x06",
        "",
    };
    for (const std::string& bytes : damaged) {
        ASSERT_TRUE(TempFolder::Put(archive, bytes));
        EXPECT_FALSE(UnzipToFolder(archive.c_str(), temp.At(L"target").c_str())) << bytes.size();
        EXPECT_EQ(List(temp.Root()), std::vector<std::wstring>{L"damaged.zip"}) << bytes.size();
    }
    EXPECT_FALSE(UnzipToFolder(temp.At(L"missing.zip").c_str(), temp.At(L"target").c_str()));
}

TEST(ZipArchive, FailedZipLeavesNoArchive)
{
    TempFolder temp;
    const std::wstring archive = temp.At(L"out.zip");
    ASSERT_TRUE(TempFolder::Put(archive, "old"));
    EXPECT_FALSE(ZipFolder(temp.At(L"missing\\*.*").c_str(), archive.c_str()));
    EXPECT_EQ(GetFileAttributesW(archive.c_str()), INVALID_FILE_ATTRIBUTES);

    // A file that cannot be read ends the walk.
    const std::wstring source = temp.At(L"source");
    ASSERT_TRUE(CreateDirectoryW(source.c_str(), nullptr));
    ASSERT_TRUE(TempFolder::Put(source + L"\\locked.txt", "x"));
    HANDLE locked = CreateFileW((source + L"\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ZipFolder((source + L"\\*.*").c_str(), archive.c_str()));
    CloseHandle(locked);
    EXPECT_EQ(GetFileAttributesW(archive.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ZipArchive, SafeNamesPass)
{
    const char* const names[] = {"a.b/c d.txt", "CONTENT.txt", "COM10", "nul_x.txt", ".hidden", "a..b.txt",
                                 "\xE4\xB8\xAD/\xF0\x9F\x98\x80"};
    TempFolder temp;
    const std::wstring archive = temp.At(L"safe.zip");
    std::vector<Entry> entries;
    for (const char* name : names)
        entries.push_back({name, "ok"});
    ASSERT_TRUE(WriteArchive(archive, entries));
    ASSERT_TRUE(UnzipToFolder(archive.c_str(), temp.At(L"target").c_str()));
    for (const char* name : names) {
        std::wstring path = temp.At(L"target\\" + MultiByteToWide(name, CP_UTF8));
        std::replace(path.begin(), path.end(), L'/', L'\\');
        EXPECT_EQ(TempFolder::Get(path), "ok") << name;
    }
}

} // namespace
