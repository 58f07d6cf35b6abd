// The editor frame in a real window: what it creates, its tool tips and status texts, the view
// lookups, opening files, the clipboard test, its panes, and closing by opener and children.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <deque>
#include <iterator>
#include <functional>
#include <string>
#include <vector>
#include "DlgFrameMain.h"
#include "EditorAppTestSupport.h"
#include "EditorRules.h"
#include "LumivoToolsApp.h"
#include "MainFrame.h"
#include "ToolHost.h"
#include "MainFrameIds.h"
#include "MainFrameStartPage.h"
#include "ShopToolbarColorPicker.h"
#include "TestSupport.h"
#include "ToolPaletteIds.h"
#include "WindowTestApp.h"
#include "ZVUILibApp.h"

namespace {

using testsupport::BinDir;
using testsupport::TempFolder;

class CFrameTestApp : public CWindowTestApp<CLumivoToolsApp> {
public:
    CFrameTestApp() : CWindowTestApp(L"LumivoToolsTests")
    {
        SetRegistryKey(L"Lumivo");
        InitContextMenuManager();
        RegisterContextMenus();
    }
};
CFrameTestApp theApp;

// ---- message boxes answered from a timer ----

std::deque<int> g_answers;             // the buttons to press, in order
std::vector<std::wstring> g_boxTexts;  // the texts of the boxes that came

BOOL CALLBACK AppendText(HWND wnd, LPARAM text)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(wnd, buffer, 512);
    *reinterpret_cast<std::wstring*>(text) += std::wstring(buffer) + L"|";
    return TRUE;
}

BOOL CALLBACK AnswerBox(HWND wnd, LPARAM)
{
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (!::IsWindowVisible(wnd) || std::wstring(cls) != L"#32770" || ::GetPropW(wnd, L"answered"))
        return TRUE;
    ::SetPropW(wnd, L"answered", reinterpret_cast<HANDLE>(1));
    std::wstring text;
    ::EnumChildWindows(wnd, AppendText, reinterpret_cast<LPARAM>(&text));
    g_boxTexts.push_back(text);
    int button = IDCANCEL;
    if (!g_answers.empty()) {
        button = g_answers.front();
        g_answers.pop_front();
    }
    ::PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), AnswerBox, 0);
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

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_answers.clear();
        g_boxTexts.clear();
        m_timer = ::SetTimer(nullptr, 0, 100, AnswerBoxes);
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_EDITOR_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        theApp.m_pEditorFrame = frame;
        theApp.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        PumpPending();
    }
    void TearDown() override
    {
        if (theApp.m_pEditorFrame) {
            // Unsaved test pictures go without a question.
            while (CMDIChildWnd* child = frame->MDIGetActive())
                child->DestroyWindow();
            theApp.m_pMainWnd = nullptr;
            frame->DestroyWindow();
        }
        theApp.m_pEditorFrame = nullptr;
        if (theApp.m_pStartPage && theApp.m_pStartPage->m_hWnd)
            theApp.m_pStartPage->DestroyWindow();
        theApp.m_pStartPage = nullptr;
        theApp.m_pMainWnd = nullptr;
        PumpPending();
        ::KillTimer(nullptr, m_timer);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            ++quits;
    }
    int ChildCount() const
    {
        int count = 0;
        for (HWND at = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); at; at = ::GetWindow(at, GW_HWNDNEXT))
            if (DYNAMIC_DOWNCAST(CChildFrame, CWnd::FromHandlePermanent(at)))
                ++count;
        return count;
    }
    CChildFrame* Open(const std::wstring& path)
    {
        if (!frame->OpenFileInEditor(path.c_str()))
            return nullptr;
        return DYNAMIC_DOWNCAST(CChildFrame, frame->MDIGetActive());
    }

    CMainFrame* frame = nullptr;
    TempFolder folder;
    int quits = 0;

private:
    UINT_PTR m_timer = 0;
};

TEST_F(MainFrameTest, CreatesItsBarsPanesAndStatusBar)
{
    const struct {
        UINT id;
        CWnd* bar;
    } bars[] = {{AFX_IDW_MENUBAR, &frame->menuBar},         {AFX_IDW_TOOLBAR, &frame->standardBar},
                {ID_TOOL_PALETTE_BAR, &frame->toolPalette}, {AFX_IDW_STATUS_BAR, &frame->statusBar},
                {ID_LAYER_BAR, &frame->layerBar},           {ID_MAIN_BAR, &frame->mainBar},
                {ID_FILTER_BAR, &frame->filterBar},         {ID_MATERIAL_BAR, &frame->materialBar},
                {ID_FRAME_BAR, &frame->frameBar},           {ID_CONTEXT_BAR, &frame->contextBar}};
    for (const auto& b : bars) {
        ASSERT_TRUE(::IsWindow(b.bar->m_hWnd)) << b.id;
        EXPECT_EQ(static_cast<int>(b.id), ::GetDlgCtrlID(b.bar->m_hWnd)) << b.id;
    }
    EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));   // the menu bar shows the menu
    EXPECT_EQ(8, frame->menuBar.GetCount());
    EXPECT_EQ(L"Editor", Title(frame));
    // Sides: the palette at the left, the panes at the right, the layers below the pictures.
    CRect client, palette, main, layers, tools;
    frame->GetClientRect(&client);
    frame->toolPalette.GetWindowRect(&palette);
    frame->mainBar.GetParentTabbedBar()->GetWindowRect(&main);
    frame->layerBar.GetWindowRect(&layers);
    frame->standardBar.GetWindowRect(&tools);
    frame->ScreenToClient(&palette);
    frame->ScreenToClient(&main);
    frame->ScreenToClient(&layers);
    frame->ScreenToClient(&tools);
    EXPECT_EQ(client.left, palette.left);
    EXPECT_EQ(client.right, main.right);
    EXPECT_LT(tools.bottom, layers.top);
    EXPECT_GT(layers.top, client.Height() / 2);
    // The four function panes are tabs of one group, "Basic" in front; the context bar is hidden.
    CBCGPTabbedControlBar* tabs = frame->mainBar.GetParentTabbedBar();
    ASSERT_NE(nullptr, tabs);
    EXPECT_EQ(4, tabs->GetTabsNum());
    EXPECT_EQ(tabs, frame->frameBar.GetParentTabbedBar());
    EXPECT_EQ(L"Basic", Title(tabs));
    EXPECT_FALSE(frame->contextBar.IsWindowVisible());
    EXPECT_EQ(static_cast<UINT>(ID_TOOL_POINT), static_cast<UINT>(frame->toolSettings.toolCommand));
    EXPECT_EQ(frame, GetEditorHost());

    const struct {
        UINT id;
        const wchar_t* text;
    } panes[] = {{ID_STATUS_READY, L"Ready"}, {ID_STATUS_INFO, L""}, {ID_STATUS_POSITION, L""},
                 {ID_STATUS_RECT, L""},       {ID_STATUS_GRID, L"Grid"}, {ID_STATUS_HISTOGRAM, L"Histogram"},
                 {ID_STATUS_CLIPBOARD, L"Copy to clipboard"}, {ID_STATUS_EMAIL, L"Email"},
                 {ID_STATUS_PRINT, L"Print"}, {ID_STATUS_ZOOM, L"100%"}};
    for (const auto& p : panes) {
        CBCGPBaseRibbonElement* element = frame->statusBar.FindElement(p.id);
        ASSERT_NE(nullptr, element) << p.id;
        EXPECT_EQ(std::wstring(p.text), std::wstring(element->GetText())) << p.id;
    }
    for (UINT id : {ID_STATUS_GRID, ID_STATUS_HISTOGRAM, ID_STATUS_CLIPBOARD, ID_STATUS_EMAIL, ID_STATUS_PRINT, ID_STATUS_ZOOM}) {
        auto* pane = DYNAMIC_DOWNCAST(CBCGPRibbonStatusBarPane, frame->statusBar.FindElement(id));
        ASSERT_NE(nullptr, pane) << id;
        EXPECT_NE(nullptr, pane->GetIcon()) << id;
    }
    ASSERT_NE(nullptr, frame->zoomSlider);
    EXPECT_EQ(frame->zoomSlider, frame->statusBar.FindElement(ID_STATUS_ZOOM_SLIDER));
    EXPECT_EQ(0, frame->zoomSlider->GetRangeMin());
    EXPECT_EQ(320, frame->zoomSlider->GetRangeMax());
    EXPECT_EQ(10, frame->zoomSlider->GetPos());
    EXPECT_EQ(frame->zoomPane, frame->statusBar.FindElement(ID_STATUS_ZOOM));
}

TEST_F(MainFrameTest, ToolTipsNameTheToolsAndLeaveOtherButtons)
{
    const struct {
        UINT id;
        const wchar_t* given;
        const wchar_t* expected;
    } cases[] = {{ID_TOOL_POINT, L"x", L"Point"},
                 {ID_TOOL_SELECT_RECT, L"x", L"Select Tool: Rect\nLong press,tool more..."},
                 {32946, L"x", L"Lighten\nLong press,tool more..."},
                 {32901, L"x", L"Save the active image"},
                 {33219, L"x", L"Print"},
                 {40000, L"as given", L"as given"}};
    for (const auto& c : cases) {
        CBCGPToolbarButton button(c.id, -1);
        CString text = c.given;
        EXPECT_TRUE(frame->GetToolbarButtonToolTipText(&button, text));
        EXPECT_EQ(std::wstring(c.expected), std::wstring(text)) << c.id;
    }
}

TEST_F(MainFrameTest, StatusTextsAndLayerListWithoutTheirWindows)
{
    frame->SetStatusText(ID_STATUS_POSITION, L"X:Y=12:34");
    EXPECT_EQ(std::wstring(L"X:Y=12:34"), std::wstring(frame->statusBar.FindElement(ID_STATUS_POSITION)->GetText()));
    // An id without an element only repaints.
    frame->SetStatusText(12345, L"nowhere");
    EXPECT_EQ(nullptr, frame->statusBar.FindElement(12345));

    // Before the layer pane exists the refresh goes nowhere.
    CMainFrame unmade;
    unmade.RefreshLayerList();
    EXPECT_EQ(nullptr, unmade.layerBar.list.m_hWnd);
}

TEST_F(MainFrameTest, ActiveViewOnlyFromTheMainWindowsPictureChild)
{
    EXPECT_EQ(nullptr, CMainFrame::ActiveEditView());   // no child
    CChildFrame* child = Open(SamplePicture());
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(&child->view, CMainFrame::ActiveEditView());

    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(nullptr, CMainFrame::ActiveEditView());
    CFrameWnd other;
    ASSERT_TRUE(other.Create(nullptr, L"other"));
    theApp.m_pMainWnd = &other;
    EXPECT_EQ(nullptr, CMainFrame::ActiveEditView());
    other.DestroyWindow();
    theApp.m_pMainWnd = frame;

    // A child whose view window is gone.
    child->view.DestroyWindow();
    EXPECT_EQ(nullptr, CMainFrame::ActiveEditView());
}

TEST_F(MainFrameTest, SharedDialogsFindTheEditorsActivePicture)
{
    CToolHost host;
    Open(SamplePicture());
    CChildFrame* child = DYNAMIC_DOWNCAST(CChildFrame, frame->MDIGetActive());
    ASSERT_NE(nullptr, child);
    ASSERT_TRUE(FindToolHost(host, frame));
    EXPECT_EQ(host.kind, ToolHostKind::Editor);
    EXPECT_EQ(host.view, &child->view);
}

// The frame dialog in the editor: the active picture's current layer takes the frame of our
// data folder, lowered on the first render to the picture's width (640 / 800), and keeps it on OK.
TEST_F(MainFrameTest, TheFrameDialogFramesTheActivePicturesCurrentLayer)
{
    CChildFrame* child = Open(SamplePicture());
    ASSERT_NE(nullptr, child);
    CZVImage original, frameFile;
    original.Copy(child->view.doc.layers.GetCurrentLayer()->source);
    const std::wstring corners = BinDir() + L"\\Data\\Frame\\Frame\\Corners.png";
    ASSERT_TRUE(frameFile.LoadFile(corners.c_str()));
    CZVImage expected(original);
    ASSERT_TRUE(FramePicture(expected, frameFile, 640 * 100 / int(frameFile.GetWidth()), FRAME_CORNERS, FrameAdjustments()));
    CDlgFrameMain dialog;
    dialog.m_strFramePath = corners.c_str();
    dialog.m_nFrameMask = FRAME_BIT_CORNERS;
    dialog.m_nFrameType = FrameTypeFromMask(FRAME_BIT_CORNERS);
    // OK as soon as the dialog is up: it waits for the render and keeps it.
    g_answers.push_back(IDOK);
    EXPECT_EQ(IDOK, dialog.DoModal());
    const CZVImage& framed = child->view.doc.layers.GetCurrentLayer()->displayed;
    ASSERT_EQ(framed.GetWidth(), expected.GetWidth());
    ASSERT_EQ(framed.GetHeight(), expected.GetHeight());
    int differing = 0, framedPixels = 0;
    for (long y = 0; y < long(framed.GetHeight()); ++y)
        for (long x = 0; x < long(framed.GetWidth()); ++x) {
            const RGBQUAD a = framed.GetPixelColor(x, y, false), b = expected.GetPixelColor(x, y, false);
            const RGBQUAD o = original.GetPixelColor(x, y, false);
            differing += a.rgbRed != b.rgbRed || a.rgbGreen != b.rgbGreen || a.rgbBlue != b.rgbBlue;
            framedPixels += a.rgbRed != o.rgbRed || a.rgbGreen != o.rgbGreen || a.rgbBlue != o.rgbBlue;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(framedPixels, 1000);   // the corners and the rule
}

TEST_F(MainFrameTest, OpensPicturesAndProjectsAndReportsDamagedFiles)
{
    CChildFrame* picture = Open(SamplePicture());
    ASSERT_NE(nullptr, picture);
    EXPECT_TRUE(picture->IsWindowVisible());
    EXPECT_EQ(L"Lakeside.jpg", Title(picture));
    EXPECT_EQ(1, picture->view.askBeforeOverwrite);
    EXPECT_EQ(1u, picture->view.doc.layers.layers.size());

    // A project named in capitals is still a project: its two layers come back.
    ASSERT_TRUE(picture->view.doc.AddImageFileLayer(SamplePicture().c_str()));
    const std::wstring project = folder.At(L"Two.KQD");
    ASSERT_TRUE(picture->view.doc.SaveProject(project.c_str()));
    CChildFrame* reopened = Open(project);
    ASSERT_NE(nullptr, reopened);
    EXPECT_EQ(2u, reopened->view.doc.layers.layers.size());
    EXPECT_EQ(2, ChildCount());

    const std::wstring broken = folder.At(L"broken.jpg");
    {
        const char bytes[] = "\xFF\xD8\xFF not a picture";
        HANDLE file = ::CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        ::WriteFile(file, bytes, sizeof bytes - 1, &written, nullptr);
        ::CloseHandle(file);
    }
    g_answers = {IDOK};
    EXPECT_FALSE(frame->OpenFileInEditor(broken.c_str()));
    PumpUntil([this] { return ChildCount() == 2; }, 3000);
    ASSERT_EQ(1u, g_boxTexts.size());
    EXPECT_NE(std::wstring::npos, g_boxTexts[0].find(L"Fail to load !"));
    EXPECT_EQ(2, ChildCount());   // the empty child is gone
    EXPECT_EQ(reopened, frame->MDIGetActive()) << "the picture in front before comes back";

    theApp.m_pMainWnd = nullptr;
    EXPECT_FALSE(frame->OpenFileInEditor(SamplePicture().c_str()));
    EXPECT_EQ(2, ChildCount());
}

TEST_F(MainFrameTest, ClipboardPictureFormats)
{
    const UINT zvimage = ::RegisterClipboardFormatW(L"RCF_ZVIMAGE");
    const UINT formats[] = {0, CF_DIB, CF_ENHMETAFILE, zvimage, CF_UNICODETEXT};
    for (UINT format : formats) {
        ASSERT_TRUE(::OpenClipboard(frame->m_hWnd));
        ::EmptyClipboard();
        if (format) {
            HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, 64);
            if (format == CF_ENHMETAFILE) {
                ::GlobalFree(data);
                HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
                ::SetClipboardData(format, ::CloseEnhMetaFile(dc));
            } else {
                ::SetClipboardData(format, data);
            }
        }
        ::CloseClipboard();
        const bool picture = format == CF_DIB || format == CF_ENHMETAFILE || format == zvimage;
        EXPECT_EQ(picture, CMainFrame::IsClipboardImageAvailable()) << format;
        // Held open by another owner, the answer stays the same.
        ASSERT_TRUE(::OpenClipboard(nullptr));
        EXPECT_EQ(picture, CMainFrame::IsClipboardImageAvailable()) << format;
        ::CloseClipboard();
    }
}

TEST_F(MainFrameTest, MaterialPaneStartsOnTextAndKeepsItsLayoutWhileMinimised)
{
    CFuncMaterialBar& material = frame->materialBar;
    ASSERT_EQ(kMaterialCategoryCount, material.combo.GetCount());
    EXPECT_EQ(kDefaultMaterialCategory, material.combo.GetCurSel());
    CString entry;
    material.combo.GetLBText(9, entry);
    EXPECT_EQ(L"Vegetable", std::wstring(entry));
    EXPECT_GT(material.comboHeight, 0);

    CBCGPTabbedControlBar* tabs = material.GetParentTabbedBar();
    ASSERT_NE(nullptr, tabs);
    tabs->SetActiveTab(tabs->FindTab(&material));
    PumpPending();
    const auto place = [&material] {
        CRect rect;
        material.list.GetWindowRect(&rect);
        material.ScreenToClient(&rect);
        return rect;
    };
    const CRect before = place();
    EXPECT_EQ(material.comboHeight, before.top);
    // The category list opens with room for its entries.
    CRect dropped;
    material.combo.SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const int itemHeight = static_cast<int>(material.combo.SendMessage(CB_GETITEMHEIGHT, 0));
    EXPECT_GT(itemHeight, 0);
    EXPECT_GE(dropped.Height(), material.comboHeight + 5 * itemHeight);
    frame->ShowWindow(SW_MINIMIZE);
    PumpPending();
    material.SetWindowPos(nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    material.AdjustLayout();
    EXPECT_TRUE(before == place());
}

// What stays after the editor's close box, by opener and the answer to an unsaved picture.
TEST_F(MainFrameTest, CloseByOpenerAndUnsavedPictures)
{
    enum Kind { None, Saved, Modified };
    const struct {
        int opener;
        Kind child;
        int answer;
        bool startPage;
        bool editorStays;
        bool quits;
        bool pageShown;
    } cases[] = {
        {kOpenedByStartPage, None, 0, true, false, false, true},
        {kOpenedByStartPage, Saved, 0, true, false, false, true},
        {kOpenedByStartPage, Modified, IDNO, true, false, false, true},
        {kOpenedByStartPage, Modified, IDCANCEL, true, true, false, false},
        {kOpenedByStartPage, None, 0, false, false, false, false},
        {kOpenedByCommandLine, None, 0, true, false, true, false},
        {kOpenedByCommandLine, Modified, IDCANCEL, true, true, false, false},
        {kOpenedByCommandLine, Modified, IDNO, false, false, true, false},
        {kOpenedByEffect, Modified, IDCANCEL, true, true, false, false},
        {kOpenedByPages, Modified, IDNO, true, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "opener " << c.opener << " child " << c.child << " answer " << c.answer);
        if (!theApp.m_pEditorFrame) {
            frame = new CMainFrame;
            ASSERT_TRUE(frame->LoadFrame(IDR_EDITOR_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
            theApp.m_pEditorFrame = frame;
            frame->ShowWindow(SW_SHOW);
        }
        theApp.m_pMainWnd = frame;
        frame->openerCode = c.opener;
        if (c.startPage && !theApp.m_pStartPage) {
            ASSERT_TRUE(theApp.CreateStartPage());
            theApp.m_pStartPage->ShowStartPage(SW_HIDE);
            theApp.m_pMainWnd = frame;
        }
        if (c.child != None) {
            CChildFrame* child = Open(SamplePicture());
            ASSERT_NE(nullptr, child);
            if (c.child == Modified)
                child->view.modified = 1;
        }
        g_answers.clear();
        if (c.answer)
            g_answers.push_back(c.answer);
        g_boxTexts.clear();
        HWND editor = frame->m_hWnd;
        frame->SendMessage(WM_CLOSE);
        PumpPending();
        EXPECT_EQ(c.child == Modified ? 1u : 0u, g_boxTexts.size());
        EXPECT_EQ(c.editorStays, ::IsWindow(editor) != FALSE);
        EXPECT_EQ(c.editorStays, theApp.m_pEditorFrame != nullptr);
        MSG msg;
        const bool quit = ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
        EXPECT_EQ(c.quits, quit);
        const bool pageShown = theApp.m_pStartPage && theApp.m_pStartPage->m_hWnd && theApp.m_pStartPage->IsWindowVisible();
        EXPECT_EQ(c.pageShown, pageShown);
        if (c.editorStays) {
            while (CMDIChildWnd* child = frame->MDIGetActive())
                child->DestroyWindow();
        }
        if (theApp.m_pStartPage && theApp.m_pStartPage->m_hWnd) {
            theApp.m_pMainWnd = nullptr;
            theApp.m_pStartPage->DestroyWindow();
        }
        theApp.m_pStartPage = nullptr;
        if (c.editorStays) {
            theApp.m_pMainWnd = nullptr;
            frame->DestroyWindow();
            theApp.m_pEditorFrame = nullptr;
        }
        PumpPending();
    }
}

TEST_F(MainFrameTest, ActivationMakesTheEditorTheMainWindow)
{
    CFrameWnd other;
    ASSERT_TRUE(other.Create(nullptr, L"other"));
    theApp.m_pMainWnd = &other;
    other.ShowWindow(SW_SHOW);
    frame->SendMessage(WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(other.m_hWnd));
    EXPECT_EQ(frame, theApp.m_pMainWnd);
    theApp.m_pMainWnd = &other;
    frame->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other.m_hWnd));
    EXPECT_EQ(&other, theApp.m_pMainWnd);
    theApp.m_pMainWnd = frame;
    other.DestroyWindow();
}

// The enabled state an update handler gives.
class EnabledItem : public CCmdUI {
public:
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        enabled = on != FALSE;
    }
    bool enabled = true;
};

bool UpdateEnables(CMainFrame& frame, UINT id)
{
    EnabledItem item;
    item.m_nID = id;
    frame.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &item, nullptr);
    return item.enabled;
}

TEST_F(MainFrameTest, ZoomButtonsSliderAndPaneStayInStep)
{
    EXPECT_FALSE(UpdateEnables(*frame, ID_ZOOM_IN_STEP));   // no picture
    CChildFrame* child = Open(SamplePicture());
    ASSERT_NE(nullptr, child);
    ASSERT_NE(nullptr, frame->zoomSlider);
    ASSERT_NE(nullptr, frame->zoomPane);
    CPicEditView& view = child->view;

    // The slider at 0 leaves the zoom; at 20 the picture shows at 100 %.
    const float before = view.doc.zoom;
    frame->zoomSlider->SetPos(0, FALSE);
    frame->SendMessage(WM_COMMAND, ID_STATUS_ZOOM_SLIDER);
    EXPECT_EQ(before, view.doc.zoom);
    frame->zoomSlider->SetPos(20, FALSE);
    frame->SendMessage(WM_COMMAND, ID_STATUS_ZOOM_SLIDER);
    EXPECT_EQ(1.0f, view.doc.zoom);
    EXPECT_STREQ(L" 100%", frame->zoomPane->GetText());

    // Two clicks of zoom in; the idle update moves slider and pane along.
    frame->SendMessage(WM_COMMAND, ID_ZOOM_IN_STEP);
    frame->SendMessage(WM_COMMAND, ID_ZOOM_IN_STEP);
    EXPECT_TRUE(UpdateEnables(*frame, ID_ZOOM_IN_STEP));
    EXPECT_EQ(26, frame->zoomSlider->GetPos());
    EXPECT_STREQ(L" 132%", frame->zoomPane->GetText());
    frame->SendMessage(WM_COMMAND, ID_ZOOM_OUT_STEP);
    EXPECT_TRUE(UpdateEnables(*frame, ID_ZOOM_IN_STEP));
    EXPECT_STREQ(L" 115%", frame->zoomPane->GetText());

    // At 16 the zoom-in button gives up, at 0.05 the zoom-out one.
    view.doc.zoom = 15.0f;
    frame->SendMessage(WM_COMMAND, ID_ZOOM_IN_STEP);
    EXPECT_EQ(16.0f, view.doc.zoom);
    EXPECT_FALSE(UpdateEnables(*frame, ID_ZOOM_IN_STEP));
    EXPECT_EQ(320, frame->zoomSlider->GetPos());
    // 0.055 already counts as the end (two decimals); 0.056 is one step above it.
    view.doc.zoom = 0.055f;
    EXPECT_FALSE(UpdateEnables(*frame, ID_ZOOM_OUT_STEP));
    view.doc.zoom = 0.056f;
    EXPECT_TRUE(UpdateEnables(*frame, ID_ZOOM_OUT_STEP));
    frame->SendMessage(WM_COMMAND, ID_ZOOM_OUT_STEP);
    EXPECT_FLOAT_EQ(0.05f, view.doc.zoom);
    EXPECT_FALSE(UpdateEnables(*frame, ID_ZOOM_OUT_STEP));
}

TEST_F(MainFrameTest, GridToggleChecksItsMenuItem)
{
    CChildFrame* child = Open(SamplePicture());
    ASSERT_NE(nullptr, child);
    const int32_t was = child->view.doc.gridOn;
    frame->SendMessage(WM_COMMAND, ID_STATUS_GRID);
    EXPECT_NE(was, child->view.doc.gridOn);
    frame->SendMessage(WM_COMMAND, ID_VIEW_SHOW_GRID);
    EXPECT_EQ(was, child->view.doc.gridOn);
    EXPECT_TRUE(UpdateEnables(*frame, ID_VIEW_SHOW_GRID));
}

TEST_F(MainFrameTest, ToolCommandsSetTheViewAndTheContextBar)
{
    // Without a picture the commands with options change nothing; the others hide the bar.
    frame->contextBar.ShowControlBar(TRUE, FALSE, TRUE);
    const int32_t before = frame->toolSettings.toolCommand;
    frame->SendMessage(WM_COMMAND, ID_TOOL_BRUSH);
    frame->SendMessage(WM_COMMAND, ID_TOOL_CROP);
    EXPECT_EQ(before, frame->toolSettings.toolCommand);
    EXPECT_TRUE(frame->contextBar.IsVisible());
    frame->SendMessage(WM_COMMAND, ID_TOOL_STRAW);
    EXPECT_EQ(before, frame->toolSettings.toolCommand);
    EXPECT_FALSE(frame->contextBar.IsVisible());

    CChildFrame* child = Open(SamplePicture());
    ASSERT_NE(nullptr, child);
    CPicEditView& view = child->view;
    int count = 0;
    const ToolCommand* tools = ToolCommands(count);
    for (int i = 0; i < count; ++i) {
        const ToolCommand& c = tools[i];
        if (c.effect == ToolViewEffect::Text)
            continue;
        SCOPED_TRACE(c.command);
        frame->SendMessage(WM_COMMAND, c.command);
        EXPECT_EQ(c.tool, view.tool);
        EXPECT_EQ(static_cast<int>(c.command), frame->toolSettings.toolCommand);
        EXPECT_EQ(c.tool, frame->toolSettings.toolKind);
        EXPECT_EQ(c.options >= 0, frame->contextBar.IsVisible() != FALSE);
        if (c.options >= 0)
            EXPECT_EQ(c.options, frame->contextBar.GetToolOptions());
        EXPECT_EQ(c.tool == 3 ? 1 : 0, view.framesShown);
        if (IsBrushCommand(c))
            EXPECT_EQ(c.brushType, view.brushType);
    }

    // The pen takes its entry; the brush its automatic step of a quarter of its size.
    frame->toolSettings.pen.size = 30;
    frame->toolSettings.pen.autoStep = 0;
    frame->toolSettings.pen.step = 7;
    frame->SendMessage(WM_COMMAND, ID_TOOL_PEN);
    EXPECT_EQ(30, view.brushSize);
    EXPECT_EQ(7, view.brushStep);
    EXPECT_EQ(BrushSlot::Pen, frame->toolSettings.brushSlot);
    frame->SendMessage(WM_COMMAND, ID_TOOL_BRUSH);
    EXPECT_EQ(50, view.brushSize);
    EXPECT_EQ(12, view.brushStep);
    EXPECT_EQ(BrushSlot::Brush, frame->toolSettings.brushSlot);

    // The pointer twice asks for one redraw.
    frame->SendMessage(WM_COMMAND, ID_TOOL_POINT);
    EXPECT_EQ(1, view.redrawPending.exchange(0));
    frame->SendMessage(WM_COMMAND, ID_TOOL_POINT);
    EXPECT_EQ(0, view.redrawPending.load());

    // The shape tool works on the background.
    frame->SendMessage(WM_COMMAND, ID_TOOL_SHAPE);
    EXPECT_EQ(0, view.doc.layers.currentId);
}

// The colour messages of the palette's button and of the view: the pending echoes of the button.
int PendingColourMessages(HWND frame)
{
    int count = 0;
    MSG msg;
    while (::PeekMessageW(&msg, frame, WM_EDITOR_SHAPE_COLOUR, WM_EDITOR_SHAPE_COLOUR, PM_REMOVE)) {
        ++count;
        ::DispatchMessageW(&msg);
    }
    return count;
}

COLORREF ColorOf(RGBQUAD c)
{
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

TEST_F(MainFrameTest, ColourMessagesReachTheButtonTheViewAndTheShapes)
{
    auto* picker = DYNAMIC_DOWNCAST(
        CShopToolbarColorPicker, frame->toolPalette.GetButton(frame->toolPalette.CommandToIndex(ID_TOOL_COLOR)));
    ASSERT_NE(nullptr, picker);
    CChildFrame* child = Open(SamplePicture());
    ASSERT_NE(nullptr, child);
    CPicEditView& view = child->view;
    PendingColourMessages(frame->m_hWnd);

    // The paint colour (wParam 0): button, view, shape outline and line, then one echo from the
    // button that changes nothing more.
    const COLORREF red = RGB(200, 10, 20);
    frame->SendMessage(WM_EDITOR_SHAPE_COLOUR, 0, red);
    EXPECT_EQ(red, picker->GetForeColor());
    EXPECT_EQ(red, ColorOf(view.paintColour));
    EXPECT_EQ(red, frame->toolSettings.shape.outlineColour);
    EXPECT_EQ(red, frame->toolSettings.line.outlineColour);
    EXPECT_EQ(1, PendingColourMessages(frame->m_hWnd));
    EXPECT_EQ(0, PendingColourMessages(frame->m_hWnd));

    // The second colour (wParam 1): button's background and the view's second colour only.
    const COLORREF green = RGB(5, 180, 40);
    frame->SendMessage(WM_EDITOR_SHAPE_COLOUR, 1, green);
    EXPECT_EQ(green, picker->GetBackColor());
    EXPECT_EQ(green, ColorOf(view.secondColour));
    EXPECT_EQ(red, picker->GetForeColor());
    EXPECT_EQ(red, frame->toolSettings.shape.outlineColour);
    EXPECT_EQ(1, PendingColourMessages(frame->m_hWnd));

    // Without the colour button nothing changes.
    ASSERT_TRUE(frame->toolPalette.RemoveButton(frame->toolPalette.CommandToIndex(ID_TOOL_COLOR)));
    frame->SendMessage(WM_EDITOR_SHAPE_COLOUR, 0, RGB(1, 2, 3));
    frame->SendMessage(WM_EDITOR_SHAPE_COLOUR, 1, RGB(1, 2, 3));
    EXPECT_EQ(red, ColorOf(view.paintColour));
    EXPECT_EQ(green, ColorOf(view.secondColour));
    EXPECT_EQ(red, frame->toolSettings.shape.outlineColour);
    EXPECT_EQ(red, frame->toolSettings.line.outlineColour);
    EXPECT_EQ(0, PendingColourMessages(frame->m_hWnd));
}

TEST_F(MainFrameTest, CopyPasteAndCutOfLayers)
{
    CChildFrame* child = Open(SamplePicture());
    ASSERT_NE(nullptr, child);
    CPicEditView& view = child->view;
    const size_t layers = view.doc.layers.layers.size();
    frame->SendMessage(WM_COMMAND, ID_TOOL_BRUSH);

    // A layer above the background, copied and pasted as a new one.
    CZVImage picture;
    ASSERT_TRUE(picture.Create(30, 20, 24));
    ASSERT_TRUE(view.doc.AddImageLayer(picture, FALSE));
    frame->SendMessage(WM_COMMAND, ID_EDIT_COPY_SELECTION);
    EXPECT_EQ(0, view.framesShown);
    frame->SendMessage(WM_COMMAND, ID_EDIT_PASTE_LAYER);
    ASSERT_EQ(layers + 2, view.doc.layers.layers.size());
    EXPECT_EQ(0, view.tool);
    EXPECT_EQ(static_cast<int>(ID_TOOL_POINT), frame->toolSettings.toolCommand);
    EXPECT_EQ(16, frame->toolSettings.toolKind);   // the paste keeps the frame's tool kind
    EXPECT_EQ(1, view.framesShown);

    // Another window holds the clipboard: cut copies nothing and so deletes nothing.
    ASSERT_TRUE(::OpenClipboard(frame->m_hWnd));
    frame->SendMessage(WM_COMMAND, ID_EDIT_CUT_SELECTION);
    ::CloseClipboard();
    EXPECT_EQ(layers + 2, view.doc.layers.layers.size());
    frame->SendMessage(WM_COMMAND, ID_EDIT_CUT_SELECTION);
    EXPECT_EQ(layers + 1, view.doc.layers.layers.size());
}

} // namespace

namespace {

// The caption of an item of the menu bar's drop-down menu `top`, by place (a sub-menu's items
// after the sub-menu's place).
std::wstring MenuText(CMainFrame* frame, int top, int place, int subPlace = -1)
{
    HMENU menu = frame->menuBar.GetMenuItem(top)->GetMenu();
    if (subPlace >= 0)
        menu = ::GetSubMenu(menu, place);
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(subPlace >= 0 ? subPlace : place), text, 255, MF_BYPOSITION);
    return text;
}

TEST_F(MainFrameTest, MenuCaptionsFollowTheLanguageWithTheirKeyboardLetters)
{
    struct Expected {
        int top, place, subPlace;
        const wchar_t* english;
        const wchar_t* chinese;
    };
    const Expected items[] = {
        {0, 6, -1, L"Save As...", L"另存为..."},
        {0, 9, -1, L"Export", L"导出"},
        {0, 9, 0, L"Shape to page", L"形状转为页面"},
        {1, 4, -1, L"Copy...\tCtrl+C", L"复制...\tCtrl+C"},
        {0, 0, -1, L"&New\tCtrl+N", L"新建(&N)\tCtrl+N"},
        {3, 6, 4, L"Radial", L"径向"},
        {6, 6, 0, L"Layer List View", L"图层列表"},
        {6, 1, -1, L"Set the grid width...", L"设置网格宽度..."},
    };
    auto check = [&](bool chinese) {
        for (const Expected& e : items)
            EXPECT_EQ(std::wstring(chinese ? e.chinese : e.english), MenuText(frame, e.top, e.place, e.subPlace))
                << e.top << "/" << e.place << "/" << e.subPlace;
    };
    const std::wstring folder = std::wstring(CZVUILibApp::GetLanguageFolder().GetString());
    ASSERT_TRUE(LoadLanguageFile((folder + L"English.txt").c_str()));
    frame->UpdateMenuCaptions();
    frame->UpdateMenuCaptions();   // a second run gives the same captions
    check(false);
    EXPECT_EQ(L"&File", std::wstring(frame->menuBar.GetMenuItem(0)->m_strText));
    EXPECT_EQ(L"F&ilters", std::wstring(frame->menuBar.GetMenuItem(5)->m_strText));

    ASSERT_TRUE(LoadLanguageFile((folder + L"Simplified Chinese.txt").c_str()));
    frame->UpdateMenuCaptions();
    check(true);
    EXPECT_EQ(L"文件(&F)", std::wstring(frame->menuBar.GetMenuItem(0)->m_strText));
    EXPECT_EQ(L"滤镜(&I)", std::wstring(frame->menuBar.GetMenuItem(5)->m_strText));
    EXPECT_EQ(L"基础", Title(&frame->mainBar));
    ASSERT_NE(nullptr, Open(SamplePicture()));
    EXPECT_EQ(0u, Title(frame).find(L"编辑器"));   // the picture's name follows the translated title

    ASSERT_TRUE(LoadLanguageFile((folder + L"English.txt").c_str()));
    frame->UpdateMenuCaptions();
    check(false);
    EXPECT_EQ(L"F&ilters", std::wstring(frame->menuBar.GetMenuItem(5)->m_strText));
    LoadCurrentLanguage();
}

TEST_F(MainFrameTest, ApplySkinTintsThePaneListsAndKeepsTheActivePicture)
{
    CChildFrame* first = Open(SamplePicture());
    CChildFrame* second = Open(SamplePicture());
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    first->ShowWindow(SW_HIDE);   // a hidden child must not stall the walk
    const COLORREF face = globalData.clrBarFace;
    frame->ApplySkin();
    EXPECT_EQ(second, frame->MDIGetActive());
    const COLORREF expected = SkinListColor(face);
    EXPECT_EQ(expected, frame->mainBar.list.m_clrBackground);
    EXPECT_EQ(expected, frame->filterBar.list.m_clrBackground);
    EXPECT_EQ(expected, frame->materialBar.list.m_clrBackground);
    EXPECT_EQ(expected, frame->frameBar.list.m_clrBackground);
    EXPECT_EQ(expected, frame->layerBar.list.background);
}

} // namespace

TEST_F(MainFrameTest, TheBarsResetIsAnsweredByTheFrameItself)
{
    const int buttons = frame->standardBar.GetCount();
    LRESULT result = 1;
    EXPECT_TRUE(frame->OnWndMsg(BCGM_RESETTOOLBAR, IDR_EDITOR_FRAME, 0, &result));
    EXPECT_EQ(0, result);
    EXPECT_EQ(buttons, frame->standardBar.GetCount());
}

// A key pressed where the keyboard is, through the message loop's pre-translation, with Ctrl and
// Shift held as given.
void PressKey(WPARAM key, bool ctrl, bool shift)
{
    BYTE keys[256] = {};
    ASSERT_TRUE(::GetKeyboardState(keys));
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_CONTROL] = ctrl ? 0x80 : 0;
    held[VK_SHIFT] = shift ? 0x80 : 0;
    held[VK_MENU] = 0;
    ASSERT_TRUE(::SetKeyboardState(held));
    MSG msg = {::GetFocus(), WM_KEYDOWN, key, 1};
    if (!theApp.PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::SetKeyboardState(keys);
    PumpPending();
}

TEST_F(MainFrameTest, CtrlTabAndCtrlF6GoRoundThePicturesInTabOrder)
{
    std::vector<CChildFrame*> pictures;
    for (int i = 0; i < 3; ++i)
        pictures.push_back(Open(SamplePicture()));
    for (CChildFrame* picture : pictures)
        ASSERT_NE(nullptr, picture);
    ASSERT_EQ(pictures[2], frame->MDIGetActive());
    ::SetFocus(pictures[2]->view.m_hWnd);
    struct Case {
        WPARAM key;
        bool shift;
        int active;
    };
    // From the last picture: back, forward, forward round to the first, and the same with F6.
    const Case cases[] = {
        {VK_TAB, true, 1}, {VK_TAB, false, 2}, {VK_TAB, false, 0}, {VK_TAB, true, 2},
        {VK_F6, false, 0}, {VK_F6, false, 1}, {VK_F6, true, 0},
    };
    for (const Case& c : cases) {
        PressKey(c.key, true, c.shift);
        EXPECT_EQ(pictures[c.active], frame->MDIGetActive()) << "key " << c.key << " shift " << c.shift;
    }
    // From a pane's list the keys still change the picture.
    ::SetFocus(frame->layerBar.list.m_hWnd);
    PressKey(VK_TAB, true, false);
    EXPECT_EQ(pictures[1], frame->MDIGetActive());
}

// Window menus handed to the MDI client while the hook listens.
int g_menusSet = 0;

LRESULT CALLBACK CountMenusSet(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_MDISETMENU && call->wParam)
        ++g_menusSet;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The menu lives in the menu bar. Each window menu put on the frame (and taken off again) re-lays
// out the frame and all its bars, which made opening many pictures slow: opening, making and
// switching pictures put none there, not even for a moment.
TEST_F(MainFrameTest, PicturesComingAndGoingPutNoMenuOnTheFrame)
{
    g_menusSet = 0;
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, CountMenusSet, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    CChildFrame* first = Open(SamplePicture());
    CChildFrame* second = Open(SamplePicture());
    CPicEditView* made = frame->CreatePictureWindow();
    if (first)
        frame->MDIActivate(first);
    if (made)
        made->GetParent()->DestroyWindow();
    PumpPending();
    ::UnhookWindowsHookEx(hook);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(0, g_menusSet);
    EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
    EXPECT_EQ(first, frame->MDIGetActive());
}

// Which stop of the F6 round holds the keyboard: the picture, the layer pane or a function pane.
std::wstring FocusStop(CMainFrame& frame)
{
    const HWND focus = ::GetFocus();
    const auto in = [focus](CWnd& wnd) { return focus && (focus == wnd.m_hWnd || ::IsChild(wnd.m_hWnd, focus)); };
    if (CPicEditView* view = CMainFrame::ActiveEditView(); view && in(*view))
        return L"picture";
    if (in(frame.layerBar))
        return L"layers";
    for (CWnd* pane : {static_cast<CWnd*>(&frame.mainBar), static_cast<CWnd*>(&frame.filterBar),
                       static_cast<CWnd*>(&frame.materialBar), static_cast<CWnd*>(&frame.frameBar)})
        if (in(*pane) && ::IsWindowVisible(pane->m_hWnd))
            return L"function pane";
    return L"elsewhere";
}

TEST_F(MainFrameTest, F6GoesRoundThePictureAndTheShownPanes)
{
    CChildFrame* child = Open(SamplePicture());
    ASSERT_NE(nullptr, child);
    ::SetFocus(child->view.m_hWnd);
    ASSERT_EQ(L"picture", FocusStop(*frame));
    const wchar_t* forward[] = {L"layers", L"function pane", L"picture", L"layers"};
    for (const wchar_t* stop : forward) {
        PressKey(VK_F6, false, false);
        EXPECT_EQ(stop, FocusStop(*frame));
    }
    const wchar_t* back[] = {L"picture", L"function pane", L"layers"};
    for (const wchar_t* stop : back) {
        PressKey(VK_F6, false, true);
        EXPECT_EQ(stop, FocusStop(*frame));
    }
    // A hidden pane is passed over.
    frame->layerBar.ShowControlBar(FALSE, FALSE, TRUE);
    PumpPending();
    ::SetFocus(child->view.m_hWnd);
    PressKey(VK_F6, false, false);
    EXPECT_EQ(L"function pane", FocusStop(*frame));
    PressKey(VK_F6, false, false);
    EXPECT_EQ(L"picture", FocusStop(*frame));
}
