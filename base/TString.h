#pragma once
// ALT::TString: the suite's string. It can wrap a literal or a foreign buffer without copying
// (capacity 0: borrowed, never freed here) and grows in steps of Grow characters. NoCase picks
// the key order of a map: 0 exact UTF-16 units, 1 ASCII letters without case.
// Only the four instantiations below exist; their code lives in TString.cpp and ZVUILib.dll
// exports it, so a string may be created in one module and freed in another.
#include <cstdarg>
#include <cstdint>
#include "WStr.h"
#include "ZVUILibDef.h"

namespace ALT {

template <class T, int NoCase, int Grow>
class TString {
public:
    TString();
    TString(const T* text);
    TString(const TString& other);
    TString(TString&& other) noexcept;
    virtual ~TString();
    TString& operator=(const TString& other);
    TString& operator=(TString&& other) noexcept;
    TString& operator=(const T* text);

    void Attach(const T* text);
    virtual T* Reserve(int count, const T* source);
    virtual void Free();
    void AssignStr(const T* text);
    void Assign(const TString& other);
    void Append(const TString& other);
    void AppendStr(const T* text);
    int Insert(int index, const T* text);
    int Format(const T* format, ...);
    int FormatV(const T* format, va_list args);

    T* GetBuffer() const;
    const T* GetString() const;
    int GetLength() const;
    int GetCapacity() const;
    bool IsEmpty() const;
    int Compare(const T* text) const;

    static TString Concat(const TString& a, const TString& b);
    static TString Concat(const TString& a, const T* b);
    TString operator+(const TString& other) const;
    TString operator+(const T* text) const;
    TString& operator+=(const TString& other);
    TString& operator+=(const T* text);
    bool operator==(const TString& other) const;
    bool operator==(const T* text) const;
    bool operator!=(const TString& other) const;
    bool operator!=(const T* text) const;

protected:
    T* m_buffer;
    int m_length;
    int m_capacity;

private:
    void GrowFor(int64_t needed);
    void Swap(TString& other);
};

extern template class ZVUILIB_API TString<wchar_t, 0, 8>;
extern template class ZVUILIB_API TString<wchar_t, 1, 8>;
extern template class ZVUILIB_API TString<char, 0, 8>;
extern template class ZVUILIB_API TString<char, 0, 4096>;

} // namespace ALT

// A string value of the INI files (spelled so throughout the suite).
class ZVUILIB_API CVauleStrW : public ALT::TString<wchar_t, 0, 8> {
public:
    CVauleStrW();
    CVauleStrW(const wchar_t* text);
    CVauleStrW(const ALT::TString<wchar_t, 0, 8>& other);
};

// A path below the folder of the running program.
class ZVUILIB_API CModulePathStr : public ALT::TString<wchar_t, 0, 8> {
public:
    CModulePathStr();
    explicit CModulePathStr(const wchar_t* relativePath);
};
