#pragma once
// CBCGPControlRenderer: draws a frame from a nine-part image (corners drawn as they are, sides
// and interior stretched), for bars and mini frames that carry their own frame picture. The
// image may hold several states side by side or one above the other; Draw picks one by index.
#include "AppFrame.h"
#include "SkinUIDef.h"
#include "ToolBarImages.h"

struct SKINUI_API CBCGPControlRendererParams {
    CBCGPControlRendererParams() = default;
    CBCGPControlRendererParams(UINT uiBmpResID, const CRect& rtImage, const CRect& rtCorners,
                               const CRect& rtSides = CRect(0, 0, 0, 0), const CRect& rtInner = CRect(0, 0, 0, 0))
        : m_uiBmpResID(uiBmpResID), m_rectImage(rtImage), m_rectCorners(rtCorners), m_rectSides(rtSides), m_rectInter(rtInner)
    {
    }
    UINT m_uiBmpResID = 0;
    // The first state's part of the picture; states follow it down the picture.
    CRect m_rectImage;
    // Widths of the corners: left, top, right, bottom.
    CRect m_rectCorners;
    // Widths of the sides when they differ from the corners' (zero: the corners').
    CRect m_rectSides;
    // The part of the state that is the interior (empty: inside the sides).
    CRect m_rectInter;
    COLORREF m_clrTransparent = static_cast<COLORREF>(-1);
    BOOL m_bPreMultiplyCheck = TRUE;
};

class SKINUI_API CBCGPControlRenderer : public CObject {
    DECLARE_DYNCREATE(CBCGPControlRenderer)
public:
    CBCGPControlRenderer() = default;
    // Keeps the parameters and loads the picture when it has one (a renderer without one keeps
    // its margins for the caller's layout and draws nothing). FALSE only when a picture named
    // could not be loaded.
    virtual BOOL Create(const CBCGPControlRendererParams& params, BOOL bFlipvert = FALSE);
    // The same from a picture the caller has (copied).
    BOOL Create(const CBCGPControlRendererParams& params, HBITMAP hbmp);
    void CleanUp();
    BOOL IsValid() const { return m_images.IsValid(); }
    const CBCGPControlRendererParams& GetParams() const { return m_params; }
    // The number of states the picture holds.
    int GetImageCount() const;

    // Frame and interior.
    virtual void Draw(CDC* pDC, CRect rect, UINT index = 0, BYTE alphaSrc = 255);
    // Only the corners and sides.
    virtual void DrawFrame(CDC* pDC, CRect rect, UINT index = 0, BYTE alphaSrc = 255);
    // Only the interior, stretched into rect.
    virtual void FillInterior(CDC* pDC, CRect rect, UINT index = 0, BYTE alphaSrc = 255);

private:
    CRect StateRect(UINT index) const;
    void DrawParts(CDC* pDC, CRect rect, UINT index, BYTE alphaSrc, bool frame, bool interior);

    CBCGPControlRendererParams m_params;
    CBCGPToolBarImages m_images;
};
