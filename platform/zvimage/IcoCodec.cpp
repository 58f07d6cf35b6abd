// Icons and cursors: a directory of images, each a DIB with its mask or a PNG. A load takes
// the largest, deepest image unless a frame is asked for; a save writes one 32-bit image.
#include "ImageCodecs.h"
#include <algorithm>
#include <cstring>
#include "CxMemFile.h"
#include "ImageLimits.h"

using namespace zvimage;

namespace {

constexpr uint16_t kMaxEntries = 1024;

uint32_t U32(const BYTE* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t U16(const BYTE* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

struct Entry {
    uint32_t width, height, bpp, size, offset;
};

bool ReadEntry(const BYTE* data, size_t size, const Entry& e, CxImage& out)
{
    if (e.offset > size || e.size > size - e.offset || e.size < 8)
        return false;
    const BYTE* p = data + e.offset;
    static const BYTE kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::memcmp(p, kPng, 8) == 0) {
        DecodeResult ignored;
        return PngCodec::Decode(p, e.size, DecodeRequest(), out, ignored);
    }
    return BmpCodec::ReadDib(p, e.size, 0, true, out);
}

} // namespace

bool IcoCodec::Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result)
{
    if (size < 6 || U16(data) != 0 || (U16(data + 2) != 1 && U16(data + 2) != 2))
        return false;
    const uint16_t count = U16(data + 4);
    if (count == 0 || count > kMaxEntries || 6 + uint64_t(count) * 16 > size)
        return false;
    std::vector<Entry> entries(count);
    size_t best = 0;
    for (uint16_t i = 0; i < count; ++i) {
        const BYTE* d = data + 6 + i * 16;
        entries[i] = Entry{d[0] ? d[0] : 256u, d[1] ? d[1] : 256u, U16(d + 6), U32(d + 8), U32(d + 12)};
        const Entry& a = entries[i];
        const Entry& b = entries[best];
        if (uint64_t(a.width) * a.height > uint64_t(b.width) * b.height ||
            (uint64_t(a.width) * a.height == uint64_t(b.width) * b.height && a.bpp > b.bpp))
            best = i;
    }
    result.numFrames = count;
    if (request.frame < 0 || request.frame >= count)
        return false;
    const size_t first = request.allFrames ? 0 : (request.frame > 0 ? static_cast<size_t>(request.frame) : best);
    if (!ReadEntry(data, size, entries[first], out)) {
        out.Destroy();
        return false;
    }
    for (size_t i = 1; request.allFrames && i < count; ++i) {
        auto next = std::make_unique<CxImage>();
        if (!ReadEntry(data, size, entries[i], *next)) {
            out.Destroy();
            return false;
        }
        result.frames.push_back(std::move(next));
    }
    out.SetType(CXIMAGE_FORMAT_ICO);
    result.originalWidth = out.GetWidth();
    result.originalHeight = out.GetHeight();
    return true;
}

bool IcoCodec::Encode(const CxImage& image, CxFile& file, const EncodeRequest&)
{
    const DWORD w = image.GetWidth(), h = image.GetHeight();
    if (!image.IsValid() || w > 256 || h > 256)
        return false;
    const uint64_t stride = DibStride(w, 32), maskStride = DibStride(w, 1);
    const uint32_t bytes = static_cast<uint32_t>(sizeof(BITMAPINFOHEADER) + stride * h + maskStride * h);
    BYTE directory[6 + 16] = {0, 0, 1, 0, 1, 0};
    BYTE* e = directory + 6;
    e[0] = static_cast<BYTE>(w == 256 ? 0 : w);
    e[1] = static_cast<BYTE>(h == 256 ? 0 : h);
    e[4] = 1;
    e[6] = 32;
    const uint32_t offset = sizeof directory;
    std::memcpy(e + 8, &bytes, 4);
    std::memcpy(e + 12, &offset, 4);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = static_cast<LONG>(w);
    header.biHeight = static_cast<LONG>(h * 2);
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    bool ok = file.Write(directory, 1, sizeof directory) == sizeof directory && file.Write(&header, 1, sizeof header) == sizeof header;
    std::vector<BYTE> line(static_cast<size_t>(stride));
    for (DWORD y = 0; ok && y < h; ++y) {
        for (DWORD x = 0; x < w; ++x) {
            const RGBQUAD c = image.GetPixelColor(x, y, true);
            line[x * 4] = c.rgbBlue;
            line[x * 4 + 1] = c.rgbGreen;
            line[x * 4 + 2] = c.rgbRed;
            line[x * 4 + 3] = c.rgbReserved;
        }
        ok = file.Write(line.data(), 1, line.size()) == line.size();
    }
    std::vector<BYTE> mask(static_cast<size_t>(maskStride));
    for (DWORD y = 0; ok && y < h; ++y) {
        std::fill(mask.begin(), mask.end(), 0);
        for (DWORD x = 0; x < w; ++x)
            if (image.GetPixelColor(x, y, true).rgbReserved < 128)
                mask[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
        ok = file.Write(mask.data(), 1, mask.size()) == mask.size();
    }
    return ok && file.Good();
}
