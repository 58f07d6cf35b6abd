// The undo history: records found by layer serial, states before dropped steps, list copies
// owned by their records, shared tiles, the byte budget, and the history limit by picture size.
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>
#include "DocumentTestSupport.h"
#include "EditorUtils.h"
#include "HistoryManage.h"
#include "HistoryStore.h"
#include "LayeredManage.h"

using namespace documenttest;

namespace {

const RECT kHistoryCanvas = {0, 0, 60, 40};

CLayerInfo HistoryLayer(COLORREF colour, float x, float y, long width = 10, long height = 7, bool visible = true)
{
    CLayerInfo layer;
    layer.source = Plain(width, height, colour);
    layer.width = width;
    layer.height = height;
    layer.RenderImage();
    layer.location = ZVPOINTF{x, y};
    layer.visible = visible ? 1 : 0;
    return layer;
}

// A 24 x 16 white background, recorded as the first step of an opened picture.
CLayeredManage OpenedList(CHistoryManage& history)
{
    CLayeredManage list;
    CLayerInfo base;
    base.type = LAYER_BACKGROUND;
    base.visible = 1;
    list.InsertLayerAtBottom(base);
    list.SetBaseImage(Plain(24, 16, RGB(255, 255, 255)));
    history.AddHistory(list.GetLayer(0), HISTORY_ADD);
    return list;
}

CLayerInfo& AddRecorded(CHistoryManage& history, CLayeredManage& list, CLayerInfo layer)
{
    layer.id = static_cast<int32_t>(list.layers.size());
    list.AddLayer(layer);
    history.AddHistory(list.GetLayer(layer.id), HISTORY_ADD);
    return *list.GetLayer(layer.id);
}

void PaintRect(CLayerInfo& layer, RECT rect, COLORREF colour)
{
    layer.source.SetRectColor(rect, CxImage::RGBtoRGBQUAD(colour));
    layer.displayed.SetRectColor(rect, CxImage::RGBtoRGBQUAD(colour));
}

void RenumberList(CLayeredManage& list)
{
    for (size_t i = 0; i < list.layers.size(); ++i)
        list.layers[i].id = list.layers[i].order = static_cast<int32_t>(i);
}

void RemoveBySerial(CLayeredManage& list, uint32_t serial)
{
    if (CLayerInfo* layer = list.GetLayerBySerial(serial))
        list.DeleteLayer(layer->id);
}

void ReplaceBySerial(CLayeredManage& list, const CLayerInfo& state)
{
    if (CLayerInfo* layer = list.GetLayerBySerial(state.serial))
        list.ReplaceLayer(layer->id, state);
}

// The undo of the step at the position, applied as the document applies it: layers found by
// serial, a deleted layer back at the place it had.
bool UndoStep(CHistoryManage& history, CLayeredManage& list)
{
    if (history.position < 1 || history.position >= history.GetCount())
        return false;
    const CHistoryData& record = history.RecordAt(history.position);
    switch (record.action) {
    case HISTORY_ADD:
        RemoveBySerial(list, record.GetLayerSerial());
        break;
    case HISTORY_DELETE: {
        const CLayerInfo layer = record.GetLayer();
        const size_t at = std::min<size_t>(static_cast<size_t>(std::max(layer.id, 0)), list.layers.size());
        list.layers.insert(list.layers.begin() + at, layer);
        RenumberList(list);
        break;
    }
    case HISTORY_MODIFY: {
        CLayerInfo state;
        if (history.FindPreviousLayerState(record.GetLayerSerial(), state))
            ReplaceBySerial(list, state);
        break;
    }
    case HISTORY_SWAP:
        list.SwapLayers(record.swapIdA, record.swapIdB);
        break;
    default:
        EXPECT_TRUE(record.GetLayerList(list));
        break;
    }
    --history.position;
    return true;
}

bool RedoStep(CHistoryManage& history, CLayeredManage& list)
{
    if (history.position + 1 >= history.GetCount())
        return false;
    const CHistoryData& record = history.RecordAt(++history.position);
    switch (record.action) {
    case HISTORY_ADD: {
        const CLayerInfo layer = record.GetLayer();
        list.layers.insert(list.layers.begin() + std::min<size_t>(layer.id, list.layers.size()), layer);
        RenumberList(list);
        break;
    }
    case HISTORY_DELETE:
        RemoveBySerial(list, record.GetLayerSerial());
        break;
    case HISTORY_MODIFY:
        ReplaceBySerial(list, record.GetLayer());
        break;
    case HISTORY_SWAP:
        list.SwapLayers(record.swapIdA, record.swapIdB);
        break;
    case HISTORY_FLATTEN_ALL:
        list.MergeAllLayers(kHistoryCanvas, kHistoryCanvas, 1.0f);
        break;
    case HISTORY_MERGE_VISIBLE:
        list.MergeVisibleLayers(kHistoryCanvas, kHistoryCanvas, 1.0f);
        break;
    }
    return true;
}

bool SamePicture(const CZVImage& a, const CZVImage& b)
{
    return (!a.IsValid() && !b.IsValid()) || SamePixels(a, b);
}

// Same layers in the same places: serials, ids, locations, visibility and both pictures.
void ExpectSameLayers(const CLayeredManage& actual, const CLayeredManage& expected, const std::string& where)
{
    ASSERT_EQ(actual.layers.size(), expected.layers.size()) << where;
    for (size_t i = 0; i < actual.layers.size(); ++i) {
        const CLayerInfo &a = actual.layers[i], &e = expected.layers[i];
        EXPECT_EQ(a.serial, e.serial) << where << " layer " << i;
        EXPECT_EQ(a.id, e.id) << where << " layer " << i;
        EXPECT_EQ(a.visible, e.visible) << where << " layer " << i;
        EXPECT_FLOAT_EQ(a.location.x, e.location.x) << where << " layer " << i;
        EXPECT_FLOAT_EQ(a.location.y, e.location.y) << where << " layer " << i;
        EXPECT_TRUE(SamePicture(a.displayed, e.displayed)) << where << " displayed of layer " << i;
        EXPECT_TRUE(SamePicture(a.source, e.source)) << where << " source of layer " << i;
    }
}

} // namespace

TEST(HistoryManage, EdgeCases)
{
    struct Case {
        const char* name;
        std::function<void()> run;
    } const cases[] = {
        {"25 steps at limit 20 keep 21 records, positions lowered once per drop",
         [] {
             CHistoryManage history;
             CLayeredManage list = OpenedList(history);
             CLayerInfo& layer = AddRecorded(history, list, HistoryLayer(RGB(255, 0, 0), 1, 1));
             history.savedPosition = history.position;   // saved after step 2
             for (int step = 2; step < 25; ++step) {
                 PaintRect(layer, RECT{0, 0, 1, 1}, RGB(step, 0, 0));
                 history.AddHistory(&layer, HISTORY_MODIFY);
             }
             EXPECT_EQ(history.GetCount(), 21);
             EXPECT_EQ(history.position, 20);
             EXPECT_EQ(history.savedPosition, 1 - 4);
         }},
        {"a new step after two undos drops the redo tail",
         [] {
             CHistoryManage history;
             CLayeredManage list = OpenedList(history);
             for (int i = 0; i < 4; ++i)
                 AddRecorded(history, list, HistoryLayer(RGB(0, 0, 255), float(i), 0));
             ASSERT_TRUE(UndoStep(history, list));
             ASSERT_TRUE(UndoStep(history, list));
             AddRecorded(history, list, HistoryLayer(RGB(0, 255, 0), 9, 9));
             EXPECT_EQ(history.GetCount(), 4);
             EXPECT_EQ(history.position, 3);
             EXPECT_FALSE(RedoStep(history, list));
             EXPECT_EQ(history.RecordAt(3).GetLayerSerial(), list.layers.back().serial);
         }},
        {"limit 0 keeps one record without pixels and still moves the positions",
         [] {
             CHistoryManage history;
             history.limit = 0;
             CLayeredManage list = OpenedList(history);
             AddRecorded(history, list, HistoryLayer(RGB(255, 0, 0), 1, 1));
             AddRecorded(history, list, HistoryLayer(RGB(0, 255, 0), 2, 2));
             history.AddLayersHistory(&list);
             EXPECT_EQ(history.GetCount(), 1);
             EXPECT_EQ(history.position, 0);
             EXPECT_EQ(history.savedPosition, -3);
             EXPECT_FALSE(history.RecordAt(0).HasPixels());
             EXPECT_EQ(history.GetStoredBytes(), 0u);
             EXPECT_FALSE(UndoStep(history, list));
         }},
        {"a swap between two modify steps: the undo finds the layer by serial",
         [] {
             CHistoryManage history;
             CLayeredManage list = OpenedList(history);
             AddRecorded(history, list, HistoryLayer(RGB(255, 0, 0), 1, 1));
             AddRecorded(history, list, HistoryLayer(RGB(0, 255, 0), 2, 2));
             PaintRect(*list.GetLayer(1), RECT{0, 0, 3, 3}, RGB(0, 0, 0));
             history.AddHistory(list.GetLayer(1), HISTORY_MODIFY);
             const CLayeredManage beforeSecond = [&] {
                 list.SwapLayers(1, 2);
                 history.AddSwapHistory(1, 2);
                 return list;
             }();
             PaintRect(*list.GetLayer(2), RECT{0, 0, 10, 7}, RGB(0, 0, 255));
             history.AddHistory(list.GetLayer(2), HISTORY_MODIFY);
             ASSERT_TRUE(UndoStep(history, list));
             ExpectSameLayers(list, beforeSecond, "after the undo");
         }},
        {"the undo of a delete puts the layer back at its place; later steps find theirs by serial",
         [] {
             CHistoryManage history;
             CLayeredManage list = OpenedList(history);
             for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)})
                 AddRecorded(history, list, HistoryLayer(c, 3, 3));
             const CLayeredManage before = list;
             const CLayerInfo deleted = *list.GetLayer(1);
             list.DeleteLayer(1);
             history.AddHistory(&deleted, HISTORY_DELETE);
             PaintRect(*list.GetLayer(1), RECT{0, 0, 5, 5}, RGB(9, 9, 9));   // was id 2
             history.AddHistory(list.GetLayer(1), HISTORY_MODIFY);
             ASSERT_TRUE(UndoStep(history, list));
             ASSERT_TRUE(UndoStep(history, list));
             ExpectSameLayers(list, before, "after both undos");
         }},
        {"the oldest of two flattens dropped: the other still restores its own list",
         [] {
             CHistoryManage history;
             history.limit = 3;
             CLayeredManage list = OpenedList(history);
             AddRecorded(history, list, HistoryLayer(RGB(255, 0, 0), 1, 1));
             history.AddLayersHistory(&list);
             list.MergeAllLayers(kHistoryCanvas, kHistoryCanvas, 1.0f);
             AddRecorded(history, list, HistoryLayer(RGB(0, 255, 0), 4, 4));
             const CLayeredManage beforeMerge = list;
             history.AddMergeHistory(&list);
             list.MergeVisibleLayers(kHistoryCanvas, kHistoryCanvas, 1.0f);
             AddRecorded(history, list, HistoryLayer(RGB(0, 0, 255), 6, 6));
             ASSERT_EQ(history.GetCount(), 4);   // the first flatten is gone
             ASSERT_TRUE(UndoStep(history, list));
             ASSERT_TRUE(UndoStep(history, list));
             ExpectSameLayers(list, beforeMerge, "after undoing the merge");
         }},
        {"a background changed by a flatten has no earlier state to undo a later edit to",
         [] {
             CHistoryManage history;
             CLayeredManage list = OpenedList(history);
             AddRecorded(history, list, HistoryLayer(RGB(255, 0, 0), 1, 1));
             history.AddLayersHistory(&list);
             list.MergeAllLayers(kHistoryCanvas, kHistoryCanvas, 1.0f);
             PaintRect(*list.GetLayer(0), RECT{0, 0, 2, 2}, RGB(0, 0, 0));
             history.AddHistory(list.GetLayer(0), HISTORY_MODIFY);
             CLayerInfo state;
             EXPECT_FALSE(history.FindPreviousLayerState(list.layers[0].serial, state));
         }},
        {"restoring a flatten after a zoom change puts layers where the live list has them",
         [] {
             CHistoryManage history;
             CLayeredManage list = OpenedList(history);
             AddRecorded(history, list, HistoryLayer(RGB(255, 0, 0), 7, 5));
             history.AddLayersHistory(&list);
             CLayeredManage expected = list;
             list.MergeAllLayers(kHistoryCanvas, kHistoryCanvas, 1.0f);
             const RECT zoomed = {10, 20, 130, 100};
             expected.RemapLayerPositions(kHistoryCanvas, zoomed, 2.0f);
             list.RemapLayerPositions(kHistoryCanvas, zoomed, 2.0f);
             history.RemapHistoryPositions(kHistoryCanvas, zoomed, 2.0f);
             ASSERT_TRUE(UndoStep(history, list));
             for (size_t i = 0; i < expected.layers.size(); ++i)
                 EXPECT_EQ(list.layers[i].frame.points[0].x, expected.layers[i].frame.points[0].x);
             ExpectSameLayers(list, expected, "after the undo");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.run();
    }
}

// The undo of every kept step restores the exact pixels before it, however many older steps
// of the same layer were dropped.
TEST(HistoryManage, DroppedStepsLeaveTheStateBeforeEveryKeptStep)
{
    CHistoryManage history(4);
    history.limit = 5;
    CLayeredManage list = OpenedList(history);
    CLayerInfo& layer = AddRecorded(history, list, HistoryLayer(RGB(255, 0, 0), 1, 1));
    std::vector<CLayerInfo> states = {layer};
    for (int step = 0; step < 30; ++step) {
        PaintRect(layer, RECT{step % 10, 0, step % 10 + 1, 7}, RGB(step * 8, 255 - step * 8, step));
        history.AddHistory(&layer, HISTORY_MODIFY);
        states.push_back(layer);
    }
    ASSERT_EQ(history.GetCount(), 6);
    for (int undone = 1; undone < history.GetCount(); ++undone) {
        ASSERT_TRUE(UndoStep(history, list));
        const CLayerInfo& expected = states[states.size() - 1 - undone];
        EXPECT_TRUE(SamePixels(list.layers[1].displayed, expected.displayed)) << "undo " << undone;
        EXPECT_TRUE(SamePixels(list.layers[1].source, expected.source)) << "undo " << undone;
    }
    EXPECT_FALSE(UndoStep(history, list));
}

// A move or a shadow edit stores no pixels, a stroke only the tiles it touched, a layer whose
// source equals its displayed picture one copy; what is restored is the picture stored.
TEST(HistoryManage, TilesAreSharedWithTheNewestStateOfTheLayer)
{
    const uint64_t kTile = 4 * 4 * 3 + 4 * 4;   // colours and alpha of one 4 x 4 tile, 24-bit
    CHistoryManage history(4);
    CLayeredManage list = OpenedList(history);
    CLayerInfo& layer = AddRecorded(history, list, HistoryLayer(RGB(255, 0, 0), 1, 1, 16, 8));
    struct Step {
        const char* name;
        std::function<void(CLayerInfo&)> change;
        uint64_t added;
    } const steps[] = {
        {"move", [](CLayerInfo& l) { l.location = ZVPOINTF{30, 9}; }, 0},
        {"shadow", [](CLayerInfo& l) { l.shadowOn = 1; l.shadowDistance = 4; }, 0},
        {"a stroke inside one tile", [](CLayerInfo& l) { PaintRect(l, RECT{5, 1, 7, 3}, RGB(1, 2, 3)); }, kTile},
        {"a stroke across two tiles", [](CLayerInfo& l) { PaintRect(l, RECT{11, 5, 13, 6}, RGB(4, 5, 6)); }, 2 * kTile},
    };
    for (const Step& step : steps) {
        const uint64_t before = history.GetStoredBytes();
        step.change(layer);
        history.AddHistory(&layer, HISTORY_MODIFY);
        EXPECT_EQ(history.GetStoredBytes() - before, step.added) << step.name;
        const CLayerInfo restored = history.RecordAt(history.position).GetLayer();
        EXPECT_TRUE(SamePixels(restored.displayed, layer.displayed)) << step.name;
        EXPECT_TRUE(SamePixels(restored.source, layer.source)) << step.name;
    }

    // A palette picture with a selection comes back with its palette, selection and box.
    CLayerInfo indexed;
    indexed.serial = 77;
    indexed.source.Create(9, 5, 8);
    indexed.source.SetPaletteColor(3, 10, 20, 30);
    indexed.source.SetPixelIndex(2, 2, 3);
    indexed.source.SelectionAddRect(RECT{1, 4, 6, 1});
    history.AddHistory(&indexed, HISTORY_MODIFY);
    const CLayerInfo back = history.RecordAt(history.position).GetLayer();
    ASSERT_TRUE(back.source.IsValid());
    EXPECT_EQ(back.source.GetBpp(), 8);
    EXPECT_EQ(back.source.GetPixelIndex(2, 2), 3);
    EXPECT_EQ(back.source.GetPaletteColor(3).rgbGreen, 20);
    RECT box, expectedBox;
    back.source.SelectionGetBox(box);
    indexed.source.SelectionGetBox(expectedBox);
    EXPECT_TRUE(EqualRect(&box, &expectedBox));
    EXPECT_EQ(back.source.SelectionGet(3, 2), indexed.source.SelectionGet(3, 2));
    EXPECT_FALSE(back.displayed.IsValid());
}

namespace {

// Byte for byte the same picture: shape, rows, palette, alpha and selection planes, resolution.
void ExpectIdentical(const CZVImage& a, const CZVImage& b)
{
    ASSERT_EQ(a.IsValid(), b.IsValid());
    if (!a.IsValid())
        return;
    ASSERT_EQ(a.GetWidth(), b.GetWidth());
    ASSERT_EQ(a.GetHeight(), b.GetHeight());
    ASSERT_EQ(a.GetBpp(), b.GetBpp());
    const size_t plane = size_t(a.GetWidth()) * a.GetHeight();
    EXPECT_EQ(0, std::memcmp(a.GetBits(), b.GetBits(), size_t(a.GetEffWidth()) * a.GetHeight()));
    ASSERT_EQ(a.GetNumColors(), b.GetNumColors());
    if (a.GetNumColors())
        EXPECT_EQ(0, std::memcmp(a.GetPalette(), b.GetPalette(), a.GetNumColors() * sizeof(RGBQUAD)));
    ASSERT_EQ(a.AlphaIsValid(), b.AlphaIsValid());
    if (a.AlphaIsValid())
        EXPECT_EQ(0, std::memcmp(a.AlphaGetPointer(), b.AlphaGetPointer(), plane));
    ASSERT_EQ(a.SelectionGetPointer() != nullptr, b.SelectionGetPointer() != nullptr);
    if (a.SelectionGetPointer())
        EXPECT_EQ(0, std::memcmp(a.SelectionGetPointer(), b.SelectionGetPointer(), plane));
    RECT boxA, boxB;
    a.SelectionGetBox(boxA);
    b.SelectionGetBox(boxB);
    EXPECT_TRUE(EqualRect(&boxA, &boxB));
    EXPECT_EQ(a.GetXDPI(), b.GetXDPI());
}

CZVImage WithAlphaAndSelection(CZVImage picture)
{
    picture.AlphaCreate();
    for (long x = 0; x < static_cast<long>(picture.GetWidth()); ++x)
        picture.AlphaSet(x, x % picture.GetHeight(), static_cast<BYTE>(x * 11));
    picture.SelectionAddRect(RECT{2, 9, 17, 3}, 200);
    return picture;
}

CZVImage WithoutAlpha(CZVImage picture)
{
    picture.AlphaDelete();
    return picture;
}

CZVImage Indexed(long width, long height, BYTE shift)
{
    CZVImage picture;
    picture.Create(width, height, 8);
    for (int i = 0; i < 256; ++i)
        picture.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i + shift), static_cast<BYTE>(i * 3), static_cast<BYTE>(255 - i));
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            picture.SetPixelIndex(x, y, static_cast<BYTE>(x * 5 + y * 17 + shift));
    picture.SetXDPI(150);
    return picture;
}

} // namespace

// Undo writes a state into the layer's own pictures: whatever they held before (another size,
// alpha or a selection the state lacks, a palette), the layer ends as a fresh restore gives it,
// and a picture of the state's shape keeps its buffer.
TEST(HistoryStore, RestoringIntoALayerGivesTheStoredStateWhateverItsPicturesHeld)
{
    const std::pair<const char*, CZVImage> states[] = {
        {"24-bit", WithoutAlpha(Quadrants(40, 20))},
        {"alpha and selection", WithAlphaAndSelection(Quadrants(40, 20))},
        {"palette", Indexed(40, 20, 0)},
        {"none", CZVImage()},
    };
    const std::pair<const char*, CZVImage> held[] = {
        {"nothing", CZVImage()},
        {"same size", WithoutAlpha(Plain(40, 20, RGB(9, 9, 9)))},
        {"same size with alpha and selection", WithAlphaAndSelection(Plain(40, 20, RGB(1, 2, 3)))},
        {"same size palette", Indexed(40, 20, 7)},
        {"other size", Plain(13, 9, RGB(5, 6, 7))},
    };
    for (const auto& [stateName, state] : states)
        for (const auto& [heldName, before] : held) {
            SCOPED_TRACE(std::string(stateName) + " over " + heldName);
            CHistoryStore store(8);
            CLayerInfo layer;
            layer.serial = 5;
            layer.angle = 0.25f;
            layer.source = state;
            layer.displayed = state;
            if (layer.displayed.IsValid() && !layer.displayed.AlphaIsValid())
                layer.displayed.AlphaCreate();
            const StoredLayerPtr stored = store.StoreLayer(layer, true);

            CLayerInfo into;
            into.angle = 2.0f;
            into.displayed = before;
            into.source = before;
            const BYTE* buffer = into.source.GetBits();
            const bool sameShape = state.IsValid() && before.IsValid() && before.GetWidth() == state.GetWidth() &&
                                   before.GetHeight() == state.GetHeight() && before.GetBpp() == state.GetBpp();
            stored->RestoreInto(into);
            const CLayerInfo fresh = stored->Restore();
            ExpectIdentical(into.displayed, fresh.displayed);
            ExpectIdentical(into.source, fresh.source);
            ExpectIdentical(into.source, layer.source);
            EXPECT_EQ(into.angle, 0.25f);
            EXPECT_EQ(into.serial, 5u);
            if (sameShape)
                EXPECT_EQ(into.source.GetBits(), buffer);
        }
}

// Tiles of one byte value throughout are kept once per value and size; every other tile, and
// tiles of another value or size, keep their own bytes, and the picture comes back as stored.
TEST(HistoryStore, TilesOfOneValueAreKeptOncePerValueAndSize)
{
    // No two bytes of a colour tile are alike, so only the alpha plane's tiles can be shared.
    const auto varied = [](long width, long height) {
        CZVImage p = Plain(width, height, RGB(0, 0, 0));
        for (long y = 0; y < height; ++y)
            for (long x = 0; x < width; ++x)
                p.SetPixelColor(x, y, CxImage::RGBtoRGBQUAD(RGB(x * 7 + y * 50, x * 7 + y * 50 + 1, x * 7 + y * 50 + 2)));
        return p;
    };
    const auto alphaRect = [](CZVImage p, RECT rect, BYTE level) {
        for (long y = rect.top; y < rect.bottom; ++y)
            for (long x = rect.left; x < rect.right; ++x)
                p.AlphaSet(x, y, level);
        return p;
    };
    struct Case {
        const char* name;
        CZVImage picture;
        uint64_t bytes;   // in 4 x 4 tiles
    } const cases[] = {
        {"opaque: one alpha tile", varied(12, 8), 12 * 8 * 3 + 16},
        {"edge tiles: one per size", varied(10, 6), 32 * 6 + 16 + 8 + 4},   // rows padded to 32 bytes
        {"two values", alphaRect(varied(8, 4), RECT{0, 0, 4, 4}, 0), 8 * 4 * 3 + 16 + 16},
        {"a tile not of one value", alphaRect(varied(12, 4), RECT{5, 1, 6, 2}, 9), 12 * 4 * 3 + 16 + 16},
        {"white colours", Plain(8, 4, RGB(255, 255, 255)), 12 * 4 + 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CHistoryStore store(4);
        CLayerInfo layer;
        layer.displayed = c.picture;
        const StoredLayerPtr stored = store.StoreLayer(layer, true);
        EXPECT_EQ(store.GetBytes(), c.bytes);
        ExpectIdentical(stored->Restore().displayed, c.picture);
    }
}

// Random steps under a tiny budget against a model that keeps whole copies of the list.
TEST(HistoryManage, RandomStepsMatchFullCopiesWithinTheBudget)
{
    const uint64_t kBudget = 2000;
    CHistoryManage history(4);
    history.SetByteBudget(kBudget);
    CLayeredManage list = OpenedList(history);
    std::vector<CLayeredManage> model = {list};
    std::mt19937 random(36);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto colour = [&] { return RGB(pick(0, 255), pick(0, 255), pick(0, 255)); };
    // Undo back to the oldest kept record, then redo to the newest, against the model.
    const auto undoAndRedo = [&](int steps) {
        const int first = steps + 1 - history.GetCount();   // the model's state of record 0
        for (int p = history.position; p > 0; --p) {
            ASSERT_TRUE(UndoStep(history, list));
            ExpectSameLayers(list, model[first + p - 1], "step " + std::to_string(steps) + ", undo to record " + std::to_string(p - 1));
            ASSERT_FALSE(HasFailure());
        }
        for (int p = 1; p < history.GetCount(); ++p) {
            ASSERT_TRUE(RedoStep(history, list));
            ExpectSameLayers(list, model[first + p], "step " + std::to_string(steps) + ", redo to record " + std::to_string(p));
            ASSERT_FALSE(HasFailure());
        }
    };
    const int kSteps = 1000;
    for (int step = 1; step <= kSteps; ++step) {
        const int upper = static_cast<int>(list.layers.size()) - 1;
        int kind = pick(0, 99);
        if (upper < 2 && kind >= 20)
            kind = 0;   // grow the list before anything else
        if (kind < 20) {
            AddRecorded(history, list,
                        HistoryLayer(colour(), float(pick(0, 20)), float(pick(0, 10)), pick(3, 10), pick(3, 9), pick(0, 3) != 0));
        } else if (kind < 32) {
            const CLayerInfo deleted = *list.GetLayer(pick(1, upper));
            list.DeleteLayer(deleted.id);
            history.AddHistory(&deleted, HISTORY_DELETE);
        } else if (kind < 62) {
            CLayerInfo& layer = *list.GetLayer(pick(1, upper));
            const int x = pick(0, layer.width - 1), y = pick(0, layer.height - 1);
            PaintRect(layer, RECT{x, y, x + pick(1, 3), y + pick(1, 3)}, colour());
            history.AddHistory(&layer, HISTORY_MODIFY);
        } else if (kind < 80) {
            const int id = pick(1, upper);
            list.MoveLayerTo(id, ZVPOINTF{float(pick(0, 30)), float(pick(0, 20))});
            history.AddHistory(list.GetLayer(id), HISTORY_MODIFY);
        } else if (kind < 92) {
            const int a = pick(1, upper), b = a == upper ? 1 : a + 1;
            list.SwapLayers(a, b);
            history.AddSwapHistory(a, b);
        } else if (kind < 96) {
            history.AddLayersHistory(&list);
            list.MergeAllLayers(kHistoryCanvas, kHistoryCanvas, 1.0f);
        } else {
            history.AddMergeHistory(&list);
            list.MergeVisibleLayers(kHistoryCanvas, kHistoryCanvas, 1.0f);
        }
        model.push_back(list);
        ASSERT_LE(history.GetStoredBytes(), kBudget) << "step " << step;
        ASSERT_EQ(history.position, history.GetCount() - 1);
        if (step % 50 == 0)
            undoAndRedo(step);
        ASSERT_FALSE(HasFailure());
    }
}

TEST(GetHistoryLimit, StepsFallWithThePixelCount)
{
    const struct {
        int64_t pixels;
        int limit;
    } cases[] = {{4000000, 20}, {4000001, 10}, {9000001, 5}, {16000001, 3}, {25000001, 1}, {-5, 20}};
    for (const auto& c : cases)
        EXPECT_EQ(GetHistoryLimit(c.pixels), c.limit) << c.pixels;
}
