// CxImage: life of the container, facts, palette and pixel access, bit depth, histogram.
#include "CxImage.h"
#include <algorithm>
#include <cstring>
#include <utility>
#include "ImageLimits.h"
#include "RowScheduler.h"

using namespace zvimage;

void CxFreeDeleter::operator()(void* p) const noexcept
{
    std::free(p);
}

CxImage::CxImage() = default;

CxImage::CxImage(const CxImage& src)
{
    *this = src;
}

CxImage& CxImage::operator=(const CxImage& src)
{
    if (this != &src) {
        // An empty source empties the target, so that no stale picture survives an assignment.
        if (!Copy(src))
            Destroy();
        m_info = src.m_info;
        CopyFrames(src);
    }
    return *this;
}

CxImage::CxImage(CxImage&& src) noexcept
{
    *this = std::move(src);
}

CxImage& CxImage::operator=(CxImage&& src) noexcept
{
    if (this != &src) {
        Transfer(src, true);
        // The settings that Transfer leaves behind (type, resolution, quality) go too.
        src.m_info = Info{};
    }
    return *this;
}

CxImage::~CxImage() = default;

bool CxImage::Create(DWORD width, DWORD height, DWORD bpp, DWORD imageType)
{
    Destroy();
    if (!SizeAllowed(width, height))
        return false;
    const WORD bits = bpp <= 8 ? 8 : 24;
    const uint64_t stride = DibStride(width, bits);
    const uint64_t paletteBytes = bits == 8 ? 256 * sizeof(RGBQUAD) : 0;
    const uint64_t total = sizeof(BITMAPINFOHEADER) + paletteBytes + stride * height;
    CxBuffer dib(static_cast<BYTE*>(CheckedCalloc(total)));
    if (!dib)
        return false;
    auto* head = reinterpret_cast<BITMAPINFOHEADER*>(dib.get());
    head->biSize = sizeof(BITMAPINFOHEADER);
    head->biWidth = static_cast<LONG>(width);
    head->biHeight = static_cast<LONG>(height);
    head->biPlanes = 1;
    head->biBitCount = bits;
    head->biCompression = BI_RGB;
    head->biSizeImage = static_cast<DWORD>(stride * height);
    head->biClrUsed = bits == 8 ? 256 : 0;
    m_dib = std::move(dib);
    m_bits = m_dib.get() + sizeof(BITMAPINFOHEADER) + paletteBytes;
    m_width = width;
    m_height = height;
    m_stride = static_cast<DWORD>(stride);
    m_bpp = bits;
    m_info.type = imageType;
    SetXDPI(m_info.xdpi);
    SetYDPI(m_info.ydpi);
    if (bits == 8)
        SetGrayPalette();
    // A picture this large will likely see an effect or a resample; the workers wake meanwhile.
    PrepareRows(uint64_t(width) * height);
    return true;
}

bool CxImage::Destroy()
{
    m_dib.reset();
    m_bits = nullptr;
    m_alpha.reset();
    m_selection.reset();
    m_frames.clear();
    m_width = m_height = m_stride = 0;
    m_bpp = 0;
    m_info.transIndex = -1;
    m_info.selectionBox = RECT{0, 0, 0, 0};
    m_info.numFrames = 0;
    m_info.frameDelay = 0;
    m_info.originalWidth = m_info.originalHeight = 0;
    m_exif = CX_IMAGE_EXIFINFO{};
    m_exifBlock.clear();
    m_fileName.clear();
    return true;
}

void CxImage::Clear(BYTE value)
{
    if (m_bits)
        std::memset(m_bits, value, static_cast<size_t>(m_stride) * m_height);
}

bool CxImage::Copy(const CxImage& src, bool copyPixels, bool copySelection, bool copyAlpha)
{
    if (&src == this)
        return IsValid();
    if (!src.IsValid()) {
        Destroy();
        return false;
    }
    const Info keep = src.m_info;
    // A picture of the same size and depth keeps its buffer, which the copy below overwrites
    // whole: a fresh one would be zeroed and faulted in page by page first.
    const bool sameBuffer = copyPixels && m_dib && m_width == src.m_width && m_height == src.m_height &&
                            m_bpp == src.m_bpp && m_bits - m_dib.get() == src.m_bits - src.m_dib.get();
    if (sameBuffer) {
        // The alpha and selection planes have the size of the source's too: kept where the
        // source has them, overwritten below.
        if (!(copyAlpha && src.m_alpha))
            m_alpha.reset();
        if (!(copySelection && src.m_selection))
            m_selection.reset();
        m_frames.clear();
    } else if (!Create(src.m_width, src.m_height, src.m_bpp, src.m_info.type)) {
        return false;
    }
    if (copyPixels)
        std::memcpy(m_dib.get(), src.m_dib.get(), src.GetDIBSize());
    else if (m_bpp == 8)
        std::memcpy(GetPalette(), src.GetPalette(), GetPaletteSize());
    m_info = keep;
    m_escape = 0;
    m_info.selectionBox = RECT{0, 0, 0, 0};
    const size_t plane = static_cast<size_t>(m_width) * m_height;
    // A plane that cannot be had fails the copy: no picture without the alpha it should have.
    if (copyAlpha && src.m_alpha) {
        if (!m_alpha)
            m_alpha.reset(static_cast<BYTE*>(std::malloc(plane)));
        if (!m_alpha) {
            Destroy();
            return false;
        }
        std::memcpy(m_alpha.get(), src.m_alpha.get(), plane);
    }
    if (copySelection && src.m_selection) {
        if (!m_selection)
            m_selection.reset(static_cast<BYTE*>(std::malloc(plane)));
        if (!m_selection) {
            Destroy();
            return false;
        }
        std::memcpy(m_selection.get(), src.m_selection.get(), plane);
        m_info.selectionBox = src.m_info.selectionBox;
    }
    m_exif = src.m_exif;
    m_exifBlock = src.m_exifBlock;
    m_fileName = src.m_fileName;
    return true;
}

void CxImage::CopyFrames(const CxImage& src)
{
    m_frames.clear();
    for (const auto& frame : src.m_frames) {
        auto copy = std::make_unique<CxImage>();
        if (!copy->Copy(*frame))
            break;
        copy->m_info = frame->m_info;
        m_frames.push_back(std::move(copy));
    }
}

bool CxImage::Transfer(CxImage& from, bool transferFrames)
{
    if (&from == this)
        return IsValid();
    Destroy();
    m_dib = std::move(from.m_dib);
    m_bits = from.m_bits;
    m_alpha = std::move(from.m_alpha);
    m_selection = std::move(from.m_selection);
    m_width = from.m_width;
    m_height = from.m_height;
    m_stride = from.m_stride;
    m_bpp = from.m_bpp;
    m_info = from.m_info;
    m_exif = from.m_exif;
    m_exifBlock = std::move(from.m_exifBlock);
    m_fileName = std::move(from.m_fileName);
    if (transferFrames)
        m_frames = std::move(from.m_frames);
    from.m_bits = nullptr;
    from.Destroy();
    return IsValid();
}

void CxImage::TakePixels(CxImage& made)
{
    // Keeps this picture's settings and file facts; takes the planes of the new one and its
    // transparent colour, which a change of depth may have moved.
    m_dib = std::move(made.m_dib);
    m_bits = made.m_bits;
    m_alpha = std::move(made.m_alpha);
    m_selection = std::move(made.m_selection);
    m_width = made.m_width;
    m_height = made.m_height;
    m_stride = made.m_stride;
    m_bpp = made.m_bpp;
    m_info.selectionBox = made.m_info.selectionBox;
    m_info.transIndex = made.m_info.transIndex;
    m_info.transColor = made.m_info.transColor;
    made.m_bits = nullptr;
    made.Destroy();
    SetXDPI(m_info.xdpi);
    SetYDPI(m_info.ydpi);
}

DWORD CxImage::GetDIBSize() const
{
    if (!m_dib)
        return 0;
    return static_cast<DWORD>(sizeof(BITMAPINFOHEADER) + GetPaletteSize() + static_cast<size_t>(m_stride) * m_height);
}

void CxImage::SetXDPI(long dpi)
{
    if (dpi <= 0)
        dpi = 96;
    m_info.xdpi = dpi;
    if (m_dib)
        reinterpret_cast<BITMAPINFOHEADER*>(m_dib.get())->biXPelsPerMeter = static_cast<LONG>(dpi * 10000.0 / 254.0 + 0.5);
}

void CxImage::SetYDPI(long dpi)
{
    if (dpi <= 0)
        dpi = 96;
    m_info.ydpi = dpi;
    if (m_dib)
        reinterpret_cast<BITMAPINFOHEADER*>(m_dib.get())->biYPelsPerMeter = static_cast<LONG>(dpi * 10000.0 / 254.0 + 0.5);
}

bool CxImage::IsInside(long x, long y) const
{
    return x >= 0 && y >= 0 && x < static_cast<long>(m_width) && y < static_cast<long>(m_height);
}

bool CxImage::IsGrayScale() const
{
    if (m_bpp != 8)
        return false;
    const RGBQUAD* pal = GetPalette();
    for (int i = 0; i < 256; ++i)
        if (pal[i].rgbRed != pal[i].rgbGreen || pal[i].rgbGreen != pal[i].rgbBlue)
            return false;
    return true;
}

void CxImage::SetJpegQuality(BYTE quality)
{
    m_info.jpegQuality = std::clamp<BYTE>(quality, 1, 100);
}

void CxImage::SetTransIndex(long index)
{
    m_info.transIndex = index < 0 ? -1 : (m_bpp == 8 ? std::min(index, 255L) : 0);
}

RGBQUAD CxImage::GetTransColor() const
{
    if (m_bpp == 8 && m_info.transIndex >= 0)
        return GetPaletteColor(static_cast<BYTE>(m_info.transIndex));
    return m_info.transColor;
}

void CxImage::SetTransColor(RGBQUAD colour)
{
    colour.rgbReserved = 0;
    m_info.transColor = colour;
}

RGBQUAD CxImage::RGBtoRGBQUAD(COLORREF colour)
{
    RGBQUAD q;
    q.rgbRed = GetRValue(colour);
    q.rgbGreen = GetGValue(colour);
    q.rgbBlue = GetBValue(colour);
    q.rgbReserved = 0;
    return q;
}

COLORREF CxImage::RGBQUADtoRGB(RGBQUAD colour)
{
    return RGB(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
}

BYTE* CxImage::GetBits(DWORD row)
{
    if (!m_bits || row >= m_height)
        return nullptr;
    return Row(static_cast<long>(row));
}

const BYTE* CxImage::GetBits(DWORD row) const
{
    if (!m_bits || row >= m_height)
        return nullptr;
    return Row(static_cast<long>(row));
}

RGBQUAD* CxImage::GetPalette() const
{
    if (!m_dib || m_bpp != 8)
        return nullptr;
    return reinterpret_cast<RGBQUAD*>(m_dib.get() + sizeof(BITMAPINFOHEADER));
}

RGBQUAD CxImage::GetPaletteColor(BYTE index) const
{
    const RGBQUAD* pal = GetPalette();
    return pal ? pal[index] : RGBQUAD{0, 0, 0, 0};
}

void CxImage::SetPaletteColor(BYTE index, BYTE r, BYTE g, BYTE b, BYTE alpha)
{
    if (RGBQUAD* pal = GetPalette())
        pal[index] = RGBQUAD{b, g, r, alpha};
}

void CxImage::SetPaletteColor(BYTE index, RGBQUAD colour)
{
    if (RGBQUAD* pal = GetPalette())
        pal[index] = colour;
}

void CxImage::SetPalette(const RGBQUAD* colours, DWORD count)
{
    RGBQUAD* pal = GetPalette();
    if (!pal || !colours)
        return;
    count = std::min<DWORD>(count, 256);
    std::memcpy(pal, colours, count * sizeof(RGBQUAD));
    std::memset(pal + count, 0, (256 - count) * sizeof(RGBQUAD));
}

void CxImage::SetGrayPalette()
{
    if (RGBQUAD* pal = GetPalette())
        for (int i = 0; i < 256; ++i)
            pal[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
}

BYTE CxImage::GetNearestIndex(RGBQUAD c) const
{
    const RGBQUAD* pal = GetPalette();
    if (!pal)
        return 0;
    long best = LONG_MAX;
    BYTE index = 0;
    for (int i = 0; i < 256; ++i) {
        const long db = long(pal[i].rgbBlue) - c.rgbBlue;
        const long dg = long(pal[i].rgbGreen) - c.rgbGreen;
        const long dr = long(pal[i].rgbRed) - c.rgbRed;
        const long d = db * db + dg * dg + dr * dr;
        if (d < best) {
            best = d;
            index = static_cast<BYTE>(i);
            if (d == 0)
                break;
        }
    }
    return index;
}

BYTE CxImage::GetPixelIndex(long x, long y) const
{
    if (m_bpp != 8 || !IsInside(x, y))
        return 0;
    return Row(y)[x];
}

void CxImage::SetPixelIndex(long x, long y, BYTE index)
{
    if (m_bpp == 8 && IsInside(x, y))
        Row(y)[x] = index;
}

RGBQUAD CxImage::GetPixelColor(long x, long y, bool getAlpha) const
{
    RGBQUAD c = {0, 0, 0, 0};
    if (!IsValid())
        return c;
    x = std::clamp<long>(x, 0, m_width - 1);
    y = std::clamp<long>(y, 0, m_height - 1);
    if (m_bpp == 8) {
        c = GetPaletteColor(Row(y)[x]);
    } else {
        const BYTE* p = Row(y) + x * 3;
        c.rgbBlue = p[0];
        c.rgbGreen = p[1];
        c.rgbRed = p[2];
    }
    c.rgbReserved = 0;
    if (getAlpha)
        c.rgbReserved = m_alpha ? m_alpha.get()[static_cast<size_t>(y) * m_width + x] : 255;
    return c;
}

void CxImage::SetPixelColor(long x, long y, RGBQUAD c, bool setAlpha)
{
    if (!IsInside(x, y))
        return;
    if (m_bpp == 8) {
        Row(y)[x] = GetNearestIndex(c);
    } else {
        BYTE* p = Row(y) + x * 3;
        p[0] = c.rgbBlue;
        p[1] = c.rgbGreen;
        p[2] = c.rgbRed;
    }
    if (setAlpha && m_alpha)
        m_alpha.get()[static_cast<size_t>(y) * m_width + x] = c.rgbReserved;
}

bool CxImage::SetRectColor(RECT rect, RGBQUAD colour, bool keepAlpha)
{
    if (!IsValid())
        return false;
    const long left = std::max<long>(0, std::min(rect.left, rect.right));
    const long right = std::min<long>(m_width, std::max(rect.left, rect.right));
    const long top = std::max<long>(0, std::min(rect.top, rect.bottom));
    const long bottom = std::min<long>(m_height, std::max(rect.top, rect.bottom));
    if (left >= right || top >= bottom)
        return false;
    const BYTE index = m_bpp == 8 ? GetNearestIndex(colour) : 0;
    for (long row = top; row < bottom; ++row) {
        const long y = static_cast<long>(m_height) - 1 - row;
        BYTE* p = Row(y);
        if (m_bpp == 8) {
            std::memset(p + left, index, right - left);
        } else {
            for (long x = left; x < right; ++x) {
                p[x * 3] = colour.rgbBlue;
                p[x * 3 + 1] = colour.rgbGreen;
                p[x * 3 + 2] = colour.rgbRed;
            }
        }
        if (!keepAlpha && m_alpha)
            std::memset(AlphaGetPointer(left, y), colour.rgbReserved, right - left);
    }
    return true;
}

bool CxImage::IncreaseBpp(DWORD bits)
{
    if (!IsValid())
        return false;
    if (bits <= m_bpp)
        return true;
    CxImage made;
    if (!made.Create(m_width, m_height, 24, m_info.type))
        return false;
    const RGBQUAD* pal = GetPalette();
    for (DWORD y = 0; y < m_height; ++y) {
        const BYTE* s = Row(y);
        BYTE* d = made.Row(y);
        for (DWORD x = 0; x < m_width; ++x, d += 3) {
            const RGBQUAD& c = pal[s[x]];
            d[0] = c.rgbBlue;
            d[1] = c.rgbGreen;
            d[2] = c.rgbRed;
        }
    }
    // The transparent index becomes the transparent colour of the 24-bit picture.
    const long trans = m_info.transIndex;
    const RGBQUAD transColour = trans >= 0 ? pal[trans] : m_info.transColor;
    made.m_alpha = std::move(m_alpha);
    made.m_selection = std::move(m_selection);
    made.m_info.selectionBox = m_info.selectionBox;
    TakePixels(made);
    m_info.transIndex = trans >= 0 ? 0 : -1;
    m_info.transColor = transColour;
    m_info.transColor.rgbReserved = 0;
    return true;
}

namespace {

// The fixed palette for a reduction without a table: 6 x 7 x 6 levels of red, green and blue
// (green gets more, the eye tells its steps apart best) and four greys.
void FixedPalette(RGBQUAD* pal)
{
    int n = 0;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                pal[n++] = RGBQUAD{static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 255 / 6), static_cast<BYTE>(r * 51), 0};
    for (BYTE grey : {BYTE(32), BYTE(96), BYTE(160), BYTE(224)})
        pal[n++] = RGBQUAD{grey, grey, grey, 0};
}

} // namespace

bool CxImage::DecreaseBpp(DWORD bits, bool errorDiffusion, const RGBQUAD* palette, DWORD colours)
{
    if (!IsValid() || bits > 8)
        return false;
    if (m_bpp == 8 && !palette)
        return true;
    if (m_bpp == 8 && !IncreaseBpp(24))
        return false;
    CxImage made;
    if (!made.Create(m_width, m_height, 8, m_info.type))
        return false;
    RGBQUAD pal[256] = {};
    if (palette && colours > 0)
        std::memcpy(pal, palette, std::min<DWORD>(colours, 256) * sizeof(RGBQUAD));
    else
        FixedPalette(pal);
    made.SetPalette(pal, 256);
    const DWORD used = palette && colours > 0 ? std::min<DWORD>(colours, 256) : 256;
    // Nearest entries by 5-bit colour: a table of 32768 answers instead of a search a pixel.
    std::vector<BYTE> nearest(32768);
    for (int key = 0; key < 32768; ++key) {
        const int r = ((key >> 10) & 31) * 255 / 31, g = ((key >> 5) & 31) * 255 / 31, b = (key & 31) * 255 / 31;
        long best = LONG_MAX;
        for (DWORD i = 0; i < used; ++i) {
            const long dr = r - pal[i].rgbRed, dg = g - pal[i].rgbGreen, db = b - pal[i].rgbBlue;
            const long d = dr * dr + dg * dg + db * db;
            if (d < best) {
                best = d;
                nearest[key] = static_cast<BYTE>(i);
            }
        }
    }
    auto lookup = [&](int r, int g, int b) {
        return nearest[((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)];
    };
    std::vector<int> err(errorDiffusion ? (m_width + 2) * 3 * 2 : 0);
    for (long row = m_height - 1; row >= 0; --row) {
        const BYTE* s = Row(row);
        BYTE* d = made.Row(row);
        int* cur = errorDiffusion ? &err[((m_height - 1 - row) & 1) * (m_width + 2) * 3] : nullptr;
        int* next = errorDiffusion ? &err[(((m_height - 1 - row) & 1) ^ 1) * (m_width + 2) * 3] : nullptr;
        if (next)
            std::fill(next, next + (m_width + 2) * 3, 0);
        for (DWORD x = 0; x < m_width; ++x) {
            int b = s[x * 3], g = s[x * 3 + 1], r = s[x * 3 + 2];
            if (cur) {
                b = std::clamp(b + cur[(x + 1) * 3] / 16, 0, 255);
                g = std::clamp(g + cur[(x + 1) * 3 + 1] / 16, 0, 255);
                r = std::clamp(r + cur[(x + 1) * 3 + 2] / 16, 0, 255);
            }
            const BYTE index = lookup(r, g, b);
            d[x] = index;
            if (cur) {
                const int e[3] = {b - pal[index].rgbBlue, g - pal[index].rgbGreen, r - pal[index].rgbRed};
                for (int c = 0; c < 3; ++c) {
                    cur[(x + 2) * 3 + c] += e[c] * 7;
                    next[x * 3 + c] += e[c] * 3;
                    next[(x + 1) * 3 + c] += e[c] * 5;
                    next[(x + 2) * 3 + c] += e[c];
                }
            }
        }
    }
    const long trans = m_info.transIndex >= 0 ? made.GetNearestIndex(m_info.transColor) : -1;
    made.m_alpha = std::move(m_alpha);
    made.m_selection = std::move(m_selection);
    made.m_info.selectionBox = m_info.selectionBox;
    TakePixels(made);
    m_info.transIndex = trans;
    return true;
}

long CxImage::Histogram(long* red, long* green, long* blue, long* gray, long) const
{
    if (!IsValid())
        return 0;
    long r[256] = {}, g[256] = {}, b[256] = {}, k[256] = {};
    for (DWORD y = 0; y < m_height; ++y) {
        const BYTE* p = Row(y);
        for (DWORD x = 0; x < m_width; ++x) {
            RGBQUAD c;
            if (m_bpp == 8) {
                c = GetPalette()[p[x]];
            } else {
                c.rgbBlue = p[x * 3];
                c.rgbGreen = p[x * 3 + 1];
                c.rgbRed = p[x * 3 + 2];
            }
            ++r[c.rgbRed];
            ++g[c.rgbGreen];
            ++b[c.rgbBlue];
            ++k[(c.rgbRed * 299 + c.rgbGreen * 587 + c.rgbBlue * 114 + 500) / 1000];
        }
    }
    long largest = 0;
    for (auto [out, counts] : {std::pair{red, r}, std::pair{green, g}, std::pair{blue, b}, std::pair{gray, k}}) {
        if (!out)
            continue;
        std::memcpy(out, counts, sizeof(r));
        largest = std::max(largest, *std::max_element(counts, counts + 256));
    }
    return largest;
}

CxImage* CxImage::GetFrame(long frame) const
{
    if (frame == 0)
        return IsValid() ? const_cast<CxImage*>(this) : nullptr;
    if (frame < 0 || static_cast<size_t>(frame) > m_frames.size())
        return nullptr;
    return m_frames[frame - 1].get();
}
