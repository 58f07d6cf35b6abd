// Byte streams for the encoders.
#include "CxMemFile.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

size_t CxIOFile::Write(const void* buffer, size_t size, size_t count)
{
    const size_t n = m_file ? fwrite(buffer, size, count, m_file) : 0;
    if (n != count)
        m_good = false;
    return n * size;
}

size_t CxIOFile::Read(void* buffer, size_t size, size_t count)
{
    return m_file ? fread(buffer, size, count, m_file) * size : 0;
}

bool CxIOFile::Seek(int64_t offset, int origin)
{
    return m_file && _fseeki64(m_file, offset, origin) == 0;
}

int64_t CxIOFile::Tell()
{
    return m_file ? _ftelli64(m_file) : -1;
}

int64_t CxIOFile::Size()
{
    if (!m_file)
        return -1;
    const int64_t here = _ftelli64(m_file);
    _fseeki64(m_file, 0, SEEK_END);
    const int64_t size = _ftelli64(m_file);
    _fseeki64(m_file, here, SEEK_SET);
    return size;
}

bool CxIOFile::Flush()
{
    if (!m_file || fflush(m_file) != 0)
        m_good = false;
    return m_good;
}

CxMemFile::CxMemFile(BYTE* buffer, size_t size) : m_buffer(buffer), m_size(size), m_capacity(size), m_owned(false) {}

CxMemFile::~CxMemFile()
{
    if (m_owned)
        std::free(m_buffer);
}

bool CxMemFile::Reserve(size_t size)
{
    if (size <= m_capacity)
        return true;
    if (!m_owned)
        return false;
    const size_t grown = std::max(size, m_capacity + m_capacity / 2 + 4096);
    BYTE* bigger = static_cast<BYTE*>(std::realloc(m_buffer, grown));
    if (!bigger)
        return false;
    m_buffer = bigger;
    m_capacity = grown;
    return true;
}

size_t CxMemFile::Write(const void* buffer, size_t size, size_t count)
{
    if (size && count > (SIZE_MAX - m_pos) / size) {
        m_good = false;
        return 0;
    }
    const size_t bytes = size * count;
    if (!Reserve(m_pos + bytes)) {
        m_good = false;
        return 0;
    }
    std::memcpy(m_buffer + m_pos, buffer, bytes);
    m_pos += bytes;
    m_size = std::max(m_size, m_pos);
    return bytes;
}

size_t CxMemFile::Read(void* buffer, size_t size, size_t count)
{
    if (!size || m_pos >= m_size)
        return 0;
    const size_t items = std::min(count, (m_size - m_pos) / size);
    std::memcpy(buffer, m_buffer + m_pos, items * size);
    m_pos += items * size;
    return items * size;
}

bool CxMemFile::Seek(int64_t offset, int origin)
{
    const int64_t base = origin == SEEK_CUR ? static_cast<int64_t>(m_pos) : (origin == SEEK_END ? static_cast<int64_t>(m_size) : 0);
    const int64_t target = base + offset;
    // A target beyond what a block may take is refused before any size_t conversion, which
    // would wrap on 32-bit builds and let the zero fill below run off the block.
    if (target < 0 || static_cast<uint64_t>(target) > SIZE_MAX / 2)
        return false;
    // Seeking past the end grows the block with zeros when it is ours.
    if (static_cast<uint64_t>(target) > m_size) {
        if (!Reserve(static_cast<size_t>(target)))
            return false;
        std::memset(m_buffer + m_size, 0, static_cast<size_t>(target) - m_size);
        m_size = static_cast<size_t>(target);
    }
    m_pos = static_cast<size_t>(target);
    return true;
}

BYTE* CxMemFile::Detach()
{
    BYTE* block = m_buffer;
    m_buffer = nullptr;
    m_size = m_capacity = m_pos = 0;
    return block;
}
