// CxImageGIF: giflib writes the blocks; frames are mapped to the table here. Frames are placed
// at the top left of a screen as large as the largest frame.
#include "CxImageGIF.h"
#include <algorithm>
#include <cstring>
#include <vector>
#include <gif_lib.h>
#include "CxMemFile.h"
#include "Quantizer.h"

namespace {

int WriteToFile(GifFileType* gif, const GifByteType* data, int length)
{
    return static_cast<int>(static_cast<CxFile*>(gif->UserData)->Write(data, 1, length));
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using MapPtr = std::unique_ptr<ColorMapObject, MapDeleter>;

MapPtr MakeMap(const RGBQUAD* table)
{
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = GifColorType{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue};
    return MapPtr(GifMakeMapObject(256, colours));
}

bool SamePalette(const CxImage& frame, const RGBQUAD* table)
{
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD c = frame.GetPaletteColor(static_cast<BYTE>(i));
        if (c.rgbRed != table[i].rgbRed || c.rgbGreen != table[i].rgbGreen || c.rgbBlue != table[i].rgbBlue)
            return false;
    }
    return true;
}

} // namespace

bool CxImageGIF::Encode(FILE* file, CxImage** frames, int count, bool localColorMap, bool localDispMeth)
{
    if (!file)
        return false;
    CxIOFile io(file);
    return Encode(&io, frames, count, localColorMap, localDispMeth);
}

bool CxImageGIF::Encode(CxFile* file, CxImage** frames, int count, bool localColorMap, bool localDispMeth)
{
    if (!file || count < 0 || (count > 0 && !frames))
        return false;
    long screenW = 1, screenH = 1;
    for (int i = 0; i < count; ++i) {
        if (!frames[i] || !frames[i]->IsValid())
            return false;
        screenW = std::max<long>(screenW, frames[i]->GetWidth());
        screenH = std::max<long>(screenH, frames[i]->GetHeight());
    }
    if (screenW > 65535 || screenH > 65535)
        return false;

    // The global table: the first 8-bit frame's, or one made from all frames.
    RGBQUAD table[256] = {};
    const CxImage* paletted = nullptr;
    for (int i = 0; i < count && !paletted; ++i)
        if (frames[i]->GetBpp() == 8)
            paletted = frames[i];
    if (paletted) {
        for (int i = 0; i < 256; ++i)
            table[i] = paletted->GetPaletteColor(static_cast<BYTE>(i));
    } else if (count > 0) {
        CQuantizer quantizer(256, 8);
        for (int i = 0; i < count; ++i)
            quantizer.ProcessImage(*frames[i]);
        quantizer.SetColorTable(table);
    }
    MapPtr global = MakeMap(table);
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(file, WriteToFile, &error));
    if (!gif || !global)
        return false;
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), screenW, screenH, 8, 0, global.get()) == GIF_ERROR)
        return false;
    if (m_loops >= 0) {
        const int loops = std::min(m_loops, 65535);
        const GifByteType loopBlock[3] = {1, static_cast<GifByteType>(loops & 0xFF), static_cast<GifByteType>(loops >> 8)};
        if (EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(gif.get(), 11, "NETSCAPE2.0") == GIF_ERROR ||
            EGifPutExtensionBlock(gif.get(), 3, loopBlock) == GIF_ERROR ||
            EGifPutExtensionTrailer(gif.get()) == GIF_ERROR)
            return false;
    }
    if (!m_comment.empty()) {
        const std::string text = m_comment.substr(0, 65535);
        if (EGifPutComment(gif.get(), text.c_str()) == GIF_ERROR)
            return false;
    }
    for (int i = 0; i < count; ++i) {
        const CxImage& frame = *frames[i];
        // The frame's indexes: as they are when the frame uses the table (or may keep its
        // own), otherwise mapped to the nearest colours of the global table.
        CxImage mapped;
        const CxImage* src = &frame;
        MapPtr local;
        if (frame.GetBpp() == 8 && localColorMap && !SamePalette(frame, table)) {
            RGBQUAD own[256];
            for (int c = 0; c < 256; ++c)
                own[c] = frame.GetPaletteColor(static_cast<BYTE>(c));
            local = MakeMap(own);
            if (!local)
                return false;
        } else if (frame.GetBpp() != 8 || !SamePalette(frame, table)) {
            if (!mapped.Copy(frame, true, false, false) || !mapped.DecreaseBpp(8, false, table, 256))
                return false;
            src = &mapped;
        }
        const long w = src->GetWidth(), h = src->GetHeight();
        const int trans = src == &frame ? static_cast<int>(frame.GetTransIndex()) : -1;
        const DWORD delay = std::min<DWORD>(frame.GetFrameDelay(), 65535);
        const BYTE disposal = (localDispMeth ? frame.GetDisposalMethod() : GetDisposalMethod()) & 7;
        const GifByteType control[4] = {static_cast<GifByteType>((disposal << 2) | (trans >= 0 ? 1 : 0)),
                                        static_cast<GifByteType>(delay & 0xFF), static_cast<GifByteType>(delay >> 8),
                                        static_cast<GifByteType>(trans >= 0 ? trans : 0)};
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_ERROR ||
            EGifPutImageDesc(gif.get(), 0, 0, w, h, false, local.get()) == GIF_ERROR)
            return false;
        std::vector<GifPixelType> line(w);
        for (long row = 0; row < h; ++row) {
            // Rows are stored bottom-up; GIF lists them from the top.
            std::memcpy(line.data(), src->GetBits(h - 1 - row), w);
            if (EGifPutLine(gif.get(), line.data(), w) == GIF_ERROR)
                return false;
        }
    }
    GifFileType* raw = gif.release();
    if (EGifCloseFile(raw, &error) == GIF_ERROR)
        return false;
    return file->Good();
}
