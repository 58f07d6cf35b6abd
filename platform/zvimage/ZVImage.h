#pragma once
// CZVImage: the picture the suite passes around. CxImage with files by name (project previews
// included), fitted and framed geometry, alpha tools, selections from points with rows counted
// upward, composition and brush painting.
#include "CxImage.h"

class ZVIMAGE_API CZVImage : public CxImage {
public:
    CZVImage();
    CZVImage(const CZVImage& src);
    CZVImage& operator=(const CZVImage& src);
    ~CZVImage() override;

    // Files
    // Any picture the library reads; a project document (.kqd) gives its stored preview.
    bool LoadFile(const wchar_t* path);
    bool SaveFile(const wchar_t* path, DWORD imageType = 0);
    bool LoadKQDPreview(const wchar_t* path);
    bool LoadPNG(UINT resourceId, HMODULE module);
    // The format by the file's content, else by its name.
    static DWORD GetTypeFromFile(const wchar_t* path);

    // Drawing fitted into a box; a null context only prepares.
    virtual void DrawAutoFit(HDC dc, const RECT& box, RECT* used = nullptr, bool animate = false);
    virtual void DrawFullSupport(HDC dc, const RECT& box, bool animate = false);
    RECT GetAutoFitRect(const RECT& box, bool enlarge = false) const;

    // Geometry
    bool Zoom(long width, long height);
    bool ZoomFast(long width, long height);
    // Fit within width x height, proportion kept; the second also fits every frame.
    bool ResampleInFrame(long width, long height, bool shrinkOnly = true);
    bool ResampleIncFrame(long width, long height, bool shrinkOnly = true);
    bool CropMax(long aspectWidth, long aspectHeight);
    bool CropZoomInFrame(long width, long height);
    // Piece (row, col) of a grid of pieceWidth x pieceHeight from the top left, cut at the edges.
    bool CropImage(long pieceWidth, long pieceHeight, long row, long col, CxImage* dst);
    // The part covered by the grid of pieces that CropImage cuts.
    bool CropFullImage(long pieceWidth, long pieceHeight, CxImage* dst);
    // The selection's box, with everything outside the selection transparent.
    bool CropPolygon(CxImage* dst = nullptr);
    // Turn clockwise by degrees and scale by zoomX, zoomY; outside is transparent.
    bool RotaryZoom(float degrees, float zoomX, float zoomY, CxImage* dst = nullptr);
    // Margins (negative ones cut). ExpandZV fills opaque; ExpandFF gives the new area the
    // colour's alpha byte.
    bool ExpandZV(long left, long top, long right, long bottom, RGBQUAD colour);
    bool ExpandFF(long left, long top, long right, long bottom, RGBQUAD colour);

    // Alpha
    // A gradient of opacity from start to end percent: mode 1 left to right, 2 top to bottom,
    // 4 top left to bottom right, 8 top right to bottom left, 16 centre outward.
    bool MakeAlpha(long start, long end, long mode);
    void ClearTransColor();
    // Pixels within tolerance (0 to 100) of the colour get at most the opacity.
    bool SetTransparentColor(RGBQUAD colour, long tolerance, BYTE opacity);
    // Composes the picture over a background colour given as 0xAARRGGBB.
    bool ChangeBackground(DWORD argb);
    bool SetSelectionColor(COLORREF colour);
    // Shadow making: ColorEdge paints the picture in the colour and grows its outline by
    // width pixels; AlphaEdge softens the outline over radius pixels and paints the colour.
    bool ColorEdge(RGBQUAD colour, long width);
    bool AlphaEdge(RGBQUAD colour, long radius = 8);

    // Selections from pixel positions with rows counted upward, corners included.
    bool SelectionAddRectZV(POINT corner0, POINT corner1, BYTE level = 255);
    bool SelectionAddRectFF(ZVPOINTF corner0, ZVPOINTF corner1, BYTE level = 255);
    bool SelectionAddPolygonZV(const POINT* points, long count, BYTE level = 255);
    bool SelectionAddPolygonFF(const ZVPOINTF* points, long count, BYTE level = 255);

    // Composition; x, y place the source's top left, rows counted from the top, clipped.
    bool CombineImage(const CxImage& src, long x, long y);
    bool CombineImageNoBlended(const CxImage& src, long x, long y);
    // Lays a frame picture round the picture: kind 0 stretches it over the whole picture,
    // 1 stretches its sides and 2 tiles them, with corners scaled by zoom.
    bool CombineFrame(const CxImage& frame, float zoom, long kind);
    static bool CombineFrame(CZVImage& target, const CxImage& frame, float zoom, long kind);

    // Brush painting at (x, y), rows counted upward. Within one stroke (until PathClear) a
    // pixel is painted to the strongest cover any stamp gave it, not more.
    bool CombineBrush(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour);
    bool CombinePen(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour);
    bool CombineEraser(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour);
    // Blends a width x height part of src, centred at (x - dx, y - dy), onto this picture
    // centred at (x, y) through a round mask: opacity and hardness in percent, feather the
    // soft rim in percent of the radius.
    bool CombineBlended(const CxImage& src, long x, long y, long width, long height, long opacity, long hardness,
                        long feather, long dx = 0, long dy = 0);
    void PathClear();
    // Fills the area around (x, y) whose colours lie within tolerance (0 to 255) of its own.
    bool FloodFillZV(long x, long y, RGBQUAD colour, BYTE tolerance, BYTE opacity = 255, bool selectFilled = false,
                     BYTE selectionLevel = 255);

private:
    enum class StampKind { Brush, Pen, Eraser };
    bool Stamp(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour, StampKind kind);
    BYTE* StrokeMask();
    bool Expand(long left, long top, long right, long bottom, RGBQUAD colour, bool colourAlpha);

    CxBuffer m_stroke;   // strongest cover of the current stroke, one byte a pixel
    DWORD m_strokeWidth = 0, m_strokeHeight = 0;
};
