#include "ClipboardPicture.h"
#include <cstdint>
#include "CxImage.h"
#include "ImageLimits.h"
#include "NewPictureRules.h"

namespace {

bool DecodePrivateBlock(CxImage& picture)
{
    if (!::IsClipboardFormatAvailable(PrivateImageClipboardFormat()))
        return false;
    HANDLE block = ::GetClipboardData(PrivateImageClipboardFormat());
    const SIZE_T size = block ? ::GlobalSize(block) : 0;
    // A block larger than a DWORD can describe is no dump of ours.
    if (size == 0 || size > 0xFFFFFFFFu)
        return false;
    const BYTE* data = static_cast<const BYTE*>(::GlobalLock(block));
    if (!data)
        return false;
    const bool ok = picture.UnDump(data, DWORD(size)) != 0;
    ::GlobalUnlock(block);
    return ok;
}

bool DecodeDib(CxImage& picture)
{
    if (!::IsClipboardFormatAvailable(CF_DIB))
        return false;
    HANDLE block = ::GetClipboardData(CF_DIB);
    return block && picture.CreateFromHANDLE(block);
}

// Drawn on white into a 24-bit section, so that the screen's depth plays no part.
bool DrawMetafile(CxImage& picture)
{
    int width = 0, height = 0;
    if (!ClipboardMetafileSize(width, height) || width < 1 || height < 1 || !zvimage::SizeAllowed(uint64_t(width), uint64_t(height)))
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

// A moveable, zeroed block of the picture's dump; null when it cannot be made.
HGLOBAL DumpBlock(const CxImage& picture)
{
    const DWORD size = picture.DumpSize();
    if (size == 0)
        return nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    BYTE* data = block ? static_cast<BYTE*>(::GlobalLock(block)) : nullptr;
    if (!data) {
        if (block)
            ::GlobalFree(block);
        return nullptr;
    }
    const bool ok = picture.Dump(data) == size;
    ::GlobalUnlock(block);
    if (!ok) {
        ::GlobalFree(block);
        return nullptr;
    }
    return block;
}

// The clipboard owns the block once it is set; otherwise it is ours to free.
bool SetBlock(UINT format, HANDLE block)
{
    if (block && ::SetClipboardData(format, block))
        return true;
    if (block)
        ::GlobalFree(block);
    return false;
}

} // namespace

UINT PrivateImageClipboardFormat()
{
    static const UINT format = ::RegisterClipboardFormatW(L"RCF_ZVIMAGE");
    return format;
}

bool ClipboardMetafileSize(int& width, int& height)
{
    if (!::IsClipboardFormatAvailable(CF_ENHMETAFILE))
        return false;
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
    BYTE header[sizeof(ENHMETAHEADER)] = {};
    const UINT read = metafile ? ::GetEnhMetaFileHeader(metafile, sizeof header, reinterpret_cast<ENHMETAHEADER*>(header)) : 0;
    return newpicture::MetafileHeaderSize(header, read, width, height);
}

ClipboardWrite WriteClipboardPicture(HWND owner, const CxImage& picture, bool withPrivateBlock)
{
    ClipboardWrite result;
    HANDLE dib = picture.CopyToHandle();
    HGLOBAL dump = withPrivateBlock ? DumpBlock(picture) : nullptr;
    ClipboardLock clipboard(owner);
    if (!clipboard.IsOpen()) {
        if (dib)
            ::GlobalFree(dib);
        if (dump)
            ::GlobalFree(dump);
        return result;
    }
    result.opened = true;
    ::EmptyClipboard();
    if (!SetBlock(CF_DIB, dib))
        ++result.failedSets;
    if (withPrivateBlock && !SetBlock(PrivateImageClipboardFormat(), dump))
        ++result.failedSets;
    return result;
}

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
