// The edit view's brush engine: the brush options, the brush picture of each brush type, and
// the dab, the one paint step of the paint tools, with its stroke segments, clone and region
// effects. The arithmetic is in free functions (BrushStroke.h).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "BrushStroke.h"
#include "ChildFrame.h"
#include "PicEditView.h"
#include "ZVUILibApp.h"

// ---- arithmetic ----

int BrushStepFor(int size, bool automatic, int fixedStep)
{
    return automatic ? std::max(1, size) / 4 : std::max(0, fixedStep);
}

int BrushSizeSlot(int type)
{
    switch (type) {
    case 0: return 0;
    case 1: case 2: return 1;
    case 3: return 2;
    case 4: return 3;
    case 5: return 4;
    default: return type >= 9 && type <= 17 ? 4 : -1;
    }
}

bool IsPictureBrushType(int type)
{
    return type == 0 || type == 4 || type == 7 || (type >= 13 && type <= 15);
}

bool IsRegionBrushType(int type)
{
    return type == 5 || (type >= 9 && type <= 12);
}

int StrokeBrushType(int tool, int type)
{
    if (tool == 18)
        return 16;
    if ((tool == 23 || (tool >= 27 && tool <= 30)) && !IsRegionBrushType(type))
        return 5;
    return type;
}

std::vector<POINT> StrokeStamps(POINT from, POINT to, POINT& lastStamped, int step)
{
    std::vector<POINT> stamps;
    const long dx = std::labs(to.x - from.x), dy = std::labs(to.y - from.y);
    if (dx == 0 && dy == 0) {
        stamps.push_back(to);
        lastStamped = to;
        return stamps;
    }
    const long sx = to.x > from.x ? 1 : -1, sy = to.y > from.y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    long error = major / 2;
    POINT p = from;
    for (long i = 0; i <= major; ++i) {
        if (std::labs(p.x - lastStamped.x) > step || std::labs(p.y - lastStamped.y) > step) {
            stamps.push_back(p);
            lastStamped = p;
        }
        error -= minor;
        if (error < 0) {
            error += major;
            if (xMajor)
                p.y += sy;
            else
                p.x += sx;
        }
        if (xMajor)
            p.x += sx;
        else
            p.y += sy;
    }
    return stamps;
}

bool BrushStripCell(const CxImage& strip, int index, CxImage& cell)
{
    cell.Destroy();
    if (!strip.IsValid() || index < 0)
        return false;
    const long h = static_cast<long>(strip.GetHeight()), w = static_cast<long>(strip.GetWidth());
    if (h <= 0 || (static_cast<long long>(index) + 1) * h > w)
        return false;
    return const_cast<CxImage&>(strip).Crop(RECT{index * h, 0, (index + 1) * h, h}, &cell);
}

RECT StampRect(POINT centre, int size)
{
    const long half = size / 2;
    return RECT{centre.x - half, centre.y - half, centre.x - half + size, centre.y - half + size};
}

RECT UnionPixelRect(const RECT& a, const RECT& b)
{
    if (a.right <= a.left || a.bottom <= a.top)
        return b;
    if (b.right <= b.left || b.bottom <= b.top)
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool CopyPixelRect(const CxImage& from, CxImage& to, RECT rect)
{
    if (!from.IsValid() || !to.IsValid() || from.GetWidth() != to.GetWidth() ||
        from.GetHeight() != to.GetHeight() || from.GetBpp() != to.GetBpp() ||
        from.AlphaIsValid() != to.AlphaIsValid() || from.GetBpp() < 24)
        return false;
    const long w = static_cast<long>(from.GetWidth()), h = static_cast<long>(from.GetHeight());
    rect.left = std::clamp<long>(rect.left, 0, w);
    rect.right = std::clamp<long>(rect.right, 0, w);
    rect.top = std::clamp<long>(rect.top, 0, h);
    rect.bottom = std::clamp<long>(rect.bottom, 0, h);
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return true;
    const size_t pixelBytes = from.GetBpp() / 8;
    const size_t bytes = static_cast<size_t>(rect.right - rect.left) * pixelBytes;
    for (long row = rect.top; row < rect.bottom; ++row) {
        std::memcpy(to.GetBits(row) + rect.left * pixelBytes, from.GetBits(row) + rect.left * pixelBytes, bytes);
        if (from.AlphaIsValid())
            std::memcpy(to.AlphaGetPointer(rect.left, row), from.AlphaGetPointer(rect.left, row),
                        static_cast<size_t>(rect.right - rect.left));
    }
    return true;
}

// ---- the view ----

namespace {

// The sharpen and blur kernels of the region effects.
const long kSharpenKernel[9] = {-1, -1, -1, -1, 200, -1, -1, -1, -1};
const long kBlurKernel[9] = {1, 1, 1, 1, 200, 1, 1, 1, 1};
// The eyelash brush's source: the layer sharpened hard.
const long kLashKernel[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};

CStringW BrushFilePath(const CStringW& name)
{
    if (name.IsEmpty())
        return name;
    // A full path (the tests' strips) is taken as it is.
    if (name.GetLength() > 1 && (name[1] == L':' || (name[0] == L'\\' && name[1] == L'\\')))
        return name;
    return CStringW(GetKQDataFolder((L"Editor\\Brushes\\" + name).GetString()).GetString());
}

} // namespace

void CPicEditView::SetBrushOptions(int type, int size, int cellIndex, int opacity, BOOL automaticStep, int step,
                                   int unused)
{
    (void)unused;
    // A size below 1 would give a zero step and a dab of nothing.
    size = std::max(1, size);
    brushType = type;
    brushSize = size;
    stampIndex = cellIndex;
    paintOpacity = static_cast<BYTE>(std::clamp(opacity, 0, 255));
    autoStep = automaticStep ? 1 : 0;
    brushStep = BrushStepFor(size, automaticStep != 0, step);
    brushRadius = BrushCursorRadius(size, doc.zoom);
    const int slot = BrushSizeSlot(type);
    if (slot >= 0)
        typeSizes[slot] = size;
    brushStale = 1;
}

void CPicEditView::PrepareBrushImage()
{
    if (!brushStale)
        return;
    if (tool != 18 && m_hWnd && (IsBrushTool(tool) || tool == 26)) {
        const int side = std::max(1, static_cast<int>(brushSize * doc.zoom));
        SetBrushCursor(side, side);
    }
    brushPicture.Destroy();
    const int type = StrokeBrushType(tool, brushType);
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (type == 0 && layer && layer->id != 0) {
        // The colour brush tints the background.
        doc.layers.currentId = 0;
        doc.layers.currentType = LAYER_BACKGROUND;
        layer = doc.layers.GetCurrentLayer();
    }
    brushLayer = layer ? layer->serial : 0;
    if (layer && !layer->locked && type < 16) {
        CZVImage& source = layer->source.IsValid() ? layer->source : layer->displayed;
        const long size = std::max(1, brushSize);
        switch (type) {
        case 0:
            if (brushPicture.Copy(source))
                brushPicture.ShiftRGB(std::lround(0.3 * paintColour.rgbRed), std::lround(0.3 * paintColour.rgbGreen),
                                      std::lround(0.3 * paintColour.rgbBlue));
            break;
        case 1: case 2: case 3: {
            CZVImage strip;
            const CStringW path = BrushFilePath(GetBrushFile());
            CxImage cell;
            if (!path.IsEmpty() && strip.Load(path) && BrushStripCell(strip, stampIndex, cell) &&
                cell.Resample(size, size, 1, &brushPicture) && type != 1)
                brushPicture.Threshold(128);
            break;
        }
        case 4:
            if (brushPicture.Copy(source))
                brushPicture.EffectMosaic(std::max(1, mosaicSize));
            break;
        case 7:
            if (brushPicture.Copy(source))
                brushPicture.Filter(kLashKernel, 3, 7, 0);
            break;
        case 13:
            if (brushPicture.Copy(source))
                brushPicture.GrayScale();
            break;
        case 14:
            if (brushPicture.Copy(source))
                brushPicture.GaussianBlur(8.0f);
            break;
        case 15:
            brushPicture.Copy(source);
            break;
        default:
            break;
        }
    }
    brushStale = 0;
}

RECT CPicEditView::StrokeSegment(CZVImage& picture, POINT to)
{
    const POINT from = {static_cast<LONG>(lastDab[0]), static_cast<LONG>(lastDab[1])};
    const int size = std::max(1, brushSize);
    RECT touched = {0, 0, 0, 0};
    if (!brushPicture.IsValid())
        return touched;
    const int type = StrokeBrushType(tool, brushType);
    // The eraser erases to transparency where there is an alpha, else paints its colour.
    if (type == 3 && eraseTransparent && !picture.AlphaIsValid() && !picture.AlphaCreate())
        return touched;
    for (const POINT& p : StrokeStamps(from, to, lastStamp, brushStep)) {
        bool done = false;
        if (type == 1)
            done = picture.CombineBrush(brushPicture, p.x, p.y, size, paintOpacity, paintColour);
        else if (type == 2)
            done = picture.CombinePen(brushPicture, p.x, p.y, size, paintOpacity, paintColour);
        else
            done = picture.CombineEraser(brushPicture, p.x, p.y, size, paintOpacity, secondColour);
        if (done)
            touched = UnionPixelRect(touched, StampRect(p, size));
    }
    return touched;
}

RECT CPicEditView::RegionEffect(CZVImage& picture, CLayerInfo& layer)
{
    RECT touched = {0, 0, 0, 0};
    if (m_hWnd)
        SetTimer(kAntsTimer, kAntsPeriod, nullptr);
    const long w = static_cast<long>(picture.GetWidth()), h = static_cast<long>(picture.GetHeight());
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
    std::vector<POINT> pixels;
    bool inside = false;
    for (const ZVPOINTF& p : doc.pathPoints) {
        const POINT px = WindowPointToPixel(static_cast<int>(p.x) - SX(), static_cast<int>(p.y) - SY(), layer.location,
                                            static_cast<float>(SX()), static_cast<float>(SY()), zoom, h);
        if (px.x >= 0 && px.x < w && px.y >= 0 && px.y < h)
            inside = true;
        pixels.push_back(POINT{std::clamp<long>(px.x, 0, w - 1), std::clamp<long>(px.y, 0, h - 1)});
    }
    if (!inside || pixels.size() < 3)
        return touched;
    // Each dab works on its own circle: a selection left from the last would grow with every
    // move and the effect would pile up over the whole stroke.
    picture.SelectionDelete();
    picture.SelectionAddPolygonZV(pixels.data(), static_cast<long>(pixels.size()), 255);
    bool done = false;
    switch (tool) {
    case 23: done = picture.RedEyeRemove(0.8f); break;
    case 24: done = picture.EffectBulge(20, 0, 0); break;
    case 27: done = picture.Light(1, 0); break;
    case 28: done = picture.Light(-1, 0); break;
    case 29: done = picture.Filter(kSharpenKernel, 3, 192, 0); break;
    case 30: done = picture.Filter(kBlurKernel, 3, 208, 0); break;
    default: break;
    }
    picture.SelectionDelete();
    if (!done)
        return touched;
    for (const POINT& p : pixels)
        touched = UnionPixelRect(touched, RECT{p.x - 1, p.y - 1, p.x + 2, p.y + 2});
    return touched;
}

void CPicEditView::Dab(CPoint point)
{
    CDocumentLockScope hold(doc.lock);
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || layer->locked || !layer->displayed.IsValid())
        return;
    CZVImage& picture = layer->displayed;
    const long w = static_cast<long>(picture.GetWidth()), h = static_cast<long>(picture.GetHeight());
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
    const POINT pixel = WindowPointToPixel(point.x, point.y, layer->location, static_cast<float>(SX()),
                                           static_cast<float>(SY()), zoom, static_cast<int>(h));
    layer->ClearZoomedCopy();
    const int size = std::max(1, brushSize);
    const int type = StrokeBrushType(tool, brushType);
    const RECT whole = {0, 0, w, h};
    RECT touched = {0, 0, 0, 0};
    auto blended = [&](const CxImage& from, long dx, long dy) {
        if (picture.CombineBlended(from, pixel.x, pixel.y, size, size, 100, 0, 48, dx, dy))
            touched = StampRect(pixel, size);
    };
    switch (type) {
    case 0: case 4: case 13: case 14: case 15: case 17:
        blended(brushPicture, 0, 0);
        break;
    case 1: case 2: case 3:
        touched = StrokeSegment(picture, pixel);
        break;
    case 6:
        if (picture.EffectBulge(10, pixel.x, pixel.y))
            touched = whole;
        break;
    case 7:
        if (brushPicture.IsValid() && picture.Eyelashes(brushPicture, pixel.x, pixel.y, size, size, 100, 0, 48))
            touched = StampRect(pixel, size);
        break;
    case 8:
        if (picture.RemoveAcne(pixel.x, pixel.y, size, size))
            touched = StampRect(pixel, size);
        break;
    case 16:
        // The offset is in picture pixels with y downwards; rows here count upwards.
        blended(picture, cloneOffset.x, -cloneOffset.y);
        break;
    default:
        if (IsRegionBrushType(type))
            touched = RegionEffect(picture, *layer);
        break;
    }
    RequestRedraw();
    lastDab[0] = static_cast<float>(pixel.x);
    lastDab[1] = static_cast<float>(pixel.y);
    if (touched.right > touched.left)
        strokePainted = 1;
    if (!doc.keepSource) {
        layer->ClearSourceImage();
        return;
    }
    // Only what the dab touched goes to the source: a whole copy per move would make a large
    // layer unpaintable.
    if (touched.right > touched.left && !CopyPixelRect(picture, layer->source, touched))
        layer->source.Copy(picture);
}

void CPicEditView::BakeRotation(CLayerInfo& layer)
{
    // The turned picture becomes the layer's own, unturned, where its frame shows it.
    const POINT corner = layer.GetFrameTopLeft();
    layer.width = static_cast<int32_t>(layer.displayed.GetWidth());
    layer.height = static_cast<int32_t>(layer.displayed.GetHeight());
    layer.angle = 0.0f;
    layer.location = ZVPOINTF{static_cast<float>(corner.x + SX()), static_cast<float>(corner.y + SY())};
    layer.drawOrigin = layer.location;
    layer.ClearZoomedCopy();
    doc.CalcLayerTracker(&layer);
    if (doc.keepSource)
        layer.CommitImage();
    brushStale = 1;
}
