#pragma once
// CBCGPToolBarImages: a strip of equal images (tool-bar buttons, pane icons, logos) held as
// 32-bit premultiplied pixels. Loads PNG and bitmap strips from resources or files; a bitmap
// without alpha gets its transparency from a transparent colour. Draws normal, hot or disabled
// (grey and faded), whole or stretched, and can be resampled smoothly for the screen's scale.
// The pixel arithmetic is in free functions (skinui::) so that it can be checked without a device.
#include <cstdint>
#include <vector>
#include "AppFrame.h"
#include "SkinUIDef.h"

namespace skinui {
// One premultiplied BGRA picture, rows top-down.
struct SKINUI_API Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> data;
    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};
// Premultiplied BGRA of a straight colour and alpha.
SKINUI_API uint32_t Premultiply(BYTE r, BYTE g, BYTE b, BYTE a);
// Decodes a PNG held in memory; false for a damaged or oversized file.
SKINUI_API bool DecodePng(const void* data, size_t size, Pixels& out);
// Pixels of a bitmap (any depth). Without alpha in the bitmap, pixels of clrTransparent (not
// -1) become clear and the rest opaque; pHasAlpha tells which it was.
SKINUI_API bool PixelsFromBitmap(HBITMAP hbmp, COLORREF clrTransparent, Pixels& out, bool* pHasAlpha = nullptr);
// Makes every pixel of the colour clear (for bitmaps whose alpha was all opaque).
SKINUI_API void ClearColor(Pixels& pixels, COLORREF clrTransparent);
// Resamples the cell of src (x, y, w, h) to dw x dh: area averaging when shrinking, bilinear
// when growing, in premultiplied space so that clear pixels do not darken the edges.
SKINUI_API void Resample(const Pixels& src, int x, int y, int w, int h, Pixels& dst, int dx, int dy, int dw, int dh);
// The disabled form of a pixel: its grey, lightened and at 40 % of its opacity.
SKINUI_API uint32_t DisabledPixel(uint32_t premultiplied);
} // namespace skinui

class SKINUI_API CBCGPToolBarImages : public CObject {
    DECLARE_DYNAMIC(CBCGPToolBarImages)
public:
    CBCGPToolBarImages();
    ~CBCGPToolBarImages() override;
    CBCGPToolBarImages(const CBCGPToolBarImages&) = delete;
    CBCGPToolBarImages& operator=(const CBCGPToolBarImages&) = delete;

    // The size of one image; set before Load. Without it, Load makes one image of the whole
    // picture. bDontScale is kept for callers that pass it; images are never scaled by it.
    void SetImageSize(SIZE sizeImage, BOOL bDontScale = FALSE);
    CSize GetImageSize() const { return m_sizeImage; }
    // Colour that is clear in bitmaps without alpha (-1: none); applied to what is loaded
    // after, and to what is loaded already when it had no alpha.
    COLORREF SetTransparentColor(COLORREF clrTransparent);
    COLORREF GetTransparentColor() const { return m_clrTransparent; }

    // From a resource of the module (the process's resources when null): a "PNG" resource of the
    // id, else a bitmap. bAdd appends the images to those held (their height must match).
    BOOL Load(UINT uiResID, HINSTANCE hinstRes = nullptr, BOOL bAdd = FALSE);
    BOOL Load(LPCTSTR lpszResourceName, HINSTANCE hinstRes = nullptr, BOOL bAdd = FALSE);
    // From a PNG or BMP file.
    BOOL LoadFromFile(LPCTSTR lpszPath, BOOL bAdd = FALSE);
    BOOL LoadFromMemory(const void* pData, size_t nSize, BOOL bAdd = FALSE);
    // Takes premultiplied pixels as one image.
    BOOL LoadPixels(skinui::Pixels&& pixels);
    // Appends the images of a bitmap (copied; the caller keeps it); returns the first new index.
    int AddImage(HBITMAP hbmp, BOOL bSetImageSize = FALSE);
    // Makes everything held one image.
    void SetSingleImage();
    void Clear();

    BOOL IsValid() const { return !m_pixels.Empty(); }
    int GetCount() const;
    CSize GetBitmapSize() const { return CSize(m_pixels.width, m_pixels.height); }
    const skinui::Pixels& GetPixels() const { return m_pixels; }
    // Scales every image by the factor with smooth resampling (1.0 leaves them).
    BOOL SmoothResize(double dblImageScale);
    double GetScale() const { return m_dblScale; }

    // Draws image iImage with its top-left at (x, y). Hot images are drawn as they are (a hot
    // strip of their own, when a bar has one, is a second CBCGPToolBarImages); disabled ones
    // grey and faded. alphaSrc fades the whole image.
    BOOL Draw(CDC* pDC, int x, int y, int iImage, BOOL bHilite = FALSE, BOOL bDisabled = FALSE, BYTE alphaSrc = 255) const;
    // Draws image iImage, or the part rectSrc of it (in image coordinates) when not empty,
    // stretched into rect.
    BOOL DrawEx(CDC* pDC, CRect rect, int iImage, CRect rectSrc = CRect(0, 0, 0, 0), BOOL bDisabled = FALSE,
                BYTE alphaSrc = 255) const;
    // A copy of one image as an icon (the caller destroys it), or null.
    HICON ExtractIcon(int iImage) const;
    // The whole strip as a new 32-bit top-down DIB section the caller owns.
    HBITMAP CopyBitmap() const;

private:
    BOOL Append(skinui::Pixels&& pixels, BOOL bAdd, BOOL bHadAlpha);
    HBITMAP Bitmap(bool disabled) const;
    void DropCaches();
    CRect ImageRect(int iImage) const;

    skinui::Pixels m_pixels;
    CSize m_sizeImage{0, 0};
    COLORREF m_clrTransparent = static_cast<COLORREF>(-1);
    BOOL m_bHadAlpha = FALSE;
    double m_dblScale = 1.0;
    // DIB sections made from m_pixels for drawing; remade after each change.
    mutable CBitmap m_bmpNormal, m_bmpDisabled;
};
