#pragma once
// CBCGPGraphicsManager: device-independent drawing calls (fills and outlines with CBCGPBrush,
// text with CBCGPTextFormat, pictures with CBCGPImage) carried out on a GDI device context
// bound to it. Curves, lines and translucent fills go through GDI+ for antialiasing and opacity.
#include "AppFrame.h"
#include "Color.h"
#include "Image.h"
#include "SkinUIDef.h"
#include "TextFormat.h"

class SKINUI_API CBCGPGraphicsManager {
public:
    CBCGPGraphicsManager() = default;
    explicit CBCGPGraphicsManager(CDC* pDC) { BindDCRenderTarget(pDC); }
    CBCGPGraphicsManager(const CBCGPGraphicsManager&) = delete;
    CBCGPGraphicsManager& operator=(const CBCGPGraphicsManager&) = delete;

    // Draws on the device from now on (borrowed; null unbinds).
    void BindDCRenderTarget(CDC* pDC) { m_pDC = pDC; }
    CDC* GetDC() const { return m_pDC; }
    BOOL IsValid() const { return m_pDC && m_pDC->GetSafeHdc(); }

    void FillRectangle(const CRect& rect, const CBCGPBrush& brush);
    void DrawRectangle(const CRect& rect, const CBCGPBrush& brush, double lineWidth = 1.0);
    void FillRoundedRectangle(const CRect& rect, double radius, const CBCGPBrush& brush);
    void DrawRoundedRectangle(const CRect& rect, double radius, const CBCGPBrush& brush, double lineWidth = 1.0);
    void FillEllipse(const CRect& rect, const CBCGPBrush& brush);
    void DrawEllipse(const CRect& rect, const CBCGPBrush& brush, double lineWidth = 1.0);
    void DrawLine(const CPoint& pt1, const CPoint& pt2, const CBCGPBrush& brush, double lineWidth = 1.0);
    void DrawText(const CString& text, const CRect& rect, const CBCGPTextFormat& format, const CBCGPBrush& brush);
    // The size the text takes (wrapped at width when the format wraps and width > 0).
    CSize GetTextSize(const CString& text, const CBCGPTextFormat& format, int width = 0);
    // The picture at its own size (sizeDest empty) or stretched, at the opacity (0..1).
    void DrawImage(const CBCGPImage& image, const CPoint& ptDest, const CSize& sizeDest = CSize(0, 0), double opacity = 1.0);

private:
    enum class ShapeKind { Rect, Round, Ellipse };
    void DrawShape(ShapeKind shape, const CRect& rect, double radius, const CBCGPBrush& brush, double lineWidth, bool fill);
    CDC* m_pDC = nullptr;
};
