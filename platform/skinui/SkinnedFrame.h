#pragma once
// The frame of a top-level window drawn by the visual manager instead of the system: the
// border and caption in the look's colours with a flat close button. A window hands its
// non-client messages to HandleMessage first.
#include "AppFrame.h"
#include "HoverTracker.h"
#include "SkinUIDef.h"

namespace skinui {
// Where the caption and its close button lie, in window coordinates, for a window of the size
// whose client area starts at clientTopLeft (window coordinates) and is clientWidth wide.
struct FrameParts {
    CRect caption, close, icon;
};
SKINUI_API FrameParts LayoutFrame(CSize window, CPoint clientTopLeft, int clientWidth, bool hasCloseBox, bool hasIcon);

class SKINUI_API SkinnedFrame {
public:
    // Handles the message when it is one of the frame's; the result goes to *pResult.
    // WM_NCHITTEST is the window's own, then AdjustHitTest places the close button.
    bool HandleMessage(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT AdjustHitTest(CWnd* wnd, LPARAM lParam, LRESULT hit) const;
    void Paint(CWnd* wnd);
    bool IsCloseHot() const { return m_closeHover.Hot(); }

private:
    FrameParts Parts(CWnd* wnd) const;
    bool m_active = true, m_pressedClose = false;
    HoverTracker<bool> m_closeHover{ false, true };
};
} // namespace skinui
