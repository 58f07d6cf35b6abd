#include "EffectCommandSwitches.h"
#include <cwchar>
#include <memory>
#include "DlgEditorEffectBlinds.h"
#include "DlgEditorEffectLensFlare.h"
#include "DlgEditorEffectOneOption.h"
#include "DlgEditorEffectProcessing.h"
#include "DlgEditorEffectSupernova.h"
#include "DlgEditorEffectTransparentColor.h"
#include "DlgEditorEffectTwoOption.h"
#include "DlgEditorRotate.h"
#include "DlgEditorThreshold.h"
#include "EffectCommandTable.h"
#include "EffectOptionDialogsIds.h"
#include "LayerInfo.h"
#include "DemoFrame.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "ZVUILibApp.h"

namespace {

const UINT kRotatePicture = 31015;

const wchar_t* CommandArgumentAfter(int argc, wchar_t** argv, const wchar_t* name, int skip = 0)
{
    for (int i = 1; i + 1 + skip < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return argv[i + 1 + skip];
    return nullptr;
}

// What to do inside the open dialog once its first run is done.
struct DemoAction {
    CEffectOptionDialog* dialog = nullptr;
    POINT click = {-1, -1};
    int preset = -1;
};
DemoAction g_action;

void CALLBACK ActInDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    CEffectOptionDialog* dialog = g_action.dialog;
    if (!dialog || !dialog->m_hWnd || !dialog->IsWindowVisible() || dialog->m_processorsMade < 1 || dialog->IsRunning())
        return;
    ::KillTimer(nullptr, timer);
    if (g_action.click.x >= 0) {
        if (auto* nova = dynamic_cast<CDlgEditorEffectSupernova*>(dialog))
            nova->ClickPreview(g_action.click);
        if (auto* flare = dynamic_cast<CDlgEditorEffectLensFlare*>(dialog))
            flare->ClickPreview(g_action.click);
    }
    if (g_action.preset >= 0) {
        dialog->SendDlgItemMessage(IDC_FX_ANGLE_PRESETS, CB_SETCURSEL, g_action.preset, 0);
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FX_ANGLE_PRESETS, CBN_SELCHANGE),
                            LPARAM(dialog->GetDlgItem(IDC_FX_ANGLE_PRESETS)->m_hWnd));
    }
}

std::unique_ptr<CEffectOptionDialog> MakeDialog(UINT id)
{
    if (id == kRotatePicture) {
        auto rotate = std::make_unique<CDlgEditorRotate>();
        rotate->m_bRefit = 1;
        return rotate;
    }
    const EffectCommand* c = FindEffectCommand(id);
    if (!c || c->action != EffectCommandAction::Dialog)
        return nullptr;
    switch (c->kind) {
    case EditorDialog::EffectOneOption: {
        auto d = std::make_unique<CDlgEditorEffectOneOption>();
        d->m_options.effectIndex = c->index, d->m_options.value = c->value1;
        return d;
    }
    case EditorDialog::EffectTwoOption: {
        auto d = std::make_unique<CDlgEditorEffectTwoOption>();
        d->m_options.effectIndex = c->index, d->m_options.firstValue = c->value1, d->m_options.secondValue = c->value2;
        return d;
    }
    case EditorDialog::EffectProcessing: {
        auto d = std::make_unique<CDlgEditorEffectProcessing>();
        d->m_options.effectIndex = c->index, d->m_options.autoClose = c->value1;
        return d;
    }
    case EditorDialog::EffectBlinds: return std::make_unique<CDlgEditorEffectBlinds>();
    case EditorDialog::EffectLensFlare: return std::make_unique<CDlgEditorEffectLensFlare>();
    case EditorDialog::EffectSupernova: return std::make_unique<CDlgEditorEffectSupernova>();
    case EditorDialog::EffectThreshold: return std::make_unique<CDlgEditorThreshold>();
    case EditorDialog::EffectTransparentColor: return std::make_unique<CDlgEditorEffectTransparentColor>();
    default: return nullptr;
    }
}

} // namespace

bool RunEffectCommandSwitch(int argc, wchar_t** argv, int& exitCode)
{
    const wchar_t* command = CommandArgumentAfter(argc, argv, L"/command");
    const wchar_t* picture = CommandArgumentAfter(argc, argv, L"/command", 1);
    const UINT id = command ? UINT(_wtoi(command)) : 0;
    std::unique_ptr<CEffectOptionDialog> dialog = id ? MakeDialog(id) : nullptr;
    if (!dialog)
        return false;
    exitCode = 1;
    if (!picture) {
        fwprintf(stderr, L"ToolsDemo: /command %u needs a picture\n", id);
        return true;
    }
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    LoadDemoLanguage(argc, argv);
    std::unique_ptr<CDemoEditorFrame> frameOwner = OpenDemoEditorFrame(picture, L"ToolsDemo - editor", 1100, 800);
    if (!frameOwner)
        return true;
    CDemoEditorFrame* frame = frameOwner.get();
    CPicEditView& view = frame->view;
    frame->UpdateWindow();
    if (id == kRotatePicture)
        view.doc.layers.currentId = 0;
    g_action.dialog = dialog.get();
    if (const wchar_t* x = CommandArgumentAfter(argc, argv, L"/click"))
        if (const wchar_t* y = CommandArgumentAfter(argc, argv, L"/click", 1))
            g_action.click = POINT{_wtoi(x), _wtoi(y)};
    if (const wchar_t* preset = CommandArgumentAfter(argc, argv, L"/preset"))
        g_action.preset = _wtoi(preset);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, ActInDialog);
    const INT_PTR result = dialog->DoModal();
    ::KillTimer(nullptr, timer);
    g_action = DemoAction();
    if (result == IDOK)
        view.doc.CommitCurrentLayer(TRUE);
    exitCode = result == IDOK ? 0 : 1;
    frame->DestroyWindow();
    return true;
}
