// The edit view's mouse tools under the display, driven by button and move messages with their
// key flags: brushes on a strip fixture, stamp, fill, colour pick, region effects, selections,
// pan, shapes and lines, the context menu and leaving the window; and the brush arithmetic.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include "BrushStroke.h"
#include "CanvasTestApp.h"
#include "PicEditView.h"
#include "TestSupport.h"
#include "WindowTestApp.h"
#include "ZVGraphics.h"

namespace {

CZVImage ToolsPlain(long width, long height, COLORREF colour)
{
    CZVImage p;
    p.Create(width, height, 24);
    p.SetRectColor(RECT{0, 0, width, height}, CxImage::RGBtoRGBQUAD(colour));
    return p;
}

// A strip of three 32-pixel cells: a hard black disc, a soft disc fading from black to white,
// and an empty cell.
CZVImage BrushStrip()
{
    CZVImage strip = ToolsPlain(96, 32, RGB(255, 255, 255));
    for (long y = 0; y < 32; ++y)
        for (long x = 0; x < 32; ++x) {
            const double d = std::hypot(x - 15.5, y - 15.5);
            if (d < 14)
                strip.SetPixelColor(x, y, RGBQUAD{0, 0, 0, 0});
            const BYTE soft = static_cast<BYTE>(std::clamp(d / 16.0 * 255.0, 0.0, 255.0));
            strip.SetPixelColor(32 + x, y, RGBQUAD{soft, soft, soft, 0});
        }
    return strip;
}

// The editor frame's side: a brush file, shape settings that take the dragged size, a colour
// target, and counts of the hooks.
class ToolHost : public IEditorHost {
public:
    int GetFixedCropWidth() override { return -1; }
    int GetFixedCropHeight() override { return -1; }
    void SetCropFields(int, int) override {}
    void SetStatusText(UINT, const wchar_t*) override {}
    void RefreshLayerList() override {}
    ShapeSettings GetShapeSettings() override { return shape; }
    void SetShapeSettings(const ShapeSettings& settings) override { shape = settings; }
    ShapeSettings GetLineSettings() override { return line; }
    void SetShapeSize(int width, int height) override
    {
        shape.width = width;
        shape.height = height;
    }
    void SelectDefaultTool() override { ++shapesFinished; }
    void ShowShapeOptions() override {}
    CStringW GetBrushFile() override { return brushFile.c_str(); }
    HWND GetColourTarget() override { return colourTarget; }

    std::wstring brushFile;
    ShapeSettings shape;
    ShapeSettings line = DefaultLineSettings();
    HWND colourTarget = nullptr;
    int shapesFinished = 0;
};

class MenuCountingView : public CPicEditView {
public:
    void OnLayerMenuRequest() override { ++menus; }
    int menus = 0;
};

// A 600 x 400 view with a 400 x 300 white picture at zoom 1.0: the canvas is (100, 50) - (500, 350),
// so window (x, y) is picture pixel (x - 100, y - 50) counted from the top.
class ToolsTest : public ::testing::Test {
public:
    void SetUp() override
    {
        SetEditorHost(&host);
        ASSERT_TRUE(view.CreateEx(0, nullptr, L"tools", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400,
                                  nullptr, nullptr));
        view.UpdateClientRect();
        ASSERT_TRUE(BrushStrip().Save(temp.At(L"strip.png").c_str(), CXIMAGE_FORMAT_PNG));
        host.brushFile = temp.At(L"strip.png");
        Open(ToolsPlain(400, 300, RGB(255, 255, 255)), 1.0f);
    }
    void TearDown() override
    {
        SetEditorHost(nullptr);
        view.DestroyWindow();
        PumpPending();
    }
    void Open(const CZVImage& picture, float zoom)
    {
        ASSERT_TRUE(view.doc.OpenImage(picture));
        view.doc.zoom = zoom;
        view.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
        view.Recompose();
    }
    CLayerInfo& Current() { return *view.doc.layers.GetCurrentLayer(); }
    // The pixel of the current layer at picture (x, y), y from the top.
    COLORREF At(int x, int y)
    {
        CZVImage& p = Current().displayed;
        return CxImage::RGBQUADtoRGB(p.GetPixelColor(x, static_cast<long>(p.GetHeight()) - 1 - y, false));
    }
    void Down(int x, int y, UINT flags = MK_LBUTTON) { view.SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(x, y)); }
    void Move(int x, int y, UINT flags = MK_LBUTTON) { view.SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(x, y)); }
    void Up(int x, int y) { view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    // A press, moves every `every` pixels along the straight path, and the release.
    void Stroke(POINT a, POINT b, int every = 10, UINT flags = MK_LBUTTON)
    {
        Down(a.x, a.y, flags);
        const int steps = std::max(1, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y)) / every);
        for (int i = 1; i <= steps; ++i)
            Move(a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps, flags);
        Up(b.x, b.y);
    }
    void Key(UINT message, WPARAM key)
    {
        MSG msg = {view.m_hWnd, message, key, 0};
        view.PreTranslateMessage(&msg);
    }
    int Steps() { return view.doc.history.GetCount(); }

    testsupport::TempFolder temp;
    ToolHost host;
    MenuCountingView view;
};

// ---- the brush arithmetic ----

TEST(BrushStroke, StampsAlongTheLine)
{
    struct Case {
        const char* name;
        POINT from, to, lastStamped;
        int step;
        size_t stamps;
    };
    const Case cases[] = {
        {"step 0 stamps every pixel", {0, 0}, {10, 3}, {0, 0}, 0, 10},
        {"step 0, steep", {0, 0}, {2, 9}, {0, 0}, 0, 9},
        {"step 4", {0, 0}, {20, 0}, {0, 0}, 4, 4},
        {"length 0 stamps once", {5, 5}, {5, 5}, {5, 5}, 4, 1},
        {"backwards", {20, 0}, {0, 0}, {25, 0}, 4, 5},
    };
    for (const Case& c : cases) {
        POINT last = c.lastStamped;
        const std::vector<POINT> stamps = StrokeStamps(c.from, c.to, last, c.step);
        EXPECT_EQ(stamps.size(), c.stamps) << c.name;
        // Every stamp lies on the segment's bounding box and the last one is remembered.
        for (const POINT& p : stamps) {
            EXPECT_GE(p.x, std::min(c.from.x, c.to.x)) << c.name;
            EXPECT_LE(p.x, std::max(c.from.x, c.to.x)) << c.name;
        }
        if (!stamps.empty()) {
            EXPECT_EQ(last.x, stamps.back().x) << c.name;
            EXPECT_EQ(last.y, stamps.back().y) << c.name;
        }
        if (c.step == 0)
            for (size_t i = 1; i < stamps.size(); ++i)
                EXPECT_LE(std::max(std::labs(stamps[i].x - stamps[i - 1].x), std::labs(stamps[i].y - stamps[i - 1].y)), 1)
                    << c.name;
    }
}

TEST(BrushStroke, StepAndSizeSlots)
{
    EXPECT_EQ(BrushStepFor(3, true, 9), 0);
    EXPECT_EQ(BrushStepFor(50, true, 9), 12);
    EXPECT_EQ(BrushStepFor(50, false, 9), 9);
    EXPECT_EQ(BrushStepFor(0, true, 9), 0);
    const int slots[18] = {0, 1, 1, 2, 3, 4, -1, -1, -1, 4, 4, 4, 4, 4, 4, 4, 4, 4};
    for (int type = 0; type < 18; ++type)
        EXPECT_EQ(BrushSizeSlot(type), slots[type]) << type;
}

TEST(BrushStroke, StripCells)
{
    CxImage cell;
    const CZVImage strip = BrushStrip();
    ASSERT_TRUE(BrushStripCell(strip, 1, cell));
    EXPECT_EQ(cell.GetWidth(), 32u);
    EXPECT_EQ(cell.GetHeight(), 32u);
    // The soft cell: black in the middle.
    EXPECT_LT(cell.GetPixelColor(16, 16).rgbRed, 20);
    EXPECT_FALSE(BrushStripCell(strip, 3, cell));
    EXPECT_FALSE(cell.IsValid());
    EXPECT_FALSE(BrushStripCell(CZVImage(), 0, cell));
}

TEST(BrushStroke, CopyPixelRectCopiesOnlyTheRectangle)
{
    CZVImage from = ToolsPlain(20, 10, RGB(10, 20, 30));
    CZVImage to = ToolsPlain(20, 10, RGB(200, 200, 200));
    ASSERT_TRUE(CopyPixelRect(from, to, RECT{-5, 2, 4, 5}));
    EXPECT_EQ(to.GetPixelColor(0, 2, false).rgbRed, 10);
    EXPECT_EQ(to.GetPixelColor(3, 4, false).rgbRed, 10);
    EXPECT_EQ(to.GetPixelColor(4, 4, false).rgbRed, 200);
    EXPECT_EQ(to.GetPixelColor(3, 5, false).rgbRed, 200);
    EXPECT_EQ(to.GetPixelColor(3, 1, false).rgbRed, 200);
    CZVImage other = ToolsPlain(21, 10, RGB(0, 0, 0));
    EXPECT_FALSE(CopyPixelRect(from, other, RECT{0, 0, 5, 5}));
}

// ---- brushes ----

TEST_F(ToolsTest, ShippedStripsAreStripsThatPaint)
{
    const std::wstring folder = testsupport::BinDir() + L"\\Data\\Editor\\Brushes\\";
    const wchar_t* names[] = {L"Rounds.png", L"Chalk.png", L"Splatter.png", L"Star.png",
                              L"Heart.png",  L"Leaf.png",  L"Grass.png",    L"Snow.png"};
    for (const wchar_t* name : names) {
        CZVImage strip;
        ASSERT_TRUE(strip.Load((folder + name).c_str())) << name;
        const long h = static_cast<long>(strip.GetHeight()), cells = static_cast<long>(strip.GetWidth()) / h;
        EXPECT_GE(h, 64) << name;
        EXPECT_LE(h, 128) << name;
        EXPECT_EQ(strip.GetWidth() % h, 0u) << name;
        EXPECT_GE(cells, 8) << name;
        EXPECT_LE(cells, 12) << name;
        // The last cell paints through the view.
        Open(ToolsPlain(400, 300, RGB(255, 255, 255)), 1.0f);
        host.brushFile = folder + name;
        view.tool = 16;
        view.paintColour = RGBQUAD{0, 0, 0, 0};
        view.SetBrushOptions(1, 40, static_cast<int>(cells - 1), 255, TRUE, 0, 0);
        Stroke(POINT{150, 100}, POINT{350, 250});
        int painted = 0;
        for (int y = 30; y < 230; y += 2)
            for (int x = 30; x < 270; x += 2)
                painted += At(x, y) != RGB(255, 255, 255);
        EXPECT_GT(painted, 200) << name;
    }
}

TEST_F(ToolsTest, BrushesPaintAlongThePathOnly)
{
    struct Case {
        const char* name;
        int tool, type;
        bool alpha;
        COLORREF expected;   // the colour in the middle of the path
        BYTE expectedAlpha;
    };
    // The eraser paints the second colour on a picture without alpha and clears the alpha of
    // one with it.
    const Case cases[] = {{"brush", 16, 1, true, RGB(255, 0, 0), 255},
                          {"pen", 17, 2, true, RGB(255, 0, 0), 255},
                          {"eraser", 20, 3, false, RGB(0, 160, 0), 255},
                          {"eraser on alpha", 20, 3, true, RGB(255, 255, 255), 0}};
    for (const Case& c : cases) {
        Open(ToolsPlain(400, 300, RGB(255, 255, 255)), 1.0f);
        if (!c.alpha) {
            Current().displayed.AlphaDelete();
            Current().source.AlphaDelete();
        }
        ASSERT_EQ(Current().displayed.AlphaIsValid(), c.alpha) << c.name;
        view.tool = c.tool;
        view.paintColour = RGBQUAD{0, 0, 255, 0};
        view.secondColour = RGBQUAD{0, 160, 0, 0};
        view.SetBrushOptions(c.type, 10, 0, 255, TRUE, 0, 0);
        Stroke(POINT{150, 100}, POINT{300, 100});
        CZVImage& p = Current().displayed;
        for (int x = 50; x <= 200; x += 5) {
            EXPECT_EQ(At(x, 50), c.expected) << c.name << " at " << x;
            if (c.alpha)
                EXPECT_EQ(p.AlphaGet(x, 299 - 50), c.expectedAlpha) << c.name << " at " << x;
        }
        // Off the path and past its ends nothing changed.
        for (POINT off : {POINT{120, 60}, POINT{120, 40}, POINT{40, 50}, POINT{210, 50}, POINT{300, 200}}) {
            EXPECT_EQ(At(off.x, off.y), RGB(255, 255, 255)) << c.name << " at " << off.x << "," << off.y;
            if (c.alpha)
                EXPECT_EQ(p.AlphaGet(off.x, 299 - off.y), 255) << c.name << " at " << off.x << "," << off.y;
        }
    }
}

TEST_F(ToolsTest, PenKeepsOnlyFullCoverAndBrushBlends)
{
    // The soft cell gives partial cover at its rim: blended colours with the brush, none with
    // the pen.
    for (int type : {1, 2}) {
        Open(ToolsPlain(400, 300, RGB(255, 255, 255)), 1.0f);
        view.tool = type == 1 ? 16 : 17;
        view.paintColour = RGBQUAD{0, 0, 0, 0};
        view.SetBrushOptions(type, 32, 1, 255, TRUE, 0, 0);
        Stroke(POINT{200, 150}, POINT{200, 150});
        int between = 0;
        for (int x = 84; x <= 116; ++x) {
            const BYTE r = GetRValue(At(x, 100));
            if (r != 0 && r != 255)
                ++between;
        }
        if (type == 1)
            EXPECT_GT(between, 0);
        else
            EXPECT_EQ(between, 0);
    }
}

TEST_F(ToolsTest, SmallAutomaticBrushStampsEveryPixel)
{
    view.tool = 16;
    view.paintColour = RGBQUAD{0, 0, 0, 0};
    view.SetBrushOptions(1, 3, 0, 255, TRUE, 7, 0);
    EXPECT_EQ(view.brushStep, 0);
    // One long move: the segment itself must leave no gaps.
    Down(110, 60);
    Move(290, 130);
    Up(290, 130);
    for (int x = 10; x <= 190; ++x) {
        const int y = 10 + (x - 10) * 70 / 180;
        bool painted = false;
        for (int dy = -1; dy <= 1; ++dy)
            painted = painted || At(x, y + dy) == RGB(0, 0, 0);
        EXPECT_TRUE(painted) << "x " << x;
    }
}

TEST_F(ToolsTest, SizeBelowOneIsOne)
{
    view.tool = 16;
    view.paintColour = RGBQUAD{0, 0, 0, 0};
    view.SetBrushOptions(1, 0, 0, 255, TRUE, 0, 0);
    EXPECT_EQ(view.brushSize, 1);
    EXPECT_EQ(view.brushStep, 0);
    Stroke(POINT{150, 100}, POINT{170, 100}, 5);
    EXPECT_NE(At(60, 50), RGB(255, 255, 255));
}

TEST_F(ToolsTest, MissingOrBadStripPaintsNothing)
{
    CZVImage flat = ToolsPlain(40, 32, RGB(0, 0, 0));   // one cell and a bit
    ASSERT_TRUE(flat.Save(temp.At(L"short.png").c_str(), CXIMAGE_FORMAT_PNG));
    const struct {
        std::wstring file;
        int index;
    } cases[] = {{temp.At(L"none.png"), 0}, {temp.At(L"short.png"), 1}, {temp.At(L"strip.png"), 7}, {L"", 0}};
    for (const auto& c : cases) {
        Open(ToolsPlain(400, 300, RGB(255, 255, 255)), 1.0f);
        host.brushFile = c.file;
        view.tool = 16;
        view.SetBrushOptions(1, 10, c.index, 255, TRUE, 0, 0);
        const int before = Steps();
        Stroke(POINT{150, 100}, POINT{300, 100});
        EXPECT_FALSE(view.brushPicture.IsValid());
        EXPECT_EQ(At(100, 50), RGB(255, 255, 255));
        EXPECT_EQ(Steps(), before);
    }
}

TEST_F(ToolsTest, LockedLayerTakesNoPaintAndNoStep)
{
    ASSERT_TRUE(view.doc.AddImageLayer(ToolsPlain(200, 100, RGB(255, 255, 255)), FALSE));
    Current().locked = 1;
    for (int tool : {16, 21, 15}) {
        view.tool = tool;
        view.paintColour = RGBQUAD{0, 0, 0, 0};
        view.SetBrushOptions(1, 10, 0, 255, TRUE, 0, 0);
        const int before = Steps();
        const POINT origin = {static_cast<LONG>(Current().location.x), static_cast<LONG>(Current().location.y)};
        Stroke(POINT{origin.x + 20, origin.y + 50}, POINT{origin.x + 180, origin.y + 50});
        EXPECT_EQ(At(100, 50), RGB(255, 255, 255)) << tool;
        EXPECT_EQ(Steps(), before) << tool;
    }
}

TEST_F(ToolsTest, TurnedLayerIsBakedBeforeTheFirstDab)
{
    ASSERT_TRUE(view.doc.AddImageLayer(ToolsPlain(200, 100, RGB(255, 255, 255)), FALSE));
    CLayerInfo& layer = Current();
    layer.SetAngle(0.5f);
    view.doc.CalcLayerTracker(&layer);
    const long turnedWidth = static_cast<long>(layer.displayed.GetWidth());
    ASSERT_GT(turnedWidth, 200);
    view.tool = 16;
    view.paintColour = RGBQUAD{0, 0, 0, 0};
    view.SetBrushOptions(1, 10, 0, 255, TRUE, 0, 0);
    const POINT corner = layer.GetFrameTopLeft();
    ASSERT_EQ(At(turnedWidth / 2, 60), RGB(255, 255, 255));
    Down(corner.x + turnedWidth / 2, corner.y + 60);
    EXPECT_EQ(layer.angle, 0.0f);
    EXPECT_EQ(layer.width, turnedWidth);
    // The dab lands where it was pressed on the baked picture, and the source follows it.
    EXPECT_EQ(At(turnedWidth / 2, 60), RGB(0, 0, 0));
    Up(corner.x + turnedWidth / 2, corner.y + 60);
    ASSERT_TRUE(layer.source.IsValid());
    EXPECT_EQ(layer.source.GetWidth(), layer.displayed.GetWidth());
}

TEST_F(ToolsTest, OneStepPerStrokeAndTheSourceFollowsTheDabs)
{
    view.tool = 16;
    view.paintColour = RGBQUAD{0, 0, 0, 0};
    view.SetBrushOptions(1, 20, 0, 255, TRUE, 0, 0);
    const int before = Steps();
    Stroke(POINT{150, 100}, POINT{400, 250}, 7);
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_EQ(CxImage::RGBQUADtoRGB(view.doc.history.RecordAt(Steps() - 1).GetLayer().displayed.GetPixelColor(
                  50, 299 - 50, false)),
              RGB(0, 0, 0));
    // Copy-on-edit: the source holds exactly the painted picture.
    CZVImage& shown = Current().displayed;
    CZVImage& source = Current().source;
    ASSERT_TRUE(source.IsValid());
    for (long row = 0; row < 300; ++row)
        ASSERT_EQ(std::memcmp(shown.GetBits(row), source.GetBits(row), 400 * 3), 0) << "row " << row;
    // Without copy-on-edit the source goes.
    view.doc.keepSource = 0;
    Stroke(POINT{150, 300}, POINT{200, 300});
    EXPECT_FALSE(Current().source.IsValid());
}

// ---- stamp, fill, straw, region effects ----

TEST_F(ToolsTest, StampChoosesItsSourceFirstThenClonesAtZoomHalf)
{
    CZVImage picture = ToolsPlain(800, 600, RGB(255, 255, 255));
    picture.SetRectColor(RECT{100, 100, 160, 160}, CxImage::RGBtoRGBQUAD(RGB(0, 0, 200)));
    Open(picture, 0.5f);
    const CPoint canvas(view.doc.canvasRect.left, view.doc.canvasRect.top);
    view.tool = 18;
    view.SetBrushOptions(16, 20, 0, 255, FALSE, 2, 0);
    ASSERT_EQ(view.cloneState, 1);
    const int before = Steps();
    // The source: picture (130, 130) is window canvas + (65, 65).
    Stroke(POINT{canvas.x + 65, canvas.y + 65}, POINT{canvas.x + 65, canvas.y + 65});
    EXPECT_EQ(view.cloneState, 2);
    EXPECT_EQ(Steps(), before);
    for (int x = 0; x < 800; x += 20)
        for (int y = 0; y < 600; y += 20)
            if (!(x >= 100 && x < 160 && y >= 100 && y < 160))
                ASSERT_EQ(At(x, y), RGB(255, 255, 255)) << x << "," << y;
    // The target 150 window pixels right: 300 picture pixels.
    Stroke(POINT{canvas.x + 215, canvas.y + 65}, POINT{canvas.x + 215, canvas.y + 65});
    EXPECT_EQ(view.cloneState, 3);
    EXPECT_EQ(view.cloneOffset.x, 300);
    EXPECT_EQ(view.cloneOffset.y, 0);
    EXPECT_EQ(At(430, 130), RGB(0, 0, 200));
    EXPECT_EQ(Steps(), before + 1);
}

TEST_F(ToolsTest, FloodFillKeepsToItsToleranceAsOneStep)
{
    CZVImage picture = ToolsPlain(400, 300, RGB(200, 200, 200));
    picture.SetRectColor(RECT{100, 0, 200, 300}, CxImage::RGBtoRGBQUAD(RGB(215, 215, 215)));
    picture.SetRectColor(RECT{200, 0, 300, 300}, CxImage::RGBtoRGBQUAD(RGB(250, 250, 250)));
    Open(picture, 1.0f);
    view.tool = 21;
    view.paintColour = RGBQUAD{0, 0, 255, 0};
    const int before = Steps();
    Down(150, 200);
    Up(150, 200);
    EXPECT_EQ(At(50, 150), RGB(255, 0, 0));
    EXPECT_EQ(At(150, 150), RGB(255, 0, 0));
    EXPECT_EQ(At(250, 150), RGB(250, 250, 250));
    EXPECT_EQ(Steps(), before + 1);
    // The step holds the filled picture: undoing it goes back to the unfilled one.
    const CLayerInfo recorded = view.doc.history.RecordAt(Steps() - 1).GetLayer();
    EXPECT_EQ(CxImage::RGBQUADtoRGB(recorded.displayed.GetPixelColor(50, 150, false)), RGB(255, 0, 0));
}

TEST_F(ToolsTest, StrawPostsThePixelColourToTheHost)
{
    CZVImage picture = ToolsPlain(400, 300, RGB(255, 255, 255));
    picture.SetRectColor(RECT{40, 20, 60, 40}, CxImage::RGBtoRGBQUAD(RGB(12, 34, 56)));
    Open(picture, 1.0f);
    HWND target = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    host.colourTarget = target;
    view.tool = 14;
    Down(150, 80);
    Up(150, 80);
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, target, 0x8001, 0x8001, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(static_cast<COLORREF>(msg.lParam), RGB(12, 34, 56));
    ::DestroyWindow(target);
}

TEST_F(ToolsTest, RegionEffectsChangeOnlyTheirCircle)
{
    // A fine checker of two reds so that every effect finds something to change.
    CZVImage picture = ToolsPlain(400, 300, RGB(200, 40, 40));
    for (long y = 0; y < 300; ++y)
        for (long x = (y & 1); x < 400; x += 2)
            picture.SetPixelColor(x, y, CxImage::RGBtoRGBQUAD(RGB(120, 30, 30)));
    for (int tool : {23, 24, 27, 28, 29, 30}) {
        Open(picture, 1.0f);
        view.tool = tool;
        view.SetBrushOptions(5, 40, 0, 255, TRUE, 0, 0);
        Stroke(POINT{300, 200}, POINT{300, 200});
        // Circle of radius 20 round picture (200, 150).
        EXPECT_NE(At(200, 150), CxImage::RGBQUADtoRGB(picture.GetPixelColor(200, 149, false))) << tool;
        for (POINT away : {POINT{200, 120}, POINT{170, 150}, POINT{231, 150}, POINT{200, 180}, POINT{10, 10}})
            EXPECT_EQ(At(away.x, away.y), CxImage::RGBQUADtoRGB(picture.GetPixelColor(away.x, 299 - away.y, false)))
                << tool << " at " << away.x << "," << away.y;
    }
}

TEST_F(ToolsTest, CosmeticAndPictureBrushesWorkAroundThePress)
{
    // A coloured checker of 3-pixel squares: tinting, greying, blurring, mosaic and the face
    // tools all find something to change.
    CZVImage picture = ToolsPlain(400, 300, RGB(200, 120, 90));
    for (long y = 0; y < 300; ++y)
        for (long x = 0; x < 400; ++x)
            if (((x / 3) + (y / 3)) % 2)
                picture.SetPixelColor(x, y, CxImage::RGBtoRGBQUAD(RGB(60, 90, 150)));
    const struct {
        const char* name;
        int tool, type;
        bool local;   // nothing changes far from the press
    } cases[] = {{"colour brush", 22, 0, true}, {"enlarge eyes", 24, 6, false}, {"eyelashes", 25, 7, true},
                 {"acne", 26, 8, true},         {"mosaic", 31, 4, true},         {"grey", 32, 13, true},
                 {"blur brush", 34, 14, true}};
    for (const auto& c : cases) {
        Open(picture, 1.0f);
        view.tool = c.tool;
        view.paintColour = RGBQUAD{0, 200, 0, 0};
        view.SetBrushOptions(c.type, 30, 0, 255, TRUE, 0, 0);
        const int before = Steps();
        Stroke(POINT{300, 200}, POINT{300, 200});
        int changed = 0;
        for (int y = 140; y <= 160; ++y)
            for (int x = 190; x <= 210; ++x)
                changed += At(x, y) != CxImage::RGBQUADtoRGB(picture.GetPixelColor(x, 299 - y, false));
        EXPECT_GT(changed, 20) << c.name;
        EXPECT_EQ(Steps(), before + 1) << c.name;
        if (c.local)
            for (POINT away : {POINT{150, 150}, POINT{250, 150}, POINT{200, 100}, POINT{10, 10}})
                EXPECT_EQ(At(away.x, away.y), CxImage::RGBQUADtoRGB(picture.GetPixelColor(away.x, 299 - away.y, false)))
                    << c.name << " at " << away.x << "," << away.y;
    }
}

TEST_F(ToolsTest, PictureBrushFollowsTheCurrentLayer)
{
    // The grey brush made on the background must not paint its picture into another layer.
    view.tool = 32;
    view.SetBrushOptions(13, 30, 0, 255, TRUE, 0, 0);
    Stroke(POINT{300, 200}, POINT{300, 200});
    CZVImage red = ToolsPlain(200, 150, RGB(220, 0, 0));
    ASSERT_TRUE(view.doc.AddImageLayer(red, FALSE));
    CLayerInfo& layer = Current();
    layer.location = ZVPOINTF{150, 100};
    view.doc.UpdateLayerOrigin(&layer);
    view.doc.CalcLayerTracker(&layer);
    Stroke(POINT{250, 175}, POINT{250, 175});
    // Red in grey: every channel alike, and not the white of the background.
    const COLORREF c = At(100, 75);
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_LT(GetRValue(c), 200);
}

// ---- selections ----

TEST_F(ToolsTest, RectangleSquareWithShiftOnly)
{
    const struct {
        const char* name;
        UINT flags;
        float width, height;
    } cases[] = {{"free", MK_LBUTTON, 100, 60},
                 {"shift", MK_LBUTTON | MK_SHIFT, 100, 100},
                 {"shift and control", MK_LBUTTON | MK_SHIFT | MK_CONTROL, 100, 60}};
    view.tool = 4;
    for (const auto& c : cases) {
        view.ClearSelection();
        view.selectionTracker.m_rect.SetRectEmpty();
        Down(150, 100, c.flags);
        Move(200, 130, c.flags);
        Move(250, 160, c.flags);
        Up(250, 160);
        const PathBounds b = view.doc.GetPathBounds();
        EXPECT_EQ(b.width, c.width) << c.name;
        EXPECT_EQ(b.height, c.height) << c.name;
        EXPECT_EQ(view.doc.pathPoints.size(), 5u) << c.name;
        // Released with an empty tracker: the tracker is put round the outline.
        EXPECT_EQ(view.selectionTracker.m_rect.Width(), static_cast<int>(c.width)) << c.name;
        EXPECT_TRUE(Current().displayed.SelectionIsValid()) << c.name;
    }
}

TEST_F(ToolsTest, FiguresFillTheDraggedRectangle)
{
    for (int tool : {8, 9, 10}) {
        view.tool = tool;
        view.ClearSelection();
        view.selectionTracker.m_rect.SetRectEmpty();
        Down(150, 100);
        Move(200, 160);
        Move(300, 220);
        Up(300, 220);
        const PathBounds b = view.doc.GetPathBounds();
        EXPECT_NEAR(b.x, 150, 1.5) << tool;
        EXPECT_NEAR(b.y, 100, 1.5) << tool;
        EXPECT_NEAR(b.width, 150, 1.5) << tool;
        EXPECT_NEAR(b.height, 120, 1.5) << tool;
    }
}

TEST_F(ToolsTest, LassoCloses)
{
    view.tool = 5;
    Down(150, 100);
    Move(250, 100);
    Move(250, 200);
    Move(160, 190);
    Up(160, 190);
    ASSERT_GE(view.doc.pathPoints.size(), 4u);
    EXPECT_EQ(view.doc.pathPoints.front().x, view.doc.pathPoints.back().x);
    EXPECT_EQ(view.doc.pathPoints.front().y, view.doc.pathPoints.back().y);
    EXPECT_TRUE(Current().displayed.SelectionIsValid());
}

TEST_F(ToolsTest, PolygonPointsRubberBandAndDoubleClick)
{
    view.tool = 6;
    for (POINT p : {POINT{150, 100}, POINT{300, 100}, POINT{300, 250}}) {
        Down(p.x, p.y);
        Up(p.x, p.y);
    }
    ASSERT_EQ(view.doc.pathPoints.size(), 3u);
    // The band follows the pointer without staying.
    Move(200, 240, 0);
    EXPECT_EQ(view.doc.pathPoints.size(), 3u);
    EXPECT_FALSE(Current().displayed.SelectionIsValid());
    view.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(300, 250));
    EXPECT_EQ(view.polygonClosed, 1);
    ASSERT_EQ(view.doc.pathPoints.size(), 4u);
    EXPECT_EQ(view.doc.pathPoints.back().x, 150.0f);
    EXPECT_TRUE(Current().displayed.SelectionIsValid());
    // A press outside a closed polygon starts a new one.
    view.selectionTracker.m_rect.SetRectEmpty();
    Down(450, 300);
    Up(450, 300);
    EXPECT_EQ(view.doc.pathPoints.size(), 1u);
}

TEST_F(ToolsTest, MagicWandTakesTheRegionAtThePoint)
{
    CZVImage picture = ToolsPlain(400, 300, RGB(255, 255, 255));
    picture.SetRectColor(RECT{50, 40, 150, 100}, CxImage::RGBtoRGBQUAD(RGB(0, 100, 0)));
    Open(picture, 1.0f);
    view.tool = 12;
    Down(200, 120);
    Up(200, 120);
    const PathBounds b = view.doc.GetPathBounds();
    EXPECT_NEAR(b.x, 150, 1.5);
    EXPECT_NEAR(b.width, 100, 1.5);
    EXPECT_NEAR(b.height, 60, 1.5);
}

TEST_F(ToolsTest, SelectionMovesByDragAndArrowsEscapeCancelsKeyUpApplies)
{
    view.tool = 11;
    view.doc.pathPoints = {{150, 100}, {250, 100}, {250, 200}, {150, 200}, {150, 100}};
    view.selectionTracker.m_rect.SetRectEmpty();
    Down(200, 150);
    Move(210, 155);
    Move(220, 160);
    view.selectionTracker.m_rect.SetRectEmpty();
    Up(220, 160);
    EXPECT_EQ(view.doc.pathPoints[0].x, 170.0f);
    EXPECT_EQ(view.doc.pathPoints[0].y, 110.0f);

    Current().displayed.SelectionDelete();
    Key(WM_KEYDOWN, VK_RIGHT);
    Key(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(view.doc.pathPoints[0].x, 171.0f);
    EXPECT_EQ(view.doc.pathPoints[0].y, 109.0f);
    EXPECT_FALSE(Current().displayed.SelectionIsValid());
    Key(WM_KEYUP, VK_UP);
    EXPECT_TRUE(Current().displayed.SelectionIsValid());

    Key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(view.doc.pathPoints.empty());
}

// ---- pan, shape, line ----

TEST_F(ToolsTest, PanNeverGoesBelowOne)
{
    Open(ToolsPlain(1600, 1200, RGB(255, 255, 255)), 1.0f);
    view.tool = 3;
    view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), 0);
    view.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), 0);
    Down(300, 200);
    Move(320, 210);
    EXPECT_EQ(view.doc.hPos, 1);
    EXPECT_EQ(view.doc.vPos, 1);
    Move(280, 195);
    EXPECT_EQ(view.doc.hPos, 30);
    EXPECT_EQ(view.doc.vPos, 15);
    Up(600, 600);
    EXPECT_EQ(view.doc.hPos, 1);
    EXPECT_EQ(view.doc.vPos, 1);
    EXPECT_EQ(view.panning, 0);
}

TEST_F(ToolsTest, ShapeDragMakesALayerOfTheDraggedSize)
{
    Open(ToolsPlain(800, 600, RGB(255, 255, 255)), 0.5f);
    host.shape.outlineWidth = 2;
    host.shape.fillOn = 1;
    view.tool = 1;
    const size_t layers = view.doc.layers.layers.size();
    const int before = Steps();
    Down(150, 100);
    Move(200, 130);
    Move(230, 150);
    Move(250, 160);
    Up(250, 160);
    ASSERT_EQ(view.doc.layers.layers.size(), layers + 1);
    EXPECT_EQ(Current().type, LAYER_SHAPE);
    EXPECT_EQ(Current().shape.width, 200);
    EXPECT_EQ(Current().shape.height, 120);
    EXPECT_EQ(host.shapesFinished, 1);
    // One step for the drag: the layer's add step, holding the final shape where it was drawn.
    ASSERT_EQ(Steps(), before + 1);
    const CLayerInfo added = view.doc.history.RecordAt(Steps() - 1).GetLayer();
    EXPECT_EQ(added.shape.width, 200);
    EXPECT_EQ(added.location.x, 150.0f);
    EXPECT_EQ(added.location.y, 100.0f);
}

TEST_F(ToolsTest, LineIsDrawnWithItsArrowAsOneStep)
{
    // The line's own settings, not the shape tool's.
    host.shape.outlineColour = RGB(0, 255, 0);
    host.shape.outlineWidth = 9;
    host.line.outlineColour = RGB(0, 0, 255);
    host.line.outlineWidth = 3;
    host.line.lineOption = ZVArrowEnd;
    view.tool = 15;
    const int before = Steps();
    Down(150, 150);
    Move(250, 150);
    Move(350, 150);
    Up(350, 150);
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_EQ(At(100, 100), RGB(0, 0, 255));
    EXPECT_EQ(At(100, 90), RGB(255, 255, 255));
    // The arrow head near the end is wider than the line.
    bool head = false;
    for (int x = 230; x < 250; ++x)
        head = head || At(x, 97) == RGB(0, 0, 255) || At(x, 103) == RGB(0, 0, 255);
    EXPECT_TRUE(head);
    EXPECT_TRUE(view.doc.pathPoints.empty());
}

// ---- context menu and leaving ----

TEST_F(ToolsTest, ContextMenuSuppressionIsUsedOnce)
{
    view.suppressContextMenu = 1;
    view.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view.m_hWnd), MAKELPARAM(10, 10));
    EXPECT_EQ(view.suppressContextMenu, 0);
    EXPECT_EQ(view.menus, 0);
    view.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view.m_hWnd), MAKELPARAM(10, 10));
    EXPECT_EQ(view.menus, 1);
}

TEST_F(ToolsTest, LeavingDropsTheToolCursorAndComingBackRestoresIt)
{
    view.tool = 16;
    view.SetBrushOptions(1, 40, 0, 255, TRUE, 0, 0);
    view.SetToolCursor();
    ASSERT_TRUE(view.brushIcon.IsValid());
    Move(200, 200, 0);
    view.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(view.brushIcon.IsValid());
    Move(210, 200, 0);
    EXPECT_TRUE(view.brushIcon.IsValid());
}

TEST_F(ToolsTest, LeavingMidLineOrMidPanFinishesIt)
{
    view.tool = 15;
    host.line.outlineWidth = 3;
    const int before = Steps();
    Down(150, 150);
    Move(300, 150);
    view.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(view.lineDrawing, 0);
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_EQ(At(120, 100), RGB(0, 0, 0));

    Open(ToolsPlain(1600, 1200, RGB(255, 255, 255)), 1.0f);
    view.tool = 3;
    Down(300, 200);
    Move(290, 190);
    view.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(view.panning, 0);
}

// ---- a session ----

// A scripted session on a sample picture; the view's pixels, marching ants included, go to
// build/out/tools.png for a look.
TEST_F(ToolsTest, SessionPicture)
{
    view.MoveWindow(0, 0, 900, 620);
    CZVImage sample;
    ASSERT_TRUE(sample.Load((testsupport::BinDir() + L"\\Data\\Sample\\Lakeside.jpg").c_str()));
    Open(sample, 1.0f);
    host.brushFile = testsupport::BinDir() + L"\\Data\\Editor\\Brushes\\Rounds.png";
    const POINT o = {view.doc.canvasRect.left, view.doc.canvasRect.top};
    const auto at = [&](int x, int y) { return POINT{o.x + x, o.y + y}; };
    const auto paint = [&](int tool, int type, int size, int cell, RGBQUAD colour, POINT a, POINT b) {
        view.tool = tool;
        view.paintColour = colour;
        view.SetBrushOptions(type, size, cell, 255, FALSE, 2, 0);
        Stroke(a, b, 6);
    };
    const int before = Steps();
    paint(16, 1, 18, 7, RGBQUAD{30, 30, 230, 0}, at(40, 40), at(200, 80));
    paint(17, 2, 10, 2, RGBQUAD{230, 80, 20, 0}, at(40, 100), at(200, 130));
    paint(20, 3, 22, 3, RGBQUAD{}, at(240, 40), at(360, 70));
    // A second sun: the source click on the sun, the patch painted to its right.
    paint(18, 16, 70, 0, RGBQUAD{}, at(440, 120), at(440, 120));
    paint(18, 16, 70, 0, RGBQUAD{}, at(570, 60), at(580, 62));
    view.tool = 21;
    view.paintColour = RGBQUAD{160, 160, 20, 0};
    Down(at(60, 400).x, at(60, 400).y);
    Up(at(60, 400).x, at(60, 400).y);
    // Lighten and blur work a little per dab: many dabs on one spot.
    for (int tool : {27, 30}) {
        view.tool = tool;
        view.SetBrushOptions(5, 80, 0, 255, TRUE, 0, 0);
        const POINT c = at(tool == 27 ? 110 : 300, 250);
        Down(c.x, c.y);
        for (int i = 0; i < (tool == 27 ? 60 : 25); ++i)
            Move(c.x + (i & 1), c.y);
        Up(c.x, c.y);
    }
    host.shape = ShapeSettings();
    host.shape.outlineColour = RGB(220, 20, 60);
    host.shape.outlineWidth = 5;
    host.shape.lineOption = ZVArrowEnd;
    view.tool = 15;
    Stroke(at(380, 395), at(600, 345), 20);
    EXPECT_EQ(Steps(), before + 8);
    host.shape.shape = SHAPE_ELLIPSE;
    host.shape.fillOn = 1;
    host.shape.fillColour = RGB(250, 210, 60);
    host.shape.outlineColour = RGB(120, 60, 0);
    host.shape.outlineWidth = 3;
    view.tool = 1;
    Stroke(at(470, 190), at(610, 290), 20);
    ASSERT_EQ(Current().type, LAYER_SHAPE);
    // The heart on the background, with its ants.
    view.doc.layers.currentId = 0;
    view.tool = 10;
    Stroke(at(180, 290), at(330, 415), 15);
    ASSERT_GT(view.doc.pathPoints.size(), 10u);
    PumpPending();
    view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    CRect client;
    view.GetClientRect(&client);
    HDC screen = ::GetDC(view.m_hWnd);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, client.Width(), client.Height(), screen, 0, 0, SRCCOPY);
    // The ants lie on the outline: black and white runs.
    int black = 0, white = 0;
    for (const ZVPOINTF& p : view.doc.pathPoints) {
        const COLORREF c = ::GetPixel(memory, static_cast<int>(p.x), static_cast<int>(p.y));
        black += c == RGB(0, 0, 0);
        white += c == RGB(255, 255, 255);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(view.m_hWnd, screen);
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0);
    CZVImage shot;
    ASSERT_TRUE(shot.CreateFromHBITMAP(bitmap));
    ::DeleteObject(bitmap);
    const std::wstring out = testsupport::BinDir() + L"\\..\\out";
    ::CreateDirectoryW(out.c_str(), nullptr);
    EXPECT_TRUE(shot.Save((out + L"\\tools.png").c_str(), CXIMAGE_FORMAT_PNG));
}

} // namespace
