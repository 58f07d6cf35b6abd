#pragma once
// CKQCaptionButton: a custom button on the ribbon caption (see CKQRibbonBar::AddCaptionButton).
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQCaptionButton : public CBCGPRibbonCaptionCustomButton {
public:
    CKQCaptionButton(UINT nID, HICON hIcon) : CBCGPRibbonCaptionCustomButton(nID, hIcon) {}
};
