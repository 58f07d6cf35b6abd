#pragma once
// CZVTimeEdit: an edit box that takes at each position only what its mask allows there and types
// the literal template's fixed characters (a colon, a dot) by itself. "0" positions follow time
// limits (hours and minutes, hh:mm) or, in date mode, day and month (dd?mm).
#include "AppFrame.h"
#include "SkinUI.h"
#include "ZVUILibDef.h"

namespace timeedit {
// Whether the mask character m at position pos takes c, with text the edit's text so far.
ZVUILIB_API bool MaskAccepts(wchar_t m, int pos, wchar_t c, const wchar_t* text, bool dateMode, const wchar_t* hourLimit,
                             const wchar_t* minuteLimit);
// The fixed character of the literal template at pos, or 0 where the user types ("_").
ZVUILIB_API wchar_t FixedAt(const wchar_t* literal, int pos);
} // namespace timeedit

class ZVUILIB_API CZVTimeEdit : public CBCGPEdit {
    DECLARE_DYNAMIC(CZVTimeEdit)
public:
    CZVTimeEdit();
    ~CZVTimeEdit() override;

    // mask: one rule character a position; literal: "_" where the user types, any other
    // character fixed (same length as the mask, else none); valid: always accepted.
    void SetMask(const char* mask, const char* literal = nullptr, const char* valid = nullptr);
    void SendChar(UINT nChar);
    BOOL CheckChar(UINT nChar);

    int m_bUseMask = 0;
    int m_isdate = 0;
    CString m_str;
    CString m_strMask;
    CString m_strLiteral;
    CString m_strValid;
    int m_bMaskKeyInProgress = 0;
    CString m_strHours = L"47";
    CString m_strMins = L"59";
    CString m_strBackspaceFill;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    int Caret() const;
};
