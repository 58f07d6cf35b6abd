#include "ClipboardImageSize.h"
#include <cstdint>
#include "CxImage.h"
#include "ClipboardPicture.h"
#include "ImageLimits.h"

namespace {

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
    if (!ClipboardMetafileSize(width, height))
        return false;
    // The paste refuses what the image library could not hold.
    if (width > 0 && height > 0 && !zvimage::SizeAllowed(uint64_t(width), uint64_t(height)))
        return false;
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;
    return true;
}

} // namespace

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
