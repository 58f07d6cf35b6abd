#include <gtest/gtest.h>
#include <windows.h>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "HttpDownload.h"
#include "LoopbackHttpServer.h"
#include "TestSupport.h"

namespace {

using testsupport::HttpFile;
using testsupport::HttpReplyChannel;
using testsupport::HttpRequestSeen;
using testsupport::LoopbackHttpServer;

TEST(HttpUrl, SplitsAndEscapes)
{
    const struct {
        const char* url;
        bool ok;
        const char* host;
        uint16_t port;
        const char* path;
    } cases[] = {
        {"http://files.example/a b.png", true, "files.example", 80, "/a%20b.png"},
        {"http://files.example/a%20b.png", true, "files.example", 80, "/a%20b.png"},
        {"http://files.example/x/a-b_c.png?k=v&w", true, "files.example", 80, "/x/a%2Db%5Fc.png?k=v&w"},
        {"http://127.0.0.1:8080/x", true, "127.0.0.1:8080", 8080, "/x"},
        {"  see http://files.example/x", true, "files.example", 80, "/x"},
        // Already escaped, yet a line end must not reach the request.
        {"http://files.example/a%20\r\nX: y", true, "files.example", 80, "/a%20%0D%0AX:%20y"},
        {"http://files.example", false, "", 0, ""},
        {"ftp://files.example/x", false, "", 0, ""},
        {"http:///x", false, "", 0, ""},
        {"http://:80/x", false, "", 0, ""},
        {"http://files.example:0/x", false, "", 0, ""},
        {"http://files.example:99999/x", false, "", 0, ""},
        {"http://files.example:8o/x", false, "", 0, ""},
    };
    for (const auto& c : cases) {
        HttpUrlParts parts;
        ASSERT_EQ(SplitHttpUrl(c.url, parts), c.ok) << c.url;
        if (!c.ok)
            continue;
        EXPECT_STREQ(parts.host, c.host) << c.url;
        EXPECT_EQ(parts.port, c.port) << c.url;
        EXPECT_EQ(parts.path, c.path) << c.url;
    }
    HttpUrlParts parts;
    EXPECT_TRUE(SplitHttpUrl(("http://" + std::string(127, 'h') + "/x").c_str(), parts));
    EXPECT_FALSE(SplitHttpUrl(("http://" + std::string(128, 'h') + "/x").c_str(), parts));
}

TEST(HttpLocation, Resolves)
{
    const char* url = "http://files.example:81/x/y/a.png";
    const char* host = "files.example:81";
    const struct {
        const char* location;
        const char* expected; // null: refused
    } cases[] = {
        {"http://other.example/q.png", "http://other.example/q.png"},
        {"/z/c.png", "http://files.example:81/z/c.png"},
        {"  \\z\\c.png", "http://files.example:81/z/c.png"},
        {"b.png", "http://files.example:81/x/y/b.png"},
        {"../b.png", "http://files.example:81/x/b.png"},
        {"../../b.png", "http://files.example:81/b.png"},
        {"../../../b.png", nullptr},
        {"https://files.example/x", nullptr},
        {"find?u=http://other.example/", "http://files.example:81/x/y/find?u=http://other.example/"},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        std::string target;
        EXPECT_EQ(ResolveHttpLocation(url, host, c.location, target), c.expected != nullptr) << c.location;
        if (c.expected) {
            EXPECT_EQ(target, c.expected) << c.location;
        }
    }
    std::string target;
    EXPECT_FALSE(ResolveHttpLocation(url, host, ("/" + std::string(kHttpMaxUrl, 'p')).c_str(), target));
}

int64_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    struct tm fields = {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return _mktime64(&fields);
}

TEST(HttpDate, ParsesTheFixedForm)
{
    const int64_t fallback = 12345;
    const struct {
        const char* text;
        int64_t expected;
    } cases[] = {
        {"Sun, 06 Jun 2021 08:49:37 GMT", LocalTime(2021, 6, 6, 8, 49, 37)},
        {"Thu, 31 DEC 2020 23:59:59 GMT", LocalTime(2020, 12, 31, 23, 59, 59)},
        {"Sun, 06 Xyz 2021 08:49:37 GMT", LocalTime(2021, 1, 6, 8, 49, 37)},
        {"Sun,   06 Jun 99 08:49:37 GMT", LocalTime(1999, 6, 6, 8, 49, 37)},
        {"Sunday 06-Jun-2021 08:49:37 GMT", fallback},
        {"Sun, 06 Jun 2021", fallback},
        {"Sun, 06 Jun 20211 08:49:37 GMT", fallback},
        {"Sun, 06 Jun 2021 8:49:37 GMT", fallback},
        {"Sun, 0", fallback},
        {"", fallback},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseHttpDate(c.text, fallback), c.expected) << c.text;
    EXPECT_EQ(ParseHttpDate(nullptr, fallback), fallback);
}

std::shared_ptr<const std::string> MakeBody(size_t size)
{
    auto body = std::make_shared<std::string>(size, '\0');
    uint32_t x = 2463534242u;
    for (char& c : *body) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    return body;
}

// The events a download reported, for the one download running at a time.
std::vector<std::pair<long, long>> g_events;
CHttpDownload* g_cancelAt103 = nullptr;

bool Record(CHttpDownload* download, long event, long value)
{
    g_events.emplace_back(event, value);
    if (event == HTTP_EVENT_RECEIVED && download == g_cancelAt103)
        download->Cancel();
    return true;
}

const char* const kJune = "Sun, 06 Jun 2021 08:49:37 GMT";

// A server on 127.0.0.1, a fresh folder, and a client with short waits.
class HttpDownloadTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.Start());
        m_client.m_nTimeout = 2;
        m_client.m_nExtraWaits = 0;
        m_client.SetCallback(Record);
        g_events.clear();
        g_cancelAt103 = nullptr;
    }
    void TearDown() override
    {
        m_server.Stop();
    }
    std::wstring At(const wchar_t* name) const { return m_folder.At(name); }
    std::wstring Url(const std::string& target) const
    {
        const std::string url = m_server.Url(target);
        return std::wstring(url.begin(), url.end());
    }
    static std::string Read(const std::wstring& path)
    {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        if (!in)
            return "<missing>";
        std::ostringstream data;
        data << in.rdbuf();
        return data.str();
    }
    static void Write(const std::wstring& path, const std::string& data)
    {
        std::ofstream(std::filesystem::path(path), std::ios::binary) << data;
    }
    static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    static int64_t ModifiedTime(const std::wstring& path)
    {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
        const int64_t ticks = int64_t((uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime);
        return (ticks - 116444736000000000LL) / 10000000;
    }
    std::vector<long> States() const
    {
        std::vector<long> states;
        for (const auto& e : g_events)
            if (e.first == HTTP_EVENT_STATE)
                states.push_back(e.second);
        return states;
    }
    std::vector<std::string> Ranges() const
    {
        std::vector<std::string> ranges;
        for (const HttpRequestSeen& r : m_server.Requests())
            ranges.push_back(r.Field("Range"));
        return ranges;
    }

    LoopbackHttpServer m_server;
    CHttpDownload m_client;
    testsupport::TempFolder m_folder;
};

TEST_F(HttpDownloadTest, WholeFileWithServerTimeThenCurrent)
{
    const auto body = MakeBody(100000);
    HttpFile file;
    file.body = body;
    file.lastModified = kJune;
    m_server.ServeFile("/pic/f.bin", file);
    const std::wstring target = At(L"f.bin");

    ASSERT_EQ(m_client.Download(Url("/pic/f.bin").c_str(), target.c_str()), 0);
    EXPECT_EQ(Read(target), *body);
    EXPECT_FALSE(Exists(target + L".tmp"));
    EXPECT_EQ(ModifiedTime(target), ParseHttpDate(kJune, 0));
    EXPECT_EQ(m_client.GetResult(), HTTP_STATUS_IDLE);
    EXPECT_EQ(States(), (std::vector<long>{201, 202, 203, 204, 206, 207}));
    EXPECT_EQ(g_events[5], std::make_pair(long(HTTP_EVENT_TOTAL), long(body->size())));
    EXPECT_EQ(g_events[g_events.size() - 2], std::make_pair(long(HTTP_EVENT_RECEIVED), long(body->size())));

    const HttpRequestSeen request = m_server.Requests().at(0);
    EXPECT_EQ(request.header.substr(0, request.header.find("\r\n")), "GET /pic/f.bin HTTP/1.1");
    EXPECT_EQ(request.Field("Host"), m_server.Host());
    EXPECT_EQ(request.Field("User-Agent"), "HttpDownload/1.00");
    EXPECT_EQ(request.Field("Connection"), "close");
    EXPECT_EQ(request.Field("Range"), "");

    // Unchanged on the server: nothing is written.
    ASSERT_EQ(m_client.Download(Url("/pic/f.bin").c_str(), target.c_str()), 1);
    EXPECT_EQ(m_server.CountRequests("/pic/f.bin"), 2);
    EXPECT_EQ(ModifiedTime(target), ParseHttpDate(kJune, 0));

    // A changed size is downloaded again.
    Write(target, "old");
    ASSERT_EQ(m_client.Download(Url("/pic/f.bin").c_str(), target.c_str()), 0);
    EXPECT_EQ(Read(target), *body);
}

TEST_F(HttpDownloadTest, ResumesPartialFiles)
{
    const auto body = MakeBody(120000);
    HttpFile file;
    file.body = body;
    m_server.ServeFile("/f.bin", file);
    const std::wstring target = At(L"f.bin");

    // From a partial file left by an earlier run.
    Write(target + L".tmp", body->substr(0, 30000));
    ASSERT_EQ(m_client.Download(Url("/f.bin").c_str(), target.c_str()), 0);
    EXPECT_EQ(Read(target), *body);
    EXPECT_EQ(Ranges(), (std::vector<std::string>{"bytes=30000-"}));

    // After connections dropped in the middle of the body.
    HttpFile dropping = file;
    dropping.dropFirst = 2;
    dropping.dropAfter = 40000;
    m_server.ServeFile("/drop.bin", dropping);
    const std::wstring second = At(L"drop.bin");
    ASSERT_EQ(m_client.Download(Url("/drop.bin").c_str(), second.c_str()), 0);
    EXPECT_EQ(Read(second), *body);
    EXPECT_EQ(Ranges(), (std::vector<std::string>{"bytes=30000-", "", "bytes=40000-", "bytes=80000-"}));

    // A server that ignores the range sends the whole file, which replaces the partial one.
    HttpFile whole = file;
    whole.ranges = false;
    m_server.ServeFile("/whole.bin", whole);
    const std::wstring third = At(L"whole.bin");
    Write(third + L".tmp", body->substr(0, 5000));
    ASSERT_EQ(m_client.Download(Url("/whole.bin").c_str(), third.c_str()), 0);
    EXPECT_EQ(Read(third), *body);
    EXPECT_EQ(m_server.CountRequests("/whole.bin"), 1);
}

TEST_F(HttpDownloadTest, RangeNotSatisfiableCompletesOnlyAMatchingPartialFile)
{
    const std::string partial(5000, 'p');
    const struct {
        const char* contentRange;
        int expected;
    } cases[] = {
        {"Content-Range: bytes */5000\r\n", 0},
        {"Content-Range: bytes */5001\r\n", -1},
        {"Content-Range: bytes */4999\r\n", -1},
        {"Content-Range: bytes */-1\r\n", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        m_server.ServeRaw("/r.bin", std::string("HTTP/1.1 416 Range Not Satisfiable\r\n") + c.contentRange +
                                        "Content-Length: 0\r\n\r\n");
        const std::wstring target = At(L"r.bin");
        DeleteFileW(target.c_str());
        Write(target + L".tmp", partial);
        EXPECT_EQ(m_client.Download(Url("/r.bin").c_str(), target.c_str()), c.expected) << c.contentRange;
        EXPECT_EQ(Read(target), c.expected == 0 ? partial : "<missing>") << c.contentRange;
        // A partial file the server does not confirm is of no use against it.
        EXPECT_FALSE(Exists(target + L".tmp")) << c.contentRange;
        EXPECT_EQ(m_client.GetResult(), c.expected == 0 ? HTTP_STATUS_IDLE : 416);
    }
}

TEST_F(HttpDownloadTest, PartialAnswersMustContinueThePartialFile)
{
    const std::string partial(5000, 'p');
    const struct {
        const char* contentRange;
        int length;
        int expected;
        std::string file;
    } cases[] = {
        {"bytes 5000-9999/10000", 5000, 0, partial + std::string(5000, 'r')},
        // Starts elsewhere: the partial file is dropped, and the next request (without a range)
        // takes the answer from the start as the whole file.
        {"bytes 0-9999/10000", 10000, 0, std::string(10000, 'r')},
        // A piece, never the rest of the file.
        {"bytes 5000-5999/10000", 1000, -1, "<missing>"},
    };
    for (const auto& c : cases) {
        m_server.ServeRaw("/p.bin", std::string("HTTP/1.1 206 Partial Content\r\nContent-Range: ") + c.contentRange +
                                        "\r\nContent-Length: " + std::to_string(c.length) + "\r\n\r\n" +
                                        std::string(size_t(c.length), 'r'));
        const std::wstring target = At(L"p.bin");
        DeleteFileW(target.c_str());
        Write(target + L".tmp", partial);
        EXPECT_EQ(m_client.Download(Url("/p.bin").c_str(), target.c_str()), c.expected) << c.contentRange;
        EXPECT_EQ(Read(target), c.file) << c.contentRange;
    }
}

TEST_F(HttpDownloadTest, FollowsRedirectChainsAcrossServers)
{
    LoopbackHttpServer other;
    ASSERT_TRUE(other.Start("127.0.0.2"));
    const auto body = MakeBody(50000);
    HttpFile file;
    file.body = body;
    other.ServeFile("/x/f.bin", file);
    m_server.ServeRedirect("/start", 301, other.Url("/go"));
    // Locations keep their case.
    other.ServeRedirect("/go", 302, "/x/Y/Next");
    other.ServeRedirect("/x/Y/Next", 307, "../f.bin");

    const std::wstring target = At(L"f.bin");
    ASSERT_EQ(m_client.Download(Url("/start").c_str(), target.c_str()), 0);
    EXPECT_EQ(Read(target), *body);
    EXPECT_EQ(other.Requests().back().Field("Host"), other.Host());
    const std::vector<long> states = States();
    EXPECT_EQ(std::count(states.begin(), states.end(), HTTP_STATE_REDIRECT), 3);

    unsigned received = 0;
    std::string buffer(60000, 'z');
    ASSERT_EQ(m_client.DownloadToBuffer(m_server.Url("/start").c_str(), &buffer[0], 60000, &received), 0);
    EXPECT_EQ(received, body->size());
    EXPECT_EQ(buffer, *body + std::string(10000, '\0'));
}

TEST_F(HttpDownloadTest, HostileAnswersFailPromptly)
{
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const struct {
        const char* name;
        std::string answer;
    } cases[] = {
        {"garbage status line", "garbage\r\n\r\nbody"},
        {"status not a number", "HTTP/1.1 2x0 OK\r\nContent-Length: 4\r\n\r\nbody"},
        {"endless header line", ok + "X-Pad: " + std::string(30000, 'a')},
        {"header never ends", ok + "Content-Length: 4\r\n"},
        {"no content length", ok + "\r\nbody"},
        {"negative length", ok + "Content-Length: -5\r\n\r\nbody"},
        {"length beyond 64 bits", ok + "Content-Length: 99999999999999999999999\r\n\r\nbody"},
        {"absurd length", ok + "Content-Length: 5000000000000\r\n\r\nbody"},
        {"length with junk", ok + "Content-Length: 4x\r\n\r\nbody"},
        {"server error", "HTTP/1.1 500 Oops\r\nContent-Length: 4\r\n\r\nbody"},
        {"redirect without location", "HTTP/1.1 302 Found\r\nContent-Length: 0\r\n\r\n"},
        {"location too long", "HTTP/1.1 302 Found\r\nLocation: /" + std::string(5000, 'l') + "\r\n\r\n"},
        {"redirect to another scheme", "HTTP/1.1 302 Found\r\nLocation: https://127.0.0.1/x\r\n\r\n"},
        {"nothing at all", ""},
    };
    const std::wstring target = At(L"h.bin");
    for (const auto& c : cases) {
        m_server.ServeRaw("/h", c.answer);
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(m_client.Download(Url("/h").c_str(), target.c_str()), -1) << c.name;
        EXPECT_FALSE(Exists(target)) << c.name;
        char buffer[64];
        unsigned received = 99;
        EXPECT_EQ(m_client.DownloadToBuffer(m_server.Url("/h").c_str(), buffer, sizeof(buffer), &received), -1) << c.name;
        EXPECT_EQ(received, 0u) << c.name;
        EXPECT_LT(GetTickCount64() - start, 3000u) << c.name;
    }

    // A loop ends after the bounded number of redirects.
    m_server.ServeRedirect("/loop", 302, "/loop");
    EXPECT_EQ(m_client.Download(Url("/loop").c_str(), target.c_str()), -1);
    EXPECT_EQ(m_server.CountRequests("/loop"), kHttpMaxRedirects + 1);
}

TEST_F(HttpDownloadTest, SlowBodiesArriveAndStalledOnesEnd)
{
    const auto body = MakeBody(40000);
    HttpFile slow;
    slow.body = body;
    slow.chunkSize = 8000;
    slow.chunkDelay = 300;
    m_server.ServeFile("/slow.bin", slow);
    m_client.m_nTimeout = 1;
    const std::wstring target = At(L"slow.bin");
    ASSERT_EQ(m_client.Download(Url("/slow.bin").c_str(), target.c_str()), 0);
    EXPECT_EQ(Read(target), *body);

    // Header and a little, then silence longer than the wait.
    m_server.Handle("/stall", [](const HttpRequestSeen&, HttpReplyChannel& reply) {
        reply.Send("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n" + std::string(1000, 's'));
        reply.Pause(4000);
    });
    m_client.m_nAttempts = 2;
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(m_client.Download(Url("/stall").c_str(), At(L"stall.bin").c_str()), -1);
    EXPECT_EQ(m_server.CountRequests("/stall"), 2);
    EXPECT_LT(GetTickCount64() - start, 4000u);
    // The partial file stays for a later resumption.
    EXPECT_EQ(Read(At(L"stall.bin.tmp")), std::string(1000, 's'));
}

TEST_F(HttpDownloadTest, RetriesEndWithoutProgress)
{
    HttpFile dropping;
    dropping.body = MakeBody(10000);
    dropping.dropFirst = 1000;
    dropping.dropAfter = 0;
    m_server.ServeFile("/d.bin", dropping);
    EXPECT_EQ(m_client.Download(Url("/d.bin").c_str(), At(L"d.bin").c_str()), -1);
    const int fileRequests = m_server.CountRequests("/d.bin");
    EXPECT_GE(fileRequests, 2);
    EXPECT_LE(fileRequests, 5);

    char buffer[100];
    unsigned received = 0;
    EXPECT_EQ(m_client.DownloadToBuffer(m_server.Url("/d.bin").c_str(), buffer, sizeof(buffer), &received), -1);
    EXPECT_LE(m_server.CountRequests("/d.bin") - fileRequests, 5);
}

TEST_F(HttpDownloadTest, CancelRemovesThePartialFile)
{
    HttpFile file;
    file.body = MakeBody(200000);
    file.chunkSize = 20000;
    file.chunkDelay = 50;
    m_server.ServeFile("/c.bin", file);
    g_cancelAt103 = &m_client;
    const std::wstring target = At(L"c.bin");
    EXPECT_EQ(m_client.Download(Url("/c.bin").c_str(), target.c_str()), -1);
    EXPECT_EQ(m_client.GetResult(), HTTP_STATUS_CANCELLED);
    EXPECT_FALSE(Exists(target));
    EXPECT_FALSE(Exists(target + L".tmp"));
    const std::vector<long> states = States();
    EXPECT_EQ(std::count(states.begin(), states.end(), HTTP_STATE_DONE), 0);
}

TEST_F(HttpDownloadTest, BufferTakesAtMostItsCapacity)
{
    const auto body = MakeBody(30000);
    HttpFile file;
    file.body = body;
    m_server.ServeFile("/b.bin", file);
    std::string buffer(1000, 'z');
    unsigned received = 0;
    ASSERT_EQ(m_client.DownloadToBuffer(m_server.Url("/b.bin").c_str(), &buffer[0], 1000, &received), 0);
    EXPECT_EQ(received, 1000u);
    EXPECT_EQ(buffer, body->substr(0, 1000));
    EXPECT_EQ(m_client.GetResult(), HTTP_STATUS_IDLE);

    // A body cut short is a failure, not a short success.
    HttpFile cut = file;
    cut.dropFirst = 1000;
    cut.dropAfter = 500;
    m_server.ServeFile("/cut.bin", cut);
    std::string big(40000, 'z');
    EXPECT_EQ(m_client.DownloadToBuffer(m_server.Url("/cut.bin").c_str(), &big[0], 40000, &received), -1);
    EXPECT_EQ(received, 0u);
}

TEST_F(HttpDownloadTest, PathsOutsideTheCodePageStayWide)
{
    HttpFile file;
    file.body = MakeBody(3000);
    m_server.ServeFile("/w.bin", file);
    const std::wstring target = At(L"\x7167\x7247 \x03A9\x03BC.bin");
    ASSERT_EQ(m_client.Download(Url("/w.bin").c_str(), target.c_str()), 0);
    EXPECT_EQ(Read(target), *file.body);
    EXPECT_STREQ(m_client.GetLocalFileName(), target.c_str());
}

TEST_F(HttpDownloadTest, ProxyAuthorizationAndUserAgent)
{
    HttpFile file;
    file.body = MakeBody(2000);
    m_server.ServeFile("http://files.example/a%20b.png", file);
    m_client.m_bProxy = true;
    strcpy(m_client.m_szProxyHost, "127.0.0.1");
    m_client.m_nProxyPort = m_server.Port();
    m_client.m_bAuthorization = true;
    strcpy(m_client.m_szUser, "user");
    strcpy(m_client.m_szPassword, "pass");
    const std::string agent31(31, 'A');
    m_client.SetUserAgent((agent31 + "overflow").c_str());
    std::string buffer(2000, 0);
    unsigned received = 0;
    ASSERT_EQ(m_client.DownloadToBuffer("http://files.example/a b.png", &buffer[0], 2000, &received), 0);
    EXPECT_EQ(buffer, *file.body);
    const HttpRequestSeen request = m_server.Requests().at(0);
    EXPECT_EQ(request.Field("Host"), "files.example");
    EXPECT_EQ(request.Field("Authorization"), "Basic dXNlcjpwYXNz");
    EXPECT_EQ(request.Field("User-Agent"), agent31);
}

// Without a port the client goes to port 80; binding it needs the rights CI has.
TEST_F(HttpDownloadTest, PortEightyByDefault)
{
    LoopbackHttpServer standard;
    if (!standard.Start("127.0.0.3", 80))
        GTEST_SKIP() << "port 80 cannot be bound here";
    HttpFile file;
    file.body = MakeBody(500);
    standard.ServeFile("/p", file);
    char buffer[500];
    unsigned received = 0;
    ASSERT_EQ(m_client.DownloadToBuffer("http://127.0.0.3/p", buffer, sizeof(buffer), &received), 0);
    EXPECT_EQ(std::string(buffer, received), *file.body);
    EXPECT_EQ(standard.Requests().at(0).Field("Host"), "127.0.0.3");
}

} // namespace
