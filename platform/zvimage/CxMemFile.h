#pragma once
// Byte streams that the encoders write to: a C file or a growing memory block.
#include <cstdio>
#include <cstdint>
#include "ZVImageDef.h"

class ZVIMAGE_API CxFile {
public:
    virtual ~CxFile() = default;
    virtual size_t Write(const void* buffer, size_t size, size_t count) = 0;
    virtual size_t Read(void* buffer, size_t size, size_t count) = 0;
    virtual bool Seek(int64_t offset, int origin) = 0;
    virtual int64_t Tell() = 0;
    virtual int64_t Size() = 0;
    virtual bool Flush() { return true; }
    virtual bool Eof() { return Tell() >= Size(); }
    // False once a write has failed; encoders report it as a failed save.
    bool Good() const { return m_good; }

protected:
    bool m_good = true;
};

// Borrows an open FILE*; never closes it.
class ZVIMAGE_API CxIOFile : public CxFile {
public:
    explicit CxIOFile(FILE* file) : m_file(file) {}
    size_t Write(const void* buffer, size_t size, size_t count) override;
    size_t Read(void* buffer, size_t size, size_t count) override;
    bool Seek(int64_t offset, int origin) override;
    int64_t Tell() override;
    int64_t Size() override;
    bool Flush() override;

private:
    FILE* m_file;
};

// A memory block that grows as it is written; it owns the block unless Detach gives it away.
class ZVIMAGE_API CxMemFile : public CxFile {
public:
    CxMemFile() = default;
    // Reads (and writes within) a caller's block without owning it.
    CxMemFile(BYTE* buffer, size_t size);
    ~CxMemFile() override;
    CxMemFile(const CxMemFile&) = delete;
    CxMemFile& operator=(const CxMemFile&) = delete;

    size_t Write(const void* buffer, size_t size, size_t count) override;
    size_t Read(void* buffer, size_t size, size_t count) override;
    bool Seek(int64_t offset, int origin) override;
    int64_t Tell() override { return static_cast<int64_t>(m_pos); }
    int64_t Size() override { return static_cast<int64_t>(m_size); }

    BYTE* GetBuffer() const { return m_buffer; }
    // Hands the block (allocated with malloc) to the caller; the file is empty afterwards.
    BYTE* Detach();

private:
    bool Reserve(size_t size);

    BYTE* m_buffer = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
    size_t m_pos = 0;
    bool m_owned = true;
};
