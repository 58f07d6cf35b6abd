#include "LayerDialogSwitches.h"
#include <cwchar>
#include <memory>
#include <vector>
#include "DlgShadowOption.h"
#include "EditorDialogs.h"
#include "LayerInfo.h"
#include "MainFrameLayerDialogs.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "WordArtInfo.h"
#include "ZVUILibApp.h"

namespace {

class CLayerDemoFrame : public CWnd {
    DECLARE_DYNAMIC(CLayerDemoFrame)
public:
    CPicEditView view;
};
IMPLEMENT_DYNAMIC(CLayerDemoFrame, CWnd)

CPicEditView* LayerDemoView(CWnd* frame)
{
    return &static_cast<CLayerDemoFrame*>(frame)->view;
}

const wchar_t* LayerSwitchValue(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return argv[i + 1];
    return nullptr;
}

bool HasLayerSwitch(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 1; i < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return true;
    return false;
}

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
    const wchar_t* command = LayerSwitchValue(argc, argv, L"/command");
    const int id = command ? _wtoi(command) : 0;
    EditorDialog kind;
    const wchar_t* picture = nullptr;
    if (DialogOfLayerCommand(UINT(id), kind) && argc > 3)
        picture = LayerSwitchValue(argc, argv, command);
    const wchar_t* shadowPicture = LayerSwitchValue(argc, argv, L"/shadow");
    if (!picture && !shadowPicture)
        return false;
    if (!picture)
        picture = shadowPicture;
    exitCode = 1;
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    if (const wchar_t* language = LayerSwitchValue(argc, argv, L"/lang")) {
        CString path = CZVUILibApp::GetLanguageFolder().GetString();
        path += language;
        path += L".txt";
        LoadLanguageFile(path);
    }
    RegisterToolHostFrame(RUNTIME_CLASS(CLayerDemoFrame), ToolHostKind::Editor, LayerDemoView);
    auto frameOwner = std::make_unique<CLayerDemoFrame>();
    CLayerDemoFrame* frame = frameOwner.get();
    if (!frame->CreateEx(0, nullptr, L"ToolsDemo - layers", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
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
    CLayerDocument& doc = view.doc;
    if (HasLayerSwitch(argc, argv, L"/layer")) {
        CZVImage half;
        half.Copy(doc.layers.GetLayer(0)->displayed);
        half.Resample(half.GetWidth() / 2, half.GetHeight() / 2);
        doc.AddImageLayer(half, FALSE);
    }
    if (const wchar_t* text = LayerSwitchValue(argc, argv, L"/text")) {
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
    if (const wchar_t* opacity = LayerSwitchValue(argc, argv, L"/opacity"))
        view.SetSelectedLayerAlpha(static_cast<int>(_wtoi(opacity) * 255 + 50) / 100, -1, -1);
    if (const wchar_t* angle = LayerSwitchValue(argc, argv, L"/angle"))
        view.SetSelectedLayerAngle(_wtoi(angle));
    if (CLayerInfo* layer = doc.layers.GetCurrentLayer()) {
        const wchar_t* shadowAngle = LayerSwitchValue(argc, argv, L"/shadow-angle");
        const wchar_t* distance = LayerSwitchValue(argc, argv, L"/distance");
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
    const wchar_t* out = LayerSwitchValue(argc, argv, L"/out");
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
    UnregisterToolHostFrame(RUNTIME_CLASS(CLayerDemoFrame));
    return true;
}
