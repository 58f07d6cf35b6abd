#include "KQToolbar.h"

IMPLEMENT_DYNCREATE(CKQToolbar, CBCGPToolBar)

BEGIN_MESSAGE_MAP(CKQToolbar, CBCGPToolBar)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKQToolbar::~CKQToolbar() = default;

BOOL CKQToolbar::LoadState(LPCTSTR, int, UINT)
{
    return TRUE;
}

BOOL CKQToolbar::SaveState(LPCTSTR, int, UINT)
{
    return TRUE;
}

// Swallowed: left to default handling it would climb to the frame, which offers the bars' menu.
void CKQToolbar::OnContextMenu(CWnd*, CPoint) {}
