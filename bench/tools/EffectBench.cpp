// The effect dialog's run against the bare library call, on a 12-megapixel photo: the time from
// the start of a run to the picture on the layer against the processor applied to a copy, and
// five restarts 50 ms apart plus the last run against one run. The restarts alone take 250 ms of
// waiting, more than a whole run of either effect now takes, so the bench also prints what the
// restarts cost beyond that wait: the time from the last start to its picture on the layer
// against one run (the abandoned runs must get out of its way). Medians of a few rounds.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>
#include "EffectProcessors.h"
#include "LayerInfo.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "ZVEffectDialog.h"
#include "../BenchClock.h"

namespace {

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(L"EffectBench") {}
};
CBenchApp theApp;

const UINT kBenchTemplate = 4720;
const UINT_PTR kRestartTimer = 7;
const int kRounds = 3;

double Now() { return benchclock::Seconds(); }

typedef std::function<std::unique_ptr<CProcessBase>()> MakeProcessor;

// The effect as the dialog's worker runs it, timed: what of a run is the effect's own work.
class CTimedProcessor : public CProcessBase {
public:
    CTimedProcessor(std::unique_ptr<CProcessBase> effect, double& began, double& ended)
        : m_effect(std::move(effect)), m_began(began), m_ended(ended) {}
    void Process(CZVImage* picture) override
    {
        m_began = Now();
        m_effect->Process(picture);
        m_ended = Now();
    }

private:
    std::unique_ptr<CProcessBase> m_effect;
    double& m_began;
    double& m_ended;
};

class CBenchDialog : public CZVEffectDialog {
public:
    CBenchDialog(MakeProcessor make, int restarts) : CZVEffectDialog(kBenchTemplate), m_make(make), m_restarts(restarts) {}
    double started = 0;
    double lastStart = 0; // when the last run was started
    double landed = 0;    // when the last run's picture was put on the layer
    double restartWait = 0; // the longest restart: the wait for the abandoned run to end
    double effectBegan = 0, effectEnded = 0; // the last run's effect on the worker

protected:
    std::unique_ptr<CProcessBase> CreateProcessor() override
    {
        return std::unique_ptr<CProcessBase>(new CTimedProcessor(m_make(), effectBegan, effectEnded));
    }
    afx_msg void OnStart()
    {
        started = lastStart = Now();
        if (m_restarts == 0)
            m_bCloseWhenDone = 1;
        else
            SetTimer(kRestartTimer, 50, nullptr);
        StartProcess();
    }
    afx_msg LRESULT OnDone(WPARAM wParam, LPARAM lParam)
    {
        const bool current = CurrentRunId() == UINT(wParam);
        const LRESULT result = OnProcessDone(wParam, lParam);
        if (current)
            landed = Now();
        return result;
    }
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id != kRestartTimer) {
            CZVEffectDialog::OnTimer(id);
            return;
        }
        if (++m_done >= m_restarts) {
            KillTimer(kRestartTimer);
            m_bCloseWhenDone = 1;
        }
        lastStart = Now();
        StartProcess();
        restartWait = std::max(restartWait, Now() - lastStart);
    }
    DECLARE_MESSAGE_MAP()

private:
    MakeProcessor m_make;
    int m_restarts;
    int m_done = 0;
};

BEGIN_MESSAGE_MAP(CBenchDialog, CZVEffectDialog)
    ON_COMMAND(CZVEffectDialog::kStartCommand, OnStart)
    ON_MESSAGE(CZVEffectDialog::kRunDone, OnDone)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CBenchFrame : public CWnd {
    DECLARE_DYNAMIC(CBenchFrame)
public:
    CPicEditView view;
};
IMPLEMENT_DYNAMIC(CBenchFrame, CWnd)

CPicEditView* BenchView(CWnd* frame)
{
    return &static_cast<CBenchFrame*>(frame)->view;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const wchar_t* photo = argc > 1 ? argv[1] : L"data\\Sample\\Lakeside.jpg";
    CZVImage picture;
    if (!picture.LoadFile(photo)) {
        fwprintf(stderr, L"effect_bench: cannot read %ls\n", photo);
        return 1;
    }
    if (picture.GetBpp() != 24)
        picture.IncreaseBpp(24);
    picture.Resample(4000, 3000, 1);   // 12 megapixels

    RegisterToolHostFrame(RUNTIME_CLASS(CBenchFrame), ToolHostKind::Editor, BenchView);
    CBenchFrame frame;
    if (!frame.CreateEx(0, nullptr, L"effect bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 720,
                        nullptr, nullptr) ||
        !frame.view.CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 980, 680, frame.m_hWnd,
                             nullptr) ||
        !frame.view.OpenImage(picture)) {
        fwprintf(stderr, L"effect_bench: no window\n");
        return 1;
    }
    AfxGetApp()->m_pMainWnd = &frame;

    const struct {
        const char* name;
        MakeProcessor make;
    } effects[] = {
        {"Gaussian blur 10", [] { return std::unique_ptr<CProcessBase>(new CEffectGaussian(10)); }},
        {"Twist 20/200", [] { return std::unique_ptr<CProcessBase>(new CEffectTwist(20, 200)); }},
    };
    for (const auto& effect : effects) {
        std::vector<double> bare, run, restarted, last, waits, before, after;
        for (int round = 0; round < kRounds; ++round) {
            CZVImage copy;
            copy.Copy(frame.view.doc.layers.GetLayer(0)->displayed);
            std::unique_ptr<CProcessBase> processor = effect.make();
            double t = Now();
            processor->Process(&copy);
            bare.push_back(Now() - t);

            CBenchDialog one(effect.make, 0);
            one.DoModal();
            run.push_back(one.landed - one.started);
            before.push_back(one.effectBegan - one.started);
            after.push_back(one.landed - one.effectEnded);

            CBenchDialog many(effect.make, 5);
            many.DoModal();
            restarted.push_back(many.landed - many.started);
            last.push_back(many.landed - many.lastStart);
            waits.push_back(many.restartWait);
        }
        const double b = Median(bare), r = Median(run), m = Median(restarted), l = Median(last);
        printf("%-18s bare %7.3f s  run %7.3f s  ratio %.3f (target <= 1.15); start to effect %.0f ms, effect to layer %.0f ms\n",
               effect.name, b, r, r / b, Median(before) * 1000, Median(after) * 1000);
        printf("%-18s 5 restarts + run %7.3f s  ratio %.3f (target <= 1.3; 0.25 s of it is the restarts' spacing)\n", "", m, m / r);
        printf("%-18s last start to layer %7.3f s  ratio %.3f against one run (target <= 1.3); longest restart %.0f ms\n",
               "", l, l / r, Median(waits) * 1000);
    }
    frame.DestroyWindow();
    return 0;
}
