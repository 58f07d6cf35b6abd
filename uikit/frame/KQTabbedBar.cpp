#include "KQTabbedBar.h"
#include "KQMiniFrameWnd.h"

namespace kqframe {
void SetPinButtonOnly(CBCGPDockingControlBar* pBar)
{
    pBar->RemoveCaptionButtons();
    pBar->AddCaptionButton(HTMAXBUTTON);
}
} // namespace kqframe

IMPLEMENT_DYNCREATE(CKQTabbedBar, CBCGPTabbedControlBar)

BEGIN_MESSAGE_MAP(CKQTabbedBar, CBCGPTabbedControlBar)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKQTabbedBar::CKQTabbedBar() : CBCGPTabbedControlBar(FALSE)
{
    CBCGPTabbedControlBar::m_bTabsAlwaysTop = TRUE;
    m_pMiniFrameRTC = RUNTIME_CLASS(CKQMiniFrameWnd);
}

CKQTabbedBar::~CKQTabbedBar() = default;

int CKQTabbedBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPTabbedControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pMiniFrameRTC = RUNTIME_CLASS(CKQMiniFrameWnd);
    return 0;
}

void CKQTabbedBar::SetCaptionButtons()
{
    kqframe::SetPinButtonOnly(this);
}

void CKQTabbedBar::OnContextMenu(CWnd*, CPoint) {}
