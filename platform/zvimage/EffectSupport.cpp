// The shared machinery of the pixel effects.
#include "EffectSupport.h"
#include <cmath>
#include <cstring>
#include <new>
#include "ImageLimits.h"

bool CxImage::RunEffect(unsigned copies, bool (*body)(const void*), const void* context)
{
    m_progress = 0;
    // Asked to stop before it begins: not even the working planes are made.
    if (m_escape.load())
        return false;
    if (!IsValid() || !zvimage::WorkingCopiesFit(m_width, m_height, AlphaIsValid() ? 4 : 3, copies))
        return false;
    // A palette picture becomes 24-bit first; its planes are kept to be put back on failure.
    CxImage before;
    try {
        if (m_bpp != 24 && !(before.Copy(*this) && IncreaseBpp(24)))
            return false;
        if (body(context))
            return true;
    } catch (const std::bad_alloc&) {
    }
    if (before.IsValid())
        TakePixels(before);
    return false;
}

namespace zvimage {

EffectRun::EffectRun(const std::atomic<long>& escape, std::atomic<long>& progress, long long units, long long pixels)
    : m_escape(escape), m_progress(progress), m_units(std::max(1LL, units))
{
    m_progress = 0;
    m_threads = PassThreads(static_cast<uint64_t>(std::max(0LL, pixels)));
}

void EffectRun::Advance(long units)
{
    const long long done = m_done.fetch_add(units) + units;
    m_progress = static_cast<long>(std::min(99LL, done * 100 / m_units));
}

bool EffectRun::Finish()
{
    if (Stopped())
        return false;
    m_progress = 100;
    return true;
}

Planes ReadPlanes(const CxImage& image, bool stoppable)
{
    const long w = image.GetWidth(), h = image.GetHeight();
    const bool alpha = image.AlphaIsValid();
    Planes planes(w, h, alpha ? 4 : 3);
    RunBands(h, PassThreads(PixelsOf(image)), [&](long first, long last, unsigned) {
        for (long y = first; y < last; ++y) {
            const BYTE* s = image.GetBits(y);
            BYTE* d = planes.Row(y);
            if (!alpha) {
                std::memcpy(d, s, static_cast<size_t>(w) * 3);
                continue;
            }
            const BYTE* a = image.AlphaGetPointer(0, y);
            for (long x = 0; x < w; ++x, s += 3, d += 4) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
                d[3] = a[x];
            }
        }
    }, [&] { return stoppable && image.GetEscape() != 0; });
    return planes;
}

void StorePlanes(CxImage& image, const Planes& made, bool throughSelection)
{
    const long w = image.GetWidth(), h = image.GetHeight();
    if (made.width != w || made.height != h)
        return;
    const bool selected = throughSelection && image.SelectionIsValid();
    RECT box;   // rows from the bottom: bottom inclusive, top exclusive
    SetRect(&box, 0, h, w, 0);
    if (selected)
        image.SelectionGetBox(box);
    const bool alpha = image.AlphaIsValid() && made.channels == 4;
    const long bottom = std::max(0L, box.bottom), top = std::min(h, box.top);
    RunBands(top - bottom, PassThreads(PixelsOf(image)), [&](long first, long last, unsigned) {
        for (long y = bottom + first; y < bottom + last; ++y) {
            BYTE* d = image.GetBits(y);
            BYTE* a = alpha ? image.AlphaGetPointer(0, y) : nullptr;
            const BYTE* sel = selected ? image.SelectionGetPointer(0, y) : nullptr;
            const BYTE* s = made.Row(y);
            if (!sel && made.channels == 3) {
                std::memcpy(d, s, static_cast<size_t>(w) * 3);
                continue;
            }
            for (long x = std::max(0L, box.left); x < std::min(w, box.right); ++x) {
                const BYTE* p = s + static_cast<size_t>(x) * made.channels;
                BYTE* q = d + static_cast<size_t>(x) * 3;
                const BYTE level = SelectionLevel(sel, x);
                if (level == 255) {
                    q[0] = p[0];
                    q[1] = p[1];
                    q[2] = p[2];
                    if (a)
                        a[x] = p[3];
                } else if (level) {
                    for (int k = 0; k < 3; ++k)
                        q[k] = Mix(q[k], p[k], level);
                    if (a)
                        a[x] = Mix(a[x], p[3], level);
                }
            }
        }
    });
}

bool ApplyTables(CxImage& image, EffectRun& run, const BYTE* blue, const BYTE* green, const BYTE* red)
{
    auto pixel = [&](BYTE* p, long, long) {
        p[0] = blue[p[0]];
        p[1] = green[p[1]];
        p[2] = red[p[2]];
    };
    const long w = image.GetWidth();
    // One table for all three channels (most tone maps) runs down the row's bytes.
    if (std::memcmp(blue, green, 256) == 0 && std::memcmp(green, red, 256) == 0)
        return MapRows(
            image, run,
            [&](BYTE* p, long) {
                for (BYTE* end = p + static_cast<size_t>(w) * 3; p < end; ++p)
                    *p = blue[*p];
            },
            pixel);
    return MapRows(
        image, run,
        [&](BYTE* p, long y) {
            for (long x = 0; x < w; ++x, p += 3)
                pixel(p, x, y);
        },
        pixel);
}


void SampleBilinear(const Planes& src, double x, double y, BYTE* out)
{
    // Far outside points are pulled in first, so the integer conversion cannot overflow.
    if (!std::isfinite(x) || !std::isfinite(y))
        x = y = 0;
    x = std::clamp(x, -1.0, static_cast<double>(src.width));
    y = std::clamp(y, -1.0, static_cast<double>(src.height));
    const double fx0 = std::floor(x), fy0 = std::floor(y);
    const long x0 = static_cast<long>(fx0), y0 = static_cast<long>(fy0);
    const unsigned fx = static_cast<unsigned>((x - fx0) * 256), fy = static_cast<unsigned>((y - fy0) * 256);
    const BYTE* a = src.At(x0, y0);
    const BYTE* b = src.At(x0 + 1, y0);
    const BYTE* c = src.At(x0, y0 + 1);
    const BYTE* d = src.At(x0 + 1, y0 + 1);
    for (int k = 0; k < src.channels; ++k) {
        const unsigned bottom = a[k] * (256 - fx) + b[k] * fx;
        const unsigned top = c[k] * (256 - fx) + d[k] * fx;
        out[k] = static_cast<BYTE>((bottom * (256 - fy) + top * fy + 32768) >> 16);
    }
}

namespace {

// One running-sum pass along a row. padded holds the row with radius + 1 copies of its end
// pixels on each side, so the loop needs no edge tests.
void BoxRow(const BYTE* padded, BYTE* dst, long count, int channels, long radius)
{
    const uint32_t scale = (1u << 24) / static_cast<uint32_t>(2 * radius + 1);
    uint32_t sums[4] = {0, 0, 0, 0};
    for (long i = 1; i <= 2 * radius + 1; ++i)
        for (int k = 0; k < channels; ++k)
            sums[k] += padded[static_cast<size_t>(i) * channels + k];
    const BYTE* in = padded + static_cast<size_t>(2 * radius + 2) * channels;
    const BYTE* out = padded + channels;
    for (long i = 0; i < count; ++i) {
        for (int k = 0; k < channels; ++k) {
            *dst++ = static_cast<BYTE>((static_cast<uint64_t>(sums[k]) * scale + (1u << 23)) >> 24);
            sums[k] += *in++ - *out++;
        }
    }
}

} // namespace

bool BoxBlur(Planes& planes, long radiusX, long radiusY, EffectRun& run)
{
    const long w = planes.width, h = planes.height;
    const int c = planes.channels;
    radiusX = std::clamp(radiusX, 0L, std::max(0L, w * 2));
    radiusY = std::clamp(radiusY, 0L, std::max(0L, h * 2));
    const unsigned slots = run.Threads();
    if (radiusX > 0) {
        // Each thread pads its rows into a line of its own.
        const size_t lineBytes = static_cast<size_t>(w + 2 * radiusX + 2) * c;
        std::vector<BYTE> lines(lineBytes * slots);
        if (!ParallelBands(run, h, [&](long first, long last, unsigned slot) {
                BYTE* line = lines.data() + lineBytes * slot;
                for (long y = first; y < last; ++y) {
                    BYTE* row = planes.Row(y);
                    BYTE* p = line;
                    for (long i = 0; i <= radiusX; ++i, p += c)
                        std::memcpy(p, row, c);
                    std::memcpy(p, row, static_cast<size_t>(w) * c);
                    p += static_cast<size_t>(w) * c;
                    for (long i = 0; i <= radiusX; ++i, p += c)
                        std::memcpy(p, row + static_cast<size_t>(w - 1) * c, c);
                    BoxRow(line, row, w, c, radiusX);
                }
            }))
            return false;
    }
    if (radiusY > 0) {
        // Running sums down whole columns, in strips of columns so that every row is read in
        // order. Row y is still read as the window's trailing row at step y + radiusY, so each
        // result waits in a ring of radiusY + 1 rows until then and is written back in place.
        const long strip = 256;
        const long strips = (w + strip - 1) / strip;
        const size_t stripBytes = static_cast<size_t>(strip) * c;
        const long ringRows = std::min(radiusY + 1, h);
        std::vector<uint32_t> allSums(stripBytes * slots);
        std::vector<BYTE> rings(stripBytes * ringRows * slots);
        const long size = 2 * radiusY + 1;
        const uint32_t scale = (1u << 24) / static_cast<uint32_t>(size);
        if (!ParallelBands(run, strips, [&](long firstStrip, long lastStrip, unsigned slot) {
                uint32_t* sums = allSums.data() + stripBytes * slot;
                BYTE* ring = rings.data() + stripBytes * ringRows * slot;
                for (long s = firstStrip; s < lastStrip; ++s) {
                    const size_t from = static_cast<size_t>(s) * stripBytes;
                    const size_t count = std::min(stripBytes, static_cast<size_t>(w) * c - from);
                    auto row = [&](long y) { return planes.Row(std::clamp(y, 0L, h - 1)) + from; };
                    auto held = [&](long y) { return ring + static_cast<size_t>(y % ringRows) * stripBytes; };
                    std::fill(sums, sums + count, 0u);
                    for (long y = -radiusY; y <= radiusY; ++y) {
                        const BYTE* p = row(y);
                        for (size_t i = 0; i < count; ++i)
                            sums[i] += p[i];
                    }
                    for (long y = 0; y < h; ++y) {
                        BYTE* d = held(y);
                        for (size_t i = 0; i < count; ++i)
                            d[i] = static_cast<BYTE>((static_cast<uint64_t>(sums[i]) * scale + (1u << 23)) >> 24);
                        const BYTE* in = row(y + radiusY + 1);
                        const BYTE* gone = row(y - radiusY);
                        for (size_t i = 0; i < count; ++i)
                            sums[i] += in[i] - gone[i];
                        if (y >= radiusY)
                            std::memcpy(row(y - radiusY), held(y - radiusY), count);
                    }
                    for (long y = std::max(0L, h - radiusY); y < h; ++y)
                        std::memcpy(row(y), held(y), count);
                }
            }))
            return false;
    }
    return true;
}

long long GaussianUnits(const Planes& planes)
{
    return 3LL * (planes.height + (planes.width + 255) / 256);
}

bool GaussianPlanes(Planes& planes, double sigma, EffectRun& run)
{
    if (!(sigma > 0))
        return true;
    sigma = std::min(sigma, 4.0 * std::max(planes.width, planes.height));
    // Three boxes whose variances add up to sigma squared: each box of radius r has
    // variance ((2r + 1)^2 - 1) / 12.
    const double ideal = std::sqrt(12.0 * sigma * sigma / 3.0 + 1.0);
    const long radius = std::max(0L, static_cast<long>(std::lround((ideal - 1.0) / 2.0)));
    for (int pass = 0; pass < 3; ++pass)
        if (!BoxBlur(planes, radius, radius, run))
            return false;
    return true;
}

EffectArea AreaOf(const CxImage& image, double cx, double cy)
{
    EffectArea area;
    RECT box;   // rows from the bottom: bottom inclusive, top exclusive
    SetRect(&box, 0, image.GetHeight(), image.GetWidth(), 0);
    if (image.SelectionIsValid())
        image.SelectionGetBox(box);
    area.box = box;
    if ((cx == 0 && cy == 0) || !std::isfinite(cx) || !std::isfinite(cy)) {
        cx = (box.left + box.right - 1) / 2.0;
        cy = (box.bottom + box.top - 1) / 2.0;
    }
    area.cx = cx;
    area.cy = cy;
    area.radius = std::max(1.0, std::min(box.right - box.left, box.top - box.bottom) / 2.0);
    return area;
}

} // namespace zvimage
