// The picture edit view's layer commands under the display: the layer menu's rules and
// commands, reordering, material pictures, the options and rename dialogs, the conversion of
// drawn layers and deleting with a selection tool.
#include <cmath>
#include "DlgEditorLayerOptions.h"
#include "EditorAppState.h"
#include "EditViewCommandsTest.h"
#include "LayerDialogsIds.h"
#include "TestSupport.h"

using namespace editviewtest;

namespace {

// The menu's rules over the kinds of layer a user right-clicks.
TEST(LayerMenuRule, EnableAndCheckByLayer)
{
    struct Case {
        const char* name;
        CPicEditView::LayerMenuFacts facts;
        // visible, locked, duplicate, delete, front, back, edit text, rename, options: enabled
        bool enabled[9];
        bool visibleChecked, lockedChecked;
    };
    const UINT ids[9] = {ID_LAYER_VISIBLE, ID_LAYER_LOCKED, ID_LAYER_DUPLICATE, ID_LAYER_DELETE, ID_LAYER_FRONT,
                         ID_LAYER_BACK,    ID_LAYER_EDIT_TEXT, ID_LAYER_RENAME,  ID_LAYER_OPTIONS};
    const Case cases[] = {
        {"background", {0, LAYER_BACKGROUND, false, true, 3}, {1, 0, 1, 0, 0, 0, 0, 0, 0}, true, false},
        {"image at 1 of 3", {1, LAYER_IMAGE, false, true, 3}, {1, 1, 1, 1, 1, 0, 0, 1, 1}, true, false},
        {"text in the middle", {2, LAYER_TEXT, false, false, 4}, {1, 1, 1, 1, 1, 1, 1, 1, 1}, false, false},
        {"shape in the middle", {2, LAYER_SHAPE, false, true, 4}, {1, 1, 1, 1, 1, 1, 0, 1, 1}, true, false},
        {"locked image", {2, LAYER_IMAGE, true, true, 4}, {1, 1, 1, 1, 1, 1, 0, 1, 1}, true, true},
        {"top image", {3, LAYER_IMAGE, false, true, 4}, {1, 1, 1, 1, 0, 1, 0, 1, 1}, true, false},
    };
    for (const Case& c : cases)
        for (int i = 0; i < 9; ++i) {
            const CPicEditView::LayerMenuItem item = CPicEditView::LayerMenuRule(ids[i], c.facts);
            EXPECT_EQ(item.enabled, c.enabled[i]) << c.name << ", item " << ids[i];
            const bool checked = ids[i] == ID_LAYER_VISIBLE ? c.visibleChecked : ids[i] == ID_LAYER_LOCKED && c.lockedChecked;
            EXPECT_EQ(item.checked, checked) << c.name << ", item " << ids[i];
        }
}

// The state a command's update gives a menu item.
class RecordingCmdUI : public CCmdUI {
public:
    void Enable(BOOL on) override { enabled = on != FALSE; }
    void SetCheck(int check) override { checked = check; }
    bool enabled = false;
    int checked = -1;
};

using LayerCommandsTest = EditViewTest;

TEST_F(LayerCommandsTest, MenuCommandsReachTheViewWithTheirStates)
{
    const int id = AddLayer(80, 60, 10, 10);
    RecordingCmdUI state;
    state.m_nID = ID_LAYER_VISIBLE;
    ASSERT_TRUE(view.OnCmdMsg(ID_LAYER_VISIBLE, CN_UPDATE_COMMAND_UI, &state, nullptr));
    EXPECT_TRUE(state.enabled);
    EXPECT_EQ(state.checked, 1);

    // The popup menu posts the chosen item to the view.
    view.SendMessage(WM_COMMAND, ID_LAYER_VISIBLE);
    EXPECT_EQ(Layer(id).visible, 0);
    EXPECT_EQ(view.redrawPending.load(), 1);
    view.SendMessage(WM_COMMAND, ID_LAYER_LOCKED);
    EXPECT_EQ(Layer(id).locked, 1);
    EXPECT_EQ(view.doc.layers.currentLocked, 1);
    ASSERT_TRUE(view.OnCmdMsg(ID_LAYER_LOCKED, CN_UPDATE_COMMAND_UI, &state, nullptr));
    EXPECT_EQ(state.checked, 1);
    // A locked layer is not deleted; unlocked it is, and the one below becomes current.
    view.SendMessage(WM_COMMAND, ID_LAYER_DELETE);
    EXPECT_EQ(LayerCount(), 2u);
    view.SendMessage(WM_COMMAND, ID_LAYER_LOCKED);
    view.SendMessage(WM_COMMAND, ID_LAYER_DUPLICATE);
    ASSERT_EQ(LayerCount(), 3u);
    EXPECT_TRUE(SamePixels(Layer(2).displayed, Layer(1).displayed));
    EXPECT_NE(Layer(2).serial, Layer(1).serial);
    view.SendMessage(WM_COMMAND, ID_LAYER_DELETE);
    EXPECT_EQ(LayerCount(), 2u);
    EXPECT_EQ(view.doc.layers.currentId, 1);
    EXPECT_EQ(host.refreshes, 6);

    // The background is neither locked nor deleted.
    view.doc.layers.currentId = 0;
    ASSERT_TRUE(view.OnCmdMsg(ID_LAYER_DELETE, CN_UPDATE_COMMAND_UI, &state, nullptr));
    EXPECT_FALSE(state.enabled);
    view.SendMessage(WM_COMMAND, ID_LAYER_LOCKED);
    view.SendMessage(WM_COMMAND, ID_LAYER_DELETE);
    EXPECT_EQ(LayerCount(), 2u);
    EXPECT_EQ(Layer(0).locked, 0);
}

TEST_F(LayerCommandsTest, ReorderingAtTheEndsOnlyRecomposesAndASwapUndoes)
{
    AddLayer(50, 50, 0, 0, RGB(255, 0, 0));
    AddLayer(50, 50, 20, 20, RGB(0, 255, 0));
    const CLayeredManage before = view.doc.layers;
    const int steps = view.doc.history.GetCount();
    struct Case {
        const char* name;
        int current;
        bool forward;
    };
    for (const Case& c : {Case{"forward at the top", 2, true}, Case{"backward at layer 1", 1, false}}) {
        view.doc.layers.currentId = c.current;
        view.redrawPending = 0;
        EXPECT_TRUE(c.forward ? view.BringLayerForward() : view.SendLayerBackward()) << c.name;
        EXPECT_EQ(view.redrawPending.load(), 1) << c.name;
        ExpectSameLayers(view.doc.layers, before, c.name);
        EXPECT_EQ(view.doc.layers.currentId, c.current) << c.name;
        EXPECT_EQ(view.doc.history.GetCount(), steps) << c.name;
    }
    view.doc.layers.currentId = 0;
    EXPECT_FALSE(view.BringLayerForward());
    EXPECT_FALSE(view.SendLayerBackward());

    view.doc.layers.currentId = 1;
    ASSERT_TRUE(view.BringLayerForward());
    EXPECT_EQ(view.doc.history.GetCount(), steps + 1);
    EXPECT_EQ(view.doc.layers.currentId, 2);
    EXPECT_EQ(view.doc.layers.layers[2].serial, before.layers[1].serial);
    view.Undo();
    ExpectSameLayers(view.doc.layers, before, "undone");
    EXPECT_EQ(view.doc.layers.currentId, 1);
    view.Redo();
    EXPECT_EQ(view.doc.layers.layers[2].serial, before.layers[1].serial);
    EXPECT_EQ(view.doc.layers.currentId, 2);
}

TEST_F(LayerCommandsTest, MaterialWiderThanAThirdIsFittedAndCentred)
{
    testsupport::TempFolder folder;
    // The canvas is 400 wide: a third is 133.
    struct Case {
        long width, height;
        int expectedWidth, expectedHeight;
    };
    const Case cases[] = {{133, 60, 133, 60}, {134, 60, 133, 59}, {100, 200, 100, 200}, {150, 300, 66, 133}};
    for (const Case& c : cases) {
        const std::wstring path = folder.At(L"m" + std::to_wstring(c.width) + L".png");
        ASSERT_TRUE(Plain(c.width, c.height, RGB(0, 0, 255)).SaveFile(path.c_str(), CXIMAGE_FORMAT_PNG));
        const size_t count = LayerCount();
        ASSERT_TRUE(view.AddMaterialLayer(path.c_str())) << c.width;
        ASSERT_EQ(LayerCount(), count + 1) << c.width;
        const CLayerInfo& layer = *view.doc.layers.GetCurrentLayer();
        EXPECT_EQ(layer.width, c.expectedWidth) << c.width;
        EXPECT_EQ(layer.height, c.expectedHeight) << c.width;
        EXPECT_EQ(static_cast<int>(layer.displayed.GetWidth()), c.expectedWidth) << c.width;
        EXPECT_FLOAT_EQ(layer.location.x, 100 + (400 - c.expectedWidth) * 0.5f) << c.width;
        EXPECT_FLOAT_EQ(layer.location.y, 50 + (300 - c.expectedHeight) * 0.5f) << c.width;
        EXPECT_EQ(view.doc.history.RecordAt(view.doc.history.position).action, HISTORY_ADD) << c.width;
    }
    EXPECT_FALSE(view.AddMaterialLayer(folder.At(L"missing.png").c_str()));
}

struct LayerFields {
    ZVPOINTF location, origin;
    int width, height, alpha, keep;
    float angle;
    CZVImage picture;
};

LayerFields OptionFieldsOf(const CLayerInfo& l)
{
    return {l.location, l.drawOrigin, l.width, l.height, l.alpha, l.keepAspect, l.angle, l.displayed};
}

void ExpectSameFields(const LayerFields& a, const LayerFields& b, const char* where)
{
    EXPECT_FLOAT_EQ(a.location.x, b.location.x) << where;
    EXPECT_FLOAT_EQ(a.location.y, b.location.y) << where;
    EXPECT_FLOAT_EQ(a.origin.x, b.origin.x) << where;
    EXPECT_EQ(a.width, b.width) << where;
    EXPECT_EQ(a.height, b.height) << where;
    EXPECT_EQ(a.alpha, b.alpha) << where;
    EXPECT_EQ(a.keep, b.keep) << where;
    EXPECT_FLOAT_EQ(a.angle, b.angle) << where;
    EXPECT_TRUE(SamePixels(a.picture, b.picture)) << where;
}

TEST_F(LayerCommandsTest, OptionsDialogPreviewsLiveCancelRestoresOkCommits)
{
    const int id = AddLayer(80, 40, 10, 20);
    const LayerFields before = OptionFieldsOf(Layer(id));
    const int steps = view.doc.history.GetCount();
    LayerFields seen;
    // Live changes, each shown on the layer while the dialog runs, then Cancel.
    ActOnDialog([&](HWND dialog) {
        Click(dialog, IDC_LAYER_KEEP_RATIO);
        Type(dialog, IDC_LAYER_WIDTH, L"160");
        Type(dialog, IDC_LAYER_OPACITY, L"40");
        Type(dialog, IDC_LAYER_ANGLE, L"90");
        Type(dialog, IDC_LAYER_X, L"30");
        seen = OptionFieldsOf(Layer(id));
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    view.OnLayerOptions();
    EXPECT_EQ(DialogsActedOn(), 1);
    EXPECT_EQ(seen.width, 160);
    EXPECT_EQ(seen.height, 80);   // the ratio kept
    EXPECT_EQ(seen.alpha, 102);
    EXPECT_EQ(seen.keep, 1);
    EXPECT_NEAR(seen.angle, 3.14159265 / 2, 1e-5);
    EXPECT_FLOAT_EQ(seen.location.x, 130.0f);
    ExpectSameFields(OptionFieldsOf(Layer(id)), before, "cancelled");
    EXPECT_EQ(view.doc.history.GetCount(), steps);

    // OK keeps the values and records one step.
    ActOnDialog([&](HWND dialog) {
        Type(dialog, IDC_LAYER_WIDTH, L"0");   // corrected to 1
        Type(dialog, IDC_LAYER_HEIGHT, L"30");
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    view.OnLayerOptions();
    EXPECT_EQ(Layer(id).width, 1);
    EXPECT_EQ(Layer(id).height, 30);
    EXPECT_EQ(view.doc.history.GetCount(), steps + 1);
    EXPECT_EQ(view.doc.history.RecordAt(steps).action, HISTORY_MODIFY);
}

TEST_F(LayerCommandsTest, RenameKeepsTheNameOnCancelAndTakesItOnOk)
{
    const int id = AddLayer(20, 20, 0, 0);
    const CStringW old = Layer(id).name;
    for (int button : {IDCANCEL, IDOK}) {
        std::wstring shown;
        ActOnDialog([&](HWND dialog) {
            wchar_t text[64] = {};
            ::GetDlgItemTextW(dialog, IDC_LAYER_NAME, text, 64);
            shown = text;
            Type(dialog, IDC_LAYER_NAME, L"Sky");
            ::PostMessageW(dialog, WM_COMMAND, button, 0);
        });
        host.refreshes = 0;
        view.SendMessage(WM_COMMAND, ID_LAYER_RENAME);
        EXPECT_EQ(shown, std::wstring(old)) << button;
        EXPECT_EQ(std::wstring(Layer(id).name), button == IDOK ? L"Sky" : std::wstring(old)) << button;
        EXPECT_EQ(host.refreshes, button == IDOK ? 1 : 0) << button;
    }
}

TEST_F(LayerCommandsTest, ConversionQuestionGuardsRasterOperations)
{
    const int id = AddLayer(40, 30, 0, 0);
    Layer(id).type = LAYER_TEXT;
    const CZVImage picture = Layer(id).displayed;
    AnswerBox(IDCANCEL);
    EXPECT_FALSE(view.EnsureImageLayer());
    EXPECT_EQ(DialogsActedOn(), 1);
    EXPECT_EQ(Layer(id).type, LAYER_TEXT);

    AnswerBox(IDOK);
    EXPECT_TRUE(view.EnsureImageLayer());
    EXPECT_EQ(Layer(id).type, LAYER_IMAGE);
    EXPECT_TRUE(SamePixels(Layer(id).displayed, picture));
    EXPECT_TRUE(SamePixels(Layer(id).source, picture));

    // A raster command asks first: Cancel leaves the text and its pixels, OK converts and runs.
    Layer(id).type = LAYER_TEXT;
    const int steps = view.doc.history.GetCount();
    AnswerBox(IDCANCEL);
    view.SendMessage(WM_COMMAND, 33092);   // horizontal gradient, 100 % to 0 %
    EXPECT_EQ(DialogsActedOn(), 1);
    EXPECT_EQ(Layer(id).type, LAYER_TEXT);
    EXPECT_TRUE(SamePixels(Layer(id).displayed, picture));
    EXPECT_EQ(view.doc.history.GetCount(), steps);
    AnswerBox(IDOK);
    view.SendMessage(WM_COMMAND, 33092);
    EXPECT_EQ(Layer(id).type, LAYER_IMAGE);
    ASSERT_TRUE(Layer(id).displayed.AlphaIsValid());
    EXPECT_EQ(Layer(id).displayed.GetPixelColor(0, 10, true).rgbReserved, 255);
    EXPECT_EQ(Layer(id).displayed.GetPixelColor(39, 10, true).rgbReserved, 0);
    EXPECT_EQ(view.doc.history.GetCount(), steps + 1);

    // An image layer, the background and a locked text layer pass without a question.
    Layer(id).type = LAYER_TEXT;
    Layer(id).locked = 1;
    ActOnDialog([](HWND box) { ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_TRUE(view.EnsureImageLayer());
    view.doc.layers.currentId = 0;
    EXPECT_TRUE(view.EnsureImageLayer());
    PumpFor(100);
    EXPECT_EQ(DialogsActedOn(), 0);
}

TEST_F(LayerCommandsTest, EditTextHandsTheLayerSettingsToNewTexts)
{
    const int id = AddLayer(40, 30, 0, 0);
    CLayerInfo& layer = Layer(id);
    layer.type = LAYER_TEXT;
    layer.wordArt.SetText(L"Hello");
    RecordingCmdUI state;
    ASSERT_TRUE(view.OnCmdMsg(ID_LAYER_EDIT_TEXT, CN_UPDATE_COMMAND_UI, &state, nullptr));
    EXPECT_TRUE(state.enabled);
    GetEditorAppState().defaultWordArt.SetText(L"");
    view.SendMessage(WM_COMMAND, ID_LAYER_EDIT_TEXT);
    EXPECT_EQ(std::wstring(GetEditorAppState().defaultWordArt.GetText()), L"Hello");
}

TEST_F(LayerCommandsTest, DeleteWithASelectionToolWhitensTheAreaAndKeepsLayers)
{
    for (int current : {1, 0}) {
        const int id = AddLayer(100, 80, 0, 0, RGB(0, 0, 0));
        view.doc.layers.currentId = current;
        if (current == 0)
            view.doc.GetBackgroundImage()->SetRectColor(RECT{0, 0, 400, 300}, CxImage::RGBtoRGBQUAD(RGB(0, 0, 0)));
        view.tool = 4;
        // Picture pixels 10..50 across, 20..40 down, of the layer at the canvas's top left.
        view.doc.pathPoints = {{110, 70}, {150, 70}, {150, 90}, {110, 90}, {110, 70}};
        const size_t count = LayerCount();
        EXPECT_FALSE(view.DeleteSelectionOrLayer()) << current;
        EXPECT_EQ(LayerCount(), count) << current;
        const CZVImage& p = current ? Layer(id).displayed : *view.doc.GetBackgroundImage();
        const long h = static_cast<long>(p.GetHeight());
        EXPECT_EQ(p.GetPixelColor(30, h - 1 - 30).rgbRed, 255) << current;
        EXPECT_EQ(p.GetPixelColor(5, h - 1 - 30).rgbRed, 0) << current;
        EXPECT_EQ(p.GetPixelColor(30, h - 1 - 60).rgbRed, 0) << current;
        EXPECT_TRUE(view.doc.pathPoints.empty()) << current;
        EXPECT_EQ(view.doc.history.RecordAt(view.doc.history.position).action, HISTORY_MODIFY) << current;
    }
    // Without a selection tool the current layer goes.
    view.tool = 0;
    view.doc.layers.currentId = 1;
    const size_t count = LayerCount();
    EXPECT_TRUE(view.DeleteSelectionOrLayer());
    EXPECT_EQ(LayerCount(), count - 1);
}

} // namespace
