#pragma once
// CKQNumEdit: an edit box for a number. Typing, pasting and deleting can only leave a number
// (or the start of one); once the user has left the text alone for the settle delay, a value
// outside the range is pulled into it with a note that names the range, and the parent can be
// told that the value settled (WM_KQ_VALUE_SETTLED).
#include "SkinUI.h"
#include "ZVUILibDef.h"

// Posted to the parent of a numeric edit or spin (wParam 0, lParam 0): the value has settled.
const UINT WM_KQ_VALUE_SETTLED = 0x700;

namespace numedit {
// Whether ch may be typed at the caret into text (the text without the selection it replaces):
// a digit; '-' only first and once; the point once, neither first nor right after a leading
// '-'; a control character (Backspace, the editing shortcuts). Nothing goes before a leading '-'.
ZVUILIB_API bool AcceptsChar(const wchar_t* text, int caret, unsigned int ch, wchar_t point = L'.');
// Whether the text could have been typed from empty, character by character.
ZVUILIB_API bool IsNumberText(const wchar_t* text, wchar_t point = L'.');
// What a paste of clip at the caret inserts: the characters that typing would let in, in order.
ZVUILIB_API CString FilterPaste(const wchar_t* text, int caret, const wchar_t* clip, wchar_t point = L'.');
// The value with the decimal places (taken as 0 to 15); trimmed, it loses its trailing zeros
// and then a trailing point.
ZVUILIB_API CString FormatNumber(double value, int decimals, bool trim, wchar_t point = L'.');
// The note that names the range, built from the translation of "Please enter a number between
// %%.%df and %%.%df"; a translation whose conversions differ from the English text's is not used.
ZVUILIB_API CString RangeNote(const wchar_t* translated, int decimals, double min, double max);
} // namespace numedit

class ZVUILIB_API CKQNumEdit : public CBCGPEdit {
    DECLARE_DYNAMIC(CKQNumEdit)
public:
    CKQNumEdit();
    ~CKQNumEdit() override;

    // Both 0: no range.
    void SetMinMax(double min, double max);
    void SetDecimalPlaces(int n);
    CString FormatValue(double value) const;
    // The text with its value pulled into the range and formatted; a note names the range when
    // the value had to move. An empty text, or one without a range, comes back as it is.
    CString GetFitWindowText();

    BOOL m_bFitOnSettle = TRUE;    // pull the value into the range when it settles
    BOOL m_bTrimZeros = TRUE;
    BOOL m_bNotifyParent = FALSE;  // post WM_KQ_VALUE_SETTLED to the parent
    UINT m_nSettleDelay = 1000;    // milliseconds after the user's last change

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The text without its selection, which typing or pasting replaces; caret: where it was.
    CString TextBesideSelection(int& caret) const;

    BOOL m_bTyping = FALSE;        // the settle timer runs
    BOOL m_bClamped = FALSE;       // GetFitWindowText moved the value
    int m_nDecimalPlaces = 0;
    double m_dMin = 0, m_dMax = 0;
    wchar_t m_chDecimalPoint;
};
