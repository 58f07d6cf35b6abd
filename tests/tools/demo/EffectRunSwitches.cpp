#include "EffectRunSwitches.h"
#include "DemoFrame.h"
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

} // namespace

bool RunEffectSwitch(int argc, wchar_t** argv, int& exitCode)
{
    const wchar_t* picture = SwitchValue(argc, argv, L"/run");
    if (!picture)
        return false;
    exitCode = 1;
    std::unique_ptr<CDemoEditorFrame> frameOwner = OpenDemoEditorFrame(picture, L"ToolsDemo - effect");
    if (!frameOwner)
        return true;
    CDemoEditorFrame* frame = frameOwner.get();
    CPicEditView& view = frame->view;
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
