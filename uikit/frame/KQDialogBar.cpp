#include "KQDialogBar.h"
#include "KQMiniFrameWnd.h"
#include "KQTabbedBar.h"

IMPLEMENT_DYNCREATE(CKQDialogBar, CBCGPDialogBar)

BEGIN_MESSAGE_MAP(CKQDialogBar, CBCGPDialogBar)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKQDialogBar::CKQDialogBar()
{
    m_pTabbedControlBarRTC = RUNTIME_CLASS(CKQTabbedBar);
    m_pMiniFrameRTC = RUNTIME_CLASS(CKQMiniFrameWnd);
}

CKQDialogBar::~CKQDialogBar() = default;

int CKQDialogBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDialogBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pTabbedControlBarRTC = RUNTIME_CLASS(CKQTabbedBar);
    m_pMiniFrameRTC = RUNTIME_CLASS(CKQMiniFrameWnd);
    return 0;
}

void CKQDialogBar::SetCaptionButtons()
{
    kqframe::SetPinButtonOnly(this);
}

void CKQDialogBar::OnContextMenu(CWnd*, CPoint) {}
