#pragma once
// CLumivoShowsClient: the browser's client of the online picture materials. It reads the
// directory (Dir\PicDir.xml) and the numbered file-list pages of a folder, mirrors the
// directory as cache folders and fetches single files into the cache. Every answer of the
// server is parsed into new records that replace the old ones under the client's lock only when
// the parse succeeded; the directory maps are read under that lock too. Each thread that talks
// to the server has an HTTP object of its own (the loader, the preview thread, the update
// thread), and StopAll cancels all of them.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include "LumivoClient.h"

// What the client tells the program; ShowFolder and the update calls come from the update thread.
class CLumivoClientUI {
public:
    virtual int SetTitle(const wchar_t* text) = 0;
    virtual void OnUpdateBegin() = 0;
    virtual void OnUpdateEnd() = 0;
    virtual void ShowFolder(const wchar_t* path) = 0;
    virtual void OnDirectoryUpdated() = 0;

protected:
    ~CLumivoClientUI() = default;
};

// Flags of UpdateDirectory and LoadFileList.
enum : int {
    ONLINE_SHOW_ROOT = 1,    // after the directory is read, show its root folder
    ONLINE_FORCE_FETCH = 2,  // fetch PicDir.xml whatever the age of the cached copy
};

// The callers that fetch, each with its own HTTP object.
enum OnlineChannel : int { ONLINE_LOADER, ONLINE_PREVIEW, ONLINE_UPDATE, ONLINE_CHANNELS };

// Bounds on what a hostile server can make the client do.
const int kOnlineMaxDepth = 64;
const int kOnlineMaxPages = 10000;
const int kOnlineMaxFilesPerFolder = 200000;
// The largest page that LoadFileList asks for when a folder opens: every cached page, at least
// the newest, and pages up to about this many pictures.
const int kOnlineOpenAll = 1000000;
const int kOnlineOpenPictures = 99;
// The age that DownloadFile takes for a fetch whatever the age of the cached copy.
const int kOnlineAlwaysFetch = INT32_MIN;

// A name that the server may give to a folder or a cached file: safe as a relative path and no
// part of it a reserved device name (CON, NUL, COM1...).
bool IsSafeServerName(const wchar_t* name);
bool IsReservedDeviceName(const wchar_t* part, size_t length);
// Number of an attribute: decimal digits, saturated at limit; 0 when missing or not a number.
int64_t ParseServerNumber(const wchar_t* text, int64_t limit);

class XmlNode;

class CLumivoShowsClient : public CLumivoClient {
public:
    CLumivoShowsClient();
    ~CLumivoShowsClient();

    void SetUI(CLumivoClientUI* ui) { m_pUI = ui; }
    // The cache root, with the picture size folders made at once: a folder that is missing is
    // looked for without regard to case among the many thumbnails beside it, at every open.
    void SetLocalFolder(const wchar_t* root);
    void SetUserAgent(const char* agent);
    CHttpDownload& GetHttp(OnlineChannel channel) { return *m_channels[channel]; }

    // Reads the directory on an owned thread; a running one is waited for first. Returns the
    // result of the last finished update (false while one runs).
    bool StartUpdateThread();
    void WaitForUpdateThread();
    // Whether the update thread is reading the directory now.
    bool IsUpdating() const { return !m_bThreadDone; }
    bool UpdateDirectory(int flags, OnlineChannel channel = ONLINE_LOADER);
    bool RefreshDirectoryList(int flags, OnlineChannel channel = ONLINE_LOADER);
    // Opens a folder below the Dir root (null: the current one again) and reads its pages,
    // newest first, until pagesWanted pages of it have been read in all.
    bool LoadFileList(const wchar_t* localFolder, int pagesWanted, int flags);
    // Fetches one page (relative to the Dir root, "/" separators) and files its pictures in the
    // folder of that server path; false when neither the server nor the cache has it.
    bool LoadFileListPage(const std::wstring& serverFolder, const std::wstring& pageName, bool firstPage);
    void SyncLocalFolders(const wchar_t* localFolder, const PicDirFolder& folder, int depth = 0);
    bool HasLocalCopy(const wchar_t* name);
    // HasLocalCopy of many names at once: each size folder is listed once instead of asking the
    // file system four times a name, which under a crowded cache folder costs milliseconds each.
    std::vector<bool> HasLocalCopies(const std::vector<const wchar_t*>& names);
    // A file of the server (relative path) into the cache unless the cached copy is younger
    // than maxAgeHours (negative: fetch only when missing); 0 or the status of the failure.
    using CLumivoClient::DownloadFile;
    int DownloadFile(OnlineChannel channel, const wchar_t* relativePath, int maxAgeHours, KQStringW& localPath);
    // Cancels every transfer and waits for the update thread; no fetch starts until Resume.
    void StopAll();
    void CancelTransfers();
    void Resume();

    // With the lock held: the folder of that path ("/" separators, "" the root), or null.
    PicDirFolder* FindFolder(const std::wstring& serverPath);
    std::recursive_mutex& Lock() { return m_lock; }

    // The state of the open folder, read under the lock.
    PicDirFolder* GetCurrentFolder() { return m_pCurrentFolder; }
    const std::wstring& GetCurrentServerFolder() const { return m_strCurrentServerFolder; }
    int GetPagesLoaded() const { return m_nPagesLoaded; }
    bool IsReady() const { return m_bReady; }
    // Whether the path is the Dir root or lies below it; relative gets the part behind the root
    // with "/" separators.
    bool IsOnlinePath(const wchar_t* path, std::wstring* relative = nullptr) const;

private:
    bool ParseDirectory(const wchar_t* path);
    static void ReadFolder(XmlNode* element, PicDirFolder& folder, int depth);
    static bool ReadPage(const wchar_t* path, std::vector<PicDirFile>& files);
    static bool ParsePage(const std::vector<char>& bytes, std::vector<PicDirFile>& files);
    // The pictures of a parsed page, appended to files; false when it is no file list.
    static bool ReadPictures(XmlNode& document, std::vector<PicDirFile>& files);
    // Reads the cached pages from firstPage down (at most most of them, none below 1) and files
    // them in order; the count filed, 0 when fewer than two are cached, -1 when one is unreadable.
    int LoadCachedPages(const std::wstring& serverFolder, int firstPage, int most);
    static void DeleteTree(const std::wstring& path);
    void UpdateThread(int flags);
    int Fetch(OnlineChannel channel, const std::wstring& relative, const std::wstring& local, int maxAgeHours);

    std::recursive_mutex m_lock;   // the directory, the current folder and its page count
    std::mutex m_updateLock;       // one directory refresh at a time
    std::unique_ptr<CHttpDownload> m_channels[ONLINE_CHANNELS];
    CLumivoClientUI* m_pUI = nullptr;
    PicDirFolder* m_pCurrentFolder = nullptr;
    std::wstring m_strCurrentServerFolder;
    int m_nPagesLoaded = 0;
    std::atomic<bool> m_bReady{false};
    std::atomic<bool> m_bStopping{false};
    std::thread m_updateThread;
    std::atomic<bool> m_bThreadResult{false};
    std::atomic<bool> m_bThreadDone{true};
};
