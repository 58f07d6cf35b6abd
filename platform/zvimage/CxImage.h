#pragma once
// The picture container: a DIB (rows bottom-up, 8-bit palette or 24-bit blue-green-red, rows
// padded to 4 bytes), an optional alpha plane and selection mask (one byte a pixel, rows
// bottom-up without gaps), animation frames and the facts of the file it came from.
// Points given as x, y count y from the bottom row; RECTs count from the top row, with right
// and bottom exclusive, unless a member says otherwise.
#include <cstdint>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>
#include "ZVImageDef.h"

class CxFile;
struct DecodeRequest;
struct DecodeResult;

struct ZVIMAGE_API CxFreeDeleter {
    void operator()(void* p) const noexcept;
};
using CxBuffer = std::unique_ptr<BYTE, CxFreeDeleter>;

class ZVIMAGE_API CxImage {
public:
    enum InterpolationMethod { IM_NEAREST_NEIGHBOUR = 1, IM_BILINEAR = 2, IM_BICUBIC = 3 };
    // What Rotate2 puts where the turned picture does not reach.
    enum OverflowMethod { OM_REPEAT = 0, OM_WRAP = 1, OM_BACKGROUND = 2, OM_TRANSPARENT = 3 };

    CxImage();
    CxImage(const CxImage& src);
    CxImage& operator=(const CxImage& src);
    // Takes the planes, frames and facts; the source is left empty, as default-constructed.
    CxImage(CxImage&& src) noexcept;
    CxImage& operator=(CxImage&& src) noexcept;
    virtual ~CxImage();

    // Life
    bool Create(DWORD width, DWORD height, DWORD bpp, DWORD imageType = 0);
    bool Destroy();
    void Close() { Destroy(); }
    void Clear(BYTE value = 0);
    bool Copy(const CxImage& src, bool copyPixels = true, bool copySelection = true, bool copyAlpha = true);
    bool Transfer(CxImage& from, bool transferFrames = true);
    bool IsValid() const { return m_dib != nullptr; }

    // Facts
    DWORD GetWidth() const { return m_width; }
    DWORD GetHeight() const { return m_height; }
    WORD GetBpp() const { return m_bpp; }
    DWORD GetEffWidth() const { return m_stride; }
    DWORD GetType() const { return m_info.type; }
    void SetType(DWORD type) { m_info.type = type; }
    long GetXDPI() const { return m_info.xdpi; }
    long GetYDPI() const { return m_info.ydpi; }
    void SetXDPI(long dpi);
    void SetYDPI(long dpi);
    bool IsInside(long x, long y) const;
    bool IsGrayScale() const;
    BYTE GetJpegQuality() const { return m_info.jpegQuality; }
    void SetJpegQuality(BYTE quality);
    const wchar_t* GetFullFileName() const { return m_fileName.c_str(); }
    // The size the file declares, before any shrink on load.
    DWORD GetOriginalWidth() const { return m_info.originalWidth; }
    DWORD GetOriginalHeight() const { return m_info.originalHeight; }

    // Transparency by one colour: a palette index, or a colour of a 24-bit picture.
    bool IsTransparent() const { return m_info.transIndex >= 0; }
    long GetTransIndex() const { return m_info.transIndex; }
    void SetTransIndex(long index);
    RGBQUAD GetTransColor() const;
    void SetTransColor(RGBQUAD colour);

    // Long operations stop early once the escape flag is set and report progress 0 to 100.
    void SetEscape(long escape) { m_escape = escape; }
    long GetEscape() const { return m_escape; }
    long GetProgress() const { return m_progress; }
    void SetProgress(long progress) { m_progress = progress; }

    static RGBQUAD RGBtoRGBQUAD(COLORREF colour);
    static COLORREF RGBQUADtoRGB(RGBQUAD colour);

    // Pixels and palette
    BYTE* GetBits(DWORD row = 0);
    const BYTE* GetBits(DWORD row = 0) const;
    void* GetDIB() const { return m_dib.get(); }
    DWORD GetDIBSize() const;
    RGBQUAD* GetPalette() const;
    DWORD GetPaletteSize() const { return m_bpp == 8 ? 256 * sizeof(RGBQUAD) : 0; }
    DWORD GetNumColors() const { return m_bpp == 8 ? 256 : 0; }
    RGBQUAD GetPaletteColor(BYTE index) const;
    void SetPaletteColor(BYTE index, BYTE r, BYTE g, BYTE b, BYTE alpha = 0);
    void SetPaletteColor(BYTE index, RGBQUAD colour);
    void SetPalette(const RGBQUAD* colours, DWORD count);
    void SetGrayPalette();
    BYTE GetNearestIndex(RGBQUAD colour) const;
    BYTE GetPixelIndex(long x, long y) const;
    void SetPixelIndex(long x, long y, BYTE index);
    RGBQUAD GetPixelColor(long x, long y, bool getAlpha = true) const;
    void SetPixelColor(long x, long y, RGBQUAD colour, bool setAlpha = false);
    bool SetRectColor(RECT rect, RGBQUAD colour, bool keepAlpha = false);
    bool IncreaseBpp(DWORD bits);
    // Without a table a fixed colour cube serves; errorDiffusion dithers.
    bool DecreaseBpp(DWORD bits, bool errorDiffusion, const RGBQUAD* palette = nullptr, DWORD colours = 0);
    // Counts per channel (256 entries each, any may be null); returns the largest count.
    long Histogram(long* red, long* green = nullptr, long* blue = nullptr, long* gray = nullptr, long colorSpace = 0) const;

    // Alpha plane: 0 transparent, 255 opaque. A plane made by AlphaCreate is opaque.
    bool AlphaCreate();
    void AlphaDelete();
    void AlphaClear() { AlphaSet(0); }
    void AlphaSet(BYTE level);
    void AlphaSet(long x, long y, BYTE level);
    BYTE AlphaGet(long x, long y) const;
    bool AlphaSetMax(BYTE max);
    bool AlphaStrip();
    bool AlphaIsValid() const { return m_alpha != nullptr; }
    BYTE* AlphaGetPointer(long x = 0, long y = 0) const;

    // Selection mask: 0 outside, up to 255 fully inside; the box is kept in bottom-up rows.
    bool SelectionCreate();
    bool SelectionDelete();
    bool SelectionClear(BYTE level = 0);
    // A selection that selects at least one pixel.
    bool SelectionIsValid() const { return m_selection && m_info.selectionBox.right > m_info.selectionBox.left; }
    // left and bottom inclusive, right and top exclusive, rows counted from the bottom.
    void SelectionGetBox(RECT& box) const { box = m_info.selectionBox; }
    bool SelectionAddRect(RECT rect, BYTE level = 255);
    bool SelectionAddEllipse(RECT rect, BYTE level = 255);
    // Points with rows from the bottom.
    bool SelectionAddPolygon(const POINT* points, long count, BYTE level = 255);
    bool SelectionCopy(const CxImage& from);
    BYTE SelectionGet(long x, long y) const;
    bool SelectionIsInside(long x, long y) const { return SelectionGet(x, y) != 0; }
    BYTE* SelectionGetPointer(long x = 0, long y = 0) const;

    // Effects. Each works inside the selection when there is one, stops early once the escape
    // flag is set (returning false) and reports progress; a palette picture becomes 24-bit.
    bool GrayScale();
    // Every colour channel turned over (255 - value); alpha untouched.
    bool Negative();
    // Black below level (by brightness), white from it up.
    bool Threshold(BYTE level);
    // Adds red, green, blue (each -255..255) to the channels.
    bool ShiftRGB(long red, long green, long blue);
    // brightness -255..255 is added; contrast -100..100 percent stretches around mid grey.
    bool Light(long brightness, long contrast = 0);
    // saturation -100..100 percent: -100 grey, 0 unchanged; colorSpace is accepted and unused.
    bool Saturate(long saturation, long colorSpace = 1);
    // Tints with hue (0..255 around the colour circle) at saturation (0..255), mixed in by blend (0..1).
    bool Colorize(BYTE hue, BYTE saturation, float blend = 1.0f);
    // Convolution with a size x size kernel (rows top to bottom; size odd, 3..25): sum / divisor
    // (0 counts as 1) + offset per channel.
    bool Filter(const long* kernel, long size, long divisor, long offset);
    // Edge detection: bright outlines on black, multiplied by strength (1..10).
    bool Edge(long strength = 2);
    // Random noise of up to +-level (0..255) on each channel.
    bool Noise(long level);
    // Gaussian blur of colour and alpha; radius (0..250) is the spread in pixels.
    bool GaussianBlur(float radius = 1.0f, CxImage* dst = nullptr);
    // Takes the red out of red-dominated pixels; strength 0..1.
    bool RedEyeRemove(float strength = 0.8f);

    // Geometry; a null destination changes this picture.
    bool Crop(RECT rect, CxImage* dst = nullptr);
    bool Crop(long left, long top, long right, long bottom, CxImage* dst = nullptr);
    // mode 0 nearest pixel, 1 area average down / bilinear up, 2 bicubic.
    bool Resample(long width, long height, int mode = 1, CxImage* dst = nullptr);
    bool QIShrink(long width, long height, CxImage* dst = nullptr);
    bool Rotate(float degrees, CxImage* dst = nullptr);
    bool Rotate2(float degrees, CxImage* dst = nullptr, InterpolationMethod interpolation = IM_BILINEAR,
                 OverflowMethod overflow = OM_BACKGROUND, const RGBQUAD* replacement = nullptr,
                 bool optimizeRightAngles = true, bool keepSize = false);
    bool RotateLeft(CxImage* dst = nullptr);
    bool RotateRight(CxImage* dst = nullptr);
    bool Rotate180(CxImage* dst = nullptr);
    bool Flip(bool flipSelection = false, bool flipAlpha = true);
    bool Mirror(bool mirrorSelection = false, bool mirrorAlpha = true);
    // Turns the picture upright by an EXIF orientation (0: the one read from the file).
    bool RotateExif(int orientation = 0);

    // Files
    bool Load(const wchar_t* path, DWORD imageType = 0);
    bool Decode(FILE* file, DWORD imageType = 0);
    bool Decode(const BYTE* buffer, DWORD size, DWORD imageType = 0);
    bool LoadResource(HRSRC resource, DWORD imageType, HMODULE module = nullptr);
    // Writes beside the target and replaces it only when the picture was written whole. A target
    // that another handle has open is waited for a few seconds before the save fails.
    bool Save(const wchar_t* path, DWORD imageType = 0);
    bool Encode(FILE* file, DWORD imageType);
    bool Encode(CxFile& file, DWORD imageType, bool lossless = false);
    // A load decodes no larger than needed for a picture shown within width x height (0: full).
    // By default the decoded picture keeps a factor of two over its fit for the filter that
    // scales it for display; toCover stops at the smallest size that still covers the fit, for
    // a caller that resamples to that fit itself (ResampleInFrame).
    void SetShrinkOnLoad(DWORD width, DWORD height, bool toCover = false)
    {
        m_info.shrinkWidth = width;
        m_info.shrinkHeight = height;
        m_info.shrinkToCover = toCover;
    }
    static DWORD TypeFromExtension(const wchar_t* name);
    static DWORD TypeFromContent(const BYTE* data, size_t size);

    // EXIF
    const CX_IMAGE_EXIFINFO* GetExifInfo() const { return &m_exif; }
    // The EXIF block is not written when the picture is saved.
    void DisableEXIF() { m_info.exifDisabled = true; }

    // Frames of an animation (GIF, WebP) or pages of a TIFF
    void SetRetreiveAllFrames(bool all) { m_info.retrieveAllFrames = all; }
    bool GetRetreiveAllFrames() const { return m_info.retrieveAllFrames; }
    long GetNumFrames() const { return m_info.numFrames; }
    // The frame a load decodes; with all frames retrieved, GetFrame(n) gives each (0 is this).
    void SetFrame(long frame) { m_info.frame = frame; }
    long GetFrame() const { return m_info.frame; }
    CxImage* GetFrame(long frame) const;
    DWORD GetFrameDelay() const { return m_info.frameDelay; }
    void SetFrameDelay(DWORD hundredths) { m_info.frameDelay = hundredths; }
    BYTE GetDisposalMethod() const { return m_info.disposal; }
    void SetDisposalMethod(BYTE method) { m_info.disposal = method; }

    // Memory and clipboard
    DWORD DumpSize() const;
    DWORD Dump(BYTE* dst) const;
    // Refuses a block that is not one of our dumps or is shorter than it says.
    DWORD UnDump(const BYTE* src, DWORD size);
    HANDLE CopyToHandle() const;
    bool CreateFromHANDLE(HANDLE dib);
    // The size that UnDump and CreateFromHANDLE would give, from the headers alone, checked
    // against the block's size as they check it; false where they would refuse the block.
    static bool QueryDumpSize(const BYTE* src, DWORD size, DWORD& width, DWORD& height);
    static bool QueryDIBSize(const BYTE* dib, size_t size, DWORD& width, DWORD& height);
    bool CreateFromHBITMAP(HBITMAP bitmap, HPALETTE palette = nullptr, bool transparency = false);
    bool CreateFromHICON(HICON icon, bool transparency = false);
    HBITMAP MakeBitmap(HDC dc = nullptr, bool transparency = false) const;

    // Drawing onto a device context; a null context draws nothing. cx, cy of -1 mean the
    // picture's own size. Draw blends the alpha plane over what the context holds.
    long Draw(HDC dc, long x = 0, long y = 0, long cx = -1, long cy = -1, const RECT* clip = nullptr,
              bool smooth = false, bool flipY = false) const;
    long Draw(HDC dc, const RECT& rect, const RECT* clip = nullptr, bool smooth = false, bool flipY = false) const;
    // Without reading the context back (printers): alpha is blended onto the transparent colour.
    long Draw2(HDC dc, long x = 0, long y = 0, long cx = -1, long cy = -1) const;
    long Draw2(HDC dc, const RECT& rect) const;
    long Stretch(HDC dc, long x, long y, long cx, long cy, DWORD rop = SRCCOPY) const;
    long Stretch(HDC dc, const RECT& rect, DWORD rop = SRCCOPY) const;
    long Tile(HDC dc, const RECT* rect) const;

protected:
    struct Info {
        DWORD type = CXIMAGE_FORMAT_UNKNOWN;
        long xdpi = 96, ydpi = 96;
        BYTE jpegQuality = 90;
        long transIndex = -1;
        RGBQUAD transColor = {255, 255, 255, 0};
        RECT selectionBox = {0, 0, 0, 0};
        long numFrames = 0;
        long frame = 0;
        bool retrieveAllFrames = false;
        DWORD frameDelay = 0;
        BYTE disposal = 0;
        bool exifDisabled = false;
        DWORD originalWidth = 0, originalHeight = 0;
        DWORD shrinkWidth = 0, shrinkHeight = 0;
        bool shrinkToCover = false;
    };

    BYTE* Row(long y) { return m_bits + static_cast<size_t>(y) * m_stride; }
    const BYTE* Row(long y) const { return m_bits + static_cast<size_t>(y) * m_stride; }
    void CopyFrames(const CxImage& src);
    // Replaces the pixels and planes with those of a picture made apart; settings stay.
    void TakePixels(CxImage& made);
    // Puts a picture made apart into dst (as this picture's twin) or, without one, into this.
    bool Deliver(CxImage& made, CxImage* dst);
    // An empty picture of this one's depth and palette, with the planes asked for.
    bool MakeLike(CxImage& made, DWORD width, DWORD height, bool alpha, bool selection) const;
    bool Turn(int turn, CxImage* dst);
    bool CropInto(RECT rect, CxImage& made) const;
    bool ResampleWith(long width, long height, int filter, CxImage* dst);
    // The resampled picture into made (24-bit), this picture unchanged.
    bool ResampledInto(long width, long height, int filter, CxImage& made) const;
    // The frame of every pixel effect: refuses an empty picture and one whose working copies
    // (copies full planes of its colour and alpha) would pass the library's budget, makes the
    // picture 24-bit and runs body(). An allocation failure gives false with the picture as it
    // was, and so does any false from body() for a picture that had to change its depth.
    template <class Body>
    bool Effect(unsigned copies, const Body& body)
    {
        return RunEffect(copies, [](const void* b) { return (*static_cast<const Body*>(b))(); }, &body);
    }
    bool RunEffect(unsigned copies, bool (*body)(const void*), const void* context);
    bool ApplyDecoded(DecodeResult& result, CxImage& made, DWORD type, const wchar_t* path);
    bool DecodeData(const BYTE* data, size_t size, DWORD imageType, const wchar_t* path);
    void RecalcSelectionBox();

    CxBuffer m_dib;          // BITMAPINFOHEADER, palette, rows
    BYTE* m_bits = nullptr;  // into m_dib
    CxBuffer m_alpha;
    CxBuffer m_selection;
    DWORD m_width = 0, m_height = 0, m_stride = 0;
    WORD m_bpp = 0;
    Info m_info;
    CX_IMAGE_EXIFINFO m_exif = {};
    std::vector<BYTE> m_exifBlock;   // the raw TIFF-structured EXIF data, written back on save
    std::vector<std::unique_ptr<CxImage>> m_frames;  // frames 1..n-1 when all were retrieved
    std::wstring m_fileName;
    // Set by another thread to stop a long operation; read by the operation.
    mutable std::atomic<long> m_escape{0};
    mutable std::atomic<long> m_progress{0};
};
