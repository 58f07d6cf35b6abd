#include "TString.h"
#include <windows.h>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include "FormatPrintf.h"

namespace {

// The wide or the 8-bit C-string function, chosen by the character type.
int Length(const wchar_t* s) { return WStrLen(s); }
int Length(const char* s) { return AStrLen(s); }
int CompareText(const wchar_t* a, const wchar_t* b, int noCase) { return noCase ? WStrCompareNoCase(a, b) : WStrCompare(a, b); }
int CompareText(const char* a, const char* b, int noCase) { return noCase ? AStrCompareNoCase(a, b) : AStrCompare(a, b); }
int FormatText(wchar_t* out, const wchar_t* format, va_list args) { return FormatPrintfW(out, format, args); }
int FormatText(char* out, const char* format, va_list args) { return FormatPrintf(out, format, args); }
const wchar_t* EmptyText(const wchar_t*) { return L""; }
const char* EmptyText(const char*) { return ""; }

// Lengths add up in 64 bits; a sum past what an int can count is an allocation failure.
int CheckedCount(int64_t count)
{
    if (count > INT_MAX)
        throw std::bad_alloc();
    return int(count);
}

template <class T>
bool PointsInto(const T* text, const T* buffer, int capacity)
{
    std::less_equal<const T*> le;
    std::less<const T*> lt;
    return text && capacity && le(buffer, text) && lt(text, buffer + capacity);
}

} // namespace

namespace ALT {

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>::TString() : m_buffer(nullptr), m_length(0), m_capacity(0)
{
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>::TString(const T* text) : TString()
{
    AssignStr(text);
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>::TString(const TString& other) : TString()
{
    Assign(other);
}

// A moved attached string stays attached: the foreign buffer changes hands, not owners.
template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>::TString(TString&& other) noexcept : TString()
{
    Swap(other);
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>::~TString()
{
    if (m_capacity)
        delete[] m_buffer;
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>& TString<T, NoCase, Grow>::operator=(const TString& other)
{
    Assign(other);
    return *this;
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>& TString<T, NoCase, Grow>::operator=(TString&& other) noexcept
{
    if (this != &other) {
        TString old(static_cast<TString&&>(other));
        Swap(old);
    }
    return *this;
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>& TString<T, NoCase, Grow>::operator=(const T* text)
{
    AssignStr(text);
    return *this;
}

// An owned buffer is released first; the attached text is never freed by this string.
template <class T, int NoCase, int Grow>
void TString<T, NoCase, Grow>::Attach(const T* text)
{
    Free();
    m_buffer = const_cast<T*>(text);
    m_length = Length(text);
}

// count is the characters needed with the terminator. Growth allocates count rounded up to the
// next step (count 8 gives 16), so a borrowed buffer always becomes an owned copy. source is
// copied, up to count - 1 characters, unless it already is the buffer; Append passes the old
// buffer to keep the text. A new buffer without a source starts empty, and so does the length.
template <class T, int NoCase, int Grow>
T* TString<T, NoCase, Grow>::Reserve(int count, const T* source)
{
    if (count < 1)
        count = 1;
    T* buffer = m_buffer;
    int capacity = m_capacity;
    if (count > m_capacity) {
        const int64_t size = int64_t(count) - count % Grow + Grow;
        if (size > INT_MAX || uint64_t(size) > SIZE_MAX / sizeof(T))
            throw std::bad_alloc();
        buffer = new T[size_t(size)];
        buffer[0] = 0;
        capacity = int(size);
    }
    if (source && source != buffer) {
        // Copy before the old buffer goes: the source may lie inside it. The owned buffer's
        // length is known; any other source is read up to its terminator.
        int n = 0;
        if (source == m_buffer && m_capacity) {
            n = m_length < count - 1 ? m_length : count - 1;
            std::memcpy(buffer, source, size_t(n) * sizeof(T));
        } else {
            for (; n < count - 1 && source[n]; ++n)
                buffer[n] = source[n];
        }
        buffer[n] = 0;
        m_length = n;
    } else if (buffer != m_buffer) {
        m_length = 0;
    }
    if (buffer != m_buffer) {
        if (m_capacity)
            delete[] m_buffer;
        m_buffer = buffer;
        m_capacity = capacity;
    }
    return m_buffer;
}

template <class T, int NoCase, int Grow>
void TString<T, NoCase, Grow>::Free()
{
    if (m_capacity)
        delete[] m_buffer;
    m_buffer = nullptr;
    m_length = 0;
    m_capacity = 0;
}

template <class T, int NoCase, int Grow>
void TString<T, NoCase, Grow>::AssignStr(const T* text)
{
    if (!text)
        Free();
    else
        Reserve(CheckedCount(int64_t(Length(text)) + 1), text);
}

template <class T, int NoCase, int Grow>
void TString<T, NoCase, Grow>::Assign(const TString& other)
{
    if (other.m_length == 0)
        Free();
    else
        Reserve(CheckedCount(int64_t(other.m_length) + 1), other.m_buffer);
}

template <class T, int NoCase, int Grow>
void TString<T, NoCase, Grow>::Append(const TString& other)
{
    const int added = other.m_length; // read first: other may be this string
    GrowFor(int64_t(m_length) + added + 1);
    if (other.m_buffer && added) {
        std::memcpy(m_buffer + m_length, other.m_buffer, size_t(added) * sizeof(T));
        m_length += added;
        m_buffer[m_length] = 0;
    }
}

template <class T, int NoCase, int Grow>
void TString<T, NoCase, Grow>::AppendStr(const T* text)
{
    if (!text)
        return;
    const int added = Length(text);
    // Text taken from this string's own buffer must survive the reallocation.
    const bool inside = PointsInto(text, m_buffer, m_capacity);
    const ptrdiff_t offset = inside ? text - m_buffer : 0;
    GrowFor(int64_t(m_length) + added + 1);
    if (inside)
        text = m_buffer + offset;
    std::memmove(m_buffer + m_length, text, size_t(added) * sizeof(T));
    m_length += added;
    m_buffer[m_length] = 0;
}

// The index is clamped to 0 .. length; text from this string itself is copied first.
template <class T, int NoCase, int Grow>
int TString<T, NoCase, Grow>::Insert(int index, const T* text)
{
    if (PointsInto(text, m_buffer, m_capacity)) {
        const TString copy(text);
        return Insert(index, copy.m_buffer);
    }
    index = index < 0 ? 0 : index > m_length ? m_length : index;
    const int added = Length(text);
    if (!m_buffer)
        Reserve(index + 1, nullptr);
    GrowFor(int64_t(m_length) + added + 1);
    std::memmove(m_buffer + index + added, m_buffer + index, size_t(m_length - index + 1) * sizeof(T));
    if (added)
        std::memcpy(m_buffer + index, text, size_t(added) * sizeof(T));
    m_length += added;
    return m_length;
}

template <class T, int NoCase, int Grow>
int TString<T, NoCase, Grow>::Format(const T* format, ...)
{
    va_list args;
    va_start(args, format);
    const int n = FormatV(format, args);
    va_end(args);
    return n;
}

// Measure, allocate once, write. The text goes to a fresh buffer so that an argument taken
// from this string itself (s.Format(L"%s\\%s", s.GetBuffer(), name)) is read intact.
template <class T, int NoCase, int Grow>
int TString<T, NoCase, Grow>::FormatV(const T* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int n = FormatText(nullptr, format, measure);
    va_end(measure);
    if (n < 0)
        throw std::bad_alloc();
    TString result;
    result.Reserve(CheckedCount(int64_t(n) + 1), nullptr);
    FormatText(result.m_buffer, format, args);
    result.m_length = n;
    Swap(result);
    return n;
}

template <class T, int NoCase, int Grow>
T* TString<T, NoCase, Grow>::GetBuffer() const
{
    return m_buffer;
}

template <class T, int NoCase, int Grow>
const T* TString<T, NoCase, Grow>::GetString() const
{
    return m_buffer ? m_buffer : EmptyText(m_buffer);
}

template <class T, int NoCase, int Grow>
int TString<T, NoCase, Grow>::GetLength() const
{
    return m_length;
}

template <class T, int NoCase, int Grow>
int TString<T, NoCase, Grow>::GetCapacity() const
{
    return m_capacity;
}

template <class T, int NoCase, int Grow>
bool TString<T, NoCase, Grow>::IsEmpty() const
{
    return m_length == 0;
}

template <class T, int NoCase, int Grow>
int TString<T, NoCase, Grow>::Compare(const T* text) const
{
    return CompareText(m_buffer, text, NoCase);
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow> TString<T, NoCase, Grow>::Concat(const TString& a, const TString& b)
{
    TString result;
    result.Reserve(CheckedCount(int64_t(a.m_length) + b.m_length + 1), a.m_buffer);
    result.Append(b);
    return result;
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow> TString<T, NoCase, Grow>::Concat(const TString& a, const T* b)
{
    TString result;
    result.Reserve(CheckedCount(int64_t(a.m_length) + Length(b) + 1), a.m_buffer);
    result.AppendStr(b);
    return result;
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow> TString<T, NoCase, Grow>::operator+(const TString& other) const
{
    return Concat(*this, other);
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow> TString<T, NoCase, Grow>::operator+(const T* text) const
{
    return Concat(*this, text);
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>& TString<T, NoCase, Grow>::operator+=(const TString& other)
{
    Append(other);
    return *this;
}

template <class T, int NoCase, int Grow>
TString<T, NoCase, Grow>& TString<T, NoCase, Grow>::operator+=(const T* text)
{
    AppendStr(text);
    return *this;
}

template <class T, int NoCase, int Grow>
bool TString<T, NoCase, Grow>::operator==(const TString& other) const
{
    return Compare(other.m_buffer) == 0;
}

template <class T, int NoCase, int Grow>
bool TString<T, NoCase, Grow>::operator==(const T* text) const
{
    return Compare(text) == 0;
}

template <class T, int NoCase, int Grow>
bool TString<T, NoCase, Grow>::operator!=(const TString& other) const
{
    return Compare(other.m_buffer) != 0;
}

template <class T, int NoCase, int Grow>
bool TString<T, NoCase, Grow>::operator!=(const T* text) const
{
    return Compare(text) != 0;
}

// Growth for appending and inserting keeps the text and asks for half the current length on
// top of what is needed: with steps of Grow alone, a text built from many small pieces would be
// copied once per step, quadratic in its length (a 300,000-character text took 19 s). Short
// strings still grow in steps of Grow.
template <class T, int NoCase, int Grow>
void TString<T, NoCase, Grow>::GrowFor(int64_t needed)
{
    if (needed <= m_capacity)
        return;
    const int64_t roomy = needed + m_length / 2;
    Reserve(CheckedCount(roomy <= INT_MAX - Grow ? roomy : needed), m_buffer);
}

template <class T, int NoCase, int Grow>
void TString<T, NoCase, Grow>::Swap(TString& other)
{
    T* buffer = m_buffer;
    const int length = m_length;
    const int capacity = m_capacity;
    m_buffer = other.m_buffer;
    m_length = other.m_length;
    m_capacity = other.m_capacity;
    other.m_buffer = buffer;
    other.m_length = length;
    other.m_capacity = capacity;
}

template class TString<wchar_t, 0, 8>;
template class TString<wchar_t, 1, 8>;
template class TString<char, 0, 8>;
template class TString<char, 0, 4096>;

} // namespace ALT

CVauleStrW::CVauleStrW() = default;

CVauleStrW::CVauleStrW(const wchar_t* text) : TString(text)
{
}

CVauleStrW::CVauleStrW(const ALT::TString<wchar_t, 0, 8>& other) : TString(other)
{
}

CModulePathStr::CModulePathStr() = default;

// The program's folder keeps its backslash, so the relative path follows directly; a lower-case
// drive letter is raised so that paths built here compare equal to those read back from Windows.
CModulePathStr::CModulePathStr(const wchar_t* relativePath)
{
    for (int size = MAX_PATH;; size *= 2) {
        Reserve(size, nullptr);
        const DWORD n = GetModuleFileNameW(nullptr, m_buffer, DWORD(size));
        if (n == 0) {
            m_buffer[0] = 0;
            break;
        }
        if (n < DWORD(size))
            break;
        if (size >= 32768) { // longer than any Windows path: take nothing rather than a piece
            m_buffer[0] = 0;
            break;
        }
    }
    if (m_buffer[0] >= L'a' && m_buffer[0] <= L'z' && m_buffer[1] == L':')
        m_buffer[0] = wchar_t(m_buffer[0] - L'a' + L'A');
    int cut = 0;
    for (int i = 0; m_buffer[i]; ++i)
        if (m_buffer[i] == L'\\')
            cut = i + 1;
    m_buffer[cut] = 0;
    m_length = cut;
    AppendStr(relativePath);
}
