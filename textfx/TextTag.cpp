#include "TextTag.h"

namespace {

const wchar_t* const kMonths[12] = {L"Jan.", L"Feb.", L"Mar.", L"Apr.", L"May.", L"June.",
                                    L"July.", L"Aug.", L"Sept.", L"Oct.", L"Nov.", L"Dec."};

SYSTEMTIME Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

} // namespace

CString CTextTag::GetDate()
{
    return FormatDateTag(Today());
}

CString CTextTag::GetMonth()
{
    return MonthTag(Today().wMonth);
}

CString FormatDateTag(const SYSTEMTIME& day)
{
    CString text;
    text.Format(L"%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
    return text;
}

CString MonthTag(int month)
{
    if (month < 1 || month > 12)
        return CString();
    return CString(kMonths[month - 1]);
}

CString ExpandTextTags(const CString& text, const CString& date, const CString& month)
{
    CString expanded = text;
    expanded.Replace(L"[date]", date);
    expanded.Replace(L"[month]", month);
    return expanded;
}
