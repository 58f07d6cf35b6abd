// The canvas and layer dialogs driven through their controls from inside their modal loops: the
// expand dialog's modes, anchors and kept ratio, the grid's presets and typed sizes, the export
// type, the layer rotate dialog's locked layer, dial and presets, the options dialog's preview
// and exact restore, the shadow's preview, and the rename, save-changes and shape-to-page
// dialogs.
#include <cmath>
#include "CanvasDialogsIds.h"
#include "DlgEditorExpand.h"
#include "DlgEditorExportLayer.h"
#include "DlgEditorGrid.h"
#include "DlgEditorInsertNewBG.h"
#include "DlgEditorLayerOptions.h"
#include "DlgEditorLayerRotate.h"
#include "DlgEditorRenLayer.h"
#include "DlgSaveChanges.h"
#include "DlgShadowOption.h"
#include "LayerDialogsIds.h"
#include "LayerInfo.h"
#include "NewPictureTest.h"
#include "PicEditView.h"
#include "SaveDialogsIds.h"
#include "ShadowOptionIds.h"
#include "ToolHost.h"
#include "ZVUILibApp.h"

using namespace newpicturetest;

namespace {

template <class Dialog>
int RunWith(Dialog& dialog, const std::function<void(HWND)>& steps, int press = IDOK)
{
    ActOnDialog([&](HWND window) {
        steps(window);
        if (press)
            Click(window, press);
    });
    const INT_PTR result = dialog.DoModal();
    EXPECT_TRUE(DialogActDone());
    return int(result);
}

bool AllEnabled(HWND dialog, const std::vector<int>& ids, bool enabled)
{
    for (int id : ids)
        if (Enabled(dialog, id) != enabled)
            return false;
    return true;
}

// A real click on a radio or check box (it changes its own state, then tells the dialog).
void Press(HWND dialog, int id)
{
    ::SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}

void SendScroll(HWND dialog, int id, int code, int pos)
{
    HWND control = ::GetDlgItem(dialog, id);
    ::SendMessageW(control, TBM_SETPOS, TRUE, pos);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(control));
}

} // namespace

TEST(DlgEditorExpand, ModesEnableTheirControlsAndTheOthersGreyOut)
{
    CDlgEditorExpand dialog;
    dialog.m_width = dialog.m_newWidth = 100;
    dialog.m_height = dialog.m_newHeight = 50;
    bool opened = false, sides = false, back = false, checkedSides = false;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        opened = Checked(w, IDC_EXPAND_BY_SIZE) && AllEnabled(w, ExpandSizeControls(), true) &&
                 AllEnabled(w, ExpandMarginControls(), false);
        Click(w, IDC_EXPAND_BY_SIDES);
        checkedSides = Checked(w, IDC_EXPAND_BY_SIDES) && !Checked(w, IDC_EXPAND_BY_SIZE);
        sides = AllEnabled(w, ExpandSizeControls(), false) && AllEnabled(w, ExpandMarginControls(), true);
        Type(w, IDC_EXPAND_LEFT, L"7");
        Click(w, IDC_EXPAND_BY_SIZE);
        back = AllEnabled(w, ExpandSizeControls(), true) && AllEnabled(w, ExpandMarginControls(), false);
        Click(w, IDC_EXPAND_BY_SIDES);
    }), IDOK);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(sides);
    EXPECT_TRUE(checkedSides);
    EXPECT_TRUE(back);
    EXPECT_EQ(dialog.m_mode, 0);
    EXPECT_EQ(dialog.m_left, 7);
    EXPECT_EQ(dialog.m_right, 10);
}

TEST(DlgEditorExpand, KeptRatioFollowsAndArrowKeysWalkTheAnchors)
{
    CDlgEditorExpand dialog;
    dialog.m_width = dialog.m_newWidth = 100;
    dialog.m_height = dialog.m_newHeight = 50;
    std::wstring followed, zeroWidth, zeroHeight;
    int afterKeys = -1;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        Type(w, IDC_EXPAND_WIDTH, L"300");
        followed = ItemText(w, IDC_EXPAND_HEIGHT);
        Type(w, IDC_EXPAND_WIDTH, L"0");
        zeroWidth = ItemText(w, IDC_EXPAND_WIDTH);
        zeroHeight = ItemText(w, IDC_EXPAND_HEIGHT);
        Type(w, IDC_EXPAND_WIDTH, L"240");
        // From the centre: left, up, then right twice (the second stays at the edge).
        ::SetFocus(::GetDlgItem(w, IDC_EXPAND_ANCHOR_FIRST + 4));
        for (UINT key : {VK_LEFT, VK_UP, VK_RIGHT, VK_RIGHT, VK_RIGHT})
            ::PostMessageW(::GetFocus(), WM_KEYDOWN, key, 0);
        PumpUntil([&] { return dialog.m_anchor == 2; }, 2000);
        afterKeys = dialog.m_anchor;
        Click(w, IDC_EXPAND_ANCHOR_FIRST + 8);
    }), IDOK);
    EXPECT_EQ(followed, L"150");
    EXPECT_EQ(zeroWidth, L"1");
    EXPECT_EQ(zeroHeight, L"1");
    EXPECT_EQ(afterKeys, 2);
    EXPECT_EQ(dialog.m_anchor, 8);
    EXPECT_EQ(dialog.m_mode, 1);
    EXPECT_EQ(dialog.m_newWidth, 240);
    EXPECT_EQ(dialog.m_newHeight, 120);
}

TEST(DlgEditorExpand, ZeroHighCanvasKeepsNoRatio)
{
    CDlgEditorExpand dialog;
    dialog.m_width = dialog.m_newWidth = 100;
    dialog.m_height = dialog.m_newHeight = 0;
    std::wstring height;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        Type(w, IDC_EXPAND_WIDTH, L"300");
        height = ItemText(w, IDC_EXPAND_HEIGHT);
    }, IDCANCEL), IDCANCEL);
    EXPECT_EQ(dialog.m_ratio, 0.0f);
    EXPECT_EQ(height, L"1");   // only the correction to 1, no division
}

TEST(DlgEditorGrid, DividePresetKeepsItsExactCellAndTypingResetsIt)
{
    CDlgEditorGrid dialog;
    dialog.m_canvasWidth = 1000;
    dialog.m_canvasHeight = 700;
    dialog.m_preset = 0;
    dialog.m_gridWidth = dialog.m_gridHeight = 50;
    std::vector<std::wstring> items;
    std::wstring width, height;
    float exactAfterPreset = 0, exactAfterTyping = -1;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        items = ComboItems(w, IDC_GRID_PRESET);
        Choose(w, IDC_GRID_PRESET, 10);
        width = ItemText(w, IDC_GRID_WIDTH);
        height = ItemText(w, IDC_GRID_HEIGHT);
        exactAfterPreset = dialog.m_exactWidth;
        Type(w, IDC_GRID_WIDTH, L"40");
        exactAfterTyping = dialog.m_exactWidth;
    }), IDOK);
    ASSERT_EQ(items.size(), 16u);
    EXPECT_EQ(items[0], L"Square 50");
    EXPECT_EQ(items[10], L"Divide 9");
    EXPECT_EQ(items[15], L"Divide 100");
    EXPECT_EQ(width, L"333");
    EXPECT_EQ(height, L"233");
    EXPECT_FLOAT_EQ(exactAfterPreset, 1000.0f / 3);
    EXPECT_EQ(exactAfterTyping, 0.0f);
    EXPECT_EQ(dialog.m_exactHeight, 0.0f);
    EXPECT_EQ(dialog.m_gridWidth, 40);
    EXPECT_EQ(dialog.m_gridHeight, 233);
    EXPECT_EQ(dialog.m_preset, 10);
}

TEST(DlgEditorGrid, BigCanvasShowsTheComputedCellUnclamped)
{
    CDlgEditorGrid dialog;
    dialog.m_canvasWidth = 6000;
    dialog.m_canvasHeight = 4500;
    std::wstring width;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        Choose(w, IDC_GRID_PRESET, 10);
        width = ItemText(w, IDC_GRID_WIDTH);
    }), IDOK);
    EXPECT_EQ(width, L"2000");
    EXPECT_EQ(dialog.m_gridWidth, 2000);
    EXPECT_EQ(dialog.m_gridHeight, 1500);
    EXPECT_FLOAT_EQ(dialog.m_exactWidth, 2000.0f);
}

TEST(DlgEditorExportLayer, ChosenRadioIsTheTypeAndTheFilterIsTranslated)
{
    CDlgEditorExportLayer dialog;
    bool pngFirst = false;
    std::wstring okText;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        pngFirst = Checked(w, IDC_EXPORT_PNG);
        okText = ItemText(w, IDOK);
        Press(w, IDC_EXPORT_WEBP);
    }), IDOK);
    EXPECT_TRUE(pngFirst);
    EXPECT_EQ(okText, TranslateString(L"Export"));
    EXPECT_EQ(dialog.m_type, 6);
    EXPECT_EQ(ExportTypeToImageFormat(dialog.m_type), 21);
    const CString expected = CString(L"WEBP ") + TranslateString(L"files") + L"(*.webp)|*.webp||";
    EXPECT_STREQ(CDlgEditorExportLayer::GetFileFilter(6).GetString(), expected.GetString());
    EXPECT_TRUE(CDlgEditorExportLayer::GetFileFilter(7).IsEmpty());
}

TEST(DlgEditorInsertNewBG, KeepsTheCallersColourThroughOk)
{
    CDlgEditorInsertNewBG dialog;
    dialog.m_color = RGB(10, 20, 30);
    std::wstring label;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) { label = ItemText(w, IDC_NEW_BG_LABEL); }), IDOK);
    EXPECT_EQ(label, L"Color");
    EXPECT_EQ(dialog.m_color, RGB(10, 20, 30));
}

// A frame registered as the editor's host, with one edit view: a 60 x 40 background and a
// 20 x 10 layer above it.
class LayerDialogTest : public ::testing::Test {
protected:
    class CHostFrame : public CFrameWnd {
    public:
        CPicEditView view;
    };
    static CPicEditView* HostView(CWnd* frame) { return &static_cast<CHostFrame*>(frame)->view; }

    void SetUp() override
    {
        RegisterToolHostFrame(RUNTIME_CLASS(CFrameWnd), ToolHostKind::Editor, HostView);
        frame = new CHostFrame;
        ASSERT_TRUE(frame->Create(nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 60, 740, 560)));
        AfxGetApp()->m_pMainWnd = frame;
        ASSERT_TRUE(View().CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400,
                                    frame->m_hWnd, nullptr));
        View().UpdateClientRect();
        CZVImage background, layer;
        background.Create(60, 40, 24);
        layer.Create(20, 10, 24);
        ASSERT_TRUE(View().doc.OpenImage(background));
        ASSERT_TRUE(View().doc.AddImageLayer(layer, FALSE));
        View().doc.layers.currentId = 1;
        View().KillTimer(CLayeredViewWnd::kRedrawTimer);
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        UnregisterToolHostFrame(RUNTIME_CLASS(CFrameWnd));
        PumpPending();
    }
    CPicEditView& View() { return frame->view; }
    CLayerInfo& Layer() { return *View().doc.layers.GetLayer(1); }

    CHostFrame* frame = nullptr;
};

TEST_F(LayerDialogTest, RotateClosesAtOnceOnALockedLayer)
{
    Layer().locked = 1;
    CDlgEditorLayerRotate dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(Layer().angle, 0.0f);
}

TEST_F(LayerDialogTest, RotateDialPreviewsOnlyOnThumbPositionAndPresetsAreExact)
{
    CDlgEditorLayerRotate dialog;
    float dragging = -1, released = -1, preset = -1;
    std::vector<std::wstring> presets;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        presets = ComboItems(w, IDC_ROTATE_PRESET);
        SendScroll(w, IDC_ROTATE_DIAL, SB_THUMBTRACK, 40);
        dragging = Layer().angle;
        SendScroll(w, IDC_ROTATE_DIAL, SB_THUMBPOSITION, 40);
        released = Layer().angle;
        Choose(w, IDC_ROTATE_PRESET, 4);
        preset = Layer().angle;
    }), IDOK);
    ASSERT_EQ(presets.size(), 7u);
    EXPECT_EQ(presets[4], L"90\u00B0");
    EXPECT_EQ(dragging, 0.0f);
    EXPECT_FLOAT_EQ(released, static_cast<float>(40 * 3.14159265358979323846 / 180));
    EXPECT_EQ(preset, static_cast<float>(3.14159265358979323846 / 2));
    EXPECT_EQ(dialog.m_angle, 90);
}

TEST_F(LayerDialogTest, OptionsPreviewOnTheLayerAndCancelRestoresItExactly)
{
    CLayerDocument& doc = View().doc;
    Layer().alpha = 201;   // no whole percentage gives it back
    Layer().angle = 0.3f;
    doc.zoom = 0.5f;
    const CLayerInfo before(Layer());
    CDlgEditorLayerOptions dialog;
    dialog.m_width = dialog.m_layerWidth = 20;
    dialog.m_height = dialog.m_layerHeight = 10;
    dialog.m_opacity = doc.GetCurrentLayerOpacity();
    dialog.m_angle = 17;
    dialog.m_keepRatio = TRUE;
    dialog.m_document = &doc;
    dialog.m_onPreview = [&] { View().PreviewLayerOptions(dialog); };
    int restored = 0;
    dialog.m_onRestored = [&] { ++restored; };
    struct Seen {
        int alpha, width, height;
        float angle, x;
    } seen = {};
    std::wstring followed;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        Type(w, IDC_LAYER_OPACITY, L"50");
        Type(w, IDC_LAYER_ANGLE, L"30");
        Type(w, IDC_LAYER_WIDTH, L"40");
        followed = ItemText(w, IDC_LAYER_HEIGHT);
        Type(w, IDC_LAYER_X, L"100");
        seen = {Layer().alpha, Layer().width, Layer().height, Layer().angle, Layer().location.x};
    }, IDCANCEL), IDCANCEL);
    EXPECT_EQ(seen.alpha, 128);
    EXPECT_EQ(seen.width, 40);
    EXPECT_EQ(seen.height, 20);
    EXPECT_EQ(followed, L"20");
    EXPECT_EQ(seen.angle, static_cast<float>(30 * 3.14159265358979323846 / 180));
    EXPECT_FLOAT_EQ(seen.x, doc.canvasRect.left + 0.5f * 100);
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(Layer().alpha, before.alpha);
    EXPECT_EQ(Layer().width, before.width);
    EXPECT_EQ(Layer().height, before.height);
    EXPECT_EQ(Layer().angle, before.angle);
    EXPECT_EQ(Layer().location.x, before.location.x);
    EXPECT_EQ(Layer().location.y, before.location.y);
    EXPECT_EQ(Layer().keepAspect, before.keepAspect);
}

TEST_F(LayerDialogTest, OptionsWidthZeroWithKeptRatioBecomesOneAndHeightFollows)
{
    CDlgEditorLayerOptions dialog;
    dialog.m_width = dialog.m_layerWidth = 20;
    dialog.m_height = dialog.m_layerHeight = 10;
    dialog.m_keepRatio = TRUE;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) { Type(w, IDC_LAYER_WIDTH, L"0"); }), IDOK);
    EXPECT_EQ(dialog.m_width, 1);
    EXPECT_EQ(dialog.m_height, 1);
}

TEST_F(LayerDialogTest, ShadowPreviewWritesAllButTheDistance)
{
    Layer().shadowDistance = 77;
    CDlgShadowOption dialog;
    dialog.m_distance = 30;
    dialog.m_previewDocument = &View().doc;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        SendScroll(w, IDC_SHADOW_ANGLE, SB_THUMBPOSITION, 45);
        Type(w, IDC_SHADOW_OPACITY, L"50");
    }, IDCANCEL), IDCANCEL);
    EXPECT_EQ(Layer().shadowOn, 1);
    EXPECT_EQ(Layer().shadowAngle, 45);
    EXPECT_EQ(Layer().shadowOffsetX, -14);
    EXPECT_EQ(Layer().shadowOffsetY, 15);
    EXPECT_EQ(Layer().shadowColour.rgbReserved, 128);   // 50 % as in the other opacity fields
    EXPECT_EQ(Layer().shadowDistance, 77);
}

TEST_F(LayerDialogTest, ShadowPreviewLeavesALockedLayerAlone)
{
    Layer().locked = 1;
    const CLayerInfo before(Layer());
    CDlgShadowOption dialog;
    dialog.m_previewDocument = &View().doc;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        SendScroll(w, IDC_SHADOW_ANGLE, SB_THUMBPOSITION, 90);
        Click(w, IDC_SHADOW_ON);
    }, IDCANCEL), IDCANCEL);
    EXPECT_EQ(Layer().shadowOn, before.shadowOn);
    EXPECT_EQ(Layer().shadowAngle, before.shadowAngle);
    EXPECT_EQ(Layer().shadowOffsetX, before.shadowOffsetX);
    EXPECT_EQ(Layer().shadowOffsetY, before.shadowOffsetY);
}

TEST(LayerDialogs, RenameGivesTheEditedNameOnOkOnly)
{
    for (int press : {IDOK, IDCANCEL}) {
        CDlgEditorRenLayer dialog;
        dialog.m_name = L"Layer 1";
        std::wstring shown;
        EXPECT_EQ(RunWith(dialog, [&](HWND w) {
            shown = ItemText(w, IDC_LAYER_NAME);
            Type(w, IDC_LAYER_NAME, L"Sky");
        }, press), press);
        EXPECT_EQ(shown, L"Layer 1");
        EXPECT_STREQ(dialog.m_name.GetString(), press == IDOK ? L"Sky" : L"Layer 1");
    }
}

TEST(LayerDialogs, SaveChangesCheckBoxTogglesByItsOwnClick)
{
    CDlgSaveChanges dialog;
    bool once = false, twice = true;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        Click(w, IDC_SAVE_DONT_ASK);
        once = Checked(w, IDC_SAVE_DONT_ASK);
        Click(w, IDC_SAVE_DONT_ASK);
        twice = Checked(w, IDC_SAVE_DONT_ASK);
        Click(w, IDC_SAVE_DONT_ASK);
        Press(w, IDC_SAVE_NEW_NAME);
    }), IDOK);
    EXPECT_TRUE(once);
    EXPECT_FALSE(twice);
    EXPECT_TRUE(dialog.m_dontAsk);
    EXPECT_EQ(dialog.m_choice, 1);
    CDlgSaveChanges cancelled;
    EXPECT_EQ(RunWith(cancelled, [&](HWND) {}, IDCANCEL), IDCANCEL);
}

TEST(LayerDialogs, ShapeToPageShowsThePictureOfItsTarget)
{
    CDlgExportShapeToPage dialog;
    bool sceneFirst = false, templateHiddenFirst = false, templateShown = false, sceneHidden = false;
    EXPECT_EQ(RunWith(dialog, [&](HWND w) {
        sceneFirst = ::IsWindowVisible(::GetDlgItem(w, IDC_SHAPE_SCENE_PICTURE)) != FALSE;
        templateHiddenFirst = !::IsWindowVisible(::GetDlgItem(w, IDC_SHAPE_TEMPLATE_PICTURE));
        Press(w, IDC_SHAPE_TO_TEMPLATE);
        templateShown = ::IsWindowVisible(::GetDlgItem(w, IDC_SHAPE_TEMPLATE_PICTURE)) != FALSE;
        sceneHidden = !::IsWindowVisible(::GetDlgItem(w, IDC_SHAPE_SCENE_PICTURE));
        Press(w, IDC_SHAPE_ALPHA);
    }), IDOK);
    EXPECT_TRUE(sceneFirst);
    EXPECT_TRUE(templateHiddenFirst);
    EXPECT_TRUE(templateShown);
    EXPECT_TRUE(sceneHidden);
    EXPECT_EQ(dialog.m_target, 1);
    EXPECT_TRUE(dialog.m_alpha);
    EXPECT_FALSE(dialog.m_runPages);
}
