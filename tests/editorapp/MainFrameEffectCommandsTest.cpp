// The editor frame's Adjust and Filters commands and "Transparent color..." over stand-in
// dialogs: which dialog opens with which start values, the undo step after Ok and none after
// Cancel, Edge and Emboss at once, and the locked layer that disables them all.
#include <gtest/gtest.h>
#include "SamePicturePixels.h"
#include <windows.h>
#include <cstring>
#include <vector>
#include "EditorDialogs.h"
#include "EffectCommandTable.h"
#include "EffectTables.h"
#include "LayerInfo.h"
#include "LumivoToolsApp.h"
#include "MainFrame.h"
#include "MainFrameIds.h"
#include "TestSupport.h"
#include "WindowTestApp.h"

namespace {

// Answers as told; an Ok leaves a mark in the current layer as a dialog's run would.
class FakeEffectDialogs : public EditorDialogs {
public:
    bool IsAvailable(EditorDialog kind) const override { return kind != unavailable; }
    DialogResult Effect(CPicEditView& view, EffectRecord& record) override
    {
        opened.push_back(record);
        if (answer != DialogResult::Ok)
            return answer;
        if (CLayerInfo* layer = view.doc.layers.GetCurrentLayer())
            layer->displayed.SetPixelColor(0, 0, RGBQUAD{1, 2, BYTE(++marks), 255});
        return answer;
    }
    DialogResult LayerRotate(CPicEditView&, LayerRotateRecord& record) override
    {
        layerAngles.push_back(record.angle);
        return answer;
    }
    DialogResult TextSheet(CPicEditView& view, TextSheetRecord& record) override
    {
        sheets.push_back(record.newText);
        sheetTool = view.tool;
        sheetInsert = view.doc.insertPoint;
        return answer;
    }
    DialogResult answer = DialogResult::Ok;
    EditorDialog unavailable = EditorDialog::TextSheet;
    std::vector<int> layerAngles;
    std::vector<bool> sheets;
    int sheetTool = -1;
    POINT sheetInsert = {-1, -1};
    std::vector<EffectRecord> opened;
    int marks = 0;   // each Ok leaves its own mark
};

class EnabledState : public CCmdUI {
public:
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        enabled = on != FALSE;
    }
    bool enabled = true;
};

class EffectCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        before = SetEditorDialogs(&dialogs);
        app = static_cast<CLumivoToolsApp*>(AfxGetApp());
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_EDITOR_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        app->m_pEditorFrame = frame;
        app->m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        PumpPending();
        ASSERT_TRUE(frame->OpenFileInEditor((testsupport::BinDir() + L"\\Data\\Sample\\Lakeside.jpg").c_str()));
        view = CMainFrame::ActiveEditView();
        ASSERT_NE(nullptr, view);
        original.Copy(Layer()->displayed);
    }
    void TearDown() override
    {
        while (CMDIChildWnd* child = frame->MDIGetActive())
            child->DestroyWindow();
        app->m_pMainWnd = nullptr;
        frame->DestroyWindow();
        app->m_pEditorFrame = nullptr;
        PumpPending();
        SetEditorDialogs(before);
    }
    CLayerInfo* Layer() { return view->doc.layers.GetCurrentLayer(); }
    int Steps() { return view->doc.history.GetCount(); }
    bool Enabled(UINT id)
    {
        EnabledState state;
        state.m_nID = id;
        frame->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        return state.enabled;
    }
    void Send(UINT id) { frame->SendMessage(WM_COMMAND, id); }

    FakeEffectDialogs dialogs;
    EditorDialogs* before = nullptr;
    CLumivoToolsApp* app = nullptr;
    CMainFrame* frame = nullptr;
    CPicEditView* view = nullptr;
    CZVImage original;
};

TEST_F(EffectCommandsTest, DialogCommandsOpenTheirDialogAndCommitOneStepAfterOkOnly)
{
    const struct {
        UINT id;
        EditorDialog kind;
        int index, value1, value2;
    } cases[] = {
        {33063, EditorDialog::EffectTwoOption, 0, 20, 0},     // Motion blur
        {33076, EditorDialog::EffectOneOption, 6, 10, 0},     // 3D frame
        {33056, EditorDialog::EffectProcessing, 0, 0, 0},     // Gray Scale keeps its Ok button
        {33072, EditorDialog::EffectSupernova, 0, 0, 0},
        {33058, EditorDialog::EffectThreshold, 0, 0, 0},
        {33087, EditorDialog::EffectTransparentColor, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_TRUE(Enabled(c.id));
        dialogs.opened.clear();
        dialogs.answer = DialogResult::Cancelled;
        const int steps = Steps();
        Send(c.id);
        ASSERT_EQ(dialogs.opened.size(), 1u);
        EXPECT_EQ(dialogs.opened[0].kind, c.kind);
        EXPECT_EQ(dialogs.opened[0].index, c.index);
        EXPECT_EQ(dialogs.opened[0].value1, c.value1);
        EXPECT_EQ(dialogs.opened[0].value2, c.value2);
        EXPECT_EQ(Steps(), steps);
        dialogs.answer = DialogResult::Ok;
        Send(c.id);
        EXPECT_EQ(Steps(), steps + 1);
    }
    // The transparent colour's step can be undone: the mark of the run before it comes back.
    const BYTE last = BYTE(dialogs.marks);
    EXPECT_EQ(Layer()->displayed.GetPixelColor(0, 0, false).rgbRed, last);
    Send(ID_EDIT_UNDO_STEP);
    EXPECT_EQ(Layer()->displayed.GetPixelColor(0, 0, false).rgbRed, last - 1);
}

TEST_F(EffectCommandsTest, EdgeAndEmbossRunAtOnceAsOneStepEach)
{
    for (UINT id : {33083u, 33084u}) {
        SCOPED_TRACE(id);
        const int position = view->doc.history.position;
        CZVImage was;
        was.Copy(Layer()->displayed);
        Send(id);
        EXPECT_TRUE(dialogs.opened.empty());
        EXPECT_EQ(view->doc.history.position, position + 1);
        EXPECT_FALSE(SamePicturePixels(Layer()->displayed, was));
        Send(ID_EDIT_UNDO_STEP);
        EXPECT_TRUE(SamePicturePixels(Layer()->displayed, was));
    }
}

TEST_F(EffectCommandsTest, ALockedLayerDisablesTheItemsAndIgnoresTheirCommands)
{
    Layer()->locked = 1;
    const int steps = Steps();
    for (UINT id : {33063u, 33056u, 33083u, 33084u, 33087u}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Enabled(id));
        Send(id);
    }
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_EQ(Steps(), steps);
    EXPECT_TRUE(SamePicturePixels(Layer()->displayed, original));
}

TEST_F(EffectCommandsTest, AnItemWithoutItsDialogIsDisabledAndTheSpareIdsDoNothing)
{
    dialogs.unavailable = EditorDialog::EffectTwoOption;
    EXPECT_FALSE(Enabled(33063));
    EXPECT_TRUE(Enabled(33064));
    Send(33063);
    for (UINT id : {33052u, 33054u, 33057u})
        Send(id);
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_TRUE(SamePicturePixels(Layer()->displayed, original));
}

// Every dialog row names an effect its dialog knows, and no id comes twice.
TEST(EffectCommandTable, RowsNameEffectsTheirDialogsKnow)
{
    size_t count = 0;
    const EffectCommand* rows = EffectCommands(count);
    for (size_t i = 0; i < count; ++i) {
        const EffectCommand& r = rows[i];
        SCOPED_TRACE(r.id);
        EXPECT_EQ(FindEffectCommand(r.id), &r);
        if (r.action != EffectCommandAction::Dialog)
            continue;
        if (r.kind == EditorDialog::EffectOneOption)
            EXPECT_NE(nullptr, BuildOneOptionEffect(r.index, r.value1));
        if (r.kind == EditorDialog::EffectTwoOption)
            EXPECT_NE(nullptr, BuildTwoOptionEffect(r.index, r.value1, r.value2));
        if (r.kind == EditorDialog::EffectProcessing)
            EXPECT_NE(nullptr, BuildProcessingEffect(r.index, ProcessingValues()));
    }
    EXPECT_EQ(FindEffectCommand(33085), nullptr);
}

TEST_F(EffectCommandsTest, RotateTurnsTheBackgroundOrTheLayerInTheirOwnDialog)
{
    dialogs.opened.clear();
    const int steps = Steps();
    Send(ID_IMAGE_ROTATE);
    ASSERT_EQ(dialogs.opened.size(), 1u);
    EXPECT_EQ(dialogs.opened[0].kind, EditorDialog::RotatePicture);
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_TRUE(dialogs.layerAngles.empty());

    view->DuplicateLayerImage();
    ASSERT_NE(0, Layer()->type);
    Layer()->angle = 3.14159265f / 2;
    const int layerSteps = Steps();
    dialogs.answer = DialogResult::Cancelled;
    Send(ID_IMAGE_ROTATE);
    EXPECT_EQ(dialogs.layerAngles, std::vector<int>{90});
    EXPECT_EQ(Steps(), layerSteps);
    EXPECT_EQ(dialogs.opened.size(), 1u);   // no picture rotation for a layer
    // Turned by the mouse to 359.4 degrees: the dialog opens inside its range (360 with 3.14).
    Layer()->angle = float(359.4 * 3.14159265358979 / 180.0);
    Send(ID_IMAGE_ROTATE);
    EXPECT_EQ(dialogs.layerAngles, (std::vector<int>{90, 359}));
    Layer()->locked = 1;
    Send(ID_IMAGE_ROTATE);
    EXPECT_EQ(dialogs.layerAngles.size(), 2u);
}

TEST_F(EffectCommandsTest, TextToolRunsTheSheetForANewTextAtTheCanvasCornerThenThePointer)
{
    dialogs.unavailable = EditorDialog::EffectBlinds;
    view->DuplicateLayerImage();
    Send(ID_TOOL_TEXT_COMMAND);
    EXPECT_EQ(dialogs.sheets, std::vector<bool>{true});
    EXPECT_EQ(dialogs.sheetTool, 2);
    EXPECT_EQ(dialogs.sheetInsert.x, view->doc.canvasRect.left);
    EXPECT_EQ(dialogs.sheetInsert.y, view->doc.canvasRect.top);
    EXPECT_EQ(view->tool, 3);
    EXPECT_EQ(view->doc.layers.currentId, 0);
}

} // namespace
