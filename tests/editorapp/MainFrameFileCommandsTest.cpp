// The editor frame's File, View, Image and Layer commands in real windows: opening through the
// open dialog and by dropping, new pictures from the clipboard and their names, saving, the zoom
// menu, panes and full screen, the picture's resize and quarter turns, and the layer commands.
// Dialogs are answered from a timer, in the order they come.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <vector>
#include "DialogIds.h"
#include "DlgHistogram.h"
#include "EditorAppState.h"
#include "FakeMapi.h"
#include "FileDialogDriver.h"
#include "FrameCommandMath.h"
#include "LumivoToolsIds.h"
#include "LumivoToolsApp.h"
#include "MailClient.h"
#include "PrintDialog.h"
#include "MainFrame.h"
#include "MainFrameIds.h"
#include "TestSupport.h"
#include "ToolPaletteIds.h"
#include "WindowTestApp.h"
#include "ZVUILibApp.h"

namespace {

using testsupport::BinDir;
using testsupport::TempFolder;

class CFileCommandsTestApp : public CWindowTestApp<CLumivoToolsApp> {
public:
    CFileCommandsTestApp() : CWindowTestApp(L"LumivoToolsFileCommandsTests")
    {
        SetRegistryKey(L"Lumivo");
        InitContextMenuManager();
    }
};
CFileCommandsTestApp theApp;

// ---- dialogs answered from a timer ----

using Action = std::function<void(HWND)>;
std::deque<Action> g_actions;          // one for each dialog that comes, in order; then Cancel
std::vector<std::wstring> g_captions;  // the titles of the dialogs that came
std::vector<std::wstring> g_texts;     // and their texts
std::vector<HWND> g_handled;

BOOL CALLBACK AppendText(HWND wnd, LPARAM text)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(wnd, buffer, 512);
    *reinterpret_cast<std::wstring*>(text) += std::wstring(buffer) + L"|";
    return TRUE;
}

BOOL CALLBACK HandleDialog(HWND wnd, LPARAM)
{
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (!::IsWindowVisible(wnd) || std::wstring(cls) != L"#32770")
        return TRUE;
    for (HWND seen : g_handled)
        if (seen == wnd)
            return TRUE;
    g_handled.push_back(wnd);
    wchar_t caption[256] = {};
    ::GetWindowTextW(wnd, caption, 256);
    g_captions.push_back(caption);
    std::wstring text;
    ::EnumChildWindows(wnd, AppendText, reinterpret_cast<LPARAM>(&text));
    g_texts.push_back(text);
    if (g_actions.empty()) {
        ::PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
    } else {
        Action action = g_actions.front();
        g_actions.pop_front();
        action(wnd);
    }
    return FALSE;
}

void CALLBACK DriveDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), HandleDialog, 0);
}

Action Press(int id)
{
    return [id](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
}

Action ChooseFile(const std::wstring& path)
{
    return [path](HWND dialog) { EXPECT_TRUE(testsupport::ChooseFileInDialog(dialog, path)); };
}

// The resize dialog: the width typed (the height follows the kept aspect), then OK.
Action ResizeToWidth(int width)
{
    return [width](HWND dialog) {
        HWND field = ::GetDlgItem(dialog, IDC_KQ_WIDTH);
        ::SetWindowTextW(field, std::to_wstring(width).c_str());
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_KQ_WIDTH, EN_CHANGE), reinterpret_cast<LPARAM>(field));
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

COLORREF ColorOf(RGBQUAD c)
{
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

std::wstring SamplePicture()
{
    return BinDir() + L"\\Data\\Sample\\Lakeside.jpg";
}

std::wstring Title(CWnd* wnd)
{
    CString text;
    wnd->GetWindowText(text);
    return std::wstring(text);
}

class CheckedItem : public CCmdUI {
public:
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        enabled = on != FALSE;
    }
    void SetCheck(int check) override { checked = check != 0; }
    bool enabled = true;
    bool checked = false;
};

CheckedItem Update(CMainFrame& frame, UINT id)
{
    CheckedItem item;
    item.m_nID = id;
    frame.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &item, nullptr);
    return item;
}

// A picture of two colours on the clipboard: the left half red, the right half blue.
bool PutPictureOnClipboard(HWND owner, int width, int height)
{
    BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB};
    const int stride = (width * 3 + 3) & ~3;
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + stride * height);
    auto* bytes = static_cast<BYTE*>(::GlobalLock(data));
    memcpy(bytes, &header, sizeof header);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = bytes + sizeof header + y * stride + x * 3;
            p[0] = x < width / 2 ? 0 : 255;
            p[1] = 0;
            p[2] = x < width / 2 ? 255 : 0;
        }
    ::GlobalUnlock(data);
    if (!::OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_DIB, data) != nullptr;
    ::CloseClipboard();
    return put;
}

bool EmptyTheClipboard(HWND owner)
{
    if (!::OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    ::CloseClipboard();
    return true;
}

// A drop of the paths, as the shell hands it over.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t chars = 1;
    for (const std::wstring& path : paths)
        chars += path.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& path : paths) {
        memcpy(names, path.c_str(), path.size() * sizeof(wchar_t));
        names += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class FrameCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_actions.clear();
        g_captions.clear();
        g_texts.clear();
        g_handled.clear();
        m_timer = ::SetTimer(nullptr, 0, 60, DriveDialogs);
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_EDITOR_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        theApp.m_pEditorFrame = frame;
        theApp.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOWNORMAL);
        PumpPending();
    }
    void TearDown() override
    {
        // Unsaved test pictures go without a question.
        while (CMDIChildWnd* child = frame->MDIGetActive())
            child->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        frame->DestroyWindow();
        theApp.m_pEditorFrame = nullptr;
        PumpPending();
        ::KillTimer(nullptr, m_timer);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    std::vector<CChildFrame*> Children() const
    {
        std::vector<CChildFrame*> children;
        for (HWND at = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); at; at = ::GetWindow(at, GW_HWNDNEXT))
            if (auto* child = DYNAMIC_DOWNCAST(CChildFrame, CWnd::FromHandlePermanent(at)))
                children.push_back(child);
        return children;
    }
    std::vector<std::wstring> ChildTitles() const
    {
        std::vector<std::wstring> titles;
        for (CChildFrame* child : Children()) {
            // Without the mark of a picture not yet saved.
            std::wstring title = Title(child);
            if (title.size() > 2 && title.compare(title.size() - 2, 2, L" *") == 0)
                title.resize(title.size() - 2);
            titles.push_back(title);
        }
        std::sort(titles.begin(), titles.end());
        return titles;
    }
    CPicEditView* OpenSample()
    {
        if (!frame->OpenFileInEditor(SamplePicture().c_str()))
            return nullptr;
        return CMainFrame::ActiveEditView();
    }
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }

    CMainFrame* frame = nullptr;
    TempFolder folder;

private:
    UINT_PTR m_timer = 0;
};

// ---- File ----

TEST_F(FrameCommandsTest, OpenTakesEverySelectedFileAndRemembersTheFolder)
{
    // A project of two layers next to a picture, in a folder of its own.
    CPicEditView* sample = OpenSample();
    ASSERT_NE(nullptr, sample);
    ASSERT_TRUE(sample->doc.AddImageFileLayer(SamplePicture().c_str()));
    const std::wstring project = folder.At(L"Two.kqd");
    ASSERT_TRUE(sample->doc.SaveProject(project.c_str()));
    Children().front()->DestroyWindow();
    PumpPending();
    const std::wstring picture = folder.At(L"Copy.jpg");
    ASSERT_TRUE(::CopyFileW(SamplePicture().c_str(), picture.c_str(), FALSE));

    g_actions = {ChooseFile(project)};
    Command(ID_FILE_OPEN_PICTURE);
    ASSERT_EQ(1u, Children().size());
    EXPECT_EQ(2u, CMainFrame::ActiveEditView()->doc.layers.layers.size());
    EXPECT_EQ(folder.Root(), std::wstring(GetEditorAppState().currentFolder));
    EXPECT_EQ(folder.Root(), std::wstring(theApp.m_strCurrentDirectory));
    EXPECT_EQ(static_cast<UINT>(ID_TOOL_POINT), static_cast<UINT>(frame->toolSettings.toolCommand));

    g_actions = {ChooseFile(picture)};
    Command(ID_FILE_OPEN_PICTURE);
    EXPECT_EQ((std::vector<std::wstring>{L"Copy.jpg", L"Two.kqd"}), ChildTitles());

    // Cancelled: nothing opens.
    Command(ID_FILE_OPEN_PICTURE);
    EXPECT_EQ(2u, Children().size());
    EXPECT_EQ(3u, g_captions.size());
}

TEST_F(FrameCommandsTest, DropOpensEveryFileInDropOrderLongNamesToo)
{
    CPicEditView* sample = OpenSample();
    ASSERT_NE(nullptr, sample);
    ASSERT_TRUE(sample->doc.AddImageFileLayer(SamplePicture().c_str()));
    const std::wstring project = folder.At(L"Dropped.kqd");
    ASSERT_TRUE(sample->doc.SaveProject(project.c_str()));
    Children().front()->DestroyWindow();
    PumpPending();
    // More than 520 characters that still name the sample: "." steps in between.
    std::wstring longName = folder.Root();
    while (longName.size() <= 600)
        longName += L"\\.";
    const std::wstring picture = folder.At(L"Long.jpg");
    ASSERT_TRUE(::CopyFileW(SamplePicture().c_str(), picture.c_str(), FALSE));
    longName += L"\\Long.jpg";
    ASSERT_GT(longName.size(), 520u);

    frame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({project, SamplePicture(), longName})));
    EXPECT_TRUE(g_captions.empty()) << "no failure reported";
    EXPECT_EQ((std::vector<std::wstring>{L"Dropped.kqd", L"Lakeside.jpg", L"Long.jpg"}), ChildTitles());
    EXPECT_EQ(L"Long.jpg", Title(frame->MDIGetActive()));
}

TEST_F(FrameCommandsTest, DroppedPicturesOpenEachWithItsOwnPixelsAndADamagedOneIsReported)
{
    struct File {
        const wchar_t* name;
        COLORREF colour;
        bool damaged;
    };
    const File files[] = {
        {L"a red.png", RGB(255, 0, 0), false},
        {L"b damaged.jpg", 0, true},
        {L"c green.png", RGB(0, 255, 0), false},
        {L"d blue.bmp", RGB(0, 0, 255), false},
        {L"e grey.png", RGB(128, 128, 128), false},
    };
    std::vector<std::wstring> paths;
    for (const File& file : files) {
        paths.push_back(folder.At(file.name));
        if (file.damaged) {
            ASSERT_TRUE(TempFolder::Put(paths.back(), "\xFF\xD8\xFF not a picture"));
            continue;
        }
        CZVImage picture;
        ASSERT_TRUE(picture.Create(24, 16, 24));
        picture.SetRectColor(RECT{0, 0, 24, 16}, CxImage::RGBtoRGBQUAD(file.colour));
        ASSERT_TRUE(picture.SaveFile(paths.back().c_str()));
    }

    frame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)));
    ASSERT_EQ(1u, g_texts.size()) << "the damaged picture alone is reported";
    EXPECT_NE(std::wstring::npos, g_texts[0].find(L"Fail to load !"));
    EXPECT_EQ((std::vector<std::wstring>{L"a red.png", L"c green.png", L"d blue.bmp", L"e grey.png"}), ChildTitles());
    for (CChildFrame* child : Children()) {
        const std::wstring title = Title(child);
        SCOPED_TRACE(testing::PrintToString(title));
        ASSERT_EQ(1u, child->view.doc.layers.layers.size());
        const CLayerInfo& background = child->view.doc.layers.layers[0];
        for (const File& file : files)
            if (title.compare(0, wcslen(file.name), file.name) == 0)
                EXPECT_EQ(file.colour, ColorOf(background.displayed.GetPixelColor(3, 3)));
        EXPECT_EQ(title.compare(0, 10, L"e grey.png") == 0, child == frame->MDIGetActive());
    }
}

TEST_F(FrameCommandsTest, NewPicturesFromTheClipboardCountOnFromTheNews)
{
    // Two News with the dialog's own values, then From Clipboard.
    g_actions = {Press(IDOK), Press(IDOK)};
    Command(ID_FILE_NEW_PICTURE);
    Command(ID_FILE_NEW_PICTURE);
    ASSERT_TRUE(PutPictureOnClipboard(frame->m_hWnd, 40, 30));
    EXPECT_TRUE(Update(*frame, ID_FILE_FROM_CLIPBOARD).enabled);
    Command(ID_FILE_FROM_CLIPBOARD);
    EXPECT_EQ((std::vector<std::wstring>{L"Untitled-1", L"Untitled-2", L"Untitled-3"}), ChildTitles());
    CPicEditView* pasted = CMainFrame::ActiveEditView();
    ASSERT_NE(nullptr, pasted);
    EXPECT_EQ(40, pasted->doc.docWidth);
    EXPECT_TRUE(pasted->GetParent()->IsWindowVisible());
    // New: Save is enabled before any change.
    EXPECT_TRUE(Update(*frame, ID_FILE_SAVE_PICTURE).enabled);

    // Nothing on the clipboard: the item is off; should the command come all the same (the
    // clipboard emptied after the menu showed), no window is left and the user is told.
    ASSERT_TRUE(EmptyTheClipboard(frame->m_hWnd));
    EXPECT_FALSE(Update(*frame, ID_FILE_FROM_CLIPBOARD).enabled);
    g_captions.clear();
    g_texts.clear();
    g_actions = {Press(IDOK)};
    frame->OnCmdMsg(ID_FILE_FROM_CLIPBOARD, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(3u, Children().size());
    ASSERT_EQ(1u, g_texts.size());
    EXPECT_NE(std::wstring::npos, g_texts[0].find(L"Fail to load !"));
}

TEST_F(FrameCommandsTest, SaveOfAnUntitledPictureAsksForANameAndSaveAsWritesIt)
{
    ASSERT_TRUE(PutPictureOnClipboard(frame->m_hWnd, 40, 30));
    Command(ID_FILE_FROM_CLIPBOARD);
    CPicEditView* view = CMainFrame::ActiveEditView();
    ASSERT_NE(nullptr, view);
    Command(ID_FILE_SAVE_PICTURE);   // cancelled
    ASSERT_EQ(1u, g_captions.size());
    EXPECT_EQ(L"Save", g_captions[0]);
    EXPECT_TRUE(view->filePath.IsEmpty());

    const std::wstring target = folder.At(L"pasted.png");
    g_actions = {ChooseFile(target)};
    Command(ID_FILE_SAVE_PICTURE_AS);
    ASSERT_EQ(2u, g_captions.size());
    EXPECT_EQ(L"Save As", g_captions[1]);
    EXPECT_EQ(target, std::wstring(view->filePath));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(target.c_str()));
    EXPECT_FALSE(Update(*frame, ID_FILE_SAVE_PICTURE).enabled) << "saved and unchanged";
}

TEST_F(FrameCommandsTest, CameraSnapshotOpensAsANewUntitledPicture)
{
    // The snapshot file the camera dialog wrote, opened in the one window the opening makes.
    const std::wstring snapshot = folder.At(L"2026-12-11_10_00_00.bmp");
    ASSERT_TRUE(::CopyFileW(SamplePicture().c_str(), snapshot.c_str(), FALSE));
    ASSERT_TRUE(frame->OpenFileInEditor(snapshot.c_str()));
    CPicEditView* view = CMainFrame::ActiveEditView();
    ASSERT_NE(nullptr, view);
    frame->NameAsUntitled(*view);
    EXPECT_EQ(std::vector<std::wstring>{L"Untitled-1"}, ChildTitles());
    EXPECT_TRUE(Update(*frame, ID_FILE_SAVE_PICTURE).enabled);
    // Save asks for a name: the snapshot is not written over.
    const std::string before = TempFolder::Get(snapshot);
    Command(ID_FILE_SAVE_PICTURE);
    ASSERT_EQ(1u, g_captions.size());
    EXPECT_EQ(L"Save", g_captions[0]);
    EXPECT_EQ(before, TempFolder::Get(snapshot));
}

TEST_F(FrameCommandsTest, ControlKeysReachTheirCommands)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    BYTE keys[256] = {};
    ASSERT_TRUE(::GetKeyboardState(keys));
    const BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(keys));
    const auto press = [&](WPARAM key) {
        MSG msg = {view->m_hWnd, WM_KEYDOWN, key, 1};
        return frame->PreTranslateMessage(&msg) != FALSE;
    };
    // Ctrl+O: the open dialog (cancelled); Ctrl+A: everything selected.
    EXPECT_TRUE(press('O'));
    EXPECT_TRUE(press('A'));
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    ASSERT_EQ(1u, g_captions.size());
    EXPECT_EQ(L"Open", g_captions[0]);
    EXPECT_EQ(11, view->tool);
}

// ---- View ----

TEST_F(FrameCommandsTest, ZoomPresetsMoveTheSliderAndCheckOnlyThemselves)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    for (size_t i = 0; i < ZoomPresetCount(); ++i) {
        const ZoomPreset& preset = *ZoomPresetAt(i);
        Command(preset.id);
        EXPECT_EQ(preset.sliderPosition, frame->zoomSlider->GetPos()) << preset.id;
        EXPECT_FLOAT_EQ(preset.percent / 100.0f, view->doc.zoom) << preset.id;
        for (size_t j = 0; j < ZoomPresetCount(); ++j) {
            const UINT other = ZoomPresetAt(j)->id;
            EXPECT_EQ(i == j, Update(*frame, other).checked) << preset.id << " checks " << other;
        }
    }
    Command(33197);
    EXPECT_STREQ(L" 200%", frame->zoomPane->GetText());
    EXPECT_EQ(40, frame->zoomSlider->GetPos());
    EXPECT_FALSE(Update(*frame, ID_ZOOM_FIT).checked);

    // Automatic: the fit zoom again, and its check.
    Command(ID_ZOOM_FIT);
    EXPECT_EQ(view->doc.GetFitZoom(), view->doc.zoom);
    EXPECT_LT(view->doc.zoom, 1.0f);
    EXPECT_TRUE(Update(*frame, ID_ZOOM_FIT).checked);
    EXPECT_EQ(ZoomPaneText(view->doc.zoom), std::wstring(frame->zoomPane->GetText()));
}

TEST_F(FrameCommandsTest, WindowMenuTogglesThePanesAndChecksThem)
{
    const struct {
        UINT id;
        CBCGPBaseControlBar* pane;
    } panes[] = {{ID_PANE_LAYER, &frame->layerBar},
                 {ID_PANE_MAIN, &frame->mainBar},
                 {ID_PANE_FILTER, &frame->filterBar},
                 {ID_PANE_MATERIAL, &frame->materialBar},
                 {ID_PANE_FRAME, &frame->frameBar}};
    for (const auto& p : panes) {
        const bool before = p.pane->IsVisible() != FALSE;
        EXPECT_EQ(before, Update(*frame, p.id).checked) << p.id;
        Command(p.id);
        EXPECT_EQ(!before, p.pane->IsVisible() != FALSE) << p.id;
        EXPECT_EQ(!before, Update(*frame, p.id).checked) << p.id;
        Command(p.id);
        EXPECT_EQ(before, p.pane->IsVisible() != FALSE) << p.id;
    }
}

TEST_F(FrameCommandsTest, FullScreenTwiceGivesBackTheBorderInANormalWindow)
{
    frame->ShowWindow(SW_MAXIMIZE);
    Command(ID_VIEW_FULL_SCREEN);
    EXPECT_EQ(1, frame->viewCommand);
    EXPECT_EQ(0u, frame->GetStyle() & (WS_DLGFRAME | WS_THICKFRAME));
    Command(ID_VIEW_FULL_SCREEN_TOO);
    EXPECT_EQ(0, frame->viewCommand);
    EXPECT_EQ(static_cast<DWORD>(WS_DLGFRAME | WS_THICKFRAME), frame->GetStyle() & (WS_DLGFRAME | WS_THICKFRAME));
    EXPECT_FALSE(frame->IsZoomed());
    EXPECT_FALSE(frame->IsIconic());
}

TEST_F(FrameCommandsTest, SelectAllTakesTheSelectionTool)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(11, view->tool);
    EXPECT_GE(view->doc.pathPoints.size(), 3u);
}

// ---- Image ----

TEST_F(FrameCommandsTest, ResizeGoesThroughTheLibrarysDialog)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(view->doc.AddImageFileLayer(SamplePicture().c_str()));
    const int width = view->doc.docWidth, height = view->doc.docHeight;
    ASSERT_EQ(1, view->doc.layers.currentId);

    Command(ID_IMAGE_RESIZE);   // cancelled
    EXPECT_EQ(1u, g_captions.size());
    EXPECT_EQ(0, view->doc.layers.currentId) << "a cancel leaves the background current";
    EXPECT_EQ(width, view->doc.docWidth);

    view->doc.layers.currentId = 1;
    std::wstring shownHeight;
    g_actions = {[&](HWND dialog) {
        ResizeToWidth(320)(dialog);
        wchar_t text[32] = {};
        ::GetDlgItemTextW(dialog, IDC_KQ_HEIGHT, text, 32);
        shownHeight = text;
    }};
    Command(ID_IMAGE_RESIZE);
    EXPECT_EQ(1, view->doc.layers.currentId);
    EXPECT_EQ(320, view->doc.layers.layers[0].width);
    // The height the dialog's kept aspect showed (half a pixel or less from the exact one).
    EXPECT_EQ(shownHeight, std::to_wstring(view->doc.layers.layers[0].height));
    EXPECT_NEAR(height * 320.0 / width, view->doc.layers.layers[0].height, 0.5);
    EXPECT_EQ(320, view->doc.docWidth);
}

TEST_F(FrameCommandsTest, PictureTurnsLeftAndRightAsOneStepEach)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    CLayerInfo& background = view->doc.layers.layers[0];
    const int width = background.width, height = background.height;
    CZVImage original(background.displayed);
    const int steps = view->doc.history.GetCount();

    Command(ID_IMAGE_ROTATE_LEFT);
    EXPECT_EQ(height, view->doc.layers.layers[0].width);
    EXPECT_EQ(width, view->doc.layers.layers[0].height);
    EXPECT_EQ(steps + 1, view->doc.history.GetCount());
    EXPECT_EQ(0, view->doc.layers.currentId);
    // Turned left: the top row (stored bottom-up, so the last) is the original's right column.
    CZVImage& turned = view->doc.layers.layers[0].displayed;
    for (int row : {0, 10, height / 2, height - 1}) {
        const RGBQUAD top = turned.GetPixelColor(row, turned.GetHeight() - 1, false);
        const RGBQUAD right = original.GetPixelColor(width - 1, original.GetHeight() - 1 - row, false);
        EXPECT_EQ(ColorOf(right), ColorOf(top)) << row;
    }

    Command(ID_IMAGE_ROTATE_RIGHT);
    EXPECT_EQ(width, view->doc.layers.layers[0].width);
    EXPECT_EQ(height, view->doc.layers.layers[0].height);
    EXPECT_EQ(steps + 2, view->doc.history.GetCount());
    EXPECT_EQ(ColorOf(original.GetPixelColor(33, 44, false)),
              ColorOf(view->doc.layers.layers[0].displayed.GetPixelColor(33, 44, false)));
}

// ---- Layer ----

TEST_F(FrameCommandsTest, LayerTurnsAreQuarterTurnsThatComeBackToTheStart)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(view->doc.AddImageFileLayer(SamplePicture().c_str()));
    CLayerInfo* layer = view->doc.layers.GetCurrentLayer();
    ASSERT_NE(nullptr, layer);
    const CZVImage original(layer->displayed);
    CZVImage left(original);
    ASSERT_TRUE(left.RotateLeft());
    const int steps = view->doc.history.GetCount();
    // Each turn is baked into the layer's picture: exactly the picture turned, no resampling.
    const auto samePixels = [](const CZVImage& a, const CZVImage& b) {
        if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
            return false;
        for (DWORD y = 0; y < a.GetHeight(); y += 7)
            for (DWORD x = 0; x < a.GetWidth(); x += 5)
                if (ColorOf(a.GetPixelColor(x, y, false)) != ColorOf(b.GetPixelColor(x, y, false)))
                    return false;
        return true;
    };
    view->redrawPending.exchange(0);
    Command(ID_LAYER_TURN_LEFT);
    layer = view->doc.layers.GetCurrentLayer();
    // Turned left as the Image menu's turn does it.
    EXPECT_TRUE(samePixels(left, layer->displayed));
    EXPECT_EQ(1, view->redrawPending.load());
    EXPECT_EQ(steps + 1, view->doc.history.GetCount());
    for (int i = 0; i < 3; ++i)
        Command(ID_LAYER_TURN_LEFT);
    EXPECT_TRUE(samePixels(original, view->doc.layers.GetCurrentLayer()->displayed)) << "four turns come back";
    Command(ID_LAYER_TURN_RIGHT);
    CZVImage right(original);
    ASSERT_TRUE(right.RotateRight());
    EXPECT_TRUE(samePixels(right, view->doc.layers.GetCurrentLayer()->displayed));
}

TEST_F(FrameCommandsTest, HideAndShowAllRepaintAndMergesFlatten)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(view->doc.AddImageFileLayer(SamplePicture().c_str()));
    ASSERT_TRUE(view->doc.AddImageFileLayer(SamplePicture().c_str()));
    view->redrawPending.exchange(0);
    Command(ID_LAYER_HIDE_ALL);
    EXPECT_FALSE(view->doc.layers.layers[1].visible);
    EXPECT_FALSE(view->doc.layers.layers[2].visible);
    EXPECT_EQ(1, view->redrawPending.load()) << "the canvas shows the change";
    view->redrawPending.exchange(0);
    Command(ID_LAYER_SHOW_ALL);
    EXPECT_TRUE(view->doc.layers.layers[2].visible);
    EXPECT_EQ(1, view->redrawPending.load());

    view->doc.layers.layers[2].visible = 0;
    Command(ID_LAYER_MERGE_VISIBLE);
    EXPECT_EQ(2u, view->doc.layers.layers.size()) << "the hidden layer stays";
    Command(ID_LAYER_MERGE_ALL);
    EXPECT_EQ(1u, view->doc.layers.layers.size());
    EXPECT_EQ(0, view->doc.layers.currentId);
}

TEST_F(FrameCommandsTest, LayerMenuRowsOnTheActiveView)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    // The background current: the rows for upper layers are off (E1, E2), the others on (E0).
    for (UINT id : {UINT(ID_LAYER_DELETE_LAYER), UINT(ID_LAYER_TURN_LEFT), UINT(ID_LAYER_TURN_RIGHT), UINT(ID_LAYER_ADD_SHADOW), 33092u, 33035u})
        EXPECT_FALSE(Update(*frame, id).enabled) << id;
    for (UINT id : {UINT(ID_LAYER_DUPLICATE_LAYER), UINT(ID_LAYER_HIDE_ALL), UINT(ID_LAYER_MERGE_ALL), UINT(ID_IMAGE_RESIZE),
                    UINT(ID_IMAGE_ROTATE_LEFT), UINT(ID_LAYER_TRANSPARENT_BACKGROUND), UINT(ID_LAYER_OPEN_AS_LAYER)})
        EXPECT_TRUE(Update(*frame, id).enabled) << id;

    // A transparent background goes below: two layers, the old background above it.
    Command(ID_LAYER_TRANSPARENT_BACKGROUND);
    ASSERT_EQ(2u, view->doc.layers.layers.size());
    EXPECT_EQ(1, view->doc.layers.layers[0].ownAlpha);
    EXPECT_EQ(1, view->currentChanged);

    view->doc.layers.currentId = 1;
    Command(ID_LAYER_DUPLICATE_LAYER);
    EXPECT_EQ(3u, view->doc.layers.layers.size());
    EXPECT_TRUE(Update(*frame, ID_LAYER_DELETE_LAYER).enabled);
    Command(ID_LAYER_DELETE_LAYER);
    EXPECT_EQ(2u, view->doc.layers.layers.size());

    // "Convert text" only for a text or shape layer.
    const struct {
        int32_t kind;
        bool enabled;
    } kinds[] = {{0, false}, {1, false}, {2, true}, {3, true}, {4, false}};
    for (const auto& k : kinds) {
        view->doc.layers.currentType = k.kind;
        EXPECT_EQ(k.enabled, Update(*frame, ID_LAYER_CONVERT_TEXT).enabled) << k.kind;
    }
}

TEST_F(FrameCommandsTest, CropLayerPastesOnlyWhatItCopied)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(view->doc.AddImageFileLayer(SamplePicture().c_str()));
    // Another program holds the clipboard open: the copy fails, the old contents stay unpasted.
    ASSERT_TRUE(PutPictureOnClipboard(frame->m_hWnd, 20, 20));
    CWnd holder;
    ASSERT_TRUE(holder.CreateEx(0, AfxRegisterWndClass(0), L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    ASSERT_TRUE(::OpenClipboard(holder.m_hWnd));
    g_actions = {Press(IDOK)};   // the copy's failure is told
    Command(ID_LAYER_CROP);
    ::CloseClipboard();
    holder.DestroyWindow();
    EXPECT_EQ(2u, view->doc.layers.layers.size());

    Command(ID_LAYER_CROP);
    EXPECT_EQ(3u, view->doc.layers.layers.size());
    EXPECT_EQ(static_cast<UINT>(ID_TOOL_POINT), static_cast<UINT>(frame->toolSettings.toolCommand));
}

} // namespace

// ---- status bar buttons ----

namespace {

class FakeMailClient : public IMailClient {
public:
    HMODULE LoadMapi() override { return ::LoadLibraryW(library.c_str()); }
    std::wstring library = BinDir() + L"\\..\\tests\\FakeMapi.dll";
};

// The fake mail library held for a test, and what it was last handed.
class MailFake {
public:
    MailFake() : m_held(::LoadLibraryW(m_client.library.c_str())), m_previous(SetMailClient(&m_client))
    {
        if (m_held)
            m_last = reinterpret_cast<FakeMapiLastCallFn>(reinterpret_cast<void*>(::GetProcAddress(m_held, "FakeMapiLastCall")));
    }
    ~MailFake()
    {
        SetMailClient(m_previous);
        if (m_held)
            ::FreeLibrary(m_held);
    }
    bool Ready() const { return m_last != nullptr; }
    int Calls() const { return m_last()->calls; }
    std::string LastFile() const { return m_last()->files.empty() ? std::string() : m_last()->files[0].path; }

private:
    FakeMailClient m_client;
    HMODULE m_held;
    IMailClient* m_previous;
    FakeMapiLastCallFn m_last = nullptr;
};

ULONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

} // namespace

TEST_F(FrameCommandsTest, EmailSendsOnlyASavedPicture)
{
    MailFake mail;
    ASSERT_TRUE(mail.Ready());
    const std::wstring copy = folder.At(L"lake.jpg");
    ASSERT_TRUE(::CopyFileW(SamplePicture().c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(frame->OpenFileInEditor(copy.c_str()));
    CPicEditView* view = CMainFrame::ActiveEditView();
    ASSERT_NE(nullptr, view);
    view->askBeforeOverwrite = 0;

    // Saved and unchanged: mailed as it is, without a dialog.
    int calls = mail.Calls();
    Command(ID_STATUS_EMAIL);
    EXPECT_EQ(++calls, mail.Calls());
    EXPECT_EQ(Narrow(copy), mail.LastFile());
    EXPECT_TRUE(g_captions.empty());

    // Changed: saved in place first, then mailed.
    // A file the save will rewrite: another size afterwards.
    ASSERT_TRUE(testsupport::TempFolder::Put(copy, std::string(10, 'x')));
    view->modified = 1;
    Command(ID_FILE_EMAIL);
    EXPECT_EQ(++calls, mail.Calls());
    EXPECT_FALSE(view->IsModified());
    EXPECT_GT(FileSize(copy), 10u);

    // Untitled: the name is asked for under "Save"; a cancelled save mails nothing.
    view->filePath.Empty();
    view->modified = 1;
    Command(ID_STATUS_EMAIL);
    ASSERT_EQ(1u, g_captions.size());
    EXPECT_EQ(L"Save", g_captions[0]);
    EXPECT_EQ(calls, mail.Calls());

    const std::wstring named = folder.At(L"named.png");
    g_actions = {ChooseFile(named)};
    Command(ID_STATUS_EMAIL);
    EXPECT_EQ(++calls, mail.Calls());
    EXPECT_EQ(Narrow(named), mail.LastFile());

    // A save that fails (the folder is gone) mails nothing either.
    view->filePath = folder.At(L"gone\\lake.jpg").c_str();
    view->modified = 1;
    Command(ID_STATUS_EMAIL);
    EXPECT_EQ(calls, mail.Calls());
}

TEST_F(FrameCommandsTest, CopyFlattenedPutsTheWholePictureOnTheClipboard)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    CZVImage small;
    ASSERT_TRUE(small.Create(30, 20, 24));
    ASSERT_TRUE(view->doc.AddImageLayer(small, FALSE));
    const CZVImage& background = view->doc.layers.layers[0].displayed;
    view->doc.zoom = 0.5f;

    Command(ID_STATUS_CLIPBOARD);
    EXPECT_TRUE(g_texts.empty());
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE dib = ::GetClipboardData(CF_DIB);
    ASSERT_NE(nullptr, dib);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(static_cast<LONG>(background.GetWidth()), header->biWidth);
    EXPECT_EQ(static_cast<LONG>(background.GetHeight()), std::labs(header->biHeight));
    ::GlobalUnlock(dib);
    ::CloseClipboard();

    // Another window holds the clipboard: the user is told.
    ASSERT_TRUE(::OpenClipboard(view->m_hWnd));
    Command(ID_STATUS_CLIPBOARD);
    ::CloseClipboard();
    ASSERT_EQ(1u, g_texts.size());
    EXPECT_NE(std::wstring::npos, g_texts[0].find(L"Unable to set clipboard data"));
}

TEST_F(FrameCommandsTest, HistogramOfTheCurrentLayerAndTheZoomMenuAtThePane)
{
    Command(ID_STATUS_HISTOGRAM);   // no picture
    EXPECT_TRUE(g_captions.empty());
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    CZVImage small;
    ASSERT_TRUE(small.Create(30, 20, 24));
    ASSERT_TRUE(view->doc.AddImageLayer(small, FALSE));
    long shownWidth = 0;
    g_actions = {[&shownWidth](HWND dialog) {
        if (auto* histogram = dynamic_cast<CDlgHistogram*>(CWnd::FromHandlePermanent(dialog)))
            shownWidth = static_cast<long>(histogram->m_image.GetWidth());
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }};
    Command(ID_STATUS_HISTOGRAM);
    EXPECT_EQ(1u, g_captions.size());
    EXPECT_EQ(30, shownWidth);

    // The zoom pane opens the zoom menu at its top-left corner.
    ASSERT_NE(nullptr, frame->zoomPane);
    CPoint corner = frame->zoomPane->GetRect().TopLeft();
    frame->statusBar.ClientToScreen(&corner);
    Command(ID_STATUS_ZOOM);
    CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(14, menu->GetMenuItemCount());
    EXPECT_EQ(33189u, menu->GetMenuItemID(0));
    CRect placed;
    menu->GetWindowRect(&placed);
    EXPECT_EQ(corner.x, placed.left);
    menu->CloseMenu();
    PumpPending();
}

TEST_F(FrameCommandsTest, PrintLaysThePhotosOutAsTheDialogChose)
{
    appframe::MemoryPrinterService printer(2480, 3508, 300);   // A4 at 300 dpi
    appframe::PrinterService* before = appframe::SetPrinterService(&printer);
    ASSERT_TRUE(PutPictureOnClipboard(frame->m_hWnd, 40, 30));
    Command(ID_FILE_FROM_CLIPBOARD);
    ASSERT_NE(nullptr, CMainFrame::ActiveEditView());

    // Two photos of 4 x 6 inches, 0.1 inch apart from the top left corner.
    g_actions = {[](HWND dialog) {
        ::SendDlgItemMessageW(dialog, IDC_KQ_PHOTO_SIZE, CB_SETCURSEL, 13, 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_KQ_PHOTO_SIZE, CBN_SELCHANGE),
                       LPARAM(::GetDlgItem(dialog, IDC_KQ_PHOTO_SIZE)));
        ::SetDlgItemTextW(dialog, IDC_KQ_COUNT, L"2");
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }};
    Command(ID_STATUS_PRINT);
    ASSERT_EQ(1u, g_captions.size());
    EXPECT_EQ(L"Print", g_captions[0]);
    EXPECT_NE(std::wstring::npos, printer.calls.find(L"EndDoc"));
    ASSERT_NE(nullptr, printer.PageBits());
    auto white = [&printer](int x, int y) {
        const BYTE* p = printer.PageBits() + size_t(y) * size_t(printer.PageStride()) + size_t(x) * 3;
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    };
    EXPECT_FALSE(white(600, 900));           // the first photo, 1200 x 1800
    EXPECT_FALSE(white(1230 + 600, 900));    // the second beside it
    EXPECT_TRUE(white(1215, 900));           // the gap between them
    EXPECT_TRUE(white(600, 1900));           // nothing below
    appframe::SetPrinterService(before);
}
