#include "FrameSwitches.h"
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include "DlgFrameMain.h"
#include "FrameDialogIds.h"
#include "LayerInfo.h"
#include "DemoFrame.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "XmlDocument.h"

namespace {

// The editor's part: a frame whose client is one edit view.
const wchar_t* ValueOf(int argc, wchar_t** argv, const wchar_t* name, int offset = 1)
{
    for (int i = 1; i + offset < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return argv[i + offset];
    return nullptr;
}

// The types of the frame's description: the first "file" element's "type" of "Frame", as the
// frame lists read it; 0 without a description.
int DescribedTypes(const std::wstring& framePath)
{
    const size_t slash = framePath.find_last_of(L"\\/");
    const size_t dot = framePath.find_last_of(L'.');
    const std::wstring xml = (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)
                                  ? framePath.substr(0, dot)
                                  : framePath) + L".xml";
    XmlDocument document;
    if (!XmlLoadFile(&document, xml.c_str()))
        return 0;
    XmlNode* root = document.FindChild(L"Frame");
    XmlNode* file = root ? root->FindChild(L"file") : nullptr;
    XmlAttribute* type = file ? file->FindAttribute(L"type") : nullptr;
    return type ? _wtoi(type->value) : 0;
}

// What is done to the dialog once it is up.
struct DemoActs {
    const wchar_t* zoom = nullptr;
    bool ok = false;
};
DemoActs g_acts;
UINT_PTR g_actTimer = 0;

void CALLBACK ActOnFrameDialog(HWND, UINT, UINT_PTR, DWORD)
{
    CWnd* active = CWnd::FromHandle(::GetActiveWindow());
    CDlgFrameMain* dialog = active ? DYNAMIC_DOWNCAST(CDlgFrameMain, CWnd::FromHandlePermanent(active->m_hWnd)) : nullptr;
    if (!dialog)
        return;
    ::KillTimer(nullptr, g_actTimer);
    g_actTimer = 0;
    if (g_acts.zoom)
        dialog->SetDlgItemText(IDC_FRAME_ZOOM, g_acts.zoom);
    if (g_acts.ok)
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(dialog->GetDlgItem(IDOK)->m_hWnd));
}

} // namespace

bool RunFrameSwitch(int argc, wchar_t** argv, int& exitCode)
{
    const wchar_t* picture = ValueOf(argc, argv, L"/frame");
    const wchar_t* framePath = ValueOf(argc, argv, L"/frame", 2);
    if (!picture)
        return false;
    exitCode = 1;
    if (!framePath) {
        fwprintf(stderr, L"usage: ToolsDemo /frame PICTURE FRAME [/zoom N] [/ok OUT]\n");
        return true;
    }
    wchar_t fullFrame[MAX_PATH] = {};
    ::GetFullPathNameW(framePath, MAX_PATH, fullFrame, nullptr);
    std::unique_ptr<CDemoEditorFrame> frameOwner = OpenDemoEditorFrame(picture, L"ToolsDemo - frame");
    if (!frameOwner)
        return true;
    CDemoEditorFrame* frame = frameOwner.get();
    CPicEditView& view = frame->view;
    frame->UpdateWindow();

    CDlgFrameMain dialog;
    dialog.m_strFramePath = fullFrame;
    dialog.m_nFrameMask = DescribedTypes(fullFrame);
    dialog.m_nFrameType = FrameTypeFromMask(dialog.m_nFrameMask);
    const wchar_t* out = ValueOf(argc, argv, L"/ok");
    g_acts.zoom = ValueOf(argc, argv, L"/zoom");
    g_acts.ok = out != nullptr;
    if (g_acts.zoom || g_acts.ok)
        g_actTimer = ::SetTimer(nullptr, 0, 100, ActOnFrameDialog);
    const INT_PTR result = dialog.DoModal();
    exitCode = result == IDOK ? 0 : 1;
    if (out && result == IDOK && !view.doc.layers.GetCurrentLayer()->displayed.Save(out, 0)) {
        fwprintf(stderr, L"ToolsDemo: cannot write %ls\n", out);
        exitCode = 1;
    }
    frame->DestroyWindow();
    return true;
}
