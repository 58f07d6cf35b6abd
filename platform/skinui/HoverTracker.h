#pragma once
// skinui::HoverTracker: what a skinned window knows of the mouse over it: the part the mouse is
// over (a button's index, a tile, TRUE for the whole window) and the request for the message
// that tells it has left (WM_MOUSELEAVE, or WM_NCMOUSELEAVE for the non-client area), made once
// a visit.
#include <windows.h>

namespace skinui {

template <class T = BOOL>
class HoverTracker {
public:
    // none: the part while the mouse is elsewhere.
    explicit HoverTracker(T none = T(), bool nonClient = false)
        : m_none(none), m_hot(none), m_flags(TME_LEAVE | (nonClient ? TME_NONCLIENT : 0))
    {
    }

    // On a mouse move over the window: asks for the leave message unless it did this visit.
    void Track(HWND hWnd)
    {
        if (m_tracking)
            return;
        TRACKMOUSEEVENT tme = { sizeof tme, m_flags, hWnd, 0 };
        m_tracking = ::TrackMouseEvent(&tme) != FALSE;
    }
    // Track, and the part now under the mouse: true when it changed, so that the window repaints.
    bool Move(HWND hWnd, T hot)
    {
        Track(hWnd);
        return Set(hot);
    }
    // On the leave message: the visit is over and no part is hot; true when one was.
    bool Leave()
    {
        m_tracking = false;
        return Set(m_none);
    }
    // Another part without a move (after a click or a new layout); true when it changed.
    bool Set(T hot)
    {
        if (hot == m_hot)
            return false;
        m_hot = hot;
        return true;
    }
    T Hot() const { return m_hot; }

private:
    T m_none;
    T m_hot;
    DWORD m_flags;
    bool m_tracking = false;
};

} // namespace skinui
