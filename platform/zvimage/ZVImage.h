#pragma once
// CZVImage: the picture the suite passes around. CxImage with files by name (project previews
// included), fitted and framed geometry, alpha tools, selections from points with rows counted
// upward, composition and brush painting.
#include "CxImage.h"

// Direction of the slats of EffectBlinds.
enum BLIND_TYPE { BLIND_HORIZONTAL = 0, BLIND_VERTICAL = 1 };

class ZVIMAGE_API CZVImage : public CxImage {
public:
    CZVImage();
    CZVImage(const CZVImage& src);
    CZVImage& operator=(const CZVImage& src);
    CZVImage(CZVImage&& src) noexcept;
    CZVImage& operator=(CZVImage&& src) noexcept;
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

    // Effects. Each works inside the selection when there is one, stops early once the escape
    // flag is set (returning false), reports progress 0..100 and clamps its parameters. Centres
    // count y from the bottom row; a centre of (0, 0) means the middle of the selection (of the
    // picture without one).
    bool EffectGrayScale();
    bool EffectInvert();
    // Grey dots on a 3 x 3 ordered pattern: black and white only, ten tones.
    bool EffectHalftoneM3();
    // Tones the picture in colour (dark stays dark, light stays light); amount 0..100 percent.
    bool EffectColorTone(RGBQUAD colour, long amount);
    // Blocks of size x size pixels (1..picture size) in their average colour.
    bool EffectMosaic(long size);
    // Scatters each pixel up to size pixels (0..200) away.
    bool EffectSplash(long size);
    // levels 2..256 per channel (256 leaves the picture as it is).
    bool EffectPosterize(long levels);
    // Bands of size rows (1..picture height) slid sideways by up to size pixels.
    bool EffectShift(long size);
    // The picture laid over itself turned by 360 / amount degrees (amount 1..64).
    bool EffectIllusion(long amount);
    // A bevelled raised border of size pixels (1..half the smaller side).
    bool EffectRaiseFrame(long size);
    // Tones above level (0..255) are turned over.
    bool EffectSolarize(long level);
    // gamma 1..1000 in hundredths: 100 unchanged, above brightens mid tones.
    bool EffectGamma(long gamma);
    // Smears length pixels (0..1000) along angle degrees (counter-clockwise from the right).
    bool EffectBlurMotion(long length, long angle);
    // Motion blur outside the focus (the selection, or a soft ellipse in the middle without one).
    bool EffectBGBlurMotion(long length, long angle);
    // Raised tiles of size pixels (at least 2) with bevels of depth (0..255) light and shade.
    bool Effect3DGrid(long size, long depth);
    // Columns waved up and down: amplitude 0..100 (hundredths of a quarter of the height), frequency 0..100 (tenths of a wave across).
    bool EffectRibbon(long amplitude, long frequency);
    // Spin blur around (cx, cy) over angle degrees (0..360).
    bool EffectBlurRadial(long angle, double cx, double cy);
    // Zoom blur toward (cx, cy): length 0..100 percent of the distance to the centre.
    bool EffectBlurZoom(long length, double cx, double cy);
    // Magnifies (level > 0) or pinches (level < 0) around (cx, cy); level -200..100.
    bool EffectBulge(long level, double cx, double cy);
    // Random noise, level 1..100 percent; mono gives grey noise.
    bool EffectNoisify(long level, bool mono);
    // Swirls around (cx, cy) by twist (-45..45, 45 a full turn at the centre) within size percent (1..200) of half the smaller side.
    bool EffectTwist(long twist, long size, double cx, double cy);
    // Columns shifted up and down by a sine: wavelength 1..100 in hundredths and amplitude 0..100 in
    // thousandths of the smaller side, phase in degrees.
    bool EffectWave(long wavelength, long amplitude, double phase);
    // Water ripples: length 1..100 (wavelength in fifths of a percent of the smaller side), amount
    // 0..100 (displacement in hundredths of a wavelength); circular rings from the middle, else
    // straight waves across.
    bool EffectRipple(long length, long amount, bool circular);
    // Glass tiles of size pixels turned by angle degrees; amount -20..20 bends each tile's view.
    bool EffectTileReflection(long size, long amount, long angle);
    bool EffectShiftRGB(long red, long green, long blue);
    // brightness and contrast -100..100; 0, 0 leaves the picture as it is.
    bool EffectBrightnessContrast(long brightness, long contrast);
    // hue -100..100 turns the colour circle by up to half a turn; saturation -100..100 (-100 grey).
    bool EffectHueSaturation(long hue, long saturation);
    // A mirrored copy below the picture, fading: shown (0..1) of the height, start and end
    // opacity (0..1). The picture grows and gets an alpha plane.
    bool EffectInvertedImage(float shown, float startAlpha, float endAlpha);
    // Slats of width pixels (1..picture size) in colour fading to opacity percent (0..100).
    bool EffectBlinds(BLIND_TYPE direction, long width, long opacity, RGBQUAD colour);
    // A lens flare whose source is at the point (y from the bottom row).
    bool EffectLensFlare(POINT centre);
    // A bright star at the point: colour, radius of its core in pixels (1..2000), spokes (1..1024).
    bool EffectSupernova(POINT centre, RGBQUAD colour, long radius, long spokes);
    // Black below level, white from it up.
    bool EffectThreshold(long level);
    // Pixels at or above level (by brightness) get colour, the others keep theirs (keepOthers)
    // or turn black; with above false the pixels below the level get the colour instead.
    bool EffectThreshold2(BYTE level, bool keepOthers, RGBQUAD colour, bool above);
    // Pencil drawing: size 1..20 is the stroke width, details -20..20 lightens or darkens the strokes.
    bool EffectPencilSketch(long size, long details);
    // Oil paint: radius 0..10 of the brush; intensity 0..250 tells more tone levels apart.
    bool EffectOilPaint(long radius, float intensity);
    // Selective focus: Gaussian blur of radius (0..100) outside the focus.
    bool EffectBackgroundDeficiency(float radius);
    // Skin smoothing: radius 1..50 of the smoothing, threshold 1..100 of the tone steps kept.
    bool SkinSanding(double radius, double threshold);
    // Darkens lashes in: blends src (a sharpened copy) darker through a round mask of width x
    // height at (x, y) (rows from the bottom); opacity, hardness, feather as in CombineBlended.
    bool Eyelashes(const CxImage& src, long x, long y, long width, long height, long opacity, long hardness, long feather);
    // Smooths spots away in an ellipse of width x height centred at (x, y), rows from the bottom.
    bool RemoveAcne(long x, long y, long width, long height);

private:
    enum class StampKind { Brush, Pen, Eraser };
    bool Stamp(const CxImage& brush, long x, long y, long size, BYTE opacity, RGBQUAD colour, StampKind kind);
    BYTE* StrokeMask();
    bool Expand(long left, long top, long right, long bottom, RGBQUAD colour, bool colourAlpha);

    CxBuffer m_stroke;   // strongest cover of the current stroke, one byte a pixel
    DWORD m_strokeWidth = 0, m_strokeHeight = 0;
};
