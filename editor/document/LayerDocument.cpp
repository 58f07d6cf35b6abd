#include "LayerDocument.h"
#include <cstdint>
#include "EditorUtils.h"
#include "ImageLimits.h"
#include "OpenTimes.h"
#include "ZVUILibApp.h"

namespace {

// Above this many pixels a picture keeps no undo steps: each step may hold a whole layer.
const int64_t kMaxHistoryPixels = 36000000;

// The background layer takes the picture over: alpha made opaque when missing, the original
// kept or not.
void TakeBackgroundPicture(CLayerInfo& layer, CZVImage& picture, bool keepSource)
{
    layer.displayed.Transfer(picture);
    layer.ownAlpha = layer.displayed.AlphaIsValid() ? 1 : 0;
    // A new alpha plane is opaque already.
    if (!layer.displayed.AlphaIsValid())
        layer.displayed.AlphaCreate();
    layer.width = static_cast<int32_t>(layer.displayed.GetWidth());
    layer.height = static_cast<int32_t>(layer.displayed.GetHeight());
    if (keepSource)
        layer.source.Copy(layer.displayed);
    else
        layer.ClearSourceImage();
}

int32_t HistoryLimitFor(int width, int height)
{
    const int64_t pixels = int64_t(width) * int64_t(height);
    return pixels <= kMaxHistoryPixels ? GetHistoryLimit(pixels) : 0;
}

} // namespace

bool CLayerDocument::SidesAllowed(int width, int height)
{
    return width >= 1 && height >= 1 && zvimage::SizeAllowed(uint64_t(width), uint64_t(height));
}

CDocumentLock::CDocumentLock()
{
    InitializeCriticalSection(&m_section);
}

CDocumentLock::~CDocumentLock()
{
    DeleteCriticalSection(&m_section);
}

void CDocumentLock::Enter()
{
    EnterCriticalSection(&m_section);
}

void CDocumentLock::Leave()
{
    LeaveCriticalSection(&m_section);
}

CLayerDocument::CLayerDocument()
{
    history.limit = 20;
}

CLayerDocument::~CLayerDocument() = default;

void CLayerDocument::ResetScroll()
{
    hPos = 0;
    vPos = 0;
}

void CLayerDocument::ClearLayersAndHistory()
{
    history.Clear();
    layers.RemoveAllLayers();
}

void CLayerDocument::SetHistoryLimitFor(int width, int height)
{
    history.limit = HistoryLimitFor(width, height);
}

void CLayerDocument::PlaceCanvas(int width, int height)
{
    const CanvasAxis x = PlaceCanvasAxis(width, zoom, viewRect.left, viewRect.right);
    const CanvasAxis y = PlaceCanvasAxis(height, zoom, viewRect.top, viewRect.bottom);
    hScroll = x.scroll;
    hStep = x.step;
    canvasRect.left = x.start;
    canvasRect.right = x.end;
    vScroll = y.scroll;
    vStep = y.step;
    canvasRect.top = y.start;
    canvasRect.bottom = y.end;
    docWidth = width;
    docHeight = height;
}

void CLayerDocument::SetUpBackground(CLayerInfo& layer)
{
    layer.type = LAYER_BACKGROUND;
    layer.visible = layer.framed = layer.movable = layer.selectable = 1;
    layer.picked = 0;
    layer.location = ZVPOINTF{static_cast<float>(canvasRect.left), static_cast<float>(canvasRect.top)};
    layer.drawOrigin = layer.location;
    CalcLayerTracker(&layer);
}

void CLayerDocument::KeepOrDropSource(CLayerInfo& layer)
{
    if (keepSource)
        layer.source.Copy(layer.displayed);
    else
        layer.ClearSourceImage();
}

CLayerInfo CLayerDocument::MakeBackgroundLayer(CZVImage& picture, const wchar_t* name)
{
    CLayerInfo layer;
    TakeBackgroundPicture(layer, picture, keepSource != 0);
    layer.name = name;
    return layer;
}

// The pictures travel by transfer: a large layer is never held twice on the way in.
CLayerInfo* CLayerDocument::PutLayer(CLayerInfo& layer, bool atBottom)
{
    CZVImage displayed, source;
    displayed.Transfer(layer.displayed);
    source.Transfer(layer.source);
    CLayerInfo* placed = nullptr;
    if (atBottom) {
        layer.id = 0;
        layers.InsertLayerAtBottom(layer);
        layers.currentId = 0;
        placed = layers.GetLayer(0);
    } else if (layers.AddLayer(layer)) {
        placed = layers.GetCurrentLayer();
    }
    CLayerInfo& owner = placed ? *placed : layer;
    owner.displayed.Transfer(displayed);
    owner.source.Transfer(source);
    return placed;
}

BOOL CLayerDocument::StartWithBackground(CLayerInfo& layer, bool record, bool fit)
{
    PlaceCanvas(layer.width, layer.height);
    SetUpBackground(layer);
    PutLayer(layer, true);
    if (record && historyOn)
        history.AddHistory(layers.GetLayer(0), HISTORY_ADD);
    if (fit)
        zoom = fitZoom = GetFitZoom();
    return TRUE;
}

BOOL CLayerDocument::OpenImage(const CZVImage& picture)
{
    // An empty picture would leave a document without a background.
    if (!picture.IsValid())
        return FALSE;
    CZVImage copy(picture);
    CLayerInfo layer = MakeBackgroundLayer(copy, L"");
    ResetScroll();
    ClearLayersAndHistory();
    return StartWithBackground(layer, true, true);
}

BOOL CLayerDocument::ReadBackgroundLayer(const wchar_t* path, bool keepSource, CLayerInfo& layer)
{
    CZVImage picture;
    {
        open_times::Scope timed("decode");
        if (!path || !picture.LoadFile(path))
            return FALSE;
    }
    {
        open_times::Scope timed("turn+bpp");
        picture.RotateExif(0);
        picture.IncreaseBpp(24);
        picture.ClearTransColor();
    }
    open_times::Scope timed("alpha+original");
    TakeBackgroundPicture(layer, picture, keepSource);
    return TRUE;
}

BOOL CLayerDocument::OpenImageFile(const wchar_t* path)
{
    CLayerInfo layer;
    return ReadBackgroundLayer(path, keepSource != 0, layer) && OpenReadLayer(layer);
}

std::shared_ptr<PreparedPictures> CLayerDocument::PrepareUndoStart(const CLayerInfo& layer)
{
    if (!layer.displayed.IsValid() || HistoryLimitFor(layer.width, layer.height) <= 0)
        return nullptr;
    return CHistoryStore::PreparePictures(layer, CHistoryManage::kDefaultTileSize, true);
}

BOOL CLayerDocument::OpenReadLayer(CLayerInfo& layer, std::shared_ptr<PreparedPictures> undoStart)
{
    if (!layer.displayed.IsValid())
        return FALSE;
    if (!keepSource && layer.source.IsValid()) {
        // The starting point was stored with the original.
        layer.ClearSourceImage();
        undoStart.reset();
    }
    layer.name = TranslateString(L"Background");
    ResetScroll();
    ClearLayersAndHistory();
    SetHistoryLimitFor(layer.width, layer.height);
    StartWithBackground(layer, false, true);
    if (historyOn)
        history.AddPreparedHistory(layers.GetLayer(0), std::move(undoStart), HISTORY_ADD);
    return TRUE;
}

BOOL CLayerDocument::NewBlankDocument(RGBQUAD colour, int width, int height, int dpi, BYTE alpha)
{
    if (!SidesAllowed(width, height))
        return FALSE;
    CZVImage picture;
    if (!picture.Create(width, height, 24))
        return FALSE;
    picture.SetXDPI(dpi);
    picture.SetYDPI(dpi);
    if (picture.AlphaCreate())
        picture.AlphaSet(alpha);
    picture.SetRectColor(RECT{0, 0, width, height}, colour, true);
    CLayerInfo layer = MakeBackgroundLayer(picture, TranslateString(L"Background"));
    layer.ownAlpha = alpha != 255 ? 1 : 0;
    ResetScroll();
    ClearLayersAndHistory();
    SetHistoryLimitFor(width, height);
    return StartWithBackground(layer, true, false);
}

void CLayerDocument::RenameOldBackground()
{
    CLayerInfo* old = layers.GetLayer(1);
    if (!old)
        return;
    old->type = LAYER_IMAGE;
    old->name = LayerName(TranslateString(L"Layer"), layers.imageNameCounter, false);
    layers.currentId = 1;
}

BOOL CLayerDocument::NewDocument(RGBQUAD colour, int width, int height)
{
    if (!SidesAllowed(width, height))
        return FALSE;
    CLayerInfo layer;
    if (!layer.displayed.Create(width, height, 24))
        return FALSE;
    layer.displayed.SetRectColor(RECT{0, 0, width, height}, colour, true);
    layer.ownAlpha = colour.rgbReserved != 255 ? 1 : 0;
    layer.name = TranslateString(L"Background");
    layer.width = width;
    layer.height = height;
    KeepOrDropSource(layer);
    // The canvas and the document size stay as they are: the caller refits the canvas.
    SetUpBackground(layer);
    const bool hadLayers = !layers.layers.empty();
    PutLayer(layer, true);
    RenameOldBackground();
    if (historyOn && hadLayers) {
        history.ShiftIdsUp();
        history.AddHistory(layers.GetLayer(0), HISTORY_NEW_DOCUMENT);
    }
    return TRUE;
}

BOOL CLayerDocument::InsertBackground(const CZVImage& picture, BOOL keepOldAsLayer)
{
    CZVImage copy(picture);
    CLayerInfo layer = MakeBackgroundLayer(copy, TranslateString(L"Background"));
    ResetScroll();
    StartWithBackground(layer, false, true);
    if (keepOldAsLayer)
        RenameOldBackground();
    return TRUE;
}

BOOL CLayerDocument::SetBackgroundImage(CZVImage& picture)
{
    const bool hadAlpha = picture.AlphaIsValid();
    CZVImage opaque(picture);
    if (!hadAlpha && opaque.AlphaCreate())
        opaque.AlphaSet(255);
    if (!layers.SetBaseImage(opaque))
        return InsertBackground(picture, FALSE);
    ResetScroll();
    CLayerInfo* base = layers.GetLayer(0);
    PlaceCanvas(base->width, base->height);
    base->name = TranslateString(L"Background");
    base->ownAlpha = hadAlpha ? 1 : 0;
    SetUpBackground(*base);
    return TRUE;
}

void CLayerDocument::RefitCanvas()
{
    CLayerInfo* base = layers.GetLayer(0);
    if (!base)
        return;
    ResetScroll();
    composite.Destroy();
    scaledComposite.Destroy();
    base->ClearZoomedCopy();
    const RECT oldCanvas = canvasRect;
    PlaceCanvas(static_cast<int>(base->displayed.GetWidth()), static_cast<int>(base->displayed.GetHeight()));
    if (pendingRescale) {
        if (rescaleX > 0 && rescaleY > 0) {
            layers.ScaleUpperLayers(rescaleX, rescaleY);
            layers.RemapLayerPositionsXY(oldCanvas, canvasRect, 1.0f / rescaleX, 1.0f / rescaleY);
        }
        pendingRescale = 0;
    }
    base = layers.GetLayer(0);
    base->name = TranslateString(L"Background");
    base->width = docWidth;
    base->height = docHeight;
    SetUpBackground(*base);
    if (zoom < 1.0f)
        RebuildScaledComposite();
    else
        RebuildComposite();
}

CStringW CLayerDocument::LayerName(const wchar_t* word, int32_t& counter, bool space)
{
    CStringW name;
    name.Format(space ? L"%s %d" : L"%s%d", word, counter);
    ++counter;
    return name;
}
