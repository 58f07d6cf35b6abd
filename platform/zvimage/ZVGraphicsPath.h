#pragma once
// A vector path: figures of straight lines and cubic Bezier curves, each open or closed.
// The shapes are laid into the rectangle x, y, width, height, y growing downwards.
#include <initializer_list>
#include <vector>
#include "ZVImageDef.h"

class CZVMatrix;
class CZVSvgPathTokenizer;

struct CZVRectF {
    float X = 0, Y = 0, Width = 0, Height = 0;
};

// The kind of each stored point.
enum ZVPathPointType : BYTE {
    ZVPathPointStart = 0,
    ZVPathPointLine = 1,
    ZVPathPointBezier = 3,     // three in a row: two control points and the end
    ZVPathPointClose = 0x80,   // flag on a figure's last point
};

// A figure flattened to a polyline.
struct ZVPolyline {
    std::vector<ZVPOINTF> points;
    bool closed = false;
};

class ZVIMAGE_API CZVGraphicsPath {
public:
    CZVGraphicsPath() = default;
    void Reset();
    bool IsEmpty() const { return m_points.empty(); }

    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void BezierTo(float x1, float y1, float x2, float y2, float x, float y);
    void CloseSubPath();

    void AddRectangle(float x, float y, float width, float height);
    void AddRoundedRect(float x, float y, float width, float height, float radius);
    void AddEllipse(float x, float y, float width, float height);
    void AddTriangle(float x, float y, float width, float height);
    void AddRightTriangle(float x, float y, float width, float height);
    void AddDiamond(float x, float y, float width, float height);
    void AddPentagon(float x, float y, float width, float height);
    void AddHexagon(float x, float y, float width, float height);
    // A rounded speech balloon with its tail at the bottom left.
    void AddBallonSW(float x, float y, float width, float height);
    void AddPolygonPoints(const ZVPOINTF* points, long count);
    // Path data or a point list, stretched so that its bounds fill the rectangle.
    bool AddPathString(const wchar_t* text, float x, float y, float width, float height);

    // Replace the path by what the text gives; false when the text is malformed (the figures
    // read up to the fault are kept).
    bool ParsePolygon(CZVSvgPathTokenizer& tokenizer);
    bool ParsePath(CZVSvgPathTokenizer& tokenizer);

    // Bounds of the drawn outline (curves flattened); false and zeros when empty.
    bool GetBounds(CZVRectF* bounds) const;
    void Transform(const CZVMatrix& matrix);
    long GetPointCount() const { return static_cast<long>(m_points.size()); }
    // Copies up to count points; returns the number copied.
    long GetPathPoints(ZVPOINTF* points, long count) const;
    long GetPathTypes(BYTE* types, long count) const;
    // The figures as polylines, curves within tolerance pixels.
    void Flatten(std::vector<ZVPolyline>& out, float tolerance = 0.1f) const;

private:
    bool ParseCommands(CZVSvgPathTokenizer& tokenizer);
    void Append(float x, float y, BYTE type);
    void AddPolygon(std::initializer_list<ZVPOINTF> points);
    bool LastPoint(ZVPOINTF& p) const;

    std::vector<ZVPOINTF> m_points;
    std::vector<BYTE> m_types;
    bool m_startFigure = true;
};
