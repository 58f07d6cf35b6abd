// The picture viewer in real windows over the browser's main frame, on a folder of pictures of
// its own: navigation and its notes, transitions, the locked zoom, keys, wheel and touch, saving
// a turned picture, the slide show, and how the viewer hides and gives back the main frame.
#include <gtest/gtest.h>
#include <windows.h>
#include <vfw.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include "EditorAppTestSupport.h"
#include "LumivoShowsApp.h"
#include "MiniFrameWnd.h"
#include "MainFrame.h"
#include "MCIControl.h"
#include "NavigationBar.h"
#include "PicFullScreenFrame.h"
#include "ScreenPicture.h"
#include "SheetOption.h"
#include "TestSupport.h"
#include "ViewerIds.h"
#include "WindowTestApp.h"
#include "ZVImage.h"

namespace {

using testsupport::TempFolder;
using viewer::TouchEvent;
using viewer::TouchRecord;

const wchar_t kViewerProfileKey[] = L"Software\\Lumivo\\LumivoShowsTests";

unsigned g_tick = 100000;
unsigned FakeTick()
{
    return g_tick;
}

std::wstring g_error;
void CatchError(const wchar_t* text)
{
    g_error = text;
}
bool Confirm()
{
    return true;
}

// A JPEG whose left half is red and right half blue; with an orientation tag when asked.
bool PutJpeg(const std::wstring& path, int w, int h, int orientation = 0)
{
    CZVImage picture;
    if (!picture.Create(w, h, 24))
        return false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.SetPixelColor(x, y, x < w / 2 ? RGBQUAD{0, 0, 255, 0} : RGBQUAD{255, 0, 0, 0});
    if (!picture.SaveFile(path.c_str(), CXIMAGE_FORMAT_JPG))
        return false;
    return !orientation || testsupport::AddExif(path, orientation, nullptr);
}

class ViewerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kViewerProfileKey);
        ASSERT_TRUE(PutJpeg(temp.At(L"a.jpg"), 64, 48));
        ASSERT_TRUE(PutJpeg(temp.At(L"b.jpg"), 3000, 2000));
        ASSERT_TRUE(PutJpeg(temp.At(L"c.jpg"), 80, 120));
        ASSERT_TRUE(PutJpeg(temp.At(L"d.jpg"), 60, 40, 6));
        app = GetLumivoShowsApp();
        ASSERT_TRUE(app->Prepare((L"\"" + temp.Root() + L"\"").c_str()));
        app->m_bViewerOnly = false;
        ASSERT_TRUE(app->CreateMainFrame());
        main = app->m_pMainFrame;
        main->ShowWindow(SW_SHOWNORMAL);
        ASSERT_TRUE(PumpUntil([&] { return main->m_wndList.GetItemCount() == 4; }));
        PumpPending();
        g_error.clear();
    }
    void TearDown() override
    {
        if (g_pPicFullScreenFrame)
            g_pPicFullScreenFrame->DestroyWindow();
        if (main && ::IsWindow(main->GetSafeHwnd())) {
            const HWND hwnd = main->GetSafeHwnd();
            app->m_pMainWnd = nullptr;
            ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
            PumpFor(200);
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
            }
            app->m_pMainFrame = nullptr;
        }
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kViewerProfileKey);
    }
    CPicFullWnd& view() { return g_pPicFullScreenFrame->m_wndView; }
    CPicFullScreenFrame* Open(int index)
    {
        CPicFullScreenFrame* frame = CPicFullScreenFrame::OpenOnItem(main, index, false);
        if (frame) {
            frame->m_wndView.m_pTickCount = FakeTick;
            frame->m_pConfirmModify = Confirm;
            frame->m_pShowError = CatchError;
        }
        // Not PumpPending: an animation's timer keeps the queue busy.
        PumpFor(100);
        return frame;
    }
    void CloseViewer(CPicFullScreenFrame* frame)
    {
        frame->SendMessage(WM_CLOSE);
        PumpPending();
    }
    // Moves time on past the quick-move window and lets a running transition finish.
    void Later(CPicFullWnd& view)
    {
        g_tick += 1000;
        PumpUntil([&] { return !view.IsTransitionRunning(); });
    }

    TempFolder temp;
    CLumivoShowsApp* app = nullptr;
    CMainFrame* main = nullptr;
};

TEST_F(ViewerTest, OpensOverTheMainFrameAndGivesItBackAsItWas)
{
    for (bool maximized : {false, true}) {
        main->ShowWindow(maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        PumpPending();
        CPicFullScreenFrame* frame = Open(0);
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->IsWindowVisible());
        EXPECT_FALSE(main->IsWindowVisible()) << maximized;
        EXPECT_EQ(0, frame->m_wndView.GetCurrent());
        CloseViewer(frame);
        EXPECT_EQ(nullptr, g_pPicFullScreenFrame);
        EXPECT_TRUE(main->IsWindowVisible()) << maximized;
        EXPECT_EQ(maximized, main->IsZoomed() != FALSE);
    }
}

TEST_F(ViewerTest, ShowMaxFullPicIsWrittenOnlyWhenItChanged)
{
    auto stored = [] {
        DWORD value = 0, size = sizeof value;
        return ::RegGetValueW(HKEY_CURRENT_USER, kViewerProfileKey, L"ShowMaxFullPic", RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS
                   ? static_cast<int>(value)
                   : -1;
    };
    app->m_bShowMaxFullPic = false;
    CloseViewer(Open(0));
    EXPECT_EQ(-1, stored()) << "written though unchanged";
    CPicFullScreenFrame* frame = Open(0);
    frame->ShowWindow(SW_MAXIMIZE);
    CloseViewer(frame);
    EXPECT_EQ(1, stored());
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kViewerProfileKey, L"ShowMaxFullPic");
    frame = Open(0);
    EXPECT_TRUE(frame->IsZoomed()) << "opens as it was left";
    CloseViewer(frame);
    EXPECT_EQ(-1, stored());
}

TEST_F(ViewerTest, PastTheEndsANoteUnlessWrapping)
{
    CPicFullScreenFrame* frame = Open(3);
    CPicFullWnd& view = frame->m_wndView;
    const int notes = view.GetNoteCount();
    EXPECT_FALSE(view.ShowPicture(SHOW_NEXT, 0));
    EXPECT_EQ(L"This is the last one", view.GetLastNote());
    EXPECT_EQ(notes + 1, view.GetNoteCount());
    EXPECT_EQ(3, view.GetCurrent());
    EXPECT_TRUE(view.ShowPicture(SHOW_NEXT, SHOW_WRAP));
    EXPECT_EQ(0, view.GetCurrent());
    EXPECT_FALSE(view.ShowPicture(SHOW_PREVIOUS, 0));
    EXPECT_EQ(L"This is the first one", view.GetLastNote());
    EXPECT_EQ(0, view.GetCurrent());
    EXPECT_TRUE(view.ShowPicture(SHOW_PREVIOUS, SHOW_WRAP));
    EXPECT_EQ(3, view.GetCurrent());
    EXPECT_FALSE(view.ShowPicture(4, 0));
    EXPECT_FALSE(view.ShowPicture(-3, 0));
}

// The list and the viewer stay in step when a picture leaves the list; a sub-folder listed before
// the pictures is never the one that goes.
TEST_F(ViewerTest, RemoveItemKeepsTheListAndTheViewerInStep)
{
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"sub").c_str(), nullptr));
    main->m_wndList.Refresh();
    ASSERT_TRUE(PumpUntil([&] { return main->m_wndList.GetItemCount() == 5; }));
    CPicFullScreenFrame* frame = Open(1);
    ASSERT_NE(frame, nullptr);
    const struct {
        int showFirst, remove;
        int left, currentAfter;
        const wchar_t* shownAfter;
    } steps[] = {
        {1, 0, 3, 0, L"b.jpg"}, // one before the shown picture: the same picture shows
        {0, 0, 2, 0, L"c.jpg"}, // the shown one: its successor takes its place
        {1, 1, 1, 0, L"c.jpg"}, // the shown last one: the one before it shows
        {0, 0, 0, -1, nullptr}, // the last one of all
    };
    for (const auto& step : steps) {
        if (view().GetCurrent() != step.showFirst)
            view().ShowPicture(step.showFirst, SHOW_QUICK);
        Later(view());
        EXPECT_EQ(step.left, view().RemoveItem(step.remove)) << step.remove;
        Later(view());
        EXPECT_EQ(step.left + 1, main->m_wndList.GetItemCount());
        EXPECT_TRUE(main->m_wndList.GetItemState(0) & KQLS_FOLDER) << "the sub-folder stays listed";
        EXPECT_EQ(step.currentAfter, view().GetCurrent());
        if (step.shownAfter)
            EXPECT_EQ(temp.At(step.shownAfter), view().GetPath());
        EXPECT_EQ(static_cast<size_t>(step.left), view().GetStripCells().size());
    }
}

// A finished download reaches the viewer by the path it waits for and the ticket of its
// registration, so a record that a reload of the list made anew still counts and no record's
// address travels in the message.
TEST_F(ViewerTest, ADownloadEndsAtTheViewerByPathAndTicket)
{
    CPicFullScreenFrame* frame = Open(0);
    ASSERT_NE(frame, nullptr);
    PumpFor(100);
    CLumivoShowsDownloadFileList& queue = main->m_wndList.GetDownloadQueue();
    const HWND hwnd = view().GetSafeHwnd();
    const std::wstring waited = temp.At(L"online.jpg");
    const unsigned ticket = queue.RegisterViewer(hwnd, waited.c_str());
    EXPECT_NE(ticket, queue.RegisterViewer(hwnd, waited.c_str())) << "each registration its own ticket";
    const unsigned latest = queue.RegisterViewer(hwnd, waited.c_str());
    const struct {
        const wchar_t* name;
        bool loaded; // 0x707 rather than a plain refresh
    } rows[] = {{L"online.jpg", true}, {L"ONLINE.JPG", true}, {L"other.jpg", false}};
    for (const auto& row : rows) {
        MSG msg;
        while (::PeekMessageW(&msg, hwnd, KQLV_MSG_UPDATE_VIEW, WM_SHOWS_VIEWER_LOADED, PM_REMOVE)) {
        }
        CKQListFile reloaded(temp.At(row.name).c_str());
        queue.OnDownloadFinish(&reloaded, 404);
        EXPECT_EQ(row.loaded, queue.IsViewerItem(&reloaded)) << row.name;
        const bool loaded = ::PeekMessageW(&msg, hwnd, WM_SHOWS_VIEWER_LOADED, WM_SHOWS_VIEWER_LOADED, PM_REMOVE) != FALSE;
        EXPECT_EQ(row.loaded, loaded) << row.name;
        if (loaded) {
            EXPECT_EQ(404u, msg.wParam);
            EXPECT_EQ(static_cast<LPARAM>(latest), msg.lParam) << row.name;
        }
    }
    // A ticket the viewer does not hold changes nothing it shows.
    view().SendMessage(WM_SHOWS_VIEWER_LOADED, 404, latest);
    EXPECT_EQ(temp.At(L"a.jpg"), view().GetPath());
    EXPECT_TRUE(view().GetSplashText().empty());
    queue.RegisterViewer(nullptr, nullptr);
}

// Without a colour of its own the viewer's background is the skin's window colour, and it
// follows a change of skin while the viewer is open.
TEST_F(ViewerTest, AutomaticBackgroundIsTheSkinsWindowColour)
{
    const unsigned before = app->m_nSkin;
    app->m_viewerSettings.clrBackground = static_cast<COLORREF>(-1);
    CPicFullScreenFrame* frame = Open(0);
    ASSERT_NE(frame, nullptr);
    const struct {
        unsigned skin;
        COLORREF expected; // -1: whatever the skin's window colour is
    } rows[] = {{1, RGB(50, 50, 50)}, {0, static_cast<COLORREF>(-1)}, {4, static_cast<COLORREF>(-1)}};
    for (const auto& row : rows) {
        app->SetSkin(row.skin);
        EXPECT_EQ(globalData.clrWindow, view().m_crBack) << row.skin;
        if (row.expected != static_cast<COLORREF>(-1))
            EXPECT_EQ(row.expected, view().m_crBack) << "Black's viewer is as dark as its list";
    }
    app->m_viewerSettings.clrBackground = RGB(10, 200, 30);
    frame->ApplyBackground();
    EXPECT_EQ(RGB(10, 200, 30), view().m_crBack) << "a chosen colour wins over the skin";
    app->m_viewerSettings.clrBackground = static_cast<COLORREF>(-1);
    app->SetSkin(before);
}

TEST_F(ViewerTest, QuickMovesSkipTheSlideAndAStripClickGrows)
{
    CPicFullScreenFrame* frame = Open(0);
    CPicFullWnd& view = frame->m_wndView;
    Later(view);
    ASSERT_TRUE(view.ShowPicture(SHOW_NEXT, 0));
    EXPECT_EQ(TIMER_SLIDE, view.GetTransitionTimer());
    g_tick += 100;
    ASSERT_TRUE(view.ShowPicture(SHOW_NEXT, 0));
    EXPECT_FALSE(view.IsTransitionRunning()) << "a second move within 600 ms";
    EXPECT_EQ(2, view.GetCurrent());
    g_tick += 100;
    const viewer::StripCell* target = nullptr;
    for (const viewer::StripCell& c : view.GetStripCells())
        if (c.index == 0)
            target = &c;
    ASSERT_NE(target, nullptr);
    const POINT at = {(target->rect.left + target->rect.right) / 2, (target->rect.top + target->rect.bottom) / 2};
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(0, view.GetCurrent());
    EXPECT_EQ(TIMER_GROW, view.GetTransitionTimer());
    EXPECT_TRUE(PumpUntil([&] { return !view.IsTransitionRunning(); }));
}

TEST_F(ViewerTest, LockedZoomKeepsEveryPictureAtItWithoutASlide)
{
    CPicFullScreenFrame* frame = Open(0);
    CPicFullWnd& view = frame->m_wndView;
    frame->SendMessage(WM_COMMAND, ID_VIEWER_ZOOM_10 + 2); // 50 %
    EXPECT_FLOAT_EQ(0.5f, view.GetZoom());
    frame->SendMessage(WM_COMMAND, ID_VIEWER_LOCK);
    for (int i = 1; i < 4; ++i) {
        Later(view);
        ASSERT_TRUE(view.ShowPicture(SHOW_NEXT, 0));
        EXPECT_FLOAT_EQ(0.5f, view.GetZoom()) << i;
        EXPECT_FALSE(view.IsTransitionRunning()) << i;
        EXPECT_FALSE(view.m_bFitMode);
    }
    // The large picture is drawn at half its size, from its full decode.
    Later(view);
    view.ShowPicture(1, SHOW_QUICK);
    EXPECT_EQ(1500, view.GetPlace().width);
    EXPECT_EQ(3000u, view.GetShownEntry().source->GetWidth());
}

TEST_F(ViewerTest, KeysTable)
{
    CPicFullScreenFrame* frame = Open(1);
    CPicFullWnd& view = frame->m_wndView;
    struct Row {
        UINT vk;
        bool ctrl;
        int current, angle;
    } const rows[] = {
        {VK_RIGHT, false, 2, 0}, {VK_DOWN, false, 2, 0},   {VK_NEXT, false, 2, 0},      {VK_LEFT, false, 0, 0},
        {VK_UP, false, 0, 0},    {VK_PRIOR, false, 0, 0},  {VK_HOME, false, 0, 0},      {VK_END, false, 3, 0},
        {VK_RIGHT, true, 1, 90}, {VK_LEFT, true, 1, 270},  {'A', false, 1, 0},
    };
    BYTE keys[256] = {};
    for (const Row& r : rows) {
        view.ShowPicture(1, SHOW_QUICK);
        keys[VK_CONTROL] = r.ctrl ? 0x80 : 0;
        ::SetKeyboardState(keys);
        view.SendMessage(WM_KEYDOWN, r.vk, 0);
        EXPECT_EQ(r.current, view.GetCurrent()) << r.vk << (r.ctrl ? " ctrl" : "");
        EXPECT_EQ(r.angle, view.GetAngle()) << r.vk << (r.ctrl ? " ctrl" : "");
    }
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    view.ShowPicture(1, SHOW_QUICK);
    const float zoom = view.GetZoom();
    view.SendMessage(WM_KEYDOWN, VK_UP, 0);
    EXPECT_GT(view.GetZoom(), zoom);
    view.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    view.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_LT(view.GetZoom(), zoom);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);

    view.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(frame->IsViewerFullScreen());
    view.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PumpPending();
    EXPECT_FALSE(frame->IsViewerFullScreen()) << "Esc leaves full screen first";
    ASSERT_EQ(frame, g_pPicFullScreenFrame);
    view.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PumpPending();
    EXPECT_EQ(nullptr, g_pPicFullScreenFrame) << "then closes the viewer";
    EXPECT_TRUE(main->IsWindowVisible());
}

TEST_F(ViewerTest, WheelStepsAtMostOncePer150Ms)
{
    CPicFullScreenFrame* frame = Open(0);
    CPicFullWnd& view = frame->m_wndView;
    struct Row {
        unsigned after;
        short delta;
        int current;
    } const rows[] = {{1000, -120, 1}, {100, -120, 1}, {49, -120, 1}, {1, -120, 2}, {150, 120, 1}, {10, 120, 1}};
    for (const Row& r : rows) {
        g_tick += r.after;
        view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(r.delta)), MAKELPARAM(300, 300));
        EXPECT_EQ(r.current, view.GetCurrent()) << g_tick;
    }
}

TouchRecord Touch(TouchEvent e, std::initializer_list<POINT> points)
{
    TouchRecord r;
    r.event = e;
    for (POINT p : points)
        r.points[r.count++] = p;
    return r;
}

TEST_F(ViewerTest, PinchZoomsAndSwipeMovesOn)
{
    CPicFullScreenFrame* frame = Open(1);
    CPicFullWnd& view = frame->m_wndView;
    const float zoom = view.GetZoom();
    view.OnTouchRecord(Touch(TouchEvent::Down, {{300, 300}, {400, 300}}));
    view.OnTouchRecord(Touch(TouchEvent::Move, {{280, 300}, {420, 300}}));
    EXPECT_GT(view.GetZoom(), zoom);
    EXPECT_FALSE(view.m_bFitMode);
    view.OnTouchRecord(Touch(TouchEvent::Up, {}));
    EXPECT_EQ(1, view.GetCurrent());

    Later(view);
    view.OnTouchRecord(Touch(TouchEvent::Down, {{500, 300}}));
    view.OnTouchRecord(Touch(TouchEvent::Move, {{380, 305}}));
    EXPECT_EQ(2, view.GetCurrent());
    EXPECT_EQ(TIMER_SLIDE, view.GetTransitionTimer()) << "a swipe slides";
    view.OnTouchRecord(Touch(TouchEvent::Move, {{200, 305}}));
    EXPECT_EQ(2, view.GetCurrent()) << "once per touch";
    view.OnTouchRecord(Touch(TouchEvent::Up, {}));
}

TEST_F(ViewerTest, SaveOfATurnFailsOnAReadOnlyFileAndTurnsTheFileOnSuccess)
{
    CPicFullScreenFrame* frame = Open(3); // d.jpg: 60 x 40 pixels tagged to be turned right
    CPicFullWnd& view = frame->m_wndView;
    EXPECT_EQ(40, view.GetShownEntry().fullWidth) << "shown upright";
    EXPECT_EQ(60, view.GetShownEntry().fullHeight);
    frame->SendMessage(WM_COMMAND, ID_VIEWER_ROTATE_RIGHT);
    ASSERT_TRUE(frame->m_bRotationUnsaved);
    const std::wstring path = temp.At(L"d.jpg");
    const std::string before = TempFolder::Get(path);
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    frame->SendMessage(WM_COMMAND, ID_VIEWER_SAVE);
    EXPECT_NE(std::wstring::npos, g_error.find(L"d.jpg")) << g_error;
    EXPECT_TRUE(frame->m_bRotationUnsaved) << "a failed save leaves the turn unsaved";
    EXPECT_TRUE(before == TempFolder::Get(path)) << "the file changed";
    EXPECT_EQ(4u, temp.List().size()) << "nothing left beside the file";

    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    g_error.clear();
    frame->SendMessage(WM_COMMAND, ID_VIEWER_SAVE);
    EXPECT_TRUE(g_error.empty()) << g_error;
    EXPECT_FALSE(frame->m_bRotationUnsaved);
    EXPECT_EQ(4u, temp.List().size());
    // Turned right twice from the stored pixels: upright at 60 x 40 with the red half on the
    // right, whichever way a reader applies the orientation tag.
    CZVImage saved;
    ASSERT_TRUE(saved.LoadFile(path.c_str()));
    saved.RotateExif(0);
    EXPECT_EQ(60u, saved.GetWidth());
    EXPECT_EQ(40u, saved.GetHeight());
    EXPECT_GT(saved.GetPixelColor(55, 20).rgbRed, 200);
    EXPECT_GT(saved.GetPixelColor(5, 20).rgbBlue, 200);
    CZVImage raw;
    ASSERT_TRUE(raw.LoadFile(path.c_str()));
    EXPECT_EQ(60u, raw.GetWidth());
    EXPECT_GT(raw.GetPixelColor(55, 20).rgbRed, 200);
}

TEST_F(ViewerTest, SlideShowMovesOnAndStopsAtTheLastWithTheNote)
{
    ::RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kViewerProfileKey) + L"\\Browse").c_str(), L"iPlaySpeedTime", REG_DWORD,
                      "\x01\0\0\0", 4);
    CPicFullScreenFrame* frame = Open(1);
    CPicFullWnd& view = frame->m_wndView;
    view.m_pTickCount = nullptr;
    frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    ASSERT_TRUE(frame->IsSlideShow());
    EXPECT_TRUE(PumpUntil([&] { return view.GetCurrent() == 2; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return !frame->IsSlideShow(); }, 8000));
    EXPECT_EQ(3, view.GetCurrent());
    EXPECT_EQ(L"This is the last one", view.GetLastNote());
}

TEST_F(ViewerTest, AnimatedPictureShowsItsFramesAndDelay)
{
    const std::wstring gif = testsupport::BinDir() + L"\\Data\\Sample\\Spinner.gif";
    CPicFullScreenFrame* frame = CPicFullScreenFrame::OpenOnFile(main, gif.c_str());
    ASSERT_NE(frame, nullptr);
    CPicFullWnd& view = frame->m_wndView;
    EXPECT_EQ(-1, view.GetCurrent()) << "a file apart from the list";
    ASSERT_TRUE(view.IsAnimated());
    EXPECT_EQ(0u, view.GetAniCaption().find(L"8F x ")) << view.GetAniCaption();
    CWnd* bar = frame->m_wndAniBar.GetParentMiniFrame();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsWindowVisible());
    CString caption;
    bar->GetWindowText(caption);
    EXPECT_EQ(view.GetAniCaption(), std::wstring(caption));
    const long shown = view.GetShownEntry().source->GetFrame();
    EXPECT_TRUE(PumpUntil([&] { return view.GetShownEntry().source->GetFrame() != shown; }));
}


// A viewer opened on a file takes its place from the scan that ends next, or never: a folder
// opened later that lists the file leaves the viewer apart from the list.
TEST_F(ViewerTest, OnlyTheNextScanPlacesAFileTheViewerOpenedOn)
{
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"later").c_str(), nullptr));
    ASSERT_TRUE(PutJpeg(temp.At(L"later\\e.jpg"), 40, 30));
    const struct {
        std::wstring folder, file;
        int current; // after the scan of that folder, and still after that of the file's own one
    } cases[] = {{temp.Root(), temp.At(L"b.jpg"), 1}, {temp.Root(), temp.At(L"later\\e.jpg"), -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CPicFullScreenFrame* frame = CPicFullScreenFrame::OpenOnFile(main, c.file.c_str());
        ASSERT_NE(frame, nullptr);
        CPicFullWnd& view = frame->m_wndView;
        EXPECT_TRUE(view.AwaitsListPosition());
        main->m_wndList.OpenFolder(c.folder.c_str());
        PumpFor(100);
        ASSERT_TRUE(PumpUntil([&] { return !main->m_wndList.IsScanning() && !view.AwaitsListPosition(); }));
        EXPECT_EQ(c.current, view.GetCurrent());
        main->m_wndList.OpenFolder(temp.At(L"later").c_str());
        PumpFor(100);
        ASSERT_TRUE(PumpUntil([&] { return !main->m_wndList.IsScanning() && main->m_wndList.GetItemCount() == 1; }));
        PumpPending();
        EXPECT_EQ(c.current, view.GetCurrent()) << "the file's own folder read later";
        frame->DestroyWindow();
        PumpPending();
        main->m_wndList.OpenFolder(temp.Root().c_str());
        ASSERT_TRUE(PumpUntil([&] { return !main->m_wndList.IsScanning() && main->m_wndList.GetItemCount() == 5; }));
    }
}

// Started on an animated picture, the browser's main frame never shows: the animation bar
// belongs to the viewer and sits over its picture, at its bottom left.
TEST_F(ViewerTest, AnimationBarBelongsToTheViewerInAViewerOnlyStart)
{
    main->ShowWindow(SW_HIDE);
    app->m_bViewerOnly = true;
    const std::wstring gif = testsupport::BinDir() + L"\\Data\\Sample\\Spinner.gif";
    CPicFullScreenFrame* frame = CPicFullScreenFrame::OpenOnFile(main, gif.c_str());
    ASSERT_NE(frame, nullptr);
    PumpFor(200);
    CWnd* bar = frame->m_wndAniBar.GetParentMiniFrame();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(frame->GetSafeHwnd(), ::GetWindow(bar->GetSafeHwnd(), GW_OWNER));
    CRect area, place;
    frame->m_wndView.GetWindowRect(&area);
    bar->GetWindowRect(&place);
    EXPECT_TRUE(area.PtInRect(place.TopLeft()) && area.PtInRect(CPoint(place.left, place.bottom - 1)))
        << place.left << "," << place.top << " in " << area.left << "," << area.top << "," << area.right << "," << area.bottom;
    // Off with a still picture.
    frame->m_wndView.ShowPicture(0, SHOW_QUICK);
    PumpFor(100);
    EXPECT_FALSE(bar->IsWindowVisible());
    app->m_bViewerOnly = false;
    frame->DestroyWindow();
    PumpPending();
}

// The bar as it paints, one COLORREF a pixel, rows top down.
struct BarPixels {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(LONG x, LONG y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

BarPixels PaintBar(CNavigationBar& bar)
{
    BarPixels out;
    CRect client;
    bar.GetClientRect(&client);
    out.width = client.Width();
    out.height = client.Height();
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), out.width, -out.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    {
        CDC cdc;
        cdc.Attach(dc);
        bar.DoPaint(&cdc);
        cdc.Detach();
    }
    ::GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    for (int i = 0; i < out.width * out.height; ++i)
        out.pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return out;
}

CPoint Centre(const RECT& r)
{
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 3;
}

TEST_F(ViewerTest, NavBarShowsFolderOnlyInAViewerOnlyStartAndCloseOnlyInFullScreen)
{
    struct Row {
        bool viewerOnly, fullScreen;
    } const rows[] = {{false, false}, {false, true}, {true, false}, {true, true}};
    for (const Row& r : rows) {
        app->m_bViewerOnly = r.viewerOnly;
        CPicFullScreenFrame* frame = Open(0);
        ASSERT_NE(frame, nullptr);
        if (r.fullScreen)
            frame->SendMessage(WM_COMMAND, ID_VIEWER_FULL_SCREEN);
        PumpFor(100);
        CNavigationBar& bar = frame->m_wndNavBar;
        ASSERT_TRUE(bar.IsWindowVisible());
        EXPECT_EQ(!r.viewerOnly, !!bar.FindButton(viewer::NAV_FOLDER)->IsHidden()) << r.viewerOnly << r.fullScreen;
        EXPECT_EQ(!r.fullScreen, !!bar.FindButton(viewer::NAV_CLOSE)->IsHidden()) << r.viewerOnly << r.fullScreen;
        // Docked at the top of a windowed viewer; over the bottom of the picture in full screen.
        CRect client, place;
        frame->GetClientRect(&client);
        bar.GetWindowRect(&place);
        frame->ScreenToClient(&place);
        EXPECT_EQ(bar.GetRowHeight(), place.Height());
        EXPECT_EQ(client.Width(), place.Width());
        EXPECT_EQ(r.fullScreen ? client.bottom - bar.GetRowHeight() : client.top, place.top) << r.fullScreen;
        // Play stays in the middle either way.
        EXPECT_EQ(place.Width() / 2, Centre(bar.GetPlaces().buttons[viewer::NAV_PLAY]).x);
        if (!r.viewerOnly) {
            frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            PumpFor(300);
            SaveWindowPicture(frame->GetSafeHwnd(), OutFolder(L"viewer") + (r.fullScreen ? L"\\fullscreen.png" : L"\\windowed.png"));
        }
        app->m_bViewerOnly = false;
        frame->DestroyWindow();
        PumpPending();
    }
}

TEST_F(ViewerTest, NavBarIsDrawnOverItsBackgroundAndPlayShowsPauseDuringTheSlideShow)
{
    CPicFullScreenFrame* frame = Open(0);
    ASSERT_NE(frame, nullptr);
    CNavigationBar& bar = frame->m_wndNavBar;
    const viewer::NavBarPlaces& places = bar.GetPlaces();
    BarPixels before = PaintBar(bar);
    // Left of Previous on the background's middle row the background picture shows, not the
    // bar's face.
    CBCGPToolBarImages background;
    ASSERT_TRUE(background.Load(IDR_NAV_BACKGROUND));
    background.SetSingleImage();
    const LONG x = places.buttons[viewer::NAV_PREVIOUS].left - 6, y = (places.background.top + places.background.bottom) / 2;
    const uint32_t picture = background.GetPixels().At(x - places.background.left, y - places.background.top);
    ASSERT_EQ(0xFFu, picture >> 24) << "an opaque point of the background picture";
    EXPECT_TRUE(Near(RGB((picture >> 16) & 0xFF, (picture >> 8) & 0xFF, picture & 0xFF), before.At(x, y)));
    EXPECT_FALSE(Near(before.At(2, 2), before.At(x, y))) << "the face and the background differ there";
    // The play triangle is white in the middle; the pause picture is blue between its bars.
    const CPoint play = Centre(places.buttons[viewer::NAV_PLAY]);
    EXPECT_GT(GetBValue(before.At(play.x, play.y)), 240);
    EXPECT_GT(GetRValue(before.At(play.x, play.y)), 240);
    frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    ASSERT_TRUE(bar.m_bSlideShow);
    const BarPixels during = PaintBar(bar);
    EXPECT_LT(GetRValue(during.At(play.x, play.y)), 120) << "the pause picture";
    frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    EXPECT_FALSE(bar.m_bSlideShow);
    EXPECT_EQ(before.At(play.x, play.y), PaintBar(bar).At(play.x, play.y));
}

TEST_F(ViewerTest, HeldZoomInRepeatsUntilReleasedAlsoOutsideTheButton)
{
    CPicFullScreenFrame* frame = Open(1);
    ASSERT_NE(frame, nullptr);
    CPicFullWnd& view = frame->m_wndView;
    CNavigationBar& bar = frame->m_wndNavBar;
    bar.OnUpdateCmdUI(frame, TRUE);
    ASSERT_FALSE(bar.FindButton(viewer::NAV_ZOOM_IN)->IsDisabled());
    const CPoint at = Centre(bar.GetPlaces().buttons[viewer::NAV_ZOOM_IN]);
    struct Row {
        CPoint release;
        const char* where;
    } const rows[] = {{at, "over the button"}, {CPoint(2, 2), "outside"}};
    for (const Row& r : rows) {
        frame->SendMessage(WM_COMMAND, ID_VIEWER_AUTOMATIC);
        const float start = view.GetZoom();
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        EXPECT_TRUE(view.m_bZoomButtonHeld) << r.where;
        // Several steps, not one: the zoom goes on while the button is held.
        float seen = start;
        int steps = 0;
        PumpUntil([&] {
            if (view.GetZoom() != seen) {
                seen = view.GetZoom();
                ++steps;
            }
            return steps >= 3;
        }, 3000);
        EXPECT_GE(steps, 3) << r.where;
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.release.x, r.release.y));
        EXPECT_FALSE(view.m_bZoomButtonHeld) << r.where;
        const float released = view.GetZoom();
        PumpFor(300);
        EXPECT_EQ(released, view.GetZoom()) << r.where << ": the zoom stops with the release";
    }
}


// The music player as the frame sees it, without a sound device: what was asked of it.
class FakeMusic : public MusicPlayer {
public:
    enum State { Closed, Playing, Paused, Stopped };
    bool Create(CWnd*) override { return true; }
    bool OpenAndPlay(const wchar_t* path) override
    {
        opened.push_back(path);
        if (failOpen)
            return false;
        state = Playing;
        return true;
    }
    void Play() override { state = Playing; }
    void Pause() override
    {
        if (state == Playing)
            state = Paused;
    }
    void Stop() override { state = Stopped; }
    void SetVolume(double percent) override { volume = MusicVolumeUnits(percent); }
    void Close() override { state = Closed; }
    bool IsOpened() const override { return state == Playing || state == Paused; }
    bool HasWindow() const override { return true; }

    std::vector<std::wstring> opened;
    State state = Closed;
    int volume = -1;
    bool failOpen = false;
};

class ViewerMusicTest : public ViewerTest {
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        saved = app->m_viewerSettings;
        savedMusic = app->m_backgroundMusic;
        app->m_viewerSettings.playMusic = true;
        app->m_viewerSettings.volume = 50;
        app->m_backgroundMusic = {L"C:\\tunes\\one.wma", L"C:\\tunes\\two.mp3"};
        frame = Open(0);
        ASSERT_NE(frame, nullptr);
        auto player = std::make_unique<FakeMusic>();
        music = player.get();
        frame->SetMusicPlayer(std::move(player));
    }
    void TearDown() override
    {
        app->m_viewerSettings = saved;
        app->m_backgroundMusic = savedMusic;
        ViewerTest::TearDown();
    }
    void TuneEnds() { frame->SendMessage(MCIWNDM_NOTIFYMODE, 0, MCI_MODE_STOP); }
    bool MusicEnabled()
    {
        frame->m_wndNavBar.OnUpdateCmdUI(frame, TRUE);
        return !frame->m_wndNavBar.FindButton(viewer::NAV_MUSIC)->IsDisabled();
    }

    ViewerSettings saved;
    std::vector<std::wstring> savedMusic;
    CPicFullScreenFrame* frame = nullptr;
    FakeMusic* music = nullptr;
};

TEST(MusicVolume, TenthsOfAPercentTruncatedAndClamped)
{
    const struct {
        double percent;
        int units;
    } rows[] = {{0, 0}, {50, 500}, {12.34, 123}, {100, 1000}, {150, 1000}, {-5, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(r.units, MusicVolumeUnits(r.percent)) << r.percent;
}

TEST_F(ViewerMusicTest, TheListPlaysInALoopDuringTheSlideShowAndStopsWithIt)
{
    EXPECT_FALSE(MusicEnabled()) << "Music is enabled only during a slide show";
    frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    EXPECT_TRUE(MusicEnabled());
    ASSERT_EQ(1u, music->opened.size());
    EXPECT_EQ(L"C:\\tunes\\one.wma", music->opened[0]);
    EXPECT_EQ(500, music->volume);
    TuneEnds();
    TuneEnds();
    ASSERT_EQ(3u, music->opened.size());
    EXPECT_EQ(L"C:\\tunes\\two.mp3", music->opened[1]);
    EXPECT_EQ(L"C:\\tunes\\one.wma", music->opened[2]) << "past the last tune the list starts again";
    frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    EXPECT_EQ(FakeMusic::Stopped, music->state);
    EXPECT_EQ(-1, frame->GetMusicIndex());
    TuneEnds();
    EXPECT_EQ(3u, music->opened.size()) << "a stop after the slide show opens nothing";
    EXPECT_EQ(0, view().GetNoteCount());
}

TEST_F(ViewerMusicTest, AnEmptyListOrMusicOffLeavesTheSlideShowSilent)
{
    const struct {
        bool on;
        bool emptyList;
    } rows[] = {{true, true}, {false, false}};
    for (const auto& r : rows) {
        app->m_viewerSettings.playMusic = r.on;
        if (r.emptyList)
            app->m_backgroundMusic.clear();
        frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
        EXPECT_TRUE(frame->IsSlideShow());
        EXPECT_TRUE(music->opened.empty()) << r.on << r.emptyList;
        EXPECT_EQ(-1, frame->GetMusicIndex());
        TuneEnds();
        EXPECT_TRUE(music->opened.empty());
        frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    }
}

TEST_F(ViewerMusicTest, TheMusicButtonPausesAndResumesAndStartsMusicThatWasOff)
{
    app->m_viewerSettings.playMusic = false;
    frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    EXPECT_TRUE(music->opened.empty());
    frame->SendMessage(WM_COMMAND, ID_VIEWER_MUSIC);
    EXPECT_TRUE(app->m_viewerSettings.playMusic);
    ASSERT_EQ(1u, music->opened.size());
    EXPECT_EQ(FakeMusic::Playing, music->state);
    frame->SendMessage(WM_COMMAND, ID_VIEWER_MUSIC);
    EXPECT_FALSE(app->m_viewerSettings.playMusic);
    EXPECT_EQ(FakeMusic::Paused, music->state);
    frame->SendMessage(WM_COMMAND, ID_VIEWER_MUSIC);
    EXPECT_EQ(FakeMusic::Playing, music->state);
    EXPECT_EQ(1u, music->opened.size()) << "resumed, not opened again";
}

TEST_F(ViewerMusicTest, WithoutASoundDeviceOneNoteASlideShow)
{
    music->failOpen = true;
    for (int show = 1; show <= 2; ++show) {
        frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
        EXPECT_TRUE(frame->IsSlideShow()) << "the slide show runs silently";
        EXPECT_EQ(-1, frame->GetMusicIndex());
        frame->SendMessage(WM_COMMAND, ID_VIEWER_MUSIC);
        frame->SendMessage(WM_COMMAND, ID_VIEWER_MUSIC);
        EXPECT_EQ(show, view().GetNoteCount());
        EXPECT_EQ(L"Background music is not available", view().GetLastNote());
        frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    }
}

TEST_F(ViewerMusicTest, TheRealPlayerRefusesWhatItCannotOpen)
{
    CMCIControl player;
    EXPECT_FALSE(player.OpenAndPlay(L"x.wma")) << "no window yet";
    ASSERT_TRUE(player.Create(frame));
    EXPECT_TRUE(player.Create(frame)) << "a second create keeps the window";
    EXPECT_FALSE(player.OpenAndPlay(L""));
    EXPECT_FALSE(player.OpenAndPlay(temp.At(L"missing.wma").c_str()));
    EXPECT_FALSE(player.IsOpened());
    player.Close();
    EXPECT_FALSE(player.HasWindow());
}


// The options' volume slider, moved while a slide show plays music, from inside the sheet.
CSheetOption* g_volumeSheet;
int g_volumeBeforeApply = -1, g_settingBeforeApply = -1;

void CALLBACK MoveVolumeSlider(HWND, UINT, UINT_PTR id, DWORD)
{
    CPagePicViewOption& page = g_volumeSheet->m_pagePicView;
    if (!page.GetSafeHwnd())
        return;
    ::KillTimer(nullptr, id);
    page.m_sliderVolume.SetPos(80);
    page.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 80), reinterpret_cast<LPARAM>(page.m_sliderVolume.GetSafeHwnd()));
    g_volumeBeforeApply = static_cast<FakeMusic*>(g_pPicFullScreenFrame->GetMusicPlayer())->volume;
    g_settingBeforeApply = GetLumivoShowsApp()->m_viewerSettings.volume;
    g_volumeSheet->PostMessage(WM_COMMAND, IDCANCEL);
}

TEST_F(ViewerMusicTest, TheVolumeSliderChangesTheMusicAtOnceBeforeApply)
{
    frame->SendMessage(WM_COMMAND, ID_VIEWER_PLAY);
    ASSERT_EQ(500, music->volume);
    CSheetOption sheet(L"Option");
    g_volumeSheet = &sheet;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, MoveVolumeSlider);
    sheet.DoModal();
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(800, g_volumeBeforeApply);
    EXPECT_EQ(50, g_settingBeforeApply) << "the setting waits for Apply";
}


// The viewer's commands on its picture, with the list's questions answered here.
class ViewerCommandTest : public ViewerTest {
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        CPictureListView& list = main->m_wndList;
        list.m_messageBox = [this](const wchar_t* text, UINT) {
            boxes.push_back(text);
            return IDYES;
        };
        list.m_inputText = [this](wchar_t* text, const wchar_t*, const wchar_t*) {
            wcsncpy(text, typed.c_str(), MAX_PATH - 1);
            return true;
        };
        list.m_recycle = [](const KQPathSet& paths) {
            bool all = true;
            for (auto it = paths.Begin(); !it.IsEnd(); it.Next())
                all = ::DeleteFileW(it.GetKey().GetString()) && all;
            return all;
        };
    }
    std::vector<std::wstring> boxes;
    std::wstring typed;
};

TEST_F(ViewerCommandTest, DeleteAsksOnceShowsTheNeighbourAndTheLastPictureClosesTheViewer)
{
    CPicFullScreenFrame* frame = Open(3);
    ASSERT_NE(frame, nullptr);
    // The last picture goes: the one before it shows; then the first, and its neighbour shows.
    const struct {
        int current;
        const wchar_t* gone;
        const wchar_t* shownAfter;
    } steps[] = {{3, L"d.jpg", L"c.jpg"}, {2, L"c.jpg", L"b.jpg"}, {0, L"a.jpg", L"b.jpg"}};
    for (const auto& step : steps) {
        if (view().GetCurrent() != step.current)
            view().ShowPicture(step.current, SHOW_QUICK);
        Later(view());
        boxes.clear();
        frame->SendMessage(WM_COMMAND, ID_VIEWER_DELETE);
        EXPECT_EQ(1u, boxes.size()) << step.gone << ": asked once";
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(temp.At(step.gone).c_str()));
        Later(view());
        EXPECT_EQ(temp.At(step.shownAfter), view().GetPath()) << step.gone;
    }
    boxes.clear();
    frame->SendMessage(WM_COMMAND, ID_VIEWER_DELETE);
    EXPECT_EQ(1u, boxes.size());
    PumpPending();
    EXPECT_EQ(nullptr, g_pPicFullScreenFrame) << "no picture left: the viewer closed";
    EXPECT_TRUE(main->IsWindowVisible());
    EXPECT_TRUE(PumpUntil([&] { return main->m_wndList.GetItemCount() == 0; })) << "the list read its folder again";
}

TEST_F(ViewerCommandTest, DeleteAnsweredNoKeepsThePicture)
{
    CPicFullScreenFrame* frame = Open(1);
    ASSERT_NE(frame, nullptr);
    main->m_wndList.m_messageBox = [this](const wchar_t* text, UINT) {
        boxes.push_back(text);
        return IDNO;
    };
    frame->SendMessage(WM_COMMAND, ID_VIEWER_DELETE);
    EXPECT_EQ(1u, boxes.size());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(temp.At(L"b.jpg").c_str()));
    EXPECT_EQ(temp.At(L"b.jpg"), view().GetPath());
}

TEST_F(ViewerCommandTest, RenameTable)
{
    CPicFullScreenFrame* frame = Open(1);
    ASSERT_NE(frame, nullptr);
    const struct {
        const wchar_t* typed;
        const wchar_t* pathAfter; // in the temporary folder
        bool refused;
    } rows[] = {
        {L"b", L"b.jpg", false},          // the same name: nothing happens, nothing is said
        {L"", L"b.jpg", false},           // nothing typed
        {L"c", L"b.jpg", true},           // a name in use: "Fail to rename"
        {L"\\", L"b.jpg", true},          // not a name
        {L"..\\up", L"b.jpg", true},      // out of the folder
        {L"sea", L"sea.jpg", false},      // the extension stays
    };
    for (const auto& r : rows) {
        typed = r.typed;
        boxes.clear();
        frame->SendMessage(WM_COMMAND, ID_VIEWER_RENAME);
        EXPECT_EQ(r.refused ? 1u : 0u, boxes.size()) << r.typed;
        EXPECT_EQ(temp.At(r.pathAfter), view().GetPath()) << r.typed;
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(temp.At(r.pathAfter).c_str())) << r.typed;
        if (!wcscmp(r.typed, L"c"))
            EXPECT_EQ(0u, boxes.front().find(L"Fail to rename")) << boxes.front();
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(temp.At(L"up.jpg").c_str()));
    CString title;
    frame->GetWindowText(title);
    EXPECT_NE(-1, title.Find(L"sea.jpg")) << title.GetString();
}

TEST_F(ViewerCommandTest, ZoomItemCarriesTheCheckMarkAfterUse)
{
    CPicFullScreenFrame* frame = Open(1);
    ASSERT_NE(frame, nullptr);
    for (UINT id = ID_VIEWER_ZOOM_10; id <= ID_VIEWER_ZOOM_400; ++id) {
        frame->SendMessage(WM_COMMAND, id);
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_VIEWER_SHOW_MODE));
        CMenu* popup = menu.GetSubMenu(0);
        frame->PrepareShowModeMenu(popup);
        for (UINT other = ID_VIEWER_ZOOM_10; other <= ID_VIEWER_ZOOM_400; ++other)
            EXPECT_EQ(other == id, (popup->GetMenuState(other, MF_BYCOMMAND) & MF_CHECKED) != 0) << id << " " << other;
    }
}

TEST_F(ViewerCommandTest, SizeMenuIsEnabledOnlyOverOnlineMaterialAndChecksTheChosenSize)
{
    CPicFullScreenFrame* frame = Open(0);
    ASSERT_NE(frame, nullptr);
    // A local folder: the size menu is disabled.
    struct EnableProbe : CCmdUI {
        int enabled = -1;
        void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    } probe;
    probe.m_nID = ID_VIEWER_ONLINE_SIZE;
    probe.DoUpdate(frame, FALSE);
    EXPECT_EQ(0, probe.enabled);
    for (UINT id = ID_VIEWER_SIZE_SMALL; id <= ID_VIEWER_SIZE_FULL; ++id) {
        frame->SendMessage(WM_COMMAND, id);
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_VIEWER_ONLINE_SIZE));
        frame->PrepareSizeMenu(menu.GetSubMenu(0));
        for (UINT other = ID_VIEWER_SIZE_SMALL; other <= ID_VIEWER_SIZE_FULL; ++other)
            EXPECT_EQ(other == id, (menu.GetSubMenu(0)->GetMenuState(other, MF_BYCOMMAND) & MF_CHECKED) != 0);
    }
    EXPECT_EQ(L'F', CPicFullScreenFrame::s_onlineSize);
}

TEST_F(ViewerCommandTest, CopyAndMoveGoToTheApplicationMarkedAsFromTheViewer)
{
    CPicFullScreenFrame* frame = Open(0);
    ASSERT_NE(frame, nullptr);
    static std::vector<std::pair<UINT, bool>> seen;
    seen.clear();
    CPicFullScreenFrame::s_pFileCommand = [](UINT id) {
        seen.push_back({id, g_pPicFullScreenFrame->IsFileCommandFromViewer()});
    };
    for (UINT id : {32970u, 32991u, 33010u, 33011u, 33030u, 33033u, 33034u})
        frame->SendMessage(WM_COMMAND, id);
    CPicFullScreenFrame::s_pFileCommand = nullptr;
    ASSERT_EQ(7u, seen.size());
    for (const auto& s : seen)
        EXPECT_TRUE(s.second) << s.first;
    EXPECT_FALSE(frame->IsFileCommandFromViewer()) << "cleared after the command";
}


TEST_F(ViewerCommandTest, WallpaperCommandsTakeTheViewersPictureAndACopyNeverReplacesOne)
{
    editorapp::RegValueGuard wallpaperValue{HKEY_CURRENT_USER, L"Software\\Lumivo", L"WallpaperFolder"};
    const std::wstring walls = temp.At(L"walls");
    ASSERT_TRUE(::CreateDirectoryW(walls.c_str(), nullptr));
    ASSERT_TRUE(SetKQFolder(walls.c_str(), KQ_FOLDER_WALLPAPER));
    ASSERT_TRUE(TempFolder::Put(walls + L"\\b.jpg", "theirs"));
    CPicFullScreenFrame* frame = Open(1);
    ASSERT_NE(frame, nullptr);
    frame->SendMessage(WM_COMMAND, 32900); // Copy to Wallpaper Folder
    frame->SendMessage(WM_COMMAND, 32900);
    EXPECT_EQ("theirs", TempFolder::Get(walls + L"\\b.jpg")) << "a picture of the same name was replaced";
    int copies = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((walls + L"\\*.jpg").c_str(), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &found))
        ++copies;
    if (find != INVALID_HANDLE_VALUE)
        ::FindClose(find);
    EXPECT_EQ(3, copies) << "the two copies take names of their own";

    // The viewer asks about its own picture; No leaves the desktop alone.
    wchar_t before[MAX_PATH] = {}, after[MAX_PATH] = {};
    ::SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, before, 0);
    main->m_wndList.m_messageBox = [this](const wchar_t* text, UINT) {
        boxes.push_back(text);
        return IDNO;
    };
    boxes.clear();
    frame->SendMessage(WM_COMMAND, 33037); // Center
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Are you sure to change the wallpaper ?", boxes[0]);
    ::SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, after, 0);
    EXPECT_STREQ(before, after);
    SetKQFolder(nullptr, KQ_FOLDER_WALLPAPER);
}

} // namespace
