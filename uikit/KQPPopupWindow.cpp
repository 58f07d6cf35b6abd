#include "KQPPopupWindow.h"
#include <climits>
#include <vector>
#include "TList.h"

namespace {

const DWORD kMinInterval = 1000;

// The notes still on screen, oldest first; the UI thread alone touches them.
ALT::TList<CKQPPopupWindow*> g_openNotes;
popupnotify::Throttle g_throttle;
CBCGPPopupWindow::Clock g_clock = &::GetTickCount;

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

} // namespace

bool popupnotify::Throttle::Pass(DWORD now)
{
    // Unsigned difference: right across the wrap of the tick count.
    if (m_shown && now - m_last < kMinInterval)
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
    if (!g_throttle.Pass(g_clock()))
        return;
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

void CloseAllPopupWnd()
{
    // Each note takes itself off the list as its window goes: walk a copy.
    std::vector<CKQPPopupWindow*> notes;
    for (auto it = g_openNotes.Begin(); it != g_openNotes.End(); it.Next())
        notes.push_back(it.Get());
    for (CKQPPopupWindow* note : notes)
        note->DestroyWindow();
}
