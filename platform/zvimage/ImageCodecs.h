#pragma once
// What the format codecs share: the request a load makes, what a decoder returns besides the
// pixels, and what an encoder is told. One class per format, each in its own file.
#include <memory>
#include <vector>
#include "CxImage.h"

struct DecodeRequest {
    long frame = 0;             // the frame wanted when not all are retrieved
    bool allFrames = false;
    DWORD shrinkWidth = 0;      // the box the picture will be shown in; 0: full size
    DWORD shrinkHeight = 0;
    bool shrinkToCover = false; // decode just large enough to cover the fit (JPEG: M/8 steps)
};

struct DecodeResult {
    long numFrames = 1;
    std::vector<BYTE> exif;     // TIFF-structured EXIF block, when the file has one
    DWORD originalWidth = 0, originalHeight = 0;
    BYTE jpegQuality = 0;       // estimated from the file's tables; 0: not a JPEG
    std::vector<std::unique_ptr<CxImage>> frames;  // frames 1..n-1 of a full retrieval
};

struct EncodeRequest {
    const std::vector<BYTE>* exif = nullptr;   // written when not null
    bool lossless = false;
    BYTE quality = 90;
};

// Each codec decodes a whole file held in memory and encodes to a stream.
class BmpCodec {
public:
    static bool Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result);
    static bool Encode(const CxImage& image, CxFile& file, const EncodeRequest& request);
    // A packed DIB (header, colours, rows); bitsOffset 0: the rows follow the colours. With
    // iconMask the header states twice the height and a 1-bit mask follows the rows.
    static bool ReadDib(const BYTE* dib, size_t size, size_t bitsOffset, bool iconMask, CxImage& out);
    // What ReadDib learns of a DIB before it makes the picture; false for every DIB it would
    // refuse on these grounds (run-length rows are checked only as they are decoded).
    struct DibHeader {
        int64_t width = 0, height = 0;
        uint16_t bpp = 0;
        uint32_t compression = 0, colours = 0, entries = 0;
        long xdpi = 0, ydpi = 0;
        bool core = false, topDown = false, rle = false;
        uint32_t masks[4] = {0, 0, 0, 0};
        size_t coloursAt = 0, bitsAt = 0;
    };
    static bool ReadDibHeader(const BYTE* dib, size_t size, size_t bitsOffset, bool iconMask, DibHeader& header);
};

class GifCodec {
public:
    static bool Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result);
    static bool Encode(const CxImage& image, CxFile& file, const EncodeRequest& request);
};

class JpegCodec {
public:
    static bool Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result);
    static bool Encode(const CxImage& image, CxFile& file, const EncodeRequest& request);
};

class PngCodec {
public:
    static bool Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result);
    static bool Encode(const CxImage& image, CxFile& file, const EncodeRequest& request);
};

class IcoCodec {
public:
    static bool Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result);
    static bool Encode(const CxImage& image, CxFile& file, const EncodeRequest& request);
};

class TiffCodec {
public:
    static bool Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result);
    static bool Encode(const CxImage& image, CxFile& file, const EncodeRequest& request);
};

class WebpCodec {
public:
    static bool Decode(const BYTE* data, size_t size, const DecodeRequest& request, CxImage& out, DecodeResult& result);
    static bool Encode(const CxImage& image, CxFile& file, const EncodeRequest& request);
};
