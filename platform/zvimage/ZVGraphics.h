#pragma once
// Antialiased drawing onto a 24-bit picture. y counts memory rows (row 0 first), so callers
// that think top-down flip the bottom-up picture around the drawing. With a mask created,
// every drawing also records its coverage, which FillPathMask turns into the picture's alpha.
#include <vector>
#include "ZVBrushSolid.h"
#include "ZVGraphicsPath.h"
#include "ZVPen.h"

class CxImage;

// Values of the arrow style of DrawLine.
enum ZVArrowStyle { ZVArrowNone = 0, ZVArrowEnd = 1, ZVArrowBoth = 2 };

class ZVIMAGE_API CZVGraphics {
public:
    explicit CZVGraphics(CxImage* picture);
    CZVGraphics(const CZVGraphics&) = delete;
    CZVGraphics& operator=(const CZVGraphics&) = delete;

    // False when nothing could be drawn (no 24-bit picture, a degenerate figure or pen).
    bool DrawPath(const CZVPen& pen, const CZVGraphicsPath& path);
    bool FillPath(const CZVBrushSolid& brush, const CZVGraphicsPath& path);
    bool DrawLine(const CZVPen& pen, float x1, float y1, float x2, float y2, int arrowStyle = ZVArrowNone);

    bool DrawRectangle(const CZVPen& pen, float x, float y, float width, float height);
    bool FillRectangle(const CZVBrushSolid& brush, float x, float y, float width, float height);
    bool DrawRoundedRect(const CZVPen& pen, float x, float y, float width, float height, float radius);
    bool FillRoundedRect(const CZVBrushSolid& brush, float x, float y, float width, float height, float radius);
    bool DrawEllipse(const CZVPen& pen, float x, float y, float width, float height);
    bool FillEllipse(const CZVBrushSolid& brush, float x, float y, float width, float height);
    bool DrawTriangle(const CZVPen& pen, float x, float y, float width, float height);
    bool FillTriangle(const CZVBrushSolid& brush, float x, float y, float width, float height);
    bool DrawRightTriangle(const CZVPen& pen, float x, float y, float width, float height);
    bool FillRightTriangle(const CZVBrushSolid& brush, float x, float y, float width, float height);
    bool DrawDiamond(const CZVPen& pen, float x, float y, float width, float height);
    bool FillDiamond(const CZVBrushSolid& brush, float x, float y, float width, float height);
    bool DrawPentagon(const CZVPen& pen, float x, float y, float width, float height);
    bool FillPentagon(const CZVBrushSolid& brush, float x, float y, float width, float height);
    bool DrawHexagon(const CZVPen& pen, float x, float y, float width, float height);
    bool FillHexagon(const CZVBrushSolid& brush, float x, float y, float width, float height);
    bool DrawBallonSW(const CZVPen& pen, float x, float y, float width, float height);
    bool FillBallonSW(const CZVBrushSolid& brush, float x, float y, float width, float height);
    // Path data or a point list, stretched to the rectangle.
    bool DrawPathString(const CZVPen& pen, const wchar_t* text, float x, float y, float width, float height);
    bool FillPathString(const CZVBrushSolid& brush, const wchar_t* text, float x, float y, float width, float height);

    // Starts recording coverage (an empty mask).
    bool CreateMask();
    // Makes the picture fully transparent (its alpha plane 0) and empties the mask.
    bool ClearMask();
    // Lays the recorded coverage, scaled by alpha, over the picture's alpha plane; with a path,
    // the path's filled area is recorded first.
    bool FillPathMask(BYTE alpha);
    bool FillPathMask(BYTE alpha, const CZVGraphicsPath& path);

private:
    bool Usable() const;
    bool StrokePath(const CZVPen& pen, const CZVGraphicsPath& path, const ZVPOINTF* arrows, int arrowCount);

    CxImage* m_picture;
    std::vector<BYTE> m_mask;   // one byte a pixel, rows as the picture's; empty: no mask
};
