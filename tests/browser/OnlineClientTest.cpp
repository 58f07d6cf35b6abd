// The online client against a loopback server: the directory and its cache, the file-list pages,
// the mirrored cache folders, and answers of a server that tries to do harm.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <string>
#include <vector>
#include "LoopbackHttpServer.h"
#include "LumivoShowsClient.h"
#include "LumivoShowsClientUI.h"
#include "TestSupport.h"

namespace {

using testsupport::HttpFile;
using testsupport::TempFolder;

// Backdates a file's times, so that the age test sees it that old.
void AgeFile(const std::wstring& path, int hours)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER value;
    value.LowPart = now.dwLowDateTime;
    value.HighPart = now.dwHighDateTime;
    value.QuadPart -= uint64_t(hours) * 3600 * 10000000;
    FILETIME then = {value.LowPart, value.HighPart};
    SetFileTime(file, &then, &then, &then);
    CloseHandle(file);
}

// Writes a file, making its folders first.
bool PutFile(const std::wstring& path, const std::string& bytes)
{
    for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
        CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    return TempFolder::Put(path, bytes);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Pictures(const std::vector<std::string>& names)
{
    std::string text = "<FileList>";
    for (const std::string& name : names)
        text += "<P Path=\"A/" + name + "\" Name=\"" + name + "\" Width=\"40\" Height=\"30\" SizeS=\"1\" SizeM=\"2\" "
                "SizeL=\"3\" SizeF=\"4\"/>";
    return text + "</FileList>";
}

// Records what the client tells the program.
class RecordingUI : public CLumivoClientUI {
public:
    int SetTitle(const wchar_t*) override { return 1; }
    void OnUpdateBegin() override { ++begun; }
    void OnUpdateEnd() override { ++ended; }
    void ShowFolder(const wchar_t*) override { ++shown; }
    void OnDirectoryUpdated() override { ++updated; }
    std::atomic<int> begun{0}, ended{0}, shown{0}, updated{0};
};

class OnlineClientTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Start());
        const std::string url = server.Url("/");
        client.SetServerUrl(std::wstring(url.begin(), url.end()).c_str());
        client.SetLocalFolder(cache.Root().c_str());
        client.SetUserAgent("Kelquay/1.00");
    }
    void Serve(const std::string& target, const std::string& text)
    {
        HttpFile file;
        file.body = std::make_shared<const std::string>(text);
        server.ServeFile(target, file);
    }
    std::wstring Dir(const std::wstring& relative = L"") const
    {
        return relative.empty() ? cache.At(L"Dir") : cache.At(L"Dir\\" + relative);
    }
    std::vector<std::string> Targets() const
    {
        std::vector<std::string> targets;
        for (const auto& request : server.Requests())
            targets.push_back(request.target);
        return targets;
    }
    std::vector<std::wstring> FileNames(const std::wstring& folder)
    {
        std::lock_guard<std::recursive_mutex> lock(client.Lock());
        std::vector<std::wstring> names;
        if (PicDirFolder* found = client.FindFolder(folder))
            for (const PicDirFile& file : found->vecFiles)
                names.push_back(file.strName.GetString());
        return names;
    }
    bool HasFolder(const std::wstring& path)
    {
        std::lock_guard<std::recursive_mutex> lock(client.Lock());
        return client.FindFolder(path) != nullptr;
    }
    struct CopyCase {
        const wchar_t* name;
        bool cached;
    };
    // The names asked for many at once and one at a time: both answer as the cases say, or
    // none cached with noneCached.
    void ExpectLocalCopies(const std::vector<CopyCase>& cases, bool noneCached = false)
    {
        std::vector<const wchar_t*> names;
        for (const CopyCase& c : cases)
            names.push_back(c.name);
        const std::vector<bool> cached = client.HasLocalCopies(names);
        ASSERT_EQ(cached.size(), names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            const bool expected = cases[i].cached && !noneCached;
            EXPECT_EQ(cached[i], expected) << cases[i].name;
            EXPECT_EQ(client.HasLocalCopy(cases[i].name), expected) << cases[i].name;
        }
    }

    TempFolder cache;
    testsupport::LoopbackHttpServer server;
    CLumivoShowsClient client;
};

TEST_F(OnlineClientTest, FreshCachedDirectoryIsReadWithoutRequestUnlessForced)
{
    ASSERT_TRUE(PutFile(Dir(L"PicDir.xml"), "<Root><F Name=\"Cached\"/></Root>"));
    AgeFile(Dir(L"PicDir.xml"), 1);
    Serve("/PicDir.xml", "<Root><F Name=\"Served\"/></Root>");

    EXPECT_TRUE(client.RefreshDirectoryList(0));
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 0);
    EXPECT_TRUE(HasFolder(L"Cached"));

    EXPECT_TRUE(client.RefreshDirectoryList(ONLINE_FORCE_FETCH));
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 1);
    EXPECT_TRUE(HasFolder(L"Served"));
    EXPECT_FALSE(HasFolder(L"Cached"));

    // A day old, the copy is fetched again without being asked.
    AgeFile(Dir(L"PicDir.xml"), 25);
    EXPECT_TRUE(client.RefreshDirectoryList(0));
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 2);
}

TEST_F(OnlineClientTest, PagesAreReadNewestFirst)
{
    struct Case {
        int pages;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {3, {"/PicDir.xml", "/A/FileList2.xml", "/A/FileList1.xml", "/A/FileList.xml"}},
        {1, {"/PicDir.xml", "/A/FileList.xml"}},
        {0, {"/PicDir.xml"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        TempFolder caseCache;
        testsupport::LoopbackHttpServer caseServer;
        ASSERT_TRUE(caseServer.Start());
        HttpFile directory;
        directory.body = std::make_shared<const std::string>("<Root><F Name=\"A\" FLC=\"" + std::to_string(c.pages) +
                                                             "\"/></Root>");
        caseServer.ServeFile("/PicDir.xml", directory);
        for (const char* page : {"/A/FileList.xml", "/A/FileList1.xml", "/A/FileList2.xml"}) {
            HttpFile list;
            list.body = std::make_shared<const std::string>(Pictures({std::string(page + 3)}));
            caseServer.ServeFile(page, list);
        }
        CLumivoShowsClient caseClient;
        const std::string url = caseServer.Url("/");
        caseClient.SetServerUrl(std::wstring(url.begin(), url.end()).c_str());
        caseClient.SetLocalFolder(caseCache.Root().c_str());

        EXPECT_TRUE(caseClient.LoadFileList(caseCache.At(L"Dir\\A").c_str(), kOnlineOpenAll, 0));
        std::vector<std::string> targets;
        for (const auto& request : caseServer.Requests())
            targets.push_back(request.target);
        EXPECT_EQ(targets, c.expected);
    }
}

TEST_F(OnlineClientTest, RereadingTheNewestPageStartsTheListAgainInOrder)
{
    Serve("/PicDir.xml", "<Root><F Name=\"A\" FLC=\"2\"/></Root>");
    Serve("/A/FileList1.xml", Pictures({"n1", "n2"}));
    Serve("/A/FileList.xml", Pictures({"o1", "o2"}));
    const std::vector<std::wstring> expected = {L"n1", L"n2", L"o1", L"o2"};

    ASSERT_TRUE(client.LoadFileList(Dir(L"A").c_str(), 2, 0));
    EXPECT_EQ(FileNames(L"A"), expected);
    ASSERT_TRUE(client.LoadFileList(Dir(L"A").c_str(), 2, 0));
    EXPECT_EQ(FileNames(L"A"), expected);

    // One more page than the folder has changes nothing.
    ASSERT_TRUE(client.LoadFileList(nullptr, 3, 0));
    EXPECT_EQ(FileNames(L"A"), expected);
    EXPECT_EQ(client.GetPagesLoaded(), 2);
}

TEST_F(OnlineClientTest, FolderOpensWithCachedPagesAndAtLeastAHundredPictures)
{
    Serve("/PicDir.xml", "<Root><F Name=\"A\" FLC=\"5\"/></Root>");
    for (int page = 0; page < 5; ++page) {
        std::vector<std::string> names;
        for (int i = 0; i < 50; ++i)
            names.push_back("p" + std::to_string(page) + "_" + std::to_string(i));
        Serve(page ? "/A/FileList" + std::to_string(page) + ".xml" : "/A/FileList.xml", Pictures(names));
    }
    ASSERT_TRUE(client.LoadFileList(Dir(L"A").c_str(), kOnlineOpenAll, 0));
    EXPECT_EQ(FileNames(L"A").size(), 100u);
    EXPECT_EQ(client.GetPagesLoaded(), 2);

    // "Download More": one page more each time, down to the last.
    for (int pages = 3; pages <= 5; ++pages) {
        ASSERT_TRUE(client.LoadFileList(nullptr, client.GetPagesLoaded() + 1, 0));
        EXPECT_EQ(FileNames(L"A").size(), size_t(pages * 50));
    }
    EXPECT_EQ(FileNames(L"A").back(), L"p0_49");

    // Now every page is cached: opening again reads them all, with no request.
    const size_t before = server.Requests().size();
    ASSERT_TRUE(client.LoadFileList(Dir(L"A").c_str(), kOnlineOpenAll, 0));
    EXPECT_EQ(FileNames(L"A").size(), 250u);
    EXPECT_EQ(server.Requests().size(), before);
}

TEST_F(OnlineClientTest, CachedPagesAreFiledNewestFirstAndStopAtAnUnreadableOne)
{
    Serve("/PicDir.xml", "<Root><F Name=\"A\" FLC=\"6\"/></Root>");
    std::vector<std::wstring> expected;
    for (int page = 5; page >= 0; --page) {
        const std::wstring file = page ? L"A\\FileList" + std::to_wstring(page) + L".xml" : L"A\\FileList.xml";
        const std::string stem = "p" + std::to_string(page) + "_";
        ASSERT_TRUE(PutFile(Dir(file), Pictures({stem + "0", stem + "1", stem + "2"})));
        for (int i = 0; i < 3; ++i)
            expected.push_back(std::wstring(stem.begin(), stem.end()) + std::to_wstring(i));
    }
    // A copy older than a day is asked for again and its new list is read.
    AgeFile(Dir(L"A\\FileList3.xml"), 48);
    Serve("/A/FileList3.xml", Pictures({"new3"}));
    expected.erase(expected.begin() + 6, expected.begin() + 9);
    expected.insert(expected.begin() + 6, L"new3");

    ASSERT_TRUE(client.LoadFileList(Dir(L"A").c_str(), kOnlineOpenAll, 0));
    EXPECT_EQ(FileNames(L"A"), expected);
    EXPECT_EQ(client.GetPagesLoaded(), 6);
    EXPECT_EQ(server.CountRequests("/A/FileList3.xml"), 1);

    // An unreadable page ends the open; the pages before it stay listed in order.
    ASSERT_TRUE(PutFile(Dir(L"A\\FileList2.xml"), "not a list"));
    EXPECT_FALSE(client.LoadFileList(Dir(L"A").c_str(), kOnlineOpenAll, 0));
    EXPECT_EQ(FileNames(L"A"), std::vector<std::wstring>(expected.begin(), expected.begin() + 7));
    EXPECT_EQ(client.GetPagesLoaded(), 3);
}

TEST_F(OnlineClientTest, OpeningAFolderOfCachedPagesAsksOnlyForThoseADayOld)
{
    // Each case has a folder of its own with twelve cached pages (two pictures each); the aged
    // ones are served anew with one picture.
    struct Case {
        std::vector<int> aged;
    };
    const Case cases[] = {{{}}, {{11, 10, 1}}, {{9, 5, 0}}, {{10, 8, 6, 4, 2}},
                          {{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}}};
    const int pages = 12;
    std::string directory = "<Root>";
    for (size_t c = 0; c < std::size(cases); ++c)
        directory += "<F Name=\"C" + std::to_string(c) + "\" FLC=\"" + std::to_string(pages) + "\"/>";
    Serve("/PicDir.xml", directory + "</Root>");

    for (size_t c = 0; c < std::size(cases); ++c) {
        const std::string folder = "C" + std::to_string(c);
        SCOPED_TRACE(folder);
        const std::wstring local(folder.begin(), folder.end());
        std::vector<std::wstring> expected;
        std::vector<std::string> asked;
        auto list = [&expected](const std::vector<std::string>& names) {
            for (const std::string& name : names)
                expected.push_back(std::wstring(name.begin(), name.end()));
            return Pictures(names);
        };
        for (int page = pages - 1; page >= 0; --page) {
            const std::string name = page ? "FileList" + std::to_string(page) + ".xml" : "FileList.xml";
            const std::wstring file = local + L"\\" + std::wstring(name.begin(), name.end());
            const std::string stem = std::to_string(page) + ".";
            const std::string target = "/" + folder + "/" + name;
            if (std::count(cases[c].aged.begin(), cases[c].aged.end(), page)) {
                ASSERT_TRUE(PutFile(Dir(file), Pictures({stem + "a", stem + "b"})));
                AgeFile(Dir(file), 25);
                Serve(target, list({stem + "new"}));
                asked.push_back(target);
            } else {
                ASSERT_TRUE(PutFile(Dir(file), list({stem + "a", stem + "b"})));
                Serve(target, Pictures({stem + "new"}));
            }
        }
        auto folderTargets = [&] {
            std::vector<std::string> targets;
            for (const std::string& target : Targets())
                if (target.compare(0, folder.size() + 2, "/" + folder + "/") == 0)
                    targets.push_back(target);
            return targets;
        };

        ASSERT_TRUE(client.LoadFileList(Dir(local).c_str(), kOnlineOpenAll, 0));
        EXPECT_EQ(folderTargets(), asked);
        EXPECT_EQ(FileNames(local), expected);
        EXPECT_EQ(client.GetPagesLoaded(), pages);

        // The fetched copies are new now: the next open asks for nothing.
        ASSERT_TRUE(client.LoadFileList(Dir(local).c_str(), kOnlineOpenAll, 0));
        EXPECT_EQ(folderTargets(), asked);
        EXPECT_EQ(FileNames(local), expected);
    }
}

TEST_F(OnlineClientTest, LocalFoldersMirrorTheDirectory)
{
    ASSERT_TRUE(PutFile(Dir(L"Gone\\Inner\\FileList.xml"), "<FileList/>"));
    ASSERT_TRUE(PutFile(Dir(L"Kept\\FileList.xml"), "<FileList/>"));
    Serve("/PicDir.xml", "<Root><F Name=\"Kept\"/><F Name=\"New\"><F Name=\"Two\"><F Name=\"Three\"/></F></F></Root>");

    ASSERT_TRUE(client.UpdateDirectory(ONLINE_FORCE_FETCH));
    EXPECT_FALSE(Exists(Dir(L"Gone")));
    EXPECT_TRUE(Exists(Dir(L"Kept\\FileList.xml")));
    EXPECT_TRUE(Exists(Dir(L"New\\Two\\Three")));
    EXPECT_TRUE(client.IsReady());
}

TEST_F(OnlineClientTest, PictureInAnyCachedSizeCountsAsCached)
{
    ASSERT_TRUE(PutFile(cache.At(L"File\\F\\only-full.jpg"), "x"));
    ASSERT_TRUE(PutFile(cache.At(L"File\\S\\only-small.jpg"), "x"));
    ASSERT_TRUE(PutFile(cache.At(L"File\\thumb-only.jpg"), "x"));
    struct Case {
        const wchar_t* name;
        bool cached;
    };
    const Case cases[] = {
        {L"only-full.jpg", true}, {L"only-small.jpg", true}, {L"thumb-only.jpg", false}, {L"none.jpg", false},
        {L"..\\F\\only-full.jpg", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(client.HasLocalCopy(c.name), c.cached) << c.name;
}

TEST_F(OnlineClientTest, ManyNamesAtOnceAnswerAsOneAtATime)
{
    ASSERT_TRUE(PutFile(cache.At(L"File\\F\\only-full.jpg"), "x"));
    ASSERT_TRUE(PutFile(cache.At(L"File\\S\\only-small.jpg"), "x"));
    ASSERT_TRUE(PutFile(cache.At(L"File\\M\\Mixed Case.JPG"), "x"));
    ASSERT_TRUE(PutFile(cache.At(L"File\\L\\sub\\deep.jpg"), "x"));
    ASSERT_TRUE(PutFile(cache.At(L"File\\thumb-only.jpg"), "x"));
    ASSERT_TRUE(PutFile(cache.At(L"File\\L\\folder.jpg\\inside.jpg"), "x"));
    const std::vector<CopyCase> cases = {
        {L"only-full.jpg", true}, {L"ONLY-SMALL.jpg", true}, {L"mixed case.jpg", true}, {L"sub\\deep.jpg", true},
        {L"sub/deep.jpg", true}, {L"thumb-only.jpg", false}, {L"none.jpg", false}, {L"folder.jpg", false},
        {L"..\\F\\only-full.jpg", false}, {L"", false}, {L"con.jpg", false},
    };
    ExpectLocalCopies(cases);
    // Nothing cached at all: no size folder to list.
    TempFolder empty;
    client.SetLocalFolder(empty.Root().c_str());
    ExpectLocalCopies(cases, true);
}

TEST_F(OnlineClientTest, DownloadedPicturesMatchAsTheFileSystemMatchesNames)
{
    // Case does not count, for other letters than ASCII too; a letter written as a base and a
    // combining accent is another name than the same letter in one character.
    for (const wchar_t* file :
         {L"M\\Holiday.JPG", L"S\\\u00c4pfel.jpg", L"F\\Caf\u00e9.jpg", L"L\\Noe\u0308l.jpg", L"thumb.jpg"})
        ASSERT_TRUE(PutFile(cache.At(std::wstring(L"File\\") + file), "x")) << file;
    const std::vector<CopyCase> cases = {
        {L"Holiday.JPG", true}, {L"holiday.jpg", true}, {L"HOLIDAY.jpg", true}, {L"Holiday.jpeg", false},
        {L"\u00c4pfel.jpg", true}, {L"\u00e4pfel.jpg", true}, {L"\u00c4PFEL.JPG", true}, {L"A\u0308pfel.jpg", false},
        {L"Apfel.jpg", false}, {L"Caf\u00e9.jpg", true}, {L"CAF\u00c9.JPG", true}, {L"Cafe\u0301.jpg", false},
        {L"Cafe.jpg", false}, {L"Noe\u0308l.jpg", true}, {L"NOE\u0308L.JPG", true}, {L"No\u00ebl.jpg", false},
        {L"thumb.jpg", false}, {L"sub\\holiday.jpg", false},
    };
    ExpectLocalCopies(cases);

    // A cache bound for the first time has its size folders, and nothing in them: thumbnails,
    // pages and an empty folder are no downloaded picture.
    TempFolder fresh;
    client.SetLocalFolder(fresh.Root().c_str());
    for (const wchar_t* size : {L"S", L"M", L"L", L"F"})
        EXPECT_TRUE(Exists(fresh.At(std::wstring(L"File\\") + size))) << size;
    ASSERT_TRUE(PutFile(fresh.At(L"File\\holiday.jpg"), "x"));
    ASSERT_TRUE(PutFile(fresh.At(L"Dir\\A\\FileList.xml"), Pictures({"holiday.jpg"})));
    ExpectLocalCopies(cases, true);
    ASSERT_TRUE(CreateDirectoryW(fresh.At(L"File\\S\\sub").c_str(), nullptr));
    ExpectLocalCopies(cases, true);
}

TEST_F(OnlineClientTest, BackslashesAreSentAsSlashesAndWrittenAsBackslashes)
{
    Serve("/A/B/t.jpg", "thumb");
    KQStringW local = (cache.At(L"File") + L"/sub/t.jpg").c_str();
    EXPECT_EQ(client.DownloadFile(ONLINE_PREVIEW, L"A\\B\\t.jpg", -1, local), 0);
    EXPECT_EQ(Targets(), std::vector<std::string>{"/A/B/t.jpg"});
    EXPECT_EQ(TempFolder::Get(cache.At(L"File\\sub\\t.jpg")), "thumb");
    // Present, so never fetched again with a negative age.
    EXPECT_EQ(client.DownloadFile(ONLINE_PREVIEW, L"A/B/t.jpg", -1, local), 0);
    EXPECT_EQ(server.CountRequests("/A/B/t.jpg"), 1);
}

TEST_F(OnlineClientTest, DirectoryWithoutRootKeepsTheOldOne)
{
    Serve("/PicDir.xml", "<Root><F Name=\"A\"/></Root>");
    ASSERT_TRUE(client.UpdateDirectory(0));
    for (const char* answer : {"<Other><F Name=\"B\"/></Other>", "", "<Root><F Name=\"B\""}) {
        Serve("/PicDir.xml", answer);
        EXPECT_FALSE(client.UpdateDirectory(ONLINE_FORCE_FETCH)) << answer;
        EXPECT_TRUE(HasFolder(L"A"));
        EXPECT_TRUE(Exists(Dir(L"A")));
    }
}

TEST_F(OnlineClientTest, UnsafeNamesAreSkipped)
{
    // A folder beside the cache that a name could reach.
    TempFolder outside;
    ASSERT_TRUE(PutFile(outside.At(L"Documents\\keep.txt"), "mine"));
    const std::wstring up = L"..\\..\\..\\" + outside.Root().substr(outside.Root().find_last_of(L'\\') + 1);
    std::string upName(up.begin(), up.end());
    Serve("/PicDir.xml", "<Root><F Name=\"" + upName + "\\Documents\"/><F Name=\"..\\..\\x\"/><F Name=\"CON\"/>"
                         "<F Name=\"nul.txt\"/><F Name=\"a\\b\"/><F Name=\"C:x\"/><F Name=\"\"/>"
                         "<F Name=\"ok\" FLC=\"1\"/></Root>");
    Serve("/ok/FileList.xml", "<FileList><P Path=\"..\\..\\evil.jpg\" Name=\"e1\"/><P Path=\"ok/COM1.jpg\" Name=\"e2\"/>"
                              "<P Path=\"ok/\" Name=\"e3\"/><P Path=\"ok/fine.jpg\" Name=\"fine\"/></FileList>");

    ASSERT_TRUE(client.LoadFileList(Dir(L"ok").c_str(), kOnlineOpenAll, 0));
    std::vector<std::wstring> listed = cache.List(L"Dir");
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::wstring>{L"PicDir.xml", L"ok"}));
    EXPECT_EQ(FileNames(L"ok"), std::vector<std::wstring>{L"fine"});
    EXPECT_EQ(TempFolder::Get(outside.At(L"Documents\\keep.txt")), "mine");
    // A path that climbs out of the Dir root is no online folder.
    EXPECT_FALSE(client.LoadFileList((Dir() + L"\\..\\File").c_str(), 1, 0));
    EXPECT_FALSE(client.IsOnlinePath((Dir() + L"x").c_str()));
}

TEST_F(OnlineClientTest, HostileSizesAndNestingAreBounded)
{
    std::string deep;
    const int levels = 10000;
    for (int i = 0; i < levels; ++i)
        deep += "<F Name=\"d\">";
    for (int i = 0; i < levels; ++i)
        deep += "</F>";
    Serve("/PicDir.xml", "<Root>" + deep + "<F Name=\"Big\" FLC=\"2147483648\" Date=\"99999999999\"/></Root>");
    Serve("/Big/FileList9999.xml", "<FileList><P Path=\"Big/huge.jpg\" Name=\"huge\" Width=\"-5\" "
                                   "SizeS=\"4294967296\" SizeF=\"99999999999999999999999\"/></FileList>");

    ASSERT_TRUE(client.LoadFileList(Dir(L"Big").c_str(), 1, 0));
    {
        std::lock_guard<std::recursive_mutex> lock(client.Lock());
        PicDirFolder* big = client.FindFolder(L"Big");
        ASSERT_TRUE(big);
        EXPECT_EQ(big->nPageCount, kOnlineMaxPages);
        EXPECT_EQ(big->nDate, INT32_MAX);
        ASSERT_EQ(big->vecFiles.size(), 1u);
        const PicDirFile& huge = big->vecFiles.front();
        EXPECT_EQ(huge.nSize[PIC_SIZE_S], int64_t(4294967296));
        EXPECT_EQ(huge.nSize[PIC_SIZE_F], INT64_MAX);
        EXPECT_EQ(huge.nWidth, 0);

        int depth = 0;
        for (PicDirFolder* folder = client.FindFolder(L"d"); folder && !folder->mapFolders.empty(); ++depth)
            folder = folder->mapFolders.begin()->second.get();
        EXPECT_LT(depth, kOnlineMaxDepth);
    }
    // The next page is missing on the server and in the cache: one request, and a failure.
    const size_t before = server.Requests().size();
    EXPECT_FALSE(client.LoadFileList(nullptr, 5, 0));
    EXPECT_EQ(server.Requests().size(), before + 1);
}

TEST_F(OnlineClientTest, FailedPageFetchReadsTheOlderCopyWhole)
{
    Serve("/PicDir.xml", "<Root><F Name=\"A\" FLC=\"1\"/></Root>");
    const std::string older = Pictures({"old1", "old2", "old3"});
    ASSERT_TRUE(PutFile(Dir(L"A\\FileList.xml"), older));
    AgeFile(Dir(L"A\\FileList.xml"), 48);
    server.ServeRaw("/A/FileList.xml", "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 7\r\n\r\nbroken!");

    ASSERT_TRUE(client.LoadFileList(Dir(L"A").c_str(), kOnlineOpenAll, 0));
    EXPECT_EQ(server.CountRequests("/A/FileList.xml"), 1);
    EXPECT_EQ(FileNames(L"A"), (std::vector<std::wstring>{L"old1", L"old2", L"old3"}));
    EXPECT_EQ(TempFolder::Get(Dir(L"A\\FileList.xml")), older);
}

TEST_F(OnlineClientTest, StopAllEndsAStalledUpdateAndNothingFollows)
{
    std::atomic<bool> asked{false};
    server.Handle("/PicDir.xml", [&](const testsupport::HttpRequestSeen&, testsupport::HttpReplyChannel& reply) {
        asked = true;
        reply.Send(std::string("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<Root>"));
        reply.Pause(60000);
    });
    RecordingUI ui;
    client.SetUI(&ui);
    EXPECT_FALSE(client.StartUpdateThread());
    for (int i = 0; i < 1000 && !asked; ++i)
        Sleep(5);
    ASSERT_TRUE(asked);
    client.StopAll();
    const int updated = ui.updated, shown = ui.shown;
    EXPECT_EQ(ui.ended, 1);
    Sleep(100);
    EXPECT_EQ(ui.updated, updated);
    EXPECT_EQ(ui.shown, 0);
    EXPECT_EQ(shown, 0);
    EXPECT_FALSE(Exists(Dir(L"PicDir.xml")));
    client.SetUI(nullptr);
}

TEST_F(OnlineClientTest, UpdateThreadShowsTheRootThroughThePostedMessage)
{
    Serve("/PicDir.xml", "<Root><F Name=\"A\"/></Root>");
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    CLumivoShowsClientUI ui;
    ui.SetWindow(window);
    client.SetUI(&ui);
    client.StartUpdateThread();
    client.WaitForUpdateThread();
    client.StartUpdateThread();
    client.WaitForUpdateThread();

    // Two updates, one message: the list opens the newest folder once.
    MSG message;
    int posted = 0;
    while (PeekMessageW(&message, window, WM_SHOWS_ONLINE_FOLDER, WM_SHOWS_ONLINE_FOLDER, PM_REMOVE))
        ++posted;
    EXPECT_EQ(posted, 1);
    std::wstring path;
    EXPECT_TRUE(ui.TakeFolder(path));
    EXPECT_EQ(path, Dir());
    EXPECT_FALSE(ui.TakeFolder(path));
    client.SetUI(nullptr);
    DestroyWindow(window);
}

} // namespace
