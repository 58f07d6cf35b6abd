// WebP through libwebp: lossy and lossless, alpha, animations (by the demux library), scaled
// decoding for a shrink on load, EXIF kept through the mux library. Data after the RIFF chunk
// (the thumbnail cache appends a 32-byte trailer) is ignored.
#include "ImageCodecs.h"
#include <algorithm>
#include <cstring>
#include "CxMemFile.h"
#include "ImageLimits.h"
#include "ImageMath.h"
#include <webp/decode.h>
#include <webp/demux.h>
#include <webp/encode.h>
#include <webp/mux.h>

using namespace zvimage;

namespace {

constexpr uint64_t kMaxFrameBytes = uint64_t(512) * 1024 * 1024;
constexpr size_t kExifHeader = 6;

// The bytes of the RIFF chunk itself; 0 when the data is shorter than the chunk says.
size_t RiffSize(const BYTE* data, size_t size)
{
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WEBP", 4) != 0)
        return 0;
    const uint64_t chunk = uint64_t(data[4]) | uint64_t(data[5]) << 8 | uint64_t(data[6]) << 16 | uint64_t(data[7]) << 24;
    const uint64_t total = chunk + 8;
    return total <= size ? static_cast<size_t>(total) : 0;
}

void ReadExif(const WebPData& webp, DecodeResult& result)
{
    WebPDemuxer* demux = WebPDemux(&webp);
    if (!demux)
        return;
    WebPChunkIterator chunk;
    if (WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) {
        const BYTE* p = chunk.chunk.bytes;
        size_t n = chunk.chunk.size;
        if (n > kExifHeader && std::memcmp(p, "Exif\0\0", kExifHeader) == 0) {
            p += kExifHeader;
            n -= kExifHeader;
        }
        result.exif.assign(p, p + n);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
}

// Top-down BGRA rows into a 24-bit picture with alpha.
bool FromBgra(const BYTE* bgra, int stride, int width, int height, CxImage& out)
{
    if (!out.Create(width, height, 24, CXIMAGE_FORMAT_WEBP) || !out.AlphaCreate())
        return false;
    for (int y = 0; y < height; ++y) {
        const BYTE* s = bgra + static_cast<size_t>(y) * stride;
        BYTE* d = out.GetBits(height - 1 - y);
        BYTE* a = out.AlphaGetPointer(0, height - 1 - y);
        for (int x = 0; x < width; ++x, s += 4) {
            d[x * 3] = s[0];
            d[x * 3 + 1] = s[1];
            d[x * 3 + 2] = s[2];
            a[x] = s[3];
        }
    }
    return true;
}

bool DecodeAnimation(const WebPData& webp, const DecodeRequest& request, CxImage& out, DecodeResult& result)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return false;
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(WebPAnimDecoderNew(&webp, &options), WebPAnimDecoderDelete);
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info) || !SizeAllowed(info.canvas_width, info.canvas_height))
        return false;
    result.numFrames = static_cast<long>(info.frame_count);
    result.originalWidth = info.canvas_width;
    result.originalHeight = info.canvas_height;
    if (request.frame < 0 || static_cast<uint32_t>(request.frame) >= info.frame_count)
        return false;
    const uint64_t frameBytes = uint64_t(info.canvas_width) * info.canvas_height * 4;
    if (request.allFrames && frameBytes * info.frame_count > kMaxFrameBytes)
        return false;
    int previous = 0;
    for (long frame = 0; WebPAnimDecoderHasMoreFrames(decoder.get()); ++frame) {
        uint8_t* pixels = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder.get(), &pixels, &timestamp))
            return false;
        const DWORD delay = static_cast<DWORD>(std::max(0, timestamp - previous) / 10);
        previous = timestamp;
        if (!request.allFrames && frame != request.frame)
            continue;
        CxImage* target = &out;
        if (request.allFrames && frame > 0) {
            result.frames.push_back(std::make_unique<CxImage>());
            target = result.frames.back().get();
        }
        if (!FromBgra(pixels, info.canvas_width * 4, info.canvas_width, info.canvas_height, *target))
            return false;
        target->SetFrameDelay(delay);
        if (!request.allFrames)
            break;
    }
    return out.IsValid();
}

int WriteToMemory(const uint8_t* data, size_t size, const WebPPicture* picture)
{
    return WebPMemoryWrite(data, size, picture);
}

} // namespace

bool WebpCodec::Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result)
{
    size = RiffSize(data, size);
    if (!size)
        return false;
    const WebPData webp = {data, size};
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config) || WebPGetFeatures(data, size, &config.input) != VP8_STATUS_OK)
        return false;
    ReadExif(webp, result);
    if (config.input.has_animation)
        return DecodeAnimation(webp, request, out, result) || (out.Destroy(), false);
    const int width = config.input.width, height = config.input.height;
    if (!SizeAllowed(width, height))
        return false;
    result.originalWidth = width;
    result.originalHeight = height;
    const SIZE target = ShrinkTarget(width, height, request.shrinkWidth, request.shrinkHeight);
    if (target.cx != width || target.cy != height) {
        config.options.use_scaling = 1;
        config.options.scaled_width = target.cx;
        config.options.scaled_height = target.cy;
    }
    const bool alpha = config.input.has_alpha != 0;
    if (!out.Create(target.cx, target.cy, 24, CXIMAGE_FORMAT_WEBP))
        return false;
    VP8StatusCode status;
    if (alpha) {
        // Blue-green-red-alpha rows into a buffer of their own, then split.
        const uint64_t bytes = uint64_t(target.cx) * target.cy * 4;
        CxBuffer bgra(static_cast<BYTE*>(CheckedAlloc(bytes)));
        if (!bgra) {
            out.Destroy();
            return false;
        }
        config.output.colorspace = MODE_BGRA;
        config.output.is_external_memory = 1;
        config.output.u.RGBA.rgba = bgra.get();
        config.output.u.RGBA.stride = target.cx * 4;
        config.output.u.RGBA.size = static_cast<size_t>(bytes);
        status = WebPDecode(data, size, &config);
        if (status == VP8_STATUS_OK && !FromBgra(bgra.get(), target.cx * 4, target.cx, target.cy, out))
            status = VP8_STATUS_OUT_OF_MEMORY;
    } else {
        // Straight into the picture's rows, top-down, then turned bottom-up.
        config.output.colorspace = MODE_BGR;
        config.output.is_external_memory = 1;
        config.output.u.RGBA.rgba = out.GetBits(0);
        config.output.u.RGBA.stride = static_cast<int>(out.GetEffWidth());
        config.output.u.RGBA.size = static_cast<size_t>(out.GetEffWidth()) * target.cy;
        status = WebPDecode(data, size, &config);
        if (status == VP8_STATUS_OK)
            out.Flip(false, false);
    }
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) {
        out.Destroy();
        return false;
    }
    return true;
}

bool WebpCodec::Encode(const CxImage& image, CxFile& file, const EncodeRequest& request)
{
    if (!image.IsValid() || image.GetWidth() > WEBP_MAX_DIMENSION || image.GetHeight() > WEBP_MAX_DIMENSION)
        return false;
    WebPConfig config;
    if (!WebPConfigInit(&config))
        return false;
    if (request.lossless) {
        config.lossless = 1;
        config.quality = 75;
        // Keep the colour under transparent pixels: a layer's pixels come back as they went.
        config.exact = 1;
    } else {
        config.quality = std::clamp<float>(request.quality, 0, 100);
    }
    config.method = 4;
    // A second thread for the analysis pass.
    config.thread_level = 1;
    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        return false;
    const int w = image.GetWidth(), h = image.GetHeight();
    picture.width = w;
    picture.height = h;
    picture.use_argb = request.lossless ? 1 : 0;
    const bool alpha = image.AlphaIsValid();
    int ok;
    if (image.GetBpp() == 24 && !alpha) {
        // Rows are stored bottom-up: start at the top row and step backwards.
        ok = WebPPictureImportBGR(&picture, image.GetBits(h - 1), -static_cast<int>(image.GetEffWidth()));
    } else {
        std::vector<BYTE> bgra(static_cast<size_t>(w) * h * 4);
        for (int y = 0; y < h; ++y) {
            BYTE* d = &bgra[static_cast<size_t>(y) * w * 4];
            for (int x = 0; x < w; ++x, d += 4) {
                const RGBQUAD c = image.GetPixelColor(x, h - 1 - y, true);
                d[0] = c.rgbBlue;
                d[1] = c.rgbGreen;
                d[2] = c.rgbRed;
                d[3] = alpha ? c.rgbReserved : 255;
            }
        }
        ok = alpha ? WebPPictureImportBGRA(&picture, bgra.data(), w * 4) : WebPPictureImportBGRX(&picture, bgra.data(), w * 4);
    }
    WebPMemoryWriter memory;
    WebPMemoryWriterInit(&memory);
    picture.writer = WriteToMemory;
    picture.custom_ptr = &memory;
    ok = ok && WebPEncode(&config, &picture);
    WebPPictureFree(&picture);
    if (ok && request.exif && !request.exif->empty()) {
        // Wrap the bitstream with an EXIF chunk.
        WebPMux* mux = WebPMuxNew();
        const WebPData bitstream = {memory.mem, memory.size};
        const WebPData exif = {request.exif->data(), request.exif->size()};
        WebPData assembled = {nullptr, 0};
        ok = mux && WebPMuxSetImage(mux, &bitstream, 0) == WEBP_MUX_OK && WebPMuxSetChunk(mux, "EXIF", &exif, 1) == WEBP_MUX_OK &&
             WebPMuxAssemble(mux, &assembled) == WEBP_MUX_OK;
        if (ok)
            ok = file.Write(assembled.bytes, 1, assembled.size) == assembled.size;
        WebPDataClear(&assembled);
        WebPMuxDelete(mux);
    } else if (ok) {
        ok = file.Write(memory.mem, 1, memory.size) == memory.size;
    }
    WebPMemoryWriterClear(&memory);
    return ok && file.Good();
}
