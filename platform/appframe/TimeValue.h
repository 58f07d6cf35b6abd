#pragma once
// CTime: a point in time as seconds since 1970 (UTC), read and built in local time.
#include <ctime>
#include "StringW.h"

// winbase.h's old macro would rename the member below.
#undef GetCurrentTime

class APPFRAME_API CTime {
public:
    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // Local time; nDST < 0 lets the library decide whether daylight saving applies. Values out
    // of range give -1 (an invalid time).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);
    CTime(const FILETIME& ft, int nDST = -1);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    // FALSE when the time cannot be converted (before 1970 or invalid).
    bool GetLocalTm(struct tm* ptm) const;
    bool GetGmtTm(struct tm* ptm) const;
    bool GetAsSystemTime(SYSTEMTIME& st) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday

    // strftime-style formats ("%Y-%m-%d_%H_%M_%S") in local time or UTC.
    CString Format(LPCTSTR pszFormat) const;
    CString FormatGmt(LPCTSTR pszFormat) const;

    bool operator==(CTime t) const { return m_time == t.m_time; }
    bool operator!=(CTime t) const { return m_time != t.m_time; }
    bool operator<(CTime t) const { return m_time < t.m_time; }
    bool operator>(CTime t) const { return m_time > t.m_time; }
    bool operator<=(CTime t) const { return m_time <= t.m_time; }
    bool operator>=(CTime t) const { return m_time >= t.m_time; }

private:
    __time64_t m_time = 0;
};
