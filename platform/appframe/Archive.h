#pragma once
// CArchive: values stored to and loaded from a byte buffer in a fixed little-endian layout of
// fixed-size fields (the same on 32- and 64-bit builds). Strings are a 32-bit length in UTF-16
// units followed by the units.
#include <vector>
#include "StringW.h"

class APPFRAME_API CArchive {
public:
    enum Mode { store = 0, load = 1 };
    // Storing appends to the buffer; loading reads it from its start.
    CArchive(std::vector<BYTE>& buffer, Mode mode) : m_buffer(buffer), m_loading(mode == load) {}

    BOOL IsStoring() const { return !m_loading; }
    BOOL IsLoading() const { return m_loading; }
    // TRUE once a load asked for more than the buffer holds; such loads give zeros.
    BOOL IsTruncated() const { return m_truncated; }

    void Write(const void* lpBuf, UINT nMax);
    UINT Read(void* lpBuf, UINT nMax);

    CArchive& operator<<(BYTE value) { return Put(value); }
    CArchive& operator<<(WORD value) { return Put(value); }
    CArchive& operator<<(int value) { return Put(static_cast<INT32>(value)); }
    CArchive& operator<<(UINT value) { return Put(static_cast<UINT32>(value)); }
    CArchive& operator<<(LONG value) { return Put(static_cast<INT32>(value)); }
    CArchive& operator<<(DWORD value) { return Put(static_cast<UINT32>(value)); }
    CArchive& operator<<(LONGLONG value) { return Put(value); }
    CArchive& operator<<(ULONGLONG value) { return Put(value); }
    CArchive& operator<<(float value) { return Put(value); }
    CArchive& operator<<(double value) { return Put(value); }
    CArchive& operator<<(const CString& value);

    CArchive& operator>>(BYTE& value) { return Get(value); }
    CArchive& operator>>(WORD& value) { return Get(value); }
    CArchive& operator>>(int& value) { return GetAs<INT32>(value); }
    CArchive& operator>>(UINT& value) { return GetAs<UINT32>(value); }
    CArchive& operator>>(LONG& value) { return GetAs<INT32>(value); }
    CArchive& operator>>(DWORD& value) { return GetAs<UINT32>(value); }
    CArchive& operator>>(LONGLONG& value) { return Get(value); }
    CArchive& operator>>(ULONGLONG& value) { return Get(value); }
    CArchive& operator>>(float& value) { return Get(value); }
    CArchive& operator>>(double& value) { return Get(value); }
    CArchive& operator>>(CString& value);

private:
    template <class T> CArchive& Put(T value)
    {
        Write(&value, sizeof value);
        return *this;
    }
    template <class T> CArchive& Get(T& value)
    {
        value = T();
        Read(&value, sizeof value);
        return *this;
    }
    template <class Stored, class T> CArchive& GetAs(T& value)
    {
        Stored stored = 0;
        Get(stored);
        value = static_cast<T>(stored);
        return *this;
    }

    std::vector<BYTE>& m_buffer;
    bool m_loading;
    bool m_truncated = false;
    size_t m_position = 0;
};
