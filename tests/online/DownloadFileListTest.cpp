// The download list against the loopback material server: queue order, re-queueing while the
// worker runs, a missing picture against an unreachable server, the size variant, cache age.
#include <gtest/gtest.h>
#include <atomic>
#include <ctime>
#include <mutex>
#include <vector>
#include "DownloadFileList.h"
#include "LocalFileIO.h"
#include "OnlineTestSupport.h"
#include "TestSupport.h"

namespace {

using onlinetest::MaterialServer;
using testsupport::TempFolder;

struct FakeItem {
    std::wstring name;
    unsigned state = 0;
    bool hasRecord = false;
    CLumivoFile record;
    std::wstring localPath;
};

// A list of plain records standing in for the picture list's items.
class FakeList : public CDownloadFileList {
public:
    explicit FakeList(std::vector<FakeItem> items) : m_items(std::move(items)) {}
    ~FakeList() override { StopAll(); }

    bool WaitIdle()
    {
        return PumpUntil([this] { return !IsBusy(); }, 20000);
    }
    std::vector<int> Started()
    {
        std::lock_guard<std::mutex> guard(m_seen);
        return m_started;
    }
    std::vector<std::pair<int, unsigned>> Finished()
    {
        std::lock_guard<std::mutex> guard(m_seen);
        return m_finished;
    }
    unsigned State(int index)
    {
        std::lock_guard<std::mutex> guard(m_seen);
        return m_items[index].state;
    }
    const std::wstring& LocalPath(int index) const { return m_items[index].localPath; }

protected:
    CKQListFile* GetDownloadItem(int index) override
    {
        return index >= 0 && index < int(m_items.size()) ? reinterpret_cast<CKQListFile*>(&m_items[index]) : nullptr;
    }
    unsigned GetDownloadItemState(CKQListFile* item) override
    {
        std::lock_guard<std::mutex> guard(m_seen);
        return Item(item).state;
    }
    void ChangeDownloadItemState(CKQListFile* item, unsigned set, unsigned clear) override
    {
        std::lock_guard<std::mutex> guard(m_seen);
        Item(item).state = (Item(item).state & ~clear) | set;
    }
    KQStringW GetDownloadItemName(CKQListFile* item) override { return KQStringW(Item(item).name.c_str()); }
    const CLumivoFile* GetDownloadItemRecord(CKQListFile* item) override
    {
        return Item(item).hasRecord ? &Item(item).record : nullptr;
    }
    void SetDownloadItemLocalPath(CKQListFile* item, const wchar_t* path) override { Item(item).localPath = path; }
    void OnDownloadStart(CKQListFile* item) override
    {
        std::lock_guard<std::mutex> guard(m_seen);
        m_started.push_back(Index(item));
    }
    void OnDownloadFinish(CKQListFile* item, unsigned result) override
    {
        std::lock_guard<std::mutex> guard(m_seen);
        m_finished.emplace_back(Index(item), result);
    }

private:
    static FakeItem& Item(CKQListFile* item) { return *reinterpret_cast<FakeItem*>(item); }
    int Index(CKQListFile* item) const { return int(reinterpret_cast<FakeItem*>(item) - m_items.data()); }

    std::vector<FakeItem> m_items;
    std::mutex m_seen;
    std::vector<int> m_started;
    std::vector<std::pair<int, unsigned>> m_finished;
};

FakeItem Named(const wchar_t* name, unsigned state = 0)
{
    FakeItem item;
    item.name = name;
    item.state = state;
    return item;
}

class DownloadListTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Started()); }
    void Bind(FakeList& list, const TempFolder& folder)
    {
        list.SetServerUrl(server.WideUrl("/res/").c_str());
        list.Init(nullptr, nullptr, folder.Root().c_str(), folder.At(L"Res").c_str());
    }
    void Bind(FakeList& list) { Bind(list, cache); }

    MaterialServer server;
    TempFolder cache;
};

TEST_F(DownloadListTest, QueueRunsFromFirstTowardsLastAndSkipsBusyOrFailedItems)
{
    FakeList list({Named(L"Frames\\a.jpg", KQ_ITEM_NOT_DOWNLOADED), Named(L"Frames/b.jpg"),
                   Named(L"Frames\\d.jpg", KQ_ITEM_FAILED), Named(L"Frames\\d.jpg", KQ_ITEM_DOWNLOADING),
                   Named(L"Frames\\d.jpg")});
    Bind(list);
    EXPECT_TRUE(list.StartDownloadPicFile(4, 0));
    ASSERT_TRUE(list.WaitIdle());
    EXPECT_EQ(list.Started(), (std::vector<int>{4, 1, 0}));
    EXPECT_EQ(list.State(0), 0u); // the not-downloaded mark goes with success
    EXPECT_EQ(TempFolder::Get(list.LocalPath(1)), "M b.jpg\n");
    EXPECT_EQ(list.LocalPath(1), cache.At(L"File\\M\\b.jpg"));

    // Upwards the second time; an age of -1 keeps what is cached, so nothing is fetched again.
    const size_t requests = server.Requests().size();
    EXPECT_TRUE(list.StartDownloadPicFile(0, 4));
    ASSERT_TRUE(list.WaitIdle());
    EXPECT_EQ(list.Started(), (std::vector<int>{4, 1, 0, 0, 1, 4}));
    EXPECT_EQ(server.Requests().size(), requests);
}

TEST_F(DownloadListTest, StartingAgainWhileBusyReplacesTheQueueOfTheRunningWorker)
{
    std::atomic<bool> release{false};
    server.Handle("/res/Frames/M/a.jpg", [&](const testsupport::HttpRequestSeen&, testsupport::HttpReplyChannel& reply) {
        while (!release && reply.Pause(10)) {
        }
        reply.Send("HTTP/1.1 200 OK\r\nContent-Length: 4\r\nConnection: close\r\n\r\nslow");
    });
    FakeList list({Named(L"Frames\\a.jpg"), Named(L"Frames\\b.jpg"), Named(L"Frames\\d.jpg"), Named(L"Frames\\b.jpg")});
    Bind(list);
    list.StartDownloadPicFile(0, 3);
    ASSERT_TRUE(PumpUntil([&] { return server.CountRequests("/res/Frames/M/a.jpg") == 1; }));
    list.StartDownloadPicFile(2, 1);
    release = true;
    ASSERT_TRUE(list.WaitIdle());
    EXPECT_EQ(list.Started(), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(server.CountRequests("/res/Frames/M/a.jpg"), 1);
    EXPECT_EQ(TempFolder::Get(list.LocalPath(0)), "slow");
}

TEST_F(DownloadListTest, AMissingOrRefusedPictureFailsAloneAnyOtherFailureDropsTheQueue)
{
    {
        FakeList list({Named(L"Frames\\a.jpg"), Named(L"Frames\\zz.jpg"), Named(L"..\\..\\evil.jpg"), Named(L"Frames\\b.jpg")});
        Bind(list);
        list.StartDownloadPicFile(0, 3);
        ASSERT_TRUE(list.WaitIdle());
        EXPECT_EQ(list.Finished(), (std::vector<std::pair<int, unsigned>>{
                                       {0, 0}, {1, 404}, {2, unsigned(DOWNLOAD_STATUS_BAD_NAME)}, {3, 0}}));
        EXPECT_EQ(list.State(1), unsigned(KQ_ITEM_FAILED));
        EXPECT_EQ(list.State(2), unsigned(KQ_ITEM_FAILED));
        EXPECT_EQ(GetFileAttributesW((cache.Root() + L"\\..\\evil.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    {
        server.ServeRaw("/res/Frames/M/b.jpg", "HTTP/1.1 500 Server Error\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        TempFolder empty;
        FakeList list({Named(L"Frames\\b.jpg"), Named(L"Frames\\a.jpg"), Named(L"Frames\\d.jpg")});
        Bind(list, empty);
        list.StartDownloadPicFile(0, 2);
        ASSERT_TRUE(list.WaitIdle());
        EXPECT_EQ(list.Finished(), (std::vector<std::pair<int, unsigned>>{{0, 500}}));
        EXPECT_EQ(list.State(1), 0u); // still queueable by the next start
    }
    {
        TempFolder empty;
        FakeList list({Named(L"Frames\\a.jpg"), Named(L"Frames\\b.jpg")});
        Bind(list, empty);
        list.SetServerUrl(onlinetest::kDeadServer);
        list.StartDownloadPicFile(0, 1);
        ASSERT_TRUE(list.WaitIdle());
        ASSERT_EQ(list.Finished().size(), 1u);
        EXPECT_NE(list.Finished()[0].second, 404u);
        EXPECT_NE(list.Finished()[0].second, 0u);
        EXPECT_EQ(list.State(0), unsigned(KQ_ITEM_FAILED));
        EXPECT_EQ(list.State(1), 0u);
    }
}

TEST_F(DownloadListTest, ResourceFilesGoToTheResourceFolderAndMissingOnesDoNotStopTheRest)
{
    FakeList list({Named(L"Frames/FileList.xml"), Named(L"Frames\\none.xml"), Named(L"Frames\\F\\a.jpg")});
    Bind(list);
    list.StartDownloadResFile(0, 2);
    ASSERT_TRUE(list.WaitIdle());
    EXPECT_EQ(list.Finished(), (std::vector<std::pair<int, unsigned>>{{0, 0}, {1, 404}, {2, 0}}));
    EXPECT_EQ(TempFolder::Get(cache.At(L"Res\\Frames\\F\\a.jpg")), "F a.jpg\n");
    EXPECT_NE(TempFolder::Get(cache.At(L"Res\\Frames\\FileList.xml")).find("<FileList"), std::string::npos);
}

TEST(PicSize, ACachedLargerVariantWinsElseThePreferredOrTheNextSmallerOnTheServer)
{
    struct Case {
        const char* server; // sizes the server has
        const char* cached; // sizes in the cache
        wchar_t preferred;
        wchar_t expected;
    } cases[] = {
        {"SMLF", "", L'M', L'M'}, {"SMLF", "F", L'M', L'F'}, {"SML", "", L'F', L'L'}, {"SM", "", L'F', L'M'},
        {"S", "", L'L', L'S'},    {"SMLF", "L", L'S', L'L'}, {"SMLF", "M", L'L', L'L'}, {"SMLF", "S", L'M', L'M'},
        {"", "", L'M', L'S'},
    };
    for (const Case& c : cases) {
        CLumivoFile record;
        const wchar_t letters[] = L"SMLF";
        for (int i = 0; i < PIC_SIZE_COUNT; ++i)
            record.nSize[i] = strchr(c.server, char(letters[i])) ? 1000 : 0;
        const std::string cached = c.cached;
        const wchar_t got = ChoosePicSize(&record, c.preferred, [&](wchar_t letter) {
            return cached.find(char(letter)) != std::string::npos;
        });
        EXPECT_EQ(got, c.expected) << "server " << c.server << " cached " << c.cached << " preferred " << char(c.preferred);
    }
    // Without a record the preferred size is taken as offered.
    EXPECT_EQ(ChoosePicSize(nullptr, L'F', [](wchar_t) { return false; }), L'F');
}

TEST_F(DownloadListTest, TheChosenVariantIsFetchedOrTakenFromTheCache)
{
    FakeItem d = Named(L"Frames\\d.jpg");
    d.hasRecord = true;
    d.record.nSize[PIC_SIZE_S] = d.record.nSize[PIC_SIZE_M] = d.record.nSize[PIC_SIZE_L] = 100;
    FakeList list({Named(L"Frames\\a.jpg"), d});
    Bind(list);
    CreateDirectoryW(cache.At(L"File\\F").c_str(), nullptr);
    ASSERT_TRUE(TempFolder::Put(cache.At(L"File\\F\\a.jpg"), "cached full size"));
    list.m_strSizeLetter = L"F";
    list.StartDownloadPicFile(0, 1);
    ASSERT_TRUE(list.WaitIdle());
    EXPECT_EQ(list.LocalPath(0), cache.At(L"File\\F\\a.jpg"));
    EXPECT_EQ(server.CountRequests("/res/Frames/F/a.jpg"), 0);
    EXPECT_EQ(TempFolder::Get(list.LocalPath(1)), "L d.jpg\n");
    EXPECT_EQ(server.CountRequests("/res/Frames/L/d.jpg"), 1);
}

TEST(CacheAge, AFileExpiresOnlyWhenOlderThanItsAgeAndANegativeAgeNeverExpires)
{
    const int64_t now = 1800000000;
    struct Case {
        int64_t created;
        int hours;
        bool expired;
    } cases[] = {
        {now - 3600, 1, false},           {now - 3601, 1, true},           {now, 0, false},
        {now - 1, 0, true},               {now - 1000000000, -1, false},   {now + 100, 1, false},
        {now - 3600000000LL, 1000000, false}, {now - 3600000001LL, 1000000, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsCacheFileExpired(c.created, now, c.hours), c.expired) << (now - c.created) << " s, " << c.hours << " h";

    TempFolder folder;
    CLumivoClient client;
    EXPECT_TRUE(client.NeedsDownload(folder.At(L"missing.xml").c_str(), -1));
    ASSERT_TRUE(TempFolder::Put(folder.At(L"fresh.xml"), "x"));
    EXPECT_FALSE(client.NeedsDownload(folder.At(L"fresh.xml").c_str(), 1));
    EXPECT_FALSE(client.NeedsDownload(folder.At(L"fresh.xml").c_str(), -1));
}

TEST_F(DownloadListTest, DownloadFileCountsAnUnchangedServerFileAsSuccessAndRefusesEscapingNames)
{
    const char* stamp = "Tue, 01 Dec 2026 10:00:00 GMT";
    testsupport::HttpFile file;
    file.body = std::make_shared<const std::string>("<FileList/>");
    file.lastModified = stamp;
    server.ServeFile("/res/Scenes/FileList.xml", file);
    CLumivoClient client;
    client.SetServerUrl(server.WideUrl("/res/").c_str());
    KQStringW local(cache.At(L"Dir/Scenes/FileList.xml").c_str());
    EXPECT_EQ(client.DownloadFile(L"Scenes\\FileList.xml", 0, local), 0);
    EXPECT_EQ(std::wstring(local.GetString()), cache.At(L"Dir\\Scenes\\FileList.xml"));
    EXPECT_EQ(TempFolder::Get(local.GetString()), "<FileList/>");

    // The cached copy is as the server has it (same size and time): the client answers 1.
    const int64_t serverTime = ParseHttpDate(stamp, 0);
    const int64_t ticks = (serverTime + 11644473600LL) * 10000000LL;
    const FILETIME modified = {DWORD(ticks), DWORD(ticks >> 32)};
    ASSERT_TRUE(GetLocalFileIO().SetTimes(local.GetString(), &modified, nullptr, nullptr));
    Sleep(1100); // older than an age of 0 hours
    EXPECT_EQ(client.DownloadFile(L"Scenes\\FileList.xml", 0, local), 0);
    EXPECT_EQ(server.CountRequests("/res/Scenes/FileList.xml"), 2);

    KQStringW missing(cache.At(L"Dir\\Scenes\\None.xml").c_str());
    EXPECT_EQ(client.DownloadFile(L"Scenes\\None.xml", 0, missing), 404);
    KQStringW outside(cache.At(L"x.xml").c_str());
    EXPECT_EQ(client.DownloadFile(L"Scenes\\.. \\..\\x.xml", 0, outside), DOWNLOAD_STATUS_BAD_NAME);
    EXPECT_EQ(client.DownloadFile(L"C:x.xml", 0, outside), DOWNLOAD_STATUS_BAD_NAME);
}

TEST(LumivoClient, TheCurrentClientIsTheLastMadeAndIsClearedWhenItGoes)
{
    CLumivoClient first;
    EXPECT_EQ(GetCurrentLumivoClient(), &first);
    {
        CLumivoClient second;
        EXPECT_EQ(GetCurrentLumivoClient(), &second);
    }
    EXPECT_EQ(GetCurrentLumivoClient(), nullptr);
}

TEST(LumivoClient, ServerNamesMustStayBelowTheirFolder)
{
    struct Case {
        const wchar_t* name;
        bool safe;
    } cases[] = {
        {L"Frames\\a.jpg", true}, {L"Frames/b/c.png", true}, {L"a..b.jpg", true},   {L"", false},
        {L"\\a.jpg", false},      {L"/a.jpg", false},        {L"..\\a.jpg", false}, {L"a/../../b", false},
        {L"a\\. .\\b", false},    {L"a\\.\\b", false},       {L"C:\\a", false},     {L"a.jpg:stream", false},
        {L"a\\\\b", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSafeRelativeName(c.name), c.safe) << testing::PrintToString(std::wstring(c.name));
}

} // namespace
