#pragma once
// CImageFile: a whole file as one byte image, kept in a file reached through a CFileIO or in a
// memory buffer: owned (filled by the caller or decompressed from LZO1X) or borrowed. A borrowed
// buffer is only read: it may be a resource in read-only pages. A memory image never grows.
#include <memory>
#include "FileIO.h"
#include "PageImage.h"
#include "TString.h"

class ZVUILIB_API CImageFile : public CPageImage {
public:
    CImageFile();
    explicit CImageFile(CFileIO* io);
    ~CImageFile() override;
    CImageFile(const CImageFile&) = delete;
    CImageFile& operator=(const CImageFile&) = delete;

    bool ReadPage(uint32_t position, void* page) override;
    bool WritePage(uint32_t position, const void* page) override;
    uint32_t GetPageKind(uint32_t position) override;
    // Compressed: data is a 4-byte header and an LZO1X stream, dataSize bytes in all, that must
    // decompress to exactly size bytes.
    bool LoadMemory(uint32_t size, const void* data, bool compressed, uint32_t dataSize = 0) override;
    bool CreateImage(const wchar_t* path, uint32_t size) override;
    bool OpenImage(const wchar_t* path, HANDLE handle) override;
    void CloseImage() override;
    uint32_t Read(uint32_t position, void* buffer, uint32_t count) override;
    uint32_t Write(uint32_t position, const void* buffer, uint32_t count) override;
    uint32_t SetWindowStart(uint32_t start) override;
    void SetReadHook(PageImageReadHook hook, void* context) override;
    void SetWriteHook(PageImageWriteHook hook, void* context) override;
    bool IsOutside(uint32_t position) override;
    uint32_t CallReadHook(uint32_t position, void* buffer, uint32_t count) override;
    uint32_t CallWriteHook(uint32_t position, const void* buffer, uint32_t count) override;

    uint32_t GetSize() const { return m_size; }
    const wchar_t* GetName() const { return m_name.GetString(); }
    const uint8_t* GetMemory() const { return m_memory; }
    uint8_t* GetOwnedMemory() const { return m_owned.get(); }
    bool IsOpen() const { return m_memory || m_handleOpen; }

protected:
    CFileIO* GetFileIO() const { return m_io; }

private:
    enum : uint32_t {
        FLAG_CALLER_HANDLE = 1u << 17, // the caller closes the handle
        FLAG_WRITABLE = 1u << 18,      // the file is open with write access
    };

    void Reset();
    uint32_t ReadStore(uint32_t offset, void* buffer, uint32_t count);
    uint32_t WriteStore(uint32_t offset, const void* buffer, uint32_t count);
    bool MakeWritable();
    bool TakeFileSize();
    void SetSizeAndWindow(uint32_t size);

    uint32_t m_windowStart = 0;
    uint32_t m_windowEnd = 0;
    ALT::TString<wchar_t, 0, 8> m_name;
    PageImageReadHook m_readHook;
    PageImageWriteHook m_writeHook;
    void* m_readContext;
    void* m_writeContext;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    bool m_handleOpen = false;
    uint32_t m_flags = 0;
    uint32_t m_pageKind = 0;
    uint32_t m_size = 0;
    std::unique_ptr<uint8_t[]> m_owned;
    const uint8_t* m_memory = nullptr; // m_owned or the caller's buffer
    CFileIO* m_io;
};
