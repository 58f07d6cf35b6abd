// The editor frame's new-picture commands over a stand-in frame: File > New into a new picture
// window, Layer > New > Blank on the active view, From Camera opening the saved snapshot, and
// their update rules. The dialogs are driven from inside their modal loops.
#include <memory>
#include <string>
#include "CxImage.h"
#include "FakeCaptureDevices.h"
#include "LumivoToolsIds.h"
#include "MainFrameNewCommands.h"
#include "NewPictureIds.h"
#include "NewPictureTest.h"
#include "PicEditView.h"
#include "SkinUI.h"
#include "TestSupport.h"

using namespace newpicturetest;

namespace {

class CNewPictureCommandsTestApp : public CWindowTestApp<CBCGPWinApp> {
public:
    CNewPictureCommandsTestApp() : CWindowTestApp(L"NewPictureCommandsTests") {}
};
CNewPictureCommandsTestApp theApp;

// The frame's side: picture windows are top-level views here, and what the commands ask is counted.
class StandInFrame : public INewPictureFrame {
public:
    CPicEditView* GetActiveEditView() override { return active; }
    CPicEditView* CreatePictureWindow() override
    {
        ++windowsMade;
        made = std::make_unique<CPicEditView>();
        if (!made->CreateEx(0, nullptr, L"picture", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 600, 400, nullptr, nullptr))
            return nullptr;
        return made.get();
    }
    void ShowPictureWindow(CPicEditView& view) override
    {
        ++shown;
        view.ShowWindow(SW_SHOW);
    }
    void DiscardPictureWindow(CPicEditView& view) override
    {
        ++discarded;
        view.DestroyWindow();
        made.reset();
    }
    bool OpenFileInEditor(const wchar_t* path) override
    {
        opened.emplace_back(path);
        return true;
    }
    void SelectPointerTool() override { ++pointerTools; }
    void NameAsUntitled(CPicEditView& view) override { untitled.push_back(&view); }

    CPicEditView* active = nullptr;
    std::vector<CPicEditView*> untitled;
    std::unique_ptr<CPicEditView> made;
    int windowsMade = 0, shown = 0, discarded = 0, pointerTools = 0;
    std::vector<std::wstring> opened;
};

// Counts the layer-list refreshes; everything else keeps its default.
class CountingHost : public IEditorHost {
public:
    int GetFixedCropWidth() override { return -1; }
    int GetFixedCropHeight() override { return -1; }
    void SetCropFields(int, int) override {}
    void SetStatusText(UINT, const wchar_t*) override {}
    void RefreshLayerList() override { ++refreshes; }
    ShapeSettings GetShapeSettings() override { return ShapeSettings(); }
    void SetShapeSettings(const ShapeSettings&) override {}
    void SetShapeSize(int, int) override {}
    void SelectDefaultTool() override {}
    void ShowShapeOptions() override {}
    CStringW GetBrushFile() override { return CStringW(); }
    HWND GetColourTarget() override { return nullptr; }
    int refreshes = 0;
};

// The enabled state an item's update handler gives.
class EnabledState : public CCmdUI {
public:
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        enabled = on != FALSE;
    }
    bool enabled = true;
};

class NewPictureCommands : public testing::Test {
protected:
    void SetUp() override { SetEditorHost(&host); }
    void TearDown() override
    {
        SetEditorHost(nullptr);
        if (frame.made && frame.made->m_hWnd)
            frame.made->DestroyWindow();
        PumpPending();
    }
    // The command as the frame's routing hands it on; false when no handler took it.
    bool Run(UINT id) { return commands.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr) != FALSE; }
    bool Enabled(UINT id)
    {
        EnabledState state;
        state.m_nID = id;
        state.DoUpdate(&commands, FALSE);
        return state.enabled;
    }

    StandInFrame frame;
    CountingHost host;
    CNewPictureCommands commands{frame};
    ClipboardCleaner cleaner;
};

TEST_F(NewPictureCommands, NewMakesThePictureInANewWindow)
{
    struct Case {
        const char* name;
        bool dibOnClipboard;
        int preset;   // -1: as the dialog opens
        bool ok;
        int width, height, dpi;
    };
    const Case cases[] = {{"Photo,Portrait,4 x 6", false, 14, true, 1200, 1800, 300},
                          {"the clipboard's picture", true, -1, true, 517, 301, -1},
                          {"cancelled", false, 14, false, 0, 0, 0}};
    for (const Case& c : cases) {
        frame = StandInFrame();
        host.refreshes = 0;
        std::vector<std::pair<UINT, std::vector<BYTE>>> blocks;
        if (c.dibOnClipboard)
            blocks.push_back({CF_DIB, MakeDib(517, 301)});
        ASSERT_TRUE(PutOnClipboard(blocks));
        ActOnDialog([&](HWND w) {
            if (c.preset >= 0)
                Choose(w, IDC_NP_PRESET, c.preset);
            Click(w, c.ok ? IDOK : IDCANCEL);
        });
        ASSERT_TRUE(Run(ID_FILE_NEW_PICTURE)) << c.name;
        EXPECT_TRUE(DialogActDone()) << c.name;
        if (!c.ok) {
            // The dialog comes before the window: nothing to close after a cancel.
            EXPECT_EQ(frame.windowsMade, 0) << c.name;
            continue;
        }
        ASSERT_TRUE(frame.made) << c.name;
        CPicEditView& view = *frame.made;
        CZVImage* background = view.doc.GetBackgroundImage();
        ASSERT_NE(background, nullptr) << c.name;
        EXPECT_EQ(int(background->GetWidth()), c.width) << c.name;
        EXPECT_EQ(int(background->GetHeight()), c.height) << c.name;
        if (c.dpi > 0)
            EXPECT_EQ(background->GetXDPI(), c.dpi) << c.name;
        EXPECT_EQ(frame.shown, 1) << c.name;
        EXPECT_TRUE(view.IsWindowVisible()) << c.name;
        EXPECT_EQ(view.modified, 1) << c.name;
        EXPECT_GE(host.refreshes, 1) << c.name;
        EXPECT_EQ(frame.pointerTools, 1) << c.name;
        frame.made->DestroyWindow();
    }
}

TEST_F(NewPictureCommands, NewThatCannotBeMadeClosesItsWindowAndSaysSo)
{
    ASSERT_TRUE(PutOnClipboard({{CF_DIB, MakeDib(517, 301)}}));
    bool boxSeen = false;
    ActOnDialog([&](HWND w) {
        // The picture goes between the dialog and the reading of it.
        EXPECT_TRUE(Checked(w, IDC_NP_PASTE));
        EXPECT_TRUE(PutOnClipboard({}));
        ActOnDialog([&](HWND box) {
            boxSeen = true;
            Click(box, IDOK);
        }, w);
        Click(w, IDOK);
    });
    ASSERT_TRUE(Run(ID_FILE_NEW_PICTURE));
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(frame.windowsMade, 1);
    EXPECT_EQ(frame.discarded, 1);
    EXPECT_EQ(frame.shown, 0);
    EXPECT_EQ(frame.pointerTools, 0);
}

TEST_F(NewPictureCommands, BlankAddsALayerOnTheActiveView)
{
    EXPECT_FALSE(Enabled(ID_LAYER_NEW_BLANK));
    ASSERT_TRUE(Run(ID_LAYER_NEW_BLANK));   // no view: nothing, no dialog

    CPicEditView view;
    ASSERT_TRUE(view.CreateEx(0, nullptr, L"view", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr));
    frame.active = &view;
    EXPECT_FALSE(Enabled(ID_LAYER_NEW_BLANK));   // an empty document
    CZVImage picture;
    ASSERT_TRUE(picture.Create(400, 300, 24));
    ASSERT_TRUE(view.OpenImage(picture));
    EXPECT_TRUE(Enabled(ID_LAYER_NEW_BLANK));

    host.refreshes = 0;
    ActOnDialog([](HWND w) {
        ::CheckDlgButton(w, IDC_NP_TRANSPARENT, BST_CHECKED);
        Click(w, IDOK);
    });
    ASSERT_TRUE(Run(ID_LAYER_NEW_BLANK));
    EXPECT_TRUE(DialogActDone());
    ASSERT_EQ(view.doc.layers.layers.size(), 2u);
    CLayerInfo* layer = view.doc.layers.GetCurrentLayer();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->id, 1);
    EXPECT_EQ(layer->width, 400);
    EXPECT_EQ(layer->height, 300);
    EXPECT_EQ(layer->displayed.GetPixelColor(10, 10, true).rgbReserved, 0);
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_EQ(view.currentChanged, 1);
    EXPECT_EQ(view.redrawPending.load(), 1);

    // Cancelled: no layer, no refresh.
    ActOnDialog([](HWND w) { Click(w, IDCANCEL); });
    ASSERT_TRUE(Run(ID_LAYER_NEW_BLANK));
    EXPECT_EQ(view.doc.layers.layers.size(), 2u);
    EXPECT_EQ(host.refreshes, 1);
    view.DestroyWindow();
}

TEST_F(NewPictureCommands, FromCameraOpensTheSavedSnapshot)
{
    // Wine has no capture device: the command stays disabled.
    EXPECT_FALSE(Enabled(ID_FILE_FROM_CAMERA));

    CFakeCaptureDevices fake;
    ICaptureDevices* previous = SetCaptureDevices(&fake);
    EXPECT_TRUE(Enabled(ID_FILE_FROM_CAMERA));
    // The picture window the opening made.
    CPicEditView view;
    ASSERT_TRUE(view.CreateEx(0, nullptr, L"view", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr));
    frame.active = &view;
    testsupport::TempFolder folder;
    const std::wstring path = folder.At(L"snap.bmp");
    ActOnDialog([&](HWND w) {
        Type(w, IDC_NP_CAMERA_PATH, path.c_str());
        Click(w, IDOK);
    });
    ASSERT_TRUE(Run(ID_FILE_FROM_CAMERA));
    EXPECT_TRUE(DialogActDone());
    ASSERT_EQ(frame.opened, std::vector<std::wstring>{path});
    EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(frame.pointerTools, 1);
    // The window that opened the snapshot is the only one, and it is named as a new picture.
    EXPECT_EQ(frame.windowsMade, 0);
    EXPECT_EQ(frame.untitled, std::vector<CPicEditView*>{&view});

    ActOnDialog([](HWND w) { Click(w, IDCANCEL); });
    ASSERT_TRUE(Run(ID_FILE_FROM_CAMERA));
    EXPECT_EQ(frame.opened.size(), 1u);
    EXPECT_EQ(frame.pointerTools, 1);
    EXPECT_EQ(frame.untitled.size(), 1u);
    SetCaptureDevices(previous);
    view.DestroyWindow();
}

}  // namespace
