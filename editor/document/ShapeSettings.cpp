#include "ShapeSettings.h"
#include <algorithm>
#include "EditorAppState.h"
#include "ImageLimits.h"
#include "ZVGraphics.h"
#include "ZVImage.h"
#include "ZVMatrix.h"

namespace {

typedef bool (CZVGraphics::*PenFigure)(const CZVPen&, float, float, float, float);
typedef bool (CZVGraphics::*BrushFigure)(const CZVBrushSolid&, float, float, float, float);

// Indexed by figure number; the rounded rectangle (1) takes a radius and is drawn apart.
const PenFigure kDrawFigures[] = {
    &CZVGraphics::DrawRectangle, nullptr, &CZVGraphics::DrawEllipse, &CZVGraphics::DrawTriangle,
    &CZVGraphics::DrawRightTriangle, &CZVGraphics::DrawDiamond, &CZVGraphics::DrawPentagon,
    &CZVGraphics::DrawHexagon, &CZVGraphics::DrawBallonSW,
};
const BrushFigure kFillFigures[] = {
    &CZVGraphics::FillRectangle, nullptr, &CZVGraphics::FillEllipse, &CZVGraphics::FillTriangle,
    &CZVGraphics::FillRightTriangle, &CZVGraphics::FillDiamond, &CZVGraphics::FillPentagon,
    &CZVGraphics::FillHexagon, &CZVGraphics::FillBallonSW,
};

} // namespace

ShapeSettings DefaultLineSettings()
{
    ShapeSettings line;
    line.shape = 40;
    line.outlineWidth = 5;
    line.fillAlpha = 255;
    line.outlineColour = RGB(0, 0, 0);
    return line;
}

BOOL ShapeSettings::DrawToImage(CZVImage* target)
{
    return DrawToImage(target, GetEditorAppState().shapeLibrary);
}

BOOL ShapeSettings::DrawToImage(CZVImage* target, const ShapeLibrary& library)
{
    if (!target)
        return FALSE;
    const ShapeLibraryEntry* entry = ShapeLibraryEntryFor(library, shape);
    // The polygon is drawn from its own points; entry 32, which its number would name, is
    // reached by picture frames only, and must not reshape it.
    if (shape == SHAPE_POLYGON)
        entry = nullptr;
    // The later library shapes keep the entry's proportions; the first ones stretch.
    if (shape > 31 && entry && entry->width != 0 && entry->height != 0) {
        const double h = width / (double(entry->width) / entry->height);
        if (!(h >= 1.0 && h <= zvimage::kMaxSide))
            return FALSE;
        height = static_cast<int32_t>(h);
    }
    if (width < 1 || height < 1 || !zvimage::SizeAllowed(width, height))
        return FALSE;
    const int m = outlineWidth > 0 ? static_cast<int>(outlineWidth * 0.5 + 0.5) : 0;
    const int innerWidth = width - 2 * m, innerHeight = height - 2 * m;
    if (innerWidth <= 0 || innerHeight <= 0)
        return FALSE;

    target->Clear(0);
    if (!target->Create(width, height, 24, 4) || !target->AlphaCreate())
        return FALSE;
    target->AlphaSet(0);
    // Soft edges blend toward the shape's own colour, not toward black.
    RGBQUAD under = CxImage::RGBtoRGBQUAD(outlineWidth > 0 ? outlineColour : fillColour);
    under.rgbReserved = 0;
    target->SetRectColor(RECT{0, 0, width, height}, under);

    const float x = float(m), y = float(m), w = float(innerWidth), h = float(innerHeight);
    if (shape == SHAPE_ROUNDED_RECT)
        cornerRadius = std::min(cornerRadius, std::min(innerWidth, innerHeight) / 2);
    const bool polygonDrawable = shape == SHAPE_POLYGON && !points.empty();
    auto polygon = [&] {
        CZVGraphicsPath path;
        path.AddPolygonPoints(points.data(), static_cast<long>(points.size()));
        CZVMatrix scale;
        scale.Scale(w / width, h / height);
        scale.Translate(x, y, ZVMatrixOrderAppend);
        path.Transform(scale);
        return path;
    };

    if (fillOn) {
        CZVGraphics g(target);
        g.CreateMask();
        const CZVBrushSolid brush(ZVMakeARGB(255, fillColour));
        if (shape == SHAPE_ROUNDED_RECT)
            g.FillRoundedRect(brush, x, y, w, h, float(cornerRadius));
        else if (shape >= 0 && shape < SHAPE_FIRST_LIBRARY)
            (g.*kFillFigures[shape])(brush, x, y, w, h);
        else if (shape == SHAPE_POLYGON) {
            if (polygonDrawable)
                g.FillPath(brush, polygon());
        }
        else if (entry)
            g.FillPathString(brush, entry->path.c_str(), x, y, w, h);
        g.FillPathMask(static_cast<BYTE>(fillAlpha & 0xFF));
    }
    if (outlineWidth > 0) {
        CZVGraphics g(target);
        g.CreateMask();
        CZVPen pen(ZVMakeARGB(255, outlineColour), float(outlineWidth));
        pen.m_nStyle = ZVPenInside;
        pen.m_nDashStyle = lineStyle;
        if (shape == SHAPE_ROUNDED_RECT)
            g.DrawRoundedRect(pen, x, y, w, h, float(cornerRadius));
        else if (shape >= 0 && shape < SHAPE_FIRST_LIBRARY)
            (g.*kDrawFigures[shape])(pen, x, y, w, h);
        else if (shape == SHAPE_POLYGON) {
            if (polygonDrawable)
                g.DrawPath(pen, polygon());
        }
        else if (entry)
            g.DrawPathString(pen, entry->path.c_str(), x, y, w, h);
        g.FillPathMask(255);
    }
    return TRUE;
}
