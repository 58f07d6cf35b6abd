// BMP files and packed DIBs (also the clipboard's CF_DIB and the images inside icons): every
// header size, 1 to 32 bits, RLE and bit fields, each read bounded by the block.
#include "ImageCodecs.h"
#include <algorithm>
#include <cstring>
#include "CxMemFile.h"
#include "ImageLimits.h"

using namespace zvimage;

namespace {

uint32_t U32(const BYTE* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t U16(const BYTE* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

// A channel taken out of a pixel by its mask and scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m = 0) : mask(m)
    {
        if (!m)
            return;
        while (!(m & 1)) {
            m >>= 1;
            ++shift;
        }
        while (m & 1) {
            m >>= 1;
            ++bits;
        }
    }

    BYTE Get(uint32_t pixel) const
    {
        if (!bits)
            return 0;
        const uint32_t v = (pixel & mask) >> shift;
        const uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        return static_cast<BYTE>((uint64_t(v) * 255 + max / 2) / max);
    }
};

// RLE rows into 8-bit indices; rows bottom-up as the file stores them.
bool DecodeRle(const BYTE* p, size_t n, bool four, CxImage& out)
{
    const long w = out.GetWidth(), h = out.GetHeight();
    long x = 0, y = 0;
    size_t i = 0;
    while (i + 1 < n) {
        const BYTE count = p[i], value = p[i + 1];
        i += 2;
        if (count) {
            for (int k = 0; k < count && x < w; ++k, ++x)
                if (y < h)
                    out.GetBits(y)[x] = four ? ((k & 1) ? value & 15 : value >> 4) : value;
            continue;
        }
        if (value == 0) {          // end of line
            x = 0;
            ++y;
        } else if (value == 1) {   // end of picture
            return true;
        } else if (value == 2) {   // delta
            if (i + 1 >= n)
                return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {                   // a run of literal values
            const size_t bytes = four ? (value + 1) / 2 : value;
            if (i + bytes > n)
                return false;
            for (int k = 0; k < value; ++k, ++x)
                if (x < w && y < h)
                    out.GetBits(y)[x] = four ? ((k & 1) ? p[i + k / 2] & 15 : p[i + k / 2] >> 4) : p[i + k];
            i += (bytes + 1) & ~size_t(1);
        }
        if (y > h)
            return true;
    }
    return true;
}

} // namespace

bool BmpCodec::ReadDibHeader(const BYTE* dib, size_t size, size_t bitsOffset, bool iconMask, DibHeader& h)
{
    if (!dib || size < 12)
        return false;
    const uint32_t headerSize = U32(dib);
    if (headerSize < 12 || headerSize > size)
        return false;
    h = DibHeader();
    h.core = headerSize < 40;
    if (h.core) {
        h.width = U16(dib + 4);
        h.height = static_cast<int16_t>(U16(dib + 6));
        h.bpp = U16(dib + 10);
    } else {
        h.width = static_cast<int32_t>(U32(dib + 4));
        h.height = static_cast<int32_t>(U32(dib + 8));
        h.bpp = U16(dib + 14);
        h.compression = U32(dib + 16);
        h.colours = U32(dib + 32);
        h.xdpi = static_cast<long>(static_cast<int32_t>(U32(dib + 24)) * 254.0 / 10000.0 + 0.5);
        h.ydpi = static_cast<long>(static_cast<int32_t>(U32(dib + 28)) * 254.0 / 10000.0 + 0.5);
    }
    h.topDown = h.height < 0;
    if (h.topDown)
        h.height = -h.height;
    if (iconMask)
        h.height /= 2;
    if (!SizeAllowed(h.width, h.height))
        return false;
    const uint16_t bpp = h.bpp;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    const uint32_t compression = h.compression;
    h.rle = compression == BI_RLE8 || compression == BI_RLE4;
    if (h.rle && (h.topDown || bpp != (compression == BI_RLE8 ? 8 : 4)))
        return false;
    if (!h.rle && compression != BI_RGB && compression != BI_BITFIELDS && compression != 6)
        return false;

    // Bit-field masks: inside a large header, else after a 40-byte one.
    size_t at = headerSize;
    if (compression == BI_BITFIELDS || compression == 6) {
        const int count = compression == 6 ? 4 : 3;
        if (headerSize >= 52) {
            for (uint32_t i = 0; i < uint32_t(count) && 40 + i * 4 + 4 <= headerSize; ++i)
                h.masks[i] = U32(dib + 40 + i * 4);
        } else {
            if (at + count * 4 > size)
                return false;
            for (int i = 0; i < count; ++i)
                h.masks[i] = U32(dib + at + i * 4);
            at += count * 4;
        }
        if (headerSize >= 56)
            h.masks[3] = U32(dib + 52);
    } else if (bpp == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else if (bpp == 32) {
        h.masks[0] = 0x00FF0000, h.masks[1] = 0x0000FF00, h.masks[2] = 0x000000FF;
    }
    h.coloursAt = at;
    if (bpp <= 8) {
        h.entries = std::min<uint32_t>(h.colours ? h.colours : 1u << bpp, 1u << bpp);
        if (at + uint64_t(h.entries) * (h.core ? 3 : 4) > size)
            return false;
        at += h.entries * (h.core ? 3 : 4);
    }
    if (bitsOffset)
        at = bitsOffset;
    if (at > size)
        return false;
    h.bitsAt = at;
    // Plain rows must all be there; run-length rows are checked as they are decoded.
    return h.rle || DibStride(h.width, bpp) * h.height <= size - at;
}

bool BmpCodec::ReadDib(const BYTE* dib, size_t size, size_t bitsOffset, bool iconMask, CxImage& out)
{
    DibHeader h;
    if (!ReadDibHeader(dib, size, bitsOffset, iconMask, h))
        return false;
    const int64_t width = h.width, height = h.height;
    const uint16_t bpp = h.bpp;
    const uint32_t compression = h.compression;
    const bool core = h.core, topDown = h.topDown, rle = h.rle;
    const long xdpi = h.xdpi, ydpi = h.ydpi;
    const uint32_t* masks = h.masks;
    if (!out.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), bpp <= 8 ? 8 : 24, CXIMAGE_FORMAT_BMP))
        return false;
    if (xdpi > 0 && ydpi > 0 && xdpi < 100000 && ydpi < 100000) {
        out.SetXDPI(xdpi);
        out.SetYDPI(ydpi);
    }
    if (bpp <= 8) {
        const uint32_t entries = h.entries;
        const size_t entrySize = core ? 3 : 4;
        for (uint32_t i = 0; i < 256; ++i) {
            const BYTE* e = dib + h.coloursAt + i * entrySize;
            out.SetPaletteColor(static_cast<BYTE>(i), i < entries ? e[2] : 0, i < entries ? e[1] : 0, i < entries ? e[0] : 0);
        }
    }
    const BYTE* bits = dib + h.bitsAt;
    const size_t available = size - h.bitsAt;
    if (rle)
        return DecodeRle(bits, available, compression == BI_RLE4, out);

    const uint64_t stride = DibStride(width, bpp);
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alphaChannel(masks[3]);
    bool anyAlpha = false;
    if (bpp == 32 && !alphaChannel.mask && compression == BI_RGB) {
        // A plain 32-bit DIB keeps alpha in the fourth byte when any pixel sets one.
        for (int64_t y = 0; y < height && !anyAlpha; ++y)
            for (int64_t x = 0; x < width && !anyAlpha; ++x)
                anyAlpha = bits[y * stride + x * 4 + 3] != 0;
    }
    const bool alpha = bpp == 32 && (alphaChannel.mask || anyAlpha);
    if (alpha && !out.AlphaCreate())
        return false;
    for (int64_t row = 0; row < height; ++row) {
        const BYTE* s = bits + row * stride;
        const DWORD y = static_cast<DWORD>(topDown ? height - 1 - row : row);
        BYTE* d = out.GetBits(y);
        BYTE* a = out.AlphaGetPointer(0, y);
        for (int64_t x = 0; x < width; ++x) {
            switch (bpp) {
            case 1: d[x] = (s[x >> 3] >> (7 - (x & 7))) & 1; break;
            case 4: d[x] = (x & 1) ? s[x >> 1] & 15 : s[x >> 1] >> 4; break;
            case 8: d[x] = s[x]; break;
            case 24: std::memcpy(d + x * 3, s + x * 3, 3); break;
            default: {
                const uint32_t pixel = bpp == 16 ? U16(s + x * 2) : U32(s + x * 4);
                d[x * 3] = blue.Get(pixel);
                d[x * 3 + 1] = green.Get(pixel);
                d[x * 3 + 2] = red.Get(pixel);
                if (a)
                    a[x] = alphaChannel.mask ? alphaChannel.Get(pixel) : static_cast<BYTE>(pixel >> 24);
            }
            }
        }
    }
    if (iconMask) {
        // The AND mask: 1 marks a transparent pixel. A 32-bit icon with alpha of its own
        // ignores it.
        const uint64_t maskStride = DibStride(width, 1);
        const uint64_t maskAt = stride * height;
        if (!alpha && maskAt + maskStride * height <= available) {
            if (!out.AlphaCreate())
                return false;
            for (int64_t y = 0; y < height; ++y) {
                const BYTE* m = bits + maskAt + y * maskStride;
                BYTE* a = out.AlphaGetPointer(0, static_cast<long>(y));
                for (int64_t x = 0; x < width; ++x)
                    a[x] = (m[x >> 3] >> (7 - (x & 7))) & 1 ? 0 : 255;
            }
        }
    }
    return true;
}

bool BmpCodec::Decode(const BYTE* data, size_t size, const DecodeRequest&, CxImage& out, DecodeResult& result)
{
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t offset = U32(data + 10);
    if (offset < 14 + 12 || offset > size)
        return false;
    if (!ReadDib(data + 14, size - 14, offset - 14, false, out)) {
        out.Destroy();
        return false;
    }
    out.SetType(CXIMAGE_FORMAT_BMP);
    result.originalWidth = out.GetWidth();
    result.originalHeight = out.GetHeight();
    return true;
}

bool BmpCodec::Encode(const CxImage& image, CxFile& file, const EncodeRequest&)
{
    if (!image.IsValid())
        return false;
    const bool alpha = image.AlphaIsValid();
    const WORD bpp = alpha ? 32 : image.GetBpp();
    const DWORD w = image.GetWidth(), h = image.GetHeight();
    const uint64_t stride = DibStride(w, bpp);
    // With alpha a version 5 header names the alpha mask, so that readers take it as alpha.
    const DWORD headerSize = alpha ? sizeof(BITMAPV5HEADER) : sizeof(BITMAPINFOHEADER);
    const DWORD paletteSize = bpp == 8 ? 256 * 4 : 0;
    const uint64_t offset = 14 + headerSize + paletteSize;
    const uint64_t total = offset + stride * h;
    if (total > 0xFFFFFFFFull)
        return false;
    BYTE fileHeader[14] = {'B', 'M'};
    const uint32_t total32 = static_cast<uint32_t>(total), offset32 = static_cast<uint32_t>(offset);
    std::memcpy(fileHeader + 2, &total32, 4);
    std::memcpy(fileHeader + 10, &offset32, 4);
    BITMAPV5HEADER header = {};
    header.bV5Size = headerSize;
    header.bV5Width = static_cast<LONG>(w);
    header.bV5Height = static_cast<LONG>(h);
    header.bV5Planes = 1;
    header.bV5BitCount = bpp;
    header.bV5Compression = alpha ? BI_BITFIELDS : BI_RGB;
    header.bV5SizeImage = static_cast<DWORD>(stride * h);
    header.bV5XPelsPerMeter = static_cast<LONG>(image.GetXDPI() * 10000.0 / 254.0 + 0.5);
    header.bV5YPelsPerMeter = static_cast<LONG>(image.GetYDPI() * 10000.0 / 254.0 + 0.5);
    header.bV5ClrUsed = bpp == 8 ? 256 : 0;
    if (alpha) {
        header.bV5RedMask = 0x00FF0000;
        header.bV5GreenMask = 0x0000FF00;
        header.bV5BlueMask = 0x000000FF;
        header.bV5AlphaMask = 0xFF000000;
        header.bV5CSType = 0x73524742;   // 'sRGB'
        header.bV5Intent = LCS_GM_IMAGES;
    }
    bool ok = file.Write(fileHeader, 1, 14) == 14 && file.Write(&header, 1, headerSize) == headerSize;
    if (ok && paletteSize)
        ok = file.Write(image.GetPalette(), 1, paletteSize) == paletteSize;
    std::vector<BYTE> line(alpha ? static_cast<size_t>(stride) : 0);
    for (DWORD y = 0; ok && y < h; ++y) {
        const BYTE* row = image.GetBits(y);
        if (alpha) {
            const BYTE* a = image.AlphaGetPointer(0, y);
            for (DWORD x = 0; x < w; ++x) {
                const RGBQUAD c = image.GetBpp() == 8 ? image.GetPaletteColor(row[x]) : RGBQUAD{row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 0};
                line[x * 4] = c.rgbBlue;
                line[x * 4 + 1] = c.rgbGreen;
                line[x * 4 + 2] = c.rgbRed;
                line[x * 4 + 3] = a[x];
            }
            row = line.data();
        }
        ok = file.Write(row, 1, static_cast<size_t>(stride)) == stride;
    }
    return ok && file.Good();
}
