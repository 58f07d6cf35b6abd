#include "ZVDialogBar.h"

IMPLEMENT_DYNAMIC(CZVDialogBar, CBCGPDialogBar)

void CZVDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CBCGPDialogBar::OnUpdateCmdUI(pTarget, FALSE);
}
