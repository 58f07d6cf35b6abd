#include "EffectRunSwitches.h"
#include <cwchar>
#include <memory>
#include "EffectProcessors.h"
#include "LayerInfo.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "ZVEffectDialog.h"

namespace {

const UINT kDemoTemplate = 4710;
const int kRadiusSlider = 1001;
const int kRadiusText = 1002;

// The blur after a minute of pretended work, a step at a time, giving up on escape.
class CSlowBlur : public CEffectGaussian {
public:
    explicit CSlowBlur(int radius) : CEffectGaussian(radius) {}
    void Process(CZVImage* picture) override
    {
        for (int step = 0; step < 200; ++step) {
            if (picture->GetEscape())
                return;
            picture->SetProgress(step / 2);
            ::Sleep(300);
        }
        CEffectGaussian::Process(picture);
    }
};

class CBlurDemoDialog : public CZVEffectDialog {
public:
    CBlurDemoDialog() : CZVEffectDialog(kDemoTemplate) {}
    int radius = 10;
    bool slow = false;

protected:
    BOOL OnInitDialog() override
    {
        CZVEffectDialog::OnInitDialog();
        SendDlgItemMessage(kRadiusSlider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 100));
        SendDlgItemMessage(kRadiusSlider, TBM_SETPOS, TRUE, radius);
        return TRUE;
    }
    std::unique_ptr<CProcessBase> CreateProcessor() override
    {
        if (slow)
            return std::make_unique<CSlowBlur>(radius);
        return std::make_unique<CEffectGaussian>(radius);
    }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        CZVEffectDialog::OnHScroll(nSBCode, nPos, pScrollBar);
        radius = int(SendDlgItemMessage(kRadiusSlider, TBM_GETPOS, 0, 0));
        SetDlgItemInt(kRadiusText, radius, FALSE);
        if (nSBCode == SB_ENDSCROLL)
            StartProcess();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBlurDemoDialog, CZVEffectDialog)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

// The editor's part: a frame whose client is one edit view.
class CEffectDemoFrame : public CWnd {
    DECLARE_DYNAMIC(CEffectDemoFrame)
public:
    CPicEditView view;
};
IMPLEMENT_DYNAMIC(CEffectDemoFrame, CWnd)

CPicEditView* DemoFrameView(CWnd* frame)
{
    return &static_cast<CEffectDemoFrame*>(frame)->view;
}

const wchar_t* SwitchValue(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return argv[i + 1];
    return nullptr;
}

bool HasSwitch(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 1; i < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return true;
    return false;
}

} // namespace

bool RunEffectSwitch(int argc, wchar_t** argv, int& exitCode)
{
    const wchar_t* picture = SwitchValue(argc, argv, L"/run");
    if (!picture)
        return false;
    exitCode = 1;
    RegisterToolHostFrame(RUNTIME_CLASS(CEffectDemoFrame), ToolHostKind::Editor, DemoFrameView);
    auto frameOwner = std::make_unique<CEffectDemoFrame>();
    CEffectDemoFrame* frame = frameOwner.get();
    if (!frame->CreateEx(0, nullptr, L"ToolsDemo - effect", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                         1000, 720, nullptr, nullptr)) {
        fwprintf(stderr, L"ToolsDemo: no frame window (%lu)\n", ::GetLastError());
        return true;
    }
    AfxGetApp()->m_pMainWnd = frame;
    CRect client;
    frame->GetClientRect(&client);
    CPicEditView& view = frame->view;
    if (!view.CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.Width(),
                       client.Height(), frame->m_hWnd, nullptr) ||
        !view.OpenImageFile(picture)) {
        fwprintf(stderr, L"ToolsDemo: cannot show %ls\n", picture);
        frame->DestroyWindow();
        return true;
    }
    frame->UpdateWindow();
    CLayerInfo* layer = view.doc.layers.GetLayer(0);
    if (const wchar_t* out = SwitchValue(argc, argv, L"/direct")) {
        CZVImage direct;
        direct.Copy(layer->displayed);
        CEffectGaussian(10).Process(&direct);
        exitCode = direct.Save(out, 0) ? 0 : 1;
        if (exitCode)
            fwprintf(stderr, L"ToolsDemo: cannot write %ls\n", out);
        frame->DestroyWindow();
        return true;
    }
    CBlurDemoDialog dialog;
    dialog.slow = HasSwitch(argc, argv, L"/slow");
    const wchar_t* out = SwitchValue(argc, argv, L"/ok");
    if (out)
        dialog.m_bCloseWhenDone = 1;
    const INT_PTR result = dialog.DoModal();
    exitCode = result == IDOK ? 0 : 1;
    if (result != IDOK)
        fwprintf(stderr, L"ToolsDemo: the dialog ended with %d\n", int(result));
    if (result == IDOK && out && !view.doc.layers.GetLayer(0)->displayed.Save(out, 0)) {
        fwprintf(stderr, L"ToolsDemo: cannot write %ls\n", out);
        exitCode = 1;
    }
    frame->DestroyWindow();
    return true;
}
