// The editor's photo frame dialog on a large photo: the time from opening the dialog to the
// framed picture on the layer, and the same with ten zoom changes 50 ms apart, each restarting
// the render, up to the last render on the layer. Medians of a few rounds, one line per frame:
//   frame_bench.exe PHOTO FRAME TYPE [FRAME TYPE...]
#include <algorithm>
#include <cstdio>
#include <vector>
#include "DlgFrameMain.h"
#include "FrameDialogIds.h"
#include "LayerInfo.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "../BenchClock.h"

namespace {

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(L"FrameBench") {}
};
CBenchApp theApp;

const UINT_PTR kChangeTimer = 7;
const int kChanges = 10;
const int kRounds = 3;

double Now() { return benchclock::Seconds(); }

class CBenchFrameDialog : public CDlgFrameMain {
public:
    explicit CBenchFrameDialog(int changes) : m_changes(changes) {}
    double landed = 0;   // when the last render was put on the layer
    int renders = 0;

protected:
    BOOL OnInitDialog() override
    {
        CDlgFrameMain::OnInitDialog();
        if (m_changes)
            SetTimer(kChangeTimer, 50, nullptr);
        return TRUE;
    }
    afx_msg LRESULT OnDone(WPARAM wParam, LPARAM lParam)
    {
        const bool current = CurrentRunId() == UINT(wParam);
        const LRESULT result = OnRenderDone(wParam, lParam);
        // A render stopped for a newer one starts that one instead of landing.
        if (current && !IsRendering()) {
            landed = Now();
            ++renders;
            if (m_done >= m_changes)
                EndDialog(IDOK);
        }
        return result;
    }
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id != kChangeTimer) {
            CDlgFrameMain::OnTimer(id);
            return;
        }
        if (++m_done >= m_changes)
            KillTimer(kChangeTimer);
        // As typed: the edit's change restarts the render.
        SetDlgItemInt(IDC_FRAME_ZOOM, 100 - 4 * m_done, FALSE);
    }
    DECLARE_MESSAGE_MAP()

private:
    int m_changes;
    int m_done = 0;
};

BEGIN_MESSAGE_MAP(CBenchFrameDialog, CDlgFrameMain)
    ON_MESSAGE(CDlgFrameBase::kRenderDone, OnDone)
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

// Opens the dialog on the frame and gives the seconds to the last render on the layer.
double TimeDialog(CBenchFrame& frame, const CZVImage& photo, const wchar_t* framePath, int type, int changes)
{
    CLayerInfo* layer = frame.view.doc.layers.GetLayer(0);
    layer->displayed.Copy(photo);
    layer->source.Copy(photo);
    CBenchFrameDialog dialog(changes);
    dialog.m_strFramePath = framePath;
    dialog.m_nFrameMask = 1 << type;
    dialog.m_nFrameType = type;
    const double started = Now();
    dialog.DoModal();
    if (dialog.renders == 0)
        fwprintf(stderr, L"frame_bench: no render of %ls landed\n", framePath);
    return dialog.landed - started;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4 || argc % 2) {
        fwprintf(stderr, L"usage: frame_bench PHOTO FRAME TYPE [FRAME TYPE...]\n");
        return 2;
    }
    CZVImage photo;
    if (!photo.LoadFile(argv[1])) {
        fwprintf(stderr, L"frame_bench: cannot read %ls\n", argv[1]);
        return 1;
    }
    RegisterToolHostFrame(RUNTIME_CLASS(CBenchFrame), ToolHostKind::Editor, BenchView);
    CBenchFrame frame;
    if (!frame.CreateEx(0, nullptr, L"frame bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 720,
                        nullptr, nullptr) ||
        !frame.view.CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 980, 680, frame.m_hWnd,
                             nullptr) ||
        !frame.view.OpenImage(photo)) {
        fwprintf(stderr, L"frame_bench: no window\n");
        return 1;
    }
    AfxGetApp()->m_pMainWnd = &frame;
    for (int i = 2; i + 1 < argc; i += 2) {
        const int type = _wtoi(argv[i + 1]);
        std::vector<double> one, changed;
        for (int round = 0; round < kRounds; ++round) {
            one.push_back(TimeDialog(frame, photo, argv[i], type, 0));
            changed.push_back(TimeDialog(frame, photo, argv[i], type, kChanges));
        }
        // Read by run-frame-bench.
        printf("type %d render %.3f changed %.3f\n", type, Median(one), Median(changed));
    }
    frame.DestroyWindow();
    return 0;
}
