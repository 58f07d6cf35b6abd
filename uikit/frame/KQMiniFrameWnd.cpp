#include "KQMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CKQMiniFrameWnd, CBCGPMiniFrameWnd)

BEGIN_MESSAGE_MAP(CKQMiniFrameWnd, CBCGPMiniFrameWnd)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKQMiniFrameWnd::~CKQMiniFrameWnd() = default;

void CKQMiniFrameWnd::CloseMiniFrame()
{
    if (CBCGPBaseControlBar* bar = GetControlBar())
        bar->DockToFrameWindow(0);   // ends this frame
    else
        CBCGPMiniFrameWnd::CloseMiniFrame();
}

// Swallowed: default handling would open the system menu of the caption.
void CKQMiniFrameWnd::OnContextMenu(CWnd*, CPoint) {}
