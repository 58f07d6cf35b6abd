#pragma once
// CZVQuery: the update check (a version file, an INI text, fetched from the first update site
// that answers, on a worker thread that posts 0x501 to the main window when a newer version is
// published) and the usage statistics (first-use and daily pages loaded by hidden views). The
// worker belongs to the query: the destructor cancels it and waits for it.
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include "TString.h"
#include "ZVUILibDef.h"

class CHttpDownload;

// Sent to the main window when a newer version is published; wParam and lParam 0.
const UINT WM_ZVQUERY_NEWVERSION = 0x501;
const UINT ZVQUERY_STAT_VIEW_ID = 30583;

#define ZVQUERY_CURRENT_VERSION_W L"1.4.6"
#define ZVQUERY_CURRENT_VERSION_A "1.4.6"
// Where the version file is published unless the program names other sites.
#define ZVQUERY_UPDATE_BASE1 "http://update.lumivo.example/update/"
#define ZVQUERY_UPDATE_BASE2 "http://www.lumivo-soft.example/update/"

// True when latest is newer: dotted runs of digits compared part by part as numbers; a part
// that is not a number, or a text that runs out before a difference, gives false.
ZVUILIB_API bool CompareVersionText(const wchar_t* current, const wchar_t* latest);
// Whether an update check is due: the last check (seconds since 1970) is unset, in the future
// or more than periodHours ago.
ZVUILIB_API bool IsUpdateCheckDue(int64_t lastCheck, int64_t now, int periodHours);
// address with "ver=" and the version appended as one more query parameter.
ZVUILIB_API ALT::TString<wchar_t, 0, 8> MakeStatisticsUrl(const wchar_t* address, const wchar_t* version);

class ZVUILIB_API CZVQuery {
public:
    typedef ALT::TString<wchar_t, 0, 8> StringW;
    typedef ALT::TString<char, 0, 8> StringA;
    typedef bool (*OnlineTest)();

    CZVQuery();
    CZVQuery(const CZVQuery& other);
    CZVQuery& operator=(const CZVQuery& other);
    ~CZVQuery();

    void SetMainWnd(HWND hwnd);
    void LoadSetting();
    void SaveSetting();
    void CheckUpdateStartup();
    void CheckUpdateThread();
    bool IsNewVersionExist();
    // 0 with the file and a terminator in buffer (at most capacity - 1 bytes of it), else the
    // status of the last failed download.
    int ReadURLFile(char* buffer, const char* fileName, int capacity);
    bool CompareVersion(const wchar_t* current, const wchar_t* latest) { return CompareVersionText(current, latest); }
    void Statistics();
    void ActiveStatistics(bool firstUse);
    void InvokeStatisticsURL(const wchar_t* address);

    // Settings of the running program; tests point them elsewhere.
    void SetUpdateBases(const char* first, const char* second);
    void SetRegistryRoot(const wchar_t* root); // ends with a backslash
    // The language that picks the version file; null (the default) follows the library's.
    void SetLanguageName(const wchar_t* name);
    void SetOnlineTest(OnlineTest test);
    // Waits for an update check under way.
    void WaitUpdateThread();

    // The published release, as the last check found it (read them after 0x501).
    int GetQueryPeriod() const;
    StringW GetLatestVersion() const;
    StringW GetLatestURL() const;
    StringW GetLatestEXE() const;
    StringW GetLatestInfo() const;
    StringW GetDailyUseStat() const;
    StringW GetFirstUseStat() const;

private:
    void CopyFrom(const CZVQuery& other);
    void StopUpdateThread();
    StringW RegPath(const wchar_t* value) const;

    HWND m_hMainWnd = nullptr;
    int32_t m_nQueryPeriod = 72;
    StringA m_strVerFile;
    StringA m_strVerFileCN;
    StringW m_strRegRoot;
    StringW m_strDailyUseStat;
    StringW m_strFirstUseStat;
    wchar_t m_szLatestVersion[256] = {};
    wchar_t m_szLatestURL[256] = {};
    wchar_t m_szLatestEXE[256] = {};
    wchar_t m_szLatestInfo[256] = {};

    StringA m_strUpdateBase[2];
    StringW m_strLanguage;
    bool m_bLanguageFixed = false;
    OnlineTest m_pfnOnline;
    mutable std::mutex m_lock; // the fields above, written by the update thread
    std::thread m_thread;
    std::atomic<bool> m_bStop{false};
    CHttpDownload* m_pDownload = nullptr; // the fetch under way, for the destructor to cancel
};
