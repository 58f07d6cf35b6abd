#pragma once
// A ribbon check box made from a command id and a text (the programs' status bars use it).
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CBCGPRibbonCheckBoxEx : public CBCGPRibbonCheckBox {
public:
    CBCGPRibbonCheckBoxEx(UINT nID, const wchar_t* lpszText);
};
