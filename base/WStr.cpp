// The wide and the 8-bit functions share one template each; units are compared as unsigned
// values (UTF-16 units, bytes), so the order does not depend on the signedness of char.
#include "WStr.h"
#include <type_traits>

namespace {

template <class T>
using Unit = std::make_unsigned_t<T>;

template <class T>
int Length(const T* s)
{
    if (!s)
        return 0;
    const T* p = s;
    while (*p)
        ++p;
    return int(p - s);
}

template <class T>
int Copy(T* dst, const T* src)
{
    if (!dst)
        return 0;
    int n = 0;
    if (src)
        for (; src[n]; ++n)
            dst[n] = src[n];
    dst[n] = 0;
    return n;
}

template <class T>
int CopyN(T* dst, const T* src, int size)
{
    // A size below 1 leaves no room for the terminator, so nothing is written.
    if (!dst || size < 1)
        return 0;
    int n = 0;
    if (src)
        for (; n < size - 1 && src[n]; ++n)
            dst[n] = src[n];
    dst[n] = 0;
    return n;
}

template <class T>
T* CopyPadded(T* dst, const T* src, int count)
{
    if (!dst || !src || count < 1)
        return dst;
    int n = 0;
    for (; n < count && src[n]; ++n)
        dst[n] = src[n];
    for (; n < count; ++n)
        dst[n] = 0;
    return dst;
}

template <class T>
T FoldLower(T c)
{
    return (c >= 'A' && c <= 'Z') ? T(c + ('a' - 'A')) : c;
}

template <class T>
int Compare(const T* a, const T* b, bool noCase)
{
    if (!a && !b)
        return 0;
    if (!a)
        return -int(Unit<T>(b[0]));
    if (!b)
        return int(Unit<T>(a[0]));
    for (;; ++a, ++b) {
        Unit<T> x = *a, y = *b;
        if (noCase) {
            x = FoldLower(x);
            y = FoldLower(y);
        }
        if (x != y || !x)
            return int(x) - int(y);
    }
}

template <class T>
const T* Find(const T* text, const T* sub)
{
    if (!text || !sub)
        return nullptr;
    if (!*sub)
        return text;
    for (; *text; ++text) {
        int i = 0;
        while (sub[i] && text[i] == sub[i])
            ++i;
        if (!sub[i])
            return text;
    }
    return nullptr;
}

template <class T>
const T* FindChar(const T* text, T ch)
{
    if (!text)
        return nullptr;
    for (;; ++text) {
        if (*text == ch)
            return text;
        if (!*text)
            return nullptr;
    }
}

template <class T>
T* ToLower(T* s)
{
    if (s)
        for (T* p = s; *p; ++p)
            *p = FoldLower(*p);
    return s;
}

template <class T>
T* ToUpper(T* s)
{
    if (s)
        for (T* p = s; *p; ++p)
            if (*p >= 'a' && *p <= 'z')
                *p = T(*p - ('a' - 'A'));
    return s;
}

} // namespace

int WStrLen(const wchar_t* s) { return Length(s); }
int WStrCopy(wchar_t* dst, const wchar_t* src) { return Copy(dst, src); }
int WStrCopyN(wchar_t* dst, const wchar_t* src, int size) { return CopyN(dst, src, size); }
wchar_t* WStrCopyPadded(wchar_t* dst, const wchar_t* src, int count) { return CopyPadded(dst, src, count); }
int WStrCompare(const wchar_t* a, const wchar_t* b) { return Compare(a, b, false); }
int WStrCompareNoCase(const wchar_t* a, const wchar_t* b) { return Compare(a, b, true); }
const wchar_t* WStrFind(const wchar_t* text, const wchar_t* sub) { return Find(text, sub); }
const wchar_t* WStrFindChar(const wchar_t* text, wchar_t ch) { return FindChar(text, ch); }
wchar_t* WStrToLowerAscii(wchar_t* s) { return ToLower(s); }
wchar_t* WStrToUpperAscii(wchar_t* s) { return ToUpper(s); }

// Each byte becomes the UTF-16 unit of the same value: ASCII and Latin-1 survive, other code
// pages do not (callers convert those through the code-page functions).
int WStrWidenCopy(wchar_t* dst, const char* src)
{
    if (!dst)
        return 0;
    int n = 0;
    if (src)
        for (; src[n]; ++n)
            dst[n] = wchar_t(static_cast<unsigned char>(src[n]));
    dst[n] = 0;
    return n;
}

// Only 7-bit characters can be looked for: a negative char would not widen to the same unit.
const wchar_t* WStrChr(const wchar_t* text, char ch)
{
    if (static_cast<signed char>(ch) < 0)
        return nullptr;
    return FindChar(text, wchar_t(ch));
}

int AStrLen(const char* s) { return Length(s); }
int AStrCopy(char* dst, const char* src) { return Copy(dst, src); }
int AStrCopyN(char* dst, const char* src, int size) { return CopyN(dst, src, size); }
char* AStrCopyPadded(char* dst, const char* src, int count) { return CopyPadded(dst, src, count); }
int AStrCompare(const char* a, const char* b) { return Compare(a, b, false); }
int AStrCompareNoCase(const char* a, const char* b) { return Compare(a, b, true); }
const char* AStrFind(const char* text, const char* sub) { return Find(text, sub); }
const char* AStrFindChar(const char* text, char ch) { return FindChar(text, ch); }
char* AStrToLowerAscii(char* s) { return ToLower(s); }
char* AStrToUpperAscii(char* s) { return ToUpper(s); }
