#pragma once
// Pop-up notes: at most one a second (a second one within the second is dropped quietly), each
// closing itself after its time. The library keeps the open notes so that a program can close
// them all when it ends.
#include "SkinUI.h"
#include "ZVUILibDef.h"

// Shows text and icon for the seconds (0: until closed) at the screen point, or at the default
// place when place is null.
ZVUILIB_API void PopupNotifyWnd(const wchar_t* text, int seconds, HICON icon, CPoint* place);

// A note that, once listed among the open notes, deletes itself when its window goes.
class ZVUILIB_API CKQPPopupWindow : public CBCGPPopupWindow {
protected:
    void PostNcDestroy() override;
};

// Destroys every open note.
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

private:
    bool m_shown = false;
    DWORD m_last = 0;
};
} // namespace popupnotify
