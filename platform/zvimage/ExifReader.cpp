// Bounded EXIF parsing: the block comes from untrusted files, so each read names its offset
// and length and is checked in 64 bits; IFD chains are not followed beyond IFD0 and the one
// EXIF sub-directory, and entry counts are capped.
#include "ExifReader.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zvimage {

namespace {

constexpr uint32_t kMaxEntries = 1024;

enum : uint16_t {
    kTagMake = 0x010F,
    kTagModel = 0x0110,
    kTagOrientation = 0x0112,
    kTagDateTime = 0x0132,
    kTagExifIfd = 0x8769,
    kTagDateTimeOriginal = 0x9003,
    kTagPixelX = 0xA002,
    kTagPixelY = 0xA003,
};

enum : uint16_t { kTypeAscii = 2, kTypeShort = 3, kTypeLong = 4 };

class Block {
public:
    Block(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool Init()
    {
        if (m_size < 8)
            return false;
        if (m_data[0] == 'I' && m_data[1] == 'I')
            m_little = true;
        else if (m_data[0] == 'M' && m_data[1] == 'M')
            m_little = false;
        else
            return false;
        return U16(2) == 42;
    }

    bool Has(uint64_t offset, uint64_t length) const { return offset <= m_size && length <= m_size - offset; }

    uint16_t U16(uint64_t at) const
    {
        if (!Has(at, 2))
            return 0;
        const BYTE* p = m_data + at;
        return m_little ? uint16_t(p[0] | p[1] << 8) : uint16_t(p[0] << 8 | p[1]);
    }

    uint32_t U32(uint64_t at) const
    {
        if (!Has(at, 4))
            return 0;
        const BYTE* p = m_data + at;
        return m_little ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24
                        : uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
    }

    // An entry's whole number value (SHORT or LONG, first of its values).
    uint32_t Number(uint64_t entry) const
    {
        const uint16_t type = U16(entry + 2);
        return type == kTypeShort ? U16(entry + 8) : (type == kTypeLong ? U32(entry + 8) : 0);
    }

    // An ASCII entry copied into a terminated buffer of the given size.
    void Text(uint64_t entry, char* out, size_t outSize) const
    {
        out[0] = 0;
        if (U16(entry + 2) != kTypeAscii)
            return;
        const uint32_t count = U32(entry + 4);
        const uint64_t at = count <= 4 ? entry + 8 : U32(entry + 8);
        if (!Has(at, count))
            return;
        const size_t n = std::min<size_t>(count, outSize - 1);
        std::memcpy(out, m_data + at, n);
        out[n] = 0;
        out[strnlen(out, n)] = 0;
    }

    // Calls visit(entryOffset, tag) for each entry of the directory at offset.
    template <typename Visit>
    bool ForEachEntry(uint32_t offset, Visit visit) const
    {
        if (!Has(offset, 2))
            return false;
        const uint32_t count = std::min<uint32_t>(U16(offset), kMaxEntries);
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t entry = uint64_t(offset) + 2 + uint64_t(i) * 12;
            if (!Has(entry, 12))
                return false;
            visit(entry, U16(entry));
        }
        return true;
    }

    uint32_t FirstIfd() const { return U32(4); }

private:
    const BYTE* m_data;
    size_t m_size;
    bool m_little = true;
};

} // namespace

bool ParseExif(const BYTE* data, size_t size, CX_IMAGE_EXIFINFO& info)
{
    info = CX_IMAGE_EXIFINFO{};
    info.Orientation = 1;
    Block block(data, size);
    if (!data || !block.Init())
        return false;
    uint32_t exifIfd = 0;
    char dateTime[20] = {}, dateOriginal[20] = {};
    const bool ok = block.ForEachEntry(block.FirstIfd(), [&](uint64_t entry, uint16_t tag) {
        switch (tag) {
        case kTagMake: block.Text(entry, info.CameraMake, sizeof info.CameraMake); break;
        case kTagModel: block.Text(entry, info.CameraModel, sizeof info.CameraModel); break;
        case kTagDateTime: block.Text(entry, dateTime, sizeof dateTime); break;
        case kTagOrientation: {
            const uint32_t o = block.Number(entry);
            info.Orientation = o >= 1 && o <= 8 ? static_cast<int>(o) : 1;
            break;
        }
        case kTagExifIfd: exifIfd = block.Number(entry); break;
        default: break;
        }
    });
    if (!ok)
        return false;
    if (exifIfd && exifIfd != block.FirstIfd()) {
        block.ForEachEntry(exifIfd, [&](uint64_t entry, uint16_t tag) {
            switch (tag) {
            case kTagDateTimeOriginal: block.Text(entry, dateOriginal, sizeof dateOriginal); break;
            case kTagPixelX: info.Width = static_cast<int>(std::min<uint32_t>(block.Number(entry), 0x7FFFFFFF)); break;
            case kTagPixelY: info.Height = static_cast<int>(std::min<uint32_t>(block.Number(entry), 0x7FFFFFFF)); break;
            default: break;
            }
        });
    }
    // The moment the picture was taken, else when it was last written.
    std::memcpy(info.DateTime, dateOriginal[0] ? dateOriginal : dateTime, sizeof info.DateTime);
    info.IsExif = true;
    return true;
}

bool RewriteExif(std::vector<BYTE>& data, int orientation)
{
    Block block(data.data(), data.size());
    if (data.empty() || !block.Init())
        return false;
    const bool little = data[0] == 'I';
    auto put16 = [&](uint64_t at, uint16_t v) {
        data[at + (little ? 0 : 1)] = static_cast<BYTE>(v);
        data[at + (little ? 1 : 0)] = static_cast<BYTE>(v >> 8);
    };
    const uint32_t ifd0 = block.FirstIfd();
    block.ForEachEntry(ifd0, [&](uint64_t entry, uint16_t tag) {
        if (tag == kTagOrientation && block.U16(entry + 2) == kTypeShort)
            put16(entry + 8, static_cast<uint16_t>(orientation));
    });
    const uint64_t next = uint64_t(ifd0) + 2 + uint64_t(std::min<uint32_t>(block.U16(ifd0), kMaxEntries)) * 12;
    if (block.Has(next, 4))
        std::memset(data.data() + next, 0, 4);
    return true;
}

} // namespace zvimage
