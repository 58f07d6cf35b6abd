#include "NewPictureSwitches.h"
#include "DemoFrame.h"
#include <cmath>
#include <cstring>
#include <cwchar>
#include <functional>
#include <vector>
#include "DlgEditorBlank.h"
#include "DlgEditorCamera.h"
#include "DlgEditorCreateFile.h"
#include "FakeCaptureDevices.h"
#include "NewPictureIds.h"
#include "ZVUILibApp.h"

namespace {

// The dialogs' application object: the demonstration's entry is a console program's.
class CNewPictureDemoApp : public CWinApp {
public:
    CNewPictureDemoApp() : CWinApp(L"ToolsDemo") {}
};
CNewPictureDemoApp theApp;

const int kCommandNew = 32926;
const int kCommandBlank = 33021;

// A drawn picture on the clipboard as a DIB: a sky, a sun and hills.
bool PutPictureOnClipboard(int width, int height)
{
    if (width <= 0 || height <= 0 || width > 6000 || height > 6000)
        return false;
    const size_t stride = size_t((width * 3 + 3) & ~3);
    const size_t bytes = sizeof(BITMAPINFOHEADER) + stride * size_t(height);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    BYTE* p = block ? static_cast<BYTE*>(::GlobalLock(block)) : nullptr;
    if (!p)
        return false;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    std::memcpy(p, &header, sizeof header);
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        BYTE* d = p + sizeof header + stride * size_t(row);
        for (int x = 0; x < width; ++x, d += 3) {
            const double dx = x - width * 0.7, dy = y - height * 0.3;
            const bool sun = dx * dx + dy * dy < (height * 0.12) * (height * 0.12);
            const bool hill = y > height * 0.65 + 0.12 * height * std::sin(x * 6.28 / width);
            const BYTE sky = BYTE(150 + 100 * y / height);
            d[0] = hill ? 60 : sun ? 40 : 235;
            d[1] = hill ? 150 : sun ? 200 : sky;
            d[2] = hill ? 70 : sun ? 250 : BYTE(sky / 2);
        }
    }
    ::GlobalUnlock(block);
    bool ok = false;
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ok = ::SetClipboardData(CF_DIB, block) != nullptr;
        ::CloseClipboard();
    }
    if (!ok)
        ::GlobalFree(block);
    return ok;
}

// Once a dialog of this thread is up, runs the act on it from inside its modal loop.
std::function<void(HWND)> g_act;
UINT_PTR g_timer = 0;

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") == 0 && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !g_act)
        return;
    ::KillTimer(nullptr, g_timer);
    g_timer = 0;
    std::function<void(HWND)> act = std::move(g_act);
    g_act = nullptr;
    act(dialog);
}

void ActOnDialogOnceShown(std::function<void(HWND)> act, UINT delay)
{
    g_act = std::move(act);
    g_timer = ::SetTimer(nullptr, 0, delay, Tick);
}

} // namespace

bool RunNewPictureSwitch(int argc, wchar_t** argv, int& exitCode)
{
    const wchar_t* command = SwitchValue(argc, argv, L"/command");
    const bool camera = HasSwitch(argc, argv, L"/camera");
    const int id = command ? _wtoi(command) : 0;
    if (!camera && id != kCommandNew && id != kCommandBlank)
        return false;
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    LoadDemoLanguage(argc, argv);
    exitCode = 0;
    if (camera) {
        CFakeCaptureDevices fake;
        ICaptureDevices* previous = SetCaptureDevices(&fake);
        CDlgEditorCamera dialog;
        if (const wchar_t* path = SwitchValue(argc, argv, L"/ok")) {
            wchar_t full[MAX_PATH] = {};
            ::GetFullPathNameW(path, MAX_PATH, full, nullptr);
            const std::wstring target = full;
            // After a few frames have been on show.
            ActOnDialogOnceShown([target](HWND w) {
                ::SetDlgItemTextW(w, IDC_NP_CAMERA_PATH, target.c_str());
                ::SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(::GetDlgItem(w, IDOK)));
            }, 500);
        }
        else if (const wchar_t* list = SwitchValue(argc, argv, L"/drop")) {
            const int id = _wcsicmp(list, L"devices") == 0 ? IDC_NP_CAMERA_DEVICES : IDC_NP_CAMERA_SIZES;
            ActOnDialogOnceShown([id](HWND w) { ::SendDlgItemMessageW(w, id, CB_SHOWDROPDOWN, TRUE, 0); }, 300);
        }
        exitCode = dialog.DoModal() == IDOK ? 0 : 1;
        SetCaptureDevices(previous);
        return true;
    }
    if (id == kCommandNew) {
        const wchar_t* width = SwitchValue(argc, argv, L"/clipboard");
        for (int i = 1; width && i + 2 < argc; ++i)
            if (_wcsicmp(argv[i], L"/clipboard") == 0)
                PutPictureOnClipboard(_wtoi(argv[i + 1]), _wtoi(argv[i + 2]));
        CDlgEditorCreateFile dialog;
        exitCode = dialog.DoModal() == IDOK ? 0 : 1;
        return true;
    }
    CDlgEditorBlank dialog;
    dialog.m_nWidth = dialog.m_nRatioWidth = 1024;
    dialog.m_nHeight = dialog.m_nRatioHeight = 768;
    exitCode = dialog.DoModal() == IDOK ? 0 : 1;
    return true;
}
