// Real canvases under the display, driven by messages and their handlers.
#include <shlobj.h>
#include <cmath>
#include <string>
#include "BrushCursor.h"
#include "CanvasTestApp.h"

namespace {

const double kCanvasPi = 3.14159265358979323846;

CZVImage CanvasPlain(long width, long height, COLORREF colour, BYTE alpha = 255)
{
    CZVImage p;
    p.Create(width, height, 24);
    p.SetRectColor(RECT{0, 0, width, height}, CxImage::RGBtoRGBQUAD(colour));
    p.AlphaCreate();
    p.AlphaSet(alpha);
    return p;
}

bool Reddish(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 120 && GetBValue(c) < 120; }
bool Bluish(COLORREF c) { return GetBValue(c) > 170 && GetRValue(c) < 110; }
bool Greenish(COLORREF c) { return GetGValue(c) > 120 && GetRValue(c) < 110 && GetBValue(c) < 110; }
bool Orangish(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 100 && GetGValue(c) < 180 && GetBValue(c) < 90; }

// A 600 x 400 canvas at the screen's top left with a white background of the given size.
class CanvasWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(canvas.CreateEx(0, nullptr, L"canvas", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400, nullptr,
                                    nullptr));
        canvas.UpdateClientRect();
    }
    void TearDown() override
    {
        canvas.DestroyWindow();
        PumpPending();
    }

    void Open(long width, long height, BYTE alpha = 255, COLORREF colour = RGB(255, 255, 255))
    {
        ASSERT_TRUE(canvas.doc.OpenImage(CanvasPlain(width, height, colour, alpha)));
        canvas.doc.historyOn = 1;
        LayOutAt(1.0f);
    }
    // The zoom set and laid out as a resize does it, then re-rendered.
    void LayOutAt(float zoom)
    {
        canvas.doc.zoom = zoom;
        canvas.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
        canvas.Recompose();
    }
    // A layer at picture point (x, y) of the background; its id.
    int AddLayer(long width, long height, COLORREF colour, int x, int y, BYTE alpha = 255)
    {
        CLayerDocument& doc = canvas.doc;
        EXPECT_TRUE(doc.AddImageLayer(CanvasPlain(width, height, colour, alpha), TRUE));
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        layer->location = ZVPOINTF{doc.canvasRect.left + x * doc.zoom, doc.canvasRect.top + y * doc.zoom};
        doc.UpdateLayerOrigin(layer);
        return layer->id;
    }
    CLayerInfo& Layer(int id) { return *canvas.doc.layers.GetLayer(id); }
    // Repainted now, as the user sees it.
    void Paint()
    {
        canvas.Recompose();
        canvas.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    // The window's pixels after a paint.
    std::unique_ptr<CPixelCanvas> Screen()
    {
        Paint();
        return ScreenAsIs();
    }
    // The window's pixels as the paints so far left them.
    std::unique_ptr<CPixelCanvas> ScreenAsIs()
    {
        auto pixels = std::make_unique<CPixelCanvas>(600, 400, RGB(1, 2, 3));
        HDC dc = ::GetDC(canvas.m_hWnd);
        ::BitBlt(pixels->DC().m_hDC, 0, 0, 600, 400, dc, 0, 0, SRCCOPY);
        ::ReleaseDC(canvas.m_hWnd, dc);
        return pixels;
    }
    POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    void Press(POINT p) { canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
    void Drag(POINT p) { canvas.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
    void Release(POINT p) { canvas.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }

    CRecordingCanvas canvas;
};

// ---- Zoom and scrolling ----

TEST_F(CanvasWindow, ZoomStepsStopAtSixteen)
{
    Open(100, 100);
    LayOutAt(15.0f);
    canvas.ZoomStep(TRUE);
    EXPECT_FLOAT_EQ(canvas.doc.zoom, 16.0f);
    canvas.ZoomStep(TRUE);
    EXPECT_FLOAT_EQ(canvas.doc.zoom, 16.0f);
}

TEST_F(CanvasWindow, NewSizeRepaintsTheWindow)
{
    // A picture that fits: no bar appears or goes, so only the layout itself can ask for a paint.
    Open(200, 100);
    canvas.ValidateRect(nullptr);
    canvas.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
    CRect dirty;
    EXPECT_TRUE(canvas.GetUpdateRect(&dirty, FALSE));
    EXPECT_EQ(dirty, CRect(0, 0, 600, 400));
}

TEST_F(CanvasWindow, SmallerAxisIsCentredAndShowsNoBar)
{
    struct Case {
        long width, height;
        bool hBar, vBar;
        RECT canvasRect;
    };
    const Case cases[] = {
        {400, 300, false, false, {100, 50, 500, 350}},
        {800, 200, true, false, {0, 100, 600, 300}},
        {200, 500, false, true, {200, 0, 400, 400}},
    };
    for (const Case& c : cases) {
        Open(c.width, c.height);
        const RECT& r = canvas.doc.canvasRect;
        EXPECT_EQ(canvas.hBar.IsWindowVisible() != FALSE, c.hBar) << c.width << " x " << c.height;
        EXPECT_EQ(canvas.vBar.IsWindowVisible() != FALSE, c.vBar) << c.width << " x " << c.height;
        EXPECT_EQ(r.left, c.canvasRect.left) << c.width << " x " << c.height;
        EXPECT_EQ(r.top, c.canvasRect.top) << c.width << " x " << c.height;
        EXPECT_EQ(r.right, c.canvasRect.right) << c.width << " x " << c.height;
        EXPECT_EQ(r.bottom, c.canvasRect.bottom) << c.width << " x " << c.height;
    }
}

TEST_F(CanvasWindow, FirstZoomCentresLaterZoomsKeepTheRatio)
{
    Open(800, 600);
    canvas.ZoomStep(TRUE);
    const int limit = canvas.hBar.GetScrollLimit();
    ASSERT_GT(limit, 0);
    EXPECT_EQ(canvas.doc.hPos, limit / 2);
    EXPECT_EQ(canvas.doc.vPos, canvas.vBar.GetScrollLimit() / 2);
    canvas.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), 0);
    ASSERT_EQ(canvas.doc.hPos, 100);
    const float ratio = canvas.doc.hPosRatio;
    canvas.ZoomStep(TRUE);
    EXPECT_EQ(canvas.doc.hPos, static_cast<int>(canvas.hBar.GetScrollLimit() * ratio));
    EXPECT_GT(canvas.doc.hPos, 100);
}

TEST_F(CanvasWindow, ScrollMessagesMoveThePositionAndTheLeftEndMessageResetsIt)
{
    Open(1000, 1000);
    canvas.SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(canvas.doc.hPos, 100);
    canvas.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(canvas.doc.vPos, canvas.vBar.GetScrollLimit());
    EXPECT_EQ(canvas.vBar.GetScrollPos(), canvas.doc.vPos);
    canvas.PostMessage(WM_CANVAS_SCROLL_LEFT);
    canvas.PostMessage(WM_CANVAS_SCROLL_TOP);
    PumpFor(100);
    EXPECT_EQ(canvas.doc.hPos, 0);
    EXPECT_EQ(canvas.doc.vPos, 0);
}

TEST_F(CanvasWindow, EmptyDocumentAndZeroSizeNeverDivide)
{
    // No layers, no picture: zoom, size and paint lay out nothing and do not fail.
    canvas.doc.fitZoom = 0.0f;
    canvas.ZoomStep(TRUE);
    canvas.MoveWindow(0, 0, 0, 0);
    canvas.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    canvas.MoveWindow(0, 0, 600, 400);
    Paint();
    EXPECT_EQ(canvas.doc.canvasRect.left, 300);
}

// ---- Keyboard ----

TEST_F(CanvasWindow, ArrowMovesTheCurrentLayerOnePicturePixelAndIsNotSwallowed)
{
    Open(400, 300);
    const int id = AddLayer(40, 40, RGB(255, 0, 0), 100, 100);
    MSG key = {canvas.m_hWnd, WM_KEYDOWN, VK_LEFT, 0};
    // The background current: nothing moves.
    canvas.doc.layers.currentId = 0;
    const ZVPOINTF before = Layer(id).location;
    EXPECT_FALSE(canvas.PreTranslateMessage(&key));
    EXPECT_FLOAT_EQ(Layer(id).location.x, before.x);
    // The layer current at zoom 2: two window pixels.
    LayOutAt(2.0f);
    canvas.doc.layers.currentId = id;
    const ZVPOINTF at = Layer(id).location;
    const LONG frameX = Layer(id).frame.points[0].x;
    EXPECT_FALSE(canvas.PreTranslateMessage(&key));
    EXPECT_FLOAT_EQ(Layer(id).location.x, at.x - 2.0f);
    EXPECT_FLOAT_EQ(Layer(id).location.y, at.y);
    EXPECT_EQ(Layer(id).frame.points[0].x, frameX - 2);
    EXPECT_EQ(canvas.redrawPending.load(), 1);
}

// ---- Touch ----

TOUCHINPUT Touch(DWORD flags)
{
    TOUCHINPUT input = {};
    input.dwFlags = flags;
    return input;
}

TEST_F(CanvasWindow, OneFingerActsAsTheMouse)
{
    Open(400, 300);
    const int id = AddLayer(100, 100, RGB(255, 0, 0), 100, 100);
    canvas.doc.layers.currentId = 0;
    TOUCHINPUT down = Touch(TOUCHEVENTF_DOWN), up = Touch(TOUCHEVENTF_UP);
    canvas.OnTouchInput(CPoint(250, 200), 0, 1, &down);
    EXPECT_EQ(canvas.doc.layers.currentId, id);
    EXPECT_EQ(canvas.dragging, 1);
    canvas.OnTouchInput(CPoint(250, 200), 0, 1, &up);
    EXPECT_EQ(canvas.dragging, 0);
}

TEST_F(CanvasWindow, PinchOfFiftyPixelsDoesNothingFiftyOneZoomsOneStep)
{
    Open(400, 300);
    const float zoom = canvas.doc.zoom;
    TOUCHINPUT down = Touch(TOUCHEVENTF_DOWN), move = Touch(TOUCHEVENTF_MOVE);
    canvas.OnTouchInput(CPoint(100, 200), 0, 2, &down);
    canvas.OnTouchInput(CPoint(200, 200), 1, 2, &down);
    canvas.OnTouchInput(CPoint(250, 200), 1, 2, &move);
    EXPECT_FLOAT_EQ(canvas.doc.zoom, zoom);
    canvas.OnTouchInput(CPoint(251, 200), 1, 2, &move);
    EXPECT_FLOAT_EQ(canvas.doc.zoom, NextZoom(zoom, true));
    // The start points moved with the step: the same spread again does nothing more.
    canvas.OnTouchInput(CPoint(260, 200), 1, 2, &move);
    EXPECT_FLOAT_EQ(canvas.doc.zoom, NextZoom(zoom, true));
}

// ---- Dropped files ----

HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t chars = 1;
    for (const std::wstring& p : paths)
        chars += p.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& p : paths) {
        std::copy(p.begin(), p.end(), text);
        text += p.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(CanvasWindow, DroppedFilesReachTheHookInOrderWithLongPathsWhole)
{
    const std::wstring longPath = L"C:\\" + std::wstring(590, L'a') + L"\\b.png";
    ASSERT_GT(longPath.size(), 520u);
    const std::vector<std::wstring> paths = {L"C:\\one.jpg", longPath, L"D:\\three.png"};
    canvas.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)));
    EXPECT_EQ(canvas.dropped, paths);
}

// ---- Mouse ----

TEST_F(CanvasWindow, PressInsideTheCurrentFrameKeepsTheCurrentLayer)
{
    Open(400, 300);
    const int lower = AddLayer(200, 200, RGB(255, 0, 0), 0, 0);
    const int upper = AddLayer(200, 150, RGB(0, 0, 255), 100, 100);
    canvas.doc.layers.currentId = lower;
    Paint();
    // Window (250, 200) lies in both; the upper layer is on top there.
    Press(POINT{250, 200});
    EXPECT_EQ(canvas.doc.layers.currentId, lower);
    EXPECT_EQ(canvas.currentChanged, 0);
    Release(POINT{250, 200});
    // Outside the current frame the upper layer is picked.
    Paint();
    Press(POINT{380, 280});
    EXPECT_EQ(canvas.doc.layers.currentId, upper);
    Release(POINT{380, 280});
}

TEST_F(CanvasWindow, PressOnEmptyCanvasClearsToTheBackground)
{
    Open(400, 300);
    AddLayer(50, 50, RGB(255, 0, 0), 10, 10);
    Paint();
    Press(POINT{480, 330});
    EXPECT_EQ(canvas.doc.layers.currentId, 0);
    EXPECT_EQ(canvas.currentChanged, 1);
    EXPECT_EQ(canvas.dragging, 0);
    EXPECT_EQ(canvas.frame.points[1].x, 0);
    Release(POINT{480, 330});
}

TEST_F(CanvasWindow, LockedAndOverlayLayersAreNeitherPickedNorDragged)
{
    struct Case {
        const char* name;
        bool locked;
        int type;
    };
    const Case cases[] = {{"locked", true, LAYER_IMAGE}, {"overlay", false, LAYER_PAGE_OVERLAY}};
    for (const Case& c : cases) {
        Open(400, 300);
        const int id = AddLayer(100, 100, RGB(255, 0, 0), 100, 100);
        Layer(id).locked = c.locked ? 1 : 0;
        Layer(id).type = c.type;
        // Not picked from the background.
        canvas.doc.layers.currentId = 0;
        Paint();
        Press(POINT{250, 200});
        EXPECT_EQ(canvas.doc.layers.currentId, 0) << c.name;
        Release(POINT{250, 200});
        // Not dragged when current, and no history step for a drag that moved nothing.
        canvas.doc.layers.currentId = id;
        Paint();
        const ZVPOINTF at = Layer(id).location;
        const int steps = canvas.doc.history.GetCount();
        Press(POINT{250, 200});
        Drag(POINT{280, 230});
        Release(POINT{280, 230});
        EXPECT_FLOAT_EQ(Layer(id).location.x, at.x) << c.name;
        EXPECT_FLOAT_EQ(Layer(id).location.y, at.y) << c.name;
        EXPECT_EQ(canvas.doc.history.GetCount(), steps) << c.name;
        EXPECT_EQ(Layer(id).visible, 1) << c.name;
    }
}

TEST_F(CanvasWindow, MoveDragMovesTheLayerAndRecordsOneStep)
{
    Open(400, 300);
    const int id = AddLayer(100, 100, RGB(255, 0, 0), 100, 100);
    Paint();
    const ZVPOINTF at = Layer(id).location;
    const int steps = canvas.doc.history.GetCount();
    Press(POINT{250, 200});
    Drag(POINT{260, 205});
    Drag(POINT{270, 215});
    Release(POINT{270, 215});
    EXPECT_FLOAT_EQ(Layer(id).location.x, at.x + 20);
    EXPECT_FLOAT_EQ(Layer(id).location.y, at.y + 15);
    EXPECT_EQ(Layer(id).visible, 1);
    EXPECT_EQ(Layer(id).dragging, 0);
    EXPECT_EQ(canvas.doc.history.GetCount(), steps + 1);
}

TEST_F(CanvasWindow, ResizeAtHalfTurnKeepsTheOppositeCorner)
{
    Open(400, 300);
    const int id = AddLayer(100, 80, RGB(255, 0, 0), 100, 100);
    Layer(id).SetAngle(static_cast<float>(kCanvasPi));
    canvas.doc.UpdateLayerOrigin(&Layer(id));
    Paint();
    const CLayerInfo& layer = Layer(id);
    const float farX = layer.location.x + layer.width, farY = layer.location.y + layer.height;
    // Turned over, the resize square sits at the top left of the picture on the screen.
    const POINT handle = Centre(canvas.frame.handleRects[2]);
    ASSERT_EQ(canvas.HitTestTracker(handle.x, handle.y), HIT_RESIZE);
    Press(handle);
    EXPECT_EQ(canvas.dragMode, HIT_RESIZE);
    Drag(POINT{handle.x - 20, handle.y - 10});
    EXPECT_NEAR(Layer(id).width, 120, 1);
    EXPECT_NEAR(Layer(id).height, 90, 1);
    EXPECT_NEAR(Layer(id).location.x + Layer(id).width, farX, 0.01);
    EXPECT_NEAR(Layer(id).location.y + Layer(id).height, farY, 0.01);
    Release(POINT{handle.x - 20, handle.y - 10});
}

TEST_F(CanvasWindow, DeletePressedAndReleasedElsewherePostsTheRequest)
{
    Open(400, 300);
    AddLayer(100, 100, RGB(255, 0, 0), 100, 100);
    Paint();
    const POINT button = Centre(canvas.frame.handleRects[1]);
    Press(button);
    EXPECT_EQ(canvas.deletePressed, 1);
    Release(POINT{5, 5});
    PumpFor(100);
    EXPECT_EQ(canvas.deleteRequests, 1);
    EXPECT_EQ(canvas.menuRequests, 0);
    Press(Centre(canvas.frame.handleRects[0]));
    Release(POINT{5, 5});
    PumpFor(100);
    EXPECT_EQ(canvas.menuRequests, 1);
}

TEST_F(CanvasWindow, LeavingTheWindowMidDragEndsTheDragWithOneStep)
{
    Open(400, 300);
    const int id = AddLayer(100, 100, RGB(255, 0, 0), 100, 100);
    Paint();
    const int steps = canvas.doc.history.GetCount();
    Press(POINT{250, 200});
    Drag(POINT{262, 200});
    canvas.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(canvas.dragging, 0);
    EXPECT_EQ(Layer(id).dragging, 0);
    EXPECT_EQ(Layer(id).visible, 1);
    EXPECT_EQ(canvas.doc.history.GetCount(), steps + 1);
}

TEST_F(CanvasWindow, BurstOfChangesGivesOneRefresh)
{
    Open(400, 300);
    PumpFor(100);
    canvas.refreshes = 0;
    for (int i = 0; i < 5; ++i)
        canvas.RequestRedraw();
    PumpFor(300);
    EXPECT_EQ(canvas.refreshes, 1);
}

// ---- Cursors ----

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    ::GetObjectW(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

int CanvasScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

TEST_F(CanvasWindow, SmallBrushShowsACrossLargeOneACircle)
{
    const int cross = BrushCrossSize(CanvasScreenDpi());
    BitmapHandle small(CreateBrushCursorBitmap(12, 12));
    EXPECT_EQ(BitmapSize(small.Get()).cx, cross);
    EXPECT_EQ(BitmapSize(small.Get()).cy, cross);
    canvas.SetBrushCursor(12, 12);
    ASSERT_TRUE(canvas.brushIcon.IsValid());
    EXPECT_EQ(canvas.brushHotSpot, cross / 2);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(canvas.brushIcon.Get(), &info));
    EXPECT_EQ(info.xHotspot, static_cast<DWORD>(cross / 2));
    EXPECT_EQ(info.yHotspot, static_cast<DWORD>(cross / 2));
    EXPECT_FALSE(info.fIcon);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);

    BitmapHandle large(CreateBrushCursorBitmap(40, 40));
    EXPECT_EQ(BitmapSize(large.Get()).cx, 40);
    EXPECT_EQ(BitmapSize(large.Get()).cy, 40);
    // The circle's rim is drawn, its inside stays transparent black.
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, large.Get());
    int rim = 0;
    for (int x = 0; x < 40; ++x)
        for (int y : {0, 1, 38, 39})
            rim += (::GetPixel(dc, x, y) & 0xFFFFFF) != 0;
    EXPECT_GT(rim, 4);
    EXPECT_EQ(::GetPixel(dc, 20, 20) & 0xFFFFFF, 0u);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
}

TEST_F(CanvasWindow, MasksMakeBlackTransparentAndKeepOtherColours)
{
    const DWORD pixels[2] = {0x000000, 0x0A141E};
    BitmapHandle bitmap(::CreateBitmap(2, 1, 1, 32, pixels));
    HBITMAP andMask = nullptr, xorMask = nullptr;
    ASSERT_TRUE(GetMaskBitmaps(bitmap.Get(), andMask, xorMask));
    BitmapHandle ownAnd(andMask), ownXor(xorMask);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, andMask);
    EXPECT_EQ(::GetPixel(dc, 0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(::GetPixel(dc, 1, 0) & 0xFFFFFF, 0u);
    ::SelectObject(dc, xorMask);
    EXPECT_EQ(::GetPixel(dc, 0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(::GetPixel(dc, 1, 0) & 0xFFFFFF, static_cast<COLORREF>(RGB(0x0A, 0x14, 0x1E)));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    HBITMAP none1 = nullptr, none2 = nullptr;
    EXPECT_FALSE(GetMaskBitmaps(nullptr, none1, none2));
    EXPECT_EQ(CreateCursorFromBitmap(nullptr, 0, 0), nullptr);
}

// ---- Painted pixels ----

TEST_F(CanvasWindow, CheckerShowsUnderTransparentPixels)
{
    Open(200, 100, 0);
    auto screen = Screen();
    // The canvas starts at (200, 150); the checker's squares are 8 pixels.
    EXPECT_EQ(screen->At(202, 152), RGB(255, 255, 255)) << ColorText(screen->At(202, 152));
    EXPECT_EQ(screen->At(210, 152), RGB(0xD6, 0xD6, 0xD6)) << ColorText(screen->At(210, 152));
}

TEST_F(CanvasWindow, LayerLandsAtItsPlaceAtEachZoom)
{
    struct Case {
        float zoom;
        POINT inside, outside;
    };
    // A 40 x 40 red layer at picture (100, 100) of a 400 x 300 background.
    const Case cases[] = {
        {0.5f, {260, 185}, {245, 185}},   // canvas at (200, 125): the layer spans (250, 175)-(270, 195)
        {2.0f, {240, 240}, {195, 240}},   // canvas at the window's top left: (200, 200)-(280, 280)
    };
    for (const Case& c : cases) {
        Open(400, 300);
        AddLayer(40, 40, RGB(255, 0, 0), 100, 100);
        canvas.framesShown = 0;
        LayOutAt(c.zoom);
        auto screen = Screen();
        EXPECT_EQ(screen->At(c.inside.x, c.inside.y), RGB(255, 0, 0)) << c.zoom << ": " << ColorText(screen->At(c.inside.x, c.inside.y));
        EXPECT_EQ(screen->At(c.outside.x, c.outside.y), RGB(255, 255, 255)) << c.zoom << ": " << ColorText(screen->At(c.outside.x, c.outside.y));
        canvas.framesShown = 1;
    }
}

TEST_F(CanvasWindow, FrameOutlineAndButtonsAtTheCorners)
{
    Open(400, 300);
    const int id = AddLayer(160, 120, RGB(60, 60, 60), 100, 100);
    auto screen = Screen();
    const POINT* p = Layer(id).frame.points;
    // Left of each corner's centre: the disc, clear of the glyph.
    EXPECT_TRUE(Bluish(screen->At(p[0].x - 8, p[0].y))) << "menu " << ColorText(screen->At(p[0].x - 8, p[0].y));
    EXPECT_TRUE(Reddish(screen->At(p[1].x - 8, p[1].y))) << "delete " << ColorText(screen->At(p[1].x - 8, p[1].y));
    EXPECT_TRUE(Greenish(screen->At(p[2].x - 8, p[2].y))) << "resize " << ColorText(screen->At(p[2].x - 8, p[2].y));
    EXPECT_TRUE(Orangish(screen->At(p[3].x - 8, p[3].y))) << "rotate " << ColorText(screen->At(p[3].x - 8, p[3].y));
    // Along the top edge the outline lightens and reddens the grey layer.
    int outlined = 0;
    for (int x = p[0].x + 20; x < p[1].x - 20; ++x) {
        const COLORREF c = screen->At(x, p[0].y);
        if (GetRValue(c) > GetGValue(c) + 30)
            ++outlined;
    }
    EXPECT_GT(outlined, 10);
}

// A drag repaints only around the layer: where it was shows the canvas again, where it is
// shows it blended as the finished picture shows it, with its frame's buttons at the new corners.
TEST_F(CanvasWindow, DragRepaintLeavesNoTrailAndBlendsAsTheFinishedPicture)
{
    Open(400, 300, 255, RGB(0, 0, 255));
    // Window (200, 150)-(300, 250), half transparent red over the blue background.
    const int id = AddLayer(100, 100, RGB(255, 0, 0), 100, 100, 128);
    Paint();
    Press(POINT{250, 200});
    PumpPending();
    canvas.UpdateWindow();
    for (int step = 1; step <= 4; ++step) {
        Drag(POINT{250 + 15 * step, 200 + 10 * step});
        canvas.UpdateWindow();
    }
    ASSERT_EQ(Layer(id).dragging, 1);
    auto during = ScreenAsIs();
    // Now at (260, 190)-(360, 290).
    EXPECT_EQ(during->At(210, 160), RGB(0, 0, 255)) << "trail " << ColorText(during->At(210, 160));
    EXPECT_EQ(during->At(290, 180), RGB(0, 0, 255)) << "trail " << ColorText(during->At(290, 180));
    const POINT* p = Layer(id).frame.points;
    EXPECT_TRUE(Reddish(during->At(p[1].x - 8, p[1].y))) << "delete " << ColorText(during->At(p[1].x - 8, p[1].y));
    EXPECT_TRUE(Greenish(during->At(p[2].x - 8, p[2].y))) << "resize " << ColorText(during->At(p[2].x - 8, p[2].y));
    // The outline along the left edge: its white lightens what lies below, its dashes redden it.
    int lightened = 0, reddened = 0;
    for (int y = p[0].y + 20; y < p[3].y - 20; ++y) {
        const COLORREF c = during->At(p[0].x, y);
        lightened += GetGValue(c) > 40 ? 1 : 0;
        reddened += GetRValue(c) > GetBValue(c) + 40 ? 1 : 0;
    }
    EXPECT_GT(lightened, 10);
    EXPECT_GT(reddened, 10);
    const COLORREF dragged = during->At(310, 240);
    Release(POINT{310, 240});
    canvas.framesShown = 0;
    auto after = Screen();
    const COLORREF finished = after->At(310, 240);
    for (int shift : {0, 8, 16})
        EXPECT_NEAR(static_cast<int>((dragged >> shift) & 0xFF), static_cast<int>((finished >> shift) & 0xFF), 2)
            << ColorText(dragged) << " against " << ColorText(finished);
    EXPECT_GT(GetRValue(finished), 100);
    EXPECT_GT(GetBValue(finished), 100);
    EXPECT_EQ(after->At(210, 160), RGB(0, 0, 255)) << ColorText(after->At(210, 160));
    canvas.framesShown = 1;
}

TEST_F(CanvasWindow, GridLinesAtZoomTwo)
{
    Open(400, 300);
    canvas.doc.gridOn = 1;
    LayOutAt(2.0f);
    auto screen = Screen();
    // Cells of 50 picture pixels: a line every 100 window pixels from the canvas's left.
    for (int x : {100, 200, 300}) {
        int darkest = 255;
        for (int dx = -1; dx <= 1; ++dx)
            darkest = std::min(darkest, static_cast<int>(GetRValue(screen->At(x + dx, 50))));
        EXPECT_LT(darkest, 160) << x;
    }
    EXPECT_EQ(screen->At(150, 50), RGB(255, 255, 255)) << ColorText(screen->At(150, 50));
}

} // namespace
