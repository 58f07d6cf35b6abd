#pragma once
// CLayeredViewWnd: the window that shows and edits a layered document. It owns the back buffer
// (the surround, the checker and the composite at the current zoom), zoom and scrolling with its
// two bars, painting, the keyboard nudge of the current layer, touch and pinch zoom, dropped
// files, picking and dragging layers by their frames, the cursors, and the hooks through which
// the editing views add their tools. Everything runs on the user-interface thread except the
// animation thread, which only invalidates.
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include "AnimateImage.h"
#include "AppFrame.h"
#include "BrushCursor.h"
#include "CanvasPrint.h"
#include "LayerDocument.h"
#include "SkinControls.h"
#include "ZVImage.h"

namespace Gdiplus {
class Graphics;
}

// Private messages of the canvas (wParam and lParam 0).
const UINT WM_CANVAS_REFRESH = 0x700;       // re-render and repaint; also the layer list's refresh
const UINT WM_CANVAS_SCROLL_LEFT = 0x8003;
const UINT WM_CANVAS_SCROLL_TOP = 0x8004;
const UINT WM_CANVAS_DELETE_LAYER = 0x8005; // the frame's delete button
const UINT WM_CANVAS_LAYER_MENU = 0x8006;   // the frame's menu button

// Resource ids of the canvas pictures (Document.rc).
const UINT IDB_CANVAS_CHECKER = 270;
const UINT IDB_CANVAS_SURROUND = 283;
const UINT IDR_PNG_CANVAS_SURROUND = 529;
const UINT IDR_PNG_FRAME_DELETE = 369;
const UINT IDR_PNG_FRAME_MENU = 568;
const UINT IDR_PNG_FRAME_RESIZE = 567;
const UINT IDR_PNG_FRAME_ROTATE = 566;
const UINT IDC_CANVAS_ROTATE = 219;
const UINT IDC_CANVAS_PICKER = 433;

// Frame hit codes and drag modes.
enum FrameHit : int32_t {
    HIT_NONE = -1,
    HIT_MENU = 0,
    HIT_DELETE = 1,
    HIT_ROTATE = 2,
    HIT_RESIZE = 3,
    HIT_MOVE = 9,
};

class CLayeredViewWnd : public CWnd {
public:
    static constexpr UINT_PTR kRedrawTimer = 101;
    static constexpr int kCursorCount = 7;
    static constexpr int kHandleSize = 24;   // the frame's handle squares and buttons at 96 DPI

    CLayeredViewWnd();
    ~CLayeredViewWnd() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnTouchInput(CPoint pt, int nInputNumber, int nInputsCount, PTOUCHINPUT pInput) override;
    BOOL OnGestureZoom(CPoint ptCenter, long lDelta) override;
    BOOL OnGesturePan(CPoint ptFrom, CPoint ptTo) override;
    BOOL OnGestureRotate(CPoint ptCenter, double dblAngle) override;

    // Hooks for the editing views; empty here.
    virtual void OnScrolled() {}
    virtual void OnDrawOverlay(CDC* memDC) { (void)memDC; }
    virtual void OnCanvasRectChanged(const RECT* newRect, const RECT* oldRect) { (void)newRect; (void)oldRect; }
    virtual void OnAfterPaint() {}
    virtual void OnDeleteLayerRequest() {}
    virtual void OnLayerMenuRequest() {}
    virtual void OnLayerResized() {}
    virtual void OnDropFile(const wchar_t* path) { (void)path; }
    virtual void OnZoomChanged() {}
    // The print job; the bodies come with printing.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) { (void)pDC; (void)pInfo; }
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo, BOOL bDirect, BOOL bShowDialog);

    void ZoomStep(BOOL zoomIn);
    LRESULT Recompose(WPARAM wParam = 0, LPARAM lParam = 0);
    void RenderBackBuffer();
    void UpdateScrollBars();
    void RecreateBackBuffer();
    void CentreScroll();
    void UpdateClientRect();
    void LoadBackgroundImage();
    // 0 menu, 1 delete, 3 resize, 2 rotate (the corner squares 0 to 3), 9 inside, -1 elsewhere.
    int HitTestTracker(int x, int y) const;
    void SetBrushCursor(int width, int height);
    void DestroyBrushCursor();
    // Raises the redraw flag; the 50 ms timer turns a burst of raises into one refresh.
    void RequestRedraw() { redrawPending.exchange(1); }
    // The layer dialogs' previews on the current layer (the index clamped to the last layer),
    // whichever layered view they work on; a locked layer is left alone. The angle in degrees
    // (re-rendered, its cached shadow dropped); the alpha byte and, for a width of 0 or more, the
    // size. TRUE when there was an unlocked layer.
    BOOL SetSelectedLayerAngle(int degrees);
    BOOL SetSelectedLayerAlpha(int alpha, int width, int height);
    // The animation and the mail hand-over, run by the combine and editor frames.
    void StartAnimation();
    void StopAnimation();
    void PrintImage();
    // Hands filePath to the mail program; FALSE without a file or when nothing was sent.
    BOOL SendByMail();
    // Runs the print job on the printer chosen in the system's print dialog.
    void PrintPicture(CPrintInfo* pInfo);

    std::atomic<int32_t> redrawPending{0};
    std::atomic<int32_t> displayMode{0};   // 0 editing, 1 animation frames, 2 loading or splash, 3 plain composite
    int32_t currentChanged = 0;
    int32_t framesShown = 1;
    int32_t dragModified = 0;
    int32_t pathShown = 1;
    int32_t pickEnabled = 1;
    int32_t directRepaint = 0;
    int32_t recentrePending = 0;
    int32_t backgroundStale = 1;
    CLayerDocument doc;
    CRotateTracker frame;   // the current layer's frame, for hit tests and drags
    CStringW filePath;
    int32_t centreOnZoom = 1;
    int32_t scrollBarsEnabled = 1;
    CBCGPScrollBar vBar, hBar;
    int32_t vBarWidth = 0;
    int32_t hBarHeight = 0;
    BitmapHandle backBuffer;
    BitmapHandle backgroundTile;
    BitmapHandle checkerPattern;

    int32_t dragging = 0;
    HCURSOR cursors[kCursorCount] = {};
    int32_t cursorIndex = -1;
    int32_t dragMode = -1;
    int32_t brushHotSpot = 8;
    int32_t buttonsLimited = 0;
    POINT rotateCentre = {0, 0};
    POINT pressPoint = {0, 0};
    POINT rotateReference = {0, 0};
    int32_t deletePressed = 0;
    int32_t menuPressed = 0;
    int32_t leaveTracking = 0;
    CZVImage buttonImages[4];   // delete, menu, resize, rotate

    std::unique_ptr<std::thread> animThread;
    std::atomic<int32_t> animRunning{0};
    std::atomic<int32_t> frameIndex{0};
    int32_t frameCount = 0;
    CZVImage** frames = nullptr;   // filled by the caller, freed here
    HANDLE animWake = nullptr;     // set by StopAnimation; the thread's frame wait ends on it
    // The wait between two frames; WAIT_OBJECT_0 when woken to stop. Tests replace it.
    virtual DWORD WaitForNextFrame(DWORD milliseconds);

    // Printing: the picture printed and the layout the print dialog chose.
    int32_t printImageGiven = 0;
    CPrintInfo printInfo;
    CZVImage printPicture;
    PrintLayout printLayout;

    CAnimateImage loadingAnimation;

    CursorHandle brushIcon;
    BitmapHandle brushBitmap;
    BitmapHandle brushAndMask;
    BitmapHandle brushXorMask;

    struct TouchPoint {
        POINT start;
        POINT current;
        int32_t down;
    };
    TouchPoint touches[10] = {};
    int32_t multiTouch = 0;

    // The handlers, also called by the editing views' own.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnScrollLeftEnd(WPARAM, LPARAM);
    afx_msg LRESULT OnScrollTopEnd(WPARAM, LPARAM);
    afx_msg LRESULT OnDeleteLayerMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnLayerMenuMessage(WPARAM, LPARAM);

protected:
    DECLARE_MESSAGE_MAP()

private:
    int ScrollX() const { return static_cast<int>(doc.hPos * doc.hStep); }
    int ScrollY() const { return static_cast<int>(doc.vPos * doc.vStep); }
    int Dpi() const;
    // GDI+ for the anti-aliased frame and grid; started once for the process.
    static bool StartGdiplus();
    // Both layout paths: a new back buffer, the canvas per axis, the layers moved to it.
    void LayOut(bool zoomed);
    void OnScroll(bool horizontal, UINT code, UINT position);
    // Paint steps.
    void RenderBackground(HDC dc);
    void DrawCheckerAt(HDC dc, int width, int height);
    void DrawComposite(HDC dc, bool rebuild);
    void DrawPicture(HDC dc, CZVImage& picture, float scale);
    void DrawLayersInPlace(HDC dc, bool leaveOutSlotFrames);
    void DrawDraggedLayer(HDC dc, CLayerInfo& layer);
    // Where a dragged layer's picture goes in the window (its draw origin set on the way).
    RECT PlaceDraggedLayer(CLayerInfo& layer);
    // A 1:1 blend of the picture from a premultiplied copy kept for the moves of one drag; false
    // when the picture does not qualify and must be drawn the usual way.
    bool DrawKeptBlend(HDC dc, const CZVImage& picture, const RECT& place);
    // What a drag paints in the window: the dragged pictures and the current layer's frame with
    // its buttons. A move invalidates this area before and after, not the whole window.
    RECT DragArea();
    void DrawLayerFrame(HDC dc, CLayerInfo& layer);
    // The outline (when g is given) and the buttons of frame, drawn shifted by -shift.
    void PaintLayerFrame(HDC dc, Gdiplus::Graphics* g, bool allButtons, POINT shift);
    // The frame blended from a drawing of it kept for the moves of one drag; false when it
    // cannot be made.
    bool DrawKeptFrame(HDC dc, bool allButtons);
    void DrawGrid(HDC dc);
    void DrawPath(HDC dc);
    void TileBackground(HDC dc);
    // The layer search of the press, double click and right press: topmost from the top down to
    // layer 1 that passes the test.
    CLayerInfo* TopLayerAt(CPoint point, bool forPick);
    void StartInPlaceEdit(CLayerInfo& layer, CPoint point);
    void FitHandlesToDpi();
    void Refresh();
    void AnimationThread();

    // The paint's work picture, of the back buffer's size and format: each paint copies its area
    // from the back buffer, draws on it and copies that area to the screen.
    BitmapHandle workBuffer;
    struct KeptBlend {
        const void* pixels = nullptr;   // the picture's buffer it was made from
        DWORD width = 0, height = 0;
        BitmapHandle bitmap;
    };
    KeptBlend dragBlend;
    struct KeptFrame {
        DWORD width = 0, height = 0;
        POINT shape[9] = {};   // the corners and squares within the drawing, square size, buttons
        BitmapHandle bitmap;
    };
    KeptFrame dragFrame;
};
