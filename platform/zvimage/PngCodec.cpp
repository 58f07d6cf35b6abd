// PNG through libpng: palettes stay 8-bit, alpha goes to the alpha plane, EXIF (eXIf) and
// resolution (pHYs) are kept.
#include "ImageCodecs.h"
#include <algorithm>
#include <cstring>
#include "CxMemFile.h"
#include "ImageLimits.h"
#include <png.h>

using namespace zvimage;

namespace {

// Deflate cannot compress better than about 1032 : 1, so a header that claims more rows than
// the file could hold is a lie; refusing it saves allocating for a decompression bomb.
constexpr uint64_t kMaxDeflateRatio = 1100;

struct MemoryReader {
    const BYTE* data;
    size_t size;
    size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > r->size - r->pos)
        png_error(png, "truncated");
    std::memcpy(out, r->data + r->pos, length);
    r->pos += length;
}

void WriteToFile(png_structp png, png_bytep data, png_size_t length)
{
    auto* file = static_cast<CxFile*>(png_get_io_ptr(png));
    if (file->Write(data, 1, length) != length)
        png_error(png, "write failed");
}

void FlushFile(png_structp png)
{
    static_cast<CxFile*>(png_get_io_ptr(png))->Flush();
}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

long DpiOf(png_uint_32 perMetre)
{
    return static_cast<long>(perMetre * 254.0 / 10000.0 + 0.5);
}

} // namespace

bool PngCodec::Decode(const BYTE* data, size_t size, const DecodeRequest&, CxImage& out, DecodeResult& result)
{
    MemoryReader reader{data, size, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    BYTE* volatile whole = nullptr;    // the whole picture, for interlaced files with alpha
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        std::free(whole);
        out.Destroy();
        return false;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_chunk_cache_max(png, 1000);
    png_set_chunk_malloc_max(png, 16 * 1024 * 1024);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    const int samples = colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_PALETTE ? 1
                      : colour == PNG_COLOR_TYPE_GRAY_ALPHA ? 2 : (colour == PNG_COLOR_TYPE_RGB ? 3 : 4);
    const uint64_t rawBytes = uint64_t(height) * ((uint64_t(width) * depth * samples + 7) / 8 + 1);
    if (!SizeAllowed(width, height) || rawBytes / kMaxDeflateRatio > size)
        png_error(png, "size");
    result.originalWidth = width;
    result.originalHeight = height;

    // Bring every kind to 8 bits a sample: indices, grey, grey+alpha, BGR or BGRA.
    if (depth == 16)
        png_set_strip_16(png);
    if (depth < 8)
        png_set_packing(png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (colour & PNG_COLOR_MASK_COLOR)
        png_set_bgr(png);
    const bool paletted = colour == PNG_COLOR_TYPE_PALETTE;
    const bool gray = !(colour & PNG_COLOR_MASK_COLOR);
    const bool hasAlpha = (colour & PNG_COLOR_MASK_ALPHA) != 0;
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int channels = png_get_channels(png, info);

    if (!out.Create(width, height, paletted || gray ? 8 : 24, CXIMAGE_FORMAT_PNG))
        png_error(png, "memory");
    if (paletted) {
        png_colorp pal = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &pal, &count);
        for (int i = 0; i < 256; ++i)
            out.SetPaletteColor(static_cast<BYTE>(i), i < count ? pal[i].red : 0, i < count ? pal[i].green : 0,
                                i < count ? pal[i].blue : 0);
    }
    // Transparency chunk: one clear entry or colour becomes the transparent colour; partial
    // alpha of palette entries becomes an alpha plane.
    png_bytep transAlpha = nullptr;
    int transCount = 0;
    png_color_16p transValue = nullptr;
    const bool hasTrns = png_get_tRNS(png, info, &transAlpha, &transCount, &transValue) != 0;
    bool paletteAlpha = false;
    if (hasTrns && paletted && transAlpha) {
        int clear = -1, partial = 0;
        for (int i = 0; i < transCount; ++i) {
            if (transAlpha[i] == 0 && clear < 0)
                clear = i;
            else if (transAlpha[i] != 255)
                ++partial;
        }
        if (partial == 0 && clear >= 0)
            out.SetTransIndex(clear);
        else
            paletteAlpha = true;
    } else if (hasTrns && transValue) {
        const int shift = depth == 16 ? 8 : 0;
        if (gray) {
            const int scale = depth < 8 ? 255 / ((1 << depth) - 1) : 1;
            out.SetTransIndex(std::min(255, (transValue->gray >> shift) * scale));
        } else {
            out.SetTransColor(RGBQUAD{static_cast<BYTE>(transValue->blue >> shift), static_cast<BYTE>(transValue->green >> shift),
                                      static_cast<BYTE>(transValue->red >> shift), 0});
            out.SetTransIndex(0);
        }
    }
    if ((hasAlpha || paletteAlpha) && !out.AlphaCreate())
        png_error(png, "memory");

    const size_t rowBytes = png_get_rowbytes(png, info);
    const bool split = hasAlpha;   // rows carry alpha samples to move into the plane
    if (split) {
        whole = static_cast<BYTE*>(CheckedAlloc(uint64_t(rowBytes) * (passes > 1 ? height : 1)));
        if (!whole)
            png_error(png, "memory");
    }
    auto target = [&](png_uint_32 y) -> BYTE* {
        if (!split)
            return out.GetBits(height - 1 - y);
        return whole + (passes > 1 ? rowBytes * y : 0);
    };
    auto store = [&](png_uint_32 y) {
        const BYTE* s = target(y);
        BYTE* d = out.GetBits(height - 1 - y);
        BYTE* a = out.AlphaGetPointer(0, height - 1 - y);
        for (png_uint_32 x = 0; x < width; ++x, s += channels) {
            if (gray) {
                d[x] = s[0];
            } else {
                d[x * 3] = s[0];
                d[x * 3 + 1] = s[1];
                d[x * 3 + 2] = s[2];
            }
            a[x] = s[channels - 1];
        }
    };
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, target(y), nullptr);
            if (split && passes == 1)
                store(y);
        }
    if (split && passes > 1)
        for (png_uint_32 y = 0; y < height; ++y)
            store(y);
    if (paletteAlpha) {
        for (png_uint_32 y = 0; y < height; ++y) {
            const BYTE* s = out.GetBits(y);
            BYTE* a = out.AlphaGetPointer(0, y);
            for (png_uint_32 x = 0; x < width; ++x)
                a[x] = s[x] < transCount ? transAlpha[s[x]] : 255;
        }
    }
    png_read_end(png, nullptr);
    png_uint_32 resX = 0, resY = 0;
    int unit = 0;
    if (png_get_pHYs(png, info, &resX, &resY, &unit) && unit == PNG_RESOLUTION_METER && resX && resY) {
        out.SetXDPI(DpiOf(resX));
        out.SetYDPI(DpiOf(resY));
    }
    png_bytep exif = nullptr;
    png_uint_32 exifSize = 0;
    if (png_get_eXIf_1(png, info, &exifSize, &exif) && exif && exifSize)
        result.exif.assign(exif, exif + exifSize);
    png_destroy_read_struct(&png, &info, nullptr);
    std::free(whole);
    return true;
}

bool PngCodec::Encode(const CxImage& image, CxFile& file, const EncodeRequest& request)
{
    if (!image.IsValid())
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    const DWORD width = image.GetWidth(), height = image.GetHeight();
    const bool alpha = image.AlphaIsValid();
    const bool paletted = image.GetBpp() == 8 && !alpha;
    const bool gray = paletted && image.IsGrayScale() && !image.IsTransparent();
    // Rows that need rebuilding (alpha interleaved, palette expanded) go through one line.
    std::vector<BYTE> line(alpha ? static_cast<size_t>(width) * 4 : 0);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, &file, WriteToFile, FlushFile);
    const int colour = gray ? PNG_COLOR_TYPE_GRAY : (paletted ? PNG_COLOR_TYPE_PALETTE : (alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB));
    png_set_IHDR(png, info, width, height, 8, colour, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (paletted && !gray) {
        png_color pal[256];
        png_byte trans[256];
        for (int i = 0; i < 256; ++i) {
            const RGBQUAD c = image.GetPaletteColor(static_cast<BYTE>(i));
            pal[i] = png_color{c.rgbRed, c.rgbGreen, c.rgbBlue};
            trans[i] = 255;
        }
        png_set_PLTE(png, info, pal, 256);
        if (image.IsTransparent()) {
            trans[image.GetTransIndex()] = 0;
            png_set_tRNS(png, info, trans, image.GetTransIndex() + 1, nullptr);
        }
    } else if (!paletted && !alpha && image.IsTransparent()) {
        const RGBQUAD c = image.GetTransColor();
        png_color_16 value = {};
        value.red = c.rgbRed;
        value.green = c.rgbGreen;
        value.blue = c.rgbBlue;
        png_set_tRNS(png, info, nullptr, 0, &value);
    }
    png_set_pHYs(png, info, static_cast<png_uint_32>(image.GetXDPI() * 10000.0 / 254.0 + 0.5),
                 static_cast<png_uint_32>(image.GetYDPI() * 10000.0 / 254.0 + 0.5), PNG_RESOLUTION_METER);
    if (request.exif && !request.exif->empty() && request.exif->size() < 0x7FFFFFFF)
        png_set_eXIf_1(png, info, static_cast<png_uint_32>(request.exif->size()), const_cast<BYTE*>(request.exif->data()));
    png_write_info(png, info);
    if (!gray && !paletted)
        png_set_bgr(png);
    const RGBQUAD* pal = image.GetPalette();
    for (DWORD y = 0; y < height; ++y) {
        const DWORD stored = height - 1 - y;
        const BYTE* s = image.GetBits(stored);
        if (alpha) {
            const BYTE* a = image.AlphaGetPointer(0, stored);
            for (DWORD x = 0; x < width; ++x) {
                const BYTE* p = s + x * 3;
                RGBQUAD c;
                if (pal)
                    c = pal[s[x]];
                else
                    c = RGBQUAD{p[0], p[1], p[2], 0};
                line[x * 4] = c.rgbBlue;
                line[x * 4 + 1] = c.rgbGreen;
                line[x * 4 + 2] = c.rgbRed;
                line[x * 4 + 3] = a[x];
            }
            s = line.data();
        }
        png_write_row(png, const_cast<BYTE*>(s));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file.Good();
}
