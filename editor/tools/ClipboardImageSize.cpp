#include "ClipboardImageSize.h"
#include "CxImage.h"
#include "NewPictureRules.h"

namespace {

// Opened for the window and closed in every case that opened it.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND window) : m_open(::OpenClipboard(window) != FALSE) {}
    ~ClipboardLock()
    {
        if (m_open)
            ::CloseClipboard();
    }
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

// The block of a format, locked for the scope; null data when absent or empty.
class LockedBlock {
public:
    explicit LockedBlock(UINT format) : m_block(::GetClipboardData(format))
    {
        m_size = m_block ? ::GlobalSize(m_block) : 0;
        if (m_size)
            m_data = static_cast<const BYTE*>(::GlobalLock(m_block));
    }
    ~LockedBlock()
    {
        if (m_data)
            ::GlobalUnlock(m_block);
    }
    const BYTE* Data() const { return m_data; }
    SIZE_T Size() const { return m_size; }

private:
    HANDLE m_block;
    SIZE_T m_size = 0;
    const BYTE* m_data = nullptr;
};

bool PrivateBlockSize(int& width, int& height)
{
    if (!::IsClipboardFormatAvailable(PrivateImageClipboardFormat()))
        return false;
    LockedBlock block(PrivateImageClipboardFormat());
    DWORD w = 0, h = 0;
    // A block larger than a DWORD can describe is no dump of ours.
    if (!block.Data() || block.Size() > 0xFFFFFFFFu ||
        !CxImage::QueryDumpSize(block.Data(), DWORD(block.Size()), w, h))
        return false;
    width = int(w);
    height = int(h);
    return true;
}

bool DibSize(int& width, int& height)
{
    if (!::IsClipboardFormatAvailable(CF_DIB))
        return false;
    LockedBlock block(CF_DIB);
    DWORD w = 0, h = 0;
    if (!block.Data() || !CxImage::QueryDIBSize(block.Data(), block.Size(), w, h))
        return false;
    width = int(w);
    height = int(h);
    return true;
}

bool MetafileSize(int& width, int& height)
{
    if (!::IsClipboardFormatAvailable(CF_ENHMETAFILE))
        return false;
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
    BYTE header[sizeof(ENHMETAHEADER)] = {};
    const UINT read = metafile ? ::GetEnhMetaFileHeader(metafile, sizeof header, reinterpret_cast<ENHMETAHEADER*>(header)) : 0;
    if (!newpicture::MetafileHeaderSize(header, read, width, height))
        return false;
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;
    return true;
}

bool DecodePrivateBlock(CxImage& picture)
{
    if (!::IsClipboardFormatAvailable(PrivateImageClipboardFormat()))
        return false;
    LockedBlock block(PrivateImageClipboardFormat());
    return block.Data() && block.Size() <= 0xFFFFFFFFu && picture.UnDump(block.Data(), DWORD(block.Size())) != 0;
}

bool DecodeDib(CxImage& picture)
{
    if (!::IsClipboardFormatAvailable(CF_DIB))
        return false;
    HANDLE block = ::GetClipboardData(CF_DIB);
    return block && picture.CreateFromHANDLE(block);
}

bool DrawMetafile(CxImage& picture)
{
    int width = 0, height = 0;
    if (!MetafileSize(width, height) || width < 1 || height < 1)
        return false;
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP section = dc ? ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool ok = false;
    if (section && bits) {
        HGDIOBJ old = ::SelectObject(dc, section);
        const RECT all = {0, 0, width, height};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ok = metafile && ::PlayEnhMetaFile(dc, metafile, &all);
        ::SelectObject(dc, old);
        ok = ok && picture.CreateFromHBITMAP(section);
    }
    if (section)
        ::DeleteObject(section);
    if (dc)
        ::DeleteDC(dc);
    return ok;
}

} // namespace

bool ReadClipboardPicture(HWND window, CxImage& picture)
{
    ClipboardLock clipboard(window);
    if (!clipboard.IsOpen())
        return false;
    CxImage read;
    if (!DecodePrivateBlock(read) && !DecodeDib(read) && !DrawMetafile(read))
        return false;
    return picture.Transfer(read);
}

UINT PrivateImageClipboardFormat()
{
    static const UINT format = ::RegisterClipboardFormatW(L"RCF_ZVIMAGE");
    return format;
}

bool GetClipboardImageSize(HWND window, int& width, int& height)
{
    width = height = 0;
    ClipboardLock clipboard(window);
    if (!clipboard.IsOpen())
        return false;
    // A private block that does not decode falls through to the other formats, as the decode
    // that pastes it would.
    if (PrivateBlockSize(width, height) || DibSize(width, height) || MetafileSize(width, height))
        return true;
    width = height = 0;
    return false;
}
