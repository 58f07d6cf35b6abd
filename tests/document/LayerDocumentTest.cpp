// The layered document: starting documents, adding and changing layers, the undo steps they
// record, the history limit by picture size, the canvas placement and the accessors.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "DocumentTestSupport.h"
#include "EditorUtils.h"
#include "LayerDocument.h"

using namespace documenttest;

namespace {

const RGBQUAD kGreyQuad = {128, 128, 128, 255};

// A 400 x 300 window with history on and a 100 x 80 white background.
struct DocumentSetup {
    explicit DocumentSetup(bool historyOn = true)
    {
        doc.viewRect = RECT{0, 0, 400, 300};
        doc.historyOn = historyOn ? 1 : 0;
        doc.OpenImage(Plain(100, 80, RGB(255, 255, 255)));
    }
    void AddBlank(int n)
    {
        for (int i = 0; i < n; ++i)
            doc.AddBlankLayer(kGreyQuad, 20, 10);
    }
    CLayerDocument doc;
};

CWordArtInfo TextSettings(const wchar_t* text)
{
    CWordArtInfo settings;
    settings.SetText(text);
    return settings;
}

int Count(CLayerDocument& doc)
{
    return static_cast<int>(doc.layers.layers.size());
}

std::wstring Name(CLayerDocument& doc, int id)
{
    CLayerInfo* layer = doc.layers.GetLayer(id);
    return layer ? std::wstring(layer->name.GetString()) : L"<none>";
}

const CHistoryData& Newest(CLayerDocument& doc)
{
    return doc.history.RecordAt(doc.history.GetCount() - 1);
}

const wchar_t kMissingFile[] = L"Z:\\no such folder\\missing.png";

} // namespace

TEST(LayerDocument, EdgeCases)
{
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"delete with the background current is refused and records nothing",
         [] {
             DocumentSetup s;
             const int steps = s.doc.history.GetCount();
             EXPECT_FALSE(s.doc.DeleteCurrentLayer());
             EXPECT_EQ(Count(s.doc), 1);
             EXPECT_EQ(s.doc.history.GetCount(), steps);
         }},
        {"delete layer 3 of 4 leaves current id 2 and ids 0 to 2",
         [] {
             DocumentSetup s;
             s.AddBlank(3);
             ASSERT_EQ(s.doc.layers.currentId, 3);
             EXPECT_TRUE(s.doc.DeleteCurrentLayer());
             EXPECT_EQ(s.doc.layers.currentId, 2);
             ASSERT_EQ(Count(s.doc), 3);
             for (int i = 0; i < 3; ++i)
                 EXPECT_EQ(s.doc.layers.layers[i].id, i);
             EXPECT_EQ(Newest(s.doc).action, HISTORY_DELETE);
         }},
        {"commit with history off leaves a turned layer turned and records nothing",
         [] {
             DocumentSetup s(false);
             s.AddBlank(1);
             s.doc.layers.GetCurrentLayer()->angle = 0.5f;
             s.doc.CommitCurrentLayer(TRUE);
             EXPECT_FLOAT_EQ(s.doc.GetCurrentLayerAngle(), 0.5f);
             EXPECT_EQ(s.doc.history.GetCount(), 0);
         }},
        {"a text added and restyled is one step; a second restyle adds a modify step",
         [] {
             DocumentSetup s;
             ASSERT_TRUE(s.doc.AddTextLayer(TextSettings(L"one")));
             const int steps = s.doc.history.GetCount();
             ASSERT_TRUE(s.doc.UpdateTextLayer(TextSettings(L"two")));
             EXPECT_EQ(s.doc.history.GetCount(), steps);
             EXPECT_EQ(Newest(s.doc).action, HISTORY_ADD);
             EXPECT_EQ(std::wstring(Newest(s.doc).GetLayer().wordArt.GetText().GetString()), L"two");
             ASSERT_TRUE(s.doc.UpdateTextLayer(TextSettings(L"three")));
             EXPECT_EQ(s.doc.history.GetCount(), steps + 1);
             EXPECT_EQ(Newest(s.doc).action, HISTORY_MODIFY);
         }},
        {"NewDocument on two layers puts a filled background below both",
         [] {
             DocumentSetup s;
             s.AddBlank(1);
             const uint32_t oldBase = s.doc.layers.layers[0].serial, oldLayer = s.doc.layers.layers[1].serial;
             ASSERT_TRUE(s.doc.NewDocument(RGBQUAD{0, 0, 255, 255}, 50, 40));
             ASSERT_EQ(Count(s.doc), 3);
             EXPECT_EQ(s.doc.layers.layers[0].type, LAYER_BACKGROUND);
             EXPECT_EQ(Top(s.doc.layers.layers[0].displayed, 10, 10).rgbRed, 255);
             EXPECT_EQ(s.doc.layers.layers[1].serial, oldBase);
             EXPECT_EQ(s.doc.layers.layers[1].type, LAYER_IMAGE);
             EXPECT_EQ(Name(s.doc, 1), L"Layer2");   // "Layer 1" went to the blank layer
             EXPECT_EQ(s.doc.layers.layers[2].serial, oldLayer);
             EXPECT_EQ(s.doc.layers.currentId, 1);
             EXPECT_EQ(Newest(s.doc).action, HISTORY_NEW_DOCUMENT);
         }},
        {"6000 x 6001 pixels keep no steps; 6000 x 6000 asks the helper",
         [] {
             CLayerDocument doc;
             doc.keepSource = 0;
             ASSERT_TRUE(doc.NewBlankDocument(kGreyQuad, 6000, 6001, 96, 255));
             EXPECT_EQ(doc.history.limit, 0);
             ASSERT_TRUE(doc.NewBlankDocument(kGreyQuad, 6000, 6000, 96, 255));
             EXPECT_EQ(doc.history.limit, GetHistoryLimit(36000000));
             EXPECT_GT(doc.history.limit, 0);
         }},
        {"a narrow picture is centred; a tall one scrolls with a step of its overflow / 100",
         [] {
             CLayerDocument doc;
             doc.viewRect = RECT{10, 20, 410, 320};
             ASSERT_TRUE(doc.OpenImage(Plain(100, 500, RGB(0, 0, 0))));
             EXPECT_EQ(doc.canvasRect.left, 160);
             EXPECT_EQ(doc.canvasRect.right, 260);
             EXPECT_FALSE(doc.hScroll);
             EXPECT_TRUE(doc.vScroll);
             EXPECT_FLOAT_EQ(doc.vStep, 2.0f);
             EXPECT_EQ(doc.canvasRect.top, 20);
             EXPECT_EQ(doc.canvasRect.bottom, 320);
             EXPECT_FLOAT_EQ(doc.layers.layers[0].location.x, 160.0f);
         }},
        {"opacity of alpha 128 is 50, of 255 is 100",
         [] {
             DocumentSetup s;
             s.AddBlank(1);
             s.doc.layers.GetCurrentLayer()->alpha = 128;
             EXPECT_EQ(s.doc.GetCurrentLayerOpacity(), 50);
             s.doc.layers.GetCurrentLayer()->alpha = 255;
             EXPECT_EQ(s.doc.GetCurrentLayerOpacity(), 100);
         }},
        {"an unreadable file adds nothing and records nothing, history on",
         [] {
             DocumentSetup s;
             s.AddBlank(1);
             const int steps = s.doc.history.GetCount();
             EXPECT_FALSE(s.doc.AddImageFileLayer(kMissingFile));
             EXPECT_EQ(Count(s.doc), 2);
             EXPECT_EQ(s.doc.history.GetCount(), steps);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.run();
    }
}

TEST(LayerDocument, FailedOpenKeepsTheDocumentAndItsUndo)
{
    DocumentSetup s;
    s.AddBlank(1);
    const int steps = s.doc.history.GetCount();
    const uint32_t serial = s.doc.layers.layers[1].serial;
    EXPECT_FALSE(s.doc.OpenImageFile(kMissingFile));
    ASSERT_EQ(Count(s.doc), 2);
    EXPECT_EQ(s.doc.layers.layers[1].serial, serial);
    EXPECT_EQ(s.doc.history.GetCount(), steps);
    EXPECT_EQ(Newest(s.doc).GetLayerSerial(), serial);
}

TEST(LayerDocument, RestyleAfterAnotherLayerWasAddedIsAModifyStep)
{
    DocumentSetup s;
    ASSERT_TRUE(s.doc.AddTextLayer(TextSettings(L"text")));
    const uint32_t textSerial = s.doc.layers.GetCurrentLayer()->serial;
    ASSERT_TRUE(s.doc.AddImageLayer(Plain(30, 30, RGB(0, 255, 0)), FALSE));
    const int imageStep = s.doc.history.GetCount() - 1;
    s.doc.layers.currentId = 1;
    ASSERT_TRUE(s.doc.UpdateTextLayer(TextSettings(L"restyled")));
    ASSERT_EQ(s.doc.history.GetCount(), imageStep + 2);
    EXPECT_EQ(Newest(s.doc).action, HISTORY_MODIFY);
    EXPECT_EQ(Newest(s.doc).GetLayerSerial(), textSerial);
    const CLayerInfo image = s.doc.history.RecordAt(imageStep).GetLayer();
    EXPECT_EQ(image.type, LAYER_IMAGE);
    EXPECT_TRUE(SamePixels(image.displayed, Plain(30, 30, RGB(0, 255, 0))));
}

TEST(LayerDocument, ShapeRestyleMovesTheAddStepToTheInsertPoint)
{
    DocumentSetup s;
    s.doc.insertPoint = POINT{40, 30};
    ShapeSettings shape;
    shape.width = 30;
    shape.height = 20;
    shape.fillOn = 1;
    ASSERT_TRUE(s.doc.AddShapeLayer(shape));
    const int steps = s.doc.history.GetCount();
    s.doc.insertPoint = POINT{70, 60};
    shape.width = 50;
    ASSERT_TRUE(s.doc.UpdateShapeLayer(shape, FALSE));
    EXPECT_EQ(s.doc.history.GetCount(), steps);
    const CLayerInfo added = Newest(s.doc).GetLayer();
    EXPECT_FLOAT_EQ(added.location.x, 70.0f);
    EXPECT_EQ(added.width, 50);
    // The layer itself stays where it was unless asked to move.
    EXPECT_FLOAT_EQ(s.doc.GetCurrentLayerLocation().x, 40.0f);
}

TEST(LayerDocument, DuplicateIsALayerOfItsOwn)
{
    DocumentSetup s;
    s.AddBlank(1);
    ASSERT_TRUE(s.doc.DuplicateCurrentLayer());
    ASSERT_EQ(Count(s.doc), 3);
    EXPECT_NE(s.doc.layers.layers[2].serial, s.doc.layers.layers[1].serial);
    EXPECT_EQ(s.doc.layers.currentId, 2);
    EXPECT_EQ(Name(s.doc, 2), L"Layer 2");
    EXPECT_EQ(Newest(s.doc).GetLayerSerial(), s.doc.layers.layers[2].serial);
    // A copy of the background keeps its name and becomes a picture layer.
    s.doc.layers.currentId = 0;
    s.doc.layers.layers[0].name = L"Base";
    ASSERT_TRUE(s.doc.DuplicateCurrentLayer());
    EXPECT_EQ(s.doc.layers.layers[3].type, LAYER_IMAGE);
    EXPECT_EQ(Name(s.doc, 3), L"Base");
}

TEST(LayerDocument, SizesOutsideTheLibrarysRangeAreRefused)
{
    struct Size {
        int width, height;
    };
    const Size refused[] = {{0, 10}, {10, 0}, {-5, 10}, {32768, 10}, {20000, 20000}};
    for (const Size& size : refused) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        DocumentSetup s;
        s.AddBlank(1);
        const int steps = s.doc.history.GetCount();
        EXPECT_FALSE(s.doc.NewBlankDocument(kGreyQuad, size.width, size.height, 96, 255));
        EXPECT_FALSE(s.doc.NewDocument(kGreyQuad, size.width, size.height));
        EXPECT_FALSE(s.doc.AddBlankLayer(kGreyQuad, size.width, size.height));
        EXPECT_EQ(Count(s.doc), 2);
        EXPECT_EQ(s.doc.history.GetCount(), steps);
    }
}

TEST(LayerDocument, FitZoomWithoutPictureOrWindowIsOne)
{
    CLayerDocument empty;
    EXPECT_FLOAT_EQ(empty.GetFitZoom(), 1.0f);
    DocumentSetup s;
    s.doc.viewRect = RECT{0, 0, 0, 0};
    EXPECT_FLOAT_EQ(s.doc.GetFitZoom(), 1.0f);
    s.doc.viewRect = RECT{0, 0, 50, 300};
    EXPECT_FLOAT_EQ(s.doc.GetFitZoom(), 0.5f);
}

TEST(LayerDocument, BakedRotationStaysWhereItWasShownAtAnyScroll)
{
    for (int hPos : {0, 30}) {
        SCOPED_TRACE(hPos);
        DocumentSetup s;
        s.doc.hPos = hPos;
        s.doc.hStep = 2.0f;
        s.doc.vPos = hPos / 2;
        s.doc.vStep = 1.5f;
        ASSERT_TRUE(s.doc.AddImageLayer(Plain(40, 20, RGB(255, 0, 0)), FALSE));
        CLayerInfo* layer = s.doc.layers.GetCurrentLayer();
        layer->SetAngle(0.6f);
        s.doc.UpdateLayerOrigin(layer);
        const ZVPOINTF shownAt = layer->drawOrigin;
        s.doc.CommitCurrentLayer(TRUE);
        EXPECT_FLOAT_EQ(layer->angle, 0.0f);
        EXPECT_EQ(layer->width, static_cast<int>(layer->displayed.GetWidth()));
        EXPECT_FLOAT_EQ(layer->location.x, shownAt.x);
        EXPECT_FLOAT_EQ(layer->location.y, shownAt.y);
    }
}

TEST(LayerDocument, ModifyRecordReplacesTheLayerWithItsSerialWhereverItIs)
{
    DocumentSetup s;
    s.AddBlank(2);
    s.doc.layers.currentId = 1;
    CLayerInfo* first = s.doc.layers.GetCurrentLayer();
    const uint32_t serial = first->serial;
    first->alpha = 90;
    s.doc.CommitCurrentLayer(FALSE);
    const int step = s.doc.history.GetCount() - 1;
    // The layer moves up one place; the record still names id 1.
    ASSERT_TRUE(s.doc.layers.SwapLayers(1, 2));
    s.doc.layers.layers[2].alpha = 255;
    CHistoryData record = s.doc.history.RecordAt(step);
    s.doc.ApplyHistoryRecord(&record);
    EXPECT_EQ(s.doc.layers.layers[2].serial, serial);
    EXPECT_EQ(s.doc.layers.layers[2].alpha, 90);
    EXPECT_NE(s.doc.layers.layers[1].serial, serial);
    EXPECT_EQ(s.doc.layers.currentId, 2);
}

TEST(LayerDocument, StartingOperationsAndTheirSteps)
{
    DocumentSetup s;
    EXPECT_EQ(Count(s.doc), 1);
    EXPECT_EQ(s.doc.history.GetCount(), 1);
    EXPECT_EQ(Newest(s.doc).action, HISTORY_ADD);
    EXPECT_EQ(s.doc.layers.layers[0].ownAlpha, 1);
    // A blank document: alpha below 255 makes the layer's own alpha, no fit zoom.
    s.doc.zoom = 0.75f;
    ASSERT_TRUE(s.doc.NewBlankDocument(RGBQUAD{0, 255, 0, 0}, 60, 40, 150, 100));
    ASSERT_EQ(Count(s.doc), 1);
    EXPECT_EQ(s.doc.history.GetCount(), 1);
    const CLayerInfo& base = s.doc.layers.layers[0];
    EXPECT_EQ(base.ownAlpha, 1);
    EXPECT_EQ(base.displayed.GetXDPI(), 150);
    EXPECT_EQ(TopAlpha(base.displayed, 5, 5), 100);
    EXPECT_EQ(Top(base.displayed, 5, 5).rgbGreen, 255);
    EXPECT_EQ(Name(s.doc, 0), L"Background");
    EXPECT_FLOAT_EQ(s.doc.zoom, 0.75f);
    // A background inserted below keeps the old one as a layer.
    ASSERT_TRUE(s.doc.InsertBackground(Plain(80, 50, RGB(0, 0, 0)), TRUE));
    ASSERT_EQ(Count(s.doc), 2);
    EXPECT_EQ(s.doc.layers.currentId, 1);
    EXPECT_EQ(s.doc.layers.layers[1].type, LAYER_IMAGE);
    EXPECT_EQ(s.doc.docWidth, 80);
}

TEST(LayerDocument, FlattenAndMergeComposeAtThePictureScale)
{
    struct Case {
        const char* name;
        bool flatten;
        BYTE hiddenVisible;
        int layersLeft;
        int action;
    };
    const Case cases[] = {
        {"flatten takes every layer", true, 0, 1, HISTORY_FLATTEN_ALL},
        {"merge keeps the hidden layer", false, 0, 2, HISTORY_MERGE_VISIBLE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A 200 x 100 background laid out at half size: canvas distances are half a pixel.
        DocumentSetup s;
        s.doc.OpenImage(Plain(200, 100, RGB(255, 255, 255)));
        s.doc.zoom = s.doc.fitZoom = 0.5f;
        s.doc.canvasRect = RECT{150, 125, 250, 175};
        s.doc.layers.layers[0].location = ZVPOINTF{150, 125};
        ASSERT_TRUE(s.doc.AddImageLayer(Plain(10, 10, RGB(255, 0, 0)), FALSE));
        s.doc.layers.GetCurrentLayer()->location = ZVPOINTF{175, 135};
        ASSERT_TRUE(s.doc.AddImageLayer(Plain(10, 10, RGB(0, 0, 255)), FALSE));
        s.doc.layers.GetCurrentLayer()->location = ZVPOINTF{150, 125};
        s.doc.layers.GetCurrentLayer()->visible = c.hiddenVisible;
        if (c.flatten)
            s.doc.FlattenImage();
        else
            s.doc.MergeVisibleLayers();
        ASSERT_EQ(Count(s.doc), c.layersLeft);
        EXPECT_EQ(s.doc.layers.currentId, 0);
        EXPECT_EQ(Newest(s.doc).action, c.action);
        const CZVImage& base = s.doc.layers.layers[0].displayed;
        EXPECT_EQ(Top(base, 50, 20).rgbRed, 255);
        EXPECT_EQ(Top(base, 50, 20).rgbGreen, 0);
        EXPECT_EQ(Top(base, 49, 20).rgbGreen, 255);
        EXPECT_EQ(Top(base, 5, 5).rgbRed == 0, c.flatten);   // the hidden blue one, flattened
    }
}

TEST(LayerDocument, ReplacedBackgroundIsCentredAndUpperLayersFollowARescale)
{
    DocumentSetup s;
    ASSERT_EQ(s.doc.canvasRect.left, 150);
    s.AddBlank(1);
    s.doc.layers.GetCurrentLayer()->location = ZVPOINTF{170, 130};
    // The canvas was doubled: the background is twice the size, the layers go with it.
    CZVImage larger = Plain(200, 160, RGB(0, 255, 0));
    s.doc.layers.SetBaseImage(larger);
    s.doc.rescaleX = s.doc.rescaleY = 0.5f;
    s.doc.pendingRescale = 1;
    s.doc.RefitCanvas();
    EXPECT_EQ(s.doc.canvasRect.left, 100);
    EXPECT_EQ(s.doc.canvasRect.top, 70);
    EXPECT_EQ(s.doc.docWidth, 200);
    EXPECT_FALSE(s.doc.pendingRescale);
    const CLayerInfo& upper = s.doc.layers.layers[1];
    EXPECT_EQ(upper.width, 40);
    EXPECT_EQ(upper.height, 20);
    EXPECT_FLOAT_EQ(upper.location.x, 140.0f);
    EXPECT_FLOAT_EQ(upper.location.y, 110.0f);
    EXPECT_FLOAT_EQ(s.doc.layers.layers[0].location.x, 100.0f);
    EXPECT_TRUE(s.doc.composite.IsValid());

    // A picture without alpha set as the background: opaque, centred again, the caller's
    // picture left as it was.
    CZVImage flat;
    flat.Create(50, 40, 24);
    ASSERT_TRUE(s.doc.SetBackgroundImage(flat));
    EXPECT_FALSE(flat.AlphaIsValid());
    const CLayerInfo& base = s.doc.layers.layers[0];
    EXPECT_EQ(base.ownAlpha, 0);
    EXPECT_EQ(TopAlpha(base.displayed, 3, 3), 255);
    EXPECT_EQ(Name(s.doc, 0), L"Background");
    EXPECT_FLOAT_EQ(base.location.x, 175.0f);
    EXPECT_FLOAT_EQ(base.location.y, 130.0f);
    // Without a background it becomes one.
    CLayerDocument empty;
    ASSERT_TRUE(empty.SetBackgroundImage(flat));
    EXPECT_EQ(Count(empty), 1);
}

TEST(LayerDocument, PixelOperationsKeepTheNewOriginalAndRecordAStep)
{
    struct Case {
        const char* name;
        std::function<void(CLayerDocument&)> run;
    };
    long invert[9] = {0, 0, 0, 0, 1, 0, 0, 0, 0};   // with factor -1 and offset 127: 127 - v
    const Case cases[] = {
        {"edge", [](CLayerDocument& d) { d.EdgeCurrentLayer(); }},
        {"filter", [&](CLayerDocument& d) { d.FilterCurrentLayer(invert); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentSetup s;
        ASSERT_TRUE(s.doc.AddImageLayer(Plain(12, 12, RGB(255, 255, 255)), FALSE));
        const int steps = s.doc.history.GetCount();
        c.run(s.doc);
        CLayerInfo* layer = s.doc.layers.GetCurrentLayer();
        EXPECT_EQ(Top(layer->displayed, 6, 6).rgbRed, 0);
        EXPECT_TRUE(SamePixels(layer->displayed, layer->source));
        EXPECT_EQ(s.doc.history.GetCount(), steps + 1);
        EXPECT_EQ(Newest(s.doc).action, HISTORY_MODIFY);
    }
}

TEST(LayerDocument, StraightLineIsDrawnWithRowsFromTheTop)
{
    CZVImage picture;
    picture.Create(40, 20, 24);
    picture.SetRectColor(RECT{0, 0, 40, 20}, RGBQUAD{255, 255, 255, 0});
    picture.AlphaCreate();
    picture.AlphaSet(0);
    CLayerDocument doc;
    doc.DrawShapeLine(picture, 5, 4, 35, 4, nullptr);
    EXPECT_EQ(TopAlpha(picture, 20, 4), 0);
    ShapeSettings line;
    line.outlineColour = RGB(200, 0, 0);
    line.outlineWidth = 3;
    line.reserved1 = 255;
    doc.DrawShapeLine(picture, 5, 4, 35, 4, &line);
    EXPECT_EQ(Top(picture, 20, 4).rgbRed, 200);
    EXPECT_EQ(TopAlpha(picture, 20, 4), 255);
    EXPECT_EQ(TopAlpha(picture, 20, 15), 0);
    EXPECT_EQ(TopAlpha(picture, 20, 10), 0);
}

TEST(LayerDocument, HistoryRecordsApplyByKindAndAction)
{
    // Background, A (red), B (blue); each case records one step and applies it again to the
    // document as it stood before the step.
    struct Case {
        const char* name;
        std::function<void(CLayerDocument&)> step;
        std::vector<COLORREF> after;   // the upper layers' colours, bottom first
        int current;
    };
    const Case cases[] = {
        {"add appends a copy", [](CLayerDocument& d) { d.AddImageLayer(Plain(8, 8, RGB(0, 255, 0)), FALSE); },
         {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0)}, 3},
        {"delete erases the layer it names",
         [](CLayerDocument& d) {
             d.layers.currentId = 1;
             d.DeleteCurrentLayer();
         },
         {RGB(0, 0, 255)}, 1},
        {"swap exchanges and moves the current layer up",
         [](CLayerDocument& d) {
             d.history.AddSwapHistory(1, 2);
             d.layers.SwapLayers(1, 2);
         },
         {RGB(0, 0, 255), RGB(255, 0, 0)}, 2},
        {"flatten merges every layer", [](CLayerDocument& d) { d.FlattenImage(); }, {}, 0},
    };
    const auto build = [](CLayerDocument& doc) {
        doc.viewRect = RECT{0, 0, 400, 300};
        doc.historyOn = 1;
        doc.OpenImage(Plain(100, 80, RGB(255, 255, 255)));
        doc.AddImageLayer(Plain(8, 8, RGB(255, 0, 0)), FALSE);
        doc.AddImageLayer(Plain(8, 8, RGB(0, 0, 255)), FALSE);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLayerDocument recorded;
        build(recorded);
        c.step(recorded);
        CHistoryData record = Newest(recorded);
        CLayerDocument doc;
        build(doc);
        doc.layers.currentId = 1;
        doc.ApplyHistoryRecord(&record);
        ASSERT_EQ(Count(doc), static_cast<int>(c.after.size()) + 1);
        for (size_t i = 0; i < c.after.size(); ++i) {
            const RGBQUAD p = Top(doc.layers.layers[i + 1].displayed, 2, 2);
            EXPECT_EQ(RGB(p.rgbRed, p.rgbGreen, p.rgbBlue), c.after[i]) << i;
        }
        EXPECT_EQ(doc.layers.currentId, c.current);
    }
    CLayerDocument doc;
    build(doc);
    doc.ApplyHistoryRecord(nullptr);
    EXPECT_EQ(Count(doc), 3);
}
