#include <winsock2.h>
#include <windows.h>

#include "LoopbackHttpServer.h"
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace testsupport {

namespace {

// A client that stops reading, or a request that never ends, cannot hold a thread longer.
const DWORD kSocketTimeout = 5000;
const size_t kMaxRequest = 64 * 1024;

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

const char* Reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 307: return "Temporary Redirect";
    case 404: return "Not Found";
    case 416: return "Range Not Satisfiable";
    default: return "Status";
    }
}

std::string StatusLine(int status)
{
    return "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n";
}

} // namespace

std::string HttpRequestSeen::Field(const char* name) const
{
    const std::string lower = Lower(header);
    const std::string key = "\r\n" + Lower(name) + ":";
    const size_t at = lower.find(key);
    if (at == std::string::npos)
        return std::string();
    size_t begin = at + key.size();
    while (begin < header.size() && header[begin] == ' ')
        ++begin;
    return header.substr(begin, header.find("\r\n", begin) - begin);
}

bool HttpReplyChannel::Send(const char* data, size_t size)
{
    while (size > 0) {
        if (m_stopping.load())
            return false;
        const int n = send(SOCKET(m_socket), data, int(std::min<size_t>(size, 1 << 20)), 0);
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool HttpReplyChannel::Pause(int milliseconds) const
{
    for (int left = milliseconds; left > 0; left -= 20) {
        if (m_stopping.load())
            return false;
        Sleep(DWORD(std::min(left, 20)));
    }
    return !m_stopping.load();
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    Stop();
}

bool LoopbackHttpServer::Start(const char* address, uint16_t port)
{
    if (m_started)
        return false;
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    m_started = true; // Stop balances WSAStartup from here on
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        Stop();
        return false;
    }
    m_listener = uintptr_t(s);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = inet_addr(address);
    local.sin_port = htons(port);
    int length = sizeof(local);
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof(local)) != 0 || listen(s, 16) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        Stop();
        return false;
    }
    m_address = address;
    m_port = ntohs(local.sin_port);
    m_stopping = false;
    m_listenThread = std::thread([this] { Listen(); });
    return true;
}

void LoopbackHttpServer::Stop()
{
    if (!m_started)
        return;
    m_stopping = true;
    if (m_listenThread.joinable())
        m_listenThread.join();
    std::vector<std::thread> connections;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        connections.swap(m_connections);
    }
    for (std::thread& t : connections)
        t.join();
    if (m_listener != ~uintptr_t(0))
        closesocket(SOCKET(m_listener));
    m_listener = ~uintptr_t(0);
    m_started = false;
    WSACleanup();
}

std::string LoopbackHttpServer::Host() const
{
    return m_port == 80 ? m_address : m_address + ":" + std::to_string(m_port);
}

void LoopbackHttpServer::Handle(const std::string& target, HttpHandler handler)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_handlers[target] = std::move(handler);
}

void LoopbackHttpServer::ServeRaw(const std::string& target, const std::string& bytes)
{
    Handle(target, [bytes](const HttpRequestSeen&, HttpReplyChannel& reply) { reply.Send(bytes); });
}

void LoopbackHttpServer::ServeRedirect(const std::string& target, int status, const std::string& location)
{
    ServeRaw(target, StatusLine(status) + "Location: " + location + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

// The file's answer to one request; answer counts the earlier answers of the same file.
static void SendFile(const HttpFile& file, int answer, const HttpRequestSeen& request, HttpReplyChannel& reply)
{
    const std::string& body = *file.body;
    const size_t size = body.size();
    size_t start = 0;
    int status = 200;
    const std::string range = Lower(request.Field("Range"));
    if (file.ranges && range.compare(0, 6, "bytes=") == 0) {
        start = size_t(strtoull(range.c_str() + 6, nullptr, 10));
        if (start >= size) {
            reply.Send(StatusLine(416) + "Content-Range: bytes */" + std::to_string(size) +
                       "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            return;
        }
        status = 206;
    }
    std::string head = StatusLine(status);
    if (status == 206)
        head += "Content-Range: bytes " + std::to_string(start) + "-" + std::to_string(size - 1) + "/" +
                std::to_string(size) + "\r\n";
    if (file.contentLength)
        head += "Content-Length: " + std::to_string(size - start) + "\r\n";
    if (!file.lastModified.empty())
        head += "Last-Modified: " + file.lastModified + "\r\n";
    head += "Connection: close\r\n\r\n";
    if (!reply.Send(head))
        return;
    size_t end = size;
    if (answer < file.dropFirst)
        end = std::min(size, start + file.dropAfter);
    for (size_t at = start; at < end;) {
        const size_t count = std::min(file.chunkSize, end - at);
        if (!reply.Send(body.data() + at, count))
            return;
        at += count;
        if (file.chunkDelay > 0 && at < end && !reply.Pause(file.chunkDelay))
            return;
    }
}

void LoopbackHttpServer::ServeFile(const std::string& target, const HttpFile& file)
{
    auto answers = std::make_shared<std::atomic<int>>(0);
    Handle(target, [file, answers](const HttpRequestSeen& request, HttpReplyChannel& reply) {
        SendFile(file, (*answers)++, request, reply);
    });
}

void LoopbackHttpServer::ServeFolder(const std::string& prefix, const std::wstring& folder)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_folders.emplace_back(prefix, folder);
}

namespace {

// The target's "%XX" escapes as the bytes they stand for, as a web server reads them.
std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += char(strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The bytes of the file that target names below the folder, false when there is none.
bool ReadFolderFile(const std::wstring& folder, const std::string& target, std::string& bytes)
{
    const std::string relative = Unescape(target);
    if (relative.empty() || relative.find("..") != std::string::npos || relative.find(':') != std::string::npos)
        return false;
    std::wstring path = folder + L"\\";
    for (char c : relative)
        path += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
    FILE* in = _wfopen(path.c_str(), L"rb");
    if (!in)
        return false;
    char block[4096];
    size_t n;
    while ((n = fread(block, 1, sizeof block, in)) > 0)
        bytes.append(block, n);
    fclose(in);
    return true;
}

} // namespace

std::vector<HttpRequestSeen> LoopbackHttpServer::Requests() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

int LoopbackHttpServer::CountRequests(const std::string& target) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return int(std::count_if(m_requests.begin(), m_requests.end(),
                             [&](const HttpRequestSeen& r) { return r.target == target; }));
}

void LoopbackHttpServer::Listen()
{
    while (!m_stopping.load()) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(SOCKET(m_listener), &ready);
        timeval wait = {0, 50 * 1000};
        if (select(0, &ready, nullptr, nullptr, &wait) <= 0)
            continue;
        const SOCKET s = accept(SOCKET(m_listener), nullptr, nullptr);
        if (s == INVALID_SOCKET)
            continue;
        std::lock_guard<std::mutex> guard(m_lock);
        m_connections.emplace_back([this, s] { Answer(uintptr_t(s)); });
    }
}

void LoopbackHttpServer::Answer(uintptr_t socket)
{
    const SOCKET s = SOCKET(socket);
    const DWORD timeout = kSocketTimeout;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    std::string text;
    char block[4096];
    size_t end = std::string::npos;
    while (end == std::string::npos && text.size() < kMaxRequest && !m_stopping.load()) {
        const int n = recv(s, block, sizeof(block), 0);
        if (n <= 0)
            break;
        text.append(block, size_t(n));
        end = text.find("\r\n\r\n");
    }
    if (end != std::string::npos) {
        HttpRequestSeen request;
        request.header = text.substr(0, end + 4);
        const size_t blank = request.header.find(' ');
        const size_t second = request.header.find(' ', blank + 1);
        if (blank != std::string::npos && second != std::string::npos)
            request.target = request.header.substr(blank + 1, second - blank - 1);
        HttpHandler handler;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_requests.push_back(request);
            const auto found = m_handlers.find(request.target);
            if (found != m_handlers.end())
                handler = found->second;
            for (size_t i = 0; !handler && i < m_folders.size(); ++i) {
                const std::string& prefix = m_folders[i].first;
                std::string bytes;
                if (request.target.compare(0, prefix.size(), prefix) != 0 ||
                    !ReadFolderFile(m_folders[i].second, request.target.substr(prefix.size()), bytes))
                    continue;
                HttpFile file;
                file.body = std::make_shared<const std::string>(std::move(bytes));
                handler = [file](const HttpRequestSeen& seen, HttpReplyChannel& channel) { SendFile(file, 0, seen, channel); };
            }
        }
        HttpReplyChannel reply(socket, m_stopping);
        if (handler)
            handler(request, reply);
        else
            reply.Send(StatusLine(404) + "Content-Length: 0\r\nConnection: close\r\n\r\n");
    }
    shutdown(s, SD_SEND);
    closesocket(s);
}

} // namespace testsupport
