// GIF through giflib. The first frame alone stays an 8-bit picture with its transparent
// index; any later frame, or all of them, are composed on the logical screen as the frames'
// disposal methods say and come out as 24-bit pictures with alpha.
#include "ImageCodecs.h"
#include <algorithm>
#include <cstring>
#include "CxMemFile.h"
#include "ImageLimits.h"
#include <gif_lib.h>

using namespace zvimage;

namespace {

constexpr long kMaxFrames = 10000;
// The composed frames of one retrieval may take this much; a longer animation is refused
// rather than exhausting memory.
constexpr uint64_t kMaxFrameBytes = uint64_t(512) * 1024 * 1024;

struct MemoryReader {
    const BYTE* data;
    size_t size;
    size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length)
{
    auto* r = static_cast<MemoryReader*>(gif->UserData);
    const size_t n = std::min<size_t>(std::max(length, 0), r->size - r->pos);
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
    return static_cast<int>(n);
}

int WriteToFile(GifFileType* gif, const GifByteType* data, int length)
{
    return static_cast<int>(static_cast<CxFile*>(gif->UserData)->Write(data, 1, length));
}

struct FrameControl {
    int delay = 0;
    int transparent = -1;
    int disposal = 0;
};

// Rows of an interlaced frame arrive in four passes.
int InterlacedRow(int index, int height)
{
    static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows = height > start[pass] ? (height - start[pass] + step[pass] - 1) / step[pass] : 0;
        if (index < rows)
            return start[pass] + index * step[pass];
        index -= rows;
    }
    return 0;
}

// The logical screen of an animation: colours and coverage, rows from the top.
struct Canvas {
    long width = 0, height = 0;
    std::vector<BYTE> bgr;
    std::vector<BYTE> alpha;

    bool Init(long w, long h)
    {
        width = w;
        height = h;
        bgr.assign(static_cast<size_t>(w) * h * 3, 0);
        alpha.assign(static_cast<size_t>(w) * h, 0);
        return true;
    }

    void Clear(long l, long t, long r, long b)
    {
        for (long y = t; y < b; ++y) {
            std::memset(&bgr[(static_cast<size_t>(y) * width + l) * 3], 0, (r - l) * 3);
            std::memset(&alpha[static_cast<size_t>(y) * width + l], 0, r - l);
        }
    }

    bool Snapshot(CxImage& out, const FrameControl& control) const
    {
        if (!out.Create(width, height, 24, CXIMAGE_FORMAT_GIF) || !out.AlphaCreate())
            return false;
        for (long y = 0; y < height; ++y) {
            std::memcpy(out.GetBits(height - 1 - y), &bgr[static_cast<size_t>(y) * width * 3], width * 3);
            std::memcpy(out.AlphaGetPointer(0, height - 1 - y), &alpha[static_cast<size_t>(y) * width], width);
        }
        out.SetFrameDelay(control.delay);
        out.SetDisposalMethod(static_cast<BYTE>(control.disposal));
        return true;
    }
};

} // namespace

bool GifCodec::Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result)
{
    MemoryReader reader{data, size, 0};
    int error = 0;
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(DGifOpen(&reader, ReadFromMemory, &error),
                                                             [](GifFileType* g) { int e = 0; DGifCloseFile(g, &e); });
    if (!gif)
        return false;
    long width = gif->SWidth, height = gif->SHeight;
    if (!SizeAllowed(width, height))
        return false;
    result.originalWidth = width;
    result.originalHeight = height;
    const bool compose = request.allFrames || request.frame > 0;
    Canvas canvas, previous;
    if (compose)
        canvas.Init(width, height);
    FrameControl control;
    long frame = 0;
    bool gotWanted = false;
    uint64_t storedBytes = 0;
    std::vector<GifPixelType> line(width);
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            return false;
        if (record == TERMINATE_RECORD_TYPE)
            break;
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif.get(), &code, &ext) == GIF_ERROR)
                return false;
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
                control.disposal = (ext[1] >> 2) & 7;
                control.delay = ext[2] | (ext[3] << 8);
                control.transparent = (ext[1] & 1) ? ext[4] : -1;
            }
            while (ext)
                if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR)
                    return false;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR || frame >= kMaxFrames)
            return false;
        const GifImageDesc& desc = gif->Image;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        const bool wanted = compose ? (request.allFrames || frame <= request.frame) : frame == 0;
        if (!wanted || !map || desc.Width <= 0 || desc.Height <= 0 || !SizeAllowed(desc.Width, desc.Height)) {
            // Skip the frame's data without decoding it.
            int codeSize = 0;
            GifByteType* block = nullptr;
            if (DGifGetCode(gif.get(), &codeSize, &block) == GIF_ERROR)
                return false;
            while (block)
                if (DGifGetCodeNext(gif.get(), &block) == GIF_ERROR)
                    return false;
            ++frame;
            control = FrameControl();
            continue;
        }
        // The frame's rectangle, clipped to the screen.
        const long left = desc.Left, top = desc.Top, fw = desc.Width, fh = desc.Height;
        if (static_cast<long>(line.size()) < fw)
            line.resize(fw);
        if (!compose) {
            if (!out.Create(width, height, 8, CXIMAGE_FORMAT_GIF))
                return false;
            for (int i = 0; i < 256; ++i) {
                const GifColorType c = i < map->ColorCount ? map->Colors[i] : GifColorType{0, 0, 0};
                out.SetPaletteColor(static_cast<BYTE>(i), c.Red, c.Green, c.Blue);
            }
            const BYTE fill = static_cast<BYTE>(control.transparent >= 0 ? control.transparent : gif->SBackGroundColor);
            out.Clear(fill);
            if (control.transparent >= 0)
                out.SetTransIndex(control.transparent);
        } else if (control.disposal == 3) {
            previous = canvas;
        }
        for (long i = 0; i < fh; ++i) {
            if (DGifGetLine(gif.get(), line.data(), static_cast<int>(fw)) == GIF_ERROR)
                return false;
            const long y = top + (desc.Interlace ? InterlacedRow(static_cast<int>(i), static_cast<int>(fh)) : i);
            if (y < 0 || y >= height)
                continue;
            for (long x = std::max(0L, -left); x < fw && left + x < width; ++x) {
                const int index = line[x];
                if (index == control.transparent)
                    continue;
                if (!compose) {
                    out.GetBits(height - 1 - y)[left + x] = static_cast<BYTE>(index);
                    continue;
                }
                const GifColorType c = index < map->ColorCount ? map->Colors[index] : GifColorType{0, 0, 0};
                const size_t at = static_cast<size_t>(y) * width + left + x;
                canvas.bgr[at * 3] = c.Blue;
                canvas.bgr[at * 3 + 1] = c.Green;
                canvas.bgr[at * 3 + 2] = c.Red;
                canvas.alpha[at] = 255;
            }
        }
        if (!compose) {
            out.SetFrameDelay(control.delay);
            out.SetDisposalMethod(static_cast<BYTE>(control.disposal));
            gotWanted = true;
        } else if (request.allFrames || frame == request.frame) {
            storedBytes += static_cast<uint64_t>(width) * height * 4;
            if (storedBytes > kMaxFrameBytes)
                return false;
            if (frame == (request.allFrames ? 0 : request.frame)) {
                if (!canvas.Snapshot(out, control))
                    return false;
                gotWanted = true;
            } else {
                auto next = std::make_unique<CxImage>();
                if (!canvas.Snapshot(*next, control))
                    return false;
                result.frames.push_back(std::move(next));
            }
        }
        if (compose) {
            const long l = std::clamp(left, 0L, width), r = std::clamp(left + fw, 0L, width);
            const long t = std::clamp(top, 0L, height), b = std::clamp(top + fh, 0L, height);
            if (control.disposal == 2 && l < r && t < b)
                canvas.Clear(l, t, r, b);
            else if (control.disposal == 3 && !previous.bgr.empty())
                canvas = previous;
        }
        ++frame;
        control = FrameControl();
    }
    result.numFrames = frame;
    if (!gotWanted) {
        out.Destroy();
        return false;
    }
    return true;
}

bool GifCodec::Encode(const CxImage& image, CxFile& file, const EncodeRequest&)
{
    if (!image.IsValid())
        return false;
    CxImage work;
    const CxImage* src = &image;
    if (image.GetBpp() != 8) {
        if (!work.Copy(image) || !work.DecreaseBpp(8, true))
            return false;
        src = &work;
    }
    const long w = src->GetWidth(), h = src->GetHeight();
    if (w > 65535 || h > 65535)
        return false;
    // Transparency: the picture's index, or an index no pixel uses for pixels under half alpha.
    int trans = src->GetTransIndex();
    if (trans < 0 && src->AlphaIsValid()) {
        std::vector<bool> used(256, false);
        for (long y = 0; y < h; ++y)
            for (long x = 0; x < w; ++x)
                used[src->GetBits(y)[x]] = true;
        for (int i = 255; i >= 0 && trans < 0; --i)
            if (!used[i])
                trans = i;
    }
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD c = src->GetPaletteColor(static_cast<BYTE>(i));
        colours[i] = GifColorType{c.rgbRed, c.rgbGreen, c.rgbBlue};
    }
    int error = 0;
    GifFileType* gif = EGifOpen(&file, WriteToFile, &error);
    if (!gif)
        return false;
    ColorMapObject* map = GifMakeMapObject(256, colours);
    bool ok = map != nullptr;
    EGifSetGifVersion(gif, true);
    ok = ok && EGifPutScreenDesc(gif, w, h, 8, 0, map) != GIF_ERROR;
    const DWORD delay = std::min<DWORD>(image.GetFrameDelay(), 65535);
    const GifByteType control[4] = {
        static_cast<GifByteType>(((image.GetDisposalMethod() & 7) << 2) | (trans >= 0 ? 1 : 0)),
        static_cast<GifByteType>(delay & 0xFF), static_cast<GifByteType>(delay >> 8),
        static_cast<GifByteType>(trans >= 0 ? trans : 0)};
    ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) != GIF_ERROR;
    ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) != GIF_ERROR;
    std::vector<GifPixelType> line(w);
    for (long row = 0; ok && row < h; ++row) {
        const long y = h - 1 - row;
        std::memcpy(line.data(), src->GetBits(y), w);
        if (trans >= 0 && src->AlphaIsValid()) {
            const BYTE* a = src->AlphaGetPointer(0, y);
            for (long x = 0; x < w; ++x)
                if (a[x] < 128)
                    line[x] = static_cast<GifPixelType>(trans);
        }
        ok = EGifPutLine(gif, line.data(), w) != GIF_ERROR;
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        ok = false;
    GifFreeMapObject(map);
    return ok && file.Good();
}
