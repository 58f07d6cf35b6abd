// The effect option dialogs on real windows over an edit view in a test frame registered as a
// host, each driven from inside its modal loop on a 30 x 10 picture.
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "DlgEditorEffectBlinds.h"
#include "DlgEditorEffectLensFlare.h"
#include "DlgEditorEffectOneOption.h"
#include "DlgEditorEffectProcessing.h"
#include "DlgEditorEffectSelectiveFocus.h"
#include "DlgEditorEffectSupernova.h"
#include "DlgEditorEffectTransparentColor.h"
#include "DlgEditorEffectTwoOption.h"
#include "DlgEditorRotate.h"
#include "DlgEditorThreshold.h"
#include "EffectOptionDialogsIds.h"
#include "EffectPreview.h"
#include "LayerInfo.h"
#include "NewPictureTest.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "ZVObjGraph.h"
#include "ZVUILibApp.h"
#include "KQNumSpinCtrl.h"

using namespace newpicturetest;

namespace effectoptiontest {

class CFxTestFrame : public CFrameWnd {
    DECLARE_DYNAMIC(CFxTestFrame)
public:
    CPicEditView view;
};
IMPLEMENT_DYNAMIC(CFxTestFrame, CFrameWnd)

CPicEditView* FxFrameView(CWnd* frame)
{
    return &static_cast<CFxTestFrame*>(frame)->view;
}

CZVImage Gradient(int width, int height)
{
    CZVImage p;
    p.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.SetPixelColor(x, y, RGBQUAD{BYTE(x * 8), BYTE(y * 20), BYTE(200 - x * 3), 0});
    return p;
}

CZVImage Applied(const CZVImage& original, std::unique_ptr<CProcessBase> processor)
{
    CZVImage copy;
    copy.Copy(original);
    if (processor)
        processor->Process(&copy);
    return copy;
}

struct Range {
    int minimum, maximum;
};

Range SliderRange(HWND dialog, int id)
{
    HWND slider = ::GetDlgItem(dialog, id);
    return {int(::SendMessageW(slider, TBM_GETRANGEMIN, 0, 0)), int(::SendMessageW(slider, TBM_GETRANGEMAX, 0, 0))};
}

Range SpinRange(HWND dialog, int id)
{
    auto* spin = DYNAMIC_DOWNCAST(CKQNumSpinCtrl, CWnd::FromHandlePermanent(::GetDlgItem(dialog, id)));
    if (!spin)
        return {-1, -1};
    double low = 0, high = 0, step = 0;
    spin->GetRangeAndDelta(low, high, step);
    return {int(low), int(high)};
}

// A real click: a check box or radio button changes its state first.
void Press(HWND dialog, int id)
{
    ::SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}

int SliderPos(HWND dialog, int id)
{
    return int(::SendMessageW(::GetDlgItem(dialog, id), TBM_GETPOS, 0, 0));
}

// The user drags the slider to pos and lets go.
void ReleaseSlider(HWND dialog, int id, int pos)
{
    HWND slider = ::GetDlgItem(dialog, id);
    ::SendMessageW(slider, TBM_SETPOS, TRUE, pos);
    NMHDR header = {slider, UINT_PTR(id), UINT(NM_RELEASEDCAPTURE)};
    ::SendMessageW(dialog, WM_NOTIFY, id, LPARAM(&header));
}

bool Shown(HWND dialog, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

class EffectOptionDialogTest : public ::testing::Test {
protected:
    void Open(ToolHostKind kind, int width = 30, int height = 10)
    {
        RegisterToolHostFrame(RUNTIME_CLASS(CFxTestFrame), kind, FxFrameView);
        frame = new CFxTestFrame;
        ASSERT_TRUE(frame->Create(nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 60, 740, 560)));
        AfxGetApp()->m_pMainWnd = frame;
        CPicEditView& view = frame->view;
        ASSERT_TRUE(view.CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400,
                                  frame->m_hWnd, nullptr));
        view.UpdateClientRect();
        ASSERT_TRUE(view.doc.OpenImage(Gradient(width, height)));
        original.Copy(Layer()->displayed);
    }
    void SetUp() override { Open(ToolHostKind::Editor); }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        UnregisterToolHostFrame(RUNTIME_CLASS(CFxTestFrame));
        PumpPending();
    }
    CPicEditView& View() { return frame->view; }
    CLayerInfo* Layer() { return View().doc.layers.GetCurrentLayer(); }

    // Runs the dialog; act runs inside it once its first run is over.
    int Run(CEffectOptionDialog& dialog, const std::function<void(HWND)>& act)
    {
        ActOnDialog([&](HWND w) {
            EXPECT_TRUE(PumpUntil([&] { return dialog.m_processorsMade >= 1 && !dialog.IsRunning(); }));
            act(w);
        });
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(DialogActDone());
        return int(result);
    }
    // The runs started by act, once they are over.
    int RunsOf(CEffectOptionDialog& dialog, const std::function<void()>& act)
    {
        const int before = dialog.m_processorsMade;
        act();
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsRunning(); }));
        PumpFor(50);
        return dialog.m_processorsMade - before;
    }

    CFxTestFrame* frame = nullptr;
    CZVImage original;
};

// ---- one table over the dialogs ----

struct ValueRow {
    int label, slider, edit, spin;
    const wchar_t* text;
    Range range;
    int start;   // after clamping
};

struct DialogCase {
    std::string name;
    std::function<std::unique_ptr<CEffectOptionDialog>()> make;
    std::wstring caption;
    std::vector<ValueRow> values;
    int released;   // the slider released in the test, and where to
    int releasedAt;
    // The processor of the options after the release; null: the effect draws at random.
    std::function<std::unique_ptr<CProcessBase>()> expected;
};

template <class Dialog, class Options>
DialogCase Case(std::string name, std::function<void(Options&)> set, std::wstring caption, std::vector<ValueRow> values,
                int released, int releasedAt, std::function<void(Options&)> after, bool random = false)
{
    auto options = std::make_shared<Options>();
    DialogCase c;
    c.name = std::move(name);
    c.make = [options, set]() -> std::unique_ptr<CEffectOptionDialog> {
        auto dialog = std::make_unique<Dialog>();
        set(dialog->m_options);
        *options = dialog->m_options;
        return dialog;
    };
    c.caption = std::move(caption);
    c.values = std::move(values);
    c.released = released;
    c.releasedAt = releasedAt;
    if (!random)
        c.expected = [options, after]() {
            Options o = *options;
            after(o);
            return BuildProcessor(o);
        };
    return c;
}

std::vector<DialogCase> DialogCases()
{
    std::vector<DialogCase> cases;
    // Every row of the one- and two-value dialogs, started at 40 and 40.
    for (int index = 0; index < kOneOptionEffectCount; ++index) {
        const OneOptionEffect* row = FindOneOptionEffect(index);
        const EffectRange range = RangeForPicture(row->range, row->limit, 30, 10);
        const int start = ClampToRange(40, range);
        const int release = range.maximum;
        cases.push_back(Case<CDlgEditorEffectOneOption, OneOptionOptions>(
            "one option " + std::to_string(index), [index](OneOptionOptions& o) { o.effectIndex = index, o.value = 40; },
            row->caption, {{IDC_FX_LABEL1, IDC_FX_SLIDER1, IDC_FX_EDIT1, IDC_FX_SPIN1, row->label, {range.minimum, range.maximum}, start}},
            IDC_FX_SLIDER1, release,
            [release, range](OneOptionOptions& o) { o.value = release, o.minimum = range.minimum, o.maximum = range.maximum; },
            index == 4 || index == 7));
    }
    for (int index = 0; index < kTwoOptionEffectCount; ++index) {
        const TwoOptionEffect* row = FindTwoOptionEffect(index);
        const EffectRange first = RangeForPicture(row->firstRange, row->firstLimit, 30, 10);
        const EffectRange second = row->secondRange;
        const int release = second.maximum;
        const int firstStart = ClampToRange(40, first), secondStart = ClampToRange(-40, second);
        cases.push_back(Case<CDlgEditorEffectTwoOption, TwoOptionOptions>(
            "two option " + std::to_string(index),
            [index](TwoOptionOptions& o) { o.effectIndex = index, o.firstValue = 40, o.secondValue = -40; }, row->caption,
            {{IDC_FX_LABEL1, IDC_FX_SLIDER1, IDC_FX_EDIT1, IDC_FX_SPIN1, row->firstLabel, {first.minimum, first.maximum}, firstStart},
             {IDC_FX_LABEL2, IDC_FX_SLIDER2, IDC_FX_EDIT2, IDC_FX_SPIN2, row->secondLabel, {second.minimum, second.maximum}, secondStart}},
            IDC_FX_SLIDER2, release,
            [=](TwoOptionOptions& o) { o.firstValue = firstStart, o.secondValue = release; },
            index == 2 && false));
    }
    cases.push_back(Case<CDlgEditorEffectBlinds, BlindsOptions>(
        "blinds", [](BlindsOptions&) {}, L"Blinds",
        {{IDC_FX_OPACITY_LABEL, IDC_FX_OPACITY_SLIDER, IDC_FX_OPACITY_EDIT, IDC_FX_OPACITY_SPIN, L"Opacity", {1, 100}, 50},
         {IDC_FX_WIDTH_LABEL, IDC_FX_WIDTH_SLIDER, IDC_FX_WIDTH_EDIT, IDC_FX_WIDTH_SPIN, L"Width", {1, 10}, 10}},
        IDC_FX_WIDTH_SLIDER, 3, [](BlindsOptions& o) { o.width = 3; }));
    cases.push_back(Case<CDlgEditorEffectSupernova, SupernovaOptions>(
        "sunshine", [](SupernovaOptions&) {}, L"Sunshine",
        {{IDC_FX_RADIUS_LABEL, IDC_FX_RADIUS_SLIDER, IDC_FX_RADIUS_EDIT, IDC_FX_RADIUS_SPIN, L"Radius", {1, 999}, 10},
         {IDC_FX_SPOKES_LABEL, IDC_FX_SPOKES_SLIDER, IDC_FX_SPOKES_EDIT, IDC_FX_SPOKES_SPIN, L"Spokes", {1, 360}, 100}},
        IDC_FX_RADIUS_SLIDER, 4, [](SupernovaOptions& o) { o.radius = 4; }, true));
    cases.push_back(Case<CDlgEditorEffectTransparentColor, TransparentColorOptions>(
        "transparent colour", [](TransparentColorOptions&) {}, L"Transparent color",
        {{IDC_FX_TOLERANCE_LABEL, IDC_FX_TOLERANCE_SLIDER, IDC_FX_TOLERANCE_EDIT, IDC_FX_TOLERANCE_SPIN, L"Tolerance", {0, 100}, 0},
         {IDC_FX_OPACITY_LABEL, IDC_FX_OPACITY_SLIDER, IDC_FX_OPACITY_EDIT, IDC_FX_OPACITY_SPIN, L"Opacity", {0, 100}, 0}},
        IDC_FX_TOLERANCE_SLIDER, 30, [](TransparentColorOptions& o) {
            o.tolerance = 30;
            o.colour = Gradient(30, 10).GetPixelColor(0, 0, true);
        }));
    cases.push_back(Case<CDlgEditorThreshold, ThresholdOptions>(
        "threshold", [](ThresholdOptions&) {}, L"Threshold",
        {{IDC_FX_LEVEL_LABEL, IDC_FX_LEVEL_SLIDER, IDC_FX_LEVEL_EDIT, IDC_FX_LEVEL_SPIN, L"Level", {0, 255}, 128}},
        IDC_FX_LEVEL_SLIDER, 60, [](ThresholdOptions& o) { o.level = 60; }));
    cases.push_back(Case<CDlgEditorEffectSelectiveFocus, SelectiveFocusOptions>(
        "selective focus", [](SelectiveFocusOptions& o) { o.mode = 1, o.firstValue = 300, o.secondValue = 30; },
        L"Selective Focus",
        {{IDC_FX_LABEL1, IDC_FX_SLIDER1, IDC_FX_EDIT1, IDC_FX_SPIN1, L"Length", {1, 200}, 200},
         {IDC_FX_LABEL2, IDC_FX_SLIDER2, IDC_FX_EDIT2, IDC_FX_SPIN2, L"Angle", {0, 360}, 30}},
        IDC_FX_SLIDER1, 5, [](SelectiveFocusOptions& o) { o.firstValue = 5; }));
    return cases;
}

TEST_F(EffectOptionDialogTest, TextsRangesStartValuesAndOneRunPerSliderRelease)
{
    for (const DialogCase& c : DialogCases()) {
        SCOPED_TRACE(c.name);
        {
            CDocumentLockScope hold(View().doc.lock);
            Layer()->displayed.Copy(original);
        }
        std::unique_ptr<CEffectOptionDialog> dialog = c.make();
        int runs = -1;
        EXPECT_EQ(Run(*dialog, [&](HWND w) {
            wchar_t caption[100] = {};
            ::GetWindowTextW(w, caption, 100);
            EXPECT_EQ(std::wstring(caption), c.caption);
            for (const ValueRow& v : c.values) {
                EXPECT_EQ(ItemText(w, v.label), v.text);
                for (Range r : {SliderRange(w, v.slider), SpinRange(w, v.spin)}) {
                    EXPECT_EQ(r.minimum, v.range.minimum) << v.slider;
                    EXPECT_EQ(r.maximum, v.range.maximum) << v.slider;
                }
                EXPECT_EQ(ItemText(w, v.edit), std::to_wstring(v.start));
                EXPECT_EQ(SliderPos(w, v.slider), v.start);
                // The spin's buddy is the edit.
                EXPECT_EQ(HWND(::SendDlgItemMessageW(w, v.spin, UDM_GETBUDDY, 0, 0)), ::GetDlgItem(w, v.edit));
            }
            runs = RunsOf(*dialog, [&] { ReleaseSlider(w, c.released, c.releasedAt); });
            Click(w, IDOK);
        }), IDOK);
        EXPECT_EQ(runs, 1);
        if (c.expected)
            EXPECT_TRUE(SamePicturePixels(Layer()->displayed, Applied(original, c.expected())));
        else
            EXPECT_FALSE(SamePicturePixels(Layer()->displayed, original));
    }
}

// A start value is held to the range at opening (raised frame 10 on 30 x 10 gives 5); a typed
// value is held to it before a processor is built, while the edit keeps what was typed.
TEST_F(EffectOptionDialogTest, TypedValuesRunClampedAndWrittenValuesRunNothing)
{
    CDlgEditorEffectOneOption dialog;
    dialog.m_options.effectIndex = 6;   // raised frame: 2..5 on 30 x 10
    dialog.m_options.value = 10;
    int typedRuns = -1;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_EQ(ItemText(w, IDC_FX_EDIT1), L"5");
        typedRuns = RunsOf(dialog, [&] { Type(w, IDC_FX_EDIT1, L"9"); });
        EXPECT_EQ(SliderPos(w, IDC_FX_SLIDER1), 5);
        EXPECT_EQ(ItemText(w, IDC_FX_EDIT1), L"9");
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(typedRuns, 1);
    OneOptionOptions o;
    o.effectIndex = 6, o.value = 5;
    EXPECT_TRUE(SamePicturePixels(Layer()->displayed, Applied(original, BuildProcessor(o))));
}

TEST_F(EffectOptionDialogTest, BlindsDirectionSwitchesTheWidthRangeAndKeepsTheWidth)
{
    CDlgEditorEffectBlinds dialog;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_TRUE(Checked(w, IDC_FX_HORIZONTAL));
        ReleaseSlider(w, IDC_FX_WIDTH_SLIDER, 7);
        Press(w, IDC_FX_VERTICAL);
        EXPECT_EQ(SliderRange(w, IDC_FX_WIDTH_SLIDER).maximum, 30);
        EXPECT_EQ(SpinRange(w, IDC_FX_WIDTH_SPIN).maximum, 30);
        EXPECT_EQ(ItemText(w, IDC_FX_WIDTH_EDIT), L"7");
        Press(w, IDC_FX_HORIZONTAL);
        EXPECT_EQ(SliderRange(w, IDC_FX_WIDTH_SLIDER).maximum, 10);
        EXPECT_EQ(ItemText(w, IDC_FX_WIDTH_EDIT), L"7");
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsRunning(); }));
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(dialog.m_options.width, 7);
    EXPECT_EQ(dialog.m_options.direction, 0);
}

class CFocusProbe : public CDlgEditorEffectSelectiveFocus {
public:
    using CEffectOptionDialog::CreateProcessor;
};

TEST_F(EffectOptionDialogTest, SelectiveFocusModesShowTheirRowsResetTheValuesAndBuildTheirProcessor)
{
    CFocusProbe dialog;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_EQ(ComboItems(w, IDC_FX_MODE_LIST), (std::vector<std::wstring>{L"Gaussian Blur", L"Motion Blur"}));
        EXPECT_FALSE(Shown(w, IDC_FX_SLIDER2));
        EXPECT_FALSE(Shown(w, IDC_FX_EDIT2));
        EXPECT_EQ(ItemText(w, IDC_FX_LABEL1), L"Radius");
        EXPECT_EQ(SliderRange(w, IDC_FX_SLIDER1).maximum, 20);
        EXPECT_NE(nullptr, dynamic_cast<CEffectBackgroundDeficiency*>(dialog.CreateProcessor().get()));

        EXPECT_EQ(RunsOf(dialog, [&] { Choose(w, IDC_FX_MODE_LIST, 1); }), 1);
        EXPECT_TRUE(Shown(w, IDC_FX_SLIDER2));
        EXPECT_TRUE(Shown(w, IDC_FX_LABEL2));
        EXPECT_EQ(ItemText(w, IDC_FX_LABEL1), L"Length");
        EXPECT_EQ(ItemText(w, IDC_FX_EDIT1), L"20");
        EXPECT_EQ(SliderPos(w, IDC_FX_SLIDER1), 20);
        EXPECT_EQ(SliderRange(w, IDC_FX_SLIDER2).maximum, 360);
        EXPECT_NE(nullptr, dynamic_cast<CEffectBGBlurMotion*>(dialog.CreateProcessor().get()));

        EXPECT_EQ(RunsOf(dialog, [&] { Choose(w, IDC_FX_MODE_LIST, 0); }), 1);
        EXPECT_FALSE(Shown(w, IDC_FX_SLIDER2));
        EXPECT_EQ(ItemText(w, IDC_FX_EDIT1), L"10");
        EXPECT_EQ(SpinRange(w, IDC_FX_SPIN1).maximum, 20);
        Click(w, IDOK);
    }), IDOK);
}

// A run slow enough to be watched and stopped: skin smoothing of a large picture.
void MakeSlow(CPicEditView& view, CZVImage& original, CDlgEditorEffectProcessing& dialog)
{
    {
        CDocumentLockScope hold(view.doc.lock);
        view.doc.layers.GetCurrentLayer()->displayed.Copy(Gradient(3200, 2400));
        original.Copy(view.doc.layers.GetCurrentLayer()->displayed);
    }
    dialog.m_options.effectIndex = 15;
    dialog.m_options.values.d1 = 20, dialog.m_options.values.d2 = 60;
}

TEST_F(EffectOptionDialogTest, ProcessingAutomaticShowsOnlyStopAndEndsWithTheFirstRun)
{
    CDlgEditorEffectProcessing dialog;
    MakeSlow(View(), original, dialog);
    bool okShown = true, stopShown = false;
    std::wstring stop, status;
    ActOnDialog([&](HWND w) {
        okShown = Shown(w, IDOK);
        stopShown = Shown(w, IDCANCEL);
        stop = ItemText(w, IDCANCEL);
        status = ItemText(w, IDC_FX_STATUS);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(DialogActDone());
    EXPECT_FALSE(okShown);
    EXPECT_TRUE(stopShown);
    EXPECT_EQ(stop, L"Stop");
    EXPECT_EQ(status, L"Please wait, processing...");
    EXPECT_EQ(dialog.m_processorsMade, 1);
    EXPECT_FALSE(SamePicturePixels(Layer()->displayed, original));
}

TEST_F(EffectOptionDialogTest, ProcessingStopAndCancelRestoreThePicture)
{
    CDlgEditorEffectProcessing automatic;
    MakeSlow(View(), original, automatic);
    ActOnDialog([&](HWND w) { Click(w, IDCANCEL); });
    EXPECT_EQ(automatic.DoModal(), IDCANCEL);
    EXPECT_TRUE(DialogActDone());
    EXPECT_TRUE(SamePicturePixels(Layer()->displayed, original));

    CDlgEditorEffectProcessing manual;
    manual.m_options.effectIndex = 1;
    manual.m_options.autoClose = 0;
    EXPECT_EQ(Run(manual, [&](HWND w) {
        EXPECT_TRUE(Shown(w, IDOK));
        EXPECT_EQ(ItemText(w, IDOK), TranslateString(L"Ok"));
        EXPECT_EQ(ItemText(w, IDCANCEL), L"Cancel");
        EXPECT_EQ(ItemText(w, IDC_FX_STATUS), L"Press OK to save your changes");
        EXPECT_FALSE(SamePicturePixels(Layer()->displayed, original));
        Click(w, IDCANCEL);
    }), IDCANCEL);
    EXPECT_TRUE(SamePicturePixels(Layer()->displayed, original));
}

class CThresholdProbe : public CDlgEditorThreshold {
public:
    using CEffectOptionDialog::CreateProcessor;
};

TEST_F(EffectOptionDialogTest, ThresholdBoxRerunsAndBuildsTheKeepingThreshold)
{
    CThresholdProbe dialog;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        auto plain = dialog.CreateProcessor();
        ASSERT_NE(nullptr, dynamic_cast<CEffectThreshold*>(plain.get()));
        EXPECT_EQ(static_cast<CEffectThreshold*>(plain.get())->m_preserve, 0);
        EXPECT_EQ(RunsOf(dialog, [&] { Press(w, IDC_FX_PRESERVE); }), 1);
        auto keeping = dialog.CreateProcessor();
        EXPECT_EQ(static_cast<CEffectThreshold*>(keeping.get())->m_preserve, 1);
        Click(w, IDOK);
    }), IDOK);
    EXPECT_TRUE(SamePicturePixels(Layer()->displayed, Applied(original, BuildProcessor(ThresholdOptions{128, 1}))));
}

class CTransparentProbe : public CDlgEditorEffectTransparentColor {
public:
    using CEffectOptionDialog::CreateProcessor;
};

TEST_F(EffectOptionDialogTest, TransparentColourStartsFromTheBottomLeftPixelWithItsAlpha)
{
    CZVImage picture = Gradient(30, 10);
    picture.AlphaCreate();
    picture.SetPixelColor(0, 0, RGBQUAD{11, 22, 33, 77}, true);
    {
        CDocumentLockScope hold(View().doc.lock);
        Layer()->displayed.Copy(picture);
    }
    CTransparentProbe dialog;
    int opacity = -1;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        ReleaseSlider(w, IDC_FX_OPACITY_SLIDER, 100);
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsRunning(); }));
        auto processor = dialog.CreateProcessor();
        if (auto* transparent = dynamic_cast<CEffectTransparentColor*>(processor.get()))
            opacity = transparent->m_opacity;
        Click(w, IDOK);
    }), IDOK);
    const RGBQUAD c = dialog.m_options.colour;
    EXPECT_EQ(c.rgbBlue, 11);
    EXPECT_EQ(c.rgbGreen, 22);
    EXPECT_EQ(c.rgbRed, 33);
    EXPECT_EQ(c.rgbReserved, 77);
    EXPECT_EQ(opacity, 255);
}

TEST_F(EffectOptionDialogTest, RotatePresetRefitsAndTheTransparencyBoxRerunsAtOnce)
{
    CDlgEditorRotate dialog;
    dialog.m_bRefit = 1;
    int boxRuns = -1;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_EQ(ComboItems(w, IDC_FX_ANGLE_PRESETS).size(), size_t(kRotatePresetCount));
        EXPECT_EQ(RunsOf(dialog, [&] { Choose(w, IDC_FX_ANGLE_PRESETS, 4); }), 1);
        EXPECT_EQ(SliderPos(w, IDC_FX_DIAL), 90);
        EXPECT_EQ(ItemText(w, IDC_FX_ANGLE_EDIT), L"90");
        EXPECT_EQ(Layer()->displayed.GetWidth(), 10u);
        EXPECT_EQ(Layer()->displayed.GetHeight(), 30u);
        boxRuns = RunsOf(dialog, [&] { Press(w, IDC_FX_AUTO_TRANSPARENT); });
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(boxRuns, 1);
    EXPECT_NEAR(Layer()->angle, 3.14159265 / 2, 1e-4);
    EXPECT_EQ(View().doc.docWidth, 10);
    EXPECT_EQ(View().doc.docHeight, 30);
}

TEST_F(EffectOptionDialogTest, RotateDialStoresEveryScrollAndRunsOnTheDrop)
{
    CDlgEditorRotate dialog;
    dialog.m_options.autoTransparency = 1;
    int dragRuns = -1, dropRuns = -1;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        HWND dial = ::GetDlgItem(w, IDC_FX_DIAL);
        ::SendMessageW(dial, TBM_SETPOS, TRUE, 45);
        dragRuns = RunsOf(dialog, [&] { ::SendMessageW(w, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 45), LPARAM(dial)); });
        EXPECT_EQ(ItemText(w, IDC_FX_ANGLE_EDIT), L"45");
        dropRuns = RunsOf(dialog, [&] { ::SendMessageW(w, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 45), LPARAM(dial)); });
        Click(w, IDOK);
    }), IDOK);
    EXPECT_EQ(dragRuns, 0);
    EXPECT_EQ(dropRuns, 1);
    EXPECT_EQ(dialog.m_options.angle, 45);
    // The corners of the turned picture are transparent.
    EXPECT_EQ(Layer()->displayed.GetPixelColor(0, 0, true).rgbReserved, 0);
}

TEST_F(EffectOptionDialogTest, SunshinePreviewFollowsClicksAndOptions)
{
    CDlgEditorEffectSupernova dialog;
    EXPECT_EQ(Run(dialog, [&](HWND w) {
        EXPECT_EQ(dialog.PreviewPoint().x, 0);
        EXPECT_EQ(dialog.PreviewPoint().y, 0);
        CRect client;
        ::GetClientRect(::GetDlgItem(w, IDC_FX_PREVIEW), &client);
        CZVImage before;
        before.Copy(dialog.Preview().m_image);
        EXPECT_EQ(RunsOf(dialog, [&] { dialog.ClickPreview(client.CenterPoint()); }), 1);
        EXPECT_GT(dialog.PreviewPoint().x, 0);
        EXPECT_FALSE(SamePicturePixels(before, dialog.Preview().m_image));
        Click(w, IDOK);
    }), IDOK);
    // The centre of the preview is the centre of the picture.
    EXPECT_NEAR(dialog.m_options.x, 15, 1);
    EXPECT_NEAR(dialog.m_options.y, 5, 1);
}

TEST_F(EffectOptionDialogTest, LockedOrMissingLayersCloseTheDialogsForTheirHosts)
{
    Layer()->locked = 1;
    CDlgEditorEffectOneOption effect;
    EXPECT_EQ(effect.DoModal(), IDCANCEL);
    EXPECT_EQ(effect.m_processorsMade, 0);
    CDlgEditorRotate rotate;
    EXPECT_EQ(rotate.DoModal(), IDCANCEL);
    EXPECT_EQ(rotate.m_processorsMade, 0);
    PumpFor(100);
    EXPECT_TRUE(SamePicturePixels(Layer()->displayed, original));
    // The cosmetics' locked layer closes the rotation too; its effects go by the studio's rule.
    RegisterToolHostFrame(RUNTIME_CLASS(CFxTestFrame), ToolHostKind::Cosmetics, FxFrameView);
    CDlgEditorRotate cosmetics;
    EXPECT_EQ(cosmetics.DoModal(), IDCANCEL);
    // Without a current layer the editor's effects close as well.
    Layer()->locked = 0;
    RegisterToolHostFrame(RUNTIME_CLASS(CFxTestFrame), ToolHostKind::Editor, FxFrameView);
    View().doc.layers.currentId = -1;
    CDlgEditorThreshold threshold;
    EXPECT_EQ(threshold.DoModal(), IDCANCEL);
    EXPECT_EQ(threshold.m_processorsMade, 0);
}

// ---- the previews' arithmetic ----

TEST(EffectPreviewMath, ClicksBecomePicturePointsCountedFromTheBottom)
{
    const RECT client = {0, 0, 202, 152};
    const struct {
        SIZE picture;
        POINT click;
        POINT expected;
    } cases[] = {
        // Landscape 400 x 200 fits 200 x 100, 26 down: scale 0.5.
        {{400, 200}, {1, 26}, {0, 200}},
        {{400, 200}, {201, 126}, {400, 0}},
        {{400, 200}, {101, 76}, {200, 100}},
        // Portrait 100 x 300 fits 50 x 150 at 76, 1: scale 0.5.
        {{100, 300}, {76, 1}, {0, 300}},
        {{100, 300}, {126, 151}, {100, 0}},
        {{100, 300}, {101, 76}, {50, 150}},
    };
    for (const auto& c : cases) {
        RECT inner = client;
        ::InflateRect(&inner, -1, -1);
        const RECT fit = CZVObjGraph::CalcFitWindowSize(c.picture, inner);
        const double scale = PreviewScale(fit.right - fit.left, c.picture.cx);
        const POINT onPreview = PreviewPointAt(c.click, fit, client, PreviewHeight(c.picture.cy, scale));
        const POINT at = PicturePointOf(onPreview, scale);
        EXPECT_EQ(at.x, c.expected.x) << c.picture.cx << "x" << c.picture.cy << " " << c.click.x << "," << c.click.y;
        EXPECT_EQ(at.y, c.expected.y) << c.picture.cx << "x" << c.picture.cy << " " << c.click.x << "," << c.click.y;
    }
    EXPECT_EQ(PreviewRadius(10, 0.05), 1);
    EXPECT_EQ(PreviewRadius(10, 0.5), 5);
}

} // namespace effectoptiontest
