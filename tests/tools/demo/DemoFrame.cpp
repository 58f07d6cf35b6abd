#include "DemoFrame.h"
#include <cstdio>
#include <cwchar>
#include "ToolHost.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDemoEditorFrame, CWnd)

namespace {

CPicEditView* DemoEditorFrameView(CWnd* frame)
{
    return &static_cast<CDemoEditorFrame*>(frame)->view;
}

} // namespace

std::unique_ptr<CDemoEditorFrame> OpenDemoEditorFrame(const wchar_t* picture, const wchar_t* title, int width, int height)
{
    RegisterToolHostFrame(RUNTIME_CLASS(CDemoEditorFrame), ToolHostKind::Editor, DemoEditorFrameView);
    auto frame = std::make_unique<CDemoEditorFrame>();
    if (!frame->CreateEx(0, nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                         nullptr, nullptr)) {
        fwprintf(stderr, L"ToolsDemo: no frame window (%lu)\n", ::GetLastError());
        return nullptr;
    }
    AfxGetApp()->m_pMainWnd = frame.get();
    CRect client;
    frame->GetClientRect(&client);
    CPicEditView& view = frame->view;
    if (!view.CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.Width(),
                       client.Height(), frame->m_hWnd, nullptr) ||
        !view.OpenImageFile(picture)) {
        fwprintf(stderr, L"ToolsDemo: cannot show %ls\n", picture);
        frame->DestroyWindow();
        return nullptr;
    }
    frame->UpdateWindow();
    return frame;
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

void LoadDemoLanguage(int argc, wchar_t** argv)
{
    const wchar_t* language = SwitchValue(argc, argv, L"/lang");
    if (!language)
        return;
    CString path = CZVUILibApp::GetLanguageFolder().GetString();
    path += language;
    path += L".txt";
    LoadLanguageFile(path);
}
