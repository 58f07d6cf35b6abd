#include "DialogsTest.h"

namespace {
class CDialogsTestApp : public CWindowTestApp<> {
public:
    CDialogsTestApp() : CWindowTestApp(L"DialogsTests") {}
};
CDialogsTestApp theApp;

std::function<void(HWND)> g_act;
UINT_PTR g_timer = 0;
bool g_done = false;

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found)
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
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !g_act)
        return;
    DisarmDialogAct();
    std::function<void(HWND)> act = std::move(g_act);
    g_act = nullptr;
    g_done = true;
    act(dialog);
}
} // namespace

void ActOnDialog(std::function<void(HWND)> act)
{
    DisarmDialogAct();
    g_act = std::move(act);
    g_done = false;
    g_timer = ::SetTimer(nullptr, 0, 30, Tick);
}

void DisarmDialogAct()
{
    if (g_timer)
        ::KillTimer(nullptr, g_timer);
    g_timer = 0;
}

bool DialogActDone()
{
    return g_done;
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[512] = {};
    ::GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

void Click(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog, id)));
}

void Choose(HWND dialog, int id, int index)
{
    ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(::GetDlgItem(dialog, id)));
}

void Type(HWND dialog, int id, const wchar_t* text)
{
    // Setting the text sends EN_CHANGE to the dialog, as typing does.
    ::SetDlgItemTextW(dialog, id, text);
}
