// The picture edit view's undo and redo: the edge cases, a deleted layer coming back in its
// place, and a long random run of commands undone to the start and redone to the end.
#include <cstring>
#include <random>
#include <vector>
#include "EditViewCommandsTest.h"

using namespace editviewtest;

namespace {

using HistoryTest = EditViewTest;

TEST_F(HistoryTest, EdgesOfTheHistoryChangeNothing)
{
    // Only the opened picture's record: nothing to undo, nothing to redo.
    const CLayeredManage opened = view.doc.layers;
    view.Undo();
    EXPECT_EQ(view.Redo(), FALSE);
    ExpectSameLayers(view.doc.layers, opened, "one record");
    EXPECT_EQ(view.doc.history.position, 0);

    AddLayer(30, 30, 5, 5);
    const CLayeredManage added = view.doc.layers;
    view.Redo();
    ExpectSameLayers(view.doc.layers, added, "redo at the newest");
    EXPECT_EQ(view.doc.history.position, 1);

    // With the history off (a picture above the size limit) neither command acts.
    view.doc.historyOn = 0;
    view.Undo();
    ExpectSameLayers(view.doc.layers, added, "undo with the history off");
    view.doc.historyOn = 1;
    view.Undo();
    ExpectSameLayers(view.doc.layers, opened, "undone");
    view.doc.historyOn = 0;
    view.Redo();
    ExpectSameLayers(view.doc.layers, opened, "redo with the history off");
    EXPECT_EQ(view.doc.history.position, 0);
}

// A picture change undone and redone is written into the layer's own pictures: the states come
// back exact, and no new picture is made for them (on a large picture each costs more to fault
// in than the copy itself).
TEST_F(HistoryTest, PictureChangesUndoneAndRedoneKeepTheLayersBuffers)
{
    const CLayerInfo opened = *view.doc.layers.GetLayer(0);
    view.doc.EdgeCurrentLayer();
    const CLayerInfo edged = *view.doc.layers.GetLayer(0);
    const CLayerInfo* layer = view.doc.layers.GetLayer(0);
    const BYTE* shown = layer->displayed.GetBits();
    const BYTE* shownAlpha = layer->displayed.AlphaGetPointer();
    const BYTE* original = layer->source.GetBits();
    const auto expectState = [&](const CLayerInfo& state, const char* step) {
        SCOPED_TRACE(step);
        layer = view.doc.layers.GetLayer(0);
        ASSERT_NE(layer, nullptr);
        EXPECT_TRUE(SamePixels(layer->displayed, state.displayed));
        EXPECT_TRUE(SamePixels(layer->source, state.source));
        EXPECT_EQ(layer->displayed.GetBits(), shown);
        EXPECT_EQ(layer->displayed.AlphaGetPointer(), shownAlpha);
        EXPECT_EQ(layer->source.GetBits(), original);
    };
    view.Undo();
    expectState(opened, "undone");
    view.Redo();
    expectState(edged, "redone");
}

TEST_F(HistoryTest, DeleteUndoneComesBackInItsPlace)
{
    AddLayer(30, 30, 0, 0, RGB(255, 0, 0));
    AddLayer(30, 30, 10, 10, RGB(0, 255, 0));
    AddLayer(30, 30, 20, 20, RGB(0, 0, 255));
    const CLayeredManage before = view.doc.layers;
    view.doc.layers.currentId = 1;
    ASSERT_TRUE(view.DeleteSelectionOrLayer());
    ASSERT_EQ(LayerCount(), 3u);
    view.Undo();
    ExpectSameLayers(view.doc.layers, before, "delete undone");
    EXPECT_EQ(view.doc.layers.currentId, 1);
    // The layers above still answer to their own later records.
    view.Redo();
    EXPECT_EQ(LayerCount(), 3u);
    EXPECT_EQ(view.doc.layers.layers[1].serial, before.layers[2].serial);
    view.Undo();
    view.Undo();   // the blue layer's add
    EXPECT_EQ(LayerCount(), 3u);
    EXPECT_EQ(view.doc.layers.layers[2].serial, before.layers[2].serial);
    EXPECT_EQ(view.doc.layers.layers[1].serial, before.layers[1].serial);
}

TEST_F(HistoryTest, NewBackgroundUndoneLeavesTheOldOneBelow)
{
    AddLayer(30, 30, 0, 0);
    const uint32_t oldBackground = view.doc.layers.layers[0].serial;
    ASSERT_TRUE(view.doc.NewDocument(RGBQUAD{0, 0, 255, 255}, 200, 100));
    ASSERT_EQ(LayerCount(), 3u);
    const CLayeredManage after = view.doc.layers;
    view.Undo();
    ASSERT_EQ(LayerCount(), 2u);
    EXPECT_EQ(view.doc.layers.layers[0].serial, oldBackground);
    EXPECT_EQ(view.doc.layers.layers[0].type, LAYER_BACKGROUND);
    EXPECT_EQ(view.doc.docWidth, 400);
    view.Redo();
    ASSERT_EQ(LayerCount(), 3u);
    EXPECT_EQ(view.doc.layers.layers[0].serial, after.layers[0].serial);
    EXPECT_EQ(view.doc.layers.layers[0].type, LAYER_BACKGROUND);
    EXPECT_EQ(view.doc.layers.layers[1].type, LAYER_IMAGE);
    EXPECT_EQ(view.doc.layers.layers[1].serial, oldBackground);
    EXPECT_EQ(view.doc.docWidth, 200);
    // The records below follow the ids: the first layer's add still undoes it.
    view.Undo();
    view.Undo();
    EXPECT_EQ(LayerCount(), 1u);
}

bool PutDib(int width, int height, BYTE grey)
{
    const size_t stride = static_cast<size_t>((width * 24 + 31) / 32 * 4);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + stride * height, grey);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    std::memcpy(dib.data(), &header, sizeof header);
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    std::memcpy(::GlobalLock(memory), dib.data(), dib.size());
    ::GlobalUnlock(memory);
    const bool ok = ::SetClipboardData(CF_DIB, memory) != nullptr;
    ::CloseClipboard();
    return ok;
}

// Random commands, each one step (or none), then every step undone and redone against the
// layers as they were after each command.
TEST_F(HistoryTest, RandomCommandsUndoToTheStartAndRedoToTheEnd)
{
    view.doc.history.limit = 1000;
    CLayerDocument& doc = view.doc;
    std::vector<CLayeredManage> model = {doc.layers};
    std::mt19937 random(42);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const char* const names[] = {"add",     "paste",  "move",    "flip",  "gradient", "options",
                                 "delete",  "forward", "back",   "flatten", "merge"};
    const int kCommands = 300;
    for (int step = 0; step < kCommands; ++step) {
        const int upper = static_cast<int>(doc.layers.layers.size()) - 1;
        int command = pick(0, 10);
        if (upper < 2 && command >= 2)
            command = pick(0, 1);
        // Flattening often would keep the list short.
        if ((command == 9 || command == 10) && pick(0, 3) != 0)
            command = 0;
        doc.layers.currentId = command <= 1 ? upper : pick(1, upper);
        switch (command) {
        case 0: {
            CZVImage p = Plain(pick(4, 30), pick(4, 30), RGB(pick(0, 255), pick(0, 255), pick(0, 255)));
            if (pick(0, 1)) {
                p.AlphaCreate();
                p.AlphaSet(0, 0, 0);
            }
            ASSERT_TRUE(doc.AddImageLayer(p, p.AlphaIsValid()));
            doc.layers.GetCurrentLayer()->location = ZVPOINTF{float(pick(100, 400)), float(pick(50, 300))};
            doc.UpdateLayerOrigin(doc.layers.GetCurrentLayer());
            // The add step holds the layer as it was placed.
            doc.history.ReplaceSnapshot(doc.history.position, *doc.layers.GetCurrentLayer());
            break;
        }
        case 1:
            ASSERT_TRUE(PutDib(pick(3, 20), pick(3, 20), static_cast<BYTE>(pick(0, 255))));
            view.PasteAsLayer();
            break;
        case 2:
            doc.layers.MoveLayerTo(doc.layers.currentId, ZVPOINTF{float(pick(100, 400)), float(pick(50, 300))});
            doc.CommitCurrentLayer(FALSE);
            break;
        case 3: pick(0, 1) ? view.FlipLayerVertical() : view.FlipLayerHorizontal(); break;
        case 4: {
            const long modes[] = {1, 2, 4, 8, 16};
            view.ApplyTransparentGradient(pick(0, 100), pick(0, 100), modes[pick(0, 4)]);
            break;
        }
        case 5: {
            const CLayerInfo& layer = *doc.layers.GetCurrentLayer();
            view.SetLayerOptions(pick(0, 255), std::max(1, layer.width + pick(-3, 3)), std::max(1, layer.height + pick(-3, 3)));
            doc.CommitCurrentLayer(FALSE);
            break;
        }
        case 6: view.DeleteSelectionOrLayer(); break;
        case 7: view.BringLayerForward(); break;
        case 8: view.SendLayerBackward(); break;
        case 9: doc.FlattenImage(); break;
        default: doc.MergeVisibleLayers(); break;
        }
        const std::string where = std::string("command ") + std::to_string(step) + " (" + names[command] + ")";
        const int position = doc.history.position;
        ASSERT_EQ(position, doc.history.GetCount() - 1) << where;
        if (position == static_cast<int>(model.size()) - 1) {
            ExpectSameLayers(doc.layers, model.back(), where + ", no step");
        } else {
            ASSERT_EQ(position, static_cast<int>(model.size())) << where;
            model.push_back(doc.layers);
        }
        ASSERT_FALSE(HasFailure()) << where;
    }
    ASSERT_GT(model.size(), 200u);
    for (int p = doc.history.position; p > 0; --p) {
        view.Undo();
        ASSERT_EQ(doc.history.position, p - 1);
        ExpectSameLayers(doc.layers, model[p - 1], "undo to " + std::to_string(p - 1));
        ASSERT_FALSE(HasFailure());
    }
    view.Undo();
    EXPECT_EQ(doc.history.position, 0);
    for (size_t p = 1; p < model.size(); ++p) {
        view.Redo();
        ASSERT_EQ(doc.history.position, static_cast<int>(p));
        ExpectSameLayers(doc.layers, model[p], "redo to " + std::to_string(p));
        ASSERT_FALSE(HasFailure());
    }
}

} // namespace
