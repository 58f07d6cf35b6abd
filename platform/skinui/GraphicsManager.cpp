#include "GraphicsManager.h"
#include <algorithm>
#include <cmath>
#include <gdiplus.h>

namespace {
Gdiplus::Color ToGdiplus(const CBCGPColor& c, double opacity)
{
    auto ch = [](double v) { return static_cast<BYTE>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return Gdiplus::Color(ch(c.a * opacity), ch(c.r), ch(c.g), ch(c.b));
}

// The brush as GDI+ sees it over the rectangle: solid, or a linear gradient along its axis.
std::unique_ptr<Gdiplus::Brush> MakeBrush(const CBCGPBrush& brush, const CRect& rect)
{
    const double op = brush.GetOpacity();
    if (brush.GetGradientType() == CBCGPBrush::BCGP_NO_GRADIENT)
        return std::make_unique<Gdiplus::SolidBrush>(ToGdiplus(brush.GetColor(), op));
    const Gdiplus::Rect r(rect.left, rect.top, std::max(1, rect.Width()), std::max(1, rect.Height()));
    Gdiplus::LinearGradientMode mode = Gdiplus::LinearGradientModeVertical;
    switch (brush.GetGradientType()) {
    case CBCGPBrush::BCGP_GRADIENT_HORIZONTAL:
    case CBCGPBrush::BCGP_GRADIENT_CENTER_HORIZONTAL:
        mode = Gdiplus::LinearGradientModeHorizontal;
        break;
    case CBCGPBrush::BCGP_GRADIENT_DIAGONAL_LEFT:
        mode = Gdiplus::LinearGradientModeForwardDiagonal;
        break;
    case CBCGPBrush::BCGP_GRADIENT_DIAGONAL_RIGHT:
        mode = Gdiplus::LinearGradientModeBackwardDiagonal;
        break;
    default:
        break;
    }
    return std::make_unique<Gdiplus::LinearGradientBrush>(r, ToGdiplus(brush.GetColor(), op),
                                                          ToGdiplus(brush.GetGradientColor(), op), mode);
}

// GDI+ is started once for the process, on first use.
bool StartGdiplus()
{
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

void RoundRectPath(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& r, float radius)
{
    const float d = std::min({radius * 2, r.Width, r.Height});
    if (d <= 0) {
        path.AddRectangle(r);
        return;
    }
    path.AddArc(r.X, r.Y, d, d, 180, 90);
    path.AddArc(r.X + r.Width - d, r.Y, d, d, 270, 90);
    path.AddArc(r.X + r.Width - d, r.Y + r.Height - d, d, d, 0, 90);
    path.AddArc(r.X, r.Y + r.Height - d, d, d, 90, 90);
    path.CloseFigure();
}
} // namespace

void CBCGPGraphicsManager::DrawShape(ShapeKind shape, const CRect& rect, double radius, const CBCGPBrush& brush, double lineWidth,
                                 bool fill)
{
    if (!IsValid() || brush.IsEmpty() || rect.IsRectEmpty() || !StartGdiplus())
        return;
    // Plain opaque rectangles stay in GDI, exact to the pixel.
    if (shape == ShapeKind::Rect && fill && brush.GetOpacity() >= 1.0 && brush.GetColor().a >= 1.0) {
        brush.Fill(m_pDC, rect);
        return;
    }
    Gdiplus::Graphics g(m_pDC->GetSafeHdc());
    g.SetSmoothingMode(shape == ShapeKind::Rect ? Gdiplus::SmoothingModeNone : Gdiplus::SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    auto gb = MakeBrush(brush, rect);
    // Outlines lie inside the rectangle, as the filled shape does.
    const float inset = fill ? 0.0f : static_cast<float>(lineWidth / 2);
    const Gdiplus::RectF r(rect.left + inset, rect.top + inset, rect.Width() - 2 * inset, rect.Height() - 2 * inset);
    Gdiplus::Pen pen(gb.get(), static_cast<Gdiplus::REAL>(lineWidth));
    switch (shape) {
    case ShapeKind::Rect:
        fill ? g.FillRectangle(gb.get(), r) : g.DrawRectangle(&pen, r);
        break;
    case ShapeKind::Ellipse:
        fill ? g.FillEllipse(gb.get(), r) : g.DrawEllipse(&pen, r);
        break;
    case ShapeKind::Round: {
        Gdiplus::GraphicsPath path;
        RoundRectPath(path, r, static_cast<float>(radius));
        fill ? g.FillPath(gb.get(), &path) : g.DrawPath(&pen, &path);
        break;
    }
    }
}

void CBCGPGraphicsManager::FillRectangle(const CRect& rect, const CBCGPBrush& brush) { DrawShape(ShapeKind::Rect, rect, 0, brush, 0, true); }
void CBCGPGraphicsManager::DrawRectangle(const CRect& rect, const CBCGPBrush& brush, double lineWidth)
{
    DrawShape(ShapeKind::Rect, rect, 0, brush, lineWidth, false);
}
void CBCGPGraphicsManager::FillRoundedRectangle(const CRect& rect, double radius, const CBCGPBrush& brush)
{
    DrawShape(ShapeKind::Round, rect, radius, brush, 0, true);
}
void CBCGPGraphicsManager::DrawRoundedRectangle(const CRect& rect, double radius, const CBCGPBrush& brush, double lineWidth)
{
    DrawShape(ShapeKind::Round, rect, radius, brush, lineWidth, false);
}
void CBCGPGraphicsManager::FillEllipse(const CRect& rect, const CBCGPBrush& brush) { DrawShape(ShapeKind::Ellipse, rect, 0, brush, 0, true); }
void CBCGPGraphicsManager::DrawEllipse(const CRect& rect, const CBCGPBrush& brush, double lineWidth)
{
    DrawShape(ShapeKind::Ellipse, rect, 0, brush, lineWidth, false);
}

void CBCGPGraphicsManager::DrawLine(const CPoint& pt1, const CPoint& pt2, const CBCGPBrush& brush, double lineWidth)
{
    if (!IsValid() || brush.IsEmpty() || !StartGdiplus())
        return;
    Gdiplus::Graphics g(m_pDC->GetSafeHdc());
    const bool straight = pt1.x == pt2.x || pt1.y == pt2.y;
    g.SetSmoothingMode(straight ? Gdiplus::SmoothingModeNone : Gdiplus::SmoothingModeAntiAlias);
    CRect box(pt1, pt2);
    box.NormalizeRect();
    auto gb = MakeBrush(brush, box);
    Gdiplus::Pen pen(gb.get(), static_cast<Gdiplus::REAL>(lineWidth));
    g.DrawLine(&pen, static_cast<INT>(pt1.x), static_cast<INT>(pt1.y), static_cast<INT>(pt2.x), static_cast<INT>(pt2.y));
}

void CBCGPGraphicsManager::DrawText(const CString& text, const CRect& rect, const CBCGPTextFormat& format, const CBCGPBrush& brush)
{
    if (!IsValid() || brush.IsEmpty())
        return;
    LOGFONTW lf;
    format.ExportToLogFont(lf);
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return;
    CFont* oldFont = m_pDC->SelectObject(&font);
    const int oldMode = m_pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = m_pDC->SetTextColor(brush.GetColor());
    CRect r = rect;
    m_pDC->DrawText(text, &r, format.GetDrawTextFlags());
    m_pDC->SetTextColor(oldColor);
    m_pDC->SetBkMode(oldMode);
    m_pDC->SelectObject(oldFont);
}

CSize CBCGPGraphicsManager::GetTextSize(const CString& text, const CBCGPTextFormat& format, int width)
{
    if (!IsValid())
        return CSize(0, 0);
    LOGFONTW lf;
    format.ExportToLogFont(lf);
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return CSize(0, 0);
    CFont* oldFont = m_pDC->SelectObject(&font);
    CRect r(0, 0, format.IsWordWrap() && width > 0 ? width : 0, 0);
    UINT flags = format.GetDrawTextFlags() | DT_CALCRECT;
    if (!format.IsWordWrap())
        flags &= ~(DT_VCENTER | DT_BOTTOM);
    m_pDC->DrawText(text, &r, flags);
    m_pDC->SelectObject(oldFont);
    return r.Size();
}

void CBCGPGraphicsManager::DrawImage(const CBCGPImage& image, const CPoint& ptDest, const CSize& sizeDest, double opacity)
{
    if (!IsValid() || image.IsEmpty())
        return;
    const CSize size = sizeDest.cx > 0 && sizeDest.cy > 0 ? sizeDest : image.GetSize();
    image.Draw(m_pDC, CRect(ptDest, size), opacity);
}
