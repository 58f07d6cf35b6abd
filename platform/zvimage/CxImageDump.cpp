// CxImage: the private dump (the editor's clipboard format) and exchange with Win32 objects:
// DIB handles, bitmaps and icons.
#include "CxImage.h"
#include <algorithm>
#include <cstring>
#include "ImageCodecs.h"
#include "GdiApi.h"
#include "ImageLimits.h"

using namespace zvimage;

namespace {

// The dump: this header, then the palette (8-bit pictures), the rows, the alpha plane and the
// selection mask when the flags say so. Fixed-size fields, little-endian, the same for 32- and
// 64-bit programs.
const char kDumpMagic[8] = {'Z', 'V', 'I', 'M', 'D', 'M', 'P', '1'};
constexpr uint32_t kDumpVersion = 1;
constexpr uint32_t kHasAlpha = 1, kHasSelection = 2;

#pragma pack(push, 1)
struct DumpHeader {
    char magic[8];
    uint32_t version;
    uint32_t headerSize;
    uint32_t width, height, bpp;
    int32_t transIndex;
    uint8_t transColor[4];
    int32_t xdpi, ydpi;
    uint32_t type, jpegQuality, frameDelay, disposal;
    int32_t selection[4];   // left, top, right, bottom of the selection box
    uint32_t flags;
    uint64_t paletteBytes, pixelBytes, planeBytes, totalBytes;
};
#pragma pack(pop)

struct DumpLayout {
    uint64_t palette, pixels, plane, total;
};

DumpLayout LayoutOf(uint64_t width, uint64_t height, uint32_t bpp, uint32_t flags)
{
    DumpLayout l;
    l.palette = bpp == 8 ? 256 * 4 : 0;
    l.pixels = DibStride(width, bpp) * height;
    l.plane = width * height;
    l.total = sizeof(DumpHeader) + l.palette + l.pixels + ((flags & kHasAlpha) ? l.plane : 0) +
              ((flags & kHasSelection) ? l.plane : 0);
    return l;
}

// The header of a dump, read and checked against the block's size: false for a block from
// another program, or one cut short.
bool ReadDumpHeader(const BYTE* src, DWORD size, DumpHeader& h, DumpLayout& layout)
{
    if (!src || size < sizeof h)
        return false;
    std::memcpy(&h, src, sizeof h);
    if (std::memcmp(h.magic, kDumpMagic, sizeof h.magic) != 0 || h.version != kDumpVersion || h.headerSize != sizeof h)
        return false;
    if (!SizeAllowed(h.width, h.height) || (h.bpp != 8 && h.bpp != 24) || (h.flags & ~(kHasAlpha | kHasSelection)))
        return false;
    layout = LayoutOf(h.width, h.height, h.bpp, h.flags);
    return layout.palette == h.paletteBytes && layout.pixels == h.pixelBytes && layout.plane == h.planeBytes &&
           layout.total == h.totalBytes && layout.total <= size;
}

} // namespace

bool CxImage::QueryDumpSize(const BYTE* src, DWORD size, DWORD& width, DWORD& height)
{
    DumpHeader h;
    DumpLayout layout;
    if (!ReadDumpHeader(src, size, h, layout))
        return false;
    width = h.width;
    height = h.height;
    return true;
}

bool CxImage::QueryDIBSize(const BYTE* dib, size_t size, DWORD& width, DWORD& height)
{
    BmpCodec::DibHeader h;
    if (!BmpCodec::ReadDibHeader(dib, size, 0, false, h))
        return false;
    width = static_cast<DWORD>(h.width);
    height = static_cast<DWORD>(h.height);
    return true;
}

DWORD CxImage::DumpSize() const
{
    if (!IsValid())
        return 0;
    const uint32_t flags = (m_alpha ? kHasAlpha : 0) | (m_selection ? kHasSelection : 0);
    const uint64_t total = LayoutOf(m_width, m_height, m_bpp, flags).total;
    return total > 0xFFFFFFFFull ? 0 : static_cast<DWORD>(total);
}

DWORD CxImage::Dump(BYTE* dst) const
{
    const DWORD size = DumpSize();
    if (!dst || !size)
        return 0;
    const uint32_t flags = (m_alpha ? kHasAlpha : 0) | (m_selection ? kHasSelection : 0);
    const DumpLayout layout = LayoutOf(m_width, m_height, m_bpp, flags);
    DumpHeader h = {};
    std::memcpy(h.magic, kDumpMagic, sizeof h.magic);
    h.version = kDumpVersion;
    h.headerSize = sizeof h;
    h.width = m_width;
    h.height = m_height;
    h.bpp = m_bpp;
    h.transIndex = m_info.transIndex;
    std::memcpy(h.transColor, &m_info.transColor, 4);
    h.xdpi = m_info.xdpi;
    h.ydpi = m_info.ydpi;
    h.type = m_info.type;
    h.jpegQuality = m_info.jpegQuality;
    h.frameDelay = m_info.frameDelay;
    h.disposal = m_info.disposal;
    h.selection[0] = m_info.selectionBox.left;
    h.selection[1] = m_info.selectionBox.top;
    h.selection[2] = m_info.selectionBox.right;
    h.selection[3] = m_info.selectionBox.bottom;
    h.flags = flags;
    h.paletteBytes = layout.palette;
    h.pixelBytes = layout.pixels;
    h.planeBytes = layout.plane;
    h.totalBytes = layout.total;
    BYTE* p = dst;
    std::memcpy(p, &h, sizeof h);
    p += sizeof h;
    if (layout.palette) {
        std::memcpy(p, GetPalette(), static_cast<size_t>(layout.palette));
        p += layout.palette;
    }
    std::memcpy(p, m_bits, static_cast<size_t>(layout.pixels));
    p += layout.pixels;
    if (m_alpha) {
        std::memcpy(p, m_alpha.get(), static_cast<size_t>(layout.plane));
        p += layout.plane;
    }
    if (m_selection)
        std::memcpy(p, m_selection.get(), static_cast<size_t>(layout.plane));
    return size;
}

DWORD CxImage::UnDump(const BYTE* src, DWORD size)
{
    // A block from another program, or one cut short, is refused before anything is made.
    DumpHeader h;
    DumpLayout layout;
    if (!ReadDumpHeader(src, size, h, layout))
        return 0;
    CxImage made;
    if (!made.Create(h.width, h.height, h.bpp, h.type))
        return 0;
    if (((h.flags & kHasAlpha) && !made.AlphaCreate()) || ((h.flags & kHasSelection) && !made.SelectionCreate()))
        return 0;
    const BYTE* p = src + sizeof h;
    if (layout.palette) {
        std::memcpy(made.GetPalette(), p, static_cast<size_t>(layout.palette));
        p += layout.palette;
    }
    std::memcpy(made.m_bits, p, static_cast<size_t>(layout.pixels));
    p += layout.pixels;
    if (h.flags & kHasAlpha) {
        std::memcpy(made.m_alpha.get(), p, static_cast<size_t>(layout.plane));
        p += layout.plane;
    }
    if (h.flags & kHasSelection) {
        std::memcpy(made.m_selection.get(), p, static_cast<size_t>(layout.plane));
        made.RecalcSelectionBox();
    }
    made.m_info.transIndex = h.transIndex < 0 ? -1 : (h.bpp == 8 ? std::min(h.transIndex, 255) : 0);
    std::memcpy(&made.m_info.transColor, h.transColor, 4);
    made.m_info.jpegQuality = static_cast<BYTE>(std::clamp<uint32_t>(h.jpegQuality, 1, 100));
    made.m_info.frameDelay = h.frameDelay;
    made.m_info.disposal = static_cast<BYTE>(h.disposal & 7);
    made.SetXDPI(h.xdpi);
    made.SetYDPI(h.ydpi);
    Transfer(made);
    return static_cast<DWORD>(layout.total);
}

HANDLE CxImage::CopyToHandle() const
{
    const DWORD size = GetDIBSize();
    if (!size)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(p, m_dib.get(), size);
    GlobalUnlock(block);
    return block;
}

bool CxImage::CreateFromHANDLE(HANDLE dib)
{
    if (!dib)
        return false;
    const SIZE_T size = GlobalSize(dib);
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(dib));
    if (!p)
        return false;
    CxImage made;
    const bool ok = BmpCodec::ReadDib(p, size, 0, false, made);
    GlobalUnlock(dib);
    if (!ok)
        return false;
    made.SetType(CXIMAGE_FORMAT_UNKNOWN);
    return Transfer(made);
}

bool CxImage::CreateFromHBITMAP(HBITMAP bitmap, HPALETTE, bool transparency)
{
    BITMAP info;
    if (!bitmap || !Gdi() || !Gdi()->GetObjectW(bitmap, sizeof info, &info))
        return false;
    const long w = info.bmWidth, h = std::labs(info.bmHeight);
    if (!SizeAllowed(w, h))
        return false;
    CxImage made;
    if (!made.Create(w, h, 24, CXIMAGE_FORMAT_UNKNOWN))
        return false;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = w;
    header.biHeight = h;   // bottom-up, as the picture stores its rows
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    CxBuffer pixels(static_cast<BYTE*>(CheckedAlloc(uint64_t(w) * h * 4)));
    const BoundMemoryDc dc(Gdi()->CreateCompatibleDC(nullptr));
    if (!pixels || !dc.IsValid() ||
        Gdi()->GetDIBits(dc.Get(), bitmap, 0, h, pixels.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) != h)
        return false;
    const BYTE* s = pixels.get();
    bool anyAlpha = false;
    for (size_t i = 0, n = size_t(w) * h; transparency && i < n && !anyAlpha; ++i)
        anyAlpha = s[i * 4 + 3] != 0;
    if (anyAlpha && !made.AlphaCreate())
        return false;
    for (long y = 0; y < h; ++y) {
        BYTE* d = made.GetBits(y);
        BYTE* a = made.AlphaGetPointer(0, y);
        for (long x = 0; x < w; ++x, s += 4) {
            std::memcpy(d + x * 3, s, 3);
            if (a)
                a[x] = s[3];
        }
    }
    return Transfer(made);
}

bool CxImage::CreateFromHICON(HICON icon, bool transparency)
{
    ICONINFO info;
    if (!icon || !Gdi() || !Gdi()->GetIconInfo(icon, &info))
        return false;
    const BoundGdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
    CxImage made;
    if (info.hbmColor) {
        if (!made.CreateFromHBITMAP(info.hbmColor, nullptr, transparency))
            return false;
    } else {
        // A monochrome icon: the mask bitmap holds the AND half above the XOR half.
        CxImage both;
        if (!both.CreateFromHBITMAP(info.hbmMask) || both.GetHeight() < 2 ||
            !both.Crop(0, static_cast<long>(both.GetHeight() / 2), static_cast<long>(both.GetWidth()),
                       static_cast<long>(both.GetHeight()), &made))
            return false;
    }
    if (transparency && !made.AlphaIsValid() && info.hbmMask) {
        CxImage andMask;
        if (andMask.CreateFromHBITMAP(info.hbmMask) && made.AlphaCreate()) {
            for (DWORD y = 0; y < made.GetHeight(); ++y)
                for (DWORD x = 0; x < made.GetWidth(); ++x)
                    made.AlphaSet(x, y, andMask.GetPixelColor(x, y + (info.hbmColor ? 0 : made.GetHeight()), false).rgbRed ? 0 : 255);
        }
    }
    return Transfer(made);
}

HBITMAP CxImage::MakeBitmap(HDC dc, bool transparency) const
{
    if (!IsValid() || !Gdi())
        return nullptr;
    if (transparency && m_alpha) {
        // A 32-bit section with premultiplied alpha, as AlphaBlend wants it.
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof header;
        header.biWidth = static_cast<LONG>(m_width);
        header.biHeight = static_cast<LONG>(m_height);
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP section = Gdi()->CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!section || !bits)
            return nullptr;
        BYTE* d = static_cast<BYTE*>(bits);
        for (DWORD y = 0; y < m_height; ++y)
            for (DWORD x = 0; x < m_width; ++x, d += 4) {
                const RGBQUAD c = GetPixelColor(x, y, true);
                d[0] = static_cast<BYTE>((c.rgbBlue * c.rgbReserved + 127) / 255);
                d[1] = static_cast<BYTE>((c.rgbGreen * c.rgbReserved + 127) / 255);
                d[2] = static_cast<BYTE>((c.rgbRed * c.rgbReserved + 127) / 255);
                d[3] = c.rgbReserved;
            }
        return section;
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(m_dib.get());
    if (dc)
        return Gdi()->CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, m_bits, info, DIB_RGB_COLORS);
    void* bits = nullptr;
    HBITMAP section = Gdi()->CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section && bits)
        std::memcpy(bits, m_bits, static_cast<size_t>(m_stride) * m_height);
    return section;
}
