#pragma once
// A small HTTP/1.1 server on a loopback address for the tests and benchmarks: a listening
// thread, one thread per connection, answers scripted per request target. Every connection is
// closed after its answer. Stop (or the destructor) ends and joins all threads; no wait is
// unbounded.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct HttpRequestSeen {
    std::string target; // as written in the request line (a proxy request has the whole URL)
    std::string header; // the request up to and including its blank line
    // A field's value without leading blanks, matched without case; empty when missing.
    std::string Field(const char* name) const;
};

// The answering side of one connection.
class HttpReplyChannel {
public:
    explicit HttpReplyChannel(uintptr_t socket, const std::atomic<bool>& stopping) : m_socket(socket), m_stopping(stopping) {}
    // False once the client has gone or the server stops.
    bool Send(const char* data, size_t size);
    bool Send(const std::string& bytes) { return Send(bytes.data(), bytes.size()); }
    // Sleeps in short steps; false when the server stops meanwhile.
    bool Pause(int milliseconds) const;
    bool Stopping() const { return m_stopping.load(); }

private:
    uintptr_t m_socket;
    const std::atomic<bool>& m_stopping;
};

using HttpHandler = std::function<void(const HttpRequestSeen&, HttpReplyChannel&)>;

// A file served with 200, ranges with 206 and 416 ("Content-Range: bytes */size").
struct HttpFile {
    std::shared_ptr<const std::string> body;
    std::string lastModified;  // sent as Last-Modified when not empty
    bool contentLength = true; // send Content-Length
    bool ranges = true;        // honour "Range: bytes=N-"; else always the whole file
    int dropFirst = 0;         // this many answers end after dropAfter body bytes
    size_t dropAfter = 0;
    int chunkDelay = 0;        // milliseconds between chunks of chunkSize bytes
    size_t chunkSize = 256 * 1024;
};

class LoopbackHttpServer {
public:
    LoopbackHttpServer() = default;
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // address: a dotted 127.x.y.z; port 0 picks a free one.
    bool Start(const char* address = "127.0.0.1", uint16_t port = 0);
    void Stop();
    uint16_t Port() const { return m_port; }
    // "127.0.0.1:port" ("127.0.0.1" alone on port 80), as a client writes it in a URL.
    std::string Host() const;
    std::string Url(const std::string& target) const { return "http://" + Host() + target; }

    // Targets without an answer get 404.
    void Handle(const std::string& target, HttpHandler handler);
    void ServeFile(const std::string& target, const HttpFile& file);
    // Exactly these bytes, then the connection is closed.
    void ServeRaw(const std::string& target, const std::string& bytes);
    void ServeRedirect(const std::string& target, int status, const std::string& location);
    // Targets below prefix ("/res/") without an answer of their own are the files below folder,
    // read when asked for ("%XX" escapes decoded, "/" parts become "\\"); a missing file or a
    // ".." part gets 404.
    void ServeFolder(const std::string& prefix, const std::wstring& folder);

    std::vector<HttpRequestSeen> Requests() const;
    int CountRequests(const std::string& target) const;

private:
    void Listen();
    void Answer(uintptr_t socket);

    uintptr_t m_listener = ~uintptr_t(0);
    std::string m_address;
    uint16_t m_port = 0;
    bool m_started = false;
    std::atomic<bool> m_stopping{false};
    std::thread m_listenThread;
    mutable std::mutex m_lock;
    std::vector<std::thread> m_connections;
    std::map<std::string, HttpHandler> m_handlers;
    std::vector<std::pair<std::string, std::wstring>> m_folders;
    std::vector<HttpRequestSeen> m_requests;
};

} // namespace testsupport
