#pragma once
// CKQRibbonBar: the ribbon that replaces the frame's caption. It stays whatever the frame asks
// when it resizes (SetVisibilityInFrame does nothing) and owns the caption buttons it adds.
#include "KQCaptionButton.h"
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQRibbonBar : public CBCGPRibbonBar {
public:
    CKQRibbonBar() : CBCGPRibbonBar(TRUE) {}
    ~CKQRibbonBar() override;
    void SetVisibilityInFrame(int cxFrame, BOOL bIsMDIChild) override;
    // A caption button with the command and icon; a text when given; the tool tip.
    CKQCaptionButton* AddCaptionButton(LPCTSTR lpszText, LPCTSTR lpszToolTip, UINT nID, HICON hIcon);
};
