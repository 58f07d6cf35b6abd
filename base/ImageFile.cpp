#include "ImageFile.h"
#include <lzo/lzo1x.h>
#include <cstring>
#include <new>
#include "LocalFileIO.h"

namespace {

// The page kind every image answers; no reader here gives it a meaning.
const uint32_t kPageKind = 22;
// Bytes before the LZO1X stream of a compressed block; the loader does not interpret them.
const uint32_t kCompressedHeader = 4;

uint32_t ReadThroughImage(uint32_t position, void* buffer, uint32_t count, void* context)
{
    return static_cast<CImageFile*>(context)->Read(position, buffer, count);
}

uint32_t WriteThroughImage(uint32_t position, const void* buffer, uint32_t count, void* context)
{
    return static_cast<CImageFile*>(context)->Write(position, buffer, count);
}

bool LzoReady()
{
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

uint32_t Smaller(uint64_t a, uint64_t b)
{
    return uint32_t(a < b ? a : b);
}

} // namespace

CImageFile::CImageFile() : CImageFile(&GetLocalFileIO())
{
}

CImageFile::CImageFile(CFileIO* io)
    : m_readHook(ReadThroughImage), m_writeHook(WriteThroughImage), m_readContext(this), m_writeContext(this),
      m_io(io ? io : &GetLocalFileIO())
{
}

CImageFile::~CImageFile()
{
    CImageFile::CloseImage();
}

// A short page at the end of the image keeps zeros after the bytes that exist.
bool CImageFile::ReadPage(uint32_t position, void* page)
{
    std::memset(page, 0, PAGE_IMAGE_PAGE_SIZE);
    CallReadHook(position, page, PAGE_IMAGE_PAGE_SIZE);
    return true;
}

bool CImageFile::WritePage(uint32_t position, const void* page)
{
    if (position < m_windowStart)
        return false;
    return WriteStore(position - m_windowStart, page, PAGE_IMAGE_PAGE_SIZE) == PAGE_IMAGE_PAGE_SIZE;
}

uint32_t CImageFile::GetPageKind(uint32_t)
{
    return m_pageKind;
}

bool CImageFile::LoadMemory(uint32_t size, const void* data, bool compressed, uint32_t dataSize)
{
    CloseImage();
    if (data && !compressed) {
        m_memory = static_cast<const uint8_t*>(data);
        SetSizeAndWindow(size);
        return true;
    }
    if (compressed && (!data || size == 0 || dataSize <= kCompressedHeader || !LzoReady()))
        return false;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size ? size : 1]);
    if (!buffer)
        return false;
    if (compressed) {
        // The safe decoder checks both ends: a stream that would run past either buffer, or
        // that ends early, fails here instead of touching foreign memory.
        lzo_uint produced = size;
        const int result = lzo1x_decompress_safe(static_cast<const uint8_t*>(data) + kCompressedHeader,
                                                 dataSize - kCompressedHeader, buffer.get(), &produced, nullptr);
        if (result != LZO_E_OK || produced != size)
            return false;
    }
    m_owned = std::move(buffer);
    m_memory = m_owned.get();
    SetSizeAndWindow(size);
    return true;
}

bool CImageFile::CreateImage(const wchar_t* path, uint32_t size)
{
    CloseImage();
    if (!m_io->Create(path, m_handle, FILEIO_READWRITE | FILEIO_SHARE_READ))
        return false;
    m_handleOpen = true;
    m_name.AssignStr(path);
    m_flags = FLAG_WRITABLE;
    if (!m_io->SetSize(m_handle, size) || !TakeFileSize()) {
        CloseImage();
        return false;
    }
    return true;
}

// With a path the file is opened read-only (it becomes writable on the first write); without
// one a memory image stays as it is and a caller's handle is taken as writable.
bool CImageFile::OpenImage(const wchar_t* path, HANDLE handle)
{
    if (path && path[0]) {
        CloseImage();
        if (!m_io->Open(path, m_handle, FILEIO_SHARE_READ))
            return false;
        m_handleOpen = true;
        m_name.AssignStr(path);
    } else {
        if (m_memory) {
            m_flags |= FLAG_WRITABLE;
            return true;
        }
        if (!handle || handle == INVALID_HANDLE_VALUE)
            return false;
        CloseImage();
        m_handle = handle;
        m_handleOpen = true;
        m_flags = FLAG_WRITABLE | FLAG_CALLER_HANDLE;
    }
    if (!TakeFileSize()) {
        CloseImage();
        return false;
    }
    return true;
}

void CImageFile::CloseImage()
{
    m_name.Free();
    m_owned.reset();
    m_memory = nullptr;
    if (m_handleOpen && !(m_flags & FLAG_CALLER_HANDLE))
        m_io->Close(m_handle);
    m_handleOpen = false;
    m_handle = INVALID_HANDLE_VALUE;
    m_windowStart = m_windowEnd = 0;
    m_size = 0;
    m_flags = 0;
}

uint32_t CImageFile::Read(uint32_t position, void* buffer, uint32_t count)
{
    if (!buffer || IsOutside(position))
        return 0;
    return ReadStore(position - m_windowStart, buffer, Smaller(count, m_windowEnd - position));
}

uint32_t CImageFile::Write(uint32_t position, const void* buffer, uint32_t count)
{
    if (!buffer || IsOutside(position))
        return 0;
    return WriteStore(position - m_windowStart, buffer, Smaller(count, m_windowEnd - position));
}

// The window keeps its length; it ends at the top of the 32-bit range at the latest.
uint32_t CImageFile::SetWindowStart(uint32_t start)
{
    m_windowStart = start;
    m_windowEnd = Smaller(uint64_t(start) + m_size, UINT32_MAX);
    return start;
}

void CImageFile::SetReadHook(PageImageReadHook hook, void* context)
{
    m_readHook = hook;
    m_readContext = context;
}

void CImageFile::SetWriteHook(PageImageWriteHook hook, void* context)
{
    m_writeHook = hook;
    m_writeContext = context;
}

bool CImageFile::IsOutside(uint32_t position)
{
    return position < m_windowStart || position >= m_windowEnd;
}

uint32_t CImageFile::CallReadHook(uint32_t position, void* buffer, uint32_t count)
{
    return m_readHook ? m_readHook(position, buffer, count, m_readContext) : 0;
}

uint32_t CImageFile::CallWriteHook(uint32_t position, const void* buffer, uint32_t count)
{
    return m_writeHook ? m_writeHook(position, buffer, count, m_writeContext) : 0;
}

void CImageFile::SetSizeAndWindow(uint32_t size)
{
    m_size = size;
    m_pageKind = kPageKind;
    SetWindowStart(0);
}

// Positions are 32-bit: a file of 4 GiB or more cannot be an image.
bool CImageFile::TakeFileSize()
{
    const int64_t size = m_io->GetSize(m_handle);
    if (size < 0 || size > int64_t(UINT32_MAX))
        return false;
    SetSizeAndWindow(uint32_t(size));
    return true;
}

uint32_t CImageFile::ReadStore(uint32_t offset, void* buffer, uint32_t count)
{
    if (offset >= m_size || count == 0)
        return 0;
    count = Smaller(count, m_size - offset);
    if (m_memory) {
        std::memcpy(buffer, m_memory + offset, count);
        return count;
    }
    if (!m_handleOpen)
        return 0;
    return m_io->ReadAt(m_handle, buffer, count, offset);
}

// A file grows when the write reaches past its end; memory never does.
uint32_t CImageFile::WriteStore(uint32_t offset, const void* buffer, uint32_t count)
{
    if (m_memory) {
        if (!m_owned || offset >= m_size)
            return 0;
        count = Smaller(count, m_size - offset);
        std::memcpy(m_owned.get() + offset, buffer, count);
        return count;
    }
    count = Smaller(count, uint64_t(UINT32_MAX) - offset);
    if (count == 0 || !MakeWritable())
        return 0;
    const uint32_t written = m_io->WriteAt(m_handle, buffer, count, offset);
    if (uint64_t(offset) + written > m_size) {
        m_size = offset + written;
        SetWindowStart(m_windowStart);
    }
    return written;
}

// A file opened for reading is opened again by its name with write access. Our read handle
// lets others only read, so it goes first; when the reopening fails, reading goes on.
bool CImageFile::MakeWritable()
{
    if (m_flags & FLAG_WRITABLE)
        return m_handleOpen;
    if (!m_handleOpen || m_name.IsEmpty())
        return false;
    m_io->Close(m_handle);
    if (m_io->Open(m_name.GetString(), m_handle, FILEIO_READWRITE | FILEIO_SHARE_READ)) {
        m_flags |= FLAG_WRITABLE;
        return true;
    }
    m_handleOpen = m_io->Open(m_name.GetString(), m_handle, FILEIO_SHARE_READ);
    return false;
}
