#include "ToolBarImages.h"
#include <png.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include "Win32Owners.h"

namespace skinui {
namespace {
// Tool-bar strips and logos are small; anything beyond this is a damaged or hostile file.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;

bool SizeOk(int64_t w, int64_t h)
{
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

BYTE A(uint32_t p) { return static_cast<BYTE>(p >> 24); }
BYTE R(uint32_t p) { return static_cast<BYTE>(p >> 16); }
BYTE G(uint32_t p) { return static_cast<BYTE>(p >> 8); }
BYTE B(uint32_t p) { return static_cast<BYTE>(p); }
uint32_t Pack(int a, int r, int g, int b)
{
    return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}

HBITMAP MakeDib(int w, int h, void** bits)
{
    BITMAPINFO bi = win32::TopDownBitmapInfo(w, h);
    return ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

HBITMAP DibOf(const Pixels& px, uint32_t (*map)(uint32_t))
{
    void* bits = nullptr;
    HBITMAP bmp = MakeDib(px.width, px.height, &bits);
    if (!bmp)
        return nullptr;
    auto* out = static_cast<uint32_t*>(bits);
    if (map)
        std::transform(px.data.begin(), px.data.end(), out, map);
    else
        std::copy(px.data.begin(), px.data.end(), out);
    ::GdiFlush();
    return bmp;
}

// The weights by which one destination row or column takes its source pixels.
struct Tap {
    int index;
    double weight;
};
std::vector<std::vector<Tap>> Taps(int srcLen, int dstLen)
{
    std::vector<std::vector<Tap>> taps(dstLen);
    const double scale = static_cast<double>(srcLen) / dstLen;
    for (int i = 0; i < dstLen; ++i) {
        auto& t = taps[i];
        if (scale > 1.0) {
            // Shrinking: the average of the source span the pixel covers.
            const double from = i * scale, to = (i + 1) * scale;
            for (int s = static_cast<int>(from); s < srcLen && s < to; ++s) {
                const double w = std::min<double>(s + 1, to) - std::max<double>(s, from);
                if (w > 0)
                    t.push_back({s, w / scale});
            }
        } else {
            // Growing: linear between the two nearest source centres.
            const double pos = std::clamp((i + 0.5) * scale - 0.5, 0.0, srcLen - 1.0);
            const int s0 = static_cast<int>(pos);
            const double f = pos - s0;
            t.push_back({s0, 1.0 - f});
            if (f > 0 && s0 + 1 < srcLen)
                t.push_back({s0 + 1, f});
        }
    }
    return taps;
}
} // namespace

uint32_t Premultiply(BYTE r, BYTE g, BYTE b, BYTE a)
{
    auto m = [a](int c) { return (c * a + 127) / 255; };
    return Pack(a, m(r), m(g), m(b));
}

bool DecodePng(const void* data, size_t size, Pixels& out)
{
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return false;
    if (!SizeOk(image.width, image.height)) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> straight(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, straight.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.data.resize(straight.size());
    std::transform(straight.begin(), straight.end(), out.data.begin(),
                   [](uint32_t p) { return Premultiply(R(p), G(p), B(p), A(p)); });
    return true;
}

bool PixelsFromBitmap(HBITMAP hbmp, COLORREF clrTransparent, Pixels& out, bool* pHasAlpha)
{
    BITMAP bm = {};
    if (!hbmp || !::GetObjectW(hbmp, sizeof(bm), &bm) || !SizeOk(bm.bmWidth, bm.bmHeight))
        return false;
    BITMAPINFO bi = win32::TopDownBitmapInfo(bm.bmWidth, bm.bmHeight);
    std::vector<uint32_t> raw(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    const win32::MemoryDc dc(::CreateCompatibleDC(nullptr));
    const int rows = ::GetDIBits(dc.Get(), hbmp, 0, bm.bmHeight, raw.data(), &bi, DIB_RGB_COLORS);
    if (rows != bm.bmHeight)
        return false;
    // Only a 32-bit bitmap can carry alpha, and one whose alpha is all zero carries none.
    const bool hasAlpha = bm.bmBitsPixel == 32 && std::any_of(raw.begin(), raw.end(), [](uint32_t p) { return A(p) != 0; });
    if (pHasAlpha)
        *pHasAlpha = hasAlpha;
    out.width = bm.bmWidth;
    out.height = bm.bmHeight;
    out.data.resize(raw.size());
    if (hasAlpha) {
        std::transform(raw.begin(), raw.end(), out.data.begin(), [](uint32_t p) { return Premultiply(R(p), G(p), B(p), A(p)); });
    } else {
        std::transform(raw.begin(), raw.end(), out.data.begin(), [](uint32_t p) { return p | 0xFF000000u; });
        ClearColor(out, clrTransparent);
    }
    return true;
}

void ClearColor(Pixels& pixels, COLORREF clrTransparent)
{
    if (clrTransparent == static_cast<COLORREF>(-1))
        return;
    const uint32_t key = Pack(255, GetRValue(clrTransparent), GetGValue(clrTransparent), GetBValue(clrTransparent));
    std::replace(pixels.data.begin(), pixels.data.end(), key, 0u);
}

void Resample(const Pixels& src, int x, int y, int w, int h, Pixels& dst, int dx, int dy, int dw, int dh)
{
    if (w <= 0 || h <= 0 || dw <= 0 || dh <= 0)
        return;
    const auto tx = Taps(w, dw), ty = Taps(h, dh);
    // Horizontal pass into floats, then vertical into the target.
    std::vector<double> rows(static_cast<size_t>(h) * dw * 4);
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < dw; ++c) {
            double acc[4] = {};
            for (const Tap& t : tx[c]) {
                const uint32_t p = src.At(x + t.index, y + r);
                acc[0] += A(p) * t.weight;
                acc[1] += R(p) * t.weight;
                acc[2] += G(p) * t.weight;
                acc[3] += B(p) * t.weight;
            }
            std::copy(acc, acc + 4, &rows[(static_cast<size_t>(r) * dw + c) * 4]);
        }
    }
    auto ch = [](double v) { return static_cast<int>(std::clamp(std::lround(v), 0L, 255L)); };
    for (int r = 0; r < dh; ++r) {
        for (int c = 0; c < dw; ++c) {
            double acc[4] = {};
            for (const Tap& t : ty[r])
                for (int k = 0; k < 4; ++k)
                    acc[k] += rows[(static_cast<size_t>(t.index) * dw + c) * 4 + k] * t.weight;
            const int a = ch(acc[0]);
            dst.data[static_cast<size_t>(dy + r) * dst.width + dx + c] =
                Pack(a, std::min(ch(acc[1]), a), std::min(ch(acc[2]), a), std::min(ch(acc[3]), a));
        }
    }
}

uint32_t DisabledPixel(uint32_t p)
{
    const int a = A(p);
    // Grey by luminance (it is linear, so premultiplied channels give a premultiplied grey),
    // lightened a third of the way toward white, then faded.
    const int grey = (R(p) * 77 + G(p) * 150 + B(p) * 29) >> 8;
    const int light = grey + (a - grey) / 3;
    constexpr int kOpacity = 40;
    const int fa = a * kOpacity / 100, fg = light * kOpacity / 100;
    return Pack(fa, fg, fg, fg);
}
} // namespace skinui

using skinui::Pixels;

IMPLEMENT_DYNAMIC(CBCGPToolBarImages, CObject)

CBCGPToolBarImages::CBCGPToolBarImages() = default;
CBCGPToolBarImages::~CBCGPToolBarImages() = default;

void CBCGPToolBarImages::SetImageSize(SIZE sizeImage, BOOL /*bDontScale*/)
{
    m_sizeImage = sizeImage;
}

COLORREF CBCGPToolBarImages::SetTransparentColor(COLORREF clrTransparent)
{
    const COLORREF old = m_clrTransparent;
    m_clrTransparent = clrTransparent;
    if (IsValid() && !m_bHadAlpha) {
        skinui::ClearColor(m_pixels, clrTransparent);
        DropCaches();
    }
    return old;
}

BOOL CBCGPToolBarImages::Load(UINT uiResID, HINSTANCE hinstRes, BOOL bAdd)
{
    return Load(MAKEINTRESOURCEW(uiResID), hinstRes, bAdd);
}

BOOL CBCGPToolBarImages::Load(LPCTSTR lpszResourceName, HINSTANCE hinstRes, BOOL bAdd)
{
    HINSTANCE module = hinstRes ? hinstRes : appframe::FindResourceModule(lpszResourceName, L"PNG");
    if (HRSRC res = module ? ::FindResourceW(module, lpszResourceName, L"PNG") : nullptr) {
        HGLOBAL mem = ::LoadResource(module, res);
        const void* data = mem ? ::LockResource(mem) : nullptr;
        return data && LoadFromMemory(data, ::SizeofResource(module, res), bAdd);
    }
    module = hinstRes ? hinstRes : appframe::FindResourceModule(lpszResourceName, RT_BITMAP);
    if (!module)
        return FALSE;
    CBitmap bmp;
    if (!bmp.Attach(::LoadImageW(module, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
        return FALSE;
    return AddImage(bmp, FALSE) >= 0;
}

BOOL CBCGPToolBarImages::LoadFromFile(LPCTSTR lpszPath, BOOL bAdd)
{
    std::ifstream in(lpszPath, std::ios::binary);
    if (!in)
        return FALSE;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    // A strip file is never near this; refuse rather than allocate for a hostile one.
    if (size <= 8 || size > 256LL * 1024 * 1024)
        return FALSE;
    std::vector<char> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(bytes.data(), size))
        return FALSE;
    return LoadFromMemory(bytes.data(), bytes.size(), bAdd);
}

BOOL CBCGPToolBarImages::LoadFromMemory(const void* pData, size_t nSize, BOOL bAdd)
{
    static const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto* bytes = static_cast<const unsigned char*>(pData);
    if (!pData || nSize < sizeof(kPngSignature))
        return FALSE;
    if (std::memcmp(bytes, kPngSignature, sizeof(kPngSignature)) == 0) {
        Pixels px;
        return skinui::DecodePng(pData, nSize, px) && Append(std::move(px), bAdd, TRUE);
    }
    // A BMP file: the file header, then a packed DIB.
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER bih;
    if (nSize < sizeof(fh) + sizeof(bih) || bytes[0] != 'B' || bytes[1] != 'M')
        return FALSE;
    std::memcpy(&fh, bytes, sizeof(fh));
    std::memcpy(&bih, bytes + sizeof(fh), sizeof(bih));
    const int64_t height = std::abs(static_cast<int64_t>(bih.biHeight));
    static const WORD kDepths[] = {1, 4, 8, 16, 24, 32};
    if (bih.biSize < sizeof(bih) || bih.biPlanes != 1 || std::find(std::begin(kDepths), std::end(kDepths), bih.biBitCount) == std::end(kDepths) ||
        (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS) || !skinui::SizeOk(bih.biWidth, height) ||
        (bih.biBitCount <= 8 && bih.biClrUsed > (1u << bih.biBitCount)))
        return FALSE;
    // The header with its colour masks and palette, and every row, must lie inside the file.
    const int64_t masks = bih.biCompression == BI_BITFIELDS && bih.biSize == sizeof(bih) ? 12 : 0;
    const int64_t colors = bih.biClrUsed ? bih.biClrUsed : bih.biBitCount <= 8 ? (1 << bih.biBitCount) : 0;
    const int64_t infoSize = bih.biSize + masks + colors * 4;
    const int64_t stride = ((static_cast<int64_t>(bih.biWidth) * bih.biBitCount + 31) / 32) * 4;
    if (static_cast<int64_t>(sizeof(fh)) + infoSize > fh.bfOffBits || fh.bfOffBits + stride * height > static_cast<int64_t>(nSize))
        return FALSE;
    // An aligned copy of the header and palette for the system.
    std::vector<uint8_t> infoCopy(static_cast<size_t>(infoSize));
    std::memcpy(infoCopy.data(), bytes + sizeof(fh), infoCopy.size());
    const auto* info = reinterpret_cast<const BITMAPINFO*>(infoCopy.data());
    const win32::ScreenDc screen(::GetDC(nullptr));
    CBitmap bmp;
    bmp.Attach(::CreateDIBitmap(screen.Get(), &info->bmiHeader, CBM_INIT, bytes + fh.bfOffBits, info, DIB_RGB_COLORS));
    return bmp.GetSafeHandle() && AddImage(bmp, FALSE) >= 0 ? TRUE : FALSE;
}

int CBCGPToolBarImages::AddImage(HBITMAP hbmp, BOOL bSetImageSize)
{
    Pixels px;
    bool hadAlpha = false;
    if (!skinui::PixelsFromBitmap(hbmp, m_clrTransparent, px, &hadAlpha))
        return -1;
    if (bSetImageSize)
        m_sizeImage = CSize(px.width, px.height);
    const int first = GetCount();
    return Append(std::move(px), TRUE, hadAlpha) ? first : -1;
}

BOOL CBCGPToolBarImages::Append(Pixels&& pixels, BOOL bAdd, BOOL bHadAlpha)
{
    if (pixels.Empty())
        return FALSE;
    if (!bAdd || !IsValid()) {
        m_pixels = std::move(pixels);
        m_bHadAlpha = bHadAlpha;
        if (m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0)
            m_sizeImage = CSize(m_pixels.width, m_pixels.height);
        DropCaches();
        return TRUE;
    }
    if (pixels.height != m_pixels.height || !skinui::SizeOk(static_cast<int64_t>(m_pixels.width) + pixels.width, pixels.height))
        return FALSE;
    Pixels joined;
    joined.width = m_pixels.width + pixels.width;
    joined.height = m_pixels.height;
    joined.data.resize(static_cast<size_t>(joined.width) * joined.height);
    for (int y = 0; y < joined.height; ++y) {
        std::copy_n(&m_pixels.data[static_cast<size_t>(y) * m_pixels.width], m_pixels.width,
                    &joined.data[static_cast<size_t>(y) * joined.width]);
        std::copy_n(&pixels.data[static_cast<size_t>(y) * pixels.width], pixels.width,
                    &joined.data[static_cast<size_t>(y) * joined.width + m_pixels.width]);
    }
    m_pixels = std::move(joined);
    m_bHadAlpha = m_bHadAlpha || bHadAlpha;
    DropCaches();
    return TRUE;
}

BOOL CBCGPToolBarImages::LoadPixels(Pixels&& pixels)
{
    if (pixels.Empty() || !skinui::SizeOk(pixels.width, pixels.height) ||
        pixels.data.size() != static_cast<size_t>(pixels.width) * pixels.height)
        return FALSE;
    m_sizeImage = CSize(pixels.width, pixels.height);
    return Append(std::move(pixels), FALSE, TRUE);
}

void CBCGPToolBarImages::SetSingleImage()
{
    if (IsValid())
        m_sizeImage = CSize(m_pixels.width, m_pixels.height);
}

void CBCGPToolBarImages::Clear()
{
    m_pixels = Pixels();
    m_bHadAlpha = FALSE;
    m_dblScale = 1.0;
    DropCaches();
}

int CBCGPToolBarImages::GetCount() const
{
    if (!IsValid() || m_sizeImage.cx <= 0 || m_sizeImage.cy > m_pixels.height)
        return 0;
    return m_pixels.width / m_sizeImage.cx;
}

BOOL CBCGPToolBarImages::SmoothResize(double dblImageScale)
{
    if (!(dblImageScale > 0) || !IsValid())
        return FALSE;
    if (dblImageScale == 1.0)
        return TRUE;
    const int count = GetCount();
    if (count == 0)
        return FALSE;
    const int cx = std::max(1, static_cast<int>(std::lround(m_sizeImage.cx * dblImageScale)));
    const int cy = std::max(1, static_cast<int>(std::lround(m_sizeImage.cy * dblImageScale)));
    if (!skinui::SizeOk(static_cast<int64_t>(cx) * count, cy))
        return FALSE;
    Pixels scaled;
    scaled.width = cx * count;
    scaled.height = cy;
    scaled.data.assign(static_cast<size_t>(scaled.width) * cy, 0);
    // Each image on its own, so that neighbours do not bleed into one another's edges.
    for (int i = 0; i < count; ++i)
        skinui::Resample(m_pixels, i * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy, scaled, i * cx, 0, cx, cy);
    m_pixels = std::move(scaled);
    m_sizeImage = CSize(cx, cy);
    m_dblScale *= dblImageScale;
    DropCaches();
    return TRUE;
}

CRect CBCGPToolBarImages::ImageRect(int iImage) const
{
    return CRect(CPoint(iImage * m_sizeImage.cx, 0), m_sizeImage);
}

void CBCGPToolBarImages::DropCaches()
{
    m_bmpNormal.DeleteObject();
    m_bmpDisabled.DeleteObject();
}

HBITMAP CBCGPToolBarImages::Bitmap(bool disabled) const
{
    CBitmap& bmp = disabled ? m_bmpDisabled : m_bmpNormal;
    if (!bmp.GetSafeHandle() && IsValid())
        bmp.Attach(skinui::DibOf(m_pixels, disabled ? &skinui::DisabledPixel : nullptr));
    return static_cast<HBITMAP>(bmp.GetSafeHandle());
}

BOOL CBCGPToolBarImages::Draw(CDC* pDC, int x, int y, int iImage, BOOL /*bHilite*/, BOOL bDisabled, BYTE alphaSrc) const
{
    return DrawEx(pDC, CRect(CPoint(x, y), m_sizeImage), iImage, CRect(0, 0, 0, 0), bDisabled, alphaSrc);
}

BOOL CBCGPToolBarImages::DrawEx(CDC* pDC, CRect rect, int iImage, CRect rectSrc, BOOL bDisabled, BYTE alphaSrc) const
{
    if (!pDC || !pDC->GetSafeHdc() || iImage < 0 || iImage >= GetCount() || rect.IsRectEmpty())
        return FALSE;
    CRect src = ImageRect(iImage);
    if (!rectSrc.IsRectEmpty()) {
        rectSrc.OffsetRect(src.left, 0);
        src.IntersectRect(src, rectSrc);
        if (src.IsRectEmpty())
            return FALSE;
    }
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alphaSrc, AC_SRC_ALPHA};
    if (src.Size() == rect.Size()) {
        HBITMAP bmp = Bitmap(bDisabled != FALSE);
        const win32::MemoryDc mem(::CreateCompatibleDC(pDC->GetSafeHdc()));
        const win32::ScopedSelect selected(mem.Get(), bmp);
        return bmp && ::AlphaBlend(pDC->GetSafeHdc(), rect.left, rect.top, rect.Width(), rect.Height(), mem.Get(), src.left,
                                   src.top, src.Width(), src.Height(), blend);
    }
    // Stretched: resample smoothly here, as the system's stretching only picks pixels.
    if (!skinui::SizeOk(rect.Width(), rect.Height()))
        return FALSE;
    Pixels scaled;
    scaled.width = rect.Width();
    scaled.height = rect.Height();
    scaled.data.assign(static_cast<size_t>(scaled.width) * scaled.height, 0);
    skinui::Resample(m_pixels, src.left, src.top, src.Width(), src.Height(), scaled, 0, 0, scaled.width, scaled.height);
    CBitmap bmp;
    bmp.Attach(skinui::DibOf(scaled, bDisabled ? &skinui::DisabledPixel : nullptr));
    const win32::MemoryDc mem(::CreateCompatibleDC(pDC->GetSafeHdc()));
    const win32::ScopedSelect selected(mem.Get(), bmp);
    return bmp.GetSafeHandle() && ::AlphaBlend(pDC->GetSafeHdc(), rect.left, rect.top, rect.Width(), rect.Height(), mem.Get(),
                                               0, 0, rect.Width(), rect.Height(), blend);
}

HICON CBCGPToolBarImages::ExtractIcon(int iImage) const
{
    if (iImage < 0 || iImage >= GetCount())
        return nullptr;
    const CRect r = ImageRect(iImage);
    Pixels one;
    one.width = r.Width();
    one.height = r.Height();
    one.data.resize(static_cast<size_t>(one.width) * one.height);
    for (int y = 0; y < one.height; ++y)
        for (int x = 0; x < one.width; ++x) {
            // Icons take straight alpha.
            const uint32_t p = m_pixels.At(r.left + x, y);
            const int a = static_cast<int>(p >> 24);
            auto un = [a](int c) { return a ? std::min(255, (c * 255 + a / 2) / a) : 0; };
            one.data[static_cast<size_t>(y) * one.width + x] =
                skinui::Pack(a, un(skinui::R(p)), un(skinui::G(p)), un(skinui::B(p)));
        }
    CBitmap color, mask;
    color.Attach(skinui::DibOf(one, nullptr));
    mask.CreateBitmap(one.width, one.height, 1, 1, nullptr);
    ICONINFO ii = {TRUE, 0, 0, static_cast<HBITMAP>(mask.GetSafeHandle()), static_cast<HBITMAP>(color.GetSafeHandle())};
    return ::CreateIconIndirect(&ii);
}

HBITMAP CBCGPToolBarImages::CopyBitmap() const
{
    return IsValid() ? skinui::DibOf(m_pixels, nullptr) : nullptr;
}
