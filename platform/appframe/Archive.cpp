#include "Archive.h"
#include <cstring>

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    const BYTE* bytes = static_cast<const BYTE*>(lpBuf);
    m_buffer.insert(m_buffer.end(), bytes, bytes + nMax);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    const size_t available = m_buffer.size() - m_position;
    const UINT count = nMax <= available ? nMax : static_cast<UINT>(available);
    if (count)
        std::memcpy(lpBuf, m_buffer.data() + m_position, count);
    m_position += count;
    if (count < nMax) {
        std::memset(static_cast<BYTE*>(lpBuf) + count, 0, nMax - count);
        m_truncated = true;
    }
    return count;
}

CArchive& CArchive::operator<<(const CString& value)
{
    *this << static_cast<UINT>(value.GetLength());
    Write(value.GetString(), static_cast<UINT>(value.GetLength() * sizeof(wchar_t)));
    return *this;
}

CArchive& CArchive::operator>>(CString& value)
{
    UINT length = 0;
    *this >> length;
    value.Empty();
    // A length beyond what the buffer holds is damage, not a request to allocate it.
    const size_t available = (m_buffer.size() - m_position) / sizeof(wchar_t);
    if (length > available) {
        m_truncated = true;
        m_position = m_buffer.size();
        return *this;
    }
    if (length) {
        Read(value.GetBufferSetLength(static_cast<int>(length)), length * sizeof(wchar_t));
        value.ReleaseBuffer(static_cast<int>(length));
    }
    return *this;
}
