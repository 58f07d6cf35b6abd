// The layer record: renders on a quadrant-coloured picture, resizes, flips, the frame it builds
// and its assignment.
#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include "DocumentTestSupport.h"
#include "EditorAppState.h"
#include "LayerInfo.h"

using namespace documenttest;

TEST(LayerInfo, AngleConversion)
{
    // Exact pi: a quarter turn is exactly 90 degrees (3.14 gave 90.05 and missed the library's
    // lossless path), one radian 57.30.
    EXPECT_EQ(90.0f, LayerAngleToDegrees(static_cast<float>(kPi / 2)));
    EXPECT_EQ(-90.0f, LayerAngleToDegrees(static_cast<float>(-kPi / 2)));
    EXPECT_NEAR(57.2958, LayerAngleToDegrees(1.0f), 1e-4);
}

TEST(LayerInfo, ImageRenderSteps)
{
    struct Case {
        const char* name;
        std::function<void(CLayerInfo&)> set;
        std::function<void(const CLayerInfo&)> check;
    } const cases[] = {
        {"opacity caps every alpha", [](CLayerInfo& l) { l.alpha = 100; },
         [](const CLayerInfo& l) {
             EXPECT_EQ(100, l.displayed.AlphaGet(0, 0));
             EXPECT_EQ(100, l.displayed.AlphaGet(39, 19));
         }},
        {"opacity above 255 is opaque", [](CLayerInfo& l) { l.alpha = 300; },
         [](const CLayerInfo& l) { EXPECT_EQ(255, l.displayed.AlphaGet(0, 0)); }},
        {"brightness", [](CLayerInfo& l) { l.brightness = 60; },
         [](const CLayerInfo& l) { EXPECT_GT(Top(l.displayed, 30, 5).rgbGreen, 40); }},
        {"saturation to grey", [](CLayerInfo& l) { l.saturation = -100; },
         [](const CLayerInfo& l) {
             const RGBQUAD c = Top(l.displayed, 5, 5);
             EXPECT_NEAR(c.rgbRed, c.rgbGreen, 2);
         }},
        {"colourise", [](CLayerInfo& l) { l.colorizeHue = 160; l.colorizeBlend = 1.0f; },
         [](const CLayerInfo& l) { EXPECT_NE(255, Top(l.displayed, 5, 5).rgbRed); }},
        {"zoom to the layer's size", [](CLayerInfo& l) { l.width = 80; l.height = 10; },
         [](const CLayerInfo& l) {
             EXPECT_EQ(80u, l.displayed.GetWidth());
             EXPECT_EQ(10u, l.displayed.GetHeight());
         }},
        {"zoomed copy dropped", [](CLayerInfo& l) { l.zoomedCopy = Quadrants(); },
         [](const CLayerInfo& l) { EXPECT_FALSE(l.zoomedCopy.IsValid()); }},
        {"no size leaves the picture's", [](CLayerInfo& l) { l.width = 0; },
         [](const CLayerInfo& l) { EXPECT_EQ(40u, l.displayed.GetWidth()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLayerInfo layer = QuadrantLayer();
        c.set(layer);
        layer.RenderImage();
        ASSERT_TRUE(layer.displayed.IsValid());
        c.check(layer);
        EXPECT_TRUE(SamePixels(Quadrants(), layer.source)) << "the source is never changed";
    }
}

TEST(LayerInfo, BorderShapes)
{
    ShapeLibrary square(1, ShapeLibraryEntry{L"M0 0 L10 0 L10 10 L0 10 Z", 10, 10});
    struct Probe {
        long x, y;   // from the top
        int alpha;
    };
    struct Case {
        int32_t shape;
        bool library;
        Probe probes[3];
    } const cases[] = {
        {0, false, {{1, 1, 255}, {1, 38, 255}, {40, 20, 255}}},
        {1, false, {{1, 1, 0}, {1, 38, 0}, {40, 20, 255}}},
        {2, false, {{1, 1, 0}, {1, 38, 0}, {40, 20, 255}}},
        // Apex up, right angle at the bottom left, tail at the bottom left: the figure is
        // turned upright for the picture's bottom-up rows.
        {3, false, {{5, 3, 0}, {10, 36, 255}, {40, 20, 255}}},
        {4, false, {{70, 10, 0}, {10, 30, 255}, {1, 38, 255}}},
        {5, false, {{1, 1, 0}, {1, 38, 0}, {40, 20, 255}}},
        {6, false, {{1, 1, 0}, {40, 38, 255}, {40, 20, 255}}},
        {7, false, {{1, 1, 0}, {1, 38, 0}, {40, 20, 255}}},
        {8, false, {{0, 0, 0}, {14, 36, 255}, {40, 36, 0}}},
        // No library entry: an empty figure, and the mask still applied.
        {9, false, {{1, 1, 0}, {40, 20, 0}, {78, 38, 0}}},
        {9, true, {{1, 1, 255}, {40, 20, 255}, {78, 38, 255}}},
        {10, true, {{1, 1, 0}, {40, 20, 0}, {78, 38, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shape " << c.shape << (c.library ? " with a library" : ""));
        LibraryScope scope(c.library ? square : ShapeLibrary());
        CLayerInfo layer = QuadrantLayer(80, 40);
        layer.borderOn = 1;
        layer.borderShape = c.shape;
        layer.cornerRadius = 12;
        layer.borderWidth = 2;
        layer.borderColour = RGBQUAD{0, 0, 0, 255};
        layer.RenderImage();
        ASSERT_EQ(80u, layer.displayed.GetWidth());
        for (const Probe& p : c.probes)
            EXPECT_EQ(p.alpha, TopAlpha(layer.displayed, p.x, p.y)) << p.x << "," << p.y;
    }
    // The line takes the layer's opacity, not the colour's.
    CLayerInfo faint = QuadrantLayer(80, 40);
    faint.borderOn = 1;
    faint.borderWidth = 4;
    faint.borderColour = RGBQUAD{0, 0, 0, 255};
    faint.alpha = 128;
    faint.RenderImage();
    EXPECT_NEAR(127, Top(faint.displayed, 1, 10).rgbRed, 3) << "black at half opacity over red";
}

TEST(LayerInfo, Rotation)
{
    // Quarter turns take the library's exact path: the same pixels as its own quarter turns.
    struct Case {
        double angle;
        bool left;
    } const cases[] = {{kPi / 2, false}, {-kPi / 2, true}, {3 * kPi / 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        CLayerInfo layer = QuadrantLayer();
        layer.SetAngle(static_cast<float>(c.angle));
        CZVImage expected(layer.source);
        expected.AlphaCreate();
        c.left ? expected.RotateLeft() : expected.RotateRight();
        EXPECT_TRUE(SamePixels(expected, layer.displayed));
        EXPECT_EQ(40, layer.width) << "the layer's size is before rotation";
    }
    CLayerInfo turned = QuadrantLayer();
    turned.shadowCache = Quadrants();
    turned.SetAngle(0.5f);
    EXPECT_GT(turned.displayed.GetWidth(), 40u);
    EXPECT_EQ(0, turned.displayed.AlphaGet(0, 0)) << "the corners outside are transparent";
    EXPECT_FALSE(turned.shadowCache.IsValid());
}

TEST(LayerInfo, FlipsCarryAlpha)
{
    struct Case {
        bool vertical;
        long x, yTop;   // where the faint top-left quadrant lands
    } const cases[] = {{true, 5, 15}, {false, 35, 5}};
    for (const Case& c : cases) {
        CLayerInfo layer = QuadrantLayer();
        // The top-left quadrant is faint.
        for (long y = 10; y < 20; ++y)
            for (long x = 0; x < 20; ++x)
                layer.source.AlphaSet(x, y, 90);
        layer.RenderImage();
        c.vertical ? layer.FlipVertical() : layer.FlipHorizontal();
        EXPECT_EQ(1, c.vertical ? layer.flipVertical : layer.flipHorizontal);
        EXPECT_EQ(90, TopAlpha(layer.displayed, c.x, c.yTop)) << c.vertical;
        EXPECT_EQ(255, Top(layer.displayed, c.x, c.yTop).rgbRed) << c.vertical;
        EXPECT_EQ(255, TopAlpha(layer.displayed, 5, 5)) << "the faint corner moved away";
        EXPECT_TRUE(SamePixels(layer.source, layer.displayed)) << "the flip is kept in the source";
    }
}

TEST(LayerInfo, FastRenders)
{
    // From the source, zoomed to the layer's size.
    CLayerInfo layer = QuadrantLayer();
    layer.width = 80;
    layer.height = 10;
    layer.RenderImageFast();
    EXPECT_EQ(80u, layer.displayed.GetWidth());
    EXPECT_EQ(10u, layer.displayed.GetHeight());

    // From the working copy as it is.
    layer.workingCopy.Create(8, 6, 24);
    layer.SetAngleFast(static_cast<float>(kPi / 2));
    EXPECT_EQ(6u, layer.displayed.GetWidth());
    EXPECT_EQ(8u, layer.displayed.GetHeight());

    // Without a source there is no zoom to compute: nothing changes.
    CLayerInfo empty;
    empty.width = 30;
    empty.height = 30;
    empty.displayed = Quadrants();
    empty.RenderImageFast();
    EXPECT_EQ(40u, empty.displayed.GetWidth());
}

TEST(LayerInfo, Resizes)
{
    struct Case {
        const char* name;
        int32_t aspect10;              // stored aspect x 10 before the resize
        int width, height;
        bool keep;
        int32_t expectedWidth, expectedHeight;
        float expectedAspect;
    } const cases[] = {
        {"kept aspect taken from the size first", 0, 100, 999, true, 100, 50, 2.0f},
        {"kept aspect as stored", 40, 100, 999, true, 100, 25, 4.0f},
        {"kept aspect below one pixel", 40, 3, 999, true, 40, 20, 4.0f},
        {"free", 40, 60, 30, false, 60, 30, 2.0f},
        {"no width", 0, 0, 30, false, 40, 20, 0.0f},
        {"no height", 0, 30, 0, false, 40, 20, 0.0f},
        {"past the picture caps", 0, 40000, 30, false, 40, 20, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLayerInfo layer = QuadrantLayer();
        layer.aspect = c.aspect10 / 10.0f;
        layer.shadowCache = Quadrants();
        layer.Resize(c.width, c.height, 0, c.keep);
        EXPECT_EQ(c.expectedWidth, layer.width);
        EXPECT_EQ(c.expectedHeight, layer.height);
        EXPECT_FLOAT_EQ(c.expectedAspect, layer.aspect);
        EXPECT_EQ(static_cast<DWORD>(c.expectedWidth), layer.displayed.GetWidth());
        EXPECT_EQ(static_cast<DWORD>(c.expectedHeight), layer.displayed.GetHeight());
        const bool changed = c.expectedWidth != 40;
        EXPECT_EQ(!changed, layer.shadowCache.IsValid()) << "the shadow goes only with a change";
    }
}

TEST(LayerInfo, TextAndShapeResizes)
{
    CLayerInfo text;
    text.type = LAYER_TEXT;
    text.wordArt.SetText(L"Layer");
    LOGFONTW font = *text.wordArt.GetLogFont();
    font.lfHeight = -MulDiv(40, ScreenDpi(), 72);
    wcscpy(font.lfFaceName, L"Arial");
    text.wordArt.SetLogFont(&font);
    text.RenderText();
    ASSERT_TRUE(text.source.IsValid());
    const int32_t fullWidth = text.width, fullHeight = text.height;
    ASSERT_GT(fullWidth, 20);
    text.Resize(fullWidth / 2, 5, 0, false);
    const int points = -MulDiv(text.wordArt.GetLogFont()->lfHeight, 72, ScreenDpi());
    EXPECT_NEAR(20, points, 1) << "the font follows the width";
    EXPECT_NE(5, text.height) << "the height is the rendered text's";
    EXPECT_LT(text.height, fullHeight);
    EXPECT_NEAR(fullWidth / 2, text.width, fullWidth / 5);

    CLayerInfo unrendered;
    unrendered.type = LAYER_TEXT;
    unrendered.width = 70;
    unrendered.Resize(10, 10, 0, false);
    EXPECT_EQ(70, unrendered.width) << "no rendered text: no scale, no change";

    CLayerInfo shape;
    shape.type = LAYER_SHAPE;
    shape.shape.fillOn = 1;
    shape.Resize(300, 120, 0, false);
    EXPECT_EQ(300, shape.shape.width);
    EXPECT_EQ(120, shape.shape.height);
    EXPECT_EQ(300u, shape.displayed.GetWidth());
    EXPECT_EQ(120u, shape.displayed.GetHeight());
    shape.Resize(40000, 120, 0, false);
    EXPECT_EQ(300, shape.shape.width) << "past the picture caps";
    EXPECT_EQ(300, shape.width);

    CLayerInfo slot = QuadrantLayer();
    slot.type = LAYER_SLOT_PICTURE;
    slot.Resize(10, 10, 0, false);
    EXPECT_EQ(40, slot.width);
}

TEST(LayerInfo, AssignmentReplacesEveryPicture)
{
    CLayerInfo target = QuadrantLayer();
    target.shadowCache = Quadrants();
    target.workingCopy = Quadrants();
    target.serial = 4;
    CLayerInfo empty;
    empty.serial = 9;
    empty.name = L"copy";
    target = empty;
    EXPECT_FALSE(target.shadowCache.IsValid()) << "a stale shadow would be composed";
    EXPECT_FALSE(target.source.IsValid());
    EXPECT_FALSE(target.displayed.IsValid());
    EXPECT_FALSE(target.workingCopy.IsValid());
    EXPECT_EQ(9u, target.serial);
    EXPECT_EQ(CStringW(L"copy"), target.name);

    const CLayerInfo copy(QuadrantLayer());
    EXPECT_TRUE(SamePixels(Quadrants(), copy.source));
}

namespace {

// A layer with every kind of field set apart from its default, each picture of its own size.
CLayerInfo FullLayer()
{
    CLayerInfo layer = QuadrantLayer(30, 12);
    layer.type = LAYER_TEXT;
    layer.serial = 77;
    layer.name = L"caption";
    layer.location = ZVPOINTF{12.5f, 40.25f};
    layer.angle = 0.5f;
    layer.shadowOn = 1;
    layer.shape.points = {ZVPOINTF{1, 2}, ZVPOINTF{3, 4}};
    layer.wordArt.SetText(L"Hello");
    layer.wordArt.m_strName = L"preset";
    layer.wordArt.m_nTextAngle = 450;
    layer.ResetFrame();
    layer.shadowCache = Quadrants(8, 8);
    layer.zoomedShadowCache = Quadrants(7, 7);
    layer.zoomedCopy = Quadrants(6, 6);
    layer.workingCopy = Quadrants(5, 5);
    return layer;
}

CZVImage CLayerInfo::*const kLayerPictures[] = {&CLayerInfo::source, &CLayerInfo::displayed, &CLayerInfo::shadowCache,
                                               &CLayerInfo::zoomedShadowCache, &CLayerInfo::zoomedCopy,
                                               &CLayerInfo::workingCopy};

} // namespace

// Copies and moves take every field, the word art's name and text angle too; a move hands the
// very pixel buffers over and leaves none of them behind, so that no two layers own one buffer.
TEST(LayerInfo, CopiesAndMovesTakeEveryField)
{
    static_assert(std::is_nothrow_move_constructible<CLayerInfo>::value, "the layer list must grow by moves");
    static_assert(std::is_nothrow_move_assignable<CLayerInfo>::value, "");
    enum How { COPY_ASSIGN, MOVE_CONSTRUCT, MOVE_ASSIGN };
    const struct {
        const char* name;
        How how;
    } cases[] = {{"copy assign", COPY_ASSIGN}, {"move construct", MOVE_CONSTRUCT}, {"move assign", MOVE_ASSIGN}};
    for (const auto& c : cases) {
        CLayerInfo from = FullLayer();
        const void* bits[6];
        for (size_t i = 0; i < 6; ++i)
            bits[i] = (from.*kLayerPictures[i]).GetDIB();
        CLayerInfo other = QuadrantLayer();
        other.wordArt.m_strName = L"other";
        other.wordArt.m_nTextAngle = 10;
        std::unique_ptr<CLayerInfo> made;
        if (c.how == MOVE_CONSTRUCT) {
            made = std::make_unique<CLayerInfo>(std::move(from));
        } else {
            made = std::make_unique<CLayerInfo>(other);
            if (c.how == COPY_ASSIGN)
                *made = from;
            else
                *made = std::move(from);
        }
        const CLayerInfo& to = *made;
        EXPECT_EQ(LAYER_TEXT, to.type) << c.name;
        EXPECT_EQ(77u, to.serial) << c.name;
        EXPECT_EQ(CStringW(L"caption"), to.name) << c.name;
        EXPECT_FLOAT_EQ(40.25f, to.location.y) << c.name;
        EXPECT_FLOAT_EQ(0.5f, to.angle) << c.name;
        EXPECT_EQ(1, to.shadowOn) << c.name;
        EXPECT_EQ(2u, to.shape.points.size()) << c.name;
        EXPECT_EQ(CString(L"Hello"), to.wordArt.GetText()) << c.name;
        EXPECT_EQ(CString(L"preset"), to.wordArt.m_strName) << c.name;
        EXPECT_EQ(450, to.wordArt.m_nTextAngle) << c.name;
        EXPECT_EQ(FullLayer().frame.points[2].x, to.frame.points[2].x) << c.name;
        EXPECT_TRUE(SamePixels(Quadrants(30, 12), to.source)) << c.name;
        for (size_t i = 0; i < 6; ++i) {
            const CZVImage& picture = to.*kLayerPictures[i];
            ASSERT_TRUE(picture.IsValid()) << c.name << " picture " << i;
            if (c.how == COPY_ASSIGN) {
                EXPECT_NE(bits[i], picture.GetDIB()) << c.name << " picture " << i;
                EXPECT_TRUE((from.*kLayerPictures[i]).IsValid()) << c.name << " picture " << i;
            } else {
                EXPECT_EQ(bits[i], picture.GetDIB()) << c.name << " picture " << i;
                EXPECT_FALSE((from.*kLayerPictures[i]).IsValid()) << c.name << " picture " << i;
            }
        }
    }
    // Settings given from outside keep the layer's own name and text angle.
    CLayerInfo layer = FullLayer();
    CWordArtInfo settings;
    settings.m_strName = L"sheet";
    settings.m_nTextAngle = 900;
    settings.SetText(L"Bye");
    layer.wordArt = settings;
    EXPECT_EQ(CString(L"Bye"), layer.wordArt.GetText());
    EXPECT_EQ(CString(L"preset"), layer.wordArt.m_strName);
    EXPECT_EQ(450, layer.wordArt.m_nTextAngle);
}

TEST(LayerInfo, ResetFrame)
{
    struct Case {
        float angle;
        POINT p0, p2, p4, topLeft;
    } const cases[] = {
        // The rectangle (0, -7)..(100, 50) shifted by (12, 32), the handle 20 above the top.
        {0.0f, {12, 25}, {112, 82}, {62, 12}, {12, 25}},
        // Half a turn about (62, 53.5): float arithmetic lands a hair off the whole values,
        // and truncation keeps 11.999998 at 11 and 24.999996 at 24.
        {static_cast<float>(kPi), {112, 82}, {12, 24}, {61, 95}, {11, 24}},
    };
    for (const Case& c : cases) {
        CLayerInfo layer;
        layer.width = 100;
        layer.height = 50;
        layer.angle = c.angle;
        layer.ResetFrame();
        EXPECT_EQ(c.p0.x, layer.frame.points[0].x) << c.angle;
        EXPECT_EQ(c.p0.y, layer.frame.points[0].y) << c.angle;
        EXPECT_EQ(c.p2.x, layer.frame.points[2].x) << c.angle;
        EXPECT_EQ(c.p2.y, layer.frame.points[2].y) << c.angle;
        EXPECT_EQ(c.p4.x, layer.frame.points[4].x) << c.angle;
        EXPECT_EQ(c.p4.y, layer.frame.points[4].y) << c.angle;
        EXPECT_EQ(c.p0.x - 12, layer.frame.handleRects[0].left) << c.angle;
        const POINT tl = layer.GetFrameTopLeft();
        EXPECT_EQ(c.topLeft.x, tl.x) << c.angle;
        EXPECT_EQ(c.topLeft.y, tl.y) << c.angle;
    }
}
