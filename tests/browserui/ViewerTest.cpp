// The picture viewer in real windows over the browser's main frame, on a folder of pictures of
// its own: navigation and its notes, transitions, the locked zoom, keys, wheel and touch, saving
// a turned picture, the slide show, and how the viewer hides and gives back the main frame.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "LumivoShowsApp.h"
#include "MiniFrameWnd.h"
#include "MainFrame.h"
#include "PicFullScreenFrame.h"
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
    if (!orientation)
        return true;
    std::string bytes = TempFolder::Get(path);
    // APP1 with a one-entry IFD: tag 0x0112 (orientation), SHORT, 1.
    const unsigned char exif[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                                  0x12, 0x01, 3, 0, 1, 0, 0, 0, static_cast<unsigned char>(orientation), 0, 0, 0, 0, 0, 0, 0};
    bytes.insert(2, reinterpret_cast<const char*>(exif), sizeof exif);
    return TempFolder::Put(path, bytes);
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

} // namespace
