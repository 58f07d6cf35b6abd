#include "KQRibbonBar.h"

CKQRibbonBar::~CKQRibbonBar() = default;

void CKQRibbonBar::SetVisibilityInFrame(int, BOOL) {}

CKQCaptionButton* CKQRibbonBar::AddCaptionButton(LPCTSTR lpszText, LPCTSTR lpszToolTip, UINT nID, HICON hIcon)
{
    auto* button = new CKQCaptionButton(nID, hIcon);
    if (lpszText && *lpszText)
        button->SetText(lpszText);
    button->SetToolTipText(lpszToolTip ? lpszToolTip : L"");
    AddToTabs(button);   // the bar owns it now
    return button;
}
