// Winsock first: windows.h would otherwise bring in the older socket header.
#include <winsock2.h>
#include <windows.h>

#include "HttpDownload.h"
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>
#include "Base64.h"
#include "BaseUtil.h"
#include "LocalFileIO.h"
#include "WStr.h"

namespace {

// No body of ours comes near this; a larger announced length is a hostile or broken server.
const int64_t kMaxContentLength = int64_t(1) << 40;
// With no attempt count set, a download gives up after this many requests in a row that add
// nothing to the file (a server that drops every answer, or stalls).
const int kMaxIdlePasses = 4;
// Cancel is noticed within this time even during a long wait.
const DWORD kWaitSlice = 200;

bool StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix) {
        char c = *text;
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != *prefix)
            return false;
    }
    return true;
}

bool IsUnreserved(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || strchr("/\\.:?&=", c);
}

// A path that holds "%" is taken as already escaped; control bytes, blanks and bytes above
// ASCII are escaped in any case, so that no caller's text can end the request line.
std::string EscapePath(const char* path)
{
    static const char kHex[] = "0123456789ABCDEF";
    const bool escaped = strchr(path, '%') != nullptr;
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(path); *p; ++p) {
        const bool keep = escaped ? (*p > 0x20 && *p < 0x7F) : IsUnreserved(*p);
        if (keep) {
            out += char(*p);
        } else {
            out += '%';
            out += kHex[*p >> 4];
            out += kHex[*p & 15];
        }
    }
    return out;
}

// Decimal digits only, at most 18 of them (no 64-bit overflow); false for anything else.
bool ParseLength(const char* text, const char* end, int64_t& value)
{
    while (text < end && (*text == ' ' || *text == '\t'))
        ++text;
    int digits = 0;
    value = 0;
    for (; text < end && *text >= '0' && *text <= '9'; ++text) {
        if (++digits > 18)
            return false;
        value = value * 10 + (*text - '0');
    }
    while (text < end && (*text == ' ' || *text == '\t'))
        ++text;
    return digits > 0 && text == end;
}

bool TwoDigits(const char* p, int& value)
{
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return false;
    value = (p[0] - '0') * 10 + (p[1] - '0');
    return true;
}

int64_t FileSizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return int64_t((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

FILETIME TimeTToFileTime(int64_t seconds)
{
    const uint64_t ticks = uint64_t(seconds < 0 ? 0 : seconds) * 10000000ULL + 116444736000000000ULL;
    FILETIME time;
    time.dwLowDateTime = DWORD(ticks);
    time.dwHighDateTime = DWORD(ticks >> 32);
    return time;
}

int64_t Now()
{
    return _time64(nullptr);
}

bool DefaultCallback(CHttpDownload*, long, long)
{
    return true;
}

// The partial file: opened at its end to go on with it, or made anew.
bool OpenPartial(const std::wstring& path, bool append, win32::FileHandle& file)
{
    CLocalFileIO& io = GetLocalFileIO();
    if (!append)
        return io.Create(path.c_str(), *file.Out(), FILEIO_READWRITE);
    return io.Open(path.c_str(), *file.Out(), FILEIO_READWRITE) && io.Seek(file.Get(), 0, FILE_END) >= 0;
}

} // namespace

bool SplitHttpUrl(const char* url, HttpUrlParts& parts)
{
    parts = HttpUrlParts();
    if (!url)
        return false;
    // Text before the scheme is tolerated within the first 1023 characters.
    const char* start = nullptr;
    for (int i = 0; i < 1023 && url[i]; ++i) {
        if (StartsWithNoCase(url + i, "http://")) {
            start = url + i + 7;
            break;
        }
    }
    if (!start)
        return false;
    const char* slash = strchr(start, '/');
    if (!slash || slash == start || slash - start > kHttpMaxHost)
        return false;
    const size_t hostLength = size_t(slash - start);
    memcpy(parts.host, start, hostLength);
    parts.host[hostLength] = 0;
    const char* colon = static_cast<const char*>(memchr(start, ':', hostLength));
    const size_t nameLength = colon ? size_t(colon - start) : hostLength;
    if (nameLength == 0)
        return false;
    memcpy(parts.name, start, nameLength);
    parts.name[nameLength] = 0;
    if (colon) {
        int64_t port = 0;
        if (!ParseLength(colon + 1, slash, port) || port < 1 || port > 65535)
            return false;
        parts.port = uint16_t(port);
    }
    parts.path = EscapePath(slash);
    return true;
}

bool ResolveHttpLocation(const char* url, const char* host, const char* location, std::string& target)
{
    std::string value;
    for (const char* p = location; p && *p; ++p)
        value += *p == '\\' ? '/' : *p;
    const size_t first = value.find_first_not_of(" \t");
    value.erase(0, first == std::string::npos ? value.size() : first);
    if (value.empty())
        return false;
    if (StartsWithNoCase(value.c_str(), "http://")) {
        target = value;
    } else if (value[0] == '/') {
        target = std::string("http://") + host + value;
    } else {
        const size_t otherScheme = value.find("://");
        if (otherScheme != std::string::npos && otherScheme < value.find_first_of("/?"))
            return false; // another scheme: this client speaks plain http only
        // n times "../" climbs n folders above the current document's folder.
        int climbs = 0;
        size_t rest = 0;
        for (size_t at = value.find("../"); at != std::string::npos; at = value.find("../", at + 3)) {
            ++climbs;
            rest = at + 3;
        }
        const std::string current(url);
        const size_t scheme = current.find("://");
        const size_t pathStart = current.find('/', scheme == std::string::npos ? 0 : scheme + 3);
        if (pathStart == std::string::npos)
            return false;
        size_t cut = current.size();
        for (int i = 0; i <= climbs; ++i) {
            const size_t slash = current.rfind('/', cut - 1);
            if (slash == std::string::npos || slash < pathStart)
                return false; // climbing above the server's root
            cut = slash;
            if (cut == pathStart && i < climbs)
                return false;
        }
        target = current.substr(0, cut) + "/" + value.substr(rest);
    }
    return target.size() <= size_t(kHttpMaxUrl);
}

int64_t ParseHttpDate(const char* text, int64_t fallback)
{
    static const char kMonths[] = "jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec";
    const char* p = text ? strchr(text, ',') : nullptr;
    if (!p)
        return fallback;
    ++p;
    while (*p == ' ')
        ++p;
    struct tm fields = {};
    // "06 Jun 2021 08:49:37": day, one separator, month, blanks, year, blank, time.
    if (strlen(p) < 6 || !TwoDigits(p, fields.tm_mday))
        return fallback;
    char month[4] = {p[3], p[4], p[5], 0};
    AStrToLowerAscii(month);
    const char* found = strstr(kMonths, month);
    fields.tm_mon = found && (found - kMonths) % 4 == 0 ? int(found - kMonths) / 4 : 0;
    p += 6;
    while (*p == ' ')
        ++p;
    const char* blank = strchr(p, ' ');
    if (!blank || blank == p || blank - p > 4)
        return fallback;
    int year = 0;
    for (const char* d = p; d < blank; ++d) {
        if (*d < '0' || *d > '9')
            return fallback;
        year = year * 10 + (*d - '0');
    }
    fields.tm_year = blank - p == 4 ? year - 1900 : year;
    const char* time = blank + 1;
    if (strlen(time) < 8 || time[2] != ':' || time[5] != ':' || !TwoDigits(time, fields.tm_hour) ||
        !TwoDigits(time + 3, fields.tm_min) || !TwoDigits(time + 6, fields.tm_sec))
        return fallback;
    fields.tm_isdst = -1;
    const __time64_t value = _mktime64(&fields);
    return value == -1 ? fallback : int64_t(value);
}

// What the header of one answer says.
struct HttpResponseHead {
    int status = 0;
    int headerLength = 0;
    int64_t contentLength = -1;
    int64_t modified = -1;
    int64_t rangeStart = -1;
    int64_t rangeTotal = -1;
    bool hasLocation = false;
    std::string location;
};

namespace {

// The value of a field, from the original bytes (a redirect's path keeps its case); the name is
// matched without case at the start of a line. False when the field is missing.
bool FindField(const std::string& header, const std::string& lower, const char* name, std::string& value)
{
    const std::string key = std::string("\r\n") + name;
    const size_t at = lower.find(key);
    if (at == std::string::npos)
        return false;
    const size_t begin = at + key.size();
    const size_t end = header.find("\r\n", begin);
    value = header.substr(begin, end - begin);
    const size_t first = value.find_first_not_of(" \t");
    value.erase(0, first == std::string::npos ? value.size() : first);
    const size_t last = value.find_last_not_of(" \t");
    value.erase(last == std::string::npos ? 0 : last + 1);
    return true;
}

// "bytes S-E/N" or "bytes */N".
void ParseContentRange(const std::string& value, int64_t& start, int64_t& total)
{
    start = total = -1;
    if (!StartsWithNoCase(value.c_str(), "bytes"))
        return;
    const size_t slash = value.find('/');
    if (slash == std::string::npos)
        return;
    const char* text = value.c_str();
    int64_t n = 0;
    if (ParseLength(text + slash + 1, text + value.size(), n))
        total = n;
    const size_t first = value.find_first_not_of(" \t", 5);
    const size_t dash = value.find('-', first);
    if (first != std::string::npos && dash != std::string::npos && dash < slash &&
        ParseLength(text + first, text + dash, n))
        start = n;
}

// The header of an answer (up to and including the blank line). False for anything that is
// not an HTTP status line with a three-digit status, or a length that does not parse.
bool ParseHeader(const std::string& header, int64_t requestTime, HttpResponseHead& out)
{
    std::string lower(header);
    AStrToLowerAscii(&lower[0]);
    if (lower.compare(0, 5, "http/") != 0)
        return false;
    const size_t lineEnd = lower.find("\r\n");
    const size_t blank = lower.find(' ');
    if (blank == std::string::npos || blank > lineEnd)
        return false;
    int status = 0;
    size_t p = blank + 1;
    for (int i = 0; i < 3; ++i, ++p) {
        if (p >= lineEnd || lower[p] < '0' || lower[p] > '9')
            return false;
        status = status * 10 + (lower[p] - '0');
    }
    if (p != lineEnd && lower[p] != ' ')
        return false;
    out.status = status;
    out.headerLength = int(header.size());
    std::string value;
    out.hasLocation = FindField(header, lower, "location:", out.location);
    if (FindField(header, lower, "content-length:", value)) {
        if (!ParseLength(value.c_str(), value.c_str() + value.size(), out.contentLength) ||
            out.contentLength > kMaxContentLength)
            return false;
    }
    out.modified = requestTime;
    if (FindField(header, lower, "last-modified:", value))
        out.modified = ParseHttpDate(value.c_str(), requestTime);
    if (FindField(header, lower, "content-range:", value))
        ParseContentRange(value, out.rangeStart, out.rangeTotal);
    return true;
}
} // namespace

CHttpDownload::CHttpDownload() : m_callback(DefaultCallback)
{
    SetUserAgent("HttpDownload/1.00");
    Reset();
}

CHttpDownload::~CHttpDownload() = default;

void CHttpDownload::SetUserAgent(const char* agent)
{
    AStrCopyN(m_userAgent, agent, int(sizeof(m_userAgent)));
}

void CHttpDownload::SetCallback(HttpProgressCallback callback)
{
    m_callback = callback ? callback : DefaultCallback;
}

void CHttpDownload::Cancel()
{
    m_stop = 1;
    m_status = HTTP_STATUS_CANCELLED;
}

int CHttpDownload::GetResult() const
{
    return m_status.load();
}

void CHttpDownload::Reset()
{
    m_stop = 1;
    m_status = HTTP_STATUS_IDLE;
    m_url[0] = 0;
    m_host[0] = 0;
    m_tempFile.clear();
    m_headerLength = 0;
    m_contentLength = 0;
    m_totalSize = 0;
    m_received = 0;
    m_rangeStart = m_rangeTotal = -1;
    m_modifiedTime = Now();
    m_pending.clear();
}

const wchar_t* CHttpDownload::GetLocalFileName() const
{
    return m_localFile.GetString();
}

int64_t CHttpDownload::GetTotalSize() const
{
    return m_totalSize;
}

int64_t CHttpDownload::GetReceived() const
{
    return m_received;
}

int CHttpDownload::Download(const wchar_t* url, const wchar_t* localPath)
{
    char narrowUrl[kHttpMaxUrl + 1];
    if (!WideToAnsi(url, narrowUrl, int(sizeof(narrowUrl))) || WStrLen(localPath) == 0)
        return -1;
    // The path stays wide: a name outside the ANSI code page still reaches the file system.
    m_localFile = localPath;
    return DownloadTo(narrowUrl);
}

int CHttpDownload::DownloadFile(const char* url, const char* localPath)
{
    wchar_t widePath[MAX_PATH];
    if (!AnsiToWide(localPath, widePath, MAX_PATH))
        return -1;
    m_localFile = widePath;
    return DownloadTo(url);
}

void CHttpDownload::Notify(long event, int64_t value)
{
    m_callback(this, event, long(value > LONG_MAX ? LONG_MAX : value));
}

// A cancelled download keeps its "cancelled" status.
bool CHttpDownload::SetState(int status, long state)
{
    if (Stopped())
        return false;
    m_status = status;
    if (state)
        Notify(HTTP_EVENT_STATE, state);
    return true;
}

// A cancelled download ends with the cancelled status, whatever state was set meanwhile.
int CHttpDownload::Abandon()
{
    m_status = HTTP_STATUS_CANCELLED;
    CloseSocket();
    return -1;
}

void CHttpDownload::CloseSocket()
{
    m_socket.Reset();
}

// Waits up to the time-out once plus once per extra wait, in slices so that Cancel is seen.
bool CHttpDownload::WaitSocket(bool forWrite)
{
    if (m_nExtraWaits < 0)
        return false;
    const uint64_t limit = uint64_t(m_nTimeout > 0 ? m_nTimeout : 0) * 1000 * (uint64_t(m_nExtraWaits) + 1);
    const uint64_t deadline = GetTickCount64() + limit;
    for (;;) {
        if (Stopped())
            return false;
        const uint64_t now = GetTickCount64();
        const uint64_t left = now >= deadline ? 0 : deadline - now;
        const DWORD slice = left < kWaitSlice ? DWORD(left) : kWaitSlice;
        fd_set ready, failed;
        FD_ZERO(&ready);
        FD_ZERO(&failed);
        FD_SET(m_socket.Get(), &ready);
        FD_SET(m_socket.Get(), &failed);
        timeval wait = {long(slice / 1000), long(slice % 1000) * 1000};
        const int n = select(0, forWrite ? nullptr : &ready, forWrite ? &ready : nullptr, &failed, &wait);
        if (n < 0 || FD_ISSET(m_socket.Get(), &failed))
            return false;
        if (n > 0)
            return true;
        if (left == 0)
            return false;
    }
}

// Bytes received (0 when the server closed), -1 on an error, a time-out or Cancel.
int CHttpDownload::ReceiveSome(char* buffer, int size)
{
    for (;;) {
        if (Stopped())
            return -1;
        const int n = recv(m_socket.Get(), buffer, size, 0);
        if (n >= 0)
            return n;
        if (WSAGetLastError() != WSAEWOULDBLOCK || !WaitSocket(false))
            return -1;
    }
}

bool CHttpDownload::SendAll(const std::string& text)
{
    size_t sent = 0;
    while (sent < text.size()) {
        const int n = send(m_socket.Get(), text.data() + sent, int(text.size() - sent), 0);
        if (n > 0) {
            sent += size_t(n);
            continue;
        }
        if (n == 0 || WSAGetLastError() != WSAEWOULDBLOCK || !WaitSocket(true))
            return false;
    }
    return true;
}

bool CHttpDownload::Connect(const HttpUrlParts& parts)
{
    const char* name = m_bProxy ? m_szProxyHost : parts.name;
    const uint16_t port = m_bProxy ? m_nProxyPort : parts.port;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    bool dotted = name[0] != 0;
    for (const char* p = name; *p; ++p)
        dotted = dotted && ((*p >= '0' && *p <= '9') || *p == '.');
    if (Stopped())
        return false;
    if (dotted) {
        address.sin_addr.s_addr = inet_addr(name);
        if (address.sin_addr.s_addr == INADDR_NONE)
            return false;
    } else {
        const hostent* entry = gethostbyname(name);
        if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list[0]) {
            printf("gethostbyname %s error : %d\n", name, WSAGetLastError());
            return false;
        }
        memcpy(&address.sin_addr, entry->h_addr_list[0], 4);
    }
    m_socket.Reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!m_socket.IsValid())
        return false;
    const SOCKET s = m_socket.Get();
    u_long nonBlocking = 1;
    if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0)
        return false;
    if (!SetState(HTTP_STATUS_CONNECTING, HTTP_STATE_CONNECTING))
        return false;
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0)
        return true;
    if (WSAGetLastError() != WSAEWOULDBLOCK || !WaitSocket(true))
        return false;
    // Writable is not yet connected: a refused connection reports itself here.
    int error = 0;
    int length = sizeof(error);
    return getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == 0 && error == 0;
}

// Reads exactly the header: the answer is received until its blank line, at most
// kHttpHeaderCapacity bytes; body bytes that came with it are kept for the transfer.
bool CHttpDownload::ReceiveHeader(HttpResponseHead& response)
{
    std::string data;
    char block[kHttpHeaderCapacity];
    for (;;) {
        const int room = kHttpHeaderCapacity - int(data.size());
        if (room <= 0)
            return false;
        const int n = ReceiveSome(block, room);
        if (n <= 0)
            return false;
        const size_t from = data.size() < 3 ? 0 : data.size() - 3;
        data.append(block, size_t(n));
        const size_t end = data.find("\r\n\r\n", from);
        if (end != std::string::npos) {
            m_pending = data.substr(end + 4);
            data.resize(end + 4);
            return ParseHeader(data, Now(), response);
        }
    }
}

// One request and its header: 0 complete answer, 1 partial, 2 failure, 3 redirect (location
// set to the new address).
int CHttpDownload::RunOneRequest(int64_t rangeFrom, std::string& location)
{
    CloseSocket();
    m_pending.clear();
    if (!SetState(HTTP_STATUS_RESOLVING, HTTP_STATE_RESOLVING))
        return 2;
    HttpUrlParts parts;
    if (!SplitHttpUrl(m_url, parts))
        return 2;
    AStrCopyN(m_host, parts.host, int(sizeof(m_host)));
    if (!Connect(parts))
        return 2;

    std::string request = m_bProxy ? "GET http://" + std::string(m_host) + parts.path + " HTTP/1.1\r\n"
                                   : "GET " + parts.path + " HTTP/1.1\r\n";
    request += "Host: " + std::string(m_host) + "\r\n";
    request += "Accept: */*\r\nCache-Control: no-cache\r\n";
    request += "User-Agent: " + std::string(m_userAgent) + "\r\n";
    if (m_bAuthorization) {
        char credentials[sizeof(m_szUser) + sizeof(m_szPassword) + 1];
        snprintf(credentials, sizeof(credentials), "%s:%s", m_szUser, m_szPassword);
        char encoded[kBase64OutputCapacity];
        if (Base64Encode(credentials, encoded) > 0)
            request += "Authorization: Basic " + std::string(encoded) + "\r\n";
    }
    request += "Connection: close\r\n";
    if (rangeFrom > 0)
        request += "Range: bytes=" + std::to_string(static_cast<long long>(rangeFrom)) + "-\r\n";
    request += "\r\n";

    if (!SetState(HTTP_STATUS_SENDING, HTTP_STATE_SENDING) || !SendAll(request))
        return 2;
    if (!SetState(HTTP_STATUS_WAITING, HTTP_STATE_WAITING))
        return 2;
    HttpResponseHead response;
    if (!ReceiveHeader(response) || Stopped())
        return 2;
    m_status = response.status;
    m_rangeStart = response.rangeStart;
    m_rangeTotal = response.rangeTotal;
    if (response.status >= 300 && response.status <= 399) {
        if (!response.hasLocation || !ResolveHttpLocation(m_url, m_host, response.location.c_str(), location))
            return 2;
        return 3;
    }
    if (response.status != 200 && response.status != 206)
        return 2;
    if (response.contentLength < 0 || response.headerLength == 0)
        return 2;
    m_headerLength = response.headerLength;
    m_contentLength = response.contentLength;
    m_modifiedTime = response.modified;
    return response.status == 206 ? 1 : 0;
}

// 0 complete answer (200), 1 partial (206), 2 failure; redirects followed up to a bound, so a
// loop of redirects ends.
int CHttpDownload::RunRequest(int64_t rangeFrom)
{
    for (int redirects = 0;; ++redirects) {
        std::string location;
        const int result = RunOneRequest(rangeFrom, location);
        if (result != 3)
            return result;
        CloseSocket();
        if (redirects >= kHttpMaxRedirects || Stopped())
            return 2;
        Notify(HTTP_EVENT_STATE, HTTP_STATE_REDIRECT);
        AStrCopyN(m_url, location.c_str(), int(sizeof(m_url)));
    }
}

int CHttpDownload::DownloadTo(const char* url)
{
    struct SocketCloser {
        CHttpDownload* self;
        ~SocketCloser() { self->CloseSocket(); }
    } closer{this};

    Reset();
    if (AStrLen(url) > kHttpMaxUrl)
        return -1;
    AStrCopyN(m_url, url, int(sizeof(m_url)));
    const std::wstring target = m_localFile.GetString();
    m_tempFile = target + L".tmp";
    m_stop = 0;
    CLocalFileIO& io = GetLocalFileIO();
    const auto cancelled = [&]() {
        io.Delete(m_tempFile.c_str());
        return Abandon();
    };

    int passesLeft = m_nAttempts;
    int idlePasses = 0;
    for (;;) {
        if (m_nAttempts >= 0 ? passesLeft-- <= 0 : idlePasses >= kMaxIdlePasses)
            return -1;
        if (Stopped())
            return cancelled();
        const int64_t tempSize = FileSizeOf(m_tempFile);
        const int64_t rangeFrom = tempSize > 0 ? tempSize : 0;
        const int result = RunRequest(rangeFrom);
        if (result == 2) {
            CloseSocket();
            if (Stopped())
                return cancelled();
            if (m_status.load() != 416 || tempSize <= 0)
                return -1;
            // The partial file is whole only when the server says so by its size.
            if (m_rangeTotal == tempSize)
                break;
            io.Delete(m_tempFile.c_str());
            ++idlePasses;
            continue;
        }
        int64_t offset = 0;
        if (result == 1) {
            // A range that does not start where the partial file ends, or does not run to the
            // end of the file, would corrupt it or pass for the whole.
            if ((m_rangeStart >= 0 && m_rangeStart != rangeFrom) ||
                (m_rangeTotal >= 0 && m_rangeTotal != rangeFrom + m_contentLength)) {
                CloseSocket();
                io.Delete(m_tempFile.c_str());
                ++idlePasses;
                continue;
            }
            offset = rangeFrom;
        }
        m_totalSize = m_contentLength + offset;
        if (tempSize < 0) {
            const int64_t targetSize = FileSizeOf(target);
            FILETIME modified;
            if (targetSize == m_totalSize && io.GetTimes(target.c_str(), &modified, nullptr, nullptr)) {
                const int64_t difference = FileTimeToTimeT(modified) - m_modifiedTime;
                if (difference > -3 && difference < 3)
                    return 1;
            }
        }
        if (!SetState(HTTP_STATUS_RECEIVING, HTTP_STATE_TRANSFER))
            return cancelled();
        Notify(HTTP_EVENT_TOTAL, m_totalSize);
        m_nStartTick = m_nLastTick = GetTickCount64();

        // A complete answer replaces whatever partial file there was.
        win32::FileHandle file;
        if (!OpenPartial(m_tempFile, offset > 0, file))
            return -1;
        int64_t got = 0;
        bool receiveError = false;
        bool writeError = false;
        const auto store = [&](const char* data, int64_t count) {
            if (count > m_contentLength - got)
                count = m_contentLength - got;
            if (count <= 0)
                return;
            if (io.Write(file.Get(), data, DWORD(count)) != DWORD(count)) {
                writeError = true;
                return;
            }
            got += count;
            m_received = offset + got;
            m_nLastTick = GetTickCount64();
            Notify(HTTP_EVENT_RECEIVED, m_received);
        };
        store(m_pending.data(), int64_t(m_pending.size()));
        m_pending.clear();
        std::vector<char> block(kHttpBlockSize);
        while (got < m_contentLength && !writeError) {
            const int64_t want = m_contentLength - got;
            const int n = ReceiveSome(block.data(), want < kHttpBlockSize ? int(want) : kHttpBlockSize);
            if (n == 0)
                break;
            if (n < 0) {
                receiveError = true;
                break;
            }
            store(block.data(), n);
        }
        file.Reset();
        CloseSocket();
        if (Stopped())
            return cancelled();
        if (writeError)
            return -1;
        // Progress is a longer partial file; a pass that rewrote the same bytes made none.
        const int64_t size = FileSizeOf(m_tempFile);
        if (size > rangeFrom)
            idlePasses = 0;
        else
            ++idlePasses;
        if (receiveError)
            continue;
        if (size == m_totalSize)
            break;
        // Short: resumed by the next pass. Longer than the file: useless.
        if (size > m_totalSize)
            io.Delete(m_tempFile.c_str());
    }

    if (!SetState(HTTP_STATUS_IDLE, HTTP_STATE_DONE))
        return cancelled();
    if (!io.Replace(m_tempFile.c_str(), target.c_str()))
        return -1;
    const FILETIME modified = TimeTToFileTime(m_modifiedTime);
    const FILETIME accessed = TimeTToFileTime(0);
    io.SetTimes(target.c_str(), &modified, nullptr, &accessed);
    return 0;
}

int CHttpDownload::DownloadToBuffer(const char* url, void* buffer, unsigned capacity, unsigned* received)
{
    struct SocketCloser {
        CHttpDownload* self;
        ~SocketCloser() { self->CloseSocket(); }
    } closer{this};

    if (received)
        *received = 0;
    Reset();
    if (!buffer || AStrLen(url) > kHttpMaxUrl)
        return -1;
    AStrCopyN(m_url, url, int(sizeof(m_url)));
    m_stop = 0;
    char* out = static_cast<char*>(buffer);
    memset(out, 0, capacity);

    int passesLeft = m_nAttempts;
    int idlePasses = 0;
    for (;;) {
        if (m_nAttempts >= 0 ? passesLeft-- <= 0 : idlePasses >= kMaxIdlePasses)
            return -1;
        const int result = RunRequest(0);
        if (Stopped())
            return Abandon();
        if (result == 2)
            return -1;
        m_totalSize = m_contentLength;
        // The body is taken up to the caller's capacity; all of it must arrive.
        const int64_t wanted = m_contentLength < int64_t(capacity) ? m_contentLength : int64_t(capacity);
        if (!SetState(HTTP_STATUS_RECEIVING, HTTP_STATE_TRANSFER))
            return Abandon();
        Notify(HTTP_EVENT_TOTAL, m_totalSize);
        m_nStartTick = m_nLastTick = GetTickCount64();
        int64_t got = int64_t(m_pending.size()) < wanted ? int64_t(m_pending.size()) : wanted;
        memcpy(out, m_pending.data(), size_t(got));
        m_pending.clear();
        while (got < wanted) {
            const int64_t want = wanted - got;
            const int n = ReceiveSome(out + got, want < kHttpBlockSize ? int(want) : kHttpBlockSize);
            if (n <= 0)
                break;
            got += n;
            m_received = got;
            m_nLastTick = GetTickCount64();
            Notify(HTTP_EVENT_RECEIVED, got);
        }
        CloseSocket();
        if (Stopped())
            return Abandon();
        if (got == wanted) {
            if (received)
                *received = unsigned(got);
            break;
        }
        // A body cut short is not a success: start again from the beginning.
        memset(out, 0, capacity);
        ++idlePasses;
    }
    if (!SetState(HTTP_STATUS_IDLE, HTTP_STATE_DONE))
        return Abandon();
    return 0;
}
