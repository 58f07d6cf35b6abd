#pragma once
// The tags of word-art text: "[date]" becomes the local date, "[month]" the month's
// abbreviation.
#include <windows.h>
#include "StringW.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CTextTag {
public:
    static CString GetDate();
    static CString GetMonth();
};

// "%Y-%m-%d" of the day.
ZVUILIB_API CString FormatDateTag(const SYSTEMTIME& day);
// "Jan." to "Dec." for months 1 to 12; empty for any other month.
ZVUILIB_API CString MonthTag(int month);
// Every "[date]" replaced by date, then every "[month]" by month; case counts.
ZVUILIB_API CString ExpandTextTags(const CString& text, const CString& date, const CString& month);
