#pragma once
// CBCGPImage: one picture for the graphics manager and image brushes, from a PNG or bitmap
// resource, a file or a bitmap handle (copied).
#include <memory>
#include "AppFrame.h"
#include "SkinUIDef.h"
#include "ToolBarImages.h"

class SKINUI_API CBCGPImage {
public:
    CBCGPImage() = default;
    explicit CBCGPImage(UINT uiResID, HINSTANCE hinstRes = nullptr);
    explicit CBCGPImage(const CString& strPath);
    explicit CBCGPImage(HBITMAP hbmp);
    CBCGPImage(const CBCGPImage& other);
    CBCGPImage& operator=(const CBCGPImage& other);

    BOOL IsEmpty() const { return !m_images || !m_images->IsValid(); }
    CSize GetSize() const { return IsEmpty() ? CSize(0, 0) : m_images->GetImageSize(); }
    void Clear() { m_images.reset(); }
    // Draws the picture stretched into rect at the opacity (0..1).
    BOOL Draw(CDC* pDC, const CRect& rect, double opacity = 1.0) const;
    const CBCGPToolBarImages* GetImages() const { return m_images.get(); }
    // Resamples the picture to the size (smoothly); FALSE, and the picture unchanged, for an
    // empty picture or size.
    BOOL Resize(const CSize& size);
    // Moves every pixel's colour toward clr by opacity (0..1), keeping its transparency.
    BOOL Colorize(COLORREF clr, double opacity);

private:
    // Pictures are shared between copies: they are never changed once loaded.
    std::shared_ptr<CBCGPToolBarImages> m_images;
};
