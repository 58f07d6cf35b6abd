// The new-picture tests' dialog driver and clipboard helpers, shared with the editor frame's
// command tests.
#include "NewPictureTest.h"
#include <cstring>

namespace {

std::function<void(HWND)> g_act;
HWND g_except = nullptr;
UINT_PTR g_timer = 0;
bool g_done = false;

struct Search {
    HWND except;
    HWND found;
};

BOOL CALLBACK FindShownDialog(HWND window, LPARAM param)
{
    Search& search = *reinterpret_cast<Search*>(param);
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (window != search.except && wcscmp(name, L"#32770") == 0 && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Search search = {g_except, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found || !g_act)
        return;
    ::KillTimer(nullptr, g_timer);
    g_timer = 0;
    std::function<void(HWND)> act = std::move(g_act);
    g_act = nullptr;
    g_done = true;
    act(search.found);
}
} // namespace

namespace newpicturetest {

void ActOnDialog(std::function<void(HWND)> act, HWND except)
{
    if (g_timer)
        ::KillTimer(nullptr, g_timer);
    g_act = std::move(act);
    g_except = except;
    g_done = false;
    g_timer = ::SetTimer(nullptr, 0, 30, Tick);
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
    ::SetDlgItemTextW(dialog, id, text);
}

std::vector<std::wstring> ComboItems(HWND dialog, int id)
{
    std::vector<std::wstring> items;
    const int count = int(::SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        ::SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        items.push_back(text);
    }
    return items;
}

int ComboSelection(HWND dialog, int id)
{
    return int(::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool PutOnClipboard(const std::vector<std::pair<UINT, std::vector<BYTE>>>& blocks)
{
    if (!::OpenClipboard(nullptr))
        return false;
    bool ok = ::EmptyClipboard() != FALSE;
    for (const auto& block : blocks) {
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, block.second.size());
        void* p = memory ? ::GlobalLock(memory) : nullptr;
        if (!p) {
            ok = false;
            continue;
        }
        std::memcpy(p, block.second.data(), block.second.size());
        ::GlobalUnlock(memory);
        if (!::SetClipboardData(block.first, memory)) {
            ::GlobalFree(memory);
            ok = false;
        }
    }
    ::CloseClipboard();
    return ok;
}

std::vector<BYTE> MakeDib(int width, int height)
{
    const size_t stride = size_t((width * 24 + 31) / 32 * 4);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + stride * size_t(height), 0x80);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::memcpy(dib.data(), &header, sizeof header);
    return dib;
}

ClipboardCleaner::~ClipboardCleaner()
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

} // namespace newpicturetest
