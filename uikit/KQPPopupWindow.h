#pragma once
// Pop-up notes: at most one a second (a second one within the second is dropped quietly), each
// closing itself after its time. The library keeps the open notes so that a program can close
// them all when it ends.
#include "SkinUI.h"
#include "ZVUILibDef.h"

// Shows text and icon for the seconds (0: until closed) at the screen point, or at the default
// place when place is null.
ZVUILIB_API void PopupNotifyWnd(const wchar_t* text, int seconds, HICON icon, CPoint* place);
// As PopupNotifyWnd, for a note the user must see (the end of a run): within the second after
// the last note it waits for the second to pass instead of being dropped. One note waits at
// most; a later one takes its place, so a burst still shows a note a second.
ZVUILIB_API void PopupNotifyWndQueued(const wchar_t* text, int seconds, HICON icon, CPoint* place);

// A note that, once listed among the open notes, deletes itself when its window goes.
class ZVUILIB_API CKQPPopupWindow : public CBCGPPopupWindow {
protected:
    void PostNcDestroy() override;
};

// Destroys every open note and forgets a waiting one.
ZVUILIB_API void CloseAllPopupWnd();
// The clock of the one-a-second rule and of the notes' closing (GetTickCount; null puts it
// back); returns the one before.
ZVUILIB_API CBCGPPopupWindow::Clock SetPopupNotifyClock(CBCGPPopupWindow::Clock clock);

namespace popupnotify {
// The one-a-second rule on a 32-bit tick count that wraps.
class ZVUILIB_API Throttle {
public:
    // True, and the time kept, when no note was shown yet or the last is 1000 ms old.
    bool Pass(DWORD now);
    // Milliseconds until Pass would let a note through; 0 when it would now.
    DWORD Wait(DWORD now) const;

private:
    bool m_shown = false;
    DWORD m_last = 0;
};
} // namespace popupnotify
