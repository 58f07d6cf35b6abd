#include "AniCtrlToolbar.h"
#include "MiniFrameWnd.h"
#include "ViewerIds.h"

bool CAniCtrlToolbar::CreateFloating(CFrameWnd* frame)
{
    if (!CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP | CBRS_TOOLTIPS, CRect(1, 1, 1, 1)))
        return false;
    if (!LoadToolBar(IDR_VIEWER_ANIBAR, 0, 0, TRUE))
        return false;
    const CSize size = CalcFloatingSize();
    if (!FloatControlBar(CRect(CPoint(0, 0), size), BCGP_DM_UNKNOWN, false))
        return false;
    // Owned by the viewer's frame, not by the frame's own owner (the browser's main frame, hidden
    // while the viewer shows, or never shown when the browser started on a picture): so the bar
    // stays above the picture, goes with the viewer when it is minimised, and never floats over
    // the browser.
    if (CWnd* mini = GetParentMiniFrame())
        ::SetWindowLongPtrW(mini->GetSafeHwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(frame->GetSafeHwnd()));
    return true;
}

void CAniCtrlToolbar::Place(bool shown, const wchar_t* caption, const CRect& pictureArea, bool fullScreen)
{
    CWnd* mini = GetParentMiniFrame();
    if (!mini || !mini->GetSafeHwnd())
        return;
    if (!shown) {
        mini->ShowWindow(SW_HIDE);
        return;
    }
    // The small frame takes its caption from the bar whenever it lays itself out.
    SetWindowText(caption);
    mini->SetWindowText(caption);
    CRect rc;
    mini->GetWindowRect(&rc);
    // Above the bottom by twice its height in full screen (the navigation bar floats there),
    // by one and a half otherwise.
    const int lift = fullScreen ? 2 * rc.Height() : rc.Height() * 3 / 2;
    // Across, it stays where the user put it while that is over the picture.
    int left = rc.left;
    if (left < pictureArea.left || left + rc.Width() > pictureArea.right)
        left = pictureArea.left + 20;
    mini->SetWindowPos(&CWnd::wndTop, left, pictureArea.bottom - lift, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
