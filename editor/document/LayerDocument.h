#pragma once
// CLayerDocument: the layered picture behind a canvas window. It owns the layer list, the undo
// history, the two composites the canvas paints (full size, and reduced below zoom 1.0), the
// canvas geometry (where the picture lies in the window, zoom, scrolling) and the selection
// outline of the selection tools. Every call comes from the user-interface thread; the canvas
// code that paints or animates from elsewhere holds `lock`, which the document never takes.
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "HistoryManage.h"
#include "LayerGeometry.h"
#include "LayeredManage.h"
#include "RotateTracker.h"
#include "ShapeSettings.h"
#include "StringW.h"
#include "WordArtInfo.h"
#include "ZVImage.h"

class XmlNode;

// The critical section that the canvas code holds around its reads and writes of a document.
class CDocumentLock {
public:
    CDocumentLock();
    ~CDocumentLock();
    CDocumentLock(const CDocumentLock&) = delete;
    CDocumentLock& operator=(const CDocumentLock&) = delete;

    void Enter();
    void Leave();

private:
    CRITICAL_SECTION m_section;
};

// Holds a document lock for the life of the scope.
class CDocumentLockScope {
public:
    explicit CDocumentLockScope(CDocumentLock& lock) : m_lock(lock) { m_lock.Enter(); }
    ~CDocumentLockScope() { m_lock.Leave(); }
    CDocumentLockScope(const CDocumentLockScope&) = delete;
    CDocumentLockScope& operator=(const CDocumentLockScope&) = delete;

private:
    CDocumentLock& m_lock;
};

class CLayerDocument {
public:
    CLayerDocument();
    ~CLayerDocument();
    CLayerDocument(const CLayerDocument&) = delete;
    CLayerDocument& operator=(const CLayerDocument&) = delete;

    // Starting a document. The loads and the blank pictures are made apart first, so that a
    // failure leaves the document as it was. Sides run from 1 to the picture library's caps.
    BOOL OpenImage(const CZVImage& picture);
    BOOL OpenImageFile(const wchar_t* path);
    // OpenImageFile in two halves. The first reads the file into the background layer the
    // document starts with and touches no document, so a worker thread may run it; the second
    // starts the document with that layer, taken over.
    static BOOL ReadBackgroundLayer(const wchar_t* path, bool keepSource, CLayerInfo& layer);
    // The undo starting point of a document opened with a layer as ReadBackgroundLayer made it
    // (its original a copy of its picture), stored ahead on any thread; null for a picture too
    // large to keep undo steps.
    static std::shared_ptr<PreparedPictures> PrepareUndoStart(const CLayerInfo& layer);
    BOOL OpenReadLayer(CLayerInfo& layer, std::shared_ptr<PreparedPictures> undoStart = nullptr);
    BOOL NewBlankDocument(RGBQUAD colour, int width, int height, int dpi, BYTE alpha);
    // A filled background below the existing layers; the old background becomes layer 1.
    BOOL NewDocument(RGBQUAD colour, int width, int height);
    BOOL InsertBackground(const CZVImage& picture, BOOL keepOldAsLayer);
    BOOL SetBackgroundImage(CZVImage& picture);
    void RefitCanvas();

    // Adding layers: each goes on top, becomes current and is recorded as an add step.
    BOOL AddBlankLayer(RGBQUAD colour, int width, int height);
    BOOL AddImageLayer(const CZVImage& picture, BOOL ownAlpha);
    BOOL AddImageFileLayer(const wchar_t* path);
    BOOL AddTextLayer(CWordArtInfo settings);
    BOOL AddShapeLayer(ShapeSettings settings);
    BOOL DuplicateCurrentLayer();

    // Changing the current layer.
    BOOL UpdateTextLayer(CWordArtInfo settings);
    BOOL UpdateShapeLayer(ShapeSettings settings, BOOL moveToInsertPoint);
    void CommitCurrentLayer(BOOL bakeRotation);
    void RasterizeCurrentLayer();
    void EdgeCurrentLayer();
    void FilterCurrentLayer(long kernel[9]);
    BOOL DeleteCurrentLayer();
    void FlattenImage();
    void MergeVisibleLayers();
    void ApplyHistoryRecord(CHistoryData* record);

    // The current layer, the id clamped first; the defaults without one.
    float GetCurrentLayerAngle();
    ZVPOINTF GetCurrentLayerLocation();
    ZVPOINTF GetCurrentLayerAngleOrigin();
    int GetCurrentLayerWidth();
    int GetCurrentLayerHeight();
    // The alpha as a percentage, rounded half up.
    int GetCurrentLayerOpacity();
    int GetCurrentLayerShadow();
    int GetCurrentLayerShadowAngle();
    int GetCurrentLayerShadowDistance();
    int GetCurrentLayerShadowOffsetX();
    int GetCurrentLayerShadowOffsetY();
    // The reserved byte is the shadow's opacity.
    RGBQUAD GetCurrentLayerShadowColor();
    BOOL GetCurrentLayerKeepAspect();
    CZVImage* GetCurrentLayerImage();
    CZVImage* GetCurrentLayerSourceImage();
    void SetCurrentLayerLocation(float x, float y);
    void SetCurrentLayerAngleOrigin(float x, float y);
    void SetCurrentLayerKeepAspect(BOOL keep);
    CZVImage* GetBackgroundImage();
    void SetImageDPI(int dpi);
    BOOL SaveCurrentLayerImage(const wchar_t* path, int type);

    // Composites and canvas geometry.
    void RebuildComposite();
    void RebuildScaledComposite();
    void ComposeLayer(CLayerInfo* layer);
    void ComposeLayerScaled(CLayerInfo* layer);
    void CalcLayerTracker(CLayerInfo* layer);
    void UpdateLayerOrigin(CLayerInfo* layer);
    // 1.0 without a picture or a window.
    float GetFitZoom();

    // Selection outlines into pathPoints; points in window coordinates.
    void MakeCirclePath(int cx, int cy, int radius);
    void MakeEllipsePath(int x1, int y1, int x2, int y2);
    void AddArcPoints(int x1, int y1, int x2, int y2, float startDegrees, float endDegrees);
    void MakeRoundRectPath(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void MakeBalloonPath(int x1, int y1, int x2, int y2, int tail, int cornerHeight);
    void MakeHeartPath(int x1, int y1, int x2, int y2);
    void MakeDiamondPath(const RECT& rect);
    void MakeTrianglePath(const RECT& rect);
    void MakeRightTrianglePath(const RECT& rect);
    void MakePentagonPath(const RECT& rect);
    void MakeHexagonPath(const RECT& rect);
    // The region of like colour around the window point on the current layer.
    void MagicWandSelect(int x, int y);
    // The outline of the 4-connected region within 30 of the seed's colour (seed: x and memory
    // row), each boundary pixel mapped to (x * scale + originX, row from the top * scale + originY).
    // A palette picture of colours is traced in 24 bits and given back in its palette.
    void TraceColorRegion(CZVImage& picture, int originX, int originY, int seedX, int seedY, double scale);
    PathBounds GetPathBounds();
    bool IsInsidePath(int x, int y);
    // A straight line in the settings' outline colour, width and dash, its opacity from
    // reserved1 and its arrow style from lineOption.
    void DrawShapeLine(CZVImage& picture, float x1, float y1, float x2, float y2, const ShapeSettings* settings);

    // The project file (.kqd): a zip of main.xml, one lossless WebP per layer and a preview.
    // Saving writes the archive beside the target and replaces it only when everything was
    // written; a failure keeps the old file and leaves no temporary file. The archive's name is
    // the path's with the extension ".kqd".
    BOOL SaveProject(const wchar_t* path);
    // Reads an unpacked main.xml; its pictures are in the same folder. FALSE, with the document
    // as it was, for an unreadable file, a missing root or layer list, another version or a
    // missing background. A layer whose values the editor could not have made is dropped.
    BOOL LoadProject(const wchar_t* xmlPath);
    // The visible layers flattened, in the format of the path's extension.
    BOOL ExportImage(const wchar_t* path);
    // The background and the visible layers at the picture's full size, as the preview and the
    // export show them. Builds the layers' shadow caches on the way.
    BOOL RenderPreview(CZVImage& output);
    void WriteLayerXml(XmlNode* layersElement, CLayerInfo* layer);
    void WriteTextXml(XmlNode* layerElement, CWordArtInfo* wordArt);
    void WriteShapeXml(XmlNode* layerElement, ShapeSettings* shape);

    // The shape layers as the slots of a page template "Slots" file (path's extension becomes
    // ".xml"). FALSE when the file could not be written.
    BOOL SaveSlotTemplate(const wchar_t* path, BOOL alphaChannel, int pageKind);
    void WriteShapeSlot(XmlNode* slots, CLayerInfo* layer);
    void WriteLayerSlot(XmlNode* slots, CLayerInfo* layer);

    CDocumentLock lock;
    CLayeredManage layers;
    CHistoryManage history;
    int32_t historyOn = 0;
    int32_t keepSource = 1;
    int32_t composeSingle = 1;
    CZVImage composite;
    CZVImage scaledComposite;
    RECT canvasRect = {0, 0, 0, 0};
    int32_t docWidth = 0;
    int32_t docHeight = 0;
    // Canvas window state that the document only initialises.
    int32_t currentLayerWidth = 0;
    int32_t currentLayerHeight = 0;
    int32_t pressFrameWidth = 0;
    int32_t pressFrameHeight = 0;
    int32_t gridOn = 0;
    float gridCellWidth = 50.0f;
    float gridCellHeight = 50.0f;
    int32_t canvasSpare = 0;
    int32_t pendingRescale = 1;
    float rescaleX = 1.0f;
    float rescaleY = 1.0f;
    float zoom = 1.0f;      // view pixels per picture pixel
    float fitZoom = 1.0f;   // the zoom at which the picture fits the window, at most 1.0
    int32_t vScroll = 0;
    int32_t hScroll = 0;
    float vStep = 0;   // view pixels per scroll unit
    float hStep = 0;
    int32_t hPos = 0;   // scroll units, 0 to 100
    int32_t vPos = 0;
    int32_t oldHPos = 0;
    int32_t oldVPos = 0;
    float vPosRatio = 0;
    float hPosRatio = 0;
    int32_t lineStep = 100;
    RECT viewRect = {0, 0, 0, 0};   // the window's client area, set by the canvas
    CRotateTracker tracker;
    PathPoints pathPoints;
    POINT insertPoint = {0, 0};   // window coordinates of new text and shape layers
    CStringW suggestedSaveName;
    float canvasSpareFloat = 75.0f;
    int32_t frameMargin = 10;

private:
    // From 1 to the picture library's caps each way.
    static bool SidesAllowed(int width, int height);
    CLayerInfo* CurrentLayer() { return layers.GetCurrentLayer(); }
    int ScrollX() const { return static_cast<int>(hPos * hStep); }
    int ScrollY() const { return static_cast<int>(vPos * vStep); }
    void ResetScroll();
    void ClearLayersAndHistory();
    void SetHistoryLimitFor(int width, int height);
    // The background's canvas per axis for a picture of that size at the current zoom.
    void PlaceCanvas(int width, int height);
    // Type, flags, location at the canvas's top left and frame of a background.
    void SetUpBackground(CLayerInfo& layer);
    // A background layer that takes the picture over: alpha made opaque when missing.
    CLayerInfo MakeBackgroundLayer(CZVImage& picture, const wchar_t* name);
    // Into the list at the bottom (current id 0) or on top (current); the layer left without
    // pictures. Null when the list refuses it, the layer then as it was.
    CLayerInfo* PutLayer(CLayerInfo& layer, bool atBottom);
    BOOL StartWithBackground(CLayerInfo& layer, bool record, bool fit);
    // The former background at id 1 becomes a picture layer named after the image counter.
    void RenameOldBackground();
    // Places a new upper layer (at insertPoint or the visible top left), adds it and records it.
    BOOL AddUpperLayer(CLayerInfo& layer, bool atInsertPoint);
    void KeepOrDropSource(CLayerInfo& layer);
    CStringW LayerName(const wchar_t* word, int32_t& counter, bool space);
    // The step at the history's position when it added this same layer and no style has been
    // folded into it yet, else -1: adding a text or a shape and styling it for the first time
    // undo as one step, later restyles as steps of their own.
    int FirstStyleStepOf(const CLayerInfo& layer);
    // Records a restyle of the layer: restyle() applied to its add step's snapshot the first
    // time, else a modify step.
    void RecordRestyle(CLayerInfo& layer, const std::function<void(CLayerInfo&)>& restyle);
    // Per axis, the window narrowed to a picture smaller than it, for flatten and merge.
    RECT MergeViewRect();
    float MergeScale() const;
    // The layer's shadow (built once and cached) and picture onto the target at the offset.
    void ComposeOnto(CZVImage& target, CLayerInfo& layer, POINT offset, bool reduced);

    // Project reading: a layer built from its element and decoded picture (with its alpha plane
    // and, when sources are kept, its source copy already made), placed and added.
    bool ReadUpperLayer(XmlNode* element, int kind, CZVImage& picture, CZVImage& source, bool ownAlpha);
    // The picture-pixel place read from the element as a canvas location at the current zoom.
    ZVPOINTF ReadLocation(XmlNode* element);
    // The "Slot" element with its record, box and outline text.
    void WriteSlot(XmlNode* slots, CLayerInfo* layer, const std::wstring& outline);

    uint32_t m_styledAddSerial = 0;   // the layer whose add step took its first style
};
