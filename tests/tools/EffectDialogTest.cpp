// The effect dialog's run on real windows: a test dialog over a real edit view in a test frame
// registered as each kind of host, driven from inside its modal loop, with processors that stamp
// their run number, row by row when asked, and give up on escape.
#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>
#include "EffectTables.h"
#include "LayerInfo.h"
#include "NewPictureTest.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "ToolHostTestFrame.h"
#include "ZVEffectDialog.h"

using namespace newpicturetest;

namespace effectdialogtest {

const UINT kTemplate = 4701;

// What the processors of one test saw.
struct RunLog {
    struct Run {
        int stamp;
        bool sawEscape;
        bool finished;
    };
    std::mutex mutex;
    std::vector<Run> runs;
    void Add(Run run)
    {
        std::lock_guard<std::mutex> hold(mutex);
        runs.push_back(run);
    }
    std::vector<Run> Runs()
    {
        std::lock_guard<std::mutex> hold(mutex);
        return runs;
    }
};

// Writes its stamp into the blue of every pixel, a row at a time, waiting rowDelay between rows.
class CStampProcessor : public CProcessBase {
public:
    CStampProcessor(int stamp, DWORD rowDelay, RunLog& log) : m_stamp(stamp), m_rowDelay(rowDelay), m_log(log) {}
    void Process(CZVImage* picture) override
    {
        const long height = long(picture->GetHeight()), width = long(picture->GetWidth());
        for (long y = 0; y < height; ++y) {
            if (picture->GetEscape()) {
                m_log.Add({m_stamp, true, false});
                return;
            }
            BYTE* row = picture->GetBits(y);
            for (long x = 0; x < width; ++x)
                row[x * 3] = BYTE(m_stamp);
            picture->SetProgress((y + 1) * 100 / height);
            if (m_rowDelay)
                ::Sleep(m_rowDelay);
        }
        m_log.Add({m_stamp, false, true});
    }

private:
    int m_stamp;
    DWORD m_rowDelay;
    RunLog& m_log;
};

// Adds one to the blue of every pixel, a row at a time, waiting rowDelay between rows: a run that
// started from a picture an earlier run had already changed leaves twos.
class CAddProcessor : public CProcessBase {
public:
    explicit CAddProcessor(DWORD rowDelay) : m_rowDelay(rowDelay) {}
    void Process(CZVImage* picture) override
    {
        const long height = long(picture->GetHeight()), width = long(picture->GetWidth());
        for (long y = 0; y < height && !picture->GetEscape(); ++y) {
            BYTE* row = picture->GetBits(y);
            for (long x = 0; x < width; ++x)
                ++row[x * 3];
            picture->SetProgress((y + 1) * 100 / height);
            if (m_rowDelay)
                ::Sleep(m_rowDelay);
        }
    }

private:
    DWORD m_rowDelay;
};

class CEffectTestDialog : public CZVEffectDialog {
public:
    CEffectTestDialog() : CZVEffectDialog(kTemplate) {}
    enum Mode { None, Stamp, Rotate90, Add };
    Mode mode = Stamp;
    DWORD rowDelay = 0;
    int made = 0;
    RunLog log;

protected:
    std::unique_ptr<CProcessBase> CreateProcessor() override
    {
        ++made;
        if (mode == None)
            return nullptr;
        if (mode == Rotate90)
            return BuildProcessor(RotateOptions{90, RGB(255, 255, 255), 0, 1});
        if (mode == Add)
            return std::make_unique<CAddProcessor>(rowDelay);
        return std::make_unique<CStampProcessor>(made, rowDelay, log);
    }
};

// A frame class below the first, for the most derived registration to win.
class CEffectTestStudioFrame : public CToolHostTestFrame {
    DECLARE_DYNAMIC(CEffectTestStudioFrame)
};
IMPLEMENT_DYNAMIC(CEffectTestStudioFrame, CToolHostTestFrame)

CZVImage Gradient(int width, int height)
{
    CZVImage p;
    p.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.SetPixelColor(x, y, RGBQUAD{BYTE(x * 4), BYTE(y * 4), BYTE(x + y), 0});
    return p;
}

int StampOf(CLayerInfo* layer)
{
    return layer ? layer->displayed.GetPixelColor(0, 0, false).rgbBlue : -1;
}

class EffectDialogTest : public ::testing::Test {
protected:
    void Open(CToolHostTestFrame* made, ToolHostKind kind, ToolHostHooks hooks = ToolHostHooks())
    {
        frame = made;
        RegisterToolHostFrame(RUNTIME_CLASS(CToolHostTestFrame), kind, ToolHostTestFrameView, hooks);
        ASSERT_TRUE(frame->Create(nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 60, 740, 560)));
        AfxGetApp()->m_pMainWnd = frame;
        CPicEditView& view = frame->view;
        ASSERT_TRUE(view.CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400,
                                  frame->m_hWnd, nullptr));
        view.UpdateClientRect();
        ASSERT_TRUE(view.doc.OpenImage(Gradient(60, 40)));
        // The redraw flag stays raised for the test to see.
        view.KillTimer(CLayeredViewWnd::kRedrawTimer);
        view.redrawPending = 0;
        original.Copy(view.doc.layers.GetLayer(0)->displayed);
    }
    void SetUp() override { Open(new CToolHostTestFrame, ToolHostKind::Editor); }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        else
            delete frame;
        UnregisterToolHostFrame(RUNTIME_CLASS(CToolHostTestFrame));
        UnregisterToolHostFrame(RUNTIME_CLASS(CEffectTestStudioFrame));
        PumpPending();
    }
    CPicEditView& View() { return frame->view; }
    CLayerInfo* Layer(int id) { return View().doc.layers.GetLayer(id); }

    // Runs the dialog with act done inside it.
    int Run(CEffectTestDialog& dialog, const std::function<void(HWND)>& act)
    {
        ActOnDialog(act);
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(DialogActDone());
        return int(result);
    }

    CToolHostTestFrame* frame = nullptr;
    CZVImage original;
};

bool StripShown(HWND dialog)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, CZVEffectDialog::kProgressId)) != FALSE;
}

int StripPos(HWND dialog)
{
    return int(::SendDlgItemMessageW(dialog, CZVEffectDialog::kProgressId, PBM_GETPOS, 0, 0));
}

TEST(EffectDialogPosition, CentredFiveBelowTheViewTopAndInsideTheWorkArea)
{
    const RECT work = {0, 0, 1000, 700};
    const struct {
        RECT view;
        SIZE dialog;
        POINT expected;
    } cases[] = {
        {{100, 100, 700, 500}, {200, 100}, {300, 105}},   // centred
        {{100, 100, 701, 500}, {200, 100}, {300, 105}},   // odd room rounds toward zero
        {{-300, 50, 100, 400}, {500, 100}, {0, 55}},      // kept off the left edge
        {{700, 650, 1300, 900}, {200, 100}, {800, 600}},  // kept off the right and bottom edges
        {{0, 0, 300, 200}, {1200, 800}, {0, 0}},          // larger than the work area: its top left
    };
    for (const auto& c : cases) {
        const POINT at = EffectDialogPosition(c.view, c.dialog, work);
        EXPECT_EQ(at.x, c.expected.x) << c.view.left << "," << c.view.top;
        EXPECT_EQ(at.y, c.expected.y) << c.view.left << "," << c.view.top;
    }
    EXPECT_EQ(EffectProgressHeight(96), 10);
    EXPECT_EQ(EffectProgressHeight(144), 15);
}

TEST_F(EffectDialogTest, FirstRunStartsByItselfAndLandsOnTheLayerWithARedraw)
{
    CEffectTestDialog dialog;
    RECT placed = {}, view = {};
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return StampOf(Layer(0)) == 1 && !dialog.IsRunning(); }));
        EXPECT_EQ(View().redrawPending.load(), 1);
        EXPECT_FALSE(StripShown(w));
        ::GetWindowRect(w, &placed);
        View().GetWindowRect(&view);
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(StampOf(Layer(0)), 1);
    EXPECT_EQ(placed.top, view.top + 5);
    EXPECT_EQ(placed.left, view.left + ((view.right - view.left) - (placed.right - placed.left)) / 2);
}

TEST_F(EffectDialogTest, RestartsAbandonEarlierRunsAndOnlyTheLastReachesTheLayer)
{
    CEffectTestDialog dialog;
    dialog.rowDelay = 20;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsRunning() && StripPos(w) > 0; }));
        ::SendMessageW(w, WM_COMMAND, CZVEffectDialog::kStartCommand, 0);
        ::SendMessageW(w, WM_COMMAND, CZVEffectDialog::kStartCommand, 0);
        dialog.rowDelay = 0;
        ::SendMessageW(w, WM_COMMAND, CZVEffectDialog::kStartCommand, 0);
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsRunning(); }));
        PumpFor(200);
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(StampOf(Layer(0)), 4);
    const auto runs = dialog.log.Runs();
    ASSERT_EQ(runs.size(), 4u);
    for (const auto& run : runs)
        EXPECT_EQ(run.sawEscape, run.stamp != 4) << "run " << run.stamp;
}

// Every run starts from the picture as it was at opening, the first one too (whose working copy
// is made as the dialog opens): runs abandoned part way leave nothing behind.
TEST_F(EffectDialogTest, EveryRunStartsFromThePictureAsItWasAtOpening)
{
    CEffectTestDialog dialog;
    dialog.mode = CEffectTestDialog::Add;
    dialog.rowDelay = 10;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsRunning() && StripPos(w) > 0; }));
        ::SendMessageW(w, WM_COMMAND, CZVEffectDialog::kStartCommand, 0);
        PumpFor(60);
        dialog.rowDelay = 0;
        ::SendMessageW(w, WM_COMMAND, CZVEffectDialog::kStartCommand, 0);
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsRunning(); }));
        Click(w, IDOK);
    }), IDOK);
    const CZVImage& shown = Layer(0)->displayed;
    ASSERT_EQ(shown.GetWidth(), original.GetWidth());
    ASSERT_EQ(shown.GetHeight(), original.GetHeight());
    for (long y = 0; y < long(shown.GetHeight()); ++y)
        for (long x = 0; x < long(shown.GetWidth()); ++x)
            ASSERT_EQ(shown.GetPixelColor(x, y, false).rgbBlue, BYTE(original.GetPixelColor(x, y, false).rgbBlue + 1))
                << x << "," << y;
}

TEST_F(EffectDialogTest, OkDuringASlowRunWaitsForItsResultWhileTheStripMoves)
{
    CEffectTestDialog dialog;
    dialog.rowDelay = 15;
    bool openAfterOk = false, stripMoved = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        stripMoved = PumpUntil([&] { return StripShown(w) && StripPos(w) > 0; });
        Click(w, IDOK);
        openAfterOk = ::IsWindowVisible(w) && dialog.IsRunning();
    }), IDOK);
    EXPECT_TRUE(stripMoved);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(StampOf(Layer(0)), 1);
    const auto runs = dialog.log.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].finished);
}

// Cancel, Esc and the close box during a long run: the run gives up and the layer is as it was.
TEST_F(EffectDialogTest, CancelAndCloseDuringARunRestoreTheLayerAtOnce)
{
    const struct {
        const char* name;
        std::function<void(HWND)> end;
    } ways[] = {
        {"Cancel", [](HWND w) { Click(w, IDCANCEL); }},
        {"close", [](HWND w) { ::SendMessageW(w, WM_CLOSE, 0, 0); }},
    };
    for (const auto& way : ways) {
        CEffectTestDialog dialog;
        dialog.rowDelay = 200;   // 8 seconds unless it gives up
        bool idleAfter = false;
        EXPECT_EQ(Run(dialog, [&](HWND w) {
            EXPECT_TRUE(PumpUntil([&] { return StripPos(w) > 0; }));
            way.end(w);
            PumpPending();   // the close box's Cancel comes as a posted command
            idleAfter = !dialog.IsRunning();
        }), IDCANCEL) << way.name;
        EXPECT_TRUE(idleAfter) << way.name;
        EXPECT_TRUE(SamePicturePixels(Layer(0)->displayed, original)) << way.name;
        const auto runs = dialog.log.Runs();
        ASSERT_EQ(runs.size(), 1u) << way.name;
        EXPECT_TRUE(runs[0].sawEscape) << way.name;
    }
}

TEST_F(EffectDialogTest, AStaleDoneMessageChangesNothing)
{
    CEffectTestDialog dialog;
    dialog.rowDelay = 20;
    bool stillRunning = false;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsRunning(); }));
        ::SendMessageW(w, WM_COMMAND, CZVEffectDialog::kStartCommand, 0);
        // The first run's id, as a message of the abandoned run arriving late.
        ::PostMessageW(w, CZVEffectDialog::kRunDone, dialog.CurrentRunId() - 1, 1);
        PumpFor(100);
        stillRunning = dialog.IsRunning();
        Click(w, IDCANCEL);
    }), IDCANCEL);
    EXPECT_TRUE(stillRunning);
    EXPECT_TRUE(SamePicturePixels(Layer(0)->displayed, original));
}

TEST_F(EffectDialogTest, WithoutAProcessorOkStillClosesAndTheLayerStays)
{
    CEffectTestDialog dialog;
    dialog.mode = CEffectTestDialog::None;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        const bool ended = PumpUntil([&] { return dialog.made == 1 && !dialog.IsRunning(); });
        EXPECT_TRUE(ended);
        EXPECT_FALSE(StripShown(w));
        // A run still going would only make OK wait for it.
        Click(w, ended ? IDOK : IDCANCEL);
    }), IDOK);
    EXPECT_TRUE(SamePicturePixels(Layer(0)->displayed, original));
}

TEST_F(EffectDialogTest, RotationGivesTheAngleAndRefitsAndCancelPutsAllBack)
{
    CEffectTestDialog dialog;
    dialog.mode = CEffectTestDialog::Rotate90;
    dialog.m_bRefit = 1;
    float angle = 0;
    int width = 0, height = 0;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.made == 1 && !dialog.IsRunning(); }));
        angle = Layer(0)->angle;
        width = View().doc.docWidth;
        height = View().doc.docHeight;
        Click(w, IDCANCEL);
    }), IDCANCEL);
    EXPECT_NEAR(angle, 3.14159265f / 2, 1e-5);
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 60);
    EXPECT_EQ(Layer(0)->angle, 0.0f);
    EXPECT_TRUE(SamePicturePixels(Layer(0)->displayed, original));
    EXPECT_EQ(View().doc.docWidth, 60);
    EXPECT_EQ(View().doc.docHeight, 40);
}

// The kinds that work on layer 0 close at once, untouched, when it is missing or locked.
TEST_F(EffectDialogTest, LayerZeroMissingOrLockedClosesTheDialog)
{
    const ToolHostKind kinds[] = {ToolHostKind::Cosmetics, ToolHostKind::EffectStudio, ToolHostKind::Splitter};
    for (ToolHostKind kind : kinds) {
        for (bool missing : {true, false}) {
            RegisterToolHostFrame(RUNTIME_CLASS(CToolHostTestFrame), kind, ToolHostTestFrameView);
            ASSERT_TRUE(View().doc.OpenImage(Gradient(60, 40)));
            if (missing)
                View().doc.layers.RemoveAllLayers();
            else
                Layer(0)->locked = 1;
            CEffectTestDialog dialog;
            ActOnDialog([&](HWND w) { Click(w, IDOK); });
            EXPECT_EQ(dialog.DoModal(), IDCANCEL) << int(kind) << missing;
            PumpFor(50);
            EXPECT_EQ(dialog.made, 0) << int(kind) << missing;
            if (!missing)
                EXPECT_TRUE(SamePicturePixels(Layer(0)->displayed, original)) << int(kind);
        }
    }
    ActOnDialog(nullptr);
}

TEST_F(EffectDialogTest, LayerZeroBecomesCurrentAndTakesTheResult)
{
    RegisterToolHostFrame(RUNTIME_CLASS(CToolHostTestFrame), ToolHostKind::Cosmetics, ToolHostTestFrameView);
    ASSERT_TRUE(View().doc.AddImageLayer(Gradient(20, 20), FALSE));
    ASSERT_EQ(View().doc.layers.currentId, 1);
    CZVImage upper;
    upper.Copy(Layer(1)->displayed);
    CEffectTestDialog dialog;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsRunning() && StampOf(Layer(0)) == 1; }));
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(View().doc.layers.currentId, 0);
    EXPECT_TRUE(SamePicturePixels(Layer(1)->displayed, upper));
}

TEST_F(EffectDialogTest, SplitterRefitsThroughItsDocument)
{
    RegisterToolHostFrame(RUNTIME_CLASS(CToolHostTestFrame), ToolHostKind::Splitter, ToolHostTestFrameView);
    CEffectTestDialog dialog;
    dialog.mode = CEffectTestDialog::Rotate90;
    dialog.m_bRefit = 1;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.made == 1 && !dialog.IsRunning(); }));
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(View().doc.docWidth, 40);
    EXPECT_EQ(View().doc.docHeight, 60);
}

class EffectStudioTest : public EffectDialogTest {
protected:
    void SetUp() override
    {
        ToolHostHooks hooks;
        hooks.emptyBrushPictures = [this](CWnd* f) { emptied += f == frame; };
        hooks.takeBaseCopy = [this](CWnd*, const CZVImage& result) { baseCopy.Copy(result); };
        // The editor entry for the base class; the studio's, for the class below it, decides.
        Open(new CEffectTestStudioFrame, ToolHostKind::Editor);
        RegisterToolHostFrame(RUNTIME_CLASS(CEffectTestStudioFrame), ToolHostKind::EffectStudio, ToolHostTestFrameView, hooks);
    }
    int emptied = 0;
    CZVImage baseCopy;
};

TEST_F(EffectStudioTest, TheMostDerivedFrameDecidesAndTheStudioHooksRun)
{
    CToolHost host;
    ASSERT_TRUE(FindToolHost(host));
    EXPECT_EQ(host.kind, ToolHostKind::EffectStudio);

    CEffectTestDialog dialog;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsRunning() && StampOf(Layer(0)) == 1; }));
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(emptied, 1);
    ASSERT_TRUE(baseCopy.IsValid());
    EXPECT_EQ(baseCopy.GetPixelColor(0, 0, false).rgbBlue, 1);
}

TEST_F(EffectStudioTest, OkBeforeAnyResultKeepsTheBaseCopy)
{
    baseCopy.Copy(original);
    CEffectTestDialog dialog;
    dialog.mode = CEffectTestDialog::None;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.made == 1 && !dialog.IsRunning(); }));
        Click(w, IDOK);
    }), IDOK);
    EXPECT_TRUE(SamePicturePixels(baseCopy, original));
}

} // namespace effectdialogtest
