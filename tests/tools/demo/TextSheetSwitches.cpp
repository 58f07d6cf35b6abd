#include "TextSheetSwitches.h"
#include "DemoFrame.h"
#include <cwchar>
#include <memory>
#include "EditorAppState.h"
#include "LayerInfo.h"
#include "PicEditView.h"
#include "TextPropSheet.h"
#include "TextPropSheetIds.h"
#include "ZVUILibApp.h"

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Pumps until every thumbnail is in the gallery, so that a click finds its preset drawn.
void WaitForGallery(CDlgTextFuncMain& page)
{
    while (page.IsThumbnailThreadRunning()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    Pump();
}

// What a person does in the open sheet.
void Act(CTextPropSheet& sheet, int argc, wchar_t** argv)
{
    // In the frame's lower right corner, off the new text at the picture's top left.
    if (CWnd* frame = sheet.GetParent()) {
        CRect frameRect, sheetRect;
        frame->GetWindowRect(&frameRect);
        sheet.GetWindowRect(&sheetRect);
        sheet.SetWindowPos(nullptr, frameRect.right - sheetRect.Width() - 8, frameRect.bottom - sheetRect.Height() - 8, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
    }
    CDlgTextFuncMain& main = sheet.m_pageMain;
    if (const wchar_t* text = SwitchValue(argc, argv, L"/text")) {
        // Typed over the prompt: a multi-line box tells no change for a text set by code.
        CWnd* edit = main.GetDlgItem(IDC_TEXT_EDIT);
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
        edit->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    WaitForGallery(main);
    if (const wchar_t* preset = SwitchValue(argc, argv, L"/preset")) {
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = main.m_listPresets.m_hWnd;
        click.hdr.idFrom = IDC_TEXT_PRESETS;
        click.hdr.code = NM_CLICK;
        click.iItem = _wtoi(preset);
        main.m_listPresets.SetItemState(click.iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        main.SendMessage(WM_NOTIFY, IDC_TEXT_PRESETS, reinterpret_cast<LPARAM>(&click));
    }
    const wchar_t* page = SwitchValue(argc, argv, L"/page");
    if (!page || _wcsicmp(page, L"Advanced") != 0)
        return;
    sheet.SetActivePage(1);
    Pump();
    if (const wchar_t* effect = SwitchValue(argc, argv, L"/effect")) {
        CDlgTextFuncAdvanced& advanced = sheet.m_pageAdvanced;
        const int index = advanced.m_comboEffect.FindStringExact(-1, TranslateString(effect));
        if (index >= 0) {
            advanced.m_comboEffect.SetCurSel(index);
            advanced.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADV_EFFECT, CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(advanced.m_comboEffect.m_hWnd));
        }
    }
}

// The sheet and the arguments for the timer that acts once the modal sheet shows.
struct PendingActs {
    CTextPropSheet* sheet;
    int argc;
    wchar_t** argv;
};
PendingActs g_pending = {};

void CALLBACK ActWhenShown(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_pending.sheet || !::IsWindow(g_pending.sheet->m_hWnd))
        return;
    ::KillTimer(nullptr, timer);
    CTextPropSheet* sheet = g_pending.sheet;
    g_pending.sheet = nullptr;
    Act(*sheet, g_pending.argc, g_pending.argv);
}

} // namespace

bool RunTextSheetSwitch(int argc, wchar_t** argv, int& exitCode)
{
    if (!SwitchValue(argc, argv, L"/text") || argc < 3)
        return false;
    const wchar_t* picture = argv[argc - 1];
    exitCode = 1;
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    LoadDemoLanguage(argc, argv);
    std::unique_ptr<CDemoEditorFrame> frame = OpenDemoEditorFrame(picture, L"ToolsDemo - text");
    if (!frame)
        return true;
    CPicEditView& view = frame->view;
    // As the Text tool starts: the new text at the picture's top left, the background current,
    // so that the typing adds a text layer.
    view.doc.insertPoint = POINT{view.doc.canvasRect.left, view.doc.canvasRect.top};
    view.doc.layers.currentId = 0;
    view.tool = 2;
    CToolHost host;
    FindToolHost(host, frame.get());
    CTextPropSheet sheet(host, GetEditorAppState().defaultWordArt);
    g_pending = PendingActs{&sheet, argc, argv};
    ::SetTimer(nullptr, 0, 100, ActWhenShown);
    sheet.DoModal();
    exitCode = 0;
    frame->DestroyWindow();
    return true;
}
