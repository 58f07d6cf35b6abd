#include "StringW.h"
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include "ModuleState.h"

namespace {

// Clamps a start and a count to the string, as callers pass negative or long values freely.
void ClampRange(int length, int& first, int& count)
{
    if (first < 0)
        first = 0;
    if (first > length)
        first = length;
    if (count < 0)
        count = 0;
    if (count > length - first)
        count = length - first;
}

bool InSet(const wchar_t* set, wchar_t ch)
{
    return set && ch && std::wcschr(set, ch);
}

} // namespace

CStringW::CStringW(const wchar_t* text)
{
    if (text && IS_INTRESOURCE(text))
        LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(text)));
    else if (text)
        m_text = text;
}

CStringW::CStringW(const wchar_t* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, length);
}

CStringW::CStringW(const char* text)
{
    if (!text || !*text)
        return;
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return;
    m_text.resize(length - 1);
    MultiByteToWideChar(CP_ACP, 0, text, -1, &m_text[0], length);
}

wchar_t* CStringW::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(minLength);
    return &m_text[0];
}

wchar_t* CStringW::GetBufferSetLength(int length)
{
    m_text.resize(length > 0 ? length : 0);
    return &m_text[0];
}

void CStringW::ReleaseBuffer(int newLength)
{
    if (newLength < 0 || newLength > GetLength())
        newLength = static_cast<int>(wcsnlen(m_text.c_str(), m_text.size()));
    m_text.resize(newLength);
}

int CStringW::Compare(const wchar_t* s) const { return std::wcscmp(m_text.c_str(), s ? s : L""); }
int CStringW::CompareNoCase(const wchar_t* s) const { return _wcsicmp(m_text.c_str(), s ? s : L""); }
int CStringW::Collate(const wchar_t* s) const { return std::wcscoll(m_text.c_str(), s ? s : L""); }
int CStringW::CollateNoCase(const wchar_t* s) const { return _wcsicoll(m_text.c_str(), s ? s : L""); }

CStringW CStringW::Mid(int first) const { return Mid(first, GetLength()); }

CStringW CStringW::Mid(int first, int count) const
{
    ClampRange(GetLength(), first, count);
    return CStringW(m_text.c_str() + first, count);
}

CStringW CStringW::Left(int count) const { return Mid(0, count); }

CStringW CStringW::Right(int count) const
{
    count = std::max(0, std::min(count, GetLength()));
    return Mid(GetLength() - count, count);
}

CStringW CStringW::SpanIncluding(const wchar_t* set) const
{
    return Left(static_cast<int>(std::wcsspn(m_text.c_str(), set ? set : L"")));
}

CStringW CStringW::SpanExcluding(const wchar_t* set) const
{
    return Left(static_cast<int>(std::wcscspn(m_text.c_str(), set ? set : L"")));
}

// The next token after start, skipping leading delimiters; start becomes -1 after the last one.
CStringW CStringW::Tokenize(const wchar_t* delimiters, int& start) const
{
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CStringW();
    }
    const wchar_t* set = delimiters ? delimiters : L"";
    const wchar_t* begin = m_text.c_str() + start;
    begin += std::wcsspn(begin, set);
    if (!*begin) {
        start = -1;
        return CStringW();
    }
    const int length = static_cast<int>(std::wcscspn(begin, set));
    start = static_cast<int>(begin - m_text.c_str()) + length + 1;
    return CStringW(begin, length);
}

CStringW& CStringW::MakeUpper()
{
    if (!m_text.empty())
        CharUpperBuffW(&m_text[0], static_cast<DWORD>(m_text.size()));
    return *this;
}

CStringW& CStringW::MakeLower()
{
    if (!m_text.empty())
        CharLowerBuffW(&m_text[0], static_cast<DWORD>(m_text.size()));
    return *this;
}

CStringW& CStringW::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CStringW& CStringW::Trim() { return TrimRight().TrimLeft(); }
CStringW& CStringW::Trim(wchar_t ch) { return TrimRight(ch).TrimLeft(ch); }
CStringW& CStringW::Trim(const wchar_t* set) { return TrimRight(set).TrimLeft(set); }

CStringW& CStringW::TrimLeft()
{
    size_t n = 0;
    while (n < m_text.size() && std::iswspace(m_text[n]))
        ++n;
    m_text.erase(0, n);
    return *this;
}

CStringW& CStringW::TrimLeft(wchar_t ch)
{
    const wchar_t set[2] = { ch, 0 };
    return TrimLeft(set);
}

CStringW& CStringW::TrimLeft(const wchar_t* set)
{
    size_t n = 0;
    while (n < m_text.size() && InSet(set, m_text[n]))
        ++n;
    m_text.erase(0, n);
    return *this;
}

CStringW& CStringW::TrimRight()
{
    while (!m_text.empty() && std::iswspace(m_text.back()))
        m_text.pop_back();
    return *this;
}

CStringW& CStringW::TrimRight(wchar_t ch)
{
    const wchar_t set[2] = { ch, 0 };
    return TrimRight(set);
}

CStringW& CStringW::TrimRight(const wchar_t* set)
{
    while (!m_text.empty() && InSet(set, m_text.back()))
        m_text.pop_back();
    return *this;
}

int CStringW::Find(wchar_t ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    const size_t at = m_text.find(ch, start);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CStringW::Find(const wchar_t* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const size_t at = m_text.find(sub, start);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CStringW::ReverseFind(wchar_t ch) const
{
    const size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CStringW::FindOneOf(const wchar_t* set) const
{
    const size_t at = m_text.find_first_of(set ? set : L"");
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CStringW::Replace(wchar_t oldCh, wchar_t newCh)
{
    int count = 0;
    for (wchar_t& ch : m_text)
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    return count;
}

int CStringW::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const size_t oldLength = std::wcslen(oldText);
    const std::wstring replacement = newText ? newText : L"";
    int count = 0;
    for (size_t at = m_text.find(oldText); at != std::wstring::npos; at = m_text.find(oldText, at + replacement.size())) {
        m_text.replace(at, oldLength, replacement);
        ++count;
    }
    return count;
}

int CStringW::Remove(wchar_t ch)
{
    const size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CStringW::Insert(int index, wchar_t ch)
{
    index = std::max(0, std::min(index, GetLength()));
    m_text.insert(m_text.begin() + index, ch);
    return GetLength();
}

int CStringW::Insert(int index, const wchar_t* s)
{
    index = std::max(0, std::min(index, GetLength()));
    if (s)
        m_text.insert(index, s);
    return GetLength();
}

int CStringW::Delete(int index, int count)
{
    ClampRange(GetLength(), index, count);
    m_text.erase(index, count);
    return GetLength();
}

// msvcrt's own functions: with them "%s" is a wide string and floating point prints as msvcrt
// prints it, whatever the C library headers select for printf.
void CStringW::FormatV(const wchar_t* format, va_list args)
{
    m_text.clear();
    if (!format)
        return;
    va_list counting;
    va_copy(counting, args);
    const int length = _vscwprintf(format, counting);
    va_end(counting);
    if (length <= 0)
        return;
    m_text.resize(length);
    _vsnwprintf(&m_text[0], length + 1, format, args);
}

void __cdecl CStringW::FormatArgs(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

BOOL CStringW::LoadString(UINT id)
{
    return LoadString(appframe::FindResourceModule(MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING), id);
}

BOOL CStringW::LoadString(HINSTANCE module, UINT id)
{
    m_text.clear();
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out the resource itself, of any length.
    const int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return FALSE;
    m_text.assign(text, length);
    return TRUE;
}

CStringW operator+(const CStringW& a, const CStringW& b) { CStringW r(a); r += b; return r; }
CStringW operator+(const CStringW& a, const wchar_t* b) { CStringW r(a); r += b; return r; }
CStringW operator+(const wchar_t* a, const CStringW& b) { CStringW r(a); r += b; return r; }
CStringW operator+(const CStringW& a, wchar_t b) { CStringW r(a); r += b; return r; }
CStringW operator+(wchar_t a, const CStringW& b) { CStringW r(a); r += b; return r; }
