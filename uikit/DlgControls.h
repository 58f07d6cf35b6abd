#pragma once
// Fitting dialog controls to their (translated) texts and lining them up, bitmap buttons and
// image combo items. The variadic functions take control ids ended by 0.
#include <vector>
#include "SkinUI.h"
#include "ZVUILibDef.h"

// Widens every static text and button child of the parent to its text; nothing shrinks.
ZVUILIB_API void KQSetCtrlWidth(CWnd* pParent);
// Places each control after the first next to the one before it, gap pixels apart, to the
// right or to the left; tops and sizes stay. Ids without a control are passed over.
ZVUILIB_API void KQMoveWindows(CDialog* pDlg, int gap, bool toRight, int firstId, ...);
// The width of the controls side by side, gap pixels apart.
ZVUILIB_API int KQGetDlgWidth(CDialog* pDlg, int gap, int firstId, ...);
// Whether the rectangles overlap; a's right and bottom edges count as inside, b's do not.
ZVUILIB_API bool IsRectCollision(CRect* a, CRect* b);

// The bitmap resource as the button's image, scaled, on the 3-D or the flat face.
ZVUILIB_API void SetBmpBTStyle(CBCGPButton& button, unsigned int bitmapId);
ZVUILIB_API void SetBmpFlatBTStyle(CBCGPButton& button, unsigned int bitmapId);
// An item with text and image at the index (-1: at the end) carrying the data.
ZVUILIB_API void InsertCBEXItem(CComboBoxEx& combo, int index, const wchar_t* text, int image, int data);

namespace ctrllayout {
// The width a static text or button needs for a text of the measured width; boxWidth is the
// check mark or radio circle drawn before the text (0 for others).
ZVUILIB_API int NeededWidth(int textWidth, int boxWidth);
// The rectangles after the first, each moved next to the one before it.
ZVUILIB_API void LineUp(std::vector<CRect>& rects, int gap, bool toRight);
// The widths side by side, gap apart.
ZVUILIB_API int ChainWidth(const std::vector<int>& widths, int gap);
} // namespace ctrllayout
