#pragma once
// CStringW (CString): the framework's wide string, a value type over std::wstring with the
// operations that window code uses. Format follows msvcrt's printf rules ("%s" is wide).
#include <windows.h>
#include <cstdarg>
#include <string>
#include <type_traits>
#include "AppFrameDef.h"

class APPFRAME_API CStringW {
public:
    CStringW() = default;
    CStringW(const CStringW&) = default;
    CStringW(CStringW&&) = default;
    // A resource id in place of a pointer (MAKEINTRESOURCE) loads that string.
    CStringW(const wchar_t* text);
    CStringW(const wchar_t* text, int length);
    // 8-bit text in the ANSI code page.
    CStringW(const char* text);
    explicit CStringW(wchar_t ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}
    CStringW& operator=(const CStringW&) = default;
    CStringW& operator=(CStringW&&) = default;
    CStringW& operator=(const wchar_t* text) { return *this = CStringW(text); }
    CStringW& operator=(const char* text) { return *this = CStringW(text); }
    CStringW& operator=(wchar_t ch) { m_text.assign(1, ch); return *this; }

    operator const wchar_t*() const { return m_text.c_str(); }
    const wchar_t* GetString() const { return m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    wchar_t GetAt(int index) const { return m_text.at(index); }
    void SetAt(int index, wchar_t ch) { m_text.at(index) = ch; }
    wchar_t operator[](int index) const { return m_text.at(index); }

    // A writable buffer of at least minLength characters plus the terminator; ReleaseBuffer ends
    // the writing (length -1: up to the first terminator).
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CStringW& operator+=(const CStringW& s) { m_text += s.m_text; return *this; }
    CStringW& operator+=(const wchar_t* s) { if (s) m_text += s; return *this; }
    CStringW& operator+=(wchar_t ch) { m_text += ch; return *this; }
    void Append(const wchar_t* s, int length) { if (s && length > 0) m_text.append(s, length); }
    void AppendChar(wchar_t ch) { m_text += ch; }

    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;
    int Collate(const wchar_t* s) const;
    int CollateNoCase(const wchar_t* s) const;

    CStringW Mid(int first) const;
    CStringW Mid(int first, int count) const;
    CStringW Left(int count) const;
    CStringW Right(int count) const;
    CStringW SpanIncluding(const wchar_t* set) const;
    CStringW SpanExcluding(const wchar_t* set) const;
    CStringW Tokenize(const wchar_t* delimiters, int& start) const;

    CStringW& MakeUpper();
    CStringW& MakeLower();
    CStringW& MakeReverse();
    CStringW& Trim();
    CStringW& Trim(wchar_t ch);
    CStringW& Trim(const wchar_t* set);
    CStringW& TrimLeft();
    CStringW& TrimLeft(wchar_t ch);
    CStringW& TrimLeft(const wchar_t* set);
    CStringW& TrimRight();
    CStringW& TrimRight(wchar_t ch);
    CStringW& TrimRight(const wchar_t* set);

    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* set) const;
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* s);
    int Delete(int index, int count = 1);

    // printf-style formatting with msvcrt's rules. CStringW arguments may be passed as they are;
    // other class objects are refused at compile time (they cannot travel through "...").
    template <class... Args> void Format(const wchar_t* format, const Args&... args) { FormatArgs(format, FormatArg(args)...); }
    template <class... Args> void Format(UINT formatId, const Args&... args)
    {
        CStringW format;
        if (format.LoadString(formatId))
            FormatArgs(format.GetString(), FormatArg(args)...);
    }
    template <class... Args> void AppendFormat(const wchar_t* format, const Args&... args)
    {
        CStringW more;
        more.Format(format, args...);
        *this += more;
    }
    void FormatV(const wchar_t* format, va_list args);

    // The string table entry from the current resource module (then the program, then the
    // framework); FALSE and an empty string when there is none.
    BOOL LoadString(UINT id);
    BOOL LoadString(HINSTANCE module, UINT id);

    const std::wstring& str() const { return m_text; }

private:
    void __cdecl FormatArgs(const wchar_t* format, ...);
    template <class T> static const T& FormatArg(const T& value)
    {
        static_assert(std::is_trivially_copyable<T>::value, "pass strings to Format as wide C strings or CString");
        return value;
    }
    static const wchar_t* FormatArg(const CStringW& value) { return value.GetString(); }

    std::wstring m_text;
};

typedef CStringW CString;

APPFRAME_API CStringW operator+(const CStringW& a, const CStringW& b);
APPFRAME_API CStringW operator+(const CStringW& a, const wchar_t* b);
APPFRAME_API CStringW operator+(const wchar_t* a, const CStringW& b);
APPFRAME_API CStringW operator+(const CStringW& a, wchar_t b);
APPFRAME_API CStringW operator+(wchar_t a, const CStringW& b);

inline bool operator==(const CStringW& a, const CStringW& b) { return a.str() == b.str(); }
inline bool operator==(const CStringW& a, const wchar_t* b) { return a.Compare(b) == 0; }
inline bool operator==(const wchar_t* a, const CStringW& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CStringW& a, const CStringW& b) { return !(a == b); }
inline bool operator!=(const CStringW& a, const wchar_t* b) { return !(a == b); }
inline bool operator!=(const wchar_t* a, const CStringW& b) { return !(a == b); }
inline bool operator<(const CStringW& a, const CStringW& b) { return a.str() < b.str(); }
inline bool operator<(const CStringW& a, const wchar_t* b) { return a.Compare(b) < 0; }
inline bool operator>(const CStringW& a, const CStringW& b) { return b < a; }
inline bool operator>(const CStringW& a, const wchar_t* b) { return a.Compare(b) > 0; }
inline bool operator<=(const CStringW& a, const CStringW& b) { return !(b < a); }
inline bool operator>=(const CStringW& a, const CStringW& b) { return !(a < b); }
