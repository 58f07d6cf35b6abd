#include "TimeValue.h"
#include <cwchar>

namespace {

// msvcrt's 64-bit conversions, which hand back a per-thread buffer: copied at once.
bool LocalParts(__time64_t time, struct tm* out)
{
    const struct tm* parts = _localtime64(&time);
    if (!parts)
        return false;
    *out = *parts;
    return true;
}

bool UtcParts(__time64_t time, struct tm* out)
{
    const struct tm* parts = _gmtime64(&time);
    if (!parts)
        return false;
    *out = *parts;
    return true;
}

CString FormatParts(const struct tm& parts, LPCTSTR format)
{
    if (!format || !*format)
        return CString();
    for (size_t size = 128; size <= 65536; size *= 2) {
        CString text;
        const size_t written = std::wcsftime(text.GetBufferSetLength(static_cast<int>(size)), size + 1, format, &parts);
        if (written > 0 || size >= 65536) {
            text.ReleaseBuffer(static_cast<int>(written));
            return text;
        }
    }
    return CString();
}

} // namespace

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm parts = {};
    parts.tm_year = nYear - 1900;
    parts.tm_mon = nMonth - 1;
    parts.tm_mday = nDay;
    parts.tm_hour = nHour;
    parts.tm_min = nMin;
    parts.tm_sec = nSec;
    parts.tm_isdst = nDST;
    m_time = _mktime64(&parts);
}

CTime::CTime(const SYSTEMTIME& st, int nDST) : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST) {}

CTime::CTime(const FILETIME& ft, int nDST)
{
    // A file time is UTC; the local calendar time goes through the local constructor.
    FILETIME local;
    SYSTEMTIME st;
    if (FileTimeToLocalFileTime(&ft, &local) && FileTimeToSystemTime(&local, &st))
        *this = CTime(st, nDST);
    else
        m_time = -1;
}

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

bool CTime::GetLocalTm(struct tm* ptm) const { return LocalParts(m_time, ptm); }
bool CTime::GetGmtTm(struct tm* ptm) const { return UtcParts(m_time, ptm); }

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm parts;
    if (!LocalParts(m_time, &parts))
        return false;
    st = SYSTEMTIME();
    st.wYear = static_cast<WORD>(parts.tm_year + 1900);
    st.wMonth = static_cast<WORD>(parts.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    st.wDay = static_cast<WORD>(parts.tm_mday);
    st.wHour = static_cast<WORD>(parts.tm_hour);
    st.wMinute = static_cast<WORD>(parts.tm_min);
    st.wSecond = static_cast<WORD>(parts.tm_sec);
    return true;
}

int CTime::GetYear() const { struct tm p; return LocalParts(m_time, &p) ? p.tm_year + 1900 : 0; }
int CTime::GetMonth() const { struct tm p; return LocalParts(m_time, &p) ? p.tm_mon + 1 : 0; }
int CTime::GetDay() const { struct tm p; return LocalParts(m_time, &p) ? p.tm_mday : 0; }
int CTime::GetHour() const { struct tm p; return LocalParts(m_time, &p) ? p.tm_hour : 0; }
int CTime::GetMinute() const { struct tm p; return LocalParts(m_time, &p) ? p.tm_min : 0; }
int CTime::GetSecond() const { struct tm p; return LocalParts(m_time, &p) ? p.tm_sec : 0; }
int CTime::GetDayOfWeek() const { struct tm p; return LocalParts(m_time, &p) ? p.tm_wday + 1 : 0; }

CString CTime::Format(LPCTSTR pszFormat) const
{
    struct tm parts;
    return LocalParts(m_time, &parts) ? FormatParts(parts, pszFormat) : CString();
}

CString CTime::FormatGmt(LPCTSTR pszFormat) const
{
    struct tm parts;
    return UtcParts(m_time, &parts) ? FormatParts(parts, pszFormat) : CString();
}
