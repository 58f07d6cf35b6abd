#include "ZVQuery.h"
#include <ctime>
#include "HttpDownload.h"
#include "INIFile.h"
#include "RegPath.h"
#include "ShellService.h"
#include "StatHtmlView.h"
#include "WStr.h"
#include "ZVUILibApp.h"

namespace {

const int kVersionFileCapacity = 4096;

// A fetch of the update check; its progress reports are where a stop request reaches a
// download that had not yet begun when the request came.
class QueryDownload : public CHttpDownload {
public:
    explicit QueryDownload(const std::atomic<bool>& stop) : m_stop(stop) { SetCallback(&Progress); }

private:
    static bool Progress(CHttpDownload* download, long, long)
    {
        if (static_cast<QueryDownload*>(download)->m_stop.load())
            download->Cancel();
        return true;
    }
    const std::atomic<bool>& m_stop;
};

// One dotted part: a non-empty run of digits, read without overflow (leading zeros skipped).
bool ReadVersionPart(const wchar_t*& p, const wchar_t*& digits, int& length)
{
    const wchar_t* start = p;
    while (*p >= L'0' && *p <= L'9')
        ++p;
    if (p == start || (*p && *p != L'.'))
        return false;
    digits = start;
    while (digits < p - 1 && *digits == L'0')
        ++digits;
    length = int(p - digits);
    return true;
}

} // namespace

bool CompareVersionText(const wchar_t* current, const wchar_t* latest)
{
    const wchar_t* a = current ? current : L"";
    const wchar_t* b = latest ? latest : L"";
    for (;;) {
        if (!*a || !*b)
            return false;
        const wchar_t *da, *db;
        int la, lb;
        if (!ReadVersionPart(a, da, la) || !ReadVersionPart(b, db, lb))
            return false;
        // Numbers of any length: the longer is larger, equal lengths compare digit by digit.
        int order = la - lb;
        for (int i = 0; order == 0 && i < la; ++i)
            order = int(da[i]) - int(db[i]);
        if (order != 0)
            return order < 0;
        if (*a)
            ++a;
        if (*b)
            ++b;
    }
}

bool IsUpdateCheckDue(int64_t lastCheck, int64_t now, int periodHours)
{
    return !(lastCheck > 0 && lastCheck <= now && now - lastCheck <= int64_t(periodHours) * 3600);
}

ALT::TString<wchar_t, 0, 8> MakeStatisticsUrl(const wchar_t* address, const wchar_t* version)
{
    ALT::TString<wchar_t, 0, 8> url(address);
    const int length = url.GetLength();
    const wchar_t last = length > 0 ? url.GetString()[length - 1] : 0;
    if (!WStrFindChar(url.GetString(), L'?'))
        url += L"?";
    else if (last != L'&' && last != L'?')
        url += L"&";
    url += L"ver=";
    url += version;
    return url;
}

CZVQuery::CZVQuery()
    : m_strVerFile("LTVerInfo.txt"), m_strVerFileCN("LTVerInfoCN.txt"), m_strRegRoot(L"HKCU\\Software\\Lumivo\\LumivoTools\\"),
      m_pfnOnline(&IsInternetConnected)
{
    m_strUpdateBase[0] = ZVQUERY_UPDATE_BASE1;
    m_strUpdateBase[1] = ZVQUERY_UPDATE_BASE2;
}

CZVQuery::CZVQuery(const CZVQuery& other)
{
    CopyFrom(other);
}

CZVQuery& CZVQuery::operator=(const CZVQuery& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

CZVQuery::~CZVQuery()
{
    StopUpdateThread();
}

// The settings and findings, not the thread: a copy starts its own checks.
void CZVQuery::CopyFrom(const CZVQuery& other)
{
    std::unique_lock<std::mutex> theirs(other.m_lock, std::defer_lock);
    std::unique_lock<std::mutex> mine(m_lock, std::defer_lock);
    std::lock(theirs, mine);
    m_hMainWnd = other.m_hMainWnd;
    m_nQueryPeriod = other.m_nQueryPeriod;
    m_strVerFile = other.m_strVerFile;
    m_strVerFileCN = other.m_strVerFileCN;
    m_strRegRoot = other.m_strRegRoot;
    m_strDailyUseStat = other.m_strDailyUseStat;
    m_strFirstUseStat = other.m_strFirstUseStat;
    WStrCopyN(m_szLatestVersion, other.m_szLatestVersion, 256);
    WStrCopyN(m_szLatestURL, other.m_szLatestURL, 256);
    WStrCopyN(m_szLatestEXE, other.m_szLatestEXE, 256);
    WStrCopyN(m_szLatestInfo, other.m_szLatestInfo, 256);
    m_strUpdateBase[0] = other.m_strUpdateBase[0];
    m_strUpdateBase[1] = other.m_strUpdateBase[1];
    m_strLanguage = other.m_strLanguage;
    m_bLanguageFixed = other.m_bLanguageFixed;
    m_pfnOnline = other.m_pfnOnline;
}

void CZVQuery::StopUpdateThread()
{
    m_bStop = true;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_pDownload)
            m_pDownload->Cancel();
    }
    if (m_thread.joinable())
        m_thread.join();
    m_bStop = false;
}

void CZVQuery::WaitUpdateThread()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CZVQuery::SetMainWnd(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_hMainWnd = hwnd;
}

void CZVQuery::SetUpdateBases(const char* first, const char* second)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_strUpdateBase[0] = first ? first : "";
    m_strUpdateBase[1] = second ? second : "";
}

void CZVQuery::SetRegistryRoot(const wchar_t* root)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_strRegRoot = root;
}

void CZVQuery::SetLanguageName(const wchar_t* name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_bLanguageFixed = name != nullptr;
    m_strLanguage = name;
}

void CZVQuery::SetOnlineTest(OnlineTest test)
{
    m_pfnOnline = test ? test : &IsInternetConnected;
}

CZVQuery::StringW CZVQuery::RegPath(const wchar_t* value) const
{
    return m_strRegRoot + value;
}

void CZVQuery::LoadSetting()
{
    std::lock_guard<std::mutex> guard(m_lock);
    DWORD period = DWORD(m_nQueryPeriod);
    RegQueryDWord(RegPath(L"QueryPeriod").GetString(), period, period);
    m_nQueryPeriod = int32_t(period);
    RegQueryString(RegPath(L"DailyUseStat").GetString(), m_strDailyUseStat, m_strDailyUseStat.GetString());
    RegQueryString(RegPath(L"FirstUseStat").GetString(), m_strFirstUseStat, m_strFirstUseStat.GetString());
}

void CZVQuery::SaveSetting()
{
    std::lock_guard<std::mutex> guard(m_lock);
    const DWORD period = DWORD(m_nQueryPeriod);
    RegSetPath(RegPath(L"QueryPeriod").GetString(), &period, REG_DWORD, sizeof(period));
    RegSetPath(RegPath(L"DailyUseStat").GetString(), m_strDailyUseStat.GetString(), REG_SZ,
               DWORD(m_strDailyUseStat.GetLength() + 1) * sizeof(wchar_t));
    RegSetPath(RegPath(L"FirstUseStat").GetString(), m_strFirstUseStat.GetString(), REG_SZ,
               DWORD(m_strFirstUseStat.GetLength() + 1) * sizeof(wchar_t));
}

void CZVQuery::CheckUpdateStartup()
{
    int64_t lastCheck = 0;
    if (RegQueryPath(RegPath(L"LastCheckUpdate").GetString(), &lastCheck, sizeof(lastCheck)) != sizeof(lastCheck))
        lastCheck = 0;
    const int64_t now = int64_t(_time64(nullptr));
    int period;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        period = m_nQueryPeriod;
    }
    if (!IsUpdateCheckDue(lastCheck, now, period))
        return;
    {
        // Taken here, on the interface's thread, which is the one that changes the language.
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_bLanguageFixed)
            m_strLanguage = GetLanguageName(false);
    }
    // Offline nothing is recorded, so the check runs at the next start.
    if (!m_pfnOnline())
        return;
    RegSetPath(RegPath(L"LastCheckUpdate").GetString(), &now, REG_QWORD, sizeof(now));
    StopUpdateThread();
    m_thread = std::thread([this] { CheckUpdateThread(); });
}

void CZVQuery::CheckUpdateThread()
{
    try {
        IsNewVersionExist();
    } catch (...) {
    }
}

bool CZVQuery::IsNewVersionExist()
{
    StringA fileName;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        // The Chinese release notes are published in the file named for them.
        const bool chinese = WStrFind(m_strLanguage.GetString(), L"Chinese") != nullptr;
        fileName = chinese ? m_strVerFileCN : m_strVerFile;
    }
    char buffer[kVersionFileCapacity] = {};
    if (ReadURLFile(buffer, fileName.GetString(), kVersionFileCapacity) != 0)
        return false;
    CINIFile ini;
    ini.AppendText(buffer, uint32_t(AStrLen(buffer)));
    wchar_t latest[256];
    if (!ini.GetString(latest, L"Update", L"LatestVersion", 256))
        return false;

    const int period = ini.GetUpdatePeriod();
    wchar_t daily[1024], first[1024];
    const bool hasDaily = ini.GetString(daily, L"URL", L"DailyUseStat", 1024);
    const bool hasFirst = ini.GetString(first, L"URL", L"FirstUseStat", 1024);
    wchar_t url[256], exe[256], info[256];
    const bool newer = CompareVersionText(ZVQUERY_CURRENT_VERSION_W, latest);
    const bool hasExe = newer && ini.GetString(exe, L"URL", L"LatestEXE", 256) && exe[0];
    if (newer) {
        ini.GetString(url, L"URL", L"LatestURL", 256);
        if (hasExe)
            ini.GetString(info, L"URL", L"LatestInfo", 256);
    }
    HWND target = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_nQueryPeriod = period;
        if (hasDaily)
            m_strDailyUseStat = daily;
        if (hasFirst)
            m_strFirstUseStat = first;
        WStrCopyN(m_szLatestVersion, latest, 256);
        if (newer)
            WStrCopyN(m_szLatestURL, url, 256);
        if (hasExe) {
            WStrCopyN(m_szLatestEXE, exe, 256);
            WStrCopyN(m_szLatestInfo, info, 256);
        }
        target = m_hMainWnd;
    }
    SaveSetting();
    if (!hasExe)
        return false;
    if (target && IsWindow(target))
        PostMessageW(target, WM_ZVQUERY_NEWVERSION, 0, 0);
    return true;
}

int CZVQuery::ReadURLFile(char* buffer, const char* fileName, int capacity)
{
    if (!buffer || capacity < 1)
        return -1;
    buffer[0] = 0;
    StringA bases[2];
    {
        std::lock_guard<std::mutex> guard(m_lock);
        bases[0] = m_strUpdateBase[0];
        bases[1] = m_strUpdateBase[1];
    }
    int result = -1;
    for (const StringA& base : bases) {
        if (base.IsEmpty() || m_bStop)
            continue;
        const StringA url = base + fileName;
        if (url.GetLength() > 1023)
            continue;
        QueryDownload download(m_bStop);
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_pDownload = &download;
        }
        unsigned received = 0;
        // One byte is kept for the terminator that the INI reader relies on.
        const int code = download.DownloadToBuffer(url.GetString(), buffer, unsigned(capacity - 1), &received);
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_pDownload = nullptr;
        }
        if (code == 0) {
            buffer[received < unsigned(capacity) ? received : capacity - 1] = 0;
            return 0;
        }
        buffer[0] = 0;
        result = download.GetResult();
    }
    return result;
}

void CZVQuery::Statistics()
{
    wchar_t today[32] = {};
    const __time64_t now = _time64(nullptr);
    struct tm local;
    if (_localtime64_s(&local, &now) != 0)
        return;
    wcsftime(today, 32, L"%Y-%m-%d", &local);
    StringW lastUse;
    RegQueryString(RegPath(L"LastUse").GetString(), lastUse, L"");
    if (lastUse == today || !m_pfnOnline())
        return;
    RegSetPath(RegPath(L"LastUse").GetString(), today, REG_SZ, DWORD(WStrLen(today) + 1) * sizeof(wchar_t));
    ActiveStatistics(lastUse.IsEmpty());
}

void CZVQuery::ActiveStatistics(bool firstUse)
{
    const StringW first = GetFirstUseStat();
    const StringW daily = GetDailyUseStat();
    if (firstUse && !first.IsEmpty())
        InvokeStatisticsURL(first.GetString());
    if (!daily.IsEmpty())
        InvokeStatisticsURL(daily.GetString());
}

void CZVQuery::InvokeStatisticsURL(const wchar_t* address)
{
    HWND owner;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        owner = m_hMainWnd;
    }
    const StringW url = MakeStatisticsUrl(address, ZVQUERY_CURRENT_VERSION_W);
    // The view deletes itself once its page is done; a view that could not be made is gone.
    CStatHtmlView* view = new CStatHtmlView(owner);
    if (!view->Active(url.GetString()))
        delete view;
}

int CZVQuery::GetQueryPeriod() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_nQueryPeriod;
}

CZVQuery::StringW CZVQuery::GetLatestVersion() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return StringW(m_szLatestVersion);
}

CZVQuery::StringW CZVQuery::GetLatestURL() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return StringW(m_szLatestURL);
}

CZVQuery::StringW CZVQuery::GetLatestEXE() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return StringW(m_szLatestEXE);
}

CZVQuery::StringW CZVQuery::GetLatestInfo() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return StringW(m_szLatestInfo);
}

CZVQuery::StringW CZVQuery::GetDailyUseStat() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_strDailyUseStat;
}

CZVQuery::StringW CZVQuery::GetFirstUseStat() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_strFirstUseStat;
}
