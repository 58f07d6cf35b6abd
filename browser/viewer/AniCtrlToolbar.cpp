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
    return FloatControlBar(CRect(CPoint(0, 0), size), BCGP_DM_UNKNOWN, false) != FALSE;
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
    mini->SetWindowText(caption);
    CRect rc;
    mini->GetWindowRect(&rc);
    // Above the bottom by twice its height in full screen (the navigation bar floats there),
    // by one and a half otherwise.
    const int lift = fullScreen ? 2 * rc.Height() : rc.Height() * 3 / 2;
    // Over the picture even when the bar's owner is not the viewer's frame.
    mini->SetWindowPos(&CWnd::wndTop, pictureArea.left + 20, pictureArea.bottom - lift, 0, 0,
                       SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
