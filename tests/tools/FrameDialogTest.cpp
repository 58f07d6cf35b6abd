// The photo frame dialogs on real windows: each twin over a real edit view in a test frame
// registered as the editor, the effect studio or the page maker, with a drawn frame file, driven
// from inside the dialog's modal loop.
#include <algorithm>
#include <atomic>
#include <cstring>
#include "DlgFrameMain.h"
#include "DlgProcFrame.h"
#include "FrameDialogIds.h"
#include "LayerInfo.h"
#include "NewPictureTest.h"
#include "PicEditView.h"
#include "TestSupport.h"
#include "ToolHost.h"

using namespace newpicturetest;

namespace framedialogtest {

const float kSixth = float(3.14159265358979323846 / 6);

class CFrameTestFrame : public CFrameWnd {
    DECLARE_DYNAMIC(CFrameTestFrame)
public:
    CPicEditView view;
};
IMPLEMENT_DYNAMIC(CFrameTestFrame, CFrameWnd)

CPicEditView* FrameTestView(CWnd* frame)
{
    return &static_cast<CFrameTestFrame*>(frame)->view;
}

CZVImage Gradient(long width, long height)
{
    CZVImage p;
    p.Create(width, height, 24);
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            p.SetPixelColor(x, y, RGBQUAD{BYTE(x * 4), BYTE(y * 5), BYTE(200 - x - y), 0});
    return p;
}

// A frame with a striped border of the given depth and a clear middle.
CZVImage DrawnFrame(long width, long height, long border)
{
    CZVImage f;
    f.Create(width, height, 24);
    f.AlphaCreate();
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x) {
            const long depth = std::min(std::min(x, y), std::min(width - 1 - x, height - 1 - y));
            f.SetPixelColor(x, y, RGBQUAD{BYTE(50 * depth), BYTE(250 - 5 * x), BYTE(9 * y), BYTE(depth < border ? 255 : 0)},
                            true);
        }
    return f;
}

bool SamePixels(const CZVImage& a, const CZVImage& b)
{
    if (!a.IsValid() || !b.IsValid() || a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() ||
        a.AlphaIsValid() != b.AlphaIsValid())
        return false;
    for (long y = 0; y < long(a.GetHeight()); ++y)
        for (long x = 0; x < long(a.GetWidth()); ++x) {
            const RGBQUAD p = a.GetPixelColor(x, y, true), q = b.GetPixelColor(x, y, true);
            if (std::memcmp(&p, &q, sizeof p) != 0)
                return false;
        }
    return true;
}

// What the dialogs should have put on the layer.
CZVImage Framed(const CZVImage& picture, const CZVImage& frame, int zoom, int type, FrameAdjustments adjust = {})
{
    CZVImage framed(picture);
    EXPECT_TRUE(FramePicture(framed, frame, zoom, type, adjust));
    return framed;
}

// Each render waits first, a step at a time, giving up when stopped.
template <class Twin>
class CSlowFrameDialog : public Twin {
public:
    DWORD delay = 0;
    std::atomic<int> renders{0};

protected:
    bool Render(CFrameRun& run) override
    {
        ++renders;
        for (DWORD waited = 0; waited < delay; waited += 10) {
            if (run.stop.load())
                return false;
            ::Sleep(10);
        }
        return Twin::Render(run);
    }
};
typedef CSlowFrameDialog<CDlgFrameMain> CTestFrameMain;
typedef CSlowFrameDialog<CDlgProcFrame> CTestProcFrame;

// Closes every message box of this thread, other than the dialog, from inside the box's own
// loop, counting them and keeping the last one's texts.
struct BoxCloser {
    const CWnd* dialog = nullptr;
    int boxes = 0;
    std::wstring said;
};
BoxCloser* g_closer = nullptr;

BOOL CALLBACK AddChildText(HWND child, LPARAM param)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(child, text, 512);
    *reinterpret_cast<std::wstring*>(param) += text;
    return TRUE;
}

BOOL CALLBACK CloseMessageBox(HWND window, LPARAM)
{
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (!g_closer || window == g_closer->dialog->m_hWnd || std::wcscmp(name, L"#32770") != 0 || !::IsWindowVisible(window) ||
        ::GetPropW(window, L"FrameTestClosed"))
        return TRUE;
    ::SetPropW(window, L"FrameTestClosed", HANDLE(1));
    ++g_closer->boxes;
    g_closer->said.clear();
    ::EnumChildWindows(window, AddChildText, reinterpret_cast<LPARAM>(&g_closer->said));
    ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void CALLBACK CloseBoxesTick(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseMessageBox, 0);
}

class FrameDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frameFile = folder.At(L"Frame.png");
        ASSERT_TRUE(DrawnFrame(40, 30, 6).Save(frameFile.c_str(), 4));
        frameFromFile.LoadFile(frameFile.c_str());
        frame = new CFrameTestFrame;
        Register(ToolHostKind::Editor);
        ASSERT_TRUE(frame->Create(nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 60, 740, 560)));
        AfxGetApp()->m_pMainWnd = frame;
        ASSERT_TRUE(View().CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400,
                                    frame->m_hWnd, nullptr));
        View().UpdateClientRect();
        ASSERT_TRUE(View().doc.OpenImage(Gradient(60, 40)));
        // The redraw flag stays raised for the test to see.
        View().KillTimer(CLayeredViewWnd::kRedrawTimer);
        View().redrawPending = 0;
        original.Copy(Layer(0)->displayed);
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        else
            delete frame;
        UnregisterToolHostFrame(RUNTIME_CLASS(CFrameTestFrame));
        PumpPending();
    }
    void Register(ToolHostKind kind, ToolHostHooks hooks = ToolHostHooks())
    {
        RegisterToolHostFrame(RUNTIME_CLASS(CFrameTestFrame), kind, FrameTestView, hooks);
    }
    CPicEditView& View() { return frame->view; }
    CLayerInfo* Layer(int id) { return View().doc.layers.GetLayer(id); }
    void Prepare(CDlgFrameBase& dialog, int mask, const std::wstring& path = L"")
    {
        dialog.m_strFramePath = (path.empty() ? frameFile : path).c_str();
        dialog.m_nFrameMask = mask;
        dialog.m_nFrameType = FrameTypeFromMask(mask);
    }
    int Run(CDlgFrameBase& dialog, const std::function<void(HWND)>& act)
    {
        ActOnDialog(act);
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(DialogActDone());
        return int(result);
    }
    static bool Idle(CDlgFrameBase& dialog) { return !dialog.IsRendering(); }

    testsupport::TempFolder folder;
    std::wstring frameFile;
    CZVImage frameFromFile;
    CFrameTestFrame* frame = nullptr;
    CZVImage original;
};

bool StripShown(HWND dialog)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, CDlgFrameBase::kProgressId)) != FALSE;
}

TEST_F(FrameDialogTest, OpensOverTheViewRendersAtOnceAndOkKeepsIt)
{
    CTestFrameMain dialog;
    Prepare(dialog, FRAME_BIT_SURROUND);
    RECT placed = {}, view = {};
    std::wstring title;
    bool landed = false, strip = true;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        landed = PumpUntil([&] { return Idle(dialog); }) && SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 100, FRAME_SURROUND));
        strip = StripShown(w);
        EXPECT_EQ(View().redrawPending.load(), 1);
        ::GetWindowRect(w, &placed);
        View().GetWindowRect(&view);
        wchar_t caption[64] = {};
        ::GetWindowTextW(w, caption, 64);
        title = caption;
        ::SendMessageW(w, WM_COMMAND, IDOK, 0);
    }), IDOK);
    EXPECT_TRUE(landed);
    EXPECT_FALSE(strip);
    EXPECT_EQ(title, L"Frame");
    EXPECT_TRUE(SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 100, FRAME_SURROUND)));
    EXPECT_EQ(placed.top, view.top + 5);
    EXPECT_EQ(placed.left, view.left + ((view.right - view.left) - (placed.right - placed.left)) / 2);
}

// The radios and the zoom row as the mask leaves them, in the editor's twin at opening.
TEST_F(FrameDialogTest, TheMaskSetsTheRadiosAndTheZoomRow)
{
    const struct {
        int mask;
        bool enabled[3];
        int checked;
        bool zoomRow;
    } cases[] = {
        {0, {false, false, false}, -1, false}, {1, {true, false, false}, 0, false},
        {2, {false, true, false}, 1, true},    {4, {false, false, true}, 2, true},
        {6, {false, true, true}, 2, true},     {7, {true, true, true}, 2, true},
    };
    const int radios[3] = {IDC_FRAME_TYPE_ZOOM, IDC_FRAME_TYPE_CORNERS, IDC_FRAME_TYPE_SURROUND};
    const int zoomRow[4] = {IDC_FRAME_ZOOM_LABEL, IDC_FRAME_ZOOM_SLIDER, IDC_FRAME_ZOOM, IDC_FRAME_PERCENT};
    for (const auto& c : cases) {
        CTestFrameMain dialog;
        Prepare(dialog, c.mask);
        EXPECT_EQ(Run(dialog, [&](HWND w) {
            for (int type = 0; type < 3; ++type) {
                EXPECT_EQ(Enabled(w, radios[type]), c.enabled[type]) << "mask " << c.mask << " type " << type;
                EXPECT_EQ(Checked(w, radios[type]), type == c.checked) << "mask " << c.mask << " type " << type;
            }
            for (int id : zoomRow)
                EXPECT_EQ(Enabled(w, id), c.zoomRow) << "mask " << c.mask << " control " << id;
            EXPECT_EQ(ItemText(w, IDC_FRAME_ZOOM), L"100");
            EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
            ::SendMessageW(w, WM_COMMAND, IDOK, 0);
        }), IDOK) << "mask " << c.mask;
        // With no type allowed the caller's type is still rendered.
        EXPECT_TRUE(SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 100, FrameTypeFromMask(c.mask))))
            << "mask " << c.mask;
    }
}

TEST_F(FrameDialogTest, ATypeOrZoomChangeRendersAgainAndTheZoomRowFollowsTheType)
{
    CTestFrameMain dialog;
    Prepare(dialog, 7);
    bool corners = false, zoomed = false, stretched = false, rowOffForZoom = true, rowOnForCorners = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
        Click(w, IDC_FRAME_TYPE_CORNERS);
        rowOnForCorners = Enabled(w, IDC_FRAME_ZOOM_SLIDER);
        corners = PumpUntil([&] { return Idle(dialog); }) &&
                  SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 100, FRAME_CORNERS));
        Type(w, IDC_FRAME_ZOOM, L"60");
        EXPECT_EQ(::SendDlgItemMessageW(w, IDC_FRAME_ZOOM_SLIDER, TBM_GETPOS, 0, 0), 60);
        zoomed = PumpUntil([&] { return Idle(dialog); }) &&
                 SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 60, FRAME_CORNERS));
        Click(w, IDC_FRAME_TYPE_ZOOM);
        rowOffForZoom = Enabled(w, IDC_FRAME_ZOOM_SLIDER);
        stretched = PumpUntil([&] { return Idle(dialog); }) &&
                    SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 60, FRAME_ZOOM));
        ::SendMessageW(w, WM_COMMAND, IDOK, 0);
    }), IDOK);
    EXPECT_TRUE(corners);
    EXPECT_TRUE(zoomed);
    EXPECT_TRUE(stretched);
    EXPECT_TRUE(rowOnForCorners);
    EXPECT_FALSE(rowOffForZoom);
    EXPECT_EQ(dialog.renders.load(), 4);
}

TEST_F(FrameDialogTest, AFrameWiderThanThePictureOpensLoweredAndTheUsersZoomStays)
{
    const std::wstring wide = folder.At(L"Wide.png");
    ASSERT_TRUE(DrawnFrame(80, 60, 10).Save(wide.c_str(), 4));
    CZVImage wideFrame;
    ASSERT_TRUE(wideFrame.LoadFile(wide.c_str()));
    CTestFrameMain dialog;
    Prepare(dialog, FRAME_BIT_SURROUND, wide);
    std::wstring opened, later;
    bool firstLowered = false, laterKept = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        firstLowered = PumpUntil([&] { return Idle(dialog); }) &&
                       SamePixels(Layer(0)->displayed, Framed(original, wideFrame, 75, FRAME_SURROUND));
        opened = ItemText(w, IDC_FRAME_ZOOM);
        Type(w, IDC_FRAME_ZOOM, L"90");
        EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
        Click(w, IDC_FRAME_TYPE_SURROUND);
        laterKept = PumpUntil([&] { return Idle(dialog); }) &&
                    SamePixels(Layer(0)->displayed, Framed(original, wideFrame, 90, FRAME_SURROUND));
        later = ItemText(w, IDC_FRAME_ZOOM);
        ::SendMessageW(w, WM_COMMAND, IDOK, 0);
    }), IDOK);
    EXPECT_TRUE(firstLowered);   // 60 / 80 x 100
    EXPECT_EQ(opened, L"75");
    EXPECT_TRUE(laterKept);
    EXPECT_EQ(later, L"90");
}

TEST_F(FrameDialogTest, OkDuringASlowRenderWaitsForItAndKeepsIt)
{
    CTestFrameMain dialog;
    Prepare(dialog, FRAME_BIT_CORNERS);
    dialog.delay = 600;
    bool wasRendering = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        wasRendering = dialog.IsRendering() && StripShown(w);
        ::SendMessageW(w, WM_COMMAND, IDOK, 0);
    }), IDOK);
    EXPECT_TRUE(wasRendering);
    EXPECT_EQ(dialog.renders.load(), 1);
    EXPECT_TRUE(SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 100, FRAME_CORNERS)));
}

// Changes while a render is being stopped make one render, of the last choice; OK right after
// them waits for that one and keeps it.
TEST_F(FrameDialogTest, ChangesDuringARenderMakeOneRenderOfTheLastChoice)
{
    CTestFrameMain dialog;
    Prepare(dialog, 7);
    dialog.delay = 300;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.renders.load() == 1; }));
        Click(w, IDC_FRAME_TYPE_CORNERS);
        Type(w, IDC_FRAME_ZOOM, L"60");
        Type(w, IDC_FRAME_ZOOM, L"70");
        ::SendMessageW(w, WM_COMMAND, IDOK, 0);
    }), IDOK);
    EXPECT_EQ(dialog.renders.load(), 2);
    EXPECT_TRUE(SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 70, FRAME_CORNERS)));
}

TEST_F(FrameDialogTest, CancelAfterThreeRendersPutsTheLayerBackPixelForPixel)
{
    CTestFrameMain dialog;
    Prepare(dialog, 7);
    bool changed = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
        Click(w, IDC_FRAME_TYPE_CORNERS);
        EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
        Type(w, IDC_FRAME_ZOOM, L"150");
        EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
        changed = !SamePixels(Layer(0)->displayed, original);
        ::SendMessageW(w, WM_COMMAND, IDCANCEL, 0);
    }), IDCANCEL);
    EXPECT_EQ(dialog.renders.load(), 3);
    EXPECT_TRUE(changed);
    EXPECT_TRUE(SamePixels(Layer(0)->displayed, original));
}

TEST_F(FrameDialogTest, CancelDuringASlowRenderStopsItAndPutsTheLayerBack)
{
    CTestFrameMain dialog;
    Prepare(dialog, FRAME_BIT_SURROUND);
    dialog.delay = 10000;
    bool idleAfter = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.renders.load() == 1; }));
        ::SendMessageW(w, WM_COMMAND, IDCANCEL, 0);
        idleAfter = !dialog.IsRendering() && !dialog.IsWorking();
    }), IDCANCEL);
    EXPECT_TRUE(idleAfter);
    EXPECT_TRUE(SamePixels(Layer(0)->displayed, original));
}

TEST_F(FrameDialogTest, AStaleCompletionChangesNothing)
{
    CTestFrameMain dialog;
    Prepare(dialog, 7);
    dialog.delay = 400;
    bool stillRendering = false, untouched = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.renders.load() == 1; }));
        Click(w, IDC_FRAME_TYPE_CORNERS);
        // The replaced render's end, as if its message arrived late.
        ::PostMessageW(w, CDlgFrameBase::kRenderDone, dialog.CurrentRunId() - 1, FRAME_RENDER_DONE);
        PumpFor(100);
        stillRendering = dialog.IsRendering() && StripShown(w);
        untouched = SamePixels(Layer(0)->displayed, original);
        ::SendMessageW(w, WM_COMMAND, IDCANCEL, 0);
    }), IDCANCEL);
    EXPECT_TRUE(stillRendering);
    EXPECT_TRUE(untouched);
}

// The file is named once however often it fails; the dialog stays usable and the layer as it was.
TEST_F(FrameDialogTest, AnUnreadableFrameIsSaidOnceAndLeavesTheLayer)
{
    const std::wstring missing = folder.At(L"Missing.png");
    CTestFrameMain dialog;
    Prepare(dialog, 7, missing);
    BoxCloser closer;
    closer.dialog = &dialog;
    g_closer = &closer;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, CloseBoxesTick);
    bool stripHidden = false, okWorks = false;
    // The box may come before the dialog is shown: the act waits for the dialog itself.
    std::function<void(HWND)> act = [&](HWND w) {
        if (w != dialog.m_hWnd) {
            ActOnDialog(act, w);
            return;
        }
        EXPECT_TRUE(PumpUntil([&] { return closer.boxes == 1 && Idle(dialog) && ::IsWindowEnabled(w); }));
        stripHidden = !StripShown(w);
        Click(w, IDC_FRAME_TYPE_CORNERS);
        EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
        PumpFor(200);
        okWorks = ::IsWindowEnabled(w) != FALSE;
        ::SendMessageW(w, WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(Run(dialog, act), IDOK);
    ::KillTimer(nullptr, timer);
    g_closer = nullptr;
    EXPECT_EQ(dialog.renders.load(), 0);
    EXPECT_EQ(closer.boxes, 1);
    EXPECT_NE(closer.said.find(missing), std::wstring::npos);
    EXPECT_TRUE(stripHidden);
    EXPECT_TRUE(okWorks);
    EXPECT_TRUE(SamePixels(Layer(0)->displayed, original));
}

class FrameStudioTest : public FrameDialogTest {
protected:
    void SetUp() override
    {
        FrameDialogTest::SetUp();
        ToolHostHooks hooks;
        hooks.emptyBrushPictures = [this](CWnd* f) { emptied += f == frame; };
        hooks.resetBrushTool = [this](CWnd* f) { reset += f == frame; };
        hooks.colourAdjustments = [this](CWnd*) { return adjust; };
        Register(ToolHostKind::EffectStudio, hooks);
        ASSERT_TRUE(View().doc.AddImageLayer(Gradient(20, 20), FALSE));
        upper.Copy(Layer(1)->displayed);
    }
    FrameAdjustments adjust;
    int emptied = 0, reset = 0;
    CZVImage upper;
};

TEST_F(FrameStudioTest, LayerZeroTakesTheFrameAfterTheStudiosAdjustments)
{
    const FrameAdjustments settings[] = {{25, 10, 30, 40}, {}};
    for (const FrameAdjustments& a : settings) {
        ASSERT_TRUE(View().doc.OpenImage(Gradient(60, 40)));
        ASSERT_TRUE(View().doc.AddImageLayer(Gradient(20, 20), FALSE));
        adjust = a;
        CTestFrameMain dialog;
        Prepare(dialog, FRAME_BIT_SURROUND);
        EXPECT_EQ(Run(dialog, [&](HWND w) {
            EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
            ::SendMessageW(w, WM_COMMAND, IDOK, 0);
        }), IDOK);
        EXPECT_TRUE(dialog.InEffectStudio());
        EXPECT_TRUE(SamePixels(Layer(0)->displayed, Framed(original, frameFromFile, 100, FRAME_SURROUND, a)))
            << a.brightness;
        EXPECT_TRUE(SamePixels(Layer(1)->displayed, upper));
        EXPECT_EQ(View().doc.layers.currentId, 0);
    }
    EXPECT_EQ(emptied, 2);
    EXPECT_EQ(reset, 2);
}

// The page maker's current picture without its frame, as the page model renders it.
class CFakePageHost : public IPageToolHost {
public:
    CZVImage unframed;
    bool UpdateOrAddTextLayer(const CWordArtInfo&) override { return false; }
    bool GetCurrentPictureUnframed(CZVImage& picture) override { return picture.Copy(unframed); }
};

class FramePageTest : public FrameDialogTest {
protected:
    void SetUp() override
    {
        FrameDialogTest::SetUp();
        page.unframed = Gradient(60, 40);
        ToolHostHooks hooks;
        hooks.pageHost = [this](CWnd*) -> IPageToolHost* { return &page; };
        Register(ToolHostKind::PageMaker, hooks);
        // The slot layer: the picture fitted to 120 x 80 and turned by a sixth of a half turn.
        CLayerInfo* slot = Layer(0);
        slot->width = 120;
        slot->height = 80;
        slot->angle = kSixth;
        slot->source.Copy(page.unframed);
        sourceBefore.Copy(slot->source);
        pictureBefore.Copy(slot->displayed);
    }
    CFakePageHost page;
    CZVImage sourceBefore, pictureBefore;
};

TEST_F(FramePageTest, TheSlotTakesTheFramedSourceAndTheFittedPictureUntilCancel)
{
    const CZVImage framed = Framed(page.unframed, frameFromFile, 100, FRAME_SURROUND);
    CZVImage fitted;
    ASSERT_TRUE(FitFrameToSlot(framed, 120, 80, kSixth, fitted));
    for (const int end : {IDOK, IDCANCEL}) {
        Layer(0)->source.Copy(sourceBefore);
        Layer(0)->displayed.Copy(pictureBefore);
        CTestProcFrame dialog;
        Prepare(dialog, FRAME_BIT_SURROUND);
        bool sourceFramed = false, pictureFitted = false;
        EXPECT_EQ(Run(dialog, [&](HWND w) {
            EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
            sourceFramed = SamePixels(Layer(0)->source, framed);
            pictureFitted = SamePixels(Layer(0)->displayed, fitted);
            ::SendMessageW(w, WM_COMMAND, end, 0);
        }), end);
        EXPECT_TRUE(sourceFramed) << end;
        EXPECT_TRUE(pictureFitted) << end;
        if (end == IDOK) {
            EXPECT_TRUE(SamePixels(Layer(0)->source, framed));
            EXPECT_TRUE(SamePixels(Layer(0)->displayed, fitted));
        } else {
            EXPECT_TRUE(SamePixels(Layer(0)->source, page.unframed));
            EXPECT_TRUE(SamePixels(Layer(0)->displayed, pictureBefore));
        }
    }
}

// The page twin leaves the zoom row as the mask made it, whatever type is chosen.
TEST_F(FramePageTest, ChoosingZoomLeavesTheZoomRowAsTheMaskMadeIt)
{
    CTestProcFrame dialog;
    Prepare(dialog, 7);
    bool rowStays = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
        Click(w, IDC_FRAME_TYPE_ZOOM);
        rowStays = Enabled(w, IDC_FRAME_ZOOM_SLIDER);
        EXPECT_TRUE(PumpUntil([&] { return Idle(dialog); }));
        ::SendMessageW(w, WM_COMMAND, IDCANCEL, 0);
    }), IDCANCEL);
    EXPECT_TRUE(rowStays);
}

} // namespace framedialogtest
