// JPEG through libjpeg-turbo: decoding straight into blue-green-red rows, DCT scaling for a
// shrink on load, EXIF kept, quality estimated from the file's luminance table.
#include "ImageCodecs.h"
#include <algorithm>
#include <csetjmp>
#include <cstring>
#include "CxMemFile.h"
#include "ImageLimits.h"
#include "ImageMath.h"
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

using namespace zvimage;

namespace {

// libjpeg's own limits: coefficient buffers of progressive files and the number of scans,
// so that a crafted file can neither take all memory nor loop for minutes.
constexpr long kMaxJpegMemory = 512L * 1024 * 1024;
constexpr int kMaxScans = 500;
constexpr size_t kExifHeader = 6;   // "Exif\0\0"

struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    bool truncated;
};

void OnError(j_common_ptr cinfo)
{
    longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    // Data that ends before the last row was decoded would leave a half-made picture.
    if (level < 0 && err->pub.msg_code == JWRN_JPEG_EOF && cinfo->is_decompressor) {
        auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->output_scanline < d->output_height)
            err->truncated = true;
    }
}

void OnProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        ERREXIT(cinfo, JERR_NOT_COMPILED);
}

const unsigned kStdLuminance[64] = {
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
};

// The quality whose scaled standard table is nearest to the file's luminance table.
BYTE EstimateQuality(const JQUANT_TBL* table)
{
    if (!table)
        return 0;
    long best = LONG_MAX;
    BYTE quality = 0;
    for (int q = 1; q <= 100; ++q) {
        const long scale = q < 50 ? 5000 / q : 200 - q * 2;
        long diff = 0;
        for (int i = 0; i < 64; ++i) {
            const long t = std::clamp((static_cast<long>(kStdLuminance[i]) * scale + 50) / 100, 1L, 255L);
            diff += std::labs(t - static_cast<long>(table->quantval[i]));
        }
        if (diff < best) {
            best = diff;
            quality = static_cast<BYTE>(q);
        }
    }
    return quality;
}

void CmykRowToBgr(const BYTE* cmyk, BYTE* bgr, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        // Files with an Adobe marker store the inks inverted, as most writers do.
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = static_cast<BYTE>(y * k / 255);
        bgr[1] = static_cast<BYTE>(m * k / 255);
        bgr[2] = static_cast<BYTE>(c * k / 255);
    }
}

// Output to a CxFile in blocks.
struct FileDestination {
    jpeg_destination_mgr pub;
    CxFile* file;
    JOCTET buffer[65536];
};

void InitDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<FileDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = sizeof dest->buffer;
}

boolean EmptyBuffer(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<FileDestination*>(cinfo->dest);
    if (dest->file->Write(dest->buffer, 1, sizeof dest->buffer) != sizeof dest->buffer)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    InitDestination(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<FileDestination*>(cinfo->dest);
    const size_t n = sizeof dest->buffer - dest->pub.free_in_buffer;
    if (n && dest->file->Write(dest->buffer, 1, n) != n)
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

} // namespace

bool JpegCodec::Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.truncated = false;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        out.Destroy();
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxJpegMemory;
    progress.progress_monitor = OnProgress;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(std::min<size_t>(size, ULONG_MAX)));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    if (!SizeAllowed(cinfo.image_width, cinfo.image_height))
        ERREXIT(&cinfo, JERR_IMAGE_TOO_BIG);
    result.originalWidth = cinfo.image_width;
    result.originalHeight = cinfo.image_height;
    result.jpegQuality = EstimateQuality(cinfo.quant_tbl_ptrs[0]);
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && m->data_length > kExifHeader && std::memcmp(m->data, "Exif\0\0", kExifHeader) == 0) {
            result.exif.assign(m->data + kExifHeader, m->data + m->data_length);
            break;
        }
    if (request.shrinkToCover) {
        cinfo.scale_num = ShrinkEighths(cinfo.image_width, cinfo.image_height, request.shrinkWidth, request.shrinkHeight);
        cinfo.scale_denom = 8;
    } else {
        cinfo.scale_num = 1;
        cinfo.scale_denom = ShrinkDenominator(cinfo.image_width, cinfo.image_height, request.shrinkWidth, request.shrinkHeight);
    }
    const bool gray = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = gray ? JCS_GRAYSCALE : (cmyk ? JCS_CMYK : JCS_EXT_BGR);
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    if (!out.Create(cinfo.output_width, cinfo.output_height, gray ? 8 : 24, CXIMAGE_FORMAT_JPG))
        ERREXIT(&cinfo, JERR_OUT_OF_MEMORY);
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                           cinfo.output_width * 4, 1)
                              : nullptr;
    while (cinfo.output_scanline < cinfo.output_height) {
        // Several rows a call, straight into the picture's rows (stored bottom-up).
        JSAMPROW rows[16];
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION count = cmyk ? 1 : std::min<JDIMENSION>(16, cinfo.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = cmyk ? cmykRow[0] : out.GetBits(cinfo.output_height - 1 - (first + i));
        const JDIMENSION got = jpeg_read_scanlines(&cinfo, rows, count);
        if (got == 0 || err.truncated)
            ERREXIT(&cinfo, JERR_INPUT_EOF);
        if (cmyk)
            CmykRowToBgr(cmykRow[0], out.GetBits(cinfo.output_height - 1 - first), cinfo.output_width, cinfo.saw_Adobe_marker);
    }
    if (cinfo.density_unit == 1 && cinfo.X_density && cinfo.Y_density) {
        out.SetXDPI(cinfo.X_density);
        out.SetYDPI(cinfo.Y_density);
    } else if (cinfo.density_unit == 2 && cinfo.X_density && cinfo.Y_density) {
        out.SetXDPI(static_cast<long>(cinfo.X_density * 2.54 + 0.5));
        out.SetYDPI(static_cast<long>(cinfo.Y_density * 2.54 + 0.5));
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool JpegCodec::Encode(const CxImage& image, CxFile& file, const EncodeRequest& request)
{
    if (!image.IsValid())
        return false;
    jpeg_compress_struct cinfo;
    ErrorManager err;
    FileDestination dest;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.truncated = false;
    const bool gray = image.GetBpp() == 8 && image.IsGrayScale();
    const bool paletted = image.GetBpp() == 8 && !gray;
    const RGBQUAD* pal = image.GetPalette();
    std::vector<BYTE> app1;
    if (request.exif && !request.exif->empty() && request.exif->size() + kExifHeader <= 65533) {
        app1.assign(reinterpret_cast<const BYTE*>("Exif\0\0"), reinterpret_cast<const BYTE*>("Exif\0\0") + kExifHeader);
        app1.insert(app1.end(), request.exif->begin(), request.exif->end());
    }
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest.file = &file;
    dest.pub.init_destination = InitDestination;
    dest.pub.empty_output_buffer = EmptyBuffer;
    dest.pub.term_destination = TermDestination;
    cinfo.dest = &dest.pub;
    cinfo.image_width = image.GetWidth();
    cinfo.image_height = image.GetHeight();
    cinfo.input_components = gray ? 1 : 3;
    cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, std::clamp<int>(request.quality, 1, 100), TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.density_unit = 1;
    cinfo.X_density = static_cast<UINT16>(std::clamp<long>(image.GetXDPI(), 1, 65535));
    cinfo.Y_density = static_cast<UINT16>(std::clamp<long>(image.GetYDPI(), 1, 65535));
    jpeg_start_compress(&cinfo, TRUE);
    if (!app1.empty())
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, app1.data(), static_cast<unsigned>(app1.size()));
    JSAMPARRAY line = paletted ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                            cinfo.image_width * 3, 1)
                               : nullptr;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<BYTE*>(image.GetBits(cinfo.image_height - 1 - cinfo.next_scanline));
        if (paletted) {
            for (JDIMENSION x = 0; x < cinfo.image_width; ++x) {
                const RGBQUAD& c = pal[row[x]];
                line[0][x * 3] = c.rgbBlue;
                line[0][x * 3 + 1] = c.rgbGreen;
                line[0][x * 3 + 2] = c.rgbRed;
            }
            row = line[0];
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return file.Good();
}
