#include "KQDockingControlBar.h"
#include "KQMiniFrameWnd.h"
#include "KQTabbedBar.h"

namespace kqframe {
CRect CenteredFloatRect(CSize screen, float fraction)
{
    // 0.6f lies just above 0.6: without the allowance, 60 % of 1280 pixels would truncate to
    // a margin of 255 instead of 256.
    const double margin = (1.0 - fraction) * 0.5;
    const int mx = static_cast<int>(margin * screen.cx + 1e-3);
    const int my = static_cast<int>(margin * screen.cy + 1e-3);
    return CRect(mx, my, screen.cx - mx, screen.cy - my);
}

CRect CenteredFloatRect(CSize screen, int width, int height)
{
    const int left = (screen.cx - width) / 2, top = (screen.cy - height) / 2;
    return CRect(left, top, left + width, top + height);
}
} // namespace kqframe

namespace {
CSize PrimaryScreen()
{
    return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}
} // namespace

IMPLEMENT_DYNCREATE(CKQDockingControlBar, CBCGPDockingControlBar)

BEGIN_MESSAGE_MAP(CKQDockingControlBar, CBCGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKQDockingControlBar::CKQDockingControlBar()
{
    m_pTabbedControlBarRTC = RUNTIME_CLASS(CKQTabbedBar);
    m_pMiniFrameRTC = RUNTIME_CLASS(CKQMiniFrameWnd);
}

CKQDockingControlBar::~CKQDockingControlBar() = default;

int CKQDockingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pTabbedControlBarRTC = RUNTIME_CLASS(CKQTabbedBar);
    m_pMiniFrameRTC = RUNTIME_CLASS(CKQMiniFrameWnd);
    return 0;
}

void CKQDockingControlBar::SetCaptionButtons()
{
    kqframe::SetPinButtonOnly(this);
}

void CKQDockingControlBar::FloatCenter(float fraction)
{
    SetRecentFloatingRect(kqframe::CenteredFloatRect(PrimaryScreen(), fraction));
}

void CKQDockingControlBar::FloatCenter(int width, int height)
{
    SetRecentFloatingRect(kqframe::CenteredFloatRect(PrimaryScreen(), width, height));
}

void CKQDockingControlBar::OnContextMenu(CWnd*, CPoint) {}
