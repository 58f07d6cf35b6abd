// The document's composites (full size and reduced to the zoom) and its canvas geometry: where
// layers land, what is left out, the reuse of reduced copies, and the selection frame.
#include <gtest/gtest.h>
#include "DocumentTestSupport.h"
#include "LayerDocument.h"
#include "LayerGeometry.h"

using namespace documenttest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

// A white 300 x 200 background at (10, 10) of a canvas starting there, at zoom 0.5, and a red
// 10 x 10 layer 1 drawn from (110, 60).
struct CompositeSetup {
    CompositeSetup()
    {
        doc.OpenImage(Plain(300, 200, kWhite));
        doc.canvasRect = RECT{10, 10, 160, 110};
        doc.zoom = 0.5f;
        doc.layers.layers[0].location = ZVPOINTF{10, 10};
        doc.AddImageLayer(Plain(10, 10, kRed), FALSE);
        Upper().location = Upper().drawOrigin = ZVPOINTF{110, 60};
    }
    CLayerInfo& Upper() { return doc.layers.layers[1]; }
    CLayerDocument doc;
};

bool IsRed(const CZVImage& picture, long x, long y)
{
    const RGBQUAD p = Top(picture, x, y);
    return p.rgbRed > 200 && p.rgbGreen < 60 && p.rgbBlue < 60;
}

bool IsWhite(const CZVImage& picture, long x, long y)
{
    const RGBQUAD p = Top(picture, x, y);
    return p.rgbRed == 255 && p.rgbGreen == 255 && p.rgbBlue == 255;
}

} // namespace

TEST(LayerComposite, OffsetsInTheFullAndTheReducedComposite)
{
    const POINT full = CompositeOffset(ZVPOINTF{110, 60}, ZVPOINTF{10, 10}, RECT{10, 10, 160, 110}, 0.5f);
    EXPECT_EQ(full.x, 200);
    EXPECT_EQ(full.y, 100);
    const POINT reduced = ScaledCompositeOffset(ZVPOINTF{110, 60}, ZVPOINTF{10, 10});
    EXPECT_EQ(reduced.x, 100);
    EXPECT_EQ(reduced.y, 50);
    // Half up on both sides of the background's corner.
    EXPECT_EQ(ScaledCompositeOffset(ZVPOINTF{9.4f, 10.6f}, ZVPOINTF{10, 10}).x, -1);
    EXPECT_EQ(ScaledCompositeOffset(ZVPOINTF{9.4f, 10.6f}, ZVPOINTF{10, 10}).y, 1);
    EXPECT_EQ(ScaledCompositeOffset(ZVPOINTF{8.4f, 0}, ZVPOINTF{10, 10}).x, -2);

    CompositeSetup s;
    s.doc.RebuildComposite();
    ASSERT_TRUE(s.doc.composite.IsValid());
    EXPECT_TRUE(IsRed(s.doc.composite, 200, 100));
    EXPECT_TRUE(IsRed(s.doc.composite, 209, 109));
    EXPECT_TRUE(IsWhite(s.doc.composite, 199, 100));
    EXPECT_TRUE(IsWhite(s.doc.composite, 210, 110));
    s.doc.RebuildScaledComposite();
    ASSERT_TRUE(s.doc.scaledComposite.IsValid());
    EXPECT_EQ(s.doc.scaledComposite.GetWidth(), 150u);
    EXPECT_TRUE(IsRed(s.doc.scaledComposite, 100, 50));
    EXPECT_TRUE(IsRed(s.doc.scaledComposite, 104, 54));
    EXPECT_TRUE(IsWhite(s.doc.scaledComposite, 99, 50));
    EXPECT_TRUE(IsWhite(s.doc.scaledComposite, 105, 55));
}

TEST(LayerComposite, HiddenAndDraggedLayersAreLeftOutWithTheirShadows)
{
    struct Case {
        const char* name;
        BYTE visible, dragging;
        bool drawn;
    };
    const Case cases[] = {
        {"visible", 1, 0, true},
        {"hidden", 0, 0, false},
        {"dragged", 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CompositeSetup s;
        s.Upper().shadowOn = 1;
        s.Upper().shadowOffsetX = 30;
        s.Upper().shadowOffsetY = 30;
        s.Upper().visible = c.visible;
        s.Upper().dragging = c.dragging;
        s.doc.RebuildComposite();
        EXPECT_EQ(IsRed(s.doc.composite, 205, 105), c.drawn);
        // The middle of the shadow, clear of the layer.
        EXPECT_EQ(IsWhite(s.doc.composite, 235, 135), !c.drawn);
        s.doc.RebuildScaledComposite();
        EXPECT_EQ(IsRed(s.doc.scaledComposite, 102, 52), c.drawn);
        EXPECT_EQ(IsWhite(s.doc.scaledComposite, 117, 67), !c.drawn);
    }
}

TEST(LayerComposite, ABlankLayerIsAsOpaqueAsItsFill)
{
    struct Case {
        const char* name;
        BYTE alpha;
        bool backgroundShows;
    };
    const Case cases[] = {{"opaque", 255, false}, {"see-through", 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CompositeSetup s;
        s.doc.layers.layers.pop_back();
        s.doc.layers.layers[0].displayed = Plain(300, 200, kRed);
        ASSERT_TRUE(s.doc.AddBlankLayer(RGBQUAD{255, 255, 255, c.alpha}, 10, 10));
        s.Upper().location = s.Upper().drawOrigin = ZVPOINTF{110, 60};
        s.doc.RebuildComposite();
        EXPECT_EQ(IsRed(s.doc.composite, 205, 105), c.backgroundShows);
        EXPECT_EQ(IsWhite(s.doc.composite, 205, 105), !c.backgroundShows);
    }
}

TEST(LayerComposite, ATurnedLayerIsPlacedByItsDrawOrigin)
{
    CompositeSetup s;
    s.Upper().drawOrigin = ZVPOINTF{60, 40};
    s.doc.RebuildComposite();
    EXPECT_TRUE(IsRed(s.doc.composite, 100, 60));
    EXPECT_TRUE(IsWhite(s.doc.composite, 200, 100));
    // Composing one layer takes its location instead.
    s.doc.RebuildComposite();
    s.doc.ComposeLayer(&s.Upper());
    EXPECT_TRUE(IsRed(s.doc.composite, 200, 100));
}

TEST(LayerComposite, OneLayerWithoutComposeSingleHasNoComposite)
{
    CLayerDocument doc;
    doc.OpenImage(Plain(20, 10, kWhite));
    doc.RebuildComposite();
    ASSERT_TRUE(doc.composite.IsValid());
    doc.composeSingle = 0;
    doc.RebuildComposite();
    EXPECT_FALSE(doc.composite.IsValid());
}

TEST(LayerComposite, ZoomOneOrAboveLeavesTheReducedCompositeAlone)
{
    for (float zoom : {1.0f, 2.0f}) {
        SCOPED_TRACE(zoom);
        CompositeSetup s;
        s.doc.zoom = zoom;
        s.doc.scaledComposite = Plain(3, 3, RGB(0, 0, 255));
        s.doc.RebuildScaledComposite();
        EXPECT_EQ(s.doc.scaledComposite.GetWidth(), 3u);
        EXPECT_FALSE(s.doc.layers.layers[0].zoomedCopy.IsValid());
    }
}

TEST(LayerComposite, ReducedCopiesAreReusedUntilDropped)
{
    CompositeSetup s;
    s.doc.RebuildScaledComposite();
    ASSERT_TRUE(s.Upper().zoomedCopy.IsValid());
    // Marked so that a copy made again shows.
    s.Upper().zoomedCopy.SetPixelColor(0, 4, RGBQUAD{255, 0, 0, 255});
    s.doc.RebuildScaledComposite();
    EXPECT_EQ(Top(s.doc.scaledComposite, 100, 50).rgbBlue, 255);
    s.doc.scaledComposite.Destroy();
    s.doc.RebuildScaledComposite();
    EXPECT_TRUE(IsRed(s.doc.scaledComposite, 100, 50));
}

TEST(LayerComposite, FrameOfALayer)
{
    POINT points[5];
    LayerFramePoints(ZVPOINTF{100, 50}, 40, 30, 1.0f, 0, 0, 10, points);
    const POINT expected[5] = {{100, 50}, {140, 50}, {140, 80}, {100, 80}, {120, 30}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(points[i].x, expected[i].x) << i;
        EXPECT_EQ(points[i].y, expected[i].y) << i;
    }
    // The document's frame is the same, moved by the scroll and scaled by the zoom.
    CLayerDocument doc;
    doc.zoom = 0.5f;
    doc.hPos = 10;
    doc.hStep = 2.0f;
    CLayerInfo layer;
    layer.location = ZVPOINTF{100, 50};
    layer.width = 80;
    layer.height = 60;
    doc.CalcLayerTracker(&layer);
    EXPECT_EQ(layer.frame.points[0].x, 80);
    EXPECT_EQ(layer.frame.points[0].y, 50);
    EXPECT_EQ(layer.frame.points[2].x, 120);
    EXPECT_EQ(layer.frame.points[2].y, 80);
    EXPECT_EQ(layer.frame.points[4].x, 100);
}

TEST(LayerComposite, CanvasPlacementPerAxis)
{
    struct Case {
        int size;
        float zoom;
        int viewStart, viewEnd;
        CanvasAxis expected;
    };
    const Case cases[] = {
        {100, 1.0f, 0, 400, {FALSE, 0.0f, 150, 250}},
        {100, 0.5f, 10, 110, {FALSE, 0.0f, 35, 85}},
        {500, 1.0f, 20, 320, {TRUE, 2.0f, 20, 320}},
        {300, 1.0f, 0, 300, {TRUE, 0.0f, 0, 300}},
        {101, 1.0f, 0, 200, {FALSE, 0.0f, 49, 150}},
        {50, 1.0f, 0, 0, {TRUE, 0.5f, 0, 0}},   // no window: nothing fits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " at " << c.zoom << " in " << c.viewStart << ".." << c.viewEnd);
        const CanvasAxis axis = PlaceCanvasAxis(c.size, c.zoom, c.viewStart, c.viewEnd);
        EXPECT_EQ(axis.scroll, c.expected.scroll);
        EXPECT_FLOAT_EQ(axis.step, c.expected.step);
        EXPECT_EQ(axis.start, c.expected.start);
        EXPECT_EQ(axis.end, c.expected.end);
    }
}
