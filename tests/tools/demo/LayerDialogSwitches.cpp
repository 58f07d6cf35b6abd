#include "LayerDialogSwitches.h"
#include <cwchar>
#include <memory>
#include <vector>
#include "DlgShadowOption.h"
#include "EditorDialogs.h"
#include "LayerInfo.h"
#include "MainFrameLayerDialogs.h"
#include "DemoFrame.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "WordArtInfo.h"
#include "ZVUILibApp.h"

namespace {

// The controls to click once the dialog is up, and the dialog they were clicked in.
std::vector<int> pressList;
HWND pressedIn = nullptr;

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (std::wcscmp(name, L"#32770") == 0 && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK PressTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || dialog == pressedIn)
        return;
    ::KillTimer(nullptr, timer);
    pressedIn = dialog;
    for (int id : pressList) {
        HWND control = ::GetDlgItem(dialog, id);
        wchar_t name[16] = {};
        ::GetClassNameW(control, name, 16);
        // Push buttons end the dialog by command; radios, check and picture buttons are clicked.
        if (id == IDOK || id == IDCANCEL)
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        else
            ::SendMessageW(control, BM_CLICK, 0, 0);
    }
}

} // namespace

bool RunLayerDialogSwitch(int argc, wchar_t** argv, int& exitCode)
{
    const wchar_t* command = SwitchValue(argc, argv, L"/command");
    const int id = command ? _wtoi(command) : 0;
    EditorDialog kind;
    const wchar_t* picture = nullptr;
    if (DialogOfLayerCommand(UINT(id), kind) && argc > 3)
        picture = SwitchValue(argc, argv, command);
    const wchar_t* shadowPicture = SwitchValue(argc, argv, L"/shadow");
    if (!picture && !shadowPicture)
        return false;
    if (!picture)
        picture = shadowPicture;
    exitCode = 1;
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    LoadDemoLanguage(argc, argv);
    std::unique_ptr<CDemoEditorFrame> frameOwner = OpenDemoEditorFrame(picture, L"ToolsDemo - layers");
    if (!frameOwner)
        return true;
    CDemoEditorFrame* frame = frameOwner.get();
    CPicEditView& view = frame->view;
    CLayerDocument& doc = view.doc;
    if (HasSwitch(argc, argv, L"/layer")) {
        CZVImage half;
        half.Copy(doc.layers.GetLayer(0)->displayed);
        half.Resample(half.GetWidth() / 2, half.GetHeight() / 2);
        doc.AddImageLayer(half, FALSE);
    }
    if (const wchar_t* text = SwitchValue(argc, argv, L"/text")) {
        CWordArtInfo style;
        style.SetText(text);
        LOGFONTW font = {};
        font.lfHeight = -96;
        font.lfWeight = FW_BOLD;
        wcscpy(font.lfFaceName, L"Arial");
        style.SetLogFont(&font);
        style.SetFontSize(72);
        if (view.AddTextLayer(style)) {
            // Over the picture's upper left quarter, clear of the dialog.
            const float x = static_cast<float>(doc.canvasRect.left + 60), y = static_cast<float>(doc.canvasRect.top + 40);
            doc.SetCurrentLayerLocation(x, y);
            doc.SetCurrentLayerAngleOrigin(x, y);
        }
    }
    doc.layers.currentId = static_cast<int>(doc.layers.layers.size()) - 1;
    if (const wchar_t* opacity = SwitchValue(argc, argv, L"/opacity"))
        view.SetSelectedLayerAlpha(static_cast<int>(_wtoi(opacity) * 255 + 50) / 100, -1, -1);
    if (const wchar_t* angle = SwitchValue(argc, argv, L"/angle"))
        view.SetSelectedLayerAngle(_wtoi(angle));
    if (CLayerInfo* layer = doc.layers.GetCurrentLayer()) {
        const wchar_t* shadowAngle = SwitchValue(argc, argv, L"/shadow-angle");
        const wchar_t* distance = SwitchValue(argc, argv, L"/distance");
        if (shadowAngle || distance) {
            layer->shadowOn = 1;
            layer->shadowAngle = shadowAngle ? _wtoi(shadowAngle) : layer->shadowAngle;
            layer->shadowDistance = distance ? _wtoi(distance) : layer->shadowDistance;
            const POINT offsets = ShadowOffsets(layer->shadowAngle, layer->shadowDistance);
            layer->shadowOffsetX = offsets.x;
            layer->shadowOffsetY = offsets.y;
            layer->ClearShadowCache();
        }
    }
    doc.CalcLayerTracker(doc.layers.GetCurrentLayer());
    view.RequestRedraw();
    frame->UpdateWindow();
    for (int i = 1; i + 1 < argc; ++i)
        if (_wcsicmp(argv[i], L"/press") == 0)
            pressList.push_back(_wtoi(argv[i + 1]));
    if (!pressList.empty())
        ::SetTimer(nullptr, 0, 300, PressTimer);
    CLayerDialogCommands commands([&view] { return &view; });
    const wchar_t* out = SwitchValue(argc, argv, L"/out");
    if (out)
        commands.chooseExportPath = [out](CWnd*, int, CString& path) {
            path = out;
            return true;
        };
    commands.tell = [](const CString& text) { fwprintf(stderr, L"ToolsDemo: %ls\n", text.GetString()); };
    if (shadowPicture && !command)
        view.EditLayerShadow();
    else if (!commands.OnCmdMsg(UINT(id), CN_COMMAND, nullptr, nullptr))
        fwprintf(stderr, L"ToolsDemo: no dialog for %d\n", id);
    exitCode = 0;
    if (out && ::GetFileAttributesW(out) == INVALID_FILE_ATTRIBUTES) {
        fwprintf(stderr, L"ToolsDemo: nothing written to %ls\n", out);
        exitCode = 1;
    }
    frame->DestroyWindow();
    UnregisterToolHostFrame(RUNTIME_CLASS(CDemoEditorFrame));
    return true;
}
