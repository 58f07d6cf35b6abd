#include "KQMemDC.h"
#include <cstdint>
#include <cstring>
#include "LocalFileIO.h"
#include "Win32Owners.h"

namespace {

// The BMP's headers and rows of the pixels; false as soon as a write falls short.
bool WriteBitmapFile(CFileIO& io, HANDLE file, const BYTE* bits, int width, int height, int bitsPerPixel, uint32_t stride)
{
    const uint64_t image = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
    const uint64_t total = image + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    if (total > 0xFFFFFFFFull)
        return false;   // the file header holds the size in 32 bits
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;   // "BM"
    fh.bfSize = static_cast<DWORD>(total);
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(BITMAPINFOHEADER);
    ih.biWidth = width;
    ih.biHeight = height;   // positive: the file's rows run bottom-up
    ih.biPlanes = 1;
    ih.biBitCount = static_cast<WORD>(bitsPerPixel);
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(image);
    auto put = [&](const void* data, DWORD count) { return io.Write(file, data, count) == count; };
    if (!put(&fh, sizeof fh) || !put(&ih, sizeof ih))
        return false;
    // The DIB's rows run top-down with the same padded length as the file's.
    for (int y = height - 1; y >= 0; --y)
        if (!put(bits + static_cast<size_t>(y) * stride, stride))
            return false;
    return true;
}

} // namespace

IMPLEMENT_DYNAMIC(CKQMemDC, CDC)

CKQMemDC::CKQMemDC()
{
    Attach(::CreateCompatibleDC(nullptr));
}

CKQMemDC::~CKQMemDC()
{
    FreeBitmap();
    DeleteDC();
}

void CKQMemDC::FreeBitmap()
{
    if (m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hOldBitmap = nullptr;
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = m_nBitsPerPixel = 0;
}

int CKQMemDC::GetStride() const
{
    // Only sizes that a DIB section was made for get here, so the result fits.
    return static_cast<int>(((static_cast<int64_t>(m_nWidth) * m_nBitsPerPixel + 31) / 32) * 4);
}

bool CKQMemDC::AdjustGDIBitmap(int width, int height, int bitsPerPixel)
{
    FreeBitmap();
    if (!m_hDC || width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32))
        return false;
    BITMAPINFO bi = win32::TopDownBitmapInfo(width, height, static_cast<WORD>(bitsPerPixel));
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap)
            ::DeleteObject(bitmap);
        return false;
    }
    m_hBitmap = bitmap;
    m_pBits = static_cast<BYTE*>(bits);
    m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    m_nWidth = width;
    m_nHeight = height;
    m_nBitsPerPixel = bitsPerPixel;
    return true;
}

CBitmap* CKQMemDC::GetBitmap() const
{
    return m_hBitmap ? CBitmap::FromHandle(m_hBitmap) : nullptr;
}

void CKQMemDC::CopyData(const void* source, bool flip)
{
    if (!source || !m_pBits)
        return;
    ::GdiFlush();
    const size_t row = static_cast<size_t>(m_nWidth) * (m_nBitsPerPixel / 8), stride = static_cast<size_t>(GetStride());
    const auto* src = static_cast<const BYTE*>(source);
    for (int y = 0; y < m_nHeight; ++y) {
        const int from = flip ? m_nHeight - 1 - y : y;
        std::memcpy(m_pBits + y * stride, src + static_cast<size_t>(from) * row, row);
    }
}

bool CKQMemDC::SaveToFile(const wchar_t* path)
{
    return SaveToFile(path, GetLocalFileIO());
}

bool CKQMemDC::SaveToFile(const wchar_t* path, CFileIO& io)
{
    if (!path || !*path || !m_pBits)
        return false;
    // Drawing may still be queued: the bits must hold it before they are read.
    ::GdiFlush();
    const ALT::TString<wchar_t, 0, 8> temp = io.TempNameBeside(path);
    HANDLE file = INVALID_HANDLE_VALUE;
    if (!io.Create(temp.GetString(), file, FILEIO_SHARE_READ))
        return false;
    bool ok = WriteBitmapFile(io, file, m_pBits, m_nWidth, m_nHeight, m_nBitsPerPixel, static_cast<uint32_t>(GetStride()));
    if (ok)
        io.Flush(file);
    ok = io.Close(file) && ok;
    ok = ok && io.Replace(temp.GetString(), path);
    if (!ok)
        io.Delete(temp.GetString());
    return ok;
}
