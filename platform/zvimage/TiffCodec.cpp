// TIFF through libtiff: every page kind libtiff can turn into RGBA, with its allocation limit
// set; written as LZW-compressed RGB(A) or palette pages.
#include "ImageCodecs.h"
#include <algorithm>
#include <cstring>
#include "CxMemFile.h"
#include "ImageLimits.h"
#include <tiffio.h>

using namespace zvimage;

namespace {

constexpr tmsize_t kMaxTiffAlloc = tmsize_t(256) * 1024 * 1024;
constexpr uint64_t kMaxFrameBytes = uint64_t(512) * 1024 * 1024;
constexpr long kMaxPages = 10000;

// A read-only view of memory, or a CxFile for writing, behind libtiff's client procedures.
struct Stream {
    const BYTE* data = nullptr;
    toff_t size = 0;
    toff_t pos = 0;
    CxFile* file = nullptr;
};

tmsize_t StreamRead(thandle_t h, void* buffer, tmsize_t n)
{
    auto* s = static_cast<Stream*>(h);
    if (s->file)
        return static_cast<tmsize_t>(s->file->Read(buffer, 1, static_cast<size_t>(n)));
    const toff_t left = s->pos < s->size ? s->size - s->pos : 0;
    const toff_t count = std::min<toff_t>(left, static_cast<toff_t>(n));
    std::memcpy(buffer, s->data + s->pos, static_cast<size_t>(count));
    s->pos += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t StreamWrite(thandle_t h, void* buffer, tmsize_t n)
{
    auto* s = static_cast<Stream*>(h);
    return s->file ? static_cast<tmsize_t>(s->file->Write(buffer, 1, static_cast<size_t>(n))) : 0;
}

toff_t StreamSeek(thandle_t h, toff_t offset, int whence)
{
    auto* s = static_cast<Stream*>(h);
    if (s->file) {
        if (!s->file->Seek(static_cast<int64_t>(offset), whence))
            return static_cast<toff_t>(-1);
        return static_cast<toff_t>(s->file->Tell());
    }
    toff_t base = whence == SEEK_CUR ? s->pos : (whence == SEEK_END ? s->size : 0);
    s->pos = base + offset;
    return s->pos;
}

int StreamClose(thandle_t)
{
    return 0;
}

toff_t StreamSize(thandle_t h)
{
    auto* s = static_cast<Stream*>(h);
    return s->file ? static_cast<toff_t>(s->file->Size()) : s->size;
}

int NoMap(thandle_t, void**, toff_t*)
{
    return 0;
}

void NoUnmap(thandle_t, void*, toff_t) {}

// libtiff reports through handlers; a decoder of untrusted files keeps quiet.
int Quiet(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

TIFF* OpenStream(Stream& stream, const char* mode)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options)
        return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxTiffAlloc);
    TIFFOpenOptionsSetErrorHandlerExtR(options, Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, Quiet, nullptr);
    TIFF* tif = TIFFClientOpenExt("picture", mode, &stream, StreamRead, StreamWrite, StreamSeek, StreamClose,
                                  StreamSize, NoMap, NoUnmap, options);
    TIFFOpenOptionsFree(options);
    return tif;
}

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};

long DpiOf(TIFF* tif, ttag_t tag)
{
    float resolution = 0;
    uint16_t unit = RESUNIT_INCH;
    if (!TIFFGetField(tif, tag, &resolution) || !(resolution > 0 && resolution < 1e6f))
        return 0;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    return static_cast<long>(unit == RESUNIT_CENTIMETER ? resolution * 2.54f + 0.5f : resolution + 0.5f);
}

// Plain 8-bit RGB or RGBA strips are read row by row: the RGBA interface would premultiply
// unassociated alpha and lose the colour under clear pixels.
bool ReadPlainRgb(TIFF* tif, uint32_t width, uint32_t height, CxImage& out)
{
    uint16_t bits = 0, samples = 0, photometric = 0, planar = PLANARCONFIG_CONTIG, extra = 0;
    uint16_t* extraTypes = nullptr;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_EXTRASAMPLES, &extra, &extraTypes);
    uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) || photometric != PHOTOMETRIC_RGB || bits != 8 ||
        planar != PLANARCONFIG_CONTIG || TIFFIsTiled(tif) || orientation != ORIENTATION_TOPLEFT ||
        !(samples == 3 || (samples == 4 && extra == 1 && extraTypes && extraTypes[0] == EXTRASAMPLE_UNASSALPHA)))
        return false;
    const tmsize_t lineSize = TIFFScanlineSize(tif);
    if (lineSize < static_cast<tmsize_t>(width) * samples)
        return false;
    std::vector<BYTE> line(static_cast<size_t>(lineSize));
    if (!out.Create(width, height, 24, CXIMAGE_FORMAT_TIF) || (samples == 4 && !out.AlphaCreate()))
        return false;
    for (uint32_t row = 0; row < height; ++row) {
        if (TIFFReadScanline(tif, line.data(), row, 0) < 0)
            return false;
        BYTE* d = out.GetBits(height - 1 - row);
        BYTE* a = out.AlphaGetPointer(0, height - 1 - row);
        for (uint32_t x = 0; x < width; ++x) {
            const BYTE* s = &line[static_cast<size_t>(x) * samples];
            d[x * 3] = s[2];
            d[x * 3 + 1] = s[1];
            d[x * 3 + 2] = s[0];
            if (a)
                a[x] = s[3];
        }
    }
    return true;
}

bool ReadPage(TIFF* tif, CxImage& out, uint64_t& budget)
{
    uint32_t width = 0, height = 0;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    const uint64_t bytes = uint64_t(width) * height * 4;
    if (!SizeAllowed(width, height) || bytes > budget)
        return false;
    budget -= bytes;
    if (ReadPlainRgb(tif, width, height, out)) {
        if (const long dpi = DpiOf(tif, TIFFTAG_XRESOLUTION))
            out.SetXDPI(dpi);
        if (const long dpi = DpiOf(tif, TIFFTAG_YRESOLUTION))
            out.SetYDPI(dpi);
        return true;
    }
    uint16_t extra = 0;
    uint16_t* extraTypes = nullptr;
    TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extra, &extraTypes);
    CxBuffer raster(static_cast<BYTE*>(CheckedAlloc(bytes)));
    if (!raster)
        return false;
    auto* pixels = reinterpret_cast<uint32_t*>(raster.get());
    // Rows come bottom-up, as the picture stores them.
    if (!TIFFReadRGBAImageOriented(tif, width, height, pixels, ORIENTATION_BOTLEFT, 0))
        return false;
    if (!out.Create(width, height, 24, CXIMAGE_FORMAT_TIF) || (extra > 0 && !out.AlphaCreate()))
        return false;
    for (uint32_t y = 0; y < height; ++y) {
        BYTE* d = out.GetBits(y);
        BYTE* a = out.AlphaGetPointer(0, y);
        const uint32_t* s = pixels + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            // The RGBA interface gives colours premultiplied by alpha.
            const unsigned alpha = a ? TIFFGetA(s[x]) : 255;
            auto straight = [alpha](unsigned c) { return static_cast<BYTE>(alpha ? std::min(255u, (c * 255 + alpha / 2) / alpha) : 0); };
            d[x * 3] = straight(TIFFGetB(s[x]));
            d[x * 3 + 1] = straight(TIFFGetG(s[x]));
            d[x * 3 + 2] = straight(TIFFGetR(s[x]));
            if (a)
                a[x] = static_cast<BYTE>(alpha);
        }
    }
    if (const long dpi = DpiOf(tif, TIFFTAG_XRESOLUTION))
        out.SetXDPI(dpi);
    if (const long dpi = DpiOf(tif, TIFFTAG_YRESOLUTION))
        out.SetYDPI(dpi);
    return true;
}

} // namespace

bool TiffCodec::Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result)
{
    Stream stream;
    stream.data = data;
    stream.size = size;
    std::unique_ptr<TIFF, TiffCloser> tif(OpenStream(stream, "rm"));
    if (!tif)
        return false;
    long pages = 0;
    do {
        ++pages;
    } while (pages < kMaxPages && TIFFReadDirectory(tif.get()));
    result.numFrames = pages;
    uint64_t budget = kMaxFrameBytes;
    const long first = request.allFrames ? 0 : request.frame;
    if (first < 0 || first >= pages || !TIFFSetDirectory(tif.get(), static_cast<tdir_t>(first)))
        return false;
    uint32_t width = 0, height = 0;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    result.originalWidth = width;
    result.originalHeight = height;
    if (!ReadPage(tif.get(), out, budget)) {
        out.Destroy();
        return false;
    }
    for (long page = 1; request.allFrames && page < pages; ++page) {
        auto next = std::make_unique<CxImage>();
        if (!TIFFSetDirectory(tif.get(), static_cast<tdir_t>(page)) || !ReadPage(tif.get(), *next, budget)) {
            out.Destroy();
            return false;
        }
        result.frames.push_back(std::move(next));
    }
    return true;
}

bool TiffCodec::Encode(const CxImage& image, CxFile& file, const EncodeRequest&)
{
    if (!image.IsValid())
        return false;
    Stream stream;
    stream.file = &file;
    std::unique_ptr<TIFF, TiffCloser> tif(OpenStream(stream, "w"));
    if (!tif)
        return false;
    const uint32_t w = image.GetWidth(), h = image.GetHeight();
    const bool alpha = image.AlphaIsValid();
    const bool paletted = image.GetBpp() == 8 && !alpha;
    const uint16_t samples = paletted ? 1 : (alpha ? 4 : 3);
    TIFF* t = tif.get();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(t, TIFFTAG_PREDICTOR, paletted ? PREDICTOR_NONE : PREDICTOR_HORIZONTAL);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
    TIFFSetField(t, TIFFTAG_XRESOLUTION, static_cast<float>(image.GetXDPI()));
    TIFFSetField(t, TIFFTAG_YRESOLUTION, static_cast<float>(image.GetYDPI()));
    TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (paletted) {
        uint16_t red[256], green[256], blue[256];
        for (int i = 0; i < 256; ++i) {
            const RGBQUAD c = image.GetPaletteColor(static_cast<BYTE>(i));
            red[i] = static_cast<uint16_t>(c.rgbRed * 257);
            green[i] = static_cast<uint16_t>(c.rgbGreen * 257);
            blue[i] = static_cast<uint16_t>(c.rgbBlue * 257);
        }
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        TIFFSetField(t, TIFFTAG_COLORMAP, red, green, blue);
    } else {
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        if (alpha) {
            const uint16_t kind = EXTRASAMPLE_UNASSALPHA;
            TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &kind);
        }
    }
    std::vector<BYTE> line(static_cast<size_t>(w) * samples);
    for (uint32_t y = 0; y < h; ++y) {
        const uint32_t stored = h - 1 - y;
        const BYTE* s = image.GetBits(stored);
        if (paletted) {
            std::memcpy(line.data(), s, w);
        } else {
            const BYTE* a = image.AlphaGetPointer(0, stored);
            for (uint32_t x = 0; x < w; ++x) {
                const RGBQUAD c = image.GetBpp() == 8 ? image.GetPaletteColor(s[x]) : RGBQUAD{s[x * 3], s[x * 3 + 1], s[x * 3 + 2], 0};
                BYTE* d = &line[static_cast<size_t>(x) * samples];
                d[0] = c.rgbRed;
                d[1] = c.rgbGreen;
                d[2] = c.rgbBlue;
                if (alpha)
                    d[3] = a[x];
            }
        }
        if (TIFFWriteScanline(t, line.data(), y, 0) < 0)
            return false;
    }
    if (!TIFFWriteDirectory(t))
        return false;
    tif.reset();
    return file.Good();
}
