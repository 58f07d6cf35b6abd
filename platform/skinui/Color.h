#pragma once
// CBCGPColor: a colour of four doubles 0..1 (red, green, blue, opacity), as the drawing
// classes take it; CBCGPBrush: a solid or gradient fill of such colours.
#include "AppFrame.h"
#include "Image.h"
#include "SkinUIDef.h"

class SKINUI_API CBCGPColor {
public:
    CBCGPColor() = default;
    CBCGPColor(double red, double green, double blue, double alpha = 1.0) : r(red), g(green), b(blue), a(alpha) {}
    CBCGPColor(COLORREF color, double alpha = 1.0);
    double r = 0, g = 0, b = 0, a = 1.0;

    operator COLORREF() const;
    BOOL IsNull() const { return a <= 0.0; }
    void SetOpacity(double alpha) { a = alpha; }
    // Moves each channel toward white (lighter) or black (darker) by the fraction.
    void MakeLighter(double dblRatio = 0.1);
    void MakeDarker(double dblRatio = 0.1);
    void MakePale(double dblLum = 0.97);
    // The standard palette offered by colour pickers; returns its count and fills the array
    // when given one (up to nSize entries).
    static int GetRGBArray(COLORREF* pColors, int nSize);
    static const COLORREF* GetRGBArray(int& nCount);
};

class SKINUI_API CBCGPBrush {
public:
    enum BCGP_GRADIENT_TYPE { BCGP_NO_GRADIENT = 0, BCGP_GRADIENT_HORIZONTAL = 1, BCGP_GRADIENT_VERTICAL = 2,
                              BCGP_GRADIENT_DIAGONAL_LEFT = 3, BCGP_GRADIENT_DIAGONAL_RIGHT = 4,
                              BCGP_GRADIENT_CENTER_HORIZONTAL = 5, BCGP_GRADIENT_CENTER_VERTICAL = 6,
                              BCGP_GRADIENT_RADIAL_TOP = 15 };
    CBCGPBrush() = default;
    explicit CBCGPBrush(const CBCGPColor& color, double opacity = 1.0) { SetColor(color, opacity); }
    CBCGPBrush(const CBCGPColor& color1, const CBCGPColor& color2, BCGP_GRADIENT_TYPE type, double opacity = 1.0)
    {
        SetColors(color1, color2, type, opacity);
    }
    // A picture over a solid colour: stretched over the filled rectangle (bStretch), or tiled.
    CBCGPBrush(const CBCGPImage& image, const CBCGPColor& color, BOOL bStretch = TRUE) { SetTextureImage(image, bStretch); m_color = color; }
    void SetTextureImage(const CBCGPImage& image, BOOL bStretch = TRUE) { m_image = image; m_bStretch = bStretch; }
    const CBCGPImage& GetTextureImage() const { return m_image; }
    void SetColor(const CBCGPColor& color, double opacity = 1.0);
    void SetColors(const CBCGPColor& color1, const CBCGPColor& color2, BCGP_GRADIENT_TYPE type, double opacity = 1.0);
    const CBCGPColor& GetColor() const { return m_color; }
    const CBCGPColor& GetGradientColor() const { return m_colorGradient; }
    BCGP_GRADIENT_TYPE GetGradientType() const { return m_type; }
    double GetOpacity() const { return m_opacity; }
    BOOL IsEmpty() const { return m_color.IsNull() && m_type == BCGP_NO_GRADIENT && m_image.IsEmpty(); }
    // Fills the rectangle on a GDI device with the brush.
    void Fill(CDC* pDC, const CRect& rect) const;

private:
    CBCGPColor m_color{0, 0, 0, 0};
    CBCGPColor m_colorGradient{0, 0, 0, 0};
    BCGP_GRADIENT_TYPE m_type = BCGP_NO_GRADIENT;
    double m_opacity = 1.0;
    CBCGPImage m_image;
    BOOL m_bStretch = TRUE;
};
