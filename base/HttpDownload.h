#pragma once
// CHttpDownload: a plain "http://" GET client on Winsock 1.1 (the program starts Winsock). One
// URL at a time, into a file (resumed from "<target>.tmp", stamped with the server's time) or
// into a buffer; redirects followed; progress reported through a callback. The server is not
// trusted: every length it sends is checked and every copy from its answer is bounded.
#include <atomic>
#include <cstdint>
#include <string>
#include "TString.h"
#include "Win32Owners.h"
#include "ZVUILibDef.h"

class CHttpDownload;
struct HttpResponseHead;
// event: HTTP_EVENT_*; value: an HTTP_STATE_* code or a byte count (clamped to LONG_MAX).
// The result is not used.
typedef bool (*HttpProgressCallback)(CHttpDownload* download, long event, long value);

enum : long {
    HTTP_EVENT_STATE = 101,
    HTTP_EVENT_TOTAL = 102,
    HTTP_EVENT_RECEIVED = 103,
};

enum : long {
    HTTP_STATE_RESOLVING = 201,
    HTTP_STATE_CONNECTING = 202,
    HTTP_STATE_SENDING = 203,
    HTTP_STATE_WAITING = 204,
    HTTP_STATE_REDIRECT = 205,
    HTTP_STATE_TRANSFER = 206,
    HTTP_STATE_DONE = 207,
};

// Status values besides the HTTP status of the last response.
enum : int {
    HTTP_STATUS_IDLE = 300,
    HTTP_STATUS_RESOLVING = 301,
    HTTP_STATUS_CONNECTING = 302,
    HTTP_STATUS_SENDING = 303,
    HTTP_STATUS_WAITING = 304,
    HTTP_STATUS_RECEIVING = 305,
    HTTP_STATUS_CANCELLED = 306,
};

const int kHttpMaxUrl = 4095;
const int kHttpMaxHost = 127;
const int kHttpMaxRedirects = 10;
const int kHttpHeaderCapacity = 10240;
// Each receive is a round trip to the system; a block written as it arrives still leaves a
// usable partial file.
const int kHttpBlockSize = 256 * 1024;

// The parts of an "http://host[:port]/path" address; path escaped for the request line.
struct HttpUrlParts {
    char host[kHttpMaxHost + 1] = {}; // as written, with its ":port"
    char name[kHttpMaxHost + 1] = {}; // host without the port
    uint16_t port = 80;
    std::string path;
};
ZVUILIB_API bool SplitHttpUrl(const char* url, HttpUrlParts& parts);
// The address a "Location:" value leads to from url; false when it cannot be formed or is
// longer than kHttpMaxUrl.
ZVUILIB_API bool ResolveHttpLocation(const char* url, const char* host, const char* location, std::string& target);
// An RFC 1123 date read as local time (as the file times are compared); fallback when the text
// does not have that form.
ZVUILIB_API int64_t ParseHttpDate(const char* text, int64_t fallback);

class ZVUILIB_API CHttpDownload {
public:
    CHttpDownload();
    virtual ~CHttpDownload();
    CHttpDownload(const CHttpDownload&) = delete;
    CHttpDownload& operator=(const CHttpDownload&) = delete;

    // 0 downloaded, 1 the local file is already current, -1 failed or cancelled.
    int Download(const wchar_t* url, const wchar_t* localPath);
    int DownloadFile(const char* url, const char* localPath);
    // 0 with the body (at most capacity bytes) in buffer, -1 failed or cancelled.
    int DownloadToBuffer(const char* url, void* buffer, unsigned capacity, unsigned* received);

    void SetUserAgent(const char* agent);
    void SetCallback(HttpProgressCallback callback);
    void Cancel();
    int GetResult() const;
    void Reset();

    const wchar_t* GetLocalFileName() const;
    int64_t GetTotalSize() const;
    int64_t GetReceived() const;

    // Settings the owner may change before a download.
    int32_t m_nTimeout = 10;   // seconds per wait
    int32_t m_nExtraWaits = 1; // further time-outs a wait may take; negative fails at once
    int32_t m_nAttempts = -1;  // requests per download; -1 is bounded only by lack of progress
    bool m_bProxy = false;
    char m_szProxyHost[kHttpMaxHost + 1] = {};
    uint16_t m_nProxyPort = 0;
    bool m_bAuthorization = false;
    char m_szUser[128] = {};
    char m_szPassword[128] = {};

    // Tick counts (milliseconds) of the start and the latest block of the running transfer.
    uint64_t m_nStartTick = 0;
    uint64_t m_nLastTick = 0;

private:
    int DownloadTo(const char* url);
    int RunRequest(int64_t rangeFrom);
    int RunOneRequest(int64_t rangeFrom, std::string& location);
    bool Connect(const HttpUrlParts& parts);
    bool SendAll(const std::string& text);
    bool ReceiveHeader(HttpResponseHead& response);
    int ReceiveSome(char* buffer, int size);
    bool WaitSocket(bool forWrite);
    int Abandon();
    void CloseSocket();
    bool SetState(int status, long state);
    void Notify(long event, int64_t value);
    bool Stopped() const { return m_stop.load() != 0; }

    ALT::TString<wchar_t, 0, 8> m_localFile;
    std::wstring m_tempFile;
    int64_t m_received = 0;
    win32::Socket m_socket;
    char m_userAgent[32] = {};
    char m_url[kHttpMaxUrl + 1] = {};
    char m_host[kHttpMaxHost + 1] = {};
    int32_t m_headerLength = 0;
    int64_t m_contentLength = 0;
    int64_t m_totalSize = 0;
    int64_t m_modifiedTime = 0;
    int64_t m_rangeStart = -1; // of a 206 answer's Content-Range
    int64_t m_rangeTotal = -1; // the N of "Content-Range: bytes .../N"
    std::string m_pending;     // body bytes that came with the header
    std::atomic<int32_t> m_stop{0};
    std::atomic<int32_t> m_status{HTTP_STATUS_IDLE};
    HttpProgressCallback m_callback;
};
