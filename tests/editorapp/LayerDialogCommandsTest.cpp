// The editor frame's canvas and layer dialog commands over a picture view, with a fake set of
// dialogs in place: the canvas grown at an anchor in a colour or transparent, the grid's cell,
// a new background, the export written and read back (and its failure told), the rotation and
// the options put back exactly on Cancel, the rename, and the commands of missing dialogs.
#include <cstring>
#include <functional>
#include "CxImage.h"
#include "EditorDialogs.h"
#include "LayerInfo.h"
#include "MainFrameIds.h"
#include "MainFrameLayerDialogs.h"
#include "PicEditView.h"
#include "TestSupport.h"
#include "WindowTestApp.h"
#include <gtest/gtest.h>
#include "SamePicturePixels.h"

namespace {

// Answers each dialog with what the test put in; counts the calls.
class FakeDialogs : public EditorDialogs {
public:
    bool IsAvailable(EditorDialog) const override { return true; }
    DialogResult CanvasSize(CWnd*, CanvasSizeRecord& r) override
    {
        seenCanvas = r;
        r.newWidth = canvas.newWidth, r.newHeight = canvas.newHeight, r.marginMode = canvas.marginMode;
        r.anchor = canvas.anchor, r.border = canvas.border, r.transparent = canvas.transparent;
        r.left = canvas.left, r.right = canvas.right, r.top = canvas.top, r.bottom = canvas.bottom;
        return result;
    }
    DialogResult Grid(CWnd*, GridRecord& r) override
    {
        r = grid;
        return result;
    }
    DialogResult NewBackground(CWnd*, NewBackgroundRecord& r) override
    {
        r.color = background;
        return result;
    }
    DialogResult ExportLayer(CWnd*, ExportLayerRecord& r) override
    {
        r.type = exportType;
        return result;
    }
    DialogResult LayerOptions(CPicEditView& view, LayerOptionsRecord& r) override
    {
        seenOptions = r;
        if (preview)
            preview(view);
        return result;
    }
    DialogResult LayerRotate(CPicEditView& view, LayerRotateRecord&) override
    {
        if (preview)
            preview(view);
        return result;
    }
    DialogResult RenameLayer(CWnd*, RenameLayerRecord& r) override
    {
        seenName = r.name;
        r.name = newName;
        return result;
    }

    DialogResult result = DialogResult::Ok;
    CanvasSizeRecord canvas, seenCanvas;
    GridRecord grid;
    COLORREF background = RGB(255, 255, 255);
    int exportType = 0;
    LayerOptionsRecord seenOptions;
    std::function<void(CPicEditView&)> preview;
    std::wstring newName, seenName;
};

CZVImage Filled(int width, int height, RGBQUAD colour)
{
    CZVImage p;
    p.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.SetPixelColor(x, y, colour);
    return p;
}

const RGBQUAD kBlue = {200, 0, 0, 0};
const RGBQUAD kGreen = {0, 180, 0, 0};

// A 60 x 40 blue background with a 20 x 10 green layer above it, current.
class LayerDialogCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        before = SetEditorDialogs(&dialogs);
        ASSERT_TRUE(view.CreateEx(0, nullptr, L"picture", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 600, 400, nullptr, nullptr));
        view.UpdateClientRect();
        ASSERT_TRUE(view.OpenImage(Filled(60, 40, kBlue)));
        ASSERT_TRUE(view.doc.AddImageLayer(Filled(20, 10, kGreen), FALSE));
        view.doc.layers.currentId = 1;
        commands.chooseExportPath = [this](CWnd*, int type, CString& path) {
            chosenType = type;
            path = exportPath.c_str();
            return !exportPath.empty();
        };
        commands.tell = [this](const CString& text) { told = static_cast<const wchar_t*>(text); };
    }
    void TearDown() override
    {
        SetEditorDialogs(before);
        if (view.m_hWnd)
            view.DestroyWindow();
    }
    void Run(UINT id) { commands.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
    CLayerInfo& Background() { return *view.doc.layers.GetLayer(0); }
    CLayerInfo& Upper() { return *view.doc.layers.GetLayer(1); }

    FakeDialogs dialogs;
    EditorDialogs* before = nullptr;
    CPicEditView view;
    CLayerDialogCommands commands{[this] { return &view; }};
    std::wstring exportPath, told;
    int chosenType = -1;
};

bool IsColour(const CZVImage& p, long x, long topDownY, RGBQUAD c)
{
    // The library's rows run from the bottom.
    const RGBQUAD got = p.GetPixelColor(x, long(p.GetHeight()) - 1 - topDownY, false);
    return got.rgbRed == c.rgbRed && got.rgbGreen == c.rgbGreen && got.rgbBlue == c.rgbBlue;
}

TEST_F(LayerDialogCommandsTest, CanvasSizeAtBottomRightAddsRedMarginsTopAndLeftInOneUndoStep)
{
    dialogs.canvas.newWidth = 80;
    dialogs.canvas.newHeight = 50;
    dialogs.canvas.marginMode = 1;
    dialogs.canvas.anchor = 8;
    dialogs.canvas.border = RGB(255, 0, 0);
    const int steps = view.doc.history.GetCount();
    Run(ID_IMAGE_CANVAS_SIZE);
    EXPECT_EQ(dialogs.seenCanvas.width, 60);
    EXPECT_EQ(dialogs.seenCanvas.height, 40);
    EXPECT_FALSE(dialogs.seenCanvas.hasAlpha);
    const CZVImage& p = Background().displayed;
    ASSERT_EQ(p.GetWidth(), 80u);
    ASSERT_EQ(p.GetHeight(), 50u);
    const RGBQUAD red = {0, 0, 255, 0};
    EXPECT_TRUE(IsColour(p, 0, 0, red));     // top left
    EXPECT_TRUE(IsColour(p, 19, 49, red));   // left margin, bottom row
    EXPECT_TRUE(IsColour(p, 79, 9, red));    // top margin, right column
    EXPECT_TRUE(IsColour(p, 20, 10, kBlue)); // the picture starts after the margins
    EXPECT_TRUE(IsColour(p, 79, 49, kBlue));
    EXPECT_EQ(Background().width, 80);
    EXPECT_EQ(view.doc.docWidth, 80);
    EXPECT_EQ(view.doc.history.GetCount(), steps + 1);
    EXPECT_EQ(view.doc.layers.currentId, 1);
}

TEST_F(LayerDialogCommandsTest, CanvasSizeWithAutomaticTransparencyLeavesTransparentMargins)
{
    dialogs.canvas.marginMode = 0;
    dialogs.canvas.left = 5, dialogs.canvas.top = 0, dialogs.canvas.right = 0, dialogs.canvas.bottom = 7;
    dialogs.canvas.transparent = true;
    Run(ID_IMAGE_CANVAS_SIZE);
    const CZVImage& p = Background().displayed;
    ASSERT_EQ(p.GetWidth(), 65u);
    ASSERT_EQ(p.GetHeight(), 47u);
    ASSERT_TRUE(p.AlphaIsValid());
    EXPECT_EQ(p.AlphaGet(0, 46), 0);    // left margin, top row
    EXPECT_EQ(p.AlphaGet(64, 0), 0);    // bottom margin
    EXPECT_EQ(p.AlphaGet(10, 20), 255); // the picture
}

TEST_F(LayerDialogCommandsTest, CancelledCanvasSizeLeavesTheBackgroundCurrentAndUnchanged)
{
    dialogs.result = DialogResult::Cancelled;
    dialogs.canvas.newWidth = 10;
    Run(ID_IMAGE_CANVAS_SIZE);
    EXPECT_EQ(Background().displayed.GetWidth(), 60u);
    EXPECT_EQ(view.doc.layers.currentId, 0);
}

TEST_F(LayerDialogCommandsTest, GridTakesTheExactCellOrTheTypedOneOfAtLeastAPixel)
{
    const struct {
        float exact;
        int pixels;
        float expected;
    } cases[] = {{1000.0f / 3, 333, 1000.0f / 3}, {0.0f, 40, 40.0f}, {0.0f, 0, 1.0f}};
    for (const auto& c : cases) {
        dialogs.grid.cellWidth = dialogs.grid.cellHeight = c.exact;
        dialogs.grid.cellWidthPixels = dialogs.grid.cellHeightPixels = c.pixels;
        dialogs.grid.option = 10;
        Run(ID_VIEW_GRID_WIDTH);
        EXPECT_FLOAT_EQ(view.doc.gridCellWidth, c.expected) << c.pixels;
        EXPECT_FLOAT_EQ(view.doc.gridCellHeight, c.expected) << c.pixels;
        EXPECT_EQ(view.doc.canvasSpare, 10);
    }
}

TEST_F(LayerDialogCommandsTest, NewBackgroundGoesUnderTheLayersInItsColour)
{
    dialogs.background = RGB(0, 0, 255);
    Run(ID_LAYER_NEW_BACKGROUND);
    ASSERT_EQ(view.doc.layers.layers.size(), 3u);
    EXPECT_TRUE(IsColour(Background().displayed, 0, 0, RGBQUAD{255, 0, 0, 0}));
    EXPECT_EQ(view.currentChanged, 1);
}

TEST_F(LayerDialogCommandsTest, ExportAsWebpWritesAFileThatReadsBackAtTheLayersSize)
{
    TempFolder folder;
    exportPath = folder.At(L"layer.webp");
    dialogs.exportType = 6;
    Run(ID_LAYER_EXPORT);
    EXPECT_EQ(chosenType, 6);
    EXPECT_TRUE(told.empty());
    CZVImage back;
    ASSERT_TRUE(back.Load(exportPath.c_str(), CXIMAGE_FORMAT_WEBP));
    EXPECT_EQ(back.GetWidth(), 20u);
    EXPECT_EQ(back.GetHeight(), 10u);
}

TEST_F(LayerDialogCommandsTest, ExportThatCannotBeWrittenSaysSoNamingTheFile)
{
    TempFolder folder;
    exportPath = folder.At(L"missing\\layer.png");
    Run(ID_LAYER_EXPORT);
    EXPECT_NE(told.find(exportPath), std::wstring::npos) << told;
}

TEST_F(LayerDialogCommandsTest, OptionsCancelLeavesTheLayerPixelForPixel)
{
    Upper().alpha = 201;
    view.doc.zoom = 0.5f;
    const CLayerInfo saved(Upper());
    dialogs.result = DialogResult::Cancelled;
    dialogs.preview = [](CPicEditView& v) {
        v.SetLayerOptions(60, 40, 20);
        v.SetSelectedLayerAngle(30);
        v.doc.SetCurrentLayerLocation(3.0f, 4.0f);
        v.doc.SetCurrentLayerKeepAspect(TRUE);
    };
    Run(ID_LAYER_OPTIONS_DIALOG);
    EXPECT_EQ(dialogs.seenOptions.opacity, 79);
    EXPECT_EQ(dialogs.seenOptions.width, 20);
    EXPECT_EQ(Upper().alpha, 201);
    EXPECT_EQ(Upper().width, saved.width);
    EXPECT_EQ(Upper().height, saved.height);
    EXPECT_EQ(Upper().angle, saved.angle);
    EXPECT_EQ(Upper().location.x, saved.location.x);
    EXPECT_EQ(Upper().location.y, saved.location.y);
    EXPECT_EQ(Upper().keepAspect, saved.keepAspect);
    EXPECT_TRUE(SamePicturePixels(Upper().displayed, saved.displayed));
}

TEST_F(LayerDialogCommandsTest, RotateCommitsOnOkAndTurnsBackOnCancel)
{
    dialogs.preview = [](CPicEditView& v) { v.SetSelectedLayerAngle(90); };
    dialogs.result = DialogResult::Cancelled;
    Run(ID_LAYER_ROTATE_DIALOG);
    EXPECT_EQ(Upper().angle, 0.0f);
    const int steps = view.doc.history.GetCount();
    dialogs.result = DialogResult::Ok;
    Run(ID_LAYER_ROTATE_DIALOG);
    EXPECT_EQ(Upper().angle, static_cast<float>(3.14159265358979323846 / 2));
    EXPECT_EQ(view.doc.history.GetCount(), steps + 1);
}

TEST_F(LayerDialogCommandsTest, RenameGivesTheLayerTheNewName)
{
    Upper().name = L"Layer 1";
    dialogs.newName = L"Sky";
    Run(ID_LAYER_RENAME_DIALOG);
    EXPECT_EQ(dialogs.seenName, L"Layer 1");
    EXPECT_STREQ(Upper().name.GetString(), L"Sky");
}

TEST_F(LayerDialogCommandsTest, CommandsOfMissingDialogsAreNotHandled)
{
    EditorDialogs none;
    SetEditorDialogs(&none);
    for (UINT id : {ID_IMAGE_CANVAS_SIZE, ID_VIEW_GRID_WIDTH, ID_LAYER_NEW_BACKGROUND, ID_LAYER_EXPORT,
                    ID_LAYER_ROTATE_DIALOG, ID_LAYER_RENAME_DIALOG, ID_LAYER_OPTIONS_DIALOG})
        EXPECT_FALSE(commands.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr)) << id;
    SetEditorDialogs(&dialogs);
    EXPECT_TRUE(commands.OnCmdMsg(ID_LAYER_EXPORT, CN_COMMAND, nullptr, nullptr));
}

} // namespace
