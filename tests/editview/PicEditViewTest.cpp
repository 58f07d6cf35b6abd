// The picture edit view under the display with a recording host: status texts, the canvas hooks,
// the delete question, the selection outline, the crop and the picture intake.
#include <cmath>
#include <map>
#include <string>
#include "CanvasTestApp.h"
#include "PicEditView.h"
#include "PopupMenu.h"
#include "BCGPMDIFrameWnd.h"
#include <vector>
#include "TestSupport.h"
#include "DlgShadowOption.h"
#include "ShadowOptionIds.h"
#include <commctrl.h>
#include <cstring>

namespace {

const double kViewPi = 3.14159265358979323846;

// A picture file that the intake table opens.
std::wstring pictureFile;

CZVImage ViewPlain(long width, long height, COLORREF colour)
{
    CZVImage p;
    p.Create(width, height, 24);
    p.SetRectColor(RECT{0, 0, width, height}, CxImage::RGBtoRGBQUAD(colour));
    return p;
}

// Records what the view tells its host.
class RecordingHost : public IEditorHost {
public:
    int GetFixedCropWidth() override { return fixedWidth; }
    int GetFixedCropHeight() override { return fixedHeight; }
    void SetCropFields(int width, int height) override { cropFields = SIZE{width, height}; }
    void SetStatusText(UINT element, const wchar_t* text) override { status[element] = text; }
    void RefreshLayerList() override { ++refreshes; }
    ShapeSettings GetShapeSettings() override { return ShapeSettings(); }
    void SetShapeSettings(const ShapeSettings& settings) override { shape = settings; ++shapeSets; }
    void SetShapeSize(int width, int height) override { shapeSize = SIZE{width, height}; }
    void SelectDefaultTool() override { ++defaultTools; }
    void ShowShapeOptions() override { ++optionsShown; }
    CStringW GetBrushFile() override { return CStringW(); }
    HWND GetColourTarget() override { return colourTarget; }

    ShapeSettings shape;
    int shapeSets = 0, defaultTools = 0, optionsShown = 0;
    SIZE shapeSize = {0, 0};
    HWND colourTarget = nullptr;

    int fixedWidth = -1, fixedHeight = -1;
    SIZE cropFields = {-1, -1};
    std::map<UINT, std::wstring> status;
    int refreshes = 0;
};

// A view that counts the layouts it is sent.
class CountingView : public CPicEditView {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE)
            ++sizes;
        if (message == WM_COMMAND)
            commands.push_back(LOWORD(wParam));
        return CPicEditView::WindowProc(message, wParam, lParam);
    }
    int sizes = 0;
    std::vector<UINT> commands;
};

// The answer the message box gets from the timer, and whether one was shown.
int boxAnswer = IDNO;
bool boxSeen = false;

BOOL CALLBACK AnswerBoxWindow(HWND wnd, LPARAM)
{
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (::IsWindowVisible(wnd) && std::wstring(cls) == L"#32770") {
        boxSeen = true;
        ::PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(boxAnswer, BN_CLICKED), 0);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerBoxTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), AnswerBoxWindow, 0);
}

// A 600 x 400 view at the screen's top left with a 400 x 300 white picture at zoom 1.0, so that
// the canvas is (100, 50) - (500, 350).
class PicEditViewTest : public ::testing::Test {
public:
    void SetUp() override
    {
        SetEditorHost(&host);
        ASSERT_TRUE(view.CreateEx(0, nullptr, L"view", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400, nullptr,
                                  nullptr));
        view.UpdateClientRect();
        Open(400, 300, 1.0f);
    }
    void TearDown() override
    {
        SetEditorHost(nullptr);
        view.DestroyWindow();
        PumpPending();
    }
    void Open(long width, long height, float zoom)
    {
        ASSERT_TRUE(view.doc.OpenImage(ViewPlain(width, height, RGB(255, 255, 255))));
        view.doc.zoom = zoom;
        view.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
        view.Recompose();
        host.refreshes = 0;
        view.sizes = 0;
    }
    int AddLayer(long width, long height, int x, int y)
    {
        CLayerDocument& doc = view.doc;
        EXPECT_TRUE(doc.AddImageLayer(ViewPlain(width, height, RGB(200, 30, 30)), FALSE));
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        layer->location = ZVPOINTF{doc.canvasRect.left + x * doc.zoom, doc.canvasRect.top + y * doc.zoom};
        doc.UpdateLayerOrigin(layer);
        return layer->id;
    }
    // A rectangle outline (five points, closed) in window coordinates.
    void Outline(float l, float t, float r, float b)
    {
        view.doc.pathPoints = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
    }
    CLayerInfo& Background() { return *view.doc.layers.GetLayer(0); }

    RecordingHost host;
    CountingView view;
};

// ---- Status texts ----

TEST_F(PicEditViewTest, StatusTextsFollowToolAndPointer)
{
    struct Case {
        const char* name;
        int tool;
        UINT flags;
        POINT at;
        void (*prepare)(PicEditViewTest&, CPicEditView&);
        const wchar_t* position;
        const wchar_t* rect;   // null: not written
    };
    const Case cases[] = {
        {"inside", 0, 0, {150, 60}, nullptr, L"X:Y=50:10", nullptr},
        {"outside", 0, 0, {50, 10}, nullptr, L"", nullptr},
        {"shape drag", 1, MK_LBUTTON, {210, 110},
         [](PicEditViewTest&, CPicEditView& v) { v.dragStart = POINT{110, 60}; }, L"X:Y=110:60",
         L"10:10 ===>110:60 (W=100,H=50,W/H=2.000)"},
        {"crop drag", 13, MK_LBUTTON, {300, 150},
         [](PicEditViewTest&, CPicEditView& v) { v.selectionTracker.m_rect.SetRect(100, 50, 300, 150); }, L"X:Y=0:0",
         L"0:0 ===>200:100 (W=200,H=100,W/H=2.000)"},
        {"turned layer", 0, 0, {550, 380},
         [](PicEditViewTest& t, CPicEditView& v) {
             CLayerInfo* layer = v.doc.layers.GetLayer(t.AddLayer(100, 50, 20, 30));
             layer->angle = static_cast<float>(-kViewPi / 2);
             layer->drawOrigin = ZVPOINTF{v.doc.canvasRect.left + 20.0f, v.doc.canvasRect.top + 30.0f};
         },
         L"", L"X:Y=20:30 A=270.0\u00B0 (W=100,H=50,W/H=2.000)"},
    };
    for (const Case& c : cases) {
        Open(400, 300, 1.0f);
        view.selectionTracker.m_rect.SetRectEmpty();
        view.dragStart = POINT{0, 0};
        if (c.prepare)
            c.prepare(*this, view);
        host.status.clear();
        view.OnMouseNotify(c.tool, c.flags, c.at.x, c.at.y);
        EXPECT_EQ(host.status[ID_STATUS_POSITION], c.position) << c.name;
        if (c.rect)
            EXPECT_EQ(host.status[ID_STATUS_RECT], c.rect) << c.name;
    }
}

TEST_F(PicEditViewTest, CropDragFillsTheHostCropFields)
{
    view.selectionTracker.m_rect.SetRect(100, 50, 300, 150);
    view.OnMouseNotify(13, MK_LBUTTON, 300, 150);
    EXPECT_EQ(host.cropFields.cx, 200);
    EXPECT_EQ(host.cropFields.cy, 100);
}

TEST_F(PicEditViewTest, WithoutHostNothingIsReported)
{
    SetEditorHost(nullptr);
    view.OnMouseNotify(0, 0, 150, 60);
    view.NotifyLayersChanged();
    EXPECT_TRUE(host.status.empty());
    EXPECT_EQ(host.refreshes, 0);
    EXPECT_EQ(view.GetFixedCropWidth(), -1);
    EXPECT_EQ(view.GetFixedCropHeight(), -1);
    EXPECT_TRUE(view.GetBrushFile().IsEmpty());
}

// ---- Hooks ----

TEST_F(PicEditViewTest, ScrollingMovesTheTrackerTheOtherWay)
{
    Open(1600, 1200, 1.0f);
    view.selectionTracker.m_rect.SetRect(100, 100, 200, 180);
    view.TrackerToCanvasRect();
    const int before = static_cast<int>(view.doc.hPos * view.doc.hStep);
    view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0);
    const int moved = static_cast<int>(view.doc.hPos * view.doc.hStep) - before;
    ASSERT_GT(moved, 0);
    EXPECT_EQ(view.selectionTracker.m_rect.left, 100 - moved);
    EXPECT_EQ(view.selectionTracker.m_rect.Width(), 100);
    EXPECT_EQ(view.selectionTracker.m_rect.top, 100);
}

TEST_F(PicEditViewTest, ZoomMovesTheOutlineWithTheCanvas)
{
    view.doc.pathPoints = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};
    view.doc.fitZoom = 1.0f;
    view.doc.zoom = 1.15f;
    const RECT origin = {0, 0, 400, 300};
    view.OnCanvasRectChanged(&origin, &origin);
    EXPECT_NEAR(view.doc.pathPoints[0].x, 115.0f, 0.01f);
    EXPECT_NEAR(view.doc.pathPoints[0].y, 115.0f, 0.01f);
    EXPECT_NEAR(view.doc.pathPoints[2].x, 230.0f, 0.01f);
    // The tracker follows the outline's bounds.
    EXPECT_EQ(view.selectionTracker.m_rect.left, 115);
    EXPECT_EQ(view.selectionTracker.m_rect.right, 230);
}

TEST_F(PicEditViewTest, BrushHotSpotFollowsSizeAndZoom)
{
    struct Case {
        int tool, size;
        float zoom;
        int hotSpot;
    };
    const Case cases[] = {{16, 10, 1.0f, 8}, {16, 40, 0.5f, 10}, {27, 100, 1.0f, 50}, {4, 40, 1.0f, 0}};
    for (const Case& c : cases) {
        view.tool = c.tool;
        view.brushSize = c.size;
        view.doc.zoom = c.zoom;
        view.doc.fitZoom = c.zoom;
        view.OnCanvasRectChanged(&view.doc.canvasRect, &view.doc.canvasRect);
        EXPECT_EQ(view.brushHotSpot, c.hotSpot) << c.tool << " size " << c.size;
        if (c.tool == 16 && c.size == 40) {
            BITMAP bm = {};
            ASSERT_TRUE(::GetObject(view.brushBitmap.Get(), sizeof(bm), &bm));
            EXPECT_EQ(bm.bmWidth, 20);
            EXPECT_EQ(bm.bmHeight, 20);
        }
    }
}

TEST_F(PicEditViewTest, MarchingAntsRunFourOnFourOff)
{
    view.tool = 4;
    view.doc.pathPoints = {{150, 100}, {190, 100}};
    view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(view.m_hWnd);
    for (int x = 150; x < 190; ++x) {
        const bool black = ((x - 150) % 8) >= 4;
        EXPECT_EQ(::GetPixel(dc, x, 100), black ? RGB(0, 0, 0) : RGB(255, 255, 255)) << "x " << x;
    }
    // One step of the phase moves the runs by one pixel.
    view.antsPhase = 1;
    view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(::GetPixel(dc, 152, 100), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc, 153, 100), RGB(0, 0, 0));
    ::ReleaseDC(view.m_hWnd, dc);
}

TEST_F(PicEditViewTest, AntsTimerRunsWithTheSelection)
{
    // Whether the view's timer 1 was running; the probe stops it.
    auto antsRunning = [&] { return ::KillTimer(view.m_hWnd, CPicEditView::kAntsTimer) != FALSE; };
    view.tool = 4;
    Outline(150, 100, 250, 200);
    ASSERT_TRUE(view.ApplySelection());
    EXPECT_TRUE(antsRunning());

    // Each tick moves the runs on by one pixel along the outline, on the screen at once.
    view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(view.m_hWnd);
    for (int tick = 1; tick <= 8; ++tick) {
        view.SendMessage(WM_TIMER, CPicEditView::kAntsTimer);
        const int phase = tick % 8;
        ASSERT_EQ(view.antsPhase, phase);
        for (int x = 150; x < 166; ++x) {
            const bool black = (x - 150 + phase) % 8 >= 4;
            EXPECT_EQ(::GetPixel(dc, x, 100), black ? RGB(0, 0, 0) : RGB(255, 255, 255)) << "tick " << tick << " x " << x;
        }
    }
    ::ReleaseDC(view.m_hWnd, dc);

    ASSERT_TRUE(view.ApplySelection());
    view.ClearSelection();
    EXPECT_FALSE(antsRunning());

    // An outline that goes without ClearSelection stops the ants at the next tick.
    ASSERT_TRUE(view.ApplySelection());
    view.SendMessage(WM_TIMER, CPicEditView::kAntsTimer);
    view.CancelPolygon();
    view.SendMessage(WM_TIMER, CPicEditView::kAntsTimer);
    EXPECT_EQ(view.antsPhase, 0);
    EXPECT_FALSE(antsRunning());

    // The canvas's own timers still reach it.
    view.RequestRedraw();
    view.SendMessage(WM_TIMER, CLayeredViewWnd::kRedrawTimer);
    EXPECT_EQ(view.redrawPending.load(), 0);
}

// ---- The delete question ----

TEST_F(PicEditViewTest, DeleteQuestionNoKeepsYesDeletes)
{
    AddLayer(100, 50, 20, 30);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, AnswerBoxTimer);
    boxAnswer = IDNO;
    boxSeen = false;
    view.OnDeleteLayerRequest();
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(view.doc.layers.layers.size(), 2u);
    EXPECT_EQ(host.refreshes, 0);

    boxAnswer = IDYES;
    boxSeen = false;
    view.OnDeleteLayerRequest();
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(view.doc.layers.layers.size(), 1u);
    EXPECT_EQ(host.refreshes, 1);
}

// ---- Selection ----

TEST_F(PicEditViewTest, SelectionFromOutline)
{
    struct Case {
        const char* name;
        RECT outline;   // window coordinates; the canvas starts at (100, 50)
        BOOL result;
        bool selected;
        RECT box;   // bottom-up rows, right and top exclusive
    };
    const Case cases[] = {
        {"wholly left", {10, 60, 60, 100}, FALSE, false, {}},
        {"partly left", {50, 60, 150, 100}, TRUE, true, {0, 291, 51, 250}},
        {"inside", {120, 70, 220, 170}, TRUE, true, {20, 281, 121, 180}},
        {"degenerate", {150, 100, 150, 100}, FALSE, false, {}},
    };
    view.tool = 4;
    for (const Case& c : cases) {
        Outline(static_cast<float>(c.outline.left), static_cast<float>(c.outline.top),
                static_cast<float>(c.outline.right), static_cast<float>(c.outline.bottom));
        if (std::string(c.name) == "degenerate")
            view.doc.pathPoints = {{150, 100}, {150, 100}, {190, 140}, {190, 140}, {150, 100}};
        EXPECT_EQ(view.ApplySelection(), c.result) << c.name;
        EXPECT_EQ(Background().displayed.SelectionIsValid(), c.selected) << c.name;
        EXPECT_EQ(Background().source.IsValid() && Background().source.SelectionIsValid(),
                  c.selected && Background().source.IsValid())
            << c.name;
        if (c.selected) {
            RECT box;
            Background().displayed.SelectionGetBox(box);
            EXPECT_EQ(box.left, c.box.left) << c.name;
            EXPECT_EQ(box.right, c.box.right) << c.name;
            EXPECT_EQ(box.bottom, c.box.bottom) << c.name;
            EXPECT_EQ(box.top, c.box.top) << c.name;
        }
    }
}

TEST_F(PicEditViewTest, LassoClosesAndSelectAllCoversThePicture)
{
    view.tool = 5;
    view.doc.pathPoints = {{150, 100}, {250, 100}, {250, 200}, {150, 200}};
    EXPECT_TRUE(view.ApplySelection());
    ASSERT_EQ(view.doc.pathPoints.size(), 5u);
    EXPECT_EQ(view.doc.pathPoints.back().x, 150.0f);
    EXPECT_EQ(view.doc.pathPoints.back().y, 100.0f);

    view.tool = 11;
    view.selectionTracker.m_rect.SetRectEmpty();
    view.SelectAll();
    EXPECT_EQ(view.doc.pathPoints.size(), 5u);
    EXPECT_EQ(view.selectionTracker.m_rect, CRect(100, 50, 500, 350));
    RECT box;
    Background().displayed.SelectionGetBox(box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 400);
    EXPECT_EQ(box.top, 300);

    view.ClearSelection();
    EXPECT_TRUE(view.doc.pathPoints.empty());
    EXPECT_FALSE(Background().displayed.SelectionIsValid());
}

TEST_F(PicEditViewTest, FlatOutlineFollowsTheTracker)
{
    view.doc.pathPoints = {{150, 100}, {250, 100}};
    view.selectionTracker.m_rect.SetRect(160, 120, 360, 140);
    view.FitOutlineToTracker();
    for (const ZVPOINTF& p : view.doc.pathPoints) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
    EXPECT_EQ(view.doc.pathPoints[0].x, 160.0f);
    EXPECT_EQ(view.doc.pathPoints[1].x, 360.0f);
    EXPECT_EQ(view.doc.pathPoints[0].y, 120.0f);
}

// ---- Crop ----

TEST_F(PicEditViewTest, CropToTracker)
{
    struct Case {
        const char* name;
        long width, height;
        float zoom;
        int fixedWidth, fixedHeight;
        RECT tracker;
        SIZE result;
    };
    const Case cases[] = {
        {"zoom 0.5", 800, 600, 0.5f, -1, -1, {100, 50, 200, 100}, {200, 100}},
        {"fixed", 400, 300, 1.0f, 300, 200, {110, 60, 130, 70}, {300, 200}},
        {"fixed near the edge", 400, 300, 1.0f, 300, 200, {300, 60, 320, 70}, {200, 200}},
    };
    for (const Case& c : cases) {
        Open(c.width, c.height, c.zoom);
        host.fixedWidth = c.fixedWidth;
        host.fixedHeight = c.fixedHeight;
        const int records = view.doc.history.GetCount();
        view.selectionTracker.m_rect = c.tracker;
        EXPECT_TRUE(view.CropToTracker()) << c.name;
        EXPECT_EQ(static_cast<long>(Background().displayed.GetWidth()), c.result.cx) << c.name;
        EXPECT_EQ(static_cast<long>(Background().displayed.GetHeight()), c.result.cy) << c.name;
        EXPECT_EQ(view.doc.docWidth, c.result.cx) << c.name;
        EXPECT_TRUE(view.selectionTracker.m_rect.IsRectEmpty()) << c.name;
        ASSERT_EQ(view.doc.history.GetCount(), records + 1) << c.name;
        EXPECT_EQ(view.doc.history.RecordAt(records).action, HISTORY_MODIFY) << c.name;
    }
}

TEST_F(PicEditViewTest, CropOutsideThePictureIsRefused)
{
    host.fixedWidth = 100;
    host.fixedHeight = 100;
    view.selectionTracker.m_rect.SetRect(550, 60, 560, 70);
    EXPECT_FALSE(view.CropToTracker());
    EXPECT_EQ(Background().displayed.GetWidth(), 400u);
}

// ---- Intake ----

TEST_F(PicEditViewTest, IntakeLaysOutAndReports)
{
    struct Case {
        const char* name;
        BOOL (*run)(CPicEditView&);
        bool size, current, refresh;
    };
    testsupport::TempFolder folder;
    pictureFile = folder.At(L"Lake.bmp");
    ASSERT_TRUE(ViewPlain(120, 80, RGB(0, 0, 200)).Save(pictureFile.c_str(), CXIMAGE_FORMAT_BMP));
    const Case cases[] = {
        {"open picture", [](CPicEditView& v) { return v.OpenImage(ViewPlain(300, 200, RGB(0, 0, 255))); }, true, false,
         false},
        {"open file", [](CPicEditView& v) { return v.OpenImageFile(pictureFile.c_str()); }, true, true, true},
        {"new document",
         [](CPicEditView& v) { return v.NewDocument(RGBQUAD{255, 255, 255, 0}, 320, 240, 96, 255); }, false, false,
         false},
        {"background",
         [](CPicEditView& v) {
             CZVImage p = ViewPlain(200, 100, RGB(0, 255, 0));
             return v.SetBackgroundImage(p);
         },
         true, true, true},
        {"refit", [](CPicEditView& v) { return v.RefitCanvas(); }, false, false, true},
        {"reopen", [](CPicEditView& v) { return v.ReopenWithImage(ViewPlain(200, 100, RGB(0, 0, 255))); }, true, true,
         true},
    };
    for (const Case& c : cases) {
        Open(400, 300, 1.0f);
        view.currentChanged = 0;
        EXPECT_TRUE(c.run(view)) << c.name;
        EXPECT_EQ(view.sizes > 0, c.size) << c.name;
        EXPECT_EQ(view.currentChanged != 0, c.current) << c.name;
        EXPECT_EQ(host.refreshes > 0, c.refresh) << c.name;
    }
}

TEST_F(PicEditViewTest, ReopenPutsThePictureBelowTheLayersAndKeepsTheHistory)
{
    AddLayer(100, 50, 20, 30);
    const int records = view.doc.history.GetCount();
    const int position = view.doc.history.position;
    EXPECT_FALSE(view.ReopenWithImage(CZVImage()));
    EXPECT_EQ(view.doc.layers.layers.size(), 2u);
    EXPECT_EQ(view.sizes, 0);

    ASSERT_TRUE(view.ReopenWithImage(ViewPlain(200, 100, RGB(0, 0, 255))));
    ASSERT_EQ(view.doc.layers.layers.size(), 3u);
    EXPECT_EQ(Background().type, LAYER_BACKGROUND);
    EXPECT_EQ(Background().displayed.GetWidth(), 200u);
    EXPECT_EQ(view.doc.docWidth, 200);
    // The old background is a picture layer again, the layer above it still on top.
    EXPECT_EQ(view.doc.layers.GetLayer(1)->type, LAYER_IMAGE);
    EXPECT_EQ(view.doc.layers.GetLayer(1)->displayed.GetWidth(), 400u);
    EXPECT_EQ(view.doc.layers.GetLayer(2)->displayed.GetWidth(), 100u);
    EXPECT_EQ(view.doc.history.GetCount(), records);
    EXPECT_EQ(view.doc.history.position, position);
}

TEST_F(PicEditViewTest, FailedOpenKeepsTheDocument)
{
    Open(1600, 1200, 1.0f);
    AddLayer(100, 50, 20, 30);
    view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0);
    const int hPos = view.doc.hPos;
    ASSERT_GT(hPos, 0);
    EXPECT_FALSE(view.OpenImageFile(L"data\\Sample\\NoSuchPicture.jpg"));
    EXPECT_FALSE(view.OpenImage(CZVImage()));
    EXPECT_FALSE(view.NewDocument(RGBQUAD{0, 0, 0, 0}, 0, 0, 96, 255));
    EXPECT_EQ(view.doc.layers.layers.size(), 2u);
    EXPECT_EQ(view.doc.hPos, hPos);
    EXPECT_EQ(view.sizes, 0);
    EXPECT_EQ(host.refreshes, 0);
}

}  // namespace

namespace {

// A view whose save before a replacing drop is counted and succeeds or fails as told.
class SavingView : public CPicEditView {
public:
    BOOL SaveBeforeReplace() override
    {
        ++saves;
        return saveWorks;
    }
    int saves = 0;
    BOOL saveWorks = TRUE;
};

TEST(PicEditViewDrop, UnsavedChangesAskFirst)
{
    testsupport::TempFolder folder;
    const std::wstring dropped = folder.At(L"Dropped.bmp");
    ASSERT_TRUE(ViewPlain(120, 80, RGB(0, 0, 200)).Save(dropped.c_str(), CXIMAGE_FORMAT_BMP));
    struct Case {
        const char* name;
        bool modified;
        int answer;
        BOOL saveWorks;
        bool asked;
        int saves;
        bool replaced;
    };
    const Case cases[] = {
        {"unmodified", false, IDNO, TRUE, false, 0, true},
        {"yes saves", true, IDYES, TRUE, true, 1, true},
        {"yes, save failed", true, IDYES, FALSE, true, 1, false},
        {"no replaces", true, IDNO, TRUE, true, 0, true},
        {"cancel keeps", true, IDCANCEL, TRUE, true, 0, false},
    };
    for (const Case& c : cases) {
        SavingView view;
        ASSERT_TRUE(view.CreateEx(0, nullptr, L"view", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr));
        ASSERT_TRUE(view.doc.OpenImage(ViewPlain(400, 300, RGB(255, 255, 255))));
        view.doc.history.savedPosition = view.doc.history.position;
        view.modified = c.modified ? 1 : 0;
        view.saveWorks = c.saveWorks;
        boxAnswer = c.answer;
        boxSeen = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, AnswerBoxTimer);
        view.OnDropFile(dropped.c_str());
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(boxSeen, c.asked) << c.name;
        EXPECT_EQ(view.saves, c.saves) << c.name;
        EXPECT_EQ(view.doc.docWidth == 120, c.replaced) << c.name;
        view.DestroyWindow();
        PumpPending();
    }
}

}  // namespace

namespace {

// ---- Shadow ----

TEST(ShadowOffsets, AlongTheSquare)
{
    struct Case {
        int angle, distance;
        POINT offsets;
    };
    const Case cases[] = {{0, 30, {0, 30}},   {90, 30, {-29, 0}}, {180, 30, {0, -29}},
                          {270, 30, {30, 0}}, {45, 30, {-14, 15}}, {360, 30, {0, 30}}};
    for (const Case& c : cases) {
        const POINT p = ShadowOffsets(c.angle, c.distance);
        EXPECT_EQ(p.x, c.offsets.x) << c.angle;
        EXPECT_EQ(p.y, c.offsets.y) << c.angle;
    }
}

// What the test does to the running dialog, and how it closes it.
struct ShadowScript {
    bool locked;
    int closeWith;
    int seen = 0;
};
ShadowScript* shadowScript = nullptr;

BOOL CALLBACK DriveShadowWindow(HWND wnd, LPARAM)
{
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (!::IsWindowVisible(wnd) || std::wstring(cls) != L"#32770" || !::GetDlgItem(wnd, IDC_SHADOW_ANGLE))
        return TRUE;
    ++shadowScript->seen;
    // The dial to 90 and released, the distance slider to 60 and released, opacity typed.
    HWND dial = ::GetDlgItem(wnd, IDC_SHADOW_ANGLE);
    ::SendMessageW(dial, TBM_SETPOS, TRUE, 90);
    NMHDR released = {dial, IDC_SHADOW_ANGLE, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    ::SendMessageW(wnd, WM_NOTIFY, IDC_SHADOW_ANGLE, reinterpret_cast<LPARAM>(&released));
    HWND distance = ::GetDlgItem(wnd, IDC_SHADOW_DISTANCE_SLIDER);
    ::SendMessageW(distance, TBM_SETPOS, TRUE, 60);
    released = NMHDR{distance, IDC_SHADOW_DISTANCE_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    ::SendMessageW(wnd, WM_NOTIFY, IDC_SHADOW_DISTANCE_SLIDER, reinterpret_cast<LPARAM>(&released));
    ::SetDlgItemTextW(wnd, IDC_SHADOW_OPACITY, L"50");
    ::PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(shadowScript->closeWith, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK DriveShadowTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), DriveShadowWindow, 0);
}

struct ShadowFields {
    int on, angle, distance, x, y;
    RGBQUAD colour;
};
ShadowFields FieldsOf(const CLayerInfo& l)
{
    return ShadowFields{l.shadowOn, l.shadowAngle, l.shadowDistance, l.shadowOffsetX, l.shadowOffsetY, l.shadowColour};
}
bool operator==(const ShadowFields& a, const ShadowFields& b)
{
    return a.on == b.on && a.angle == b.angle && a.distance == b.distance && a.x == b.x && a.y == b.y &&
           memcmp(&a.colour, &b.colour, sizeof a.colour) == 0;
}

TEST_F(PicEditViewTest, ShadowDialogCancelRestoresOkWritesLockedKeeps)
{
    struct Case {
        const char* name;
        bool locked;
        int closeWith;
        bool changed;
    };
    const Case cases[] = {{"cancel", false, IDCANCEL, false}, {"ok", false, IDOK, true}, {"locked", true, IDOK, false}};
    for (const Case& c : cases) {
        Open(400, 300, 1.0f);
        CLayerInfo& layer = *view.doc.layers.GetLayer(AddLayer(100, 50, 20, 30));
        layer.locked = c.locked ? 1 : 0;
        const ShadowFields before = FieldsOf(layer);
        ShadowScript script{c.locked, c.closeWith};
        shadowScript = &script;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, DriveShadowTimer);
        view.EditLayerShadow();
        ::KillTimer(nullptr, timer);
        shadowScript = nullptr;
        EXPECT_EQ(script.seen, 1) << c.name;
        const ShadowFields after = FieldsOf(layer);
        EXPECT_EQ(after == before, !c.changed) << c.name;
        if (c.changed) {
            EXPECT_EQ(after.on, 1) << c.name;
            EXPECT_EQ(after.angle, 90) << c.name;
            EXPECT_EQ(after.distance, 60) << c.name;
            EXPECT_EQ(after.x, -59) << c.name;
            EXPECT_EQ(after.y, 0) << c.name;
            EXPECT_EQ(after.colour.rgbReserved, 128) << c.name;   // 50 %, rounded as every opacity field
        }
    }
}

}  // namespace

namespace {

// ---- Layer menu and tool cursors ----

TEST(PicEditViewMenu, LayerMenuCaptionsAreTranslatedWithDialogDots)
{
    HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_LAYER_MENU));
    ASSERT_NE(menu, nullptr);
    TranslateLayerMenu(menu);
    struct Case {
        UINT id;
        const wchar_t* caption;
    };
    const Case cases[] = {{ID_LAYER_VISIBLE, L"Visible"},       {ID_LAYER_DELETE, L"Delete"},
                          {ID_LAYER_EDIT_TEXT, L"Text..."},     {ID_LAYER_RENAME, L"Rename layer..."},
                          {ID_LAYER_OPTIONS, L"Options..."},    {ID_LAYER_BACK, L"Back"}};
    for (const Case& c : cases) {
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, c.id, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, c.caption) << c.id;
    }
    EXPECT_EQ(::GetMenuState(menu, ID_LAYER_VISIBLE, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    ::DestroyMenu(menu);
}

TEST_F(PicEditViewTest, LayerMenuStatesFollowTheCurrentLayer)
{
    // Items in this order: Visible, Locked, Duplicate, Delete, Front, Back, Edit text, Rename,
    // Options; '1' enabled.
    const UINT ids[] = {ID_LAYER_VISIBLE, ID_LAYER_LOCKED,    ID_LAYER_DUPLICATE, ID_LAYER_DELETE, ID_LAYER_FRONT,
                        ID_LAYER_BACK,    ID_LAYER_EDIT_TEXT, ID_LAYER_RENAME,    ID_LAYER_OPTIONS};
    struct Case {
        const char* name;
        int layers;   // above the background
        int current;
        bool text, hidden, locked;
        const char* enabled;
    };
    const Case cases[] = {
        {"background alone", 0, 0, false, false, false, "101000000"},
        {"background under a layer", 1, 0, false, false, false, "101000000"},
        {"the only layer", 1, 1, false, false, false, "111100011"},
        {"middle of two", 2, 1, false, false, false, "111110011"},
        {"top of two", 2, 2, false, false, false, "111101011"},
        {"hidden locked text", 2, 2, true, true, true, "111101111"},
    };
    for (const Case& c : cases) {
        Open(400, 300, 1.0f);
        for (int i = 0; i < c.layers; ++i)
            AddLayer(100, 50, 20 + 10 * i, 30);
        view.doc.layers.currentId = c.current;
        CLayerInfo* layer = view.doc.layers.GetCurrentLayer();
        if (c.text)
            layer->type = LAYER_TEXT;
        layer->visible = c.hidden ? 0 : 1;
        layer->locked = c.locked ? 1 : 0;
        for (size_t i = 0; i < std::size(ids); ++i) {
            const LayerMenuItemState state = GetLayerMenuItemState(ids[i], view.doc.layers);
            EXPECT_EQ(state.enabled, c.enabled[i] == '1') << c.name << ", item " << ids[i];
            const bool checked = (ids[i] == ID_LAYER_VISIBLE && !c.hidden) || (ids[i] == ID_LAYER_LOCKED && c.locked);
            EXPECT_EQ(state.checked, checked) << c.name << ", item " << ids[i];
        }
    }
}

TEST_F(PicEditViewTest, LayerMenuShowsTheStatesAndSendsTheChoiceToTheView)
{
    AddLayer(100, 50, 20, 30);
    view.doc.layers.GetCurrentLayer()->visible = 0;
    CWinApp* app = AfxGetApp();
    CWnd* oldMain = app->m_pMainWnd;

    // Only under the editor's kind of main window.
    view.OnLayerMenuRequest();
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);

    auto* frame = new CBCGPMDIFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(frame->Create(nullptr, L"main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    app->m_pMainWnd = frame;
    view.OnLayerMenuRequest();
    CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(menu, nullptr);
    std::map<UINT, int> index;
    for (int i = 0; i < menu->GetMenuItemCount(); ++i)
        index[menu->GetMenuItemID(i)] = i;
    EXPECT_FALSE(menu->IsItemChecked(index[ID_LAYER_VISIBLE]));
    EXPECT_TRUE(menu->IsItemEnabled(index[ID_LAYER_DELETE]));
    EXPECT_FALSE(menu->IsItemEnabled(index[ID_LAYER_FRONT]));
    EXPECT_FALSE(menu->IsItemEnabled(index[ID_LAYER_EDIT_TEXT]));
    menu->ChooseItem(index[ID_LAYER_DUPLICATE]);
    PumpPending();
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_EQ(view.commands, std::vector<UINT>{ID_LAYER_DUPLICATE});

    app->m_pMainWnd = oldMain;
    frame->DestroyWindow();
    PumpPending();
}

TEST_F(PicEditViewTest, ToolCursorsFollowTheTool)
{
    struct Case {
        int tool;
        bool cursor;
        POINT hotSpot;
    };
    // The tool cursors point with their cross at (9, 9); the picker with its tip; the brush at
    // its centre (size 40 at zoom 1.0).
    const Case cases[] = {{0, false, {}},        {1, true, {9, 9}},   {10, true, {9, 9}}, {12, true, {9, 9}},
                          {13, true, {9, 9}},    {14, true, {3, 28}}, {21, true, {9, 9}}, {16, true, {20, 20}},
                          {26, true, {20, 20}},  {7, false, {}}};
    view.brushSize = 40;
    for (const Case& c : cases) {
        view.tool = 4;   // a cursor first, which a tool without one must drop
        view.SetToolCursor();
        view.tool = c.tool;
        view.SetToolCursor();
        ASSERT_EQ(view.brushIcon.IsValid(), c.cursor) << c.tool;
        if (!c.cursor)
            continue;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(view.brushIcon.Get(), &info)) << c.tool;
        EXPECT_EQ(static_cast<LONG>(info.xHotspot), c.hotSpot.x) << c.tool;
        EXPECT_EQ(static_cast<LONG>(info.yHotspot), c.hotSpot.y) << c.tool;
        if (info.hbmMask)
            ::DeleteObject(info.hbmMask);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
    }
}

}  // namespace

namespace {

// ---- Shape notifications ----

TEST_F(PicEditViewTest, ShapeLayerReleaseHandsItsSettingsToTheHost)
{
    // A picture layer current: nothing for the host.
    AddLayer(100, 50, 20, 30);
    host.colourTarget = view.m_hWnd;
    view.OnCurrentLayerNotify();
    EXPECT_EQ(host.shapeSets, 0);
    EXPECT_EQ(host.optionsShown, 0);

    ShapeSettings shape;
    shape.width = 80;
    shape.height = 40;
    shape.outlineColour = RGB(10, 20, 30);
    ASSERT_TRUE(view.doc.AddShapeLayer(shape));
    view.OnCurrentLayerNotify();
    EXPECT_EQ(host.shapeSets, 1);
    EXPECT_EQ(host.shape.outlineColour, RGB(10, 20, 30));
    EXPECT_EQ(host.optionsShown, 1);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, view.m_hWnd, WM_EDITOR_SHAPE_COLOUR, WM_EDITOR_SHAPE_COLOUR, PM_REMOVE));
    EXPECT_EQ(static_cast<COLORREF>(msg.lParam), RGB(10, 20, 30));

    view.OnShapeFinished();
    EXPECT_EQ(host.defaultTools, 1);
    EXPECT_EQ(host.optionsShown, 2);
    view.SetShapeSize(-120, 60);
    EXPECT_EQ(host.shapeSize.cx, 120);
    EXPECT_EQ(host.shapeSize.cy, 60);
}

}  // namespace
