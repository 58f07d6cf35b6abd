#include "RibbonCheckBoxEx.h"

CBCGPRibbonCheckBoxEx::CBCGPRibbonCheckBoxEx(UINT nID, const wchar_t* lpszText) : CBCGPRibbonCheckBox(nID, lpszText) {}
