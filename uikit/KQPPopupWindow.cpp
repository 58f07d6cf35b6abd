#include "KQPPopupWindow.h"
#include <climits>
#include <string>
#include <vector>
#include "TList.h"

namespace {

const DWORD kMinInterval = 1000;

// The notes still on screen, oldest first; the UI thread alone touches them.
ALT::TList<CKQPPopupWindow*> g_openNotes;
popupnotify::Throttle g_throttle;
CBCGPPopupWindow::Clock g_clock = &::GetTickCount;

// The note that waits for the second to pass, and the thread timer that will show it.
struct WaitingNote {
    std::wstring text;
    int seconds = 0;
    HICON icon = nullptr;
    bool placed = false;
    CPoint place;
};
WaitingNote g_waiting;
UINT_PTR g_waitTimer = 0;

// False when the note was not listed.
bool Forget(CKQPPopupWindow* note)
{
    for (auto it = g_openNotes.Begin(); it != g_openNotes.End(); it.Next()) {
        if (it.Get() == note) {
            g_openNotes.RemoveAt(it);
            return true;
        }
    }
    return false;
}

void ShowNote(const wchar_t* text, int seconds, HICON icon, CPoint* place)
{
    CBCGPPopupWndParams params;
    params.m_hIcon = icon;
    params.m_strText = text ? text : L"";
    auto* note = new CKQPPopupWindow;
    note->SetClock(g_clock);
    note->SetAutoCloseTime(seconds <= 0 ? 0 : (seconds >= INT_MAX / 1000 ? INT_MAX : seconds * 1000));
    // Listed only once its window exists: a note that never appeared has nothing to close.
    if (!note->Create(nullptr, params, nullptr, place ? *place : CPoint(-1, -1))) {
        delete note;
        return;
    }
    g_openNotes.AddTail(note);
}

void StopWaiting()
{
    if (g_waitTimer)
        ::KillTimer(nullptr, g_waitTimer);
    g_waitTimer = 0;
}

// A thread timer: Win32 calls it, so it keeps the stdcall convention of a TIMERPROC.
void CALLBACK ShowWaitingNote(HWND, UINT, UINT_PTR, DWORD);

void ArmWaitTimer(DWORD wait)
{
    g_waitTimer = ::SetTimer(nullptr, 0, wait, ShowWaitingNote);
}

void CALLBACK ShowWaitingNote(HWND, UINT, UINT_PTR, DWORD)
{
    StopWaiting();
    if (!g_throttle.Pass(g_clock())) {
        // The timer ran ahead of the notes' clock.
        ArmWaitTimer(g_throttle.Wait(g_clock()));
        return;
    }
    CPoint place = g_waiting.place;
    ShowNote(g_waiting.text.c_str(), g_waiting.seconds, g_waiting.icon, g_waiting.placed ? &place : nullptr);
}

} // namespace

DWORD popupnotify::Throttle::Wait(DWORD now) const
{
    // Unsigned difference: right across the wrap of the tick count.
    const DWORD since = now - m_last;
    return m_shown && since < kMinInterval ? kMinInterval - since : 0;
}

bool popupnotify::Throttle::Pass(DWORD now)
{
    if (Wait(now))
        return false;
    m_shown = true;
    m_last = now;
    return true;
}

void CKQPPopupWindow::PostNcDestroy()
{
    // A note whose creation failed was never listed and belongs to PopupNotifyWnd still.
    if (Forget(this))
        delete this;
}

CBCGPPopupWindow::Clock SetPopupNotifyClock(CBCGPPopupWindow::Clock clock)
{
    CBCGPPopupWindow::Clock before = g_clock;
    g_clock = clock ? clock : &::GetTickCount;
    return before;
}

void PopupNotifyWnd(const wchar_t* text, int seconds, HICON icon, CPoint* place)
{
    if (g_throttle.Pass(g_clock()))
        ShowNote(text, seconds, icon, place);
}

void PopupNotifyWndQueued(const wchar_t* text, int seconds, HICON icon, CPoint* place)
{
    const DWORD wait = g_throttle.Wait(g_clock());
    if (!wait && !g_waitTimer) {
        PopupNotifyWnd(text, seconds, icon, place);
        return;
    }
    g_waiting.text = text ? text : L"";
    g_waiting.seconds = seconds;
    g_waiting.icon = icon;
    g_waiting.placed = place != nullptr;
    g_waiting.place = place ? *place : CPoint();
    if (!g_waitTimer)
        ArmWaitTimer(wait);
}

void CloseAllPopupWnd()
{
    StopWaiting();
    // Each note takes itself off the list as its window goes: walk a copy.
    std::vector<CKQPPopupWindow*> notes;
    for (auto it = g_openNotes.Begin(); it != g_openNotes.End(); it.Next())
        notes.push_back(it.Get());
    for (CKQPPopupWindow* note : notes)
        note->DestroyWindow();
}
