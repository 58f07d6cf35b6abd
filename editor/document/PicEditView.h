#pragma once
// CPicEditView: the editor's picture view. A canvas window with the editing tools, the selection
// outline and its rectangle tracker, opening and cropping, and the host interface through which
// it asks the editor frame for settings and tells it about changes. The cosmetics, effect and
// split views derive from it and override parts of the host interface.
#include <memory>
#include "EditorHost.h"
#include "LayeredViewWnd.h"
#include "ZVRectTracker.h"

// The layer menu (Document.rc) and its commands.
const UINT IDR_LAYER_MENU = 438;
const UINT ID_LAYER_VISIBLE = 32994;
const UINT ID_LAYER_DUPLICATE = 32995;
const UINT ID_LAYER_DELETE = 32996;
const UINT ID_LAYER_FRONT = 32997;
const UINT ID_LAYER_BACK = 32998;
const UINT ID_LAYER_LOCKED = 33096;
const UINT ID_LAYER_RENAME = 33097;
const UINT ID_LAYER_OPTIONS = 33098;
const UINT ID_LAYER_EDIT_TEXT = 33204;
// The tool cursors (Document.rc).
const UINT IDC_TOOL_SELECT = 491;
const UINT IDC_TOOL_WAND = 492;
const UINT IDC_TOOL_CROP = 493;
const UINT IDC_TOOL_SHAPE = 494;
const UINT IDC_TOOL_SOURCE = 514;

// The layer menu's captions in the user's language.
void TranslateLayerMenu(HMENU menu);
// A layer menu item's state for the current layer of the list.
struct LayerMenuItemState {
    bool enabled;
    bool checked;
};
LayerMenuItemState GetLayerMenuItemState(UINT id, CLayeredManage& layers);
// Every item of the menu (and its sub-menus) in the state the list gives it.
void SetLayerMenuStates(HMENU menu, CLayeredManage& layers);
// The cursor resource of a tool; 0 for the brush tools and the tools without one.
UINT ToolCursorId(int tool);

// Swaps x and then y so that left <= right and top <= bottom.
void NormalizeRect(RECT* rect);

// The status texts of the picture position and of a rectangle in picture pixels.
CStringW PositionText(int x, int y);
CStringW RectText(int left, int top, int width, int height);

class CDlgEditorLayerOptions;
struct ReadPicture;

class CPicEditView : public CLayeredViewWnd {
public:
    static constexpr UINT_PTR kAntsTimer = 1;
    static constexpr UINT kAntsPeriod = 333;

    CPicEditView();
    ~CPicEditView() override;

    // Canvas hooks.
    void OnScrolled() override;
    void OnDrawOverlay(CDC* memDC) override;
    void OnCanvasRectChanged(const RECT* newRect, const RECT* oldRect) override;
    void OnAfterPaint() override;
    void OnDeleteLayerRequest() override;
    void OnLayerMenuRequest() override;
    void OnDropFile(const wchar_t* path) override;

    // Host interface: the registered host's answers, or the defaults without one.
    virtual int GetFixedCropWidth();
    virtual int GetFixedCropHeight();
    virtual void NotifyLayersChanged();
    virtual void OnMouseNotify(int tool, UINT flags, int x, int y);
    virtual void OnHistoryApplied() {}
    virtual void OnCurrentLayerNotify();
    virtual void OnShapeFinished();
    virtual void SetShapeSize(int width, int height);
    virtual ShapeSettings GetHostShapeSettings();
    virtual void SetHostShapeSettings(ShapeSettings settings);
    virtual ShapeSettings GetHostLineSettings();
    virtual CStringW GetBrushFile();

    // The tool's cursor, shown by the canvas; the brush tools get the round brush cursor.
    void SetToolCursor();

    // Selection outline, tracker and crop.
    BOOL ApplySelection();
    void ClearSelection();
    void SelectAll();
    void CancelPolygon();
    void FitOutlineToTracker();
    void ResetTrackerToOutline();
    void TrackerToCanvasRect();
    void CanvasToTrackerRect();
    BOOL CropToTracker();
    // The current layer's drop shadow through its dialog, previewed while it runs; Cancel puts
    // the old values back, a locked layer keeps its shadow.
    void EditLayerShadow();

    // Picture intake (a failed one leaves the document and the scrolling as they were).
    BOOL OpenFile(const wchar_t* path);
    BOOL OpenImage(const CZVImage& picture);
    BOOL OpenImageFile(const wchar_t* path);
    // OpenFile with the file read before (CPictureReadAhead); null for one that failed.
    BOOL OpenReadFile(const wchar_t* path, std::unique_ptr<ReadPicture> picture);
    BOOL NewDocument(RGBQUAD colour, int width, int height, int dpi, BYTE alpha);
    BOOL SetBackgroundImage(CZVImage& picture);
    // The picture as the background below the layers, the history kept (redo of a new document).
    BOOL ReopenWithImage(const CZVImage& picture);
    BOOL RefitCanvas();
    BOOL CopyToBackgroundSource(const CZVImage& picture);
    // Unsaved changes: the modified flag or a history moved since the last save.
    bool IsModified();
    // Saves before a dropped file replaces the document; FALSE keeps the document.
    virtual BOOL SaveBeforeReplace() { return Save(); }

    // Projects and files. The saves return TRUE when the file was written; only then does the
    // document count as saved.
    BOOL OpenProject(const wchar_t* path);
    BOOL OpenAsLayers();
    BOOL Save();
    BOOL SaveAs(const wchar_t* title);
    void ExportShapeToPage();
    BOOL NewDocumentFromClipboard();
    // Set by the editor frame once a picture or project is open: Save asks how to save.
    int32_t askBeforeOverwrite = 0;

    // ---- Layer commands, the clipboard, undo and redo ----
    // Before a raster operation: an editable text or shape layer becomes an image layer once the
    // user agrees. False when the user declines; the operation is then not done.
    bool EnsureImageLayer();
    BOOL AddTextLayer(CWordArtInfo settings);
    BOOL SetTextLayer(CWordArtInfo settings);
    BOOL AddShapeLayer(ShapeSettings settings);
    BOOL SetShapeSettings(ShapeSettings settings);
    // FALSE only when the picture cannot be loaded.
    BOOL AddMaterialLayer(const wchar_t* path);
    void DuplicateLayerImage();
    BOOL BringLayerForward();
    BOOL SendLayerBackward();
    void FlipLayerVertical();
    void FlipLayerHorizontal();
    void ApplyTransparentGradient(long start, long end, long mode);
    void ResizeLayer(int width, int height);
    // alpha's low byte; a negative width keeps the size.
    void SetLayerOptions(int alpha, int width, int height);
    // TRUE when a layer was deleted.
    BOOL DeleteSelectionOrLayer();
    // The layer menu's enable and check rules, from what they look at.
    struct LayerMenuFacts {
        int currentId;
        int type;
        bool locked;
        bool visible;
        int count;
    };
    struct LayerMenuItem {
        bool enabled;
        bool checked;
    };
    static LayerMenuItem LayerMenuRule(UINT id, const LayerMenuFacts& facts);
    // The Layer menu's transparency gradients (33090, 33092 to 33095): the start and end
    // opacity in percent and the library's mode. False for another command.
    static bool GradientOfCommand(UINT id, long& start, long& end, long& mode);
    // The layer menu's commands.
    void OnLayerVisible();
    void OnLayerLocked();
    void OnLayerDuplicate();
    void OnLayerDelete();
    void OnLayerFront();
    void OnLayerBack();
    void OnEditText();
    void OnRenameLayer();
    void OnLayerOptions();
    // The layer options dialog's values shown on the current layer: opacity, size, place, keep
    // aspect and angle, each left exact while the dialog's field still holds its opening value.
    void PreviewLayerOptions(const CDlgEditorLayerOptions& dialog);
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // FALSE without a layer, when the clipboard could not be opened, or when it refused a format
    // (the user is told); a Cut then keeps the layer.
    BOOL CopyToClipboard();
    void PasteAsLayer();
    void Undo();
    // FALSE always.
    BOOL Redo();
    // Old-to-new size ratios of the last resize, for the layer frame.
    float resizeRatioX = 1.0f;
    float resizeRatioY = 1.0f;

    // The marching ants' colour for the counter value after its increment: black above 4.
    static bool AntsBlack(int counter) { return counter > 4; }
    // Brush tools draw with the round brush cursor.
    static bool IsBrushTool(int tool);

    // Mouse tools and the brush engine (PicEditViewTools.cpp, PicEditViewBrush.cpp).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void SetBrushOptions(int type, int size, int cellIndex, int opacity, BOOL automaticStep, int step, int unused);
    void PrepareBrushImage();
    // One paint step of the current tool at the window point.
    void Dab(CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnMouseLeave();
    afx_msg void OnDestroy();

    int32_t tool = 0;
    CZVRectTracker selectionTracker;
    POINT trackerAnchor = {0, 0};
    BYTE newSelection = 0;
    BYTE polygonClosed = 0;
    int32_t antsCounter = 0;
    int32_t antsPhase = 0;
    int32_t brushSize = 50;
    int32_t brushSizes[3] = {50, 50, 50};
    int32_t brushStep = 16;
    RGBQUAD paintColour = {0xFF, 0x2A, 0x2A, 0xA2};
    BYTE paintOpacity = 255;
    int32_t colourSlots[2] = {-1, -1};
    float brushScaleX = 1.0f;
    float brushScaleY = 1.0f;
    CZVImage brushPicture;
    POINT dragStart = {0, 0};
    int32_t modified = 0;

    // Mouse tools and the brush engine.
    int32_t brushType = 1;
    int32_t autoStep = 0;
    int32_t stampIndex = 0;
    RGBQUAD secondColour = {0xFF, 0xFF, 0xFF, 0};   // the eraser's
    int32_t typeSizes[5] = {50, 50, 50, 50, 50};   // types 0; 1-2; 3; 4; 5 and 9-17
    int32_t brushRadius = 8;
    int32_t mosaicSize = 10;
    BYTE brushStale = 1;
    uint32_t brushLayer = 0;   // serial of the layer a picture-made brush was made from
    float lastDab[2] = {0, 0};
    POINT lastStamp = {0, 0};
    int32_t cloneState = 1;   // 0 off, 1 waiting for the source click, 2 source chosen, 3 painting
    POINT cloneSource = {0, 0};
    POINT cloneOffset = {0, 0};
    POINT panStart = {0, 0};
    POINT panStartPos = {0, 0};
    int32_t panning = 0;
    POINT selectStart = {0, 0};
    int32_t selectionWidth = 0;
    int32_t selectionHeight = 0;
    POINT moveAnchor = {0, 0};
    int32_t shapeDragStarted = 0;
    uint32_t shapeDragLayer = 0;   // serial of the shape layer the running drag added
    int32_t lineDrawing = 0;
    POINT lastPoint = {0, 0};
    BYTE suppressContextMenu = 0;
    BYTE strokePainted = 0;   // the press changed pixels: its release records the step
    BYTE eraseTransparent = 0;   // the eraser gives a picture without alpha an alpha to erase

    // Timer 1 moves the marching ants on by one pixel while there is an outline.
    afx_msg void OnTimer(UINT_PTR nIDEvent);

protected:
    DECLARE_MESSAGE_MAP()

    int SX() const { return static_cast<int>(doc.hPos * doc.hStep); }
    int SY() const { return static_cast<int>(doc.vPos * doc.vStep); }
    // Picture pixels of a tracker rectangle (the crop's arithmetic): left, top, right, bottom.
    RECT TrackerPictureRect();
    void BeginIntake();
    void FinishIntake(bool relayout, bool markCurrent, bool refreshList);
    // A background layer read from a file becomes the document.
    BOOL OpenReadLayer(CLayerInfo& layer, std::shared_ptr<PreparedPictures> undoStart = nullptr);
    // The project or the flattened picture to path, by its extension; then the document counts
    // as saved. A failure is told to the user and changes nothing.
    BOOL WriteDocument(const wchar_t* path);
    // Mouse tool steps.
    void SelectionDown(CPoint point);
    void SelectionMove(UINT nFlags, CPoint point);
    void CropDown(CPoint point);
    void PaintDown(UINT nFlags, CPoint point);
    void PanTo(CPoint point);
    void ShapeMove(CPoint point);
    void LineMove(CPoint point);
    void LineUp();
    void RepaintOutline();
    // Brush engine steps on the current layer's picture, pixel coordinates rows from the bottom.
    RECT StrokeSegment(CZVImage& picture, POINT to);
    RECT RegionEffect(CZVImage& picture, CLayerInfo& layer);
    void BakeRotation(CLayerInfo& layer);
};
