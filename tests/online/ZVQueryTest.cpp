// The update check against version files on the loopback server, its due window and version
// comparison, and the statistics pages loaded through a fake page fetcher.
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <ctime>
#include <memory>
#include <mutex>
#include <vector>
#include "AppFrame.h"
#include "OnlineTestSupport.h"
#include "RegPath.h"
#include "ZVQuery.h"

namespace {

using onlinetest::MaterialServer;

std::atomic<bool> g_online{true};
bool TestOnline()
{
    return g_online.load();
}

TEST(ZVQuery, CompareVersionTakesPartsAsNumbersAndNeedsADifference)
{
    struct Case {
        const wchar_t* latest;
        bool newer;
    } cases[] = {
        {L"1.4.10", true},  {L"1.4.6", false},   {L"1.5.x", true},      {L"1.4.x", false},
        {L"1.4.6.1", false}, {L"1.4.5", false},  {L"2", true},          {L"0.9.9", false},
        {L"01.04.07", true}, {L"1..7", false},   {L"", false},          {L"1.4.7-beta", false},
        {L"1.4.99999999999999999999", true},     {L"1.4.7.", true},     {nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareVersionText(L"1.4.6", c.latest), c.newer) << testing::PrintToString(std::wstring(c.latest ? c.latest : L"(null)"));
    EXPECT_FALSE(CompareVersionText(L"1.4.6.1", L"1.4.6"));
}

TEST(ZVQuery, ACheckIsDueWhenTheLastIsUnsetInTheFutureOrOlderThanThePeriod)
{
    const int64_t now = 1800000000, hour = 3600;
    struct Case {
        int64_t last;
        int period;
        bool due;
    } cases[] = {
        {now - 71 * hour, 72, false}, {now - 72 * hour, 72, false}, {now - 73 * hour, 72, true},
        {now + 60, 72, true},         {0, 72, true},                {-5, 72, true},
        {now, 0, false},              {now - 1, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsUpdateCheckDue(c.last, now, c.period), c.due) << (now - c.last) << " s, " << c.period << " h";
}

TEST(ZVQuery, StatisticsAddressesGetTheVersionAsOneMoreParameter)
{
    struct Case {
        const wchar_t* address;
        const wchar_t* url;
    } cases[] = {
        {L"http://s.example/a.php?p=1", L"http://s.example/a.php?p=1&ver=1.4.6"},
        {L"http://s.example/a.php", L"http://s.example/a.php?ver=1.4.6"},
        {L"http://s.example/a.php?", L"http://s.example/a.php?ver=1.4.6"},
        {L"http://s.example/a.php?p=1&", L"http://s.example/a.php?p=1&ver=1.4.6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::wstring(MakeStatisticsUrl(c.address, L"1.4.6").GetString()), c.url);
}

class QueryTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Started());
        m_key = L"Software\\LumivoTest\\OnlineTests-" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        m_root = L"HKCU\\" + m_key + L"\\";
        main = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(main, nullptr);
        g_online = true;
        Configure(query);
    }
    void TearDown() override
    {
        DestroyWindow(main);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
    }
    void Configure(CZVQuery& q, const char* first = "/update1/", const char* second = "/update2/")
    {
        q.SetRegistryRoot(m_root.c_str());
        q.SetMainWnd(main);
        q.SetUpdateBases(server.Url(first).c_str(), server.Url(second).c_str());
        q.SetOnlineTest(&TestOnline);
        q.SetLanguageName(L"English");
    }
    std::wstring Value(const wchar_t* name)
    {
        ALT::TString<wchar_t, 0, 8> text;
        return RegQueryString((m_root + name).c_str(), text, L"<missing>") ? text.GetString() : L"<missing>";
    }
    DWORD Period()
    {
        DWORD period = 0;
        RegQueryDWord((m_root + L"QueryPeriod").c_str(), period, 0);
        return period;
    }
    bool NewVersionPosted()
    {
        MSG msg;
        return PeekMessageW(&msg, main, WM_ZVQUERY_NEWVERSION, WM_ZVQUERY_NEWVERSION, PM_REMOVE) != FALSE;
    }

    MaterialServer server;
    HWND main = nullptr;
    CZVQuery query;
    std::wstring m_key, m_root;
};

TEST_F(QueryTest, TheVersionFileOfTheFirstSiteThatAnswersReportsANewerRelease)
{
    EXPECT_TRUE(query.IsNewVersionExist());
    EXPECT_EQ(server.CountRequests("/update1/LTVerInfo.txt"), 1);
    EXPECT_EQ(server.CountRequests("/update2/LTVerInfo.txt"), 1);
    EXPECT_TRUE(NewVersionPosted());
    EXPECT_EQ(std::wstring(query.GetLatestVersion().GetString()), L"1.4.10");
    EXPECT_EQ(std::wstring(query.GetLatestEXE().GetString()), L"http://www.lumivo.example/LumivoSetup.exe");
    EXPECT_EQ(std::wstring(query.GetLatestURL().GetString()), L"http://www.lumivo.example/download.html");
    EXPECT_EQ(std::wstring(query.GetLatestInfo().GetString()), L"Faster thumbnails");
    EXPECT_EQ(Period(), 48u);
    EXPECT_EQ(Value(L"DailyUseStat"), L"http://stats.lumivo.example/daily.php?p=shows");
    EXPECT_EQ(Value(L"FirstUseStat"), L"http://stats.lumivo.example/first.php");

    // A Chinese interface reads the file published for it.
    CZVQuery chinese;
    Configure(chinese, "/update2/", "/update1/");
    chinese.SetLanguageName(L"Chinese (Simplified)");
    EXPECT_TRUE(chinese.IsNewVersionExist());
    EXPECT_EQ(server.CountRequests("/update2/LTVerInfoCN.txt"), 1);
    EXPECT_EQ(std::wstring(chinese.GetLatestInfo().GetString()), L"Release notes CN");
}

TEST_F(QueryTest, AVersionFileWithoutAnInstallerStoresItsSettingsButReportsNothing)
{
    RegSetPath((m_root + L"FirstUseStat").c_str(), L"http://first.example/", REG_SZ, 22 * sizeof(wchar_t));
    query.LoadSetting();
    Configure(query, "/update3/", "/update2/");
    EXPECT_FALSE(query.IsNewVersionExist());
    EXPECT_FALSE(NewVersionPosted());
    EXPECT_EQ(server.CountRequests("/update2/LTVerInfo.txt"), 0);
    EXPECT_EQ(Period(), 12u);
    EXPECT_EQ(Value(L"DailyUseStat"), L"http://stats.lumivo.example/daily.php?");
    EXPECT_EQ(Value(L"FirstUseStat"), L"http://first.example/");
    EXPECT_TRUE(query.GetLatestEXE().IsEmpty());
}

TEST_F(QueryTest, AnUnreachableUpdateSiteChangesNothing)
{
    query.SetUpdateBases(onlinetest::kDeadBase, onlinetest::kDeadBase);
    char buffer[64];
    EXPECT_NE(query.ReadURLFile(buffer, "LTVerInfo.txt", sizeof buffer), 0);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_FALSE(query.IsNewVersionExist());
    EXPECT_FALSE(NewVersionPosted());
    EXPECT_EQ(Value(L"QueryPeriod"), L"<missing>");
    EXPECT_EQ(Value(L"DailyUseStat"), L"<missing>");
}

TEST_F(QueryTest, AVersionFileLargerThanTheBufferIsCutAndTerminated)
{
    char buffer[16];
    memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(query.ReadURLFile(buffer, "LTVerInfo.txt", sizeof buffer), 0);
    EXPECT_EQ(std::string(buffer), "[Update]\r\nLates"); // 15 bytes and the terminator
}

TEST_F(QueryTest, TheStartupCheckRunsOnlyWhenDueAndOnline)
{
    const int64_t now = int64_t(_time64(nullptr));
    const int64_t recent = now - 71 * 3600;
    RegSetPath((m_root + L"LastCheckUpdate").c_str(), &recent, REG_QWORD, sizeof recent);
    query.CheckUpdateStartup();
    query.WaitUpdateThread();
    EXPECT_TRUE(server.Requests().empty());

    RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
    g_online = false;
    query.CheckUpdateStartup();
    query.WaitUpdateThread();
    EXPECT_TRUE(server.Requests().empty());
    int64_t last = 0;
    EXPECT_EQ(RegQueryPath((m_root + L"LastCheckUpdate").c_str(), &last, sizeof last), 0u);

    g_online = true;
    query.CheckUpdateStartup();
    query.WaitUpdateThread();
    EXPECT_EQ(RegQueryPath((m_root + L"LastCheckUpdate").c_str(), &last, sizeof last), sizeof last);
    EXPECT_GE(last, now);
    EXPECT_TRUE(NewVersionPosted());
}

TEST_F(QueryTest, DestroyingTheQueryStopsItsCheckAtOnce)
{
    std::atomic<bool> asked{false};
    server.Handle("/slow/LTVerInfo.txt", [&](const testsupport::HttpRequestSeen&, testsupport::HttpReplyChannel& reply) {
        asked = true;
        reply.Pause(8000);
    });
    auto doomed = std::make_unique<CZVQuery>();
    Configure(*doomed, "/slow/", "/update2/");
    doomed->CheckUpdateStartup();
    ASSERT_TRUE(PumpUntil([&] { return asked.load(); }));
    const ULONGLONG start = GetTickCount64();
    doomed.reset();
    EXPECT_LT(GetTickCount64() - start, 2000u);
    EXPECT_FALSE(NewVersionPosted());
    EXPECT_EQ(server.CountRequests("/update2/LTVerInfo.txt"), 0);
}

// Records the pages asked for instead of loading them.
class RecordingFetcher : public appframe::PageFetcher {
public:
    bool Fetch(const std::wstring& url, const std::atomic<bool>&) override
    {
        std::lock_guard<std::mutex> guard(lock);
        urls.push_back(url);
        return true;
    }
    std::vector<std::wstring> Urls()
    {
        std::lock_guard<std::mutex> guard(lock);
        std::vector<std::wstring> sorted = urls;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }
    std::mutex lock;
    std::vector<std::wstring> urls;
};

bool HasStatViews(HWND main)
{
    return GetDlgItem(main, ZVQUERY_STAT_VIEW_ID) != nullptr;
}

TEST_F(QueryTest, TheFirstRunOfADayLoadsTheFirstUseAndDailyPagesOnce)
{
    RecordingFetcher fetcher;
    appframe::PageFetcher* before = appframe::SetPageFetcher(&fetcher);
    const wchar_t first[] = L"http://stats.example/first.php";
    const wchar_t daily[] = L"http://stats.example/daily.php?id=7";
    RegSetPath((m_root + L"FirstUseStat").c_str(), first, REG_SZ, sizeof first);
    RegSetPath((m_root + L"DailyUseStat").c_str(), daily, REG_SZ, sizeof daily);
    query.LoadSetting();

    g_online = false;
    query.Statistics();
    EXPECT_EQ(Value(L"LastUse"), L"<missing>");

    g_online = true;
    query.Statistics();
    EXPECT_TRUE(PumpUntil([&] { return fetcher.Urls().size() == 2 && !HasStatViews(main); }));
    EXPECT_EQ(fetcher.Urls(), (std::vector<std::wstring>{L"http://stats.example/daily.php?id=7&ver=1.4.6",
                                                         L"http://stats.example/first.php?ver=1.4.6"}));
    EXPECT_EQ(Value(L"LastUse").size(), 10u);

    query.Statistics();
    PumpFor(200);
    EXPECT_EQ(fetcher.Urls().size(), 2u);

    // A later day that is not the first loads the daily page only.
    RegSetPath((m_root + L"LastUse").c_str(), L"2000-01-01", REG_SZ, 11 * sizeof(wchar_t));
    query.Statistics();
    EXPECT_TRUE(PumpUntil([&] { return fetcher.Urls().size() == 3 && !HasStatViews(main); }));
    appframe::SetPageFetcher(before);
}

} // namespace
