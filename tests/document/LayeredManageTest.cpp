// The layer list: ids and orders, serials, the current layer, bulk operations, merges and the
// flattened picture.
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>
#include "DocumentTestSupport.h"
#include "LayeredManage.h"

using namespace documenttest;

namespace {

const RECT kCanvas = {0, 0, 400, 400};

// A placed layer of one colour at (x, y), visible.
CLayerInfo Placed(COLORREF colour, float x, float y, bool visible = true, long size = 10)
{
    CLayerInfo layer;
    layer.source = Plain(size, size, colour);
    layer.width = layer.height = size;
    layer.RenderImage();
    layer.location = ZVPOINTF{x, y};
    layer.visible = visible ? 1 : 0;
    return layer;
}

// A white 40 x 20 background and layers 1.. of the given colours, ids equal to their index.
CLayeredManage ListOf(const std::vector<CLayerInfo>& upper)
{
    CLayeredManage list;
    CLayerInfo base;
    base.type = LAYER_BACKGROUND;
    base.visible = 1;
    list.InsertLayerAtBottom(base);
    list.SetBaseImage(Plain(40, 20, RGB(255, 255, 255)));
    for (CLayerInfo layer : upper) {
        layer.id = static_cast<int32_t>(list.layers.size());
        list.AddLayer(layer);
    }
    return list;
}

std::vector<int32_t> Ids(const CLayeredManage& list)
{
    std::vector<int32_t> ids;
    for (const CLayerInfo& l : list.layers) {
        EXPECT_EQ(l.id, l.order);
        ids.push_back(l.id);
    }
    return ids;
}

} // namespace

TEST(LayeredManage, EdgeCases)
{
    struct Case {
        const char* name;
        std::function<void(CLayeredManage&)> run;
    } const cases[] = {
        {"a present id is refused",
         [](CLayeredManage& list) {
             CLayerInfo dup = Placed(RGB(1, 2, 3), 0, 0);
             dup.id = 1;
             EXPECT_FALSE(list.AddLayer(dup));
             EXPECT_EQ(3u, list.layers.size());
         }},
        {"an added id is kept until a delete renumbers",
         [](CLayeredManage& list) {
             list.DeleteLayer(2);
             CLayerInfo five = Placed(RGB(1, 2, 3), 0, 0);
             five.id = 5;
             EXPECT_TRUE(list.AddLayer(five));
             EXPECT_EQ(5, list.layers[2].id);
             EXPECT_EQ(2, list.layers[2].order);
             EXPECT_EQ(5, list.currentId);
             EXPECT_TRUE(list.DeleteLayer(1));
             EXPECT_EQ((std::vector<int32_t>{0, 1}), Ids(list));
             EXPECT_FALSE(list.DeleteLayer(9));
         }},
        {"a current id past the end is repaired",
         [](CLayeredManage& list) {
             list.currentId = 7;
             EXPECT_EQ(&list.layers[2], list.GetCurrentLayer());
             EXPECT_EQ(2, list.currentId);
             list.RemoveAllLayers();
             EXPECT_EQ(nullptr, list.GetCurrentLayer());
             EXPECT_EQ(-1, list.currentId);
         }},
        {"bulk operations leave the background alone",
         [](CLayeredManage& list) {
             for (CLayerInfo& l : list.layers)
                 l.visible = 1;
             list.ShowAllLayers(false);
             EXPECT_EQ(1, list.layers[0].visible);
             EXPECT_EQ(0, list.layers[2].visible);
             list.SetLayersOpacity(40);
             EXPECT_EQ(255, list.layers[0].displayed.AlphaGet(0, 0));
             EXPECT_EQ(40, list.layers[1].displayed.AlphaGet(0, 0));
             EXPECT_EQ(255, list.layers[1].alpha) << "the layer's own opacity is kept";
             list.SetFrameDelay(7);
             EXPECT_NE(7u, list.layers[0].displayed.GetFrameDelay());
             EXPECT_EQ(7u, list.layers[2].displayed.GetFrameDelay());
         }},
        {"the frame moves by whole pixels from the old whole location",
         [](CLayeredManage& list) {
             list.layers[1].location = ZVPOINTF{10.7f, -3.6f};
             list.layers[1].frame.points[0] = POINT{100, 100};
             EXPECT_TRUE(list.MoveLayerTo(1, ZVPOINTF{20.2f, -10.1f}));
             EXPECT_EQ(110, list.layers[1].frame.points[0].x);
             EXPECT_EQ(93, list.layers[1].frame.points[0].y);
             EXPECT_FLOAT_EQ(20.2f, list.layers[1].drawOrigin.x);
             EXPECT_FALSE(list.MoveLayerTo(9, ZVPOINTF{0, 0}));
         }},
        {"a swap exchanges contents, not places",
         [](CLayeredManage& list) {
             const uint32_t serial1 = list.layers[1].serial, serial2 = list.layers[2].serial;
             EXPECT_TRUE(list.SwapLayers(1, 2));
             EXPECT_EQ((std::vector<int32_t>{0, 1, 2}), Ids(list));
             EXPECT_EQ(0, Top(list.layers[1].displayed, 0, 0).rgbRed) << "green now at 1";
             EXPECT_EQ(serial2, list.layers[1].serial) << "the serial goes with the layer";
             EXPECT_EQ(serial1, list.layers[2].serial);
             EXPECT_FALSE(list.SwapLayers(1, 9));
         }},
        {"the base image",
         [](CLayeredManage& list) {
             EXPECT_TRUE(list.SetBaseImage(Plain(30, 12, RGB(9, 9, 9))));
             EXPECT_EQ(30, list.layers[0].width);
             EXPECT_TRUE(SamePixels(list.layers[0].source, list.layers[0].displayed));
             list.RemoveAllLayers();
             EXPECT_FALSE(list.SetBaseImage(Plain(30, 12, RGB(9, 9, 9))));
             EXPECT_FALSE(list.SetBaseSourceImage(Plain(30, 12, RGB(9, 9, 9))));
         }},
        {"locations re-mapped to a new zoom",
         [](CLayeredManage& list) {
             list.layers[1].location = ZVPOINTF{30, 50};
             list.layers[1].frame.points[0] = POINT{0, 0};
             list.RemapLayerPositions(RECT{10, 20, 0, 0}, RECT{5, 5, 0, 0}, 0.5f);
             EXPECT_FLOAT_EQ(15.0f, list.layers[1].location.x);
             EXPECT_FLOAT_EQ(20.0f, list.layers[1].location.y);
             EXPECT_EQ(-15, list.layers[1].frame.points[0].x);
             EXPECT_EQ(-30, list.layers[1].frame.points[0].y);
         }},
        {"upper layers scaled",
         [](CLayeredManage& list) {
             list.ScaleUpperLayers(2.0f, 0.5f);
             EXPECT_EQ(5, list.layers[1].width);
             EXPECT_EQ(20, list.layers[1].height);
             EXPECT_EQ(40, list.layers[0].width);
             list.ScaleUpperLayers(0.0f, 1.0f);
             EXPECT_EQ(5, list.layers[1].width) << "no scale of 0";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLayeredManage list = ListOf({Placed(RGB(255, 0, 0), 0, 0), Placed(RGB(0, 255, 0), 0, 0)});
        c.run(list);
    }
}

TEST(LayeredManage, SerialsSurviveRenumbering)
{
    CLayeredManage list = ListOf({Placed(RGB(255, 0, 0), 0, 0), Placed(RGB(0, 255, 0), 0, 0)});
    std::vector<uint32_t> serials;
    for (const CLayerInfo& l : list.layers)
        serials.push_back(l.serial);
    EXPECT_NE(0u, serials[0]);
    EXPECT_NE(serials[0], serials[1]);
    EXPECT_NE(serials[1], serials[2]);

    // A copy of a layer that is still in the list enters with a fresh serial.
    CLayerInfo again = list.layers[2];
    again.id = 3;
    list.AddLayer(again);
    EXPECT_NE(serials[2], list.layers[3].serial);

    list.DeleteLayer(1);
    ASSERT_NE(nullptr, list.GetLayerBySerial(serials[2]));
    EXPECT_EQ(1, list.GetLayerBySerial(serials[2])->id);
    EXPECT_EQ(nullptr, list.GetLayerBySerial(serials[1]));
    EXPECT_EQ(nullptr, list.GetLayerBySerial(0));

    // An undo snapshot put back keeps its serial; a copy of the list carries them all.
    CLayerInfo snapshot = *list.GetLayerBySerial(serials[2]);
    list.ReplaceLayer(1, snapshot);
    EXPECT_EQ(serials[2], list.layers[1].serial);
    list.ReplaceLayer(1, list.layers[2]);
    EXPECT_NE(list.layers[2].serial, list.layers[1].serial) << "never two layers with one serial";
    const CLayeredManage copy(list);
    EXPECT_EQ(list.layers[2].serial, copy.layers[2].serial);

    // The layer entering at the bottom of a restored list gets past every serial in it.
    CLayeredManage restored;
    CLayerInfo high;
    high.serial = 40;
    restored.InsertLayerAtBottom(high);
    restored.InsertLayerAtBottom(CLayerInfo());
    EXPECT_EQ(41u, restored.layers[0].serial);
    EXPECT_EQ(40u, restored.layers[1].serial);
}

TEST(LayeredManage, Merges)
{
    // 0 background, 1 visible red at (0, 0), 2 hidden green at (10, 0), 3 visible blue at (20, 5).
    const auto make = [] {
        return ListOf({Placed(RGB(255, 0, 0), 0, 0), Placed(RGB(0, 255, 0), 10, 0, false),
                       Placed(RGB(0, 0, 255), 20, 5)});
    };
    CLayeredManage visible = make();
    visible.MergeVisibleLayers(kCanvas, kCanvas, 1.0f);
    ASSERT_EQ((std::vector<int32_t>{0, 1}), Ids(visible));
    EXPECT_EQ(0, visible.layers[1].visible) << "the hidden layer stays, now id 1";
    const CZVImage& merged = visible.layers[0].displayed;
    EXPECT_EQ(255, Top(merged, 5, 5).rgbRed);
    EXPECT_EQ(255, Top(merged, 15, 2).rgbGreen) << "hidden green left out: white";
    EXPECT_EQ(255, Top(merged, 15, 2).rgbRed);
    EXPECT_EQ(255, Top(merged, 25, 10).rgbBlue);
    EXPECT_EQ(0, Top(merged, 25, 10).rgbRed);
    EXPECT_EQ(255, Top(merged, 25, 2).rgbRed) << "blue starts at row 5";
    EXPECT_TRUE(SamePixels(merged, visible.layers[0].source));

    CLayeredManage all = make();
    all.MergeAllLayers(kCanvas, kCanvas, 1.0f);
    ASSERT_EQ(1u, all.layers.size());
    EXPECT_EQ(0, Top(all.layers[0].displayed, 15, 2).rgbRed) << "hidden green merged too";

    // The flattened picture shows what the user sees and changes no layer.
    CLayeredManage shown = make();
    CZVImage flat;
    EXPECT_FALSE(shown.RenderFlattened(nullptr, kCanvas, kCanvas, 1.0f));
    ASSERT_TRUE(shown.RenderFlattened(&flat, kCanvas, kCanvas, 1.0f));
    EXPECT_TRUE(SamePixels(merged, flat));
    EXPECT_EQ(4u, shown.layers.size());
    EXPECT_TRUE(SamePixels(Plain(40, 20, RGB(255, 255, 255)), shown.layers[0].displayed));
    EXPECT_FALSE(CLayeredManage().RenderFlattened(&flat, kCanvas, kCanvas, 1.0f));

    // Positions are taken relative to the background's, at the new zoom, rounded.
    CLayeredManage moved = ListOf({Placed(RGB(255, 0, 0), 110.6f, 104.4f)});
    moved.layers[0].location = ZVPOINTF{100, 100};
    moved.RenderFlattened(&flat, RECT{100, 100, 0, 0}, RECT{0, 0, 0, 0}, 1.0f);
    EXPECT_EQ(255, Top(flat, 10, 3).rgbGreen) << "x 10.6 rounds to 11";
    EXPECT_EQ(0, Top(flat, 11, 4).rgbGreen);
}

TEST(LayeredManage, ShadowCacheIsBuiltOnceAndReused)
{
    CLayerInfo caster = Placed(RGB(255, 0, 0), 5, 2);
    caster.shadowOn = 1;
    caster.shadowOffsetX = 8;
    caster.shadowOffsetY = 4;
    CLayeredManage list = ListOf({caster});
    CZVImage first;
    ASSERT_TRUE(list.RenderFlattened(&first, kCanvas, kCanvas, 1.0f));
    ASSERT_TRUE(list.layers[1].shadowCache.IsValid());
    EXPECT_LT(Top(first, 20, 12).rgbRed, 255) << "the shadow darkens the background";

    // A mark in the cache's bottom-right corner (clear of the layer) shows in the next picture:
    // the cache was composed, not rebuilt.
    CZVImage& cache = list.layers[1].shadowCache;
    const long right = 13 + static_cast<long>(cache.GetWidth()) - 1;
    const long bottom = 6 + static_cast<long>(cache.GetHeight()) - 1;
    ASSERT_LT(right, 40);
    ASSERT_LT(bottom, 20);
    cache.SetPixelColor(static_cast<long>(cache.GetWidth()) - 1, 0, RGBQUAD{0, 255, 0, 255}, true);
    CZVImage second;
    ASSERT_TRUE(list.RenderFlattened(&second, kCanvas, kCanvas, 1.0f));
    EXPECT_EQ(255, Top(second, right, bottom).rgbGreen);
    EXPECT_EQ(0, Top(second, right, bottom).rgbRed);
}

TEST(LayeredManage, SortLayers)
{
    CLayeredManage list = ListOf({Placed(RGB(255, 0, 0), 0, 0), Placed(RGB(0, 255, 0), 0, 0),
                                  Placed(RGB(0, 0, 255), 0, 0)});
    const int32_t orders[] = {0, 2, 1, 1};   // green and blue tie: their order stays
    for (size_t i = 0; i < 4; ++i)
        list.layers[i].order = orders[i];
    ASSERT_TRUE(list.SortLayers());
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3}), Ids(list));
    EXPECT_EQ(255, Top(list.layers[1].displayed, 0, 0).rgbGreen);
    EXPECT_EQ(255, Top(list.layers[2].displayed, 0, 0).rgbBlue);
    EXPECT_EQ(255, Top(list.layers[3].displayed, 0, 0).rgbRed);
    EXPECT_FALSE(CLayeredManage().SortLayers());
    // A list already in order stays where it is: no layer is copied, pictures and all.
    const void* before[4];
    for (size_t i = 0; i < 4; ++i)
        before[i] = list.layers[i].displayed.GetBits();
    ASSERT_TRUE(list.SortLayers());
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(before[i], list.layers[i].displayed.GetBits()) << "layer " << i;
}

// Growing, inserting at the bottom, sorting and swapping move layers: each picture buffer stays
// with its layer, none is copied and none ends up in two layers.
TEST(LayeredManage, LayersChangePlacesWithTheirOwnPixels)
{
    CLayeredManage list = ListOf({Placed(RGB(255, 0, 0), 0, 0), Placed(RGB(0, 255, 0), 0, 0)});
    std::map<uint32_t, const void*> owned;
    const auto remember = [&] {
        owned.clear();
        for (const CLayerInfo& l : list.layers)
            owned[l.serial] = l.displayed.GetDIB();
    };
    const auto check = [&](const char* step) {
        std::set<const void*> seen;
        for (const CLayerInfo& l : list.layers) {
            const auto it = owned.find(l.serial);
            if (it != owned.end())
                EXPECT_EQ(it->second, l.displayed.GetDIB()) << step << ", serial " << l.serial;
            EXPECT_TRUE(seen.insert(l.displayed.GetDIB()).second) << step << ": two layers share pixels";
        }
    };
    remember();
    for (int i = 0; i < 20; ++i) {
        CLayerInfo layer = Placed(RGB(0, 0, 255), 0, 0);
        layer.id = static_cast<int32_t>(list.layers.size());
        list.AddLayer(std::move(layer));
        check("growth");
    }
    remember();
    list.InsertLayerAtBottom(Placed(RGB(9, 9, 9), 0, 0, true, 40));
    check("insertion at the bottom");
    remember();
    for (size_t i = 0; i < list.layers.size(); ++i)
        list.layers[i].order = static_cast<int32_t>(list.layers.size() - i);
    ASSERT_TRUE(list.SortLayers());
    check("sort");
    remember();
    const uint32_t first = list.layers[1].serial, second = list.layers[2].serial;
    ASSERT_TRUE(list.SwapLayers(1, 2));
    EXPECT_EQ(second, list.layers[1].serial);
    EXPECT_EQ(first, list.layers[2].serial);
    check("swap");
}
