#pragma once
// CKQMemDC: a memory device context compatible with the screen, holding a top-down DIB
// section of 24 or 32 bits a pixel that can take raw pixels and be saved as a BMP file.
#include "AppFrame.h"
#include "FileIO.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQMemDC : public CDC {
    DECLARE_DYNAMIC(CKQMemDC)
public:
    CKQMemDC();
    ~CKQMemDC() override;

    // A new DIB section of the size (rows top-down) in place of the one held; false for a
    // depth other than 24 or 32, an empty size, or when none could be made.
    bool AdjustGDIBitmap(int width, int height, int bitsPerPixel);
    CBitmap* GetBitmap() const;
    // Copies packed rows (width x bytes a pixel each, no padding) into the DIB's rows, in
    // the same order or, with flip, the source's last row first. A null source does nothing.
    void CopyData(const void* source, bool flip);
    // A bottom-up BMP of the pixels, written beside the target and then put in its place;
    // false, with nothing left behind and an older file as it was, when any step fails.
    bool SaveToFile(const wchar_t* path);
    // The same through the given file system.
    bool SaveToFile(const wchar_t* path, CFileIO& io);

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetBitsPerPixel() const { return m_nBitsPerPixel; }
    // The DIB's row length in bytes: rounded up to 4.
    int GetStride() const;
    BYTE* GetBits() const { return m_pBits; }

private:
    void FreeBitmap();

    int m_nWidth = 0, m_nHeight = 0, m_nBitsPerPixel = 0;
    HBITMAP m_hBitmap = nullptr;
    BYTE* m_pBits = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};
