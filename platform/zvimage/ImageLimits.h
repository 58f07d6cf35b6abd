#pragma once
// Limits on picture sizes and the checked arithmetic that every allocation of a plane uses.
// Decoders read untrusted files: a header may claim any size, so nothing is allocated from an
// unchecked product.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace zvimage {

// A side may reach 32767 pixels and a picture 2^27 pixels (16384 x 8192, or a 30000 x 4000
// panorama): large photos load, while a header that claims more is refused before anything is
// allocated. At 3 bytes a pixel plus alpha the largest picture takes 512 MB, which a 32-bit
// process with 4 GB of address space can still hold beside a copy for undo.
constexpr uint32_t kMaxSide = 32767;
constexpr uint64_t kMaxPixels = uint64_t(1) << 27;

inline bool SizeAllowed(uint64_t width, uint64_t height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

// Beside the picture, an effect holds working copies of it: one for a blur, two for a
// distortion (its source and its result) or for a blur mixed back with the sharp picture. All
// of them together may take as much as the largest picture, 512 MB, so that the picture, its
// undo copy and the working copies stay within 1.5 GB of a 32-bit process's address space. A
// blur runs on any picture; a distortion on up to 2^26 pixels with alpha (a 64-megapixel
// photo), 89 million without.
constexpr uint64_t kWorkingBytes = kMaxPixels * 4;

inline bool WorkingCopiesFit(uint64_t width, uint64_t height, unsigned channels, unsigned copies)
{
    return width <= kMaxSide && height <= kMaxSide && width * height * channels * copies <= kWorkingBytes;
}

// Bytes of one DIB row, padded to 4 bytes.
inline uint64_t DibStride(uint64_t width, unsigned bpp)
{
    return ((width * bpp + 31) / 32) * 4;
}

// malloc for a size computed in 64 bits; null when it does not fit the address space.
inline void* CheckedAlloc(uint64_t bytes)
{
    if (bytes == 0 || bytes > SIZE_MAX / 2)
        return nullptr;
    return std::malloc(static_cast<size_t>(bytes));
}

inline void* CheckedCalloc(uint64_t bytes)
{
    if (bytes == 0 || bytes > SIZE_MAX / 2)
        return nullptr;
    return std::calloc(1, static_cast<size_t>(bytes));
}

} // namespace zvimage
